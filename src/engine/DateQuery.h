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
    enum class Kind { WesternDate, WesternYear, EraDate, EraYear };
    Kind kind = Kind::WesternYear;
    int32_t era = 0; // era index for the era kinds
    int32_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
};

// Reads the forms a person writes: 2019-04-30, 2019/4/30, 2019年4月30日,
// 平成31年4月30日, 令和元年5月1日, full-width digits, kanji numerals, H31.04.30,
// 平31.04.30, era years alone (昭和50, S50, 平成元年, しょうわ50) and Western
// years alone (1989). Era names must match the era table exactly; a reading
// shared by several eras goes to the newest that has the year. Throws
// DateError when the text is none of these.
ParsedQuery ParseDateQuery(const EraCalendar& calendar, std::string_view text);

// The answer to a query in the other calendar.
struct DateAnswer {
    ParsedQuery query;
    int32_t westernYear = 0;
    std::optional<CivilDate> western;                  // exact day
    std::optional<EraCalendar::EraDateResult> eraDate; // exact era date
    std::vector<EraCalendar::YearShare> eras;          // eras of the year
    bool exact = false;
    bool beforeExactDays = false; // a date before 1873: year-level only
};

// Converts; throws DateError for a day or year that never existed.
DateAnswer AnswerDateQuery(const EraCalendar& calendar, const ParsedQuery& query);

// Said with every date answer before 1873.
inline constexpr const char* kYearLevelNote = "1873年より前は年のみの対応です（旧暦の月日は扱いません）";

// One line without its line end: "平成31年4月30日", "2019-04-30", "1975",
// "平成元年 (1月8日–12月31日)、昭和64年 (1月1日–1月7日)".
void AppendAnswerText(const DateAnswer& answer, std::string& out);
// One JSON object without its line end; line is "n" or "s".
void AppendAnswerJson(std::string_view query, const DateAnswer& answer, std::string_view line,
                      std::string& out);
void AppendErrorJson(std::string_view query, std::string_view error, std::string& out);

// "平成31年4月30日"
std::string FormatEraDate(const EraCalendar::EraDateResult& date);

// A JSON string literal of UTF-8 text.
void AppendJsonString(std::string_view text, std::string& out);

} // namespace yomari
