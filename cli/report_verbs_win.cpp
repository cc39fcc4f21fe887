// orvo-cli report in a build without Qt, which has no PDF writer: the verb is listed as elsewhere
// and says so.
#include "verbs.h"

#include <cstdio>

namespace orvo::cli {

namespace {

int runReport(int, char**)
{
    std::fputs("orvo-cli report: this build has no PDF writer\n", stderr);
    return kExitUsage;
}

} // namespace

const Verb kReportVerbs[] = {
    {"report", "FILE.sin OUT.pdf [--page A4|Letter]",
     "draw the one-page settings report of a channel data file as a PDF (A4 unless told)",
     runReport},
    {nullptr, nullptr, nullptr, nullptr},
};

} // namespace orvo::cli
