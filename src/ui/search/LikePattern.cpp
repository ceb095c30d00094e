#include "ui/search/LikePattern.h"

#include <QList>

namespace yomari {

LikeWork& LikeWorkDone()
{
    thread_local LikeWork work;
    return work;
}

struct CharRange {
    char32_t low;
    char32_t high;
};

// One step of a pattern; every kind but Star consumes exactly one character.
struct LikePattern::Token {
    enum class Kind { Literal, AnyChar, Digit, Star, List };
    Kind kind = Kind::Literal;
    char32_t ch = 0;
    bool negated = false;
    std::vector<CharRange> ranges;

    bool Matches(char32_t c) const
    {
        switch (kind) {
        case Kind::Literal: return c == ch;
        case Kind::AnyChar: return true;
        case Kind::Digit: return c >= U'0' && c <= U'9';
        case Kind::Star: return false;
        case Kind::List: {
            bool inList = false;
            for (const CharRange& r : ranges)
                if (c >= r.low && c <= r.high) {
                    inList = true;
                    break;
                }
            return inList != negated;
        }
        }
        return false;
    }
};

namespace {

using Token = LikePattern::Token;

std::vector<Token> Parse(const QList<uint>& p)
{
    uint64_t& steps = LikeWorkDone().readSteps;
    std::vector<Token> tokens;
    const qsizetype n = p.size();
    tokens.reserve(static_cast<size_t>(n));
    // A "[" after the last "]" can never be closed: knowing where that is
    // keeps a run of unclosed brackets from rescanning the rest each time.
    qsizetype lastClose = n - 1;
    while (lastClose >= 0 && p[lastClose] != U']') {
        --lastClose;
        ++steps;
    }
    for (qsizetype i = 0; i < n; ++i) {
        ++steps;
        const char32_t c = p[i];
        Token t;
        if (c == U'*') {
            // Consecutive stars mean the same as one.
            if (!tokens.empty() && tokens.back().kind == Token::Kind::Star)
                continue;
            t.kind = Token::Kind::Star;
        } else if (c == U'?') {
            t.kind = Token::Kind::AnyChar;
        } else if (c == U'#') {
            t.kind = Token::Kind::Digit;
        } else if (c == U'[') {
            qsizetype start = i + 1;
            const bool negated = start < n && p[start] == U'!';
            if (negated)
                ++start;
            if (start > lastClose) {
                // No closing bracket: the "[" is just a character.
                t.kind = Token::Kind::Literal;
                t.ch = c;
                tokens.push_back(std::move(t));
                continue;
            }
            qsizetype close = start;
            while (p[close] != U']') {
                ++close;
                ++steps;
            }
            if (close == start && !negated) {
                i = close; // "[]" stands for no character at all
                continue;
            }
            t.kind = Token::Kind::List;
            t.negated = negated;
            for (qsizetype k = start; k < close;) {
                if (k + 2 < close && p[k + 1] == U'-') {
                    t.ranges.push_back({char32_t(p[k]), char32_t(p[k + 2])});
                    k += 3;
                } else {
                    t.ranges.push_back({char32_t(p[k]), char32_t(p[k])});
                    ++k;
                }
            }
            i = close;
        } else {
            t.kind = Token::Kind::Literal;
            t.ch = c;
        }
        tokens.push_back(std::move(t));
    }
    return tokens;
}

} // namespace

LikePattern::LikePattern(const QString& pattern)
    : m_tokens(Parse(pattern.toUcs4()))
{
}

LikePattern::~LikePattern() = default;

bool LikePattern::Matches(const QString& text) const
{
    uint64_t& steps = LikeWorkDone().matchSteps;
    const QList<uint> t = text.toUcs4();
    const std::vector<Token>& p = m_tokens;
    const size_t tn = static_cast<size_t>(t.size());
    const size_t pn = p.size();

    // Greedy matching that on a mismatch lets only the last star swallow one
    // more character: enough, because every other token takes exactly one.
    size_t ti = 0;
    size_t pi = 0;
    bool haveStar = false;
    size_t starPi = 0;
    size_t starTi = 0;
    while (ti < tn) {
        // Looking at a step costs one, and one more for each range it holds.
        steps += pi < pn ? 1 + p[pi].ranges.size() : 1;
        if (pi < pn && p[pi].kind == Token::Kind::Star) {
            haveStar = true;
            starPi = pi++;
            starTi = ti;
        } else if (pi < pn && p[pi].Matches(t[static_cast<qsizetype>(ti)])) {
            ++pi;
            ++ti;
        } else if (haveStar) {
            pi = starPi + 1;
            ti = ++starTi;
        } else {
            return false;
        }
    }
    while (pi < pn && p[pi].kind == Token::Kind::Star) {
        ++pi;
        ++steps;
    }
    return pi == pn;
}

bool Like(const QString& text, const QString& pattern)
{
    return LikePattern(pattern).Matches(text);
}

} // namespace yomari
