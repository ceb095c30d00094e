// The 厄年・長寿 data file: the shipped ages, and every kind of broken file
// refused with a message that names the file and the line.
#include "tests/engine/EngineFixture.h"
#include "engine/Milestones.h"
#include "engine/TextTable.h"

using yomari::Milestones;

namespace {

Milestones::Kind Men = Milestones::Kind::Men;
Milestones::Kind Women = Milestones::Kind::Women;
Milestones::Kind Longevity = Milestones::Kind::Longevity;

} // namespace

TEST(MilestoneFile, ShippedAgesByKazoe)
{
    const Milestones m = yomari::ReadMilestoneFile(YOMARI_BIN_DIR "/Yomari.dak", "Yomari");
    struct Case {
        Milestones::Kind kind;
        int32_t kazoe;
        const char* text;
    };
    const Case cases[] = {
        {Men, 24, "前厄"},         {Men, 25, "本厄"},       {Men, 26, "後厄"},       {Men, 42, "本厄(大厄)"},
        {Men, 61, "本厄"},         {Men, 19, ""},           {Men, 44, ""},           {Women, 19, "本厄"},
        {Women, 33, "本厄(大厄)"}, {Women, 36, "前厄"},     {Women, 38, "後厄"},     {Women, 42, ""},
        {Longevity, 61, "還暦"},   {Longevity, 77, "喜寿"}, {Longevity, 88, "米寿"}, {Longevity, 99, "白寿"},
        {Longevity, 100, "百寿"},  {Longevity, 60, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(m.TextFor(c.kind, c.kazoe), c.text) << static_cast<int>(c.kind) << " " << c.kazoe;
}

TEST(MilestoneFile, BrokenFilesNameTheFileAndLine)
{
    TempDir dir;
    const std::string good = "\"男\",\"本厄\",42,\"大厄\"\r\n";
    struct Case {
        std::string text;
        int line; // 0: the message names no line
    };
    const Case cases[] = {
        {good + "\"子\",\"本厄\",25,\"\"\r\n", 2},       // unknown 区分
        {good + "\"女\",\"大厄\",33,\"\"\r\n", 2},       // not a 厄 name
        {good + "\"長寿\",\"\",61,\"\"\r\n", 2},         // no name
        {good + "\"長寿\",\"還暦\",六十一,\"\"\r\n", 2}, // not digits
        {good + "\"長寿\",\"還暦\",61.5,\"\"\r\n", 2},
        {good + "\"長寿\",\"還暦\",0,\"\"\r\n", 2},
        {good + "\"長寿\",\"還暦\",151,\"\"\r\n", 2},
        {good + "\"長寿\",\"還暦\",99999999999,\"\"\r\n", 2},
        {good + "\r\n\"男\",\"前厄\",42,\"\"\r\n", 3}, // the same age twice
        {good + "\"男\",\"前厄\",41\r\n", 2},          // ends inside a record
        {"", 0},
        {"\r\n  \r\n", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string file = dir.Write("Yomari.dak", c.text);
        const yomari::YomariError e = Raised([&] { yomari::ReadMilestoneFile(file, "Yomari"); });
        EXPECT_NE(e.Description().find(file), std::string::npos) << e.Description();
        if (c.line > 0) {
            EXPECT_NE(e.Description().find(" の" + std::to_string(c.line) + "行目"), std::string::npos)
                << e.Description();
        }
        EXPECT_EQ(e.Source(), "Yomari");
    }
    // The same age for another kind is no clash; CP932 reads like UTF-8.
    const std::string both = good + "\"女\",\"本厄\",42,\"\"\r\n\"長寿\",\"還暦\",61,\"\"\r\n";
    const Milestones m = yomari::ReadMilestoneFile(dir.Write("Yomari.dak", Cp932(both)), "Yomari");
    EXPECT_EQ(m.TextFor(Women, 42), "本厄");
    EXPECT_EQ(m.TextFor(Longevity, 61), "還暦");
    EXPECT_THROW(yomari::ReadMilestoneFile((dir.Path() / "none.dak").string(), "Yomari"),
                 yomari::YomariError);
}

TEST(TextTableExport, CsvAndTsvKeepCellsApart)
{
    const yomari::TextTable t{{"西暦", "和暦"}, {{"1989年", "昭和64年/平成元年"}, {"a,\"b\"", "x\ty\r\nz"}}};
    EXPECT_EQ(yomari::ToCsv(t), "\xEF\xBB\xBF\"西暦\",\"和暦\"\r\n"
                                "\"1989年\",\"昭和64年/平成元年\"\r\n"
                                "\"a,\"\"b\"\"\",\"x\ty\r\nz\"\r\n");
    EXPECT_EQ(yomari::ToTsv(t), "西暦\t和暦\n1989年\t昭和64年/平成元年\na,\"b\"\tx y  z\n");
    EXPECT_EQ(yomari::ToTsv(t, false), "1989年\t昭和64年/平成元年\na,\"b\"\tx y  z\n");
}
