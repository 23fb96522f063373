#include "chart/tools/rotate_tool.h"

#include <QTimer>

#include <algorithm>
#include <cmath>

#include "chart/chart_messages.h"
#include "chart/plot_panel.h"
#include "chart/plot_procs.h"
#include "chart/tools/tool_chart.h"
#include "chart/zoom_panning.h"

namespace {
constexpr const char* kStyleNames[] = {"rsAll", "rsRotation", "rsElevation"};
// Steps at or below this many degrees count as stopped.
constexpr double kStill = 0.01;
}  // namespace

double WrapDegrees(double Angle)
{
    double a = std::fmod(Angle, 360.0);
    if (a < 0)
        a += 360.0;
    // a tiny negative angle rounds up to 360 itself
    return a >= 360.0 ? 0.0 : a;
}

TRotateTool::TRotateTool(QObject* Owner) : TPlotCustomTool(Owner)
{
    m_cursor = crPlotHand;
    Pen().InitVisible(false);
    Pen().InitMode(pmXor);
    Pen().InitColor(clWhite);
}

TRotateTool::~TRotateTool()
{
    if (m_dragging && m_cursor != crDefault)
        SetScreenCursor(m_savedCursor);
}

std::string TRotateTool::Description() const { return ProMsgToolRotate; }
std::string TRotateTool::LongDescription() const { return ProMsgToolRotateDesc; }

void TRotateTool::SetInertia(int Value) { m_inertia = std::clamp(Value, 0, 100); }

const TPropertyTable<TCustomChartElement>& TRotateTool::Properties()
{
    using S = TRotateTool;
    static const TPropertyTable<TCustomChartElement> table =
        TPropertyTable<TCustomChartElement>::Of<S>(TPlotCustomTool::Properties())
            .Property("Button", EnumKind(MouseButtonNames), TAccessors{&S::Button, &S::SetButton}, mbLeft)
            .Property("Cursor", IntegerKind, TAccessors{&S::Cursor, &S::SetCursor}, crPlotHand)
            .Property("Inertia", IntegerKind, TAccessors{&S::Inertia, &S::SetInertia}, 0)
            .Property("Inverted", BooleanKind, TAccessors{&S::Inverted, &S::SetInverted}, false)
            .Property("Speed", IntegerKind, TAccessors{&S::Speed, &S::SetSpeed}, 50)
            .Property("Style", EnumKind(kStyleNames), TAccessors{&S::Style, &S::SetStyle}, rsAll);
    return table;
}

void TRotateTool::Assign(const TCustomChartElement& Source)
{
    if (const auto* s = dynamic_cast<const TRotateTool*>(&Source)) {
        m_button = s->m_button;
        m_cursor = s->m_cursor;
        m_inertia = s->m_inertia;
        m_inverted = s->m_inverted;
        m_speed = s->m_speed;
        m_style = s->m_style;
    }
    TPlotCustomTool::Assign(Source);
}

bool TRotateTool::InertiaTimerActive() const { return m_timer && m_timer->isActive(); }

void TRotateTool::InertiaTimerTick()
{
    if (!m_dragging)
        Apply(m_rotationStep, m_elevationStep);
    if (m_timer && m_timer->isActive())
        m_timer->start();
}

void TRotateTool::Apply(double Rotation, double Elevation)
{
    TCustomPlotPanel* panel = ToolPanel(*this);
    if (!panel)
        return;
    TView3DOptions& options = *panel->View3DOptions();
    options.SetOrthogonal(false);
    const bool full = panel->Canvas()->SupportsFullRotation();
    if (m_style != rsElevation)
        options.SetRotationDouble(WrapDegrees(options.RotationDouble() + Rotation));
    if (m_style != rsRotation) {
        const double e = options.ElevationDouble();
        if (full)
            options.SetElevationDouble(WrapDegrees(e + Elevation));
        else if (Elevation > 0)
            options.SetElevationDouble(std::min(e + Elevation, 360.0));
        else if (Elevation < 0)
            options.SetElevationDouble(std::max(e + Elevation, 270.0));
    }
}

void TRotateTool::ToggleOutline()
{
    TCustomPlotPanel* panel = ToolPanel(*this);
    if (!panel)
        return;
    panel->DrawOutsidePaint(panel->GetRectangle(), [&](TCanvas3D& c) {
        c.AssignPen(&Pen());
        c.Pen()->SetMode(pmXor);
        c.Brush()->SetStyle(bsClear);
        const TRect& r = panel->ChartRect;
        const int depth = panel->Width3D;
        c.RectangleWithZ(r, 0);
        c.RectangleWithZ(r, depth);
        c.ZLine3D(r.Left, r.Top, 0, depth);
        c.ZLine3D(r.Right, r.Top, 0, depth);
        c.ZLine3D(r.Left, r.Bottom, 0, depth);
        c.ZLine3D(r.Right, r.Bottom, 0, depth);
        c.Pen()->SetMode(pmCopy);
    });
}

void TRotateTool::DoRotate(int X, int Y)
{
    TCustomPlotPanel* panel = ToolPanel(*this);
    if (!panel)
        return;
    const double factor = (m_speed - 50) * 0.01 + 1;
    // a chart without width or height does not turn on that axis
    double rotation = panel->ChartWidth > 0 ? (X - m_lastX) * 90.0 / panel->ChartWidth * factor : 0.0;
    double elevation = panel->ChartHeight > 0 ? (m_lastY - Y) * 90.0 / panel->ChartHeight * factor : 0.0;
    if (m_inverted) {
        rotation = -rotation;
        elevation = -elevation;
    }
    m_rotationStep = rotation;
    m_elevationStep = elevation;
    const bool outline = Pen().Visible();
    if (outline) {
        if (m_firstStep) {
            m_savedAutoRepaint = panel->AutoRepaint();
            panel->SetAutoRepaint(false);
        } else {
            ToggleOutline();
        }
    }
    m_firstStep = false;
    panel->SetView3D(true);
    Apply(rotation, elevation);
    m_lastX = X;
    m_lastY = Y;
    SetToolMouseHandled(*this, true);
    if (outline) {
        panel->Canvas()->Projection(panel->Width3D, panel->ChartRect);
        ToggleOutline();
    }
    if (OnRotate)
        OnRotate(*this);
}

void TRotateTool::ChartEvent(TToolDrawPhase)
{
    if (m_inertia <= 0)
        return;
    if (std::abs(m_rotationStep) <= kStill && std::abs(m_elevationStep) <= kStill) {
        if (m_timer)
            m_timer->stop();
        return;
    }
    const double k = (100 - m_inertia) * 0.001;
    const auto decay = [k](double Step) { return std::abs(Step) > kStill ? Step - Step * k : 0.0; };
    m_rotationStep = decay(m_rotationStep);
    m_elevationStep = decay(m_elevationStep);
}

void TRotateTool::ChartMouseEvent(TToolMouseKind Kind, TMouseButton Button, TShiftState, int X, int Y)
{
    switch (Kind) {
    case tmkDown:
        if (Button != m_button)
            return;
        if (m_timer)
            m_timer->stop();
        m_dragging = true;
        m_lastX = X;
        m_lastY = Y;
        m_firstStep = true;
        if (m_cursor != crDefault) {
            m_savedCursor = ScreenCursor();
            SetScreenCursor(m_cursor);
        }
        SetToolMouseHandled(*this, true);
        break;
    case tmkMove:
        if (m_dragging)
            DoRotate(X, Y);
        break;
    case tmkUp:
        if (!m_dragging)
            return;
        m_dragging = false;
        // the outline took the repaints over only once a step was made
        if (Pen().Visible() && !m_firstStep)
            if (TCustomPlotPanel* panel = ToolPanel(*this)) {
                panel->SetAutoRepaint(m_savedAutoRepaint);
                panel->Invalidate();
            }
        if (m_inertia > 0) {
            if (!m_timer) {
                m_timer = new QTimer(this);
                connect(m_timer.data(), &QTimer::timeout, this, [this] { InertiaTimerTick(); });
            }
            m_timer->setInterval(1);
            m_timer->start();
        }
        if (m_cursor != crDefault)
            SetScreenCursor(m_savedCursor);
        break;
    }
}
