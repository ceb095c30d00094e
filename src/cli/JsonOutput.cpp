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
    out += FormatCivilDate(*d);
    out += '"';
}

void AppendView(const std::optional<EraDateView>& v, std::string& out)
{
    if (!v) {
        out += "null";
        return;
    }
    out += "{\"name\":";
    AppendJsonString(v->name, out);
    out += ",\"reading\":";
    AppendJsonString(v->reading, out);
    out += ",\"year\":";
    AppendInt(v->year, out);
    out += ",\"month\":";
    AppendInt(v->month, out);
    out += ",\"leap\":";
    out += v->leap ? "true" : "false";
    out += ",\"day\":";
    AppendInt(v->day, out);
    out += ",\"text\":";
    AppendJsonString(v->text, out);
    out += '}';
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

namespace {

// The fields every answer begins with.
void AppendAnswerHead(std::string_view query, std::string_view type, std::string_view line,
                      std::string_view answer, std::string& out)
{
    out += "{\"query\":";
    AppendJsonString(query, out);
    out += ",\"type\":";
    AppendJsonString(type, out);
    out += ",\"line\":";
    AppendJsonString(line, out);
    out += ",\"answer\":";
    AppendJsonString(answer, out);
}

void AppendKanshi(std::string_view kanji, std::string_view reading, std::string& out)
{
    out += ",\"kanshi\":{\"kanji\":";
    AppendJsonString(kanji, out);
    out += ",\"reading\":";
    AppendJsonString(reading, out);
    out += '}';
}

} // namespace

void AppendAnswerJson(std::string_view query, const DateAnswer& a, std::string_view line, std::string& out)
{
    std::string text;
    AppendAnswerText(a, text);
    AppendAnswerHead(query, KindName(a.query.kind), line, text, out);
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
    AppendKanshi(k.kanji, k.reading, out);
    if (a.beforeExactDays) {
        out += ",\"note\":";
        AppendJsonString(kYearLevelNote, out);
    }
    out += '}';
}

void AppendDayAnswerJson(std::string_view query, const DayAnswer& a, std::string_view line, std::string& out)
{
    AppendAnswerHead(query, a.fromEra ? "era-date" : "western-date", line, a.text, out);
    out += ",\"jdn\":";
    AppendInt(a.jdn, out);
    out += ",\"julian\":\"" + FormatCivilDate(a.julian) + "\",\"gregorian\":\"" +
           FormatCivilDate(a.gregorian) + "\",\"western\":\"" + FormatCivilDate(a.western) +
           "\",\"westernYear\":";
    AppendInt(a.western.year, out);
    out += ",\"era\":";
    AppendView(a.era, out);
    out += ",\"also\":";
    AppendView(a.also, out);
    out += ",\"otherLine\":";
    AppendView(a.otherLine, out);
    out += ",\"lunisolar\":";
    if (a.lunisolar) {
        out += "{\"year\":";
        AppendInt(a.lunisolar->year, out);
        out += ",\"month\":";
        AppendInt(a.lunisolar->month, out);
        out += ",\"leap\":";
        out += a.lunisolar->leap ? "true" : "false";
        out += ",\"day\":";
        AppendInt(a.lunisolar->day, out);
        out += '}';
    } else {
        out += "null";
    }
    out += ",\"dayKanshi\":";
    AppendJsonString(a.dayKanshi, out);
    AppendKanshi(a.yearKanshi.kanji, a.yearKanshi.reading, out);
    out += ",\"exact\":true,\"notes\":[";
    for (size_t k = 0; k < a.notes.size(); ++k) {
        if (k > 0)
            out += ',';
        AppendJsonString(a.notes[k], out);
    }
    out += "]}";
}

void AppendErrorJson(std::string_view query, std::string_view error, std::string& out)
{
    out += "{\"query\":";
    AppendJsonString(query, out);
    out += ",\"error\":";
    AppendJsonString(error, out);
    out += '}';
}

void AppendTableJson(const TextTable& table, std::string& out)
{
    for (const auto& row : table.rows) {
        out += '{';
        for (size_t c = 0; c < row.size() && c < table.header.size(); ++c) {
            if (c > 0)
                out += ',';
            AppendJsonString(table.header[c], out);
            out += ':';
            AppendJsonString(row[c], out);
        }
        out += "}\n";
    }
}

} // namespace yomari
