#pragma once
// Projection of chart space (x, y in pixels, z a depth, 0 at the front) onto the
// screen under a 3D view, and back. Screen values are taken to the nearest integer,
// halves to even.
#include "chart/plot_geometry.h"

class TView3DOptions;

class TProjection3D {
public:
    // Angles, zoom and orthogonal factors for a paint (the projection part of InitWindow).
    void SetupView(TView3DOptions* Options, bool Is3DView);
    // Rotation centre and perspective for the drawing area and depth.
    void CalcProjection(int MaxDepth, const TRect& Rect);
    void CalcTrigValues();
    void CalcPerspective(const TRect& Rect);

    void ProjectInPlace(int& X, int& Y, int Z) const;
    // Fractional chart coordinates; writes nothing on a 2D, non-orthogonal view.
    void ProjectFloat(TPoint& P, int Z, double X, double Y) const;
    void ProjectPointInPlace(TPoint& P, int Z) const { ProjectInPlace(P.X, P.Y, Z); }
    void ProjectPoint3D(TPoint& P, int X, int Y, int Z) const;
    // Screen point back to chart space at depth Z (exact only in the orthogonal view).
    void UnprojectInPlace(int& X, int& Y, int Z) const;

    TView3DOptions* View3DOptions = nullptr;
    bool Is3D = false;
    bool IsOrthogonal = false;
    bool ZoomText = true;
    int CentreX = 0;
    int CentreY = 0;
    int CentreZ = 0;
    int ScreenCentreX = 0;
    int ScreenCentreY = 0;
    double ZoomFactor = 1.0;
    double OrthoX = 1.0;
    double OrthoY = 1.0;
    long double SinElev = 0, CosElev = 1;
    long double SinRot = 0, CosRot = 1;
    long double SinTilt = 0, CosTilt = 1;
    bool Tilted = false;
    bool PerspectiveOn = false;
    double PerspectiveFactor = 0;
    double M1 = 0, M2 = 0, M3 = 0, M4 = 0, M5 = 0, M6 = 0;
};
