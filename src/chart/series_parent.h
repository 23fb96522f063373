#pragma once
// What series, their functions and data sources ask of the chart that holds
// them. The axis panel implements it; the axis operations are completed by
// the axes (until then the panel answers without axes).
#include <string>

#include "base/basic_types.h"

class QObject;
class TChartTools;
class TChartPen;
struct TRect;
class TChartAxis;
class TCustomPlotPanel;
class TChartSeries;
class TCustomChartSeries;

enum class TStandardAxis { Left, Top, Right, Bottom };

// Codes of the chart's series notices.
enum class TSeriesNotice { Added = 0, Removed = 1, TitleChanged = 2, ColorChanged = 3, Exchanged = 4,
                           ActiveChanged = 5, DataChanged = 6 };

class TSeriesParent {
public:
    virtual ~TSeriesParent() = default;

    // Repaints the chart (ignored while it draws or has auto-repaint off).
    virtual void Invalidate() = 0;
    virtual void BroadcastSeriesNotice(TSeriesNotice Code, TCustomChartSeries* Series) = 0;
    // The series' position in the chart's list, -1 when not there.
    virtual int SeriesIndexOf(const TChartSeries* Series) const = 0;
    virtual void RemoveSeries(TChartSeries* Series) = 0;
    // Palette colour of an index (the chart's palette, else the global one).
    virtual TColor GetDefaultColor(int Index) const = 0;
    // Raises ChartException when Source cannot feed Series (validity, cycles).
    virtual void CheckDataSource(TChartSeries* Series, QObject* Source) = 0;
    // Refills Series from its data sources or function.
    virtual void RefreshSeriesData(TChartSeries* Series) = 0;
    virtual bool View3D() const = 0;
    virtual void SetView3D(bool Value) = 0;
    // The panel the series and their marks draw on (its canvas, 3D options
    // and rectangles); nullptr for charts that do not draw.
    virtual TCustomPlotPanel* Panel() { return nullptr; }
    // Design mode: series fill themselves with sample values.
    virtual bool Designing() const { return false; }
    virtual bool ChartDestroying() const { return false; }
    // The chart's largest Z order so far in this draw.
    virtual int MaxZOrder() const { return 0; }
    virtual void SetMaxZOrder(int) {}
    // Depth of one Z slot in pixels.
    virtual int SeriesWidth3D() const { return 0; }

    // ---- axes ----
    virtual TChartAxis* StandardAxis(TStandardAxis) const { return nullptr; }
    virtual TChartAxis* CustomAxis(int) const { return nullptr; }
    // Index in CustomAxes, -1 when not one of them.
    virtual int CustomAxisIndex(const TChartAxis*) const { return -1; }
    // Every axis of the chart (standard, then custom) in creation order.
    virtual int AxisListCount() const { return 0; }
    virtual TChartAxis* AxisListItem(int) const { return nullptr; }
    // Some active series is bound to that standard axis.
    virtual bool ActiveSeriesOnAxis(TStandardAxis) const { return false; }
    // The axis is shown in this draw.
    virtual bool AxisShown(const TChartAxis&) const { return false; }
    // The chart is seen from behind in the current draw.
    virtual bool SeenFromBehind() const { return false; }
    // Another active series has the same Z order as Series (series separated in depth).
    virtual bool MoreSameZOrder(const TChartSeries&) const { return false; }
    // The legend's symbol pen, replacing a series' pen in its legend symbol; nullptr: none.
    virtual TChartPen* LegendSymbolPen() const { return nullptr; }
    // A legend symbol rectangle with the current pen and brush.
    virtual void DrawLegendRect(const TRect&) {}
    // The colour legend symbols are drawn against (the legend's); clDefault: none.
    virtual TColor LegendBackColor() const { return clDefault; }
    // The flag a tool sets when it took the mouse event being passed on.
    virtual void SetMouseHandled(bool) {}
    virtual bool IsMouseHandled() const { return false; }
    // The chart's tools; nullptr for charts without tools.
    virtual TChartTools* ToolList() { return nullptr; }
    // Value to pixel and back on an axis.
    virtual int CalcPosValue(const TChartAxis&, double) const { return 0; }
    virtual double CalcPosPoint(const TChartAxis&, int) const { return 0; }
    virtual bool AxisInverted(const TChartAxis&) const { return false; }
    virtual bool AxisHorizontal(const TChartAxis&) const { return true; }
    // The axis' label text of a value.
    virtual std::string AxisLabelText(const TChartAxis&, double) const { return {}; }
    // Minimum and maximum over the series bound to an axis; false when no series has points.
    virtual bool AxisRange(const TChartAxis&, double&, double&) const { return false; }

    // ---- legend ----
    // The legend's text of point Index of Series.
    virtual std::string LegendText(const TChartSeries&, int) const { return {}; }
};
