#include "tests/support/TestProgram.h"
#include "tests/support/MainWindow.h"
#include "app/basYomari.h"
#include "ui/main/frmMain.h"
#include "help/HlpDlg.h"
#include "ui/simple/frmADGen.h"
#include "ui/options/frmOption.h"
#include "ui/search/frmSerch.h"

#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <functional>

#include <unistd.h>

using testsupport::TextOf;
using testsupport::Find;
using testsupport::Calculate;
using testsupport::Click;
using testsupport::ClickRadio;
using testsupport::PressAsX;
using testsupport::ProgramFolder;
using testsupport::Type;

class TestFrmMain : public QObject {
    Q_OBJECT

private:
    // A shown main window over the given data, focus in the first year box.
    std::unique_ptr<frmMain> Open()
    {
        auto w = testsupport::OpenMain();
        Find<QLineEdit>(*w, "txtInput0")->setFocus();
        return w;
    }

private slots:
    void typicalEraToWestern()
    {
        ProgramFolder folder(ProgramFolder::Data::FourEras);
        auto w = Open();
        QVERIFY(Find<QRadioButton>(*w, "optCalMode1")->isChecked()); // 元号変換 without settings
        QCOMPARE(Find<QRadioButton>(*w, "optInput2")->text(), QStringLiteral("昭和"));
        ClickRadio(Find<QRadioButton>(*w, "optInput2"));
        // The target era clicked (which keeps the mode's layout), the year
        // typed and Enter: the result, the warning, the focus back in the box.
        const struct {
            const char* target;
            const char* typed;
            const char* result;
            const char* warning;
        } steps[] = {
            {"optInput6", "50", "1975", ""}, // 西暦
            {"optInput8", "50", "50", ""},   // the same era both sides: the year unchanged
            {"optInput7", "70", "7", "Warning!!\r\n入力年は\r\n元号最終年以上です。\r\n"},   // into 平成
            {"optInput4", "1", "", "Warning!!\r\n出力年の元号は\r\n始まっていません。\r\n"}, // not begun
        };
        for (const auto& c : steps) {
            ClickRadio(Find<QRadioButton>(*w, c.target));
            QCOMPARE(w->Layout(), 2);
            Calculate(*w, QString::fromLatin1(c.typed));
            QCOMPARE(TextOf(*w, "txtOutput0"), QString::fromLatin1(c.result));
            QCOMPARE(TextOf(*w, "lblWarning"), QString::fromUtf8(c.warning));
            QVERIFY(Find<QLineEdit>(*w, "txtInput0")->hasFocus());
        }
    }

    void westernToEraWithShippedData()
    {
        ProgramFolder folder;
        auto w = Open();
        ClickRadio(Find<QRadioButton>(*w, "optCalMode0"));
        QCOMPARE(w->Layout(), 1);
        for (int i = 0; i < 12; ++i)
            QVERIFY(!Find<QRadioButton>(*w, "optInput", i)->isEnabled());
        QVERIFY(!Find<QComboBox>(*w, "cmbInput0")->isEnabled());
        QVERIFY(!Find<QPushButton>(*w, "cmdInputSerch1")->isEnabled());
        QVERIFY(Find<QLineEdit>(*w, "txtOutput0")->isVisible());
        QVERIFY(!Find<QLineEdit>(*w, "txtInput1")->isVisible());

        const struct {
            const char* year;
            const char* era;
            const char* eraYear;
        } cases[] = {{"2026", "令和", "8"}, {"2019", "令和", "1"}, {"1989", "平成", "1"},
                     {"1926", "昭和", "1"}, {"1912", "大正", "1"}, {"1868", "明治", "1"},
                     {"645", "大化", "1"},  {"1350", "観応", "1"}};
        for (const auto& c : cases) {
            Calculate(*w, QString::fromLatin1(c.year));
            QCOMPARE(TextOf(*w, "lblOutput0"), QString::fromUtf8(c.era));
            QCOMPARE(TextOf(*w, "txtOutput0"), QString::fromLatin1(c.eraYear));
            QCOMPARE(TextOf(*w, "lblWarning"), QString());
            Click(*w, "cmdCopy");
            QCOMPARE(QApplication::clipboard()->text(),
                     QString::fromUtf8(c.era) + QString::fromLatin1(c.eraYear));
            QTest::keyClick(Find<QLineEdit>(*w, "txtInput0"), Qt::Key_Escape);
        }
        Calculate(*w, "644");
        QCOMPARE(TextOf(*w, "lblOutput0"), QStringLiteral("西暦"));
        QCOMPARE(TextOf(*w, "txtOutput0"), QString());
        QCOMPARE(TextOf(*w, "lblWarning"), QStringLiteral("Warning!!\r\n大化以前です。\r\n"));
    }

    void everyYearBoxEditsAsATextBox()
    {
        ProgramFolder folder(ProgramFolder::Data::FourEras);
        auto w = Open();
        ClickRadio(Find<QRadioButton>(*w, "optCalMode2")); // the age layout shows the second box
        QClipboard* clipboard = QApplication::clipboard();
        // Pasted text at the end of what the box holds (or over all of it,
        // selected): only digits stay, full-width ones as ASCII, no leading
        // zero, four digits at most.
        const struct {
            const char* before;
            const char* pasted;
            const char* after;
            bool selected = false;
        } pastes[] = {{"", "平成31年", "31"},        {"", "0042", "42"}, {"19", "0089", "1900"},
                      {"", "１２３４５", "1234"},    {"7", "abc", "7"},  {"", "-5", "5"},
                      {"1989", "2026", "2026", true}};
        for (QLineEdit* box : {Find<QLineEdit>(*w, "txtInput0"), Find<QLineEdit>(*w, "txtInput1"),
                               Find<QLineEdit>(w->ADGen(), "Text1")}) {
            box->window()->show();
            box->window()->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(box->window()));
            box->setFocus();
            box->clear();
            Type(box, "1989");
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            QCOMPARE(box->selectedText(), QStringLiteral("1989"));
            clipboard->clear();
            QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
            QCOMPARE(clipboard->text(), QStringLiteral("1989"));
            QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
            QCOMPARE(box->text(), QString());
            QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(box->text(), QStringLiteral("1989"));

            // Ctrl+V, Shift+Insert, and a right click with Paste chosen from its menu.
            const std::function<void()> ways[] = {
                [box] { QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier); },
                [box] { QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier); },
                [box] {
                    const QPoint at = box->mapTo(box->window(), box->rect().center());
                    QTest::mouseClick(box->window()->windowHandle(), Qt::RightButton, {}, at);
                    QWidget* menu = QApplication::activePopupWidget();
                    QVERIFY(menu);
                    QTest::keyClick(menu, Qt::Key_P);
                }};
            for (const auto& p : pastes) {
                for (const auto& paste : ways) {
                    box->setText(QString::fromUtf8(p.before));
                    if (p.selected)
                        box->selectAll();
                    else
                        box->end(false);
                    clipboard->setText(QString::fromUtf8(p.pasted));
                    paste();
                    QCOMPARE(box->text(), QString::fromUtf8(p.after));
                }
            }
            // The Japanese input method commits full-width digits.
            box->clear();
            QInputMethodEvent commit;
            commit.setCommitString(QStringLiteral("２０２６"));
            QCoreApplication::sendEvent(box, &commit);
            QCOMPARE(box->text(), QStringLiteral("2026"));
        }
        // Typed full-width into 西暦->元号 and calculated.
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        ClickRadio(Find<QRadioButton>(*w, "optCalMode0"));
        Find<QLineEdit>(*w, "txtInput0")->clear();
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("１９９０"));
        QCoreApplication::sendEvent(Find<QLineEdit>(*w, "txtInput0"), &commit);
        QTest::keyClick(Find<QLineEdit>(*w, "txtInput0"), Qt::Key_Return);
        QCOMPARE(TextOf(*w, "lblOutput0") + TextOf(*w, "txtOutput0"), QStringLiteral("平成2"));
    }

    void aYearOfChangeNamesItsOtherEra()
    {
        ProgramFolder folder(ProgramFolder::Data::Shipped, 2026);
        QFile::copy(QStringLiteral(YOMARI_BIN_DIR "/Yomari.dad"), folder.Path(QStringLiteral("Yomari.dad")));
        auto w = Open();
        // Mode button, typed number, the era shown and the note under it.
        const struct {
            int mode;
            const char* typed;
            const char* shown;
            const char* other;
        } cases[] = {{0, "1989", "平成1", "昭和64年は1月7日まで"},
                     {0, "2019", "令和1", "平成31年は4月30日まで"},
                     {0, "1926", "昭和1", "大正15年は12月24日まで"},
                     {0, "1868", "明治1", "慶応4年でもあります"},
                     {0, "1990", "平成2", ""},
                     {0, "644", "西暦", ""},
                     {3, "37", "平成1", "昭和64年は1月7日まで"},
                     {3, "36", "平成2", ""}};
        for (const auto& c : cases) {
            ClickRadio(Find<QRadioButton>(*w, "optCalMode", c.mode));
            QTest::keyClick(Find<QLineEdit>(*w, "txtInput0"), Qt::Key_Escape);
            Calculate(*w, QString::fromLatin1(c.typed));
            QCOMPARE(TextOf(*w, "lblOutput0") + TextOf(*w, "txtOutput0"), QString::fromUtf8(c.shown));
            QCOMPARE(TextOf(*w, "lblOtherEra"), QString::fromUtf8(c.other));
            QCOMPARE(Find<QLabel>(*w, "lblOtherEra")->isVisible(), *c.other != '\0');
        }
        // The note goes with the result it belongs to.
        ClickRadio(Find<QRadioButton>(*w, "optCalMode0"));
        Calculate(*w, "2019");
        QTest::keyClick(Find<QLineEdit>(*w, "txtInput0"), Qt::Key_Escape);
        QCOMPARE(TextOf(*w, "lblOtherEra"), QString());
        Calculate(*w, "2019");
        ClickRadio(Find<QRadioButton>(*w, "optCalMode1"));
        QCOMPARE(TextOf(*w, "lblOtherEra"), QString());
    }

    void ageAndReferenceYear()
    {
        ProgramFolder folder(ProgramFolder::Data::FourEras, 2026);
        auto w = Open();
        ClickRadio(Find<QRadioButton>(*w, "optCalMode2"));
        QCOMPARE(w->Layout(), 4);
        QCOMPARE(TextOf(*w, "lblInput0"), QStringLiteral("生年"));
        QCOMPARE(TextOf(*w, "lblOutput4"), QStringLiteral("歳"));
        QVERIFY(Find<QLineEdit>(*w, "txtInput1")->isVisible());
        QVERIFY(!Find<QLineEdit>(*w, "txtOutput0")->isVisible());
        ClickRadio(Find<QRadioButton>(*w, "optInput2")); // 昭和
        ClickRadio(Find<QRadioButton>(*w, "optInput7")); // 平成

        // Enter in the first box moves on without calculating.
        Type(Find<QLineEdit>(*w, "txtInput0"), "50");
        QTest::keyClick(Find<QLineEdit>(*w, "txtInput0"), Qt::Key_Return);
        QVERIFY(Find<QLineEdit>(*w, "txtInput1")->hasFocus());
        QCOMPARE(TextOf(*w, "txtOutput1"), QString());
        Type(Find<QLineEdit>(*w, "txtInput1"), "1");
        QTest::keyClick(Find<QLineEdit>(*w, "txtInput1"), Qt::Key_Return);
        QCOMPARE(TextOf(*w, "txtOutput1"), QStringLiteral("14"));
        Click(*w, "cmdCopy");
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("14"));

        // 平成 with no reference year: the focus goes there, nothing else.
        QTest::keyClick(Find<QLineEdit>(*w, "txtInput1"), Qt::Key_Escape);
        QCOMPARE(TextOf(*w, "txtInput1"), QString());
        QCOMPARE(TextOf(*w, "txtInput0"),
                 QStringLiteral("50")); // Esc empties its own box only
        Click(*w, "cmdCal");
        QVERIFY(Find<QLineEdit>(*w, "txtInput1")->hasFocus());
        QCOMPARE(TextOf(*w, "txtOutput1"), QString());

        // 西暦 with no reference year counts to this year.
        ClickRadio(Find<QRadioButton>(*w, "optInput6"));
        Type(Find<QLineEdit>(*w, "txtInput0"), "50");
        Click(*w, "cmdCal");
        QCOMPARE(TextOf(*w, "txtOutput1"), QStringLiteral("51"));

        // Reference before birth: empty age and the warning.
        ClickRadio(Find<QRadioButton>(*w, "optInput7"));
        ClickRadio(Find<QRadioButton>(*w, "optInput1"));
        Type(Find<QLineEdit>(*w, "txtInput0"), "10");
        Type(Find<QLineEdit>(*w, "txtInput1"), "5");
        Click(*w, "cmdCal");
        QCOMPARE(TextOf(*w, "txtOutput1"), QString());
        QCOMPARE(TextOf(*w, "lblWarning"), QStringLiteral("Warning!!\r\n年齢計算年が\r\n生年以前です。\r\n"));
    }

    void birthYearAndCopyChoice()
    {
        ProgramFolder folder(ProgramFolder::Data::FourEras, 2026);
        auto w = Open();
        ClickRadio(Find<QRadioButton>(*w, "optCalMode3"));
        QCOMPARE(w->Layout(), 5);
        QCOMPARE(TextOf(*w, "lblInput0"), QStringLiteral("今年"));
        QCOMPARE(TextOf(*w, "lblOutput2"), QStringLiteral("(西暦"));
        QCOMPARE(TextOf(*w, "lblOutput4"), QStringLiteral(")生まれ"));
        Calculate(*w, "51");
        QCOMPARE(TextOf(*w, "lblOutput0"), QStringLiteral("昭和"));
        QCOMPARE(TextOf(*w, "txtOutput0"), QStringLiteral("50"));
        QCOMPARE(TextOf(*w, "txtOutput1"), QStringLiteral("1975"));
        Click(*w, "cmdCopy");
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("昭和50"));
        w->Options().SetBirthYearWhichCopy(1);
        Click(*w, "cmdCopy");
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("1975"));

        // Age 0 arrives only by pasting: this year.
        Find<QLineEdit>(*w, "txtInput0")->setText(QStringLiteral("0"));
        Click(*w, "cmdCal");
        QCOMPARE(TextOf(*w, "txtOutput1"), QStringLiteral("2026"));
    }

    void keysInTheYearBoxes()
    {
        ProgramFolder folder(ProgramFolder::Data::FourEras);
        auto w = Open();
        QLineEdit* box = Find<QLineEdit>(*w, "txtInput0");
        Type(box, "0a-1.x23456");
        QCOMPARE(box->text(), QStringLiteral("1234")); // no leading 0, digits only, 4 at most
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), QStringLiteral("123"));
        testsupport::TypeJapanese(box, QStringLiteral("へい"));
        QCOMPARE(box->text(), QStringLiteral("123"));

        // Typing clears results; Delete clears them too, Escape the box as well.
        Click(*w, "cmdCal");
        QCOMPARE(TextOf(*w, "txtOutput0"), QStringLiteral("123"));
        QTest::keyClick(box, Qt::Key_End);
        QTest::keyClick(box, Qt::Key_Delete);
        QCOMPARE(TextOf(*w, "txtOutput0"), QString());
        Click(*w, "cmdCal");
        Type(box, "4");
        QCOMPARE(TextOf(*w, "txtOutput0"), QString());
        QCOMPARE(box->text(), QStringLiteral("1234"));
        // So do Ctrl+X and Ctrl+Z; Ctrl+C leaves the result.
        for (const auto& [key, clears] :
             {std::pair{Qt::Key_C, false}, std::pair{Qt::Key_X, true}, std::pair{Qt::Key_Z, true}}) {
            box->setText(QStringLiteral("1234"));
            box->selectAll();
            Click(*w, "cmdCal");
            QTest::keyClick(box, key, Qt::ControlModifier);
            QCOMPARE(TextOf(*w, "txtOutput0").isEmpty(), clears);
        }
        QTest::keyClick(box, Qt::Key_Escape);
        QCOMPARE(box->text(), QString());

        // Enter on an empty box does nothing visible.
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(TextOf(*w, "txtOutput0"), QString());
        QCOMPARE(TextOf(*w, "lblWarning"), QString());

        // Results cannot be edited by typing.
        Find<QLineEdit>(*w, "txtInput0")->setText(QStringLiteral("10"));
        Click(*w, "cmdCal");
        Type(Find<QLineEdit>(*w, "txtOutput0"), "9");
        QCOMPARE(TextOf(*w, "txtOutput0"), QStringLiteral("10"));

        // Tab leaves the box instead of being typed into it.
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Tab);
        QVERIFY(!box->hasFocus());
        QCOMPARE(box->text(), QStringLiteral("10"));

        // Enter on a mode button moves to the input.
        Find<QRadioButton>(*w, "optCalMode2")->setFocus();
        QTest::keyClick(Find<QRadioButton>(*w, "optCalMode2"), Qt::Key_Return);
        QVERIFY(box->hasFocus());

        // The access key of "入力(&I)" reaches the first box.
        Find<QPushButton>(*w, "cmdExit")->setFocus();
        QTest::keyClick(w.get(), Qt::Key_I, Qt::AltModifier);
        QVERIFY(box->hasFocus());
    }

    void deleteKeyDeletesAfterTheCaretAndClearsResults()
    {
        ProgramFolder folder(ProgramFolder::Data::FourEras);
        auto w = Open();
        ClickRadio(Find<QRadioButton>(*w, "optInput1")); // 平成
        ClickRadio(Find<QRadioButton>(*w, "optInput6")); // 西暦
        QLineEdit* box = Find<QLineEdit>(*w, "txtInput0");
        Calculate(*w, "1234");
        QCOMPARE(TextOf(*w, "txtOutput0"), QStringLiteral("3222"));
        QTest::keyClick(box, Qt::Key_Home);
        PressAsX(box, Qt::Key_Delete);
        QCOMPARE(box->text(), QStringLiteral("234"));
        QCOMPARE(box->cursorPosition(), 0);
        QCOMPARE(TextOf(*w, "txtOutput0"), QString());
        // A full box still lets Delete through, and digits after it.
        Type(box, "9");
        QCOMPARE(box->text(), QStringLiteral("9234"));
        PressAsX(box, Qt::Key_Delete);
        QCOMPARE(box->text(), QStringLiteral("934"));

        // The second year box of 年齢計算 alike.
        ClickRadio(Find<QRadioButton>(*w, "optCalMode2"));
        ClickRadio(Find<QRadioButton>(*w, "optInput7"));
        QLineEdit* second = Find<QLineEdit>(*w, "txtInput1");
        Type(Find<QLineEdit>(*w, "txtInput0"), "1");
        second->setFocus();
        Type(second, "25");
        QTest::keyClick(second, Qt::Key_Return);
        QCOMPARE(TextOf(*w, "txtOutput1"), QStringLiteral("24"));
        QTest::keyClick(second, Qt::Key_Left);
        QTest::keyClick(second, Qt::Key_Left);
        PressAsX(second, Qt::Key_Delete);
        QCOMPARE(second->text(), QStringLiteral("5"));
        QCOMPARE(TextOf(*w, "txtOutput1"), QString());
    }

    void enterPressesTheFocusedButton()
    {
        ProgramFolder folder(ProgramFolder::Data::Shipped);
        auto w = Open();
        ClickRadio(Find<QRadioButton>(*w, "optInput2")); // 平成
        ClickRadio(Find<QRadioButton>(*w, "optInput6")); // 西暦
        QLineEdit* box = Find<QLineEdit>(*w, "txtInput0");
        box->setFocus();
        Type(box, "10");
        // From the year box: the mode buttons, 早見表, 日付変換, then 計算.
        QTest::keyClick(box, Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Find<QPushButton>(*w, "cmdTable"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Find<QPushButton>(*w, "cmdCal"));
        QTest::keyClick(Find<QPushButton>(*w, "cmdCal"), Qt::Key_Return);
        QCOMPARE(TextOf(*w, "txtOutput0"), QStringLiteral("1998"));

        QApplication::clipboard()->clear();
        Find<QPushButton>(*w, "cmdCopy")->setFocus();
        QTest::keyClick(Find<QPushButton>(*w, "cmdCopy"), Qt::Key_Enter); // the keypad's Enter
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("1998"));

        Find<QPushButton>(*w, "cmdClear")->setFocus();
        QTest::keyClick(Find<QPushButton>(*w, "cmdClear"), Qt::Key_Return);
        QCOMPARE(box->text(), QString());
        QCOMPARE(TextOf(*w, "txtOutput0"), QString());

        ClickRadio(Find<QRadioButton>(*w, "optInput5"));
        Find<QPushButton>(*w, "cmdInputSerch0")->setFocus();
        QTest::keyClick(Find<QPushButton>(*w, "cmdInputSerch0"), Qt::Key_Return);
        QVERIFY(w->SerchLoaded());
        Click(*w->Serch(), "cmdCancel");

        Find<QPushButton>(*w, "cmdExit")->setFocus();
        QTest::keyClick(Find<QPushButton>(*w, "cmdExit"), Qt::Key_Return);
        QVERIFY(!w->isVisible());
        QVERIFY(QFile::exists(folder.Path("Yomari.ini")));
    }

    void tabLandsOnTheCheckedModeAndEra()
    {
        ProgramFolder folder(ProgramFolder::Data::FourEras);
        auto w = Open();
        Find<QRadioButton>(*w, "optCalMode2")->setChecked(true); // 年齢計算, chosen without the keyboard
        Find<QRadioButton>(*w, "optInput3")->setChecked(true);   // 大正
        Find<QLineEdit>(*w, "txtInput1")->setFocus();
        QTest::keyClick(Find<QLineEdit>(*w, "txtInput1"), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Find<QRadioButton>(*w, "optCalMode2"));
        QTest::keyClick(Find<QRadioButton>(*w, "optCalMode2"), Qt::Key_Space);
        QVERIFY(Find<QRadioButton>(*w, "optCalMode2")->isChecked());
        QTest::keyClick(Find<QRadioButton>(*w, "optCalMode2"), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Find<QPushButton>(*w, "cmdTable"));
        QTest::keyClick(Find<QPushButton>(*w, "cmdTable"), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), testsupport::Find<QPushButton>(*w, "cmdDates"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Find<QPushButton>(*w, "cmdCal"));
        Find<QPushButton>(*w, "cmdClear")->setFocus();
        QTest::keyClick(Find<QPushButton>(*w, "cmdClear"), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Find<QRadioButton>(*w, "optInput3"));
    }

    void tabWalksTheButtonColumnTopDown()
    {
        ProgramFolder folder(ProgramFolder::Data::FourEras);
        auto w = Open();
        // One round of Tab from the year box, pressed as a person presses it.
        QList<QWidget*> visited;
        for (QWidget* at = Find<QLineEdit>(*w, "txtInput0"); !visited.contains(at);
             at = QApplication::focusWidget()) {
            visited << at;
            QTest::keyClick(at, Qt::Key_Tab);
        }
        // The buttons of the right column, in the order Tab reaches them,
        // stand one below the other (a row of two: left first).
        QList<QPushButton*> column;
        for (QWidget* v : visited)
            if (auto* b = qobject_cast<QPushButton*>(v); b && b->parentWidget() == w.get())
                column << b;
        QVERIFY(column.contains(Find<QPushButton>(*w, "cmdTable")) &&
                column.contains(Find<QPushButton>(*w, "cmdCal")));
        QVERIFY(column.contains(testsupport::Find<QPushButton>(*w, "cmdDates")));
        for (qsizetype i = 1; i < column.size(); ++i) {
            const QRect before = column[i - 1]->geometry(), here = column[i]->geometry();
            QVERIFY2(before.top() < here.top() || (before.top() == here.top() && before.left() < here.left()),
                     qPrintable(column[i - 1]->text() + QStringLiteral(" / ") + column[i]->text()));
        }
    }

    void eachCalculationShowsItsOwnWarnings()
    {
        ProgramFolder folder(ProgramFolder::Data::Shipped);
        auto w = Open();
        ClickRadio(Find<QRadioButton>(*w, "optInput1")); // 令和
        ClickRadio(Find<QRadioButton>(*w, "optInput6")); // 西暦
        const QString overLength = QStringLiteral("計算結果が表示可能最大値を超えました。");
        Type(Find<QLineEdit>(*w, "txtInput0"), "9999");
        for (int i = 0; i < 3; ++i)
            QTest::mouseClick(Find<QPushButton>(*w, "cmdCal"), Qt::LeftButton);
        QCOMPARE(TextOf(*w, "lblWarning"), overLength);
        for (int i = 0; i < 2; ++i)
            QTest::keyClick(Find<QLineEdit>(*w, "txtInput0"), Qt::Key_Return);
        QCOMPARE(TextOf(*w, "lblWarning"), overLength);
    }

    void modeAndEraChangesClear()
    {
        ProgramFolder folder(ProgramFolder::Data::FourEras);
        auto w = Open();
        Calculate(*w, "50");
        QVERIFY(!TextOf(*w, "txtOutput0").isEmpty());
        ClickRadio(Find<QRadioButton>(*w, "optInput3"));
        QCOMPARE(TextOf(*w, "txtInput0"), QString());
        QCOMPARE(TextOf(*w, "txtOutput0"), QString());
        Calculate(*w, "5");
        ClickRadio(Find<QRadioButton>(*w, "optCalMode2"));
        QCOMPARE(TextOf(*w, "txtInput0"), QString());
        QCOMPARE(TextOf(*w, "txtOutput0"), QString());
        Type(Find<QLineEdit>(*w, "txtInput0"), "5");
        Click(*w, "cmdClear");
        QCOMPARE(TextOf(*w, "txtInput0"), QString());
        QVERIFY(Find<QLineEdit>(*w, "txtInput0")->hasFocus());
    }

    void preMeijiListAndLastYear()
    {
        ProgramFolder folder;
        auto w = Open();
        // Captions come from the era table: 令和 first, the list starts with 明治.
        QCOMPARE(Find<QRadioButton>(*w, "optInput1")->text(), QStringLiteral("令和"));
        QCOMPARE(Find<QRadioButton>(*w, "optInput4")->text(), QStringLiteral("大正"));
        QCOMPARE(Find<QRadioButton>(*w, "optInput5")->text(), QStringLiteral("大正以前"));
        QCOMPARE(Find<QComboBox>(*w, "cmbInput0")->itemText(0), QStringLiteral("明治"));
        QCOMPARE(Find<QComboBox>(*w, "cmbInput1")->count(), testsupport::FolderEngine()->NumberOfGengo() - 4);

        ClickRadio(Find<QRadioButton>(*w, "optInput1")); // the current era: no last year
        QVERIFY(Find<QLabel>(*w, "lblLastYear0")->isHidden());
        QCOMPARE(TextOf(*w, "lblGenlast0"), QString());
        ClickRadio(Find<QRadioButton>(*w, "optInput2")); // 平成 ended in its 31st year
        QVERIFY(!Find<QLabel>(*w, "lblLastYear0")->isHidden());
        QCOMPARE(TextOf(*w, "lblGenlast0"), QStringLiteral("31年"));
        QVERIFY(!Find<QComboBox>(*w, "cmbInput0")->isEnabled());

        ClickRadio(Find<QRadioButton>(*w, "optInput5"));
        QVERIFY(Find<QComboBox>(*w, "cmbInput0")->isEnabled());
        QVERIFY(Find<QPushButton>(*w, "cmdInputSerch0")->isEnabled());
        QCOMPARE(TextOf(*w, "lblGenlast0"), QStringLiteral("45年")); // 明治
        QCOMPARE(Find<QComboBox>(*w, "cmbInput0")->toolTip(), QStringLiteral("めいじ"));
        QCOMPARE(w->SelectedGengoNumber(0), 5);
        Find<QComboBox>(*w, "cmbInput0")
            ->setCurrentIndex(Find<QComboBox>(*w, "cmbInput0")->findText(QStringLiteral("元和")));
        QCOMPARE(Find<QComboBox>(*w, "cmbInput0")->toolTip(), QStringLiteral("げんな, げんわ"));
        QCOMPARE(TextOf(*w, "lblGenlast0"), QStringLiteral("10年"));

        // 元和 5 is 1619.
        ClickRadio(Find<QRadioButton>(*w, "optInput6"));
        Calculate(*w, "5");
        QCOMPARE(TextOf(*w, "txtOutput0"), QStringLiteral("1619"));

        ClickRadio(Find<QRadioButton>(*w, "optInput0"));
        QVERIFY(!Find<QComboBox>(*w, "cmbInput0")->isEnabled());
        QVERIFY(!Find<QPushButton>(*w, "cmdInputSerch0")->isEnabled());
        QVERIFY(Find<QLabel>(*w, "lblLastYear0")->isHidden());

        // Modes without era input disable the groups and hide last years.
        ClickRadio(Find<QRadioButton>(*w, "optInput3"));
        ClickRadio(Find<QRadioButton>(*w, "optCalMode3"));
        QVERIFY(!Find<QGroupBox>(*w, "frameInput0")->isEnabled());
        QVERIFY(Find<QLabel>(*w, "lblLastYear0")->isHidden());
        QCOMPARE(TextOf(*w, "lblGenlast0"), QString());
    }

    void overLengthResult()
    {
        ProgramFolder folder(ProgramFolder::Data::FourEras);
        auto w = Open();
        ClickRadio(Find<QRadioButton>(*w, "optInput1"));
        ClickRadio(Find<QRadioButton>(*w, "optInput6"));
        Calculate(*w, "9999");
        QCOMPARE(TextOf(*w, "txtOutput0"), QString());
        QCOMPARE(TextOf(*w, "lblWarning"), QStringLiteral("計算結果が表示可能最大値を超えました。"));

        // Mode 生年計算: only the era-year box is checked first; the Western
        // year box keeps its text when the first one was emptied.
        w->Options().SetTextLenMax(4);
        ClickRadio(Find<QRadioButton>(*w, "optCalMode3"));
        Find<QLineEdit>(*w, "txtInput0")->setText(QStringLiteral("3000"));
        Click(*w, "cmdCal");
        QVERIFY(TextOf(*w, "lblWarning").startsWith(QStringLiteral("Warning!!\r\n")));
        QVERIFY(!Find<QLabel>(*w, "lblWarning")
                     ->text()
                     .endsWith(QStringLiteral("計算結果が表示可能最大値を超えました。")));
    }

    void engineErrorsAreShownAndTheWindowGoesOn()
    {
        ProgramFolder folder(ProgramFolder::Data::FourEras);
        auto w = Open();
        // Pasted years the engine refuses: one message each, saying why.
        const struct {
            const char* mode;
            const char* pasted;
            QStringList says;
        } refused[] = {
            {"optCalMode0", "-5", {QStringLiteral("1003"), QStringLiteral("入力年が0または負の数値です")}},
            {"optCalMode0",
             "99999999999",
             {QStringLiteral("オーバーフロー"), QStringLiteral("年が大きすぎて")}},
            {"optCalMode1", "2147483647", {QStringLiteral("年が大きすぎて")}}, // 昭和 to 西暦
        };
        for (const auto& c : refused) {
            ClickRadio(Find<QRadioButton>(*w, c.mode));
            ClickRadio(Find<QRadioButton>(*w, "optInput2"));
            Find<QLineEdit>(*w, "txtInput0")->setText(QString::fromLatin1(c.pasted));
            const QStringList shown = testsupport::AnswerMessageBoxes([&] { Click(*w, "cmdCal"); });
            QCOMPARE(shown.size(), 1);
            for (const QString& part : c.says)
                QVERIFY2(shown[0].contains(part), qPrintable(shown[0]));
            // The focus once the window is active again.
            QCOMPARE(w->focusWidget(), Find<QLineEdit>(*w, "txtInput0"));
        }

        // Still usable.
        Find<QLineEdit>(*w, "txtInput0")->setText(QStringLiteral("1"));
        Click(*w, "cmdCal");
        QCOMPARE(TextOf(*w, "txtOutput0"), QStringLiteral("1926"));

        // Non-numeric input only moves the focus.
        Find<QLineEdit>(*w, "txtInput0")->setText(QStringLiteral("abc"));
        Find<QPushButton>(*w, "cmdExit")->setFocus();
        QVERIFY(testsupport::AnswerMessageBoxes([&] { Click(*w, "cmdCal"); }).isEmpty());
        QCOMPARE(w->focusWidget(), Find<QLineEdit>(*w, "txtInput0")); // focus once the window is active again
        QCOMPARE(TextOf(*w, "txtOutput0"), QStringLiteral("1926"));
    }

    void versionCaptionAndCourtLabel()
    {
        ProgramFolder folder;
        auto w = Open();
        QVERIFY(w->windowTitle().startsWith(QStringLiteral("ヨマリ Yomari ver.")));
        QCOMPARE(w->windowTitle(), QStringLiteral("ヨマリ Yomari ver.%1.%2%3")
                                       .arg(YOMARI_VERSION_MAJOR)
                                       .arg(YOMARI_VERSION_MINOR)
                                       .arg(YOMARI_VERSION_PATCH));
        QCOMPARE(TextOf(*w, "lblNanBoku"), QStringLiteral("北朝"));
    }

    // The help button, or F1 in a year box.
    void helpButtonOpensTheContentsOfTheFileBesideTheProgram()
    {
        ProgramFolder folder;
        auto w = Open();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QList<HelpRequest> requests;
        const HelpHandler previous = HlpDlg::SetHelpHandler([&](const HelpRequest& r) { requests << r; });
        QTest::mouseClick(Find<QPushButton>(*w, "cmdHelp"), Qt::LeftButton);
        QTest::keyClick(Find<QLineEdit>(*w, "txtInput0"), Qt::Key_F1);
        HlpDlg::SetHelpHandler(previous);
        QCOMPARE(requests.size(), 2);
        for (const HelpRequest& r : requests) {
            QCOMPARE(r.owner.data(), static_cast<QWidget*>(w.get()));
            QCOMPARE(r.file, folder.Path("Yomari.hlp"));
            QCOMPARE(r.command, 3);
            QCOMPARE(r.context, 0);
        }
    }

    void settingsRoundTripByteExact()
    {
        ProgramFolder folder;
        {
            auto w = Open();
            ClickRadio(Find<QRadioButton>(*w, "optCalMode2"));
            ClickRadio(Find<QRadioButton>(*w, "optInput5"));
            Find<QComboBox>(*w, "cmbInput0")->setCurrentIndex(3);
            ClickRadio(Find<QRadioButton>(*w, "optInput11"));
            Find<QComboBox>(*w, "cmbInput1")->setCurrentIndex(7);
            w->Options().SetInSysTray(true);
            w->Options().SetTextLenMax(6);
            w->Options().SetBirthYearWhichCopy(1);
            w->move(150, 120);
            w->PrintIni();
        }
        const QByteArray written = folder.Read("Yomari.ini");
        const QByteArray expected =
            "[Window]\r\nTop =1800\r\nLeft =2250\r\n\r\r\n"
            "[CalcSetting]\r\nCalcMode =2\r\nInputIndex =5\r\nOutputIndex =11\r\n"
            "InputBeforeMeijiIndex =3\r\nOutputBeforeMeijiIndex =7\r\n\r\r\n"
            "[Options]\r\nNanBokuMode =0\r\nAppMode =0\r\nInSysTray =True\r\nTextLenMax =6\r\n"
            "BirthYearWhichCopy =1\r\n\r\r\n"
            "[ADGen]\r\nADGenTop =";
        QVERIFY2(written.startsWith(expected), written.constData());
        QVERIFY(written.endsWith("\r\n"));
        QCOMPARE(written.count("\r\n"), 22);

        auto w = Open();
        QCOMPARE(w->pos(), QPoint(150, 120));
        QVERIFY(Find<QRadioButton>(*w, "optCalMode2")->isChecked());
        QVERIFY(Find<QRadioButton>(*w, "optInput5")->isChecked());
        QVERIFY(Find<QRadioButton>(*w, "optInput11")->isChecked());
        QCOMPARE(Find<QComboBox>(*w, "cmbInput0")->currentIndex(), 3);
        QCOMPARE(Find<QComboBox>(*w, "cmbInput1")->currentIndex(), 7);
        QCOMPARE(w->Options().InSysTray(), true);
        QCOMPARE(w->Options().TextLenMax(), 6);
        QCOMPARE(w->Options().BirthYearWhichCopy(), 1);
        w->PrintIni();
        QCOMPARE(folder.Read("Yomari.ini"), written);
    }

    void settingsAreReadByPosition()
    {
        ProgramFolder folder;
        // Renamed keys, no sections, blank lines, a value without "=",
        // fractional and lower-case values.
        folder.Write("Yomari.ini", "1440\r\n\r\nX = 1500.5\r\n[Any]\r\nA=3\r\nB=0\r\nC=6\r\nD=2\r\nE=-1\r\n"
                                   "F=1\r\nG=0\r\nH=false\r\nI=2\r\nJ=0\r\n");
        auto w = Open();
        QCOMPARE(basYomari::TopTwips(w.get()), 1440);
        QCOMPARE(basYomari::LeftTwips(w.get()), 1500);
        QVERIFY(Find<QRadioButton>(*w, "optCalMode3")->isChecked());
        QCOMPARE(Find<QComboBox>(*w, "cmbInput0")->currentIndex(), 2);
        QCOMPARE(w->Options().NanBokuMode(), 1);
        QCOMPARE(TextOf(*w, "lblNanBoku"), QStringLiteral("南朝"));
        QCOMPARE(w->Options().InSysTray(), false);
        QCOMPARE(w->Options().TextLenMax(), 4); // 2 reads as 4
        QCOMPARE(w->Options().BirthYearWhichCopy(), 0);
        // The engine reads the Southern line too: 1350 is 正平 there.
        ClickRadio(Find<QRadioButton>(*w, "optCalMode0"));
        Calculate(*w, "1350");
        QCOMPARE(TextOf(*w, "lblOutput0"), QStringLiteral("正平"));

        // Booleans: 0 false, -1 true; a huge digit count is held to 10.
        folder.Write("Yomari.ini", "0\r\n0\r\n1\r\n0\r\n6\r\n0\r\n0\r\n0\r\n0\r\n-1\r\n50\r\n0\r\n");
        w = Open();
        QCOMPARE(w->Options().InSysTray(), true);
        QCOMPARE(w->Options().TextLenMax(), 10);
    }

    void offScreenPositionsAreCentred()
    {
        ProgramFolder folder;
        folder.Write("Yomari.ini", "Top =-3000\r\nLeft =200\r\n");
        auto w = Open();
        QVERIFY(w->pos().y() >= 0);
        const QPoint centred = w->pos();
        folder.Write("Yomari.ini", "Top =200\r\nLeft =99999999\r\n");
        w = Open();
        QCOMPARE(w->pos(), centred);
    }

    void malformedSettingsGiveOneMessageAndDefaults()
    {
        const struct {
            QByteArray content;
            const char* says;
        } bad[] = {
            {"Top =abc\r\n", "1 行目"},                             // not a number
            {"0\r\n0\r\n9\r\n", "3 行目"},                          // no such mode
            {"0\r\n0\r\n1\r\n7\r\n", "4 行目"},                     // era button of the other group
            {"0\r\n0\r\n1\r\n0\r\n6\r\n0\r\n0\r\n2\r\n", "8 行目"}, // no such court line
            {"0\r\n0\r\n1\r\n0\r\n6\r\n0\r\n9999\r\n", "7 行目"},   // no such list entry
            {"0\r\n0\r\n1\r\n0\r\n6\r\n0\r\n0\r\n0\r\n0\r\nyes\r\n", "10 行目"},
            {QByteArray("\x82", 1), "文字コード"}, // neither UTF-8 nor CP932
        };
        for (const auto& [content, says] : bad) {
            ProgramFolder folder;
            folder.Write("Yomari.ini", content);
            std::unique_ptr<frmMain> w;
            const QStringList shown = testsupport::AnswerMessageBoxes([&] { w = Open(); });
            QCOMPARE(shown.size(), 1);
            QVERIFY2(shown[0].contains(folder.Path("Yomari.ini")), qPrintable(shown[0]));
            QVERIFY2(shown[0].contains(QString::fromUtf8(says)), qPrintable(shown[0]));
            // The defaults of a first start.
            QVERIFY(Find<QRadioButton>(*w, "optCalMode1")->isChecked());
            QVERIFY(Find<QRadioButton>(*w, "optInput0")->isChecked());
            QVERIFY(Find<QRadioButton>(*w, "optInput6")->isChecked());
            QCOMPARE(w->Options().NanBokuMode(), 0);
            QCOMPARE(w->Options().TextLenMax(), 4);
            QVERIFY(w->isVisible());
        }
    }

    void failedWriteLeavesTheOldFileAndIsReported()
    {
        ProgramFolder folder;
        auto w = Open();
        const QByteArray old = "Top =15\r\n";
        folder.Write("Yomari.ini", old);
        QFile::setPermissions(folder.Path(""), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        if (QFileInfo(folder.Path("probe")).isWritable() || ::geteuid() == 0) {
            QFile::setPermissions(folder.Path(""),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            // Root writes anywhere: make the target a folder instead.
            QFile::remove(folder.Path("Yomari.ini"));
            QDir(folder.Path("")).mkdir("Yomari.ini");
        }
        const QString error = testsupport::RaisedError([&] { w->PrintIni(); });
        QVERIFY2(error.contains(QStringLiteral("Yomari.ini")), qPrintable(error));
        QFile::setPermissions(folder.Path(""),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    void missingEraFileStopsTheStart()
    {
        ProgramFolder folder(ProgramFolder::Data::None);
        frmMain w;
        const QString error = testsupport::RaisedError([&] { w.Form_Load(); });
        QVERIFY2(error.contains(QStringLiteral("Yomari.dan")), qPrintable(error));
    }

    // Every control of every window carries a name of its own, by which a
    // test (or a screen reader) finds it: a control added without one, or
    // under a name taken, shows here.
    void everyControlIsNamed()
    {
        testsupport::MainProgram p;
        frmMain& w = p.w;
        const auto engine = testsupport::FolderEngine();
        frmOption options(w.Options(), engine.get(), &w);
        frmSerch serch(&w, *engine, w.Options(), w.ModernEraCount());
        for (const QWidget* window : {static_cast<QWidget*>(&w), static_cast<QWidget*>(&w.ADGen()),
                                      static_cast<QWidget*>(&options), static_cast<QWidget*>(&serch)}) {
            QStringList names;
            for (QWidget* control : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (control->isWindow())
                    continue; // another window, such as the dialogs above
                QList<QWidget*> inside{control};
                if (qobject_cast<QGroupBox*>(control))
                    inside += control->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
                for (QWidget* c : inside) {
                    const QString name = c->objectName();
                    QVERIFY2(!name.isEmpty(), qPrintable(window->objectName() + QStringLiteral(": a ") +
                                                         QLatin1String(c->metaObject()->className()) +
                                                         QStringLiteral(" without a name")));
                    QVERIFY2(!names.contains(name),
                             qPrintable(window->objectName() + QStringLiteral(": ") + name));
                    names << name;
                }
            }
            QVERIFY2(names.size() >= 10, qPrintable(window->objectName()));
        }
    }
};

YOMARI_TEST_MAIN(TestFrmMain)
#include "tst_frmMain.moc"
