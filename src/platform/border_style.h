#pragma once
// The frame round a control's client area.
class QPainter;

namespace platform {

enum TBorderStyle { bsNone, bsSingle };

// Pixels the frame takes on each side.
constexpr int BorderWidth(TBorderStyle style) { return style == bsSingle ? 2 : 0; }

// Paints the sunken frame of a control `width` x `height` pixels at (0, 0):
// shadow over dark shadow on the top and left, highlight over light on the
// bottom and right. Nothing for bsNone.
void PaintBorder(QPainter& painter, int width, int height, TBorderStyle style);

}  // namespace platform
