#pragma once
// The small marker shape drawn at a point by point-like series, by legend
// symbols and by tools: thirteen styles, flat or solid in 3D, with shadow,
// transparency and gradient fill.
#include <memory>

#include "chart/plot_shape.h"
#include "chart/value_setter.h"

class TChartSeries;
class TPlotGradient;

enum TSeriesPointerStyle {
    psRectangle, psCircle, psTriangle, psDownTriangle, psCross, psDiagCross, psStar, psDiamond, psSmallDot,
    psNothing, psLeftTriangle, psRightTriangle, psHexagon
};
inline constexpr const char* SeriesPointerStyleNames[] = {
    "psRectangle", "psCircle",    "psTriangle",     "psDownTriangle",  "psCross",    "psDiagCross", "psStar",
    "psDiamond",   "psSmallDot",  "psNothing",      "psLeftTriangle",  "psRightTriangle", "psHexagon"};

class TSeriesPointer : public TPlotCustomShapeBrushPen {
public:
    // Series: the owner (not owned; may be nullptr), whose chart is drawn on.
    explicit TSeriesPointer(TChartSeries* Series);
    ~TSeriesPointer() override;

    static const TPropertyTable<TPlotCustomShapeBrushPen>& Properties();
    const TPropertyTable<TPlotCustomShapeBrushPen>& PropertyTable() const override { return Properties(); }

    TChartSeries* ParentSeries() const { return m_series; }

    bool Dark3D() const { return m_dark3D; }
    void SetDark3D(bool Value) { SetValue(m_dark3D, Value); }
    bool Draw3D() const { return m_draw3D; }
    void SetDraw3D(bool Value) { SetValue(m_draw3D, Value); }
    // Draw3D and its stored default together, without a repaint.
    void InitDraw3D(bool Value) { m_draw3D = m_defaultDraw3D = Value; }
    // Draw3D is streamed only when it differs from this.
    bool DefaultDraw3D() const { return m_defaultDraw3D; }
    TPlotGradient* Gradient() const { return m_gradient.get(); }
    void SetGradient(const TCustomPlotGradient* Value);
    // Half sizes in pixels; below 1 raises ChartException.
    int HorizSize() const { return m_horizSize; }
    void SetHorizSize(int Value);
    int VertSize() const { return m_vertSize; }
    void SetVertSize(int Value);
    void SetSize(int Value);
    bool InflateMargins() const { return m_inflateMargins; }
    void SetInflateMargins(bool Value) { SetValue(m_inflateMargins, Value); }
    TPlotShadow* Shadow() const { return m_shadow.get(); }
    void SetShadow(const TPlotShadow* Value);
    TSeriesPointerStyle Style() const { return m_style; }
    void SetStyle(TSeriesPointerStyle Value) { SetValue(m_style, Value); }
    // Percent, 0 to 100.
    int Transparency() const { return m_transparency; }
    void SetTransparency(int Value) { SetValue(m_transparency, Value); }
    // The pointer's colour is its brush colour.
    TColor Color() const { return Brush()->Color(); }
    void SetColor(TColor Value);

    // Depths of the owner series (0 without one).
    int StartZ() const;
    int MiddleZ() const;
    int EndZ() const;

    // Margins of the series' axes: each at least the size + 1 when visible
    // and InflateMargins.
    void GetHorizMargins(int& Left, int& Right) const;
    void GetVertMargins(int& Top, int& Bottom) const;

    // Pen and brush of the surface for a point of colour Colour.
    void PrepareCanvas(TCanvas3D& Surface, TColor Colour) const;
    // On the parent chart's surface, in 3D when the chart is.
    void Draw(int X, int Y, TColor Colour, TSeriesPointerStyle Style);
    // One shape of half sizes W, H centred on (X, Y).
    void DrawPointer(TCanvas3D& Surface, bool Is3D, int X, int Y, int W, int H, TColor Colour,
                     TSeriesPointerStyle Style);

    void Assign(const TPlotCustomShapeBrushPen& Source) override;
    // Repaints the owner series' chart.
    void CanvasChanged() override;

protected:
    // The gradient keeps its own colours (callouts).
    virtual bool KeepsGradientColors() const { return false; }
    // The panel of the owner series' chart, or nullptr.
    TCustomPlotPanel* Panel() const;

    template <typename T>
    void SetValue(T& Field, const T& Value)
    {
        UpdateValue(Field, Value, [this] { CanvasChanged(); });
    }


private:
    bool Orthogonal() const;
    void DrawShadow(TCanvas3D& Surface, bool Is3D, const TRect& R, TSeriesPointerStyle Style, int Z0);
    void DrawShape(TCanvas3D& Surface, bool Is3D, int X, int Y, int W, int H, TSeriesPointerStyle Style);
    void DrawGradient(TCanvas3D& Surface, bool Is3D, int X, int Y, int W, int H, TColor Colour,
                      TSeriesPointerStyle Style);

    TChartSeries* m_series;
    bool m_defaultDraw3D = true;
    bool m_dark3D = true;
    bool m_draw3D = true;
    std::unique_ptr<TPlotGradient> m_gradient;
    int m_horizSize = 4;
    int m_vertSize = 4;
    bool m_inflateMargins = true;
    std::unique_ptr<TPlotShadow> m_shadow;
    TSeriesPointerStyle m_style = psRectangle;
    int m_transparency = 0;
};
