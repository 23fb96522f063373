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

private:
    void Rebuild(const double* X, const double* Y, int From);

    const TChartValueList* m_x = nullptr;
    const TChartValueList* m_y = nullptr;
    std::uint64_t m_xRewrites = 0;
    std::uint64_t m_yRewrites = 0;
    int m_count = 0;
    std::vector<std::vector<TBox>> m_levels;
};
