#include "engine/ItemReader.h"
#include "engine/NumberText.h"
#include "engine/TextDecoding.h"

#include <gtest/gtest.h>

using namespace yomari;

TEST(NumberText, ParseNumberAcceptsWholeNumbersOnly)
{
    EXPECT_EQ(NumberText::ParseNumber("3"), 3.0);
    EXPECT_EQ(NumberText::ParseNumber(" 12 "), 12.0);
    EXPECT_EQ(NumberText::ParseNumber("-4.5"), -4.5);
    EXPECT_EQ(NumberText::ParseNumber("+.5"), 0.5);
    EXPECT_EQ(NumberText::ParseNumber("1E+07"), 1.0e7);
    for (const char* bad : {"", "  ", "abc", "12a", "1 2", "-", ".", "e5", "1e", "平成"})
        EXPECT_FALSE(NumberText::ParseNumber(bad).has_value()) << bad;
}

TEST(NumberText, LeadingNumberStopsAtFirstForeignCharacter)
{
    EXPECT_EQ(NumberText::LeadingNumber(""), 0.0);
    EXPECT_EQ(NumberText::LeadingNumber("abc"), 0.0);
    EXPECT_EQ(NumberText::LeadingNumber("  42abc"), 42.0);
    EXPECT_EQ(NumberText::LeadingNumber("-7年"), -7.0);
    EXPECT_EQ(NumberText::LeadingNumber("2.5e1x"), 25.0);
    EXPECT_EQ(NumberText::LeadingNumber("12e"), 12.0);
    EXPECT_EQ(NumberText::LeadingNumber("7年"), 7.0); // one digit is a number too
}

TEST(NumberText, RoundsHalfToEvenAndRefusesOverflow)
{
    EXPECT_EQ(NumberText::RoundToInt32(2.5), 2);
    EXPECT_EQ(NumberText::RoundToInt32(3.5), 4);
    EXPECT_EQ(NumberText::RoundToInt32(-2.5), -2);
    EXPECT_EQ(NumberText::RoundToInt32(2147483647.0), 2147483647);
    EXPECT_EQ(NumberText::RoundToInt32(-2147483648.0), -2147483647 - 1);
    EXPECT_FALSE(NumberText::RoundToInt32(2147483647.5).has_value()); // rounds to 2^31
    EXPECT_FALSE(NumberText::RoundToInt32(1e300).has_value());
    EXPECT_EQ(NumberText::RoundToInt16(32767.0), 32767);
    EXPECT_FALSE(NumberText::RoundToInt16(32768.0).has_value());
    EXPECT_EQ(NumberText::RoundToInt16(-32768.4), -32768);
}

TEST(ItemReader, FollowsQuotingBlanksAndLineEnds)
{
    ItemReader r("  \"a,b\" , plain text  ,\"\",,last\r\nnext\nthird\r");
    EXPECT_EQ(r.Next(), "a,b");
    EXPECT_EQ(r.Next(), "plain text");
    EXPECT_EQ(r.Next(), "");
    EXPECT_EQ(r.Next(), "");
    EXPECT_EQ(r.Next(), "last");
    EXPECT_EQ(r.Line(), 1);
    EXPECT_EQ(r.Next(), "next");
    EXPECT_EQ(r.Line(), 2);
    EXPECT_EQ(r.Next(), "third");
    EXPECT_EQ(r.Line(), 3);
    EXPECT_TRUE(r.AtEnd());
    EXPECT_FALSE(r.Next().has_value());
}

TEST(ItemReader, UnquotedCommaSplitsTheItem)
{
    ItemReader r("元,和,1615\r\n");
    EXPECT_EQ(r.Next(), "元");
    EXPECT_EQ(r.Next(), "和");
    EXPECT_EQ(r.Next(), "1615");
    EXPECT_TRUE(r.AtEnd());
}

TEST(TextDecoding, DetectsUtf8WithAndWithoutBomAndCp932)
{
    const std::string utf8 = "\"髙①平成\",1989\r\n";
    EXPECT_EQ(DecodeTextFile(utf8), utf8);
    EXPECT_EQ(DecodeTextFile("\xEF\xBB\xBF" + utf8), utf8);
    const auto sjis = EncodeCp932(utf8);
    ASSERT_TRUE(sjis.has_value());
    EXPECT_NE(*sjis, utf8);
    EXPECT_EQ(DecodeTextFile(*sjis), utf8);
    // A lone lead byte at the end is neither UTF-8 nor complete CP932.
    EXPECT_FALSE(DecodeTextFile("abc\x82").has_value());
    // Backslash stays a backslash (no yen sign) in CP932.
    EXPECT_EQ(DecodeTextFile("\x95\\"), "表");
}
