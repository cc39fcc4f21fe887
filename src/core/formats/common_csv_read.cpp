#include "core/formats/common_csv.h"

#include "core/editing/frequency_check.h"
#include "core/formats/common_csv_columns.h"
#include "core/formats/csv.h"
#include "core/formats/import_lines.h"
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
               std::vector<CsvRefusal>& refused)
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
    }
    void refuseValue(int column, MessageKind expected)
    {
        refuse(column, {MessageKind::ValueIsNot, {shownField(field(column)), Message(expected)}});
    }

private:
    const CsvRecord& m_record;
    const std::array<int, kColumnNames.size()>& m_at;
    std::vector<CsvRefusal>& m_refused;
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
    if (hasDigitsPast(typed, 5)) {
        line.refuse(column, {MessageKind::FinerThanTenHz, {shownField(typed)}});
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
    if (hasDigitsPast(line.field(kOffset), 5)) {
        line.refuse(kOffset, {MessageKind::FinerThanTenHz, {shownField(line.field(kOffset))}});
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

int fieldOf(const RadioImage& image)
{
    return formSelections(image)[static_cast<std::size_t>(SettingBox::Field)];
}

// The column each name of the header stands for, found without regard to letter case and the
// blanks around it; -1 for a column this radio has no use for.
int columnOf(std::string_view name)
{
    const auto at = std::find_if(kColumnNames.begin(), kColumnNames.end(),
                                 [&](const char* c) { return sameWord(trimmedField(name), c); });
    return at == kColumnNames.end() ? -1 : static_cast<int>(at - kColumnNames.begin());
}

// The first line that is not blank, where the header stands.
std::string_view headerLine(std::string_view text)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    text.remove_prefix(std::min(text.find_first_not_of(" \t\r\n"), text.size()));
    return firstLine(text);
}

} // namespace

bool isCommonCsv(std::string_view text)
{
    const std::string_view header = headerLine(text);
    const CsvParse first = parseCsv(header, separatorOf(header));
    if (!first.ok || first.records.empty())
        return false;
    const auto& names = first.records[0].fields;
    const auto has = [&](int column) {
        return std::any_of(names.begin(), names.end(),
                           [&](const std::string& n) { return columnOf(n) == column; });
    };
    return has(kLocation) && has(kFrequency);
}

ImportPlan planMemoryList(std::string_view text, const RadioImage& image,
                          const ImportChoice& choice)
{
    ReadLines read;
    read.memoryList = true;
    if (text.size() > kMaxCommonCsvBytes) {
        read.refused.push_back(MessageKind::MemoryCsvTooLarge);
        return placeLines(std::move(read), choice);
    }
    const CsvParse parsed = parseCsv(text, separatorOf(headerLine(text)));
    if (!parsed.ok) {
        read.refused.push_back(parsed.error);
        return placeLines(std::move(read), choice);
    }
    const auto blank = [](const CsvRecord& r) {
        return std::all_of(r.fields.begin(), r.fields.end(),
                           [](const std::string& f) { return trimmedField(f).empty(); });
    };
    const auto header = std::find_if_not(parsed.records.begin(), parsed.records.end(), blank);
    if (header == parsed.records.end()) {
        read.refused.push_back({MessageKind::CsvLine, {1, Message(MessageKind::HeaderMissing)}});
        return placeLines(std::move(read), choice);
    }
    std::array<int, kColumnNames.size()> at;
    at.fill(-1);
    for (std::size_t i = 0; i < header->fields.size(); ++i) {
        const int name = columnOf(header->fields[i]);
        if (name < 0)
            continue; // a column this radio has no use for
        int& column = at[static_cast<std::size_t>(name)];
        if (column >= 0) {
            read.refused.push_back(
                {MessageKind::CsvCell,
                 {header->line, kColumnNames[static_cast<std::size_t>(name)],
                  Message(MessageKind::ColumnTwice)}});
        }
        column = static_cast<int>(i);
    }
    for (int required : {kLocation, kFrequency}) {
        if (at[static_cast<std::size_t>(required)] < 0)
            read.refused.push_back({MessageKind::CsvCell,
                                    {header->line, kColumnNames[static_cast<std::size_t>(required)],
                                     Message(MessageKind::ColumnLacking)}});
    }
    if (!read.refused.empty())
        return placeLines(std::move(read), choice);

    const int field = fieldOf(image);
    const auto band = bandLimitsForField(field);
    const char* bandText = band ? bands()[static_cast<std::size_t>(field)].text : "";
    for (auto record = header + 1; record != parsed.records.end(); ++record) {
        if (blank(*record))
            continue;
        ReadLine& read1 = read.lines.emplace_back();
        ImportLine& out = read1.line;
        out.line = record->line;
        std::vector<CsvRefusal> refused;
        MemoryLine line(*record, at, refused);
        if (record->fields.size() != header->fields.size()) {
            read1.whole = CsvRefusal{record->line, "",
                                     {MessageKind::FieldCount,
                                      {header->fields.size(), record->fields.size()}}};
            continue;
        }
        out.location = line.field(kLocation);
        out.name = line.field(kName);
        out.locationChannel = channelNamed(out.location);
        read1.badLocation = {record->line,
                             kColumnNames[kLocation],
                             {MessageKind::ValueIsNot,
                              {shownField(out.location), Message(MessageKind::ExpectLocation)}}};

        ChannelTexts& row = out.texts;
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
        if (power.empty() || sameWord(power, "High") || sameWord(power, "Low")) {
            row[kColPower - 1] = sameWord(power, "Low") ? "Low" : "High";
        } else {
            if (power.back() == 'W' || power.back() == 'w')
                power = trimmedField(power.substr(0, power.size() - 1));
            if (isPlainDecimal(power))
                out.watts = leadingNumber(power);
            else
                line.refuseValue(kPower, MessageKind::ExpectPower);
        }
        out.refusals = std::move(refused);
    }
    return placeLines(std::move(read), choice);
}

std::vector<Message> importCommonCsv(std::string_view text, RadioImage& image)
{
    const ImportPlan plan = planMemoryList(text, image, {});
    std::vector<Message> refusals = refusalMessages(plan);
    if (refusals.empty())
        applyImport(plan, image);
    return refusals;
}

} // namespace orvo
