#include "core/formats/common_csv.h"

#include "core/editing/frequency_check.h"
#include "core/formats/common_csv_columns.h"
#include "core/formats/csv.h"
#include "core/image/number_text.h"
#include "core/image/settings_codec.h"
#include "core/image/tone_codec.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace orvo {

using namespace commoncsv;

namespace {

constexpr std::size_t kMaxRefusals = 20;

// Why a checked frequency is refused, in the words of typing it; a band fault names the band.
Message faultReason(const FrequencyCheck& check, const char* bandText)
{
    const FrequencyFault fault = check.faults()[0];
    if (fault == FrequencyFault::Band)
        return {MessageKind::OutsideBand, {mhz(check.units, 5), bandText}};
    return frequencyFaultMessage(fault);
}

// One data line, its fields found by column, its refusals collected.
class MemoryLine
{
public:
    MemoryLine(const CsvRecord& record, const std::array<int, kColumnNames.size()>& at,
               std::vector<CommonCsvRefusal>& refused)
        : m_record(record), m_at(at), m_refused(refused)
    {
    }

    std::string_view field(int column) const
    {
        const int i = m_at[static_cast<std::size_t>(column)];
        return i < 0 ? std::string_view()
                     : trimmedField(m_record.fields[static_cast<std::size_t>(i)]);
    }

    void refuse(int column, Message reason)
    {
        m_refused.push_back({m_record.line,
                             column < 0 ? "" : kColumnNames[static_cast<std::size_t>(column)],
                             std::move(reason)});
        m_ok = false;
    }
    void refuseValue(int column, MessageKind expected)
    {
        refuse(column, {MessageKind::ValueIsNot, {shownField(field(column)), Message(expected)}});
    }

    bool ok() const { return m_ok; }

private:
    const CsvRecord& m_record;
    const std::array<int, kColumnNames.size()>& m_at;
    std::vector<CommonCsvRefusal>& m_refused;
    bool m_ok = true;
};

// The checked text of a frequency column, or empty after a refusal.
std::string frequencyOf(MemoryLine& line, int column, std::optional<BandLimits> band,
                        const char* bandText, std::uint32_t* units = nullptr)
{
    const std::string_view typed = line.field(column);
    if (!isPlainDecimal(typed)) {
        line.refuseValue(column, MessageKind::ExpectFrequency);
        return {};
    }
    const FrequencyCheck check = checkFrequency(typed, band, CommitVariant::LeaveCell);
    if (!check.accepted()) {
        line.refuse(column, faultReason(check, bandText));
        return {};
    }
    if (units)
        *units = check.units;
    return check.text;
}

// The transmit frequency that Duplex and Offset give with the receive frequency `rx`.
std::string transmitOf(MemoryLine& line, const std::string& rx, std::uint32_t rxUnits,
                       std::optional<BandLimits> band, const char* bandText)
{
    const std::string_view duplex = line.field(kDuplex);
    if (sameWord(duplex, "split"))
        return frequencyOf(line, kOffset, band, bandText);
    if (duplex.empty())
        return rx;
    if (sameWord(duplex, "off"))
        return {};
    if (duplex != "+" && duplex != "-") {
        line.refuseValue(kDuplex, MessageKind::ExpectDuplex);
        return {};
    }
    if (!isPlainDecimal(line.field(kOffset))) {
        line.refuseValue(kOffset, MessageKind::ExpectOffset);
        return {};
    }
    if (rx.empty())
        return {}; // the receive frequency was refused
    const std::int64_t offset = scaledLeadingNumber(line.field(kOffset), 5);
    const std::string tx = mhz(rxUnits + (duplex == "+" ? offset : -offset), 5);
    const FrequencyCheck check = checkFrequency(tx, band, CommitVariant::LeaveCell);
    if (!check.accepted()) {
        const bool bandFault = check.faults()[0] == FrequencyFault::Band;
        line.refuse(kOffset, bandFault ? Message{MessageKind::TransmitFrequencyRefused,
                                                 {faultReason(check, bandText)}}
                                       : Message{MessageKind::TransmitFrequencyFault,
                                                 {tx, faultReason(check, "")}});
        return {};
    }
    return check.text;
}

// The tone table entry of one direction: `polarity` is the letter of DtcsPolarity for it.
std::optional<std::string> toneOf(MemoryLine& line, ToneSource source, char polarity)
{
    const std::string_view value = line.field(source.column);
    if (source.kind == ToneKind::Ctcss) {
        const std::int64_t tenths = scaledLeadingNumber(value, 1);
        if (isPlainDecimal(value) && scaledLeadingNumber(value, 6) == tenths * 100000) {
            if (auto entry = canonicalTone(formatFixed(static_cast<double>(tenths) / 10, 1)))
                return entry;
        }
        line.refuseValue(source.column, MessageKind::ExpectCtcss);
        return std::nullopt;
    }
    const bool digits =
        !value.empty() && value.size() <= 3 &&
        std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (digits) {
        const std::string code = std::string(3 - value.size(), '0') + std::string(value);
        if (auto entry = canonicalTone("D" + code + (polarity == 'R' ? "I" : "N")))
            return entry;
    }
    line.refuseValue(source.column, MessageKind::ExpectDcs);
    return std::nullopt;
}

// The receive and transmit tone texts that Tone, CrossMode and their columns give.
void tonesOf(MemoryLine& line, ChannelTexts& row)
{
    const std::string_view tone = line.field(kTone);
    const bool cross = sameWord(tone, "Cross");
    const auto mode = std::find_if(kToneModes.begin(), kToneModes.end(), [&](const ToneMode& m) {
        return sameWord(tone, m.tone) && (!cross || sameWord(line.field(kCrossMode), m.crossMode));
    });
    if (mode == kToneModes.end()) {
        if (cross)
            line.refuseValue(kCrossMode, MessageKind::ExpectCrossMode);
        else
            line.refuseValue(kTone, MessageKind::ExpectToneMode);
        return;
    }
    std::string polarity(line.field(kDtcsPolarity));
    std::transform(polarity.begin(), polarity.end(), polarity.begin(), [](char c) {
        return static_cast<char>(c == 'n' ? 'N' : c == 'r' ? 'R' : c);
    });
    const bool twoLetters =
        polarity.size() == 2 && polarity.find_first_not_of("NR") == std::string::npos;
    if ((mode->tx.kind == ToneKind::Dcs || mode->rx.kind == ToneKind::Dcs) && !twoLetters) {
        line.refuseValue(kDtcsPolarity, MessageKind::ExpectPolarity);
        return;
    }
    const auto letter = [&](std::size_t side) { return twoLetters ? polarity[side] : 'N'; };
    std::optional<std::string> tx;
    if (mode->tx.kind != ToneKind::None) {
        tx = toneOf(line, mode->tx, letter(0));
        row[kColTxTone - 1] = tx.value_or("");
    }
    // TSQL and DTCS read the same column twice; a refusal of it is given once.
    if (mode->rx.kind != ToneKind::None && (mode->rx.column != mode->tx.column || tx))
        row[kColRxTone - 1] = toneOf(line, mode->rx, letter(1)).value_or("");
}

int channelOf(std::string_view text)
{
    if (text.empty() || text.size() > 2 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return -1;
    const int n = std::stoi(std::string(text));
    return n >= 1 && n <= kChannelCount ? n : -1;
}

int fieldOf(const RadioImage& image)
{
    return formSelections(image)[static_cast<std::size_t>(SettingBox::Field)];
}

} // namespace

bool isCommonCsv(std::string_view text)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    text.remove_prefix(std::min(text.find_first_not_of(" \t\r\n"), text.size()));
    const CsvParse first = parseCsv(text.substr(0, text.find('\n')));
    if (!first.ok || first.records.empty())
        return false;
    const auto& names = first.records[0].fields;
    const auto has = [&](std::string_view name) {
        return std::any_of(names.begin(), names.end(),
                           [&](const std::string& n) { return trimmedField(n) == name; });
    };
    return has(kColumnNames[kLocation]) && has(kColumnNames[kFrequency]);
}

CommonCsvRows parseCommonCsv(std::string_view text, const RadioImage& image)
{
    CommonCsvRows result;
    std::vector<CommonCsvRefusal>& refused = result.refused;
    if (text.size() > kMaxCommonCsvBytes) {
        refused.push_back({0, "", MessageKind::MemoryCsvTooLarge});
        return result;
    }
    const CsvParse parsed = parseCsv(text);
    if (!parsed.ok) {
        refused.push_back({0, "", parsed.error});
        return result;
    }
    const auto blank = [](const CsvRecord& r) {
        return std::all_of(r.fields.begin(), r.fields.end(),
                           [](const std::string& f) { return trimmedField(f).empty(); });
    };
    const auto header = std::find_if_not(parsed.records.begin(), parsed.records.end(), blank);
    if (header == parsed.records.end()) {
        refused.push_back({1, "", MessageKind::HeaderMissing});
        return result;
    }
    std::array<int, kColumnNames.size()> at;
    at.fill(-1);
    for (std::size_t i = 0; i < header->fields.size(); ++i) {
        const auto name =
            std::find(kColumnNames.begin(), kColumnNames.end(), trimmedField(header->fields[i]));
        if (name == kColumnNames.end())
            continue; // a column this radio has no use for
        int& column = at[static_cast<std::size_t>(name - kColumnNames.begin())];
        if (column >= 0)
            refused.push_back({header->line, *name, MessageKind::ColumnTwice});
        column = static_cast<int>(i);
    }
    for (int required : {kLocation, kFrequency}) {
        if (at[static_cast<std::size_t>(required)] < 0)
            refused.push_back({header->line, kColumnNames[required], MessageKind::ColumnLacking});
    }
    if (!refused.empty())
        return result;

    const int field = fieldOf(image);
    const auto band = bandLimitsForField(field);
    const char* bandText = band ? bands()[static_cast<std::size_t>(field)].text : "";
    std::array<int, kChannelCount + 1> givenOn{};
    std::vector<std::optional<double>> watts; // per row: the Power in watts, if given so
    for (auto record = header + 1; record != parsed.records.end(); ++record) {
        if (blank(*record))
            continue;
        MemoryLine line(*record, at, refused);
        if (record->fields.size() != header->fields.size()) {
            line.refuse(-1,
                        {MessageKind::FieldCount, {header->fields.size(), record->fields.size()}});
            continue;
        }
        const int channel = channelOf(line.field(kLocation));
        if (channel < 0) {
            line.refuseValue(kLocation, MessageKind::ExpectLocation);
            continue;
        }
        int& first = givenOn[static_cast<std::size_t>(channel)];
        if (first != 0) {
            line.refuse(kLocation, {MessageKind::ChannelGivenTwice, {channel, first}});
            continue;
        }
        first = record->line;

        ChannelTexts row;
        std::uint32_t rxUnits = 0;
        if (!line.field(kFrequency).empty() || !sameWord(line.field(kDuplex), "split"))
            row[kColReceive - 1] = frequencyOf(line, kFrequency, band, bandText, &rxUnits);
        row[kColTransmit - 1] = transmitOf(line, row[kColReceive - 1], rxUnits, band, bandText);
        tonesOf(line, row);
        row[kColBusy - 1] = "No";

        const std::string_view mode = line.field(kMode);
        if (mode.empty() || sameWord(mode, "FM") || sameWord(mode, "NFM"))
            row[kColWidth - 1] = sameWord(mode, "NFM") ? "Narrow" : "Wide";
        else
            line.refuseValue(kMode, MessageKind::ExpectMode);

        const std::string_view skip = line.field(kSkip);
        if (skip.empty() || sameWord(skip, "S"))
            row[kColScan - 1] = skip.empty() ? "Add" : "Delete";
        else
            line.refuseValue(kSkip, MessageKind::ExpectSkip);

        std::string_view power = line.field(kPower);
        std::optional<double> w;
        if (power.empty() || sameWord(power, "High") || sameWord(power, "Low")) {
            row[kColPower - 1] = sameWord(power, "Low") ? "Low" : "High";
        } else {
            if (power.back() == 'W' || power.back() == 'w')
                power = trimmedField(power.substr(0, power.size() - 1));
            if (isPlainDecimal(power))
                w = leadingNumber(power);
            else
                line.refuseValue(kPower, MessageKind::ExpectPower);
        }
        if (line.ok()) {
            result.rows.emplace_back(channel, row);
            watts.push_back(w);
        }
    }

    if (!refused.empty()) {
        result.rows.clear();
        if (refused.size() > kMaxRefusals) {
            result.moreRefused = static_cast<int>(refused.size() - kMaxRefusals);
            refused.resize(kMaxRefusals);
        }
        return result;
    }
    // Powers in watts: the highest is this radio's High, any lower one its Low.
    const auto highest = std::max_element(watts.begin(), watts.end());
    for (std::size_t i = 0; i < watts.size(); ++i) {
        if (watts[i])
            result.rows[i].second[kColPower - 1] = *watts[i] < **highest ? "Low" : "High";
    }
    return result;
}

std::vector<Message> refusalMessages(const CommonCsvRows& parsed)
{
    std::vector<Message> lines;
    for (const CommonCsvRefusal& r : parsed.refused) {
        if (r.line <= 0)
            lines.push_back(r.reason);
        else if (r.column.empty())
            lines.push_back({MessageKind::CsvLine, {r.line, r.reason}});
        else
            lines.push_back({MessageKind::CsvCell, {r.line, r.column, r.reason}});
    }
    if (parsed.moreRefused > 0)
        lines.push_back({MessageKind::AndMoreRefused, {parsed.moreRefused}});
    return lines;
}

std::vector<Message> importCommonCsv(std::string_view text, RadioImage& image)
{
    const CommonCsvRows parsed = parseCommonCsv(text, image);
    for (const auto& [channel, texts] : parsed.rows)
        encodeChannel(texts, image, channel);
    return refusalMessages(parsed);
}

} // namespace orvo
