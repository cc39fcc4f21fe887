// The document and its channel model without any window: commits and their undo and redo down to
// the bytes, paste, and the modified flag following the undo stack.
#include "editor/channel_model.h"
#include "editor/channel_rows.h"
#include "editor/document.h"

#include <QUndoStack>

#include <gtest/gtest.h>

namespace {

using orvo::SettingBox;
constexpr int k400to470 = 2; // Field entry "400 - 470MHz"

// A document on the 400 - 470 MHz band, as opened.
void prepare(Document& doc)
{
    orvo::RadioImage image = orvo::RadioImage::makeNew();
    orvo::SettingSelections selections = orvo::initialSelections();
    orvo::decodeSettings(image, selections);
    selections[static_cast<std::size_t>(SettingBox::Field)] = k400to470;
    orvo::encodeSettings(selections, image);
    doc.resetImage(image);
}

struct Edit
{
    int channel;
    int column;
    const char* text;
};

// Each edit as a cell editor leaves it: through the model.
void apply(Document& doc, const std::vector<Edit>& edits)
{
    QAbstractItemModel* model = doc.channelModel();
    for (const Edit& e : edits)
        model->setData(model->index(e.channel - 1, e.column), QString::fromLatin1(e.text));
}

} // namespace

TEST(Document, UndoAndRedoReachTheBytesOfTheSameStateReachedDirectly)
{
    const std::vector<Edit> edits{{1, 1, "446.1"}, {2, 1, "440.5"}, {1, 3, "D023N"},
                                  {2, 8, "Low"},   {1, 1, ""},      {6, 2, "450"}};
    for (int kept = 0; kept <= static_cast<int>(edits.size()); ++kept) {
        Document doc;
        prepare(doc);
        const orvo::RadioImage saved = doc.image();
        apply(doc, edits);
        doc.setSelection(SettingBox::Beep, 1);
        doc.setOptionalFeatures({true, true});
        doc.undoStack()->undo();
        doc.undoStack()->undo();
        for (int i = static_cast<int>(edits.size()); i > kept; --i)
            doc.undoStack()->undo();

        Document direct;
        prepare(direct);
        apply(direct, {edits.begin(), edits.begin() + kept});
        EXPECT_EQ(doc.image(), direct.image()) << kept;
        EXPECT_EQ(doc.isModified(), kept > 0) << kept;

        while (doc.undoStack()->canUndo())
            doc.undoStack()->undo();
        EXPECT_EQ(doc.image(), saved);
        EXPECT_FALSE(doc.isModified());
        while (doc.undoStack()->canRedo())
            doc.undoStack()->redo();
        EXPECT_TRUE(doc.optionalFeatures().squelchTail);
        EXPECT_TRUE(doc.isModified());
    }
}

TEST(Document, StepsHaveTheirTextsAndABandChangeTellsTheCells)
{
    Document doc;
    prepare(doc);
    apply(doc, {{1, 1, "446.1"}});
    EXPECT_EQ(doc.undoStack()->undoText(), QStringLiteral("Edit channel 1 Receive"));
    doc.setSelection(SettingBox::Field, 0); // now outside the band: said in the cell's tooltip
    EXPECT_EQ(doc.channelModel()->index(0, 1).data(Qt::ToolTipRole).toString(),
              QStringLiteral("Channel 1 Receive 446.10000 lies outside 136 - 174MHz"));
    doc.undoStack()->undo();
    doc.setSelection(SettingBox::Type, 0); // the one shown: the band stays, nothing to undo
    EXPECT_NE(doc.selection(SettingBox::Field), 0);
    EXPECT_EQ(doc.undoStack()->index(), 1);
    EXPECT_FALSE(doc.moveChannels(16, 1, 1)); // no channel below the last
}

TEST(Document, PasteTakesGoodRowsAndListsRefusedCells)
{
    struct Case
    {
        const char* text;
        std::size_t rows;
        std::vector<std::pair<int, int>> refused; // channel, column
    };
    const std::vector<Case> cases{
        {"446.1\t446.1\tOff\tOff\tNo\tWide\tAdd\tHigh\n12\t\t\t\t\t\t\t\n"
         "440\t440\tnope\tOff\tmaybe\tWide\tAdd\tHigh\n",
         1,
         {{4, 1}, {5, 3}, {5, 5}}},
        {"162.5\t\t\t\t\t\t\t\n\t\t\t\tYes\t\t\t\n", 0, {{3, 1}, {4, 5}}},
        {"1,446.1,,,,,,,\n", 1, {}}, // CSV
    };
    for (const Case& c : cases) {
        const orvo::PastedRows pasted =
            orvo::pasteChannelRows(c.text, 3, orvo::bandLimitsForField(k400to470));
        EXPECT_EQ(pasted.rows.size(), c.rows) << c.text;
        std::vector<std::pair<int, int>> refused;
        for (const orvo::RefusedCell& cell : pasted.refused)
            refused.emplace_back(cell.channel, cell.column);
        EXPECT_EQ(refused, c.refused) << c.text;
    }
}
