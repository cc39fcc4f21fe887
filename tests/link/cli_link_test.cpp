// orvo-cli read and write against orvo-radio-sim: files in and out, exit statuses, the messages on
// stderr, and no output file from a transfer that did not finish.
#include "sim_process.h"

#include "image/channel_codec.h"
#include "link/clone_session.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

using namespace orvo;

namespace {

struct CliRun
{
    int status = -1;
    QString errors;
};

CliRun runCli(const QStringList& arguments)
{
    QProcess cli;
    cli.start(QStringLiteral(ORVO_CLI_PATH), arguments);
    cli.waitForFinished(60000);
    return {cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1,
            QString::fromUtf8(cli.readAllStandardError())};
}

QByteArray bytesOf(const RadioImage& image)
{
    return QByteArray(reinterpret_cast<const char*>(image.bytes.data()), kImageSize);
}

RadioImage fromBytes(const QByteArray& bytes)
{
    RadioImage image;
    std::copy_n(bytes.constData(), kImageSize, image.bytes.begin());
    return image;
}

} // namespace

// Each run against a simulated radio holding `radio`: the exit status, stderr, and what the file
// and the radio hold afterwards. A transfer that did not finish writes no file; a write that broke
// off says the radio needs another; a file that write refuses leaves the radio alone.
TEST(CliTransfer, TransfersLeaveFileAndRadioAsTheyShould)
{
    const QByteArray radio = bytesOf(patternedImage(11)), file = bytesOf(patternedImage(12));
    RadioImage outsideImage = RadioImage::makeNew();
    encodeChannel({"462.56250", "462.56250", "", "", "No", "Wide", "Add", "High"}, outsideImage, 3);
    const QByteArray outside = bytesOf(outsideImage);
    const QString refused = "Communication Error，Please check all the connections and the radio "
                            "power\n";
    const struct
    {
        QStringList args; // the verb and the options but --port
        QStringList sim;
        QByteArray fileBefore; // empty: no file
        int status;
        QString errors;        // "*": any message
        QByteArray radioAfter; // empty: not compared
    } cases[] = {
        {{"read"}, {}, {}, 0, "", radio},
        {{"write"}, {}, file + "trailing bytes are not sent", 0, "", file},
        {{"read"}, {"--short-read", "5:11"}, {}, 1, "not received enough  byte\n", radio},
        {{"read"}, {"--short-read", "5:11"}, file, 1, "not received enough  byte\n", radio},
        {{"read", "--retries", "1"},
         {"--refuse-program"},
         {},
         1,
         refused + "orvo-cli read: Retry\n" + refused + "orvo-cli read: Cancel\n",
         radio},
        {{"write"},
         {"--hang-up", "26"},
         file,
         1,
         QString(kBlockErrorText) + "\n" + kPartialWriteText + "\n",
         {}},
        {{"write"}, {}, QByteArray(1023, '\x11'), 1, "*", radio},
        {{"write"},
         {},
         outside,
         1,
         "Channel 3 Receive 462.56250 lies outside 136 - 174MHz\n"
         "Channel 3 Transmit 462.56250 lies outside 136 - 174MHz\n"
         "orvo-cli write: nothing written (--force writes anyway)\n",
         radio},
        {{"write", "--force"}, {}, outside, 0, "", outside},
    };
    for (const auto& c : cases) {
        const RadioImage start = fromBytes(radio);
        SimProcess sim(c.sim, &start);
        ASSERT_TRUE(sim.started());
        const QString path = sim.folder() + "/file.sin";
        if (!c.fileBefore.isEmpty()) {
            QFile out(path);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(c.fileBefore);
        }
        const CliRun run =
            runCli(c.args + QStringList{"--port", QString::fromStdString(sim.path()), path});
        const QString what = c.args.join(' ') + " " + c.sim.join(' ');
        EXPECT_EQ(run.status, c.status) << what.toStdString();
        EXPECT_TRUE(c.errors == "*" ? !run.errors.isEmpty() : run.errors == c.errors)
            << what.toStdString() << ": " << run.errors.toStdString();
        const QByteArray fileAfter = c.args[0] == "read" && c.status == 0 ? radio : c.fileBefore;
        EXPECT_EQ(readWholeFile(path), fileAfter) << what.toStdString();
        if (!c.radioAfter.isEmpty()) {
            EXPECT_EQ(bytesOf(sim.stopAndReadMemory()), c.radioAfter) << what.toStdString();
        }
    }
}

TEST(CliTransfer, IncompleteArgumentsAreAUsageError)
{
    EXPECT_EQ(runCli({"read", "out.sin"}).status, 2);
    EXPECT_EQ(runCli({"write", "--port", "COM1"}).status, 2);
    EXPECT_EQ(runCli({"read", "--port", "COM1", "--retries", "-1", "out.sin"}).status, 2);
}
