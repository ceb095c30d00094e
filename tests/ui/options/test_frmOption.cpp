// The options dialog as the user drives it from the main window's options
// button: what "&OK" writes back, what it refuses, and what Cancel keeps.

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "tests/support/TestProgram.h"
#include "tests/support/MainWindow.h"
#include "tests/support/ShownText.h"
#include "ui/main/frmMain.h"
#include "tray/cTaskTray.h"
#include "ui/simple/frmADGen.h"
#include "ui/options/frmOption.h"
#include "tray/frmTray.h"
#include "help/HelpViewer.h"

#include <QAction>
#include <QMenu>
#include <QTextBlock>
#include <QTextBrowser>

#include <functional>
#include <vector>

using testsupport::TextOf;
using testsupport::ClickRadio;
using testsupport::Find;
using testsupport::WithOptionsOpen;
using testsupport::Items;
using testsupport::PressLater;
using testsupport::MainProgram;
using testsupport::ProgramFolder;
using testsupport::TypeJapanese;
using testsupport::Retype;

namespace {

struct Options {
    int32_t nanBoku;
    int32_t appMode;
    bool inSysTray;
    int32_t textLenMax;
    int32_t whichCopy;
    bool operator==(const Options&) const = default;
};

Options OptionsOf(const frmMain& w)
{
    return {w.Options().NanBokuMode(), w.Options().AppMode(), w.Options().InSysTray(),
            w.Options().TextLenMax(), w.Options().BirthYearWhichCopy()};
}

// The choices the dialog shows, as Options; -1 for a group with none checked
// or a digit box that does not hold a plain number.
Options ChoicesOf(const frmOption& d)
{
    const auto choice = [&](const char* group) {
        const QString name = QStringLiteral("opt") + QLatin1String(group);
        return Find<QRadioButton>(d, name, 1)->isChecked()   ? 1
               : Find<QRadioButton>(d, name, 0)->isChecked() ? 0
                                                             : -1;
    };
    const QString digits = TextOf(d, "txtMaxLen");
    return {choice("NanBoku"), choice("AppMode"), choice("SysTray") == 1,
            QString::number(digits.toInt()) == digits ? digits.toInt() : -1, choice("WhichCopy")};
}

// Makes the choices as a person does: a click on each button, the digit box retyped.
void Choose(frmOption& d, const Options& o)
{
    ClickRadio(Find<QRadioButton>(d, "optNanBoku", o.nanBoku));
    ClickRadio(Find<QRadioButton>(d, "optSysTray", o.inSysTray ? 1 : 0));
    ClickRadio(Find<QRadioButton>(d, "optAppMode", o.appMode));
    Retype(Find<QLineEdit>(d, "txtMaxLen"), QString::number(o.textLenMax));
    ClickRadio(Find<QRadioButton>(d, "optWhichCopy", o.whichCopy));
}

char* ToString(const Options& o)
{
    return QTest::toString(QStringLiteral("NanBoku %1 AppMode %2 InSysTray %3 TextLenMax %4 WhichCopy %5")
                               .arg(o.nanBoku)
                               .arg(o.appMode)
                               .arg(o.inSysTray)
                               .arg(o.textLenMax)
                               .arg(o.whichCopy));
}

// Runs the main window's options flow. Each step runs once, in order, while
// the options dialog is the active modal window; message boxes are answered
// and their texts kept. A dialog left open after the last step is closed
// and noted as the failure, so that a test cannot hang.
struct OptionsFlow {
    using Step = std::function<void(frmOption&)>;
    QStringList messages;
    QString failure;

    void Run(frmMain& w, const std::vector<Step>& steps)
    {
        testsupport::Modals modals;
        modals.AnswerBoxes().Steps<frmOption>(steps).Run([&] { testsupport::Click(w, "cmdOption"); });
        messages += modals.Texts();
        if (!modals.Unexpected().isEmpty())
            failure = modals.Unexpected().join(QLatin1Char('\n'));
    }
};

QString FocusName()
{
    QWidget* focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QStringLiteral("nothing");
}

// Counts mouse presses that reach a window.
class PressCounter : public QObject {
public:
    int presses = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress)
            ++presses;
        return QObject::eventFilter(watched, event);
    }
};

// Where the first link to `href` lies in the viewer's window, or (-1, -1).
QPoint LinkInWindow(const HelpViewer* viewer, const QString& href)
{
    const QTextBrowser* browser = viewer->Browser();
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().anchorHref() != href)
                continue;
            QTextCursor cursor(browser->document());
            cursor.setPosition(fragment.position() + 1);
            const QPoint inViewport = browser->cursorRect(cursor).center();
            return browser->viewport()->mapTo(viewer, inViewport);
        }
    }
    return QPoint(-1, -1);
}

} // namespace

namespace QTest {
template <>
char* toString(const Options& o)
{
    return ToString(o);
}
} // namespace QTest

class TestFrmOption : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { cTaskTray::SetAvailableForTesting(std::nullopt); }

    void dialogLayout();
    void accessKeysAndTabOrder();
    void digitFilter();
    void okWithoutChangesChangesNothing_data();
    void okWithoutChangesChangesNothing();
    void digitCountWriteBack_data();
    void digitCountWriteBack();
    void oversizedDigitCountRefused();
    void switchCourtLine();
    void captionsFollowTheCourtLine();
    void courtLineFileMissing();
    void cancelAndEscapeKeepEverything();
    void sysTrayWithoutNotificationArea();
    void optionsRoundTripThroughSettingsFile();
    void exitWhileDialogOpen();
    void choosingTheSimpleWindowSwitchesToIt();
    void keyboardLandsOnTheCheckedButtons();
    void iconAndHelpAnswerWhileOpen();
};

void TestFrmOption::dialogLayout()
{
    MainProgram p;
    frmMain& w = p.w;
    const auto engine = testsupport::FolderEngine();
    frmOption d(w.Options(), engine.get(), &w);

    QCOMPARE(d.windowTitle(), QStringLiteral("ヨマリ Yomari - オプション"));
    QVERIFY(d.isModal());
    QCOMPARE(d.maximumSize(), d.minimumSize()); // not resizable
    QCOMPARE(TextOf(d, "lblTextMaxLen"), QStringLiteral("(4以上を入力)"));
    QVERIFY(!Find<QLineEdit>(d, "txtMaxLen")->testAttribute(Qt::WA_InputMethodEnabled));

    // As a person sees it: every text whole and inside the dialog, no two
    // controls covering each other (the label above the digit box touches it
    // by one pixel, by design); court line and tray on top, the function
    // and the copy down the left, the digits and OK / Cancel at the right.
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    QStringList faults = shown::SeenFaults(&d);
    const auto c = [&d](const char* name) { return Find<QWidget>(d, QLatin1String(name)); };
    faults << shown::LeftOf(c("frameNanBoku"), c("frameSysTray"))
           << shown::Above(c("frameNanBoku"), c("frameAppMode"))
           << shown::Above(c("frameAppMode"), c("frameWhichCopy"))
           << shown::Above(c("frameSysTray"), c("Label1")) << shown::LeftOf(c("frameAppMode"), c("Label1"))
           << shown::Above(c("Label1"), c("txtMaxLen")) << shown::LeftOf(c("txtMaxLen"), c("lblTextMaxLen"))
           << shown::Above(c("txtMaxLen"), c("cmdOK")) << shown::LeftOf(c("frameWhichCopy"), c("cmdOK"))
           << shown::LeftOf(c("cmdOK"), c("cmdCancel"));
    QVERIFY2(shown::Listed(faults).isEmpty(), qPrintable(shown::Listed(faults)));
    for (const QString group : {"NanBoku", "SysTray", "AppMode", "WhichCopy"}) {
        const auto* frame = Find<QGroupBox>(d, QStringLiteral("frame") + group);
        const QRadioButton* buttons[] = {Find<QRadioButton>(d, QStringLiteral("opt") + group, 0),
                                         Find<QRadioButton>(d, QStringLiteral("opt") + group, 1)};
        for (const QRadioButton* b : buttons) {
            QCOMPARE(b->parentWidget(), frame);
            QVERIFY2(frame->rect().contains(b->geometry()), qPrintable(b->objectName()));
        }
        QVERIFY(buttons[0]->isChecked()); // the options as they are: all 0 here
    }
}

void TestFrmOption::accessKeysAndTabOrder()
{
    cTaskTray::SetAvailableForTesting(true);
    MainProgram p;
    frmMain& w = p.w;
    const auto engine = testsupport::FolderEngine();
    frmOption d(w.Options(), engine.get(), &w);
    d.show();
    d.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d));

    // Each access key puts the focus into its frame or on the label's box.
    const std::pair<Qt::Key, QWidget*> keys[] = {
        {Qt::Key_K, Find<QLineEdit>(d, "txtMaxLen")},      {Qt::Key_S, Find<QGroupBox>(d, "frameNanBoku")},
        {Qt::Key_T, Find<QGroupBox>(d, "frameSysTray")},   {Qt::Key_F, Find<QGroupBox>(d, "frameAppMode")},
        {Qt::Key_B, Find<QGroupBox>(d, "frameWhichCopy")},
    };
    for (const auto& [key, target] : keys) {
        Find<QPushButton>(d, "cmdCancel")->setFocus();
        QTest::keyClick(&d, key, Qt::AltModifier);
        QWidget* focus = QApplication::focusWidget();
        QVERIFY2(focus == target || (focus && focus->parentWidget() == target),
                 qPrintable(QStringLiteral("Alt+%1 gave the focus to %2")
                                .arg(QKeySequence(key).toString(),
                                     focus ? focus->objectName() : QStringLiteral("nothing"))));
    }

    // Tab walks the controls in the order of the dialog's table, one stop
    // per option group; the arrow keys choose within a group.
    Find<QRadioButton>(d, "optNanBoku0")->setFocus();
    QStringList walked;
    for (int i = 0; i < 8; ++i) {
        QWidget* focus = QApplication::focusWidget();
        walked << (focus ? focus->objectName() : QString());
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    QCOMPARE(walked, (QStringList{"optNanBoku0", "optSysTray0", "optAppMode0", "txtMaxLen", "optWhichCopy0",
                                  "cmdOK", "cmdCancel", "optNanBoku0"}));
    Find<QRadioButton>(d, "optNanBoku0")->setFocus();
    QTest::keyClick(Find<QRadioButton>(d, "optNanBoku0"), Qt::Key_Right);
    QVERIFY(Find<QRadioButton>(d, "optNanBoku1")->isChecked());
    QCOMPARE(QApplication::focusWidget(), Find<QRadioButton>(d, "optNanBoku1"));

    // Alt+O is "&OK".
    QSignalSpy accepted(&d, &QDialog::accepted);
    QTest::keyClick(&d, Qt::Key_O, Qt::AltModifier);
    QTRY_COMPARE(accepted.count(), 1); // a shortcut presses the button visibly, after a moment
}

void TestFrmOption::digitFilter()
{
    MainProgram p;
    frmMain& w = p.w;
    const auto engine = testsupport::FolderEngine();
    frmOption d(w.Options(), engine.get(), &w);
    d.show();
    QLineEdit* box = Find<QLineEdit>(d, "txtMaxLen");
    QCOMPARE(box->text(), QStringLiteral("4")); // the digit count in use

    Retype(box, QStringLiteral("a1-2 b+3.x"));
    QCOMPARE(box->text(), QStringLiteral("123"));
    // Full-width digits are other characters, not digits.
    TypeJapanese(box, QStringLiteral("５"));
    QCOMPARE(box->text(), QStringLiteral("123"));
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text(), QStringLiteral("12"));
    // Cursor keys and Delete type nothing and still work.
    QTest::keyClick(box, Qt::Key_Home);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, QStringLiteral("9"));
    QCOMPARE(box->text(), QStringLiteral("92"));
}

void TestFrmOption::okWithoutChangesChangesNothing_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("inputKept");
    // 西暦->元号 and 生年計算 are set up again after the dialog, which clears
    // the year boxes; the other modes keep them.
    QTest::newRow("西暦->元号") << 0 << false;
    QTest::newRow("元号変換") << 1 << true;
    QTest::newRow("年齢計算") << 2 << true;
    QTest::newRow("生年計算") << 3 << false;
}

void TestFrmOption::okWithoutChangesChangesNothing()
{
    QFETCH(int, mode);
    QFETCH(bool, inputKept);
    MainProgram p;
    frmMain& w = p.w;
    ClickRadio(Find<QRadioButton>(w, "optCalMode", mode));
    if (mode != 0 && mode != 3) {
        ClickRadio(Find<QRadioButton>(w, "optInput5")); // 明治以前: a list entry SetGengoData would reset
        Find<QComboBox>(w, "cmbInput0")->setCurrentIndex(3);
    }
    QTest::keyClicks(Find<QLineEdit>(w, "txtInput0"), QStringLiteral("12"));
    const Options before = OptionsOf(w);

    OptionsFlow flow;
    bool filled = false;
    flow.Run(w, {[&](frmOption& d) {
                 filled = ChoicesOf(d) == Options{0, 0, false, 4, 0};
                 PressLater(Find<QPushButton>(d, "cmdOK"));
             }});

    QVERIFY(flow.failure.isEmpty());
    QVERIFY(flow.messages.isEmpty());
    QVERIFY(filled);
    QCOMPARE(OptionsOf(w), before);
    QCOMPARE(TextOf(w, "txtInput0"), inputKept ? QStringLiteral("12") : QString());
    if (mode != 0 && mode != 3)
        QCOMPARE(Find<QComboBox>(w, "cmbInput0")->currentIndex(), 3);
    QCOMPARE(TextOf(w, "lblNanBoku"), QStringLiteral("北朝"));
}

void TestFrmOption::digitCountWriteBack_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("pasted");
    QTest::addColumn<int>("stored");
    QTest::addColumn<bool>("cleared");
    QTest::newRow("4 to 2 stores 4 and still clears") << 4 << "2" << false << 4 << true;
    QTest::newRow("empty stores 4") << 6 << "" << false << 4 << true;
    QTest::newRow("4 to 7") << 4 << "7" << false << 7 << true;
    QTest::newRow("10 is the most") << 4 << "10" << false << 10 << true;
    QTest::newRow("unchanged 6 keeps the inputs") << 6 << "6" << false << 6 << false;
    QTest::newRow("pasted letters count as 0") << 4 << "abc" << true << 4 << true;
    QTest::newRow("pasted negative") << 5 << "-8" << true << 4 << true;
}

void TestFrmOption::digitCountWriteBack()
{
    QFETCH(int, before);
    QFETCH(QString, typed);
    QFETCH(bool, pasted);
    QFETCH(int, stored);
    QFETCH(bool, cleared);
    MainProgram p;
    frmMain& w = p.w;
    w.Options().SetTextLenMax(before);
    w.show();
    QTest::keyClicks(Find<QLineEdit>(w, "txtInput0"), QStringLiteral("12"));

    OptionsFlow flow;
    flow.Run(w, {[&](frmOption& d) {
                 if (pasted)
                     Find<QLineEdit>(d, "txtMaxLen")->setText(typed);
                 else
                     Retype(Find<QLineEdit>(d, "txtMaxLen"), typed);
                 PressLater(Find<QPushButton>(d, "cmdOK"));
             }});

    QVERIFY(flow.failure.isEmpty());
    QVERIFY(flow.messages.isEmpty());
    QCOMPARE(w.Options().TextLenMax(), stored);
    QCOMPARE(TextOf(w, "txtInput0"), cleared ? QString() : QStringLiteral("12"));

    // The year box now takes exactly the stored number of digits.
    Find<QLineEdit>(w, "txtInput0")->clear();
    QTest::keyClicks(Find<QLineEdit>(w, "txtInput0"), QStringLiteral("123456789012"));
    QCOMPARE(TextOf(w, "txtInput0").size(), stored);
}

void TestFrmOption::oversizedDigitCountRefused()
{
    MainProgram p;
    frmMain& w = p.w;
    QTest::keyClicks(Find<QLineEdit>(w, "txtInput0"), QStringLiteral("12"));
    const Options before = OptionsOf(w);

    OptionsFlow flow;
    struct Seen {
        bool open;
        bool focusInBox;
        Options options;
        QString input;
    };
    std::vector<Seen> seen;
    const auto look = [&](frmOption& d) {
        seen.push_back({d.isVisible(), d.focusWidget() == Find<QLineEdit>(d, "txtMaxLen"), OptionsOf(w),
                        TextOf(w, "txtInput0")});
    };
    flow.Run(w, {
                    [&](frmOption& d) {
                        // Other options change too: none may be written yet.
                        ClickRadio(Find<QRadioButton>(d, "optAppMode1"));
                        ClickRadio(Find<QRadioButton>(d, "optWhichCopy1"));
                        Find<QLineEdit>(d, "txtMaxLen")
                            ->setText(QStringLiteral("99999999999")); // pasted, beyond 32 bits
                        PressLater(Find<QPushButton>(d, "cmdOK"));
                    },
                    [&](frmOption& d) {
                        look(d);
                        Retype(Find<QLineEdit>(d, "txtMaxLen"), QStringLiteral("11"));
                        PressLater(Find<QPushButton>(d, "cmdOK"));
                    },
                    [&](frmOption& d) {
                        look(d);
                        Retype(Find<QLineEdit>(d, "txtMaxLen"), QStringLiteral("5"));
                        PressLater(Find<QPushButton>(d, "cmdOK"));
                    },
                });

    QVERIFY(flow.failure.isEmpty());
    QCOMPARE(flow.messages.size(), 2);
    for (const QString& m : flow.messages)
        QCOMPARE(m, QStringLiteral("表示可能な最大桁数には4から10までの数を入力してください。"));
    QCOMPARE(seen.size(), size_t(2));
    for (const Seen& s : seen) {
        QVERIFY(s.open);
        QVERIFY(s.focusInBox);
        QCOMPARE(s.options, before);
        QCOMPARE(s.input, QStringLiteral("12"));
    }
    QCOMPARE(OptionsOf(w), (Options{0, 1, false, 5, 1}));
}

void TestFrmOption::switchCourtLine()
{
    MainProgram p;
    frmMain& w = p.w;
    for (QComboBox* list : {Find<QComboBox>(w, "cmbInput0"), Find<QComboBox>(w, "cmbInput1")}) {
        QVERIFY(Items(list).contains(QStringLiteral("観応")));
        QVERIFY(!Items(list).contains(QStringLiteral("正平")));
    }
    Find<QComboBox>(w, "cmbInput1")->setCurrentIndex(20);
    const QString firstCaption = Find<QRadioButton>(w, "optInput1")->text();

    QCOMPARE(testsupport::ChooseCourtLine(w, 1), QStringList());
    QCOMPARE(w.Options().NanBokuMode(), 1);
    // The lists below come from the engine: it reads the Southern line now.
    for (QComboBox* list : {Find<QComboBox>(w, "cmbInput0"), Find<QComboBox>(w, "cmbInput1")}) {
        QVERIFY(Items(list).contains(QStringLiteral("正平")));
        QVERIFY(!Items(list).contains(QStringLiteral("観応")));
        QCOMPARE(list->currentIndex(), 0);
    }
    QCOMPARE(Find<QRadioButton>(w, "optInput1")->text(), firstCaption);
    QCOMPARE(TextOf(w, "lblNanBoku"), QStringLiteral("南朝"));

    // A Southern era converts through the Southern table.
    ClickRadio(Find<QRadioButton>(w, "optInput5"));
    Find<QComboBox>(w, "cmbInput0")
        ->setCurrentIndex(Items(Find<QComboBox>(w, "cmbInput0")).indexOf(QStringLiteral("正平")));
    QTest::keyClicks(Find<QLineEdit>(w, "txtInput0"), QStringLiteral("1"));
    testsupport::Click(w, "cmdCal");
    QCOMPARE(TextOf(w, "txtOutput0"), QStringLiteral("1346"));

    // And back.
    bool shownSouthern = false;
    OptionsFlow flow;
    flow.Run(w, {[&](frmOption& d) {
                 shownSouthern = Find<QRadioButton>(d, "optNanBoku1")->isChecked();
                 ClickRadio(Find<QRadioButton>(d, "optNanBoku0"));
                 PressLater(Find<QPushButton>(d, "cmdOK"));
             }});
    QVERIFY(shownSouthern);
    QCOMPARE(w.Options().NanBokuMode(), 0);
    QVERIFY(Items(Find<QComboBox>(w, "cmbInput0")).contains(QStringLiteral("観応")));
    QCOMPARE(TextOf(w, "lblNanBoku"), QStringLiteral("北朝"));
}

// A user's Northern file with an era the Southern one lacks: everything drawn
// from the era table follows each change of line, in both windows.
void TestFrmOption::captionsFollowTheCourtLine()
{
    ProgramFolder folder(ProgramFolder::Data::FourEras);
    folder.Write(QStringLiteral("Yomari.dan"),
                 "\"未来\",\"みらい\",\"\",2030\r\n\"平成\",\"へいせい\",\"\",1989\r\n"
                 "\"昭和\",\"しょうわ\",\"\",1926\r\n\"大正\",\"たいしょう\",\"\",1912\r\n"
                 "\"明治\",\"めいじ\",\"\",1868\r\n\"慶応\",\"けいおう\",\"\",1865\r\n");
    frmMain w;
    w.Form_Load();
    w.show();
    ClickRadio(Find<QRadioButton>(w, "optCalMode1")); // 元号変換: both groups, last years shown
    ClickRadio(Find<QRadioButton>(w, "optInput2"));
    ClickRadio(Find<QRadioButton>(w, "optInput8"));
    const struct {
        int line;
        QStringList modern; // the group's buttons 1-5, newest first
        QString lastYear;   // of the second modern era
        QString listFirst;  // the older eras' list
    } rows[] = {
        {1, {"平成", "昭和", "大正", "明治", "明治以前"}, "64年", "慶応"},
        {0, {"未来", "平成", "昭和", "大正", "大正以前"}, "42年", "明治"},
        {1, {"平成", "昭和", "大正", "明治", "明治以前"}, "64年", "慶応"},
    };
    for (const auto& row : rows) {
        // Changed where the simple window is chosen too, so that it shows.
        QCOMPARE(testsupport::ChooseOptions(
                     w, {QStringLiteral("optNanBoku%1").arg(row.line), QStringLiteral("optAppMode1")}),
                 QStringList());
        frmADGen& simple = w.ADGen();
        QTRY_VERIFY(simple.isVisible());
        for (int j = 0; j < 4; ++j)
            QCOMPARE(Find<QRadioButton>(simple, "Option2", 3 - j)->text(), row.modern[j]);
        testsupport::Click(simple, "cmdFullVersion");
        QTRY_VERIFY(w.isVisible());
        for (int g = 0; g < 2; ++g) {
            for (int j = 0; j < 5; ++j)
                QCOMPARE(Find<QRadioButton>(w, "optInput", g * 6 + 1 + j)->text(), row.modern[j]);
            QCOMPARE(TextOf(w, QStringLiteral("lblGenlast%1").arg(g)), row.lastYear);
            QCOMPARE(Items(Find<QComboBox>(w, QStringLiteral("cmbInput%1").arg(g))).value(0), row.listFirst);
        }
    }
}

void TestFrmOption::courtLineFileMissing()
{
    ProgramFolder folder(ProgramFolder::Data::Shipped);
    QVERIFY(QFile::remove(folder.Path(QStringLiteral("Yomari.das"))));
    frmMain w;
    w.Form_Load();
    w.show();
    ClickRadio(Find<QRadioButton>(w, "optInput3")); // 昭和 in the shipped table
    const QStringList northern = Items(Find<QComboBox>(w, "cmbInput0"));

    OptionsFlow flow;
    struct Seen {
        bool open;
        bool northChecked;
        Options options;
    } seen{};
    flow.Run(w,
             {
                 [&](frmOption& d) {
                     ClickRadio(Find<QRadioButton>(d, "optNanBoku1"));
                     ClickRadio(Find<QRadioButton>(d, "optAppMode1"));
                     Retype(Find<QLineEdit>(d, "txtMaxLen"), QStringLiteral("6"));
                     PressLater(Find<QPushButton>(d, "cmdOK"));
                 },
                 [&](frmOption& d) {
                     seen = {d.isVisible(), Find<QRadioButton>(d, "optNanBoku0")->isChecked(), OptionsOf(w)};
                     // The dialog went back to the line in use: OK now keeps it
                     // and writes the rest.
                     PressLater(Find<QPushButton>(d, "cmdOK"));
                 },
             });

    QVERIFY(flow.failure.isEmpty());
    QCOMPARE(flow.messages.size(), 1);
    QVERIFY2(flow.messages[0].contains(folder.Path(QStringLiteral("Yomari.das"))),
             qPrintable(flow.messages[0]));
    QVERIFY(seen.open);
    QVERIFY(seen.northChecked);
    QCOMPARE(seen.options, (Options{0, 0, false, 4, 0}));

    QCOMPARE(OptionsOf(w), (Options{0, 1, false, 6, 0}));
    QCOMPARE(TextOf(w, "lblNanBoku"), QStringLiteral("北朝"));
    QCOMPARE(Items(Find<QComboBox>(w, "cmbInput0")), northern);
    QCOMPARE(Items(Find<QComboBox>(w, "cmbInput1")), northern);

    // The engine still calculates on the line in use.
    QTest::keyClicks(Find<QLineEdit>(w, "txtInput0"), QStringLiteral("50"));
    const QStringList errors = testsupport::AnswerMessageBoxes([&] { testsupport::Click(w, "cmdCal"); });
    QVERIFY(errors.isEmpty());
    QCOMPARE(TextOf(w, "txtOutput0"), QStringLiteral("1975"));
    // And it names the years of the pair by the line in use.
    QCOMPARE(testsupport::EraOfYear(w, 1350), QStringLiteral("観応"));
}

void TestFrmOption::cancelAndEscapeKeepEverything()
{
    cTaskTray::SetAvailableForTesting(true);
    MainProgram p;
    frmMain& w = p.w;
    ClickRadio(Find<QRadioButton>(w, "optInput5"));
    Find<QComboBox>(w, "cmbInput0")->setCurrentIndex(3);
    QTest::keyClicks(Find<QLineEdit>(w, "txtInput0"), QStringLiteral("12"));
    const Options before = OptionsOf(w);

    const Options everything{1, 1, true, 8, 1};
    const std::vector<std::pair<QString, std::function<void(frmOption&)>>> ways{
        {QStringLiteral("Cancel"), [](frmOption& d) { PressLater(Find<QPushButton>(d, "cmdCancel")); }},
        {QStringLiteral("Escape in the digit box"),
         [](frmOption& d) {
             Find<QLineEdit>(d, "txtMaxLen")->setFocus();
             QTest::keyClick(Find<QLineEdit>(d, "txtMaxLen"), Qt::Key_Escape);
         }},
        {QStringLiteral("Escape on a button"),
         [](frmOption& d) { QTest::keyClick(Find<QRadioButton>(d, "optAppMode1"), Qt::Key_Escape); }},
        {QStringLiteral("close box"), [](frmOption& d) { d.close(); }},
    };
    for (const auto& [name, close] : ways) {
        OptionsFlow flow;
        bool changed = false;
        flow.Run(w, {[&, &close = close](frmOption& d) {
                     Choose(d, everything);
                     changed = ChoicesOf(d) == everything;
                     close(d);
                 }});
        QVERIFY2(flow.failure.isEmpty(), qPrintable(name));
        QVERIFY2(changed, qPrintable(name));
        QCOMPARE(OptionsOf(w), before);
        QCOMPARE(Find<QComboBox>(w, "cmbInput0")->currentIndex(), 3);
        QCOMPARE(TextOf(w, "txtInput0"), QStringLiteral("12"));
    }
    // Nor did any of them switch the engine's court line.
    QCOMPARE(testsupport::EraOfYear(w, 1350), QStringLiteral("観応"));
}

void TestFrmOption::sysTrayWithoutNotificationArea()
{
    cTaskTray::SetAvailableForTesting(false);
    MainProgram p;
    frmMain& w = p.w;

    // Residence cannot be chosen where no icon can be shown.
    OptionsFlow flow;
    bool disabled = false;
    QString tip;
    flow.Run(w, {[&](frmOption& d) {
                 disabled = !Find<QRadioButton>(d, "optSysTray1")->isEnabled();
                 tip = Find<QRadioButton>(d, "optSysTray1")->toolTip();
                 ClickRadio(Find<QRadioButton>(d, "optSysTray1"));
                 PressLater(Find<QPushButton>(d, "cmdOK"));
             }});
    QVERIFY(flow.failure.isEmpty());
    QVERIFY(disabled);
    QCOMPARE(tip, QStringLiteral("この環境には通知領域がありません"));
    QCOMPARE(w.Options().InSysTray(), false);

    // A stored choice (settings file, "/T") survives OK.
    w.Options().SetInSysTray(true);
    bool shownChecked = false;
    flow.Run(w, {[&](frmOption& d) {
                 shownChecked = Find<QRadioButton>(d, "optSysTray1")->isChecked();
                 PressLater(Find<QPushButton>(d, "cmdOK"));
             }});
    QVERIFY(shownChecked);
    QCOMPARE(w.Options().InSysTray(), true);

    // Where there is a notification area, it is chosen and given up freely.
    cTaskTray::SetAvailableForTesting(true);
    w.Options().SetInSysTray(false);
    QVERIFY(!w.Tray().IconShown());
    QCOMPARE(testsupport::ChooseOptions(w, {"optSysTray1"}), QStringList());
    QCOMPARE(w.Options().InSysTray(), true);
    QVERIFY(w.Tray().IconShown()); // added at once
    QVERIFY(!w.Tray().Modal());
    QCOMPARE(testsupport::ChooseOptions(w, {"optSysTray0"}), QStringList());
    QCOMPARE(w.Options().InSysTray(), false);
    QVERIFY(!w.Tray().IconShown());
}

void TestFrmOption::choosingTheSimpleWindowSwitchesToIt()
{
    MainProgram p;
    frmMain& w = p.w;
    QVERIFY(w.isVisible());
    bool modalWhileOpen = false;
    OptionsFlow flow;
    flow.Run(w, {[&](frmOption& d) {
                 modalWhileOpen = w.Tray().Modal();
                 ClickRadio(Find<QRadioButton>(d, "optAppMode1"));
                 PressLater(Find<QPushButton>(d, "cmdOK"));
             }});
    QVERIFY(modalWhileOpen); // the icon brings nothing forward over the dialog
    QCOMPARE(w.Options().AppMode(), 1);
    QVERIFY(!w.isVisible());
    QVERIFY(w.ADGen().isVisible());
    QCOMPARE(w.ADGen().focusWidget(), static_cast<QWidget*>(Find<QLineEdit>(w.ADGen(), "Text1")));
}

void TestFrmOption::optionsRoundTripThroughSettingsFile()
{
    ProgramFolder folder(ProgramFolder::Data::Shipped);
    cTaskTray::SetAvailableForTesting(true);
    const auto optionLines = [&] {
        const QList<QByteArray> lines = folder.Read(QStringLiteral("Yomari.ini")).split('\n');
        // 22 lines, each ended by CR LF, and nothing after the last.
        if (lines.size() != 23 || !lines.last().isEmpty())
            return QList<QByteArray>{"wrong line count " + QByteArray::number(lines.size())};
        return lines.mid(12, 5);
    };
    {
        frmMain w;
        w.Form_Load();
        w.show();
        OptionsFlow flow;
        flow.Run(w, {[&](frmOption& d) {
                     Choose(d, {1, 1, true, 9, 1});
                     PressLater(Find<QPushButton>(d, "cmdOK"));
                 }});
        QVERIFY(flow.failure.isEmpty());
        QCOMPARE(OptionsOf(w), (Options{1, 1, true, 9, 1}));
        w.PrintIni();
    }
    QCOMPARE(optionLines(), (QList<QByteArray>{"NanBokuMode =1\r", "AppMode =1\r", "InSysTray =True\r",
                                               "TextLenMax =9\r", "BirthYearWhichCopy =1\r"}));
    {
        frmMain w;
        w.Form_Load();
        QCOMPARE(OptionsOf(w), (Options{1, 1, true, 9, 1}));
        QVERIFY(Items(Find<QComboBox>(w, "cmbInput0")).contains(QStringLiteral("正平")));
        QCOMPARE(TextOf(w, "lblNanBoku"), QStringLiteral("南朝"));
        w.show();
        // The dialog shows what was stored; every option goes back.
        OptionsFlow flow;
        bool filled = false;
        flow.Run(w, {[&](frmOption& d) {
                     filled = ChoicesOf(d) == Options{1, 1, true, 9, 1};
                     Choose(d, {0, 0, false, 4, 0});
                     PressLater(Find<QPushButton>(d, "cmdOK"));
                 }});
        QVERIFY(filled);
        w.PrintIni();
    }
    QCOMPARE(optionLines(), (QList<QByteArray>{"NanBokuMode =0\r", "AppMode =0\r", "InSysTray =False\r",
                                               "TextLenMax =4\r", "BirthYearWhichCopy =0\r"}));
}

void TestFrmOption::exitWhileDialogOpen()
{
    MainProgram p;
    frmMain& w = p.w;
    OptionsFlow flow;
    flow.Run(w, {[&](frmOption& d) {
                 ClickRadio(Find<QRadioButton>(d, "optAppMode1"));
                 // The program ends (as from the notification-area menu) meanwhile.
                 QTimer::singleShot(0, &w, [&w] { w.close(); });
             }});
    QVERIFY(flow.failure.isEmpty());
    QVERIFY(!w.isVisible());
    QCOMPARE(w.Options().AppMode(), 0);
    QVERIFY(p.folder.Read(QStringLiteral("Yomari.ini")).contains("AppMode =0\r\n"));
}

void TestFrmOption::keyboardLandsOnTheCheckedButtons()
{
    MainProgram p({{.NanBokuMode = 1, .BirthYearWhichCopy = 1}});
    frmMain& w = p.w;
    QVERIFY(QTest::qWaitForWindowActive(&w));

    QString first;
    bool southKept = false;
    QStringList forward, backward, accessKeys, afterArrow;
    const bool ran = WithOptionsOpen(w, [&](frmOption& d) {
        first = FocusName();
        // Space on the first control must not change the court line.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        southKept = Find<QRadioButton>(d, "optNanBoku1")->isChecked() &&
                    !Find<QRadioButton>(d, "optNanBoku0")->isChecked();

        for (int i = 0; i < 8; ++i) {
            forward << FocusName();
            if (i < 7)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        for (int i = 0; i < 8; ++i) {
            backward << FocusName();
            if (i < 7)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        }
        for (Qt::Key key : {Qt::Key_S, Qt::Key_T, Qt::Key_F, Qt::Key_B}) {
            Find<QPushButton>(d, "cmdCancel")->setFocus();
            QTest::keyClick(&d, key, Qt::AltModifier);
            accessKeys << FocusName();
        }

        // An arrow key moves the choice; Tab and the access key follow it.
        Find<QRadioButton>(d, "optNanBoku1")->setFocus();
        QTest::keyClick(Find<QRadioButton>(d, "optNanBoku1"), Qt::Key_Left);
        afterArrow << FocusName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        afterArrow << FocusName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        Find<QPushButton>(d, "cmdOK")->setFocus();
        QTest::keyClick(&d, Qt::Key_S, Qt::AltModifier);
        afterArrow << FocusName();
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    QVERIFY(ran);
    QCOMPARE(first, QStringLiteral("optNanBoku1"));
    QVERIFY(southKept);
    QCOMPARE(forward, (QStringList{"optNanBoku1", "optSysTray0", "optAppMode0", "txtMaxLen", "optWhichCopy1",
                                   "cmdOK", "cmdCancel", "optNanBoku1"}));
    QCOMPARE(backward, (QStringList{"optNanBoku1", "cmdCancel", "cmdOK", "optWhichCopy1", "txtMaxLen",
                                    "optAppMode0", "optSysTray0", "optNanBoku1"}));
    QCOMPARE(accessKeys, (QStringList{"optNanBoku1", "optSysTray0", "optAppMode0", "optWhichCopy1"}));
    QCOMPARE(afterArrow, (QStringList{"optNanBoku0", "optNanBoku0", "optNanBoku1"}));
    QCOMPARE(w.Options().NanBokuMode(), 1); // Escape wrote nothing back
}

void TestFrmOption::iconAndHelpAnswerWhileOpen()
{
    ProgramFolder folder(ProgramFolder::Data::Shipped);
    cTaskTray::SetAvailableForTesting(true);
    frmMain w;
    w.Form_Load(QStringLiteral("/T"));
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));

    // The notification area's icon is a window of its own, outside the main
    // window's family, like this one.
    QWidget iconWindow;
    iconWindow.resize(24, 24);
    iconWindow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&iconWindow));
    PressCounter iconPresses;
    iconWindow.installEventFilter(&iconPresses);

    int mainPresses = 0;
    QString topicBefore, topicAfter;
    bool menuShown = false;
    const bool ran = WithOptionsOpen(w, [&](frmOption&) {
        QTest::mouseClick(iconWindow.windowHandle(), Qt::LeftButton, {}, QPoint(12, 12));

        // The icon's menu opens, and its help item opens the help window,
        // whose links are followed.
        testsupport::ClickTrayIcon(w.Tray(), QSystemTrayIcon::Context);
        QMenu* menu = Find<QMenu>(w.Tray(), "mnuRight");
        menuShown = menu->isVisible();
        testsupport::ChooseMenuItem(menu, QStringLiteral("ヘルプ"));
        HelpViewer* viewer = HelpViewer::Instance();
        if (!viewer || !QTest::qWaitForWindowExposed(viewer))
            return;
        topicBefore = viewer->CurrentTopic();
        const QPoint link = LinkInWindow(viewer, QStringLiteral("#ctx10"));
        QTest::mouseClick(viewer->windowHandle(), Qt::LeftButton, {}, link);
        topicAfter = viewer->CurrentTopic();

        // The main window itself waits for the dialog.
        PressCounter counter;
        Find<QPushButton>(w, "cmdCal")->installEventFilter(&counter);
        QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {},
                          Find<QPushButton>(w, "cmdCal")->geometry().center());
        mainPresses = counter.presses;
    });
    QVERIFY(ran);
    QVERIFY(menuShown);
    QCOMPARE(topicBefore, QStringLiteral("contents"));
    QCOMPARE(topicAfter, QStringLiteral("ctx10"));
    QCOMPARE(iconPresses.presses, 1);
    QCOMPARE(mainPresses, 0);
    delete HelpViewer::Instance();
}

YOMARI_TEST_MAIN(TestFrmOption)
#include "test_frmOption.moc"
