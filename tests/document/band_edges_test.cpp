// The band's edges through every check that looks at the band: the lowest and highest frequency
// of each of the four bands and one 6.25 kHz step inside and outside them, typed into a cell,
// imported from CSV, pasted, listed before Save and Write (the window's colour and tooltip,
// orvo-cli write's list) and held to by the test mode's frequencies. One table; each check must
// agree with the band's inclusive limits.
#include "core/editing/band_check.h"
#include "core/editing/channel_rows.h"
#include "core/formats/channel_csv.h"
#include "core/image/number_text.h"
#include "core/testmode/debug_frequency.h"
#include "document/channel_model.h"
#include "document/document.h"

#include <QColor>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using namespace orvo;

// The Field entries and their limits in MHz.
const struct
{
    const char* field;
    double lowest, highest;
} kBands[] = {{"136 - 174MHz", 136, 174},
              {"350 - 400MHz", 350, 400},
              {"400 - 470MHz", 400, 470},
              {"430 - 500MHz", 430, 500}};

struct Row
{
    int field;
    std::string text; // "%.5f"
    bool inside;
    bool nearLowest;
};

std::vector<Row> rows()
{
    std::vector<Row> out;
    for (int f = 0; f < 4; ++f) {
        for (double edge : {kBands[f].lowest, kBands[f].highest}) {
            const bool low = edge == kBands[f].lowest;
            for (int steps : {-1, 0, 1}) {
                char text[32];
                std::snprintf(text, sizeof text, "%.5f", edge + steps * 0.00625);
                out.push_back({f, text, low ? steps >= 0 : steps <= 0, low});
            }
        }
    }
    return out;
}

std::string rowLine(const std::string& text, char separator)
{
    const std::string s(1, separator);
    return text + s + text + s + s + s + "No" + s + "Wide" + s + "Add" + s + "High";
}

TEST(BandEdges, EveryCheckTakesTheBandsLimitsAsInclusive)
{
    Document doc;
    const ChannelModel& model = *doc.channelModel();
    for (const Row& row : rows()) {
        const std::string bandText = kBands[row.field].field;
        SCOPED_TRACE(row.text + " in " + bandText);
        doc.resetImage(RadioImage::makeNew());
        doc.setSelection(SettingBox::Field, row.field);
        ASSERT_EQ(doc.selectionText(SettingBox::Field).toStdString(), bandText);
        const auto band = doc.selectedBand();

        // Typed, both ways of ending the edit; the window's cell.
        for (auto variant : {CommitVariant::LeaveCell, CommitVariant::Enter}) {
            const FrequencyCheck check = checkFrequency(row.text, band, variant);
            EXPECT_EQ(check.accepted(), row.inside);
            EXPECT_EQ(check.text, row.inside ? row.text : "");
        }
        doc.channelModel()->setData(model.index(0, 1), QString::fromStdString(row.text),
                                    Qt::EditRole);
        EXPECT_EQ(doc.channelTexts(1)[0], row.inside ? row.text : "");

        // Imported and pasted.
        RadioImage image = doc.image();
        const std::string header = "CH,Receive(MHz),Transmit(MHz),Rx Tone,Tx Tone,Busy,W/N,Scan,"
                                   "Power\n";
        EXPECT_EQ(importChannelCsv(header + "1," + rowLine(row.text, ',') + "\n", image).empty(),
                  row.inside);
        const PastedRows pasted = pasteChannelRows(rowLine(row.text, '\t') + "\n", 1, band);
        EXPECT_EQ(pasted.rows.size(), row.inside ? 1u : 0u);

        // Stored anyway (a file, a read): listed before Save and Write, the same lines in the
        // window (the cells' colour and tooltip) and in orvo-cli.
        image = doc.image();
        encodeChannel({row.text, row.text, "", "", "No", "Wide", "Add", "High"}, image, 1);
        selectBand(image, row.field);
        const std::vector<std::string> listed = messageLines(outOfBandChannels(image));
        doc.resetImage(image);
        std::vector<std::string> tips;
        for (int column : {1, 2}) {
            const QModelIndex cell = model.index(0, column);
            EXPECT_EQ(cell.data(Qt::ForegroundRole).isValid(), !row.inside);
            if (!row.inside)
                tips.push_back(cell.data(Qt::ToolTipRole).toString().toStdString());
        }
        EXPECT_EQ(tips, listed);
        if (!row.inside) {
            EXPECT_EQ(listed.front(),
                      "Channel 1 Receive " + row.text + " lies outside " + bandText);
        }
        EXPECT_EQ(listed.size(), row.inside ? 0u : 2u);

        // The test mode's frequencies start at the lower edge that the Field's text names.
        if (row.nearLowest) {
            const double base = leadingNumber(bandText);
            const auto units = static_cast<std::int64_t>(kBands[row.field].lowest * 100000);
            EXPECT_EQ(confirmDebugFrequencyUnits(row.text, base, DebugStep::Khz6_25),
                      row.inside ? static_cast<std::int64_t>(frequencyUnits(row.text)) : units);
        }
    }
}

} // namespace
