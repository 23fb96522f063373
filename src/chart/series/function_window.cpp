#include "chart/series/function_window.h"

#include <cmath>

#include "chart/axis_panel.h"
#include "chart/series/fast_line_series.h"

const TChartValueList* FindValueList(const TChartSeries& Source, const std::string& Name)
{
    for (int i = 0; i < Source.ValuesListCount(); ++i)
        if (Source.ValuesList(i).Name() == Name)
            return &Source.ValuesList(i);
    return nullptr;
}

void DeviationSums(const double* Values, int N, double& S, double& Q)
{
    double mean = 0;
    for (int k = 0; k < N; ++k)
        mean += Values[k];
    mean /= N;
    S = 0;
    Q = 0;
    for (int k = 0; k < N; ++k) {
        const double d = Values[k] - mean;
        S += d;
        Q += d * d;
    }
}

double WindowDeviation(const double* Values, int N, bool Complete)
{
    if (N < 2)
        return 0;
    double s, q;
    DeviationSums(Values, N, s, q);
    const double n = N;
    const double quotient = (n * q - s * s) / (Complete ? n * n : n * (n - 1));
    return quotient > 0 ? std::sqrt(quotient) : 0;
}

void TakeChartSettings(TChartSeries& Line, const TChartSeries& Parent)
{
    TSeriesParent* chart = Parent.ParentChart();
    // on the parent's chart the line is one of its series: drawn, on the
    // axes, hidden from the legend and the editors by its own flags
    auto* panel = chart ? dynamic_cast<TCustomAxisPanel*>(chart->Panel()) : nullptr;
    if (panel && Parent.Active()) {
        // a newcomer without a colour takes the palette's: a pen colour the
        // line was given stays
        const TColor colour = Line.Pen().Color();
        const bool own = Line.Pen().IsColorStored() && panel->SeriesIndexOf(&Line) < 0;
        panel->AddSeries(&Line);
        if (own)
            Line.Pen().SetColor(colour);
    } else if (panel) {
        // shown only while its series is
        if (Line.ParentChart() == chart)
            chart->RemoveSeries(&Line);
    } else if (Line.ParentChart() != chart) {
        if (TSeriesParent* old = Line.ParentChart())
            old->RemoveSeries(&Line);
        Line.SetParentChart(chart);
    }
    Line.SetCustomVertAxis(Parent.CustomVertAxis());
    Line.SetVertAxis(Parent.VertAxis());
    Line.XValues().SetDateTime(Parent.XValues().DateTime());
    Line.AfterDrawValues = Parent.AfterDrawValues;
    Line.BeforeDrawValues = Parent.BeforeDrawValues;
}

void ExpMovingAverage(const double* Values, int Count, double Period, double* Out)
{
    if (Count <= 0)
        return;
    const double k = 2 / (Period + 1);
    double e = Values[0];
    Out[0] = e;
    for (int i = 1; i < Count; ++i) {
        e = k * Values[i] + (1 - k) * e;
        Out[i] = e;
    }
}

TChartSeries* NewFunctionLine(QObject* Owner, TColor Color)
{
    auto* line = new TFastLineSeries(Owner);
    line->SetShowInLegend(false);
    line->SetShowInEditor(false);
    line->SetSeriesColor(Color);
    // the pen's colour is the line's own: a stream leaves it out
    line->Pen().InitColor(line->Pen().Color());
    return line;
}
