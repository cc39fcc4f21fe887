#include "core/formats/channel_csv.h"

#include "core/editing/frequency_check.h"
#include "core/formats/csv.h"
#include "core/formats/import_lines.h"
#include "core/image/channel_codec.h"
#include "core/image/number_text.h"
#include "core/image/settings_codec.h"
#include "core/image/tone_codec.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace orvo {

namespace {

constexpr std::size_t kColumns = 9;
// Larger files and longer lines are not channel tables; refusing them keeps memory and the
// error output small whatever the file holds.
constexpr std::size_t kMaxLineBytes = 4096;

std::vector<std::string> headerFields()
{
    const auto& h = channelColumnHeaders();
    return {h.begin(), h.end()};
}

// The two words of each flag column, columns 5..8; the first is the default of a new row.
struct FlagWords
{
    const char* first;
    const char* second;
};
constexpr std::array<FlagWords, 4> kFlagWords{
    {{"No", "Yes"}, {"Wide", "Narrow"}, {"Add", "Delete"}, {"High", "Low"}}};

// A refusal of the cell in `column` (0..8) of `line`.
CsvRefusal cellError(int line, int column, Message reason)
{
    return {line, channelColumnHeaders()[static_cast<std::size_t>(column)], std::move(reason)};
}

// The texts of a channel's line: the grid's texts, each tone as exactToneText names it.
ChannelTexts csvTexts(const RadioImage& image, int channel)
{
    ChannelTexts texts = decodeChannel(image, channel);
    for (int c : {kColRxTone, kColTxTone}) {
        const auto field = channelColumnBits(c); // low byte, high byte
        const std::uint8_t* rec = image.record(channel);
        texts[static_cast<std::size_t>(c - 1)] =
            exactToneText({rec[field[0].byte], rec[field[1].byte]});
    }
    return texts;
}

// The text a tone cell stands for: a raw text as it is, a table entry in any letter case, or the
// number of a CTCSS tone as spreadsheets write it ("67" for 67.0).
std::optional<std::string> toneOfCell(std::string_view typed)
{
    if (rawToneBytes(typed))
        return std::string(typed);
    if (auto entry = canonicalTone(typed))
        return entry;
    const double tenths = leadingNumber(typed) * 10;
    if (!isPlainDecimal(typed) || std::abs(tenths - std::round(tenths)) > 1e-6)
        return std::nullopt;
    return canonicalTone(formatFixed(std::round(tenths) / 10, 1));
}

// Checks one data line and turns it into the row texts the form would hold. A refused frequency
// gives one error naming the band, and the row's other cells are judged as if it had been taken.
// A frequency equal to the one the channel holds (`was`, its line as exported) is taken as it
// stands, unchecked, as a cell that is not edited stays in the window.
std::optional<ChannelTexts> rowFromFields(const CsvRecord& rec, const ChannelTexts& was,
                                          std::optional<BandLimits> band,
                                          const std::string& bandText,
                                          std::vector<CsvRefusal>& errors)
{
    ChannelTexts row;
    bool ok = true;
    bool hasFrequency = false;
    for (int c = kColReceive; c <= kColTransmit; ++c) {
        const std::string& typed = rec.fields[static_cast<std::size_t>(c)];
        if (trimmedField(typed).empty())
            continue;
        hasFrequency = true;
        if (isPlainDecimal(typed) && hasDigitsPast(trimmedField(typed), 5)) {
            errors.push_back(
                cellError(rec.line, c, {MessageKind::FinerThanTenHz, {shownField(typed)}}));
            ok = false;
            continue;
        }
        const std::string& held = was[static_cast<std::size_t>(c - 1)];
        if (!held.empty() && isPlainDecimal(typed) &&
            frequencyUnits(typed) == frequencyUnits(held)) {
            row[static_cast<std::size_t>(c - 1)] = held;
            continue;
        }
        if (!isPlainDecimal(typed)) {
            errors.push_back(
                cellError(rec.line, c, {MessageKind::NotFrequencyInMhz, {shownField(typed)}}));
            ok = false;
            continue;
        }
        const FrequencyCheck check = checkFrequency(typed, band, CommitVariant::LeaveCell);
        if (!check.accepted()) {
            const FrequencyFault f = check.faults()[0];
            errors.push_back(
                cellError(rec.line, c,
                          f == FrequencyFault::Band
                              ? Message{MessageKind::OutsideBand,
                                        {formatFixed(check.units / 100000.0, 5), bandText}}
                              : frequencyFaultMessage(f)));
            ok = false;
        }
        row[static_cast<std::size_t>(c - 1)] = check.text;
    }

    for (int c = kColRxTone; c <= kColTxTone; ++c) {
        const std::string& typed = rec.fields[static_cast<std::size_t>(c)];
        if (trimmedField(typed).empty())
            continue;
        if (auto entry = toneOfCell(trimmedField(typed))) {
            row[static_cast<std::size_t>(c - 1)] = *entry;
        } else {
            errors.push_back(
                cellError(rec.line, c, {MessageKind::NotToneOfTable, {shownField(typed)}}));
            ok = false;
        }
    }

    for (int c = kColBusy; c <= kColPower; ++c) {
        const std::string_view typed = trimmedField(rec.fields[static_cast<std::size_t>(c)]);
        const FlagWords& words = kFlagWords[static_cast<std::size_t>(c - kColBusy)];
        std::string& cell = row[static_cast<std::size_t>(c - 1)];
        if (typed.empty()) {
            if (hasFrequency)
                cell = words.first;
            continue;
        }
        if (sameWord(typed, words.first)) {
            cell = words.first;
        } else if (sameWord(typed, words.second)) {
            cell = words.second;
        } else {
            errors.push_back(cellError(
                rec.line, c,
                {MessageKind::NeitherNor, {shownField(typed), words.second, words.first}}));
            ok = false;
            continue;
        }
        if (!hasFrequency) {
            errors.push_back(cellError(rec.line, c,
                                       {MessageKind::NoSettingWithoutFrequency,
                                        {channelColumnHeaders()[static_cast<std::size_t>(c)]}}));
            ok = false;
        }
    }
    if (!ok)
        return std::nullopt;

    // Only a receive frequency, as when it is typed into an empty row: the transmit frequency
    // follows it and the tones read "Off".
    bool onlyReceive = !row[kColReceive - 1].empty();
    for (int c = kColTransmit; c <= kColPower; ++c)
        onlyReceive = onlyReceive && trimmedField(rec.fields[static_cast<std::size_t>(c)]).empty();
    if (onlyReceive) {
        row[kColTransmit - 1] = row[kColReceive - 1];
        row[kColRxTone - 1] = defaultRowTexts()[0];
        row[kColTxTone - 1] = defaultRowTexts()[1];
    }
    return row;
}

} // namespace

std::string exportChannelCsv(const RadioImage& image)
{
    std::string out = csvLine(headerFields());
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        const ChannelTexts texts = csvTexts(image, ch);
        std::vector<std::string> fields{std::to_string(ch)};
        fields.insert(fields.end(), texts.begin(), texts.end());
        out += csvLine(fields);
    }
    return out;
}

int changedChannelCount(const RadioImage& before, const RadioImage& after)
{
    int changed = 0;
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        changed += std::equal(before.record(ch), before.record(ch) + kRecordSize, after.record(ch))
                       ? 0
                       : 1;
    }
    return changed;
}

ImportPlan planChannelTable(std::string_view csv, const RadioImage& image,
                            const ImportChoice& choice)
{
    ReadLines read;
    const auto refuse = [&](Message why) {
        read.refused.push_back(std::move(why));
        return placeLines(std::move(read), choice);
    };
    if (csv.size() > kMaxCsvBytes)
        return refuse(MessageKind::ChannelCsvTooLarge);
    int lineNumber = 1;
    for (std::size_t start = 0; start < csv.size(); ++lineNumber) {
        std::size_t end = std::min(csv.find_first_of("\r\n", start), csv.size());
        if (end - start > kMaxLineBytes)
            return refuse({MessageKind::ChannelCsvLineTooLong, {lineNumber}});
        if (csv.substr(end, 2) == "\r\n")
            ++end;
        start = end + 1;
    }

    // A spreadsheet set to a decimal comma writes ';' between fields, the header included.
    const CsvParse parsed = parseCsv(csv, separatorOf(firstLine(csv)));
    if (!parsed.ok)
        return refuse(parsed.error);

    const SettingSelections selections = formSelections(image);
    const int field = selections[static_cast<std::size_t>(SettingBox::Field)];
    const auto band = bandLimitsForField(field);
    const std::string bandText =
        band ? bands()[static_cast<std::size_t>(field)].text : std::string();

    bool headerSeen = false;
    for (const CsvRecord& rec : parsed.records) {
        if (rec.fields.size() == 1 && trimmedField(rec.fields[0]).empty())
            continue; // a blank line
        if (!headerSeen) {
            headerSeen = true;
            const auto& names = channelColumnHeaders();
            if (!std::equal(rec.fields.begin(), rec.fields.end(), names.begin(), names.end(),
                            [](const std::string& f, const char* name) {
                                return sameWord(trimmedField(f), name);
                            }))
                return refuse({MessageKind::CsvLine, {rec.line, Message(MessageKind::HeaderExpected)}});
            continue;
        }
        ReadLine& r = read.lines.emplace_back();
        r.line.line = rec.line;
        if (rec.fields.size() != kColumns) {
            r.whole = CsvRefusal{rec.line, "", {MessageKind::FieldCount, {kColumns, rec.fields.size()}}};
            continue;
        }
        r.line.location = trimmedField(rec.fields[0]);
        const int ch = channelNamed(rec.fields[0]);
        r.line.locationChannel = ch;
        r.badLocation =
            cellError(rec.line, 0, {MessageKind::NotChannelNumber, {shownField(rec.fields[0])}});
        const bool againstHeld =
            choice.placement == Placement::ByLocation && r.line.locationChannel > 0;
        if (auto row = rowFromFields(rec, againstHeld ? csvTexts(image, ch) : ChannelTexts{}, band,
                                     bandText, r.line.refusals))
            r.line.texts = *row;
    }
    if (!headerSeen)
        return refuse({MessageKind::CsvLine, {1, Message(MessageKind::HeaderMissing)}});
    return placeLines(std::move(read), choice);
}

std::vector<Message> importChannelCsv(std::string_view csv, RadioImage& image, bool emptyUnlisted)
{
    const ImportPlan plan = planChannelTable(csv, image, {});
    std::vector<Message> refusals = refusalMessages(plan);
    if (refusals.empty())
        applyImport(plan, image, emptyUnlisted);
    return refusals;
}

void applyImport(const ImportPlan& plan, RadioImage& image, bool emptyUnlisted)
{
    std::array<const ChannelTexts*, kChannelCount + 1> rows{};
    for (const ImportLine& line : plan.lines) {
        if (line.channel > 0)
            rows[static_cast<std::size_t>(line.channel)] = &line.texts;
    }
    RadioImage result = image;
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        const ChannelTexts* row = rows[static_cast<std::size_t>(ch)];
        if (!row && !emptyUnlisted)
            continue;
        const ChannelTexts texts = row ? *row : ChannelTexts{};
        encodeChannel(texts, result, ch);
        // A cell the list gives as the file shows it keeps its bytes, down to those no text
        // shows: an empty tone's low byte, an empty channel's flag bits.
        const ChannelTexts was = csvTexts(image, ch);
        for (int c = kColReceive; c <= kColPower; ++c) {
            if (texts[static_cast<std::size_t>(c - 1)] != was[static_cast<std::size_t>(c - 1)])
                continue;
            for (const ColumnBits& b : channelColumnBits(c)) {
                std::uint8_t& byte = result.record(ch)[b.byte];
                byte = static_cast<std::uint8_t>((byte & ~b.mask) |
                                                 (image.record(ch)[b.byte] & b.mask));
            }
        }
    }
    image = result;
}

} // namespace orvo
