#include "chart/series/bollinger_function.h"


#include <vector>

#include "chart/appearance_properties.h"
#include "chart/series/function_window.h"

TBollingerFunction::TBollingerFunction(QObject* Owner) : TPlotFunction(Owner)
{
    InternalSetPeriod(DefaultPeriod());
    m_lowBand = NewFunctionLine(this, clDefault);
}

void TBollingerFunction::SetDeviation(double Value)
{
    if (m_deviation == Value)
        return;
    m_deviation = Value;
    Recalculate();
}

void TBollingerFunction::SetExponential(bool Value)
{
    if (m_exponential == Value)
        return;
    m_exponential = Value;
    Recalculate();
}

TChartPen* TBollingerFunction::UpperBandPen() const
{
    return ParentSeries() ? &ParentSeries()->Pen() : nullptr;
}

TChartPen& TBollingerFunction::LowBandPen() const
{
    return m_lowBand->Pen();
}

void TBollingerFunction::AddPoints(const TChartSeries* Source)
{
    TChartSeries* parent = ParentSeries();
    if (Updating() || !Source || !parent)
        return;
    TakeChartSettings(*m_lowBand, *parent);
    m_lowBand->BeginUpdate();
    m_lowBand->Clear();
    if (Period() > 0)
        AddBands(*Source, *parent, *m_lowBand);
    m_lowBand->EndUpdate();
}

void TBollingerFunction::AddBands(const TChartSeries& Source, TChartSeries& Upper, TChartSeries& Lower) const
{
    const int p = Nearest(Period());
    const int count = Source.Count();
    // a period below one point, or too few points for the averages: no band
    if (p < 1 || count < p || (m_exponential && count < 2))
        return;
    const double* v = ValueList(Source).Data();
    const TChartValueList& x = Source.NotMandatoryValueList();
    std::vector<double> average;
    if (m_exponential) {
        average.resize(static_cast<std::size_t>(count));
        ExpMovingAverage(v, count, Period(), average.data());
    } else {
        average.resize(static_cast<std::size_t>(count - p + 1));
        for (int j = 0; j + p <= count; ++j) {
            double sum = 0;
            for (int k = j; k < j + p; ++k)
                sum += v[k];
            average[static_cast<std::size_t>(j)] = sum / p;
        }
    }
    // one deviation per window serves both bands
    const auto n = static_cast<std::size_t>(count - p + 1);
    std::vector<double> upper(n), lower(n);
    for (int i = p; i <= count; ++i) {
        const double sd = WindowDeviation(v + i - p, p, true);
        const double base = average[static_cast<std::size_t>(m_exponential ? i - 1 : i - p)];
        upper[static_cast<std::size_t>(i - p)] = base + m_deviation * sd;
        lower[static_cast<std::size_t>(i - p)] = base + -m_deviation * sd;
    }
    const std::span<const double> xs{x.Data() + (p - 1), n};
    AddOrientedPoints(Upper, Source.YMandatory(), xs, upper);
    AddOrientedPoints(Lower, Source.YMandatory(), xs, lower);
}

TPlotFunction* TBollingerFunction::Clone(QObject* Owner) const
{
    auto* f = new TBollingerFunction(Owner);
    f->InternalAssign(*this);
    f->m_deviation = m_deviation;
    f->m_exponential = m_exponential;
    return f;
}

const TPropertyTable<TPlotFunction>& TBollingerFunction::Properties()
{
    using F = TBollingerFunction;
    static const TPropertyTable<TPlotFunction> table =
        TPropertyTable<TPlotFunction>::Of<F>(TPlotFunction::Properties())
            .Property("Deviation", FloatKind, TAccessors{&F::Deviation, &F::SetDeviation}, 2.0)
            .Property("Exponential", BooleanKind, TAccessors{&F::Exponential, &F::SetExponential}, true)
            .Object(
                "LowBandPen", [](const F& f) { return &f.LowBandPen(); }, [](F& f) { return &f.LowBandPen(); },
                nullptr, ChartPenProperties())
            .Object(
                "UpperBandPen", [](const F& f) -> const TChartPen* { return f.UpperBandPen(); },
                [](F& f) { return PenToRead(f.UpperBandPen()); }, nullptr, ChartPenProperties());
    return table;
}
