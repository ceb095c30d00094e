#pragma once

#include "engine/CYomari.h"
#include "tests/engine/TempDir.h"
#include "engine/TextDecoding.h"
#include "tests/support/ShippedEnv.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

// The four eras the windows' examples are written against.
inline const char* const kFourEras = "\"平成\",\"へいせい\",\"\",1989\r\n"
                                     "\"昭和\",\"しょうわ\",\"\",1926\r\n"
                                     "\"大正\",\"たいしょう\",\"\",1912\r\n"
                                     "\"明治\",\"めいじ\",\"\",1868\r\n";

using testsupport::Cp932;

// One calculation as the main window asks for it: the mode, then the inputs
// that mode takes (eras in modes 0 and 2, the second year in mode 2), on a
// day of the given year.
struct Calculation {
    int32_t mode;
    const char* era = "";
    int32_t year = 0;
    const char* era2 = "";
    int32_t year2 = 0;
    int32_t thisYear = 2026;
};

// What comes out: the year, the warning code, the era (modes 1 and 3) and the
// western year (mode 3).
struct Outcome {
    int32_t year;
    int32_t warning = 0;
    std::string era{};
    int32_t year2 = 0;
    bool operator==(const Outcome&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Calculation& c)
{
    return out << "mode " << c.mode << ": " << c.era << " " << c.year << " / " << c.era2 << " " << c.year2
               << " in " << c.thisYear;
}

inline std::ostream& operator<<(std::ostream& out, const Outcome& o)
{
    return out << "{" << o.year << ", warning " << o.warning << ", " << o.era << ", " << o.year2 << "}";
}

// Runs the calculation once per output, each time from cleared results and
// with that output read first, since any of them starts it; the outcomes must
// agree. The engine's clock decides "this year".
inline Outcome Calculate(yomari::CYomari& e, const Calculation& c)
{
    const int outputs = c.mode == 3 ? 3 : c.mode == 1 ? 2 : 1;
    Outcome first{};
    for (int k = 0; k < outputs; ++k) {
        e.SetMode(c.mode);
        e.Clear();
        const bool eras = c.mode == 0 || c.mode == 2;
        if (eras)
            e.SetInputGengo(c.era);
        e.SetInputYear(c.year);
        if (eras)
            e.SetInputGengo2(c.era2);
        if (c.mode == 2)
            e.SetInputYear2(c.year2);
        Outcome o{};
        for (int i = 0; i < outputs; ++i) {
            switch ((k + i) % outputs) {
            case 0: o.year = e.OutputYear(); break;
            case 1: o.era = e.OutputGengo(); break;
            default: o.year2 = e.OutputYear2(); break;
            }
            if (i == 0)
                o.warning = e.WarningNumber();
        }
        if (k == 0)
            first = o;
        else
            EXPECT_EQ(o, first) << "with output " << k << " read first";
    }
    return first;
}

// An engine over era files written into a temporary folder, with a clock the
// test controls.
class EngineFixture : public ::testing::Test {
protected:
    void WriteEras(const std::string& dan, const std::string& das = "")
    {
        m_dir.Write("Yomari.dan", Cp932(dan));
        m_dir.Write("Yomari.das", Cp932(das.empty() ? dan : das));
    }

    yomari::EngineEnvironment Env()
    {
        yomari::EngineEnvironment env;
        env.folder = m_dir.Path();
        env.baseName = "Yomari";
        env.currentYear = [this] { return m_year; };
        return env;
    }

    yomari::CYomari& Engine()
    {
        if (!m_engine)
            m_engine = std::make_unique<yomari::CYomari>(Env());
        return *m_engine;
    }

    // Calculate(engine, c) on this fixture's engine, on a day of c's year.
    Outcome Calculate(const Calculation& c)
    {
        m_year = c.thisYear;
        return ::Calculate(Engine(), c);
    }

    TempDir m_dir;
    int32_t m_year = 2026;
    std::unique_ptr<yomari::CYomari> m_engine;
};

// The engine over the four eras.
class FourEraEngine : public EngineFixture {
protected:
    void SetUp() override { WriteEras(kFourEras); }
};

// The error the call raises; a failure and number -1 when it raises none.
inline yomari::YomariError Raised(const std::function<void()>& call)
{
    try {
        call();
    } catch (const yomari::YomariError& e) {
        return e;
    }
    ADD_FAILURE() << "no error raised";
    return yomari::YomariError(-1, "", "");
}

// Expects a YomariError with the given number from the statement.
#define EXPECT_YOMARI_ERROR(statement, number)                                                               \
    do {                                                                                                     \
        try {                                                                                                \
            statement;                                                                                       \
            ADD_FAILURE() << "no error raised by " #statement;                                               \
        } catch (const yomari::YomariError& e) {                                                             \
            EXPECT_EQ(e.Number(), number) << e.Description();                                                \
        }                                                                                                    \
    } while (0)
