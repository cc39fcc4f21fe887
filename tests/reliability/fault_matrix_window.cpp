// A fault matrix cell through the window: Read From Radio or Write To Radio with the progress
// dialog's Start, or Test Mode's Start in the Debug Mode dialog, against a misbehaving
// orvo-radio-sim; then the same command against a radio that answers well.
#include "fault_matrix.h"
#include "gui_test_support.h"
#include "reliability_support.h"
#include "sim_process.h"

#include "app/main_frame.h"
#include "app/tern_app.h"
#include "app/tern_doc.h"
#include "editor/tern_view.h"
#include "grid/ms_flex_grid.h"
#include "image/channel_codec.h"
#include "image/settings_codec.h"
#include "link/progress_dlg.h"
#include "testmode/debug_mode_dlg.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QTreeWidget>

namespace fault_matrix {

namespace {

// Long enough for a whole transfer at --delay 10 on a busy machine.
constexpr int kTransferTimeoutMs = 120000;

CTernDoc* document()
{
    return AfxGetTernApp()->GetDocument();
}

// What the user has: the document's image and modified flag, the grid's texts and the lists'
// selections.
struct FormState
{
    orvo::RadioImage image;
    QStringList grid;
    QList<int> boxes;
    bool modified = false;
};

FormState captureForm()
{
    FormState state;
    state.image = document()->m_image;
    for (int row = 0; row <= orvo::kChannelCount; ++row)
        for (int col = 0; col <= 8; ++col)
            state.grid.append(ternView()->m_grid->GetTextMatrix(row, col));
    for (const orvo::SettingBoxInfo& info : orvo::settingBoxes())
        state.boxes.append(ternView()->settingBox(info.box)->currentIndex());
    state.modified = document()->IsModified();
    return state;
}

void compareForm(const FormState& now, const FormState& expected)
{
    QVERIFY(now.image == expected.image);
    QCOMPARE(now.grid, expected.grid);
    QCOMPARE(now.boxes, expected.boxes);
    QCOMPARE(now.modified, expected.modified);
}

// The form shows `image` as a completed read leaves it, and the document is modified.
void compareFormShows(const orvo::RadioImage& image)
{
    const FormState now = captureForm();
    QVERIFY(now.image == image);
    for (int ch = 1; ch <= orvo::kChannelCount; ++ch) {
        const orvo::ChannelTexts texts = orvo::decodeChannel(image, ch);
        for (int col = 1; col <= 8; ++col)
            QCOMPARE(now.grid[ch * 9 + col], QString::fromStdString(texts[std::size_t(col - 1)]));
    }
    orvo::SettingSelections selections{};
    orvo::decodeSettings(image, selections);
    QCOMPARE(now.boxes, QList<int>(selections.begin(), selections.end()));
    QVERIFY(now.modified);
}

void compareBoxes(const QList<ShownBox>& boxes, Message expected)
{
    if (expected == Message::None) {
        QVERIFY2(boxes.isEmpty(), qPrintable(boxes.value(0).text));
        return;
    }
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first().text, messageText(expected));
    QCOMPARE(boxes.first().caption, AppTitle());
    QCOMPARE(boxes.first().buttons, asksRetry(expected)
                                        ? QMessageBox::Retry | QMessageBox::Cancel
                                        : QMessageBox::StandardButtons(QMessageBox::Ok));
}

void checkPortFree(const std::string& device)
{
    const QString problem = reliability::portFreeProblem(QString::fromStdString(device));
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

// Clicks a tree item as a user does, opening its parent with the Right key first if needed.
void selectTreeItem(CDebugModeDlg& dlg, const QString& text)
{
    const auto found = dlg.m_tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    QCOMPARE(found.size(), 1);
    QTreeWidgetItem* item = found.first();
    QTreeWidget* tree = dlg.m_tree;
    if (QTreeWidgetItem* parent = item->parent(); parent && !parent->isExpanded()) {
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualItemRect(parent).center());
        QTest::keyClick(tree, Qt::Key_Right);
        QVERIFY(parent->isExpanded());
    }
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
    QCOMPARE(tree->currentItem(), item);
}

// Read From Radio or Write To Radio from the toolbar, then Start; returns when the transfer
// has ended, with the port free at once.
void transferInWindow(bool write, const std::string& device)
{
    clickToolButton(write ? CMainFrame::ID_WRITE_TO_RADIO : CMainFrame::ID_READ_FROM_RADIO);
    CProgressDlg* dialog = ternView()->m_pProgressDlg;
    QVERIFY(dialog && dialog->HasWindow());
    QCOMPARE(ternView()->m_bWrite, write);
    QTest::mouseClick(dialog->m_btnStart, Qt::LeftButton);
    QVERIFY(!dialog->m_btnStart->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->HasWindow() && !ternView()->IsTransferRunning(),
                             kTransferTimeoutMs);
    QVERIFY(!dialog->isVisible());
    checkPortFree(device);
}

// Test Mode from the toolbar: the Middle frequency and TX Power, Start; the port is free when
// Start returns, while the dialog stays open.
void testModeInWindow(DialogAnswers& answers, const std::string& device)
{
    bool started = false;
    answers.dialogDriver = [&](QDialog& dialog) {
        auto* debug = qobject_cast<CDebugModeDlg*>(&dialog);
        QVERIFY(debug);
        QVERIFY(QTest::qWaitForWindowExposed(debug));
        selectTreeItem(*debug, QStringLiteral("Middle Frequency"));
        selectTreeItem(*debug, QStringLiteral("TX Power"));
        QTest::mouseClick(debug->m_btnStart, Qt::LeftButton);
        started = true;
        QVERIFY(debug->isVisible());
        QVERIFY(!debug->m_hComm);
        checkPortFree(device);
    };
    clickToolButton(CMainFrame::ID_TEST_MODE);
    answers.dialogDriver = {};
    QVERIFY(started);
}

void runInWindow(Mode mode, DialogAnswers& answers, const std::string& device)
{
    if (mode == Mode::Test)
        testModeInWindow(answers, device);
    else
        transferInWindow(mode == Mode::Write, device);
}

// The commands a user needs next are there again.
void checkUsable()
{
    QVERIFY(!ternView()->IsTransferRunning());
    QVERIFY(ternView()->widget()->isEnabled());
    for (int id : {CMainFrame::ID_READ_FROM_RADIO, CMainFrame::ID_WRITE_TO_RADIO,
                   CMainFrame::ID_TEST_MODE, CMainFrame::ID_FILE_SAVE, CMainFrame::ID_FILE_OPEN})
        QVERIFY(mainFrame()->commandAction(id)->isEnabled());
}

// The faulty run of a cell.
void runFault(Mode mode, const Cell& cell, const FormState& before)
{
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("sim.log"));
    const orvo::RadioImage radio = reliability::radioMemory();
    SimProcess sim(QStringList{"--delay", "10", "--log", log} + cell.simOptions, &radio);
    QVERIFY(sim.started());
    qputenv("ORVO_COM1", QByteArray::fromStdString(sim.path()));

    DialogAnswers answers; // Cancel where Retry is offered, else OK
    runInWindow(mode, answers, sim.path());
    if (QTest::currentTestFailed())
        return;
    compareBoxes(answers.boxes, cell.message);
    QCOMPARE(reliability::requestsHeard(log, mode == Mode::Test), cell.requests);

    if (mode == Mode::Read && cell.completes)
        compareFormShows(radio);
    else
        compareForm(captureForm(), before);
    if (mode == Mode::Write) {
        const orvo::RadioImage memory = sim.stopAndReadMemory();
        for (std::size_t i = 0; i < orvo::kImageSize; ++i) {
            const bool written = static_cast<int>(i / 8) < cell.blocksWritten;
            QVERIFY2(memory[i] == (written ? before.image[i] : radio[i]),
                     qPrintable(QStringLiteral("radio byte %1").arg(i)));
        }
    }
    checkUsable();
}

// The same command against a radio that answers well.
void runGoodTransfer(Mode mode)
{
    const orvo::RadioImage next = reliability::nextRadioMemory();
    SimProcess sim({"--delay", "10"}, &next);
    QVERIFY(sim.started());
    qputenv("ORVO_COM1", QByteArray::fromStdString(sim.path()));
    const FormState before = captureForm();

    DialogAnswers answers;
    runInWindow(mode, answers, sim.path());
    if (QTest::currentTestFailed())
        return;
    compareBoxes(answers.boxes, mode == Mode::Test ? Message::Finished : Message::None);
    if (mode == Mode::Read)
        compareFormShows(next);
    else
        compareForm(captureForm(), before);
    if (mode == Mode::Write)
        QVERIFY(sim.stopAndReadMemory() == before.image);
    checkUsable();
}

} // namespace

void runWindowCell(Mode mode, const Cell& cell)
{
    std::unique_ptr<CTernApp> app = startApplication();
    QVERIFY(mainFrame());

    // A document from a file, as the image a save or a write would store from the form.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("document.sin"));
    saveWithCore(file, reliability::documentImage());
    QVERIFY(app->OpenDocumentFile(file));
    ternView()->UpdateImageFromView();
    document()->SetModifiedFlag(false);
    const FormState before = captureForm();

    runFault(mode, cell, before);
    if (!QTest::currentTestFailed())
        runGoodTransfer(mode);

    // Nothing to ask on the way out.
    document()->SetModifiedFlag(false);
}

} // namespace fault_matrix
