// Writes the program's icon as PNG files for the freedesktop icon theme:
// <folder>/hicolor/<n>x<n>/apps/yomari.png, from the drawing the windows use.
#include "tray/YomariIcon.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s FOLDER SIZE...\n", argv[0]);
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const int size = QString::fromLatin1(argv[i]).toInt();
        const QString dir = QStringLiteral("%1/hicolor/%2x%2/apps").arg(root).arg(size);
        if (size <= 0 || !QDir().mkpath(dir) ||
            !YomariIconPixmap(size).save(dir + QStringLiteral("/yomari.png"), "PNG")) {
            std::fprintf(stderr, "cannot write the %s px icon into %s\n", argv[i], qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
