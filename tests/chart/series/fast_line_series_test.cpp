// Fast line: one polyline, the same-column skip, nulls, margins, the
// incremental draw of added points and the hit test.
#include <gtest/gtest.h>

#include <QApplication>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "chart/axis_container.h"
#include "chart/chart.h"
#include "chart/series/fast_line_series.h"
#include "platform/qt_drawing_device.h"
#include "series_chart.h"

namespace {

using Calls = std::vector<std::string>;

struct FastLine : ::testing::Test {
    SeriesChart c;
    TFastLineSeries* s = nullptr;
    void SetUp() override
    {
        s = new TFastLineSeries(&c.rec.chart);
        c.rec.chart.AddSeries(s);
    }
    Calls DrawSeries()
    {
        c.Draw([&] {
            s->CalcFirstLastVisible();
            s->DrawAllValues();
        });
        return c.Calls({"MoveTo", "LineTo"});
    }
};

TEST_F(FastLine, OnePolylineThroughThePoints)
{
    s->AddXY(0, 0);
    s->AddXY(1, 10);
    s->AddXY(2, 40);
    EXPECT_EQ(DrawSeries(), (Calls{"MoveTo(100,350)", "LineTo(140,320)", "LineTo(180,230)"}));
}

TEST_F(FastLine, EntersFromThePointBeforeTheAxis)
{
    for (int i = 0; i < 5; ++i)
        s->AddXY(i, 10 * i);
    c.Range(2, 12, 0, 100);
    // point 1 is off the chart: the line starts there (x = 100 - 40)
    EXPECT_EQ(DrawSeries(), (Calls{"MoveTo(60,320)", "LineTo(100,290)", "LineTo(140,260)", "LineTo(180,230)"}));
}

TEST_F(FastLine, NoVisiblePointDrawsNothing)
{
    // every point before the axis minimum: the first visible index is -1
    s->AddXY(-20, 1);
    s->AddXY(-10, 2);
    EXPECT_EQ(DrawSeries(), Calls{});
    EXPECT_EQ(s->FirstValueIndex(), -1);
}

TEST_F(FastLine, SameColumnSkipWithDrawAllPointsOff)
{
    s->SetDrawAllPoints(false);
    for (int i = 0; i < 1000; ++i)
        s->AddXY(i * 1e-5, i % 100);
    s->AddXY(1, 0);
    // a thousand points on column 100: nothing after the first, then the next column
    EXPECT_EQ(DrawSeries(), (Calls{"MoveTo(100,350)", "LineTo(140,350)"}));
}

TEST_F(FastLine, SameColumnDrawnWithDrawAllPointsOn)
{
    s->AddXY(0, 0);
    s->AddXY(0, 10);
    s->AddXY(0, 10);
    EXPECT_EQ(DrawSeries(), (Calls{"MoveTo(100,350)", "LineTo(100,320)"}));
}

TEST_F(FastLine, Stairs)
{
    s->AddXY(0, 0);
    s->AddXY(1, 10);
    s->SetStairs(true);
    EXPECT_EQ(DrawSeries(), (Calls{"MoveTo(100,350)", "LineTo(140,350)", "LineTo(140,320)"}));
    s->SetInvertedStairs(true);
    EXPECT_EQ(DrawSeries(), (Calls{"MoveTo(100,350)", "LineTo(100,320)", "LineTo(140,320)"}));
}

TEST_F(FastLine, NullsByTreatNulls)
{
    s->AddXY(0, 0);
    s->AddXY(1, 10, "", clNone);
    s->AddXY(2, 20);
    // IgnoreNulls on: the null point is drawn at its value
    EXPECT_EQ(DrawSeries(), (Calls{"MoveTo(100,350)", "LineTo(140,320)", "LineTo(180,290)"}));
    s->SetIgnoreNulls(false);
    s->SetTreatNulls(tnSkip);
    EXPECT_EQ(DrawSeries(), (Calls{"MoveTo(100,350)", "MoveTo(100,350)", "LineTo(180,290)"}));
    s->SetTreatNulls(tnDontPaint);
    EXPECT_EQ(DrawSeries(), (Calls{"MoveTo(100,350)", "MoveTo(140,320)", "MoveTo(180,290)"}));
    s->SetTreatNulls(tnIgnore);
    EXPECT_EQ(DrawSeries(), (Calls{"MoveTo(100,350)", "LineTo(140,320)", "LineTo(180,290)"}));
}

TEST_F(FastLine, MarginsGrowWithThePen)
{
    const int expected[] = {1, 2, 3, 3};
    for (int w = 1; w <= 4; ++w) {
        s->LinePen().SetWidth(w);
        int a, b;
        s->GetHorizMargins(a, b);
        EXPECT_EQ(a, expected[w - 1]) << w;
        EXPECT_EQ(b, expected[w - 1]) << w;
        s->GetVertMargins(a, b);
        EXPECT_EQ(a, expected[w - 1]) << w;
    }
}

TEST_F(FastLine, ClickedOnASegmentAnswersItsFirstPoint)
{
    for (int i = 0; i < 6; ++i)
        s->AddXY(i, 10);
    DrawSeries();
    // between points 3 and 4 (x 220..260, y 320)
    EXPECT_EQ(s->Clicked(240, 320), 3);
    EXPECT_EQ(s->Clicked(220, 320), 3);
    EXPECT_EQ(s->Clicked(240, 300), -1);
}

TEST_F(FastLine, ColourAndPenFollowEachOther)
{
    s->SetSeriesColor(clRed);
    EXPECT_EQ(s->LinePen().Color(), clRed);
    TChartPen p;
    p.SetColor(clBlue);
    s->SetPen(p);
    EXPECT_EQ(s->SeriesColor(), clBlue);
}

TEST(FastLineSeries, DefaultsGalleryAndAssign)
{
    TFastLineSeries s;
    EXPECT_EQ(s.TreatNulls(), tnIgnore);
    EXPECT_TRUE(s.AutoRepaint());
    EXPECT_TRUE(s.DrawAllPoints());
    EXPECT_TRUE(s.IgnoreNulls());
    std::vector<std::string> g;
    s.CreateSubGallery(g);
    EXPECT_EQ(g, (std::vector<std::string>{"Normal", "Marks", "Dotted", "Stairs"}));
    s.SetDrawAllPoints(false);
    s.SetFastPen(true);
    TFastLineSeries t;
    t.Assign(s);
    EXPECT_FALSE(t.DrawAllPoints());
    EXPECT_TRUE(t.FastPen());
}

// Added points with AutoRepaint off go straight onto the chart's buffer.
struct FastLineIncremental : ::testing::Test {
    TDrawTestChart chart;
    TFastLineSeries* s = nullptr;
    platform::RecordingDevice screen{600, 400};

    void SetUp() override
    {
        chart.resize(600, 400);
        chart.CustomChartRect = true;
        chart.SetView3D(false);
        chart.SetBufferedDisplay(true);
        s = new TFastLineSeries(&chart);
        chart.AddSeries(s);
        for (TChartAxis* a : {chart.BottomAxis(), chart.LeftAxis()})
            a->SetAutomatic(false);
        chart.BottomAxis()->SetMinMax(0, 10);
        chart.LeftAxis()->SetMinMax(0, 100);
        chart.OnDraw = [this] {
            chart.ChartRect = SeriesChart::kRect;
            chart.RecalcWidthHeight();
            for (TChartAxis* a : {chart.BottomAxis(), chart.LeftAxis()}) {
                a->SetStartEnd();
                a->AdjustMaxMin();
            }
            ++draws;
        };
        s->AddXY(0, 0);
        s->SetAutoRepaint(false);
    }
    TPlotCanvas3D& Plot() { return *static_cast<TPlotCanvas3D*>(chart.Canvas()); }
    void Paint() { chart.Draw(&screen, TRect{0, 0, 600, 400}); }
    platform::RecordingDevice& Buffer()
    {
        return *static_cast<platform::RecordingDevice*>(Plot().Bitmap());
    }
    int draws = 0;
};

TEST_F(FastLineIncremental, EachAddDrawsOneSegmentWithoutARepaint)
{
    chart.show();
    Paint();
    ASSERT_TRUE(chart.isVisible());
    ASSERT_NE(Plot().Bitmap(), nullptr);
    const int before = draws;
    Buffer().ClearLog();
    s->AddXY(1, 10);
    s->AddXY(2, 40);
    Calls out;
    for (const std::string& l : Buffer().Lines())
        if (l.rfind("MoveTo", 0) == 0 || l.rfind("LineTo", 0) == 0)
            out.push_back(l);
    EXPECT_EQ(out, (Calls{"MoveTo(100,350)", "LineTo(140,320)", "MoveTo(140,320)", "LineTo(180,230)"}));
    EXPECT_EQ(draws, before);
    EXPECT_FALSE(Plot().BufferInvalid);
    // the next full draw gives the same polyline
    Plot().Invalidate();
    chart.OnDraw = [this, old = chart.OnDraw] {
        old();
        s->CalcFirstLastVisible();
        Buffer().ClearLog();
        s->DrawAllValues();
    };
    Paint();
    Calls full;
    for (const std::string& l : Buffer().Lines())
        if (l.rfind("MoveTo", 0) == 0 || l.rfind("LineTo", 0) == 0)
            full.push_back(l);
    EXPECT_EQ(full, (Calls{"MoveTo(100,350)", "LineTo(140,320)", "LineTo(180,230)"}));
}

TEST_F(FastLineIncremental, HiddenChartSkipsAndStalesTheBuffer)
{
    Paint();
    ASSERT_FALSE(chart.isVisible());
    Buffer().ClearLog();
    s->AddXY(1, 10);
    EXPECT_EQ(Buffer().Count("LineTo"), 0);
    EXPECT_TRUE(Plot().BufferInvalid);
}

TEST_F(FastLineIncremental, NoBufferSkips)
{
    chart.show();
    s->AddXY(1, 10);
    EXPECT_EQ(s->Count(), 2);
}

TEST_F(FastLineIncremental, AddWhilePaintingSkips)
{
    chart.show();
    Paint();
    int lines = -1;
    chart.OnDraw = [this, &lines, old = chart.OnDraw] {
        old();
        Buffer().ClearLog();
        s->AddXY(1, 10);
        lines = Buffer().Count("LineTo");
    };
    Paint();
    EXPECT_EQ(lines, 0);
}

// Whole draws with the inline positions and with one axis call per point:
// the same calls and the same pixels, over data shapes and axis settings.
struct FastLineCase {
    const char* name;
    int points;
    // X and Y of point i; NaN Y marks a null
    double (*x)(int);
    double (*y)(int);
    bool drawAll;
    bool ignoreNulls;
    TTreatNullsStyle nulls;
    bool stairs;
    bool inverted;
    bool fastCalc;
};

class FastLineInline : public ::testing::TestWithParam<FastLineCase> {
protected:
    static void Fill(TFastLineSeries& S)
    {
        const FastLineCase& p = GetParam();
        S.SetDrawAllPoints(p.drawAll);
        S.SetIgnoreNulls(p.ignoreNulls);
        S.SetTreatNulls(p.nulls);
        S.SetStairs(p.stairs);
        S.SetSeriesColor(clRed);
        for (int i = 0; i < p.points; ++i) {
            const double y = p.y(i);
            if (std::isnan(y))
                S.AddNullXY(p.x(i), 0);
            else
                S.AddXY(p.x(i), y);
        }
    }
    static void SetAxes(TChart& Chart)
    {
        Chart.Axes().SetFastCalc(GetParam().fastCalc);
        Chart.BottomAxis()->SetInverted(GetParam().inverted);
        Chart.LeftAxis()->SetInverted(GetParam().inverted);
    }
    static Calls Log(bool Inline)
    {
        SeriesChart c;
        auto* s = new TFastLineSeries(&c.rec.chart);
        c.rec.chart.AddSeries(s);
        Fill(*s);
        s->SetInlinePositions(Inline);
        // each segment on its own: the calls of the per-point path
        s->SetMergeColumns(false);
        SetAxes(c.rec.chart);
        c.Range(-50, 1050, -20, 120);
        c.Draw([&] {
            s->CalcFirstLastVisible();
            s->DrawAllValues();
        });
        return c.rec.device.Lines(true);
    }
    static platform::Bitmap Pixels(bool Inline)
    {
        TChart chart;
        chart.resize(640, 400);
        chart.SetView3D(false);
        auto* s = new TFastLineSeries(&chart);
        chart.AddSeries(s);
        Fill(*s);
        s->SetInlinePositions(Inline);
        SetAxes(chart);
        platform::QtDrawingDevice device(640, 400);
        chart.Draw(&device, TRect{0, 0, 640, 400});
        return device.Surface();
    }
};

TEST_P(FastLineInline, DrawsTheSameCalls)
{
    const Calls perPoint = Log(false);
    const Calls inlined = Log(true);
    ASSERT_GT(perPoint.size(), 20u);
    EXPECT_EQ(inlined, perPoint);
}

TEST_P(FastLineInline, PaintsTheSamePixels)
{
    EXPECT_TRUE(Pixels(true) == Pixels(false));
}

double Wave(int i) { return 50 + 45 * std::sin(i * 0.013) * std::cos(i * 0.0021) + 4 * std::sin(i * 0.9); }
double Dense(int i) { return i * 0.01; }
double Sparse(int i) { return i * 7.3; }
// back and forth, with repeats and points far beyond both ends
double Unordered(int i)
{
    if (i % 97 == 13)
        return i % 2 ? 1e9 : -1e9;
    return (i * 7919) % 1000 + (i % 3) * 0.25;
}
double WaveWithNulls(int i) { return i % 17 == 5 || (i / 40) % 9 == 4 ? std::nan("") : Wave(i); }
// exact halves of a pixel and values far off the axis
double Halves(int i) { return i % 50 == 7 ? (i % 2 ? 1e12 : -1e12) : (i % 280) * 0.5 - 20; }
// X on each side of the columns' rounding edges, and X that is no number
double ColumnEdges(int i) { return (i / 4) * 1.1 + ((i % 4) - 1.5) * 1e-7; }
double NanX(int i) { return i % 23 == 4 ? std::nan("") : Dense(i); }

INSTANTIATE_TEST_SUITE_P(
    Shapes, FastLineInline,
    ::testing::Values(
        FastLineCase{"DenseColumns", 100000, Dense, Wave, false, true, tnIgnore, false, false, false},
        FastLineCase{"DenseAllPoints", 20000, Dense, Wave, true, true, tnIgnore, false, false, false},
        FastLineCase{"Sparse", 140, Sparse, Wave, false, true, tnIgnore, false, false, false},
        FastLineCase{"Unordered", 5000, Unordered, Wave, false, true, tnIgnore, false, false, false},
        FastLineCase{"UnorderedAllPoints", 5000, Unordered, Wave, true, true, tnIgnore, false, false, false},
        FastLineCase{"SkippedNulls", 30000, Dense, WaveWithNulls, false, false, tnSkip, false, false, false},
        FastLineCase{"GapsAtNulls", 30000, Dense, WaveWithNulls, false, false, tnDontPaint, false, false, false},
        FastLineCase{"GapsAtNullsAllPoints", 3000, Dense, WaveWithNulls, true, false, tnDontPaint, false, false,
                     false},
        FastLineCase{"Stairs", 30000, Dense, Wave, false, true, tnIgnore, true, false, false},
        FastLineCase{"Inverted", 30000, Dense, Halves, false, true, tnIgnore, false, true, false},
        FastLineCase{"FastCalc", 30000, Dense, Halves, false, true, tnIgnore, false, false, true},
        FastLineCase{"ColumnEdges", 4000, ColumnEdges, Wave, false, true, tnIgnore, false, false, false},
        FastLineCase{"ColumnEdgesInverted", 4000, ColumnEdges, Wave, false, true, tnIgnore, false, true, true},
        FastLineCase{"XNotANumber", 20000, NanX, Wave, false, true, tnIgnore, false, false, false},
        FastLineCase{"InvertedFastCalcUnordered", 5000, Unordered, Halves, false, false, tnDontPaint, false, true,
                     true}),
    [](const auto& Info) { return std::string(Info.param.name); });

// DrawAllPoints with the segments of one column merged and with every
// segment drawn on its own: the same pixels, over random walks and the
// awkward cases; where merging cannot keep the pixels it does not apply.
struct WalkCase {
    const char* name;
    int points;
    unsigned seed;
    // the random walk's step in X: 0 keeps X in order, else it may go back
    double back;
    bool ignoreNulls = true;
    TTreatNullsStyle nulls = tnIgnore;
    bool stairs = false;
    bool invertedStairs = false;
    bool invertedAxes = false;
    bool view3D = false;
    TPenStyle style = psSolid;
    int width = 1;
    TPenMode mode = pmCopy;
    bool smallDots = false;
    // axes narrower than the data, so points lie outside them
    bool outside = false;
    // every so many points a Y, and a little later an X, that is no number
    int nanEvery = 0;
    int imageWidth = 640;
    int imageHeight = 400;
    // whether merging applies (fewer calls than the segments)
    bool merges = true;
};

class FastLineColumns : public ::testing::TestWithParam<WalkCase> {
protected:
    static void Fill(TFastLineSeries& S)
    {
        const WalkCase& p = GetParam();
        S.SetIgnoreNulls(p.ignoreNulls);
        S.SetTreatNulls(p.nulls);
        S.SetStairs(p.stairs);
        S.SetInvertedStairs(p.invertedStairs);
        S.SetSeriesColor(clRed);
        S.LinePen().SetStyle(p.style);
        S.LinePen().SetWidth(p.width);
        S.LinePen().SetMode(p.mode);
        S.LinePen().SetSmallDots(p.smallDots);
        std::uint64_t state = p.seed;
        const auto next = [&state] {
            state = state * 6364136223846793005ull + 1442695040888963407ull;
            return static_cast<double>(state >> 11) / 9007199254740992.0;
        };
        double x = 0, y = 50;
        S.BeginUpdate();
        for (int i = 0; i < p.points; ++i) {
            x += p.back > 0 ? next() * (1 + p.back) - p.back : next();
            y += (next() - 0.5) * 6;
            y = std::clamp(y, -30.0, 130.0);
            const bool nanY = p.nanEvery > 0 && i % p.nanEvery == 0;
            const bool nanX = p.nanEvery > 0 && i % p.nanEvery == 3;
            const double px = nanX ? std::nan("") : x, py = nanY ? std::nan("") : y;
            if (!p.ignoreNulls && next() < 0.02)
                S.AddNullXY(px, py);
            else
                S.AddXY(px, py);
        }
        S.EndUpdate();
    }
    static void SetAxes(TChart& Chart, double XMax)
    {
        const WalkCase& p = GetParam();
        Chart.BottomAxis()->SetInverted(p.invertedAxes);
        Chart.LeftAxis()->SetInverted(p.invertedAxes);
        Chart.BottomAxis()->SetAutomatic(false);
        Chart.LeftAxis()->SetAutomatic(false);
        if (p.outside) {
            Chart.BottomAxis()->SetMinMax(XMax * 0.2, XMax * 0.7);
            Chart.LeftAxis()->SetMinMax(20, 80);
        } else {
            Chart.BottomAxis()->SetMinMax(-1, XMax + 1);
            Chart.LeftAxis()->SetMinMax(-35, 135);
        }
    }
    static platform::Bitmap Pixels(bool Merge, bool Active = true)
    {
        const WalkCase& p = GetParam();
        TChart chart;
        chart.resize(p.imageWidth, p.imageHeight);
        chart.SetView3D(p.view3D);
        chart.Legend()->SetVisible(false);
        auto* s = new TFastLineSeries(&chart);
        chart.AddSeries(s);
        Fill(*s);
        s->SetMergeColumns(Merge);
        s->SetActive(Active);
        SetAxes(chart, static_cast<double>(GetParam().points) / 2);
        platform::QtDrawingDevice device(p.imageWidth, p.imageHeight);
        chart.Draw(&device, TRect{0, 0, p.imageWidth, p.imageHeight});
        return device.Surface();
    }
    static Calls Log(bool Merge)
    {
        SeriesChart c;
        c.rec.chart.SetView3D(GetParam().view3D);
        auto* s = new TFastLineSeries(&c.rec.chart);
        c.rec.chart.AddSeries(s);
        Fill(*s);
        s->SetMergeColumns(Merge);
        SetAxes(c.rec.chart, static_cast<double>(GetParam().points) / 2);
        c.Draw([&] {
            s->CalcFirstLastVisible();
            s->DrawAllValues();
        });
        return c.rec.device.Lines(true);
    }
};

TEST_P(FastLineColumns, PaintsTheSamePixelsAsEverySegment)
{
    const platform::Bitmap merged = Pixels(true);
    const platform::Bitmap each = Pixels(false);
    const platform::Bitmap blank = Pixels(false, false);
    ASSERT_EQ(merged.Width(), each.Width());
    int differ = 0, painted = 0;
    for (int y = 0; y < each.Height(); ++y)
        for (int x = 0; x < each.Width(); ++x) {
            differ += merged.ScanLine(y)[x] != each.ScanLine(y)[x];
            painted += blank.ScanLine(y)[x] != each.ScanLine(y)[x];
        }
    EXPECT_EQ(differ, 0);
    EXPECT_GT(painted, 100);
}

TEST_P(FastLineColumns, MergesOnlyWhereThePixelsHold)
{
    if (GetParam().points > 100000) {
        GTEST_SKIP() << "the pixel comparison covers it";
    }
    const Calls merged = Log(true);
    const Calls each = Log(false);
    ASSERT_GT(each.size(), 50u);
    if (!GetParam().merges) {
        EXPECT_EQ(merged, each);
    } else if (GetParam().points >= 10000) {
        EXPECT_LT(merged.size(), each.size());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Walks, FastLineColumns,
    ::testing::Values(WalkCase{.name = "Walk1e3", .points = 1000, .seed = 1, .back = 0},
                      WalkCase{.name = "Walk1e4", .points = 10000, .seed = 2, .back = 0},
                      WalkCase{.name = "Walk1e5", .points = 100000, .seed = 3, .back = 0},
                      WalkCase{.name = "Walk1e6", .points = 1000000, .seed = 4, .back = 0},
                      WalkCase{.name = "Walk1e5FullHD", .points = 100000, .seed = 5, .back = 0, .imageWidth = 1920, .imageHeight = 1080},
                      WalkCase{.name = "WalkBackAndForth", .points = 100000, .seed = 6, .back = 0.8},
                      WalkCase{.name = "NullsIgnored", .points = 50000, .seed = 7, .back = 0, .ignoreNulls = false, .nulls = tnIgnore},
                      WalkCase{.name = "NullsSkipped", .points = 50000, .seed = 8, .back = 0, .ignoreNulls = false, .nulls = tnSkip},
                      WalkCase{.name = "NullsNotPainted", .points = 50000, .seed = 9, .back = 0, .ignoreNulls = false, .nulls = tnDontPaint},
                      WalkCase{.name = "Stairs", .points = 50000, .seed = 10, .back = 0, .stairs = true},
                      WalkCase{.name = "InvertedStairs", .points = 50000, .seed = 11, .back = 0, .stairs = true, .invertedStairs = true},
                      WalkCase{.name = "NotANumber", .points = 100000, .seed = 20, .back = 0, .nanEvery = 997},
                      WalkCase{.name = "OutsideTheAxes", .points = 100000, .seed = 12, .back = 0, .outside = true},
                      WalkCase{.name = "InvertedAxes", .points = 100000, .seed = 13, .back = 0, .invertedAxes = true},
                      WalkCase{.name = "Depth3D", .points = 50000, .seed = 14, .back = 0, .view3D = true, .merges = false},
                      WalkCase{.name = "Dashed", .points = 50000, .seed = 15, .back = 0, .style = psDash, .merges = false},
                      WalkCase{.name = "SmallDots", .points = 50000, .seed = 16, .back = 0, .smallDots = true, .merges = false},
                      WalkCase{.name = "Width2", .points = 50000, .seed = 17, .back = 0, .width = 2, .merges = false},
                      WalkCase{.name = "Width3", .points = 50000, .seed = 18, .back = 0, .width = 3, .merges = false},
                      WalkCase{.name = "XorPen", .points = 50000, .seed = 19, .back = 0, .mode = pmXor, .merges = false}),
    [](const auto& Info) { return std::string(Info.param.name); });

}  // namespace
