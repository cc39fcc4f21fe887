#pragma once
// File names and cell texts as messages quote them: whatever bytes they hold, the message shows
// them without letting a terminal or a log act on them.

#include <string>
#include <string_view>

namespace orvo {

// `text` with every control character (0x00..0x1F, 0x7F), every C1 control (U+0080..U+009F,
// each of its two bytes) and every byte that is not part of well-formed UTF-8 written as \xNN
// (two upper-case hex digits). Other characters, non-ASCII ones included, stay as they are.
std::string escapedText(std::string_view text);

// escapedText(text) between double quotes: how messages name a file or show a cell.
std::string quotedText(std::string_view text);

} // namespace orvo
