#pragma once

#include "engine/EraDates.h"

#include <cstdint>
#include <optional>
#include <string>

namespace yomari {

// The Western year a typed birth year names: 1975, 昭和50, S50, 平成元年, or a
// whole date's year. Nothing when the text names no year.
std::optional<int32_t> ReadBirthYear(const EraCalendar& calendar, const std::string& text);

// A whole birth date in any form the date reader knows (2012-04-02,
// 平成24年4月2日, H24.04.02). Nothing, with the reason in Japanese, for a
// text that is no day, a year alone, or a day before exact dates begin.
std::optional<CivilDate> ReadBirthDate(const EraCalendar& calendar, const std::string& text,
                                       std::string& reason);

// "2012年4月2日(平成24年4月2日)生まれ"
std::string DescribeBirthDate(const EraCalendar& calendar, CivilDate birth);

} // namespace yomari
