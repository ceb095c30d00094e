// yomari-cli run as a person runs it: arguments, piped lines, exit statuses,
// and JSON read back by a parser of its own.
#include "tests/engine/TempDir.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::string Quote(const std::string& s)
{
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::string Slurp(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs the program with the arguments; input, when given, is piped to it.
Outcome RunCli(const std::vector<std::string>& args, const std::string* input = nullptr,
               const std::string& program = std::string(YOMARI_BIN_DIR) + "/yomari-cli")
{
    TempDir dir;
    // No user data folder of the person running the tests gets in the way.
    std::string cmd = "XDG_DATA_HOME=" + Quote((dir.Path() / "xdg").string()) + " " + Quote(program);
    for (const auto& a : args)
        cmd += " " + Quote(a);
    if (input)
        cmd += " < " + Quote(dir.Write("in.txt", *input));
    else
        cmd += " < /dev/null";
    cmd += " > " + Quote((dir.Path() / "out").string()) + " 2> " + Quote((dir.Path() / "err").string());
    Outcome r;
    const int raw = std::system(cmd.c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = Slurp(dir.Path() / "out");
    r.err = Slurp(dir.Path() / "err");
    return r;
}

Outcome Pipe(const std::string& input, const std::vector<std::string>& args = {})
{
    return RunCli(args, &input);
}

QJsonObject ParseLine(const std::string& line)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << line;
    EXPECT_TRUE(doc.isObject()) << line;
    return doc.object();
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);)
        lines.push_back(l);
    return lines;
}

} // namespace

TEST(Cli, ArgumentsAnswerOneLineEach)
{
    const Outcome r = RunCli({"2019-04-30", "平成元年", "1989", "昭和64年1月7日"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "平成31年4月30日\n"
                     "1989\n"
                     "平成元年 (1月8日–12月31日)、昭和64年 (1月1日–1月7日)\n"
                     "1989-01-07\n");
    EXPECT_EQ(r.err, "");
}

TEST(Cli, PipedLinesKeepTheirPlacesAndBadOnesGoToStandardError)
{
    const Outcome r = Pipe("2019-05-01\r\nH31.04.30\n\n2019-02-30\nS50\n平成31年5月1日");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "令和元年5月1日\n2019-04-30\n\n\n1975\n\n");
    EXPECT_NE(r.err.find("「2019-02-30」"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("「平成31年5月1日」: 平成31年5月1日はありません"), std::string::npos) << r.err;
    EXPECT_EQ(Lines(r.err).size(), 2u) << r.err;

    const Outcome good = Pipe("\xEF\xBB\xBF"
                              "2019-05-01\nH31.04.30\n");
    EXPECT_EQ(good.status, 0);
    EXPECT_EQ(good.out, "令和元年5月1日\n2019-04-30\n");
}

TEST(Cli, AnInvalidArgumentDoesNotStopTheOthers)
{
    const Outcome r = RunCli({"明治5年12月3日", "1975"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "\n昭和50年\n");
    EXPECT_NE(
        r.err.find("「明治5年12月3日」: 明治5年12月3日はありません（明治5年12月2日の翌日が明治6年1月1日）"),
        std::string::npos)
        << r.err;
}

TEST(Cli, CourtLineChoosesTheEras)
{
    EXPECT_EQ(RunCli({"--line", "s", "1336"}).out, "延元元年、建武3年\n");
    EXPECT_EQ(RunCli({"--line", "n", "1336"}).out, "建武3年\n");
    EXPECT_EQ(RunCli({"1336"}).out, "建武3年\n");
    const Outcome r = RunCli({"--line", "s", "延元元年"});
    EXPECT_EQ(r.out, "1336\n");
    EXPECT_EQ(RunCli({"延元元年"}).status, 1);
}

TEST(Cli, UsageErrorsExitWithTwo)
{
    for (const auto& args : std::vector<std::vector<std::string>>{{"--line", "x", "1989"},
                                                                  {"--line"},
                                                                  {"--bogus"},
                                                                  {"--on", "2020-01-01"},
                                                                  {"--age", "2000-01-01", "1989"}}) {
        const Outcome r = RunCli(args);
        EXPECT_EQ(r.status, 2) << args[0];
        EXPECT_EQ(r.out, "") << args[0];
        EXPECT_NE(r.err.find("--help"), std::string::npos) << r.err;
    }
    const Outcome help = RunCli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("H31.04.30"), std::string::npos);
    EXPECT_NE(help.out.find("--age"), std::string::npos);
}

TEST(Cli, MissingDataFileExitsWithTwoAndNamesIt)
{
    TempDir dir;
    const auto copy = dir.Path() / "yomari-cli";
    std::filesystem::copy_file(std::string(YOMARI_BIN_DIR) + "/yomari-cli", copy);
    std::filesystem::permissions(copy, std::filesystem::perms::owner_all);
    const Outcome none = RunCli({"2019-04-30"}, nullptr, copy.string());
    EXPECT_EQ(none.status, 2);
    EXPECT_EQ(none.out, "");
    EXPECT_NE(none.err.find("Yomari.dan"), std::string::npos) << none.err;

    // Era files without the start-day file, then one that disagrees with them.
    for (const char* f : {"Yomari.dan", "Yomari.das"})
        std::filesystem::copy_file(std::string(YOMARI_BIN_DIR) + "/" + f, dir.Path() / f);
    const Outcome noDays = RunCli({"2019-04-30"}, nullptr, copy.string());
    EXPECT_EQ(noDays.status, 2);
    EXPECT_NE(noDays.err.find("Yomari.dad"), std::string::npos) << noDays.err;

    dir.Write("Yomari.dad", "\"令和\",2018,5,1\n\"平成\",1989,1,8\n\"昭和\",1926,12,25\n\"大正\",1912,7,30\n"
                            "\"明治\",1868,1,1\n");
    const Outcome wrong = RunCli({"2019-04-30"}, nullptr, copy.string());
    EXPECT_EQ(wrong.status, 2);
    EXPECT_NE(wrong.err.find("令和"), std::string::npos) << wrong.err;

    // A future era is only data.
    dir.Write("Yomari.dad", "\"未来\",2040,4,1\n\"令和\",2019,5,1\n\"平成\",1989,1,8\n\"昭和\",1926,12,25\n"
                            "\"大正\",1912,7,30\n\"明治\",1868,1,1\n");
    for (const char* f : {"Yomari.dan", "Yomari.das"}) {
        const std::string old = Slurp(dir.Path() / f);
        dir.Write(f, "\"\x96\xa2\x97\x88\",\"\x82\xdd\x82\xe7\x82\xa2\",\"\",2040\r\n" + old); // 未来, みらい
    }
    const Outcome future = RunCli({"2040-03-31", "2040-04-01", "みらい2"}, nullptr, copy.string());
    EXPECT_EQ(future.status, 0) << future.err;
    EXPECT_EQ(future.out, "令和22年3月31日\n未来元年4月1日\n2041\n");
}

TEST(Cli, JsonLinesParseBack)
{
    const Outcome r = RunCli({"--json", "2026", "1989", "平成31年4月30日", "1700-05-05", "2019-02-30"});
    EXPECT_EQ(r.status, 1);
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 5u) << r.out;

    const QJsonObject y = ParseLine(lines[0]);
    EXPECT_EQ(y["query"].toString(), "2026");
    EXPECT_EQ(y["type"].toString(), "western-year");
    EXPECT_EQ(y["answer"].toString(), "令和8年");
    EXPECT_EQ(y["westernYear"].toInt(), 2026);
    EXPECT_EQ(y["kanshi"].toObject()["kanji"].toString(), "丙午");
    EXPECT_EQ(y["kanshi"].toObject()["reading"].toString(), "ひのえうま");
    EXPECT_EQ(y["line"].toString(), "n");

    const QJsonArray eras = ParseLine(lines[1])["eras"].toArray();
    ASSERT_EQ(eras.size(), 2);
    EXPECT_EQ(eras[0].toObject()["name"].toString(), "平成");
    EXPECT_EQ(eras[0].toObject()["year"].toInt(), 1);
    EXPECT_EQ(eras[0].toObject()["text"].toString(), "平成元年");
    EXPECT_EQ(eras[0].toObject()["from"].toString(), "1989-01-08");
    EXPECT_EQ(eras[1].toObject()["to"].toString(), "1989-01-07");
    EXPECT_EQ(eras[1].toObject()["reading"].toString(), "しょうわ");

    const QJsonObject d = ParseLine(lines[2]);
    EXPECT_EQ(d["western"].toString(), "2019-04-30");
    EXPECT_EQ(d["era"].toObject()["text"].toString(), "平成31年4月30日");
    EXPECT_EQ(d["era"].toObject()["month"].toInt(), 4);
    EXPECT_TRUE(d["exact"].toBool());

    // Before 1873 the day is exact too, lunisolar.
    const QJsonObject old = ParseLine(lines[3]);
    EXPECT_TRUE(old["exact"].toBool());
    EXPECT_EQ(old["answer"].toString(), "元禄13年3月17日");
    EXPECT_TRUE(old["note"].isUndefined());

    const QJsonObject bad = ParseLine(lines[4]);
    EXPECT_EQ(bad["query"].toString(), "2019-02-30");
    EXPECT_TRUE(bad["error"].toString().contains("2月は28日まで"));

    // Piped, with a quote and a control character in the query.
    const Outcome p = Pipe("S50\n\"x\x01\n", {"--json", "--line", "s"});
    const auto pl = Lines(p.out);
    ASSERT_EQ(pl.size(), 2u);
    EXPECT_EQ(ParseLine(pl[0])["line"].toString(), "s");
    EXPECT_EQ(ParseLine(pl[1])["query"].toString(), "\"x\x01");
}

TEST(Cli, AgeOnADate)
{
    EXPECT_EQ(RunCli({"--age", "1989-01-08", "--on", "2026-01-07"}).out, "満36歳（数え38歳）\n");
    EXPECT_EQ(RunCli({"--age", "平成元年1月8日", "--on", "令和8年1月8日"}).out, "満37歳（数え38歳）\n");
    EXPECT_EQ(RunCli({"--age", "2000-02-29", "--on", "2001-02-28"}).out, "満0歳（数え2歳）\n");
    EXPECT_EQ(RunCli({"--age", "2000-02-29", "--on", "2001-03-01"}).out, "満1歳（数え2歳）\n");
    const QJsonObject j = ParseLine(RunCli({"--json", "--age", "H12.2.29", "--on", "2004-02-29"}).out);
    EXPECT_EQ(j["age"].toInt(), 4);
    EXPECT_EQ(j["kazoe"].toInt(), 5);
    EXPECT_EQ(j["birth"].toString(), "2000-02-29");

    const Outcome before = RunCli({"--age", "2000-01-01", "--on", "1999-12-31"});
    EXPECT_EQ(before.status, 1);
    EXPECT_NE(before.err.find("生年月日より前"), std::string::npos);
    EXPECT_EQ(RunCli({"--age", "1989"}).status, 1);
    EXPECT_EQ(RunCli({"--age", "明治元年5月1日"}).status, 1);
    // Without --on, today.
    const Outcome today = RunCli({"--age", "2000-01-01"});
    EXPECT_EQ(today.status, 0);
    EXPECT_EQ(today.out.substr(0, 3), "満");
}

TEST(Cli, OverlongLineIsRefusedWithoutStoppingTheStream)
{
    const std::string input = std::string(100000, '9') + "\n1975\n";
    const Outcome r = Pipe(input);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "\n昭和50年\n");
    EXPECT_NE(r.err.find("長すぎ"), std::string::npos);
}

// Every day since 645: both ways, both calendars, JSON fields, and a missing
// lunisolar file named once while later days keep their answers.
TEST(Cli, LunisolarDays)
{
    const Outcome r = RunCli({"1582-06-21", "天正10年6月2日", "天正十年六月二日", "慶応4年閏4月1日",
                              "660-05-01", "1872-12-31", "1873-01-01"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "天正10年6月2日\n1582-06-21\n1582-06-21\n1868-05-22\n"
                     "元号なし 660年（庚申）3月16日（白雉の後・朱鳥の前）\n明治5年12月2日\n明治6年1月1日\n");

    const Outcome g = Pipe("1582-07-01\n天正10年6月2日\n", {"--calendar", "gregorian"});
    EXPECT_EQ(g.out, "天正10年6月2日\n1582-07-01\n");
    EXPECT_EQ(RunCli({"--calendar", "maya", "1582-07-01"}).status, 2);

    const Outcome j = RunCli({"--json", "1224-08-17", "660-05-01", "2019-05-01", "慶応4年4月30日"});
    EXPECT_EQ(j.status, 1);
    const auto lines = Lines(j.out);
    ASSERT_EQ(lines.size(), 4u) << j.out;
    const QJsonObject a = ParseLine(lines[0]);
    EXPECT_EQ(a["jdn"].toInteger(), 2168353);
    EXPECT_EQ(a["julian"].toString(), "1224-08-17");
    EXPECT_EQ(a["gregorian"].toString(), "1224-08-24");
    const QJsonObject era = a["era"].toObject();
    EXPECT_EQ(era["name"].toString(), "貞応");
    EXPECT_EQ(era["reading"].toString(), "じょうおう");
    EXPECT_EQ(era["year"].toInt(), 3);
    EXPECT_EQ(era["month"].toInt(), 7);
    EXPECT_TRUE(era["leap"].toBool());
    EXPECT_EQ(era["day"].toInt(), 1);
    EXPECT_EQ(era["text"].toString(), "貞応3年閏7月1日");
    EXPECT_EQ(a["also"].toObject()["text"].toString(), "元仁元年閏7月1日");
    const QJsonObject lunar = a["lunisolar"].toObject();
    EXPECT_EQ(lunar["year"].toInt(), 1224);
    EXPECT_TRUE(lunar["leap"].toBool());
    EXPECT_EQ(a["dayKanshi"].toString().size(), 2);
    const QJsonObject none = ParseLine(lines[1]);
    EXPECT_TRUE(none["era"].isNull());
    EXPECT_TRUE(none["also"].isNull());
    EXPECT_EQ(none["lunisolar"].toObject()["month"].toInt(), 3);
    const QJsonObject modern = ParseLine(lines[2]);
    EXPECT_TRUE(modern["lunisolar"].isNull());
    EXPECT_EQ(modern["era"].toObject()["text"].toString(), "令和元年5月1日");
    EXPECT_TRUE(ParseLine(lines[3])["error"].toString().contains("29日まで"));

    TempDir dir;
    const auto copy = dir.Path() / "yomari-cli";
    std::filesystem::copy_file(std::string(YOMARI_BIN_DIR) + "/yomari-cli", copy);
    std::filesystem::permissions(copy, std::filesystem::perms::owner_all);
    for (const char* f : {"Yomari.dan", "Yomari.das", "Yomari.dad", "Yomari.dae"})
        std::filesystem::copy_file(std::string(YOMARI_BIN_DIR) + "/" + f, dir.Path() / f);
    const std::string in = "1700-05-05\n1600-10-21\n2019-05-01\n";
    const Outcome m = RunCli({}, &in, copy.string());
    EXPECT_EQ(m.status, 0) << m.err;
    EXPECT_EQ(Lines(m.out).size(), 3u);
    EXPECT_EQ(Lines(m.out)[2], "令和元年5月1日");
    EXPECT_NE(m.out.find("元禄13年 ※"), std::string::npos) << m.out;
    const size_t named = m.err.find("Yomari.dal");
    EXPECT_NE(named, std::string::npos) << m.err;
    EXPECT_EQ(m.err.find("Yomari.dal", named + 1), std::string::npos) << m.err;
}

// "Today" is the local date: the same moment is a different day in zones 26
// hours apart. POSIX zone strings need no zone files ("UTC-14" is 14 hours
// ahead of UTC).
TEST(Cli, AgeIsCountedOnTheLocalDate)
{
    using namespace std::chrono;
    const struct {
        const char* zone;
        hours offset;
    } zones[] = {{"UTC+12", -12h}, {"UTC0", 0h}, {"UTC-14", 14h}};
    const auto dateAt = [](hours offset) {
        const year_month_day d{floor<days>(system_clock::now() + offset)};
        char text[16];
        std::snprintf(text, sizeof text, "%04d-%02u-%02u", int{d.year()}, unsigned{d.month()},
                      unsigned{d.day()});
        return std::string(text);
    };
    for (const auto& z : zones) {
        const std::string before = dateAt(z.offset);
        const Outcome r = RunCli({std::string("TZ=") + z.zone, std::string(YOMARI_BIN_DIR) + "/yomari-cli",
                                  "--json", "--age", "2000-01-01"},
                                 nullptr, "/usr/bin/env");
        const std::string after = dateAt(z.offset); // a day may turn meanwhile
        EXPECT_EQ(r.status, 0) << r.err;
        const std::string on = QJsonDocument::fromJson(QByteArray::fromStdString(r.out))
                                   .object()
                                   .value(QStringLiteral("on"))
                                   .toString()
                                   .toStdString();
        EXPECT_TRUE(on == before || on == after) << z.zone << ": " << on << ", expected " << before;
    }
}
