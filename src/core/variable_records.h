#pragma once
// Plain records in which the population model keeps what it reads from a
// study document, and the program-wide trace list.
#include "base/basic_types.h"

#include <cstdint>
#include <string>
#include <vector>

// Definition of one numeric (quantitative) variable.
struct tNumVarDef {
    TColor Color = 0;
    std::int32_t SamplingMeter = 0;
    std::string Name;         // lookup key
    std::string Description;
    std::string Units;
    std::int32_t Decimals = 0;  // decimal places shown
    double Minimum = 0.0;
    double Maximum = 0.0;
    std::uint8_t DistributionKind = 0;  // 1 normal, 2 uniform, 0 other
    bool Selected = false;
};

// One level (category) of a categorical variable.
struct tLevels {
    std::int32_t Id = 0;
    TColor Color = 0;
    std::string Label;
    double Share = 0.0;  // share of the population currently at this level
};

// One categorical variable with its levels.
struct tCatVar {
    std::int32_t Id = 0;
    std::string Name;   // lookup key
    std::string Label;  // caption
    TColor Color = 0;
    std::int32_t SamplingMeter = 0;
    std::int32_t LevelCount = 0;
    std::vector<tLevels> Levels;  // in document order
    bool Selected = false;

    // Level at a 1-based position; nullptr outside 1..Levels.size().
    const tLevels* Level(int position) const;
    tLevels* Level(int position);
};

// One step of a piecewise time course of a group share or a variable mean.
// Times are model minutes.
struct tDynamicsStep {
    std::int32_t Index = 0;
    std::int32_t Kind = 0;  // 1 linear, 2 exponential, other constant
    double Tolerance = 0.0;
    double CurrentValue = 0.0;
    double StartValue = 0.0;
    double FinalValue = 0.0;
    double Duration = 0.0;
    double EndTime = 0.0;  // previous step's end time plus this duration
    double Rate = 0.0;     // slope (linear) or growth rate (exponential)
};

// One numeric variable inside one population group.
struct tNumVar {
    tNumVarDef Definition;
    std::int32_t Id = 0;
    double NominalMean = 0.0;
    double StandardDeviation = 0.0;
    double CurrentMean = 0.0;
    double ValidMinimum = 0.0;
    double ValidMaximum = 0.0;
    std::int32_t Asymmetry = 0;
    std::vector<tDynamicsStep> Dynamics;
};

// One sampling design offered by the sample window.
struct tSampling_Option {
    std::int32_t Id = 0;
    std::int32_t Design = 0;
    std::string Text;
};

// A list of text lines, appended to while population groups are built.
class TTraceList {
public:
    void Add(std::string line);
    void Clear();
    int Count() const;
    // Throws std::out_of_range outside 0..Count()-1.
    const std::string& Strings(int index) const;
    const std::vector<std::string>& Lines() const { return m_lines; }

private:
    std::vector<std::string> m_lines;
};

// The program's one trace list; lives until the process ends.
TTraceList& TraceList();
