#pragma once

#include "engine/Utf8Path.h"
#include "engine/YomariError.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace yomari {

// What the engine needs from the world outside: where the program lies, what
// it is called, where its data files are, and the current year. Tests set
// these; the program takes them from the running binary, its environment
// variables and the local clock.
struct EngineEnvironment {
    std::filesystem::path folder; // the executable's folder
    std::string baseName;         // the executable's file name without extension
    std::function<int32_t()> currentYear;
    // Fewest eras a loaded table must hold; a table with fewer is refused
    // like an unreadable file. The engine itself works with any count, even
    // none; a user of it that addresses eras by fixed numbers asks for them.
    int32_t minimumEras = 0;

    // Folders searched for data files, most preferred first. Empty: the
    // executable's folder alone (DataFile's last resort).
    std::vector<std::filesystem::path> dataFolders;
    // Base name of the data files ("Yomari" for Yomari.dan); empty: baseName.
    std::string dataName;
    // Told when a data file was refused and a later one is used instead:
    // the refused file, why, and the file used.
    std::function<void(const std::string& refused, const std::string& reason, const std::string& used)>
        fallbackNotice;

    // A program at `executable` (found by the caller, the way its platform
    // allows; empty: the current folder) with the standard data folders.
    // Data files are named "Yomari.*" whatever the binary is called, so that
    // every tool of the program reads the same files. currentYear is left to
    // the caller, who knows the local clock.
    static EngineEnvironment ForProgram(const std::filesystem::path& executable);

    // Paths of a data file in every data folder, most preferred first.
    std::vector<std::string> DataFileCandidates(const std::string& extension) const;
    // The first of those that exists; when none does, the one beside the
    // program, so that a message names the place it was expected.
    std::string DataFile(const std::string& extension) const;

    // Reads a data file with `read` (a callable taking the path). A file that
    // exists but is refused (read throws YomariError) gives way to the next
    // existing one, and fallbackNotice is told; when every one is refused, the
    // most preferred one's error is raised.
    template <class Read>
    auto ReadDataFile(const std::string& extension, Read&& read) const
    {
        std::vector<std::string> existing;
        for (const std::string& path : DataFileCandidates(extension)) {
            std::error_code ec;
            if (std::filesystem::is_regular_file(PathFromUtf8(path), ec))
                existing.push_back(path);
        }
        if (existing.empty())
            return read(DataFile(extension));
        std::vector<std::pair<std::string, YomariError>> refused;
        for (size_t i = 0;; ++i) {
            try {
                auto result = read(existing[i]);
                if (fallbackNotice)
                    for (const auto& [path, error] : refused)
                        fallbackNotice(path, error.Description(), existing[i]);
                return result;
            } catch (const YomariError& error) {
                refused.emplace_back(existing[i], error);
                if (i + 1 == existing.size())
                    throw refused.front().second;
            }
        }
    }
};

// The user's own data folder: $XDG_DATA_HOME/yomari, or ~/.local/share/yomari
// when that variable is unset, empty or relative. Empty when neither it nor
// HOME gives an absolute path.
std::filesystem::path UserDataFolder();

// The data folders of a program in `programFolder`, in the order they are
// searched: the user's own, beside the program (build folders and portable
// copies), and ../share/yomari (an installed copy).
std::vector<std::filesystem::path> StandardDataFolders(const std::filesystem::path& programFolder);

// folder + separator + base + extension as UTF-8, where a folder ending in
// a separator (the root) loses that character first.
std::string FileBesideProgram(const std::filesystem::path& folder, const std::string& baseName,
                              const std::string& extension);

} // namespace yomari
