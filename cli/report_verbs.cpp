#include "verbs.h"

namespace orvo::cli {

const Verb kReportVerbs[] = {
    {nullptr, nullptr, nullptr, nullptr},
};

} // namespace orvo::cli
