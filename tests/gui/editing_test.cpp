// Editing the channel table with real keys and clicks: how an edit starts, Enter's way through
// a row and out of the grid, the frequency check with its messages in order, what a commit does
// to the rest of the row, what is never committed, the clipboard left alone, the status-bar
// hints, and the bytes a save then writes.
#include "gui_test_support.h"

#include "app/main_frame.h"
#include "app/tern_app.h"
#include "app/tern_doc.h"
#include "editor/tern_view.h"
#include "grid/ms_flex_grid.h"
#include "image/channel_codec.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

using Texts = orvo::ChannelTexts;

const QString kNotANumber = QStringLiteral("Please input Number");
const QString kFormat = QStringLiteral("Error Data Format\uFF0CPlease input again");
const QString kBand = QStringLiteral("Out of range!");
const QString kStep =
    QStringLiteral("Error data Value\uFF0CPlease input according the step value(6.25K/5k)");
const QString kTitle = QStringLiteral("Orvo Programming Software");

const QStringList kFilled{"440.00000", "440.00000", "67.0",   "D023N",
                          "Yes",       "Narrow",    "Delete", "Low"};
const QStringList kEmpty{"", "", "", "", "", "", "", ""};

CMSFlexGrid* grid()
{
    return ternView()->m_grid;
}

QWidget* focus()
{
    return QApplication::focusWidget();
}

QStringList rowTexts(int row)
{
    QStringList texts;
    for (int col = 1; col <= 8; ++col)
        texts.append(grid()->GetTextMatrix(row, col));
    return texts;
}

void setRow(int row, const QStringList& texts)
{
    for (int col = 1; col <= 8; ++col)
        grid()->SetTextMatrix(row, col, texts[col - 1]);
}

QList<QWidget*> visibleEditors()
{
    QList<QWidget*> shown;
    for (int col = 1; col <= 8; ++col) {
        QWidget* editor = ternView()->EditorForColumn(col);
        if (!editor->isHidden() && !shown.contains(editor))
            shown.append(editor);
    }
    return shown;
}

QPoint cellCentre(int row, int col)
{
    return {grid()->columnViewportPosition(col) + grid()->columnWidth(col) / 2,
            grid()->rowViewportPosition(row) + grid()->rowHeight(row) / 2};
}

void clickCell(int row, int col, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseClick(grid()->clientArea(), button, {}, cellCentre(row, col));
}

// Makes (row, col) current without opening an editor and gives the grid the focus.
void selectCell(int row, int col)
{
    grid()->SetRow(row);
    grid()->SetCol(col);
    grid()->setFocus();
    QTRY_COMPARE(focus(), static_cast<QWidget*>(grid()));
}

// Types `text` on the current cell: the first key on the grid, the rest into what has the focus.
void typeOnCell(int row, int col, const QString& text)
{
    selectCell(row, col);
    QTest::keyClick(grid(), text.at(0).toLatin1());
    if (text.size() > 1)
        QTest::keyClicks(focus(), text.mid(1));
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    QTest::keyClick(focus(), key, modifiers);
}

QStringList boxTexts(const DialogAnswers& answers)
{
    QStringList texts;
    for (const ShownBox& box : answers.boxes)
        texts.append(box.text);
    return texts;
}

// Every box: caption "Prompt" with the information icon for "Out of range!", the application's
// title with the warning icon for the others, and OK alone.
void checkBoxLooks(const DialogAnswers& answers)
{
    for (const ShownBox& box : answers.boxes) {
        const bool prompt = box.text == kBand;
        QCOMPARE(box.caption, prompt ? QStringLiteral("Prompt") : kTitle);
        QCOMPARE(box.icon, prompt ? QMessageBox::Information : QMessageBox::Warning);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
}

QLineEdit* freqEditor()
{
    return ternView()->m_editFreq;
}

} // namespace

class EditingTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<CTernApp> app;
    std::unique_ptr<QTemporaryDir> dir;
    // Answers every box of a test and records it.
    std::unique_ptr<DialogAnswers> answers;

    // Saves with Ctrl+S and checks that channel records 1..16 of the file are the core's
    // encoding of the rows the grid shows.
    void checkSaveEncodesTheGrid()
    {
        const qsizetype boxesBefore = answers->boxes.size();
        const QString file = dir->filePath(QStringLiteral("edited.sin"));
        answers->fileAnswers.append(file);
        QTest::keyClick(focus(), Qt::Key_S, Qt::ControlModifier);
        const orvo::RadioImage saved = fromBytes(readFileBytes(file));
        orvo::RadioImage expected = saved;
        for (int ch = 1; ch <= 16; ++ch) {
            Texts texts;
            for (int col = 1; col <= 8; ++col)
                texts[std::size_t(col - 1)] = grid()->GetTextMatrix(ch, col).toStdString();
            orvo::encodeChannel(texts, expected, ch);
        }
        QCOMPARE(toBytes(saved), toBytes(expected));
        QCOMPARE(answers->boxes.size(), boxesBefore);
    }

private slots:
    void initTestCase() { quietPlatformWarnings(); }

    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        app = startApplication();
        QVERIFY(mainFrame());
        answers = std::make_unique<DialogAnswers>();
        chooseListEntry(ternView()->m_cmbField, 2);
        QCOMPARE(ternView()->m_cmbField->currentText(), QStringLiteral("400 - 470MHz"));
    }

    void cleanup()
    {
        if (app && app->GetDocument())
            app->GetDocument()->SetModifiedFlag(false);
        answers.reset();
        app.reset();
        dir.reset();
    }

    // A typed frequency is checked for form, band and raster, with the messages in the order of
    // the checks. Leaving the cell reports band and raster together; a rejected text leaves the
    // cell and the rest of the row as they were. Enter stops at the first fault and keeps the
    // editor open and empty over the same cell.
    void frequencyCheck_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("enter");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("stored"); // empty: rejected
        const struct
        {
            const char* typed;
            QStringList leaveBoxes;
            QStringList enterBoxes;
            const char* stored;
        } cases[] = {
            {"446.00625", {}, {}, "446.00625"},
            {"446.1", {}, {}, "446.10000"},
            {"446.1abc", {}, {}, "446.10000"},
            {"446.0025", {kStep}, {kStep}, ""},
            {"480", {kBand}, {kBand}, ""},
            {"500.001", {kBand, kStep}, {kBand}, ""},
            {"59.99999", {kFormat}, {kFormat}, ""},
            {"600.1", {kFormat}, {kFormat}, ""},
            {"43349.67296", {kFormat}, {kFormat}, ""},
            {"-446", {kNotANumber, kFormat}, {kNotANumber, kFormat}, ""},
            {"abc", {kNotANumber, kFormat}, {kNotANumber, kFormat}, ""},
        };
        for (const auto& c : cases) {
            QTest::addRow("%s leaving", c.typed) << c.typed << false << c.leaveBoxes << c.stored;
            QTest::addRow("%s Enter", c.typed) << c.typed << true << c.enterBoxes << c.stored;
        }
    }

    void frequencyCheck()
    {
        QFETCH(QString, typed);
        QFETCH(bool, enter);
        QFETCH(QStringList, boxes);
        QFETCH(QString, stored);
        setRow(3, kFilled);
        typeOnCell(3, 1, typed);
        QCOMPARE(freqEditor()->text(), typed);
        if (enter)
            press(Qt::Key_Return);
        else
            clickCell(5, 4);
        QCOMPARE(boxTexts(*answers), boxes);
        checkBoxLooks(*answers);

        QStringList expected = kFilled;
        if (!stored.isEmpty())
            expected[0] = stored;
        QCOMPARE(rowTexts(3), expected);
        if (enter && stored.isEmpty()) {
            QCOMPARE(visibleEditors(), QList<QWidget*>{freqEditor()});
            QCOMPARE(freqEditor()->text(), QString());
            QCOMPARE(focus(), static_cast<QWidget*>(freqEditor()));
            QCOMPARE(grid()->GetRow(), 3);
            QCOMPARE(grid()->GetCol(), 1);
        }
        checkSaveEncodesTheGrid();
    }

    // After Enter refused a frequency, the emptied box is not a request to delete: Enter again
    // or leaving the cell keeps the old frequency and the row. Emptying the box by hand still
    // deletes it.
    void refusedEnterThenLeavingKeepsTheFrequency_data()
    {
        QTest::addColumn<bool>("enterAgain");
        QTest::newRow("Enter again") << true;
        QTest::newRow("leaving") << false;
    }

    void refusedEnterThenLeavingKeepsTheFrequency()
    {
        QFETCH(bool, enterAgain);
        setRow(3, kFilled);
        typeOnCell(3, 1, QStringLiteral("480"));
        press(Qt::Key_Return);
        QCOMPARE(boxTexts(*answers), QStringList{kBand});
        QCOMPARE(freqEditor()->text(), QString());
        if (enterAgain)
            press(Qt::Key_Return);
        else
            clickCell(5, 4);
        QCOMPARE(rowTexts(3), kFilled);
        QCOMPARE(answers->boxes.size(), qsizetype(1));

        typeOnCell(3, 1, QStringLiteral("4"));
        press(Qt::Key_Backspace);
        QCOMPARE(freqEditor()->text(), QString());
        clickCell(5, 4);
        QCOMPARE(grid()->GetTextMatrix(3, 1), QString());
        QCOMPARE(grid()->GetTextMatrix(3, 3), QString());
        checkSaveEncodesTheGrid();
    }

    // A typed character opens the text box holding just that character, the caret after it; a
    // first key that is no digit is refused with a message first. A double click opens the
    // box over the cell with the cell's text all selected.
    void startingAFrequencyEdit()
    {
        setRow(2, kFilled);
        typeOnCell(2, 1, QStringLiteral("4"));
        QCOMPARE(freqEditor()->text(), QStringLiteral("4"));
        QCOMPARE(freqEditor()->cursorPosition(), 1);
        QVERIFY(!freqEditor()->hasSelectedText());
        QVERIFY(!freqEditor()->hasFrame());
        QVERIFY(answers->boxes.isEmpty());
        // Leaving "4" is refused, and the cell keeps its frequency.
        typeOnCell(4, 2, QStringLiteral("4"));
        QCOMPARE(boxTexts(*answers), QStringList{kFormat});
        QCOMPARE(rowTexts(2), kFilled);
        QCOMPARE(freqEditor()->text(), QStringLiteral("4"));
        QCOMPARE(freqEditor()->cursorPosition(), 1);

        answers->boxes.clear();
        typeOnCell(2, 2, QStringLiteral("."));
        QCOMPARE(boxTexts(*answers), (QStringList{kFormat, kNotANumber}));
        QCOMPARE(freqEditor()->text(), QStringLiteral("."));
        answers->boxes.clear();
        typeOnCell(6, 1, QStringLiteral("x"));
        QCOMPARE(boxTexts(*answers), (QStringList{kFormat, kNotANumber}));
        checkBoxLooks(*answers);
        QCOMPARE(freqEditor()->text(), QString());
        QCOMPARE(focus(), static_cast<QWidget*>(freqEditor()));

        QTest::mouseDClick(grid()->clientArea(), Qt::LeftButton, {}, cellCentre(2, 1));
        QCOMPARE(freqEditor()->text(), kFilled[0]);
        QCOMPARE(freqEditor()->selectedText(), kFilled[0]);
        // Over the cell: its box in pixels, counted from outside the grid's border, less 3.
        const QRect cell(grid()->columnViewportPosition(1), grid()->rowViewportPosition(2),
                         grid()->columnWidth(1), grid()->rowHeight(2));
        const QPoint border = grid()->clientArea()->pos();
        QVERIFY2(qAbs(freqEditor()->x() - (cell.x() + border.x() - 3)) <= 1,
                 qPrintable(QString::number(freqEditor()->x())));
        QVERIFY(qAbs(freqEditor()->y() - (cell.y() + border.y() - 3)) <= 1);
        QVERIFY(qAbs(freqEditor()->width() - cell.width()) <= 1);
        QVERIFY(qAbs(freqEditor()->height() - cell.height()) <= 1);

        // The box takes no more text than it shows.
        QTest::keyClicks(freqEditor(), QString(40, QLatin1Char('1')));
        QVERIFY(freqEditor()->text().size() < 40);
        QVERIFY(freqEditor()->fontMetrics().horizontalAdvance(freqEditor()->text()) <=
                freqEditor()->width());
        // Keys the box does not use stay in it: no other cell becomes current.
        press(Qt::Key_Up);
        press(Qt::Key_Escape);
        QCOMPARE(grid()->GetRow(), 2);
        QCOMPARE(visibleEditors(), QList<QWidget*>{freqEditor()});
        QCOMPARE(answers->boxes.size(), 2);
        QCOMPARE(rowTexts(2), kFilled);
    }

    // Enter after a first receive frequency fills the row and moves to its transmit frequency,
    // already showing the same text; then on through every column to the next row. A first
    // transmit frequency fills columns 3..8 only. The save gives the core's bytes.
    void firstFrequencyAndEnterThroughTheRow()
    {
        typeOnCell(5, 1, QStringLiteral("446.00625"));
        press(Qt::Key_Return);
        QCOMPARE(rowTexts(5), (QStringList{"446.00625", "446.00625", "Off", "Off", "No", "Wide",
                                           "Add", "High"}));
        QCOMPARE(grid()->GetCol(), 2);
        QCOMPARE(focus(), static_cast<QWidget*>(freqEditor()));
        QCOMPARE(freqEditor()->selectedText(), QStringLiteral("446.00625"));

        CTernView* view = ternView();
        const QList<QWidget*> next{view->m_cmbTone,  view->m_cmbTone,    view->m_cmbBusy,
                                   view->m_cmbWidth, view->m_cmbScanAdd, view->m_cmbPower};
        for (int col = 3; col <= 8; ++col) {
            press(Qt::Key_Return);
            QCOMPARE(grid()->GetCol(), col);
            QCOMPARE(visibleEditors(), QList<QWidget*>{next[col - 3]});
            QVERIFY(next[col - 3]->isAncestorOf(focus()) || focus() == next[col - 3]);
            if (col == 4)
                QCOMPARE(view->m_cmbTone->lineEdit()->selectedText(), QStringLiteral("Off"));
            if (col == 5)
                press(Qt::Key_Up); // "No" -> "Yes"
        }
        QCOMPARE(rowTexts(5)[4], QStringLiteral("Yes"));
        press(Qt::Key_Down); // Power: Low
        press(Qt::Key_Return);
        QCOMPARE(rowTexts(5)[7], QStringLiteral("Low"));
        QCOMPARE(grid()->GetRow(), 6);
        QCOMPARE(grid()->GetCol(), 1);
        QCOMPARE(visibleEditors(), QList<QWidget*>{freqEditor()});
        QCOMPARE(focus(), static_cast<QWidget*>(freqEditor()));

        typeOnCell(7, 2, QStringLiteral("446.1"));
        clickCell(1, 1);
        QCOMPARE(rowTexts(7),
                 (QStringList{"", "446.10000", "Off", "Off", "No", "Wide", "Add", "High"}));
        QVERIFY(answers->boxes.isEmpty());
        checkSaveEncodesTheGrid();
    }

    // Emptying the receive frequency empties its tone only; emptying the transmit frequency
    // too empties its tone and columns 5..8. Busy chosen on an empty channel leaves it empty.
    void emptyingFrequenciesAndEmptyChannels()
    {
        setRow(8, kFilled);
        QTest::mouseDClick(grid()->clientArea(), Qt::LeftButton, {}, cellCentre(8, 1));
        press(Qt::Key_Delete);
        press(Qt::Key_Return);
        QCOMPARE(rowTexts(8),
                 (QStringList{"", "440.00000", "", "D023N", "Yes", "Narrow", "Delete", "Low"}));
        QCOMPARE(focus(), static_cast<QWidget*>(freqEditor()));
        press(Qt::Key_Backspace);
        clickCell(9, 5); // leaving the cell
        QCOMPARE(rowTexts(8), kEmpty);

        QCOMPARE(visibleEditors(), QList<QWidget*>{ternView()->m_cmbBusy});
        press(Qt::Key_Up);
        QCOMPARE(ternView()->m_cmbBusy->currentText(), QStringLiteral("Yes"));
        press(Qt::Key_Return);
        QCOMPARE(rowTexts(9), kEmpty);
        clickCell(9, 8);
        press(Qt::Key_Down);
        clickCell(10, 1);
        QCOMPARE(rowTexts(9), kEmpty);
        checkSaveEncodesTheGrid();
    }

    // Tone texts are checked against the table: an unknown one is stored as "OFF", one typed
    // in another letter case in the table's case (and so encoded as that tone).
    void toneTexts()
    {
        setRow(4, kFilled);
        typeOnCell(4, 3, QStringLiteral("67"));
        QCOMPARE(ternView()->m_cmbTone->currentText(), QStringLiteral("67"));
        press(Qt::Key_Return);
        QCOMPARE(rowTexts(4)[2], QStringLiteral("OFF"));
        QCOMPARE(ternView()->m_cmbTone->currentText(), QStringLiteral("D023N"));
        QTest::keyClicks(focus(), QStringLiteral("d754i"));
        clickCell(1, 1);
        QCOMPARE(rowTexts(4)[3], QStringLiteral("D754I"));
        checkSaveEncodesTheGrid();
        const orvo::RadioImage image = app->GetDocument()->m_image;
        QCOMPARE(orvo::decodeChannel(image, 4)[3], std::string("D754I"));
    }

    // Enter on the grid moves one column right, in column 6 out of the grid; Enter in Power of
    // row 16 leaves the grid; Enter in a setting list moves to the next control.
    void enterLeavesTheGrid()
    {
        selectCell(2, 3);
        press(Qt::Key_Return);
        QCOMPARE(grid()->GetCol(), 4);
        QCOMPARE(focus(), static_cast<QWidget*>(grid()));
        QVERIFY(visibleEditors().isEmpty());

        selectCell(2, 6);
        press(Qt::Key_Return);
        QCOMPARE(grid()->GetCol(), 6);
        QCOMPARE(focus(), static_cast<QWidget*>(ternView()->m_cmbType));

        setRow(16, kFilled);
        clickCell(16, 8);
        QCOMPARE(visibleEditors(), QList<QWidget*>{ternView()->m_cmbPower});
        press(Qt::Key_Up);
        press(Qt::Key_Return);
        QCOMPARE(rowTexts(16)[7], QStringLiteral("High"));
        QVERIFY(visibleEditors().isEmpty());
        QCOMPARE(focus(), static_cast<QWidget*>(ternView()->m_cmbType));

        ternView()->m_cmbType->setFocus();
        QTRY_COMPARE(focus(), static_cast<QWidget*>(ternView()->m_cmbType));
        press(Qt::Key_Return);
        QCOMPARE(focus(), static_cast<QWidget*>(ternView()->m_cmbField));
    }

    // Typing on a W/N cell and right-button presses open nothing.
    void nothingOpens()
    {
        setRow(3, kFilled);
        selectCell(3, 6);
        QTest::keyClick(grid(), 'W');
        QTest::keyClick(grid(), '1');
        QVERIFY(visibleEditors().isEmpty());
        for (int col = 1; col <= 8; ++col)
            clickCell(3, col, Qt::RightButton);
        QVERIFY(visibleEditors().isEmpty());
        QCOMPARE(rowTexts(3), kFilled);
        QVERIFY(answers->boxes.isEmpty());
    }

    // File New with an editor open hides it and commits nothing, now or when the cell is left.
    // A setting list clicked meanwhile commits nothing either.
    void newDocumentDropsTheEdit()
    {
        typeOnCell(2, 1, QStringLiteral("446.1"));
        chooseListEntry(ternView()->m_cmbBeep, 0);
        QVERIFY(freqEditor()->isVisible());
        QCOMPARE(rowTexts(2), kEmpty);
        answers->boxAnswers = {QMessageBox::Discard};
        QTest::keyClick(focus(), Qt::Key_N, Qt::ControlModifier);
        QVERIFY(visibleEditors().isEmpty());
        clickCell(3, 1);
        clickCell(4, 4);
        QCOMPARE(rowTexts(2), kEmpty);
        QCOMPARE(rowTexts(3), kEmpty);
        QCOMPARE(boxTexts(*answers), QStringList{QStringLiteral("Save changes?")});

        // An edit starts from what the cell shows now, though the cell became current (and
        // loaded the editor) before the table changed, as after File Open or a read.
        selectCell(6, 4);
        setRow(6, kFilled);
        QTest::mouseDClick(grid()->clientArea(), Qt::LeftButton, {}, cellCentre(6, 4));
        QCOMPARE(ternView()->m_cmbTone->currentText(), QStringLiteral("D023N"));
    }

    // No edit touches the clipboard.
    void clipboardIsLeftAlone()
    {
        QClipboard* clipboard = QApplication::clipboard();
        clipboard->setText(QStringLiteral("keep me"));
        if (clipboard->supportsSelection())
            clipboard->setText(QStringLiteral("keep me too"), QClipboard::Selection);
        setRow(3, kFilled);
        typeOnCell(3, 1, QStringLiteral("4"));
        typeOnCell(3, 2, QStringLiteral("5"));
        typeOnCell(5, 1, QStringLiteral("6"));
        typeOnCell(3, 3, QStringLiteral("7"));
        typeOnCell(3, 5, QStringLiteral("y"));
        typeOnCell(3, 8, QStringLiteral("l"));
        press(Qt::Key_Return);
        QCOMPARE(grid()->GetRow(), 4);
        QCOMPARE(freqEditor()->text(), QString());
        QTest::keyClicks(focus(), QStringLiteral("446.1"));
        press(Qt::Key_Return);
        QCOMPARE(freqEditor()->selectedText(), QStringLiteral("446.10000"));
        press(Qt::Key_Return);
        QCOMPARE(clipboard->text(), QStringLiteral("keep me"));
        if (clipboard->supportsSelection())
            QCOMPARE(clipboard->text(QClipboard::Selection), QStringLiteral("keep me too"));
    }

    // The Read and Write commands commit the edit in progress through OnLeaveCellGrid: the cell
    // stays current, the editor closes.
    void leaveCellCommitsForTransfers()
    {
        typeOnCell(11, 1, QStringLiteral("446.1"));
        ternView()->OnLeaveCellGrid();
        QCOMPARE(rowTexts(11)[1], QStringLiteral("446.10000"));
        QVERIFY(visibleEditors().isEmpty());
        QCOMPARE(grid()->GetRow(), 11);
        QCOMPARE(grid()->GetCol(), 1);
        ternView()->OnLeaveCellGrid(); // nothing in progress: nothing happens
        QCOMPARE(rowTexts(11)[0], QStringLiteral("446.10000"));
    }

    // The status bar names what the mouse is over: a list, the grid, or anything else.
    void statusBarHints()
    {
        CTernView* view = ternView();
        auto* label = view->findChild<QLabel*>(QStringLiteral("lblBeep"));
        QVERIFY(label);
        // A click of its own first: a double click of an earlier test can leave the test
        // library's mouse state behind, which keeps the next moves from entering anything.
        QTest::mouseClick(label, Qt::LeftButton);
        QTest::mouseMove(view->m_cmbBeep);
        QTRY_COMPARE(mainFrame()->GetMessageText(),
                     QStringLiteral("Please click the CommBox to choose value"));
        QTest::mouseMove(grid()->clientArea(), cellCentre(3, 3));
        QTRY_COMPARE(mainFrame()->GetMessageText(),
                     QStringLiteral("Please Click the cell to edit or input data"));
        QTest::mouseMove(label);
        QTRY_COMPARE(mainFrame()->GetMessageText(),
                     QStringLiteral("For help\uFF0Cplease press F1"));
    }
};

ORVO_GUI_TEST_MAIN(EditingTest)
#include "editing_test.moc"
