#include "chart/chart.h"

#include <QPointer>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "chart/appearance_properties.h"
#include "chart/axis_title.h"
#include "chart/chart_axis.h"
#include "chart/chart_series.h"
#include "chart/chart_tool.h"
#include "chart/color_palettes.h"

bool WheelScrollsAxes = true;
TShiftState ScrollKeyShift = 0;
double ZoomAnimationDivisor = 3.0;

namespace {

// Line separator of chart texts.
constexpr char LineSeparator = 13;

bool HasShift(TShiftState Shift, TShiftState Wanted)
{
    return (Shift & Wanted) == Wanted;
}

}  // namespace

TCustomChart::TCustomChart(QWidget* Parent) : TCustomAxisPanel(Parent)
{
    TAutoRepaintOff off(*this);
    m_title = std::make_unique<TChartTitle>(this);
    m_scrollMouseButton = mbRight;
    m_subTitle = std::make_unique<TChartTitle>(this);
    m_foot = std::make_unique<TChartFootTitle>(this);
    m_subFoot = std::make_unique<TChartFootTitle>(this);
    m_walls = std::make_unique<TChartWalls>(this);
    m_legend = std::make_unique<TChartLegend>(this);
    m_restoredAxes = true;
}

TCustomChart::~TCustomChart()
{
    m_savedAxes.clear();
    SetAutoRepaint(false);
    m_subTitle.reset();
    m_title.reset();
    m_subFoot.reset();
    m_foot.reset();
    m_walls.reset();
    m_legend.reset();
}

const TPropertyTable<TCustomPlotPanel>& TCustomChart::Properties()
{
    using C = TCustomChart;
    using Shape = TPlotCustomShapeBrushPen;
    static const TPropertyTable<TCustomPlotPanel> table =
        TPropertyTable<TCustomPlotPanel>::Of<C>(TCustomAxisPanel::Properties())
            .Object(
                "BackWall", [](const C& c) -> const Shape* { return c.BackWall(); },
                [](C& c) -> Shape* { return c.BackWall(); }, nullptr, TChartBackWall::Properties())
            .Object(
                "BottomWall", [](const C& c) -> const Shape* { return c.BottomWall(); },
                [](C& c) -> Shape* { return c.BottomWall(); }, nullptr, TChartWall::Properties())
            .Object(
                "Foot", [](const C& c) -> const Shape* { return c.Foot(); }, [](C& c) -> Shape* { return c.Foot(); },
                nullptr, TChartTitle::Properties())
            // the back wall's pen under a second name
            .Object(
                "Frame", [](const C& c) -> const TChartPen* { return c.Frame(); },
                [](C& c) -> TChartPen* { return c.Frame(); }, nullptr, ChartPenProperties())
            .Object(
                "LeftWall", [](const C& c) -> const Shape* { return c.LeftWall(); },
                [](C& c) -> Shape* { return c.LeftWall(); }, nullptr, TChartWall::Properties())
            .Object(
                "Legend", [](const C& c) -> const Shape* { return c.Legend(); },
                [](C& c) -> Shape* { return c.Legend(); }, nullptr, TCustomChartLegend::Properties())
            .Object(
                "RightWall", [](const C& c) -> const Shape* { return c.RightWall(); },
                [](C& c) -> Shape* { return c.RightWall(); }, nullptr, TChartWall::Properties())
            .Property("ScrollMouseButton", EnumKind(MouseButtonNames),
                      TAccessors{&C::ScrollMouseButton, &C::SetScrollMouseButton}, mbRight)
            .Object(
                "SubFoot", [](const C& c) -> const Shape* { return c.SubFoot(); },
                [](C& c) -> Shape* { return c.SubFoot(); }, nullptr, TChartTitle::Properties())
            .Object(
                "SubTitle", [](const C& c) -> const Shape* { return c.SubTitle(); },
                [](C& c) -> Shape* { return c.SubTitle(); }, nullptr, TChartTitle::Properties())
            .Object(
                "Title", [](const C& c) -> const Shape* { return c.Title(); },
                [](C& c) -> Shape* { return c.Title(); }, nullptr, TChartTitle::Properties())
            // older streams: the back wall's colour, solid once the chart stands on a form
            .Obsolete("BackColor",
                      [](C& c, const TPropertyValue& v) {
                          c.BackWall()->SetColor(ColorValue(v));
                          if (c.parentWidget() && !c.Loading())
                              c.BackWall()->Brush()->SetStyle(bsSolid);
                      })
            .Property("ColorPaletteIndex", IntegerKind,
                      TAccessors{&C::ColorPaletteIndex, &C::SetColorPaletteIndex},
                      TStoredWhen{[](const C& c) { return c.ColorPaletteIndex() >= 1; }});
    return table;
}

// ---- palette and colours ----

void TCustomChart::SetColorPaletteIndex(int Value)
{
    if (m_colorPaletteIndex == Value)
        return;
    m_colorPaletteIndex = Value;
    ApplyPalette(*this, Value);
}

void TCustomChart::FillSeriesSourceItems(const TChartSeries*, const std::function<void(const std::string&)>&) {}

void TCustomChart::FillValueSourceItems(const TChartSeries* Series, const std::function<void(const std::string&)>& Proc)
{
    const auto* source = Series ? qobject_cast<const TChartSeries*>(Series->DataSource()) : nullptr;
    if (!source || !Proc)
        return;
    for (int i = 0; i < source->ValuesListCount(); ++i)
        Proc(source->ValuesList(i).Name());
}

bool TCustomChart::IsFreeSeriesColor(TColor Color, bool CheckBackground, const TChartSeries* Series) const
{
    for (int i = 0; i < SeriesCount(); ++i) {
        const TChartSeries* s = this->Series(i);
        if (s != Series && s->SeriesColor() == Color)
            return false;
    }
    return !CheckBackground || (Color != TCustomPlotPanel::Color() && Color != m_walls->Back().Color());
}

TColor TCustomChart::GetBackColor() const
{
    if (!m_walls)
        return TCustomPlotPanel::Color();
    const TChartBackWall& back = m_walls->Back();
    return back.Transparent() ? TCustomPlotPanel::Color() : back.Color();
}

int TCustomChart::AxisWallSize(const TChartAxis& Axis) const
{
    if (!View3D() || !View3DWalls())
        return 0;
    const TCustomChartWall* wall = &m_walls->Back();
    if (&Axis == LeftAxis())
        wall = &m_walls->Left();
    else if (&Axis == BottomAxis())
        wall = &m_walls->Bottom();
    else if (&Axis == RightAxis())
        wall = &m_walls->Right();
    return wall->Visible() ? wall->Size() : 0;
}

// ---- legend services ----

std::string TCustomChart::LegendText(const TChartSeries& Series, int Index) const
{
    if (Index == -1)
        return {};
    std::string text = Series.LegendString(Index, m_legend->TextStyle());
    std::replace(text.begin(), text.end(), LineSeparator, ' ');
    return text;
}

std::string TCustomChart::FormattedLegend(int Index)
{
    const TLegendStyle style = m_legend->ResolvedStyle();
    std::string text = m_legend->ItemText(style, Index);
    if (OnGetLegendText)
        OnGetLegendText(*this, style, Index, text);
    return text;
}

void TCustomChart::DrawLegendRect(const TRect& R)
{
    TLegendSymbol& symbol = *m_legend->Symbol();
    if (!symbol.Gradient()->Visible() && !symbol.Pen()->Visible()) {
        TCustomAxisPanel::DrawLegendRect(R);
        return;
    }
    symbol.DrawSymbol(*Canvas(), R, Canvas()->Brush()->Color());
}

// ---- drawing ----

void TCustomChart::CalcWallsRect()
{
    if (!View3D() || !View3DOptions()->Orthogonal())
        return;
    const int tmp = ActiveSeriesUseAxes() ? m_walls->Back().Size() : 0;
    if (!CustomChartRect) {
        if (View3DOptions()->OrthoAngle() < 91) {
            ChartRect.Right -= std::abs(TotalWidth3D()) + tmp;
            if (m_walls->Right().Visible())
                ChartRect.Right -= m_walls->Right().Size() + 1;
        } else {
            ChartRect.Left += std::abs(TotalWidth3D()) + tmp;
            if (m_walls->Left().Visible())
                ChartRect.Left += m_walls->Left().Size() + 1;
        }
        ChartRect.Top += tmp + std::abs(TotalHeight3D());
    }
    RecalcWidthHeight();
}

bool TCustomChart::WallDrawable(const TCustomChartWall& Wall) const
{
    return View3DWalls() && Wall.Visible() && !Wall.AutoHide();
}

void TCustomChart::DrawWalls()
{
    if (!ActiveSeriesUseAxes())
        return;
    TChartWalls& w = *m_walls;
    const bool walls3D = View3D() && View3DWalls();
    if (walls3D && w.Right().Visible() && !w.RightOnViewerSide())
        w.DrawRight();
    const bool behind = IsFaceSeenFromBehind(Width3D);
    if (View3DWalls() && w.Back().Visible() && !behind)
        w.DrawBack();
    if (!walls3D)
        return;
    if (w.Left().Visible() && !w.LeftOnViewerSide())
        w.DrawLeft();
    if (w.Bottom().Visible())
        w.DrawBottom();
    if (behind)
        for (TChartAxis* axis : {TopAxis(), BottomAxis()})
            if (axis->Visible())
                axis->DrawGrids(static_cast<int>(axis->TickPositions.size()));
}

void TCustomChart::DrawTitles(bool CustomPass)
{
    auto draw = [&](TChartTitle* title, const char* entity) {
        if (title->CustomPosition() == CustomPass)
            title->DrawTitle(entity);
    };
    draw(m_title.get(), "title");
    draw(m_subTitle.get(), "subtitle");
    draw(m_foot.get(), "foot");
    draw(m_subFoot.get(), "subfoot");
}

void TCustomChart::DrawTitlesAndLegend(bool BeforeSeries)
{
    TCanvas3D& canvas = *Canvas();
    canvas.Begin2DSection();
    const bool legendShown = m_legend->Visible();
    if (BeforeSeries) {
        if (legendShown && !m_legend->CustomPosition()) {
            if (m_legend->Vertical()) {
                m_legend->DrawLegend();
                DrawTitles(false);
            } else {
                DrawTitles(false);
                m_legend->DrawLegend();
            }
        } else {
            DrawTitles(false);
        }
    } else {
        if (legendShown && m_legend->CustomPosition())
            m_legend->DrawLegend();
        DrawTitles(true);
    }
    canvas.End2DSection();
    if (BeforeSeries || !ActiveSeriesUseAxes() || !View3D())
        return;
    // the parts in front of the series are drawn over them
    TChartWalls& w = *m_walls;
    if (w.RightOnViewerSide()) {
        if (WallDrawable(w.Right()))
            w.DrawRight();
        if (RightAxis()->Visible())
            RightAxis()->Draw(false);
    }
    if (w.LeftOnViewerSide()) {
        if (WallDrawable(w.Left()))
            w.DrawLeft();
        if (LeftAxis()->Visible())
            LeftAxis()->Draw(false);
    }
    if (IsFaceSeenFromBehind(Width3D)) {
        for (TChartAxis* axis : {TopAxis(), BottomAxis()})
            if (axis->Visible())
                axis->DrawGrids(static_cast<int>(axis->TickPositions.size()));
        if (WallDrawable(w.Back()))
            w.DrawBack();
    }
}

// ---- clicked parts ----

TChartClickedPart TCustomChart::CalcClickedPart(int X, int Y, bool ForClick)
{
    TChartClickedPart part;
    const bool legendShown = m_legend->Visible();
    auto legendItem = [&] {
        const int i = m_legend->Clicked(X, Y);
        if (i == -1)
            return false;
        part.Part = cpLegend;
        part.PointIndex = i;
        return true;
    };
    if (legendShown && m_legend->CustomPosition() && legendItem())
        return part;
    for (int i = SeriesCount() - 1; i >= 0; --i) {
        TChartSeries* s = Series(i);
        if (!s->Active())
            continue;
        if (ForClick && !s->HasClickEvents() && !OnClickSeries)
            continue;
        const QPointer<TChartSeries> alive(s);
        if (const int p = ForClick ? s->MouseClicked(X, Y) : s->Clicked(X, Y); p != -1) {
            // a pointer handler that freed its series leaves a hit on nothing
            part = {cpSeries, p, alive ? s : nullptr, nullptr};
            return part;
        }
        if (const int m = s->Marks().Clicked(X, Y); m != -1) {
            part = {cpSeriesMarks, m, s, nullptr};
            return part;
        }
    }
    for (int i = 0; i < AxisListCount(); ++i) {
        TChartAxis* axis = AxisListItem(i);
        if (axis->Clicked(X, Y)) {
            part = {cpAxis, -1, nullptr, axis};
            return part;
        }
        if (axis->Title()->Visible() && axis->Title()->Clicked(X, Y)) {
            part = {cpAxisTitle, -1, nullptr, axis};
            return part;
        }
    }
    if (legendShown && !m_legend->CustomPosition() && legendItem())
        return part;
    const std::pair<TChartTitle*, TChartClickedPartStyle> titles[] = {
        {m_title.get(), cpTitle}, {m_subTitle.get(), cpSubTitle}, {m_foot.get(), cpFoot}, {m_subFoot.get(), cpSubFoot}};
    for (const auto& [title, style] : titles)
        if (title->Clicked(X, Y)) {
            part.Part = style;
            return part;
        }
    if (X >= ChartRect.Left && X <= ChartRect.Right && Y >= ChartRect.Top && Y <= ChartRect.Bottom
        && CountActiveSeries() > 0)
        part.Part = cpChartRect;
    return part;
}

// ---- mouse ----

void TCustomChart::StartZoomOrPan(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    bool started = false;
    TPlotZoom& zoom = *Zoom();
    if (ActiveSeriesUseAxes() && zoom.Allow && Button == zoom.MouseButton && HasShift(Shift, zoom.KeyShift)) {
        zoom.Activate(X, Y);
        if (zoom.Direction == tzdHorizontal) {
            zoom.Y0 = ChartRect.Top;
            zoom.Y1 = ChartRect.Bottom;
        } else if (zoom.Direction == tzdVertical) {
            zoom.X0 = ChartRect.Left;
            zoom.X1 = ChartRect.Right;
        }
        started = true;
    }
    if (AllowPanning() != pmNone && Button == m_scrollMouseButton && HasShift(Shift, ScrollKeyShift)) {
        Panning().Activate(X, Y);
        started = true;
    }
    if (started)
        TCustomPlotPanel::SetCursor(LoadedCursor);
}

void TCustomChart::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomAxisPanel::MouseDown(Button, Shift, X, Y);
    if (Zoom()->Active || Panning().Active || CancelMouse)
        return;
    if (NotifyToolsMouse(tmkDown, Button, Shift, X, Y))
        return;
    const TChartClickedPart part = CalcClickedPart(X, Y, true);
    bool handled = false;
    // a handler leaves CancelMouse set to mark the click handled
    auto call = [&](const auto& handler, auto&&... args) {
        if (!handler)
            return false;
        CancelMouse = true;
        handler(*this, args...);
        return CancelMouse;
    };
    switch (part.Part) {
    case cpLegend:
        m_legend->DoMouseDown(part.PointIndex);
        handled = call(OnClickLegend, Button, Shift, X, Y);
        break;
    case cpAxis:
        handled = call(OnClickAxis, part.AAxis, Button, Shift, X, Y);
        if (!handled)
            StartZoomOrPan(Button, Shift, X, Y);
        break;
    case cpSeries: {
        const QPointer<TChartSeries> series(part.ASeries);
        if (series && (Shift & ssDouble) && series->OnDblClick)
            series->OnDblClick(*series);
        else if (series && series->OnClick)
            series->OnClick(*series);
        // a series freed by its own handler is heard no further
        if (!series) {
            handled = true;
            break;
        }
        handled = call(OnClickSeries, part.ASeries, part.PointIndex, Button, Shift, X, Y);
        if (!handled)
            StartZoomOrPan(Button, Shift, X, Y);
        break;
    }
    case cpTitle:
    case cpSubTitle:
    case cpFoot:
    case cpSubFoot: {
        TChartTitle* title = part.Part == cpTitle ? m_title.get()
                           : part.Part == cpSubTitle ? m_subTitle.get()
                           : part.Part == cpFoot ? static_cast<TChartTitle*>(m_foot.get())
                                                 : m_subFoot.get();
        handled = call(OnClickTitle, title, Button, Shift, X, Y);
        if (!handled)
            StartZoomOrPan(Button, Shift, X, Y);
        break;
    }
    case cpChartRect:
        handled = call(OnClickBackground, Button, Shift, X, Y);
        if (!handled)
            StartZoomOrPan(Button, Shift, X, Y);
        break;
    case cpSeriesMarks:
    case cpAxisTitle:
        handled = true;
        break;
    case cpNone:
        break;
    }
    // a click no handler took is the background's (the chart area has been asked)
    if (!handled && part.Part != cpChartRect)
        call(OnClickBackground, Button, Shift, X, Y);
}

void TCustomChart::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomAxisPanel::MouseMove(Shift, X, Y);
    if (NotifyToolsMouse(tmkMove, mbLeft, Shift, X, Y) || CancelMouse)
        return;
    TPlotZoom& zoom = *Zoom();
    if (zoom.Active) {
        int x = X;
        int y = Y;
        if (zoom.Direction == tzdHorizontal)
            y = ChartRect.Bottom;
        else if (zoom.Direction == tzdVertical)
            x = ChartRect.Right;
        if (x != zoom.X1 || y != zoom.Y1) {
            DrawZoomRectangle();
            zoom.X1 = x;
            zoom.Y1 = y;
            DrawZoomRectangle();
        }
        return;
    }
    if (Panning().Active) {
        const bool inside = X >= ChartRect.Left && X <= ChartRect.Right && Y >= ChartRect.Top && Y <= ChartRect.Bottom;
        if (!inside) {
            Panning().Active = false;
            return;
        }
        if (X != Panning().X0 || Y != Panning().Y0)
            PanTo(X, Y);
        return;
    }
    if (!CheckMouseSeries(X, Y))
        TCustomPlotPanel::SetCursor(LoadedCursor);
}

void TCustomChart::PanTo(int X, int Y)
{
    if (m_restoredAxes)
        SaveAxes();
    bool moved = false;
    const TPanningMode mode = AllowPanning();
    for (int i = 0; i < AxisListCount(); ++i) {
        TChartAxis& axis = *AxisListItem(i);
        if (axis.IsDepthAxis())
            continue;
        const bool horizontal = axis.Horizontal();
        if (horizontal ? !(mode == pmHorizontal || mode == pmBoth) : !(mode == pmVertical || mode == pmBoth))
            continue;
        const int from = horizontal ? Panning().X0 : Panning().Y0;
        const int to = horizontal ? X : Y;
        if (from == to)
            continue;
        const double delta = axis.CalcPosPoint(from) - axis.CalcPosPoint(to);
        moved = ScrollAxis(axis, axis.Minimum() + delta, axis.Maximum() + delta) || moved;
    }
    Panning().X0 = X;
    Panning().Y0 = Y;
    if (moved) {
        Zoomed = true;
        if (OnScroll)
            OnScroll(*this);
        Invalidate();
    }
}

bool TCustomChart::ScrollAxis(TChartAxis& Axis, double Min, double Max)
{
    bool allow = true;
    if (OnAllowScroll)
        OnAllowScroll(Axis, Min, Max, allow);
    if (!allow)
        return false;
    Axis.SetAutomatic(false);
    Axis.SetMinMax(Min, Max);
    return true;
}

void TCustomChart::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomAxisPanel::MouseUp(Button, Shift, X, Y);
    TPlotZoom& zoom = *Zoom();
    if (zoom.Active && Button == zoom.MouseButton) {
        DrawZoomRectangle();
        zoom.Active = false;
        if (zoom.Direction != tzdVertical)
            zoom.X1 = X;
        if (zoom.Direction != tzdHorizontal)
            zoom.Y1 = Y;
        const bool farX = zoom.Direction == tzdVertical || std::abs(zoom.X1 - zoom.X0) > zoom.MinimumPixels;
        const bool farY = zoom.Direction == tzdHorizontal || std::abs(zoom.Y1 - zoom.Y0) > zoom.MinimumPixels;
        if (farX && farY) {
            bool zoomIn;
            if (zoom.UpLeftZooms)
                zoomIn = true;
            else if (zoom.Direction == tzdVertical)
                zoomIn = zoom.Y1 > zoom.Y0;
            else
                zoomIn = zoom.X1 > zoom.X0;
            if (zoomIn) {
                TZoomPanning r = zoom;
                r.Check();
                ZoomRect(TRect{r.X0, r.Y0, r.X1, r.Y1});
            } else {
                UndoZoom();
            }
            Invalidate();
        }
    }
    Panning().Active = false;
    NotifyToolsMouse(tmkUp, Button, Shift, X, Y);
}

bool TCustomChart::MouseWheel(TShiftState Shift, int WheelDelta, int X, int Y)
{
    if (TCustomAxisPanel::MouseWheel(Shift, WheelDelta, X, Y))
        return true;
    const TPanningMode mode = AllowPanning();
    if (!WheelScrollsAxes || !(mode == pmVertical || mode == pmBoth) || WheelDelta == 0)
        return false;
    // 3 % of each vertical axis' range per step: a step down raises the range
    const int steps = std::max(1, std::abs(WheelDelta) / 120);
    for (int step = 0; step < steps; ++step)
        for (int i = 0; i < AxisListCount(); ++i) {
            TChartAxis& axis = *AxisListItem(i);
            if (axis.Horizontal() || axis.IsDepthAxis())
                continue;
            double delta = (axis.Maximum() - axis.Minimum()) * 3 * 0.01;
            if (WheelDelta > 0)
                delta = -delta;
            ScrollAxis(axis, axis.Minimum() + delta, axis.Maximum() + delta);
        }
    Invalidate();
    return true;
}

// ---- zoom ----

void TCustomChart::SaveAxes()
{
    m_savedAxes.clear();
    for (int i = 0; i < AxisListCount(); ++i) {
        const TChartAxis& a = *AxisListItem(i);
        m_savedAxes.push_back({a.Automatic(), a.AutomaticMinimum(), a.AutomaticMaximum(), a.Minimum(), a.Maximum(), a.Serial()});
    }
    m_restoredAxes = false;
}

void TCustomChart::RestoreAxes()
{
    // each axis that still exists gets its own record back
    for (int i = 0; i < AxisListCount(); ++i) {
        TChartAxis& a = *AxisListItem(i);
        if (a.IsDepthAxis())
            continue;
        const auto it = std::find_if(m_savedAxes.begin(), m_savedAxes.end(),
                                     [&](const TSavedAxis& s) { return s.AxisSerial == a.Serial(); });
        if (it == m_savedAxes.end())
            continue;
        a.SetMinMax(it->Minimum, it->Maximum);
        a.SetAutomatic(it->Automatic);
        a.SetAutomaticMinimum(it->AutomaticMinimum);
        a.SetAutomaticMaximum(it->AutomaticMaximum);
    }
    m_savedAxes.clear();
    m_restoredAxes = true;
}

void TCustomChart::ZoomRect(const TRect& R)
{
    struct TTarget {
        TChartAxis* Axis;
        double Min;
        double Max;
    };
    auto target = [&](TChartAxis* axis) -> TTarget {
        const bool h = axis->Horizontal();
        double a = axis->CalcPosPoint(h ? R.Left : R.Bottom);
        double b = axis->CalcPosPoint(h ? R.Right : R.Top);
        if (a > b)
            std::swap(a, b);
        return {axis, a, b};
    };
    const TTarget targets[] = {target(LeftAxis()), target(RightAxis()), target(TopAxis()), target(BottomAxis())};
    if (m_restoredAxes)
        SaveAxes();
    TPlotZoom& zoom = *Zoom();
    if (zoom.Animated)
        for (int step = 1; step < zoom.AnimatedSteps; ++step) {
            for (const TTarget& t : targets) {
                const double min = t.Axis->Minimum() + (t.Min - t.Axis->Minimum()) / ZoomAnimationDivisor;
                const double max = t.Axis->Maximum() + (t.Max - t.Axis->Maximum()) / ZoomAnimationDivisor;
                t.Axis->SetAutomatic(false);
                t.Axis->SetMinMax(min, max);
            }
            repaint();
        }
    for (const TTarget& t : targets) {
        t.Axis->SetAutomatic(false);
        t.Axis->SetMinMax(t.Min, t.Max);
    }
    Zoomed = true;
    if (OnZoom)
        OnZoom(*this);
}

void TCustomChart::UndoZoom()
{
    if (!m_restoredAxes)
        RestoreAxes();
    TCustomAxisPanel::UndoZoom();
}

void TCustomChart::Assign(const TCustomPlotPanel& Source)
{
    if (const auto* c = dynamic_cast<const TCustomChart*>(&Source); c && c != this) {
        SetColorPaletteIndex(c->m_colorPaletteIndex);
        m_foot->Assign(*c->m_foot);
        m_legend->Assign(*c->m_legend);
        m_scrollMouseButton = c->m_scrollMouseButton;
        m_subFoot->Assign(*c->m_subFoot);
        m_subTitle->Assign(*c->m_subTitle);
        m_title->Assign(*c->m_title);
        m_walls->Assign(*c->m_walls);
    }
    TCustomAxisPanel::Assign(Source);
}
