#pragma once

#include "engine/EraDates.h"
#include "engine/Milestones.h"
#include "engine/TextTable.h"
#include "engine/YomariError.h"

#include <cstdint>
#include <string>
#include <vector>

namespace yomari {

// The ages a table year covers: everyone from newborn to this age.
inline constexpr int32_t kAgeTableOldest = 120;
inline constexpr int32_t kAgeTableFirstYear = 1 + kAgeTableOldest;
inline constexpr int32_t kAgeTableLastYear = 9999;

// One birth year as seen from the table's year.
struct AgeRow {
    int32_t birthYear = 0;
    std::string eras; // "昭和41年", or "昭和64年/平成元年" for a year of two eras
    Kanshi kanshi;
    int32_t age = 0;        // 満年齢 from the birthday on
    int32_t ageBefore = -1; // before the birthday; -1 for those born in the table's year
    int32_t kazoe = 0;      // 数え年
    std::string yakuMen, yakuWomen, longevity;
};

// One row per birth year, age 0 first. Without milestones the 厄年 and 長寿
// fields stay empty. Throws YomariError for a year outside the range above.
std::vector<AgeRow> MakeAgeRows(const EraCalendar& calendar, int32_t tableYear, const Milestones* milestones,
                                const std::string& errorSource);

// The rows as the window shows them and the command line prints them; the
// three 厄年/長寿 columns only when the table has milestones.
TextTable AgeTableText(const std::vector<AgeRow>& rows, bool withMilestones);

} // namespace yomari
