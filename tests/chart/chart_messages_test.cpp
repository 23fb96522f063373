#include "chart/chart_messages.h"

#include <gtest/gtest.h>

#include <set>

#include "chart/plot_font.h"

namespace {

TEST(ChartMessages, TablesHoldTheirCountsOfTexts)
{
    EXPECT_EQ(PlotConstMessages().size(), 328u);
    EXPECT_EQ(PlotProCoMessages().size(), 328u);
    std::set<std::string*> seen;
    for (const TMessageText& m : PlotConstMessages()) {
        EXPECT_FALSE(m.Variable->empty());
        seen.insert(m.Variable);
    }
    for (const TMessageText& m : PlotProCoMessages()) {
        EXPECT_FALSE(m.Variable->empty());
        seen.insert(m.Variable);
    }
    EXPECT_EQ(seen.size(), 656u);  // each text its own variable
}

TEST(ChartMessages, TextsAsWritten)
{
    EXPECT_EQ(PlotMsgAxisLogBase, "Axis Logarithmic Base should be <> 1 and > 0");
    EXPECT_EQ(PlotMsgAxisLogNotPositive, "Logarithmic Axis Min and Max values should be >= 0");
    EXPECT_EQ(PlotMsgAxisLabelSep, "Labels Separation % must be greater than 0");
    EXPECT_EQ(PlotMsgSeriesDelete, "Series Delete: ValueIndex %d out of bounds (0 to %d).");
    EXPECT_EQ(PlotMsg3DPercent, "3D effect percent must be between %d and %d");
    EXPECT_EQ(PlotMsgConfirmDelete, "Delete %s ?");
    EXPECT_EQ(PlotMsgDefValueFormat, "#,##0.###");
    EXPECT_EQ(PlotMsgDefPercentFormat, "##0.## %");
    EXPECT_EQ(PlotMsgOfsMultiLine, "%s\rof %s");
    EXPECT_EQ(PlotMsgDefaultFontName, "Arial");
    EXPECT_EQ(PlotMsgDefaultFontSize, "8");
    EXPECT_EQ(PlotMsgFilterSoften, "Antialias");
    EXPECT_EQ(PlotMsgFilterHueLumSat, "Hue,Lum,Sat");
    EXPECT_EQ(PlotMsgPaletteWinVista, "Win. Vista");
    EXPECT_EQ(PlotMsgStyleDownTri, "Down Tri.");
    EXPECT_EQ(ProMsgStyleTransparency, "Transparency");
    EXPECT_EQ(ProMsgGalleryRSI, "R.S.I.");
    EXPECT_EQ(ProMsgGalleryBollinger, "Bollinger\rbands");
    EXPECT_EQ(ProMsgToolMarkTipsDesc,
              "Displays \"tips\" or \"hints\" when the end-user moves or clicks the mouse over a series point.");
    EXPECT_EQ(ProMsgToolFullScreenDesc, "Show Chart maximized to full screen");
    EXPECT_EQ(ProMsgToolAxisScrollDesc, "Allows the scrolling of Axes by mouse dragging");
}

TEST(ChartMessages, MomentumDivisionIsOneName)
{
    EXPECT_EQ(ProMsgGalleryMomentumDivision, std::string("Momentum") + '\r' + "Division");
}

TEST(ChartMessages, PalettesInRegistrationOrder)
{
    const std::string* names[] = {&PlotMsgPaletteDefault, &PlotMsgPaletteExcel, &PlotMsgPaletteVictorian,
        &PlotMsgPalettePastels, &PlotMsgPaletteSolid, &PlotMsgPaletteClassic, &PlotMsgPaletteWeb,
        &PlotMsgPaletteModern, &PlotMsgPaletteRainbow, &PlotMsgPaletteWinXP, &PlotMsgPaletteMacOS,
        &PlotMsgPaletteWinVista, &PlotMsgPaletteGrayScale, &PlotMsgPaletteOpera, &PlotMsgPaletteWarm,
        &PlotMsgPaletteCool};
    const char* expected[] = {"Default", "Excel", "Victorian", "Pastels", "Solid", "Classic", "Web", "Modern",
        "Rainbow", "Win. XP", "Mac OS", "Win. Vista", "Gray scale", "Opera", "Warm", "Cool"};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(*names[i], expected[i]);
}

TEST(ChartMessages, ClearEmptiesAndSetRefills)
{
    ClearPlotConstTexts();
    ClearPlotProCoTexts();
    EXPECT_TRUE(PlotChartFileExtension.empty());
    for (const TMessageText& m : PlotConstMessages())
        EXPECT_TRUE(m.Variable->empty());
    for (const TMessageText& m : PlotProCoMessages())
        EXPECT_TRUE(m.Variable->empty());
    SetPlotConstTexts();
    SetPlotProCoTexts();
    EXPECT_EQ(PlotMsgValuesX, "X");
    EXPECT_EQ(ProMsgToolCursor, "Cursor");
    // the file-filter texts carry the extension
    int withExtension = 0;
    for (const TMessageText& m : PlotConstMessages())
        withExtension += m.Variable->find("*." + PlotChartFileExtension) != std::string::npos;
    EXPECT_EQ(withExtension, 3);
}

TEST(ChartMessages, ReplacedTextIsReadAtUse)
{
    const std::string saved = PlotMsgDefaultFontName;
    PlotMsgDefaultFontName = "Liberation Sans";
    InitDefaultFont();
    TPlotFont font;
    EXPECT_EQ(font.Name(), "Liberation Sans");
    PlotMsgDefaultFontName = saved;
    InitDefaultFont();
    TPlotFont font2;
    EXPECT_EQ(font2.Name(), "Arial");
    EXPECT_EQ(font2.Size(), 8);
}

}  // namespace
