// The date window as a person uses it: opened from the main window and the
// icon's menu, days typed key by key or committed by the input method, the
// answers read off the window and copied with its buttons.

#include "app/AppSetup.h"
#include "tests/support/Cli.h"
#include "tests/support/ShownText.h"
#include "tests/support/TestProgram.h"
#include "tests/support/MainWindow.h"
#include "tray/frmTray.h"
#include "ui/main/frmMain.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

using testsupport::Find;
using testsupport::PressAsX;
using testsupport::ProgramFolder;
using testsupport::Retype;

namespace {

// The forms of an answer, top down.
const char* const kForms[] = {"Era",       "Also",      "OtherLine",  "Julian", "Gregorian",
                              "Lunisolar", "DayKanshi", "YearKanshi", "Jdn"};

// The shipped era and day files (`change` may spoil one), and the date window
// opened with the main window's button.
struct Program {
    explicit Program(const std::function<void(const ProgramFolder&)>& change = nullptr)
    {
        folder.CopyShipped(
            {QStringLiteral("Yomari.dad"), QStringLiteral("Yomari.dal"), QStringLiteral("Yomari.dae")});
        if (change)
            change(folder);
        d = Start(main);
        box = Find<QLineEdit>(*d, QStringLiteral("txtDate"));
    }
    // Starts the main window and opens the date window with its button.
    static QWidget* Start(frmMain& main)
    {
        main.Form_Load();
        main.show();
        if (!QTest::qWaitForWindowActive(&main))
            qFatal("the main window did not come up");
        if (QWidget* d = testsupport::OpenDates(main))
            return d;
        qFatal("the date window did not come forward");
    }
    QLineEdit* Form(const char* form) const { return Find<QLineEdit>(*d, QStringLiteral("txt") + form); }
    QLabel* Note() const { return Find<QLabel>(*d, QStringLiteral("lblNote")); }
    // Every form, then the note.
    QString Shown() const
    {
        QStringList texts;
        for (const char* form : kForms)
            texts << Form(form)->text();
        return (texts << Note()->text()).join(QStringLiteral(" | "));
    }

    ProgramFolder folder;
    frmMain main;
    QWidget* d = nullptr;
    QLineEdit* box = nullptr;
};

// Empty when yomari-cli answers the text as the window does: its line among
// the window's forms (up to its first remark), its year answer or its
// reason for refusing as the window's note.
QString SaysWhatTheCommandLineSays(const char* typed, const Program& p)
{
    const testsupport::CliOutcome cli = testsupport::RunCli({typed});
    QString said = QString::fromStdString(cli.status == 0 ? cli.out : cli.err).trimmed();
    if (cli.status != 0)
        said = said.mid(said.indexOf(QStringLiteral("」: ")) + 3);
    const bool day = !p.Form("Era")->text().isEmpty();
    const bool same =
        day ? p.Shown().contains(said.section(QRegularExpression(QStringLiteral("[ （]")), 0, 0))
            : p.Note()->text().mid(cli.status == 0 ? p.Note()->text().indexOf(u'：') + 1 : 0) == said;
    return same ? QString() : QString::fromUtf8(typed) + QStringLiteral(": yomari-cli says ") + said;
}

} // namespace

class TestFrmDates : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { yomari::app::SetUpApplication(); }

    void typedDatesShowEveryForm()
    {
        Program p;
        QCOMPARE(QApplication::focusWidget(), p.box);
        // ASCII key by key, Japanese as one commit of the input method; never
        // Enter: the window answers as it is typed.
        // era | also | other line | Julian | Gregorian | 旧暦 | 日 | 年 | JDN | note
        const struct {
            const char* typed;
            const char* shown;
        } table[] = {
            {"天正10年6月2日",
             "天正10年6月2日 |  |  | 1582-06-21 | 1582-07-01 | 1582年（壬午）6月2日 | 戊子 | "
             "壬午（みずのえうま） | 2299055 | "},
            {"1582-06-21", "天正10年6月2日 |  |  | 1582-06-21 | 1582-07-01 | 1582年（壬午）6月2日 | 戊子 | "
                           "壬午（みずのえうま） | 2299055 | "},
            {"天正十年六月二日", "天正10年6月2日 |  |  | 1582-06-21 | 1582-07-01 | 1582年（壬午）6月2日 | "
                                 "戊子 | 壬午（みずのえうま） | 2299055 | "},
            {"慶応4年閏4月1日", "慶応4年閏4月1日 | 明治元年閏4月1日 |  | 1868-05-10 | 1868-05-22 | "
                                "1868年（戊辰）閏4月1日 | 戊申 | 戊辰（つちのえたつ） | 2403475 | "},
            {"1224-08-17", "貞応3年閏7月1日 | 元仁元年閏7月1日 |  | 1224-08-17 | 1224-08-24 | "
                           "1224年（甲申）閏7月1日 | 丙寅 | 甲申（きのえさる） | 2168353 | "},
            {"0660-01-01",
             "元号なし（白雉の後・朱鳥の前） |  |  | 0660-01-01 | 0660-01-04 | 659年（己未）11月14日 "
             "| 丙辰 | 己未（つちのとひつじ） | 1962123 | "},
            {"1872-12-31", "明治5年12月2日 |  |  | 1872-12-19 | 1872-12-31 | 1872年（壬申）12月2日 | 壬子 | "
                           "壬申（みずのえさる） | 2405159 | "},
            {"1873-01-01",
             "明治6年1月1日 |  |  | 1872-12-20 | 1873-01-01 |  | 癸丑 | 癸酉（みずのととり） | 2405160 | "},
            {"1340-01-01",
             "暦応2年12月2日 |  | 延元4年12月2日 | 1340-01-01 | 1340-01-09 | 1339年（己卯）12月2日 | "
             "丙戌 | 己卯（つちのとう） | 2210493 | "},
            {"1338-03-01", "建武5年2月9日 | 暦応元年2月9日 | 延元3年2月9日 | 1338-03-01 | 1338-03-09 | "
                           "1338年（戊寅）2月9日 | 乙亥 | 戊寅（つちのえとら） | 2209822 | "},
            {"明治5年12月3日", " |  |  |  |  |  |  |  |  | "
                               "明治5年12月3日はありません（明治5年12月2日の翌日が明治6年1月1日）"},
            {"安政3年閏5月1日",
             " |  |  |  |  |  |  |  |  | 安政3年閏5月1日はありません（安政3年に閏月はありません）"},
            {"昭和50", " |  |  |  |  |  |  |  |  | 年だけの答え：1975"},
            {"", " |  |  |  |  |  |  |  |  | "},
            // Forms of old documents, a Julian Day Number, a year or month
            // alone, a big year and what is unread: one reading as in yomari-cli.
            {"慶應4年睦月晦日", "慶応4年1月29日 | 明治元年1月29日 |  | 1868-02-10 | 1868-02-22 | "
                                "1868年（戊辰）1月29日 | 戊寅 | 戊辰（つちのえたつ） | 2403385 | "},
            {"JDN 2299161",
             "天正10年9月19日 |  |  | 1582-10-05 | 1582-10-15 | 1582年（壬午）9月19日 | 甲戌 | "
             "壬午（みずのえうま） | 2299161 | "},
            {"2019年4月", " |  |  |  |  |  |  |  |  | 年だけの答え：平成31年4月"},
            {"天保3年閏11月", " |  |  |  |  |  |  |  |  | 月の答え：1832-12-22〜1833-01-20"},
            {"123456", " |  |  |  |  |  |  |  |  | 年だけの答え：令和121438年"},
            {"abc", " |  |  |  |  |  |  |  |  | 「abc」は日付・年として読めません"},
            {"延元元年", " |  |  |  |  |  |  |  |  | "
                         "延元は南朝の元号です（年と月だけの問い合わせは北朝の元号で読みます）"},
        };
        QStringList wrong;
        for (const auto& row : table) {
            Retype(p.box, QString::fromUtf8(row.typed));
            if (p.Shown() != QString::fromUtf8(row.shown))
                wrong << QString::fromUtf8(row.typed) + QStringLiteral(" shows ") + p.Shown();
            if (*row.typed)
                wrong << SaysWhatTheCommandLineSays(row.typed, p);
        }
        wrong.removeAll(QString());
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u'\n')));

        // Ticked with Space, a day before the reform is read as Gregorian.
        Retype(p.box, QStringLiteral("1582-07-01"));
        auto* gregorian = Find<QCheckBox>(*p.d, QStringLiteral("chkGregorian"));
        gregorian->setFocus();
        QTest::keyClick(gregorian, Qt::Key_Space);
        QCOMPARE(p.Shown(), QString::fromUtf8(table[1].shown));
        QTest::keyClick(gregorian, Qt::Key_Space);
        QCOMPARE(p.Form("Era")->text(), QStringLiteral("天正10年6月12日"));

        // A new court line in the options answers again in that line.
        Retype(p.box, QStringLiteral("1340-01-01"));
        p.main.Options().SetNanBokuMode(1);
        QCOMPARE(Find<QLabel>(*p.d, QStringLiteral("lblEra"))->text(), QStringLiteral("和暦（南朝）"));
        QCOMPARE(Find<QLabel>(*p.d, QStringLiteral("lblOtherLine"))->text(), QStringLiteral("北朝"));
        QCOMPARE(p.Form("Era")->text() + p.Form("OtherLine")->text(),
                 QStringLiteral("延元4年12月2日暦応2年12月2日"));

        // Pasted nonsense: a short reason, nothing answered, the window as it was.
        const QSize size = p.d->size();
        for (const QString& pasted :
             {QString(5000, u'9'), QStringLiteral("天正").repeated(3000),
              QStringLiteral("1582-06-21").repeated(800), QString(300, QChar(0xFFFD))}) {
            p.box->clear();
            QApplication::clipboard()->setText(pasted);
            PressAsX(p.box, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(p.box->text(), pasted);
            const QString note = p.Note()->text();
            QVERIFY2(!note.isEmpty() && note.size() < 100, qPrintable(note.left(120)));
            QCOMPARE(p.Form("Era")->text(), QString());
            QCOMPARE(p.d->size(), size);
        }
    }

    void keysWalkCopyAndClose()
    {
        Program p;
        Retype(p.box, QStringLiteral("1338-03-01")); // a day with every form
        // One round of Tab from the date line: each stop below the one before.
        QList<QWidget*> visited;
        for (QWidget* at = p.box; !visited.contains(at); at = QApplication::focusWidget()) {
            visited << at;
            PressAsX(at, Qt::Key_Tab);
        }
        QCOMPARE(visited.size(), 12); // the line, its calendar, nine copy buttons, 閉じる
        for (qsizetype i = 1; i < visited.size(); ++i)
            QVERIFY2(visited[i - 1]->y() < visited[i]->y(), qPrintable(visited[i]->objectName()));
        QCOMPARE(visited.back()->objectName(), QStringLiteral("cmdClose"));

        // Each button copies its own form; a form the day lacks cannot be copied.
        QClipboard* clipboard = QApplication::clipboard();
        Retype(p.box, QStringLiteral("1224-08-17"));
        for (const char* form : kForms) {
            auto* copy = Find<QPushButton>(*p.d, QStringLiteral("cmdCopy") + form);
            QCOMPARE(copy->isEnabled(), !p.Form(form)->text().isEmpty());
            clipboard->clear();
            QTest::mouseClick(copy, Qt::LeftButton);
            QCOMPARE(clipboard->text(), p.Form(form)->text());
        }
        clipboard->clear();
        QTest::keyClick(p.d, Qt::Key_W, Qt::AltModifier);
        QTRY_COMPARE(clipboard->text(), QStringLiteral("貞応3年閏7月1日"));

        // Alt+D comes back to the line; Escape there closes the window.
        QTest::keyClick(p.d, Qt::Key_D, Qt::AltModifier);
        QTRY_COMPARE(QApplication::focusWidget(), p.box);
        PressAsX(p.box, Qt::Key_Escape);
        QVERIFY(!p.d->isVisible());

        // The icon's menu opens it again, right after 早見表, with the last
        // day selected so that typing replaces it.
        QMenu* menu = Find<QMenu>(p.main.Tray(), QStringLiteral("mnuRight"));
        const QStringList entries = testsupport::Items(menu);
        QCOMPARE(entries.indexOf(QStringLiteral("日付変換")), entries.indexOf(QStringLiteral("早見表")) + 1);
        testsupport::ChooseMenuItem(menu, QStringLiteral("日付変換"));
        QVERIFY(QTest::qWaitForWindowActive(p.d));
        QCOMPARE(QApplication::focusWidget(), p.box);
        QCOMPARE(p.box->selectedText(), QStringLiteral("1224-08-17"));
    }

    void calendarAndPlaceOutlastTheProgram()
    {
        Program p;
        QTest::mouseClick(Find<QCheckBox>(*p.d, QStringLiteral("chkGregorian")), Qt::LeftButton);
        p.d->move(p.d->pos() + QPoint(40, 30));
        const QPoint place = p.d->pos();
        p.main.close(); // the program ends with the window open
        testsupport::FlushDeletes();

        frmMain again;
        QWidget* d = Program::Start(again);
        QVERIFY(Find<QCheckBox>(*d, QStringLiteral("chkGregorian"))->isChecked());
        QCOMPARE(d->pos(), place);
    }

    void spoiltLunisolarFilesCostOnlyTheOldDays_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("bytes"); // null: the file is missing
        QTest::newRow("no Yomari.dal") << QStringLiteral("Yomari.dal") << QByteArray();
        QTest::newRow("Yomari.dal with a gap")
            << QStringLiteral("Yomari.dal") << QByteArray("645,1956676,0,292930\n647,1957100,0,30\n");
        QTest::newRow("Yomari.dae of nonsense")
            << QStringLiteral("Yomari.dae") << QByteArray("n,大化,645,x,y\n");
    }

    void spoiltLunisolarFilesCostOnlyTheOldDays()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        Program p([&](const ProgramFolder& folder) {
            QFile::remove(folder.Path(file));
            if (!bytes.isNull())
                folder.Write(file, bytes);
        });
        // The file is named once, on a line of its own that stays; each old
        // day's note gives only its year.
        auto* data = Find<QLabel>(*p.d, QStringLiteral("lblData"));
        QVERIFY(!data->isVisible());
        for (const auto& [old, said] : {std::pair{"1582-06-21", "年だけの答え：天正10年"},
                                        std::pair{"天正10年6月2日", "年だけの答え：1582"}}) {
            Retype(p.box, QString::fromUtf8(old));
            QCOMPARE(p.Form("Era")->text(), QString());
            QVERIFY2(p.Note()->text().startsWith(QString::fromUtf8(said)), qPrintable(p.Note()->text()));
            QVERIFY2(!p.Note()->text().contains(file), qPrintable(p.Note()->text()));
            QVERIFY2(data->isVisible() && data->text().contains(file), qPrintable(data->text()));
            const QStringList cut = shown::CutInWindow(p.d);
            QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char('\n'))));
        }
        Retype(p.box, QStringLiteral("1975-01-01"));
        QCOMPARE(p.Form("Era")->text(), QStringLiteral("昭和50年1月1日"));
        QCOMPARE(p.Note()->text(), QString());
        QVERIFY(data->isVisible());
    }
};

YOMARI_TEST_MAIN(TestFrmDates)
#include "tst_frmDates.moc"
