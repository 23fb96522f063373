// Public calls that once freed memory the engine did not own, read freed
// memory, recursed without end or overflowed an int: each sequence must leave
// the objects usable (run under the sanitizer build as well).
#include <gtest/gtest.h>

#include <QImage>
#include <QObject>
#include <QPointer>

#include <cstdint>
#include <utility>
#include <vector>

#include "chart/axis_panel.h"
#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "chart/chart_exceptions.h"
#include "chart/chart_series.h"
#include "chart/chart_stream.h"
#include "chart/series/bar_series.h"
#include "chart/series/bollinger_function.h"
#include "chart/series/line_series.h"
#include "chart/series/ohlc_series.h"
#include "chart/series/point_series.h"
#include "chart/series/rsi_function.h"
#include "chart/tools/marks_tip_tool.h"
#include "chart/series_groups.h"
#include "chart/series_marks.h"
#include "chart/series_source.h"
#include "chart/view3d_options.h"
#include "support/shown_chart.h"

namespace {

class CallerMemory : public ShownChartTest {
protected:
    CallerMemory() : ShownChartTest({420, 320}, {0, 0, 400, 300}) { chart->Legend()->SetVisible(false); }
    template <typename T = TLineSeries>
    T* NewSeries(int Points = 5)
    {
        auto* s = new T(&form);
        for (int i = 0; i < Points; ++i)
            s->AddXY(i, 10.0 + i * 10.0);
        chart->AddSeries(s);
        return s;
    }
    // Pixels of that colour in the whole chart.
    static int Count(const QImage& Image, TColor Colour)
    {
        return CountOf(Image, TRect{0, 0, Image.width() - 1, Image.height() - 1}, Rgb(Colour));
    }
};

}  // namespace

// ---- a chart read that fails after a series took a source of the form ----

TEST(FailedReadSources, SourceComponentOfTheReadingFormStaysTheForms)
{
    // the stream: a series fed by a source component "Feed", then a series
    // whose function refuses the component the reading form names "Prices"
    QObject writer;
    TChart first;
    auto* feed = new TPlotSeriesSource(&writer);
    feed->SetName("Feed");
    auto* fed = new TLineSeries(&writer);
    fed->SetName("Fed");
    first.AddSeries(fed);
    fed->SetDataSource(feed);
    TOHLCSeries prices;
    prices.SetName("Prices");
    auto* points = new TPointSeries(&writer);
    points->SetName("Points");
    first.AddSeries(points);
    points->SetFunction(new TRSIFunction(&writer));
    points->SetDataSource(&prices);
    const std::vector<std::uint8_t> stream = WriteChart(first);

    QObject form;
    auto* own = new TPlotSeriesSource(&form);
    own->SetName("Feed");
    const QPointer<TPlotSeriesSource> alive(own);
    auto* line = new TLineSeries(&form);
    line->SetName("Prices");
    const int componentsBefore = static_cast<int>(form.children().size());
    TChart chart;
    EXPECT_THROW(ReadChart(chart, &form, stream), ChartException);
    ASSERT_TRUE(alive);
    EXPECT_EQ(own->parent(), &form);
    EXPECT_EQ(own->Series(), nullptr);
    EXPECT_EQ(static_cast<int>(form.children().size()), componentsBefore);

    // the form goes on using its source, which a series of its own adopts
    auto* later = new TLineSeries(&form);
    chart.AddSeries(later);
    later->SetDataSource(own);
    EXPECT_EQ(own->Series(), later);
    EXPECT_EQ(later->DataSource(), own);
    EXPECT_EQ(own->parent(), later);
}

// ---- a circular source through a function's own line ----

TEST(HelperLineSources, SourceThroughAFunctionsLineBackToItsFeedIsRefused)
{
    QObject form;
    auto* prices = new TLineSeries(&form);
    for (int i = 0; i < 30; ++i)
        prices->AddXY(i, 10 + i % 7);
    auto* banded = new TLineSeries(&form);
    auto* bands = new TBollingerFunction;
    banded->SetFunction(bands);
    banded->SetDataSource(prices);
    ASSERT_GT(bands->LowBand().Count(), 0);
    const int pricesBefore = prices->Count();

    // without a chart, then with the series on one
    try {
        prices->SetDataSource(&bands->LowBand());
        FAIL() << "no exception";
    } catch (const ChartException& e) {
        EXPECT_STREQ(e.what(), "Circular Series dependences are not allowed");
    }
    EXPECT_EQ(prices->DataSourceCount(), 0);
    TChart chart;
    chart.AddSeries(prices);
    chart.AddSeries(banded);
    EXPECT_THROW(prices->SetDataSource(&bands->LowBand()), ChartException);
    EXPECT_THROW(prices->AddDataSource(&bands->LowBand()), ChartException);
    EXPECT_EQ(prices->DataSourceCount(), 0);
    EXPECT_EQ(prices->Count(), pricesBefore);

    // a series outside the loop may still take the line
    auto* copy = new TLineSeries(&form);
    chart.AddSeries(copy);
    copy->SetDataSource(&bands->LowBand());
    EXPECT_EQ(copy->Count(), bands->LowBand().Count());
    chart.grab();
}

// ---- series groups and series freed off their chart ----

TEST(SeriesGroupLifetime, SeriesFreedWhereverItIsLeavesEveryGroup)
{
    QObject form;
    TChart chart;
    TChart other;
    auto* kept = new TLineSeries(&form);
    auto* off = new TLineSeries(&form);
    auto* elsewhere = new TLineSeries(&form);
    chart.AddSeries(kept);
    chart.AddSeries(off);
    other.AddSeries(elsewhere);
    TSeriesGroup& group = chart.SeriesGroups().Add();
    group.Series().Add(kept);
    group.Series().Add(off);
    // a group of no chart holds them too
    TSeriesGroup loose;
    loose.Series().Add(off);
    loose.Series().Add(elsewhere);

    // off its chart the caller puts it back in the group, then frees it
    chart.RemoveSeries(off);
    EXPECT_EQ(group.Series().IndexOf(off), -1);
    group.Series().Add(off);
    delete off;
    // a series of another chart in this chart's group
    group.Series().Add(elsewhere);
    delete elsewhere;

    ASSERT_EQ(group.Series().Count(), 1);
    EXPECT_EQ(group.Series()[0], kept);
    EXPECT_TRUE(loose.Series().Empty());
    EXPECT_EQ(group.Active(), gaYes);
    group.SetActive(gaNo);
    EXPECT_FALSE(kept->Active());
    EXPECT_EQ(group.Active(), gaNo);
    loose.SetActive(gaNo);
    EXPECT_EQ(loose.Active(), gaYes);

    // a copy of a group drops the freed series as well
    auto* late = new TLineSeries(&form);
    group.Series().Add(late);
    TSeriesGroup copy;
    copy.Assign(group);
    delete late;
    ASSERT_EQ(copy.Series().Count(), 1);
    EXPECT_EQ(copy.Series()[0], kept);
    EXPECT_EQ(copy.Active(), gaNo);
    chart.grab();
}

// ---- a mark text handler that frees its own series ----

TEST_F(CallerMemory, MarkTextHandlerFreeingItsSeriesStopsItsMarks)
{
    for (bool view3D : {false, true}) {
        SCOPED_TRACE(view3D);
        chart->SetView3D(view3D);
        auto* bars = NewSeries<TBarSeries>();
        bars->SetSeriesColor(clBlue);
        bars->Marks().SetVisible(true);
        bars->Marks().SetTransparent(true);
        auto* doomed = NewSeries<TLineSeries>();
        doomed->SetSeriesColor(clRed);
        doomed->Marks().SetVisible(true);
        if (view3D) {
            // the two drawn together, point by point
            bars->SetZOrder(0);
            doomed->SetZOrder(0);
        }
        int texts = 0;
        doomed->OnGetMarkText = [&doomed, &texts](const TChartSeries&, int Index, std::string&) {
            ++texts;
            if (Index == 1)
                delete std::exchange(doomed, nullptr);
        };
        Show();
        Shot();
        EXPECT_EQ(doomed, nullptr);
        EXPECT_EQ(texts, 2);
        ASSERT_EQ(chart->SeriesCount(), 1);
        EXPECT_EQ(chart->Series(0), bars);
        // the next paint draws the bars alone (a change while the chart
        // draws leaves the chart's picture to the next change)
        chart->Invalidate();
        const QImage after = Shot();
        EXPECT_GT(Count(after, clBlue), 100);
        EXPECT_EQ(Count(after, clRed), 0);
        delete bars;
    }
}

TEST_F(CallerMemory, MarkTextHandlerFreeingItsSeriesAtAnyCallLeavesTheChartDrawing)
{
    // the texts are also asked for the axis labels and for the margins of a
    // horizontal line: whichever call frees the series, the chart goes on
    auto* kept = NewSeries<TBarSeries>();
    kept->SetSeriesColor(clBlue);
    Show();
    for (bool horizontal : {false, true}) {
        for (int n = 1; n <= 24; ++n) {
            SCOPED_TRACE(testing::Message() << "horizontal " << horizontal << ", call " << n);
            TChartSeries* doomed = horizontal ? static_cast<TChartSeries*>(NewSeries<THorizLineSeries>())
                                              : static_cast<TChartSeries*>(NewSeries<TLineSeries>());
            doomed->Marks().SetVisible(true);
            doomed->SetSeriesColor(clRed);
            chart->LeftAxis()->SetLabelStyle(horizontal ? talMark : talAuto);
            chart->BottomAxis()->SetLabelStyle(horizontal ? talAuto : talMark);
            int calls = 0;
            doomed->OnGetMarkText = [n, &calls](const TChartSeries& Self, int, std::string&) {
                if (++calls == n)
                    delete const_cast<TChartSeries*>(&Self);
            };
            const QPointer<TChartSeries> alive(doomed);
            for (int paint = 0; paint < 3 && alive; ++paint) {
                chart->Invalidate();
                Shot();
            }
            EXPECT_FALSE(alive);
            ASSERT_EQ(chart->SeriesCount(), 1);
            chart->Invalidate();
            const QImage after = Shot();
            EXPECT_GT(Count(after, clBlue), 100);
            EXPECT_EQ(Count(after, clRed), 0);
        }
    }
}

TEST_F(CallerMemory, MarkTextHandlerFreeingItsSeriesUnderTheMarksTipOrWhileMeasured)
{
    auto* kept = NewSeries<TPointSeries>();
    auto* tips = new TMarksTipTool(&form);
    tips->SetParentChart(chart);
    Show();
    for (int way = 0; way < 2; ++way) {
        SCOPED_TRACE(way);
        auto* doomed = NewSeries<TPointSeries>();
        for (int i = 0; i < doomed->Count(); ++i)
            doomed->YValues().SetValue(i, 5.0 + i * 10);
        doomed->Marks().SetVisible(way == 1);
        Shot();
        const QPoint over = PointOf(*doomed, 2);
        doomed->OnGetMarkText = [](const TChartSeries& Self, int, std::string&) {
            delete const_cast<TChartSeries*>(&Self);
        };
        const QPointer<TChartSeries> alive(doomed);
        if (way == 0)
            MoveTo(over);
        else
            EXPECT_EQ(chart->MaxMarkWidth(), 0);
        EXPECT_FALSE(alive);
        ASSERT_EQ(chart->SeriesCount(), 1);
        EXPECT_EQ(chart->Series(0), kept);
        MoveTo(PointOf(*kept, 1));
        Shot();
    }
}

// ---- marks items and positions by a negative index ----

TEST(MarksIndex, NegativeItemOrPositionIsRefused)
{
    TLineSeries line;
    line.AddXY(0, 1);
    TSeriesMarks& marks = line.Marks();
    EXPECT_THROW(marks.Item(-1), ChartException);
    EXPECT_THROW(marks.PositionAt(-1), ChartException);
    EXPECT_THROW(marks.Item(-1000), ChartException);
    EXPECT_EQ(marks.ItemOrNull(-1), nullptr);
    EXPECT_EQ(marks.Position(-1), nullptr);
    EXPECT_EQ(marks.ItemCount(), 0);
    EXPECT_EQ(marks.PositionCount(), 0);
    // index 0 still works
    marks.Item(0).SetText({"zero"});
    EXPECT_EQ(line.GetMarkText(0), "zero");
    EXPECT_FALSE(marks.PositionAt(0).Custom);
}

// ---- the depth axis and a range beyond int ----

TEST_F(CallerMemory, DepthAxisTextLabelsBeyondTheIntRangeDrawNothing)
{
    chart->SetView3D(true);
    auto* line = NewSeries<TLineSeries>();
    line->SetSeriesColor(clRed);
    line->SetTitle("Depth");
    chart->DepthAxis()->SetVisible(true);
    for (const auto& range : {std::pair{3e9, 3e9 + 1}, std::pair{-3e9 - 1, -3e9}, std::pair{-3e9, 3e9}}) {
        chart->DepthAxis()->SetMinMax(range.first, range.second);
        Show();
        const QImage shown = Shot();
        EXPECT_GT(Count(shown, clRed), 0);
    }
}

// ---- a full-width cylinder bar with its axis zoomed far in ----

TEST_F(CallerMemory, CylinderBarsZoomedFarInDraw)
{
    chart->SetView3D(true);
    auto* bars = NewSeries<TBarSeries>(3);
    bars->SetSeriesColor(clBlue);
    bars->SetBarWidthPercent(100);
    for (TBarStyle style : {bsCilinder, bsCone}) {
        bars->SetBarStyle(style);
        for (double top : {1e-10, 1e-12}) {
            chart->BottomAxis()->SetMinMax(0, top);
            Show();
            Shot();
        }
        // back to a range the bars fit in
        chart->BottomAxis()->SetMinMax(-1, 3);
        EXPECT_GT(Count(Shot(), clBlue), 0);
    }
}

// ---- bars moved by a percent of a fixed width far beyond the chart ----

TEST_F(CallerMemory, BarsOffsetByAPercentOfAHugeWidthDraw)
{
    auto* bars = NewSeries<TBarSeries>(3);
    bars->SetSeriesColor(clBlue);
    bars->SetCustomBarWidth(30'000'000);
    for (bool view3D : {false, true}) {
        chart->SetView3D(view3D);
        for (int offset : {100, -100, 2147483647, -2147483647 - 1}) {
            SCOPED_TRACE(testing::Message() << "3D " << view3D << ", offset " << offset);
            bars->SetOffsetPercent(offset);
            Show();
            Shot();
        }
    }
    // back to a width the chart holds
    chart->SetView3D(false);
    bars->SetCustomBarWidth(20);
    bars->SetOffsetPercent(50);
    EXPECT_GT(Count(Shot(), clBlue), 0);
}
