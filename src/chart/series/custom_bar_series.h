#pragma once
// What every bar-like series shares: the bar style, the bar's share of its
// slot, offset and depth, how the bar series of one chart share the slots
// (MultiBar), the origin of the bars, stack groups, bevel, tick lines, shadow
// and gradient, and the layout computed before each drawing.
#include <functional>
#include <memory>

#include "chart/plot_gradient.h"
#include "chart/plot_shadow.h"
#include "chart/series/bar_geometry.h"
#include "chart/chart_series.h"

// The bars' gradient; Relative ends each bar's gradient at a colour between
// the start colour and the bar colour by the bar's value.
class TBarSeriesGradient : public TCustomPlotGradient {
public:
    using TCustomPlotGradient::TCustomPlotGradient;
    bool Relative() const { return m_relative; }
    void SetRelative(bool Value);
    void Assign(const TCustomPlotGradient& Source) override;

private:
    bool m_relative = false;
};

class TCustomBarSeries : public TChartSeries {
    Q_OBJECT
public:
    explicit TCustomBarSeries(QObject* Owner = nullptr);
    ~TCustomBarSeries() override;

    bool AutoBarSize() const { return m_autoBarSize; }
    void SetAutoBarSize(bool Value) { SetBooleanProperty(m_autoBarSize, Value); }
    bool AutoMarkPosition() const { return m_autoMarkPosition; }
    void SetAutoMarkPosition(bool Value) { SetBooleanProperty(m_autoMarkPosition, Value); }
    TBarStyle BarStyle() const { return m_barStyle; }
    void SetBarStyle(TBarStyle Value) { SetProperty(m_barStyle, Value); }
    int BarWidthPercent() const { return m_barWidthPercent; }
    void SetBarWidthPercent(int Value) { SetIntegerProperty(m_barWidthPercent, Value); }
    int BevelSize() const { return m_bevelSize; }
    void SetBevelSize(int Value) { SetIntegerProperty(m_bevelSize, Value); }
    int ConePercent() const { return m_conePercent; }
    void SetConePercent(int Value) { SetIntegerProperty(m_conePercent, Value); }
    int CustomBarWidth() const { return m_customBarWidth; }
    void SetCustomBarWidth(int Value) { SetIntegerProperty(m_customBarWidth, Value); }
    bool Dark3D() const { return m_dark3D; }
    void SetDark3D(bool Value) { SetBooleanProperty(m_dark3D, Value); }
    int DarkPen() const { return m_darkPen; }
    void SetDarkPen(int Value) { SetIntegerProperty(m_darkPen, Value); }
    // Percent of see-through of every bar (not streamed).
    int Transparency() const { return m_transparency; }
    void SetTransparency(int Value) { SetIntegerProperty(m_transparency, Value); }
    int DepthPercent() const { return m_depthPercent; }
    void SetDepthPercent(int Value) { SetIntegerProperty(m_depthPercent, Value); }
    TBarSeriesGradient& Gradient() const { return *m_gradient; }
    void SetGradient(const TCustomPlotGradient& Value) { m_gradient->Assign(Value); }
    TMultiBar MultiBar() const { return m_multiBar; }
    // Also every bar series of the chart of the same class.
    void SetMultiBar(TMultiBar Value);
    int OffsetPercent() const { return m_offsetPercent; }
    void SetOffsetPercent(int Value) { SetIntegerProperty(m_offsetPercent, Value); }
    TPlotShadow& Shadow() const { return *m_shadow; }
    void SetShadow(const TPlotShadow& Value) { m_shadow->Assign(&Value); }
    bool SideMargins() const { return m_sideMargins; }
    // Also every bar series of the chart of the same class.
    void SetSideMargins(bool Value);
    int StackGroup() const { return m_stackGroup; }
    void SetStackGroup(int Value) { SetIntegerProperty(m_stackGroup, Value); }
    TChartHiddenPen& TickLines() const { return *m_tickLines; }
    void SetTickLines(const TChartPen& Value) { m_tickLines->Assign(Value); }
    bool UseYOrigin() const { return m_useYOrigin; }
    void SetUseYOrigin(bool Value) { SetBooleanProperty(m_useYOrigin, Value); }
    double YOrigin() const { return m_yOrigin; }
    void SetYOrigin(double Value) { SetDoubleProperty(m_yOrigin, Value); }
    TChartBrush& BarBrush() const { return Brush(); }
    TChartPen& BarPen() const { return Pen(); }

    std::function<void(TCustomBarSeries& Sender, int ValueIndex, TBarStyle& Style)> OnGetBarStyle;

    // ---- layout of the current drawing ----
    int NumBars() const { return m_layout.NumBars; }
    int MaxBarPoints() const { return m_layout.MaxBarPoints; }
    int BarOrder() const { return m_layout.BarOrder; }
    int PointsBefore() const { return m_layout.PointsBefore; }
    int BarWidth() const { return m_barWidth; }
    const TRect& BarBounds() const { return m_barBounds; }
    // Places this series among the chart's bar series (before each drawing).
    void DoBeforeDrawChart() override;
    // The bar width for the axes of this drawing.
    void DoBeforeDrawValues() override;
    // BarWidth from the layout and the axis across the bars.
    void CalcBarWidth();
    // Pixels added to both margins across the bars.
    int BarSideMargin() const;

    // ---- operations ----
    virtual int MarkLength() const { return 0; }
    virtual bool ClickedBar(int, const TPoint&) const { return false; }
    virtual bool HasBarStyles() const { return true; }
    virtual void CalcBarBounds(int ValueIndex) = 0;
    // The value bar ValueIndex stands on (stacks: the sum below it; SumAll:
    // the stack's total).
    virtual double PointOrigin(int ValueIndex, bool SumAll) const;
    // Pixel the bar starts from on the mandatory axis; Default when the bars
    // have no origin of their own.
    int GetOriginPos(int ValueIndex, int Default) const;
    TBarStyle GetBarStyle(int ValueIndex);
    // End colour of the bar's gradient.
    TColor GradientEndColor(int ValueIndex, TColor BarColor) const;

    // ---- overrides ----
    void Assign(const TCustomChartElement& Source) override;
    std::string EditorClassName() const override { return "TBarSeriesEditor"; }
    void SetParentChart(TSeriesParent* Value) override;
    void CalcFirstLastVisible() override;
    void CalcZOrder() override;
    void CalcDepthPositions() override;
    void CreateSubGallery(std::vector<std::string>& Captions) const override;
    // From 6 on (the multi-bar modes), a chart holding only this series gets
    // a second one of its class in the same mode, for the preview.
    void SetSubGallery(int Index) override;
    void PrepareForGallery(bool IsEnabled) override;
    int NumSampleValues() const override;
    // Y values only, at X = 0, 1, ..., unless another bar series of the chart
    // has X values of its own.
    void AddSampleValues(int NumValues, bool OnlyMandatory = false) override;
    void PrepareLegendCanvas(int ValueIndex, TColor& BackColor, TBrushStyle& BrushStyle) override;
    // With an image in BarBrush, the image is the brush pattern of the symbol.
    void DrawLegendShape(int ValueIndex, const TRect& Rect) override;
    int Clicked(int X, int Y) const override;
    const TPropertyTable<TCustomChartElement>& PropertyTable() const override { return Properties(); }
    static const TPropertyTable<TCustomChartElement>& Properties();

protected:
    // A new series of this series' own class (the caller takes it over).
    virtual TCustomBarSeries* CreateSameClass(QObject* Owner) const = 0;
    // The bar series of the chart of this class, in chart order (this one included).
    std::vector<TCustomBarSeries*> SameClassSeries() const;
    void PushMultiBar();
    TRect m_barBounds{};
    int m_barWidth = 0;
    TColor m_normalBarColor = clDefault;
    TBarLayout m_layout;

private:
    // The chart's points per page (0: paging off).
    int PointsPerPage() const;
    bool m_autoBarSize = false;
    bool m_autoMarkPosition = true;
    TBarStyle m_barStyle = bsRectangle;
    int m_barWidthPercent = 70;
    int m_bevelSize = 1;
    int m_conePercent = 0;
    int m_customBarWidth = 0;
    bool m_dark3D = true;
    int m_darkPen = 0;
    int m_transparency = 0;
    int m_depthPercent = 100;
    std::unique_ptr<TBarSeriesGradient> m_gradient;
    TMultiBar m_multiBar = mbSide;
    int m_offsetPercent = 0;
    std::unique_ptr<TPlotShadow> m_shadow;
    bool m_sideMargins = true;
    int m_stackGroup = 0;
    std::unique_ptr<TChartHiddenPen> m_tickLines;
    bool m_useYOrigin = true;
    double m_yOrigin = 0;
};
