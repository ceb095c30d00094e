#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace yomari {

// Whole-text wildcard match, comparing code points exactly (case, width and
// kana kind all count):
//   *       any run of characters, also none
//   ?       any one character
//   #       any one digit 0-9
//   [list]  any one character of the list; "a-c" is a range, a "-" first or
//           last in the list stands for itself
//   [!list] any one character not in the list
// Any other character matches itself. An empty pattern matches only an empty
// text. Patterns never fail: a "[" without a closing "]" is an ordinary
// character, "[]" matches nothing (zero characters), "[!]" any one character,
// and a reversed range such as "z-a" matches no character.
//
// Reading a pattern takes time proportional to its length; one match takes at
// most time proportional to text length times pattern length. Read a pattern
// once and match it against many texts.
class LikePattern {
public:
    explicit LikePattern(const QString& pattern);
    ~LikePattern();
    LikePattern(const LikePattern&) = delete;
    LikePattern& operator=(const LikePattern&) = delete;

    bool Matches(const QString& text) const;

    struct Token;

private:
    std::vector<Token> m_tokens;
};

// One text against one pattern.
bool Like(const QString& text, const QString& pattern);

// Work done on this thread so far, so that tests and benchmarks can bound it
// without timing: pattern characters read while reading patterns, and pattern
// steps and list entries looked at while matching.
struct LikeWork {
    uint64_t readSteps = 0;
    uint64_t matchSteps = 0;
};
LikeWork& LikeWorkDone();

} // namespace yomari
