// Exact era dates over the shipped data: the modern boundaries, days that
// never existed, Western years shared by two eras, 干支 and ages.
#include "engine/EraDates.h"
#include "tests/engine/EngineFixture.h"
#include "engine/YomariError.h"

#include "tests/support/ShippedEnv.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

using testsupport::ShippedCalendar;
using testsupport::ShippedEnv;

using namespace yomari;

namespace {

std::string EraDate(CivilDate d)
{
    const auto r = ShippedCalendar().ToEraDate(d);
    return FormatEraYear(r.eraYear) + std::to_string(r.month) + "月" + std::to_string(r.day) + "日" +
           (r.exact ? "" : "?");
}

CivilDate Western(const char* era, int32_t y, int32_t m, int32_t d)
{
    const auto r = ShippedCalendar().FromEraDate(ShippedCalendar().FindEra(era), y, m, d);
    EXPECT_TRUE(r.date.has_value());
    return r.date.value_or(CivilDate{});
}

std::string Refusal(const char* era, int32_t y, int32_t m, int32_t d)
{
    try {
        ShippedCalendar().FromEraDate(ShippedCalendar().FindEra(era), y, m, d);
    } catch (const DateError& e) {
        return e.what();
    }
    return "(accepted)";
}

} // namespace

// The days around each modern boundary, exact; before 1873 ("?") only the
// year is answered.
TEST(EraDates, DaysAroundEachModernBoundary)
{
    const std::pair<CivilDate, const char*> days[] = {
        {{1912, 7, 29}, "明治45年7月29日"},   {{1912, 7, 30}, "大正元年7月30日"},
        {{1926, 12, 24}, "大正15年12月24日"}, {{1926, 12, 25}, "昭和元年12月25日"},
        {{1989, 1, 7}, "昭和64年1月7日"},     {{1989, 1, 8}, "平成元年1月8日"},
        {{2019, 4, 30}, "平成31年4月30日"},   {{2019, 5, 1}, "令和元年5月1日"},
        {{1873, 1, 1}, "明治6年1月1日"},      {{9999, 12, 31}, "令和7981年12月31日"},
        {{1872, 12, 31}, "明治5年12月31日?"}, {{1868, 6, 1}, "明治元年6月1日?"},
        {{1867, 6, 1}, "慶応3年6月1日?"},     {{645, 1, 1}, "大化元年1月1日?"},
    };
    for (const auto& [day, text] : days)
        EXPECT_EQ(EraDate(day), text) << FormatCivilDate(day);

    EXPECT_EQ(Western("昭和", 64, 1, 7), (CivilDate{1989, 1, 7}));
    EXPECT_EQ(Western("令和", 1, 5, 1), (CivilDate{2019, 5, 1}));
    EXPECT_EQ(Western("大正", 1, 7, 30), (CivilDate{1912, 7, 30}));
    EXPECT_EQ(Western("明治", 6, 1, 1), (CivilDate{1873, 1, 1}));
}

TEST(EraDates, BeforeGregorianDaysOnlyTheYearIsAnswered)
{
    EXPECT_THROW(ShippedCalendar().ToEraDate({644, 12, 31}), DateError);

    // Lunisolar months had 29 or 30 days.
    EXPECT_EQ(ShippedCalendar().FromEraDate(ShippedCalendar().FindEra("元禄"), 15, 1, 1).westernYear, 1702);
    EXPECT_EQ(ShippedCalendar().FromEraDate(ShippedCalendar().FindEra("元禄"), 15, 12, 30).westernYear, 1702);
    EXPECT_THROW(ShippedCalendar().FromEraDate(ShippedCalendar().FindEra("元禄"), 15, 1, 0), DateError);
    EXPECT_THROW(ShippedCalendar().FromEraDate(ShippedCalendar().FindEra("元禄"), 15, 1, 31), DateError);

    const auto r = ShippedCalendar().FromEraDate(ShippedCalendar().FindEra("明治"), 5, 12, 2);
    EXPECT_EQ(r.westernYear, 1872);
    EXPECT_FALSE(r.date.has_value());
}

TEST(EraDates, DaysThatNeverExistedAreRefusedWithTheReason)
{
    EXPECT_EQ(Refusal("平成", 31, 5, 1), "平成31年5月1日はありません（平成は2019-04-30まで）");
    EXPECT_EQ(Refusal("昭和", 64, 1, 8), "昭和64年1月8日はありません（昭和は1989-01-07まで）");
    EXPECT_EQ(Refusal("令和", 1, 4, 30), "令和元年4月30日はありません（令和は2019-05-01から）");
    EXPECT_EQ(Refusal("令和", 2, 2, 30), "令和2年2月30日はありません（2020年2月は29日まで）");
    EXPECT_EQ(Refusal("明治", 5, 12, 3), "明治5年12月3日はありません（明治5年12月2日の翌日が明治6年1月1日）");
    EXPECT_EQ(Refusal("昭和", 65, 1, 1), "昭和は64年までです");
    EXPECT_EQ(Refusal("令和", 1, 13, 1), "令和元年13月1日はありません（月は1から12まで）");
    // The last day of every month of a common and a leap year, and the day after.
    const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int32_t year : {2019, 2020}) {
        for (int32_t m = 1; m <= 12; ++m) {
            const int32_t last = lengths[m - 1] + (m == 2 && year == 2020 ? 1 : 0);
            EXPECT_NO_THROW(ShippedCalendar().ToEraDate({year, m, last})) << year << "-" << m;
            EXPECT_THROW(ShippedCalendar().ToEraDate({year, m, last + 1}), DateError) << year << "-" << m;
            EXPECT_THROW(
                ShippedCalendar().FromEraDate(ShippedCalendar().FindEra("令和"), year - 2018, m, last + 1),
                DateError);
        }
    }
    EXPECT_THROW(ShippedCalendar().ToEraDate({2019, 0, 1}), DateError);
    EXPECT_THROW(ShippedCalendar().ToEraDate({2019, 13, 1}), DateError);
    EXPECT_THROW(ShippedCalendar().ToEraDate({2019, 2, 29}), DateError);
    EXPECT_NO_THROW(ShippedCalendar().ToEraDate({2020, 2, 29}));
    EXPECT_THROW(ShippedCalendar().ToEraDate({1900, 2, 29}), DateError);
}

TEST(EraDates, WesternYearOfTwoErasListsBothNewestFirst)
{
    const auto y = ShippedCalendar().ErasOfYear(1989);
    ASSERT_EQ(y.size(), 2u);
    EXPECT_EQ(FormatEraYear(y[0].eraYear), "平成元年");
    EXPECT_EQ(y[0].from, (CivilDate{1989, 1, 8}));
    EXPECT_EQ(y[0].to, (CivilDate{1989, 12, 31}));
    EXPECT_EQ(FormatEraYear(y[1].eraYear), "昭和64年");
    EXPECT_EQ(y[1].from, (CivilDate{1989, 1, 1}));
    EXPECT_EQ(y[1].to, (CivilDate{1989, 1, 7}));

    ASSERT_EQ(ShippedCalendar().ErasOfYear(1975).size(), 1u);
    EXPECT_EQ(ShippedCalendar().ErasOfYear(2026)[0].eraYear, (EraYearRef{"令和", "れいわ", 8}));

    // Before 1873 the shared year comes from the table, without days.
    const auto old = ShippedCalendar().ErasOfYear(1868);
    ASSERT_EQ(old.size(), 2u);
    EXPECT_EQ(FormatEraYear(old[0].eraYear), "明治元年");
    EXPECT_EQ(FormatEraYear(old[1].eraYear), "慶応4年");
    EXPECT_FALSE(old[0].from.has_value());
    EXPECT_TRUE(ShippedCalendar().ErasOfYear(644).empty());
    // Past the years with days, the newest era goes on.
    const auto far = ShippedCalendar().ErasOfYear(20000);
    ASSERT_EQ(far.size(), 1u);
    EXPECT_EQ(far[0].eraYear, (EraYearRef{"令和", "れいわ", 17982}));

    using Span = std::optional<std::pair<CivilDate, CivilDate>>;
    const auto days = [](const char* era, int32_t y) {
        return ShippedCalendar().DaysOfEraYear(ShippedCalendar().FindEra(era), y);
    };
    EXPECT_EQ(days("昭和", 64), Span({{1989, 1, 1}, {1989, 1, 7}}));
    EXPECT_EQ(days("令和", 8), Span({{2026, 1, 1}, {2026, 12, 31}}));
    EXPECT_EQ(days("令和", 1), Span({{2019, 5, 1}, {2019, 12, 31}}));
    EXPECT_EQ(days("明治", 6), Span({{1873, 1, 1}, {1873, 12, 31}}));
    EXPECT_EQ(days("明治", 5), std::nullopt);
    EXPECT_EQ(days("慶応", 3), std::nullopt);
    EXPECT_EQ(days("令和", 8000), std::nullopt); // past the years with days
}

TEST(EraDates, SouthernLineHasItsOwnEras)
{
    const EraCalendar south = EraCalendar::Load(ShippedEnv(), 1);
    const auto y = south.ErasOfYear(1336);
    ASSERT_FALSE(y.empty());
    EXPECT_EQ(FormatEraYear(y[0].eraYear), "延元元年");
    EXPECT_EQ(FormatEraYear(ShippedCalendar().ErasOfYear(1336)[0].eraYear), "建武3年");
}

TEST(EraDates, KanshiCycle)
{
    const std::pair<int32_t, const char*> years[] = {{1984, "甲子"}, {2026, "丙午"}, {1983, "癸亥"},
                                                     {2044, "甲子"}, {1985, "乙丑"}, {1995, "乙亥"}};
    for (const auto& [year, kanji] : years)
        EXPECT_EQ(KanshiOfYear(year).kanji, kanji) << year;
    EXPECT_EQ(KanshiOfYear(1984).reading, "きのえね");
    EXPECT_EQ(KanshiOfYear(2026).reading, "ひのえうま");
}

TEST(EraDates, AgeOnTheDayBeforeAndOnTheBirthday)
{
    EXPECT_EQ(AgeOn({1989, 1, 8}, {2026, 1, 7}), 36);
    EXPECT_EQ(AgeOn({1989, 1, 8}, {2026, 1, 8}), 37);
    EXPECT_EQ(AgeOn({1989, 1, 8}, {1989, 1, 8}), 0);
    // 29 February: the year is reached on 1 March in common years.
    EXPECT_EQ(AgeOn({2000, 2, 29}, {2001, 2, 28}), 0);
    EXPECT_EQ(AgeOn({2000, 2, 29}, {2001, 3, 1}), 1);
    EXPECT_EQ(AgeOn({2000, 2, 29}, {2004, 2, 28}), 3);
    EXPECT_EQ(AgeOn({2000, 2, 29}, {2004, 2, 29}), 4);
    EXPECT_EQ(KazoeAge(1989, 1989), 1);
    EXPECT_EQ(KazoeAge(1989, 2026), 38);
}

TEST(EraDates, ShippedStartDaysAgreeWithBothEraFiles)
{
    for (int32_t line : {0, 1}) {
        const EraCalendar c = EraCalendar::Load(ShippedEnv(), line);
        EXPECT_EQ(c.StartDay(c.FindEra("令和")), (CivilDate{2019, 5, 1}));
        EXPECT_EQ(c.StartDay(c.FindEra("大正")), (CivilDate{1912, 7, 30}));
        EXPECT_FALSE(c.StartDay(c.FindEra("慶応")).has_value());
    }
}

TEST(EraDates, StartDaysMustAgreeWithTheEraFiles)
{
    const EraTable table = MakeEraTable({{"令和", "れいわ", "", 2019},
                                         {"平成", "へいせい", "", 1989},
                                         {"昭和", "しょうわ", "", 1926},
                                         {"大正", "たいしょう", "", 1912},
                                         {"明治", "めいじ", "", 1868}},
                                        "Yomari");
    const std::vector<EraStartDay> good = {{"令和", {2019, 5, 1}},
                                           {"平成", {1989, 1, 8}},
                                           {"昭和", {1926, 12, 25}},
                                           {"大正", {1912, 7, 30}},
                                           {"明治", {1868, 1, 1}}};
    EXPECT_NO_THROW(EraCalendar::FromData(table, good, "Yomari"));

    auto wrongYear = good;
    wrongYear[1].start = {1988, 1, 8};
    EXPECT_THROW(EraCalendar::FromData(table, wrongYear, "Yomari"), YomariError);
    auto wrongName = good;
    wrongName[0].era = "令话";
    EXPECT_THROW(EraCalendar::FromData(table, wrongName, "Yomari"), YomariError);
    // Two eras of one year: the newer must begin later.
    const EraTable sameYear = MakeEraTable(
        {{"乙", "おつ", "", 2000}, {"甲", "こう", "", 2000}, {"明治", "めいじ", "", 1868}}, "Yomari");
    EXPECT_NO_THROW(EraCalendar::FromData(
        sameYear, {{"乙", {2000, 6, 1}}, {"甲", {2000, 1, 1}}, {"明治", {1868, 1, 1}}}, "Yomari"));
    EXPECT_THROW(EraCalendar::FromData(sameYear,
                                       {{"乙", {2000, 1, 1}}, {"甲", {2000, 6, 1}}, {"明治", {1868, 1, 1}}},
                                       "Yomari"),
                 YomariError);
    // A newer era listed without a day leaves 1873 onwards uncovered.
    const std::vector<EraStartDay> missingOldest(good.begin(), good.end() - 1);
    EXPECT_THROW(EraCalendar::FromData(table, missingOldest, "Yomari"), YomariError);

    // One era and no days at all.
    EXPECT_THROW(EraCalendar::FromData(MakeEraTable({{"令和", "れいわ", "", 2019}}, "Yomari"), {}, "Yomari"),
                 YomariError);

    TempDir dir;
    const std::string file = dir.Write("Yomari.dad", "\"令和\",2019,5,1\n\"平成\",1989,1,\n");
    const std::string error = Raised([&] { ReadEraStartDays(file, "Yomari"); }).Description();
    EXPECT_NE(error.find("の2件目、2行目"), std::string::npos) << error;
    const std::string trailing = dir.Write("trailing.dad", "\"令和\",2019,5,1x\n");
    EXPECT_THROW(ReadEraStartDays(trailing, "Yomari"), YomariError);
    const std::string bad = dir.Write("bad.dad", "\"令和\",2019,2,30\n");
    EXPECT_THROW(ReadEraStartDays(bad, "Yomari"), YomariError);
}

TEST(EraDates, TodayIsTheLocalDate)
{
    using namespace std::chrono;
    // 2019-04-30 15:30 UTC: already 1 May (令和) in Japan, still 30 April
    // further west; the offsets reach from -12 to +14 hours.
    const sys_seconds instant = sys_days{2019y / 4 / 30} + 15h + 30min;
    const struct {
        seconds offset;
        CivilDate date;
    } cases[] = {
        {0s, {2019, 4, 30}},        {9h, {2019, 5, 1}},    {8h + 29min, {2019, 4, 30}},
        {8h + 30min, {2019, 5, 1}}, {-12h, {2019, 4, 30}}, {-15h - 31min, {2019, 4, 29}},
        {14h, {2019, 5, 1}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CivilDateAt(instant, c.offset), c.date) << c.offset.count();
    // The last day of a year turns into the next one.
    EXPECT_EQ(CivilDateAt(sys_days{2025y / 12 / 31} + 20h, 4h), (CivilDate{2026, 1, 1}));
}
