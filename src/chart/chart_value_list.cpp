#include "chart/chart_value_list.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "chart/chart_series.h"
#include "chart/plot_procs.h"
#include "platform/dialogs.h"

namespace {

const char* const kOrderNames[] = {"loNone", "loAscending", "loDescending"};

const char* const kMultiplierText =
    "Error: Multiplier property is obsolete.\rModify PlotDefs (enable Multiplier) and recompile.";

}  // namespace

TChartValueList::TChartValueList(TChartSeries* Owner, const std::string& Name) : m_owner(Owner), m_name(Name)
{
    ClearValues();
}

TChartValueList::~TChartValueList() = default;

void TChartValueList::SetValue(int Index, double Value)
{
    m_value[static_cast<std::size_t>(Index)] = Value;
    Changed();
}

void TChartValueList::GrowFor(int n)
{
    // a fixed step, not doubled
    while (static_cast<int>(m_value.size()) < n)
        m_value.resize(m_value.size() + GrowStep);
}

int TChartValueList::AddChartValue(double Value)
{
    TempValue = Value;
    int index = m_count;
    if (m_order != loNone && m_count > 0) {
        const double last = m_value[static_cast<std::size_t>(m_count - 1)];
        const bool inOrder = m_order == loAscending ? Value >= last : Value <= last;
        if (!inOrder) {
            int t = m_count - 1;
            if (m_order == loAscending)
                while (t >= 0 && m_value[static_cast<std::size_t>(t)] > Value)
                    --t;
            else
                while (t >= 0 && m_value[static_cast<std::size_t>(t)] < Value)
                    --t;
            index = t + 1;
        }
    }
    GrowFor(m_count + 1);
    double* v = m_value.data();
    const bool atEnd = index == m_count;
    if (!atEnd)
        std::memmove(v + index + 1, v + index, sizeof(double) * static_cast<std::size_t>(m_count - index));
    v[index] = Value;
    ++m_count;
    atEnd ? Appended() : Changed();
    return index;
}

void TChartValueList::AppendValues(const double* Values, int N)
{
    if (N <= 0)
        return;
    // the room the fixed steps would have given, in one resize
    const std::size_t need = static_cast<std::size_t>(m_count) + static_cast<std::size_t>(N);
    if (m_value.size() < need) {
        const std::size_t steps = (need - m_value.size() + GrowStep - 1) / GrowStep;
        m_value.resize(m_value.size() + steps * GrowStep);
    }
    std::memcpy(m_value.data() + m_count, Values, sizeof(double) * static_cast<std::size_t>(N));
    m_count += N;
    Changed();
}

void TChartValueList::ClearValues()
{
    m_count = 0;
    std::vector<double>().swap(m_value);
    Changed();
}

void TChartValueList::ClearKeepingRoom()
{
    m_count = 0;
    Changed();
}

void TChartValueList::TrimRoom()
{
    const auto room = static_cast<std::size_t>((m_count + GrowStep - 1) / GrowStep) * GrowStep;
    if (m_value.size() <= room)
        return;
    m_value.resize(room);
    m_value.shrink_to_fit();
}

void TChartValueList::InsertChartValue(int Index, double Value)
{
    if (Index < 0 || Index > m_count)
        return;
    GrowFor(m_count + 1);
    double* v = m_value.data();
    const bool atEnd = Index == m_count;
    std::memmove(v + Index + 1, v + Index, sizeof(double) * static_cast<std::size_t>(m_count - Index));
    v[Index] = Value;
    ++m_count;
    atEnd ? Appended() : Changed();
}

void TChartValueList::Delete(int Index)
{
    Delete(Index, 1);
}

void TChartValueList::Delete(int Start, int Quantity)
{
    if (Start < 0 || Start >= m_count || Quantity <= 0)
        return;
    Quantity = std::min(Quantity, m_count - Start);
    double* v = m_value.data();
    std::memmove(v + Start, v + Start + Quantity,
                 sizeof(double) * static_cast<std::size_t>(m_count - Start - Quantity));
    m_count -= Quantity;
    Changed();
}

void TChartValueList::MoveFirstToLast()
{
    if (m_count < 2)
        return;
    std::rotate(m_value.begin(), m_value.begin() + 1, m_value.begin() + m_count);
    Changed();
}

void TChartValueList::Exchange(int Index1, int Index2)
{
    if (Index1 < 0 || Index2 < 0 || Index1 >= m_count || Index2 >= m_count)
        return;
    std::swap(m_value[static_cast<std::size_t>(Index1)], m_value[static_cast<std::size_t>(Index2)]);
    Changed();
    if (m_owner)
        m_owner->NotifyValue(TValueEvent::Modify, Index1);
}

void TChartValueList::FillSequence()
{
    for (int i = 0; i < m_count; ++i)
        m_value[static_cast<std::size_t>(i)] = i;
    Changed();
    if (m_owner)
        m_owner->NotifyValue(TValueEvent::Modify, 0);
}

void TChartValueList::Sort()
{
    if (m_order == loNone || !m_owner)
        return;
    const bool ascending = m_order == loAscending;
    IndexQuickSort(
        0, m_count - 1,
        [this, ascending](int a, int b) {
            const double va = Value(a), vb = Value(b);
            if (va < vb)
                return ascending ? -1 : 1;
            if (va > vb)
                return ascending ? 1 : -1;
            return 0;
        },
        [this](int a, int b) { m_owner->SwapValues(a, b); });
}

void TChartValueList::Recalc() const
{
    if (m_count == 0) {
        m_minValue = m_maxValue = m_total = m_totalAbs = 0;
    } else {
        double mn = m_value[0], mx = mn, total = mn, totalAbs = std::fabs(mn);
        for (int i = 1; i < m_count; ++i) {
            const double v = m_value[static_cast<std::size_t>(i)];
            if (v >= mn) {
                if (v > mx)
                    mx = v;
            } else {
                mn = v;
            }
            total += v;
            totalAbs += std::fabs(v);
        }
        m_minValue = mn;
        m_maxValue = mx;
        m_total = total;
        m_totalAbs = totalAbs;
    }
    m_stale = false;
}

double TChartValueList::MaxValue() const
{
    if (m_stale)
        Recalc();
    return m_maxValue;
}

double TChartValueList::MinValue() const
{
    if (m_stale)
        Recalc();
    return m_minValue;
}

double TChartValueList::Total() const
{
    if (m_stale)
        Recalc();
    return m_total;
}

double TChartValueList::TotalABS() const
{
    if (m_stale)
        Recalc();
    return m_totalAbs;
}

bool TChartValueList::Ascending() const
{
    if (m_ascendingRewrites != m_rewrites) {
        m_ascendingRewrites = m_rewrites;
        m_ascendingCount = 0;
        m_ascending = true;
    }
    if (!m_ascending)
        return false;
    const double* v = m_value.data();
    int i = std::max(m_ascendingCount, 1);
    while (i < m_count && v[i - 1] <= v[i])
        ++i;
    m_ascending = i >= m_count;
    m_ascendingCount = m_count;
    return m_ascending;
}

void TChartValueList::Repaint()
{
    if (m_owner)
        m_owner->Repaint();
}

void TChartValueList::SetDateTime(bool Value)
{
    if (m_dateTime == Value)
        return;
    m_dateTime = Value;
    Repaint();
}

void TChartValueList::InitDateTime(bool Value)
{
    m_dateTime = Value;
    m_defaultDateTime = Value;
}

void TChartValueList::SetOrder(TChartListOrder Value)
{
    if (m_order == Value)
        return;
    m_order = Value;
    Repaint();
}

void TChartValueList::SetValueSource(const std::string& Value)
{
    if (m_valueSource == Value)
        return;
    m_valueSource = Value;
    // a function reading this list takes the new source
    if (m_owner)
        m_owner->CheckDataSource();
}

void TChartValueList::Assign(const TChartValueList& Source)
{
    Properties().Assign(*this, Source);
}

void TChartValueList::AssignValues(const TChartValueList& Source)
{
    m_value.assign(Source.m_value.begin(), Source.m_value.begin() + Source.m_count);
    m_count = Source.m_count;
    Changed();
}

const TPropertyTable<TChartValueList>& TChartValueList::Properties()
{
    static const TPropertyTable<TChartValueList> table =
        TPropertyTable<TChartValueList>::Of()
            .Property("DateTime", BooleanKind, TAccessors{&TChartValueList::DateTime, &TChartValueList::SetDateTime},
                      TInstanceDefault{&TChartValueList::DefaultDateTime})
            .Property("Order", EnumKind(kOrderNames), TAccessors{&TChartValueList::Order, &TChartValueList::SetOrder},
                      TInstanceDefault{&TChartValueList::DefaultOrder})
            .Property("ValueSource", StringKind,
                      TAccessors{&TChartValueList::ValueSource, &TChartValueList::SetValueSource}, std::string())
            .Obsolete("Multiplier", [](TChartValueList&, const TPropertyValue& v) {
                if (FloatValue(v) != 1)
                    platform::CurrentDialogs().MessageBox(nullptr, QString(), QString::fromUtf8(kMultiplierText),
                                                          platform::MsgButtons::Ok, platform::MsgIcon::Error);
            });
    return table;
}
