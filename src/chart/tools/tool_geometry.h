#pragma once
// Geometry of the chart tools as plain functions: hit tests, snapping,
// resizing and the stripes of grid bands. Pixels are chart client pixels.
#include <span>
#include <utility>
#include <vector>

#include "base/basic_types.h"
#include "chart/plot_geometry.h"

enum TCursorToolStyle { cssHorizontal, cssVertical, cssBoth, cssScope, cssScopeOnly };
enum TSnapStyle { ssDefault, ssHorizontal, ssVertical };

// The cursor part at (MX, MY): 0 none, 1 the horizontal line, 2 the vertical
// line, 3 the crossing. R: the area the lines span (edges included).
int CursorClickedPart(TCursorToolStyle Style, const TRect& R, int X, int Y, int Tolerance, int MX, int MY);

// The index in First..Last of the point nearest to (XValue, YValue) in axis
// units, by the snap style (and the cursor style for ssDefault); the lowest
// index among equal distances; -1 when the range is empty.
int NearestPointIndex(std::span<const double> X, std::span<const double> Y, int First, int Last, double XValue,
                      double YValue, TSnapStyle SnapStyle, TCursorToolStyle Style);

// The edge or corner of R near (PX, PY) (closer than 4 pixels): -1 none,
// 0 left, 1 top, 2 right, 3 bottom, 4 left-top, 5 left-bottom, 6 right-top,
// 7 right-bottom. Outside R: -1.
int RectangleClickedCorner(const TRect& R, int PX, int PY);
// R with the edges of Part moved to (X, Y), keeping at least 3 pixels.
TRect ResizedRectangle(const TRect& R, int Part, int X, int Y);

// Where a callout to P leaves the box R.
TPoint CalloutStart(const TRect& R, const TPoint& P);
// P moved Distance pixels back towards S; P itself when S and P coincide.
TPoint CalloutTarget(const TPoint& S, const TPoint& P, int Distance);

// The stripes (pairs of limits along the axis) of a grid band over the tick
// positions Ticks; Start and End are the axis' start and end pixels.
std::vector<std::pair<int, int>> GridBandStripes(std::span<const int> Ticks, bool Horizontal, int Start, int End);

// Value limited to the range between A and B (in either order).
double LimitToRange(double Value, double A, double B);
