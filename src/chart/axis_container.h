#pragma once
// The axes of a chart and what they rely on: the chart's list of axes (the six
// standard axes and the custom ones), the page settings, the limits of the
// series values on an axis, and the chart services an axis calls (canvas,
// chart rectangle, 3D depth). It answers the axis questions of TSeriesParent;
// the axis panel derives from it and answers the rest.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/plot_geometry.h"
#include "chart/property_model.h"
#include "chart/series_parent.h"

class TChartAxis;
class TChartDepthAxis;
class TCanvas3D;
class TView3DOptions;
class TAxisContainer;
class TChartPage;
class TChartSeries;
class TCustomPlotPanel;

// Start-up of the axis engine: the largest pixel coordinate and the classes
// axes stream (TChartAxisTitle, TChartAxis, TChartDepthAxis, TSeriesMarks).
void AxisEngineStartUp();
void AxisEngineShutDown();
bool IsAxisStreamClass(const std::string& ClassName);

// Every axis of a chart in creation order (six standard ones, then custom
// ones); the first six are owned here, custom ones by TChartCustomAxes.
class TChartAxes {
public:
    const std::vector<TChartAxis*>& Items() const { return m_items; }
    int Count() const { return static_cast<int>(m_items.size()); }
    TChartAxis* operator[](int Index) const { return m_items[static_cast<std::size_t>(Index)]; }
    int IndexOf(const TChartAxis* Axis) const;
    void Add(TChartAxis* Axis) { m_items.push_back(Axis); }
    void Remove(const TChartAxis* Axis);

    // Value-to-pixel forms without clamping (re-selected by each axis when changed).
    bool FastCalc() const { return m_fastCalc; }
    void SetFastCalc(bool Value);
    // Replaces the label area size an axis computed (Size in and out).
    std::function<void(TChartAxis& Axis, int& Size)> OnCalcLabelsSize;
    // Lets an axis that is not shown adjust the working chart rectangle.
    std::function<void(TChartAxis& Axis, TRect& Rect)> OnCalcInvisibleAxisRect;

private:
    std::vector<TChartAxis*> m_items;
    bool m_fastCalc = false;
};

// Custom axes, owned.
class TChartCustomAxes {
public:
    explicit TChartCustomAxes(TAxisContainer& Owner);
    ~TChartCustomAxes();
    TChartCustomAxes(const TChartCustomAxes&) = delete;
    TChartCustomAxes& operator=(const TChartCustomAxes&) = delete;
    int Count() const { return static_cast<int>(m_items.size()); }
    TChartAxis* operator[](int Index) const { return m_items[static_cast<std::size_t>(Index)].get(); }
    TChartAxis* Add();
    // Frees the axis (its series go back to the default axes).
    void Delete(int Index);
    void Clear();
    void Assign(const TChartCustomAxes& Source);

private:
    TAxisContainer& m_owner;
    std::vector<std::unique_ptr<TChartAxis>> m_items;
};

// Signature of the chart's label hooks (held here, called by the axes).
using TAxisOnGetLabel = std::function<void(TChartAxis& Sender, TChartSeries* Series, int ValueIndex, std::string& LabelText)>;
using TAxisOnGetNextLabel = std::function<void(TChartAxis& Sender, int LabelIndex, double& LabelValue, bool& Stop)>;

class TAxisContainer : public TSeriesParent {
public:
    TAxisContainer();
    ~TAxisContainer() override;
    TAxisContainer(const TAxisContainer&) = delete;
    TAxisContainer& operator=(const TAxisContainer&) = delete;

    // ---- services the chart gives its axes (Invalidate repaints) ----
    // The chart is reading its stream.
    virtual bool AxisLoading() const = 0;
    virtual TCanvas3D* AxisCanvas() const = 0;
    // The chart rectangle the axes enclose.
    virtual TRect AxisChartRect() const = 0;
    // nullptr without 3D options.
    virtual TView3DOptions* AxisView3DOptions() const { return nullptr; }
    // Wall thickness beside an axis.
    virtual int AxisWallSize(const TChartAxis&) const { return 0; }
    // The chart's width, for the series depth.
    virtual int AxisChartWidth() const { return AxisChartRect().Right - AxisChartRect().Left; }

    // The panel shapes (axis titles, label items) draw on; nullptr: none.
    virtual TCustomPlotPanel* AxisPanel() { return nullptr; }

    // ---- the series of the chart ----
    virtual int SeriesCount() const = 0;
    virtual TChartSeries* Series(int Index) const = 0;
    int ActiveSeriesCount() const;

    // ---- TSeriesParent: the axis questions ----
    TChartAxis* StandardAxis(TStandardAxis Axis) const override;
    TChartAxis* CustomAxis(int Index) const override;
    int CustomAxisIndex(const TChartAxis* Axis) const override;
    int AxisListCount() const override { return m_axes.Count(); }
    TChartAxis* AxisListItem(int Index) const override { return m_axes[Index]; }
    bool AxisShown(const TChartAxis& Axis) const override { return IsAxisVisible(Axis); }
    int CalcPosValue(const TChartAxis& Axis, double Value) const override;
    double CalcPosPoint(const TChartAxis& Axis, int Position) const override;
    bool AxisInverted(const TChartAxis& Axis) const override;
    bool AxisHorizontal(const TChartAxis& Axis) const override;
    std::string AxisLabelText(const TChartAxis& Axis, double Value) const override;
    bool AxisRange(const TChartAxis& Axis, double& Min, double& Max) const override;
    int MaxZOrder() const override { return m_maxZOrder; }
    void SetMaxZOrder(int Value) override { m_maxZOrder = Value; }
    int SeriesWidth3D() const override { return m_seriesWidth3D; }

    // ---- axes ----
    TChartAxes& Axes() { return m_axes; }
    const TChartAxes& Axes() const { return m_axes; }
    TChartAxis* LeftAxis() const { return m_axes[2]; }
    TChartAxis* TopAxis() const { return m_axes[1]; }
    TChartAxis* RightAxis() const { return m_axes[3]; }
    TChartAxis* BottomAxis() const { return m_axes[0]; }
    TChartDepthAxis* DepthAxis() const;
    TChartDepthAxis* DepthTopAxis() const;
    TChartCustomAxes& CustomAxes() { return *m_customAxes; }
    const TChartCustomAxes& CustomAxes() const { return *m_customAxes; }

    // Percent of the chart width given to depth, 1..100.
    virtual int Chart3DPercent() const = 0;
    // Points per page and the page shown.
    virtual const TChartPage& Pages() const = 0;
    bool AxisBehind() const { return m_axisBehind; }
    void SetAxisBehind(bool Value);
    bool AxisVisible() const { return m_axisVisible; }
    void SetAxisVisible(bool Value);

    // The axis is shown: axes visible, the axis visible, a depth axis only in
    // 3D, others when an active series uses it or none is active; the first
    // active series that uses no axes hides them all.
    bool IsAxisVisible(const TChartAxis& Axis) const;

    // Limits of the series values on an axis (with paging).
    double AxisMinX(const TChartAxis& Axis) const { return AxisMinMax(Axis, true, true); }
    double AxisMaxX(const TChartAxis& Axis) const { return AxisMinMax(Axis, false, true); }
    double AxisMinY(const TChartAxis& Axis) const { return AxisMinMax(Axis, true, false); }
    double AxisMaxY(const TChartAxis& Axis) const { return AxisMinMax(Axis, false, false); }
    // The axis' own side: X for a horizontal axis.
    double AxisMinimum(const TChartAxis& Axis) const;
    double AxisMaximum(const TChartAxis& Axis) const;

    // Depth of one Z slot and the chart's total depth; set before each draw.
    int SeriesHeight3D() const { return m_seriesHeight3D; }
    int TotalWidth3D() const { return m_width3D; }
    int TotalHeight3D() const { return m_height3D; }
    // Separates series in depth (one slot each).
    bool ApplyZOrder = true;
    void CalcSeriesDepth();

    // Line separator of multi-line texts.
    char LabelLineSeparator() const;
    // Width of the widest line of Text and its line count, in the canvas' font.
    int MultiLineTextWidth(const std::string& Text, int& NumLines) const;

    TAxisOnGetLabel OnGetAxisLabel;
    TAxisOnGetNextLabel OnGetNextAxisLabel;

    // Copies the axis settings of another container.
    void AssignAxes(const TAxisContainer& Source);

protected:
    // Builds the six standard axes; the derived chart calls it from its constructor.
    void CreateStandardAxes();

private:
    friend class TChartAxis;
    double AxisMinMax(const TChartAxis& Axis, bool IsMin, bool IsX) const;
    // The series is bound to Axis on its X side (IsX) or its Y side.
    static bool SeriesOnAxis(const TChartSeries& Series, const TChartAxis& Axis, bool IsX);

    TChartAxes m_axes;
    std::vector<std::unique_ptr<TChartAxis>> m_standardAxes;
    std::unique_ptr<TChartCustomAxes> m_customAxes;
    bool m_axisBehind = true;
    bool m_axisVisible = true;
    int m_maxZOrder = 0;
    int m_seriesWidth3D = 0;
    int m_seriesHeight3D = 0;
    int m_width3D = 0;
    int m_height3D = 0;
};
