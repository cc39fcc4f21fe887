#pragma once
// Document: the radio image being edited and the one place every edit goes through. It holds the
// image exactly as Save and Write store it (channel texts and setting selections are encoded into
// it at once), the cell texts the grid shows, the selections of the ten setting boxes (the Type
// and Field of an image of another radio are not in its bytes), and the undo stack: each change
// is one undoable step. Views learn of changes through changed(); the modified flag follows the
// undo stack's clean state. The grid commits its cells through channelModel()'s setData. It also
// knows the file its data came from or went to; reading and writing files, and asking the user
// anything, is left to the controllers (app/file_controller.h).

#include "core/editing/frequency_check.h"
#include "core/image/channel_codec.h"
#include "core/image/radio_image.h"
#include "core/image/settings_codec.h"

#include <QObject>
#include <QString>

#include <array>
#include <optional>
#include <vector>

class ChannelModel;
class QUndoStack;

// The two features the form has no place for (Program > Optional Features).
struct OptionalFeatures
{
    bool refuseAlertOff = false; // Refuse Emergency Alert "Off" (0x3C0 bit 3 set)
    bool squelchTail = false;    // Squelch Tail Elimination (0x3F0 bit 7)
    bool operator==(const OptionalFeatures&) const = default;
};

class Document : public QObject
{
    Q_OBJECT

public:
    explicit Document(QObject* parent = nullptr);
    ~Document() override;

    // The image as Save, Write and the report take it.
    const orvo::RadioImage& image() const { return m_state.image; }
    // Texts of channel `channel` (1..16) as the grid shows them: decoded from the image, or as
    // the last commit wrote them ("Off" for a tone typed off, which decodes as empty).
    orvo::ChannelTexts channelTexts(int channel) const;

    // Starts over from `image` (New, Open) kept in the file `filePath` (empty: no file): the
    // selections are decoded from it, its channels and settings are encoded as the form holds
    // them, the undo history is dropped and the document is not modified.
    void resetImage(const orvo::RadioImage& image, const QString& filePath = QString());
    // Replaces the image (an import) as one undoable step named `undoText`, decoded and encoded
    // as resetImage does. The document is modified afterwards even when the bytes are the same.
    void applyImage(const orvo::RadioImage& image, const QString& undoText);
    // A completed read: applies the radio's image as one undoable step named `undoText` and
    // forgets the file, so a later Save asks for a name; the document stays modified until it is
    // saved, also after the read is undone (it has no file to be back at).
    void replaceWithRadioImage(const orvo::RadioImage& image, const QString& undoText);

    // Absolute path of the file the document was opened from or saved to; empty when it has none.
    QString filePath() const { return m_filePath; }
    bool hasFile() const { return !m_filePath.isEmpty(); }
    // The document has been saved as `path` (made absolute), or has no file (empty).
    void setFilePath(const QString& path);
    // The file's name, or "Untitled" without one.
    QString title() const;

    // Setting boxes: entry index, -1 = none selected.
    int selection(orvo::SettingBox box) const;
    orvo::SettingSelections selections() const { return m_state.selections; }
    // The entry text of a box's selection; empty when none is selected.
    QString selectionText(orvo::SettingBox box) const;
    // Picks an entry of a box (one undoable step when it changes anything). Picking the first
    // Type writes the Type's frequency-pair records and selects the first Field with it, also
    // when it is the Type already selected (a step only when that changes a byte).
    void setSelection(orvo::SettingBox box, int index);
    // The limits of the band the Field box selects; none when it selects none.
    std::optional<orvo::BandLimits> selectedBand() const;

    OptionalFeatures optionalFeatures() const;
    void setOptionalFeatures(const OptionalFeatures& features);

    // Commits the editor text `text` of column `column` (1..8) into channel `channel` as the cell
    // editor does (core/editing/frequency_check.h). A rejected frequency changes nothing;
    // otherwise a changed row is one undoable step "Edit channel N <column>". The grid reaches it
    // through ChannelModel::setData.
    orvo::CommitOutcome commitCell(int channel, int column, const QString& text,
                                   orvo::CommitVariant variant);

    // Writes whole rows (channel -> texts, taken as checked) as one undoable step.
    void setRows(const std::vector<std::pair<int, orvo::ChannelTexts>>& rows,
                 const QString& undoText);
    // Moves channels [first, first + count) one place up (-1) or down (+1) as one step; false
    // when they are already at the edge or the range leaves channels 1..16.
    bool moveChannels(int first, int count, int by);

    QUndoStack* undoStack() const { return m_undo; }
    ChannelModel* channelModel() const { return m_model; }

    // Modified: the undo stack is away from the state last saved or opened, or it was marked.
    bool isModified() const;
    // true marks the document modified until it is saved, whatever is undone or redone (a read
    // leaves no state that a file holds); false makes the present state the saved one.
    void setModified(bool modified);

    // Sets the state without recording a step (the undo stack's commands use it).
    struct State
    {
        orvo::RadioImage image;
        orvo::SettingSelections selections;
        std::array<orvo::ChannelTexts, orvo::kChannelCount> texts;
        // The image came from a radio of this type, or the Type was picked since: picking it
        // again then changes nothing (it would only reset the Field).
        bool ownType = true;
        bool operator==(const State&) const = default;
    };
    void restoreState(const State& state);

signals:
    // The image or a selection changed (an edit, an undo, a redo, New, Open, a read).
    void changed();
    void modifiedChanged(bool modified);

private:
    State normalized(const orvo::RadioImage& image) const;
    void pushState(const State& after, const QString& text);
    void emitModified();

    State m_state;
    QUndoStack* m_undo;
    ChannelModel* m_model;
    QString m_filePath;
    bool m_marked = false;
    bool m_lastModified = false;
};
