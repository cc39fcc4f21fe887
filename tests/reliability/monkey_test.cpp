// A monkey on the form: thousands of random clicks, keys and typed texts on the channel grid, its
// in-place editors and the setting lists, every message box answered through the hook. After
// every event the table must hold only what the editor lets in:
// - a frequency cell is empty or a "%3.5f" text of 60..600 MHz on the 6.25 or 5 kHz raster, and
//   one committed since the Field list last changed lies in the band it shows;
// - a tone cell is empty, "OFF" or an entry of the tone table;
// - the Busy, W/N, Scan and Power cells hold one of their two words when the row has a frequency
//   (in a row without one they are not stored, and may be empty or not).
// Every few hundred events the document is saved and opened again: the table and the lists come
// back as they were (tones that mean no tone come back empty, as do the flags of a row without
// frequencies).
//
// ORVO_MONKEY_SEED (default 4111) and ORVO_MONKEY_EVENTS (default 4000) choose the run; a
// failure names the seed, the event and the last actions. ORVO_MONKEY_TRACE prints every action
// with the focus after it.
#include "gui_test_support.h"
#include "reliability_support.h"

#include "app/main_frame.h"
#include "app/tern_app.h"
#include "app/tern_doc.h"
#include "editor/tern_view.h"
#include "grid/ms_flex_grid.h"
#include "image/channel_codec.h"
#include "image/settings_codec.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMap>
#include <QRegularExpression>

#include <deque>
#include <random>

namespace {

constexpr int kDefaultSeed = 4111;
constexpr int kDefaultEvents = 4000;
constexpr int kCheckpointEvery = 400;
constexpr std::size_t kActionsKept = 40;

CMSFlexGrid* grid()
{
    return ternView()->m_grid;
}

CTernDoc* document()
{
    return AfxGetTernApp()->GetDocument();
}

QStringList tableTexts()
{
    QStringList texts;
    for (int row = 1; row <= orvo::kChannelCount; ++row)
        for (int col = 1; col <= 8; ++col)
            texts.append(grid()->GetTextMatrix(row, col));
    return texts;
}

QString cellOf(const QStringList& table, int row, int col)
{
    return table[(row - 1) * 8 + (col - 1)];
}

QList<int> boxSelections()
{
    QList<int> selections;
    for (const orvo::SettingBoxInfo& info : orvo::settingBoxes())
        selections.append(ternView()->settingBox(info.box)->currentIndex());
    return selections;
}

// Texts a typist might try: frequencies in and out of every band, on and off the raster, with
// junk after them, signs and exponents, tones in every spelling, words.
const QStringList& typedTexts()
{
    static const QStringList texts{
        "146.52",    "146.52000",    "151.825",       "162.55",      "136",
        "174",       "174.00001",    "135.99999",     "355",         "399.99375",
        "400.00625", "446.00625",    "446.1",         "446.0025",    "438.5",
        "462.5625",  "467.5625",     "470",           "480",         "500",
        "500.001",   "59.99999",     "600.1",         "43349.67296", "-446",
        "446.1abc",  "1e2",          "4.46e2",        "0",           "000146.520",
        " 146.52",   "146,52",       "abc",           ".",           "67.0",
        "67",        "d023n",        "D754I",         "Off",         "OFF",
        "254.1",     "100",          "Yes",           "Narrow",      "Add",
        "Lo",        "999999999999", "146.5200000001"};
    return texts;
}

// Keys a user presses that are not characters, without Ctrl or Alt (those reach the menus).
const QList<Qt::Key>& plainKeys()
{
    static const QList<Qt::Key> keys{
        Qt::Key_Tab,    Qt::Key_Backtab, Qt::Key_Left,     Qt::Key_Right,  Qt::Key_Up,
        Qt::Key_Down,   Qt::Key_Home,    Qt::Key_End,      Qt::Key_Escape, Qt::Key_Backspace,
        Qt::Key_Delete, Qt::Key_PageUp,  Qt::Key_PageDown, Qt::Key_F4,     Qt::Key_Space};
    return keys;
}

const QString kTypedCharacters =
    QStringLiteral("0123456789012345678901234567890123456789.-e+ aDNIOfX");

class Monkey
{
public:
    explicit Monkey(unsigned seed) : m_random(seed) {}

    int number(int below) { return std::uniform_int_distribution<int>(0, below - 1)(m_random); }
    bool chance(int percent) { return number(100) < percent; }

    // One random event; returns what it did.
    QString act()
    {
        if (QWidget* popup = QApplication::activePopupWidget(); popup && chance(70))
            return keyOnPopup(popup);
        const int pick = number(100);
        if (pick < 16)
            return clickCell();
        if (pick < 32)
            return typeCharacter();
        if (pick < 41)
            return typeText();
        if (pick < 51)
            return press(Qt::Key_Return);
        if (pick < 61)
            return press(plainKeys().at(number(static_cast<int>(plainKeys().size()))));
        if (pick < 69)
            return chooseInSettingList();
        if (pick < 73)
            return openEditorList();
        if (pick < 76)
            return clickForm();
        if (pick < 93)
            return editCell();
        return emptyFrequency();
    }

private:
    // Where keys go: the focus, when it is on the form; else the grid takes it first.
    QWidget* keyTarget()
    {
        QWidget* focus = QApplication::focusWidget();
        if (!focus || !ternView()->isAncestorOf(focus)) {
            grid()->setFocus(Qt::OtherFocusReason);
            focus = grid();
        }
        return focus;
    }

    QString name(QWidget* widget)
    {
        if (!widget)
            return QStringLiteral("nothing");
        return widget->objectName().isEmpty()
                   ? QString::fromLatin1(widget->metaObject()->className())
                   : widget->objectName();
    }

    QString clickCell()
    {
        const int how = number(10);
        return clickCell(number(orvo::kChannelCount + 1), number(9),
                         how < 7   ? Qt::LeftButton
                         : how < 9 ? Qt::NoButton // a double click
                                   : Qt::RightButton);
    }

    QString clickCell(int row, int col, Qt::MouseButton button)
    {
        const QPoint at(grid()->columnViewportPosition(col) + grid()->columnWidth(col) / 2,
                        grid()->rowViewportPosition(row) + grid()->rowHeight(row) / 2);
        if (button == Qt::LeftButton) {
            QTest::mouseClick(grid()->clientArea(), Qt::LeftButton, {}, at);
            return QStringLiteral("click cell %1,%2").arg(row).arg(col);
        }
        if (button == Qt::NoButton) {
            QTest::mouseDClick(grid()->clientArea(), Qt::LeftButton, {}, at);
            return QStringLiteral("double-click cell %1,%2").arg(row).arg(col);
        }
        QTest::mouseClick(grid()->clientArea(), Qt::RightButton, {}, at);
        return QStringLiteral("right-click cell %1,%2").arg(row).arg(col);
    }

    // A frequency on the raster of the band the Field list shows (now and then another band's),
    // written in full or with its trailing zeros left off.
    QString bandFrequency()
    {
        int field = ternView()->m_cmbField->currentIndex();
        if (field < 0 || chance(15))
            field = number(4);
        const auto& band = ternView()->m_bandLimits[static_cast<std::size_t>(field)];
        const std::uint32_t step = chance(50) ? 625 : 500;
        const std::uint32_t steps = (band.highest - band.lowest) / step;
        const std::uint32_t first = (band.lowest + step - 1) / step;
        const std::uint32_t units =
            (first + static_cast<std::uint32_t>(number(static_cast<int>(steps)))) * step;
        QString text = QString::number(units / 100000) + QLatin1Char('.') +
                       QStringLiteral("%1").arg(units % 100000, 5, 10, QLatin1Char('0'));
        while (chance(40) && text.endsWith(QLatin1Char('0')))
            text.chop(1);
        return text;
    }

    // What a user types into an editor of column `col`.
    QString textFor(int col)
    {
        if (col <= 2)
            return chance(75) ? bandFrequency()
                              : typedTexts().at(number(static_cast<int>(typedTexts().size())));
        const QStringList& tones = AfxGetTernApp()->m_arTones;
        QString tone = tones.at(number(static_cast<int>(tones.size())));
        if (chance(20))
            tone = tone.toLower();
        if (chance(15))
            tone = typedTexts().at(number(static_cast<int>(typedTexts().size())));
        return tone;
    }

    // Clicks a cell and fills it as a user does: a typed text, or an entry of a list, then
    // Enter or a click on another cell.
    QString editCell()
    {
        const int row = 1 + number(orvo::kChannelCount);
        const int col = chance(45) ? 1 + number(2) : 1 + number(8);
        QString done = clickCell(row, col, Qt::LeftButton);
        if (col <= 4) {
            const QString text = textFor(col);
            QTest::keyClick(keyTarget(), text.at(0).toLatin1());
            if (text.size() > 1)
                QTest::keyClicks(keyTarget(), text.mid(1));
            done += QStringLiteral(", type \"%1\"").arg(text);
        } else {
            QWidget* target = keyTarget();
            const int moves = number(3);
            for (int i = 0; i < moves; ++i)
                QTest::keyClick(target, Qt::Key_Down);
            done += QStringLiteral(", %1 down").arg(moves);
        }
        if (chance(60)) {
            QTest::keyClick(keyTarget(), Qt::Key_Return);
            return done + QStringLiteral(", Enter");
        }
        return done + QStringLiteral(", then ") +
               clickCell(1 + number(orvo::kChannelCount), 1 + number(8), Qt::LeftButton);
    }

    // Opens a frequency cell's editor, deletes its text and commits the empty box.
    QString emptyFrequency()
    {
        const int row = 1 + number(orvo::kChannelCount);
        const int col = 1 + number(2);
        QString done = clickCell(row, col, Qt::LeftButton);
        // A click opens the box with its whole text selected.
        QTest::keyClick(keyTarget(), Qt::Key_Delete);
        QTest::keyClick(keyTarget(), chance(70) ? Qt::Key_Return : Qt::Key_Tab);
        return done + QStringLiteral(", Delete, commit");
    }

    QString typeCharacter()
    {
        const QChar c = kTypedCharacters.at(number(static_cast<int>(kTypedCharacters.size())));
        QWidget* target = keyTarget();
        QTest::keyClick(target, c.toLatin1());
        return QStringLiteral("type '%1' on %2").arg(c).arg(name(target));
    }

    QString typeText()
    {
        const QString text = typedTexts().at(number(static_cast<int>(typedTexts().size())));
        QWidget* target = keyTarget();
        // The first key may start an edit and move the focus into the editor.
        QTest::keyClick(target, text.at(0).toLatin1());
        if (text.size() > 1)
            QTest::keyClicks(keyTarget(), text.mid(1));
        return QStringLiteral("type \"%1\" on %2").arg(text, name(target));
    }

    QString press(Qt::Key key)
    {
        QWidget* target = keyTarget();
        QTest::keyClick(target, key);
        return QStringLiteral("key %1 on %2").arg(QKeySequence(key).toString(), name(target));
    }

    QString keyOnPopup(QWidget* popup)
    {
        static const QList<Qt::Key> keys{Qt::Key_Down,    Qt::Key_Down,   Qt::Key_Up,
                                         Qt::Key_Return,  Qt::Key_Escape, Qt::Key_End,
                                         Qt::Key_PageDown};
        const Qt::Key key = keys.at(number(static_cast<int>(keys.size())));
        QWidget* target = popup->focusWidget() ? popup->focusWidget() : popup;
        QTest::keyClick(target, key);
        return QStringLiteral("key %1 on the open list").arg(QKeySequence(key).toString());
    }

    // Clicks one of the ten setting lists, then picks an entry with the keyboard or leaves it.
    QString chooseInSettingList()
    {
        const auto& infos = orvo::settingBoxes();
        const orvo::SettingBoxInfo& info =
            infos[static_cast<std::size_t>(number(static_cast<int>(infos.size())))];
        QComboBox* list = ternView()->settingBox(info.box);
        QTest::mouseClick(list, Qt::LeftButton);
        QString done = QStringLiteral("click list %1").arg(QString::fromLatin1(info.label));
        if (QWidget* popup = QApplication::activePopupWidget()) {
            QWidget* target = popup->focusWidget() ? popup->focusWidget() : popup;
            const int moves = number(5) - 2;
            for (int i = 0; i < std::abs(moves); ++i)
                QTest::keyClick(target, moves > 0 ? Qt::Key_Down : Qt::Key_Up);
            const Qt::Key last = chance(80) ? Qt::Key_Return : Qt::Key_Escape;
            QTest::keyClick(target, last);
            done += QStringLiteral(", move %1, %2").arg(moves).arg(QKeySequence(last).toString());
        }
        return done;
    }

    // F4 on the drop-down editor that is open over a cell, a few moves, Enter or Escape.
    QString openEditorList()
    {
        for (int col : {3, 5, 6, 7, 8}) {
            auto* list = static_cast<QComboBox*>(ternView()->EditorForColumn(col));
            if (list->isHidden())
                continue;
            list->setFocus(Qt::OtherFocusReason);
            QTest::keyClick(list, Qt::Key_F4);
            QWidget* popup = QApplication::activePopupWidget();
            if (!popup)
                return QStringLiteral("F4 on the editor of column %1, no list").arg(col);
            QWidget* target = popup->focusWidget() ? popup->focusWidget() : popup;
            const int moves = number(30);
            for (int i = 0; i < moves; ++i)
                QTest::keyClick(target, Qt::Key_Down);
            QTest::keyClick(target, chance(80) ? Qt::Key_Return : Qt::Key_Escape);
            return QStringLiteral("pick in the editor list of column %1, %2 down")
                .arg(col)
                .arg(moves);
        }
        return clickCell();
    }

    QString clickForm()
    {
        QWidget* form = ternView()->widget();
        const QPoint at(number(std::max(1, form->width())), number(std::max(1, form->height())));
        QWidget* child = form->childAt(at);
        QWidget* target = child ? child : form;
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(form, at));
        return QStringLiteral("click the form at %1,%2 (%3)")
            .arg(at.x())
            .arg(at.y())
            .arg(name(target));
    }

    std::mt19937 m_random;
};

const QStringList kFlagWords[4] = {
    {"Yes", "No"}, {"Wide", "Narrow"}, {"Add", "Delete"}, {"High", "Low"}};

// What is wrong with the table now; empty when nothing is. `sinceField` is the table as it was
// when the Field list last changed.
QString tableProblem(const QStringList& table, const QStringList& sinceField)
{
    static const QRegularExpression fixed5(QStringLiteral("^[0-9]{2,3}\\.[0-9]{5}$"));
    const QStringList& tones = AfxGetTernApp()->m_arTones;
    const int field = ternView()->m_cmbField->currentIndex();
    for (int row = 1; row <= orvo::kChannelCount; ++row) {
        const auto cell = [&](int col) { return cellOf(table, row, col); };
        const QString where = QStringLiteral("row %1: ").arg(row);
        for (int col : {1, 2}) {
            const QString text = cell(col);
            if (text.isEmpty())
                continue;
            const auto units = orvo::frequencyUnits(text.toStdString());
            if (!fixed5.match(text).hasMatch() || units < 6000000 || units > 60000000 ||
                (units % 625 != 0 && units % 500 != 0))
                return where + QStringLiteral("frequency \"%1\"").arg(text);
            if (text != cellOf(sinceField, row, col)) {
                if (field < 0)
                    return where + QStringLiteral("no band");
                const auto& band = ternView()->m_bandLimits[static_cast<std::size_t>(field)];
                if (units < band.lowest || units > band.highest)
                    return where + QStringLiteral("frequency \"%1\" outside the band").arg(text);
            }
        }
        for (int col : {3, 4}) {
            const QString text = cell(col);
            if (!text.isEmpty() && text != QLatin1String("OFF") && !tones.contains(text))
                return where + QStringLiteral("tone \"%1\"").arg(text);
        }
        const bool hasFrequency = !cell(1).isEmpty() || !cell(2).isEmpty();
        int empties = 0;
        for (int col = 5; col <= 8; ++col) {
            const QString text = cell(col);
            if (text.isEmpty())
                ++empties;
            else if (!kFlagWords[col - 5].contains(text))
                return where + QStringLiteral("flag \"%1\" in column %2").arg(text).arg(col);
        }
        // A row without frequencies is no channel: its flags are not stored, and a commit there
        // may leave them as they were or empty each one it touches.
        if (hasFrequency && empties != 0)
            return where + QStringLiteral("empty flags in a row with a frequency");
    }
    return {};
}

// The table a save and an open bring back: tones that mean no tone come back empty, as do the
// flags of a row without frequencies; everything else as it was.
QStringList reopenedTable(const QStringList& table)
{
    QStringList expected = table;
    for (int row = 1; row <= orvo::kChannelCount; ++row) {
        const auto at = [&](int col) -> QString& { return expected[(row - 1) * 8 + (col - 1)]; };
        for (int col : {3, 4})
            if (at(col).compare(QLatin1String("Off"), Qt::CaseInsensitive) == 0)
                at(col).clear();
        if (at(1).isEmpty() && at(2).isEmpty())
            for (int col = 5; col <= 8; ++col)
                at(col).clear();
    }
    return expected;
}

} // namespace

class MonkeyTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<CTernApp> app;
    QTemporaryDir dir;

private slots:
    void initTestCase() { quietPlatformWarnings(); }

    void cleanup()
    {
        if (app && document())
            document()->SetModifiedFlag(false);
        app.reset();
    }

    // What the monkey found first, as a user meets it: a channel with only a transmit frequency
    // gets a receive tone and loses its frequency, the W/N editor is left on the row, and a
    // receive frequency is typed. W/N showed empty and was saved as "Narrow"; now it is "Wide".
    void aChannelShowsAWordInEveryFlag()
    {
        app = startApplication();
        QVERIFY(mainFrame());
        DialogAnswers answers;
        const auto click = [](int row, int col) {
            QTest::mouseClick(
                grid()->clientArea(), Qt::LeftButton, {},
                QPoint(grid()->columnViewportPosition(col) + grid()->columnWidth(col) / 2,
                       grid()->rowViewportPosition(row) + grid()->rowHeight(row) / 2));
        };
        const auto focus = [] { return QApplication::focusWidget(); };
        const int row = 5;
        chooseListEntry(ternView()->m_cmbField, 0); // 136 - 174 MHz

        click(row, 2);
        QTest::keyClicks(focus(), QStringLiteral("146.52"));
        QTest::keyClick(focus(), Qt::Key_Return); // on to the receive tone's editor
        QTest::keyClicks(focus(), QStringLiteral("67.0"));
        QTest::keyClick(focus(), Qt::Key_Return);
        click(row, 2);
        QTest::keyClick(focus(), Qt::Key_Delete);
        click(row, 6); // leaves the emptied frequency, opens W/N
        QCOMPARE(cellOf(tableTexts(), row, 3), QStringLiteral("67.0"));
        QCOMPARE(cellOf(tableTexts(), row, 6), QStringLiteral("Wide"));
        click(row, 1); // leaves W/N on a row without a frequency: the cell empties
        QCOMPARE(cellOf(tableTexts(), row, 6), QString());
        QTest::keyClicks(focus(), QStringLiteral("151.825"));
        QTest::keyClick(focus(), Qt::Key_Return);

        QStringList texts;
        for (int col = 1; col <= 8; ++col)
            texts.append(cellOf(tableTexts(), row, col));
        QCOMPARE(texts, QStringList({"151.82500", "", "67.0", "", "No", "Wide", "Add", "High"}));
        QVERIFY(answers.boxes.isEmpty());

        const QString file = dir.filePath(QStringLiteral("flags.sin"));
        answers.fileAnswers = {file, file};
        clickToolButton(CMainFrame::ID_FILE_SAVE);
        clickToolButton(CMainFrame::ID_FILE_OPEN);
        QCOMPARE(cellOf(tableTexts(), row, 6), QStringLiteral("Wide"));
    }

    void theFormHoldsOnlyCheckedTexts()
    {
        const int seed = qEnvironmentVariableIsSet("ORVO_MONKEY_SEED")
                             ? qEnvironmentVariableIntValue("ORVO_MONKEY_SEED")
                             : kDefaultSeed;
        const int events = qEnvironmentVariableIntValue("ORVO_MONKEY_EVENTS") > 0
                               ? qEnvironmentVariableIntValue("ORVO_MONKEY_EVENTS")
                               : kDefaultEvents;
        const QString file = dir.filePath(QStringLiteral("monkey.sin"));
        saveWithCore(file, reliability::documentImage());
        app = startApplication({file});
        QVERIFY(mainFrame());

        DialogAnswers answers;
        Monkey monkey(static_cast<unsigned>(seed));
        std::deque<QString> actions;
        QStringList sinceField = tableTexts();
        int field = ternView()->m_cmbField->currentIndex();
        int checkpoints = 0;
        QMap<QString, int> shown;
        std::size_t boxesSeen = 0;
        int tableChanges = 0;
        QStringList lastTable = sinceField;
        const auto fail = [&](int event, const QString& problem) {
            QString text = QStringLiteral("seed %1, event %2 of %3: %4\nlast actions:")
                               .arg(seed)
                               .arg(event)
                               .arg(events)
                               .arg(problem);
            for (const QString& action : actions)
                text += QStringLiteral("\n  ") + action;
            return text;
        };

        const bool trace = qEnvironmentVariableIsSet("ORVO_MONKEY_TRACE");
        QElapsedTimer clock;
        clock.start();
        for (int event = 1; event <= events; ++event) {
            actions.push_back(monkey.act());
            if (actions.size() > kActionsKept)
                actions.pop_front();
            QCoreApplication::processEvents();
            // The offscreen platform does not give the window back its activation when a list's
            // drop-down closes; a desktop does.
            if (!QApplication::activePopupWidget() && QApplication::activeWindow() != mainFrame()) {
                mainFrame()->activateWindow();
                QCoreApplication::processEvents();
            }
            for (; boxesSeen < static_cast<std::size_t>(answers.boxes.size()); ++boxesSeen) {
                const QString& text = answers.boxes[static_cast<qsizetype>(boxesSeen)].text;
                actions.push_back(QStringLiteral("  box \"%1\"").arg(text));
                ++shown[text];
            }
            if (trace)
                qInfo().noquote() << event << actions.back() << "| focus"
                                  << (QApplication::focusWidget()
                                          ? QApplication::focusWidget()->objectName()
                                          : QStringLiteral("none"))
                                  << "editors" << !ternView()->m_editFreq->isHidden()
                                  << !ternView()->m_cmbTone->isHidden();
            QVERIFY2(mainFrame() && mainFrame()->isVisible(),
                     qPrintable(fail(event, QStringLiteral("the window is gone"))));
            QVERIFY2(answers.fileRequests.isEmpty() && answers.dialogTitles.isEmpty(),
                     qPrintable(fail(event, QStringLiteral("left the form"))));

            const QStringList table = tableTexts();
            if (table != lastTable) {
                ++tableChanges;
                lastTable = table;
            }
            if (ternView()->m_cmbField->currentIndex() != field) {
                field = ternView()->m_cmbField->currentIndex();
                sinceField = table;
            }
            const QString problem = tableProblem(table, sinceField);
            QVERIFY2(problem.isEmpty(), qPrintable(fail(event, problem)));

            if (event % kCheckpointEvery == 0 || event == events) {
                // Save, then open the file again: the table and the lists come back.
                if (QWidget* popup = QApplication::activePopupWidget())
                    popup->close();
                // Open commits an edit left open; done first, the save holds it.
                ternView()->CommitPendingEdit();
                const QList<int> boxes = boxSelections();
                answers.fileAnswers = {file, file};
                answers.boxAnswers = {QMessageBox::Ok}; // Continue past channels outside the band
                clickToolButton(CMainFrame::ID_FILE_SAVE);
                answers.boxAnswers.clear();
                QVERIFY2(!document()->IsModified(), qPrintable(fail(event, "not saved")));
                const QStringList saved = tableTexts();
                clickToolButton(CMainFrame::ID_FILE_OPEN);
                answers.fileAnswers.clear();
                answers.fileRequests.clear();
                const QStringList reopened = tableTexts();
                const QStringList expected = reopenedTable(saved);
                for (int i = 0; i < expected.size(); ++i)
                    QVERIFY2(reopened[i] == expected[i],
                             qPrintable(fail(event, QStringLiteral("row %1 column %2 reopened as "
                                                                   "\"%3\", not \"%4\"")
                                                        .arg(i / 8 + 1)
                                                        .arg(i % 8 + 1)
                                                        .arg(reopened[i], expected[i]))));
                QVERIFY2(boxSelections() == boxes,
                         qPrintable(fail(event, QStringLiteral("the lists reopened otherwise"))));
                sinceField = reopened;
                lastTable = reopened;
                field = ternView()->m_cmbField->currentIndex();
                ++checkpoints;
                actions.push_back(QStringLiteral("save and open again"));
            }
        }

        QString summary = QStringLiteral("monkey: seed %1, %2 events, %3 changed the table, %4 "
                                         "saves and opens, %5 message boxes answered in %6 s")
                              .arg(seed)
                              .arg(events)
                              .arg(tableChanges)
                              .arg(checkpoints)
                              .arg(answers.boxes.size())
                              .arg(clock.elapsed() / 1000.0, 0, 'f', 1);
        for (auto it = shown.cbegin(); it != shown.cend(); ++it)
            summary += QStringLiteral("\n  %1 x \"%2\"").arg(it.value(), 5).arg(it.key());
        qInfo().noquote() << summary;
    }
};

ORVO_GUI_TEST_MAIN(MonkeyTest)
#include "monkey_test.moc"
