// Editing the channel table with real keys and clicks: how an edit starts and ends, the frequency
// check's messages, Enter's way through a row and out of the table, rows through the clipboard,
// undo and redo, and New, Open and Save with an edit open. The rules of a commit, the bytes they
// store and the undo texts are document_test's.
#include "gui_test_support.h"
#include "reliability_support.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>

namespace {

const QString kNotANumber = QStringLiteral("Please input Number");
const QString kFormat = QStringLiteral("Error Data Format\uFF0CPlease input again");
const QString kBand = QStringLiteral("Out of range!");
const QString kStep =
    QStringLiteral("Error data Value\uFF0CPlease input according the step value(6.25K/5k)");

// Channel 1 of the file every test starts on (band 400 - 470MHz).
const QStringList kRow1{"446.00625", "446.00625", "67.0", "D023N", "No", "Narrow", "Add", "High"};
const QStringList kEmpty(8, QString());

QLineEdit* freqBox()
{
    return qobject_cast<QLineEdit*>(focus());
}

QString focusName()
{
    QWidget* at = focus();
    while (at && at->objectName().isEmpty())
        at = at->parentWidget(); // a drop-down's text field
    return at ? at->objectName() : QString();
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
        answers = std::make_unique<DialogAnswers>();
        // A digit opens the box holding just that digit; another first key is refused with a
        // message and leaves the box empty.
        typeOnCell(3, 1, QStringLiteral("4"));
        QCOMPARE(openEditor(), QStringLiteral("editFreq"));
        QCOMPARE(freqBox()->text(), QStringLiteral("4"));
        QCOMPARE(freqBox()->cursorPosition(), 1);
        typeOnCell(4, 1, QStringLiteral("x")); // leaving "4" is refused, then "x"
        QCOMPARE(answers->texts(), (QStringList{kFormat, kNotANumber}));
        QCOMPARE(freqBox()->text(), QString());
        // Enter stops at the first fault and keeps the box open and empty over the cell, which
        // keeps its old text also when Enter follows; leaving reports band and step together.
        typeOnCell(1, 1, QStringLiteral("-446"));
        press(Qt::Key_Return);
        QCOMPARE(openEditor(), QStringLiteral("editFreq"));
        QCOMPARE(freqBox()->text(), QString());
        QCOMPARE(currentCell(), QPoint(1, 1));
        press(Qt::Key_Return);
        typeOnCell(1, 1, QStringLiteral("500.001"));
        clickCell(5, 4);
        QCOMPARE(answers->texts().mid(2), (QStringList{kNotANumber, kFormat, kBand, kStep}));
        QCOMPARE(rowTexts(1), kRow1);
        QCOMPARE(rowTexts(3), kEmpty);

        // A double click opens the box with the cell's text selected; it takes no more than it
        // shows.
        doubleClickCell(1, 1);
        QCOMPARE(freqBox()->selectedText(), kRow1[0]);
        QTest::keyClicks(freqBox(), QString(40, QLatin1Char('1')));
        QVERIFY(freqBox()->text().size() < 40);
        press(Qt::Key_Escape); // closes the box and keeps the cell
        QCOMPARE(openEditor(), QString());
        QCOMPARE(rowTexts(1), kRow1);
        typeOnCell(1, 1, QStringLiteral("446.1"));
        press(Qt::Key_Down); // commits and moves
        QCOMPARE(cellText(1, 1), QStringLiteral("446.10000"));
        QCOMPARE(currentCell(), QPoint(2, 1));
        QCOMPARE(openEditor(), QString());
        // Down or Tab on a refused value, answered in a real box: the cell stays current and the
        // grid keeps the keyboard, as after Enter.
        answers.reset();
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Tab}) {
            QStringList seen;
            typeOnCell(2, 1, QStringLiteral("999"));
            keyForNextBox(Qt::Key_Return, seen);
            press(key);
            QCOMPARE(seen.value(0), kFormat);
            QCOMPARE(currentCell(), QPoint(2, 1));
            press(Qt::Key_4);
            QCOMPARE(openEditor(), QStringLiteral("editFreq"));
            press(Qt::Key_Escape);
        }
        answers = std::make_unique<DialogAnswers>();
        // In an open box Delete edits the text, not the rows; Tab takes it and leaves the table.
        typeOnCell(7, 1, QStringLiteral("446.105"));
        press(Qt::Key_Left);
        press(Qt::Key_Delete);
        press(Qt::Key_Tab);
        QCOMPARE(cellText(7, 1), QStringLiteral("446.10000"));
        QCOMPARE(focusName(), QStringLiteral("cmbType"));

        // After a first receive frequency Enter moves to its transmit frequency showing the same
        // text, then through every column's editor to the next row (the row's fill is
        // RowCommit's). No edit touches the clipboard.
        answers->boxes.clear();
        QApplication::clipboard()->setText(QStringLiteral("keep me"));
        typeOnCell(5, 1, QStringLiteral("446.00625"));
        press(Qt::Key_Return);
        QCOMPARE(freqBox()->selectedText(), QStringLiteral("446.00625"));
        for (int col = 3; col <= 8; ++col) {
            press(Qt::Key_Return);
            QCOMPARE(currentCell(), QPoint(5, col));
            QVERIFY(!openEditor().isEmpty() && focusName() == openEditor());
            if (col == 5)
                press(Qt::Key_Up); // "No" -> "Yes"
        }
        press(Qt::Key_Down); // Power: Low
        press(Qt::Key_Return);
        QCOMPARE(rowTexts(5).mid(4), (QStringList{"Yes", "Wide", "Add", "Low"}));
        QCOMPARE(currentCell(), QPoint(6, 1));
        QCOMPARE(openEditor(), QStringLiteral("editFreq"));
        typeOnCell(8, 2, QStringLiteral("446.1"));
        clickCell(3, 3);
        QCOMPARE(cellText(8, 3), QStringLiteral("Off"));
        typeOnCell(8, 3, QStringLiteral("7"));
        typeOnCell(8, 5, QStringLiteral("y"));
        press(Qt::Key_Return);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("keep me"));

        // Typing on a W/N cell and right-button clicks open nothing. Enter on the table moves
        // one column right, in W/N and in Power of channel 16 out of it, in a list to the next.
        goToCell(1, 6);
        press('W');
        for (int col = 1; col <= 8; ++col)
            clickCell(1, col, Qt::RightButton);
        QCOMPARE(openEditor(), QString());
        goToCell(2, 3);
        press(Qt::Key_Return);
        QCOMPARE(currentCell(), QPoint(2, 4));
        QCOMPARE(openEditor(), QString());
        goToCell(2, 6);
        press(Qt::Key_Return);
        QCOMPARE(focusName(), QStringLiteral("cmbType"));
        clickCell(16, 8);
        QCOMPARE(openEditor(), QStringLiteral("cmbPower"));
        press(Qt::Key_Down);
        press(Qt::Key_Return);
        QCOMPARE(cellText(16, 8), QStringLiteral("Low"));
        QCOMPARE(focusName(), QStringLiteral("cmbType"));
        press(Qt::Key_Return);
        QCOMPARE(focusName(), QStringLiteral("cmbField"));
        QVERIFY(answers->boxes.isEmpty());
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
