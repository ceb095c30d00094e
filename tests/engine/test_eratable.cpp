#include "tests/engine/EngineFixture.h"

using yomari::CYomari;

using EraTableLoad = EngineFixture;

TEST_F(EraTableLoad, FourErasGiveTheDerivedLastYears)
{
    WriteEras(kFourEras);
    CYomari& e = Engine();
    EXPECT_EQ(e.NumberOfGengo(), 4);
    EXPECT_EQ(e.Gengo(0), "西暦");
    EXPECT_EQ(e.GengoKana(0), "せいれき");
    EXPECT_EQ(e.GengoKana2(0), "");
    EXPECT_EQ(e.Gengo1stADYear(0), 0);
    EXPECT_EQ(e.Gengo(1), "平成");
    EXPECT_EQ(e.GengoKana(2), "しょうわ");
    EXPECT_EQ(e.Gengo1stADYear(4), 1868);
    const int32_t lastYears[] = {2147483647, 2147483647, 64, 15, 45};
    const int32_t lastAD[] = {2147483647, 2147483647, 1989, 1926, 1912};
    for (int i = 0; i <= 4; ++i) {
        EXPECT_EQ(e.GengoLastYear(i), lastYears[i]) << i;
        EXPECT_EQ(e.GengoLastADYear(i), lastAD[i]) << i;
    }
    EXPECT_NO_THROW(e.Gengo(4));
    for (int bad : {-1, 5}) {
        EXPECT_YOMARI_ERROR(e.Gengo(bad), 1002);
        EXPECT_YOMARI_ERROR(e.GengoKana(bad), 1002);
        EXPECT_YOMARI_ERROR(e.GengoKana2(bad), 1002);
        EXPECT_YOMARI_ERROR(e.Gengo1stADYear(bad), 1002);
        EXPECT_YOMARI_ERROR(e.GengoLastYear(bad), 1002);
        EXPECT_YOMARI_ERROR(e.GengoLastADYear(bad), 1002);
    }
}

TEST_F(EraTableLoad, EmptyAndOneRecordFiles)
{
    WriteEras("", "\"平成\",\"へいせい\",\"\",1989\r\n");
    m_dir.Write("Yomari.dan", "");
    CYomari& e = Engine();
    EXPECT_EQ(e.NumberOfGengo(), 0);
    EXPECT_EQ(e.Gengo(0), "西暦");
    EXPECT_YOMARI_ERROR(e.Gengo(1), 1002);
    // Looking up the era of a Western year needs era 1: a subscript error.
    e.SetMode(1);
    e.SetInputYear(2000);
    EXPECT_YOMARI_ERROR(e.OutputYear(), yomari::ErrorNumber::SubscriptOutOfRange);

    e.SetNanBokuMode(1);
    EXPECT_EQ(e.NumberOfGengo(), 1);
    EXPECT_EQ(e.GengoLastYear(1), 2147483647);
    EXPECT_EQ(e.GengoLastADYear(1), 2147483647);
}

TEST_F(EraTableLoad, ReadsUtf8WithBomAndLfAndUnquotedItems)
{
    m_dir.Write("Yomari.dan", "\xEF\xBB\xBF平成, へいせい,,1989\n  \"昭和\",しょうわ,\"\", 1926\n");
    CYomari& e = Engine();
    ASSERT_EQ(e.NumberOfGengo(), 2);
    EXPECT_EQ(e.Gengo(1), "平成");
    EXPECT_EQ(e.GengoKana(1), "へいせい");
    EXPECT_EQ(e.Gengo1stADYear(2), 1926);
}

TEST_F(EraTableLoad, QuotedCommaBelongsToTheTextUnquotedShiftsRecords)
{
    WriteEras("\"平成\",\"へいせい\",\"a,b\",1989\r\n\"昭和\",\"しょうわ\",\"\",1926\r\n");
    EXPECT_EQ(Engine().GengoKana2(1), "a,b");

    // Unquoted, the comma adds an item: the year item becomes "b", no number.
    TempDir other;
    other.Write("Yomari.dan", Cp932("平成,へいせい,a,b,1989\r\n昭和,しょうわ,,1926\r\n"));
    yomari::EngineEnvironment env = Env();
    env.folder = other.Path();
    EXPECT_YOMARI_ERROR(CYomari{env}, yomari::ErrorNumber::TypeMismatch);
}

TEST_F(EraTableLoad, MalformedFilesRaiseErrorsNamingTheFile)
{
    struct Case {
        const char* content;
        int32_t number;
        const char* mentions;
    };
    const Case cases[] = {
        {"\"平成\",\"へいせい\",\"\"\r\n", yomari::ErrorNumber::InputPastEndOfFile, "1件目"},
        {"\"平成\",\"へいせい\",\"\",1989\r\n\"昭和\",\"しょうわ\"\r\n",
         yomari::ErrorNumber::InputPastEndOfFile, "2件目"},
        {"\"平成\",\"へいせい\",\"\",千九百\r\n", yomari::ErrorNumber::TypeMismatch, "1件目"},
        {"\"平成\",\"へいせい\",\"\",1989.5\r\n", yomari::ErrorNumber::TypeMismatch, "1件目"},
        {"\"平成\",\"へいせい\",\"\",\r\n", yomari::ErrorNumber::TypeMismatch, "1件目"},
        {"\"平成\",\"へいせい\",\"\",99999999999\r\n", yomari::ErrorNumber::Overflow, "1件目"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const std::string path = dir.Write("Yomari.dan", Cp932(c.content));
        yomari::EngineEnvironment env = Env();
        env.folder = dir.Path();
        SCOPED_TRACE(c.content);
        const yomari::YomariError err = Raised([&] { CYomari e(env); });
        EXPECT_EQ(err.Number(), c.number);
        EXPECT_NE(err.Description().find(path), std::string::npos) << err.Description();
        EXPECT_NE(err.Description().find(c.mentions), std::string::npos) << err.Description();
        EXPECT_EQ(err.Source(), "Yomari");
    }
}

TEST_F(EraTableLoad, MissingFileIsFileNotFound)
{
    const yomari::YomariError err = Raised([&] { CYomari e(Env()); });
    EXPECT_EQ(err.Number(), yomari::ErrorNumber::FileNotFound);
    EXPECT_NE(err.Description().find("Yomari.dan"), std::string::npos);
}

TEST_F(EraTableLoad, YearsTooFarApartOverflowInsteadOfWrapping)
{
    WriteEras("\"甲\",\"こう\",\"\",2000000000\r\n\"乙\",\"おつ\",\"\",-2000000000\r\n");
    EXPECT_YOMARI_ERROR(Engine(), yomari::ErrorNumber::Overflow);
}

TEST(EraFileName, FolderRuleKeepsOneSeparator)
{
    // The system's separator joins: "/" here, "\\" on Windows.
    const std::string sep(1, static_cast<char>(std::filesystem::path::preferred_separator));
    EXPECT_EQ(yomari::FileBesideProgram("/", "Yomari", ".dan"), sep + "Yomari.dan");
    EXPECT_EQ(yomari::FileBesideProgram("/opt/yomari/", "Yomari", ".das"),
              "/opt/yomari" + sep + "Yomari.das");
    EXPECT_EQ(yomari::FileBesideProgram("/opt/yomari", "Y", ".ini"), "/opt/yomari" + sep + "Y.ini");
    EXPECT_EQ(yomari::FileBesideProgram("", "Yomari", ".dan"), sep + "Yomari.dan");
}
