#pragma once

// The readers read files, so every fuzz input goes through one real file.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace fuzz {

inline const std::string& InputFile(const uint8_t* data, size_t size)
{
    static const std::string path = [] {
        char name[] = "/tmp/yomari-fuzz-XXXXXX";
        const int fd = mkstemp(name);
        if (fd < 0)
            std::abort();
        close(fd);
        static std::string kept = name;
        std::atexit([] { unlink(kept.c_str()); });
        return kept;
    }();
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(data, 1, size, f) != size || std::fclose(f) != 0)
        std::abort();
    return path;
}

} // namespace fuzz
