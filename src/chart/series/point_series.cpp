#include "chart/series/point_series.h"

#include "chart/axis_panel.h"
#include "chart/chart_callout.h"
#include "chart/chart_messages.h"

TPointSeries::TPointSeries(QObject* Owner) : TCustomSeries(Owner)
{
    Pointer().InitVisible(true);
    PointSettings();
    InitClickableLine(false);
    Marks().InitArrowLength(0);
}

void TPointSeries::PointSettings()
{
    Pointer().Show();
    SetDrawArea(false);
    SetDrawLine(false);
    SetClickableLine(false);
}

void TPointSeries::Assign(const TCustomChartElement& Source)
{
    TCustomSeries::Assign(Source);
    PointSettings();
}

void TPointSeries::CreateSubGallery(std::vector<std::string>& Captions) const
{
    TCustomSeries::CreateSubGallery(Captions);
    for (const std::string* c : {&PlotMsgStyleColors, &PlotMsgStyleMarks, &PlotMsgStyleHollow, &PlotMsgStyleNoBorder,
                                 &PlotMsgStyleGradient})
        Captions.push_back(*c);
    if (HasPointerStyles())
        for (const std::string* c : {&PlotMsgStylePoint2D, &PlotMsgStyleTriangle, &PlotMsgStyleStar,
                                     &PlotMsgStyleCircle, &PlotMsgStyleDownTri, &PlotMsgStyleCross,
                                     &PlotMsgStyleDiamond, &PlotMsgStyleHexagon})
            Captions.push_back(*c);
}

void TPointSeries::SetSubGallery(int Index)
{
    TSeriesPointer& p = Pointer();
    switch (Index) {
    case 1: SetColorEachPoint(true); return;
    case 2: Marks().SetVisible(true); return;
    case 3: p.Brush()->SetStyle(bsClear); return;
    case 4: p.Pen()->Hide(); return;
    case 5: p.Gradient()->SetVisible(true); return;
    default: break;
    }
    if (!HasPointerStyles() || Index < 6 || Index > 13) {
        TCustomSeries::SetSubGallery(Index);
        return;
    }
    switch (Index) {
    case 6: p.SetDraw3D(false); break;
    case 7: p.SetStyle(psTriangle); break;
    case 8: p.SetStyle(psStar); break;
    case 9:
        p.SetStyle(psCircle);
        p.SetHorizSize(8);
        p.SetVertSize(8);
        break;
    case 10: p.SetStyle(psDownTriangle); break;
    case 11: p.SetStyle(psCross); break;
    case 12: p.SetStyle(psDiamond); break;
    case 13: p.SetStyle(psHexagon); break;
    }
}

void TPointSeries::SetColorEachPoint(bool Value)
{
    TCustomSeries::SetColorEachPoint(Value);
    if (Value)
        Pointer().SetColor(clDefault);
}

void TPointSeries::PrepareForGallery(bool IsEnabled)
{
    TCustomSeries::PrepareForGallery(IsEnabled);
    auto* chart = dynamic_cast<TCustomAxisPanel*>(ParentChart());
    const int size = chart && chart->width() < 50 ? 4 : 6;
    Pointer().SetHorizSize(size);
    Pointer().SetVertSize(size);
    if (chart && chart->SeriesCount() >= 2 && chart->Series(1) == this)
        Pointer().SetStyle(psTriangle);
}

const TPropertyTable<TCustomChartElement>& TPointSeries::Properties()
{
    static const TPropertyTable<TCustomChartElement> table =
        TPropertyTable<TCustomChartElement>::Of<TPointSeries>(TCustomSeries::Properties())
            .Hide({"Brush", "Pen", "LinePen", "TreatNulls", "AreaBrush", "AreaChartBrush", "AreaColor",
                   "AreaLinesPen", "ColorEachLine", "Dark3D", "DrawArea", "Gradient", "InvertedStairs", "LineBrush",
                   "LineHeight", "OutLine", "Shadow", "Stairs"});
    return table;
}
