#pragma once
// Importing a channel list: a channel table (the export's own CSV) or the memory CSV of other
// programs, its lines read, judged and placed on channels before anything changes, so that a
// preview can show what becomes of each line and the caller applies it in one step. Plain C++.

#include "core/image/channel_codec.h"
#include "core/message/message.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvo {

// A refusal of a line or of one of its values: the line of the file (from 1; 0 for the whole
// file), the column as the file's header names it (empty for the whole line) and why.
struct CsvRefusal
{
    int line = 0;
    std::string column;
    Message reason;
};

// Where the lines go: on the channel each line's Location (CH) names, or one after another in
// the file's order from channel `start`, ticked-out lines and lines that cannot be taken aside.
enum class Placement { ByLocation, InOrder };

struct ImportChoice
{
    Placement placement = Placement::ByLocation;
    int start = 1;
    std::vector<int> leftOut; // lines of the file the user ticked out
};

// One data line of the file and what becomes of it.
struct ImportLine
{
    int line = 0;
    std::string location;      // the Location or CH value as written
    std::string name;          // the memory's Name: shown, this radio stores none
    int locationChannel = -1;  // the channel `location` names, -1 when it names none of 1..16
    ChannelTexts texts;        // the cell texts the channel takes
    std::vector<CsvRefusal> refusals; // why the line cannot be taken; empty when it can
    std::optional<double> watts;      // a Power given in watts (turned into High or Low)
    bool ticked = true;
    int channel = 0; // where it goes; 0 when it is left out or skipped
};

struct ImportPlan
{
    // Why the whole file cannot be read (its size, its header, a broken quote); no line is then
    // listed.
    std::vector<Message> refused;
    bool memoryList = false; // the memory CSV of other programs, else a channel table
    bool locationsFit = true; // every whole line names its own channel of 1..16
    std::vector<ImportLine> lines;
};

// Reads `text` (UTF-8, or UTF-16 with its byte order mark; CR, LF or CRLF line ends; ',' or
// ';' between fields, as its header shows) and places its lines as `choice` says, against the
// band of `image`'s Field. A line is skipped with its reasons when a value cannot be stored
// (a mode this radio lacks, a frequency outside the band or off the raster, a tone outside the
// table), when by Location it names no channel or one an earlier line took, and when in order
// no channel is left. By Location a channel table's frequency equal to the one its channel holds
// is taken unchecked, as a cell left alone in the window.
ImportPlan planImport(std::string_view text, const RadioImage& image, const ImportChoice& choice);

// The same for a text known to be a channel table or a memory list.
ImportPlan planChannelTable(std::string_view text, const RadioImage& image,
                            const ImportChoice& choice);
ImportPlan planMemoryList(std::string_view text, const RadioImage& image,
                          const ImportChoice& choice);

// The channel of 1..16 that `text` names (one or two digits, blanks around allowed), or -1.
int channelNamed(std::string_view text);

// The reason a skipped line shows: its first refusal ("column Mode: ..."), or that no channel
// was left. Empty for a line that is placed or ticked out.
std::optional<Message> skipReason(const ImportLine& line);

// Every reason of every skipped line, "line 3, column Tone: ..." (at most 20, then
// "... and N more"), or the file's own refusals: what an import that takes all or nothing says.
std::vector<Message> refusalMessages(const ImportPlan& plan);

// "line 3: skipped: column Mode: ..." for each skipped line.
std::vector<Message> skippedLines(const ImportPlan& plan);

// Writes the placed lines into `image` as saving from the form does; a cell equal to what the
// image shows keeps its bytes, down to those no text shows. Channels no line takes keep every
// byte, or with `emptyUnlisted` become empty.
void applyImport(const ImportPlan& plan, RadioImage& image, bool emptyUnlisted = false);

// Channels of 1..16 that hold a frequency in `before` and that the plan changes in `after` (the
// image with the plan applied).
std::vector<int> overwrittenChannels(const ImportPlan& plan, const RadioImage& before,
                                     const RadioImage& after);

} // namespace orvo
