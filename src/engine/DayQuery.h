#pragma once

// The one call that answers a line of text, for yomari-cli and the date
// window:
//
//     const auto engine = DayEngine::Load(env, line);     // era files; lunisolar data on first use
//     QueryAnswer a = AnswerQuery(*engine, text, options);  // a.day, else a.year
//
// The text is read once, by the one grammar (ParseDateQuery, with the era
// names of both court lines); a day goes to the day answers below, a year
// or a month to the year answers (AnswerDateQuery).
//
// `text` is any form a person writes for a day: 1582-06-21, 1582/6/21,
// 1582年6月21日 (Western; Julian before 1582-10-15 unless options say
// otherwise), 天正10年6月2日, 天正十年六月二日, 慶応4年閏4月1日, うるう四月,
// 元仁元年閏七月朔日, 晦日, 元日, 睦月…師走, 廿・卅, old kanji (慶應, 德),
// blanks between the parts, H31.04.30, JDN 2299161. Era names of either
// court line are read; the answer is in the chosen line.
//
// The result holds every form a window shows (see DayAnswer). It is nothing
// when the text names no single day (a year alone: answer it with
// AnswerDateQuery), or names a day before 1873 while the lunisolar data could
// not be read (then only the year is known: AnswerDateQuery again, and
// DayEngine::LunisolarError() names the file once). A day that never existed
// throws DateError whose text says what does exist.

#include "engine/DateQuery.h"
#include "engine/EraDates.h"
#include "engine/LunisolarCalendar.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace yomari {

struct DayOptions {
    // Western dates before 1582-10-15 are Julian unless this is set: then
    // every Western date is proleptic Gregorian.
    bool prolepticGregorian = false;
};

// An era date ready to show.
struct EraDateView {
    std::string name;    // as in the era file
    std::string reading; // its first reading
    int32_t year = 0;    // 1 = 元年
    int32_t month = 0;
    bool leap = false;
    int32_t day = 0;
    std::string text; // "元仁元年閏7月1日"
};

struct DayAnswer {
    bool fromEra = false; // the query was an era date (else a Western day or JDN)
    bool fromJdn = false; // the query was JDN n
    int64_t jdn = 0;
    CivilDate julian;    // the day in the Julian calendar
    CivilDate gregorian; // in the proleptic Gregorian calendar
    CivilDate western;   // in the calendar the options choose
    // The era date in the chosen line; nothing on a day with no era.
    std::optional<EraDateView> era;
    // The other reading of a change year (元仁元年閏7月1日 for 貞応3年閏7月1日).
    std::optional<EraDateView> also;
    // The other court line's date, where it differs from the chosen one's.
    std::optional<EraDateView> otherLine;
    std::string otherLineName; // "南朝" / "北朝" when otherLine is set
    // The lunisolar date, before 1873.
    std::optional<LunisolarDate> lunisolar;
    std::string lunisolarText; // "1582年（壬午）6月2日"
    std::string dayKanshi;     // 日の干支
    Kanshi yearKanshi;         // of the lunisolar year before 1873, else the Western year
    // A day with no era: the eras before and after it (empty when none).
    std::string eraBefore, eraAfter;
    // Said with the answer (an era read outside the days it was in use, an
    // era of the other line).
    std::vector<std::string> notes;
    // The one-line answer: the era date (or 元号なし …) for a Western query,
    // the Western date for an era query, with the notes after ※.
    std::string text;
};

std::optional<DayAnswer> AnswerDay(const DayEngine& engine, std::string_view text,
                                   const DayOptions& options = {});
// The same for a text already read.
std::optional<DayAnswer> AnswerDay(const DayEngine& engine, const ParsedQuery& query,
                                   const DayOptions& options = {});
// The one grammar over the engine's era names, the other line's included.
ParsedQuery ReadQuery(const DayEngine& engine, std::string_view text);

// What a caller needs of the answer: every form (the window, JSON) or the
// one line of text (yomari-cli's text output).
enum class AnswerNeed { Everything, Text };

struct QueryAnswer {
    // The day, when the text names one that can be answered by the day. On
    // the heap: an empty optional of it would cost the piped column a
    // kilobyte of zeroes a line.
    std::unique_ptr<DayAnswer> day;
    // Otherwise the answer by the year: to a year or a month, or to a day
    // before 1873 while the lunisolar data could not be read. With
    // AnswerNeed::Text also to a Western day from 1873 on: the same line,
    // several times faster.
    std::optional<DateAnswer> year;
};

// Throws DateError, with one text for what cannot be read at all.
QueryAnswer AnswerQuery(const DayEngine& engine, std::string_view text, const DayOptions& options = {},
                        AnswerNeed need = AnswerNeed::Everything);

// The Julian Day Number of a Western date (year, month, day of the query) in
// the calendar the options choose; throws DateError naming what exists for a
// day that does not.
int64_t WesternJdn(const ParsedQuery& query, const DayOptions& options);

// "貞応3年閏7月1日"
std::string FormatEraDay(const EraCalendar& eras, const EraDay& d);

} // namespace yomari
