#pragma once
// The verbs of orvo-cli. Each takes the arguments after the verb and returns the exit status:
// 0 success, 1 failure, 2 bad usage. Errors go to stderr.

#include <string>

namespace orvo::cli {

struct Verb
{
    const char* name;
    const char* usage;   // one line: arguments after the verb
    const char* summary; // one line: what it does
    int (*run)(int argc, char** argv);
};

// Each group of verbs lives in its own file; the list ends at a verb whose name is null.
extern const Verb kFileVerbs[];     // new, show, export, import, diff
extern const Verb kLinkVerbs[];     // read, write
extern const Verb kTestModeVerbs[]; // test-mode
extern const Verb kReportVerbs[];   // report

// orvo-cli ports (port_verbs.cpp).
int runPorts(int argc, char** argv);
// False, with "COMn has no device" on stderr, when `port` is a COMn name that stands for no
// device; true for any other name.
bool portHasDevice(const std::string& port);

} // namespace orvo::cli
