#include "chart/series_groups.h"

#include <algorithm>
#include <vector>

#include "chart/chart_series.h"

namespace {

// Every list alive, so that a freed series can leave them all (kept past
// the end of the program for lists of static objects).
std::vector<TCustomSeriesList*>& LiveLists()
{
    static auto* lists = new std::vector<TCustomSeriesList*>;
    return *lists;
}

}  // namespace

TCustomSeriesList::TCustomSeriesList()
{
    LiveLists().push_back(this);
}

TCustomSeriesList::TCustomSeriesList(const TCustomSeriesList& Other) : m_items(Other.m_items)
{
    LiveLists().push_back(this);
}

TCustomSeriesList& TCustomSeriesList::operator=(const TCustomSeriesList& Other)
{
    m_items = Other.m_items;
    return *this;
}

TCustomSeriesList::~TCustomSeriesList()
{
    std::vector<TCustomSeriesList*>& lists = LiveLists();
    lists.erase(std::find(lists.begin(), lists.end(), this));
}

void TCustomSeriesList::ForgetEverywhere(const TChartSeries* Series)
{
    for (TCustomSeriesList* list : LiveLists())
        list->Remove(Series);
}

int TCustomSeriesList::IndexOf(const TChartSeries* Series) const
{
    const auto it = std::find(m_items.begin(), m_items.end(), Series);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

void TCustomSeriesList::Remove(const TChartSeries* Series)
{
    m_items.erase(std::remove(m_items.begin(), m_items.end(), Series), m_items.end());
}

void TCustomSeriesList::Replace(const TChartSeries* Old, TChartSeries* New)
{
    for (TChartSeries*& s : m_items)
        if (s == Old)
            s = New;
}

void TCustomSeriesList::Exchange(int a, int b)
{
    if (a < 0 || b < 0 || a >= Count() || b >= Count())
        return;
    std::swap(m_items[static_cast<std::size_t>(a)], m_items[static_cast<std::size_t>(b)]);
}

TSeriesGroup::TSeriesGroup(TSeriesGroups* Groups)
{
    const int number = Groups ? Groups->Count() + 1 : 1;
    m_name = "Group" + std::to_string(number);
}

TSeriesGroupActive TSeriesGroup::Active() const
{
    int active = 0;
    for (TChartSeries* s : m_series.Items())
        if (s->Active())
            ++active;
    if (active == m_series.Count())
        return gaYes;
    return active == 0 ? gaNo : gaSome;
}

void TSeriesGroup::SetActive(TSeriesGroupActive Value)
{
    if (Value == gaSome || Value == Active())
        return;
    for (TChartSeries* s : m_series.Items())
        s->SetActive(Value == gaYes);
}

void TSeriesGroup::Assign(const TSeriesGroup& Source)
{
    m_name = Source.m_name;
    m_series = Source.m_series;
}

TSeriesGroup& TSeriesGroups::Add()
{
    m_items.push_back(std::make_unique<TSeriesGroup>(this));
    return *m_items.back();
}

void TSeriesGroups::Delete(int i)
{
    if (i >= 0 && i < Count())
        m_items.erase(m_items.begin() + i);
}

int TSeriesGroups::Contains(const TChartSeries* Series) const
{
    for (int i = 0; i < Count(); ++i)
        if (m_items[static_cast<std::size_t>(i)]->Series().IndexOf(Series) >= 0)
            return i;
    return -1;
}

void TSeriesGroups::RemoveSeries(const TChartSeries* Series)
{
    for (auto& g : m_items)
        g->Series().Remove(Series);
}

void TSeriesGroups::ReplaceSeries(const TChartSeries* Old, TChartSeries* New)
{
    for (auto& g : m_items)
        g->Series().Replace(Old, New);
}
