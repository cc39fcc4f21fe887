#pragma once
// ChannelModel: the channel table of a Document as an item model. Rows 0..15 are channels 1..16;
// column 0 holds the channel number, columns 1..8 the cell texts the core decodes (Receive,
// Transmit, Rx Tone, Tx Tone, Busy, W/N, Scan, Power). Setting a cell's EditRole commits it as
// leaving the cell does. A frequency outside the band the Field box selects shows in another
// colour, with a tooltip naming the band.

#include <QAbstractTableModel>

class Document;

class ChannelModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    ChannelModel(Document* doc, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The short name of a column (1..8) as undo steps and messages give it: "Receive", "W/N".
    static QString columnName(int column);
    // The colour of a frequency outside the selected band.
    static QColor outOfBandColor();

private:
    Document* m_doc;
};
