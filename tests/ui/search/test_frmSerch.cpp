
#include "tests/support/ShownText.h"
#include "tests/support/TestProgram.h"
#include "tests/support/MainWindow.h"
#include "app/Twips.h"
#include "ui/main/frmMain.h"
#include "ui/search/frmSerch.h"
#include "ui/search/LikePattern.h"

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using testsupport::TextOf;
using testsupport::Click;
using testsupport::Find;
using testsupport::Items;
using testsupport::ProgramFolder;
using testsupport::TypeJapanese;

namespace {

QStringList Reversed(QStringList list)
{
    std::reverse(list.begin(), list.end());
    return list;
}

// A started main window over a folder of its own.
struct Session {
    explicit Session(ProgramFolder::Data data = ProgramFolder::Data::Shipped)
        : folder(data)
    {
    }
    void Start()
    {
        w.Form_Load();
        w.show();
    }
    // Selects the group's pre-Meiji button and presses its search button.
    frmSerch* Open(int group)
    {
        Find<QRadioButton>(w, "optInput", group * 6 + 5)->setChecked(true);
        QTest::mouseClick(Find<QPushButton>(w, "cmdInputSerch", group), Qt::LeftButton);
        return w.Serch();
    }
    void UseCourtLine(int mode) { QCOMPARE(testsupport::ChooseCourtLine(w, mode), QStringList()); }
    ProgramFolder folder;
    frmMain w;
};

// The eras the dialog lists, top to bottom.
QStringList Matches(const frmSerch* d)
{
    return Items(Find<QListWidget>(*d, "lstMatch"));
}

void ChoosePeriod(frmSerch* d, int period)
{
    Find<QComboBox>(*d, "cmbJidai")->setCurrentIndex(period);
}

void Search(frmSerch* d, const QString& pattern)
{
    Find<QLineEdit>(*d, "txtSerch")->setText(pattern);
    QTest::mouseClick(Find<QPushButton>(*d, "cmdSearch"), Qt::LeftButton);
}

void ClickItem(QListWidget* list, const QString& text)
{
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(text));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found[0]).center());
}

// The widget Tab moves to from `w`, as focus navigation picks it.
QWidget* NextTabStop(QWidget* w)
{
    for (QWidget* next = w->nextInFocusChain(); next != w; next = next->nextInFocusChain())
        if ((next->focusPolicy() & Qt::TabFocus) && next->isVisibleTo(w->window()) && next->isEnabled() &&
            next->focusProxy() == nullptr)
            return next;
    return nullptr;
}

void FlushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

enum Period { Asuka = 0, Nara, Heian, Kamakura, Nanboku, Muromachi, Sengoku, Azuchi, Edo, Meiji };

} // namespace

class TestFrmSerch : public QObject {
    Q_OBJECT

private slots:
    void opensModelessForEitherGroup();
    void controlsAsDesigned();
    void periodsFollowTheCourtLine();
    void periodListsOldestFirstSearchNewestFirst();
    void searchMatchesReadingsNamesAndWildcards_data();
    void searchMatchesReadingsNamesAndWildcards();
    void okSelectsTheEraInTheListOfItsGroup();
    void okWithoutSelectionKeepsTheDialogOpen();
    void cancelEscapeAndCloseBoxUnload();
    void clearReturnsToTheFirstPeriod();
    void unusablePeriodFileSearchesAllEras_data();
    void unusablePeriodFileSearchesAllEras();
    void periodFileWithoutCourtPairShowsEveryRecord();
    void calculationAndExitUnloadTheDialog();
    void pastedRunOfBracketsIsReadOnce();
    void enterSearchesAndAnEmptyPeriodSaysWhereMatchesAre();
};

void TestFrmSerch::opensModelessForEitherGroup()
{
    Session s;
    s.Start();
    QVERIFY(!s.w.SerchLoaded());
    frmSerch* d = s.Open(0);
    QVERIFY(d);
    QVERIFY(d->isVisible());
    QVERIFY(d->isWindow());
    QVERIFY(!d->isModal());
    QCOMPARE(d->parentWidget(), &s.w);
    QCOMPARE(d->windowTitle(), QStringLiteral("元号検索(第1入力)"));
    QCOMPARE(d->pos(), s.w.pos() + QPoint(200 / 15, 200 / 15));
    QCOMPARE(Find<QComboBox>(*d, "cmbJidai")->currentIndex(), 0);
    QCOMPARE(Matches(d), QStringList({"大化", "白雉", "朱鳥", "大宝", "慶雲", "和銅"}));

    // The other group's button reuses the open dialog as it is.
    ChoosePeriod(d, Edo);
    Search(d, QStringLiteral("けい*"));
    QCOMPARE(s.Open(1), d);
    QCOMPARE(d->windowTitle(), QStringLiteral("元号検索(第2入力)"));
    QCOMPARE(Matches(d), QStringList({"慶応", "慶安", "慶長"}));
    // and its choice goes to the second group now.
    const QString before0 = Find<QComboBox>(s.w, "cmbInput0")->currentText();
    ClickItem(Find<QListWidget>(*d, "lstMatch"), QStringLiteral("慶安"));
    Click(*d, "cmdOK");
    QCOMPARE(Find<QComboBox>(s.w, "cmbInput1")->currentText(), QStringLiteral("慶安"));
    QCOMPARE(Find<QComboBox>(s.w, "cmbInput0")->currentText(), before0);
}

void TestFrmSerch::controlsAsDesigned()
{
    Session s;
    s.Start();
    const auto engine = testsupport::FolderEngine();
    frmSerch design(&s.w, *engine, s.w.Options(), s.w.ModernEraCount());
    QCOMPARE(design.windowTitle(), QStringLiteral("元号\u3000検索"));

    frmSerch* d = s.Open(0);
    // The hint may grow downwards, and the dialog with it, to show all of it;
    // a period name too long for its box widens the dialog to the right, the
    // buttons moving along and the boxes to their left widening.
    const QLabel* hint = Find<QLabel>(*d, "lblSerchHelp");
    QVERIFY(hint->heightForWidth(hint->width()) <= hint->height());
    QVERIFY(hint->geometry().bottom() < d->height());
    // As a person sees it: every text whole, nothing covering anything, the
    // period on top, the search box with its button to the right, the list
    // under the box, OK, クリア and Cancel down the right, the hint below.
    QStringList faults = shown::SeenFaults(d, 0, true);
    faults << shown::LeftOf(Find<QLabel>(*d, "Label1"), Find<QComboBox>(*d, "cmbJidai"))
           << shown::Above(Find<QComboBox>(*d, "cmbJidai"), Find<QLineEdit>(*d, "txtSerch"))
           << shown::LeftOf(Find<QLineEdit>(*d, "txtSerch"), Find<QPushButton>(*d, "cmdSearch"))
           << shown::Above(Find<QLineEdit>(*d, "txtSerch"), Find<QListWidget>(*d, "lstMatch"))
           << shown::LeftOf(Find<QListWidget>(*d, "lstMatch"), Find<QPushButton>(*d, "cmdOK"))
           << shown::Above(Find<QPushButton>(*d, "cmdSearch"), Find<QPushButton>(*d, "cmdOK"))
           << shown::Above(Find<QPushButton>(*d, "cmdOK"), Find<QPushButton>(*d, "cmdSerchClear"))
           << shown::Above(Find<QPushButton>(*d, "cmdSerchClear"), Find<QPushButton>(*d, "cmdCancel"))
           << shown::Above(Find<QListWidget>(*d, "lstMatch"), hint)
           << shown::Above(Find<QPushButton>(*d, "cmdCancel"), hint);
    // The buttons stand in one column at the right, the boxes left of it.
    for (QWidget* b : {Find<QPushButton>(*d, "cmdOK"), Find<QPushButton>(*d, "cmdSerchClear"),
                       Find<QPushButton>(*d, "cmdCancel")})
        if (b->x() != Find<QPushButton>(*d, "cmdSearch")->x())
            faults << shown::NameOf(b) + QStringLiteral(" is out of the buttons' column");
    QVERIFY2(shown::Listed(faults).isEmpty(), qPrintable(shown::Listed(faults)));
    QCOMPARE(Find<QPushButton>(*d, "cmdSearch")->text(), QStringLiteral("検索(&F)"));
    QCOMPARE(Find<QPushButton>(*d, "cmdOK")->text(), QStringLiteral("&OK"));
    QCOMPARE(Find<QPushButton>(*d, "cmdSerchClear")->text(), QStringLiteral("クリア(&L)"));
    QCOMPARE(Find<QPushButton>(*d, "cmdCancel")->text(), QStringLiteral("Cancel"));
    QCOMPARE(TextOf(*d, "Label1"), QStringLiteral("時代(&N) ："));
    QVERIFY(Find<QListWidget>(*d, "lstDummy")->isHidden());
    QCOMPARE(Find<QLabel>(*d, "Label1")->buddy(), Find<QComboBox>(*d, "cmbJidai"));
    QVERIFY(Find<QLineEdit>(*d, "txtSerch")->testAttribute(Qt::WA_InputMethodEnabled));

    const QList<QWidget*> order{Find<QLineEdit>(*d, "txtSerch"),        Find<QPushButton>(*d, "cmdSearch"),
                                Find<QListWidget>(*d, "lstMatch"),      Find<QPushButton>(*d, "cmdOK"),
                                Find<QPushButton>(*d, "cmdSerchClear"), Find<QComboBox>(*d, "cmbJidai"),
                                Find<QPushButton>(*d, "cmdCancel")};
    QCOMPARE(NextTabStop(order.last()), order.first());
    for (qsizetype i = 1; i < order.size(); ++i)
        QCOMPARE(NextTabStop(order[i - 1]), order[i]);

    QCOMPARE(frmSerch::SerchHelpText(),
             QStringLiteral("●全ひらがな、または全漢字で入力して下さい。\r●ワイルドカードが使用できます"));
    QCOMPARE(TextOf(*d, "lblSerchHelp"),
             QStringLiteral("●全ひらがな、または全漢字で入力して下さい。\n●ワイルドカードが使用できます"));
}

void TestFrmSerch::periodsFollowTheCourtLine()
{
    Session s;
    s.Start();
    const QStringList common{"飛鳥時代", "奈良時代",     "平安時代", "鎌倉時代", "室町時代",
                             "戦国時代", "安土桃山時代", "江戸時代", "明治時代"};
    QStringList muromachi;
    for (int mode : {0, 1}) {
        s.UseCourtLine(mode);
        frmSerch* d = s.Open(0);
        QStringList periods = common;
        periods.insert(Nanboku, mode == 0 ? "南北朝時代(北朝)" : "南北朝時代(南朝)");
        QCOMPARE(Items(Find<QComboBox>(*d, "cmbJidai")), periods);

        ChoosePeriod(d, Nanboku);
        const QStringList eras = Matches(d);
        QCOMPARE(eras.first(), QStringLiteral("元弘"));
        QCOMPARE(eras.last(), mode == 0 ? QStringLiteral("明徳") : QStringLiteral("元中"));
        QCOMPARE(eras.size(), mode == 0 ? 19 : 10);
        QCOMPARE(eras.contains("正慶"), mode == 0); // Northern only
        QCOMPARE(eras.contains("延元"), mode == 1); // Southern only

        // Past the pair both lines reach the same records.
        ChoosePeriod(d, Muromachi);
        if (mode == 0)
            muromachi = Matches(d);
        else
            QCOMPARE(Matches(d), muromachi);
        ChoosePeriod(d, Meiji);
        QCOMPARE(Matches(d), QStringList({"明治"}));
        Click(*d, "cmdCancel");
    }
    QCOMPARE(muromachi.first(), QStringLiteral("明徳"));
    QCOMPARE(muromachi.last(), QStringLiteral("応仁"));
}

void TestFrmSerch::periodListsOldestFirstSearchNewestFirst()
{
    Session s;
    s.Start();
    frmSerch* d = s.Open(0);
    ChoosePeriod(d, Edo);
    const QStringList edo = Matches(d);
    QCOMPARE(edo.size(), 36);
    QCOMPARE(edo.mid(0, 3), QStringList({"慶長", "元和", "寛永"}));
    QCOMPARE(edo.last(), QStringLiteral("慶応"));
    QCOMPARE(Items(Find<QListWidget>(*d, "lstDummy")), edo);

    Search(d, QStringLiteral("*"));
    QCOMPARE(Matches(d), Reversed(edo));
    QCOMPARE(Items(Find<QListWidget>(*d, "lstDummy")), edo); // the period itself is kept
}

void TestFrmSerch::searchMatchesReadingsNamesAndWildcards_data()
{
    QTest::addColumn<int>("period");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("expected");
    const auto row = [](const char* name, int period, const char* pattern, QStringList expected) {
        QTest::newRow(name) << period << QString::fromUtf8(pattern) << expected;
    };
    row("reading with star", Edo, "けい*", {"慶応", "慶安", "慶長"});
    row("question marks", Edo, "けい??", {"慶応", "慶安"});
    row("kanji with star", Edo, "天*", {"天保", "天明", "天和"});
    row("second reading", Edo, "てんわ", {"天和"});
    row("second reading only", Nanboku, "かけい", {"嘉慶"});
    row("list", Edo, "[かき]*", {"嘉永", "享和", "寛政", "寛延", "寛保", "享保", "寛文", "寛永"});
    row("negated list", Azuchi, "[!て]*う", {"慶長"});
    row("range", Asuka, "[た-は]*", {"大宝", "白雉", "大化"});
    row("digit", Edo, "慶#", {});
    row("katakana reads as hiragana", Edo, "ケイ*", {"慶応", "慶安", "慶長"});
    row("half-known katakana", Edo, "てんワ", {"天和"});
    row("empty pattern", Edo, "", {});
    row("unclosed bracket", Edo, "[け", {});
    row("era outside the period", Edo, "けんむ", {});
    row("shared boundary, later period", Muromachi, "めいとく", {"明徳"});
    row("shared boundary, earlier period", Azuchi, "けいちょう", {"慶長"});
    row("modern eras are not searched", Meiji, "*", {"明治"});
}

void TestFrmSerch::searchMatchesReadingsNamesAndWildcards()
{
    QFETCH(int, period);
    QFETCH(QString, pattern);
    QFETCH(QStringList, expected);
    Session s;
    s.Start();
    frmSerch* d = s.Open(0);
    ChoosePeriod(d, period);
    Find<QLineEdit>(*d, "txtSerch")->clear();
    if (!pattern.isEmpty())
        TypeJapanese(Find<QLineEdit>(*d, "txtSerch"), pattern);
    QCOMPARE(TextOf(*d, "txtSerch"), pattern);
    QTest::mouseClick(Find<QPushButton>(*d, "cmdSearch"), Qt::LeftButton);
    QCOMPARE(Matches(d), expected);
}

void TestFrmSerch::okSelectsTheEraInTheListOfItsGroup()
{
    Session s;
    s.Start();
    const QString before0 = Find<QComboBox>(s.w, "cmbInput0")->currentText();

    frmSerch* d = s.Open(1);
    QPointer<frmSerch> guard(d);
    ChoosePeriod(d, Edo);
    Search(d, QStringLiteral("けいおう"));
    ClickItem(Find<QListWidget>(*d, "lstMatch"), QStringLiteral("慶応"));
    QTest::mouseClick(Find<QPushButton>(*d, "cmdOK"), Qt::LeftButton);
    QVERIFY(!s.w.SerchLoaded());
    FlushDeletes();
    QVERIFY(guard.isNull());
    QCOMPARE(Find<QComboBox>(s.w, "cmbInput1")->currentText(), QStringLiteral("慶応"));
    QCOMPARE(Find<QComboBox>(s.w, "cmbInput1")->toolTip(), QStringLiteral("けいおう"));
    QCOMPARE(TextOf(s.w, "lblGenlast1"), QStringLiteral("4年"));
    QCOMPARE(Find<QComboBox>(s.w, "cmbInput0")->currentText(), before0);

    d = s.Open(0);
    ChoosePeriod(d, Edo);
    Search(d, QStringLiteral("てん?"));
    ClickItem(Find<QListWidget>(*d, "lstMatch"), QStringLiteral("天和"));
    Find<QPushButton>(*d, "cmdOK")->setFocus();
    QTest::keyClick(Find<QPushButton>(*d, "cmdOK"), Qt::Key_Return); // Enter on the focused button
    QVERIFY(!s.w.SerchLoaded());
    QCOMPARE(Find<QComboBox>(s.w, "cmbInput0")->currentText(), QStringLiteral("天和"));
    QCOMPARE(Find<QComboBox>(s.w, "cmbInput0")->toolTip(), QStringLiteral("てんな, てんわ"));
    QCOMPARE(Find<QComboBox>(s.w, "cmbInput1")->currentText(), QStringLiteral("慶応"));
}

void TestFrmSerch::okWithoutSelectionKeepsTheDialogOpen()
{
    Session s;
    s.Start();
    frmSerch* d = s.Open(0);
    const int before = Find<QComboBox>(s.w, "cmbInput0")->currentIndex();

    Click(*d, "cmdOK");
    QVERIFY(s.w.SerchLoaded());
    QCOMPARE(d->focusWidget(), Find<QLineEdit>(*d, "txtSerch"));

    ChoosePeriod(d, Edo);
    Search(d, QStringLiteral("けい*"));
    Find<QLineEdit>(*d, "txtSerch")->setFocus();
    Click(*d, "cmdOK");
    QVERIFY(s.w.SerchLoaded());
    QCOMPARE(d->focusWidget(), Find<QListWidget>(*d, "lstMatch"));
    // A list that gets the focus has a current row, yet nothing is chosen.
    Find<QListWidget>(*d, "lstMatch")->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    Click(*d, "cmdOK");
    QVERIFY(s.w.SerchLoaded());
    // Enter elsewhere than on a button chooses nothing either.
    QTest::keyClick(Find<QLineEdit>(*d, "txtSerch"), Qt::Key_Return);
    QVERIFY(s.w.SerchLoaded());
    QCOMPARE(Find<QComboBox>(s.w, "cmbInput0")->currentIndex(), before);
}

void TestFrmSerch::cancelEscapeAndCloseBoxUnload()
{
    Session s;
    s.Start();
    const QString before = Find<QComboBox>(s.w, "cmbInput1")->currentText();
    const std::function<void(frmSerch*)> ways[] = {
        [](frmSerch* d) { QTest::mouseClick(Find<QPushButton>(*d, "cmdCancel"), Qt::LeftButton); },
        [](frmSerch* d) { QTest::keyClick(Find<QListWidget>(*d, "lstMatch"), Qt::Key_Escape); },
        [](frmSerch* d) { QTest::keyClick(Find<QLineEdit>(*d, "txtSerch"), Qt::Key_Escape); },
        [](frmSerch* d) { d->close(); },
    };
    QPointer<frmSerch> previous;
    for (const auto& way : ways) {
        frmSerch* d = s.Open(1);
        QVERIFY(d != previous.data() || previous.isNull());
        ChoosePeriod(d, Edo);
        Search(d, QStringLiteral("けいおう"));
        ClickItem(Find<QListWidget>(*d, "lstMatch"), QStringLiteral("慶応"));
        way(d);
        QVERIFY(!s.w.SerchLoaded());
        QVERIFY(d->isHidden());
        previous = d;
        FlushDeletes();
        QVERIFY(previous.isNull());
        QCOMPARE(Find<QComboBox>(s.w, "cmbInput1")->currentText(), before);
    }
}

void TestFrmSerch::clearReturnsToTheFirstPeriod()
{
    Session s;
    s.Start();
    frmSerch* d = s.Open(0);
    const QStringList asuka = Matches(d);
    QCOMPARE(asuka.size(), 6);

    ChoosePeriod(d, Edo);
    Search(d, QStringLiteral("けい*"));
    QTest::mouseClick(Find<QPushButton>(*d, "cmdSerchClear"), Qt::LeftButton);
    QCOMPARE(TextOf(*d, "txtSerch"), QString());
    QCOMPARE(Find<QComboBox>(*d, "cmbJidai")->currentIndex(), 0);
    QCOMPARE(Matches(d), asuka);
    QCOMPARE(Items(Find<QListWidget>(*d, "lstDummy")), asuka);
    QCOMPARE(d->focusWidget(), Find<QLineEdit>(*d, "txtSerch"));

    // Already on the first period: the full list still comes back.
    Search(d, QStringLiteral("たいか"));
    QCOMPARE(Matches(d), QStringList({"大化"}));
    Click(*d, "cmdSerchClear");
    QCOMPARE(Matches(d), asuka);
}

void TestFrmSerch::unusablePeriodFileSearchesAllEras_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("missing") << 0;
    QTest::newRow("empty") << 1;
    QTest::newRow("only line ends") << 2;
    QTest::newRow("ends inside a record") << 3;
    QTest::newRow("undecodable") << 4;
    QTest::newRow("a folder") << 5;
}

void TestFrmSerch::unusablePeriodFileSearchesAllEras()
{
    QFETCH(int, kind);
    Session s;
    const QString daj = s.folder.Path(QStringLiteral("Yomari.daj"));
    QFile::remove(daj);
    switch (kind) {
    case 1: s.folder.Write("Yomari.daj", ""); break;
    case 2: s.folder.Write("Yomari.daj", "\r\n\r\n"); break;
    case 3:
        s.folder.Write("Yomari.daj", "\"飛鳥時代\",\"大化\",\"和銅\"\r\n\"奈良時代\",\"和銅\"\r\n");
        break;
    case 4: s.folder.Write("Yomari.daj", "\"\x80\x80\",\"\xff\",\"\xfd\"\r\n"); break;
    case 5: QVERIFY(QDir(s.folder.Path(QString())).mkdir("Yomari.daj")); break;
    default: break;
    }
    s.Start();

    frmSerch* d = nullptr;
    QStringList messages = testsupport::AnswerMessageBoxes([&] { d = s.Open(0); });
    QVERIFY(d);
    QVERIFY(d->isVisible());
    QVERIFY(!d->JidaiDataAvailable());
    QCOMPARE(Find<QComboBox>(*d, "cmbJidai")->count(), 0);
    QVERIFY(!Find<QComboBox>(*d, "cmbJidai")->isEnabled());
    const QStringList all = Reversed(Items(Find<QComboBox>(s.w, "cmbInput0")));
    QCOMPARE(Matches(d), all);
    QCOMPARE(Items(Find<QListWidget>(*d, "lstDummy")), all);

    messages += testsupport::AnswerMessageBoxes([&] {
        Search(d, QStringLiteral("けい*"));
        QCOMPARE(Matches(d), QStringList({"慶応", "慶安", "慶長", "慶雲"}));
        Search(d, QStringLiteral("へいせい"));
        QCOMPARE(Matches(d), QStringList());
        Click(*d, "cmdSerchClear");
        QCOMPARE(Matches(d), all);
    });
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages[0].contains(daj), qPrintable(messages[0]));

    // OK still works without periods.
    Search(d, QStringLiteral("かけい"));
    ClickItem(Find<QListWidget>(*d, "lstMatch"), QStringLiteral("嘉慶"));
    Click(*d, "cmdOK");
    QCOMPARE(Find<QComboBox>(s.w, "cmbInput0")->currentText(), QStringLiteral("嘉慶"));
}

void TestFrmSerch::periodFileWithoutCourtPairShowsEveryRecord()
{
    Session s;
    s.folder.Write("Yomari.daj", "\"前期\",\"大化\",\"和銅\"\r\n\"中期\",\"和銅\",\"延暦\"\r\n"
                                 "\"江戸\",\"慶長\",\"慶応\"\r\n");
    s.Start();
    for (int mode : {0, 1}) {
        s.UseCourtLine(mode);
        frmSerch* d = s.Open(0);
        QCOMPARE(Items(Find<QComboBox>(*d, "cmbJidai")), QStringList({"前期", "中期", "江戸"}));
        ChoosePeriod(d, 1);
        QCOMPARE(Matches(d).first(), QStringLiteral("和銅"));
        QCOMPARE(Matches(d).last(), QStringLiteral("延暦"));
        ChoosePeriod(d, 2);
        QCOMPARE(Matches(d).first(), QStringLiteral("慶長"));
        Click(*d, "cmdCancel");
    }
}

void TestFrmSerch::calculationAndExitUnloadTheDialog()
{
    Session s;
    s.Start();
    QPointer<frmSerch> d = s.Open(0);
    Find<QRadioButton>(s.w, "optCalMode1")->setChecked(true);
    Find<QLineEdit>(s.w, "txtInput0")->clear(); // not numeric: the calculation stops, yet unloads first
    Click(s.w, "cmdCal");
    QVERIFY(!s.w.SerchLoaded());
    FlushDeletes();
    QVERIFY(d.isNull());

    // A new dialog reads the period file again.
    s.folder.Write("Yomari.daj", "\"江戸時代\",\"慶長\",\"慶応\"\r\n");
    d = s.Open(0);
    QCOMPARE(Items(Find<QComboBox>(*d, "cmbJidai")), QStringList({"江戸時代"}));
    Find<QLineEdit>(s.w, "txtInput0")->setText(QStringLiteral("50"));
    Click(s.w, "cmdCal");
    QVERIFY(!s.w.SerchLoaded());
    QVERIFY(!TextOf(s.w, "txtOutput0").isEmpty());

    d = s.Open(1);
    s.w.close();
    QVERIFY(!s.w.SerchLoaded());
    FlushDeletes();
    QVERIFY(d.isNull());
}

void TestFrmSerch::pastedRunOfBracketsIsReadOnce()
{
    Session s;
    s.Start();
    frmSerch* d = s.Open(0);
    d->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(d));
    for (const qsizetype length : {32000, 5000}) {
        const QString brackets(length, QLatin1Char('['));
        QGuiApplication::clipboard()->setText(brackets);
        QTest::mouseClick(Find<QPushButton>(*d, "cmdSerchClear"),
                          Qt::LeftButton); // lists the period, focuses the text box
        QCOMPARE(Matches(d).size(), 6);
        QTest::keyClick(Find<QLineEdit>(*d, "txtSerch"), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(TextOf(*d, "txtSerch").size(), length);

        const uint64_t before = yomari::LikeWorkDone().readSteps;
        QTest::keyClick(d, Qt::Key_F, Qt::AltModifier);
        // The access key clicks the button a moment later.
        QTRY_COMPARE(Matches(d), QStringList());
        // One reading of the pattern for the whole search, not one per era.
        QVERIFY(yomari::LikeWorkDone().readSteps - before <= 3 * uint64_t(length + 1));
    }
    // The dialog is still usable afterwards.
    Find<QLineEdit>(*d, "txtSerch")->clear();
    TypeJapanese(Find<QLineEdit>(*d, "txtSerch"), QStringLiteral("たいか"));
    QTest::keyClick(d, Qt::Key_F, Qt::AltModifier);
    QTRY_COMPARE(Matches(d), QStringList({"大化"}));
}

void TestFrmSerch::enterSearchesAndAnEmptyPeriodSaysWhereMatchesAre()
{
    Session s;
    s.Start();
    frmSerch* d = s.Open(0);
    const QString hint = TextOf(*d, "lblSerchHelp");
    // Typed as a person types: the pattern, then Enter in the box.
    const auto typeAndEnter = [d](const QString& pattern) {
        Find<QLineEdit>(*d, "txtSerch")->clear();
        Find<QLineEdit>(*d, "txtSerch")->setFocus();
        QTest::sendKeyEvent(QTest::Click, Find<QLineEdit>(*d, "txtSerch"), Qt::Key_unknown, pattern, {});
        QTest::keyClick(Find<QLineEdit>(*d, "txtSerch"), Qt::Key_Return);
    };
    // Each pattern's matches in every period, in hiragana and katakana alike;
    // an era on a shared boundary counts once.
    for (const auto& [hiragana, katakana] : {std::pair{"しょう*", "ショウ*"}, std::pair{"けい*", "ケイ*"},
                                             std::pair{"*わ", "*ワ"}, std::pair{"ん", "ン"}}) {
        QSet<QString> everywhere;
        QHash<int, QStringList> found;
        for (int period = 0; period < Find<QComboBox>(*d, "cmbJidai")->count(); ++period) {
            ChoosePeriod(d, period);
            typeAndEnter(QString::fromUtf8(hiragana));
            found[period] = Matches(d);
            for (const QString& era : found[period])
                everywhere.insert(era);
            typeAndEnter(QString::fromUtf8(katakana));
            QCOMPARE(Matches(d), found[period]);
        }
        for (int period = 0; period < Find<QComboBox>(*d, "cmbJidai")->count(); ++period) {
            ChoosePeriod(d, period);
            typeAndEnter(QString::fromUtf8(hiragana));
            QString expected = hint;
            if (found[period].isEmpty() && everywhere.isEmpty())
                expected = QStringLiteral("一致する元号はありません。");
            else if (found[period].isEmpty())
                expected = QStringLiteral("この時代にはありません。\nほかの時代に%1件あります。")
                               .arg(everywhere.size());
            QCOMPARE(TextOf(*d, "lblSerchHelp"), expected);
            QVERIFY(shown::Cut(Find<QLabel>(*d, "lblSerchHelp")).isEmpty());
        }
    }
    // The opening period, 飛鳥時代, has no しょう*.
    Click(*d, "cmdSerchClear");
    typeAndEnter(QStringLiteral("しょう*"));
    QVERIFY(TextOf(*d, "lblSerchHelp").startsWith(QStringLiteral("この時代にはありません。")));
    Click(*d, "cmdSerchClear");
    QCOMPARE(TextOf(*d, "lblSerchHelp"), hint);
    QVERIFY(!s.w.Serch()->IsUnloaded()); // Enter searched and closed nothing
}

YOMARI_TEST_MAIN(TestFrmSerch)
#include "test_frmSerch.moc"
