#pragma once
// Open-high-low-close candles in four styles: candle sticks, bars with open
// and close ticks, open-close boxes, or a line through the closes. Up and down
// candles take the start colours of their gradients.
#include <memory>

#include "chart/plot_geometry.h"
#include "chart/series/ohlc_series.h"

enum TCandleStyle { csCandleStick, csCandleBar, csOpenClose, csLine };
enum TCandleColorStyle { cssRelativeToOpen, cssRelativeToClose };

// The legend symbol of a candle in a legend box: the body and the two wicks
// (vertical lines at Mid).
struct TCandleLegendShape {
    TRect Body;
    int Mid = 0;
    int UpperTop = 0, UpperBottom = 0;
    int LowerTop = 0, LowerBottom = 0;
};
TCandleLegendShape CandleLegendShape(const TRect& R);

// Left and right half-widths of a body of Width pixels (Width div 2 toward zero, the rest).
inline int CandleLeftWidth(int Width) { return Width / 2; }
inline int CandleRightWidth(int Width) { return Width - Width / 2; }

class TCandleSeries : public TOHLCSeries {
    Q_OBJECT
public:
    explicit TCandleSeries(QObject* Owner = nullptr);
    ~TCandleSeries() override;

    TCandleStyle CandleStyle() const { return m_candleStyle; }
    // The pointer shows except with csLine.
    void SetCandleStyle(TCandleStyle Value);
    int CandleWidth() const { return m_candleWidth; }
    void SetCandleWidth(int Value) { SetIntegerProperty(m_candleWidth, Value); }
    TCandleColorStyle ColorStyle() const { return m_colorStyle; }
    void SetColorStyle(TCandleColorStyle Value) { SetProperty(m_colorStyle, Value); }
    TColor UpCloseColor() const;
    void SetUpCloseColor(TColor Value);
    TColor DownCloseColor() const;
    void SetDownCloseColor(TColor Value);
    TPlotGradient& UpCloseGradient() const { return *m_upGradient; }
    TPlotGradient& DownCloseGradient() const { return *m_downGradient; }
    TChartPen& HighLowPen() const { return *m_highLowPen; }
    void SetHighLowPen(const TChartPen& Value) { m_highLowPen->Assign(Value); }
    // The pointer's pen and 3D settings: the body outline (bar and line pen),
    // a box body, with darkened sides.
    TChartPen& Pen() const override { return *Pointer().Pen(); }
    void SetPen(const TChartPen& Value) override { Pointer().Pen()->Assign(Value); }
    bool Draw3D() const { return Pointer().Draw3D(); }
    void SetDraw3D(bool Value) { Pointer().SetDraw3D(Value); }
    bool Dark3D() const override { return Pointer().Dark3D(); }
    void SetDark3D(bool Value) override { Pointer().SetDark3D(Value); }
    bool ShowOpenTick() const { return m_showOpenTick; }
    void SetShowOpenTick(bool Value) { SetBooleanProperty(m_showOpenTick, Value); }
    bool ShowCloseTick() const { return m_showCloseTick; }
    void SetShowCloseTick(bool Value) { SetBooleanProperty(m_showCloseTick, Value); }

    // Point Index is an up candle (see the colour rule of ColorStyle).
    bool IsUpCandle(int Index) const;
    // The point's own colour, else the up or down colour.
    TColor CandleColor(int Index) const;

    void DrawValue(int ValueIndex) override;
    // The whole candle; with csLine the pointer's symbol at the close.
    void DrawValueAlone(int ValueIndex, const TChartPen& Pen) override;
    void DrawLegendShape(int Index, const TRect& Rect) override;
    // The first visible candle whose drawn lines or body contain the point.
    int Clicked(int X, int Y) const override;

    // With csLine the extremes are those of the closes.
    double MaxYValue() const override;
    double MinYValue() const override;
    std::string EditorClassName() const override { return "TCandleEditor"; }
    void CreateSubGallery(std::vector<std::string>& Captions) const override;
    void SetSubGallery(int Index) override;
    // Four wide candles; grey ones for a disabled entry.
    void PrepareForGallery(bool IsEnabled) override;
    // Also takes the chart's default colours 0 (down) and 4 (up).
    void SetChartView3D(bool Value) override;
    void Assign(const TCustomChartElement& Source) override;
    const TPropertyTable<TCustomChartElement>& PropertyTable() const override { return Properties(); }
    static const TPropertyTable<TCustomChartElement>& Properties();

private:
    TCandleStyle m_candleStyle = csCandleStick;
    int m_candleWidth = 4;
    TCandleColorStyle m_colorStyle = cssRelativeToOpen;
    std::unique_ptr<TPlotGradient> m_upGradient;
    std::unique_ptr<TPlotGradient> m_downGradient;
    std::unique_ptr<TChartPen> m_highLowPen;
    bool m_showOpenTick = true;
    bool m_showCloseTick = true;
    // csLine: the close point drawn last (screen)
    TPoint m_previousClose{};
};
