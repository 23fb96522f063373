#include "core/categorical_statistics.h"

#include "core/numeric_vector.h"
#include "core/statistics_grid.h"
#include "core/variable_records.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

} // namespace

TProportionEstimate ProportionCI(int x, int n, double z)
{
    TProportionEstimate e;
    e.count = x;
    e.total = n;
    e.p = n > 0 ? static_cast<double>(x) / n : kNaN;
    if (x > 5 && n - x > 5) {
        e.precision = z * std::sqrt((1 - e.p) * e.p / n) + 1.0 / (2.0 * n);
        e.lower = e.p - e.precision;
        e.upper = e.p + e.precision;
    } else {
        e.precision = e.lower = e.upper = kNaN;
    }
    return e;
}

TFrequencies FrequencyTable(const TIntVector& data)
{
    std::map<int, int> counts;
    for (int i = 1; i <= data.NrOfElem(); ++i)
        ++counts[data.GetElem(i)];
    TFrequencies f;
    for (const auto& [code, count] : counts) {
        f.values.push_back(code);
        f.counts.push_back(count);
    }
    return f;
}

std::vector<TCategorySlot> CategorySlots(const TIntVector& data, const tCatVar& def)
{
    const TFrequencies f = FrequencyTable(data);
    const int levels = static_cast<int>(def.Levels.size());
    int lo = std::numeric_limits<int>::max();
    int hi = std::numeric_limits<int>::min();
    for (int code : f.values) {
        if (code >= 1 && code <= levels) {
            lo = std::min(lo, code);
            hi = std::max(hi, code);
        }
    }
    std::map<int, int> byCode;
    for (std::size_t i = 0; i < f.values.size(); ++i)
        byCode[f.values[i]] = f.counts[i];
    for (int code = lo; code <= hi; ++code)
        byCode.try_emplace(code, 0);
    std::vector<TCategorySlot> slots;
    for (const auto& [code, count] : byCode)
        slots.push_back({code, count, code >= 1 && code <= levels});
    return slots;
}

std::string CategoryLabel(const tCatVar& def, int code)
{
    const tLevels* level = def.Level(code);
    return level ? level->Label : StatInt(code);
}

int CategoryNumber(const tCatVar& def, int code)
{
    const tLevels* level = def.Level(code);
    return level ? level->Id : code;
}

void WriteCategoricalGrid(TStatGrid& grid, const tCatVar& def, const std::vector<TCategorySlot>& slots, int n)
{
    const int c0 = kStatFirstCol;
    const int c1 = c0 + 1;
    const int c2 = c0 + 2;
    const auto str = [](double v) { return StatNumber(v); };
    grid.Clear();
    grid.SetColWidth(c0, 90);
    grid.SetColWidth(c1, 80);
    grid.SetColWidth(c2, 80);

    int row = kStatFirstRow + 1;
    grid.SetCell(c0, row, StatUpper(def.Name));
    for (const TCategorySlot& slot : slots) {
        const int x = slot.count;
        const TProportionEstimate e = ProportionCI(x, n, 1.96);
        ++row;  // the categories follow one another
        grid.SetCell(c0, row, "# Category:");
        grid.SetCell(c1, row, StatInt(CategoryNumber(def, slot.code)));
        grid.SetCell(c2, row, StatUpper(CategoryLabel(def, slot.code)));
        ++row;
        grid.SetCell(c0, row, "Count");
        grid.SetCell(c1, row, "x=" + StatInt(x));
        grid.SetCell(c2, row, "n=" + StatInt(n));
        ++row;
        grid.SetCell(c0, row, "Proportions:");
        grid.SetCell(c1, row, "p=" + str(e.p));
        grid.SetCell(c2, row, "q=" + str(1 - e.p));
        if (x < 5 && n - x < 5)
            continue;
        ++row;
        grid.SetCell(c0, row, "95%-CI(p):");
        grid.SetCell(c1, row, "(" + str(e.lower) + ";");
        grid.SetCell(c2, row, str(e.upper) + ")");
        ++row;
        grid.SetCell(c0, row, "Precision:");
        grid.SetCell(c1, row, str(e.precision));
    }
    grid.SetSize(5, row + 1);
}
