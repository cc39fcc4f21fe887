#pragma once
// The verbs of orvo-cli. Each takes the arguments after the verb and returns the exit status
// (below). Errors go to stderr.

#include <string>
#include <string_view>

namespace orvo::cli {

// Exit statuses, the same for every verb. diff and verify answer 0 when the two sides are equal,
// 1 when they differ, and 2 also when they could not compare them (a file unreadable, no device,
// the port not opened, the radio not answering).
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitDiffer = 1;
constexpr int kExitNotCompared = 2;

// True for an argument that reads as an option: it starts with '-' and is not "-" alone, which
// export and import take for standard output and input. "--" is an option like any other: no
// verb takes it to end the options, so it is refused as an unknown one.
inline bool isOption(std::string_view arg)
{
    return arg.size() > 1 && arg.front() == '-';
}

// `status`, unless what was printed did not arrive: a closed or full standard output turns a
// success into kExitFailed, with the reason on stderr.
int withOutputFlushed(int status);

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
