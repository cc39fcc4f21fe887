#include "app/edit_controller.h"

#include "core/editing/channel_rows.h"
#include "document/channel_model.h"
#include "document/document.h"
#include "document/message_text.h"
#include "widgets/form_view.h"
#include "widgets/grid/channel_table.h"
#include "widgets/message_box.h"
#include "widgets/modal_dialog.h"
#include "widgets/optional_features_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QUndoStack>

namespace {

const QString kCsvMime = QStringLiteral("text/csv");

} // namespace

EditController::EditController(FormView& view, Document& doc, QObject* parent)
    : QObject(parent), m_view(view), m_document(doc)
{
}

void EditController::copy()
{
    m_view.commitPendingEdit();
    const std::vector<int> channels = m_view.grid()->selectedChannels();
    const orvo::RadioImage& image = m_document.image();
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(orvo::channelRowsText(image, channels, '\t')));
    data->setData(kCsvMime, QByteArray::fromStdString(orvo::channelRowsText(image, channels, ',')));
    QApplication::clipboard()->setMimeData(data);
}

void EditController::cut()
{
    copy();
    emptyChannels(true);
}

void EditController::deleteChannels()
{
    emptyChannels(false);
}

void EditController::emptyChannels(bool cut)
{
    m_view.commitPendingEdit();
    const std::vector<int> channels = m_view.grid()->selectedChannels();
    if (channels.empty())
        return;
    std::vector<std::pair<int, orvo::ChannelTexts>> rows;
    for (int channel : channels)
        rows.emplace_back(channel, orvo::ChannelTexts{});
    const bool one = channels.size() == 1;
    const QString text = cut ? (one ? tr("Cut channel %1") : tr("Cut %1 channels"))
                             : (one ? tr("Delete channel %1") : tr("Delete %1 channels"));
    m_document.setRows(rows, text.arg(one ? static_cast<qsizetype>(channels.front())
                                          : static_cast<qsizetype>(channels.size())));
}

void EditController::paste()
{
    m_view.commitPendingEdit();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data)
        return;
    const QString text = data->hasText() ? data->text() : QString::fromUtf8(data->data(kCsvMime));
    const std::vector<int> channels = m_view.grid()->selectedChannels();
    if (text.trimmed().isEmpty() || channels.empty())
        return;
    // A header line in the window's words is a header too.
    std::vector<std::string> names;
    for (int c = 0; c < static_cast<int>(orvo::channelColumnHeaders().size()); ++c)
        names.push_back(translatedWord(orvo::channelColumnHeaders()[static_cast<std::size_t>(c)])
                            .toStdString());
    const orvo::PastedRows pasted = orvo::pasteChannelRows(text.toStdString(), channels.front(),
                                                           m_document.selectedBand(), names);
    if (!pasted.rows.empty()) {
        m_document.setRows(pasted.rows, pasted.rows.size() == 1
                                            ? tr("Paste channel %1").arg(pasted.rows[0].first)
                                            : tr("Paste %1 channels").arg(pasted.rows.size()));
    }
    if (pasted.refused.empty() && pasted.firstUnfitRow == 0)
        return;
    QStringList lines;
    if (!pasted.refused.empty())
        lines << (pasted.rows.empty() ? tr("Nothing was pasted. Refused cells:")
                                      : tr("The other rows were pasted. Refused cells:"));
    for (const orvo::RefusedCell& cell : pasted.refused) {
        lines << tr("Channel %1, %2: %3")
                     .arg(cell.channel)
                     .arg(cell.column == 0 ? tr("row") : ChannelModel::columnName(cell.column),
                          translatedText(cell.reason));
    }
    // Rows that found no channel are named too: the paste must not lose them without a word.
    if (pasted.firstUnfitRow == pasted.lastUnfitRow && pasted.firstUnfitRow > 0)
        lines << tr("Row %1 did not fit below channel 16").arg(pasted.firstUnfitRow);
    else if (pasted.firstUnfitRow > 0)
        lines << tr("Rows %1-%2 did not fit below channel 16")
                     .arg(pasted.firstUnfitRow)
                     .arg(pasted.lastUnfitRow);
    messageBox(m_view.window(), lines.join(QLatin1Char('\n')));
}

void EditController::moveUp()
{
    move(-1);
}

void EditController::moveDown()
{
    move(1);
}

bool EditController::canMove(int by) const
{
    const std::vector<int> channels = m_view.grid()->selectedChannels();
    return !channels.empty() && channels.front() + by >= 1 &&
           channels.back() + by <= orvo::kChannelCount;
}

void EditController::move(int by)
{
    m_view.commitPendingEdit();
    ChannelTable* grid = m_view.grid();
    const std::vector<int> channels = grid->selectedChannels();
    if (channels.empty())
        return;
    const int count = channels.back() - channels.front() + 1;
    if (m_document.moveChannels(channels.front(), count, by))
        grid->selectChannels(channels.front() + by, count);
}

void EditController::undo()
{
    m_view.commitPendingEdit();
    m_document.undoStack()->undo();
}

void EditController::redo()
{
    m_view.commitPendingEdit();
    m_document.undoStack()->redo();
}

void EditController::optionalFeatures()
{
    OptionalFeaturesDialog dialog(m_view.window());
    dialog.setFeatures(m_document.optionalFeatures());
    if (execDialog(dialog) == QDialog::Accepted)
        m_document.setOptionalFeatures(dialog.features());
}
