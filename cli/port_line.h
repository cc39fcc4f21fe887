#pragma once
// The serial line orvo-cli opens a radio's port with: QtSerialLine where the program is built with
// Qt (port_verbs.cpp), the Win32 line in the Windows build (port_verbs_win.cpp).

#include "core/link/serial_line.h"

#include <memory>

namespace orvo::cli {

// A serial line for the calling thread, not yet open.
std::unique_ptr<SerialLine> makePortLine();

} // namespace orvo::cli
