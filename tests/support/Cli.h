#pragma once

// yomari-cli run as a shell runs it, for the command-line tests: standard C++
// and POSIX only.

#include "tests/engine/TempDir.h"
#include "tests/support/Files.h"

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

namespace testsupport {

struct CliOutcome {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string ShellQuote(const std::string& s)
{
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// Runs the program with the arguments; input, when given, is piped to it,
// otherwise it reads an empty standard input. Standard output goes to
// `output` when one is named (/dev/full, say), and `out` stays empty.
inline CliOutcome RunCli(const std::vector<std::string>& args, const std::string* input = nullptr,
                         const std::string& program = std::string(YOMARI_BIN_DIR) + "/yomari-cli",
                         const std::string& output = {})
{
    TempDir dir;
    // No user data folder of the person running the tests gets in the way.
    std::string cmd =
        "XDG_DATA_HOME=" + ShellQuote((dir.Path() / "xdg").string()) + " " + ShellQuote(program);
    for (const auto& a : args)
        cmd += " " + ShellQuote(a);
    cmd += " < " + (input ? ShellQuote(dir.Write("in.txt", *input)) : std::string("/dev/null"));
    cmd += " > " + ShellQuote(output.empty() ? (dir.Path() / "out").string() : output) + " 2> " +
           ShellQuote((dir.Path() / "err").string());
    CliOutcome r;
    const int raw = std::system(cmd.c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = Slurp(dir.Path() / "out");
    r.err = Slurp(dir.Path() / "err");
    return r;
}

// The text's lines, without their line ends.
inline std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);)
        lines.push_back(l);
    return lines;
}

// A copy of the built yomari-cli in the folder, with the named shipped files
// beside it; the copy's path.
inline std::string CopyCli(const std::filesystem::path& folder, std::initializer_list<const char*> data = {})
{
    const std::string bin = YOMARI_BIN_DIR;
    std::filesystem::copy_file(bin + "/yomari-cli", folder / "yomari-cli");
    for (const char* name : data)
        std::filesystem::copy_file(bin + "/" + name, folder / name);
    return (folder / "yomari-cli").string();
}

} // namespace testsupport
