// Written forms of dates and years, read and answered in the other calendar.
#include "engine/DateQuery.h"
#include "engine/DayQuery.h"

#include "tests/support/ShippedEnv.h"

#include <gtest/gtest.h>

using testsupport::ShippedCalendar;
using testsupport::ShippedEnv;

using namespace yomari;

namespace {

std::string Answer(std::string_view text, int32_t line = 0)
{
    try {
        std::string out;
        AppendAnswerText(AnswerDateQuery(ShippedCalendar(line), ParseDateQuery(ShippedCalendar(line), text)),
                         out);
        return out;
    } catch (const DateError& e) {
        return std::string("refused: ") + e.what();
    }
}

} // namespace

TEST(DateQuery, WesternDatesInEveryForm)
{
    for (const char* q : {"2019-04-30", "2019/4/30", "2019年4月30日", "2019.4.30", "２０１９－０４－３０",
                          "二〇一九年四月三十日", " 2019-04-30\r", "2019\u201004\u201030",
                          "2019\u221204\u221230", "2019\u201504\u201530", "0002019-04-30"})
        EXPECT_EQ(Answer(q), "平成31年4月30日") << q;
    EXPECT_EQ(Answer("2019-05-01"), "令和元年5月1日");
    EXPECT_EQ(Answer("1926-12-25"), "昭和元年12月25日");
}

TEST(DateQuery, EraDatesInEveryForm)
{
    for (const char* q :
         {"平成31年4月30日", "平成３１年４月３０日", "平成三十一年四月三十日", "H31.04.30", "h31.4.30",
          "平31.04.30", "Ｈ３１．０４．３０", "へいせい31年4月30日", "平成 31年 4月 30日"})
        EXPECT_EQ(Answer(q), "2019-04-30") << q;
    EXPECT_EQ(Answer("令和元年5月1日"), "2019-05-01");
    EXPECT_EQ(Answer("R1.05.01"), "2019-05-01");
    EXPECT_EQ(Answer("令1.05.01"), "2019-05-01");
    EXPECT_EQ(Answer("S64.01.07"), "1989-01-07");
    EXPECT_EQ(Answer("T15.12.24"), "1926-12-24");
    EXPECT_EQ(Answer("M45.7.29"), "1912-07-29");
    EXPECT_EQ(Answer("昭和六十四年一月七日"), "1989-01-07");
}

TEST(DateQuery, EraYearsAndWesternYearsAlone)
{
    for (const char* q : {"昭和50", "昭和50年", "S50", "s50", "しょうわ50", "昭和五十年", "昭和５０"})
        EXPECT_EQ(Answer(q), "1975") << q;
    EXPECT_EQ(Answer("平成元年"), "1989");
    EXPECT_EQ(Answer("大化元年"), "645");
    EXPECT_EQ(Answer("1975"), "昭和50年");
    EXPECT_EQ(Answer("1975年"), "昭和50年");
    EXPECT_EQ(Answer("千九百七十五"), "昭和50年");
    EXPECT_EQ(Answer("1989"), "平成元年 (1月8日–12月31日)、昭和64年 (1月1日–1月7日)");
    EXPECT_EQ(Answer("2019"), "令和元年 (5月1日–12月31日)、平成31年 (1月1日–4月30日)");
    EXPECT_EQ(Answer("1868"), "明治元年、慶応4年");
    EXPECT_EQ(Answer("1336", 1), "延元元年、建武3年");
    EXPECT_EQ(Answer("1336", 0), "建武3年");
    EXPECT_EQ(Answer("延元元年", 1), "1336");
}

TEST(DateQuery, SharedReadingGoesToTheEraThatHasTheYear)
{
    // しょうわ is 昭和 (1926), 正和 (1312) and 承和 (834); only 昭和 reaches 50.
    EXPECT_EQ(Answer("しょうわ50"), "1975");
    EXPECT_EQ(Answer("しょうわ1"), "1926");
    // てんわ is the second reading of 天和 (1681).
    EXPECT_EQ(Answer("てんわ2"), "1682");
    EXPECT_EQ(Answer("てんな2"), "1682");
}

TEST(DateQuery, BeforeGregorianDaysAnswersTheYearWithANote)
{
    const std::string note = std::string(" ※") + kYearLevelNote;
    EXPECT_EQ(Answer("1700-05-05"), "元禄13年" + note);
    EXPECT_EQ(Answer("1872-12-31"), "明治5年" + note);
    EXPECT_EQ(Answer("明治5年12月2日"), "1872" + note);
    EXPECT_EQ(Answer("元禄15年12月14日"), "1702" + note);
    EXPECT_EQ(Answer("1873-01-01"), "明治6年1月1日");
}

TEST(DateQuery, RefusalsSayWhy)
{
    EXPECT_EQ(Answer("平成31年5月1日"), "refused: 平成31年5月1日はありません（平成は2019-04-30まで）");
    EXPECT_EQ(Answer("2019-02-30"), "refused: 2019年2月30日はありません（2月は28日まで）");
    EXPECT_EQ(Answer("644"), "refused: 644年は大化より前で、元号がありません");
    EXPECT_EQ(Answer("ほげ50"), "refused: 「ほげ」と読む元号はありません");
    EXPECT_EQ(Answer("abc"), "refused: 「abc」は日付・年として読めません");
    EXPECT_EQ(Answer("2019-4"), "refused: 「2019-4」は日付・年として読めません");
    EXPECT_EQ(Answer("2019-04/30"), "refused: 「2019-04/30」は日付・年として読めません");
    EXPECT_EQ(Answer("平成31年4月30日x"), "refused: 「平成31年4月30日x」は日付・年として読めません");
    EXPECT_EQ(Answer("平成"), "refused: 「平成」は日付・年として読めません");
    EXPECT_EQ(Answer(""), "refused: 入力が空です");
    EXPECT_EQ(Answer("0"), "refused: 西暦年は1以上です");
    EXPECT_EQ(Answer("1"), "refused: 1年は大化より前で、元号がありません");
    EXPECT_EQ(Answer("99999999999"), "refused: 数が大きすぎます");
    EXPECT_EQ(Answer("令和2147483647"), "refused: 令和2147483647年は大きすぎます");
    EXPECT_EQ(Answer("昭和0年"), "refused: 昭和の年は1（元年）からです");
    EXPECT_EQ(Answer("10000-01-01"), "refused: 日付の年は1から9999までです");
    EXPECT_EQ(Answer(std::string_view("\xff\xfe", 2)).substr(0, 9), "refused: ");
}

TEST(DateQuery, EightDigitsAndBlankSeparatedPartsAreDates)
{
    const struct {
        const char* query;
        const char* answer;
    } cases[] = {
        {"20190501", "令和元年5月1日"},
        {"２０１９０４３０", "平成31年4月30日"},
        {"18730101", "明治6年1月1日"},
        {"20190230", "refused: 2019年2月30日はありません（2月は28日まで）"},
        {"2019 04 30", "平成31年4月30日"},
        {"2019　4　30", "平成31年4月30日"},
        {" 2019  4 30 ", "平成31年4月30日"},
        {"平成31 4 30", "2019-04-30"},
        {"二〇一九 四 三十", "平成31年4月30日"},
        // Never joined into one number.
        {"19 89", "refused: 「19 89」は日付・年として読めません"},
        {"2019 0430", "refused: 「2019 0430」は日付・年として読めません"},
        {"2019 04-30", "refused: 「2019 04-30」は日付・年として読めません"},
        {"2019 4", "refused: 「2019 4」は日付・年として読めません"},
        {"2019050", "令和2017032年"},
        {"123456", "令和121438年"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Answer(c.query), c.answer) << c.query;
}

TEST(DateQuery, YearMonthsAndWeekdays)
{
    const struct {
        const char* query;
        const char* answer;
    } cases[] = {
        {"2019年4月", "平成31年4月"},
        {"2019年5月", "令和元年5月"},
        {"1989年1月", "平成元年1月 (1月8日–1月31日)、昭和64年1月 (1月1日–1月7日)"},
        {"平成31年4月", "2019年4月"},
        {"H31.4", "2019年4月"},
        {"令和元年5月", "2019年5月"},
        {"平成元年1月", "1989年1月"},
        {"平成31年5月", "refused: 平成31年5月はありません（平成は2019-04-30まで）"},
        {"令和元年4月", "refused: 令和元年4月はありません（令和は2019-05-01から）"},
        {"平成31年13月", "refused: 平成31年13月はありません（月は1から12まで）"},
        {"2019年0月", "refused: 2019年0月はありません（月は1から12まで）"},
        {"10000年1月", "refused: 日付の年は1から9999までです"},
        {"元禄15年12月", "1702 ※1873年より前は年のみの対応です（旧暦の月日は扱いません）"},
        {"1702年12月", "元禄15年 ※1873年より前は年のみの対応です（旧暦の月日は扱いません）"},
        {"平成31年4月30日(火)", "2019-04-30"},
        {"平成31年4月30日（火曜日）", "2019-04-30"},
        {"2019-04-30 火曜日", "平成31年4月30日"},
        {"20190430(火曜)", "平成31年4月30日"},
        {"2019 4 30 (火)", "平成31年4月30日"},
        {"平成31年4月30日(月)", "refused: 2019-04-30は火曜日で、月曜日ではありません"},
        {"2019-05-01(火)", "refused: 2019-05-01は水曜日で、火曜日ではありません"},
        {"元禄15年12月14日(土)", "refused: 1873年より前の日付の曜日は確かめられません"},
        {"平成31年4月(火)", "refused: 「平成31年4月(火)」は日付・年として読めません"},
        {"平成31年4月30日(x)", "refused: 「平成31年4月30日(x)」は日付・年として読めません"},
        {"平成31年4月30日火", "refused: 「平成31年4月30日火」は日付・年として読めません"},
        // Forms of old documents and a Julian Day Number, answered by the year
        // where the days are lunisolar.
        {"天正10年睦月", "1582 ※1873年より前は年のみの対応です（旧暦の月日は扱いません）"},
        {"慶應4年閏4月朔日", "1868 ※1873年より前は年のみの対応です（旧暦の月日は扱いません）"},
        {"令和元年5月晦日", "2019-05-31"},
        {"2019年2月晦日", "平成31年2月28日"},
        {"2020年元日", "令和2年1月1日"},
        {"平成31年閏4月1日",
         "refused: 平成31年閏4月1日はありません（閏月は1873年より前の旧暦にだけあります）"},
        {"2019年閏4月1日", "refused: 西暦の年に閏月はありません（旧暦の閏月は元号の年で書きます）"},
        {"1224年閏7月1日", "refused: 西暦の年に閏月はありません（旧暦の閏月は元号の年で書きます）"},
        {"JDN 2458604", "平成31年4月30日"},
        {"JDN 2458604(月)", "refused: 2019-04-30は火曜日で、月曜日ではありません"},
        {"JDN 5373485", "refused: ユリウス通日は5373484までです"},
        {"JDN", "refused: 「JDN」は日付・年として読めません"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Answer(c.query), c.answer) << c.query;
    // Every weekday is checked, not only one.
    for (int32_t day = 0; day < 7; ++day) {
        const std::string date =
            "2026-01-0" + std::to_string(4 + day) + "(" + WeekdayName(day).substr(0, 3) + ")";
        EXPECT_EQ(Answer(date).substr(0, 6), "令和") << date;
    }
}

TEST(DateQuery, MalformedBytesAreNeverReadAsOtherCharacters)
{
    // Overlong '/', surrogates and values past U+10FFFF all stay unreadable.
    for (const char* q : {"2019\xC0\xAF"
                          "04\xC0\xAF"
                          "30",
                          "2019\xE0\x80\xAD"
                          "04\xE0\x80\xAD"
                          "30",
                          "\xED\xA0\x80"
                          "2019",
                          "2019\xF4\x90\x80\x80",
                          "\xC1\xA8"
                          "31.4.30"})
        EXPECT_EQ(Answer(q).substr(0, 9), "refused: ") << q;
    // The message shows what was there, safe for a terminal.
    EXPECT_EQ(Answer("19\x1b[2J\xC0\xAF"), "refused: 「19\\x1b[2J\uFFFD\uFFFD」は日付・年として読めません");
}

// yomari-cli answers Western days from 1873 on with the year-level reader, for
// speed: it must say exactly what the day reader says, on every such day.
TEST(DateQuery, WesternDaysFrom1873AnswerAsTheDayReaderDoes)
{
    const auto engine = DayEngine::Load(ShippedEnv(), 0);
    int mismatches = 0;
    for (int64_t n = DayNumber(kFirstExactDay); n <= DayNumber({2200, 12, 31}); ++n) {
        const std::string text = FormatCivilDate(FromDayNumber(n));
        const auto day = AnswerDay(*engine, text);
        const std::string expected = day ? day->text : "(none)";
        if (Answer(text) != expected && ++mismatches <= 3)
            ADD_FAILURE() << text << ": " << Answer(text) << " / " << expected;
    }
    EXPECT_EQ(mismatches, 0);
}
