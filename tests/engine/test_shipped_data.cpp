// The era data shipped beside the program answers real questions.
#include "tests/engine/EngineFixture.h"
#include "tests/support/ShippedEnv.h"

#include <set>

using testsupport::ShippedEnv;
using yomari::CYomari;

TEST(ShippedData, ModernAndOldestErasConvert)
{
    CYomari e(ShippedEnv());
    const std::pair<int32_t, Outcome> years[] = {
        {2019, {1, 0, "令和"}}, {2026, {8, 0, "令和"}}, {2018, {30, 0, "平成"}},
        {1989, {1, 0, "平成"}}, {1926, {1, 0, "昭和"}}, {1912, {1, 0, "大正"}},
        {1868, {1, 0, "明治"}}, {645, {1, 0, "大化"}},  {644, {0, 100000, "西暦"}},
    };
    for (const auto& [western, out] : years)
        EXPECT_EQ(Calculate(e, {1, "", western}), out) << western;
    EXPECT_EQ(e.WarningString(), "大化以前です。\r\n");
    EXPECT_EQ(Calculate(e, {0, "昭和", 50, "西暦"}).year, 1975);
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
    for (int32_t w : {645, 1000, 1330, 1400, 1600, 1868, 2026})
        EXPECT_EQ(Calculate(north, {1, "", w}), Calculate(south, {1, "", w})) << w;
    EXPECT_EQ(Calculate(north, {1, "", 1350}).era, "観応");
    EXPECT_EQ(Calculate(south, {1, "", 1350}).era, "正平");
}
