// Start-up of Yomari against a bare Qt window program: wall time from launch
// to the first painted window, and peak memory, alternating the two programs
// in one run. Both end themselves after their first paint.
//
//   xvfb-run -a ./build/bin/bench_startup [runs]      (or QT_QPA_PLATFORM=offscreen)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Run {
    double milliseconds;
    long peakKiB;
};

Run Launch(const std::string& program)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("YOMARI_EXIT_AFTER_FIRST_PAINT", "1", 1);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s did not end cleanly (status %d)\n", program.c_str(), status);
        std::exit(1);
    }
    return {std::chrono::duration<double, std::milli>(end - start).count(), usage.ru_maxrss};
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const std::string dir = YOMARI_BIN_DIR;
    const std::string yomari = dir + "/Yomari";
    const std::string bare = dir + "/bare_window";

    // Warm the page cache once for each, so both are measured alike.
    Launch(yomari);
    Launch(bare);

    std::vector<double> yTime, bTime, yMem, bMem;
    for (int i = 0; i < runs; ++i) {
        const Run y = Launch(yomari);
        const Run b = Launch(bare);
        yTime.push_back(y.milliseconds);
        bTime.push_back(b.milliseconds);
        yMem.push_back(static_cast<double>(y.peakKiB));
        bMem.push_back(static_cast<double>(b.peakKiB));
    }
    const double yt = Median(yTime), bt = Median(bTime);
    const double ym = Median(yMem) / 1024.0, bm = Median(bMem) / 1024.0;
    std::printf("runs: %d each (medians)\n", runs);
    std::printf("%-12s %12s %14s\n", "program", "first paint", "peak memory");
    std::printf("%-12s %9.1f ms %11.1f MiB\n", "Yomari", yt, ym);
    std::printf("%-12s %9.1f ms %11.1f MiB\n", "bare window", bt, bm);
    std::printf("ratio        %9.2f x  %11.2f x\n", yt / bt, ym / bm);
    return 0;
}
