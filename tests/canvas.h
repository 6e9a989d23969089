// The drawing-surface tests' palette and canvas: pens, brushes, and white surfaces with them
// selected.
#pragma once

#include "pixels.h"

#include <optional>

namespace orvtest {

using orv::Colour;
constexpr Colour White = 0xFFFFFF;
constexpr Colour Black = 0x000000;
constexpr Colour Red = orv::RGBColour(255, 0, 0);
constexpr Colour Green = orv::RGBColour(0, 255, 0);
constexpr Colour Blue = orv::RGBColour(0, 0, 255);

inline orv::Pen pen(int width, Colour c = Black, int style = orv::PS_SOLID)
{
    return orv::CreatePenIndirect(orv::LogPen{style, width, width, c});
}
inline orv::Brush brush(Colour c, int style = orv::BS_SOLID) { return orv::CreateBrushIndirect(orv::LogBrush{style, c, 0}); }

// A white surface with the pen (and brush) selected.
inline orv::Surface canvas(int w, int h, const orv::Pen &p, std::optional<orv::Brush> b = std::nullopt)
{
    orv::Surface s(w, h);
    s.SelectObject(p);
    if (b)
        s.SelectObject(*b);
    return s;
}

// MoveToEx(a) and LineTo(b) on `s`.
inline void line(orv::Surface &s, QPoint a, QPoint b)
{
    s.MoveToEx(a.x(), a.y());
    s.LineTo(b.x(), b.y());
}

} // namespace orvtest
