#include "chart/point_index.h"

#include <algorithm>
#include <limits>

#include "chart/chart_value_list.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TPointIndex::TBox Empty() { return {kInf, -kInf, kInf, -kInf, false}; }

void Join(TPointIndex::TBox& B, const TPointIndex::TBox& C)
{
    B.MinX = std::min(B.MinX, C.MinX);
    B.MaxX = std::max(B.MaxX, C.MaxX);
    B.MinY = std::min(B.MinY, C.MinY);
    B.MaxY = std::max(B.MaxY, C.MaxY);
    B.NaN = B.NaN || C.NaN;
}

}  // namespace

void TPointIndex::Update(const TChartValueList& X, const TChartValueList& Y)
{
    const int count = std::min(X.Count(), Y.Count());
    const bool same = m_x == &X && m_y == &Y && m_xRewrites == X.RewriteCount() && m_yRewrites == Y.RewriteCount();
    if (same && count == m_count)
        return;
    // values below a count seen stay as they were while no list rewrote any
    const int from = same && count > m_count ? m_count : 0;
    m_x = &X;
    m_y = &Y;
    m_xRewrites = X.RewriteCount();
    m_yRewrites = Y.RewriteCount();
    m_count = count;
    Rebuild(X.Data(), Y.Data(), from);
}

void TPointIndex::Rebuild(const double* X, const double* Y, int From)
{
    // level 0 from the values, each level above from the one below, the
    // runs from the one holding point From on
    int levels = 0;
    for (int n = m_count; n > 0 && (levels == 0 || n > 1); n >>= Shift)
        ++levels;
    const int before = Levels();
    m_levels.resize(static_cast<std::size_t>(levels));
    for (int level = 0; level < levels; ++level) {
        const int shift = RunShift(level);
        const int runs = ((m_count - 1) >> shift) + 1;
        std::vector<TBox>& boxes = m_levels[static_cast<std::size_t>(level)];
        const int first = level < before ? From >> shift : 0;
        boxes.resize(static_cast<std::size_t>(runs));
        for (int j = first; j < runs; ++j) {
            TBox b = Empty();
            if (level == 0) {
                const int end = std::min(m_count, (j + 1) << Shift);
                for (int i = j << Shift; i < end; ++i) {
                    const double x = X[i], y = Y[i];
                    if (x != x || y != y) {
                        b.NaN = true;
                        if (x != x && y != y)
                            continue;
                    }
                    if (x == x) {
                        b.MinX = std::min(b.MinX, x);
                        b.MaxX = std::max(b.MaxX, x);
                    }
                    if (y == y) {
                        b.MinY = std::min(b.MinY, y);
                        b.MaxY = std::max(b.MaxY, y);
                    }
                }
            } else {
                const std::vector<TBox>& below = m_levels[static_cast<std::size_t>(level - 1)];
                const int end = std::min(static_cast<int>(below.size()), (j + 1) << Shift);
                for (int k = j << Shift; k < end; ++k)
                    Join(b, below[static_cast<std::size_t>(k)]);
            }
            boxes[static_cast<std::size_t>(j)] = b;
        }
    }
}
