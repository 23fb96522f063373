#include "chart/series/bar_series.h"

#include <gtest/gtest.h>
#include <algorithm>

#include "chart/axis_panel.h"
#include "chart/chart.h"
#include "chart/canvas_3d_solids.h"
#include "chart/plot_canvas.h"
#include "chart/chart_axis.h"
#include "chart/chart_callout.h"
#include "support/recording_canvas.h"

namespace {

TEST(CustomBarSeries, Defaults)
{
    TBarSeries s;
    EXPECT_EQ(s.BarWidthPercent(), 70);
    EXPECT_EQ(s.DepthPercent(), 100);
    EXPECT_EQ(s.BarStyle(), bsRectangle);
    EXPECT_TRUE(s.Gradient().Visible());
    EXPECT_FALSE(s.Gradient().Relative());
    EXPECT_EQ(s.Gradient().Direction(), gdTopBottom);
    EXPECT_EQ(s.BevelSize(), 1);
    EXPECT_TRUE(s.UseYOrigin());
    EXPECT_EQ(s.MultiBar(), mbSide);
    EXPECT_TRUE(s.AutoMarkPosition());
    EXPECT_TRUE(s.Marks().Visible());
    EXPECT_EQ(s.Marks().Callout()->Length(), 20);
    EXPECT_EQ(s.Marks().Callout()->DefaultLength(), 20);
    EXPECT_TRUE(s.Dark3D());
    EXPECT_TRUE(s.SideMargins());
    EXPECT_FALSE(s.TickLines().Visible());
    EXPECT_EQ(s.Shadow().Color(), 0x808080u);
    EXPECT_EQ(s.CustomBarWidth(), 0);
    EXPECT_EQ(s.YValues().Name(), "Bar");
    EXPECT_EQ(s.EditorClassName(), "TBarSeriesEditor");
    EXPECT_EQ(s.NumSampleValues(), 6);
}

TEST(CustomBarSeries, SubGallery)
{
    TBarSeries s;
    std::vector<std::string> captions;
    s.CreateSubGallery(captions);
    EXPECT_EQ(captions, (std::vector<std::string>{"Normal", "Colors", "Pyramid", "Ellipse", "Inv. Pyramid",
                                                  "Gradient", "Stack", "Stack 100%", "Self Stacked", "Sides",
                                                  "Side All"}));
    s.SetSubGallery(7);
    EXPECT_EQ(s.MultiBar(), mbStacked100);
    s.SetSubGallery(3);
    EXPECT_EQ(s.BarStyle(), bsEllipse);
}

TEST(CustomBarSeries, RelativeGradientEndColour)
{
    TBarSeries s;
    s.Add(0);
    s.Add(5);
    s.Add(10);
    EXPECT_EQ(s.GradientEndColor(1, 0x0000FF), 0x0000FFu);
    s.Gradient().SetRelative(true);
    EXPECT_EQ(s.GradientEndColor(1, 0x0000FF), 0x7F7FFFu);
    EXPECT_EQ(s.GradientEndColor(0, 0x0000FF), 0xFFFFFFu);
    s.Add(-5);
    // below the origin: clamped to the start colour
    EXPECT_EQ(s.GradientEndColor(3, 0x0000FF), 0xFFFFFFu);
    s.SetUseYOrigin(false);
    // from the lowest value: (5 - -5) / 15 of the way
    EXPECT_EQ(s.GradientEndColor(1, 0x0000FF), RelativeGradientColor(0xFFFFFF, 0x0000FF, 10, 0, 15));
}

TEST(CustomBarSeries, SelfStackOrigins)
{
    TBarSeries s;
    s.SetMultiBar(mbSelfStack);
    s.Add(2);
    s.Add(3);
    s.Add(4);
    EXPECT_EQ(s.PointOrigin(0, false), 0);
    EXPECT_EQ(s.PointOrigin(2, false), 5);
    EXPECT_EQ(s.MaxYValue(), 9);
}

class TBarChart : public TCustomAxisPanel {
public:
    TBarChart()
    {
        SetBufferedDisplay(false);
        SetView3D(false);
    }
    void DrawWalls() override {}
    void DrawTitlesAndLegend(bool) override {}
};

class BarSeriesOnChart : public ::testing::Test {
protected:
    void TearDown() override
    {
        while (chart.SeriesCount() > 0)
            chart.RemoveSeries(chart.Series(0));
    }
    TBarSeries& AddBars(std::initializer_list<double> Values)
    {
        auto* s = new TBarSeries(&owner);
        s->Marks().SetVisible(false);
        for (double v : Values)
            s->Add(v);
        chart.AddSeries(s);
        return *s;
    }
    void Draw() { chart.Draw(&device, TRect{0, 0, 400, 300}); }
    // The drawing lines of the bars: those starting with one of Prefixes.
    Lines Drawn(std::initializer_list<const char*> Prefixes)
    {
        device.ClearLog();
        Draw();
        Lines out;
        for (const std::string& line : device.Lines())
            for (const char* p : Prefixes)
                if (line.rfind(p, 0) == 0)
                    out.push_back(line);
        return out;
    }

    QObject owner;
    TBarChart chart;
    platform::RecordingDevice device{400, 300};
};

TEST_F(BarSeriesOnChart, MultiBarIsSharedByTheSeriesOfTheChart)
{
    TBarSeries& a = AddBars({1, 2});
    TBarSeries& b = AddBars({3, 4});
    a.SetMultiBar(mbStacked);
    EXPECT_EQ(b.MultiBar(), mbStacked);
    b.SetSideMargins(false);
    EXPECT_FALSE(a.SideMargins());
    TBarSeries& c = AddBars({5});
    EXPECT_EQ(c.MultiBar(), mbStacked);
}

TEST_F(BarSeriesOnChart, SampleValuesLineUpWithTheOtherBars)
{
    TBarSeries& a = AddBars({1, 2, 3});
    a.AddSampleValues(4);
    EXPECT_FALSE(a.HasNonSequentialX());
    TBarSeries& b = AddBars({});
    b.AddXY(0.5, 1);
    TBarSeries& c = AddBars({});
    c.AddSampleValues(3);
    EXPECT_EQ(c.Count(), 3);
}

TEST_F(BarSeriesOnChart, TwoSideSeriesStandSideBySide)
{
    TBarSeries& a = AddBars({1, 2, 3});
    TBarSeries& b = AddBars({3, 2, 1});
    Draw();
    EXPECT_EQ(a.NumBars(), 2);
    EXPECT_EQ(a.BarOrder(), 1);
    EXPECT_EQ(b.BarOrder(), 2);
    EXPECT_EQ(b.PointsBefore(), 3);
    ASSERT_GT(a.BarWidth(), 0);
    EXPECT_EQ(a.CalcXPos(1), a.CalcXPosValue(1) - a.BarWidth());
    EXPECT_EQ(b.CalcXPos(1), b.CalcXPosValue(1));
    const TChartAxis& axis = *a.GetHorizAxis();
    const int slot = axis.AxisSize() / a.MaxBarPoints();
    int w = static_cast<int>(Round(70 * 0.01 * slot)) / 2;
    EXPECT_EQ(a.BarWidth(), w + w % 2);
}

TEST_F(BarSeriesOnChart, StackedToHundredWithZeroTotalStandsAtZero)
{
    TBarSeries& a = AddBars({0, 2});
    TBarSeries& b = AddBars({0, 6});
    a.SetMultiBar(mbStacked100);
    Draw();
    const int zero = b.CalcYPosValue(0);
    EXPECT_EQ(b.CalcYPos(0), zero);
    EXPECT_EQ(b.GetOriginPos(0, -1), zero);
    EXPECT_EQ(a.CalcYPos(0), zero);
    // the other point: a at 25 %, b from 25 % to 100 %
    EXPECT_EQ(a.CalcYPos(1), a.CalcYPosValue(25));
    EXPECT_EQ(b.GetOriginPos(1, -1), b.CalcYPosValue(25));
    EXPECT_EQ(b.CalcYPos(1), b.CalcYPosValue(100));
}

TEST_F(BarSeriesOnChart, BarBoundsAndClick)
{
    TBarSeries& a = AddBars({4, 8});
    Draw();
    a.CalcBarBounds(1);
    const TRect r = a.BarBounds();
    EXPECT_EQ(r.Left, a.CalcXPosValue(1) - a.BarWidth() / 2);
    EXPECT_EQ(r.Right, r.Left + a.BarWidth() + 1);
    EXPECT_EQ(r.Top, a.CalcYPosValue(8));
    EXPECT_EQ(r.Bottom, a.CalcYPosValue(0));
    EXPECT_EQ(a.Clicked(r.Left + 1, (r.Top + r.Bottom) / 2), 1);
    EXPECT_EQ(a.Clicked(r.Left + 1, r.Top - 3), -1);
}

TEST_F(BarSeriesOnChart, HundredPercentBarsTouch)
{
    TBarSeries& a = AddBars({4, 8, 6});
    a.SetBarWidthPercent(100);
    Draw();
    a.CalcBarBounds(0);
    const int w = a.BarPen().Visible() ? std::max(1, a.BarPen().Width()) : 0;
    EXPECT_EQ(a.BarBounds().Right, a.CalcXPos(1) + 1 - w / 2);
    a.CalcBarBounds(2);
    EXPECT_EQ(a.BarBounds().Right, a.CalcXPos(2) + a.BarWidth() + 1 - w / 2);
}

TEST_F(BarSeriesOnChart, RectanglesAtTheirBounds)
{
    TBarSeries& a = AddBars({4, 8});
    a.Gradient().SetVisible(false);
    Draw();
    Lines expected;
    for (int i = 0; i < 2; ++i) {
        a.CalcBarBounds(i);
        const TRect r = a.BarBounds();
        expected.push_back("Rectangle(" + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," +
                           std::to_string(r.Right) + "," + std::to_string(r.Bottom) + ")");
    }
    EXPECT_EQ(Drawn({"Rectangle("}), expected);
}

TEST_F(BarSeriesOnChart, ShapedStylesDrawPolygonsAndEllipses)
{
    TBarSeries& a = AddBars({4, 8});
    a.SetBarStyle(bsPyramid);
    EXPECT_EQ(Drawn({"Polygon("}).size(), 2u);
    a.SetBarStyle(bsEllipse);
    EXPECT_EQ(Drawn({"Ellipse("}).size(), 2u);
    a.SetBarStyle(bsDiamond);
    EXPECT_EQ(Drawn({"Polygon("}).size(), 2u);
}

TEST_F(BarSeriesOnChart, BevelFramesTheBar)
{
    TBarSeries& a = AddBars({4});
    a.SetBarStyle(bsBevel);
    a.Gradient().SetVisible(false);
    const std::size_t bevel1 = Drawn({"Polyline("}).size();
    a.SetBevelSize(2);
    const std::size_t bevel2 = Drawn({"Polyline("}).size();
    a.SetBarStyle(bsRectangle);
    const std::size_t plain = Drawn({"Polyline("}).size();
    // a light and a dark polyline per pixel of bevel over the rectangle
    EXPECT_EQ(bevel1, plain + 2);
    EXPECT_EQ(bevel2, plain + 4);
}

TEST_F(BarSeriesOnChart, NullPointsAreNotDrawn)
{
    TBarSeries& a = AddBars({4});
    a.AddNull();
    a.Gradient().SetVisible(false);
    EXPECT_EQ(Drawn({"Rectangle("}).size(), 1u);
}

}  // namespace

TEST_F(BarSeriesOnChart, MultiBarSubStylesAddASecondSeriesToALoneOne)
{
    owner.setObjectName("Form");
    TBarSeries& a = AddBars({1, 2, 3});
    a.setObjectName("Series1");
    a.SetTitle("Sales");
    a.SetBarWidthPercent(55);
    a.Marks().SetVisible(true);
    a.SetSubGallery(6);
    ASSERT_EQ(chart.SeriesCount(), 2);
    auto* b = dynamic_cast<TBarSeries*>(chart.Series(1));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->parent(), &owner);
    EXPECT_EQ(b->objectName(), "Series2");
    EXPECT_EQ(b->Title(), "Sales");
    EXPECT_EQ(b->BarWidthPercent(), 55);
    EXPECT_FALSE(a.Marks().Visible());
    EXPECT_FALSE(b->Marks().Visible());
    EXPECT_EQ(a.MultiBar(), mbStacked);
    EXPECT_EQ(b->MultiBar(), mbStacked);
    // the samples line up with the first series' three bars
    EXPECT_EQ(b->Count(), 3);
    // a chart with two series already gets none
    a.SetSubGallery(9);
    EXPECT_EQ(chart.SeriesCount(), 2);
    EXPECT_EQ(b->MultiBar(), mbSide);
}

TEST(CustomBarSeries, GalleryPreview)
{
    TBarSeries s;
    s.PrepareForGallery(true);
    EXPECT_EQ(s.BarWidthPercent(), 85);
    EXPECT_EQ(s.BarStyle(), bsRectGradient);
    EXPECT_TRUE(s.Gradient().Visible());
    EXPECT_EQ(s.MultiBar(), mbNone);
    EXPECT_EQ(s.DarkPen(), 130);
}

TEST_F(BarSeriesOnChart, SlantCubeIsAFourSidedCylinderIn3D)
{
    TBarSeries& a = AddBars({4});
    chart.SetView3D(true);
    const Lines cube = Drawn({"Polygon("});
    a.SetBarStyle(bsSlantCube);
    const Lines slant = Drawn({"Polygon("});
    ASSERT_EQ(slant.size(), 3u);
    EXPECT_NE(slant, cube);
    // the top is a diamond: its corners at the middle of the bar's sides
    a.CalcBarBounds(0);
    const TRect r = a.BarBounds();
    const int mid = (r.Left + r.Right) / 2;
    EXPECT_NE(slant[0].find(std::to_string(mid) + "," + std::to_string(r.Top)), std::string::npos) << slant[0];
    EXPECT_EQ(CylinderSegments, 16);
}

TEST_F(BarSeriesOnChart, TickLinesRunAlongTheVisibleSideIn3D)
{
    TBarSeries& a = AddBars({4});
    a.TickLines().Show();
    chart.SetView3D(true);
    Draw();
    a.CalcBarBounds(0);
    const TRect r = a.BarBounds();
    // a tick at y: across the front, then back along the right face
    const int y = chart.LeftAxis()->TickPositions.at(1);
    TPoint back;
    chart.Canvas()->Project(r.Right, y, a.EndZ(), back);
    const Lines lines = Drawn({"MoveTo(", "LineTo("});
    const auto at = std::find(lines.begin(), lines.end(), "MoveTo(" + std::to_string(r.Left) + "," + std::to_string(y) + ")");
    ASSERT_NE(at, lines.end());
    ASSERT_GE(lines.end() - at, 4);
    EXPECT_EQ(at[1], "LineTo(" + std::to_string(r.Right) + "," + std::to_string(y) + ")");
    EXPECT_EQ(at[2], "MoveTo(" + std::to_string(r.Right) + "," + std::to_string(y) + ")");
    EXPECT_EQ(at[3], "LineTo(" + std::to_string(back.X) + "," + std::to_string(back.Y) + ")");
}

TEST_F(BarSeriesOnChart, ClickIn3DIsOnTheProjectedFrontFace)
{
    TBarSeries& a = AddBars({4, 6});
    TBarSeries& b = AddBars({5, 3});
    a.SetMultiBar(mbNone);
    chart.SetView3D(true);
    Draw();
    // the series further back
    TBarSeries& back = a.StartZ() > b.StartZ() ? a : b;
    ASSERT_GT(back.StartZ(), 4);
    back.CalcBarBounds(0);
    const TRect r = back.BarBounds();
    const int midY = (r.Top + r.Bottom) / 2;
    TPoint inside, left;
    chart.Canvas()->Project(r.Left + 1, midY, back.StartZ(), inside);
    chart.Canvas()->Project(r.Left - 3, midY, back.StartZ(), left);
    EXPECT_EQ(back.Clicked(inside.X, inside.Y), 0);
    // right of the bar's left edge on screen, but left of the face in depth
    ASSERT_GT(left.X, r.Left);
    EXPECT_EQ(back.Clicked(left.X, left.Y), -1);
    // a pyramid: its apex stands at the middle depth
    back.SetBarStyle(bsPyramid);
    TPoint apex;
    chart.Canvas()->Project((r.Left + r.Right) / 2, r.Top + 2, back.MiddleZ(), apex);
    EXPECT_EQ(back.Clicked(apex.X, apex.Y + 1), 0);
}

TEST_F(BarSeriesOnChart, TransparentBarsBlendOverTheirBounds)
{
    TBarSeries& a = AddBars({4});
    a.Gradient().SetVisible(false);
    a.SetTransparency(50);
    Draw();
    a.CalcBarBounds(0);
    const TRect r = a.BarBounds();
    const Lines lines = Drawn({"Rectangle(", "AlphaBlend("});
    ASSERT_EQ(lines.size(), 2u);
    const std::string w = std::to_string(r.Right - r.Left), h = std::to_string(r.Bottom - r.Top);
    EXPECT_EQ(lines[1], "AlphaBlend(" + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + w + "," + h +
                            "," + w + "x" + h + ",0,0," + w + "," + h + ",128)");
}

TEST_F(BarSeriesOnChart, ShadowBarInTheShadowColourOrTheSmoothShadow)
{
    TBarSeries& a = AddBars({4});
    a.Gradient().SetVisible(false);
    a.Shadow().SetHorizSize(3);
    a.Shadow().SetVertSize(3);
    a.Shadow().SetColor(clGray);
    a.Shadow().SetSmooth(false);
    Draw();
    a.CalcBarBounds(0);
    const TRect r = a.BarBounds();
    device.ClearLog();
    Draw();
    Lines rects;
    for (const std::string& l : device.Lines(true))
        if (l.rfind("Rectangle(", 0) == 0)
            rects.push_back(l.substr(0, l.find(" font")));
    ASSERT_EQ(rects.size(), 2u);
    // the shadow bar: 3 right, its top 3 down, pen and brush in the shadow colour
    EXPECT_EQ(rects[0], "Rectangle(" + std::to_string(r.Left + 3) + "," + std::to_string(r.Top + 3) + "," +
                            std::to_string(r.Right + 3) + "," + std::to_string(r.Bottom) +
                            ") pen=[solid 1 0x808080] brush=[solid 0x808080]");
    EXPECT_EQ(a.BarPen().Color(), clBlack);
    // smooth: the shadow's own graded drawing (here without a buffer to blur);
    // the bar is the only rectangle
    a.Shadow().SetSmooth(true);
    EXPECT_EQ(Drawn({"Rectangle("}).size(), 1u);
    EXPECT_FALSE(Drawn({"SelectPen(solid 1 0xAAAAAA)"}).empty());
}

TEST_F(BarSeriesOnChart, CalcXYPosIsTheBarCentre)
{
    TBarSeries& a = AddBars({4, 8, 2});
    Draw();
    ASSERT_GT(a.BarWidth(), 2);
    for (int i = 0; i < 3; ++i) {
        int x = 0, y = 0;
        a.CalcXYPos(i, x, y);
        a.CalcBarBounds(i);
        EXPECT_EQ(x, a.BarBounds().Left + a.BarWidth() / 2) << i;
        EXPECT_EQ(y, a.CalcYPosValue(a.YValues().Value(i))) << i;
        // one series alone: the centre is the point's X position on the axis
        EXPECT_NEAR(x, a.CalcXPosValue(i), 1) << i;
    }
}

TEST_F(BarSeriesOnChart, SideAllBarsAreNotDrawnTogetherWithTheirZOrder)
{
    TBarSeries& a = AddBars({4, 8});
    TBarSeries& b = AddBars({3, 1});
    chart.SetView3D(true);
    a.SetZOrder(0);
    b.SetZOrder(0);
    Draw();
    EXPECT_TRUE(a.MoreSameZOrder());
    EXPECT_TRUE(b.MoreSameZOrder());
    a.SetMultiBar(mbSideAll);
    Draw();
    EXPECT_FALSE(a.MoreSameZOrder());
    EXPECT_FALSE(b.MoreSameZOrder());
    // each series draws its own bars
    EXPECT_EQ(b.CalcXPos(0), b.CalcXPosValue(2) - b.BarWidth() / 2);
}

TEST_F(BarSeriesOnChart, LegendSymbolTakesTheBrushImage)
{
    TBarSeries& a = AddBars({4});
    a.SetSeriesColor(clRed);
    TBitmap image(2, 2);
    image.Fill(clBlue);
    a.BarBrush().Image()->SetGraphic(&image);
    chart.OnAfterDraw = [&](TCustomAxisPanel&) {
        device.ClearLog();
        a.DrawLegend(-1, TRect{10, 10, 30, 20});
    };
    Draw();
    const std::vector<std::string> lines = device.Lines(true);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "Rectangle(10,10,30,20) pen=[solid 1 0x000000] brush=[pattern 2x2] font=[Arial -11 400]");
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "SetTextColor(0x0000FF) pen=[solid 1 0x000000] brush=[pattern 2x2] font=[Arial -11 400]"),
              lines.end());
}

TEST(BarSeriesOnAChart, LegendSymbolThroughTheLegendsSymbolTakesTheBrushImage)
{
    QObject owner;
    TChart chart;
    chart.SetBufferedDisplay(false);
    chart.SetView3D(false);
    auto* a = new TBarSeries(&owner);
    a->Add(4);
    chart.AddSeries(a);
    a->SetSeriesColor(clRed);
    TBitmap image(2, 2);
    image.Fill(clBlue);
    a->BarBrush().Image()->SetGraphic(&image);
    platform::RecordingDevice device{400, 300};
    chart.OnAfterDraw = [&](TCustomAxisPanel&) {
        device.ClearLog();
        a->DrawLegend(-1, TRect{10, 10, 30, 20});
    };
    ASSERT_TRUE(chart.Legend()->Symbol()->Pen()->Visible());  // drawn through the legend's symbol
    chart.Draw(&device, TRect{0, 0, 400, 300});
    const std::vector<std::string> lines = device.Lines(true);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back().rfind("Rectangle(10,10,30,20) ", 0), 0u);
    EXPECT_NE(lines.back().find("brush=[pattern 2x2]"), std::string::npos);
    chart.RemoveSeries(a);
}
