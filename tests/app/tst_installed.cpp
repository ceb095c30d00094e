// The program laid out as an installation lays it out: the executable in
// usr/bin, its data in usr/share/yomari, the user's own data and settings in
// the XDG folders of a home of its own.
#include "app/SettingsLocation.h"
#include "tests/support/TestProgram.h"
#include "tests/support/MainWindow.h"
#include "tests/support/Files.h"
#include "tests/support/ShippedEnv.h"
#include "ui/simple/frmADGen.h"
#include "ui/main/frmMain.h"
#include "ui/search/frmSerch.h"

#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

using testsupport::Cp932;
using testsupport::OpenMain;
using testsupport::TextOf;
using testsupport::Find;
using testsupport::Calculate;
using testsupport::ClickRadio;

namespace {

class InstalledLayout {
public:
    InstalledLayout()
    {
        QDir().mkpath(Bin());
        QDir().mkpath(Share());
        testsupport::CopyShippedInto(Share());
        qputenv("XDG_DATA_HOME", Path("data").toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", Path("config").toLocal8Bit());
    }

    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QString Bin() const { return Path("usr/bin"); }
    QString Share() const { return Path("usr/share/yomari"); }
    QString UserData() const { return Path("data/yomari"); }

    std::string Installed(const char* name) const
    {
        return testsupport::Slurp((Share() + QLatin1Char('/') + QLatin1String(name)).toStdString());
    }
    void WriteUserFile(const char* name, const std::string& bytes) const
    {
        QDir().mkpath(UserData());
        QFile f(UserData() + QLatin1Char('/') + QLatin1String(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::fromStdString(bytes));
    }

private:
    QTemporaryDir m_dir;
    testsupport::ProgramSeams m_seams{Bin(), 2026};
};

} // namespace

class TestInstalled : public QObject {
    Q_OBJECT

private:
private slots:
    // A new era after 令和 in the user's era file: the windows' captions and
    // the conversions follow it; the other court line keeps the installed file.
    void userEraFileTakesPrecedence()
    {
        InstalledLayout layout;
        layout.WriteUserFile("Yomari.dan",
                             Cp932("\"未来\",\"みらい\",\"\",2031\r\n") + layout.Installed("Yomari.dan"));
        QStringList messages;
        auto w = OpenMain(&messages);
        QCOMPARE(messages, QStringList());
        QCOMPARE(Find<QRadioButton>(*w, "optInput1")->text(), QStringLiteral("未来"));
        QCOMPARE(Find<QRadioButton>(*w, "optInput2")->text(), QStringLiteral("令和"));
        QCOMPARE(Find<QRadioButton>(*w, "optInput10")->text(), QStringLiteral("昭和"));
        QCOMPARE(Find<QRadioButton>(*w, "optInput5")->text(), QStringLiteral("昭和以前"));
        QCOMPARE(Find<QComboBox>(*w, "cmbInput0")->itemText(0), QStringLiteral("大正"));
        QCOMPARE(Find<QRadioButton>(w->ADGen(), "Option20")->text(), QStringLiteral("昭和"));
        QCOMPARE(Find<QRadioButton>(w->ADGen(), "Option23")->text(), QStringLiteral("未来"));

        ClickRadio(Find<QRadioButton>(*w, "optCalMode0")); // 西暦->元号
        Calculate(*w, "2031");
        QCOMPARE(TextOf(*w, "lblOutput0"), QStringLiteral("未来"));
        QCOMPARE(TextOf(*w, "txtOutput0"), QStringLiteral("1"));
        Calculate(*w, "2030");
        QCOMPARE(TextOf(*w, "lblOutput0"), QStringLiteral("令和"));
        QCOMPARE(TextOf(*w, "txtOutput0"), QStringLiteral("12"));

        ClickRadio(Find<QRadioButton>(*w, "optCalMode1")); // 元号変換: 未来3 is 2033
        ClickRadio(Find<QRadioButton>(*w, "optInput1"));
        ClickRadio(Find<QRadioButton>(*w, "optInput6"));
        Calculate(*w, "3");
        QCOMPARE(TextOf(*w, "txtOutput0"), QStringLiteral("2033"));

        // Each file on its own: no user file for the Southern line.
        QCOMPARE(testsupport::ChooseCourtLine(*w, 1), QStringList());
        QCOMPARE(testsupport::EraOfYear(*w, 2031), QStringLiteral("令和"));
        w->close();
    }

    // A broken user era file is refused by name, the installed one is used,
    // and that is said once, however often the table is loaded again.
    void brokenUserEraFileFallsBackOnce()
    {
        InstalledLayout layout;
        layout.WriteUserFile("Yomari.dan",
                             Cp932("\"未来\",\"みらい\",\"\",二〇三一\r\n") + layout.Installed("Yomari.dan"));
        QStringList messages;
        auto w = OpenMain(&messages);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains(layout.UserData() + QStringLiteral("/Yomari.dan")),
                 qPrintable(messages[0]));
        QVERIFY2(messages[0].contains(layout.Share() + QStringLiteral("/Yomari.dan")),
                 qPrintable(messages[0]));
        QVERIFY(messages[0].contains(QStringLiteral("二〇三一")));
        QCOMPARE(Find<QRadioButton>(*w, "optInput1")->text(), QStringLiteral("令和"));

        const QStringList again = testsupport::ChooseCourtLine(*w, 1) + testsupport::ChooseCourtLine(*w, 0);
        QCOMPARE(again, QStringList());
        QCOMPARE(testsupport::EraOfYear(*w, 2031), QStringLiteral("令和"));
        w->close();
    }

    // The period file follows the same rules: the user's one first, a broken
    // one named and the installed one used.
    void userPeriodFile()
    {
        InstalledLayout layout;
        layout.WriteUserFile("Yomari.daj", Cp932("\"古代\",\"大化\",\"延暦\"\r\n"));
        auto w = OpenMain();
        const auto openSearch = [&] {
            Find<QRadioButton>(*w, "optInput5")->setChecked(true);
            QStringList shown = testsupport::AnswerMessageBoxes(
                [&] { QTest::mouseClick(Find<QPushButton>(*w, "cmdInputSerch0"), Qt::LeftButton); });
            return shown;
        };
        QCOMPARE(openSearch(), QStringList());
        QCOMPARE(Find<QComboBox>(*w->Serch(), "cmbJidai")->itemText(0), QStringLiteral("古代"));
        w->Serch()->close();
        w->close();

        layout.WriteUserFile("Yomari.daj", Cp932("\"古代\",\"大化\""));
        w = OpenMain();
        const QStringList messages = openSearch();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains(layout.UserData() + QStringLiteral("/Yomari.daj")),
                 qPrintable(messages[0]));
        QCOMPARE(Find<QComboBox>(*w->Serch(), "cmbJidai")->itemText(0), QStringLiteral("飛鳥時代"));
        w->Serch()->close();
        w->close();
    }

    // An installed copy keeps its settings in the configuration folder and
    // reads them from there; nothing is written beside the executable.
    void settingsLiveInTheConfigurationFolder()
    {
        InstalledLayout layout;
        const QString ini = layout.Path("config/yomari/Yomari.ini");
        QCOMPARE(yomari::app::FindSettings().file, ini);
        QCOMPARE(yomari::app::FindSettings().readFrom, ini);
        {
            auto w = OpenMain();
            ClickRadio(Find<QRadioButton>(*w, "optCalMode3"));
            w->close();
        }
        QVERIFY(QFile::exists(ini));
        QVERIFY(!QFile::exists(layout.Bin() + QStringLiteral("/Yomari.ini")));
        auto w = OpenMain();
        QVERIFY(Find<QRadioButton>(*w, "optCalMode3")->isChecked());
        w->close();
    }

    // A copy carried around with its data keeps them beside itself.
    void portableCopyKeepsSettingsBesideIt()
    {
        testsupport::ProgramFolder folder;
        qputenv("XDG_CONFIG_HOME", folder.Path("config").toLocal8Bit());
        QCOMPARE(yomari::app::FindSettings().file, folder.Path("Yomari.ini"));
        QCOMPARE(yomari::app::FindSettings().readFrom, folder.Path("Yomari.ini"));
    }

    // The configuration folder cannot be made: the exit says which file and
    // why, and the user's other files stay as they were.
    void unwritableConfigurationFolder()
    {
        InstalledLayout layout;
        {
            QFile blocker(layout.Path("notafolder"));
            QVERIFY(blocker.open(QIODevice::WriteOnly));
            blocker.write("x");
        }
        qputenv("XDG_CONFIG_HOME", layout.Path("notafolder/config").toLocal8Bit());
        auto w = OpenMain();
        const QStringList messages = testsupport::AnswerMessageBoxes([&] { w->close(); });
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains(layout.Path("notafolder/config/yomari/Yomari.ini")),
                 qPrintable(messages[0]));
        QVERIFY2(messages[0].contains(QStringLiteral("Not a directory")), qPrintable(messages[0]));
        QFile blocker(layout.Path("notafolder"));
        QVERIFY(blocker.open(QIODevice::ReadOnly));
        QCOMPARE(blocker.readAll(), QByteArray("x"));
    }
};

YOMARI_TEST_MAIN(TestInstalled)
#include "tst_installed.moc"
