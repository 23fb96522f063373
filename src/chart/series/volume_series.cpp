#include "chart/series/volume_series.h"

#include <algorithm>

#include "chart/chart_axis.h"
#include "chart/chart_messages.h"
#include "chart/plot_canvas.h"
#include "chart/plot_panel.h"
#include "chart/plot_procs.h"

TVolumeSeries::TVolumeSeries(QObject* Owner) : TCustomSeries(Owner)
{
    SetDrawArea(false);
    Pointer().InitVisible(false);
}

int TVolumeSeries::OriginPos() const
{
    if (m_useYOrigin)
        return CalcYPosValue(m_yOrigin);
    const TChartAxis* axis = GetVertAxis();
    if (!axis)
        return 0;
    return axis->Inverted() ? axis->StartPos() : axis->EndPos();
}

void TVolumeSeries::DrawValue(int ValueIndex)
{
    TSeriesParent* chart = ParentChart();
    TCustomPlotPanel* panel = chart ? chart->Panel() : nullptr;
    if (!panel || !panel->Canvas())
        return;
    TCanvas3D& c = *panel->Canvas();
    c.AssignPenColor(&LinePen(), GetValueColor(ValueIndex));
    const int x = CalcXPos(ValueIndex);
    const int y = CalcYPos(ValueIndex);
    if (chart->View3D())
        c.LineWithZ(x, OriginPos(), x, y, MiddleZ());
    else
        c.Line(x, OriginPos(), x, y);
}

void TVolumeSeries::DrawLegendShape(int, const TRect& Rect)
{
    TSeriesParent* chart = ParentChart();
    TCustomPlotPanel* panel = chart ? chart->Panel() : nullptr;
    if (!panel || !panel->Canvas())
        return;
    const int y = (Rect.Top + Rect.Bottom) / 2;
    panel->Canvas()->Line(Rect.Left, y, Rect.Right, y);
}

int TVolumeSeries::Clicked(int X, int Y) const
{
    if (FirstValueIndex() < 0 || LastValueIndex() < 0)
        return -1;
    const int tolerance = std::max(0, Pen().Width() - 1);
    for (int i = FirstValueIndex(); i <= std::min(LastValueIndex(), Count() - 1); ++i)
        if (PointNearLine(TPoint{X, Y}, CalcXPos(i), OriginPos(), CalcXPos(i), CalcYPos(i), tolerance))
            return i;
    return -1;
}

void TVolumeSeries::SetSeriesColor(TColor Value)
{
    TCustomSeries::SetSeriesColor(Value);
    // the colour the series shows: the palette's when it keeps none of its own
    LinePen().SetColor(SeriesColor());
}

void TVolumeSeries::SetAssignedColor(TColor Value)
{
    TCustomSeries::SetAssignedColor(Value);
    // the legend's line too is in the palette's colour while the series has
    // none of its own; that colour is not stored with the pen
    if (OwnSeriesColor() == clDefault)
        LinePen().InitColor(Value);
}

void TVolumeSeries::GetHorizMargins(int& Left, int& Right)
{
    TCustomSeries::GetHorizMargins(Left, Right);
    Left += LinePen().Width();
    Right += LinePen().Width();
}

void TVolumeSeries::CreateSubGallery(std::vector<std::string>& Captions) const
{
    TCustomSeries::CreateSubGallery(Captions);
    Captions.push_back(PlotMsgStyleDotted);
    Captions.push_back(PlotMsgStyleColors);
    Captions.push_back(ProMsgStyleOrigin);
}

void TVolumeSeries::SetSubGallery(int Index)
{
    switch (Index) {
    case 1:
        LinePen().SetSmallDots(true);
        break;
    case 2:
        SetColorEachPoint(true);
        break;
    case 3:
        SetUseYOrigin(true);
        break;
    default:
        TCustomSeries::SetSubGallery(Index);
    }
}

void TVolumeSeries::Assign(const TCustomChartElement& Source)
{
    if (auto* s = qobject_cast<const TVolumeSeries*>(&Source)) {
        m_useYOrigin = s->m_useYOrigin;
        m_yOrigin = s->m_yOrigin;
    }
    TCustomSeries::Assign(Source);
}

void TVolumeSeries::PrepareForGallery(bool IsEnabled)
{
    TCustomSeries::PrepareForGallery(IsEnabled);
    FillSampleValues(26);
    Pointer().SetInflateMargins(true);
}

const TPropertyTable<TCustomChartElement>& TVolumeSeries::Properties()
{
    using S = TVolumeSeries;
    static const TPropertyTable<TCustomChartElement> table =
        TPropertyTable<TCustomChartElement>::Of<S>(TCustomSeries::Properties())
            .Hide({"Brush", "Pen", "YValues", "TreatNulls", "AreaBrush", "AreaChartBrush", "AreaColor",
                   "AreaLinesPen", "ClickableLine", "ColorEachLine", "Dark3D", "DrawArea", "Gradient",
                   "InvertedStairs", "LineBrush", "LineHeight", "OutLine", "Pointer", "Shadow", "Stacked", "Stairs",
                   "Transparency"})
            .Property("UseYOrigin", BooleanKind, TAccessors{&S::UseYOrigin, &S::SetUseYOrigin}, false)
            .Property("YOrigin", FloatKind, TAccessors{&S::YOrigin, &S::SetYOrigin}, 0.0)
            .Object(
                "VolumeValues", [](const S& s) { return &s.VolumeValues(); }, [](S& s) { return &s.VolumeValues(); },
                nullptr, TChartValueList::Properties());
    return table;
}
