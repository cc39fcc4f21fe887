#pragma once
// orvo-radio-sim run for one test, with its log in a fresh folder; stopped when the test ends.

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <string>
#include <vector>

namespace orvo::test {

class RadioSimProcess
{
public:
    // Starts the simulator with `options`, a log file and an answer delay of 10 ms.
    explicit RadioSimProcess(const QStringList& options = {});
    ~RadioSimProcess();
    RadioSimProcess(const RadioSimProcess&) = delete;
    RadioSimProcess& operator=(const RadioSimProcess&) = delete;

    bool started() const { return !m_path.empty(); }
    // The device to open as the radio's port.
    const std::string& path() const { return m_path; }

    // Stops the simulator and returns its test-mode log lines ("test request", "test: frame A
    // 00 00 ..."), without their time stamps, in order.
    std::vector<std::string> stopAndReadTestLog();

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    std::string m_path;
};

// Runs orvo-cli with `arguments` and returns its exit status and what it wrote to stderr.
struct CliRun
{
    int status = -1;
    std::string errors;
    std::string output;
};
CliRun runCli(const QStringList& arguments);

} // namespace orvo::test
