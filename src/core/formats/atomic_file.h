#pragma once
// The program's file calls, in one place: reading a whole regular file without ever blocking on
// a pipe or a device, and writing a whole file so that readers see either the old contents or
// the new, never a part. The data goes to an unnamed file in the same folder, is flushed to the
// disk and is then given the target's name.

#include "core/message/message.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace orvo {

// Outcome of a file operation: ok, or a message for the user naming the path.
struct FileResult
{
    bool ok = true;
    Message error;

    FileResult() = default;
    FileResult(bool ok, Message error) : ok(ok), error(std::move(error)) {}

    // The error in English, for orvo-cli, logs and the simulator.
    std::string errorText() const { return messageText(error); }
};

// Replaces `path` with `data`. Only a regular file or a new name is written: a device, a pipe, a
// folder, a link to nothing or a link loop is refused by name and left as it is. A link to a
// regular file is followed by the kernel (with its protections for shared folders) and the file
// it reaches is replaced; the link stays. A file that this process may not write is refused, as
// writing into it would be. On failure any previous file at `path` is left whole, no temporary
// file is left behind, and the result carries a user-facing error naming the path. A kill
// part-way leaves no temporary file where the system offers unnamed files; elsewhere the
// leftovers of dead processes are removed by the next save to the same name. A new file gets
// the usual permissions (0666 less the umask); a replaced file keeps its permissions.
FileResult writeFileAtomically(const std::string& path, std::string_view data);

// Whether writeFileAtomically(path, ...) would find what it needs, checked without changing
// anything: the same refusals by kind and permission, and a file made and removed at once in the
// folder. For targets that must be known good before work that cannot be repeated begins.
FileResult checkWritableTarget(const std::string& path);

// Reads up to `limit` bytes of the regular file `path` into `out`; `truncated` tells whether the
// file holds more. Anything but a regular file (a pipe, a device, a folder) is refused by name
// before a byte is read, and opening never waits for a writer. On failure `out` is unchanged and
// the result carries a user-facing error naming the path.
FileResult readRegularFile(const std::string& path, std::size_t limit, std::string& out,
                           bool& truncated);

} // namespace orvo
