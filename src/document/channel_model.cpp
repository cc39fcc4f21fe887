#include "document/channel_model.h"

#include "document/document.h"
#include "document/message_text.h"

#include <QColor>

namespace {

// What each column does, for the tooltips of the column headers.
const char* const kColumnHelp[] = {
    QT_TRANSLATE_NOOP("ChannelModel", "The channel number, as the radio's channel knob selects it"),
    QT_TRANSLATE_NOOP("ChannelModel", "Frequency the channel receives on, in MHz"),
    QT_TRANSLATE_NOOP("ChannelModel", "Frequency the channel transmits on, in MHz"),
    QT_TRANSLATE_NOOP("ChannelModel",
                      "Tone (CTCSS) or code (DCS) the channel needs to hear before it opens"),
    QT_TRANSLATE_NOOP("ChannelModel",
                      "Tone (CTCSS) or code (DCS) the channel sends with each transmission"),
    QT_TRANSLATE_NOOP(
        "ChannelModel",
        "Busy channel lock-out: Yes keeps the radio from transmitting on a busy channel"),
    QT_TRANSLATE_NOOP("ChannelModel", "Channel width: Wide (25 kHz) or Narrow (12.5 kHz)"),
    QT_TRANSLATE_NOOP("ChannelModel",
                      "Add takes the channel into the scan list, Delete leaves it out"),
    QT_TRANSLATE_NOOP("ChannelModel", "Transmit power: High or Low"),
};

} // namespace

ChannelModel::ChannelModel(Document* doc, QObject* parent) : QAbstractTableModel(parent), m_doc(doc)
{
    connect(doc, &Document::changed, this,
            [this] { emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1)); });
}

int ChannelModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : orvo::kChannelCount;
}

int ChannelModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : orvo::kColPower + 1;
}

QString ChannelModel::columnName(int column)
{
    QString name = translatedWord(orvo::channelColumnHeaders()[static_cast<std::size_t>(column)]);
    return name.remove(QStringLiteral("(MHz)"));
}

bool ChannelModel::isFrequencyColumn(int column)
{
    return column == orvo::kColReceive || column == orvo::kColTransmit;
}

QColor ChannelModel::outOfBandColor()
{
    return QColor(0xC0, 0x00, 0x00);
}

QVariant ChannelModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int channel = index.row() + 1;
    const int column = index.column();
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    if (column == 0)
        return role == Qt::DisplayRole ? QVariant(QString::number(channel)) : QVariant();
    const std::string text = m_doc->channelTexts(channel)[static_cast<std::size_t>(column - 1)];
    // The tone columns' Off and the flag columns' words are shown in the window's language; what
    // is edited, saved and copied stays the word itself.
    if (role == Qt::DisplayRole && column >= orvo::kColRxTone)
        return translatedWord(text);
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return QString::fromStdString(text);
    if ((role == Qt::ForegroundRole || role == Qt::ToolTipRole) && isFrequencyColumn(column) &&
        !text.empty()) {
        const auto band = m_doc->selectedBand();
        const auto units = orvo::frequencyUnits(text);
        if (!band || (units >= band->lowest && units <= band->highest))
            return {};
        if (role == Qt::ForegroundRole)
            return outOfBandColor();
        return tr("Channel %1 %2 %3 lies outside %4")
            .arg(channel)
            .arg(columnName(column), QString::fromStdString(text),
                 m_doc->selectionText(orvo::SettingBox::Field));
    }
    return {};
}

orvo::CommitVariant ChannelModel::variantOf(int role)
{
    return role == EnterRole ? orvo::CommitVariant::Enter : orvo::CommitVariant::LeaveCell;
}

orvo::CommitOutcome ChannelModel::check(const QModelIndex& index, const QString& text,
                                        int role) const
{
    if (!index.isValid() || index.column() == 0 || !isCommitRole(role))
        return {};
    orvo::ChannelTexts texts = m_doc->channelTexts(index.row() + 1);
    return orvo::commitEditorText(texts, index.column(), text.toStdString(),
                                  m_doc->selectedBand(), variantOf(role));
}

bool ChannelModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.column() == 0 || !isCommitRole(role))
        return false;
    const orvo::CommitOutcome outcome =
        m_doc->commitCell(index.row() + 1, index.column(), value.toString(), variantOf(role));
    return !(outcome.check && !outcome.check->accepted());
}

Qt::ItemFlags ChannelModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Qt::ItemFlags base = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return index.column() == 0 ? base : base | Qt::ItemIsEditable;
}

QVariant ChannelModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return translatedWord(orvo::channelColumnHeaders()[static_cast<std::size_t>(section)]);
    if (role == Qt::ToolTipRole)
        return tr(kColumnHelp[section]);
    return {};
}
