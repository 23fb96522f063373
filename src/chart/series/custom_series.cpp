#include "chart/series/custom_series.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "chart/appearance_properties.h"
#include "chart/axis_panel.h"
#include "chart/axis_scale.h"
#include "chart/chart_callout.h"
#include "chart/chart_axis.h"
#include "chart/ordered_positions.h"
#include "chart/point_index.h"
#include "chart/plot_canvas.h"
#include "chart/plot_panel.h"
#include "chart/plot_procs.h"
#include "chart/view3d_options.h"

namespace {
// Fewer points than this are all tested by the hit test: the search costs more.
constexpr int kOrderedScanFrom = 32;
}  // namespace

TCustomSeries::TCustomSeries(QObject* Owner) : TCustomLineSeries(Owner)
{
    SetDrawBetweenPoints(true);
    const auto repaint = [this] { Repaint(); };
    m_pointer = std::make_unique<TSeriesPointer>(this);
    m_areaLinesPen = std::make_unique<TChartPen>(repaint);
    m_outLine = std::make_unique<TChartHiddenPen>(repaint);
    m_shadow = std::make_unique<TPlotShadow>(repaint);
    m_areaBrush = std::make_unique<TChartBrush>(repaint);
    m_gradient = std::make_unique<TPlotGradient>(repaint);
}

TCustomSeries::~TCustomSeries() = default;

void TCustomSeries::SetStacked(TCustomSeriesStack Value)
{
    if (m_stacked == Value)
        return;
    m_stacked = Value;
    if (auto* chart = dynamic_cast<TCustomAxisPanel*>(ParentChart())) {
        for (int i = 0; i < chart->SeriesCount(); ++i) {
            auto* s = dynamic_cast<TCustomSeries*>(chart->Series(i));
            if (s && s != this && s->metaObject()->inherits(metaObject()))
                s->m_stacked = Value;
        }
    }
    Repaint();
}

int TCustomSeries::MarkOffset() const
{
    const TMarksCallout& callout = *const_cast<TSeriesMarks&>(Marks()).Callout();
    return callout.Distance() + callout.Length();
}

void TCustomSeries::DrawMark(int Index, const std::string& Text, TSeriesMarkPosition& Position)
{
    Marks().SetZPosition(StartZ());
    if (YMandatory())
        Marks().ApplyArrowLength(Position);
    TCustomLineSeries::DrawMark(Index, Text, Position);
}

bool TCustomSeries::ClickedPointer(int ValueIndex, int PointX, int PointY, int X, int Y) const
{
    PrepareClickedPointer(ValueIndex);
    if (const_cast<TCustomSeries*>(this)->GetPointerStyle(ValueIndex) == psNothing)
        return false;
    return std::abs(PointX - X) < m_pointer->HorizSize() && std::abs(PointY - Y) < m_pointer->VertSize();
}

bool TCustomSeries::SameStackGroup(const TCustomSeries& Series) const
{
    return Series.metaObject() == metaObject();
}

TSeriesPointerStyle TCustomSeries::GetPointerStyle(int ValueIndex)
{
    return OnGetPointerStyle ? OnGetPointerStyle(*this, ValueIndex) : m_pointer->Style();
}

void TCustomSeries::DrawPointer(int X, int Y, TColor Color, int ValueIndex)
{
    TCanvas3D& c = *ParentChart()->Panel()->Canvas();
    m_pointer->PrepareCanvas(c, Color);
    const TSeriesPointerStyle style = GetPointerStyle(ValueIndex);
    if (OnGetPointerStyle)
        m_pointer->PrepareCanvas(c, Color);
    m_pointer->Draw(X, Y, Color, style);
}

// ---- stacking ----

double TCustomSeries::PointOrigin(int ValueIndex, bool SumAll) const
{
    auto* chart = dynamic_cast<TCustomAxisPanel*>(ParentChart());
    if (!chart)
        return 0;
    const double own = MandatoryValue(ValueIndex);
    double result = 0;
    for (int i = 0; i < chart->SeriesCount(); ++i) {
        TChartSeries* s = chart->Series(i);
        if (!SumAll && s == this)
            break;
        auto* other = dynamic_cast<TCustomSeries*>(s);
        if (!other || !other->Active() || !SameStackGroup(*other) || other->Count() <= ValueIndex)
            continue;
        // the 100 % total takes every series of the stack, this one too
        const double v = other->GetMarkValue(ValueIndex);
        if ((own >= 0 && v > 0) || (own < 0 && v < 0))
            result += v;
    }
    return result;
}

int TCustomSeries::CalcStackedPos(double Value, int ValueIndex) const
{
    TChartAxis* axis = MandatoryAxis();
    const double tmp = PointOrigin(ValueIndex, false) + Value;
    if (!axis)
        return 0;
    if (m_stacked == cssStack)
        return std::min(CalcPosValue(tmp), axis->EndPos());
    const double total = PointOrigin(ValueIndex, true);
    if (total == 0)
        return axis->EndPos();
    return CalcPosValue(tmp * 100.0 / total);
}

int TCustomSeries::GetOriginPos(int ValueIndex) const
{
    if (m_stacked == cssStack || m_stacked == cssStack100)
        return CalcStackedPos(0, ValueIndex);
    TChartAxis* axis = MandatoryAxis();
    if (!axis)
        return 0;
    if (YMandatory())
        return axis->Inverted() ? axis->StartPos() : axis->EndPos();
    return axis->Inverted() ? axis->EndPos() : axis->StartPos();
}

int TCustomSeries::CalcXPos(int Index) const
{
    if (!YMandatory() && (m_stacked == cssStack || m_stacked == cssStack100))
        return CalcStackedPos(XValues().Value(Index), Index);
    return TCustomLineSeries::CalcXPos(Index);
}

int TCustomSeries::CalcYPos(int Index) const
{
    if (YMandatory() && (m_stacked == cssStack || m_stacked == cssStack100))
        return CalcStackedPos(YValues().Value(Index), Index);
    return TCustomLineSeries::CalcYPos(Index);
}

double TCustomSeries::MandatoryExtreme(bool Max) const
{
    if (m_stacked == cssStack100)
        return Max ? 100 : 0;
    const TChartValueList& list = MandatoryValueList();
    double result = 0;
    bool first = true;
    for (int i = 0; i < Count(); ++i) {
        if (IsNull(i) && m_treatNulls != tnIgnore)
            continue;
        const double v = list.Value(i);
        if (first || (Max ? v > result : v < result))
            result = v;
        first = false;
    }
    if (m_stacked == cssStack && (Max || YMandatory())) {
        for (int i = 0; i < Count(); ++i) {
            const double v = PointOrigin(i, false) + list.Value(i);
            if (Max ? v > result : v < result)
                result = v;
        }
    }
    return result;
}

double TCustomSeries::MaxXValue() const
{
    return YMandatory() ? TCustomLineSeries::MaxXValue() : MandatoryExtreme(true);
}

double TCustomSeries::MinXValue() const
{
    return YMandatory() ? TCustomLineSeries::MinXValue() : MandatoryExtreme(false);
}

double TCustomSeries::MaxYValue() const
{
    return YMandatory() ? MandatoryExtreme(true) : TCustomLineSeries::MaxYValue();
}

double TCustomSeries::MinYValue() const
{
    return YMandatory() ? MandatoryExtreme(false) : TCustomLineSeries::MinYValue();
}

void TCustomSeries::CalcZOrder()
{
    TSeriesParent* chart = ParentChart();
    if (m_stacked == cssNone || !chart) {
        TCustomLineSeries::CalcZOrder();
        return;
    }
    SetComputedZOrder(chart->MaxZOrder());
}

// ---- margins ----

void TCustomSeries::GetHorizMargins(int& Left, int& Right)
{
    TCustomLineSeries::GetHorizMargins(Left, Right);
    m_pointer->GetHorizMargins(Left, Right);
    if (m_drawLine) {
        if (m_stairs) {
            Left = std::max(Left, LinePen().Width());
            Right = std::max(Right, LinePen().Width());
        }
        if (m_outLine->Visible()) {
            Left = std::max(Left, m_outLine->Width());
            Right = std::max(Right, m_outLine->Width());
        }
    }
    if (Marks().Visible() && !YMandatory())
        Right = std::max(Right, MarkOffset());
}

void TCustomSeries::GetVertMargins(int& Top, int& Bottom)
{
    TCustomLineSeries::GetVertMargins(Top, Bottom);
    m_pointer->GetVertMargins(Top, Bottom);
    if (m_drawLine) {
        if (m_stairs) {
            Top = std::max(Top, LinePen().Width());
            Bottom = std::max(Bottom, LinePen().Width());
        }
        if (m_outLine->Visible()) {
            Top = std::max(Top, m_outLine->Width());
            Bottom = std::max(Bottom, m_outLine->Width());
        }
    }
    if (Marks().Visible() && YMandatory())
        Top = std::max(Top, MarkOffset());
    if (m_lineHeight > 0 && !m_drawArea && ParentChart() && ParentChart()->View3D())
        Bottom = std::max(Bottom, m_lineHeight);
}

// ---- drawing ----

void TCustomSeries::DrawShadowPass()
{
    TChartAxis* h = GetHorizAxis();
    TChartAxis* v = GetVertAxis();
    if (!h || !v)
        return;
    struct Restore {
        TCustomSeries& S;
        TChartAxis& H;
        TChartAxis& V;
        TColor Own;
        TColor Assigned;
        bool PointerVisible;
        ~Restore()
        {
            H.ShiftPositions(-S.m_shadow->HorizSize());
            V.ShiftPositions(-S.m_shadow->VertSize());
            S.m_pointer->SetVisible(PointerVisible);
            S.SetSeriesColor(Own);
            S.SetAssignedColor(Assigned);
        }
    } restore{*this, *h, *v, OwnSeriesColor(), AssignedColor(), m_pointer->Visible()};
    SetSeriesColor(m_shadow->Color());
    m_pointer->SetVisible(false);
    h->ShiftPositions(m_shadow->HorizSize());
    v->ShiftPositions(m_shadow->VertSize());
    TCustomLineSeries::DrawAllValues();
}

namespace {
bool g_penRunsEnabled = true;
// The place of skipped null points that no shown point comes before.
constexpr int kNowhere = std::numeric_limits<int>::min();
}

void TCustomSeries::SetPenRunsEnabled(bool Enabled) { g_penRunsEnabled = Enabled; }
bool TCustomSeries::PenRunsEnabled() { return g_penRunsEnabled; }

bool TCustomSeries::TPenRun::Holds(const TPen& CanvasPen, const TChartPen& Line, TColor Asked) const
{
    return Valid && Asked == Colour && CanvasPen.Color() == PenColor && CanvasPen.Style() == PenStyle
           && CanvasPen.Mode() == PenMode && CanvasPen.Width() == PenWidth && !CanvasPen.Handle()
           && Line.Visible() && Line.Color() == LineColor && Line.Style() == LineStyle && Line.Mode() == LineMode
           && Line.Width() == LineWidth && Line.SmallDots() == LineSmallDots;
}

void TCustomSeries::StartPenRun(TCanvas3D& c, TColor Colour)
{
    const TPen& pen = *c.Pen();
    const TChartPen& line = LinePen();
    m_penRun.Valid = g_penRunsEnabled && !pen.Handle() && line.Visible();
    m_penRun.Colour = Colour;
    m_penRun.PenColor = pen.Color();
    m_penRun.PenStyle = pen.Style();
    m_penRun.PenMode = pen.Mode();
    m_penRun.PenWidth = pen.Width();
    m_penRun.LineColor = line.Color();
    m_penRun.LineStyle = line.Style();
    m_penRun.LineMode = line.Mode();
    m_penRun.LineWidth = line.Width();
    m_penRun.LineSmallDots = line.SmallDots();
}

bool TCustomSeries::DrawValueInPenRun(int i)
{
    // a plain 2D line between two shown points: the general path sets the
    // pen's colour to black and back to the line pen, which leaves the pen of
    // the run as it was
    if (!m_penRun.Valid || !m_drawLine || m_drawArea || m_stairs || m_pointer->Visible() || m_oldColor == clNone)
        return false;
    TSeriesParent* chart = ParentChart();
    if (chart->View3D())
        return false;
    const bool forward = DrawValuesForward();
    if (i == (forward ? FirstValueIndex() : LastValueIndex()))
        return false;
    const TColor colour = GetValueColor(i);
    if (colour == clNone)
        return false;
    TCanvas3D& c = *chart->Panel()->Canvas();
    TColor asked = ColorEachPoint() && m_colorEachLine ? colour : SeriesColor();
    if (c.GetMonochrome())
        asked = clWhite;
    if (!m_penRun.Holds(*c.Pen(), LinePen(), asked))
        return false;
    const int x = CalcXPos(i);
    const int y = CalcYPos(i);
    if (x == m_oldX && y == m_oldY)
        return false;
    // the origin is read by areas and 3D only: a run leaves it as it was
    m_color = colour;
    m_x = x;
    m_y = y;
    m_isLast = i == (forward ? LastValueIndex() : FirstValueIndex());
    c.Brush()->SetColor(colour);
    c.Brush()->SetStyle(bsClear);
    c.Line(m_oldX, m_oldY, x, y);
    m_oldX = x;
    m_oldY = y;
    m_oldColor = colour;
    return true;
}

void TCustomSeries::DrawAllValues()
{
    m_penRun.Valid = false;
    if (m_shadow->Visible() && m_shadow->GetSize() != 0)
        DrawShadowPass();
    if (m_outLine->Visible()) {
        TChartPen saved;
        saved.Assign(LinePen());
        const int width = LinePen().Width();
        // the series keeps its own colour (taking the line pen's in 2D would
        // turn the line into the pen's colour on every repaint)
        struct Restore {
            TCustomSeries& S;
            TChartPen& Pen;
            TColor Own;
            TColor Assigned;
            ~Restore()
            {
                S.LinePen().Assign(Pen);
                S.SetSeriesColor(Own);
                S.SetAssignedColor(Assigned);
            }
        } restore{*this, saved, OwnSeriesColor(), AssignedColor()};
        LinePen().Assign(*m_outLine);
        SetSeriesColor(m_outLine->Color());
        LinePen().SetWidth(2 * width + m_outLine->Width() + 1);
        TCustomLineSeries::DrawAllValues();
    }
    TCustomLineSeries::DrawAllValues();
}

TColor TCustomSeries::AreaColorOf(TColor PointColor) const
{
    if (!ColorEachPoint() && m_areaColor != clDefault)
        return m_areaColor;
    return PointColor;
}

int TCustomSeries::EdgeCrossingY(int ValueIndex, double XEdge) const
{
    const double x0 = GetXValue(ValueIndex - 1);
    const double x1 = GetXValue(ValueIndex);
    if (x1 == x0)
        return CalcYPos(ValueIndex - 1);
    const double y0 = GetYValue(ValueIndex - 1);
    const double y1 = GetYValue(ValueIndex);
    double y;
    TChartAxis* axis = GetVertAxis();
    if (axis && axis->Logarithmic()) {
        if (y0 <= 0 || y1 <= 0)
            y = 0;
        else
            y = std::exp(std::log(y0) + (XEdge - x0) * (std::log(y1) - std::log(y0)) / (x1 - x0));
    } else {
        y = y0 + (y1 - y0) * (XEdge - x0) / (x1 - x0);
    }
    return CalcYPosValue(y);
}

void TCustomSeries::DrawValue(int ValueIndex)
{
    if (DrawValueInPenRun(ValueIndex))
        return;
    m_penRun.Valid = false;
    TCustomPlotPanel* panel = ParentChart()->Panel();
    TCanvas3D& c = *panel->Canvas();
    const int i = ValueIndex;
    const bool forward = DrawValuesForward();
    const int first = forward ? FirstValueIndex() : LastValueIndex();
    m_color = GetValueColor(i);
    m_x = CalcXPos(i);
    m_y = CalcYPos(i);
    if (m_color == clNone && m_treatNulls == tnSkip) {
        // a skipped point stays where the line is: drawn first, at the last
        // shown point before the axis' range; with none the line is nowhere yet
        if (i != first) {
            m_x = m_oldX;
            m_y = m_oldY;
        } else {
            int before = forward ? i - 1 : -1;
            while (before >= 0 && IsNull(before))
                --before;
            m_x = before >= 0 ? CalcXPos(before) : kNowhere;
            m_y = before >= 0 ? CalcYPos(before) : kNowhere;
        }
    }
    if (c.Pen()->Color() != 0)
        c.Pen()->SetColor(0);
    c.Brush()->SetColor(m_color);
    // after skipped points only, a shown point starts the line
    const bool afterSkippedStart = m_oldColor == clNone && m_treatNulls == tnSkip && m_oldX == kNowhere;
    if (m_oldColor == clNone && (m_treatNulls == tnDontPaint || afterSkippedStart)) {
        m_oldX = m_x;
        m_oldY = m_y;
    }
    m_bottomPos = GetOriginPos(i);
    m_isLast = i == (forward ? LastValueIndex() : FirstValueIndex());
    if (i == first) {
        m_oldColor = clDefault;
        if (m_dark3D) {
            auto* chart = dynamic_cast<TCustomAxisPanel*>(ParentChart());
            const int w = chart ? chart->SeriesWidth3D() : 0;
            const int h = chart ? chart->SeriesHeight3D() : 0;
            m_darkRatio = w == 0 ? 1.0 : std::abs(static_cast<double>(h) / w);
        }
        if (i == FirstValueIndex() && i > 0) {
            if (m_drawArea) {
                m_oldX = CalcXPos(i - 1);
                m_oldY = CalcYPos(i - 1);
                m_oldBottomPos = GetOriginPos(i - 1);
            } else {
                TChartAxis* h = GetHorizAxis();
                m_oldX = h && h->Inverted() ? panel->ChartRect.Right : panel->ChartRect.Left;
                if (m_stairs || !h)
                    m_oldY = CalcYPos(i - 1);
                else
                    m_oldY = EdgeCrossingY(i, h->PositionToValue(m_oldX));
            }
            if (!IsNull(i - 1))
                DrawSegment(i, false);
        }
        if (m_isLast && m_pointer->Visible() && m_color != clNone)
            DrawPointer(m_x, m_y, m_color, i);
    } else {
        DrawSegment(i, !afterSkippedStart);
    }
    m_oldX = m_x;
    m_oldY = m_y;
    m_oldBottomPos = m_bottomPos;
    m_oldColor = m_color;
}

void TCustomSeries::DrawValueAlone(int ValueIndex, const TChartPen& Pen)
{
    const TColor colour = GetValueColor(ValueIndex);
    if (colour == clNone)
        return;
    TChartPen& pointerPen = *m_pointer->Pen();
    TChartPen own;
    own.Assign(pointerPen);
    pointerPen.Assign(Pen);
    DrawPointer(CalcXPos(ValueIndex), CalcYPos(ValueIndex), colour, ValueIndex);
    pointerPen.Assign(own);
}

void TCustomSeries::DrawSegment(int ValueIndex, bool DrawOldPointer)
{
    TCustomPlotPanel* panel = ParentChart()->Panel();
    TCanvas3D& c = *panel->Canvas();
    const bool is3D = ParentChart()->View3D();
    const bool same = m_x == m_oldX && m_y == m_oldY;
    const bool nullStop = m_treatNulls != tnIgnore && m_color == clNone;
    if (!same && !nullStop) {
        if (is3D && (m_drawArea || m_drawLine)) {
            const TColor colour = m_colorEachLine || m_drawArea ? AreaColorOf(m_color) : SeriesColor();
            if (Brush().HasImage()) {
                panel->ApplyBrush(colour, &Brush(), clWhite);
            } else {
                c.Brush()->SetColor(colour);
                c.Brush()->SetStyle(Brush().Style());
            }
            c.AssignPen(&LinePen());
            if (m_stairs)
                DrawStairs3D(c);
            else
                DrawRibbon3D(c);
        } else if (m_drawLine && !m_drawArea) {
            c.Brush()->SetStyle(bsClear);
            TColor colour = ColorEachPoint() && m_colorEachLine ? m_color : SeriesColor();
            if (c.GetMonochrome())
                colour = clWhite;
            c.AssignPenColor(&LinePen(), colour);
            if (!m_stairs) {
                if (!is3D && !m_pointer->Visible())
                    StartPenRun(c, colour);
                c.Line(m_oldX, m_oldY, m_x, m_y);
            } else {
                if (m_invertedStairs)
                    c.VertLine(m_oldX, m_oldY, m_y);
                else
                    c.HorizLine(m_oldX, m_x, m_oldY);
                c.LineTo(m_x, m_y);
            }
        }
        if (m_drawArea) {
            const TColor area = AreaColorOf(m_color);
            c.Brush()->SetColor(area);
            if (m_areaLinesPen->Visible() && m_areaLinesPen->Color() != clDefault)
                c.AssignPen(m_areaLinesPen.get());
            else
                c.AssignPenColor(m_areaLinesPen.get(), m_color);
            DrawAreaPiece(ValueIndex);
        }
    }
    if (m_pointer->Visible()) {
        if (DrawOldPointer) {
            const int previous = DrawValuesForward() ? ValueIndex - 1 : ValueIndex + 1;
            if (m_oldColor != clNone)
                DrawPointer(m_oldX, m_oldY, m_oldColor, previous);
            else if (m_treatNulls != tnDontPaint)
                DrawPointer(m_oldX, m_oldY, m_color, previous);
        }
        if (m_isLast && m_color != clNone)
            DrawPointer(m_x, m_y, m_color, ValueIndex);
    }
}

// Darker sides: the colour 64 less per channel, white on a monochrome canvas.
static TColor DarkSide(TCanvas3D& c, TColor Colour)
{
    return c.GetMonochrome() ? clWhite : DarkenColor(Colour, 64);
}

void TCustomSeries::DrawRibbon3D(TCanvas3D& c)
{
    const TColor colour = c.Brush()->Color();
    if (m_lineHeight != 0 && !m_drawArea) {
        const TPoint face[4] = {{m_x, m_y}, {m_oldX, m_oldY}, {m_oldX, m_oldY + m_lineHeight},
                                {m_x, m_y + m_lineHeight}};
        c.PlaneFourPoints(face, StartZ());
        if (m_isLast)
            c.RectangleZ(m_x, m_y, m_y + m_lineHeight, StartZ(), EndZ());
    }
    // a segment rising more steeply than the 3D offset shows its underside
    if (m_dark3D && !c.IsNonGdiCanvas() && m_x != m_oldX && m_darkRatio != 0
        && static_cast<double>(m_oldY - m_y) / (m_x - m_oldX) > m_darkRatio)
        c.Brush()->SetColor(DarkSide(c, colour));
    if (!m_gradient->Visible()) {
        c.Plane(TPoint{m_oldX, m_oldY}, TPoint{m_x, m_y}, StartZ(), EndZ());
    } else {
        TPoint corners[4];
        c.Project(m_oldX, m_oldY, StartZ(), corners[0]);
        c.Project(m_x, m_y, StartZ(), corners[1]);
        c.Project(m_x, m_y, EndZ(), corners[2]);
        c.Project(m_oldX, m_oldY, EndZ(), corners[3]);
        c.ClipPolygon(corners, 4, false);
        FillGradient(c, PolygonBounds(corners), c.Brush()->Color());
        c.UnClip();
        if (LinePen().Style() != psClear) {
            c.Brush()->SetStyle(bsClear);
            c.Polygon(corners);
        }
    }
    c.Brush()->SetColor(colour);
}

void TCustomSeries::DrawStairs3D(TCanvas3D& c)
{
    const TColor colour = c.Brush()->Color();
    const auto riser = [&](int X, int Y0, int Y1) {
        if (m_dark3D)
            c.Brush()->SetColor(DarkSide(c, colour));
        c.RectangleZ(X, Y0, Y1, StartZ(), EndZ());
        c.Brush()->SetColor(colour);
    };
    // a horizontal series climbs along X: its first stroke is the riser
    if (m_invertedStairs == YMandatory()) {
        riser(m_oldX, m_oldY, m_y);
        c.RectangleY(m_oldX, m_y, m_x, StartZ(), EndZ());
    } else {
        c.RectangleY(m_oldX, m_oldY, m_x, StartZ(), EndZ());
        riser(m_x, m_oldY, m_y);
    }
}

TRect TCustomSeries::PolygonBounds(std::span<const TPoint> Points)
{
    TRect r{Points[0].X, Points[0].Y, Points[0].X, Points[0].Y};
    for (const TPoint& q : Points) {
        r.Left = std::min(r.Left, q.X);
        r.Top = std::min(r.Top, q.Y);
        r.Right = std::max(r.Right, q.X);
        r.Bottom = std::max(r.Bottom, q.Y);
    }
    return r;
}

void TCustomSeries::FillGradient(TCanvas3D& c, const TRect& R, TColor StartColor)
{
    // the gradient starts at the colour of the piece; the setting stays as it was
    const TColor saved = m_gradient->StartColor();
    const auto notify = std::exchange(m_gradient->OnChange, nullptr);
    m_gradient->SetStartColor(StartColor);
    m_gradient->Draw(c, R);
    m_gradient->SetStartColor(saved);
    m_gradient->OnChange = notify;
}

void TCustomSeries::DrawEndCap(TCanvas3D& c, int X, int Y, int Bottom)
{
    const TColor colour = c.Brush()->Color();
    if (m_dark3D)
        c.Brush()->SetColor(DarkSide(c, colour));
    if (YMandatory())
        c.RectangleZ(X, Y, Bottom, StartZ(), EndZ());
    else
        c.RectangleY(std::min(X, Bottom), Y, std::max(X, Bottom), StartZ(), EndZ());
    c.Brush()->SetColor(colour);
}

void TCustomSeries::DrawAreaPiece(int ValueIndex)
{
    TCustomPlotPanel* panel = ParentChart()->Panel();
    TCanvas3D& c = *panel->Canvas();
    const bool is3D = ParentChart()->View3D();
    const TColor area = AreaColorOf(m_color);
    TColor colour = m_areaBrush->Color();
    if (colour == clDefault)
        colour = SeriesColor();
    else if (m_areaBrush->HasImage() && colour == area)
        colour = clWhite;
    panel->ApplyBrush(area, m_areaBrush.get(), colour);
    const bool horiz = !YMandatory();
    if (is3D) {
        const bool dontPaint = m_treatNulls == tnDontPaint;
        const int next = DrawValuesForward() ? ValueIndex + 1 : ValueIndex - 1;
        // the point before the piece's start: a gap there leaves its side open
        const int previous = DrawValuesForward() ? ValueIndex - 2 : ValueIndex + 2;
        if (m_isLast || (dontPaint && next >= 0 && next < Count() && IsNull(next)))
            horiz ? DrawEndCap(c, m_bottomPos, m_y, m_x) : DrawEndCap(c, m_x, m_y, m_bottomPos);
        if (dontPaint && previous >= 0 && previous < Count() && IsNull(previous))
            horiz ? DrawEndCap(c, m_oldBottomPos, m_oldY, m_oldX) : DrawEndCap(c, m_oldX, m_oldY, m_oldBottomPos);
    }
    TPoint p[4];
    TRect bounds;
    if (!m_stairs) {
        if (horiz) {
            p[0] = TPoint{m_oldX, m_oldY};
            p[1] = TPoint{m_x, m_y};
            p[2] = TPoint{m_bottomPos, m_y};
            p[3] = TPoint{m_oldBottomPos, m_oldY};
        } else {
            p[0] = TPoint{m_oldX, m_oldY};
            p[1] = TPoint{m_x, m_y};
            p[2] = TPoint{m_x, m_bottomPos};
            p[3] = TPoint{m_oldX, m_oldBottomPos};
        }
        bounds = PolygonBounds(p);
    } else {
        const int level = m_invertedStairs ? m_y : m_oldY;
        bounds = horiz ? TRect{std::min(level, m_bottomPos), m_oldY, std::max(level, m_bottomPos), m_y}
                       : TRect{m_oldX, std::min(level, m_bottomPos), m_x, std::max(level, m_bottomPos)};
    }
    TPlotBlend* blend = m_transparency != 0
                            ? c.BeginBlending(is3D ? c.ProjectedRectBounds(bounds, StartZ()) : bounds, m_transparency)
                            : nullptr;
    const bool gradient = m_gradient->Visible();
    if (!m_stairs) {
        if (is3D) {
            const int z = FrontFaceZ();
            if (gradient)
                m_gradient->DrawPolygonZ(c, p, z);
            else
                c.PlaneFourPoints(p, z);
        } else if (gradient) {
            c.ClipPolygon(p, 4, false);
            FillGradient(c, AreaGradientRect(bounds), c.Brush()->Color());
            c.UnClip();
            if (c.Pen()->Style() != psClear)
                c.Line(m_oldX, m_oldY, m_x, m_y);
        } else {
            c.Polygon(p);
        }
    } else if (is3D) {
        c.RectangleWithZ(bounds, FrontFaceZ());
    } else if (gradient) {
        c.ClipRectangle(bounds);
        FillGradient(c, AreaGradientRect(bounds), c.Brush()->Color());
        c.UnClip();
    } else {
        c.Rectangle(bounds.Left, bounds.Top, bounds.Right, bounds.Bottom);
    }
    if (blend)
        c.EndBlending(blend);
    if (LinePen().Visible()) {
        c.AssignPen(&LinePen());
        if (!m_stairs) {
            c.LineWithZ(m_oldX, m_oldY, m_x, m_y, StartZ());
        } else if (m_invertedStairs) {
            c.LineWithZ(m_oldX, m_oldY, m_oldX, m_y, StartZ());
            c.LineWithZ(m_oldX, m_y, m_x, m_y, StartZ());
        } else {
            c.LineWithZ(m_oldX, m_oldY, m_x, m_oldY, StartZ());
            c.LineWithZ(m_x, m_oldY, m_x, m_y, StartZ());
        }
    }
}

int TCustomSeries::FrontFaceZ() const
{
    // seen from behind, the face at the end depth is the front
    const auto* chart = dynamic_cast<const TCustomAxisPanel*>(ParentChart());
    const TView3DOptions* view = chart ? chart->View3DOptions() : nullptr;
    const int rotation = view ? view->Rotation() : 0;
    return rotation > 90 && rotation < 270 ? EndZ() : StartZ();
}

TRect TCustomSeries::AreaGradientRect(const TRect& Piece) const
{
    // one gradient over the whole series: from its largest value to the origin
    const int top = CalcPosValue(MandatoryValueList().MaxValue());
    if (YMandatory())
        return TRect{Piece.Left, std::min(top, Piece.Top), Piece.Right, Piece.Bottom};
    return TRect{Piece.Left, Piece.Top, std::max(top, Piece.Right), Piece.Bottom};
}

void TCustomSeries::DrawLegendShape(int Index, const TRect& Rect)
{
    TCustomPlotPanel* panel = ParentChart()->Panel();
    TCanvas3D& c = *panel->Canvas();
    const TColor colour = Index == -1 ? SeriesColor() : GetValueColor(Index);
    const int midY = (Rect.Top + Rect.Bottom) / 2;
    // the line symbol: with the legend's default symbol pen, the line pen (in
    // the item colour in 2D) and the element brush style; the whole rectangle
    // when Whole, else a line through its middle
    const auto lineSymbol = [&](bool Whole) {
        if (!ParentChart()->LegendSymbolPen()) {
            if (panel->View3D())
                c.AssignPen(&LinePen());
            else
                c.AssignPenColor(&LinePen(), colour);
            c.Brush()->SetStyle(Brush().Style());
        }
        if (Whole)
            c.RectangleRect(Rect);
        else
            c.Line(Rect.Left, midY, Rect.Right, midY);
    };
    if (!m_pointer->Visible()) {
        if (!m_drawLine || m_drawArea)
            TCustomLineSeries::DrawLegendShape(Index, Rect);
        else
            lineSymbol(panel->View3D());
        return;
    }
    if (m_drawLine)
        lineSymbol(false);
    const bool lineThrough = m_drawLine;
    const int w = lineThrough ? Rect.Width() / 3 : Rect.Width() / 2 + 1;
    const int h = lineThrough ? Rect.Height() / 3 : Rect.Height() / 2 + 1;
    const TSeriesPointerStyle style =
        OnGetPointerStyle && Index != -1 ? OnGetPointerStyle(*this, Index) : m_pointer->Style();
    m_pointer->PrepareCanvas(c, colour);
    m_pointer->DrawPointer(c, false, (Rect.Left + Rect.Right) / 2, midY, std::min(m_pointer->HorizSize(), w),
                           std::min(m_pointer->VertSize(), h), colour, style);
}

// ---- hit test ----

bool TCustomSeries::SegmentClicked(int X0, int Y0, int X1, int Y1, int X, int Y) const
{
    const TPoint p{X, Y};
    if (!m_stairs)
        return PointOnLine(p, X0, Y0, X1, Y1);
    if (m_invertedStairs)
        return PointOnLine(p, X0, Y0, X0, Y1) || PointOnLine(p, X0, Y1, X1, Y1);
    return PointOnLine(p, X0, Y0, X1, Y0) || PointOnLine(p, X1, Y0, X1, Y1);
}

int TCustomSeries::Clicked(int X, int Y) const
{
    TSeriesParent* chart = ParentChart();
    if (chart && chart->Panel() && chart->Panel()->Canvas())
        chart->Panel()->Canvas()->Unproject(X, Y, StartZ());
    const int base = TCustomLineSeries::Clicked(X, Y);
    if (base != -1 || FirstValueIndex() < 0 || LastValueIndex() < 0)
        return base;
    int start = m_clickableLine ? std::max(0, FirstValueIndex() - 1) : FirstValueIndex();
    int last = std::min(LastValueIndex(), Count() - 1);
    const int pointerReach = m_pointer->Visible() ? std::max({0, m_pointer->HorizSize(), m_pointer->VertSize()}) : 0;
    if (last - start > kOrderedScanFrom && !m_drawArea) {
        if (const TPointIndex* index = PointIndex()) {
            // A point, its pointer and the segment (stairs too) from the
            // point before lie within the bounds of both, give or take the
            // pointer's size and the line's one pixel: only the runs whose
            // bounds come that near are tested, in order.
            const int tolerance = 1 + pointerReach;
            const int from = start;
            int hit = -1;
            // the axes' own pixels, worked out here without a call per value
            const TLinearPixelForm px(GetHorizAxis()->Scale(), true);
            const TLinearPixelForm py(GetVertAxis()->Scale(), false);
            const bool inlined = px.Linear() && py.Linear();
            index->ForRunsNear(
                from, last, X, Y, tolerance,
                [&](double V) { return inlined ? px.At(V) : CalcXPosValue(V); },
                [&](double V) { return inlined ? py.At(V) : CalcYPosValue(V); },
                [this](int I, int& PX, int& PY) {
                    PX = CalcXPos(I);
                    PY = CalcYPos(I);
                },
                [&](int A, int B) {
                    hit = ClickedIn(A, B, from, X, Y);
                    return hit != -1;
                });
            // points past the index (none while it is up to date) in full
            if (hit == -1 && last >= index->Count())
                hit = ClickedIn(std::max(from, index->Count()), last, from, X, Y);
            return hit;
        }
    }
    if (last - start > kOrderedScanFrom && PositionsInOrder()) {
        // A point, its pointer, a segment (stairs too) and an area piece are
        // hit only within their own span along the not-mandatory axis, give
        // or take the pointer's size and the line's one pixel: only the
        // points there and one on each side need the test.
        const TOrderedPositions pos(*this, start, last);
        const int tolerance = 2 + pointerReach;
        const long long key = pos.Key(YMandatory() ? X : Y);
        const int from = pos.LowerBound(key - tolerance);
        const int to = pos.LowerBound(key + tolerance + 1) - 1;
        start = std::max(start, from - 1);
        last = std::min(last, to + 1);
    }
    return ClickedIn(start, last, start, X, Y);
}

int TCustomSeries::ClickedIn(int From, int To, int Start, int X, int Y) const
{
    int oldX = 0, oldY = 0;
    if (From > Start) {
        oldX = CalcXPos(From - 1);
        oldY = CalcYPos(From - 1);
    }
    for (int i = From; i <= To; ++i) {
        const int x = CalcXPos(i);
        const int y = CalcYPos(i);
        if (m_pointer->Visible() && ClickedPointer(i, x, y, X, Y))
            return i;
        if (x == X && y == Y)
            return i;
        if (i > Start && m_clickableLine) {
            if (SegmentClicked(oldX, oldY, x, y, X, Y))
                return i - 1;
            if (m_drawArea) {
                // the piece's top runs from the previous value to this one; a
                // step stays at the previous value (at this one inverted)
                const bool vertical = YMandatory();
                const int oldTop = vertical ? oldY : oldX;
                const int top = vertical ? y : x;
                const int top0 = m_stairs && m_invertedStairs ? top : oldTop;
                const int top1 = m_stairs && !m_invertedStairs ? oldTop : top;
                TPoint poly[4];
                if (vertical) {
                    poly[0] = TPoint{oldX, top0};
                    poly[1] = TPoint{x, top1};
                    poly[2] = TPoint{x, GetOriginPos(i)};
                    poly[3] = TPoint{oldX, GetOriginPos(i - 1)};
                } else {
                    poly[0] = TPoint{top0, oldY};
                    poly[1] = TPoint{top1, y};
                    poly[2] = TPoint{GetOriginPos(i), y};
                    poly[3] = TPoint{GetOriginPos(i - 1), oldY};
                }
                if (PointInPolygon(TPoint{X, Y}, poly))
                    return i - 1;
            }
        }
        oldX = x;
        oldY = y;
    }
    return -1;
}

int TCustomSeries::MouseClicked(int X, int Y)
{
    const int i = Clicked(X, Y);
    if (i < 0 || !HasClickPointerEvents())
        return i;
    // the hit test tries each point's pointer before its segment: a hit on
    // the pointer of the point found is a press on that pointer
    int x = X, y = Y;
    TSeriesParent* chart = ParentChart();
    if (chart && chart->Panel() && chart->Panel()->Canvas())
        chart->Panel()->Canvas()->Unproject(x, y, StartZ());
    if (ClickedPointer(i, CalcXPos(i), CalcYPos(i), x, y))
        OnClickPointer(*this, i, x, y);
    return i;
}

const TPointIndex* TCustomSeries::PointIndex() const
{
    // stacked points are not at their own values
    if (m_stacked == cssStack || m_stacked == cssStack100)
        return nullptr;
    return ValuesPointIndex();
}

bool TCustomSeries::PositionsInOrder() const
{
    const TChartAxis* axis = YMandatory() ? GetHorizAxis() : GetVertAxis();
    const TChartValueList& list = NotMandatoryValueList();
    if (!axis || !ParentChart() || !list.Ascending())
        return false;
    // a logarithmic axis puts values at or below zero at its minimum end
    return !axis->Logarithmic() || list.Count() == 0 || list.First() > 0;
}

// ---- copying and streaming ----

void TCustomSeries::Assign(const TCustomChartElement& Source)
{
    if (const auto* s = dynamic_cast<const TCustomSeries*>(&Source)) {
        m_clickableLine = s->m_clickableLine;
        SetAreaChartBrush(*s->m_areaBrush);
        m_areaColor = s->m_areaColor;
        m_areaLinesPen->Assign(*s->m_areaLinesPen);
        m_colorEachLine = s->m_colorEachLine;
        m_dark3D = s->m_dark3D;
        m_drawArea = s->m_drawArea;
        m_drawLine = s->m_drawLine;
        m_invertedStairs = s->m_invertedStairs;
        m_lineHeight = s->m_lineHeight;
        m_pointer->Assign(*s->m_pointer);
        m_stacked = s->m_stacked;
        m_stairs = s->m_stairs;
        m_outLine->Assign(*s->m_outLine);
        m_shadow->Assign(s->m_shadow.get());
        m_transparency = s->m_transparency;
        m_gradient->Assign(*s->m_gradient);
    }
    TCustomLineSeries::Assign(Source);
}

const TPropertyTable<TCustomChartElement>& TCustomSeries::Properties()
{
    using S = TCustomSeries;
    static const TPropertyTable<TCustomChartElement> table =
        TPropertyTable<TCustomChartElement>::Of<S>(TCustomLineSeries::Properties())
            .Property("AreaBrush", EnumKind(BrushStyleNames), TAccessors{&S::AreaBrush, &S::SetAreaBrush}, bsSolid)
            .Object(
                "AreaChartBrush", [](const S& s) { return &s.AreaChartBrush(); },
                [](S& s) { return &s.AreaChartBrush(); }, nullptr, ChartBrushProperties())
            .Property("AreaColor", ColorKind, TAccessors{&S::AreaColor, &S::SetAreaColor}, clDefault)
            .Object(
                "AreaLinesPen", [](const S& s) { return &s.AreaLinesPen(); },
                [](S& s) { return &s.AreaLinesPen(); }, nullptr, ChartPenProperties())
            .Property("ClickableLine", BooleanKind, TAccessors{&S::ClickableLine, &S::SetClickableLine},
                      TInstanceDefault{&S::DefaultClickableLine})
            .Property("ColorEachLine", BooleanKind, TAccessors{&S::ColorEachLine, &S::SetColorEachLine}, true)
            .Property("Dark3D", BooleanKind, TAccessors{&S::Dark3D, &S::SetDark3D}, true)
            .Property("DrawArea", BooleanKind, TAccessors{&S::DrawArea, &S::SetDrawArea},
                      TInstanceDefault{&S::DefaultDrawArea})
            .Object(
                "Gradient", [](const S& s) -> const TCustomPlotGradient* { return &s.Gradient(); },
                [](S& s) -> TCustomPlotGradient* { return &s.Gradient(); }, nullptr, PlotGradientProperties())
            .Property("InvertedStairs", BooleanKind, TAccessors{&S::InvertedStairs, &S::SetInvertedStairs}, false)
            .Property("LineBrush", EnumKind(BrushStyleNames), TAccessors{&S::LineBrush, &S::SetLineBrush}, bsSolid)
            .Property("LineHeight", IntegerKind, TAccessors{&S::LineHeight, &S::SetLineHeight}, 0)
            .Object(
                "OutLine", [](const S& s) -> const TChartPen* { return &s.OutLine(); },
                [](S& s) -> TChartPen* { return &s.OutLine(); }, nullptr, ChartPenProperties())
            .Object(
                "Pointer", [](const S& s) -> const TPlotCustomShapeBrushPen* { return &s.Pointer(); },
                [](S& s) -> TPlotCustomShapeBrushPen* { return &s.Pointer(); }, nullptr,
                TSeriesPointer::Properties())
            .Object(
                "Shadow", [](const S& s) { return &s.Shadow(); }, [](S& s) { return &s.Shadow(); }, nullptr,
                PlotShadowProperties())
            .Property("Stacked", EnumKind(CustomSeriesStackNames), TAccessors{&S::Stacked, &S::SetStacked},
                      cssNone)
            .Property("Stairs", BooleanKind, TAccessors{&S::Stairs, &S::SetStairs}, false)
            .Property("Transparency", IntegerKind,
                      TAccessors{[](const S& s) { return s.Transparency(); },
                                 [](S& s, int v) { s.SetTransparency(v); }},
                      TInstanceDefault{&S::DefaultTransparency});
    return table;
}
