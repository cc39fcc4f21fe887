// orvo-cli run as a program, one row per case: arguments, the radio on the port and its fault, the
// exit status, what it says, and which files it leaves.
#include "core/formats/channel_csv.h"
#include "core/image/channel_codec.h"
#include "core/link/clone_session.h"
#include "sim_process.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

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
const std::string kNoSuchPort =
    "Could not Open the Port,Please check whether the Port are occupied "
    "or the device are ok\n/dev/orvo-no-such-port: No such file or "
    "directory\n";
const std::string kCommError =
    "Communication Error，Please check all the connections and the radio power\n";
const std::string kTryAgain = " Error had happen ,need try again\n";

// The radio every transfer row talks to holds this; "radio" in a row's `same` stands for it. Its
// channels, as those of every patterned image, lie outside every band: writing them takes --force.
RadioImage radioMemory()
{
    return patternedImage(1);
}

// The files every case starts with, and what is not a regular file.
void putInputs(const QString& dir)
{
    RadioImage ch1 = radioMemory();
    encodeChannel({"145.50000", "145.50000", "67.0", "67.0", "No", "Narrow", "Add", "High"}, ch1,
                  1);
    RadioImage raw = radioMemory();
    raw[0x3F0] ^= 0x5A; // not interpreted
    RadioImage b = RadioImage::makeNew();
    b[0x3C1] = 0x03;                        // Squelch Level 9 -> 3
    b[0x3C0] |= 0x08;                       // Refuse Emergency Alert: not on the form
    b[0x200] = 0x12;                        // not interpreted
    RadioImage uhf = RadioImage::makeNew(); // channel 3 outside its band, 136 - 174MHz
    encodeChannel({"462.56250", "462.56250", "", "", "No", "Wide", "Add", "High"}, uhf, 3);
    uhf[0x3D6] = 0x00; // a model code of no ZT-4: the band code counts all the same
    RadioImage model = RadioImage::makeNew();
    model[0x3D6] = 0xFF;
    RadioImage full = RadioImage::makeNew(); // as an import leaves it: every channel encoded
    for (int ch = 1; ch <= kChannelCount; ++ch)
        encodeChannel({}, full, ch);
    encodeChannel({"146.52000", "146.52000", "", "", "No", "Wide", "Add", "High"}, full, 2);
    encodeChannel({"146.00625", "146.00500", "D023N", "67.0", "Yes", "Narrow", "Delete", "Low"},
                  full, 5);
    encodeChannel({"", "146.10000", "", "D754I", "No", "Wide", "Delete", "High"}, full, 9);
    const std::pair<const char*, QByteArray> files[] = {
        {"a.sin", toBytes(RadioImage::makeNew())},
        {"uhf.sin", toBytes(uhf)},
        {"uhf.csv", QByteArray(kHeader) + "3,462.56250,462.56250,,,No,Wide,Add,High\n"},
        {"full.sin", toBytes(full)},
        {"full.csv", QByteArray::fromStdString(exportChannelCsv(full))},
        {"b.sin", toBytes(b)},
        {"model.sin", toBytes(model)},
        {"big.sin", toBytes(patternedImage(12)) + "trailing bytes are not sent"},
        {"short.sin", QByteArray(1023, '\xFF')},
        {"ff.sin", QByteArray(1024, '\xFF')},
        {"radio.sin", toBytes(radioMemory())},
        {"ch1.sin", toBytes(ch1)},
        {"raw.sin", toBytes(raw)},
        {".new.sin.tmp-2147483646-0", "what a killed save leaves"},
        {"in.csv", QByteArray(kHeader) + "1,146.52,,67.0,,,,,\n"},
        {"bad4.csv", QByteArray(kHeader) + "1,146.52,,,,,,\n"}, // eight fields
        {"rofile", "read-only"},
        {"ro/old", "in a read-only folder"},
    };
    QDir(dir).mkdir("ro");
    QDir(dir).mkdir("folder");
    for (const auto& [name, bytes] : files) {
        writeFileBytes(dir + '/' + name, bytes);
        QFile::setPermissions(dir + '/' + name, QFileDevice::Permissions(0x6444));
    }
    QFile::setPermissions(dir + "/rofile", QFileDevice::Permissions(0x4444));
    QFile::setPermissions(dir + "/ro", QFileDevice::Permissions(0x5555));
    QFile::setPermissions(dir, QFileDevice::Permissions(0x7777)); // for the unprivileged runs
    const std::string d = dir.toStdString();
    ::mkfifo((d + "/fifo").c_str(), 0644);
    // A device of our own stands for /dev/null, which a faulty tool would replace; without the
    // right to make one, a named pipe stands in.
    if (::mknod((d + "/null").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) != 0)
        ::mkfifo((d + "/null").c_str(), 0644);
    for (const auto& [link, target] : {std::pair{"stdout", "null"},
                                       {"link.sin", "b.sin"},
                                       {"dangling", "nowhere"},
                                       {"loop1", "loop2"},
                                       {"loop2", "loop1"}})
        std::filesystem::create_symlink(target, d + '/' + link);
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

QStringList words(const std::string& text)
{
    return QString::fromStdString(text).split(' ', Qt::SkipEmptyParts);
}

struct CliRun
{
    int status = -1;
    std::string errors;
    std::string output;
};

// Runs `command` in `dir` with orvo-cli as its program, through the shell: its quotes, "<FILE"
// and $(...) work. Leading words "NAME=value" go to its environment; "@nobody" runs it as an
// unprivileged user (a superuser would write into read-only folders), "@full" on a disk that
// fills after 100 bytes, "@tty" with a terminal for stdout and stderr (both then read as stdout),
// "@sim" with orvo-radio-sim as its program.
CliRun runCli(const QString& dir, QString command)
{
    QStringList environment = QProcess::systemEnvironment(), flags;
    for (QString word; (word = command.section(' ', 0, 0)).contains('=') || word.startsWith('@');
         command = command.section(' ', 1))
        (word.startsWith('@') ? flags : environment) << word;
    const bool nobody = flags.contains("@nobody"), full = flags.contains("@full");
    QProcess cli;
    cli.setWorkingDirectory(dir);
    cli.setEnvironment(environment);
    cli.setChildProcessModifier([nobody, full] {
        constexpr uid_t kNobody = 65534;
        if (nobody && ::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(125);
        if (full) {
            // A write past the limit then fails with EFBIG instead of killing the tool.
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit r{100, 100};
            ::setrlimit(RLIMIT_FSIZE, &r);
        }
    });
    cli.start("/bin/sh",
              {"-c",
               flags.contains("@tty") ? "exec script -qec \"$0 " + command + "\" /dev/null"
                                      : "exec \"$0\" " + command,
               flags.contains("@sim") ? ORVO_SIM_PATH : ORVO_CLI_PATH});
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
    std::string command; // orvo-cli's arguments for the shell; PORT: the simulated radio's device
    std::string radio;   // the simulator's options, where the command names PORT
    int status;
    std::string errors = ""; // what stderr says exactly, or with a leading ~ a part of it
    std::string files = ""; // what the run adds to the inputs' entries, and "-NAME" what it removes
    // "X=Y": file X (or "radio", the radio's memory) equals file Y or "new"; "X=": X is as it was.
    std::string same = "";
    std::string output = ""; // a part of stdout
    std::string heard = "";  // lines of the radio's test-mode log ('|' between), or "nothing"
};

std::string testMode(const std::string& extra = "", const std::string& port = "PORT")
{
    return "test-mode --port " + port +
           " --item tx-power --value 47 --rx 136.20000 --tx 146.52000 --tx-tone 88.5 " + extra;
}

const std::string kSilent = "--delay 10 --silent";

const Row kRows[] = {
    // Usage and help.
    {"", "", 2, "~usage: orvo-cli VERB"},
    {"frob", "", 2, "orvo-cli: unknown verb 'frob' (see orvo-cli --help)\n"},
    {"--help", "", 0, "", "", "", "  2  bad usage; for diff and verify also: they could not"},
    {"new --help", "", 0, "", "", "", "usage: orvo-cli new OUT.sin\n"},
    {"new --bogus", "", 2, "orvo-cli new: unknown option '--bogus'\nusage: orvo-cli new OUT.sin\n"},
    {"new -- x.sin", "", 2, "~unknown option '--'"},
    {"import a.sin in.csv -o out.sin -x", "", 2, "~unknown option '-x'"},
    {"report a.sin out.pdf -x", "", 2, "~unknown option '-x'"},
    {"report a.sin out.pdf --page lettex", "", 2, "~unknown page size 'lettex'"},
    {"ports x", "", 2, "~takes no arguments"},
    {"read --port", "", 2, "~--port needs a value"},
    {"read --port COM1 -x", "", 2, "~unknown option '-x'"},
    {"read --port COM1 a.sin b.sin", "", 2, "~only one file"},
    {"write --port COM1 --log", "", 2, "~--log needs a file"},
    {"write --port COM1 --repeat --log '' a.sin", "", 2, "~--log needs a file"},
    {"write --port COM1 --log l.csv a.sin", "", 2, "~--log goes with --repeat"},
    // The file verbs.
    {"new new.sin", "", 0, "", "-.new.sin.tmp-2147483646-0 new.sin", "new.sin=new"},
    {"import a.sin in.csv -o no/such/folder.sin", "", 1, "~folder.sin"},
    {"new a.sin/x.sin", "", 1, "~Not a directory"},
    {"show short.sin", "", 1, "~1023 bytes"},
    {"show folder", "", 1, "~folder"},
    {"export short.sin out.csv", "", 1, "~1023 bytes"},
    {"report short.sin out.pdf", "", 1, "~1023 bytes"},
    {"show missing.sin", "", 1, "~missing.sin"},
    {"import missing.sin in.csv -o out.sin", "", 1, "~missing.sin"},
    {"import a.sin bad4.csv -o a.sin", "", 1, "~bad4.csv: line 2: 9 fields expected, found 8", "",
     "a.sin="},
    {"import a.sin - -o a.sin <in.csv", "", 0, "orvo-cli import: 1 channel changed\n"},
    {"show ff.sin", "", 0, "", "", "", "(model code FF is not ZT-4"},
    {"show full.sin", "", 0, "", "", "",
     "5   146.00625     146.00500      D023N    67.0     Yes   "},
    {"export full.sin -", "", 0, "", "", "", "Power\r\n1,,,,,,,,\r\n2,146.52000,146.52000,,,No,"},
    {"export full.sin out.csv", "", 0, "", "out.csv", "out.csv=full.csv"},
    {"diff a.sin a.sin", "", 0},
    {"diff a.sin missing.sin", "", 2, "~missing.sin"},
    {"diff a.sin b.sin", "", 1, "", "", "",
     "block 120: Squelch Level: \"9\" -> \"3\"\nblock 64: byte 0x200: FF -> 12\nblock 120: byte "
     "0x3C0: F7 -> FF\n"},
    // The model code shows in no list: a byte, and Field stays the band of the band code.
    {"diff a.sin model.sin", "", 1, "", "", "", "block 122: byte 0x3D6: 33 -> FF\n"},
    // Standard output that takes nothing is a failure; names and cells are quoted escaped.
    {"show a.sin >&-", "", 1, "~orvo-cli: cannot write to standard output: Bad file descriptor"},
    {"ports >/dev/full", "", 1, "~cannot write to standard output: No space left on device"},
    // Escaped: controls, C1 controls, surrogates, code points past U+10FFFF and cut sequences.
    {"show \"$(printf 'caf\\303\\251\\033[2J\\302\\233\\377\\351\\242\\221\\360\\237\\230\\200"
     "\\355\\240\\200\\364\\220\\200\\200\\351\\242')\"",
     "", 1,
     "orvo-cli: Cannot open \"caf\u00E9\\x1B[2J\\xC2\\x9B\\xFF\u9891\U0001F600\\xED\\xA0\\x80"
     "\\xF4\\x90\\x80\\x80\\xE9\\xA2\": No such file or directory\n"},
    {"report a.sin out.pdf --page A4", "", 0, "~", "out.pdf"},
    // What is not a regular file is refused by name and left alone; a link to one is followed.
    {"export a.sin null", "", 1, "~\"null\": it is a "},
    {"export a.sin stdout", "", 1, "~\"stdout\": it is a "},
    {"new fifo", "", 1, "~\"fifo\": it is a named pipe"},
    {"show fifo", "", 1, "~\"fifo\": it is a named pipe"},
    {"import a.sin fifo -o out.sin", "", 1, "~\"fifo\": it is a named pipe"},
    {"report a.sin folder", "", 1, "~\"folder\": it is a folder"},
    {"new dangling", "", 1, "~\"dangling\": it is a link to a missing file"},
    {"new loop1", "", 1, "~\"loop1\": it is a link loop"},
    {"new link.sin", "", 0, "", "", "b.sin=new"},
    {"report a.sin \"$(printf 'caf\\351.pdf')\"", "", 0, "~", "caf\u00E9.pdf"},
    // Each writing verb writes whole or not at all: into a read-only folder, over a read-only
    // file, onto a full disk: it names the file and leaves the previous one and no other.
    {"@nobody new out.sin", "", 0, "~", "out.sin"},
    {"@nobody new ro/old", "", 1, "~ro/old", "", "ro/old="},
    {"@nobody report a.sin ro/old", "", 1, "~ro/old", "", "ro/old="},
    {"@nobody import a.sin in.csv -o rofile", "", 1, "~rofile", "", "rofile="},
    {"@full new out.sin", "", 1, "~out.sin"},
    {"@full import a.sin in.csv -o b.sin", "", 1, "~b.sin", "", "b.sin="},
    {"@full export a.sin in.csv", "", 1, "~in.csv", "", "in.csv="},
    {"@full report a.sin b.sin", "", 1, "~b.sin", "", "b.sin="},
    // read and write.
    {"ORVO_COM1=PORT read --port COM1 out.sin", "", 0, "", "out.sin", "out.sin=radio"},
    {"@full read --port PORT out.sin", "", 1, "~out.sin\": File too large"},
    // A log lost after a radio was written and verified fails the run.
    {"@full write --force --repeat --log log.csv --port \"$(ln -s PORT the-radio-on-the-desk-by-"
     "the-door && echo \"$PWD/the-radio-on-the-desk-by-the-door\")\" big.sin <in.csv",
     "", 1, "~orvo-cli write: stopped: the log does not hold radio 1\n",
     "the-radio-on-the-desk-by-the-door@", "radio=big.sin", "1 of 1 radios written"},
    // Where the file goes is checked before the port is looked at.
    {"read --port COM9 fifo", "", 1,
     "Cannot write \"fifo\": it is a named pipe, not a regular file\n"},
    {"@nobody write --repeat --log ro/log.csv --port COM9 a.sin", "", 1,
     "Cannot write \"ro/log.csv\": Permission denied\n"},
    {"write --repeat --port PORT a.sin </dev/null", "", 1, "~", "", "radio=radio", "0 of 0 radios"},
    {"write --force --port PORT big.sin", "", 0, "", "", "radio=big.sin"},
    {"write --port PORT full.sin", "", 0, "", "", "radio=full.sin"},
    // Channels outside the file's band are written only with --force; a write broken off midway
    // says the radio holds part of the new data.
    {"write --port PORT uhf.sin", "", 1,
     "Channel 3 Receive 462.56250 lies outside 136 - 174MHz\nChannel 3 Transmit 462.56250 lies "
     "outside 136 - 174MHz\norvo-cli write: nothing written (--force writes anyway)\n",
     "", "radio=radio"},
    {"write --force --port PORT uhf.sin", "", 0, "", "", "radio=uhf.sin"},
    {"write --force --port PORT big.sin", "--hang-up 26", 1,
     "Error had happen,please try again\nThe radio now holds part of the new data. Write to the "
     "radio again before using it.\n"},
    // A channel outside the band is refused unless the file holds it already; import --field
    // sets the band before the check.
    {"import a.sin uhf.csv -o out.sin", "", 1, "~462.56250 is outside the band 136 - 174MHz"},
    {"import uhf.sin uhf.csv -o out.sin", "", 0, "orvo-cli import: 0 channels changed\n", "out.sin",
     "out.sin=uhf.sin"},
    {"import a.sin uhf.csv -o out.sin --field '400 - 470MHz'", "", 0,
     "orvo-cli import: 1 channel changed\n", "out.sin"},
    // Import changes the channels the file lists and keeps the others; --replace empties them.
    {"diff full.sin \"$(\"$0\" import full.sin in.csv -o out.sin && echo out.sin)\"", "", 1,
     "orvo-cli import: 1 channel changed\n", "out.sin", "",
     "block 2: CH 1 Receive(MHz): \"\" -> \"146.52000\""},
    {"diff full.sin \"$(\"$0\" import full.sin in.csv -o out.sin --replace && echo out.sin)\"", "",
     1, "orvo-cli import: 4 channels changed\n", "out.sin", "",
     "block 4: CH 2 Receive(MHz): \"146.52000\" -> \"\""},
    {"import a.sin uhf.csv -o out.sin --field 400-470", "", 2, "~no Field \"400-470\""},
    {"read --port PORT a.sin", "--short-read 5:11", 1, "not received enough  byte\n", "", "a.sin="},
    {"read --port PORT --retries 1 out.sin", "--refuse-program", 1,
     kCommError + "orvo-cli read: Retry\n" + kCommError + "orvo-cli read: Cancel\n"},
    {"write --port PORT short.sin", "", 1, "~1023 bytes", "", "radio=radio"},
    {"read --port /dev/orvo-no-such-port out.sin", "", 1, kNoSuchPort},
    {"read --port COM9 out.sin", "", 1, "COM9 has no device\n"},
    {"ORVO_COM2=/dev/orvo-sim-77 ports", "", 0, "", "", "", "COM2  /dev/orvo-sim-77\n"},
    // A byte inserted by a noisy line ends the read rather than shifting the blocks' bytes.
    {"read --port PORT out.sin", "--noisy-line 7:2 --delay 0", 1, "not received enough  byte\n"},
    // verify compares by meaning, then byte by byte; write --verify reads the radio back.
    {"verify --port PORT radio.sin", "", 0},
    {"verify --port PORT ch1.sin", "", 1, "", "", "",
     "block 2: CH 1 Receive(MHz): \"145.50000\" -> \""},
    {"verify --port PORT raw.sin", "", 1, "", "", "", "block 126: byte 0x3F0: E8 -> B2\n"},
    {"verify --port COM9 a.sin", "", 2, "COM9 has no device\n"},
    {"verify --port /dev/null short.sin", "", 2, "~1023 bytes"},
    {"verify --port /dev/orvo-no-such-port a.sin", "", 2, kNoSuchPort},
    {"write --force --verify --port PORT raw.sin", "", 0, "", "", "radio=raw.sin"},
    {"write --force --verify --port PORT ch1.sin", "--corrupt-write 2", 1,
     "~block 2: CH 1 Receive(MHz): \"145.50000\" -> \"145.50001\"\n"},
    {"write --force --verify --port PORT raw.sin", "--short-read 5:11", 1,
     std::string("not received enough  byte\n") + messageText(MessageKind::ReadBackFailed) + "\n"},
    // On a terminal the transfer shows its progress on one line.
    {"@tty write --force --verify --port PORT raw.sin", "", 0, "", "", "", "Reading back [#####"},
    // test-mode.
    {testMode("--item low-power-voltage --value 38 --rx-tone d023n"), "--delay 10", 0,
     "Finish successfully!\n", "", "", "",
     "test: item 72 Low Power Voltage|test: frame B 00 00 85 08 FB 01 01 26"},
    {testMode(), "--test-no-h header", 1, kTryAgain + "orvo-cli test-mode: Cancel\n"},
    {testMode("--retries 2"), kSilent, 1,
     kTryAgain + "orvo-cli test-mode: Retry\n" + kTryAgain + "orvo-cli test-mode: Retry\n" +
         kTryAgain + "orvo-cli test-mode: Cancel\n"},
    {testMode("--rx -146.52"), kSilent, 2,
     "~--rx needs a frequency in MHz from 0 to 999.99999 such as 146.52000, not '-146.52'", "", "",
     "", "nothing"},
    {testMode("--rx-tone ''"), kSilent, 2, "~unknown tone ''", "", "", "", "nothing"},
    {testMode("--value 256"), kSilent, 2, "~--value needs a whole number 0..255", "", "", "",
     "nothing"},
    {"test-mode --port", "", 2, "~missing value: --port"},
    {testMode("--retries x", "/dev/null"), "", 2, "~--retries needs"},
    {testMode("--bogus 1", "/dev/null"), "", 2, "~unknown option '--bogus'"},
    {testMode("", "COM9"), "", 1, "COM9 has no device\n"},
    {testMode("", "/dev/orvo-no-such-port"), "", 1, kNoSuchPort},
    // The memory CSV of other programs: export --format common, import it back by its header
    // into the same file, and compare: only Busy, which the format lacks, is lost, and it says so.
    {"diff full.sin \"$(\"$0\" import full.sin \"$(\"$0\" export full.sin c.csv --format common "
     "&& echo c.csv)\" -o out.sin && echo out.sin)\"",
     "", 1,
     "orvo-cli: the common memory CSV has no Busy column: Busy Yes of channel 5 is not written\n"
     "orvo-cli: channel 9 has a transmit frequency only: its line leaves Frequency empty, which "
     "other programs may refuse\norvo-cli import: 1 channel changed\n",
     "c.csv out.sin", "", "block 11: CH 5 Busy: \"Yes\" -> \"No\"\n"},
    {"import a.sin \"$(printf 'Location,Frequency\\n17,146.52\\n' >m.csv && echo m.csv)\" -o a.sin",
     "", 1,
     "orvo-cli: m.csv: line 2, column Location: \"17\" is not a channel of this radio (1 to 16)\n"
     "orvo-cli: nothing written\n",
     "m.csv", "a.sin="},
    // Lists from bigger radios: in order from channel 1, the lines this radio cannot take skipped
    // and listed; exit 1 when no channel changed. A new Field warns of the channels it leaves out.
    {"import a.sin DATA/handheld_0based.csv -o out.sin --place order --skip-unfit", "", 0,
     "~handheld_0based.csv: line 41: skipped: no channel left after channel 16\n"
     "orvo-cli import: 16 channels changed\n",
     "out.sin"},
    {"import a.sin \"$(printf 'Location,Frequency\\n17,146.52\\n' >m.csv && echo m.csv)\" -o a.sin "
     "--skip-unfit",
     "", 1,
     "orvo-cli: m.csv: line 2: skipped: column Location: \"17\" is not a channel of this radio (1 "
     "to 16)\norvo-cli import: 0 channels changed\norvo-cli: nothing written\n",
     "m.csv", "a.sin="},
    {"import full.sin uhf.csv -o out.sin --field '400 - 470MHz'", "", 0,
     "~orvo-cli: Channel 2 Receive 146.52000 lies outside 400 - 470MHz\n", "out.sin"},
    // The simulator refuses files it could not write before it serves, a pipe without waiting.
    {"@sim --dump folder", "", 1,
     "orvo-radio-sim: --dump: Cannot write \"folder\": it is a folder, not a regular file\n"},
    {"@sim --log fifo", "", 1,
     "orvo-radio-sim: --log: Cannot write \"fifo\": it is a named pipe, not a regular file\n"},
    // A channel on the band's upper edge lies inside it: written without --force.
    {"write --port PORT \"$(printf '%s\\n1,174,,,,,,,\\n' \"$(head -1 in.csv)\" | \"$0\" "
     "import a.sin - -o edge.sin && echo edge.sin)\"",
     "", 0, "orvo-cli import: 1 channel changed\n", "edge.sin", "radio=edge.sin"},
};

QByteArray contentsOf(const QString& dir, const QString& name, SimProcess* sim)
{
    if (name == "new")
        return toBytes(RadioImage::makeNew());
    if (name == "radio")
        return sim ? toBytes(sim->stopAndReadMemory()) : toBytes(radioMemory());
    return readFileBytes(dir + '/' + name).left(name.endsWith(".sin") ? kImageSize : -1);
}

TEST(Cli, EveryRowGivesItsStatusMessagesAndFiles)
{
    QTemporaryDir before;
    putInputs(before.path());
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.command);
        QTemporaryDir dir;
        putInputs(dir.path());
        const QStringList inputs = entries(dir.path());
        std::optional<SimProcess> sim;
        QString command = QString::fromStdString(row.command);
        if (row.command.find("PORT") != std::string::npos) {
            const RadioImage memory = radioMemory();
            sim.emplace(words(row.radio), &memory);
            ASSERT_TRUE(sim->started());
            command.replace("PORT", QString::fromStdString(sim->path()));
        }
        command.replace("DATA/", ORVO_TEST_DATA "/");
        const CliRun run = runCli(dir.path(), command);

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
        EXPECT_EQ(changed, words(row.files));
        for (const QString& pair : words(row.same)) {
            const QString x = pair.section('=', 0, 0), y = pair.section('=', 1);
            EXPECT_EQ(
                contentsOf(dir.path(), x, sim ? &*sim : nullptr),
                contentsOf(y.isEmpty() ? before.path() : dir.path(), y.isEmpty() ? x : y, nullptr))
                << pair.toStdString();
        }
        if (!row.heard.empty()) {
            QString log;
            for (const std::string& line : sim->stopAndReadTestLog())
                log += QString::fromStdString(line) + '|';
            for (const QString& line : QString::fromStdString(row.heard).split('|'))
                EXPECT_TRUE(line == "nothing" ? log.isEmpty() : log.contains(line + '|'))
                    << qPrintable(line);
        }
        std::error_code ec; // QDir cannot name what is not UTF-8
        std::filesystem::remove_all(dir.path().toStdString(), ec);
    }
}

// write --repeat writes one radio after the other, each on Enter, into a log as CSV saved as
// each finishes: the first is cancelled by Ctrl+C while it waits on a silent radio, the second is
// silent, the fourth has no device.
TEST(Cli, WriteRepeatWritesOneRadioAfterTheOtherAndLogsEach)
{
    SimProcess radios[] = {SimProcess({"--silent"}), SimProcess({"--silent"}), SimProcess()};
    const QString folder = radios[0].folder();
    const QString port = folder + "/ca,ble";
    const QString in = folder + "/in.sin";
    writeFileBytes(in, toBytes(patternedImage(3)));
    QProcess cli;
    cli.start(QStringLiteral(ORVO_CLI_PATH),
              {"write", "--force", "--repeat", "--port", port, "--log", folder + "/log.csv", in});
    QStringList lines;
    for (int n = 0; n < 4; ++n) {
        QFile::remove(port);
        if (n < 3) {
            ASSERT_TRUE(radios[n].started());
            ASSERT_TRUE(QFile::link(QString::fromStdString(radios[n].path()), port));
        }
        cli.write("\n");
        cli.waitForBytesWritten(10000);
        if (n == 0) { // Ctrl+C once the silent radio hears the request
            for (int i = 0; i < 6000 && !readFileBytes(radios[0].logPath()).contains("silent"); ++i)
                QThread::msleep(10);
            ::kill(static_cast<pid_t>(cli.processId()), SIGINT);
        }
        while (!cli.canReadLine() && cli.waitForReadyRead(60000)) {
        }
        lines << QString::fromUtf8(cli.readLine());
        // Each radio is in the log once its line is out, not only at the end.
        EXPECT_EQ(readFileBytes(folder + "/log.csv").count('\n'), n + 2);
    }
    cli.closeWriteChannel();
    cli.waitForFinished(60000);
    lines << QString::fromUtf8(cli.readAllStandardOutput());
    EXPECT_EQ(lines, QStringList({"radio 1: cancelled\n",
                                  QString::fromStdString("radio 2: failed: " + kCommError),
                                  "radio 3: verified\n",
                                  "radio 4: not opened: Could not Open the Port,Please check "
                                  "whether the Port are occupied or the device are ok " +
                                      port + ": No such file or directory\n",
                                  "1 of 4 radios written and verified\n"}));
    EXPECT_EQ(cli.exitCode(), 1);
    const QList<QByteArray> log = readFileBytes(folder + "/log.csv").split('\n');
    ASSERT_EQ(log.size(), 6);
    EXPECT_TRUE(log[1].endsWith(",\"" + port.toUtf8() + "\",1,cancelled,,\r")) << log[1].data();
    EXPECT_EQ(radios[2].stopAndReadMemory(), patternedImage(3));
}

} // namespace
