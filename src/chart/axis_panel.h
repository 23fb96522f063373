#pragma once
// The chart container below the chart control: the series list with its
// groups, pages, the palette, series notices and the data-source checks; the
// six standard axes, the custom axes and the ranges over series come from
// TAxisContainer.
#include <functional>
#include <string>
#include <vector>

#include "chart/axis_container.h"
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

    // ---- colours ----
    const std::vector<TColor>& ColorPalette() const { return m_palette; }
    void SetColorPalette(std::vector<TColor> Value);
    TColor GetDefaultColor(int Index) const override;
    // The first palette colour the free-colour test accepts, else the last tried.
    TColor PickFreeSeriesColor(bool CheckBackground, const TChartSeries* Series) const;
    // Every series without a colour of its own gets a free one.
    void AssignFreeSeriesColors(bool CheckBackground);
    // A colour no other series uses (and, when asked, not the back colour).
    virtual bool IsFreeSeriesColor(TColor Color, bool CheckBackground, const TChartSeries* Series) const;

    // ---- pages ----
    TChartPage& Pages() { return m_pages; }
    const TChartPage& Pages() const override { return m_pages; }
    int NumPages() const;

    int Chart3DPercent() const override { return m_chart3DPercent; }
    // Raises for a value outside 1..100.
    void SetChart3DPercent(int Value);

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

private:
    friend class TChartPage;
    TCustomSeriesList m_seriesList;
    TSeriesGroups m_seriesGroups;
    TChartPage m_pages{this};
    std::vector<TColor> m_palette;
    int m_chart3DPercent = 15;
};
