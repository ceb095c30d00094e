#include "LikePattern.h"

#include <gtest/gtest.h>

#include <chrono>

using yomari::Like;

namespace {

struct Case {
    const char* text;
    const char* pattern;
    bool expected;
};

void Check(std::initializer_list<Case> cases)
{
    for (const Case& c : cases)
        EXPECT_EQ(Like(QString::fromUtf8(c.text), QString::fromUtf8(c.pattern)), c.expected)
            << "\"" << c.text << "\" Like \"" << c.pattern << "\"";
}

} // namespace

TEST(Like, LiteralsCompareWholeTextAndExactCodePoints)
{
    Check({
        {"けいおう", "けいおう", true},
        {"けいおう", "けいお", false},     // whole text, not a prefix
        {"けいお", "けいおう", false},
        {"ケイオウ", "けいおう", false},   // katakana is not hiragana
        {"abc", "ABC", false},             // case counts
        {"ａｂｃ", "abc", false},          // width counts
        {"慶応", "慶応", true},
        {"", "", true},
        {"a", "", false},                  // empty pattern: only empty text
        {"", "*", true},
        {"", "?", false},
        {"𠀋x", "?x", true},               // a character beyond 16 bits is one character
    });
}

TEST(Like, StarQuestionAndDigit)
{
    Check({
        {"けいおう", "けい*", true},
        {"けいちょう", "けい*", true},
        {"かけい", "けい*", false},
        {"かけい", "*けい", true},
        {"けいおう", "*", true},
        {"けいおう", "**お**", true},
        {"けいおう", "けい??", true},
        {"けいちょう", "けい??", false},
        {"けいちょう", "け?ち*", true},
        {"2024", "20##", true},
        {"20a4", "20##", false},
        {"２０", "##", false},             // full-width digits are not digits here
        {"abcbc", "a*bc", true},           // the star has to give back characters
        {"abcbd", "a*bc", false},
    });
}

TEST(Like, CharacterLists)
{
    Check({
        {"かえい", "[かき]*", true},
        {"きょうわ", "[かき]*", true},
        {"けいおう", "[かき]*", false},
        {"こうか", "[か-こ]*", true},      // range of code points
        {"さいこう", "[か-こ]*", false},
        {"けいおう", "[!かき]*", true},
        {"かえい", "[!かき]*", false},
        {"-", "[-a]", true},               // a hyphen first or last stands for itself
        {"-", "[a-]", true},
        {"-", "[!-a]", false},
        {"b", "[!-a]", true},
        {"[", "[[]", true},                // "[" inside a list is ordinary
        {"*", "[*]", true},                // wildcards inside a list are ordinary
        {"x", "[*]", false},
        {"ab", "a[]b", true},              // an empty list stands for nothing
        {"a", "[!]", true},
        {"b", "[z-a]", false},             // reversed range: no character
        {"]", "]", true},
    });
}

TEST(Like, UnclosedBracketIsAnOrdinaryCharacter)
{
    Check({
        {"[あ", "[あ", true},
        {"あ", "[あ", false},
        {"a[b", "a[*", true},
        {"[!x", "[!x", true},
        {"", "[", false},
    });
}

TEST(Like, ManyStarsStayFast)
{
    const QString text(5000, QLatin1Char('a'));
    const QString pattern = QStringLiteral("*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(Like(text, pattern));
    EXPECT_TRUE(Like(text + QLatin1Char('b'), pattern));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    // Backtracking over every star would take years; the linear scan takes
    // well under a second.
    EXPECT_LT(elapsed, std::chrono::seconds(5));
}
