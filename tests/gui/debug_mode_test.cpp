// The "Debug Mode" dialog as a service technician meets it, judged by what orvo-radio-sim receives:
// each debug frequency's page keeps its own choices, Start sends what the page shows, typed
// frequencies follow the band and the side's step, and failures are reported.
#include "gui_test_support.h"

#include "sim_process.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>

#include <functional>

namespace {

const QString kTryAgain = QStringLiteral(" Error had happen ,need try again");
const QString kFinished = QStringLiteral("Finish successfully!");

// The shown dialog, its controls found by object name.
struct Dlg
{
    QDialog& dialog;

    template <class T = QWidget> T* get(const QByteArray& name) const
    {
        return dialog.findChild<T*>(QString::fromLatin1(name));
    }
    // Runs "verb name [text]; ..." with the verbs select (a tree item), click, type (then Enter),
    // put (no Enter), pick (a tone), right, tab and enter (keys), and the checks checked and
    // shows.
    void run(const QString& script) const
    {
        for (const QString& command : script.split(QStringLiteral("; "))) {
            const QString verb = command.section(' ', 0, 0);
            const QByteArray name = command.section(' ', 1, 1).toLatin1();
            const QString rest = command.section(' ', 2);
            QWidget* widget = get(name);
            if (verb == "select") {
                clickTreeItem(get<QTreeWidget>("treeDebug"), command.section(' ', 1));
            } else if (verb == "click") {
                QTest::mouseClick(widget, Qt::LeftButton);
                if (name == "btnStart") // the dialog stays as it is while the exchange runs
                    QVERIFY(!widget->isEnabled() && !get("treeDebug")->isEnabled());
            } else if (verb == "type" || verb == "put") {
                QTest::mouseClick(widget, Qt::LeftButton);
                QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(widget, rest);
                if (verb == "type")
                    QTest::keyClick(widget, Qt::Key_Return);
            } else if (verb == "pick") {
                chooseListEntry(get<QComboBox>(name), get<QComboBox>(name)->findText(rest));
            } else if (verb == "checked") {
                QVERIFY2(get<QAbstractButton>(name)->isChecked(), name);
            } else if (verb == "shows") {
                auto* edit = qobject_cast<QLineEdit*>(widget);
                QCOMPARE(edit ? edit->text() : get<QComboBox>(name)->currentText(), rest);
            } else {
                widget->setFocus();
                QTest::keyClick(widget, verb == "right" ? Qt::Key_Right
                                        : verb == "tab" ? Qt::Key_Tab
                                                        : Qt::Key_Return);
            }
            // Start's exchange has ended once the dialog is no longer busy.
            QTRY_VERIFY_WITH_TIMEOUT(get("btnStart")->isEnabled(), 60000);
        }
    }
};

// Opens Test Mode with its toolbar button and drives the dialog while it is shown.
void runDebugMode(DialogAnswers& answers, const std::function<void(const Dlg&)>& drive)
{
    answers.dialogDriver = [&drive](QDialog& dialog) {
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        drive(Dlg{dialog});
    };
    clickTool("ID_TEST_MODE");
}

QStringList logOf(SimProcess& sim)
{
    QStringList lines;
    for (const std::string& line : sim.stopAndReadTestLog())
        lines.append(QString::fromStdString(line));
    return lines;
}

} // namespace

class DebugModeTest : public GuiTest
{
    Q_OBJECT

private slots:
    // The band is 136 - 174MHz: High, Middle and Low stand at 156, 146 and 136 MHz.
    void startSendsWhatEachPageHolds()
    {
        const struct
        {
            const char* script; // what the user does, see Dlg::run
            const char* item;
            const char* frameA; // receive and transmit frequency
            const char* frameB; // receive and transmit tone, ..., the item's value
        } steps[] = {
            // No frequency chosen yet.
            {"select TX Frequency", "71 TX Frequency", "00 00 00 00 00 00 00 00",
             "00 00 00 00 FB 01 01 00"},
            // Tab checks a typed frequency as Enter does: what is sent is what the edit shows.
            // (Before any tone list is picked: the offscreen platform then keeps the list's
            // closed popup as the active window, and the focus would not move.)
            {"select High Frequency; put editRxFreq 999; tab editRxFreq; "
             "shows editRxFreq 156.00000; put editTxFreq 150.0031; tab editTxFreq; "
             "shows editTxFreq 150.00500; select Squelch Level",
             "73 Squelch Level", "00 00 60 15 00 05 00 15", "00 00 00 00 FB 01 01 00"},
            {"select Middle Frequency; select TX Power; click btnDefault", "74 TX Power",
             "00 00 60 14 00 00 60 14", "00 00 00 00 FB 01 01 2F"},
            // Typed texts as they stand, a picked tone; High/Middle/Low do not matter.
            {"select Low Frequency; type editRxFreq 136.2; put editTxFreq 146.52000; "
             "pick cmbTxTone 88.5; select TX Power; click radMiddle; click radLow; click radHigh",
             "74 TX Power", "00 00 62 13 00 20 65 14", "00 00 85 08 FB 01 01 2F"},
            // Back on Low: its own frequencies and tone; High's page untouched by Low's.
            {"select High Frequency; shows cmbTxTone Off; click radTxDqt; click radTxStep625; "
             "click radTxStep500; click radRxStep500; select Low Frequency; checked radTxQt; "
             "select Squelch Level; click btnDefault",
             "73 Squelch Level", "00 00 60 13 00 00 60 13", "00 00 85 08 FB 01 01 A0"},
            // Enter holds to the band and rounds to the side's own step.
            {"select Middle Frequency; click radRxStep625; type editRxFreq 140.00313; "
             "type editTxFreq 999; select Low Power Voltage; click btnDefault",
             "72 Low Power Voltage", "25 06 00 14 00 00 60 15", "00 00 00 00 FB 01 01 26"},
            // Default resets the page; the slider moves the value; Enter presses Start.
            {"select Middle Frequency; click radRxDqt; click radRxQt; click radTxDqt; "
             "click radTxQt; pick cmbRxTone 88.5; enter btnDefault; checked radRxStep500; "
             "enter radRxQt; select TX Frequency; click btnDefault; right sliderValue; "
             "enter btnStart",
             "71 TX Frequency", "00 00 60 14 00 00 60 14", "00 00 00 00 FB 01 01 5C"},
            // Each item kept its own value through the session.
            {"select TX Power", "74 TX Power", "00 00 60 14 00 00 60 14",
             "00 00 00 00 FB 01 01 2F"},
            {"select Squelch Level", "73 Squelch Level", "00 00 60 14 00 00 60 14",
             "00 00 00 00 FB 01 01 A0"},
            {"select Low Power Voltage", "72 Low Power Voltage", "00 00 60 14 00 00 60 14",
             "00 00 00 00 FB 01 01 26"},
        };
        SimProcess sim({"--delay", "10"});
        QVERIFY(sim.started());
        qputenv("ORVO_COM1", QByteArray::fromStdString(sim.path()));
        DialogAnswers answers;
        runDebugMode(answers, [&steps](const Dlg& d) {
            for (const auto& step : steps) {
                d.run(QString::fromLatin1(step.script));
                if (!QString::fromLatin1(step.script).contains("enter btnStart"))
                    d.run(QStringLiteral("click btnStart"));
                QVERIFY2(!QTest::currentTestFailed(), step.script);
            }
            d.run(QStringLiteral("select Exit Debug"));
            QVERIFY(!d.dialog.isVisible());
        });
        QStringList expected;
        for (const auto& step : steps) {
            expected << "test request" << QStringLiteral("test: item %1").arg(step.item)
                     << QStringLiteral("test: frame A %1").arg(step.frameA)
                     << QStringLiteral("test: frame B %1").arg(step.frameB) << "test: done";
        }
        QCOMPARE(logOf(sim), expected);
        QCOMPARE(answers.texts(), QStringList(std::size(steps), kFinished));
    }

    // The band's debug frequencies (typed ones held to the band are debug_frequency_test's). A
    // radio that ignores a request asks Retry, which goes on; a frequency typed and left without
    // Enter is sent as the check holds it. A silent radio is the fault matrix's.
    void theBandAndFailures()
    {
        chooseListEntry(settingList("cmbField"), 3); // 430 - 500MHz
        SimProcess sim({"--delay", "10", "--test-ignore", "1"});
        QVERIFY(sim.started());
        qputenv("ORVO_COM1", QByteArray::fromStdString(sim.path()));
        DialogAnswers answers;
        answers.boxAnswers = {QMessageBox::Retry};
        runDebugMode(answers, [](const Dlg& d) {
            d.run(QStringLiteral("select High Frequency; shows editRxFreq 450.00000; "
                                 "select Low Frequency; shows editTxFreq 430.00000; "
                                 "select TX Frequency; click btnStart; select High Frequency; "
                                 "put editTxFreq 1000; select TX Frequency; click btnStart"));
            QVERIFY(d.dialog.isVisible());
        });
        QCOMPARE(answers.texts(), (QStringList{kTryAgain, kFinished, kFinished}));
        // The test mode's boxes carry the program's short title; "Finish" informs.
        QCOMPARE(answers.boxes[0].caption + answers.boxes[1].caption, QStringLiteral("OrvoOrvo"));
        QCOMPARE(answers.boxes[1].icon, QMessageBox::Information);
        QCOMPARE(logOf(sim).filter(QStringLiteral("frame A")).constLast(),
                 QStringLiteral("test: frame A 00 00 00 45 00 00 00 45"));
        // The port's open failure names the device and the reason.
        qputenv("ORVO_COM1", "/nonexistent/ttyZT4");
        runDebugMode(answers, [](const Dlg& d) {
            d.run(QStringLiteral("select High Frequency; select TX Frequency; click btnStart"));
        });
        QCOMPARE(answers.boxes.size(), 4);
        QVERIFY(answers.texts()[3].endsWith("\n/nonexistent/ttyZT4: No such file or directory"));
    }
};

ORVO_GUI_TEST_MAIN(DebugModeTest)
#include "debug_mode_test.moc"
