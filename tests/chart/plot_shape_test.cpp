#include "chart/plot_shape.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "chart/axis_items.h"
#include "chart/axis_title.h"
#include "chart/chart_title.h"
#include "chart/legend_title.h"
#include "chart/shape_position.h"
#include "platform/qt_drawing_device.h"
#include "support/stored_defaults.h"
#include "support/written_names.h"
#include "testing/recording_device.h"

namespace {

class TDrawPanel : public TCustomPlotPanel {
public:
    using TCustomPlotPanel::TCustomPlotPanel;
    std::function<void()> OnDraw;

protected:
    void InternalDraw(const TRect&) override
    {
        if (OnDraw)
            OnDraw();
    }
};

// A shape on a panel drawn once: a repaint marks the buffer invalid.
class TShapeOnDrawnPanel : public ::testing::Test {
protected:
    TShapeOnDrawnPanel() { DrawPanel(); }
    void DrawPanel() { panel.Draw(panel.WindowCanvas(), panel.GetRectangle()); }
    TDrawPanel panel;
    TPlotCanvas3D* canvas = dynamic_cast<TPlotCanvas3D*>(panel.Canvas());
    TPlotShape shape{&panel};
};

// A shape on a panel that draws unbuffered onto a recording device.
class TShapeDraw : public ::testing::Test {
protected:
    TShapeDraw() { panel.SetBufferedDisplay(false); }
    // The drawing calls of one DrawInRect.
    std::vector<std::string> Draw(const TRect& r, double angle = 0, int z = 0)
    {
        panel.OnDraw = [&] {
            device.ClearLog();
            shape.DrawInRect(r, angle, z);
        };
        panel.Draw(&device, TRect{0, 0, 200, 150});
        return device.DrawingLines();
    }
    static bool Has(const std::vector<std::string>& lines, const std::string& start)
    {
        for (const auto& l : lines)
            if (l.rfind(start, 0) == 0)
                return true;
        return false;
    }
    TDrawPanel panel;
    TPlotShape shape{&panel};
    platform::RecordingDevice device{200, 150};
};

}  // namespace

TEST(RotateRectangleTest, QuarterTurnAboutTheCentre)
{
    TPoint p[4];
    RotateRectangle(TRect{0, 0, 100, 50}, 90, p);
    // centre (50, 25); (x, y) -> (y, -x) about it
    EXPECT_EQ(p[0], (TPoint{25, 75}));
    EXPECT_EQ(p[1], (TPoint{25, -25}));
    EXPECT_EQ(p[2], (TPoint{75, -25}));
    EXPECT_EQ(p[3], (TPoint{75, 75}));
    RotateRectangle(TRect{10, 20, 30, 40}, 0, p);
    EXPECT_EQ(p[0], (TPoint{10, 20}));
    EXPECT_EQ(p[2], (TPoint{30, 40}));
}

TEST(TPlotCustomShapeTest, DefaultsAndSizes)
{
    TPlotShape shape;
    EXPECT_EQ(shape.Bevel(), bvNone);
    EXPECT_EQ(shape.BevelWidth(), 2);
    EXPECT_EQ(shape.Color(), clWhite);
    EXPECT_EQ(shape.RoundSize(), 16);
    EXPECT_EQ(shape.ShapeStyle(), fosRectangle);
    EXPECT_TRUE(shape.Visible());
    EXPECT_FALSE(shape.Transparent());
    EXPECT_EQ(shape.Shadow()->Color(), clBlack);
    EXPECT_EQ(shape.Shadow()->HorizSize(), 3);
    EXPECT_EQ(shape.Shadow()->VertSize(), 3);
    EXPECT_FALSE(shape.Shadow()->IsColorStored());
    EXPECT_FALSE(shape.Shadow()->IsHorizSizeStored());
    shape.ShapeBounds.Left = 5;
    shape.SetWidth(10);
    EXPECT_EQ(shape.ShapeBounds.Right, 14);
    EXPECT_EQ(shape.Width(), 10);
    shape.ShapeBounds.Top = 2;
    shape.SetHeight(3);
    EXPECT_EQ(shape.ShapeBounds.Bottom, 4);
    EXPECT_EQ(shape.Height(), 3);
}

TEST_F(TShapeOnDrawnPanel, SettersRepaintTheParentOnlyOnChange)
{
    shape.SetBevel(bvNone);
    shape.SetColor(clWhite);
    shape.SetVisible(true);
    EXPECT_FALSE(canvas->BufferInvalid);
    shape.SetBevel(bvRaised);
    EXPECT_TRUE(canvas->BufferInvalid);
    DrawPanel();
    shape.SetColor(clRed);
    EXPECT_TRUE(canvas->BufferInvalid);
    DrawPanel();
    shape.Frame()->SetWidth(3);
    EXPECT_TRUE(canvas->BufferInvalid);
    shape.Hide();
    EXPECT_FALSE(shape.Visible());
}

TEST(TPlotCustomShapeTest, AssignCopiesAllButTheBounds)
{
    TPlotShape source, target;
    source.SetBevel(bvLowered);
    source.SetColor(clRed);
    source.SetShapeStyle(fosEllipse);
    source.SetTransparency(40);
    source.Font()->SetColor(clBlue);
    source.Gradient()->SetVisible(true);
    source.Brush()->SetStyle(bsCross);
    source.Frame()->SetColor(clGreen);
    source.ShapeBounds = TRect{1, 2, 3, 4};
    source.SetShadow(nullptr);
    target.Assign(source);
    EXPECT_EQ(target.Bevel(), bvLowered);
    EXPECT_EQ(target.Color(), clRed);
    EXPECT_EQ(target.ShapeStyle(), fosEllipse);
    EXPECT_EQ(target.Transparency(), 40);
    EXPECT_EQ(target.Font()->Color(), clBlue);
    ASSERT_NE(target.GradientIfAny(), nullptr);
    EXPECT_TRUE(target.GradientIfAny()->Visible());
    EXPECT_EQ(target.Brush()->Style(), bsCross);
    EXPECT_EQ(target.Frame()->Color(), clGreen);
    EXPECT_EQ(target.ShapeBounds, TRect{});
    EXPECT_EQ(target.ShadowIfAny(), nullptr);
}

TEST(TPlotCustomShapeStreaming, DefaultShapeWritesNothing)
{
    TPlotShape shape;
    EXPECT_TRUE(WithoutShadowsStoredAlways(
                    WrittenPropertyNames([&](TPropertyWriter& w) { shape.PropertyTable().Write(shape, w); }))
                    .empty());
}

TEST(TPlotCustomShapeStreaming, EveryShapeClassIsBuiltAtItsStoredDefaults)
{
    const auto fresh = [](TPlotCustomShapeBrushPen& shape) {
        ExpectFreshAtStoredDefaults(shape.PropertyTable(), shape);
    };
    TPlotShape shape;
    fresh(shape);
    TPlotCustomShapePosition positioned;
    fresh(positioned);
    TAxisItem item;
    EXPECT_TRUE(item.Transparent());
    fresh(item);
    TChartAxisTitle axisTitle;
    EXPECT_TRUE(axisTitle.Transparent());
    fresh(axisTitle);
    TChartTitle title;
    EXPECT_TRUE(title.Transparent());
    fresh(title);
    TChartFootTitle foot;
    fresh(foot);
    TLegendTitle legendTitle;
    EXPECT_TRUE(legendTitle.Transparent());
    fresh(legendTitle);
}

TEST_F(TShapeOnDrawnPanel, AnOwnersShapeBuiltOtherwiseKeepsEachValueWithItsDefault)
{
    shape.InitColor(clYellow);
    shape.InitTransparency(140);
    shape.InitTransparent(true);
    shape.InitVisible(false);
    EXPECT_FALSE(canvas->BufferInvalid);
    EXPECT_EQ(shape.Color(), clYellow);
    EXPECT_EQ(shape.Transparency(), 100);
    EXPECT_TRUE(shape.Transparent());
    EXPECT_FALSE(shape.Visible());
    ExpectFreshAtStoredDefaults(shape.PropertyTable(), static_cast<TPlotCustomShapeBrushPen&>(shape));
    shape.SetColor(clWhite);
    shape.SetTransparency(0);
    shape.SetTransparent(false);
    shape.SetVisible(true);
    EXPECT_EQ(WrittenBeyondShadows(shape.PropertyTable(), static_cast<const TPlotCustomShapeBrushPen&>(shape)),
              (std::vector<std::string>{"Visible", "Color", "Transparency", "Transparent"}));
    shape.PropertyTable().LoadStoredDefaults(shape);
    EXPECT_EQ(shape.Color(), clYellow);
    EXPECT_EQ(shape.Transparency(), 100);
    EXPECT_TRUE(shape.Transparent());
    EXPECT_FALSE(shape.Visible());
}

TEST(TPlotCustomShapeStreaming, RoundTrip)
{
    TPlotShape source;
    source.SetBevel(bvRaised);
    source.SetRoundSize(8);
    source.SetShapeStyle(fosRoundRectangle);
    source.SetTextFormat(ttfHtml);
    source.SetTransparent(true);
    source.SetTransparency(25);
    source.Shadow()->SetHorizSize(6);
    source.Frame()->SetVisible(false);
    source.Brush()->SetColor(clYellow);
    source.Picture()->SetMode(pbmTile);
    TPropertyWriter w;
    w.WriteListBegin();
    source.PropertyTable().Write(source, w);
    w.WriteListEnd();

    TPlotShape target;
    TPropertyReader r(w.Data());
    r.ReadListBegin();
    target.PropertyTable().ReadList(target, r, "TPlotShape");
    EXPECT_EQ(target.Bevel(), bvRaised);
    EXPECT_EQ(target.RoundSize(), 8);
    EXPECT_EQ(target.ShapeStyle(), fosRoundRectangle);
    EXPECT_EQ(target.TextFormat(), ttfHtml);
    EXPECT_TRUE(target.Transparent());
    EXPECT_EQ(target.Transparency(), 25);
    EXPECT_EQ(target.Shadow()->HorizSize(), 6);
    EXPECT_EQ(target.Shadow()->VertSize(), 3);
    EXPECT_FALSE(target.Frame()->Visible());
    EXPECT_EQ(target.Brush()->Color(), clYellow);
    ASSERT_NE(target.PictureIfAny(), nullptr);
    EXPECT_EQ(target.PictureIfAny()->Mode(), pbmTile);
}

TEST(TPlotCustomShapeStreaming, TransparentAgainstItsInstanceDefault)
{
    TPlotShape shape;
    shape.InitTransparent(true);
    const auto names = [&] {
        return WithoutShadowsStoredAlways(
            WrittenPropertyNames([&](TPropertyWriter& w) { shape.PropertyTable().Write(shape, w); }));
    };
    EXPECT_TRUE(names().empty());
    shape.SetTransparent(false);
    EXPECT_EQ(names(), std::vector<std::string>{"Transparent"});
}

TEST(TPlotCustomShapeStreaming, ObsoleteShadowNames)
{
    TPlotShape shape;
    TPropertyValue size;
    size.Type = vaInt8;
    size.Int = 4;
    ASSERT_TRUE(shape.PropertyTable().Set(shape, "ShadowSize", size));
    EXPECT_EQ(shape.Shadow()->HorizSize(), 4);
    EXPECT_EQ(shape.Shadow()->VertSize(), 4);
    TPropertyValue colour;
    colour.Type = vaIdent;
    colour.Str = "clRed";
    ASSERT_TRUE(shape.PropertyTable().Set(shape, "ShadowColor", colour));
    EXPECT_EQ(shape.Shadow()->Color(), clRed);
    colour.Type = vaInt32;
    colour.Int = 0x123456;
    shape.PropertyTable().Set(shape, "ShadowColor", colour);
    EXPECT_EQ(shape.Shadow()->Color(), 0x123456u);
    TPropertyWriter w;
    shape.PropertyTable().Write(shape, w);
    const std::string text(w.Data().begin(), w.Data().end());
    EXPECT_EQ(text.find("ShadowSize"), std::string::npos);
    EXPECT_NE(text.find("Shadow.HorizSize"), std::string::npos);
}

// ---- drawing ----

TEST_F(TShapeDraw, TransparentDrawsNothing)
{
    shape.SetTransparent(true);
    shape.SetBevel(bvRaised);
    EXPECT_TRUE(Draw(TRect{10, 10, 60, 40}).empty());
}

TEST_F(TShapeDraw, RectangleWithShadowThenFill)
{
    shape.Shadow()->SetSmooth(false);
    const auto lines = Draw(TRect{10, 10, 60, 40});
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines.back(), "Rectangle(10,10,60,40)");
    // the shadow goes first, 3 pixels off
    EXPECT_TRUE(Has(lines, "Rectangle(13,40,")) << ::testing::PrintToString(lines);
    EXPECT_TRUE(Has(lines, "Rectangle(60,13,")) << ::testing::PrintToString(lines);
}

TEST_F(TShapeDraw, ClearBrushHasNoShadow)
{
    shape.Brush()->SetStyle(bsClear);
    const auto lines = Draw(TRect{10, 10, 60, 40});
    EXPECT_EQ(lines, std::vector<std::string>{"Rectangle(10,10,60,40)"});
}

TEST_F(TShapeDraw, StylesDrawTheirOutline)
{
    shape.SetShadow(nullptr);
    shape.SetShapeStyle(fosEllipse);
    EXPECT_EQ(Draw(TRect{10, 10, 60, 40}), std::vector<std::string>{"Ellipse(10,10,60,40)"});
    shape.SetShapeStyle(fosRoundRectangle);
    shape.SetRoundSize(12);
    EXPECT_EQ(Draw(TRect{10, 10, 60, 40}), std::vector<std::string>{"RoundRect(10,10,60,40,12,12)"});
}

TEST_F(TShapeDraw, RotatedShapeIsAPolygonWithoutBevel)
{
    shape.SetShadow(nullptr);
    shape.SetBevel(bvRaised);
    const auto lines = Draw(TRect{0, 0, 100, 50}, 90);
    EXPECT_EQ(lines, std::vector<std::string>{"Polygon(25,75 25,-25 75,-25 75,75)"});
}

TEST_F(TShapeDraw, UnrotatedBevelFollowsTheOutline)
{
    shape.SetShadow(nullptr);
    shape.SetBevel(bvRaised);
    const auto lines = Draw(TRect{10, 10, 60, 40});
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Rectangle(10,10,60,40)");
    EXPECT_TRUE(Has(lines, "Polyline"));
}

TEST_F(TShapeDraw, EllipseWithGradientFillsTheRectangleThenOutlinesClear)
{
    shape.SetShadow(nullptr);
    shape.SetShapeStyle(fosEllipse);
    shape.Gradient()->SetVisible(true);
    panel.OnDraw = [&] {
        device.ClearLog();
        shape.DrawInRect(TRect{10, 10, 60, 40});
    };
    panel.Draw(&device, TRect{0, 0, 200, 150});
    const auto calls = device.Calls();
    std::vector<platform::RecordedCall> drawing;
    for (const auto& c : calls)
        if (c.drawing)
            drawing.push_back(c);
    ASSERT_GE(drawing.size(), 2u);
    EXPECT_EQ(drawing.back().ToString(), "Ellipse(10,10,60,40)");
    EXPECT_NE(drawing.back().brush.find("null"), std::string::npos) << drawing.back().brush;
}

TEST_F(TShapeDraw, NoParentDrawsNothing)
{
    TPlotShape orphan;
    panel.OnDraw = [&] {
        device.ClearLog();
        orphan.DrawInRect(TRect{10, 10, 60, 40});
    };
    panel.Draw(&device, TRect{0, 0, 200, 150});
    EXPECT_TRUE(device.DrawingLines().empty());
}

TEST_F(TShapeDraw, TranslucentShapeFiltersWhatShowsThroughWithItsPictureFilters)
{
    shape.SetShadow(nullptr);
    shape.SetColor(clBlack);
    shape.SetTransparency(100);  // only the background shows
    const auto inside = [&] {
        // a white surface before each draw
        for (int y = 0; y < device.Height(); ++y)
            std::fill_n(device.ScanLine(y), device.Width(), 0xFFFFFFFFu);
        Draw(TRect{10, 10, 60, 40});
        return device.GetPixel(30, 25);
    };
    EXPECT_EQ(inside(), clWhite);
    const TFilterClass* invert = FindFilterClass("TInvertFilter");
    ASSERT_NE(invert, nullptr);
    shape.Picture()->Filters()->Add(*invert);
    EXPECT_EQ(inside(), clBlack);  // the white background, inverted
    EXPECT_EQ(device.GetPixel(100, 100), clWhite);  // outside the shape nothing changes
    // with a graphic the filters belong to the picture drawn, not to the background
    TBitmap picture(4, 4);
    picture.Fill(clWhite);
    shape.Picture()->SetGraphic(&picture);
    EXPECT_EQ(inside(), clWhite);
}
