// yomari-cli: converts dates and years between the era calendar and the
// Western calendar, from arguments or one query per line of standard input.
#include "cli/Platform.h"
#include "engine/AgeTable.h"
#include "engine/DateQuery.h"
#include "engine/DayQuery.h"
#include "engine/EngineEnvironment.h"
#include "engine/EraDates.h"
#include "cli/JsonOutput.h"
#include "engine/SchoolTable.h"
#include "engine/TextDecoding.h"
#include "engine/YomariError.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

using namespace yomari;

namespace {

constexpr const char* kProgram = "yomari-cli";
// A line longer than this is no date; it is refused without being kept, so
// that memory stays the same whatever the input.
constexpr size_t kMaxLine = 4096;

constexpr const char* kHelp =
    R"(使い方: yomari-cli [--line n|s] [--calendar julian|gregorian] [--json] [--] [問い合わせ ...]
        yomari-cli [--line n|s] [--json] --age 生年月日 [--on 日付]
        yomari-cli [--line n|s] [--json] --table [年]
        yomari-cli [--line n|s] [--json] --school 生年月日

問い合わせを引数で渡すか、引数がなければ標準入力から1行に1件ずつ読み、
それぞれをもう一方の暦に直して1行で答えます。標準入力の1行には、読んだ
そばから答えます。

書き方の例:
  2019-04-30  2019/4/30  2019年4月30日       西暦の日付 → 平成31年4月30日
  20190430  2019 4 30                         8桁の数字も、空白で区切った日付も
  平成31年4月30日  令和元年5月1日            和暦の日付 → 2019-04-30
  平成31年4月30日(火)  2019-04-30 火曜日      曜日つき (違っていればそう答えます)
  平成３１年４月３０日  平成三十一年四月三十日  全角数字・漢数字も読みます
  H31.04.30  平31.04.30                       JIS X 0301 の形 (M T S H R)
  2019年4月 → 平成31年4月   平成31年4月  H31.4 → 2019年4月    年と月
  昭和50  昭和50年  S50  平成元年  しょうわ50  元号の年 → 1975
  1989                                        西暦の年 → 平成元年 (1月8日–12月31日)、昭和64年 (1月1日–1月7日)

大化元年6月19日(645-07-17)からの毎日に答えます。1873年1月1日(明治6年1月1日)
より前の和暦の月日は旧暦です:
  1582-06-21  天正10年6月2日  天正十年六月二日  慶応4年閏4月1日  元仁元年閏七月朔日
  元日 朔日 晦日、睦月…師走、廿・卅、慶應・德 などの旧字体も読みます
1582-10-15 より前の西暦はユリウス暦です (--calendar gregorian で先発グレゴリオ暦)。

オプション:
  --line n|s      南北朝の元号の系統 (n 北朝, s 南朝; 既定は n)
  --calendar julian|gregorian
                  1582-10-15 より前の西暦の暦 (既定は julian)
  --age 生年月日  満年齢と数え年を答えます
  --on 日付       --age の基準日 (既定は今日)
  --json          1件ごとに JSON オブジェクトを1行で出します (JSON Lines;
                  --table と --school では1行ごとに見出しをキーにして)
  --table [年]    年齢早見表 (0歳から120歳、干支・数え年・厄年・長寿祝い) を
                  タブ区切りで出します (年は既定で今年; 1975 も 昭和50 も可)
  --school 生年月日
                  幼稚園から大学院までの入学・卒業の年月を西暦と和暦で
                  タブ区切りで出します
  -h, --help      この説明
  --version       版を表示します
  --              これより後はすべて問い合わせ (- で始まる問い合わせに)

終了コード: 0 すべて答えた / 1 読めない・存在しない問い合わせがあった
(その理由は標準エラーに出し、ほかの問い合わせには答えます) / 2 使い方や
データファイルの誤り
)";

[[noreturn]] void UsageError(const std::string& message)
{
    std::fprintf(stderr, "%s: %s\n%s --help で使い方を表示します。\n", kProgram,
                 ShowableText(message).c_str(), kProgram);
    std::exit(2);
}

class Output {
public:
    std::string& Buffer() { return m_buf; }
    void MaybeFlush()
    {
        if (m_buf.size() >= 1 << 16)
            Flush();
    }
    void Flush()
    {
        if (!m_buf.empty() && std::fwrite(m_buf.data(), 1, m_buf.size(), stdout) != m_buf.size())
            Fail();
        m_buf.clear();
        if (std::fflush(stdout) != 0)
            Fail();
    }

private:
    [[noreturn]] static void Fail()
    {
        std::fprintf(stderr, "%s: 標準出力に書き込めません: %s\n", kProgram, std::strerror(errno));
        std::exit(2);
    }
    std::string m_buf;
};

// Help and version go out like answers: a failed write is said, not lost.
[[noreturn]] void PrintAndExit(const std::string& text)
{
    Output out;
    out.Buffer() = text;
    out.Flush();
    std::exit(0);
}

struct Options {
    int32_t line = 0;
    bool json = false;
    DayOptions calendar;
    std::optional<std::string> age;
    std::optional<std::string> on;
    bool table = false;
    std::optional<std::string> tableYear;
    std::optional<std::string> school;
    std::vector<std::string> queries;
};

Options ParseArguments(int argc, char** argv)
{
    Options o;
    bool optionsEnd = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        const auto value = [&](std::string_view name) -> std::string {
            if (i + 1 >= argc)
                UsageError(std::string(name) + " のあとに値がありません");
            return argv[++i];
        };
        if (optionsEnd || a.size() < 2 || a[0] != '-') {
            o.queries.emplace_back(a);
        } else if (a == "--") {
            optionsEnd = true;
        } else if (a == "--help" || a == "-h") {
            PrintAndExit(kHelp);
        } else if (a == "--version") {
            PrintAndExit(std::string(kProgram) + " " + YOMARI_VERSION + "\n");
        } else if (a == "--json") {
            o.json = true;
        } else if (a == "--line") {
            const std::string v = value(a);
            if (v == "n")
                o.line = 0;
            else if (v == "s")
                o.line = 1;
            else
                UsageError("--line は n (北朝) か s (南朝) です: " + v);
        } else if (a == "--calendar") {
            const std::string v = value(a);
            if (v == "julian")
                o.calendar.prolepticGregorian = false;
            else if (v == "gregorian")
                o.calendar.prolepticGregorian = true;
            else
                UsageError("--calendar は julian か gregorian です: " + v);
        } else if (a == "--age") {
            o.age = value(a);
        } else if (a == "--on") {
            o.on = value(a);
        } else if (a == "--table") {
            o.table = true;
            // The year is optional: the next argument when it is no option.
            if (i + 1 < argc && argv[i + 1][0] != '-')
                o.tableYear = argv[++i];
        } else if (a == "--school") {
            o.school = value(a);
        } else {
            UsageError("知らないオプションです: " + std::string(a) +
                       "（- で始まる問い合わせは -- のあとに書きます）");
        }
    }
    if (o.on && !o.age)
        UsageError("--on は --age と一緒に使います");
    if (o.age && !o.queries.empty())
        UsageError("--age のときはほかの問い合わせを渡せません");
    if ((o.table || o.school) && (o.age || !o.queries.empty() || (o.table && o.school)))
        UsageError("--table と --school はほかの問い合わせやオプション (--line と --json を除く) "
                   "と一緒に使えません");
    return o;
}

// Queries are quoted safe to show: piped garbage must not drive the terminal.
void ReportInvalid(std::string_view query, std::string_view reason)
{
    std::fprintf(stderr, "%s: 「%s」: %s\n", kProgram, ShowableText(query).c_str(),
                 ShowableText(reason).c_str());
}

// Says once why days before 1873 are answered by the year only.
void ReportLunisolarError(const DayEngine& days)
{
    static bool told = false;
    const std::string error = days.LunisolarError();
    if (!told && !error.empty()) {
        told = true;
        std::fprintf(stderr, "%s: %s\n1873年より前の日付は年だけで答えます。\n", kProgram, error.c_str());
    }
}

// Answers one query into out; false when it was refused.
bool AnswerOne(const DayEngine& days, const Options& o, std::string_view query, std::string& out)
{
    const char* line = o.line == 0 ? "n" : "s";
    try {
        const QueryAnswer a =
            AnswerQuery(days, query, o.calendar, o.json ? AnswerNeed::Everything : AnswerNeed::Text);
        if (a.day) {
            if (o.json)
                AppendDayAnswerJson(query, *a.day, line, out);
            else
                out += a.day->text;
        } else {
            // Not a Western day from 1873 on: a year, a month, or a day by the year.
            if (!a.year->exact || a.year->query.kind != ParsedQuery::Kind::WesternDate)
                ReportLunisolarError(days);
            if (o.json)
                AppendAnswerJson(query, *a.year, line, out);
            else
                AppendAnswerText(*a.year, out);
        }
        out += '\n';
        return true;
    } catch (const DateError& e) {
        ReportInvalid(query, e.what());
        if (o.json)
            AppendErrorJson(query, e.what(), out);
        out += '\n';
        return false;
    }
}

// The day a text names, read as every query is read (one grammar, the era
// names of both court lines, the chosen calendar for old Western dates).
// Refuses years and months, and days before 1873 where `before1873` says
// why (an era date only, unless `westernToo`).
CivilDate NamedDay(const DayEngine& days, const Options& o, std::string_view text, const char* notADay,
                   const char* before1873, bool westernToo)
{
    const ParsedQuery q = ReadQuery(days, text);
    using Kind = ParsedQuery::Kind;
    if (q.kind != Kind::WesternDate && q.kind != Kind::EraDate && q.kind != Kind::Jdn)
        throw DateError(notADay);
    const auto day = AnswerDay(days, q, o.calendar);
    // Nothing: a day before 1873 while the lunisolar data cannot be read.
    if (!day || (day->jdn < kFirstGregorianJdn && (westernToo || q.kind == Kind::EraDate)))
        throw DateError(before1873);
    return day->gregorian;
}

int RunAge(const DayEngine& days, const Options& o, CivilDate today, Output& out)
{
    const std::string& query = *o.age;
    std::string& buf = out.Buffer();
    const auto exactDay = [&](const std::string& text) {
        return NamedDay(days, o, text, "年だけでなく月日まで指定してください",
                        "1873年より前の和暦の日付では満年齢を出せません", false);
    };
    try {
        const CivilDate birth = exactDay(query);
        const CivilDate on = o.on ? exactDay(*o.on) : today;
        const int32_t age = AgeOn(birth, on);
        if (age < 0)
            throw DateError("基準日 " + FormatCivilDate(on) + " が生年月日より前です");
        const int32_t kazoe = KazoeAge(birth.year, on.year);
        const std::string text = "満" + std::to_string(age) + "歳（数え" + std::to_string(kazoe) + "歳）";
        if (o.json) {
            JsonObject(buf)
                .String("query", query)
                .String("type", "age")
                .String("birth", FormatCivilDate(birth))
                .String("on", FormatCivilDate(on))
                .Int("age", age)
                .Int("kazoe", kazoe)
                .String("answer", text)
                .End();
        } else {
            buf += text;
        }
        buf += '\n';
        out.Flush();
        return 0;
    } catch (const DateError& e) {
        ReportInvalid(o.on ? query + " --on " + *o.on : query, e.what());
        if (o.json) {
            AppendErrorJson(query, e.what(), buf);
            buf += '\n';
        }
        out.Flush();
        return 1;
    }
}

// The age table of a year, as the window shows it. Without readable 厄年・長寿
// data the table comes without those columns and the status says so.
int RunTable(const DayEngine& days, const Options& o, const EngineEnvironment& env, Output& out)
{
    const EraCalendar& cal = days.Eras();
    int32_t year = env.currentYear();
    if (o.tableYear) {
        // A Western year is taken as written, so that one out of range is
        // told so; anything else is answered as the same text on its own
        // line is (a day that never existed, or a year of the other court
        // line, refused), and its year taken.
        std::optional<int32_t> named;
        try {
            const ParsedQuery q = ReadQuery(days, *o.tableYear);
            const bool western = q.kind == ParsedQuery::Kind::WesternYear ||
                                 q.kind == ParsedQuery::Kind::WesternMonth ||
                                 q.kind == ParsedQuery::Kind::WesternDate;
            if (western) {
                named = q.year;
                if (q.kind != ParsedQuery::Kind::WesternYear && q.year >= kAgeTableFirstYear &&
                    q.year <= kAgeTableLastYear) {
                    ParsedQuery first = q; // a month's first day exists when the month does
                    if (first.day == 0)
                        first.day = 1;
                    WesternJdn(first, o.calendar);
                }
            } else {
                const QueryAnswer a = AnswerQuery(days, *o.tableYear, o.calendar, AnswerNeed::Text);
                named = a.day ? a.day->western.year : a.year->westernYear;
            }
        } catch (const DateError& e) {
            UsageError("--table の年として「" + *o.tableYear + "」を読めません: " + e.what());
        }
        if (*named < kAgeTableFirstYear || *named > kAgeTableLastYear)
            UsageError("--table の年は " + std::to_string(kAgeTableFirstYear) + " から " +
                       std::to_string(kAgeTableLastYear) + " までの年です: " + *o.tableYear);
        year = *named;
    }
    std::optional<Milestones> milestones;
    int status = 0;
    try {
        milestones = LoadMilestones(env);
    } catch (const YomariError& e) {
        std::fprintf(stderr, "%s: %s\n厄年と長寿祝いの列なしで出します。\n", kProgram,
                     e.Description().c_str());
        status = 2;
    }
    const TextTable table = AgeTableText(
        MakeAgeRows(cal, year, milestones ? &*milestones : nullptr, kProgram), milestones.has_value());
    if (o.json)
        AppendTableJson(table, out.Buffer());
    else
        out.Buffer() += ToTsv(table);
    out.Flush();
    return status;
}

int RunSchool(const DayEngine& days, const Options& o, Output& out)
{
    const EraCalendar& cal = days.Eras();
    std::optional<CivilDate> birth;
    try {
        birth = NamedDay(days, o, *o.school, "月日まで入れてください",
                         "1873年より前の生年月日には対応していません", true);
    } catch (const DateError& e) {
        const std::string reason = e.what();
        ReportInvalid(*o.school, reason);
        if (o.json) {
            AppendErrorJson(*o.school, reason, out.Buffer());
            out.Buffer() += '\n';
            out.Flush();
        }
        return 1;
    }
    try {
        const TextTable table = SchoolTableText(MakeSchoolStages(cal, *birth, kProgram));
        if (o.json)
            AppendTableJson(table, out.Buffer());
        else
            out.Buffer() += ToTsv(table);
    } catch (const YomariError& e) {
        ReportInvalid(*o.school, e.Description());
        return 1;
    }
    out.Flush();
    return 0;
}

// Only blanks (ASCII, ideographic U+3000, a byte order mark): an empty line.
bool IsBlankLine(std::string_view line)
{
    for (size_t i = 0; i < line.size();) {
        const Utf8Char c = DecodeUtf8(line, i);
        if (c.code != ' ' && c.code != '\t' && c.code != 0x3000 && c.code != 0xFEFF)
            return false;
        i += c.length;
    }
    return true;
}

int RunStream(const DayEngine& days, const Options& o, Output& out)
{
    bool allAnswered = true;
    std::vector<char> chunk(1 << 16);
    // One byte more than the limit: a CR before the LF does not count.
    std::string line;
    line.reserve(kMaxLine + 1);
    bool tooLong = false;
    const auto finishLine = [&] {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (tooLong || line.size() > kMaxLine) {
            // The message quotes the line's start, as far as a message shows.
            const std::string start = QuoteForMessage(ToValidUtf8(line));
            ReportInvalid(start, "行が長すぎます");
            if (o.json)
                AppendErrorJson(start, "行が長すぎます", out.Buffer());
            out.Buffer() += '\n';
            allAnswered = false;
        } else if (IsBlankLine(line)) {
            // Blank lines keep a piped column aligned; JSON Lines has none.
            if (!o.json)
                out.Buffer() += '\n';
        } else if (!AnswerOne(days, o, line, out.Buffer())) {
            allAnswered = false;
        }
        out.MaybeFlush();
        line.clear();
        tooLong = false;
    };
    for (;;) {
        // The next read may wait for input: whoever drives us line by line
        // gets every answer of what it has written before that.
        out.Flush();
        const long n = cli::ReadStandardInput(chunk.data(), chunk.size());
        if (n < 0) {
            std::fprintf(stderr, "%s: 標準入力を読めません: %s\n", kProgram, std::strerror(errno));
            return 2;
        }
        if (n == 0)
            break;
        const char* p = chunk.data();
        const char* end = p + n;
        while (p < end) {
            const char* nl = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
            const char* stop = nl ? nl : end;
            const size_t room = kMaxLine + 1 - std::min(kMaxLine + 1, line.size());
            const size_t len = static_cast<size_t>(stop - p);
            if (len > room)
                tooLong = true;
            line.append(p, std::min(len, room));
            if (!nl)
                break;
            finishLine();
            p = nl + 1;
        }
    }
    if (!line.empty() || tooLong)
        finishLine();
    out.Flush();
    return allAnswered ? 0 : 1;
}

} // namespace

int CliMain(int argc, char** argv)
{
    const Options o = ParseArguments(argc, argv);

    // The same data files, found in the same folders, as the program's.
    EngineEnvironment env = EngineEnvironment::ForProgram(cli::ExecutablePath());
    env.currentYear = [] { return cli::LocalToday().year; };
    // A user's file that gives way is named once, as the windows name it
    // (both court lines read the start-day file); the answers come from the
    // file used instead, so the exit status stays.
    env.fallbackNotice = [told = std::make_shared<std::set<std::string>>()](
                             const std::string& refused, const std::string& reason, const std::string& used) {
        if (!told->insert(refused).second)
            return;
        std::fprintf(stderr, "%s: データファイル %s を使えません。\n%s\n代わりに %s を使います。\n", kProgram,
                     refused.c_str(), reason.c_str(), used.c_str());
    };
    std::unique_ptr<DayEngine> days;
    try {
        days = DayEngine::Load(env, o.line);
    } catch (const YomariError& e) {
        std::fprintf(stderr, "%s: %s\n", kProgram, e.Description().c_str());
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: データファイルを読み込めません: %s\n", kProgram, e.what());
        return 2;
    }

    Output out;
    if (o.age)
        return RunAge(*days, o, cli::LocalToday(), out);
    if (o.table)
        return RunTable(*days, o, env, out);
    if (o.school)
        return RunSchool(*days, o, out);
    if (o.queries.empty())
        return RunStream(*days, o, out);
    bool allAnswered = true;
    for (const std::string& q : o.queries) {
        if (!AnswerOne(*days, o, q, out.Buffer()))
            allAnswered = false;
        out.MaybeFlush();
    }
    out.Flush();
    return allAnswered ? 0 : 1;
}
