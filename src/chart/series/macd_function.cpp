#include "chart/series/macd_function.h"


#include <vector>

#include "chart/appearance_properties.h"
#include "chart/chart_exceptions.h"
#include "chart/chart_messages.h"
#include "chart/series/exp_mov_ave_function.h"
#include "chart/series/function_window.h"
#include "chart/series/volume_series.h"

TMACDFunction::TMACDFunction(QObject* Owner) : TPlotMovingFunction(Owner)
{
    InternalSetPeriod(DefaultPeriod());
    m_signal = NewFunctionLine(this, 32768);
    m_signalFunction = new TExpMovAveFunction;
    m_signalFunction->InternalSetPeriod(9);
    m_signal->SetFunction(m_signalFunction);
    m_histogram = new TVolumeSeries(this);
    m_histogram->SetShowInLegend(false);
    m_histogram->SetShowInEditor(false);
    m_histogram->SetSeriesColor(255);
    m_histogram->Pen().InitColor(m_histogram->Pen().Color());
    m_histogram->SetUseYOrigin(true);
    m_histogram->SetYOrigin(0);
}

void TMACDFunction::SetPeriod2(double Value)
{
    if (m_period2 == Value)
        return;
    m_period2 = Value < 1 ? 1 : Value;
    Recalculate();
}

int TMACDFunction::Period3() const
{
    return Nearest(m_signalFunction->Period());
}

void TMACDFunction::SetPeriod3(int Value)
{
    if (Value < 0)
        throw ChartException(PlotMsgFunctionPeriod);
    if (m_signalFunction->Period() == Value)
        return;
    // the histogram is the MACD line less the signal: all three anew
    m_signalFunction->InternalSetPeriod(Value);
    Recalculate();
}

TChartPen* TMACDFunction::MACDPen() const
{
    return ParentSeries() ? &ParentSeries()->Pen() : nullptr;
}

TChartPen& TMACDFunction::MACDExpPen() const
{
    return m_signal->Pen();
}

TChartPen& TMACDFunction::HistogramPen() const
{
    return m_histogram->Pen();
}

void TMACDFunction::AddPoints(const TChartSeries* Source)
{
    TChartSeries* parent = ParentSeries();
    if (Updating() || !Source || !parent)
        return;
    parent->Clear();
    const int count = Source->Count();
    if (count > 1) {
        const double* v = ValueList(*Source).Data();
        const TChartValueList& x = Source->NotMandatoryValueList();
        std::vector<double> shortAverage(static_cast<std::size_t>(count));
        std::vector<double> longAverage(static_cast<std::size_t>(count));
        ExpMovingAverage(v, count, m_period2, shortAverage.data());
        ExpMovingAverage(v, count, Period(), longAverage.data());
        for (std::size_t i = 0; i < shortAverage.size(); ++i)
            shortAverage[i] -= longAverage[i];
        AddOrientedPoints(*parent, Source->YMandatory(), {x.Data(), shortAverage.size()}, shortAverage);
    }
    TakeChartSettings(*m_signal, *parent);
    if (parent->SeriesColor() == 0xFFFFFF)
        m_signal->SetSeriesColor(0xFF0000);
    if (m_signal->DataSource() == parent)
        m_signal->CheckDataSource();
    else
        m_signal->SetDataSource(parent);
    if (!m_histogram->Active())
        return;
    TakeChartSettings(*m_histogram, *parent);
    m_histogram->BeginUpdate();
    m_histogram->Clear();
    const TChartValueList& macd = parent->MandatoryValueList();
    const TChartValueList& signal = m_signal->MandatoryValueList();
    const TChartValueList& signalX = m_signal->NotMandatoryValueList();
    const int n = std::min(m_signal->Count(), macd.Count());
    std::vector<double> difference(static_cast<std::size_t>(std::max(n, 0)));
    for (int i = 0; i < n; ++i)
        difference[static_cast<std::size_t>(i)] = macd.Value(i) - signal.Value(i);
    AddOrientedPoints(*m_histogram, m_signal->YMandatory(), {signalX.Data(), difference.size()}, difference);
    m_histogram->EndUpdate();
}

void TMACDFunction::Clear()
{
    m_signal->Clear();
    m_histogram->Clear();
}

TPlotFunction* TMACDFunction::Clone(QObject* Owner) const
{
    auto* f = new TMACDFunction(Owner);
    f->InternalAssign(*this);
    f->m_period2 = m_period2;
    f->m_signalFunction->InternalSetPeriod(m_signalFunction->Period());
    return f;
}

const TPropertyTable<TPlotFunction>& TMACDFunction::Properties()
{
    using F = TMACDFunction;
    static const TPropertyTable<TPlotFunction> table =
        TPropertyTable<TPlotFunction>::Of<F>(TPlotMovingFunction::Properties())
            .Object(
                "HistogramPen", [](const F& f) { return &f.HistogramPen(); }, [](F& f) { return &f.HistogramPen(); },
                nullptr, ChartPenProperties())
            .Object(
                "MACDExpPen", [](const F& f) { return &f.MACDExpPen(); }, [](F& f) { return &f.MACDExpPen(); },
                nullptr, ChartPenProperties())
            .Object(
                "MACDPen", [](const F& f) -> const TChartPen* { return f.MACDPen(); },
                [](F& f) { return PenToRead(f.MACDPen()); }, nullptr, ChartPenProperties())
            .Property("Period2", FloatKind, TAccessors{&F::Period2, &F::SetPeriod2}, 12.0)
            .Property("Period3", IntegerKind, TAccessors{&F::Period3, &F::SetPeriod3}, 9);
    return table;
}
