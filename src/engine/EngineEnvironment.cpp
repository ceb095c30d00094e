#include "engine/EngineEnvironment.h"

#include <cstdlib>
#include <ctime>
#include <system_error>

namespace yomari {

int32_t LocalCurrentYear()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

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

EngineEnvironment EngineEnvironment::FromRunningProcess()
{
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    EngineEnvironment env;
    if (!ec) {
        env.folder = exe.parent_path();
        env.baseName = exe.stem().string();
    } else {
        env.folder = std::filesystem::current_path(ec);
        env.baseName = "Yomari";
    }
    env.currentYear = &LocalCurrentYear;
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
        if (std::filesystem::is_regular_file(path, ec))
            return path;
    }
    return FileBesideProgram(folder, dataName.empty() ? baseName : dataName, extension);
}

std::string FileBesideProgram(const std::filesystem::path& folder, const std::string& baseName,
                              const std::string& extension)
{
    std::string dir = folder.string();
    if (!dir.empty() && dir.back() == '/')
        dir.pop_back();
    return dir + "/" + baseName + extension;
}

} // namespace yomari
