// Loading the shipped era table and the four calculations, with ICU's
// Japanese calendar answering the same Western-year-to-era question as the
// yardstick.
#include "engine/CYomari.h"
#include "engine/EraTable.h"

#include <benchmark/benchmark.h>
#include <unicode/calendar.h>
#include <unicode/locid.h>

#include <memory>

namespace {

yomari::EngineEnvironment ShippedEnv()
{
    yomari::EngineEnvironment env;
    env.folder = YOMARI_BIN_DIR;
    env.baseName = "Yomari";
    env.currentYear = [] { return 2026; };
    return env;
}

void BM_LoadTable(benchmark::State& state)
{
    const std::string file = yomari::FileBesideProgram(YOMARI_BIN_DIR, "Yomari", ".dan");
    for (auto _ : state) {
        auto table = yomari::MakeEraTable(yomari::ReadEraFile(file, "Yomari"), "Yomari");
        benchmark::DoNotOptimize(table.NumberOfGengo);
    }
}
BENCHMARK(BM_LoadTable)->Unit(benchmark::kMicrosecond);

void BM_ConstructEngine(benchmark::State& state)
{
    for (auto _ : state) {
        yomari::CYomari e(ShippedEnv());
        benchmark::DoNotOptimize(e.NumberOfGengo());
    }
}
BENCHMARK(BM_ConstructEngine)->Unit(benchmark::kMicrosecond);

// Each calculation is run with a fresh input so that nothing is cached.
void BM_WesternToEra(benchmark::State& state)
{
    yomari::CYomari e(ShippedEnv());
    e.SetMode(1);
    int32_t w = 645;
    for (auto _ : state) {
        e.SetInputYear(w);
        benchmark::DoNotOptimize(e.OutputYear());
        benchmark::DoNotOptimize(e.OutputGengo());
        w = w >= 2026 ? 645 : w + 1;
    }
}
BENCHMARK(BM_WesternToEra);

void BM_EraConversion(benchmark::State& state)
{
    yomari::CYomari e(ShippedEnv());
    e.SetMode(0);
    e.SetInputGengo("昭和");
    e.SetInputGengo2("平成");
    int32_t y = 1;
    for (auto _ : state) {
        e.SetInputYear(y);
        benchmark::DoNotOptimize(e.OutputYear());
        y = y >= 64 ? 1 : y + 1;
    }
}
BENCHMARK(BM_EraConversion);

void BM_Age(benchmark::State& state)
{
    yomari::CYomari e(ShippedEnv());
    e.SetMode(2);
    e.SetInputGengo("昭和");
    e.SetInputGengo2("令和");
    e.SetInputYear2(8);
    int32_t y = 1;
    for (auto _ : state) {
        e.SetInputYear(y);
        benchmark::DoNotOptimize(e.OutputYear());
        y = y >= 64 ? 1 : y + 1;
    }
}
BENCHMARK(BM_Age);

void BM_BirthYear(benchmark::State& state)
{
    yomari::CYomari e(ShippedEnv());
    e.SetMode(3);
    int32_t age = 0;
    for (auto _ : state) {
        e.SetInputYear(age);
        benchmark::DoNotOptimize(e.OutputYear2());
        benchmark::DoNotOptimize(e.OutputGengo());
        age = age >= 1380 ? 0 : age + 1;
    }
}
BENCHMARK(BM_BirthYear);

// ICU: the era and era-year of 1 July of a Western year.
void BM_IcuWesternToEra(benchmark::State& state)
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Calendar> gregorian(
        icu::Calendar::createInstance(icu::Locale("en_US@calendar=gregorian"), status));
    std::unique_ptr<icu::Calendar> japanese(
        icu::Calendar::createInstance(icu::Locale("ja_JP@calendar=japanese"), status));
    if (U_FAILURE(status)) {
        state.SkipWithError("ICU calendar unavailable");
        return;
    }
    int32_t w = 645;
    for (auto _ : state) {
        gregorian->clear();
        gregorian->set(w, UCAL_JULY, 1);
        japanese->setTime(gregorian->getTime(status), status);
        benchmark::DoNotOptimize(japanese->get(UCAL_ERA, status));
        benchmark::DoNotOptimize(japanese->get(UCAL_YEAR, status));
        w = w >= 2026 ? 645 : w + 1;
    }
}
BENCHMARK(BM_IcuWesternToEra);

} // namespace

BENCHMARK_MAIN();
