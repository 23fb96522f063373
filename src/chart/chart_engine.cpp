#include "chart/chart_engine.h"

#include "chart/axis_container.h"
#include "chart/chart_messages.h"
#include "chart/color_palettes.h"
#include "chart/plot_filters.h"
#include "chart/plot_font.h"
#include "chart/plot_html.h"
#include "chart/plot_procs.h"
#include "chart/plot_function.h"
#include "chart/series/area_series.h"
#include "chart/series/bar_series.h"
#include "chart/series/candle_ch.h"
#include "chart/series/fast_line_series.h"
#include "chart/series/line_series.h"
#include "chart/series/ohlc_series.h"
#include "chart/series/point_series.h"
#include "chart/series/stat_char.h"
#include "chart/series_types.h"
#include "chart/tools/tool_registry.h"

#include <iterator>

namespace {

struct TEngineUnit {
    const char* Name;
    void (*Start)();
    void (*Stop)();
    int StartCount = 0;
};

void StartPlotCanvas()
{
    InitDefaultFont();
}

void StopPlotCanvas()
{
    DefaultFontName.clear();
}

// Chart elements and functions that no type unit registers, so that reading
// a chart finds them by name; the type units register their own classes.
std::vector<TComponentClass<TComponent>> PlotEngineClasses()
{
    return {
        ComponentClassOf<TLineSeries, TComponent>(),     ComponentClassOf<THorizLineSeries, TComponent>(),
        ComponentClassOf<TPointSeries, TComponent>(),    ComponentClassOf<TAreaSeries, TComponent>(),
        ComponentClassOf<TBarSeries, TComponent>(),      ComponentClassOf<TFastLineSeries, TComponent>(),
        ComponentClassOf<TOHLCSeries, TComponent>(),     ComponentClassOf<TPlotFunction, TComponent>(),
        ComponentClassOf<TPlotMovingFunction, TComponent>(),
    };
}

void StartPlotEngine()
{
    for (const auto& c : PlotEngineClasses())
        RegisterChartClass(c.ClassName(), c.Create);
    AxisEngineStartUp();
}

void StopPlotEngine()
{
    AxisEngineShutDown();
    for (const auto& c : PlotEngineClasses())
        UnregisterChartClass(c.ClassName());
}

// The type registries and the palette names. The generator is not reseeded
// from the clock: the program's start-up has left it in a fixed state, and
// runs stay reproducible.
void StartChartUnit()
{
    StartChartTypeRegistries();
    StartColorPalettes();
}

void StopChartUnit()
{
    StopColorPalettes();
    StopChartTypeRegistries();
}

// The series-type and tool units start after the core's, once its texts are set.
TEngineUnit g_units[] = {
    {"PlotHtml", ClearHtmlStacks, ClearHtmlStacks},  // the two stacks start and end empty
    {"PlotConst", SetPlotConstTexts, ClearPlotConstTexts},
    {"PlotCanvas", StartPlotCanvas, StopPlotCanvas},
    {"PlotFilters", RegisterPlotFilters, UnregisterPlotFilters},
    {"PlotProcs", PlotProcsStartUp, PlotProcsShutDown},
    {"PlotEngine", StartPlotEngine, StopPlotEngine},
    {"Chart", StartChartUnit, StopChartUnit},
    {"PlotProCo", SetPlotProCoTexts, ClearPlotProCoTexts},
    {"CandleCh", StartCandleCh, StopCandleCh},
    {"StatChar", StartStatChar, StopStatChar},
    {"PlotTools", RegisterPlotTools, UnregisterPlotTools},
};

std::vector<std::string> g_lastShutDown;

}  // namespace

void StartChartEngine()
{
    for (TEngineUnit& unit : g_units)
        if (unit.StartCount++ == 0)
            unit.Start();
}

void StopChartEngine()
{
    g_lastShutDown.clear();
    for (auto it = std::rbegin(g_units); it != std::rend(g_units); ++it) {
        if (it->StartCount == 0)
            continue;
        if (--it->StartCount == 0) {
            it->Stop();
            g_lastShutDown.emplace_back(it->Name);
        }
    }
}

std::vector<std::string> ChartEngineUnits()
{
    std::vector<std::string> names;
    for (const TEngineUnit& unit : g_units)
        if (unit.StartCount > 0)
            names.emplace_back(unit.Name);
    return names;
}

std::vector<std::string> ChartEngineLastShutDown()
{
    return g_lastShutDown;
}
