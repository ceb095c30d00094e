// Gregorian day to era date (era, era year, month, day): the era calendar
// against ICU4C's Japanese calendar answering the same question, over the
// same days 1873-2100.
#include "engine/DateQuery.h"
#include "engine/EraDates.h"
#include "engine/LunisolarCalendar.h"
#include "engine/LunisolarTable.h"

#include <benchmark/benchmark.h>
#include <unicode/calendar.h>
#include <unicode/gregocal.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>

#include <memory>
#include <vector>

namespace {

yomari::EngineEnvironment ShippedEnv()
{
    yomari::EngineEnvironment env;
    env.folder = YOMARI_BIN_DIR;
    env.baseName = "Yomari";
    env.currentYear = [] { return 2026; };
    return env;
}

// A spread of days: every 7th day from 1873 to 2100.
const std::vector<yomari::CivilDate>& Days()
{
    static const std::vector<yomari::CivilDate> days = [] {
        std::vector<yomari::CivilDate> v;
        const int64_t first = yomari::DayNumber(yomari::kFirstExactDay);
        const int64_t last = yomari::DayNumber({2100, 12, 31});
        for (int64_t n = first; n <= last; n += 7)
            v.push_back(yomari::FromDayNumber(n));
        return v;
    }();
    return days;
}

void BM_LoadCalendar(benchmark::State& state)
{
    for (auto _ : state) {
        auto cal = yomari::EraCalendar::Load(ShippedEnv(), 0);
        benchmark::DoNotOptimize(cal.EraCount());
    }
}
BENCHMARK(BM_LoadCalendar)->Unit(benchmark::kMicrosecond);

void BM_YomariDayToEraDate(benchmark::State& state)
{
    const auto cal = yomari::EraCalendar::Load(ShippedEnv(), 0);
    const auto& days = Days();
    size_t i = 0;
    for (auto _ : state) {
        const auto r = cal.ToEraDate(days[i]);
        benchmark::DoNotOptimize(r.eraYear.era.data());
        benchmark::DoNotOptimize(r.eraYear.year);
        benchmark::DoNotOptimize(r.month);
        benchmark::DoNotOptimize(r.day);
        i = i + 1 == days.size() ? 0 : i + 1;
    }
}
BENCHMARK(BM_YomariDayToEraDate);

void BM_IcuDayToEraDate(benchmark::State& state)
{
    UErrorCode status = U_ZERO_ERROR;
    icu::GregorianCalendar gregorian(*icu::TimeZone::getGMT(), status);
    std::unique_ptr<icu::Calendar> japanese(icu::Calendar::createInstance(
        icu::TimeZone::getGMT()->clone(), icu::Locale("ja_JP@calendar=japanese"), status));
    if (U_FAILURE(status)) {
        state.SkipWithError("ICU calendar unavailable");
        return;
    }
    const auto& days = Days();
    size_t i = 0;
    for (auto _ : state) {
        const auto& d = days[i];
        gregorian.clear();
        gregorian.set(d.year, d.month - 1, d.day);
        japanese->setTime(gregorian.getTime(status), status);
        benchmark::DoNotOptimize(japanese->get(UCAL_ERA, status));
        benchmark::DoNotOptimize(japanese->get(UCAL_YEAR, status));
        benchmark::DoNotOptimize(japanese->get(UCAL_MONTH, status));
        benchmark::DoNotOptimize(japanese->get(UCAL_DATE, status));
        i = i + 1 == days.size() ? 0 : i + 1;
    }
}
BENCHMARK(BM_IcuDayToEraDate);

// The day engine, lunisolar data loaded: the same modern days, then every
// 7th day of 645-07-17..1872-12-31.
void DayEngineBench(benchmark::State& state, const std::vector<int64_t>& jdns)
{
    const auto engine = yomari::DayEngine::Load(ShippedEnv(), 0);
    const yomari::DayCalendar& cal = engine->Calendar();
    size_t i = 0;
    for (auto _ : state) {
        const yomari::EraDay d = cal.EraDayOf(jdns[i]);
        benchmark::DoNotOptimize(d);
        i = i + 1 == jdns.size() ? 0 : i + 1;
    }
}

void BM_DayEngineModernDayToEraDate(benchmark::State& state)
{
    std::vector<int64_t> jdns;
    for (const auto& d : Days())
        jdns.push_back(yomari::JdnOfGregorian(d));
    DayEngineBench(state, jdns);
}
BENCHMARK(BM_DayEngineModernDayToEraDate);

void BM_DayEngineLunisolarDayToEraDate(benchmark::State& state)
{
    std::vector<int64_t> jdns;
    for (int64_t n = yomari::JdnOfJulian({645, 7, 17}); n < yomari::kFirstGregorianJdn; n += 7)
        jdns.push_back(n);
    DayEngineBench(state, jdns);
}
BENCHMARK(BM_DayEngineLunisolarDayToEraDate);

// Reading and checking the two lunisolar files, as on first use.
void BM_LoadLunisolar(benchmark::State& state)
{
    for (auto _ : state) {
        const auto data = yomari::LoadLunisolarData(ShippedEnv());
        benchmark::DoNotOptimize(data.eras.size());
    }
}
BENCHMARK(BM_LoadLunisolar)->Unit(benchmark::kMicrosecond);

// The whole way of one piped line: read the text, convert, write the answer.
void BM_YomariLineToAnswer(benchmark::State& state)
{
    const auto cal = yomari::EraCalendar::Load(ShippedEnv(), 0);
    std::vector<std::string> lines;
    for (const auto& d : Days())
        lines.push_back(yomari::FormatCivilDate(d));
    std::string out;
    size_t i = 0;
    for (auto _ : state) {
        out.clear();
        yomari::AppendAnswerText(yomari::AnswerDateQuery(cal, yomari::ParseDateQuery(cal, lines[i])), out);
        benchmark::DoNotOptimize(out.data());
        i = i + 1 == lines.size() ? 0 : i + 1;
    }
}
BENCHMARK(BM_YomariLineToAnswer);

} // namespace

BENCHMARK_MAIN();
