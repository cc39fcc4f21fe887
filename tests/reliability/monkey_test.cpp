// A monkey on the form: thousands of random clicks, keys and typed texts on the channel table, its
// editors and the setting lists, every message box answered through the hook. After every event
// the table holds only what the editor lets in: a frequency is empty or a "%3.5f" text of
// 60..600 MHz on the 6.25 or 5 kHz raster (one committed since the Field list last changed lies
// in its band); a tone is empty, "OFF" or a tone of the table; a row with a frequency has a word
// in each flag. Every few hundred events the document is saved and opened again: the form comes
// back as it was (tones meaning no tone come back empty, as do the flags of a row without
// frequencies). ORVO_MONKEY_SEED (4111) and ORVO_MONKEY_EVENTS (4000) choose the run; a failure
// names the seed and the event.
#include "gui_test_support.h"
#include "reliability_support.h"

#include "image/channel_codec.h"
#include "image/settings_codec.h"
#include "image/tone_codec.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QRegularExpression>

#include <random>

namespace {

const QStringList kTyped{"146.52",   "151.825",  "174.00001", "399.99375", "446.00625",
                         "446.1",    "446.0025", "500.001",   "59.99999",  "-446",
                         "446.1abc", "1e2",      " 146.52",   "146,52",    "abc",
                         ".",        "67",       "d023n",     "Off",       "999999999999"};
const char* const kLists[] = {
    "cmbType",        "cmbField",        "cmbScan",        "cmbBeep",
    "cmbBatterySave", "cmbSquelchLevel", "cmbTxTotalTime", "cmbVoiceAnnunciation",
    "cmbMoni"};
const Qt::Key kKeys[] = {Qt::Key_Return, Qt::Key_Return, Qt::Key_Tab,       Qt::Key_Backtab,
                         Qt::Key_Left,   Qt::Key_Right,  Qt::Key_Up,        Qt::Key_Down,
                         Qt::Key_Escape, Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_F4};

std::mt19937 dice;
const auto number = [](int below) { return std::uniform_int_distribution(0, below - 1)(dice); };
const auto at = [](int ch, int col) { return 9 + (ch - 1) * 8 + col; }; // in formTexts()

// A frequency on the raster of a band (mostly the one shown), or a tone, or any text.
QString textFor(int col)
{
    if (number(5) == 0)
        return kTyped.at(number(kTyped.size()));
    if (col > 2) {
        const auto& tones = orvo::toneTable();
        const QString tone = QString::fromStdString(tones[number(int(tones.size()))]);
        return number(5) ? tone : tone.toLower();
    }
    int field = settingList("cmbField")->currentIndex();
    if (field < 0 || number(7) == 0)
        field = number(4);
    const auto& band = orvo::bands()[field];
    const std::uint32_t step = number(2) ? 625 : 500;
    const std::uint32_t units =
        ((band.low + step - 1) / step + number(int((band.high - band.low) / step))) * step;
    return QStringLiteral("%1.%2").arg(units / 100000).arg(units % 100000, 5, 10, QChar('0'));
}

// One random event.
void act()
{
    QWidget* target = focus();
    if (!target || !mainWindow()->isAncestorOf(target)) {
        target = channelTable();
        target->setFocus();
    }
    if (QWidget* popup = QApplication::activePopupWidget()) {
        const Qt::Key key = number(3) ? Qt::Key_Down : number(2) ? Qt::Key_Return : Qt::Key_Escape;
        QTest::keyClick(popup->focusWidget() ? popup->focusWidget() : popup, key);
        return;
    }
    const int ch = 1 + number(16);
    const int col = 1 + number(8);
    switch (number(7)) {
    case 0:
        if (number(4) == 0)
            doubleClickCell(ch, col);
        else
            clickCell(ch, col, number(8) ? Qt::LeftButton : Qt::RightButton);
        return;
    case 1:
    case 2: {
        clickCell(ch, col); // opens the editor, its text selected
        const QString text = col <= 2 && number(3) == 0 ? QString() : textFor(col);
        if (text.isEmpty())
            QTest::keyClick(focus(), Qt::Key_Delete);
        QTest::keyClicks(focus(), text);
        QTest::keyClick(focus(), number(2) ? Qt::Key_Return : Qt::Key_Tab);
        return;
    }
    case 3:
        return QTest::keyClicks(target, kTyped.at(number(kTyped.size())));
    case 4:
    case 5:
        return QTest::keyClick(target, kKeys[number(std::size(kKeys))]);
    default:
        return QTest::mouseClick(settingList(kLists[number(std::size(kLists))]), Qt::LeftButton);
    }
}

// What is wrong with the table; empty when nothing is. `sinceField`: the table when the Field
// list last changed.
QString tableProblem(const QStringList& form, const QStringList& sinceField)
{
    static const QRegularExpression fixed5(QStringLiteral("^[0-9]{2,3}\\.[0-9]{5}$"));
    static const QStringList flags[4] = {
        {"Yes", "No"}, {"Wide", "Narrow"}, {"Add", "Delete"}, {"High", "Low"}};
    const int field = settingList("cmbField")->currentIndex();
    for (int ch = 1; ch <= 16; ++ch) {
        const auto cell = [&](int col) { return form[at(ch, col)]; };
        const QString where = QStringLiteral("channel %1: ").arg(ch);
        for (int col : {1, 2}) {
            if (cell(col).isEmpty())
                continue;
            const auto units = orvo::frequencyUnits(cell(col).toStdString());
            if (!fixed5.match(cell(col)).hasMatch() || units < 6000000 || units > 60000000 ||
                (units % 625 != 0 && units % 500 != 0))
                return where + QStringLiteral("frequency \"%1\"").arg(cell(col));
            const auto& band = orvo::bands()[std::max(field, 0)];
            if (cell(col) != sinceField[at(ch, col)] &&
                (field < 0 || units < band.low || units > band.high))
                return where + QStringLiteral("\"%1\" outside the band").arg(cell(col));
        }
        for (int col : {3, 4}) {
            const std::string tone = cell(col).toStdString();
            const auto& tones = orvo::toneTable();
            if (!tone.empty() && tone != "OFF" &&
                std::find(tones.begin(), tones.end(), tone) == tones.end())
                return where + QStringLiteral("tone \"%1\"").arg(cell(col));
        }
        const bool channel = !cell(1).isEmpty() || !cell(2).isEmpty();
        for (int col = 5; col <= 8; ++col)
            if ((channel || !cell(col).isEmpty()) && !flags[col - 5].contains(cell(col)))
                return where + QStringLiteral("flag \"%1\" in column %2").arg(cell(col)).arg(col);
    }
    return {};
}

// The form a save and an open bring back.
QStringList reopened(QStringList form)
{
    for (int ch = 1; ch <= 16; ++ch) {
        for (int col : {3, 4})
            if (form[at(ch, col)].compare(QLatin1String("Off"), Qt::CaseInsensitive) == 0)
                form[at(ch, col)].clear();
        for (int col = 5; col <= 8 && form[at(ch, 1)].isEmpty() && form[at(ch, 2)].isEmpty(); ++col)
            form[at(ch, col)].clear();
    }
    return form;
}

} // namespace

class MonkeyTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { quietPlatformWarnings(); }

    void theFormHoldsOnlyCheckedTexts()
    {
        const int seed = qEnvironmentVariable("ORVO_MONKEY_SEED", "4111").toInt();
        const int events = std::max(1, qEnvironmentVariable("ORVO_MONKEY_EVENTS", "4000").toInt());
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("monkey.sin"));
        saveWithCore(file, reliability::documentImage());
        const auto app = startApp({file});
        QVERIFY(app);
        DialogAnswers answers;
        dice.seed(static_cast<unsigned>(seed));
        QStringList sinceField = formTexts();
        // The seed and the event replay the run up to the failure.
        const auto fail = [seed](int event, const QString& problem) {
            return QStringLiteral("seed %1, event %2: %3")
                .arg(seed)
                .arg(event)
                .arg(problem)
                .toLocal8Bit();
        };
        for (int event = 1; event <= events; ++event) {
            act();
            QCoreApplication::processEvents();
            // Closed editors go at the event loop's next turn, which a test never takes.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            // The offscreen platform does not give the window back its activation when a
            // list's drop-down closes; a desktop does.
            if (!QApplication::activePopupWidget() && QApplication::activeWindow() != mainWindow())
                mainWindow()->activateWindow();
            QVERIFY2(mainWindow()->isVisible() && answers.fileRequests.isEmpty() &&
                         answers.dialogTitles.isEmpty(),
                     fail(event, "left the form").constData());
            const QStringList form = formTexts();
            if (form[1] != sinceField[1])
                sinceField = form;
            const QString problem = tableProblem(form, sinceField);
            QVERIFY2(problem.isEmpty(), fail(event, problem).constData());

            if (event % 400 == 0 || event == events) {
                if (QWidget* popup = QApplication::activePopupWidget())
                    popup->close();
                answers.fileAnswers = {file};
                // A refused open edit's message, then Continue past channels outside the band.
                answers.boxAnswers = {QMessageBox::Ok, QMessageBox::Ok};
                clickTool("ID_FILE_SAVE");
                answers.boxAnswers.clear();
                const QStringList saved = formTexts();
                clickTool("ID_FILE_OPEN");
                answers.fileRequests.clear();
                QCOMPARE(formTexts(), reopened(saved));
                sinceField = formTexts();
            }
        }
        qInfo("monkey: seed %d, %d events, %d message boxes", seed, events,
              int(answers.boxes.size()));
    }
};

ORVO_GUI_TEST_MAIN(MonkeyTest)
#include "monkey_test.moc"
