#pragma once
// Binary search over the screen positions of a run of points along the
// series' not-mandatory axis, for series whose positions there never turn
// back as the index grows (TChartSeries::PositionsInOrder).

class TChartSeries;

class TOrderedPositions {
public:
    // Points First..Last (First <= Last) of Series.
    TOrderedPositions(const TChartSeries& Series, int First, int Last);

    // Screen position of point Index along the not-mandatory axis.
    int Pos(int Index) const;
    // A screen position turned so that the keys of First..Last never fall.
    long long Key(long long Pos) const { return m_falling ? -Pos : Pos; }
    // The first index whose key is at least Key (Last + 1 when none).
    int LowerBound(long long Key) const;

private:
    const TChartSeries& m_series;
    int m_first;
    int m_last;
    bool m_falling;
};
