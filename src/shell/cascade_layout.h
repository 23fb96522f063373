#pragma once
// Geometry of Window > Cascade, apart from the windows it places.
#include <QRect>
#include <vector>

// Rectangles for `count` windows cascaded in `area`: all of one size, each
// `step` pixels right of and below the one before, all inside the area. The
// offsets take at most a third of the area; more windows start a new run at
// the top left corner.
std::vector<QRect> CascadeRects(const QRect& area, int count, int step);
