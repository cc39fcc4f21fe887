#pragma once
// What the readers of the two list formats hand to the placing of their lines.

#include "core/formats/channel_import.h"

#include <optional>
#include <vector>

namespace orvo {

// A data line as read, before it is placed.
struct ReadLine
{
    ImportLine line;
    std::optional<CsvRefusal> whole; // the line itself is broken (its field count): only this
    CsvRefusal badLocation;          // said when the line is placed by a Location it lacks
};

struct ReadLines
{
    std::vector<Message> refused;
    bool memoryList = false;
    std::vector<ReadLine> lines;
};

// Places the lines as `choice` says (see planImport).
ImportPlan placeLines(ReadLines read, const ImportChoice& choice);

} // namespace orvo
