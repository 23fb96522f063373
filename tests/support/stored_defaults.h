#pragma once
// Whether an object as built holds the stored default of each property of its
// table: what a stream that leaves the property out stands for.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "chart/property_model.h"
#include "support/written_names.h"

// The names Object writes through Table, without those a shadow writes
// whatever its values.
template <typename R>
std::vector<std::string> WrittenBeyondShadows(const TPropertyTable<R>& Table, const R& Object)
{
    return WithoutShadowsStoredAlways(WrittenPropertyNames([&](TPropertyWriter& w) { Table.Write(Object, w); }));
}

// Every value Table describes of Object, written, by dotted name.
template <typename R>
std::vector<std::pair<std::string, std::vector<std::uint8_t>>> DescribedValues(const TPropertyTable<R>& Table,
                                                                               R& Object)
{
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> values;
    for (const TPropertyInfo& info : Table.Describe(Object)) {
        TPropertyWriter w;
        info.WriteValue(w);
        values.emplace_back(info.Name, w.Data());
    }
    return values;
}

// Object writes Stored and nothing else (shadows' always-written names
// aside), and loading the stored defaults of its table changes no value.
template <typename R>
void ExpectFreshAtStoredDefaults(const TPropertyTable<R>& Table, R& Object,
                                 const std::vector<std::string>& Stored = {})
{
    EXPECT_EQ(WrittenBeyondShadows(Table, Object), Stored);
    const auto built = DescribedValues(Table, Object);
    Table.LoadStoredDefaults(Object);
    EXPECT_EQ(DescribedValues(Table, Object), built);
}
