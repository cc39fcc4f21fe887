// The form's keys and hints, and the Edit menu's commands on channel rows: Enter on a setting
// list moves on as Tab does (the grid walks its rows itself, grid/channel_table.h), the
// status-bar hint of the control under the mouse, and copy, cut, paste, delete and move of
// rows. Typing into a cell never touches the clipboard; only these commands do.
#include "widgets/form_view.h"

#include "core/editing/channel_rows.h"
#include "document/channel_model.h"
#include "document/document.h"
#include "widgets/grid/channel_table.h"
#include "widgets/message_box.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QMimeData>

namespace {

const QString kHintComboBox = QStringLiteral("Please click the CommBox to choose value");
const QString kHintGrid = QStringLiteral("Please Click the cell to edit or input data");
// The comma is the full-width U+FF0C.
const QString kHintElsewhere = QStringLiteral("For help\uFF0Cplease press F1");
const QString kCsvMime = QStringLiteral("text/csv");

void sendKey(QWidget* target, Qt::Key key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
}

} // namespace

bool FormView::PreTranslateMessage(QWidget* focus, QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    if (focus == m_grid || m_grid->isAncestorOf(focus))
        return false; // the grid and its editors handle Enter themselves
    sendKey(focus, Qt::Key_Tab);
    return true;
}

void FormView::OnSetCursor(QWidget* under)
{
    if (!under)
        return;
    QString hint = kHintElsewhere;
    for (QWidget* w = under; w && w != this; w = w->parentWidget()) {
        if (qobject_cast<QComboBox*>(w)) {
            hint = kHintComboBox;
            break;
        }
        if (w->objectName() == QLatin1String("editFreq"))
            break;
        if (w == m_grid) {
            hint = kHintGrid;
            break;
        }
    }
    emit statusHint(hint);
}

void FormView::OnLeaveCellGrid()
{
    m_grid->commitEdit();
}

void FormView::OnEditCopy()
{
    m_grid->commitEdit();
    const std::vector<int> channels = m_grid->selectedChannels();
    const orvo::RadioImage& image = m_pDocument->image();
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(orvo::channelRowsText(image, channels, '\t')));
    data->setData(kCsvMime, QByteArray::fromStdString(orvo::channelRowsText(image, channels, ',')));
    QApplication::clipboard()->setMimeData(data);
}

void FormView::OnEditCut()
{
    OnEditCopy();
    OnEditDelete();
}

void FormView::OnEditDelete()
{
    m_grid->commitEdit();
    const std::vector<int> channels = m_grid->selectedChannels();
    if (channels.empty())
        return;
    std::vector<std::pair<int, orvo::ChannelTexts>> rows;
    for (int channel : channels)
        rows.emplace_back(channel, orvo::ChannelTexts{});
    m_pDocument->setRows(rows, channels.size() == 1
                                   ? tr("Delete channel %1").arg(channels.front())
                                   : tr("Delete %1 channels").arg(channels.size()));
}

void FormView::OnEditPaste()
{
    m_grid->commitEdit();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data)
        return;
    const QString text =
        data->hasText() ? data->text() : QString::fromUtf8(data->data(kCsvMime));
    const std::vector<int> channels = m_grid->selectedChannels();
    if (text.trimmed().isEmpty() || channels.empty())
        return;
    const orvo::PastedRows pasted = orvo::pasteChannelRows(
        text.toStdString(), channels.front(), m_pDocument->selectedBand());
    if (!pasted.rows.empty()) {
        m_pDocument->setRows(pasted.rows, pasted.rows.size() == 1
                                              ? tr("Paste channel %1").arg(pasted.rows[0].first)
                                              : tr("Paste %1 channels").arg(pasted.rows.size()));
    }
    if (pasted.refused.empty())
        return;
    QStringList lines;
    for (const orvo::RefusedCell& cell : pasted.refused) {
        lines << tr("Channel %1, %2: %3")
                     .arg(cell.channel)
                     .arg(cell.column == 0 ? tr("row") : ChannelModel::columnName(cell.column),
                          QString::fromStdString(cell.reason));
    }
    AppMessageBox(window(),
                  (pasted.rows.empty() ? tr("Nothing was pasted. Refused cells:")
                                       : tr("The other rows were pasted. Refused cells:")) +
                      QLatin1Char('\n') + lines.join(QLatin1Char('\n')));
}

void FormView::OnEditMoveUp()
{
    m_grid->commitEdit();
    const std::vector<int> channels = m_grid->selectedChannels();
    if (!channels.empty() &&
        m_pDocument->moveChannels(channels.front(), channels.back() - channels.front() + 1, -1))
        m_grid->selectChannels(channels.front() - 1, channels.back() - channels.front() + 1);
}

void FormView::OnEditMoveDown()
{
    m_grid->commitEdit();
    const std::vector<int> channels = m_grid->selectedChannels();
    if (!channels.empty() &&
        m_pDocument->moveChannels(channels.front(), channels.back() - channels.front() + 1, 1))
        m_grid->selectChannels(channels.front() + 1, channels.back() - channels.front() + 1);
}
