#include "shell/cascade_layout.h"

#include <algorithm>

std::vector<QRect> CascadeRects(const QRect& area, int count, int step)
{
    std::vector<QRect> rects;
    if (count <= 0 || area.isEmpty())
        return rects;
    step = std::max(1, step);
    const int perRun = std::max(1, std::min(area.width(), area.height()) / 3 / step + 1);
    const int inRun = std::min(count, perRun);
    const int offset = (inRun - 1) * step;
    const int width = area.width() - offset;
    const int height = area.height() - offset;
    rects.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const int shift = (i % perRun) * step;
        rects.emplace_back(area.x() + shift, area.y() + shift, width, height);
    }
    return rects;
}
