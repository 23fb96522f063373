// A whole chart written, read into a fresh chart and written again, as a
// user saves and reopens it: custom axes, pages, series groups, the back
// image's transparency and the series classes the engine registers itself.
#include "../image_panel.h"
#include "chart/chart_stream.h"

#include <gtest/gtest.h>

#include <QObject>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "chart/axis_title.h"
#include "chart/chart_axis.h"
#include "chart/series/area_series.h"
#include "chart/series/bar_series.h"
#include "chart/series/fast_line_series.h"
#include "chart/series/line_series.h"
#include "chart/series/ohlc_series.h"
#include "chart/series/point_series.h"
#include "chart/series_marks.h"
#include "chart/series_types.h"
#include "chart/zoom_panning.h"
#include "testing/recording_device.h"

namespace {

template <class T>
T* AddStreamed(TChart& Chart, QObject& Form, const std::string& Name, int Points)
{
    auto* s = new T(&Form);
    s->SetName(Name);
    for (int i = 0; i < Points; ++i)
        s->AddXY(i, i * 2.0 + 1);
    s->SetStreamedData(true);
    Chart.AddSeries(s);
    return s;
}

class ChartPersistence : public ::testing::Test {
protected:
    // Reads Bytes into the fresh chart and answers what it writes.
    std::vector<std::uint8_t> ReadBack(const std::vector<std::uint8_t>& Bytes)
    {
        ReadChart(copy, &copyForm, Bytes);
        return WriteChart(copy);
    }
    QObject form;
    TChart chart;
    QObject copyForm;
    TChart copy;
};

}  // namespace

TEST_F(ChartPersistence, CustomAxesAreWrittenAndTheSeriesIsBoundAgain)
{
    TChartAxis* vertical = chart.CustomAxes().Add();
    vertical->SetStartPosition(50);
    vertical->Title()->SetCaption("Share");
    TChartAxis* horizontal = chart.CustomAxes().Add();
    horizontal->SetHorizontal(true);
    horizontal->SetOtherSide(true);
    auto* line = AddStreamed<TLineSeries>(chart, form, "Series1", 3);
    line->SetCustomVertAxis(vertical);
    line->SetCustomHorizAxis(horizontal);
    AddStreamed<TLineSeries>(chart, form, "Series2", 2);
    const std::vector<std::uint8_t> first = WriteChart(chart);

    EXPECT_EQ(ReadBack(first), first);
    ASSERT_EQ(copy.CustomAxes().Count(), 2);
    EXPECT_EQ(copy.CustomAxes()[0]->StartPosition(), 50);
    EXPECT_EQ(copy.CustomAxes()[0]->Title()->Caption(), "Share");
    EXPECT_TRUE(copy.CustomAxes()[1]->Horizontal());
    EXPECT_TRUE(copy.CustomAxes()[1]->OtherSide());
    TChartSeries* read = copy.Series(0);
    EXPECT_EQ(read->VertAxis(), aCustomVertAxis);
    EXPECT_EQ(read->CustomVertAxis(), copy.CustomAxes()[0]);
    EXPECT_EQ(read->HorizAxis(), aCustomHorizAxis);
    EXPECT_EQ(read->CustomHorizAxis(), copy.CustomAxes()[1]);
    EXPECT_EQ(copy.Series(1)->CustomVertAxis(), nullptr);
    EXPECT_EQ(copy.Series(1)->VertAxis(), aLeftAxis);
}

TEST_F(ChartPersistence, AStandardAxisGivenAsCustomAxisLeavesAStreamThatReadsBack)
{
    // a series may take one of the chart's own axes as its custom axis; that
    // axis has no place in the custom list, so nothing is written for it
    auto* line = AddStreamed<TLineSeries>(chart, form, "Series1", 3);
    line->SetCustomVertAxis(chart.RightAxis());
    line->SetCustomHorizAxis(chart.TopAxis());
    const std::vector<std::uint8_t> first = WriteChart(chart);
    EXPECT_EQ(ReadBack(first), first);
    ASSERT_EQ(copy.SeriesCount(), 1);
    EXPECT_EQ(copy.Series(0)->CustomVertAxis(), nullptr);
    EXPECT_EQ(copy.Series(0)->CustomHorizAxis(), nullptr);
}

TEST_F(ChartPersistence, NoCustomAxesWritesNone)
{
    AddStreamed<TLineSeries>(chart, form, "Series1", 2);
    const std::vector<std::uint8_t> bytes = WriteChart(chart);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(text.find("CustomAxes"), std::string::npos);
    EXPECT_EQ(text.find("SeriesGroups"), std::string::npos);
    EXPECT_EQ(text.find("Pages"), std::string::npos);
}

TEST_F(ChartPersistence, AChartSavedOnAPageReopensOnThatPage)
{
    AddStreamed<TBarSeries>(chart, form, "Series1", 25);
    chart.Pages().SetMaxPointsPerPage(10);
    chart.Pages().SetScaleLastPage(false);
    chart.Pages().SetAutoScale(true);
    chart.Pages().SetCurrent(3);
    ASSERT_EQ(chart.Pages().Current(), 3);
    const std::vector<std::uint8_t> first = WriteChart(chart);

    int changes = 0;
    copy.OnPageChange = [&](TChartPage&) { ++changes; };
    EXPECT_EQ(ReadBack(first), first);
    EXPECT_EQ(copy.Pages().MaxPointsPerPage(), 10);
    EXPECT_FALSE(copy.Pages().ScaleLastPage());
    EXPECT_TRUE(copy.Pages().AutoScale());
    EXPECT_EQ(copy.Pages().Current(), 3);
    EXPECT_EQ(copy.Pages().Count(), 3);
    EXPECT_EQ(changes, 0);
    // a page is still changed as before once read
    copy.Pages().SetCurrent(9);
    EXPECT_EQ(copy.Pages().Current(), 3);
    copy.Pages().SetCurrent(1);
    EXPECT_EQ(copy.Pages().Current(), 1);
    EXPECT_EQ(changes, 1);
}

TEST_F(ChartPersistence, AStoredPageBeyondThePagesReadIsClampedOnceRead)
{
    AddStreamed<TBarSeries>(chart, form, "Series1", 25);
    chart.Pages().SetMaxPointsPerPage(10);
    chart.Pages().SetCurrent(3);
    const std::vector<std::uint8_t> bytes = WriteChart(chart);
    // the series holds 5 points only: one page
    chart.Series(0)->SetStreamedData(false);
    const std::vector<std::uint8_t> noData = WriteChart(chart);
    ReadChart(copy, &copyForm, noData);
    EXPECT_EQ(copy.Pages().Current(), 1);
    TChart full;
    QObject fullForm;
    ReadChart(full, &fullForm, bytes);
    EXPECT_EQ(full.Pages().Current(), 3);
}

TEST_F(ChartPersistence, SeriesGroupsKeepTheirNamesAndMembers)
{
    auto* a = AddStreamed<TLineSeries>(chart, form, "Series1", 2);
    auto* b = AddStreamed<TAreaSeries>(chart, form, "Series2", 2);
    auto* c = AddStreamed<TPointSeries>(chart, form, "Series3", 2);
    TSeriesGroup& first = chart.SeriesGroups().Add();
    first.SetName("Observed");
    first.Series().Add(a);
    first.Series().Add(c);
    TSeriesGroup& second = chart.SeriesGroups().Add();
    second.Series().Add(b);
    chart.SeriesGroups().Add();  // no members
    const std::vector<std::uint8_t> bytes = WriteChart(chart);

    EXPECT_EQ(ReadBack(bytes), bytes);
    ASSERT_EQ(copy.SeriesGroups().Count(), 3);
    EXPECT_EQ(copy.SeriesGroups().Items(0).Name(), "Observed");
    ASSERT_EQ(copy.SeriesGroups().Items(0).Series().Count(), 2);
    EXPECT_EQ(copy.SeriesGroups().Items(0).Series()[0], copy.Series(0));
    EXPECT_EQ(copy.SeriesGroups().Items(0).Series()[1], copy.Series(2));
    EXPECT_EQ(copy.SeriesGroups().Items(1).Name(), "Group2");
    ASSERT_EQ(copy.SeriesGroups().Items(1).Series().Count(), 1);
    EXPECT_EQ(copy.SeriesGroups().Items(1).Series()[0], copy.Series(1));
    EXPECT_EQ(copy.SeriesGroups().Items(2).Name(), "Group3");
    EXPECT_TRUE(copy.SeriesGroups().Items(2).Series().Empty());
    // the group switches the series it was read with
    copy.SeriesGroups().Items(0).SetActive(gaNo);
    EXPECT_FALSE(copy.Series(0)->Active());
    EXPECT_TRUE(copy.Series(1)->Active());
    EXPECT_FALSE(copy.Series(2)->Active());
}

TEST_F(ChartPersistence, AGroupMemberMissingFromTheStreamIsLeftOut)
{
    auto* a = AddStreamed<TLineSeries>(chart, form, "Series1", 2);
    TSeriesGroup& g = chart.SeriesGroups().Add();
    g.Series().Add(a);
    std::vector<std::uint8_t> bytes = WriteChart(chart);
    // rename the member in the stream: "Series1" in the group becomes "SeriesX"
    const std::string member = "Series1";
    const std::string text(bytes.begin(), bytes.end());
    const std::size_t groups = text.find("SeriesGroups");
    ASSERT_NE(groups, std::string::npos);
    const std::size_t at = text.find(member, groups);
    ASSERT_NE(at, std::string::npos);
    bytes[at + 6] = 'X';
    ReadChart(copy, &copyForm, bytes);
    ASSERT_EQ(copy.SeriesGroups().Count(), 1);
    EXPECT_TRUE(copy.SeriesGroups().Items(0).Series().Empty());
}

TEST_F(ChartPersistence, BackImageTranspIsReadKeptAndWritten)
{
    TBitmap picture(4, 4);
    picture.Fill(clRed);
    chart.BackImage()->SetGraphic(&picture);
    EXPECT_FALSE(chart.BackImageTransp());
    chart.SetBackImageTransp(true);
    EXPECT_TRUE(chart.BackImageTransp());
    const std::vector<std::uint8_t> bytes = WriteChart(chart);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(text.find("BackImageTransp"), std::string::npos);

    // the picture travels with the chart, and the flag with it
    ReadChart(copy, &copyForm, bytes);
    EXPECT_TRUE(copy.BackImageTransp());
    EXPECT_EQ(WriteChart(copy), bytes);

    // without a picture the flag reads False
    TChart bare;
    bare.SetBackImageTransp(true);
    EXPECT_FALSE(bare.BackImageTransp());

    chart.SetBackImageTransp(false);
    const std::vector<std::uint8_t> plain = WriteChart(chart);
    EXPECT_EQ(std::string(plain.begin(), plain.end()).find("BackImageTransp"), std::string::npos);
}

TEST(BackImageTransparency, ATransparentBackImageLeavesItsKeyColourUndrawn)
{
    // red picture with one blue pixel; red (the bottom-left colour) is the key
    TBitmap picture(4, 4);
    picture.Fill(clRed);
    picture.SetPixel(1, 1, clBlue);
    TImagePanel panel;
    panel.SetBufferedDisplay(false);
    panel.SetColor(clYellow);
    panel.BackImage()->SetGraphic(&picture);
    panel.BackImage()->SetMode(pbmCustom);
    panel.SetBackImageTransp(true);
    platform::RecordingDevice device(40, 30);
    panel.OnDraw = [&] { panel.BackImage()->Draw(panel, TRect{10, 10, 30, 20}, 0); };
    panel.Draw(&device, TRect{0, 0, 40, 30});
    EXPECT_EQ(device.GetPixel(11, 11), clBlue);
    EXPECT_EQ(device.GetPixel(10, 10), clYellow);
    EXPECT_EQ(device.GetPixel(13, 13), clYellow);

    panel.SetBackImageTransp(false);
    panel.Draw(&device, TRect{0, 0, 40, 30});
    EXPECT_EQ(device.GetPixel(10, 10), clRed);
    EXPECT_EQ(device.GetPixel(11, 11), clBlue);
}

TEST_F(ChartPersistence, EngineStartUpRegistersTheSeriesClassesItOwns)
{
    for (const char* name : {"TLineSeries", "THorizLineSeries", "TPointSeries", "TAreaSeries", "TBarSeries",
                             "TFastLineSeries", "TOHLCSeries", "TPlotFunction", "TPlotMovingFunction"})
        EXPECT_TRUE(IsChartClassRegistered(name)) << name;
}

TEST_F(ChartPersistence, EachSeriesClassOfTheEngineReadsBackWithoutRegisteringByHand)
{
    AddStreamed<TLineSeries>(chart, form, "Line1", 3);
    AddStreamed<TBarSeries>(chart, form, "Bar1", 3);
    AddStreamed<TAreaSeries>(chart, form, "Area1", 3);
    AddStreamed<TPointSeries>(chart, form, "Point1", 3);
    AddStreamed<TFastLineSeries>(chart, form, "FastLine1", 3);
    AddStreamed<THorizLineSeries>(chart, form, "HorizLine1", 3);
    auto* ohlc = new TOHLCSeries(&form);
    ohlc->SetName("OHLC1");
    ohlc->AddOHLC(1, 10, 15, 5, 12);
    ohlc->SetStreamedData(true);
    chart.AddSeries(ohlc);
    const std::vector<std::uint8_t> bytes = WriteChart(chart);

    EXPECT_EQ(ReadBack(bytes), bytes);
    ASSERT_EQ(copy.SeriesCount(), 7);
    const char* classes[] = {"TLineSeries",     "TBarSeries",       "TAreaSeries", "TPointSeries",
                             "TFastLineSeries", "THorizLineSeries", "TOHLCSeries"};
    for (int i = 0; i < 7; ++i)
        EXPECT_STREQ(copy.Series(i)->metaObject()->className(), classes[i]);
    EXPECT_EQ(static_cast<TOHLCSeries*>(copy.Series(6))->HighValues().Value(0), 15);
}

TEST_F(ChartPersistence, ASeriesWithTwoSourcesTakesBothAgain)
{
    auto* a = AddStreamed<TLineSeries>(chart, form, "Source1", 3);
    auto* b = AddStreamed<TLineSeries>(chart, form, "Source2", 2);
    auto* sum = new TLineSeries(&form);
    sum->SetName("Sum1");
    chart.AddSeries(sum);
    sum->AddDataSource(a);
    sum->AddDataSource(b);
    ASSERT_EQ(sum->DataSourceCount(), 2);
    const std::vector<std::uint8_t> bytes = WriteChart(chart);

    EXPECT_EQ(ReadBack(bytes), bytes);
    TChartSeries* read = copy.Series(2);
    ASSERT_EQ(read->DataSourceCount(), 2);
    EXPECT_EQ(read->DataSourceAt(0), copy.Series(0));
    EXPECT_EQ(read->DataSourceAt(1), copy.Series(1));
}

TEST_F(ChartPersistence, SeriesMarksComeBackWithTheirOwnDefaults)
{
    // values equal to the plain shape's defaults, which marks are not built with
    auto* line = AddStreamed<TLineSeries>(chart, form, "Series1", 3);
    line->Marks().SetVisible(true);
    line->Marks().SetColor(clWhite);
    line->Marks().Symbol()->SetVisible(true);
    line->Marks().Gradient()->SetDirection(gdTopBottom);
    line->Marks().Gradient()->SetStartColor(clWhite);
    line->Marks().Gradient()->SetEndColor(clYellow);
    line->Marks().Item(1).SetColor(clWhite);
    line->Marks().Item(2).SetText({"two"});
    // a bar series is built with visible marks and a visible, absolute gradient
    auto* bar = AddStreamed<TBarSeries>(chart, form, "Series2", 3);
    bar->Marks().SetVisible(false);
    bar->Gradient().SetRelative(true);
    bar->Gradient().SetVisible(false);
    const std::vector<std::uint8_t> first = WriteChart(chart);
    EXPECT_EQ(ReadBack(first), first);

    TSeriesMarks& marks = copy.Series(0)->Marks();
    EXPECT_TRUE(marks.Visible());
    EXPECT_EQ(marks.Color(), clWhite);
    ASSERT_NE(marks.SymbolIfAny(), nullptr);
    EXPECT_TRUE(marks.SymbolIfAny()->Visible());
    ASSERT_NE(marks.GradientIfAny(), nullptr);
    EXPECT_EQ(marks.GradientIfAny()->Direction(), gdTopBottom);
    EXPECT_EQ(marks.GradientIfAny()->StartColor(), clWhite);
    EXPECT_EQ(marks.GradientIfAny()->EndColor(), clYellow);
    ASSERT_NE(marks.ItemOrNull(1), nullptr);
    EXPECT_EQ(marks.ItemOrNull(1)->Color(), clWhite);
    ASSERT_NE(marks.ItemOrNull(2), nullptr);
    EXPECT_EQ(marks.ItemOrNull(2)->Color(), clInfoBk);

    auto* readBar = dynamic_cast<TBarSeries*>(copy.Series(1));
    ASSERT_NE(readBar, nullptr);
    EXPECT_FALSE(readBar->Marks().Visible());
    EXPECT_TRUE(readBar->Gradient().Relative());
    EXPECT_FALSE(readBar->Gradient().Visible());
}

TEST_F(ChartPersistence, TheZoomPenAndBrushKeepEveryPropertyAndAreCopied)
{
    TChartPen& pen = *chart.Zoom()->Pen();
    pen.SetWidth(3);
    pen.SetStyle(psDash);
    pen.SetVisible(false);
    TChartBrush& brush = *chart.Zoom()->Brush();
    brush.SetBackColor(clRed);
    brush.SetStyle(bsCross);
    const std::vector<std::uint8_t> first = WriteChart(chart);
    EXPECT_EQ(ReadBack(first), first);
    TChart assigned;
    assigned.Assign(chart);
    for (const TPlotZoom* zoom : {copy.Zoom(), assigned.Zoom()}) {
        EXPECT_EQ(zoom->PenIfAny()->Width(), 3);
        EXPECT_EQ(zoom->PenIfAny()->Style(), psDash);
        EXPECT_FALSE(zoom->PenIfAny()->Visible());
        EXPECT_EQ(zoom->PenIfAny()->Color(), clWhite);
        EXPECT_EQ(zoom->BrushIfAny()->BackColor(), clRed);
        EXPECT_EQ(zoom->BrushIfAny()->Style(), bsCross);
        EXPECT_EQ(zoom->BrushIfAny()->Color(), clWhite);
    }
}
