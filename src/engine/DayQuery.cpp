#include "engine/DayQuery.h"

#include "engine/DateQuery.h"
#include "engine/NumberText.h"
#include "engine/TextDecoding.h"

#include <algorithm>

#include <charconv>

namespace yomari {
namespace {

// ---- text ------------------------------------------------------------------------

// UTF-8 to code points; malformed bytes become U+FFFD.
std::u32string Decode(std::string_view s)
{
    std::u32string out;
    for (size_t i = 0; i < s.size();) {
        const Utf8Char c = DecodeUtf8(s, i);
        out += c.code;
        i += c.length;
    }
    return out;
}

// Old forms of kanji found in era names, and their forms in the era files.
char32_t FoldKanji(char32_t c)
{
    switch (c) {
    case U'應': return U'応';
    case U'德': return U'徳';
    case U'寬': return U'寛';
    case U'曆': return U'暦';
    case U'龜': return U'亀';
    case U'寶': return U'宝';
    case U'壽': return U'寿';
    case U'靈': return U'霊';
    case U'萬': return U'万';
    case U'祿': return U'禄';
    case U'國': return U'国';
    case U'觀': return U'観';
    case U'齊': return U'斉';
    case U'榮': return U'栄';
    case U'與': return U'与';
    case U'聖': return U'聖';
    case U'眞': return U'真';
    case U'雉': return U'雉';
    case U'廣': return U'広';
    case U'禮': return U'礼';
    case U'慶': return U'慶';
    default: return c;
    }
}

// The date readers' one spelling (blanks between numerals kept as one ' '),
// with old kanji as the era files have them.
std::u32string Fold(std::string_view normalized)
{
    std::u32string out = Decode(normalized);
    for (char32_t& c : out)
        c = FoldKanji(c);
    return out;
}

[[noreturn]] void Unreadable(std::string_view text)
{
    throw DateError("「" + ShowableText(text) + "」は日付として読めません");
}

constexpr int32_t kLastDay = -1; // 晦日: the month's last day

class Reader {
public:
    explicit Reader(std::u32string s)
        : m_s(std::move(s))
    {
    }
    bool AtEnd() const { return m_pos >= m_s.size(); }
    char32_t Peek() const { return AtEnd() ? 0 : m_s[m_pos]; }
    std::u32string_view Rest() const { return std::u32string_view(m_s).substr(m_pos); }
    void Advance(size_t n) { m_pos += n; }
    bool Take(std::u32string_view word)
    {
        if (Rest().substr(0, word.size()) != word)
            return false;
        m_pos += word.size();
        return true;
    }
    bool AtNumber() const { return NumberText::IsNumeral(Peek()); }
    // A number in digits or kanji numerals (NumberText's reading); dates
    // need no more than five digits.
    std::optional<int32_t> Number()
    {
        std::string utf8;
        for (const char32_t c : Rest().substr(0, 32))
            AppendUtf8(c, utf8);
        const NumberText::WholeNumber n = NumberText::ReadWholeNumber(utf8);
        if (n.length == 0)
            return std::nullopt;
        if (!n.value || *n.value > 99999)
            throw DateError("数が大きすぎます");
        for (size_t i = 0; i < n.length; ++i)
            m_pos += (static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80 ? 1 : 0;
        return *n.value;
    }

private:
    std::u32string m_s;
    size_t m_pos = 0;
};

struct Query {
    bool era = false; // else Western
    bool jdn = false;
    int32_t line = 0; // the line whose era table `eraIndex` is of
    int32_t eraIndex = 0;
    int64_t year = 0;
    int32_t month = 0;
    bool leap = false;
    int32_t day = 0;
    std::string reading;  // an era given by its reading, shared by the eras of it
    int32_t weekday = -1; // asked after the date, 0 Sunday .. 6 Saturday
};

// After the year: "年" then month and day, or a separator form ".M.D".
// False when the text is a year alone.
bool ReadMonthDay(Reader& r, Query& q, std::string_view text)
{
    if (r.AtEnd())
        return false;
    const char32_t sep = r.Peek();
    if (sep == '-' || sep == '/' || sep == '.' || sep == ' ') {
        r.Advance(1);
        const auto m = r.Number();
        // H31.4: a month, for the year-level reader.
        if (m && r.AtEnd() && q.era)
            return false;
        if (!m || !r.Take(std::u32string_view(&sep, 1)))
            Unreadable(text);
        const auto d = r.Number();
        if (!d || !r.AtEnd())
            Unreadable(text);
        q.month = *m;
        q.day = *d;
        return true;
    }
    if (!r.Take(U"年"))
        Unreadable(text);
    if (r.AtEnd())
        return false;
    if (r.Take(U"元日")) {
        q.month = 1;
        q.day = 1;
        if (!r.AtEnd())
            Unreadable(text);
        return true;
    }
    q.leap = r.Take(U"閏") || r.Take(U"うるう");
    static constexpr std::u32string_view kMonthNames[] = {U"睦月", U"如月",   U"弥生", U"卯月",
                                                          U"皐月", U"水無月", U"文月", U"葉月",
                                                          U"長月", U"神無月", U"霜月", U"師走"};
    for (int k = 0; k < 12 && q.month == 0; ++k)
        if (r.Take(kMonthNames[k]))
            q.month = k + 1;
    if (q.month == 0) {
        const auto m = r.Number();
        if (!m || !r.Take(U"月"))
            Unreadable(text);
        q.month = *m;
    }
    // 2019年4月: a month, for the year-level reader.
    if (r.AtEnd() && !q.leap)
        return false;
    if (q.month == 1 && !q.leap && r.Take(U"元日")) {
        q.day = 1;
    } else if (r.Take(U"朔日") || r.Take(U"朔")) {
        q.day = 1;
    } else if (r.Take(U"晦日") || r.Take(U"晦")) {
        q.day = kLastDay;
    } else {
        const auto d = r.Number();
        if (!d)
            Unreadable(text);
        q.day = *d;
        r.Take(U"日");
    }
    if (!r.AtEnd())
        Unreadable(text);
    return true;
}

bool IsHiragana(char32_t c)
{
    return c >= 0x3041 && c <= 0x309F;
}

// The era a text begins with, in the chosen line's table or else the other's:
// the longest name, a reading, or a modern era's short form.
bool ReadEra(const DayEngine& engine, Reader& r, Query& q, std::string_view text)
{
    const std::u32string_view rest = r.Rest();
    for (int32_t pass = 0; pass < 2; ++pass) {
        const int32_t line = pass == 0 ? engine.Line() : 1 - engine.Line();
        const DayCalendar* cal = engine.Calendar(line);
        if (!cal)
            continue;
        const EraTable& t = cal->Eras().Table();
        size_t best = 0;
        for (int32_t i = 1; i <= t.NumberOfGengo; ++i) {
            const std::u32string name = Decode(t.Gengo[i]);
            if (name.size() > best && rest.substr(0, name.size()) == name) {
                best = name.size();
                q.eraIndex = i;
            }
        }
        if (best > 0) {
            q.line = line;
            r.Advance(best);
            return true;
        }
    }
    size_t kana = 0;
    while (kana < rest.size() && IsHiragana(rest[kana]))
        ++kana;
    const EraCalendar& eras = engine.Eras();
    q.line = engine.Line();
    if (kana > 0) {
        std::string reading;
        for (char32_t c : rest.substr(0, kana)) {
            reading += static_cast<char>(0xE0 | (c >> 12));
            reading += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            reading += static_cast<char>(0x80 | (c & 0x3F));
        }
        const std::vector<int32_t> found = eras.FindErasByReading(reading);
        if (found.empty())
            throw DateError("「" + reading + "」と読む元号はありません");
        r.Advance(kana);
        // A shared reading goes to the newest era that had the year; decided
        // once the year is read.
        q.reading = std::move(reading);
        q.eraIndex = found.front();
        return true;
    }
    const char* name = nullptr;
    switch (r.Peek()) {
    case 'M':
    case 'm': name = "明治"; break;
    case 'T':
    case 't': name = "大正"; break;
    case 'S':
    case 's': name = "昭和"; break;
    case 'H':
    case 'h': name = "平成"; break;
    case 'R':
    case 'r': name = "令和"; break;
    case U'明': name = "明治"; break;
    case U'大': name = "大正"; break;
    case U'昭': name = "昭和"; break;
    case U'平': name = "平成"; break;
    case U'令': name = "令和"; break;
    default: break;
    }
    if (name && eras.FindEra(name) != 0) {
        q.eraIndex = eras.FindEra(name);
        r.Advance(1);
        return true;
    }
    Unreadable(text);
}

// Nothing when the text is a year alone.
std::optional<Query> Parse(const DayEngine& engine, std::string_view text)
{
    const std::string normalized = NormalizeQuery(text);
    std::string_view rest = normalized;
    Query q;
    q.weekday = TakeWeekday(rest);
    Reader r(Fold(rest));
    if (r.AtEnd())
        throw DateError("入力が空です");
    if (r.Rest().size() == 8 &&
        std::all_of(r.Rest().begin(), r.Rest().end(), [](char32_t c) { return c >= '0' && c <= '9'; })) {
        // Basic ISO 8601, the commonest date of exported files: YYYYMMDD.
        int32_t v = 0;
        for (const char32_t c : r.Rest())
            v = v * 10 + static_cast<int32_t>(c - '0');
        q.year = v / 10000;
        q.month = v / 100 % 100;
        q.day = v % 100;
        return q;
    }
    if (r.Take(U"JDN") || r.Take(U"JD") || r.Take(U"jdn") || r.Take(U"jd")) {
        int64_t v = 0;
        for (bool any = false;; any = true) {
            const char32_t c = r.Peek();
            if (c < '0' || c > '9') {
                if (!any || !r.AtEnd())
                    Unreadable(text);
                break;
            }
            v = v * 10 + (c - '0');
            if (v > DayCalendar::kLastJdn)
                throw DateError("ユリウス通日は" + std::to_string(DayCalendar::kLastJdn) + "までです");
            r.Advance(1);
        }
        q.jdn = true;
        q.year = v;
        return q;
    }
    if (r.AtNumber()) {
        const auto y = r.Number();
        q.year = *y;
        if (!ReadMonthDay(r, q, text))
            return std::nullopt;
        return q;
    }
    q.era = true;
    ReadEra(engine, r, q, text);
    if (r.Take(U"元"))
        q.year = 1;
    else if (const auto y = r.Number())
        q.year = *y;
    else
        Unreadable(text);
    if (!ReadMonthDay(r, q, text))
        return std::nullopt;
    if (!q.reading.empty()) {
        const EraCalendar& eras = engine.Eras();
        for (int32_t e : eras.FindErasByReading(q.reading)) {
            if (q.year >= 1 && q.year <= eras.Table().GengoLastYear[e]) {
                q.eraIndex = e;
                break;
            }
        }
    }
    return q;
}

// ---- answers ---------------------------------------------------------------------

EraDateView View(const EraCalendar& eras, const EraDay& d)
{
    EraDateView v;
    v.name = eras.Table().Gengo[d.era];
    v.reading = eras.Table().GengoKana[d.era];
    v.year = d.year;
    v.month = d.month;
    v.leap = d.leap;
    v.day = d.day;
    v.text = FormatEraDay(eras, d);
    return v;
}

std::string MonthDayText(int32_t month, bool leap, int32_t day)
{
    return std::string(leap ? "閏" : "") + std::to_string(month) + "月" + std::to_string(day) + "日";
}

bool SameDate(const EraDateView& a, const EraDateView& b)
{
    return a.text == b.text;
}

// The Western day of a date in the chosen calendar; throws for days that do
// not exist there.
int64_t WesternJdn(const Query& q, const DayOptions& o)
{
    const CivilDate d{static_cast<int32_t>(q.year), q.month, q.day};
    const std::string asked =
        std::to_string(q.year) + "年" + std::to_string(q.month) + "月" + std::to_string(q.day) + "日";
    if (q.year < 1 || q.year > kLastExactYear)
        throw DateError("日付の年は1から" + std::to_string(kLastExactYear) + "までです");
    if (q.month < 1 || q.month > 12)
        throw DateError(asked + "はありません（月は1から12まで）");
    const bool julian = !o.prolepticGregorian && d < CivilDate{1582, 10, 15};
    if (julian) {
        if (!IsValidJulianDate(d))
            throw DateError(
                asked + "はありません（ユリウス暦の" + std::to_string(q.month) + "月は" +
                std::to_string(q.month == 2 ? (q.year % 4 == 0 ? 29 : 28) : DaysInMonth(2001, q.month)) +
                "日まで）");
        if (d > CivilDate{1582, 10, 4})
            throw DateError(asked +
                            "はありません（ユリウス暦1582年10月4日の翌日がグレゴリオ暦1582年10月15日）");
        return JdnOfJulian(d);
    }
    if (!IsValidCivilDate(d))
        throw DateError(asked + "はありません（" + std::to_string(q.month) + "月は" +
                        std::to_string(DaysInMonth(d.year, d.month)) + "日まで）");
    return JdnOfGregorian(d);
}

} // namespace

std::string FormatEraDay(const EraCalendar& eras, const EraDay& d)
{
    return FormatEraYear(eras.Ref(d.era, d.year)) + MonthDayText(d.month, d.leap, d.day);
}

std::optional<DayAnswer> AnswerDay(const DayEngine& engine, std::string_view text, const DayOptions& options)
{
    const std::optional<Query> q = Parse(engine, text);
    if (!q)
        return std::nullopt;
    const DayCalendar& cal = engine.Calendar();
    DayAnswer a;
    a.fromEra = q->era;
    std::vector<std::string> notes;
    if (q->jdn) {
        a.jdn = q->year;
    } else if (!q->era) {
        a.jdn = WesternJdn(*q, options);
    } else {
        const DayCalendar& by = *engine.Calendar(q->line);
        int32_t day = q->day;
        if (day == kLastDay) {
            // 晦日: the month's last day, lunisolar or Gregorian.
            const int32_t first = by.FirstLunisolarYear(q->eraIndex);
            const int64_t ly = int64_t{first} + q->year - 1;
            if (first != 0 && ly <= 1872)
                day = by.Months()->DaysOf(static_cast<int32_t>(ly), q->month, q->leap);
            else
                day = DaysInMonth(by.Eras().WesternYearOf(q->eraIndex, static_cast<int32_t>(q->year)),
                                  q->month);
            if (day == 0)
                day = 30; // let the checks below name what exists
        }
        if (q->year > 2147483647)
            throw DateError("数が大きすぎます");
        const auto found = by.DayOf(q->eraIndex, static_cast<int32_t>(q->year), q->month, q->leap, day);
        if (!found)
            return std::nullopt;
        a.jdn = found->jdn;
        const std::string eraName = by.Eras().Table().Gengo[q->eraIndex];
        if (q->line != engine.Line())
            notes.push_back(eraName + "は" + (q->line == 0 ? "北朝" : "南朝") + "の元号です");
        if (found->inUse) {
            const std::string asked =
                FormatEraYear(by.Eras().Ref(q->eraIndex, static_cast<int32_t>(q->year))) +
                MonthDayText(q->month, q->leap, day);
            notes.push_back(found->inUse->era == 0
                                ? asked + "の日、" + eraName + "はまだ使われておらず元号はありません"
                                : asked + "の日に使われていた元号は" +
                                      FormatEraDay(by.Eras(), *found->inUse));
        }
    }
    if (a.jdn < cal.FirstJdn() || a.jdn > DayCalendar::kLastJdn) {
        if (!cal.HasLunisolar() && a.jdn < kFirstGregorianJdn && !q->jdn &&
            a.jdn >= JdnOfJulian({645, 7, 17}))
            return std::nullopt;
        cal.Facts(a.jdn); // throws the reason
    }
    const DayFacts f = cal.Facts(a.jdn);
    const EraCalendar& eras = cal.Eras();
    a.julian = JulianOfJdn(a.jdn);
    a.gregorian = GregorianOfJdn(a.jdn);
    a.western = !options.prolepticGregorian && a.jdn < kFirstJulianReformJdn ? a.julian : a.gregorian;
    a.dayKanshi = KanshiOfDay(a.jdn);
    a.lunisolar = f.lunisolar;
    a.yearKanshi = KanshiOfYear(f.lunisolar ? f.lunisolar->year : a.gregorian.year);
    if (f.lunisolar)
        a.lunisolarText = std::to_string(f.lunisolar->year) + "年（" + a.yearKanshi.kanji + "）" +
                          MonthDayText(f.lunisolar->month, f.lunisolar->leap, f.lunisolar->day);
    if (f.date.era != 0)
        a.era = View(eras, f.date);
    if (f.also)
        a.also = View(eras, *f.also);
    if (f.eraBefore)
        a.eraBefore = eras.Table().Gengo[f.eraBefore];
    if (f.eraAfter)
        a.eraAfter = eras.Table().Gengo[f.eraAfter];
    if (const DayCalendar* other = engine.Calendar(1 - engine.Line())) {
        try {
            const DayFacts g = other->Facts(a.jdn);
            if (g.date.era != 0) {
                EraDateView v = View(other->Eras(), g.date);
                if (!a.era || !SameDate(*a.era, v)) {
                    a.otherLine = std::move(v);
                    a.otherLineName = engine.Line() == 0 ? "南朝" : "北朝";
                }
            }
        } catch (const DateError&) {
            // The other line without lunisolar data: no date to add.
        }
    }
    a.notes = std::move(notes);
    // The one-line answer.
    if (a.fromEra) {
        a.text = FormatCivilDate(a.western);
    } else if (a.era) {
        a.text = a.era->text;
        if (a.also)
            a.text += "（" + a.also->text + "とも）";
    } else {
        a.text = "元号なし " + a.lunisolarText;
        if (!a.eraBefore.empty() || !a.eraAfter.empty())
            a.text += "（" + (a.eraBefore.empty() ? std::string() : a.eraBefore + "の後") +
                      (a.eraBefore.empty() || a.eraAfter.empty() ? "" : "・") +
                      (a.eraAfter.empty() ? std::string() : a.eraAfter + "の前") + "）";
        if (a.also)
            a.text += "（" + a.also->text + "とも）";
    }
    for (const std::string& n : a.notes)
        a.text += " ※" + n;
    if (q->weekday >= 0)
        CheckWeekday(q->weekday, a.gregorian, FormatCivilDate(a.western));
    return a;
}

} // namespace yomari
