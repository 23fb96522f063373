#pragma once
// The legend's symbol settings: width, square or continuous symbols, frame pen,
// gradient and shadow, and the plain symbol drawing.
#include <functional>
#include <memory>

#include "chart/chart_pen.h"
#include "chart/plot_gradient.h"
#include "chart/plot_shadow.h"
#include "chart/property_model.h"

class TCanvas3D;
class TChartSeries;

// Right to left, silver to white; hidden.
class TChartLegendGradient : public TPlotGradient {
public:
    explicit TChartLegendGradient(std::function<void()> OnChange = {});
    static const TPropertyTable<TCustomPlotGradient>& Properties();
};

enum TLegendSymbolPosition : std::uint8_t { spLeft, spRight };
inline constexpr const char* LegendSymbolPositionNames[] = {"spLeft", "spRight"};
enum TLegendSymbolSize : std::uint8_t { lcsPercent, lcsPixels };
inline constexpr const char* LegendSymbolSizeNames[] = {"lcsPercent", "lcsPixels"};

class TLegendSymbol {
public:
    // OnChange: the owning legend's repaint; ItemHeight: the legend's item height.
    explicit TLegendSymbol(std::function<void()> OnChange = {}, std::function<int()> ItemHeight = {});
    ~TLegendSymbol();
    TLegendSymbol(const TLegendSymbol&) = delete;
    TLegendSymbol& operator=(const TLegendSymbol&) = delete;

    static const TPropertyTable<TLegendSymbol>& Properties();

    bool Continuous() const { return m_continuous; }
    void SetContinuous(bool Value) { Set(m_continuous, Value); }
    bool DefaultPen() const { return m_defaultPen; }
    void SetDefaultPen(bool Value) { Set(m_defaultPen, Value); }
    TChartLegendGradient* Gradient() const { return m_gradient.get(); }
    void SetGradient(const TCustomPlotGradient* Value);
    TChartPen* Pen() const { return m_pen.get(); }
    void SetPen(const TChartPen* Value);
    TLegendSymbolPosition Position() const { return m_position; }
    void SetPosition(TLegendSymbolPosition Value) { Set(m_position, Value); }
    TPlotShadow* Shadow() const { return m_shadow.get(); }
    void SetShadow(const TPlotShadow* Value);
    bool Squared() const { return m_squared; }
    void SetSquared(bool Value) { Set(m_squared, Value); }
    bool Visible() const { return m_visible; }
    void SetVisible(bool Value) { Set(m_visible, Value); }
    int Width() const { return m_width; }
    void SetWidth(int Value) { Set(m_width, Value); }
    TLegendSymbolSize WidthUnits() const { return m_widthUnits; }
    void SetWidthUnits(TLegendSymbolSize Value) { Set(m_widthUnits, Value); }
    int ItemHeight() const { return m_itemHeight ? m_itemHeight() : 0; }

    // Replaces the symbol drawing: (sender legend, series, value index, rectangle).
    std::function<void(void* Sender, TChartSeries* Series, int ValueIndex, const TRect& R)> OnDraw;

    // Continuous, Gradient, Pen, Position, Shadow, Squared, Width, WidthUnits, Visible.
    void Assign(const TLegendSymbol& Source);

    // The plain symbol in Color within R: shadow, pen (unless DefaultPen),
    // gradient ending in Color or a solid brush, then a framed rectangle when
    // Pen is visible.
    void DrawSymbol(TCanvas3D& Canvas, const TRect& R, TColor Color);

private:
    template <typename T>
    void Set(T& Field, const T& Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        Changed();
    }
    void Changed()
    {
        if (m_onChange)
            m_onChange();
    }

    std::function<void()> m_onChange;
    std::function<int()> m_itemHeight;
    bool m_continuous = false;
    bool m_defaultPen = true;
    std::unique_ptr<TChartLegendGradient> m_gradient;
    std::unique_ptr<TChartPen> m_pen;
    TLegendSymbolPosition m_position = spLeft;
    std::unique_ptr<TPlotShadow> m_shadow;
    bool m_squared = false;
    bool m_visible = true;
    int m_width = 20;
    TLegendSymbolSize m_widthUnits = lcsPercent;
};
