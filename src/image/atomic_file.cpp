#include "image/atomic_file.h"

namespace orvo {

FileResult writeFileAtomically(const std::string&, std::string_view) { return {false, "not yet"}; }

} // namespace orvo
