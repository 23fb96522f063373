#pragma once
// The property names a writer call puts into a stream, in order.
#include <algorithm>
#include <string>
#include <vector>

#include "chart/property_stream.h"

template <typename Write>
std::vector<std::string> WrittenPropertyNames(Write WriteProperties)
{
    TPropertyWriter w;
    WriteProperties(w);
    w.WriteListEnd();
    TPropertyReader r(w.Data());
    std::vector<std::string> names;
    while (!r.EndOfList()) {
        names.push_back(r.ReadPropName());
        r.ReadValue();
    }
    return names;
}

// A shadow's Clip, Smooth, SmoothBlur and Transparency are written whatever
// their values: Name is one of them (of any shadow, dotted or not).
inline bool IsShadowStoredAlways(const std::string& Name)
{
    for (const std::string tail : {"Clip", "Smooth", "SmoothBlur", "Transparency"}) {
        const std::string dotted = "Shadow." + tail;
        if (Name == dotted || (Name.size() > dotted.size() &&
                               Name.compare(Name.size() - dotted.size() - 1, dotted.size() + 1, "." + dotted) == 0))
            return true;
    }
    return false;
}

// Names without those a shadow writes whatever their values.
template <typename Names>
Names WithoutShadowsStoredAlways(Names names)
{
    std::erase_if(names, [](const std::string& n) { return IsShadowStoredAlways(n); });
    return names;
}
