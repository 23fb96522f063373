// Objects freed or replaced between two paints, or while the chart draws, and
// a chart read that fails: what is left must draw as a chart without them
// (run under the sanitizer build as well).
#include <gtest/gtest.h>

#include <QImage>
#include <QObject>

#include <climits>

#include <initializer_list>
#include <memory>
#include <vector>

#include "chart/axis_title.h"
#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "chart/chart_exceptions.h"
#include "chart/chart_series.h"
#include "chart/chart_stream.h"
#include "chart/graphics_objects.h"
#include "chart/plot_filters.h"
#include "chart/plot_canvas_3d.h"
#include "chart/series/bar_series.h"
#include "chart/series/line_series.h"
#include "chart/series/ohlc_series.h"
#include "chart/series/point_series.h"
#include "chart/series/rsi_function.h"
#include "chart/tools/annotation_tool.h"
#include "support/shown_chart.h"

namespace {

// Red and blue squares of four pixels.
std::unique_ptr<TBitmap> Checker(TColor A = clRed, TColor B = clBlue)
{
    auto b = std::make_unique<TBitmap>(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            b->SetPixel(x, y, ((x / 4) + (y / 4)) % 2 == 0 ? A : B);
    return b;
}

class DrawLifetime : public ShownChartTest {
protected:
    DrawLifetime() : ShownChartTest({420, 320}, {0, 0, 400, 300}) { chart->Legend()->SetVisible(false); }
    template <typename T>
    T* NewSeries(int Points = 5)
    {
        auto* s = new T(&form);
        for (int i = 0; i < Points; ++i)
            s->AddXY(i, 10.0 + i * 10.0);
        chart->AddSeries(s);
        return s;
    }
    // Pixels of those colours.
    static int Count(const QImage& Image, std::initializer_list<TColor> Colors)
    {
        int n = 0;
        for (int y = 0; y < Image.height(); ++y)
            for (int x = 0; x < Image.width(); ++x)
                for (TColor c : Colors)
                    n += (Image.pixel(x, y) & 0xFFFFFF) == Rgb(c);
        return n;
    }
    // The pixels of the panel outside the chart rectangle, as a fresh paint
    // of the same chart without series gives them.
    int PanelPixelsOff(const QImage& Image, const QImage& Plain) const
    {
        const TRect inner = chart->ChartRect;
        int off = 0;
        for (int y = 0; y < Image.height(); ++y)
            for (int x = 0; x < Image.width(); ++x)
                if ((x < inner.Left - 40 || y < inner.Top - 20) && Image.pixel(x, y) != Plain.pixel(x, y))
                    ++off;
        return off;
    }
};

}  // namespace

// ---- the brush pattern ----

TEST(BrushPattern, AColourOrStyleSetDropsThePatternAndAFreedBitmapLeavesTheBrush)
{
    auto bitmap = Checker();
    TBrush brush;
    int changes = 0;
    brush.OnChange = [&] { ++changes; };
    brush.SetBitmap(bitmap.get());
    EXPECT_EQ(changes, 1);
    brush.SetColor(clRed);
    EXPECT_EQ(brush.Bitmap(), nullptr);
    EXPECT_EQ(brush.Color(), clRed);
    brush.SetBitmap(bitmap.get());
    // the same style as before drops it too: a plain brush from now on
    brush.SetStyle(bsSolid);
    EXPECT_EQ(brush.Bitmap(), nullptr);
    EXPECT_EQ(changes, 4);
    brush.SetStyle(bsSolid);
    brush.SetColor(clRed);
    EXPECT_EQ(changes, 4);

    // a copy of the bitmap is no pattern of the brush; the bitmap freed is none
    brush.SetBitmap(bitmap.get());
    TBrush other;
    other.Assign(brush);
    EXPECT_EQ(other.Bitmap(), bitmap.get());
    {
        TBitmap copy(*bitmap);
        EXPECT_EQ(copy.Pixel(5, 0), clBlue);
    }
    EXPECT_EQ(brush.Bitmap(), bitmap.get());
    const int before = changes;
    bitmap.reset();
    EXPECT_EQ(brush.Bitmap(), nullptr);
    EXPECT_EQ(other.Bitmap(), nullptr);
    EXPECT_EQ(changes, before + 1);
}

TEST_F(DrawLifetime, BarImageIsNoPatternOfTheNextPaintAndMayBeReplacedOrFreed)
{
    chart->Legend()->SetVisible(false);
    Show();
    const QImage plain = Shot();

    auto* bars = NewSeries<TBarSeries>();
    bars->Marks().SetVisible(false);
    auto image = Checker();
    bars->BarBrush().Image()->SetGraphic(image.get());
    const QImage first = Shot();
    // the bars show the image
    EXPECT_GT(Count(first, {clRed, clBlue}), 2000);
    // the draw ends with no pattern on the canvas
    EXPECT_EQ(chart->Canvas()->Brush()->Bitmap(), nullptr);

    // another picture between paints: the old one is freed
    auto green = Checker(clLime, clYellow);
    bars->BarBrush().Image()->SetGraphic(green.get());
    chart->Invalidate();
    const QImage second = Shot();
    EXPECT_GT(Count(second, {clLime, clYellow}), 2000);
    EXPECT_EQ(Count(second, {clRed, clBlue}), 0);
    EXPECT_EQ(PanelPixelsOff(second, plain), 0);

    // the series freed between paints
    delete bars;
    chart->Invalidate();
    const QImage third = Shot();
    EXPECT_EQ(PanelPixelsOff(third, plain), 0);
    EXPECT_EQ(Count(third, {clLime, clYellow}), 0);
}

TEST_F(DrawLifetime, PatternOfADrawThatStoppedIsNotUsedByTheNext)
{
    Show();
    const QImage plain = Shot();
    // a pattern left on the canvas, as a draw that ended half way leaves it
    auto image = Checker();
    chart->Canvas()->Brush()->SetBitmap(image.get());
    chart->Invalidate();
    EXPECT_EQ(PanelPixelsOff(Shot(), plain), 0);
    image.reset();
    chart->Invalidate();
    EXPECT_EQ(PanelPixelsOff(Shot(), plain), 0);
}

// ---- handlers that free series while the chart draws ----

TEST_F(DrawLifetime, AfterDrawValuesFreeingALaterSeriesSkipsIt)
{
    auto* s1 = NewSeries<TLineSeries>();
    auto* s2 = NewSeries<TLineSeries>();
    auto* s3 = NewSeries<TBarSeries>();
    s1->SetSeriesColor(clRed);
    s2->SetSeriesColor(clLime);
    s3->SetSeriesColor(clBlue);
    s3->Marks().SetVisible(true);
    int calls = 0;
    s1->AfterDrawValues = [&](TChartSeries&) {
        ++calls;
        delete s2;
        s2 = nullptr;
    };
    Show();
    const QImage shot = Shot();
    EXPECT_EQ(calls, 1);
    ASSERT_EQ(chart->SeriesCount(), 2);
    EXPECT_EQ(chart->Series(1), s3);
    // the series after the freed one is drawn
    EXPECT_GT(Count(shot, {clBlue}), 2000);
}

TEST_F(DrawLifetime, AfterDrawValuesFreeingASeriesWhoseMarksAreHeldBack)
{
    auto* s1 = NewSeries<TBarSeries>();
    auto* s2 = NewSeries<TLineSeries>();
    s1->Marks().SetVisible(true);
    s1->SetSeriesColor(clBlue);
    int calls = 0;
    s2->AfterDrawValues = [&](TChartSeries&) {
        ++calls;
        delete s1;
        s1 = nullptr;
    };
    Show();
    Shot();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(chart->SeriesCount(), 1);
    // the next paint draws what is left
    chart->Invalidate();
    Shot();
    EXPECT_EQ(calls, 2);
}

TEST_F(DrawLifetime, BeforeDrawValuesRemovingItsOwnAndOtherSeries)
{
    auto* s1 = NewSeries<TLineSeries>();
    auto* s2 = NewSeries<TLineSeries>();
    auto* s3 = NewSeries<TLineSeries>();
    std::vector<TChartSeries*> drawn;
    for (TChartSeries* s : {s1, s2, s3})
        s->AfterDrawValues = [&](TChartSeries& S) { drawn.push_back(&S); };
    // off the chart, not freed: it is not drawn, nor its marks
    s1->Marks().SetVisible(true);
    s1->BeforeDrawValues = [&](TChartSeries&) {
        chart->RemoveSeries(s1);
        chart->RemoveSeries(s2);
    };
    Show();
    Shot();
    EXPECT_EQ(drawn, std::vector<TChartSeries*>{s3});
    EXPECT_EQ(chart->SeriesCount(), 1);
    delete s1;
    delete s2;
}

TEST_F(DrawLifetime, SeriesDrawnTogetherInDepthFreedByAMember)
{
    chart->SetView3D(true);
    auto* s1 = NewSeries<TBarSeries>();
    auto* s2 = NewSeries<TBarSeries>();
    auto* s3 = NewSeries<TBarSeries>();
    for (TChartSeries* s : {s1, s2, s3}) {
        s->SetZOrder(0);
        s->Marks().SetVisible(true);
    }
    int calls = 0;
    s1->BeforeDrawValues = [&](TChartSeries&) {
        ++calls;
        delete s2;
        s2 = nullptr;
    };
    s3->AfterDrawValues = [&](TChartSeries&) {
        delete s1;
        s1 = nullptr;
    };
    Show();
    Shot();
    EXPECT_EQ(calls, 1);
    ASSERT_EQ(chart->SeriesCount(), 1);
    EXPECT_EQ(chart->Series(0), s3);
    chart->Invalidate();
    Shot();
}

// ---- a chart read that fails while its children finish loading ----

TEST_F(DrawLifetime, FailedReadLeavesNothingLoadingAndTheChartAsItWas)
{
    // a series sourced from a series of no form: the stream names it, and
    // the form reading it has a component of that name which is no source
    // the function takes
    TOHLCSeries prices;
    prices.SetName("Prices");
    auto* first = new TChart;
    auto* points = new TPointSeries(&form);
    points->SetName("Points");
    first->AddSeries(points);
    points->SetFunction(new TRSIFunction(&form));
    points->SetDataSource(&prices);
    auto* line = new TLineSeries(&form);
    line->SetName("Prices");
    auto* note = new TAnnotationTool(&form);
    note->SetName("Note");
    note->SetText("Note");
    note->SetParentChart(first);
    const std::vector<std::uint8_t> stream = WriteChart(*first);

    chart->Title()->Text().Add("Before");
    chart->SetColor(clYellow);
    const std::vector<std::uint8_t> before = WriteChart(*chart);
    const int componentsBefore = static_cast<int>(form.children().size());
    EXPECT_THROW(ReadChart(*chart, &form, stream), ChartException);
    EXPECT_FALSE(chart->Loading());
    EXPECT_EQ(chart->SeriesCount(), 0);
    EXPECT_TRUE(chart->Tools().Items().empty());
    EXPECT_EQ(static_cast<int>(form.children().size()), componentsBefore);
    EXPECT_EQ(WriteChart(*chart), before);

    // the tool moved to the chart of the failed read draws there only
    note->SetParentChart(chart);
    EXPECT_EQ(note->Shape().ParentChart(), chart);
    EXPECT_EQ(note->Callout().ParentChart(), chart);
    delete first;
    Show();
    Shot();
    EXPECT_GT(note->Shape().ShapeBounds.Width(), 0);
}

TEST_F(DrawLifetime, FailedReadKeepsTheSeriesAxesGroupsAndToolsTheChartHad)
{
    // a stream whose series names a source the form has not
    auto* first = new TChart;
    TOHLCSeries prices;
    prices.SetName("Prices");
    auto* points = new TPointSeries(&form);
    points->SetName("Points");
    first->AddSeries(points);
    points->SetFunction(new TRSIFunction(&form));
    points->SetDataSource(&prices);
    auto* other = new TLineSeries(&form);
    other->SetName("Prices");
    const std::vector<std::uint8_t> stream = WriteChart(*first);
    delete first;

    // the chart before the read: a series on a custom axis in a group, a tool
    auto* line = NewSeries<TLineSeries>();
    line->SetName("Line");
    TChartAxis* axis = chart->CustomAxes().Add();
    axis->Title()->SetCaption("Custom");
    line->SetCustomVertAxis(axis);
    line->SetVertAxis(aCustomVertAxis);
    TSeriesGroup& group = chart->SeriesGroups().Add();
    group.SetName("Group");
    group.Series().Add(line);
    auto* note = new TAnnotationTool(&form);
    note->SetName("Note");
    note->SetText("Note");
    note->SetParentChart(chart);
    const std::vector<std::uint8_t> before = WriteChart(*chart);

    EXPECT_THROW(ReadChart(*chart, &form, stream), ChartException);
    EXPECT_FALSE(chart->Loading());
    ASSERT_EQ(chart->SeriesCount(), 1);
    EXPECT_EQ(chart->Series(0), line);
    ASSERT_EQ(chart->CustomAxes().Count(), 1);
    EXPECT_EQ(line->CustomVertAxis(), chart->CustomAxes()[0]);
    EXPECT_EQ(line->GetVertAxis(), chart->CustomAxes()[0]);
    ASSERT_EQ(chart->SeriesGroups().Count(), 1);
    ASSERT_EQ(chart->SeriesGroups().Items(0).Series().Count(), 1);
    EXPECT_EQ(chart->SeriesGroups().Items(0).Series()[0], line);
    ASSERT_EQ(chart->Tools().Items().size(), 1u);
    EXPECT_EQ(chart->Tools().Items()[0], note);
    EXPECT_EQ(WriteChart(*chart), before);
    Show();
    Shot();
    EXPECT_GT(note->Shape().ShapeBounds.Width(), 0);
}

TEST_F(DrawLifetime, AnnotationMovedToALoadingChartBindsItsShapeThere)
{
    TChart first;
    auto* note = new TAnnotationTool(&form);
    note->SetText("Note");
    note->SetParentChart(&first);
    EXPECT_EQ(note->Shape().ParentChart(), &first);
    chart->BeginLoading();
    note->SetParentChart(chart);
    EXPECT_EQ(note->Shape().ParentChart(), chart);
    EXPECT_EQ(note->Callout().ParentChart(), chart);
    chart->EndLoading();
    Show();
    Shot();
    EXPECT_GT(note->Shape().ShapeBounds.Width(), 0);
    delete note;
}

// ---- a filter that refuses its size ----

TEST_F(DrawLifetime, BackImageWithASizeNoPictureHasIsDrawnUnfilteredAtEveryPaint)
{
    const std::unique_ptr<TBitmap> image = Checker();
    chart->BackImage()->SetGraphic(image.get());
    chart->BackImage()->SetMode(pbmStretch);
    auto* resize = static_cast<TResizeFilter*>(chart->BackImage()->Filters()->Add(*FindFilterClass("TResizeFilter")));
    resize->Width = INT_MAX;
    resize->Height = INT_MAX;
    auto* crop = static_cast<TCropFilter*>(chart->BackImage()->Filters()->Add(*FindFilterClass("TCropFilter")));
    crop->Width = 40000;
    crop->Height = 40000;
    auto* zoom = static_cast<TZoomFilter*>(chart->BackImage()->Filters()->Add(*FindFilterClass("TZoomFilter")));
    zoom->Percent = -1e300;
    Show();
    for (int paint = 0; paint < 2; ++paint) {
        QImage shot;
        ASSERT_NO_THROW(shot = Shot());
        EXPECT_GT(Count(shot, {clRed}), 1000);
        EXPECT_GT(Count(shot, {clBlue}), 1000);
        chart->Invalidate();
    }
}
