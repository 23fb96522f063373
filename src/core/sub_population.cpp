#include "core/sub_population.h"

#include "core/random_numbers.h"
#include "core/text_routines.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// Share steps and mean steps have the same attributes; `start` is the value
// at the start of the first step. Returns the summed durations.
template <class TList>
double ReadSteps(const TList& list, double start, std::vector<tDynamicsStep>& steps)
{
    const int count = list.Count();
    steps.assign(static_cast<std::size_t>(count), tDynamicsStep{});
    double total = 0.0;
    for (int s = 0; s < count; ++s) {
        const auto item = list.Get_Item(s);
        tDynamicsStep& step = steps[static_cast<std::size_t>(s)];
        step.Index = item.Indx();
        step.FinalValue = TextToFloat(item.Final());
        step.Tolerance = TextToFloat(item.Tol());
        step.Duration = TextToFloat(item.Time());
        step.Kind = item.Type();
        if (s == 0) {
            step.StartValue = start;
            step.EndTime = step.Duration;
        } else {
            const tDynamicsStep& previous = steps[static_cast<std::size_t>(s - 1)];
            step.StartValue = previous.FinalValue;
            step.EndTime = previous.EndTime + step.Duration;
        }
        step.CurrentValue = step.StartValue;
        tSubPopulation::DynamicsRate(step);
        total += step.Duration;
    }
    return total;
}

void ApplyCorrelations(const IXMLCorrelationType& correlation, tBfMatriz& matrix)
{
    const int n = matrix.Rows;
    const int count = correlation.Count();
    for (int e = 0; e < count; ++e) {
        const auto elem = correlation.Get_Item(e);
        const int i = elem.I();
        const int j = elem.J();
        if (i == j || i < 1 || i > n || j < 1 || j > n)
            continue;
        const double r = TextToFloat(elem.R());
        matrix.Cells[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] = r;
        matrix.Cells[static_cast<std::size_t>(j)][static_cast<std::size_t>(i)] = r;
    }
}

bool AllFinite(const tBfMatriz& matrix)
{
    for (int i = 1; i <= matrix.Rows; ++i)
        for (int j = 1; j <= matrix.Rows; ++j)
            if (!std::isfinite(matrix.Cells[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)]))
                return false;
    return true;
}

} // namespace

tSubPopulation::tSubPopulation(int index, const IXMLVexaType& root)
{
    GroupNumber = index;
    CurrentShareStep = 0;
    Horizon = 0.0;

    const auto population = root.System().Population();
    const auto populationVariables = population.Variables();
    const auto group = population.Group().Get_Item(index);
    const auto groupVariables = group.Variables();

    // A missing `category` reads as level 0, which is no level.
    const int catCount = population.Categories().Count();
    const auto categories = groupVariables.Category();
    Levels.assign(static_cast<std::size_t>(catCount), 0);
    for (int k = 0; k < catCount; ++k)
        Levels[static_cast<std::size_t>(k)] = categories.Get_Item(k).Catid();

    const auto percent = group.Percent();
    m_nominalShare = static_cast<double>(percent.Nominal().Value());
    const double shareTotal = ReadSteps(percent.Dynamics(), m_nominalShare, ShareSteps);
    StepCount = static_cast<std::int32_t>(ShareSteps.size());

    // Every definition needs a variable at its position: a missing `var`
    // reads as an empty element.
    const auto vars = groupVariables.Var();
    const int n = std::max(vars.Count(), populationVariables.Vardef().Count());
    VariableCount = n;
    Variables.assign(static_cast<std::size_t>(n), tNumVar{});
    double longestTotal = 0.0;
    for (int i = 0; i < n; ++i) {
        const auto var = vars.Get_Item(i);
        tNumVar& v = Variables[static_cast<std::size_t>(i)];
        v.Id = var.Id();
        const auto nominal = var.Nominal();
        v.NominalMean = TextToFloat(nominal.M());
        v.StandardDeviation = TextToFloat(nominal.Sd());
        v.CurrentMean = v.NominalMean;
        const auto range = var.Validrange();
        v.ValidMinimum = TextToFloat(range.Min());
        v.ValidMaximum = TextToFloat(range.Max());
        v.Asymmetry = var.Asymmetry().P50();
        const double total = ReadSteps(var.Dynamics(), v.NominalMean, v.Dynamics);
        StepCount = std::max(StepCount, static_cast<std::int32_t>(v.Dynamics.size()));
        longestTotal = std::max(longestTotal, total);
    }
    Horizon = shareTotal >= longestTotal ? shareTotal : longestTotal;

    BuildMatrix(populationVariables, groupVariables);
}

void tSubPopulation::BuildMatrix(const IXMLVariablesType& populationVariables,
                                 const IXMLVariablesType& groupVariables)
{
    const int n = VariableCount;
    Matrix = tBfMatriz(n);
    Matrix.SetIdentity();
    // Population-level correlations first; the group's own override them.
    ApplyCorrelations(populationVariables.Correlation(), Matrix);
    ApplyCorrelations(groupVariables.Correlation(), Matrix);
    for (int i = 1; i <= n; ++i) {
        const double sdI = Variables[static_cast<std::size_t>(i - 1)].StandardDeviation;
        for (int j = 1; j <= n; ++j)
            Matrix.Cells[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] *=
                sdI * Variables[static_cast<std::size_t>(j - 1)].StandardDeviation;
    }

    // Huge deviations can overflow the covariances; a factor that is not
    // finite would draw not-a-number values, so it counts as a failure.
    const bool ok = Matrix.Cholesky() && AllFinite(Matrix);
    if (ok) {
        TraceList().Add("Subgrupo " + std::to_string(GroupNumber) +
                        " - Matriz de covarianzas OK (si admite Cholesky)");
        return;
    }
    TraceList().Add("Subgrupo " + std::to_string(GroupNumber) +
                    " - ERROR - Matriz de covarianzas no admite Cholesky");
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            Matrix.Cells[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] =
                i == j ? Variables[static_cast<std::size_t>(i - 1)].StandardDeviation : 0.0;
}

double tSubPopulation::DynamicsRate(tDynamicsStep& step)
{
    double rate = 0.0;
    if (step.Kind == 1) {
        rate = (step.FinalValue - step.CurrentValue) / step.Duration;
    } else if (step.Kind == 2) {
        if (step.CurrentValue > 0.0 && step.FinalValue > 0.0)
            rate = std::log(step.FinalValue / step.CurrentValue) / step.Duration;
    }
    if (!std::isfinite(rate))
        rate = 0.0;
    step.Rate = rate;
    return rate;
}

double tSubPopulation::EvalDynamics(std::vector<tDynamicsStep>& steps, double t, double emptyValue)
{
    if (steps.empty())
        return emptyValue;
    const std::size_t last = steps.size() - 1;
    std::size_t s = 0;
    while (t > steps[s].EndTime && s < last)
        ++s;
    tDynamicsStep& step = steps[s];
    const double dt = s == 0 ? t : t - steps[s - 1].EndTime;
    double value;
    switch (step.Kind) {
    case 1:
        value = step.Rate * dt + step.StartValue;
        break;
    case 2:
        value = step.StartValue * std::exp(step.Rate * dt);
        break;
    default:
        value = step.StartValue;
        break;
    }
    step.CurrentValue = value;
    if (&steps == &ShareSteps)
        CurrentShareStep = static_cast<std::int32_t>(s);
    return value;
}

bool tSubPopulation::HasLevel(int k, int level) const
{
    if (k < 0 || static_cast<std::size_t>(k) >= Levels.size())
        return false;
    return Levels[static_cast<std::size_t>(k)] == level;
}

void tSubPopulation::DrawIndividual()
{
    const int n = VariableCount;
    if (n <= 0)
        return;
    // One deviate per variable, in order, before any is used.
    std::vector<double>& z = m_deviates;
    z.resize(static_cast<std::size_t>(n) + 1);
    for (int j = 1; j <= n; ++j)
        z[static_cast<std::size_t>(j)] = RandomNormal();
    auto& cells = Matrix.Cells;
    for (int i = 1; i <= n; ++i) {
        const auto& row = cells[static_cast<std::size_t>(i)];
        // Extended range: products of huge factors with opposite signs must
        // not cancel into not-a-number.
        long double sum = 0.0L;
        for (int j = 1; j <= i; ++j)
            sum += static_cast<long double>(row[static_cast<std::size_t>(j)]) * z[static_cast<std::size_t>(j)];
        const double x = static_cast<double>(Variables[static_cast<std::size_t>(i - 1)].CurrentMean + sum);
        cells[0][static_cast<std::size_t>(i)] = x;
        cells[static_cast<std::size_t>(i)][0] = x;
    }
}

double tSubPopulation::DrawnValue(int i) const
{
    if (i < 1 || i > VariableCount)
        return 0.0;
    return Matrix.Cells[0][static_cast<std::size_t>(i)];
}
