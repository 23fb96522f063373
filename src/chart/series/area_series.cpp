#include "chart/series/area_series.h"

#include <algorithm>

#include "chart/axis_panel.h"
#include "chart/chart_axis.h"
#include "chart/chart_messages.h"
#include "chart/plot_canvas.h"
#include "chart/plot_panel.h"

TAreaSeries::TAreaSeries(QObject* Owner) : TCustomSeries(Owner)
{
    InitDrawArea(true);
    SetSinglePointFunction(false);
    Pointer().InitVisible(false);
}

TMultiArea TAreaSeries::MultiArea() const
{
    switch (Stacked()) {
    case cssStack: return maStacked;
    case cssStack100: return maStacked100;
    default: return maNone;
    }
}

void TAreaSeries::SetMultiArea(TMultiArea Value)
{
    if (Value == MultiArea())
        return;
    SetStacked(Value == maStacked ? cssStack : Value == maStacked100 ? cssStack100 : cssNone);
}

void TAreaSeries::Assign(const TCustomChartElement& Source)
{
    TCustomSeries::Assign(Source);
    SetDrawArea(true);
    SetDrawLine(true);
    if (const auto* s = dynamic_cast<const TAreaSeries*>(&Source)) {
        m_yOrigin = s->m_yOrigin;
        m_stackGroup = s->m_stackGroup;
        m_useYOrigin = s->m_useYOrigin;
    } else {
        Pointer().Hide();
    }
}

void TAreaSeries::CalcZOrder()
{
    if (MultiArea() == maNone) {
        TCustomSeries::CalcZOrder();
        return;
    }
    if (auto* chart = dynamic_cast<TCustomAxisPanel*>(ParentChart())) {
        for (int i = 0; i < chart->SeriesCount(); ++i) {
            TChartSeries* s = chart->Series(i);
            if (s == this)
                break;
            auto* other = dynamic_cast<TCustomSeries*>(s);
            if (other && other->Active() && SameStackGroup(*other)) {
                SetComputedZOrder(other->ComputedZOrder());
                return;
            }
        }
    }
    // the first of its group: a depth of its own, as if unstacked
    const TCustomSeriesStack saved = Stacked();
    SetStackedQuiet(cssNone);
    try {
        TCustomSeries::CalcZOrder();
    } catch (...) {
        SetStackedQuiet(saved);
        throw;
    }
    SetStackedQuiet(saved);
}

void TAreaSeries::CreateSubGallery(std::vector<std::string>& Captions) const
{
    TCustomSeries::CreateSubGallery(Captions);
    for (const std::string* c : {&PlotMsgStyleStairs, &PlotMsgStyleMarks, &PlotMsgStyleColors, &PlotMsgStyleHollow,
                                 &PlotMsgStyleNoLines, &PlotMsgStyleStack, &PlotMsgStyleStack100,
                                 &PlotMsgStylePoints, &PlotMsgStyleGradient})
        Captions.push_back(*c);
}

void TAreaSeries::SetSubGallery(int Index)
{
    switch (Index) {
    case 1: SetStairs(true); break;
    case 2: Marks().SetVisible(true); break;
    case 3: SetColorEachPoint(true); break;
    case 4: SetAreaBrush(bsClear); break;
    case 5: AreaLinesPen().Hide(); break;
    case 6: SetMultiArea(maStacked); break;
    case 7: SetMultiArea(maStacked100); break;
    case 8: Pointer().Show(); break;
    case 9: Gradient().SetVisible(true); break;
    default: TCustomSeries::SetSubGallery(Index);
    }
}

void TAreaSeries::PrepareLegendCanvas(int, TColor& BackColor, TBrushStyle& BrushStyle)
{
    TCanvas3D* canvas = ParentChart() && ParentChart()->Panel() ? ParentChart()->Panel()->Canvas() : nullptr;
    if (!ColorEachPoint() && AreaColor() != clDefault)
        BackColor = AreaColor();
    else if (canvas)
        BackColor = canvas->Brush()->Color();
    if (canvas)
        canvas->AssignPen(&AreaLinesPen());
    BrushStyle = AreaBrush();
}

void TAreaSeries::DrawLegendShape(int ValueIndex, const TRect& Rect)
{
    TCustomPlotPanel* panel = ParentChart()->Panel();
    TCanvas3D& c = *panel->Canvas();
    if (Gradient().Visible()) {
        Gradient().Draw(c, Rect);
        return;
    }
    if (AreaChartBrush().HasImage()) {
        const TColor item = ValueIndex == -1 ? SeriesColor() : LegendItemColor(ValueIndex);
        TColor colour = AreaChartBrush().Color();
        if (colour == clDefault)
            colour = item;
        TColor back = !ColorEachPoint() && AreaColor() != clDefault ? AreaColor() : item;
        if (back == colour)
            back = clWhite;
        panel->ApplyBrush(colour, &AreaChartBrush(), back);
    }
    TCustomSeries::DrawLegendShape(ValueIndex, Rect);
}

void TAreaSeries::PrepareForGallery(bool IsEnabled)
{
    TCustomSeries::PrepareForGallery(IsEnabled);
    Gradient().SetVisible(true);
    if (TSeriesParent* chart = ParentChart()) {
        SetSeriesColor(chart->GetDefaultColor(GalleryFirstColorIndex));
        Gradient().SetEndColor(chart->GetDefaultColor(GallerySecondColorIndex));
    }
}

double TAreaSeries::MaxXValue() const
{
    const double v = TCustomSeries::MaxXValue();
    return m_useYOrigin && !YMandatory() ? std::max(v, m_yOrigin) : v;
}

double TAreaSeries::MinXValue() const
{
    const double v = TCustomSeries::MinXValue();
    return m_useYOrigin && !YMandatory() ? std::min(v, m_yOrigin) : v;
}

double TAreaSeries::MaxYValue() const
{
    const double v = TCustomSeries::MaxYValue();
    return m_useYOrigin && YMandatory() ? std::max(v, m_yOrigin) : v;
}

double TAreaSeries::MinYValue() const
{
    const double v = TCustomSeries::MinYValue();
    return m_useYOrigin && YMandatory() ? std::min(v, m_yOrigin) : v;
}

bool TAreaSeries::DrawSeriesForward(int Index) const
{
    if (MultiArea() == maNone)
        return TCustomSeries::DrawSeriesForward(Index);
    TChartAxis* axis = MandatoryAxis();
    return !(axis && axis->Inverted());
}

bool TAreaSeries::SameStackGroup(const TCustomSeries& Series) const
{
    const auto* area = dynamic_cast<const TAreaSeries*>(&Series);
    return TCustomSeries::SameStackGroup(Series) && area && area->m_stackGroup == m_stackGroup;
}

int TAreaSeries::GetOriginPos(int ValueIndex) const
{
    if (m_useYOrigin)
        return CalcPosValue(m_yOrigin);
    return TCustomSeries::GetOriginPos(ValueIndex);
}

const TPropertyTable<TCustomChartElement>& TAreaSeries::Properties()
{
    using S = TAreaSeries;
    static const TPropertyTable<TCustomChartElement> table =
        TPropertyTable<TCustomChartElement>::Of<S>(TCustomSeries::Properties())
            .Hide({"Brush", "Pen", "LineBrush", "LineHeight", "OutLine", "Shadow", "Stacked"})
            .Property("MultiArea", EnumKind(MultiAreaNames), TAccessors{&S::MultiArea, &S::SetMultiArea}, maNone)
            .Property("StackGroup", IntegerKind, TAccessors{&S::StackGroup, &S::SetStackGroup}, 0)
            .Property("UseYOrigin", BooleanKind, TAccessors{&S::UseYOrigin, &S::SetUseYOrigin}, false)
            .Property("YOrigin", FloatKind, TAccessors{&S::YOrigin, &S::SetYOrigin}, 0.0);
    return table;
}
