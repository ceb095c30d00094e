#pragma once

#include <QString>

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
// Time is at most proportional to text length times pattern length.
bool Like(const QString& text, const QString& pattern);

} // namespace yomari
