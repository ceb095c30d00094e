#include "EngineEnvironment.h"

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
    return env;
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
