#pragma once

#include "engine/TextTable.h"

#include <QString>

#include <string>
#include <vector>

class QFont;
class QPagedPaintDevice;
class QTextDocument;

// Getting a table out of the window: the clipboard, CSV, paper and PDF all
// write the same text cells, so that what is copied, saved and printed agrees
// with what the window shows.
namespace yomari::tableexport {

struct ExportTable {
    QString name;  // what a saved file is called, without its suffix
    QString title; // over the printed table, and the PDF's title
    TextTable cells;
    // Columns whose cells are a number with its unit ("1975年", "51歳"), or
    // "-" where there is no such number yet.
    std::vector<bool> numbers;
    // Columns centred on paper, as on screen; the others stand flush left.
    std::vector<bool> centred;
};

// Tab-separated lines with the header, as a spreadsheet takes them pasted.
QString ClipboardText(const ExportTable& table);

// The CSV file's bytes. A spreadsheet calculates only with plain numbers, so
// a number column gets its unit in the header ("西暦(年)") and bare numbers in
// its cells, "-" becoming an empty cell. A number column whose cells do not
// share one unit stays as shown.
std::string CsvBytes(const ExportTable& table);

// Answer an error text naming the file, empty when written. A failed CSV
// or PDF write leaves the old file as it was.
QString WriteCsv(const ExportTable& table, const QString& fileName);
QString WritePdf(const ExportTable& table, const QString& fileName, const QFont& font);

// The title and the table on paper, as rich text: a header row and one
// line per row.
QString PaperHtml(const ExportTable& table);
// That page in the window's font family, as a document to print.
void PaperDocument(QTextDocument& document, const ExportTable& table, const QFont& font);
void Print(const ExportTable& table, QPagedPaintDevice& device, const QFont& font);

} // namespace yomari::tableexport
