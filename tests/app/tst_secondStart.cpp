// A second start of the real program: it hands its switches to the running
// one and ends, and a socket left by a killed program does not stop a start.

#include "app/SingleInstance.h"
#include "tests/support/TestProgram.h"
#include "tray/cTaskTray.h"
#include "ui/main/frmMain.h"
#include "ui/simple/frmADGen.h"

#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

using testsupport::ProgramFolder;
using yomari::app::SingleInstance;

namespace {

// The program as a user starts it, offscreen, in this test's runtime folder.
std::unique_ptr<QProcess> Start(const QStringList& arguments)
{
    auto p = std::make_unique<QProcess>();
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->start(QStringLiteral(YOMARI_BIN_DIR "/Yomari"), arguments);
    p->waitForStarted();
    return p;
}

// Whether the process ended by itself with exit code 0 within `ms`, the
// event loop running meanwhile (the running program answers through it).
bool EndsCleanly(QProcess& p, int ms = 15000)
{
    if (p.state() != QProcess::NotRunning &&
        !QTest::qWaitFor([&] { return p.state() == QProcess::NotRunning; }, ms))
        return false;
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// Whether a program answers on the socket.
bool Listening()
{
    return SingleInstance::Answers(200);
}

} // namespace

class TestSecondStart : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Runtime and settings folders of this test alone: other tests and
        // the user's own running program stay out of it.
        QVERIFY(m_home.isValid());
        QDir(m_home.path()).mkpath(QStringLiteral("runtime"));
        QFile::setPermissions(m_home.filePath(QStringLiteral("runtime")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", m_home.filePath(QStringLiteral("runtime")).toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toLocal8Bit());
        qputenv("XDG_DATA_HOME", m_home.filePath(QStringLiteral("data")).toLocal8Bit());
    }
    void cleanup() { cTaskTray::SetAvailableForTesting(std::nullopt); }

    void aSecondStartBringsTheCurrentWindowForward()
    {
        ProgramFolder folder;
        cTaskTray::SetAvailableForTesting(true);
        frmMain w;
        w.Form_Load();
        SingleInstance running;
        QVERIFY(running.Listen([&w](const QStringList& a) { w.SecondStart(a.join(QLatin1Char(' '))); }));
        QVERIFY(w.isVisible());
        w.hide(); // as in the notification area
        frmADGen& simple = w.ADGen();

        // Switches, and which window is then in front (nullptr: none shown).
        const struct {
            QStringList arguments;
            QWidget* front;
        } starts[] = {{{}, &w},
                      {{QStringLiteral("/S")}, &simple},
                      {{}, &simple},
                      {{QStringLiteral("/f")}, &w},
                      {{QStringLiteral("/T")}, nullptr},
                      {{}, &w}};
        bool afterHiding = false;
        for (const auto& s : starts) {
            auto second = Start(s.arguments);
            QVERIFY2(EndsCleanly(*second), qPrintable(s.arguments.join(u' ')));
            if (!s.front) {
                QTRY_VERIFY(!w.isVisible() && !simple.isVisible());
                afterHiding = true;
                continue;
            }
            QWidget* behind = s.front == &w ? static_cast<QWidget*>(&simple) : &w;
            QTRY_VERIFY(s.front->isVisible() && !s.front->isMinimized());
            // Offscreen, a window hidden while it had the focus is not made
            // active again; a window manager does that.
            if (!afterHiding)
                QTRY_COMPARE(QApplication::activeWindow(), s.front);
            QVERIFY(!behind->isVisible());
            afterHiding = false;
        }
        QVERIFY(w.Options().InSysTray());

        // A minimised window comes back to its normal size.
        w.showMinimized();
        QTRY_VERIFY(w.isMinimized());
        auto second = Start({});
        QVERIFY(EndsCleanly(*second));
        QTRY_VERIFY(w.isVisible() && !w.isMinimized());
    }

    void aSocketLeftByAKilledProgramDoesNotBlockTheNextStart()
    {
        auto first = Start({});
        QTRY_VERIFY_WITH_TIMEOUT(Listening(), 15000);
        first->kill();
        first->waitForFinished();
        QVERIFY(!Listening()); // whatever it left answers nothing

        // The next start runs and is the one later starts reach.
        auto next = Start({});
        QTRY_VERIFY_WITH_TIMEOUT(Listening(), 15000);
        QCOMPARE(next->state(), QProcess::Running);
        // Nor does a start that skipped the hand-over take a live socket away.
        {
            SingleInstance late;
            QVERIFY(!late.Listen([](const QStringList&) {}));
        }
        auto third = Start({QStringLiteral("/S")});
        QVERIFY(EndsCleanly(*third));
        QCOMPARE(next->state(), QProcess::Running);
        next->kill();
        next->waitForFinished();

        // Without any socket, a start runs too.
        QFile::remove(SingleInstance::ServerName());
        auto alone = Start({});
        QTest::qWait(1500);
        QCOMPARE(alone->state(), QProcess::Running);
        alone->kill();
        alone->waitForFinished();
    }

    // The start loads only what the first window needs: the second start's
    // socket and printing on paper do without their Qt libraries until used,
    // and painting the window's frames without Qt's image-format plugins.
    void theRunningProgramLoadsNeitherNetworkNorPrinting()
    {
        auto running = Start({});
        QTRY_VERIFY_WITH_TIMEOUT(Listening(), 15000);
        // It answers a second start from its event loop, its window loaded.
        auto second = Start({});
        QVERIFY(EndsCleanly(*second));
        QFile maps(QStringLiteral("/proc/%1/maps").arg(running->processId()));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        const QByteArray mapped = maps.readAll();
        running->kill();
        running->waitForFinished();
        QVERIFY(mapped.contains("/libQt6Widgets.so"));
        for (const char* library : {"/libQt6Network.so", "/libQt6PrintSupport.so", "/imageformats/"})
            QVERIFY2(!mapped.contains(library), library);
    }

private:
    QTemporaryDir m_home;
};

QTEST_MAIN(TestSecondStart)
#include "tst_secondStart.moc"
