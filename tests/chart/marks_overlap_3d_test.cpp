// The marks' anti-overlap compares the boxes where they show: in a 3D view
// each box moves with the projection of its arrow end.
#include <gtest/gtest.h>

#include <functional>

#include "chart/chart.h"
#include "chart/plot_canvas.h"
#include "chart/series/bar_series.h"
#include "chart/series_marks.h"
#include "chart/view3d_options.h"
#include "testing/recording_device.h"

namespace {

struct TBox {
    int Left, Top, Right, Bottom;
    bool Meets(const TBox& O) const { return Left < O.Right && O.Left < Right && Top < O.Bottom && O.Top < Bottom; }
};

class MarksOverlap3D : public ::testing::Test {
protected:
    MarksOverlap3D()
    {
        chart.SetBufferedDisplay(false);
        chart.Legend()->SetVisible(false);
        bars = new TBarSeries(&chart);
        bars->AddXY(0, 3);
        bars->AddXY(1, 5);
        chart.AddSeries(bars);
        bars->Marks().Frame()->SetVisible(false);
        bars->Marks().Shadow()->SetVisible(false);
    }
    // Two boxes at the same place whose arrows end far apart.
    static TSeriesMarkPosition Mark(int ArrowX)
    {
        TSeriesMarkPosition p;
        p.LeftTop = {150, 100};
        p.Width = 40;
        p.Height = 14;
        p.ArrowTo = {ArrowX, 200};
        p.ArrowFrom = {ArrowX, 220};
        return p;
    }
    // A turned perspective view, the marks well in front of the series.
    void InPerspective()
    {
        chart.SetView3D(true);
        chart.View3DOptions()->SetOrthogonal(false);
        chart.View3DOptions()->SetRotation(300);
        chart.View3DOptions()->SetElevation(340);
        chart.View3DOptions()->SetPerspective(60);
        bars->Marks().SetZPosition(200);
    }
    // Runs Body inside a draw, with the chart's projection of that draw.
    void InDraw(const std::function<void()>& Body)
    {
        chart.OnAfterDraw = [&](TCustomAxisPanel&) { Body(); };
        chart.Draw(&device, TRect{0, 0, 400, 300});
        chart.OnAfterDraw = nullptr;
    }
    TBox OnScreen(const TSeriesMarkPosition& P)
    {
        TPoint a;
        chart.Canvas()->Project(P.ArrowTo.X, P.ArrowTo.Y, bars->Marks().ZPosition(), a);
        const int dx = a.X - P.ArrowTo.X, dy = a.Y - P.ArrowTo.Y;
        return {P.LeftTop.X + dx, P.LeftTop.Y + dy, P.LeftTop.X + P.Width + dx, P.LeftTop.Y + P.Height + dy};
    }

    TChart chart;
    TBarSeries* bars = nullptr;
    platform::RecordingDevice device{400, 300};
};

}  // namespace

TEST_F(MarksOverlap3D, BoxesApartOnTheScreenStayWhereTheyAre)
{
    InPerspective();
    InDraw([&] {
        TSeriesMarkPosition first = Mark(20);
        TSeriesMarkPosition second = Mark(380);
        ASSERT_FALSE(OnScreen(first).Meets(OnScreen(second))) << "the projection keeps them apart";
        bars->Marks().PositionAt(0) = first;
        const TSeriesMarkPosition before = second;
        bars->Marks().AntiOverlap(0, 1, second);
        EXPECT_EQ(second, before);
    });
}

TEST_F(MarksOverlap3D, BoxesMeetingOnTheScreenMoveApart)
{
    InPerspective();
    InDraw([&] {
        // apart on the plane, brought together by the projection
        TSeriesMarkPosition first = Mark(20);
        TSeriesMarkPosition second = Mark(380);
        const TBox a = OnScreen(first);
        const TBox b0 = OnScreen(second);
        second.LeftTop.X += a.Left - b0.Left + 10;
        second.LeftTop.Y += a.Top - b0.Top + 4;
        const TBox b = OnScreen(second);
        ASSERT_TRUE(a.Meets(b));
        bars->Marks().PositionAt(0) = first;
        const TSeriesMarkPosition before = second;
        bars->Marks().AntiOverlap(0, 1, second);
        // b lies below a: it moves down by their overlap on the screen
        EXPECT_EQ(second.LeftTop.Y - before.LeftTop.Y, a.Bottom - b.Top);
        EXPECT_EQ(second.ArrowTo.Y - before.ArrowTo.Y, a.Bottom - b.Top);
    });
}

TEST_F(MarksOverlap3D, InTwoDimensionsTheBoxesThemselvesCount)
{
    chart.SetView3D(false);
    InDraw([&] {
        TSeriesMarkPosition first = Mark(20);
        TSeriesMarkPosition second = Mark(380);
        second.LeftTop.Y += 4;
        bars->Marks().PositionAt(0) = first;
        bars->Marks().AntiOverlap(0, 1, second);
        EXPECT_EQ(second.LeftTop.Y, first.LeftTop.Y + first.Height);
        EXPECT_EQ(second.ArrowTo.Y, 200 + 14 - 4);
    });
}
