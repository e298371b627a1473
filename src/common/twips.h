#pragma once

#include <QRect>
#include <QtGlobal>

// Window geometry is designed in twips (1/1440 inch). The whole program keeps the designed
// numbers and converts only where a widget is placed: 15 twips to one logical pixel.
namespace Twips {

inline constexpr double perPixel = 15.0;

// Any value a widget can take; what lies beyond is clamped rather than overflowing.
inline constexpr double largestPixels = 1'000'000;

inline int toPixels(double twips)
{
    const double pixels = twips / perPixel;
    if (!(pixels > -largestPixels))
        return -static_cast<int>(largestPixels);
    if (!(pixels < largestPixels))
        return static_cast<int>(largestPixels);
    return qRound(pixels);
}

inline double fromPixels(int pixels)
{
    return pixels * perPixel;
}

// A designed rectangle (left, top, width, height in twips) as a widget's geometry.
inline QRect toRect(double left, double top, double width, double height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

} // namespace Twips
