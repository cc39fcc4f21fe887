#include "core/link/port_names.h"

#include "core/image/escaped_text.h"

#include <algorithm>

namespace orvo {

int comPortNumber(const std::string& name)
{
    if (name.size() < 4 || name.size() > 6 || name.compare(0, 3, "COM") != 0 || name[3] == '0')
        return 0;
    int n = 0;
    for (std::size_t i = 3; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9')
            return 0;
        n = n * 10 + (name[i] - '0');
    }
    return n;
}

std::vector<ListedPort> orderListedPorts(std::vector<ListedPort> ports)
{
    std::stable_sort(ports.begin(), ports.end(), [](const ListedPort& a, const ListedPort& b) {
        if (a.usb != b.usb)
            return a.usb;
        return a.path < b.path;
    });
    return ports;
}

std::string resolvePortPath(const std::string& name, const char* override,
                            const std::vector<ListedPort>& listed)
{
    return resolvePortPath(name, override, std::string(), listed);
}

std::string resolvePortPath(const std::string& name, const char* override,
                            const std::string& chosen, const std::vector<ListedPort>& listed)
{
    const int n = comPortNumber(name);
    if (n == 0)
        return name;
    if (override && *override)
        return override;
    if (!chosen.empty())
        return chosen;
    const std::vector<ListedPort> ordered = orderListedPorts(listed);
    if (static_cast<std::size_t>(n) > ordered.size())
        return {};
    return ordered[static_cast<std::size_t>(n) - 1].path;
}

Message openFailureReason(const std::string& name, const std::string& device,
                          const std::string& reason)
{
    if (device.empty())
        return {MessageKind::NoDevice, {escapedText(name)}};
    if (reason.empty())
        return {MessageKind::Text, {escapedText(device)}};
    return {MessageKind::DeviceRefused, {escapedText(device), reason}};
}

} // namespace orvo
