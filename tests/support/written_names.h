#pragma once
// The property names a writer call puts into a stream, in order.
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
