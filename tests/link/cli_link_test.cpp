// orvo-cli read and write against orvo-radio-sim: files in and out, exit statuses, the messages on
// stderr, and no output file from a transfer that did not finish.
#include "sim_process.h"

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
