// The notification-area icon, its menu, and the program's start and end
// around it: switches, the first window, the exit writing the settings.

#include "tests/support/TestProgram.h"
#include "app/basYomari.h"
#include "tray/cTaskTray.h"
#include "ui/simple/frmADGen.h"
#include "ui/main/frmMain.h"
#include "tray/frmTray.h"
#include "help/HlpDlg.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>

using testsupport::AnswerMessageBoxes;
using testsupport::ChooseFromTrayMenu;
using testsupport::ChooseMenuItem;
using testsupport::Find;
using testsupport::ProgramFolder;

class TestTray : public QObject {
    Q_OBJECT

private slots:
    void init() { cTaskTray::SetAvailableForTesting(true); }
    void cleanup() { cTaskTray::SetAvailableForTesting(std::nullopt); }

    void iconMessagesRaiseTheirEvents()
    {
        QWidget owner;
        owner.show();
        cTaskTray tray;
        tray.SetForm(&owner);
        QVERIFY(!owner.isVisible()); // the owner form is never seen
        QSignalSpy left(&tray, &cTaskTray::LeftClick);
        QSignalSpy right(&tray, &cTaskTray::RightClick);
        QSignalSpy dbl(&tray, &cTaskTray::DblClick);
        for (int message : {512, 514, 516, 518, 519, 520}) // moves, releases, other buttons
            tray.MouseMove(message);
        QCOMPARE(left.count() + right.count() + dbl.count(), 0);
        // A double click: the press, then the double-click message.
        tray.MouseMove(cTaskTray::kLeftButtonDown);
        tray.MouseMove(cTaskTray::kLeftButtonDoubleClick);
        QCOMPARE(left.count(), 1);
        QCOMPARE(dbl.count(), 1);
        tray.SetModal(true); // a modal dialog is up: events still come
        tray.MouseMove(cTaskTray::kRightButtonUp);
        QCOMPARE(right.count(), 1);
    }

    void iconComesAndGoesOnlyWhereThereIsANotificationArea()
    {
        cTaskTray tray;
        tray.SetToolTip(QStringLiteral("Yomari"));
        tray.Delete(); // nothing there: harmless
        tray.Create();
        QVERIFY(tray.IsShown());
        tray.Delete();
        tray.Delete();
        QVERIFY(!tray.IsShown());

        cTaskTray::SetAvailableForTesting(false);
        tray.Create();
        QVERIFY(!tray.IsShown());
    }

    void leftClickAndLaunchRestoreTheCurrentWindow()
    {
        ProgramFolder folder;
        folder.WriteSettings(
            {.Top = 0, .Left = 0, .AppMode = 1, .InSysTray = true, .ADGenTop = 0, .ADGenLeft = 0});
        frmMain w;
        w.Form_Load(QStringLiteral("/T"));
        QVERIFY(w.Tray().IconShown());
        QVERIFY(!w.isVisible());
        QVERIFY(!w.ADGen().isVisible());

        testsupport::ClickTrayIcon(w.Tray(), QSystemTrayIcon::Trigger);
        QVERIFY(w.ADGen().isVisible()); // AppMode 1: the simple window
        QVERIFY(!w.isVisible());
        QCOMPARE(w.ADGen().focusWidget(), static_cast<QWidget*>(Find<QLineEdit>(w.ADGen(), "Text1")));

        w.ADGen().hide();
        w.Options().SetAppMode(0);
        w.SetWindowStateBeforeTray(basYomari::kStateMaximized);
        ChooseFromTrayMenu(w.Tray(), QStringLiteral("起動"));
        QVERIFY(w.isVisible());
        QVERIFY(w.isMaximized());
        QCOMPARE(w.focusWidget(), static_cast<QWidget*>(Find<QLineEdit>(w, "txtInput0")));
    }

    void minimisingHidesOnlyWithAnIcon()
    {
        ProgramFolder folder;
        frmMain w;
        w.Form_Load();
        w.Options().SetInSysTray(true);
        w.showMaximized();
        QTRY_COMPARE(w.WindowStateBeforeTray(), basYomari::kStateMaximized);
        w.showMinimized();
        QTRY_VERIFY(!w.isVisible());

        // No notification area: minimising stays an ordinary minimise.
        cTaskTray::SetAvailableForTesting(false);
        w.showNormal();
        w.showMinimized();
        QTest::qWait(20);
        QVERIFY(w.isVisible());
    }

    // The table and date windows hide as the main window does, come back
    // through the icon's menu, and come back minimised when residence ends.
    void sideWindowsHideIntoTheIcon()
    {
        ProgramFolder folder;
        folder.CopyShipped({QStringLiteral("Yomari.dad"), QStringLiteral("Yomari.dal"),
                            QStringLiteral("Yomari.dae"), QStringLiteral("Yomari.dak")});
        folder.WriteSettings({.InSysTray = true});
        frmMain w;
        w.Form_Load();
        QVERIFY(w.Tray().IconShown());
        const auto topLevel = [](const char* type) -> QWidget* {
            for (QWidget* window : QApplication::topLevelWidgets())
                if (QLatin1String(window->metaObject()->className()) == QLatin1String(type))
                    return window;
            return nullptr;
        };
        const struct {
            const char* button;
            const char* menu;
            const char* type;
        } rows[] = {{"cmdTable", "早見表", "frmTable"}, {"cmdDates", "日付変換", "frmDates"}};
        QList<QWidget*> windows;
        for (const auto& row : rows) {
            testsupport::Click(w, QString::fromLatin1(row.button));
            QWidget* window = topLevel(row.type);
            QVERIFY2(window, row.type);
            QTRY_VERIFY(window->isVisible());
            window->showMinimized();
            QTRY_VERIFY(!window->isVisible());
            ChooseFromTrayMenu(w.Tray(), QString::fromUtf8(row.menu));
            QTRY_VERIFY(window->isVisible());
            QVERIFY(!window->isMinimized());
            window->showMinimized();
            QTRY_VERIFY(!window->isVisible());
            windows << window;
        }
        AnswerMessageBoxes([&] { ChooseFromTrayMenu(w.Tray(), QStringLiteral("常駐解除")); },
                           QMessageBox::No);
        for (QWidget* window : windows) {
            QTRY_VERIFY(window->isVisible());
            QVERIFY(window->isMinimized());
            // Without residence minimising stays an ordinary minimise.
            window->showNormal();
            window->showMinimized();
            QTest::qWait(20);
            QVERIFY(window->isVisible());
        }
    }

    void leavingResidenceAsksWhetherToEnd()
    {
        ProgramFolder folder;
        frmMain w;
        w.Form_Load(QStringLiteral("/T"));
        QVERIFY(w.Tray().IconShown());
        QVERIFY(!w.isVisible());

        QStringList asked = AnswerMessageBoxes(
            [&] { ChooseFromTrayMenu(w.Tray(), QStringLiteral("常駐解除")); }, QMessageBox::No);
        QCOMPARE(asked, QStringList{QStringLiteral("Yomariを終了しますか?")});
        QCOMPARE(w.Options().InSysTray(), false);
        QVERIFY(!w.Tray().IconShown());
        QVERIFY(w.isVisible()); // no icon is left to come back through
        QVERIFY(!QFile::exists(folder.Path("Yomari.ini")));

        w.Options().SetInSysTray(true);
        w.Tray().Create();
        asked = AnswerMessageBoxes([&] { ChooseFromTrayMenu(w.Tray(), QStringLiteral("常駐解除")); },
                                   QMessageBox::Yes);
        QCOMPARE(asked.size(), 1);
        QVERIFY(!w.isVisible());
        // The program ended through the main window: settings written with
        // residence off, the icon gone.
        QVERIFY(folder.Read("Yomari.ini").contains("InSysTray =False\r\n"));
    }

    void menuHelpAndExit()
    {
        ProgramFolder folder;
        frmMain w;
        w.Form_Load();
        QMenu* menu = Find<QMenu>(w.Tray(), QStringLiteral("mnuRight"));
        QCOMPARE(menu->title(), QStringLiteral("右クリック"));
        QCOMPARE(testsupport::Items(menu),
                 (QStringList{"起動", "早見表", "日付変換", "常駐解除", "──", "ヘルプ", "──", "終了"}));

        QList<HelpRequest> requests;
        const HelpHandler previous = HlpDlg::SetHelpHandler([&](const HelpRequest& r) { requests << r; });
        ChooseMenuItem(menu, QStringLiteral("ヘルプ"));
        QTest::mouseClick(Find<QPushButton>(w.ADGen(), "cmdHelp"), Qt::LeftButton); // the simple window's "?"
        HlpDlg::SetHelpHandler(previous);
        QCOMPARE(requests.size(), 2);
        for (const HelpRequest& r : requests) {
            QCOMPARE(r.command, 3);
            QCOMPARE(r.file, folder.Path("Yomari.hlp"));
            QCOMPARE(r.owner.data(), static_cast<QWidget*>(&w));
        }

        w.Options().SetInSysTray(true);
        w.Tray().Create();
        ChooseFromTrayMenu(w.Tray(), QStringLiteral("終了")); // no question
        QVERIFY(!w.isVisible());
        QVERIFY(folder.Read("Yomari.ini").contains("InSysTray =True\r\n"));
    }

    void switchesChooseResidenceAndWindow_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<bool>("trayAvailable");
        QTest::addColumn<bool>("inSysTray");
        QTest::addColumn<int>("appMode");
        QTest::addColumn<bool>("mainShown");
        QTest::addColumn<bool>("simpleShown");
        QTest::newRow("none") << "" << true << false << 0 << true << false;
        QTest::newRow("/t /s lower case") << "/t /s" << true << true << 1 << false << false;
        QTest::newRow("/S and /F") << "/S /F" << true << false << 0 << true << false;
        QTest::newRow("/s among other text") << "x /sfoo" << true << false << 1 << false << true;
        QTest::newRow("/T without notification area") << "/T" << false << true << 0 << true << false;
    }

    void switchesChooseResidenceAndWindow()
    {
        QFETCH(QString, commandLine);
        QFETCH(bool, trayAvailable);
        cTaskTray::SetAvailableForTesting(trayAvailable);
        ProgramFolder folder;
        frmMain w;
        w.Form_Load(commandLine);
        QTEST(w.Options().InSysTray(), "inSysTray");
        QTEST(int(w.Options().AppMode()), "appMode");
        QTEST(w.isVisible(), "mainShown");
        QTEST(w.ADGen().isVisible(), "simpleShown");
        QCOMPARE(w.Tray().IconShown(), trayAvailable && w.Options().InSysTray());
    }

    void startsWithTheStoredWindowAndEndsWritingSettings()
    {
        ProgramFolder folder;
        folder.WriteSettings(
            {.Top = 0, .Left = 0, .AppMode = 1, .ADGenTop = 0, .ADGenLeft = 0, .SelectedGengo = 2});
        {
            frmMain w;
            w.Form_Load();
            QVERIFY(!w.isVisible());
            QVERIFY(w.ADGen().isVisible());
            QVERIFY(Find<QRadioButton>(w.ADGen(), "Option22")->isChecked());
            QCOMPARE(w.ADGen().pos(), QPoint(0, 0)); // on the screen: kept
            w.ADGen().close();                       // closing the simple window ends the program
            QVERIFY(!w.isVisible());
        }
        const QByteArray written = folder.Read("Yomari.ini");
        QVERIFY(written.contains("AppMode =1\r\n"));
        QVERIFY(written.endsWith("SelectedGengo =2\r\n"));
    }

    void failedStartLeavesTheSettingsAlone()
    {
        ProgramFolder folder;
        const QByteArray settings =
            testsupport::SettingsFile{.Top = 0, .Left = 0, .NanBokuMode = 1, .TextLenMax = 6}.Bytes();
        folder.Write("Yomari.ini", settings);
        QFile::remove(folder.Path("Yomari.das")); // the stored Southern line cannot load
        {
            frmMain w;
            const QString error = testsupport::RaisedError([&] { w.Form_Load(); });
            QVERIFY2(error.contains(folder.Path("Yomari.das")), qPrintable(error));
            w.close(); // no engine is left to write settings: the file stays as it was
        }
        QCOMPARE(folder.Read("Yomari.ini"), settings);
    }
};

YOMARI_TEST_MAIN(TestTray)
#include "tst_tray.moc"
