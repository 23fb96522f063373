#include "widgets/analog_meter.h"

#include <QImage>
#include <QPalette>
#include <QWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <sstream>
#include <vector>

#include "recorder_install.h"
#include "testing/recording_device.h"
#include "support/pixel_compare.h"
#include "support/window_colour.h"

// Geometry of a new meter: 297 x 209, rims top 8, side 10, bottom 10, so
// H - RB - RT - 16 = 175, W / 2 - RS - 8 = 130.5, W div 2 - RS - 8 = 130.
struct LayoutCase {
    TMeterLayout layout;
    int arc;
    double radius;
    int centerY;
};

class MeterGeometryTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(MeterGeometryTest, FollowsTheLayoutFactors)
{
    const LayoutCase c = GetParam();
    const TMeterGeometry g = MeterGeometry(c.layout, 297, 209, 8, 10, 10);
    EXPECT_EQ(g.arc, c.arc);
    EXPECT_NEAR(g.radius, c.radius, 1e-9);
    EXPECT_EQ(g.centerX, 148);
    EXPECT_EQ(g.centerY, c.centerY);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, MeterGeometryTest,
    ::testing::Values(LayoutCase{mlCirc90, 90, 175, 191},                     // min(175, 130.5 * 1.414 = 184.527)
                      LayoutCase{mlCirc120, 120, 130.5 * 1.1547, 191},        // 150.688...
                      LayoutCase{mlCirc180, 180, 130, 191},
                      LayoutCase{mlCirc270, 270, 175 / 1.7071, 119},          // 8 + 8 + 102.513 rounds to 119
                      LayoutCase{mlCirc300, 300, 175 / 1.866, 110},           // 109.78
                      LayoutCase{mlCirc360, 360, 87.5, 104}));                // 103.5: halves to even

TEST(MeterArithmetic, ValueAnglesRunFromLeftOfTopToRight)
{
    EXPECT_DOUBLE_EQ(MeterValueAngle(0, 0, 1, 90, false), 135);
    EXPECT_DOUBLE_EQ(MeterValueAngle(1, 0, 1, 90, false), 45);
    EXPECT_DOUBLE_EQ(MeterValueAngle(0.5, 0, 1, 270, false), 90);
    // logarithmic: 10 is half way between 1 and 100
    EXPECT_DOUBLE_EQ(MeterValueAngle(10, 1, 100, 180, true), 90);
    // a value of 0 falls back to the linear mapping
    EXPECT_DOUBLE_EQ(MeterValueAngle(0, 0, 100, 180, true), 180);
}

TEST(MeterArithmetic, TickStepsOfOneTwoFive)
{
    TMeterTicks t = MeterTickSteps(3, 0, 100);  // 33.3 gives 2 x 10
    EXPECT_DOUBLE_EQ(t.first, 0);
    EXPECT_DOUBLE_EQ(t.step, 20);
    EXPECT_EQ(t.minorCount, 4);
    t = MeterTickSteps(3, 0, 1);  // 0.333 gives 2 x 0.1
    EXPECT_NEAR(t.step, 0.2, 1e-15);
    EXPECT_NEAR(t.first, 0, 1e-15);
    t = MeterTickSteps(10, 3, 103);  // exactly 10: step 10, first multiple at or beyond 3
    EXPECT_DOUBLE_EQ(t.step, 10);
    EXPECT_DOUBLE_EQ(t.first, 10);
    EXPECT_EQ(t.minorCount, 5);
    t = MeterTickSteps(4, 0, 30);  // 7.5 gives 5
    EXPECT_DOUBLE_EQ(t.step, 5);
    t = MeterTickSteps(3, 10, 0);  // downward
    EXPECT_DOUBLE_EQ(t.step, -2);
    EXPECT_DOUBLE_EQ(t.first, 10);
    t = MeterTickSteps(3, 5, 5);
    EXPECT_EQ(t.step, 0);
    EXPECT_EQ(t.first, 5);
}

TEST(MeterArithmetic, LabelTexts)
{
    EXPECT_EQ(MeterLabelText(0.2, 1), "0.2");
    EXPECT_EQ(MeterLabelText(-1.25, 2), "-1.25");
    EXPECT_EQ(MeterLabelText(20, 0), "20");
}

TEST(MeterArithmetic, ValueUnderTheMouse)
{
    const TMeterGeometry g = MeterGeometry(mlCirc90, 297, 209, 8, 10, 10);  // centre (148, 191)
    TMeterMouseValue m = MeterValueAt(g, 48, 91, 0, 10, false);           // the left end, 135 degrees
    EXPECT_TRUE(m.within);
    EXPECT_NEAR(m.value, 0, 1e-12);
    m = MeterValueAt(g, 148, 50, 0, 10, false);  // straight up
    EXPECT_TRUE(m.within);
    EXPECT_NEAR(m.value, 5, 1e-12);
    m = MeterValueAt(g, 248, 91, 0, 10, false);  // the right end
    EXPECT_NEAR(m.value, 10, 1e-12);
    m = MeterValueAt(g, 148, 250, 0, 10, false);  // below the centre
    EXPECT_FALSE(m.within);
    EXPECT_EQ(m.value, 0);
    m = MeterValueAt(g, 148, 50, 1, 100, true);
    EXPECT_NEAR(m.value, 10, 1e-12);
}

class MeterTest : public ::testing::Test {
protected:
    void Count()
    {
        meter.OnOverFlow = [this](TMeter*) { ++over; };
        meter.OnUnderFlow = [this](TMeter*) { ++under; };
        meter.OnNormalRange = [this](TMeter*) { ++normal; };
    }
    TMeter meter;
    int over = 0, under = 0, normal = 0;
};

TEST_F(MeterTest, Defaults)
{
    EXPECT_EQ(meter.Width(), 297);
    EXPECT_EQ(meter.Height(), 209);
    EXPECT_EQ(meter.MeterMaxValue(), 1);
    EXPECT_EQ(meter.MeterNrTicks(), 3);
    EXPECT_EQ(meter.MeterLayout(), mlCirc90);
    EXPECT_EQ(meter.Geometry().radius, 175);
    EXPECT_TRUE(meter.NeedleLayout().Visible());
    EXPECT_FALSE(meter.NeedleLayoutSec().Visible());
    EXPECT_EQ(meter.NeedleLayout().HeadAngle(), 30);
}

TEST_F(MeterTest, ValueAboveMaximumFiresOverflowOnceForRepeatedValue)
{
    Count();
    meter.SetValue(2);
    EXPECT_EQ(meter.Value(), 1);
    EXPECT_TRUE(meter.Overflow());
    EXPECT_EQ(over, 1);
    meter.SetValue(2);  // limited to the same stored value: no change
    EXPECT_EQ(over, 1);
    meter.SetValue(0.5);
    EXPECT_EQ(normal, 1);
    EXPECT_FALSE(meter.Overflow());
    meter.SetValue(-1);
    EXPECT_EQ(under, 1);
    EXPECT_TRUE(meter.Underflow());
}

TEST_F(MeterTest, HiddenMainNeedleClearsFlagsFiresNothingAndPaints)
{
    Count();
    meter.SetValue(1);
    meter.NeedleLayout().SetVisible(false);
    platform::RecordingDevice& rec = InstallRecorder(meter, 297, 209);
    meter.SetValue(0.5);
    EXPECT_FALSE(meter.Overflow());
    EXPECT_FALSE(meter.Underflow());
    EXPECT_EQ(over, 1);
    EXPECT_EQ(normal, 0);
    EXPECT_GT(rec.Count("Polygon"), 0);  // the main needle is drawn all the same
}

TEST_F(MeterTest, HiddenSecondNeedleStoresWithoutPainting)
{
    Count();
    meter.SetValue(1);
    platform::RecordingDevice& rec = InstallRecorder(meter, 297, 209);
    meter.SetValueSec(5);
    EXPECT_EQ(meter.ValueSec(), 1);
    EXPECT_FALSE(meter.Overflow());
    EXPECT_EQ(over, 1);
    EXPECT_EQ(rec.Calls().size(), 0u);
}

TEST_F(MeterTest, RangeSettersKeepMinimumBelowMaximum)
{
    meter.SetMeterMinValue(5);
    EXPECT_EQ(meter.MeterMaxValue(), 6);
    EXPECT_EQ(meter.Value(), 5);
    EXPECT_EQ(meter.ThresholdLow(), 5);
    meter.SetMeterMinValue(2);
    meter.SetMeterMaxValue(10);
    meter.SetLogarithmic(true);
    EXPECT_TRUE(meter.Logarithmic());
    meter.SetMeterMaxValue(0.5);  // 0.5 - 1 <= 0 gives a tenth of the maximum
    EXPECT_DOUBLE_EQ(meter.MeterMinValue(), 0.05);
    EXPECT_EQ(meter.Value(), 0.5);
    meter.SetMeterMinValue(0);  // below 1e-100 with the logarithm on: ignored
    EXPECT_DOUBLE_EQ(meter.MeterMinValue(), 0.05);
}

TEST_F(MeterTest, LogarithmicStaysOffWithMinimumZero)
{
    meter.SetLogarithmic(true);
    EXPECT_FALSE(meter.Logarithmic());
}

TEST_F(MeterTest, ThresholdsLimitEachOtherAndWatchTheValue)
{
    Count();
    meter.SetThresholdLow(0.3);  // Value 0 lies at or below it
    EXPECT_TRUE(meter.Underflow());
    EXPECT_EQ(under, 1);
    meter.SetThresholdHigh(0.2);
    EXPECT_EQ(meter.ThresholdLow(), 0.2);
    EXPECT_FALSE(meter.Overflow());
    meter.SetThresholdHigh(5);
    EXPECT_EQ(meter.ThresholdHigh(), 1);
    EXPECT_EQ(normal, 0);
}

TEST_F(MeterTest, ValuesStoredWhileLoadingAreCheckedWhenLoadingEnds)
{
    meter.BeginLoading();
    meter.SetMeterMinValue(0);
    meter.SetMeterMaxValue(-3);
    meter.SetLogarithmic(true);
    meter.SetValue(100);
    EXPECT_EQ(meter.Value(), 100);
    platform::RecordingDevice& rec = InstallRecorder(meter, 297, 209);
    EXPECT_EQ(rec.Calls().size(), 0u);
    meter.Loaded();
    EXPECT_EQ(meter.MeterMaxValue(), 1);
    EXPECT_FALSE(meter.Logarithmic());
    EXPECT_EQ(meter.Value(), 1);
    for (const auto& line : rec.Lines())
        EXPECT_EQ(line.find("nan"), std::string::npos) << line;
    EXPECT_GT(rec.Count("Polygon"), 0);
}

TEST_F(MeterTest, NeedlePolygonFollowsTheFormulas)
{
    // value 0: angle 135, length (175 - 4) = 171, tip (148 - 120.915, 191 - 120.915)
    const auto p = MeterNeedlePolygon(meter.Geometry(), meter.NeedleLayout(), 135);
    const std::array<platform::Point, 7> expected = {{{44, 80}, {27, 70}, {37, 87}, {41, 84}, {148, 191}, {148, 191}, {41, 84}}};
    EXPECT_EQ(p, expected);
    TNeedleLayout thick;
    thick.SetThickness(4);
    thick.SetPercentNeedleLength(50);  // 85.5
    const auto q = MeterNeedlePolygon(meter.Geometry(), thick, 90);
    EXPECT_EQ(q[1], (platform::Point{148, 106}));  // 191 - 85.5 = 105.5 rounds to even 106
    EXPECT_EQ(q[4], (platform::Point{146, 191}));
    EXPECT_EQ(q[5], (platform::Point{150, 191}));
}

TEST_F(MeterTest, PaintDrawsShadowThenNeedle)
{
    meter.NeedleLayout().SetShadowDx(3);
    meter.NeedleLayout().SetShadowDy(2);
    meter.SetScaleVisible(false);  // no label to keep clear of: the needle's full length
    platform::RecordingDevice& rec = InstallRecorder(meter, 297, 209);
    meter.SetCaption("V");
    const auto polys = rec.CallsNamed("Polygon");
    ASSERT_EQ(polys.size(), 2u);
    EXPECT_EQ(polys[0].ToString(), "Polygon(41,78 24,68 34,85 38,82 145,189 145,189 38,82)");
    EXPECT_EQ(polys[0].brush, "solid 0x808080");
    EXPECT_EQ(polys[1].ToString(), "Polygon(44,80 27,70 37,87 41,84 148,191 148,191 41,84)");
    EXPECT_EQ(polys[1].brush, "solid 0xC0C0C0");
}

TEST_F(MeterTest, TheNeedleStopsShortOfTheLabelItPointsAt)
{
    meter.SetMeterMaxValue(2);  // labels 0.0, 0.5 .. 2.0
    platform::RecordingDevice& rec = InstallRecorder(meter, 297, 209);
    for (double v : {0.0, 0.5, 1.0, 1.5, 2.0}) {
        meter.SetValue(v);
        rec.ClearLog();
        meter.SetCaption(std::to_string(v));  // painted once more
        const auto polys = rec.CallsNamed("Polygon");
        ASSERT_EQ(polys.size(), 1u);
        std::vector<platform::Point> points;
        std::istringstream in(polys[0].args[0]);
        for (std::string pt; in >> pt;)
            points.push_back({std::stoi(pt.substr(0, pt.find(','))), std::stoi(pt.substr(pt.find(',') + 1))});
        ASSERT_EQ(points.size(), 7u);
        int left = 1 << 20, top = 1 << 20, right = -left, bottom = -top;
        for (const platform::Point& q : points) {
            left = std::min(left, q.x);
            right = std::max(right, q.x);
            top = std::min(top, q.y);
            bottom = std::max(bottom, q.y);
        }
        const std::string label = MeterLabelText(v, 1);
        bool found = false;
        for (const auto& t : rec.CallsNamed("TextOut")) {
            if (t.args.back() != label)
                continue;
            found = true;
            // 6 pixels a character, 13 a line (Arial 8 on the recorder)
            const int x = std::stoi(t.args[0]), y = std::stoi(t.args[1]);
            const bool apart = right < x || left > x + 6 * static_cast<int>(label.size()) || bottom < y || top > y + 13;
            EXPECT_TRUE(apart) << label << " under the needle " << polys[0].ToString();
        }
        EXPECT_TRUE(found) << label;
        // still a long needle: its tip well past the middle of the radius
        const platform::Point tip = points[1];
        const double length = std::hypot(tip.x - meter.Geometry().centerX, tip.y - meter.Geometry().centerY);
        EXPECT_GT(length, 0.6 * meter.Geometry().radius) << label;
    }
}

TEST_F(MeterTest, LabelsTicksAndTheLabelHandler)
{
    platform::RecordingDevice& rec = InstallRecorder(meter, 297, 209);
    meter.OnBeforeDrawScaleLabel = [](TMeter*, platform::DrawingDevice&, std::string& text, int, int) {
        if (text == "0.4")
            text.clear();
    };
    meter.SetCaption("");
    std::vector<std::string> texts;
    for (const auto& c : rec.CallsNamed("TextOut"))
        texts.push_back(c.args.back());
    EXPECT_EQ(texts, (std::vector<std::string>{"0.0", "0.2", "0.6", "0.8", "1.0"}));
    // 6 major ticks of 8 pixels, 5 x 3 minor ones, the scale line as one arc
    EXPECT_EQ(rec.Count("Arc"), 1 + 2);  // with the two arcs of the hub
}

TEST_F(MeterTest, LogarithmicScaleLabelsOneTwoFive)
{
    meter.SetMeterMaxValue(1000);
    meter.SetMeterMinValue(1);
    meter.SetLogarithmic(true);
    platform::RecordingDevice& rec = InstallRecorder(meter, 297, 209);
    meter.SetCaption("");
    std::vector<std::string> texts;
    for (const auto& c : rec.CallsNamed("TextOut"))
        texts.push_back(c.args.back());
    EXPECT_EQ(texts, (std::vector<std::string>{"1.0", "2.0", "5.0", "10.0", "20.0", "50.0", "100.0", "200.0", "500.0",
                                               "1000.0"}));
}

TEST_F(MeterTest, TooSmallMeterDrawsNothing)
{
    meter.SetBounds(0, 0, 40, 30);
    EXPECT_LE(meter.Geometry().radius, 0);
    platform::RecordingDevice& rec = InstallRecorder(meter, 40, 30);
    meter.SetCaption("x");
    EXPECT_TRUE(rec.DrawingLines().empty());
}

TEST_F(MeterTest, LampsShowTheLimitState)
{
    meter.SetValue(1);
    const platform::Bitmap& img = meter.Buffer().Surface();
    EXPECT_EQ(img.Pixel(297 - 10 - 18 + 4, 8 + 8 + 4), clRed);   // high lamp
    EXPECT_EQ(img.Pixel(10 + 8 + 4, 8 + 8 + 4), clGray);        // low lamp
    EXPECT_EQ(img.Pixel(0, 100), clWhite);                       // raised frame: highlight left
}

TEST_F(MeterTest, MouseMoveReportsTheValue)
{
    meter.SetMeterMaxValue(10);
    bool within = false;
    double value = -1;
    meter.OnMouseMoveInMeter = [&](TMeter*, bool w, TShiftState, double v) {
        within = w;
        value = v;
    };
    meter.MouseMoveAt(148, 50, 0);
    EXPECT_TRUE(within);
    EXPECT_NEAR(value, 5, 1e-12);
}

TEST_F(MeterTest, AnchorMaskIsBuiltPerPixelWhateverTheDepth)
{
    QTemporaryDir dir;
    for (const auto format : {QImage::Format_RGB32, QImage::Format_Indexed8, QImage::Format_RGB888}) {
        QImage img(6, 4, QImage::Format_RGB32);
        img.fill(Qt::black);
        img.setPixel(2, 1, qRgb(200, 10, 10));
        img.setPixel(5, 3, qRgb(1, 0, 0));
        const QString path = dir.filePath(QString("anchor%1.bmp").arg(int(format)));
        ASSERT_TRUE(img.convertToFormat(format).save(path, "BMP"));
        meter.SetAnchorImage(path.toStdString());
        ASSERT_EQ(meter.AnchorImage(), path.toStdString());
        const platform::Bitmap& mask = meter.AnchorMask();
        ASSERT_EQ(mask.Width(), 6);
        ASSERT_EQ(mask.Height(), 4);
        EXPECT_EQ(mask.Pixel(2, 1), clBlack) << int(format);
        EXPECT_EQ(mask.Pixel(0, 0), clWhite) << int(format);
        EXPECT_EQ(mask.Pixel(5, 3), clBlack) << int(format);
    }
    meter.SetAnchorImage(dir.filePath("missing.bmp").toStdString());
    EXPECT_EQ(meter.AnchorImage(), "");
}

TEST_F(MeterTest, NeedleLayoutLimits)
{
    TNeedleLayout l;
    l.SetHeadAngle(200);
    EXPECT_EQ(l.HeadAngle(), 180);
    l.SetHeadAngle(-5);
    EXPECT_EQ(l.HeadAngle(), 0);
    l.SetPercentNeedleLength(150);
    EXPECT_EQ(l.PercentNeedleLength(), 100);
    int changes = 0;
    l.OnChange = [&](TNeedleLayout*) { ++changes; };
    l.SetHeadSize(20);
    EXPECT_EQ(changes, 0);
    l.SetHeadSize(25);
    EXPECT_EQ(changes, 1);
}

namespace {

// A meter with zones, a second needle and shadows, as the instruments bench draws it.
void SetUpBusyMeter(TMeter& m)
{
    m.SetMeterMaxValue(200);
    m.SetMeterNrTicks(10);
    m.SetThresholdLow(50);
    m.SetThresholdHigh(150);
    m.SetScaleBkWidth(10);
    m.SetScaleBkVisible(true);
    m.NeedleLayout().SetShadowDx(3);
    m.NeedleLayout().SetShadowDy(3);
    m.NeedleLayoutSec().SetVisible(true);
    m.NeedleLayoutSec().SetShadowDx(3);
    m.NeedleLayoutSec().SetShadowDy(3);
}

}  // namespace

// Value changes copy the dial kept from the last paint; every picture must be
// the one a new meter with the same settings paints from nothing.
TEST(MeterPixels, EveryPaintIsThePictureOfANewMeter)
{
    TMeter meter;
    SetUpBusyMeter(meter);
    std::vector<std::function<void(TMeter&)>> changes;
    auto check = [&](const char* what) {
        meter.ForcePaint();
        TMeter fresh;
        SetUpBusyMeter(fresh);
        for (const auto& c : changes)
            c(fresh);
        // the second needle first: the last value set decides the lamps
        fresh.SetValueSec(meter.ValueSec());
        fresh.SetValue(meter.Value());
        fresh.SetBounds(0, 0, meter.Width(), meter.Height());
        fresh.ForcePaint();
        EXPECT_EQ(DifferingPixels(meter.Buffer().Surface(), fresh.Buffer().Surface()), 0) << what;
    };
    auto change = [&](std::function<void(TMeter&)> c) {
        c(meter);
        changes.push_back(std::move(c));
    };
    meter.SetValue(30);
    check("first value");
    for (double v : {70.0, 120.0, 190.0, 5.0}) {
        meter.SetValueSec(200 - v);
        meter.SetValue(v);
        check(("values " + std::to_string(v)).c_str());
    }
    change([](TMeter& m) { m.SetCaption("Volts"); });
    meter.SetValue(60);
    check("caption");
    meter.SetHoldPaint(true);
    change([](TMeter& m) { m.SetColorScale(clMaroon); });
    meter.SetValue(140);
    meter.SetHoldPaint(false);
    check("colour changed while held");
    change([](TMeter& m) { m.SetBounds(0, 0, 260, 180); });
    meter.SetValue(100);
    check("resized");
    change([](TMeter& m) { m.SetThresholdHigh(170); });
    meter.SetValue(101);
    check("threshold");
    change([](TMeter& m) { m.SetFont(TInstrumentFont{platform::FontDesc{"Arial", -13, 700}, clGreen}); });
    meter.SetValue(102);
    check("font");
    // a hook that draws on the meter: painted in full
    int hooked = 0;
    meter.OnMeterRendered = [&hooked](TMeter*, platform::DrawingDevice&) { ++hooked; };
    meter.SetValue(103);
    meter.OnMeterRendered = nullptr;
    EXPECT_GT(hooked, 0);
    check("after a hook");
}

// A rim change paints with the old geometry; sizes that come back to the
// first one then lay the dial out with the new rims.
TEST(MeterPixels, RimsThenSizesBackToTheFirstDrawTheDialOfTheNewGeometry)
{
    std::vector<std::function<void(TMeter&)>> changes = {
        [](TMeter& m) { m.SetValue(0.4); },
        [](TMeter& m) { m.SetRimTop(40); },
        [](TMeter& m) { m.SetBounds(0, 0, 250, 180); },
        [](TMeter& m) { m.SetBounds(0, 0, 297, 209); },
    };
    TMeter meter;
    for (std::size_t i = 0; i < changes.size(); ++i) {
        changes[i](meter);
        if (i != 2)  // no paint between the two sizes
            meter.ForcePaint();
    }
    TMeter fresh;
    fresh.SetHoldPaint(true);
    for (const auto& c : changes)
        c(fresh);
    fresh.ForcePaint();
    EXPECT_EQ(DifferingPixels(meter.Buffer().Surface(), fresh.Buffer().Surface()), 0);
}

// A rim change painted, then a size a few pixels wider and back: the picture
// of a new meter given the rim and then its size (each size given lays the
// dial out, also the size the meter has).
TEST(MeterPixels, ARimChangeThenASizeRoundTripPaintsAsANewMeterGivenRimAndSize)
{
    for (const int wider : {298, 300, 310}) {
        SCOPED_TRACE(wider);
        TMeter meter;
        meter.ForcePaint();
        meter.SetRimTop(40);
        meter.ForcePaint();
        meter.SetBounds(0, 0, wider, 209);
        meter.SetBounds(0, 0, 297, 209);
        meter.ForcePaint();
        TMeter fresh;
        fresh.SetHoldPaint(true);
        fresh.SetRimTop(40);
        fresh.SetBounds(0, 0, 297, 209);
        fresh.ForcePaint();
        EXPECT_EQ(DifferingPixels(meter.Buffer().Surface(), fresh.Buffer().Surface()), 0);
    }
}

// Random sequences of rims, colours, scale settings, sizes and values, with
// paints between them: after each step the picture equals a new meter's that
// took the same steps unpainted, where a trip off a size and back (painted
// on the way or not) is for the new meter that size given once more.
TEST(MeterPixels, RandomPropertySequencesPaintAsANewMeter)
{
    using Change = std::function<void(TMeter&)>;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 random(seed);
        const auto pick = [&random](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
        const TColor colours[] = {clRed, clNavy, clWhite, clLime, 0x336699, clBlack};
        const auto colour = [&] { return colours[pick(0, 5)]; };
        std::vector<Change> changes;
        TMeter meter;
        for (int step = 0; step < 30; ++step) {
            Change c;
            const int kind = pick(0, 24);
            if (kind > 20) {
                // a few pixels off the size and back
                const int w = meter.Width(), h = meter.Height(), dw = pick(-6, 12), dh = pick(-6, 6);
                const bool paintOff = pick(0, 1) != 0;
                meter.SetBounds(0, 0, w + dw, h + dh);
                if (paintOff)
                    meter.ForcePaint();
                meter.SetBounds(0, 0, w, h);
                changes.push_back([w, h](TMeter& m) { m.SetBounds(0, 0, w, h); });
                if (pick(0, 2) == 0)
                    continue;
                meter.ForcePaint();
                TMeter fresh;
                fresh.SetHoldPaint(true);
                for (const auto& done : changes)
                    done(fresh);
                fresh.ForcePaint();
                ASSERT_EQ(DifferingPixels(meter.Buffer().Surface(), fresh.Buffer().Surface()), 0)
                    << "seed " << seed << " step " << step << " (size round trip)";
                continue;
            }
            switch (kind > 15 ? 3 : kind) {  // sizes change often
            case 0: { const int v = pick(0, 40); c = [v](TMeter& m) { m.SetRimTop(v); }; break; }
            case 1: { const int v = pick(0, 40); c = [v](TMeter& m) { m.SetRimSide(v); }; break; }
            case 2: { const int v = pick(0, 40); c = [v](TMeter& m) { m.SetRimBottom(v); }; break; }
            case 3: {
                // a few sizes, so that a size comes back
                const int sizes[][2] = {{297, 209}, {250, 180}, {330, 240}, {160, 120}};
                const int k = pick(0, 3), w = sizes[k][0], h = sizes[k][1];
                c = [w, h](TMeter& m) { m.SetBounds(0, 0, w, h); };
                break;
            }
            case 4: { const TColor v = colour(); c = [v](TMeter& m) { m.SetColorBakG(v); }; break; }
            case 5: { const TColor v = colour(); c = [v](TMeter& m) { m.SetColorScale(v); }; break; }
            case 6: { const TColor v = colour(); c = [v](TMeter& m) { m.SetColorSclBkNorm(v); }; break; }
            case 7: { const TColor v = colour(); c = [v](TMeter& m) { m.SetColorCover(v); }; break; }
            case 8: {
                const auto v = static_cast<TMeterLayout>(pick(0, 5));
                c = [v](TMeter& m) { m.SetMeterLayout(v); };
                break;
            }
            case 9: { const int v = pick(2, 12); c = [v](TMeter& m) { m.SetMeterNrTicks(v); }; break; }
            case 10: {
                const double lo = pick(-50, 50), hi = lo + pick(1, 500);
                c = [lo, hi](TMeter& m) { m.SetMeterMaxValue(hi); m.SetMeterMinValue(lo); };
                break;
            }
            case 11: {
                const bool on = pick(0, 1) != 0;
                const double w = pick(0, 60);
                c = [on, w](TMeter& m) { m.SetScaleBkVisible(on); m.SetScaleBkWidth(w); };
                break;
            }
            case 12: { const bool v = pick(0, 1) != 0; c = [v](TMeter& m) { m.SetMeterShortTicks(v); }; break; }
            case 13: { const int v = pick(0, 3); c = [v](TMeter& m) { m.SetMeterDecPlaces(v); }; break; }
            case 14: {
                const std::string v = pick(0, 1) ? "Volts" : "";
                c = [v](TMeter& m) { m.SetCaption(v); };
                break;
            }
            default: {
                const double f = pick(0, 100) / 100.0;
                c = [f](TMeter& m) { m.SetValue(m.MeterMinValue() + f * (m.MeterMaxValue() - m.MeterMinValue())); };
                break;
            }
            }
            c(meter);
            changes.push_back(c);
            if (pick(0, 2) != 0)
                continue;  // not every step paints
            meter.ForcePaint();
            TMeter fresh;
            fresh.SetHoldPaint(true);
            for (const auto& done : changes)
                done(fresh);
            fresh.ForcePaint();
            ASSERT_EQ(DifferingPixels(meter.Buffer().Surface(), fresh.Buffer().Surface()), 0)
                << "seed " << seed << " step " << step;
        }
    }
}

// A meter whose rims leave no dial paints nothing: the window shows through,
// not the last dial.
TEST(MeterPixels, AMeterWithoutRoomForItsDialShowsNoOldDial)
{
    QWidget parent;
    parent.resize(320, 240);
    FillWithColour(parent, QColor(10, 20, 30));
    auto* meter = new TMeter(&parent);
    parent.show();
    meter->ForcePaint();
    ASSERT_NE(QColor(meter->grab().toImage().pixel(150, 100)), QColor(10, 20, 30));
    meter->SetRimTop(120);
    meter->SetRimBottom(120);
    meter->SetBounds(0, 0, 298, 209);  // the rims now leave no radius
    ASSERT_LE(meter->Geometry().radius, 0);
    meter->ForcePaint();
    const QImage shot = meter->grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(150, 100)), QColor(10, 20, 30));
    EXPECT_EQ(QColor(shot.pixel(5, 5)), QColor(10, 20, 30));
}
