#include "chart/tools/tool_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

int CursorClickedPart(TCursorToolStyle Style, const TRect& R, int X, int Y, int Tolerance, int MX, int MY)
{
    if (MX < R.Left || MX > R.Right || MY < R.Top || MY > R.Bottom)
        return 0;
    const bool nearY = std::abs(MY - Y) <= Tolerance;
    const bool nearX = std::abs(MX - X) <= Tolerance;
    if ((Style == cssBoth || Style == cssScope || Style == cssScopeOnly) && nearY && nearX)
        return 3;
    if (Style != cssVertical && nearY)
        return 1;
    if (Style == cssHorizontal)
        return 0;
    return nearX ? 2 : 0;
}

int NearestPointIndex(std::span<const double> X, std::span<const double> Y, int First, int Last, double XValue,
                      double YValue, TSnapStyle SnapStyle, TCursorToolStyle Style)
{
    const int count = static_cast<int>(std::min(X.size(), Y.size()));
    First = std::max(First, 0);
    Last = std::min(Last, count - 1);
    int best = -1;
    double bestDistance = 0;
    for (int i = First; i <= Last; ++i) {
        const double dx = XValue - X[static_cast<std::size_t>(i)];
        const double dy = YValue - Y[static_cast<std::size_t>(i)];
        double d;
        if (SnapStyle == ssHorizontal || (SnapStyle == ssDefault && Style == cssHorizontal))
            d = std::abs(dy);
        else if (SnapStyle == ssVertical || (SnapStyle == ssDefault && Style == cssVertical))
            d = std::abs(dx);
        else
            d = std::sqrt(dx * dx + dy * dy);
        if (best < 0 || d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

int RectangleClickedCorner(const TRect& R, int PX, int PY)
{
    if (PX < R.Left || PX > R.Right || PY < R.Top || PY > R.Bottom)
        return -1;
    const bool left = std::abs(PX - R.Left) < 4;
    const bool top = std::abs(PY - R.Top) < 4;
    const bool right = std::abs(PX - R.Right) < 4;
    const bool bottom = std::abs(PY - R.Bottom) < 4;
    if (left)
        return top ? 4 : bottom ? 5 : 0;
    if (top)
        return right ? 6 : 1;
    if (right)
        return bottom ? 7 : 2;
    return bottom ? 3 : -1;
}

TRect ResizedRectangle(const TRect& R, int Part, int X, int Y)
{
    TRect r = R;
    const bool left = Part == 0 || Part == 4 || Part == 5;
    const bool top = Part == 1 || Part == 4 || Part == 6;
    const bool right = Part == 2 || Part == 6 || Part == 7;
    const bool bottom = Part == 3 || Part == 5 || Part == 7;
    if (left)
        r.Left = std::min(R.Right - 3, X);
    if (top)
        r.Top = std::min(R.Bottom - 3, Y);
    if (right)
        r.Right = std::max(R.Left + 3, X);
    if (bottom)
        r.Bottom = std::max(R.Top + 3, Y);
    return r;
}

TPoint CalloutStart(const TRect& R, const TPoint& P)
{
    TPoint s;
    s.X = R.Right < P.X ? R.Right : P.X < R.Left ? R.Left : (R.Left + R.Right) / 2;
    s.Y = R.Bottom < P.Y ? R.Bottom : P.Y < R.Top ? R.Top : (R.Top + R.Bottom) / 2;
    return s;
}

TPoint CalloutTarget(const TPoint& S, const TPoint& P, int Distance)
{
    const double dx = S.X - P.X;
    const double dy = S.Y - P.Y;
    const double length = std::sqrt(dx * dx + dy * dy);
    // a target on the start point has no direction to move in
    if (Distance == 0 || length == 0)
        return P;
    const double f = Distance / length;
    return TPoint{P.X + static_cast<int>(std::nearbyint(dx * f)), P.Y + static_cast<int>(std::nearbyint(dy * f))};
}

std::vector<std::pair<int, int>> GridBandStripes(std::span<const int> Ticks, bool Horizontal, int Start, int End)
{
    std::vector<std::pair<int, int>> stripes;
    if (Ticks.size() < 2)
        return stripes;
    const int first = Ticks.front();
    if (Horizontal) {
        if (first < End)
            stripes.emplace_back(End - 1, first);
    } else if (first > Start) {
        stripes.emplace_back(Start + 1, first);
    }
    if (Ticks.size() < 3)
        return stripes;
    for (std::size_t i = 1; i < Ticks.size(); ++i)
        stripes.emplace_back(Ticks[i - 1], Ticks[i]);
    const int last = Ticks.back();
    if (Horizontal) {
        if (last > Start)
            stripes.emplace_back(last, Start);
    } else if (last < End) {
        stripes.emplace_back(last, End);
    }
    return stripes;
}

double LimitToRange(double Value, double A, double B)
{
    return std::clamp(Value, std::min(A, B), std::max(A, B));
}
