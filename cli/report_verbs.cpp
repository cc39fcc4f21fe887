// orvo-cli report: runs orvo-cli-report, the program that draws the PDF, in place of this one.
#include "helper_programs.h"
#include "verbs.h"

namespace orvo::cli {

namespace {

int runReport(int argc, char** argv)
{
    return execHelper(kReportProgram, "report", argc, argv);
}

} // namespace

const Verb kReportVerbs[] = {
    {"report", "FILE.sin OUT.pdf [--page A4|Letter]",
     "draw the one-page settings report of a channel data file as a PDF (A4 unless told)",
     runReport},
    {nullptr, nullptr, nullptr, nullptr},
};

} // namespace orvo::cli
