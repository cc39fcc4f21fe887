// The document without a window: its channel model under Qt's model checker, and undo. After any
// seeded run of edits, undos, redos and saves, the document holds exactly the state (bytes, cell
// texts, selections) that the same edits reached directly, and it is modified exactly when that
// state is not the one last saved.
#include "document/channel_model.h"
#include "document/document.h"

#include <QAbstractItemModelTester>
#include <QUndoStack>

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace orvo;

struct Snapshot
{
    RadioImage image;
    SettingSelections selections;
    std::vector<ChannelTexts> texts;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(const Document& doc)
{
    Snapshot s{doc.image(), doc.selections(), {}};
    for (int ch = 1; ch <= kChannelCount; ++ch)
        s.texts.push_back(doc.channelTexts(ch));
    return s;
}

// Texts a user might give each column (1..8), good and bad.
const std::vector<std::vector<const char*>> kTyped = {
    {},
    {"446.00625", "146.52", "", "174", "500.001", "abc", "400"},
    {"446.1", "", "136.00625", "470"},
    {"Off", "67.0", "d023n", "", "254.1", "nope"},
    {"Off", "D754I", "", "88.5"},
    {"Yes", "No"},
    {"Wide", "Narrow"},
    {"Add", "Delete"},
    {"High", "Low"},
};

// One random edit, the way the window or a command makes it; true when it was a read.
bool edit(Document& doc, std::mt19937& rng)
{
    auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const int channel = 1 + pick(kChannelCount);
    switch (pick(6)) {
    case 0: { // a cell, through the model as the table commits it, or by Enter
        const int column = 1 + pick(8);
        const auto& texts = kTyped[static_cast<std::size_t>(column)];
        const QString text = QString::fromLatin1(
            texts[static_cast<std::size_t>(pick(static_cast<int>(texts.size())))]);
        if (pick(2))
            doc.channelModel()->setData(doc.channelModel()->index(channel - 1, column), text,
                                        Qt::EditRole);
        else
            doc.commitCell(channel, column, text, CommitVariant::Enter);
        break;
    }
    case 1: {
        const auto box = static_cast<SettingBox>(pick(10));
        const auto& entries = settingBoxes()[static_cast<std::size_t>(box)].entries;
        doc.setSelection(box, pick(static_cast<int>(entries.size())));
        break;
    }
    case 2:
        doc.setOptionalFeatures({pick(2) == 1, pick(2) == 1});
        break;
    case 3:
        doc.setRows({{channel, {"146.52000", "146.52000", "67.0", "", "No", "Wide", "Add", "Low"}},
                     {1 + pick(kChannelCount), {}}},
                    QStringLiteral("Paste"));
        break;
    case 4:
        doc.moveChannels(channel, 1 + pick(3), pick(2) ? 1 : -1);
        break;
    default: {
        RadioImage image = RadioImage::makeNew();
        for (std::size_t i = 0; i < 0x190; ++i)
            image[i] = static_cast<std::uint8_t>(rng());
        doc.applyImage(pick(3) ? image : doc.image(), QStringLiteral("Read from radio"));
        return true;
    }
    }
    return false;
}

TEST(DocumentUndo, AnyRunOfEditsUndosAndRedosHoldsTheStatesTheEditsReachedDirectly)
{
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 rng(seed);
        Document doc;
        QAbstractItemModelTester checker(doc.channelModel(),
                                         QAbstractItemModelTester::FailureReportingMode::Fatal);
        QUndoStack& undo = *doc.undoStack();
        std::vector<Snapshot> reached{snapshot(doc)}; // along the undo stack, index 0 the start
        int saved = 0;                                // the index saved last; -1: none of them
        bool marked = false;                          // a read that changed nothing
        for (int step = 0; step < 80; ++step) {
            const int action = static_cast<int>(rng() % 10);
            const Snapshot before = snapshot(doc);
            const int at = undo.index();
            if (action < 6) {
                const bool read = edit(doc, rng);
                const bool changed = !(snapshot(doc) == before);
                // One step exactly when something the user sees or saves changed.
                ASSERT_EQ(undo.index(), at + (changed ? 1 : 0)) << "step " << step;
                if (changed) {
                    reached.resize(static_cast<std::size_t>(at) + 1);
                    reached.push_back(snapshot(doc));
                    saved = saved > at ? -1 : saved;
                }
                // A read is unsaved data even when it brought what the document held.
                marked = changed ? false : marked || read;
            } else if (action < 8 && undo.canUndo()) {
                undo.undo();
                marked = false;
            } else if (action < 9 && undo.canRedo()) {
                undo.redo();
                marked = false;
            } else if (action == 9) {
                doc.setModified(false); // saved
                saved = undo.index();
                marked = false;
            }
            ASSERT_EQ(snapshot(doc), reached.at(static_cast<std::size_t>(undo.index())))
                << "step " << step;
            ASSERT_EQ(doc.isModified(), marked || undo.index() != saved) << "step " << step;
        }
    }
}

} // namespace
