#include "app/file_controller.h"

#include "core/formats/atomic_file.h"
#include "core/formats/channel_csv.h"
#include "core/formats/channel_import.h"
#include "core/formats/channel_file.h"
#include "core/formats/common_csv.h"
#include "document/document.h"
#include "document/message_text.h"
#include "document/settings.h"
#include "widgets/file_dialog.h"
#include "widgets/import_dialog.h"
#include "widgets/message_box.h"
#include "widgets/modal_dialog.h"
#include "widgets/out_of_band_prompt.h"
#include "widgets/pending_edit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

std::string nativePath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString csvFilter()
{
    return FileController::tr("CSV Files (*.csv);;All Files (*)");
}

} // namespace

FileController::FileController(Document& doc, Settings& settings, PendingEdit& edit,
                               QWidget* parent, QObject* owner)
    : QObject(owner), m_document(doc), m_settings(settings), m_edit(edit), m_parent(parent),
      m_recentFiles(settings.recentFiles())
{
}

QString FileController::fileFilter()
{
    return tr("Channel Data (*.sin);;All Files (*)");
}

QString FileController::defaultExtension()
{
    return QStringLiteral("sin");
}

void FileController::newFile()
{
    if (!canReplaceDocument())
        return;
    m_document.resetImage(orvo::RadioImage::makeNew());
    emit documentReplaced();
}

void FileController::open()
{
    QString folder = QDir::currentPath();
    if (m_document.hasFile())
        folder = QFileInfo(m_document.filePath()).absolutePath();
    else if (!m_recentFiles.isEmpty())
        folder = QFileInfo(m_recentFiles.constFirst()).absolutePath();
    const QString path = getOpenFileName(m_parent, tr("Open"), folder, fileFilter());
    if (!path.isEmpty())
        openFile(path);
}

bool FileController::openFile(const QString& path)
{
    if (!canReplaceDocument())
        return false;
    orvo::RadioImage loaded = m_document.image();
    const orvo::FileResult result = orvo::loadImageFile(nativePath(path), loaded);
    if (!result.ok) {
        QString text = translatedText(result.error);
        // A recent file that cannot be opened now leaves the list, and the message says so.
        const QString absolute = QFileInfo(path).absoluteFilePath();
        if (m_recentFiles.contains(absolute)) {
            text += QLatin1Char('\n') + tr("It is taken off the list of recent files.");
            removeRecentFile(absolute);
        }
        messageBox(m_parent, text);
        return false;
    }
    m_document.resetImage(loaded, path);
    addRecentFile(m_document.filePath());
    emit documentReplaced();
    return true;
}

void FileController::save()
{
    m_edit.commitPendingEdit();
    saveUnder(m_document.filePath());
}

void FileController::saveAs()
{
    m_edit.commitPendingEdit();
    saveUnder(QString());
}

bool FileController::saveUnder(const QString& path)
{
    QString name = path;
    if (name.isEmpty()) {
        const QString folder = m_document.hasFile()
                                   ? QFileInfo(m_document.filePath()).absolutePath()
                                   : QDir::currentPath();
        QString proposed = m_document.title();
        if (QFileInfo(proposed).suffix().isEmpty())
            proposed += QLatin1Char('.') + defaultExtension();
        name = getSaveFileName(m_parent, tr("Save As"), QDir(folder).filePath(proposed),
                               fileFilter(), defaultExtension());
        if (name.isEmpty())
            return false;
    }
    if (!store(name))
        return false;
    m_document.setFilePath(name);
    addRecentFile(m_document.filePath());
    return true;
}

bool FileController::store(const QString& path)
{
    if (!confirmOutOfBandChannels(m_parent, m_document))
        return false;
    const orvo::FileResult result = orvo::saveImageFile(nativePath(path), m_document.image());
    if (!result.ok) {
        messageBox(m_parent, translatedText(result.error));
        return false;
    }
    m_document.setModified(false);
    return true;
}

bool FileController::canReplaceDocument()
{
    // The document must outlive a running transfer; closing asks about the transfer first.
    if (m_busy)
        return false;
    m_edit.commitPendingEdit();
    return maySaveChanges();
}

bool FileController::maySaveChanges()
{
    if (!m_document.isModified())
        return true;
    switch (messageBox(m_parent, tr("Save changes?"), appTitle(), QMessageBox::Warning,
                       QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                       QMessageBox::Save)) {
    case QMessageBox::Save:
        return saveUnder(m_document.filePath());
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void FileController::importChannels()
{
    const QString path = getOpenFileName(m_parent, tr("Import Channels"), QString(), csvFilter());
    if (!path.isEmpty())
        importChannelsFile(path);
}

bool FileController::importChannelsFile(const QString& path)
{
    // One byte more than either format takes: a larger file is refused by the import's own
    // check without ever being held whole.
    std::string csv;
    bool longer = false;
    const orvo::FileResult read = orvo::readRegularFile(
        nativePath(path), std::max(orvo::kMaxCsvBytes, orvo::kMaxCommonCsvBytes) + 1, csv, longer);
    if (!read.ok) {
        messageBox(m_parent, translatedText(read.error));
        return false;
    }
    m_edit.commitPendingEdit();
    const orvo::RadioImage before = m_document.image();
    const QString name = QFileInfo(path).fileName();
    // A file that cannot be read as a list at all (its header, its size) is refused at once;
    // otherwise the preview shows what becomes of each line before anything changes.
    const orvo::ImportPlan plan = orvo::planImport(csv, before, {});
    if (!plan.refused.empty()) {
        QString text = tr("Nothing was imported from \"%1\":").arg(name);
        for (const orvo::Message& e : plan.refused)
            text += QLatin1Char('\n') + translatedText(e);
        messageBox(m_parent, text);
        return false;
    }
    ImportDialog preview(name, std::move(csv), before, m_parent);
    if (execDialog(preview) != QDialog::Accepted)
        return false;
    orvo::RadioImage image = before;
    orvo::applyImport(preview.plan(), image);
    if (orvo::changedChannelCount(before, image) > 0)
        m_document.applyImage(image, tr("Import channels"));
    return true;
}

void FileController::exportChannels()
{
    m_edit.commitPendingEdit();
    const orvo::RadioImage image = m_document.image();
    const QString ownFormat = tr("Orvo channel table (*.csv)");
    const QString commonFormat = tr("Memory CSV of other programs (*.csv)");
    QString format;
    const QString path = getSaveFileName(
        m_parent, tr("Export Channels"), QStringLiteral("channels.csv"),
        ownFormat + QStringLiteral(";;") + commonFormat, QStringLiteral("csv"), &format);
    if (path.isEmpty())
        return;
    const bool common = format == commonFormat;
    const orvo::CommonCsvExport exported =
        common ? orvo::exportCommonCsv(image) : orvo::CommonCsvExport{};
    const std::string csv = common ? exported.text : orvo::exportChannelCsv(image);
    const orvo::FileResult saved = orvo::writeFileAtomically(nativePath(path), csv);
    if (!saved.ok) {
        messageBox(m_parent, translatedText(saved.error));
        return;
    }
    // What the other programs' format cannot carry, said once.
    QStringList remarks;
    if (!exported.busyChannels.empty()) {
        QStringList channels;
        for (int ch : exported.busyChannels)
            channels << QString::number(ch);
        remarks << tr("The memory CSV has no Busy column: Busy Yes of channel(s) %1 "
                      "is not written.")
                       .arg(channels.join(QStringLiteral(", ")));
    }
    for (const orvo::CommonCsvNote& note : exported.notes)
        remarks << tr("Channel %1 %2").arg(note.channel).arg(translatedText(note.text));
    if (!remarks.isEmpty())
        messageBox(m_parent, remarks.join(QLatin1Char('\n')), QString(), QMessageBox::Information);
}

void FileController::openDropped(const QString& path)
{
    if (m_busy)
        return;
    if (QFileInfo(path).suffix().toLower() == QLatin1String("csv"))
        importChannelsFile(path);
    else
        openFile(path);
}

void FileController::addRecentFile(const QString& path)
{
    m_recentFiles.removeAll(path);
    m_recentFiles.prepend(path);
    while (m_recentFiles.size() > Settings::kMaxRecentFiles)
        m_recentFiles.removeLast();
    m_settings.setRecentFiles(m_recentFiles);
    emit recentFilesChanged(m_recentFiles);
}

void FileController::removeRecentFile(const QString& path)
{
    m_recentFiles.removeAll(path);
    m_settings.setRecentFiles(m_recentFiles);
    emit recentFilesChanged(m_recentFiles);
}
