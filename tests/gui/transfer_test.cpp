// Write To Radio and Read From Radio through the window against orvo-radio-sim on a pty: a
// running transfer and its progress dialog, an edited file written, verified and saved, with the
// Port menu, Write To Several Radios. A radio that is silent or hangs up is the fault matrix's.
#include "gui_test_support.h"
#include "reliability_support.h"
#include "sim_process.h"

#include "app/transfer_controller.h"
#include "core/image/channel_codec.h"
#include "core/link/clone_session.h"
#include "core/link/port_setup.h"
#include "document/document.h"
#include "document/settings.h"
#include "widgets/pending_edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QTreeWidget>

namespace {

void useRadio(const SimProcess& sim)
{
    QVERIFY(sim.started());
    qputenv("ORVO_COM1", QByteArray::fromStdString(sim.path()));
}

const QStringList kPorts{"ID_COM1", "ID_COM2", "ID_COM3", "ID_COM4"};
const QStringList kGuarded{"ID_READ_FROM_RADIO",   "ID_WRITE_TO_RADIO", "ID_TEST_MODE",
                           "ID_OPTIONAL_FEATURES", "ID_FILE_NEW",       "ID_FILE_OPEN",
                           "ID_FILE_SAVE",         "ID_FILE_SAVE_AS",   "ID_FILE_PRINT",
                           "ID_FILE_PRINT_PREVIEW"};

// Whether each command is enabled (or checked).
QList<bool> states(const QStringList& names, bool (QAction::*state)() const = &QAction::isEnabled)
{
    QList<bool> out;
    for (const QString& name : names)
        out.append((command(qPrintable(name))->*state)());
    return out;
}

} // namespace

class TransferTest : public GuiTest
{
    Q_OBJECT

private slots:
    // The transfer controller alone: Yes to the close question, given after the transfer ended
    // (Cancel pressed while the question was open), closes at once and leaves no request for
    // the next transfer.
    void aCloseRequestLivesWithItsTransfer()
    {
        app.reset();
        const orvo::RadioImage memory = reliability::radioMemory();
        SimProcess sim({"--delay", "10"}, &memory);
        Document doc;
        Settings settings;
        struct : PendingEdit
        {
            void commitPendingEdit() override {}
        } edit;
        orvo::RadioLink link;
        const auto port = [&] { return orvo::RadioPort{sim.path(), {}}; };
        TransferController transfers(doc, settings, edit, link, port, {}, nullptr);
        QSignalSpy closes(&transfers, &TransferController::closeRequested);
        std::optional<bool> mayClose;
        setMessageBoxHook([&](const MessageBoxRequest&) {
            progressDialog()->findChild<QPushButton*>("btnCancel")->click();
            const bool ended = QTest::qWaitFor([&] { return !transfers.isRunning(); });
            return ended ? QMessageBox::Yes : QMessageBox::No;
        });
        for (int run = 0; run < 2; ++run) {
            transfers.read();
            ProgressWatch watch([&](int at) {
                if (at == 5 && !mayClose) // asked from the event loop, as closing the window is
                    QTimer::singleShot(0, [&] { mayClose = transfers.queryClose(); });
            });
            QTest::mouseClick(progressDialog()->findChild<QPushButton*>("btnStart"),
                              Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(!transfers.isRunning() && progressDialog()->isHidden(), 60000);
        }
        QCOMPARE(mayClose, std::optional<bool>(true));
        QTest::qWait(50); // a request would be queued
        QCOMPARE(closes.count(), 0);
        setMessageBoxHook({});
        delete progressDialog(); // a controller without a parent leaves its dialog behind
    }

    // A transfer from its dialog's Cancel to the window closed while it runs.
    void aRunningTransfer()
    {
        const QString log = path("sim.log");
        const orvo::RadioImage memory = reliability::radioMemory();
        SimProcess sim({"--delay", "10", "--log", log}, &memory);
        useRadio(sim);
        DialogAnswers answers;
        const QStringList form = formTexts();

        // Cancel before Start (the button, the close box) sends nothing.
        ctrl(Qt::Key_R);
        QTest::mouseClick(progressDialog()->findChild<QPushButton*>("btnCancel"), Qt::LeftButton);
        QVERIFY(!progressDialog()->isVisible());
        ctrl(Qt::Key_W);
        QVERIFY(progressDialog()->close());
        QCOMPARE(reliability::requestsHeard(log, false), 0);

        // While a read runs, the commands that would disturb it and the form are disabled and
        // their keys do nothing; a port chosen meanwhile is the next transfer's. Cancel during
        // the read shows nothing and leaves the form and its unsaved state alone.
        // The status line shows the protocol's texts and the blocks done; a file dropped on the
        // window meanwhile is not opened.
        ctrl(Qt::Key_R);
        writeFileBytes(path("dropped.csv"), "CH,Receive(MHz),Transmit(MHz),Rx Tone,Tx Tone,Busy,"
                                            "W/N,Scan,Power\n1,145.50000,,,,,,,\n");
        QList<bool> during;
        bool formEnabled = true;
        int last = 0;
        QStringList statuses;
        {
            ProgressWatch watch([&](int at) {
                last = at;
                if (at == 1 || at == 20)
                    statuses << progressDialog()->findChild<QLabel*>("lblStatus")->text();
                if (at == 5) {
                    dropOnWindow(path("dropped.csv"));
                    during = states(kGuarded);
                    formEnabled =
                        channelTable()->isEnabled() || settingList("cmbBeep")->isEnabled();
                    QVERIFY(command("ID_FILE_PRINT_SETUP")->isEnabled());
                    QTest::keyClick(mainWindow(), Qt::Key_W, Qt::ControlModifier);
                    QTest::keyClick(mainWindow(), Qt::Key_N, Qt::ControlModifier);
                    command("ID_COM2")->trigger();
                } else if (at == 20) {
                    QTest::mouseClick(progressDialog()->findChild<QPushButton*>("btnCancel"),
                                      Qt::LeftButton);
                }
            });
            startAndWait();
        }
        QCOMPARE(last, 20);
        QCOMPARE(statuses, (QStringList{
                               QString::fromStdString(orvo::messageText(orvo::MessageKind::Waiting)),
                               "19"}));
        QVERIFY(readFileBytes(log).count(" clone: read block ") < 32); // it stopped there
        QCOMPARE(during, QList<bool>(kGuarded.size(), false));
        QCOMPARE(answers.dialogTitles, QStringList()); // no import preview for the drop
        QVERIFY(!formEnabled);
        QCOMPARE(states(kGuarded), QList<bool>(kGuarded.size(), true));
        QCOMPARE(states(kPorts, &QAction::isChecked), (QList<bool>{false, true, false, false}));
        // The only box: COM2's device is not there.
        QCOMPARE(answers.texts(),
                 QStringList{"COM2 stands for /nonexistent/orvo-port, which is not there now. Plug "
                             "the cable in, or give COM2 another device with Port > Choose Port."});
        answers.boxes.clear();
        QCOMPARE(formTexts(), form);
        QVERIFY(!asksToSave());
        // Where COM2 leads nowhere or to a silent radio is the fault matrix's.
        qputenv("ORVO_COM2", QByteArray::fromStdString(sim.path()));
        transferFromToolbar(false);
        QCOMPARE(formTexts(), formTextsOf(memory));

        // What the read brought is asked about before the next: Cancel reads nothing. Closing
        // the window during a transfer asks first; No: the read goes on, the window stays;
        // Yes: the read is cancelled and the window closes once it has ended.
        answers.boxes.clear();
        answers.boxAnswers = {QMessageBox::Cancel, QMessageBox::Discard, QMessageBox::No,
                              QMessageBox::Discard, QMessageBox::Yes};
        transferFromToolbar(false);
        QApplication::setQuitOnLastWindowClosed(false);
        bool closed = true;
        for (bool yes : {false, true}) {
            ctrl(Qt::Key_R);
            {
                ProgressWatch watch([&closed](int at) {
                    if (at == 10)
                        closed = mainWindow()->close();
                });
                startAndWait();
            }
            QVERIFY(!closed);
            QCOMPARE(answers.boxes.last().buttons, QMessageBox::Yes | QMessageBox::No);
            if (!yes) {
                QVERIFY(mainWindow()->isVisible());
                QCOMPARE(formTexts(), formTextsOf(memory));
                ctrl(Qt::Key_N);
            }
        }
        QTRY_VERIFY(!mainWindow()->isVisible());
        QCOMPARE(answers.boxes.size(), 5); // nothing to save at the end: the read was cancelled
        QCOMPARE(formTexts(), form);
        QVERIFY(sim.stopAndReadMemory() == memory);
    }

    // About opened in the middle of a write leaves the line alone: the write goes on while the
    // box is up, and the radio ends up holding the whole file.
    void aDialogDuringAWrite()
    {
        SimProcess sim({"--delay", "10"});
        useRadio(sim);
        DialogAnswers answers;
        const QString file = path("document.sin");
        saveWithCore(file, reliability::documentImage());
        answers.fileAnswers = {file};
        ctrl(Qt::Key_O);
        ctrl(Qt::Key_S); // the file as the program stores it
        QProgressBar* bar = nullptr;
        int movedDuringAbout = 0;
        answers.dialogDriver = [&](QDialog& about) {
            QCOMPARE(about.objectName(), QStringLiteral("AboutDlg"));
            const int from = bar->value();
            QTRY_VERIFY_WITH_TIMEOUT(bar->value() >= from + 20, 20000);
            movedDuringAbout = bar->value() - from;
        };
        ctrl(Qt::Key_W);
        bar = progressDialog()->findChild<QProgressBar*>(QStringLiteral("progressBar"));
        {
            ProgressWatch watch([](int at) {
                if (at == 30)
                    QTimer::singleShot(0, [] { clickTool("ID_APP_ABOUT"); });
            });
            startAndWait();
        }
        QVERIFY(movedDuringAbout >= 20);
        QVERIFY(answers.boxes.isEmpty());
        QVERIFY(sim.stopAndReadMemory() == fromBytes(readFileBytes(file)));
        // A write cancelled midway says what the radio holds now.
        SimProcess next({"--delay", "10"});
        useRadio(next);
        ctrl(Qt::Key_W);
        {
            ProgressWatch watch([](int at) {
                if (at == 10)
                    QTest::mouseClick(progressDialog()->findChild<QPushButton*>("btnCancel"),
                                      Qt::LeftButton);
            });
            startAndWait();
        }
        QCOMPARE(answers.texts(), QStringList{QString::fromStdString(orvo::messageText(orvo::MessageKind::PartialWrite))});
    }

    // "Verify after writing" to a radio that stores block 2 wrongly names the block. The check
    // box and COM3's device typed in Choose Port stay over a restart, where the Port menu names
    // each COMn's device and disables those with none. A file edited with its cell still open is
    // written, verified and saved: Verify With Radio finds the radio holding the saved bytes.
    // Verifying changes nothing.
    void verifyAfterWritingAndWithRadio()
    {
        SimProcess corrupt({"--delay", "10", "--corrupt-write", "2"});
        useRadio(corrupt);
        DialogAnswers answers;
        const auto verifyBox = [] {
            return progressDialog()->findChild<QCheckBox*>(QStringLiteral("chkVerify"));
        };
        ctrl(Qt::Key_R);
        ctrl(Qt::Key_W); // the waiting Read dialog becomes a write's
        QTest::mouseClick(verifyBox(), Qt::LeftButton);
        startAndWait();
        QVERIFY2(answers.texts().value(0).startsWith(
                     QStringLiteral("The radio does not hold what was written:\nblock 2: ")),
                 qPrintable(answers.texts().value(0)));
        qputenv("ORVO_COM2", "/dev/ttyUSB7");
        qputenv("ORVO_COM3", "");
        qputenv("ORVO_COM4", "");
        answers.dialogDriver = [](QDialog& dialog) {
            chooseListEntry(dialog.findChild<QComboBox*>(QStringLiteral("cmbPort")), 2);
            auto* device = dialog.findChild<QLineEdit*>(QStringLiteral("editDevice"));
            QTest::keyClick(device, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(device, QStringLiteral("/dev/ttyORVO3"));
            QTest::keyClick(device, Qt::Key_Return);
        };
        clickMenu("menuPort", "ID_CHOOSE_PORT");
        QCOMPARE(states(kPorts, &QAction::isChecked), (QList<bool>{false, false, true, false}));

        app.reset();
        app = startApp();
        clickMenu("menuPort", "ID_COM1");
        QVERIFY(command("ID_COM3")->text().contains("/dev/ttyORVO3"));
        QCOMPARE(states({"ID_COM2", "ID_COM4"}), (QList<bool>{true, false}));
        const QString file = path("document.sin");
        saveWithCore(file, reliability::documentImage());
        answers.fileAnswers = {file};
        ctrl(Qt::Key_O);
        typeOnCell(1, 1, QStringLiteral("151.825")); // left open: the write takes it
        SimProcess good({"--delay", "10"});
        useRadio(good);
        ctrl(Qt::Key_W);
        QVERIFY(verifyBox()->isChecked());
        startAndWait();
        QVERIFY(answers.texts().last().startsWith("Written and verified"));
        ctrl(Qt::Key_S);
        const orvo::RadioImage same = fromBytes(readFileBytes(file));
        QCOMPARE(cellText(1, 1), QStringLiteral("151.82500"));

        // What the dialog lists for other images is verify_dialog_test's.
        QString summary;
        answers.dialogDriver = [&summary](QDialog& dialog) {
            summary = dialog.findChild<QLabel*>(QStringLiteral("lblSummary"))->text();
        };
        clickMenu("menuProgram", "ID_VERIFY_WITH_RADIO");
        startAndWait();
        QCOMPARE(summary, QStringLiteral("The radio holds what the document holds."));
        QCOMPARE(formTexts(), formTextsOf(same));
        QVERIFY(!asksToSave());
        QCOMPARE(answers.boxes.size(), 3); // the write's, COM3's device not there, the verified write
        QVERIFY(good.stopAndReadMemory() == same);
        QVERIFY(answers.texts().value(1).startsWith("COM3 stands for /dev/ttyORVO3, which is not"));
        ctrl(Qt::Key_W);
        QTest::mouseClick(verifyBox(), Qt::LeftButton); // off again for the other tests
        QTest::keyClick(progressDialog(), Qt::Key_Escape);
    }

    // Write To Several Radios: six radios in a row, the second silent, the third storing a block
    // wrongly, the fourth failing the read-back, the fifth unplugged, the sixth cancelled while it
    // is written. Start, then Enter for each; the counts and the log, chosen before the first
    // radio (after a cancelled first try) and saved as each finishes, say which radios were
    // written and verified and why the others were not. The bar is full only after a completed
    // write; after the run the button reads Close; a log that cannot be written says so.
    void severalRadiosWithASilentOne()
    {
        SimProcess first({"--delay", "10"});
        SimProcess silent({"--silent"});
        SimProcess third({"--delay", "10", "--corrupt-write", "2"});
        SimProcess fourth({"--delay", "10", "--short-read", "5:11"});
        SimProcess sixth({"--delay", "10"});
        DialogAnswers answers;
        answers.fileAnswers = {QString(), path("log.csv"), path("gone/log.csv")};
        answers.dialogDriver = [&](QDialog& dialog) {
            auto* start = dialog.findChild<QPushButton*>(QStringLiteral("btnStart"));
            auto* save = dialog.findChild<QPushButton*>(QStringLiteral("btnSaveLog"));
            auto* cancel = dialog.findChild<QPushButton*>(QStringLiteral("btnCancel"));
            QTest::mouseClick(save, Qt::LeftButton);
            QTest::mouseClick(save, Qt::LeftButton);
            for (const SimProcess* radio :
                 {&first, &silent, &third, &fourth, (SimProcess*)nullptr, &sixth}) {
                if (radio)
                    useRadio(*radio);
                else
                    qputenv("ORVO_COM1", "/nonexistent");
                QTest::keyClick(&dialog, Qt::Key_Return);
                QVERIFY(!start->isEnabled());
                if (radio == &sixth)
                    QTest::mouseClick(cancel, Qt::LeftButton);
                QTRY_VERIFY_WITH_TIMEOUT(start->isEnabled(), 60000); // the next radio is asked for
                auto* bar = dialog.findChild<QProgressBar*>(QStringLiteral("progressBar"));
                QCOMPARE(bar->value(), radio == &first || radio == &third ? bar->maximum() : 0);
            }
            QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("lblCount"))->text(),
                     QStringLiteral("6 radios: 1 verified, 1 different, 2 failed, 1 cancelled, 1 "
                                    "written, not verified"));
            QCOMPARE(cancel->text(), QStringLiteral("Close"));
            QTest::mouseClick(save, Qt::LeftButton);
            QVERIFY(answers.texts().last().endsWith("choose Save Log again."));
        };
        clickMenu("menuProgram", "ID_WRITE_TO_SEVERAL_RADIOS");
        QStringList log;
        for (const QByteArray& line : readFileBytes(path("log.csv")).split('\n'))
            log.append(QString::fromUtf8(line).section(QLatin1Char(','), 1).trimmed());
        QCOMPARE(log, (QStringList{"Port,Radio,Result,Differences,Reason", "COM1,1,verified,,",
                                   "COM1,2,failed,,Communication Error\uFF0CPlease check all the "
                                   "connections and the radio power",
                                   "COM1,3,different,block 2: byte 0x010: FF -> FE,",
                                   "COM1,4,\"written, not verified\",,\"not received enough  byte "
                                   "The radio was written; only the check after writing failed, "
                                   "so what it holds was not compared.\"",
                                   "COM1,5,not opened,,\"Could not Open the Port,Please check "
                                   "whether the Port are occupied or the device are ok "
                                   "/nonexistent: No such file or directory\"",
                                   "COM1,6,cancelled,,", ""}));
        // The silent radio's error, the third's differences, the fourth's failure and what it
        // means, the unplugged radio's, the log's.
        QCOMPARE(answers.texts().size(), 6);
    }
};

ORVO_GUI_TEST_MAIN(TransferTest)
#include "transfer_test.moc"
