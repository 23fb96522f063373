#include "widgets/scale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "testing/recording_device.h"
#include "recorder_install.h"
#include "widgets/scale_gauge.h"

namespace {

class ScaleTest : public ::testing::Test {
protected:
    platform::RecordingDevice& Recorder() { return recorder; }
    TScale scale;
    platform::RecordingDevice& recorder = InstallRecorder(scale, 400, 400);
};

}  // namespace

TEST_F(ScaleTest, DefaultsOfANewScale)
{
    EXPECT_EQ(scale.Width(), 400);
    EXPECT_EQ(scale.Height(), 400);
    EXPECT_EQ(scale.RangeLow(), 0);
    EXPECT_EQ(scale.RangeHigh(), 100);
    EXPECT_EQ(scale.MinTicks(), 3);
    EXPECT_EQ(scale.DecPlaces(), -2);
    EXPECT_EQ(scale.FrameStyle(), fsLowered);
    EXPECT_EQ(scale.ScaleType(), sctXB);
    EXPECT_EQ(scale.MarginLeft(), 20);
    EXPECT_EQ(scale.CaptionPosX(), 4);
    EXPECT_EQ(scale.CaptionAlignment(), taCenter);
    EXPECT_TRUE(scale.ShortTicks());
    EXPECT_EQ(scale.DateFormat().DateSeparator(), '-');
    EXPECT_EQ(scale.DateFormat().TimeSeparator(), ':');
    EXPECT_EQ(scale.DateFormat().YearLength(), ylYYYY);
    EXPECT_TRUE(scale.DateFormat().MonthName());
    EXPECT_EQ(scale.DateFormat().DateForTime(), dtOnePerDay);
    EXPECT_EQ(scale.DateFormat().DateOrder(), doDDMMYY);
}

// Horizontal: Factor = (400 - 20 - 20 - 1) / (100 - 0) = 3.59, Offset = 20, so
// High lands on Width - MarginRight - 1 = 379.
TEST_F(ScaleTest, HorizontalLinearMapping)
{
    EXPECT_DOUBLE_EQ(scale.Factor(), 3.59);
    EXPECT_DOUBLE_EQ(scale.Offset(), 20);
    EXPECT_EQ(scale.ValueToPixel(0), 20);
    EXPECT_EQ(scale.ValueToPixel(100), 379);
    EXPECT_EQ(scale.ValueToPixel(50), 200);  // 199.5 -> 200 (even)
    scale.SetRange(10, 0);
    EXPECT_EQ(scale.ValueToPixel(0.5), 38);  // 37.95
    EXPECT_DOUBLE_EQ(scale.PixelToValue(379), 10);
}

TEST_F(ScaleTest, HalvesRoundToEven)
{
    scale.SetBounds(0, 0, 61, 400);  // L = 61 - 40 - 1 = 20, Factor 20 / 8 = 2.5
    scale.SetRange(8, 0);
    EXPECT_EQ(scale.ValueToPixel(1), 22);  // 22.5 -> 22
    EXPECT_EQ(scale.ValueToPixel(3), 28);  // 27.5 -> 28
    EXPECT_EQ(scale.ValueToPixel(5), 32);  // 32.5 -> 32
}

// Vertical: Factor = (400 - 40 - 1) / (Low - High) = -3.59, Offset = 20 + 3.59 * 100.
TEST_F(ScaleTest, VerticalLinearMapping)
{
    scale.SetScaleType(sctYL);
    EXPECT_DOUBLE_EQ(scale.Factor(), -3.59);
    EXPECT_EQ(scale.ValueToPixel(100), 20);
    EXPECT_EQ(scale.ValueToPixel(0), 379);
    EXPECT_NEAR(scale.PixelToValue(20), 100, 1e-12);
}

// Logarithmic 1..1000 on 359 pixels: Factor = 359 / ln 1000, Offset = 20.
TEST_F(ScaleTest, LogarithmicMapping)
{
    scale.SetRange(1000, 1);
    scale.SetLogarithmic(true);
    ASSERT_TRUE(scale.Logarithmic());
    EXPECT_DOUBLE_EQ(scale.Factor(), 359 / std::log(1000.0));
    EXPECT_EQ(scale.ValueToPixel(1), 20);
    EXPECT_EQ(scale.ValueToPixel(10), 20 + static_cast<int>(std::nearbyint(359.0 / 3)));  // 139.67 -> 140
    EXPECT_EQ(scale.ValueToPixel(1000), 379);
    EXPECT_EQ(scale.ValueToPixel(0), 0);
    EXPECT_NEAR(scale.PixelToValue(379), 1000, 1e-9);
}

TEST_F(ScaleTest, ClampsOfTicksDecimalsAndMargins)
{
    scale.SetMinTicks(1);
    EXPECT_EQ(scale.MinTicks(), 2);
    scale.SetMinTicks(11);
    EXPECT_EQ(scale.MinTicks(), 10);
    scale.SetMinTicks(0);
    EXPECT_EQ(scale.MinTicks(), 0);
    scale.SetDecPlaces(-5);
    EXPECT_EQ(scale.DecPlaces(), -3);
    scale.SetDecPlaces(20);
    EXPECT_EQ(scale.DecPlaces(), 12);
    scale.SetMarginTop(-4);
    EXPECT_EQ(scale.MarginTop(), 0);
    scale.SetMarginRight(-1);
    EXPECT_EQ(scale.MarginRight(), 0);
}

TEST_F(ScaleTest, EqualEndsArePushedApart)
{
    scale.SetRangeLow(0);
    scale.SetRangeHigh(0);
    EXPECT_EQ(scale.RangeHigh(), 0);
    EXPECT_EQ(scale.RangeLow(), 1);
    EXPECT_GT(scale.ValueToPixel(0), scale.ValueToPixel(1));  // reversed
    scale.SetRange(5, 5);
    EXPECT_EQ(scale.RangeLow(), 5);
    EXPECT_EQ(scale.RangeHigh(), 6);
}

TEST_F(ScaleTest, HugeEqualEndsStayDistinct)
{
    scale.SetRange(1e300, 1e300);
    EXPECT_NE(scale.RangeLow(), scale.RangeHigh());
    scale.SetRangeLow(-1e20);
    scale.SetRangeHigh(-1e20);
    EXPECT_NE(scale.RangeLow(), scale.RangeHigh());
    EXPECT_TRUE(std::isfinite(scale.Factor()));
}

TEST_F(ScaleTest, NonFiniteRangeValuesAreIgnored)
{
    scale.SetRangeLow(std::nan(""));
    scale.SetRangeHigh(std::numeric_limits<double>::infinity());
    scale.SetRange(-std::numeric_limits<double>::infinity(), 3);
    EXPECT_EQ(scale.RangeLow(), 0);
    EXPECT_EQ(scale.RangeHigh(), 100);
    EXPECT_EQ(scale.ValueToPixel(std::nan("")), 0);
}

TEST_F(ScaleTest, LogarithmicNeedsPositiveEndsAndNoDates)
{
    scale.SetLogarithmic(true);  // RangeLow 0
    EXPECT_FALSE(scale.Logarithmic());
    scale.SetRange(1000, 1);
    scale.SetLogarithmic(true);
    EXPECT_TRUE(scale.Logarithmic());
    scale.SetLabelType(ftDateTime);
    EXPECT_FALSE(scale.Logarithmic());
    scale.SetLogarithmic(true);
    EXPECT_FALSE(scale.Logarithmic());
    scale.SetLabelType(ftTime);
    EXPECT_EQ(scale.DecPlaces(), 4);
}

// Date labels switch the logarithm off; the ticks then follow the linear mapping.
TEST_F(ScaleTest, LogarithmicScaleSwitchedToDatesIsLaidOutLinearly)
{
    scale.SetRange(1000, 1);
    scale.SetLogarithmic(true);
    ASSERT_EQ(scale.ValueToPixel(10), 140);  // 20 + 359 / 3
    scale.SetLabelType(ftDateTime);
    EXPECT_FALSE(scale.Logarithmic());
    EXPECT_DOUBLE_EQ(scale.Factor(), 359.0 / 999);
    EXPECT_EQ(scale.ValueToPixel(1), 20);
    EXPECT_EQ(scale.ValueToPixel(1000), 379);
    EXPECT_EQ(scale.ValueToPixel(500.5), 200);  // 199.5 -> 200
}

// The middle is Width / 2 as a real number, rounded halves to even.
TEST_F(ScaleTest, MarginsWiderThanAnOddWidthMapToTheRealMiddle)
{
    scale.SetMarginLeft(300);
    scale.SetMarginRight(300);
    scale.SetBounds(0, 0, 403, 400);
    EXPECT_DOUBLE_EQ(scale.Offset(), 201.5);
    EXPECT_EQ(scale.ValueToPixel(0), 202);
    scale.SetBounds(0, 0, 401, 400);
    EXPECT_DOUBLE_EQ(scale.Offset(), 200.5);
    EXPECT_EQ(scale.ValueToPixel(70), 200);
}

TEST_F(ScaleTest, MarginsWiderThanTheControlMapToTheMiddle)
{
    scale.SetMarginLeft(300);
    scale.SetMarginRight(300);
    EXPECT_EQ(scale.Factor(), 0);
    EXPECT_EQ(scale.ValueToPixel(0), 200);
    EXPECT_EQ(scale.ValueToPixel(100), 200);
    EXPECT_DOUBLE_EQ(scale.PixelToValue(17), 50);  // no division by zero
    scale.SetScaleType(sctYR);
    scale.SetMarginTop(500);
    EXPECT_EQ(scale.ValueToPixel(3), 200);  // Width / 2 for both orientations
}

TEST_F(ScaleTest, OpaquePaintFillsDrawsFrameAndReportsTheDevice)
{
    platform::DrawingDevice* before = nullptr;
    platform::DrawingDevice* after = nullptr;
    int ticks = 0;
    scale.OnBeforeScaleRendered = [&](TScale*, platform::DrawingDevice& dc) { before = &dc; };
    scale.OnAfterScaleRendered = [&](TScale*, platform::DrawingDevice& dc) { after = &dc; };
    scale.OnScaleTickDrawn = [&](TScale*, platform::DrawingDevice*&, TScaleType, double, int, int y) {
        ++ticks;
        EXPECT_EQ(y, 379);
    };
    scale.ForcePaint();
    EXPECT_EQ(before, &scale.Buffer());
    EXPECT_EQ(after, &scale.Buffer());
    EXPECT_EQ(ticks, 21 + 6);  // minor every 5 from 0 to 100, majors every 20
    EXPECT_EQ(scale.NumTicks(), 21);
    const auto lines = Recorder().DrawingLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "FillRect(0,0,400,400)");
    // base line from x 20 to 359 (end excluded) at y 379
    EXPECT_NE(std::find(lines.begin(), lines.end(), "LineTo(379,379)"), lines.end());
}

TEST_F(ScaleTest, TransparentEmbeddedScaleDrawsOnTheExternalDeviceWithOffset)
{
    platform::RecordingDevice external(500, 500);
    scale.SetEmbedded(true);
    scale.SetTransparent(true);
    scale.SetExternalCanvas(&external, 0, 30);
    platform::DrawingDevice* after = nullptr;
    scale.OnAfterScaleRendered = [&](TScale*, platform::DrawingDevice& dc) { after = &dc; };
    Recorder().ClearLog();
    scale.ForcePaint();
    EXPECT_EQ(after, &external);  // the device it drew on
    EXPECT_EQ(external.Count("FillRect"), 0);
    const auto moves = external.CallsNamed("MoveTo");
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.front().args, (std::vector<std::string>{"20", "409"}));  // y 379 + 30
    EXPECT_EQ(Recorder().DrawingLines().size(), 0u);
}

TEST_F(ScaleTest, HoldPaintAndInvisibleDrawNothing)
{
    scale.SetHoldPaint(true);
    Recorder().ClearLog();
    scale.SetCaption("x");
    EXPECT_TRUE(Recorder().DrawingLines().empty());
    scale.SetHoldPaint(false);
    EXPECT_FALSE(Recorder().DrawingLines().empty());
    scale.SetVisible(false);
    Recorder().ClearLog();
    scale.ForcePaint();
    EXPECT_TRUE(Recorder().DrawingLines().empty());
}

TEST_F(ScaleTest, LoadingSkipsLayoutUntilLoaded)
{
    scale.BeginLoading();
    scale.SetRange(1000, 1);
    scale.SetLogarithmic(true);  // stored unchecked while loading
    EXPECT_TRUE(scale.Logarithmic());
    EXPECT_DOUBLE_EQ(scale.Factor(), 3.59);
    scale.Loaded();
    EXPECT_DOUBLE_EQ(scale.Factor(), 359 / std::log(1000.0));
}

TEST_F(ScaleTest, AssignCopiesSettings)
{
    TScale other;
    other.SetRange(-5, 5);
    other.SetCaption("kg");
    other.SetDecPlaces(3);
    other.SetScaleType(sctYR);
    other.SetUserTickText("a|b");
    scale.Assign(other);
    EXPECT_EQ(scale.RangeLow(), 5);
    EXPECT_EQ(scale.RangeHigh(), -5);
    EXPECT_EQ(scale.Caption(), "kg");
    EXPECT_EQ(scale.DecPlaces(), 3);
    EXPECT_EQ(scale.ScaleType(), sctYR);
    EXPECT_EQ(scale.UserTickText(), "a|b");
    EXPECT_EQ(scale.Factor(), other.Factor());
}

// A gauge's scale draws on the gauge's picture: a copy of it draws on its
// own, also once the gauge is gone.
TEST_F(ScaleTest, ACopyOfAGaugesScaleDrawsOnItsOwnDevice)
{
    auto gauge = std::make_unique<TScaleGauge>();
    gauge->SetBounds(0, 0, 300, 75);
    gauge->ForcePaint();
    ASSERT_NE(gauge->GaugeScale().ExternalCanvas(), nullptr);
    scale.SetBounds(0, 0, 400, 400);
    scale.Assign(gauge->GaugeScale());
    EXPECT_TRUE(scale.Transparent());
    ASSERT_EQ(scale.ExternalCanvas(), nullptr);
    platform::DrawingDevice* drawnOn = nullptr;
    scale.OnAfterScaleRendered = [&](TScale*, platform::DrawingDevice& dc) { drawnOn = &dc; };
    Recorder().ClearLog();
    scale.ForcePaint();
    EXPECT_EQ(drawnOn, &Recorder());
    EXPECT_GT(Recorder().Count("LineTo"), 0);

    gauge.reset();
    drawnOn = nullptr;
    Recorder().ClearLog();
    scale.SetCaption("after");
    scale.ForcePaint();
    EXPECT_EQ(drawnOn, &Recorder());
    EXPECT_GT(Recorder().Count("LineTo"), 0);

    // a scale that draws on another device keeps its own one when it takes a copy
    platform::RecordingDevice external(500, 500);
    TScale embedded;
    embedded.SetEmbedded(true);
    embedded.SetExternalCanvas(&external, 0, 30);
    embedded.Assign(scale);
    EXPECT_EQ(embedded.ExternalCanvas(), &external);
}

TEST_F(ScaleTest, TickTableHoldsAtMost250Values)
{
    scale.SetBounds(0, 0, 2000, 400);
    scale.SetMinTicks(0);  // step 1, no minor ticks past a range of 10
    scale.SetRange(600, 0);
    Recorder().ClearLog();
    scale.ForcePaint();
    EXPECT_EQ(scale.NumTicks(), 250);
    EXPECT_EQ(scale.TickTable().front(), 0);
    EXPECT_EQ(scale.TickTable().back(), 249);
    // every tick drawn: 601 minor (one per step), 601 major, the base line and
    // the eight lines of the lowered frame
    EXPECT_EQ(Recorder().Count("LineTo"), 601 + 601 + 1 + 8);
}

TEST_F(ScaleTest, LogarithmicScaleWhoseLowEndDropsToZeroDrawsLinearTicks)
{
    scale.SetRange(1000, 1);
    scale.SetLogarithmic(true);
    scale.SetRangeLow(0);
    EXPECT_TRUE(scale.Logarithmic());
    // linear 0..1000: steps of 200 with minor ticks every 50
    EXPECT_EQ(scale.NumTicks(), 21);
    EXPECT_EQ(scale.TickTable()[1], 50);
}

TEST_F(ScaleTest, NoMinimumTickCountOverAReversedRangePaintsAtOnce)
{
    scale.SetMinTicks(0);
    scale.SetDecPlaces(-2);
    scale.SetRangeLow(1);
    scale.SetRangeHigh(0);
    int ticks = 0;
    scale.OnScaleTickDrawn = [&](TScale*, platform::DrawingDevice*&, TScaleType, double, int, int) { ++ticks; };
    Recorder().ClearLog();
    scale.ForcePaint();
    // one major tick per unit from 1 down to 0, minor ticks every fifth
    EXPECT_EQ(ticks, 6 + 2);
    EXPECT_EQ(scale.NumTicks(), 6);
    std::vector<std::string> texts;
    for (const platform::RecordedCall& call : Recorder().Calls())
        if (call.name == "TextOut")
            texts.push_back(call.args[2]);
    EXPECT_EQ(texts, (std::vector<std::string>{"1.00", "0.00"}));
}
