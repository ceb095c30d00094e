#include "engine/EngineEnvironment.h"

#include <cstdlib>
#include <system_error>

namespace yomari {

namespace {

// An environment variable that names an absolute path; empty otherwise
// (the base directory rules ignore relative ones).
std::filesystem::path AbsoluteFromEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    if (!value || !*value)
        return {};
    std::filesystem::path path(value);
    return path.is_absolute() ? path : std::filesystem::path();
}

} // namespace

std::filesystem::path UserDataFolder()
{
    std::filesystem::path base = AbsoluteFromEnvironment("XDG_DATA_HOME");
    if (base.empty()) {
        const std::filesystem::path home = AbsoluteFromEnvironment("HOME");
        if (home.empty())
            return {};
        base = home / ".local" / "share";
    }
    return base / "yomari";
}

std::vector<std::filesystem::path> StandardDataFolders(const std::filesystem::path& programFolder)
{
    std::vector<std::filesystem::path> folders;
    if (std::filesystem::path user = UserDataFolder(); !user.empty())
        folders.push_back(std::move(user));
    folders.push_back(programFolder);
    folders.push_back((programFolder / ".." / "share" / "yomari").lexically_normal());
    return folders;
}

EngineEnvironment EngineEnvironment::ForProgram(const std::filesystem::path& executable)
{
    EngineEnvironment env;
    if (!executable.empty()) {
        env.folder = executable.parent_path();
        env.baseName = Utf8FromPath(executable.stem());
    } else {
        std::error_code ec;
        env.folder = std::filesystem::current_path(ec);
        env.baseName = "Yomari";
    }
    env.dataFolders = StandardDataFolders(env.folder);
    env.dataName = "Yomari";
    return env;
}

std::vector<std::string> EngineEnvironment::DataFileCandidates(const std::string& extension) const
{
    const std::string& name = dataName.empty() ? baseName : dataName;
    std::vector<std::string> paths;
    for (const std::filesystem::path& dir : dataFolders)
        paths.push_back(FileBesideProgram(dir, name, extension));
    return paths;
}

std::string EngineEnvironment::DataFile(const std::string& extension) const
{
    for (const std::string& path : DataFileCandidates(extension)) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(PathFromUtf8(path), ec))
            return path;
    }
    return FileBesideProgram(folder, dataName.empty() ? baseName : dataName, extension);
}

std::string FileBesideProgram(const std::filesystem::path& folder, const std::string& baseName,
                              const std::string& extension)
{
    // The system's own separator, so that a message names the file the way
    // the user's file manager shows it.
    const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
    std::string dir = Utf8FromPath(folder);
    if (!dir.empty() && (dir.back() == '/' || dir.back() == separator))
        dir.pop_back();
    return dir + separator + baseName + extension;
}

} // namespace yomari
