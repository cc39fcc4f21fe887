// Test mode: the frames each page of the form makes, and the frequency page's Enter check and tone
// lists. The exchange runs against orvo-radio-sim through orvo-cli (tests/cli) and the fault
// matrix (tests/reliability).
#include "core/image/tone_codec.h"
#include "core/testmode/debug_frequency.h"
#include "core/testmode/testmode_frames.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace orvo {
namespace {

constexpr DebugStep k5 = DebugStep::Khz5;
constexpr DebugStep k625 = DebugStep::Khz6_25;

// "74 08"
std::string hex(const std::uint8_t* data, std::size_t n)
{
    std::string text;
    for (std::size_t i = 0; i < n; ++i) {
        char two[4];
        std::snprintf(two, sizeof two, " %02X", data[i]);
        text += two;
    }
    return text.substr(1);
}

// Each page gives the item's command, frame A (receive and transmit frequency) and frame B
// (receive and transmit tone, FB 01 01, the value) in packed decimal, or a refusal that names
// what cannot be sent.
TEST(PageToFrames, EachPageGivesItsFramesOrARefusalNamingTheField)
{
    const std::pair<TestModeRequest, const char*> pages[] = {
        {{"", TestItem::TxPower, 47, "146.00000", "146.00000", "Off", "88.5"},
         "74 | 00 00 60 14 00 00 60 14 | 00 00 85 08 FB 01 01 2F"},
        {{"", TestItem::SquelchLevel, 160, "136.20000", "146.52000", "254.1", "D023N"},
         "73 | 00 00 62 13 00 20 65 14 | 41 25 00 00 FB 01 01 A0"},
        // Before any frequency was chosen the edits are empty and both lists show "Off".
        {{"", TestItem::TxFrequency, 91, "", "", "Off", "Off"},
         "71 | 00 00 00 00 00 00 00 00 | 00 00 00 00 FB 01 01 5B"},
        {{"", TestItem::LowPowerVoltage, 0, "999.99999", "0", "67.0", "Off"},
         "72 | 99 99 99 99 00 00 00 00 | 70 06 00 00 FB 01 01 00"},
        {{"", TestItem::TxPower, 47, "146", "146", "Off", ""}, "No transmit tone"},
        {{"", TestItem::TxPower, 47, "146", "146", "-67.0", "Off"},
         "The receive tone \"-67.0\" cannot be sent"},
        {{"", TestItem::TxPower, 47, "146", "146", "Off", "1000.0"},
         "The transmit tone \"1000.0\" cannot be sent"},
        {{"", TestItem::TxPower, 256, "146", "146", "Off", "Off"}, "The value 256 cannot be sent"},
        {{"", TestItem::TxPower, -1, "146", "146", "Off", "Off"}, "The value -1 cannot be sent"},
        {{"", static_cast<TestItem>(6), 47, "146", "146", "Off", "Off"}, "No adjustment item"},
    };
    for (const auto& [page, expected] : pages) {
        const TestFrames f = buildTestFrames(page);
        const std::string sent = f.ok ? hex(&f.command, 1) + " | " + hex(f.frequencies.data(), 8) +
                                            " | " + hex(f.toneValue.data(), 8)
                                      : messageText(f.error);
        EXPECT_TRUE(sent.starts_with(expected)) << sent;
    }
}

TEST(ConfirmedFrequency, IsHeldBetweenTheBandEdgeAndTwentyMegahertzAboveItInAFieldOfEight)
{
    // Texts without a number, negative numbers and numbers no integer holds are pulled to a limit
    // like any other; leading blanks are skipped and trailing text is ignored.
    const std::pair<const char*, const char*> cases[] = {
        {"200", "156.00000"},    {"100", "136.00000"},       {"abc", "136.00000"},
        {"", "136.00000"},       {"-146", "136.00000"},      {"1e300", "156.00000"},
        {"-1e300", "136.00000"}, {"  146.5MHz", "146.50000"}};
    for (const auto& [typed, shown] : cases)
        EXPECT_EQ(confirmDebugFrequency(typed, 136, k5), shown) << typed;
    EXPECT_EQ(formatDebugFrequency(0.0), " 0.00000");
    // QT offers Off to 206.5, DQT the rest of the tone table.
    const ToneRange qt = debugToneList(false), dqt = debugToneList(true);
    EXPECT_EQ(toneTable()[qt.first] + toneTable()[qt.first + qt.count - 1], "Off206.5");
    EXPECT_EQ(dqt.first, qt.first + qt.count);
    EXPECT_EQ(toneTable()[dqt.first + dqt.count - 1], "D325I");
}

// Up to half a step (250 or 312 units of 10 Hz) rounds down, from there up, never past a limit.
TEST(ConfirmedFrequency, IsRoundedToTheStepWithHalfAStepRoundingDownAndNeverLeavesTheBand)
{
    const struct
    {
        DebugStep step;
        const char* typed;
        std::int64_t units;
    } cases[] = {
        {k5, "146.00250", 14600000},  {k5, "146.00260", 14600500},  {k625, "146.00312", 14600000},
        {k625, "146.00313", 14600625}, {k5, "135.99999", 13600000}, {k625, "136.00312", 13600000},
        {k5, "155.99760", 15600000},   {k5, "156.00300", 15600000}, {k625, "155.99688", 15600000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(confirmDebugFrequencyUnits(c.typed, 136, c.step), c.units) << c.typed;
}

} // namespace
} // namespace orvo
