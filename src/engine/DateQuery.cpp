#include "engine/DateQuery.h"

#include "engine/LunisolarCalendar.h"
#include "engine/LunisolarTable.h"
#include "engine/NumberText.h"
#include "engine/TextDecoding.h"

#include <algorithm>
#include <charconv>

namespace yomari {
namespace {

// ---- reading ------------------------------------------------------------------

bool IsSpace(char32_t c)
{
    // A byte order mark counts as blank: spreadsheets put one before the first line.
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == 0x3000 || c == 0xFEFF;
}

// Old forms of kanji found in era names, as the era files write them.
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
    case U'眞': return U'真';
    case U'廣': return U'広';
    case U'禮': return U'礼';
    default: return c;
    }
}

// Full-width letters, digits and signs become ASCII, dashes become '-', old
// kanji their era-file form, so that every later step sees one spelling. Blanks go, except that a run of
// blanks between two numerals stays as one ' ': "2019 04 30" is three
// numbers, never 20190430.
void Normalize(std::string_view text, std::string& out)
{
    out.clear();
    bool blank = false;
    char32_t last = 0;
    for (size_t i = 0; i < text.size();) {
        const Utf8Char u = DecodeUtf8(text, i);
        i += u.length;
        char32_t c = u.code;
        if (IsSpace(c)) {
            blank = !out.empty();
            continue;
        }
        if (c >= 0xFF01 && c <= 0xFF5E)
            c -= 0xFEE0;
        else if ((c >= 0x2010 && c <= 0x2015) || c == 0x2212)
            c = '-';
        else
            c = FoldKanji(c);
        if (blank && NumberText::IsNumeral(last) && NumberText::IsNumeral(c))
            out += ' ';
        blank = false;
        AppendUtf8(c, out);
        last = c;
    }
}

bool IsHiragana(char32_t c)
{
    return c >= 0x3041 && c <= 0x309F;
}

[[noreturn]] void Unreadable(std::string_view text)
{
    throw DateError("「" + ShowableText(text) + "」は日付・年として読めません");
}

constexpr const char* kWeekdays[] = {"日", "月", "火", "水", "木", "金", "土"};

bool TakeSuffix(std::string_view& s, std::string_view suffix)
{
    if (s.size() < suffix.size() || s.substr(s.size() - suffix.size()) != suffix)
        return false;
    s.remove_suffix(suffix.size());
    return true;
}

} // namespace

int32_t TakeWeekday(std::string_view& s)
{
    std::string_view v = s;
    const bool paren = TakeSuffix(v, ")");
    if (!TakeSuffix(v, "曜日") && !TakeSuffix(v, "曜") && !paren)
        return -1;
    for (int32_t w = 0; w < 7; ++w) {
        if (TakeSuffix(v, kWeekdays[w]) && (!paren || TakeSuffix(v, "("))) {
            s = v;
            return w;
        }
    }
    return -1;
}

namespace {

class Cursor {
public:
    explicit Cursor(std::string_view s)
        : m_s(s)
    {
    }

    bool AtEnd() const { return m_pos >= m_s.size(); }
    std::string_view Rest() const { return m_s.substr(m_pos); }
    void Advance(size_t n) { m_pos += n; }

    char32_t Peek(size_t* len = nullptr) const
    {
        if (AtEnd())
            return 0;
        const Utf8Char c = DecodeUtf8(m_s, m_pos);
        if (len)
            *len = c.length;
        return c.code;
    }

    bool Take(std::string_view word)
    {
        if (Rest().substr(0, word.size()) != word)
            return false;
        m_pos += word.size();
        return true;
    }

    bool Take(char32_t c)
    {
        size_t l = 1;
        if (!AtEnd() && Peek(&l) == c) {
            m_pos += l;
            return true;
        }
        return false;
    }

    // A number in digits or kanji numerals; nothing when none starts here.
    std::optional<NumberText::WholeNumber> Number()
    {
        const NumberText::WholeNumber n = NumberText::ReadWholeNumber(Rest());
        if (n.length == 0)
            return std::nullopt;
        if (!n.value)
            throw DateError("数が大きすぎます");
        m_pos += n.length;
        return n;
    }

private:
    std::string_view m_s;
    size_t m_pos = 0;
};

bool IsSeparator(char32_t c)
{
    return c == '-' || c == '/' || c == '.' || c == ' ';
}

enum class Shape { None, Year, Month, Date };

// The day after "年M月": a number, 朔日, 晦日 or 元日 (of the first month).
bool ReadDay(Cursor& c, ParsedQuery& q)
{
    if (q.month == 1 && !q.leap && c.Take("元日")) {
        q.day = 1;
    } else if (c.Take("朔日") || c.Take("朔")) {
        q.day = 1;
    } else if (c.Take("晦日") || c.Take("晦")) {
        q.lastDay = true;
    } else {
        const auto d = c.Number();
        if (!d)
            return false;
        q.day = *d->value;
        c.Take(U'日');
    }
    return true;
}

constexpr std::string_view kMonthNames[] = {"睦月", "如月", "弥生", "卯月",   "皐月", "水無月",
                                            "文月", "葉月", "長月", "神無月", "霜月", "師走"};

// What follows the year: nothing, "年", "年元日", "年M月", "年M月D日" (the
// month may be 閏 and an old name, the day 朔日 or 晦日), or a separator form
// ".M.D" (".M" too for era years: H31.4; "2019-4" stays unread, as it could
// be a range). Sets month and day as read.
Shape ReadMonthDay(Cursor& c, bool eraYear, ParsedQuery& q)
{
    if (c.AtEnd())
        return Shape::Year;
    if (c.Take(U'年')) {
        if (c.AtEnd())
            return Shape::Year;
        if (c.Take("元日")) {
            q.month = 1;
            q.day = 1;
            return c.AtEnd() ? Shape::Date : Shape::None;
        }
        q.leap = c.Take("閏") || c.Take("うるう");
        for (int32_t k = 0; k < 12 && q.month == 0; ++k)
            if (c.Take(kMonthNames[k]))
                q.month = k + 1;
        if (q.month == 0) {
            const auto m = c.Number();
            if (!m || !c.Take(U'月'))
                return Shape::None;
            q.month = *m->value;
        }
        if (c.AtEnd())
            return Shape::Month;
        if (!ReadDay(c, q))
            return Shape::None;
        return c.AtEnd() ? Shape::Date : Shape::None;
    }
    const char32_t sep = c.Peek();
    if (!IsSeparator(sep))
        return Shape::None;
    c.Advance(1);
    const auto m = c.Number();
    if (!m)
        return Shape::None;
    q.month = *m->value;
    if (c.AtEnd())
        return eraYear ? Shape::Month : Shape::None;
    if (!c.Take(sep))
        return Shape::None;
    const auto d = c.Number();
    if (!d)
        return Shape::None;
    q.day = *d->value;
    return c.AtEnd() ? Shape::Date : Shape::None;
}

// The longest era name of a table the text begins with, or 0.
int32_t LongestEraName(const EraTable& t, std::string_view rest, size_t& length)
{
    length = 0;
    int32_t era = 0;
    for (int32_t i = 1; i <= t.NumberOfGengo; ++i) {
        const std::string& name = t.Gengo[i];
        if (name.size() > length && rest.substr(0, name.size()) == name) {
            length = name.size();
            era = i;
        }
    }
    return era;
}

// The era a text begins with: the longest era name (of the other line's
// table when the calendar's has none), else a reading in hiragana, else a
// one-letter (M T S H R) or one-kanji (明 大 昭 平 令) short form of the
// modern eras. Candidates newest first; never empty.
std::vector<int32_t> EraAtStart(const EraCalendar& cal, const EraCalendar* other, Cursor& c,
                                std::string_view text, bool& otherLine)
{
    const std::string_view rest = c.Rest();
    size_t best = 0;
    if (const int32_t era = LongestEraName(cal.Table(), rest, best)) {
        c.Advance(best);
        return {era};
    }
    if (other) {
        if (const int32_t era = LongestEraName(other->Table(), rest, best)) {
            otherLine = true;
            c.Advance(best);
            return {era};
        }
    }
    size_t kanaLen = 0;
    while (kanaLen < rest.size()) {
        const Utf8Char u = DecodeUtf8(rest, kanaLen);
        if (!IsHiragana(u.code))
            break;
        kanaLen += u.length;
    }
    if (kanaLen > 0) {
        auto found = cal.FindErasByReading(rest.substr(0, kanaLen));
        if (found.empty())
            throw DateError("「" + std::string(rest.substr(0, kanaLen)) + "」と読む元号はありません");
        c.Advance(kanaLen);
        return found;
    }
    size_t l = 1;
    const char32_t first = c.Peek(&l);
    const char* name = nullptr;
    switch (first) {
    case 'M':
    case 'm':
    case U'明': name = "明治"; break;
    case 'T':
    case 't':
    case U'大': name = "大正"; break;
    case 'S':
    case 's':
    case U'昭': name = "昭和"; break;
    case 'H':
    case 'h':
    case U'平': name = "平成"; break;
    case 'R':
    case 'r':
    case U'令': name = "令和"; break;
    default: break;
    }
    if (name) {
        const int32_t era = cal.FindEra(name);
        if (era != 0) {
            c.Advance(l);
            return {era};
        }
    }
    Unreadable(text);
}

ParsedQuery::Kind KindOf(Shape shape, bool era)
{
    using K = ParsedQuery::Kind;
    switch (shape) {
    case Shape::Date: return era ? K::EraDate : K::WesternDate;
    case Shape::Month: return era ? K::EraMonth : K::WesternMonth;
    default: return era ? K::EraYear : K::WesternYear;
    }
}

} // namespace

ParsedQuery ParseDateQuery(const EraCalendar& cal, std::string_view text, const EraCalendar* other)
{
    // Plain ASCII without blanks, the usual piped column, needs no copy.
    bool plain = true;
    for (const char ch : text) {
        if (static_cast<unsigned char>(ch) >= 0x80 || ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' ||
            ch == ')') {
            plain = false;
            break;
        }
    }
    thread_local std::string normalized;
    if (!plain)
        Normalize(text, normalized);
    std::string_view norm = plain ? text : std::string_view(normalized);
    if (norm.empty())
        throw DateError("入力が空です");
    ParsedQuery q;
    q.weekday = plain ? -1 : TakeWeekday(norm);
    Cursor c(norm);
    Shape shape = Shape::None;
    bool era = false;
    if ((norm[0] == 'J' || norm[0] == 'j') &&
        (c.Take("JDN") || c.Take("JD") || c.Take("jdn") || c.Take("jd"))) {
        // A Julian Day Number: digits only, as astronomers write it.
        q.kind = ParsedQuery::Kind::Jdn;
        bool any = false;
        for (char32_t d = c.Peek(); d >= '0' && d <= '9'; d = c.Peek(), any = true) {
            q.jdn = q.jdn * 10 + (d - '0');
            if (q.jdn > DayCalendar::kLastJdn)
                throw DateError("ユリウス通日は" + std::to_string(DayCalendar::kLastJdn) + "までです");
            c.Advance(1);
        }
        if (!any || !c.AtEnd())
            Unreadable(text);
        return q;
    }
    if (const auto n = c.Number()) {
        q.year = *n->value;
        if (n->digits == 8 && c.AtEnd()) {
            // Basic ISO 8601, the commonest date of exported files: YYYYMMDD.
            q.year = *n->value / 10000;
            q.month = *n->value / 100 % 100;
            q.day = *n->value % 100;
            shape = Shape::Date;
        } else {
            shape = ReadMonthDay(c, false, q);
            // The Western calendar has no 閏 month; quietly dropping it would
            // answer another day than the one meant.
            if (q.leap && shape != Shape::None)
                throw DateError("西暦の年に閏月はありません（旧暦の閏月は元号の年で書きます）");
        }
    } else {
        era = true;
        const std::vector<int32_t> eras = EraAtStart(cal, other, c, text, q.otherLine);
        std::optional<int32_t> y;
        if (c.Take(U'元'))
            y = 1;
        else if (const auto n = c.Number())
            y = n->value;
        if (!y)
            Unreadable(text);
        q.year = *y;
        shape = ReadMonthDay(c, true, q);
        // A shared reading goes to the newest era that had this year.
        q.era = eras.front();
        for (int32_t e : eras) {
            if (q.year >= 1 && q.year <= cal.Table().GengoLastYear[e]) {
                q.era = e;
                break;
            }
        }
    }
    if (shape == Shape::None || (q.weekday >= 0 && shape != Shape::Date))
        Unreadable(text);
    q.kind = KindOf(shape, era);
    return q;
}

namespace {

std::string MonthText(const EraYearRef& ref, int32_t month)
{
    return FormatEraYear(ref) + std::to_string(month) + "月";
}

// The parts of a month that each era of its year had.
std::vector<EraCalendar::YearShare> MonthShares(std::vector<EraCalendar::YearShare> year, int32_t y,
                                                int32_t m)
{
    const CivilDate first{y, m, 1};
    const CivilDate last{y, m, DaysInMonth(y, m)};
    std::vector<EraCalendar::YearShare> month;
    for (auto& s : year) {
        const CivilDate from = std::max(first, *s.from);
        const CivilDate to = std::min(last, *s.to);
        if (from <= to)
            month.push_back({std::move(s.eraYear), from, to});
    }
    return month;
}

void CheckAskedWeekday(const ParsedQuery& q, const DateAnswer& a)
{
    if (q.weekday < 0)
        return;
    if (!a.western)
        throw DateError("1873年より前の日付の曜日は確かめられません");
    const int32_t w = WeekdayOf(*a.western);
    if (w != q.weekday)
        throw DateError(FormatCivilDate(*a.western) + "は" + WeekdayName(w) + "で、" +
                        WeekdayName(q.weekday) + "ではありません");
}

} // namespace

std::string NormalizeQuery(std::string_view text)
{
    std::string out;
    Normalize(text, out);
    return out;
}

void CheckWeekday(int32_t asked, CivilDate gregorian, const std::string& dayText)
{
    const int32_t w = WeekdayOf(gregorian);
    if (asked >= 0 && w != asked)
        throw DateError(dayText + "は" + WeekdayName(w) + "で、" + WeekdayName(asked) + "ではありません");
}

int32_t WeekdayOf(CivilDate date)
{
    // 1970-01-01 was a Thursday.
    return static_cast<int32_t>(((DayNumber(date) + 4) % 7 + 7) % 7);
}

std::string WeekdayName(int32_t weekday)
{
    return std::string(kWeekdays[weekday]) + "曜日";
}

void AnswerDateQuery(const EraCalendar& cal, const ParsedQuery& query, DateAnswer& a)
{
    a.query = query;
    ParsedQuery& q = a.query;
    a.fromJdn = q.kind == ParsedQuery::Kind::Jdn;
    if (a.fromJdn) {
        // By the day from 1873 on, else by the year the historians write.
        const CivilDate d = q.jdn < kFirstJulianReformJdn ? JulianOfJdn(q.jdn) : GregorianOfJdn(q.jdn);
        q.kind = q.jdn < kFirstGregorianJdn ? ParsedQuery::Kind::WesternYear : ParsedQuery::Kind::WesternDate;
        q.year = d.year;
        q.month = d.month;
        q.day = d.day;
        // A day answered by its year, as a Western date of those days is.
        a.beforeExactDays = q.jdn < kFirstGregorianJdn;
    }
    if (q.lastDay && q.month >= 1 && q.month <= 12) {
        // 晦日: the Gregorian month's last day; a lunisolar one is answered
        // by the year only, so any day of it will do.
        const int32_t w = q.kind == ParsedQuery::Kind::EraDate ? cal.WesternYearOf(q.era, q.year) : q.year;
        q.day = w >= kFirstExactDay.year && w <= kLastExactYear ? DaysInMonth(w, q.month) : 1;
    }
    switch (q.kind) {
    case ParsedQuery::Kind::Jdn: break; // made a Western date above
    case ParsedQuery::Kind::WesternDate: {
        const CivilDate d{q.year, q.month, q.day};
        auto r = cal.ToEraDate(d); // refuses days that do not exist
        a.westernYear = d.year;
        if (r.exact) {
            a.western = d;
            a.eraDate = std::move(r);
            a.exact = true;
        } else {
            a.eras = cal.ErasOfYear(d.year);
            a.beforeExactDays = true;
        }
        CheckAskedWeekday(q, a);
        break;
    }
    case ParsedQuery::Kind::WesternMonth:
        if (q.month < 1 || q.month > 12)
            throw DateError(std::to_string(q.year) + "年" + std::to_string(q.month) +
                            "月はありません（月は1から12まで）");
        if (q.year < 1 || q.year > kLastExactYear)
            throw DateError("日付の年は1から" + std::to_string(kLastExactYear) + "までです");
        a.westernYear = q.year;
        a.eras = cal.ErasOfYear(q.year);
        if (a.eras.empty())
            throw DateError(std::to_string(q.year) + "年は" + cal.Table().Gengo.back() +
                            "より前で、元号がありません");
        a.exact = a.eras.front().from.has_value();
        if (a.exact)
            a.eras = MonthShares(std::move(a.eras), q.year, q.month);
        else
            a.beforeExactDays = true;
        break;
    case ParsedQuery::Kind::WesternYear:
        if (q.year < 1)
            throw DateError("西暦年は1以上です");
        a.westernYear = q.year;
        a.eras = cal.ErasOfYear(q.year);
        if (a.eras.empty())
            throw DateError(std::to_string(q.year) + "年は" + cal.Table().Gengo.back() +
                            "より前で、元号がありません");
        a.exact = a.eras.front().from.has_value();
        break;
    case ParsedQuery::Kind::EraDate: {
        if (q.leap && cal.DaysOfEraYear(q.era, q.year))
            throw DateError(FormatEraYear(cal.Ref(q.era, q.year)) + "閏" + std::to_string(q.month) + "月" +
                            std::to_string(q.day) +
                            "日はありません（閏月は1873年より前の旧暦にだけあります）");
        const auto r = cal.FromEraDate(q.era, q.year, q.month, q.day);
        a.westernYear = r.westernYear;
        if (r.date) {
            a.western = r.date;
            a.eraDate = cal.ToEraDate(*r.date);
            a.exact = true;
        } else {
            a.eras.push_back({cal.Ref(q.era, q.year), std::nullopt, std::nullopt});
            a.beforeExactDays = true;
        }
        CheckAskedWeekday(q, a);
        break;
    }
    case ParsedQuery::Kind::EraMonth: {
        const EraYearRef ref = cal.Ref(q.era, q.year);
        const auto days = cal.DaysOfEraYear(q.era, q.year); // checks the year
        if (q.month < 1 || q.month > 12)
            throw DateError(MonthText(ref, q.month) + "はありません（月は1から12まで）");
        if (q.leap && days)
            throw DateError(FormatEraYear(ref) + "閏" + std::to_string(q.month) +
                            "月はありません（閏月は1873年より前の旧暦にだけあります）");
        if (!days) {
            a.westernYear = cal.FromEraDate(q.era, q.year, q.month, 1).westernYear;
            a.eras.push_back({ref, std::nullopt, std::nullopt});
            a.beforeExactDays = true;
            break;
        }
        const int32_t w = days->first.year;
        const CivilDate first{w, q.month, 1};
        const CivilDate last{w, q.month, DaysInMonth(w, q.month)};
        if (last < days->first)
            throw DateError(MonthText(ref, q.month) + "はありません（" + ref.era + "は" +
                            FormatCivilDate(days->first) + "から）");
        if (first > days->second)
            throw DateError(MonthText(ref, q.month) + "はありません（" + ref.era + "は" +
                            FormatCivilDate(days->second) + "まで）");
        a.westernYear = w;
        a.eras.push_back({ref, std::max(first, days->first), std::min(last, days->second)});
        a.exact = true;
        break;
    }
    case ParsedQuery::Kind::EraYear: {
        a.westernYear = cal.WesternYearOf(q.era, q.year);
        EraCalendar::YearShare share{cal.Ref(q.era, q.year), std::nullopt, std::nullopt};
        if (const auto days = cal.DaysOfEraYear(q.era, q.year)) {
            share.from = days->first;
            share.to = days->second;
            a.exact = true;
        }
        a.eras.push_back(std::move(share));
        break;
    }
    }
}

DateAnswer AnswerDateQuery(const EraCalendar& cal, const ParsedQuery& query)
{
    DateAnswer a;
    AnswerDateQuery(cal, query, a);
    return a;
}

namespace {

void AppendInt(int64_t v, std::string& out)
{
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

void AppendEraYear(const EraYearRef& ref, std::string& out)
{
    out += ref.era;
    if (ref.year == 1)
        out += "元";
    else
        AppendInt(ref.year, out);
    out += "年";
}

void AppendCivil(CivilDate d, std::string& out)
{
    char buf[16];
    char* p = buf;
    const auto two = [&](int v) {
        *p++ = static_cast<char>('0' + v / 10);
        *p++ = static_cast<char>('0' + v % 10);
    };
    if (d.year >= 0 && d.year <= 9999) {
        two(d.year / 100);
        two(d.year % 100);
    } else {
        p = std::to_chars(p, buf + 8, d.year).ptr;
    }
    *p++ = '-';
    two(d.month);
    *p++ = '-';
    two(d.day);
    out.append(buf, p);
}

void AppendMonthDay(CivilDate d, std::string& out)
{
    AppendInt(d.month, out);
    out += "月";
    AppendInt(d.day, out);
    out += "日";
}

void AppendEraDate(const EraCalendar::EraDateResult& r, std::string& out)
{
    AppendEraYear(r.eraYear, out);
    AppendMonthDay({0, r.month, r.day}, out);
}

// The eras of a year, or of a month when month is not 0.
void AppendShares(const std::vector<EraCalendar::YearShare>& shares, int32_t month, std::string& out)
{
    for (size_t k = 0; k < shares.size(); ++k) {
        if (k > 0)
            out += "、";
        AppendEraYear(shares[k].eraYear, out);
        if (month != 0) {
            AppendInt(month, out);
            out += "月";
        }
        if (shares.size() > 1 && shares[k].from && shares[k].to) {
            out += " (";
            AppendMonthDay(*shares[k].from, out);
            out += "–";
            AppendMonthDay(*shares[k].to, out);
            out += ")";
        }
    }
}

} // namespace

std::string FormatEraDate(const EraCalendar::EraDateResult& date)
{
    std::string s;
    AppendEraDate(date, s);
    return s;
}

void AppendAnswerText(const DateAnswer& a, std::string& out)
{
    if (!a.firstDay.empty()) {
        out += a.firstDay;
        out += "〜";
        out += a.lastDay;
        if (!a.note.empty()) {
            out += " ※";
            out += a.note;
        }
        return;
    }
    switch (a.query.kind) {
    case ParsedQuery::Kind::Jdn: // answered as a Western date
    case ParsedQuery::Kind::WesternDate:
        if (a.eraDate)
            AppendEraDate(*a.eraDate, out);
        else
            AppendShares(a.eras, 0, out);
        break;
    case ParsedQuery::Kind::WesternMonth: AppendShares(a.eras, a.exact ? a.query.month : 0, out); break;
    case ParsedQuery::Kind::WesternYear: AppendShares(a.eras, 0, out); break;
    case ParsedQuery::Kind::EraMonth:
        AppendInt(a.westernYear, out);
        if (a.exact) {
            out += "年";
            AppendInt(a.query.month, out);
            out += "月";
        }
        break;
    case ParsedQuery::Kind::EraDate:
        if (a.western)
            AppendCivil(*a.western, out);
        else
            AppendInt(a.westernYear, out);
        break;
    case ParsedQuery::Kind::EraYear: AppendInt(a.westernYear, out); break;
    }
    if (a.beforeExactDays) {
        out += " ※";
        out += kYearLevelNote;
    }
}

} // namespace yomari
