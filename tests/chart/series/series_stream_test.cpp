// The line-family types and the functions through the property model: stored
// rules, what each type publishes, round trips.
#include <gtest/gtest.h>

#include <QObject>

#include <algorithm>

#include "chart/chart.h"
#include "chart/chart_stream.h"
#include "chart/series/area_series.h"
#include "chart/series/bollinger_function.h"
#include "chart/series/fast_line_series.h"
#include "chart/series/histogram_series.h"
#include "chart/series/line_series.h"
#include "chart/series/macd_function.h"
#include "chart/series/moving_average_function.h"
#include "chart/series/point_series.h"
#include "chart/series_types.h"
#include "support/written_names.h"

namespace {

std::vector<std::string> WrittenNames(const TCustomChartElement& Series)
{
    return WrittenPropertyNames([&](TPropertyWriter& w) { Series.PropertyTable().Write(Series, w); });
}

bool Has(const std::vector<std::string>& Names, const std::string& Name)
{
    return std::find(Names.begin(), Names.end(), Name) != Names.end();
}

void RoundTrip(const TCustomChartElement& Source, TCustomChartElement& Target)
{
    TPropertyWriter w;
    w.WriteListBegin();
    Source.PropertyTable().Write(Source, w);
    w.WriteListEnd();
    TPropertyReader r(w.Data());
    r.ReadListBegin();
    Target.PropertyTable().ReadList(Target, r, "T");
}

TEST(SeriesStream, DefaultsAreNotWritten)
{
    TLineSeries line;
    const auto names = WrittenNames(line);
    for (const char* n : {"TreatNulls", "Stairs", "Stacked", "ClickableLine", "DrawArea", "LineHeight"})
        EXPECT_FALSE(Has(names, n)) << n;
    TFastLineSeries fast;
    EXPECT_FALSE(Has(WrittenNames(fast), "TreatNulls"));
    fast.SetTreatNulls(tnDontPaint);
    EXPECT_TRUE(Has(WrittenNames(fast), "TreatNulls"));
}

TEST(SeriesStream, AreaDrawsItsAreaUnlessTheStreamSaysOtherwise)
{
    TAreaSeries area;
    EXPECT_FALSE(Has(WrittenNames(area), "DrawArea"));
    area.SetDrawArea(false);
    EXPECT_TRUE(Has(WrittenNames(area), "DrawArea"));
    TAreaSeries fresh;
    EXPECT_TRUE(fresh.DrawArea());
}

TEST(SeriesStream, LineRoundTrip)
{
    TLineSeries a;
    a.SetStairs(true);
    a.SetTreatNulls(tnSkip);
    a.SetLineHeight(4);
    a.LinePen().SetWidth(3);
    a.Pointer().Show();
    a.Pointer().SetStyle(psStar);
    TLineSeries b;
    RoundTrip(a, b);
    EXPECT_TRUE(b.Stairs());
    EXPECT_EQ(b.TreatNulls(), tnSkip);
    EXPECT_EQ(b.LineHeight(), 4);
    EXPECT_EQ(b.LinePen().Width(), 3);
    EXPECT_TRUE(b.Pointer().Visible());
    EXPECT_EQ(b.Pointer().Style(), psStar);
}

TEST(SeriesStream, AreaAndFastLineAndHistogramRoundTrip)
{
    TAreaSeries a;
    a.SetStackGroup(2);
    a.SetUseYOrigin(true);
    a.SetYOrigin(1.5);
    a.SetMultiArea(maStacked);
    TAreaSeries b;
    RoundTrip(a, b);
    EXPECT_EQ(b.StackGroup(), 2);
    EXPECT_TRUE(b.UseYOrigin());
    EXPECT_EQ(b.YOrigin(), 1.5);
    EXPECT_EQ(b.MultiArea(), maStacked);

    TFastLineSeries f;
    f.SetDrawAllPoints(false);
    f.SetIgnoreNulls(false);
    TFastLineSeries g;
    RoundTrip(f, g);
    EXPECT_FALSE(g.DrawAllPoints());
    EXPECT_FALSE(g.IgnoreNulls());

    THistogramSeries h;
    h.SetTransparency(25);
    h.LinesPen().Show();
    THistogramSeries k;
    RoundTrip(h, k);
    EXPECT_EQ(k.Transparency(), 25);
    EXPECT_TRUE(k.LinesPen().Visible());
}

}  // namespace

namespace {

// A line series' pointer is hidden as built: shown, it is written, and read
// back it shows again; a point series' pointer the other way round.
TEST(SeriesStream, PointerVisibilityByTheSeriesDefault)
{
    TLineSeries line;
    EXPECT_FALSE(Has(WrittenNames(line), "Pointer.Visible"));
    line.Pointer().Show();
    EXPECT_TRUE(Has(WrittenNames(line), "Pointer.Visible"));
    TLineSeries back;
    RoundTrip(line, back);
    EXPECT_TRUE(back.Pointer().Visible());

    TPointSeries points;
    EXPECT_FALSE(Has(WrittenNames(points), "Pointer.Visible"));
    points.Pointer().Hide();
    TPointSeries hidden;
    RoundTrip(points, hidden);
    EXPECT_FALSE(hidden.Pointer().Visible());
}

}  // namespace

TEST(SeriesStream, EachTypeWritesOnlyWhatItPublishes)
{
    TPointSeries point;
    point.SetStairs(true);
    point.Shadow().SetSize(4);
    point.LinePen().SetWidth(3);
    point.Gradient().SetVisible(true);
    point.SetColorEachLine(false);
    point.Pointer().SetHorizSize(9);
    auto names = WrittenNames(point);
    for (const char* n : {"Stairs", "Shadow.Size", "LinePen.Width", "Pen.Width", "Gradient.Visible", "ColorEachLine"})
        EXPECT_FALSE(Has(names, n)) << n;
    EXPECT_TRUE(Has(names, "Pointer.HorizSize"));

    TLineSeries line;
    line.LinePen().SetWidth(3);
    line.SetAreaColor(clRed);
    line.SetTransparency(20);
    names = WrittenNames(line);
    EXPECT_TRUE(Has(names, "LinePen.Width"));
    for (const char* n : {"Pen.Width", "AreaColor", "Transparency"})
        EXPECT_FALSE(Has(names, n)) << n;

    TAreaSeries area;
    area.SetMultiArea(maStacked);
    area.SetLineHeight(3);
    area.SetTransparency(20);
    names = WrittenNames(area);
    EXPECT_TRUE(Has(names, "MultiArea"));
    EXPECT_TRUE(Has(names, "Transparency"));
    EXPECT_FALSE(Has(names, "Stacked"));
    EXPECT_FALSE(Has(names, "LineHeight"));
}

TEST(SeriesStream, AnUnpublishedNameIsAReadError)
{
    TPropertyWriter w;
    w.WritePropName("Stairs");
    w.WriteBoolean(true);
    w.WriteListEnd();
    TPointSeries point;
    TPropertyReader r(w.Data());
    EXPECT_THROW(point.PropertyTable().ReadList(point, r, "TPointSeries"), EReadError);
    EXPECT_FALSE(point.Stairs());
    TLineSeries line;
    TPropertyReader r2(w.Data());
    line.PropertyTable().ReadList(line, r2, "TLineSeries");
    EXPECT_TRUE(line.Stairs());
}

// ---- functions ----

namespace {

std::vector<std::string> FunctionNames(const TPlotFunction& F)
{
    return WrittenPropertyNames([&](TPropertyWriter& w) { F.PropertyTable().Write(F, w); });
}

}  // namespace

TEST(FunctionStream, StoredDefaultsPerClass)
{
    TMovingAverageFunction average;
    EXPECT_TRUE(FunctionNames(average).empty());
    average.SetWeighted(true);
    average.SetPeriod(3);
    average.SetPeriodAlign(paCenter);
    // a moving function publishes no PeriodStyle
    average.SetPeriodStyle(psRange);
    EXPECT_EQ(FunctionNames(average), (std::vector<std::string>{"Period", "PeriodAlign", "Weighted"}));
    // Period 10 at construction is its stored default
    TBollingerFunction bollinger;
    const auto names = FunctionNames(bollinger);
    EXPECT_FALSE(Has(names, "Period"));
    bollinger.SetPeriod(0);
    EXPECT_TRUE(Has(FunctionNames(bollinger), "Period"));
    EXPECT_FALSE(Has(names, "Deviation"));
    EXPECT_FALSE(Has(names, "Exponential"));
    bollinger.SetDeviation(3);
    EXPECT_TRUE(Has(FunctionNames(bollinger), "Deviation"));
}

TEST(FunctionStream, SeriesFunctionRoundTripsWithTheChart)
{
    // the engine's start-up registered both classes
    ASSERT_TRUE(IsChartClassRegistered("TLineSeries"));
    ASSERT_TRUE(IsChartClassRegistered("TMACDFunction"));
    QObject form;
    TChart chart;
    auto* source = new TLineSeries(&form);
    source->SetName("Source");
    chart.AddSeries(source);
    auto* line = new TLineSeries(&form);
    line->SetName("Macd");
    chart.AddSeries(line);
    auto* macd = new TMACDFunction(&form);
    macd->SetName("PlotFunction1");
    line->SetFunction(macd);
    macd->SetPeriod2(8);
    macd->SetPeriod3(5);
    macd->MACDExpPen().SetWidth(3);
    const auto bytes = WriteChart(chart);

    QObject otherForm;
    TChart copy;
    ReadChart(copy, &otherForm, bytes);
    ASSERT_EQ(copy.SeriesCount(), 2);
    auto* read = dynamic_cast<TMACDFunction*>(copy.Series(1)->FunctionType());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Name(), "PlotFunction1");
    EXPECT_EQ(read->ParentSeries(), copy.Series(1));
    EXPECT_EQ(read->Period(), 26);
    EXPECT_EQ(read->Period2(), 8);
    EXPECT_EQ(read->Period3(), 5);
    EXPECT_EQ(read->MACDExpPen().Width(), 3);
    EXPECT_EQ(copy.Series(0)->FunctionType(), nullptr);
    EXPECT_EQ(WriteChart(copy), bytes);
}

TEST(FunctionStream, AnUnknownFunctionPropertyIsAReadError)
{
    TMovingAverageFunction average;
    TPropertyWriter w;
    w.WritePropName("PeriodStyle");
    w.WriteIdent("psRange");
    w.WriteListEnd();
    TPropertyReader r(w.Data());
    EXPECT_THROW(average.PropertyTable().ReadList(average, r, "TMovingAverageFunction"), EReadError);
}
