#include "core/editing/channel_rows.h"

#include "core/formats/csv.h"
#include "core/image/number_text.h"
#include "core/image/tone_codec.h"

#include <algorithm>
#include <array>

namespace orvo {

namespace {

struct FlagWords
{
    const char* first;
    const char* second;
};
// The two words of each flag column, columns 5..8.
constexpr std::array<FlagWords, 4> kFlagWords{
    {{"Yes", "No"}, {"Wide", "Narrow"}, {"Add", "Delete"}, {"High", "Low"}}};

std::string trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '"'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '"' || s.back() == '\r'))
        s.remove_suffix(1);
    return std::string(s);
}

std::vector<std::vector<std::string>> splitLines(std::string_view text)
{
    std::vector<std::vector<std::string>> lines;
    if (text.find('\t') == std::string_view::npos) {
        const CsvParse parsed = parseCsv(text);
        for (const CsvRecord& record : parsed.records)
            lines.push_back(record.fields);
        return lines;
    }
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::vector<std::string> fields;
        std::string_view line = text.substr(start, end - start);
        std::size_t from = 0;
        for (std::size_t tab; (tab = line.find('\t', from)) != std::string_view::npos;
             from = tab + 1)
            fields.push_back(trimmed(line.substr(from, tab - from)));
        fields.push_back(trimmed(line.substr(from)));
        lines.push_back(std::move(fields));
        start = end + 1;
    }
    return lines;
}

bool isBlank(const std::vector<std::string>& fields)
{
    for (const std::string& f : fields) {
        if (!trimmed(f).empty())
            return false;
    }
    return true;
}

// The row a pasted line stands for; refusals go to `refused`. A pasted row is a copy: an empty
// Transmit stays empty (a listen-only channel stays one) and an empty tone stays empty. Only the
// flags of a channel with a frequency take their defaults when empty, as the grid shows no empty
// flag on such a channel.
ChannelTexts pastedRow(const std::vector<std::string>& cells, int channel,
                       std::optional<BandLimits> band, std::vector<RefusedCell>& refused)
{
    ChannelTexts row;
    auto text = [&cells](int col) { return trimmed(cells[static_cast<std::size_t>(col - 1)]); };
    bool hasFrequency = false;
    for (int col = kColReceive; col <= kColTransmit; ++col) {
        const std::string cell = text(col);
        if (cell.empty())
            continue;
        hasFrequency = true;
        const FrequencyCheck check = checkFrequency(cell, band, CommitVariant::LeaveCell);
        if (!check.accepted())
            refused.push_back({channel, col, frequencyFaultMessage(check.faults()[0])});
        row[static_cast<std::size_t>(col - 1)] = check.text;
    }
    for (int col = kColRxTone; col <= kColTxTone; ++col) {
        const std::string cell = text(col);
        if (cell.empty())
            continue;
        const std::optional<std::string> tone = listedTone(cell);
        if (!tone)
            refused.push_back({channel, col, {MessageKind::PasteNotTone, {"\"" + cell + "\""}}});
        else if (hasFrequency)
            row[static_cast<std::size_t>(col - 1)] = *tone;
    }
    for (int col = kColBusy; col <= kColPower; ++col) {
        const std::string cell = text(col);
        std::string& taken = row[static_cast<std::size_t>(col - 1)];
        const FlagWords& words = kFlagWords[static_cast<std::size_t>(col - kColBusy)];
        if (cell.empty()) {
            if (hasFrequency)
                taken = defaultRowTexts()[static_cast<std::size_t>(col - kColRxTone)];
        } else if (!sameWord(cell, words.first) && !sameWord(cell, words.second)) {
            refused.push_back(
                {channel,
                 col,
                 {MessageKind::NeitherNor, {"\"" + cell + "\"", words.first, words.second}}});
        } else if (!hasFrequency) {
            refused.push_back({channel, col, MessageKind::PasteNoFrequency});
        } else {
            taken = sameWord(cell, words.first) ? words.first : words.second;
        }
    }
    return row;
}

// A line of column names, as spreadsheets put above their rows: it names at least one column
// (ours, or `names` in the window's language; "Receive" for "Receive(MHz)") and holds no number.
bool isHeaderLine(const std::vector<std::string>& fields, const std::vector<std::string>& names)
{
    const auto bare = [](std::string name) {
        if (const std::size_t unit = name.find("(MHz)"); unit != std::string::npos)
            name.erase(unit, 5);
        return trimmed(name);
    };
    bool namesColumn = false;
    for (const std::string& f : fields) {
        if (isPlainDecimal(f))
            return false;
        const std::string field = bare(f);
        namesColumn = namesColumn || std::any_of(channelColumnHeaders().begin(),
                                                 channelColumnHeaders().end(),
                                                 [&](const char* h) {
                                                     return sameWord(field, bare(h));
                                                 }) ||
                      std::any_of(names.begin(), names.end(), [&](const std::string& n) {
                          return !field.empty() && field == bare(n);
                      });
    }
    return namesColumn;
}

} // namespace

std::string channelRowsText(const RadioImage& image, const std::vector<int>& channels,
                            char separator)
{
    auto line = [separator](const std::vector<std::string>& fields) {
        if (separator == ',')
            return csvLine(fields);
        std::string out;
        for (std::size_t i = 0; i < fields.size(); ++i)
            out += (i ? "\t" : "") + fields[i];
        return out + "\r\n";
    };
    const auto& headers = channelColumnHeaders();
    std::string out = line({headers.begin(), headers.end()});
    for (int channel : channels) {
        const ChannelTexts texts = decodeChannel(image, channel);
        std::vector<std::string> fields{std::to_string(channel)};
        fields.insert(fields.end(), texts.begin(), texts.end());
        out += line(fields);
    }
    return out;
}

PastedRows pasteChannelRows(std::string_view text, int first, std::optional<BandLimits> band,
                            const std::vector<std::string>& columnNames)
{
    PastedRows result;
    int channel = first;
    int row = 0;
    for (std::vector<std::string> fields : splitLines(text)) {
        if (isBlank(fields))
            continue;
        if (isHeaderLine(fields, columnNames))
            continue;
        ++row;
        if (channel > kChannelCount) {
            result.firstUnfitRow = result.firstUnfitRow ? result.firstUnfitRow : row;
            result.lastUnfitRow = row;
            continue;
        }
        if (fields.size() == 9)
            fields.erase(fields.begin());
        if (fields.size() != 8) {
            result.refused.push_back(
                {channel++, 0, {MessageKind::PasteColumnCount, {fields.size()}}});
            continue;
        }
        const std::size_t before = result.refused.size();
        ChannelTexts row = pastedRow(fields, channel, band, result.refused);
        if (result.refused.size() == before)
            result.rows.emplace_back(channel, std::move(row));
        ++channel;
    }
    return result;
}

} // namespace orvo
