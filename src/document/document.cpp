#include "document/document.h"

#include "document/channel_model.h"
#include "document/message_text.h"

#include <QFileInfo>
#include <QUndoCommand>
#include <QUndoStack>

namespace {

constexpr std::uint8_t kRefuseAlertOff = 0x08; // bit 3 set: "Off"
constexpr std::size_t kSquelchTailByte = 0x3F0;
constexpr std::uint8_t kSquelchTailOn = 0x80; // bit 7

// One step of the undo stack: the whole state before and after.
class StateCommand final : public QUndoCommand
{
public:
    StateCommand(Document* doc, Document::State before, Document::State after, const QString& text)
        : QUndoCommand(text), m_doc(doc), m_before(std::move(before)), m_after(std::move(after))
    {
    }
    void undo() override { m_doc->restoreState(m_before); }
    void redo() override { m_doc->restoreState(m_after); }

private:
    Document* m_doc;
    Document::State m_before;
    Document::State m_after;
};

void setBit(orvo::RadioImage& image, std::size_t offset, std::uint8_t bit, bool on)
{
    if (on)
        image[offset] |= bit;
    else
        image[offset] &= static_cast<std::uint8_t>(~bit);
}

} // namespace

Document::Document(QObject* parent)
    : QObject(parent), m_undo(new QUndoStack(this)), m_model(new ChannelModel(this, this))
{
    // The boxes start from their first selections; the image of the first New or Open decodes
    // over them (an image of another radio keeps them for Type and Field).
    m_state.image = orvo::RadioImage::makeNew();
    m_state.selections = orvo::initialSelections();
    for (int channel = 1; channel <= orvo::kChannelCount; ++channel)
        m_state.texts[static_cast<std::size_t>(channel - 1)] =
            orvo::decodeChannel(m_state.image, channel);
    connect(m_undo, &QUndoStack::indexChanged, this, [this] {
        m_marked = false;
        emitModified();
    });
}

Document::~Document() = default;

orvo::ChannelTexts Document::channelTexts(int channel) const
{
    return m_state.texts[static_cast<std::size_t>(channel - 1)];
}

Document::State Document::normalized(const orvo::RadioImage& image) const
{
    // What the form shows of the image, stored back as Save stores it.
    State state{image, m_state.selections, {}, orvo::isZt4Image(image)};
    orvo::decodeSettings(image, state.selections);
    for (int channel = 1; channel <= orvo::kChannelCount; ++channel) {
        auto& texts = state.texts[static_cast<std::size_t>(channel - 1)];
        texts = orvo::decodeChannel(image, channel);
        orvo::encodeChannel(texts, state.image, channel);
    }
    orvo::encodeSettings(state.selections, state.image);
    return state;
}

void Document::resetImage(const orvo::RadioImage& image, const QString& filePath)
{
    setFilePath(filePath);
    m_undo->clear();
    restoreState(normalized(image));
    setModified(false);
}

void Document::applyImage(const orvo::RadioImage& image, const QString& undoText)
{
    const State after = normalized(image);
    if (after == m_state) {
        // Nothing to undo, yet the image came from outside: ask before it is dropped.
        m_marked = true;
        emitModified();
    }
    pushState(after, undoText);
}

void Document::replaceWithRadioImage(const orvo::RadioImage& image, const QString& undoText)
{
    applyImage(image, undoText);
    m_filePath.clear();
    setModified(true);
}

void Document::setFilePath(const QString& path)
{
    m_filePath = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
}

QString Document::title() const
{
    return hasFile() ? QFileInfo(m_filePath).fileName() : tr("Untitled");
}

void Document::restoreState(const State& state)
{
    m_state = state;
    emit changed();
}

void Document::pushState(const State& after, const QString& text)
{
    if (after == m_state)
        return;
    m_undo->push(new StateCommand(this, m_state, after, text));
}

int Document::selection(orvo::SettingBox box) const
{
    return m_state.selections[static_cast<std::size_t>(box)];
}

QString Document::selectionText(orvo::SettingBox box) const
{
    const int index = selection(box);
    const auto& entries = orvo::settingBoxes()[static_cast<std::size_t>(box)].entries;
    if (index < 0 || index >= static_cast<int>(entries.size()))
        return {};
    return QString::fromStdString(entries[static_cast<std::size_t>(index)]);
}

void Document::setSelection(orvo::SettingBox box, int index)
{
    const bool type = box == orvo::SettingBox::Type && index == 0;
    if (selection(box) == index && (!type || m_state.ownType))
        return;
    State after = m_state;
    after.selections[static_cast<std::size_t>(box)] = index;
    if (type) {
        after.ownType = true;
        after.selections[static_cast<std::size_t>(orvo::SettingBox::Field)] = 0;
        orvo::applyTypeSelection(after.image);
    }
    orvo::encodeSettings(after.selections, after.image);
    const auto& info = orvo::settingBoxes()[static_cast<std::size_t>(box)];
    pushState(after, tr("Choose %1").arg(translatedWord(info.label).simplified()));
}

std::optional<orvo::BandLimits> Document::selectedBand() const
{
    return orvo::bandLimitsForField(selection(orvo::SettingBox::Field));
}

OptionalFeatures Document::optionalFeatures() const
{
    return {(image()[orvo::kFunctionByte] & kRefuseAlertOff) != 0,
            (image()[kSquelchTailByte] & kSquelchTailOn) != 0};
}

void Document::setOptionalFeatures(const OptionalFeatures& features)
{
    State after = m_state;
    setBit(after.image, orvo::kFunctionByte, kRefuseAlertOff, features.refuseAlertOff);
    setBit(after.image, kSquelchTailByte, kSquelchTailOn, features.squelchTail);
    pushState(after, tr("Optional Features"));
}

orvo::CommitOutcome Document::commitCell(int channel, int column, const QString& text,
                                         orvo::CommitVariant variant)
{
    orvo::ChannelTexts texts = channelTexts(channel);
    const orvo::CommitOutcome outcome =
        orvo::commitEditorText(texts, column, text.toStdString(), selectedBand(), variant);
    if (outcome.check && !outcome.check->accepted())
        return outcome;
    setRows({{channel, texts}},
            tr("Edit channel %1 %2").arg(channel).arg(ChannelModel::columnName(column)));
    return outcome;
}

void Document::setRows(const std::vector<std::pair<int, orvo::ChannelTexts>>& rows,
                       const QString& undoText)
{
    State after = m_state;
    for (const auto& [channel, texts] : rows) {
        after.texts[static_cast<std::size_t>(channel - 1)] = texts;
        orvo::encodeChannel(texts, after.image, channel);
    }
    pushState(after, undoText);
}

bool Document::moveChannels(int first, int count, int by)
{
    const int last = first + count - 1;
    if (count < 1 || first < 1 || last > orvo::kChannelCount || first + by < 1 ||
        last + by > orvo::kChannelCount)
        return false;
    // The block moves by one place; the channel it passes takes the freed place. Whole records
    // move, so nothing of a channel is lost.
    std::vector<int> order(orvo::kChannelCount + 1);
    for (int c = 0; c <= orvo::kChannelCount; ++c)
        order[static_cast<std::size_t>(c)] = c;
    const int passed = by < 0 ? first - 1 : last + 1;
    for (int c = first; c <= last; ++c)
        order[static_cast<std::size_t>(c + by)] = c;
    order[static_cast<std::size_t>(by < 0 ? last : first)] = passed;
    State after = m_state;
    for (int c = 1; c <= orvo::kChannelCount; ++c) {
        const int source = order[static_cast<std::size_t>(c)];
        const std::uint8_t* from = m_state.image.record(source);
        std::copy(from, from + orvo::kRecordSize, after.image.record(c));
        after.texts[static_cast<std::size_t>(c - 1)] =
            m_state.texts[static_cast<std::size_t>(source - 1)];
    }
    pushState(after, by < 0 ? tr("Move channel up") : tr("Move channel down"));
    return true;
}

bool Document::isModified() const
{
    return m_marked || !m_undo->isClean();
}

void Document::setModified(bool modified)
{
    m_marked = modified;
    if (modified)
        m_undo->resetClean(); // no state in the undo history is saved any more
    else
        m_undo->setClean();
    emitModified();
}

void Document::emitModified()
{
    const bool now = isModified();
    if (now != m_lastModified) {
        m_lastModified = now;
        emit modifiedChanged(now);
    }
}
