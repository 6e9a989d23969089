// The drawing-surface tests' pens, brushes, and white surfaces with them selected.
#pragma once

#include "pixels.h"

namespace orvtest {

constexpr Colour Green = orv::RGBColour(0, 255, 0);

inline orv::Pen pen(int width, Colour c = Black, int style = orv::PS_SOLID)
{
    return orv::CreatePenIndirect(orv::LogPen{style, width, width, c});
}
inline orv::Brush brush(Colour c, int style = orv::BS_SOLID) { return orv::CreateBrushIndirect(orv::LogBrush{style, c, 0}); }
inline orv::Surface canvas(int w, int h, const orv::Pen &p, std::optional<orv::Brush> b = std::nullopt)
{
    orv::Surface s(w, h);
    s.SelectObject(p);
    if (b)
        s.SelectObject(*b);
    return s;
}
inline void line(orv::Surface &s, QPoint a, QPoint b)
{
    s.MoveToEx(a.x(), a.y());
    s.LineTo(b.x(), b.y());
}

} // namespace orvtest
