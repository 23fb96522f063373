#include "chart/plot_panel_extended.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>

#include <functional>
#include <vector>

#include "platform/qt_drawing_device.h"
#include "support/written_names.h"
#include "testing/recording_device.h"

namespace {

class TTestExtendedPanel : public TCustomPlotPanelExtended {
public:
    using TCustomPlotPanelExtended::TCustomPlotPanelExtended;
    std::function<void()> OnDraw;

protected:
    void InternalDraw(const TRect& R) override
    {
        if (OnDraw)
            OnDraw();
        else
            PanelPaint(R);
    }
};

TBitmap Picture(int w, int h, TColor c)
{
    TBitmap b(w, h);
    b.Fill(c);
    return b;
}

std::vector<std::uint8_t> Stream(const std::function<void(TPropertyWriter&)>& body)
{
    TPropertyWriter w;
    w.WriteListBegin();
    body(w);
    w.WriteListEnd();
    return w.Data();
}

void Read(TCustomPlotPanel& panel, const std::vector<std::uint8_t>& data)
{
    TPropertyReader r(data);
    r.ReadListBegin();
    panel.ReadProperties(r);
}

bool Written(const TCustomPlotPanel& panel, const std::string& name)
{
    TPropertyWriter w;
    panel.WriteProperties(w);
    const auto& d = w.Data();
    const std::string text(d.begin(), d.end());
    return text.find(name) != std::string::npos;
}

}  // namespace

// ---- streaming ----

TEST(TCustomPlotPanelExtendedStreaming, ObsoleteZoomNamesAreReadAndNeverWritten)
{
    TTestExtendedPanel panel;
    Read(panel, Stream([](TPropertyWriter& w) {
             w.WritePropName("AllowZoom");
             w.WriteBoolean(false);
             w.WritePropName("AnimatedZoom");
             w.WriteBoolean(true);
             w.WritePropName("AnimatedZoomSteps");
             w.WriteInteger(3);
         }));
    EXPECT_FALSE(panel.Zoom()->Allow);
    EXPECT_TRUE(panel.Zoom()->Animated);
    EXPECT_EQ(panel.Zoom()->AnimatedSteps, 3);
    EXPECT_FALSE(Written(panel, "AllowZoom"));
    EXPECT_FALSE(Written(panel, "AnimatedZoom"));
    EXPECT_TRUE(Written(panel, "Zoom.Allow"));
    EXPECT_TRUE(Written(panel, "Zoom.AnimatedSteps"));
}

TEST(TCustomPlotPanelExtendedStreaming, PrintMarginsWrittenOnlyWhenChanged)
{
    TTestExtendedPanel panel;
    EXPECT_FALSE(Written(panel, "PrintMargins"));
    panel.SetPrintMargins(TRect{10, 15, 15, 15});
    EXPECT_TRUE(Written(panel, "PrintMargins"));

    TPropertyWriter w;
    w.WriteListBegin();
    panel.WriteProperties(w);
    w.WriteListEnd();
    TTestExtendedPanel target;
    Read(target, w.Data());
    EXPECT_EQ(target.PrintMargins(), (TRect{10, 15, 15, 15}));
}

class TPrintMarginsFault : public ::testing::TestWithParam<std::function<void(TPropertyWriter&)>> {};

TEST_P(TPrintMarginsFault, IsOneReadErrorThatChangesNothing)
{
    TTestExtendedPanel panel;
    panel.SetPrintMargins(TRect{1, 2, 3, 4});
    const auto data = Stream([&](TPropertyWriter& w) {
        w.WritePropName("PrintMargins");
        GetParam()(w);
        w.WritePropName("BorderRound");
        w.WriteInteger(5);
    });
    EXPECT_THROW(Read(panel, data), EReadError);
    EXPECT_EQ(panel.PrintMargins(), (TRect{1, 2, 3, 4}));
    EXPECT_EQ(panel.BorderRound(), 0);
    EXPECT_FALSE(panel.Loading());
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, TPrintMarginsFault,
    ::testing::Values(
        [](TPropertyWriter& w) {  // three integers
            w.WriteListBegin();
            for (int v : {7, 8, 9})
                w.WriteInteger(v);
            w.WriteListEnd();
        },
        [](TPropertyWriter& w) {  // five integers
            w.WriteListBegin();
            for (int v : {7, 8, 9, 10, 11})
                w.WriteInteger(v);
            w.WriteListEnd();
        },
        [](TPropertyWriter& w) {  // a text among them
            w.WriteListBegin();
            w.WriteInteger(7);
            w.WriteString("8");
            w.WriteInteger(9);
            w.WriteInteger(10);
            w.WriteListEnd();
        },
        [](TPropertyWriter& w) {  // an integer past the range
            w.WriteListBegin();
            for (std::int64_t v : {std::int64_t{7}, std::int64_t{1} << 40, std::int64_t{9}, std::int64_t{10}})
                w.WriteInteger(v);
            w.WriteListEnd();
        },
        [](TPropertyWriter& w) { w.WriteInteger(15); },  // no list
        [](TPropertyWriter& w) {                         // an empty list
            w.WriteListBegin();
            w.WriteListEnd();
        }));

TEST(TCustomPlotPanelExtendedStreaming, TruncatedPrintMarginsIsAReadError)
{
    TTestExtendedPanel panel;
    TPropertyWriter w;
    w.WriteListBegin();
    w.WritePropName("PrintMargins");
    w.WriteListBegin();
    w.WriteInteger(1);
    w.WriteInteger(2);
    TPropertyReader r(w.Data());
    r.ReadListBegin();
    EXPECT_THROW(panel.ReadProperties(r), EReadError);
    EXPECT_EQ(panel.PrintMargins(), (TRect{15, 15, 15, 15}));
}

TEST(TCustomPlotPanelExtendedStreaming, RoundTripOfZoomBackImageAndGradient)
{
    TTestExtendedPanel source;
    source.SetAllowPanning(pmVertical);
    source.Zoom()->Direction = tzdHorizontal;
    source.Zoom()->KeyShift = ssCtrl | ssShift;
    source.Zoom()->MinimumPixels = 5;
    source.Zoom()->Pen()->SetColor(clRed);
    source.Zoom()->Brush()->SetStyle(bsSolid);
    source.BackImage()->SetMode(pbmTile);
    source.BackImage()->SetLeft(3);
    source.Gradient()->SetVisible(true);
    source.Gradient()->SetStartColor(clBlue);
    TPropertyWriter w;
    w.WriteListBegin();
    source.WriteProperties(w);
    w.WriteListEnd();

    TTestExtendedPanel target;
    Read(target, w.Data());
    EXPECT_EQ(target.AllowPanning(), pmVertical);
    EXPECT_EQ(target.Zoom()->Direction, tzdHorizontal);
    EXPECT_EQ(target.Zoom()->KeyShift, ssCtrl | ssShift);
    EXPECT_EQ(target.Zoom()->MinimumPixels, 5);
    EXPECT_EQ(target.Zoom()->Pen()->Color(), clRed);
    EXPECT_EQ(target.Zoom()->Brush()->Style(), bsSolid);
    EXPECT_EQ(target.BackImageMode(), pbmTile);
    EXPECT_EQ(target.BackImage()->Left(), 3);
    EXPECT_TRUE(target.Gradient()->Visible());
    EXPECT_EQ(target.Gradient()->StartColor(), clBlue);
}

TEST(TCustomPlotPanelExtendedStreaming, DefaultExtendedPanelWritesNothing)
{
    TTestExtendedPanel panel;
    EXPECT_TRUE(WithoutShadowsStoredAlways(WrittenPropertyNames([&](TPropertyWriter& w) { panel.WriteProperties(w); }))
                    .empty());
}

TEST(TCustomPlotPanelExtendedAssign, CopiesImageGradientPanningAndZoom)
{
    TTestExtendedPanel source, target;
    source.SetAllowPanning(pmNone);
    const TBitmap image = Picture(8, 6, clGreen);
    source.BackImage()->SetGraphic(&image);
    source.BackImage()->SetInside(true);
    source.Gradient()->SetEndColor(clRed);
    source.Zoom()->AnimatedSteps = 2;
    source.Zoom()->KeyShift = ssAlt;
    source.SetBorderRound(4);
    target.Assign(source);
    EXPECT_EQ(target.AllowPanning(), pmNone);
    ASSERT_TRUE(target.HasBackImage());
    EXPECT_TRUE(target.BackImageInside());
    EXPECT_EQ(target.Gradient()->EndColor(), clRed);
    EXPECT_EQ(target.Zoom()->AnimatedSteps, 2);
    EXPECT_EQ(target.Zoom()->KeyShift, ssAlt);
    EXPECT_EQ(target.BorderRound(), 4);
}

// ---- painting ----

TEST(TCustomPlotPanelExtendedPaint, ZoomRectangleDrawnTwiceLeavesTheImage)
{
    TTestExtendedPanel panel;
    panel.SetColor(clTeal);
    panel.Draw(panel.WindowCanvas(), panel.GetRectangle());
    const platform::Bitmap before = panel.WindowCanvas()->Surface();
    panel.Zoom()->Activate(20, 30);
    panel.Zoom()->X1 = 150;
    panel.Zoom()->Y1 = 90;
    panel.DrawZoomRectangle();
    const platform::Bitmap once = panel.WindowCanvas()->Surface();
    EXPECT_FALSE(once == before);
    panel.DrawZoomRectangle();
    EXPECT_TRUE(panel.WindowCanvas()->Surface() == before);
}

TEST(TCustomPlotPanelExtendedPaint, BackFillIsThePanelColourOrTheGradient)
{
    TTestExtendedPanel panel;
    panel.SetColor(clRed);
    panel.Draw(panel.WindowCanvas(), panel.GetRectangle());
    EXPECT_EQ(panel.WindowCanvas()->Surface().Pixel(200, 125), clRed);
    panel.Gradient()->SetVisible(true);
    panel.Gradient()->SetStartColor(clBlue);
    panel.Gradient()->SetEndColor(clBlue);
    panel.Draw(panel.WindowCanvas(), panel.GetRectangle());
    EXPECT_EQ(panel.WindowCanvas()->Surface().Pixel(200, 125), clBlue);
}

TEST(TCustomPlotPanelExtendedPaint, ShadowFillsAroundInTheParentColour)
{
    TTestExtendedPanel panel;
    panel.SetColor(clRed);
    panel.Shadow()->SetHorizSize(4);
    panel.Shadow()->SetVertSize(4);
    panel.Shadow()->SetColor(clBlack);
    panel.Shadow()->SetSmooth(false);
    panel.SetBevelOuter(bvNone);
    panel.Draw(panel.WindowCanvas(), panel.GetRectangle());
    const platform::Bitmap& s = panel.WindowCanvas()->Surface();
    // no parent: the surrounding fill is the panel's own colour
    EXPECT_EQ(s.Pixel(399, 0), clRed);
    EXPECT_EQ(s.Pixel(10, 10), clRed);
    // the body ends at 400 - (2 x 4 + 1) + 1 = 392; the shadow, 4 to the
    // right of the shrunk rectangle (right 391), fills 391..394 with no pen
    EXPECT_EQ(s.Pixel(391, 125), clRed);
    EXPECT_EQ(s.Pixel(392, 125), clBlack);
    EXPECT_EQ(s.Pixel(394, 125), clBlack);
    EXPECT_EQ(s.Pixel(395, 125), clRed);
    EXPECT_EQ(s.Pixel(10, 243), clBlack);
    EXPECT_EQ(s.Pixel(2, 243), clRed);
}

// ---- interaction on an offscreen window ----

namespace {

// What the chart control does with the panel's state objects: a left drag
// zooms (drawing the rectangle in not-xor as it goes), a right drag pans.
class TZoomPanListener : public IChartEventListener {
public:
    explicit TZoomPanListener(TCustomPlotPanelExtended& panel) : Panel(panel) {}
    void HandleChartEvent(TPlotEvent& Event) override
    {
        auto* m = dynamic_cast<TPlotMouseEvent*>(&Event);
        if (!m)
            return;
        TPlotZoom& zoom = *Panel.Zoom();
        if (m->Event == meDown && m->Button == zoom.MouseButton) {
            zoom.Activate(m->X, m->Y);
        } else if (m->Event == meDown && m->Button == mbRight) {
            Panel.Panning().Activate(m->X, m->Y);
        } else if (m->Event == meMove && zoom.Active) {
            Panel.DrawZoomRectangle();
            zoom.X1 = m->X;
            zoom.Y1 = m->Y;
            Panel.DrawZoomRectangle();
        } else if (m->Event == meMove && Panel.Panning().Active) {
            Panned.push_back(m->X - Panel.Panning().X1);
            Panel.Panning().X1 = m->X;
            Panel.Panning().Y1 = m->Y;
        } else if (m->Event == meUp && zoom.Active) {
            Panel.DrawZoomRectangle();
            zoom.Active = false;
            zoom.Check();
            Zoomed = TRect{zoom.X0, zoom.Y0, zoom.X1, zoom.Y1};
            Panel.Zoomed = true;
        } else if (m->Event == meUp) {
            Panel.Panning().Active = false;
        }
    }
    TCustomPlotPanelExtended& Panel;
    TRect Zoomed;
    std::vector<int> Panned;
};

void Send(QWidget& w, QEvent::Type type, int x, int y, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent e(type, QPointF(x, y), QPointF(x, y), button, held, Qt::NoModifier);
    QApplication::sendEvent(&w, &e);
}

}  // namespace

TEST(TCustomPlotPanelExtendedInteraction, ZoomAndPanDrivenByMouseEvents)
{
    TTestExtendedPanel panel;
    panel.show();
    QApplication::processEvents();
    panel.Draw(panel.WindowCanvas(), panel.GetRectangle());
    const platform::Bitmap before = panel.WindowCanvas()->Surface();
    TZoomPanListener listener(panel);
    panel.Listeners().Add(&listener);

    Send(panel, QEvent::MouseButtonPress, 150, 100, Qt::LeftButton, Qt::LeftButton);
    Send(panel, QEvent::MouseMove, 120, 90, Qt::NoButton, Qt::LeftButton);
    Send(panel, QEvent::MouseMove, 60, 40, Qt::NoButton, Qt::LeftButton);
    EXPECT_FALSE(panel.WindowCanvas()->Surface() == before);
    Send(panel, QEvent::MouseButtonRelease, 60, 40, Qt::LeftButton, Qt::NoButton);
    EXPECT_TRUE(panel.Zoomed);
    EXPECT_EQ(listener.Zoomed, (TRect{60, 40, 150, 100}));
    // every rectangle drawn was drawn again: the picture is back
    EXPECT_TRUE(panel.WindowCanvas()->Surface() == before);

    int undone = 0;
    panel.OnUndoZoom = [&](TCustomPlotPanelExtended&) { ++undone; };
    panel.UndoZoom();
    EXPECT_EQ(undone, 1);
    EXPECT_FALSE(panel.Zoomed);

    Send(panel, QEvent::MouseButtonPress, 100, 100, Qt::RightButton, Qt::RightButton);
    EXPECT_TRUE(panel.Panning().Active);
    Send(panel, QEvent::MouseMove, 110, 100, Qt::NoButton, Qt::RightButton);
    Send(panel, QEvent::MouseMove, 125, 100, Qt::NoButton, Qt::RightButton);
    EXPECT_EQ(listener.Panned, (std::vector<int>{10, 15}));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&panel, &leave);
    EXPECT_FALSE(panel.Panning().Active);
}
