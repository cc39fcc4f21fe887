#pragma once
// The programs orvo-cli runs for the verbs that need Qt, so that the others start without it:
// orvo-cli-report draws the report's PDF, orvo-cli-ports lists the system's serial ports. They
// lie in the package's libexec folder, at the same path relative to orvo-cli in the build folder
// as where the package installs them.

#include <optional>
#include <string>
#include <vector>

namespace orvo::cli {

// orvo-cli-report and orvo-cli-ports, as paths relative to the folder of orvo-cli.
extern const char* const kReportProgram;
extern const char* const kPortsProgram;

// Runs the helper `relative` in place of this program with `argv` after its name; returns only
// when it cannot be run, with kExitFailed and the reason on stderr, prefixed by `verb`.
int execHelper(const char* relative, const char* verb, int argc, char** argv);

// What the helper `relative` prints on standard output when run with `arguments`; none, with the
// reason on stderr, when it cannot be run or fails.
std::optional<std::string> helperOutput(const char* relative,
                                        const std::vector<std::string>& arguments);

} // namespace orvo::cli
