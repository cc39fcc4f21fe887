// Editing the channel table with real keys and clicks: how an edit starts and ends, the frequency
// check's messages, Enter's way through a row and out of the table, rows through the clipboard,
// undo and redo, and New, Open and Save with an edit open. The rules of a commit, the bytes they
// store and the undo texts are document_test's.
#include "gui_test_support.h"
#include "reliability_support.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QKeySequence>
#include <QLineEdit>
#include <QScopeGuard>

namespace {

const QString kNotANumber = QStringLiteral("Please input Number");
const QString kFormat = QStringLiteral("Error Data Format\uFF0CPlease input again");
const QString kBand = QStringLiteral("Out of range!");
const QString kStep =
    QStringLiteral("Error data Value\uFF0CPlease input according the step value(6.25K/5k)");

// Channel 1 of the file every test starts on (band 400 - 470MHz).
const QStringList kRow1{"446.00625", "446.00625", "67.0", "D023N", "No", "Narrow", "Add", "High"};
const QStringList kEmpty(8, QString());

QString focusName()
{
    QWidget* at = focus();
    while (at && at->objectName().isEmpty())
        at = at->parentWidget(); // a drop-down's text field
    return at ? at->objectName() : QString();
}

// The frequency box's text with its selection in [ ] and, without one, the cursor as |.
QString freqBoxShows()
{
    auto* box = qobject_cast<QLineEdit*>(focus());
    if (!box->hasSelectedText())
        return box->text().insert(box->cursorPosition(), QLatin1Char('|'));
    return box->text().insert(box->selectionEnd(), ']').insert(box->selectionStart(), '[');
}

// Fewer characters than were typed, the cursor after them.
const QString kCutShort = QStringLiteral("cut short|");

// One step of typing in the table. `does` is a list of actions: "@TEXT" types TEXT on the step's
// cell, "double", "go" and "click" reach the cell so, "right" clicks every cell of its channel
// with the right button, "elsewhere" clicks channel 5's Rx Tone; a key's name ("Esc", "W")
// presses it, other text is typed where the focus is.
struct Step
{
    int channel, column;
    const char* does;
    QStringList boxes;    // the message boxes it shows
    const char* focus;    // the named widget with the keyboard after it
    QPoint current{};     // the current cell after it
    QString box{};        // what the frequency box shows after it (null: not looked at)
    QPoint cell{};        // (channel, column) of the first of `row` (null: none looked at)
    QStringList row{};    // the texts of the cells from `cell` on in its row after it
    bool realBox = false; // the box is the real one, answered with Enter
};

void act(const Step& step, const QString& action)
{
    const QKeySequence key(action);
    if (action.startsWith('@'))
        typeOnCell(step.channel, step.column, action.mid(1));
    else if (action == "double")
        doubleClickCell(step.channel, step.column);
    else if (action == "go")
        goToCell(step.channel, step.column);
    else if (action == "click" || action == "elsewhere")
        clickCell(action == "click" ? step.channel : 5, action == "click" ? step.column : 4);
    else if (action == "right")
        for (int col = 1; col <= 8; ++col)
            clickCell(step.channel, col, Qt::RightButton);
    else if (!key.isEmpty() && key[0].key() != Qt::Key_unknown)
        press(key[0].key());
    else
        QTest::keyClicks(focus(), action);
}

} // namespace

class EditingTest : public GuiTest
{
    Q_OBJECT

    std::optional<orvo::RadioImage> startImage() const override
    {
        return reliability::radioMemory();
    }

private slots:
    void typingInTheTable()
    {
        const QStringList wide{"Yes", "Wide", "Add", "Low"};
        const Step steps[] = {
            // A digit opens the box holding just that digit; another first key is refused with a
            // message and leaves the box empty (leaving "4" is refused first).
            {3, 1, "@4", {}, "editFreq", {3, 1}, "4|"},
            {4, 1, "@x", {kFormat, kNotANumber}, "editFreq", {}, "|", {3, 1}, kEmpty},
            // Enter stops at the first fault and keeps the box open and empty over the cell,
            // which keeps its old text also when Enter follows (and moves on); leaving reports
            // band and step together.
            {1, 1, "@-446 Return", {kNotANumber, kFormat}, "editFreq", {1, 1}, "|", {3, 1}, kEmpty},
            {1, 1, "Return", {}, "editFreq", {1, 2}, "[446.00625]", {1, 1}, kRow1},
            {1, 1, "@500.001 elsewhere", {kBand, kStep}, "cmbTone", {}, {}, {1, 1}, kRow1},
            // A double click opens the box with the cell's text selected; it takes no more than
            // it shows; Escape closes it and keeps the cell. Down commits and moves.
            {1, 1, "double", {}, "editFreq", {1, 1}, "[446.00625]"},
            {1, 1, "1111111111111111111111111111111111111111", {}, "editFreq", {1, 1}, kCutShort},
            {1, 1, "Esc", {}, "grid", {1, 1}, {}, {1, 1}, kRow1},
            {1, 1, "@446.1 Down", {}, "grid", {2, 1}, {}, {1, 1}, {"446.10000", kRow1[1]}},
            // Down or Tab on a refused value, answered in a real box: the cell stays current and
            // the grid keeps the keyboard, as after Enter.
            {2, 1, "@999 Down 4", {kFormat}, "editFreq", {2, 1}, "4|", {}, {}, true},
            {2, 1, "Esc @999 Tab 4", {kFormat}, "editFreq", {2, 1}, "4|", {}, {}, true},
            // In an open box Delete edits the text, not the rows; Tab takes it and leaves the
            // table.
            {7, 1, "Esc @446.105 Left Del Tab", {}, "cmbType", {}, {}, {7, 1}, {"446.10000"}},
            // After a first receive frequency Enter moves to its transmit frequency showing the
            // same text, then through every column's editor to the next row (the row's fill is
            // RowCommit's).
            {5, 1, "@446.00625 Return", {}, "editFreq", {5, 2}, "[446.00625]"},
            {5, 2, "Return", {}, "cmbTone", {5, 3}},
            {5, 3, "Return Return Up Return", {}, "cmbWidth", {5, 6}}, // Busy: "No" -> "Yes"
            {5, 6, "Return Return Down Return", {}, "editFreq", {6, 1}, "|", {5, 5}, wide},
            // A transmit frequency on an empty row fills its tones; lists take a typed key.
            {8, 2, "@446.1 elsewhere", {}, "cmbTone", {5, 4}, {}, {8, 3}, {"Off"}},
            {8, 3, "@7", {}, "cmbTone", {8, 3}},
            {8, 5, "@y Return", {}, "cmbWidth", {8, 6}},
            // Typing on a W/N cell and right-button clicks open nothing. Enter on the table
            // moves one column right, in W/N and in Power of channel 16 out of it, in a list to
            // the next.
            {1, 6, "go W right", {}, "grid"},
            {2, 3, "go Return", {}, "grid", {2, 4}},
            {2, 6, "go Return", {}, "cmbType"},
            {16, 8, "click", {}, "cmbPower", {16, 8}},
            {16, 8, "Down Return", {}, "cmbType", {}, {}, {16, 8}, {"Low"}},
            {16, 8, "Return", {}, "cmbField"},
        };
        // No edit touches the clipboard.
        QApplication::clipboard()->setText(QStringLiteral("keep me"));
        for (const Step& step : steps) {
            const auto name = qScopeGuard([&step] {
                if (QTest::currentTestFailed())
                    qWarning("in the step \"%s\" on channel %d", step.does, step.channel);
            });
            QStringList seen;
            answers.reset();
            if (step.realBox)
                keyForNextBox(Qt::Key_Return, seen);
            else
                answers = std::make_unique<DialogAnswers>();
            for (const QString& action : QString::fromLatin1(step.does).split(' '))
                act(step, action);
            QCOMPARE(answers ? answers->texts() : seen.mid(0, 1), step.boxes);
            QCOMPARE(focusName(), QLatin1String(step.focus));
            const bool editing = focus() != channelTable() && channelTable()->isAncestorOf(focus());
            QCOMPARE(openEditor(), editing ? QLatin1String(step.focus) : QLatin1String());
            if (!step.current.isNull())
                QCOMPARE(currentCell(), step.current);
            if (step.box == kCutShort)
                QVERIFY(freqBoxShows().size() < 41 && freqBoxShows().endsWith('|'));
            else if (!step.box.isNull())
                QCOMPARE(freqBoxShows(), step.box);
            if (!step.cell.isNull())
                QCOMPARE(rowTexts(step.cell.x()).mid(step.cell.y() - 1, step.row.size()), step.row);
        }
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("keep me"));
    }

    void rowsNewOpenAndSave()
    {
        answers = std::make_unique<DialogAnswers>();
        // Rows copied by their channel numbers paste onto others, move up with Alt+Up (the last
        // not down) and go with Ctrl+X; rows past channel 16 are named (refused cells are the
        // document's headless paste test). Ctrl+Z undoes, as the menu names it (what undo
        // restores is the document's headless test).
        typeOnCell(1, 2, QStringLiteral("446.1"));
        clickCell(1, 0);
        ctrl(Qt::Key_C);
        clickCell(3, 0);
        ctrl(Qt::Key_V);
        const QStringList edited = rowTexts(1);
        QCOMPARE(rowTexts(3), edited);
        press(Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(rowTexts(2), edited);
        press(Qt::Key_Delete); // Delete Channel
        QCOMPARE(rowTexts(2), kEmpty);
        ctrl(Qt::Key_Z);
        clickCell(2, 0);
        ctrl(Qt::Key_X);
        QCOMPARE(command("ID_EDIT_UNDO")->text(), QStringLiteral("&Undo Cut channel 2"));
        QApplication::clipboard()->setText(QApplication::clipboard()->text() + "12\n");
        clickCell(16, 0);
        QVERIFY(!command("ID_EDIT_MOVE_DOWN")->isEnabled());
        ctrl(Qt::Key_V);
        QCOMPARE(answers->texts(), QStringList{"Row 2 did not fit below channel 16"});
        QCOMPARE(command("ID_EDIT_UNDO")->text(), QStringLiteral("&Undo Paste channel 16"));

        // New with an edit open (a list chosen meanwhile) commits it to the document it leaves,
        // which the prompt's Save stores; the new document gets nothing, now or when the cell is
        // left.
        answers->boxes.clear();
        typeOnCell(3, 1, QStringLiteral("446.1"));
        chooseListEntry(settingList("cmbBeep"), 1 - settingList("cmbBeep")->currentIndex());
        QCOMPARE(openEditor(), QStringLiteral("editFreq"));
        answers->boxAnswers = {QMessageBox::Save};
        ctrl(Qt::Key_N);
        QCOMPARE(openEditor(), QString());
        clickCell(4, 1);
        clickCell(5, 4);
        QCOMPARE(rowTexts(3), kEmpty);
        QCOMPARE(rowTexts(4), kEmpty);
        QCOMPARE(answers->texts(), QStringList{QStringLiteral("Save changes?")});
        // An edit starts from what the cell shows now, though the cell was current before Open
        // decoded the table anew.
        goToCell(1, 4);
        const QString file = path("start.sin");
        answers->fileAnswers = {file};
        ctrl(Qt::Key_O);
        QCOMPARE(cellText(3, 1), QStringLiteral("446.10000"));
        doubleClickCell(1, 4);
        QWidget* tone = focus();
        while (!qobject_cast<QComboBox*>(tone))
            tone = tone->parentWidget();
        QCOMPARE(static_cast<QComboBox*>(tone)->currentText(), QStringLiteral("D023N"));
        press(Qt::Key_Escape);

        // Channels outside the Field chosen are listed before Save in a real box whose OK says
        // Continue: Escape keeps the file as it was, Continue saves, the open edit included.
        answers.reset();
        const QByteArray before = readFileBytes(file);
        chooseListEntry(settingList("cmbField"), 0);
        typeOnCell(7, 1, QStringLiteral("150"));
        QStringList seen;
        keyForNextBox(Qt::Key_Escape, seen);
        ctrl(Qt::Key_S);
        QVERIFY(seen.value(0).startsWith("Channel 1 Receive 446.00625 lies outside 136 - 174MHz\n"
                                         "Channel 1 Transmit"));
        QVERIFY(seen.contains("Continue"));
        QCOMPARE(readFileBytes(file), before);
        DialogAnswers continueAnswers;
        continueAnswers.boxAnswers = {QMessageBox::Ok};
        ctrl(Qt::Key_S);
        QCOMPARE(formTextsOf(fromBytes(readFileBytes(file))), formTexts());
        QCOMPARE(cellText(7, 1), QStringLiteral("150.00000"));
        QVERIFY(!asksToSave());
    }
};

ORVO_GUI_TEST_MAIN(EditingTest)
#include "editing_test.moc"
