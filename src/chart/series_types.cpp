#include "chart/series_types.h"

#include <algorithm>
#include <map>

#include "base/name_matching.h"
#include "chart/axis_panel.h"
#include "chart/chart.h"
#include "chart/chart_element.h"
#include "chart/chart_component.h"
#include "chart/chart_series.h"
#include "chart/chart_tool.h"
#include "chart/plot_function.h"

namespace {

std::map<std::string, TComponentFactory>& ChartClasses()
{
    static std::map<std::string, TComponentFactory> classes;
    return classes;
}

std::unique_ptr<TPlotSeriesTypes>& SeriesTypesHolder()
{
    static std::unique_ptr<TPlotSeriesTypes> types;
    return types;
}

std::unique_ptr<TPlotToolTypes>& ToolTypesHolder()
{
    static std::unique_ptr<TPlotToolTypes> types;
    return types;
}

template <typename Base>
void RegisterClassOf(const TComponentClass<Base>& Class)
{
    if (Class)
        RegisterChartClass(Class.ClassName(), [create = Class.Create](QObject* Owner) -> TComponent* { return create(Owner); });
}

}  // namespace

// ---- classes that streams may name ----

void RegisterChartClass(const char* ClassName, TComponentFactory Create)
{
    ChartClasses().emplace(LowerAscii(ClassName), Create);
}

void UnregisterChartClass(const char* ClassName)
{
    ChartClasses().erase(LowerAscii(ClassName));
}

TComponent* CreateChartComponent(const std::string& ClassName, QObject* Owner)
{
    const auto it = ChartClasses().find(LowerAscii(ClassName));
    return it == ChartClasses().end() ? nullptr : it->second(Owner);
}

bool IsChartClassRegistered(const std::string& ClassName)
{
    return ChartClasses().count(LowerAscii(ClassName)) > 0;
}

std::vector<std::string> RegisteredChartClasses()
{
    std::vector<std::string> names;
    for (const auto& entry : ChartClasses())
        names.push_back(entry.first);
    return names;
}

// ---- registries ----

void TPlotSeriesTypes::RemoveClass(bool IsSeries, const QMetaObject* Class)
{
    std::erase_if(m_items, [&](const std::unique_ptr<TPlotSeriesType>& t) {
        return (IsSeries ? t->SeriesClass.Meta : t->FunctionClass.Meta) == Class;
    });
}

int TPlotToolTypes::IndexOf(const TToolClass& Class) const
{
    const auto it = std::find(m_items.begin(), m_items.end(), Class);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

TPlotSeriesTypes& PlotSeriesTypes()
{
    auto& holder = SeriesTypesHolder();
    if (!holder)
        holder = std::make_unique<TPlotSeriesTypes>();
    return *holder;
}

TPlotToolTypes& PlotToolTypes()
{
    auto& holder = ToolTypesHolder();
    if (!holder)
        holder = std::make_unique<TPlotToolTypes>();
    return *holder;
}

void StartChartTypeRegistries()
{
    PlotSeriesTypes();
    PlotToolTypes();
}

void StopChartTypeRegistries()
{
    ToolTypesHolder().reset();
    SeriesTypesHolder().reset();
}

void RegisterSeriesType(const TSeriesClass& SeriesClass, const TFunctionClass& FunctionClass,
                        const std::string* Description, const std::string* GalleryPage, int NumGallerySeries,
                        int SubIndex)
{
    RegisterClassOf(SeriesClass);
    RegisterClassOf(FunctionClass);
    TPlotSeriesTypes& types = PlotSeriesTypes();
    if (SubIndex == 0)
        for (int i = 0; i < types.Count(); ++i)
            if (types[i].SeriesClass == SeriesClass && types[i].FunctionClass == FunctionClass)
                return;
    auto entry = std::make_unique<TPlotSeriesType>();
    entry->SeriesClass = SeriesClass;
    entry->FunctionClass = FunctionClass;
    entry->Description = Description;
    entry->GalleryPage = GalleryPage;
    entry->NumGallerySeries = NumGallerySeries;
    entry->SubIndex = SubIndex;
    types.Add(std::move(entry));
}

void RegisterSeriesClass(const TSeriesClass& SeriesClass, const std::string* Description,
                         const std::string* GalleryPage, int NumGallerySeries)
{
    RegisterSeriesType(SeriesClass, {}, Description, GalleryPage, NumGallerySeries, 0);
}

void RegisterFunctionClass(const TFunctionClass& FunctionClass, const std::string* Description,
                           const std::string* GalleryPage, int NumGallerySeries)
{
    RegisterSeriesType({}, FunctionClass, Description, GalleryPage, NumGallerySeries, 0);
}

void UnregisterSeriesClasses(const std::vector<TSeriesClass>& Classes)
{
    for (const TSeriesClass& c : Classes)
        PlotSeriesTypes().RemoveClass(true, c.Meta);
}

void UnregisterFunctionClasses(const std::vector<TFunctionClass>& Classes)
{
    for (const TFunctionClass& c : Classes)
        PlotSeriesTypes().RemoveClass(false, c.Meta);
}

void RegisterToolTypes(const std::vector<TToolClass>& Classes)
{
    TPlotToolTypes& types = PlotToolTypes();
    for (const TToolClass& c : Classes)
        if (c && types.IndexOf(c) < 0) {
            RegisterClassOf(c);
            types.Add(c);
        }
}

void UnregisterToolTypes(const std::vector<TToolClass>& Classes)
{
    TPlotToolTypes& types = PlotToolTypes();
    for (const TToolClass& c : Classes)
        if (const int i = types.IndexOf(c); i >= 0)
            types.RemoveAt(i);
}

// ---- creation and naming ----

std::string GetNewComponentName(const QObject* Owner, const std::string& Prefix)
{
    int n = 1;
    if (Owner)
        while (FindComponent(Owner, Prefix + std::to_string(n)))
            ++n;
    return Prefix + std::to_string(n);
}

TChartSeries* CreateNewSeries(QObject* Owner, TCustomAxisPanel* Chart, const TSeriesClass& SeriesClass,
                              const TFunctionClass& FunctionClass)
{
    if (!SeriesClass)
        return nullptr;
    TChartSeries* series = SeriesClass.Create(Owner);
    series->SetName(GetNewSeriesName(Owner));
    if (Chart)
        Chart->AddSeries(series);
    if (FunctionClass)
        CreateNewFunction(*series, FunctionClass);
    return series;
}

TPlotFunction* CreateNewFunction(TChartSeries& Series, const TFunctionClass& FunctionClass)
{
    if (!FunctionClass)
        return nullptr;
    QObject* owner = Series.Owner();
    TPlotFunction* function = FunctionClass.Create(owner);
    function->SetName(GetNewComponentName(owner, "PlotFunction"));
    Series.SetFunction(function);
    return function;
}

void ChangeSeriesType(TChartSeries*& Series, const TSeriesClass& NewClass)
{
    TChartSeries* old = Series;
    if (!old || !NewClass || old->metaObject() == NewClass.Meta)
        return;
    // a line a function keeps is the function's: it stays what it was made
    if (old->OwnedByFunction())
        return;
    auto* chart = dynamic_cast<TCustomAxisPanel*>(old->ParentChart());
    TChartSeries* series = NewClass.Create(old->Owner());
    if (chart)
        chart->AddSeries(series);
    series->Assign(*old);
    series->AfterDrawValues = old->AfterDrawValues;
    series->BeforeDrawValues = old->BeforeDrawValues;
    series->OnAfterAdd = old->OnAfterAdd;
    series->OnBeforeAdd = old->OnBeforeAdd;
    series->OnClearValues = old->OnClearValues;
    series->OnClick = old->OnClick;
    series->OnDblClick = old->OnDblClick;
    series->OnGetMarkText = old->OnGetMarkText;
    const std::string name = old->Name();

    const std::vector<TChartSeries*> dependants = old->LinkedSeries();
    for (TChartSeries* d : dependants) {
        // a dependant that cannot take the new type lets the old one go as
        // any removed source goes
        if (!d->IsValidSourceOf(series)) {
            d->RemoveDataSource(old);
            continue;
        }
        // the new series takes the old one's place, the other sources stay
        // (removing a first source would drop them): the list is made again
        std::vector<QObject*> sources;
        for (int i = 0; i < d->DataSourceCount(); ++i) {
            QObject* source = d->DataSourceAt(i);
            if (source == old)
                source = series;
            if (std::find(sources.begin(), sources.end(), source) == sources.end())
                sources.push_back(source);
        }
        d->ClearDataSources();
        for (QObject* source : sources)
            d->AddDataSource(source);
    }
    if (chart) {
        for (TPlotCustomTool* tool : chart->Tools().Items())
            if (auto* seriesTool = qobject_cast<TPlotCustomToolSeries*>(tool); seriesTool && seriesTool->Series() == old)
                seriesTool->SetSeries(series);
        chart->ExchangeSeries(old, series);
        chart->SeriesGroups().ReplaceSeries(old, series);
    }
    delete old;
    series->SetName(name);
    if (chart)
        chart->BroadcastSeriesNotice(TSeriesNotice::TitleChanged, series);
    series->CheckDataSource();
    if (series->StreamedData())
        series->RefreshSeries();
    Series = series;
}

void PaintSeriesLegend(TChartSeries& Series, platform::DrawingDevice& Device, const TRect& R, TCustomChart* Chart)
{
    std::unique_ptr<TChart> temporary;
    TCustomChart* chart = dynamic_cast<TCustomChart*>(Series.ParentChart());
    const bool borrowed = chart == nullptr;
    if (borrowed) {
        if (!Chart) {
            temporary = std::make_unique<TChart>();
            Chart = temporary.get();
        }
        chart = Chart;
        chart->AddSeries(&Series);
    }
    TCanvas3D& canvas = *chart->Canvas();
    platform::DrawingDevice* previous = canvas.CurrentCanvas();
    canvas.Brush()->SetStyle(bsClear);
    canvas.Brush()->SetColor(chart->LegendColor);
    chart->SetLegendSymbolPen(chart->Legend()->Symbol()->DefaultPen() ? nullptr : chart->Legend()->Symbol()->Pen());
    if (!canvas.IsNonGdiCanvas()) {
        canvas.AttachCanvas(&Device);
        try {
            Series.DrawLegend(-1, R);
        } catch (...) {
            canvas.AttachCanvas(previous);
            if (borrowed)
                chart->RemoveSeries(&Series);
            throw;
        }
        canvas.AttachCanvas(previous);
    }
    if (borrowed)
        chart->RemoveSeries(&Series);
}
