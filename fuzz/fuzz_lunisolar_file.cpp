// The lunisolar month file and the era-day file. An input is a month file;
// after a line "--" it is instead an era-day file, read against the shipped
// months and checked against the shipped era files of both lines. Whatever
// is accepted must answer every day it covers.
#include "engine/LunisolarCalendar.h"
#include "engine/YomariError.h"

#include <cstdint>
#include <string_view>

namespace {

const yomari::EngineEnvironment& Env()
{
    static const yomari::EngineEnvironment env = [] {
        yomari::EngineEnvironment e;
        e.folder = YOMARI_FUZZ_DATA_DIR;
        e.baseName = "Yomari";
        e.currentYear = [] { return 2026; };
        return e;
    }();
    return env;
}

const yomari::LunisolarData& Shipped()
{
    static const yomari::LunisolarData data = yomari::LoadLunisolarData(Env());
    return data;
}

const yomari::EraCalendar& Eras(int32_t line)
{
    static const yomari::EraCalendar north = yomari::EraCalendar::Load(Env(), 0);
    static const yomari::EraCalendar south = yomari::EraCalendar::Load(Env(), 1);
    return line == 0 ? north : south;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        auto lunisolar = std::make_shared<yomari::LunisolarData>(Shipped());
        if (text.substr(0, 3) == "--\n") {
            lunisolar->eras = yomari::ReadEraDayRows(text.substr(3), lunisolar->months, "fuzz", "Yomari");
        } else {
            lunisolar->months = yomari::LunisolarTable::Parse(text, "fuzz", "Yomari");
            for (int64_t jdn = lunisolar->months.FirstJdn(); jdn < lunisolar->months.EndJdn(); jdn += 997) {
                const auto d = lunisolar->months.DateOf(jdn);
                if (!d || lunisolar->months.JdnOf(*d) != jdn)
                    __builtin_trap();
            }
        }
        for (int32_t line : {0, 1}) {
            const yomari::DayCalendar cal(Eras(line), line, lunisolar);
            for (int64_t jdn = cal.FirstJdn(); jdn < yomari::kFirstGregorianJdn + 400; jdn += 331) {
                const yomari::DayFacts f = cal.Facts(jdn);
                if (f.date.era != 0)
                    (void)cal.DayOf(f.date.era, f.date.year, f.date.month, f.date.leap, f.date.day);
            }
        }
    } catch (const yomari::YomariError&) {
        // A refused file is a correct answer.
    } catch (const yomari::DateError&) {
    }
    return 0;
}
