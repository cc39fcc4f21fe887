#include "core/formats/channel_import.h"

#include "core/formats/channel_csv.h"
#include "core/formats/common_csv.h"
#include "core/formats/csv.h"
#include "core/formats/import_lines.h"

#include <algorithm>
#include <array>

namespace orvo {

namespace {

constexpr std::size_t kMaxRefusals = 20;

Message refusalMessage(const CsvRefusal& r)
{
    if (r.line <= 0)
        return r.reason;
    if (r.column.empty())
        return {MessageKind::CsvLine, {r.line, r.reason}};
    return {MessageKind::CsvCell, {r.line, r.column, r.reason}};
}

} // namespace

ImportPlan placeLines(ReadLines read, const ImportChoice& choice)
{
    ImportPlan plan;
    plan.refused = std::move(read.refused);
    plan.memoryList = read.memoryList;
    std::array<int, kChannelCount + 1> givenOn{};
    std::array<bool, kChannelCount + 1> named{};
    int next = std::clamp(choice.start, 1, kChannelCount + 1);
    for (ReadLine& r : read.lines) {
        ImportLine& line = r.line;
        const int ch = line.locationChannel;
        // A broken line (its field count) says nothing about how the file numbers its lines.
        if (!r.whole) {
            plan.locationsFit =
                plan.locationsFit && ch > 0 && !named[static_cast<std::size_t>(ch)];
            if (ch > 0)
                named[static_cast<std::size_t>(ch)] = true;
        }
        line.ticked = std::find(choice.leftOut.begin(), choice.leftOut.end(), line.line) ==
                      choice.leftOut.end();
        if (r.whole) {
            line.refusals = {*r.whole};
        } else if (choice.placement == Placement::ByLocation) {
            if (ch < 0) {
                line.refusals = {r.badLocation};
            } else if (line.ticked && givenOn[static_cast<std::size_t>(ch)] != 0) {
                line.refusals = {{line.line, r.badLocation.column,
                                  {MessageKind::ChannelGivenTwice,
                                   {ch, givenOn[static_cast<std::size_t>(ch)]}}}};
            } else if (line.ticked) {
                givenOn[static_cast<std::size_t>(ch)] = line.line;
            }
        }
        if (line.refusals.empty() && line.ticked) {
            if (choice.placement == Placement::ByLocation)
                line.channel = ch;
            else if (next <= kChannelCount)
                line.channel = next++;
        }
        plan.lines.push_back(std::move(line));
    }
    // Powers in watts: the highest of the placed lines is this radio's High, any lower one Low.
    std::optional<double> highest;
    for (const ImportLine& line : plan.lines) {
        if (line.channel > 0 && line.watts)
            highest = std::max(highest.value_or(*line.watts), *line.watts);
    }
    for (ImportLine& line : plan.lines) {
        if (line.watts)
            line.texts[kColPower - 1] = highest && *line.watts < *highest ? "Low" : "High";
    }
    return plan;
}

ImportPlan planImport(std::string_view text, const RadioImage& image, const ImportChoice& choice)
{
    // A file too large is refused by its size, before it is converted to something smaller.
    const std::string utf8 = text.size() > kMaxCsvBytes ? std::string(text) : utf8Text(text);
    return isCommonCsv(utf8) ? planMemoryList(utf8, image, choice)
                             : planChannelTable(utf8, image, choice);
}

int channelNamed(std::string_view text)
{
    text = trimmedField(text);
    if (text.empty() || text.size() > 2 || text.find_first_not_of("0123456789") != text.npos)
        return -1;
    const int n = std::stoi(std::string(text));
    return n >= 1 && n <= kChannelCount ? n : -1;
}

std::optional<Message> skipReason(const ImportLine& line)
{
    if (!line.ticked || line.channel > 0)
        return std::nullopt;
    if (line.refusals.empty())
        return Message(MessageKind::NoChannelLeft);
    const CsvRefusal& first = line.refusals.front();
    if (first.column.empty())
        return first.reason;
    return Message{MessageKind::ColumnReason, {first.column, first.reason}};
}

std::vector<Message> refusalMessages(const ImportPlan& plan)
{
    if (!plan.refused.empty())
        return plan.refused;
    std::vector<Message> lines;
    for (const ImportLine& line : plan.lines) {
        if (!skipReason(line))
            continue;
        if (line.refusals.empty())
            lines.push_back(refusalMessage({line.line, "", MessageKind::NoChannelLeft}));
        for (const CsvRefusal& r : line.refusals)
            lines.push_back(refusalMessage(r));
    }
    if (lines.size() > kMaxRefusals) {
        const std::size_t more = lines.size() - kMaxRefusals;
        lines.resize(kMaxRefusals);
        lines.push_back({MessageKind::AndMoreRefused, {more}});
    }
    return lines;
}

std::vector<Message> skippedLines(const ImportPlan& plan)
{
    std::vector<Message> lines;
    for (const ImportLine& line : plan.lines) {
        if (const auto reason = skipReason(line))
            lines.push_back({MessageKind::LineSkipped, {line.line, *reason}});
    }
    return lines;
}

std::vector<int> overwrittenChannels(const ImportPlan& plan, const RadioImage& before,
                                     const RadioImage& after)
{
    std::vector<int> channels;
    for (const ImportLine& line : plan.lines) {
        const int ch = line.channel;
        if (ch <= 0)
            continue;
        const ChannelTexts now = decodeChannel(before, ch);
        const bool holds = !now[kColReceive - 1].empty() || !now[kColTransmit - 1].empty();
        if (holds && !std::equal(before.record(ch), before.record(ch) + kRecordSize,
                                 after.record(ch)))
            channels.push_back(ch);
    }
    std::sort(channels.begin(), channels.end());
    return channels;
}

} // namespace orvo
