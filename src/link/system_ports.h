#pragma once
// The system's side of port naming: which device a port name stands for on this platform.

#include <string>

namespace orvo {

// The device to open for `name`. Where the system names its ports "COMn" the name is used as it
// is; elsewhere "COMn" follows ORVO_COMn, then the system's list (see resolvePortPath). Empty when
// no device stands for the name.
std::string systemPortPath(const std::string& name);

} // namespace orvo
