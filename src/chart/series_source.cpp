#include "chart/series_source.h"

#include "chart/chart_series.h"

TPlotSeriesSource::TPlotSeriesSource(QObject* Owner) : TComponent(Owner) {}

TPlotSeriesSource::~TPlotSeriesSource()
{
    MarkDestroying();
    Close();
    if (m_series) {
        TChartSeries* series = m_series;
        m_series = nullptr;
        series->RemoveDataSource(this);
    }
}

void TPlotSeriesSource::SetActive(bool Value)
{
    if (m_active == Value)
        return;
    m_active = Value;
    if (!m_series)
        return;
    if (Value) {
        if (!Loading())
            Load();
    } else if (!Destroying() && !m_series->Destroying() && !m_keepPoints) {
        m_series->Clear();
    }
}

void TPlotSeriesSource::SetSeries(TChartSeries* Value)
{
    if (m_series == Value)
        return;
    Close();
    // the old series stops listing this source, first or not
    if (TChartSeries* old = m_series) {
        RemoveFreeNotification(old);
        old->RemoveDataSource(this);
        m_series = nullptr;
    }
    m_series = Value;
    if (Value) {
        FreeNotification(Value);
        Value->SetDataSource(this);
    }
}

bool TPlotSeriesSource::HasSeries(const TChartSeries& Series) const
{
    const QObject* source = Series.DataSource();
    return source && std::string(source->metaObject()->className()) == metaObject()->className();
}

void TPlotSeriesSource::Close()
{
    if (!Loading() && !Destroying())
        SetActive(false);
}

void TPlotSeriesSource::Notification(QObject* AComponent)
{
    TComponent::Notification(AComponent);
    if (AComponent == m_series)
        m_series = nullptr;
}

void TPlotSeriesSource::Loaded()
{
    if (m_active && m_series)
        Load();
}
