#include "app/channel_csv_commands.h"

#include "app/application.h"
#include "app/main_window.h"
#include "app/transfer_controller.h"
#include "core/formats/atomic_file.h"
#include "core/formats/channel_csv.h"
#include "core/formats/common_csv.h"
#include "document/document.h"
#include "document/message_text.h"
#include "widgets/file_dialog.h"
#include "widgets/form_view.h"
#include "widgets/message_box.h"

#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>

namespace {

QString csvFilter()
{
    return QCoreApplication::translate("ChannelCsvCommands", "CSV Files (*.csv);;All Files (*)");
}

// The document's image with the edit in progress committed, as a write or a save takes it.
orvo::RadioImage documentImage(FormView& view)
{
    view.commitPendingEdit();
    return view.document()->image();
}

// Takes the drops of files on the main window.
class FileDrops final : public QObject
{
public:
    explicit FileDrops(MainWindow& window) : QObject(&window), m_window(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto* drag = static_cast<QDropEvent*>(event);
            if (!droppedFile(drag->mimeData()).isEmpty()) {
                drag->acceptProposedAction();
                return true;
            }
        } else if (event->type() == QEvent::Drop) {
            auto* drop = static_cast<QDropEvent*>(event);
            const QString path = droppedFile(drop->mimeData());
            if (!path.isEmpty()) {
                drop->acceptProposedAction();
                open(path);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    // The one local .sin or .csv file of a drop; empty for anything else.
    static QString droppedFile(const QMimeData* data)
    {
        if (!data || data->urls().size() != 1 || !data->urls().first().isLocalFile())
            return QString();
        const QString path = data->urls().first().toLocalFile();
        const QString suffix = QFileInfo(path).suffix().toLower();
        return suffix == QLatin1String("sin") || suffix == QLatin1String("csv") ? path : QString();
    }

    void open(const QString& path)
    {
        FormView* view = m_window.view();
        if (!view || m_window.transfers()->isRunning())
            return;
        if (QFileInfo(path).suffix().toLower() == QLatin1String("csv")) {
            importChannelsFile(*view, path);
        } else if (Application* app = m_window.application()) {
            app->openFile(path);
        }
    }

    MainWindow& m_window;
};

} // namespace

void importChannels(FormView& view)
{
    const QString path = getOpenFileName(
        view.window(), QCoreApplication::translate("ChannelCsvCommands", "Import Channels"),
        QString(), csvFilter());
    if (!path.isEmpty())
        importChannelsFile(view, path);
}

bool importChannelsFile(FormView& view, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        messageBox(view.window(),
                   QCoreApplication::translate("ChannelCsvCommands", "Cannot open \"%1\": %2")
                       .arg(QDir::toNativeSeparators(path), file.errorString()));
        return false;
    }
    const QByteArray csv = file.readAll();
    const std::string_view text(csv.constData(), static_cast<std::size_t>(csv.size()));
    const orvo::RadioImage before = documentImage(view);
    orvo::RadioImage image = before;
    // The file says by its header which of the two formats it is.
    const std::vector<orvo::Message> errors = orvo::isCommonCsv(text)
                                                  ? orvo::importCommonCsv(text, image)
                                                  : orvo::importChannelCsv(text, image);
    if (!errors.empty()) {
        QString text =
            QCoreApplication::translate("ChannelCsvCommands", "Nothing was imported from \"%1\":")
                .arg(QFileInfo(path).fileName());
        for (const orvo::Message& e : errors)
            text += QLatin1Char('\n') + translatedText(e);
        messageBox(view.window(), text);
        return false;
    }
    const int changed = orvo::changedChannelCount(before, image);
    if (changed > 0)
        applyImportedImage(view, image);
    const QString name = QFileInfo(path).fileName();
    messageBox(view.window(),
               changed == 1
                   ? QCoreApplication::translate("ChannelCsvCommands",
                                                 "\"%1\": 1 channel changed; the channels the file "
                                                 "does not list are as they were.")
                         .arg(name)
                   : QCoreApplication::translate("ChannelCsvCommands",
                                                 "\"%1\": %2 channels changed; the channels the "
                                                 "file does not list are as they were.")
                         .arg(name)
                         .arg(changed),
               QString(), QMessageBox::Information);
    return true;
}

void applyImportedImage(FormView& view, const orvo::RadioImage& image)
{
    view.document()->applyImage(
        image, QCoreApplication::translate("ChannelCsvCommands", "Import channels"));
}

void exportChannels(FormView& view)
{
    const orvo::RadioImage image = documentImage(view);
    const QString ownFormat =
        QCoreApplication::translate("ChannelCsvCommands", "Orvo channel table (*.csv)");
    const QString commonFormat =
        QCoreApplication::translate("ChannelCsvCommands", "Memory CSV of other programs (*.csv)");
    QString format;
    const QString path = getSaveFileName(
        view.window(), QCoreApplication::translate("ChannelCsvCommands", "Export Channels"),
        QStringLiteral("channels.csv"), ownFormat + QStringLiteral(";;") + commonFormat,
        QStringLiteral("csv"), &format);
    if (path.isEmpty())
        return;
    const bool common = format == commonFormat;
    const orvo::CommonCsvExport exported =
        common ? orvo::exportCommonCsv(image) : orvo::CommonCsvExport{};
    const std::string csv = common ? exported.text : orvo::exportChannelCsv(image);
    const orvo::FileResult saved =
        orvo::writeFileAtomically(QFile::encodeName(path).toStdString(), csv);
    if (!saved.ok) {
        messageBox(view.window(), translatedText(saved.error));
        return;
    }
    // What the other programs' format cannot carry, said once.
    QStringList remarks;
    if (!exported.busyChannels.empty()) {
        QStringList channels;
        for (int ch : exported.busyChannels)
            channels << QString::number(ch);
        remarks << QCoreApplication::translate(
                       "ChannelCsvCommands",
                       "The memory CSV has no Busy column: Busy Yes of channel(s) %1 "
                       "is not written.")
                       .arg(channels.join(QStringLiteral(", ")));
    }
    for (const orvo::CommonCsvNote& note : exported.notes) {
        remarks << QCoreApplication::translate("ChannelCsvCommands", "Channel %1 %2")
                       .arg(note.channel)
                       .arg(translatedText(note.text));
    }
    if (!remarks.isEmpty())
        messageBox(view.window(), remarks.join(QLatin1Char('\n')), QString(),
                   QMessageBox::Information);
}

void installFileDrops(MainWindow& window)
{
    window.setAcceptDrops(true);
    window.installEventFilter(new FileDrops(window));
}
