#include "engine/DateQuery.h"

#include <charconv>

namespace yomari {
namespace {

// ---- reading UTF-8 ------------------------------------------------------------

// The code point at pos and its length in bytes; malformed bytes read as
// U+FFFD one byte at a time so that nothing is skipped silently.
char32_t DecodeAt(std::string_view s, size_t pos, size_t& len)
{
    const auto b0 = static_cast<unsigned char>(s[pos]);
    const auto cont = [&](size_t k) -> int {
        if (pos + k >= s.size())
            return -1;
        const auto b = static_cast<unsigned char>(s[pos + k]);
        return (b & 0xC0) == 0x80 ? (b & 0x3F) : -1;
    };
    if (b0 < 0x80) {
        len = 1;
        return b0;
    }
    int need = 0;
    char32_t cp = 0;
    if ((b0 & 0xE0) == 0xC0) {
        need = 1;
        cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        need = 2;
        cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        need = 3;
        cp = b0 & 0x07;
    } else {
        len = 1;
        return 0xFFFD;
    }
    for (int k = 1; k <= need; ++k) {
        const int c = cont(static_cast<size_t>(k));
        if (c < 0) {
            len = 1;
            return 0xFFFD;
        }
        cp = (cp << 6) | static_cast<char32_t>(c);
    }
    len = static_cast<size_t>(need) + 1;
    return cp;
}

void AppendUtf8(char32_t cp, std::string& out)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsSpace(char32_t c)
{
    // A byte order mark counts as blank: spreadsheets put one before the first line.
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == 0x3000 || c == 0xFEFF;
}

// Full-width letters, digits and signs become ASCII, dashes become '-', and
// blanks go, so that every later step sees one spelling.
void Normalize(std::string_view text, std::string& out)
{
    out.clear();
    for (size_t i = 0; i < text.size();) {
        size_t len = 1;
        char32_t c = DecodeAt(text, i, len);
        i += len;
        if (IsSpace(c))
            continue;
        if (c >= 0xFF01 && c <= 0xFF5E)
            c -= 0xFEE0;
        else if ((c >= 0x2010 && c <= 0x2015) || c == 0x2212)
            c = '-';
        AppendUtf8(c, out);
    }
}

int KanjiDigit(char32_t c)
{
    switch (c) {
    case U'〇':
    case U'零': return 0;
    case U'一': return 1;
    case U'二': return 2;
    case U'三': return 3;
    case U'四': return 4;
    case U'五': return 5;
    case U'六': return 6;
    case U'七': return 7;
    case U'八': return 8;
    case U'九': return 9;
    default: return -1;
    }
}

int KanjiUnit(char32_t c)
{
    switch (c) {
    case U'十': return 10;
    case U'百': return 100;
    case U'千': return 1000;
    default: return 0;
    }
}

bool IsHiragana(char32_t c)
{
    return c >= 0x3041 && c <= 0x309F;
}

[[noreturn]] void Unreadable(std::string_view text)
{
    throw DateError("「" + std::string(text) + "」は日付・年として読めません");
}

class Cursor {
public:
    explicit Cursor(std::string_view s)
        : m_s(s)
    {
    }

    bool AtEnd() const { return m_pos >= m_s.size(); }
    std::string_view Rest() const { return m_s.substr(m_pos); }
    size_t Pos() const { return m_pos; }
    void Advance(size_t n) { m_pos += n; }

    char32_t Peek(size_t* len = nullptr) const
    {
        if (AtEnd())
            return 0;
        if (static_cast<unsigned char>(m_s[m_pos]) < 0x80) {
            if (len)
                *len = 1;
            return static_cast<unsigned char>(m_s[m_pos]);
        }
        size_t l = 1;
        const char32_t c = DecodeAt(m_s, m_pos, l);
        if (len)
            *len = l;
        return c;
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

    bool AtNumber() const
    {
        const char32_t c = Peek();
        return (c >= '0' && c <= '9') || KanjiDigit(c) >= 0 || KanjiUnit(c) > 0;
    }

    // ASCII digits, or kanji numerals either positional (二〇一九) or with
    // units (三十一, 千九百八十九). Nothing when no number starts here.
    std::optional<int32_t> Number()
    {
        const char32_t first = Peek();
        if (first >= '0' && first <= '9') {
            int64_t v = 0;
            while (!AtEnd() && m_s[m_pos] >= '0' && m_s[m_pos] <= '9') {
                v = v * 10 + (m_s[m_pos] - '0');
                if (v > 2147483647)
                    throw DateError("数が大きすぎます");
                ++m_pos;
            }
            return static_cast<int32_t>(v);
        }
        int64_t total = 0;
        int64_t digits = -1; // digits read since the last unit, -1 none
        bool units = false;
        bool any = false;
        for (;;) {
            size_t l = 1;
            const char32_t c = Peek(&l);
            if (AtEnd())
                break;
            const int d = KanjiDigit(c);
            const int u = KanjiUnit(c);
            if (d >= 0) {
                digits = (digits < 0 ? 0 : digits) * 10 + d;
            } else if (u > 0) {
                total += (digits < 0 ? 1 : digits) * u;
                digits = -1;
                units = true;
            } else {
                break;
            }
            if (total > 2147483647 || digits > 2147483647)
                throw DateError("数が大きすぎます");
            any = true;
            m_pos += l;
        }
        if (!any)
            return std::nullopt;
        (void)units;
        const int64_t v = total + (digits < 0 ? 0 : digits);
        if (v > 2147483647)
            throw DateError("数が大きすぎます");
        return static_cast<int32_t>(v);
    }

private:
    std::string_view m_s;
    size_t m_pos = 0;
};

bool IsSeparator(char32_t c)
{
    return c == '-' || c == '/' || c == '.';
}

// After the year: nothing, "年", "年M月D日" or a separator form ".M.D".
// Sets month and day when a date follows; false when the text is no such form.
bool ReadMonthDay(Cursor& c, bool& isDate, int32_t& month, int32_t& day)
{
    isDate = false;
    if (c.AtEnd())
        return true;
    if (c.Take(U'年')) {
        if (c.AtEnd())
            return true;
        const auto m = c.Number();
        if (!m || !c.Take(U'月'))
            return false;
        const auto d = c.Number();
        if (!d)
            return false;
        c.Take(U'日');
        month = *m;
        day = *d;
        isDate = true;
        return c.AtEnd();
    }
    const char32_t sep = c.Peek();
    if (!IsSeparator(sep))
        return false;
    c.Advance(1);
    const auto m = c.Number();
    if (!m || !c.Take(sep))
        return false;
    const auto d = c.Number();
    if (!d)
        return false;
    month = *m;
    day = *d;
    isDate = true;
    return c.AtEnd();
}

// The era a text begins with: the longest era name, else a reading in
// hiragana, else a one-letter (M T S H R) or one-kanji (明 大 昭 平 令) short
// form of the modern eras. Candidates newest first; empty when none.
std::vector<int32_t> EraAtStart(const EraCalendar& cal, Cursor& c, std::string_view text)
{
    const EraTable& t = cal.Table();
    const std::string_view rest = c.Rest();
    size_t best = 0;
    int32_t bestEra = 0;
    for (int32_t i = 1; i <= t.NumberOfGengo; ++i) {
        const std::string& name = t.Gengo[i];
        if (name.size() > best && rest.substr(0, name.size()) == name) {
            best = name.size();
            bestEra = i;
        }
    }
    if (bestEra != 0) {
        c.Advance(best);
        return {bestEra};
    }
    size_t kanaLen = 0;
    while (kanaLen < rest.size()) {
        size_t l = 1;
        if (!IsHiragana(DecodeAt(rest, kanaLen, l)))
            break;
        kanaLen += l;
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

} // namespace

ParsedQuery ParseDateQuery(const EraCalendar& cal, std::string_view text)
{
    // Plain ASCII without blanks, the usual piped column, needs no copy.
    bool plain = true;
    for (const char ch : text) {
        if (static_cast<unsigned char>(ch) >= 0x80 || ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n') {
            plain = false;
            break;
        }
    }
    thread_local std::string normalized;
    if (!plain)
        Normalize(text, normalized);
    const std::string_view norm = plain ? text : std::string_view(normalized);
    if (norm.empty())
        throw DateError("入力が空です");
    Cursor c(norm);
    ParsedQuery q;
    bool isDate = false;
    if (c.AtNumber()) {
        const auto y = c.Number();
        if (!y || !ReadMonthDay(c, isDate, q.month, q.day))
            Unreadable(text);
        q.year = *y;
        q.kind = isDate ? ParsedQuery::Kind::WesternDate : ParsedQuery::Kind::WesternYear;
        return q;
    }
    const std::vector<int32_t> eras = EraAtStart(cal, c, text);
    std::optional<int32_t> y;
    if (c.Peek() == U'元') {
        c.Advance(std::string_view("元").size());
        y = 1;
    } else {
        y = c.Number();
    }
    if (!y || !ReadMonthDay(c, isDate, q.month, q.day))
        Unreadable(text);
    q.year = *y;
    q.kind = isDate ? ParsedQuery::Kind::EraDate : ParsedQuery::Kind::EraYear;
    // A shared reading goes to the newest era that had this year.
    q.era = eras.front();
    for (int32_t e : eras) {
        if (q.year >= 1 && q.year <= cal.Table().GengoLastYear[e]) {
            q.era = e;
            break;
        }
    }
    return q;
}

DateAnswer AnswerDateQuery(const EraCalendar& cal, const ParsedQuery& q)
{
    DateAnswer a;
    a.query = q;
    switch (q.kind) {
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
        break;
    }
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

void AppendShares(const std::vector<EraCalendar::YearShare>& shares, std::string& out)
{
    for (size_t k = 0; k < shares.size(); ++k) {
        if (k > 0)
            out += "、";
        AppendEraYear(shares[k].eraYear, out);
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
    switch (a.query.kind) {
    case ParsedQuery::Kind::WesternDate:
        if (a.eraDate)
            AppendEraDate(*a.eraDate, out);
        else
            AppendShares(a.eras, out);
        break;
    case ParsedQuery::Kind::WesternYear: AppendShares(a.eras, out); break;
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

void AppendJsonString(std::string_view text, std::string& out)
{
    out += '"';
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (ch) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                static constexpr char kHex[] = "0123456789abcdef";
                out += "\\u00";
                out += kHex[c >> 4];
                out += kHex[c & 15];
            } else {
                out += ch;
            }
        }
    }
    out += '"';
}

namespace {

// Text that is not valid UTF-8 must still give valid JSON.
void AppendJsonText(std::string_view text, std::string& out)
{
    std::string clean;
    for (size_t i = 0; i < text.size();) {
        size_t len = 1;
        const char32_t c = DecodeAt(text, i, len);
        AppendUtf8(c, clean);
        i += len;
    }
    AppendJsonString(clean, out);
}

const char* KindName(ParsedQuery::Kind k)
{
    switch (k) {
    case ParsedQuery::Kind::WesternDate: return "western-date";
    case ParsedQuery::Kind::WesternYear: return "western-year";
    case ParsedQuery::Kind::EraDate: return "era-date";
    case ParsedQuery::Kind::EraYear: return "era-year";
    }
    return "";
}

void AppendJsonEraYear(const EraYearRef& ref, std::string& out)
{
    out += "\"name\":";
    AppendJsonString(ref.era, out);
    out += ",\"reading\":";
    AppendJsonString(ref.reading, out);
    out += ",\"year\":";
    AppendInt(ref.year, out);
}

void AppendJsonDate(const std::optional<CivilDate>& d, std::string& out)
{
    if (!d) {
        out += "null";
        return;
    }
    out += '"';
    AppendCivil(*d, out);
    out += '"';
}

} // namespace

void AppendAnswerJson(std::string_view query, const DateAnswer& a, std::string_view line, std::string& out)
{
    out += "{\"query\":";
    AppendJsonText(query, out);
    out += ",\"type\":\"";
    out += KindName(a.query.kind);
    out += "\",\"line\":";
    AppendJsonString(line, out);
    out += ",\"answer\":";
    std::string text;
    AppendAnswerText(a, text);
    AppendJsonString(text, out);
    out += ",\"western\":";
    AppendJsonDate(a.western, out);
    out += ",\"westernYear\":";
    AppendInt(a.westernYear, out);
    out += ",\"era\":";
    if (a.eraDate) {
        out += '{';
        AppendJsonEraYear(a.eraDate->eraYear, out);
        out += ",\"month\":";
        AppendInt(a.eraDate->month, out);
        out += ",\"day\":";
        AppendInt(a.eraDate->day, out);
        out += ",\"text\":";
        AppendJsonString(FormatEraDate(*a.eraDate), out);
        out += '}';
    } else {
        out += "null";
    }
    out += ",\"eras\":[";
    for (size_t k = 0; k < a.eras.size(); ++k) {
        const auto& s = a.eras[k];
        if (k > 0)
            out += ',';
        out += '{';
        AppendJsonEraYear(s.eraYear, out);
        out += ",\"text\":";
        AppendJsonString(FormatEraYear(s.eraYear), out);
        out += ",\"from\":";
        AppendJsonDate(s.from, out);
        out += ",\"to\":";
        AppendJsonDate(s.to, out);
        out += '}';
    }
    out += "],\"exact\":";
    out += a.exact ? "true" : "false";
    const Kanshi k = KanshiOfYear(a.westernYear);
    out += ",\"kanshi\":{\"kanji\":";
    AppendJsonString(k.kanji, out);
    out += ",\"reading\":";
    AppendJsonString(k.reading, out);
    out += '}';
    if (a.beforeExactDays) {
        out += ",\"note\":";
        AppendJsonString(kYearLevelNote, out);
    }
    out += '}';
}

void AppendErrorJson(std::string_view query, std::string_view error, std::string& out)
{
    out += "{\"query\":";
    AppendJsonText(query, out);
    out += ",\"error\":";
    AppendJsonText(error, out);
    out += '}';
}

} // namespace yomari
