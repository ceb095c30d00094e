#pragma once

// What yomari-cli needs from the operating system, one function per need,
// so that the rest of the command stays standard C++ like the engine. The
// program's entry point lives in Platform.cpp too: on Windows it is wmain,
// which turns the wide command line into UTF-8 before CliMain sees it.

#include "engine/EraDates.h"

#include <chrono>
#include <cstddef>
#include <filesystem>

// The command itself, called with UTF-8 arguments on every platform.
int CliMain(int argc, char** argv);

namespace yomari::cli {

// The running program's file; empty when the system does not tell.
std::filesystem::path ExecutablePath();

// How far local time is ahead of UTC at `when` (negative west of Greenwich).
std::chrono::seconds LocalUtcOffset(std::chrono::system_clock::time_point when);

// Today's date in local time.
CivilDate LocalToday();

// Reads up to `size` bytes of standard input as they are (no line-end
// translation): the count read, 0 at its end, or -1 with errno set. An
// interrupted read is retried.
long ReadStandardInput(char* buffer, std::size_t size);

} // namespace yomari::cli
