#include "chart/chart_series.h"

#include <gtest/gtest.h>

#include <vector>

#include "chart/chart_exceptions.h"
#include "series_test_support.h"

namespace {

TEST(TChartSeriesAdd, OutOfOrderXInsertsInTheMiddleWithItsLabelColourAndExtraValue)
{
    TChartSeries s;
    TChartValueList& z = s.CreateValueList("Z");
    z.TempValue = 10;
    s.AddXY(1, 100, "a", 0x11);
    z.TempValue = 30;
    s.AddXY(3, 300, "c", 0x33);
    z.TempValue = 20;
    EXPECT_EQ(s.AddXY(2, 200, "b", 0x22), 1);
    ASSERT_EQ(s.Count(), 3);
    EXPECT_EQ(s.XValues().Value(1), 2);
    EXPECT_EQ(s.YValues().Value(1), 200);
    EXPECT_EQ(z.Value(1), 20);
    EXPECT_EQ(s.Labels().Label(1), "b");
    EXPECT_EQ(s.ValueColor(1), 0x22u);
    EXPECT_EQ(s.ValueColor(2), 0x33u);
    EXPECT_EQ(s.Labels().Label(2), "c");
}

// A series with colours, labels and an extra list, before more points come.
void Prepare(TChartSeries& S)
{
    S.CreateValueList("Z").TempValue = 7;
    S.AddXY(0, 1, "first", 0x11);
}

void ExpectSamePoints(const TChartSeries& A, const TChartSeries& B)
{
    ASSERT_EQ(A.Count(), B.Count());
    for (int i = 0; i < A.Count(); ++i) {
        EXPECT_EQ(A.XValues().Value(i), B.XValues().Value(i)) << i;
        EXPECT_EQ(A.YValues().Value(i), B.YValues().Value(i)) << i;
        EXPECT_EQ(A.ValuesList(2).Value(i), B.ValuesList(2).Value(i)) << i;
        EXPECT_EQ(A.ValueColor(i), B.ValueColor(i)) << i;
        EXPECT_EQ(A.Labels().Label(i), B.Labels().Label(i)) << i;
    }
    EXPECT_EQ(A.XValues().MaxValue(), B.XValues().MaxValue());
    EXPECT_EQ(A.YValues().MinValue(), B.YValues().MinValue());
    EXPECT_EQ(A.XValues().Capacity(), B.XValues().Capacity());
}

TEST(TChartSeriesAdd, ManyPointsAtOnceAsOneByOne)
{
    const std::vector<double> xs{1, 2, 2, 5}, ys{4, -3, 8, 0.5};
    for (const bool updating : {true, false}) {
        TChartSeries bulk, single;
        Prepare(bulk);
        Prepare(single);
        int added = 0;
        bulk.OnAfterAdd = [&](TChartSeries&, int) { ++added; };
        if (updating)
            bulk.BeginUpdate();
        bulk.AddXYs(xs, ys);
        for (std::size_t i = 0; i < xs.size(); ++i)
            single.AddXY(xs[i], ys[i]);
        if (updating)
            bulk.EndUpdate();
        ExpectSamePoints(bulk, single);
        // the per-point events only outside an update
        EXPECT_EQ(added, updating ? 0 : 4);
    }
}

TEST(TChartSeriesAdd, ManyPointsOutOfOrderAreSortedIn)
{
    TChartSeries bulk, single;
    Prepare(bulk);
    Prepare(single);
    bulk.AddXY(10, 10);
    single.AddXY(10, 10);
    const std::vector<double> xs{3, -1, 12}, ys{1, 2, 3};
    bulk.BeginUpdate();
    bulk.AddXYs(xs, ys);
    bulk.EndUpdate();
    for (std::size_t i = 0; i < xs.size(); ++i)
        single.AddXY(xs[i], ys[i]);
    ExpectSamePoints(bulk, single);
    EXPECT_EQ(bulk.XValues().Value(0), -1);
}

TEST(TChartSeriesAdd, ManyPointsGrowTheListsByWholeSteps)
{
    TChartSeries s;
    std::vector<double> xs(2500), ys(2500);
    for (int i = 0; i < 2500; ++i)
        xs[static_cast<std::size_t>(i)] = i;
    s.BeginUpdate();
    s.AddXYs(xs, ys);
    s.EndUpdate();
    EXPECT_EQ(s.Count(), 2500);
    EXPECT_EQ(s.XValues().Capacity(), 3000);
    EXPECT_EQ(s.XValues().MaxValue(), 2499);
}

TEST(TChartSeriesAdd, FirstColourCreatesTheListWithDefaultsBefore)
{
    TChartSeries s;
    s.Add(1);
    s.Add(2);
    EXPECT_FALSE(s.HasColors());
    s.Add(3, "", 0xFF);
    ASSERT_TRUE(s.HasColors());
    EXPECT_EQ(s.ValueColor(0), clDefault);
    EXPECT_EQ(s.ValueColor(1), clDefault);
    EXPECT_EQ(s.ValueColor(2), 0xFFu);
    s.Add(4);
    EXPECT_EQ(s.ValueColor(3), clDefault);
}

TEST(TChartSeriesAdd, UnlabelledPointsLeaveNoLabelsThenPadding)
{
    TChartSeries s;
    for (int i = 0; i < 5; ++i)
        s.Add(i);
    EXPECT_EQ(s.Labels().Count(), 0);
    s.Add(5, "five");
    EXPECT_EQ(s.Labels().Count(), 6);
    EXPECT_EQ(s.Labels().Label(0), "");
    EXPECT_EQ(s.Labels().Label(5), "five");
}

TEST(TChartSeriesAdd, NullPointIsNullWithValueZero)
{
    TChartSeries s;
    s.Add(5);
    s.AddNull("gap");
    EXPECT_TRUE(s.IsNull(1));
    EXPECT_FALSE(s.IsNull(0));
    EXPECT_EQ(s.YValues().Value(1), 0);
    EXPECT_EQ(s.XValues().Value(1), 1);
}

TEST(TChartSeriesAdd, BeforeAddRefusalAddsNothing)
{
    TChartSeries s;
    int after = 0;
    s.OnBeforeAdd = [](TChartSeries&) { return false; };
    s.OnAfterAdd = [&](TChartSeries&, int) { ++after; };
    EXPECT_EQ(s.AddXY(1, 2), -1);
    EXPECT_EQ(s.Count(), 0);
    EXPECT_EQ(after, 0);
}

TEST(TChartSeriesAdd, HorizontalSeriesAddsValueAsX)
{
    TChartSeries s;
    s.SetHorizontal();
    s.XValues().SetOrder(loNone);
    s.Add(7);
    s.Add(9);
    EXPECT_EQ(s.XValues().Value(1), 9);
    EXPECT_EQ(s.YValues().Value(1), 1);
}

TEST(TChartSeriesDelete, OutOfRangeRaisesTheMessage)
{
    TChartSeries s;
    s.Add(1);
    s.Add(2);
    try {
        s.Delete(2);
        FAIL();
    } catch (const ChartException& e) {
        EXPECT_STREQ(e.what(), "Series Delete: ValueIndex 2 out of bounds (0 to 1).");
    }
    EXPECT_THROW(s.Delete(-1), ChartException);
    EXPECT_EQ(s.Count(), 2);
}

TEST(TChartSeriesDelete, DeleteKeepsListsInStep)
{
    TChartSeries s;
    s.Add(1, "a", 0x1);
    s.Add(2, "b", 0x2);
    s.Add(3, "c", 0x3);
    s.Delete(1);
    EXPECT_EQ(s.Count(), 2);
    EXPECT_EQ(s.YValues().Count(), 2);
    EXPECT_EQ(s.YValues().Value(1), 3);
    EXPECT_EQ(s.Labels().Label(1), "c");
    EXPECT_EQ(s.ValueColor(1), 0x3u);
}

TEST(TChartSeriesDelete, RangeWithGapRemovalRenumbersX)
{
    TChartSeries s;
    for (int i = 0; i < 6; ++i)
        s.Add(i * 10, "", 0x100 + i);
    s.DeleteRange(1, 2, true);
    ASSERT_EQ(s.Count(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(s.XValues().Value(i), i);
    EXPECT_EQ(s.YValues().Value(1), 30);
    EXPECT_EQ(s.ValueColor(1), 0x103u);
}

TEST(TChartSeriesDelete, RangeOutOfBoundsDoesNothingAndQuantityIsCut)
{
    TChartSeries s;
    for (int i = 0; i < 3; ++i)
        s.Add(i);
    s.DeleteRange(3, 1);
    s.DeleteRange(-1, 1);
    EXPECT_EQ(s.Count(), 3);
    s.DeleteRange(1, 50);
    EXPECT_EQ(s.Count(), 1);
    EXPECT_EQ(s.YValues().Count(), 1);
}

TEST(TChartSeriesColors, IndexesAreChecked)
{
    TChartSeries s;
    s.Add(1);
    s.SetValueColor(5, 0x12);
    s.SetValueColor(-1, 0x12);
    EXPECT_FALSE(s.HasColors());
    EXPECT_EQ(s.ValueColor(7), clDefault);
    s.SwapValues(0, 4);
    EXPECT_EQ(s.YValues().Value(0), 1);
}

TEST(TChartSeriesColors, ColorEachPointTakesThePaletteOfTheChart)
{
    TFakeSeriesChart chart;
    TChartSeries s;
    chart.Add(s);
    s.SetSeriesColor(0xABCDEF);
    s.Add(1);
    s.Add(2, "", 0x77);
    EXPECT_EQ(s.GetValueColor(0), 0xABCDEFu);
    s.SetColorEachPoint(true);
    EXPECT_EQ(s.GetValueColor(0), chart.GetDefaultColor(0));
    EXPECT_EQ(s.GetValueColor(1), 0x77u);
}

TEST(TChartSeriesColors, SeriesColorSendsColourNotice)
{
    TFakeSeriesChart chart;
    TChartSeries s;
    chart.Add(s);
    s.SetSeriesColor(0x123456);
    ASSERT_EQ(chart.Notices.size(), 1u);
    EXPECT_EQ(chart.Notices[0], TSeriesNotice::ColorChanged);
    EXPECT_EQ(s.AssignedColor(), 0x123456u);
}

TEST(TChartSeriesSwap, SwapsEveryList)
{
    TChartSeries s;
    s.XValues().SetOrder(loNone);
    s.AddXY(1, 10, "a", 0x1);
    s.AddXY(2, 20, "b", 0x2);
    s.SwapValues(0, 1);
    EXPECT_EQ(s.XValues().Value(0), 2);
    EXPECT_EQ(s.YValues().Value(0), 20);
    EXPECT_EQ(s.Labels().Label(0), "b");
    EXPECT_EQ(s.ValueColor(0), 0x2u);
}

TEST(TChartSeriesLinks, UpdateLockReachesDependantsOnceAsRefresh)
{
    TChartSeries source, copy;
    copy.AddDataSource(&source);
    int copyClears = 0;
    copy.OnClearValues = [&](TChartSeries&) { ++copyClears; };
    source.BeginUpdate();
    source.BeginUpdate();
    source.Add(1);
    source.Add(2);
    source.EndUpdate();
    EXPECT_EQ(copy.Count(), 0);
    source.EndUpdate();
    EXPECT_EQ(copy.Count(), 2);
    EXPECT_EQ(copyClears, 1);
    EXPECT_EQ(copy.YValues().Value(1), 2);
}

TEST(TChartSeriesLinks, AddsAndDeletesFollowTheSource)
{
    TChartSeries source, copy;
    copy.AddDataSource(&source);
    source.Add(5, "five");
    source.Add(6);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.Labels().Label(0), "five");
    source.Delete(0);
    ASSERT_EQ(copy.Count(), 1);
    EXPECT_EQ(copy.YValues().Value(0), 6);
    source.Clear();
    EXPECT_EQ(copy.Count(), 0);
}

TEST(TChartSeriesLinks, OwnSourceIsRefusedWithoutAChart)
{
    TChartSeries s;
    try {
        s.AddDataSource(&s);
        FAIL();
    } catch (const ChartException& e) {
        EXPECT_STREQ(e.what(), "No ParentChart to validate DataSource");
    }
}

TEST(TChartSeriesLinks, FreeingTheSourceUnlinks)
{
    auto* source = new TChartSeries;
    TChartSeries copy;
    copy.AddDataSource(source);
    EXPECT_EQ(source->LinkedSeries().size(), 1u);
    delete source;
    EXPECT_EQ(copy.DataSourceCount(), 0);
}

TEST(TChartSeriesSample, NegativeCountRaises)
{
    TChartSeries s;
    EXPECT_THROW(s.FillSampleValues(-1), ChartException);
}

TEST(TChartSeriesSample, FillsTheDefaultCountInOrder)
{
    TChartSeries s;
    s.FillSampleValues();
    ASSERT_EQ(s.Count(), 25);
    for (int i = 0; i < 25; ++i)
        EXPECT_EQ(s.XValues().Value(i), i);
    EXPECT_FALSE(s.StreamedData());
}

TEST(TChartSeriesDepth, PositionsFromZOrderAndDepth)
{
    TFakeSeriesChart chart;
    TChartSeries s;
    chart.Add(s);
    chart.Is3D = true;
    s.CalcZOrder();
    EXPECT_EQ(s.EffectiveZOrder(), 1);
    s.SetDepth(7);
    s.CalcDepthPositions();  // the stand-in chart has no depth slots
    EXPECT_EQ(s.StartZ(), 0);
    EXPECT_EQ(s.EndZ(), 7);
    EXPECT_EQ(s.MiddleZ(), 3);
    EXPECT_EQ(s.Marks().ZPosition(), 3);
}

TEST(TChartSeriesPages, FirstAndLastOfAPage)
{
    TChartSeries s;
    for (int i = 0; i < 25; ++i)
        s.Add(i);
    int first = 0, last = 0;
    s.CalcFirstLastPage(10, 3, first, last);
    EXPECT_EQ(first, 20);
    EXPECT_EQ(last, 24);
    s.CalcFirstLastPage(10, 1, first, last);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(last, 9);
    s.CalcFirstLastPage(0, 1, first, last);
    EXPECT_EQ(last, 24);
}

// ---- mark and legend texts ----

class TChartSeriesTexts : public ::testing::Test {
protected:
    void SetUp() override
    {
        chart.Add(s);
        s.SetName("Prices");
        s.AddXY(1, 10, "ten");
        s.AddXY(2, 30);
        s.AddXY(3, -60, "minus");
    }
    std::string Mark(TSeriesMarksStyle style, int i, bool multi = false)
    {
        s.Marks().SetStyle(style);
        s.Marks().SetMultiLine(multi);
        return s.GetMarkText(i);
    }
    TFakeSeriesChart chart;
    TChartSeries s;
};

TEST_F(TChartSeriesTexts, EveryMarksStyle)
{
    // abs total 100
    EXPECT_EQ(Mark(smsValue, 1), "30");
    EXPECT_EQ(Mark(smsPercent, 2), "60 %");
    EXPECT_EQ(Mark(smsLabel, 0), "ten");
    EXPECT_EQ(Mark(smsLabel, 1), "30");
    EXPECT_EQ(Mark(smsLabelPercent, 0), "ten 10 %");
    EXPECT_EQ(Mark(smsLabelValue, 2), "minus -60");
    EXPECT_EQ(Mark(smsLegend, 1), "L 1");
    EXPECT_EQ(Mark(smsLegend, 1, true), "L\x06" "1");
    EXPECT_EQ(Mark(smsPercentTotal, 1), "30 % of 100");
    EXPECT_EQ(Mark(smsPercentTotal, 1, true), "30 %\rof 100");
    EXPECT_EQ(Mark(smsLabelPercentTotal, 0), "ten 10 % of 100");
    EXPECT_EQ(Mark(smsXValue, 2), "3");
    EXPECT_EQ(Mark(smsXY, 2), "3 -60");
    EXPECT_EQ(Mark(smsXY, 2, true), "3\r-60");
    EXPECT_EQ(Mark(smsSeriesTitle, 0), "Prices");
    EXPECT_EQ(Mark(smsPointIndex, 2), "2");
    EXPECT_EQ(Mark(smsPercentRelative, 0), "100 %");
    EXPECT_EQ(Mark(smsPercentRelative, 1), "300 %");
}

TEST_F(TChartSeriesTexts, ItemTextAndEventOverride)
{
    s.Marks().Item(1).SetText({"one", "two"});
    EXPECT_EQ(Mark(smsValue, 1), "one\rtwo");
    s.OnGetMarkText = [](const TChartSeries&, int i, std::string& t) { t += "#" + std::to_string(i); };
    EXPECT_EQ(Mark(smsValue, 0), "10#0");
}

TEST_F(TChartSeriesTexts, PercentRelativeToAZeroFirstValue)
{
    s.YValues().SetValue(0, 0);
    EXPECT_EQ(Mark(smsPercentRelative, 1), "0 %");
}

TEST_F(TChartSeriesTexts, LegendStrings)
{
    const std::string sep(1, ColumnSeparator);
    EXPECT_EQ(s.LegendString(0, ltsPlain), "ten");
    EXPECT_EQ(s.LegendString(0, ltsLeftValue), "10" + sep + "ten");
    EXPECT_EQ(s.LegendString(1, ltsLeftValue), "30");
    EXPECT_EQ(s.LegendString(0, ltsRightValue), "ten" + sep + "10");
    EXPECT_EQ(s.LegendString(0, ltsLeftPercent), "10 %" + sep + "ten");
    EXPECT_EQ(s.LegendString(0, ltsRightPercent), "ten" + sep + "10 %");
    EXPECT_EQ(s.LegendString(2, ltsXValue), "3");
    EXPECT_EQ(s.LegendString(2, ltsValue), "-60");
    EXPECT_EQ(s.LegendString(2, ltsPercent), "-60 %");
    EXPECT_EQ(s.LegendString(2, ltsXAndValue), "3" + sep + "-60");
    EXPECT_EQ(s.LegendString(1, ltsXAndPercent), "2" + sep + "30 %");
}

TEST_F(TChartSeriesTexts, NamesAndTitles)
{
    TChartSeries unnamed;
    chart.Add(unnamed);
    EXPECT_EQ(unnamed.NameOrDefault(), "Series2");
    unnamed.SetTitle(std::string("a") + ColumnSeparator + "b");
    EXPECT_EQ(unnamed.TitleOrName(), "a b");
    EXPECT_EQ(chart.Notices.back(), TSeriesNotice::TitleChanged);
    EXPECT_EQ(s.TitleOrName(), "Prices");
}

TEST(TChartSeriesElement, ActiveSendsNoticeFive)
{
    TFakeSeriesChart chart;
    TChartSeries s;
    chart.Add(s);
    s.SetActive(false);
    ASSERT_EQ(chart.Notices.size(), 1u);
    EXPECT_EQ(chart.Notices[0], TSeriesNotice::ActiveChanged);
    s.SetActive(false);
    EXPECT_EQ(chart.Notices.size(), 1u);
}

TEST(TChartSeriesElement, StyleFlagsReadFromTheStream)
{
    TChartSeries s;
    TPropertyValue v;
    v.Type = vaInt8;
    v.Int = 5;
    EXPECT_TRUE(TChartSeries::Properties().Set(s, "Style", v));
    EXPECT_EQ(s.Style(), 5u);
}

TEST(TChartSeriesElement, SameClassEitherWay)
{
    TChartSeries a;
    TCustomChartSeries b;
    EXPECT_TRUE(TCustomChartSeries::SameClass(a, b));
    EXPECT_TRUE(TCustomChartSeries::SameClass(b, a));
}

}  // namespace

namespace {

TEST(TChartSeriesElement, BrushAndPenStreamAsSubProperties)
{
    TChartSeries s;
    s.Pen().SetWidth(3);
    TPropertyWriter w;
    TChartSeries::Properties().Write(s, w);
    w.WriteListEnd();
    TChartSeries r;
    TPropertyReader reader(w.Data());
    TChartSeries::Properties().ReadList(r, reader, "TChartSeries");
    EXPECT_EQ(r.Pen().Width(), 3);
}

}  // namespace
