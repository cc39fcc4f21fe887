#include "image/number_text.h"

namespace orvo {

double leadingNumber(std::string_view) { return 0.0; }
std::int64_t scaledLeadingNumber(std::string_view, int) { return 0; }
std::string formatFixed(double, int) { return {}; }

} // namespace orvo
