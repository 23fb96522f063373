#pragma once
// One numeric column of a series (X, Y or an extra value): a growable array of
// doubles with an optional sort order, a date-time flag and statistics
// computed lazily after each change.
#include <cstdint>
#include <string>
#include <vector>

#include "chart/property_model.h"

class TChartSeries;

enum TChartListOrder { loNone, loAscending, loDescending };

class TChartValueList {
public:
    // A list of Owner's points (Owner may be nullptr); TChartSeries::CreateValueList
    // makes the lists that belong to a series.
    TChartValueList(TChartSeries* Owner, const std::string& Name);
    virtual ~TChartValueList();
    TChartValueList(const TChartValueList&) = delete;
    TChartValueList& operator=(const TChartValueList&) = delete;

    TChartSeries* Owner() const { return m_owner; }
    int Count() const { return m_count; }
    // Length of the array (values in use and spare room).
    int Capacity() const { return static_cast<int>(m_value.size()); }

    // No range check: callers keep 0 <= Index < Count.
    double Value(int Index) const { return m_value[static_cast<std::size_t>(Index)]; }
    void SetValue(int Index, double Value);
    double operator[](int Index) const { return Value(Index); }
    double First() const { return Value(0); }
    double Last() const { return Value(m_count - 1); }
    const double* Data() const { return m_value.data(); }

    // The value being added; an ordered add places it.
    double TempValue = 0;

    // Places Value by Order; answers its index (equal values land after
    // the ones already there).
    virtual int AddChartValue(double Value);
    int AddChartValue() { return AddChartValue(TempValue); }
    virtual void ClearValues();
    // Count 0, the array kept for the values that come next.
    void ClearKeepingRoom();
    // Gives back the room past the fixed step that holds the values.
    void TrimRoom();
    // Out-of-range indexes (below 0, above Count) change nothing.
    virtual void InsertChartValue(int Index, double Value);
    // N values after the last, as they come (the caller keeps the order).
    void AppendValues(const double* Values, int N);
    // Out-of-range indexes change nothing.
    virtual void Delete(int Index);
    // Quantity is cut to the values there are from Start on.
    void Delete(int Start, int Quantity);
    // The first value moves to the end.
    virtual void MoveFirstToLast();
    // Swaps two values and tells the owner (value event 4 for Index1).
    void Exchange(int Index1, int Index2);
    // Values become 0, 1, 2, ...; the owner hears of it (value event 4 for 0).
    void FillSequence();
    // Sorts the owner's points by this list (all lists, colours, labels follow).
    void Sort();

    double MaxValue() const;
    double MinValue() const;
    double Total() const;
    double TotalABS() const;
    double Range() const { return MaxValue() - MinValue(); }
    // No value is below the one before it (NaN breaks the order); kept
    // between calls, an append looks only at the new values.
    bool Ascending() const;

    // Bumped by every change but an append at the end: while it stands, the
    // values below any count seen meanwhile are as they were.
    std::uint64_t RewriteCount() const { return m_rewrites; }

    bool DateTime() const { return m_dateTime; }
    void SetDateTime(bool Value);
    // The flag a stream leaves out: the one the list was built with.
    bool DefaultDateTime() const { return m_defaultDateTime; }
    // DateTime and its stored default together, without repainting.
    void InitDateTime(bool Value);
    const std::string& Name() const { return m_name; }
    void SetName(const std::string& Value) { m_name = Value; }
    TChartListOrder Order() const { return m_order; }
    void SetOrder(TChartListOrder Value);
    // The order a stream leaves out: the one the list was built with.
    TChartListOrder DefaultOrder() const { return m_defaultOrder; }
    // Order and its stored default together.
    void InitOrder(TChartListOrder Value)
    {
        SetOrder(Value);
        m_defaultOrder = Value;
    }
    const std::string& ValueSource() const { return m_valueSource; }
    // A change makes the owner re-check its data source.
    void SetValueSource(const std::string& Value);

    // Order, DateTime and ValueSource (not the name or the values).
    void Assign(const TChartValueList& Source);
    // The values and count of another list.
    void AssignValues(const TChartValueList& Source);

    static const TPropertyTable<TChartValueList>& Properties();

    // Room grows by this many values whenever one more would not fit.
    static constexpr int GrowStep = 1000;

private:
    void Changed()
    {
        m_stale = true;
        ++m_rewrites;
    }
    void Appended() { m_stale = true; }
    void Repaint();
    void GrowFor(int n);
    void Recalc() const;

    TChartSeries* m_owner = nullptr;
    std::string m_name;
    std::string m_valueSource;
    std::vector<double> m_value;
    int m_count = 0;
    TChartListOrder m_order = loNone;
    TChartListOrder m_defaultOrder = loNone;
    std::uint64_t m_rewrites = 0;
    bool m_dateTime = false;
    bool m_defaultDateTime = false;
    mutable bool m_stale = true;
    mutable double m_maxValue = 0;
    mutable double m_minValue = 0;
    mutable double m_total = 0;
    mutable double m_totalAbs = 0;
    // Ascending(): the values below m_ascendingCount checked while the
    // rewrite count was m_ascendingRewrites
    mutable std::uint64_t m_ascendingRewrites = UINT64_MAX;
    mutable int m_ascendingCount = 0;
    mutable bool m_ascending = true;
};
