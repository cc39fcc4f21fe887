#include "verbs.h"

namespace orvo::cli {

const Verb kFileVerbs[] = {
    {nullptr, nullptr, nullptr, nullptr},
};

} // namespace orvo::cli
