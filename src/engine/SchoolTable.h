#pragma once

#include "engine/EraDates.h"
#include "engine/TextTable.h"

#include <cstdint>
#include <string>
#include <vector>

namespace yomari {

// One school on the straight path (no year repeated or skipped). Entry is in
// April, leaving in March.
struct SchoolStage {
    std::string name;                       // 小学校, 大学(4年)
    std::string resumeName;                 // as a 履歴書 line names it: 大学
    std::string entryWord, leaveWord;       // 入学/卒業, 入園/卒園, 入学/修了
    int32_t entryYear = 0;                  // April of this year
    int32_t leaveYear = 0;                  // March of this year
    std::string entryEraYear, leaveEraYear; // 平成31年, 令和7年 (of April and of March)
    bool onResume = false;                  // listed on a 履歴書 unless the user says otherwise
};

// The year a child born on this day starts 小学校. One comes of age at the end
// of the day before the birthday, so children born up to 1 April join the
// school year that starts in the April after their sixth birthday's eve.
int32_t PrimarySchoolEntryYear(CivilDate birth);

// The schools in the order of entry; throws YomariError for a birth date whose
// school years would leave the calendar's range.
std::vector<SchoolStage> MakeSchoolStages(const EraCalendar& calendar, CivilDate birth,
                                          const std::string& errorSource);

// How many schools MakeSchoolStages lists.
size_t SchoolStageCount();

TextTable SchoolTableText(const std::vector<SchoolStage>& stages);

// The chosen schools' entries and leavings in time order, as a 履歴書 lists
// them: "平成31年\t4月\t小学校 入学" (or "2019年\t4月\t…" in Western years).
// chosen[i] says whether stages[i] is listed.
std::string ResumeLines(const std::vector<SchoolStage>& stages, const std::vector<bool>& chosen,
                        bool eraYears);

} // namespace yomari
