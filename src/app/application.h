#pragma once
// Application: the application object. Holds the one document, its main frame and form view, the
// per-user settings (recent-file list), and the commands that replace the document (File New,
// File Open) and show the About box.

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class MainWindow;
class FileDocument;
class FormView;
class QIcon;
class QWidget;

class Application : public QObject
{
    Q_OBJECT

public:
    // The number of recent files kept (in Settings).
    static constexpr int kMaxRecentFiles = 4;

    // A QApplication must exist first.
    explicit Application(QObject* parent = nullptr);
    ~Application() override;

    // Start-up: settings and recent files, document, frame and view, then the command line (no
    // file: a new document; a file: that file), the icon, and the main window shown. `arguments`
    // are the program's arguments without the program name. False when the file named on the
    // command line cannot be opened; start-up then ends.
    bool InitInstance(const QStringList& arguments);

    FileDocument* GetDocument() const { return m_pDoc.get(); }
    MainWindow* GetMainFrame() const { return m_pMainWnd.get(); }
    FormView* GetView() const;

    // File New: after the save prompt, a new image shown in the view.
    void OnFileNew();
    // File Open: asks for a file, then opens it as OpenDocumentFile does.
    void OnFileOpen();
    // After the save prompt, loads `path` and shows it; on failure the document and the view
    // stay as they were. False when cancelled or failed.
    bool OpenDocumentFile(const QString& path);
    // The About box.
    void OnAppAbout();

    // Asked before the document is replaced (New, Open) or the main window closes: commits the
    // edit in progress, then true when that may go ahead (no unsaved changes, or saved, or
    // discarded).
    bool CanReplaceDocument();

    // The recent-file list, most recent first, at most kMaxRecentFiles entries.
    QStringList GetRecentFileList() const;
    void AddToRecentFileList(const QString& path);

private:
    void LoadStdProfileSettings();
    void SaveStdProfileSettings() const;

    std::unique_ptr<FileDocument> m_pDoc;
    std::unique_ptr<MainWindow> m_pMainWnd;
    QStringList m_recentFiles;
};
