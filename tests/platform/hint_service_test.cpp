#include "platform/hint_service.h"

#include <gtest/gtest.h>

#include <QLabel>

#include "testing/settable_clock.h"

namespace {

class HintServiceTiming : public ::testing::Test {
protected:
    ~HintServiceTiming() override { hints.CancelHint(); }

    platform::SettableClock clock;
    platform::ScopedClock scoped{clock};
    platform::HintService hints;
};

}  // namespace

TEST_F(HintServiceTiming, DefaultPausesAreHalfASecondAndTwoAndAHalf)
{
    EXPECT_EQ(hints.HintPause(), 500);
    EXPECT_EQ(hints.HintHidePause(), 2500);
}

TEST_F(HintServiceTiming, ShowsAfterTheHintPauseAndHidesAfterTheHidePause)
{
    hints.ActivateHint(QPoint(100, 50), "Series1: 42");
    EXPECT_EQ(hints.CurrentState(), platform::HintService::State::Pending);
    EXPECT_EQ(hints.Window(), nullptr);
    clock.Advance(0.499);
    hints.Tick();
    EXPECT_EQ(hints.CurrentState(), platform::HintService::State::Pending);
    clock.Advance(0.001);
    hints.Tick();
    ASSERT_EQ(hints.CurrentState(), platform::HintService::State::Shown);
    ASSERT_NE(hints.Window(), nullptr);
    EXPECT_EQ(hints.Window()->text(), "Series1: 42");
    EXPECT_TRUE(hints.Window()->isVisible());
    EXPECT_EQ(hints.Position(), QPoint(100, 50));
    clock.Advance(2.499);
    hints.Tick();
    EXPECT_EQ(hints.CurrentState(), platform::HintService::State::Shown);
    clock.Advance(0.001);
    hints.Tick();
    EXPECT_EQ(hints.CurrentState(), platform::HintService::State::Idle);
    EXPECT_EQ(hints.Window(), nullptr);
}

TEST_F(HintServiceTiming, ChangedPausesHoldForTheNextHint)
{
    hints.SetHintPause(100);
    hints.SetHintHidePause(300);
    hints.ActivateHint(QPoint(0, 0), "a");
    clock.Advance(0.1);
    hints.Tick();
    EXPECT_EQ(hints.CurrentState(), platform::HintService::State::Shown);
    clock.Advance(0.3);
    hints.Tick();
    EXPECT_EQ(hints.CurrentState(), platform::HintService::State::Idle);
}

TEST_F(HintServiceTiming, ZeroPauseShowsAtOnceAndNegativePausesReadAsZero)
{
    hints.SetHintPause(-5);
    EXPECT_EQ(hints.HintPause(), 0);
    hints.ActivateHint(QPoint(3, 4), "now");
    EXPECT_EQ(hints.CurrentState(), platform::HintService::State::Shown);
}

TEST_F(HintServiceTiming, CancelHidesAPendingOrShownHint)
{
    hints.ActivateHint(QPoint(0, 0), "a");
    hints.CancelHint();
    EXPECT_EQ(hints.CurrentState(), platform::HintService::State::Idle);
    clock.Advance(1);
    hints.Tick();
    EXPECT_EQ(hints.CurrentState(), platform::HintService::State::Idle);
    hints.SetHintPause(0);
    hints.ActivateHint(QPoint(0, 0), "b");
    ASSERT_NE(hints.Window(), nullptr);
    hints.CancelHint();
    EXPECT_EQ(hints.Window(), nullptr);
}

TEST_F(HintServiceTiming, ANewHintReplacesTheShownOneAndWaitsItsPause)
{
    hints.SetHintPause(0);
    hints.ActivateHint(QPoint(0, 0), "first");
    hints.SetHintPause(200);
    hints.ActivateHint(QPoint(10, 10), "second");
    EXPECT_EQ(hints.CurrentState(), platform::HintService::State::Pending);
    EXPECT_EQ(hints.Window(), nullptr);
    EXPECT_EQ(hints.Text(), "second");
}
