#include "engine/CYomari.h"

#include "engine/CheckedMath.h"
#include "engine/EraDates.h"
#include "engine/NumberText.h"
#include "engine/YomariError.h"

#include <algorithm>
#include <string_view>

namespace yomari {
namespace {

constexpr int32_t kOpenEnd = 2147483647;
constexpr const char* kCrLf = "\r\n";

} // namespace

CYomari::CYomari(EngineEnvironment env)
    : m_env(std::move(env))
{
    if (!m_env.currentYear)
        m_env.currentYear = [] { return CivilDateAt(std::chrono::system_clock::now(), {}).year; };
    Clear();
    m_table = LoadGengoTable(0);
}

// ---- errors ---------------------------------------------------------------

std::string CYomari::ErrorText(int32_t number)
{
    switch (number) {
    case 1000: return "不正なモード番号です";
    case 1001: return "不正な南北朝モード番号です";
    case 1002: return "不正な元号番号です";
    case 1003: return "入力年が0または負の数値です ";
    case 1004: return "入力年が負の数値です";
    case 1005: return "現在のモードでは設定／参照できません";
    case 1100: return "元号データに不整合があります";
    default: return "未定義のエラーです";
    }
}

void CYomari::Raise(int32_t number) const
{
    throw YomariError(number, m_env.baseName, ErrorText(number));
}

void CYomari::RequireMode(bool allowed) const
{
    if (!allowed)
        Raise(1005);
}

// ---- era table ------------------------------------------------------------

std::string CYomari::GengoFileName(int32_t nanBokuMode) const
{
    return m_env.DataFile(nanBokuMode == 0 ? ".dan" : ".das");
}

EraTable CYomari::LoadGengoTable(int32_t nanBokuMode) const
{
    // The whole file is read into a new table; the caller swaps it in only
    // when it is complete, so a failed load leaves the old table in use. A
    // user's file that cannot be used gives way to the installed one.
    return m_env.ReadDataFile(nanBokuMode == 0 ? ".dan" : ".das", [this](const std::string& file) {
        std::vector<EraRecord> records = ReadEraFile(file, m_env.baseName);
        const auto count = static_cast<int64_t>(records.size());
        if (count < m_env.minimumEras)
            throw YomariError(1100, m_env.baseName,
                              ErrorText(1100) + "。(" + file + " の元号は" + std::to_string(count) +
                                  "件です。" + std::to_string(m_env.minimumEras) + "件以上必要です)");
        return MakeEraTable(std::move(records), m_env.baseName);
    });
}

void CYomari::CheckEraNumber(int32_t i) const
{
    if (i < 0 || i > m_table.NumberOfGengo)
        Raise(1002);
}

int32_t CYomari::GengoLastYear(int32_t i) const
{
    CheckEraNumber(i);
    return m_table.GengoLastYear[i];
}

int32_t CYomari::Gengo1stADYear(int32_t i) const
{
    CheckEraNumber(i);
    return m_table.Gengo1stADYear[i];
}

int32_t CYomari::GengoLastADYear(int32_t i) const
{
    CheckEraNumber(i);
    if (i < 2)
        return kOpenEnd;
    return m_table.Gengo1stADYear[i - 1];
}

std::string CYomari::GengoKana(int32_t i) const
{
    CheckEraNumber(i);
    return m_table.GengoKana[i];
}

std::string CYomari::GengoKana2(int32_t i) const
{
    CheckEraNumber(i);
    return m_table.GengoKana2[i];
}

std::string CYomari::Gengo(int32_t i) const
{
    CheckEraNumber(i);
    return m_table.Gengo[i];
}

void CYomari::ThrowSubscript() const
{
    throw SubscriptError(m_env.baseName);
}

int32_t CYomari::GengoNumber(const std::string& text) const
{
    if (const auto value = NumberText::ParseNumber(text)) {
        const auto n = NumberText::RoundToInt32(*value);
        if (!n || *n < 0 || *n > m_table.NumberOfGengo)
            Raise(1002);
        return *n;
    }
    for (int32_t i = 0; i <= m_table.NumberOfGengo; ++i)
        if (m_table.Gengo[i] == text)
            return i;
    return 0;
}

// ---- inputs ---------------------------------------------------------------

void CYomari::SetInputEra(const std::string& value, std::string& name, int32_t& number)
{
    RequireMode(m_mode == 0 || m_mode == 2);
    std::string stored = m_table.Gengo[GengoNumber(value)];
    // Held as a name: two eras of one name both mean the first of them.
    number = GengoNumber(stored);
    name = std::move(stored);
    m_valid = false;
}

void CYomari::SetInputGengo(const std::string& value)
{
    SetInputEra(value, m_inputGengo, m_inputGengoNumber);
}

void CYomari::SetInputGengo2(const std::string& value)
{
    SetInputEra(value, m_inputGengo2, m_inputGengo2Number);
}

void CYomari::SetInputYear(int32_t value)
{
    if (m_mode == 3) {
        if (value < 0)
            Raise(1004);
    } else if (value < 1) {
        Raise(1003);
    }
    m_inputYear = value;
    m_valid = false;
}

void CYomari::SetInputYear2(int32_t value)
{
    RequireMode(m_mode == 2);
    if (value < 0)
        Raise(1004);
    m_inputYear2 = value;
    m_valid = false;
}

void CYomari::SetMode(int32_t value)
{
    if (value < 0 || value > 3)
        Raise(1000);
    if (value == m_mode)
        return;
    Clear();
    m_mode = value;
}

void CYomari::SetNanBokuMode(int32_t value)
{
    if (value < 0 || value > 1)
        Raise(1001);
    if (value == m_nanBokuMode)
        return;
    EraTable table = LoadGengoTable(value);
    Clear();
    m_nanBokuMode = value;
    m_table = std::move(table);
}

void CYomari::Clear()
{
    m_inputYear = 0;
    m_inputGengo = "西暦";
    m_inputGengoNumber = 0;
    m_inputYear2 = 0;
    m_inputGengo2 = "西暦";
    m_inputGengo2Number = 0;
    m_outputYear = 0;
    m_outputGengo.clear();
    m_outputYear2 = 0;
    m_warningNumber = 0;
    m_warningString.clear();
    m_valid = false;
}

// ---- outputs --------------------------------------------------------------

const std::string& CYomari::OutputGengo()
{
    RequireMode(m_mode == 1 || m_mode == 3);
    if (!m_valid)
        Compute();
    return m_outputGengo;
}

int32_t CYomari::OutputYear()
{
    if (!m_valid)
        Compute();
    return m_outputYear;
}

int32_t CYomari::OutputYear2()
{
    RequireMode(m_mode == 3);
    if (!m_valid)
        Compute();
    return m_outputYear2;
}

// ---- calculation ----------------------------------------------------------

void CYomari::Compute()
{
    // The warnings belong to this calculation from the start, also when it
    // fails. The outputs are computed into r first: a failure (overflow,
    // subscript) leaves the previous outputs in place and the results stale.
    m_warningNumber = 0;
    m_warningString.clear();
    Results r;
    const int32_t p = m_inputGengoNumber;
    const int32_t q = m_inputGengo2Number;
    switch (m_mode) {
    case 0:
    case 1: ConvertYear(p, q, r); break;
    case 2: CalcAge(p, q, r); break;
    case 3: CalcBirthYear(r); break;
    }
    if (m_mode == 0 || m_mode == 2)
        r.outputYear2 = m_outputYear2;
    m_outputYear = r.outputYear;
    if (r.outputEra >= 0) // the age and era-to-era results leave the era as it was
        m_outputGengo = m_table.Gengo[r.outputEra];
    m_outputYear2 = r.outputYear2;
    BuildWarning(r.flags);
    m_valid = true;
}

int32_t CYomari::GengoYearToAD(int32_t n, int32_t y) const
{
    if (n == 0)
        return y;
    return Checked32(int64_t{FirstYearAt(n)} + y - 1, m_env.baseName);
}

// Only called for a target era, never for the Western calendar (era 0).
int32_t CYomari::ADToGengoYear(int32_t n, int32_t w) const
{
    const int64_t y = int64_t{w} - FirstYearAt(n) + 1;
    return y < 0 ? 0 : Checked32(y, m_env.baseName);
}

bool CYomari::IsPastGengoEnd(int32_t n, int32_t w) const
{
    if (n < 2)
        return false;
    return w > FirstYearAt(n - 1);
}

CYomari::EraYear CYomari::ADYearToGengo(int32_t w) const
{
    EraYear result{0, 0};
    if (w >= FirstYearAt(1)) {
        result = {1, Checked32(int64_t{w} - FirstYearAt(1) + 1, m_env.baseName)};
    } else {
        // Newest first with both bounds inclusive: a boundary year goes to the
        // newer era, a year in a gap to the older one.
        int32_t n = 1;
        const int32_t oldest = m_table.Gengo1stADYear[m_table.NumberOfGengo];
        if (!m_table.EraOfYear.empty() && w >= oldest) {
            n = m_table.EraOfYear[static_cast<size_t>(int64_t{w} - oldest)];
        } else if (m_table.NewestFirst) {
            // The first era that began by W is the one; older eras began earlier.
            const auto& first = m_table.Gengo1stADYear;
            n = static_cast<int32_t>(
                std::partition_point(first.begin() + 1, first.end(), [w](int32_t f) { return f > w; }) -
                first.begin());
        }
        for (; n <= m_table.NumberOfGengo; ++n) {
            if (FirstYearAt(n) <= w && w <= FirstYearAt(n - 1)) {
                result = {n, Checked32(int64_t{w} - FirstYearAt(n) + 1, m_env.baseName)};
                break;
            }
        }
    }
    if (result.year <= 0)
        result = {0, 0};
    return result;
}

void CYomari::ConvertYear(int32_t p, int32_t q, Results& r) const
{
    if (m_mode == 1) {
        const EraYear ey = ADYearToGengo(m_inputYear);
        r.outputYear = ey.year;
        r.outputEra = ey.era;
        r.flags[5] = r.outputYear <= 0;
        return;
    }
    const int32_t w = GengoYearToAD(p, m_inputYear);
    if (q == 0) {
        r.outputYear = w;
        r.outputEra = 0;
    } else {
        r.outputYear = ADToGengoYear(q, w);
        r.flags[1] = w < FirstYearAt(q);
    }
    r.flags[0] = IsPastGengoEnd(p, w);
    r.flags[2] = IsPastGengoEnd(q, w);
}

void CYomari::CalcAge(int32_t p, int32_t q, Results& r) const
{
    const int32_t birth = GengoYearToAD(p, m_inputYear);
    const int32_t reckoning = m_inputYear2 > 0 ? GengoYearToAD(q, m_inputYear2) : m_env.currentYear();
    r.outputYear = Checked32(int64_t{reckoning} - birth, m_env.baseName);
    if (r.outputYear < 0) {
        r.outputYear = -1;
        r.flags[4] = true;
    }
    r.flags[0] = IsPastGengoEnd(p, birth);
    r.flags[3] = m_inputYear2 > 0 && IsPastGengoEnd(q, reckoning);
}

void CYomari::CalcBirthYear(Results& r) const
{
    r.outputYear2 = Checked32(int64_t{m_env.currentYear()} - m_inputYear, m_env.baseName);
    const EraYear ey = ADYearToGengo(r.outputYear2);
    r.outputYear = ey.year;
    r.outputEra = ey.era;
    r.flags[5] = r.outputYear2 < FirstYearAt(m_table.NumberOfGengo);
    r.flags[6] = r.outputYear2 < 1;
}

namespace {

// The fixed warning texts; warning 5 names the oldest era of the table.
constexpr std::string_view kWarningTexts[8] = {
    "入力年は\r\n元号最終年以上です。", "出力年の元号は\r\n始まっていません。",
    "出力年は\r\n元号最終年以上です。", "年齢計算年は\r\n元号最終年以上です。",
    "年齢計算年が\r\n生年以前です。",   "以前です。",
    "生年は西暦1年以前です。",          "未定義のエラーです。",
};

} // namespace

void CYomari::BuildWarning(const bool (&flags)[8])
{
    if (std::none_of(std::begin(flags), std::end(flags), [](bool f) { return f; }))
        return;
    int32_t value = 1;
    for (int32_t k = 0; k < 8; ++k, value *= 10) {
        if (!flags[k])
            continue;
        m_warningNumber += value;
        if (k == 5)
            m_warningString += m_table.Gengo[m_table.NumberOfGengo];
        m_warningString += kWarningTexts[k];
        m_warningString += kCrLf;
    }
}

} // namespace yomari
