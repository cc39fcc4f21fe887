// orvo-cli run as a program, one row per case: arguments, the radio on the port and its fault, the
// exit status, what it says, and which files it leaves.
#include "image/channel_codec.h"
#include "image/radio_image.h"
#include "sim_process.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <grp.h>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace orvo;

namespace {

const char* const kHeader = "CH,Receive(MHz),Transmit(MHz),Rx Tone,Tx Tone,Busy,W/N,Scan,Power\n";
const char* const kOpenFailed =
    "Could not Open the Port,Please check whether the Port are occupied or the device are ok\n";
const std::string kNoSuchPort =
    std::string(kOpenFailed) + "/dev/orvo-no-such-port: No such file or directory\n";
const char* const kCommError =
    "Communication Error，Please check all the connections and the radio power\n";
const char* const kTryAgain = " Error had happen ,need try again\n";

QByteArray bytesOf(const RadioImage& image)
{
    return QByteArray(reinterpret_cast<const char*>(image.bytes.data()), kImageSize);
}

// The radio every transfer row talks to holds this; "radio" in a row's `same` stands for it.
RadioImage radioMemory()
{
    return patternedImage(1);
}

// The files every case starts with, and what is not a regular file.
void putInputs(const QString& dir)
{
    RadioImage ch1 = radioMemory();
    encodeChannel({"145.50000", "145.50000", "67.0", "67.0", "No", "Narrow", "Add", "High"}, ch1, 1);
    RadioImage raw = radioMemory();
    raw[0x3F0] ^= 0x5A; // not interpreted
    RadioImage b = RadioImage::makeNew();
    b[0x3C1] = 0x03;  // Squelch Level 9 -> 3
    b[0x3C0] |= 0x08; // Refuse Emergency Alert: not on the form
    b[0x200] = 0x12;  // not interpreted
    RadioImage uhf = RadioImage::makeNew(); // channel 3 outside its band, 136 - 174MHz
    encodeChannel({"462.56250", "462.56250", "", "", "No", "Wide", "Add", "High"}, uhf, 3);
    const std::pair<const char*, QByteArray> files[] = {
        {"a.sin", bytesOf(RadioImage::makeNew())},
        {"uhf.sin", bytesOf(uhf)},
        {"uhf.csv", QByteArray(kHeader) + "3,462.56250,462.56250,,,No,Wide,Add,High\n"}, // its export
        {"b.sin", bytesOf(b)},
        {"big.sin", bytesOf(patternedImage(12)) + "trailing bytes are not sent"},
        {"short.sin", QByteArray(1000, '\xFF')},
        {"radio.sin", bytesOf(radioMemory())},
        {"ch1.sin", bytesOf(ch1)},
        {"raw.sin", bytesOf(raw)},
        {".new.sin.tmp-2147483646-0", "what a killed save leaves"},
        {"in.csv", QByteArray(kHeader) + "1,146.52,,67.0,,,,,\n"},
        {"bad1.csv", QByteArray(kHeader) + "1,\"146,52\",,,,,,,\n"}, // a decimal comma
        {"bad4.csv", QByteArray(kHeader) + "1,146.52,,,,,,\n"},     // eight fields
    };
    for (const auto& [name, bytes] : files) {
        QFile file(dir + '/' + name);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                            QFileDevice::ReadGroup | QFileDevice::ReadOther);
    }
    const std::string d = dir.toStdString();
    ::mkfifo((d + "/fifo").c_str(), 0644);
    // A device of our own stands for /dev/null, which a faulty tool would replace; without the
    // right to make one, a named pipe stands in.
    if (::mknod((d + "/null").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) != 0)
        ::mkfifo((d + "/null").c_str(), 0644);
    QDir(dir).mkdir("folder");
    for (const auto& [link, target] : {std::pair{"stdout", "null"}, {"link.sin", "b.sin"},
                                       {"dangling", "nowhere"}, {"loop1", "loop2"},
                                       {"loop2", "loop1"}})
        ::symlink(target, (d + '/' + link).c_str());
}

// The names in `dir` as bytes (one char each), hidden ones too, marked as ls -F does: "name/"
// a folder, "name@" a link, "name|" neither a regular file nor a folder.
QStringList entries(const QString& dir)
{
    namespace fs = std::filesystem;
    QStringList names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dir.toStdString(), ec)) {
        const fs::file_type type = entry.symlink_status(ec).type();
        names << QString::fromLatin1(entry.path().filename().native()) +
                     (type == fs::file_type::directory ? "/"
                      : type == fs::file_type::symlink ? "@"
                      : type == fs::file_type::regular ? ""
                                                       : "|");
    }
    names.sort();
    return names;
}

struct Limits
{
    bool unprivileged = false; // a superuser would write into read-only folders
    rlim_t fileSize = 0;       // a full disk; 0: none
};

struct CliRun
{
    int status = -1;
    std::string errors;
    std::string output;
};

// Runs orvo-cli in `dir`, or orvo-radio-sim for a first argument "SIM". Leading arguments
// "NAME=value" go to its environment, a last argument "<FILE" is its standard input, and an
// argument with a backslash reaches it as printf's %b spells it ("caf\\0351" is not UTF-8).
CliRun runCli(const QString& dir, QStringList args, Limits limits = {})
{
    QProcess cli;
    cli.setWorkingDirectory(dir);
    QStringList environment = QProcess::systemEnvironment();
    while (!args.isEmpty() && args.first().contains('=') && !args.first().startsWith('-'))
        environment << args.takeFirst();
    cli.setEnvironment(environment);
    if (!args.isEmpty() && args.last().startsWith('<'))
        cli.setStandardInputFile(dir + '/' + args.takeLast().mid(1));
    QString program = QStringLiteral(ORVO_CLI_PATH);
    if (!args.isEmpty() && args.first() == "SIM") {
        args.removeFirst();
        program = QStringLiteral(ORVO_SIM_PATH);
    }
    if (args.join(' ').contains('\\')) {
        args = QStringList{"-c", "for a; do set -- \"$@\" \"$(printf %b \"$a\")\"; shift; done; "
                                 "exec \"$0\" \"$@\"",
                           program} +
               args;
        program = "/bin/sh";
    }
    cli.setChildProcessModifier([limits] {
        if (limits.unprivileged && ::geteuid() == 0) {
            constexpr uid_t kNobody = 65534;
            if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
                ::_exit(125);
        }
        if (limits.fileSize > 0) {
            // A write past the limit then fails with EFBIG instead of killing the tool.
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit r{limits.fileSize, limits.fileSize};
            ::setrlimit(RLIMIT_FSIZE, &r);
        }
    });
    cli.start(program, args);
    CliRun run;
    if (!cli.waitForFinished(60000))
        return run;
    run.status = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
    run.errors = cli.readAllStandardError().toStdString();
    run.output = cli.readAllStandardOutput().toStdString();
    return run;
}

struct Row
{
    QStringList args;                // PORT: the simulated radio's device
    std::optional<QStringList> radio; // the simulator's options; none: no radio
    int status;
    std::string errors;   // what stderr says exactly, or with a leading ~ a part of it
    QStringList files;    // what the run adds to the inputs' entries, and "-NAME" what it removes
    QStringList same{};   // "X=Y": file X (or "radio", the radio's memory) equals file Y or "new"
    std::string output{}; // a part of stdout
    std::vector<std::string> heard{}; // lines of the radio's test-mode log, or {"nothing"}
};

QStringList testMode(const QStringList& extra = {}, const QString& port = "PORT")
{
    return QStringList{"test-mode", "--port", port, "--item", "tx-power", "--value", "47", "--rx",
                       "136.20000", "--tx", "146.52000", "--tx-tone", "88.5"} +
           extra;
}

const QStringList kRadio{};
const QStringList kTestRadio{"--delay", "10"};

const Row kRows[] = {
    // Usage, help and file verbs.
    {{"--help"}, {}, 0, "", {}, {}, "  diff "},
    {{"export", "--help"}, {}, 0, "", {}, {}, "usage: orvo-cli export"},
    {{"new"}, {}, 2, "~usage", {}},
    {{"new", "a.sin", "c.sin"}, {}, 2, "~usage", {}},
    {{"import", "a.sin", "in.csv"}, {}, 2, "~usage", {}},
    {{"import", "a.sin", "in.csv", "-o"}, {}, 2, "~usage", {}},
    {{"new", "new.sin"}, {}, 0, "", {"-.new.sin.tmp-2147483646-0", "new.sin"}, {"new.sin=new"}},
    {{"new", "no/such/folder.sin"}, {}, 1, "~folder.sin", {}},
    {{"show", "short.sin"}, {}, 1, "~1000 bytes", {}},
    {{"export", "short.sin", "out.csv"}, {}, 1, "~1000 bytes", {}},
    {{"show", "missing.sin"}, {}, 1, "~missing.sin", {}},
    {{"import", "a.sin", "bad1.csv", "-o", "out.sin"}, {}, 1, "~bad1.csv: line 2", {}},
    {{"import", "a.sin", "bad4.csv", "-o", "a.sin"}, {}, 1, "~bad4.csv: line 2", {}, {"a.sin=new"}},
    {{"import", "a.sin", "-", "-o", "a.sin", "<in.csv"}, {}, 0, "", {}},
    {{"diff", "a.sin", "a.sin"}, {}, 0, "", {}},
    {{"diff", "a.sin", "missing.sin"}, {}, 2, "~missing.sin", {}},
    {{"diff", "a.sin", "b.sin"}, {}, 1, "", {}, {},
     "Squelch Level: \"9\" -> \"3\"\nbyte 0x200: FF -> 12\nbyte 0x3C0: F7 -> FF\n"},
    // What is not a regular file is refused by name and left alone; a link to one is followed.
    {{"export", "a.sin", "null"}, {}, 1, "~\"null\": it is a ", {}},
    {{"export", "a.sin", "stdout"}, {}, 1, "~\"stdout\": it is a ", {}},
    {{"new", "fifo"}, {}, 1, "~\"fifo\": it is a named pipe", {}},
    {{"show", "fifo"}, {}, 1, "~\"fifo\": it is a named pipe", {}},
    {{"import", "a.sin", "fifo", "-o", "out.sin"}, {}, 1, "~\"fifo\": it is a named pipe", {}},
    {{"report", "a.sin", "folder"}, {}, 1, "~\"folder\": it is a folder", {}},
    {{"new", "dangling"}, {}, 1, "~\"dangling\": it is a link to a missing file", {}},
    {{"new", "loop1"}, {}, 1, "~\"loop1\": it is a link loop", {}},
    {{"new", "link.sin"}, {}, 0, "", {}, {"b.sin=new"}},
    {{"report", "a.sin", "caf\\0351.pdf"}, {}, 0, "~", {"caf\u00E9.pdf"}},
    {{"SIM", "--image", "/dev/zero"}, {}, 1, "~", {}},
    // read and write.
    {{"read", "--port", "PORT", "out.sin"}, kRadio, 0, "", {"out.sin"}, {"out.sin=radio"}},
    // The simulator writes its memory safely: a link planted at its old temporary name
    // (memory.bin.part -> a.sin) is not followed.
    {{"write", "--port", "PORT", "big.sin"}, kRadio, 0, "", {}, {"radio=big.sin", "a.sin=new"}},
    // Channels outside the file's band are written only with --force; a write broken off midway
    // says the radio holds part of the new data.
    {{"write", "--port", "PORT", "uhf.sin"}, kRadio, 1,
     "Channel 3 Receive 462.56250 lies outside 136 - 174MHz\nChannel 3 Transmit 462.56250 lies "
     "outside 136 - 174MHz\norvo-cli write: nothing written (--force writes anyway)\n",
     {}, {"radio=radio"}},
    {{"write", "--force", "--port", "PORT", "uhf.sin"}, kRadio, 0, "", {}, {"radio=uhf.sin"}},
    {{"write", "--port", "PORT", "big.sin"}, QStringList{"--hang-up", "26"}, 1,
     "Error had happen,please try again\nThe radio now holds part of the new data. Write to the "
     "radio again before using it.\n",
     {}},
    // A file refuses its own export while its band contradicts it; import --field sets the band
    // before the check.
    {{"import", "uhf.sin", "uhf.csv", "-o", "out.sin"}, {}, 1,
     "~462.56250 is outside the band 136 - 174MHz", {}},
    {{"import", "uhf.sin", "uhf.csv", "-o", "out.sin", "--field", "400 - 470MHz"}, {}, 0, "",
     {"out.sin"}},
    {{"import", "a.sin", "uhf.csv", "-o", "out.sin", "--field", "400-470"}, {}, 2,
     "~no Field \"400-470\"", {}},
    {{"read", "--port", "PORT", "a.sin"}, QStringList{"--short-read", "5:11"}, 1,
     "not received enough  byte\n", {}, {"a.sin=new"}},
    {{"read", "--port", "PORT", "--retries", "1", "out.sin"}, QStringList{"--refuse-program"}, 1,
     std::string(kCommError) + "orvo-cli read: Retry\n" + kCommError + "orvo-cli read: Cancel\n",
     {}},
    {{"write", "--port", "PORT", "short.sin"}, kRadio, 1, "~1000 bytes", {}, {"radio=radio"}},
    {{"read", "--port", "/dev/orvo-no-such-port", "out.sin"}, {}, 1, kNoSuchPort, {}},
    {{"read", "--port", "COM9", "out.sin"}, {}, 1, "COM9 has no device\n", {}},
    {{"ORVO_COM2=/dev/orvo-sim-77", "ports"}, {}, 0, "", {}, {}, "COM2  /dev/orvo-sim-77\n"},
    // A byte inserted by a noisy line ends the read rather than shifting the blocks' bytes.
    {{"read", "--port", "PORT", "out.sin"}, QStringList{"--noisy-line", "7:2", "--delay", "0"}, 1,
     "not received enough  byte\n", {}},
    // verify compares by meaning, then byte by byte; write --verify reads the radio back.
    {{"verify", "--port", "PORT", "radio.sin"}, kRadio, 0, "", {}},
    {{"verify", "--port", "PORT", "ch1.sin"}, kRadio, 1, "", {}, {},
     "CH 1 Receive(MHz): \"145.50000\" -> \""},
    {{"verify", "--port", "PORT", "raw.sin"}, kRadio, 1, "", {}, {}, "byte 0x3F0: E8 -> B2\n"},
    {{"write", "--verify", "--port", "PORT", "raw.sin"}, kRadio, 0, "", {}, {"radio=raw.sin"}},
    {{"write", "--verify", "--port", "PORT", "ch1.sin"}, QStringList{"--corrupt-write", "2"}, 1,
     "~block 2: CH 1 Receive(MHz): \"145.50000\" -> \"145.50001\"\n", {}},
    {{"read", "out.sin"}, {}, 2, "~usage", {}},
    {{"write", "--port", "COM1"}, {}, 2, "~usage", {}},
    {{"read", "--port", "COM1", "--retries", "-1", "out.sin"}, {}, 2, "~usage", {}},
    // test-mode.
    {testMode({"--item", "low-power-voltage", "--value", "38", "--rx-tone", "d023n"}), kTestRadio,
     0, "Finish successfully!\n", {}, {}, "",
     {"test: item 72 Low Power Voltage", "test: frame B 00 00 85 08 FB 01 01 26"}},
    {testMode(), kTestRadio + QStringList{"--silent"}, 1,
     std::string(kTryAgain) + "orvo-cli test-mode: Cancel\n", {}},
    {testMode({"--retries", "2"}), kTestRadio + QStringList{"--silent"}, 1,
     std::string(kTryAgain) + "orvo-cli test-mode: Retry\n" + kTryAgain +
         "orvo-cli test-mode: Retry\n" + kTryAgain + "orvo-cli test-mode: Cancel\n",
     {}},
    {testMode({"--rx", "-5"}), kTestRadio + QStringList{"--silent"}, 1,
     "The receive frequency \"-5\" cannot be sent. Frequencies must lie between 0 and 999.99999 "
     "MHz.\n",
     {}, {}, "", {"nothing"}},
    {testMode({"--tx", "1234.5"}), kTestRadio + QStringList{"--silent"}, 1, "~transmit frequency",
     {}, {}, "", {"nothing"}},
    {testMode({"--rx-tone", ""}), kTestRadio + QStringList{"--silent"}, 1, "~receive tone", {}, {},
     "", {"nothing"}},
    {testMode({"--value", "256"}), kTestRadio + QStringList{"--silent"}, 1,
     "The value 256 cannot be sent. The value must lie between 0 and 255.\n", {}, {}, "",
     {"nothing"}},
    {{"test-mode", "--port", "/dev/null"}, {}, 2, "~usage", {}},
    {testMode({"--item", "volume"}, "/dev/null"), {}, 2, "~usage", {}},
    {testMode({"--tx-tone", "88.6"}, "/dev/null"), {}, 2, "~usage", {}},
    {testMode({"--value", "loud"}, "/dev/null"), {}, 2, "~usage", {}},
    {testMode({"--rx", "abc"}, "/dev/null"), {}, 2, "~usage", {}},
    {testMode({}, "/dev/orvo-no-such-port"), {}, 1, kNoSuchPort, {}},
};

QByteArray contentsOf(const QString& dir, const QString& name, SimProcess* sim)
{
    if (name == "new")
        return bytesOf(RadioImage::makeNew());
    if (name == "radio")
        return sim ? bytesOf(sim->stopAndReadMemory()) : bytesOf(radioMemory());
    return readWholeFile(dir + '/' + name).left(name.endsWith(".sin") ? kImageSize : -1);
}

TEST(Cli, EveryRowGivesItsStatusMessagesAndFiles)
{
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.args.join(' ').toStdString());
        QTemporaryDir dir;
        putInputs(dir.path());
        const QStringList inputs = entries(dir.path());
        std::optional<SimProcess> sim;
        QStringList args = row.args;
        if (row.radio) {
            const RadioImage memory = radioMemory();
            sim.emplace(*row.radio, &memory);
            ASSERT_TRUE(sim->started());
            QFile::link(dir.path() + "/a.sin", sim->folder() + "/memory.bin.part");
            args.replaceInStrings(QStringLiteral("PORT"), QString::fromStdString(sim->path()));
        }
        const CliRun run = runCli(dir.path(), args);

        EXPECT_EQ(run.status, row.status) << run.errors;
        if (row.errors.starts_with('~')) {
            EXPECT_NE(run.errors.find(row.errors.substr(1)), std::string::npos) << run.errors;
        } else {
            EXPECT_EQ(run.errors, row.errors);
        }
        EXPECT_NE(run.output.find(row.output), std::string::npos) << run.output;
        const QStringList after = entries(dir.path());
        QStringList changed;
        for (const QString& name : after)
            if (!inputs.contains(name))
                changed << name;
        for (const QString& name : inputs)
            if (!after.contains(name))
                changed << '-' + name;
        changed.sort();
        EXPECT_EQ(changed, row.files);
        for (const QString& pair : row.same) {
            const QStringList sides = pair.split('=');
            EXPECT_EQ(contentsOf(dir.path(), sides[0], sim ? &*sim : nullptr),
                      contentsOf(dir.path(), sides[1], nullptr))
                << pair.toStdString();
        }
        if (!row.heard.empty()) {
            const auto log = sim->stopAndReadTestLog();
            if (row.heard == std::vector<std::string>{"nothing"}) {
                EXPECT_TRUE(log.empty()) << log.front();
            }
            for (const std::string& line : row.heard) {
                if (line != "nothing") {
                    EXPECT_NE(std::find(log.begin(), log.end(), line), log.end()) << line;
                }
            }
        }
        std::error_code ec; // QDir cannot name what is not UTF-8
        std::filesystem::remove_all(dir.path().toStdString(), ec);
    }
}

TEST(Cli, ImportShowExportAndDiffAgree)
{
    QTemporaryDir temp;
    const QString dir = temp.path();
    putInputs(dir);
    QFile csv(dir + "/in.csv");
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write(QByteArray(kHeader) +
              "2,146.52,,,,,,,\n5,146.00625,146.005,d023n,67.0,Yes,Narrow,Delete,Low\n");
    csv.close();
    ASSERT_EQ(runCli(dir, {"import", "a.sin", "in.csv", "-o", "c.sin"}).status, 0);

    CliRun r = runCli(dir, {"show", "c.sin"});
    EXPECT_NE(r.output.find("136 - 174MHz\n"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("\n2   146.52000     146.52000                        No    Wide    "
                            "Add     High\n"),
              std::string::npos);
    EXPECT_NE(r.output.find("\n5   146.00625     146.00500      D023N    67.0     Yes   Narrow  "
                            "Delete  Low\n"),
              std::string::npos);

    const CliRun exported = runCli(dir, {"export", "c.sin", "-"});
    ASSERT_EQ(runCli(dir, {"export", "c.sin", "out.csv"}).status, 0);
    EXPECT_EQ(readWholeFile(dir + "/out.csv").toStdString(), exported.output);
    EXPECT_NE(exported.output.find("\r\n5,146.00625,146.00500,D023N,67.0,Yes,Narrow,Delete,Low\r\n"),
              std::string::npos);
    ASSERT_EQ(runCli(dir, {"import", "c.sin", "out.csv", "-o", "d.sin"}).status, 0);
    EXPECT_EQ(runCli(dir, {"diff", "c.sin", "d.sin"}).status, 0);

    r = runCli(dir, {"diff", "a.sin", "c.sin"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.output.find("CH 5 Rx Tone: \"\" -> \"D023N\"\n"), std::string::npos) << r.output;
    // The empty channels' flag bytes change without a visible text: listed as bytes.
    EXPECT_NE(r.output.find("byte 0x03C: FF -> AF\n"), std::string::npos);
}

// write --repeat writes one radio after the other, each on Enter: the second is silent.
TEST(Cli, WriteRepeatWritesOneRadioAfterTheOtherAndLogsASilentOne)
{
    SimProcess radios[] = {SimProcess(), SimProcess({"--silent"}), SimProcess()};
    const QString folder = radios[0].folder();
    const QString port = folder + "/cable";
    const QString in = writeImageFile(folder, "in.sin", patternedImage(3));
    QProcess cli;
    cli.start(QStringLiteral(ORVO_CLI_PATH),
              {"write", "--repeat", "--port", port, "--log", folder + "/log.csv", in});
    QStringList lines;
    for (SimProcess& radio : radios) {
        ASSERT_TRUE(radio.started());
        QFile::remove(port);
        ASSERT_TRUE(QFile::link(QString::fromStdString(radio.path()), port));
        cli.write("\n");
        while (!cli.canReadLine() && cli.waitForReadyRead(60000)) {
        }
        lines << QString::fromUtf8(cli.readLine());
    }
    cli.closeWriteChannel();
    cli.waitForFinished(60000);
    lines << QString::fromUtf8(cli.readAllStandardOutput());
    EXPECT_EQ(lines, QStringList({"radio 1: verified\n", "radio 2: failed\n", "radio 3: verified\n",
                                  "2 of 3 radios written and verified\n"}));
    EXPECT_EQ(cli.exitCode(), 1);
    const QList<QByteArray> log = readWholeFile(folder + "/log.csv").split('\n');
    ASSERT_EQ(log.size(), 5);
    EXPECT_TRUE(log[2].endsWith("," + port.toUtf8() + ",2,failed,\r")) << log[2].toStdString();
    EXPECT_EQ(radios[2].stopAndReadMemory(), patternedImage(3));
}

// Every file orvo-cli writes arrives whole or not at all: into a read-only folder, over a read-only
// file, into a missing folder and onto a disk that fills part-way (a file-size limit of 100 bytes),
// each writing verb exits with 1, names the file, and leaves the previous file and no other.
TEST(Cli, EveryWritingVerbWritesWholeOrNotAtAll)
{
    enum Place { ReadOnlyFolder, ReadOnlyFile, MissingFolder, FullDisk, Writable };
    const QStringList outputs{"out.sin", "out.csv", "out.pdf"};
    for (Place place : {ReadOnlyFolder, ReadOnlyFile, MissingFolder, FullDisk, Writable}) {
        QTemporaryDir temp;
        const QString dir = temp.path();
        QFile::setPermissions(dir, QFileDevice::Permissions(0x7755));
        putInputs(dir);
        const QString folder = place == MissingFolder ? "missing" : "out";
        if (place != MissingFolder) {
            QDir(dir).mkdir(folder);
            for (const QString& name : outputs) {
                QFile file(dir + '/' + folder + '/' + name);
                ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                file.write("previous " + name.toUtf8());
                file.setPermissions(place == ReadOnlyFile ? QFileDevice::Permissions(0x4444)
                                                          : QFileDevice::Permissions(0x6666));
            }
            QFile::setPermissions(dir + '/' + folder, place == ReadOnlyFolder
                                                          ? QFileDevice::Permissions(0x5555)
                                                          : QFileDevice::Permissions(0x7777));
        }
        const QStringList before = entries(dir + '/' + folder);
        const Limits limits{place == ReadOnlyFolder || place == ReadOnlyFile || place == Writable,
                            place == FullDisk ? rlim_t{100} : rlim_t{0}};
        const QString out = folder + "/out.";
        for (const QStringList& args :
             {QStringList{"new", out + "sin"}, QStringList{"import", "a.sin", "in.csv", "-o", out + "sin"},
              QStringList{"export", "a.sin", out + "csv"}, QStringList{"report", "a.sin", out + "pdf"}}) {
            SCOPED_TRACE(QString("%1: %2").arg(place).arg(args.join(' ')).toStdString());
            const CliRun run = runCli(dir, args, limits);
            if (run.status == 125)
                GTEST_SKIP() << "cannot run the tool as an unprivileged user here";
            const QByteArray now = readWholeFile(dir + '/' + args.last());
            EXPECT_EQ(entries(dir + '/' + folder), before);
            if (place == Writable) {
                EXPECT_EQ(run.status, 0) << run.errors;
                EXPECT_FALSE(now.startsWith("previous"));
                continue;
            }
            EXPECT_EQ(run.status, 1);
            EXPECT_NE(run.errors.find(args.last().toStdString()), std::string::npos) << run.errors;
            if (place != MissingFolder) {
                EXPECT_EQ(now, "previous " + args.last().section('/', 1).toUtf8());
            }
        }
        if (place == Writable) {
            EXPECT_EQ(readWholeFile(dir + "/out/out.sin").size(), kImageSize);
            EXPECT_TRUE(readWholeFile(dir + "/out/out.pdf").startsWith("%PDF-"));
        }
    }
}

} // namespace
