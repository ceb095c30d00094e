// The simple edition's 16-bit arithmetic, without its window.
#include "engine/SimpleCalc.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using yomari::SimpleCalc;
using Kind = SimpleCalc::Answer::Kind;

const SimpleCalc::Eras kShipped{{{"明治", 1868}, {"大正", 1912}, {"昭和", 1926}, {"平成", 1989}}};

struct Case {
    const char* name;
    int era; // -1: Western year to era
    int16_t input;
    Kind kind;
    int16_t year;
    std::string unit;
    std::string note;
};

const std::string kLast = "年      ";
const std::string kBeyond = "入力値は最終年以上です。";

TEST(SimpleCalc, Table)
{
    const Case cases[] = {
        {"平成16", 3, 16, Kind::Result, 2004, "西暦", ""},
        {"明治1", 0, 1, Kind::Result, 1868, "西暦", "元号最終年:明治45" + kLast},
        {"明治46", 0, 46, Kind::Result, 1913, "西暦", "元号最終年:明治45" + kLast + kBeyond},
        {"大正15", 1, 15, Kind::Result, 1926, "西暦", "元号最終年:大正15" + kLast},
        {"昭和64", 2, 64, Kind::Result, 1989, "西暦", "元号最終年:昭和64" + kLast},
        {"平成30779 largest", 3, 30779, Kind::Result, 32767, "西暦", ""},
        {"平成30780", 3, 30780, Kind::Cleared, 0, "", SimpleCalc::ResultTooLarge()},
        {"no era", -2, 16, Kind::Refused, 0, "", SimpleCalc::NoEra()},
        {"year 0", 3, 0, Kind::Refused, 0, "", SimpleCalc::InvalidInput()},
        {"1912", -1, 1912, Kind::Result, 1, "大正", ""},
        {"1911", -1, 1911, Kind::Result, 44, "明治", ""},
        {"1868", -1, 1868, Kind::Result, 1, "明治", ""},
        {"1867", -1, 1867, Kind::Result, 0, "", "明治以前です。"},
        {"11987 last counted", -1, 11987, Kind::Result, 9999, "平成", ""},
        {"11988", -1, 11988, Kind::Refused, 0, "", SimpleCalc::OutOfRange()},
        {"-5", -1, -5, Kind::Refused, 0, "", SimpleCalc::InvalidInput()},
    };
    const SimpleCalc calc(kShipped);
    ASSERT_TRUE(calc.Usable());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SimpleCalc::Answer a =
            c.era == -1 ? calc.WesternToEra(c.input) : calc.EraToWestern(c.era, c.input);
        EXPECT_EQ(a.kind, c.kind);
        EXPECT_EQ(a.year, c.year);
        EXPECT_EQ(a.unit, c.unit);
        EXPECT_EQ(a.note, c.note);
    }
}

// Every Western year the four eras cover comes back from its era year.
TEST(SimpleCalc, EveryYearRoundTrips)
{
    const SimpleCalc calc(kShipped);
    for (int year = 1868; year <= 11987; ++year) {
        const auto toEra = calc.WesternToEra(static_cast<int16_t>(year));
        ASSERT_EQ(toEra.kind, Kind::Result) << year;
        int era = 0;
        while (calc.Name(era) != toEra.unit)
            ++era;
        const auto back = calc.EraToWestern(era, toEra.year);
        ASSERT_EQ(back.year, year) << toEra.unit << toEra.year;
    }
}

TEST(SimpleCalc, ErasThatDoNotFitAreRefused)
{
    const SimpleCalc::Eras unusable[] = {
        {{{"明治", 1868},
          {"大正", 1930},
          {"昭和", 1926},
          {"平成", 1989}}}, // starts before the one it follows
        {{{"明治", 40000}, {"大正", 40001}, {"昭和", 40002}, {"平成", 40003}}},  // beyond 16 bits
        {{{"明治", -32768}, {"大正", 32767}, {"昭和", 32767}, {"平成", 32767}}}, // a length beyond 16 bits
    };
    for (const auto& eras : unusable) {
        const SimpleCalc calc(eras);
        EXPECT_FALSE(calc.Usable()) << eras[0].firstYear << " " << eras[1].firstYear;
        EXPECT_EQ(calc.WesternToEra(1950).note, SimpleCalc::BadEraData());
        EXPECT_EQ(calc.EraToWestern(0, 1).note, SimpleCalc::BadEraData());
    }
}

} // namespace
