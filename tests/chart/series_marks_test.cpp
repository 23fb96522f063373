#include "chart/series_marks.h"

#include <gtest/gtest.h>

#include <QObject>

#include "chart/chart.h"
#include "chart/chart_callout.h"
#include "chart/chart_series.h"
#include "chart/chart_stream.h"
#include "series/every_series_type.h"
#include "support/stored_defaults.h"

namespace {

TEST(TMarginsCalculate, PercentOfFontHeight)
{
    TMargins m(20);
    m.Calculate(100, 40, 15);
    EXPECT_EQ(m.LeftPixels(), 6);
    EXPECT_EQ(m.TopPixels(), 2);  // 5 x 0.02 x 15 = 1.5, halves to even
    EXPECT_EQ(m.HorizSize(), 12);
    m.SetUnits(maPercentSize);
    m.Calculate(100, 40, 15);
    EXPECT_EQ(m.LeftPixels(), 20);
    EXPECT_EQ(m.TopPixels(), 2);
    m.SetUnits(maPixels);
    m.Calculate(100, 40, 15);
    EXPECT_EQ(m.VertSize(), 10);
}

TEST(TSeriesMarksPositions, CustomPositionSurvivesAndOthersAreReplaced)
{
    TSeriesMarks marks(nullptr);
    TSeriesMarkPosition computed;
    computed.LeftTop = {10, 20};
    marks.MarkPosition(2, computed);
    EXPECT_EQ(marks.PositionCount(), 3);
    EXPECT_EQ(marks.Position(0), nullptr);
    EXPECT_FALSE(marks.Position(2)->Custom);
    EXPECT_EQ(marks.Position(2)->LeftTop, (TPoint2{10, 20}));
    marks.Position(2)->Custom = true;
    marks.Position(2)->LeftTop = {50, 60};
    TSeriesMarkPosition next;
    next.LeftTop = {11, 21};
    next.ArrowFrom = {7, 7};
    next.ArrowFix = true;
    marks.MarkPosition(2, next);
    EXPECT_EQ(next.LeftTop, (TPoint2{50, 60}));
    EXPECT_EQ(next.ArrowFrom, (TPoint2{7, 7}));
    EXPECT_TRUE(marks.ExistCustom());
    EXPECT_EQ(marks.Position(9), nullptr);
}

TEST(TSeriesMarksPositions, PlacedAboveTheArrowEnd)
{
    TSeriesMarkPosition p;
    p.Width = 21;
    p.Height = 10;
    p.PlaceAt(100, 50);
    EXPECT_EQ(p.LeftTop, (TPoint2{90, 41}));
    EXPECT_EQ(p.Right(), 111);
    EXPECT_EQ(p.Bottom(), 51);
}

TEST(TSeriesMarksClicked, LastDrawnWinsAndDrawEveryIsRespected)
{
    TSeriesMarks marks(nullptr);
    for (int i = 0; i < 3; ++i) {
        TSeriesMarkPosition& p = marks.PositionAt(i);
        p.LeftTop = {0, 0};
        p.Width = p.Height = 10;
    }
    EXPECT_EQ(marks.Clicked(5, 5), 2);
    EXPECT_EQ(marks.Clicked(50, 5), -1);
    marks.SetDrawEvery(2);
    EXPECT_EQ(marks.Clicked(5, 5), 2);
    marks.Position(2)->LeftTop = {100, 100};
    EXPECT_EQ(marks.Clicked(5, 5), 0);
    marks.SetDrawEvery(0);  // acts as 1
    EXPECT_EQ(marks.Clicked(5, 5), 1);
    EXPECT_EQ(marks.DrawStep(), 1);
}

TEST(TSeriesMarksItems, StreamRoundTripKeepsEmptySlots)
{
    TSeriesMarks marks(nullptr);
    marks.Item(0).SetText({"a", "b"});
    marks.Item(2).SetVisible(false);
    const std::vector<std::uint8_t> data = marks.WriteItems();
    TSeriesMarks read(nullptr);
    read.ReadItems(data);
    ASSERT_EQ(read.ItemCount(), 3);
    EXPECT_EQ(read.ItemOrNull(0)->Text(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(read.ItemOrNull(1), nullptr);
    EXPECT_FALSE(read.ItemOrNull(2)->Visible());
    EXPECT_TRUE(read.ItemsLocked());
    read.Clear();
    EXPECT_EQ(read.ItemCount(), 3);  // locked
    read.UnlockItems();
    read.Clear();
    EXPECT_EQ(read.ItemCount(), 0);
}

TEST(TSeriesMarksItems, MalformedItemsRaiseAndKeepTheOldOnes)
{
    TSeriesMarks marks(nullptr);
    marks.Item(0).SetColor(0x1);
    const std::vector<std::vector<std::uint8_t>> bad = {
        {},
        {1, 0, 0},
        {0xFF, 0xFF, 0xFF, 0xFF},
        {0xFF, 0xFF, 0xFF, 0x7F, 1, 0},
        {2, 0, 0, 0, 1, 0},
        {1, 0, 0, 0, 1, 3, 'B', 'a', 'd', 9, 0, 0},
        {1, 0, 0, 0, 1, 0, 7},
    };
    for (const auto& data : bad) {
        EXPECT_THROW(marks.ReadItems(data), EReadError);
        EXPECT_EQ(marks.ItemCount(), 1);
        EXPECT_FALSE(marks.ItemsLocked());
    }
}

TEST(TSeriesMarksItems, LockTakenWhileLoadingIsReleasedWhenLoadingEnds)
{
    TChartSeries s;
    TSeriesMarks source(nullptr);
    source.Item(1).SetText({"x"});
    TPropertyWriter w;
    w.WritePropName("Marks.Items");
    w.WriteBinary(source.WriteItems());
    w.WriteListEnd();
    s.BeginLoading();
    TPropertyReader r(w.Data());
    TChartSeries::Properties().ReadList(s, r, "TChartSeries");
    EXPECT_TRUE(s.Marks().ItemsLocked());
    s.EndLoading();
    EXPECT_FALSE(s.Marks().ItemsLocked());
    EXPECT_EQ(s.Marks().ItemCount(), 2);
}

TEST(TSeriesMarksItems, StreamWithoutItemsLeavesNone)
{
    TSeriesMarks marks(nullptr);
    TPropertyWriter w;
    TSeriesMarks::Properties().Write(marks, w);
    const std::string text(w.Data().begin(), w.Data().end());
    EXPECT_EQ(text.find("Items"), std::string::npos);
    w.WriteListEnd();
    TSeriesMarks read(nullptr);
    TPropertyReader r(w.Data());
    TSeriesMarks::Properties().ReadList(read, r, "TSeriesMarks");
    EXPECT_EQ(read.ItemCount(), 0);
    EXPECT_FALSE(read.Visible());
}

TEST(TSeriesMarksSymbolDefaults, HiddenWithAOnePixelShadow)
{
    TSeriesMarks marks(nullptr);
    EXPECT_EQ(marks.SymbolIfAny(), nullptr);
    TSeriesMarksSymbol* symbol = marks.Symbol();
    EXPECT_FALSE(symbol->Visible());
    EXPECT_FALSE(symbol->Transparent());
    EXPECT_EQ(symbol->Shadow()->HorizSize(), 1);
    marks.SetSymbol(nullptr);
    EXPECT_EQ(marks.SymbolIfAny(), nullptr);
}

TEST(TSeriesMarksDefaults, GreyShadowAndSilverGradient)
{
    TSeriesMarks marks(nullptr);
    EXPECT_EQ(marks.Shadow()->Color(), 0x808080u);
    EXPECT_EQ(marks.Shadow()->HorizSize(), 3);
    auto* g = dynamic_cast<TPlotGradient*>(marks.Gradient());
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->Direction(), gdRightLeft);
    EXPECT_EQ(g->StartColor(), clSilver);
    EXPECT_EQ(g->EndColor(), clWhite);
    EXPECT_EQ(marks.Item(0).Color(), clInfoBk);
}

TEST(TSeriesMarksDefaults, EveryMarksShapeIsBuiltAtItsStoredDefaults)
{
    const auto fresh = [](TPlotCustomShapeBrushPen& shape) {
        ExpectFreshAtStoredDefaults(shape.PropertyTable(), shape);
    };
    TSeriesMarks marks(nullptr);
    fresh(marks);
    fresh(*marks.Symbol());
    fresh(marks.Item(0));
    TMarksItem item;
    EXPECT_EQ(item.Color(), clInfoBk);
    fresh(item);
    TSeriesMarksSymbol symbol;
    EXPECT_FALSE(symbol.Visible());
    fresh(symbol);
}

TEST(TSeriesMarksDefaults, TheMarksOfEverySeriesTypeAreBuiltAtTheirStoredDefaults)
{
    for (const TSeriesType& type : EverySeriesType()) {
        SCOPED_TRACE(type.Name);
        const auto series = type.Create();
        TSeriesMarks& marks = series->Marks();
        // the callout's white arrow pen (the marks' Arrow too) writes Visible
        // whatever its value
        const std::vector<std::string> arrow{"Arrow.Visible"};
        ExpectFreshAtStoredDefaults(
            marks.PropertyTable(), static_cast<TPlotCustomShapeBrushPen&>(marks),
            marks.CalloutIfAny() ? std::vector<std::string>{"Arrow.Visible", "Callout.Arrow.Visible"}
                                 : std::vector<std::string>{});
        ExpectFreshAtStoredDefaults(marks.Callout()->PropertyTable(),
                                    static_cast<TPlotCustomShapeBrushPen&>(*marks.Callout()), arrow);
        // a stream that leaves Visible out gives back the marks as the series built them
        const bool visible = marks.Visible();
        marks.SetVisible(!visible);
        marks.PropertyTable().LoadStoredDefaults(marks);
        EXPECT_EQ(marks.Visible(), visible);
    }
}

TEST(TSeriesMarksDefaults, ACalloutMadeAgainStartsAtTheLengthItsSeriesGave)
{
    const std::vector<std::pair<TSeriesType, int>> lengths = {
        {SeriesTypeOf<TLineSeries>("TLineSeries"), 8},
        {SeriesTypeOf<TBarSeries>("TBarSeries"), 20},
        {SeriesTypeOf<TPointSeries>("TPointSeries"), 0}};
    for (const auto& [type, length] : lengths) {
        SCOPED_TRACE(type.Name);
        const auto series = type.Create();
        TSeriesMarks& marks = series->Marks();
        marks.SetCallout(nullptr);
        EXPECT_EQ(marks.ArrowLength(), length);
        EXPECT_EQ(marks.Callout()->Length(), length);
        ExpectFreshAtStoredDefaults(marks.Callout()->PropertyTable(),
                                    static_cast<TPlotCustomShapeBrushPen&>(*marks.Callout()),
                                    std::vector<std::string>{"Arrow.Visible"});
        // copied from marks without a callout: the same
        const auto other = SeriesTypeOf<TChartSeries>("TChartSeries").Create();
        marks.Assign(other->Marks());
        EXPECT_EQ(marks.ArrowLength(), length);
        EXPECT_EQ(marks.Callout()->Length(), length);
    }
}

TEST(TSeriesMarksDefaults, TheArrowLengthOfACalloutMadeAgainComesBackFromAStream)
{
    QObject form, copyForm;
    TChart chart, copy;
    auto* series = new TBarSeries(&form);
    series->SetName("Series1");
    chart.AddSeries(series);
    series->Marks().SetCallout(nullptr);
    series->Marks().Callout()->SetDistance(3);
    ReadChart(copy, &copyForm, WriteChart(chart));
    ASSERT_EQ(copy.SeriesCount(), 1);
    EXPECT_EQ(copy.Series(0)->Marks().ArrowLength(), series->Marks().ArrowLength());
    EXPECT_EQ(copy.Series(0)->Marks().Callout()->Distance(), 3);
}

TEST(TSeriesMarksAssign, CopiesSettingsAndItems)
{
    TSeriesMarks a(nullptr), b(nullptr);
    a.SetAngle(90);
    a.SetStyle(smsValue);
    a.SetDrawEvery(3);
    a.Margins().SetLeft(4);
    a.Item(1).SetText({"t"});
    b.Item(4).SetText({"gone"});
    b.Assign(a);
    EXPECT_EQ(b.Angle(), 90);
    EXPECT_EQ(b.Style(), smsValue);
    EXPECT_EQ(b.DrawEvery(), 3);
    EXPECT_EQ(b.Margins().Left(), 4);
    EXPECT_EQ(b.ItemCount(), 2);
    EXPECT_EQ(b.ItemOrNull(1)->Text()[0], "t");
}

TEST(TSeriesMarksDefaults, AsCreated)
{
    TSeriesMarks m(nullptr);
    EXPECT_FALSE(m.Visible());
    EXPECT_EQ(m.Style(), smsLabel);
    EXPECT_EQ(m.Margins().Left(), 20);
    EXPECT_EQ(m.Margins().Top(), 5);
    EXPECT_EQ(m.TextAlign(), taCenter);
    EXPECT_EQ(m.Color(), clInfoBk);
}

}  // namespace
