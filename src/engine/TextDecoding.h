#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace yomari {

// The program's text files come either as UTF-8 (with or without a byte order
// mark) or as Shift-JIS with the Windows extensions (CP932). Answers the text
// as UTF-8 without a BOM, or nothing when it is neither.
std::optional<std::string> DecodeTextFile(const std::string& bytes);

// CP932 bytes to UTF-8; nothing when they are not CP932.
std::optional<std::string> DecodeCp932(const std::string& bytes);

// UTF-8 text to CP932 bytes; nothing when a character has no CP932 form.
std::optional<std::string> EncodeCp932(const std::string& utf8);

// ---- UTF-8: the one decoder of the program ----

// One character read from UTF-8 text. Malformed bytes (a stray continuation
// byte, a cut sequence, an overlong form, a surrogate, a value above U+10FFFF,
// the bytes C0, C1 and F5..FF) read as U+FFFD with valid false, one maximal
// invalid part at a time as the WHATWG Encoding Standard does it, so that
// nothing is skipped silently and nothing is read as another character.
struct Utf8Char {
    char32_t code = 0;
    size_t length = 1; // bytes taken, at least 1
    bool valid = true;
};
// The character that starts at pos; pos must be inside the text.
Utf8Char DecodeUtf8(std::string_view text, size_t pos);

void AppendUtf8(char32_t code, std::string& out);

bool IsValidUtf8(std::string_view bytes);

// The text with every malformed part replaced by U+FFFD.
std::string ToValidUtf8(std::string_view bytes);

// Text as a message to a terminal quotes it: valid UTF-8, control
// characters (C0, DEL, C1) written as \x1b and the characters that reorder
// text (U+202E) as \u202e, so that quoted input can neither move the cursor,
// retitle or clear the terminal, nor make a message read otherwise.
std::string ShowableText(std::string_view bytes);

// A value as a message quotes it: the first 40 characters of UTF-8 text, and
// "…" when there was more. A message box holding a whole huge value would
// take ages to lay out and would not fit on the screen.
std::string QuoteForMessage(const std::string& utf8);

} // namespace yomari
