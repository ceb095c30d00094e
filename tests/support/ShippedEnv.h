#pragma once

#include "engine/EngineEnvironment.h"

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

} // namespace testsupport
