// The era data shipped beside the program answers real questions.
#include "engine/CYomari.h"
#include "tests/support/ShippedEnv.h"

#include <gtest/gtest.h>

#include <set>

using testsupport::ShippedEnv;
using yomari::CYomari;

namespace {

std::pair<std::string, int32_t> ToEra(CYomari& e, int32_t w)
{
    e.SetMode(1);
    e.SetInputYear(w);
    const int32_t y = e.OutputYear();
    return {e.OutputGengo(), y};
}

} // namespace

TEST(ShippedData, ModernAndOldestErasConvert)
{
    CYomari e(ShippedEnv());
    using R = std::pair<std::string, int32_t>;
    EXPECT_EQ(ToEra(e, 2019), R("令和", 1));
    EXPECT_EQ(ToEra(e, 2026), R("令和", 8));
    EXPECT_EQ(ToEra(e, 2018), R("平成", 30));
    EXPECT_EQ(ToEra(e, 1989), R("平成", 1));
    EXPECT_EQ(ToEra(e, 1926), R("昭和", 1));
    EXPECT_EQ(ToEra(e, 1912), R("大正", 1));
    EXPECT_EQ(ToEra(e, 1868), R("明治", 1));
    EXPECT_EQ(ToEra(e, 645), R("大化", 1));
    EXPECT_EQ(e.WarningNumber(), 0);
    EXPECT_EQ(ToEra(e, 644), R("西暦", 0));
    EXPECT_EQ(e.WarningNumber(), 100000);
    EXPECT_EQ(e.WarningString(), "大化以前です。\r\n");

    e.SetMode(0);
    e.SetInputGengo("昭和");
    e.SetInputYear(50);
    e.SetInputGengo2("西暦");
    EXPECT_EQ(e.OutputYear(), 1975);
}

TEST(ShippedData, BothCourtLinesAreOrderedAndShareAllButTheSplitYears)
{
    CYomari e(ShippedEnv());
    for (int line : {0, 1}) {
        e.SetNanBokuMode(line);
        const int32_t n = e.NumberOfGengo();
        ASSERT_GT(n, 200);
        const char* modern[] = {"令和", "平成", "昭和", "大正", "明治"};
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(e.Gengo(i + 1), modern[i]);
        EXPECT_EQ(e.Gengo(n), "大化");
        std::set<std::string> names;
        for (int32_t i = 2; i <= n; ++i) {
            EXPECT_LE(e.Gengo1stADYear(i), e.Gengo1stADYear(i - 1)) << e.Gengo(i);
            EXPECT_FALSE(e.GengoKana(i).empty()) << e.Gengo(i);
            EXPECT_TRUE(names.insert(e.Gengo(i)).second) << "duplicate " << e.Gengo(i);
        }
    }
    // Same answer from both lines outside 1331-1392, different inside.
    CYomari north(ShippedEnv());
    CYomari south(ShippedEnv());
    south.SetNanBokuMode(1);
    for (int32_t w : {645, 1000, 1330, 1400, 1600, 1868, 2026}) {
        EXPECT_EQ(ToEra(north, w), ToEra(south, w)) << w;
    }
    EXPECT_EQ(ToEra(north, 1350).first, "観応");
    EXPECT_EQ(ToEra(south, 1350).first, "正平");
}
