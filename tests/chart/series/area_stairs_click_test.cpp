// The hit test of an area piece follows the shape drawn: a slope without
// stairs (InvertedStairs alone changes nothing), a step at the previous
// value with stairs, at the next value with inverted stairs; for vertical
// and horizontal series alike.
#include <gtest/gtest.h>

#include "chart/series/line_series.h"
#include "series_chart.h"

namespace {

struct AreaStairsClick : ::testing::Test {
    SeriesChart c;
    QObject owner;

    template <typename S>
    S* Add(bool Stairs, bool Inverted)
    {
        auto* s = new S(&owner);
        s->SetDrawArea(true);
        s->SetStairs(Stairs);
        s->SetInvertedStairs(Inverted);
        c.rec.chart.AddSeries(s);
        return s;
    }
};

}  // namespace

// Points at pixels (180, 290) and (340, 170), the origin along y = 350.
TEST_F(AreaStairsClick, VerticalSeries)
{
    for (const auto& [stairs, inverted, above, below, high] :
         {std::tuple{false, false, -1, 0, -1}, std::tuple{false, true, -1, 0, -1}, std::tuple{true, false, -1, 0, -1},
          std::tuple{true, true, 0, 0, 0}}) {
        SCOPED_TRACE(testing::Message() << "stairs " << stairs << " inverted " << inverted);
        TLineSeries* s = Add<TLineSeries>(stairs, inverted);
        s->AddXY(2, 20);
        s->AddXY(6, 60);
        c.DrawAllSeries({});
        ASSERT_EQ(s->CalcXPos(0), 180);
        ASSERT_EQ(s->CalcYPos(1), 170);
        // above the slope, near the start
        EXPECT_EQ(s->Clicked(200, 200), above);
        // under everything
        EXPECT_EQ(s->Clicked(300, 300), below);
        // above the first value, below the slope
        EXPECT_EQ(s->Clicked(330, 280), stairs ? high : 0);
        c.rec.chart.RemoveSeries(s);
        delete s;
    }
}

// Values along X: points at pixels (180, 290) and (340, 170), the origin
// along x = 100.
TEST_F(AreaStairsClick, HorizontalSeries)
{
    c.Range(0, 100, 0, 10);
    for (const auto& [stairs, inverted, mid, far] :
         {std::tuple{false, false, 0, -1}, std::tuple{false, true, 0, -1}, std::tuple{true, false, -1, -1},
          std::tuple{true, true, 0, 0}}) {
        SCOPED_TRACE(testing::Message() << "stairs " << stairs << " inverted " << inverted);
        THorizLineSeries* s = Add<THorizLineSeries>(stairs, inverted);
        s->AddXY(20, 2);
        s->AddXY(60, 6);
        c.DrawAllSeries({});
        ASSERT_EQ(s->CalcXPos(0), 180);
        ASSERT_EQ(s->CalcYPos(1), 170);
        // left of the slope, right of the first value
        EXPECT_EQ(s->Clicked(250, 200), mid);
        // right of the slope near the start
        EXPECT_EQ(s->Clicked(330, 280), far);
        // beside the origin
        EXPECT_EQ(s->Clicked(120, 250), 0);
        c.rec.chart.RemoveSeries(s);
        delete s;
    }
}
