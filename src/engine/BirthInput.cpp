#include "engine/BirthInput.h"

#include "engine/DateQuery.h"

namespace yomari {

std::optional<int32_t> ReadBirthYear(const EraCalendar& calendar, const std::string& text)
{
    try {
        return AnswerDateQuery(calendar, ParseDateQuery(calendar, text)).westernYear;
    } catch (const DateError&) {
        return std::nullopt;
    }
}

std::optional<CivilDate> ReadBirthDate(const EraCalendar& calendar, const std::string& text,
                                       std::string& reason)
{
    try {
        const ParsedQuery query = ParseDateQuery(calendar, text);
        if (query.kind != ParsedQuery::Kind::WesternDate && query.kind != ParsedQuery::Kind::EraDate) {
            reason = "月日まで入れてください";
            return std::nullopt;
        }
        const DateAnswer answer = AnswerDateQuery(calendar, query);
        if (!answer.western) {
            reason = "1873年より前の生年月日には対応していません";
            return std::nullopt;
        }
        return answer.western;
    } catch (const DateError& error) {
        reason = error.what();
        return std::nullopt;
    }
}

std::string DescribeBirthDate(const EraCalendar& calendar, CivilDate birth)
{
    return std::to_string(birth.year) + "年" + std::to_string(birth.month) + "月" +
           std::to_string(birth.day) + "日(" + FormatEraDate(calendar.ToEraDate(birth)) + ")生まれ";
}

} // namespace yomari
