#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace yomari {

// The engine keeps paths in std::string as UTF-8 on every platform. A narrow
// string turned straight into a path is read in the system's code page on
// Windows, which garbles a Japanese folder name; these two go through UTF-8.
inline std::filesystem::path PathFromUtf8(std::string_view utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace yomari
