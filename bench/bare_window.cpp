// A bare Qt window program, built like Yomari, as the yardstick of the
// start-up measurement.
#include "app/StartupProbe.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    InstallStartupProbe();
    QLabel window(QStringLiteral("ヨマリ"));
    window.resize(400, 340);
    window.show();
    return QApplication::exec();
}
