// orvo-cli ports without Qt: the check that a port name given to a verb stands for a device, and
// the line to open it. The system's list of serial ports comes from orvo-cli-ports, which the
// ports verb runs in place of this program, and which lists them for a COMn no ORVO_COMn names.
#include "helper_programs.h"
#include "port_line.h"
#include "verbs.h"

#include "core/image/escaped_text.h"
#include "core/link/port_names.h"
#include "serial/posix_serial_line.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace orvo::cli {

namespace {

// The ports the system lists, asked of orvo-cli-ports once: each is its kind ('U' a USB
// adapter, '-' another port) and its device, ending in a zero byte.
const std::vector<ListedPort>& listedPorts()
{
    static const std::vector<ListedPort> ports = [] {
        std::vector<ListedPort> listed;
        const std::string text = helperOutput(kPortsProgram, {"--list"}).value_or(std::string());
        for (std::size_t from = 0; from < text.size();) {
            const std::size_t end = text.find('\0', from);
            if (end == std::string::npos || end - from < 2)
                break;
            listed.push_back({text.substr(from + 1, end - from - 1), text[from] == 'U'});
            from = end + 1;
        }
        return listed;
    }();
    return ports;
}

// The device `name` stands for, as the window finds it with no device chosen for it.
std::string deviceFor(const std::string& name)
{
    const int n = comPortNumber(name);
    const std::string variable = "ORVO_COM" + std::to_string(n);
    const char* override = n != 0 ? std::getenv(variable.c_str()) : nullptr;
    if (n == 0 || (override && *override))
        return resolvePortPath(name, override, {});
    return resolvePortPath(name, nullptr, listedPorts());
}

} // namespace

std::unique_ptr<SerialLine> makePortLine()
{
    return std::make_unique<PosixSerialLine>(deviceFor);
}

bool portHasDevice(const std::string& port)
{
    if (comPortNumber(port) == 0 || !deviceFor(port).empty())
        return true;
    std::fprintf(stderr, "%s has no device\n", escapedText(port).c_str());
    return false;
}

int runPorts(int argc, char** argv)
{
    return execHelper(kPortsProgram, "ports", argc, argv);
}

} // namespace orvo::cli
