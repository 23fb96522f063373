#include "chart/series/stochastic_function.h"

#include <algorithm>

#include "chart/chart_messages.h"
#include "chart/series/function_window.h"

bool TStochasticFunction::IsValidSource(const TChartSeries& Source) const
{
    return FindValueList(Source, ProMsgStyleHigh) && FindValueList(Source, ProMsgStyleLow);
}

void TStochasticFunction::AddPoints(const TChartSeries* Source)
{
    if (Source) {
        m_numerators.assign(static_cast<std::size_t>(Source->Count()), 0.0);
        m_denominators.assign(static_cast<std::size_t>(Source->Count()), 0.0);
        if (!IsValidSource(*Source))
            return;
    }
    TPlotMovingFunction::AddPoints(Source);
}

double TStochasticFunction::Calculate(const TChartSeries& Source, int First, int Last)
{
    const TChartValueList* highs = FindValueList(Source, ProMsgStyleHigh);
    const TChartValueList* lows = FindValueList(Source, ProMsgStyleLow);
    if (!highs || !lows || !ResolveWindow(Source, First, Last))
        return 0;
    double low = lows->Value(First);
    double high = highs->Value(First);
    for (int k = First + 1; k <= Last; ++k) {
        low = std::min(low, lows->Value(k));
        high = std::max(high, highs->Value(k));
    }
    const double numerator = ValueList(Source).Value(Last) - low;
    const double denominator = high - low;
    if (static_cast<int>(m_numerators.size()) <= Last) {
        m_numerators.resize(static_cast<std::size_t>(Last) + 1);
        m_denominators.resize(static_cast<std::size_t>(Last) + 1);
    }
    m_numerators[static_cast<std::size_t>(Last)] = numerator;
    m_denominators[static_cast<std::size_t>(Last)] = denominator;
    return denominator == 0 ? 0 : 100 * numerator / denominator;
}

TPlotFunction* TStochasticFunction::Clone(QObject* Owner) const
{
    auto* f = new TStochasticFunction(Owner);
    f->InternalAssign(*this);
    return f;
}
