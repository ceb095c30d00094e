#include "tests/engine/EngineFixture.h"

using yomari::CYomari;

using Calc = FourEraEngine;

// Every calculation of the four modes, with its warning code.
TEST_F(Calc, EveryModeGivesItsYearAndWarning)
{
    const struct {
        Calculation in;
        Outcome out;
    } rows[] = {
        // Mode 1, western year to era: the boundary year goes to the newer era.
        {{1, "", 1989}, {1, 0, "平成"}},
        {{1, "", 1988}, {63, 0, "昭和"}},
        {{1, "", 1926}, {1, 0, "昭和"}},
        {{1, "", 1912}, {1, 0, "大正"}},
        {{1, "", 1868}, {1, 0, "明治"}},
        {{1, "", 2026}, {38, 0, "平成"}},
        {{1, "", 1867}, {0, 100000, "西暦"}},
        // Mode 0, era to era: warnings follow the eras' ends.
        {{0, "昭和", 64, "西暦"}, {1989}},
        {{0, "昭和", 65, "西暦"}, {1990, 1}},
        {{0, "平成", 1, "昭和"}, {64}},
        {{0, "平成", 2, "昭和"}, {65, 100}},
        {{0, "明治", 1, "平成"}, {0, 10}},
        {{0, "昭和", 70, "平成"}, {7, 1}},
        {{0, "西暦", 2000, "西暦"}, {2000}},
        {{0, "昭和", 50, "0"}, {1975}}, // the window passes era numbers as text
        {{0, "2", 50, "2"}, {50}},
        // Both the input past its era's end and the result past the target's end.
        {{0, "明治", 60, "大正"}, {16, 101}},
        // Mode 2, age: calendar years.
        {{2, "昭和", 50, "平成", 1}, {14}},
        {{2, "平成", 10, "平成", 5}, {-1, 10000}},
        {{2, "平成", 1, "平成", 1}, {0}}, // born this year: age 0, no warning
        // Reference year 0 means this year, whatever era the second input names.
        {{2, "平成", 1, "平成", 0, 2030}, {41}},
        // Reckoning past the reference era's end and birth past its era's end.
        {{2, "大正", 20, "昭和", 70}, {1995 - 1931, 1001}},
        // Mode 3, birth year from age.
        {{3, "", 0}, {38, 0, "平成", 2026}},
        {{3, "", 51}, {50, 0, "昭和", 1975}},
        {{3, "", 2026 - 1868}, {1, 0, "明治", 1868}}, // born in the oldest era's first year
        {{3, "", 2026 - 1867}, {0, 100000, "西暦", 1867}},
        {{3, "", 2025}, {0, 100000, "西暦", 1}}, // the year 1 is no year before it
        {{3, "", 2026}, {0, 1100000, "西暦", 0}},
        {{3, "", 3000}, {0, 1100000, "西暦", -974}},
        // Only the result has to fit 32 bits, not a partial sum on the way to it.
        {{0, "平成", 2147481659, "西暦"}, {2147483647}}, // 1989 + 2147481659 - 1
        {{0, "平成", 2147481659, "昭和"}, {2147483647 - 1926 + 1, 100}},
        {{2, "平成", 1, "平成", 2147481659}, {2147483647 - 1989}},
        // The largest year still converts without a wrap.
        {{1, "", 2147483647}, {2147483647 - 1989 + 1, 0, "平成"}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::PrintToString(r.in));
        EXPECT_EQ(Calculate(r.in), r.out);
    }
}

TEST_F(Calc, RefusedValuesRaiseTheirNumbersAndChangeNothing)
{
    EXPECT_EQ(Calculate({0, "昭和", 50, "西暦"}).year, 1975);
    CYomari& e = Engine();
    EXPECT_YOMARI_ERROR(e.SetMode(4), 1000);
    EXPECT_YOMARI_ERROR(e.SetMode(-1), 1000);
    EXPECT_YOMARI_ERROR(e.SetNanBokuMode(2), 1001);
    EXPECT_YOMARI_ERROR(e.SetInputGengo("5"), 1002);
    EXPECT_YOMARI_ERROR(e.SetInputGengo("-1"), 1002);
    EXPECT_YOMARI_ERROR(e.SetInputGengo("99999999999"), 1002);
    EXPECT_YOMARI_ERROR(e.SetInputYear(0), 1003);
    EXPECT_YOMARI_ERROR(e.SetInputYear2(1), 1005);
    EXPECT_YOMARI_ERROR(e.OutputGengo(), 1005);
    EXPECT_YOMARI_ERROR(e.OutputYear2(), 1005);

    // Nothing above touched the inputs or the valid result.
    EXPECT_EQ(e.Mode(), 0);
    EXPECT_EQ(e.InputGengo(), "昭和");
    EXPECT_EQ(e.InputYear(), 50);
    EXPECT_EQ(e.OutputYear(), 1975);

    e.SetMode(1);
    EXPECT_YOMARI_ERROR(e.SetInputYear(0), 1003);
    EXPECT_YOMARI_ERROR(e.SetInputGengo("1"), 1005);
    EXPECT_YOMARI_ERROR(e.SetInputGengo2("1"), 1005);
    e.SetMode(3);
    EXPECT_NO_THROW(e.SetInputYear(0));
    EXPECT_YOMARI_ERROR(e.SetInputYear(-1), 1004);
    e.SetMode(2);
    EXPECT_YOMARI_ERROR(e.SetInputYear2(-1), 1004);
    EXPECT_YOMARI_ERROR(e.OutputGengo(), 1005);
}

TEST_F(Calc, ModeChangeClearsSameModeKeeps)
{
    CYomari& e = Engine();
    e.SetMode(2);
    e.SetInputGengo("昭和");
    e.SetInputYear(50);
    e.SetInputYear2(3);
    e.SetMode(2);
    EXPECT_EQ(e.InputYear(), 50);
    EXPECT_EQ(e.InputGengo(), "昭和");
    e.SetMode(0);
    EXPECT_EQ(e.InputYear(), 0);
    EXPECT_EQ(e.InputYear2(), 0);
    EXPECT_EQ(e.InputGengo(), "西暦");
    EXPECT_EQ(e.InputGengo2(), "西暦");
    EXPECT_EQ(e.WarningNumber(), 0);
}

TEST_F(Calc, InputErasAreHeldAsNames)
{
    CYomari& e = Engine();
    // A reading is no name.
    for (const auto& [given, held] : {std::pair{"2", "昭和"}, {" 3 ", "大正"}, {"しょうわ", "西暦"}}) {
        e.SetInputGengo(given);
        EXPECT_EQ(e.InputGengo(), held) << given;
    }
    // Halves go to the even neighbour.
    for (const auto& [text, number] : {std::pair{"西暦", 0}, {"0", 0}, {"平成", 1}, {"2.5", 2}})
        EXPECT_EQ(e.GengoNumber(text), number) << text;
    EXPECT_YOMARI_ERROR(e.GengoNumber("5"), 1002);
}

TEST_F(Calc, DuplicateNamesResolveToTheFirstEra)
{
    WriteEras("\"甲\",\"こう\",\"\",2000\r\n\"乙\",\"おつ\",\"\",1900\r\n\"甲\",\"こう\",\"\",1800\r\n");
    EXPECT_EQ(Calculate({0, "3", 1, "0"}).year, 2000);
}

TEST_F(Calc, YearLookupOnSharedAndUnorderedFirstYears)
{
    const std::string shared = "\"甲\",\"こう\",\"\",2000\r\n\"乙\",\"おつ\",\"\",1900\r\n"
                               "\"丙\",\"へい\",\"\",1900\r\n\"丁\",\"てい\",\"\",1800\r\n";
    const std::string unordered = "\"甲\",\"こう\",\"\",2000\r\n\"乙\",\"おつ\",\"\",1800\r\n"
                                  "\"丙\",\"へい\",\"\",1900\r\n";
    const struct {
        const std::string& table;
        int32_t western;
        Outcome out;
    } rows[] = {
        // Two eras beginning in one year: the newer one takes it.
        {shared, 1900, {1, 0, "乙"}},
        {shared, 1999, {100, 0, "乙"}},
        {shared, 1899, {100, 0, "丁"}},
        {shared, 1800, {1, 0, "丁"}},
        {shared, 1799, {0, 100000, "西暦"}},
        // A table out of order is searched newest first as it stands.
        {unordered, 1950, {151, 0, "乙"}},
        {unordered, 1850, {51, 0, "乙"}},
        {unordered, 1799, {0, 100000, "西暦"}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::to_string(r.western) + " in " + r.table);
        WriteEras(r.table);
        m_engine.reset();
        EXPECT_EQ(Calculate({1, "", r.western}), r.out);
    }
}

TEST_F(Calc, ResultsStayValidUntilAnInputChanges)
{
    CYomari& e = Engine();
    e.SetMode(3);
    e.SetInputYear(10);
    EXPECT_EQ(e.OutputYear2(), 2016);
    m_year = 2027;
    EXPECT_EQ(e.OutputYear2(), 2016); // a valid result is not refreshed
    EXPECT_EQ(e.OutputYear(), 28);
    e.SetInputYear(10); // a successful set makes it stale, even with the same value
    EXPECT_EQ(e.OutputYear2(), 2017);

    // Warnings read before an output belong to the previous calculation.
    e.SetInputYear(5000);
    EXPECT_EQ(e.WarningNumber(), 0);
    EXPECT_EQ(e.OutputYear(), 0);
    EXPECT_EQ(e.WarningNumber(), 1100000);
    e.Clear();
    EXPECT_EQ(e.WarningNumber(), 0);
    EXPECT_EQ(e.WarningString(), "");
    EXPECT_EQ(e.Mode(), 3);
}

TEST_F(Calc, OverflowIsAnErrorAndLeavesResultsStale)
{
    EXPECT_YOMARI_ERROR(Calculate({0, "昭和", 2147483647, "西暦"}), yomari::ErrorNumber::Overflow);
    CYomari& e = Engine();
    EXPECT_YOMARI_ERROR(e.OutputYear(), yomari::ErrorNumber::Overflow); // still stale: computes again
    e.SetInputYear(1);
    EXPECT_EQ(e.OutputYear(), 1926);

    e.SetMode(3);
    m_year = -2147483647;
    e.SetInputYear(10);
    EXPECT_YOMARI_ERROR(e.OutputYear2(), yomari::ErrorNumber::Overflow);
}

TEST_F(Calc, CourtLineSwitchLoadsOtherFileOrChangesNothing)
{
    WriteEras(kFourEras, std::string(kFourEras) + "\"慶応\",\"けいおう\",\"\",1865\r\n");
    CYomari& e = Engine();
    e.SetMode(0);
    e.SetInputYear(50);
    e.SetInputGengo("昭和");
    e.SetNanBokuMode(0); // same value: nothing happens
    EXPECT_EQ(e.InputYear(), 50);

    e.SetNanBokuMode(1);
    EXPECT_EQ(e.NanBokuMode(), 1);
    EXPECT_EQ(e.NumberOfGengo(), 5);
    EXPECT_EQ(e.InputYear(), 0); // cleared by the change

    // A broken Northern file: the switch back fails and changes nothing.
    m_dir.Write("Yomari.dan", Cp932("\"平成\",\"へいせい\"\r\n"));
    e.SetInputYear(7);
    EXPECT_YOMARI_ERROR(e.SetNanBokuMode(0), yomari::ErrorNumber::InputPastEndOfFile);
    EXPECT_EQ(e.NanBokuMode(), 1);
    EXPECT_EQ(e.NumberOfGengo(), 5);
    EXPECT_EQ(e.Gengo(5), "慶応");
    EXPECT_EQ(e.InputYear(), 7);

    std::filesystem::remove(m_dir.Path() / "Yomari.dan");
    EXPECT_YOMARI_ERROR(e.SetNanBokuMode(0), yomari::ErrorNumber::FileNotFound);
    EXPECT_EQ(e.NanBokuMode(), 1);
    EXPECT_EQ(e.NumberOfGengo(), 5);
}
