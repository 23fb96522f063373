#include "chart/plot_font.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/appearance_properties.h"
#include "chart/plot_gradient.h"
#include "chart/plot_shadow.h"
#include "support/written_names.h"

TEST(TPlotFontStoring, NewFontStoresNothingUntilChanged)
{
    TPlotFont font;
    EXPECT_EQ(font.Name(), "Arial");
    EXPECT_EQ(font.Size(), 8);
    EXPECT_EQ(font.Color(), clBlack);
    EXPECT_EQ(font.Style(), 0);
    const auto written = [&] {
        return WrittenPropertyNames([&](TPropertyWriter& w) { PlotFontProperties().Write(font, w); });
    };
    EXPECT_EQ(written(), std::vector<std::string>{});
    font.SetSize(10);
    font.SetName("Courier New");
    font.SetColor(clRed);
    font.SetStyle(fsBold);
    EXPECT_EQ(written(), (std::vector<std::string>{"Color", "Height", "Name", "Style"}));
}

TEST(TPlotFontEffects, ShadowIsCreatedOnFirstRead)
{
    TPlotFont font;
    EXPECT_EQ(font.ShadowIfAny(), nullptr);
    TPlotShadow* s = font.Shadow();
    EXPECT_TRUE(s->Visible());
    EXPECT_EQ(s->Color(), clSilver);
    EXPECT_EQ(s->HorizSize(), 0);
    EXPECT_EQ(s->VertSize(), 0);
}

TEST(TPlotFontEffects, AssignCopiesEffectsAndFreesAbsentOnes)
{
    TPlotFont a;
    a.Gradient()->SetVisible(true);
    a.Gradient()->SetOutline(true);
    a.Gradient()->SetRadialX(5);
    a.SetInterCharSize(2);
    a.Shadow()->SetSize(3);
    TPlotFont b;
    b.OutLine()->Show();
    b.Assign(a);
    ASSERT_NE(b.GradientIfAny(), nullptr);
    EXPECT_TRUE(b.GradientIfAny()->Outline());
    EXPECT_EQ(b.GradientIfAny()->RadialX(), 5);
    EXPECT_EQ(b.InterCharSize(), 2);
    EXPECT_EQ(b.ShadowIfAny()->HorizSize(), 3);
    EXPECT_EQ(b.OutLineIfAny(), nullptr);
    int changes = 0;
    b.OnChange = [&] { ++changes; };
    b.SetInterCharSize(2);
    EXPECT_EQ(changes, 0);
    b.SetInterCharSize(4);
    EXPECT_EQ(changes, 1);
}
