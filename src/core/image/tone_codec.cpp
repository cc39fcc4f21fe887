#include "core/image/tone_codec.h"

#include "core/image/number_text.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace orvo {

namespace {

// CTCSS tones in tenths of a hertz, ascending.
constexpr std::array<int, 50> kCtcssTenths{
    670,  693,  719,  744,  770,  797,  825,  854,  885,  915,  948,  974,  1000,
    1035, 1072, 1109, 1148, 1188, 1230, 1273, 1318, 1365, 1413, 1462, 1514, 1567,
    1598, 1622, 1655, 1679, 1713, 1738, 1773, 1799, 1835, 1862, 1899, 1928, 1966,
    1995, 2035, 2065, 2107, 2181, 2257, 2291, 2336, 2418, 2503, 2541};

// DCS codes, ascending; each is written as the three octal digits the text shows.
constexpr std::array<const char*, 105> kDcsCodes{
    "023", "025", "026", "031", "032", "036", "043", "047", "051", "053", "054", "065",
    "071", "072", "073", "074", "114", "115", "116", "122", "125", "131", "132", "134",
    "143", "145", "152", "155", "156", "162", "165", "172", "174", "205", "212", "223",
    "225", "226", "243", "244", "245", "246", "251", "252", "255", "261", "263", "265",
    "266", "271", "274", "306", "311", "315", "325", "331", "332", "343", "346", "351",
    "356", "364", "365", "371", "411", "412", "413", "423", "431", "432", "445", "446",
    "452", "454", "455", "462", "464", "465", "466", "503", "506", "516", "523", "526",
    "532", "546", "565", "606", "612", "624", "627", "631", "632", "645", "654", "662",
    "664", "703", "712", "723", "731", "732", "734", "743", "754"};

// Longest table text ("D023N", "254.1"); anything longer matches no entry.
constexpr std::size_t kLongestTone = 5;

std::string tenthsText(int tenths)
{
    return std::to_string(tenths / 10) + '.' + static_cast<char>('0' + tenths % 10);
}

std::vector<std::string> buildTable()
{
    std::vector<std::string> table;
    table.reserve(kToneCount);
    table.emplace_back("Off");
    for (int tenths : kCtcssTenths)
        table.push_back(tenthsText(tenths));
    for (const char* code : kDcsCodes)
        table.push_back(std::string("D") + code + 'N');
    for (const char* code : kDcsCodes)
        table.push_back(std::string("D") + code + 'I');
    return table;
}

char upper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Upper-case copy of a table text and its index, sorted for case-blind look-up.
struct UpperEntry
{
    std::array<char, kLongestTone + 1> text{};
    int index;
};

std::array<char, kLongestTone + 1> upperKey(std::string_view text)
{
    std::array<char, kLongestTone + 1> key{};
    for (std::size_t i = 0; i < text.size() && i < kLongestTone; ++i)
        key[i] = upper(text[i]);
    return key;
}

const std::vector<UpperEntry>& upperIndex()
{
    static const std::vector<UpperEntry> index = [] {
        std::vector<UpperEntry> v;
        const auto& table = toneTable();
        for (int i = 0; i < kToneCount; ++i)
            v.push_back({upperKey(table[static_cast<std::size_t>(i)]), i});
        std::sort(v.begin(), v.end(),
                  [](const UpperEntry& a, const UpperEntry& b) { return a.text < b.text; });
        return v;
    }();
    return index;
}

std::uint8_t packed(unsigned value)
{
    return static_cast<std::uint8_t>((value / 10) * 16 + value % 10);
}

int highNibble(std::uint8_t b)
{
    return b >> 4;
}
int lowNibble(std::uint8_t b)
{
    return b & 0x0F;
}

} // namespace

const std::vector<std::string>& toneTable()
{
    static const std::vector<std::string> table = buildTable();
    return table;
}

std::string decodeTone(std::uint8_t low, std::uint8_t high)
{
    if (high == 0xFF || high == 0x00)
        return {};
    const int lowValue = highNibble(low) * 10 + lowNibble(low);
    if (high >= 0x80) {
        const bool inverted = high >= 0xC0;
        const int d = high - (inverted ? 0xC0 : 0x80);
        // A first digit of 0 is written as a literal "0" before the remaining number, so
        // 06 80 reads "D06N", not "D006N".
        std::string text = d == 0 ? "D0" : "D";
        text += std::to_string(d * 100 + lowValue);
        text += inverted ? 'I' : 'N';
        return text;
    }
    return tenthsText((highNibble(high) * 10 + lowNibble(high)) * 100 + lowValue);
}

int toneIndex(std::string_view text)
{
    if (text.empty() || text.size() > kLongestTone || text.find('\0') != std::string_view::npos)
        return -1;
    const auto key = upperKey(text);
    const auto& index = upperIndex();
    const auto it = std::lower_bound(index.begin(), index.end(), key,
                                     [](const UpperEntry& e, const auto& k) { return e.text < k; });
    return (it != index.end() && it->text == key) ? it->index : -1;
}

std::optional<std::string> canonicalTone(std::string_view text)
{
    const int i = toneIndex(text);
    if (i < 0)
        return std::nullopt;
    return toneTable()[static_cast<std::size_t>(i)];
}

std::optional<std::string> listedTone(std::string_view text)
{
    if (auto entry = canonicalTone(text))
        return entry;
    if (!isPlainDecimal(text))
        return std::nullopt;
    // Every CTCSS entry has one decimal; digits after it must all be 0 to name the same value.
    const std::size_t point = text.find('.');
    if (point != std::string_view::npos && point + 2 < text.size()) {
        for (char c : text.substr(point + 2)) {
            if (c != '0' && c != ' ' && c != '\t')
                return std::nullopt;
        }
    }
    const std::int64_t tenths = scaledLeadingNumber(text, 1);
    if (tenths <= 0 || tenths >= 10000)
        return std::nullopt;
    return canonicalTone(tenthsText(static_cast<int>(tenths)));
}

std::optional<ToneBytes> rawToneBytes(std::string_view text)
{
    if (text.size() != 6 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X'))
        return std::nullopt;
    unsigned value = 0;
    for (char c : text.substr(2)) {
        const char u = upper(c);
        if (u >= '0' && u <= '9')
            value = value * 16 + static_cast<unsigned>(u - '0');
        else if (u >= 'A' && u <= 'F')
            value = value * 16 + static_cast<unsigned>(u - 'A' + 10);
        else
            return std::nullopt;
    }
    return ToneBytes{static_cast<std::uint8_t>(value & 0xFF),
                     static_cast<std::uint8_t>(value >> 8)};
}

std::string exactToneText(ToneBytes bytes)
{
    if (bytes.high == 0xFF || bytes.high == 0x00)
        return {};
    std::string text = decodeTone(bytes.low, bytes.high);
    if (toneIndex(text) >= 0 && encodeTone(text) == bytes)
        return text;
    static const char kHex[] = "0123456789ABCDEF";
    text = "0x";
    for (std::uint8_t b : {bytes.high, bytes.low}) {
        text += kHex[b >> 4];
        text += kHex[b & 0x0F];
    }
    return text;
}

ToneBytes encodeTone(std::string_view text)
{
    if (const auto raw = rawToneBytes(text))
        return *raw;
    if (const int i = toneIndex(text); i >= 0)
        text = toneTable()[static_cast<std::size_t>(i)];

    if (text.find('D') != std::string_view::npos) {
        const std::string_view rest = text.substr(1);
        unsigned long n = 0;
        for (std::size_t i = 0; i < rest.size() && rest[i] >= '0' && rest[i] <= '9'; ++i) {
            if (n < 1'000'000'000)
                n = n * 10 + static_cast<unsigned long>(rest[i] - '0');
        }
        const unsigned long base = rest.find('N') != std::string_view::npos ? 0x80 : 0xC0;
        return {packed(static_cast<unsigned>(n % 100)),
                static_cast<std::uint8_t>((base + n / 100) & 0xFF)};
    }

    // CTCSS: the value in whole tenths of a hertz, exact for every decimal text.
    const std::int64_t tenths = scaledLeadingNumber(text, 1);
    if (tenths <= 0 || tenths >= 10000)
        return {0xFF, 0xFF};
    const auto v = static_cast<unsigned>(tenths);
    return {packed(v % 100), packed(v / 100)};
}

} // namespace orvo
