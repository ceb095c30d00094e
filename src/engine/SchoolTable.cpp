#include "engine/SchoolTable.h"

#include "engine/EraDates.h"
#include "engine/YomariError.h"

#include <algorithm>

namespace yomari {
namespace {

struct StageRule {
    const char* name;
    const char* resumeName;
    const char* entryWord;
    const char* leaveWord;
    int32_t entryOffset; // years after 小学校 entry
    int32_t years;
    bool onResume;
};

constexpr StageRule kStages[] = {
    {"幼稚園(3年保育)", "幼稚園", "入園", "卒園", -3, 3, false},
    {"小学校", "小学校", "入学", "卒業", 0, 6, true},
    {"中学校", "中学校", "入学", "卒業", 6, 3, true},
    {"高等学校", "高等学校", "入学", "卒業", 9, 3, true},
    {"大学(4年)", "大学", "入学", "卒業", 12, 4, true},
    {"短大・専門学校(2年)", "短期大学・専門学校", "入学", "卒業", 12, 2, false},
    {"大学院修士課程", "大学院修士課程", "入学", "修了", 16, 2, false},
};

// The 小学校 entry year's latest school leaving lies this far on.
constexpr int32_t kLastLeaveOffset = 18;

std::string EraYearOf(const EraCalendar& calendar, int32_t year, int32_t month, int32_t day)
{
    return FormatEraYear(calendar.ToEraDate(CivilDate{year, month, day}).eraYear);
}

} // namespace

int32_t PrimarySchoolEntryYear(CivilDate birth)
{
    const bool byFirstApril = birth.month < 4 || (birth.month == 4 && birth.day == 1);
    return birth.year + (byFirstApril ? 6 : 7);
}

std::vector<SchoolStage> MakeSchoolStages(const EraCalendar& calendar, CivilDate birth,
                                          const std::string& errorSource)
{
    // From the first exact day on, and no later than the last school year
    // that ends inside the calendar.
    constexpr int32_t kLastBirthYear = 9999 - 7 - kLastLeaveOffset;
    if (birth.year < kFirstExactDay.year || birth.year > kLastBirthYear)
        throw YomariError(ErrorNumber::Overflow, errorSource,
                          "学歴を求められる生年は" + std::to_string(kFirstExactDay.year) + "年から" +
                              std::to_string(kLastBirthYear) + "年までです");
    const int32_t primary = PrimarySchoolEntryYear(birth);
    std::vector<SchoolStage> stages;
    for (const StageRule& rule : kStages) {
        SchoolStage s;
        s.name = rule.name;
        s.resumeName = rule.resumeName;
        s.entryWord = rule.entryWord;
        s.leaveWord = rule.leaveWord;
        s.entryYear = primary + rule.entryOffset;
        s.leaveYear = s.entryYear + rule.years;
        // The era of the entry ceremony's day and of the last day of the school year.
        s.entryEraYear = EraYearOf(calendar, s.entryYear, 4, 1);
        s.leaveEraYear = EraYearOf(calendar, s.leaveYear, 3, 31);
        s.onResume = rule.onResume;
        stages.push_back(std::move(s));
    }
    return stages;
}

size_t SchoolStageCount()
{
    return std::size(kStages);
}

TextTable SchoolTableText(const std::vector<SchoolStage>& stages)
{
    TextTable table;
    table.header = {"学校", "入学(西暦)", "入学(和暦)", "卒業(西暦)", "卒業(和暦)"};
    for (const SchoolStage& s : stages)
        table.rows.push_back({s.name, std::to_string(s.entryYear) + "年4月", s.entryEraYear + "4月",
                              std::to_string(s.leaveYear) + "年3月", s.leaveEraYear + "3月"});
    return table;
}

std::string ResumeLines(const std::vector<SchoolStage>& stages, const std::vector<bool>& chosen,
                        bool eraYears)
{
    struct Line {
        int32_t year, month;
        size_t stage;
        bool entry;
    };
    std::vector<Line> lines;
    for (size_t i = 0; i < stages.size() && i < chosen.size(); ++i) {
        if (!chosen[i])
            continue;
        lines.push_back({stages[i].entryYear, 4, i, true});
        lines.push_back({stages[i].leaveYear, 3, i, false});
    }
    std::stable_sort(lines.begin(), lines.end(), [](const Line& a, const Line& b) {
        return a.year * 12 + a.month < b.year * 12 + b.month;
    });
    std::string out;
    for (const Line& l : lines) {
        const SchoolStage& s = stages[l.stage];
        if (eraYears)
            out += l.entry ? s.entryEraYear : s.leaveEraYear;
        else
            out += std::to_string(l.year) + "年";
        out += "\t" + std::to_string(l.month) + "月\t" + s.resumeName + " " +
               (l.entry ? s.entryWord : s.leaveWord) + "\n";
    }
    return out;
}

} // namespace yomari
