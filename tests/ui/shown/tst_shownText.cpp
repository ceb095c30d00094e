// Every era name, period name and number the windows show is shown whole,
// in the program's font, with the shipped data of both court lines, as the
// windows come out of the user's keys and clicks.

#include "app/AppEnvironment.h"
#include "app/AppSetup.h"
#include "app/TextFit.h"
#include "engine/LunisolarCalendar.h"
#include "tests/support/ShownText.h"
#include "tests/support/TestProgram.h"
#include "tests/support/MainWindow.h"
#include "tray/cTaskTray.h"
#include "ui/simple/frmADGen.h"
#include "ui/main/frmMain.h"
#include "ui/options/frmOption.h"
#include "ui/search/frmSerch.h"

#include <QFontInfo>
#include <QGroupBox>
#include <QPushButton>
#include <QtTest>

using testsupport::TextOf;
using testsupport::Find;
using testsupport::ClickRadio;
using testsupport::MainProgram;
using testsupport::ProgramFolder;
using testsupport::Retype;

namespace {

// Empties the box with Escape, types the digits and presses Enter.
void Enter(QLineEdit* box, int value)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Escape);
    QTest::keyClicks(box, QString::number(value));
    QTest::keyClick(box, Qt::Key_Return);
}

// The controls of the result line, left to right, that are shown now.
QList<QWidget*> ResultLine(const frmMain& w)
{
    const QList<QWidget*> all{
        Find<QLabel>(w, "Label2"),        Find<QLabel>(w, "lblInput0"),    Find<QLineEdit>(w, "txtInput0"),
        Find<QLabel>(w, "lblInput1"),     Find<QLabel>(w, "Label1"),       Find<QLabel>(w, "lblOutput0"),
        Find<QLineEdit>(w, "txtOutput0"), Find<QLineEdit>(w, "txtInput1"), Find<QLabel>(w, "lblOutput2"),
        Find<QLineEdit>(w, "txtOutput1"), Find<QLabel>(w, "lblOutput4")};
    QList<QWidget*> shown;
    for (QWidget* c : all)
        if (c->isVisible())
            shown << c;
    return shown;
}

// Cut texts in the window, and result-line controls that cover each other.
QStringList Faults(frmMain& w, const QString& when)
{
    QStringList faults = shown::CutInWindow(&w);
    const QList<QWidget*> line = ResultLine(w);
    for (qsizetype i = 1; i < line.size(); ++i)
        if (line[i - 1]->geometry().right() >= line[i]->x())
            faults << QStringLiteral("%1 covers %2")
                          .arg(line[i - 1]->objectName().isEmpty() ? QString::number(i - 1)
                                                                   : line[i - 1]->objectName(),
                               QString::number(i));
    // Nor may one control of the window cover another (a pixel's touch aside).
    faults << shown::Overlaps(&w);
    for (QString& f : faults)
        f = when + QStringLiteral(": ") + f;
    return faults;
}

// Sets TextLenMax through the options dialog, as the user does.
void SetDigits(frmMain& w, int digits)
{
    testsupport::Modals()
        .Steps<frmOption>({[digits](frmOption& d) {
            auto* box = Find<QLineEdit>(d, "txtMaxLen");
            box->setFocus();
            box->selectAll();
            QTest::keyClicks(box, QString::number(digits));
            QTest::mouseClick(Find<QPushButton>(d, "cmdOK"), Qt::LeftButton);
        }})
        .Run([&] { QTest::mouseClick(Find<QPushButton>(w, "cmdOption"), Qt::LeftButton); });
}

} // namespace

class TestShownText : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        yomari::app::SetUpApplication();
        // The measurements mean something only in the font the program uses.
        QCOMPARE(QFontInfo(QApplication::font()).family(), QStringLiteral("IPAGothic"));
    }
    void cleanup() { cTaskTray::SetAvailableForTesting(std::nullopt); }

    void mainWindowShowsEveryEraWhole_data();
    void mainWindowShowsEveryEraWhole();
    void numbersOfTextLenMaxDigitsShowWhole();
    void simpleWindowShowsItsErasWhole_data();
    void simpleWindowShowsItsErasWhole();
    void searchShowsEveryPeriodAndEraWhole_data();
    void searchShowsEveryPeriodAndEraWhole();
    void optionsShowEveryChoiceApart();
    void datesShowEveryEraWhole_data();
    void datesShowEveryEraWhole();
    void eraNamesAreAsWideAsTheirCharacters();
};

void TestShownText::mainWindowShowsEveryEraWhole_data()
{
    QTest::addColumn<int>("court");
    QTest::newRow("北朝 Yomari.dan") << 0;
    QTest::newRow("南朝 Yomari.das") << 1;
}

void TestShownText::mainWindowShowsEveryEraWhole()
{
    QFETCH(int, court);
    MainProgram p({{.NanBokuMode = court, .ADGenLeft = 6000}});
    frmMain& w = p.w;
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(w.Options().NanBokuMode(), court);
    const auto engine = testsupport::FolderEngine(court);
    QStringList faults = Faults(w, QStringLiteral("at start"));

    // 西暦->元号 from the first year of every era: its name before the result.
    ClickRadio(Find<QRadioButton>(w, "optCalMode0"));
    QSet<QString> named;
    for (int32_t j = 1; j <= engine->NumberOfGengo(); ++j) {
        Enter(Find<QLineEdit>(w, "txtInput0"), engine->Gengo1stADYear(j));
        named << TextOf(w, "lblOutput0");
        faults << Faults(w, QStringLiteral("西暦->元号 ") + QString::number(engine->Gengo1stADYear(j)));
    }
    // Eras that began in the same year as the next are shown under the next.
    QVERIFY2(named.size() > engine->NumberOfGengo() - 10, qPrintable(QString::number(named.size())));

    // 生年計算 with the age of someone born in the first year of every era.
    ClickRadio(Find<QRadioButton>(w, "optCalMode3"));
    for (int32_t j = 1; j <= engine->NumberOfGengo(); ++j) {
        Enter(Find<QLineEdit>(w, "txtInput0"), 2026 - engine->Gengo1stADYear(j));
        faults << Faults(w, QStringLiteral("生年計算 ") + QString::number(2026 - engine->Gengo1stADYear(j)));
    }

    // 元号変換 and 年齢計算 with every era of both pre-Meiji lists, picked with
    // the arrow keys: the list, the last year, the result.
    for (int mode : {1, 2}) {
        ClickRadio(Find<QRadioButton>(w, "optCalMode", mode));
        ClickRadio(Find<QRadioButton>(w, "optInput5"));
        ClickRadio(Find<QRadioButton>(w, "optInput11"));
        for (int i = 0; i < 12; ++i)
            faults << shown::Cut(Find<QRadioButton>(w, "optInput", i));
        for (int g = 0; g < 2; ++g) {
            QComboBox* list = Find<QComboBox>(w, "cmbInput", g);
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Home);
            for (int i = 0; i < list->count(); ++i) {
                if (i > 0)
                    QTest::keyClick(list, Qt::Key_Down);
                QCOMPARE(list->currentIndex(), i);
                if (mode == 1) {
                    Enter(Find<QLineEdit>(w, "txtInput0"), 1);
                } else {
                    Find<QLineEdit>(w, "txtInput0")->setFocus();
                    QTest::keyClick(Find<QLineEdit>(w, "txtInput0"), Qt::Key_Escape);
                    QTest::keyClicks(Find<QLineEdit>(w, "txtInput0"), QStringLiteral("1"));
                    Find<QLineEdit>(w, "txtInput1")->setFocus();
                    QTest::keyClicks(Find<QLineEdit>(w, "txtInput1"), QStringLiteral("2"));
                    QTest::keyClick(Find<QLineEdit>(w, "txtInput1"), Qt::Key_Return);
                }
                faults << Faults(w, list->currentText());
            }
        }
    }
    QVERIFY2(shown::Listed(faults).isEmpty(), qPrintable(shown::Listed(faults)));
}

void TestShownText::numbersOfTextLenMaxDigitsShowWhole()
{
    MainProgram p;
    frmMain& w = p.w;
    QVERIFY(QTest::qWaitForWindowActive(&w));
    SetDigits(w, 10);
    QCOMPARE(w.Options().TextLenMax(), 10);
    QStringList faults;

    // 元号変換 平成 99999 → 西暦 101987, and ten-digit years in every layout.
    ClickRadio(Find<QRadioButton>(w, "optCalMode1"));
    ClickRadio(Find<QRadioButton>(w, "optInput2")); // 平成
    ClickRadio(Find<QRadioButton>(w, "optInput6")); // 西暦
    Enter(Find<QLineEdit>(w, "txtInput0"), 99999);
    QCOMPARE(TextOf(w, "txtOutput0"), QStringLiteral("101987"));
    faults << Faults(w, QStringLiteral("平成 99999"));
    Enter(Find<QLineEdit>(w, "txtInput0"), 2000000000);
    QCOMPARE(TextOf(w, "txtOutput0"), QStringLiteral("2000001988"));
    faults << Faults(w, QStringLiteral("平成 2000000000"));
    ClickRadio(Find<QRadioButton>(w, "optInput7")); // 令和
    Enter(Find<QLineEdit>(w, "txtInput0"), 2000000000);
    QCOMPARE(TextOf(w, "txtOutput0").size(), 10);
    faults << Faults(w, QStringLiteral("平成 2000000000 → 令和"));

    ClickRadio(Find<QRadioButton>(w, "optCalMode0"));
    Enter(Find<QLineEdit>(w, "txtInput0"), 2000000000);
    QCOMPARE(TextOf(w, "txtOutput0").size(), 10);
    faults << Faults(w, QStringLiteral("西暦 2000000000"));

    ClickRadio(Find<QRadioButton>(w, "optCalMode2"));
    ClickRadio(Find<QRadioButton>(w, "optInput0"));
    ClickRadio(Find<QRadioButton>(w, "optInput6"));
    QTest::keyClicks(Find<QLineEdit>(w, "txtInput0"), QStringLiteral("1"));
    Find<QLineEdit>(w, "txtInput1")->setFocus();
    QTest::keyClicks(Find<QLineEdit>(w, "txtInput1"), QStringLiteral("2000000000"));
    QTest::keyClick(Find<QLineEdit>(w, "txtInput1"), Qt::Key_Return);
    QCOMPARE(TextOf(w, "txtOutput1"), QStringLiteral("1999999999"));
    faults << Faults(w, QStringLiteral("年齢計算"));

    ClickRadio(Find<QRadioButton>(w, "optCalMode3"));
    Find<QLineEdit>(w, "txtInput0")->setFocus();
    QTest::keyClicks(Find<QLineEdit>(w, "txtInput0"), QStringLiteral("1234567890"));
    faults << Faults(w, QStringLiteral("生年計算, typed"));
    Enter(Find<QLineEdit>(w, "txtInput0"), 1276);
    faults << Faults(w, QStringLiteral("生年計算 1276"));

    // The simple window: ten typed digits, and its longest result.
    frmADGen& simple = w.ADGen();
    w.hide();
    simple.show();
    QVERIFY(QTest::qWaitForWindowExposed(&simple));
    ClickRadio(Find<QRadioButton>(simple, "Option23")); // 令和
    QTest::keyClicks(Find<QLineEdit>(simple, "Text1"), QStringLiteral("1234567890"));
    faults << shown::CutInWindow(&simple);
    Retype(Find<QLineEdit>(simple, "Text1"), QStringLiteral("9999"));
    QTest::keyClick(Find<QLineEdit>(simple, "Text1"), Qt::Key_Return);
    QCOMPARE(TextOf(simple, "Label3"), QStringLiteral("12017"));
    faults << shown::CutInWindow(&simple);

    QVERIFY2(shown::Listed(faults).isEmpty(), qPrintable(shown::Listed(faults)));
}

void TestShownText::simpleWindowShowsItsErasWhole_data()
{
    mainWindowShowsEveryEraWhole_data();
}

void TestShownText::simpleWindowShowsItsErasWhole()
{
    QFETCH(int, court);
    cTaskTray::SetAvailableForTesting(true);
    MainProgram p({{.NanBokuMode = court, .AppMode = 1, .ADGenLeft = 6000}});
    frmADGen& simple = p.w.ADGen();
    QVERIFY(QTest::qWaitForWindowExposed(&simple));
    const auto engine = testsupport::FolderEngine(court);
    QStringList faults = shown::CutInWindow(&simple);

    // Each era: its last year and the one after, so that the note runs to
    // two lines; then back from the first Western year of each.
    for (int j = 0; j < 4; ++j) {
        ClickRadio(Find<QRadioButton>(simple, "Option2", j));
        const int32_t era = 4 - j;
        const int32_t last = era > 1 ? engine->GengoLastYear(era) : 30;
        for (int32_t year : {last, last + 1}) {
            Retype(Find<QLineEdit>(simple, "Text1"), QString::number(year));
            QTest::keyClick(Find<QLineEdit>(simple, "Text1"), Qt::Key_Return);
            QVERIFY(!TextOf(simple, "Label3").isEmpty());
            faults << shown::CutInWindow(&simple);
        }
    }
    ClickRadio(Find<QRadioButton>(simple, "Option11"));
    for (int32_t era = 1; era <= 4; ++era) {
        for (int32_t year : {engine->Gengo1stADYear(era), engine->Gengo1stADYear(4) - 1}) {
            Retype(Find<QLineEdit>(simple, "Text1"), QString::number(year));
            QTest::keyClick(Find<QLineEdit>(simple, "Text1"), Qt::Key_Return);
            faults << shown::CutInWindow(&simple);
        }
    }
    QVERIFY2(shown::Listed(faults).isEmpty(), qPrintable(shown::Listed(faults)));
}

void TestShownText::searchShowsEveryPeriodAndEraWhole_data()
{
    mainWindowShowsEveryEraWhole_data();
}

void TestShownText::searchShowsEveryPeriodAndEraWhole()
{
    QFETCH(int, court);
    MainProgram p({{.NanBokuMode = court, .ADGenLeft = 6000}});
    frmMain& w = p.w;
    QVERIFY(QTest::qWaitForWindowActive(&w));
    ClickRadio(Find<QRadioButton>(w, "optInput5"));
    QTest::mouseClick(Find<QPushButton>(w, "cmdInputSerch0"), Qt::LeftButton);
    frmSerch* d = w.Serch();
    QVERIFY(d);
    QVERIFY(QTest::qWaitForWindowExposed(d));
    QStringList faults;
    QComboBox* periods = Find<QComboBox>(*d, "cmbJidai");
    periods->setFocus();
    QTest::keyClick(periods, Qt::Key_Home);
    for (int i = 0; i < periods->count(); ++i) {
        if (i > 0)
            QTest::keyClick(periods, Qt::Key_Down);
        QCOMPARE(periods->currentIndex(), i);
        QVERIFY(Find<QListWidget>(*d, "lstMatch")->count() > 0);
        faults << shown::CutInWindow(d);
    }
    QVERIFY2(shown::Listed(faults).isEmpty(), qPrintable(shown::Listed(faults)));
}

void TestShownText::optionsShowEveryChoiceApart()
{
    MainProgram p;
    frmMain& w = p.w;
    QVERIFY(QTest::qWaitForWindowActive(&w));
    // Read while the dialog is open, as the user sees it, then cancelled.
    QStringList faults;
    QVERIFY(testsupport::WithOptionsOpen(w, [&](frmOption& d) { faults << shown::CutInWindow(&d); }));
    QVERIFY2(shown::Listed(faults).isEmpty(), qPrintable(shown::Listed(faults)));
}

void TestShownText::datesShowEveryEraWhole_data()
{
    mainWindowShowsEveryEraWhole_data();
}

void TestShownText::datesShowEveryEraWhole()
{
    QFETCH(int, court);
    ProgramFolder folder(ProgramFolder::Data::Shipped, 2026);
    folder.CopyShipped(
        {QStringLiteral("Yomari.dad"), QStringLiteral("Yomari.dal"), QStringLiteral("Yomari.dae")});
    folder.WriteSettings({.NanBokuMode = court, .ADGenLeft = 6000});
    frmMain w;
    w.Form_Load();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::mouseClick(testsupport::Find<QPushButton>(w, "cmdDates"), Qt::LeftButton);
    QWidget* d = nullptr;
    for (QWidget* t : QApplication::topLevelWidgets())
        if (t->objectName() == QStringLiteral("frmDates"))
            d = t;
    QVERIFY(d && QTest::qWaitForWindowActive(d));
    auto* box = testsupport::Find<QLineEdit>(*d, "txtDate");
    auto* era = testsupport::Find<QLineEdit>(*d, "txtEra");

    // The first day of every era of the line and the day before it (the
    // last of the era before, or a day with no era), as Western dates in
    // the calendar of their time; 令和 begins after the lunisolar tables.
    const yomari::LunisolarData data = yomari::LoadLunisolarData(yomari::app::MakeEngineEnvironment());
    QList<int64_t> days{yomari::JdnOfGregorian({2019, 5, 1})};
    for (const yomari::EraDayRow& era : data.eras)
        if (era.line == court)
            days << era.useFrom << era.useFrom - 1;
    QVERIFY(days.size() > 2 * 220);
    QStringList faults;
    for (const int64_t jdn : days) {
        const yomari::CivilDate western =
            jdn < yomari::kFirstJulianReformJdn ? yomari::JulianOfJdn(jdn) : yomari::GregorianOfJdn(jdn);
        const QString typed = QString::fromStdString(yomari::FormatCivilDate(western));
        Retype(box, typed);
        QVERIFY2(!era->text().isEmpty(), qPrintable(typed));
        const QStringList found = shown::CutInWindow(d) + shown::Overlaps(d);
        for (const QString& f : found)
            faults << typed + QStringLiteral(": ") + f;
    }
    QVERIFY2(shown::Listed(faults).isEmpty(), qPrintable(shown::Listed(faults)));
}

// The main window adds up the advances of an era name's characters, each
// measured once, and measures only the names that may be the widest; in the
// font in use that must give the width of each whole name and the widest.
void TestShownText::eraNamesAreAsWideAsTheirCharacters()
{
    ProgramFolder folder(ProgramFolder::Data::Shipped, 2026);
    // Names a user's era file may hold: a kanji beyond the BMP, kana, digits,
    // Latin letters, an access-key ampersand.
    QStringList names{QStringLiteral("𠮷野"), QStringLiteral("令和ニ"), QStringLiteral("昭和64"),
                      QStringLiteral("AVA朱鳥"), QStringLiteral("平&成")};
    for (int court : {0, 1}) {
        const auto engine = testsupport::FolderEngine(court);
        for (int32_t j = 1; j <= engine->NumberOfGengo(); ++j)
            names << QString::fromStdString(engine->Gengo(j));
    }
    QVERIFY2(names.size() > 2 * 200, qPrintable(QString::number(names.size())));
    QLabel label;
    const QFontMetricsF whole(label.font());
    QStringList faults;
    qreal widest = 0;
    for (const QString& name : names) {
        yomari::fit::CharacterWidths widths(label.font());
        widest = std::max(widest, whole.horizontalAdvance(name));
        if (widths.Width(name) != whole.horizontalAdvance(name) ||
            yomari::fit::LabelWidth(&label, {name}, widths) != yomari::fit::LabelWidth(&label, {name}))
            faults << QStringLiteral("%1: %2, whole %3")
                          .arg(name)
                          .arg(widths.Width(name))
                          .arg(whole.horizontalAdvance(name));
    }
    // The widest of all, also of the names without those a user may add.
    yomari::fit::CharacterWidths widths(label.font());
    QCOMPARE(widths.Widest(names), widest);
    const QStringList shipped = names.mid(5);
    qreal widestShipped = 0;
    for (const QString& name : shipped)
        widestShipped = std::max(widestShipped, whole.horizontalAdvance(name));
    QCOMPARE(yomari::fit::CharacterWidths(label.font()).Widest(shipped), widestShipped);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.mid(0, 12).join(u'\n')));
}

YOMARI_TEST_MAIN(TestShownText)
#include "tst_shownText.moc"
