#include "windows/process_series_sink.h"

#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "chart/chart_series.h"
#include "chart/controls/chart_grid.h"

#include <string>

TProcessSeriesSink::TProcessSeriesSink(TChartSeries* Series, TChart* Chart)
    : m_series(Series)
    , m_chart(Chart)
{
}

TChartSeries* TProcessSeriesSink::Series() const
{
    return m_series.data();
}

void TProcessSeriesSink::AddPoint(double x, double y, std::string_view label, TColor color)
{
    if (m_series)
        m_series->AddXY(x, y, std::string(label), color);
}

void TProcessSeriesSink::Clear()
{
    if (m_series)
        m_series->Clear();
}

int TProcessSeriesSink::Count() const
{
    return m_series ? m_series->Count() : 0;
}

void TProcessSeriesSink::SetBottomAxisLabelsVisible(bool visible)
{
    if (m_chart && m_chart->BottomAxis()->Labels() != visible)
        m_chart->BottomAxis()->SetLabels(visible);
}

void TProcessSeriesSink::SetBottomAxisVisible(bool visible)
{
    // A long series keeps its trial numbers: the axis spaces them out itself
    // (hidden, it left the series unnumbered).
    if (visible && m_chart && !m_chart->BottomAxis()->Visible())
        m_chart->BottomAxis()->SetVisible(true);
}

TProcessGridLink::TProcessGridLink(TChartGrid* Grid, TSeriesLookup Lookup)
    : m_grid(Grid)
    , m_lookup(std::move(Lookup))
{
}

void TProcessGridLink::SetSeries(IProcessPointSink* series)
{
    if (!m_grid)
        return;
    TChartSeries* s = series && m_lookup ? m_lookup(series) : nullptr;
    if (s && s == m_grid->Series())
        m_grid->RecalcDimensions();  // the same series again: its rows anew
    else
        m_grid->SetSeries(s);
}

void TProcessGridLink::Update()
{
    if (m_grid)
        m_grid->update();
}
