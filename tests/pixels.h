// Pixel helpers for the tests that draw and compare pictures: painted pixels and their bounds,
// whole-picture comparisons that name the first pixel that is off, and reproducible pictures.
#pragma once

#include "document/surface/Surface.h"
#include "testsupport.h"

namespace orvtest {

using orv::Colour;
constexpr Colour White = 0xFFFFFF, Black = 0x000000;
constexpr Colour Red = orv::RGBColour(255, 0, 0), Blue = orv::RGBColour(0, 0, 255);

using Pixels = QSet<QPoint>;

// The pixels of the surface that differ from the background colour.
inline Pixels painted(const orv::Surface &s, Colour background = White)
{
    Pixels out;
    for (int y = 0; y < s.ScaleHeight(); ++y)
        for (int x = 0; x < s.ScaleWidth(); ++x)
            if (s.GetPixel(x, y) != background)
                out.insert(QPoint(x, y));
    return out;
}
inline Pixels pixelsOf(std::initializer_list<QPoint> pts) { return Pixels(pts.begin(), pts.end()); }
inline QRect boundsOf(const Pixels &pixels)
{
    QRect r;
    for (const QPoint p : pixels)
        r |= QRect(p, QSize(1, 1));
    return r;
}
// The points of `all` inside the square of half size `half` around `centre`, moved so that
// `centre` becomes (0, 0) when `relative`.
inline Pixels around(const Pixels &all, QPoint centre, int half, bool relative = false)
{
    Pixels out;
    for (const QPoint p : all)
        if (std::abs(p.x() - centre.x()) <= half && std::abs(p.y() - centre.y()) <= half)
            out.insert(relative ? p - centre : p);
    return out;
}
inline QString art(const orv::Surface &s) { return asciiArt(s.Image(), 0xFFFFFFFFu); }

// The first pixel that is not want(x, y), described; empty when every pixel is.
template<typename F>
QString differs(const orv::Surface &s, F want)
{
    return firstDifference(s.ScaleWidth(), s.ScaleHeight(), [&](int x, int y) { return s.GetPixel(x, y); }, want);
}
template<typename F>
QString differs(const QImage &img, F want)
{
    return firstDifference(img.width(), img.height(), [&](int x, int y) { return img.pixel(x, y); }, want);
}

// A reproducible pseudo-random picture: random colours, or with wallPercent > 0 black walls
// scattered over white.
inline QImage noise(int w, int h, unsigned seed, int wallPercent = 0)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            seed = seed * 1103515245u + 12345u;
            const unsigned v = seed >> 8;
            row[x] = wallPercent > 0 ? (int(v % 100) < wallPercent ? qRgb(0, 0, 0) : qRgb(255, 255, 255)) : 0xFF000000u | v;
        }
    }
    return img;
}

} // namespace orvtest
