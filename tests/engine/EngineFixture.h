#pragma once

#include "engine/CYomari.h"
#include "tests/engine/TempDir.h"
#include "engine/TextDecoding.h"

#include <gtest/gtest.h>

#include <memory>

// The four eras the windows' examples are written against.
inline const char* const kFourEras = "\"平成\",\"へいせい\",\"\",1989\r\n"
                                     "\"昭和\",\"しょうわ\",\"\",1926\r\n"
                                     "\"大正\",\"たいしょう\",\"\",1912\r\n"
                                     "\"明治\",\"めいじ\",\"\",1868\r\n";

inline std::string Cp932(const std::string& utf8)
{
    return *yomari::EncodeCp932(utf8);
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

    TempDir m_dir;
    int32_t m_year = 2026;
    std::unique_ptr<yomari::CYomari> m_engine;
};

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
