#include "chart/tools/rectangle_tool.h"

#include <cmath>

#include "chart/chart_messages.h"
#include "chart/plot_panel.h"
#include "chart/plot_shadow.h"
#include "chart/tools/tool_chart.h"
#include "chart/tools/tool_geometry.h"

TRectangleTool::TRectangleTool(QObject* Owner) : TAnnotationTool(Owner)
{
    TTextShape& s = Shape();
    s.InitAutoSize(false);
    s.InitCustomPosition(true);
    s.Shadow()->InitSize(0);
    s.InitTransparency(75);
    s.ShapeBounds = TRect{10, 10, 59, 59};
    s.InitCursor(crHandPoint);
}

std::string TRectangleTool::Description() const { return ProMsgToolRectangle; }
std::string TRectangleTool::LongDescription() const { return ProMsgToolRectangleDesc; }

const TPropertyTable<TCustomChartElement>& TRectangleTool::Properties()
{
    using S = TRectangleTool;
    static const TPropertyTable<TCustomChartElement> table =
        TPropertyTable<TCustomChartElement>::Of<S>(TAnnotationTool::Properties())
            .Property("AllowDrag", BooleanKind, TAccessors{&S::AllowDrag, &S::SetAllowDrag}, true)
            .Property("AllowResize", BooleanKind, TAccessors{&S::AllowResize, &S::SetAllowResize}, true);
    return table;
}

void TRectangleTool::Assign(const TCustomChartElement& Source)
{
    if (const auto* s = dynamic_cast<const TRectangleTool*>(&Source)) {
        m_allowDrag = s->m_allowDrag;
        m_allowResize = s->m_allowResize;
    }
    TAnnotationTool::Assign(Source);
}

TRect TRectangleTool::Box()
{
    TRect r;
    int x, y, lines;
    GetShapeBounds(r, x, y, lines);
    return r;
}

int TRectangleTool::ClickedCorner(int X, int Y)
{
    if (!ToolPanel(*this))
        return -1;
    return RectangleClickedCorner(Box(), X, Y);
}

int TRectangleTool::ToPercent(int Value, int Size) const
{
    // a control without size has no percent to give
    if (Size <= 0)
        return Value;
    return static_cast<int>(std::nearbyint(Value * 100.0 / Size));
}

void TRectangleTool::ChartMouseEvent(TToolMouseKind Kind, TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TAnnotationTool::ChartMouseEvent(Kind, Button, Shift, X, Y);
    TCustomPlotPanel* panel = ToolPanel(*this);
    if (!Active() || !panel)
        return;
    TTextShape& s = Shape();
    switch (Kind) {
    case tmkDown: {
        if (Button != mbLeft)
            return;
        const TRect r = Box();
        m_part = m_allowResize ? RectangleClickedCorner(r, X, Y) : -1;
        if (m_part != -1) {
            const bool right = m_part == 2 || m_part == 6 || m_part == 7;
            const bool bottom = m_part == 3 || m_part == 5 || m_part == 7;
            m_offsetX = X - (right ? r.Right : r.Left);
            m_offsetY = Y - (bottom ? r.Bottom : r.Top);
            SetToolMouseHandled(*this, true);
        } else if (m_allowDrag && X >= r.Left && X <= r.Right && Y >= r.Top && Y <= r.Bottom) {
            m_offsetX = X - r.Left;
            m_offsetY = Y - r.Top;
            m_dragging = true;
            SetToolMouseHandled(*this, true);
        }
        break;
    }
    case tmkMove:
        if (m_dragging) {
            const TRect r = Box();
            const int left = X - m_offsetX;
            const int top = Y - m_offsetY;
            if (left == r.Left && top == r.Top)
                return;
            const int w = s.Width();
            const int h = s.Height();
            s.SetCustomPosition(true);
            if (PositionUnits() == muPixels) {
                s.SetLeft(left);
                s.SetTop(top);
            } else {
                s.SetLeft(ToPercent(left, panel->width()));
                s.SetTop(ToPercent(top, panel->height()));
            }
            s.SetWidth(w);
            s.SetHeight(h);
            Repaint();
            if (OnDragging)
                OnDragging(*this);
        } else if (m_part != -1) {
            s.SetAutoSize(false);
            const TRect r = ResizedRectangle(Box(), m_part, X - m_offsetX, Y - m_offsetY);
            if (PositionUnits() == muPixels) {
                s.ShapeBounds = r;
            } else {
                const int w = s.Width();
                const int h = s.Height();
                s.SetLeft(ToPercent(r.Left, panel->width()));
                s.SetTop(ToPercent(r.Top, panel->height()));
                s.SetWidth(w);
                s.SetHeight(h);
            }
            Repaint();
            if (OnResizing)
                OnResizing(*this);
        } else {
            bool handled = false;
            const int part = ClickedCorner(X, Y);
            if (part != -1) {
                if (m_allowResize) {
                    static constexpr TCursor cursors[] = {crSizeWE,   crSizeNS,   crSizeWE,   crSizeNS,
                                                          crSizeNWSE, crSizeNESW, crSizeNESW, crSizeNWSE};
                    panel->SetCursor(cursors[part]);
                    handled = true;
                }
            } else if (Cursor() != crDefault && Clicked(X, Y)) {
                panel->SetCursor(Cursor());
                handled = true;
            }
            SetToolMouseHandled(*this, handled);
        }
        break;
    case tmkUp:
        if (m_dragging) {
            m_dragging = false;
            if (OnDragged)
                OnDragged(*this);
        } else if (m_part != -1) {
            m_part = -1;
            if (OnResized)
                OnResized(*this);
        }
        break;
    }
}
