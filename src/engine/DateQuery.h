#pragma once

#include "engine/EraDates.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace yomari {

// What a line of text asks, once read.
struct ParsedQuery {
    enum class Kind { WesternDate, WesternMonth, WesternYear, EraDate, EraMonth, EraYear, Jdn };
    Kind kind = Kind::WesternYear;
    int32_t era = 0; // era index for the era kinds
    // The era was found only in the other court line's table (era indexes it).
    bool otherLine = false;
    int32_t year = 0;
    int32_t month = 0;    // dates and months
    bool leap = false;    // 閏 before the month
    int32_t day = 0;      // dates; 0 with lastDay
    bool lastDay = false; // 晦日: the month's last day
    int64_t jdn = 0;      // Kind::Jdn
    // The weekday written after a date, 0 Sunday .. 6 Saturday; -1 none.
    int32_t weekday = -1;
};

// The one grammar of written dates and years, for every reader of them.
// Reads the forms a person writes: 2019-04-30, 2019/4/30, 2019 4 30,
// 20190430, 2019年4月30日, 平成31年4月30日, 令和元年5月1日, full-width digits,
// kanji numerals, H31.04.30, 平31.04.30, year-months (2019年4月, 平成31年4月,
// H31.4), era years alone (昭和50, S50, 平成元年, しょうわ50), Western years
// alone (1989) and JDN 2299161. Forms of old documents too: 閏4月, うるう四月,
// 元日, 朔日, 晦日, the old month names (睦月 … 師走), 廿 and 卅, old kanji
// in era names (慶應, 德). A date may end in its weekday: (火), （火曜日）,
// 火曜日. Blanks between two numbers separate them, never join them. Era
// names are those of the calendar's table, else of otherLine's when given; a
// reading shared by several eras goes to the newest that has the year.
// Throws DateError when the text is none of these.
ParsedQuery ParseDateQuery(const EraCalendar& calendar, std::string_view text,
                           const EraCalendar* otherLine = nullptr);

// The answer to a query in the other calendar.
struct DateAnswer {
    // As answered: JDN n becomes the Western date or year it names.
    ParsedQuery query;
    bool fromJdn = false; // the query was JDN n
    int32_t westernYear = 0;
    std::optional<CivilDate> western;                  // exact day
    std::optional<EraCalendar::EraDateResult> eraDate; // exact era date
    std::vector<EraCalendar::YearShare> eras;          // eras of the year or month
    bool exact = false;
    bool beforeExactDays = false; // a date before 1873: year-level only
    // A month before 1873, answered by its lunisolar days: its first and
    // last day in the other calendar ("1333-06-13", "正慶2年5月2日"), and
    // what the days say besides (days of another era, days without one).
    std::string firstDay, lastDay;
    std::string note;
};

// Converts by the year before 1873 (the lunisolar days are DayQuery's);
// throws DateError for a day, month or year that never existed and for a
// weekday that is not the date's. An otherLine query is answered with the
// calendar of that line.
DateAnswer AnswerDateQuery(const EraCalendar& calendar, const ParsedQuery& query);
// The same into a fresh answer the caller holds (the piped column's hot path).
void AnswerDateQuery(const EraCalendar& calendar, const ParsedQuery& query, DateAnswer& answer);

// Said with a date answer before 1873 when the lunisolar days are unknown.
inline constexpr const char* kYearLevelNote = "1873年より前は年のみの対応です（旧暦の月日は扱いません）";

// One line without its line end: "平成31年4月30日", "2019-04-30", "1975",
// "2019年4月", "平成31年4月", "平成元年 (1月8日–12月31日)、昭和64年 (1月1日–1月7日)",
// "1333-06-13〜1333-07-12", "正慶2年5月2日〜6月2日".
void AppendAnswerText(const DateAnswer& answer, std::string& out);

// "平成31年4月30日"
std::string FormatEraDate(const EraCalendar::EraDateResult& date);

// The one spelling the date grammar works on: UTF-8 with malformed bytes as
// U+FFFD, full-width ASCII as ASCII, dashes as '-', old kanji as the era
// files write them, and blanks gone except that a run of them between two
// numerals stays as one ' ' ("2019 04 30" is three numbers, never 20190430).
std::string NormalizeQuery(std::string_view text);
// A weekday at the end of a normalized query: (火), (火曜), (火曜日), 火曜,
// 火曜日. Takes it off and answers 0..6, or -1 leaving the text as it is.
int32_t TakeWeekday(std::string_view& normalized);
// Throws DateError when a weekday was asked (0..6) and is not the day's.
void CheckWeekday(int32_t asked, CivilDate gregorian, const std::string& dayText);

// 0 Sunday .. 6 Saturday, of a proleptic Gregorian day
int32_t WeekdayOf(CivilDate date);
// "火曜日"
std::string WeekdayName(int32_t weekday);

} // namespace yomari
