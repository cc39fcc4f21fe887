// orvo-cli ports on Qt: which device each of COM1..COM4 stands for, and the system's other serial
// ports; the check that a port name given to a verb stands for a device; and the line to open it.
#include "port_line.h"
#include "verbs.h"

#include "core/image/escaped_text.h"
#include "core/link/port_names.h"
#include "serial/qt_serial_line.h"
#include "serial/system_ports.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace orvo::cli {

std::unique_ptr<SerialLine> makePortLine()
{
    return makeSerialLine();
}

bool portHasDevice(const std::string& port)
{
    if (comPortNumber(port) == 0)
        return true;
    if (!systemPortPath(port).empty())
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
    std::vector<std::string> mapped;
    for (int n = 1; n <= 4; ++n) {
        const std::string name = "COM" + std::to_string(n);
        mapped.push_back(systemPortPath(name));
        std::printf("%s  %s\n", name.c_str(), escapedText(describePort(name)).c_str());
    }
    for (const SystemPort& port : systemPorts()) {
        if (std::find(mapped.begin(), mapped.end(), port.path) != mapped.end())
            continue;
        // What USB devices say of themselves is shown escaped, as a file name is.
        std::string line = escapedText(port.path);
        for (const std::string* field : {&port.description, &port.manufacturer, &port.serialNumber})
            line += "  " + (field->empty() ? std::string("-") : escapedText(*field));
        std::printf("%s\n", line.c_str());
    }
    return kExitOk;
}

} // namespace orvo::cli
