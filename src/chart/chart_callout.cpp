#include "chart/chart_callout.h"

#include "chart/appearance_properties.h"
#include "chart/chart_series.h"

TCallout::TCallout(TChartSeries* Series)
    : TSeriesPointer(Series), m_arrow(std::make_unique<TWhitePen>([this] { CanvasChanged(); }))
{
    InitDraw3D(false);
    Brush()->InitColor(clBlack);
}

TCallout::~TCallout() = default;

const TPropertyTable<TPlotCustomShapeBrushPen>& TCallout::Properties()
{
    using S = TCallout;
    static const TPropertyTable<TPlotCustomShapeBrushPen> table =
        TPropertyTable<TPlotCustomShapeBrushPen>::Of<S>(TSeriesPointer::Properties())
            .Object(
                "Arrow", [](const S& s) -> const TChartPen* { return s.Arrow(); },
                [](S& s) -> TChartPen* { return s.Arrow(); }, nullptr, ChartPenProperties())
            .Property("ArrowHead", EnumKind(ArrowHeadStyleNames), TAccessors{&S::ArrowHead, &S::SetArrowHead},
                      ahNone)
            .Property("ArrowHeadSize", IntegerKind, TAccessors{&S::ArrowHeadSize, &S::SetArrowHeadSize}, 8)
            .Property("Distance", IntegerKind, TAccessors{&S::Distance, &S::SetDistance}, 0);
    return table;
}

void TCallout::SetArrow(const TChartPen* Value)
{
    if (Value && Value != m_arrow.get())
        m_arrow->Assign(*Value);
}

void TCallout::Draw(TColor Colour, TPoint P0, TPoint P1, TPoint P2, int Z, bool ThroughMiddle)
{
    TCustomPlotPanel* panel = Panel();
    if (!panel || !panel->Canvas())
        return;
    TCanvas3D& surface = *panel->Canvas();
    const bool is3D = panel->View3D();
    const TPoint offset{panel->ChartBounds.Left, panel->ChartBounds.Top};
    if (offset.X != 0 || offset.Y != 0) {
        for (TPoint* p : {&P0, &P1, &P2}) {
            p->X += offset.X;
            p->Y += offset.Y;
        }
    }
    if (m_arrow->Visible()) {
        PrepareCanvas(surface, Colour);
        surface.Brush()->SetStyle(bsClear);
        surface.AssignPen(m_arrow.get());
        switch (m_arrowHead) {
        case ahLine:
            surface.ArrowDefaultHead(false, P2, P0, m_arrowHeadSize, m_arrowHeadSize, Z);
            break;
        case ahSolid:
            surface.ArrowDefaultHead(true, P2, P0, m_arrowHeadSize, m_arrowHeadSize, Z);
            break;
        case ahNone:
            if (is3D) {
                if (ThroughMiddle) {
                    surface.LinePointsZ(P0, P1, Z);
                    surface.LinePointsZ(P1, P2, Z);
                } else {
                    surface.LinePointsZ(P0, P2, Z);
                }
            } else if (ThroughMiddle) {
                surface.LinePoints(P0, P1);
                surface.LinePoints(P1, P2);
            } else {
                surface.LinePoints(P0, P2);
            }
            break;
        }
    }
    if (m_arrowHead == ahNone && Visible()) {
        PrepareCanvas(surface, Colour);
        TPoint at = P0;
        if (is3D)
            surface.ProjectPoint(P0, Z, at);
        DrawPointer(surface, false, at.X, at.Y, HorizSize(), VertSize(), Brush()->Color(), Style());
    }
}

void TCallout::Assign(const TPlotCustomShapeBrushPen& Source)
{
    if (&Source == this)
        return;
    if (const auto* s = dynamic_cast<const TCallout*>(&Source)) {
        m_distance = s->m_distance;
        m_arrow->Assign(*s->m_arrow);
        m_arrowHead = s->m_arrowHead;
        m_arrowHeadSize = s->m_arrowHeadSize;
    }
    TSeriesPointer::Assign(Source);
}

TMarksCallout::TMarksCallout(TChartSeries* Series) : TCallout(Series)
{
    InitVisible(false);
}

const TPropertyTable<TPlotCustomShapeBrushPen>& TMarksCallout::Properties()
{
    using S = TMarksCallout;
    static const TPropertyTable<TPlotCustomShapeBrushPen> table =
        TPropertyTable<TPlotCustomShapeBrushPen>::Of<S>(TCallout::Properties())
            .Property("Length", IntegerKind, TAccessors{&S::Length, &S::SetLength},
                      TInstanceDefault{&S::DefaultLength});
    return table;
}

void TMarksCallout::ApplyArrowLength(TSeriesMarkPosition& Position) const
{
    const int lift = m_length + Distance();
    Position.LeftTop.Y -= lift;
    Position.ArrowTo.Y -= lift;
    Position.ArrowFrom.Y -= Distance();
}

void TMarksCallout::Assign(const TPlotCustomShapeBrushPen& Source)
{
    if (&Source == this)
        return;
    if (const auto* s = dynamic_cast<const TMarksCallout*>(&Source))
        m_length = s->m_length;
    TCallout::Assign(Source);
}
