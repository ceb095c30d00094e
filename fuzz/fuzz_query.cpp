// The date and day readers, all the way to yomari-cli's answers, as it asks
// them: the day reader first, the year-level reader when that names no single
// day. The same input gives the same output, every exact answer reads back to
// what was asked, and the JSON is valid UTF-8 that parses.
#include "cli/JsonOutput.h"
#include "engine/DateQuery.h"
#include "engine/DayQuery.h"
#include "engine/TextDecoding.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

using namespace yomari;

namespace {

const DayEngine& Engine(int32_t line)
{
    static const auto load = [](int32_t l) {
        EngineEnvironment env;
        env.folder = YOMARI_FUZZ_DATA_DIR;
        env.baseName = "Yomari";
        env.currentYear = [] { return 2026; };
        return DayEngine::Load(env, l);
    };
    static const std::unique_ptr<DayEngine> north = load(0);
    static const std::unique_ptr<DayEngine> south = load(1);
    return line == 0 ? *north : *south;
}

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

struct Result {
    std::string text; // the answer line, or "refused: " and the reason
    std::string json;
    std::optional<DayAnswer> day;
    std::optional<DateAnswer> year;
};

Result Run(const DayEngine& engine, std::string_view query)
{
    Result r;
    try {
        // The one entry point of yomari-cli's --json and the date window.
        const QueryAnswer a = AnswerQuery(engine, query);
        if (a.day) {
            r.day = *a.day;
            r.text = r.day->text;
            AppendDayAnswerJson(query, *r.day, "n", r.json);
            return r;
        }
        r.year = *a.year;
        AppendAnswerText(*r.year, r.text);
        AppendAnswerJson(query, *r.year, "n", r.json);
    } catch (const DateError& e) {
        r = Result{};
        r.text = std::string("refused: ") + e.what();
        AppendErrorJson(query, e.what(), r.json);
    }
    return r;
}

void CheckDayRoundTrip(const DayEngine& engine, const DayAnswer& a)
{
    // The other calendar's form of the day names the same day.
    const std::string other = a.fromEra ? FormatCivilDate(a.western) : a.era ? a.era->text : std::string();
    if (other.empty())
        return;
    const auto back = AnswerDay(engine, other);
    Check(back && back->jdn == a.jdn);
}

// A month answered by its days: each era's first and last day in it are
// days of that era year.
void CheckMonthDays(const DayEngine& engine, const DateAnswer& a)
{
    for (const auto& share : a.eras)
        for (const auto& day : {share.from, share.to}) {
            const auto back = AnswerDay(engine, FormatCivilDate(*day));
            Check(back && back->era && back->era->name == share.eraYear.era &&
                  back->era->year == share.eraYear.year);
        }
}

void CheckYearRoundTrip(const EraCalendar& cal, const DateAnswer& a, const std::string& text)
{
    using K = ParsedQuery::Kind;
    const ParsedQuery& q = a.query;
    const auto reread = [&](const std::string& t) { return AnswerDateQuery(cal, ParseDateQuery(cal, t)); };
    switch (q.kind) {
    case K::WesternDate:
    case K::EraDate: Check(reread(text).western == a.western); break;
    case K::WesternYear:
    case K::WesternMonth:
        // Every era year (or month) answered lies in the asked year.
        for (const auto& share : a.eras) {
            std::string era = FormatEraYear(share.eraYear);
            if (q.kind == K::WesternMonth)
                era += std::to_string(q.month) + "月";
            Check(reread(era).westernYear == q.year);
        }
        break;
    case K::EraYear:
    case K::EraMonth: {
        // The Western year (or month) answered holds the asked era year.
        bool found = false;
        for (const auto& share : reread(text).eras)
            found = found || (share.eraYear.era == cal.Table().Gengo[q.era] && share.eraYear.year == q.year);
        Check(found);
        break;
    }
    case K::Jdn: break; // answered as a Western day or year
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view query(reinterpret_cast<const char*>(data), size);
    for (const int32_t line : {0, 1}) {
        const DayEngine& engine = Engine(line);
        const Result first = Run(engine, query);
        const Result again = Run(engine, query);
        Check(first.text == again.text && first.json == again.json);
        Check(IsValidUtf8(first.json) && IsValidUtf8(first.text));
        QJsonParseError error{};
        const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(first.json), &error);
        Check(error.error == QJsonParseError::NoError && doc.isObject());
        // Qt's reader drops a byte order mark at the start of a string, but
        // only where no escape follows: compare without them.
        const auto withoutBom = [](std::string t) {
            for (size_t at; (at = t.find("\xEF\xBB\xBF")) != std::string::npos;)
                t.erase(at, 3);
            return t;
        };
        Check(withoutBom(doc.object().value("query").toString().toStdString()) ==
              withoutBom(ToValidUtf8(query)));
        if (first.day)
            CheckDayRoundTrip(engine, *first.day);
        else if (first.year && !first.year->firstDay.empty())
            CheckMonthDays(engine, *first.year);
        else if (first.year && first.year->exact)
            CheckYearRoundTrip(engine.Eras(), *first.year, first.text);
    }
    return 0;
}
