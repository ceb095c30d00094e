// The table window as a person uses it: opened from the main window and the
// icon's menu, typed into, copied, saved as CSV and PDF through the file
// dialog, and shown without the 厄年・長寿 columns when their file is broken.
#include "tests/support/TestProgram.h"
#include "ui/main/frmMain.h"
#include "ui/table/frmTable.h"
#include "tray/frmTray.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

using testsupport::Find;
using testsupport::ProgramFolder;
using testsupport::Retype;
using testsupport::TypeJapanese;

namespace {

// The shipped data, with the date and 厄年・長寿 files beside the era files.
struct Program {
    explicit Program(const QByteArray& milestones = {})
    {
        QFile::copy(QStringLiteral(YOMARI_BIN_DIR "/Yomari.dad"), folder.Path(QStringLiteral("Yomari.dad")));
        if (milestones.isNull())
            QFile::copy(QStringLiteral(YOMARI_BIN_DIR "/Yomari.dak"),
                        folder.Path(QStringLiteral("Yomari.dak")));
        else
            folder.Write(QStringLiteral("Yomari.dak"), milestones);
        main.Form_Load();
        main.show();
    }
    ProgramFolder folder;
    frmMain main;
};

// The table window's controls, found by their names as a person finds them
// on screen.
struct Controls {
    explicit Controls(const frmTable& t)
        : tabTables(Find<QTabWidget>(t, "tabTables"))
        , spnYear(Find<QSpinBox>(t, "spnYear"))
        , txtFind(Find<QLineEdit>(t, "txtFind"))
        , lblFind(Find<QLabel>(t, "lblFind"))
        , grdAge(Find<QTableWidget>(t, "grdAge"))
        , txtBirth(Find<QLineEdit>(t, "txtBirth"))
        , lblBirth(Find<QLabel>(t, "lblBirth"))
        , grdSchool(Find<QTableWidget>(t, "grdSchool"))
        , chkEraYears(Find<QCheckBox>(t, "chkEraYears"))
        , cmdResume(Find<QPushButton>(t, "cmdResume"))
        , cmdCopy(Find<QPushButton>(t, "cmdCopy"))
        , cmdCsv(Find<QPushButton>(t, "cmdCsv"))
        , cmdPdf(Find<QPushButton>(t, "cmdPdf"))
        , cmdPrint(Find<QPushButton>(t, "cmdPrint"))
    {
    }
    QTabWidget* tabTables;
    QSpinBox* spnYear;
    QLineEdit* txtFind;
    QLabel* lblFind;
    QTableWidget* grdAge;
    QLineEdit* txtBirth;
    QLabel* lblBirth;
    QTableWidget* grdSchool;
    QCheckBox* chkEraYears;
    QPushButton* cmdResume;
    QPushButton* cmdCopy;
    QPushButton* cmdCsv;
    QPushButton* cmdPdf;
    QPushButton* cmdPrint;
};

QStringList RowTexts(const QTableWidget* grid, int row)
{
    QStringList texts;
    for (int c = 0; c < grid->columnCount(); ++c)
        texts << grid->item(row, c)->text();
    return texts;
}

int RowOf(const QTableWidget* grid, const QString& first)
{
    for (int r = 0; r < grid->rowCount(); ++r)
        if (grid->item(r, 0)->text() == first)
            return r;
    return -1;
}

// Clicks `button`, answers the file dialog it opens with `path` (confirmed
// with Enter, or cancelled with Escape), and closes any message box that
// follows; answers the messages' texts.
QStringList SaveThrough(QPushButton* button, const QString& path, Qt::Key answer = Qt::Key_Return)
{
    bool asked = false;
    testsupport::Modals modals;
    modals.AnswerBoxes(QMessageBox::NoButton)
        .Add([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (!dialog)
                return false;
            asked = true;
            // Typed into the name box and confirmed with Enter, as a person does.
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            name->setText(path);
            QTest::keyClick(name, answer);
            return true;
        })
        .Run([&] { QTest::mouseClick(button, Qt::LeftButton); });
    QStringList said = modals.Texts();
    if (!asked)
        said << QStringLiteral("(no file dialog)");
    return said;
}

// The pages of a PDF file, or -1 when the file is no whole PDF.
int PdfPages(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray doc = file.readAll();
    if (!doc.startsWith("%PDF-") || !doc.trimmed().endsWith("%%EOF"))
        return -1;
    return static_cast<int>(doc.count("/Type /Page\n") + doc.count("/Type /Page\r") +
                            doc.count("/Type /Page ") + doc.count("/Type /Page>"));
}

// Cells of a CSV file whose cells hold no comma or quote, as the tables' cells.
QList<QStringList> ReadCsv(const QByteArray& bytes)
{
    QList<QStringList> rows;
    for (const QString& line :
         QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        QStringList cells = line.split(QLatin1Char(','));
        for (QString& cell : cells)
            cell = cell.mid(1, cell.size() - 2);
        rows << cells;
    }
    return rows;
}

} // namespace

class TestFrmTable : public QObject {
    Q_OBJECT

private slots:
    void opensFromButtonAccessKeyAndIconMenu()
    {
        Program p;
        frmMain& m = p.main;
        QVERIFY(QTest::qWaitForWindowExposed(&m));
        // The new button has the right column's free place above 計算, touching nothing.
        QCOMPARE(Find<QPushButton>(m, "cmdTable")->text(), QStringLiteral("早見表(&T)"));
        QCOMPARE(Find<QPushButton>(m, "cmdTable")->x(), Find<QPushButton>(m, "cmdCal")->x());
        QVERIFY(Find<QPushButton>(m, "cmdTable")->geometry().bottom() <
                Find<QPushButton>(m, "cmdCal")->geometry().top());
        for (QWidget* other : m.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (other != Find<QPushButton>(m, "cmdTable") && other->isVisible())
                QVERIFY(!other->geometry().intersects(Find<QPushButton>(m, "cmdTable")->geometry()));
        // It shares the warnings' space: one warning leaves it, a longer one
        // (大正20 has ended, and so has 明治) takes its place until cleared.
        const auto warnFor = [&m](QRadioButton* to) {
            Find<QRadioButton>(m, "optInput4")->click(); // 大正
            to->click();
            Find<QLineEdit>(m, "txtInput0")->setFocus();
            QTest::keyClicks(Find<QLineEdit>(m, "txtInput0"), QStringLiteral("20"));
            QTest::keyClick(Find<QLineEdit>(m, "txtInput0"), Qt::Key_Return);
            QVERIFY(!Find<QLabel>(m, "lblWarning")->text().isEmpty());
        };
        // So does 日付変換 beside it.
        auto* dates = Find<QPushButton>(m, QStringLiteral("cmdDates"));
        auto* table = Find<QPushButton>(m, "cmdTable");
        auto* warning = Find<QLabel>(m, "lblWarning");
        warnFor(Find<QRadioButton>(m, "optInput6")); // 西暦
        QVERIFY(table->isVisible());
        QVERIFY(dates->isVisible() && !warning->geometry().intersects(dates->geometry()));
        QVERIFY(!warning->geometry().intersects(table->geometry()));
        QVERIFY(warning->heightForWidth(warning->width()) <= warning->height());
        warnFor(Find<QRadioButton>(m, "optInput11")); // 明治, in the list of older eras
        QVERIFY(!table->isVisible() && !dates->isVisible());
        QVERIFY(warning->heightForWidth(warning->width()) > table->y() - warning->y());
        QVERIFY(warning->heightForWidth(warning->width()) <= warning->height());
        QTest::mouseClick(Find<QPushButton>(m, "cmdClear"), Qt::LeftButton);
        QVERIFY(table->isVisible() && dates->isVisible());

        QTest::mouseClick(Find<QPushButton>(m, "cmdTable"), Qt::LeftButton);
        QVERIFY(m.TableLoaded());
        frmTable& t = m.Table();
        const Controls ui(t);
        QVERIFY(QTest::qWaitForWindowActive(&t));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(ui.txtFind));
        QTest::keyClick(ui.txtFind, Qt::Key_Escape);
        QVERIFY(!t.isVisible());

        m.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&m));
        QTest::keyClick(&m, Qt::Key_T, Qt::AltModifier);
        QTRY_VERIFY(t.isVisible()); // an access key clicks its button after a short press
        t.close();

        // The icon's menu: "早見表" right after "起動".
        QMenu* menu = Find<QMenu>(m.Tray(), "mnuRight");
        const QStringList entries = testsupport::Items(menu);
        QCOMPARE(entries.indexOf(QStringLiteral("早見表")), entries.indexOf(QStringLiteral("起動")) + 1);
        m.hide();
        testsupport::ChooseMenuItem(menu, QStringLiteral("早見表"));
        QVERIFY(t.isVisible());
        QVERIFY(!m.isVisible());
    }

    void ageTableFindsTypedBirthYears()
    {
        Program p;
        QTest::mouseClick(Find<QPushButton>(p.main, "cmdTable"), Qt::LeftButton);
        frmTable& t = p.main.Table();
        const Controls ui(t);
        QVERIFY(QTest::qWaitForWindowExposed(&t));
        QTableWidget* g = ui.grdAge;
        QCOMPARE(ui.spnYear->value(), 2026);
        QCOMPARE(g->rowCount(), 121);
        QCOMPARE(g->columnCount(), 9);
        QCOMPARE(RowTexts(g, RowOf(g, QStringLiteral("1966年"))),
                 (QStringList{"1966年", "昭和41年", "丙午(ひのえうま)", "60歳", "59歳", "61歳", "本厄",
                              "本厄", "還暦"}));
        // The names (和暦, 干支) stand flush left, numbers and 厄年 centred.
        for (int col = 0; col < g->columnCount(); ++col)
            QCOMPARE(g->item(0, col)->textAlignment() == Qt::AlignCenter,
                     !(QStringList{"和暦", "干支"}.contains(g->horizontalHeaderItem(col)->text())));
        // Every column is wide enough for its widest text.
        for (int col = 0; col < g->columnCount(); ++col) {
            int widest = 0;
            for (int r = 0; r < g->rowCount(); ++r)
                widest = std::max(widest, g->fontMetrics().horizontalAdvance(g->item(r, col)->text()));
            QVERIFY2(g->columnWidth(col) > widest, qPrintable(g->horizontalHeaderItem(col)->text()));
        }

        const auto shownRow = [g](int row) {
            return g->viewport()->rect().intersects(g->visualItemRect(g->item(row, 0)));
        };
        TypeJapanese(ui.txtFind, QStringLiteral("昭和50"));
        const int row1975 = RowOf(g, QStringLiteral("1975年"));
        QCOMPARE(g->currentRow(), row1975);
        QCOMPARE(g->selectionModel()->selectedRows().size(), 1);
        QVERIFY(shownRow(row1975));
        QVERIFY(ui.lblFind->text().isEmpty());

        g->scrollToTop();
        g->clearSelection();
        QVERIFY(!shownRow(row1975));
        Retype(ui.txtFind, QStringLiteral("S50"));
        QCOMPARE(g->currentRow(), row1975);
        QVERIFY(shownRow(row1975));
        QCOMPARE(g->selectionModel()->selectedRows().size(), 1);

        Retype(ui.txtFind, QStringLiteral("1900"));
        QCOMPARE(ui.lblFind->text(), QStringLiteral("表にない生年です"));
        // What reads as no year at all says so, quoting (the start of) it.
        for (const auto& [typed, said] : {std::pair{"abc", "「abc」は年として読めません"},
                                          std::pair{"19x5", "「19x5」は年として読めません"},
                                          std::pair{"abcdefghijk", "「abcdefg…」は年として読めません"},
                                          std::pair{"abcdefghi", "「abcdefg…」は年として読めません"},
                                          std::pair{"abcdefgh", "「abcdefgh」は年として読めません"},
                                          std::pair{"1800", "表にない生年です"}, std::pair{"1975", ""}}) {
            Retype(ui.txtFind, QString::fromLatin1(typed));
            QCOMPARE(ui.lblFind->text(), QString::fromUtf8(said));
        }
        Retype(ui.txtFind, QStringLiteral("1900"));

        // Another year looked from keeps the person found.
        ui.spnYear->setFocus();
        ui.spnYear->selectAll();
        QTest::keyClicks(ui.spnYear, QStringLiteral("2000"));
        QTest::keyClick(ui.spnYear, Qt::Key_Return);
        QCOMPARE(ui.spnYear->value(), 2000);
        QCOMPARE(g->item(g->currentRow(), 0)->text(), QStringLiteral("1975年"));
        QCOMPARE(g->item(g->currentRow(), 3)->text(), QStringLiteral("25歳"));

        // The court line chosen in the options names the years of the split,
        // in the open table too.
        ui.spnYear->setValue(1400);
        const int row1336 = RowOf(g, QStringLiteral("1336年"));
        QCOMPARE(g->item(row1336, 1)->text(), QStringLiteral("建武3年"));
        p.main.Options().SetNanBokuMode(1);
        QCOMPARE(g->item(row1336, 1)->text(), QStringLiteral("建武3年/延元元年"));
        p.main.Options().SetNanBokuMode(0);
        QCOMPARE(g->item(row1336, 1)->text(), QStringLiteral("建武3年"));
        ui.spnYear->setValue(2000);

        // Copy takes the selected rows with the header, as tab-separated lines.
        g->selectRow(0);
        QTest::mouseClick(ui.cmdCopy, Qt::LeftButton);
        QCOMPARE(QApplication::clipboard()->text(),
                 QStringLiteral("西暦\t和暦\t干支\t満年齢\t誕生日前\t数え年\t厄年(男)\t厄年(女)\t長寿祝い\n"
                                "2000年\t平成12年\t庚辰(かのえたつ)\t0歳\t-\t1歳\t\t\t\n"));
    }

    void schoolTableAndResumeCopy()
    {
        Program p;
        testsupport::Click(p.main, "cmdTable");
        frmTable& t = p.main.Table();
        const Controls ui(t);
        QVERIFY(QTest::qWaitForWindowActive(&t));
        QTest::keyClick(&t, Qt::Key_G, Qt::AltModifier);
        QCOMPARE(ui.tabTables->currentIndex(), 1);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(ui.txtBirth));
        QTest::keyClicks(ui.txtBirth, QStringLiteral("2012-04-02"));
        QTableWidget* g = ui.grdSchool;
        QCOMPARE(g->rowCount(), 7);
        QCOMPARE(RowTexts(g, 1),
                 (QStringList{"小学校", "2019年4月", "平成31年4月", "2025年3月", "令和7年3月"}));
        QCOMPARE(ui.lblBirth->text(), QStringLiteral("2012年4月2日(平成24年4月2日)生まれ"));
        // Every school has a check box; what a 履歴書 usually lists is checked
        // at first: not 幼稚園, 短大, 大学院.
        QList<Qt::CheckState> checks;
        for (int r = 0; r < g->rowCount(); ++r) {
            QVERIFY(g->item(r, 0)->data(Qt::CheckStateRole).isValid()); // the box is shown
            checks << g->item(r, 0)->checkState();
        }
        QCOMPARE(checks, (QList<Qt::CheckState>{Qt::Unchecked, Qt::Checked, Qt::Checked, Qt::Checked,
                                                Qt::Checked, Qt::Unchecked, Qt::Unchecked}));

        // 大学 off, 大学院 on: the copy follows the check marks, in time order.
        g->item(4, 0)->setCheckState(Qt::Unchecked);
        g->item(6, 0)->setCheckState(Qt::Checked);
        QTest::mouseClick(ui.cmdResume, Qt::LeftButton);
        QCOMPARE(QApplication::clipboard()->text(),
                 QStringLiteral("平成31年\t4月\t小学校 入学\n令和7年\t3月\t小学校 卒業\n"
                                "令和7年\t4月\t中学校 入学\n令和10年\t3月\t中学校 卒業\n"
                                "令和10年\t4月\t高等学校 入学\n令和13年\t3月\t高等学校 卒業\n"
                                "令和17年\t4月\t大学院修士課程 入学\n令和19年\t3月\t大学院修士課程 修了\n"));
        ui.chkEraYears->setFocus();
        QTest::keyClick(ui.chkEraYears, Qt::Key_Space);
        QTest::mouseClick(ui.cmdResume, Qt::LeftButton);
        QVERIFY(QApplication::clipboard()->text().startsWith(QStringLiteral("2019年\t4月\t小学校 入学\n")));

        // A day that never was: the reason, no table, nothing to copy.
        Retype(ui.txtBirth, QStringLiteral("2012-02-30"));
        QVERIFY(!ui.lblBirth->text().isEmpty());
        QCOMPARE(ui.lblBirth->text(), QStringLiteral("2012年2月30日はありません（2月は29日まで）"));
        QCOMPARE(g->rowCount(), 0);
        QVERIFY(!ui.cmdResume->isEnabled());
        TypeJapanese(ui.txtBirth, QString());
        Retype(ui.txtBirth, QString());
        TypeJapanese(ui.txtBirth, QStringLiteral("平成12年4月1日"));
        QCOMPARE(g->item(1, 1)->text(), QStringLiteral("2006年4月"));
        // The check marks chosen above stay with the new birth date.
        QCOMPARE(g->item(6, 0)->checkState(), Qt::Checked);
    }

    // Printing goes through the print dialog to the printer chosen there,
    // here the one that prints into a PDF file.
    void printsThroughThePrintDialog()
    {
        Program p;
        testsupport::Click(p.main, "cmdTable");
        frmTable& t = p.main.Table();
        const Controls ui(t);
        QVERIFY(QTest::qWaitForWindowExposed(&t));
        QTemporaryDir out;
        const QString pdf = out.filePath(QStringLiteral("print.pdf"));
        bool asked = false;
        testsupport::Modals modals;
        modals.AnswerBoxes(QMessageBox::NoButton)
            .Add([&](QWidget* modal) {
                if (!modal->inherits("QPrintDialog"))
                    return false;
                asked = true;
                // Without a print system, the one printer writes a PDF file:
                // its name typed over the one offered, then Enter.
                auto* name = modal->findChild<QLineEdit*>(QStringLiteral("filename"));
                QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(name, pdf);
                QTest::keyClick(name, Qt::Key_Return);
                return true;
            })
            .Run([&] { QTest::mouseClick(ui.cmdPrint, Qt::LeftButton); });
        QVERIFY(asked);
        QCOMPARE(modals.Texts(), QStringList());
        QVERIFY(PdfPages(pdf) >= 2);
    }

    void csvReadsBackAndPdfHasPages()
    {
        Program p;
        testsupport::Click(p.main, "cmdTable");
        frmTable& t = p.main.Table();
        const Controls ui(t);
        QVERIFY(QTest::qWaitForWindowExposed(&t));
        QTemporaryDir out;
        const QString csv = out.filePath(QStringLiteral("年齢.csv"));
        QCOMPARE(SaveThrough(ui.cmdCsv, csv), QStringList());
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF\"西暦(年)\""));
        const QList<QStringList> rows = ReadCsv(bytes);
        QCOMPARE(rows.size(), 1 + ui.grdAge->rowCount());
        // Number columns carry their unit in the header and plain numbers in
        // their cells ("-", no such age yet, left empty); names stay text.
        const QStringList units{"年", "", "", "歳", "歳", "歳", "", "", ""};
        QCOMPARE(rows[0].size(), units.size());
        for (int c = 0; c < units.size(); ++c) {
            const QString shown = ui.grdAge->horizontalHeaderItem(c)->text();
            QCOMPARE(rows[0][c], units[c].isEmpty() ? shown : shown + "(" + units[c] + ")");
        }
        for (int r = 0; r < ui.grdAge->rowCount(); ++r) {
            const QStringList shown = RowTexts(ui.grdAge, r);
            for (int c = 0; c < units.size(); ++c) {
                if (units[c].isEmpty()) {
                    QCOMPARE(rows[r + 1][c], shown[c]);
                } else if (shown[c] == QStringLiteral("-")) {
                    QCOMPARE(rows[r + 1][c], QString());
                } else {
                    bool number = false;
                    QCOMPARE(QString::number(rows[r + 1][c].toInt(&number)) + units[c], shown[c]);
                    QVERIFY(number);
                }
            }
        }

        const QString pdf = out.filePath(QStringLiteral("年齢.pdf"));
        QCOMPARE(SaveThrough(ui.cmdPdf, pdf), QStringList());
        // 121 rows do not fit one A4 page.
        QVERIFY(PdfPages(pdf) >= 2);

        // A folder that cannot be written: a message naming the file, no crash.
        const QStringList said = SaveThrough(ui.cmdCsv, out.filePath(QStringLiteral("none/x.csv")));
        QCOMPARE(said.size(), 1);
        QVERIFY(said[0].contains(out.filePath(QStringLiteral("none/x.csv"))));

        // A name typed without its suffix gets it; a cancelled dialog writes nothing.
        QCOMPARE(SaveThrough(ui.cmdCsv, out.filePath(QStringLiteral("表"))), QStringList());
        QVERIFY(QFile::exists(out.filePath(QStringLiteral("表.csv"))));
        QCOMPARE(SaveThrough(ui.cmdCsv, out.filePath(QStringLiteral("取消.csv")), Qt::Key_Escape),
                 QStringList());
        QVERIFY(!QFile::exists(out.filePath(QStringLiteral("取消.csv"))));
    }

    void brokenMilestoneFileIsNamedAndItsColumnsLeft()
    {
        Program p("\"男\",\"本厄\",42,\"大厄\"\r\n\"長寿\",\"還暦\",六十一,\"\"\r\n");
        const QStringList said = testsupport::AnswerMessageBoxes(
            [&] { QTest::mouseClick(Find<QPushButton>(p.main, "cmdTable"), Qt::LeftButton); });
        QCOMPARE(said.size(), 1);
        QVERIFY2(said[0].contains(p.folder.Path(QStringLiteral("Yomari.dak"))), qPrintable(said[0]));
        frmTable& t = p.main.Table();
        const Controls ui(t);
        QVERIFY(t.isVisible());
        QCOMPARE(ui.grdAge->rowCount(), 121);
        QCOMPARE(ui.grdAge->columnCount(), 6);
        QCOMPARE(ui.grdAge->horizontalHeaderItem(5)->text(), QStringLiteral("数え年"));
        // Told once, not on every opening.
        t.close();
        QVERIFY(testsupport::AnswerMessageBoxes([&] { testsupport::Click(p.main, "cmdTable"); }).isEmpty());
    }

    void settingsLiveInAFileOfTheirOwn()
    {
        Program p;
        testsupport::Click(p.main, "cmdTable");
        frmTable& t = p.main.Table();
        const Controls ui(t);
        ui.tabTables->setCurrentIndex(1);
        QTest::keyClicks(ui.txtBirth, QStringLiteral("2000-04-02"));
        t.resize(700, 480); // as a person drags its edge
        QTest::keyClick(ui.txtBirth, Qt::Key_Escape);
        QVERIFY(!t.isVisible());
        QCOMPARE(QFileInfo(frmTable::SettingsFileName()).absolutePath(),
                 QFileInfo(p.folder.Path("Yomari.ini")).absolutePath());
        QVERIFY(QFile::exists(frmTable::SettingsFileName()));
        QVERIFY(!QFile::exists(p.folder.Path(QStringLiteral("Yomari.ini"))));

        frmTable again(p.main.Options());
        again.Form_Load();
        const Controls ac(again);
        QCOMPARE(again.size(), QSize(700, 480));
        QCOMPARE(ac.tabTables->currentIndex(), 1);
        QCOMPARE(ac.txtBirth->text(), QStringLiteral("2000-04-02"));
        QCOMPARE(ac.grdSchool->item(1, 1)->text(), QStringLiteral("2007年4月"));

        // A mangled file gives the defaults.
        p.folder.Write(QFileInfo(frmTable::SettingsFileName()).fileName(),
                       QByteArray("\xff\xfe[Window\nTab=9\n[School]\nResume=1x\nBirthDate=\x01\n", 40));
        frmTable third(p.main.Options());
        third.Form_Load();
        const Controls tc(third);
        QCOMPARE(tc.tabTables->currentIndex(), 0);
        QCOMPARE(tc.grdAge->rowCount(), 121);
    }
};

YOMARI_TEST_MAIN(TestFrmTable)
#include "tst_frmTable.moc"
