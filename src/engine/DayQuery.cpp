#include "engine/DayQuery.h"

#include "engine/DateQuery.h"
#include "engine/NumberText.h"
#include "engine/TextDecoding.h"

#include <algorithm>

#include <charconv>

namespace yomari {
namespace {

// ---- answers ---------------------------------------------------------------------

EraDateView View(const EraCalendar& eras, const EraDay& d)
{
    EraDateView v;
    v.name = eras.Table().Gengo[d.era];
    v.reading = eras.Table().GengoKana[d.era];
    v.year = d.year;
    v.month = d.month;
    v.leap = d.leap;
    v.day = d.day;
    v.text = FormatEraDay(eras, d);
    return v;
}

std::string MonthDayText(int32_t month, bool leap, int32_t day)
{
    return std::string(leap ? "閏" : "") + std::to_string(month) + "月" + std::to_string(day) + "日";
}

bool SameDate(const EraDateView& a, const EraDateView& b)
{
    return a.text == b.text;
}

CivilDate WesternOf(int64_t jdn, const DayOptions& o)
{
    return !o.prolepticGregorian && jdn < kFirstJulianReformJdn ? JulianOfJdn(jdn) : GregorianOfJdn(jdn);
}

// The first and last day of a month before 1873, or nothing when the month
// is not one the lunisolar days answer.
std::optional<std::pair<int64_t, int64_t>> MonthDays(const DayCalendar& cal, const ParsedQuery& q,
                                                     const DayOptions& o)
{
    if (q.kind == ParsedQuery::Kind::EraMonth) {
        const int32_t start = cal.FirstLunisolarYear(q.era);
        const int64_t year = int64_t{start} + q.year - 1;
        if (start == 0 || year > 1872)
            return std::nullopt;
        const auto first = cal.DayOf(q.era, q.year, q.month, q.leap, 1); // throws what does not exist
        if (!first)
            return std::nullopt;
        const int32_t days = cal.Months()->DaysOf(static_cast<int32_t>(year), q.month, q.leap);
        // 明治5年12月 had two days: the third was 1873-01-01.
        return std::pair{first->jdn, std::min(first->jdn + days - 1, kFirstGregorianJdn - 1)};
    }
    if (q.year < 1 || q.year > 1872 || q.month < 1 || q.month > 12)
        return std::nullopt;
    const bool julian = !o.prolepticGregorian && CivilDate{q.year, q.month, 1} < CivilDate{1582, 10, 15};
    const int32_t last = julian && q.month == 2 ? (q.year % 4 == 0 ? 29 : 28) : DaysInMonth(q.year, q.month);
    const int64_t from = julian ? JdnOfJulian({q.year, q.month, 1}) : JdnOfGregorian({q.year, q.month, 1});
    // October 1582 ends in the Gregorian calendar either way.
    const int64_t to = julian && CivilDate{q.year, q.month, last} >= CivilDate{1582, 10, 5}
                           ? JdnOfGregorian({q.year, q.month, last})
                       : julian ? JdnOfJulian({q.year, q.month, last})
                                : JdnOfGregorian({q.year, q.month, last});
    // The month table begins shortly before the first era.
    if (to < cal.FirstJdn())
        throw DateError(std::to_string(q.year) + "年" + std::to_string(q.month) + "月は" +
                        cal.Eras().Table().Gengo.back() + "より前で、元号がありません");
    return std::pair{std::max(from, cal.FirstJdn()), to};
}

// A month before 1873 by its lunisolar days: an era month as the Western
// days it covered, a Western month as the era dates of its first and last
// day. Days of another era than the one asked, or of none, are noted.
std::optional<DateAnswer> AnswerMonthByDays(const DayCalendar& cal, const ParsedQuery& q, const DayOptions& o)
{
    if (!cal.HasLunisolar())
        return std::nullopt;
    const auto days = MonthDays(cal, q, o);
    if (!days)
        return std::nullopt;
    const EraCalendar& eras = cal.Eras();
    DateAnswer a;
    a.query = q;
    a.exact = true;
    a.westernYear = WesternOf(days->first, o).year;
    // The month's days in runs of one era year (no era: era 0).
    std::optional<EraDay> firstWithEra, lastWithEra;
    std::vector<std::string> notes;
    for (int64_t jdn = days->first; jdn <= days->second;) {
        const EraDay d = cal.EraDayOf(jdn);
        int64_t end = jdn;
        EraDay last = d;
        for (EraDay next;
             end < days->second && (next = cal.EraDayOf(end + 1)).era == d.era && next.year == d.year;)
            last = next, ++end;
        const CivilDate from = WesternOf(jdn, o);
        const CivilDate to = WesternOf(end, o);
        const std::string span =
            FormatCivilDate(from) + (end == jdn ? std::string() : "〜" + FormatCivilDate(to)) + "は";
        if (d.era == 0) {
            notes.push_back(span + "元号なし");
        } else {
            a.eras.push_back({eras.Ref(d.era, d.year), from, to});
            if (!firstWithEra)
                firstWithEra = d;
            lastWithEra = last;
            if (q.kind == ParsedQuery::Kind::EraMonth && (d.era != q.era || d.year != q.year))
                notes.push_back(span + FormatEraYear(eras.Ref(d.era, d.year)));
        }
        jdn = end + 1;
    }
    if (q.kind == ParsedQuery::Kind::EraMonth) {
        a.firstDay = FormatCivilDate(WesternOf(days->first, o));
        a.lastDay = FormatCivilDate(WesternOf(days->second, o));
    } else {
        const std::string asked = std::to_string(q.year) + "年" + std::to_string(q.month) + "月";
        if (!firstWithEra) {
            const DayFacts f = cal.Facts(days->first);
            throw DateError(f.eraBefore == 0
                                ? asked + "は" + eras.Table().Gengo.back() + "より前で、元号がありません"
                                : asked + "は元号のない時期です（" + eras.Table().Gengo[f.eraBefore] +
                                      "の後・" + eras.Table().Gengo[f.eraAfter] + "の前）");
        }
        a.firstDay = FormatEraDay(eras, *firstWithEra);
        a.lastDay = lastWithEra->era == firstWithEra->era && lastWithEra->year == firstWithEra->year
                        ? MonthDayText(lastWithEra->month, lastWithEra->leap, lastWithEra->day)
                        : FormatEraDay(eras, *lastWithEra);
    }
    std::reverse(a.eras.begin(), a.eras.end()); // newest first, as for a year
    for (const std::string& n : notes)
        a.note += (a.note.empty() ? "" : "、") + n;
    return a;
}

} // namespace

int64_t WesternJdn(const ParsedQuery& q, const DayOptions& o)
{
    const CivilDate d{q.year, q.month, q.day};
    const std::string asked =
        std::to_string(q.year) + "年" + std::to_string(q.month) + "月" + std::to_string(q.day) + "日";
    if (q.year < 1 || q.year > kLastExactYear)
        throw DateError("日付の年は1から" + std::to_string(kLastExactYear) + "までです");
    if (q.month < 1 || q.month > 12)
        throw DateError(asked + "はありません（月は1から12まで）");
    const bool julian = !o.prolepticGregorian && d < CivilDate{1582, 10, 15};
    if (julian) {
        if (!IsValidJulianDate(d))
            throw DateError(
                asked + "はありません（ユリウス暦の" + std::to_string(q.month) + "月は" +
                std::to_string(q.month == 2 ? (q.year % 4 == 0 ? 29 : 28) : DaysInMonth(2001, q.month)) +
                "日まで）");
        if (d > CivilDate{1582, 10, 4})
            throw DateError(asked +
                            "はありません（ユリウス暦1582年10月4日の翌日がグレゴリオ暦1582年10月15日）");
        return JdnOfJulian(d);
    }
    if (!IsValidCivilDate(d))
        throw DateError(asked + "はありません（" + std::to_string(q.month) + "月は" +
                        std::to_string(DaysInMonth(d.year, d.month)) + "日まで）");
    return JdnOfGregorian(d);
}

std::string FormatEraDay(const EraCalendar& eras, const EraDay& d)
{
    return FormatEraYear(eras.Ref(d.era, d.year)) + MonthDayText(d.month, d.leap, d.day);
}

ParsedQuery ReadQuery(const DayEngine& engine, std::string_view text)
{
    return ParseDateQuery(engine.Eras(), text, engine.Eras(1 - engine.Line()));
}

std::optional<DayAnswer> AnswerDay(const DayEngine& engine, std::string_view text, const DayOptions& options)
{
    return AnswerDay(engine, ReadQuery(engine, text), options);
}

std::optional<DayAnswer> AnswerDay(const DayEngine& engine, const ParsedQuery& query,
                                   const DayOptions& options)
{
    using Kind = ParsedQuery::Kind;
    if (query.kind != Kind::WesternDate && query.kind != Kind::EraDate && query.kind != Kind::Jdn)
        return std::nullopt;
    ParsedQuery q = query;
    const DayCalendar& cal = engine.Calendar();
    DayAnswer a;
    a.fromEra = q.kind == Kind::EraDate;
    a.fromJdn = q.kind == Kind::Jdn;
    std::vector<std::string> notes;
    if (q.kind == Kind::Jdn) {
        a.jdn = q.jdn;
    } else if (q.kind == Kind::WesternDate) {
        if (q.lastDay && q.month >= 1 && q.month <= 12) {
            const bool julian =
                !options.prolepticGregorian && CivilDate{q.year, q.month, 1} < CivilDate{1582, 10, 1};
            q.day = julian && q.month == 2 ? (q.year % 4 == 0 ? 29 : 28) : DaysInMonth(q.year, q.month);
        }
        a.jdn = WesternJdn(q, options);
    } else {
        const int32_t line = q.otherLine ? 1 - engine.Line() : engine.Line();
        const DayCalendar& by = *engine.Calendar(line);
        int32_t day = q.day;
        if (q.lastDay) {
            // 晦日: the month's last day, lunisolar or Gregorian.
            const int32_t first = by.FirstLunisolarYear(q.era);
            const int64_t ly = int64_t{first} + q.year - 1;
            if (first != 0 && ly <= 1872)
                day = by.Months()->DaysOf(static_cast<int32_t>(ly), q.month, q.leap);
            else if (q.month >= 1 && q.month <= 12)
                day = DaysInMonth(by.Eras().WesternYearOf(q.era, q.year), q.month);
            if (day == 0)
                day = 30; // let the checks below name what exists
        }
        const auto found = by.DayOf(q.era, q.year, q.month, q.leap, day);
        if (!found)
            return std::nullopt;
        a.jdn = found->jdn;
        const std::string eraName = by.Eras().Table().Gengo[q.era];
        if (line != engine.Line())
            notes.push_back(eraName + "は" + (line == 0 ? "北朝" : "南朝") + "の元号です");
        if (found->inUse) {
            const std::string asked =
                FormatEraYear(by.Eras().Ref(q.era, q.year)) + MonthDayText(q.month, q.leap, day);
            notes.push_back(found->inUse->era == 0
                                ? asked + "の日、" + eraName + "はまだ使われておらず元号はありません"
                                : asked + "の日に使われていた元号は" +
                                      FormatEraDay(by.Eras(), *found->inUse));
        }
    }
    if (a.jdn < cal.FirstJdn() || a.jdn > DayCalendar::kLastJdn) {
        // Known by the year only, as a Western date of those days is.
        if (!cal.HasLunisolar() && a.jdn < kFirstGregorianJdn && a.jdn >= JdnOfJulian({645, 7, 17}))
            return std::nullopt;
        cal.Facts(a.jdn); // throws the reason
    }
    const DayFacts f = cal.Facts(a.jdn);
    const EraCalendar& eras = cal.Eras();
    a.julian = JulianOfJdn(a.jdn);
    a.gregorian = GregorianOfJdn(a.jdn);
    a.western = !options.prolepticGregorian && a.jdn < kFirstJulianReformJdn ? a.julian : a.gregorian;
    a.dayKanshi = KanshiOfDay(a.jdn);
    a.lunisolar = f.lunisolar;
    a.yearKanshi = KanshiOfYear(f.lunisolar ? f.lunisolar->year : a.gregorian.year);
    if (f.lunisolar)
        a.lunisolarText = std::to_string(f.lunisolar->year) + "年（" + a.yearKanshi.kanji + "）" +
                          MonthDayText(f.lunisolar->month, f.lunisolar->leap, f.lunisolar->day);
    if (f.date.era != 0)
        a.era = View(eras, f.date);
    if (f.also)
        a.also = View(eras, *f.also);
    if (f.eraBefore)
        a.eraBefore = eras.Table().Gengo[f.eraBefore];
    if (f.eraAfter)
        a.eraAfter = eras.Table().Gengo[f.eraAfter];
    if (const DayCalendar* other = engine.Calendar(1 - engine.Line())) {
        try {
            const DayFacts g = other->Facts(a.jdn);
            if (g.date.era != 0) {
                EraDateView v = View(other->Eras(), g.date);
                if (!a.era || !SameDate(*a.era, v)) {
                    a.otherLine = std::move(v);
                    a.otherLineName = engine.Line() == 0 ? "南朝" : "北朝";
                }
            }
        } catch (const DateError&) {
            // The other line without lunisolar data: no date to add.
        }
    }
    a.notes = std::move(notes);
    // The one-line answer.
    if (a.fromEra) {
        a.text = FormatCivilDate(a.western);
    } else if (a.era) {
        a.text = a.era->text;
        if (a.also)
            a.text += "（" + a.also->text + "とも）";
    } else {
        a.text = "元号なし " + a.lunisolarText;
        if (!a.eraBefore.empty() || !a.eraAfter.empty())
            a.text += "（" + (a.eraBefore.empty() ? std::string() : a.eraBefore + "の後") +
                      (a.eraBefore.empty() || a.eraAfter.empty() ? "" : "・") +
                      (a.eraAfter.empty() ? std::string() : a.eraAfter + "の前") + "）";
        if (a.also)
            a.text += "（" + a.also->text + "とも）";
    }
    for (const std::string& n : a.notes)
        a.text += " ※" + n;
    if (q.weekday >= 0)
        CheckWeekday(q.weekday, a.gregorian, FormatCivilDate(a.western));
    return a;
}

QueryAnswer AnswerQuery(const DayEngine& engine, std::string_view text, const DayOptions& options,
                        AnswerNeed need)
{
    const ParsedQuery q = ReadQuery(engine, text);
    QueryAnswer r;
    if (need == AnswerNeed::Text && q.kind == ParsedQuery::Kind::WesternDate) {
        try {
            AnswerDateQuery(engine.Eras(), q, r.year.emplace());
            if (r.year->exact)
                return r;
        } catch (const DateError&) {
            // The day answer below says why, in its words.
        }
        r.year.reset();
    }
    if (auto day = AnswerDay(engine, q, options)) {
        r.day = std::make_unique<DayAnswer>(std::move(*day));
        return r;
    }
    const bool day = q.kind == ParsedQuery::Kind::EraDate;
    if (q.otherLine && !day) {
        // Years and months are answered in the chosen line only; a day is
        // the same day in both.
        const char* line = engine.Line() == 0 ? "南朝" : "北朝";
        throw DateError(engine.Eras(1 - engine.Line())->Table().Gengo[q.era] + "は" + line +
                        "の元号です（年と月だけの問い合わせは" + (engine.Line() == 0 ? "北朝" : "南朝") +
                        "の元号で読みます）");
    }
    if (q.kind == ParsedQuery::Kind::EraYear && !q.otherLine &&
        q.year > engine.Eras().Table().GengoLastYear[q.era]) {
        // A year the era file closes early (元中8 and 9 of the Southern
        // line, where 明徳 keeps its real first year) but whose days were
        // dated by it.
        const DayCalendar& cal = engine.Calendar();
        const int32_t first = cal.FirstLunisolarYear(q.era);
        const auto dated = [&](int32_t year) {
            try {
                const auto day = cal.DayOf(q.era, year, 1, false, 1);
                return day && !day->inUse;
            } catch (const DateError&) {
                return false;
            }
        };
        int32_t last = engine.Eras().Table().GengoLastYear[q.era];
        while (cal.HasLunisolar() && first != 0 && last < q.year && int64_t{first} + last <= 1872 &&
               dated(last + 1))
            ++last;
        if (last > engine.Eras().Table().GengoLastYear[q.era]) {
            if (q.year > last)
                throw DateError(engine.Eras().Table().Gengo[q.era] + "は" + std::to_string(last) +
                                "年までです");
            DateAnswer& a = r.year.emplace();
            a.query = q;
            a.westernYear = first + q.year - 1;
            a.eras.push_back({engine.Eras().Ref(q.era, q.year), std::nullopt, std::nullopt});
            return r;
        }
    }
    if (q.kind == ParsedQuery::Kind::EraMonth || q.kind == ParsedQuery::Kind::WesternMonth) {
        if (auto month = AnswerMonthByDays(engine.Calendar(), q, options)) {
            r.year = std::move(month);
            return r;
        }
    }
    r.year = AnswerDateQuery(q.otherLine ? *engine.Eras(1 - engine.Line()) : engine.Eras(), q);
    return r;
}

} // namespace yomari
