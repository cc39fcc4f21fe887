#pragma once
// Application: the application object. Holds the one document and its main window, the recent-file
// list (kept in Settings), and the commands that replace the document (File New, File Open, a
// recent file) and show the About box.

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class MainWindow;
class FileDocument;
class FormView;

class Application : public QObject
{
    Q_OBJECT

public:
    // A QApplication must exist first.
    explicit Application(QObject* parent = nullptr);
    ~Application() override;

    // Start-up: settings and recent files, document and main window, then the command line (no
    // file: a new document; a file: that file), the icon, and the main window shown. `arguments`
    // are the program's arguments without the program name. False when the file named on the
    // command line cannot be opened; start-up then ends.
    bool start(const QStringList& arguments);

    FileDocument* document() const { return m_document.get(); }
    MainWindow* mainWindow() const { return m_window.get(); }
    FormView* view() const;

    // File New: after the save prompt, a new image shown in the view.
    void newFile();
    // File Open: asks for a file, then opens it as openFile does.
    void open();
    // After the save prompt, loads `path` and shows it; on failure the document and the view
    // stay as they were, and a file of the recent-file list leaves it. False when cancelled or
    // failed.
    bool openFile(const QString& path);
    // The About box.
    void about();

    // Asked before the document is replaced (New, Open) or the main window closes: commits the
    // edit in progress, then true when that may go ahead (no unsaved changes, or saved, or
    // discarded).
    bool canReplaceDocument();

    // The recent-file list, most recent first, at most Settings::kMaxRecentFiles entries.
    QStringList recentFiles() const { return m_recentFiles; }
    void addRecentFile(const QString& path);

private:
    void loadSettings();
    void saveSettings() const;

    std::unique_ptr<FileDocument> m_document;
    std::unique_ptr<MainWindow> m_window;
    QStringList m_recentFiles;
};
