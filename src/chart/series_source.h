#pragma once
// A component that fills a series with points loaded from elsewhere; the
// base loads nothing, descendants fill the series in Load.
#include <string>

#include "chart/chart_component.h"

class TChartSeries;

class TPlotSeriesSource : public TComponent {
    Q_OBJECT
public:
    explicit TPlotSeriesSource(QObject* Owner = nullptr);
    ~TPlotSeriesSource() override;

    bool Active() const { return m_active; }
    // True loads the series (unless loading); false clears it unless this
    // component or the series is being freed or KeepPoints is set.
    virtual void SetActive(bool Value);
    TChartSeries* Series() const { return m_series; }
    void SetSeries(TChartSeries* Value);
    bool KeepPoints() const { return m_keepPoints; }
    void SetKeepPoints(bool Value) { m_keepPoints = Value; }

    virtual bool AcceptsSeries(const TChartSeries&) const { return true; }
    virtual std::string Description() const { return {}; }
    // True when the series' current data source is of this very class.
    bool HasSeries(const TChartSeries& Series) const;
    void Close();
    virtual void Load() {}
    void Open() { SetActive(true); }

protected:
    void Notification(QObject* AComponent) override;
    void Loaded() override;

private:
    friend class TChartSeries;
    // Binding without the series' side (the series calls it).
    void BindSeries(TChartSeries* Value) { m_series = Value; }
    bool m_active = false;
    TChartSeries* m_series = nullptr;
    bool m_keepPoints = false;
};
