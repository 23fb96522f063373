#pragma once
// Stripes between the grid lines of an axis, filled alternately with two
// brushes; drawn by the axis through its grid-drawing hook.
#include <memory>
#include <string>

#include "chart/chart_pen.h"
#include "chart/chart_tool.h"
#include "chart/plot_gradient.h"

class TGridBandBrush : public TChartBrush {
public:
    explicit TGridBandBrush(std::function<void()> OnChange = {});

    TPlotGradient& Gradient() const { return *m_gradient; }
    // Percent.
    int Transparency() const { return m_transparency; }
    void SetTransparency(int Value);

    void Assign(const TBrush& Source) override;
    static const TPropertyTable<TGridBandBrush>& Properties();

private:
    std::unique_ptr<TPlotGradient> m_gradient;
    int m_transparency = 0;
};

class TGridBandTool : public TPlotCustomToolAxis {
    Q_OBJECT
public:
    explicit TGridBandTool(QObject* Owner = nullptr);
    ~TGridBandTool() override;

    TGridBandBrush& Band1() const { return *m_band1; }
    TGridBandBrush& Band2() const { return *m_band2; }
    // Pixel extent across the axis; both 0: the plotting rectangle.
    int AxisStart = 0;
    int AxisEnd = 0;

    // Unhooks from the old axis and hooks the band drawing into the new one.
    void SetAxis(TChartAxis* Value) override;
    void ForgetAxis() override;
    std::string Description() const override;
    std::string LongDescription() const override;
    std::string EditorClassName() const override { return "TGridBandToolEdit"; }
    void Assign(const TCustomChartElement& Source) override;
    static const TPropertyTable<TCustomChartElement>& Properties();
    const TPropertyTable<TCustomChartElement>& PropertyTable() const override { return Properties(); }

    // The stripes over the axis' tick positions (the axis calls this).
    void DrawGrid(TChartAxis& Sender);

private:
    void Unhook();

    std::unique_ptr<TGridBandBrush> m_band1;
    std::unique_ptr<TGridBandBrush> m_band2;
};
