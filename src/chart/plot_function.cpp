#include "chart/plot_function.h"

#include <algorithm>
#include <string>
#include <vector>

#include "chart/axis_panel.h"
#include "chart/chart_exceptions.h"
#include "chart/chart_messages.h"
#include "chart/chart_series.h"
#include "chart/plot_procs.h"

TPlotFunction::TPlotFunction(QObject* Owner) : TComponent(Owner) {}

TPlotFunction::~TPlotFunction()
{
    if (m_parentSeries && m_parentSeries->m_function == this)
        m_parentSeries->m_function = nullptr;
}

void TPlotFunction::SetPeriod(double Value)
{
    if (Value < 0)
        throw ChartException(PlotMsgFunctionPeriod);
    if (m_period == Value)
        return;
    m_period = Value;
    Recalculate();
}

void TPlotFunction::SetPeriodStyle(TFunctionPeriodStyle Value)
{
    if (m_periodStyle == Value)
        return;
    m_periodStyle = Value;
    Recalculate();
}

void TPlotFunction::SetPeriodAlign(TFunctionPeriodAlign Value)
{
    if (m_periodAlign == Value)
        return;
    m_periodAlign = Value;
    Recalculate();
}

void TPlotFunction::SetParentSeries(TChartSeries* Value)
{
    if (m_parentSeries == Value)
        return;
    if (m_parentSeries && m_parentSeries->m_function == this)
        m_parentSeries->m_function = nullptr;
    m_parentSeries = nullptr;
    if (Value)
        Value->SetFunction(this);
}

void TPlotFunction::EndUpdate()
{
    if (m_updating > 0 && --m_updating == 0)
        Recalculate();
}

void TPlotFunction::Recalculate()
{
    if (m_updating == 0 && m_parentSeries)
        m_parentSeries->CheckDataSource();
}

void TPlotFunction::PrepareForGallery(TCustomAxisPanel& Chart)
{
    for (int i = 0; i < Chart.SeriesCount(); ++i)
        Chart.Series(i)->PrepareForGallery(true);
}

double TPlotFunction::Calculate(const TChartSeries&, int, int)
{
    return 0;
}

double TPlotFunction::CalculateMany(int)
{
    return 0;
}

void TPlotFunction::InternalAssign(const TPlotFunction& Source)
{
    m_period = Source.m_period;
    m_periodStyle = Source.m_periodStyle;
    m_periodAlign = Source.m_periodAlign;
}

TPlotFunction* TPlotFunction::Clone(QObject* Owner) const
{
    auto* f = new TPlotFunction(Owner);
    f->InternalAssign(*this);
    return f;
}

const TChartValueList& TPlotFunction::ValueList(const TChartSeries& Source) const
{
    const std::string& name = m_parentSeries ? m_parentSeries->MandatoryValueList().ValueSource() : std::string();
    if (!name.empty())
        return Source.ValueListByName(name);
    return Source.MandatoryValueList();
}

void TPlotFunction::AddFunctionXY(bool YMandatory, double X, double Y)
{
    if (!YMandatory)
        std::swap(X, Y);
    if (m_batchX) {
        m_batchX->push_back(X);
        m_batchY->push_back(Y);
        return;
    }
    m_parentSeries->AddXY(X, Y, std::string(), clDefault);
}

int TPlotFunction::PointsPeriod() const
{
    return std::max(1, Nearest(m_period));
}

void TPlotFunction::AddPoints(const TChartSeries* Source)
{
    if (m_updating > 0 || !Source || !m_parentSeries)
        return;
    TChartSeries& parent = *m_parentSeries;
    if (parent.DataSourceCount() >= 2) {
        const TChartSeries* most = nullptr;
        for (int k = 0; k < parent.DataSourceCount(); ++k)
            if (auto* s = qobject_cast<const TChartSeries*>(parent.DataSourceAt(k)); s && (!most || s->Count() > most->Count()))
                most = s;
        if (!most)
            return;
        const TChartValueList& x = most->NotMandatoryValueList();
        for (int i = 0; i < most->Count(); ++i) {
            double xv = x.Value(i);
            double y = CalculateMany(i);
            if (!most->YMandatory())
                std::swap(xv, y);
            parent.AddXY(xv, y, most->Labels().Label(i), clDefault);
        }
    } else if (Source->Count() > 0) {
        CalculateFromSource(*Source, Source->NotMandatoryValueList());
    }
}

void TPlotFunction::CalculateFromSource(const TChartSeries& Source, const TChartValueList& NotMandatory)
{
    if (m_period != 0)
        CalculateByPeriod(Source, NotMandatory);
    else
        CalculateAllPoints(Source, NotMandatory);
}

void TPlotFunction::CalculateAllPoints(const TChartSeries& Source, const TChartValueList& NotMandatory)
{
    const double v = Calculate(Source, -1, -1);
    TChartSeries& parent = *m_parentSeries;
    if (parent.SinglePointFunction()) {
        const double x = NotMandatory.MinValue() + NotMandatory.Range() * 0.5;
        if (parent.YMandatory())
            parent.AddXY(x, v, std::string(), clDefault);
        else
            parent.AddXY(v, x, std::string(), clDefault);
    } else {
        AddFunctionXY(Source.YMandatory(), NotMandatory.MinValue(), v);
        AddFunctionXY(Source.YMandatory(), NotMandatory.MaxValue(), v);
    }
}

void TPlotFunction::CalculatePeriod(const TChartSeries& Source, double X, int First, int Last)
{
    AddFunctionXY(Source.YMandatory(), X, Calculate(Source, First, Last));
}

void TPlotFunction::CalculateByPeriod(const TChartSeries& Source, const TChartValueList& NotMandatory)
{
    std::vector<double> xs, ys;
    {
        struct TBatch {
            TPlotFunction& F;
            ~TBatch() { F.m_batchX = F.m_batchY = nullptr; }
        } batch{*this};
        m_batchX = &xs;
        m_batchY = &ys;
        CollectByPeriod(Source, NotMandatory);
    }
    m_parentSeries->AddXYs(xs, ys);
}

void TPlotFunction::CollectByPeriod(const TChartSeries& Source, const TChartValueList& NotMandatory)
{
    const int count = Source.Count();
    if (count == 0)
        return;
    const TChartValueList& x = NotMandatory;
    const bool byRange = m_periodStyle == psRange;
    const bool dateTime = x.DateTime();
    const TDateTimeStep step = dateTime ? FindDateTimeStep(m_period) : dtNone;
    double boundary = x.Value(0);
    int t = 0;
    constexpr int MaxEmptyPeriods = 1000000;
    int emptyPeriods = 0;
    while (t <= count - 1) {
        int last;
        double firstX, lastX = 0, b = 0;
        if (!byRange) {
            last = t + PointsPeriod() - 1;
            firstX = x.Value(t);
            if (last < count)
                lastX = x.Value(last);
        } else {
            firstX = boundary;
            double next = boundary;
            IncDecDateTime(dateTime, true, next, m_period, step);
            // a boundary that no longer grows in floating point ends the run
            if (!(next > boundary))
                return;
            boundary = next;
            b = next;
            lastX = b - 0.001 * m_period;
            last = t;
            while (last < count - 1 && x.Value(last + 1) < b)
                ++last;
        }
        if (last >= count)
            return;
        const double at = m_periodAlign == paFirst ? firstX : m_periodAlign == paLast ? lastX : (firstX + lastX) * 0.5;
        if (byRange && x.Value(t) >= b) {
            // a period far smaller than the gaps between X values would add
            // points without end
            if (++emptyPeriods > MaxEmptyPeriods)
                throw ChartException("Function Period too small: more than " + std::to_string(MaxEmptyPeriods) +
                                     " periods without points");
            AddFunctionXY(Source.YMandatory(), at, 0);
            continue;
        }
        CalculatePeriod(Source, at, t, last);
        t = last + 1;
    }
}

TPlotMovingFunction::TPlotMovingFunction(QObject* Owner) : TPlotFunction(Owner)
{
    InternalSetPeriod(1);
    SetPeriodAlign(paLast);
}

TPlotFunction* TPlotMovingFunction::Clone(QObject* Owner) const
{
    auto* f = new TPlotMovingFunction(Owner);
    f->InternalAssign(*this);
    return f;
}

void TPlotMovingFunction::CalculateFromSource(const TChartSeries& Source, const TChartValueList& NotMandatory)
{
    const int p = PointsPeriod();
    const int count = Source.Count();
    if (count < p)
        return;
    // the results are added in one step
    std::vector<double> xs, ys;
    xs.reserve(static_cast<std::size_t>(count - p + 1));
    ys.reserve(xs.capacity());
    for (int i = p - 1; i < count; ++i) {
        const int first = i - p + 1;
        const double x = PeriodAlign() == paFirst  ? NotMandatory.Value(first)
                         : PeriodAlign() == paLast ? NotMandatory.Value(i)
                                                   : (NotMandatory.Value(first) + NotMandatory.Value(i)) * 0.5;
        xs.push_back(x);
        ys.push_back(Calculate(Source, first, i));
    }
    if (Source.YMandatory())
        ParentSeries()->AddXYs(xs, ys);
    else
        ParentSeries()->AddXYs(ys, xs);
}

const TPropertyTable<TPlotFunction>& TPlotFunction::Properties()
{
    using F = TPlotFunction;
    static const TPropertyTable<TPlotFunction> table =
        TPropertyTable<TPlotFunction>::Of()
            .Property("Period", FloatKind, TAccessors{&F::Period, &F::SetPeriod},
                      TInstanceDefault{&F::DefaultPeriod})
            .Property("PeriodAlign", EnumKind(FunctionPeriodAlignNames),
                      TAccessors{&F::PeriodAlign, &F::SetPeriodAlign}, TInstanceDefault{&F::DefaultPeriodAlign})
            .Property("PeriodStyle", EnumKind(FunctionPeriodStyleNames),
                      TAccessors{&F::PeriodStyle, &F::SetPeriodStyle}, psNumPoints);
    return table;
}

const TPropertyTable<TPlotFunction>& TPlotMovingFunction::Properties()
{
    static const TPropertyTable<TPlotFunction> table =
        TPropertyTable<TPlotFunction>::Of<TPlotMovingFunction>(TPlotFunction::Properties()).Hide({"PeriodStyle"});
    return table;
}

TChartPen* PenToRead(TChartPen* Pen)
{
    if (!Pen)
        InvalidPropertyValue();
    return Pen;
}
