#include "chart/chart_stream.h"

#include <QPointer>

#include <algorithm>
#include <exception>
#include <memory>
#include <vector>

#include "chart/axis_container.h"
#include "chart/chart.h"
#include "chart/chart_series.h"
#include "chart/chart_tool.h"
#include "chart/plot_function.h"
#include "chart/series_types.h"

namespace {

constexpr const char* ChartClassName = "TChart";

void WriteChild(TPropertyWriter& Writer, const TCustomChartElement& Child)
{
    Writer.WritePropName(Child.metaObject()->className());
    Writer.WritePropName(Child.Name());
    Child.PropertyTable().Write(Child, Writer);
    Writer.WriteListEnd();
    // a series' function is its child
    const auto* series = qobject_cast<const TChartSeries*>(&Child);
    if (const TPlotFunction* function = series ? series->FunctionType() : nullptr) {
        Writer.WritePropName(function->metaObject()->className());
        Writer.WritePropName(function->Name());
        function->PropertyTable().Write(*function, Writer);
        Writer.WriteListEnd();
        Writer.WriteListEnd();
    }
    Writer.WriteListEnd();
}

void ReadFunction(TPropertyReader& Reader, TChartSeries& Series, QObject* Owner)
{
    const std::string functionClass = Reader.ReadPropName();
    const std::string name = Reader.ReadPropName();
    TComponent* made = CreateChartComponent(functionClass, Owner);
    auto* function = qobject_cast<TPlotFunction*>(made);
    if (!function) {
        delete made;
        throw EClassNotFound("Class " + functionClass + " not found");
    }
    function->SetName(name);
    // the series owns it from here, also when reading fails
    Series.SetFunction(function);
    function->BeginUpdate();
    struct EndUpdate {
        TPlotFunction& F;
        ~EndUpdate() { F.EndUpdate(); }
    } end{*function};
    function->PropertyTable().ReadList(*function, Reader, functionClass);
    Reader.ReadListEnd();
    Reader.ReadListEnd();
}

// The custom axes of a series, by their place in the chart's list.
struct TSeriesAxes {
    TChartSeries* Series;
    THorizAxis Horiz;
    TVertAxis Vert;
    int CustomHoriz;
    int CustomVert;
};

int CustomAxisIndex(const TCustomChart& Chart, const TChartAxis* Axis)
{
    for (int i = 0; Axis && i < Chart.CustomAxes().Count(); ++i)
        if (Chart.CustomAxes()[i] == Axis)
            return i;
    return -1;
}

std::vector<TSeriesAxes> SeriesAxes(const TCustomChart& Chart)
{
    std::vector<TSeriesAxes> axes;
    for (int i = 0; i < Chart.SeriesCount(); ++i) {
        TChartSeries* s = Chart.Series(i);
        axes.push_back({s, s->HorizAxis(), s->VertAxis(), CustomAxisIndex(Chart, s->CustomHorizAxis()),
                        CustomAxisIndex(Chart, s->CustomVertAxis())});
    }
    return axes;
}

// The chart's own properties as Stored wrote them, over a fresh chart's, and
// its series on the custom axes they had.
void RestoreChart(TCustomChart& Chart, const std::vector<std::uint8_t>& Stored, const std::vector<TSeriesAxes>& Axes)
{
    const TChart fresh;
    Chart.Assign(fresh);
    TPropertyReader r(Stored);
    Chart.ReadProperties(r);
    const auto axis = [&Chart](int Index) {
        return Index >= 0 && Index < Chart.CustomAxes().Count() ? Chart.CustomAxes()[Index] : nullptr;
    };
    for (const TSeriesAxes& a : Axes) {
        if (a.CustomHoriz >= 0)
            a.Series->SetCustomHorizAxis(axis(a.CustomHoriz));
        if (a.CustomVert >= 0)
            a.Series->SetCustomVertAxis(axis(a.CustomVert));
        a.Series->SetHorizAxis(a.Horiz);
        a.Series->SetVertAxis(a.Vert);
    }
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
        if (!Chart.Series(i)->OwnedByFunction())
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
    // what a failed read puts back
    const QString formerName = Chart.objectName();
    TPropertyWriter former;
    Chart.WriteProperties(former);
    former.WriteListEnd();
    const std::vector<TSeriesAxes> formerAxes = SeriesAxes(Chart);
    // the owner's components before the read: a series read may adopt one
    std::vector<QPointer<QObject>> ownerChildren;
    if (Owner)
        for (QObject* o : Owner->children())
            ownerChildren.emplace_back(o);
    Chart.setObjectName(QString::fromStdString(r.ReadPropName()));
    // the chart loads until its series are read: pages and groups need them
    Chart.BeginLoading();
    std::vector<TComponent*> loaded;
    std::exception_ptr failure;
    try {
        Chart.ReadProperties(r);
        r.ReadListEnd();
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
            auto* series = qobject_cast<TChartSeries*>(element);
            while (series && !r.EndOfList())
                ReadFunction(r, *series, Owner);
            r.ReadListEnd();
        }
        r.ReadListEnd();
    } catch (...) {
        failure = std::current_exception();
    }
    // every child leaves loading, also when one of them fails to
    for (TComponent* c : loaded) {
        if (failure)
            break;
        try {
            c->EndLoading();
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    }
    if (failure) {
        // a broken stream leaves no half-read children and the chart as it
        // was; what a child adopted from the owner goes back to the owner
        for (const QPointer<QObject>& o : ownerChildren)
            if (o && std::find(loaded.begin(), loaded.end(), o->parent()) != loaded.end())
                o->setParent(Owner);
        for (TComponent* c : loaded)
            delete c;
        RestoreChart(Chart, former.Data(), formerAxes);
        Chart.setObjectName(formerName);
    }
    Chart.EndLoading();
    if (failure)
        std::rethrow_exception(failure);
}
