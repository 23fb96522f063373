#include "chart/ordered_positions.h"

#include "chart/chart_series.h"

TOrderedPositions::TOrderedPositions(const TChartSeries& Series, int First, int Last)
    : m_series(Series), m_first(First), m_last(Last), m_falling(Pos(First) > Pos(Last))
{
}

int TOrderedPositions::Pos(int Index) const
{
    return m_series.YMandatory() ? m_series.CalcXPos(Index) : m_series.CalcYPos(Index);
}

int TOrderedPositions::LowerBound(long long Key) const
{
    int lo = m_first, hi = m_last + 1;
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (this->Key(Pos(mid)) < Key)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}
