#include "app/AppSetup.h"
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

    frmMain main;
    InstallStartupProbe(app, [&main] { main.close(); });
    try {
        main.Form_Load(args.join(QLatin1Char(' ')));
    } catch (const yomari::YomariError& error) {
        basYomari::ShowError(nullptr, error);
        return 1;
    }
    return QApplication::exec();
}
