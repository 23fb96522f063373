#include "chart/series/perimeter_function.h"

#include <vector>

#include "chart/chart_series.h"
#include "chart/plot_canvas.h"
#include "chart/plot_panel.h"

void TPerimeterFunction::AddPoints(const TChartSeries* Source)
{
    TChartSeries* parent = ParentSeries();
    if (Updating() || !Source || !parent)
        return;
    parent->Clear();
    if (Source->Count() == 0)
        return;
    // pixel positions need a chart laid out at least once
    if (TSeriesParent* chart = Source->ParentChart())
        if (TCustomPlotPanel* panel = chart->Panel())
            panel->LayOutOnce();
    std::vector<TPoint> points;
    points.reserve(static_cast<std::size_t>(Source->Count()));
    for (int i = 0; i < Source->Count(); ++i)
        points.push_back(TPoint{Source->CalcXPos(i), Source->CalcYPos(i)});
    ConvexHull(points);
    if (points.empty())
        return;
    // the outline keeps hull order
    parent->NotMandatoryValueList().SetOrder(loNone);
    for (const TPoint& p : points)
        parent->AddXY(parent->XScreenToValue(p.X), parent->YScreenToValue(p.Y));
    parent->AddXY(parent->XScreenToValue(points.front().X), parent->YScreenToValue(points.front().Y));
}

TPlotFunction* TPerimeterFunction::Clone(QObject* Owner) const
{
    auto* f = new TPerimeterFunction(Owner);
    f->InternalAssign(*this);
    return f;
}
