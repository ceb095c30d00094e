#pragma once

#include <QPoint>
#include <QRect>

// Window positions and sizes are kept in twips, 15 to a logical pixel.
namespace yomari::twips {

inline constexpr int kPerPixel = 15;

constexpr int ToPixels(int twips)
{
    return twips / kPerPixel;
}

constexpr int FromPixels(int pixels)
{
    return pixels * kPerPixel;
}

inline QRect Rect(int left, int top, int width, int height)
{
    return QRect(ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height));
}

} // namespace yomari::twips
