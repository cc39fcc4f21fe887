// orvo-cli ports on Windows, where the system names its serial ports COMn itself: which of
// COM1..COM4 are there, and the system's other serial ports; the check that a port name given to a
// verb stands for a device; and the Win32 line to open it.
#include "port_line.h"
#include "verbs.h"

#include "core/image/escaped_text.h"
#include "core/link/port_names.h"
#include "serial/win_serial_line.h"

#include <cstdio>
#include <string>

namespace orvo::cli {

std::unique_ptr<SerialLine> makePortLine()
{
    return std::make_unique<WinSerialLine>();
}

bool portHasDevice(const std::string& port)
{
    if (comPortNumber(port) == 0 || windowsPortExists(port))
        return true;
    std::fprintf(stderr, "%s has no device\n", escapedText(port).c_str());
    return false;
}

int runPorts(int argc, char**)
{
    if (argc > 0) {
        std::fputs("orvo-cli ports: takes no arguments\nusage: orvo-cli ports\n", stderr);
        return kExitUsage;
    }
    for (int n = 1; n <= 4; ++n) {
        const std::string name = "COM" + std::to_string(n);
        std::printf("%s  %s\n", name.c_str(),
                    windowsPortExists(name) ? escapedText(windowsPortDevice(name)).c_str()
                                            : "(no device)");
    }
    // The system tells nothing more of a port by its name: the other fields stay empty.
    for (const std::string& name : windowsPorts()) {
        if (comPortNumber(name) > 4)
            std::printf("%s  -  -  -\n", escapedText(windowsPortDevice(name)).c_str());
    }
    return kExitOk;
}

} // namespace orvo::cli
