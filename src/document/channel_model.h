#pragma once
// ChannelModel: the channel table of a Document as an item model. Rows 0..15 are channels 1..16;
// column 0 holds the channel number, columns 1..8 the cell texts the core decodes (Receive,
// Transmit, Rx Tone, Tx Tone, Busy, W/N, Scan, Power). setData is the one way a cell is committed:
// its EditRole commits as leaving the cell does, EnterRole as Enter does, each through the
// document's checks. A frequency outside the band the Field box selects shows in another colour,
// with a tooltip naming the band.

#include "core/editing/frequency_check.h"

#include <QAbstractTableModel>

class Document;

class ChannelModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // setData with EnterRole commits the text as Enter in the cell's editor does; a refused
    // frequency changes nothing with either role.
    static constexpr int EnterRole = Qt::UserRole + 1;

    ChannelModel(Document* doc, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The short name of a column (1..8) as undo steps and messages give it: "Receive", "W/N".
    static QString columnName(int column);
    // Columns 1 (Receive) and 2 (Transmit) hold frequencies.
    static bool isFrequencyColumn(int column);
    // The colour of a frequency outside the selected band.
    static QColor outOfBandColor();

    // What setData(index, text, role) finds, changing nothing: the frequency check with the
    // messages to show in order, and whether Enter keeps the editor open. Empty for a cell or
    // role setData does not take.
    orvo::CommitOutcome check(const QModelIndex& index, const QString& text, int role) const;

private:
    static bool isCommitRole(int role) { return role == Qt::EditRole || role == EnterRole; }
    static orvo::CommitVariant variantOf(int role);

    Document* m_doc;
};
