#pragma once
// Columns and definitions for the statistics page tests.
#include "core/numeric_vector.h"
#include "core/statistics_grid.h"
#include "core/variable_records.h"

#include <gtest/gtest.h>

#include <regex>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

inline std::unique_ptr<TVector> MakeColumn(std::initializer_list<double> values)
{
    auto v = std::make_unique<TVector>();
    v->SetNrOfElem(static_cast<int>(values.size()));
    int i = 0;
    for (double x : values)
        v->SetElem(++i, x);
    return v;
}

inline std::unique_ptr<TVector> MakeColumn(const std::vector<double>& values)
{
    auto v = std::make_unique<TVector>();
    v->SetNrOfElem(static_cast<int>(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i)
        v->SetElem(static_cast<int>(i) + 1, values[i]);
    return v;
}

inline std::unique_ptr<TIntVector> MakeCodes(const std::vector<int>& codes)
{
    auto v = std::make_unique<TIntVector>();
    v->SetNrOfElem(static_cast<int>(codes.size()));
    for (std::size_t i = 0; i < codes.size(); ++i)
        v->SetElem(static_cast<int>(i) + 1, codes[i]);
    return v;
}

inline tNumVarDef NumVar(const std::string& name, const std::string& units = {})
{
    tNumVarDef d;
    d.Name = name;
    d.Units = units;
    return d;
}

// Levels numbered 1, 2, ... in the order of the labels.
inline tCatVar CatVar(const std::string& name, const std::vector<std::string>& labels)
{
    tCatVar d;
    d.Name = name;
    d.LevelCount = static_cast<int>(labels.size());
    for (std::size_t i = 0; i < labels.size(); ++i) {
        tLevels level;
        level.Id = static_cast<int>(i) + 1;
        level.Label = labels[i];
        d.Levels.push_back(level);
    }
    return d;
}

// No cell spells a NaN or an infinity, and every cell lies inside the size.
inline void ExpectCleanTexts(const TStatTextTable& grid)
{
    EXPECT_TRUE(grid.InsideSize());
    for (const auto& [pos, text] : grid.Cells()) {
        static const std::regex number(R"(\b(nan|inf)\b)", std::regex::icase);
        EXPECT_FALSE(std::regex_search(text, number)) << pos.first << "," << pos.second << ": " << text;
    }
}
