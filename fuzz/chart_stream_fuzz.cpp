// Reads arbitrary bytes as a whole chart (the chart's properties, its series
// and tools), draws what was read, then writes it and reads that back. Only
// the stream's read errors and the chart's refusals of a value are expected.
// With VEXA_FUZZ_SEEDS set to a folder, a few written charts go there first.
#include "chart_fuzz_application.h"

#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "chart/chart_engine.h"
#include "chart/chart_exceptions.h"
#include "chart/chart_series.h"
#include "chart/chart_stream.h"
#include "chart/property_stream.h"
#include "chart/series/area_series.h"
#include "chart/series/bar_series.h"
#include "chart/series/fast_line_series.h"
#include "chart/series/line_series.h"
#include "chart/series/point_series.h"
#include "chart/series_types.h"
#include "chart/tools/color_line_tool.h"
#include "chart/tools/cursor_tool.h"
#include "platform/qt_drawing_device.h"

#include <QApplication>
#include <QObject>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <span>
#include <string>
#include <vector>

namespace {

const std::string Description = "Series";
const std::string Page = "Standard";

void RegisterStandardSeries()
{
    for (const TSeriesClass& c : {SeriesClassOf<TLineSeries>(), SeriesClassOf<THorizLineSeries>(),
                                  SeriesClassOf<TBarSeries>(), SeriesClassOf<TAreaSeries>(),
                                  SeriesClassOf<TPointSeries>(), SeriesClassOf<TFastLineSeries>(),
                                  SeriesClassOf<TChartSeries>()})
        RegisterSeriesClass(c, &Description, &Page);
}

void WriteSeed(const std::string& Folder, const std::string& Name, const TCustomChart& Chart)
{
    const std::vector<std::uint8_t> bytes = WriteChart(Chart);
    std::ofstream(Folder + "/" + Name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void WriteSeeds(const std::string& Folder)
{
    QObject form;
    TChart chart;
    chart.setObjectName("Chart1");
    chart.Title()->SetCaption("Seed");
    chart.LeftAxis()->SetAutomatic(false);
    chart.LeftAxis()->SetMinMax(-2, 8);
    auto* line = new TLineSeries(&form);
    line->SetName("Series1");
    for (int i = 0; i < 6; ++i)
        line->AddXY(i, i * 1.5, "p" + std::to_string(i));
    chart.AddSeries(line);
    WriteSeed(Folder, "line.chart", chart);
    auto* bars = new TBarSeries(&form);
    bars->SetName("Series2");
    bars->Marks().SetVisible(true);
    for (int i = 0; i < 4; ++i)
        bars->Add(i + 0.25, "b" + std::to_string(i));
    chart.AddSeries(bars);
    WriteSeed(Folder, "line_bars.chart", chart);
    auto* cursor = new TCursorTool(&form);
    cursor->SetName("ChartTool1");
    cursor->SetParentChart(&chart);
    auto* colourLine = new TColorLineTool(&form);
    colourLine->SetName("ChartTool2");
    colourLine->SetAxis(chart.LeftAxis());
    colourLine->SetParentChart(&chart);
    WriteSeed(Folder, "with_tools.chart", chart);
}

// The chart read, or false when the stream was refused.
bool Read(TCustomChart& Chart, QObject& Owner, std::span<const std::uint8_t> Data)
{
    try {
        ReadChart(Chart, &Owner, Data);
        return true;
    } catch (const EFilerError&) {
    } catch (const ChartException&) {
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    StartChartFuzzApplication(argc, argv);
    RegisterStandardSeries();
    if (const char* seeds = std::getenv("VEXA_FUZZ_SEEDS"))
        WriteSeeds(seeds);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QObject owner;
    TChart chart;
    if (!Read(chart, owner, {data, size}))
        return 0;
    platform::QtDrawingDevice device(320, 240);
    chart.Draw(&device, TRect{0, 0, 320, 240});
    // what was read writes a stream that reads again
    QObject otherOwner;
    TChart again;
    if (!Read(again, otherOwner, WriteChart(chart)))
        std::abort();
    return 0;
}
