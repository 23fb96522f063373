// Bars on a paged chart: sized for the points of one page, and with one
// point per page only the page's own point is visible.
#include <gtest/gtest.h>

#include <QImage>

#include <cmath>

#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "chart/series/bar_series.h"
#include "platform/qt_drawing_device.h"
#include "testing/recording_device.h"

namespace {

class BarPages : public ::testing::Test {
protected:
    BarPages()
    {
        chart.SetView3D(false);
        chart.SetBufferedDisplay(false);
        chart.Legend()->SetVisible(false);
    }
    ~BarPages() override
    {
        while (chart.SeriesCount() > 0)
            chart.RemoveSeries(chart.Series(0));
    }
    TBarSeries* AddBars(int N)
    {
        auto* s = new TBarSeries(&owner);
        s->Marks().SetVisible(false);
        for (int i = 0; i < N; ++i)
            s->AddXY(i, 10 + i);
        chart.AddSeries(s);
        return s;
    }
    void Draw() { chart.Draw(&device, TRect{0, 0, device.Width(), device.Height()}); }

    QObject owner;
    platform::RecordingDevice device{600, 400};
    TChart chart;
};

// 70 % of the slot, made even.
int ExpectedWidth(int AxisSize, int Slots)
{
    int w = static_cast<int>(std::lround(0.7 * (AxisSize / Slots)));
    return w % 2 == 1 ? w + 1 : w;
}

}  // namespace

TEST_F(BarPages, BarsAreSizedForOnePage)
{
    TBarSeries* s = AddBars(20);
    Draw();
    const int whole = s->BarWidth();
    chart.Pages().SetMaxPointsPerPage(4);
    chart.Pages().SetCurrent(2);
    Draw();
    const int axis = chart.BottomAxis()->AxisSize();
    ASSERT_GT(axis, 100);
    EXPECT_EQ(s->BarWidth(), ExpectedWidth(axis, 4));
    EXPECT_GT(s->BarWidth(), 3 * whole);
    // the page's bars only, each that wide
    EXPECT_EQ(s->FirstValueIndex(), 4);
    EXPECT_EQ(s->LastValueIndex(), 7);
}

TEST_F(BarPages, OnePointPerPageShowsThePagesPoint)
{
    TBarSeries* many = AddBars(6);
    TBarSeries* few = AddBars(3);
    chart.Pages().SetMaxPointsPerPage(1);
    for (int page = 1; page <= 6; ++page) {
        SCOPED_TRACE(page);
        chart.Pages().SetCurrent(page);
        Draw();
        EXPECT_EQ(many->FirstValueIndex(), page - 1);
        EXPECT_EQ(many->LastValueIndex(), page - 1);
        // past its points the shorter series shows none
        const int expected = page <= 3 ? page - 1 : -1;
        EXPECT_EQ(few->FirstValueIndex(), expected);
        EXPECT_EQ(few->LastValueIndex(), expected);
    }
}
