// Types arbitrary text into a cell of the chart data grid (labels, numbers
// and date-times): the first byte chooses the column, the second the row.
// A value the grid took shows an edit text that, typed again, gives the same
// value back.
#include "chart_fuzz_application.h"

#include "chart/chart.h"
#include "chart/chart_series.h"
#include "chart/chart_value_list.h"
#include "chart/controls/chart_grid.h"

#include <QApplication>
#include <QObject>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

class TTypingGrid : public TChartGrid {
public:
    using TChartGrid::TChartGrid;
    using TChartGrid::GetEditText;
    using TChartGrid::SetEditText;
};

// Bitwise the same value (both null, or the same double).
bool SameCell(const TChartSeries& S, int List, int Index, bool WasNull, double Was)
{
    if (S.IsNull(Index) || WasNull)
        return S.IsNull(Index) == WasNull;
    const double now = S.ValuesList(List).Value(Index);
    return std::memcmp(&now, &Was, sizeof now) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    StartChartFuzzApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    // a text that is no number brings up an error box
    AnsweredDialogs answered;
    QObject form;
    TChart chart;
    auto* plain = new TChartSeries(&form);
    auto* dated = new TChartSeries(&form);
    dated->XValues().SetDateTime(true);
    for (int i = 0; i < 5; ++i) {
        plain->AddXY(i * 0.5, i * 1.25, "p" + std::to_string(i));
        dated->AddXY(45000.5 + i, -i * 3.0);
    }
    chart.AddSeries(plain);
    chart.AddSeries(dated);
    TTypingGrid grid;
    grid.SetShowXValues(cgsYes);
    grid.SetChart(&chart);
    const int col = 1 + data[0] % std::max(1, grid.ColCount() - 1);
    const int row = TCustomChartGrid::FirstDataRow + data[1] % 16;
    const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
    grid.SetEditText(col, row, text);
    const std::string shown = grid.GetEditText(col, row);
    for (int c = 0; c < grid.ColCount(); ++c)
        grid.CellText(c, row);
    TChartSeries* s = nullptr;
    int list = -1;
    const int index = row - TCustomChartGrid::FirstDataRow;
    if (grid.ColumnSeries(col, s, list) && index < s->Count() && !s->ValuesList(list).DateTime()) {
        const bool wasNull = s->IsNull(index);
        const double was = s->ValuesList(list).Value(index);
        grid.SetEditText(col, row, shown);
        if (!SameCell(*s, list, index, wasNull, was))
            std::abort();
    }
    return 0;
}
