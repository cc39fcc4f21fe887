// Editing the channel table with real keys and clicks: how an edit starts and ends (by Save and
// New too), Enter's way through a row and out of the table, the frequency check's messages in
// order, what opens nothing, rows copied and pasted, undo and redo, the clipboard left alone by
// typing, and the bytes a save writes with the channels outside the Field named first. The rules
// of a commit are document_test's.
#include "gui_test_support.h"
#include "reliability_support.h"

#include "image/channel_codec.h"

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
const QStringList kRow1{"446.00625", "446.00625", "67.0", "D023N",
                        "No",        "Narrow",    "Add",  "High"};
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

class EditingTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<QObject> app;
    std::unique_ptr<DialogAnswers> answers;

    // Ctrl+S, then: the file holds the core's encoding of every row the table shows.
    void checkSaveHoldsTheTable()
    {
        const qsizetype boxes = answers->boxes.size();
        ctrl(Qt::Key_S);
        const orvo::RadioImage saved = fromBytes(readFileBytes(dir->filePath("start.sin")));
        orvo::RadioImage expected = saved;
        for (int ch = 1; ch <= 16; ++ch) {
            orvo::ChannelTexts texts;
            for (int col = 1; col <= 8; ++col)
                texts[col - 1] = cellText(ch, col).toStdString();
            orvo::encodeChannel(texts, expected, ch);
        }
        QCOMPARE(toBytes(saved), toBytes(expected));
        QCOMPARE(answers->boxes.size(), boxes);
    }

private slots:
    void initTestCase() { quietPlatformWarnings(); }

    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        saveWithCore(dir->filePath("start.sin"), reliability::radioMemory());
        app = startApp({dir->filePath("start.sin")});
        QVERIFY(app);
        answers = std::make_unique<DialogAnswers>();
        QCOMPARE(rowTexts(1), kRow1);
    }

    void cleanup()
    {
        answers.reset();
        app.reset();
    }

    // Form, band and raster are checked in this order; leaving the cell reports band and raster
    // together, Enter stops at the first fault and keeps the box open and empty over the cell.
    // A refused text keeps the cell's old frequency, also when Enter follows on the empty box.
    void frequencyCheck_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("end"); // "click" on another cell, "Enter" or "Ctrl+S"
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("stored"); // empty: refused
        QTest::newRow("good, leaving") << "446.1" << "click" << QStringList{} << "446.10000";
        QTest::newRow("good, Enter") << "446.1" << "Enter" << QStringList{} << "446.10000";
        QTest::newRow("good, Ctrl+S") << "446.1" << "Ctrl+S" << QStringList{} << "446.10000";
        QTest::newRow("band+step, leaving") << "500.001" << "click" << QStringList{kBand, kStep}
                                            << "";
        QTest::newRow("band+step, Ctrl+S") << "500.001" << "Ctrl+S" << QStringList{kBand, kStep}
                                           << "";
        QTest::newRow("band+step, Enter") << "500.001" << "Enter" << QStringList{kBand} << "";
        QTest::newRow("sign, Enter") << "-446" << "Enter" << QStringList{kNotANumber, kFormat}
                                     << "";
    }

    void frequencyCheck()
    {
        QFETCH(QString, typed);
        QFETCH(QString, end);
        QFETCH(QStringList, boxes);
        QFETCH(QString, stored);
        typeOnCell(1, 1, typed);
        QCOMPARE(freqBox()->text(), typed);
        const bool enter = end == "Enter";
        if (enter)
            press(Qt::Key_Return);
        else
            end == "Ctrl+S" ? ctrl(Qt::Key_S) : clickCell(5, 4);
        QCOMPARE(answers->texts(), boxes);
        for (const ShownBox& box : answers->boxes) {
            const bool prompt = box.text == kBand;
            QCOMPARE(box.caption, prompt ? QStringLiteral("Prompt") : AppTitle());
            QCOMPARE(box.icon, prompt ? QMessageBox::Information : QMessageBox::Warning);
            QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        }
        QStringList expected = kRow1;
        if (!stored.isEmpty())
            expected[0] = stored;
        QCOMPARE(rowTexts(1), expected);
        if (enter && stored.isEmpty()) {
            QCOMPARE(openEditor(), QStringLiteral("editFreq"));
            QCOMPARE(freqBox()->text(), QString());
            QCOMPARE(currentCell(), QPoint(1, 1));
            press(Qt::Key_Return);
            QCOMPARE(rowTexts(1), kRow1);
            QCOMPARE(answers->texts(), boxes);
        }
        checkSaveHoldsTheTable();
    }

    // A digit opens the box holding just that digit; another first key is refused with a
    // message and leaves the box empty. A double click opens it with the cell's text selected.
    // The box takes no more than it shows and keeps the keys it does not use.
    void startingAnEdit()
    {
        typeOnCell(3, 1, QStringLiteral("4"));
        QCOMPARE(openEditor(), QStringLiteral("editFreq"));
        QCOMPARE(freqBox()->text(), QStringLiteral("4"));
        QCOMPARE(freqBox()->cursorPosition(), 1);
        QVERIFY(!freqBox()->hasSelectedText());
        QVERIFY(answers->boxes.isEmpty());
        typeOnCell(4, 1, QStringLiteral("x")); // leaving "4" is refused, then "x"
        QCOMPARE(answers->texts(), (QStringList{kFormat, kNotANumber}));
        QCOMPARE(freqBox()->text(), QString());
        QCOMPARE(rowTexts(3), kEmpty);

        doubleClickCell(1, 1);
        QCOMPARE(freqBox()->geometry(), channelTable()->visualRect(channelTable()->currentIndex()));
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
    }

    // Rows copied by their channel numbers paste onto others; Ctrl+Z back to the file as opened
    // (not modified), Ctrl+Y forward again.
    void rowsThroughTheClipboardAndUndo()
    {
        typeOnCell(1, 2, QStringLiteral("446.1"));
        clickCell(1, 0);
        ctrl(Qt::Key_C);
        clickCell(3, 0);
        ctrl(Qt::Key_V);
        const QStringList edited = rowTexts(1);
        QCOMPARE(rowTexts(3), edited);
        ctrl(Qt::Key_Z);
        QCOMPARE(rowTexts(3), kEmpty);
        QVERIFY(asksToSave());
        ctrl(Qt::Key_Z);
        QCOMPARE(rowTexts(1), kRow1);
        QVERIFY(!asksToSave());
        ctrl(Qt::Key_Y);
        ctrl(Qt::Key_Y);
        QCOMPARE(rowTexts(3), edited);
        checkSaveHoldsTheTable();
    }

    // A first receive frequency fills the row and Enter moves to its transmit frequency showing
    // the same text, then through every column's editor to the next row. A first transmit
    // frequency fills columns 3..8 only.
    void enterWalksTheRow()
    {
        typeOnCell(5, 1, QStringLiteral("446.00625"));
        press(Qt::Key_Return);
        QCOMPARE(rowTexts(5), (QStringList{"446.00625", "446.00625", "Off", "Off", "No", "Wide",
                                           "Add", "High"}));
        QCOMPARE(currentCell(), QPoint(5, 2));
        QCOMPARE(freqBox()->selectedText(), QStringLiteral("446.00625"));
        const QStringList editors{"cmbTone", "cmbTone", "cmbBusy", "cmbWidth", "cmbScanAdd",
                                  "cmbPower"};
        for (int col = 3; col <= 8; ++col) {
            press(Qt::Key_Return);
            QCOMPARE(currentCell(), QPoint(5, col));
            QCOMPARE(openEditor(), editors[col - 3]);
            QCOMPARE(focusName(), editors[col - 3]);
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
        QCOMPARE(rowTexts(8),
                 (QStringList{"", "446.10000", "Off", "Off", "No", "Wide", "Add", "High"}));
        QVERIFY(answers->boxes.isEmpty());
        checkSaveHoldsTheTable();
    }

    // The focus starts on Type; Tab walks the lists to the table. Enter on the table moves one
    // column right, in W/N out of it; Enter in Power of channel 16 leaves it; Enter in a list
    // moves to the next control.
    void focusAndEnterOutOfTheTable()
    {
        const QStringList tabOrder{"cmbType",         "cmbField",       "cmbScan",
                                   "cmbBeep",         "cmbBatterySave", "cmbSquelchLevel",
                                   "cmbTxTotalTime",  "cmbVoiceAnnunciation",
                                   "cmbMoni",         "grid"};
        for (const QString& name : tabOrder) {
            QCOMPARE(focusName(), name);
            press(Qt::Key_Tab);
        }
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
        QCOMPARE(openEditor(), QString());
        QCOMPARE(focusName(), QStringLiteral("cmbType"));
        press(Qt::Key_Return);
        QCOMPARE(focusName(), QStringLiteral("cmbField"));
    }

    // Typing on a W/N cell and right-button clicks open nothing.
    void nothingOpens()
    {
        goToCell(1, 6);
        press('W');
        press('1');
        for (int col = 1; col <= 8; ++col)
            clickCell(1, col, Qt::RightButton);
        QCOMPARE(openEditor(), QString());
        QCOMPARE(rowTexts(1), kRow1);
        QVERIFY(answers->boxes.isEmpty());
    }

    // File New with an editor open commits it to the document it leaves, which the prompt's Save
    // stores; the new document gets nothing, now or when the cell is left, nor from a list chosen
    // meanwhile. An edit starts from what the cell shows now, though the cell was current before
    // Open decoded the table anew.
    void newCommitsTheEditFirst()
    {
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

        goToCell(1, 4);
        answers->fileAnswers = {dir->filePath("start.sin")};
        ctrl(Qt::Key_O);
        QCOMPARE(cellText(3, 1), QStringLiteral("446.10000"));
        doubleClickCell(1, 4);
        QCOMPARE(focusName(), QStringLiteral("cmbTone"));
        QWidget* tone = focus();
        while (!qobject_cast<QComboBox*>(tone))
            tone = tone->parentWidget();
        QCOMPARE(static_cast<QComboBox*>(tone)->currentText(), QStringLiteral("D023N"));
    }

    // Channels outside the Field chosen are listed before Save: Cancel keeps the file as it was,
    // Continue saves.
    void saveNamesChannelsOutsideTheField()
    {
        const QString file = dir->filePath("start.sin");
        const QByteArray before = readFileBytes(file);
        chooseListEntry(settingList("cmbField"), 0);
        ctrl(Qt::Key_S);
        QVERIFY(answers->texts().value(0).startsWith("Channel 1 Receive 446.00625 lies outside "
                                                     "136 - 174MHz\nChannel 1 Transmit"));
        QCOMPARE(readFileBytes(file), before);
        answers->boxAnswers = {QMessageBox::Ok};
        ctrl(Qt::Key_S);
        QCOMPARE(answers->boxes.size(), 2);
        QVERIFY(readFileBytes(file) != before);
    }

    // No edit touches the clipboard.
    void clipboardIsLeftAlone()
    {
        QClipboard* clipboard = QApplication::clipboard();
        clipboard->setText(QStringLiteral("keep me"));
        typeOnCell(1, 1, QStringLiteral("4"));
        typeOnCell(3, 2, QStringLiteral("446.1"));
        typeOnCell(3, 3, QStringLiteral("7"));
        typeOnCell(3, 5, QStringLiteral("y"));
        press(Qt::Key_Return);
        doubleClickCell(3, 2);
        press(Qt::Key_Return);
        QCOMPARE(clipboard->text(), QStringLiteral("keep me"));
    }
};

ORVO_GUI_TEST_MAIN(EditingTest)
#include "editing_test.moc"
