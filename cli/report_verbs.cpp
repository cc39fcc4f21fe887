// orvo-cli report: runs orvo-cli-report, the program that draws the PDF, in place of this one.
// It lies at ORVO_REPORT_PROGRAM, a path relative to the folder of orvo-cli, the same in the build
// folder and where the package installs them.
#include "verbs.h"

#include "core/image/escaped_text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <unistd.h>

namespace orvo::cli {

namespace {

// The report program beside this one; empty when the system does not say where this one lies.
std::string reportProgramPath()
{
    std::string self(4096, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", self.data(), self.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= self.size())
        return {};
    self.resize(static_cast<std::size_t>(length));
    return self.substr(0, self.rfind('/') + 1) + ORVO_REPORT_PROGRAM;
}

int runReport(int argc, char** argv)
{
    const std::string program = reportProgramPath();
    std::vector<char*> arguments{const_cast<char*>(program.c_str())};
    arguments.insert(arguments.end(), argv, argv + argc);
    arguments.push_back(nullptr);
    if (!program.empty())
        ::execv(program.c_str(), arguments.data());
    std::fprintf(stderr, "orvo-cli report: cannot run %s: %s\n",
                 program.empty() ? "orvo-cli-report" : escapedText(program).c_str(),
                 std::strerror(errno));
    return kExitFailed;
}

} // namespace

const Verb kReportVerbs[] = {
    {"report", "FILE.sin OUT.pdf [--page A4|Letter]",
     "draw the one-page settings report of a channel data file as a PDF (A4 unless told)",
     runReport},
    {nullptr, nullptr, nullptr, nullptr},
};

} // namespace orvo::cli
