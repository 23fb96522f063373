#pragma once
// Declared properties of the drawing objects that chart elements own: pens,
// brushes, shadows, gradients, fonts and the 3D view. Owners stream them as
// sub-objects ("Border.Color", "Shadow.HorizSize").
#include "chart/chart_pen.h"
#include "chart/plot_font.h"
#include "chart/plot_gradient.h"
#include "chart/plot_shadow.h"
#include "chart/property_model.h"
#include "chart/view3d_options.h"

inline constexpr const char* PenStyleNames[] = {"psSolid", "psDash", "psDot", "psDashDot",
                                                "psDashDotDot", "psClear", "psInsideFrame"};
inline constexpr const char* PenModeNames[] = {
    "pmBlack", "pmNotMerge", "pmMaskNotPen", "pmNotCopy", "pmMaskPenNot", "pmNot", "pmXor", "pmNotMask",
    "pmMask", "pmNotXor", "pmNop", "pmMergeNotPen", "pmCopy", "pmMergePenNot", "pmMerge", "pmWhite"};
inline constexpr const char* PenEndStyleNames[] = {"esRound", "esSquare", "esFlat"};
inline constexpr const char* BrushStyleNames[] = {"bsSolid", "bsClear", "bsHorizontal", "bsVertical",
                                                  "bsFDiagonal", "bsBDiagonal", "bsCross", "bsDiagCross"};
inline constexpr const char* GradientDirectionNames[] = {
    "gdTopBottom", "gdBottomTop", "gdLeftRight", "gdRightLeft", "gdFromCenter",
    "gdFromTopLeft", "gdFromBottomLeft", "gdRadial", "gdDiagonalUp", "gdDiagonalDown"};

// Color, EndStyle, Mode, SmallDots, SmallSpace, Style, Visible, Width; each
// stored by the pen's own rules.
const TPropertyTable<TChartPen>& ChartPenProperties();
// BackColor, Color, Style (default bsSolid).
const TPropertyTable<TChartBrush>& ChartBrushProperties();
// Clip, Color, HorizSize, Smooth, SmoothBlur, Transparency, VertSize, Visible.
const TPropertyTable<TPlotShadow>& PlotShadowProperties();
// Angle, Balance, Direction, EndColor, MidColor, RadialX, RadialY, StartColor,
// Visible, and the sub-gradient.
const TPropertyTable<TCustomPlotGradient>& PlotGradientProperties();
// A font's gradient: those of the gradient, then Outline.
const TPropertyTable<TCustomPlotGradient>& PlotFontGradientProperties();
// Charset, Color, Height, Name, Style, InterCharSize, OutLine, Picture, Shadow, Gradient.
const TPropertyTable<TPlotFont>& PlotFontProperties();
// The rotation, elevation, zoom and offsets of the 3D view.
const TPropertyTable<TView3DOptions>& View3DOptionsProperties();
