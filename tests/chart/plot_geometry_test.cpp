#include "chart/plot_geometry.h"

#include "platform/drawing_device.h"

#include <gtest/gtest.h>

TEST(ToDeviceRectEdges, KeepsTheFourEdgesAsTheyAre)
{
    const platform::Rect r = ToDeviceRect(TRect{-3, 4, 17, 9});
    EXPECT_EQ(r.left, -3);
    EXPECT_EQ(r.top, 4);
    EXPECT_EQ(r.right, 17);
    EXPECT_EQ(r.bottom, 9);
    EXPECT_EQ(r.Width(), 20);
    EXPECT_EQ(r.Height(), 5);
}
