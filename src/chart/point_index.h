#pragma once
// Bounds of a series' X and Y values over runs of consecutive points, in
// levels of 16, 256, 4096, ... points, so that a search can pass over the
// runs far from a place. Brought up to date before each use: appended points
// update only the last runs, any other change builds it again.
#include <cstdint>
#include <vector>

class TChartValueList;

class TPointIndex {
public:
    // Values of a run; NaN values take no part in the bounds but set NaN.
    struct TBox {
        double MinX;
        double MaxX;
        double MinY;
        double MaxY;
        bool NaN;
    };

    static constexpr int Shift = 4;  // runs of level k hold 16^(k+1) points

    // Follows the values of X and Y (the first Count of both).
    void Update(const TChartValueList& X, const TChartValueList& Y);
    int Count() const { return m_count; }
    int Levels() const { return static_cast<int>(m_levels.size()); }
    // Run J of level Level: points J << Shift * (Level + 1) on.
    const TBox& Box(int Level, int J) const { return m_levels[static_cast<std::size_t>(Level)][static_cast<std::size_t>(J)]; }
    int Runs(int Level) const { return static_cast<int>(m_levels[static_cast<std::size_t>(Level)].size()); }
    static int RunShift(int Level) { return Shift * (Level + 1); }

    // The pixels a run's points lie in, by monotone position functions of a
    // value (All: anywhere, a value being NaN).
    struct TPixels {
        int Left;
        int Top;
        int Right;
        int Bottom;
        bool All;
    };
    template <class ToX, class ToY>
    static TPixels PixelsOf(const TBox& B, ToX&& XPos, ToY&& YPos)
    {
        if (B.NaN || B.MinX > B.MaxX)
            return {0, 0, -1, -1, B.NaN};
        const int x0 = XPos(B.MinX), x1 = XPos(B.MaxX);
        const int y0 = YPos(B.MinY), y1 = YPos(B.MaxY);
        return {x0 < x1 ? x0 : x1, y0 < y1 ? y0 : y1, x0 < x1 ? x1 : x0, y0 < y1 ? y1 : y0, false};
    }

    // The runs of points First..Last (within Count) in index order whose
    // pixels, joined with the point before the run (from First on), come
    // within Reach of (X, Y): Test(A, B) for each, until one answers true.
    // XPos and YPos map a value, PointAt(I, x, y) gives a point's pixels.
    template <class ToX, class ToY, class PointAt, class Test>
    bool ForRunsNear(int First, int Last, int X, int Y, int Reach, ToX&& XPos, ToY&& YPos, PointAt&& Point,
                     Test&& TestRun) const
    {
        Last = Last < m_count - 1 ? Last : m_count - 1;
        const auto visit = [&](const auto& Self, int Level, int J) -> bool {
            const int shift = RunShift(Level);
            const int a = First > (J << shift) ? First : J << shift;
            const int end = ((J + 1) << shift) - 1;
            const int b = Last < end ? Last : end;
            if (a > b)
                return false;
            TPixels p = PixelsOf(Box(Level, J), XPos, YPos);
            if (!p.All) {
                if (a > First) {
                    int x = 0, y = 0;
                    Point(a - 1, x, y);
                    p.Left = p.Left < x ? p.Left : x;
                    p.Right = p.Right > x ? p.Right : x;
                    p.Top = p.Top < y ? p.Top : y;
                    p.Bottom = p.Bottom > y ? p.Bottom : y;
                }
                if (X < p.Left - Reach || X > p.Right + Reach || Y < p.Top - Reach || Y > p.Bottom + Reach)
                    return false;
            }
            if (Level == 0)
                return TestRun(a, b);
            const int below = Runs(Level - 1);
            const int stop = below < (J + 1) << Shift ? below : (J + 1) << Shift;
            for (int k = J << Shift; k < stop; ++k)
                if (Self(Self, Level - 1, k))
                    return true;
            return false;
        };
        if (m_levels.empty())
            return false;
        const int top = Levels() - 1;
        for (int j = 0; j < Runs(top); ++j)
            if (visit(visit, top, j))
                return true;
        return false;
    }

private:
    void Rebuild(const double* X, const double* Y, int From);

    const TChartValueList* m_x = nullptr;
    const TChartValueList* m_y = nullptr;
    std::uint64_t m_xRewrites = 0;
    std::uint64_t m_yRewrites = 0;
    int m_count = 0;
    std::vector<std::vector<TBox>> m_levels;
};
