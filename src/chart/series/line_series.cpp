#include "chart/series/line_series.h"

#include <QPointer>

#include <algorithm>

#include "chart/chart_callout.h"
#include "chart/chart_messages.h"
#include "chart/plot_canvas.h"
#include "chart/plot_panel.h"

TLineSeries::TLineSeries(QObject* Owner) : TCustomSeries(Owner)
{
    SetDrawLine(true);
    SetSinglePointFunction(false);
    Pointer().InitVisible(false);
}

void TLineSeries::Assign(const TCustomChartElement& Source)
{
    TCustomSeries::Assign(Source);
    if (!dynamic_cast<const TLineSeries*>(&Source))
        Pointer().Hide();
    SetDrawArea(false);
    SetDrawLine(true);
}

void TLineSeries::CreateSubGallery(std::vector<std::string>& Captions) const
{
    TCustomSeries::CreateSubGallery(Captions);
    for (const std::string* c : {&PlotMsgStyleStairs, &PlotMsgStylePoints, &PlotMsgStyleHeight, &PlotMsgStyleHollow,
                                 &PlotMsgStyleColors, &PlotMsgStyleMarks, &PlotMsgStyleNoBorder, &ProMsgStyleOutline})
        Captions.push_back(*c);
}

void TLineSeries::SetSubGallery(int Index)
{
    switch (Index) {
    case 1: SetStairs(true); break;
    case 2: Pointer().Show(); break;
    case 3: SetLineHeight(5); break;
    case 4: SetLineBrush(bsClear); break;
    case 5: SetColorEachPoint(true); break;
    case 6: Marks().SetVisible(true); break;
    case 7: LinePen().Hide(); break;
    case 8: OutLine().Show(); break;
    default: TCustomSeries::SetSubGallery(Index);
    }
}

void TLineSeries::PrepareLegendCanvas(int, TColor&, TBrushStyle& BrushStyle)
{
    if (ParentChart() && ParentChart()->Panel())
        ParentChart()->Panel()->Canvas()->AssignPen(&LinePen());
    BrushStyle = LineBrush();
}

THorizLineSeries::THorizLineSeries(QObject* Owner) : TLineSeries(Owner)
{
    SetHorizontal();
    SetCalcVisiblePoints(false);
    XValues().InitOrder(loNone);
    YValues().InitOrder(loAscending);
}

void THorizLineSeries::DrawMark(int Index, const std::string& Text, TSeriesMarkPosition& Position)
{
    const TMarksCallout& callout = *Marks().Callout();
    int offset = callout.Length() + callout.Distance();
    const bool left = GetOriginPos(Index) > Position.ArrowFrom.X;
    if (left)
        offset = -Position.Width - offset;
    Position.LeftTop.X += Position.Width / 2 + offset;
    Position.LeftTop.Y += Position.Height / 2;
    Position.ArrowTo.X += offset;
    Position.ArrowFrom.X += left ? -callout.Length() : callout.Length();
    TLineSeries::DrawMark(Index, Text, Position);
}

int THorizLineSeries::MarkOffset() const
{
    TSeriesParent* chart = ParentChart();
    TCanvas3D* canvas = chart && chart->Panel() ? chart->Panel()->Canvas() : nullptr;
    if (!canvas || !Marks().Visible())
        return 0;
    auto& marks = const_cast<TSeriesMarks&>(Marks());
    int widest = 0;
    // the mark text handler may free the series
    const QPointer<const THorizLineSeries> alive(this);
    for (int i = 0; i < Count(); ++i) {
        const std::string text = GetMarkText(i);
        if (!alive)
            return widest;
        if (text.empty())
            continue;
        TSeriesMarkPosition p;
        marks.MeasureBox(*canvas, i, text, p);
        widest = std::max(widest, p.Width);
    }
    return widest;
}

const TPropertyTable<TCustomChartElement>& TLineSeries::Properties()
{
    static const TPropertyTable<TCustomChartElement> table =
        TPropertyTable<TCustomChartElement>::Of<TLineSeries>(TCustomSeries::Properties())
            .Hide({"Pen", "AreaBrush", "AreaChartBrush", "AreaColor", "AreaLinesPen", "DrawArea", "Transparency"});
    return table;
}
