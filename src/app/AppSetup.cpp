#include "app/AppSetup.h"

#include "tray/YomariIcon.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace yomari::app {

QFont ProgramFont()
{
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP")});
    font.setPixelSize(12);
    return font;
}

void SetUpApplication()
{
    QApplication::setApplicationName(QStringLiteral("Yomari"));
    QApplication::setApplicationDisplayName(QString());
    QApplication::setFont(ProgramFont());
    QApplication::setWindowIcon(YomariIcon());
    // The program ends through its main window, also while every window is
    // hidden in the notification area.
    QApplication::setQuitOnLastWindowClosed(false);

    // The program speaks Japanese whatever the locale, so Qt's own buttons
    // and menus (はい/いいえ, 元に戻す, 貼り付け) do too. Without the
    // translations installed they stay in English.
    static bool installed = false;
    if (installed)
        return;
    auto* qtTexts = new QTranslator(qApp);
    if (qtTexts->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(qtTexts);
        installed = true;
    } else {
        delete qtTexts;
    }
}

} // namespace yomari::app
