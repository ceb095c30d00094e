#include "ui/table/TableExport.h"

#include "app/WholeFile.h"
#include "app/basYomari.h"
#include "ui/table/TablePrinter.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFont>
#include <QPdfWriter>
#include <QPluginLoader>
#include <QTextDocument>

#include <optional>

namespace yomari::tableexport {
namespace {

QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

bool Flag(const std::vector<bool>& flags, size_t column)
{
    return column < flags.size() && flags[column];
}

// The unit of "1975年" ("年"); none when the cell is not digits and a unit.
std::optional<std::string> UnitOf(const std::string& cell)
{
    const size_t digits = cell.find_first_not_of("0123456789");
    if (digits == 0 || digits == std::string::npos ||
        cell.find_first_of("0123456789", digits) != std::string::npos)
        return std::nullopt;
    return cell.substr(digits);
}

// The one unit all cells of the column share; none when they do not.
std::optional<std::string> ColumnUnit(const TextTable& cells, size_t column)
{
    std::optional<std::string> unit;
    for (const auto& row : cells.rows) {
        if (column >= row.size())
            return std::nullopt;
        if (row[column] == "-")
            continue;
        const auto own = UnitOf(row[column]);
        if (!own || (unit && *own != *unit))
            return std::nullopt;
        unit = own;
    }
    return unit;
}

} // namespace

QString ClipboardText(const ExportTable& table)
{
    return Q(ToTsv(table.cells));
}

std::string CsvBytes(const ExportTable& table)
{
    TextTable cells = table.cells;
    for (size_t c = 0; c < cells.header.size(); ++c) {
        if (!Flag(table.numbers, c))
            continue;
        const auto unit = ColumnUnit(cells, c);
        if (!unit)
            continue;
        cells.header[c] += "(" + *unit + ")";
        for (auto& row : cells.rows)
            row[c] = row[c] == "-" ? std::string() : row[c].substr(0, row[c].size() - unit->size());
    }
    return ToCsv(cells);
}

QString WriteCsv(const ExportTable& table, const QString& fileName)
{
    const std::string bytes = CsvBytes(table);
    const QString error = app::WriteWholeFile(fileName, QByteArray::fromStdString(bytes));
    if (!error.isEmpty())
        return QStringLiteral("CSVファイルを保存できません。(%1: %2)").arg(fileName, error);
    return {};
}

QString PaperHtml(const ExportTable& table)
{
    QString html = QStringLiteral("<h3>") + table.title.toHtmlEscaped() + QStringLiteral("</h3>");
    html +=
        QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\"><thead><tr>");
    for (const auto& h : table.cells.header)
        html += QStringLiteral("<th bgcolor=\"#e8e8e8\">") + Q(h).toHtmlEscaped() + QStringLiteral("</th>");
    html += QStringLiteral("</tr></thead><tbody>");
    // One line per row, as on screen.
    for (const auto& row : table.cells.rows) {
        html += QStringLiteral("<tr>");
        for (size_t c = 0; c < row.size(); ++c) {
            html += Flag(table.centred, c) ? QStringLiteral("<td nowrap align=\"center\">")
                                           : QStringLiteral("<td nowrap>");
            html += Q(row[c]).toHtmlEscaped() + QStringLiteral("</td>");
        }
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</tbody></table>");
    return html;
}

void PaperDocument(QTextDocument& document, const ExportTable& table, const QFont& font)
{
    // The window's font in a size for paper: pixel sizes mean nothing at printer resolution.
    QFont paperFont = font;
    paperFont.setPointSizeF(8); // the age table's nine columns fit A4 upright
    document.setDefaultFont(paperFont);
    document.setHtml(PaperHtml(table));
}

void Print(const ExportTable& table, QPagedPaintDevice& device, const QFont& font)
{
    QTextDocument document;
    PaperDocument(document, table, font);
    document.print(&device);
}

QString WritePdf(const ExportTable& table, const QString& fileName, const QFont& font)
{
    // Made whole in memory first, then written like the CSV file: a full
    // disk leaves the old file, not a cut-off one.
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&bytes);
        pdf.setResolution(1200);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setTitle(table.title);
        pdf.setCreator(basYomari::AppTitle());
        Print(table, pdf, font);
    }
    const QString error = bytes.data().isEmpty() ? QStringLiteral("PDFを作れません")
                                                 : app::WriteWholeFile(fileName, bytes.data());
    if (!error.isEmpty())
        return QStringLiteral("PDFファイルを保存できません。(%1: %2)").arg(fileName, error);
    return {};
}

TablePrinter* LoadTablePrinter(QString& error)
{
    static QPluginLoader* loaded = nullptr;
    if (loaded)
        return qobject_cast<TablePrinter*>(loaded->instance());
    // Beside the program (the build, a copy carried around as one folder),
    // then where the package installs it.
    const QString folder = QCoreApplication::applicationDirPath();
    QStringList tried;
    for (const QString& path : {folder + QStringLiteral("/" YOMARI_PRINT_PLUGIN),
                                folder + QStringLiteral("/" YOMARI_PLUGIN_DIR "/" YOMARI_PRINT_PLUGIN)}) {
        if (!QFileInfo::exists(path))
            continue;
        auto* loader = new QPluginLoader(path, qApp);
        if (qobject_cast<TablePrinter*>(loader->instance())) {
            loaded = loader;
            return qobject_cast<TablePrinter*>(loaded->instance());
        }
        tried << loader->errorString();
        delete loader;
    }
    error =
        QStringLiteral("印刷の部品を読み込めません。(%1)")
            .arg(tried.isEmpty() ? QStringLiteral(YOMARI_PRINT_PLUGIN) : tried.join(QStringLiteral("; ")));
    return nullptr;
}

} // namespace yomari::tableexport
