#include "app/AppSetup.h"
#include "app/SingleInstance.h"
#include "app/StartupProbe.h"
#include "app/basYomari.h"
#include "ui/main/frmMain.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    yomari::app::SetUpApplication();

    QStringList args = QApplication::arguments();
    args.removeFirst();

    // A second start brings the running program forward instead of opening
    // a second one over the same settings file.
    // A start-up measurement runs on its own even beside a running program.
    if (!qEnvironmentVariableIsSet("YOMARI_EXIT_AFTER_FIRST_PAINT") &&
        yomari::app::SingleInstance::HandOver(args))
        return 0;
    // Listening from the start, so that a start during this one's loading
    // finds it; what arrives before the windows are loaded has nothing to
    // bring forward, as this start shows its window anyway.
    frmMain main;
    bool loaded = false;
    yomari::app::SingleInstance instance;
    instance.Listen([&main, &loaded](const QStringList& later) {
        if (loaded)
            main.SecondStart(later.join(QLatin1Char(' ')));
    });
    InstallStartupProbe([&main] { main.close(); });
    try {
        main.Form_Load(args.join(QLatin1Char(' ')));
    } catch (const yomari::YomariError& error) {
        basYomari::ShowError(nullptr, error);
        return 1;
    }
    loaded = true;
    return QApplication::exec();
}
