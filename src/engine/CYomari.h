#pragma once

#include "engine/EngineEnvironment.h"
#include "engine/EraTable.h"
#include "engine/YomariError.h"

#include <cstdint>
#include <string>

namespace yomari {

// The era engine: holds one court line's era table and answers the four
// calculations (era conversion, Western year to era, age, birth year).
// Inputs are set, outputs read; outputs are computed lazily and cached until
// an input changes. Refused values raise YomariError and change nothing.
class CYomari {
public:
    // Loads the Northern-court era data file from the data folders. Without
    // env.currentYear, "this year" is the year in UTC.
    explicit CYomari(EngineEnvironment env);

    // Era table accessors; an era number outside 0..NumberOfGengo raises 1002.
    int32_t NumberOfGengo() const { return m_table.NumberOfGengo; }
    int32_t GengoLastYear(int32_t i) const;
    int32_t Gengo1stADYear(int32_t i) const;
    int32_t GengoLastADYear(int32_t i) const;
    std::string GengoKana(int32_t i) const;
    std::string GengoKana2(int32_t i) const;
    std::string Gengo(int32_t i) const;

    std::string InputGengo() const { return m_inputGengo; }
    void SetInputGengo(const std::string& value);
    int32_t InputYear() const { return m_inputYear; }
    void SetInputYear(int32_t value);
    int32_t InputYear2() const { return m_inputYear2; }
    void SetInputYear2(int32_t value);
    std::string InputGengo2() const { return m_inputGengo2; }
    void SetInputGengo2(const std::string& value);
    int32_t NanBokuMode() const { return m_nanBokuMode; }
    void SetNanBokuMode(int32_t value);
    int32_t Mode() const { return m_mode; }
    void SetMode(int32_t value);

    // Warnings of the last calculation; reading them never calculates.
    std::string WarningString() const { return m_warningString; }
    int32_t WarningNumber() const { return m_warningNumber; }

    const std::string& OutputGengo();
    int32_t OutputYear();
    int32_t OutputYear2();

    void Clear();

    // Era number of a text: numeric text is an era number (1002 outside the
    // table), otherwise the first era of that exact name, else 0.
    int32_t GengoNumber(const std::string& text) const;

    // Path of the era data file of a court line (the first one found).
    std::string GengoFileName(int32_t nanBokuMode) const;

    // Texts of the engine's numbered errors.
    static std::string ErrorText(int32_t number);

private:
    struct Results {
        int32_t outputYear = 0;
        int32_t outputEra = -1; // era number of OutputGengo; -1 leaves it
        int32_t outputYear2 = 0;
        bool flags[8] = {};
    };
    struct EraYear {
        int32_t era;
        int32_t year;
    };

    [[noreturn]] void Raise(int32_t number) const;
    void RequireMode(bool allowed) const;
    void SetInputEra(const std::string& value, std::string& name, int32_t& number);
    void CheckEraNumber(int32_t i) const;
    // Bounds-checked table reads for the calculations (subscript error).
    int32_t FirstYearAt(int32_t i) const
    {
        if (i < 0 || i > m_table.NumberOfGengo) [[unlikely]]
            ThrowSubscript();
        return m_table.Gengo1stADYear[i];
    }
    [[noreturn, gnu::cold]] void ThrowSubscript() const;

    EraTable LoadGengoTable(int32_t nanBokuMode) const;
    void Compute();
    void ConvertYear(int32_t p, int32_t q, Results& r) const;
    void CalcAge(int32_t p, int32_t q, Results& r) const;
    void CalcBirthYear(Results& r) const;
    int32_t GengoYearToAD(int32_t n, int32_t y) const;
    EraYear ADYearToGengo(int32_t w) const;
    int32_t ADToGengoYear(int32_t n, int32_t w) const;
    bool IsPastGengoEnd(int32_t n, int32_t w) const;
    void BuildWarning(const bool (&flags)[8]);

    EngineEnvironment m_env;
    EraTable m_table;

    int32_t m_mode = 0;
    int32_t m_nanBokuMode = 0;
    std::string m_inputGengo;
    int32_t m_inputGengoNumber = 0; // era number of the stored name
    int32_t m_inputYear = 0;
    std::string m_inputGengo2;
    int32_t m_inputGengo2Number = 0;
    int32_t m_inputYear2 = 0;
    int32_t m_outputYear = 0;
    std::string m_outputGengo;
    int32_t m_outputYear2 = 0;
    int32_t m_warningNumber = 0;
    std::string m_warningString;
    bool m_valid = false;
};

} // namespace yomari
