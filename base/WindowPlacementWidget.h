// Where a side window of the program opens: over the window that owns it, rather than wherever
// the window system puts a new top-level window (often the screen's top-left corner, on top of
// the main window's menus).
#pragma once

#include <QPoint>
#include <QRect>
#include <QWidget>

namespace orv {

// Centres `window` (already at its opening size) over its owner's window; does nothing
// without an owner.
inline void PlaceOverOwner(QWidget *window, const QWidget *owner)
{
    if (!window || !owner)
        return;
    const QRect area = owner->window()->geometry();
    window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
}

} // namespace orv
