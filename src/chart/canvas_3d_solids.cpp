#include "chart/canvas_3d_solids.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "chart/drawing_utils.h"
#include "chart/plot_canvas.h"
#include "chart/plot_gradient.h"

int CylinderSegments = 16;

namespace {

// Twice the signed area in screen pixels (y down): positive for a face whose
// corners run clockwise on screen, that is a face turned towards the viewer.
std::int64_t ScreenArea(std::span<const TPoint> p)
{
    std::int64_t a = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const TPoint& u = p[i];
        const TPoint& v = p[(i + 1) % p.size()];
        a += std::int64_t{u.X} * v.Y - std::int64_t{v.X} * u.Y;
    }
    return a;
}

}  // namespace

void DrawCone(TCanvas3D& Canvas, bool Vertical, int Left, int Top, int Right, int Bottom, int Z0, int Z1, bool Dark3D,
                         int ConePercent)
{
    const int segments = std::max(3, CylinderSegments);
    const TColor face = Canvas.Brush()->Style() == bsSolid ? Canvas.Brush()->Color() : Canvas.GetBackColor();
    // the axis runs along y (vertical) or x; rim A has the full radii, rim B the cone's
    const int across0 = Vertical ? Left : Top;
    const int across1 = Vertical ? Right : Bottom;
    const int ra = (across1 - across0) / 2;
    const int rz = (Z1 - Z0) / 2;
    const int ca = across0 + ra;
    const int cz = Z0 + rz;
    const int rb = Nearest(static_cast<double>(ra) * ConePercent * 0.01);
    const int rbz = Nearest(static_cast<double>(rz) * ConePercent * 0.01);
    const int atA = Vertical ? Top : Right;
    const int atB = Vertical ? Bottom : Left;
    std::vector<TPoint> rimA(static_cast<std::size_t>(segments) + 1);
    std::vector<TPoint> rimB(rimA.size());
    const double step = 2 * std::numbers::pi / segments;
    for (int k = 0; k <= segments; ++k) {
        const double c = std::cos(k * step);
        const double s = std::sin(k * step);
        const int aA = ca + Nearest(ra * c);
        const int zA = cz - Nearest(rz * s);
        const int aB = ca + Nearest(rb * c);
        const int zB = cz - Nearest(rbz * s);
        auto& pa = rimA[static_cast<std::size_t>(k)];
        auto& pb = rimB[static_cast<std::size_t>(k)];
        if (Vertical) {
            Canvas.ProjectPoint3D(pa, aA, atA, zA);
            Canvas.ProjectPoint3D(pb, aB, atB, zB);
        } else {
            Canvas.ProjectPoint3D(pa, atA, aA, zA);
            Canvas.ProjectPoint3D(pb, atB, aB, zB);
        }
    }
    // 256 div (2 x segments), kept in one byte; the product in 16 bits
    const auto darkStep = static_cast<std::uint8_t>(256 / (2 * segments));
    auto facet = [&](int k0, int k1) {
        const TPoint f[4] = {rimA[static_cast<std::size_t>(k0)], rimB[static_cast<std::size_t>(k0)],
                             rimB[static_cast<std::size_t>(k1)], rimA[static_cast<std::size_t>(k1)]};
        if (ScreenArea(f) <= 0)
            return;
        std::copy(std::begin(f), std::end(f), Canvas.FourCorners);
        Canvas.PolygonFour();
    };
    int i = 0;
    for (int k = 1; k < segments; ++k, ++i) {
        if (Dark3D)
            Canvas.SetDarkBrush(face, static_cast<std::uint16_t>(i * darkStep));
        facet(k, k + 1);
    }
    // closes the ring back to point 1 with the brush of the facet before
    facet(segments, 1);
    if (Dark3D)
        Canvas.SetDarkBrush(face, DarkTopAmount);
    Canvas.Polygon(std::span<const TPoint>(rimA.data(), static_cast<std::size_t>(segments)));
    if (Canvas.Brush()->Style() == bsSolid)
        Canvas.Brush()->SetColor(face);
    else
        Canvas.SetBackColor(face);
}

void DrawPyramid(TCanvas3D& Canvas, bool Vertical, int Left, int Top, int Right, int Bottom, int Z0, int Z1, bool DarkSides)
{
    const TColor face = Canvas.Brush()->Style() == bsSolid ? Canvas.Brush()->Color() : Canvas.GetBackColor();
    const int zm = (Z0 + Z1) / 2;
    TPoint3D base[4];
    TPoint3D apex;
    bool reversed;
    if (Vertical) {
        base[0] = {Left, Bottom, Z0};
        base[1] = {Right, Bottom, Z0};
        base[2] = {Right, Bottom, Z1};
        base[3] = {Left, Bottom, Z1};
        apex = {(Left + Right) / 2, Top, zm};
        reversed = Top > Bottom;
        if (DarkSides)
            Canvas.SetDarkBrush(face, DarkTopAmount);
        Canvas.RectangleY(Left, Bottom, Right, Z0, Z1);
    } else {
        base[0] = {Left, Top, Z0};
        base[1] = {Left, Bottom, Z0};
        base[2] = {Left, Bottom, Z1};
        base[3] = {Left, Top, Z1};
        apex = {Right, (Top + Bottom) / 2, zm};
        reversed = Left > Right;
        if (DarkSides)
            Canvas.SetDarkBrush(face, DarkSideAmount);
        Canvas.RectangleZ(Left, Top, Bottom, Z0, Z1);
    }
    TPoint pb[4];
    for (int k = 0; k < 4; ++k)
        Canvas.ProjectPoint3D(pb[k], base[k].X, base[k].Y, base[k].Z);
    TPoint pa;
    Canvas.ProjectPoint3D(pa, apex.X, apex.Y, apex.Z);
    // front, right (or bottom), back, left (or top)
    const int darkness[4] = {DarkTopAmount, DarkSideAmount, DarkTopAmount, DarkSideAmount};
    for (int k = 0; k < 4; ++k) {
        const TPoint t[3] = {pb[(k + 1) % 4], pb[k], pa};
        const std::int64_t area = ScreenArea(t);
        if (reversed ? area >= 0 : area <= 0)
            continue;
        if (DarkSides)
            Canvas.SetDarkBrush(face, darkness[k]);
        else if (Canvas.Brush()->Style() == bsSolid)
            Canvas.Brush()->SetColor(face);
        Canvas.Polygon(t);
    }
    if (Canvas.Brush()->Style() == bsSolid)
        Canvas.Brush()->SetColor(face);
    else
        Canvas.SetBackColor(face);
}

void DrawPyramidTrunc(TCanvas3D& Canvas, const TRect& R, int StartZ, int EndZ, int TruncX, int TruncZ)
{
    const int xm = (R.Left + R.Right) / 2;
    const int zm = (StartZ + EndZ) / 2;
    const bool upright = R.Bottom > R.Top;
    auto topFace = [&] {
        if (TruncX != 0)
            Canvas.RectangleY(xm - TruncX, R.Top, xm + TruncX, zm - TruncZ, zm + TruncZ);
    };
    auto baseFace = [&] { Canvas.RectangleY(R.Left, R.Bottom, R.Right, StartZ, EndZ); };
    if (upright)
        baseFace();
    else
        topFace();
    auto visible = [](const TPoint (&c)[4], bool reverse) {
        return reverse ? PointsClockwise(c[0], c[1], c[2]) : PointsClockwise(c[2], c[1], c[0]);
    };
    // front and back: the base edge at depth zBase, the top edge at zTop
    auto depthSide = [&](int zBase, int zTop) {
        const bool reverse = (R.Top < R.Bottom && zTop < zBase && zTop > 0) || (R.Bottom < R.Top && zTop > zBase);
        const TPoint p[4] = {{R.Left, R.Bottom}, {R.Right, R.Bottom}, {xm + TruncX, R.Top}, {xm - TruncX, R.Top}};
        TPoint c[4] = {p[0], p[1], p[2], p[3]};
        for (int k = 0; k < 4; ++k)
            Canvas.ProjectFloat(c[k], k < 2 ? zBase : zTop, p[k].X, p[k].Y);
        if (visible(c, reverse))
            Canvas.PlaneFour3D(p, zBase, zTop);
    };
    // left and right: the base edge at x = xBase, the top edge at xTop
    auto widthSide = [&](int xBase, int xTop) {
        const bool reverse = (R.Top < R.Bottom && xTop < xBase) || (R.Bottom < R.Top && xTop > xBase);
        TPoint c[4];
        Canvas.ProjectPoint3D(c[0], xBase, R.Bottom, StartZ);
        Canvas.ProjectPoint3D(c[1], xBase, R.Bottom, EndZ);
        Canvas.ProjectPoint3D(c[2], xTop, R.Top, zm + TruncZ);
        Canvas.ProjectPoint3D(c[3], xTop, R.Top, zm - TruncZ);
        // their corners run the other way round from the front's
        if (!visible(c, !reverse))
            return;
        std::copy(std::begin(c), std::end(c), Canvas.FourCorners);
        Canvas.PolygonFour();
    };
    depthSide(EndZ, zm + TruncZ);
    if (!(TruncX == 0 && StartZ == EndZ)) {
        widthSide(R.Left, xm - TruncX);
        depthSide(StartZ, zm - TruncZ);
        widthSide(R.Right, xm + TruncX);
    }
    if (upright)
        topFace();
    else
        baseFace();
}

void DrawPie3D(TCanvas3D& Canvas, int XCenter, int YCenter, int XRadius, int YRadius, int Z0, int Z1, double StartAngle,
                          double EndAngle, bool DarkSides, bool DrawSides, int DonutPercent,
                          TCustomPlotGradient* Gradient)
{
    const TColor face = Canvas.Brush()->Style() == bsSolid ? Canvas.Brush()->Color() : Canvas.GetBackColor();
    const int n = std::min(Nearest(std::abs(EndAngle - StartAngle) * 180 / std::numbers::pi / 2), 94) + 2;
    const double step = (EndAngle - StartAngle) / (n - 1);
    auto arcPoint = [&](double rx, double ry, double a, int z) {
        const double x = XCenter + rx * std::cos(a);
        const double y = YCenter - ry * std::sin(a);
        TPoint p{Nearest(x), Nearest(y)};
        Canvas.ProjectFloat(p, z, x, y);
        return p;
    };
    std::vector<TPoint> front(static_cast<std::size_t>(n));
    std::vector<TPoint> back(front.size());
    for (int k = 0; k < n; ++k) {
        const double a = StartAngle + k * step;
        front[static_cast<std::size_t>(k)] = arcPoint(XRadius, YRadius, a, Z0);
        back[static_cast<std::size_t>(k)] = arcPoint(XRadius, YRadius, a, Z1);
    }
    auto restoreFace = [&] {
        if (Canvas.Brush()->Style() == bsSolid)
            Canvas.Brush()->SetColor(face);
        else
            Canvas.SetBackColor(face);
    };
    // the inner ends of the flat sides: the centre, or the donut's inner arc
    std::vector<TPoint> innerFront;
    std::vector<TPoint> innerBack;
    if (DonutPercent > 0) {
        const double irx = DonutPercent * XRadius * 0.01;
        const double iry = DonutPercent * YRadius * 0.01;
        for (int k = n - 1; k >= 0; --k) {
            const double a = StartAngle + k * step;
            innerFront.push_back(arcPoint(irx, iry, a, Z0));
            innerBack.push_back(arcPoint(irx, iry, a, Z1));
        }
        std::vector<TPoint> side(innerFront);
        side.insert(side.end(), innerBack.rbegin(), innerBack.rend());
        if (DarkSides)
            Canvas.SetDarkBrush(face, DarkTopAmount);
        Canvas.Polygon(side);
        restoreFace();
    } else {
        TPoint c0{XCenter, YCenter};
        TPoint c1 = c0;
        Canvas.ProjectFloat(c0, Z0, XCenter, YCenter);
        Canvas.ProjectFloat(c1, Z1, XCenter, YCenter);
        innerFront.push_back(c0);
        innerBack.push_back(c1);
    }
    if (DrawSides) {
        auto flatSide = [&](std::size_t outer, std::size_t inner) {
            const TPoint p[4] = {innerFront[inner], front[outer], back[outer], innerBack[inner]};
            if (DarkSides)
                Canvas.SetDarkBrush(face, DarkSideAmount);
            std::copy(std::begin(p), std::end(p), Canvas.FourCorners);
            Canvas.PolygonFour();
            restoreFace();
        };
        const std::size_t last = front.size() - 1;
        if (front[last].X < Canvas.ScreenCentreX)
            flatSide(last, 0);
        if (front[0].X > Canvas.ScreenCentreX)
            flatSide(0, innerFront.size() - 1);
    }
    restoreFace();
    std::vector<TPoint> top(front);
    top.insert(top.end(), innerFront.begin(), innerFront.end());
    if (Gradient)
        Canvas.GradientPolygon(top, Gradient);
    else
        Canvas.Polygon(top);
    // the curved outer side where the rim turns towards the viewer (x increasing)
    // (points that round to the same x do not break a run)
    std::size_t k = 0;
    while (k + 1 < front.size()) {
        std::size_t e = k;
        while (e + 1 < front.size() && front[e + 1].X >= front[e].X)
            ++e;
        if (front[e].X <= front[k].X) {
            k = e + 1;
            continue;
        }
        std::vector<TPoint> band(front.begin() + static_cast<std::ptrdiff_t>(k),
                                 front.begin() + static_cast<std::ptrdiff_t>(e) + 1);
        for (std::size_t j = e + 1; j-- > k;)
            band.push_back(back[j]);
        if (DarkSides)
            Canvas.SetDarkBrush(face, DarkTopAmount);
        if (Gradient)
            Canvas.GradientPolygon(band, Gradient);
        else
            Canvas.Polygon(band);
        restoreFace();
        k = e;
    }
}

void DrawArrow(TCanvas3D& Canvas, bool Filled, const TPoint& FromPoint, const TPoint& ToPoint, int HeadWidth, int HeadHeight,
                          int Z, double ArrowPercent)
{
    const double dx = ToPoint.X - FromPoint.X;
    const double dy = FromPoint.Y - ToPoint.Y;
    const double l = Hypotenuse(dy, dx);
    if (!(l > 0))
        return;
    const int h = std::min(HeadHeight, Nearest(l));
    const double s = dy / l;
    const double c = dx / l;
    // the arrow's own frame: u along the arrow, v across it
    const double u = ToPoint.X * c - ToPoint.Y * s;
    const double v = ToPoint.X * s + ToPoint.Y * c;
    auto back = [&](double fu, double fv) {
        TPoint p;
        Canvas.ProjectPoint3D(p, Nearest(fu * c + fv * s), Nearest(-fu * s + fv * c), Z);
        return p;
    };
    const double base = u - h;
    const TPoint corner0 = back(base, v - HeadWidth / 2.0);
    const TPoint corner1 = back(base, v + HeadWidth / 2.0);
    TPoint tip;
    Canvas.ProjectPoint3D(tip, ToPoint.X, ToPoint.Y, Z);
    if (Filled) {
        const double half = HeadWidth * 0.005 * ArrowPercent;
        const double tail = FromPoint.X * c - FromPoint.Y * s;
        const TPoint p[7] = {back(tail, v - half), back(base, v - half), corner0, tip,
                             corner1,              back(base, v + half), back(tail, v + half)};
        Canvas.Polygon(p);
        return;
    }
    Canvas.LineWithZ(FromPoint.X, FromPoint.Y, ToPoint.X, ToPoint.Y, Z);
    Canvas.MoveTo(corner0.X, corner0.Y);
    Canvas.LineTo(tip.X, tip.Y);
    Canvas.MoveTo(corner1.X, corner1.Y);
    Canvas.LineTo(tip.X, tip.Y);
}
