#include "tests/engine/EngineFixture.h"

using yomari::CYomari;

class Calc : public EngineFixture {
protected:
    void SetUp() override { WriteEras(kFourEras); }

    // Mode 0: year of era p expressed in era q.
    int32_t Convert(const char* p, int32_t y, const char* q)
    {
        CYomari& e = Engine();
        e.SetMode(0);
        e.SetInputGengo(p);
        e.SetInputYear(y);
        e.SetInputGengo2(q);
        return e.OutputYear();
    }

    std::pair<std::string, int32_t> ToEra(int32_t w)
    {
        CYomari& e = Engine();
        e.SetMode(1);
        e.SetInputYear(w);
        const int32_t y = e.OutputYear();
        return {e.OutputGengo(), y};
    }
};

TEST_F(Calc, WesternYearToEraGivesBoundaryYearToNewerEra)
{
    using R = std::pair<std::string, int32_t>;
    EXPECT_EQ(ToEra(1989), R("平成", 1));
    EXPECT_EQ(ToEra(1988), R("昭和", 63));
    EXPECT_EQ(ToEra(1926), R("昭和", 1));
    EXPECT_EQ(ToEra(1912), R("大正", 1));
    EXPECT_EQ(ToEra(1868), R("明治", 1));
    EXPECT_EQ(ToEra(2026), R("平成", 38));
    EXPECT_EQ(Engine().WarningNumber(), 0);

    EXPECT_EQ(ToEra(1867), R("西暦", 0));
    EXPECT_EQ(Engine().WarningNumber(), 100000);
}

TEST_F(Calc, EraConversionWarningsFollowEraEnds)
{
    EXPECT_EQ(Convert("昭和", 64, "西暦"), 1989);
    EXPECT_EQ(Engine().WarningNumber(), 0);
    EXPECT_EQ(Convert("昭和", 65, "西暦"), 1990);
    EXPECT_EQ(Engine().WarningNumber(), 1);

    EXPECT_EQ(Convert("平成", 1, "昭和"), 64);
    EXPECT_EQ(Engine().WarningNumber(), 0);
    EXPECT_EQ(Convert("平成", 2, "昭和"), 65);
    EXPECT_EQ(Engine().WarningNumber(), 100);

    EXPECT_EQ(Convert("明治", 1, "平成"), 0);
    EXPECT_EQ(Engine().WarningNumber(), 10);

    EXPECT_EQ(Convert("昭和", 70, "平成"), 7);
    EXPECT_EQ(Engine().WarningNumber(), 1);
    EXPECT_EQ(Convert("西暦", 2000, "西暦"), 2000);
    EXPECT_EQ(Convert("昭和", 50, "0"), 1975); // the window passes era numbers as text
    EXPECT_EQ(Convert("2", 50, "2"), 50);
    // Both the input past its era's end and the result past the target's end.
    EXPECT_EQ(Convert("明治", 60, "大正"), 16);
    EXPECT_EQ(Engine().WarningNumber(), 101);
}

TEST_F(Calc, AgeCountsCalendarYears)
{
    CYomari& e = Engine();
    e.SetMode(2);
    e.SetInputGengo("昭和");
    e.SetInputYear(50);
    e.SetInputGengo2("平成");
    e.SetInputYear2(1);
    EXPECT_EQ(e.OutputYear(), 14);
    EXPECT_EQ(e.WarningNumber(), 0);

    e.SetInputGengo("平成");
    e.SetInputYear(10);
    e.SetInputYear2(5);
    EXPECT_EQ(e.OutputYear(), -1);
    EXPECT_EQ(e.WarningNumber(), 10000);

    // Reference year 0 means this year, whatever era the second input names.
    e.SetInputYear(1);
    e.SetInputYear2(0);
    m_year = 2030;
    EXPECT_EQ(e.OutputYear(), 41);

    // Reckoning past the reference era's end and birth past its era's end.
    e.SetInputGengo("大正");
    e.SetInputYear(20);
    e.SetInputGengo2("昭和");
    e.SetInputYear2(70);
    EXPECT_EQ(e.OutputYear(), 1995 - 1931);
    EXPECT_EQ(e.WarningNumber(), 1001);
}

TEST_F(Calc, BirthYearFromAge)
{
    CYomari& e = Engine();
    e.SetMode(3);
    e.SetInputYear(0);
    EXPECT_EQ(e.OutputYear2(), 2026);
    EXPECT_EQ(e.OutputGengo(), "平成");
    EXPECT_EQ(e.OutputYear(), 38);

    e.SetInputYear(51);
    EXPECT_EQ(e.OutputYear2(), 1975);
    EXPECT_EQ(e.OutputGengo(), "昭和");
    EXPECT_EQ(e.OutputYear(), 50);
    EXPECT_EQ(e.WarningNumber(), 0);

    e.SetInputYear(3000);
    EXPECT_EQ(e.OutputYear(), 0);
    EXPECT_EQ(e.OutputYear2(), -974);
    EXPECT_EQ(e.OutputGengo(), "西暦");
    EXPECT_EQ(e.WarningNumber(), 1100000);
}

TEST_F(Calc, RefusedValuesRaiseTheirNumbersAndChangeNothing)
{
    CYomari& e = Engine();
    e.SetMode(0);
    e.SetInputGengo("昭和");
    e.SetInputYear(50);
    e.SetInputGengo2("西暦");
    EXPECT_EQ(e.OutputYear(), 1975);

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
    e.SetInputGengo("2");
    EXPECT_EQ(e.InputGengo(), "昭和");
    e.SetInputGengo(" 3 ");
    EXPECT_EQ(e.InputGengo(), "大正");
    e.SetInputGengo("しょうわ"); // a reading is no name
    EXPECT_EQ(e.InputGengo(), "西暦");
    EXPECT_EQ(e.GengoNumber("西暦"), 0);
    EXPECT_EQ(e.GengoNumber("0"), 0);
    EXPECT_EQ(e.GengoNumber("平成"), 1);
    EXPECT_EQ(e.GengoNumber("2.5"), 2); // halves go to the even neighbour
    EXPECT_YOMARI_ERROR(e.GengoNumber("5"), 1002);
}

TEST_F(Calc, DuplicateNamesResolveToTheFirstEra)
{
    WriteEras("\"甲\",\"こう\",\"\",2000\r\n\"乙\",\"おつ\",\"\",1900\r\n\"甲\",\"こう\",\"\",1800\r\n");
    CYomari& e = Engine();
    e.SetMode(0);
    e.SetInputGengo("3");
    e.SetInputYear(1);
    e.SetInputGengo2("0");
    EXPECT_EQ(e.OutputYear(), 2000);
}

TEST_F(Calc, YearLookupOnSharedAndUnorderedFirstYears)
{
    using R = std::pair<std::string, int32_t>;
    // Two eras beginning in one year: the newer one takes it.
    WriteEras("\"甲\",\"こう\",\"\",2000\r\n\"乙\",\"おつ\",\"\",1900\r\n"
              "\"丙\",\"へい\",\"\",1900\r\n\"丁\",\"てい\",\"\",1800\r\n");
    EXPECT_EQ(ToEra(1900), R("乙", 1));
    EXPECT_EQ(ToEra(1999), R("乙", 100));
    EXPECT_EQ(ToEra(1899), R("丁", 100));
    EXPECT_EQ(ToEra(1800), R("丁", 1));
    EXPECT_EQ(ToEra(1799), R("西暦", 0));

    // A table out of order is searched newest first as it stands.
    m_engine.reset();
    WriteEras("\"甲\",\"こう\",\"\",2000\r\n\"乙\",\"おつ\",\"\",1800\r\n"
              "\"丙\",\"へい\",\"\",1900\r\n");
    EXPECT_EQ(ToEra(1950), R("乙", 151));
    EXPECT_EQ(ToEra(1850), R("乙", 51));
    EXPECT_EQ(ToEra(1799), R("西暦", 0));
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
    CYomari& e = Engine();
    e.SetMode(0);
    e.SetInputGengo("昭和");
    e.SetInputYear(2147483647);
    e.SetInputGengo2("西暦");
    EXPECT_YOMARI_ERROR(e.OutputYear(), yomari::ErrorNumber::Overflow);
    EXPECT_YOMARI_ERROR(e.OutputYear(), yomari::ErrorNumber::Overflow); // still stale: computes again
    e.SetInputYear(1);
    EXPECT_EQ(e.OutputYear(), 1926);

    e.SetMode(3);
    m_year = -2147483647;
    e.SetInputYear(10);
    EXPECT_YOMARI_ERROR(e.OutputYear2(), yomari::ErrorNumber::Overflow);
    m_year = 2026;

    // The largest year still converts without a wrap.
    e.SetMode(1);
    e.SetInputYear(2147483647);
    EXPECT_EQ(e.OutputYear(), 2147483647 - 1989 + 1);
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
