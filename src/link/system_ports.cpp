#include "link/system_ports.h"

#include "link/port_names.h"

#include <QSerialPortInfo>
#include <QtGlobal>

#include <cstdlib>

namespace orvo {

std::string systemPortPath(const std::string& name)
{
#ifdef Q_OS_WIN
    return name;
#else
    const int n = comPortNumber(name);
    if (n == 0)
        return name;
    const std::string variable = "ORVO_COM" + std::to_string(n);
    const char* override = std::getenv(variable.c_str());
    std::vector<ListedPort> listed;
    if (!override || !*override) {
        for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
            const QString port = info.portName();
            const bool usb = info.hasVendorIdentifier() ||
                             port.startsWith(QLatin1String("ttyUSB")) ||
                             port.startsWith(QLatin1String("ttyACM"));
            listed.push_back({info.systemLocation().toStdString(), usb});
        }
    }
    return resolvePortPath(name, override, listed);
#endif
}

} // namespace orvo
