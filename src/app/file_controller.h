#pragma once
// FileController: the File commands that replace, store or fill the document from files: New,
// Open, Save, Save As, the recent files, Import and Export Channels and the files dropped on the
// window; and the question "Save changes?" asked before the document is replaced or the window
// closes. It alone opens the file dialogs and the files' messages. Every file it reads goes
// through the core's reader, which refuses anything but a regular file, and anything larger than
// the format takes, before a byte is read: a pipe or a huge file never holds or ends the window.

#include <QObject>
#include <QString>
#include <QStringList>

class Document;
class PendingEdit;
class QWidget;
class Settings;

class FileController : public QObject
{
    Q_OBJECT

public:
    // Commands on `doc`; the recent-file list is read from and kept in `settings`; `edit` is
    // committed before anything stores, exports or replaces the document; the dialogs and
    // messages belong to `parent`.
    FileController(Document& doc, Settings& settings, PendingEdit& edit, QWidget* parent,
                   QObject* owner = nullptr);

    // File New: after the save prompt, a new image with no file.
    void newFile();
    // File Open: asks for a file, then opens it as openFile does.
    void open();
    // After the save prompt, loads `path` (its first 1024 bytes; a shorter file or anything but
    // a regular file is refused with a message and changes nothing). A file of the recent-file
    // list that cannot be opened leaves it, and the message says so. False when cancelled or
    // failed.
    bool openFile(const QString& path);
    // File Save: under the document's file, or a name asked for when it has none.
    void save();
    // File Save As: always asks for the name.
    void saveAs();

    // Asked before the document is replaced or the window closes: false while a transfer runs;
    // otherwise commits the edit in progress and, with unsaved changes, asks "Save changes?"
    // (Save / Discard / Cancel), saving on Save. True when the document may go.
    bool canReplaceDocument();
    // The save prompt alone (a read from the radio asks it): true with no unsaved changes, on
    // Discard, and on Save once saved.
    bool maySaveChanges();

    // File > Import Channels: asks for a CSV file and imports it as importChannelsFile does.
    void importChannels();
    // Applies the CSV file at `path`, in either format (known by its header), to the document's
    // channels, each cell checked as typing it would be. A file that cannot be read, or any
    // refused cell, refuses the whole file in one message and changes nothing. Otherwise the
    // listed channels change as one undoable step "Import channels", and a message says how many
    // changed. True when the file was taken.
    bool importChannelsFile(const QString& path);
    // File > Export Channels: asks for a name and a format and writes the channel table as CSV;
    // what the memory CSV cannot carry (Busy) is said in one message.
    void exportChannels();
    // A file dropped on the window: a .csv is imported, anything else opened. Ignored while a
    // transfer runs.
    void openDropped(const QString& path);

    // Most recent first, absolute paths, at most Settings::kMaxRecentFiles.
    QStringList recentFiles() const { return m_recentFiles; }

    // The filter of the channel data file dialogs and their default extension (without the dot).
    static QString fileFilter();
    static QString defaultExtension();

public slots:
    // A transfer runs: nothing replaces the document meanwhile.
    void setBusy(bool busy) { m_busy = busy; }

signals:
    // The document was replaced by New or Open: the form starts afresh.
    void documentReplaced();
    void recentFilesChanged(const QStringList& files);

private:
    // Saves under `path`, or asks for a name when it is empty; the document takes the name.
    bool saveUnder(const QString& path);
    // The out-of-band question, then the image written to `path`; failures said in a message.
    bool store(const QString& path);
    void addRecentFile(const QString& path);
    void removeRecentFile(const QString& path);

    Document& m_document;
    Settings& m_settings;
    PendingEdit& m_edit;
    QWidget* m_parent;
    QStringList m_recentFiles;
    bool m_busy = false;
};
