#pragma once
// MainWindow: the main window. Menus File, Edit, Program, Port, View and Help with their exact
// texts, accelerators and status-bar prompts; the flat toolbar; the status bar with its message
// pane and the CAP, NUM and SCRL indicators; the form view as its client. The caption always reads
// "Orvo Programming Software". It makes the actions and connects them to the controllers that
// carry them out (files, editing, printing, the Port menu, the transfers, the test mode); their
// enabled states follow the controllers' signals.

#include <QMainWindow>

#include <QList>

#include <map>

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
class QToolBar;
class Settings;
class TestModeController;
class TransferController;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // Command ids of the main window's commands; each action's objectName is its ID_ name and
    // its "commandId" property the number.
    enum CommandId : int {
        ID_FILE_NEW = 57600,
        ID_FILE_OPEN = 57601,
        ID_FILE_SAVE = 57603,
        ID_FILE_SAVE_AS = 57604,
        ID_FILE_PRINT_SETUP = 57606,
        ID_FILE_PRINT = 57607,
        ID_FILE_PRINT_PREVIEW = 57609,
        ID_APP_ABOUT = 57664,
        ID_APP_EXIT = 57665,
        ID_READ_FROM_RADIO = 32771,
        ID_WRITE_TO_RADIO = 32772,
        ID_COM1 = 32773,
        ID_COM2 = 32775,
        ID_COM3 = 32776,
        ID_COM4 = 32777,
        ID_TEST_MODE = 32778,
        ID_OPTIONAL_FEATURES = 32784,
        ID_VERIFY_WITH_RADIO = 32790,
        ID_WRITE_TO_SEVERAL_RADIOS = 32791,
        ID_IMPORT_CHANNELS = 32792,
        ID_EXPORT_CHANNELS = 32793,
        ID_VIEW_TOOLBAR = 59392,
        ID_VIEW_STATUS_BAR = 59393,
        ID_NEXT_PANE = 57680,
        ID_PREV_PANE = 57681,
        ID_FILE_MRU_FILE1 = 57616, // to ID_FILE_MRU_FILE1 + 3
        ID_HELP_FINDER = 57668,
        ID_CHOOSE_PORT = 32794,
        ID_EDIT_CLEAR = 57632,
        ID_EDIT_COPY = 57634,
        ID_EDIT_CUT = 57635,
        ID_EDIT_PASTE = 57637,
        ID_EDIT_UNDO = 57643,
        ID_EDIT_REDO = 57644,
        ID_EDIT_MOVE_UP = 32795,
        ID_EDIT_MOVE_DOWN = 32796,
    };

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

    // The action of a command id, or nullptr.
    QAction* commandAction(int commandId) const;

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
    QAction* addCommand(int id, const char* name, const QString& text, const QString& prompt);
    void createMenus();
    QMenu* createEditMenu();
    void createToolBar();
    void createStatusBar();
    void updateLockIndicators();
    void updateUndoActions();
    void updateMoveActions();
    // main_window_menus.cpp: the recent files in the File menu, the Port menu, the Help menu.
    void addRecentFileItems(QMenu* file, QAction* before);
    void showRecentFiles(const QStringList& files);
    QMenu* createPortMenu();
    void createHelpMenu();
    // View > Language: English or 中文, remembered for the next start.
    void addLanguageMenu(QMenu* view);
    void showHelp();
    void about();

    Document& m_document;
    Settings& m_settings;
    FormView* m_view = nullptr;
    FileController* m_files = nullptr;
    EditController* m_edit = nullptr;
    PrintController* m_print = nullptr;
    PortController* m_ports = nullptr;
    TransferController* m_transfers = nullptr;
    TestModeController* m_testMode = nullptr;
    QToolBar* m_toolBar = nullptr;
    std::map<int, QAction*> m_commands;
    QLabel* m_paneMessage = nullptr;
    QLabel* m_paneCaps = nullptr;
    QLabel* m_paneNum = nullptr;
    QLabel* m_paneScroll = nullptr;
    QList<QAction*> m_recentFileItems;
    HelpWindow* m_helpWindow = nullptr;
};
