#include "engine/SimpleCalc.h"

#include "engine/CYomari.h"

#include <limits>

namespace yomari {

namespace {

// The newest era has no known end; it is counted as this many years long.
constexpr int16_t kNewestEraLength = 10000;

bool FitsInt16(int32_t value)
{
    return value >= std::numeric_limits<int16_t>::min() && value <= std::numeric_limits<int16_t>::max();
}

} // namespace

const char* SimpleCalc::InputTooLarge()
{
    return "入力値が大きすぎます。";
}
const char* SimpleCalc::ResultTooLarge()
{
    return "計算結果が大きすぎます。";
}
const char* SimpleCalc::OutOfRange()
{
    return "入力値が計算できる範囲を超えています。";
}
const char* SimpleCalc::InvalidInput()
{
    return "1以上の年を入力してください。";
}
const char* SimpleCalc::NoEra()
{
    return "元号を選んでください。";
}
const char* SimpleCalc::BadEraData()
{
    return "簡易版で扱えない元号データです。";
}

SimpleCalc::Eras SimpleCalc::FromEngine(const CYomari& engine)
{
    // Era numbers 1..4 run newest first; the table here runs oldest first.
    Eras eras;
    for (int i = 0; i < kEraCount; ++i) {
        eras[i].name = engine.Gengo(kEraCount - i);
        eras[i].firstYear = engine.Gengo1stADYear(kEraCount - i);
    }
    return eras;
}

SimpleCalc::SimpleCalc(const Eras& eras)
    : m_eras(eras)
{
    if (!FitsInt16(eras[0].firstYear))
        return;
    m_lengths[0] = static_cast<int16_t>(eras[0].firstYear);
    for (int k = 1; k < kEraCount; ++k) {
        const int64_t length = int64_t{eras[k].firstYear} - eras[k - 1].firstYear + 1;
        // An era that starts before the one it follows has no length here.
        if (length < 1 || length > std::numeric_limits<int16_t>::max())
            return;
        m_lengths[k] = static_cast<int16_t>(length);
    }
    m_lengths[kEraCount] = kNewestEraLength;
    m_usable = true;
}

SimpleCalc::Answer SimpleCalc::Refuse(const char* note)
{
    Answer a;
    a.kind = Answer::Kind::Refused;
    a.note = note;
    return a;
}

SimpleCalc::Answer SimpleCalc::EraToWestern(int era, int16_t input) const
{
    if (!m_usable)
        return Refuse(BadEraData());
    // Pasted text without a number, or a year before 1, has no answer.
    if (input < 1)
        return Refuse(InvalidInput());
    // Without an era the input would come back unchanged as a Western year.
    if (era < 0 || era >= kEraCount)
        return Refuse(NoEra());
    const int n = era + 1;
    int32_t sum = 0;
    for (int k = 0; k < n; ++k)
        sum += m_lengths[k];
    const int32_t result = input + sum - n;
    if (!FitsInt16(result)) {
        Answer a = Refuse(ResultTooLarge());
        a.kind = Answer::Kind::Cleared;
        return a;
    }
    Answer a;
    a.year = static_cast<int16_t>(result);
    a.unit = "西暦";
    // Every era but the newest has a last year; the note names it.
    if (n < kEraCount) {
        a.note = "元号最終年:" + m_eras[era].name + std::to_string(m_lengths[n]) + "年      ";
        if (input > m_lengths[n])
            a.note += "入力値は最終年以上です。";
    }
    return a;
}

SimpleCalc::Answer SimpleCalc::WesternToEra(int16_t input) const
{
    if (!m_usable)
        return Refuse(BadEraData());
    if (input < 1)
        return Refuse(InvalidInput());
    Answer a;
    if (input < m_lengths[0]) {
        a.note = m_eras[0].name + "以前です。";
        return a;
    }
    // Walk from the oldest era forward; the first era the year does not
    // outlast is its era, so a change-over year goes to the newer era.
    int32_t left = input;
    for (int i = 0; i <= kEraCount; ++i) {
        left = left - m_lengths[i] + 1;
        if (left > 0)
            continue;
        int32_t result = input;
        for (int k = 0; k < i; ++k)
            result -= m_lengths[k];
        result += i;
        a.year = static_cast<int16_t>(result);
        a.unit = m_eras[i - 1].name;
        return a;
    }
    // Past the newest era's counted span: no era of the table covers it.
    return Refuse(OutOfRange());
}

} // namespace yomari
