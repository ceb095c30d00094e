#pragma once

// Files for the engine and command-line tests; standard C++ only, so that
// they need not link Qt.

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

} // namespace testsupport
