// Tools under real mouse input on a shown chart: the nearest-point mark's
// colour, a cursor that follows the mouse before its first paint, a plain
// click on a line after drawing one, and the colour band's click in 3D.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "chart/chart_walls.h"
#include "chart/series/line_series.h"
#include "chart/tools/color_band_tool.h"
#include "chart/tools/cursor_tool.h"
#include "chart/tools/draw_line_tool.h"
#include "chart/tools/nearest_tool.h"
#include "support/shown_chart.h"

namespace {

class ToolMouse : public ShownChartTest {
protected:
    ToolMouse() : ShownChartTest({500, 400}, {0, 0, 500, 400})
    {
        chart->Legend()->SetVisible(false);
        Show();
    }
    ~ToolMouse() override
    {
        // the tools go before the chart they are in
        for (QObject* t : tools)
            delete t;
    }
    template <typename T>
    T* AddTool()
    {
        auto* t = new T(&form);
        t->SetParentChart(chart);
        tools.push_back(t);
        return t;
    }
    TLineSeries* AddDiagonal()
    {
        auto* s = new TLineSeries(&form);
        for (int i = 0; i <= 10; ++i)
            s->AddXY(i, i * 10);
        chart->AddSeries(s);
        return s;
    }

    std::vector<QObject*> tools;
};

}  // namespace

TEST_F(ToolMouse, TheNearestPointMarkShowsItsPenColourOverTheChart)
{
    const TColor back = 0x604020;  // RGB 20 40 60
    chart->SetColor(back);
    chart->Walls().Back().SetTransparent(true);
    chart->LeftAxis()->Grid()->SetVisible(false);
    chart->BottomAxis()->Grid()->SetVisible(false);
    TLineSeries* s = AddDiagonal();
    auto* tool = AddTool<TNearestTool>();
    tool->SetSeries(s);
    tool->SetFullRepaint(false);
    tool->SetDrawLine(false);
    tool->SetStyle(hsRectangle);
    tool->SetSize(12);
    tool->Pen().SetStyle(psSolid);
    tool->Pen().SetColor(clRed);
    chart->repaint();
    const QPoint p{s->CalcXPos(5), s->CalcYPos(5)};
    const int left = p.x() - 12;
    const QImage clean = Grab();
    // the rectangle's left edge lies on the chart's colour
    int onBack = 0;
    for (int y = p.y() - 10; y <= p.y() + 10; ++y)
        onBack += (clean.pixel(left, y) & 0xFFFFFF) == (Rgb(back) & 0xFFFFFF);
    ASSERT_GT(onBack, 15);

    QTest::mouseMove(Window(), InHost(p + QPoint(2, 2)));
    ASSERT_EQ(tool->NearestIndex(), 5);
    const QImage marked = Grab();
    int red = 0;
    for (int y = p.y() - 10; y <= p.y() + 10; ++y)
        if ((clean.pixel(left, y) & 0xFFFFFF) == (Rgb(back) & 0xFFFFFF))
            red += (marked.pixel(left, y) & 0xFFFFFF) == (Rgb(clRed) & 0xFFFFFF);
    EXPECT_EQ(red, onBack);
}

TEST_F(ToolMouse, ACursorFollowingTheMouseBeforeItsFirstPaintGoesToTheMouse)
{
    chart->LeftAxis()->SetMinMax(0, 100);
    chart->BottomAxis()->SetMinMax(0, 10);
    AddDiagonal();
    chart->repaint();
    // no paint comes between the tool's arrival and the mouse
    chart->setUpdatesEnabled(false);
    auto* tool = AddTool<TCursorTool>();
    tool->SetFollowMouse(true);
    std::vector<std::pair<int, int>> changes;
    tool->OnChange = [&](TCursorTool&, int X, int Y, double, double, TChartSeries*, int) { changes.emplace_back(X, Y); };
    ASSERT_EQ(tool->X(), -1);
    const QPoint p{chart->BottomAxis()->CalcPosValue(3), chart->LeftAxis()->CalcPosValue(70)};
    QTest::mouseMove(Window(), InHost(p));
    EXPECT_EQ(tool->X(), p.x());
    EXPECT_EQ(tool->Y(), p.y());
    EXPECT_NEAR(tool->XValue(), 3, 0.05);
    EXPECT_NEAR(tool->YValue(), 70, 0.5);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], std::make_pair(p.x(), p.y()));
    chart->setUpdatesEnabled(true);
    // the paint keeps it there and reports nothing new
    chart->repaint();
    EXPECT_EQ(tool->X(), p.x());
    EXPECT_EQ(changes.size(), 1u);
}

TEST_F(ToolMouse, APlainClickOnALineAfterDrawingOneKeepsItsValues)
{
    chart->LeftAxis()->SetMinMax(0, 100);
    chart->BottomAxis()->SetMinMax(0, 10);
    AddDiagonal();
    auto* tool = AddTool<TDrawLineTool>();
    TDrawLine& kept = tool->Lines().Add();
    kept.SetX0(1.2345);
    kept.SetY0(80.123);
    kept.SetX1(4.5678);
    kept.SetY1(80.123);
    chart->repaint();
    // a new line, drawn by dragging on empty space
    const QPoint a{chart->BottomAxis()->CalcPosValue(6), chart->LeftAxis()->CalcPosValue(20)};
    const QPoint b{chart->BottomAxis()->CalcPosValue(9), chart->LeftAxis()->CalcPosValue(30)};
    QTest::mousePress(Window(), Qt::LeftButton, {}, InHost(a));
    QTest::mouseMove(Window(), InHost(a + QPoint(10, -5)));
    QTest::mouseMove(Window(), InHost(b));
    QTest::mouseRelease(Window(), Qt::LeftButton, {}, InHost(b));
    ASSERT_EQ(tool->Lines().Count(), 2);
    chart->repaint();
    // a plain click on the other line selects it and leaves its ends alone
    const QPoint mid{chart->BottomAxis()->CalcPosValue(3), chart->LeftAxis()->CalcPosValue(80.123)};
    QTest::mouseClick(Window(), Qt::LeftButton, {}, InHost(mid));
    EXPECT_EQ(tool->Selected(), &tool->Lines()[0]);
    EXPECT_EQ(tool->Lines()[0].X0(), 1.2345);
    EXPECT_EQ(tool->Lines()[0].Y0(), 80.123);
    EXPECT_EQ(tool->Lines()[0].X1(), 4.5678);
    EXPECT_EQ(tool->Lines()[0].Y1(), 80.123);
}

TEST_F(ToolMouse, TheColourBandInThreeDHearsClicksWhereItShows)
{
    chart->SetView3D(true);
    chart->Walls().Back().SetTransparent(true);
    chart->LeftAxis()->SetMinMax(0, 100);
    chart->BottomAxis()->SetMinMax(0, 10);
    chart->LeftAxis()->Grid()->SetVisible(false);
    chart->BottomAxis()->Grid()->SetVisible(false);
    AddDiagonal();
    auto* band = AddTool<TColorBandTool>();
    band->SetAxis(chart->LeftAxis());
    band->SetStartValue(40);
    band->SetEndValue(60);
    band->SetColor(0x00FF00);  // green
    band->Pen().SetVisible(false);
    band->Gradient().SetVisible(false);
    int clicks = 0;
    band->OnClick = [&](TColorBandTool&, TMouseButton, TShiftState, int, int) { ++clicks; };
    chart->repaint();
    const QImage image = Grab();
    const TRect flat = band->BoundsRect();
    ASSERT_GT(flat.Right, flat.Left);
    // where the band shows and its flat rectangle does not reach, and the reverse
    const auto green = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < image.width() && y < image.height()
               && (image.pixel(x, y) & 0xFFFFFF) == (Rgb(0x00FF00) & 0xFFFFFF);
    };
    // how many of the 7 by 7 pixels around are green
    const auto greenAround = [&](int x, int y) {
        int n = 0;
        for (int dy = -3; dy <= 3; ++dy)
            for (int dx = -3; dx <= 3; ++dx)
                n += green(x + dx, y + dy);
        return n;
    };
    QPoint shown{-1, -1}, unshown{-1, -1};
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const bool inFlat = x >= flat.Left - 3 && x <= flat.Right + 3 && y >= flat.Top - 3 && y <= flat.Bottom + 3;
            if (!inFlat && shown.x() < 0 && greenAround(x, y) == 49)
                shown = {x, y};
            const bool deepInFlat = x >= flat.Left + 3 && x <= flat.Right - 3 && y >= flat.Top + 3 && y <= flat.Bottom - 3;
            if (deepInFlat && unshown.x() < 0 && greenAround(x, y) == 0)
                unshown = {x, y};
        }
    ASSERT_GE(shown.x(), 0) << "the band shows where its flat rectangle is";
    ASSERT_GE(unshown.x(), 0);
    QTest::mouseClick(Window(), Qt::LeftButton, {}, InHost(shown));
    EXPECT_EQ(clicks, 1);
    QTest::mouseClick(Window(), Qt::LeftButton, {}, InHost(unshown));
    EXPECT_EQ(clicks, 1);
}
