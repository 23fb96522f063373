#pragma once
// The first step of a setter: store a changed value, report whether it changed.
template <typename T>
bool StoreChanged(T& field, const T& v)
{
    if (field == v)
        return false;
    field = v;
    return true;
}
