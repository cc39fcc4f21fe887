// The bytes of a test-mode adjustment: packed decimal, the text conversions, frames A and B.
#include "testmode/testmode_frames.h"

#include "image/tone_codec.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace orvo {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(const TestFrame& frame)
{
    return Bytes(frame.begin(), frame.end());
}

TestModeRequest page()
{
    TestModeRequest r;
    r.item = TestItem::TxPower;
    r.value = 47;
    r.rxFrequency = r.txFrequency = "146.00000";
    r.rxTone = "Off";
    r.txTone = "88.5";
    return r;
}

TEST(FrequencyText, EveryFrequencyWrittenWithFiveDecimalsIsSentExactly)
{
    for (std::uint32_t step : {500u, 625u}) {
        for (std::uint32_t units = 10000000; units <= 52000000; units += step) {
            char text[32];
            std::snprintf(text, sizeof text, "%8.5f", units / 100000.0);
            ASSERT_EQ(testFrequencyUnits(text), units) << text;
        }
    }
    // The leading number counts; no number reads as 0.
    EXPECT_EQ(testFrequencyUnits("  146.52 MHz"), 14652000u);
    EXPECT_EQ(testFrequencyUnits("abc"), 0u);
    EXPECT_EQ(testFrequencyUnits("999.99999"), 99999999u);
}

TEST(FrequencyText, NumbersTheFieldCannotHoldAreRefused)
{
    for (const char* text : {"-146.52", "-0.00001", "1000", "999.9999996", "1e300"})
        EXPECT_EQ(testFrequencyUnits(text), std::nullopt) << text;
}

TEST(ToneText, TheTableGivesExactTenthsForCtcssAndNoToneOtherwise)
{
    const auto& table = toneTable();
    for (int i = 0; i < kToneCount; ++i) {
        const std::string& text = table[i];
        std::uint16_t expected = 0;
        if (i >= kFirstCtcssTone && i < kFirstDcsNormalTone) {
            const auto dot = text.find('.');
            expected = static_cast<std::uint16_t>(std::stoi(text.substr(0, dot)) * 10 +
                                                  (text[dot + 1] - '0'));
        }
        EXPECT_EQ(testToneTenths(text), expected) << text;
    }
    EXPECT_EQ(testToneTenths("1000"), std::nullopt);
    EXPECT_EQ(testToneTenths("-67.0"), std::nullopt);
}

TEST(PageToFrames, TheExamplePagesGiveTheirFrames)
{
    TestModeRequest request = page();
    TestFrames frames = buildTestFrames(request);
    ASSERT_TRUE(frames.ok) << frames.error;
    EXPECT_EQ(frames.command, 0x74);
    EXPECT_EQ(bytesOf(frames.frequencies), (Bytes{0x00, 0x00, 0x60, 0x14, 0x00, 0x00, 0x60, 0x14}));
    EXPECT_EQ(bytesOf(frames.toneValue), (Bytes{0x00, 0x00, 0x85, 0x08, 0xFB, 0x01, 0x01, 0x2F}));

    request.rxFrequency = "136.20000";
    request.txFrequency = "146.52000";
    request.rxTone = "254.1";
    request.txTone = "D023N";
    request.item = TestItem::SquelchLevel;
    request.value = 160;
    frames = buildTestFrames(request);
    ASSERT_TRUE(frames.ok) << frames.error;
    EXPECT_EQ(frames.command, 0x73);
    EXPECT_EQ(bytesOf(frames.frequencies), (Bytes{0x00, 0x00, 0x62, 0x13, 0x00, 0x20, 0x65, 0x14}));
    EXPECT_EQ(bytesOf(frames.toneValue), (Bytes{0x41, 0x25, 0x00, 0x00, 0xFB, 0x01, 0x01, 0xA0}));

    // Before any frequency was chosen the edits are empty and both lists show "Off".
    request.rxFrequency = request.txFrequency = "";
    request.rxTone = request.txTone = "Off";
    request.item = TestItem::TxFrequency;
    request.value = 91;
    frames = buildTestFrames(request);
    ASSERT_TRUE(frames.ok) << frames.error;
    EXPECT_EQ(frames.command, 0x71);
    EXPECT_EQ(bytesOf(frames.frequencies), Bytes(8, 0x00));
    EXPECT_EQ(bytesOf(frames.toneValue), (Bytes{0x00, 0x00, 0x00, 0x00, 0xFB, 0x01, 0x01, 0x5B}));
    request.item = TestItem::LowPowerVoltage;
    EXPECT_EQ(buildTestFrames(request).command, 0x72);
}

TEST(PageToFrames, UnfitNumbersAreRefusedWithAMessageNamingTheField)
{
    const std::pair<void (*)(TestModeRequest&), const char*> cases[] = {
        {[](TestModeRequest& r) { r.rxFrequency = "-146.5"; },
         "The receive frequency \"-146.5\" cannot be sent"},
        {[](TestModeRequest& r) { r.txFrequency = "1000.00000"; },
         "The transmit frequency \"1000.00000\""},
        {[](TestModeRequest& r) { r.rxTone.clear(); }, "No receive tone"},
        {[](TestModeRequest& r) { r.txTone.clear(); }, "No transmit tone"},
        {[](TestModeRequest& r) { r.txTone = "1000.0"; },
         "The transmit tone \"1000.0\" cannot be sent"},
        {[](TestModeRequest& r) { r.value = 256; }, "The value 256 cannot be sent"},
        {[](TestModeRequest& r) { r.value = -1; }, "The value -1 cannot be sent"},
        {[](TestModeRequest& r) { r.item = static_cast<TestItem>(6); }, "No adjustment item"},
    };
    for (const auto& [spoil, words] : cases) {
        TestModeRequest request = page();
        spoil(request);
        const TestFrames frames = buildTestFrames(request);
        EXPECT_FALSE(frames.ok) << words;
        EXPECT_NE(frames.error.find(words), std::string::npos) << frames.error;
    }
}

} // namespace
} // namespace orvo
