// orvo-cli read and write against orvo-radio-sim: files in and out, exit statuses, the messages on
// stderr, and no output file from a transfer that did not finish.
#include "sim_process.h"

#include "image/channel_codec.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

using namespace orvo;

namespace {

struct CliRun
{
    int status = -1;
    QString errors;
    QString output;
};

// `environment` entries "NAME=value" are added to the tool's environment.
CliRun runCli(const QStringList& arguments, const QStringList& environment = {})
{
    QProcess cli;
    cli.setEnvironment(QProcess::systemEnvironment() + environment);
    cli.start(QStringLiteral(ORVO_CLI_PATH), arguments);
    cli.waitForFinished(60000);
    return {cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1,
            QString::fromUtf8(cli.readAllStandardError()),
            QString::fromUtf8(cli.readAllStandardOutput())};
}

// A new image whose channel 1 receives on `receive`.
RadioImage withChannel1(const char* receive)
{
    RadioImage image = RadioImage::makeNew();
    encodeChannel({receive, "145.50000", "67.0", "67.0", "No", "Narrow", "Add", "High"}, image, 1);
    return image;
}

QByteArray bytesOf(const RadioImage& image)
{
    return QByteArray(reinterpret_cast<const char*>(image.bytes.data()), kImageSize);
}

} // namespace

TEST(CliTransfer, ReadStoresTheRadioMemoryInTheFile)
{
    const RadioImage radio = patternedImage(11);
    SimProcess sim({}, &radio);
    ASSERT_TRUE(sim.started());
    const QString out = sim.folder() + "/read.sin";
    const CliRun run = runCli({"read", "--port", QString::fromStdString(sim.path()), out});
    EXPECT_EQ(run.status, 0) << run.errors.toStdString();
    EXPECT_EQ(readWholeFile(out), bytesOf(radio));
}

TEST(CliTransfer, WriteSendsTheFirst1024BytesOfTheFile)
{
    SimProcess sim;
    ASSERT_TRUE(sim.started());
    const RadioImage image = patternedImage(12);
    const QString in = sim.folder() + "/in.sin";
    QFile file(in);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytesOf(image) + QByteArray("trailing bytes are not sent"));
    file.close();

    const CliRun run = runCli({"write", "--port", QString::fromStdString(sim.path()), in});
    EXPECT_EQ(run.status, 0) << run.errors.toStdString();
    EXPECT_EQ(sim.stopAndReadMemory(), image);
}

TEST(CliTransfer, AnUnfinishedReadExitsOneWithTheMessageAndLeavesTheFileAlone)
{
    SimProcess sim({"--short-read", "5:11"});
    ASSERT_TRUE(sim.started());
    const QString fresh = sim.folder() + "/fresh.sin";
    CliRun run = runCli({"read", "--port", QString::fromStdString(sim.path()), fresh});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, "not received enough  byte\n");
    EXPECT_FALSE(QFile::exists(fresh));

    const QString existing = writeImageFile(sim.folder(), "existing.sin", patternedImage(13));
    run = runCli({"read", "--port", QString::fromStdString(sim.path()), existing});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(readWholeFile(existing), bytesOf(patternedImage(13)));
}

TEST(CliTransfer, ANoisyLineNeverEndsAReadWithWrongBytes)
{
    // 0.2 % of the radio's bytes are followed by an inserted one.
    const RadioImage radio = patternedImage(15);
    SimProcess sim({"--noisy-line", "7:2", "--delay", "0"}, &radio);
    ASSERT_TRUE(sim.started());
    const QString out = sim.folder() + "/read.sin";
    for (int read = 0; read < 20; ++read) {
        QFile::remove(out);
        const CliRun run = runCli({"read", "--port", QString::fromStdString(sim.path()), out});
        EXPECT_EQ(run.status == 0 ? readWholeFile(out) : bytesOf(radio), bytesOf(radio)) << read;
    }
}

TEST(CliTransfer, RetriesAnswerRetryThatOftenThenCancel)
{
    SimProcess sim({"--refuse-program"});
    ASSERT_TRUE(sim.started());
    const QString out = sim.folder() + "/out.sin";
    const CliRun run =
        runCli({"read", "--port", QString::fromStdString(sim.path()), "--retries", "1", out});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors,
              "Communication Error，Please check all the connections and the radio power\n"
              "orvo-cli read: Retry\n"
              "Communication Error，Please check all the connections and the radio power\n"
              "orvo-cli read: Cancel\n");
    EXPECT_FALSE(QFile::exists(out));
}

TEST(CliTransfer, AShortFileIsRefusedBeforeThePortIsTouched)
{
    const RadioImage radio = patternedImage(14);
    SimProcess sim({}, &radio);
    ASSERT_TRUE(sim.started());
    const QString in = sim.folder() + "/short.sin";
    QFile file(in);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(1023, '\x11'));
    file.close();

    const CliRun run = runCli({"write", "--port", QString::fromStdString(sim.path()), in});
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(run.errors.isEmpty());
    EXPECT_EQ(sim.stopAndReadMemory(), radio);
}

TEST(CliTransfer, APortWithoutADeviceIsNamedAndNothingIsGuessed)
{
    // COM3 has no device where the system lists fewer than three ports and ORVO_COM3 is unset.
    const bool com3Free = runCli({"ports"}, {"ORVO_COM3="}).output.contains("COM3  (no device)");
    const struct
    {
        QStringList arguments;
        QStringList environment;
        int status;
        QString errors; // exact
        QString output; // a line it holds
    } cases[] = {
        {{"read", "--port", "/dev/orvo-no-such-port", "/tmp/orvo-never-written.sin"},
         {},
         1,
         "Could not Open the Port,Please check whether the Port are occupied or the device are "
         "ok\n/dev/orvo-no-such-port: No such file or directory\n",
         ""},
        {{"read", "--port", "COM3", "/tmp/orvo-never-written.sin"},
         {"ORVO_COM3="},
         1,
         "COM3 has no device\n",
         ""},
        {{"ports"}, {"ORVO_COM2=/dev/orvo-sim-77"}, 0, "", "COM2  /dev/orvo-sim-77\n"},
    };
    for (const auto& c : cases) {
        if (c.arguments.contains("COM3") && !com3Free)
            continue;
        const CliRun run = runCli(c.arguments, c.environment);
        EXPECT_EQ(run.status, c.status) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.errors, c.errors) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(run.output.contains(c.output)) << run.output.toStdString();
    }
    EXPECT_FALSE(QFile::exists("/tmp/orvo-never-written.sin"));
}

TEST(CliTransfer, IncompleteArgumentsAreAUsageError)
{
    EXPECT_EQ(runCli({"read", "out.sin"}).status, 2);
    EXPECT_EQ(runCli({"write", "--port", "COM1"}).status, 2);
    EXPECT_EQ(runCli({"read", "--port", "COM1", "--retries", "-1", "out.sin"}).status, 2);
}

TEST(CliTransfer, VerifyComparesTheRadioByMeaningThenByByte)
{
    const RadioImage file = withChannel1("145.50000");
    RadioImage rawByte = file;
    rawByte[0x3F0] ^= 0x5A;
    const struct
    {
        QStringList simOptions;
        RadioImage radio;
        QStringList verb;
        int status;
        const char* printed; // on stdout for verify, among the errors for write
    } cases[] = {
        {{}, file, {"verify"}, 0, ""},
        {{}, withChannel1("145.52500"), {"verify"}, 1,
         "CH 1 Receive(MHz): \"145.50000\" -> \"145.52500\"\n"},
        {{}, rawByte, {"verify"}, 1, "byte 0x3F0: DE -> 84\n"},
        {{}, rawByte, {"write", "--verify"}, 0, ""},
        {{"--corrupt-write", "2"}, rawByte, {"write", "--verify"}, 1,
         "block 2: CH 1 Receive(MHz): \"145.50000\" -> \"145.50001\"\n"},
    };
    for (const auto& c : cases) {
        SimProcess sim(c.simOptions, &c.radio);
        ASSERT_TRUE(sim.started());
        const QString in = writeImageFile(sim.folder(), "in.sin", file);
        const CliRun run =
            runCli(c.verb + QStringList{"--port", QString::fromStdString(sim.path()), in});
        EXPECT_EQ(run.status, c.status) << c.printed << run.errors.toStdString();
        if (c.verb[0] == "verify")
            EXPECT_EQ(run.output.toStdString(), c.printed);
        else
            EXPECT_TRUE(run.errors.contains(c.printed)) << run.errors.toStdString();
    }
}

TEST(CliTransfer, WriteRepeatWritesOneRadioAfterTheOtherAndLogsASilentOne)
{
    SimProcess radios[] = {SimProcess(), SimProcess({"--silent"}), SimProcess()};
    const QString folder = radios[0].folder();
    const QString port = folder + "/cable";
    const QString in = writeImageFile(folder, "in.sin", withChannel1("145.50000"));
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
    EXPECT_EQ(lines, QStringList({"radio 1: verified\n", "radio 2: failed\n",
                                  "radio 3: verified\n",
                                  "2 of 3 radios written and verified\n"}));
    EXPECT_EQ(cli.exitCode(), 1);
    const QList<QByteArray> log = readWholeFile(folder + "/log.csv").split('\n');
    ASSERT_EQ(log.size(), 5);
    EXPECT_TRUE(log[2].endsWith("," + port.toUtf8() + ",2,failed,\r")) << log[2].toStdString();
    EXPECT_EQ(radios[2].stopAndReadMemory(), withChannel1("145.50000"));
}
