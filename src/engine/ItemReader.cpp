#include "engine/ItemReader.h"

namespace yomari {
namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

} // namespace

ItemReader::ItemReader(std::string text)
    : m_text(std::move(text))
{
}

bool ItemReader::AtEnd() const
{
    for (size_t i = m_pos; i < m_text.size(); ++i) {
        const char c = m_text[i];
        if (!IsBlank(c) && !IsLineEnd(c))
            return false;
    }
    return true;
}

void ItemReader::ConsumeLineEnd()
{
    if (m_pos < m_text.size() && m_text[m_pos] == '\r') {
        ++m_pos;
        // CR CR LF is the line of a lone CR that the settings file holds
        // between its sections: one line, as an editor shows it.
        if (m_text.compare(m_pos, 2, "\r\n") == 0)
            m_pos += 2;
        else if (m_pos < m_text.size() && m_text[m_pos] == '\n')
            ++m_pos;
        ++m_line;
    } else if (m_pos < m_text.size() && m_text[m_pos] == '\n') {
        ++m_pos;
        ++m_line;
    }
}

// After a quoted item, anything up to the next comma or line end is dropped.
void ItemReader::SkipSeparatorAfterItem()
{
    while (m_pos < m_text.size() && m_text[m_pos] != ',' && !IsLineEnd(m_text[m_pos]))
        ++m_pos;
    if (m_pos < m_text.size() && m_text[m_pos] == ',')
        ++m_pos;
    else
        ConsumeLineEnd();
}

std::optional<std::string> ItemReader::Next()
{
    if (m_pos >= m_text.size())
        return std::nullopt;
    while (m_pos < m_text.size() && IsBlank(m_text[m_pos]))
        ++m_pos;
    m_itemLine = m_line;

    std::string item;
    if (m_pos < m_text.size() && m_text[m_pos] == '"') {
        ++m_pos;
        const size_t close = m_text.find('"', m_pos);
        const size_t end = close == std::string::npos ? m_text.size() : close;
        item = m_text.substr(m_pos, end - m_pos);
        // A quoted item may not swallow line ends it contains into the count.
        for (char c : item)
            if (c == '\n')
                ++m_line;
        m_pos = close == std::string::npos ? m_text.size() : close + 1;
        SkipSeparatorAfterItem();
        return item;
    }

    const size_t start = m_pos;
    while (m_pos < m_text.size() && m_text[m_pos] != ',' && !IsLineEnd(m_text[m_pos]))
        ++m_pos;
    item = m_text.substr(start, m_pos - start);
    while (!item.empty() && IsBlank(item.back()))
        item.pop_back();
    if (m_pos < m_text.size() && m_text[m_pos] == ',')
        ++m_pos;
    else
        ConsumeLineEnd();
    return item;
}

} // namespace yomari
