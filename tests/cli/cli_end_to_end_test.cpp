// orvo-cli run as a program: exit statuses, what it prints and which files it leaves.
#include "image/radio_image.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <unistd.h>

namespace orvo {
namespace {

namespace fs = std::filesystem;

struct CliResult
{
    int status;
    std::string out;
    std::string err;
};

class Cli : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() /
              ("orvo-cli-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string path(const std::string& name) const { return (dir / name).string(); }

    static std::string slurp(const fs::path& p)
    {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    void put(const std::string& name, const std::string& text) const
    {
        std::ofstream(path(name), std::ios::binary) << text;
    }

    // Runs orvo-cli with `args` (already quoted for the shell) in the test's folder.
    CliResult run(const std::string& args) const
    {
        // The captured output lives beside the folder, so that files() sees only the tool's.
        const fs::path out = dir.string() + ".out", err = dir.string() + ".err";
        const std::string cmd = "cd '" + dir.string() + "' && '" ORVO_CLI_PATH "' " + args +
                                " > '" + out.string() + "' 2> '" + err.string() + "'";
        const int raw = std::system(cmd.c_str());
        CliResult r{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(out), slurp(err)};
        fs::remove(out);
        fs::remove(err);
        return r;
    }

    std::vector<std::string> files() const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir;
};

const std::string kHeader = "CH,Receive(MHz),Transmit(MHz),Rx Tone,Tx Tone,Busy,W/N,Scan,Power\n";

TEST_F(Cli, HelpAndBadUsageFollowTheExitStatusConvention)
{
    CliResult r = run("--help");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(run("new").status, 2);
    EXPECT_EQ(run("new a.sin b.sin").status, 2);
    EXPECT_EQ(run("import a.sin b.csv").status, 2);
    EXPECT_EQ(run("import a.sin b.csv -o").status, 2);
    r = run("export --help");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("usage: orvo-cli export"), std::string::npos);
    EXPECT_TRUE(files().empty());
}

TEST_F(Cli, NewWritesTheNewImage)
{
    ASSERT_EQ(run("new new.sin").status, 0);
    const std::string bytes = slurp(path("new.sin"));
    const RadioImage fresh = RadioImage::makeNew();
    EXPECT_EQ(bytes, std::string(reinterpret_cast<const char*>(fresh.bytes.data()), 1024));
    const CliResult r = run("new no/such/folder.sin");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("folder.sin"), std::string::npos);
}

TEST_F(Cli, ShortFilesAreRefusedWithAMessage)
{
    put("short.sin", std::string(1000, '\xFF'));
    for (const char* verb : {"show short.sin", "export short.sin out.csv"}) {
        const CliResult r = run(verb);
        EXPECT_EQ(r.status, 1) << verb;
        EXPECT_NE(r.err.find("1000 bytes"), std::string::npos) << r.err;
    }
    EXPECT_EQ(run("show missing.sin").status, 1);
    EXPECT_EQ(files(), std::vector<std::string>{"short.sin"});
}

TEST_F(Cli, ImportShowExportAndDiffWorkTogether)
{
    ASSERT_EQ(run("new a.sin").status, 0);
    put("in.csv",
        kHeader + "2,146.52,,,,,,,\n5,146.00625,146.005,d023n,67.0,Yes,Narrow,Delete,Low\n");
    CliResult r = run("import a.sin in.csv -o b.sin");
    ASSERT_EQ(r.status, 0) << r.err;

    r = run("show b.sin");
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("Field:"), std::string::npos);
    EXPECT_NE(r.out.find("136 - 174MHz\n"), std::string::npos);
    EXPECT_NE(r.out.find("Tx Total Time(s):"), std::string::npos);
    EXPECT_NE(
        r.out.find(
            "\n2   146.52000     146.52000                        No    Wide    Add     High\n"),
        std::string::npos)
        << r.out;
    EXPECT_NE(
        r.out.find(
            "\n5   146.00625     146.00500      D023N    67.0     Yes   Narrow  Delete  Low\n"),
        std::string::npos)
        << r.out;

    const CliResult toStdout = run("export b.sin -");
    ASSERT_EQ(toStdout.status, 0);
    ASSERT_EQ(run("export b.sin out.csv").status, 0);
    EXPECT_EQ(slurp(path("out.csv")), toStdout.out);
    EXPECT_NE(toStdout.out.find("\r\n5,146.00625,146.00500,D023N,67.0,Yes,Narrow,Delete,Low\r\n"),
              std::string::npos);

    // Importing the export again changes nothing.
    ASSERT_EQ(run("import b.sin out.csv -o c.sin").status, 0);
    EXPECT_EQ(run("diff b.sin c.sin").status, 0);

    r = run("diff a.sin b.sin");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("CH 5 Rx Tone: \"\" -> \"D023N\"\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("CH 2 Transmit(MHz): \"\" -> \"146.52000\"\n"), std::string::npos);
    // The empty channels' flag bytes change without a visible text: listed as bytes.
    EXPECT_NE(r.out.find("byte 0x03C: FF -> AF\n"), std::string::npos);
    // Channel 1 of a new image holds a byte that shows nowhere; the import rewrote it.
    EXPECT_NE(r.out.find("byte 0x012: FE -> FF\n"), std::string::npos);
}

TEST_F(Cli, DiffListsSettingsAndUninterpretedBytes)
{
    ASSERT_EQ(run("new a.sin").status, 0);
    RadioImage b = RadioImage::makeNew();
    b[0x3C1] = 0x03;  // Squelch Level 9 -> 3
    b[0x3C0] |= 0x08; // Refuse Emergency Alert: not on the form
    b[0x200] = 0x12;  // not interpreted
    put("b.sin", std::string(reinterpret_cast<const char*>(b.bytes.data()), 1024));
    const CliResult r = run("diff a.sin b.sin");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Squelch Level: \"9\" -> \"3\"\n"
                     "byte 0x200: FF -> 12\n"
                     "byte 0x3C0: F7 -> FF\n");
    EXPECT_EQ(run("diff a.sin missing.sin").status, 2);
}

TEST_F(Cli, BadImportsLeaveNoOutputFile)
{
    ASSERT_EQ(run("new a.sin").status, 0);
    const char* bad[] = {
        "1,\"146,52\",,,,,,,", // a decimal comma
        "1,146.52,,,,,,",      // eight fields
    };
    for (const char* line : bad) {
        put("in.csv", kHeader + line + "\n");
        const CliResult r = run("import a.sin in.csv -o out.sin");
        EXPECT_EQ(r.status, 1) << line;
        EXPECT_NE(r.err.find("in.csv: line 2"), std::string::npos) << r.err;
        EXPECT_EQ(files(), (std::vector<std::string>{"a.sin", "in.csv"})) << line;
    }
    // An existing output stays as it was.
    put("out.sin", "old");
    EXPECT_EQ(run("import a.sin in.csv -o out.sin").status, 1);
    EXPECT_EQ(slurp(path("out.sin")), "old");
}

// --field sets the band before the frequencies are checked; a file takes its own export back.
TEST_F(Cli, ImportSetsTheFieldGivenBeforeTheCheck)
{
    ASSERT_EQ(run("new a.sin").status, 0);
    put("in.csv", kHeader + "3,462.56250,,,,,,,\n");
    EXPECT_EQ(run("import a.sin in.csv -o b.sin").status, 1);
    EXPECT_EQ(run("import a.sin in.csv -o b.sin --field '400-470'").status, 2);
    ASSERT_EQ(run("import a.sin in.csv -o b.sin --field '400 - 470MHz'").status, 0);
    ASSERT_EQ(run("export b.sin own.csv").status, 0);
    EXPECT_EQ(run("import b.sin own.csv -o b.sin").status, 0);
    EXPECT_NE(run("show b.sin").out.find("400 - 470MHz\n"), std::string::npos);
}

TEST_F(Cli, ImportCanReplaceItsInputAndReadStandardInput)
{
    ASSERT_EQ(run("new a.sin").status, 0);
    put("in.csv", kHeader + "1,146.52,,,,,,,\n");
    ASSERT_EQ(run("import a.sin - -o a.sin < in.csv").status, 0);
    const CliResult r = run("export a.sin -");
    EXPECT_NE(r.out.find("\r\n1,146.52000,146.52000,,,No,Wide,Add,High\r\n"), std::string::npos)
        << r.out;
    EXPECT_EQ(files(), (std::vector<std::string>{"a.sin", "in.csv"}));
}

} // namespace
} // namespace orvo
