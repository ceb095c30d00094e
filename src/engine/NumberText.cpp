#include "engine/NumberText.h"

#include "engine/TextDecoding.h"

#include <algorithm>
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

int KanjiDigit(char32_t c)
{
    switch (c) {
    case U'〇':
    case U'零': return 0;
    case U'一': return 1;
    case U'二': return 2;
    case U'三': return 3;
    case U'四': return 4;
    case U'五': return 5;
    case U'六': return 6;
    case U'七': return 7;
    case U'八': return 8;
    case U'九': return 9;
    default: return -1;
    }
}

int KanjiUnit(char32_t c)
{
    switch (c) {
    case U'十': return 10;
    case U'百': return 100;
    case U'千': return 1000;
    default: return 0;
    }
}

// A tens digit and its unit in one character, as old dates write them.
int KanjiTens(char32_t c)
{
    switch (c) {
    case U'廿':
    case U'卄': return 20;
    case U'卅': return 30;
    default: return 0;
    }
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

bool IsNumeral(char32_t c)
{
    return (c >= '0' && c <= '9') || KanjiDigit(c) >= 0 || KanjiUnit(c) > 0 || KanjiTens(c) > 0;
}

WholeNumber ReadWholeNumber(std::string_view s)
{
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    WholeNumber r;
    bool tooLarge = false;
    if (!s.empty() && IsDigit(s[0])) {
        int64_t v = 0;
        size_t i = 0;
        for (; i < s.size() && IsDigit(s[i]); ++i) {
            // Reading goes on past the limit so that one number stays one.
            if (!tooLarge)
                v = v * 10 + (s[i] - '0');
            tooLarge = tooLarge || v > kMax;
        }
        r.length = i;
        r.digits = static_cast<int32_t>(std::min<size_t>(i, kMax));
        if (!tooLarge)
            r.value = static_cast<int32_t>(v);
        return r;
    }
    int64_t total = 0;
    int64_t digits = -1; // value of the digits since the last unit, -1 none
    int32_t written = 0;
    bool units = false;
    for (size_t i = 0; i < s.size();) {
        const Utf8Char c = DecodeUtf8(s, i);
        const int d = KanjiDigit(c.code);
        const int u = KanjiUnit(c.code);
        const int tens = KanjiTens(c.code);
        if (tens > 0 && digits < 0) {
            if (!tooLarge)
                total += tens;
            units = true;
        } else if (d >= 0) {
            if (!tooLarge)
                digits = (digits < 0 ? 0 : digits) * 10 + d;
            written += written < kMax ? 1 : 0;
        } else if (u > 0) {
            if (!tooLarge)
                total += (digits < 0 ? 1 : digits) * u;
            digits = -1;
            units = true;
        } else {
            break;
        }
        tooLarge = tooLarge || total > kMax || digits > kMax || total + std::max<int64_t>(digits, 0) > kMax;
        i += c.length;
        r.length = i;
    }
    if (r.length == 0)
        return r;
    r.digits = units ? 0 : written;
    if (!tooLarge)
        r.value = static_cast<int32_t>(total + (digits < 0 ? 0 : digits));
    return r;
}

} // namespace yomari::NumberText
