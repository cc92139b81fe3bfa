#pragma once

#include <Qt>

namespace vb {

// The shift argument of the key and mouse events: 1 shift, 2 control, 4 alt.
inline int shiftState(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

}  // namespace vb
