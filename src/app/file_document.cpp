#include "app/file_document.h"

#include "widgets/file_dialog.h"
#include "widgets/form_view.h"
#include "widgets/message_box.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

FileDocument::FileDocument(QObject* parent) : Document(parent) {}

QString FileDocument::fileFilter()
{
    return QStringLiteral("Channel Data (*.sin);;All Files (*)");
}

QString FileDocument::defaultExtension()
{
    return QStringLiteral("sin");
}

bool FileDocument::OnNewDocument()
{
    resetImage(orvo::RadioImage::makeNew());
    SetPathName(QString(), false);
    SetModifiedFlag(false);
    return true;
}

bool FileDocument::Serialize(const QString& path, bool storing, QString* error)
{
    const std::string local = QFile::encodeName(path).toStdString();
    orvo::FileResult result;
    if (storing) {
        result = orvo::saveImageFile(local, image());
    } else {
        orvo::RadioImage loaded = image();
        result = orvo::loadImageFile(local, loaded);
        if (result.ok)
            resetImage(loaded);
    }
    if (!result.ok && error)
        *error = QString::fromLocal8Bit(result.error.c_str());
    return result.ok;
}

bool FileDocument::OnOpenDocument(const QString& path)
{
    QString error;
    if (!Serialize(path, false, &error)) {
        AppMessageBox(m_pWindow, error);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

bool FileDocument::OnSaveDocument(const QString& path)
{
    if (!FormView::ConfirmOutOfBandChannels(m_pWindow, *this))
        return false;
    QString error;
    if (!Serialize(path, true, &error)) {
        AppMessageBox(m_pWindow, error);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

void FileDocument::OnFileSave()
{
    DoSave(m_strPathName);
}

void FileDocument::OnFileSaveAs()
{
    DoSave(QString());
}

bool FileDocument::DoSave(const QString& path, bool replace)
{
    QString name = path;
    if (name.isEmpty()) {
        const QString folder =
            m_strPathName.isEmpty() ? QDir::currentPath() : QFileInfo(m_strPathName).absolutePath();
        QString proposed = GetTitle();
        if (QFileInfo(proposed).suffix().isEmpty())
            proposed += QLatin1Char('.') + defaultExtension();
        name =
            AppGetSaveFileName(m_pWindow, QStringLiteral("Save As"),
                               QDir(folder).filePath(proposed), fileFilter(), defaultExtension());
        if (name.isEmpty())
            return false;
    }
    if (!OnSaveDocument(name))
        return false;
    if (replace)
        SetPathName(name);
    return true;
}

bool FileDocument::SaveModified()
{
    if (!IsModified())
        return true;
    switch (AppMessageBox(
        m_pWindow, QStringLiteral("Save changes?"), AppTitle(), QMessageBox::Warning,
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save)) {
    case QMessageBox::Save:
        return DoSave(m_strPathName);
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void FileDocument::SetPathName(const QString& path, bool addToRecentFiles)
{
    m_strPathName = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    if (addToRecentFiles && !m_strPathName.isEmpty()) {
        emit fileUsed(m_strPathName);
    }
}

QString FileDocument::GetTitle() const
{
    return m_strPathName.isEmpty() ? QStringLiteral("Untitled")
                                   : QFileInfo(m_strPathName).fileName();
}
