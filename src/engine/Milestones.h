#pragma once

#include "engine/EngineEnvironment.h"

#include <cstdint>
#include <string>
#include <vector>

namespace yomari {

// The 厄年 and 長寿祝い a 数え年 carries. Customs differ by region and shrine,
// so the ages come from a data file the user may edit.
class Milestones {
public:
    enum class Kind { Men, Women, Longevity };
    struct Entry {
        Kind kind;
        std::string name; // 前厄, 本厄, 後厄; or the celebration: 還暦, 古希 …
        int32_t kazoe;
        std::string note; // e.g. 大厄
    };

    Milestones() = default;
    explicit Milestones(std::vector<Entry> entries);

    // "本厄", "本厄(大厄)", "還暦", or empty when the age carries nothing.
    std::string TextFor(Kind kind, int32_t kazoe) const;
    const std::vector<Entry>& Entries() const { return m_entries; }

private:
    std::vector<Entry> m_entries;
};

// Oldest 数え年 the file may name; beyond it an age is surely a typing error.
inline constexpr int32_t kMaxMilestoneAge = 150;

// Reads the program's file from where it finds its other data (".dak"), a
// broken file of the user's giving way to the shipped one as for the era data.
Milestones LoadMilestones(const EngineEnvironment& env);

// Reads the whole file: records of four items, 区分 (男, 女 or 長寿), name,
// 数え年 and a note. Throws YomariError naming the file and the line for a
// missing or unreadable file, an unknown 区分 or 厄 name, an age that is not a
// whole number from 1 to kMaxMilestoneAge, an age given twice, a file ending
// inside a record or holding no record.
Milestones ReadMilestoneFile(const std::string& fileName, const std::string& errorSource);

} // namespace yomari
