#include "chart/appearance_properties.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "chart/zoom_panning.h"
#include "support/stored_defaults.h"
#include "support/written_names.h"

namespace {

template <typename R, typename T>
void RoundTrip(const TPropertyTable<R>& table, const T& source, T& target)
{
    TPropertyWriter w;
    w.WriteListBegin();
    table.Write(source, w);
    w.WriteListEnd();
    TPropertyReader r(w.Data());
    r.ReadListBegin();
    table.ReadList(target, r, "T");
}

template <typename R, typename T>
std::string Written(const TPropertyTable<R>& table, const T& object)
{
    TPropertyWriter w;
    table.Write(object, w);
    return std::string(w.Data().begin(), w.Data().end());
}

}  // namespace

TEST(ChartPenPropertiesTest, StoredRulesAndRoundTrip)
{
    TChartHiddenPen hidden;
    EXPECT_TRUE(Written(ChartPenProperties(), hidden).empty());
    TChartPen pen;
    pen.SetColor(clRed);
    pen.SetStyle(psDot);
    pen.SetWidth(3);
    pen.SetSmallDots(true);
    pen.SetEndStyle(esFlat);
    pen.SetVisible(false);
    TChartPen target;
    RoundTrip(ChartPenProperties(), pen, target);
    EXPECT_EQ(target.Color(), clRed);
    EXPECT_EQ(target.Style(), psDot);
    EXPECT_EQ(target.Width(), 3);
    EXPECT_TRUE(target.SmallDots());
    EXPECT_EQ(target.EndStyle(), esFlat);
    EXPECT_FALSE(target.Visible());
}

TEST(ChartBrushPropertiesTest, RoundTrip)
{
    TChartBrush brush;
    EXPECT_TRUE(Written(ChartBrushProperties(), brush).empty());
    brush.SetColor(clBlue);
    brush.SetStyle(bsDiagCross);
    brush.SetBackColor(clYellow);
    TChartBrush target;
    RoundTrip(ChartBrushProperties(), brush, target);
    EXPECT_EQ(target.Color(), clBlue);
    EXPECT_EQ(target.Style(), bsDiagCross);
    EXPECT_EQ(target.BackColor(), clYellow);
}

TEST(PlotShadowPropertiesTest, SizesAgainstTheInstanceDefault)
{
    TPlotShadow shadow;
    shadow.InitColor(clBlack);
    shadow.InitSize(3);
    shadow.SetColor(clBlack);
    shadow.SetSize(3);
    // clipping, smoothing and transparency are written whatever their values
    EXPECT_EQ(WrittenPropertyNames([&](TPropertyWriter& w) { PlotShadowProperties().Write(shadow, w); }),
              (std::vector<std::string>{"Clip", "Smooth", "SmoothBlur", "Transparency"}));
    shadow.SetHorizSize(5);
    shadow.SetTransparency(30);
    TPlotShadow target;
    RoundTrip(PlotShadowProperties(), shadow, target);
    EXPECT_EQ(target.HorizSize(), 5);
    EXPECT_EQ(target.VertSize(), 0);  // 3 is the source's default: not written
    EXPECT_EQ(target.Transparency(), 30);
}

TEST(PlotGradientPropertiesTest, RoundTripWithSubGradient)
{
    TPlotGradient gradient;
    EXPECT_TRUE(Written(PlotGradientProperties(), gradient).empty());
    gradient.SetVisible(true);
    gradient.SetDirection(gdRadial);
    gradient.SetMidColor(clGreen);
    gradient.SetBalance(30);
    gradient.SubGradient()->SetTransparency(70);
    gradient.SubGradient()->SetStartColor(clRed);
    TPlotGradient target;
    RoundTrip(PlotGradientProperties(), static_cast<const TCustomPlotGradient&>(gradient),
              static_cast<TCustomPlotGradient&>(target));
    EXPECT_TRUE(target.Visible());
    EXPECT_EQ(target.Direction(), gdRadial);
    EXPECT_EQ(target.MidColor(), clGreen);
    EXPECT_EQ(target.Balance(), 30);
    ASSERT_NE(target.SubGradientIfAny(), nullptr);
    EXPECT_EQ(target.SubGradientIfAny()->Transparency(), 70);
    EXPECT_EQ(target.SubGradientIfAny()->StartColor(), clRed);
}

TEST(PlotFontPropertiesTest, RoundTripWithShadow)
{
    TPlotFont font;
    EXPECT_TRUE(Written(PlotFontProperties(), font).empty());
    font.SetColor(clRed);
    font.SetStyle(fsBold | fsItalic);
    font.SetInterCharSize(2);
    font.Shadow()->SetHorizSize(2);
    TPlotFont target;
    RoundTrip(PlotFontProperties(), font, target);
    EXPECT_EQ(target.Color(), clRed);
    EXPECT_EQ(target.Style(), fsBold | fsItalic);
    EXPECT_EQ(target.InterCharSize(), 2);
    ASSERT_NE(target.ShadowIfAny(), nullptr);
    EXPECT_EQ(target.ShadowIfAny()->HorizSize(), 2);
}

TEST(View3DOptionsPropertiesTest, RoundTrip)
{
    TView3DOptions options;
    EXPECT_TRUE(Written(View3DOptionsProperties(), options).empty());
    options.SetElevationDouble(315.5);
    options.SetOrthogonal(false);
    options.SetPerspective(40);
    options.SetZoom(150);
    TView3DOptions target;
    RoundTrip(View3DOptionsProperties(), options, target);
    // an integer, the nearest, halves to even
    EXPECT_DOUBLE_EQ(target.ElevationDouble(), 316);
    EXPECT_FALSE(target.Orthogonal());
    EXPECT_EQ(target.Perspective(), 40);
    EXPECT_EQ(target.Zoom(), 150);
}

namespace {

// As built, the object holds the stored default of each property: it writes
// nothing (but Stored), and giving it its stored defaults changes nothing.
template <typename R>
void ExpectBuiltAtItsStoredDefaults(const TPropertyTable<R>& Table, R& Object, std::vector<std::string> Stored = {})
{
    EXPECT_EQ(WrittenPropertyNames([&](TPropertyWriter& w) { Table.Write(Object, w); }), Stored);
    const auto built = DescribedValues(Table, Object);
    Table.LoadStoredDefaults(Object);
    EXPECT_EQ(DescribedValues(Table, Object), built);
}

}  // namespace

TEST(ChartPenPropertiesTest, EveryPenOfTheFamilyIsBuiltAtItsStoredDefaults)
{
    TChartPen pen;
    ExpectBuiltAtItsStoredDefaults(ChartPenProperties(), pen);
    TChartHiddenPen hidden;
    ExpectBuiltAtItsStoredDefaults(ChartPenProperties(), static_cast<TChartPen&>(hidden));
    TDottedGrayPen dotted;
    ExpectBuiltAtItsStoredDefaults(ChartPenProperties(), static_cast<TChartPen&>(dotted));
    TDarkGrayPen dark;
    ExpectBuiltAtItsStoredDefaults(ChartPenProperties(), static_cast<TChartPen&>(dark));
    TWhitePen white;
    ExpectBuiltAtItsStoredDefaults(ChartPenProperties(), static_cast<TChartPen&>(white), {"Visible"});
    // an owner's pen built otherwise: each value with its default
    TChartPen owned;
    owned.InitColor(clRed);
    owned.InitEndStyle(esFlat);
    owned.InitMode(pmXor);
    owned.InitStyle(psDash);
    owned.InitVisible(false);
    owned.InitWidth(3);
    EXPECT_EQ(owned.Color(), clRed);
    EXPECT_EQ(owned.EndStyle(), esFlat);
    EXPECT_EQ(owned.Mode(), pmXor);
    EXPECT_EQ(owned.Style(), psDash);
    EXPECT_FALSE(owned.Visible());
    EXPECT_EQ(owned.Width(), 3);
    ExpectBuiltAtItsStoredDefaults(ChartPenProperties(), owned);
}

TEST(ChartBrushPropertiesTest, EveryBrushOfTheFamilyIsBuiltAtItsStoredDefaults)
{
    TChartBrush brush;
    EXPECT_EQ(brush.Color(), clDefault);
    EXPECT_EQ(brush.BackColor(), clNone);
    EXPECT_EQ(brush.Style(), bsSolid);
    ExpectBuiltAtItsStoredDefaults(ChartBrushProperties(), brush);
    TPlotZoomBrush zoom;
    EXPECT_EQ(zoom.Color(), clWhite);
    EXPECT_EQ(zoom.Style(), bsClear);
    ExpectBuiltAtItsStoredDefaults(ChartBrushProperties(), static_cast<TChartBrush&>(zoom));
    // an owner's brush built otherwise: each value with its default
    TChartBrush owned;
    owned.InitBackColor(clDefault);
    owned.InitColor(clBlack);
    owned.InitStyle(bsClear);
    EXPECT_EQ(owned.BackColor(), clDefault);
    EXPECT_EQ(owned.Color(), clBlack);
    EXPECT_EQ(owned.Style(), bsClear);
    ExpectBuiltAtItsStoredDefaults(ChartBrushProperties(), owned);
    // and a value off the default is written
    owned.SetColor(clRed);
    EXPECT_EQ(WrittenPropertyNames([&](TPropertyWriter& w) { ChartBrushProperties().Write(owned, w); }),
              std::vector<std::string>{"Color"});
}

TEST(PlotShadowPropertiesTest, EveryShadowOfTheFamilyIsBuiltAtItsStoredDefaults)
{
    const std::vector<std::string> always{"Clip", "Smooth", "SmoothBlur", "Transparency"};
    TPlotShadow shadow;
    EXPECT_EQ(shadow.Color(), clSilver);
    EXPECT_EQ(shadow.GetSize(), 0);
    EXPECT_TRUE(shadow.Visible());
    ExpectBuiltAtItsStoredDefaults(PlotShadowProperties(), shadow, always);
    // an owner's shadow built otherwise: each value with its default, silently
    int changes = 0;
    TPlotShadow owned([&] { ++changes; });
    owned.InitColor(clGray);
    owned.InitSize(3);
    owned.InitVisible(false);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(owned.Color(), clGray);
    EXPECT_EQ(owned.HorizSize(), 3);
    EXPECT_EQ(owned.VertSize(), 3);
    EXPECT_FALSE(owned.Visible());
    ExpectBuiltAtItsStoredDefaults(PlotShadowProperties(), owned, always);
    owned.SetVisible(true);
    owned.SetHorizSize(0);
    EXPECT_EQ(WrittenPropertyNames([&](TPropertyWriter& w) { PlotShadowProperties().Write(owned, w); }),
              (std::vector<std::string>{"Clip", "HorizSize", "Smooth", "SmoothBlur", "Transparency", "Visible"}));
}
