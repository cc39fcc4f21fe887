// Every file orvo-cli writes arrives whole or not at all. Into a read-only folder, into a folder
// that does not exist, and when the disk fills part-way through (a file-size limit stands in for
// a full disk), each writing verb exits with status 1, names the file in a clear error, leaves
// any previous file byte for byte as it was and leaves no temporary file behind. What is not a
// regular file is neither written nor read, and nothing waits on it.
#include "image/radio_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace orvo {
namespace {

namespace fs = std::filesystem;

constexpr int kCannotDropPrivileges = 125;
constexpr uid_t kNobody = 65534;

struct CliRun
{
    int status = -1;
    std::string err;
};

// How the tool is run: as an unprivileged user (a superuser writes into read-only folders), and
// with a limit on the size of any file it writes (0: none).
struct Limits
{
    bool unprivileged = false;
    rlim_t fileSize = 0;
};

std::string slurp(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// One writing verb: its arguments with OUT standing for the file it writes.
struct Verb
{
    const char* name;
    std::vector<std::string> args;
    const char* out; // the name of the file it writes
};

class CliSafeSave : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() /
              ("orvo-safe-save-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        // An unprivileged run must be able to reach and read the inputs.
        fs::permissions(dir, fs::perms(0755));
        ASSERT_TRUE(saveImageFile((dir / "in.sin").string(), RadioImage::makeNew()).ok);
        std::ofstream(dir / "in.csv", std::ios::binary)
            << "CH,Receive(MHz),Transmit(MHz),Rx Tone,Tx Tone,Busy,W/N,Scan,Power\r\n"
               "1,146.52000,146.52000,67.0,Off,No,Wide,Add,High\r\n";
        fs::permissions(dir / "in.sin", fs::perms(0644));
        fs::permissions(dir / "in.csv", fs::perms(0644));
    }

    void TearDown() override
    {
        std::error_code ec;
        for (const auto& entry : fs::recursive_directory_iterator(dir, ec))
            if (entry.is_directory(ec))
                fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir, ec);
    }

    static std::vector<Verb> writingVerbs(const std::string& folder)
    {
        return {
            {"new", {"new", folder + "/out.sin"}, "out.sin"},
            {"import", {"import", "in.sin", "in.csv", "-o", folder + "/out.sin"}, "out.sin"},
            {"export", {"export", "in.sin", folder + "/out.csv"}, "out.csv"},
            {"report", {"report", "in.sin", folder + "/out.pdf"}, "out.pdf"},
        };
    }

    // Runs orvo-cli in the test's folder; standard error is kept, standard output dropped.
    // Standard error goes through a pipe, which the file-size limit does not cut short.
    CliRun run(const std::vector<std::string>& args, Limits limits = {}) const
    {
        int errPipe[2];
        if (::pipe2(errPipe, O_CLOEXEC) != 0)
            return {};
        const int nullFd = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        std::vector<std::string> argv{ORVO_CLI_PATH};
        argv.insert(argv.end(), args.begin(), args.end());
        std::vector<char*> cargv;
        for (auto& a : argv)
            cargv.push_back(a.data());
        cargv.push_back(nullptr);

        const pid_t pid = ::fork();
        if (pid == 0) {
            ::dup2(nullFd, 1);
            ::dup2(errPipe[1], 2);
            if (::chdir(dir.c_str()) != 0)
                ::_exit(126);
            if (limits.unprivileged && ::geteuid() == 0) {
                if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 ||
                    ::setuid(kNobody) != 0)
                    ::_exit(kCannotDropPrivileges);
            }
            if (limits.fileSize > 0) {
                // A write past the limit then fails with EFBIG instead of killing the tool.
                std::signal(SIGXFSZ, SIG_IGN);
                const rlimit r{limits.fileSize, limits.fileSize};
                if (::setrlimit(RLIMIT_FSIZE, &r) != 0)
                    ::_exit(126);
            }
            ::execv(cargv[0], cargv.data());
            ::_exit(127);
        }
        ::close(errPipe[1]);
        ::close(nullFd);
        CliRun r;
        char buf[4096];
        for (ssize_t n; (n = ::read(errPipe[0], buf, sizeof buf)) != 0;) {
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                break;
            r.err.append(buf, static_cast<std::size_t>(n));
        }
        ::close(errPipe[0]);
        int raw = 0;
        ::waitpid(pid, &raw, 0);
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        return r;
    }

    std::vector<std::string> entries(const fs::path& folder) const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(folder))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // A previous file in `folder` for each verb's output, with contents no verb writes.
    void putPreviousFiles(const fs::path& folder) const
    {
        for (const char* name : {"out.sin", "out.csv", "out.pdf"}) {
            std::ofstream(folder / name, std::ios::binary) << previous(name);
            fs::permissions(folder / name, fs::perms(0644));
        }
    }

    static std::string previous(const std::string& name) { return "previous " + name + "\n"; }

    fs::path dir;
};

TEST_F(CliSafeSave, AReadOnlyFolderRefusesEveryWriteAndKeepsThePreviousFiles)
{
    const fs::path ro = dir / "ro";
    fs::create_directory(ro);
    putPreviousFiles(ro);
    fs::permissions(ro, fs::perms(0555));
    const auto before = entries(ro);

    for (const Verb& verb : writingVerbs("ro")) {
        SCOPED_TRACE(verb.name);
        const CliRun r = run(verb.args, {.unprivileged = true});
        if (r.status == kCannotDropPrivileges)
            GTEST_SKIP() << "cannot run the tool as an unprivileged user here";
        EXPECT_EQ(r.status, 1) << r.err;
        EXPECT_NE(r.err.find(std::string("ro/") + verb.out), std::string::npos) << r.err;
        EXPECT_EQ(slurp(ro / verb.out), previous(verb.out));
        EXPECT_EQ(entries(ro), before);
    }

    // The same commands succeed once the folder and the files may be written, and replace the
    // files whole.
    fs::permissions(ro, fs::perms(0777));
    for (const char* name : {"out.sin", "out.csv", "out.pdf"})
        fs::permissions(ro / name, fs::perms(0666));
    for (const Verb& verb : writingVerbs("ro")) {
        SCOPED_TRACE(verb.name);
        const CliRun r = run(verb.args, {.unprivileged = true});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_NE(slurp(ro / verb.out), previous(verb.out));
        EXPECT_EQ(entries(ro), before);
    }
    EXPECT_EQ(fs::file_size(ro / "out.sin"), kImageSize);
    EXPECT_EQ(slurp(ro / "out.pdf").substr(0, 5), "%PDF-");
}

TEST_F(CliSafeSave, AReadOnlyFileInAWritableFolderIsKept)
{
    // The folder lets anyone write; only the files themselves say no.
    const fs::path out = dir / "out";
    fs::create_directory(out);
    putPreviousFiles(out);
    for (const char* name : {"out.sin", "out.csv", "out.pdf"})
        fs::permissions(out / name, fs::perms(0444));
    fs::permissions(out, fs::perms(0777));
    const auto before = entries(out);

    for (const Verb& verb : writingVerbs("out")) {
        SCOPED_TRACE(verb.name);
        const CliRun r = run(verb.args, {.unprivileged = true});
        if (r.status == kCannotDropPrivileges)
            GTEST_SKIP() << "cannot run the tool as an unprivileged user here";
        EXPECT_EQ(r.status, 1) << r.err;
        EXPECT_NE(r.err.find(std::string("out/") + verb.out), std::string::npos) << r.err;
        EXPECT_EQ(slurp(out / verb.out), previous(verb.out));
        EXPECT_EQ(entries(out), before);
    }
}

TEST_F(CliSafeSave, AMissingFolderIsReportedAndNotCreated)
{
    for (const Verb& verb : writingVerbs("missing")) {
        SCOPED_TRACE(verb.name);
        const CliRun r = run(verb.args);
        EXPECT_EQ(r.status, 1) << r.err;
        EXPECT_NE(r.err.find(std::string("missing/") + verb.out), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(dir / "missing"));
    }
    EXPECT_EQ(entries(dir), (std::vector<std::string>{"in.csv", "in.sin"}));
}

TEST_F(CliSafeSave, ADiskThatFillsPartWayKeepsThePreviousFileWhole)
{
    const fs::path out = dir / "out";
    fs::create_directory(out);
    fs::permissions(out, fs::perms(0755));
    putPreviousFiles(out);
    const auto before = entries(out);

    // 100 bytes: a part of the image, of the CSV and of the PDF.
    for (const Verb& verb : writingVerbs("out")) {
        SCOPED_TRACE(verb.name);
        const CliRun r = run(verb.args, {.fileSize = 100});
        EXPECT_EQ(r.status, 1) << r.err;
        EXPECT_NE(r.err.find(std::string("out/") + verb.out), std::string::npos) << r.err;
        EXPECT_EQ(slurp(out / verb.out), previous(verb.out));
        EXPECT_EQ(entries(out), before);
    }
}

TEST_F(CliSafeSave, TargetsThatAreNotRegularFilesAreRefusedByNameAndLeftAlone)
{
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0644), 0);
    fs::create_directory(dir / "folder");
    fs::create_symlink("nowhere", dir / "dangling");
    fs::create_symlink("loop2", dir / "loop1");
    fs::create_symlink("loop1", dir / "loop2");
    // A device of our own stands for /dev/null (or /proc/self/fd/1), which a regressed tool
    // would replace; without the right to make one, a named pipe stands in.
    const bool device = ::mknod((dir / "null").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0;
    if (!device) {
        ASSERT_EQ(::mkfifo((dir / "null").c_str(), 0644), 0);
    }
    fs::create_symlink("null", dir / "stdout");
    fs::create_symlink("in.sin", dir / "link.sin");
    // What a save killed part-way leaves: removed by the next save to the same name.
    std::ofstream(dir / ".new.sin.tmp-2147483646-0") << "part";

    struct Case
    {
        std::vector<std::string> args;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {{"export", "in.sin", "null"}, 1, device ? "\"null\": it is a device" : "\"null\""},
        {{"export", "in.sin", "stdout"}, 1, device ? "\"stdout\": it is a device" : "\"stdout\""},
        {{"new", "fifo"}, 1, "\"fifo\": it is a named pipe"},
        {{"show", "fifo"}, 1, "\"fifo\": it is a named pipe"},
        {{"import", "in.sin", "fifo", "-o", "out.sin"}, 1, "\"fifo\": it is a named pipe"},
        {{"report", "in.sin", "folder"}, 1, "\"folder\": it is a folder"},
        {{"new", "dangling"}, 1, "\"dangling\": it is a link to a missing file"},
        {{"new", "loop1"}, 1, "\"loop1\": it is a link loop"},
        {{"new", "link.sin"}, 0, ""},
        {{"new", "new.sin"}, 0, ""},
        {{"report", "in.sin", "caf\xE9.pdf"}, 0, ""}, // a name that is not UTF-8
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.args.back());
        const CliRun r = run(c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
    EXPECT_TRUE(fs::is_symlink(dir / "link.sin"));
    EXPECT_FALSE(fs::is_regular_file(dir / "null"));
    EXPECT_EQ(entries(dir), (std::vector<std::string>{"caf\xE9.pdf", "dangling", "fifo", "folder",
                                                      "in.csv", "in.sin", "link.sin", "loop1",
                                                      "loop2", "new.sin", "null", "stdout"}));
}

} // namespace
} // namespace orvo
