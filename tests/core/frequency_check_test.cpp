#include "core/editing/frequency_check.h"
#include "core/image/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <vector>

namespace orvo {
namespace {

using F = FrequencyFault;
constexpr auto kLeave = CommitVariant::LeaveCell;
constexpr auto kEnter = CommitVariant::Enter;
const auto kUhf = bandLimitsForField(2); // 400 - 470 MHz
const auto kVhf = bandLimitsForField(0); // 136 - 174 MHz

std::vector<F> faults(std::string_view typed, std::optional<BandLimits> band, CommitVariant v)
{
    const FrequencyCheck check = checkFrequency(typed, band, v);
    return {check.faults().begin(), check.faults().end()};
}

TEST(FrequencyCheck, TextsAreCheckedForFormatBandAndStepAndShownWithFiveDecimals)
{
    const struct
    {
        const char* typed;
        std::optional<BandLimits> band;
        std::vector<F> faults;
        const char* shown;
    } cases[] = {
        {"446.00625", kUhf, {}, "446.00625"},   {"  446.1abc", kUhf, {}, "446.10000"},
        {"4.4605e2", kUhf, {}, "446.05000"},    {"+400", kUhf, {}, "400.00000"},
        {"446.005", kUhf, {}, "446.00500"}, // 5 kHz
        {"446.0062499", kUhf, {}, "446.00625"},                                     // +0.05 rounds
        {"174.000005", kVhf, {}, "174.00000"},  {"100.000005", std::nullopt, {}, "100.00000"},
        {"60", std::nullopt, {}, "60.00000"},   {"600", std::nullopt, {}, "600.00000"},
        {"480", std::nullopt, {}, "480.00000"}, // no band: no band check
        {"446.0025", kUhf, {F::Step}, ""}, // the band's edges are band_edges_test's
    };
    for (const auto& c : cases) {
        for (auto variant : {kLeave, kEnter}) {
            EXPECT_EQ(faults(c.typed, c.band, variant), c.faults) << c.typed;
            EXPECT_EQ(checkFrequency(c.typed, c.band, variant).text, c.shown) << c.typed;
        }
    }
    // Enter stops at the band fault.
    EXPECT_EQ(faults("500.001", kUhf, kLeave), (std::vector<F>{F::Band, F::Step}));
    EXPECT_EQ(faults("500.001", kUhf, kEnter), std::vector<F>{F::Band});
    for (const char* t : {"59.99999", "600.1", "43349.67296", "abc", "-446", "inf", "nan", "0x1C0",
                          "1e400", ".", "e5"})
        EXPECT_EQ(faults(t, kUhf, kLeave), std::vector<F>{F::Format}) << t;
}

TEST(NumberText, LeadingNumbersAndFixedTextsIgnoreTheLocale)
{
    const std::pair<const char*, double> leading[] = {
        {" \t-2.5e1x", -25.0}, {"1e", 1.0},           {"1,5", 1.0},
        {"1e-2", 0.01},        {"001e400", HUGE_VAL}, {"1e-400", 0.0},
    };
    for (const auto& [text, value] : leading)
        EXPECT_EQ(leadingNumber(text), value) << text;
    const std::int64_t kMost = 1'000'000'000'000'000'000;
    EXPECT_EQ(scaledLeadingNumber("1.5e1", 1), 150);
    EXPECT_EQ(scaledLeadingNumber("-0.99", 0), 0);
    EXPECT_EQ(scaledLeadingNumber("1e30", 1), kMost);
    EXPECT_EQ(scaledLeadingNumber("99999999999999999999", 0), kMost);
    EXPECT_EQ(formatFixed(0.000005, 5), "0.00001");
    EXPECT_TRUE(isPlainDecimal(" 1.5\t"));
}

// "a,b,,c" as the eight texts of a row.
ChannelTexts texts(const std::string& csv)
{
    ChannelTexts t;
    std::istringstream in(csv);
    for (std::string& cell : t)
        std::getline(in, cell, ',');
    return t;
}

TEST(RowCommit, EditorTextsChangeTheRowAsTheEditorRulesSay)
{
    const char* k446 = "446.00625,446.00625,Off,Off,No,Wide,Add,High";
    const struct
    {
        const char* row;
        int column;
        const char* typed;
        CommitVariant variant;
        const char* after;
        bool keepEditorOpen = false;
    } cases[] = {
        // The first receive frequency fills the row, the transmit frequency follows it.
        {"", kColReceive, "446.00625", kLeave, k446},
        {"", kColTransmit, "446.1", kEnter, ",446.10000,Off,Off,No,Wide,Add,High"},
        // A rejected frequency: leaving the cell empties it (and its tone), Enter keeps all.
        {k446, kColReceive, "500.001", kLeave, ",446.00625,,Off,No,Wide,Add,High"},
        {"", kColReceive, "480", kLeave, ""},
        {k446, kColTransmit, "480", kEnter, k446, true},
        // Emptying a frequency takes its tone; emptying both deletes the channel.
        {"446.00625,446.00625,67.0,D023N,No,Wide,Add,High", kColReceive, "", kLeave,
         ",446.00625,,D023N,No,Wide,Add,High"},
        {",446.00625,,D023N,No,Wide,Add,High", kColTransmit, "", kEnter, ""},
        // Tones take the entry they name or "OFF"; a plain number names its CTCSS tone; flags
        // take the word.
        {k446, kColRxTone, "67", kLeave, "446.00625,446.00625,67.0,Off,No,Wide,Add,High"},
        {k446, kColTxTone, "067.00", kEnter, "446.00625,446.00625,Off,67.0,No,Wide,Add,High"},
        {k446, kColRxTone, "67.05", kLeave, "446.00625,446.00625,OFF,Off,No,Wide,Add,High"},
        {k446, kColRxTone, "d023n", kEnter, "446.00625,446.00625,D023N,Off,No,Wide,Add,High"},
        {k446, kColBusy, "Yes", kLeave, "446.00625,446.00625,Off,Off,Yes,Wide,Add,High"},
        // An empty channel takes no tone and no flag; leaving a flag cell empties it.
        {",,,67.0", kColTxTone, "D023N", kEnter, ""},
        {",,,,,,,High", kColPower, "Low", kEnter, ",,,,,,,High"},
        {",,,,,,,High", kColPower, "Low", kLeave, ""},
        // A frequency into a row with a tone keeps the tone and brings only the flag defaults.
        {",,67.0", kColReceive, "446.00625", kLeave, "446.00625,,67.0,,No,Wide,Add,High"},
    };
    for (const auto& c : cases) {
        ChannelTexts row = texts(c.row);
        const CommitOutcome o = commitEditorText(row, c.column, c.typed, kUhf, c.variant);
        EXPECT_EQ(row, texts(c.after)) << c.column << " " << c.typed;
        EXPECT_EQ(o.keepEditorOpen, c.keepEditorOpen) << c.typed;
    }
}

} // namespace
} // namespace orvo
