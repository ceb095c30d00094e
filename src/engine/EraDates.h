#pragma once

#include "engine/EngineEnvironment.h"
#include "engine/EraTable.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace yomari {

// A day of the proleptic Gregorian calendar.
struct CivilDate {
    int32_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
    friend auto operator<=>(const CivilDate&, const CivilDate&) = default;
};

// Japan counts Gregorian days from this one on (明治6年1月1日); earlier days
// were lunisolar and get year-level answers only.
inline constexpr CivilDate kFirstExactDay{1873, 1, 1};
// Days are handled up to this year; later years are year-level.
inline constexpr int32_t kLastExactYear = 9999;

bool IsValidCivilDate(CivilDate d);
int32_t DaysInMonth(int32_t year, int32_t month);
// Days since 1970-01-01; the date must be valid.
int64_t DayNumber(CivilDate d);
CivilDate FromDayNumber(int64_t days);
// "2019-04-30"
std::string FormatCivilDate(CivilDate d);

// A date or year the calendar refuses, with the reason in Japanese.
class DateError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// One era's share of something (a day, a year): era name as in the era file,
// its reading, and the era year (1 = 元年).
struct EraYearRef {
    std::string era;
    std::string reading;
    int32_t year = 0;
    friend bool operator==(const EraYearRef&, const EraYearRef&) = default;
};

// "平成元年", "昭和64年"
std::string FormatEraYear(const EraYearRef& ref);

// The day an era began, as the start-day file records it.
struct EraStartDay {
    std::string era;
    CivilDate start;
};

// Reads the start-day file: records of era name, year, month, day, newest
// first. Throws YomariError naming the file and record on any fault.
std::vector<EraStartDay> ReadEraStartDays(const std::string& fileName, const std::string& errorSource);

// One court line's eras with exact days where Japan used the Gregorian
// calendar. Era indexes are those of the era table: 1 is the newest era.
class EraCalendar {
public:
    // Loads the era file of the court line (0 north, 1 south) and the
    // start-day file from where the program finds its data. When the two
    // found disagree, the first data folder holding a pair that agrees is
    // used and env.fallbackNotice names both refused files. Throws
    // YomariError, naming both files when no pair agrees.
    static EraCalendar Load(const EngineEnvironment& env, int32_t nanBokuMode);
    // Checks that the start days agree with the table (same eras, same first
    // years, one unbroken run from the newest era, every era that began from
    // 1873 on has its day). Throws YomariError otherwise.
    static EraCalendar FromData(EraTable table, const std::vector<EraStartDay>& days,
                                const std::string& errorSource);

    struct EraDateResult {
        EraYearRef eraYear;
        int32_t month = 0;
        int32_t day = 0;
        bool exact = false; // false: before 1873, the era of the year only
    };
    // Gregorian date to era date. Before 1873 the era year is the table's for
    // the Western year (the newer era in a year of change), never a day.
    // Throws DateError for an invalid date or a year before the oldest era.
    EraDateResult ToEraDate(CivilDate d) const;

    struct WesternResult {
        int32_t westernYear = 0;
        std::optional<CivilDate> date; // only for exact days
    };
    // Era date to Gregorian. Throws DateError with the reason for a day that
    // never existed (平成31年5月1日, 明治5年12月3日, 2月30日). Before 1873 the
    // month and day are lunisolar and only checked for range (1-12, 1-30).
    WesternResult FromEraDate(int32_t era, int32_t year, int32_t month, int32_t day) const;
    // Era year to Western year; throws DateError past the era's last year.
    int32_t WesternYearOf(int32_t era, int32_t year) const;

    struct YearShare {
        EraYearRef eraYear;
        std::optional<CivilDate> from, to; // set where days are exact
    };
    // All eras a Western year belongs to, newest first, with their first and
    // last day in that year where exact. Empty before the oldest era.
    std::vector<YearShare> ErasOfYear(int32_t westernYear) const;
    // The days of an era year where exact (昭和64 → 1989-01-01..1989-01-07).
    std::optional<std::pair<CivilDate, CivilDate>> DaysOfEraYear(int32_t era, int32_t year) const;

    const EraTable& Table() const { return m_table; }
    int32_t EraCount() const { return m_table.NumberOfGengo; }
    // Index of the era of exactly this name, or 0.
    int32_t FindEra(std::string_view name) const;
    // Indexes of the eras with this reading (either reading), newest first.
    std::vector<int32_t> FindErasByReading(std::string_view reading) const;
    EraYearRef Ref(int32_t era, int32_t year) const;
    // The era's first exact day, when it has one.
    std::optional<CivilDate> StartDay(int32_t era) const;

private:
    // Newest era of a Western year from the table, 0 before the oldest era.
    int32_t TableEraOfYear(int32_t westernYear) const;
    int32_t LastYear(int32_t era) const; // era years it has; open for era 1

    EraTable m_table;
    std::string m_source;
    // Start day numbers of eras 1..m_exactCount (index 0 unused).
    std::vector<int64_t> m_startDay;
    std::vector<CivilDate> m_startDate;
    int32_t m_exactCount = 0;
};

// 干支 of a Western year: {"丙午", "ひのえうま"}
struct Kanshi {
    std::string kanji;
    std::string reading;
};
Kanshi KanshiOfYear(int32_t westernYear);

// 満年齢 on a date; a 29 February birthday is reached on 1 March in common
// years (the law adds the year at the end of 28 February). Negative when the
// date is before the birth.
int32_t AgeOn(CivilDate birth, CivilDate on);
// 数え年: 1 in the year of birth, one more every New Year.
int32_t KazoeAge(int32_t birthYear, int32_t year);

// The date at `now` where local time is `utcOffset` ahead of UTC. The caller
// supplies the offset: the standard library here knows no time zones.
CivilDate CivilDateAt(std::chrono::system_clock::time_point now, std::chrono::seconds utcOffset);

} // namespace yomari
