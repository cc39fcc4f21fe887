#pragma once
// orvo-radio-sim for one test: its own pty, memory file and log in a fresh folder, stopped when
// the test ends.

#include "core/image/radio_image.h"

#include <QStringList>
#include <QTemporaryDir>

#include <sys/types.h>

#include <string>
#include <vector>

class SimProcess
{
public:
    // Starts the simulator with `options`, a memory file (--dump) and a log (--log) in a fresh
    // folder; with `image`, the radio's memory starts as that image.
    explicit SimProcess(const QStringList& options = {}, const orvo::RadioImage* image = nullptr);
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    bool started() const { return !m_path.empty(); }
    // The device to open as the radio's port.
    const std::string& path() const { return m_path; }
    QString folder() const { return m_dir.path(); }
    QString logPath() const { return m_dir.filePath("sim.log"); }

    // Stops the simulator (it writes its memory on the way out) and returns that memory.
    orvo::RadioImage stopAndReadMemory();
    // Stops the simulator and returns its test-mode log lines ("test request", "test: frame A
    // 00 00 ..."), without their time stamps, in order.
    std::vector<std::string> stopAndReadTestLog();

private:
    // Sends `signal` and waits up to 10 s for the simulator to end.
    void stop(int signal);

    QTemporaryDir m_dir;
    pid_t m_pid = -1;
    int m_output = -1;
    std::string m_path;
};

// Files and images as bytes. A file that cannot be read reads as empty; an image takes the first
// 1024 bytes it is given (0 where there are fewer).
QByteArray readFileBytes(const QString& path);
bool writeFileBytes(const QString& path, const QByteArray& bytes);
QByteArray toBytes(const orvo::RadioImage& image);
orvo::RadioImage fromBytes(const QByteArray& bytes);
// An image with a pattern of its own for each seed, so that transfers cannot pass by chance.
orvo::RadioImage patternedImage(int seed);
