// The age table and the school-year table as the window and the command line
// show them, on the shipped era and 厄年・長寿 data.
#include "engine/AgeTable.h"
#include "engine/BirthInput.h"
#include "engine/SchoolTable.h"
#include "tests/support/ShippedEnv.h"

#include <gtest/gtest.h>

using namespace yomari;
using testsupport::ShippedCalendar;

namespace {

const std::vector<std::string>& RowOf(const TextTable& t, const std::string& westernYear)
{
    for (const auto& row : t.rows)
        if (row[0] == westernYear)
            return row;
    static const std::vector<std::string> none;
    ADD_FAILURE() << "no row " << westernYear;
    return none;
}

using Cells = std::vector<std::string>;

} // namespace

TEST(AgeTable, Year2026WithMilestones)
{
    const Milestones m = ReadMilestoneFile(YOMARI_BIN_DIR "/Yomari.dak", "Yomari");
    const TextTable t = AgeTableText(MakeAgeRows(ShippedCalendar(), 2026, &m, "Yomari"), true);
    EXPECT_EQ(t.header, (Cells{"西暦", "和暦", "干支", "満年齢", "誕生日前", "数え年", "厄年(男)", "厄年(女)",
                               "長寿祝い"}));
    ASSERT_EQ(t.rows.size(), 121u);
    EXPECT_EQ(t.rows.front(),
              (Cells{"2026年", "令和8年", "丙午(ひのえうま)", "0歳", "-", "1歳", "", "", ""}));
    EXPECT_EQ(t.rows.back()[0], "1906年");
    EXPECT_EQ(t.rows.back()[3], "120歳");
    EXPECT_EQ(RowOf(t, "1966年"), (Cells{"1966年", "昭和41年", "丙午(ひのえうま)", "60歳", "59歳", "61歳",
                                         "本厄", "本厄", "還暦"}));
    EXPECT_EQ(RowOf(t, "1989年")[1], "昭和64年/平成元年");
    EXPECT_EQ(RowOf(t, "2019年")[1], "平成31年/令和元年");
    EXPECT_EQ(RowOf(t, "1984年")[2], "甲子(きのえね)");

    // Without the data the three columns go; the rest stays.
    const TextTable plain = AgeTableText(MakeAgeRows(ShippedCalendar(), 2026, nullptr, "Yomari"), false);
    EXPECT_EQ(plain.header.size(), 6u);
    EXPECT_EQ(RowOf(plain, "1966年"),
              (Cells{"1966年", "昭和41年", "丙午(ひのえうま)", "60歳", "59歳", "61歳"}));

    // Another year looked from; the ends of the year range, 121 to 9999 (the
    // first year whose 120-year-old was born in the year 1).
    EXPECT_EQ(RowOf(AgeTableText(MakeAgeRows(ShippedCalendar(), 1990, &m, "Yomari"), true), "1966年")[3],
              "24歳");
    for (int32_t year : {121, 9999})
        EXPECT_NO_THROW(MakeAgeRows(ShippedCalendar(), year, nullptr, "Yomari")) << year;
    for (int32_t year : {120, 10000})
        EXPECT_THROW(MakeAgeRows(ShippedCalendar(), year, nullptr, "Yomari"), YomariError) << year;
}

TEST(SchoolTable, EntryFollowsTheFirstOfApril)
{
    EXPECT_EQ(PrimarySchoolEntryYear({2000, 4, 1}), 2006);
    EXPECT_EQ(PrimarySchoolEntryYear({2000, 4, 2}), 2007);
    EXPECT_EQ(PrimarySchoolEntryYear({2000, 1, 1}), 2006);
    EXPECT_EQ(PrimarySchoolEntryYear({2000, 3, 31}), 2006);
    EXPECT_EQ(PrimarySchoolEntryYear({2000, 12, 31}), 2007);
    EXPECT_EQ(PrimarySchoolEntryYear({2000, 5, 1}), 2007);

    const TextTable a = SchoolTableText(MakeSchoolStages(ShippedCalendar(), {2000, 4, 1}, "Yomari"));
    EXPECT_EQ(a.rows[1], (Cells{"小学校", "2006年4月", "平成18年4月", "2012年3月", "平成24年3月"}));
    const TextTable b = SchoolTableText(MakeSchoolStages(ShippedCalendar(), {2000, 4, 2}, "Yomari"));
    EXPECT_EQ(b.rows[1], (Cells{"小学校", "2007年4月", "平成19年4月", "2013年3月", "平成25年3月"}));

    const auto stages = MakeSchoolStages(ShippedCalendar(), {2012, 4, 2}, "Yomari");
    const TextTable c = SchoolTableText(stages);
    EXPECT_EQ(c.header, (Cells{"学校", "入学(西暦)", "入学(和暦)", "卒業(西暦)", "卒業(和暦)"}));
    const std::vector<Cells> expected{
        {"幼稚園(3年保育)", "2016年4月", "平成28年4月", "2019年3月", "平成31年3月"},
        {"小学校", "2019年4月", "平成31年4月", "2025年3月", "令和7年3月"},
        {"中学校", "2025年4月", "令和7年4月", "2028年3月", "令和10年3月"},
        {"高等学校", "2028年4月", "令和10年4月", "2031年3月", "令和13年3月"},
        {"大学(4年)", "2031年4月", "令和13年4月", "2035年3月", "令和17年3月"},
        {"短大・専門学校(2年)", "2031年4月", "令和13年4月", "2033年3月", "令和15年3月"},
        {"大学院修士課程", "2035年4月", "令和17年4月", "2037年3月", "令和19年3月"},
    };
    EXPECT_EQ(c.rows, expected);
    // An era change inside a school year: the April and the March each keep their own era.
    const TextTable d = SchoolTableText(MakeSchoolStages(ShippedCalendar(), {2007, 4, 2}, "Yomari"));
    EXPECT_EQ(d.rows[0], (Cells{"幼稚園(3年保育)", "2011年4月", "平成23年4月", "2014年3月", "平成26年3月"}));
    EXPECT_EQ(d.rows[1][4], "令和2年3月");

    // A 履歴書 wants time order, a leaving before the next entry.
    std::vector<bool> chosen(stages.size(), false);
    for (size_t i = 0; i < stages.size(); ++i)
        chosen[i] = stages[i].onResume;
    EXPECT_EQ(ResumeLines(stages, chosen, true),
              "平成31年\t4月\t小学校 入学\n令和7年\t3月\t小学校 卒業\n"
              "令和7年\t4月\t中学校 入学\n令和10年\t3月\t中学校 卒業\n"
              "令和10年\t4月\t高等学校 入学\n令和13年\t3月\t高等学校 卒業\n"
              "令和13年\t4月\t大学 入学\n令和17年\t3月\t大学 卒業\n");
    chosen.assign(stages.size(), false);
    chosen[6] = true;
    chosen[0] = true;
    EXPECT_EQ(ResumeLines(stages, chosen, false),
              "2016年\t4月\t幼稚園 入園\n2019年\t3月\t幼稚園 卒園\n"
              "2035年\t4月\t大学院修士課程 入学\n2037年\t3月\t大学院修士課程 修了\n");
}

// The forms themselves are the date reader's; here what a birth box makes of them.
TEST(BirthInput, YearsAndDatesAsTyped)
{
    for (const char* text : {"1975", "昭和50", "S50", "1975-06-01"})
        EXPECT_EQ(ReadBirthYear(ShippedCalendar(), text), 1975) << text;
    EXPECT_EQ(ReadBirthYear(ShippedCalendar(), "昭和70"), std::nullopt);

    std::string reason;
    EXPECT_EQ(ReadBirthDate(ShippedCalendar(), "H24.04.02", reason), (CivilDate{2012, 4, 2}));
    EXPECT_EQ(DescribeBirthDate(ShippedCalendar(), {2012, 4, 2}), "2012年4月2日(平成24年4月2日)生まれ");
    EXPECT_EQ(ReadBirthDate(ShippedCalendar(), "平成24", reason), std::nullopt);
    EXPECT_EQ(reason, "月日まで入れてください");
    for (const char* text : {"2012-02-30", "明治5年12月3日", "きのう"}) {
        reason.clear();
        EXPECT_EQ(ReadBirthDate(ShippedCalendar(), text, reason), std::nullopt) << text;
        EXPECT_FALSE(reason.empty()) << text;
    }
}
