#include "chart/tools/marks_tip_tool.h"

#include "platform/hint_service.h"
#include "testing/settable_clock.h"
#include "tool_stream_support.h"
#include "tool_test_chart.h"

namespace {

// A line whose points answer the hit test within 3 pixels.
class TClickableLine : public TTestLineSeries {
public:
    using TTestLineSeries::TTestLineSeries;
    int Clicked(int X, int Y) const override
    {
        for (int i = 0; i < Count(); ++i)
            if (std::abs(CalcXPos(i) - X) < 3 && std::abs(CalcYPos(i) - Y) < 3)
                return i;
        return -1;
    }
};

class TMarksTipsOnChart : public ToolChartTest {
protected:
    TMarksTipsOnChart()
    {
        series = new TClickableLine(&owner);
        series->AddXY(2, 20, "Low");
        series->AddXY(8, 80, "High");
        chart.AddSeries(series);
        chart.BottomAxis()->SetMinMax(0, 10);
        chart.LeftAxis()->SetMinMax(0, 100);
        tips.SetParentChart(&chart);
        hints.SetHintPause(500);
        hints.SetHintHidePause(2500);
        Draw();
    }
    ~TMarksTipsOnChart() override
    {
        tips.SetParentChart(nullptr);
        hints.CancelHint();
        hints.SetHintPause(500);
        hints.SetHintHidePause(2500);
    }
    TPoint At(int Index) const { return {series->CalcXPos(Index), series->CalcYPos(Index)}; }
    void MoveTo(TPoint P) { chart.MouseMove(0, P.X, P.Y); }

    platform::SettableClock clock;
    platform::ScopedClock scoped{clock};
    platform::HintService& hints = platform::ApplicationHints();
    TClickableLine* series = nullptr;
    TMarksTipTool tips;
};

}  // namespace

TEST_F(TMarksTipsOnChart, MovingOverAPointShowsItsLabelAfterTheSharedPause)
{
    MoveTo(At(1));
    EXPECT_EQ(chart.Hint(), "High");
    EXPECT_TRUE(chart.ShowHint());
    EXPECT_EQ(hints.CurrentState(), platform::HintService::State::Pending);
    EXPECT_EQ(hints.Text(), "High");
    EXPECT_EQ(hints.Position(), chart.mapToGlobal(QPoint(At(1).X, At(1).Y)));
    clock.Advance(0.5);
    hints.Tick();
    EXPECT_EQ(hints.CurrentState(), platform::HintService::State::Shown);
    clock.Advance(2.5);
    hints.Tick();
    EXPECT_EQ(hints.CurrentState(), platform::HintService::State::Idle);
}

TEST_F(TMarksTipsOnChart, TheSameTextDoesNotShowAgain)
{
    MoveTo(At(0));
    clock.Advance(0.5);
    hints.Tick();
    ASSERT_EQ(hints.CurrentState(), platform::HintService::State::Shown);
    // a move within the same point keeps the shown hint instead of waiting again
    chart.MouseMove(0, At(0).X + 1, At(0).Y);
    EXPECT_EQ(hints.CurrentState(), platform::HintService::State::Shown);
}

TEST_F(TMarksTipsOnChart, MovingOffEveryPointCancels)
{
    int cancels = 0;
    tips.OnCancelHint = [&](TMarksTipTool&) { ++cancels; };
    MoveTo(At(0));
    chart.MouseMove(0, At(0).X + 40, At(0).Y - 40);
    EXPECT_EQ(cancels, 1);
    EXPECT_EQ(chart.Hint(), "");
    EXPECT_EQ(hints.CurrentState(), platform::HintService::State::Idle);
}

TEST_F(TMarksTipsOnChart, WithTwoTipToolsMovingOffDoesNotCancel)
{
    TMarksTipTool other;
    other.SetParentChart(&chart);
    MoveTo(At(0));
    chart.MouseMove(0, At(0).X + 40, At(0).Y - 40);
    EXPECT_EQ(chart.Hint(), "Low");
    EXPECT_EQ(hints.CurrentState(), platform::HintService::State::Pending);
    other.SetParentChart(nullptr);
}

TEST_F(TMarksTipsOnChart, SettingADelayOnOneToolChangesTheWholeApplication)
{
    TMarksTipTool other;
    tips.SetMouseDelay(120);
    tips.SetHideDelay(900);
    EXPECT_EQ(hints.HintPause(), 120);
    EXPECT_EQ(hints.HintHidePause(), 900);
    EXPECT_EQ(other.MouseDelay(), 120);
    EXPECT_EQ(other.HideDelay(), 900);
    MoveTo(At(1));
    clock.Advance(0.12);
    hints.Tick();
    EXPECT_EQ(hints.CurrentState(), platform::HintService::State::Shown);
}

TEST_F(TMarksTipsOnChart, StyleBuildsTheTextAndTheMarksKeepTheirOwnStyle)
{
    series->Marks().SetStyle(smsLabel);
    tips.SetStyle(smsValue);
    std::string seen;
    tips.OnGetText = [&](TMarksTipTool&, std::string& Text) {
        seen = Text;
        Text = "Value " + Text;
    };
    MoveTo(At(1));
    EXPECT_EQ(seen, "80");
    EXPECT_EQ(chart.Hint(), "Value 80");
    EXPECT_EQ(series->Marks().Style(), smsLabel);
}

TEST_F(TMarksTipsOnChart, ClickActionIgnoresMovesAndShowsOnPress)
{
    tips.SetMouseAction(mtmClick);
    MoveTo(At(0));
    EXPECT_EQ(chart.Hint(), "");
    chart.MouseDown(mbLeft, 0, At(0).X, At(0).Y);
    chart.MouseUp(mbLeft, 0, At(0).X, At(0).Y);
    EXPECT_EQ(chart.Hint(), "Low");
}

TEST_F(TMarksTipsOnChart, TurningOffOrChangingTheActionCancels)
{
    MoveTo(At(0));
    tips.SetActive(false);
    EXPECT_EQ(chart.Hint(), "");
    EXPECT_EQ(hints.CurrentState(), platform::HintService::State::Idle);
    tips.SetActive(true);
    MoveTo(At(1));
    tips.SetMouseAction(mtmMove);
    EXPECT_EQ(hints.CurrentState(), platform::HintService::State::Idle);
}

TEST_F(TMarksTipsOnChart, ABoundSeriesAnswersAloneAndInactiveSeriesAreSkipped)
{
    auto* second = new TClickableLine(&owner);
    second->AddXY(8, 80, "Other");
    chart.AddSeries(second);
    Draw();
    MoveTo(At(1));
    // the last series of the chart is asked first
    EXPECT_EQ(chart.Hint(), "Other");
    tips.SetSeries(series);
    MoveTo(At(1));
    EXPECT_EQ(chart.Hint(), "High");
    tips.SetSeries(nullptr);
    second->SetActive(false);
    chart.MouseMove(0, 5, 5);
    MoveTo(At(1));
    EXPECT_EQ(chart.Hint(), "High");
}

TEST(MarksTipStreaming, RoundTripAndAssign)
{
    TMarksTipTool a;
    EXPECT_TRUE(StreamedNames(Written(a)).empty());
    a.SetMouseAction(mtmClick);
    a.SetStyle(smsXY);
    TMarksTipTool b;
    ReadInto(b, Written(a));
    EXPECT_EQ(b.MouseAction(), mtmClick);
    EXPECT_EQ(b.Style(), smsXY);
    TMarksTipTool c;
    c.Assign(a);
    EXPECT_EQ(c.MouseAction(), mtmClick);
    EXPECT_EQ(c.Style(), smsXY);
}
