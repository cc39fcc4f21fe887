#pragma once
// ChannelDelegate: the in-place editors of the channel table, one kind per column: a text box for
// the frequencies (objectName "editFreq"), an editable tone list ("cmbTone") and the lists of the
// flags ("cmbBusy", "cmbWidth", "cmbScanAdd", "cmbPower"). An editor lies exactly over its cell.
// It commits nothing itself: the keys of an open editor go to the table (ChannelTable), which
// commits with the document's checks.

#include <QStyledItemDelegate>

class ChannelTable;

class ChannelDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit ChannelDelegate(ChannelTable* table);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    // Loads an editor with the cell's text: a list selects its first entry that begins with the
    // text, case ignored (entry 0 when none does); the text box takes the text as it is.
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // The text an editor holds.
    static QString editorText(const QWidget* editor);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ChannelTable* m_table;
};
