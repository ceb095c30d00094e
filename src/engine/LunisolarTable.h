#pragma once

#include "engine/EraDates.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace yomari {

// Julian Day Numbers: the one day count every calendar here converts through.
inline constexpr int64_t kJdnOf1970 = 2440588;            // 1970-01-01
inline constexpr int64_t kFirstGregorianJdn = 2405160;    // 1873-01-01, 明治6年1月1日
inline constexpr int64_t kFirstJulianReformJdn = 2299161; // 1582-10-15, the first Gregorian day

int64_t JdnOfGregorian(CivilDate d); // the date must be valid
CivilDate GregorianOfJdn(int64_t jdn);
bool IsValidJulianDate(CivilDate d);
int64_t JdnOfJulian(CivilDate d); // the date must be valid
CivilDate JulianOfJdn(int64_t jdn);

// 干支 of a day (日の干支), as old documents date by it: "甲子".
std::string KanshiOfDay(int64_t jdn);

// A day of the lunisolar calendar. The year is numbered by the Western year in
// which its first month began.
struct LunisolarDate {
    int32_t year = 0;
    int32_t month = 0;
    bool leap = false; // 閏月, following the ordinary month of the same number
    int32_t day = 0;
    friend bool operator==(const LunisolarDate&, const LunisolarDate&) = default;
};

// "1224-閏7-1", the form of the data files.
std::string FormatLunisolarKey(const LunisolarDate& d);
// Reads that form; nothing when the text is not one.
std::optional<LunisolarDate> ParseLunisolarKey(std::string_view text);

// Every lunisolar month from the first year of the month file to 明治5年12月2日.
class LunisolarTable {
public:
    // Reads the month file (Yomari.dal); throws YomariError naming the file
    // and the line for every fault: a gap or overlap between years, a month
    // of other than 29 or 30 days, a 閏 number outside 1-12, a year with the
    // wrong number of months, a last month that does not end on 1872-12-31.
    static LunisolarTable Read(const std::string& fileName, const std::string& errorSource);
    static LunisolarTable Parse(std::string_view text, const std::string& fileName,
                                const std::string& errorSource);

    int32_t FirstYear() const { return m_firstYear; }
    int32_t LastYear() const { return m_firstYear + static_cast<int32_t>(m_years.size()) - 1; }
    int64_t FirstJdn() const { return m_years.empty() ? 0 : m_years.front().jdn; }
    int64_t EndJdn() const { return m_endJdn; } // the day after the last one

    // The lunisolar date of a day between FirstJdn and EndJdn; nothing outside.
    std::optional<LunisolarDate> DateOf(int64_t jdn) const;
    // The day of a lunisolar date; nothing when the year, month or day did not
    // exist (see Describe for why).
    std::optional<int64_t> JdnOf(const LunisolarDate& d) const;
    // The 閏 month of a year (0 for none) and the days of a month (0 when the
    // month did not exist).
    int32_t LeapMonth(int32_t year) const;
    int32_t DaysOf(int32_t year, int32_t month, bool leap) const;
    // The first day of a month; nothing when it did not exist.
    std::optional<int64_t> MonthStart(int32_t year, int32_t month, bool leap) const;

private:
    struct Year {
        int64_t jdn = 0;
        int32_t leap = 0;
        uint8_t days[13] = {};
        uint8_t count = 0;
    };
    // Index in a year's months of (month, leap); -1 when it did not exist.
    static int Slot(const Year& y, int32_t month, bool leap);
    const Year* YearOf(int32_t year) const;

    int32_t m_firstYear = 0;
    int64_t m_endJdn = 0;
    std::vector<Year> m_years;
};

} // namespace yomari
