#pragma once

#include "engine/EngineEnvironment.h"
#include "engine/EraDates.h"
#include "engine/LunisolarTable.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace yomari {

// One row of the era-day file (Yomari.dae): when a court line used an era.
struct EraDayRow {
    int32_t line = 0; // 0 north (Yomari.dan), 1 south (Yomari.das)
    std::string name;
    int32_t firstYear = 0; // as in the era file
    int64_t firstDay = 0;  // JDN of the proclamation; 元年 is its lunisolar year
    int64_t useFrom = 0;   // JDN, first day this line dated by it
    int64_t useTo = 0;     // JDN, last day
    int lineNumber = 0;    // in the file, for messages
};

// Reads the era-day file; days are lunisolar up to 1872-12-31 (checked to
// exist in the month table) and Gregorian after. Throws YomariError naming
// the file and line on every fault.
std::vector<EraDayRow> ReadEraDayRows(std::string_view text, const LunisolarTable& months,
                                      const std::string& fileName, const std::string& errorSource);

// The month table and the era days of both lines, read together: the era
// days need the months to be read.
struct LunisolarData {
    LunisolarTable months;
    std::vector<EraDayRow> eras;
};
// Reads Yomari.dal and Yomari.dae where the program finds its data.
LunisolarData LoadLunisolarData(const EngineEnvironment& env);

// A day in one court line: its era date, or no era.
struct EraDay {
    int32_t era = 0; // index in the line's era table (1 newest); 0 no era
    int32_t year = 0;
    int32_t month = 0;
    bool leap = false;
    int32_t day = 0;
    friend bool operator==(const EraDay&, const EraDay&) = default;
};

// Everything one court line says about one day.
struct DayFacts {
    int64_t jdn = 0;
    std::optional<LunisolarDate> lunisolar; // before 1873
    EraDay date;                            // era 0: a day with no era
    // The other reading of a change year: the era that began later in the
    // same lunisolar year, which chronological tables write for the whole year.
    std::optional<EraDay> also;
    // For a day with no era: the eras before and after it (0 for none).
    int32_t eraBefore = 0;
    int32_t eraAfter = 0;
};

// Day <-> era date for one court line, over every day from the first day of
// the month table (or from 1873 when it could not be read) to 9999-12-31.
class DayCalendar {
public:
    // Without lunisolar data: days from 1873 only. Otherwise the rows are
    // checked against the era table (same names and first years, oldest
    // first, in the table's order) and the start days of the era calendar
    // (every era both know from 1873 on begins on the same day); throws
    // YomariError naming the era-day file and line.
    DayCalendar(const EraCalendar& eras, int32_t line, std::shared_ptr<const LunisolarData> data,
                const std::string& fileName = "Yomari.dae");

    const EraCalendar& Eras() const { return *m_eras; }
    bool HasLunisolar() const { return m_data != nullptr; }
    const LunisolarTable* Months() const { return m_data ? &m_data->months : nullptr; }
    // The first day answered: the month table's first day, or 1873-01-01.
    int64_t FirstJdn() const { return m_firstJdn; }
    static constexpr int64_t kLastJdn = 5373484; // 9999-12-31

    // The facts of a day from FirstJdn to kLastJdn; throws DateError outside.
    DayFacts Facts(int64_t jdn) const;
    // The era date alone (the hot path: no strings, no allocation).
    EraDay EraDayOf(int64_t jdn) const;

    struct Found {
        int64_t jdn = 0;
        // Set when the era was not in use on that day in this line: what was.
        std::optional<EraDay> inUse;
    };
    // The day of an era date. Before 1873 the month and day are lunisolar,
    // and an era date in a year the era covers but outside the days it was in
    // use gives the day with the era in use (inUse). From 1873 on the rules
    // are the Gregorian ones of the era calendar. Throws DateError with a
    // reason naming what exists; nothing when the date lies before 1873 and
    // there are no lunisolar data.
    std::optional<Found> DayOf(int32_t era, int32_t year, int32_t month, bool leap, int32_t day) const;

    // The first lunisolar year of an era in this line, 0 when it has none.
    int32_t FirstLunisolarYear(int32_t era) const;

private:
    struct Span {
        int64_t from = 0;     // first day
        int32_t era = 0;      // 0: no era
        int32_t base = 0;     // year numbered 1 (lunisolar before 1873, Gregorian after)
        int32_t fromYear = 0; // lunisolar year of `from` (0 from 1873 on)
    };
    size_t SpanIndex(int64_t jdn) const;

    const EraCalendar* m_eras;
    std::shared_ptr<const LunisolarData> m_data;
    std::vector<Span> m_spans;
    // Per era index: first lunisolar year and last lunisolar year of use.
    std::vector<int32_t> m_firstLunar, m_lastLunar;
    int64_t m_firstJdn = kFirstGregorianJdn;
};

// The date engine of the program: both court lines, with the lunisolar data
// read on first use (never at start-up). A missing or broken lunisolar file
// costs only the days before 1873; LunisolarError() then names the file.
class DayEngine {
public:
    // Loads the era calendars of both lines; throws YomariError like
    // EraCalendar::Load for the chosen line. The other line is optional: when
    // its files cannot be read, answers have no other-line date.
    static std::unique_ptr<DayEngine> Load(const EngineEnvironment& env, int32_t line);
    // For tests: calendars and lunisolar data given.
    // For tests: the calendars of the lines (the chosen one must be given)
    // and how to read the lunisolar data.
    DayEngine(std::optional<EraCalendar> north, std::optional<EraCalendar> south, int32_t line,
              std::function<LunisolarData()> loadLunisolar);
    DayEngine(const DayEngine&) = delete;
    DayEngine& operator=(const DayEngine&) = delete;

    int32_t Line() const { return m_line; }
    // The calendar of a line (0 north, 1 south); the chosen line always
    // exists, the other may not (nullptr).
    const DayCalendar* Calendar(int32_t line) const;
    const DayCalendar& Calendar() const { return *Calendar(m_line); }
    const EraCalendar& Eras() const { return *m_eraCal[m_line]; }
    // The era calendar of a line without reading the lunisolar data;
    // nullptr for a line whose files could not be read.
    const EraCalendar* Eras(int32_t line) const
    {
        return line >= 0 && line <= 1 && m_eraCal[line] ? &*m_eraCal[line] : nullptr;
    }
    // Why the lunisolar data could not be used (names the file), or empty.
    std::string LunisolarError() const;

private:
    void EnsureLoaded() const;

    int32_t m_line = 0;
    std::optional<EraCalendar> m_eraCal[2];
    std::function<LunisolarData()> m_load;
    mutable std::once_flag m_once;
    mutable std::optional<DayCalendar> m_days[2];
    mutable std::string m_error;
};

} // namespace yomari
