#include "chart/tools/text_shape.h"

#include <gtest/gtest.h>

#include "../chart_test_support.h"
#include "support/stored_defaults.h"

namespace {

class TTextShapeDraw : public ::testing::Test {
protected:
    TTextShapeDraw()
    {
        shape.SetParentChart(&rec.chart);
        shape.SetVisible(false);
        shape.Margins().SetUnits(maPixels);
        shape.Margins().SetLeft(0);
        shape.Margins().SetTop(0);
        shape.Margins().SetRight(0);
        shape.Margins().SetBottom(0);
        shape.Margins().Calculate(0, 0, 13);
    }
    std::vector<std::string> TextsOf(const TRect& R, int LineCount)
    {
        return ChartOnRecorder::Texts(rec.DrawWith(TRect{0, 0, 800, 600}, [&] { shape.DrawText(R, LineCount, 0); }));
    }

    ChartOnRecorder rec;
    TTextShape shape;
};

}  // namespace

TEST(TextShapeLines, LineFeedsGoAndAnEmptyTextIsOneBlank)
{
    EXPECT_EQ(TextShapeLines(""), " ");
    EXPECT_EQ(TextShapeLines("\n"), " ");
    EXPECT_EQ(TextShapeLines("A\r\nB"), "A\rB");
    EXPECT_EQ(TextLineCount("A\rB\rC"), 3);
    EXPECT_EQ(TextLineCount(""), 1);
}

TEST(TextShapeOriginX, CentredInTenToOneHundredNineStartsAtSixty)
{
    EXPECT_EQ(TextShapeOriginX(taCenter, TRect{10, 0, 109, 20}, 0, 0, 0), 60);
    EXPECT_EQ(TextShapeOriginX(taLeftJustify, TRect{10, 0, 109, 20}, 4, 0, 1), 15);
    EXPECT_EQ(TextShapeOriginX(taRightJustify, TRect{10, 0, 109, 20}, 0, 5, 1), 104);
}

TEST_F(TTextShapeDraw, EmptyTextDrawsOneBlankLine)
{
    EXPECT_EQ(TextsOf(TRect{10, 20, 109, 60}, 1), (std::vector<std::string>{"TextOut(11,20, )"}));
}

TEST_F(TTextShapeDraw, CarriageReturnLineFeedGivesTwoLines)
{
    shape.SetText("A\r\nB");
    // the frame is visible: one pixel more on the left
    EXPECT_EQ(TextsOf(TRect{10, 20, 109, 60}, 2),
              (std::vector<std::string>{"TextOut(11,20,A)", "TextOut(11,33,B)"}));
}

TEST_F(TTextShapeDraw, CentredTextWithMarginsStartsBetweenThem)
{
    shape.SetText("AB");
    shape.SetTextAlignment(taCenter);
    shape.Margins().SetLeft(4);
    shape.Margins().SetRight(2);
    shape.Margins().Calculate(0, 0, 13);
    // (4 + 10 + 109 - 2) div 2 + 1
    EXPECT_EQ(TextsOf(TRect{10, 20, 109, 60}, 1), (std::vector<std::string>{"TextOut(61,20,AB)"}));
}

TEST_F(TTextShapeDraw, ClipTextClipsToTheBox)
{
    shape.SetText("A");
    const auto lines = rec.DrawWith(TRect{0, 0, 800, 600}, [&] { shape.DrawText(TRect{10, 20, 109, 60}, 1, 0); });
    EXPECT_NE(rec.device.Count("ExtSelectClipRgn") + rec.device.Count("SelectClipRgn"), 0);
    shape.SetClipText(false);
    rec.DrawWith(TRect{0, 0, 800, 600}, [&] { shape.DrawText(TRect{10, 20, 109, 60}, 1, 0); });
    EXPECT_EQ(rec.device.Count("ExtSelectClipRgn"), 0);
}

TEST(TTextShape, AssignCopiesTheTextSettings)
{
    TTextShape a, b;
    a.SetText("x");
    a.SetAutoSize(false);
    a.SetCursor(crHandPoint);
    a.SetTextAlignment(taRightJustify);
    a.Margins().SetLeft(7);
    b.Assign(a);
    EXPECT_EQ(b.Text(), "x");
    EXPECT_FALSE(b.AutoSize());
    EXPECT_EQ(b.Cursor(), crHandPoint);
    EXPECT_EQ(b.TextAlignment(), taRightJustify);
    EXPECT_EQ(b.Margins().Left(), 7);
}

TEST(TTextShape, AutoSizeCursorAndCustomPositionBuiltOtherwiseKeepTheirDefaults)
{
    TTextShape shape;
    shape.InitAutoSize(false);
    shape.InitCursor(crHandPoint);
    shape.InitCustomPosition(true);
    EXPECT_FALSE(shape.AutoSize());
    EXPECT_EQ(shape.Cursor(), crHandPoint);
    EXPECT_TRUE(shape.CustomPosition());
    // a box at its own position writes where it stands
    ExpectFreshAtStoredDefaults(shape.PropertyTable(), static_cast<TPlotCustomShapeBrushPen&>(shape), {"Left", "Top"});
    shape.SetAutoSize(true);
    shape.SetCursor(crDefault);
    shape.SetCustomPosition(false);
    EXPECT_EQ(WrittenBeyondShadows(shape.PropertyTable(), static_cast<const TPlotCustomShapeBrushPen&>(shape)),
              (std::vector<std::string>{"CustomPosition", "AutoSize", "Cursor"}));
    shape.PropertyTable().LoadStoredDefaults(shape);
    EXPECT_FALSE(shape.AutoSize());
    EXPECT_EQ(shape.Cursor(), crHandPoint);
    EXPECT_TRUE(shape.CustomPosition());
}
