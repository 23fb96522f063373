#include "chart/series/adx_function.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "chart/appearance_properties.h"
#include "chart/series/function_window.h"
#include "chart/series/ohlc_series.h"

TADXFunction::TADXFunction(QObject* Owner) : TPlotFunction(Owner)
{
    InternalSetPeriod(DefaultPeriod());
    m_downLine = NewFunctionLine(this, 255);
    m_upLine = NewFunctionLine(this, 32768);
}

TChartPen& TADXFunction::DownLinePen() const
{
    return m_downLine->Pen();
}

TChartPen& TADXFunction::UpLinePen() const
{
    return m_upLine->Pen();
}

bool TADXFunction::IsValidSource(const TChartSeries& Source) const
{
    return qobject_cast<const TOHLCSeries*>(&Source) != nullptr;
}

void TADXFunction::AddPoints(const TChartSeries* Source)
{
    TChartSeries* parent = ParentSeries();
    if (Updating() || !Source || !parent)
        return;
    parent->Clear();
    for (TChartSeries* line : {m_downLine, m_upLine}) {
        line->Clear();
        TakeChartSettings(*line, *parent);
    }
    const auto* ohlc = qobject_cast<const TOHLCSeries*>(Source);
    const int count = Source->Count();
    const double period = Period();
    const int p = Nearest(period);
    if (!ohlc || p < 2 || 2 * period > count)
        return;
    const double* high = ohlc->HighValues().Data();
    const double* low = ohlc->LowValues().Data();
    const double* close = ohlc->CloseValues().Data();
    const TChartValueList& x = ohlc->DateValues();
    std::vector<double> tr(static_cast<std::size_t>(count)), plusDm(tr.size()), minusDm(tr.size());
    for (int i = 1; i < count; ++i) {
        const auto k = static_cast<std::size_t>(i);
        tr[k] = std::max({high[i] - low[i], std::fabs(high[i] - close[i - 1]), std::fabs(low[i] - close[i - 1])});
        const double up = high[i] - high[i - 1];
        const double down = low[i - 1] - low[i];
        plusDm[k] = up > down ? std::max(up, 0.0) : 0;
        minusDm[k] = down > up ? std::max(down, 0.0) : 0;
    }
    // directional lines from index p; entry i - p of up and down
    std::vector<double> up, down;
    double sTr = 0, sPlus = 0, sMinus = 0;
    for (int i = p; i < count; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (i == p) {
            for (std::size_t j = 1; j <= k; ++j) {
                sTr += tr[j];
                sPlus += plusDm[j];
                sMinus += minusDm[j];
            }
        } else {
            sTr = sTr - sTr / period + tr[k];
            sPlus = sPlus - sPlus / period + plusDm[k];
            sMinus = sMinus - sMinus / period + minusDm[k];
        }
        // flat prices: no range, no direction
        up.push_back(sTr == 0 ? 0 : 100 * sPlus / sTr);
        down.push_back(sTr == 0 ? 0 : 100 * sMinus / sTr);
        AddOriented(*m_upLine, true, x.Value(i), up.back());
        AddOriented(*m_downLine, true, x.Value(i), down.back());
    }
    const auto dx = [&](int i) {
        const double u = up[static_cast<std::size_t>(i - p)];
        const double d = down[static_cast<std::size_t>(i - p)];
        return u + d == 0 ? 0 : 100 * std::fabs(u - d) / (u + d);
    };
    const int s = Nearest(2 * period - 2);
    double adx = 0;
    for (int i = std::max(s, p); i < count; ++i) {
        if (i == s) {
            for (int k = p; k <= s; ++k)
                adx += dx(k);
            adx /= period - 1;
        } else {
            adx = (dx(i) + (period - 1) * adx) / period;
        }
        AddOriented(*parent, true, x.Value(i), adx);
    }
}

TPlotFunction* TADXFunction::Clone(QObject* Owner) const
{
    auto* f = new TADXFunction(Owner);
    f->InternalAssign(*this);
    return f;
}

const TPropertyTable<TPlotFunction>& TADXFunction::Properties()
{
    using F = TADXFunction;
    static const TPropertyTable<TPlotFunction> table =
        TPropertyTable<TPlotFunction>::Of<F>(TPlotFunction::Properties())
            .Object(
                "DownLinePen", [](const F& f) { return &f.DownLinePen(); }, [](F& f) { return &f.DownLinePen(); },
                nullptr, ChartPenProperties())
            .Object(
                "UpLinePen", [](const F& f) { return &f.UpLinePen(); }, [](F& f) { return &f.UpLinePen(); }, nullptr,
                ChartPenProperties());
    return table;
}
