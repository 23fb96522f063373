#include "core/population_model.h"

#include "core/distributions.h"
#include "base/name_matching.h"
#include "core/square_matrix.h"
#include "core/text_routines.h"
#include "core/two_sample_tests.h"
#include "platform/clock.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr TColor kFirstPaletteColor = 0x800000;
constexpr double kSecondsPerDay = 86400.0;

} // namespace

void CheckPopulationSize(const IXMLVexaType& root)
{
    const auto population = root.System().Population();
    const auto groups = population.Group();
    const int groupCount = groups.Count();
    if (groupCount > kMaxGroups)
        throw EPopulationTooLarge("The study has " + std::to_string(groupCount) +
                                  " population groups; a population holds at most " +
                                  std::to_string(kMaxGroups) + " groups.");
    int variables = population.Variables().Vardef().Count();
    for (int i = 0; i < groupCount; ++i)
        variables = std::max(variables, groups.Get_Item(i).Variables().Var().Count());
    if (variables > kMaxNumericVariables)
        throw EPopulationTooLarge("The study has " + std::to_string(variables) +
                                  " numeric variables; a population holds at most " +
                                  std::to_string(kMaxNumericVariables) + " numeric variables.");
    const auto categories = population.Categories();
    for (int k = 0; k < categories.Count(); ++k) {
        const int levels = categories.Get_Item(k).Cat().Count();
        if (levels > kMaxLevels)
            throw EPopulationTooLarge("The study has " + std::to_string(levels) +
                                      " levels in one categorical variable; a categorical variable holds at most " +
                                      std::to_string(kMaxLevels) + " levels.");
    }
}

tPopulation::tPopulation(const IXMLVexaType& root) : Root(root)
{
    CheckPopulationSize(Root);
    const auto system = Root.System();
    Name = system.Name();

    const auto palette = Root.App().Palette();
    const int colorCount = palette.Count();
    Palette.reserve(static_cast<std::size_t>(colorCount) + 1);
    Palette.push_back(kFirstPaletteColor);
    for (int c = 0; c < colorCount; ++c)
        Palette.push_back(ColorNameToColor(palette.Get_Item(c).Text()));

    const auto population = system.Population();
    const auto groups = population.Group();
    GroupCount = groups.Count();
    Weights.assign(static_cast<std::size_t>(GroupCount), 0.0);
    Groups.reserve(static_cast<std::size_t>(GroupCount));
    Horizon = 0.0;
    for (int i = 0; i < GroupCount; ++i) {
        const auto group = groups.Get_Item(i);
        auto sub = std::make_unique<tSubPopulation>(i, Root);
        sub->Color = PaletteColor(group.Color());
        Weights[static_cast<std::size_t>(i)] = sub->NominalShare();
        Horizon = MaxDouble(Horizon, sub->Horizon);
        Groups.push_back(std::move(sub));
    }
    NormalizeWeights();

    const auto categories = population.Categories();
    CatVarCount = categories.Count();
    CatVars.assign(static_cast<std::size_t>(CatVarCount), tCatVar{});
    for (int k = 0; k < CatVarCount; ++k) {
        const auto catvar = categories.Get_Item(k);
        tCatVar& cv = CatVars[static_cast<std::size_t>(k)];
        cv.Id = catvar.Id();
        cv.Name = catvar.Name();
        cv.Label = catvar.Lbl();
        cv.Color = PaletteColor(catvar.Color());
        const auto cats = catvar.Cat();
        cv.LevelCount = cats.Count();
        cv.SamplingMeter = catvar.SamplingMeter();
        cv.Levels.assign(static_cast<std::size_t>(cv.LevelCount), tLevels{});
        for (int l = 0; l < cv.LevelCount; ++l) {
            const auto cat = cats.Get_Item(l);
            tLevels& level = cv.Levels[static_cast<std::size_t>(l)];
            level.Id = cat.Id();
            level.Color = PaletteColor(cat.Color());
            level.Label = cat.Text();
            level.Share = 0.0;
        }
    }

    const auto vardefs = population.Variables().Vardef();
    NumVarCount = vardefs.Count();
    NumVarDefs.assign(static_cast<std::size_t>(NumVarCount), tNumVarDef{});
    for (int i = 0; i < NumVarCount; ++i) {
        const auto vardef = vardefs.Get_Item(i);
        tNumVarDef& def = NumVarDefs[static_cast<std::size_t>(i)];
        def.Name = vardef.Name();
        def.Description = vardef.Text();
        def.Units = vardef.Units();
        def.Decimals = vardef.Decimal();
        def.DistributionKind = DistributionKind(vardef.Refdist());
        def.Color = PaletteColor(vardef.Color());
        def.SamplingMeter = vardef.SamplingMeter();
        def.Minimum = TextToFloat(vardef.Min());
        def.Maximum = TextToFloat(vardef.Max());
        // Each group keeps the definition as it stood before its own widening.
        for (auto& group : Groups) {
            if (static_cast<std::size_t>(i) >= group->Variables.size())
                continue;
            tNumVar& var = group->Variables[static_cast<std::size_t>(i)];
            var.Definition = def;
            def.Minimum = MinDouble(def.Minimum, var.ValidMinimum);
            def.Maximum = MaxDouble(def.Maximum, var.ValidMaximum);
        }
    }

    const auto samplesize = population.Sampling().Samplesize();
    SampleSizeMin = samplesize.Min();
    SampleSizeMax = samplesize.Max();
    UnitMeasures = samplesize.Unitmeasures();
    Extendable = samplesize.Ampliable();

    const auto simulation = population.Simulation();
    SimulatedMinutes = MaxDouble(Horizon, static_cast<double>(simulation.Time()));
    RunMinutes = SimulatedMinutes;

    const auto speedscale = simulation.Speedscale();
    SpeedMin = speedscale.Min();
    SpeedMax = speedscale.Max();
    Speed = 1.0;
    StartTime = platform::CurrentClock().Now();
}

void tPopulation::SetSpeed(double v)
{
    Speed = v;
    if (v > 0.0)
        RunMinutes = SimulatedMinutes / v;
}

double tPopulation::ModelMinutes() const
{
    // Day numbers carry rounding noise: to the millisecond first, so that a
    // whole second is not cut to the one before.
    const double milliseconds = std::nearbyint(std::fabs(ClockNow() - StartTime) * kSecondsPerDay * 1000.0);
    const double seconds = std::trunc(milliseconds / 1000.0);
    return seconds / 60.0 * Speed;
}

double tPopulation::ClockNow() const
{
    return m_heldSince ? *m_heldSince : platform::CurrentClock().Now();
}

void tPopulation::HoldClock()
{
    if (!m_heldSince)
        m_heldSince = platform::CurrentClock().Now();
}

void tPopulation::ResumeClock()
{
    if (!m_heldSince)
        return;
    const double held = platform::CurrentClock().Now() - *m_heldSince;
    m_heldSince.reset();
    StartTime += held;
    EndTime += held;
}

void tPopulation::NormalizeWeights()
{
    if (Weights.empty())
        return;
    // A share below none is none: a time course run on past its end can
    // fall under 0, and the others then make up the whole.
    double sum = 0.0;
    for (double& w : Weights) {
        if (w < 0.0)
            w = 0.0;
        sum += w;
    }
    if (sum != 0.0 && std::isfinite(sum)) {
        NormalizeSum(Weights, static_cast<int>(Weights.size()) - 1);
    } else {
        // No shares to go by: every group counts alike.
        std::fill(Weights.begin(), Weights.end(), 1.0 / static_cast<double>(Weights.size()));
    }
    for (std::size_t g = 0; g < Groups.size() && g < Weights.size(); ++g)
        Groups[g]->Weight = Weights[g];
}

void tPopulation::UpdateGroupWeights(double t)
{
    for (std::size_t g = 0; g < Groups.size(); ++g) {
        tSubPopulation& group = *Groups[g];
        Weights[g] = group.EvalDynamics(group.ShareSteps, t, group.NominalShare());
    }
    NormalizeWeights();
}

void tPopulation::UpdateMeans(double t)
{
    for (auto& group : Groups)
        for (tNumVar& var : group->Variables)
            var.CurrentMean = group->EvalDynamics(var.Dynamics, t, var.NominalMean);
}

void tPopulation::UpdateLevelShares()
{
    for (int k = 0; k < CatVarCount; ++k)
        UpdateLevelShare(k);
}

void tPopulation::UpdateLevelShare(int k)
{
    if (k < 0 || k >= CatVarCount)
        return;
    tCatVar& cv = CatVars[static_cast<std::size_t>(k)];
    for (tLevels& level : cv.Levels)
        level.Share = 0.0;
    double total = 0.0;
    for (const auto& group : Groups) {
        // A group at no level of this variable counts in the total only.
        if (tLevels* level = cv.Level(GroupLevel(group->GroupNumber, k)))
            level->Share += group->Weight;
        total += group->Weight;
    }
    if (total == 0.0 || !std::isfinite(total))
        return;
    for (tLevels& level : cv.Levels)
        level.Share /= total;
}

std::int32_t tPopulation::GroupLevel(int g, int k) const
{
    if (g < 0 || g >= static_cast<int>(Groups.size()))
        return 0;
    const auto& levels = Groups[static_cast<std::size_t>(g)]->Levels;
    if (k < 0 || static_cast<std::size_t>(k) >= levels.size())
        return 0;
    return levels[static_cast<std::size_t>(k)];
}

TVariableRef tPopulation::FindVariable(std::string_view name) const
{
    const int cat = FindCatVar(name);
    if (cat >= 0)
        return {cat, 1};
    const int num = FindNumVar(name);
    if (num >= 0)
        return {num, 0};
    return {-1, 2};
}

int tPopulation::FindCatVar(std::string_view name) const
{
    const std::string key = TrimControl(name);
    for (std::size_t k = 0; k < CatVars.size(); ++k)
        if (SameTextAscii(CatVars[k].Name, key))
            return static_cast<int>(k);
    return -1;
}

int tPopulation::FindNumVar(std::string_view name) const
{
    const std::string key = TrimControl(name);
    for (std::size_t i = 0; i < NumVarDefs.size(); ++i)
        if (SameTextAscii(NumVarDefs[i].Name, key))
            return static_cast<int>(i);
    return -1;
}

std::string tPopulation::LevelLabel(int k, int level) const
{
    if (k < 0 || k >= CatVarCount)
        return {};
    const tLevels* l = CatVars[static_cast<std::size_t>(k)].Level(level);
    return l ? l->Label : std::string();
}

TColor tPopulation::LevelColor(int k, int i) const
{
    if (k < 0 || k >= CatVarCount)
        return 0;
    const tLevels* l = CatVars[static_cast<std::size_t>(k)].Level(i + 1);
    return l ? l->Color : 0;
}

int tPopulation::FindLevel(int k, std::string_view label) const
{
    if (k < 0 || k >= CatVarCount)
        return 1;
    const auto& levels = CatVars[static_cast<std::size_t>(k)].Levels;
    for (std::size_t l = 0; l < levels.size(); ++l)
        if (SameName(levels[l].Label, label))
            return static_cast<int>(l) + 1;
    return 1;
}

TColor tPopulation::NumVarColor(std::string_view name) const
{
    const int i = FindNumVar(name);
    return i >= 0 ? NumVarDefs[static_cast<std::size_t>(i)].Color : 0;
}

std::array<double, 4> tPopulation::ModelRange(int i, bool largest) const
{
    std::array<double, 4> range{0.0, 0.0, 0.0, 0.0};
    if (i < 0 || i >= NumVarCount)
        return range;
    range[0] = NumVarDefs[static_cast<std::size_t>(i)].Minimum;
    range[1] = NumVarDefs[static_cast<std::size_t>(i)].Maximum;
    double peak = 0.0;
    for (const auto& group : Groups) {
        if (static_cast<std::size_t>(i) >= group->Variables.size())
            continue;
        const tNumVar& var = group->Variables[static_cast<std::size_t>(i)];
        // Drawing spreads by |sd|; a group without spread has no density.
        const double sd = std::fabs(var.StandardDeviation);
        if (!(sd > 0.0) || !std::isfinite(sd))
            continue;
        const double density = NormalDensity(var.NominalMean, var.NominalMean, sd);
        if (largest)
            peak = std::max(peak, density);
        else
            peak += group->Weight * density;
    }
    range[3] = peak;
    return range;
}

TColor tPopulation::PaletteColor(int index) const
{
    return ItemOrFirst(index, std::span<const TColor>(Palette));
}

void tPopulation::FillNames(IComboItems& combo, const std::vector<std::string>& items, std::string_view name,
                            bool sorted) const
{
    combo.Clear();
    for (const std::string& item : items)
        combo.Add(item);
    combo.SetSorted(sorted);
    combo.SetItemIndex(-1);
    const std::string key = TrimControl(name);
    const int count = combo.Count();
    for (int i = 0; i < count; ++i)
        if (SameTextAscii(combo.Item(i), key))
            combo.SetItemIndex(i);
}

void tPopulation::FillNumVarCombo(IComboItems& combo, std::string_view name, bool sorted) const
{
    std::vector<std::string> names;
    names.reserve(NumVarDefs.size());
    for (const tNumVarDef& def : NumVarDefs)
        names.push_back(TrimControl(def.Name));
    FillNames(combo, names, name, sorted);
}

void tPopulation::FillCatVarCombo(IComboItems& combo, std::string_view name, bool sorted) const
{
    std::vector<std::string> names;
    names.reserve(CatVars.size());
    for (const tCatVar& cv : CatVars)
        names.push_back(TrimControl(cv.Name));
    FillNames(combo, names, name, sorted);
}

void tPopulation::FillLevelCombo(IComboItems& combo, int k, bool sorted, std::string_view label) const
{
    std::vector<std::string> labels;
    if (k >= 0 && k < CatVarCount)
        for (const tLevels& level : CatVars[static_cast<std::size_t>(k)].Levels)
            labels.push_back(level.Label);
    FillNames(combo, labels, label, sorted);
}

void tPopulation::FillGroupCombo(IComboItems& combo) const
{
    for (std::size_t g = 0; g < Groups.size(); ++g) {
        std::string line = std::to_string(g + 1) + " - ";
        for (int k = 0; k < CatVarCount; ++k)
            line += CatVars[static_cast<std::size_t>(k)].Name + ": " +
                    LevelLabel(k, GroupLevel(static_cast<int>(g), k)) + " ";
        combo.Add(line);
    }
    if (combo.Count() > 0)
        combo.SetItemIndex(0);
}
