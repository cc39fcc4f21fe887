#include "core/image/number_text.h"

#include <algorithm>

#include <charconv>
#include <cmath>
#include <cstddef>

namespace orvo {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The blanks that C's isspace knows in the "C" locale.
bool isBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Where the parts of a leading number lie in a text.
struct NumberSpan
{
    bool found = false;
    bool negative = false;
    std::size_t intBegin = 0, intEnd = 0;   // integer digits
    std::size_t fracBegin = 0, fracEnd = 0; // fraction digits
    bool expNegative = false;
    std::size_t expBegin = 0, expEnd = 0; // exponent digits, empty when there is none
};

NumberSpan scanNumber(std::string_view t)
{
    NumberSpan s;
    std::size_t i = 0;
    while (i < t.size() && isBlank(t[i]))
        ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        s.negative = t[i] == '-';
        ++i;
    }
    s.intBegin = i;
    while (i < t.size() && isDigit(t[i]))
        ++i;
    s.intEnd = i;
    s.fracBegin = s.fracEnd = i;
    if (i < t.size() && t[i] == '.') {
        s.fracBegin = ++i;
        while (i < t.size() && isDigit(t[i]))
            ++i;
        s.fracEnd = i;
    }
    if (s.intEnd == s.intBegin && s.fracEnd == s.fracBegin)
        return NumberSpan{};
    s.found = true;
    s.expBegin = s.expEnd = i;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        std::size_t j = i + 1;
        bool negative = false;
        if (j < t.size() && (t[j] == '+' || t[j] == '-')) {
            negative = t[j] == '-';
            ++j;
        }
        const std::size_t digits = j;
        while (j < t.size() && isDigit(t[j]))
            ++j;
        if (j > digits) {
            s.expNegative = negative;
            s.expBegin = digits;
            s.expEnd = j;
        }
    }
    return s;
}

// The exponent's value, held within +-100000 so that sums with it cannot overflow.
long exponentOf(std::string_view t, const NumberSpan& s)
{
    long e = 0;
    for (std::size_t i = s.expBegin; i < s.expEnd; ++i) {
        if (e < 100000)
            e = e * 10 + (t[i] - '0');
    }
    return s.expNegative ? -e : e;
}

} // namespace

double leadingNumber(std::string_view text)
{
    const NumberSpan s = scanNumber(text);
    if (!s.found)
        return 0.0;
    const std::size_t end = s.expEnd > s.expBegin ? s.expEnd : s.fracEnd;
    const char* first = text.data() + s.intBegin;
    const char* last = text.data() + end;
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: C's strtod gives infinity or zero.
        std::size_t lead = s.intBegin;
        while (lead < s.intEnd && text[lead] == '0')
            ++lead;
        const long magnitude = static_cast<long>(s.intEnd - lead) + exponentOf(text, s);
        value = magnitude > 0 ? HUGE_VAL : 0.0;
    } else if (ec != std::errc{} || ptr != last) {
        value = 0.0;
    }
    return s.negative ? -value : value;
}

std::int64_t scaledLeadingNumber(std::string_view text, int scale)
{
    constexpr std::int64_t kLimit = 1'000'000'000'000'000'000;
    const NumberSpan s = scanNumber(text);
    if (!s.found)
        return 0;
    // The value is digits x 10^power, with the fraction digits appended to the integer ones.
    long power = exponentOf(text, s) - static_cast<long>(s.fracEnd - s.fracBegin) + scale;
    std::int64_t value = 0;
    bool saturated = false;
    auto push = [&](int digit) {
        if (saturated)
            return;
        if (value > (kLimit - digit) / 10) {
            value = kLimit;
            saturated = true;
        } else {
            value = value * 10 + digit;
        }
    };
    // Digits that a negative power cuts off are dropped (truncation toward zero).
    std::string_view digits[2] = {text.substr(s.intBegin, s.intEnd - s.intBegin),
                                  text.substr(s.fracBegin, s.fracEnd - s.fracBegin)};
    long total = static_cast<long>(digits[0].size() + digits[1].size());
    long keep = power >= 0 ? total : total + power;
    long index = 0;
    for (std::string_view part : digits) {
        for (char c : part) {
            if (index++ < keep)
                push(c - '0');
        }
    }
    for (; power > 0 && !saturated && value != 0; --power)
        push(0);
    return s.negative ? -value : value;
}

std::string formatFixed(double value, int decimals)
{
    char buffer[400];
    const auto [ptr, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (ec != std::errc{})
        return {};
    return std::string(buffer, ptr);
}

bool isPlainDecimal(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    bool digit = false, point = false;
    for (char c : text) {
        if (c >= '0' && c <= '9')
            digit = true;
        else if (c == '.' && !point)
            point = true;
        else
            return false;
    }
    return digit;
}

bool hasDigitsPast(std::string_view text, int decimals)
{
    const std::size_t point = text.find('.');
    if (point == std::string_view::npos)
        return false;
    const std::string_view past = text.substr(std::min(point + 1 + decimals, text.size()));
    return past.find_first_of("123456789") != std::string_view::npos;
}

} // namespace orvo
