#include "chart/color_palettes.h"

#include <gtest/gtest.h>

#include "chart/axis_panel.h"
#include "chart/chart_messages.h"
#include "chart/chart_series.h"
#include "chart/plot_procs.h"

namespace {

class TPaletteChart : public TCustomAxisPanel {
public:
    void SetColorPaletteIndex(int Value) override { PaletteIndex = Value; }
    int PaletteIndex = -100;
};

}  // namespace

TEST(ColorPaletteTables, EachTableHasItsCountOfColours)
{
    const std::size_t counts[] = {22, 11, 14, 8, 12, 9, 14, 25, 13, 16, 15, 15, 12, 8, 8};
    for (int i = 1; i <= ColorPaletteCount; ++i)
        EXPECT_EQ(ColorPaletteTable(i).size(), counts[i - 1]) << "palette " << i;
    EXPECT_TRUE(ColorPaletteTable(0).empty());
    EXPECT_TRUE(ColorPaletteTable(16).empty());
    EXPECT_TRUE(ColorPaletteTable(-3).empty());
}

TEST(ColorPaletteTables, FirstAndLastColoursOfSomeTables)
{
    EXPECT_EQ(ColorPaletteTable(1).front(), 0xFF9999u);
    EXPECT_EQ(ColorPaletteTable(1).back(), 0xCC99FFu);
    EXPECT_EQ(ColorPaletteTable(8).front(), 0x000099u);  // dark red: red byte 0x99
    EXPECT_EQ(ColorPaletteTable(8).back(), 0xFF00CCu);
    EXPECT_EQ(ColorPaletteTable(12)[7], 0x808080u);
    EXPECT_EQ(ColorPaletteTable(15).back(), 0x637B1Du);
}

TEST(ColorPaletteNames, SixteenNamesFromTheMessageTexts)
{
    StartColorPalettes();
    const auto& names = ColorPalettes();
    ASSERT_EQ(names.size(), 16u);
    EXPECT_EQ(names[0], "Default");
    EXPECT_EQ(names[8], "Rainbow");
    EXPECT_EQ(names[9], "Win. XP");
    EXPECT_EQ(names[15], "Cool");
    StopColorPalettes();
    EXPECT_TRUE(ColorPalettes().empty());
}

TEST(ApplyPalette, RainbowGivesTwentyFiveColoursAndTheTwentySixthSeriesWraps)
{
    TPaletteChart chart;
    ApplyPalette(chart, 8);
    ASSERT_EQ(chart.ColorPalette().size(), 25u);
    EXPECT_EQ(chart.GetDefaultColor(0), 0x000099u);
    EXPECT_EQ(chart.GetDefaultColor(25), 0x000099u);
    EXPECT_EQ(chart.GetDefaultColor(26), chart.GetDefaultColor(1));
    EXPECT_EQ(chart.PaletteIndex, 8);
}

TEST(ApplyPalette, IndexZeroOrPastTheTablesEmptiesItAndKeepsTheNumber)
{
    TPaletteChart chart;
    ApplyPalette(chart, 3);
    ApplyPalette(chart, 16);
    EXPECT_TRUE(chart.ColorPalette().empty());
    EXPECT_EQ(chart.PaletteIndex, 16);
    EXPECT_EQ(chart.GetDefaultColor(0), ColorPaletteColor(0));
    ApplyPalette(chart, 4);
    ApplyPalette(chart, 0);
    EXPECT_TRUE(chart.ColorPalette().empty());
    EXPECT_EQ(chart.PaletteIndex, 0);
    ApplyPalette(chart, -1);
    EXPECT_TRUE(chart.ColorPalette().empty());
}

TEST(ApplyPalette, SeriesWithAnExplicitColourKeepItOthersTakeAFreeOne)
{
    TPaletteChart chart;
    TChartSeries own, free;
    chart.AddSeries(&own);
    chart.AddSeries(&free);
    own.SetSeriesColor(0x123456);
    ApplyPalette(chart, 4);  // Solid: FF0000 first
    EXPECT_EQ(own.SeriesColor(), 0x123456u);
    EXPECT_EQ(free.SeriesColor(), 0xFF0000u);
    chart.RemoveSeries(&own);
    chart.RemoveSeries(&free);
}
