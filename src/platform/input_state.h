#pragma once
// Qt's mouse buttons and held keys as the chart's and instruments' sets.
#include <Qt>

#include "base/shift_state.h"

TMouseButton MouseButtonOf(Qt::MouseButton Button);
TShiftState ShiftStateOf(Qt::KeyboardModifiers Keys, Qt::MouseButtons Buttons = Qt::NoButton);
