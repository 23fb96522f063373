#include "platform/border_style.h"

#include <QPainter>

#include "platform/qt_drawing_device.h"

namespace platform {

namespace {

constexpr TColor kBtnShadow = 0xFF000010;
constexpr TColor kBtnHighlight = 0xFF000014;
constexpr TColor kDkShadow3D = 0xFF000015;
constexpr TColor kLight3D = 0xFF000016;

// One ring: top and left in `topLeft`, bottom and right in `bottomRight`.
void Ring(QPainter& painter, int left, int top, int right, int bottom, TColor topLeft, TColor bottomRight)
{
    if (right <= left || bottom <= top)
        return;
    painter.fillRect(left, top, right - left, 1, ToQColor(topLeft));
    painter.fillRect(left, top, 1, bottom - top, ToQColor(topLeft));
    painter.fillRect(left, bottom - 1, right - left, 1, ToQColor(bottomRight));
    painter.fillRect(right - 1, top, 1, bottom - top, ToQColor(bottomRight));
}

}  // namespace

void PaintBorder(QPainter& painter, int width, int height, TBorderStyle style)
{
    if (style == bsNone)
        return;
    Ring(painter, 0, 0, width, height, kBtnShadow, kBtnHighlight);
    Ring(painter, 1, 1, width - 1, height - 1, kDkShadow3D, kLight3D);
}

}  // namespace platform
