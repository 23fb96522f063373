#pragma once
// One bar per point standing edge to edge, as a histogram of counted classes
// (X the class position, Y its height); THorizHistogramSeries lies on its side.
#include <memory>

#include "chart/series/custom_line_series.h"

class THistogramSeries : public TCustomLineSeries {
    Q_OBJECT
public:
    explicit THistogramSeries(QObject* Owner = nullptr);
    ~THistogramSeries() override;

    TChartHiddenPen& LinesPen() const { return *m_linesPen; }
    void SetLinesPen(const TChartPen& Value) { m_linesPen->Assign(Value); }
    int Transparency() const { return m_transparency; }
    void SetTransparency(int Value) { SetIntegerProperty(m_transparency, Value); }

    // The bar of point Index in screen pixels. Each bar starts where its
    // neighbour towards the screen's left (bottom) ends, by screen direction,
    // so that bars fill their slots on inverted axes too.
    virtual TRect CalcBarRect(int Index) const;
    // Bars across: the chart's points per page, else the point count.
    int BarCount() const;
    // Half a bar's width along the axis of the classes.
    int HalfWidth() const;

    void Assign(const TCustomChartElement& Source) override;
    std::string EditorClassName() const override { return "THistogramSeriesEditor"; }
    void GetHorizMargins(int& Left, int& Right) override;
    void GetVertMargins(int& Top, int& Bottom) override;
    void CalcFirstLastVisible() override;
    void CreateSubGallery(std::vector<std::string>& Captions) const override;
    void SetSubGallery(int Index) override;
    void DrawValue(int ValueIndex) override;
    int Clicked(int X, int Y) const override;

    const TPropertyTable<TCustomChartElement>& PropertyTable() const override { return Properties(); }
    static const TPropertyTable<TCustomChartElement>& Properties();

    // The visible neighbour of Index one step along the screen (-1: towards
    // the left of a vertical series, the bottom of a horizontal one; +1: the
    // other way), -1 when there is none.
    int Neighbour(int Index, int ScreenStep) const;

private:
    std::unique_ptr<TChartHiddenPen> m_linesPen;
    int m_transparency = 0;
};

class THorizHistogramSeries : public THistogramSeries {
    Q_OBJECT
public:
    explicit THorizHistogramSeries(QObject* Owner = nullptr);
    TRect CalcBarRect(int Index) const override;
};
