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

TestModeRequest pageRequest()
{
    TestModeRequest request;
    request.port = "COM1";
    request.item = TestItem::TxPower;
    request.value = 47;
    request.rxFrequency = "146.00000";
    request.txFrequency = "146.00000";
    request.rxTone = "Off";
    request.txTone = "88.5";
    return request;
}

TEST(PackedDecimal, PairsOfDigitsLeastSignificantFirst)
{
    std::uint8_t four[4];
    packBcd(14652000, four, 4);
    EXPECT_EQ(Bytes(four, four + 4), (Bytes{0x00, 0x20, 0x65, 0x14}));
    packBcd(99999999, four, 4);
    EXPECT_EQ(Bytes(four, four + 4), (Bytes{0x99, 0x99, 0x99, 0x99}));
    packBcd(1, four, 4);
    EXPECT_EQ(Bytes(four, four + 4), (Bytes{0x01, 0x00, 0x00, 0x00}));

    std::uint8_t two[2];
    packBcd(885, two, 2);
    EXPECT_EQ(Bytes(two, two + 2), (Bytes{0x85, 0x08}));
    packBcd(2541, two, 2);
    EXPECT_EQ(Bytes(two, two + 2), (Bytes{0x41, 0x25}));
}

TEST(FrequencyText, ReadsTheLeadingNumberInUnitsOf10Hz)
{
    EXPECT_EQ(testFrequencyUnits("136.20000"), 13620000u);
    EXPECT_EQ(testFrequencyUnits("146.52"), 14652000u);
    EXPECT_EQ(testFrequencyUnits("140.00313"), 14000313u);
    EXPECT_EQ(testFrequencyUnits("  146.52000 MHz"), 14652000u);
    EXPECT_EQ(testFrequencyUnits("1.4652e2"), 14652000u);
    // No leading number reads as 0, as the edits do before any frequency was chosen.
    EXPECT_EQ(testFrequencyUnits(""), 0u);
    EXPECT_EQ(testFrequencyUnits("abc"), 0u);
    EXPECT_EQ(testFrequencyUnits("999.99999"), 99999999u);
}

TEST(FrequencyText, EveryFrequencyWrittenWithFiveDecimalsIsSentExactly)
{
    // Both channel rasters across the whole range the radio's bands and the test page offer.
    for (std::uint32_t step : {500u, 625u}) {
        for (std::uint32_t units = 10000000; units <= 52000000; units += step) {
            char text[32];
            std::snprintf(text, sizeof text, "%8.5f", units / 100000.0);
            ASSERT_EQ(testFrequencyUnits(text), units) << text;
        }
    }
}

TEST(FrequencyText, NumbersTheFieldCannotHoldAreRefused)
{
    EXPECT_EQ(testFrequencyUnits("-146.52"), std::nullopt);
    EXPECT_EQ(testFrequencyUnits("-0.00001"), std::nullopt);
    EXPECT_EQ(testFrequencyUnits("1000"), std::nullopt);
    EXPECT_EQ(testFrequencyUnits("999.9999996"), std::nullopt);
    EXPECT_EQ(testFrequencyUnits("1e300"), std::nullopt);
    EXPECT_EQ(testFrequencyUnits("-1e300"), std::nullopt);
}

TEST(ToneText, EveryCtcssToneOfTheTableGivesItsExactTenths)
{
    const auto& table = toneTable();
    ASSERT_EQ(table.size(), 261u);
    for (int i = kFirstCtcssTone; i < kFirstDcsNormalTone; ++i) {
        const std::string& text = table[i];
        const auto dot = text.find('.');
        ASSERT_NE(dot, std::string::npos) << text;
        const auto expected =
            static_cast<std::uint16_t>(std::stoi(text.substr(0, dot)) * 10 + (text[dot + 1] - '0'));
        EXPECT_EQ(testToneTenths(text), expected) << text;
    }
}

TEST(ToneText, OffAndEveryDcsCodeReadAsNoTone)
{
    const auto& table = toneTable();
    EXPECT_EQ(testToneTenths(table[0]), 0u);
    for (int i = kFirstDcsNormalTone; i < kToneCount; ++i)
        EXPECT_EQ(testToneTenths(table[i]), 0u) << table[i];
}

TEST(ToneText, NumbersTheFieldCannotHoldAreRefused)
{
    EXPECT_EQ(testToneTenths("999.9"), 9999u);
    EXPECT_EQ(testToneTenths("1000"), std::nullopt);
    EXPECT_EQ(testToneTenths("-67.0"), std::nullopt);
}

TEST(Frames, FrameAHoldsReceiveThenTransmitFrequency)
{
    EXPECT_EQ(bytesOf(buildFrequencyFrame(14600000, 14600000)),
              (Bytes{0x00, 0x00, 0x60, 0x14, 0x00, 0x00, 0x60, 0x14}));
    EXPECT_EQ(bytesOf(buildFrequencyFrame(13620000, 14652000)),
              (Bytes{0x00, 0x00, 0x62, 0x13, 0x00, 0x20, 0x65, 0x14}));
}

TEST(Frames, FrameBHoldsTonesFixedBytesAndValue)
{
    EXPECT_EQ(bytesOf(buildToneValueFrame(0, 885, 47)),
              (Bytes{0x00, 0x00, 0x85, 0x08, 0xFB, 0x01, 0x01, 0x2F}));
    EXPECT_EQ(bytesOf(buildToneValueFrame(2541, 0, 255)),
              (Bytes{0x41, 0x25, 0x00, 0x00, 0xFB, 0x01, 0x01, 0xFF}));
}

TEST(Frames, TheItemChoosesItsCommand)
{
    EXPECT_EQ(testItemCommand(TestItem::TxFrequency), 0x71);
    EXPECT_EQ(testItemCommand(TestItem::LowPowerVoltage), 0x72);
    EXPECT_EQ(testItemCommand(TestItem::SquelchLevel), 0x73);
    EXPECT_EQ(testItemCommand(TestItem::TxPower), 0x74);
    EXPECT_EQ(testItemFromCode(1), std::nullopt);
    EXPECT_EQ(testItemFromCode(3), TestItem::LowPowerVoltage);
    EXPECT_EQ(testItemFromCode(6), std::nullopt);
}

TEST(PageToFrames, ThePageOfTheExamplesGivesTheirFrames)
{
    TestModeRequest request = pageRequest();
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
}

TEST(PageToFrames, EmptyEditsAreSentAsZeros)
{
    TestModeRequest request = pageRequest();
    request.rxFrequency.clear();
    request.txFrequency.clear();
    request.rxTone = "Off";
    request.txTone = "Off";
    const TestFrames frames = buildTestFrames(request);
    ASSERT_TRUE(frames.ok) << frames.error;
    EXPECT_EQ(bytesOf(frames.frequencies), Bytes(8, 0x00));
    EXPECT_EQ(bytesOf(frames.toneValue), (Bytes{0x00, 0x00, 0x00, 0x00, 0xFB, 0x01, 0x01, 0x2F}));
}

TEST(PageToFrames, UnfitNumbersAreRefusedWithAMessageNamingTheField)
{
    struct Case {
        const char* what;
        void (*spoil)(TestModeRequest&);
        const char* expectedWords;
    };
    const Case cases[] = {
        {"negative receive", [](TestModeRequest& r) { r.rxFrequency = "-146.5"; },
         "The receive frequency \"-146.5\" cannot be sent"},
        {"transmit 1000 MHz", [](TestModeRequest& r) { r.txFrequency = "1000.00000"; },
         "The transmit frequency \"1000.00000\" cannot be sent"},
        {"no receive tone", [](TestModeRequest& r) { r.rxTone.clear(); }, "No receive tone"},
        {"no transmit tone", [](TestModeRequest& r) { r.txTone.clear(); }, "No transmit tone"},
        {"tone too high", [](TestModeRequest& r) { r.txTone = "1000.0"; },
         "The transmit tone \"1000.0\" cannot be sent"},
        {"value 256", [](TestModeRequest& r) { r.value = 256; }, "The value 256 cannot be sent"},
        {"value -1", [](TestModeRequest& r) { r.value = -1; }, "The value -1 cannot be sent"},
        {"item 6", [](TestModeRequest& r) { r.item = static_cast<TestItem>(6); },
         "No adjustment item"},
    };
    for (const Case& c : cases) {
        TestModeRequest request = pageRequest();
        c.spoil(request);
        const TestFrames frames = buildTestFrames(request);
        EXPECT_FALSE(frames.ok) << c.what;
        EXPECT_NE(frames.error.find(c.expectedWords), std::string::npos)
            << c.what << ": " << frames.error;
    }
}

} // namespace
} // namespace orvo
