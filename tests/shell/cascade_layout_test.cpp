#include "shell/cascade_layout.h"

#include <gtest/gtest.h>

TEST(CascadeRects, EveryWindowGetsTheSameSizeInsideTheArea)
{
    const QRect area(0, 0, 1000, 700);
    const std::vector<QRect> rects = CascadeRects(area, 3, 25);
    ASSERT_EQ(rects.size(), 3u);
    // two steps of offset: 1000 - 50 by 700 - 50
    EXPECT_EQ(rects[0], QRect(0, 0, 950, 650));
    EXPECT_EQ(rects[1], QRect(25, 25, 950, 650));
    EXPECT_EQ(rects[2], QRect(50, 50, 950, 650));
    for (const QRect& r : rects)
        EXPECT_TRUE(area.contains(r)) << r.x() << "," << r.y();
}

TEST(CascadeRects, ManyWindowsStartNewRunsAndStayLarge)
{
    const QRect area(10, 20, 900, 600);
    // a third of 600 is 200: 8 steps of 25, 9 windows per run
    const std::vector<QRect> rects = CascadeRects(area, 20, 25);
    ASSERT_EQ(rects.size(), 20u);
    for (const QRect& r : rects) {
        EXPECT_EQ(r.size(), QSize(700, 400));
        EXPECT_TRUE(area.contains(r));
    }
    EXPECT_EQ(rects[8].topLeft(), QPoint(210, 220));
    EXPECT_EQ(rects[9].topLeft(), QPoint(10, 20));
    EXPECT_EQ(rects[19].topLeft(), QPoint(35, 45));
}

TEST(CascadeRects, OneWindowFillsTheAreaAndNoneGivesNothing)
{
    EXPECT_EQ(CascadeRects(QRect(0, 0, 300, 200), 1, 25), std::vector<QRect>{QRect(0, 0, 300, 200)});
    EXPECT_TRUE(CascadeRects(QRect(0, 0, 300, 200), 0, 25).empty());
    EXPECT_TRUE(CascadeRects(QRect(), 2, 25).empty());
}
