#pragma once
// What a sample window knows of its sample apart from its controls: the
// chosen variables in sheet order, its own chosen flag per variable (the
// population model is shared by every sample window and never written), the
// current individual's drawn and recorded values, and the drawing of
// individuals from the population's groups, within a stratum when the design
// has a grouping variable.
#include "core/study_document.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class tPopulation;

// One chosen variable: kind 1 categorical, 0 quantitative; the instrument
// number the document gives it; its index in the model (-1: no variable).
struct TChosenVar {
    std::uint8_t Kind = 0;
    std::int32_t Instrument = 0;
    std::int32_t Index = -1;
};

class TSampleState {
public:
    // The model is not taken over and must outlive the state.
    explicit TSampleState(const tPopulation* Model = nullptr);
    void SetModel(const tPopulation* Model);
    const tPopulation* Model() const { return m_model; }

    // Chooses the variables by name in sheet order; the flags follow.
    void Choose(const std::vector<std::string>& Names);
    const std::vector<TChosenVar>& Chosen() const { return FChosen; }
    // One flag per variable, categorical ones first.
    const std::vector<bool>& VarChosen() const { return FVarChosen; }
    // "??" for an entry without variable.
    std::string ChosenVarName(int I) const;

    // Categorical index, or categorical count + quantitative index; -1.
    int VarFlatIndex(std::string_view Name) const;
    int CatCount() const;

    // Grouping variable (categorical index, -1 none) and the number of
    // individuals wanted at each of its levels (1-based positions).
    int StratumVar() const { return FStratumVar; }
    void SetStratum(int CatIndex, const std::vector<int>& SizePerLevel);
    // The level the next individual is drawn at: the first one with fewer
    // records than wanted that some group has; 0 when none (any group).
    int NextStratumLevel() const;
    // Records wanted in all: the sum over the levels that can be drawn.
    int StratumTarget() const;
    const std::vector<int>& StratumCounts() const { return m_stratumCounts; }

    // Group index by the cumulative shares of the groups' weights and a
    // uniform u in [0, 1); only groups at level Level of the grouping
    // variable take part when Level > 0. 0 when none.
    int ChooseGroup(double U, int Level = 0) const;
    // Draws the next individual: its group, its levels and values.
    void DrawIndividual();
    int DrawnGroup() const { return m_group; }

    std::vector<double>& TrueValues() { return FTrueValues; }
    const std::vector<double>& TrueValues() const { return FTrueValues; }
    std::vector<double>& Values() { return FValues; }
    const std::vector<double>& Values() const { return FValues; }
    // The current record in sheet order (chosen flags, categorical first);
    // counts it in its stratum.
    std::vector<double> TakeRecord();
    // Records counted per stratum start again.
    void ResetStrata();

private:
    bool GroupAtLevel(int g, int level) const;

    const tPopulation* m_model = nullptr;
    std::vector<TChosenVar> FChosen;
    std::vector<bool> FVarChosen;
    std::vector<double> FTrueValues;
    std::vector<double> FValues;
    int FStratumVar = -1;
    std::vector<int> m_stratumSizes;
    std::vector<int> m_stratumCounts;
    int m_group = 0;
};

// 1 male, 0 female, -1 unknown, for a variable named "sex..." or "gen..." and
// a level label beginning "ma"/"ho" or "fe"/"mu" (letters without case).
int SexValueCode(std::string_view Name, std::string_view Value);

// The relative error (vcpc / 100) of instrument Inst (1-based position under
// the sampling's measurements); 0 when no instrument is there or its vcpc is
// no number.
double InstrumentRelativeError(const IXMLVexaType& Root, int Inst);

// A sample size text accepted by the design: a whole number n with
// Min < n <= Max.
bool SampleSizeValid(double Size, bool IsNumber, int Min, int Max);
