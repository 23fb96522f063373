#include "chart/plot_canvas.h"

#include <gtest/gtest.h>

#include <vector>

TEST(ConvexHull, DropsInnerAndEdgePointsAndRunsClockwiseOnScreen)
{
    // a 10 x 10 square with its centre, an edge midpoint and a repeated corner
    std::vector<TPoint> p{{5, 5}, {10, 10}, {0, 0}, {10, 0}, {5, 0}, {0, 10}, {10, 10}};
    ConvexHull(p);
    EXPECT_EQ(p, (std::vector<TPoint>{{0, 0}, {10, 0}, {10, 10}, {0, 10}}));
}

TEST(ConvexHull, TheEightCornersOfAProjectedBoxGiveAHexagon)
{
    // front (10,20)-(30,40), back shifted by (10,-10)
    std::vector<TPoint> p{{10, 20}, {30, 20}, {30, 40}, {10, 40}, {20, 10}, {40, 10}, {40, 30}, {20, 30}};
    ConvexHull(p);
    EXPECT_EQ(p, (std::vector<TPoint>{{10, 20}, {20, 10}, {40, 10}, {40, 30}, {30, 40}, {10, 40}}));
}

TEST(ConvexHull, FewerThanThreeDistinctPointsStayAsTheyAre)
{
    std::vector<TPoint> p{{3, 4}, {1, 2}, {3, 4}};
    ConvexHull(p);
    EXPECT_EQ(p, (std::vector<TPoint>{{1, 2}, {3, 4}}));
    std::vector<TPoint> none;
    ConvexHull(none);
    EXPECT_TRUE(none.empty());
}
