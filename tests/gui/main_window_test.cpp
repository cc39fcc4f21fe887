// The main window as a user first meets it: caption, size and place, menus with their texts,
// separators and accelerators, the toolbar's buttons in order, prompts and tooltips, the status
// bar, the Port menu's check marks, the About box, and where the focus starts.
#include "gui_test_support.h"

#include "app/main_frame.h"
#include "app/tern_app.h"
#include "editor/tern_view.h"
#include "grid/channel_table.h"

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>

namespace {

// A menu's shown items as text, a separator as "-".
QStringList itemTexts(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        if (action->isVisible())
            texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return texts;
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<CTernApp> app;

private slots:
    void initTestCase() { quietPlatformWarnings(); }

    void init()
    {
        // The mouse rests on the menu bar, not on the form, whose controls set hints of their
        // own in the status bar as the mouse enters them.
        QCursor::setPos(0, 0);
        app = startApplication();
        QVERIFY(mainFrame() && mainFrame()->isVisible());
    }

    void cleanup() { app.reset(); }

    void captionSizeAndPlace()
    {
        CMainFrame* frame = mainFrame();
        QCOMPARE(frame->windowTitle(), QStringLiteral("Orvo Programming Software"));
        QCOMPARE(frame->size(), QSize(850, 640));
        const QPoint screenCentre = frame->screen()->availableGeometry().center();
        QVERIFY((frame->frameGeometry().center() - screenCentre).manhattanLength() <= 2);
        QCOMPARE(frame->toolBarArea(frame->m_wndToolBar), Qt::TopToolBarArea);
        QVERIFY(!frame->windowIcon().isNull());
    }

    void menusInOrderWithExactTexts()
    {
        QStringList titles;
        for (const QAction* action : mainFrame()->menuBar()->actions())
            titles.append(action->text());
        QCOMPARE(titles, (QStringList{"&File", "&Edit", "&Program", "P&ort", "&View", "&Help"}));

        auto menu = [](const char* name) {
            return mainFrame()->findChild<QMenu*>(QLatin1String(name));
        };
        QCOMPARE(
            itemTexts(menu("menuFile")),
            (QStringList{"&New\tCtrl+N", "&Open...\tCtrl+O", "&Save\tCtrl+S", "Save &As...", "-",
                         "&Import Channels\u2026", "&Export Channels\u2026", "-", "&Print...\tCtrl+P", "Print Pre&view", "P&rint Setup...", "-", "E&xit"}));
        QCOMPARE(itemTexts(menu("menuProgram")),
                 (QStringList{"&Read From Radio\tCtrl+R", "-", "&Write To Radio\tCtrl+W",
                              "&Verify With Radio", "Write To &Several Radios\u2026", "-",
                              "&Test Mode\tCtrl+T", "-", "Optional Features"}));
        QCOMPARE(itemTexts(menu("menuPort")),
                 (QStringList{"COM1(&P)\tCtrl+C", "COM2(&Q)\tCtrl+D", "COM3(&S)\tCtrl+E",
                              "COM4(&T)\tCtrl+F", "-", "Choose Port\u2026"}));
        QCOMPARE(itemTexts(menu("menuView")), (QStringList{"&Toolbar", "&Status Bar"}));
    }

    // Each command: its accelerator, status-bar prompt and tooltip; the port items show their
    // shortcut texts but carry no accelerator.
    void commandsPromptsAndAccelerators_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("tip");
        auto row = [](int id, const char* keys, const char* prompt, const char* tip) {
            QTest::addRow("%d", id) << id << QString::fromLatin1(keys)
                                    << QString::fromLatin1(prompt) << QString::fromLatin1(tip);
        };
        row(57600, "Ctrl+N", "Create a new document", "New");
        row(57601, "Ctrl+O", "Open an existing document", "Open");
        row(57603, "Ctrl+S", "Save the active document", "Save");
        row(57604, "", "Save the active document with a new name", "Save As");
        row(57607, "Ctrl+P", "Print the active document", "Print");
        row(57609, "", "Display full pages", "Print Preview");
        row(57606, "", "Change the printer and printing options", "Print Setup");
        row(57665, "", "Quit the application; prompts to save documents", "Exit");
        row(32771, "Ctrl+R", "Read Data From Radio", "Read");
        row(32772, "Ctrl+W", "Write Data to Radio ", "Write");
        row(32778, "Ctrl+T", "Debug TX Power,Squelch Level,Low Power Alert", "Debug on line");
        row(32784, "", "", "");
        row(32773, "", "Choose Communication Port one ", "Com1");
        row(32775, "", "Choose Communication Port two ", "Com2");
        row(32776, "", "Choose Communication Port three ", "Com3");
        row(32777, "", "Choose Communication Port four ", "Com4");
        row(59392, "", "Show or hide the toolbar", "Toggle ToolBar");
        row(59393, "", "Show or hide the status bar", "Toggle StatusBar");
        row(57664, "", "Display program information, version number and copyright", "About");
        row(57680, "F6", "Switch to the next window pane", "Next Pane");
        row(57681, "Shift+F6", "Switch back to the previous window pane", "Previous Pane");
    }

    void commandsPromptsAndAccelerators()
    {
        QFETCH(int, id);
        QFETCH(QString, shortcut);
        QFETCH(QString, prompt);
        QFETCH(QString, tip);
        QAction* action = mainFrame()->commandAction(id);
        QVERIFY(action);
        QCOMPARE(action->property("commandId").toInt(), id);
        QVERIFY(action->objectName().startsWith(QLatin1String("ID_")));
        QCOMPARE(action->shortcut().toString(), shortcut);
        QCOMPARE(action->statusTip(), prompt);
        if (!tip.isEmpty())
            QCOMPARE(action->toolTip(), tip);
    }

    // Hovering a menu item shows its prompt in the status bar; Optional Features has none.
    void menuItemPromptInStatusBar()
    {
        auto* menu = mainFrame()->findChild<QMenu*>(QStringLiteral("menuProgram"));
        QMenuBar* bar = mainFrame()->menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(menu->menuAction()).center());
        QTRY_VERIFY(menu->isVisible());
        for (const auto& [id, prompt] :
             {std::pair{CMainFrame::ID_WRITE_TO_RADIO, "Write Data to Radio "},
              {CMainFrame::ID_OPTIONAL_FEATURES, ""}}) {
            QTest::mouseMove(menu, menu->actionGeometry(mainFrame()->commandAction(id)).center());
            QTRY_COMPARE(mainFrame()->GetMessageText().trimmed(),
                         QString::fromLatin1(prompt).trimmed());
        }
        QTest::keyClick(menu, Qt::Key_Escape);
        QTRY_VERIFY(!menu->isVisible());
        QVERIFY(!mainFrame()->GetMessageText().trimmed().isEmpty());
    }

    void toolbarButtonsInOrder()
    {
        QToolBar* bar = mainFrame()->m_wndToolBar;
        QStringList order;
        for (const QAction* action : bar->actions())
            order.append(action->isSeparator() ? QStringLiteral("-") : action->objectName());
        QCOMPARE(order, (QStringList{"ID_FILE_NEW", "ID_FILE_OPEN", "ID_FILE_SAVE", "-",
                                     "ID_READ_FROM_RADIO", "ID_WRITE_TO_RADIO", "ID_TEST_MODE", "-",
                                     "ID_FILE_PRINT", "ID_APP_ABOUT"}));
        QCOMPARE(bar->iconSize(), QSize(18, 18));
        QVERIFY(bar->isMovable());
        QCOMPARE(bar->allowedAreas(), Qt::AllToolBarAreas);
        for (QAction* action : bar->actions()) {
            if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action))) {
                QVERIFY(button->autoRaise());
                QVERIFY(!action->icon().isNull());
            }
        }
    }

    void statusBarPanes()
    {
        QStatusBar* bar = mainFrame()->statusBar();
        QVERIFY(bar->isVisible());
        auto pane = [bar](const char* name) {
            return bar->findChild<QLabel*>(QLatin1String(name));
        };
        QCOMPARE(pane("paneMessage")->text(), QStringLiteral("Ready"));
        QCOMPARE(pane("indicatorCaps")->text(), QStringLiteral("CAP"));
        QCOMPARE(pane("indicatorNum")->text(), QStringLiteral("NUM"));
        QCOMPARE(pane("indicatorScroll")->text(), QStringLiteral("SCRL"));
        for (const char* name : {"indicatorCaps", "indicatorNum", "indicatorScroll"}) {
            QVERIFY(pane(name)->isVisible());
            QVERIFY(pane(name)->x() > pane("paneMessage")->x());
        }
        mainFrame()->SetMessageText(QStringLiteral("For help，please press F1"));
        QCOMPARE(mainFrame()->GetMessageText(), QStringLiteral("For help，please press F1"));
    }

    // COM1 is checked at start; the shortcut keys shown on the port items select nothing; a
    // click on an item checks it alone.
    void portChecksAndTheirInertKeys()
    {
        for (const char* name : {"ORVO_COM1", "ORVO_COM2", "ORVO_COM3", "ORVO_COM4"})
            qputenv(name, "/dev/null");
        CMainFrame* frame = mainFrame();
        auto checks = [frame] {
            QList<bool> on;
            for (int id : {CMainFrame::ID_COM1, CMainFrame::ID_COM2, CMainFrame::ID_COM3,
                           CMainFrame::ID_COM4})
                on.append(frame->commandAction(id)->isChecked());
            return on;
        };
        QCOMPARE(ternView()->port(), QStringLiteral("COM1"));
        QCOMPARE(checks(), (QList<bool>{true, false, false, false}));

        for (Qt::Key key : {Qt::Key_C, Qt::Key_D, Qt::Key_E, Qt::Key_F})
            QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier);
        frame->UpdateCommandUI();
        QCOMPARE(ternView()->port(), QStringLiteral("COM1"));
        QCOMPARE(checks(), (QList<bool>{true, false, false, false}));

        clickMenuCommand(QStringLiteral("menuPort"), CMainFrame::ID_COM3);
        QCOMPARE(ternView()->port(), QStringLiteral("COM3"));
        QCOMPARE(checks(), (QList<bool>{false, false, true, false}));
        clickMenuCommand(QStringLiteral("menuPort"), CMainFrame::ID_COM3); // again: stays chosen
        QCOMPARE(checks(), (QList<bool>{false, false, true, false}));
        clickMenuCommand(QStringLiteral("menuPort"), CMainFrame::ID_COM1);
        QCOMPARE(checks(), (QList<bool>{true, false, false, false}));
    }

    void viewMenuHidesAndShowsBars()
    {
        CMainFrame* frame = mainFrame();
        clickMenuCommand(QStringLiteral("menuView"), CMainFrame::ID_VIEW_TOOLBAR);
        QVERIFY(frame->m_wndToolBar->isHidden());
        QVERIFY(!frame->commandAction(CMainFrame::ID_VIEW_TOOLBAR)->isChecked());
        clickMenuCommand(QStringLiteral("menuView"), CMainFrame::ID_VIEW_STATUS_BAR);
        QVERIFY(frame->statusBar()->isHidden());
        QVERIFY(!frame->commandAction(CMainFrame::ID_VIEW_STATUS_BAR)->isChecked());
        clickMenuCommand(QStringLiteral("menuView"), CMainFrame::ID_VIEW_TOOLBAR);
        clickMenuCommand(QStringLiteral("menuView"), CMainFrame::ID_VIEW_STATUS_BAR);
        QVERIFY(frame->m_wndToolBar->isVisible());
        QVERIFY(frame->statusBar()->isVisible());
        QVERIFY(frame->commandAction(CMainFrame::ID_VIEW_TOOLBAR)->isChecked());
    }

    // F1 and Help > Contents show the manual in the program's own help window.
    void f1OpensTheManual()
    {
        for (bool key : {true, false}) {
            if (key)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
            else
                clickMenuCommand(QStringLiteral("menuHelp"), CMainFrame::ID_HELP_FINDER);
            auto* help = mainFrame()->findChild<QWidget*>(QStringLiteral("helpWindow"));
            QVERIFY(help);
            QTRY_VERIFY(help->isVisible());
            auto* browser = help->findChild<QTextBrowser*>(QStringLiteral("helpBrowser"));
            QVERIFY(browser->toPlainText().contains(QLatin1String("Writing to a radio")));
            help->close();
        }
    }

    // The About box comes from the toolbar's last button (and Help > About).
    void aboutBoxFromToolbar()
    {
        DialogAnswers answers;
        QStringList texts;
        answers.dialogDriver = [&texts](QDialog& dialog) {
            for (const QLabel* label : dialog.findChildren<QLabel*>())
                texts.append(label->text());
            auto* ok = dialog.findChild<QAbstractButton*>(QStringLiteral("btnOK"));
            QVERIFY(ok);
            QTest::mouseClick(ok, Qt::LeftButton);
            QVERIFY(!dialog.isVisible());
        };
        clickToolButton(CMainFrame::ID_APP_ABOUT);
        QCOMPARE(answers.dialogTitles, QStringList{QStringLiteral("About")});
        QVERIFY(texts.contains(QStringLiteral("Version 1.0.0")));
        QVERIFY(answers.boxes.isEmpty());
    }

    // The form: its labels, its lists with their entries and selections of a new image, the
    // hidden Urgency Call list, the tab order and the focus on the Type list.
    void formAsFirstShown()
    {
        CTernView* view = ternView();
        QCOMPARE(QApplication::focusWidget(), view->settingBox(orvo::SettingBox::Type));

        QStringList labels;
        for (const char* name :
             {"lblType", "lblField", "lblScan", "lblBeep", "lblBatterySave", "lblSquelchLevel",
              "lblTxTotalTime", "lblVoiceAnnunciation", "lblMoni", "lblChannel"})
            labels.append(view->findChild<QLabel*>(QLatin1String(name))->text());
        QCOMPARE(labels,
                 (QStringList{"Type", "Field", "Scan", "Beep", "Battery Save", "Squelch Level",
                              "Tx Total Time(s)", "Voice Annuciation", "Moni", "Channel:"}));
        QVERIFY(!view->settingBox(orvo::SettingBox::UrgencyCall)->isVisible());
        QVERIFY(!view->findChild<QLabel*>(QStringLiteral("lblUrgencyCall"))->isVisible());
        QCOMPARE(view->settingBox(orvo::SettingBox::UrgencyCall)->currentText(), QStringLiteral("TX Alert "));

        QCOMPARE(view->settingBox(orvo::SettingBox::Type)->currentText(), QStringLiteral("ZT-4"));
        QCOMPARE(view->settingBox(orvo::SettingBox::Field)->currentText(), QStringLiteral("136 - 174MHz"));
        QCOMPARE(view->settingBox(orvo::SettingBox::Scan)->currentText(), QStringLiteral("ON"));
        QCOMPARE(view->settingBox(orvo::SettingBox::Beep)->currentText(), QStringLiteral("Enable"));
        QCOMPARE(view->settingBox(orvo::SettingBox::BatterySave)->currentText(), QStringLiteral("Enable"));
        QCOMPARE(view->settingBox(orvo::SettingBox::SquelchLevel)->currentText(), QStringLiteral("9"));
        QCOMPARE(view->settingBox(orvo::SettingBox::TxTotalTime)->currentText(), QStringLiteral("180s"));
        QCOMPARE(view->settingBox(orvo::SettingBox::VoiceAnnunciation)->currentText(), QStringLiteral("Chinese"));
        QCOMPARE(view->settingBox(orvo::SettingBox::Moni)->currentText(), QStringLiteral("SQ-Off Momentary"));
        QCOMPARE(view->settingBox(orvo::SettingBox::Moni)->itemText(1), QStringLiteral("Monitor  Momentary"));
        QCOMPARE(view->settingBox(orvo::SettingBox::TxTotalTime)->count(), 11);

        // Tab walks Type, Field, the seven function lists, then the grid.
        QList<QWidget*> order;
        QWidget* at = view->settingBox(orvo::SettingBox::Type);
        for (int i = 0; i < 10; ++i) {
            order.append(QApplication::focusWidget());
            QTest::keyClick(at, Qt::Key_Tab);
            at = QApplication::focusWidget();
        }
        const QList<QWidget*> expected{view->settingBox(orvo::SettingBox::Type),        view->settingBox(orvo::SettingBox::Field),
                                       view->settingBox(orvo::SettingBox::Scan),        view->settingBox(orvo::SettingBox::Beep),
                                       view->settingBox(orvo::SettingBox::BatterySave), view->settingBox(orvo::SettingBox::SquelchLevel),
                                       view->settingBox(orvo::SettingBox::TxTotalTime), view->settingBox(orvo::SettingBox::VoiceAnnunciation),
                                       view->settingBox(orvo::SettingBox::Moni),        static_cast<QWidget*>(view->grid())};
        QCOMPARE(order, expected);
    }
};

ORVO_GUI_TEST_MAIN(MainWindowTest)

#include "main_window_test.moc"
