#include "app/AppSetup.h"

#include "app/StartupProbe.h"
#include "app/YomariIcon.h"

#include <QApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>
#include <QLibraryInfo>
#include <QPixmapCache>
#include <QStyle>
#include <QTranslator>

#include <utility>

namespace yomari::app {
namespace {

// A number as QPixmap writes it into its cache keys: each byte, lowest first,
// as two hex digits, the low one first.
template <typename T>
QString CacheKeyHex(T value)
{
    static const char digits[] = "0123456789abcdef";
    QString text;
    for (size_t i = 0; i < sizeof(T); ++i) {
        const auto byte = static_cast<unsigned>((value >> (8 * i)) & 0xff);
        text += QLatin1Char(digits[byte & 0xf]);
        text += QLatin1Char(digits[byte >> 4]);
    }
    return text;
}

// The Fusion style draws every group box's frame from a PNG in Qt's
// resources. Read through QPixmap, that file makes Qt load every image-format
// plugin (JPEG, GIF, ICO, with libjpeg) to ask each whether it reads PNG, and
// the main window's first paint waited for them. Read here by Qt's own PNG
// reader alone, it goes into the pixmap cache under the key QPixmap looks up
// first. Should the key ever differ, the style reads the file as before.
void PreloadGroupBoxFrame()
{
    if (QApplication::style()->name() != QLatin1String("fusion"))
        return;
    const QString file = QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png");
    const QFileInfo info(file);
    QImageReader reader(file, "png");
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    if (image.isNull())
        return;
    const QString key = QStringLiteral("qt_pixmap") + info.absoluteFilePath() +
                        CacheKeyHex(static_cast<quint32>(info.lastModified().toSecsSinceEpoch())) +
                        CacheKeyHex(static_cast<quint64>(info.size())) +
                        CacheKeyHex(static_cast<quint32>(0)); // a pixmap, not a bitmap
    QPixmapCache::insert(key, QPixmap::fromImage(image));
}

} // namespace

QFont ProgramFont()
{
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP")});
    font.setPixelSize(12);
    // At 12 px IPA Gothic looks the same without hinting; with it, Qt ran
    // the auto-hinter over each glyph's outline to find its advance, which
    // was a tenth of the start-up.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void SetUpApplication()
{
    QApplication::setApplicationName(QStringLiteral("Yomari"));
    QApplication::setApplicationDisplayName(QString());
    QApplication::setFont(ProgramFont());
    // The icon is drawn with a font size no window uses; the first window
    // need not wait for that.
    static bool iconWaits = false;
    if (!std::exchange(iconWaits, true))
        AfterFirstPaint(FirstPaint::AnyWindow, [] {
            if (QApplication::windowIcon().isNull())
                QApplication::setWindowIcon(YomariIcon());
        });
    // The program ends through its main window, also while every window is
    // hidden in the notification area.
    QApplication::setQuitOnLastWindowClosed(false);
    PreloadGroupBoxFrame();

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
