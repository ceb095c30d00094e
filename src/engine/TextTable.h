#pragma once

#include <string>
#include <vector>

namespace yomari {

// A table as text cells: what the windows show, the command line prints and
// the exports write, all from the same cells.
struct TextTable {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
};

// Tab-separated lines ending in LF, the header first when asked. Tabs and
// line ends inside a cell become blanks so that every row stays one line.
std::string ToTsv(const TextTable& table, bool withHeader = true);

// CSV for spreadsheet programs: UTF-8 with a byte order mark (without it they
// read the Japanese as the local code page), CR LF line ends, every cell
// quoted with inner quotes doubled.
std::string ToCsv(const TextTable& table);

} // namespace yomari
