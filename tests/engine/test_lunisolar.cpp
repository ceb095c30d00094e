// Every day since 645 in both court lines, the era table's edges, the seams
// of the calendar, refused dates and the checks of the two data files.
#include "engine/DayQuery.h"
#include "engine/LunisolarCalendar.h"
#include "engine/LunisolarTable.h"
#include "engine/TextDecoding.h"

#include "tests/support/Files.h"
#include "tests/support/ShippedEnv.h"
#include "tests/engine/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

using namespace yomari;
using testsupport::ShippedDays;
using testsupport::ShippedEnv;
using testsupport::Slurp;

namespace {

std::string Shipped(const std::string& ext)
{
    return Slurp(std::string(YOMARI_BIN_DIR) + "/Yomari" + ext);
}

// The one-line answer to a day or a month; a year alone is no day.
std::string Answer(const std::string& text, int32_t line = 0, bool gregorian = false)
{
    try {
        const QueryAnswer a = AnswerQuery(ShippedDays(line), text, DayOptions{gregorian});
        if (a.day)
            return a.day->text;
        using Kind = ParsedQuery::Kind;
        if (a.year->query.kind == Kind::EraYear || a.year->query.kind == Kind::WesternYear)
            return "no day";
        std::string out;
        AppendAnswerText(*a.year, out);
        return out;
    } catch (const DateError& e) {
        return std::string("refused: ") + e.what();
    }
}

int64_t JdnOf(const std::string& text, int32_t line = 0, bool gregorian = false)
{
    const auto a = AnswerDay(ShippedDays(line), text, DayOptions{gregorian});
    return a ? a->jdn : -1;
}

// The month file read the plain way: every month's first day, in order.
struct MonthRow {
    LunisolarDate first;
    int64_t jdn;
    int32_t days;
};
std::vector<MonthRow> ShippedMonths()
{
    std::vector<MonthRow> rows;
    std::istringstream in(Shipped(".dal"));
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        int32_t year = 0, leap = 0;
        int64_t jdn = 0;
        char lengths[40] = {};
        EXPECT_EQ(std::sscanf(line.c_str(), "%d,%ld,%d,%39s", &year, &jdn, &leap, lengths), 4) << line;
        const std::string l = lengths;
        for (size_t k = 0; k < l.size() / 2; ++k) {
            const int32_t index = static_cast<int32_t>(k);
            const bool isLeap = leap != 0 && index == leap;
            const int32_t month = leap != 0 && index >= leap ? index : index + 1;
            const int32_t days = std::stoi(l.substr(2 * k, 2));
            rows.push_back({{year, month, isLeap, 1}, jdn, days});
            jdn += days;
        }
    }
    return rows;
}

} // namespace

TEST(Lunisolar, EveryMonthOfTheTableAsAnEraMonthAnswersItsDays)
{
    int failures = 0;
    for (const MonthRow& m : ShippedMonths()) {
        const auto first = ShippedDays(0).Calendar().EraDayOf(m.jdn);
        if (first.era == 0 || first.day != 1 || failures >= 10)
            continue;
        const std::string asked = FormatEraDay(ShippedDays(0).Eras(), first);
        const std::string month = asked.substr(0, asked.size() - std::string("1日").size());
        const int64_t last = std::min(m.jdn + m.days - 1, kFirstGregorianJdn - 1);
        const std::string days =
            FormatCivilDate(m.jdn < kFirstJulianReformJdn ? JulianOfJdn(m.jdn) : GregorianOfJdn(m.jdn)) +
            "〜" + FormatCivilDate(last < kFirstJulianReformJdn ? JulianOfJdn(last) : GregorianOfJdn(last));
        const std::string said = Answer(month);
        if (said.substr(0, said.find(" ※")) != days) {
            EXPECT_EQ(said, days) << month;
            ++failures;
        }
    }
}

TEST(Lunisolar, EveryDayFrom645RoundTripsInBothLinesAndMonthsMatchTheTable)
{
    const std::vector<MonthRow> months = ShippedMonths();
    ASSERT_GT(months.size(), 15000u);
    const int64_t first = JdnOfJulian({645, 7, 17});
    int failures = 0;
    int64_t checked = 0;
    for (const MonthRow& m : months) {
        for (int32_t d = 1; d <= m.days && failures < 10; ++d) {
            const int64_t jdn = m.jdn + d - 1;
            // The calendars' own round trips.
            const CivilDate j = JulianOfJdn(jdn);
            const CivilDate g = GregorianOfJdn(jdn);
            if (JdnOfJulian(j) != jdn || !IsValidJulianDate(j) || JdnOfGregorian(g) != jdn) {
                ADD_FAILURE() << jdn << ": " << FormatCivilDate(j) << " / " << FormatCivilDate(g);
                ++failures;
            }
            for (int32_t line : {0, 1}) {
                const DayCalendar& cal = ShippedDays(line).Calendar();
                const DayFacts f = cal.Facts(jdn);
                LunisolarDate want = m.first;
                want.day = d;
                if (f.lunisolar != want) {
                    ADD_FAILURE() << jdn << " is not " << FormatLunisolarKey(want);
                    ++failures;
                }
                if (jdn < first || f.date.era == 0)
                    continue;
                ++checked;
                const auto back = cal.DayOf(f.date.era, f.date.year, f.date.month, f.date.leap, f.date.day);
                if (!back || back->jdn != jdn || back->inUse) {
                    ADD_FAILURE() << "line " << line << " " << jdn << ": " << FormatEraDay(cal.Eras(), f.date)
                                  << " came back as " << (back ? back->jdn : -1);
                    ++failures;
                }
                // The also reading is the same day too, with the era of that day named.
                if (f.also) {
                    const auto also =
                        cal.DayOf(f.also->era, f.also->year, f.also->month, f.also->leap, f.also->day);
                    if (!also || also->jdn != jdn || !also->inUse || *also->inUse != f.date) {
                        ADD_FAILURE() << "also of " << FormatEraDay(cal.Eras(), f.date);
                        ++failures;
                    }
                }
            }
        }
    }
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(months.back().jdn + months.back().days, 2405160); // 1873-01-01, the first Gregorian day
    // Both lines, 645-07-17 .. 1872-12-31 less the years with no era.
    EXPECT_GT(checked, 2 * (kFirstGregorianJdn - first - 18000));
}

TEST(Lunisolar, EveryEraBeginsAndEndsOnItsDaysInBothLines)
{
    std::istringstream in(Shipped(".dae"));
    std::string row;
    int eras = 0;
    while (std::getline(in, row)) {
        if (row.empty() || row[0] == '#')
            continue;
        std::vector<std::string> f;
        std::istringstream cells(row);
        for (std::string c; std::getline(cells, c, ',');)
            f.push_back(c);
        ASSERT_EQ(f.size(), 6u) << row;
        const int32_t line = f[0] == "n" ? 0 : 1;
        const DayCalendar& cal = ShippedDays(line).Calendar();
        const int32_t era = cal.Eras().FindEra(f[1]);
        ASSERT_NE(era, 0) << row;
        // Days written lunisolar are found through the month table itself.
        const auto day = [&](const std::string& key) -> int64_t {
            if (const auto d = ParseLunisolarKey(key); d && d->year <= 1872)
                return *cal.Months()->JdnOf(*d);
            return JdnOfGregorian(
                {std::stoi(key.substr(0, 4)), std::stoi(key.substr(5, 2)), std::stoi(key.substr(8, 2))});
        };
        const int64_t useFrom = day(f[4]);
        const int64_t useTo = day(f[5]);
        const int64_t proclaimed = day(f[3]);
        const int32_t firstYear = cal.Months()->DateOf(proclaimed)->year;
        for (const int64_t edge : {useFrom, useTo}) {
            const EraDay d = cal.Facts(edge).date;
            EXPECT_EQ(d.era, era) << row;
            if (edge < kFirstGregorianJdn) {
                EXPECT_EQ(d.year, cal.Months()->DateOf(edge)->year - firstYear + 1) << row;
            }
            const auto back = cal.DayOf(d.era, d.year, d.month, d.leap, d.day);
            EXPECT_TRUE(back && back->jdn == edge && !back->inUse) << row;
        }
        EXPECT_NE(cal.Facts(useFrom - 1).date.era, era) << row;
        EXPECT_NE(cal.Facts(useTo + 1).date.era, era) << row;
        ++eras;
    }
    EXPECT_EQ(eras, 470);
}

// A Western month is answered by all of its days, Julian or Gregorian: the
// first span starts on its 1st, the last ends the day before the next 1st.
TEST(Lunisolar, EveryWesternMonthBefore1873SpansItsDays)
{
    const auto text = [](int32_t y, int32_t m, int32_t d) { return FormatCivilDate(CivilDate{y, m, d}); };
    for (const bool gregorian : {false, true}) {
        for (int32_t y = 646; y <= 1872; ++y) {
            for (int32_t m = 1; m <= 12; ++m) {
                const std::string month = std::to_string(y) + "年" + std::to_string(m) + "月";
                QueryAnswer a;
                try {
                    a = AnswerQuery(ShippedDays(0), month, DayOptions{gregorian});
                } catch (const DateError& e) {
                    ASSERT_NE(std::string(e.what()).find("は元号のない時期です"), std::string::npos)
                        << e.what();
                    continue;
                }
                ASSERT_TRUE(a.year && !a.year->eras.empty()) << month;
                if (!a.year->note.empty()) // days without an era lie at an end
                    continue;
                const auto& spans = a.year->eras; // newest first
                const int64_t first = JdnOf(FormatCivilDate(*spans.back().from), 0, gregorian);
                const int64_t last = JdnOf(FormatCivilDate(*spans.front().to), 0, gregorian);
                ASSERT_EQ(first, JdnOf(text(y, m, 1), 0, gregorian)) << month << gregorian;
                ASSERT_EQ(last + 1, JdnOf(m == 12 ? text(y + 1, 1, 1) : text(y, m + 1, 1), 0, gregorian))
                    << month << gregorian;
                // 晦日 names that last day too.
                ASSERT_EQ(JdnOf(month + "晦日", 0, gregorian), last) << month << gregorian;
            }
        }
    }
}

TEST(Lunisolar, SeamsChangesAndForms)
{
    struct Case {
        const char* query;
        int32_t line;
        bool gregorian;
        const char* answer;
    } const cases[] = {
        {"1582-06-21", 0, false, "天正10年6月2日"},
        {"天正10年6月2日", 0, false, "1582-06-21"},
        {"天正10年6月2日", 0, true, "1582-07-01"},
        {"1872-12-31", 0, false, "明治5年12月2日"},
        {"1873-01-01", 0, false, "明治6年1月1日"},
        {"明治5年12月2日", 0, false, "1872-12-31"},
        {"1868-10-22", 0, false, "慶応4年9月7日（明治元年9月7日とも）"},
        {"1868-10-23", 0, false, "明治元年9月8日"},
        {"1868-01-25", 1, false, "慶応4年1月1日（明治元年1月1日とも）"},
        {"1868-01-24", 0, false, "慶応3年12月30日"},
        {"1582-10-04", 0, false, "天正10年9月18日"},
        {"1582-10-15", 0, false, "天正10年9月19日"},
        {"1582-10-14", 0, true, "天正10年9月18日"},
        {"1582-10-04", 0, true, "天正10年9月8日"},
        {"1224-08-17", 0, false, "貞応3年閏7月1日（元仁元年閏7月1日とも）"},
        {"元仁元年閏七月朔日", 0, false,
         "1224-08-17 ※元仁元年閏7月1日の日に使われていた元号は貞応3年閏7月1日"},
        {"安政7年3月17日", 0, false, "1860-04-07"},
        {"万延元年3月18日", 0, false, "1860-04-08"},
        // The southern reunion, and 正慶 / the restored 元弘 in the north.
        {"1392-11-18", 1, false, "元中9年閏10月4日（明徳3年閏10月4日とも）"},
        {"1392-11-19", 1, false, "明徳3年閏10月5日"},
        {"1392-11-18", 0, false, "明徳3年閏10月4日"},
        {"元中9年閏10月4日", 0, false, "1392-11-18 ※元中は南朝の元号です"},
        {"1332-05-23", 0, false, "正慶元年4月28日"},
        {"1332-05-23", 1, false, "元弘2年4月28日"},
        {"元弘元年9月1日", 0, false, "1331-10-03 ※元弘元年9月1日の日に使われていた元号は元徳3年9月1日"},
        // Days with no era.
        {"660-05-01", 0, false, "元号なし 660年（庚申）3月16日（白雉の後・朱鳥の前）"},
        {"690-01-01", 1, false, "元号なし 689年（己丑）11月16日（朱鳥の後・大宝の前）"},
        // Refused, naming what exists.
        {"安政3年閏5月1日", 0, false, "refused: 安政3年閏5月1日はありません（安政3年に閏月はありません）"},
        {"慶応4年閏5月1日", 0, false, "refused: 慶応4年閏5月1日はありません（慶応4年の閏月は閏4月）"},
        {"慶応4年4月30日", 0, false, "refused: 慶応4年4月30日はありません（慶応4年4月は29日まで）"},
        {"大化7年1月1日", 0, false, "refused: 大化7年1月1日はありません（大化は6年まで）"},
        {"明治5年12月3日", 0, false,
         "refused: 明治5年12月3日はありません（明治5年12月2日の翌日が明治6年1月1日）"},
        {"1582-10-10", 0, false,
         "refused: 1582年10月10日はありません（ユリウス暦1582年10月4日の翌日がグレゴリオ暦1582年10月15日）"},
        {"1582-10-05", 0, false,
         "refused: 1582年10月5日はありません（ユリウス暦1582年10月4日の翌日がグレゴリオ暦1582年10月15日）"},
        {"1500-02-29", 0, true, "refused: 1500年2月29日はありません（2月は28日まで）"},
        {"1404-02-30", 0, false, "refused: 1404年2月30日はありません（ユリウス暦の2月は29日まで）"},
        {"1405-02-29", 0, false, "refused: 1405年2月29日はありません（ユリウス暦の2月は28日まで）"},
        {"天正10年9月19日", 0, false, "1582-10-15"},
        {"平成31年5月1日", 0, false, "refused: 平成31年5月1日はありません（平成は2019-04-30まで）"},
        {"明治6年1月1日", 0, false, "1873-01-01"},
        // The last day of a Western month, Julian or Gregorian.
        {"2019年4月晦日", 0, false, "平成31年4月30日"},
        {"1500年2月晦日", 0, false, "明応9年2月1日"},
        {"1500年2月晦日", 0, true, "明応9年1月20日"},
        // A month by its days: an era month as Western days, a Western
        // month as era dates, days of another era or of none noted.
        {"天保3年閏11月", 0, false, "1832-12-22〜1833-01-20"},
        {"元禄15年12月", 0, false, "1703-01-17〜1703-02-15"},
        {"1702年12月", 0, false, "元禄15年10月13日〜11月13日"},
        {"慶応4年9月", 0, false, "1868-10-16〜1868-11-13 ※1868-10-23〜1868-11-13は明治元年"},
        {"1868年10月", 0, false, "慶応4年8月16日〜明治元年9月16日"},
        {"明治5年12月", 0, false, "1872-12-30〜1872-12-31"},
        {"1872年12月", 0, false, "明治5年11月1日〜12月2日"},
        {"1582年10月", 0, false, "天正10年9月15日〜10月5日"},
        {"1582年10月", 0, true, "天正10年9月5日〜10月5日"},
        {"天正10年6月", 0, true, "1582-06-30〜1582-07-29"},
        {"645年7月", 0, false, "大化元年6月19日〜7月3日 ※0645-07-01〜0645-07-16は元号なし"},
        {"元弘3年5月", 0, false, "1333-06-13〜1333-07-12 ※1333-06-13〜1333-07-06は正慶2年"},
        {"645年1月", 0, false, "refused: 645年1月は大化より前で、元号がありません"},
        {"690年5月", 0, false, "refused: 690年5月は元号のない時期です（朱鳥の後・大宝の前）"},
        {"元禄15年閏12月", 0, false, "refused: 元禄15年閏12月1日はありません（元禄15年の閏月は閏8月）"},
        {"平成31年閏4月", 0, false,
         "refused: 平成31年閏4月はありません（閏月は1873年より前の旧暦にだけあります）"},
        {"平成31年4月", 0, false, "2019年4月"},
        {"1873年1月", 0, false, "明治6年1月"},
        {"1700年13月", 0, false, "refused: 1700年13月はありません（月は1から12まで）"},
        // A year alone is no day.
        {"1600", 0, false, "no day"},
        {"慶長5年", 0, false, "no day"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Answer(c.query, c.line, c.gregorian), c.answer) << c.query;

    // Forms found in old documents name the same day as the plain one.
    const std::pair<const char*, const char*> forms[] = {
        {"天正十年六月二日", "天正10年6月2日"},
        {"天正 10年 6月 2日", "天正10年6月2日"},
        {"天正１０年６月２日", "天正10年6月2日"},
        {"天正10.6.2", "天正10年6月2日"},
        {"てんしょう10年6月2日", "天正10年6月2日"},
        {"慶應4年うるう4月1日", "慶応4年閏4月1日"},
        {"慶応四年閏四月一日", "慶応4年閏4月1日"},
        {"慶応4年睦月元日", "慶応4年1月1日"},
        {"慶応4年1月元日", "慶応4年1月1日"},
        {"慶応4年元日", "慶応4年1月1日"},
        {"慶応4年師走晦日", "慶応4年12月29日"},
        {"慶応4年4月晦日", "慶応4年4月29日"},
        {"慶応4年閏4月晦日", "慶応4年閏4月29日"},
        {"應徳3年卯月廿一日", "応徳3年4月21日"},
        {"寛政2年霜月卅日", "寛政2年11月30日"},
        {"元德2年1月1日", "元徳2年1月1日"},
        {"JDN 2299161", "1582-10-15"},
        {"1582年6月21日", "1582-06-21"},
    };
    for (const auto& [form, plain] : forms) {
        EXPECT_EQ(JdnOf(form), JdnOf(plain)) << form;
        EXPECT_NE(JdnOf(form), -1) << form;
    }
}

TEST(Lunisolar, KanshiAndJsonForms)
{
    // 2000-01-01 was a 戊午 day; 甲子 days come every 60.
    const int64_t y2k = JdnOfGregorian({2000, 1, 1});
    EXPECT_EQ(KanshiOfDay(y2k), "戊午");
    EXPECT_EQ(KanshiOfDay(y2k + 6), "甲子");
    EXPECT_EQ(KanshiOfDay(y2k + 66), "甲子");
    // The other line's date only where the lines differ.
    const auto split = AnswerDay(ShippedDays(0), "1392-11-18");
    ASSERT_TRUE(split && split->otherLine);
    EXPECT_EQ(split->otherLine->text, "元中9年閏10月4日");
    EXPECT_EQ(split->otherLineName, "南朝");
    EXPECT_FALSE(AnswerDay(ShippedDays(1), "1392-11-19")->otherLine);
    const auto a = AnswerDay(ShippedDays(0), "1224-08-17");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->yearKanshi.kanji, "甲申");
}

// ---- the data files' checks -----------------------------------------------------------

namespace {

// The shipped text with one line (counted from 1) replaced.
std::string WithLine(const std::string& text, int line, const std::string& replacement)
{
    std::istringstream in(text);
    std::string out, l;
    for (int n = 1; std::getline(in, l); ++n)
        out += (n == line ? replacement : l) + "\n";
    return out;
}

int LineOf(const std::string& text, const std::string& start)
{
    std::istringstream in(text);
    std::string l;
    for (int n = 1; std::getline(in, l); ++n)
        if (l.rfind(start, 0) == 0)
            return n;
    return 0;
}

// A fault written over one line of a data file, and a word of the reason
// the file is refused for.
struct Fault {
    int line;
    std::string text;
    const char* why;
};

// Each fault, written into the text, is refused for its reason in a message
// that names the file, and the line where the fault has text.
void ExpectRefused(const std::string& text, const std::vector<Fault>& faults, const std::string& file,
                   const std::function<std::string(const std::string&)>& check, bool namesLine)
{
    for (const Fault& f : faults) {
        SCOPED_TRACE(f.text);
        const std::string error = check(WithLine(text, f.line, f.text));
        EXPECT_NE(error.find(f.why), std::string::npos) << error;
        const std::string where =
            file + " の" + (namesLine && !f.text.empty() ? std::to_string(f.line) + "行目" : "");
        EXPECT_NE(error.find(where), std::string::npos) << error;
    }
}

std::string MonthError(const std::string& text)
{
    try {
        LunisolarTable::Parse(text, "Yomari.dal", "Yomari");
        return "accepted";
    } catch (const YomariError& e) {
        return e.Description();
    }
}

} // namespace

TEST(LunisolarData, EveryFaultOfTheMonthFileNamesFileAndLine)
{
    const std::string dal = Shipped(".dal");
    ASSERT_EQ(MonthError(dal), "accepted");
    const int y1000 = LineOf(dal, "1000,");
    const int last = LineOf(dal, "1872,");
    const std::vector<Fault> faults = {
        {y1000, "1000,2086345,0,302930292930293029303029", "始まり"},     // a gap
        {y1000, "1001,2086346,0,302930292930293029303029", "前の行"},     // a year skipped
        {y1000, "1000,2086346,0,312930292930293029303029", "29か30"},     // 31 days
        {y1000, "1000,2086346,13,30293029293029302930302929", "閏月は0"}, // no 閏13月
        {y1000, "1000,2086346,0,30293029293029302930302929", "12か月分"}, // 13 months, no 閏
        {y1000, "1000,2086346,0", "項目が4つ"},
        {y1000, "1000,2086346,0,302930292930293029303029,", "4つより多い"},
        {y1000, "1000,x,0,302930292930293029303029", "整数"},
        {last, "1872,2404833,0,293029303029303029302903", "最後の月"},
        {last, "", "届かない"},
    };
    ExpectRefused(dal, faults, "Yomari.dal", MonthError, true);
    EXPECT_NE(MonthError(dal + "1873,2405160,0,303029302930293029302930\n").find("終わったあと"),
              std::string::npos);
    EXPECT_NE(MonthError("").find("月が1つもない"), std::string::npos);
    // Saved on Windows, or without a last line end, the file reads the same.
    std::string crlf;
    for (const char c : dal)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(MonthError(crlf.substr(0, crlf.size() - 2)), "accepted");
}

TEST(LunisolarData, EraDaysAgreeWithTheEraFilesAndStartDays)
{
    const std::string dae = Shipped(".dae");
    LunisolarData data;
    data.months = LunisolarTable::Parse(Shipped(".dal"), "Yomari.dal", "Yomari");
    const EraCalendar north = EraCalendar::Load(ShippedEnv(), 0);
    // The era-day text is read, then checked against the north line.
    const auto check = [&](const std::string& text) -> std::string {
        try {
            data.eras = ReadEraDayRows(text, data.months, "Yomari.dae", "Yomari");
            DayCalendar(north, 0, std::make_shared<const LunisolarData>(data));
            return "accepted";
        } catch (const YomariError& e) {
            return e.Description();
        }
    };
    ASSERT_EQ(check(dae), "accepted");
    const int taika = LineOf(dae, "n,大化,");
    const int hakuchi = LineOf(dae, "n,白雉,");
    const int taisho = LineOf(dae, "n,大正,");
    const int heisei = LineOf(dae, "n,平成,");
    const std::vector<Fault> faults = {
        {hakuchi, "n,白鳳,650,650-2-15,650-2-15,654-12-30",
         "2番目に古い元号が「白鳳」、元号データでは「白雉」"},
        {hakuchi, "n,白雉,651,651-1-1,651-1-1,654-12-30", "元号データでは650"},
        {hakuchi, "n,白雉,650,650-2-15,650-2-10,654-12-30", "順が逆"},
        {hakuchi, "n,白雉,650,650-2-14,650-2-14,654-12-30", "重なる"},
        {hakuchi, "n,白雉,650,650-2-31,650-2-15,654-12-30", "存在しない日"},
        {hakuchi, "n,白雉,650,650-閏2-1,650-閏2-1,654-12-30", "存在しない日"},
        {hakuchi, "n,白雉,650,651-2-15,651-2-15,654-12-30", "旧暦年にない"},
        {hakuchi, "x,白雉,650,650-2-15,650-2-15,654-12-30", "系統"},
        {hakuchi, "n,白雉,650", "項目が6つ"},
        {taisho, "n,大正,1912,1912-07-31,1912-07-31,1926-12-24", "開始日データ"},
        {taisho, "n,大正,1912,1912-07-30,1912-07-30,1926-12-2x", "存在しない日"},
        {heisei, "n,平成,1989,1989-01-08,1989-01-08,2019-04-29", "次の元号の開始日"},
        {taika, "n,大化,700,700-1-1,700-1-1,700-1-2", "より古い"},
    };
    ExpectRefused(dae, faults, "Yomari.dae", check, false);
    // An era missing from the table's old end.
    const std::string error = check(WithLine(dae, taika, "# none"));
    EXPECT_NE(error.find("大化"), std::string::npos) << error;
}

TEST(LunisolarData, MissingFilesCostOnlyTheDaysBefore1873AndANewEraKeepsWorking)
{
    TempDir dir;
    for (const char* ext : {".dan", ".das", ".dad", ".dal"})
        dir.Write(std::string("Yomari") + ext, Shipped(ext));
    EngineEnvironment env = ShippedEnv();
    env.folder = dir.Path();
    env.dataFolders = {dir.Path()};
    {
        const auto engine = DayEngine::Load(env, 0);
        EXPECT_EQ(AnswerDay(*engine, "1600-10-21"), std::nullopt);
        EXPECT_EQ(AnswerDay(*engine, "慶長5年9月15日"), std::nullopt);
        EXPECT_NE(engine->LunisolarError().find("Yomari.dae"), std::string::npos) << engine->LunisolarError();
        const auto modern = AnswerDay(*engine, "1900-01-01");
        ASSERT_TRUE(modern);
        EXPECT_EQ(modern->text, "明治33年1月1日");
        EXPECT_THROW(AnswerDay(*engine, "明治5年12月3日"), DateError);
    }
    // A broken month file is named the same way.
    dir.Write("Yomari.dae", Shipped(".dae"));
    dir.Write("Yomari.dal", WithLine(Shipped(".dal"), 20, "x"));
    {
        const auto engine = DayEngine::Load(env, 0);
        EXPECT_EQ(AnswerDay(*engine, "1600-10-21"), std::nullopt);
        EXPECT_NE(engine->LunisolarError().find("Yomari.dal の20行目"), std::string::npos)
            << engine->LunisolarError();
    }
    // A new era after 令和 in the user's files.
    dir.Write("Yomari.dal", Shipped(".dal"));
    dir.Write("Yomari.dad", "\"未来\",2040,4,1\n" + Shipped(".dad"));
    for (const char* ext : {".dan", ".das"})
        dir.Write(std::string("Yomari") + ext,
                  "\"未来\",\"みらい\",\"\",2040\r\n" + *DecodeTextFile(Shipped(ext)));
    const auto engine = DayEngine::Load(env, 1);
    EXPECT_EQ(engine->LunisolarError(), "");
    const auto old = AnswerDay(*engine, "1600-10-21");
    ASSERT_TRUE(old);
    EXPECT_EQ(old->text, "慶長5年9月15日");
    EXPECT_EQ(AnswerDay(*engine, "2040-04-01")->text, "未来元年4月1日");
}
