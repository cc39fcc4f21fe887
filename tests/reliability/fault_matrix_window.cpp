// A fault matrix cell through the window: Read From Radio or Write To Radio with the progress
// dialog's Start, or Test Mode's Start in the Debug Mode dialog, against a misbehaving
// orvo-radio-sim; then the same command against a radio that answers well. The window is
// reached from outside only: commands and widgets by name, the form's texts, saved bytes.
#include "fault_matrix.h"
#include "gui_test_support.h"
#include "reliability_support.h"
#include "sim_process.h"

#include "link/clone_session.h"

#include <QAbstractItemView>
#include <QAction>
#include <QPushButton>
#include <QTreeWidget>

namespace fault_matrix {

namespace {

void checkBoxes(const QList<ShownBox>& boxes, Message expected)
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

// The command from the toolbar; returns when it has ended, with the port free at once. Test
// Mode: the Middle frequency and TX Power, Start, the dialog still open.
void runInWindow(Mode mode, DialogAnswers& answers, const std::string& device)
{
    if (mode != Mode::Test) {
        transferFromToolbar(mode == Mode::Write);
        return checkPortFree(device);
    }
    bool started = false;
    answers.dialogDriver = [&](QDialog& dialog) {
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* tree = dialog.findChild<QTreeWidget*>(QStringLiteral("treeDebug"));
        clickTreeItem(tree, QStringLiteral("Middle Frequency"));
        clickTreeItem(tree, QStringLiteral("TX Power"));
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("btnStart")),
                          Qt::LeftButton);
        started = dialog.isVisible();
        checkPortFree(device);
    };
    clickTool("ID_TEST_MODE");
    answers.dialogDriver = {};
    QVERIFY(started);
}

// The commands a user needs next are there again.
void checkUsable()
{
    QVERIFY(channelTable()->isEnabled());
    for (const char* name : {"ID_READ_FROM_RADIO", "ID_WRITE_TO_RADIO", "ID_TEST_MODE",
                             "ID_FILE_SAVE", "ID_FILE_OPEN"})
        QVERIFY(command(name)->isEnabled());
}

// Runs `mode` against a radio holding `radio` started with `options`: the one message, then the
// form and the radio's memory. `cell` null: a radio that answers well.
void runOnce(Mode mode, const Cell* cell, const orvo::RadioImage& radio,
             const QByteArray& document)
{
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("sim.log"));
    SimProcess sim(QStringList{"--delay", "10", "--log", log} +
                       (cell ? cell->simOptions : QStringList()),
                   &radio);
    QVERIFY(sim.started());
    qputenv("ORVO_COM1", QByteArray::fromStdString(sim.path()));
    const QStringList before = formTexts();

    DialogAnswers answers; // Cancel where Retry is offered, else OK
    runInWindow(mode, answers, sim.path());
    if (QTest::currentTestFailed())
        return;
    // A write that broke off after its first block says so in a box of its own.
    if (mode == Mode::Write && cell && cell->blocksWritten > 0 && !cell->completes)
        QCOMPARE(answers.boxes.size() > 1 ? answers.boxes.takeLast().text : QString(),
                 QString::fromUtf8(orvo::kPartialWriteText));
    checkBoxes(answers.boxes, cell ? cell->message
                              : mode == Mode::Test ? Message::Finished
                                                   : Message::None);
    if (cell)
        QCOMPARE(reliability::requestsHeard(log, mode == Mode::Test), cell->requests);
    const bool read = mode == Mode::Read && (!cell || cell->completes);
    QCOMPARE(formTexts(), read ? formTextsOf(radio) : before);
    QCOMPARE(asksToSave(), read);
    if (mode == Mode::Write) {
        const QByteArray memory = toBytes(sim.stopAndReadMemory());
        const int written = cell ? cell->blocksWritten : 128;
        QCOMPARE(memory.left(written * 8), document.left(written * 8));
        QCOMPARE(memory.mid(written * 8), toBytes(radio).mid(written * 8));
    }
    checkUsable();
}

} // namespace

void runWindowCell(Mode mode, const Cell& cell)
{
    // A document from a file, saved once so that it holds the bytes the form stands for.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("document.sin"));
    saveWithCore(file, reliability::documentImage());
    const std::unique_ptr<QObject> app = startApp({file});
    QVERIFY(app);
    ctrl(Qt::Key_S);
    const QByteArray document = readFileBytes(file);

    runOnce(mode, &cell, reliability::radioMemory(), document);
    if (QTest::currentTestFailed())
        return;
    {
        // What a read brought has no file: saved, the next read has nothing to ask about.
        DialogAnswers answers;
        answers.fileAnswers = {file};
        ctrl(Qt::Key_S);
    }
    runOnce(mode, nullptr, reliability::nextRadioMemory(), document);
}

} // namespace fault_matrix
