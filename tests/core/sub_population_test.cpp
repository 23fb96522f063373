#include "core/sub_population.h"

#include "core/random_numbers.h"
#include "core/variable_records.h"
#include "population_test_documents.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using population_test::LoadSample;
using population_test::LoadText;
using population_test::StudyXml;
using population_test::VarXml;

namespace {

double Cell(const tSubPopulation& g, int i, int j)
{
    return g.Matrix.Cells[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
}

// Two variables with the given deviations; `popCorr` and `groupCorr` are
// `elem` elements of the population-level and the group's correlation.
std::string TwoVariableStudy(const std::string& sd1, const std::string& sd2, const std::string& popCorr,
                             const std::string& groupCorr)
{
    return StudyXml("<variables><vardef name=\"A\"/><vardef name=\"B\"/><correlation>" + popCorr +
                    "</correlation></variables>"
                    "<group id=\"1\" color=\"1\"><percent><nominal value=\"1\"/></percent><variables>"
                    "<correlation>" +
                    groupCorr + "</correlation>" + VarXml("10", sd1) + VarXml("20", sd2) +
                    "</variables></group>");
}

tDynamicsStep Step(int kind, double duration, double finalValue)
{
    tDynamicsStep s;
    s.Kind = kind;
    s.Duration = duration;
    s.FinalValue = finalValue;
    return s;
}

// Chains steps as the group does: each starts at the previous final value.
std::vector<tDynamicsStep> Table(double start, std::vector<tDynamicsStep> steps)
{
    double end = 0.0;
    for (std::size_t s = 0; s < steps.size(); ++s) {
        steps[s].StartValue = s == 0 ? start : steps[s - 1].FinalValue;
        end += steps[s].Duration;
        steps[s].EndTime = end;
        steps[s].CurrentValue = steps[s].StartValue;
        tSubPopulation::DynamicsRate(steps[s]);
    }
    return steps;
}

class SubPopulationTest : public ::testing::Test {
protected:
    void SetUp() override { TraceList().Clear(); }
};

} // namespace

TEST_F(SubPopulationTest, CovarianceOfTwoVariablesFactorises)
{
    // sd 2 and 3, r 0.5: covariance [[4, 3], [3, 9]], factor [[2, 0], [1.5, sqrt(6.75)]].
    auto study = LoadText(TwoVariableStudy("2", "3", "<elem i=\"1\" j=\"2\" r=\"0.5\"/>", ""));
    tSubPopulation g(0, study.Root);
    ASSERT_EQ(g.VariableCount, 2);
    EXPECT_DOUBLE_EQ(Cell(g, 1, 1), 2.0);
    EXPECT_DOUBLE_EQ(Cell(g, 1, 2), 0.0);
    EXPECT_DOUBLE_EQ(Cell(g, 2, 1), 1.5);
    EXPECT_DOUBLE_EQ(Cell(g, 2, 2), std::sqrt(6.75));
    // L L^T gives the covariance back.
    EXPECT_DOUBLE_EQ(Cell(g, 2, 1) * Cell(g, 1, 1), 3.0);
    EXPECT_DOUBLE_EQ(Cell(g, 2, 1) * Cell(g, 2, 1) + Cell(g, 2, 2) * Cell(g, 2, 2), 9.0);
    ASSERT_EQ(TraceList().Count(), 1);
    EXPECT_EQ(TraceList().Strings(0), "Subgrupo 0 - Matriz de covarianzas OK (si admite Cholesky)");
}

TEST_F(SubPopulationTest, GroupCorrelationOverridesPopulationOne)
{
    // r -0.25 from the group wins over 0.5; given as (2, 1), it fills both cells.
    auto study = LoadText(TwoVariableStudy("2", "3", "<elem i=\"1\" j=\"2\" r=\"0,5\"/>",
                                           "<elem i=\"2\" j=\"1\" r=\"-0,25\"/>"));
    tSubPopulation g(0, study.Root);
    EXPECT_DOUBLE_EQ(Cell(g, 2, 1), -0.25 * 3.0);
    EXPECT_DOUBLE_EQ(Cell(g, 2, 2), 3.0 * std::sqrt(1.0 - 0.0625));

    // A group's r of 0 overrides too: the variables are then uncorrelated.
    auto zero = LoadText(TwoVariableStudy("2", "3", "<elem i=\"1\" j=\"2\" r=\"0.5\"/>", "<elem i=\"1\" j=\"2\" r=\"0\"/>"));
    tSubPopulation z(0, zero.Root);
    EXPECT_EQ(Cell(z, 2, 1), 0.0);
    EXPECT_EQ(Cell(z, 2, 2), 3.0);
}

TEST_F(SubPopulationTest, CorrelationsOutsideTheVariablesOrOnTheDiagonalAreIgnored)
{
    auto study = LoadText(TwoVariableStudy(
        "2", "3", "<elem i=\"0\" j=\"1\" r=\"0.5\"/><elem i=\"1\" j=\"3\" r=\"0.5\"/><elem i=\"-1\" j=\"2\" r=\"0.5\"/>",
        "<elem i=\"1\" j=\"1\" r=\"0.9\"/><elem i=\"2\" j=\"2\" r=\"0.9\"/>"));
    tSubPopulation g(0, study.Root);
    EXPECT_DOUBLE_EQ(Cell(g, 1, 1), 2.0);
    EXPECT_DOUBLE_EQ(Cell(g, 2, 1), 0.0);
    EXPECT_DOUBLE_EQ(Cell(g, 2, 2), 3.0);
}

TEST_F(SubPopulationTest, CorrelationOfOneFallsBackToIndependentDrawing)
{
    auto study = LoadText(TwoVariableStudy("2", "3", "<elem i=\"1\" j=\"2\" r=\"1\"/>", ""));
    tSubPopulation g(0, study.Root);
    ASSERT_EQ(TraceList().Count(), 1);
    EXPECT_EQ(TraceList().Strings(0), "Subgrupo 0 - ERROR - Matriz de covarianzas no admite Cholesky");
    EXPECT_EQ(Cell(g, 1, 1), 2.0);
    EXPECT_EQ(Cell(g, 1, 2), 0.0);
    EXPECT_EQ(Cell(g, 2, 1), 0.0);
    EXPECT_EQ(Cell(g, 2, 2), 3.0);
}

TEST_F(SubPopulationTest, HugeDeviationsGiveAFiniteFactor)
{
    // 1e200 squared overflows: the factor would hold NaN, so the diagonal is used.
    auto study = LoadText(TwoVariableStudy("1e200", "-1e200", "<elem i=\"1\" j=\"2\" r=\"0.5\"/>", ""));
    tSubPopulation g(0, study.Root);
    EXPECT_EQ(TraceList().Strings(0), "Subgrupo 0 - ERROR - Matriz de covarianzas no admite Cholesky");
    EXPECT_EQ(Cell(g, 1, 1), 1e200);
    EXPECT_EQ(Cell(g, 2, 2), -1e200);
    SetRandSeed(7);
    for (int k = 0; k < 100; ++k) {
        g.DrawIndividual();
        EXPECT_FALSE(std::isnan(g.DrawnValue(1)));
        EXPECT_FALSE(std::isnan(g.DrawnValue(2)));
    }
}

TEST_F(SubPopulationTest, SampleGroupsReadLevelsVariablesAndFactors)
{
    auto study = LoadSample("estudio_alturas_pesos.xml");
    tSubPopulation g0(0, study.Root);
    tSubPopulation g1(1, study.Root);
    tSubPopulation g2(2, study.Root);

    EXPECT_EQ(g0.Levels, (std::vector<std::int32_t>{1, 1}));
    EXPECT_EQ(g1.Levels, (std::vector<std::int32_t>{2, 2}));
    EXPECT_EQ(g2.Levels, (std::vector<std::int32_t>{3, 2}));
    EXPECT_TRUE(g2.HasLevel(0, 3));
    EXPECT_FALSE(g2.HasLevel(0, 2));
    EXPECT_FALSE(g2.HasLevel(2, 2));
    EXPECT_FALSE(g2.HasLevel(-1, 3));

    const tNumVar& v = g1.Variables[0];
    EXPECT_EQ(v.Id, 1);
    EXPECT_DOUBLE_EQ(v.NominalMean, 164.0);
    EXPECT_DOUBLE_EQ(v.StandardDeviation, 7.8);  // "7,8"
    EXPECT_DOUBLE_EQ(v.CurrentMean, 164.0);
    EXPECT_DOUBLE_EQ(v.ValidMinimum, 142.0);
    EXPECT_DOUBLE_EQ(v.ValidMaximum, 192.0);
    EXPECT_EQ(g1.Variables[1].Asymmetry, 45);
    EXPECT_DOUBLE_EQ(g0.NominalShare(), 30.0);

    // Factor: L11 = sd1, L21 = r sd2, L22 = sd2 sqrt(1 - r^2).
    EXPECT_DOUBLE_EQ(Cell(g0, 1, 1), 7.2);
    EXPECT_NEAR(Cell(g0, 2, 1), 5.1, 1e-12);   // 0.6 * 8.5
    EXPECT_NEAR(Cell(g0, 2, 2), 6.8, 1e-12);   // 8.5 * 0.8
    EXPECT_DOUBLE_EQ(Cell(g1, 1, 1), 7.8);
    EXPECT_NEAR(Cell(g1, 2, 1), 3.5, 1e-12);   // the group's own r = 0.35
    EXPECT_NEAR(Cell(g1, 2, 2), std::sqrt(87.75), 1e-12);
    EXPECT_DOUBLE_EQ(Cell(g2, 1, 1), 7.0);
    EXPECT_NEAR(Cell(g2, 2, 1), 6.9, 1e-12);
    EXPECT_NEAR(Cell(g2, 2, 2), 9.2, 1e-12);

    ASSERT_EQ(TraceList().Count(), 3);
    EXPECT_EQ(TraceList().Strings(2), "Subgrupo 2 - Matriz de covarianzas OK (si admite Cholesky)");
}

TEST_F(SubPopulationTest, StepsChainAndSetHorizon)
{
    auto study = LoadSample("estudio_alturas_pesos.xml");
    tSubPopulation g0(0, study.Root);
    ASSERT_EQ(g0.ShareSteps.size(), 2u);
    const tDynamicsStep& s0 = g0.ShareSteps[0];
    const tDynamicsStep& s1 = g0.ShareSteps[1];
    EXPECT_EQ(s0.Index, 1);
    EXPECT_EQ(s0.Kind, 1);
    EXPECT_DOUBLE_EQ(s0.StartValue, 30.0);
    EXPECT_DOUBLE_EQ(s0.FinalValue, 40.0);
    EXPECT_DOUBLE_EQ(s0.EndTime, 60.0);
    EXPECT_DOUBLE_EQ(s0.Rate, 10.0 / 60.0);
    EXPECT_DOUBLE_EQ(s1.StartValue, 40.0);
    EXPECT_DOUBLE_EQ(s1.EndTime, 180.0);
    EXPECT_DOUBLE_EQ(s1.Rate, std::log(25.0 / 40.0) / 120.0);
    EXPECT_DOUBLE_EQ(g0.Variables[0].Dynamics[0].Tolerance, 0.5);  // "0,5"
    EXPECT_DOUBLE_EQ(g0.Variables[0].Dynamics[0].StartValue, 166.5);
    // Share steps 60 + 120; the longest variable course is 120.
    EXPECT_DOUBLE_EQ(g0.Horizon, 180.0);
    EXPECT_EQ(g0.StepCount, 2);

    tSubPopulation g1(1, study.Root);
    EXPECT_DOUBLE_EQ(g1.Horizon, 0.0);
    EXPECT_EQ(g1.StepCount, 0);
    tSubPopulation g2(2, study.Root);
    EXPECT_DOUBLE_EQ(g2.Horizon, 240.0);  // share 240, variable 180
    EXPECT_EQ(g2.StepCount, 1);
}

TEST_F(SubPopulationTest, SampleShareCourseAtChosenTimes)
{
    auto study = LoadSample("estudio_alturas_pesos.xml");
    tSubPopulation g(0, study.Root);
    auto share = [&](double t) { return g.EvalDynamics(g.ShareSteps, t, g.NominalShare()); };
    EXPECT_DOUBLE_EQ(share(0.0), 30.0);
    EXPECT_DOUBLE_EQ(share(30.0), 35.0);  // linear 30 -> 40 over 60
    EXPECT_EQ(g.CurrentShareStep, 0);
    EXPECT_DOUBLE_EQ(share(60.0), 40.0);  // the end time belongs to the step
    EXPECT_EQ(g.CurrentShareStep, 0);
    EXPECT_DOUBLE_EQ(share(120.0), 40.0 * std::sqrt(0.625));  // exponential 40 -> 25 over 120, half-way
    EXPECT_EQ(g.CurrentShareStep, 1);
    EXPECT_DOUBLE_EQ(g.ShareSteps[1].CurrentValue, 40.0 * std::sqrt(0.625));
    EXPECT_NEAR(share(180.0), 25.0, 1e-12);
    EXPECT_NEAR(share(240.0), 40.0 * std::pow(0.625, 1.5), 1e-12);  // keeps shrinking past the end
    EXPECT_EQ(g.CurrentShareStep, 1);
    // A mean course leaves the share step where it was.
    g.EvalDynamics(g.Variables[0].Dynamics, 0.0, g.Variables[0].NominalMean);
    EXPECT_EQ(g.CurrentShareStep, 1);
}

TEST_F(SubPopulationTest, StepKindsFollowTheirFormulas)
{
    auto study = LoadText(TwoVariableStudy("1", "1", "", ""));
    tSubPopulation g(0, study.Root);

    auto linear = Table(10.0, {Step(1, 60.0, 20.0)});
    EXPECT_DOUBLE_EQ(g.EvalDynamics(linear, 30.0, 0.0), 15.0);
    EXPECT_DOUBLE_EQ(g.EvalDynamics(linear, 60.0, 0.0), 20.0);
    EXPECT_DOUBLE_EQ(g.EvalDynamics(linear, 90.0, 0.0), 25.0);  // extrapolated
    EXPECT_DOUBLE_EQ(linear[0].CurrentValue, 25.0);

    auto exponential = Table(10.0, {Step(2, 60.0, 20.0)});
    EXPECT_DOUBLE_EQ(g.EvalDynamics(exponential, 30.0, 0.0), 10.0 * std::sqrt(2.0));
    EXPECT_DOUBLE_EQ(g.EvalDynamics(exponential, 60.0, 0.0), 20.0);
    EXPECT_DOUBLE_EQ(g.EvalDynamics(exponential, 120.0, 0.0), 40.0);

    auto constant = Table(10.0, {Step(0, 60.0, 20.0)});
    EXPECT_EQ(constant[0].Rate, 0.0);
    EXPECT_EQ(g.EvalDynamics(constant, 30.0, 0.0), 10.0);
    EXPECT_EQ(g.EvalDynamics(constant, 600.0, 0.0), 10.0);
    auto otherKind = Table(10.0, {Step(7, 60.0, 20.0)});
    EXPECT_EQ(g.EvalDynamics(otherKind, 30.0, 0.0), 10.0);

    // Second step starts where the first ended.
    auto chain = Table(10.0, {Step(1, 60.0, 20.0), Step(1, 40.0, 0.0)});
    EXPECT_DOUBLE_EQ(g.EvalDynamics(chain, 60.0, 0.0), 20.0);
    EXPECT_DOUBLE_EQ(g.EvalDynamics(chain, 80.0, 0.0), 10.0);
    EXPECT_DOUBLE_EQ(g.EvalDynamics(chain, 100.0, 0.0), 0.0);
    EXPECT_DOUBLE_EQ(g.EvalDynamics(chain, 110.0, 0.0), -5.0);

    // Exponential with a start or final value of 0 or below stays put.
    for (auto [start, fin] : {std::pair{0.0, 20.0}, std::pair{10.0, 0.0}, std::pair{-5.0, 20.0}}) {
        auto flat = Table(start, {Step(2, 60.0, fin)});
        EXPECT_EQ(flat[0].Rate, 0.0);
        EXPECT_EQ(g.EvalDynamics(flat, 30.0, 0.0), start);
    }

    std::vector<tDynamicsStep> empty;
    EXPECT_EQ(g.EvalDynamics(empty, 30.0, 42.0), 42.0);
}

TEST_F(SubPopulationTest, AStepStartsAtTheFinalValueOfTheOneBefore)
{
    // The constant share step never reaches its `final` of 99, yet the next
    // step starts there: 99 -> 109 over 10 minutes. The mean steps alike:
    // constant at 5, then exponential 7 -> 14 over 10 minutes.
    auto study = LoadText(StudyXml(
        "<variables><vardef name=\"X\"/></variables>"
        "<group><percent><nominal value=\"10\"/><dynamics type=\"0\" time=\"10\" final=\"99\"/>"
        "<dynamics type=\"1\" time=\"10\" final=\"109\"/></percent><variables>" +
        VarXml("5", "1", "0", "100",
               "<dynamics type=\"3\" time=\"10\" final=\"7\"/><dynamics type=\"2\" time=\"10\" final=\"14\"/>") +
        "</variables></group>"));
    tSubPopulation g(0, study.Root);
    ASSERT_EQ(g.ShareSteps.size(), 2u);
    EXPECT_EQ(g.ShareSteps[1].StartValue, 99.0);
    EXPECT_EQ(g.EvalDynamics(g.ShareSteps, 10.0, 0.0), 10.0);
    EXPECT_DOUBLE_EQ(g.EvalDynamics(g.ShareSteps, 15.0, 0.0), 104.0);
    EXPECT_EQ(g.CurrentShareStep, 1);
    EXPECT_DOUBLE_EQ(g.EvalDynamics(g.ShareSteps, 20.0, 0.0), 109.0);

    std::vector<tDynamicsStep>& mean = g.Variables[0].Dynamics;
    EXPECT_EQ(g.EvalDynamics(mean, 10.0, 0.0), 5.0);
    EXPECT_DOUBLE_EQ(g.EvalDynamics(mean, 15.0, 0.0), 7.0 * std::sqrt(2.0));
}

TEST_F(SubPopulationTest, RateRunsFromTheCurrentValue)
{
    // Start 10, current 16: linear (20 - 16) / 8 = 0.5; exponential from a
    // current 5 to 20 over 2 minutes: ln 4 / 2 = ln 2.
    tDynamicsStep linear = Step(1, 8.0, 20.0);
    linear.StartValue = 10.0;
    linear.CurrentValue = 16.0;
    EXPECT_DOUBLE_EQ(tSubPopulation::DynamicsRate(linear), 0.5);
    EXPECT_DOUBLE_EQ(linear.Rate, 0.5);
    tDynamicsStep exponential = Step(2, 2.0, 20.0);
    exponential.StartValue = -1.0;
    exponential.CurrentValue = 5.0;
    EXPECT_DOUBLE_EQ(tSubPopulation::DynamicsRate(exponential), std::log(2.0));
    EXPECT_DOUBLE_EQ(exponential.Rate, std::log(2.0));
}

TEST_F(SubPopulationTest, StepOfNoDurationHasFiniteValues)
{
    auto study = LoadText(TwoVariableStudy("1", "1", "", ""));
    tSubPopulation g(0, study.Root);
    for (int kind : {1, 2}) {
        auto table = Table(10.0, {Step(kind, 0.0, 20.0)});
        EXPECT_EQ(table[0].Rate, 0.0);
        EXPECT_EQ(g.EvalDynamics(table, 0.0, 0.0), 10.0);
        EXPECT_EQ(g.EvalDynamics(table, 30.0, 0.0), 10.0);
        // A later step starts at its final value.
        auto chain = Table(10.0, {Step(kind, 0.0, 20.0), Step(1, 10.0, 30.0)});
        EXPECT_DOUBLE_EQ(g.EvalDynamics(chain, 5.0, 0.0), 25.0);
    }
    // 0/0 and 10/0 in the rate formulas.
    auto same = Table(10.0, {Step(1, 0.0, 10.0)});
    EXPECT_EQ(same[0].Rate, 0.0);
}

TEST_F(SubPopulationTest, DrawIndividualCombinesDeviatesInOrder)
{
    auto study = LoadText(TwoVariableStudy("2", "3", "<elem i=\"1\" j=\"2\" r=\"0.5\"/>", ""));
    tSubPopulation g(0, study.Root);
    SetRandSeed(12345);
    const double z1 = RandomNormal();
    const double z2 = RandomNormal();
    SetRandSeed(12345);
    g.DrawIndividual();
    const double x1 = 10.0 + 2.0 * z1;
    const double x2 = 20.0 + 1.5 * z1 + std::sqrt(6.75) * z2;
    EXPECT_NEAR(g.DrawnValue(1), x1, 1e-12);
    EXPECT_NEAR(g.DrawnValue(2), x2, 1e-12);
    EXPECT_EQ(Cell(g, 0, 1), g.DrawnValue(1));
    EXPECT_EQ(Cell(g, 1, 0), g.DrawnValue(1));
    EXPECT_EQ(Cell(g, 2, 0), g.DrawnValue(2));
    EXPECT_EQ(g.DrawnValue(0), 0.0);
    EXPECT_EQ(g.DrawnValue(3), 0.0);
    // The factor itself is untouched.
    EXPECT_DOUBLE_EQ(Cell(g, 2, 1), 1.5);
}

TEST_F(SubPopulationTest, GroupWithoutVariablesDrawsNothing)
{
    auto study = LoadText(StudyXml("<group><percent><nominal value=\"5\"/></percent></group>"));
    tSubPopulation g(0, study.Root);
    EXPECT_EQ(g.VariableCount, 0);
    SetRandSeed(99);
    g.DrawIndividual();
    EXPECT_EQ(RandSeed(), 99u);
    EXPECT_EQ(TraceList().Strings(0), "Subgrupo 0 - Matriz de covarianzas OK (si admite Cholesky)");
}

TEST_F(SubPopulationTest, MissingItemsReadAsEmptyElements)
{
    // Two categorical variables but one `category`; three definitions but one `var`.
    auto study = LoadText(StudyXml(
        "<categories><catvar name=\"A\"><cat>x</cat></catvar><catvar name=\"B\"><cat>y</cat></catvar></categories>"
        "<variables><vardef name=\"U\"/><vardef name=\"V\"/><vardef name=\"W\"/>"
        "<correlation><elem i=\"1\" j=\"3\" r=\"0.5\"/></correlation></variables>"
        "<group><percent><nominal value=\"5\"/></percent><variables><category catid=\"1\"/>" +
        VarXml("5", "2") + "</variables></group>"));
    tSubPopulation g(0, study.Root);
    EXPECT_EQ(g.Levels, (std::vector<std::int32_t>{1, 0}));
    ASSERT_EQ(g.VariableCount, 3);
    ASSERT_EQ(g.Variables.size(), 3u);
    EXPECT_EQ(g.Variables[2].NominalMean, -999.999);
    EXPECT_EQ(g.Variables[2].StandardDeviation, -999.999);
    SetRandSeed(3);
    g.DrawIndividual();
    for (int i = 1; i <= 3; ++i)
        EXPECT_TRUE(std::isfinite(g.DrawnValue(i)));
}

TEST_F(SubPopulationTest, DrawnGroupsMatchTheirModel)
{
    // 10^5 individuals per group: mean, deviation and correlation within four
    // standard errors (se(mean) = sd/sqrt(N), se(sd) ~ sd/sqrt(2N), se(r) ~ (1 - r^2)/sqrt(N)).
    auto study = LoadSample("estudio_alturas_pesos.xml");
    struct Expected {
        double m1, sd1, m2, sd2, r;
    };
    const Expected expected[] = {{166.5, 7.2, 58.0, 8.5, 0.6}, {164.0, 7.8, 61.5, 10.0, 0.35}, {168.0, 7.0, 63.0, 11.5, 0.6}};
    const int N = 100000;
    SetRandSeed(20261208);
    for (int gi = 0; gi < 3; ++gi) {
        tSubPopulation g(gi, study.Root);
        const auto m = population_test::DrawMoments(g, N);
        const Expected& e = expected[gi];
        const double n = N;
        EXPECT_NEAR(m.Mean1, e.m1, 4 * e.sd1 / std::sqrt(n)) << gi;
        EXPECT_NEAR(m.Mean2, e.m2, 4 * e.sd2 / std::sqrt(n)) << gi;
        EXPECT_NEAR(m.Sd1, e.sd1, 4 * e.sd1 / std::sqrt(2 * n)) << gi;
        EXPECT_NEAR(m.Sd2, e.sd2, 4 * e.sd2 / std::sqrt(2 * n)) << gi;
        EXPECT_NEAR(m.R, e.r, 4 * (1 - e.r * e.r) / std::sqrt(n)) << gi;
    }
}

TEST_F(SubPopulationTest, SecondSampleUsesThePopulationCorrelation)
{
    // Neither group has its own correlation: r = 0.7 ("0,7") from the
    // population. Group 0: sd 16 and 10, covariance [[256, 112], [112, 100]],
    // factor [[16, 0], [112 / 16 = 7, 10 sqrt(0.51)]]; group 1: sd 14 and 9, factor
    // [[14, 0], [6.3, 9 sqrt(0.51)]].
    auto study = LoadSample("estudio_presion_arterial.xml");
    tSubPopulation g0(0, study.Root);
    tSubPopulation g1(1, study.Root);
    EXPECT_DOUBLE_EQ(Cell(g0, 1, 1), 16.0);
    EXPECT_NEAR(Cell(g0, 2, 1), 7.0, 1e-12);
    EXPECT_NEAR(Cell(g0, 2, 2), 10.0 * std::sqrt(0.51), 1e-12);
    EXPECT_EQ(Cell(g0, 1, 2), 0.0);
    EXPECT_DOUBLE_EQ(Cell(g1, 1, 1), 14.0);
    EXPECT_NEAR(Cell(g1, 2, 1), 6.3, 1e-12);
    EXPECT_NEAR(Cell(g1, 2, 2), 9.0 * std::sqrt(0.51), 1e-12);
    EXPECT_EQ(g0.Levels, (std::vector<std::int32_t>{1}));
    EXPECT_EQ(g1.Levels, (std::vector<std::int32_t>{3}));
    // Share 35 -> 20 over 120 minutes; the systolic mean of group 1 126 -> 124.
    EXPECT_DOUBLE_EQ(g0.EvalDynamics(g0.ShareSteps, 60.0, g0.NominalShare()), 27.5);
    EXPECT_DOUBLE_EQ(g1.EvalDynamics(g1.Variables[0].Dynamics, 60.0, g1.Variables[0].NominalMean), 125.0);
    EXPECT_DOUBLE_EQ(g0.Horizon, 120.0);
    EXPECT_DOUBLE_EQ(g1.Horizon, 120.0);
    ASSERT_EQ(TraceList().Count(), 2);
    EXPECT_EQ(TraceList().Strings(0), "Subgrupo 0 - Matriz de covarianzas OK (si admite Cholesky)");
    EXPECT_EQ(TraceList().Strings(1), "Subgrupo 1 - Matriz de covarianzas OK (si admite Cholesky)");
}
