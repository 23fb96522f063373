// The instruments' standard events from real input on shown instruments.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>
#include <functional>
#include <string>
#include <typeinfo>
#include <vector>

#include "widgets/analog_meter.h"
#include "widgets/on_off_button.h"
#include "widgets/progress_bar.h"
#include "widgets/scale.h"
#include "widgets/scale_gauge.h"
#include "widgets/seven_segment.h"

namespace {

// What a handler heard, as text.
using Log = std::vector<std::string>;

std::string Text(const char* name, int x, int y)
{
    return std::string(name) + " " + std::to_string(x) + "," + std::to_string(y);
}

void Listen(TInstrumentHost& w, Log& log)
{
    w.OnClick = [&log, &w](TInstrumentHost* s) {
        EXPECT_EQ(s, &w);
        log.push_back("click");
    };
    w.OnDblClick = [&log](TInstrumentHost*) { log.push_back("dblclick"); };
    w.OnMouseDown = [&log](TInstrumentHost*, TMouseButton b, TShiftState s, int x, int y) {
        log.push_back(Text(b == mbLeft ? "down" : "down-other", x, y) + ((s & ssDouble) ? " double" : ""));
    };
    w.OnMouseUp = [&log](TInstrumentHost*, TMouseButton b, TShiftState, int x, int y) {
        log.push_back(Text(b == mbLeft ? "up" : "up-other", x, y));
    };
    w.OnMouseMove = [&log](TInstrumentHost*, TShiftState, int x, int y) { log.push_back(Text("move", x, y)); };
}

class InstrumentInput : public ::testing::Test {
protected:
    InstrumentInput()
    {
        host.resize(700, 500);
        host.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&host));
    }
    // Every instrument but the on/off button (its click is its own), each
    // at its own place in the window.
    std::vector<TInstrumentHost*> All()
    {
        std::vector<TInstrumentHost*> all;
        auto place = [&](TInstrumentHost* w, int left, int top, int width, int height) {
            w->SetBounds(left, top, width, height);
            w->show();
            all.push_back(w);
        };
        place(new TScale(&host), 0, 0, 150, 150);
        place(new TScaleGauge(&host), 160, 0, 300, 75);
        place(new TSevenSeg(&host), 160, 80, 216, 76);
        place(new TMeter(&host), 0, 160, 200, 150);
        place(new TProgBar(&host), 210, 160, 200, 30);
        return all;
    }
    QWindow* Window() { return host.windowHandle(); }
    QPoint At(QWidget* w, QPoint p) { return w->mapTo(&host, p); }

    QWidget host;
};

}  // namespace

// ---- mouse: press, release, click, double click, move ----

using InstrumentMouseInput = InstrumentInput;

TEST_F(InstrumentMouseInput, AClickIsADownAnUpAndOneClick)
{
    for (TInstrumentHost* w : All()) {
        SCOPED_TRACE(typeid(*w).name());
        Log log;
        Listen(*w, log);
        // the platform moves the mouse to a press elsewhere first
        QTest::mouseMove(Window(), At(w, QPoint(20, 12)));
        EXPECT_EQ(log, (Log{"move 20,12"}));
        log.clear();
        QTest::mouseClick(Window(), Qt::LeftButton, {}, At(w, QPoint(20, 12)));
        EXPECT_EQ(log, (Log{"down 20,12", "click", "up 20,12"}));
    }
}

TEST_F(InstrumentMouseInput, ADoubleClickClicksOnceThenDoubleClicksWithADoublePress)
{
    for (TInstrumentHost* w : All()) {
        SCOPED_TRACE(typeid(*w).name());
        Log log;
        QTest::mouseMove(Window(), At(w, QPoint(30, 15)));
        Listen(*w, log);
        QTest::mouseDClick(Window(), Qt::LeftButton, {}, At(w, QPoint(30, 15)));
        EXPECT_EQ(log, (Log{"down 30,15", "click", "up 30,15", "dblclick", "down 30,15 double", "up 30,15"}));
    }
}

TEST_F(InstrumentMouseInput, TheMouseMovingOverAnInstrumentWithNoButtonHeld)
{
    for (TInstrumentHost* w : All()) {
        SCOPED_TRACE(typeid(*w).name());
        Log log;
        Listen(*w, log);
        QTest::mouseMove(Window(), At(w, QPoint(5, 6)));
        QTest::mouseMove(Window(), At(w, QPoint(9, 11)));
        EXPECT_EQ(log, (Log{"move 5,6", "move 9,11"}));
    }
}

TEST_F(InstrumentMouseInput, ReleasingOffTheControlOrWithTheRightButtonMakesNoClick)
{
    std::vector<TInstrumentHost*> all = All();
    TInstrumentHost* w = all[2];
    Log log;
    QTest::mouseMove(Window(), At(w, QPoint(10, 10)));
    Listen(*w, log);
    QTest::mouseClick(Window(), Qt::RightButton, {}, At(w, QPoint(10, 10)));
    EXPECT_EQ(log, (Log{"down-other 10,10", "up-other 10,10"}));
    log.clear();
    QTest::mousePress(Window(), Qt::LeftButton, {}, At(w, QPoint(10, 10)));
    QTest::mouseRelease(Window(), Qt::LeftButton, {}, QPoint(690, 490));
    const QPoint outside = w->mapFrom(&host, QPoint(690, 490));
    // the held mouse goes on reaching the control outside it
    EXPECT_EQ(log,
              (Log{"down 10,10", Text("move", outside.x(), outside.y()), Text("up", outside.x(), outside.y())}));
}

TEST_F(InstrumentMouseInput, TheOnOffButtonsClickIsItsReleaseOnThePicture)
{
    auto* button = new TOnOffBut(&host);
    button->SetBounds(0, 0, 100, 50);
    button->show();
    Log log;
    QTest::mouseMove(Window(), QPoint(5, 5));
    Listen(*button, log);
    // beside the picture: press and release, no switch and no click
    QTest::mouseClick(Window(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(log, (Log{"down 5,5", "up 5,5"}));
    EXPECT_TRUE(button->OnOff());
    QTest::mouseMove(Window(), QPoint(50, 25));
    log.clear();
    QTest::mouseClick(Window(), Qt::LeftButton, {}, QPoint(50, 25));
    EXPECT_EQ(log, (Log{"down 50,25", "up 50,25", "click"}));
    EXPECT_FALSE(button->OnOff());
    // a double click switches twice and clicks at each release
    log.clear();
    QTest::mouseDClick(Window(), Qt::LeftButton, {}, QPoint(50, 25));
    EXPECT_EQ(log, (Log{"down 50,25", "up 50,25", "click", "dblclick", "down 50,25 double", "up 50,25", "click"}));
    EXPECT_FALSE(button->OnOff());
}

TEST_F(InstrumentMouseInput, TheGaugeAndTheMeterReportTheirValueAfterOnMouseMove)
{
    auto* gauge = new TScaleGauge(&host);
    gauge->SetBounds(0, 0, 300, 75);
    gauge->show();
    auto* meter = new TMeter(&host);
    meter->SetBounds(0, 100, 200, 150);
    meter->show();
    Log log;
    Listen(*gauge, log);
    Listen(*meter, log);
    gauge->OnMouseMoveInGauge = [&](TScaleGauge*, bool, TShiftState, double) { log.push_back("in gauge"); };
    meter->OnMouseMoveInMeter = [&](TMeter*, bool, TShiftState, double) { log.push_back("in meter"); };
    QTest::mouseMove(Window(), QPoint(40, 30));
    QTest::mouseMove(Window(), QPoint(60, 170));
    EXPECT_EQ(log, (Log{"move 40,30", "in gauge", "move 60,70", "in meter"}));
}

// ---- the wheel ----

using InstrumentWheelInput = InstrumentInput;

TEST_F(InstrumentWheelInput, OnMouseWheelFirstThenTheStepsUnlessHandled)
{
    auto* gauge = new TScaleGauge(&host);
    gauge->SetBounds(10, 10, 300, 75);
    gauge->show();
    Log log;
    bool take = false;
    gauge->OnMouseWheel = [&](TInstrumentHost*, TShiftState s, int delta, int x, int y, bool& handled) {
        log.push_back("wheel " + std::to_string(delta) + " " + Text("at", x, y) + ((s & ssCtrl) ? " ctrl" : ""));
        handled = take;
    };
    gauge->OnMouseWheelDown = [&](TInstrumentHost*, TShiftState, int x, int y, bool& handled) {
        log.push_back(Text("down", x, y));
        handled = true;
    };
    gauge->OnMouseWheelUp = [&](TInstrumentHost*, TShiftState, int x, int y, bool&) {
        log.push_back(Text("up", x, y));
    };
    auto wheel = [&](int delta, Qt::KeyboardModifiers keys) {
        const QPointF local(40, 20);
        QWheelEvent e(local, gauge->mapToGlobal(local), QPoint(), QPoint(0, delta), Qt::NoButton, keys,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(gauge, &e);
        return e.isAccepted();
    };
    EXPECT_TRUE(wheel(-120, Qt::ControlModifier));
    EXPECT_FALSE(wheel(120, Qt::NoModifier));  // not handled: on to the parent
    take = true;
    EXPECT_TRUE(wheel(120, Qt::NoModifier));
    EXPECT_EQ(log, (Log{"wheel -120 at 40,20 ctrl", "down 40,20", "wheel 120 at 40,20", "up 40,20",
                        "wheel 120 at 40,20"}));
}

// ---- keys ----

using InstrumentKeyInput = InstrumentInput;

TEST_F(InstrumentKeyInput, KeyDownPressAndUpOnAFocusedGauge)
{
    auto* gauge = new TScaleGauge(&host);
    gauge->SetBounds(10, 10, 300, 75);
    gauge->show();
    gauge->setFocus();
    Log log;
    gauge->OnKeyDown = [&](TInstrumentHost*, int& key, TShiftState s) {
        log.push_back("down " + std::to_string(key) + ((s & ssShift) ? " shift" : ""));
        if (key == 'X')
            key = 0;
    };
    gauge->OnKeyPress = [&](TInstrumentHost*, char& c) { log.push_back(std::string("press ") + c); };
    gauge->OnKeyUp = [&](TInstrumentHost*, int& key, TShiftState) { log.push_back("up " + std::to_string(key)); };
    QTest::keyClick(gauge, Qt::Key_A);
    // the shift key itself, then the capital
    QTest::keyClick(gauge, 'B', Qt::ShiftModifier);
    QTest::keyClick(gauge, Qt::Key_Left);
    // swallowed by OnKeyDown: no character
    QTest::keyClick(gauge, Qt::Key_X);
    EXPECT_EQ(log, (Log{"down 65", "press a", "up 65", "down 16 shift", "down 66 shift", "press B", "up 66", "up 16",
                        "down 37", "up 37", "down 88", "up 88"}));
}

// ---- size and context menu ----

using InstrumentControlInput = InstrumentInput;

TEST_F(InstrumentControlInput, OnResizeAfterEachChangeOfSize)
{
    std::vector<TInstrumentHost*> all = All();
    all.push_back(new TOnOffBut(&host));
    all.back()->show();
    for (TInstrumentHost* w : all) {
        SCOPED_TRACE(typeid(*w).name());
        int resizes = 0;
        w->OnResize = [&](TInstrumentHost* s) {
            EXPECT_EQ(s, w);
            ++resizes;
        };
        w->resize(w->width() + 10, w->height());
        EXPECT_EQ(resizes, 1);
        w->resize(w->size());
        EXPECT_EQ(resizes, 1);
        w->OnResize = nullptr;
    }
}

TEST_F(InstrumentControlInput, ARightClickAsksForTheContextPopup)
{
    auto* scale = new TScale(&host);
    scale->SetBounds(50, 40, 150, 150);
    scale->show();
    std::vector<QPoint> asked;
    scale->OnContextPopup = [&](TInstrumentHost*, int x, int y, bool& handled) {
        asked.emplace_back(x, y);
        handled = true;
    };
    QTest::mouseClick(Window(), Qt::RightButton, {}, QPoint(70, 65));
    EXPECT_EQ(asked, std::vector<QPoint>{QPoint(20, 25)});
}

// ---- dragging ----

using InstrumentDragInput = InstrumentInput;

TEST_F(InstrumentDragInput, ADropThatFreesTheDraggedControlEndsTheDrag)
{
    auto* meter = new TMeter(&host);
    meter->SetBounds(0, 0, 200, 150);
    meter->SetDragMode(dmAutomatic);
    meter->show();
    auto* bar = new TProgBar(&host);
    bar->SetBounds(300, 100, 200, 30);
    bar->show();
    QPointer<TMeter> dragged(meter);
    bool ended = false;
    bar->OnDragOver = [](TInstrumentHost*, TInstrumentHost*, int, int, TDragState, bool& accept) { accept = true; };
    bar->OnDragDrop = [](TInstrumentHost*, TInstrumentHost* source, int, int) { delete source; };
    meter->OnEndDrag = [&](TInstrumentHost*, TInstrumentHost*, int, int) { ended = true; };
    QTest::mouseMove(Window(), QPoint(50, 50));
    QTest::mousePress(Window(), Qt::LeftButton, {}, QPoint(50, 50));
    QTest::mouseMove(Window(), QPoint(320, 112));
    QTest::mouseRelease(Window(), Qt::LeftButton, {}, QPoint(320, 112));
    EXPECT_TRUE(dragged.isNull());
    EXPECT_FALSE(ended);
}

TEST_F(InstrumentDragInput, AMeterDraggedOntoAProgressBar)
{
    auto* meter = new TMeter(&host);
    meter->SetBounds(0, 0, 200, 150);
    meter->SetDragMode(dmAutomatic);
    meter->show();
    auto* bar = new TProgBar(&host);
    bar->SetBounds(300, 100, 200, 30);
    bar->show();
    Log log;
    QTest::mouseMove(Window(), QPoint(50, 50));
    Listen(*meter, log);
    meter->OnStartDrag = [&](TInstrumentHost* s) {
        EXPECT_EQ(s, meter);
        log.push_back("start");
    };
    bar->OnDragOver = [&](TInstrumentHost* s, TInstrumentHost* source, int x, int y, TDragState state, bool& accept) {
        EXPECT_EQ(s, bar);
        EXPECT_EQ(source, meter);
        log.push_back(Text(state == dsDragEnter ? "enter" : state == dsDragMove ? "over" : "leave", x, y));
        accept = x < 100;
    };
    bar->OnDragDrop = [&](TInstrumentHost* s, TInstrumentHost* source, int x, int y) {
        EXPECT_EQ(s, bar);
        EXPECT_EQ(source, meter);
        log.push_back(Text("drop", x, y));
    };
    meter->OnEndDrag = [&](TInstrumentHost* s, TInstrumentHost* target, int x, int y) {
        EXPECT_EQ(s, meter);
        log.push_back(Text(target == bar ? "end on bar" : "end", x, y));
    };
    QTest::mousePress(Window(), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_TRUE(meter->Dragging());
    QTest::mouseMove(Window(), QPoint(250, 110));
    QTest::mouseMove(Window(), QPoint(310, 110));
    QTest::mouseMove(Window(), QPoint(320, 112));
    QTest::mouseRelease(Window(), Qt::LeftButton, {}, QPoint(320, 112));
    EXPECT_FALSE(meter->Dragging());
    // no mouse events of the meter while it is dragged
    EXPECT_EQ(log, (Log{"start", "enter 10,10", "over 20,12", "over 20,12", "drop 20,12", "end on bar 20,12"}));

    // refused: no drop, the end has no target
    QTest::mouseMove(Window(), QPoint(50, 50));
    log.clear();
    QTest::mousePress(Window(), Qt::LeftButton, {}, QPoint(50, 50));
    QTest::mouseMove(Window(), QPoint(450, 110));
    QTest::mouseRelease(Window(), Qt::LeftButton, {}, QPoint(450, 110));
    EXPECT_EQ(log, (Log{"start", "enter 150,10", "over 150,10", "end 450,110"}));
}
