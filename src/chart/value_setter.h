#pragma once
// The setter bodies the chart's property holders share.
#include <functional>

// Leaves field alone when it already holds value; otherwise stores value and
// calls notify().
template <typename T, typename Notify>
void UpdateValue(T& field, const T& value, Notify&& notify)
{
    if (field == value)
        return;
    field = value;
    notify();
}

// The body of an Init call: the value through the object's setter, then the
// stored default it is kept with.
template <typename C, typename Set, typename T>
void InitValue(C& object, Set set, T& stored, const T& value)
{
    std::invoke(set, object, value);
    stored = value;
}
