#include "chart/plot_panel.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QWheelEvent>

#include <algorithm>
#include <utility>

#include "chart/appearance_properties.h"
#include "chart/plot_procs.h"
#include "platform/event_guard.h"
#include "platform/input_state.h"
#include "platform/qt_drawing_device.h"
#include "platform/system_colors.h"

bool ClipWhenPrinting = true;
bool ClipWhenMetafiling = true;
bool WindowEraseBack = false;
bool PrintPanelBackground = false;

namespace {

constexpr TColor clBtnFace = platform::SystemColor(platform::SystemColorIndex::BtnFace);
constexpr TColor clBtnHighlight = platform::SystemColor(platform::SystemColorIndex::BtnHighlight);
constexpr TColor clBtnShadow = platform::SystemColor(platform::SystemColorIndex::BtnShadow);

Qt::CursorShape CursorShape(TCursor Cursor)
{
    switch (Cursor) {
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crUpArrow: return Qt::UpArrowCursor;
    case crHourGlass: return Qt::WaitCursor;
    case crDrag: return Qt::DragMoveCursor;
    case crNoDrop:
    case crNo: return Qt::ForbiddenCursor;
    case crHSplit: return Qt::SplitHCursor;
    case crVSplit: return Qt::SplitVCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    case crPlotHand: return Qt::OpenHandCursor;
    default: return Qt::ArrowCursor;
    }
}

TCursor g_screenCursor = crDefault;
}  // namespace

TCursor ScreenCursor() { return g_screenCursor; }

void SetScreenCursor(TCursor Value)
{
    if (Value == g_screenCursor)
        return;
    if (g_screenCursor != crDefault)
        QGuiApplication::restoreOverrideCursor();
    g_screenCursor = Value;
    if (Value != crDefault)
        QGuiApplication::setOverrideCursor(QCursor(CursorShape(Value)));
}

// ---- listeners ----

int TPlotEventListeners::Add(IChartEventListener* Listener)
{
    const int i = IndexOf(Listener);
    if (i >= 0)
        return i;
    m_items.push_back(Listener);
    return Count() - 1;
}

int TPlotEventListeners::Remove(IChartEventListener* Listener)
{
    const int i = IndexOf(Listener);
    if (i >= 0)
        m_items.erase(m_items.begin() + i);
    return i;
}

int TPlotEventListeners::IndexOf(const IChartEventListener* Listener) const
{
    const auto it = std::find(m_items.begin(), m_items.end(), Listener);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

// ---- bevels ----

void DrawBevel(TPlotCanvas& Canvas, TBevelCut Bevel, TRect& R, int BevelWidth, int RoundSize)
{
    if (Bevel == bvNone)
        return;
    if (RoundSize >= 1) {
        Canvas.Pen()->SetColor(Bevel == bvLowered ? clBtnShadow : clBtnHighlight);
        R = TRect{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
        Canvas.RoundRectRect(R, RoundSize, RoundSize);
        R = TRect{R.Left + BevelWidth, R.Top + BevelWidth, R.Right - BevelWidth, R.Bottom - BevelWidth};
    } else {
        Canvas.Frame3D(R, Bevel == bvLowered ? clBtnShadow : clBtnHighlight,
                       Bevel == bvRaised ? clBtnShadow : clBtnHighlight, BevelWidth);
    }
}

// ---- panel ----

TCustomPlotPanel::TCustomPlotPanel(QWidget* Parent)
    : QWidget(Parent), m_color(clBtnFace),
      m_windowCanvas(std::make_unique<platform::QtDrawingDevice>(400, 250))
{
    resize(400, 250);
    m_view3DOptions = std::make_unique<TView3DOptions>(this, [this] { CanvasChanged(); });
    m_canvas = std::make_unique<TPlotCanvas3D>(m_windowCanvas.get());
    m_canvas->OnTextError = [this](const std::string& Message) {
        if (m_drawTextError.empty())
            m_drawTextError = Message;
    };
    LoadedCursor = m_cursor;
    m_shadow = std::make_unique<TPlotShadow>([this] { CanvasChanged(); });
    m_border = std::make_unique<TChartHiddenPen>([this] { CanvasChanged(); });
    m_border->InitEndStyle(esFlat);
    // the panel paints every pixel itself, from the canvas buffer
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    m_autoRepaint = true;
}

TCustomPlotPanel::~TCustomPlotPanel()
{
    m_destroying = true;
    m_autoRepaint = false;
}

const TPropertyTable<TCustomPlotPanel>& TCustomPlotPanel::Properties()
{
    using P = TCustomPlotPanel;
    static const TPropertyTable<P> table =
        TPropertyTable<P>::Of()
            .Property("BevelInner", EnumKind(BevelCutNames), TAccessors{&P::BevelInner, &P::SetBevelInner}, bvNone)
            .Property("BevelOuter", EnumKind(BevelCutNames), TAccessors{&P::BevelOuter, &P::SetBevelOuter}, bvRaised)
            .Property("BevelWidth", IntegerKind, TAccessors{&P::BevelWidth, &P::SetBevelWidth}, 1)
            .Object(
                "Border", [](const P& p) -> const TChartPen* { return p.Border(); },
                [](P& p) -> TChartPen* { return p.Border(); }, nullptr, ChartPenProperties())
            .Property("BorderRound", IntegerKind, TAccessors{&P::BorderRound, &P::SetBorderRound}, 0)
            .Property("BorderWidth", IntegerKind, TAccessors{&P::BorderWidth, &P::SetBorderWidth}, 0)
            .Property("Color", ColorKind, TAccessors{&P::Color, &P::SetColor}, clBtnFace)
            .Property("MarginBottom", IntegerKind, TAccessors{&P::MarginBottom, &P::SetMarginBottom}, 4)
            .Property("MarginLeft", IntegerKind, TAccessors{&P::MarginLeft, &P::SetMarginLeft}, 3)
            .Property("MarginRight", IntegerKind, TAccessors{&P::MarginRight, &P::SetMarginRight}, 3)
            .Property("MarginTop", IntegerKind, TAccessors{&P::MarginTop, &P::SetMarginTop}, 4)
            .Property("MarginUnits", EnumKind(PlotUnitsNames), TAccessors{&P::MarginUnits, &P::SetMarginUnits},
                      muPercent)
            .Property("Monochrome", BooleanKind, TAccessors{&P::Monochrome, &P::SetMonochrome}, false)
            .Property("PrintProportional", BooleanKind,
                      TAccessors{&P::PrintProportional, &P::SetPrintProportional}, true)
            .Object(
                "Shadow", [](const P& p) -> const TPlotShadow* { return p.Shadow(); },
                [](P& p) -> TPlotShadow* { return p.Shadow(); }, nullptr, PlotShadowProperties())
            // read and copied without the view event
            .Property("View3D", BooleanKind, TAccessors{&P::View3D, [](P& p, bool v) {
                                                            if (p.m_view3D == v)
                                                                return;
                                                            p.m_view3D = v;
                                                            p.Invalidate();
                                                        }},
                      true)
            .Object(
                "View3DOptions", [](const P& p) -> const TView3DOptions* { return p.View3DOptions(); },
                [](P& p) -> TView3DOptions* { return p.View3DOptions(); }, nullptr, View3DOptionsProperties())
            // the angles and zoom as they are, not rounded
            .AssignedBy([](P& t, const P& s) {
                t.View3DOptions()->Assign(s.View3DOptions());
                t.Invalidate();
            })
            .Obsolete("BorderStyle", [](P& p, const TPropertyValue& v) {
                if (v.Type != vaIdent)
                    InvalidPropertyValue();
                p.Border()->SetVisible(v.Str == "bsSingle");
            });
    return table;
}

void TCustomPlotPanel::ReadProperties(TPropertyReader& Reader)
{
    BeginLoading();
    try {
        PropertyTable().ReadList(*this, Reader, "TCustomPlotPanel");
    } catch (...) {
        --m_loading;
        throw;
    }
    EndLoading();
}

void TCustomPlotPanel::EndLoading()
{
    if (m_loading > 0 && --m_loading == 0)
        Loaded();
}

void TCustomPlotPanel::Loaded()
{
    LoadedCursor = m_cursor;
    if (m_borderRound > 0)
        SetControlRgn();
}

// ---- host settings ----

void TCustomPlotPanel::SetBevelInner(TBevelCut Value)
{
    if (m_bevelInner == Value)
        return;
    m_bevelInner = Value;
    Invalidate();
}

void TCustomPlotPanel::SetBevelOuter(TBevelCut Value)
{
    if (m_bevelOuter == Value)
        return;
    m_bevelOuter = Value;
    Invalidate();
}

void TCustomPlotPanel::SetBevelWidth(int Value)
{
    SetIntegerProperty(m_bevelWidth, std::max(1, Value));
}

void TCustomPlotPanel::SetBorderWidth(int Value)
{
    SetIntegerProperty(m_borderWidth, std::max(0, Value));
}

void TCustomPlotPanel::SetColor(TColor Value)
{
    if (m_color == Value)
        return;
    m_color = Value;
    // clNone: a see-through window
    setAttribute(Qt::WA_TranslucentBackground, Value == clNone);
    setAttribute(Qt::WA_OpaquePaintEvent, Value != clNone);
    Invalidate();
}

void TCustomPlotPanel::SetCursor(TCursor Value)
{
    if (m_cursor == Value)
        return;
    m_cursor = Value;
    ApplyCursor();
}

void TCustomPlotPanel::ApplyCursor()
{
    if (m_cursor == crDefault)
        unsetCursor();
    else
        setCursor(CursorShape(m_cursor));
}

// ---- chart panel properties ----

void TCustomPlotPanel::SetBorder(const TChartPen* Value)
{
    if (Value && Value != m_border.get())
        m_border->Assign(*Value);
}

void TCustomPlotPanel::SetBorderRound(int Value)
{
    if (m_borderRound == Value)
        return;
    m_borderRound = Value;
    if (!Loading())
        SetControlRgn();
}

void TCustomPlotPanel::SetMargin(int Index, int Value)
{
    if (Index < 0 || Index > 3)
        return;
    SetIntegerProperty(m_margins[static_cast<std::size_t>(Index)], Value);
}

void TCustomPlotPanel::SetMarginUnits(TPlotUnits Value)
{
    if (m_marginUnits == Value)
        return;
    m_marginUnits = Value;
    Invalidate();
}

void TCustomPlotPanel::SetShadow(const TPlotShadow* Value)
{
    if (Value && Value != m_shadow.get())
        m_shadow->Assign(Value);
}

void TCustomPlotPanel::SetView3D(bool Value)
{
    if (m_view3D == Value)
        return;
    m_view3D = Value;
    Invalidate();
    TPlotView3DEvent event;
    Broadcast(event);
}

void TCustomPlotPanel::SetView3DOptions(const TView3DOptions* Value)
{
    if (Value && Value != m_view3DOptions.get()) {
        m_view3DOptions->Assign(Value);
        Invalidate();
    }
}

bool TCustomPlotPanel::Monochrome() const { return m_canvas->GetMonochrome(); }

void TCustomPlotPanel::SetMonochrome(bool Value)
{
    if (m_canvas->GetMonochrome() == Value)
        return;
    m_canvas->SetMonochrome(Value);
    Invalidate();
}

bool TCustomPlotPanel::BufferedDisplay() const { return m_canvas->GetBufferedDisplay(); }

void TCustomPlotPanel::SetBufferedDisplay(bool Value) { m_canvas->SetBufferedDisplay(Value); }

// ---- set and repaint ----

void TCustomPlotPanel::SetBooleanProperty(bool& Variable, bool Value)
{
    UpdateValue(Variable, Value, [this] { Invalidate(); });
}

void TCustomPlotPanel::SetIntegerProperty(int& Variable, int Value)
{
    UpdateValue(Variable, Value, [this] { Invalidate(); });
}

void TCustomPlotPanel::SetColorProperty(TColor& Variable, TColor Value)
{
    UpdateValue(Variable, Value, [this] { Invalidate(); });
}

void TCustomPlotPanel::SetDoubleProperty(double& Variable, double Value)
{
    UpdateValue(Variable, Value, [this] { Invalidate(); });
}

void TCustomPlotPanel::SetStringProperty(std::string& Variable, const std::string& Value)
{
    UpdateValue(Variable, Value, [this] { Invalidate(); });
}

// ---- drawing ----

TRect TCustomPlotPanel::GetRectangle() const { return TRect{0, 0, width(), height()}; }

void TCustomPlotPanel::InternalDraw(const TRect&) {}

void TCustomPlotPanel::Draw(platform::DrawingDevice* Canvas, const TRect& R)
{
    // repaint requests made while the chart draws are ignored
    TAutoRepaintOff off(*this);
    struct Painting {
        bool& Flag;
        bool Saved;
        ~Painting() { Flag = Saved; }
    } painting{m_painting, m_painting};
    m_painting = true;
    try {
        ChartBounds = m_canvas->InitWindow(Canvas, m_view3DOptions.get(), m_color, m_view3D, R);
        CalcChartRect();
        RecalcWidthHeight();
        m_drawTextError.clear();
        InternalDraw(ChartBounds);
        m_laidOut = true;
    } catch (...) {
        // a failed draw leaves the buffer stale and the window canvas in place
        m_canvas->Invalidate();
        m_canvas->AttachCanvas(m_windowCanvas.get());
        throw;
    }
    m_canvas->ShowImage(Canvas, m_windowCanvas.get(), R);
    if (m_staleAfterPaint) {
        m_staleAfterPaint = false;
        m_canvas->Invalidate();
    }
    ShowTextError();
}

void TCustomPlotPanel::ShowTextError()
{
    const std::string error = std::exchange(m_drawTextError, std::string());
    if (error.empty()) {
        m_shownTextError.clear();
        return;
    }
    if (error == m_shownTextError)
        return;
    m_shownTextError = error;
    // in the error box, once the paint is over
    QMetaObject::invokeMethod(
        this, [error] { platform::ReportException(error.c_str()); }, Qt::QueuedConnection);
}

void TCustomPlotPanel::LayOutOnce()
{
    if (m_laidOut || m_painting || m_destroying)
        return;
    Draw(m_windowCanvas.get(), GetRectangle());
}

void TCustomPlotPanel::CalcChartRect()
{
    if (CustomChartRect)
        return;
    const int w = ChartBounds.Width();
    const int h = ChartBounds.Height();
    int f = m_borderWidth;
    if (m_bevelInner != bvNone)
        f += m_bevelWidth;
    if (m_bevelOuter != bvNone)
        f += m_bevelWidth;
    if (m_border->Visible())
        f += m_border->Width();
    std::array<int, 4> m = m_margins;
    if (m_marginUnits == muPercent) {
        m[0] = m[0] * w / 100;
        m[1] = m[1] * h / 100;
        m[2] = m[2] * w / 100;
        m[3] = m[3] * h / 100;
    }
    ChartRect = TRect{ChartBounds.Left + f + m[0], ChartBounds.Top + f + m[1], ChartBounds.Right - f - m[2],
                      ChartBounds.Bottom - f - m[3]};
    if (m_shadow->Visible()) {
        ChartRect.Right -= 2 * m_shadow->HorizSize();
        ChartRect.Bottom -= 2 * m_shadow->VertSize();
    }
}

void TCustomPlotPanel::RecalcWidthHeight()
{
    if (!CustomChartRect) {
        ChartRect.Left = std::max(ChartRect.Left, ChartBounds.Left);
        ChartRect.Top = std::max(ChartRect.Top, ChartBounds.Top);
    }
    if (ChartRect.Left > ChartRect.Right)
        ChartRect.Right = ChartRect.Left + 1;
    else if (ChartRect.Left == ChartRect.Right)
        ChartRect.Right = ChartRect.Left + width();
    if (ChartRect.Top > ChartRect.Bottom)
        ChartRect.Bottom = ChartRect.Top + 1;
    else if (ChartRect.Top == ChartRect.Bottom)
        ChartRect.Bottom = ChartRect.Top + height();
    ChartWidth = ChartRect.Right - ChartRect.Left;
    ChartHeight = ChartRect.Bottom - ChartRect.Top;
    ChartXCenter = (ChartRect.Left + ChartRect.Right) / 2;
    ChartYCenter = (ChartRect.Top + ChartRect.Bottom) / 2;
}

bool TCustomPlotPanel::BeginBufferDraw()
{
    platform::DrawingDevice* buffer = m_canvas->Bitmap();
    if (m_painting || !isVisible() || !BufferedDisplay() || !buffer || m_canvas->BufferInvalid) {
        m_canvas->Invalidate();
        m_staleAfterPaint = m_painting;
        return false;
    }
    m_canvas->AttachCanvas(buffer);
    return true;
}

void TCustomPlotPanel::PresentBufferRect(const TRect& R)
{
    platform::DrawingDevice* buffer = m_canvas->Bitmap();
    const int left = std::max(R.Left, 0);
    const int top = std::max(R.Top, 0);
    const int right = std::min(R.Right, buffer->Width());
    const int bottom = std::min(R.Bottom, buffer->Height());
    if (right > left && bottom > top) {
        m_windowCanvas->BitBlt(left, top, right - left, bottom - top, buffer->Surface(), left, top,
                               platform::Rop3::SrcCopy);
        update(QRect(left, top, right - left, bottom - top));
    }
}

void TCustomPlotPanel::EndBufferDraw(const TRect& R)
{
    PresentBufferRect(R);
    m_canvas->AttachCanvas(m_windowCanvas.get());
}

bool TCustomPlotPanel::DrawOutsidePaint(std::span<const TRect> Areas, const std::function<void(TCanvas3D&)>& Body)
{
    if (!BeginBufferDraw()) {
        Invalidate();  // the next paint draws it all
        return false;
    }
    try {
        Body(*m_canvas);
    } catch (...) {
        m_canvas->AttachCanvas(m_windowCanvas.get());
        Invalidate();
        throw;
    }
    for (const TRect& r : Areas)
        PresentBufferRect(r);
    m_canvas->AttachCanvas(m_windowCanvas.get());
    return true;
}

void TCustomPlotPanel::DrawClient() { Draw(m_windowCanvas.get(), GetRectangle()); }

void TCustomPlotPanel::Invalidate()
{
    if (!m_autoRepaint)
        return;
    m_canvas->Invalidate();
    update();
}

void TCustomPlotPanel::DrawToCanvas(platform::DrawingDevice* Canvas, const TRect& R)
{
    // buffered display and the kept buffer come back however the draw ends
    struct TRestore {
        TCustomPlotPanel& Panel;
        bool Buffered;
        ~TRestore()
        {
            Panel.SetBufferedDisplay(Buffered);
            Panel.m_canvas->KeepBuffer = false;
            Panel.Invalidate();
        }
    } restore{*this, BufferedDisplay()};
    m_canvas->KeepBuffer = true;
    SetBufferedDisplay(false);
    Draw(Canvas, R);
}

std::unique_ptr<TBitmap> TCustomPlotPanel::CreateChartBitmap(TColor BackColor, const TRect& R,
                                                             TPixelFormat PixelFormat)
{
    auto device = m_windowCanvas->CreateCompatible(std::max(0, R.Width()), std::max(0, R.Height()));
    if (BackColor != clWhite) {
        platform::BrushDesc brush;
        brush.color = platform::ColorToRGB(BackColor);
        device->FillRectWith(ToDeviceRect(R), brush);
    }
    DrawToCanvas(device.get(), R);
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->FromDeviceBitmap(device->Surface());
    bitmap->SetPixelFormat(m_canvas->IsNonGdiCanvas() ? pf24bit : PixelFormat);
    return bitmap;
}

void TCustomPlotPanel::AssignTo(TBitmap& Dest)
{
    const auto bitmap = CreateChartBitmap(m_color, GetRectangle(), pf32bit);
    Dest.Assign(*bitmap);
}

void TCustomPlotPanel::AssignTo(TPicture& Dest)
{
    const auto bitmap = CreateChartBitmap(m_color, GetRectangle(), pf32bit);
    Dest.SetGraphic(bitmap.get());
}

bool TCustomPlotPanel::CanClip()
{
    if (m_canvas->IsNonGdiCanvas())
        return false;
    if (Printing)
        return ClipWhenPrinting;
    if (m_canvas->Metafiling)
        return ClipWhenMetafiling;
    return true;
}

void TCustomPlotPanel::ApplyBrush(TColor Color, TChartBrush* Brush, TColor BackColor)
{
    if (Brush->Style() != bsSolid && Color == BackColor)
        Color = BackColor == clBlack ? clWhite : clBlack;
    m_canvas->AssignBrushColor(Brush, Color, BackColor);
}

void TCustomPlotPanel::DrawPanelBevels(TRect R)
{
    TCanvas3D& c = *m_canvas;
    c.Begin2DSection();
    c.Brush()->SetStyle(bsClear);
    if (m_border->Visible()) {
        int d;
        if (m_border->SmallDots()) {
            d = 1;
        } else {
            const int w = m_border->Width() - 1;
            if (w > 0) {
                R.Left += w / 2 + (w % 2);
                R.Top += w / 2 + (w % 2);
                R.Right -= w / 2;
                R.Bottom -= w / 2;
                d = w / 2;
            } else {
                d = w;
            }
        }
        c.AssignPenColor(m_border.get(), m_border->Color());
        if (m_borderRound < 1) {
            c.RectangleRect(R);
            if (!m_border->SmallDots())
                ++d;
        } else {
            --R.Right;
            --R.Bottom;
            c.RoundRectRect(R, m_borderRound, m_borderRound);
        }
        R = TRect{R.Left + d, R.Top + d, R.Right - d, R.Bottom - d};
    }
    if (Printing && !PrintPanelBackground) {
        c.End2DSection();
        return;
    }
    c.Pen()->SetStyle(psSolid);
    c.Pen()->SetWidth(1);
    c.Pen()->SetMode(pmCopy);
    DrawBevel(c, m_bevelOuter, R, m_bevelWidth, m_borderRound);
    if (m_borderWidth != 0)
        c.Frame3D(R, m_color, m_color, m_borderWidth);
    DrawBevel(c, m_bevelInner, R, m_bevelWidth, m_borderRound);
    c.End2DSection();
}

// ---- events ----

TPlotEvent& TCustomPlotPanel::Broadcast(TPlotEvent& Event)
{
    if (m_destroying)
        return Event;
    Event.Sender = this;
    const bool mouse = dynamic_cast<TPlotMouseEvent*>(&Event) != nullptr;
    // listeners may leave (or make others leave) while they are called: walk a
    // copy and skip those no longer listed
    std::vector<IChartEventListener*> listeners;
    listeners.reserve(static_cast<std::size_t>(m_listeners.Count()));
    for (int i = 0; i < m_listeners.Count(); ++i)
        listeners.push_back(m_listeners[i]);
    for (IChartEventListener* listener : listeners) {
        if (m_listeners.IndexOf(listener) < 0)
            continue;
        listener->HandleChartEvent(Event);
        if (mouse && CancelMouse)
            break;
    }
    return Event;
}

void TCustomPlotPanel::BroadcastMouseEvent(std::uint8_t Kind, TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TPlotMouseEvent event;
    event.Event = Kind;
    event.Button = Button;
    event.Shift = Shift;
    event.X = X;
    event.Y = Y;
    Broadcast(event);
}

void TCustomPlotPanel::RemoveListener(IChartEventListener* Listener) { m_listeners.Remove(Listener); }

void TCustomPlotPanel::Assign(const TCustomPlotPanel& Source)
{
    if (&Source == this)
        return;
    PropertyTable().Assign(*this, Source);
    SetBufferedDisplay(Source.BufferedDisplay());
    m_printMargins = Source.m_printMargins;
}

void TCustomPlotPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    CancelMouse = false;
    if (OnMouseDown)
        OnMouseDown(*this, Button, Shift, X, Y);
    if (m_listeners.Count() > 0)
        BroadcastMouseEvent(meDown, Button, Shift, X, Y);
}

void TCustomPlotPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseUp)
        OnMouseUp(*this, Button, Shift, X, Y);
    if (m_listeners.Count() > 0)
        BroadcastMouseEvent(meUp, Button, Shift, X, Y);
}

void TCustomPlotPanel::MouseMove(TShiftState Shift, int X, int Y)
{
    CancelMouse = false;
    if (OnMouseMove)
        OnMouseMove(*this, Shift, X, Y);
    if (m_listeners.Count() > 0)
        BroadcastMouseEvent(meMove, mbLeft, Shift, X, Y);
}

bool TCustomPlotPanel::DblClick()
{
    CancelMouse = false;
    if (OnDblClick)
        OnDblClick(*this);
    return !CancelMouse;
}

void TCustomPlotPanel::Click()
{
    if (OnClick)
        OnClick(*this);
}

void TCustomPlotPanel::MouseLeave()
{
    SetCursor(LoadedCursor);
    m_panning.Active = false;
}

bool TCustomPlotPanel::MouseWheel(TShiftState Shift, int WheelDelta, int X, int Y)
{
    bool handled = false;
    if (OnMouseWheel)
        OnMouseWheel(*this, Shift, WheelDelta, X, Y, handled);
    return handled;
}

void TCustomPlotPanel::SetControlRgn()
{
    if (m_regionBusy || !parentWidget())
        return;
    m_regionBusy = true;
    if (m_borderRound >= 1) {
        const platform::Rect r{0, 0, width(), height()};
        setMask(platform::ToQRegion(platform::Region::FromRoundRect(r, m_borderRound, m_borderRound),
                                    QRect(0, 0, width(), height())));
    } else {
        clearMask();
    }
    m_regionBusy = false;
}

// ---- window events ----

void TCustomPlotPanel::paintEvent(QPaintEvent*)
{
    if (!Printing && !m_canvas->ReDrawBitmap())
        DrawClient();
    QPainter painter(this);
    painter.drawImage(0, 0, m_windowCanvas->Image());
}

void TCustomPlotPanel::resizeEvent(QResizeEvent* Event)
{
    m_windowCanvas->SetSize(std::max(1, width()), std::max(1, height()));
    m_canvas->Invalidate();
    if (!Loading() && m_borderRound > 0)
        SetControlRgn();
    QWidget::resizeEvent(Event);
    if (OnResize)
        OnResize(*this);
}

void TCustomPlotPanel::mousePressEvent(QMouseEvent* Event)
{
    // the second press of a double click comes again as the double click
    if (Event->flags() & Qt::MouseEventCreatedDoubleClick) {
        Event->accept();
        return;
    }
    const QPoint p = Event->position().toPoint();
    m_clickPending = Event->button() == Qt::LeftButton;
    MouseDown(MouseButtonOf(Event->button()), ShiftStateOf(Event->modifiers(), Event->buttons()), p.x(), p.y());
}

void TCustomPlotPanel::mouseReleaseEvent(QMouseEvent* Event)
{
    const QPoint p = Event->position().toPoint();
    if (Event->button() == Qt::LeftButton && m_clickPending) {
        m_clickPending = false;
        // a click handler may close the window the panel is in
        const QPointer<TCustomPlotPanel> alive(this);
        if (rect().contains(p))
            Click();
        if (!alive)
            return;
    }
    MouseUp(MouseButtonOf(Event->button()), ShiftStateOf(Event->modifiers(), Event->buttons()), p.x(), p.y());
}

void TCustomPlotPanel::mouseMoveEvent(QMouseEvent* Event)
{
    const QPoint p = Event->position().toPoint();
    MouseMove(ShiftStateOf(Event->modifiers(), Event->buttons()), p.x(), p.y());
}

void TCustomPlotPanel::mouseDoubleClickEvent(QMouseEvent* Event)
{
    Event->accept();
    m_clickPending = false;
    // a double click cancelled by its handler ends here, silently; otherwise
    // its press goes the way of every press, marked as double
    if (Event->button() == Qt::LeftButton && !DblClick())
        return;
    const QPoint p = Event->position().toPoint();
    MouseDown(MouseButtonOf(Event->button()), ShiftStateOf(Event->modifiers(), Event->buttons()) | ssDouble, p.x(), p.y());
}

void TCustomPlotPanel::wheelEvent(QWheelEvent* Event)
{
    const QPoint p = Event->position().toPoint();
    if (MouseWheel(ShiftStateOf(Event->modifiers(), Event->buttons()), Event->angleDelta().y(), p.x(), p.y()))
        Event->accept();
    else
        Event->ignore();
}

void TCustomPlotPanel::leaveEvent(QEvent* Event)
{
    MouseLeave();
    QWidget::leaveEvent(Event);
}

void TCustomPlotPanel::changeEvent(QEvent* Event)
{
    // a change of the system colours repaints
    if (Event->type() == QEvent::PaletteChange || Event->type() == QEvent::StyleChange)
        Invalidate();
    QWidget::changeEvent(Event);
}
