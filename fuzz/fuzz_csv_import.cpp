// Fuzz target: the CSV reader and the import of a channel table into an image (orvo-cli import).
//
// Input: byte 0 chooses the image the table is applied to (a new image, one of the four bands,
// or an image that is not a ZT-4 one); the rest is the CSV text.
//
// Promises checked:
// - every record the reader returns survives being written as a CSV line and read again;
// - a refused import names at least one fault and leaves the image as it was;
// - an accepted import changes only the interpreted bytes and bits of records 1..16, every
//   channel then holds frequencies in the band and on the raster (tones may name any bytes), and
//   exporting and importing the result again changes nothing.
#include "fuzz_check.h"

#include "core/formats/channel_csv.h"
#include "core/formats/channel_import.h"
#include "core/formats/csv.h"

#include "core/editing/frequency_check.h"
#include "core/image/channel_codec.h"
#include "core/image/radio_image.h"
#include "core/image/settings_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace orvo;

RadioImage startImage(std::uint8_t choice)
{
    RadioImage image = RadioImage::makeNew();
    switch (choice % 6) {
    case 1:
    case 2:
    case 3:
        image[0x3D2] = static_cast<std::uint8_t>(0xF4 + choice % 6);
        break;
    case 4:
        image.bytes.fill(0xFF); // not a ZT-4 image: its band code 0xFF reads as the first band
        break;
    case 5:
        image[0x3D2] = 0x10; // a band code outside the list reads as the first band
        break;
    default:
        break;
    }
    return image;
}

void checkCsvRoundTrip(const CsvParse& parsed)
{
    // Each record is written behind a first line, where a leading byte order mark means text.
    for (const CsvRecord& rec : parsed.records) {
        const std::string text = "CH\r\n" + csvLine(rec.fields);
        const CsvParse again = parseCsv(text);
        FUZZ_CHECK(again.ok, "a written CSV line reads again");
        FUZZ_CHECK(again.records.size() == 2, "a written CSV line is one record");
        FUZZ_CHECK(again.records[1].fields == rec.fields, "a CSV record survives a round trip");
    }
}

std::optional<BandLimits> bandOf(const RadioImage& image)
{
    return bandLimitsForField(formSelections(image)[static_cast<std::size_t>(SettingBox::Field)]);
}

void checkImported(const RadioImage& before, const RadioImage& after)
{
    for (std::size_t i = 0; i < kImageSize; ++i) {
        const std::size_t rec = i / kRecordSize, byte = i % kRecordSize;
        std::uint8_t mask = 0;
        if (rec >= 1 && rec <= 16)
            mask = byte < 12 || byte == 13 || byte == 14 ? 0xFF : byte == 12 ? 0x55 : 0x00;
        FUZZ_CHECK(((before[i] ^ after[i]) & ~mask) == 0,
                   "an import changes only the interpreted bytes of records 1..16");
    }
    const auto band = bandOf(after);
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        const ChannelTexts t = decodeChannel(after, ch);
        for (int c : {kColReceive, kColTransmit}) {
            const std::string& f = t[static_cast<std::size_t>(c - 1)];
            if (!f.empty()) {
                const FrequencyCheck check = checkFrequency(f, band, CommitVariant::LeaveCell);
                FUZZ_CHECK(check.accepted() && check.text == f,
                           "an imported frequency passes the typed check unchanged");
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::string_view csv(reinterpret_cast<const char*>(data) + 1, size - 1);

    const CsvParse parsed = parseCsv(csv);
    if (parsed.ok)
        checkCsvRoundTrip(parsed);
    else
        FUZZ_CHECK(!messageText(parsed.error).empty(), "a CSV error says why");

    const RadioImage before = startImage(data[0]);
    // Any text, in order from any channel with lines ticked out: the plan places each line once,
    // on a channel of the radio, and applying it touches only the channel records.
    {
        const ImportPlan plan = planImport(csv, before,
                                           {data[0] & 1 ? Placement::InOrder : Placement::ByLocation,
                                            (data[0] >> 1) % 18, {2, 3}});
        std::array<bool, kChannelCount + 1> taken{};
        for (const ImportLine& line : plan.lines) {
            FUZZ_CHECK(line.channel >= 0 && line.channel <= kChannelCount, "a channel of the radio");
            if (line.channel > 0) {
                FUZZ_CHECK(!taken[static_cast<std::size_t>(line.channel)], "one line a channel");
                taken[static_cast<std::size_t>(line.channel)] = true;
                FUZZ_CHECK(line.refusals.empty() && line.ticked, "only fit, ticked lines placed");
            }
        }
        RadioImage planned = before;
        applyImport(plan, planned);
        FUZZ_CHECK(std::equal(before.bytes.begin(), before.bytes.begin() + 0x10, planned.bytes.begin()) &&
                       std::equal(before.bytes.begin() + 0x110, before.bytes.end(), planned.bytes.begin() + 0x110),
                   "an import changes only the channel records");
    }
    RadioImage image = before;
    const std::vector<std::string> errors = messageLines(importChannelCsv(csv, image));
    if (!errors.empty()) {
        FUZZ_CHECK(image == before, "a refused import leaves the image as it was");
        for (const std::string& e : errors)
            FUZZ_CHECK(!e.empty(), "every import error says something");
        return 0;
    }
    checkImported(before, image);

    const std::string exported = exportChannelCsv(image);
    RadioImage again = image;
    const std::vector<Message> errorsAgain = importChannelCsv(exported, again);
    FUZZ_CHECK(errorsAgain.empty(), "an exported table imports without errors");
    FUZZ_CHECK(again == image, "exporting and importing again changes nothing");
    return 0;
}
