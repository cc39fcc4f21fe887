#include "serial/system_ports.h"

#include "core/link/port_names.h"
#include "core/message/translate_noop.h"

#include <QFileInfo>
#include <QSerialPortInfo>
#include <QtGlobal>

#include <algorithm>
#include <cstdlib>

namespace orvo {

std::vector<SystemPort> systemPorts()
{
    std::vector<SystemPort> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        const QString port = info.portName();
        const bool usb = info.hasVendorIdentifier() || port.startsWith(QLatin1String("ttyUSB")) ||
                         port.startsWith(QLatin1String("ttyACM"));
        ports.push_back({info.systemLocation().toStdString(), info.description().toStdString(),
                         info.manufacturer().toStdString(), info.serialNumber().toStdString(),
                         usb});
    }
    std::stable_sort(ports.begin(), ports.end(), [](const SystemPort& a, const SystemPort& b) {
        return a.usb != b.usb ? a.usb : a.path < b.path;
    });
    return ports;
}

std::string environmentPortDevice(int n)
{
#ifdef Q_OS_WIN
    Q_UNUSED(n);
    return {};
#else
    const std::string variable = "ORVO_COM" + std::to_string(n);
    const char* value = std::getenv(variable.c_str());
    return value ? std::string(value) : std::string();
#endif
}

bool portDeviceExists(const std::string& device)
{
#ifdef Q_OS_WIN
    Q_UNUSED(device);
    return true;
#else
    return device.empty() || device.front() != '/' ||
           QFileInfo::exists(QString::fromStdString(device));
#endif
}

std::string systemPortPath(const std::string& name, const ChosenDevices& chosenDevices)
{
#ifdef Q_OS_WIN
    Q_UNUSED(chosenDevices);
    return name;
#else
    const int n = comPortNumber(name);
    if (n == 0)
        return name;
    const std::string variable = environmentPortDevice(n);
    const char* override = variable.empty() ? nullptr : variable.c_str();
    const std::string chosen =
        n >= 1 && n <= 4 ? chosenDevices[static_cast<std::size_t>(n - 1)] : std::string();
    std::vector<ListedPort> listed;
    if (!override && chosen.empty()) {
        // A device chosen for another COMn is that one's, not a candidate for this one.
        for (const SystemPort& port : systemPorts()) {
            const bool taken = std::find(chosenDevices.begin(), chosenDevices.end(), port.path) !=
                               chosenDevices.end();
            if (!taken)
                listed.push_back({port.path, port.usb});
        }
    }
    return resolvePortPath(name, override, chosen, listed);
#endif
}

std::string describePort(const std::string& name, const ChosenDevices& chosen)
{
    const std::string device = systemPortPath(name, chosen);
    if (device.empty())
        return QT_TRANSLATE_NOOP("orvo", "(no device)");
    std::string text = device;
    for (const SystemPort& port : systemPorts()) {
        if (port.path != device)
            continue;
        std::string label = port.manufacturer;
        if (!port.description.empty() && port.description != port.manufacturer)
            label += (label.empty() ? "" : " ") + port.description;
        if (!label.empty())
            text += "  " + label;
    }
    return text;
}

} // namespace orvo
