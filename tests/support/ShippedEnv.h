#pragma once

#include "engine/EngineEnvironment.h"
#include "engine/EraDates.h"
#include "engine/LunisolarCalendar.h"
#include "engine/TextDecoding.h"

#include <cstdint>

namespace testsupport {

// The engine's view of the data files copied beside the test executables,
// with a fixed current year so that answers about "this year" stay put.
inline yomari::EngineEnvironment ShippedEnv()
{
    yomari::EngineEnvironment env;
    env.folder = YOMARI_BIN_DIR;
    env.baseName = "Yomari";
    env.currentYear = [] { return 2026; };
    return env;
}

// UTF-8 text as the CP932 bytes a data file holds.
inline std::string Cp932(const std::string& utf8)
{
    return *yomari::EncodeCp932(utf8);
}

// The shipped era calendar and day engine of a court line (0 北朝, 1 南朝),
// read once for the whole test program: the tests that walk every day would
// otherwise read the files again and again.
inline const yomari::EraCalendar& ShippedCalendar(int32_t line = 0)
{
    static const yomari::EraCalendar north = yomari::EraCalendar::Load(ShippedEnv(), 0);
    static const yomari::EraCalendar south = yomari::EraCalendar::Load(ShippedEnv(), 1);
    return line == 0 ? north : south;
}

inline const yomari::DayEngine& ShippedDays(int32_t line = 0)
{
    static const auto north = yomari::DayEngine::Load(ShippedEnv(), 0);
    static const auto south = yomari::DayEngine::Load(ShippedEnv(), 1);
    return line == 0 ? *north : *south;
}

} // namespace testsupport
