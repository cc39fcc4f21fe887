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
                    if (c == '\n')
                        ++line;
                    field += c;
                }
                if (i < text.size() && text[i] != separator && text[i] != '\n' &&
                    !(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') &&
                    !(text[i] == '\r' && i + 1 == text.size())) {
                    result.ok = false;
                    result.error = {MessageKind::CsvLine,
                                    {line, Message(MessageKind::TextAfterQuote)}};
                    return result;
                }
            } else {
                while (i < text.size() && text[i] != separator && text[i] != '\n' &&
                       !(text[i] == '\r' && (i + 1 == text.size() || text[i + 1] == '\n')))
                    field += text[i++];
            }
            record.fields.push_back(std::move(field));
            if (i >= text.size()) {
                endOfRecord = true;
            } else if (text[i] == separator) {
                ++i;
            } else {
                // CRLF or LF (or a CR ending the text).
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
