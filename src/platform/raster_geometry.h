#pragma once
// Pixel geometry of the drawing device, free of any toolkit: horizontal spans
// of filled shapes (a pixel is inside when its centre (x + 0.5, y + 0.5) is),
// the pixels of one-pixel lines, and points along ellipses.
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/drawing_device.h"

namespace platform {

struct PointF {
    double x = 0;
    double y = 0;
};

// Pixels [x0, x1) of row y.
struct Span {
    int y = 0;
    int x0 = 0;
    int x1 = 0;
    friend bool operator==(const Span&, const Span&) = default;
};

// Spans sorted by row, then column, never overlapping.
using SpanList = std::vector<Span>;

// Closed polygons filled together by the rule, limited to the rectangle.
// FastRows false: every row through the general crossing sort (the reference
// the quicker rows are tested against).
SpanList PolygonSpans(const std::vector<std::vector<PointF>>& polygons, PolyFillMode mode, const Rect& limit,
                      bool FastRows = true);
// The ellipse inscribed in the box (left, top)-(right, bottom).
SpanList EllipseSpans(double left, double top, double right, double bottom, const Rect& limit);
// A rectangle with rounded corners (corner ellipse cornerWidth x cornerHeight).
SpanList RoundRectSpans(double left, double top, double right, double bottom, double cornerWidth,
                        double cornerHeight, const Rect& limit);
// A region (as Region::Contains sees it), limited to the rectangle.
SpanList RegionSpans(const Region& region, const Rect& limit);

// Pixel tests shared with Region::Contains (centre samples px = x + 0.5).
bool PointInEllipse(double px, double py, double left, double top, double right, double bottom);
bool PointInRoundRect(double px, double py, double left, double top, double right, double bottom,
                      double cornerWidth, double cornerHeight);
bool PointInPolygons(const std::vector<std::vector<PointF>>& polygons, PolyFillMode mode, double px, double py);

// Row-by-row boolean combination of two span lists.
SpanList CombineSpans(const SpanList& a, const SpanList& b, ClipCombine mode);

// Bounding rectangle of spans (empty when none).
Rect SpansBounds(const SpanList& spans);

// A walk over the visible pixels of a one-pixel line (see LinePixels):
//   LineWalk w = MakeLineWalk(a, b, false, limit);
//   while (w.Next(x, y, step)) ...
struct LineWalk {
    std::int64_t k = 0;
    std::int64_t kLast = -1;
    std::int64_t major0 = 0;
    std::int64_t minor0 = 0;
    std::int64_t q = 0;
    std::int64_t rem = 0;
    std::int64_t twoM = 0;
    std::int64_t twoN = 1;
    int sMaj = 1;
    int sMin = 1;
    bool xMajor = true;

    bool Next(int& x, int& y, std::int64_t& step)
    {
        if (k > kLast)
            return false;
        const std::int64_t maj = major0 + sMaj * k;
        const std::int64_t mnr = minor0 + sMin * q;
        x = static_cast<int>(xMajor ? maj : mnr);
        y = static_cast<int>(xMajor ? mnr : maj);
        step = k++;
        rem += twoM;
        if (rem >= twoN) {
            rem -= twoN;
            ++q;
        }
        return true;
    }
};
LineWalk MakeLineWalk(Point a, Point b, bool includeLast, const Rect& limit);

// The pixels of a one-pixel line from a to b: step k = 0..n, n = max(|dx|, |dy|);
// along the major axis one pixel per step, along the minor axis k * m / n
// rounded, halves toward the smaller coordinate (so a line and its reverse
// cover the same pixels). Only pixels inside the limit are
// reported, with their step index; includeLast = false leaves out step n.
void LinePixels(Point a, Point b, bool includeLast, const Rect& limit,
                const std::function<void(int x, int y, std::int64_t step)>& plot);

// Points on the ellipse with centre (cx, cy) and radii (rx, ry) (y down),
// parametric angle from t0 running by sweep (radians, positive = counter-
// clockwise on screen), close enough together for one-pixel outlines.
std::vector<PointF> EllipseArcPoints(double cx, double cy, double rx, double ry, double t0, double sweep);

// Whether EllipseArcPoints with the centre moved by whole pixels gives its
// points moved alike, exactly, for centres on halves of a pixel and all
// coordinates below 2^16 in size.
bool EllipseArcShiftable(double rx, double ry, double t0, double sweep);

// Whether PolygonSpans of the polygon (vertices on pixel centres) moved by
// whole pixels fills its pixels moved alike, for coordinates below 2^16.
bool PolygonSpansShiftable(const std::vector<PointF>& polygon);

// The parametric angle of the ellipse point that lies on the ray from the
// centre towards (dx, dy) (dy measured upwards).
double ParametricAngle(double rx, double ry, double dx, double dy);

}  // namespace platform
