#include "StartupProbe.h"
#include "YomariIcon.h"
#include "basYomari.h"
#include "frmMain.h"

#include <QApplication>
#include <QFont>
#include <QMessageBox>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Yomari"));
    QApplication::setApplicationDisplayName(QString());
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP")});
    font.setPixelSize(12);
    QApplication::setFont(font);
    QApplication::setWindowIcon(YomariIcon());
    // The program ends through its main window, also while every window is
    // hidden in the notification area.
    QApplication::setQuitOnLastWindowClosed(false);

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
