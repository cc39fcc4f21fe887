// Fuzz target: the check of a typed frequency and the commit of an editor text into a row.
//
// Input: byte 0 chooses the band (0..3, or none) and the commit (leaving the cell or Enter),
// byte 1 the column of the commit; the rest is the typed text.
//
// Promises checked:
// - at most two faults, one for Enter, in the order format, band, raster, and a format fault
//   alone;
// - an accepted text is a "%3.5f" text of 60 to 600 MHz, in the band and on the 6.25 kHz or
//   5 kHz raster, read back as the same units, stored and shown again as itself, and accepted
//   again when typed;
// - a commit leaves every frequency and tone cell of the row a text the form can hold.
#include "fuzz_check.h"

#include "core/editing/frequency_check.h"
#include "core/image/channel_codec.h"
#include "core/image/tone_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace orvo;

bool isFixed5(const std::string& t)
{
    const auto point = t.find('.');
    if (point == std::string::npos || point < 2 || point > 3 || t.size() != point + 6)
        return false;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (i != point && (t[i] < '0' || t[i] > '9'))
            return false;
    }
    return true;
}

void checkAccepted(const FrequencyCheck& check, std::optional<BandLimits> band,
                   CommitVariant variant)
{
    FUZZ_CHECK(isFixed5(check.text), "an accepted frequency is a %3.5f text");
    const std::uint64_t units = frequencyUnits(check.text);
    FUZZ_CHECK(units == check.units, "the accepted text reads back as the checked units");
    FUZZ_CHECK(units >= 6'000'000 && units <= 60'000'000, "an accepted frequency is 60-600 MHz");
    if (band)
        FUZZ_CHECK(units >= band->lowest && units <= band->highest,
                   "an accepted frequency lies in the band");
    FUZZ_CHECK(units % 625 == 0 || units % 500 == 0,
               "an accepted frequency lies on the 6.25 kHz or 5 kHz raster");

    std::array<std::uint8_t, 4> field{};
    encodeFrequency(units, field.data());
    FUZZ_CHECK(decodeFrequency(field.data()) == check.text,
               "an accepted frequency shows as itself after a save and an open");

    const FrequencyCheck again = checkFrequency(check.text, band, variant);
    FUZZ_CHECK(again.accepted() && again.text == check.text && again.units == check.units,
               "an accepted text typed again is accepted unchanged");
}

void checkFaults(const FrequencyCheck& check, CommitVariant variant)
{
    FUZZ_CHECK(check.faultCount >= 0 && check.faultCount <= 2, "at most two faults");
    if (variant == CommitVariant::Enter)
        FUZZ_CHECK(check.faultCount <= 1, "Enter stops at the first fault");
    const auto faults = check.faults();
    for (std::size_t i = 1; i < faults.size(); ++i)
        FUZZ_CHECK(static_cast<int>(faults[i - 1]) < static_cast<int>(faults[i]),
                   "faults come in the order the checks run");
    if (!faults.empty() && faults[0] == FrequencyFault::Format)
        FUZZ_CHECK(faults.size() == 1, "a format fault ends the check");
    if (!check.accepted())
        FUZZ_CHECK(check.text.empty(), "a rejected frequency leaves the empty text");
    for (FrequencyFault f : faults)
        FUZZ_CHECK(!messageText(frequencyFaultMessage(f)).empty(), "every fault has a text");
}

void checkRow(const ChannelTexts& row)
{
    for (int c : {kColReceive, kColTransmit}) {
        const std::string& t = row[static_cast<std::size_t>(c - 1)];
        FUZZ_CHECK(t.empty() || isFixed5(t), "a committed frequency is empty or %3.5f");
    }
    for (int c : {kColRxTone, kColTxTone}) {
        const std::string& t = row[static_cast<std::size_t>(c - 1)];
        FUZZ_CHECK(t.empty() || t == "OFF" || toneIndex(t) >= 0,
                   "a committed tone is empty, OFF or a table entry");
        if (!t.empty() && t != "OFF")
            FUZZ_CHECK(*canonicalTone(t) == t, "a committed tone has the table's letter case");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const int bandIndex = data[0] % 5; // 4: no band
    const CommitVariant variant = (data[0] & 0x80) ? CommitVariant::Enter : CommitVariant::LeaveCell;
    const int column = 1 + data[1] % 8;
    const std::string_view typed(reinterpret_cast<const char*>(data) + 2, size - 2);
    const std::optional<BandLimits> band = bandLimitsForField(bandIndex);
    FUZZ_CHECK(band.has_value() == (bandIndex < 4), "Field entries 0..3 have limits");

    if (!typed.empty()) {
        const FrequencyCheck check = checkFrequency(typed, band, variant);
        checkFaults(check, variant);
        if (check.accepted())
            checkAccepted(check, band, variant);
    }

    // A commit into a row that starts as one of: empty, the defaults of a new row, a full row.
    ChannelTexts row;
    if (data[1] & 0x10) {
        row = {"146.52000", "146.52000", "Off", "D023N", "No", "Wide", "Add", "High"};
    } else if (data[1] & 0x20) {
        row = {"", "", "", "", "", "", "", ""};
        row[1] = "440.00000";
        const auto& defaults = defaultRowTexts();
        for (std::size_t c = 2; c < 8; ++c)
            row[c] = defaults[c - 2];
    }
    const ChannelTexts before = row;
    const CommitOutcome outcome = commitEditorText(row, column, typed, band, variant);
    if (outcome.keepEditorOpen) {
        FUZZ_CHECK(variant == CommitVariant::Enter, "only Enter keeps the editor open");
        FUZZ_CHECK(row == before, "a rejected Enter leaves the row as it was");
    }
    if (outcome.check) {
        checkFaults(*outcome.check, variant);
        if (outcome.check->accepted())
            checkAccepted(*outcome.check, band, variant);
    }
    checkRow(row);
    return 0;
}
