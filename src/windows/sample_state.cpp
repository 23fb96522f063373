#include "windows/sample_state.h"

#include "base/name_matching.h"
#include "core/population_model.h"
#include "core/random_numbers.h"
#include "core/text_routines.h"

#include <numeric>

TSampleState::TSampleState(const tPopulation* Model) { SetModel(Model); }

void TSampleState::SetModel(const tPopulation* Model)
{
    m_model = Model;
    const std::size_t count = Model ? Model->CatVars.size() + Model->NumVarDefs.size() : 0;
    FChosen.clear();
    FVarChosen.assign(count, false);
    FTrueValues.assign(count, 0.0);
    FValues.assign(count, 0.0);
    FStratumVar = -1;
    m_stratumSizes.clear();
    m_stratumCounts.clear();
}

int TSampleState::CatCount() const { return m_model ? static_cast<int>(m_model->CatVars.size()) : 0; }

void TSampleState::Choose(const std::vector<std::string>& Names)
{
    FChosen.clear();
    FVarChosen.assign(FVarChosen.size(), false);
    if (!m_model)
        return;
    const int K = CatCount();
    for (const std::string& name : Names) {
        TChosenVar entry;
        if (const int c = m_model->FindCatVar(name); c >= 0) {
            entry = {1, m_model->CatVars[static_cast<std::size_t>(c)].SamplingMeter, c};
            FVarChosen[static_cast<std::size_t>(c)] = true;
        } else if (const int j = m_model->FindNumVar(name); j >= 0) {
            entry = {0, m_model->NumVarDefs[static_cast<std::size_t>(j)].SamplingMeter, j};
            FVarChosen[static_cast<std::size_t>(K + j)] = true;
        }
        FChosen.push_back(entry);
    }
}

std::string TSampleState::ChosenVarName(int I) const
{
    if (!m_model || I < 0 || I >= static_cast<int>(FChosen.size()) || FChosen[static_cast<std::size_t>(I)].Index < 0)
        return "??";
    const TChosenVar& e = FChosen[static_cast<std::size_t>(I)];
    return e.Kind == 1 ? m_model->CatVars[static_cast<std::size_t>(e.Index)].Name
                       : m_model->NumVarDefs[static_cast<std::size_t>(e.Index)].Name;
}

int TSampleState::VarFlatIndex(std::string_view Name) const
{
    if (!m_model)
        return -1;
    if (const int c = m_model->FindCatVar(Name); c >= 0)
        return c;
    if (const int j = m_model->FindNumVar(Name); j >= 0)
        return CatCount() + j;
    return -1;
}

void TSampleState::SetStratum(int CatIndex, const std::vector<int>& SizePerLevel)
{
    FStratumVar = m_model && CatIndex >= 0 && CatIndex < CatCount() ? CatIndex : -1;
    m_stratumSizes = FStratumVar >= 0 ? SizePerLevel : std::vector<int>();
    m_stratumCounts.assign(m_stratumSizes.size(), 0);
}

void TSampleState::ResetStrata() { m_stratumCounts.assign(m_stratumSizes.size(), 0); }

bool TSampleState::GroupAtLevel(int g, int level) const
{
    return level <= 0 || m_model->Groups[static_cast<std::size_t>(g)]->HasLevel(FStratumVar, level);
}

int TSampleState::NextStratumLevel() const
{
    if (FStratumVar < 0 || !m_model)
        return 0;
    for (std::size_t i = 0; i < m_stratumSizes.size(); ++i) {
        const int level = static_cast<int>(i) + 1;
        if (m_stratumCounts[i] >= m_stratumSizes[i])
            continue;
        for (int g = 0; g < static_cast<int>(m_model->Groups.size()); ++g)
            if (GroupAtLevel(g, level))
                return level;
    }
    return 0;
}

int TSampleState::StratumTarget() const
{
    if (FStratumVar < 0 || !m_model)
        return 0;
    int total = 0;
    for (std::size_t i = 0; i < m_stratumSizes.size(); ++i) {
        const int level = static_cast<int>(i) + 1;
        for (int g = 0; g < static_cast<int>(m_model->Groups.size()); ++g) {
            if (GroupAtLevel(g, level)) {
                total += std::max(m_stratumSizes[i], 0);
                break;
            }
        }
    }
    return total;
}

int TSampleState::ChooseGroup(double U, int Level) const
{
    if (!m_model)
        return 0;
    const int n = static_cast<int>(m_model->Groups.size());
    double total = 0.0;
    int members = 0;
    for (int g = 0; g < n; ++g) {
        if (GroupAtLevel(g, Level)) {
            total += m_model->Groups[static_cast<std::size_t>(g)]->Weight;
            ++members;
        }
    }
    if (members == 0)
        return 0;
    double cumulative = 0.0;
    int seen = 0;
    for (int g = 0; g < n; ++g) {
        if (!GroupAtLevel(g, Level))
            continue;
        ++seen;
        // groups without weight in the stratum share it equally
        cumulative += total > 0.0 ? m_model->Groups[static_cast<std::size_t>(g)]->Weight : 1.0;
        const double c = total > 0.0 ? cumulative / total : cumulative / members;
        if (U < c)
            return g;
    }
    for (int g = 0; g < n; ++g)
        if (GroupAtLevel(g, Level))
            return g;
    return 0;
}

void TSampleState::DrawIndividual()
{
    if (!m_model || m_model->Groups.empty())
        return;
    const int level = NextStratumLevel();
    m_group = ChooseGroup(Random(), level);
    tSubPopulation& group = *m_model->Groups[static_cast<std::size_t>(m_group)];
    group.DrawIndividual();
    const int K = CatCount();
    for (int k = 0; k < K; ++k) {
        const double v = group.Levels.size() > static_cast<std::size_t>(k) ? group.Levels[static_cast<std::size_t>(k)] : 0;
        FTrueValues[static_cast<std::size_t>(k)] = v;
        FValues[static_cast<std::size_t>(k)] = v;
    }
    const int J = static_cast<int>(m_model->NumVarDefs.size());
    for (int j = 1; j <= J; ++j) {
        const double v = group.DrawnValue(j);
        FTrueValues[static_cast<std::size_t>(K + j - 1)] = v;
        FValues[static_cast<std::size_t>(K + j - 1)] = v;
    }
}

std::vector<double> TSampleState::TakeRecord()
{
    std::vector<double> record;
    for (std::size_t i = 0; i < FVarChosen.size(); ++i)
        if (FVarChosen[i])
            record.push_back(FValues[i]);
    if (FStratumVar >= 0) {
        const int level = static_cast<int>(FValues[static_cast<std::size_t>(FStratumVar)]);
        if (level >= 1 && level <= static_cast<int>(m_stratumCounts.size()))
            ++m_stratumCounts[static_cast<std::size_t>(level - 1)];
    }
    return record;
}

int SexValueCode(std::string_view Name, std::string_view Value)
{
    const std::string n = (LowerAscii(Name) + "abcd").substr(0, 3);
    const std::string v = (LowerAscii(Value) + "abcd").substr(0, 2);
    if (n != "sex" && n != "gen")
        return -1;
    if (v == "ma" || v == "ho")
        return 1;
    if (v == "fe" || v == "mu")
        return 0;
    return -1;
}

double InstrumentRelativeError(const IXMLVexaType& Root, int Inst)
{
    const IXMLMeasurementsType measurements = Root.System().Population().Sampling().Measurements();
    if (Inst < 1 || Inst > measurements.Count())
        return 0.0;
    const double vcpc = TextToFloat(measurements.Instrument(Inst - 1).Vcpc());
    return vcpc == kInvalidNumber ? 0.0 : vcpc / 100.0;
}

bool SampleSizeValid(double Size, bool IsNumber, int Min, int Max)
{
    return IsNumber && Size > Min && Size <= Max;
}
