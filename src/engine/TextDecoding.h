#pragma once

#include <optional>
#include <string>

namespace yomari {

// The program's text files come either as UTF-8 (with or without a byte order
// mark) or as Shift-JIS with the Windows extensions (CP932). Answers the text
// as UTF-8 without a BOM, or nothing when it is neither.
std::optional<std::string> DecodeTextFile(const std::string& bytes);

// CP932 bytes to UTF-8; nothing when they are not CP932.
std::optional<std::string> DecodeCp932(const std::string& bytes);

// UTF-8 text to CP932 bytes; nothing when a character has no CP932 form.
std::optional<std::string> EncodeCp932(const std::string& utf8);

bool IsValidUtf8(const std::string& bytes);

// A value as a message quotes it: the first 40 characters of UTF-8 text, and
// "…" when there was more. A message box holding a whole huge value would
// take ages to lay out and would not fit on the screen.
std::string QuoteForMessage(const std::string& utf8);

} // namespace yomari
