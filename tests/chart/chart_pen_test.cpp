#include "chart/chart_pen.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/appearance_properties.h"
#include "support/written_names.h"

namespace {

TEST(TChartPenDefaults, CreatedVisibleRoundSolidBlack)
{
    int changes = 0;
    TChartPen pen([&] { ++changes; });
    EXPECT_TRUE(pen.Visible());
    EXPECT_EQ(pen.EndStyle(), esRound);
    EXPECT_FALSE(pen.SmallDots());
    EXPECT_EQ(pen.SmallSpace(), 0);
    EXPECT_EQ(pen.Color(), clBlack);
    EXPECT_EQ(pen.Style(), psSolid);
    EXPECT_EQ(pen.Width(), 1);
    EXPECT_EQ(pen.Mode(), pmCopy);
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(pen.IsVisibleStored());
    EXPECT_FALSE(pen.IsEndStyleStored());
    EXPECT_FALSE(pen.IsSmallDotsStored());
    EXPECT_FALSE(pen.IsSmallSpaceStored());
}

TEST(TChartPenSetters, NotifyOnceAndNotForEqualValues)
{
    int changes = 0;
    TChartPen pen([&] { ++changes; });
    pen.SetVisible(true);
    pen.SetEndStyle(esRound);
    pen.SetSmallDots(false);
    pen.SetSmallSpace(0);
    EXPECT_EQ(changes, 0);
    pen.SetEndStyle(esFlat);
    EXPECT_EQ(changes, 1);
    pen.SetSmallDots(true);
    EXPECT_EQ(changes, 2);
    pen.SetSmallSpace(2);
    EXPECT_EQ(changes, 3);
    pen.Hide();
    EXPECT_EQ(changes, 4);
    pen.Hide();
    EXPECT_EQ(changes, 4);
    pen.Show();
    EXPECT_EQ(changes, 5);
    pen.SetColor(clRed);
    pen.SetColor(clRed);
    EXPECT_EQ(changes, 6);
}

TEST(TChartPenStored, EndStyleAgainstTheOwnersDefault)
{
    TChartPen pen;
    pen.SetEndStyle(esRound);
    EXPECT_FALSE(pen.IsEndStyleStored());
    pen.InitEndStyle(esFlat);
    EXPECT_EQ(pen.EndStyle(), esFlat);
    EXPECT_FALSE(pen.IsEndStyleStored());
    pen.SetEndStyle(esRound);
    EXPECT_TRUE(pen.IsEndStyleStored());
}

TEST(TChartPenAssign, CopiesChartValuesNotDefaults)
{
    TChartPen source;
    source.SetVisible(false);
    source.SetSmallDots(true);
    source.SetSmallSpace(3);
    source.SetEndStyle(esSquare);
    source.SetColor(clBlue);
    source.SetWidth(4);
    source.SetStyle(psDash);
    source.SetMode(pmXor);
    source.InitVisible(false);
    TChartPen target;
    target.Assign(source);
    EXPECT_FALSE(target.Visible());
    EXPECT_TRUE(target.SmallDots());
    EXPECT_EQ(target.SmallSpace(), 3);
    EXPECT_EQ(target.EndStyle(), esSquare);
    EXPECT_EQ(target.Color(), clBlue);
    EXPECT_EQ(target.Width(), 4);
    EXPECT_EQ(target.Style(), psDash);
    EXPECT_EQ(target.Mode(), pmXor);
    EXPECT_TRUE(target.DefaultVisible());
    EXPECT_TRUE(target.IsVisibleStored());
}

TEST(TChartPenAssign, NotifiesWhenOnlyChartValuesDiffer)
{
    int changes = 0;
    TChartPen target([&] { ++changes; });
    TChartPen same;
    target.Assign(same);
    EXPECT_EQ(changes, 0);
    TChartPen hidden;
    hidden.Hide();  // same colour, mode, style and width
    target.Assign(hidden);
    EXPECT_FALSE(target.Visible());
    EXPECT_EQ(changes, 1);
    TChartPen other;
    other.SetEndStyle(esSquare);
    other.SetColor(clRed);
    target.Assign(other);
    EXPECT_EQ(changes, 2);  // one notification for both kinds of change
}

TEST(TChartPenFamily, ClassDefaultsAndStoredRules)
{
    TChartHiddenPen hidden;
    EXPECT_FALSE(hidden.Visible());
    EXPECT_FALSE(hidden.IsVisibleStored());
    hidden.Show();
    EXPECT_TRUE(hidden.IsVisibleStored());

    TDottedGrayPen dotted;
    EXPECT_EQ(dotted.Color(), 0x808080u);
    EXPECT_EQ(dotted.Style(), psDot);
    EXPECT_TRUE(dotted.Visible());
    EXPECT_FALSE(dotted.IsColorStored());
    EXPECT_FALSE(dotted.IsStyleStored());
    dotted.SetStyle(psSolid);
    EXPECT_TRUE(dotted.IsStyleStored());

    TDarkGrayPen dark;
    EXPECT_EQ(dark.Color(), 0x808080u);
    EXPECT_EQ(dark.Style(), psSolid);
    EXPECT_FALSE(dark.IsColorStored());

    TWhitePen white;
    EXPECT_EQ(white.Color(), 0xFFFFFFu);
    EXPECT_TRUE(white.Visible());
    EXPECT_TRUE(white.IsVisibleStored());
    EXPECT_FALSE(white.IsColorStored());
}

TEST(TChartPenFamily, ConstructionDoesNotNotify)
{
    int changes = 0;
    TChartHiddenPen hidden([&] { ++changes; });
    TDottedGrayPen dotted([&] { ++changes; });
    TWhitePen white([&] { ++changes; });
    EXPECT_EQ(changes, 0);
    hidden.Show();
    EXPECT_EQ(changes, 1);
}

TEST(TChartBrushDefaults, DefaultColourAndTransparentBack)
{
    int changes = 0;
    TChartBrush brush([&] { ++changes; });
    EXPECT_EQ(brush.Color(), 0x20000000u);
    EXPECT_EQ(brush.BackColor(), 0x1FFFFFFFu);
    EXPECT_EQ(brush.Style(), bsSolid);
    EXPECT_FALSE(brush.HasImage());
    const auto written = [&] {
        return WrittenPropertyNames([&](TPropertyWriter& w) { ChartBrushProperties().Write(brush, w); });
    };
    EXPECT_EQ(written(), std::vector<std::string>{});
    EXPECT_FALSE(brush.IsImageStored());
    brush.SetBackColor(clNone);
    EXPECT_EQ(changes, 0);
    brush.SetBackColor(clRed);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(written(), std::vector<std::string>{"BackColor"});
}

TEST(TChartBrushImage, CreatedOnReadStoredWithGraphicAndFreedByNil)
{
    int changes = 0;
    TChartBrush brush([&] { ++changes; });
    TPicture* image = brush.Image();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(brush.IsImageStored());
    TBitmap bitmap(4, 3);
    image->SetGraphic(&bitmap);
    EXPECT_EQ(changes, 1);  // the picture reports through the brush
    EXPECT_TRUE(brush.IsImageStored());
    brush.SetImage(nullptr);
    EXPECT_FALSE(brush.HasImage());
    EXPECT_EQ(changes, 2);
}

TEST(TChartBrushAssign, SourceWithoutPictureFreesTargetPicture)
{
    TChartBrush source;
    source.SetBackColor(clGreen);
    source.SetColor(clRed);
    source.SetStyle(bsCross);
    TChartBrush target;
    TBitmap bitmap(2, 2);
    target.Image()->SetGraphic(&bitmap);
    target.Assign(source);
    EXPECT_FALSE(target.HasImage());
    EXPECT_EQ(target.BackColor(), clGreen);
    EXPECT_EQ(target.Color(), clRed);
    EXPECT_EQ(target.Style(), bsCross);

    source.Image()->SetGraphic(&bitmap);
    target.Assign(source);
    ASSERT_TRUE(target.HasImage());
    EXPECT_EQ(target.Image()->Graphic()->Width(), 2);
    EXPECT_NE(target.Image()->Graphic(), source.Image()->Graphic());  // a copy
}

}  // namespace
