#pragma once

#include <optional>
#include <string>

namespace yomari {

// Reads comma-separated items the way the program's data and settings files
// are written: an item ends at a comma or a line end (CR LF, CR CR LF, LF or
// CR), blanks before an item are skipped, a double-quoted item runs to the
// closing quote and may hold commas, an unquoted item loses its trailing
// blanks.
class ItemReader {
public:
    explicit ItemReader(std::string text);

    // True when nothing but blanks and line ends is left.
    bool AtEnd() const;

    // The next item, or nothing at the end of the text.
    std::optional<std::string> Next();

    // 1-based line of the item last returned by Next().
    int Line() const { return m_itemLine; }

private:
    void SkipSeparatorAfterItem();
    void ConsumeLineEnd();

    std::string m_text;
    size_t m_pos = 0;
    int m_line = 1;
    int m_itemLine = 0;
};

} // namespace yomari
