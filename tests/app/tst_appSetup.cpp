// The program's set-up as main() does it: the font it measures its windows
// with, and Qt's own texts in Japanese where the user meets them.

#include "app/AppSetup.h"
#include "tests/support/TestProgram.h"
#include "tray/cTaskTray.h"
#include "ui/main/frmMain.h"
#include "tray/frmTray.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFontInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QtTest>

using testsupport::Find;
using testsupport::ProgramFolder;

class TestAppSetup : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { yomari::app::SetUpApplication(); }
    void cleanup() { cTaskTray::SetAvailableForTesting(std::nullopt); }

    // The program's icon comes once the first window is on screen; a start
    // straight into the notification area draws it for the icon there.
    // (First here: no window of this process has been painted yet.)
    void windowsAndTheTrayIconCarryTheProgramsIcon()
    {
        ProgramFolder folder;
        cTaskTray::SetAvailableForTesting(true);
        frmMain resident;
        resident.Form_Load(QStringLiteral("/T"));
        auto* trayIcon = resident.Tray().findChild<QSystemTrayIcon*>();
        QVERIFY(trayIcon && trayIcon->isVisible());
        QVERIFY(!trayIcon->icon().isNull());

        frmMain w;
        w.Form_Load();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_VERIFY(!w.windowHandle()->icon().isNull());
    }

    void windowsUseTheJapaneseFont()
    {
        const QFontInfo info(QApplication::font());
        QCOMPARE(info.family(), QStringLiteral("IPAGothic"));
        QCOMPARE(info.pixelSize(), 12);
    }

    void exitQuestionAnswersInJapanese()
    {
        ProgramFolder folder;
        cTaskTray::SetAvailableForTesting(true);
        frmMain w;
        w.Form_Load(QStringLiteral("/T"));
        QStringList buttons;
        testsupport::Modals()
            .Add([&](QWidget* modal) {
                auto* box = qobject_cast<QMessageBox*>(modal);
                if (!box)
                    return false;
                for (QMessageBox::StandardButton b : {QMessageBox::Yes, QMessageBox::No})
                    if (QAbstractButton* button = box->button(b))
                        buttons << button->text();
                box->button(QMessageBox::No)->click();
                return true;
            })
            .Run([&] {
                testsupport::ChooseFromTrayMenu(w.Tray(), QStringLiteral("常駐解除"));
            }); // asks whether to end
        QCOMPARE(buttons, (QStringList{QStringLiteral("はい(&Y)"), QStringLiteral("いいえ(&N)")}));
    }

    void yearBoxMenuIsJapanese()
    {
        ProgramFolder folder;
        frmMain w;
        w.Form_Load();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QLineEdit* box = Find<QLineEdit>(w, "txtInput0");
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), box->mapToGlobal(QPoint(5, 5)));
        // The menu pops up and the event returns at once, as QLineEdit's own
        // menu does: a blocking menu would hang here.
        QApplication::sendEvent(box, &event);
        QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QStringList texts;
        for (const QAction* a : menu->actions())
            texts << a->text().section(QLatin1Char('\t'), 0, 0);
        menu->close();
        QVERIFY2(texts.contains(QStringLiteral("元に戻す(&U)")), qPrintable(texts.join(u'|')));
        QVERIFY2(texts.contains(QStringLiteral("貼り付け(&P)")), qPrintable(texts.join(u'|')));
        QVERIFY2(texts.contains(QStringLiteral("すべてを選択")), qPrintable(texts.join(u'|')));
    }
};

YOMARI_TEST_MAIN(TestAppSetup)
#include "tst_appSetup.moc"
