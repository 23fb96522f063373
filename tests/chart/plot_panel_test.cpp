#include "chart/plot_panel.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>

#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

#include "platform/qt_drawing_device.h"
#include "support/written_names.h"
#include "testing/recording_device.h"

namespace {

// A panel that counts its draws and may be told to fail one.
class TTestPanel : public TCustomPlotPanel {
public:
    using TCustomPlotPanel::TCustomPlotPanel;
    int Draws = 0;
    bool FailNextDraw = false;
    bool AutoRepaintWhileDrawing = true;
    // drawing of the test, inside the draw
    std::function<void()> OnDraw;

protected:
    void InternalDraw(const TRect&) override
    {
        ++Draws;
        if (OnDraw)
            OnDraw();
        AutoRepaintWhileDrawing = AutoRepaint();
        if (FailNextDraw) {
            FailNextDraw = false;
            throw std::runtime_error("draw failed");
        }
    }
};

// Records what it hears; may cancel mouse events or remove listeners.
class TRecordingListener : public IChartEventListener {
public:
    explicit TRecordingListener(TCustomPlotPanel& panel) : Panel(panel) {}
    void HandleChartEvent(TPlotEvent& Event) override
    {
        ++Heard;
        Sender = Event.Sender;
        if (auto* mouse = dynamic_cast<TPlotMouseEvent*>(&Event))
            Mouse.push_back(*mouse);
        if (dynamic_cast<TPlotView3DEvent*>(&Event)) {
            ++ViewEvents;
            if (auto* canvas = dynamic_cast<TPlotCanvas3D*>(Panel.Canvas()))
                BufferStaleAtViewEvent = canvas->BufferInvalid;
        }
        if (CancelMouse)
            Panel.CancelMouse = true;
        if (RemoveSelf)
            Panel.RemoveListener(this);
        if (Remove)
            Panel.RemoveListener(Remove);
    }
    TCustomPlotPanel& Panel;
    int Heard = 0;
    int ViewEvents = 0;
    bool BufferStaleAtViewEvent = false;
    TCustomPlotPanel* Sender = nullptr;
    std::vector<TPlotMouseEvent> Mouse;
    bool CancelMouse = false;
    bool RemoveSelf = false;
    IChartEventListener* Remove = nullptr;
};

TRect DrawnChartRect(TTestPanel& panel)
{
    panel.Draw(panel.WindowCanvas(), panel.GetRectangle());
    return panel.ChartRect;
}

}  // namespace

// ---- chart rectangle (values worked out by hand from the margin rules) ----

TEST(TCustomPlotPanelChartRect, DefaultPanelOfNewSize)
{
    TTestPanel panel;
    EXPECT_EQ(panel.width(), 400);
    EXPECT_EQ(panel.height(), 250);
    // frame 1 (raised outer bevel); margins 3% of 400 = 12, 4% of 250 = 10
    EXPECT_EQ(DrawnChartRect(panel), (TRect{13, 11, 387, 239}));
    EXPECT_EQ(panel.ChartBounds, (TRect{0, 0, 400, 250}));
    EXPECT_EQ(panel.ChartWidth, 374);
    EXPECT_EQ(panel.ChartHeight, 228);
    EXPECT_EQ(panel.ChartXCenter, 200);
    EXPECT_EQ(panel.ChartYCenter, 125);
}

TEST(TCustomPlotPanelChartRect, WithoutBevels)
{
    TTestPanel panel;
    panel.SetBevelOuter(bvNone);
    EXPECT_EQ(DrawnChartRect(panel), (TRect{12, 10, 388, 240}));
}

TEST(TCustomPlotPanelChartRect, BothBevelsAndBorderWidthOnOddSize)
{
    TTestPanel panel;
    panel.resize(199, 101);
    panel.SetBevelInner(bvLowered);
    panel.SetBevelWidth(2);
    panel.SetBorderWidth(3);
    // frame 3 + 2 + 2 = 7; 3% of 199 = 5 (5.97 truncated), 4% of 101 = 4
    EXPECT_EQ(DrawnChartRect(panel), (TRect{12, 11, 187, 90}));
    EXPECT_EQ(panel.ChartXCenter, 99);
    EXPECT_EQ(panel.ChartYCenter, 50);
}

TEST(TCustomPlotPanelChartRect, VisibleBorderAndPixelMargins)
{
    TTestPanel panel;
    panel.SetBevelOuter(bvNone);
    panel.Border()->SetVisible(true);
    panel.Border()->SetWidth(2);
    panel.SetMarginUnits(muPixels);
    panel.SetMarginLeft(10);
    panel.SetMarginTop(20);
    panel.SetMarginRight(30);
    panel.SetMarginBottom(40);
    EXPECT_EQ(DrawnChartRect(panel), (TRect{12, 22, 368, 208}));
}

TEST(TCustomPlotPanelChartRect, ShadowTakesTwiceItsSizeOffRightAndBottom)
{
    TTestPanel panel;
    panel.Shadow()->SetHorizSize(5);
    panel.Shadow()->SetVertSize(6);
    EXPECT_EQ(DrawnChartRect(panel), (TRect{13, 11, 377, 227}));
}

TEST(TCustomPlotPanelChartRect, CrossedMarginsGiveOnePixelWidth)
{
    TTestPanel panel;
    panel.resize(3, 250);
    panel.SetMarginLeft(50);
    panel.SetMarginRight(50);
    // Left = 1 + 1 = 2, Right = 3 - 1 - 1 = 1: crossed
    const TRect r = DrawnChartRect(panel);
    EXPECT_EQ(r.Left, 2);
    EXPECT_EQ(r.Right, 3);
    EXPECT_EQ(panel.ChartWidth, 1);
}

TEST(TCustomPlotPanelChartRect, EqualEdgesGiveThePanelWidth)
{
    TTestPanel panel;
    panel.resize(4, 250);
    panel.SetBevelOuter(bvNone);
    panel.SetMarginLeft(50);
    panel.SetMarginRight(50);
    const TRect r = DrawnChartRect(panel);
    EXPECT_EQ(r.Left, 2);
    EXPECT_EQ(r.Right, 6);
}

TEST(TCustomPlotPanelChartRect, CustomChartRectIsKept)
{
    TTestPanel panel;
    panel.CustomChartRect = true;
    panel.ChartRect = TRect{20, 30, 120, 80};
    EXPECT_EQ(DrawnChartRect(panel), (TRect{20, 30, 120, 80}));
    EXPECT_EQ(panel.ChartWidth, 100);
    EXPECT_EQ(panel.ChartHeight, 50);
}

// ---- repaint ----

TEST(TCustomPlotPanelRepaint, InvalidateOnlyUnderAutoRepaint)
{
    TTestPanel panel;
    auto* canvas = dynamic_cast<TPlotCanvas3D*>(panel.Canvas());
    ASSERT_NE(canvas, nullptr);
    panel.Draw(panel.WindowCanvas(), panel.GetRectangle());
    EXPECT_FALSE(canvas->BufferInvalid);
    panel.SetAutoRepaint(false);
    panel.SetMarginLeft(10);
    EXPECT_FALSE(canvas->BufferInvalid);
    panel.SetAutoRepaint(true);
    panel.SetMarginLeft(10);  // unchanged: no repaint
    EXPECT_FALSE(canvas->BufferInvalid);
    panel.SetMarginLeft(11);
    EXPECT_TRUE(canvas->BufferInvalid);
}

TEST(TCustomPlotPanelRepaint, RepaintIsOffWhileDrawing)
{
    TTestPanel panel;
    panel.Draw(panel.WindowCanvas(), panel.GetRectangle());
    EXPECT_FALSE(panel.AutoRepaintWhileDrawing);
    EXPECT_TRUE(panel.AutoRepaint());
}

TEST(TCustomPlotPanelRepaint, FailedDrawGivesRepaintingBack)
{
    TTestPanel panel;
    auto* canvas = dynamic_cast<TPlotCanvas3D*>(panel.Canvas());
    panel.FailNextDraw = true;
    EXPECT_THROW(panel.Draw(panel.WindowCanvas(), panel.GetRectangle()), std::runtime_error);
    EXPECT_TRUE(panel.AutoRepaint());
    EXPECT_TRUE(canvas->BufferInvalid);
    // the next draw runs and completes
    panel.Draw(panel.WindowCanvas(), panel.GetRectangle());
    EXPECT_EQ(panel.Draws, 2);
    EXPECT_FALSE(canvas->BufferInvalid);
    panel.SetMarginTop(9);
    EXPECT_TRUE(canvas->BufferInvalid);
}

TEST(TCustomPlotPanelRepaint, GuardRestoresAnEarlierOffState)
{
    TTestPanel panel;
    panel.SetAutoRepaint(false);
    {
        TAutoRepaintOff off(panel);
        EXPECT_FALSE(panel.AutoRepaint());
    }
    EXPECT_FALSE(panel.AutoRepaint());
    panel.SetAutoRepaint(true);
    try {
        TAutoRepaintOff off(panel);
        throw std::runtime_error("x");
    } catch (const std::runtime_error&) {
    }
    EXPECT_TRUE(panel.AutoRepaint());
}

// ---- view 3D and listeners ----

TEST(TCustomPlotPanelView3D, OneEventPerRealChangeAfterTheRepaintRequest)
{
    TTestPanel panel;
    TRecordingListener listener(panel);
    panel.Listeners().Add(&listener);
    panel.Draw(panel.WindowCanvas(), panel.GetRectangle());
    panel.SetView3D(true);
    EXPECT_EQ(listener.ViewEvents, 0);
    panel.SetView3D(false);
    EXPECT_EQ(listener.ViewEvents, 1);
    EXPECT_TRUE(listener.BufferStaleAtViewEvent);
    EXPECT_EQ(listener.Sender, &panel);
    panel.SetView3D(false);
    EXPECT_EQ(listener.ViewEvents, 1);
    panel.SetView3D(true);
    EXPECT_EQ(listener.ViewEvents, 2);
}

TEST(TCustomPlotPanelListeners, AddOnceAndRemove)
{
    TTestPanel panel;
    TRecordingListener a(panel), b(panel);
    EXPECT_EQ(panel.Listeners().Add(&a), 0);
    EXPECT_EQ(panel.Listeners().Add(&b), 1);
    EXPECT_EQ(panel.Listeners().Add(&a), 0);
    EXPECT_EQ(panel.Listeners().Count(), 2);
    EXPECT_EQ(panel.Listeners().Remove(&a), 0);
    EXPECT_EQ(panel.Listeners().Remove(&a), -1);
    EXPECT_EQ(panel.Listeners()[0], &b);
}

TEST(TCustomPlotPanelListeners, CancelMouseStopsOnlyMouseEvents)
{
    TTestPanel panel;
    TRecordingListener first(panel), second(panel);
    first.CancelMouse = true;
    panel.Listeners().Add(&first);
    panel.Listeners().Add(&second);
    panel.BroadcastMouseEvent(meDown, mbLeft, 0, 5, 6);
    EXPECT_EQ(first.Heard, 1);
    EXPECT_EQ(second.Heard, 0);
    TPlotView3DEvent view;
    panel.Broadcast(view);
    EXPECT_EQ(first.Heard, 2);
    EXPECT_EQ(second.Heard, 1);
}

TEST(TCustomPlotPanelListeners, ListenerRemovingItselfDoesNotSkipTheNext)
{
    TTestPanel panel;
    TRecordingListener a(panel), b(panel), c(panel);
    b.RemoveSelf = true;
    panel.Listeners().Add(&a);
    panel.Listeners().Add(&b);
    panel.Listeners().Add(&c);
    panel.BroadcastMouseEvent(meMove, mbLeft, 0, 1, 2);
    EXPECT_EQ(a.Heard, 1);
    EXPECT_EQ(b.Heard, 1);
    EXPECT_EQ(c.Heard, 1);
    EXPECT_EQ(panel.Listeners().Count(), 2);
    panel.BroadcastMouseEvent(meMove, mbLeft, 0, 1, 2);
    EXPECT_EQ(b.Heard, 1);
    EXPECT_EQ(c.Heard, 2);
}

TEST(TCustomPlotPanelListeners, ListenerRemovedByAnotherIsNotCalled)
{
    TTestPanel panel;
    TRecordingListener a(panel), c(panel);
    auto b = std::make_unique<TRecordingListener>(panel);
    a.Remove = b.get();
    panel.Listeners().Add(&a);
    panel.Listeners().Add(b.get());
    panel.Listeners().Add(&c);
    TPlotView3DEvent view;
    panel.Broadcast(view);
    EXPECT_EQ(b->Heard, 0);
    EXPECT_EQ(c.Heard, 1);
    EXPECT_EQ(panel.Listeners().Count(), 2);
}

TEST(TCustomPlotPanelListeners, MouseEventsOfTheWindowReachListeners)
{
    TTestPanel panel;
    TRecordingListener listener(panel);
    panel.Listeners().Add(&listener);
    int downs = 0;
    panel.OnMouseDown = [&](TCustomPlotPanel&, TMouseButton b, TShiftState, int x, int y) {
        ++downs;
        EXPECT_EQ(b, mbRight);
        EXPECT_EQ(x, 30);
        EXPECT_EQ(y, 40);
    };
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(30, 40), QPointF(30, 40), Qt::RightButton, Qt::RightButton,
                      Qt::ShiftModifier);
    QApplication::sendEvent(&panel, &press);
    QMouseEvent move(QEvent::MouseMove, QPointF(35, 41), QPointF(35, 41), Qt::NoButton, Qt::RightButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&panel, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(36, 42), QPointF(36, 42), Qt::RightButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&panel, &release);
    EXPECT_EQ(downs, 1);
    ASSERT_EQ(listener.Mouse.size(), 3u);
    EXPECT_EQ(listener.Mouse[0].Event, meDown);
    EXPECT_EQ(listener.Mouse[0].Button, mbRight);
    EXPECT_EQ(listener.Mouse[0].Shift, ssShift | ssRight);
    EXPECT_EQ(listener.Mouse[1].Event, meMove);
    EXPECT_EQ(listener.Mouse[1].Button, mbLeft);
    EXPECT_EQ(listener.Mouse[1].X, 35);
    EXPECT_EQ(listener.Mouse[2].Event, meUp);
    EXPECT_EQ(listener.Mouse[2].Y, 42);
}

TEST(TCustomPlotPanelListeners, WheelGoesToItsHandler)
{
    TTestPanel panel;
    int delta = 0;
    panel.OnMouseWheel = [&](TCustomPlotPanel&, TShiftState, int d, int, int, bool& handled) {
        delta = d;
        handled = true;
    };
    QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&panel, &wheel);
    EXPECT_EQ(delta, 120);
    EXPECT_TRUE(wheel.isAccepted());
}

TEST(TCustomPlotPanelListeners, DoubleClickCancelledByItsHandler)
{
    TTestPanel panel;
    panel.OnDblClick = [](TCustomPlotPanel& p) { p.CancelMouse = true; };
    EXPECT_FALSE(panel.DblClick());
    panel.OnDblClick = nullptr;
    EXPECT_TRUE(panel.DblClick());
}

TEST(TCustomPlotPanelListeners, MouseLeaveRestoresCursorAndEndsPanning)
{
    TTestPanel panel;
    panel.SetCursor(crCross);
    panel.Panning().Activate(3, 4);
    panel.MouseLeave();
    EXPECT_EQ(panel.Cursor(), crDefault);
    EXPECT_FALSE(panel.Panning().Active);
}

// ---- export, clipping, region ----

TEST(TCustomPlotPanelBitmap, OnlyNonWhiteBackColourPrefills)
{
    TTestPanel panel;
    const bool buffered = panel.BufferedDisplay();
    auto red = panel.CreateChartBitmap(clRed, TRect{0, 0, 50, 40}, pf32bit);
    ASSERT_EQ(red->Width(), 50);
    ASSERT_EQ(red->Height(), 40);
    EXPECT_EQ(red->Pixel(10, 10), clRed);
    EXPECT_EQ(red->Pixel(49, 39), clRed);
    auto white = panel.CreateChartBitmap(clWhite, TRect{0, 0, 50, 40}, pf32bit);
    EXPECT_EQ(white->Pixel(10, 10), clWhite);
    EXPECT_EQ(panel.BufferedDisplay(), buffered);
    EXPECT_EQ(panel.Draws, 2);
}

TEST(TCustomPlotPanelBitmap, AssignToPictureCopiesTheWholePanel)
{
    TTestPanel panel;
    panel.resize(60, 30);
    TPicture picture;
    panel.AssignTo(picture);
    ASSERT_TRUE(picture.HasGraphic());
    EXPECT_EQ(picture.Graphic()->Width(), 60);
    EXPECT_EQ(picture.Graphic()->Height(), 30);
}

TEST(TCustomPlotPanelClip, PrintingFollowsTheSwitch)
{
    TTestPanel panel;
    EXPECT_TRUE(panel.CanClip());
    panel.Printing = true;
    EXPECT_TRUE(panel.CanClip());
    ClipWhenPrinting = false;
    EXPECT_FALSE(panel.CanClip());
    ClipWhenPrinting = true;
    panel.Printing = false;
    panel.Canvas()->Metafiling = true;
    ClipWhenMetafiling = false;
    EXPECT_FALSE(panel.CanClip());
    ClipWhenMetafiling = true;
}

TEST(TCustomPlotPanelRegion, BorderRoundRoundsAndZeroRemoves)
{
    QWidget host;
    host.resize(500, 300);
    TTestPanel panel(&host);
    panel.SetBorderRound(20);
    EXPECT_FALSE(panel.mask().isEmpty());
    EXPECT_FALSE(panel.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(panel.mask().contains(QPoint(200, 125)));
    panel.SetBorderRound(0);
    EXPECT_TRUE(panel.mask().isEmpty());
}

TEST(TCustomPlotPanelApplyBrush, HatchOfTheBackColourTurnsBlackOrWhite)
{
    TTestPanel panel;
    platform::RecordingDevice device(40, 40);
    panel.SetBufferedDisplay(false);
    TChartBrush brush;
    brush.SetStyle(bsCross);
    panel.OnDraw = [&] {
        panel.ApplyBrush(clRed, &brush, clRed);
        panel.Canvas()->Rectangle(0, 0, 10, 10);
        panel.ApplyBrush(clBlack, &brush, clBlack);
        panel.Canvas()->Rectangle(0, 0, 10, 10);
    };
    panel.Draw(&device, TRect{0, 0, 40, 40});
    const auto calls = device.CallsNamed("Rectangle");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_NE(calls[0].brush.find("0x000000"), std::string::npos) << calls[0].brush;
    EXPECT_NE(calls[1].brush.find("0xFFFFFF"), std::string::npos) << calls[1].brush;
}

// ---- bevels ----

TEST(TCustomPlotPanelBevels, PrintingSkipsBevelsButNotTheBorder)
{
    TTestPanel panel;
    platform::RecordingDevice device(100, 80);
    panel.SetBufferedDisplay(false);
    panel.Border()->SetVisible(true);
    panel.OnDraw = [&] { panel.DrawPanelBevels(TRect{0, 0, 100, 80}); };
    panel.Draw(&device, TRect{0, 0, 100, 80});
    EXPECT_EQ(device.Count("Rectangle"), 1);
    EXPECT_GT(device.Count("Polyline"), 0);  // the raised outer bevel
    device.ClearLog();
    panel.Printing = true;
    panel.Draw(&device, TRect{0, 0, 100, 80});
    EXPECT_EQ(device.Count("Rectangle"), 1);
    EXPECT_EQ(device.Count("Polyline"), 0);
}

TEST(TCustomPlotPanelBevels, RoundBevelIsARoundRectangleInsideByOne)
{
    platform::RecordingDevice device(100, 80);
    TPlotCanvas3D canvas;
    canvas.SetBufferedDisplay(false);
    canvas.InitWindow(&device, nullptr, clWhite, false, TRect{0, 0, 100, 80});
    device.ClearLog();
    TRect r{0, 0, 100, 80};
    DrawBevel(canvas, bvLowered, r, 2, 10);
    EXPECT_EQ(r, (TRect{3, 3, 97, 77}));
    ASSERT_EQ(device.Count("RoundRect"), 1);
    EXPECT_EQ(device.CallsNamed("RoundRect")[0].ToString(), "RoundRect(1,1,99,79,10,10)");
    TRect none{0, 0, 10, 10};
    DrawBevel(canvas, bvNone, none, 2, 0);
    EXPECT_EQ(none, (TRect{0, 0, 10, 10}));
}

// ---- streaming ----

TEST(TCustomPlotPanelStreaming, DefaultPanelWritesNothing)
{
    TTestPanel panel;
    EXPECT_TRUE(WithoutShadowsStoredAlways(WrittenPropertyNames([&](TPropertyWriter& w) { panel.WriteProperties(w); }))
                    .empty());
}

TEST(TCustomPlotPanelStreaming, RoundTripOfChangedProperties)
{
    TTestPanel source;
    source.SetBevelOuter(bvLowered);
    source.SetBorderRound(7);
    source.Border()->SetVisible(true);
    source.Border()->SetColor(clRed);
    source.SetColor(clYellow);
    source.SetMarginLeft(9);
    source.SetMarginUnits(muPixels);
    source.SetPrintProportional(false);
    source.Shadow()->SetHorizSize(4);
    source.SetView3D(false);
    source.View3DOptions()->SetRotation(30);
    TPropertyWriter writer;
    writer.WriteListBegin();
    source.WriteProperties(writer);
    writer.WriteListEnd();

    TTestPanel target;
    TPropertyReader reader(writer.Data());
    reader.ReadListBegin();
    target.ReadProperties(reader);
    EXPECT_EQ(target.BevelOuter(), bvLowered);
    EXPECT_EQ(target.BorderRound(), 7);
    EXPECT_TRUE(target.Border()->Visible());
    EXPECT_EQ(target.Border()->Color(), clRed);
    EXPECT_EQ(target.Color(), clYellow);
    EXPECT_EQ(target.MarginLeft(), 9);
    EXPECT_EQ(target.MarginUnits(), muPixels);
    EXPECT_FALSE(target.PrintProportional());
    EXPECT_EQ(target.Shadow()->HorizSize(), 4);
    EXPECT_FALSE(target.View3D());
    EXPECT_EQ(target.View3DOptions()->Rotation(), 30);
}

TEST(TCustomPlotPanelStreaming, ObsoleteBorderStyleIsReadNotWritten)
{
    TTestPanel panel;
    TPropertyValue single;
    single.Type = vaIdent;
    single.Str = "bsSingle";
    ASSERT_TRUE(panel.PropertyTable().Set(panel, "BorderStyle", single));
    EXPECT_TRUE(panel.Border()->Visible());
    TPropertyValue none = single;
    none.Str = "bsNone";
    panel.PropertyTable().Set(panel, "BorderStyle", none);
    EXPECT_FALSE(panel.Border()->Visible());
}

TEST(TCustomPlotPanelStreaming, AssignCopiesViewWithoutEvent)
{
    TTestPanel source, target;
    TRecordingListener listener(target);
    target.Listeners().Add(&listener);
    source.SetView3D(false);
    source.SetMarginBottom(12);
    source.SetPrintMargins(TRect{1, 2, 3, 4});
    source.SetBufferedDisplay(false);
    target.Assign(source);
    EXPECT_FALSE(target.View3D());
    EXPECT_EQ(listener.ViewEvents, 0);
    EXPECT_EQ(target.MarginBottom(), 12);
    EXPECT_EQ(target.PrintMargins(), (TRect{1, 2, 3, 4}));
    EXPECT_FALSE(target.BufferedDisplay());
}

// ---- on screen ----

TEST(TCustomPlotPanelWindow, ShowsOffscreenAndPaintsFromTheBuffer)
{
    TTestPanel panel;
    panel.show();
    QApplication::processEvents();
    const QImage shot = panel.grab().toImage();
    EXPECT_EQ(shot.width(), 400);
    EXPECT_GE(panel.Draws, 1);
    const int draws = panel.Draws;
    // a plain repaint reuses the buffer
    panel.repaint();
    EXPECT_EQ(panel.Draws, draws);
    // a change draws again
    panel.SetMarginLeft(20);
    panel.repaint();
    EXPECT_EQ(panel.Draws, draws + 1);
}
