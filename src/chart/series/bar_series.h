#pragma once
// Vertical bars: the layout of the bar series base turned into pixels (left
// edge, width, top and origin of each bar), the marks above or below the
// bars, the bar under the mouse, and each bar drawn in one of thirteen shapes
// in 2D or 3D.
#include "chart/series/custom_bar_series.h"

class TCanvas3D;

class TBarSeries : public TCustomBarSeries {
    Q_OBJECT
public:
    explicit TBarSeries(QObject* Owner = nullptr);

    void GetHorizMargins(int& Left, int& Right) override;
    void GetVertMargins(int& Top, int& Bottom) override;
    double MaxXValue() const override;
    double MinXValue() const override;
    double MaxYValue() const override;
    double MinYValue() const override;
    // Left edge of bar Index.
    int CalcXPos(int Index) const override;
    // The bar's centre.
    void CalcXYPos(int Index, int& X, int& Y) const override;
    // Side-all bars are drawn series by series.
    bool MoreSameZOrder() const override;
    // Top of bar Index.
    int CalcYPos(int Index) const override;
    bool DrawSeriesForward(int Index) const override;
    int MarkLength() const override;
    // Marks centred over the bar, above it or below a bar hanging down.
    void DrawMark(int ValueIndex, const std::string& Text, TSeriesMarkPosition& Position) override;
    bool ClickedBar(int ValueIndex, const TPoint& P) const override;
    void CalcBarBounds(int ValueIndex) override;
    void DrawValue(int ValueIndex) override;
    // Draws bar ValueIndex in BarBounds (StartPos..EndPos across the bar).
    virtual void DrawBar(int ValueIndex, int StartPos, int EndPos);
    const TPropertyTable<TCustomChartElement>& PropertyTable() const override { return Properties(); }
    static const TPropertyTable<TCustomChartElement>& Properties();

protected:
    TCustomBarSeries* CreateSameClass(QObject* Owner) const override { return new TBarSeries(Owner); }

private:
    // The pixel of the vertical axis' end (the bars' default origin).
    int AxisEndPos() const;
    void PrepareBarCanvas(int ValueIndex, TColor Color);
    // The bar in the shadow colour, offset; or the shadow's own smooth drawing.
    void DrawBarShadow(int ValueIndex);
    TRect NormalizedBounds() const;
    void DrawBarTickLines(TBarStyle Style);
    // The 3D frame of bsBevel inside the bar's pen.
    void DrawBevel(TCanvas3D& Canvas, TRect R);
};
