#include "verbs.h"

namespace orvo::cli {

const Verb kLinkVerbs[] = {
    {nullptr, nullptr, nullptr, nullptr},
};

} // namespace orvo::cli
