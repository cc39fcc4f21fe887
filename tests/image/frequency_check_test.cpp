#include "editor/frequency_check.h"
#include "image/number_text.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvo {
namespace {

using F = FrequencyFault;
constexpr auto kLeave = CommitVariant::LeaveCell;
constexpr auto kEnter = CommitVariant::Enter;
const auto k400to470 = bandLimitsForField(2);

std::vector<F> faults(const FrequencyCheck& c)
{
    return {c.faults().begin(), c.faults().end()};
}

TEST(FrequencyCheck, AcceptedTextsAreNormalisedToFiveDecimals)
{
    for (auto variant : {kLeave, kEnter}) {
        FrequencyCheck c = checkFrequency("446.00625", k400to470, variant);
        EXPECT_TRUE(c.accepted());
        EXPECT_EQ(c.text, "446.00625");
        EXPECT_EQ(c.units, 44600625u);
        c = checkFrequency("446.1", k400to470, variant);
        EXPECT_EQ(c.text, "446.10000");
        c = checkFrequency("  446.1abc", k400to470, variant);
        EXPECT_EQ(c.text, "446.10000");
        c = checkFrequency("4.4605e2", k400to470, variant);
        EXPECT_EQ(c.text, "446.05000");
        c = checkFrequency("+400", k400to470, variant);
        EXPECT_EQ(c.text, "400.00000");
        c = checkFrequency("470", k400to470, variant);
        EXPECT_TRUE(c.accepted());
    }
}

TEST(FrequencyCheck, FormatFaultEndsTheCheck)
{
    for (const char* t : {"59.99999", "600.1", "43349.67296", "abc", "-446", "inf", "nan", "0x1C0",
                          "1e400", ".", "e5"}) {
        for (auto variant : {kLeave, kEnter}) {
            const FrequencyCheck c = checkFrequency(t, k400to470, variant);
            EXPECT_EQ(faults(c), std::vector<F>{F::Format}) << t;
            EXPECT_EQ(c.text, "") << t;
        }
    }
    // The limits themselves pass the format check.
    EXPECT_TRUE(checkFrequency("60", std::nullopt, kLeave).accepted());
    EXPECT_TRUE(checkFrequency("600", std::nullopt, kLeave).accepted());
}

TEST(FrequencyCheck, LeavingTheCellReportsBandAndStepTogether)
{
    EXPECT_EQ(faults(checkFrequency("480", k400to470, kLeave)), std::vector<F>{F::Band});
    EXPECT_EQ(faults(checkFrequency("500.001", k400to470, kLeave)),
              (std::vector<F>{F::Band, F::Step}));
    EXPECT_EQ(checkFrequency("500.001", k400to470, kLeave).text, "");
    // Enter stops at the band fault.
    EXPECT_EQ(faults(checkFrequency("500.001", k400to470, kEnter)), std::vector<F>{F::Band});
}

TEST(FrequencyCheck, StepFaultForTextsOffBothRasters)
{
    for (auto variant : {kLeave, kEnter}) {
        EXPECT_EQ(faults(checkFrequency("446.0025", k400to470, variant)), std::vector<F>{F::Step});
        EXPECT_TRUE(checkFrequency("446.005", k400to470, variant).accepted());     // 5 kHz
        EXPECT_TRUE(checkFrequency("446.00625", k400to470, variant).accepted());   // 6.25 kHz
        EXPECT_TRUE(checkFrequency("446.0062499", k400to470, variant).accepted()); // +0.05 rounds
    }
}

TEST(FrequencyCheck, BandLimitsAreInclusiveAndMissingBandSkipsTheCheck)
{
    const auto vhf = bandLimitsForField(0);
    ASSERT_TRUE(vhf);
    EXPECT_TRUE(checkFrequency("136", vhf, kEnter).accepted());
    EXPECT_TRUE(checkFrequency("174", vhf, kEnter).accepted());
    EXPECT_EQ(faults(checkFrequency("135.99375", vhf, kEnter)), std::vector<F>{F::Band});
    EXPECT_EQ(faults(checkFrequency("174.00625", vhf, kEnter)), std::vector<F>{F::Band});
    EXPECT_FALSE(bandLimitsForField(-1));
    EXPECT_FALSE(bandLimitsForField(4));
    EXPECT_TRUE(checkFrequency("480", std::nullopt, kEnter).accepted());
}

TEST(FrequencyCheck, MessagesAreTheSystemsOwnTexts)
{
    EXPECT_STREQ(frequencyFaultText(F::Format), "Error Data Format\uFF0CPlease input again");
    EXPECT_STREQ(frequencyFaultText(F::Band), "Out of range!");
    EXPECT_STREQ(frequencyFaultText(F::Step),
                 "Error data Value\uFF0CPlease input according the step value(6.25K/5k)");
    EXPECT_TRUE(isPromptFault(F::Band));
    EXPECT_FALSE(isPromptFault(F::Step));
}

TEST(NumberText, LeadingNumbersAndFixedTextsIgnoreTheLocale)
{
    EXPECT_EQ(leadingNumber("446.1abc"), 446.1);
    EXPECT_EQ(leadingNumber(" \t-2.5e1x"), -25.0);
    EXPECT_EQ(leadingNumber("1e"), 1.0);
    EXPECT_EQ(leadingNumber("abc"), 0.0);
    EXPECT_EQ(leadingNumber("1,5"), 1.0);
    EXPECT_EQ(formatFixed(446.1, 5), "446.10000");
    EXPECT_EQ(formatFixed(0.000005, 5), "0.00001");
    EXPECT_EQ(scaledLeadingNumber("69.3", 1), 693);
    EXPECT_EQ(scaledLeadingNumber("1.5e1", 1), 150);
    EXPECT_EQ(scaledLeadingNumber("-0.99", 0), 0);
    EXPECT_EQ(scaledLeadingNumber("1e30", 1), 1'000'000'000'000'000'000);
}

// Commits of a row, with the texts the editor leaves behind.
ChannelTexts emptyRow()
{
    return {};
}
const ChannelTexts kDefaultsAfter446{"446.00625", "446.00625", "Off", "Off",
                                     "No",        "Wide",      "Add", "High"};

TEST(RowCommit, FirstReceiveFrequencyFillsTheRow)
{
    ChannelTexts row = emptyRow();
    const CommitOutcome o = commitEditorText(row, kColReceive, "446.00625", k400to470, kLeave);
    ASSERT_TRUE(o.check);
    EXPECT_TRUE(o.check->accepted());
    EXPECT_EQ(row, kDefaultsAfter446);

    row = emptyRow();
    commitEditorText(row, kColTransmit, "446.1", k400to470, kEnter);
    EXPECT_EQ(row, (ChannelTexts{"", "446.10000", "Off", "Off", "No", "Wide", "Add", "High"}));
}

TEST(RowCommit, RejectedFrequencyLeavingTheCellEmptiesIt)
{
    ChannelTexts row = kDefaultsAfter446;
    const CommitOutcome o = commitEditorText(row, kColReceive, "500.001", k400to470, kLeave);
    EXPECT_EQ(faults(*o.check), (std::vector<F>{F::Band, F::Step}));
    EXPECT_FALSE(o.keepEditorOpen);
    EXPECT_EQ(row, (ChannelTexts{"", "446.00625", "", "Off", "No", "Wide", "Add", "High"}));

    // Rejecting into an otherwise empty row fills nothing.
    row = emptyRow();
    commitEditorText(row, kColReceive, "480", k400to470, kLeave);
    EXPECT_EQ(row, emptyRow());
}

TEST(RowCommit, RejectedFrequencyOnEnterKeepsTheRowAndTheEditor)
{
    ChannelTexts row = kDefaultsAfter446;
    const CommitOutcome o = commitEditorText(row, kColTransmit, "480", k400to470, kEnter);
    EXPECT_TRUE(o.keepEditorOpen);
    EXPECT_EQ(faults(*o.check), std::vector<F>{F::Band});
    EXPECT_EQ(row, kDefaultsAfter446);
}

TEST(RowCommit, EmptyingBothFrequenciesDeletesTheChannel)
{
    ChannelTexts row = kDefaultsAfter446;
    row[kColRxTone - 1] = "67.0";
    row[kColTxTone - 1] = "D023N";
    CommitOutcome o = commitEditorText(row, kColReceive, "", k400to470, kLeave);
    EXPECT_FALSE(o.check);
    EXPECT_EQ(row, (ChannelTexts{"", "446.00625", "", "D023N", "No", "Wide", "Add", "High"}));
    commitEditorText(row, kColTransmit, "", k400to470, kEnter);
    EXPECT_EQ(row, emptyRow());
}

TEST(RowCommit, ToneAndFlagColumnsFollowTheEditorRules)
{
    ChannelTexts row = kDefaultsAfter446;
    commitEditorText(row, kColRxTone, "67", k400to470, kLeave);
    EXPECT_EQ(row[kColRxTone - 1], "OFF");
    commitEditorText(row, kColRxTone, "d023n", k400to470, kEnter);
    EXPECT_EQ(row[kColRxTone - 1], "D023N");
    commitEditorText(row, kColBusy, "Yes", k400to470, kLeave);
    EXPECT_EQ(row[kColBusy - 1], "Yes");

    // An empty channel takes no tone and no flag.
    row = emptyRow();
    row[kColTxTone - 1] = "67.0"; // as decoded from an image
    commitEditorText(row, kColTxTone, "D023N", k400to470, kEnter);
    EXPECT_EQ(row[kColTxTone - 1], "");
    commitEditorText(row, kColBusy, "Yes", k400to470, kLeave);
    EXPECT_EQ(row[kColBusy - 1], "");
    row[kColPower - 1] = "High";
    commitEditorText(row, kColPower, "Low", k400to470, kEnter);
    EXPECT_EQ(row[kColPower - 1], "High");
    commitEditorText(row, kColPower, "Low", k400to470, kLeave);
    EXPECT_EQ(row[kColPower - 1], "");
}

// The tones stay as they are; the empty flags take their defaults, since an empty flag would be
// stored as its other word.
TEST(RowCommit, AFrequencyIntoARowWithToneTextsBringsOnlyTheFlagDefaults)
{
    ChannelTexts row = emptyRow();
    row[kColRxTone - 1] = "67.0";
    commitFrequencyText(row, kColReceive, "446.00625");
    EXPECT_EQ(row, (ChannelTexts{"446.00625", "", "67.0", "", "No", "Wide", "Add", "High"}));
}

} // namespace
} // namespace orvo
