#pragma once
// The lock file that says a serial port is in use, taken as QSerialPort takes it, so that the
// window and orvo-cli refuse a port the other holds: "LCK..<device>" in the first of the usual
// lock folders this user may read and write (the device without "/dev/", each '/' as '_'),
// created exclusively, held with flock() and holding the holder's process id, program, host,
// machine id and boot id, one to a line. A lock whose holder is gone (another boot, no such
// process, another program under its id), or an unheld one older than 30 seconds, is stale and
// is taken over.

#include <string>

namespace orvo {

class PortLock
{
public:
    enum class Result {
        Locked,   // this object holds the lock
        NoFolder, // no lock folder is readable and writable
        Refused,  // the port is in use, or the lock file could not be made
    };

    PortLock() = default;
    PortLock(const PortLock&) = delete;
    PortLock& operator=(const PortLock&) = delete;
    ~PortLock();

    // Takes the lock of `device`, a path as it is opened ("/dev/ttyUSB0").
    Result acquire(const std::string& device);
    // Removes the lock file; nothing when none is held.
    void release();

private:
    int m_fd = -1;
    std::string m_path;
};

} // namespace orvo
