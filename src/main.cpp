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
    if (yomari::app::SingleInstance::HandOver(args))
        return 0;
    yomari::app::SingleInstance instance;

    frmMain main;
    InstallStartupProbe(app, [&main] { main.close(); });
    try {
        main.Form_Load(args.join(QLatin1Char(' ')));
    } catch (const yomari::YomariError& error) {
        basYomari::ShowError(nullptr, error);
        return 1;
    }
    instance.Listen([&main](const QStringList& later) { main.SecondStart(later.join(QLatin1Char(' '))); });
    return QApplication::exec();
}
