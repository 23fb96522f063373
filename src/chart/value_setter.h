#pragma once
// The setter body the chart's property holders share.

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
