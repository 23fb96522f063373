#pragma once
// The window under every chart: its canvas with the off-screen buffer, the 3D
// view, border, margins and shadow, the chart rectangle of each draw, bitmap
// export, and the listeners that hear its mouse and view events.
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "chart/chart_input.h"
#include "chart/chart_pen.h"
#include "chart/plot_canvas_3d.h"
#include "chart/plot_shadow.h"
#include "chart/property_model.h"
#include "chart/view3d_options.h"
#include "chart/zoom_panning.h"

namespace platform {
class QtDrawingDevice;
}

class TCustomPlotPanel;

enum TBevelCut : std::uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
inline constexpr const char* BevelCutNames[] = {"bvNone", "bvLowered", "bvRaised", "bvSpace"};
enum TPlotUnits : std::uint8_t { muPercent, muPixels };
inline constexpr const char* PlotUnitsNames[] = {"muPercent", "muPixels"};

// ---- events and listeners ----

class TPlotEvent {
public:
    virtual ~TPlotEvent() = default;
    // Set by the broadcast.
    TCustomPlotPanel* Sender = nullptr;
};

// Kinds of a mouse event.
constexpr std::uint8_t meDown = 0;
constexpr std::uint8_t meUp = 1;
constexpr std::uint8_t meMove = 2;

class TPlotMouseEvent : public TPlotEvent {
public:
    std::uint8_t Event = meDown;
    TMouseButton Button = mbLeft;
    TShiftState Shift = 0;
    int X = 0;
    int Y = 0;
};

// The panel's View3D changed.
class TPlotView3DEvent : public TPlotEvent {};

class IChartEventListener {
public:
    virtual ~IChartEventListener() = default;
    virtual void HandleChartEvent(TPlotEvent& Event) = 0;
};

// Listener links, not owned; each at most once.
class TPlotEventListeners {
public:
    // Adds the listener unless present; its index either way.
    int Add(IChartEventListener* Listener);
    // The listener's index, or -1.
    int Remove(IChartEventListener* Listener);
    int IndexOf(const IChartEventListener* Listener) const;
    int Count() const { return static_cast<int>(m_items.size()); }
    IChartEventListener* operator[](int Index) const { return m_items[static_cast<std::size_t>(Index)]; }

private:
    std::vector<IChartEventListener*> m_items;
};

// ---- panel-wide switches (nothing in the program changes them) ----
extern bool ClipWhenPrinting;
extern bool ClipWhenMetafiling;
extern bool WindowEraseBack;
extern bool PrintPanelBackground;

// The cursor forced over every window of the application; crDefault: none
// is forced and each window shows its own.
TCursor ScreenCursor();
void SetScreenCursor(TCursor Value);

// Draws a bevel inside R and moves R inside it: highlight and shadow edges
// (Frame3D), or a rounded outline when RoundSize >= 1. Nothing for bvNone.
void DrawBevel(TPlotCanvas& Canvas, TBevelCut Bevel, TRect& R, int BevelWidth, int RoundSize);

class TCustomPlotPanel : public QWidget {
public:
    explicit TCustomPlotPanel(QWidget* Parent = nullptr);
    ~TCustomPlotPanel() override;

    // Published properties of the panel; descendants extend the table.
    static const TPropertyTable<TCustomPlotPanel>& Properties();
    virtual const TPropertyTable<TCustomPlotPanel>& PropertyTable() const { return Properties(); }
    void WriteProperties(TPropertyWriter& Writer) const { PropertyTable().Write(*this, Writer); }
    // Name-value pairs up to the list end, inside one loading phase.
    void ReadProperties(TPropertyReader& Reader);

    // ---- the host panel's own settings ----
    TBevelCut BevelInner() const { return m_bevelInner; }
    void SetBevelInner(TBevelCut Value);
    TBevelCut BevelOuter() const { return m_bevelOuter; }
    void SetBevelOuter(TBevelCut Value);
    int BevelWidth() const { return m_bevelWidth; }
    void SetBevelWidth(int Value);
    int BorderWidth() const { return m_borderWidth; }
    void SetBorderWidth(int Value);
    // clNone: a see-through window.
    TColor Color() const { return m_color; }
    void SetColor(TColor Value);
    TCursor Cursor() const { return m_cursor; }
    void SetCursor(TCursor Value);
    // The text the chart's hint shows (kept here; the hint window shows it).
    const std::string& Hint() const { return m_hint; }
    void SetHint(const std::string& Value) { m_hint = Value; }
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool Value) { m_showHint = Value; }

    // ---- chart panel properties ----
    TChartHiddenPen* Border() const { return m_border.get(); }
    void SetBorder(const TChartPen* Value);
    int BorderRound() const { return m_borderRound; }
    void SetBorderRound(int Value);
    // Index 0 Left, 1 Top, 2 Right, 3 Bottom.
    int Margin(int Index) const { return m_margins[static_cast<std::size_t>(Index)]; }
    void SetMargin(int Index, int Value);
    int MarginLeft() const { return m_margins[0]; }
    void SetMarginLeft(int Value) { SetMargin(0, Value); }
    int MarginTop() const { return m_margins[1]; }
    void SetMarginTop(int Value) { SetMargin(1, Value); }
    int MarginRight() const { return m_margins[2]; }
    void SetMarginRight(int Value) { SetMargin(2, Value); }
    int MarginBottom() const { return m_margins[3]; }
    void SetMarginBottom(int Value) { SetMargin(3, Value); }
    TPlotUnits MarginUnits() const { return m_marginUnits; }
    void SetMarginUnits(TPlotUnits Value);
    // Left, Top, Right, Bottom.
    const TRect& PrintMargins() const { return m_printMargins; }
    void SetPrintMargins(const TRect& Value) { m_printMargins = Value; }
    bool PrintProportional() const { return m_printProportional; }
    void SetPrintProportional(bool Value) { m_printProportional = Value; }
    TPlotShadow* Shadow() const { return m_shadow.get(); }
    void SetShadow(const TPlotShadow* Value);
    bool View3D() const { return m_view3D; }
    // Repaints, then broadcasts one TPlotView3DEvent; nothing when unchanged.
    void SetView3D(bool Value);
    TView3DOptions* View3DOptions() const { return m_view3DOptions.get(); }
    void SetView3DOptions(const TView3DOptions* Value);
    // Kept by the canvas.
    bool Monochrome() const;
    void SetMonochrome(bool Value);
    bool BufferedDisplay() const;
    void SetBufferedDisplay(bool Value);

    std::function<void(TCustomPlotPanel& Sender)> OnBeforePrint;

    // ---- state ----
    TCanvas3D* Canvas() const { return m_canvas.get(); }
    TPlotEventListeners& Listeners() { return m_listeners; }
    TZoomPanning& Panning() { return m_panning; }
    // Repaint requests are honoured only while this is set; it is off during
    // construction and while the chart draws.
    bool AutoRepaint() const { return m_autoRepaint; }
    void SetAutoRepaint(bool Value) { m_autoRepaint = Value; }

    TRect ChartBounds;
    TRect ChartRect;
    int ChartWidth = 0;
    int ChartHeight = 0;
    int ChartXCenter = 0;
    int ChartYCenter = 0;
    // Set when the owner fixes ChartRect itself.
    bool CustomChartRect = false;
    // Stops the broadcast of the current mouse event.
    bool CancelMouse = false;
    TCursor LoadedCursor = crDefault;
    // Depth of the chart in pixels (written by the axis panel).
    int Width3D = 0;
    bool Printing = false;

    // ---- set and repaint: store, and repaint when the value changed ----
    void SetBooleanProperty(bool& Variable, bool Value);
    void SetIntegerProperty(int& Variable, int Value);
    void SetColorProperty(TColor& Variable, TColor Value);
    void SetDoubleProperty(double& Variable, double Value);
    void SetStringProperty(std::string& Variable, const std::string& Value);

    // ---- drawing ----
    virtual TColor GetBackColor() const { return m_color; }
    // Repaints the panel (the change handler of its drawing objects).
    virtual void CanvasChanged() { Invalidate(); }
    // Draws the whole chart onto Canvas within R through the canvas's buffer.
    virtual void Draw(platform::DrawingDevice* Canvas, const TRect& R);
    // The client rectangle.
    virtual TRect GetRectangle() const;
    // Only under AutoRepaint: marks the buffer stale and asks the window to repaint.
    void Invalidate();
    // Drawing outside a paint (incremental series, XOR tools): points the
    // canvas at the chart's buffer. False, with the buffer marked stale so the
    // next paint draws everything, while the chart paints, is hidden or has no
    // finished buffer.
    bool BeginBufferDraw();
    // Shows R of the buffer on the window and gives the canvas back to it.
    void EndBufferDraw(const TRect& R);
    bool Painting() const { return m_painting; }
    // A draw has laid the chart out (axes and rectangles hold pixels).
    bool LaidOut() const { return m_laidOut; }
    // Draws the chart once onto its own window buffer when no draw has laid
    // it out yet, so that pixel positions mean something.
    void LayOutOnce();
    // Body draws through the canvas onto the buffer between the two calls
    // above, then the areas are shown; false (and a repaint asked for) when
    // it cannot.
    bool DrawOutsidePaint(std::span<const TRect> Areas, const std::function<void(TCanvas3D&)>& Body);
    bool DrawOutsidePaint(const TRect& R, const std::function<void(TCanvas3D&)>& Body)
    {
        return DrawOutsidePaint(std::span<const TRect>(&R, 1), Body);
    }
    // Draws unbuffered onto another device, then repaints the panel.
    void DrawToCanvas(platform::DrawingDevice* Canvas, const TRect& R);
    // A bitmap of the chart within R; a back colour other than white fills it first.
    std::unique_ptr<TBitmap> CreateChartBitmap(TColor BackColor, const TRect& R, TPixelFormat PixelFormat);
    // The panel as an image: a bitmap of its whole rectangle on its Color.
    void AssignTo(TPicture& Dest);
    void AssignTo(TBitmap& Dest);
    bool CanClip();
    // A non-solid brush whose colour equals the back colour draws in black (white on black).
    void ApplyBrush(TColor Color, TChartBrush* Brush, TColor BackColor);
    virtual void DrawPanelBevels(TRect R);
    // ChartWidth, ChartHeight and the centre from ChartRect (kept inside ChartBounds).
    void RecalcWidthHeight();

    // ---- events ----
    // Sends Event to each listener in turn (a listener may remove itself or
    // others meanwhile); a mouse event stops when CancelMouse is set.
    TPlotEvent& Broadcast(TPlotEvent& Event);
    void BroadcastMouseEvent(std::uint8_t Kind, TMouseButton Button, TShiftState Shift, int X, int Y);
    void RemoveListener(IChartEventListener* Listener);

    // Border, BorderRound, BufferedDisplay, PrintMargins, PrintProportional,
    // margins, MarginUnits, Monochrome, Shadow, View3D (no event),
    // View3DOptions and Color.
    virtual void Assign(const TCustomPlotPanel& Source);

    // Loading runs from the first BeginLoading to the matching EndLoading,
    // which then calls Loaded.
    void BeginLoading() { ++m_loading; }
    void EndLoading();
    bool Loading() const { return m_loading > 0; }
    bool Destroying() const { return m_destroying; }

    // Mouse handling (the window's events end here); each fires its On… event first.
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    // False when a handler set CancelMouse: the double click ends there.
    // Otherwise its press goes on to MouseDown with ssDouble in the shift state.
    virtual bool DblClick();
    // A left press and release on the panel: fires OnClick.
    virtual void Click();
    virtual void MouseLeave();
    // True when a handler took the wheel.
    virtual bool MouseWheel(TShiftState Shift, int WheelDelta, int X, int Y);

    std::function<void(TCustomPlotPanel&, TMouseButton, TShiftState, int, int)> OnMouseDown;
    std::function<void(TCustomPlotPanel&, TMouseButton, TShiftState, int, int)> OnMouseUp;
    std::function<void(TCustomPlotPanel&, TShiftState, int, int)> OnMouseMove;
    std::function<void(TCustomPlotPanel&)> OnDblClick;
    std::function<void(TCustomPlotPanel&)> OnClick;
    // Sets Handled when it took the wheel.
    std::function<void(TCustomPlotPanel&, TShiftState, int WheelDelta, int X, int Y, bool& Handled)> OnMouseWheel;
    std::function<void(TCustomPlotPanel&)> OnResize;

    // The window's own drawing surface (the buffer is copied onto it).
    platform::QtDrawingDevice* WindowCanvas() const { return m_windowCanvas.get(); }

protected:
    // Draws the chart inside UserRect (the axis panel does it all here).
    virtual void InternalDraw(const TRect& UserRect);
    virtual void Loaded();
    // Marks the panel as being destroyed: nothing is broadcast from now on.
    // A destructor that must not broadcast calls it first.
    void MarkDestroying() { m_destroying = true; }
    // Draw(own window canvas, client rectangle).
    void DrawClient();
    // Rounded window region for BorderRound >= 1, none otherwise.
    void SetControlRgn();

    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void wheelEvent(QWheelEvent* Event) override;
    void leaveEvent(QEvent* Event) override;
    void changeEvent(QEvent* Event) override;

private:
    // Copies R of the buffer onto the window's surface and asks for its repaint.
    void PresentBufferRect(const TRect& R);
    void CalcChartRect();
    void ApplyCursor();

    TBevelCut m_bevelInner = bvNone;
    TBevelCut m_bevelOuter = bvRaised;
    int m_bevelWidth = 1;
    int m_borderWidth = 0;
    TColor m_color = clSystemColorBase + 15;  // button face
    TCursor m_cursor = crDefault;
    // A left press waits for its release to make a click.
    bool m_clickPending = false;
    std::string m_hint;
    bool m_showHint = false;

    std::unique_ptr<platform::QtDrawingDevice> m_windowCanvas;
    std::unique_ptr<TPlotCanvas3D> m_canvas;
    std::unique_ptr<TChartHiddenPen> m_border;
    std::unique_ptr<TPlotShadow> m_shadow;
    std::unique_ptr<TView3DOptions> m_view3DOptions;
    TPlotEventListeners m_listeners;
    TZoomPanning m_panning;
    int m_borderRound = 0;
    std::array<int, 4> m_margins{3, 4, 3, 4};
    TPlotUnits m_marginUnits = muPercent;
    TRect m_printMargins{15, 15, 15, 15};
    bool m_printProportional = true;
    bool m_view3D = true;
    bool m_autoRepaint = false;
    bool m_regionBusy = false;
    bool m_painting = false;
    // a draw outside the paint was refused while painting: the buffer stays stale
    bool m_staleAfterPaint = false;
    bool m_laidOut = false;
    // A text that failed to draw: the first of the current draw, and the one
    // last shown (not shown again while later draws fail the same way).
    std::string m_drawTextError;
    std::string m_shownTextError;
    void ShowTextError();
    int m_loading = 0;
    bool m_destroying = false;
};

// Turns a panel's AutoRepaint off for a scope and gives it back its former
// value on leaving, also when drawing throws.
class TAutoRepaintOff {
public:
    explicit TAutoRepaintOff(TCustomPlotPanel& Panel) : m_panel(Panel), m_saved(Panel.AutoRepaint())
    {
        Panel.SetAutoRepaint(false);
    }
    ~TAutoRepaintOff() { m_panel.SetAutoRepaint(m_saved); }
    TAutoRepaintOff(const TAutoRepaintOff&) = delete;
    TAutoRepaintOff& operator=(const TAutoRepaintOff&) = delete;

private:
    TCustomPlotPanel& m_panel;
    bool m_saved;
};
