#pragma once
// The population model of an opened study document: palette, groups with
// their current weights, categorical variables with their level shares,
// numeric variable definitions, sampling limits and the simulation clock.
// Model time is in minutes; real times are day numbers of platform::CurrentClock().
#include "base/basic_types.h"
#include "core/study_document.h"
#include "core/sub_population.h"
#include "core/variable_records.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The item list of a combo box, as the model fills it; the windows adapt
// their combo boxes to it.
class IComboItems {
public:
    virtual ~IComboItems() = default;
    virtual void Clear() = 0;
    virtual void Add(const std::string& text) = 0;
    // A sorted list keeps its items in its own order.
    virtual void SetSorted(bool sorted) = 0;
    virtual int Count() const = 0;
    virtual std::string Item(int index) const = 0;
    // -1 selects nothing.
    virtual void SetItemIndex(int index) = 0;
};

// A study larger than a teaching population can hold: every group keeps a
// covariance matrix of order "numeric variables", so the work grows with
// groups x variables^3. Raised before any group is built.
class EPopulationTooLarge : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr int kMaxNumericVariables = 200;
inline constexpr int kMaxGroups = 100;
// Levels of one categorical variable: the bar chart shows one labelled bar each.
inline constexpr int kMaxLevels = 1000;

// Throws EPopulationTooLarge when the document has more numeric variables
// (definitions, or `var` elements of any group), more groups or a
// categorical variable with more levels than the limits above.
void CheckPopulationSize(const IXMLVexaType& root);

// Result of FindVariable.
struct TVariableRef {
    std::int32_t Index = -1;
    std::int32_t Kind = 2;  // 1 categorical, 0 numeric, 2 none
};

class tPopulation {
public:
    // Builds the model from the bound document root and keeps the root.
    // Throws platform::XmlConversionError when an integer attribute holds
    // other text, EPopulationTooLarge beyond the size limits.
    explicit tPopulation(const IXMLVexaType& root);

    // Clock.
    void SetSpeed(double v);
    void SetRunMinutes(double m) { RunMinutes = m; }
    void SetStartTime(double t) { StartTime = t; }
    void SetEndTime(double t) { EndTime = t; }
    // Whole seconds since the start time, in minutes, times the speed.
    // While the clock is held the time counts to the moment it was held.
    double ModelMinutes() const;
    // Holds the clock (model time stands); let go, the start and end times
    // move on by the span held. Holding a held clock, or letting go of a
    // running one, changes nothing.
    void HoldClock();
    void ResumeClock();
    bool ClockHeld() const { return m_heldSince.has_value(); }
    // The moment model time counts to: now, or the moment the clock was held.
    double ClockNow() const;

    // Time courses at model time t.
    void UpdateGroupWeights(double t);
    void UpdateMeans(double t);
    void UpdateLevelShares();
    void UpdateLevelShare(int k);

    // Look-ups. Categorical variables k and groups g are 0-based.
    std::int32_t GroupLevel(int g, int k) const;
    TVariableRef FindVariable(std::string_view name) const;
    int FindCatVar(std::string_view name) const;
    int FindNumVar(std::string_view name) const;
    // Label of the level at 1-based position `level`; empty when there is none.
    std::string LevelLabel(int k, int level) const;
    // Colour of the level at 0-based position i; 0 when there is none.
    TColor LevelColor(int k, int i) const;
    // 1-based position of the level with that label; 1 when none matches.
    int FindLevel(int k, std::string_view label) const;
    // 0 when there is no such variable.
    TColor NumVarColor(std::string_view name) const;
    // Minimum, maximum, 0 and the peak model density of numeric variable i:
    // the largest group peak when `largest`, else the weighted sum.
    std::array<double, 4> ModelRange(int i, bool largest) const;
    // Palette entry of a document colour index; entry 0 outside the palette.
    TColor PaletteColor(int index) const;

    void FillNumVarCombo(IComboItems& combo, std::string_view name, bool sorted) const;
    void FillCatVarCombo(IComboItems& combo, std::string_view name, bool sorted) const;
    void FillLevelCombo(IComboItems& combo, int k, bool sorted, std::string_view label) const;
    void FillGroupCombo(IComboItems& combo) const;

    double Horizon = 0.0;           // largest group horizon, minutes
    double SimulatedMinutes = 0.0;  // model minutes of one run
    double RunMinutes = 0.0;        // real minutes of one run at the current speed
    double StartTime = 0.0;         // day number
    double EndTime = 0.0;           // day number
    std::int32_t SpeedMin = 0;
    std::int32_t SpeedMax = 0;
    double Speed = 1.0;  // model minutes per real minute
    std::vector<double> Weights;
    IXMLVexaType Root;
    std::string Name;
    std::vector<TColor> Palette;
    std::int32_t GroupCount = 0;
    std::vector<std::unique_ptr<tSubPopulation>> Groups;
    std::int32_t CatVarCount = 0;
    std::vector<tCatVar> CatVars;
    std::int32_t NumVarCount = 0;
    std::vector<tNumVarDef> NumVarDefs;
    double SampleSizeMin = 0.0;
    double SampleSizeMax = 0.0;
    std::int32_t UnitMeasures = 0;
    std::int32_t Extendable = 0;

private:
    std::optional<double> m_heldSince;  // day number
    // Raises negative weights to 0, divides the weights by their sum (equal
    // weights when it is 0 or not finite) and stores them into the groups.
    void NormalizeWeights();
    void FillNames(IComboItems& combo, const std::vector<std::string>& items, std::string_view name,
                   bool sorted) const;
};
