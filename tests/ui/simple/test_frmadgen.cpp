// The simple edition window driven by keys and clicks, with the main window
// it reads its eras from, and its place in the settings file.

#include "app/AppSetup.h"
#include "tests/support/TestProgram.h"
#include "tests/support/MainWindow.h"
#include "tests/support/ShownText.h"
#include "app/Twips.h"
#include "app/basYomari.h"
#include "help/HlpDlg.h"
#include "tray/cTaskTray.h"
#include "ui/simple/frmADGen.h"
#include "ui/main/frmMain.h"

#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

#include <memory>

using testsupport::TextOf;
using testsupport::Find;
using testsupport::ClickRadio;
using testsupport::PressAsX;
using testsupport::ProgramFolder;
using testsupport::SettingsFile;
using testsupport::TypeJapanese;

namespace {

// Notes whether a window received a close event, without ending the tests.
class CloseWatcher : public QObject {
public:
    explicit CloseWatcher(QWidget* w) { w->installEventFilter(this); }
    bool closed = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Close)
            closed = true;
        return QObject::eventFilter(watched, event);
    }
};

// A program folder, its main window loaded, and the simple window shown.
struct Program {
    explicit Program(ProgramFolder::Data data = ProgramFolder::Data::FourEras, const QByteArray& ini = {},
                     const QByteArray& eraFile = {})
        : folder(data)
    {
        if (!ini.isEmpty())
            folder.Write(QStringLiteral("Yomari.ini"), ini);
        if (!eraFile.isEmpty())
            folder.Write(QStringLiteral("Yomari.dan"), eraFile);
        main = testsupport::StartMain();
        ad = &main->ADGen();
    }
    // The simple window shown and active.
    frmADGen* Show()
    {
        ad->show();
        ad->activateWindow();
        [this] { QVERIFY(QTest::qWaitForWindowActive(ad)); }();
        return ad;
    }

    ProgramFolder folder;
    std::unique_ptr<frmMain> main;
    frmADGen* ad = nullptr;
};

void Type(frmADGen* ad, const QString& digits)
{
    testsupport::Type(Find<QLineEdit>(*ad, "Text1"), digits);
}

void Enter(QWidget* w)
{
    QTest::keyClick(w, Qt::Key_Return);
}

// Types the digits into the year box and presses Enter there.
void Calculate(frmADGen* ad, const QString& digits)
{
    Type(ad, digits);
    Enter(Find<QLineEdit>(*ad, "Text1"));
}

// What the window shows: the year box, the unit, the result and the note.
struct Shown {
    QString input, unit, result, note;
    bool operator==(const Shown&) const = default;
};

Shown Read(const frmADGen* ad)
{
    return {TextOf(*ad, "Text1"), TextOf(*ad, "Label2"), TextOf(*ad, "Label3"), TextOf(*ad, "Label4")};
}

char* toString(const Shown& s)
{
    return QTest::toString(QStringLiteral("[%1] %2 [%3] %4").arg(s.input, s.unit, s.result, s.note));
}

} // namespace

class TestFrmADGen : public QObject {
    Q_OBJECT

private slots:
    // These tests stand for a desktop with a notification area.
    void initTestCase()
    {
        yomari::app::SetUpApplication(); // the font the window is drawn for
        cTaskTray::SetAvailableForTesting(true);
    }
    void cleanupTestCase() { cTaskTray::SetAvailableForTesting(std::nullopt); }

    void layoutAndCaptions();
    void eraToWestern_data();
    void eraToWestern();
    void westernToEra_data();
    void westernToEra();
    void copyResult();
    void directionEnablesEraButtons();
    void overLengthEmptiesInput();
    void keyFilter();
    void deleteKey();
    void escape_data();
    void escape();
    void escapeClearsNonEmptyInputFirst();
    void eraButtonKeysAndClicks();
    void sixteenBitLimits_data();
    void sixteenBitLimits();
    void noEraChecked();
    void badEraData();
    void fullVersion();
    void minimise();
    void shippedData();
    void settingsRoundTrip_data();
    void settingsRoundTrip();
    void settingsPositionRecentred_data();
    void settingsPositionRecentred();
};

void TestFrmADGen::layoutAndCaptions()
{
    Program p;
    frmADGen* ad = p.ad;
    QVERIFY(p.main->ADGenLoaded());
    QVERIFY(!ad->isVisible());
    QCOMPARE(ad->windowTitle(), QStringLiteral("ヨマリ 簡易版"));
    QCOMPARE(ad->minimumSize(), ad->maximumSize()); // not resizable
    // Option2(0) is the oldest era, optInput(4); Option2(3) the newest.
    const QStringList eras{QStringLiteral("明治"), QStringLiteral("大正"), QStringLiteral("昭和"),
                           QStringLiteral("平成")};
    for (int j = 0; j < 4; ++j)
        QCOMPARE(Find<QRadioButton>(*ad, "Option2", j)->text(), eras[j]);
    QVERIFY(Find<QRadioButton>(*ad, "Option10")->isChecked());
    QVERIFY(Find<QRadioButton>(*ad, "Option23")->isChecked());
    QVERIFY(
        Find<QLineEdit>(*ad, "Text1")->testAttribute(Qt::WA_InputMethodEnabled)); // full-width digits arrive
    QVERIFY(Find<QLineEdit>(*ad, "Label3")->isReadOnly());

    // As a person sees it: every text whole and inside the window, nothing
    // covering anything; the direction on top, the eras newest first down the
    // left, the row "year → unit result" with the note under it, the two
    // buttons under the note and the small ones at the bottom.
    p.Show();
    QStringList faults = shown::SeenFaults(ad);
    // Neighbours designed to share a pixel's edge may.
    const auto c = [ad](const QString& name) { return Find<QWidget>(*ad, name); };
    const auto leftOf = [&](const char* a, const char* b) { return shown::LeftOf(c(a), c(b), 1); };
    const auto above = [&](const QString& a, const QString& b) { return shown::Above(c(a), c(b), 1); };
    faults << leftOf("Option10", "Option11") << above("Frame1", "Frame2") << above("Frame1", "Text1")
           << leftOf("Frame2", "Text1") << leftOf("Text1", "Label1") << leftOf("Label1", "Label2")
           << leftOf("Label2", "Label3") << above("Text1", "Label4") << above("Label4", "Command1")
           << leftOf("Command1", "cmdCopy") << above("Command1", "cmdFullVersion")
           << leftOf("cmdFullVersion", "cmdHelp");
    for (int j = 1; j < 4; ++j)
        faults << above(QStringLiteral("Option2%1").arg(j), QStringLiteral("Option2%1").arg(j - 1));
    QVERIFY2(shown::Listed(faults).isEmpty(), qPrintable(shown::Listed(faults)));

    // Tab runs from the year box through the buttons to the result box.
    QVERIFY(Find<QLineEdit>(*ad, "Text1")->hasFocus());
    QList<QWidget*> visited;
    for (int i = 0; i < 9; ++i) {
        visited << QApplication::focusWidget();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    const QList<QWidget*> expected{
        Find<QLineEdit>(*ad, "Text1"),       Find<QPushButton>(*ad, "Command1"),
        Find<QPushButton>(*ad, "cmdCopy"),   Find<QRadioButton>(*ad, "Option10"),
        Find<QRadioButton>(*ad, "Option23"), Find<QPushButton>(*ad, "cmdFullVersion"),
        Find<QPushButton>(*ad, "cmdHelp"),   Find<QLineEdit>(*ad, "Label3"),
        Find<QLineEdit>(*ad, "Text1")};
    QCOMPARE(visited, expected);
}

void TestFrmADGen::eraToWestern_data()
{
    QTest::addColumn<int>("era"); // Option2 index
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("note");
    const QString last = QStringLiteral("年      ");
    const QString beyond = QStringLiteral("入力値は最終年以上です。");
    QTest::newRow("平成16") << 3 << "16"
                            << "2004" << QString();
    QTest::newRow("平成1") << 3 << "1"
                           << "1989" << QString();
    QTest::newRow("明治1") << 0 << "1"
                           << "1868" << QStringLiteral("元号最終年:明治45") + last;
    QTest::newRow("明治45") << 0 << "45"
                            << "1912" << QStringLiteral("元号最終年:明治45") + last;
    QTest::newRow("明治46") << 0 << "46"
                            << "1913" << QStringLiteral("元号最終年:明治45") + last + beyond;
    QTest::newRow("明治50") << 0 << "50"
                            << "1917" << QStringLiteral("元号最終年:明治45") + last + beyond;
    QTest::newRow("大正1") << 1 << "1"
                           << "1912" << QStringLiteral("元号最終年:大正15") + last;
    QTest::newRow("昭和64") << 2 << "64"
                            << "1989" << QStringLiteral("元号最終年:昭和64") + last;
}

void TestFrmADGen::eraToWestern()
{
    QFETCH(int, era);
    QFETCH(QString, input);
    QFETCH(QString, result);
    QFETCH(QString, note);
    Program p;
    frmADGen* ad = p.Show();
    ClickRadio(Find<QRadioButton>(*ad, "Option2", era));
    QVERIFY(Find<QRadioButton>(*ad, "Option2", era)->isChecked());
    Calculate(ad, input);
    QCOMPARE(Read(ad), (Shown{input, QStringLiteral("西暦"), result, note}));

    // The button gives the same answer.
    Find<QLineEdit>(*ad, "Label3")->clear();
    QTest::mouseClick(Find<QPushButton>(*ad, "Command1"), Qt::LeftButton);
    QCOMPARE(TextOf(*ad, "Label3"), result);
    QVERIFY(Find<QLineEdit>(*ad, "Text1")->hasFocus());
}

void TestFrmADGen::westernToEra_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("note");
    QTest::newRow("1912") << "1912" << QStringLiteral("大正") << "1" << QString();
    QTest::newRow("1911") << "1911" << QStringLiteral("明治") << "44" << QString();
    QTest::newRow("1868") << "1868" << QStringLiteral("明治") << "1" << QString();
    QTest::newRow("1926") << "1926" << QStringLiteral("昭和") << "1" << QString();
    QTest::newRow("1989") << "1989" << QStringLiteral("平成") << "1" << QString();
    QTest::newRow("2004") << "2004" << QStringLiteral("平成") << "16" << QString();
    QTest::newRow("9999") << "9999" << QStringLiteral("平成") << "8011" << QString();
    QTest::newRow("1867") << "1867" << QString() << QString() << QStringLiteral("明治以前です。");
    QTest::newRow("1") << "1" << QString() << QString() << QStringLiteral("明治以前です。");
}

void TestFrmADGen::westernToEra()
{
    QFETCH(QString, input);
    QFETCH(QString, unit);
    QFETCH(QString, result);
    QFETCH(QString, note);
    Program p;
    frmADGen* ad = p.Show();
    ClickRadio(Find<QRadioButton>(*ad, "Option11"));
    QVERIFY(Find<QRadioButton>(*ad, "Option11")->isChecked());
    Calculate(ad, input);
    // Before the first era the input stays for correction.
    QCOMPARE(Read(ad), (Shown{input, unit, result, note}));
    QVERIFY(Find<QLineEdit>(*ad, "Text1")->hasFocus());
}

void TestFrmADGen::copyResult()
{
    Program p;
    frmADGen* ad = p.Show();
    QClipboard* clipboard = QApplication::clipboard();

    Calculate(ad, QStringLiteral("16"));
    QTest::mouseClick(Find<QPushButton>(*ad, "cmdCopy"), Qt::LeftButton);
    QCOMPARE(clipboard->text(), QStringLiteral("2004"));
    QVERIFY(Find<QLineEdit>(*ad, "Text1")->hasFocus());

    ClickRadio(Find<QRadioButton>(*ad, "Option11"));
    Calculate(ad, QStringLiteral("1912"));
    QTest::mouseClick(Find<QPushButton>(*ad, "cmdCopy"), Qt::LeftButton);
    QCOMPARE(clipboard->text(), QStringLiteral("大正1"));

    // Nothing shown: an empty text replaces the old one.
    Type(ad, QStringLiteral("5"));
    QTest::keyClick(Find<QLineEdit>(*ad, "Text1"), Qt::Key_Backspace);
    QTest::mouseClick(Find<QPushButton>(*ad, "cmdCopy"), Qt::LeftButton);
    QCOMPARE(clipboard->text(), QString());
}

void TestFrmADGen::directionEnablesEraButtons()
{
    Program p;
    frmADGen* ad = p.Show();
    Calculate(ad, QStringLiteral("16"));
    QCOMPARE(TextOf(*ad, "Label3"), QStringLiteral("2004"));

    ClickRadio(Find<QRadioButton>(*ad, "Option11"));
    for (int j = 0; j < 4; ++j)
        QVERIFY(!Find<QRadioButton>(*ad, "Option2", j)->isEnabled());
    // A change of direction empties input, result and note, and the year box
    // takes the focus.
    QCOMPARE(Read(ad), Shown{});
    QVERIFY(Find<QLineEdit>(*ad, "Text1")->hasFocus());

    Calculate(ad, QStringLiteral("1867"));
    QVERIFY(!TextOf(*ad, "Label4").isEmpty());
    ClickRadio(Find<QRadioButton>(*ad, "Option10"));
    for (int j = 0; j < 4; ++j)
        QVERIFY(Find<QRadioButton>(*ad, "Option2", j)->isEnabled());
    QCOMPARE(Read(ad), Shown{});
}

void TestFrmADGen::overLengthEmptiesInput()
{
    Program p;
    frmADGen* ad = p.Show();
    Calculate(ad, QStringLiteral("9999"));
    QCOMPARE(Read(ad), (Shown{{}, {}, {}, QStringLiteral("計算結果が表示可能最大値を超えました。")}));
    QVERIFY(Find<QLineEdit>(*ad, "Text1")->hasFocus());

    // With room for five digits the same year is shown.
    p.main->Options().SetTextLenMax(5);
    Calculate(ad, QStringLiteral("9999"));
    QCOMPARE(Read(ad), (Shown{"9999", QStringLiteral("西暦"), "11987", {}}));
}

void TestFrmADGen::deleteKey()
{
    Program p;
    frmADGen* ad = p.Show();
    ClickRadio(Find<QRadioButton>(*ad, "Option20")); // 明治
    Calculate(ad, QStringLiteral("46"));
    QCOMPARE(TextOf(*ad, "Label3"), QStringLiteral("1913"));
    const QString note = TextOf(*ad, "Label4");
    // Delete as an X server sends it, with the text DEL: the character after
    // the caret goes, and the old result with it; the note stays.
    QTest::keyClick(Find<QLineEdit>(*ad, "Text1"), Qt::Key_Home);
    PressAsX(Find<QLineEdit>(*ad, "Text1"), Qt::Key_Delete);
    QCOMPARE(Read(ad), (Shown{"6", {}, {}, note}));
}

void TestFrmADGen::keyFilter()
{
    Program p;
    frmADGen* ad = p.Show();

    QTest::keyClick(Find<QLineEdit>(*ad, "Text1"), Qt::Key_0);
    QCOMPARE(TextOf(*ad, "Text1"), QString());
    Type(ad, QStringLiteral("1a-.+ 0"));
    QCOMPARE(TextOf(*ad, "Text1"), QStringLiteral("10"));
    TypeJapanese(Find<QLineEdit>(*ad, "Text1"), QStringLiteral("へい"));
    QCOMPARE(TextOf(*ad, "Text1"), QStringLiteral("10"));
    Type(ad, QStringLiteral("045"));
    QCOMPARE(TextOf(*ad, "Text1"), QStringLiteral("1004"));
    QTest::keyClick(Find<QLineEdit>(*ad, "Text1"), Qt::Key_0);
    QCOMPARE(TextOf(*ad, "Text1"), QStringLiteral("1004"));

    // The paste shortcut pastes, though it comes with a control character.
    QApplication::clipboard()->setText(QStringLiteral("12"));
    Find<QLineEdit>(*ad, "Text1")->clear();
    PressAsX(Find<QLineEdit>(*ad, "Text1"), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(TextOf(*ad, "Text1"), QStringLiteral("12"));

    // Enter on an empty box calculates nothing.
    Find<QLineEdit>(*ad, "Text1")->clear();
    Enter(Find<QLineEdit>(*ad, "Text1"));
    QCOMPARE(Read(ad), Shown{});
    QTest::mouseClick(Find<QPushButton>(*ad, "Command1"), Qt::LeftButton);
    QVERIFY(TextOf(*ad, "Label3").isEmpty());

    // Backspace takes the old result away but leaves the note.
    ClickRadio(Find<QRadioButton>(*ad, "Option20"));
    Calculate(ad, QStringLiteral("46"));
    QCOMPARE(TextOf(*ad, "Label3"), QStringLiteral("1913"));
    const QString note = TextOf(*ad, "Label4");
    QVERIFY(!note.isEmpty());
    QTest::keyClick(Find<QLineEdit>(*ad, "Text1"), Qt::Key_Backspace);
    QCOMPARE(Read(ad), (Shown{"4", {}, {}, note}));

    // Typing into the result box changes nothing.
    Find<QLineEdit>(*ad, "Label3")->setText(QStringLiteral("1913"));
    QTest::keyClicks(Find<QLineEdit>(*ad, "Label3"), QStringLiteral("77"));
    QCOMPARE(TextOf(*ad, "Label3"), QStringLiteral("1913"));
}

void TestFrmADGen::escape_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("inSysTray");
    QTest::addColumn<bool>("trayAvailable");
    for (const char* c : {"Text1", "cmdCopy", "Command1", "Option1", "Option2"}) {
        QTest::newRow((QByteArray(c) + " tray").constData()) << QString::fromLatin1(c) << true << true;
        QTest::newRow((QByteArray(c) + " no tray").constData()) << QString::fromLatin1(c) << false << true;
    }
    // Residence chosen on a desktop without a notification area: hiding
    // would leave no way back, so the window closes as without residence.
    QTest::newRow("Text1 tray, no notification area") << QStringLiteral("Text1") << true << false;
}

void TestFrmADGen::escape()
{
    QFETCH(QString, control);
    QFETCH(bool, inSysTray);
    QFETCH(bool, trayAvailable);
    cTaskTray::SetAvailableForTesting(trayAvailable);
    Program p;
    p.main->Options().SetInSysTray(inSysTray);
    frmADGen* ad = p.Show();
    CloseWatcher mainWatcher(p.main.get());
    // An option group by its checked button.
    QWidget* target = Find<QWidget>(*ad, control == "Option1"   ? QStringLiteral("Option10")
                                         : control == "Option2" ? QStringLiteral("Option23")
                                                                : control);
    QPointer<frmADGen> guard(ad);
    QTest::keyClick(target, Qt::Key_Escape);
    cTaskTray::SetAvailableForTesting(true);
    if (inSysTray && trayAvailable) {
        QVERIFY(!ad->isVisible());
        QVERIFY(!mainWatcher.closed);
        QVERIFY(p.main->ADGenLoaded());
        QVERIFY(!QFile::exists(p.folder.Path(QStringLiteral("Yomari.ini"))));
    } else {
        // Unloading the simple window ends the program through the main
        // window's exit, which writes the settings.
        QVERIFY(mainWatcher.closed);
        QVERIFY(!p.main->ADGenLoaded());
        QVERIFY(QFile::exists(p.folder.Path(QStringLiteral("Yomari.ini"))));
        QVERIFY(guard && !guard->isVisible());
        QTRY_VERIFY(guard.isNull()); // deleted once its handler has returned
    }
}

void TestFrmADGen::escapeClearsNonEmptyInputFirst()
{
    Program p;
    p.main->Options().SetInSysTray(true);
    frmADGen* ad = p.Show();
    ClickRadio(Find<QRadioButton>(*ad, "Option20"));
    Calculate(ad, QStringLiteral("46"));
    QVERIFY(!TextOf(*ad, "Label4").isEmpty());
    QTest::keyClick(Find<QLineEdit>(*ad, "Text1"), Qt::Key_Escape);
    QVERIFY(ad->isVisible());
    QCOMPARE(Read(ad), Shown{});

    // The copy button clears the same way while there is input.
    Type(ad, QStringLiteral("3"));
    Find<QPushButton>(*ad, "cmdCopy")->setFocus();
    QTest::keyClick(Find<QPushButton>(*ad, "cmdCopy"), Qt::Key_Escape);
    QVERIFY(ad->isVisible());
    QVERIFY(TextOf(*ad, "Text1").isEmpty());
    QVERIFY(Find<QLineEdit>(*ad, "Text1")->hasFocus());

    QTest::keyClick(Find<QLineEdit>(*ad, "Text1"), Qt::Key_Escape);
    QVERIFY(!ad->isVisible());
}

void TestFrmADGen::eraButtonKeysAndClicks()
{
    Program p;
    frmADGen* ad = p.Show();
    Calculate(ad, QStringLiteral("16"));
    QVERIFY(!TextOf(*ad, "Label3").isEmpty());

    // Choosing an era clears, and the focus stays on the button.
    Find<QRadioButton>(*ad, "Option22")->setFocus();
    ClickRadio(Find<QRadioButton>(*ad, "Option22"));
    QVERIFY(TextOf(*ad, "Text1").isEmpty());
    QVERIFY(TextOf(*ad, "Label3").isEmpty());
    QVERIFY(Find<QRadioButton>(*ad, "Option22")->hasFocus());

    // Enter on an era button clears and goes to the year box.
    Type(ad, QStringLiteral("50"));
    Find<QRadioButton>(*ad, "Option22")->setFocus();
    Enter(Find<QRadioButton>(*ad, "Option22"));
    QVERIFY(TextOf(*ad, "Text1").isEmpty());
    QVERIFY(Find<QLineEdit>(*ad, "Text1")->hasFocus());
    QVERIFY(Find<QRadioButton>(*ad, "Option22")->isChecked());
}

void TestFrmADGen::sixteenBitLimits_data()
{
    QTest::addColumn<bool>("westernToEra");
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("typed"); // else pasted
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("note");
    QTest::addColumn<QString>("inputAfter");
    const QString tooBig = frmADGen::InputTooLargeMessage();
    const QString resultTooBig = frmADGen::ResultTooLargeMessage();
    const QString outOfRange = frmADGen::OutOfRangeMessage();
    const QString seireki = QStringLiteral("西暦");
    const QString heisei = QStringLiteral("平成");

    QTest::newRow("西暦 40000") << true << "40000" << true << ""
                                << "" << tooBig << "40000";
    QTest::newRow("平成 40000") << false << "40000" << true << ""
                                << "" << tooBig << "40000";
    QTest::newRow("西暦 32767 past newest era") << true << "32767" << true << ""
                                                << "" << outOfRange << "32767";
    QTest::newRow("西暦 11987 last counted") << true << "11987" << true << heisei << "9999"
                                             << ""
                                             << "11987";
    QTest::newRow("西暦 11988 first uncounted") << true << "11988" << true << ""
                                                << "" << outOfRange << "11988";
    QTest::newRow("平成 30779 largest") << false << "30779" << true << seireki << "32767"
                                        << ""
                                        << "30779";
    QTest::newRow("平成 30780") << false << "30780" << true << ""
                                << "" << resultTooBig << "";
    QTest::newRow("平成 32000") << false << "32000" << true << ""
                                << "" << resultTooBig << "";
    QTest::newRow("pasted no number") << false << "abc" << false << ""
                                      << "" << frmADGen::InvalidInputMessage() << "abc";
    QTest::newRow("pasted negative") << true << "-5" << false << ""
                                     << "" << frmADGen::InvalidInputMessage() << "-5";
    QTest::newRow("pasted leading number") << true << QStringLiteral("2004年") << false << heisei << "16"
                                           << "" << QStringLiteral("2004年");
    QTest::newRow("pasted huge") << true << "123456789012" << false << ""
                                 << "" << tooBig << "123456789012";
}

void TestFrmADGen::sixteenBitLimits()
{
    QFETCH(bool, westernToEra);
    QFETCH(QString, input);
    QFETCH(bool, typed);
    QFETCH(QString, unit);
    QFETCH(QString, result);
    QFETCH(QString, note);
    QFETCH(QString, inputAfter);
    Program p(ProgramFolder::Data::FourEras, SettingsFile{.TextLenMax = 6}.Bytes());
    QCOMPARE(p.main->Options().TextLenMax(), 6);
    frmADGen* ad = p.Show();
    if (westernToEra)
        ClickRadio(Find<QRadioButton>(*ad, "Option11"));
    if (typed) {
        Type(ad, input);
    } else {
        QApplication::clipboard()->setText(input);
        Find<QLineEdit>(*ad, "Text1")->paste();
    }
    QCOMPARE(TextOf(*ad, "Text1"), input);
    Enter(Find<QLineEdit>(*ad, "Text1"));
    QCOMPARE(Read(ad), (Shown{inputAfter, unit, result, note}));
    QVERIFY(ad->isVisible());
}

void TestFrmADGen::noEraChecked()
{
    Program p(ProgramFolder::Data::FourEras, SettingsFile{.SelectedGengo = -1}.Bytes());
    frmADGen* ad = p.Show();
    QCOMPARE(ad->SelectedGengo(), -1);
    Calculate(ad, QStringLiteral("16"));
    QCOMPARE(TextOf(*ad, "Label4"), frmADGen::NoEraMessage());
    QVERIFY(TextOf(*ad, "Label3").isEmpty());

    // The other direction needs no era button.
    ClickRadio(Find<QRadioButton>(*ad, "Option11"));
    Calculate(ad, QStringLiteral("2004"));
    QCOMPARE(TextOf(*ad, "Label2") + TextOf(*ad, "Label3"), QStringLiteral("平成16"));
}

void TestFrmADGen::badEraData()
{
    // 大正 listed as starting after 昭和: an era of negative length.
    Program p(ProgramFolder::Data::None, {},
              QStringLiteral("\"平成\",\"へいせい\",\"\",1989\r\n\"昭和\",\"しょうわ\",\"\",1926\r\n"
                             "\"大正\",\"たいしょう\",\"\",1930\r\n\"明治\",\"めいじ\",\"\",1868\r\n"
                             "\"慶応\",\"けいおう\",\"\",1865\r\n")
                  .toUtf8());
    frmADGen* ad = p.Show();
    for (bool westernToEra : {false, true}) {
        ClickRadio(Find<QRadioButton>(*ad, "Option1", westernToEra ? 1 : 0));
        Calculate(ad, QStringLiteral("1950"));
        QCOMPARE(TextOf(*ad, "Label4"), frmADGen::BadEraDataMessage());
        QVERIFY(TextOf(*ad, "Label3").isEmpty());
    }
}

void TestFrmADGen::fullVersion()
{
    Program p;
    p.main->Options().SetAppMode(1);
    frmADGen* ad = p.Show();
    Calculate(ad, QStringLiteral("16"));
    // F1 asks for help as "?" does.
    int helpAsked = 0;
    const HelpHandler previous = HlpDlg::SetHelpHandler([&](const HelpRequest&) { ++helpAsked; });
    QTest::keyClick(Find<QLineEdit>(*ad, "Text1"), Qt::Key_F1);
    HlpDlg::SetHelpHandler(previous);
    QCOMPARE(helpAsked, 1);
    QTest::mouseClick(Find<QPushButton>(*ad, "cmdFullVersion"), Qt::LeftButton);
    QVERIFY(!ad->isVisible());
    QVERIFY(p.main->isVisible());
    QCOMPARE(p.main->Options().AppMode(), 0);
    QTRY_VERIFY(Find<QLineEdit>(*p.main, "txtInput0")->hasFocus());
    // What the simple window showed stays for its next use.
    QCOMPARE(TextOf(*ad, "Text1"), QStringLiteral("16"));
    QCOMPARE(TextOf(*ad, "Label3"), QStringLiteral("2004"));
}

void TestFrmADGen::minimise()
{
    Program p;
    p.main->Options().SetInSysTray(true);
    frmADGen* ad = p.Show();
    p.main->ADGen().SetWindowStateBeforeTray(basYomari::kStateMinimized);
    ad->showMaximized();
    QCOMPARE(p.main->ADGen().WindowStateBeforeTray(), basYomari::kStateMaximized);
    ad->showNormal();
    QCOMPARE(p.main->ADGen().WindowStateBeforeTray(), basYomari::kStateNormal);
    ad->showMinimized();
    QTRY_VERIFY(!ad->isVisible());

    // Without the notification area a minimised window stays a window.
    p.main->Options().SetInSysTray(false);
    basYomari::RestoreWindow(ad, basYomari::kStateNormal);
    QVERIFY(ad->isVisible());
    ad->showMinimized();
    QTest::qWait(20);
    QVERIFY(ad->isVisible());
    QVERIFY(ad->isMinimized());
}

void TestFrmADGen::shippedData()
{
    Program p(ProgramFolder::Data::Shipped);
    frmADGen* ad = p.Show();
    // The captions follow the era table, not the design captions.
    const QStringList eras{QStringLiteral("大正"), QStringLiteral("昭和"), QStringLiteral("平成"),
                           QStringLiteral("令和")};
    for (int j = 0; j < 4; ++j)
        QCOMPARE(Find<QRadioButton>(*ad, "Option2", j)->text(), eras[j]);

    Calculate(ad, QStringLiteral("8"));
    QCOMPARE(Read(ad), (Shown{"8", QStringLiteral("西暦"), "2026", {}}));

    ClickRadio(Find<QRadioButton>(*ad, "Option22"));
    Calculate(ad, QStringLiteral("31"));
    QCOMPARE(Read(ad),
             (Shown{"31", QStringLiteral("西暦"), "2019", QStringLiteral("元号最終年:平成31年      ")}));

    ClickRadio(Find<QRadioButton>(*ad, "Option11"));
    for (const auto& [year, era] :
         {std::pair{"2026", "令和8"}, std::pair{"2019", "令和1"}, std::pair{"1912", "大正1"}}) {
        Calculate(ad, QString::fromLatin1(year));
        QCOMPARE(TextOf(*ad, "Label2") + TextOf(*ad, "Label3"), QString::fromUtf8(era));
        Find<QLineEdit>(*ad, "Text1")->clear();
    }
    Calculate(ad, QStringLiteral("1911"));
    QCOMPARE(TextOf(*ad, "Label4"), QStringLiteral("大正以前です。"));
}

void TestFrmADGen::settingsRoundTrip_data()
{
    QTest::addColumn<int>("selected");
    QTest::newRow("明治") << 0;
    QTest::newRow("大正") << 1;
    QTest::newRow("平成") << 3;
    QTest::newRow("none") << -1;
}

void TestFrmADGen::settingsRoundTrip()
{
    QFETCH(int, selected);
    ProgramFolder folder(ProgramFolder::Data::FourEras);
    {
        frmMain main;
        main.Form_Load();
        frmADGen& ad = main.ADGen();
        QCOMPARE(ad.SelectedGengo(), 3); // no file yet
        basYomari::MoveTwips(&ad, 1500, 1200);
        ad.SetSelectedGengo(selected);
        QCOMPARE(ad.SelectedGengo(), selected);
        main.close();
        QVERIFY(!main.ADGenLoaded());
    }
    const QByteArray ini = folder.Read(QStringLiteral("Yomari.ini"));
    QVERIFY2(
        ini.endsWith(QStringLiteral("[ADGen]\r\nADGenTop =1200\r\nADGenLeft =1500\r\nSelectedGengo =%1\r\n")
                         .arg(selected)
                         .toLatin1()),
        ini.constData());

    frmMain main;
    main.Form_Load();
    frmADGen& ad = main.ADGen();
    QCOMPARE(basYomari::TopTwips(&ad), 1200);
    QCOMPARE(basYomari::LeftTwips(&ad), 1500);
    QCOMPARE(ad.SelectedGengo(), selected);
    for (int j = 0; j < 4; ++j)
        QCOMPARE(Find<QRadioButton>(ad, "Option2", j)->isChecked(), j == selected);
    // Reading the settings clears nothing that matters and moves no focus.
    QVERIFY(!ad.isVisible());

    // The buttons stay one group after "none": choosing one works as before.
    if (selected == -1) {
        Find<QRadioButton>(ad, "Option21")->setChecked(true);
        Find<QRadioButton>(ad, "Option22")->setChecked(true);
        QVERIFY(!Find<QRadioButton>(ad, "Option21")->isChecked());
        QCOMPARE(ad.SelectedGengo(), 2);
    }
}

void TestFrmADGen::settingsPositionRecentred_data()
{
    QTest::addColumn<bool>("withFile");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("left");
    const int screenW = yomari::twips::FromPixels(QGuiApplication::primaryScreen()->geometry().width());
    const int screenH = yomari::twips::FromPixels(QGuiApplication::primaryScreen()->geometry().height());
    QTest::newRow("no file") << false << 0 << 0;
    QTest::newRow("negative top") << true << -3000 << 1500;
    QTest::newRow("negative left") << true << 1500 << -15;
    QTest::newRow("beyond height") << true << screenH + 15 << 1500;
    QTest::newRow("beyond width") << true << 1500 << screenW + 15;
}

void TestFrmADGen::settingsPositionRecentred()
{
    QFETCH(bool, withFile);
    QFETCH(int, top);
    QFETCH(int, left);
    Program p(ProgramFolder::Data::FourEras,
              withFile ? SettingsFile{.ADGenTop = top, .ADGenLeft = left, .SelectedGengo = 2}.Bytes()
                       : QByteArray());
    QCOMPARE(p.ad->pos(), testsupport::CentredOnScreen(p.ad->frameGeometry().size()));
    QCOMPARE(p.ad->SelectedGengo(), withFile ? 2 : 3);
}

YOMARI_TEST_MAIN(TestFrmADGen)
#include "test_frmadgen.moc"
