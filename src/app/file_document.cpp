#include "app/file_document.h"

#include "core/formats/channel_file.h"
#include "document/message_text.h"
#include "widgets/file_dialog.h"
#include "widgets/message_box.h"
#include "widgets/out_of_band_prompt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

FileDocument::FileDocument(QObject* parent) : Document(parent) {}

QString FileDocument::fileFilter()
{
    return tr("Channel Data (*.sin);;All Files (*)");
}

QString FileDocument::defaultExtension()
{
    return QStringLiteral("sin");
}

void FileDocument::newDocument()
{
    resetImage(orvo::RadioImage::makeNew());
    setFilePath(QString(), false);
    setModified(false);
}

bool FileDocument::load(const QString& path, const QString& failureNote)
{
    orvo::RadioImage loaded = image();
    const orvo::FileResult result =
        orvo::loadImageFile(QFile::encodeName(path).toStdString(), loaded);
    if (!result.ok) {
        QString text = translatedText(result.error);
        if (!failureNote.isEmpty())
            text += QLatin1Char('\n') + failureNote;
        messageBox(m_window, text);
        return false;
    }
    resetImage(loaded);
    setModified(false);
    return true;
}

bool FileDocument::store(const QString& path)
{
    if (!confirmOutOfBandChannels(m_window, *this))
        return false;
    const orvo::FileResult result =
        orvo::saveImageFile(QFile::encodeName(path).toStdString(), image());
    if (!result.ok) {
        messageBox(m_window, translatedText(result.error));
        return false;
    }
    setModified(false);
    return true;
}

void FileDocument::save()
{
    saveUnder(m_filePath);
}

void FileDocument::saveAs()
{
    saveUnder(QString());
}

bool FileDocument::saveUnder(const QString& path)
{
    QString name = path;
    if (name.isEmpty()) {
        const QString folder =
            m_filePath.isEmpty() ? QDir::currentPath() : QFileInfo(m_filePath).absolutePath();
        QString proposed = title();
        if (QFileInfo(proposed).suffix().isEmpty())
            proposed += QLatin1Char('.') + defaultExtension();
        name = getSaveFileName(m_window, tr("Save As"), QDir(folder).filePath(proposed),
                               fileFilter(), defaultExtension());
        if (name.isEmpty())
            return false;
    }
    if (!store(name))
        return false;
    setFilePath(name);
    return true;
}

bool FileDocument::saveModified()
{
    if (!isModified())
        return true;
    switch (messageBox(m_window, tr("Save changes?"), appTitle(), QMessageBox::Warning,
                       QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                       QMessageBox::Save)) {
    case QMessageBox::Save:
        return saveUnder(m_filePath);
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void FileDocument::setFilePath(const QString& path, bool addToRecentFiles)
{
    m_filePath = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    if (addToRecentFiles && !m_filePath.isEmpty())
        emit fileUsed(m_filePath);
}

QString FileDocument::title() const
{
    return m_filePath.isEmpty() ? tr("Untitled") : QFileInfo(m_filePath).fileName();
}
