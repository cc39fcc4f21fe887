// A port that a running transfer holds: orvo-cli and a second instance of the application, each
// in a process of its own, get the open-failure message at once and send nothing, and the
// running transfer goes on to its end undisturbed. The second instance is this program started
// again with ORVO_SECOND_INSTANCE set to its command (read, write or test); it prints one line
// per message box it showed.
#include "gui_test_support.h"
#include "reliability_support.h"
#include "sim_process.h"

#include "link/port_setup.h"

#include <QProcess>
#include <QPushButton>

namespace {

const QString kOpenFailed = QString::fromUtf8(orvo::kOpenFailedMessage);

QString boxLine(const QString& text, QMessageBox::StandardButtons buttons)
{
    return QStringLiteral("box: %1 %2").arg(text).arg(buttons.toInt());
}

// What an intruder got: orvo-cli's status and standard error, or the second instance's boxes.
QString intrude(const QString& who, const QString& device, const QString& folder)
{
    QProcess process;
    const QStringList words = who.split(' ');
    if (words[0] == "cli") {
        QStringList arguments{words[1], "--port", device};
        if (words[1] == "test-mode")
            arguments << "--item" << "tx-power" << "--value" << "3" << "--rx" << "146" << "--tx"
                      << "146";
        else
            arguments << folder + "/cli.sin";
        process.start(QStringLiteral(ORVO_CLI_PATH), arguments);
    } else {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("ORVO_SECOND_INSTANCE"), words[1]);
        process.setProcessEnvironment(environment);
        process.start(QCoreApplication::applicationFilePath(), {});
    }
    if (!process.waitForFinished(45000))
        return QStringLiteral("did not end");
    QStringList lines;
    for (const QString& line : QString::fromUtf8(process.readAll()).split('\n'))
        if (line.startsWith("box: "))
            lines << line;
    return QStringLiteral("%1 %2 %3").arg(process.exitCode()).arg(lines.join('|'),
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
        QTest::newRow("read") << false << QStringList{"cli read", "cli test-mode", "app read"};
        QTest::newRow("write") << true << QStringList{"cli write", "app write", "app test"};
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
            QVERIFY2(got.contains(who + ": " + (who.startsWith("cli") ? "1  +"
                                   : "0 " + boxLine(kOpenFailed, QMessageBox::Ok) + " -")),
                     qPrintable(got.join('\n')));
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

// The second instance: the application started as main() starts it, one command on COM1.
class SecondInstance : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { quietPlatformWarnings(); }

    void runCommand()
    {
        const QString command = qEnvironmentVariable("ORVO_SECOND_INSTANCE");
        const auto app = startApp();
        DialogAnswers answers;
        answers.dialogDriver = [](QDialog& dialog) {
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("btnStart")),
                              Qt::LeftButton);
        };
        if (command == QLatin1String("test"))
            clickTool("ID_TEST_MODE");
        else
            transferFromToolbar(command == QLatin1String("write"));
        for (const ShownBox& box : answers.boxes)
            std::printf("%s\n", qPrintable(boxLine(box.text, box.buttons)));
        std::fflush(stdout);
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
