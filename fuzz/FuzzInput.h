#pragma once

// The readers read files, so every fuzz input goes through one real file,
// kept in memory-backed /dev/shm where there is one: on a disk, writing the
// file would cost more than reading it.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace fuzz {

// The bytes as a file; `slot` keeps a second file of one input (an era file
// and its start-day file) apart from the first.
inline const std::string& InputFile(const uint8_t* data, size_t size, int slot = 0)
{
    static std::string paths[2];
    std::string& path = paths[slot];
    if (path.empty()) {
        std::error_code error;
        const std::filesystem::path folder = access("/dev/shm", W_OK) == 0
                                                 ? std::filesystem::path("/dev/shm")
                                                 : std::filesystem::temp_directory_path(error);
        std::string name = (folder / "yomari-fuzz-XXXXXX").string();
        const int fd = mkstemp(name.data());
        if (fd < 0)
            std::abort();
        close(fd);
        path = name;
        static bool registered = false;
        if (!registered) {
            registered = true;
            std::atexit([] {
                for (const std::string& p : paths)
                    if (!p.empty())
                        unlink(p.c_str());
            });
        }
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(data, 1, size, f) != size || std::fclose(f) != 0)
        std::abort();
    return path;
}

} // namespace fuzz
