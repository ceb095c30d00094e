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

// A window position, rounded away from zero: a position off the screen in
// twips stays off it in pixels (-10 twips is -1 pixel, not 0; 15361 twips on
// a 15360-twip screen is one pixel below it, not on its edge).
constexpr int PositionToPixels(int twips)
{
    const long long t = twips;
    return static_cast<int>(t >= 0 ? (t + kPerPixel - 1) / kPerPixel : -((-t + kPerPixel - 1) / kPerPixel));
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
