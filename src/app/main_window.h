#pragma once
// MainWindow: the main window. Menus File, Edit, Program, Port, View and Help with their exact
// texts, accelerators and status-bar prompts; the flat toolbar; the status bar with its message
// pane and the CAP, NUM and SCRL indicators; the form view as its client. The caption always reads
// "Orvo Programming Software". Its menus, toolbar and commands come from a Designer form
// (res/main_window.ui, each command named ID_…); the window connects them to the controllers that
// carry them out (files, editing, printing, the Port menu, the transfers, the test mode); their
// enabled states follow the controllers' signals.

#include <QMainWindow>

#include <QList>

#include <memory>

class Document;
class EditController;
class FileController;
class FormView;
class HelpWindow;
class PortController;
class PrintController;
class QAction;
class QLabel;
class QMenu;
class Settings;
class TestModeController;
class TransferController;

namespace Ui {
class MainWindow;
}

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // What the window shows and the controllers its commands reach, all made before it.
    struct Parts
    {
        Document& document;
        Settings& settings;
        FormView* view; // becomes the window's client
        FileController* files;
        EditController* edit;
        PrintController* print;
        PortController* ports;
        TransferController* transfers;
        TestModeController* testMode;
    };

    // Builds the window at 850 x 640 with its menus, toolbar, status bar and the form view.
    // The window is not shown.
    explicit MainWindow(const Parts& parts, QWidget* parent = nullptr);
    ~MainWindow() override;

    FormView* view() const { return m_view; }

    // Sets the enabled states that follow whether a transfer runs (the commands it disables,
    // Undo and Redo).
    void updateCommandStates();

    // Text of the status bar's message pane (pane 0).
    void setMessageText(const QString& text);
    QString messageText() const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // A dropped .sin file opens (with the save prompt), a .csv file is imported.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
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
    void showRecentFiles(const QStringList& files);
    void createPortMenu();
    void createHelpMenu();
    // View > Language: English or 中文, remembered for the next start.
    void addLanguageMenu();
    void showHelp();
    void about();

    // The menus, the toolbar and every command of the window (res/main_window.ui).
    std::unique_ptr<Ui::MainWindow> m_ui;
    Document& m_document;
    Settings& m_settings;
    FormView* m_view = nullptr;
    FileController* m_files = nullptr;
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
