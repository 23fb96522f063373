// Reads arbitrary bytes as a series' "Data", a marks' "Items" or a picture's
// "FilterItems" (the first byte chooses). Only the stream's read errors are
// expected; a reader must leave its object whole either way.
#include "chart/chart_engine.h"
#include "chart/chart_series.h"
#include "chart/plot_picture.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

void ReadSeriesData(std::span<const std::uint8_t> data, bool horizontal, bool extra)
{
    TChartSeries s;
    if (horizontal)
        s.SetHorizontal();
    if (extra)
        s.CreateValueList("Z");
    try {
        s.ReadData(data);
    } catch (const EReadError&) {
        if (s.Count() != 0 || s.Updating())
            std::abort();
        return;
    }
    // what was read writes and reads back to the same points
    TChartSeries again;
    if (horizontal)
        again.SetHorizontal();
    if (extra)
        again.CreateValueList("Z");
    again.ReadData(s.WriteData());
    if (again.Count() != s.Count())
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartChartEngine();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::span<const std::uint8_t> body(data + 1, size - 1);
    switch (data[0] % 6) {
    case 0:
    case 1:
    case 2:
    case 3:
        ReadSeriesData(body, data[0] & 1, data[0] & 2);
        break;
    case 4: {
        TSeriesMarks marks(nullptr);
        try {
            marks.ReadItems(body);
            marks.ReadItems(marks.WriteItems());
        } catch (const EFilerError&) {
        }
        break;
    }
    case 5: {
        TPlotPicture picture;
        try {
            picture.ReadFilterItems(body);
            picture.ReadFilterItems(picture.WriteFilterItems());
        } catch (const EFilerError&) {
        }
        break;
    }
    }
    return 0;
}
