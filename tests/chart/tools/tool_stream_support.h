#pragma once
// A tool written through its property table and read back as a form reads it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "chart/property_stream.h"

template <typename T>
std::vector<std::uint8_t> Written(const T& Tool)
{
    TPropertyWriter w;
    Tool.PropertyTable().Write(Tool, w);
    return w.Data();
}

// Inside the component's loading, as a form reads it.
template <typename T>
void ReadInto(T& Tool, const std::vector<std::uint8_t>& Data)
{
    Tool.BeginLoading();
    TPropertyReader r(Data);
    while (!r.AtEnd()) {
        const std::string name = r.ReadPropName();
        ASSERT_TRUE(Tool.PropertyTable().Read(Tool, name, r)) << name;
    }
    Tool.EndLoading();
}

inline std::vector<std::string> StreamedNames(const std::vector<std::uint8_t>& Data)
{
    std::vector<std::string> names;
    TPropertyReader r(Data);
    while (!r.AtEnd()) {
        names.push_back(r.ReadPropName());
        r.SkipValue();
    }
    return names;
}
