#include "core/formats/csv.h"

#include "core/image/escaped_text.h"

#include <algorithm>

namespace orvo {

CsvParse parseCsv(std::string_view text, char separator)
{
    CsvParse result;
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);

    int line = 1;
    std::size_t i = 0;
    while (i < text.size()) {
        CsvRecord record;
        record.line = line;
        bool endOfRecord = false;
        while (!endOfRecord) {
            std::string field;
            if (i < text.size() && text[i] == '"') {
                const int opened = line;
                ++i;
                for (;;) {
                    if (i >= text.size()) {
                        result.ok = false;
                        result.error = {MessageKind::CsvLine,
                                        {opened, Message(MessageKind::QuoteNotClosed)}};
                        return result;
                    }
                    const char c = text[i++];
                    if (c == '"') {
                        if (i < text.size() && text[i] == '"') {
                            field += '"';
                            ++i;
                            continue;
                        }
                        break;
                    }
                    if (c == '\n' || (c == '\r' && (i >= text.size() || text[i] != '\n')))
                        ++line;
                    field += c;
                }
                if (i < text.size() && text[i] != separator && text[i] != '\n' &&
                    text[i] != '\r') {
                    result.ok = false;
                    result.error = {MessageKind::CsvLine,
                                    {line, Message(MessageKind::TextAfterQuote)}};
                    return result;
                }
            } else {
                while (i < text.size() && text[i] != separator && text[i] != '\n' &&
                       text[i] != '\r')
                    field += text[i++];
            }
            record.fields.push_back(std::move(field));
            if (i >= text.size()) {
                endOfRecord = true;
            } else if (text[i] == separator) {
                ++i;
            } else {
                // CRLF, LF or a CR alone, as old Macintosh programs end lines.
                if (text[i] == '\r')
                    ++i;
                if (i < text.size() && text[i] == '\n')
                    ++i;
                ++line;
                endOfRecord = true;
            }
        }
        result.records.push_back(std::move(record));
    }
    return result;
}

std::string utf8Text(std::string_view bytes)
{
    const bool little = bytes.starts_with("\xFF\xFE");
    if (!little && !bytes.starts_with("\xFE\xFF"))
        return std::string(bytes);
    const auto unit = [&](std::size_t i) {
        const auto b0 = static_cast<unsigned char>(bytes[i]);
        const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(little ? b0 | b1 << 8 : b0 << 8 | b1);
    };
    std::string out;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
            unit(i + 2) < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD; // half of a pair
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | c >> 12);
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | c >> 18);
            out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string_view firstLine(std::string_view text)
{
    return text.substr(0, text.find_first_of("\r\n"));
}

char separatorOf(std::string_view header)
{
    const auto count = [&](char c) { return std::count(header.begin(), header.end(), c); };
    return count(';') > count(',') ? ';' : ',';
}

std::string csvLine(const std::vector<std::string>& fields)
{
    std::string line;
    for (std::size_t f = 0; f < fields.size(); ++f) {
        if (f > 0)
            line += ',';
        const std::string& v = fields[f];
        if (v.find_first_of(",\"\r\n") == std::string::npos) {
            line += v;
            continue;
        }
        line += '"';
        for (char c : v) {
            if (c == '"')
                line += '"';
            line += c;
        }
        line += '"';
    }
    line += "\r\n";
    return line;
}

std::string_view trimmedField(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool sameWord(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&lower](char x, char y) { return lower(x) == lower(y); });
}

std::string shownField(std::string_view field)
{
    constexpr std::size_t kMaxShownBytes = 40;
    return quotedText(field.substr(0, kMaxShownBytes)) +
           (field.size() > kMaxShownBytes ? "\xE2\x80\xA6" : "");
}

} // namespace orvo
