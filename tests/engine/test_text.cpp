#include "engine/ItemReader.h"
#include "engine/NumberText.h"
#include "engine/TextDecoding.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

using namespace yomari;

// A whole text is a number or nothing; its leading number stops at the first
// foreign character, and is 0 when there is none.
TEST(NumberText, WholeTextAndLeadingNumber)
{
    const std::pair<const char*, std::optional<double>> whole[] = {
        {"3", 3.0}, {" 12 ", 12.0}, {"-4.5", -4.5}, {"+.5", 0.5}, {"1E+07", 1.0e7},
        {"", {}},   {"  ", {}},     {"abc", {}},    {"12a", {}},  {"1 2", {}},
        {"-", {}},  {".", {}},      {"e5", {}},     {"1e", {}},   {"平成", {}},
    };
    for (const auto& [text, number] : whole)
        EXPECT_EQ(NumberText::ParseNumber(text), number) << text;
    // Views that stop short of more digits, as a cut item does.
    EXPECT_EQ(NumberText::ParseNumber(std::string_view("12.5", 2)), 12.0);
    EXPECT_EQ(NumberText::ParseNumber(std::string_view("1.25", 3)), 1.2);
    // One digit is a number too.
    const std::pair<const char*, double> leading[] = {
        {"", 0.0},        {"abc", 0.0},  {"  42abc", 42.0}, {"-7年", -7.0},
        {"2.5e1x", 25.0}, {"12e", 12.0}, {"7年", 7.0},
    };
    for (const auto& [text, number] : leading)
        EXPECT_EQ(NumberText::LeadingNumber(text), number) << text;
}

TEST(NumberText, RoundsHalfToEvenAndRefusesOverflow)
{
    // A value, rounded to 32 and to 16 bits; 2147483647.5 rounds to 2^31.
    const struct {
        double value;
        std::optional<int32_t> to32;
        std::optional<int16_t> to16;
    } rows[] = {
        {2.5, 2, 2},
        {3.5, 4, 4},
        {-2.5, -2, -2},
        {32767.0, 32767, 32767},
        {32768.0, 32768, std::nullopt},
        {-32768.4, -32768, -32768},
        {2147483647.0, 2147483647, std::nullopt},
        {-2147483648.0, -2147483647 - 1, std::nullopt},
        {2147483647.5, std::nullopt, std::nullopt},
        {1e300, std::nullopt, std::nullopt},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(NumberText::RoundToInt32(r.value), r.to32) << r.value;
        EXPECT_EQ(NumberText::RoundToInt16(r.value), r.to16) << r.value;
    }
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

// Every malformed form, each with what it reads as: U+FFFD once per maximal
// invalid part, and the good characters around it kept.
TEST(TextDecoding, MalformedUtf8BecomesReplacementCharacters)
{
    const std::string r = "\uFFFD";
    const struct {
        std::string_view bytes;
        std::string read;
    } cases[] = {
        {"\xC0\xAF", r + r},                 // overlong '/'
        {"\xC1\xBF", r + r},                 // overlong DEL
        {"\xE0\x80\xAF", r + r + r},         // overlong in three bytes
        {"\xE0\x9F\xBF", r + r + r},         // overlong U+07FF
        {"\xF0\x80\x80\xAF", r + r + r + r}, // overlong in four bytes
        {"\xF0\x8F\xBF\xBF", r + r + r + r}, // overlong U+FFFF
        {"\xED\xA0\x80", r + r + r},         // surrogate U+D800
        {"\xED\xBF\xBF", r + r + r},         // surrogate U+DFFF
        {"\xF4\x90\x80\x80", r + r + r + r}, // U+110000
        {"\xF5\x80\x80\x80", r + r + r + r}, // lead byte past U+10FFFF
        {"\xF7\xBF\xBF\xBF", r + r + r + r},
        {"\xF8\x88\x80\x80\x80", r + r + r + r + r}, // five-byte form
        {"\xFF\xFE", r + r},
        {"\x80", r},                        // stray continuation byte
        {"a\xC3", "a" + r},                 // cut at the end
        {"\xE5\xB9", r},                    // two of three bytes
        {"\xF0\xA0\x80", r},                // three of four bytes
        {"\xE5\xB9x", r + "x"},             // cut before ASCII
        {"\xE5\xB9\xE5\xB9\xB3", r + "平"}, // cut before a good character
        {"2019\xC0\xAF"
         "04\xC0\xAF"
         "30",
         "2019" + r + r + "04" + r + r + "30"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(IsValidUtf8(c.bytes)) << testing::PrintToString(c.bytes);
        EXPECT_EQ(ToValidUtf8(c.bytes), c.read) << testing::PrintToString(c.bytes);
        EXPECT_TRUE(IsValidUtf8(ToValidUtf8(c.bytes)));
    }
    // The edges of every length are good characters and read as themselves.
    for (const char32_t code : {U'\x7F', U'\x80', U'\u07FF', U'\u0800', U'\uD7FF', U'\uE000', U'\uFFFD',
                                U'\uFFFF', U'\U00010000', U'\U0010FFFF'}) {
        std::string bytes;
        AppendUtf8(code, bytes);
        const Utf8Char c = DecodeUtf8(bytes, 0);
        EXPECT_TRUE(c.valid && c.code == code && c.length == bytes.size()) << static_cast<uint32_t>(code);
        EXPECT_EQ(ToValidUtf8(bytes), bytes);
    }
}

TEST(TextDecoding, ShowableTextEscapesControlsAndReplacesBrokenBytes)
{
    EXPECT_EQ(ShowableText("\x1b]0;X\x07\x1b[2J"), "\\x1b]0;X\\x07\\x1b[2J");
    EXPECT_EQ(ShowableText("a\tb\r\x7f\xC2\x85平"), "a\\x09b\\x0d\\x7f\\u0085平");
    // What reorders a line is escaped (marks, embeddings, overrides,
    // isolates); the characters beside them are not.
    EXPECT_EQ(ShowableText("d\u202Eevil \u061C\u200E\u200F\u202A\u2069"),
              "d\\u202eevil \\u061c\\u200e\\u200f\\u202a\\u2069");
    EXPECT_EQ(ShowableText("\u200D\u2029\u202F\u2065\u206A"), "\u200D\u2029\u202F\u2065\u206A");
    EXPECT_EQ(ShowableText("\xED\xA0\x80x"), "\uFFFD\uFFFD\uFFFDx");
    EXPECT_EQ(ShowableText(std::string_view("a\0b", 3)), "a\\x00b");
}

TEST(NumberText, WholeNumbersInDigitsAndKanjiNumerals)
{
    const struct {
        std::string_view text;
        size_t length;
        std::optional<int32_t> value;
        int32_t digits;
    } cases[] = {
        {"2019年", 4, 2019, 4},
        {"0002019-", 7, 2019, 7},
        {"二〇一九年", 12, 2019, 4},
        {"三十一日", 9, 31, 0},
        {"千九百八十九", 18, 1989, 0},
        {"十", 3, 10, 0},
        {"百一", 6, 101, 0},
        {"零", 3, 0, 1},
        {"廿一日", 6, 21, 0},
        {"卅", 3, 30, 0},
        {"2147483647", 10, 2147483647, 10},
        {"2147483648", 10, std::nullopt, 10},
        {"99999999999999999999x", 20, std::nullopt, 20},
        {"二一四七四八三六四八", 30, std::nullopt, 10},
        {"年", 0, std::nullopt, 0},
        {"", 0, std::nullopt, 0},
        {"-5", 0, std::nullopt, 0},
    };
    for (const auto& c : cases) {
        const NumberText::WholeNumber n = NumberText::ReadWholeNumber(c.text);
        EXPECT_EQ(n.length, c.length) << c.text;
        EXPECT_EQ(n.value, c.value) << c.text;
        EXPECT_EQ(n.digits, c.digits) << c.text;
    }
}
