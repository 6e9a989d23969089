// The zoom view's factor steps, caption and the clamping of its saved position.
#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <cstdint>

namespace orv {

// "Plus": below 20 the factor becomes (factor + 1) x 1.2 rounded to the nearest whole number
// (halves to even); at 20 or above it stays. 4 -> 6 -> 8 -> 11 -> 14 -> 18 -> 23.
std::int16_t ZoomIn(std::int16_t factor);
// "Minus": at 2 or more the factor becomes the whole part of factor / 1.2; at 1 (or less) it
// stays. 23 -> 19 -> 15 -> 12 -> 10 -> 8 -> 6 -> 5 -> 4 -> 3 -> 2 -> 1.
std::int16_t ZoomOut(std::int16_t factor);
// "Zoom 4 X".
QString ZoomCaption(std::int16_t factor);

// The window's top-left corner: a position right of or below the screen's far edge moves back
// so the window lies flush with that edge. (Only the far edges are checked; a position left of
// or above the screen is left alone, as the window manager keeps windows reachable there.)
QPoint ClampZoomPosition(QPoint topLeft, QSize window, QSize screen);

} // namespace orv
