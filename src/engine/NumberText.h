#pragma once

#include <cstdint>
#include <cstddef>
#include <optional>
#include <string_view>

// The one place that decides how text becomes a number. Every window and the
// engine use these rules, so "reads as a number" means the same everywhere.
namespace yomari::NumberText {

// The whole text, blanks allowed around it, is one decimal number: an optional
// sign, digits with an optional fraction, an optional exponent ("1.5", " 12",
// "-3", "1E+07"). Returns the value, or nothing when the text is no number.
std::optional<double> ParseNumber(std::string_view text);

// The number at the start of the text: blanks are skipped, reading stops at the
// first character that cannot continue the number; no number gives 0.
double LeadingNumber(std::string_view text);

// Rounds to the nearest integer, halves to the even neighbour; nothing when
// the result does not fit the type.
std::optional<int32_t> RoundToInt32(double value);
std::optional<int16_t> RoundToInt16(double value);

// A whole number at the start of UTF-8 text, as dates and years are written:
// ASCII digits ("2019"), or kanji numerals either digit by digit (二〇一九)
// or with the units 十 百 千 (三十一, 千九百八十九) and the tens 廿 卄 卅 (廿一).
// No sign, no blanks.
struct WholeNumber {
    size_t length = 0;            // bytes read; 0: no number starts here
    std::optional<int32_t> value; // nothing when it does not fit int32_t
    int32_t digits = 0;           // digits written, 0 when units were used
};
WholeNumber ReadWholeNumber(std::string_view utf8);
// An ASCII digit or a kanji numeral, a digit or a unit.
bool IsNumeral(char32_t c);

} // namespace yomari::NumberText
