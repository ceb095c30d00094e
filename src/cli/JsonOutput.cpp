#include "cli/JsonOutput.h"

#include "engine/TextDecoding.h"

#include <charconv>

namespace yomari {
namespace {

void AppendInt(int64_t v, std::string& out)
{
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

const char* KindName(ParsedQuery::Kind k)
{
    switch (k) {
    case ParsedQuery::Kind::WesternDate: return "western-date";
    case ParsedQuery::Kind::WesternMonth: return "western-month";
    case ParsedQuery::Kind::WesternYear: return "western-year";
    case ParsedQuery::Kind::EraDate: return "era-date";
    case ParsedQuery::Kind::EraMonth: return "era-month";
    case ParsedQuery::Kind::EraYear: return "era-year";
    case ParsedQuery::Kind::Jdn: return "jdn";
    }
    return "";
}

void AppendDate(JsonObject& o, std::string_view key, const std::optional<CivilDate>& d)
{
    if (d)
        o.String(key, FormatCivilDate(*d));
    else
        o.Null(key);
}

void AppendEraYear(JsonObject& o, const EraYearRef& ref)
{
    o.String("name", ref.era).String("reading", ref.reading).Int("year", ref.year);
}

void AppendView(JsonObject& parent, std::string_view key, const std::optional<EraDateView>& v)
{
    if (!v) {
        parent.Null(key);
        return;
    }
    JsonObject o(parent.Member(key));
    o.String("name", v->name).String("reading", v->reading).Int("year", v->year);
    o.Int("month", v->month).Bool("leap", v->leap).Int("day", v->day).String("text", v->text);
    o.End();
}

} // namespace

void AppendJsonString(std::string_view text, std::string& out)
{
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (size_t i = 0; i < text.size();) {
        const Utf8Char c = DecodeUtf8(text, i);
        if (c.code >= 0x80) {
            AppendUtf8(c.code, out); // U+FFFD where the bytes were malformed
            i += c.length;
            continue;
        }
        const char ch = text[i++];
        switch (ch) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F) {
                out += "\\u00";
                out += kHex[ch >> 4];
                out += kHex[ch & 15];
            } else {
                out += ch;
            }
        }
    }
    out += '"';
}

JsonObject::JsonObject(std::string& out)
    : m_out(out)
{
    m_out += '{';
}

std::string& JsonObject::Member(std::string_view key)
{
    if (!m_first)
        m_out += ',';
    m_first = false;
    AppendJsonString(key, m_out);
    m_out += ':';
    return m_out;
}

JsonObject& JsonObject::String(std::string_view key, std::string_view value)
{
    AppendJsonString(value, Member(key));
    return *this;
}

JsonObject& JsonObject::Int(std::string_view key, int64_t value)
{
    AppendInt(value, Member(key));
    return *this;
}

JsonObject& JsonObject::Bool(std::string_view key, bool value)
{
    Member(key) += value ? "true" : "false";
    return *this;
}

JsonObject& JsonObject::Null(std::string_view key)
{
    Member(key) += "null";
    return *this;
}

void JsonObject::End()
{
    m_out += '}';
}

namespace {

// The fields every answer begins with.
void AppendAnswerHead(JsonObject& o, std::string_view query, std::string_view type, std::string_view line,
                      std::string_view answer)
{
    o.String("query", query).String("type", type).String("line", line).String("answer", answer);
}

void AppendKanshi(JsonObject& parent, std::string_view kanji, std::string_view reading)
{
    JsonObject o(parent.Member("kanshi"));
    o.String("kanji", kanji).String("reading", reading).End();
}

} // namespace

void AppendAnswerJson(std::string_view query, const DateAnswer& a, std::string_view line, std::string& out)
{
    std::string text;
    AppendAnswerText(a, text);
    JsonObject o(out);
    AppendAnswerHead(o, query, a.fromJdn ? KindName(ParsedQuery::Kind::Jdn) : KindName(a.query.kind), line,
                     text);
    AppendDate(o, "western", a.western);
    o.Int("westernYear", a.westernYear);
    if (a.eraDate) {
        JsonObject era(o.Member("era"));
        AppendEraYear(era, a.eraDate->eraYear);
        era.Int("month", a.eraDate->month).Int("day", a.eraDate->day);
        era.String("text", FormatEraDate(*a.eraDate)).End();
    } else {
        o.Null("era");
    }
    std::string& eras = o.Member("eras");
    eras += '[';
    for (size_t k = 0; k < a.eras.size(); ++k) {
        const auto& s = a.eras[k];
        if (k > 0)
            eras += ',';
        JsonObject e(eras);
        AppendEraYear(e, s.eraYear);
        e.String("text", FormatEraYear(s.eraYear));
        AppendDate(e, "from", s.from);
        AppendDate(e, "to", s.to);
        e.End();
    }
    eras += ']';
    o.Bool("exact", a.exact);
    const Kanshi k = KanshiOfYear(a.westernYear);
    AppendKanshi(o, k.kanji, k.reading);
    if (a.beforeExactDays)
        o.String("note", kYearLevelNote);
    else if (!a.note.empty())
        o.String("note", a.note);
    o.End();
}

void AppendDayAnswerJson(std::string_view query, const DayAnswer& a, std::string_view line, std::string& out)
{
    JsonObject o(out);
    AppendAnswerHead(o, query,
                     KindName(a.fromEra   ? ParsedQuery::Kind::EraDate
                              : a.fromJdn ? ParsedQuery::Kind::Jdn
                                          : ParsedQuery::Kind::WesternDate),
                     line, a.text);
    o.Int("jdn", a.jdn);
    o.String("julian", FormatCivilDate(a.julian)).String("gregorian", FormatCivilDate(a.gregorian));
    o.String("western", FormatCivilDate(a.western)).Int("westernYear", a.western.year);
    AppendView(o, "era", a.era);
    AppendView(o, "also", a.also);
    AppendView(o, "otherLine", a.otherLine);
    if (a.lunisolar) {
        JsonObject l(o.Member("lunisolar"));
        l.Int("year", a.lunisolar->year).Int("month", a.lunisolar->month);
        l.Bool("leap", a.lunisolar->leap).Int("day", a.lunisolar->day).End();
    } else {
        o.Null("lunisolar");
    }
    o.String("dayKanshi", a.dayKanshi);
    AppendKanshi(o, a.yearKanshi.kanji, a.yearKanshi.reading);
    o.Bool("exact", true);
    std::string& notes = o.Member("notes");
    notes += '[';
    for (size_t k = 0; k < a.notes.size(); ++k) {
        if (k > 0)
            notes += ',';
        AppendJsonString(a.notes[k], notes);
    }
    notes += ']';
    o.End();
}

void AppendErrorJson(std::string_view query, std::string_view error, std::string& out)
{
    JsonObject(out).String("query", query).String("error", error).End();
}

void AppendTableJson(const TextTable& table, std::string& out)
{
    for (const auto& row : table.rows) {
        JsonObject o(out);
        for (size_t c = 0; c < row.size() && c < table.header.size(); ++c)
            o.String(table.header[c], row[c]);
        o.End();
        out += '\n';
    }
}

} // namespace yomari
