#include "chart/series/rsi_function.h"

#include <algorithm>
#include <cmath>

#include "chart/series/function_window.h"
#include "chart/series/ohlc_series.h"

void TRSIFunction::SetStyle(TRSIStyle Value)
{
    if (m_style == Value)
        return;
    m_style = Value;
    Recalculate();
}

bool TRSIFunction::IsValidSource(const TChartSeries& Source) const
{
    return qobject_cast<const TOHLCSeries*>(&Source) != nullptr;
}

double TRSIFunction::Calculate(const TChartSeries& Source, int First, int Last)
{
    const auto* ohlc = qobject_cast<const TOHLCSeries*>(&Source);
    if (!ohlc || !ResolveWindow(Source, First, Last))
        return 0;
    const double* close = ohlc->CloseValues().Data();
    const double* open = ohlc->OpenValues().Data();
    double gains = 0, losses = 0;
    if (m_style == rsiClose) {
        for (int k = First + 1; k <= Last; ++k) {
            const double d = close[k] - close[k - 1];
            if (d >= 0)
                gains += d;
            else
                losses -= d;
        }
    } else {
        for (int k = First; k <= Last; ++k) {
            if (open[k] <= close[k])
                gains += close[k];
            else
                losses += close[k];
        }
    }
    const int n = Last - First + 1;
    gains /= n;
    losses /= n;
    if (losses == 0)
        return 100;
    const double rs = std::fabs(gains / losses);
    return std::clamp(100 - 100 / (1 + rs), 0.0, 100.0);
}

TPlotFunction* TRSIFunction::Clone(QObject* Owner) const
{
    auto* f = new TRSIFunction(Owner);
    f->InternalAssign(*this);
    f->m_style = m_style;
    return f;
}

const TPropertyTable<TPlotFunction>& TRSIFunction::Properties()
{
    using F = TRSIFunction;
    static const TPropertyTable<TPlotFunction> table =
        TPropertyTable<TPlotFunction>::Of<F>(TPlotMovingFunction::Properties())
            .Property("Style", EnumKind(RSIStyleNames), TAccessors{&F::Style, &F::SetStyle}, rsiOpenClose);
    return table;
}
