#include "engine/NumberText.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace yomari::NumberText {
namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Length of the longest prefix of s that is a decimal number (sign, digits,
// fraction, exponent); 0 when s does not start with one.
size_t NumberPrefixLength(std::string_view s)
{
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < s.size() && IsDigit(s[i])) {
        ++i;
        ++digits;
    }
    if (i < s.size() && s[i] == '.') {
        size_t j = i + 1;
        size_t frac = 0;
        while (j < s.size() && IsDigit(s[j])) {
            ++j;
            ++frac;
        }
        if (digits + frac > 0)
            i = j;
        digits += frac;
    }
    if (digits == 0)
        return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        size_t exp = 0;
        while (j < s.size() && IsDigit(s[j])) {
            ++j;
            ++exp;
        }
        if (exp > 0)
            i = j;
    }
    return i;
}

double ToDouble(std::string_view s)
{
    // strtod is locale-dependent only in its decimal point; the text here is
    // built from ASCII digits and '.', and the program never changes LC_NUMERIC.
    const std::string copy(s);
    return std::strtod(copy.c_str(), nullptr);
}

std::optional<int64_t> RoundHalfEven(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > 9.0e15)
        return std::nullopt;
    const double r = std::nearbyint(value); // default rounding mode: to nearest, ties to even
    return static_cast<int64_t>(r);
}

} // namespace

std::optional<double> ParseNumber(std::string_view text)
{
    size_t b = 0;
    size_t e = text.size();
    while (b < e && IsBlank(text[b]))
        ++b;
    while (e > b && IsBlank(text[e - 1]))
        --e;
    const std::string_view core = text.substr(b, e - b);
    if (core.empty())
        return std::nullopt;
    const size_t len = NumberPrefixLength(core);
    if (len != core.size())
        return std::nullopt;
    return ToDouble(core);
}

double LeadingNumber(std::string_view text)
{
    size_t b = 0;
    while (b < text.size() && IsBlank(text[b]))
        ++b;
    const std::string_view rest = text.substr(b);
    const size_t len = NumberPrefixLength(rest);
    if (len == 0)
        return 0.0;
    return ToDouble(rest.substr(0, len));
}

std::optional<int32_t> RoundToInt32(double value)
{
    const auto r = RoundHalfEven(value);
    if (!r || *r < std::numeric_limits<int32_t>::min() || *r > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(*r);
}

std::optional<int16_t> RoundToInt16(double value)
{
    const auto r = RoundHalfEven(value);
    if (!r || *r < std::numeric_limits<int16_t>::min() || *r > std::numeric_limits<int16_t>::max())
        return std::nullopt;
    return static_cast<int16_t>(*r);
}

} // namespace yomari::NumberText
