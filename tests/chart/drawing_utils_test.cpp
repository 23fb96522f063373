#include "chart/drawing_utils.h"

#include <gtest/gtest.h>

#include "platform/qt_drawing_device.h"
#include "platform/system_colors.h"
#include "support/recording_canvas.h"

namespace {

class TCheckBoxDrawing : public CanvasOnRecorderTest {};

TColor Sys(platform::SystemColorIndex index)
{
    return platform::SystemColorRGB(static_cast<int>(index));
}

std::string SolidPen(TColor colour)
{
    return platform::RecordingDevice::PenText(platform::PenDesc::Solid(colour, 1));
}

TEST_F(TCheckBoxDrawing, CheckBoxUsesTheFrameControl)
{
    DrawCheckBox(10, 20, canvas, true, true);
    DrawCheckBox(40, 20, canvas, false, true);
    EXPECT_EQ(device.DrawingLines(),
              (Lines{"DrawCheckBox(10,20,23,33,checked,3d)", "DrawCheckBox(40,20,53,33,unchecked,3d)"}));
}

TEST_F(TCheckBoxDrawing, RadioButtonIsASunkenRingWithTheWindowInside)
{
    DrawCheckBox(10, 20, canvas, false, false);
    // 13 x 13 at (10, 20): outer ring, inner ring, window-coloured inside
    EXPECT_EQ(device.DrawingLines(), (Lines{"Arc(10,20,23,33,23,20,10,33)", "Arc(10,20,23,33,10,33,23,20)",
                                            "Arc(11,21,22,32,22,21,11,32)", "Arc(11,21,22,32,11,32,22,21)",
                                            "Ellipse(12,22,21,31)"}));
    const auto arcs = device.CallsNamed("Arc");
    ASSERT_EQ(arcs.size(), 4u);
    using platform::SystemColorIndex;
    EXPECT_EQ(arcs[0].pen, SolidPen(Sys(SystemColorIndex::BtnShadow)));
    EXPECT_EQ(arcs[1].pen, SolidPen(Sys(SystemColorIndex::BtnHighlight)));
    EXPECT_EQ(arcs[2].pen, SolidPen(Sys(SystemColorIndex::DkShadow3D)));
    EXPECT_EQ(arcs[3].pen, SolidPen(Sys(SystemColorIndex::Light3D)));
    const auto inside = device.CallsNamed("Ellipse");
    ASSERT_EQ(inside.size(), 1u);
    EXPECT_EQ(inside[0].pen, SolidPen(Sys(SystemColorIndex::Window)));
}

TEST_F(TCheckBoxDrawing, CheckedRadioButtonHasADot)
{
    DrawCheckBox(0, 0, canvas, true, false);
    const auto ellipses = device.CallsNamed("Ellipse");
    ASSERT_EQ(ellipses.size(), 2u);
    EXPECT_EQ(ellipses[1].args, (std::vector<std::string>{"4", "4", "9", "9"}));
    EXPECT_EQ(ellipses[1].pen, SolidPen(Sys(platform::SystemColorIndex::WindowText)));
}

TEST(TCheckBoxPixels, RadioButtonOnScreen)
{
    platform::QtDrawingDevice screen(20, 20);
    TPlotCanvas3D canvas;
    canvas.SetBufferedDisplay(false);
    canvas.InitWindow(&screen, nullptr, clWhite, false, TRect{0, 0, 20, 20});
    canvas.Brush()->SetColor(clRed);
    canvas.FillRect(TRect{0, 0, 20, 20});
    DrawCheckBox(2, 2, canvas, true, false);
    using platform::SystemColorIndex;
    EXPECT_EQ(screen.GetPixel(8, 8), Sys(SystemColorIndex::WindowText));  // the dot's middle
    EXPECT_EQ(screen.GetPixel(5, 8), Sys(SystemColorIndex::Window));      // inside the ring
    EXPECT_EQ(screen.GetPixel(8, 2), Sys(SystemColorIndex::BtnShadow));   // top of the outer ring
    EXPECT_EQ(screen.GetPixel(2, 2), clRed);                             // the box's corner is left alone
}

TEST_F(TCheckBoxDrawing, RadioButtonLeavesPenAndBrushAsTheyWere)
{
    canvas.Pen()->SetColor(clRed);
    canvas.Pen()->SetWidth(3);
    canvas.Brush()->SetColor(clBlue);
    canvas.Brush()->SetStyle(bsCross);
    DrawCheckBox(0, 0, canvas, true, false);
    EXPECT_EQ(canvas.Pen()->Color(), clRed);
    EXPECT_EQ(canvas.Pen()->Width(), 3);
    EXPECT_EQ(canvas.Brush()->Color(), clBlue);
    EXPECT_EQ(canvas.Brush()->Style(), bsCross);
}

}  // namespace
