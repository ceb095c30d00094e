#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace yomari {

// What the engine needs from the world outside: where the program lies, what
// it is called, and the current year. Tests set these; the program takes them
// from the running binary and the local clock.
struct EngineEnvironment {
    std::filesystem::path folder; // the executable's folder
    std::string baseName;         // the executable's file name without extension
    std::function<int32_t()> currentYear;
    // Fewest eras a loaded table must hold; a table with fewer is refused
    // like an unreadable file. The engine itself works with any count, even
    // none; a user of it that addresses eras by fixed numbers asks for them.
    int32_t minimumEras = 0;

    static EngineEnvironment FromRunningProcess();
};

// Year of the local date now.
int32_t LocalCurrentYear();

// folder + "/" + base + extension, where a folder ending in "/" (the root)
// loses that character first and an empty folder stays empty.
std::string FileBesideProgram(const std::filesystem::path& folder, const std::string& baseName,
                              const std::string& extension);

} // namespace yomari
