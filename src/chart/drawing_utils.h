#pragma once
// Small drawing routines of the chart engine: exchanges, distances, a point
// along a line, and the filtered bitmap resampler.
#include "chart/graphics_objects.h"

#include "chart/plot_geometry.h"

class QWidget;
class TPlotCanvas;

void SwapPoint(TPoint& A, TPoint& B);
void SwapInteger(int& A, int& B);
double Hypotenuse(double A, double B);
// The point at distance D from P1 back towards P0.
TPoint PointAlongLine(const TPoint& P0, const TPoint& P1, int D);

// The resampling filters: Lanczos with support 3, triangle with support 1.
double LanczosFilter(double X);
double TriangleFilter(double X);

// Resamples Source onto Dest at Dest's size (24-bit rows): the triangle
// filter when Fast, else Lanczos. Dest becomes 24-bit.
void ResampleBitmap(const TBitmap& Source, TBitmap& Dest, bool Fast);

// A 13 x 13 box of a legend or list at (X, Y): a check box when CheckBox, else
// a radio button; marked when Checked. The radio button is drawn with the
// canvas's pen and brush, which are restored afterwards.
void DrawCheckBox(int X, int Y, TPlotCanvas& Canvas, bool Checked, bool CheckBox);

// The colour dialog preset to Colour (its custom colours are kept between
// calls); True, with Colour set, when the user picked another colour.
bool EditColor(QWidget* Owner, TColor& Colour);
