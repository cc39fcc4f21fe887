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

// True when `text`, blanks around it aside, is a plain decimal number and nothing else: digits
// with at most one decimal point ("146.52", "67", ".5"); no sign, exponent, comma or other text.
// What typed files and command lines must give where a cell editor would read a leading number.
bool isPlainDecimal(std::string_view text);

// True when the decimal number `text` has a digit other than 0 more than `decimals` places after
// its point: a value finer than what is kept, which must be refused rather than cut.
bool hasDigitsPast(std::string_view text, int decimals);

// `value` with exactly `decimals` digits after the point, like printf("%.*f") in the C locale.
std::string formatFixed(double value, int decimals);

} // namespace orvo
