// Every day from 1873 to 2100 against ICU's Japanese calendar, and both
// directions round-tripped, through the numbers and through the texts.
#include "engine/DateQuery.h"
#include "engine/DayQuery.h"
#include "engine/EraDates.h"
#include "engine/LunisolarCalendar.h"

#include "tests/support/ShippedEnv.h"

#include <gtest/gtest.h>
#include <unicode/calendar.h>
#include <unicode/gregocal.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

#include <memory>
#include <string>

using testsupport::ShippedEnv;

using namespace yomari;

namespace {

class IcuJapanese {
public:
    IcuJapanese()
    {
        UErrorCode status = U_ZERO_ERROR;
        const icu::Locale locale("ja_JP@calendar=japanese");
        m_calendar.reset(icu::Calendar::createInstance(icu::TimeZone::getGMT()->clone(), locale, status));
        m_gregorian = std::make_unique<icu::GregorianCalendar>(*icu::TimeZone::getGMT(), status);
        // The era's name as ICU writes it in Japanese with that calendar.
        m_eraFormat = std::make_unique<icu::SimpleDateFormat>(icu::UnicodeString(u"G"), locale, status);
        if (U_SUCCESS(status))
            m_eraFormat->setTimeZone(*icu::TimeZone::getGMT());
        m_ok = U_SUCCESS(status);
    }
    bool Ok() const { return m_ok; }

    // ICU's era name, era year, month and day of a Gregorian day.
    std::string EraDate(CivilDate d)
    {
        UErrorCode status = U_ZERO_ERROR;
        m_gregorian->clear();
        m_gregorian->set(d.year, d.month - 1, d.day, 12, 0);
        m_calendar->setTime(m_gregorian->getTime(status), status);
        const int32_t year = m_calendar->get(UCAL_YEAR, status);
        const int32_t month = m_calendar->get(UCAL_MONTH, status) + 1;
        const int32_t day = m_calendar->get(UCAL_DATE, status);
        icu::UnicodeString era;
        m_eraFormat->format(m_gregorian->getTime(status), era);
        std::string name;
        era.toUTF8String(name);
        if (U_FAILURE(status))
            return "ICU error";
        return name + " " + std::to_string(year) + " " + std::to_string(month) + " " + std::to_string(day);
    }

private:
    std::unique_ptr<icu::Calendar> m_calendar;
    std::unique_ptr<icu::GregorianCalendar> m_gregorian;
    std::unique_ptr<icu::SimpleDateFormat> m_eraFormat;
    bool m_ok = false;
};

} // namespace

TEST(DateOracle, EveryDayFrom1873To2100MatchesIcuAndRoundTrips)
{
    IcuJapanese icu;
    ASSERT_TRUE(icu.Ok());
    for (int32_t line : {0, 1}) {
        const EraCalendar cal = EraCalendar::Load(ShippedEnv(), line);
        const auto engine = DayEngine::Load(ShippedEnv(), line);
        const DayCalendar& dayCal = engine->Calendar();
        int mismatches = 0;
        int64_t days = 0;
        const int64_t first = DayNumber(kFirstExactDay);
        const int64_t last = DayNumber({2100, 12, 31});
        for (int64_t n = first; n <= last && mismatches < 10; ++n, ++days) {
            const CivilDate d = FromDayNumber(n);
            const auto r = cal.ToEraDate(d);
            ASSERT_TRUE(r.exact) << FormatCivilDate(d);
            const std::string ours = r.eraYear.era + " " + std::to_string(r.eraYear.year) + " " +
                                     std::to_string(r.month) + " " + std::to_string(r.day);
            const std::string theirs = icu.EraDate(d);
            if (ours != theirs) {
                ADD_FAILURE() << FormatCivilDate(d) << ": " << ours << " / ICU " << theirs;
                ++mismatches;
            }
            // The day engine, lunisolar tables loaded, gives the same.
            const EraDay e = dayCal.EraDayOf(JdnOfGregorian(d));
            if (e.era == 0 || cal.Table().Gengo[e.era] != r.eraYear.era || e.year != r.eraYear.year ||
                e.month != r.month || e.day != r.day || e.leap) {
                ADD_FAILURE() << FormatCivilDate(d) << ": day engine "
                              << (e.era ? FormatEraDay(cal, e) : "no era");
                ++mismatches;
            }
            // Back by numbers.
            const auto back = cal.FromEraDate(cal.FindEra(r.eraYear.era), r.eraYear.year, r.month, r.day);
            if (back.date != d) {
                ADD_FAILURE() << FormatCivilDate(d) << " came back as "
                              << (back.date ? FormatCivilDate(*back.date) : "no day");
                ++mismatches;
            }
            // Both directions through the written texts.
            std::string eraText;
            AppendAnswerText(AnswerDateQuery(cal, ParseDateQuery(cal, FormatCivilDate(d))), eraText);
            std::string westernText;
            AppendAnswerText(AnswerDateQuery(cal, ParseDateQuery(cal, eraText)), westernText);
            if (westernText != FormatCivilDate(d)) {
                ADD_FAILURE() << FormatCivilDate(d) << " -> " << eraText << " -> " << westernText;
                ++mismatches;
            }
        }
        EXPECT_EQ(days, last - first + 1);
        EXPECT_EQ(mismatches, 0);
    }
}
