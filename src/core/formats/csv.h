#pragma once
// Comma-separated values as RFC 4180 has them: fields separated by commas, records by line
// breaks, fields quoted with '"' when they hold a comma, a quote or a line break.

#include "core/message/message.h"

#include <string>
#include <string_view>
#include <vector>

namespace orvo {

// One record and the line of the text it starts on (from 1).
struct CsvRecord
{
    int line = 0;
    std::vector<std::string> fields;
};

// Outcome of parsing: the records, or an error naming the line.
struct CsvParse
{
    bool ok = true;
    Message error; // CsvLine
    std::vector<CsvRecord> records;
};

// Parses a whole text. Accepts CRLF, LF or CR line breaks and a leading UTF-8 byte order mark; a
// final line break ends the last record and starts none. A quote inside an unquoted field is
// taken as a character; text after a closing quote and an unclosed quote are errors. Spreadsheets
// set to a decimal comma separate fields with ';', which `separator` selects.
CsvParse parseCsv(std::string_view text, char separator = ',');

// A text file's bytes as UTF-8: a file that starts with a UTF-16 byte order mark (either byte
// order, as spreadsheets save "Unicode text") is converted, any other is taken as it is.
std::string utf8Text(std::string_view bytes);

// The text up to its first line break.
std::string_view firstLine(std::string_view text);

// The separator a header line uses: ';' where it holds more of them than commas, else ','.
char separatorOf(std::string_view header);

// One record as a line of text ending in CRLF, each field quoted only when it must be.
std::string csvLine(const std::vector<std::string>& fields);

// A field without the blanks and tabs around it.
std::string_view trimmedField(std::string_view field);

// True when `a` and `b` are the same word but for the letter case of A..Z.
bool sameWord(std::string_view a, std::string_view b);

// A field as a refusal shows it: quoted and escaped as quotedText does, cut after 40 bytes with
// an ellipsis.
std::string shownField(std::string_view field);

} // namespace orvo
