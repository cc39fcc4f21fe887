#pragma once
// EditController: the commands that edit the document beyond typing into the form: the Edit
// menu's commands on the grid's channel rows, Undo and Redo, and Program > Optional Features.
// The row commands, Undo and Redo commit the edit in progress first; each change is one undoable
// step of the document.
// Typing into a cell never touches the clipboard; only these commands do.

#include <QObject>

class Document;
class FormView;

class EditController : public QObject
{
    Q_OBJECT

public:
    // Works on the rows selected in `view`'s grid (the current one when none is) and on `doc`,
    // the document `view` shows.
    EditController(FormView& view, Document& doc, QObject* parent = nullptr);

    // The rows to the clipboard as tab-separated text and as channel CSV.
    void copy();
    // Copy, then Delete.
    void cut();
    // Puts the rows of the clipboard onto the rows from the first selected one on, each cell
    // with the checks of typing; refused cells are listed in one message.
    void paste();
    // Empties the rows.
    void deleteChannels();
    // Shifts the rows one place up or down, their selection with them; nothing at the edge.
    void moveUp();
    void moveDown();
    // Undoes or redoes the last step of the document's undo stack.
    void undo();
    void redo();
    // Program > Optional Features: the dialog, and on OK the features into the document.
    void optionalFeatures();

    // Move Up and Move Down can do something for the rows selected now (not at the edge).
    bool canMove(int by) const;

private:
    void move(int by);
    // Empties the rows as one step named after Cut or Delete.
    void emptyChannels(bool cut);

    FormView& m_view;
    Document& m_document;
};
