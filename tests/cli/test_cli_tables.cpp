// yomari-cli --table and --school, run as a shell runs them.
#include "tests/support/Cli.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Outcome {
    int status = -1;
    std::vector<std::string> lines;
    std::string err;
};

// Runs the program with the arguments, split at spaces.
Outcome RunCli(const std::string& args, const std::string& folder = YOMARI_BIN_DIR)
{
    std::vector<std::string> words;
    std::istringstream in(args);
    for (std::string w; in >> w;)
        words.push_back(w);
    const testsupport::CliOutcome run = testsupport::RunCli(words, nullptr, folder + "/yomari-cli");
    return {run.status, testsupport::Lines(run.out), run.err};
}

std::string LineOf(const Outcome& r, const std::string& start)
{
    for (const auto& line : r.lines)
        if (line.rfind(start, 0) == 0)
            return line;
    return "(none: " + start + ")";
}

} // namespace

// The cells themselves are the engine's and tested there; here the options,
// the statuses and the messages.
TEST(CliTables, OptionsStatusesAndMessages)
{
    const Outcome table = RunCli("--table 2026");
    EXPECT_EQ(table.status, 0) << table.err;
    ASSERT_EQ(table.lines.size(), 122u);
    EXPECT_EQ(LineOf(table, "1966年"),
              "1966年\t昭和41年\t丙午(ひのえうま)\t60歳\t59歳\t61歳\t本厄\t本厄\t還暦");
    EXPECT_EQ(RunCli("--table S50").lines.at(1).substr(0, 7), "1975年");

    const Outcome school = RunCli("--school 平成24年4月2日");
    EXPECT_EQ(school.status, 0) << school.err;
    ASSERT_EQ(school.lines.size(), 8u);
    EXPECT_EQ(school.lines[2], "小学校\t2019年4月\t平成31年4月\t2025年3月\t令和7年3月");

    // Usage errors: 2, nothing printed, the reason named; a query that is no
    // birth date: 1, named.
    const struct {
        const char* args;
        const char* err;
    } usage[] = {
        {"--table 99", "121 から 9999 までの年です: 99"},
        {"--table 10000", "121 から 9999 までの年です: 10000"},
        {"--table abc", "--table の年として「abc」を読めません"},
        {"--table 2026-13-01", "2026年13月1日はありません"},
        {"--table 1582-10-10", "ユリウス暦1582年10月4日の翌日"},
        {"--table 2026 1989", "一緒に使えません"},
        {"--school", "--school のあとに値がありません"},
        {"--table --school 2012-04-02", "一緒に使えません"},
    };
    for (const auto& u : usage) {
        const Outcome bad = RunCli(u.args);
        EXPECT_EQ(bad.status, 2) << u.args;
        EXPECT_TRUE(bad.lines.empty()) << u.args;
        EXPECT_NE(bad.err.find(u.err), std::string::npos) << u.args << ": " << bad.err;
    }
    // The year's bounds, and --table as the last argument: this year.
    for (const char* args :
         {"--table 9999", "--table 121", "--line s --table", "--calendar gregorian --table 1582-10-10"}) {
        const Outcome good = RunCli(args);
        EXPECT_EQ(good.status, 0) << args << good.err;
        EXPECT_EQ(good.lines.size(), 122u) << args;
    }
    const Outcome year = RunCli("--school 2012");
    EXPECT_EQ(year.status, 1);
    EXPECT_NE(year.err.find("「2012」"), std::string::npos) << year.err;
}

TEST(CliTables, BrokenMilestoneFileLeavesItsColumnsOut)
{
    TempDir dir;
    testsupport::CopyCli(dir.Path(), {"Yomari.dan", "Yomari.das", "Yomari.dad"});
    const std::string dak =
        dir.Write("Yomari.dak", "\"男\",\"本厄\",42,\"大厄\"\n\"男\",\"本厄\",四十二,\"\"\n");
    const Outcome r = RunCli("--table 2026", dir.Path().string());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(dak), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("2行目"), std::string::npos) << r.err;
    ASSERT_EQ(r.lines.size(), 122u);
    EXPECT_EQ(LineOf(r, "1966年"), "1966年\t昭和41年\t丙午(ひのえうま)\t60歳\t59歳\t61歳");
}

// --json gives one object per row, keyed by the column headers.
TEST(CliTables, JsonRowsCarryTheirHeaders)
{
    const Outcome table = RunCli("--json --table 2026");
    EXPECT_EQ(table.status, 0) << table.err;
    ASSERT_EQ(table.lines.size(), 121u);
    EXPECT_EQ(LineOf(table, "{\"西暦\":\"1966年\""),
              "{\"西暦\":\"1966年\",\"和暦\":\"昭和41年\",\"干支\":\"丙午(ひのえうま)\",\"満年齢\":\"60歳\","
              "\"誕生日前\":\"59歳\",\"数え年\":\"61歳\",\"厄年(男)\":\"本厄\",\"厄年(女)\":\"本厄\","
              "\"長寿祝い\":\"還暦\"}");
    const Outcome school = RunCli("--school 平成24年4月2日 --json");
    EXPECT_EQ(school.status, 0) << school.err;
    ASSERT_EQ(school.lines.size(), 7u);
    EXPECT_EQ(school.lines[1],
              "{\"学校\":\"小学校\",\"入学(西暦)\":\"2019年4月\",\"入学(和暦)\":\"平成31年4月\","
              "\"卒業(西暦)\":\"2025年3月\",\"卒業(和暦)\":\"令和7年3月\"}");
    const Outcome bad = RunCli("--json --school 2012");
    EXPECT_EQ(bad.status, 1);
    ASSERT_EQ(bad.lines.size(), 1u);
    EXPECT_EQ(bad.lines[0], "{\"query\":\"2012\",\"error\":\"月日まで入れてください\"}");
}
