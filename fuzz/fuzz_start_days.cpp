// The start-day file: reading it, then checking it against the shipped era
// table, as the dates do. Whatever it holds, it is read or refused, and what
// is read holds only real days.
#include "FuzzInput.h"
#include "engine/EraDates.h"
#include "engine/YomariError.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const yomari::EraTable shipped =
        yomari::MakeEraTable(yomari::ReadEraFile(YOMARI_FUZZ_DATA "/Yomari.dan", "Yomari"), "Yomari");
    std::vector<yomari::EraStartDay> days;
    try {
        days = yomari::ReadEraStartDays(fuzz::InputFile(data, size), "Yomari");
    } catch (const yomari::YomariError&) {
        return 0; // a refused file is a correct answer
    }
    for (const yomari::EraStartDay& d : days)
        if (d.era.empty() || !yomari::IsValidCivilDate(d.start))
            std::abort();
    try {
        const yomari::EraCalendar c = yomari::EraCalendar::FromData(shipped, days, "Yomari");
        // Accepted days are each era's first day, and that day is its 元年.
        for (size_t k = 0; k < days.size(); ++k) {
            const auto era = static_cast<int32_t>(k + 1);
            if (c.StartDay(era) != days[k].start)
                std::abort();
            const auto first = c.ToEraDate(days[k].start);
            if (days[k].start >= yomari::kFirstExactDay &&
                (first.eraYear.era != days[k].era || first.eraYear.year != 1))
                std::abort();
        }
    } catch (const yomari::YomariError&) {
    }
    return 0;
}
