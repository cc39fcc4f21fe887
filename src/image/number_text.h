#pragma once
// Reading and writing the decimal numbers of cell texts, independent of the process locale
// (the decimal point is always '.').

#include <cstdint>
#include <string>
#include <string_view>

namespace orvo {

// The leading decimal number of `text`: leading blanks skipped, then an optional sign, digits,
// a decimal point, digits and an optional exponent; reading stops at the first other character.
// 0 when the text does not begin with a number. "inf", "nan" and hexadecimal are not numbers.
double leadingNumber(std::string_view text);

// The leading number of `text` (as above) times 10^scale, truncated toward zero, computed
// exactly from its decimal digits ("69.3" at scale 1 gives 693). Saturates at +-10^18.
std::int64_t scaledLeadingNumber(std::string_view text, int scale);

// `value` with exactly `decimals` digits after the point, like printf("%.*f") in the C locale.
std::string formatFixed(double value, int decimals);

} // namespace orvo
