#pragma once
// Support for the application's widget tests. They reach the program as a user does: widgets and
// commands by object name, real keys and clicks, message boxes, file dialogs and modal dialogs
// answered through the application's hooks, files by their bytes. Only gui_test_support.cpp
// knows the application's classes.

#include "core/image/radio_image.h"
#include "sim_process.h"
#include "widgets/file_dialog.h"
#include "widgets/message_box.h"

#include <QApplication>
#include <QMainWindow>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>
#include <optional>
#include <sys/resource.h>

class QAbstractItemView;
class QAction;
class QComboBox;
class QDialog;
class QTreeWidget;

// One message box as the application asked for it.
struct ShownBox
{
    QString text;
    QMessageBox::StandardButtons buttons;
    QString caption;
    QMessageBox::Icon icon;
};

// Answers every message box, file dialog and modal dialog while it lives, and records them.
// Boxes take their answers from `boxAnswers` in order; with none left, a box gets its most
// cautious button (Cancel, No, Ok). File dialogs take `fileAnswers` in order (none left:
// cancelled). Modal dialogs are handed to `dialogDriver` (none: closed at once).
struct DialogAnswers
{
    DialogAnswers();
    ~DialogAnswers();
    DialogAnswers(const DialogAnswers&) = delete;
    DialogAnswers& operator=(const DialogAnswers&) = delete;
    QStringList texts() const; // the boxes' texts in order

    QList<ShownBox> boxes;
    QList<QMessageBox::StandardButton> boxAnswers;
    QList<FileDialogRequest> fileRequests;
    QStringList fileAnswers;
    QStringList fileFilters; // the file type each save dialog with a choice takes (none: its first)
    QStringList dialogTitles;
    std::function<void(QDialog&)> dialogDriver;

private:
    void install();
    DialogAnswers* m_previous;
};

// --- The application ---------------------------------------------------------------------------

// The base of a widget test: each case runs in a fresh folder with the application started anew
// (on the folder's "start.sin" when startImage() gives one) and ends with it. COM1 to COM4 stand
// for no device unless a case says otherwise.
class GuiTest : public QObject
{
    Q_OBJECT

protected:
    virtual std::optional<orvo::RadioImage> startImage() const { return std::nullopt; }
    QString path(const QString& name) const { return dir->filePath(name); }

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<QObject> app;
    std::unique_ptr<DialogAnswers> answers; // ended before the application

private slots:
    void initTestCase();
    void init();
    void cleanup();
};

// Starts the application with `arguments` as main() does and waits until its window is active;
// null when start-up ends (a file that cannot be opened). Deleting it ends the application.
std::unique_ptr<QObject> startApp(const QStringList& arguments = {});
QMainWindow* mainWindow(); // "MainWindow"
template <class T = QWidget> T* named(const QString& objectName)
{
    return mainWindow() ? mainWindow()->findChild<T*>(objectName) : nullptr;
}
QAction* command(const char* objectName);       // "ID_FILE_SAVE", ...
QComboBox* settingList(const char* objectName); // "cmbBeep", ...
QWidget* focus();                               // QApplication::focusWidget()
// A key on the widget with the focus (the main window when none has it), the window activated
// first as a user's click would.
void press(int key, Qt::KeyboardModifiers modifiers = {});
void ctrl(Qt::Key key);
// Drops `file` on the window as a file manager would.
void dropOnWindow(const QString& file);
// Opens the menu by a click on its title and clicks the command's item.
void clickMenu(const char* menuName, const char* commandName);
void clickTool(const char* commandName);
// Clicks the tree's item with `text` as a user does, opening its parent with the Right key first.
void clickTreeItem(QTreeWidget* tree, const QString& text);
// Picks entry `index` of the list with F4, arrow keys and Enter.
void chooseListEntry(QComboBox* list, int index);
// True when the document has unsaved changes: File Open of a missing file asks "Save changes?"
// first (answered Cancel); without changes, the file is refused and nothing changes.
bool asksToSave();
// Opens the user manual with F1 and lists what it lacks: each menu command it does not name as the
// menu shows it (no accelerator, shortcut, ellipsis or port device), each link to a section that
// does not scroll there, joined by ", ". Empty when the manual serves the window's menus.
QString manualFaults();

// --- The form's texts --------------------------------------------------------------------------
// Channels count 1..16, columns 1..8 (Receive .. Power); column 0 holds the channel numbers.

QAbstractItemView* channelTable(); // "grid"
QString cellText(int channel, int column);
QStringList rowTexts(int channel);
// The ten setting lists' texts (Type .. Urgency Call), then the 128 cells row by row.
QStringList formTexts();
// What formTexts() is after opening or reading `image` (a ZT-4's).
QStringList formTextsOf(const orvo::RadioImage& image);
// The current cell as (channel, column).
QPoint currentCell();
// The objectName of the in-place editor that is showing; empty when none is.
QString openEditor();
void clickCell(int channel, int column, Qt::MouseButton button = Qt::LeftButton);
void doubleClickCell(int channel, int column);
// Gives the table the focus and makes the cell current with the arrow keys (no editor opens).
void goToCell(int channel, int column);
// Types `text` on the cell: the first key on the table, the rest into what has the focus then.
void typeOnCell(int channel, int column, const QString& text);

// --- Files and the radio's memory (byte helpers: sim_process.h) -------------------------------

void saveWithCore(const QString& path, const orvo::RadioImage& image);

// --- Transfers ---------------------------------------------------------------------------------

QWidget* progressDialog(); // "ProgressDialog"
// Runs `step` with the position each time the progress bar moves; stops when it goes.
struct ProgressWatch
{
    explicit ProgressWatch(std::function<void(int)> step);
    QObject guard;
};
// Read From Radio (or Write To Radio) from the toolbar, Start, and the end of the transfer.
void transferFromToolbar(bool write);
void startAndWait();

void quietPlatformWarnings();

// With no DialogAnswers alive: the next real message box gets `key` once it is shown, and `seen`
// its text and the texts of its buttons.
void keyForNextBox(Qt::Key key, QStringList& seen);

// main() of a widget test: offscreen unless a platform is chosen, settings kept in a temporary
// folder so the user's recent-file list is never touched, ahead of other work where the system
// allows it (root) so that the radio's timing holds on a busy machine.
#define ORVO_GUI_TEST_MAIN(TestClass)                                                              \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        setpriority(PRIO_PROCESS, 0, -10);                                                         \
        QTemporaryDir settingsHome;                                                                \
        qputenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit());                             \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                        \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                               \
        QApplication app(argc, argv);                                                              \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
