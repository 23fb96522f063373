// One whole chart drawn for review: a histogram of 400 bars with a density line.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>

#include "chart/axis_title.h"
#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "platform/qt_drawing_device.h"
#include "support/histogram_chart.h"

namespace {

class RenderedHistogram : public ::testing::Test, public THistogramChart {};

}  // namespace

TEST_F(RenderedHistogram, AxesBarsTitleAndLegendFallInPlace)
{
    platform::QtDrawingDevice device(800, 600);
    chart.Draw(&device, TRect{0, 0, 800, 600});
    const QImage image = device.Image().copy();
    // beside the test program, in the build folder
    const QString path = QCoreApplication::applicationDirPath() + "/rendered_histogram.png";
    ASSERT_TRUE(image.save(path, "PNG"));

    const TRect r = chart.ChartRect;
    // the legend stands right of the chart rectangle, the title above it
    const TRect legend = chart.Legend()->ShapeBounds;
    EXPECT_GT(legend.Left, r.Right);
    EXPECT_LT(legend.Right, 800);
    EXPECT_EQ(chart.Legend()->TotalItems(), 2);
    // the vertical legend's top at 10 % of the chart's height
    EXPECT_EQ(legend.Top, chart.ChartBounds.Top + 60);
    const TRect symbol = chart.Legend()->Items().Existing(1)->SymbolRect;
    EXPECT_GT(symbol.Left, legend.Left);
    EXPECT_LT(symbol.Bottom, legend.Bottom);
    // nothing dark between the bars' symbol and its text: the symbol's shadow is light
    const TLegendItem& first = *chart.Legend()->Items().Existing(0);
    ASSERT_GT(first.Left, first.SymbolRect.Right);
    for (int y = first.SymbolRect.Top; y < first.SymbolRect.Bottom; ++y)
        for (int x = first.SymbolRect.Right; x < first.Left; ++x)
            EXPECT_GE(qGray(image.pixel(x, y)), 0xB0) << x << "," << y;
    // the title is centred over what the legend left of the chart rectangle
    const TRect title = chart.Title()->ShapeBounds;
    EXPECT_LT(title.Bottom, r.Top);
    EXPECT_NEAR((title.Left + title.Right) / 2, (r.Left + r.Right) / 2, 30);
    EXPECT_LT(title.Right, legend.Left);

    // bottom axis -4 .. 4 over the axis length (the histogram keeps its
    // outline's width free on the right): first bar at -3.99, last at 3.99
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), -4);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Maximum(), 4);
    const int start = chart.BottomAxis()->StartPos();
    const int length = chart.BottomAxis()->EndPos() - start;
    const int used = length - bars->Pen().Width();
    const int firstX = bars->CalcXPos(0);
    const int lastX = bars->CalcXPos(399);
    EXPECT_NEAR(firstX, start + 0.01 / 8 * used, 1);
    EXPECT_NEAR(lastX, start + 7.99 / 8 * used, 1);
    // the tallest bar reaches the top of the chart rectangle (the axis maximum is its height)
    EXPECT_NEAR(bars->CalcYPos(200), r.Top, 1);

    // pixels: the bars stand edge to edge in the series colour, each one
    // starting on its left neighbour's last column; the outline climbs from
    // one bar's top to the next in black
    const QRgb black = qRgb(0, 0, 0) & 0xFFFFFF;
    const QRgb fill = qRgb(255, 0, 0) & 0xFFFFFF;
    EXPECT_EQ(bars->CalcYPos(0), r.Bottom);
    const int middleX = bars->CalcXPos(200);
    EXPECT_EQ(image.pixel(middleX, r.Bottom - 5) & 0xFFFFFF, fill);
    EXPECT_EQ(image.pixel(middleX, (r.Top + r.Bottom) / 2) & 0xFFFFFF, fill);
    for (int x = bars->CalcXPos(100); x <= bars->CalcXPos(300); ++x)
        EXPECT_EQ(image.pixel(x, r.Bottom - 1) & 0xFFFFFF, fill) << x;
    // (the density line runs through the bar tops: the outline shows without it)
    line->SetActive(false);
    platform::QtDrawingDevice barsOnly(800, 600);
    chart.Draw(&barsOnly, TRect{0, 0, 800, 600});
    const int stepX = bars->CalcBarRect(150).Left;
    EXPECT_EQ(stepX, bars->CalcXPos(149));
    const int stepY = (bars->CalcYPos(150) + bars->CalcYPos(149)) / 2;
    EXPECT_EQ(barsOnly.Image().pixel(stepX, stepY) & 0xFFFFFF, black);
    line->SetActive(true);
    // the red line passes over the middle of the chart near the top
    const int midX = line->CalcXPos(250);
    const int midY = line->CalcYPos(250);
    bool red = false;
    for (int dy = -2; dy <= 2; ++dy)
        red = red || (qRed(image.pixel(midX, midY + dy)) > 200 && qGreen(image.pixel(midX, midY + dy)) < 60);
    EXPECT_TRUE(red);
}
