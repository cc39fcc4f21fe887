// Read From Radio and Write To Radio through the window, against orvo-radio-sim on a pty: what a
// read shows, what a write leaves in the radio, the progress dialog's texts and counts, Cancel
// before and during a transfer, the messages of a missing port and a silent radio (a pulled cable
// is a fault matrix cell), the commands a running transfer disables, and closing the window while
// it runs.
#include "gui_test_support.h"
#include "sim_process.h"

#include "app/main_frame.h"
#include "app/tern_app.h"
#include "app/tern_doc.h"
#include "editor/tern_view.h"
#include "grid/ms_flex_grid.h"
#include "image/channel_codec.h"
#include "image/settings_codec.h"
#include "link/clone_session.h"
#include "link/port_setup.h"
#include "link/progress_dlg.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSerialPort>
#include <QStatusBar>
#include <QWindow>

namespace {

using Texts = orvo::ChannelTexts;

// Long enough for a whole transfer at --delay 10 on a busy machine.
constexpr int kTransferTimeoutMs = 120000;

// The radio's memory for reads: channels and settings other than a new image's.
orvo::RadioImage radioImage()
{
    orvo::RadioImage image = orvo::RadioImage::makeNew();
    const std::map<int, Texts> channels{
        {1, {"446.00625", "446.00625", "67.0", "D023N", "No", "Narrow", "Add", "High"}},
        {2, {"438.50000", "430.50000", "", "", "Yes", "Wide", "Delete", "Low"}},
        {7, {"", "440.00000", "254.1", "D754I", "No", "Wide", "Add", "Low"}},
        {16, {"462.56250", "467.56250", "", "", "Yes", "Narrow", "Delete", "High"}},
    };
    for (const auto& [ch, texts] : channels)
        orvo::encodeChannel(texts, image, ch);
    orvo::SettingSelections selections{};
    const auto& boxes = orvo::settingBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i)
        selections[i] = static_cast<int>(boxes[i].entries.size()) - 1;
    selections[static_cast<std::size_t>(orvo::SettingBox::Type)] = 0;
    selections[static_cast<std::size_t>(orvo::SettingBox::Field)] = 2;
    orvo::encodeSettings(selections, image);
    return image;
}

QStringList gridTexts()
{
    QStringList texts;
    for (int row = 0; row <= orvo::kChannelCount; ++row)
        for (int col = 0; col <= 8; ++col)
            texts.append(ternView()->m_grid->GetTextMatrix(row, col));
    return texts;
}

QList<int> boxSelections()
{
    QList<int> selections;
    for (const orvo::SettingBoxInfo& info : orvo::settingBoxes())
        selections.append(ternView()->settingBox(info.box)->currentIndex());
    return selections;
}

// Ctrl+key in the main window, as the user types it there. The offscreen platform may still
// take a dialog that has just been hidden for the active window; the user would click the main
// window first.
void pressCtrl(Qt::Key key)
{
    if (QApplication::activeWindow() != mainFrame())
        mainFrame()->windowHandle()->requestActivate();
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(mainFrame()));
    QWidget* focus = QApplication::focusWidget();
    QWidget* target = focus && focus->window() == mainFrame() ? focus : mainFrame();
    QTest::keyClick(target, key, Qt::ControlModifier);
}

CProgressDlg* dialog()
{
    return ternView()->m_pProgressDlg;
}

QString messageOf(const char* text)
{
    return QString::fromUtf8(text);
}

// The commands a running transfer disables.
const QList<int>& guardedCommands()
{
    static const QList<int> ids{CMainFrame::ID_READ_FROM_RADIO, CMainFrame::ID_WRITE_TO_RADIO,
                                CMainFrame::ID_TEST_MODE,       CMainFrame::ID_OPTIONAL_FEATURES,
                                CMainFrame::ID_FILE_NEW,        CMainFrame::ID_FILE_OPEN,
                                CMainFrame::ID_FILE_SAVE,       CMainFrame::ID_FILE_SAVE_AS,
                                CMainFrame::ID_FILE_PRINT,      CMainFrame::ID_FILE_PRINT_PREVIEW};
    return ids;
}

QList<bool> enabledStates(const QList<int>& ids)
{
    QList<bool> states;
    for (int id : ids)
        states.append(mainFrame()->commandAction(id)->isEnabled());
    return states;
}

// Runs `step` each time the progress bar moves during the transfer, with the new position.
// Disconnected when the watcher goes.
struct ProgressWatch
{
    QObject guard;
    explicit ProgressWatch(std::function<void(int)> step)
    {
        QObject::connect(dialog()->m_progress, &QProgressBar::valueChanged, &guard,
                         std::move(step));
    }
};

int countLines(const QString& path, const QByteArray& needle)
{
    return static_cast<int>(readWholeFile(path).count(needle));
}

} // namespace

class TransferTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<CTernApp> app;

    CTernDoc* doc() const { return app->GetDocument(); }

    // Opens the dialog with Ctrl+R or Ctrl+W and checks the state it opens in.
    void openDialog(bool write)
    {
        pressCtrl(write ? Qt::Key_W : Qt::Key_R);
        QVERIFY(dialog());
        QVERIFY(dialog()->HasWindow());
        QVERIFY(dialog()->isVisible());
        QCOMPARE(dialog()->windowTitle(), write ? QStringLiteral("Writing Data Progress")
                                                : QStringLiteral("Reading Data Progress"));
        QCOMPARE(ternView()->m_bWrite, write);
        QVERIFY(dialog()->m_btnStart->isEnabled());
        QCOMPARE(dialog()->GetStatusText(), QStringLiteral("   Not start yet"));
        QCOMPARE(dialog()->m_progress->minimum(), 0);
        QCOMPARE(dialog()->m_progress->maximum(), 128);
        QCOMPARE(dialog()->GetPos(), 0);
    }

    // Presses Start and waits until the transfer has ended.
    void startAndWait()
    {
        QTest::mouseClick(dialog()->m_btnStart, Qt::LeftButton);
        QVERIFY(!dialog()->m_btnStart->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(!dialog()->HasWindow() && !ternView()->IsTransferRunning(),
                                 kTransferTimeoutMs);
        QVERIFY(!dialog()->isVisible());
    }

    void checkIdle()
    {
        QVERIFY(!ternView()->IsTransferRunning());
        QVERIFY(ternView()->widget()->isEnabled());
        for (bool enabled : enabledStates(guardedCommands()))
            QVERIFY(enabled);
    }

private slots:
    void initTestCase() { quietPlatformWarnings(); }

    void init()
    {
        for (const char* name : {"ORVO_COM1", "ORVO_COM2", "ORVO_COM3", "ORVO_COM4"})
            qputenv(name, "/nonexistent/orvo-port");
        app = startApplication();
        QVERIFY(mainFrame());
    }

    void cleanup()
    {
        if (app && doc())
            doc()->SetModifiedFlag(false);
        app.reset();
    }

    // The dialog's controls carry the template's ids and texts; Start is the default button.
    void dialogHasItsTemplate()
    {
        openDialog(false);
        const QList<QPair<int, QString>> controls{{1, QStringLiteral("Start")},
                                                  {2, QStringLiteral("Cancel")},
                                                  {1003, QString()},
                                                  {1004, QStringLiteral("Progress\uFF1A")},
                                                  {1005, QStringLiteral("   Not start yet")}};
        for (const auto& [id, text] : controls) {
            QWidget* control = nullptr;
            for (QWidget* child : dialog()->findChildren<QWidget*>()) {
                if (child->property("controlId").toInt() == id)
                    control = child;
            }
            QVERIFY2(control, qPrintable(QString::number(id)));
            if (auto* label = qobject_cast<QLabel*>(control))
                QCOMPARE(label->text(), text);
            else if (auto* button = qobject_cast<QPushButton*>(control))
                QCOMPARE(button->text(), text);
        }
        QVERIFY(dialog()->m_btnStart->isDefault());
        QVERIFY(!dialog()->isModal());
        QTest::mouseClick(dialog()->m_btnCancel, Qt::LeftButton);
    }

    // A read fills the grid and every setting list from the radio's memory and marks the
    // document modified; the dialog counts "1".."123" and ends at 123. Enter starts it.
    void readShowsTheRadio()
    {
        const orvo::RadioImage radio = radioImage();
        SimProcess sim({"--delay", "10"}, &radio);
        QVERIFY(sim.started());
        qputenv("ORVO_COM1", QByteArray::fromStdString(sim.path()));
        DialogAnswers answers;
        const QStringList gridBefore = gridTexts();

        openDialog(false);
        QList<QPair<int, QString>> steps; // position, status text when the bar moved
        ProgressWatch watch([&steps](int position) {
            steps.append({position, dialog()->GetStatusText()});
            QVERIFY(!dialog()->m_btnStart->isEnabled());
        });
        QTest::keyClick(dialog(), Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(!dialog()->HasWindow(), kTransferTimeoutMs);

        QVERIFY(answers.boxes.isEmpty());
        QCOMPARE(steps.size(), 123);
        QCOMPARE(steps.first().second, QStringLiteral("Waiting the response from radio...."));
        for (int i = 1; i < steps.size(); ++i) {
            QCOMPARE(steps[i].first, i + 1);
            QCOMPARE(steps[i].second, QString::number(i)); // the text of the step before
        }
        QCOMPARE(dialog()->GetStatusText(), QStringLiteral("123"));
        QCOMPARE(dialog()->GetPos(), 123);

        QVERIFY(doc()->m_image == radio);
        QVERIFY(doc()->IsModified());
        QVERIFY(gridTexts() != gridBefore);
        for (int ch = 1; ch <= orvo::kChannelCount; ++ch) {
            const Texts expected = orvo::decodeChannel(radio, ch);
            for (int col = 1; col <= 8; ++col)
                QCOMPARE(ternView()->m_grid->GetTextMatrix(ch, col),
                         QString::fromStdString(expected[std::size_t(col - 1)]));
        }
        orvo::SettingSelections expected{};
        orvo::decodeSettings(radio, expected);
        QCOMPARE(boxSelections(), QList<int>(expected.begin(), expected.end()));
        checkIdle();
    }

    // A write sends what the form shows, edits not yet in the image included: afterwards the
    // radio holds exactly the file that Save writes. A Write while the Read dialog waits turns
    // it into a write with the write's caption. The dialog counts "1".."122", ends at 123, and
    // the document is not marked modified.
    void writeLeavesTheFormInTheRadio()
    {
        SimProcess sim({"--delay", "10"});
        QVERIFY(sim.started());
        qputenv("ORVO_COM1", QByteArray::fromStdString(sim.path()));
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("sent.sin"));
        saveWithCore(file, radioImage());
        QVERIFY(app->OpenDocumentFile(file));
        chooseListEntry(ternView()->m_cmbSquelchLevel, 1);
        chooseListEntry(ternView()->m_cmbBeep, 0);
        doc()->SetModifiedFlag(false);
        DialogAnswers answers;

        openDialog(false);
        pressCtrl(Qt::Key_W);
        QVERIFY(dialog()->HasWindow());
        QCOMPARE(dialog()->windowTitle(), QStringLiteral("Writing Data Progress"));
        QVERIFY(ternView()->m_bWrite);
        QCOMPARE(dialog()->GetStatusText(), QStringLiteral("   Not start yet"));

        QList<QPair<int, QString>> steps;
        ProgressWatch watch([&steps](int position) {
            steps.append({position, dialog()->GetStatusText()});
        });
        startAndWait();
        QVERIFY(answers.boxes.isEmpty());
        QCOMPARE(steps.size(), 123); // 1..122, then the final 123
        for (int i = 1; i < 122; ++i)
            QCOMPARE(steps[i], qMakePair(i + 1, QString::number(i)));
        QCOMPARE(steps.last(), qMakePair(123, QStringLiteral("122")));
        QCOMPARE(dialog()->GetStatusText(), QStringLiteral("122"));
        QVERIFY(!doc()->IsModified());
        checkIdle();

        const orvo::RadioImage sent = sim.stopAndReadMemory();
        QVERIFY(!(sent == radioImage())); // the two edits went out
        answers.fileAnswers.append(file);
        doc()->OnFileSave();
        QCOMPARE(toBytes(sent), readFileBytes(file));
    }

    // Cancel before Start, by the button, Esc or the title bar's close box, closes the dialog
    // at once and touches neither the radio nor the document.
    void cancelBeforeStartOpensNothing()
    {
        QTemporaryDir dir;
        const QString log = dir.filePath(QStringLiteral("sim.log"));
        SimProcess sim({"--delay", "10", "--log", log});
        QVERIFY(sim.started());
        qputenv("ORVO_COM1", QByteArray::fromStdString(sim.path()));
        DialogAnswers answers;
        const orvo::RadioImage before = doc()->m_image;

        openDialog(false);
        QTest::mouseClick(dialog()->m_btnCancel, Qt::LeftButton);
        QVERIFY(!dialog()->HasWindow());
        QVERIFY(!dialog()->isVisible());

        openDialog(true);
        QTest::keyClick(dialog(), Qt::Key_Escape);
        QVERIFY(!dialog()->isVisible());

        openDialog(false);
        QVERIFY(dialog()->close());
        QVERIFY(!dialog()->HasWindow());

        QTest::qWait(100);
        QVERIFY(!ternView()->IsTransferRunning());
        QVERIFY(answers.boxes.isEmpty());
        QVERIFY(doc()->m_image == before);
        QVERIFY(!doc()->IsModified());
        QCOMPARE(countLines(log, "clone:"), 0);
    }

    // Cancel while a read runs closes the dialog at the next waiting cycle, shows nothing, and
    // leaves the document, the grid and the modified flag as they were; the next read works.
    void cancelDuringReadChangesNothing()
    {
        const orvo::RadioImage radio = radioImage();
        SimProcess sim({"--delay", "10"}, &radio);
        QVERIFY(sim.started());
        qputenv("ORVO_COM1", QByteArray::fromStdString(sim.path()));
        DialogAnswers answers;
        const orvo::RadioImage before = doc()->m_image;
        const QStringList gridBefore = gridTexts();
        const QList<int> boxesBefore = boxSelections();

        openDialog(false);
        int lastPosition = 0;
        {
            ProgressWatch watch([&lastPosition](int position) {
                lastPosition = position;
                if (position == 20)
                    QTest::mouseClick(dialog()->m_btnCancel, Qt::LeftButton);
            });
            startAndWait();
        }
        QCOMPARE(lastPosition, 20);
        QVERIFY(answers.boxes.isEmpty());
        QVERIFY(doc()->m_image == before);
        QCOMPARE(gridTexts(), gridBefore);
        QCOMPARE(boxSelections(), boxesBefore);
        QVERIFY(!doc()->IsModified());
        checkIdle();

        openDialog(false);
        startAndWait();
        QVERIFY(doc()->m_image == radio);
    }

    // While a transfer runs, Read, Write, Test Mode, Optional Features, New, Open, Save, Save As,
    // Print and Print Preview are disabled, the form is not editable, and their keys do nothing;
    // a port chosen meanwhile is the port of the next transfer.
    void runningTransferDisablesCommands()
    {
        const orvo::RadioImage radio = radioImage();
        SimProcess sim({"--delay", "10"}, &radio);
        QVERIFY(sim.started());
        qputenv("ORVO_COM1", QByteArray::fromStdString(sim.path()));
        DialogAnswers answers;
        QCOMPARE(enabledStates(guardedCommands()), QList<bool>(guardedCommands().size(), true));

        openDialog(false);
        QList<bool> during;
        bool formEnabled = true;
        bool stillReading = false;
        {
            ProgressWatch watch([&](int position) {
                if (position != 5)
                    return;
                during = enabledStates(guardedCommands());
                formEnabled = ternView()->widget()->isEnabled();
                QVERIFY(mainFrame()->commandAction(CMainFrame::ID_FILE_PRINT_SETUP)->isEnabled());
                QVERIFY(mainFrame()->commandAction(CMainFrame::ID_APP_EXIT)->isEnabled());
                QVERIFY(mainFrame()->commandAction(CMainFrame::ID_COM2)->isEnabled());
                QTest::keyClick(mainFrame(), Qt::Key_W, Qt::ControlModifier);
                QTest::keyClick(mainFrame(), Qt::Key_N, Qt::ControlModifier);
                ternView()->OnWriteToRadio(); // even a direct call leaves the direction alone
                stillReading = !ternView()->m_bWrite;
                mainFrame()->commandAction(CMainFrame::ID_COM2)->trigger();
            });
            startAndWait();
        }
        QCOMPARE(during, QList<bool>(guardedCommands().size(), false));
        QVERIFY(!formEnabled);
        QVERIFY(stillReading);
        QVERIFY(answers.boxes.isEmpty());
        QVERIFY(doc()->m_image == radio); // the read went on to its end
        QCOMPARE(ternView()->m_strPort, QStringLiteral("COM2"));
        QVERIFY(mainFrame()->commandAction(CMainFrame::ID_COM2)->isChecked());
        QVERIFY(!mainFrame()->commandAction(CMainFrame::ID_COM1)->isChecked());
        checkIdle();

        // COM2 leads nowhere: the next transfer (the read data discarded) reports that port.
        answers.boxAnswers = {QMessageBox::Discard};
        openDialog(false);
        startAndWait();
        QCOMPARE(answers.boxes.size(), 2);
        QCOMPARE(answers.boxes.last().text, messageOf(orvo::kOpenFailedMessage));
    }

    // A port that does not exist, and one another program holds: the message with its OK
    // button, the dialog closed, nothing left open. A write has encoded the form all the same.
    void unopenablePortsAreReported()
    {
        DialogAnswers answers;
        chooseListEntry(ternView()->m_cmbSquelchLevel, 2);
        const orvo::RadioImage before = doc()->m_image;
        ternView()->UpdateImageFromView();
        const orvo::RadioImage encoded = doc()->m_image;
        doc()->m_image = before;
        QVERIFY(!(encoded == before));

        openDialog(true);
        startAndWait();
        QCOMPARE(answers.boxes.size(), 1);
        const ShownBox box = answers.boxes.first();
        QCOMPARE(box.text, QStringLiteral("Could not Open the Port,Please check whether the Port "
                                          "are occupied or the device are ok"));
        QCOMPARE(box.caption, QStringLiteral("Orvo Programming Software"));
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(doc()->m_image == encoded);
        checkIdle();

        SimProcess sim({"--delay", "10"});
        QVERIFY(sim.started());
        QSerialPort holder(QString::fromStdString(sim.path()));
        QVERIFY(holder.open(QIODevice::ReadWrite));
        qputenv("ORVO_COM1", QByteArray::fromStdString(sim.path()));
        answers.boxAnswers = {QMessageBox::Discard};
        openDialog(false);
        startAndWait();
        QCOMPARE(answers.boxes.size(), 3);
        QCOMPARE(answers.boxes.last().text, box.text);
        QVERIFY(doc()->m_image == encoded);
        checkIdle();
    }

    // A silent radio: five wake-up attempts, then "Communication Error，..." with Retry and
    // Cancel; Retry gives five more attempts, Cancel ends with the dialog closed and the
    // document as it was.
    void silentRadioAsksRetryOrCancel()
    {
        QTemporaryDir dir;
        const QString log = dir.filePath(QStringLiteral("sim.log"));
        SimProcess sim({"--delay", "10", "--silent", "--log", log});
        QVERIFY(sim.started());
        qputenv("ORVO_COM1", QByteArray::fromStdString(sim.path()));
        const orvo::RadioImage before = doc()->m_image;

        QList<MessageBoxRequest> boxes;
        QList<int> bytesHeard; // program request bytes the radio had received at each box
        QStringList statusAtBox;
        setMessageBoxHook([&](const MessageBoxRequest& request) {
            boxes.append(request);
            bytesHeard.append(countLines(log, "silent: ignored a byte"));
            statusAtBox.append(dialog()->GetStatusText());
            return boxes.size() == 1 ? QMessageBox::Retry : QMessageBox::Cancel;
        });
        openDialog(false);
        startAndWait();
        setMessageBoxHook({});

        QCOMPARE(boxes.size(), 2);
        for (const MessageBoxRequest& box : boxes) {
            QCOMPARE(box.text, QStringLiteral("Communication Error\uFF0CPlease check all the "
                                              "connections and the radio power"));
            QCOMPARE(box.buttons, QMessageBox::Retry | QMessageBox::Cancel);
            QCOMPARE(box.caption, QStringLiteral("Orvo Programming Software"));
        }
        QCOMPARE(bytesHeard, QList<int>({5 * 8, 10 * 8}));
        QCOMPARE(statusAtBox.first(), QStringLiteral("Waiting the response from radio...."));
        QVERIFY(doc()->m_image == before);
        QVERIFY(!doc()->IsModified());
        checkIdle();
    }

    // Closing the main window during a transfer asks first. No: the transfer goes on and the
    // window stays. Yes: the transfer is cancelled and the window closes when it has ended.
    void closingDuringTransferAsksFirst()
    {
        const orvo::RadioImage radio = radioImage();
        SimProcess sim({"--delay", "10"}, &radio);
        QVERIFY(sim.started());
        qputenv("ORVO_COM1", QByteArray::fromStdString(sim.path()));
        DialogAnswers answers;
        const orvo::RadioImage before = doc()->m_image;

        answers.boxAnswers = {QMessageBox::No};
        openDialog(false);
        bool closed = true;
        {
            ProgressWatch watch([&closed](int position) {
                if (position == 10)
                    closed = mainFrame()->close();
            });
            startAndWait();
        }
        QVERIFY(!closed);
        QCOMPARE(answers.boxes.size(), 1);
        QCOMPARE(answers.boxes.first().buttons, QMessageBox::Yes | QMessageBox::No);
        QVERIFY(mainFrame()->isVisible());
        QVERIFY(doc()->m_image == radio);
        doc()->m_image = before;
        doc()->SetModifiedFlag(false);

        answers.boxAnswers = {QMessageBox::Yes};
        const bool quitOnClose = QApplication::quitOnLastWindowClosed();
        QApplication::setQuitOnLastWindowClosed(false);
        openDialog(false);
        int lastPosition = 0;
        {
            ProgressWatch watch([&](int position) {
                lastPosition = position;
                if (position == 10) {
                    closed = mainFrame()->close();
                    QVERIFY(mainFrame()->isVisible());
                }
            });
            startAndWait();
        }
        QVERIFY(!closed);
        QCOMPARE(lastPosition, 10);
        QCOMPARE(answers.boxes.size(), 2);
        QTRY_VERIFY(!mainFrame()->isVisible());
        QCOMPARE(answers.boxes.size(), 2); // nothing to save: the read was cancelled
        QVERIFY(doc()->m_image == before);
        QApplication::setQuitOnLastWindowClosed(quitOnClose);
    }

    // While the Port menu is open, its items' prompts name the device each port stands for;
    // closed, the fixed prompts are back.
    void portPromptsNameTheDevice()
    {
        qputenv("ORVO_COM2", "/dev/ttyUSB7");
        qputenv("ORVO_COM3", "");
        CMainFrame* frame = mainFrame();
        auto* menu = frame->findChild<QMenu*>(QStringLiteral("menuPort"));
        QVERIFY(menu);
        QAction* com2 = frame->commandAction(CMainFrame::ID_COM2);
        QMenuBar* bar = frame->menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(menu->menuAction()).center());
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(com2->statusTip(), QStringLiteral("Choose Communication Port two (/dev/ttyUSB7)"));
        QCOMPARE(frame->commandAction(CMainFrame::ID_COM1)->statusTip(),
                 QStringLiteral("Choose Communication Port one (/nonexistent/orvo-port)"));
        QVERIFY(frame->commandAction(CMainFrame::ID_COM3)
                    ->statusTip()
                    .startsWith(QLatin1String("Choose Communication Port three (")));
        QTest::mouseMove(menu, menu->actionGeometry(com2).center());
        QTRY_COMPARE(frame->statusBar()->currentMessage(),
                     QStringLiteral("Choose Communication Port two (/dev/ttyUSB7)"));
        QTest::keyClick(menu, Qt::Key_Escape);
        QTRY_VERIFY(!menu->isVisible());
        QCOMPARE(com2->statusTip(), QStringLiteral("Choose Communication Port two "));
        QCOMPARE(frame->commandAction(CMainFrame::ID_COM4)->statusTip(),
                 QStringLiteral("Choose Communication Port four "));
    }
};

ORVO_GUI_TEST_MAIN(TransferTest)
#include "transfer_test.moc"
