#pragma once
// How the user's port names "COM1".."COM4" find a device on a system that names its ports
// otherwise. The system's own list and environment are looked up elsewhere; this is the rule.

#include "core/message/message.h"

#include <string>
#include <vector>

namespace orvo {

// A serial port the system lists.
struct ListedPort
{
    std::string path; // device to open, e.g. "/dev/ttyUSB0"
    bool usb = false; // a USB serial adapter, the usual programming cable
};

// n for "COMn" (n >= 1, upper case, no leading zero), 0 for any other name.
int comPortNumber(const std::string& name);

// USB adapters first, then the others, each group by path.
std::vector<ListedPort> orderListedPorts(std::vector<ListedPort> ports);

// The device to open for `name`. A name that is not "COMn" is a device path and stays as it is.
// "COMn" is `override` when that is set and not empty (the ORVO_COMn variable), else the n-th of
// the ordered listed ports; empty when there are fewer than n.
std::string resolvePortPath(const std::string& name, const char* override,
                            const std::vector<ListedPort>& listed);

// As above, with the device the user chose for "COMn" (empty: none) between the override and
// the list.
std::string resolvePortPath(const std::string& name, const char* override,
                            const std::string& chosen, const std::vector<ListedPort>& listed);

// The second line of the open-failure message: which device, and why the system refused it.
// "COMn has no device" when the name stands for no device.
Message openFailureReason(const std::string& name, const std::string& device,
                          const std::string& reason);

} // namespace orvo
