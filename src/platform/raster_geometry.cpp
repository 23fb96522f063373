#include "platform/raster_geometry.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <utility>

namespace platform {

namespace {

int ClampInt(double v)
{
    if (std::isnan(v))
        return 0;
    if (v < -1e9)
        return -1000000000;
    if (v > 1e9)
        return 1000000000;
    return static_cast<int>(v);
}

// std::nearbyint in the default rounding mode without the library call: adding
// and taking away 2^52 leaves no fraction bits, so the sum is rounded to the
// nearest integer, halves to even.
double NearestEven(double v)
{
    constexpr double kTwo52 = 4503599627370496.0;
    if (!(std::abs(v) < kTwo52))
        return v;  // already whole (or not a number)
    // (the sign kept, as nearbyint keeps it: -0.3 gives -0)
    return std::copysign(v >= 0 ? (v + kTwo52) - kTwo52 : (v - kTwo52) + kTwo52, v);
}

// Pixels [x0, x1) of row y within the limit, merged into the last span when they touch it.
void AddPixels(SpanList& out, int y, int x0, int x1, const Rect& limit)
{
    x0 = std::max(x0, limit.left);
    x1 = std::min(x1, limit.right);
    if (x0 >= x1)
        return;
    if (!out.empty() && out.back().y == y && out.back().x1 >= x0) {
        out.back().x1 = std::max(out.back().x1, x1);
        return;
    }
    out.push_back({y, x0, x1});
}

// ClampInt(std::ceil(v)) without the library call.
int CeilInt(double v)
{
    if (std::isnan(v))
        return 0;
    if (v <= -1e9)
        return -1000000000;
    if (v > 1e9)
        return 1000000000;
    const int i = static_cast<int>(v);  // toward zero
    return static_cast<double>(i) < v ? i + 1 : i;
}

// Pixel columns whose centre lies in [xa, xb).
void AddInterval(SpanList& out, int y, double xa, double xb, const Rect& limit)
{
    AddPixels(out, y, CeilInt(xa - 0.5), CeilInt(xb - 0.5), limit);
}

struct Edge {
    PointF a;
    PointF b;
    double ylo;
    double yhi;
    int dir;  // +1 when a is the upper end
};

}  // namespace

bool PointInEllipse(double px, double py, double left, double top, double right, double bottom)
{
    const double a = (right - left) / 2.0;
    const double b = (bottom - top) / 2.0;
    if (a <= 0 || b <= 0)
        return false;
    const double dx = (px - (left + right) / 2.0) / a;
    const double dy = (py - (top + bottom) / 2.0) / b;
    return dx * dx + dy * dy <= 1.0;
}

bool PointInRoundRect(double px, double py, double left, double top, double right, double bottom,
                      double cornerWidth, double cornerHeight)
{
    if (!(px >= left && px < right && py >= top && py < bottom))
        return false;
    const double cw = std::min(std::abs(cornerWidth), right - left);
    const double ch = std::min(std::abs(cornerHeight), bottom - top);
    if (cw <= 0 || ch <= 0)
        return true;
    double ex;
    if (px < left + cw / 2)
        ex = left;
    else if (px > right - cw / 2)
        ex = right - cw;
    else
        return true;
    double ey;
    if (py < top + ch / 2)
        ey = top;
    else if (py > bottom - ch / 2)
        ey = bottom - ch;
    else
        return true;
    return PointInEllipse(px, py, ex, ey, ex + cw, ey + ch);
}

bool PointInPolygons(const std::vector<std::vector<PointF>>& polygons, PolyFillMode mode, double px, double py)
{
    const bool winding = mode == PolyFillMode::Winding;
    int count = 0;
    for (const auto& poly : polygons) {
        const std::size_t n = poly.size();
        for (std::size_t i = 0; i < n; ++i) {
            const PointF& a = poly[i];
            const PointF& b = poly[(i + 1) % n];
            const bool up = a.y <= py && b.y > py;
            const bool down = b.y <= py && a.y > py;
            if (!up && !down)
                continue;
            const double t = (py - a.y) / (b.y - a.y);
            const double xCross = a.x + t * (b.x - a.x);
            if (xCross > px)
                count += winding ? (up ? 1 : -1) : 1;
        }
    }
    return winding ? count != 0 : (count % 2) != 0;
}

SpanList PolygonSpans(const std::vector<std::vector<PointF>>& polygons, PolyFillMode mode, const Rect& limit,
                      bool FastRows)
{
    SpanList out;
    if (limit.IsEmpty())
        return out;
    std::vector<Edge> edges;
    double minY = std::numeric_limits<double>::infinity();
    double maxY = -minY;
    double minX = minY;
    double maxX = maxY;
    bool finiteX = true;
    for (const auto& poly : polygons) {
        const std::size_t n = poly.size();
        if (n < 2)
            continue;
        for (std::size_t i = 0; i < n; ++i) {
            const PointF& a = poly[i];
            const PointF& b = poly[(i + 1) % n];
            if (a.y == b.y || !std::isfinite(a.y) || !std::isfinite(b.y))
                continue;
            Edge e{a, b, std::min(a.y, b.y), std::max(a.y, b.y), a.y < b.y ? 1 : -1};
            minY = std::min(minY, e.ylo);
            maxY = std::max(maxY, e.yhi);
            finiteX = finiteX && std::isfinite(a.x) && std::isfinite(b.x);
            minX = std::min({minX, a.x, b.x});
            maxX = std::max({maxX, a.x, b.x});
            edges.push_back(e);
        }
    }
    if (edges.empty())
        return out;
    // no pixel centre between the leftmost and rightmost x: no pixel at all
    if (FastRows && finiteX && CeilInt(minX - 0.5) >= CeilInt(maxX - 0.5))
        return out;
    std::sort(edges.begin(), edges.end(), [](const Edge& l, const Edge& r) { return l.ylo < r.ylo; });
    const int rowStart = std::max(limit.top, ClampInt(std::ceil(minY - 0.5)));
    const int rowEnd = std::min(limit.bottom, ClampInt(std::ceil(maxY - 0.5)));
    const bool winding = mode == PolyFillMode::Winding;
    std::vector<const Edge*> active;
    std::vector<std::pair<double, int>> xs;
    std::size_t next = 0;
    if (rowEnd > rowStart)
        out.reserve(static_cast<std::size_t>(rowEnd - rowStart));
    // the lowest end among the active edges: nothing leaves before it
    double nextEnd = std::numeric_limits<double>::infinity();
    const auto crossing = [FastRows](const Edge& e, double yc) {
        // same arithmetic as PointInPolygons (a vertical edge gives a.x exactly)
        if (FastRows && e.a.x == e.b.x)
            return e.a.x;
        const double t = (yc - e.a.y) / (e.b.y - e.a.y);
        return e.a.x + t * (e.b.x - e.a.x);
    };
    for (int y = rowStart; y < rowEnd; ++y) {
        const double yc = y + 0.5;
        while (next < edges.size() && edges[next].ylo <= yc) {
            active.push_back(&edges[next]);
            nextEnd = std::min(nextEnd, edges[next].yhi);
            ++next;
        }
        if (!FastRows || nextEnd <= yc) {
            active.erase(std::remove_if(active.begin(), active.end(), [&](const Edge* e) { return e->yhi <= yc; }),
                         active.end());
            nextEnd = std::numeric_limits<double>::infinity();
            for (const Edge* e : active)
                nextEnd = std::min(nextEnd, e->yhi);
        }
        // two edges (every convex piece): their interval, when it is one
        if (FastRows && active.size() == 2 && (!winding || active[0]->dir != active[1]->dir)) {
            const double x0 = crossing(*active[0], yc);
            const double x1 = crossing(*active[1], yc);
            AddInterval(out, y, std::min(x0, x1), std::max(x0, x1), limit);
            continue;
        }
        xs.clear();
        for (const Edge* e : active)
            xs.emplace_back(crossing(*e, yc), e->dir);
        std::sort(xs.begin(), xs.end(), [](const auto& l, const auto& r) { return l.first < r.first; });
        if (!winding) {
            for (std::size_t i = 0; i + 1 < xs.size(); i += 2)
                AddInterval(out, y, xs[i].first, xs[i + 1].first, limit);
        } else {
            int w = 0;
            double start = 0;
            for (const auto& [x, dir] : xs) {
                const int before = w;
                w -= dir;
                if (before == 0 && w != 0)
                    start = x;
                else if (before != 0 && w == 0)
                    AddInterval(out, y, start, x, limit);
            }
        }
    }
    return out;
}

SpanList EllipseSpans(double left, double top, double right, double bottom, const Rect& limit)
{
    SpanList out;
    const double a = (right - left) / 2.0;
    const double b = (bottom - top) / 2.0;
    if (a <= 0 || b <= 0 || limit.IsEmpty())
        return out;
    const double cx = (left + right) / 2.0;
    const double cy = (top + bottom) / 2.0;
    const int rowStart = std::max(limit.top, ClampInt(std::floor(top)) - 1);
    const int rowEnd = std::min(limit.bottom, ClampInt(std::ceil(bottom)) + 1);
    auto in = [&](int x, double py) { return PointInEllipse(x + 0.5, py, left, top, right, bottom); };
    for (int y = rowStart; y < rowEnd; ++y) {
        const double py = y + 0.5;
        const double dy = (py - cy) / b;
        const double s = 1.0 - dy * dy;
        if (s < 0)
            continue;
        const double half = a * std::sqrt(s);
        int x0 = ClampInt(std::ceil(cx - half - 0.5));
        int x1 = ClampInt(std::floor(cx + half - 0.5));
        // settle the ends with the exact test
        while (x0 <= x1 && !in(x0, py))
            ++x0;
        while (in(x0 - 1, py))
            --x0;
        while (x1 >= x0 && !in(x1, py))
            --x1;
        while (x1 >= x0 && in(x1 + 1, py))
            ++x1;
        if (x0 <= x1)
            AddPixels(out, y, x0, x1 + 1, limit);
    }
    return out;
}

SpanList RoundRectSpans(double left, double top, double right, double bottom, double cornerWidth,
                        double cornerHeight, const Rect& limit)
{
    SpanList out;
    if (right <= left || bottom <= top || limit.IsEmpty())
        return out;
    const int rowStart = std::max(limit.top, ClampInt(std::ceil(top - 0.5)));
    const int rowEnd = std::min(limit.bottom, ClampInt(std::ceil(bottom - 0.5)));
    const int colStart = ClampInt(std::ceil(left - 0.5));
    const int colEnd = ClampInt(std::ceil(right - 0.5));
    const double cw = std::min(std::abs(cornerWidth), right - left);
    const double ch = std::min(std::abs(cornerHeight), bottom - top);
    auto in = [&](int x, double py) {
        return PointInRoundRect(x + 0.5, py, left, top, right, bottom, cornerWidth, cornerHeight);
    };
    for (int y = rowStart; y < rowEnd; ++y) {
        const double py = y + 0.5;
        int x0 = colStart;
        int x1 = colEnd - 1;
        if (cw > 0 && ch > 0 && (py < top + ch / 2 || py > bottom - ch / 2)) {
            // the corner ellipses bound the row; estimate, then settle exactly
            const double ecy = py < top + ch / 2 ? top + ch / 2 : bottom - ch / 2;
            const double dy = (py - ecy) / (ch / 2);
            const double half = cw / 2 * std::sqrt(std::max(0.0, 1 - dy * dy));
            x0 = std::max(x0, ClampInt(std::ceil(left + cw / 2 - half - 0.5)));
            x1 = std::min(x1, ClampInt(std::floor(right - cw / 2 + half - 0.5)));
            for (int i = 0; i < 4 && x0 <= x1 && !in(x0, py); ++i)
                ++x0;
            while (x0 > colStart && in(x0 - 1, py))
                --x0;
            for (int i = 0; i < 4 && x1 >= x0 && !in(x1, py); ++i)
                --x1;
            while (x1 < colEnd - 1 && in(x1 + 1, py))
                ++x1;
        }
        if (x0 <= x1 && in(x0, py))
            AddPixels(out, y, x0, x1 + 1, limit);
    }
    return out;
}

SpanList CombineSpans(const SpanList& a, const SpanList& b, ClipCombine mode)
{
    if (mode == ClipCombine::Copy)
        return a;
    SpanList out;
    std::size_t ia = 0;
    std::size_t ib = 0;
    std::vector<std::pair<int, int>> events;  // x, +-1 for a (bit 0) / b (bit 1)
    const Rect unlimited{std::numeric_limits<int>::min(), 0, std::numeric_limits<int>::max(), 0};
    while (ia < a.size() || ib < b.size()) {
        int y;
        if (ia < a.size() && (ib >= b.size() || a[ia].y <= b[ib].y))
            y = a[ia].y;
        else
            y = b[ib].y;
        events.clear();
        while (ia < a.size() && a[ia].y == y) {
            events.emplace_back(a[ia].x0, 1);
            events.emplace_back(a[ia].x1, -1);
            ++ia;
        }
        while (ib < b.size() && b[ib].y == y) {
            events.emplace_back(b[ib].x0, 2);
            events.emplace_back(b[ib].x1, -2);
            ++ib;
        }
        std::sort(events.begin(), events.end());
        int inA = 0;
        int inB = 0;
        std::size_t i = 0;
        while (i < events.size()) {
            const int x = events[i].first;
            while (i < events.size() && events[i].first == x) {
                const int e = events[i].second;
                if (e == 1 || e == -1)
                    inA += e;
                else
                    inB += e / 2;
                ++i;
            }
            if (i >= events.size())
                break;
            const int xNext = events[i].first;
            const bool pa = inA > 0;
            const bool pb = inB > 0;
            bool keep = false;
            switch (mode) {
            case ClipCombine::And: keep = pa && pb; break;
            case ClipCombine::Or: keep = pa || pb; break;
            case ClipCombine::Xor: keep = pa != pb; break;
            case ClipCombine::Diff: keep = pa && !pb; break;
            case ClipCombine::Copy: keep = pa; break;
            }
            if (keep) {
                Rect lim = unlimited;
                AddPixels(out, y, x, xNext, lim);
            }
        }
    }
    return out;
}

SpanList RegionSpans(const Region& region, const Rect& limit)
{
    SpanList out;
    switch (region.GetKind()) {
    case Region::Kind::Empty:
        return out;
    case Region::Kind::Rect: {
        const Rect r = region.Box();
        for (int y = std::max(r.top, limit.top); y < std::min(r.bottom, limit.bottom); ++y)
            AddPixels(out, y, r.left, r.right, limit);
        return out;
    }
    case Region::Kind::Ellipse: {
        const Rect r = region.Box();
        return EllipseSpans(r.left, r.top, r.right, r.bottom, limit);
    }
    case Region::Kind::RoundRect: {
        const Rect r = region.Box();
        return RoundRectSpans(r.left, r.top, r.right, r.bottom, region.Corner().cx, region.Corner().cy, limit);
    }
    case Region::Kind::Polygon: {
        std::vector<std::vector<PointF>> polys;
        for (const auto& poly : region.Polygons()) {
            std::vector<PointF> pts;
            pts.reserve(poly.size());
            for (const Point& p : poly)
                pts.push_back({static_cast<double>(p.x), static_cast<double>(p.y)});
            polys.push_back(std::move(pts));
        }
        return PolygonSpans(polys, region.FillMode(), limit);
    }
    case Region::Kind::Rects: {
        for (const Rect& r : region.Rects()) {
            SpanList one;
            for (int y = std::max(r.top, limit.top); y < std::min(r.bottom, limit.bottom); ++y)
                AddPixels(one, y, r.left, r.right, limit);
            out = CombineSpans(out, one, ClipCombine::Or);
        }
        return out;
    }
    case Region::Kind::Combined:
        return CombineSpans(RegionSpans(region.First(), limit), RegionSpans(region.Second(), limit), region.Mode());
    }
    return out;
}

Rect SpansBounds(const SpanList& spans)
{
    if (spans.empty())
        return {};
    Rect r{spans.front().x0, spans.front().y, spans.front().x1, spans.front().y + 1};
    for (const Span& s : spans) {
        r.left = std::min(r.left, s.x0);
        r.right = std::max(r.right, s.x1);
        r.top = std::min(r.top, s.y);
        r.bottom = std::max(r.bottom, s.y + 1);
    }
    return r;
}

LineWalk MakeLineWalk(Point a, Point b, bool includeLast, const Rect& limit)
{
    LineWalk w;  // empty: kLast < k
    if (limit.IsEmpty())
        return w;
    const std::int64_t dx = static_cast<std::int64_t>(b.x) - a.x;
    const std::int64_t dy = static_cast<std::int64_t>(b.y) - a.y;
    const std::int64_t adx = dx < 0 ? -dx : dx;
    const std::int64_t ady = dy < 0 ? -dy : dy;
    const std::int64_t n = std::max(adx, ady);
    if (n == 0) {
        if (includeLast && a.x >= limit.left && a.x < limit.right && a.y >= limit.top && a.y < limit.bottom) {
            w.major0 = a.x;
            w.minor0 = a.y;
            w.kLast = 0;
        }
        return w;
    }
    const std::int64_t kEnd = includeLast ? n : n - 1;
    const bool xMajor = adx >= ady;
    const std::int64_t major0 = xMajor ? a.x : a.y;
    const std::int64_t minor0 = xMajor ? a.y : a.x;
    const int sMaj = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const std::int64_t minorDelta = xMajor ? dy : dx;
    const int sMin = minorDelta < 0 ? -1 : 1;
    const std::int64_t m = minorDelta < 0 ? -minorDelta : minorDelta;
    const std::int64_t majLo = xMajor ? limit.left : limit.top;
    const std::int64_t majHi = (xMajor ? limit.right : limit.bottom) - 1;
    const std::int64_t minLo = xMajor ? limit.top : limit.left;
    const std::int64_t minHi = (xMajor ? limit.bottom : limit.right) - 1;

    // minor offset at step k: k m / n rounded, halves toward the smaller
    // coordinate (down when the minor axis runs forward, up when backward), so
    // a line covers the same pixels drawn either way
    const std::int64_t bias = sMin > 0 ? n - 1 : n;
    auto minorAt = [&](std::int64_t k) {
        const __int128 num = static_cast<__int128>(2) * k * m + bias;
        const std::int64_t q = static_cast<std::int64_t>(num / (static_cast<__int128>(2) * n));
        return minor0 + sMin * q;
    };

    std::int64_t k0 = 0;
    std::int64_t k1 = kEnd;
    if (sMaj > 0) {
        k0 = std::max(k0, majLo - major0);
        k1 = std::min(k1, majHi - major0);
    } else {
        k0 = std::max(k0, major0 - majHi);
        k1 = std::min(k1, major0 - majLo);
    }
    if (k0 > k1)
        return w;
    const bool inside = a.x >= limit.left && a.x < limit.right && a.y >= limit.top && a.y < limit.bottom &&
                        b.x >= limit.left && b.x < limit.right && b.y >= limit.top && b.y < limit.bottom;
    // the walk's start: step k0 with minor offset q0 and remainder rem0 of
    // (2 k0 m + bias) / 2n; a line wholly inside the limit starts at step 0,
    // offset bias / 2n = 0 (bias <= n), with no search
    std::int64_t q0 = 0;
    std::int64_t rem0 = bias;
    if (!inside) {
        // the minor coordinate moves monotonically: narrow the range by bisection
        auto firstWhere = [&](std::int64_t lo, std::int64_t hi, auto pred) {
            // smallest k in [lo, hi] with pred(k), or hi + 1
            std::int64_t l = lo;
            std::int64_t h = hi + 1;
            while (l < h) {
                const std::int64_t mid = l + (h - l) / 2;
                if (pred(mid))
                    h = mid;
                else
                    l = mid + 1;
            }
            return l;
        };
        if (sMin > 0) {
            k0 = firstWhere(k0, k1, [&](std::int64_t k) { return minorAt(k) >= minLo; });
            k1 = firstWhere(k0, k1, [&](std::int64_t k) { return minorAt(k) > minHi; }) - 1;
        } else {
            k0 = firstWhere(k0, k1, [&](std::int64_t k) { return minorAt(k) <= minHi; });
            k1 = firstWhere(k0, k1, [&](std::int64_t k) { return minorAt(k) < minLo; }) - 1;
        }
        if (k0 > k1)
            return w;
        // step on incrementally: the numerator 2km + bias grows by 2m per step
        const __int128 num0 = static_cast<__int128>(2) * k0 * m + bias;
        q0 = static_cast<std::int64_t>(num0 / (2 * n));
        rem0 = static_cast<std::int64_t>(num0 % (2 * n));
    }
    w.twoN = 2 * n;
    w.twoM = 2 * m;
    w.q = q0;
    w.rem = rem0;
    w.k = k0;
    w.kLast = k1;
    w.major0 = major0;
    w.minor0 = minor0;
    w.sMaj = sMaj;
    w.sMin = sMin;
    w.xMajor = xMajor;
    return w;
}

void LinePixels(Point a, Point b, bool includeLast, const Rect& limit,
                const std::function<void(int x, int y, std::int64_t step)>& plot)
{
    LineWalk w = MakeLineWalk(a, b, includeLast, limit);
    int x = 0;
    int y = 0;
    std::int64_t step = 0;
    while (w.Next(x, y, step))
        plot(x, y, step);
}

namespace {

// The cosines (x) and sines (y) of the angles t0 + sweep * i / n, i = 0..n.
// The last few tables are kept: outlines of one size repeat (markers, pies of
// a chart), and the library sines are most of an outline's cost.
const std::vector<PointF>& UnitArc(double t0, double sweep, std::int64_t n)
{
    struct Entry {
        std::uint64_t t0;
        std::uint64_t sweep;
        std::int64_t n;
        std::vector<PointF> cs;
    };
    constexpr std::size_t kEntries = 64;
    constexpr std::int64_t kLongest = 2048;  // longer tables are not kept
    thread_local std::vector<Entry> cache;
    thread_local std::size_t next = 0;
    thread_local std::vector<PointF> once;
    const auto t0Bits = std::bit_cast<std::uint64_t>(t0);
    const auto sweepBits = std::bit_cast<std::uint64_t>(sweep);
    for (const Entry& e : cache)
        if (e.n == n && e.t0 == t0Bits && e.sweep == sweepBits)
            return e.cs;
    std::vector<PointF>* table = &once;
    if (n <= kLongest) {
        if (cache.size() < kEntries) {
            cache.reserve(kEntries);
            cache.push_back({t0Bits, sweepBits, n, {}});
            table = &cache.back().cs;
        } else {
            Entry& e = cache[next];
            next = (next + 1) % kEntries;
            e.t0 = t0Bits;
            e.sweep = sweepBits;
            e.n = n;
            table = &e.cs;
        }
    }
    table->resize(static_cast<std::size_t>(n) + 1);
    for (std::int64_t i = 0; i <= n; ++i) {
        const double t = t0 + sweep * static_cast<double>(i) / static_cast<double>(n);
        (*table)[static_cast<std::size_t>(i)] = {std::cos(t), std::sin(t)};
    }
    return *table;
}

}  // namespace

namespace {

// The number of steps EllipseArcPoints takes along the arc.
std::int64_t ArcSteps(double rx, double ry, double sweep)
{
    const double r = std::max(std::abs(rx), std::abs(ry));
    const double dt = r > 0.5 ? 0.5 / r : 0.5;
    const auto n = static_cast<std::int64_t>(std::ceil(std::abs(sweep) / dt));
    return std::clamp<std::int64_t>(n, 4, 20000);
}

// Whether v lies further than 2^-20 from every value of the step's half
// (whole values when half is 0, halves between them when it is 0.5).
bool ClearOf(double v, double half)
{
    constexpr double kMargin = 1.0 / (1 << 20);
    const double d = std::abs(v - std::floor(v) - half);
    return d > kMargin && (half != 0 || 1 - d > kMargin);
}

}  // namespace

std::vector<PointF> EllipseArcPoints(double cx, double cy, double rx, double ry, double t0, double sweep)
{
    std::vector<PointF> pts;
    const std::int64_t n = ArcSteps(rx, ry, sweep);
    // on a grid of 1/4096 pixel, so that rounding noise of the sines never
    // tips a point across a pixel centre (a radial along a row stays on it)
    // (times 1/4096 is the division by 4096 exactly: a power of two)
    auto snap = [](double v) { return NearestEven(v * 4096.0) * (1.0 / 4096.0); };
    const std::vector<PointF>& unit = UnitArc(t0, sweep, n);
    pts.resize(unit.size());
    for (std::size_t i = 0; i < unit.size(); ++i)
        pts[i] = {snap(cx + rx * unit[i].x), snap(cy - ry * unit[i].y)};
    return pts;
}

bool EllipseArcShiftable(double rx, double ry, double t0, double sweep)
{
    // a point is snap(c + p), p = rx cos t (or -ry sin t) rounded: 4096 c is
    // whole, and with |c + p| < 2^16 the sum's rounding moves it by at most
    // 2^-37 (2^-25 on the grid), so unless 4096 p is that close to a half the
    // snapped point is c plus the same grid value wherever c lies
    const std::vector<PointF>& unit = UnitArc(t0, sweep, ArcSteps(rx, ry, sweep));
    for (const PointF& u : unit)
        if (!ClearOf(4096.0 * (rx * u.x), 0.5) || !ClearOf(4096.0 * (ry * u.y), 0.5))
            return false;
    return true;
}

bool PolygonSpansShiftable(const std::vector<PointF>& polygon)
{
    // a row's crossing is a.x + t (b.x - a.x) with t and the product q the
    // same wherever the polygon lies (differences of pixel centres are whole);
    // the column it starts is ceil(a.x - 0.5 + q): unchanged by a whole move
    // unless q falls within the two roundings (< 2^-35 at |x| < 2^16) of a
    // whole value without being one
    const std::size_t n = polygon.size();
    for (std::size_t i = 0; i < n; ++i) {
        const PointF& a = polygon[i];
        const PointF& b = polygon[(i + 1) % n];
        if (a.y == b.y)
            continue;
        const double lo = std::min(a.y, b.y);
        const double hi = std::max(a.y, b.y);
        for (double yc = std::ceil(lo - 0.5) + 0.5; yc < hi; yc += 1) {
            const double t = (yc - a.y) / (b.y - a.y);
            const double q = t * (b.x - a.x);
            if (q != std::floor(q) && !ClearOf(q, 0))
                return false;
        }
    }
    return true;
}

double ParametricAngle(double rx, double ry, double dx, double dy)
{
    if (rx <= 0 || ry <= 0)
        return std::atan2(dy, dx);
    return std::atan2(rx * dy, ry * dx);
}

}  // namespace platform
