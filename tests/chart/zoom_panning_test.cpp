#include "chart/zoom_panning.h"

#include <gtest/gtest.h>

TEST(TPlotZoomTest, DefaultsAndAssignKeepsMinimumPixels)
{
    TPlotZoom zoom;
    EXPECT_TRUE(zoom.Allow);
    EXPECT_EQ(zoom.AnimatedSteps, 8);
    EXPECT_EQ(zoom.Direction, tzdBoth);
    EXPECT_EQ(zoom.MinimumPixels, 16);
    EXPECT_EQ(zoom.Brush()->Color(), clWhite);
    EXPECT_EQ(zoom.Brush()->Style(), bsClear);
    EXPECT_EQ(zoom.Pen()->Color(), clWhite);
    EXPECT_FALSE(zoom.Pen()->IsColorStored());

    TPlotZoom source;
    source.MinimumPixels = 40;
    source.UpLeftZooms = true;
    source.Allow = false;
    source.MouseButton = mbRight;
    zoom.MinimumPixels = 20;
    zoom.Assign(source);
    EXPECT_EQ(zoom.MinimumPixels, 20);
    EXPECT_FALSE(zoom.UpLeftZooms);
    EXPECT_FALSE(zoom.Allow);
    EXPECT_EQ(zoom.MouseButton, mbRight);
    EXPECT_EQ(zoom.BrushIfAny(), nullptr);  // the source had none
}

TEST(TZoomPanningTest, ActivateAndCheck)
{
    TZoomPanning p;
    p.Activate(50, 60);
    EXPECT_TRUE(p.Active);
    EXPECT_EQ(p.X1, 50);
    EXPECT_EQ(p.Y1, 60);
    p.X1 = 10;
    p.Y1 = 90;
    p.Check();
    EXPECT_EQ(p.X0, 10);
    EXPECT_EQ(p.X1, 50);
    EXPECT_EQ(p.Y0, 60);
    EXPECT_EQ(p.Y1, 90);
}

