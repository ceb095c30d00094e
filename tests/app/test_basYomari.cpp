#include "app/AppEnvironment.h"
#include "app/basYomari.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QWidget>

#include <gtest/gtest.h>

TEST(BasYomari, SelectedIndexFindsTheCheckedButton)
{
    QWidget parent;
    QList<QRadioButton*> group;
    for (int i = 0; i < 4; ++i)
        group << new QRadioButton(&parent);
    EXPECT_EQ(basYomari::SelectedIndex(group), -1);
    group[2]->setChecked(true);
    EXPECT_EQ(basYomari::SelectedIndex(group), 2);
}

TEST(BasYomari, IniValueTakesWhatFollowsTheFirstEquals)
{
    EXPECT_EQ(basYomari::IniValue("Top = 1440"), "1440");
    EXPECT_EQ(basYomari::IniValue("Key ="), "");
    EXPECT_EQ(basYomari::IniValue("a = b = c "), "b = c");
    EXPECT_EQ(basYomari::IniValue("[Window]"), "[Window]");
    EXPECT_EQ(basYomari::IniValue("  1440  "), "1440");
}

TEST(BasYomari, FormatYearHidesZeroAndNegative)
{
    EXPECT_EQ(basYomari::FormatYear(1989), "1989");
    EXPECT_EQ(basYomari::FormatYear(0), "");
    EXPECT_EQ(basYomari::FormatYear(-1), "");
    EXPECT_EQ(basYomari::FormatYear(2147483647), "2147483647");
}

TEST(BasYomari, TextToNumberRules)
{
    EXPECT_EQ(basYomari::TextToLong(""), 0);
    EXPECT_EQ(basYomari::TextToLong("abc"), 0);
    EXPECT_EQ(basYomari::TextToLong("0"), 0);
    EXPECT_EQ(basYomari::TextToLong("42"), 42);
    EXPECT_EQ(basYomari::TextToLong(" 2.5 "), 2);
    EXPECT_EQ(basYomari::TextToLong("3.5"), 4);
    EXPECT_THROW(basYomari::TextToLong("99999999999"), yomari::YomariError);

    EXPECT_EQ(basYomari::LeadingLong("12abc"), 12);
    EXPECT_EQ(basYomari::LeadingLong("-5"), -5);
    EXPECT_EQ(basYomari::LeadingLong(""), 0);
    try {
        basYomari::LeadingLong("3000000000");
        ADD_FAILURE() << "no overflow";
    } catch (const yomari::YomariError& e) {
        EXPECT_EQ(e.Number(), yomari::ErrorNumber::Overflow);
    }
    EXPECT_EQ(basYomari::LeadingInteger("32767"), 32767);
    EXPECT_THROW(basYomari::LeadingInteger("32768"), yomari::YomariError);

    EXPECT_TRUE(basYomari::ReadsAsNumber(" 12 "));
    EXPECT_FALSE(basYomari::ReadsAsNumber(""));
    EXPECT_FALSE(basYomari::ReadsAsNumber("12年"));
}

TEST(BasYomari, FilterDigitKeyLimitsLengthAndLeadingZero)
{
    QLineEdit box;
    const auto filter = [&box](int key) {
        basYomari::FilterDigitKey(&box, key, 4);
        return key;
    };
    EXPECT_EQ(filter('0'), 0); // no leading zero
    EXPECT_EQ(filter('5'), '5');
    EXPECT_EQ(filter('a'), 0);
    EXPECT_EQ(filter(0x3042), 0); // あ
    EXPECT_EQ(filter(basYomari::kKeyBack), basYomari::kKeyBack);
    box.setText("12");
    EXPECT_EQ(filter('0'), '0');
    box.setText("1234");
    EXPECT_EQ(filter('5'), 0);
    EXPECT_EQ(filter('0'), 0);
    EXPECT_EQ(filter(basYomari::kKeyBack), basYomari::kKeyBack);
    box.selectAll(); // the whole text counts, not the selection
    EXPECT_EQ(filter('5'), 0);
}

TEST(BasYomari, KeyAsciiOfKeyPresses)
{
    const auto code = [](int key, const QString& text, Qt::KeyboardModifiers mods = {}) {
        QKeyEvent e(QEvent::KeyPress, key, mods, text);
        return basYomari::KeyAscii(&e);
    };
    EXPECT_EQ(code(Qt::Key_Return, "\r"), 13);
    EXPECT_EQ(code(Qt::Key_Enter, "\r"), 13);
    EXPECT_EQ(code(Qt::Key_Escape, "\x1b"), 27);
    EXPECT_EQ(code(Qt::Key_Backspace, "\b"), 8);
    EXPECT_EQ(code(Qt::Key_7, "7"), '7');
    EXPECT_EQ(code(Qt::Key_V, "\x16", Qt::ControlModifier), 22);
    EXPECT_EQ(code(Qt::Key_Left, ""), 0);
    EXPECT_EQ(code(Qt::Key_Delete, ""), 0);
    EXPECT_EQ(code(Qt::Key_Tab, "\t"), 0);
    EXPECT_EQ(code(Qt::Key_Backtab, ""), 0);
}

TEST(BasYomari, KeepOnScreenMovesOnlyWindowsOffTheScreen)
{
    QWidget w;
    w.resize(200, 100);
    w.move(100, 100);
    basYomari::KeepOnScreen(&w, 1);
    EXPECT_EQ(w.pos(), QPoint(100, 100));
    w.move(-10, 100);
    basYomari::KeepOnScreen(&w, 0);
    EXPECT_EQ(w.pos(), QPoint(0, 0));
    w.move(-10, 100);
    basYomari::KeepOnScreen(&w, 1);
    EXPECT_GE(w.pos().x(), 0);
    EXPECT_GE(w.pos().y(), 0);
    const int screenWidthPx = basYomari::ScreenWidthTwips() / 15;
    w.move(screenWidthPx + 5, 10);
    basYomari::KeepOnScreen(&w, 7); // any other choice leaves it
    EXPECT_EQ(w.pos(), QPoint(screenWidthPx + 5, 10));
}

TEST(BasYomari, FilesBesideTheProgramFollowTheFolderRule)
{
    yomari::app::SetLocationForTesting(yomari::app::ProgramLocation{"/opt/y", "Yomari"});
    EXPECT_EQ(basYomari::FileBesideProgram(".ini"), "/opt/y/Yomari.ini");
    yomari::app::SetLocationForTesting(yomari::app::ProgramLocation{"", "Yomari"});
    EXPECT_EQ(basYomari::FileBesideProgram(".hlp"), "/Yomari.hlp");
    EXPECT_EQ(yomari::app::MakeEngineEnvironment().folder, "/");
    yomari::app::SetLocationForTesting(std::nullopt);
    // The running test binary is its own program.
    EXPECT_EQ(basYomari::AppBaseName(), "app_tests");
}

int main(int argc, char** argv)
{
    // Listing the tests at build time happens without a display too.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
