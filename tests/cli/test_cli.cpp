// yomari-cli run as a person runs it: arguments, piped lines, exit statuses,
// and JSON read back by a parser of its own.
#include "cli/JsonOutput.h"
#include "tests/engine/TempDir.h"
#include "tests/support/Cli.h"
#include "tests/support/ShippedEnv.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Outcome = testsupport::CliOutcome;
using testsupport::Lines;
using testsupport::RunCli;
using testsupport::ShippedEnv;
using testsupport::Slurp;

Outcome Pipe(const std::string& input, const std::vector<std::string>& args = {})
{
    return RunCli(args, &input);
}

// yomari-cli driven as a script drives it: a line written to its standard
// input, then its answer awaited on its standard output.
class Conversation {
public:
    explicit Conversation(const std::vector<std::string>& args)
    {
        int in[2], out[2];
        if (pipe(in) != 0 || pipe(out) != 0)
            throw std::runtime_error("pipe");
        const std::string program = std::string(YOMARI_BIN_DIR) + "/yomari-cli";
        const std::string xdg = "XDG_DATA_HOME=" + (m_dir.Path() / "xdg").string();
        m_pid = fork();
        if (m_pid == 0) {
            dup2(in[0], 0);
            dup2(out[1], 1);
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, 2);
            for (int fd : {in[0], in[1], out[0], out[1], null})
                close(fd);
            std::vector<char*> argv{const_cast<char*>(program.c_str())};
            for (const auto& a : args)
                argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            putenv(const_cast<char*>(xdg.c_str()));
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        close(in[0]);
        close(out[1]);
        m_in = in[1];
        m_out = out[0];
    }
    ~Conversation()
    {
        if (m_in >= 0)
            close(m_in);
        close(m_out);
        if (m_pid > 0 && waitpid(m_pid, nullptr, WNOHANG) == 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
    }

    // Writes text, then waits for one whole line of answer: nothing when none
    // comes in time.
    std::optional<std::string> Ask(const std::string& text,
                                   std::chrono::milliseconds wait = std::chrono::seconds(10))
    {
        if (write(m_in, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
            return std::nullopt;
        const auto deadline = std::chrono::steady_clock::now() + wait;
        for (;;) {
            if (const size_t nl = m_pending.find('\n'); nl != std::string::npos) {
                std::string line = m_pending.substr(0, nl);
                m_pending.erase(0, nl + 1);
                return line;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd p{m_out, POLLIN, 0};
            if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) <= 0)
                return std::nullopt;
            char buf[4096];
            const ssize_t n = read(m_out, buf, sizeof buf);
            if (n <= 0)
                return std::nullopt;
            m_pending.append(buf, static_cast<size_t>(n));
        }
    }

    // Ends the input; the exit status.
    int Finish()
    {
        close(m_in);
        m_in = -1;
        int raw = 0;
        waitpid(m_pid, &raw, 0);
        m_pid = -1;
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }

private:
    TempDir m_dir;
    pid_t m_pid = -1;
    int m_in = -1;
    int m_out = -1;
    std::string m_pending;
};

QJsonObject ParseLine(const std::string& line)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << line;
    EXPECT_TRUE(doc.isObject()) << line;
    return doc.object();
}

// Checked by Qt's decoder, not the program's own.
bool IsUtf8(const std::string& bytes)
{
    const QByteArray b = QByteArray::fromStdString(bytes);
    return QString::fromUtf8(b).toUtf8() == b;
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

// Whatever was asked, an output that takes nothing (a full disk) is said,
// with status 2, not taken for an answer given.
TEST(Cli, AnOutputThatFailsIsSaid)
{
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"2019-05-01"},
                                               {"--json", "1989"},
                                               {"--age", "2000-01-01"},
                                               {"--table"},
                                               {"--school", "2012-04-02"},
                                               {"--help"},
                                               {"--version"}}) {
        const Outcome r = RunCli(args, nullptr, std::string(YOMARI_BIN_DIR) + "/yomari-cli", "/dev/full");
        EXPECT_EQ(r.status, 2) << args[0];
        EXPECT_EQ(r.err, "yomari-cli: 標準出力に書き込めません: No space left on device\n") << args[0];
    }
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
    const std::string copy = testsupport::CopyCli(dir.Path());
    const Outcome none = RunCli({"2019-04-30"}, nullptr, copy);
    EXPECT_EQ(none.status, 2);
    EXPECT_EQ(none.out, "");
    EXPECT_NE(none.err.find("Yomari.dan"), std::string::npos) << none.err;

    // Era files without the start-day file, then one that disagrees with them.
    for (const char* f : {"Yomari.dan", "Yomari.das"})
        std::filesystem::copy_file(std::string(YOMARI_BIN_DIR) + "/" + f, dir.Path() / f);
    const Outcome noDays = RunCli({"2019-04-30"}, nullptr, copy);
    EXPECT_EQ(noDays.status, 2);
    EXPECT_NE(noDays.err.find("Yomari.dad"), std::string::npos) << noDays.err;

    dir.Write("Yomari.dad", "\"令和\",2018,5,1\n\"平成\",1989,1,8\n\"昭和\",1926,12,25\n\"大正\",1912,7,30\n"
                            "\"明治\",1868,1,1\n");
    const Outcome wrong = RunCli({"2019-04-30"}, nullptr, copy);
    EXPECT_EQ(wrong.status, 2);
    EXPECT_NE(wrong.err.find("令和"), std::string::npos) << wrong.err;

    // A future era is only data.
    dir.Write("Yomari.dad", "\"未来\",2040,4,1\n\"令和\",2019,5,1\n\"平成\",1989,1,8\n\"昭和\",1926,12,25\n"
                            "\"大正\",1912,7,30\n\"明治\",1868,1,1\n");
    for (const char* f : {"Yomari.dan", "Yomari.das"}) {
        const std::string old = testsupport::Slurp(dir.Path() / f);
        dir.Write(f, "\"\x96\xa2\x97\x88\",\"\x82\xdd\x82\xe7\x82\xa2\",\"\",2040\r\n" + old); // 未来, みらい
    }
    const Outcome future = RunCli({"2040-03-31", "2040-04-01", "みらい2"}, nullptr, copy);
    EXPECT_EQ(future.status, 0) << future.err;
    EXPECT_EQ(future.out, "令和22年3月31日\n未来元年4月1日\n2041\n");
}

// An installed tree: the program in bin/, the shipped data in share/yomari/,
// and the user's own files beside the program, which come before share/.
// Files that cannot be used give way to the installed ones and are named on
// standard error; the answers still come, with exit status 0.
TEST(Cli, UsersDataFilesThatCannotBeUsedAreNamedAndGiveWay)
{
    TempDir dir;
    const auto bin = dir.Path() / "bin";
    const auto share = dir.Path() / "share" / "yomari";
    std::filesystem::create_directories(bin);
    std::filesystem::create_directories(share);
    for (const char* f : {"Yomari.dan", "Yomari.das", "Yomari.dad"})
        std::filesystem::copy_file(std::string(YOMARI_BIN_DIR) + "/" + f, share / f);
    const std::string program = testsupport::CopyCli(bin);
    const std::string newEra =
        "\"\x96\xa2\x97\x88\",\"\x82\xdd\x82\xe7\x82\xa2\",\"\",2040\r\n"; // 未来, みらい
    const auto write = [](const std::filesystem::path& p, const std::string& bytes) {
        std::ofstream(p, std::ios::binary) << bytes;
    };
    // One notice, whose first line names every refused file.
    const auto named = [](const Outcome& r, const std::vector<std::filesystem::path>& files) {
        const std::string notice = "を使えません";
        const size_t at = r.err.find(notice);
        EXPECT_EQ(at == std::string::npos     ? 0
                  : at == r.err.rfind(notice) ? 1
                                              : 2,
                  files.empty() ? 0 : 1)
            << r.err;
        const std::string first = r.err.substr(0, r.err.find('\n'));
        for (const auto& f : files)
            EXPECT_NE(first.find(f.string()), std::string::npos) << r.err;
    };
    struct Case {
        const char* what;
        std::vector<std::pair<const char*, std::string>> user;
        const char* answer; // of 2040-04-01
        std::vector<std::filesystem::path> named;
    };
    const std::string days = Slurp(share / "Yomari.dad");
    const std::vector<Case> cases = {
        {"broken start-day file",
         {{"Yomari.dad", "\"令和\",2019,5\n"}},
         "令和22年4月1日\n",
         {bin / "Yomari.dad"}},
        {"era file ahead of the start days",
         {{"Yomari.dan", newEra + Slurp(share / "Yomari.dan")}},
         "令和22年4月1日\n",
         {bin / "Yomari.dan", share / "Yomari.dad"}},
        {"all three written, as the README says",
         {{"Yomari.dan", newEra + Slurp(share / "Yomari.dan")},
          {"Yomari.das", newEra + Slurp(share / "Yomari.das")},
          {"Yomari.dad", "\"未来\",2040,4,1\n" + days}},
         "未来元年4月1日\n",
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const char* f : {"Yomari.dan", "Yomari.das", "Yomari.dad"})
            std::filesystem::remove(bin / f);
        for (const auto& [name, bytes] : c.user)
            write(bin / name, bytes);
        const Outcome r = RunCli({"2040-04-01"}, nullptr, program);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.answer);
        named(r, c.named);
        EXPECT_EQ(r.err.empty(), c.named.empty()) << r.err;
    }
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

TEST(CliJson, CarriesTheAnswerAndEscapesTheQuery)
{
    using namespace yomari;
    const EraCalendar cal = EraCalendar::Load(ShippedEnv(), 0);
    std::string out;
    AppendAnswerJson("1989", AnswerDateQuery(cal, ParseDateQuery(cal, "1989")), "n", out);
    EXPECT_NE(out.find("\"from\":\"1989-01-08\",\"to\":\"1989-12-31\""), std::string::npos) << out;
    EXPECT_NE(out.find("\"kanshi\":{\"kanji\":\"己巳\",\"reading\":\"つちのとみ\"}"), std::string::npos)
        << out;
    out.clear();
    AppendErrorJson("a\"b\\c\x01\x1f", "x", out);
    EXPECT_EQ(out, "{\"query\":\"a\\\"b\\\\c\\u0001\\u001f\",\"error\":\"x\"}");
    // Characters of two, three and four bytes pass through; broken bytes do not.
    out.clear();
    AppendErrorJson("é平𠀋", "x", out);
    EXPECT_EQ(out, "{\"query\":\"é平𠀋\",\"error\":\"x\"}");
    out.clear();
    AppendErrorJson("a\xC3", "x", out);
    EXPECT_EQ(out, "{\"query\":\"a\uFFFD\",\"error\":\"x\"}");
}

TEST(CliJson, DayAnswerForms)
{
    using namespace yomari;
    const auto engine = DayEngine::Load(ShippedEnv(), 0);
    const auto a = AnswerDay(*engine, "1224-08-17");
    ASSERT_TRUE(a);
    std::string json;
    AppendDayAnswerJson("1224-08-17", *a, "n", json);
    for (const char* part :
         {"\"jdn\":2168353,", "\"julian\":\"1224-08-17\"", "\"gregorian\":\"1224-08-24\"",
          "\"lunisolar\":{\"year\":1224,\"month\":7,\"leap\":true,\"day\":1}",
          "\"also\":{\"name\":\"元仁\",\"reading\":\"げんにん\",\"year\":1,\"month\":7,\"leap\":true",
          "\"dayKanshi\":\""})
        EXPECT_NE(json.find(part), std::string::npos) << part << " in " << json;
}

// Hostile bytes on standard input: nothing reaches the terminal raw, and
// JSON stays valid UTF-8 whatever the query held.
TEST(Cli, HostileInputIsQuotedSafelyAndGivesValidJson)
{
    const Outcome r = Pipe("\x1b]0;X\x07\x1b[2J\n2019\xC0\xAF"
                           "04\xC0\xAF"
                           "30\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "\n\n");
    EXPECT_NE(r.err.find("「\\x1b]0;X\\x07\\x1b[2J」"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("「2019\uFFFD\uFFFD04\uFFFD\uFFFD30」"), std::string::npos) << r.err;
    EXPECT_TRUE(IsUtf8(r.err));
    for (const char c : r.err)
        EXPECT_TRUE(c == '\n' || static_cast<unsigned char>(c) >= 0x20) << static_cast<int>(c);

    const std::string r3 = "\uFFFD\uFFFD\uFFFD";
    const struct {
        std::string query, read;
    } broken[] = {{"\xED\xA0\x80", r3},
                  {"\xF4\x90\x80\x80", r3 + "\uFFFD"},
                  {"\xF7\xBF\xBF\xBF", r3 + "\uFFFD"},
                  {"\xC0\xAF", "\uFFFD\uFFFD"},
                  {"\xE0\x80\xAF", r3},
                  {"2019-04-30\xFF", "2019-04-30\uFFFD"},
                  {"\x1b[2J\"\\", "\x1b[2J\"\\"},
                  {"\xC2\x80\xC2\x9F", "\u0080\u009F"}}; // C1 controls: valid, kept
    for (const auto& [q, read] : broken) {
        const Outcome piped = Pipe(q + "\n", {"--json"});
        const Outcome age = RunCli({"--age", q, "--json"});
        for (const Outcome* o : {&piped, &age}) {
            EXPECT_EQ(o->status, 1) << q;
            EXPECT_TRUE(IsUtf8(o->out)) << q;
            EXPECT_TRUE(IsUtf8(o->err)) << q;
            ASSERT_EQ(Lines(o->out).size(), 1u) << q;
            const QString query = ParseLine(Lines(o->out)[0])["query"].toString();
            EXPECT_EQ(query.toStdString(), read) << q;
        }
    }
}

TEST(Cli, AnswersEachLineAsSoonAsItIsRead)
{
    Conversation c({});
    const struct {
        std::string written;
        std::optional<std::string> answer;
    } steps[] = {
        {"2019-04-30\n", "平成31年4月30日"},
        {"S50\r\n", "1975"},
        {"2019-", std::nullopt}, // half a line: no answer yet
        {"05-01\n", "令和元年5月1日"},
        {"abc\n", ""},
        {" \t　\n", ""},
        {"1989\n2026\n", "平成元年 (1月8日–12月31日)、昭和64年 (1月1日–1月7日)"},
        {"", "令和8年"},
    };
    for (const auto& s : steps) {
        const auto wait = s.answer ? std::chrono::milliseconds(5000) : std::chrono::milliseconds(300);
        ASSERT_EQ(c.Ask(s.written, wait), s.answer) << s.written;
    }
    EXPECT_EQ(c.Finish(), 1);

    Conversation json({"--json"});
    EXPECT_EQ(ParseLine(json.Ask("H31.4.30\n").value_or(""))["western"].toString(), "2019-04-30");
    EXPECT_EQ(ParseLine(json.Ask("x\n").value_or(""))["query"].toString(), "x");
    EXPECT_EQ(json.Finish(), 1);
}

// Options and conventions, one row each: arguments, exit status, and a text
// that standard output or error must hold.
TEST(Cli, CommandLineConventions)
{
    const std::string help = RunCli({"--help"}).out;
    const struct {
        std::vector<std::string> args;
        int status;
        std::string out, err;
    } rows[] = {
        {{"-h"}, 0, help, ""},
        {{"--", "-5"}, 1, "\n", "「-5」"},
        {{"--", "--json"}, 1, "\n", "「--json」"},
        {{"-5"}, 2, "", "-- のあとに"},
        {{"-"}, 1, "\n", "「-」"}, // one character is a query, not an option
        {{"7"}, 1, "\n", "「7」: 7年は大化より前"},
        {{"S"}, 1, "\n", "「S」は日付"},
        {{"--json", "--", "-x"}, 1, "{\"query\":\"-x\",\"error\"", "「-x」"},
        {{"\x1b[2J"}, 1, "\n", "「\\x1b[2J」"},
        {{"--\x1b[2J"}, 2, "", "--\\x1b[2J"},
        // The one reading of the date window too: a big number is a year,
        // old forms are read, the unreadable is refused in its one text.
        {{"123456"}, 0, "令和121438年\n", ""},
        {{"慶應4年"}, 0, "1868\n", ""},
        {{"abc"}, 1, "\n", "「abc」: 「abc」は日付・年として読めません"},
        {{"--age", "平成31年4月晦日", "--on", "令和2年4月晦日"}, 0, "満1歳（数え2歳）\n", ""},
    };
    for (const auto& r : rows) {
        const Outcome o = RunCli(r.args);
        EXPECT_EQ(o.status, r.status) << r.args.back();
        EXPECT_EQ(o.out.substr(0, r.out.size()), r.out) << r.args.back();
        EXPECT_NE(o.err.find(r.err), std::string::npos) << r.args.back() << ": " << o.err;
    }
    const Outcome version = RunCli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(
        QString::fromStdString(version.out).contains(QRegularExpression("^yomari-cli \\d+\\.\\d+\\.\\d+\n$")))
        << version.out;
    // --help lists every option the program takes.
    for (const char* option : {"--line", "--age", "--on", "--json", "--table", "--school", "-h", "--help",
                               "--version", "\n  --  "})
        EXPECT_NE(help.find(option), std::string::npos) << option;
}

// A line of blanks is an empty line; the line limit counts the line, not its
// CR LF; the message quotes the line's first 40 characters.
TEST(Cli, BlankLinesLineLimitAndItsMessage)
{
    const Outcome blank = Pipe(" \t\n　\n\xEF\xBB\xBF \r\n2019-04-30\n");
    EXPECT_EQ(blank.status, 0);
    EXPECT_EQ(blank.out, "\n\n\n平成31年4月30日\n");
    EXPECT_EQ(blank.err, "");
    EXPECT_EQ(Pipe(" \n　\n", {"--json"}).out, "");

    const std::string padded = std::string(4092, ' ') + "1975"; // 4096 bytes
    const struct {
        std::string input;
        std::string out;
        int status;
    } rows[] = {
        {padded + "\r\n", "昭和50年\n", 0}, {padded + "\n", "昭和50年\n", 0}, {padded, "昭和50年\n", 0},
        {" " + padded + "\n", "\n", 1},     {" " + padded + "\r\n", "\n", 1},
    };
    for (const auto& r : rows) {
        const Outcome o = Pipe(r.input);
        EXPECT_EQ(o.out, r.out) << r.input.size();
        EXPECT_EQ(o.status, r.status) << r.input.size();
    }
    const std::string kanji = [] {
        std::string s;
        for (int i = 0; i < 2000; ++i)
            s += "年";
        return s;
    }();
    const Outcome j = Pipe(kanji + "\n", {"--json"});
    const QString quoted = ParseLine(j.out)["query"].toString();
    EXPECT_EQ(quoted, QString(40, QChar(u'年')) + QChar(u'…'));
    EXPECT_NE(j.err.find(kanji.substr(0, 120) + "…」: 行が長すぎます"), std::string::npos)
        << j.err.substr(0, 300);
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

    // The Southern line dated 元中 to the reunion, past the year its era file gives.
    const Outcome s = RunCli({"--line", "s", "元中8", "元中9", "元中10"});
    EXPECT_EQ(s.out, "1391\n1392\n\n");
    EXPECT_NE(s.err.find("「元中10」: 元中は9年までです"), std::string::npos) << s.err;

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
    EXPECT_EQ(a["line"].toString(), "n");
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
    const std::string copy =
        testsupport::CopyCli(dir.Path(), {"Yomari.dan", "Yomari.das", "Yomari.dad", "Yomari.dae"});
    const std::string in = "1700-05-05\n1600-10-21\n2019-05-01\n";
    const Outcome m = RunCli({}, &in, copy);
    EXPECT_EQ(m.status, 0) << m.err;
    EXPECT_EQ(Lines(m.out).size(), 3u);
    EXPECT_EQ(Lines(m.out)[2], "令和元年5月1日");
    EXPECT_NE(m.out.find("元禄13年 ※"), std::string::npos) << m.out;
    const size_t named = m.err.find("Yomari.dal");
    EXPECT_NE(named, std::string::npos) << m.err;
    EXPECT_EQ(m.err.find("Yomari.dal", named + 1), std::string::npos) << m.err;

    // JDN n is its own kind of query, whether answered by the day or, without
    // the lunisolar data, by the year as a Western date of those days is.
    const struct {
        std::string program;
        const char* query;
        const char* answer;
        bool exact;
    } jdns[] = {
        {copy, "JDN 2000000", "天平宝字7年 ※1873年より前は年のみの対応です", false},
        {copy, "JDN 2451545", "平成12年1月1日", true},
        {std::string(YOMARI_BIN_DIR) + "/yomari-cli", "JDN 2000000", "天平宝字7年8月3日", true},
    };
    for (const auto& row : jdns) {
        const Outcome r = RunCli({"--json", row.query}, nullptr, row.program);
        EXPECT_EQ(r.status, 0) << row.query << r.err;
        const QJsonObject o = ParseLine(r.out);
        EXPECT_EQ(o["type"].toString(), "jdn") << r.out;
        EXPECT_TRUE(o["answer"].toString().startsWith(QString::fromUtf8(row.answer))) << r.out;
        EXPECT_EQ(o["exact"].toBool(), row.exact) << r.out;
    }
    // Without the lunisolar data days begin on 1873-01-01, written so.
    EXPECT_NE(RunCli({"JDN 1000000"}, nullptr, copy).err.find("日付は1873-01-01から"), std::string::npos);
}

// Every input is read as a plain query is: the era names of both court lines,
// the chosen calendar for old Western days, and the same refusals.
TEST(Cli, OptionsReadDatesAsQueriesDo)
{
    const struct {
        std::vector<std::string> args;
        int status;
        const char* said; // the second line of standard output, or in standard error
    } rows[] = {
        {{"--table", "正平5年1月1日"}, 0, "1350年\t貞和6年/観応元年\t"},
        {{"--line", "s", "--table", "暦応3年1月1日"}, 0, "1340年\t延元5年/興国元年\t"},
        {{"--table", "正平5"}, 2, "正平は南朝の元号です"},
        {{"--age", "正平5年1月1日"}, 1, "1873年より前の和暦の日付では満年齢を出せません"},
        {{"--age", "2000-01-01", "--on", "正平5年1月1日"}, 1, "1873年より前の和暦の日付では"},
        {{"--school", "正平5年1月1日"}, 1, "1873年より前の生年月日には対応していません"},
        {{"--line", "s", "--school", "暦応3年1月1日"}, 1, "1873年より前の生年月日には対応していません"},
        {{"--school", "9975-01-01"}, 1, "「9975-01-01」: 学歴を求められる生年は1873年から9974年までです\n"},
        {{"--age", "明治6年1月1日", "--on", "1874-01-01"}, 0, "満1歳"}, // the first day by era
        {{"--table", "9999-02-30"}, 2, "9999年2月30日はありません"},    // the last year's days are checked
        {{"--age", "1582-10-10"}, 1, "ユリウス暦1582年10月4日の翌日"},
        {{"--calendar", "gregorian", "--age", "1582-10-10", "--on", "1583-10-10"}, 0, "満1歳"},
        {{"--age", "JDN 2451545", "--on", "2026-01-01"}, 0, "満26歳"},
    };
    for (const auto& row : rows) {
        const Outcome r = RunCli(row.args);
        std::string what;
        for (const auto& a : row.args)
            what += a + " ";
        EXPECT_EQ(r.status, row.status) << what << r.err;
        const auto lines = Lines(r.out);
        const std::string shown = row.status != 0 ? r.err : lines.size() > 1 ? lines[1] : r.out;
        EXPECT_NE(shown.find(row.said), std::string::npos) << what << ": " << shown;
    }
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
