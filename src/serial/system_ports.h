#pragma once
// The system's side of port naming: which device a port name stands for on this platform, and
// the serial ports the system lists.

#include <array>
#include <string>
#include <vector>

namespace orvo {

// A serial port as the system describes it.
struct SystemPort
{
    std::string path;         // device to open, e.g. "/dev/ttyUSB0"
    std::string description;  // e.g. "FT232R USB UART"; may be empty
    std::string manufacturer; // e.g. "FTDI"; may be empty
    std::string serialNumber; // may be empty
    bool usb = false;         // a USB serial adapter, the usual programming cable
};

// Every serial port the system lists now, USB adapters first, then by path.
std::vector<SystemPort> systemPorts();

// The devices the user chose for COM1..COM4 (index n - 1), each empty when none was chosen.
using ChosenDevices = std::array<std::string, 4>;

// The device the variable ORVO_COMn names for "COMn" (n 1..4), which decides the port before
// any choice; empty when it is unset or empty, and where the system names its ports COMn.
std::string environmentPortDevice(int n);

// False for a device path that is not there now (an adapter pulled out, a simulator that ended);
// true for any other name.
bool portDeviceExists(const std::string& device);

// The device to open for `name`. Where the system names its ports "COMn" the name is used as it
// is; elsewhere "COMn" follows ORVO_COMn, then the device `chosen` holds for it, then the listed
// ports that no other COMn was given (see resolvePortPath). Empty when no device stands for the
// name.
std::string systemPortPath(const std::string& name, const ChosenDevices& chosen = {});

// What `name` stands for now, for the Port menu and `orvo-cli ports`: the device and the system's
// description of it ("/dev/ttyUSB0  FTDI FT232R USB UART"), or "(no device)".
std::string describePort(const std::string& name, const ChosenDevices& chosen = {});

} // namespace orvo
