// Pointer buttons and shift keys as the program's handlers number them: buttons 1 left,
// 2 right, 4 middle; shift state 1 Shift, 2 Ctrl, 4 Alt.
#pragma once

#include <Qt>

namespace orv {

inline int ButtonCode(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

inline int ButtonsCode(Qt::MouseButtons bs)
{
    return ((bs & Qt::LeftButton) ? 1 : 0) | ((bs & Qt::RightButton) ? 2 : 0) | ((bs & Qt::MiddleButton) ? 4 : 0);
}

inline int ShiftCode(Qt::KeyboardModifiers m)
{
    return ((m & Qt::ShiftModifier) ? 1 : 0) | ((m & Qt::ControlModifier) ? 2 : 0) | ((m & Qt::AltModifier) ? 4 : 0);
}

} // namespace orv
