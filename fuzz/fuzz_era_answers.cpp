// An era file all the way to answers. The input is an era file, then
// optionally a NUL byte and a start-day file; without one, start days are
// made up from the table so that every era file reaches the dates. Dates and
// years are then converted both ways, and each answer must lead back to
// where it came from.
#include "FuzzInput.h"
#include "engine/EraDates.h"
#include "engine/YomariError.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>

namespace {

using namespace yomari;

// Days that rise going up the table: the newer of two eras of one year later.
std::vector<EraStartDay> MadeUpDays(const EraTable& t)
{
    std::vector<EraStartDay> days;
    for (int32_t i = 1; i <= t.NumberOfGengo && i < 28; ++i) {
        const int32_t y = t.Gengo1stADYear[i];
        if (y < 1 || y > kLastExactYear)
            break;
        if (y < kFirstExactDay.year || (y == kFirstExactDay.year && i == t.NumberOfGengo)) {
            days.push_back({t.Gengo[i], {y, 1, 1}});
            break;
        }
        days.push_back({t.Gengo[i], {y, 12, 31 - i}});
    }
    return days;
}

// Every era of the name: a file may give two eras one name.
std::vector<int32_t> ErasNamed(const EraCalendar& c, const std::string& name)
{
    std::vector<int32_t> found;
    for (int32_t i = 1; i <= c.EraCount(); ++i)
        if (c.Table().Gengo[i] == name)
            found.push_back(i);
    return found;
}

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

// A day to an era date and back.
void RoundTripDay(const EraCalendar& c, CivilDate d)
{
    if (!IsValidCivilDate(d))
        return;
    EraCalendar::EraDateResult r;
    try {
        r = c.ToEraDate(d);
    } catch (const DateError&) {
        // Only before the oldest era (or with no era at all).
        Check(c.EraCount() == 0 || d.year < c.Table().Gengo1stADYear.back());
        return;
    }
    bool back = false;
    for (int32_t era : ErasNamed(c, r.eraYear.era)) {
        try {
            const auto w = c.FromEraDate(era, r.eraYear.year, r.month, r.day);
            back = back || (r.exact ? w.date == d : w.westernYear == d.year);
        } catch (const DateError&) {
            // Lunisolar days past the 30th, or past 明治5年12月2日, do not exist.
            back = back || !r.exact;
        }
    }
    Check(back);
}

// A Western year to its eras, and each back to the year and its first day.
void RoundTripYear(const EraCalendar& c, int32_t w)
{
    for (const auto& share : c.ErasOfYear(w)) {
        bool back = false;
        for (int32_t era : ErasNamed(c, share.eraYear.era)) {
            try {
                back = back || c.WesternYearOf(era, share.eraYear.year) == w;
            } catch (const DateError&) {
            }
        }
        Check(back);
        Check(share.from.has_value() == share.to.has_value());
        if (share.from) {
            Check(*share.from <= *share.to && share.from->year == w && share.to->year == w);
            const auto first = c.ToEraDate(*share.from);
            Check(first.exact && first.eraYear == share.eraYear);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto* nul = static_cast<const uint8_t*>(std::memchr(data, 0, size));
    const size_t eraSize = nul ? static_cast<size_t>(nul - data) : size;
    std::optional<EraCalendar> calendar;
    try {
        EraTable table = MakeEraTable(ReadEraFile(fuzz::InputFile(data, eraSize), "Yomari"), "Yomari");
        // Only tables whose first years never rise promise these answers.
        if (!table.NewestFirst)
            return 0;
        const std::vector<EraStartDay> days =
            nul ? ReadEraStartDays(fuzz::InputFile(nul + 1, size - eraSize - 1, 1), "Yomari")
                : MadeUpDays(table);
        calendar.emplace(EraCalendar::FromData(std::move(table), days, "Yomari"));
    } catch (const YomariError&) {
        return 0; // a refused file is a correct answer
    }
    const EraCalendar& c = *calendar;
    std::set<int32_t> years = {1, 1872, 1873, 1874, kLastExactYear};
    // The newest eras, where the days are, and the oldest: enough to meet
    // every kind of answer without making long files slow.
    for (int32_t i = 1; i <= c.EraCount(); i = i == 40 ? std::max(41, c.EraCount() - 3) : i + 1)
        for (int32_t dy : {-1, 0, 1})
            years.insert(std::clamp<int64_t>(int64_t{c.Table().Gengo1stADYear[i]} + dy, 1, kLastExactYear));
    for (int32_t w : years) {
        RoundTripYear(c, w);
        for (CivilDate d : {CivilDate{w, 1, 1}, CivilDate{w, 6, 30}, CivilDate{w, 12, 31}})
            RoundTripDay(c, d);
    }
    for (int32_t i = 1; i <= c.EraCount(); ++i) {
        if (const auto start = c.StartDay(i)) {
            RoundTripDay(c, *start);
            if (*start > CivilDate{1, 1, 1})
                RoundTripDay(c, FromDayNumber(DayNumber(*start) - 1));
        }
    }
    return 0;
}
