#include "core/formats/common_csv.h"

#include "core/editing/frequency_check.h"
#include "core/formats/csv.h"
#include "core/image/number_text.h"
#include "core/image/settings_codec.h"
#include "core/image/tone_codec.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace orvo {

namespace {

constexpr std::array<const char*, 21> kColumnNames{
    "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
    "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE"};
enum Column : int {
    kLocation,
    kName,
    kFrequency,
    kDuplex,
    kOffset,
    kTone,
    kRToneFreq,
    kCToneFreq,
    kDtcsCode,
    kDtcsPolarity,
    kRxDtcsCode,
    kCrossMode,
    kMode,
    kTStep,
    kSkip,
    kPower,
};

constexpr std::size_t kMaxRefusals = 20;

// Which tone one direction of a memory carries, and the column that holds it.
enum class ToneKind { None, Ctcss, Dcs };
struct ToneSource
{
    ToneKind kind;
    int column;
};
constexpr ToneSource kNoTone{ToneKind::None, -1};
constexpr ToneSource kRTone{ToneKind::Ctcss, kRToneFreq};
constexpr ToneSource kCTone{ToneKind::Ctcss, kCToneFreq};
constexpr ToneSource kDtcs{ToneKind::Dcs, kDtcsCode};
constexpr ToneSource kRxDtcs{ToneKind::Dcs, kRxDtcsCode};

// A Tone mode (with its CrossMode for "Cross") and what it sends and receives. The export takes
// the first that says what a channel holds, so the simpler modes come first.
struct ToneMode
{
    const char* tone;
    const char* crossMode;
    ToneSource tx;
    ToneSource rx;
};
constexpr std::array<ToneMode, 12> kToneModes{{
    {"", "", kNoTone, kNoTone},
    {"Tone", "", kRTone, kNoTone},
    {"TSQL", "", kCTone, kCTone},
    {"DTCS", "", kDtcs, kDtcs},
    {"Cross", "Tone->Tone", kRTone, kCTone},
    {"Cross", "Tone->DTCS", kRTone, kRxDtcs},
    {"Cross", "DTCS->Tone", kDtcs, kCTone},
    {"Cross", "DTCS->DTCS", kDtcs, kRxDtcs},
    {"Cross", "Tone->", kRTone, kNoTone},
    {"Cross", "DTCS->", kDtcs, kNoTone},
    {"Cross", "->Tone", kNoTone, kCTone},
    {"Cross", "->DTCS", kNoTone, kRxDtcs},
}};

// The steps the export names, in units of 10 Hz, largest first.
constexpr std::array<std::uint32_t, 4> kSteps{1250, 625, 500, 250};

std::string mhz(std::int64_t units, int decimals)
{
    return formatFixed(static_cast<double>(units) / 100000.0, decimals);
}

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

CommonCsvExport exportCommonCsv(const RadioImage& image)
{
    CommonCsvExport out;
    out.text = csvLine({kColumnNames.begin(), kColumnNames.end()});
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        if (isChannelEmpty(image, ch))
            continue;
        const ChannelTexts t = decodeChannel(image, ch);
        if (t[kColBusy - 1] == "Yes")
            out.busyChannels.push_back(ch);

        // Only what typing could give: a line of anything else would not import.
        std::array<std::uint32_t, 2> units{};
        std::optional<Message> unfit;
        for (int c : {kColReceive, kColTransmit}) {
            const std::string& text = t[static_cast<std::size_t>(c - 1)];
            if (text.empty())
                continue;
            const FrequencyCheck check = checkFrequency(text, std::nullopt, CommitVariant::Enter);
            units[static_cast<std::size_t>(c - 1)] = check.units;
            if (!check.accepted() && !unfit)
                unfit = Message{MessageKind::UnfitFrequency, {channelColumnHeaders()[c], text}};
        }
        for (int c : {kColRxTone, kColTxTone}) {
            const std::string& text = t[static_cast<std::size_t>(c - 1)];
            if (!text.empty() && toneIndex(text) <= 0 && !unfit)
                unfit =
                    Message{MessageKind::UnfitTone, {channelColumnHeaders()[c], shownField(text)}};
        }
        if (unfit) {
            out.notes.push_back({ch, {MessageKind::LeftOut, {*unfit}}});
            continue;
        }

        std::vector<std::string> f(kColumnNames.size());
        f[kLocation] = std::to_string(ch);
        const std::uint32_t rx = units[0], tx = units[1];
        const bool hasRx = rx != 0, hasTx = tx != 0;
        f[kFrequency] = hasRx ? mhz(rx, 6) : "";
        const bool oneBand = std::any_of(bands().begin(), bands().end(), [&](const Band& b) {
            return rx >= b.low && rx <= b.high && tx >= b.low && tx <= b.high;
        });
        if (!hasTx) {
            f[kDuplex] = "off";
            f[kOffset] = mhz(0, 6);
        } else if (!hasRx || !oneBand) {
            f[kDuplex] = "split";
            f[kOffset] = mhz(tx, 6);
        } else {
            f[kDuplex] = tx == rx ? "" : tx > rx ? "+" : "-";
            f[kOffset] = mhz(tx > rx ? tx - rx : rx - tx, 6);
        }
        if (!hasRx)
            out.notes.push_back({ch, MessageKind::TransmitOnly});

        // Tone columns no mode reads still hold values that readers accept.
        f[kRToneFreq] = f[kCToneFreq] = "88.5";
        f[kDtcsCode] = f[kRxDtcsCode] = "023";
        f[kDtcsPolarity] = "NN";
        f[kCrossMode] = "Tone->Tone";
        const std::string& txTone = t[kColTxTone - 1];
        const std::string& rxTone = t[kColRxTone - 1];
        const auto kind = [](const std::string& tone) {
            return tone.empty() ? ToneKind::None : tone[0] == 'D' ? ToneKind::Dcs : ToneKind::Ctcss;
        };
        const ToneMode& mode = *std::find_if(kToneModes.begin(), kToneModes.end(), [&](auto& m) {
            return m.tx.kind == kind(txTone) && m.rx.kind == kind(rxTone) &&
                   (m.tx.column != m.rx.column || txTone == rxTone);
        });
        f[kTone] = mode.tone;
        if (*mode.crossMode)
            f[kCrossMode] = mode.crossMode;
        const auto put = [&f](ToneSource source, const std::string& tone, std::size_t side) {
            if (source.kind == ToneKind::Dcs) {
                f[static_cast<std::size_t>(source.column)] = tone.substr(1, 3);
                f[kDtcsPolarity][side] = tone[4] == 'I' ? 'R' : 'N';
            } else if (source.kind == ToneKind::Ctcss) {
                f[static_cast<std::size_t>(source.column)] = tone;
            }
        };
        put(mode.tx, txTone, 0);
        put(mode.rx, rxTone, 1);

        f[kMode] = t[kColWidth - 1] == "Narrow" ? "NFM" : "FM";
        for (std::uint32_t step : kSteps) {
            if (rx % step == 0 && tx % step == 0) {
                f[kTStep] = formatFixed(step / 100.0, 2);
                break;
            }
        }
        // Receive and transmit on different rasters: the step of the receive frequency.
        for (std::uint32_t step : kSteps) {
            if (f[kTStep].empty() && (hasRx ? rx : tx) % step == 0)
                f[kTStep] = formatFixed(step / 100.0, 2);
        }
        f[kSkip] = t[kColScan - 1] == "Delete" ? "S" : "";
        f[kPower] = t[kColPower - 1];
        out.text += csvLine(f);
    }
    return out;
}

std::vector<Message> exportRemarks(const CommonCsvExport& exported)
{
    std::vector<Message> remarks;
    if (!exported.busyChannels.empty()) {
        std::string list;
        for (int ch : exported.busyChannels)
            list += (list.empty() ? "" : ", ") + std::to_string(ch);
        remarks.push_back({exported.busyChannels.size() > 1 ? MessageKind::BusyNotWrittenMany
                                                            : MessageKind::BusyNotWritten,
                           {list}});
    }
    for (const CommonCsvNote& note : exported.notes)
        remarks.push_back({MessageKind::ChannelNote, {note.channel, note.text}});
    return remarks;
}

} // namespace orvo
