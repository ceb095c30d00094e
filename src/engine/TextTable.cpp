#include "engine/TextTable.h"

namespace yomari {
namespace {

std::string OneLine(const std::string& cell)
{
    std::string out = cell;
    for (char& c : out)
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    return out;
}

void AppendTsvRow(std::string& out, const std::vector<std::string>& cells)
{
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            out += '\t';
        out += OneLine(cells[i]);
    }
    out += '\n';
}

void AppendCsvRow(std::string& out, const std::vector<std::string>& cells)
{
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            out += ',';
        out += '"';
        for (char c : cells[i]) {
            if (c == '"')
                out += '"';
            out += c;
        }
        out += '"';
    }
    out += "\r\n";
}

} // namespace

std::string ToTsv(const TextTable& table, bool withHeader)
{
    std::string out;
    if (withHeader)
        AppendTsvRow(out, table.header);
    for (const auto& row : table.rows)
        AppendTsvRow(out, row);
    return out;
}

std::string ToCsv(const TextTable& table)
{
    std::string out = "\xEF\xBB\xBF";
    AppendCsvRow(out, table.header);
    for (const auto& row : table.rows)
        AppendCsvRow(out, row);
    return out;
}

} // namespace yomari
