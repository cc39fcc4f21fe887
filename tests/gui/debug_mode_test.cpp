// The "Debug Mode" dialog as a service technician meets it: opened from the main window with the
// band and port of the form, its tree and two pages, the Enter check of typed frequencies, the
// tone lists and their stored positions, the slider and Default, and Start sending what the page
// shows to orvo-radio-sim.
#include "gui_test_support.h"

#include "app/main_frame.h"
#include "app/tern_app.h"
#include "editor/tern_view.h"
#include "sim_process.h"
#include "testmode/debug_mode_dlg.h"
#include "testmode/tone_drop_list.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTreeWidget>

#include <functional>

namespace {

using Lines = std::vector<std::string>;

const QString kTryAgain = QStringLiteral(" Error had happen ,need try again");
const QString kFinished = QStringLiteral("Finish successfully!");

// Opens Test Mode with its toolbar button and drives the dialog while it is shown.
void runDebugMode(DialogAnswers& answers, const std::function<void(CDebugModeDlg&)>& drive)
{
    answers.dialogDriver = [&drive](QDialog& dialog) {
        auto* debug = qobject_cast<CDebugModeDlg*>(&dialog);
        QVERIFY(debug);
        QVERIFY(QTest::qWaitForWindowExposed(debug));
        drive(*debug);
    };
    clickToolButton(CMainFrame::ID_TEST_MODE);
}

QTreeWidgetItem* treeItem(CDebugModeDlg& dlg, const QString& text)
{
    const auto found = dlg.m_tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.size() == 1 ? found.first() : nullptr;
}

// Clicks a tree item as a user does, first opening its parent with the Right key if needed.
void selectItem(CDebugModeDlg& dlg, const QString& text)
{
    QTreeWidgetItem* item = treeItem(dlg, text);
    QVERIFY2(item, qPrintable(text));
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

// Replaces the edit's text by typing, then presses Enter unless told not to.
void typeInto(QLineEdit* edit, const QString& text, bool enter = true)
{
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
    if (enter)
        QTest::keyClick(edit, Qt::Key_Return);
}

QStringList entries(const QComboBox* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->itemText(i));
    return texts;
}

QStringList tones(int first, int count)
{
    return AfxGetTernApp()->m_arTones.mid(first, count);
}

int toneIndexIn(const QComboBox* list, const QString& text)
{
    return entries(list).indexOf(text);
}

QString hexLine(const char* prefix, std::initializer_list<int> bytes)
{
    QString line = QString::fromLatin1(prefix);
    for (int b : bytes)
        line += QStringLiteral(" %1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    return line;
}

void click(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace

class DebugModeTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<CTernApp> app;

private slots:
    void initTestCase() { quietPlatformWarnings(); }

    void init()
    {
        app = startApplication();
        QVERIFY(mainFrame() && mainFrame()->isVisible());
    }

    void cleanup() { app.reset(); }

    void opensWithTheTreeAloneAndStartsAfreshEachTime()
    {
        DialogAnswers answers;
        runDebugMode(answers, [](CDebugModeDlg& dlg) {
            QCOMPARE(dlg.windowTitle(), QStringLiteral("Debug Mode"));
            QCOMPARE(dlg.m_grpPage->title(), QStringLiteral("Please Choose Frequency first"));

            // Roots and children in order, each with its item data.
            struct Row
            {
                const char* text;
                const char* parent;
                int data;
            };
            const Row rows[] = {{"Debug Frequency", nullptr, 5567},
                                {"High Frequency", "Debug Frequency", 5568},
                                {"Middle Frequency", "Debug Frequency", 5569},
                                {"Low Frequency", "Debug Frequency", 5571},
                                {"Debug Item", nullptr, 5572},
                                {"TX Frequency", "Debug Item", 5573},
                                {"Low Power Voltage", "Debug Item", 5574},
                                {"Squelch Level", "Debug Item", 5575},
                                {"TX Power", "Debug Item", 5576},
                                {"Exit Debug", nullptr, 5577}};
            QTreeWidgetItemIterator it(dlg.m_tree);
            for (const Row& row : rows) {
                QVERIFY(*it);
                QCOMPARE((*it)->text(0), QString::fromLatin1(row.text));
                QCOMPARE((*it)->data(0, CDebugModeDlg::kItemDataRole).toInt(), row.data);
                QCOMPARE((*it)->parent() ? (*it)->parent()->text(0) : QString(),
                         row.parent ? QString::fromLatin1(row.parent) : QString());
                ++it;
            }
            QVERIFY(!*it);
            QVERIFY(treeItem(dlg, "Debug Frequency")->isExpanded());
            QVERIFY(!treeItem(dlg, "Debug Item")->isExpanded());

            // Only the tree and the big group box show; no OK or Cancel button exists.
            for (QWidget* control : dlg.findChildren<QWidget*>()) {
                if (control->property("controlId").isValid())
                    QCOMPARE(control->isVisible(),
                             control == dlg.m_tree || control == dlg.m_grpPage);
            }
            QCOMPARE(dlg.findChildren<QPushButton*>().size(), 2);
            QCOMPARE(dlg.focusWidget(), dlg.m_tree);

            // The lists hold the QT list on "Off"; the slider runs 0..255 from 0.
            QCOMPARE(dlg.m_cmbRxTone->count(), 43);
            QCOMPARE(dlg.m_cmbTxTone->currentText(), QStringLiteral("Off"));
            QCOMPARE(dlg.m_sliderValue->minimum(), 0);
            QCOMPARE(dlg.m_sliderValue->maximum(), 255);

            // A label opened for editing keeps its text.
            selectItem(dlg, "High Frequency");
            dlg.m_tree->setFocus();
            QTest::keyClick(dlg.m_tree, Qt::Key_F2);
            QPointer<QWidget> label = QApplication::focusWidget();
            QVERIFY(label && label != dlg.m_tree);
            QTest::keyClicks(label, "Renamed");
            QTest::keyClick(label, Qt::Key_Return);
            QTRY_VERIFY(label.isNull());
            QCOMPARE(treeItem(dlg, "High Frequency"), dlg.m_tree->currentItem());
            QVERIFY(dlg.isVisible());

            typeInto(dlg.m_editRxFreq, "140");
            QTest::keyClick(&dlg, Qt::Key_Escape);
            QVERIFY(!dlg.isVisible());
        });
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(answers.dialogTitles, QStringList{"Debug Mode"});

        // The menu opens it afresh: the typed frequency is gone.
        answers.dialogDriver = [](QDialog& dialog) {
            auto& dlg = static_cast<CDebugModeDlg&>(dialog);
            QCOMPARE(dlg.m_bFirstSelect, 1);
            selectItem(dlg, "High Frequency");
            QCOMPARE(dlg.m_editRxFreq->text(), QStringLiteral("156.00000"));
        };
        clickMenuCommand(QStringLiteral("menuProgram"), CMainFrame::ID_TEST_MODE);
        QCOMPARE(answers.dialogTitles.size(), 2);
    }

    void exitDebugEndsTheDialogEvenAsTheFirstSelection()
    {
        DialogAnswers answers;
        int result = -1;
        runDebugMode(answers, [&result](CDebugModeDlg& dlg) {
            connect(&dlg, &QDialog::finished, [&result](int r) { result = r; });
            selectItem(dlg, "Exit Debug");
            QVERIFY(!dlg.isVisible());
        });
        QCOMPARE(result, int(QDialog::Accepted));
    }

    void debugFrequenciesFollowTheBand_data()
    {
        QTest::addColumn<int>("band");
        QTest::addColumn<QString>("high");
        QTest::addColumn<QString>("middle");
        QTest::addColumn<QString>("low");
        QTest::newRow("136 - 174MHz") << 0 << "156.00000"
                                      << "146.00000"
                                      << "136.00000";
        QTest::newRow("350 - 400MHz") << 1 << "370.00000"
                                      << "360.00000"
                                      << "350.00000";
        QTest::newRow("400 - 470MHz") << 2 << "420.00000"
                                      << "410.00000"
                                      << "400.00000";
        QTest::newRow("430 - 500MHz") << 3 << "450.00000"
                                      << "440.00000"
                                      << "430.00000";
    }

    void debugFrequenciesFollowTheBand()
    {
        QFETCH(int, band);
        QFETCH(QString, high);
        QFETCH(QString, middle);
        QFETCH(QString, low);
        chooseListEntry(ternView()->m_cmbField, band);

        DialogAnswers answers;
        runDebugMode(answers, [&](CDebugModeDlg& dlg) {
            // A root changes nothing, not even the Default button.
            selectItem(dlg, "Debug Frequency");
            QVERIFY(dlg.m_btnDefault->isHidden());
            QVERIFY(dlg.m_editRxFreq->isHidden());

            const struct
            {
                const char* item;
                const char* caption;
                QString frequency;
            } pages[] = {{"High Frequency", "High Frequency", high},
                         {"Middle Frequency", "Middle Frequency", middle},
                         {"Low Frequency", "Low frequency", low}};
            for (const auto& page : pages) {
                selectItem(dlg, page.item);
                QCOMPARE(dlg.m_grpPage->title(), QString::fromLatin1(page.caption));
                QCOMPARE(dlg.m_editRxFreq->text(), page.frequency);
                QCOMPARE(dlg.m_editTxFreq->text(), page.frequency);
                QVERIFY(dlg.m_btnDefault->isVisible());
                QVERIFY(dlg.m_editRxFreq->isVisible() && !dlg.m_btnStart->isVisible());
            }

            // Typed frequencies are held to the band's edge and 20 MHz above it.
            typeInto(dlg.m_editRxFreq, "999");
            QCOMPARE(dlg.m_editRxFreq->text(), high);
            typeInto(dlg.m_editTxFreq, "1");
            QCOMPARE(dlg.m_editTxFreq->text(), low);

            // The item page replaces the frequency page; the caption stays.
            selectItem(dlg, "Squelch Level");
            QVERIFY(dlg.m_btnStart->isVisible() && dlg.m_sliderValue->isVisible());
            QVERIFY(!dlg.m_editRxFreq->isVisible() && !dlg.m_cmbTxTone->isVisible());
            QCOMPARE(dlg.m_grpPage->title(), QStringLiteral("Low frequency"));
            selectItem(dlg, "Debug Item");
            QVERIFY(dlg.m_btnStart->isVisible());
        });
    }

    void enterHoldsTheFrequencyToTheBandAndRoundsItToItsSidesStep()
    {
        DialogAnswers answers;
        runDebugMode(answers, [](CDebugModeDlg& dlg) {
            selectItem(dlg, "Low Frequency");
            QLineEdit* rx = dlg.m_editRxFreq;
            QLineEdit* tx = dlg.m_editTxFreq;

            const struct
            {
                const char* typed;
                const char* shown;
            } fiveKilohertz[] = {{"200", "156.00000"},       {"100", "136.00000"},
                                 {"letters", "136.00000"},   {"140.00250", "140.00000"},
                                 {"140.00260", "140.00500"}, {"140.00320", "140.00500"}};
            for (const auto& c : fiveKilohertz) {
                typeInto(rx, c.typed);
                QCOMPARE(rx->text(), QString::fromLatin1(c.shown));
                // Enter moves on to the next tab stop and never closes the dialog.
                QCOMPARE(dlg.focusWidget(), tx);
                QVERIFY(dlg.isVisible());
            }

            click(dlg.m_radRxStep625);
            typeInto(rx, "140.00312");
            QCOMPARE(rx->text(), QStringLiteral("140.00000"));
            typeInto(rx, "140.00313");
            QCOMPARE(rx->text(), QStringLiteral("140.00625"));

            // Each side rounds by its own step buttons.
            click(dlg.m_radRxStep500);
            click(dlg.m_radTxStep625);
            typeInto(tx, "140.00320");
            QCOMPARE(tx->text(), QStringLiteral("140.00625"));
            QCOMPARE(dlg.focusWidget(), dlg.m_cmbRxTone);
            typeInto(rx, "140.00320");
            QCOMPARE(rx->text(), QStringLiteral("140.00500"));

            // Enter elsewhere only moves the focus on, even onto a push button, which it does
            // not press.
            dlg.m_tree->setFocus();
            QTest::keyClick(dlg.m_tree, Qt::Key_Return);
            QCOMPARE(dlg.focusWidget(), rx);
            typeInto(rx, "150", false);
            dlg.m_cmbTxTone->setFocus();
            QTest::keyClick(dlg.m_cmbTxTone, Qt::Key_Return);
            QCOMPARE(dlg.focusWidget(), dlg.m_btnDefault);
            QCOMPARE(rx->text(), QStringLiteral("150"));
            QVERIFY(dlg.isVisible());

            // Nothing stored changes: selecting the frequency again shows its own values.
            selectItem(dlg, "High Frequency");
            selectItem(dlg, "Low Frequency");
            QCOMPARE(rx->text(), QStringLiteral("136.00000"));
            QCOMPARE(tx->text(), QStringLiteral("136.00000"));
            QVERIFY(dlg.m_radTxStep625->isChecked() && !dlg.m_radTxStep500->isChecked());
        });
    }

    void toneMethodsSwapTheQtAndDqtLists()
    {
        DialogAnswers answers;
        runDebugMode(answers, [](CDebugModeDlg& dlg) {
            selectItem(dlg, "High Frequency");
            const QStringList qt = tones(0, 43);
            const QStringList dqt = tones(43, 168);
            QCOMPARE(qt.last(), QStringLiteral("206.5"));
            QCOMPARE(dqt.first(), QStringLiteral("210.7"));
            QCOMPARE(dqt.last(), QStringLiteral("D325I"));

            for (bool receive : {true, false}) {
                CToneDropList* list = receive ? dlg.m_cmbRxTone : dlg.m_cmbTxTone;
                QRadioButton* qtButton = receive ? dlg.m_radRxQt : dlg.m_radTxQt;
                QRadioButton* dqtButton = receive ? dlg.m_radRxDqt : dlg.m_radTxDqt;
                CToneDropList* other = receive ? dlg.m_cmbTxTone : dlg.m_cmbRxTone;
                QCOMPARE(entries(list), qt);

                click(dqtButton);
                QCOMPARE(entries(list), dqt);
                QCOMPARE(list->currentText(), QStringLiteral("210.7"));
                QVERIFY(dqtButton->isChecked() && !qtButton->isChecked());
                QCOMPARE(entries(other).size(), receive ? 43 : 168);

                // A second click on the checked button keeps it checked and the list as it is.
                chooseListEntry(list, 9);
                click(dqtButton);
                QVERIFY(dqtButton->isChecked());
                QCOMPARE(list->currentIndex(), 9);

                click(qtButton);
                QCOMPARE(entries(list), qt);
                QCOMPARE(list->currentText(), QStringLiteral("Off"));
                QVERIFY(qtButton->isChecked() && !dqtButton->isChecked());
                click(dqtButton);
            }

            // The methods are remembered per debug frequency.
            selectItem(dlg, "Middle Frequency");
            QVERIFY(dlg.m_radRxQt->isChecked() && dlg.m_radTxQt->isChecked());
            QCOMPARE(dlg.m_cmbRxTone->count(), 43);
            selectItem(dlg, "High Frequency");
            QVERIFY(dlg.m_radRxDqt->isChecked() && dlg.m_radTxDqt->isChecked());
            QCOMPARE(dlg.m_cmbTxTone->count(), 168);
        });
    }

    void aToneIsStoredWhenItsDropDownClosesAndRestoredWithinItsList()
    {
        DialogAnswers answers;
        runDebugMode(answers, [](CDebugModeDlg& dlg) {
            selectItem(dlg, "High Frequency");
            chooseListEntry(dlg.m_cmbRxTone, 5);
            // Changed with the keyboard while closed: shown, not stored.
            dlg.m_cmbTxTone->setFocus();
            QTest::keyClick(dlg.m_cmbTxTone, Qt::Key_Down);
            QCOMPARE(dlg.m_cmbTxTone->currentIndex(), 1);

            selectItem(dlg, "Middle Frequency");
            QCOMPARE(dlg.m_cmbRxTone->currentText(), QStringLiteral("Off"));
            selectItem(dlg, "High Frequency");
            QCOMPARE(dlg.m_cmbRxTone->currentText(), tones(5, 1).first());
            QCOMPARE(dlg.m_cmbTxTone->currentText(), QStringLiteral("Off"));

            // A DQT position beyond the QT list shows "Off" once the list holds QT again.
            click(dlg.m_radRxDqt);
            chooseListEntry(dlg.m_cmbRxTone, 100);
            selectItem(dlg, "Low Frequency");
            selectItem(dlg, "High Frequency");
            QCOMPARE(dlg.m_cmbRxTone->currentText(), tones(143, 1).first());
            click(dlg.m_radRxQt);
            selectItem(dlg, "Low Frequency");
            selectItem(dlg, "High Frequency");
            QCOMPARE(dlg.m_cmbRxTone->count(), 43);
            QCOMPARE(dlg.m_cmbRxTone->currentIndex(), 0);
            QCOMPARE(dlg.m_cmbRxTone->currentText(), QStringLiteral("Off"));
        });
    }

    void radioPairsStayExclusiveAndStepsAreRemembered()
    {
        DialogAnswers answers;
        runDebugMode(answers, [](CDebugModeDlg& dlg) {
            selectItem(dlg, "TX Frequency");
            QRadioButton* const freq[] = {dlg.m_radHigh, dlg.m_radMiddle, dlg.m_radLow};
            for (QRadioButton* pressed :
                 {dlg.m_radMiddle, dlg.m_radLow, dlg.m_radLow, dlg.m_radHigh}) {
                click(pressed);
                for (QRadioButton* button : freq)
                    QCOMPARE(button->isChecked(), button == pressed);
            }

            selectItem(dlg, "Middle Frequency");
            click(dlg.m_radRxStep625);
            click(dlg.m_radRxStep625);
            QVERIFY(dlg.m_radRxStep625->isChecked() && !dlg.m_radRxStep500->isChecked());
            QVERIFY(dlg.m_radTxStep500->isChecked() && !dlg.m_radTxStep625->isChecked());
            click(dlg.m_radTxStep625);
            click(dlg.m_radTxStep500);
            QVERIFY(dlg.m_radTxStep500->isChecked() && !dlg.m_radTxStep625->isChecked());

            selectItem(dlg, "Low Frequency");
            QVERIFY(dlg.m_radRxStep500->isChecked() && !dlg.m_radRxStep625->isChecked());
            selectItem(dlg, "Middle Frequency");
            QVERIFY(dlg.m_radRxStep625->isChecked() && !dlg.m_radRxStep500->isChecked());
        });
    }

    void theSliderAndDefaultSetEachItemsOwnValue()
    {
        DialogAnswers answers;
        runDebugMode(answers, [](CDebugModeDlg& dlg) {
            QLabel* position = dlg.m_lblCurrentValue;
            selectItem(dlg, "TX Power");
            QCOMPARE(position->text(), QStringLiteral("Current Position:0"));
            QVERIFY(dlg.m_btnDefault->isVisible());
            click(dlg.m_btnDefault);
            QCOMPARE(position->text(), QStringLiteral("Current Position:47"));
            QCOMPARE(dlg.m_sliderValue->value(), 47);

            selectItem(dlg, "Squelch Level");
            QCOMPARE(position->text(), QStringLiteral("Current Position:0"));
            QCOMPARE(dlg.m_sliderValue->value(), 0);
            dlg.m_sliderValue->setFocus();
            QTest::keyClick(dlg.m_sliderValue, Qt::Key_End);
            QCOMPARE(position->text(), QStringLiteral("Current Position:255"));
            QTest::keyClick(dlg.m_sliderValue, Qt::Key_Left);
            QCOMPARE(position->text(), QStringLiteral("Current Position:254"));

            // Enter on Default applies the defaults (the button is pressed too, to the same end).
            dlg.m_btnDefault->setFocus();
            QTest::keyClick(dlg.m_btnDefault, Qt::Key_Return);
            QCOMPARE(position->text(), QStringLiteral("Current Position:160"));
            QCOMPARE(dlg.m_sliderValue->value(), 160);
            QVERIFY(dlg.isVisible());

            selectItem(dlg, "Low Power Voltage");
            QCOMPARE(position->text(), QStringLiteral("Current Position:0"));
            click(dlg.m_btnDefault);
            QCOMPARE(position->text(), QStringLiteral("Current Position:38"));
            selectItem(dlg, "TX Frequency");
            click(dlg.m_btnDefault);
            QCOMPARE(dlg.m_sliderValue->value(), 91);
            dlg.m_sliderValue->setFocus();
            QTest::keyClick(dlg.m_sliderValue, Qt::Key_Right);

            for (const auto& [item, value] : {std::pair{"TX Power", 47},
                                              {"Squelch Level", 160},
                                              {"Low Power Voltage", 38},
                                              {"TX Frequency", 92}}) {
                selectItem(dlg, item);
                QCOMPARE(dlg.m_sliderValue->value(), value);
                QCOMPARE(position->text(), QStringLiteral("Current Position:%1").arg(value));
            }
        });
    }

    void defaultResetsTheShownDebugFrequency()
    {
        DialogAnswers answers;
        runDebugMode(answers, [](CDebugModeDlg& dlg) {
            selectItem(dlg, "Middle Frequency");
            click(dlg.m_radRxStep625);
            click(dlg.m_radTxDqt);
            chooseListEntry(dlg.m_cmbTxTone, 20);
            chooseListEntry(dlg.m_cmbRxTone, 3);
            typeInto(dlg.m_editRxFreq, "150");
            typeInto(dlg.m_editTxFreq, "151", false);

            click(dlg.m_btnDefault);
            for (QLineEdit* edit : {dlg.m_editRxFreq, dlg.m_editTxFreq})
                QCOMPARE(edit->text(), QStringLiteral("146.00000"));
            QVERIFY(dlg.m_radRxStep500->isChecked() && !dlg.m_radRxStep625->isChecked());
            QVERIFY(dlg.m_radTxQt->isChecked() && !dlg.m_radTxDqt->isChecked());
            QCOMPARE(entries(dlg.m_cmbTxTone).size(), 43);
            QCOMPARE(dlg.m_cmbRxTone->currentText(), QStringLiteral("Off"));
            QCOMPARE(dlg.m_cmbTxTone->currentText(), QStringLiteral("Off"));

            selectItem(dlg, "High Frequency");
            selectItem(dlg, "Middle Frequency");
            QCOMPARE(dlg.m_cmbRxTone->currentText(), QStringLiteral("Off"));
            QVERIFY(dlg.m_radRxStep500->isChecked());
        });
    }

    void startSendsWhatThePageShows()
    {
        SimProcess sim({"--delay", "10"});
        QVERIFY(sim.started());
        ternView()->m_strPort = QString::fromStdString(sim.path());

        DialogAnswers answers;
        runDebugMode(answers, [](CDebugModeDlg& dlg) {
            // Before any frequency: empty edits and "Off" in both lists.
            selectItem(dlg, "TX Frequency");
            click(dlg.m_btnStart);

            // The Middle frequencies of the first band, TX Power at its default.
            selectItem(dlg, "Middle Frequency");
            selectItem(dlg, "TX Power");
            click(dlg.m_btnDefault);
            click(dlg.m_btnStart);

            // Typed texts as they stand, confirmed or not, and the tone picked for transmit.
            selectItem(dlg, "Low Frequency");
            typeInto(dlg.m_editRxFreq, "136.2");
            typeInto(dlg.m_editTxFreq, "146.52000", false);
            chooseListEntry(dlg.m_cmbTxTone, toneIndexIn(dlg.m_cmbTxTone, "88.5"));
            // What High/Middle/Low show does not matter.
            selectItem(dlg, "TX Power");
            click(dlg.m_radHigh);
            click(dlg.m_btnStart);

            for (const char* item : {"Squelch Level", "Low Power Voltage"}) {
                selectItem(dlg, item);
                click(dlg.m_btnDefault);
                click(dlg.m_btnStart);
            }
            // Enter on Start presses it.
            selectItem(dlg, "TX Frequency");
            click(dlg.m_btnDefault);
            dlg.m_btnStart->setFocus();
            QTest::keyClick(dlg.m_btnStart, Qt::Key_Return);
            QVERIFY(dlg.isVisible());
        });
        if (QTest::currentTestFailed())
            return;

        QCOMPARE(answers.boxes.size(), 6);
        for (const ShownBox& box : answers.boxes) {
            QCOMPARE(box.text, kFinished);
            QCOMPARE(box.caption, AppTitle());
            QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        }

        const QString zeros = hexLine("test: frame A", {0, 0, 0, 0, 0, 0, 0, 0});
        const QString middle = hexLine("test: frame A", {0, 0, 0x60, 0x14, 0, 0, 0x60, 0x14});
        const QString typed = hexLine("test: frame A", {0, 0, 0x62, 0x13, 0, 0x20, 0x65, 0x14});
        const auto frameB = [](int txLow, int txHigh, int value) {
            return hexLine("test: frame B", {0, 0, txLow, txHigh, 0xFB, 1, 1, value});
        };
        QStringList expected = {"test request",
                                "test: item 71 TX Frequency",
                                zeros,
                                frameB(0, 0, 0),
                                "test: done",
                                "test request",
                                "test: item 74 TX Power",
                                middle,
                                frameB(0, 0, 0x2F),
                                "test: done",
                                "test request",
                                "test: item 74 TX Power",
                                typed,
                                frameB(0x85, 0x08, 0x2F),
                                "test: done",
                                "test request",
                                "test: item 73 Squelch Level",
                                typed,
                                frameB(0x85, 0x08, 0xA0),
                                "test: done",
                                "test request",
                                "test: item 72 Low Power Voltage",
                                typed,
                                frameB(0x85, 0x08, 0x26),
                                "test: done",
                                "test request",
                                "test: item 71 TX Frequency",
                                typed,
                                frameB(0x85, 0x08, 0x5B),
                                "test: done"};
        QStringList logged;
        for (const std::string& line : sim.stopAndReadTestLog())
            logged.append(QString::fromStdString(line));
        QCOMPARE(logged, expected);
    }

    void retryAfterASilentRadioSendsTheWholeRequestAgain()
    {
        SimProcess sim({"--delay", "10", "--test-ignore", "1"});
        QVERIFY(sim.started());
        ternView()->m_strPort = QString::fromStdString(sim.path());

        DialogAnswers answers;
        answers.boxAnswers = {QMessageBox::Retry};
        runDebugMode(answers, [](CDebugModeDlg& dlg) {
            selectItem(dlg, "High Frequency");
            selectItem(dlg, "TX Frequency");
            click(dlg.m_btnStart);
        });
        if (QTest::currentTestFailed())
            return;

        QCOMPARE(answers.boxes.size(), 2);
        QCOMPARE(answers.boxes[0].text, kTryAgain);
        QCOMPARE(answers.boxes[0].caption, AppTitle());
        QCOMPARE(answers.boxes[0].buttons, QMessageBox::Retry | QMessageBox::Cancel);
        QCOMPARE(answers.boxes[1].text, kFinished);
        const Lines expected = {"test request",
                                "test: request ignored",
                                "test request",
                                "test: item 71 TX Frequency",
                                "test: frame A 00 00 60 15 00 00 60 15",
                                "test: frame B 00 00 00 00 FB 01 01 00",
                                "test: done"};
        QCOMPARE(sim.stopAndReadTestLog(), expected);
    }

    void cancelClosesThePortAndAFailedOpenSendsNothing()
    {
        SimProcess sim({"--delay", "10", "--test-no-h", "b"});
        QVERIFY(sim.started());
        ternView()->m_strPort = QString::fromStdString(sim.path());

        DialogAnswers answers;
        runDebugMode(answers, [](CDebugModeDlg& dlg) {
            selectItem(dlg, "Low Frequency");
            selectItem(dlg, "TX Power");
            click(dlg.m_btnStart);
            QVERIFY(!dlg.m_hComm);
            QVERIFY(dlg.isVisible());

            // The port is free again: a second press opens it anew.
            dlg.m_strPort = QStringLiteral("/nonexistent/ttyZT4");
            click(dlg.m_btnStart);
        });
        if (QTest::currentTestFailed())
            return;

        QCOMPARE(answers.boxes.size(), 2);
        QCOMPARE(answers.boxes[0].text, kTryAgain);
        QCOMPARE(answers.boxes[1].text,
                 QStringLiteral("Could not Open the Port,Please check whether the Port are "
                                "occupied or the device are ok"));
        QCOMPARE(answers.boxes[1].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        const Lines log = sim.stopAndReadTestLog();
        QCOMPARE(std::count(log.begin(), log.end(), "test request"), 1);
    }

    void startRefusesAFrequencyTheFrameCannotHold()
    {
        SimProcess sim({"--delay", "10"});
        QVERIFY(sim.started());
        ternView()->m_strPort = QString::fromStdString(sim.path());

        DialogAnswers answers;
        runDebugMode(answers, [](CDebugModeDlg& dlg) {
            selectItem(dlg, "High Frequency");
            typeInto(dlg.m_editTxFreq, "1000", false);
            selectItem(dlg, "TX Frequency");
            click(dlg.m_btnStart);
        });
        if (QTest::currentTestFailed())
            return;

        QCOMPARE(answers.boxes.size(), 1);
        QVERIFY2(answers.boxes[0].text.contains("transmit frequency \"1000\""),
                 qPrintable(answers.boxes[0].text));
        QCOMPARE(answers.boxes[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(sim.stopAndReadTestLog().empty());
    }
};

ORVO_GUI_TEST_MAIN(DebugModeTest)
#include "debug_mode_test.moc"
