#include "app/YomariIcon.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

namespace {

QPixmap Draw(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xa0, 0x1c, 0x24)); // vermilion of a seal
    const qreal radius = size / 8.0;
    p.drawRoundedRect(QRectF(0, 0, size, size), radius, radius);
    QFont font;
    font.setFamilies({QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP")});
    font.setPixelSize(size * 3 / 4);
    font.setBold(true);
    // At this size hinting shows nothing, and it costs the start time.
    font.setHintingPreference(QFont::PreferNoHinting);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QStringLiteral("暦"));
    return pixmap;
}

} // namespace

QPixmap YomariIconPixmap(int size)
{
    return Draw(size);
}

QIcon YomariIcon()
{
    // Drawn once and scaled down: each size drawn on its own loads the font
    // at that size, which the start of the program would wait for.
    const QPixmap largest = Draw(64);
    QIcon icon;
    for (int size : {16, 24, 32, 48})
        icon.addPixmap(largest.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    icon.addPixmap(largest);
    return icon;
}
