#pragma once
// The chart container below the chart control: the series list with its
// groups, pages, the palette, series notices and the data-source checks; the
// six standard axes, the custom axes and the ranges over series come from
// TAxisContainer.
#include <functional>
#include <string>
#include <vector>

#include <QPointer>

#include "chart/axis_container.h"
#include "chart/chart_tool.h"
#include "chart/plot_panel_extended.h"
#include "chart/series_groups.h"
#include "chart/series_parent.h"

class TChartSeries;
class TCustomAxisPanel;
class TCustomChartSeries;

// A series notice to the chart's listeners.
class TPlotSeriesEvent : public TPlotEvent {
public:
    TSeriesNotice Event = TSeriesNotice::Added;
    TCustomChartSeries* Series = nullptr;
};

// The current page or the page size changed.
class TChartChangePage : public TPlotEvent {};

// Makes a series of one class with the given owner.
using TChartSeriesClass = TChartSeries* (*)(QObject* Owner);

class TChartPage {
public:
    explicit TChartPage(TCustomAxisPanel* Panel) : m_panel(Panel) {}

    bool AutoScale() const { return m_autoScale; }
    void SetAutoScale(bool Value);
    int Current() const { return m_current; }
    // Clamped to 1..Count.
    void SetCurrent(int Value);
    int MaxPointsPerPage() const { return m_maxPointsPerPage; }
    // Raises ChartException for a negative value.
    void SetMaxPointsPerPage(int Value);
    bool ScaleLastPage() const { return m_scaleLastPage; }
    void SetScaleLastPage(bool Value);
    // Number of pages of the panel's series.
    int Count() const;
    void Assign(const TChartPage& Source);
    // Current brought into 1..Count, quietly (after the chart has loaded).
    void ClampCurrent();
    static const TPropertyTable<TChartPage>& Properties();

private:
    void Changed();
    TCustomAxisPanel* m_panel;
    bool m_autoScale = false;
    int m_current = 1;
    int m_maxPointsPerPage = 0;
    bool m_scaleLastPage = true;
};

// The series of List shown in editors, each with its title (or name).
std::vector<std::pair<std::string, TChartSeries*>> FillSeriesItems(const TCustomSeriesList& List);

class TCustomAxisPanel : public TCustomPlotPanelExtended, public TAxisContainer {
public:
    explicit TCustomAxisPanel(QWidget* Parent = nullptr);
    ~TCustomAxisPanel() override;

    static const TPropertyTable<TCustomPlotPanel>& Properties();
    const TPropertyTable<TCustomPlotPanel>& PropertyTable() const override { return Properties(); }

    // ---- series ----
    int SeriesCount() const override { return m_seriesList.Count(); }
    TChartSeries* Series(int i) const override { return m_seriesList[i]; }
    const TCustomSeriesList& SeriesList() const { return m_seriesList; }
    TSeriesGroups& SeriesGroups() { return m_seriesGroups; }
    const TSeriesGroups& SeriesGroups() const { return m_seriesGroups; }
    // Adds Series when not yet there; answers it.
    TChartSeries* AddSeries(TChartSeries* Series);
    // A new series of that class owned by the chart's owner, added.
    TChartSeries* AddSeriesOfClass(TChartSeriesClass Class);
    void RemoveSeries(TChartSeries* Series) override;
    void RemoveSeries(int Index);
    // Frees every series, or every one whose class name is ClassName.
    void FreeSeriesOfClass(const char* ClassName = nullptr);
    void ExchangeSeries(int A, int B);
    void ExchangeSeries(TChartSeries* A, TChartSeries* B);
    int CountActiveSeries() const;
    // The Index-th series shown in the legend (only active ones when OnlyActive), or nullptr.
    TChartSeries* SeriesLegend(int Index, bool OnlyActive) const;
    // Its title or name; empty when there is none.
    std::string SeriesTitleLegend(int Index, bool OnlyActive = false) const;
    // Greatest point count over the active series.
    int GetMaxValuesCount() const;
    // The largest mark width over the active series.
    int MaxMarkWidth() const;

    // ---- colours ----
    const std::vector<TColor>& ColorPalette() const { return m_palette; }
    void SetColorPalette(std::vector<TColor> Value);
    TColor GetDefaultColor(int Index) const override;
    // The first palette colour the free-colour test accepts, else the last tried.
    TColor PickFreeSeriesColor(bool CheckBackground, const TChartSeries* Series) const;
    // Every series without a colour of its own gets a free one.
    void AssignFreeSeriesColors(bool CheckBackground);
    // The palette applied last (kept by the chart control).
    virtual void SetColorPaletteIndex(int) {}
    // A colour no other series uses (and, when asked, not the back colour).
    virtual bool IsFreeSeriesColor(TColor Color, bool CheckBackground, const TChartSeries* Series) const;

    // ---- pages ----
    TChartPage& Pages() { return m_pages; }
    const TChartPage& Pages() const override { return m_pages; }
    int NumPages() const;

    int Chart3DPercent() const override { return m_chart3DPercent; }
    // Raises for a value outside 1..100.
    void SetChart3DPercent(int Value);

    // ---- drawing ----
    // Series drawn against axes are clipped to the chart rectangle.
    bool ClipPoints() const { return m_clipPoints; }
    void SetClipPoints(bool Value) { SetBooleanProperty(m_clipPoints, Value); }
    bool View3DWalls() const { return m_view3DWalls; }
    void SetView3DWalls(bool Value) { SetBooleanProperty(m_view3DWalls, Value); }
    // True when no series is active or an active series uses axes.
    bool ActiveSeriesUseAxes() const;
    bool ActiveSeriesOnAxis(TStandardAxis Axis) const override;
    // The chart is seen from behind in this draw.
    bool SeenFromBehind() const override { return m_seenFromBehind; }
    bool MoreSameZOrder(const TChartSeries& Series) const override;
    // The chart rectangle projected at depth Z does not run clockwise.
    bool IsFaceSeenFromBehind(int Z);
    // A legend symbol with the current pen and brush (outlined again when
    // the brush has the chart's colour).
    void DrawLegendRect(const TRect& R) override;

    // ---- tools ----
    TChartTools& Tools() { return m_tools; }
    const TChartTools& Tools() const { return m_tools; }
    TChartTools* ToolList() override { return &m_tools; }
    // Set by a tool that consumed the mouse event being passed on.
    bool MouseHandled = false;
    void SetMouseHandled(bool Value) override { MouseHandled = Value; }
    bool IsMouseHandled() const override { return MouseHandled; }
    // Passes a mouse event to the active tools until one handles it (the flag
    // is cleared before each event); answers MouseHandled.
    bool NotifyToolsMouse(TToolMouseKind Kind, TMouseButton Button, TShiftState Shift, int X, int Y);
    // The wheel step (kind 1 with its delta), then down or up when no tool took it.
    bool NotifyToolsWheel(int WheelDelta, int X, int Y);

    std::function<void(TCustomAxisPanel&)> OnAfterDraw;
    std::function<void(TCustomAxisPanel&)> OnBeforeDrawAxes;
    std::function<void(TCustomAxisPanel&)> OnBeforeDrawChart;
    std::function<void(TCustomAxisPanel&)> OnBeforeDrawSeries;

    // ---- data sources ----
    // Raises when Series would take its data from itself, directly or through sources.
    void CheckCircularSource(TChartSeries* Series, QObject* Source) const;

    std::function<void(TChartSeries&)> OnAddSeries;
    std::function<void(TChartSeries&)> OnRemoveSeries;
    std::function<void(TChartPage&)> OnPageChange;

    // ---- TSeriesParent ----
    void Invalidate() override { TCustomPlotPanel::Invalidate(); }
    TCustomPlotPanel* Panel() override { return this; }
    void BroadcastSeriesNotice(TSeriesNotice Code, TCustomChartSeries* Series) override;
    int SeriesIndexOf(const TChartSeries* Series) const override { return m_seriesList.IndexOf(Series); }
    void CheckDataSource(TChartSeries* Series, QObject* Source) override;
    void RefreshSeriesData(TChartSeries* Series) override;
    bool View3D() const override { return TCustomPlotPanel::View3D(); }
    void SetView3D(bool Value) override { TCustomPlotPanel::SetView3D(Value); }
    bool ChartDestroying() const override { return TCustomPlotPanel::Destroying(); }

    // ---- TAxisContainer: the chart services of the axes ----
    bool AxisLoading() const override { return Loading(); }
    TCanvas3D* AxisCanvas() const override { return Canvas(); }
    TRect AxisChartRect() const override { return ChartRect; }
    TView3DOptions* AxisView3DOptions() const override { return View3DOptions(); }
    int AxisChartWidth() const override { return ChartWidth; }
    TCustomPlotPanel* AxisPanel() override { return this; }

    bool MouseWheel(TShiftState Shift, int WheelDelta, int X, int Y) override;
    // Series left by the mouse hear OnMouseLeave.
    void MouseLeave() override;
    // Mouse-over tracking: the active series that have a Cursor or enter and
    // leave handlers, last to first, test whether (X, Y) is on one of their
    // points; the topmost one hit gives the chart its Cursor, and each fires
    // OnMouseEnter or OnMouseLeave when that changed. True when any is hit.
    bool CheckMouseSeries(int X, int Y);

    // From another axis panel also its palette and custom axes; the standard
    // axes each by their own Assign. Then the extended panel's.
    void Assign(const TCustomPlotPanel& Source) override;

protected:
    // Series groups read from a stream find their series; the page is clamped.
    void Loaded() override;
    // The draw sequence.
    void InternalDraw(const TRect& UserRect) override;
    // The chart's rectangle left free by titles, legend and walls.
    virtual void CalcWallsRect() {}
    virtual void DrawTitlesAndLegend(bool) {}
    virtual void DrawWalls() {}
    virtual void DoAfterDraw();
    virtual void DoBeforeDrawAxes();
    virtual void DoBeforeDrawChart();
    virtual void DoBeforeDrawSeries();
    void CalcZOrders();
    void CalcAxisRect();
    void CalcSeriesMargins();
    void DrawAllSeries();
    void DrawSeries(TChartSeries& Series);
    void DrawAxes();
    // The depth axis is inverted (series Z orders kept, drawing order flipped).
    bool DepthAxisInverted() const;

private:
    friend class TChartPage;
    void ClipSeriesArea();
    void DrawSeriesMarks(TChartSeries& Series);
    // The series list as it is now; handlers called while drawing may free
    // or remove series.
    std::vector<QPointer<TChartSeries>> SeriesSnapshot() const;
    // Still alive and on this chart.
    bool StillListed(const QPointer<TChartSeries>& Series) const;
    TCustomSeriesList m_seriesList;
    TSeriesGroups m_seriesGroups;
    TChartPage m_pages{this};
    std::vector<TColor> m_palette;
    int m_chart3DPercent = 15;
    bool m_clipPoints = true;
    bool m_view3DWalls = true;
    bool m_seenFromBehind = false;
    TChartTools m_tools;
    // Series drawn alone whose marks follow all the series' values.
    std::vector<QPointer<TChartSeries>> m_marksToDraw;
};
