#pragma once
// FileDocument: the document (document/document.h) with its file: made new at start-up and by File
// New, loaded by File Open, stored by File Save / Save As. One document for the life of the
// process.

#include "document/document.h"

#include <QString>

class FileDocument : public Document
{
    Q_OBJECT

public:
    explicit FileDocument(QObject* parent = nullptr);

    // Fills the image with the contents of a new image; no file, not modified.
    void newDocument();

    // Loads the file into the image, not modified. A file shorter than 1024 bytes, or one that
    // cannot be read, is reported in a message box and changes nothing; longer files give their
    // first 1024 bytes; `failureNote` is the message's last line. The file name is left to the
    // caller (setFilePath).
    bool load(const QString& path, const QString& failureNote = QString());

    // File Save: saves under the current name, or asks for one when there is none.
    void save();
    // File Save As: always asks for the name.
    void saveAs();
    // Saves under `path`, or asks for a name when `path` is empty; the document takes the name.
    // False when cancelled or failed.
    bool saveUnder(const QString& path);

    // Before the document is replaced or closed: when it has unsaved changes, asks
    // "Save changes?" (Save / Discard / Cancel) and saves on Save. False means: keep everything
    // as it is (Cancel, or the save failed or was cancelled).
    bool saveModified() override;
    // Forgets the file name without touching the recent-file list.
    void detachFromFile() override { setFilePath(QString(), false); }

    // Full path of the file the document was opened from or saved to; empty for a new document.
    QString filePath() const { return m_filePath; }
    void setFilePath(const QString& path, bool addToRecentFiles = true);
    // The file's name, or "Untitled" for a new document.
    QString title() const;

    // The filter of the file dialogs and the default extension (without the dot).
    static QString fileFilter();
    static QString defaultExtension();

    // The window that owns the document's message boxes and file dialogs.
    void setWindow(QWidget* window) { m_window = window; }

signals:
    // The document was opened from or saved to `path` (for the recent-file list).
    void fileUsed(const QString& path);

private:
    // Lets the user stop when channels lie outside the band, then stores the image in `path`
    // (through a temporary file, so a failure leaves any previous file whole). Failures are
    // reported in a message box; success clears the modified flag.
    bool store(const QString& path);

    QWidget* m_window = nullptr;
    QString m_filePath;
};
