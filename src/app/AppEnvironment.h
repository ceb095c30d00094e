#pragma once

#include "EngineEnvironment.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

namespace yomari::app {

// Where the program lies and what it is called. The running binary answers;
// tests set their own folder so that files beside "the program" are theirs.
struct ProgramLocation {
    QString folder;   // without a trailing "/" (the root gives "")
    QString baseName; // the executable's file name without extension
};

ProgramLocation CurrentLocation();
void SetLocationForTesting(std::optional<ProgramLocation> location);

int32_t CurrentYear();
void SetCurrentYearForTesting(std::function<int32_t()> year);

// The engine's view of the same seams.
EngineEnvironment MakeEngineEnvironment();

} // namespace yomari::app
