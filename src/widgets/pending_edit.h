#pragma once
// PendingEdit: what a command needs of the form before it saves, prints, replaces, transfers or
// copies the document: the edit in progress committed as leaving its cell would take it.

class PendingEdit
{
public:
    // Commits the edit in progress, with its checks, and closes its editor; nothing when no
    // editor is open.
    virtual void commitPendingEdit() = 0;

protected:
    ~PendingEdit() = default;
};
