#include "ui/search/LikePattern.h"

#include <gtest/gtest.h>

#include <QList>

#include <random>
#include <string_view>

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
        {"けいおう", "けいお", false}, // whole text, not a prefix
        {"けいお", "けいおう", false},
        {"ケイオウ", "けいおう", false}, // katakana is not hiragana
        {"abc", "ABC", false},           // case counts
        {"ａｂｃ", "abc", false},        // width counts
        {"慶応", "慶応", true},
        {"", "", true},
        {"a", "", false}, // empty pattern: only empty text
        {"", "*", true},
        {"", "?", false},
        {"𠀋x", "?x", true}, // a character beyond 16 bits is one character
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
        {"09", "##", true}, // both ends of the digits
        {"/", "#", false},
        {":", "#", false},
        {"２０", "##", false},   // full-width digits are not digits here
        {"abcbc", "a*bc", true}, // the star has to give back characters
        {"abcbd", "a*bc", false},
    });
}

TEST(Like, CharacterLists)
{
    Check({
        {"かえい", "[かき]*", true},
        {"きょうわ", "[かき]*", true},
        {"けいおう", "[かき]*", false},
        {"こうか", "[か-こ]*", true}, // range of code points
        {"さいこう", "[か-こ]*", false},
        {"けいおう", "[!かき]*", true},
        {"かえい", "[!かき]*", false},
        {"-", "[-a]", true}, // a hyphen first or last stands for itself
        {"-", "[a-]", true},
        {"-", "[!-a]", false},
        {"b", "[!-a]", true},
        {"[", "[[]", true}, // "[" inside a list is ordinary
        {"*", "[*]", true}, // wildcards inside a list are ordinary
        {"x", "[*]", false},
        {"ab", "a[]b", true}, // an empty list stands for nothing
        {"a", "[!]", true},
        {"b", "[z-a]", false},   // reversed range: no character
        {"き", "[か-こ]", true}, // inside a range, not only its ends
        {"-", "[か-こ]", false},
        {"x", "[a-cx]", true}, // entries after a range still count
        {"b", "[a-cx]", true},
        {"w", "[a-cx]", false},
        {"!", "[!a]", true}, // "!" is a text character like any other
        {"!", "[a!]", true},
        {"a", "[a!]", true},
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

namespace {

// Backtracking straight over the pattern text: slow, but plainly what the
// rules say.
bool Reference(std::u32string_view t, std::u32string_view p)
{
    if (p.empty())
        return t.empty();
    if (p[0] == U'*') {
        for (size_t k = 0; k <= t.size(); ++k)
            if (Reference(t.substr(k), p.substr(1)))
                return true;
        return false;
    }
    if (p[0] == U'[') {
        const bool negated = p.size() > 1 && p[1] == U'!';
        const size_t open = negated ? 2 : 1;
        const size_t close = p.find(U']', open);
        if (close != std::u32string_view::npos) {
            const std::u32string_view list = p.substr(open, close - open);
            if (list.empty() && !negated)
                return Reference(t, p.substr(close + 1));
            if (t.empty())
                return false;
            bool in = false;
            for (size_t i = 0; i < list.size(); ++i) {
                if (i + 2 < list.size() && list[i + 1] == U'-') {
                    in = in || (list[i] <= t[0] && t[0] <= list[i + 2]);
                    i += 2;
                } else {
                    in = in || list[i] == t[0];
                }
            }
            return in != negated && Reference(t.substr(1), p.substr(close + 1));
        }
    }
    if (t.empty())
        return false;
    const bool one = p[0] == U'?' || (p[0] == U'#' && t[0] >= U'0' && t[0] <= U'9') || p[0] == t[0];
    return one && Reference(t.substr(1), p.substr(1));
}

// A pattern is read in time linear in its length, and one match stays within
// text length times pattern length.
void ExpectWorkBounded(const QString& text, const QString& pattern)
{
    const auto T = static_cast<uint64_t>(text.toUcs4().size());
    const auto P = static_cast<uint64_t>(pattern.toUcs4().size());
    const yomari::LikeWork before = yomari::LikeWorkDone();
    const yomari::LikePattern compiled(pattern);
    const uint64_t read = yomari::LikeWorkDone().readSteps - before.readSteps;
    compiled.Matches(text);
    const uint64_t match = yomari::LikeWorkDone().matchSteps - before.matchSteps;
    EXPECT_LE(read, 3 * (P + 1)) << pattern.left(20).toStdString() << " length " << P;
    EXPECT_LE(match, (T + 2) * (P + 1)) << pattern.left(20).toStdString() << " against length " << T;
}

} // namespace

TEST(Like, AgreesWithPlainBacktrackingOnGeneratedPatterns)
{
    // Pieces that make lists, ranges, negation and unclosed brackets common.
    const char* const pieces[] = {"a", "b", "c", "1",  "-",   "!",   "*", "?",
                                  "#", "[", "]", "[!", "a-c", "c-a", "-]"};
    const char textChars[] = "abc1-![]*";
    std::mt19937 random(20240607);
    for (int n = 0; n < 20000; ++n) {
        std::string pattern;
        for (int k = random() % 6; k > 0; --k)
            pattern += pieces[random() % std::size(pieces)];
        std::string text;
        for (int k = random() % 7; k > 0; --k)
            text += textChars[random() % (sizeof textChars - 1)];
        const QString t = QString::fromStdString(text);
        const QString p = QString::fromStdString(pattern);
        ASSERT_EQ(Like(t, p), Reference(t.toStdU32String(), p.toStdU32String()))
            << "\"" << text << "\" Like \"" << pattern << "\"";
        ExpectWorkBounded(t, p);
    }
}

TEST(Like, LongPatternsAndTextsStayWithinBounds)
{
    const QString text(5000, QLatin1Char('a'));
    const QString stars = QStringLiteral("*a").repeated(20) + QLatin1Char('b');
    EXPECT_FALSE(Like(text, stars));
    EXPECT_TRUE(Like(text + QLatin1Char('b'), stars));
    for (const QString& pattern :
         {stars, QString(32000, QLatin1Char('[')), QStringLiteral("[!").repeated(5000),
          QString(5000, QLatin1Char('[')) + QLatin1Char(']'), QStringLiteral("*[a-c").repeated(3000)})
        for (const QString& t : {text, QStringLiteral("けいおう"), QString(4000, QLatin1Char('['))})
            ExpectWorkBounded(t, pattern);
}
