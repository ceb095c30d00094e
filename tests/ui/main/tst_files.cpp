// The main window with bad, short, huge and unwritable files, as a user
// meets them: files on disk, the window started and closed, message boxes
// read as they appear.

#include "tests/support/SmallDisk.h"
#include "tests/support/TestProgram.h"
#include "tests/support/MainWindow.h"
#include "app/basYomari.h"
#include "ui/main/frmMain.h"
#include "ui/simple/frmADGen.h"
#include "ui/options/frmOption.h"
#include "ui/table/frmTable.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableWidget>
#include <QtTest>

#include <sys/inotify.h>
#include <unistd.h>

using testsupport::TextOf;
using testsupport::Find;
using testsupport::CentredOnScreen;
using testsupport::ClickRadio;
using testsupport::ProgramFolder;
using testsupport::SettingsText;
using testsupport::StartMain;

namespace {

// What the tests store, before each spoils some of it.
const testsupport::SettingsFile kStored{.Top = 1500,
                                        .Left = 2250,
                                        .CalcMode = 2,
                                        .InputIndex = 5,
                                        .OutputIndex = 11,
                                        .InputBeforeMeijiIndex = 3,
                                        .OutputBeforeMeijiIndex = 7,
                                        .NanBokuMode = 0,
                                        .AppMode = 0,
                                        .InSysTray = true,
                                        .TextLenMax = 6,
                                        .BirthYearWhichCopy = 1,
                                        .ADGenTop = 3000,
                                        .ADGenLeft = 4500,
                                        .SelectedGengo = 2};

// The names of the files opened in a folder since the watch began, as the
// kernel reports them: no seam in the program, the real reads.
class OpenedFiles {
public:
    explicit OpenedFiles(const QString& folder)
        : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        inotify_add_watch(m_fd, QFile::encodeName(folder).constData(), IN_OPEN);
    }
    ~OpenedFiles() { close(m_fd); }
    OpenedFiles(const OpenedFiles&) = delete;
    OpenedFiles& operator=(const OpenedFiles&) = delete;

    QSet<QString> Names()
    {
        alignas(inotify_event) char buffer[4096];
        ssize_t n;
        while ((n = read(m_fd, buffer, sizeof buffer)) > 0) {
            for (ssize_t at = 0; at < n;) {
                const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
                if (e->len > 0)
                    m_names.insert(QFile::decodeName(e->name));
                at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
            }
        }
        return m_names;
    }

private:
    int m_fd;
    QSet<QString> m_names;
};

} // namespace

class TestFiles : public QObject {
    Q_OBJECT

private slots:
    void eraFileTheWindowsCannotUseStopsTheStart_data()
    {
        QTest::addColumn<QByteArray>("dan");
        QTest::addColumn<QString>("says");
        const QByteArray five = testsupport::FourErasCp932();
        QTest::newRow("empty") << QByteArray() << QStringLiteral("0件");
        QTest::newRow("one era") << five.left(five.indexOf('\n') + 1) << QStringLiteral("1件");
        QTest::newRow("four eras") << five.split('\n').mid(0, 4).join('\n') + '\n' << QStringLiteral("4件");
        QTest::newRow("a megabyte year")
            << QByteArray("\"A\",\"a\",\"\"," + QByteArray(1 << 20, 'x') + "\r\n") << QStringLiteral("xxxx…");
    }
    void eraFileTheWindowsCannotUseStopsTheStart()
    {
        QFETCH(QByteArray, dan);
        QFETCH(QString, says);
        ProgramFolder folder(ProgramFolder::Data::None);
        folder.Write(QStringLiteral("Yomari.dan"), dan);
        frmMain w;
        const QString error = testsupport::RaisedError([&] { w.Form_Load(); });
        QVERIFY2(error.contains(folder.Path(QStringLiteral("Yomari.dan"))), qPrintable(error));
        QVERIFY2(error.contains(says), qPrintable(error));
        QVERIFY2(error.size() < 300, qPrintable(error.left(300)));
        // Nothing of the failed start is left to write settings on closing.
        w.close();
        QVERIFY(!QFile::exists(folder.Path(QStringLiteral("Yomari.ini"))));
    }

    void courtLineSwitchToAShortFileIsRefusedByName()
    {
        ProgramFolder folder(ProgramFolder::Data::Shipped);
        const QByteArray dan = folder.Read(QStringLiteral("Yomari.dan"));
        folder.Write(QStringLiteral("Yomari.das"), dan.left(dan.indexOf('\n') + 1));
        auto w = StartMain();
        w->show();
        // The southern line chosen and confirmed; the dialog, still open
        // after the refusal, cancelled.
        testsupport::Modals modals;
        modals.AnswerBoxes()
            .Steps<frmOption>(
                {[](frmOption& d) {
                     ClickRadio(Find<QRadioButton>(d, "optNanBoku1"));
                     testsupport::PressLater(Find<QPushButton>(d, "cmdOK"));
                 },
                 [](frmOption& d) { QTest::mouseClick(Find<QPushButton>(d, "cmdCancel"), Qt::LeftButton); }})
            .Run([&] { QTest::mouseClick(Find<QPushButton>(*w, "cmdOption"), Qt::LeftButton); });
        const QStringList messages = modals.Texts();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains(folder.Path(QStringLiteral("Yomari.das"))), qPrintable(messages[0]));
        QCOMPARE(w->Options().NanBokuMode(), 0);
        QCOMPARE(TextOf(*w, "lblNanBoku"), QStringLiteral("北朝"));
        QCOMPARE(testsupport::EraOfYear(*w, 1350), QStringLiteral("観応")); // the engine kept its line
    }

    // The README's new era, written into the user's era file before its
    // start day: the start names both files once, the dates use the
    // installed pair, and the tables open without a further word.
    void eraFileAheadOfTheStartDaysIsNamedOnceAtTheStart()
    {
        ProgramFolder folder(ProgramFolder::Data::Shipped);
        for (const QString& name : {QStringLiteral("Yomari.dad"), QStringLiteral("Yomari.dak")})
            QVERIFY(QFile::copy(QStringLiteral(YOMARI_BIN_DIR "/") + name, folder.Path(name)));
        QTemporaryDir xdg;
        const QByteArray oldXdg = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", xdg.path().toUtf8());
        QDir(xdg.path()).mkpath(QStringLiteral("yomari"));
        const QString dan = xdg.filePath(QStringLiteral("yomari/Yomari.dan"));
        QFile file(dan);
        QVERIFY(file.open(QIODevice::WriteOnly));
        // "新元号","しんげんごう","",2031 in CP932, then the installed eras.
        file.write("\"\x90\x56\x8c\xb3\x8d\x86\",\"\x82\xb5\x82\xf1\x82\xb0\x82\xf1\x82\xb2\x82\xa4\",\"\","
                   "2031\r\n" +
                   folder.Read(QStringLiteral("Yomari.dan")));
        file.close();

        QStringList messages;
        auto w = StartMain(&messages);
        QCOMPARE(messages.size(), 1);
        const QString installed = folder.Path(QStringLiteral("Yomari.dan")) + QStringLiteral(" と ") +
                                  folder.Path(QStringLiteral("Yomari.dad"));
        QVERIFY2(
            messages[0].contains(dan + QStringLiteral(" と ") + folder.Path(QStringLiteral("Yomari.dad"))),
            qPrintable(messages[0]));
        QVERIFY2(messages[0].contains(QStringLiteral("代わりに ") + installed), qPrintable(messages[0]));
        QCOMPARE(Find<QRadioButton>(*w, "optInput1")->text(), QStringLiteral("新元号"));

        w->show();
        const QStringList later = testsupport::AnswerMessageBoxes(
            [&] { QTest::mouseClick(Find<QPushButton>(*w, "cmdTable"), Qt::LeftButton); });
        QVERIFY2(later.isEmpty(), qPrintable(later.join(QLatin1Char('\n'))));
        QVERIFY(testsupport::Find<QTableWidget>(w->Table(), "grdAge")->rowCount() > 100);
        w->Table().close();
        qputenv("XDG_DATA_HOME", oldXdg);
    }

    // Opening the main window reads only what it shows: the lunisolar days,
    // the milestones and the tables' own settings wait for the windows that
    // use them, and are read when those open. The simple window is not built
    // either, yet its stored place and era are written back at the end.
    void theStartLeavesOtherWindowsFilesUnread()
    {
        ProgramFolder folder(ProgramFolder::Data::Shipped);
        const QStringList later{QStringLiteral("Yomari.dal"), QStringLiteral("Yomari.dae"),
                                QStringLiteral("Yomari.dak"), QStringLiteral("YomariTable.ini")};
        for (const char* name : {"Yomari.dal", "Yomari.dae", "Yomari.dak", "Yomari.dad"})
            QVERIFY(QFile::copy(QStringLiteral(YOMARI_BIN_DIR "/") + name, folder.Path(QLatin1String(name))));
        folder.WriteSettings(kStored);
        folder.Write(QStringLiteral("YomariTable.ini"), "[Window]\nTab=0\n");
        QTemporaryDir xdg; // no user data folder to read instead
        const QByteArray oldXdg = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", xdg.path().toUtf8());
        const auto restore = qScopeGuard([&] { qputenv("XDG_DATA_HOME", oldXdg); });

        OpenedFiles opened(folder.Path(QString()));
        auto w = StartMain();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        const QSet<QString> atStart = opened.Names();
        QVERIFY2(atStart.contains(QStringLiteral("Yomari.dan")),
                 qPrintable(QStringList(atStart.values()).join(' ')));
        for (const QString& name : later)
            QVERIFY2(!atStart.contains(name), qPrintable(name + QStringLiteral(" read at the start")));
        QVERIFY(!w->ADGenLoaded());

        QTest::mouseClick(Find<QPushButton>(*w, "cmdTable"), Qt::LeftButton);
        const QSet<QString> withTable = opened.Names();
        for (const QString& name : {QStringLiteral("Yomari.dak"), QStringLiteral("YomariTable.ini")})
            QVERIFY2(withTable.contains(name), qPrintable(name + QStringLiteral(" not read by the tables")));
        w->Table().close();
        w->close();
        QVERIFY2(folder.Read(QStringLiteral("Yomari.ini"))
                     .endsWith("[ADGen]\r\nADGenTop =3000\r\nADGenLeft =4500\r\nSelectedGengo =2\r\n"),
                 folder.Read(QStringLiteral("Yomari.ini")).constData());
    }

    // Bad values among good ones: one message names each bad line, the
    // others are kept.
    void badSettingsValuesKeepTheOthers()
    {
        ProgramFolder folder;
        QStringList v = kStored.Values();
        v[2] = QStringLiteral("abc");  // CalcMode, line 6
        v[6] = QStringLiteral("9999"); // OutputBeforeMeijiIndex, line 10: no such entry
        v[14] = QStringLiteral("-2");  // SelectedGengo, line 22
        folder.Write(QStringLiteral("Yomari.ini"), SettingsText(v));
        QStringList messages;
        auto w = StartMain(&messages);
        QCOMPARE(messages.size(), 1);
        const QString& m = messages[0];
        QVERIFY2(m.contains(folder.Path(QStringLiteral("Yomari.ini"))), qPrintable(m));
        for (const char* line : {"6 行目の値「abc」", "10 行目の値「9999」", "22 行目の値「-2」"})
            QVERIFY2(m.contains(QString::fromUtf8(line)), qPrintable(m));
        QCOMPARE(m.count(QStringLiteral("行目")), 3);

        QVERIFY(Find<QRadioButton>(*w, "optCalMode1")->isChecked()); // the default mode
        QCOMPARE(Find<QComboBox>(*w, "cmbInput1")->currentIndex(), 0);
        QVERIFY(Find<QRadioButton>(w->ADGen(), "Option23")->isChecked());
        // Everything else as stored.
        QCOMPARE(w->pos(), QPoint(150, 100));
        QVERIFY(Find<QRadioButton>(*w, "optInput5")->isChecked());
        QVERIFY(Find<QRadioButton>(*w, "optInput11")->isChecked());
        QCOMPARE(Find<QComboBox>(*w, "cmbInput0")->currentIndex(), 3);
        QCOMPARE(w->Options().InSysTray(), true);
        QCOMPARE(w->Options().TextLenMax(), 6);
        QCOMPARE(w->Options().BirthYearWhichCopy(), 1);
        QCOMPARE(w->ADGen().pos(), QPoint(300, 200));
    }

    void aShortSettingsFileKeepsWhatItHas()
    {
        ProgramFolder folder;
        QStringList v = kStored.Values().mid(0, 4); // ends after InputIndex
        v[3] = QStringLiteral("3");
        folder.Write(QStringLiteral("Yomari.ini"), SettingsText(v));
        QStringList messages;
        auto w = StartMain(&messages);
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
        QVERIFY(Find<QRadioButton>(*w, "optInput3")->isChecked());
        QVERIFY(Find<QRadioButton>(*w, "optInput6")->isChecked());
        QVERIFY(Find<QRadioButton>(*w, "optCalMode2")->isChecked());
        QCOMPARE(w->pos(), QPoint(150, 100));
        QCOMPARE(w->ADGen().pos(), CentredOnScreen(w->ADGen().size()));
    }

    void aHugeSettingsValueGivesAShortMessage()
    {
        ProgramFolder folder;
        folder.Write(QStringLiteral("Yomari.ini"), "Top =" + QByteArray(1 << 20, '1') + "z\r\nLeft =30\r\n");
        QStringList messages;
        auto w = StartMain(&messages);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].size() < 300, qPrintable(messages[0].left(300)));
        QVERIFY(messages[0].contains(QString(40, QLatin1Char('1')) + QStringLiteral("…")));
    }

    // Only a window whose stored place lies off the screen is centred; the
    // edges themselves are on it.
    void windowPositionEdges_data()
    {
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::addColumn<bool>("centred");
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const int width = screen.width() * 15;
        const int height = screen.height() * 15;
        QTest::newRow("0, 0") << 0 << 0 << false;
        QTest::newRow("top -10") << 300 << -10 << true;
        QTest::newRow("left -10") << -10 << 300 << true;
        QTest::newRow("top at the screen height") << 300 << height << false;
        QTest::newRow("top 10 below it") << 300 << height + 10 << true;
        QTest::newRow("top 1 below it") << 300 << height + 1 << true;
        QTest::newRow("left at the screen width") << width << 300 << false;
        QTest::newRow("left 10 right of it") << width + 10 << 300 << true;
    }
    void windowPositionEdges()
    {
        QFETCH(int, left);
        QFETCH(int, top);
        QFETCH(bool, centred);
        ProgramFolder folder;
        QStringList v = kStored.Values();
        v[0] = QString::number(top);
        v[1] = QString::number(left);
        v[12] = QString::number(top);
        v[13] = QString::number(left);
        folder.Write(QStringLiteral("Yomari.ini"), SettingsText(v));
        auto w = StartMain(); // placed, not shown: no frame yet
        for (QWidget* window : {static_cast<QWidget*>(w.get()), static_cast<QWidget*>(&w->ADGen())}) {
            if (centred)
                QCOMPARE(window->pos(), CentredOnScreen(window->size()));
            else
                QCOMPARE(window->pos(), QPoint(left / 15, top / 15));
        }
    }

    void sumNearTheLimitConverts()
    {
        ProgramFolder folder; // 令和 1, 平成 2 in the shipped table
        QStringList v = kStored.Values();
        v[2] = QStringLiteral("1"); // 元号変換
        v[3] = QStringLiteral("2"); // 平成
        v[4] = QStringLiteral("6"); // 西暦
        v[10] = QStringLiteral("10");
        folder.Write(QStringLiteral("Yomari.ini"), SettingsText(v));
        auto w = StartMain();
        w->show();
        QTest::keyClicks(Find<QLineEdit>(*w, "txtInput0"), QStringLiteral("2147481659"));
        const QStringList errors = testsupport::AnswerMessageBoxes(
            [&] { QTest::keyClick(Find<QLineEdit>(*w, "txtInput0"), Qt::Key_Return); });
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
        QCOMPARE(TextOf(*w, "txtOutput0"), QStringLiteral("2147483647"));
    }

    // A full disk at exit: the old settings stay, the user is told, no
    // temporary file is left; a temporary left by a killed write goes at
    // the next start.
    void fullDiskAtExit()
    {
        ProgramFolder folder(ProgramFolder::Data::None);
        const QString dir = folder.Path(QStringLiteral("disk"));
        testsupport::SmallDisk disk(dir);
        if (!disk.Mounted())
            QSKIP(qPrintable(disk.Why()));
        yomari::app::SetLocationForTesting(yomari::app::ProgramLocation{dir, QStringLiteral("Yomari")});
        const auto write = [&](const QString& name, const QByteArray& bytes) {
            QFile f(dir + QLatin1Char('/') + name);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QCOMPARE(f.write(bytes), bytes.size());
        };
        write(QStringLiteral("Yomari.dan"), testsupport::FourErasCp932());
        write(QStringLiteral("Yomari.das"), testsupport::FourErasCp932());
        QStringList v = kStored.Values();
        v[5] = v[6] = QStringLiteral("0"); // the one era before the modern ones
        const QByteArray old = SettingsText(v);
        write(QStringLiteral("Yomari.ini"), old);
        write(QStringLiteral("Yomari.ini.Q1w2E3"), old);

        auto w = StartMain();
        w->show();
        QVERIFY(!QFile::exists(dir + QStringLiteral("/Yomari.ini.Q1w2E3")));
        w->move(10, 10);
        disk.Fill();
        const QStringList messages = testsupport::AnswerMessageBoxes([&] { w->close(); });
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains(dir + QStringLiteral("/Yomari.ini")), qPrintable(messages[0]));
        QFile ini(dir + QStringLiteral("/Yomari.ini"));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QCOMPARE(ini.readAll(), old);
        QStringList files = QDir(dir).entryList(QDir::Files | QDir::Hidden);
        files.sort();
        QCOMPARE(files, (QStringList{"Yomari.dan", "Yomari.das", "Yomari.ini", "filler"}));
    }
};

YOMARI_TEST_MAIN(TestFiles)
#include "tst_files.moc"
