#pragma once
// Support for the application's widget tests: a test main that keeps settings in a temporary
// folder, hooks that answer message boxes, file dialogs and modal dialogs, the application
// started as main() starts it, and real mouse and key input on menus, toolbar and lists.

#include "app/file_dialog.h"
#include "app/message_box.h"
#include "image/radio_image.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

class CMainFrame;
class CTernApp;
class CTernView;
class QComboBox;
class QDialog;

// One message box as the application asked for it.
struct ShownBox
{
    QString text;
    QString caption;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
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

    QList<ShownBox> boxes;
    QList<QMessageBox::StandardButton> boxAnswers;
    QList<FileDialogRequest> fileRequests;
    QStringList fileAnswers;
    QStringList dialogTitles;
    std::function<void(QDialog&)> dialogDriver;
};

// Starts the application with `arguments` as main() would, waits until its window is active.
// Returns null (after a failed QVERIFY) when start-up fails.
std::unique_ptr<CTernApp> startApplication(const QStringList& arguments = {});

CMainFrame* mainFrame();
CTernView* ternView();

// Opens the menu with a click on its title in the menu bar and clicks the command's item.
void clickMenuCommand(const QString& menuObjectName, int commandId);
// Clicks the toolbar button of a command.
void clickToolButton(int commandId);
// Opens the list's drop-down with F4, moves to `index` with the arrow keys and takes it with
// Enter, as a user picking an entry does (the list reports the pick even when it is the entry
// already shown).
void chooseListEntry(QComboBox* list, int index);

QByteArray readFileBytes(const QString& path);
void writeFileBytes(const QString& path, const QByteArray& bytes);
QByteArray toBytes(const orvo::RadioImage& image);
orvo::RadioImage fromBytes(const QByteArray& bytes);
// Writes `image` through the core's own file store.
void saveWithCore(const QString& path, const orvo::RadioImage& image);

// Drops the offscreen platform's notes on what it cannot do (raise, grab the keyboard, ...).
// Call it from initTestCase, after the test library has set up its own message handling.
void quietPlatformWarnings();

// main() of a widget test: offscreen unless a platform is chosen, settings kept in a temporary
// folder so the user's recent-file list is never touched.
#define ORVO_GUI_TEST_MAIN(TestClass)                                                              \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        QTemporaryDir settingsHome;                                                                \
        qputenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit());                             \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                        \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                               \
        QApplication app(argc, argv);                                                              \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
