// A port that a running transfer holds: orvo-cli, in a process of its own, gets the open-failure
// message at once and sends nothing, and the running transfer goes on to its end undisturbed.
// The window shows that message for a port it cannot open in transfer_test.
#include "gui_test_support.h"
#include "reliability_support.h"
#include "sim_process.h"

#include "link/port_setup.h"

#include <QProcess>

namespace {

const QString kOpenFailed = QString::fromUtf8(orvo::kOpenFailedMessage);

// What orvo-cli got: its status and whether its standard error names the open failure.
QString intrude(const QString& verb, const QString& device, const QString& folder)
{
    QStringList arguments{verb, "--port", device};
    if (verb == "test-mode")
        arguments << "--item" << "tx-power" << "--value" << "3" << "--rx" << "146" << "--tx" << "146";
    else
        arguments << folder + "/cli.sin";
    QProcess process;
    process.start(QStringLiteral(ORVO_CLI_PATH), arguments);
    if (!process.waitForFinished(45000))
        return QStringLiteral("did not end");
    return QStringLiteral("%1 %2").arg(process.exitCode()).arg(
        QString::fromUtf8(process.readAllStandardError()).contains(kOpenFailed) ? "+" : "-");
}

} // namespace

class PortInUseTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { quietPlatformWarnings(); }

    void aRunningTransferKeepsItsPort_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<QStringList>("intruders");
        QTest::newRow("read") << false << QStringList{"read", "test-mode"};
        QTest::newRow("write") << true << QStringList{"write"};
    }

    void aRunningTransferKeepsItsPort()
    {
        QFETCH(bool, write);
        QFETCH(QStringList, intruders);
        QTemporaryDir dir;
        const QString log = dir.filePath(QStringLiteral("sim.log"));
        const orvo::RadioImage radio = reliability::radioMemory();
        SimProcess sim({"--delay", "10", "--log", log}, &radio);
        QVERIFY(sim.started());
        const QString device = QString::fromStdString(sim.path());
        qputenv("ORVO_COM1", device.toLocal8Bit());
        saveWithCore(dir.filePath("cli.sin"), reliability::nextRadioMemory());
        const auto app = startApp();
        DialogAnswers answers;
        answers.fileAnswers = {dir.filePath("doc.sin")};
        ctrl(Qt::Key_S);
        const QByteArray document = readFileBytes(dir.filePath("doc.sin"));

        clickTool(write ? "ID_WRITE_TO_RADIO" : "ID_READ_FROM_RADIO");
        QStringList got;
        {
            ProgressWatch watch([&](int at) {
                if (at == 5)
                    for (const QString& who : intruders)
                        got << who + ": " + intrude(who, device, dir.path());
            });
            startAndWait();
        }
        for (const QString& who : intruders)
            QVERIFY2(got.contains(who + ": 1 +"), qPrintable(got.join('\n')));
        QCOMPARE(readFileBytes(dir.filePath("cli.sin")),
                 toBytes(reliability::nextRadioMemory()));
        QVERIFY(answers.boxes.isEmpty());
        QCOMPARE(reliability::requestsHeard(log, false), 1);
        if (write)
            QCOMPARE(toBytes(sim.stopAndReadMemory()), document);
        else
            QCOMPARE(formTexts(), formTextsOf(radio));
    }
};

ORVO_GUI_TEST_MAIN(PortInUseTest)
#include "port_in_use_test.moc"
