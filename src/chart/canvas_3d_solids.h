#pragma once
// The 3D solids of a chart canvas, drawn through its interface: cones and
// cylinders, pyramids, truncated pyramids, 3D pies and donuts, and arrows.
// Faces turned away are skipped by the sign of their projected area; sides are
// darkened for relief. Coordinates are chart space (x, y pixels, z depth).

#include "chart/plot_geometry.h"

class TCanvas3D;
class TCustomPlotGradient;

// Darkening of left and right sides, and of tops and bottoms.
constexpr int DarkSideAmount = 128;
constexpr int DarkTopAmount = 64;

// Facets around cylinders and cones; callers may change it around a call.
extern int CylinderSegments;

void DrawCone(TCanvas3D& Canvas, bool Vertical, int Left, int Top, int Right, int Bottom, int Z0, int Z1,
              bool Dark3D, int ConePercent);
void DrawPyramid(TCanvas3D& Canvas, bool Vertical, int Left, int Top, int Right, int Bottom, int Z0, int Z1,
                 bool DarkSides);
void DrawPyramidTrunc(TCanvas3D& Canvas, const TRect& R, int StartZ, int EndZ, int TruncX, int TruncZ);
// angles in radians
void DrawPie3D(TCanvas3D& Canvas, int XCenter, int YCenter, int XRadius, int YRadius, int Z0, int Z1,
               double StartAngle, double EndAngle, bool DarkSides, bool DrawSides, int DonutPercent,
               TCustomPlotGradient* Gradient);
void DrawArrow(TCanvas3D& Canvas, bool Filled, const TPoint& FromPoint, const TPoint& ToPoint, int HeadWidth,
               int HeadHeight, int Z, double ArrowPercent);
