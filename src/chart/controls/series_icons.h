#pragma once
// Small pictures of the series types for series lists: a 16 x 16 drawing
// per family (line, fast line, points, area, bars, histogram, financial).
#include "platform/drawing_device.h"

class TChartSeries;

// Pixels the icon cell takes (the picture sits 4 pixels in).
inline constexpr int SeriesIconCell = 24;

// Draws the icon of the series' type into the cell whose top-left is (X, Y);
// the device's pen and brush are restored afterwards.
void DrawSeriesIcon(platform::DrawingDevice& Device, const TChartSeries& Series, int X, int Y);
