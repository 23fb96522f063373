#pragma once
// Base of chart tools: chart elements told of the drawing phases, the mouse
// and the wheel, in the order of the chart's tool list, only while Active. A
// series tool is bound to one series, an axis tool to one axis.
#include <string>
#include <vector>

#include "chart/chart_element.h"
#include "chart/chart_input.h"

class TChartAxis;
class TChartSeries;
class TPlotCustomTool;

// Drawing phases of one paint (numbers as the tools receive them).
enum TToolDrawPhase {
    tdpAfterDraw = 0, tdpBeforeSeries = 1, tdpBeforeDraw = 2, tdpBeforeAxes = 3, tdpAfterSeries = 4,
    tdpMouseLeave = 5
};
enum TToolMouseKind { tmkDown = 0, tmkMove = 1, tmkUp = 2 };
// Wheel notices: the step with its delta, then down or up when nobody took it.
enum TToolWheelKind { twkDown = 0, twkWheel = 1, twkUp = 2 };

// A chart's tools in order; the list does not own them until Clear, which frees every tool.
class TChartTools {
public:
    TChartTools() = default;
    ~TChartTools();
    TChartTools(const TChartTools&) = delete;
    TChartTools& operator=(const TChartTools&) = delete;

    int Count() const { return static_cast<int>(m_items.size()); }
    TPlotCustomTool* operator[](int Index) const { return m_items[static_cast<std::size_t>(Index)]; }
    const std::vector<TPlotCustomTool*>& Items() const { return m_items; }
    int IndexOf(const TPlotCustomTool* Tool) const;
    void Add(TPlotCustomTool* Tool);
    void Remove(const TPlotCustomTool* Tool);
    // Frees every tool.
    void Clear();

    // Each active tool, in order.
    void NotifyPhase(TToolDrawPhase Phase) const;

private:
    std::vector<TPlotCustomTool*> m_items;
};

class TPlotCustomTool : public TCustomChartElement {
    Q_OBJECT
public:
    explicit TPlotCustomTool(QObject* Owner = nullptr);
    ~TPlotCustomTool() override;

    // Leaves the old chart's tool list (repainting that chart when there is no
    // new one), then joins the new chart's list.
    void SetParentChart(TSeriesParent* Value) override;

    virtual void ChartEvent(TToolDrawPhase) {}
    virtual void ChartMouseEvent(TToolMouseKind, TMouseButton, TShiftState, int, int) {}
    // 1 before a bound series draws its points, 4 after.
    virtual void SeriesDrawEvent(int) {}
    virtual void WheelEvent(TToolWheelKind, int, int, int) {}
    virtual std::string Description() const { return {}; }
    virtual std::string LongDescription() const { return {}; }
    // The series whose drawing this tool follows (series tools).
    virtual TChartSeries* BoundSeries() const { return nullptr; }
    // The chart's axes are being freed (axis tools drop theirs).
    virtual void ForgetAxis() {}
};

class TPlotCustomToolSeries : public TPlotCustomTool {
    Q_OBJECT
public:
    explicit TPlotCustomToolSeries(QObject* Owner = nullptr);
    ~TPlotCustomToolSeries() override;

    TChartSeries* Series() const { return m_series; }
    TChartSeries* BoundSeries() const override { return m_series; }
    // Follows the series' freeing (the tool's series becomes nullptr).
    virtual void SetSeries(TChartSeries* Value);

    // The series' horizontal axis; without a series, the bottom axis when an
    // active series uses it, else the top one when an active series uses it,
    // else the bottom one.
    TChartAxis* GetHorizAxis() const;
    // The same with the left and right axes.
    TChartAxis* GetVertAxis() const;

    std::string EditorClassName() const override { return "TSeriesToolEditor"; }
    void Assign(const TCustomChartElement& Source) override;

    // "Series": the series by name, bound again once the chart's series are read.
    static const TPropertyTable<TCustomChartElement>& Properties();
    const TPropertyTable<TCustomChartElement>& PropertyTable() const override { return Properties(); }

protected:
    void Notification(QObject* AComponent) override;
    void Loaded() override;

private:
    // The chart's series of that name, if any.
    TChartSeries* FindChartSeries(const std::string& Name) const;

    TChartSeries* m_series = nullptr;
    std::string m_loadedSeriesName;  // read before its series was there
};

class TPlotCustomToolAxis : public TPlotCustomTool {
    Q_OBJECT
public:
    explicit TPlotCustomToolAxis(QObject* Owner = nullptr);
    ~TPlotCustomToolAxis() override;

    TChartAxis* Axis() const { return m_axis; }
    // Moves the tool to the axis' chart (no chart for nullptr) and repaints.
    virtual void SetAxis(TChartAxis* Value);
    // Also called when the axis is freed.
    void ForgetAxis() override;
    // A chart other than the axis' one drops the axis.
    void SetParentChart(TSeriesParent* Value) override;

    std::string EditorClassName() const override { return "TAxisToolEditor"; }
    void Assign(const TCustomChartElement& Source) override;

    // Adds "AxisID": the axis' index in the chart's axes list; an index the
    // chart has no axis for is a read error.
    static const TPropertyTable<TCustomChartElement>& Properties();
    const TPropertyTable<TCustomChartElement>& PropertyTable() const override { return Properties(); }

private:
    TChartAxis* m_axis = nullptr;
};
