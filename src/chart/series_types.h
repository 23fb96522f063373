#pragma once
// The registries of series, function and tool types that the type units fill
// at start-up, the class look-up by name that reading a chart uses, and the
// routines that create, name and change series.
#include <QObject>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {
class DrawingDevice;
}
class TChartSeries;
class TComponent;
class TCustomChart;
struct TRect;
class TCustomAxisPanel;
class TCustomChartElement;
class TPlotFunction;

// A class of chart components: its meta object names it, Create makes one
// with an owner. An empty reference (no meta object) stands for nil.
template <typename Base>
struct TComponentClass {
    const QMetaObject* Meta = nullptr;
    Base* (*Create)(QObject* Owner) = nullptr;

    const char* ClassName() const { return Meta ? Meta->className() : ""; }
    explicit operator bool() const { return Meta != nullptr; }
    bool operator==(const TComponentClass& Other) const { return Meta == Other.Meta; }
};

template <typename T, typename Base>
TComponentClass<Base> ComponentClassOf()
{
    return {&T::staticMetaObject, [](QObject* Owner) -> Base* { return new T(Owner); }};
}

using TSeriesClass = TComponentClass<TChartSeries>;
using TFunctionClass = TComponentClass<TPlotFunction>;
using TToolClass = TComponentClass<TCustomChartElement>;

template <typename T>
TSeriesClass SeriesClassOf() { return ComponentClassOf<T, TChartSeries>(); }
template <typename T>
TFunctionClass FunctionClassOf() { return ComponentClassOf<T, TPlotFunction>(); }
template <typename T>
TToolClass ToolClassOf() { return ComponentClassOf<T, TCustomChartElement>(); }

// ---- classes that streams may name ----

using TComponentFactory = std::function<TComponent*(QObject* Owner)>;
// Makes the class known to chart reading (once per name).
void RegisterChartClass(const char* ClassName, TComponentFactory Create);
void UnregisterChartClass(const char* ClassName);
// A new component of the named class, or nullptr when the name is unknown.
TComponent* CreateChartComponent(const std::string& ClassName, QObject* Owner);
bool IsChartClassRegistered(const std::string& ClassName);
// The registered class names (in lower case), in name order.
std::vector<std::string> RegisteredChartClasses();

// ---- series types ----

struct TPlotSeriesType {
    TSeriesClass SeriesClass;
    TFunctionClass FunctionClass;
    // Display name and gallery page, read through so a change of language shows.
    const std::string* Description = nullptr;
    const std::string* GalleryPage = nullptr;
    int NumGallerySeries = 1;
    // 0 for a class's main entry.
    int SubIndex = 0;
};

class TPlotSeriesTypes {
public:
    int Count() const { return static_cast<int>(m_items.size()); }
    const TPlotSeriesType& operator[](int Index) const { return *m_items[static_cast<std::size_t>(Index)]; }
    void Add(std::unique_ptr<TPlotSeriesType> Item) { m_items.push_back(std::move(Item)); }
    // Removes every entry whose series class (IsSeries) or function class is Class.
    void RemoveClass(bool IsSeries, const QMetaObject* Class);
    void Clear() { m_items.clear(); }

private:
    std::vector<std::unique_ptr<TPlotSeriesType>> m_items;
};

class TPlotToolTypes {
public:
    int Count() const { return static_cast<int>(m_items.size()); }
    const TToolClass& operator[](int Index) const { return m_items[static_cast<std::size_t>(Index)]; }
    int IndexOf(const TToolClass& Class) const;
    void Add(const TToolClass& Class) { m_items.push_back(Class); }
    void RemoveAt(int Index) { m_items.erase(m_items.begin() + Index); }
    void Clear() { m_items.clear(); }

private:
    std::vector<TToolClass> m_items;
};

// The global registries, created when first asked.
TPlotSeriesTypes& PlotSeriesTypes();
TPlotToolTypes& PlotToolTypes();
// The Chart unit's start and stop: the registries (and the palette list) exist
// from start-up; stopping frees what is left in them.
void StartChartTypeRegistries();
void StopChartTypeRegistries();

void RegisterSeriesType(const TSeriesClass& SeriesClass, const TFunctionClass& FunctionClass,
                        const std::string* Description, const std::string* GalleryPage, int NumGallerySeries,
                        int SubIndex);
void RegisterSeriesClass(const TSeriesClass& SeriesClass, const std::string* Description,
                         const std::string* GalleryPage, int NumGallerySeries = 1);
void RegisterFunctionClass(const TFunctionClass& FunctionClass, const std::string* Description,
                           const std::string* GalleryPage, int NumGallerySeries = 1);
void UnregisterSeriesClasses(const std::vector<TSeriesClass>& Classes);
void UnregisterFunctionClasses(const std::vector<TFunctionClass>& Classes);
void RegisterToolTypes(const std::vector<TToolClass>& Classes);
void UnregisterToolTypes(const std::vector<TToolClass>& Classes);

// ---- creation and naming ----

// Prefix followed by the lowest number from 1 that no component of Owner has
// as its name; 1 without an owner.
std::string GetNewComponentName(const QObject* Owner, const std::string& Prefix);
inline std::string GetNewSeriesName(const QObject* Owner) { return GetNewComponentName(Owner, "Series"); }

// A series of the class owned by Owner, named, put on Chart; with a function
// class also its function.
TChartSeries* CreateNewSeries(QObject* Owner, TCustomAxisPanel* Chart, const TSeriesClass& SeriesClass,
                              const TFunctionClass& FunctionClass = {});
// A function of the class owned by the series' owner, named "PlotFunction"
// and a number, made the series' function.
TPlotFunction* CreateNewFunction(TChartSeries& Series, const TFunctionClass& FunctionClass);
// Replaces Series by a copy of the new class in its chart, sources and name;
// the old series is freed. Nothing when Series is of that class already.
void ChangeSeriesType(TChartSeries*& Series, const TSeriesClass& NewClass);

// Draws the series' legend symbol into R on any device. A series without a
// chart borrows Chart (or a temporary chart) for the call.
void PaintSeriesLegend(TChartSeries& Series, platform::DrawingDevice& Device, const TRect& R,
                       TCustomChart* Chart = nullptr);
