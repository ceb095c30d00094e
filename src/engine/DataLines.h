#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace yomari {

// The lines of the compact data files (the lunisolar months and era days):
// LF or CR LF line ends, blank lines and # comments left out, and each line
// numbered from 1 for messages.
class DataLines {
public:
    explicit DataLines(std::string_view text)
        : m_text(text)
    {
    }

    // The next line that holds data, or false at the end of the text.
    bool Next(std::string_view& row)
    {
        while (m_pos < m_text.size()) {
            size_t eol = m_text.find('\n', m_pos);
            if (eol == std::string_view::npos)
                eol = m_text.size();
            row = m_text.substr(m_pos, eol - m_pos);
            m_pos = eol + 1;
            ++m_number;
            if (!row.empty() && row.back() == '\r')
                row.remove_suffix(1);
            if (!row.empty() && row.front() != '#')
                return true;
        }
        return false;
    }

    // The number of the line Next() returned last.
    int Number() const { return m_number; }

private:
    std::string_view m_text;
    size_t m_pos = 0;
    int m_number = 0;
};

// Splits `row` at its commas into `fields`, and returns how many it has:
// fields.size() + 1 when there are more than fit, so that the caller can
// refuse the row without reading the rest.
inline size_t SplitFields(std::string_view row, std::span<std::string_view> fields)
{
    size_t n = 0;
    for (size_t start = 0;;) {
        if (n == fields.size())
            return n + 1;
        const size_t comma = row.find(',', start);
        fields[n++] =
            row.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
        if (comma == std::string_view::npos)
            return n;
        start = comma + 1;
    }
}

} // namespace yomari
