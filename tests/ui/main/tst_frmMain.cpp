#include "tests/support/TestProgram.h"
#include "app/basYomari.h"
#include "ui/main/frmMain.h"
#include "help/HlpDlg.h"
#include "ui/simple/frmADGen.h"

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

using testsupport::Find;
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
        auto w = std::make_unique<frmMain>();
        w->Form_Load();
        w->show();
        w->activateWindow();
        if (!QTest::qWaitForWindowActive(w.get()))
            qWarning("window not active");
        w->txtInput[0]->setFocus();
        return w;
    }

    void Calculate(frmMain& w, const QString& year)
    {
        w.txtInput[0]->setFocus();
        Type(w.txtInput[0], year);
        QTest::keyClick(w.txtInput[0], Qt::Key_Return);
    }

private slots:
    void typicalEraToWestern()
    {
        ProgramFolder folder(ProgramFolder::Data::FourEras);
        auto w = Open();
        QVERIFY(w->optCalMode[1]->isChecked()); // 元号変換 without settings
        QCOMPARE(w->optInput[2]->text(), QStringLiteral("昭和"));
        ClickRadio(w->optInput[2]);
        ClickRadio(w->optInput[6]);
        QCOMPARE(w->Layout(), 2);
        Calculate(*w, "50");
        QCOMPARE(w->txtOutput[0]->text(), QStringLiteral("1975"));
        QCOMPARE(w->lblWarning->text(), QString());
        QVERIFY(w->txtInput[0]->hasFocus());

        // Same era both sides gives the year unchanged; into 平成 warns.
        ClickRadio(w->optInput[8]);
        QCOMPARE(w->Layout(), 2); // an era change keeps the mode's layout
        Calculate(*w, "50");
        QCOMPARE(w->txtOutput[0]->text(), QStringLiteral("50"));
        ClickRadio(w->optInput[7]);
        Calculate(*w, "70");
        QCOMPARE(w->txtOutput[0]->text(), QStringLiteral("7"));
        QCOMPARE(w->lblWarning->text(), QStringLiteral("Warning!!\r\n入力年は\r\n元号最終年以上です。\r\n"));
        // The target era had not begun: an empty box and the warning.
        ClickRadio(w->optInput[4]);
        Calculate(*w, "1");
        QCOMPARE(w->txtOutput[0]->text(), QString());
        QVERIFY(w->lblWarning->text().contains(QStringLiteral("始まっていません。")));
    }

    void westernToEraWithShippedData()
    {
        ProgramFolder folder;
        auto w = Open();
        ClickRadio(w->optCalMode[0]);
        QCOMPARE(w->Layout(), 1);
        for (QRadioButton* b : w->optInput)
            QVERIFY(!b->isEnabled());
        QVERIFY(!w->cmbInput[0]->isEnabled());
        QVERIFY(!w->cmdInputSerch[1]->isEnabled());
        QVERIFY(w->txtOutput[0]->isVisible());
        QVERIFY(!w->txtInput[1]->isVisible());

        const struct {
            const char* year;
            const char* era;
            const char* eraYear;
        } cases[] = {{"2026", "令和", "8"}, {"2019", "令和", "1"}, {"1989", "平成", "1"},
                     {"1926", "昭和", "1"}, {"1912", "大正", "1"}, {"1868", "明治", "1"},
                     {"645", "大化", "1"},  {"1350", "観応", "1"}};
        for (const auto& c : cases) {
            Calculate(*w, QString::fromLatin1(c.year));
            QCOMPARE(w->lblOutput[0]->text(), QString::fromUtf8(c.era));
            QCOMPARE(w->txtOutput[0]->text(), QString::fromLatin1(c.eraYear));
            QCOMPARE(w->lblWarning->text(), QString());
            w->cmdCopy_Click();
            QCOMPARE(QApplication::clipboard()->text(),
                     QString::fromUtf8(c.era) + QString::fromLatin1(c.eraYear));
            QTest::keyClick(w->txtInput[0], Qt::Key_Escape);
        }
        Calculate(*w, "644");
        QCOMPARE(w->lblOutput[0]->text(), QStringLiteral("西暦"));
        QCOMPARE(w->txtOutput[0]->text(), QString());
        QCOMPARE(w->lblWarning->text(), QStringLiteral("Warning!!\r\n大化以前です。\r\n"));
    }

    void everyYearBoxEditsAsATextBox()
    {
        ProgramFolder folder(ProgramFolder::Data::FourEras);
        auto w = Open();
        ClickRadio(w->optCalMode[2]); // the age layout shows the second box
        QClipboard* clipboard = QApplication::clipboard();
        // Pasted text at the end of what the box holds: only digits stay,
        // full-width ones as ASCII, no leading zero, four digits at most.
        const struct {
            const char* before;
            const char* pasted;
            const char* after;
        } pastes[] = {{"", "平成31年", "31"},     {"", "0042", "42"}, {"19", "0089", "1900"},
                      {"", "１２３４５", "1234"}, {"7", "abc", "7"},  {"", "-5", "5"}};
        for (QLineEdit* box : {w->txtInput[0], w->txtInput[1], Find<QLineEdit>(w->ADGen(), "Text1")}) {
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
                    QTimer::singleShot(100, [] {
                        if (QWidget* menu = QApplication::activePopupWidget())
                            QTest::keyClick(menu, Qt::Key_P);
                    });
                    const QPoint at = box->mapTo(box->window(), box->rect().center());
                    QTest::mouseClick(box->window()->windowHandle(), Qt::RightButton, {}, at);
                }};
            for (const auto& p : pastes) {
                for (const auto& paste : ways) {
                    box->setText(QString::fromUtf8(p.before));
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
        ClickRadio(w->optCalMode[0]);
        w->txtInput[0]->clear();
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("１９９０"));
        QCoreApplication::sendEvent(w->txtInput[0], &commit);
        QTest::keyClick(w->txtInput[0], Qt::Key_Return);
        QCOMPARE(w->lblOutput[0]->text() + w->txtOutput[0]->text(), QStringLiteral("平成2"));
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
            ClickRadio(w->optCalMode[c.mode]);
            QTest::keyClick(w->txtInput[0], Qt::Key_Escape);
            Calculate(*w, QString::fromLatin1(c.typed));
            QCOMPARE(w->lblOutput[0]->text() + w->txtOutput[0]->text(), QString::fromUtf8(c.shown));
            QCOMPARE(w->lblOtherEra->text(), QString::fromUtf8(c.other));
            QCOMPARE(w->lblOtherEra->isVisible(), *c.other != '\0');
        }
        // The note goes with the result it belongs to.
        ClickRadio(w->optCalMode[0]);
        Calculate(*w, "2019");
        QTest::keyClick(w->txtInput[0], Qt::Key_Escape);
        QCOMPARE(w->lblOtherEra->text(), QString());
        Calculate(*w, "2019");
        ClickRadio(w->optCalMode[1]);
        QCOMPARE(w->lblOtherEra->text(), QString());
    }

    void ageAndReferenceYear()
    {
        ProgramFolder folder(ProgramFolder::Data::FourEras, 2026);
        auto w = Open();
        ClickRadio(w->optCalMode[2]);
        QCOMPARE(w->Layout(), 4);
        QCOMPARE(w->lblInput[0]->text(), QStringLiteral("生年"));
        QCOMPARE(w->lblOutput[4]->text(), QStringLiteral("歳"));
        QVERIFY(w->txtInput[1]->isVisible());
        QVERIFY(!w->txtOutput[0]->isVisible());
        ClickRadio(w->optInput[2]); // 昭和
        ClickRadio(w->optInput[7]); // 平成

        // Enter in the first box moves on without calculating.
        Type(w->txtInput[0], "50");
        QTest::keyClick(w->txtInput[0], Qt::Key_Return);
        QVERIFY(w->txtInput[1]->hasFocus());
        QCOMPARE(w->txtOutput[1]->text(), QString());
        Type(w->txtInput[1], "1");
        QTest::keyClick(w->txtInput[1], Qt::Key_Return);
        QCOMPARE(w->txtOutput[1]->text(), QStringLiteral("14"));
        w->cmdCopy_Click();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("14"));

        // 平成 with no reference year: the focus goes there, nothing else.
        QTest::keyClick(w->txtInput[1], Qt::Key_Escape);
        QCOMPARE(w->txtInput[1]->text(), QString());
        QCOMPARE(w->txtInput[0]->text(), QStringLiteral("50")); // Esc empties its own box only
        w->cmdCal_Click();
        QVERIFY(w->txtInput[1]->hasFocus());
        QCOMPARE(w->txtOutput[1]->text(), QString());

        // 西暦 with no reference year counts to this year.
        ClickRadio(w->optInput[6]);
        Type(w->txtInput[0], "50");
        w->cmdCal_Click();
        QCOMPARE(w->txtOutput[1]->text(), QStringLiteral("51"));

        // Reference before birth: empty age and the warning.
        ClickRadio(w->optInput[7]);
        ClickRadio(w->optInput[1]);
        Type(w->txtInput[0], "10");
        Type(w->txtInput[1], "5");
        w->cmdCal_Click();
        QCOMPARE(w->txtOutput[1]->text(), QString());
        QCOMPARE(w->lblWarning->text(), QStringLiteral("Warning!!\r\n年齢計算年が\r\n生年以前です。\r\n"));
    }

    void birthYearAndCopyChoice()
    {
        ProgramFolder folder(ProgramFolder::Data::FourEras, 2026);
        auto w = Open();
        ClickRadio(w->optCalMode[3]);
        QCOMPARE(w->Layout(), 5);
        QCOMPARE(w->lblInput[0]->text(), QStringLiteral("今年"));
        QCOMPARE(w->lblOutput[2]->text(), QStringLiteral("(西暦"));
        QCOMPARE(w->lblOutput[4]->text(), QStringLiteral(")生まれ"));
        Calculate(*w, "51");
        QCOMPARE(w->lblOutput[0]->text(), QStringLiteral("昭和"));
        QCOMPARE(w->txtOutput[0]->text(), QStringLiteral("50"));
        QCOMPARE(w->txtOutput[1]->text(), QStringLiteral("1975"));
        w->cmdCopy_Click();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("昭和50"));
        w->Options().SetBirthYearWhichCopy(1);
        w->cmdCopy_Click();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("1975"));

        // Age 0 arrives only by pasting: this year.
        w->txtInput[0]->setText(QStringLiteral("0"));
        w->cmdCal_Click();
        QCOMPARE(w->txtOutput[1]->text(), QStringLiteral("2026"));
    }

    void keysInTheYearBoxes()
    {
        ProgramFolder folder(ProgramFolder::Data::FourEras);
        auto w = Open();
        QLineEdit* box = w->txtInput[0];
        Type(box, "0a-1.x23456");
        QCOMPARE(box->text(), QStringLiteral("1234")); // no leading 0, digits only, 4 at most
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), QStringLiteral("123"));
        testsupport::TypeJapanese(box, QStringLiteral("へい"));
        QCOMPARE(box->text(), QStringLiteral("123"));

        // Typing clears results; Delete clears them too, Escape the box as well.
        w->cmdCal_Click();
        QCOMPARE(w->txtOutput[0]->text(), QStringLiteral("123"));
        QTest::keyClick(box, Qt::Key_End);
        QTest::keyClick(box, Qt::Key_Delete);
        QCOMPARE(w->txtOutput[0]->text(), QString());
        w->cmdCal_Click();
        Type(box, "4");
        QCOMPARE(w->txtOutput[0]->text(), QString());
        QCOMPARE(box->text(), QStringLiteral("1234"));
        QTest::keyClick(box, Qt::Key_Escape);
        QCOMPARE(box->text(), QString());

        // Enter on an empty box does nothing visible.
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(w->txtOutput[0]->text(), QString());
        QCOMPARE(w->lblWarning->text(), QString());

        // Results cannot be edited by typing.
        w->txtInput[0]->setText(QStringLiteral("10"));
        w->cmdCal_Click();
        Type(w->txtOutput[0], "9");
        QCOMPARE(w->txtOutput[0]->text(), QStringLiteral("10"));

        // Tab leaves the box instead of being typed into it.
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Tab);
        QVERIFY(!box->hasFocus());
        QCOMPARE(box->text(), QStringLiteral("10"));

        // Enter on a mode button moves to the input.
        w->optCalMode[2]->setFocus();
        QTest::keyClick(w->optCalMode[2], Qt::Key_Return);
        QVERIFY(box->hasFocus());

        // The access key of "入力(&I)" reaches the first box.
        w->cmdExit->setFocus();
        QTest::keyClick(w.get(), Qt::Key_I, Qt::AltModifier);
        QVERIFY(box->hasFocus());
    }

    void deleteKeyDeletesAfterTheCaretAndClearsResults()
    {
        ProgramFolder folder(ProgramFolder::Data::FourEras);
        auto w = Open();
        ClickRadio(w->optInput[1]); // 平成
        ClickRadio(w->optInput[6]); // 西暦
        QLineEdit* box = w->txtInput[0];
        Calculate(*w, "1234");
        QCOMPARE(w->txtOutput[0]->text(), QStringLiteral("3222"));
        QTest::keyClick(box, Qt::Key_Home);
        PressAsX(box, Qt::Key_Delete);
        QCOMPARE(box->text(), QStringLiteral("234"));
        QCOMPARE(box->cursorPosition(), 0);
        QCOMPARE(w->txtOutput[0]->text(), QString());
        // A full box still lets Delete through, and digits after it.
        Type(box, "9");
        QCOMPARE(box->text(), QStringLiteral("9234"));
        PressAsX(box, Qt::Key_Delete);
        QCOMPARE(box->text(), QStringLiteral("934"));

        // The second year box of 年齢計算 alike.
        ClickRadio(w->optCalMode[2]);
        ClickRadio(w->optInput[7]);
        QLineEdit* second = w->txtInput[1];
        Type(w->txtInput[0], "1");
        second->setFocus();
        Type(second, "25");
        QTest::keyClick(second, Qt::Key_Return);
        QCOMPARE(w->txtOutput[1]->text(), QStringLiteral("24"));
        QTest::keyClick(second, Qt::Key_Left);
        QTest::keyClick(second, Qt::Key_Left);
        PressAsX(second, Qt::Key_Delete);
        QCOMPARE(second->text(), QStringLiteral("5"));
        QCOMPARE(w->txtOutput[1]->text(), QString());
    }

    void enterPressesTheFocusedButton()
    {
        ProgramFolder folder(ProgramFolder::Data::Shipped);
        auto w = Open();
        ClickRadio(w->optInput[2]); // 平成
        ClickRadio(w->optInput[6]); // 西暦
        QLineEdit* box = w->txtInput[0];
        box->setFocus();
        Type(box, "10");
        // From the year box: the mode buttons, 早見表, 日付変換, then 計算.
        QTest::keyClick(box, Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w->cmdTable);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w->cmdCal);
        QTest::keyClick(w->cmdCal, Qt::Key_Return);
        QCOMPARE(w->txtOutput[0]->text(), QStringLiteral("1998"));

        QApplication::clipboard()->clear();
        w->cmdCopy->setFocus();
        QTest::keyClick(w->cmdCopy, Qt::Key_Enter); // the keypad's Enter
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("1998"));

        w->cmdClear->setFocus();
        QTest::keyClick(w->cmdClear, Qt::Key_Return);
        QCOMPARE(box->text(), QString());
        QCOMPARE(w->txtOutput[0]->text(), QString());

        ClickRadio(w->optInput[5]);
        w->cmdInputSerch[0]->setFocus();
        QTest::keyClick(w->cmdInputSerch[0], Qt::Key_Return);
        QVERIFY(w->SerchLoaded());
        w->UnloadSerch();

        w->cmdExit->setFocus();
        QTest::keyClick(w->cmdExit, Qt::Key_Return);
        QVERIFY(!w->isVisible());
        QVERIFY(QFile::exists(folder.Path("Yomari.ini")));
    }

    void tabLandsOnTheCheckedModeAndEra()
    {
        ProgramFolder folder(ProgramFolder::Data::FourEras);
        auto w = Open();
        w->optCalMode[2]->setChecked(true); // 年齢計算, chosen without the keyboard
        w->optInput[3]->setChecked(true);   // 大正
        w->txtInput[1]->setFocus();
        QTest::keyClick(w->txtInput[1], Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w->optCalMode[2]);
        QTest::keyClick(w->optCalMode[2], Qt::Key_Space);
        QVERIFY(w->optCalMode[2]->isChecked());
        QTest::keyClick(w->optCalMode[2], Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w->cmdTable);
        QTest::keyClick(w->cmdTable, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), testsupport::Find<QPushButton>(*w, "cmdDates"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w->cmdCal);
        w->cmdClear->setFocus();
        QTest::keyClick(w->cmdClear, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w->optInput[3]);
    }

    void tabWalksTheButtonColumnTopDown()
    {
        ProgramFolder folder(ProgramFolder::Data::FourEras);
        auto w = Open();
        // One round of Tab from the year box, pressed as a person presses it.
        QList<QWidget*> visited;
        for (QWidget* at = w->txtInput[0]; !visited.contains(at); at = QApplication::focusWidget()) {
            visited << at;
            QTest::keyClick(at, Qt::Key_Tab);
        }
        // The buttons of the right column, in the order Tab reaches them,
        // stand one below the other (a row of two: left first).
        QList<QPushButton*> column;
        for (QWidget* v : visited)
            if (auto* b = qobject_cast<QPushButton*>(v); b && b->parentWidget() == w.get())
                column << b;
        QVERIFY(column.contains(w->cmdTable) && column.contains(w->cmdCal));
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
        ClickRadio(w->optInput[1]); // 令和
        ClickRadio(w->optInput[6]); // 西暦
        const QString overLength = QStringLiteral("計算結果が表示可能最大値を超えました。");
        Type(w->txtInput[0], "9999");
        for (int i = 0; i < 3; ++i)
            QTest::mouseClick(w->cmdCal, Qt::LeftButton);
        QCOMPARE(w->lblWarning->text(), overLength);
        for (int i = 0; i < 2; ++i)
            QTest::keyClick(w->txtInput[0], Qt::Key_Return);
        QCOMPARE(w->lblWarning->text(), overLength);
    }

    void modeAndEraChangesClear()
    {
        ProgramFolder folder(ProgramFolder::Data::FourEras);
        auto w = Open();
        Calculate(*w, "50");
        QVERIFY(!w->txtOutput[0]->text().isEmpty());
        ClickRadio(w->optInput[3]);
        QCOMPARE(w->txtInput[0]->text(), QString());
        QCOMPARE(w->txtOutput[0]->text(), QString());
        Calculate(*w, "5");
        ClickRadio(w->optCalMode[2]);
        QCOMPARE(w->txtInput[0]->text(), QString());
        QCOMPARE(w->txtOutput[0]->text(), QString());
        Type(w->txtInput[0], "5");
        w->cmdClear_Click();
        QCOMPARE(w->txtInput[0]->text(), QString());
        QVERIFY(w->txtInput[0]->hasFocus());
    }

    void preMeijiListAndLastYear()
    {
        ProgramFolder folder;
        auto w = Open();
        // Captions come from the era table: 令和 first, the list starts with 明治.
        QCOMPARE(w->optInput[1]->text(), QStringLiteral("令和"));
        QCOMPARE(w->optInput[4]->text(), QStringLiteral("大正"));
        QCOMPARE(w->optInput[5]->text(), QStringLiteral("大正以前"));
        QCOMPARE(w->cmbInput[0]->itemText(0), QStringLiteral("明治"));
        QCOMPARE(w->cmbInput[1]->count(), w->m_CYomari->NumberOfGengo() - 4);

        ClickRadio(w->optInput[1]); // the current era: no last year
        QVERIFY(w->lblLastYear[0]->isHidden());
        QCOMPARE(w->lblGenlast[0]->text(), QString());
        ClickRadio(w->optInput[2]); // 平成 ended in its 31st year
        QVERIFY(!w->lblLastYear[0]->isHidden());
        QCOMPARE(w->lblGenlast[0]->text(), QStringLiteral("31年"));
        QVERIFY(!w->cmbInput[0]->isEnabled());

        ClickRadio(w->optInput[5]);
        QVERIFY(w->cmbInput[0]->isEnabled());
        QVERIFY(w->cmdInputSerch[0]->isEnabled());
        QCOMPARE(w->lblGenlast[0]->text(), QStringLiteral("45年")); // 明治
        QCOMPARE(w->cmbInput[0]->toolTip(), QStringLiteral("めいじ"));
        QCOMPARE(w->SelectedGengoNumber(0), 5);
        w->cmbInput[0]->setCurrentIndex(w->cmbInput[0]->findText(QStringLiteral("元和")));
        QCOMPARE(w->cmbInput[0]->toolTip(), QStringLiteral("げんな, げんわ"));
        QCOMPARE(w->lblGenlast[0]->text(), QStringLiteral("10年"));

        // 元和 5 is 1619.
        ClickRadio(w->optInput[6]);
        Calculate(*w, "5");
        QCOMPARE(w->txtOutput[0]->text(), QStringLiteral("1619"));

        ClickRadio(w->optInput[0]);
        QVERIFY(!w->cmbInput[0]->isEnabled());
        QVERIFY(!w->cmdInputSerch[0]->isEnabled());
        QVERIFY(w->lblLastYear[0]->isHidden());

        // Modes without era input disable the groups and hide last years.
        ClickRadio(w->optInput[3]);
        ClickRadio(w->optCalMode[3]);
        QVERIFY(!w->frameInput[0]->isEnabled());
        QVERIFY(w->lblLastYear[0]->isHidden());
        QCOMPARE(w->lblGenlast[0]->text(), QString());
    }

    void overLengthResult()
    {
        ProgramFolder folder(ProgramFolder::Data::FourEras);
        auto w = Open();
        ClickRadio(w->optInput[1]);
        ClickRadio(w->optInput[6]);
        Calculate(*w, "9999");
        QCOMPARE(w->txtOutput[0]->text(), QString());
        QCOMPARE(w->lblWarning->text(), QStringLiteral("計算結果が表示可能最大値を超えました。"));

        // Mode 生年計算: only the era-year box is checked first; the Western
        // year box keeps its text when the first one was emptied.
        w->Options().SetTextLenMax(4);
        ClickRadio(w->optCalMode[3]);
        w->txtInput[0]->setText(QStringLiteral("3000"));
        w->cmdCal_Click();
        QVERIFY(w->lblWarning->text().startsWith(QStringLiteral("Warning!!\r\n")));
        QVERIFY(!w->lblWarning->text().endsWith(QStringLiteral("計算結果が表示可能最大値を超えました。")));
    }

    void engineErrorsAreShownAndTheWindowGoesOn()
    {
        ProgramFolder folder(ProgramFolder::Data::FourEras);
        auto w = Open();
        ClickRadio(w->optCalMode[0]);
        w->txtInput[0]->setText(QStringLiteral("-5")); // pasted
        QStringList shown = testsupport::AnswerMessageBoxes([&] { w->cmdCal_Click(); });
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].contains(QStringLiteral("1003")));
        QVERIFY(shown[0].contains(QStringLiteral("入力年が0または負の数値です")));
        QCOMPARE(w->focusWidget(), w->txtInput[0]); // focus once the window is active again

        w->txtInput[0]->setText(QStringLiteral("99999999999"));
        shown = testsupport::AnswerMessageBoxes([&] { w->cmdCal_Click(); });
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].contains(QStringLiteral("オーバーフロー")));

        ClickRadio(w->optCalMode[1]);
        ClickRadio(w->optInput[2]);
        w->txtInput[0]->setText(QStringLiteral("2147483647"));
        shown = testsupport::AnswerMessageBoxes([&] { w->cmdCal_Click(); });
        QCOMPARE(shown.size(), 1);

        // Still usable.
        w->txtInput[0]->setText(QStringLiteral("1"));
        w->cmdCal_Click();
        QCOMPARE(w->txtOutput[0]->text(), QStringLiteral("1926"));

        // Non-numeric input only moves the focus.
        w->txtInput[0]->setText(QStringLiteral("abc"));
        w->cmdExit->setFocus();
        shown = testsupport::AnswerMessageBoxes([&] { w->cmdCal_Click(); });
        QVERIFY(shown.isEmpty());
        QCOMPARE(w->focusWidget(), w->txtInput[0]); // focus once the window is active again
        QCOMPARE(w->txtOutput[0]->text(), QStringLiteral("1926"));
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
        QCOMPARE(w->lblNanBoku->text(), QStringLiteral("北朝"));
    }

    void helpButtonOpensTheContentsOfTheFileBesideTheProgram()
    {
        ProgramFolder folder;
        auto w = Open();
        QList<HelpRequest> requests;
        const HelpHandler previous = HlpDlg::SetHelpHandler([&](const HelpRequest& r) { requests << r; });
        QTest::mouseClick(w->cmdHelp, Qt::LeftButton);
        HlpDlg::SetHelpHandler(previous);
        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests[0].owner.data(), static_cast<QWidget*>(w.get()));
        QCOMPARE(requests[0].file, folder.Path("Yomari.hlp"));
        QCOMPARE(requests[0].command, 3);
        QCOMPARE(requests[0].context, 0);
    }

    void settingsRoundTripByteExact()
    {
        ProgramFolder folder;
        {
            auto w = Open();
            ClickRadio(w->optCalMode[2]);
            ClickRadio(w->optInput[5]);
            w->cmbInput[0]->setCurrentIndex(3);
            ClickRadio(w->optInput[11]);
            w->cmbInput[1]->setCurrentIndex(7);
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
        QVERIFY(w->optCalMode[2]->isChecked());
        QVERIFY(w->optInput[5]->isChecked());
        QVERIFY(w->optInput[11]->isChecked());
        QCOMPARE(w->cmbInput[0]->currentIndex(), 3);
        QCOMPARE(w->cmbInput[1]->currentIndex(), 7);
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
        QVERIFY(w->optCalMode[3]->isChecked());
        QCOMPARE(w->cmbInput[0]->currentIndex(), 2);
        QCOMPARE(w->Options().NanBokuMode(), 1);
        QCOMPARE(w->lblNanBoku->text(), QStringLiteral("南朝"));
        QCOMPARE(w->m_CYomari->NanBokuMode(), 1);
        QCOMPARE(w->Options().InSysTray(), false);
        QCOMPARE(w->Options().TextLenMax(), 4); // 2 reads as 4
        QCOMPARE(w->Options().BirthYearWhichCopy(), 0);

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
            QVERIFY(w->optCalMode[1]->isChecked());
            QVERIFY(w->optInput[0]->isChecked());
            QVERIFY(w->optInput[6]->isChecked());
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
};

YOMARI_TEST_MAIN(TestFrmMain)
#include "tst_frmMain.moc"
