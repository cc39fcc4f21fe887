#pragma once
// MainWindow: the main window. Menus File, Edit, Program, Port, View and Help with their exact
// texts, accelerators and status-bar prompts; the flat toolbar; the status bar with its message
// pane and the CAP, NUM and SCRL indicators; the form view as its client. The caption always reads
// "Orvo Programming Software". Its menus, toolbar and commands come from a Designer form
// (res/main_window.ui, each command named ID_…); the window connects them to the controllers that
// carry them out (editing, printing, the Port menu, the channel CSV, the transfers, the test
// mode) and to the application.

#include <QMainWindow>

#include <QList>

#include <memory>

class Application;
class EditController;
class FileDocument;
class FormView;
class HelpWindow;
class PortController;
class PrintController;
class QAction;
class QLabel;
class QMenu;
class TestModeController;
class TransferController;

namespace Ui {
class MainWindow;
}

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // Builds the window at 850 x 640 with its menus, toolbar, status bar and the form view of
    // `doc`. The window is not shown.
    explicit MainWindow(FileDocument* doc, QWidget* parent = nullptr);
    ~MainWindow() override;

    FormView* view() const { return m_view; }
    // The application whose commands File New, File Open and About run, and which is asked
    // before the window closes.
    void setApplication(Application* app) { m_app = app; }
    Application* application() const { return m_app; }

    // Read, Write, Verify and Write To Several Radios, with the transfer that runs.
    TransferController* transfers() const { return m_transfers; }

    // Sets the enabled states that follow whether a transfer runs (the commands it disables,
    // Undo and Redo).
    void updateCommandStates();

    // Text of the status bar's message pane (pane 0).
    void setMessageText(const QString& text);
    QString messageText() const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createMenus();
    void createEditMenu();
    void createStatusBar();
    void updateLockIndicators();
    void updateUndoActions();
    void updateMoveActions();
    // main_window_menus.cpp: the recent files in the File menu, the Port menu, the Help menu.
    void addRecentFileItems(QMenu* file, QAction* before);
    void updateRecentFileItems();
    void createPortMenu();
    void createHelpMenu();
    // View > Language: English or 中文, remembered for the next start.
    void addLanguageMenu();
    void showHelp();
    void callApp(void (Application::*handler)());

    // The menus, the toolbar and every command of the window (res/main_window.ui).
    std::unique_ptr<Ui::MainWindow> m_ui;
    FileDocument* m_document;
    Application* m_app = nullptr;
    FormView* m_view = nullptr;
    EditController* m_edit = nullptr;
    PrintController* m_print = nullptr;
    PortController* m_ports = nullptr;
    TransferController* m_transfers = nullptr;
    TestModeController* m_testMode = nullptr;
    QLabel* m_paneMessage = nullptr;
    QLabel* m_paneCaps = nullptr;
    QLabel* m_paneNum = nullptr;
    QLabel* m_paneScroll = nullptr;
    QList<QAction*> m_recentFileItems;
    HelpWindow* m_helpWindow = nullptr;
};
