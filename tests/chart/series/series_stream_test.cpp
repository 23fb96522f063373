// The line-family types through the property model: stored rules and round trips.
#include <gtest/gtest.h>

#include <algorithm>

#include "chart/series/area_series.h"
#include "chart/series/fast_line_series.h"
#include "chart/series/histogram_series.h"
#include "chart/series/line_series.h"
#include "chart/series/point_series.h"
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

TEST(SeriesStream, AreaAlwaysWritesDrawArea)
{
    TAreaSeries area;
    EXPECT_TRUE(Has(WrittenNames(area), "DrawArea"));
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
