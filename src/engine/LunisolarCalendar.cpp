#include "engine/LunisolarCalendar.h"

#include "engine/DataLines.h"
#include "engine/EraTable.h"
#include "engine/YomariError.h"

#include <algorithm>
#include <charconv>
#include <climits>

namespace yomari {

namespace {

const char* LineName(int32_t line)
{
    return line == 0 ? "北朝" : "南朝";
}

// A day of the era-day file: lunisolar through 1872, Gregorian after.
std::optional<int64_t> ReadDay(std::string_view text, const LunisolarTable& months)
{
    if (const auto d = ParseLunisolarKey(text); d && d->year <= 1872)
        return months.JdnOf(*d);
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    int32_t n[3] = {};
    const std::string_view parts[3] = {text.substr(0, 4), text.substr(5, 2), text.substr(8, 2)};
    for (int k = 0; k < 3; ++k) {
        const auto [end, ec] = std::from_chars(parts[k].data(), parts[k].data() + parts[k].size(), n[k]);
        if (ec != std::errc() || end != parts[k].data() + parts[k].size())
            return std::nullopt;
    }
    const CivilDate d{n[0], n[1], n[2]};
    if (d.year < 1873 || !IsValidCivilDate(d))
        return std::nullopt;
    return JdnOfGregorian(d);
}

} // namespace

std::vector<EraDayRow> ReadEraDayRows(std::string_view text, const LunisolarTable& months,
                                      const std::string& fileName, const std::string& errorSource)
{
    std::vector<EraDayRow> rows;
    std::ptrdiff_t last[2] = {-1, -1}; // each line's latest row
    int line = 0;
    const auto fail = [&](const std::string& why) {
        throw YomariError(ErrorNumber::TypeMismatch, errorSource,
                          "元号の使われた日のデータが正しくありません: " + why + " (" + fileName + " の" +
                              std::to_string(line) + "行目)");
    };
    DataLines lines(text);
    std::string_view row;
    while (lines.Next(row)) {
        line = lines.Number();
        std::string_view f[6];
        if (SplitFields(row, f) != 6)
            fail("項目が6つ (系統,元号,年,改元日,使用開始日,使用終了日) ではない");
        EraDayRow r;
        r.lineNumber = line;
        if (f[0] == "n")
            r.line = 0;
        else if (f[0] == "s")
            r.line = 1;
        else
            fail("系統は n か s");
        if (f[1].empty())
            fail("元号名が空");
        r.name = f[1];
        const auto [end, ec] = std::from_chars(f[2].data(), f[2].data() + f[2].size(), r.firstYear);
        if (f[2].empty() || ec != std::errc() || end != f[2].data() + f[2].size())
            fail("年が整数ではない");
        const auto first = ReadDay(f[3], months);
        const auto from = ReadDay(f[4], months);
        const auto to = ReadDay(f[5], months);
        if (!first || !from || !to)
            fail("「" + r.name + "」の日付に存在しない日がある");
        r.firstDay = *first;
        r.useFrom = *from;
        r.useTo = *to;
        if (r.firstDay > r.useFrom || r.useFrom > r.useTo)
            fail("「" + r.name + "」の改元日・使用開始日・使用終了日の順が逆");
        if (r.firstDay < kFirstGregorianJdn && months.DateOf(r.firstDay)->year != r.firstYear)
            fail("「" + r.name + "」の改元日が" + std::to_string(r.firstYear) + "年の旧暦年にない");
        if (const std::ptrdiff_t k = last[r.line];
            k >= 0 && r.firstYear < rows[static_cast<size_t>(k)].firstYear)
            fail("「" + r.name + "」が「" + rows[static_cast<size_t>(k)].name + "」より古いのに後にある");
        last[r.line] = static_cast<std::ptrdiff_t>(rows.size());
        rows.push_back(std::move(r));
    }
    if (rows.empty())
        fail("元号が1つもない");
    // No two eras of a line in use on the same day.
    std::vector<const EraDayRow*> byDay;
    for (const EraDayRow& r : rows)
        byDay.push_back(&r);
    std::sort(byDay.begin(), byDay.end(), [](const EraDayRow* a, const EraDayRow* b) {
        return a->line != b->line ? a->line < b->line : a->useFrom < b->useFrom;
    });
    for (size_t k = 1; k < byDay.size(); ++k) {
        const EraDayRow& a = *byDay[k - 1];
        const EraDayRow& b = *byDay[k];
        if (a.line == b.line && b.useFrom <= a.useTo) {
            line = std::max(a.lineNumber, b.lineNumber);
            fail("「" + a.name + "」と「" + b.name + "」の使われた日が重なる");
        }
    }
    return rows;
}

LunisolarData LoadLunisolarData(const EngineEnvironment& env)
{
    const std::string source = env.baseName;
    LunisolarData data;
    data.months =
        env.ReadDataFile(".dal", [&](const std::string& file) { return LunisolarTable::Read(file, source); });
    data.eras = env.ReadDataFile(".dae", [&](const std::string& file) {
        return ReadEraDayRows(ReadTextFileUtf8(file, source), data.months, file, source);
    });
    return data;
}

// ---- one court line ------------------------------------------------------------

DayCalendar::DayCalendar(const EraCalendar& eras, int32_t line, std::shared_ptr<const LunisolarData> data,
                         const std::string& fileName)
    : m_eras(&eras)
    , m_data(std::move(data))
{
    const EraTable& t = eras.Table();
    const int32_t n = t.NumberOfGengo;
    m_firstLunar.assign(static_cast<size_t>(n) + 1, 0);
    m_lastLunar.assign(static_cast<size_t>(n) + 1, 0);
    if (m_data) {
        const LunisolarTable& months = m_data->months;
        const auto fail = [&](const EraDayRow& r, const std::string& why) {
            throw YomariError(
                ErrorNumber::TypeMismatch, eras.Table().Gengo.empty() ? "" : "Yomari",
                "元号の使われた日のデータが元号データと合いません: " + std::string(LineName(line)) + "の" +
                    why + " (" + fileName + " の" + std::to_string(r.lineNumber) + "行目)");
        };
        std::vector<const EraDayRow*> rows;
        for (const EraDayRow& r : m_data->eras)
            if (r.line == line)
                rows.push_back(&r);
        if (rows.empty())
            throw YomariError(ErrorNumber::TypeMismatch, "Yomari",
                              std::string("元号の使われた日のデータに") + LineName(line) +
                                  "の元号がありません (" + fileName + ")");
        // The rows are the era table's oldest eras, in its order.
        std::vector<std::pair<const EraDayRow*, int32_t>> used; // row, era index
        for (size_t k = 0; k < rows.size(); ++k) {
            const EraDayRow& r = *rows[k];
            const int32_t era = n - static_cast<int32_t>(k);
            if (era < 1)
                fail(r, "「" + r.name + "」が元号データにない (元号データの元号より多い)");
            if (t.Gengo[era] != r.name)
                fail(r, std::to_string(k + 1) + "番目に古い元号が「" + r.name + "」、元号データでは「" +
                            t.Gengo[era] + "」");
            if (t.Gengo1stADYear[era] != r.firstYear)
                fail(r, "「" + r.name + "」の年が" + std::to_string(r.firstYear) + "、元号データでは" +
                            std::to_string(t.Gengo1stADYear[era]));
            // Where the start-day file knows the era too, the days agree.
            if (r.firstDay >= kFirstGregorianJdn) {
                const auto start = eras.StartDay(era);
                if (!start || JdnOfGregorian(*start) != r.firstDay)
                    fail(r, "「" + r.name + "」の改元日が開始日データ (Yomari.dad) と違う");
            }
            if (r.useTo >= kFirstGregorianJdn && era > 1) {
                const auto next = eras.StartDay(era - 1);
                if (!next || JdnOfGregorian(*next) != r.useTo + 1)
                    fail(r, "「" + r.name + "」の終わりが次の元号の開始日 (Yomari.dad) の前日ではない");
            }
            used.emplace_back(&r, era);
        }
        const int32_t oldestWithout = n - static_cast<int32_t>(rows.size());
        if (oldestWithout >= 1 && t.Gengo1stADYear[oldestWithout] < 1873)
            fail(*rows.back(), "「" + t.Gengo[oldestWithout] + "」 (1873年より前の元号) の行がない");

        std::sort(used.begin(), used.end(),
                  [](const auto& a, const auto& b) { return a.first->useFrom < b.first->useFrom; });
        m_firstJdn = months.FirstJdn();
        m_spans.push_back({m_firstJdn, 0, 0, months.DateOf(m_firstJdn)->year});
        for (const auto& [r, era] : used) {
            if (r->useFrom >= kFirstGregorianJdn)
                break;
            const int32_t base = months.DateOf(r->firstDay)->year;
            if (m_spans.back().from == r->useFrom)
                m_spans.pop_back();
            m_spans.push_back({r->useFrom, era, base, months.DateOf(r->useFrom)->year});
            const int64_t end = std::min(r->useTo, kFirstGregorianJdn - 1);
            m_firstLunar[static_cast<size_t>(era)] = base;
            m_lastLunar[static_cast<size_t>(era)] =
                r->useTo >= kFirstGregorianJdn ? INT32_MAX : months.DateOf(end)->year;
            if (end + 1 < kFirstGregorianJdn)
                m_spans.push_back({end + 1, 0, 0, months.DateOf(end + 1)->year});
        }
        // Merge gaps closed by the next era's first day.
        std::vector<Span> merged;
        for (const Span& s : m_spans) {
            if (!merged.empty() && merged.back().from == s.from)
                merged.back() = s;
            else
                merged.push_back(s);
        }
        m_spans = std::move(merged);
    }
    // From 1873 on: the start-day file's eras.
    const size_t lunisolarSpans = m_spans.size();
    for (int32_t era = n; era >= 1; --era) {
        const auto start = eras.StartDay(era);
        if (!start)
            continue;
        const auto next = era > 1 ? eras.StartDay(era - 1) : std::nullopt;
        if (next && JdnOfGregorian(*next) <= kFirstGregorianJdn)
            continue;
        m_spans.push_back({std::max(JdnOfGregorian(*start), kFirstGregorianJdn), era, start->year, 0});
    }
    if (m_data && lunisolarSpans > 0 && m_spans.size() > lunisolarSpans &&
        m_spans[lunisolarSpans - 1].era != m_spans[lunisolarSpans].era)
        throw YomariError(ErrorNumber::TypeMismatch, "Yomari",
                          std::string("元号の使われた日のデータが開始日データ (Yomari.dad) と合いません: ") +
                              LineName(line) + "の1872年12月31日と1873年1月1日の元号が違う (" + fileName +
                              ")");
}

int32_t DayCalendar::FirstLunisolarYear(int32_t era) const
{
    if (era < 1 || static_cast<size_t>(era) >= m_firstLunar.size())
        return 0;
    return m_firstLunar[static_cast<size_t>(era)];
}

size_t DayCalendar::SpanIndex(int64_t jdn) const
{
    const auto it = std::upper_bound(m_spans.begin(), m_spans.end(), jdn,
                                     [](int64_t day, const Span& s) { return day < s.from; });
    return static_cast<size_t>(it - m_spans.begin()) - 1;
}

EraDay DayCalendar::EraDayOf(int64_t jdn) const
{
    const Span& s = m_spans[SpanIndex(jdn)];
    if (s.era == 0)
        return {};
    if (jdn < kFirstGregorianJdn) {
        const LunisolarDate d = *m_data->months.DateOf(jdn);
        return {s.era, d.year - s.base + 1, d.month, d.leap, d.day};
    }
    const CivilDate c = GregorianOfJdn(jdn);
    return {s.era, c.year - s.base + 1, c.month, false, c.day};
}

DayFacts DayCalendar::Facts(int64_t jdn) const
{
    if (m_spans.empty() || jdn < m_firstJdn || jdn > kLastJdn) {
        if (jdn < m_firstJdn && m_firstJdn == kFirstGregorianJdn && jdn >= JdnOfJulian({645, 7, 17}))
            throw DateError("旧暦のデータがないため、1873年より前の日付には答えられません");
        throw DateError("日付は" +
                        FormatCivilDate(m_firstJdn < kFirstJulianReformJdn ? JulianOfJdn(m_firstJdn)
                                                                           : GregorianOfJdn(m_firstJdn)) +
                        "から9999-12-31までです");
    }
    DayFacts f;
    f.jdn = jdn;
    f.date = EraDayOf(jdn);
    const size_t i = SpanIndex(jdn);
    if (f.date.era == 0) {
        f.eraBefore = i > 0 ? m_spans[i - 1].era : 0;
        f.eraAfter = i + 1 < m_spans.size() ? m_spans[i + 1].era : 0;
    }
    if (jdn < kFirstGregorianJdn) {
        f.lunisolar = m_data->months.DateOf(jdn);
        for (size_t j = i + 1; j < m_spans.size() && m_spans[j].from < kFirstGregorianJdn; ++j) {
            if (m_spans[j].fromYear != f.lunisolar->year)
                break;
            if (m_spans[j].era != 0)
                f.also = EraDay{m_spans[j].era, f.lunisolar->year - m_spans[j].base + 1, f.lunisolar->month,
                                f.lunisolar->leap, f.lunisolar->day};
        }
    }
    return f;
}

std::optional<DayCalendar::Found> DayCalendar::DayOf(int32_t era, int32_t year, int32_t month, bool leap,
                                                     int32_t day) const
{
    const EraTable& t = m_eras->Table();
    if (era < 1 || era > t.NumberOfGengo)
        throw DateError("元号が正しくありません");
    const std::string& name = t.Gengo[era];
    const std::string monthText = std::string(leap ? "閏" : "") + std::to_string(month) + "月";
    const std::string asked = FormatEraYear(m_eras->Ref(era, year)) + monthText + std::to_string(day) + "日";
    if (year < 1)
        throw DateError(name + "の年は1（元年）からです");
    const int32_t first = FirstLunisolarYear(era);
    if (first != 0 && int64_t{first} + year - 1 <= 1872) {
        const LunisolarTable& months = m_data->months;
        const int32_t ly = first + year - 1;
        const int32_t last = m_lastLunar[static_cast<size_t>(era)];
        if (ly > last)
            throw DateError(asked + "はありません（" + name + "は" + std::to_string(last - first + 1) +
                            "年まで）");
        if (month < 1 || month > 12)
            throw DateError(asked + "はありません（月は1から12まで）");
        const std::string yearText = FormatEraYear(m_eras->Ref(era, year));
        if (leap && months.LeapMonth(ly) != month) {
            const int32_t has = months.LeapMonth(ly);
            throw DateError(asked + "はありません（" + yearText +
                            (has ? "の閏月は閏" + std::to_string(has) + "月" : "に閏月はありません") + "）");
        }
        const int32_t days = months.DaysOf(ly, month, leap);
        if (ly == 1872 && month == 12 && !leap && day > days) {
            throw DateError(asked + "はありません（" + yearText + "12月" + std::to_string(days) +
                            "日の翌日が" + FormatEraYear(m_eras->Ref(era, year + 1)) + "1月1日）");
        }
        if (day < 1 || day > days)
            throw DateError(asked + "はありません（" + yearText + monthText + "は" + std::to_string(days) +
                            "日まで）");
        Found found;
        found.jdn = *months.JdnOf({ly, month, leap, day});
        const EraDay inUse = EraDayOf(found.jdn);
        if (inUse.era != era)
            found.inUse = inUse;
        return found;
    }
    if (leap)
        throw DateError(asked + "はありません（閏月は1873年より前の旧暦にだけあります）");
    const EraCalendar::WesternResult r = m_eras->FromEraDate(era, year, month, day);
    if (!r.date)
        return std::nullopt;
    return Found{JdnOfGregorian(*r.date), std::nullopt};
}

// ---- both lines ------------------------------------------------------------------

std::unique_ptr<DayEngine> DayEngine::Load(const EngineEnvironment& env, int32_t line)
{
    std::optional<EraCalendar> cal[2];
    cal[line].emplace(EraCalendar::Load(env, line));
    try {
        cal[1 - line].emplace(EraCalendar::Load(env, 1 - line));
    } catch (const std::exception&) {
        // The other line only adds its date where the two differ.
    }
    return std::make_unique<DayEngine>(std::move(cal[0]), std::move(cal[1]), line,
                                       [env] { return LoadLunisolarData(env); });
}

DayEngine::DayEngine(std::optional<EraCalendar> north, std::optional<EraCalendar> south, int32_t line,
                     std::function<LunisolarData()> loadLunisolar)
    : m_line(line)
    , m_load(std::move(loadLunisolar))
{
    m_eraCal[0] = std::move(north);
    m_eraCal[1] = std::move(south);
    if (!m_eraCal[line])
        throw std::invalid_argument("DayEngine: the chosen line has no era calendar");
}

void DayEngine::EnsureLoaded() const
{
    std::call_once(m_once, [this] {
        std::shared_ptr<const LunisolarData> data;
        try {
            data = std::make_shared<const LunisolarData>(m_load());
            for (int32_t l = 0; l < 2; ++l)
                if (m_eraCal[l])
                    m_days[l].emplace(*m_eraCal[l], l, data);
            return;
        } catch (const YomariError& e) {
            m_error = e.Description();
        }
        for (int32_t l = 0; l < 2; ++l) {
            m_days[l].reset();
            if (m_eraCal[l])
                m_days[l].emplace(*m_eraCal[l], l, nullptr);
        }
    });
}

const DayCalendar* DayEngine::Calendar(int32_t line) const
{
    EnsureLoaded();
    if (line < 0 || line > 1 || !m_days[line])
        return nullptr;
    return &*m_days[line];
}

std::string DayEngine::LunisolarError() const
{
    EnsureLoaded();
    return m_error;
}

} // namespace yomari
