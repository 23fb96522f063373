#pragma once
// Named groups of series that are switched on and off together, held by the
// chart.
#include <memory>
#include <string>
#include <utility>
#include <vector>

class TChartSeries;

// A list of series links (not owned). A series being freed leaves every list.
class TCustomSeriesList {
public:
    TCustomSeriesList();
    TCustomSeriesList(const TCustomSeriesList& Other);
    TCustomSeriesList& operator=(const TCustomSeriesList& Other);
    ~TCustomSeriesList();

    int Count() const { return static_cast<int>(m_items.size()); }
    TChartSeries* operator[](int i) const { return m_items[static_cast<std::size_t>(i)]; }
    int IndexOf(const TChartSeries* Series) const;
    void Add(TChartSeries* Series) { m_items.push_back(Series); }
    // Every occurrence.
    void Remove(const TChartSeries* Series);
    // Every occurrence of Old becomes New, in its place.
    void Replace(const TChartSeries* Old, TChartSeries* New);
    void Exchange(int a, int b);
    void Clear() { m_items.clear(); }
    bool Empty() const { return m_items.empty(); }
    const std::vector<TChartSeries*>& Items() const { return m_items; }
    // Every list drops Series (the series calls it while it is freed).
    static void ForgetEverywhere(const TChartSeries* Series);

private:
    std::vector<TChartSeries*> m_items;
};

enum TSeriesGroupActive { gaYes, gaNo, gaSome };

class TSeriesGroups;

class TSeriesGroup {
public:
    // Joins Groups (when given) and is named "Group" and the number of groups.
    explicit TSeriesGroup(TSeriesGroups* Groups = nullptr);

    TSeriesGroupActive Active() const;
    // gaSome, or the current state, changes nothing.
    void SetActive(TSeriesGroupActive Value);
    const std::string& Name() const { return m_name; }
    void SetName(const std::string& Value) { m_name = Value; }
    TCustomSeriesList& Series() { return m_series; }
    const TCustomSeriesList& Series() const { return m_series; }
    void SetSeries(const TCustomSeriesList& Value) { m_series = Value; }
    void Assign(const TSeriesGroup& Source);
    // Names of members read from a stream, until the chart finds them.
    void SetPendingSeries(std::vector<std::string> Names) { m_pendingSeries = std::move(Names); }
    std::vector<std::string> TakePendingSeries() { return std::exchange(m_pendingSeries, {}); }

private:
    std::string m_name;
    TCustomSeriesList m_series;
    std::vector<std::string> m_pendingSeries;
};

class TSeriesGroups {
public:
    int Count() const { return static_cast<int>(m_items.size()); }
    TSeriesGroup& Items(int i) const { return *m_items[static_cast<std::size_t>(i)]; }
    TSeriesGroup& Add();
    void Delete(int i);
    void Clear() { m_items.clear(); }
    // Index of the first group holding Series, -1 when none.
    int Contains(const TChartSeries* Series) const;
    // Series leaves every group.
    void RemoveSeries(const TChartSeries* Series);
    // New takes Old's place in every group.
    void ReplaceSeries(const TChartSeries* Old, TChartSeries* New);

private:
    friend class TSeriesGroup;
    std::vector<std::unique_ptr<TSeriesGroup>> m_items;
};
