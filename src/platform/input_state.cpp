#include "platform/input_state.h"

TMouseButton MouseButtonOf(Qt::MouseButton Button)
{
    switch (Button) {
    case Qt::RightButton: return mbRight;
    case Qt::MiddleButton: return mbMiddle;
    default: return mbLeft;
    }
}

TShiftState ShiftStateOf(Qt::KeyboardModifiers Keys, Qt::MouseButtons Buttons)
{
    TShiftState s = 0;
    if (Keys & Qt::ShiftModifier)
        s |= ssShift;
    if (Keys & Qt::AltModifier)
        s |= ssAlt;
    if (Keys & Qt::ControlModifier)
        s |= ssCtrl;
    if (Buttons & Qt::LeftButton)
        s |= ssLeft;
    if (Buttons & Qt::RightButton)
        s |= ssRight;
    if (Buttons & Qt::MiddleButton)
        s |= ssMiddle;
    return s;
}
