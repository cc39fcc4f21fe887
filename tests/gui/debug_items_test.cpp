// Each adjustment item of the "Debug Mode" dialog keeps its own value through one session: values
// set on two items, and one never set, are each sent with their own item, whatever was chosen
// since, as orvo-radio-sim receives them.
#include "gui_test_support.h"

#include "sim_process.h"

#include <QDialog>
#include <QTreeWidget>

class DebugItemsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { quietPlatformWarnings(); }

    void eachItemSendsItsOwnValue()
    {
        auto app = startApp();
        SimProcess sim({"--delay", "10"});
        QVERIFY(sim.started());
        qputenv("ORVO_COM1", QByteArray::fromStdString(sim.path()));
        // The item chosen last, then Start: its command and the last byte of frame B.
        const std::pair<const char*, const char*> starts[] = {
            {"Squelch Level", "73 Squelch Level|03"},
            {"TX Power", "74 TX Power|2F"},
            {"Low Power Voltage", "72 Low Power Voltage|00"},
            {"Squelch Level", "73 Squelch Level|03"},
        };
        DialogAnswers answers;
        answers.dialogDriver = [&starts](QDialog& dialog) {
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            auto* tree = dialog.findChild<QTreeWidget*>(QStringLiteral("treeDebug"));
            auto click = [&dialog](const char* name) {
                QTest::mouseClick(dialog.findChild<QWidget*>(QLatin1String(name)), Qt::LeftButton);
            };
            clickTreeItem(tree, QStringLiteral("Middle Frequency"));
            clickTreeItem(tree, QStringLiteral("TX Power"));
            click("btnDefault"); // 47
            clickTreeItem(tree, QStringLiteral("Squelch Level"));
            auto* slider = dialog.findChild<QWidget*>(QStringLiteral("sliderValue"));
            slider->setFocus();
            for (int i = 0; i < 3; ++i)
                QTest::keyClick(slider, Qt::Key_Right);
            auto* start = dialog.findChild<QWidget*>(QStringLiteral("btnStart"));
            for (const auto& [item, sent] : starts) {
                clickTreeItem(tree, QString::fromLatin1(item));
                click("btnStart");
                QTRY_VERIFY_WITH_TIMEOUT(start->isEnabled(), 60000); // the exchange has ended
            }
            clickTreeItem(tree, QStringLiteral("Exit Debug"));
        };
        clickTool("ID_TEST_MODE");
        QStringList expected;
        for (const auto& [item, sent] : starts) {
            const QStringList parts = QString::fromLatin1(sent).split('|');
            expected << "test request"
                     << "test: item " + parts[0] << "test: frame A 00 00 60 14 00 00 60 14"
                     << "test: frame B 00 00 00 00 FB 01 01 " + parts[1] << "test: done";
        }
        QStringList heard;
        for (const std::string& line : sim.stopAndReadTestLog())
            heard << QString::fromStdString(line);
        QCOMPARE(heard, expected);
        QCOMPARE(answers.texts(), QStringList(4, QStringLiteral("Finish successfully!")));
    }
};

ORVO_GUI_TEST_MAIN(DebugItemsTest)
#include "debug_items_test.moc"
