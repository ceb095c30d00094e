#include "engine/EraDates.h"

#include "engine/ItemReader.h"
#include "engine/YomariError.h"

#include <charconv>
#include <chrono>
#include <filesystem>

namespace yomari {

namespace chr = std::chrono;

// ---- Gregorian days --------------------------------------------------------

int32_t DaysInMonth(int32_t year, int32_t month)
{
    if (month < 1 || month > 12 || year < -32767 || year > 32767)
        return 0;
    const chr::year_month_day_last last{chr::year{year},
                                        chr::month_day_last{chr::month{static_cast<unsigned>(month)}}};
    return static_cast<int32_t>(unsigned{last.day()});
}

bool IsValidCivilDate(CivilDate d)
{
    return d.year >= 1 && d.year <= kLastExactYear && d.day >= 1 && d.day <= DaysInMonth(d.year, d.month);
}

int64_t DayNumber(CivilDate d)
{
    const chr::year_month_day ymd{chr::year{d.year}, chr::month{static_cast<unsigned>(d.month)},
                                  chr::day{static_cast<unsigned>(d.day)}};
    return chr::sys_days{ymd}.time_since_epoch().count();
}

CivilDate FromDayNumber(int64_t days)
{
    const chr::year_month_day ymd{chr::sys_days{chr::days{days}}};
    return {static_cast<int32_t>(int{ymd.year()}), static_cast<int32_t>(unsigned{ymd.month()}),
            static_cast<int32_t>(unsigned{ymd.day()})};
}

std::string FormatCivilDate(CivilDate d)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
    return buf;
}

std::string FormatEraYear(const EraYearRef& ref)
{
    if (ref.year == 1)
        return ref.era + "元年";
    return ref.era + std::to_string(ref.year) + "年";
}

// ---- the start-day file ------------------------------------------------------

std::vector<EraStartDay> ReadEraStartDays(const std::string& fileName, const std::string& errorSource)
{
    ItemReader reader(ReadTextFileUtf8(fileName, errorSource));
    std::vector<EraStartDay> days;
    while (!reader.AtEnd()) {
        const int record = static_cast<int>(days.size()) + 1;
        const auto where = [&] {
            return "(" + fileName + " の" + std::to_string(record) + "件目、" +
                   std::to_string(reader.Line()) + "行目)";
        };
        std::string items[4];
        for (std::string& item : items) {
            auto next = reader.Next();
            if (!next)
                throw YomariError(ErrorNumber::InputPastEndOfFile, errorSource,
                                  "元号の開始日データが途中で終わっています。" + where());
            item = std::move(*next);
        }
        int32_t n[3] = {};
        for (int k = 0; k < 3; ++k) {
            const std::string& s = items[k + 1];
            const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), n[k]);
            if (s.empty() || ec != std::errc() || end != s.data() + s.size())
                throw YomariError(ErrorNumber::TypeMismatch, errorSource,
                                  "元号の開始日が数字ではありません: \"" + s + "\" " + where());
        }
        const CivilDate d{n[0], n[1], n[2]};
        if (items[0].empty() || !IsValidCivilDate(d))
            throw YomariError(ErrorNumber::TypeMismatch, errorSource,
                              "元号の開始日が正しくありません: \"" + items[0] + "\" " +
                                  std::to_string(d.year) + "-" + std::to_string(d.month) + "-" +
                                  std::to_string(d.day) + " " + where());
        days.push_back({std::move(items[0]), d});
    }
    return days;
}

// ---- the calendar ---------------------------------------------------------------

EraCalendar EraCalendar::Load(const EngineEnvironment& env, int32_t nanBokuMode)
{
    const std::string source = env.baseName;
    const std::string eraExtension = nanBokuMode == 0 ? ".dan" : ".das";
    const auto readTable = [&](const std::string& file) {
        std::vector<EraRecord> records = ReadEraFile(file, source);
        // An empty file is a broken one: it gives way like any other.
        if (records.empty())
            throw YomariError(ErrorNumber::InputPastEndOfFile, source,
                              "元号データがありません。(" + file + ")");
        return MakeEraTable(std::move(records), source);
    };
    // Each file on its own first, found and falling back as every data file does.
    auto [eraFile, table] = env.ReadDataFile(
        eraExtension, [&](const std::string& file) { return std::make_pair(file, readTable(file)); });
    auto [dayFile, days] = env.ReadDataFile(".dad", [&](const std::string& file) {
        return std::make_pair(file, ReadEraStartDays(file, source));
    });
    try {
        return FromData(std::move(table), days, source);
    } catch (const YomariError& mismatch) {
        // A user's new era file beside the installed start days (or the other
        // way round): the two files of one folder were written together, so
        // the first folder whose pair agrees is used, and both refused files
        // are named.
        const std::string refused = eraFile + " と " + dayFile;
        const std::vector<std::string> eraFiles = env.DataFileCandidates(eraExtension);
        const std::vector<std::string> dayFiles = env.DataFileCandidates(".dad");
        for (size_t k = 0; k < eraFiles.size() && k < dayFiles.size(); ++k) {
            std::error_code ec;
            if ((eraFiles[k] == eraFile && dayFiles[k] == dayFile) ||
                !std::filesystem::is_regular_file(eraFiles[k], ec) ||
                !std::filesystem::is_regular_file(dayFiles[k], ec))
                continue;
            try {
                EraCalendar pair =
                    FromData(readTable(eraFiles[k]), ReadEraStartDays(dayFiles[k], source), source);
                if (env.fallbackNotice)
                    env.fallbackNotice(refused, mismatch.Description(), eraFiles[k] + " と " + dayFiles[k]);
                return pair;
            } catch (const YomariError&) {
                // This folder's pair is no better; the next one may be.
            }
        }
        throw YomariError(mismatch.Number(), source, mismatch.Description() + "(" + refused + ")");
    }
}

EraCalendar EraCalendar::FromData(EraTable table, const std::vector<EraStartDay>& days,
                                  const std::string& errorSource)
{
    EraCalendar c;
    c.m_table = std::move(table);
    c.m_source = errorSource;
    const auto fail = [&](const std::string& why) {
        throw YomariError(ErrorNumber::TypeMismatch, errorSource,
                          "元号の開始日が元号データと合いません: " + why);
    };
    const int32_t n = c.m_table.NumberOfGengo;
    if (static_cast<int32_t>(days.size()) > n)
        fail("開始日の件数が元号より多い");
    c.m_startDay.assign(days.size() + 1, 0);
    c.m_startDate.assign(days.size() + 1, CivilDate{});
    for (size_t k = 0; k < days.size(); ++k) {
        const auto era = static_cast<int32_t>(k + 1);
        const EraStartDay& d = days[k];
        if (c.m_table.Gengo[era] != d.era)
            fail(std::to_string(era) + "件目は「" + c.m_table.Gengo[era] + "」のはずが「" + d.era + "」");
        if (c.m_table.Gengo1stADYear[era] != d.start.year)
            fail("「" + d.era + "」の年が" + std::to_string(d.start.year) + "、元号データでは" +
                 std::to_string(c.m_table.Gengo1stADYear[era]));
        if (k > 0 && !(d.start < days[k - 1].start))
            fail("「" + d.era + "」が次の元号より後に始まっている");
        c.m_startDay[era] = DayNumber(d.start);
        c.m_startDate[era] = d.start;
    }
    c.m_exactCount = static_cast<int32_t>(days.size());
    // The exact days must reach back to 1873: the oldest era with a day must
    // have begun by then.
    if (n >= 1 && (c.m_exactCount == 0 || c.m_startDate[c.m_exactCount] > kFirstExactDay))
        fail("1873年1月1日の元号に開始日がない");
    return c;
}

int32_t EraCalendar::FindEra(std::string_view name) const
{
    for (int32_t i = 1; i <= m_table.NumberOfGengo; ++i)
        if (m_table.Gengo[i] == name)
            return i;
    return 0;
}

std::vector<int32_t> EraCalendar::FindErasByReading(std::string_view reading) const
{
    std::vector<int32_t> found;
    if (reading.empty())
        return found;
    for (int32_t i = 1; i <= m_table.NumberOfGengo; ++i)
        if (m_table.GengoKana[i] == reading || m_table.GengoKana2[i] == reading)
            found.push_back(i);
    return found;
}

EraYearRef EraCalendar::Ref(int32_t era, int32_t year) const
{
    return {m_table.Gengo[era], m_table.GengoKana[era], year};
}

std::optional<CivilDate> EraCalendar::StartDay(int32_t era) const
{
    if (era >= 1 && era <= m_exactCount)
        return m_startDate[era];
    return std::nullopt;
}

int32_t EraCalendar::TableEraOfYear(int32_t w) const
{
    const int32_t n = m_table.NumberOfGengo;
    for (int32_t i = 1; i <= n; ++i)
        if (m_table.Gengo1stADYear[i] <= w)
            return i;
    return 0;
}

int32_t EraCalendar::LastYear(int32_t era) const
{
    return m_table.GengoLastYear[era];
}

EraCalendar::EraDateResult EraCalendar::ToEraDate(CivilDate d) const
{
    if (d.year < 1 || d.year > kLastExactYear)
        throw DateError("日付の年は1から" + std::to_string(kLastExactYear) + "までです");
    if (!IsValidCivilDate(d)) {
        if (d.month >= 1 && d.month <= 12 && d.day >= 1)
            throw DateError(std::to_string(d.year) + "年" + std::to_string(d.month) + "月" +
                            std::to_string(d.day) + "日はありません（" + std::to_string(d.month) + "月は" +
                            std::to_string(DaysInMonth(d.year, d.month)) + "日まで）");
        throw DateError("日付が正しくありません");
    }
    EraDateResult r;
    r.month = d.month;
    r.day = d.day;
    if (d >= kFirstExactDay) {
        for (int32_t i = 1; i <= m_exactCount; ++i) {
            if (m_startDate[i] <= d) {
                r.eraYear = Ref(i, d.year - m_startDate[i].year + 1);
                r.exact = true;
                return r;
            }
        }
    }
    const int32_t era = TableEraOfYear(d.year);
    if (era == 0)
        throw DateError(std::to_string(d.year) + "年は" + m_table.Gengo.back() +
                        "より前で、元号がありません");
    r.eraYear = Ref(era, d.year - m_table.Gengo1stADYear[era] + 1);
    return r;
}

int32_t EraCalendar::WesternYearOf(int32_t era, int32_t year) const
{
    if (era < 1 || era > m_table.NumberOfGengo)
        throw DateError("元号が正しくありません");
    const std::string& name = m_table.Gengo[era];
    if (year < 1)
        throw DateError(name + "の年は1（元年）からです");
    if (year > LastYear(era))
        throw DateError(name + "は" + std::to_string(LastYear(era)) + "年までです");
    const int64_t w = int64_t{m_table.Gengo1stADYear[era]} + year - 1;
    if (w > 2147483647)
        throw DateError(name + std::to_string(year) + "年は大きすぎます");
    return static_cast<int32_t>(w);
}

EraCalendar::WesternResult EraCalendar::FromEraDate(int32_t era, int32_t year, int32_t month,
                                                    int32_t day) const
{
    const int32_t w = WesternYearOf(era, year);
    const std::string name = m_table.Gengo[era];
    const std::string asked =
        FormatEraYear(Ref(era, year)) + std::to_string(month) + "月" + std::to_string(day) + "日";
    if (month < 1 || month > 12)
        throw DateError(asked + "はありません（月は1から12まで）");
    const CivilDate d{w, month, day};
    if (w < kFirstExactDay.year || era > m_exactCount) {
        // Lunisolar: months of 29 or 30 days; the Gregorian calendar began
        // on the day after 明治5年12月2日.
        if (day < 1 || day > 30)
            throw DateError(asked + "はありません（旧暦の日は1から30まで）");
        if (w == kFirstExactDay.year - 1 && month == 12 && day > 2) {
            const EraDateResult next = ToEraDate(kFirstExactDay);
            throw DateError(asked + "はありません（" + FormatEraYear(Ref(era, year)) + "12月2日の翌日が" +
                            FormatEraYear(next.eraYear) + "1月1日）");
        }
        if (w >= kFirstExactDay.year)
            throw DateError(asked + "はありません（" + name + "は1873年より前の元号です）");
        return {w, std::nullopt};
    }
    if (w > kLastExactYear)
        return {w, std::nullopt};
    if (day < 1 || day > DaysInMonth(w, month))
        throw DateError(asked + "はありません（" + std::to_string(w) + "年" + std::to_string(month) + "月は" +
                        std::to_string(DaysInMonth(w, month)) + "日まで）");
    const int64_t n = DayNumber(d);
    if (n < m_startDay[era])
        throw DateError(asked + "はありません（" + name + "は" + FormatCivilDate(m_startDate[era]) +
                        "から）");
    if (era > 1 && n >= m_startDay[era - 1])
        throw DateError(asked + "はありません（" + name + "は" +
                        FormatCivilDate(FromDayNumber(m_startDay[era - 1] - 1)) + "まで）");
    return {w, d};
}

std::optional<std::pair<CivilDate, CivilDate>> EraCalendar::DaysOfEraYear(int32_t era, int32_t year) const
{
    const int32_t w = WesternYearOf(era, year);
    if (era > m_exactCount || w < kFirstExactDay.year || w > kLastExactYear)
        return std::nullopt;
    CivilDate from{w, 1, 1};
    CivilDate to{w, 12, 31};
    if (from < m_startDate[era])
        from = m_startDate[era];
    if (era > 1) {
        const CivilDate last = FromDayNumber(m_startDay[era - 1] - 1);
        if (last < to)
            to = last;
    }
    return std::make_pair(from, to);
}

std::vector<EraCalendar::YearShare> EraCalendar::ErasOfYear(int32_t w) const
{
    std::vector<YearShare> shares;
    if (w >= kFirstExactDay.year && w <= kLastExactYear) {
        const CivilDate first{w, 1, 1};
        const CivilDate last{w, 12, 31};
        for (int32_t i = 1; i <= m_exactCount; ++i) {
            const CivilDate from = std::max(first, m_startDate[i]);
            const CivilDate to = i > 1 ? std::min(last, FromDayNumber(m_startDay[i - 1] - 1)) : last;
            if (from <= to)
                shares.push_back({Ref(i, w - m_startDate[i].year + 1), from, to});
        }
        return shares;
    }
    for (int32_t i = 1; i <= m_table.NumberOfGengo; ++i) {
        const int32_t first = m_table.Gengo1stADYear[i];
        if (first > w)
            continue;
        if (int64_t{w} - first + 1 > LastYear(i))
            break;
        shares.push_back({Ref(i, w - first + 1), std::nullopt, std::nullopt});
    }
    return shares;
}

// ---- 干支, age, today ---------------------------------------------------------

Kanshi KanshiOfYear(int32_t westernYear)
{
    static constexpr const char* kStem[] = {"甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬", "癸"};
    static constexpr const char* kStemReading[] = {"きのえ",   "きのと", "ひのえ", "ひのと",   "つちのえ",
                                                   "つちのと", "かのえ", "かのと", "みずのえ", "みずのと"};
    static constexpr const char* kBranch[] = {"子", "丑", "寅", "卯", "辰", "巳",
                                              "午", "未", "申", "酉", "戌", "亥"};
    static constexpr const char* kBranchReading[] = {"ね",   "うし",   "とら", "う",   "たつ", "み",
                                                     "うま", "ひつじ", "さる", "とり", "いぬ", "い"};
    // 4 (and 1984) was 甲子.
    const int64_t k = ((int64_t{westernYear} - 4) % 60 + 60) % 60;
    return {std::string(kStem[k % 10]) + kBranch[k % 12],
            std::string(kStemReading[k % 10]) + kBranchReading[k % 12]};
}

int32_t AgeOn(CivilDate birth, CivilDate on)
{
    int32_t age = on.year - birth.year;
    if (on.month < birth.month || (on.month == birth.month && on.day < birth.day))
        --age;
    return age;
}

int32_t KazoeAge(int32_t birthYear, int32_t year)
{
    return year - birthYear + 1;
}

CivilDate CivilDateAt(chr::system_clock::time_point now, chr::seconds utcOffset)
{
    return FromDayNumber(chr::floor<chr::days>(now + utcOffset).time_since_epoch().count());
}

} // namespace yomari
