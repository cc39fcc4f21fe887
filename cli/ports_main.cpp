// orvo-cli-ports: the ports verb of orvo-cli, which runs it in place of itself, and the list of
// the system's serial ports orvo-cli asks of it for a COMn (--list). The list comes from Qt's, the
// one the window shows, so a COMn is the same device in both.
#include "verbs.h"

#include "core/image/escaped_text.h"
#include "serial/system_ports.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace orvo::cli {

namespace {

// Which device each of COM1..COM4 stands for, then the system's other serial ports.
int printPorts(int argc)
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

// Each port as 'U' (a USB adapter) or '-', its device, and a zero byte.
int listPorts()
{
    for (const SystemPort& port : systemPorts()) {
        std::putchar(port.usb ? 'U' : '-');
        std::fwrite(port.path.c_str(), 1, port.path.size() + 1, stdout);
    }
    return kExitOk;
}

} // namespace

} // namespace orvo::cli

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const bool list = argc == 2 && std::strcmp(argv[1], "--list") == 0;
    return orvo::cli::withOutputFlushed(list ? orvo::cli::listPorts()
                                             : orvo::cli::printPorts(argc - 1));
}
