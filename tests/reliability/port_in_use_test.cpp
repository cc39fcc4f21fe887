// A port that a running transfer holds: orvo-cli, in a process of its own, gets the open-failure
// message at once and sends nothing, and the running transfer goes on to its end undisturbed.
// The window shows that message for a port it cannot open in transfer_test.
#include "gui_test_support.h"
#include "reliability_support.h"
#include "sim_process.h"

#include "link/port_setup.h"

#include <QProcess>

class PortInUseTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { quietPlatformWarnings(); }

    void aRunningTransferKeepsItsPort_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<QStringList>("verbs");
        QTest::newRow("read") << false << QStringList{"read", "test-mode"};
        QTest::newRow("write") << true << QStringList{"write"};
    }

    void aRunningTransferKeepsItsPort()
    {
        QFETCH(bool, write);
        QFETCH(QStringList, verbs);
        QTemporaryDir dir;
        const orvo::RadioImage radio = reliability::radioMemory();
        SimProcess sim({"--delay", "10"}, &radio);
        QVERIFY(sim.started());
        const QString device = QString::fromStdString(sim.path());
        qputenv("ORVO_COM1", device.toLocal8Bit());
        const QString cliFile = dir.filePath("cli.sin");
        saveWithCore(cliFile, reliability::nextRadioMemory());
        const auto app = startApp();
        DialogAnswers answers;
        answers.fileAnswers = {dir.filePath("doc.sin")};
        ctrl(Qt::Key_S);
        const QByteArray document = readFileBytes(dir.filePath("doc.sin"));

        // Each orvo-cli run fails at once with the open-failure message.
        qsizetype runs = 0;
        clickTool(write ? "ID_WRITE_TO_RADIO" : "ID_READ_FROM_RADIO");
        {
            ProgressWatch watch([&](int at) {
                for (const QString& verb : at == 5 ? verbs : QStringList()) {
                    QProcess cli;
                    cli.start(ORVO_CLI_PATH,
                              verb == "test-mode"
                                  ? QStringList{verb, "--port", device, "--item", "tx-frequency",
                                                "--value", "3", "--rx", "146", "--tx", "146"}
                                  : QStringList{verb, "--port", device, cliFile});
                    cli.waitForFinished(45000);
                    ++runs;
                    QCOMPARE(cli.exitCode(), 1);
                    QVERIFY(cli.readAllStandardError().contains(orvo::kOpenFailedMessage));
                }
            });
            startAndWait();
        }
        QCOMPARE(runs, verbs.size());
        QCOMPARE(readFileBytes(cliFile), toBytes(reliability::nextRadioMemory()));
        QVERIFY(answers.boxes.isEmpty());
        QCOMPARE(reliability::requestsHeard(sim.logPath(), false), 1);
        if (write)
            QCOMPARE(toBytes(sim.stopAndReadMemory()), document);
        else
            QCOMPARE(formTexts(), formTextsOf(radio));
    }
};

ORVO_GUI_TEST_MAIN(PortInUseTest)
#include "port_in_use_test.moc"
