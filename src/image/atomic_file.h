#pragma once
// Writing a whole file so that readers see either the old contents or the new, never a part:
// the data goes to a temporary file in the same folder, is flushed to the disk and then renamed
// over the target.

#include "image/radio_image.h"

#include <string>
#include <string_view>

namespace orvo {

// Replaces `path` with `data`. A file at `path` that this process may not write is refused, as
// writing into it would be. On failure the temporary file is removed, any previous file at
// `path` is left whole, and the result carries a user-facing error naming the path. A new file
// gets the usual permissions (0666 less the umask); a replaced file keeps its permissions.
FileResult writeFileAtomically(const std::string& path, std::string_view data);

} // namespace orvo
