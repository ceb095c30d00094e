#include "engine/AgeTable.h"

#include "engine/YomariError.h"

namespace yomari {

std::vector<AgeRow> MakeAgeRows(const EraCalendar& calendar, int32_t tableYear, const Milestones* milestones,
                                const std::string& errorSource)
{
    if (tableYear < kAgeTableFirstYear || tableYear > kAgeTableLastYear)
        throw YomariError(ErrorNumber::Overflow, errorSource,
                          "早見表の年は " + std::to_string(kAgeTableFirstYear) + " から " +
                              std::to_string(kAgeTableLastYear) + " までです。(" + std::to_string(tableYear) +
                              ")");
    std::vector<AgeRow> rows;
    rows.reserve(kAgeTableOldest + 1);
    for (int32_t age = 0; age <= kAgeTableOldest; ++age) {
        AgeRow row;
        row.birthYear = tableYear - age;
        // Eras come newest first; a reader of a table expects the year's order.
        const auto shares = calendar.ErasOfYear(row.birthYear);
        for (auto it = shares.rbegin(); it != shares.rend(); ++it) {
            if (!row.eras.empty())
                row.eras += "/";
            row.eras += FormatEraYear(it->eraYear);
        }
        row.kanshi = KanshiOfYear(row.birthYear);
        row.age = age;
        row.ageBefore = age - 1;
        row.kazoe = KazoeAge(row.birthYear, tableYear);
        if (milestones) {
            row.yakuMen = milestones->TextFor(Milestones::Kind::Men, row.kazoe);
            row.yakuWomen = milestones->TextFor(Milestones::Kind::Women, row.kazoe);
            row.longevity = milestones->TextFor(Milestones::Kind::Longevity, row.kazoe);
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

TextTable AgeTableText(const std::vector<AgeRow>& rows, bool withMilestones)
{
    TextTable table;
    table.header = {"西暦", "和暦", "干支", "満年齢", "誕生日前", "数え年"};
    if (withMilestones)
        table.header.insert(table.header.end(), {"厄年(男)", "厄年(女)", "長寿祝い"});
    for (const AgeRow& r : rows) {
        std::vector<std::string> cells{
            std::to_string(r.birthYear) + "年",
            r.eras,
            r.kanshi.kanji + "(" + r.kanshi.reading + ")",
            std::to_string(r.age) + "歳",
            r.ageBefore < 0 ? std::string("-") : std::to_string(r.ageBefore) + "歳",
            std::to_string(r.kazoe) + "歳",
        };
        if (withMilestones)
            cells.insert(cells.end(), {r.yakuMen, r.yakuWomen, r.longevity});
        table.rows.push_back(std::move(cells));
    }
    return table;
}

} // namespace yomari
