#pragma once

#include <cstdint>
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

} // namespace yomari::NumberText
