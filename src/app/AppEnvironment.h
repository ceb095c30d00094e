#pragma once

#include "engine/EngineEnvironment.h"

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

// The engine's view of the same seams, with the standard data folders. A
// data file refused in favour of another is told in a message box, once for
// each file in a run.
EngineEnvironment MakeEngineEnvironment();

// Reads the dates' era and start-day files of a court line once at start-up,
// so that a user's file that gives way, or an era file and a start-day file
// that disagree, is named then (by MakeEngineEnvironment's message) and not
// only when the tables open. Says nothing when the files are fine, or when
// there are none to fall back to (the tables say so when they open).
void NameDateFileProblems(int32_t courtLine);

// A data file (".hlp", ".daj", ...) as found in the data folders.
QString DataFilePath(const QString& extension);

} // namespace yomari::app
