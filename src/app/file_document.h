#pragma once
// FileDocument: the document (editor/document.h) with its file: made new at start-up and by File New,
// loaded by File Open, stored by File Save / Save As. One document for the life of the process.

#include "document/document.h"

#include <QString>

class FileDocument : public Document
{
    Q_OBJECT

public:
    explicit FileDocument(QObject* parent = nullptr);

    // Fills the image with the contents of a new image; no file, not modified. Always succeeds.
    bool OnNewDocument();

    // Loads the file into the image. A file shorter than 1024 bytes, or one that cannot be read,
    // is reported in a message box and changes nothing; longer files give their first 1024 bytes.
    bool OnOpenDocument(const QString& path);

    // Lets the user stop when channels lie outside the band, then stores the image in `path`
    // (through a temporary file, so a failure leaves any previous file whole). Failures are
    // reported in a message box; success clears the modified flag.
    bool OnSaveDocument(const QString& path);

    // Moves the image's 1024 bytes to (storing) or from (loading) the file, offset 0 first.
    // On failure returns false with the user-facing reason in `error`; a failed load leaves
    // the image as it was.
    bool Serialize(const QString& path, bool storing, QString* error);

    // File Save: saves under the current name, or asks for one when there is none.
    void OnFileSave();
    // File Save As: always asks for the name.
    void OnFileSaveAs();
    // Saves under `path`, or asks for a name when `path` is empty. With `replace` the document
    // takes the new name. False when cancelled or failed.
    bool DoSave(const QString& path, bool replace = true);

    // Before the document is replaced or closed: when it has unsaved changes, asks
    // "Save changes?" (Save / Discard / Cancel) and saves on Save. False means: keep everything
    // as it is (Cancel, or the save failed or was cancelled).
    bool SaveModified() override;
    // Forgets the file name without touching the recent-file list.
    void DetachFromFile() override { SetPathName(QString(), false); }

    bool IsModified() const { return isModified(); }
    void SetModifiedFlag(bool modified = true) { setModified(modified); }

    // Full path of the file the document was opened from or saved to; empty for a new document.
    QString GetPathName() const { return m_strPathName; }
    void SetPathName(const QString& path, bool addToRecentFiles = true);
    // The file's name, or "Untitled" for a new document.
    QString GetTitle() const;

    // The filter of the file dialogs and the default extension (without the dot).
    static QString fileFilter();
    static QString defaultExtension();

    // The window that owns the document's message boxes and file dialogs.
    void SetWindow(QWidget* window) { m_pWindow = window; }

signals:
    // The document was opened from or saved to `path` (for the recent-file list).
    void fileUsed(const QString& path);

private:
    QWidget* m_pWindow = nullptr;
    QString m_strPathName;
};
