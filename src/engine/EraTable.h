#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace yomari {

// One court line's eras, indexed by era number: 0 is the Western calendar,
// 1 the newest era, NumberOfGengo the oldest.
struct EraTable {
    int32_t NumberOfGengo = 0;
    std::vector<std::string> Gengo{"西暦"};
    std::vector<std::string> GengoKana{"せいれき"};
    std::vector<std::string> GengoKana2{""};
    std::vector<int32_t> Gengo1stADYear{0};
    std::vector<int32_t> GengoLastYear{2147483647};
    // First years never rise from era 1 on: then EraOfYear holds, for each
    // Western year from the oldest era's first year to the year before era 1
    // began, the era that year belongs to.
    bool NewestFirst = true;
    std::vector<int32_t> EraOfYear;
};

struct EraRecord {
    std::string name;
    std::string kana;
    std::string kana2;
    int32_t firstADYear = 0;
};

// Builds the table with its derived last era-years. Throws an overflow error
// when first years are so far apart that a length leaves 32 bits.
EraTable MakeEraTable(std::vector<EraRecord> records, const std::string& errorSource);

// Reads a whole era data file (UTF-8 or CP932). Throws YomariError naming the
// file on every failure: missing or unreadable file, undecodable text, a file
// ending inside a record, a year that is not a whole 32-bit number.
std::vector<EraRecord> ReadEraFile(const std::string& fileName, const std::string& errorSource);

// Largest data file read. The shipped ones are a few kB (the help 50 kB); a
// bigger file is surely no data file, and reading it whole could exhaust memory.
inline constexpr std::uintmax_t kMaxDataFileBytes = 4 * 1024 * 1024;

// What keeps a file from being read whole, found without reading it: a pipe
// would never end, a device such as /dev/zero never ends.
enum class FileRefusal { None, Missing, NotRegular, TooBig };
FileRefusal CheckFileToRead(const std::string& fileName);

// Reads a whole text file of the program's encodings into UTF-8; throws like
// ReadEraFile for a missing, unreadable, undecodable file, one that is no
// regular file or one over kMaxDataFileBytes (found without reading it all).
std::string ReadTextFileUtf8(const std::string& fileName, const std::string& errorSource);

} // namespace yomari
