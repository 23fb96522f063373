#include "widgets/scale_gauge.h"

#include <gtest/gtest.h>

#include <cmath>

#include "testing/recording_device.h"
#include "recorder_install.h"
#include "widgets/scale.h"

// Geometry of a new gauge (300 x 75, margins 20, 10, 10, 20): its scale runs
// along the bottom with base line y = 75 - 30 - 1 = 44, L = 300 - 20 - 10 - 1 =
// 269 pixels for -10..10, Factor 13.45, Offset 20 + 134.5 = 154.5.
class ScaleGaugeTest : public ::testing::Test {
protected:
    TColor At(int x, int y) const { return gauge.Buffer().Surface().Pixel(x, y); }
    platform::RecordingDevice& OnRecorder() { return InstallRecorder(gauge, 300, 75); }
    TScaleGauge gauge;
};

TEST_F(ScaleGaugeTest, DefaultsAndTheEmbeddedScale)
{
    EXPECT_EQ(gauge.Width(), 300);
    EXPECT_EQ(gauge.Height(), 75);
    EXPECT_EQ(gauge.Min(), -10);
    EXPECT_EQ(gauge.Max(), 10);
    EXPECT_EQ(gauge.IndexMode(), gimTriangle);
    EXPECT_EQ(gauge.Background(), gbVertGrad);
    const TScale& s = gauge.GaugeScale();
    EXPECT_EQ(s.objectName(), "GaugeScale");
    EXPECT_TRUE(s.Embedded());
    EXPECT_TRUE(s.Transparent());
    EXPECT_TRUE(s.HoldPaint());
    EXPECT_EQ(s.ScaleType(), sctXB);
    EXPECT_EQ(s.MarginBottom(), 30);
    EXPECT_EQ(s.MarginRight(), 10);
    EXPECT_TRUE(s.ShortTicks());  // the scale keeps its own default until the gauge's is changed
    EXPECT_EQ(s.MinTicks(), 3);
    EXPECT_DOUBLE_EQ(s.Factor(), 13.45);
    EXPECT_DOUBLE_EQ(s.Offset(), 154.5);
}

TEST_F(ScaleGaugeTest, ValueIsClampedAndNonFiniteIgnored)
{
    gauge.SetValue(15);
    EXPECT_EQ(gauge.Value(), 10);
    gauge.SetValue(-20);
    EXPECT_EQ(gauge.Value(), -10);
    gauge.SetValue(std::nan(""));
    gauge.SetValue(INFINITY);
    EXPECT_EQ(gauge.Value(), -10);
    gauge.SetMin(std::nan(""));
    gauge.SetMax(-INFINITY);
    gauge.SetGaugeZero(std::nan(""));
    EXPECT_EQ(gauge.Min(), -10);
    EXPECT_EQ(gauge.Max(), 10);
    EXPECT_EQ(gauge.GaugeZero(), 0);
}

TEST_F(ScaleGaugeTest, MarginsLeaveTwentyPixels)
{
    gauge.SetMarginLeft(500);
    EXPECT_EQ(gauge.MarginLeft(), 270);
    EXPECT_EQ(gauge.GaugeScale().MarginLeft(), 270);
    gauge.SetMarginTop(100);
    EXPECT_EQ(gauge.MarginTop(), 35);  // 75 - 20 - 20
}

TEST_F(ScaleGaugeTest, LogarithmicOnlyWithPositiveRange)
{
    gauge.SetLogarithmic(true);
    EXPECT_FALSE(gauge.Logarithmic());
    gauge.SetMin(1);
    gauge.SetMax(100);
    gauge.SetLogarithmic(true);
    EXPECT_TRUE(gauge.Logarithmic());
    EXPECT_TRUE(gauge.GaugeScale().Logarithmic());
    gauge.SetMin(-5);  // ignored while logarithmic
    EXPECT_EQ(gauge.Min(), 1);
}

TEST_F(ScaleGaugeTest, MovingDialCentresTheValue)
{
    gauge.SetFixedDial(false);
    gauge.SetValue(3);
    EXPECT_EQ(gauge.GaugeScale().RangeLow(), -7);
    EXPECT_EQ(gauge.GaugeScale().RangeHigh(), 13);
    EXPECT_EQ(gauge.IndexPosition(), 20 + 270 / 2);
    gauge.SetFixedDial(true);
    EXPECT_EQ(gauge.GaugeScale().RangeLow(), -10);
    EXPECT_EQ(gauge.GaugeScale().RangeHigh(), 10);
    EXPECT_EQ(gauge.IndexPosition(), 195);  // 154.5 + 3 * 13.45 = 194.85
}

TEST_F(ScaleGaugeTest, DualColourBandRunsFromZeroToTheValue)
{
    gauge.SetColorIndex1(0x00FF00);
    gauge.SetColorIndex2(0xFF0000);
    gauge.SetIndexMode(gimDualColorBand);
    gauge.SetValue(5);  // p = round(221.75) = 222, zero at round(154.5) = 154
    for (int y = 45; y <= 51; ++y) {
        EXPECT_EQ(At(154, y), 0x00FF00u) << y;
        EXPECT_EQ(At(222, y), 0x00FF00u) << y;
    }
    EXPECT_NE(At(153, 48), 0x00FF00u);
    EXPECT_NE(At(223, 48), 0x00FF00u);
    EXPECT_NE(At(200, 52), 0x00FF00u);
    gauge.SetValue(-5);  // p = round(87.25) = 87
    EXPECT_EQ(At(87, 48), 0xFF0000u);
    EXPECT_EQ(At(154, 48), 0xFF0000u);
    EXPECT_NE(At(155, 48), 0xFF0000u);
    EXPECT_NE(At(86, 48), 0xFF0000u);
}

TEST_F(ScaleGaugeTest, BandFarOutsideDrawsOnlyOnTheControl)
{
    platform::RecordingDevice& dc = OnRecorder();
    gauge.SetIndexMode(gimDualColorBand);
    gauge.SetGaugeZero(1e300);  // zero pixel clamped to 2^31 - 1
    gauge.SetValue(1);
    dc.ClearLog();
    gauge.ForcePaint();
    // the band covers x from p to the control's right edge only
    int bandLines = 0;
    for (const auto& call : dc.CallsNamed("LineTo"))
        if (call.args[1] == "52")
            ++bandLines;
    EXPECT_LE(bandLines, 300);
    EXPECT_GT(bandLines, 100);
}

TEST_F(ScaleGaugeTest, TriangleRowsUnderTheBaseLine)
{
    platform::RecordingDevice& dc = OnRecorder();
    gauge.SetValue(1);  // p = round(167.95) = 168
    dc.ClearLog();
    gauge.SetIndexMode(gimThreadTwoTriangles);
    const auto lines = dc.Lines();
    auto has = [&](const std::string& a, const std::string& b) {
        for (std::size_t i = 0; i + 1 < lines.size(); ++i)
            if (lines[i] == a && lines[i + 1] == b)
                return true;
        return false;
    };
    EXPECT_TRUE(has("MoveTo(168,0)", "LineTo(168,75)"));   // thread
    EXPECT_TRUE(has("MoveTo(168,45)", "LineTo(169,45)"));  // tip of the lower triangle
    EXPECT_TRUE(has("MoveTo(163,54)", "LineTo(174,54)"));  // its base, i = 10
    EXPECT_TRUE(has("MoveTo(168,19)", "LineTo(169,19)"));  // tip of the upper one at MarginTop + 9
    EXPECT_TRUE(has("MoveTo(163,10)", "LineTo(174,10)"));
}

TEST_F(ScaleGaugeTest, BackgroundCoverAndFramesOnTheImage)
{
    gauge.SetColorCover(0x123456);
    gauge.ForcePaint();
    // half way across the dial: BlendColors(0x808080, 0xFFFFFF, 0.5), 191.5 -> 192
    EXPECT_EQ(At(155, 13), 0xC0C0C0u);
    EXPECT_EQ(At(22, 13), 0x818181u);  // i = 2: 128 + 127 * 2 / 270 = 128.94 -> 129
    EXPECT_EQ(At(5, 30), 0x123456u);
    EXPECT_EQ(At(295, 30), 0x123456u);
    EXPECT_EQ(At(0, 0), 0xFFFFFFu);  // raised outer frame
    EXPECT_EQ(At(299, 74), 0u);
    EXPECT_EQ(At(20, 30), 0x808080u);  // lowered inner frame: shadow outside top-left
}

TEST_F(ScaleGaugeTest, MouseValuesAndInGauge)
{
    bool in = true;
    double value = 0;
    TShiftState shift = 0;
    gauge.OnMouseMoveInGauge = [&](TScaleGauge*, bool inGauge, TShiftState s, double v) {
        in = inGauge;
        value = v;
        shift = s;
    };
    gauge.MouseMoveAt(5, 30, ssShift);
    EXPECT_FALSE(in);
    EXPECT_DOUBLE_EQ(value, (5 - 154.5) / 13.45);
    EXPECT_LT(value, -10);
    EXPECT_EQ(shift, ssShift);
    gauge.MouseMoveAt(155, 30, 0);
    EXPECT_TRUE(in);
    EXPECT_DOUBLE_EQ(value, 0.5 / 13.45);
    gauge.MouseMoveAt(290, 45, 0);  // bounds included
    EXPECT_TRUE(in);
    gauge.MouseMoveAt(290, 46, 0);
    EXPECT_FALSE(in);
}

TEST_F(ScaleGaugeTest, VerticalGaugeTurnsTheScale)
{
    gauge.SetBounds(0, 0, 75, 300);
    gauge.SetOrientation(goVertical);
    const TScale& s = gauge.GaugeScale();
    EXPECT_EQ(s.ScaleType(), sctYR);
    EXPECT_EQ(s.MarginRight(), 20);
    EXPECT_EQ(s.MarginBottom(), 20);
    // L = 300 - 10 - 20 - 1 = 269: Max at y 10, Min at y 279
    EXPECT_EQ(s.ValueToPixel(10), 10);
    EXPECT_EQ(s.ValueToPixel(-10), 279);
    double value = 0;
    gauge.OnMouseMoveInGauge = [&](TScaleGauge*, bool, TShiftState, double v) { value = v; };
    gauge.MouseMoveAt(30, 10, 0);
    EXPECT_DOUBLE_EQ(value, 10);
}

TEST_F(ScaleGaugeTest, AssignCopiesFramesValueAndColours)
{
    TScaleGauge other;
    other.SetValue(4);
    other.SetColorBg1(0x010203);
    other.SetFrameStyleOuter(fsEngraved);
    gauge.Assign(other);
    EXPECT_EQ(gauge.Value(), 4);
    EXPECT_EQ(gauge.ColorBg1(), 0x010203u);
    EXPECT_EQ(gauge.FrameStyleOuter(), fsEngraved);
}
