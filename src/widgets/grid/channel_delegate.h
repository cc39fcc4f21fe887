#pragma once
// ChannelDelegate: the in-place editors of the channel table, one kind per column: a text box for
// the frequencies (objectName "editFreq"), an editable tone list ("cmbTone") and the lists of the
// flags ("cmbBusy", "cmbWidth", "cmbScanAdd", "cmbPower"). An editor lies exactly over its cell.
// Its text reaches the cell only through the model's setData, with the model's checks. The keys
// that end an edit are reported to the table (editKeyPressed), which commits and moves on; a focus
// change alone commits nothing.

#include <QStyledItemDelegate>

class ChannelTable;

class ChannelDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    // The keys that end an edit in an open editor. Up and Down end it only in the frequency
    // box: in a list they pick the entry above or below.
    enum class EditKey { Enter, Escape, Up, Down, Tab, Backtab };

    explicit ChannelDelegate(ChannelTable* table);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    // Loads an editor with the cell's text: a list selects its first entry that begins with the
    // text, case ignored (entry 0 when none does); the text box takes the text as it is.
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    // Commits the editor's text as leaving the cell does: setData with Qt::EditRole.
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    // Commits the editor's text through the model's setData with `role`: Qt::EditRole as leaving
    // the cell does, ChannelModel::EnterRole as Enter does. False when the model refused it.
    bool commit(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index,
                int role) const;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // The text an editor holds.
    static QString editorText(const QWidget* editor);

signals:
    // `key` was pressed in the open editor `editor`; the editor has not seen it.
    void editKeyPressed(QWidget* editor, ChannelDelegate::EditKey key);

protected:
    // Takes the keys that end an edit and the row commands' keys from the open editor; passes
    // everything else, focus changes included, on to the editor untouched.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ChannelTable* m_table;
};
