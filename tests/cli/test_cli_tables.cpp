// yomari-cli --table and --school, run as a shell runs them.
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

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

std::string Slurp(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

Outcome RunCli(const std::string& args, const std::string& folder = YOMARI_BIN_DIR)
{
    TempDir dir;
    const std::string cmd = "'" + folder + "/yomari-cli' " + args + " < /dev/null > '" +
                            (dir.Path() / "out").string() + "' 2> '" + (dir.Path() / "err").string() + "'";
    const int raw = std::system(cmd.c_str());
    Outcome r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::istringstream out(Slurp(dir.Path() / "out"));
    for (std::string line; std::getline(out, line);)
        r.lines.push_back(line);
    r.err = Slurp(dir.Path() / "err");
    return r;
}

std::string LineOf(const Outcome& r, const std::string& start)
{
    for (const auto& line : r.lines)
        if (line.rfind(start, 0) == 0)
            return line;
    return "(none: " + start + ")";
}

} // namespace

TEST(CliTables, AgeTableOfAYear)
{
    const Outcome r = RunCli("--table 2026");
    EXPECT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.lines.size(), 122u);
    EXPECT_EQ(r.lines[0], "西暦\t和暦\t干支\t満年齢\t誕生日前\t数え年\t厄年(男)\t厄年(女)\t長寿祝い");
    EXPECT_EQ(LineOf(r, "1966年"), "1966年\t昭和41年\t丙午(ひのえうま)\t60歳\t59歳\t61歳\t本厄\t本厄\t還暦");
    EXPECT_EQ(LineOf(r, "1989年"), "1989年\t昭和64年/平成元年\t己巳(つちのとみ)\t37歳\t36歳\t38歳\t\t後厄\t");
    EXPECT_EQ(r.lines.back().substr(0, 7), "1906年");

    // The year as an era year; a year the table cannot start from is a usage error.
    const Outcome era = RunCli("--table S50");
    EXPECT_EQ(era.status, 0);
    ASSERT_GT(era.lines.size(), 1u);
    EXPECT_EQ(era.lines[1].substr(0, era.lines[1].find('\t', 8)), "1975年\t昭和50年");
    const Outcome bad = RunCli("--table 99");
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("99"), std::string::npos);
    EXPECT_TRUE(bad.lines.empty());
    EXPECT_EQ(RunCli("--table 2026 1989").status, 2); // no other queries with a table
}

TEST(CliTables, SchoolYearsOfABirthDate)
{
    const Outcome r = RunCli("--school 平成24年4月2日");
    EXPECT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.lines.size(), 8u);
    EXPECT_EQ(r.lines[2], "小学校\t2019年4月\t平成31年4月\t2025年3月\t令和7年3月");
    EXPECT_EQ(RunCli("--school 2012-04-02").lines, r.lines);
    EXPECT_EQ(LineOf(RunCli("--school 2000-04-01"), "小学校"), "小学校\t2006年4月\t平成18年4月\t2012年3月\t平成24年3月");
    EXPECT_EQ(LineOf(RunCli("--school 2000-04-02"), "小学校"), "小学校\t2007年4月\t平成19年4月\t2013年3月\t平成25年3月");

    const Outcome year = RunCli("--school 2012");
    EXPECT_EQ(year.status, 1);
    EXPECT_NE(year.err.find("2012"), std::string::npos);
    EXPECT_TRUE(year.lines.empty());
    EXPECT_EQ(RunCli("--school").status, 2);
}

TEST(CliTables, BrokenMilestoneFileLeavesItsColumnsOut)
{
    TempDir dir;
    for (const char* name : {"yomari-cli", "Yomari.dan", "Yomari.das", "Yomari.dad"})
        std::filesystem::copy_file(std::string(YOMARI_BIN_DIR) + "/" + name, dir.Path() / name);
    const std::string dak = dir.Write("Yomari.dak", "\"男\",\"本厄\",42,\"大厄\"\n\"男\",\"本厄\",四十二,\"\"\n");
    const Outcome r = RunCli("--table 2026", dir.Path().string());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(dak), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("2行目"), std::string::npos) << r.err;
    ASSERT_EQ(r.lines.size(), 122u);
    EXPECT_EQ(LineOf(r, "1966年"), "1966年\t昭和41年\t丙午(ひのえうま)\t60歳\t59歳\t61歳");
}
