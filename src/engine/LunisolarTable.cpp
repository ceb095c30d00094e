#include "engine/LunisolarTable.h"

#include "engine/DataLines.h"
#include "engine/EraTable.h"
#include "engine/YomariError.h"

#include <charconv>

namespace yomari {

int64_t JdnOfGregorian(CivilDate d)
{
    return DayNumber(d) + kJdnOf1970;
}

CivilDate GregorianOfJdn(int64_t jdn)
{
    return FromDayNumber(jdn - kJdnOf1970);
}

bool IsValidJulianDate(CivilDate d)
{
    if (d.year < 1 || d.year > kLastExactYear || d.month < 1 || d.month > 12 || d.day < 1)
        return false;
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int last = kDays[d.month - 1] + (d.month == 2 && d.year % 4 == 0 ? 1 : 0);
    return d.day <= last;
}

int64_t JdnOfJulian(CivilDate d)
{
    const int64_t a = (14 - d.month) / 12;
    const int64_t y = int64_t{d.year} + 4800 - a;
    const int64_t m = d.month + 12 * a - 3;
    return d.day + (153 * m + 2) / 5 + 365 * y + y / 4 - 32083;
}

CivilDate JulianOfJdn(int64_t jdn)
{
    const int64_t c = jdn + 32082;
    const int64_t d = (4 * c + 3) / 1461;
    const int64_t e = c - 1461 * d / 4;
    const int64_t m = (5 * e + 2) / 153;
    return {static_cast<int32_t>(d - 4800 + m / 10), static_cast<int32_t>(m + 3 - 12 * (m / 10)),
            static_cast<int32_t>(e - (153 * m + 2) / 5 + 1)};
}

std::string KanshiOfDay(int64_t jdn)
{
    static constexpr const char* kStem[] = {"甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬", "癸"};
    static constexpr const char* kBranch[] = {"子", "丑", "寅", "卯", "辰", "巳",
                                              "午", "未", "申", "酉", "戌", "亥"};
    // JDN 11 was a 甲子 day.
    const int64_t k = ((jdn + 49) % 60 + 60) % 60;
    return std::string(kStem[k % 10]) + kBranch[k % 12];
}

std::string FormatLunisolarKey(const LunisolarDate& d)
{
    return std::to_string(d.year) + "-" + (d.leap ? "閏" : "") + std::to_string(d.month) + "-" +
           std::to_string(d.day);
}

namespace {

bool ReadInt(std::string_view s, int64_t& v)
{
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    return !s.empty() && ec == std::errc() && end == s.data() + s.size();
}

} // namespace

std::optional<LunisolarDate> ParseLunisolarKey(std::string_view text)
{
    const size_t a = text.find('-');
    if (a == std::string_view::npos)
        return std::nullopt;
    const size_t b = text.find('-', a + 1);
    if (b == std::string_view::npos)
        return std::nullopt;
    std::string_view month = text.substr(a + 1, b - a - 1);
    LunisolarDate d;
    if (month.substr(0, 3) == "閏") {
        d.leap = true;
        month.remove_prefix(3);
    }
    int64_t y = 0, m = 0, day = 0;
    if (!ReadInt(text.substr(0, a), y) || !ReadInt(month, m) || !ReadInt(text.substr(b + 1), day) || y < 1 ||
        y > kLastExactYear || m < 1 || m > 12 || day < 1 || day > 30)
        return std::nullopt;
    d.year = static_cast<int32_t>(y);
    d.month = static_cast<int32_t>(m);
    d.day = static_cast<int32_t>(day);
    return d;
}

LunisolarTable LunisolarTable::Read(const std::string& fileName, const std::string& errorSource)
{
    return Parse(ReadTextFileUtf8(fileName, errorSource), fileName, errorSource);
}

LunisolarTable LunisolarTable::Parse(std::string_view text, const std::string& fileName,
                                     const std::string& errorSource)
{
    LunisolarTable t;
    int line = 0;
    const auto fail = [&](const std::string& why) {
        throw YomariError(ErrorNumber::TypeMismatch, errorSource,
                          "旧暦の月のデータが正しくありません: " + why + " (" + fileName + " の" +
                              std::to_string(line) + "行目)");
    };
    int64_t next = 0; // the day after the previous year
    t.m_years.reserve(1300);
    bool ended = false;
    DataLines lines(text);
    std::string_view row;
    while (lines.Next(row)) {
        line = lines.Number();
        std::string_view f[4];
        const size_t n = SplitFields(row, f);
        if (n > 4)
            fail("項目が4つより多い");
        if (n != 4)
            fail("項目が4つ (年,ユリウス通日,閏月,日数) ではない");
        int64_t year = 0, jdn = 0, leap = 0;
        if (!ReadInt(f[0], year) || !ReadInt(f[1], jdn) || !ReadInt(f[2], leap))
            fail("年・ユリウス通日・閏月が整数ではない");
        if (ended)
            fail("1872年12月31日で終わったあとに行がある");
        if (t.m_years.empty()) {
            if (year < 1 || year > 1872 || jdn < 1 || jdn > kFirstGregorianJdn)
                fail("最初の年が範囲外");
            t.m_firstYear = static_cast<int32_t>(year);
        } else {
            if (year != t.LastYear() + 1)
                fail(std::to_string(year) + "年の前の行が" + std::to_string(t.LastYear()) + "年");
            if (jdn != next)
                fail(std::to_string(year) + "年の始まりが前の年の終わりの翌日 (" + std::to_string(next) +
                     ") ではない");
        }
        if (leap < 0 || leap > 12)
            fail("閏月は0 (なし) か1から12");
        Year y;
        y.jdn = jdn;
        y.leap = static_cast<int32_t>(leap);
        const size_t months = leap ? 13 : 12;
        if (f[3].size() != 2 * months)
            fail("月の日数が" + std::to_string(months) + "か月分 (2桁ずつ) ではない");
        int64_t day = jdn;
        for (size_t k = 0; k < months; ++k) {
            const char hi = f[3][2 * k], lo = f[3][2 * k + 1];
            if (hi < '0' || hi > '9' || lo < '0' || lo > '9')
                fail("月の日数が数字ではない");
            const int64_t len = (hi - '0') * 10 + (lo - '0');
            const bool last = year == 1872 && k + 1 == months;
            if (last ? day + len != kFirstGregorianJdn : (len != 29 && len != 30))
                fail(last ? "最後の月が1872年12月31日で終わらない"
                          : std::to_string(k + 1) + "番目の月が" + std::to_string(len) + "日 (29か30のはず)");
            y.days[k] = static_cast<uint8_t>(len);
            day += len;
        }
        y.count = static_cast<uint8_t>(months);
        t.m_years.push_back(y);
        next = day;
        ended = year == 1872;
    }
    line = lines.Number();
    if (!ended)
        fail(t.m_years.empty() ? "月が1つもない" : "1872年12月31日まで届かない");
    t.m_endJdn = next;
    return t;
}

int LunisolarTable::Slot(const Year& y, int32_t month, bool leap)
{
    if (month < 1 || month > 12 || (leap && y.leap != month))
        return -1;
    // Months after the 閏 month sit one place later.
    return month - 1 + (y.leap != 0 && (month > y.leap || leap) ? 1 : 0);
}

const LunisolarTable::Year* LunisolarTable::YearOf(int32_t year) const
{
    if (m_years.empty() || year < m_firstYear || year > LastYear())
        return nullptr;
    return &m_years[static_cast<size_t>(year - m_firstYear)];
}

std::optional<LunisolarDate> LunisolarTable::DateOf(int64_t jdn) const
{
    if (m_years.empty() || jdn < FirstJdn() || jdn >= m_endJdn)
        return std::nullopt;
    // Lunisolar years average the solar year: a guess within one year, then a step.
    auto i = static_cast<int64_t>((jdn - FirstJdn()) * 10000 / 3652425);
    const auto last = static_cast<int64_t>(m_years.size()) - 1;
    i = std::min(i, last);
    while (i > 0 && m_years[static_cast<size_t>(i)].jdn > jdn)
        --i;
    while (i < last && m_years[static_cast<size_t>(i + 1)].jdn <= jdn)
        ++i;
    const Year& y = m_years[static_cast<size_t>(i)];
    int64_t start = y.jdn;
    int k = 0;
    while (jdn >= start + y.days[k]) {
        start += y.days[k];
        ++k;
    }
    LunisolarDate d;
    d.year = m_firstYear + static_cast<int32_t>(i);
    d.leap = y.leap != 0 && k == y.leap;
    d.month = y.leap != 0 && k >= y.leap ? k : k + 1;
    d.day = static_cast<int32_t>(jdn - start + 1);
    return d;
}

std::optional<int64_t> LunisolarTable::MonthStart(int32_t year, int32_t month, bool leap) const
{
    const Year* y = YearOf(year);
    if (!y)
        return std::nullopt;
    const int slot = Slot(*y, month, leap);
    if (slot < 0 || slot >= y->count)
        return std::nullopt;
    int64_t start = y->jdn;
    for (int k = 0; k < slot; ++k)
        start += y->days[k];
    return start;
}

std::optional<int64_t> LunisolarTable::JdnOf(const LunisolarDate& d) const
{
    const auto start = MonthStart(d.year, d.month, d.leap);
    if (!start || d.day < 1 || d.day > DaysOf(d.year, d.month, d.leap))
        return std::nullopt;
    return *start + d.day - 1;
}

int32_t LunisolarTable::LeapMonth(int32_t year) const
{
    const Year* y = YearOf(year);
    return y ? y->leap : 0;
}

int32_t LunisolarTable::DaysOf(int32_t year, int32_t month, bool leap) const
{
    const Year* y = YearOf(year);
    if (!y)
        return 0;
    const int slot = Slot(*y, month, leap);
    return slot < 0 || slot >= y->count ? 0 : y->days[slot];
}

} // namespace yomari
