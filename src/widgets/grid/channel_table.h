#pragma once
// ChannelTable: the channel grid over a Document's ChannelModel. Column 0 shows the channel
// numbers and selects whole rows; the cells of columns 1..8 are edited in place: a click or a
// double click opens the cell's editor, a typed character opens it with that character (not in
// the W/N column), Enter commits and walks on through the row (from Power to the next row's
// Receive; from row 16's Power out of the grid), Up and Down commit the frequency box and move
// (in a list they pick an entry), Tab and Shift+Tab commit and leave the grid, Escape closes the
// editor and keeps the cell. Leaving a cell commits its editor as well. Every commit goes through
// the delegate to the model's setData, which runs the document's checks; once the commit has
// returned, the table shows their messages. A frequency Enter refuses keeps its editor open,
// emptied, and the cell its text; one Up or Down refuses closes the editor and keeps its cell
// current, the grid holding the keyboard.

#include "core/editing/frequency_check.h"
#include "widgets/grid/channel_delegate.h"

#include <QTableView>

#include <vector>

class ChannelModel;

class ChannelTable : public QTableView
{
    Q_OBJECT

public:
    explicit ChannelTable(QWidget* parent = nullptr);
    ~ChannelTable() override;

    // Shows `channels` (a document's channel model) with the form's column widths.
    void setChannelModel(ChannelModel* channels);

    // The editor open over a cell, or null.
    QWidget* openEditor() const;
    // Commits the open editor as leaving the cell does, closes it and shows the checks' messages;
    // false when its frequency was refused. Nothing, and true, when no editor is open.
    bool commitEdit();
    // Closes the open editor without committing it (the document was replaced).
    void cancelEdit();
    // Opens the editor of the current cell; `typed` is the character that starts the edit, null
    // when the mouse or Enter starts it.
    void beginEdit(QChar typed = {});

    // Channels (1..16) of the selected rows in order; the current cell's channel when no row
    // is selected.
    std::vector<int> selectedChannels() const;
    // Selects the rows of channels [first, first + count).
    void selectChannels(int first, int count);

signals:
    // An editor has been opened over a cell.
    void editorOpened(QWidget* editor);

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void changeEvent(QEvent* event) override;
    // Repaints the cells. The text in an open editor stays the user's until it is committed: a
    // change elsewhere in the document (a setting list picked) does not load it anew.
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = QList<int>()) override;

private:
    void applyGeometry();
    // Commits the open editor's text through the delegate, as Enter does (`enter`) or as leaving
    // the cell does, and returns what the model's checks found. Shows nothing.
    orvo::CommitOutcome commitEditor(QWidget* editor, bool enter);
    void closeEdit();
    // A key that ends the edit in the open editor: commits, closes and moves as the key says.
    void endEdit(QWidget* editor, ChannelDelegate::EditKey key);
    void enterInEditor(QWidget* editor);
    void leaveGrid(bool backwards);

    ChannelModel* m_model = nullptr;
    QModelIndex m_editIndex;
    // Set while the frequency box is empty only because Enter refused its text: committing that
    // emptiness keeps the cell's text instead of deleting the frequency. Typing clears it.
    bool m_freqRejected = false;
    bool m_committing = false;
};
