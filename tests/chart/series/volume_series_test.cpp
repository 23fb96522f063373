#include "chart/series/volume_series.h"

#include <gtest/gtest.h>

#include <QImage>

#include "chart/chart.h"
#include "chart/chart_legend.h"
#include "chart/legend_items.h"
#include "chart/legend_symbol.h"
#include "support/shown_chart.h"

namespace {

TEST(VolumeSeries, Defaults)
{
    TVolumeSeries s;
    EXPECT_FALSE(s.DrawArea());
    EXPECT_FALSE(s.Pointer().Visible());
    EXPECT_FALSE(s.UseYOrigin());
    EXPECT_EQ(s.YOrigin(), 0);
    EXPECT_EQ(&s.VolumeValues(), &s.YValues());
    EXPECT_EQ(s.EditorClassName(), "TVolumeSeriesEditor");
}

TEST(VolumeSeries, SeriesColourColoursTheLinePen)
{
    TVolumeSeries s;
    s.SetSeriesColor(0x00FF00);
    EXPECT_EQ(s.LinePen().Color(), 0x00FF00u);
}

TEST(VolumeSeries, TheDefaultColourLeavesTheLinePenAsTheSeriesShows)
{
    TChart chart;
    auto* s = new TVolumeSeries(&chart);
    chart.AddSeries(s);
    const TColor palette = s->SeriesColor();
    ASSERT_NE(palette, clDefault);
    // no colour of its own: the pen takes the palette's, never "no colour"
    s->SetSeriesColor(clDefault);
    EXPECT_EQ(s->SeriesColor(), palette);
    EXPECT_EQ(s->LinePen().Color(), palette);
    s->SetSeriesColor(clRed);
    EXPECT_EQ(s->LinePen().Color(), clRed);
}

TEST(VolumeSeries, MarginsGrowByThePenWidth)
{
    TVolumeSeries s;
    int l0 = 0, r0 = 0;
    s.GetHorizMargins(l0, r0);
    s.LinePen().SetWidth(3);
    int l = 0, r = 0;
    s.GetHorizMargins(l, r);
    EXPECT_EQ(l - l0, 2);
    EXPECT_EQ(r - r0, 2);
}

TEST(VolumeSeries, SubGallery)
{
    TVolumeSeries s;
    std::vector<std::string> captions;
    s.CreateSubGallery(captions);
    EXPECT_EQ(captions, (std::vector<std::string>{"Normal", "Dotted", "Colors", "Origin"}));
    s.SetSubGallery(3);
    EXPECT_TRUE(s.UseYOrigin());
    s.SetSubGallery(2);
    EXPECT_TRUE(s.ColorEachPoint());
}

}  // namespace

TEST(VolumeSeries, GalleryPreview)
{
    TVolumeSeries s;
    s.PrepareForGallery(true);
    EXPECT_EQ(s.Count(), 26);
    EXPECT_TRUE(s.Pointer().InflateMargins());
}

namespace {

class VolumeOnChart : public ShownChartTest {
protected:
    VolumeOnChart() : ShownChartTest({400, 300}, {0, 0, 400, 300})
    {
        chart->Legend()->SetVisible(true);
        chart->Legend()->Symbol()->SetWidthUnits(lcsPixels);
        chart->Legend()->Symbol()->SetWidth(24);
        Show();
    }
};

}  // namespace

TEST_F(VolumeOnChart, ItsLegendLineTakesThePalettesColourAsItsLinesDo)
{
    auto* s = new TVolumeSeries(&form);
    for (int i = 0; i < 5; ++i)
        s->AddXY(i, i + 1);
    chart->AddSeries(s);
    const TColor colour = s->SeriesColor();
    ASSERT_NE(colour, clBlack);
    const QImage image = Shot();
    // the volume lines are in the series colour
    EXPECT_GT(CountOf(image, TRect{s->CalcXPos(2), s->CalcYPos(2), s->CalcXPos(2), s->CalcYPos(2) + 3}, Rgb(colour)),
              0);
    const TLegendItem* item = chart->Legend()->Items().Existing(0);
    ASSERT_NE(item, nullptr);
    EXPECT_GT(CountOf(image, item->SymbolRect, Rgb(colour)), 3);
    EXPECT_EQ(CountOf(image, item->SymbolRect, Rgb(clBlack)), 0);
}
