// The tables' export without a window: text tables in; the CSV's bytes, the
// clipboard text and the page on paper out; CSV and PDF written to real files, a full disk among them.
#include "ui/table/TableExport.h"
#include "tests/support/Files.h"
#include "tests/support/SmallDisk.h"

#include <QFont>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QtTest>

#include <functional>

using yomari::tableexport::ExportTable;

namespace {

// "a|b\nc|d": rows of cells, the header first; `numbers` marks a number
// column with N.
ExportTable TableOf(const QString& text, const QString& numbers)
{
    ExportTable table;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        std::vector<std::string> cells;
        for (const QString& cell : line.split(QLatin1Char('|')))
            cells.push_back(cell.toStdString());
        if (table.cells.header.empty())
            table.cells.header = cells;
        else
            table.cells.rows.push_back(cells);
    }
    for (QChar c : numbers)
        table.numbers.push_back(c == QLatin1Char('N'));
    return table;
}

// The file's bytes for lines written with LF: a byte order mark and CR LF.
QByteArray CsvFile(const QString& lines)
{
    return "\xEF\xBB\xBF" + lines.toUtf8().replace("\n", "\r\n") + "\r\n";
}

} // namespace

class TestTableExport : public QObject {
    Q_OBJECT

private slots:
    void csvBytes_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("numbers");
        QTest::addColumn<QString>("csv");
        const auto row = [](const char* name, const char* table, const char* numbers, const char* csv) {
            QTest::newRow(name) << QString::fromUtf8(table) << QString::fromUtf8(numbers)
                                << QString::fromUtf8(csv);
        };
        // A number column carries its unit in the header and bare numbers; "-" is empty.
        row("age table", "西暦|和暦|満年齢|誕生日前\n1975年|昭和50年|51歳|50歳\n2026年|令和8年|0歳|-", "N-NN",
            R"c("西暦(年)","和暦","満年齢(歳)","誕生日前(歳)"
"1975","昭和50年","51","50"
"2026","令和8年","0","")c");
        // Only the columns marked as numbers lose their unit.
        row("text column", "西暦|数え年\n1975年|52歳", "N-", R"c("西暦(年)","数え年"
"1975","52歳")c");
        // A column that is not one number and one unit stays as shown.
        row("two units", "x\n1年\n2歳", "N", "\"x\"\n\"1年\"\n\"2歳\"");
        row("a word", "x\n1年\nabc", "N", "\"x\"\n\"1年\"\n\"abc\"");
        row("year and month", "入学\n2019年4月", "N", "\"入学\"\n\"2019年4月\"");
        row("no unit", "x\n1975", "N", "\"x\"\n\"1975\"");
        row("unit first", "x\n年1975", "N", "\"x\"\n\"年1975\"");
        row("only dashes", "x\n-\n-", "N", "\"x\"\n\"-\"\n\"-\"");
        row("no rows", "西暦|和暦", "N-", "\"西暦\",\"和暦\"");
        row("short row", "a|b\n1年|2年\n3年", "NN", R"c("a(年)","b"
"1","2年"
"3")c");
        // Quotes are doubled, commas kept inside their cell.
        row("quotes", "名|年\n\"a,b\"|7年", "-N", R"c("名","年(年)"
"""a,b""","7")c");
    }
    void csvBytes()
    {
        QFETCH(QString, table);
        QFETCH(QString, numbers);
        QFETCH(QString, csv);
        ExportTable t = TableOf(table, numbers);
        QCOMPARE(QByteArray::fromStdString(yomari::tableexport::CsvBytes(t)), CsvFile(csv));

        // On paper: the title, then every cell as shown in its row and
        // column, the number columns centred here.
        t.title = QStringLiteral("年齢早見表 <&> 2026年");
        t.centred = t.numbers;
        QTextDocument paper;
        paper.setHtml(yomari::tableexport::PaperHtml(t));
        QCOMPARE(paper.begin().text(), t.title);
        QTextTable* grid = nullptr;
        for (QTextFrame* frame : paper.rootFrame()->childFrames())
            grid = grid ? grid : qobject_cast<QTextTable*>(frame);
        QVERIFY(grid);
        QCOMPARE(grid->rows(), static_cast<int>(t.cells.rows.size()) + 1);
        QCOMPARE(grid->columns(), static_cast<int>(t.cells.header.size()));
        for (int r = 0; r < grid->rows(); ++r) {
            const auto& cells = r == 0 ? t.cells.header : t.cells.rows[static_cast<size_t>(r - 1)];
            for (int c = 0; c < static_cast<int>(cells.size()); ++c) {
                const QTextCursor at = grid->cellAt(r, c).firstCursorPosition();
                QCOMPARE(at.block().text(), QString::fromStdString(cells[static_cast<size_t>(c)]));
                if (r > 0)
                    QCOMPARE(at.blockFormat().alignment() == Qt::AlignHCenter,
                             t.centred[static_cast<size_t>(c)]);
            }
        }
        // The clipboard keeps the cells as shown.
        QCOMPARE(yomari::tableexport::ClipboardText(t),
                 table.replace(QLatin1Char('|'), QLatin1Char('\t')) + "\n");
    }

    void csvFileOnDisk()
    {
        const ExportTable t = TableOf(QStringLiteral("西暦\n1975年"), QStringLiteral("N"));
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("年齢早見表.csv"));
        QCOMPARE(yomari::tableexport::WriteCsv(t, file), QString());
        QFile written(file);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), CsvFile(QStringLiteral("\"西暦(年)\"\n\"1975\"")));

        // Where it cannot be written, the message names the file.
        const QString nowhere = dir.filePath(QStringLiteral("none/x.csv"));
        QVERIFY(yomari::tableexport::WriteCsv(t, nowhere).contains(nowhere));
        QVERIFY(!QFile::exists(nowhere));
    }

    // A full disk: the message names the file, and the file saved before
    // stays whole, with no temporary file left beside it.
    void fullDiskKeepsTheSavedFile()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("disk"));
        const testsupport::SmallDisk disk(folder, 512);
        if (!disk.Mounted())
            QSKIP(qPrintable(disk.Why()));
        const ExportTable t = TableOf(QStringLiteral("西暦\n1975年"), QStringLiteral("N"));
        const std::pair<QString, std::function<QString(const QString&)>> writers[] = {
            {QStringLiteral("年齢早見表.csv"),
             [&](const QString& f) { return yomari::tableexport::WriteCsv(t, f); }},
            {QStringLiteral("年齢早見表.pdf"),
             [&](const QString& f) { return yomari::tableexport::WritePdf(t, f, QFont()); }},
        };
        for (const auto& [name, write] : writers) {
            const QString file = folder + QLatin1Char('/') + name;
            QCOMPARE(write(file), QString());
            const std::string saved = testsupport::Slurp(file.toStdString());
            QVERIFY(!saved.empty());
            disk.Fill();
            QVERIFY2(write(file).contains(file), qPrintable(name));
            QVERIFY(testsupport::Slurp(file.toStdString()) == saved);
            QCOMPARE(QDir(folder).entryList(QDir::Files), (QStringList{QStringLiteral("filler"), name}));
            disk.Free();
            QFile::remove(file);
        }
    }
};

QTEST_MAIN(TestTableExport)
#include "tst_TableExport.moc"
