#include "chart/chart_stream.h"

#include <memory>

#include "chart/chart.h"
#include "chart/chart_series.h"
#include "chart/chart_tool.h"
#include "chart/series_types.h"

namespace {

constexpr const char* ChartClassName = "TChart";

void WriteChild(TPropertyWriter& Writer, const TCustomChartElement& Child)
{
    Writer.WritePropName(Child.metaObject()->className());
    Writer.WritePropName(Child.Name());
    Child.PropertyTable().Write(Child, Writer);
    Writer.WriteListEnd();
    Writer.WriteListEnd();  // no children of its own
}

}  // namespace

std::vector<std::uint8_t> WriteChart(const TCustomChart& Chart)
{
    TPropertyWriter w;
    w.WritePropName(ChartClassName);
    w.WritePropName(Chart.objectName().toStdString());
    Chart.WriteProperties(w);
    w.WriteListEnd();
    for (int i = 0; i < Chart.SeriesCount(); ++i)
        WriteChild(w, *Chart.Series(i));
    for (const TPlotCustomTool* tool : Chart.Tools().Items())
        WriteChild(w, *tool);
    w.WriteListEnd();
    return w.Data();
}

void ReadChart(TCustomChart& Chart, QObject* Owner, std::span<const std::uint8_t> Data)
{
    TPropertyReader r(Data);
    const std::string className = r.ReadPropName();
    if (className != ChartClassName)
        throw EReadError("Invalid stream format");
    Chart.setObjectName(QString::fromStdString(r.ReadPropName()));
    Chart.ReadProperties(r);
    r.ReadListEnd();
    Chart.BeginLoading();
    std::vector<TComponent*> loaded;
    try {
        while (!r.EndOfList()) {
            const std::string childClass = r.ReadPropName();
            const std::string name = r.ReadPropName();
            TComponent* made = CreateChartComponent(childClass, Owner);
            if (!made)
                throw EClassNotFound("Class " + childClass + " not found");
            auto* element = qobject_cast<TCustomChartElement*>(made);
            if (!element) {
                delete made;
                throw EClassNotFound("Class " + childClass + " not found");
            }
            element->SetName(name);
            element->BeginLoading();
            loaded.push_back(element);
            if (auto* series = qobject_cast<TChartSeries*>(element))
                Chart.AddSeries(series);
            else
                element->SetParentChart(&Chart);
            element->PropertyTable().ReadList(*element, r, childClass);
            r.ReadListEnd();
            r.ReadListEnd();
        }
        r.ReadListEnd();
    } catch (...) {
        // a broken stream leaves no half-read children behind
        for (TComponent* c : loaded)
            delete c;
        Chart.EndLoading();
        throw;
    }
    for (TComponent* c : loaded)
        c->EndLoading();
    Chart.EndLoading();
}
