#pragma once
// The channel data file: the radio's 1024 bytes as they are, read only from a regular file and
// saved atomically.

#include "core/formats/atomic_file.h"
#include "core/image/radio_image.h"

#include <string>

namespace orvo {

// Loads a channel data file. Anything but a regular file (a pipe, a device) is refused before
// a byte is read. Files of 1024 bytes or more load their first 1024 bytes; shorter
// files (empty included) are refused and `out` is left exactly as it was.
FileResult loadImageFile(const std::string& path, RadioImage& out);

// Stores the 1024 bytes through a temporary file in the same folder, flushed and then renamed
// over `path`, so a failed save leaves any previous file whole.
FileResult saveImageFile(const std::string& path, const RadioImage& image);

} // namespace orvo
