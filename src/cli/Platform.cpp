#include "cli/Platform.h"

#include <cerrno>
#include <ctime>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace yomari::cli {

std::filesystem::path ExecutablePath()
{
#ifdef _WIN32
    // Long paths need more than MAX_PATH; the buffer grows until it fits.
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0)
            return {};
        if (n < buffer.size()) {
            buffer.resize(n);
            return std::filesystem::path(buffer);
        }
        buffer.resize(buffer.size() * 2);
    }
#else
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : exe;
#endif
}

std::chrono::seconds LocalUtcOffset(std::chrono::system_clock::time_point when)
{
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
#ifdef _WIN32
    if (localtime_s(&local, &t) != 0)
        return {};
#else
    if (!localtime_r(&t, &local))
        return {};
#endif
    // The local wall clock read as if it were UTC, minus the instant itself.
    namespace chr = std::chrono;
    const chr::sys_days day{chr::year{local.tm_year + 1900} / (local.tm_mon + 1) / local.tm_mday};
    const chr::sys_seconds wall =
        day + chr::hours{local.tm_hour} + chr::minutes{local.tm_min} + chr::seconds{local.tm_sec};
    return wall - chr::sys_seconds{chr::seconds{t}};
}

CivilDate LocalToday()
{
    const auto now = std::chrono::system_clock::now();
    return CivilDateAt(now, LocalUtcOffset(now));
}

long ReadStandardInput(char* buffer, std::size_t size)
{
    for (;;) {
#ifdef _WIN32
        const int n = _read(0, buffer, static_cast<unsigned>(size > 1u << 30 ? 1u << 30 : size));
#else
        const ssize_t n = ::read(STDIN_FILENO, buffer, size);
#endif
        if (n < 0 && errno == EINTR)
            continue;
        return static_cast<long>(n);
    }
}

} // namespace yomari::cli

#ifdef _WIN32
namespace {

std::string Utf8FromWide(const wchar_t* wide)
{
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1)
        return {};
    std::string utf8(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), n, nullptr, nullptr);
    utf8.pop_back(); // the terminating zero
    return utf8;
}

} // namespace

// The narrow command line is in the system's code page, which has no
// Japanese on most machines; the wide one is exact.
int wmain(int argc, wchar_t** argv)
{
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i)
        args.push_back(Utf8FromWide(argv[i]));
    std::vector<char*> pointers;
    for (std::string& a : args)
        pointers.push_back(a.data());
    pointers.push_back(nullptr);
    // UTF-8 goes out byte for byte, with "\n" line ends as on every platform.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
    return CliMain(argc, pointers.data());
}
#else
int main(int argc, char** argv)
{
    return CliMain(argc, argv);
}
#endif
