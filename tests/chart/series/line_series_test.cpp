// Line-family drawing through the recording device: segments, the entering
// segment on linear and logarithmic axes, nulls, stacking, areas; the
// concrete types' settings and gallery tables.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "chart/axis_panel.h"
#include "chart/chart.h"
#include "chart/chart_callout.h"
#include "chart/series/area_series.h"
#include "chart/series/line_series.h"
#include "chart/series/point_series.h"
#include "platform/qt_drawing_device.h"
#include "series_chart.h"

namespace {

using Calls = std::vector<std::string>;

struct LineDraw : ::testing::Test {
    SeriesChart c;
    template <typename T>
    T* Add()
    {
        auto* s = new T(&c.rec.chart);
        c.rec.chart.AddSeries(s);
        return s;
    }
    Calls DrawAll(std::initializer_list<const char*> Names = {"MoveTo", "LineTo"})
    {
        return c.DrawAllSeries(Names);
    }
    // The LineTo calls of one draw of S, with the pen in force.
    Calls LinesWithPen(TChartSeries* S)
    {
        c.Draw([&] {
            S->CalcFirstLastVisible();
            S->DrawAllValues();
        });
        Calls lines;
        for (const std::string& l : c.rec.device.Lines(true))
            if (l.rfind("LineTo(", 0) == 0)
                lines.push_back(l.substr(0, l.find(" brush")));
        return lines;
    }
};

TEST_F(LineDraw, SegmentsBetweenThePoints)
{
    auto* s = Add<TLineSeries>();
    s->AddXY(0, 0);
    s->AddXY(1, 10);
    s->AddXY(2, 40);
    EXPECT_EQ(DrawAll(), (Calls{"MoveTo(100,350)", "LineTo(140,320)", "MoveTo(140,320)", "LineTo(180,230)"}));
}

TEST_F(LineDraw, OneVisiblePointDrawsNoSegment)
{
    auto* s = Add<TLineSeries>();
    s->AddXY(1, 10);
    EXPECT_EQ(DrawAll(), Calls{});
}

TEST_F(LineDraw, EnteringSegmentOnALinearAxis)
{
    auto* s = Add<TLineSeries>();
    for (int i = 0; i < 5; ++i)
        s->AddXY(i, 10 * i);
    c.Range(2.5, 12.5, 0, 100);
    // from the left edge at x = 2.5: y = 20 + 10 * 0.5 = 25 -> 350 - 75
    EXPECT_EQ(DrawAll(), (Calls{"MoveTo(100,275)", "LineTo(120,260)", "MoveTo(120,260)", "LineTo(160,230)"}));
}

TEST_F(LineDraw, EnteringSegmentOnALogarithmicAxis)
{
    auto* s = Add<TLineSeries>();
    for (int i = 0; i < 4; ++i)
        s->AddXY(i, i == 0 ? 1 : i == 1 ? 10 : i == 2 ? 100 : 1000);
    c.Range(0.5, 10.5, 1, 1000);
    c.Left().SetLogarithmic(true);
    // at x = 0.5 the value is sqrt(1 * 10): half a decade, 50 px above the bottom
    const Calls calls = DrawAll();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls[0], "MoveTo(100,300)");
    EXPECT_EQ(calls[1], "LineTo(120,250)");
}

TEST_F(LineDraw, EnteringSegmentOnALogarithmicAxisFromZero)
{
    auto* s = Add<TLineSeries>();
    s->AddXY(0, 0);
    s->AddXY(1, 10);
    c.Range(0.5, 10.5, 1, 1000);
    c.Left().SetLogarithmic(true);
    int zero = 0;
    c.Draw([&] { zero = c.Left().CalcYPosValue(0); });
    const Calls calls = DrawAll();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls[0], "MoveTo(100," + std::to_string(zero) + ")");
}

struct NullsCase {
    TTreatNullsStyle Mode;
    Calls Expected;
};

class LineNulls : public LineDraw, public ::testing::WithParamInterface<NullsCase> {};

TEST_P(LineNulls, ByTreatNulls)
{
    auto* s = Add<TLineSeries>();
    s->AddXY(0, 0);
    s->AddXY(1, 10, "", clNone);
    s->AddXY(2, 20);
    s->AddXY(3, 30);
    s->SetTreatNulls(GetParam().Mode);
    EXPECT_EQ(DrawAll(), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, LineNulls,
    ::testing::Values(
        // the null point breaks the line
        NullsCase{tnDontPaint, {"MoveTo(180,290)", "LineTo(220,260)"}},
        // the neighbours are joined across it
        NullsCase{tnSkip, {"MoveTo(100,350)", "LineTo(180,290)", "MoveTo(180,290)", "LineTo(220,260)"}},
        // drawn to and from it
        NullsCase{tnIgnore, {"MoveTo(100,350)", "LineTo(140,320)", "MoveTo(140,320)", "LineTo(180,290)",
                             "MoveTo(180,290)", "LineTo(220,260)"}}));

TEST_F(LineDraw, StairsAndInvertedStairs)
{
    auto* s = Add<TLineSeries>();
    s->AddXY(0, 0);
    s->AddXY(1, 10);
    s->SetStairs(true);
    EXPECT_EQ(DrawAll(), (Calls{"MoveTo(100,350)", "LineTo(140,350)", "LineTo(140,320)"}));
    s->SetInvertedStairs(true);
    EXPECT_EQ(DrawAll(), (Calls{"MoveTo(100,350)", "LineTo(100,320)", "LineTo(140,320)"}));
}

TEST_F(LineDraw, StackedSeriesSitOnEachOther)
{
    auto* a = Add<TLineSeries>();
    auto* b = Add<TLineSeries>();
    a->AddXY(0, 10);
    a->AddXY(1, 20);
    b->AddXY(0, 5);
    b->AddXY(1, 5);
    b->SetStacked(cssStack);
    EXPECT_EQ(a->Stacked(), cssStack);
    c.Draw([] {});
    EXPECT_EQ(b->CalcYPos(0), 350 - 45);
    EXPECT_EQ(b->CalcYPos(1), 350 - 75);
    EXPECT_EQ(b->GetOriginPos(1), 350 - 60);
    EXPECT_EQ(b->MaxYValue(), 25);
}

TEST_F(LineDraw, StackedTo100PercentTopsAtTheAxisEnd)
{
    auto* a = Add<TLineSeries>();
    auto* b = Add<TLineSeries>();
    a->AddXY(0, 2);
    b->AddXY(0, 1);
    a->SetStacked(cssStack100);
    c.Draw([] {});
    // 2 of 3 is 66.67 % (350 - 200); the whole stack reaches 100 %
    EXPECT_EQ(a->CalcYPos(0), 150);
    EXPECT_EQ(b->CalcYPos(0), 50);
    // a point whose stack totals 0 sits at the axis end
    a->YValues().SetValue(0, 0);
    b->YValues().SetValue(0, 0);
    EXPECT_EQ(b->CalcYPos(0), c.Left().EndPos());
}

TEST_F(LineDraw, ClickedSegmentAndPointer)
{
    auto* s = Add<TLineSeries>();
    for (int i = 0; i < 4; ++i)
        s->AddXY(i, 10);
    DrawAll();
    EXPECT_EQ(s->Clicked(160, 320), 1);
    EXPECT_EQ(s->Clicked(160, 300), -1);
    int clicks = 0;
    s->OnClickPointer = [&](TCustomSeries&, int, int, int) { ++clicks; };
    s->Pointer().Show();
    // the hit test alone (hover, tools) fires nothing; a press on the pointer
    // fires it once, a press on a segment not at all
    EXPECT_EQ(s->Clicked(142, 321), 1);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(s->MouseClicked(142, 321), 1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(s->MouseClicked(160, 320), 1);
    EXPECT_EQ(clicks, 1);
}

TEST_F(LineDraw, AreaPiecesDownToTheOrigin)
{
    auto* s = Add<TAreaSeries>();
    s->AddXY(0, 0);
    s->AddXY(1, 10);
    s->AddXY(2, 40);
    const Calls calls = DrawAll({"Polygon"});
    EXPECT_EQ(calls, (Calls{"Polygon(100,350 140,320 140,350 100,350)", "Polygon(140,320 180,230 180,350 140,350)"}));
}

TEST_F(LineDraw, AreaFromYOrigin)
{
    auto* s = Add<TAreaSeries>();
    s->AddXY(0, 10);
    s->AddXY(1, 20);
    s->SetUseYOrigin(true);
    s->SetYOrigin(50);
    EXPECT_EQ(s->MaxYValue(), 50);
    EXPECT_EQ(DrawAll({"Polygon"}), (Calls{"Polygon(100,320 140,290 140,200 100,200)"}));
}

TEST_F(LineDraw, AreaGroupsShareDepths)
{
    auto* a = Add<TAreaSeries>();
    auto* b = Add<TAreaSeries>();
    auto* d = Add<TAreaSeries>();
    for (TAreaSeries* s : {a, b, d})
        s->Add(1);
    b->SetStackGroup(1);
    a->SetMultiArea(maStacked);
    EXPECT_EQ(d->MultiArea(), maStacked);
    EXPECT_EQ(b->StackGroup(), 1);
    EXPECT_EQ(d->StackGroup(), 0);
    c.rec.chart.SetView3D(true);
    c.rec.chart.SetMaxZOrder(-1);
    for (TAreaSeries* s : {a, b, d})
        s->CalcZOrder();
    EXPECT_EQ(a->ComputedZOrder(), 0);
    EXPECT_EQ(b->ComputedZOrder(), 1);
    EXPECT_EQ(d->ComputedZOrder(), 0);
    // different groups do not stack
    EXPECT_EQ(b->PointOrigin(0, false), 0);
    EXPECT_EQ(d->PointOrigin(0, false), 1);
}

TEST(AreaSeries, MultiAreaIsAViewOfStacked)
{
    TAreaSeries s;
    EXPECT_TRUE(s.DrawArea());
    s.SetStacked(cssOverlap);
    EXPECT_EQ(s.MultiArea(), maNone);
    s.SetMultiArea(maStacked100);
    EXPECT_EQ(s.Stacked(), cssStack100);
    std::vector<std::string> g;
    s.CreateSubGallery(g);
    EXPECT_EQ(g, (std::vector<std::string>{"Normal", "Stairs", "Marks", "Colors", "Hollow", "No Lines", "Stack",
                                           "Stack 100%", "Points", "Gradient"}));
}

TEST(LineSeries, SettingsAndGallery)
{
    TLineSeries s;
    EXPECT_TRUE(s.DrawLine());
    EXPECT_FALSE(s.DrawArea());
    EXPECT_FALSE(s.Pointer().Visible());
    EXPECT_FALSE(s.SinglePointFunction());
    EXPECT_EQ(s.TreatNulls(), tnDontPaint);
    std::vector<std::string> g;
    s.CreateSubGallery(g);
    EXPECT_EQ(g, (std::vector<std::string>{"Normal", "Stairs", "Points", "Height", "Hollow", "Colors", "Marks",
                                           "No Border", "Outline"}));
    s.SetSubGallery(3);
    EXPECT_EQ(s.LineHeight(), 5);
    s.SetSubGallery(8);
    EXPECT_TRUE(s.OutLine().Visible());
}

TEST(LineSeries, AssignKeepsThePointerOnlyFromLines)
{
    TLineSeries a;
    a.Pointer().Show();
    TLineSeries b;
    b.Assign(a);
    EXPECT_TRUE(b.Pointer().Visible());
    TPointSeries p;
    TLineSeries d;
    d.Assign(p);
    EXPECT_FALSE(d.Pointer().Visible());
    EXPECT_TRUE(d.DrawLine());
    EXPECT_FALSE(d.DrawArea());
    THorizLineSeries h;
    TLineSeries e;
    e.Assign(h);
    EXPECT_FALSE(e.Pointer().Visible());
}

TEST(PointSeries, SettingsAndGallery)
{
    TPointSeries s;
    EXPECT_TRUE(s.Pointer().Visible());
    EXPECT_FALSE(s.DrawLine());
    EXPECT_FALSE(s.ClickableLine());
    std::vector<std::string> g;
    s.CreateSubGallery(g);
    EXPECT_EQ(g, (std::vector<std::string>{"Normal", "Colors", "Marks", "Hollow", "No Border", "Gradient",
                                           "Point 2D", "Triangle", "Star", "Circle", "Down Tri.", "Cross",
                                           "Diamond", "Hexagon"}));
    s.SetSubGallery(9);
    EXPECT_EQ(s.Pointer().Style(), psCircle);
    EXPECT_EQ(s.Pointer().HorizSize(), 8);
    s.SetTransparency(40);
    EXPECT_EQ(s.Pointer().Transparency(), 40);
    s.Pointer().SetColor(clRed);
    s.SetColorEachPoint(true);
    EXPECT_EQ(s.Pointer().Color(), clDefault);
}

TEST(HorizLineSeries, XHoldsTheValues)
{
    THorizLineSeries s;
    EXPECT_FALSE(s.YMandatory());
    EXPECT_FALSE(s.CalcVisiblePoints());
    EXPECT_EQ(s.YValues().Order(), loAscending);
    EXPECT_EQ(s.XValues().Order(), loNone);
}

}  // namespace

namespace {

TEST(LineSeriesMarks, OffsetIsTheCalloutAndKeepsItsMargin)
{
    TLineSeries line;
    const TMarksCallout& callout = *line.Marks().Callout();
    EXPECT_EQ(line.MarkOffset(), callout.Distance() + callout.Length());
    line.Marks().SetVisible(true);
    int top, bottom;
    line.GetVertMargins(top, bottom);
    EXPECT_GE(top, line.MarkOffset());
    TPointSeries points;
    EXPECT_EQ(points.Marks().Callout()->Length(), 0);
}

}  // namespace

TEST_F(LineDraw, ShadowPassFirstInTheShadowColourShifted)
{
    auto* s = Add<TLineSeries>();
    s->SetSeriesColor(clRed);
    s->Pointer().Show();
    s->AddXY(0, 0);
    s->AddXY(1, 10);
    s->Shadow().SetColor(clGray);
    s->Shadow().SetHorizSize(3);
    s->Shadow().SetVertSize(2);
    const Calls lines = LinesWithPen(s);
    // the shadow: 3 right and 2 down in gray (0x808080), then the line in red
    EXPECT_EQ(lines, (Calls{"LineTo(143,322) pen=[solid 1 0x808080]", "LineTo(140,320) pen=[solid 1 0x0000FF]"}));
    EXPECT_EQ(s->SeriesColor(), clRed);
    EXPECT_TRUE(s->Pointer().Visible());
    EXPECT_EQ(c.Bottom().StartPos(), 100);
    EXPECT_EQ(c.Left().EndPos(), 350);
}

TEST_F(LineDraw, ShadowPassKeepsTheChartsColourOfTheSeries)
{
    auto* s = Add<TLineSeries>();
    const TColor assigned = s->SeriesColor();
    s->AddXY(0, 0);
    s->AddXY(1, 10);
    s->Shadow().SetSize(2);
    DrawAll();
    EXPECT_EQ(s->OwnSeriesColor(), clDefault);
    EXPECT_EQ(s->SeriesColor(), assigned);
}

TEST_F(LineDraw, OutlinePassLeavesTheSeriesColour)
{
    auto* s = Add<TLineSeries>();
    s->SetSeriesColor(clRed);
    s->AddXY(0, 0);
    s->AddXY(1, 10);
    s->OutLine().Show();
    s->OutLine().SetColor(clBlue);
    s->OutLine().SetWidth(1);
    for (int pass = 0; pass < 2; ++pass) {
        const Calls lines = LinesWithPen(s);
        // outline 2 * 1 + 1 + 1 = 4 wide in blue, then the red line
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_NE(lines[0].find("0xFF0000"), std::string::npos) << lines[0];
        EXPECT_NE(lines[0].find(" 4 "), std::string::npos) << lines[0];
        EXPECT_EQ(lines[1], "LineTo(140,320) pen=[solid 1 0x0000FF]");
    }
    EXPECT_EQ(s->SeriesColor(), clRed);
}

TEST(PointSeries, GalleryPreview)
{
    TCustomAxisPanel chart;
    chart.resize(40, 40);
    auto* a = new TPointSeries(&chart);
    auto* b = new TPointSeries(&chart);
    chart.AddSeries(a);
    chart.AddSeries(b);
    a->PrepareForGallery(true);
    b->PrepareForGallery(true);
    EXPECT_EQ(a->Pointer().HorizSize(), 4);
    EXPECT_EQ(a->Pointer().VertSize(), 4);
    EXPECT_EQ(a->Pointer().Style(), psRectangle);
    EXPECT_EQ(b->Pointer().Style(), psTriangle);
    chart.resize(50, 40);
    a->PrepareForGallery(true);
    EXPECT_EQ(a->Pointer().HorizSize(), 6);
}

TEST(AreaSeries, GalleryPreviewTakesThePaletteColoursOfTheSettings)
{
    TCustomAxisPanel chart;
    auto* s = new TAreaSeries(&chart);
    chart.AddSeries(s);
    s->PrepareForGallery(true);
    EXPECT_TRUE(s->Gradient().Visible());
    EXPECT_EQ(s->SeriesColor(), chart.GetDefaultColor(3));
    EXPECT_EQ(s->Gradient().EndColor(), chart.GetDefaultColor(0));
    GalleryFirstColorIndex = 5;
    s->PrepareForGallery(true);
    GalleryFirstColorIndex = 3;
    EXPECT_EQ(s->SeriesColor(), chart.GetDefaultColor(5));
}

TEST_F(LineDraw, AreaLegendSymbol)
{
    auto* s = Add<TAreaSeries>();
    s->SetSeriesColor(clRed);
    s->AddXY(0, 0);
    const TRect r{10, 10, 30, 20};
    const auto legend = [&] {
        c.Draw([&] { s->DrawLegend(-1, r); });
        return c.rec.device.Lines();
    };
    const auto has = [](const std::vector<std::string>& lines, const std::string& prefix) {
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    };
    // an image brush in the area colour over white: both red
    s->AreaChartBrush().SetColor(clRed);
    EXPECT_FALSE(has(legend(), "SetBkColor(0xFFFFFF)"));
    s->AreaChartBrush().Image();
    EXPECT_TRUE(has(legend(), "SetBkColor(0xFFFFFF)"));
    // a visible gradient fills the symbol, in bands
    s->Gradient().SetVisible(true);
    const auto lines = legend();
    EXPECT_TRUE(has(lines, "PatBlt(10,"));
    EXPECT_FALSE(has(lines, "Rectangle("));
}

namespace {

// Each way of a line: its settings applied to a series of wavy points with
// repeats, nulls and colours of their own.
struct PenRunCase {
    const char* Name;
    std::function<void(TLineSeries&, SeriesChart&)> Set;
};

class LinePenRuns : public ::testing::TestWithParam<PenRunCase> {
protected:
    // Two series of wavy points with repeats, nulls and colours of their own.
    static void AddSeries(TChart& Chart, SeriesChart& C)
    {
        for (int k = 0; k < 2; ++k) {
            auto* s = new TLineSeries(&Chart);
            Chart.AddSeries(s);
            s->SetSeriesColor(k == 0 ? clRed : clBlack);
            for (int i = 0; i < 60; ++i) {
                const double y = 50 + 40 * std::sin(i * 0.7 + k) + (i % 7 == 3 ? 0 : 3 * (i % 3));
                TColor colour = clDefault;
                if (i % 11 == 5)
                    colour = clNone;
                else if (i % 9 == 4)
                    colour = clBlue;
                // some points repeat the one before
                s->AddXY(i / 6.0, i % 5 == 2 ? s->YValues().Value(i - 1) : y, "", colour);
            }
            GetParam().Set(*s, C);
        }
    }
    // The pixels of a whole chart of the two series.
    static platform::Bitmap Pixels(bool Runs)
    {
        TCustomSeries::SetPenRunsEnabled(Runs);
        SeriesChart settings;
        TChart chart;
        chart.resize(400, 300);
        chart.SetView3D(false);
        AddSeries(chart, settings);
        chart.Panel()->SetMonochrome(settings.rec.chart.Panel()->Monochrome());
        chart.BottomAxis()->SetInverted(settings.Bottom().Inverted());
        platform::QtDrawingDevice device(400, 300);
        chart.Draw(&device, TRect{0, 0, 400, 300});
        return device.Surface();
    }
    void TearDown() override { TCustomSeries::SetPenRunsEnabled(true); }
    // Every call of the draw of two series on a chart of their own, with the
    // pen and brush in force.
    static Calls Log(bool Runs)
    {
        TCustomSeries::SetPenRunsEnabled(Runs);
        SeriesChart c;
        AddSeries(c.rec.chart, c);
        c.Draw([&] {
            for (int i = 0; i < c.rec.chart.SeriesCount(); ++i) {
                TChartSeries* s = c.rec.chart.Series(i);
                s->CalcFirstLastVisible();
                s->DrawAllValues();
            }
        });
        return c.rec.device.Lines(true);
    }
};

TEST_P(LinePenRuns, DrawTheCallsOfSegmentsWithTheirOwnPens)
{
    const Calls general = Log(false);
    const Calls runs = Log(true);
    ASSERT_GT(general.size(), 40u);
    EXPECT_EQ(runs, general);
}

TEST_P(LinePenRuns, PaintAWholeChartAsSegmentsWithTheirOwnPens)
{
    EXPECT_TRUE(Pixels(true) == Pixels(false));
}

INSTANTIATE_TEST_SUITE_P(
    Settings, LinePenRuns,
    ::testing::Values(
        PenRunCase{"Plain", [](TLineSeries&, SeriesChart&) {}},
        PenRunCase{"SkipNulls", [](TLineSeries& s, SeriesChart&) { s.SetTreatNulls(tnSkip); }},
        PenRunCase{"IgnoreNulls", [](TLineSeries& s, SeriesChart&) { s.SetTreatNulls(tnIgnore); }},
        PenRunCase{"ColorEachPoint", [](TLineSeries& s, SeriesChart&) { s.SetColorEachPoint(true); }},
        PenRunCase{"OneColourEachPoint",
                   [](TLineSeries& s, SeriesChart&) {
                       s.SetColorEachPoint(true);
                       s.SetColorEachLine(false);
                   }},
        PenRunCase{"Dashed", [](TLineSeries& s, SeriesChart&) { s.LinePen().SetStyle(psDash); }},
        PenRunCase{"Wide", [](TLineSeries& s, SeriesChart&) { s.LinePen().SetWidth(3); }},
        PenRunCase{"SmallDots", [](TLineSeries& s, SeriesChart&) { s.LinePen().SetSmallDots(true); }},
        PenRunCase{"XorPen", [](TLineSeries& s, SeriesChart&) { s.LinePen().SetMode(pmXor); }},
        PenRunCase{"HiddenPen", [](TLineSeries& s, SeriesChart&) { s.LinePen().Hide(); }},
        PenRunCase{"Pointers", [](TLineSeries& s, SeriesChart&) { s.Pointer().Show(); }},
        PenRunCase{"Stairs", [](TLineSeries& s, SeriesChart&) { s.SetStairs(true); }},
        PenRunCase{"Shadow", [](TLineSeries& s, SeriesChart&) { s.Shadow().SetSize(2); }},
        PenRunCase{"Outline", [](TLineSeries& s, SeriesChart&) { s.OutLine().Show(); }},
        PenRunCase{"Stacked", [](TLineSeries& s, SeriesChart&) { s.SetStacked(cssStack); }},
        PenRunCase{"Inverted", [](TLineSeries&, SeriesChart& c) { c.Bottom().SetInverted(true); }},
        PenRunCase{"Monochrome",
                   [](TLineSeries&, SeriesChart& c) { c.rec.chart.Panel()->SetMonochrome(true); }},
        PenRunCase{"Horizontal", [](TLineSeries& s, SeriesChart&) { s.SetHorizontal(); }}),
    [](const ::testing::TestParamInfo<PenRunCase>& info) { return std::string(info.param.Name); });

}  // namespace

namespace {

bool HasLine(const std::vector<std::string>& Lines, const std::string& Prefix)
{
    return std::any_of(Lines.begin(), Lines.end(), [&](const std::string& l) { return l.rfind(Prefix, 0) == 0; });
}

}  // namespace

TEST_F(LineDraw, LineLegendSymbolIsALineIn2DAndTheWholeRectangleIn3D)
{
    auto* s = Add<TLineSeries>();
    s->SetSeriesColor(clRed);
    s->Pointer().SetVisible(false);
    s->LinePen().SetColor(clBlue);
    s->AddXY(0, 0);
    const TRect r{10, 10, 30, 20};
    const auto legend = [&] {
        c.Draw([&] { s->DrawLegend(-1, r); });
        return c.rec.device.Lines(true);
    };
    auto lines = legend();
    EXPECT_TRUE(HasLine(lines, "MoveTo(10,15)"));
    EXPECT_TRUE(HasLine(lines, "LineTo(30,15) pen=[solid 1 0x0000FF]"));  // the line pen in the item colour
    EXPECT_FALSE(HasLine(lines, "Rectangle("));
    c.rec.chart.SetView3D(true);
    lines = legend();
    EXPECT_TRUE(HasLine(lines, "Rectangle(10,10,30,20) pen=[solid 1 0xFF0000]"));  // the line pen's own colour
    EXPECT_FALSE(HasLine(lines, "LineTo(30,15)"));
    // a legend symbol pen of the chart's own is kept
    TChartPen symbolPen;
    symbolPen.SetColor(clLime);
    c.rec.chart.SetLegendSymbolPen(&symbolPen);
    lines = legend();
    EXPECT_TRUE(HasLine(lines, "Rectangle(10,10,30,20) pen=[solid 1 0x00FF00]"));
    c.rec.chart.SetView3D(false);
    lines = legend();
    EXPECT_TRUE(HasLine(lines, "LineTo(30,15) pen=[solid 1 0x00FF00]"));
    c.rec.chart.SetLegendSymbolPen(nullptr);
}
