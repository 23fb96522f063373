#include "chart/projection_3d.h"

#include <algorithm>
#include <cmath>

#include "chart/view3d_options.h"
#include "base/basic_types.h"

namespace {

constexpr long double PiStep = 0.017453292519943295L;  // radians per degree
constexpr long double PerspectiveLimit = 1.0L / 150.0L;
// Projected points stay this close to the screen centre (a near-singular
// perspective gives values past the int range), so that the canvas' sums and
// products of screen coordinates stay in range.
constexpr long double ScreenLimit = 1 << 24;

int ScreenOffset(long double V)
{
    if (std::isnan(V))
        return 0;
    return Nearest(std::clamp(V, -ScreenLimit, ScreenLimit));
}

// Screen point of chart point (X, Y, Z) under a 3D view; the tilt rotation is
// left out unless applyTilt. Whole-pixel X and Y are exact in double.
void ProjectToScreen(const TProjection3D& p, double X, double Y, int Z, bool applyTilt, int& outX,
                     int& outY)
{
    if (p.IsOrthogonal) {
        const int x = ScreenOffset((Z * p.OrthoX + (X - p.CentreX)) * p.ZoomFactor) + p.ScreenCentreX;
        const int y = ScreenOffset(((Y - p.CentreY) - Z * p.OrthoY) * p.ZoomFactor) + p.ScreenCentreY;
        outX = x;
        outY = y;
        return;
    }
    const long double x1 = X - p.CentreX;
    const long double y1 = Y - p.CentreY;
    const long double z1 = static_cast<long double>(Z) - p.CentreZ;
    const long double t = z1 * p.CosRot - x1 * p.SinRot;
    const long double s = p.PerspectiveOn
                              ? p.ZoomFactor / ((p.CosElev * t + y1 * p.SinElev) * p.PerspectiveFactor + 1.0L)
                              : static_cast<long double>(p.ZoomFactor);
    const long double a = x1 * p.CosRot + z1 * p.SinRot;
    const long double b = y1 * p.CosElev - p.SinElev * t;
    if (applyTilt) {
        outX = ScreenOffset((p.CosTilt * a - p.SinTilt * b) * s) + p.ScreenCentreX;
        outY = ScreenOffset((p.CosTilt * b + p.SinTilt * a) * s) + p.ScreenCentreY;
    } else {
        outX = ScreenOffset(a * s) + p.ScreenCentreX;
        outY = ScreenOffset(b * s) + p.ScreenCentreY;
    }
}

}  // namespace

void TProjection3D::SetupView(TView3DOptions* Options, bool Is3DView)
{
    View3DOptions = Options;
    Is3D = Is3DView;
    IsOrthogonal = false;
    ZoomFactor = 1.0;
    if (Is3D && Options) {
        IsOrthogonal = Options->Orthogonal();
        if (IsOrthogonal) {
            int a = Options->OrthoAngle();
            if (a > 90) {
                OrthoX = -1.0;
                a = 180 - a;
            } else {
                OrthoX = 1.0;
            }
            const double s = std::sin(a * static_cast<double>(PiStep));
            const double c = std::cos(a * static_cast<double>(PiStep));
            OrthoY = c < 0.01 ? 1.0 : s / c;
        }
        ZoomFactor = Options->Zoom() * 0.01;
        ZoomText = Options->ZoomText();
    }
    if (Is3D)
        CalcTrigValues();
}

void TProjection3D::CalcProjection(int MaxDepth, const TRect& Rect)
{
    CentreX = (Rect.Left + Rect.Right) / 2;
    CentreY = (Rect.Top + Rect.Bottom) / 2;
    CentreZ = Nearest(MaxDepth * 0.5L);
    ScreenCentreX = CentreX;
    ScreenCentreY = CentreY;
    if (View3DOptions) {
        ScreenCentreX += View3DOptions->HorizOffset();
        ScreenCentreY += View3DOptions->VertOffset();
        CalcPerspective(Rect);
    }
}

void TProjection3D::CalcPerspective(const TRect& Rect)
{
    if (!View3DOptions)
        return;
    const int perspective = View3DOptions->Perspective();
    PerspectiveOn = perspective > 0;
    if (PerspectiveOn) {
        int w = Rect.Right - Rect.Left;
        if (w < 1)
            w = 1;
        PerspectiveFactor = static_cast<double>(perspective * ZoomFactor * PerspectiveLimit / w);
    }
}

void TProjection3D::CalcTrigValues()
{
    if (IsOrthogonal)
        return;
    long double e = 0, r = 0;
    int t = 0;
    if (View3DOptions) {
        e = -static_cast<long double>(View3DOptions->ElevationDouble());
        r = -static_cast<long double>(View3DOptions->RotationDouble());
        t = View3DOptions->Tilt();
    }
    PerspectiveOn = false;
    PerspectiveFactor = 0;
    SinElev = std::sin(e * PiStep);
    CosElev = std::cos(e * PiStep);
    SinRot = std::sin(r * PiStep);
    CosRot = std::cos(r * PiStep);
    SinTilt = std::sin(t * PiStep);
    CosTilt = std::cos(t * PiStep);
    Tilted = t != 0;
    M1 = static_cast<double>(CosRot * SinTilt);
    M2 = std::max(1e-5, static_cast<double>(CosRot * CosTilt));
    M3 = std::max(1e-5, static_cast<double>(SinElev * SinRot * SinTilt + CosElev * CosTilt));
    M4 = static_cast<double>(CosTilt * SinElev * SinRot - CosElev * SinTilt);
    M5 = static_cast<double>(CosElev * SinRot * SinTilt - CosTilt * SinElev);
    M6 = static_cast<double>(CosElev * CosTilt * SinRot + SinElev * SinTilt);
}

void TProjection3D::ProjectInPlace(int& X, int& Y, int Z) const
{
    // a 2D section (Is3D cleared) leaves points alone in the orthogonal view too
    if (Is3D)
        ProjectToScreen(*this, X, Y, Z, Tilted, X, Y);
}

void TProjection3D::ProjectFloat(TPoint& P, int Z, double X, double Y) const
{
    if (Is3D)
        ProjectToScreen(*this, X, Y, Z, true, P.X, P.Y);
}

void TProjection3D::ProjectPoint3D(TPoint& P, int X, int Y, int Z) const
{
    P.X = X;
    P.Y = Y;
    ProjectInPlace(P.X, P.Y, Z);
}

void TProjection3D::UnprojectInPlace(int& X, int& Y, int Z) const
{
    if (ZoomFactor == 0)
        return;
    const double inv = 1.0 / ZoomFactor;
    if (IsOrthogonal && Is3D) {
        const int x = Nearest((static_cast<double>(X) - ScreenCentreX) * inv - Z * OrthoX) + CentreX;
        const int y = Nearest((static_cast<double>(Y) - ScreenCentreY) * inv + Z * OrthoY) + CentreY;
        X = x;
        Y = y;
        return;
    }
    if (!Is3D || M3 == 0 || M2 == 0)
        return;
    const double x0 = X;
    const double z1 = static_cast<double>(Z) - CentreZ;
    X = Nearest(((x0 - ScreenCentreX) * inv - z1 * M5 - (static_cast<double>(Y) - CentreY) * M1) / M3) + CentreX;
    Y = Nearest(((static_cast<double>(Y) - ScreenCentreY) * inv - z1 * M6 - (x0 - CentreX) * M4) / M2) + CentreY;
}
