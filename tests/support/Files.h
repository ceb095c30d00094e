#pragma once

// What the engine and command-line tests share; standard C++ only, so that
// they need not link Qt.

#include "engine/EngineEnvironment.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace testsupport {

// The whole file as bytes; empty when it cannot be read.
inline std::string Slurp(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

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
