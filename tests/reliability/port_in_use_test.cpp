// A port that a running transfer holds: a second instance of the application and orvo-cli, each
// in a process of its own, get the open-failure message at once and send nothing, and the
// running transfer goes on to its end undisturbed.
//
// The second instance is this program started again with ORVO_SECOND_INSTANCE set to the
// command it runs (read, write or test) and ORVO_SECOND_INSTANCE_REPORT to the file that gets
// one line per message box it showed.
#include "gui_test_support.h"
#include "reliability_support.h"
#include "sim_process.h"

#include "app/main_frame.h"
#include "app/tern_app.h"
#include "app/tern_doc.h"
#include "editor/tern_view.h"
#include "link/port_setup.h"
#include "link/progress_dlg.h"
#include "testmode/debug_mode_dlg.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

constexpr int kTransferTimeoutMs = 120000;
// The second process may take its time to start on a busy machine; the radio waits a minute
// between blocks.
constexpr int kIntruderTimeoutMs = 45000;

const QString kOpenFailed = QString::fromUtf8(orvo::kOpenFailedMessage);

CTernDoc* document()
{
    return AfxGetTernApp()->GetDocument();
}

struct Run
{
    int status = -1;
    QString errors;
};

Run runCli(const QStringList& arguments)
{
    QProcess cli;
    cli.start(QStringLiteral(ORVO_CLI_PATH), arguments);
    Run run;
    if (cli.waitForFinished(kIntruderTimeoutMs) && cli.exitStatus() == QProcess::NormalExit)
        run.status = cli.exitCode();
    run.errors = QString::fromUtf8(cli.readAllStandardError());
    return run;
}

// The boxes a second instance showed, one "text<TAB>buttons" line each.
QStringList runSecondInstance(const QString& command, const QString& folder)
{
    const QString report = folder + QStringLiteral("/second-") + command + QStringLiteral(".txt");
    QProcess second;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ORVO_SECOND_INSTANCE"), command);
    environment.insert(QStringLiteral("ORVO_SECOND_INSTANCE_REPORT"), report);
    second.setProcessEnvironment(environment);
    second.setProcessChannelMode(QProcess::ForwardedChannels);
    second.start(QCoreApplication::applicationFilePath(), {});
    if (!second.waitForFinished(kIntruderTimeoutMs) || second.exitCode() != 0)
        return {QStringLiteral("the second instance failed")};
    QFile file(report);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("the second instance wrote no report")};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QString boxLine(const QString& text, QMessageBox::StandardButtons buttons)
{
    return text + QLatin1Char('\t') + QString::number(buttons.toInt());
}

// The open failure of a port another program holds, as the second instance reports it: the
// message, then the device and the system's reason on a line of its own.
QStringList heldMessage(const QString& device)
{
    return {kOpenFailed,
            boxLine(device + ": Permission error while locking the device", QMessageBox::Ok)};
}

// Runs Read From Radio or Write To Radio and, once the transfer has moved a few blocks, calls
// `intrude` while it runs (between two blocks, where the radio waits for the next one).
void transferWithIntruder(bool write, const std::function<void()>& intrude)
{
    clickToolButton(write ? CMainFrame::ID_WRITE_TO_RADIO : CMainFrame::ID_READ_FROM_RADIO);
    CProgressDlg* dialog = ternView()->m_pProgressDlg;
    QVERIFY(dialog && dialog->HasWindow());
    QObject guard;
    bool asked = false;
    QObject::connect(dialog->m_progress, &QProgressBar::valueChanged, &guard, [&](int position) {
        if (position != 5 || asked)
            return;
        asked = true;
        QMetaObject::invokeMethod(&guard, intrude, Qt::QueuedConnection);
    });
    QTest::mouseClick(dialog->m_btnStart, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->HasWindow() && !ternView()->IsTransferRunning(),
                             kTransferTimeoutMs);
    QVERIFY(asked);
}

} // namespace

class PortInUseTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<CTernApp> app;
    QTemporaryDir dir;

private slots:
    void initTestCase() { quietPlatformWarnings(); }

    void init()
    {
        app = startApplication();
        QVERIFY(mainFrame());
    }

    void cleanup()
    {
        if (app && document())
            document()->SetModifiedFlag(false);
        app.reset();
    }

    // While a read runs: orvo-cli read and test-mode, and a second instance's Read From Radio.
    void aRunningReadKeepsItsPort()
    {
        const QString log = dir.filePath(QStringLiteral("read.log"));
        const orvo::RadioImage radio = reliability::radioMemory();
        SimProcess sim({"--delay", "10", "--log", log}, &radio);
        QVERIFY(sim.started());
        const QString device = QString::fromStdString(sim.path());
        qputenv("ORVO_COM1", device.toLocal8Bit());
        const QString out = dir.filePath(QStringLiteral("cli-read.sin"));

        DialogAnswers answers;
        bool running = false;
        Run cliRead;
        Run cliTest;
        QStringList second;
        transferWithIntruder(false, [&] {
            running = ternView()->IsTransferRunning();
            cliRead = runCli({"read", "--port", device, out});
            cliTest = runCli({"test-mode", "--port", device, "--item", "tx-power", "--value", "3",
                              "--rx", "146", "--tx", "146"});
            second = runSecondInstance(QStringLiteral("read"), dir.path());
        });
        QVERIFY(running);

        for (const Run& run : {cliRead, cliTest}) {
            QCOMPARE(run.status, 1);
            QVERIFY2(run.errors.contains(kOpenFailed), qPrintable(run.errors));
        }
        QVERIFY(!QFile::exists(out));
        QCOMPARE(second, heldMessage(device));

        // The first read went on to its end, and no one else's request reached the radio.
        QVERIFY(answers.boxes.isEmpty());
        QVERIFY(document()->m_image == radio);
        QCOMPARE(reliability::requestsHeard(log, false), 1);
    }

    // While a write runs: orvo-cli write, and a second instance's Write To Radio and Test Mode.
    void aRunningWriteKeepsItsPort()
    {
        const QString log = dir.filePath(QStringLiteral("write.log"));
        const orvo::RadioImage radio = reliability::radioMemory();
        SimProcess sim({"--delay", "10", "--log", log}, &radio);
        QVERIFY(sim.started());
        const QString device = QString::fromStdString(sim.path());
        qputenv("ORVO_COM1", device.toLocal8Bit());
        const QString other = dir.filePath(QStringLiteral("other.sin"));
        saveWithCore(other, reliability::nextRadioMemory());

        ternView()->UpdateImageFromView();
        const orvo::RadioImage sent = document()->m_image;
        DialogAnswers answers;
        Run cliWrite;
        QStringList secondWrite;
        QStringList secondTest;
        transferWithIntruder(true, [&] {
            cliWrite = runCli({"write", "--port", device, other});
            secondWrite = runSecondInstance(QStringLiteral("write"), dir.path());
            secondTest = runSecondInstance(QStringLiteral("test"), dir.path());
        });

        QCOMPARE(cliWrite.status, 1);
        QVERIFY2(cliWrite.errors.contains(kOpenFailed), qPrintable(cliWrite.errors));
        QCOMPARE(secondWrite, heldMessage(device));
        QCOMPARE(secondTest, heldMessage(device));

        QVERIFY(answers.boxes.isEmpty());
        QCOMPARE(reliability::requestsHeard(log, false), 1);
        QVERIFY(sim.stopAndReadMemory() == sent);
    }
};

// The second instance: the application started as main() starts it, one command on COM1, and
// every box it showed written to the report.
class SecondInstance : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { quietPlatformWarnings(); }

    void runCommand()
    {
        const QString command = qEnvironmentVariable("ORVO_SECOND_INSTANCE");
        std::unique_ptr<CTernApp> app = startApplication();
        QVERIFY(mainFrame());
        DialogAnswers answers;
        if (command == QLatin1String("test")) {
            answers.dialogDriver = [](QDialog& dialog) {
                auto* debug = qobject_cast<CDebugModeDlg*>(&dialog);
                QVERIFY(debug);
                QTest::mouseClick(debug->m_btnStart, Qt::LeftButton);
            };
            clickToolButton(CMainFrame::ID_TEST_MODE);
        } else {
            const bool write = command == QLatin1String("write");
            clickToolButton(write ? CMainFrame::ID_WRITE_TO_RADIO : CMainFrame::ID_READ_FROM_RADIO);
            CProgressDlg* dialog = ternView()->m_pProgressDlg;
            QVERIFY(dialog && dialog->HasWindow());
            QTest::mouseClick(dialog->m_btnStart, Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(!dialog->HasWindow() && !ternView()->IsTransferRunning(),
                                     kTransferTimeoutMs);
        }
        QFile report(qEnvironmentVariable("ORVO_SECOND_INSTANCE_REPORT"));
        QVERIFY(report.open(QIODevice::WriteOnly | QIODevice::Truncate));
        for (const ShownBox& box : answers.boxes)
            report.write((boxLine(box.text, box.buttons) + QLatin1Char('\n')).toUtf8());
        document()->SetModifiedFlag(false);
    }
};

int main(int argc, char** argv)
{
    QTemporaryDir settingsHome;
    qputenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (qEnvironmentVariableIsSet("ORVO_SECOND_INSTANCE")) {
        SecondInstance second;
        char* programOnly[] = {argv[0], nullptr};
        return QTest::qExec(&second, 1, programOnly);
    }
    PortInUseTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "port_in_use_test.moc"
