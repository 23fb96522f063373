#include "core/population_model.h"

#include "base/name_matching.h"
#include "core/random_numbers.h"
#include "testing/settable_clock.h"
#include "population_test_documents.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

using population_test::LoadSample;
using population_test::LoadText;
using population_test::StudyXml;
using population_test::VarXml;

namespace {

// 1/sqrt(2 pi)
constexpr double kInvSqrt2Pi = 0.398942280401432677940;

// Combo box items in memory; a sorted list orders them ignoring ASCII case.
class FakeCombo : public IComboItems {
public:
    void Clear() override { items.clear(); }
    void Add(const std::string& text) override
    {
        items.push_back(text);
        if (sorted)
            Sort();
    }
    void SetSorted(bool s) override
    {
        sorted = s;
        if (sorted)
            Sort();
    }
    int Count() const override { return static_cast<int>(items.size()); }
    std::string Item(int index) const override { return items.at(static_cast<std::size_t>(index)); }
    void SetItemIndex(int index) override
    {
        itemIndex = index;
        ++selections;
    }

    std::vector<std::string> items;
    bool sorted = false;
    int itemIndex = -2;
    int selections = 0;

private:
    void Sort()
    {
        std::stable_sort(items.begin(), items.end(),
                         [](const std::string& a, const std::string& b) { return LowerAscii(a) < LowerAscii(b); });
    }
};

std::string Group(int value, const std::string& variables, const std::string& color = "1",
                  const std::string& shareSteps = "")
{
    return "<group id=\"1\" color=\"" + color + "\"><percent><nominal value=\"" + std::to_string(value) + "\"/>" +
           shareSteps + "</percent><variables>" + variables + "</variables></group>";
}

} // namespace

TEST(PopulationModel, SampleStudyIsReadAsWritten)
{
    auto study = LoadSample("estudio_alturas_pesos.xml");
    tPopulation p(study.Root);

    EXPECT_EQ(p.Name, "Alumnado de 15 años");
    // Entry 0 fixed, then clRed, clWebDarkOrange (#FF8C00), clWebSteelBlue (#4682B4),
    // clGreen, clWebGold (#FFD700), clPurple, clTeal, red in the low byte.
    EXPECT_EQ(p.Palette, (std::vector<TColor>{0x800000, 0x0000FF, 0x008CFF, 0xB48246, 0x008000, 0x00D7FF, 0x800080,
                                              0x808000}));

    ASSERT_EQ(p.GroupCount, 3);
    ASSERT_EQ(p.Groups.size(), 3u);
    EXPECT_EQ(p.Groups[0]->Color, 0x008000u);
    EXPECT_EQ(p.Groups[1]->Color, 0x00D7FFu);
    EXPECT_EQ(p.Groups[2]->Color, 0x800080u);
    // Shares 30, 50, 20 out of 100.
    ASSERT_EQ(p.Weights.size(), 3u);
    EXPECT_DOUBLE_EQ(p.Weights[0], 0.3);
    EXPECT_DOUBLE_EQ(p.Weights[1], 0.5);
    EXPECT_DOUBLE_EQ(p.Weights[2], 0.2);
    EXPECT_DOUBLE_EQ(p.Groups[1]->Weight, 0.5);

    ASSERT_EQ(p.CatVarCount, 2);
    const tCatVar& zona = p.CatVars[0];
    EXPECT_EQ(zona.Id, 1);
    EXPECT_EQ(zona.Name, "Zona");
    EXPECT_EQ(zona.Label, "Zona de residencia");
    EXPECT_EQ(zona.Color, 0x00D7FFu);
    EXPECT_EQ(zona.SamplingMeter, 1);
    ASSERT_EQ(zona.LevelCount, 3);
    EXPECT_EQ(zona.Levels[2].Label, "Área urbana");
    EXPECT_EQ(zona.Levels[2].Id, 3);
    EXPECT_EQ(zona.Levels[2].Color, 0x800080u);
    EXPECT_EQ(zona.Levels[2].Share, 0.0);  // until the shares are updated
    EXPECT_EQ(zona.Levels[0].Label, "Montaña");
    EXPECT_EQ(zona.Levels[0].Color, 0x008000u);
    EXPECT_EQ(zona.Levels[1].Label, "Campiña");
    EXPECT_EQ(zona.Levels[1].Color, 0x00D7FFu);
    const tCatVar& deporte = p.CatVars[1];
    EXPECT_EQ(deporte.Id, 2);
    EXPECT_EQ(deporte.Name, "Deporte");
    EXPECT_EQ(deporte.Label, "Práctica deportiva habitual");
    EXPECT_EQ(deporte.Color, 0x808000u);  // colour 7: clTeal
    EXPECT_EQ(deporte.SamplingMeter, 2);
    ASSERT_EQ(deporte.LevelCount, 2);
    EXPECT_EQ(deporte.Levels[0].Label, "Sí");
    EXPECT_EQ(deporte.Levels[0].Color, 0x008000u);
    EXPECT_EQ(deporte.Levels[1].Label, "No");
    EXPECT_EQ(deporte.Levels[1].Id, 2);
    EXPECT_EQ(p.CatVars[1].Levels[1].Color, 0x0000FFu);

    ASSERT_EQ(p.NumVarCount, 2);
    const tNumVarDef& altura = p.NumVarDefs[0];
    EXPECT_EQ(altura.Name, "Altura");
    EXPECT_EQ(altura.Description, "Estatura en centímetros, descalzo");
    EXPECT_EQ(altura.Units, "cm");
    EXPECT_EQ(altura.Decimals, 1);
    EXPECT_EQ(altura.DistributionKind, 1);
    EXPECT_EQ(altura.Color, 0x0000FFu);
    EXPECT_EQ(altura.SamplingMeter, 1);
    // Valid ranges 145-195, 142-192, 146-198 lie inside 140-200.
    EXPECT_EQ(altura.Minimum, 140.0);
    EXPECT_EQ(altura.Maximum, 200.0);
    EXPECT_EQ(p.Groups[2]->Variables[1].Definition.Name, "Peso");
    // Peso: 35-110 holds the valid ranges 38-100, 36-108, 38-110; colour 2 is clWebDarkOrange.
    const tNumVarDef& peso = p.NumVarDefs[1];
    EXPECT_EQ(peso.Description, "Peso corporal en kilogramos");
    EXPECT_EQ(peso.Units, "kg");
    EXPECT_EQ(peso.Decimals, 1);
    EXPECT_EQ(peso.DistributionKind, 1);
    EXPECT_EQ(peso.Color, 0x008CFFu);
    EXPECT_EQ(peso.SamplingMeter, 2);
    EXPECT_EQ(peso.Minimum, 35.0);
    EXPECT_EQ(peso.Maximum, 110.0);

    EXPECT_EQ(p.SampleSizeMin, 5.0);
    EXPECT_EQ(p.SampleSizeMax, 200.0);
    EXPECT_EQ(p.UnitMeasures, 1);
    EXPECT_EQ(p.Extendable, 1);
    EXPECT_EQ(p.SpeedMin, 1);
    EXPECT_EQ(p.SpeedMax, 400);
    EXPECT_EQ(p.Speed, 1.0);
    EXPECT_EQ(p.Horizon, 240.0);
    EXPECT_EQ(p.SimulatedMinutes, 240.0);
    EXPECT_EQ(p.RunMinutes, 240.0);
}

TEST(PopulationModel, SecondSampleStudy)
{
    auto study = LoadSample("estudio_presion_arterial.xml");
    tPopulation p(study.Root);
    // clWebCrimson #DC143C, clWebRoyalBlue #4169E1, clGray, clWebForestGreen #228B22, clWebDarkOrange.
    EXPECT_EQ(p.Palette, (std::vector<TColor>{0x800000, 0x3C14DC, 0xE16941, 0x808080, 0x228B22, 0x008CFF}));
    EXPECT_DOUBLE_EQ(p.Weights[0], 0.35);
    EXPECT_DOUBLE_EQ(p.Weights[1], 0.65);
    EXPECT_EQ(p.NumVarColor("sistólica"), 0x3C14DCu);
    EXPECT_EQ(p.NumVarDefs[1].Decimals, 0);
    EXPECT_EQ(p.SampleSizeMin, 10.0);
    EXPECT_EQ(p.Extendable, 0);
    p.UpdateLevelShares();
    const auto& levels = p.CatVars[0].Levels;
    EXPECT_DOUBLE_EQ(levels[0].Share, 0.35);
    EXPECT_EQ(levels[1].Share, 0.0);
    EXPECT_DOUBLE_EQ(levels[2].Share, 0.65);
}

TEST(PopulationModel, DefinitionsWidenToTheGroupsValidRanges)
{
    auto study = LoadText(StudyXml("<variables><vardef name=\"X\" min=\"10\" max=\"20\" refdist=\"UNIFORM\"/>"
                                   "<vardef name=\"Y\" min=\"abc\" max=\"1\"/></variables>" +
                                   Group(1, VarXml("12", "1", "5", "15") + VarXml("0", "1", "0", "2")) +
                                   Group(1, VarXml("12", "1", "12", "30") + VarXml("0", "1", "-3", "0,5"))));
    tPopulation p(study.Root);
    EXPECT_EQ(p.NumVarDefs[0].Minimum, 5.0);
    EXPECT_EQ(p.NumVarDefs[0].Maximum, 30.0);
    EXPECT_EQ(p.NumVarDefs[0].DistributionKind, 2);
    // Each group holds the definition as it stood before its own widening.
    EXPECT_EQ(p.Groups[0]->Variables[0].Definition.Minimum, 10.0);
    EXPECT_EQ(p.Groups[0]->Variables[0].Definition.Maximum, 20.0);
    EXPECT_EQ(p.Groups[1]->Variables[0].Definition.Minimum, 5.0);
    EXPECT_EQ(p.Groups[1]->Variables[0].Definition.Maximum, 20.0);
    // "abc" is no number: -999.999 stays the smaller.
    EXPECT_EQ(p.Groups[0]->Variables[1].Definition.Minimum, -999.999);
    EXPECT_EQ(p.NumVarDefs[1].Minimum, -999.999);
    EXPECT_EQ(p.NumVarDefs[1].Maximum, 2.0);
}

TEST(PopulationModel, ColourIndicesOutsideThePaletteGiveTheFirstEntry)
{
    auto study = LoadText(StudyXml("<categories><catvar name=\"C\" color=\"3\"><cat color=\"4\">a</cat>"
                                   "<cat color=\"-1\">b</cat><cat color=\"0\">c</cat></catvar></categories>" +
                                   Group(1, "", "0") + Group(1, "", "99") + Group(1, "", "2")));
    tPopulation p(study.Root);
    EXPECT_EQ(p.Groups[0]->Color, 0x800000u);
    EXPECT_EQ(p.Groups[1]->Color, 0x800000u);
    EXPECT_EQ(p.Groups[2]->Color, 0x008000u);
    EXPECT_EQ(p.CatVars[0].Color, 0xFF0000u);
    EXPECT_EQ(p.LevelColor(0, 0), 0x800000u);
    EXPECT_EQ(p.LevelColor(0, 1), 0x800000u);
    EXPECT_EQ(p.LevelColor(0, 2), 0x800000u);
    EXPECT_EQ(p.LevelColor(0, 3), 0u);  // no such level
    EXPECT_EQ(p.LevelColor(1, 0), 0u);
    EXPECT_EQ(p.PaletteColor(1), 0x0000FFu);
}

TEST(PopulationModel, LookUpsByName)
{
    auto study = LoadSample("estudio_alturas_pesos.xml");
    tPopulation p(study.Root);
    EXPECT_EQ(p.FindNumVar("  pESO\t"), 1);
    EXPECT_EQ(p.FindNumVar("Zona"), -1);
    EXPECT_EQ(p.FindCatVar("deporte "), 1);
    EXPECT_EQ(p.FindCatVar(""), -1);

    TVariableRef r = p.FindVariable("ALTURA");
    EXPECT_EQ(r.Kind, 0);
    EXPECT_EQ(r.Index, 0);
    r = p.FindVariable("zona");
    EXPECT_EQ(r.Kind, 1);
    EXPECT_EQ(r.Index, 0);
    r = p.FindVariable("Edad");
    EXPECT_EQ(r.Kind, 2);
    EXPECT_EQ(r.Index, -1);

    EXPECT_EQ(p.LevelLabel(0, 2), "Campiña");
    EXPECT_EQ(p.LevelLabel(0, 0), "");
    EXPECT_EQ(p.LevelLabel(0, 4), "");
    EXPECT_EQ(p.LevelLabel(5, 1), "");
    EXPECT_EQ(p.LevelColor(1, 0), 0x008000u);  // Sí
    EXPECT_EQ(p.FindLevel(0, " ÁREA urbana "), 3);
    EXPECT_EQ(p.FindLevel(0, "área urbana"), 1);  // only A-Z fold
    EXPECT_EQ(p.FindLevel(0, "Ninguna"), 1);
    EXPECT_EQ(p.FindLevel(9, "No"), 1);
    EXPECT_EQ(p.NumVarColor("Peso"), 0x008CFFu);
    EXPECT_EQ(p.NumVarColor("Zona"), 0u);
    EXPECT_EQ(p.GroupLevel(2, 0), 3);
    EXPECT_EQ(p.GroupLevel(2, 1), 2);
    EXPECT_EQ(p.GroupLevel(3, 0), 0);
    EXPECT_EQ(p.GroupLevel(0, 2), 0);
}

TEST(PopulationModel, CategoricalNameWinsOverNumericOne)
{
    auto study = LoadText(StudyXml("<categories><catvar name=\"Dup\"/></categories>"
                                   "<variables><vardef name=\"x\"/><vardef name=\"DUP\"/></variables>"));
    tPopulation p(study.Root);
    EXPECT_EQ(p.FindNumVar("dup"), 1);
    const TVariableRef r = p.FindVariable("dup");
    EXPECT_EQ(r.Kind, 1);
    EXPECT_EQ(r.Index, 0);
}

TEST(PopulationModel, StoredNamesAreNotTrimmedForLookUp)
{
    auto study = LoadText(StudyXml("<variables><vardef name=\" Padded \"/></variables>"));
    tPopulation p(study.Root);
    EXPECT_EQ(p.FindNumVar("Padded"), -1);
    EXPECT_EQ(p.FindNumVar(" Padded "), -1);
    FakeCombo combo;
    p.FillNumVarCombo(combo, "padded", false);
    EXPECT_EQ(combo.items, (std::vector<std::string>{"Padded"}));
    EXPECT_EQ(combo.itemIndex, 0);
}

TEST(PopulationModel, TimeCoursesMoveWeightsMeansAndShares)
{
    auto study = LoadSample("estudio_alturas_pesos.xml");
    tPopulation p(study.Root);

    // t = 120: group 0 in its exponential step 40 -> 25 (half-way: 40 sqrt(0.625)),
    // group 1 constant 50, group 2 linear 20 -> 35 over 240 (27.5).
    p.UpdateGroupWeights(120.0);
    const double s0 = 40.0 * std::sqrt(0.625), s1 = 50.0, s2 = 27.5;
    const double sum = s0 + s1 + s2;
    EXPECT_DOUBLE_EQ(p.Weights[0], s0 / sum);
    EXPECT_DOUBLE_EQ(p.Weights[1], s1 / sum);
    EXPECT_DOUBLE_EQ(p.Weights[2], s2 / sum);
    EXPECT_DOUBLE_EQ(p.Groups[2]->Weight, s2 / sum);
    EXPECT_EQ(p.Groups[0]->CurrentShareStep, 1);

    p.UpdateLevelShares();
    EXPECT_DOUBLE_EQ(p.CatVars[0].Levels[0].Share, s0 / sum);
    EXPECT_DOUBLE_EQ(p.CatVars[0].Levels[2].Share, s2 / sum);
    EXPECT_DOUBLE_EQ(p.CatVars[1].Levels[0].Share, s0 / sum);
    EXPECT_NEAR(p.CatVars[1].Levels[1].Share, (s1 + s2) / sum, 1e-15);

    // Means: group 0 height linear 166.5 -> 168 over 120; group 2 weight
    // exponential 63 -> 66.5 over 180; the others keep their nominal means.
    p.UpdateMeans(60.0);
    EXPECT_DOUBLE_EQ(p.Groups[0]->Variables[0].CurrentMean, 167.25);
    EXPECT_DOUBLE_EQ(p.Groups[0]->Variables[1].CurrentMean, 58.0);
    EXPECT_DOUBLE_EQ(p.Groups[2]->Variables[1].CurrentMean, 63.0 * std::pow(66.5 / 63.0, 60.0 / 180.0));
    p.UpdateMeans(180.0);
    EXPECT_DOUBLE_EQ(p.Groups[2]->Variables[1].CurrentMean, 66.5);
    p.UpdateMeans(240.0);  // past the end: extrapolated
    EXPECT_DOUBLE_EQ(p.Groups[0]->Variables[0].CurrentMean, 169.5);
    EXPECT_DOUBLE_EQ(p.Groups[1]->Variables[0].CurrentMean, 164.0);
}

TEST(PopulationModel, ModelRangePeakDensity)
{
    auto study = LoadSample("estudio_alturas_pesos.xml");
    tPopulation p(study.Root);
    // Normal density at the mean: 1 / (sqrt(2 pi) sd) for sd 7.2, 7.8, 7.0.
    auto r = p.ModelRange(0, true);
    EXPECT_EQ(r[0], 140.0);
    EXPECT_EQ(r[1], 200.0);
    EXPECT_EQ(r[2], 0.0);
    EXPECT_NEAR(r[3], kInvSqrt2Pi / 7.0, 1e-15);
    r = p.ModelRange(0, false);
    EXPECT_NEAR(r[3], kInvSqrt2Pi * (0.3 / 7.2 + 0.5 / 7.8 + 0.2 / 7.0), 1e-15);
    r = p.ModelRange(1, true);
    EXPECT_EQ(r[0], 35.0);
    EXPECT_NEAR(r[3], kInvSqrt2Pi / 8.5, 1e-15);
    r = p.ModelRange(2, true);
    EXPECT_EQ(r, (std::array<double, 4>{0.0, 0.0, 0.0, 0.0}));
}

TEST(PopulationModel, ModelRangeOfGroupsWithoutSpreadStaysFinite)
{
    auto study = LoadText(StudyXml("<variables><vardef name=\"X\"/></variables>" + Group(1, VarXml("5", "0")) +
                                   Group(1, VarXml("5", "-2")) + Group(2, VarXml("5", "4"))));
    tPopulation p(study.Root);
    auto r = p.ModelRange(0, true);
    EXPECT_NEAR(r[3], kInvSqrt2Pi / 2.0, 1e-15);  // |sd| = 2; sd 0 has no density
    r = p.ModelRange(0, false);
    EXPECT_NEAR(r[3], kInvSqrt2Pi * (0.25 / 2.0 + 0.5 / 4.0), 1e-15);
}

TEST(PopulationModel, ClockInModelMinutes)
{
    platform::SettableClock clock;
    platform::ScopedClock scoped(clock);
    clock.SetNow(46000.25);
    auto study = LoadText(StudyXml(Group(1, "", "1", "<dynamics type=\"1\" time=\"60\" final=\"2\"/>"),
                                   "<simulation><time>45</time><speedscale min=\"1\" max=\"8\"/></simulation>"));
    tPopulation p(study.Root);
    EXPECT_EQ(p.StartTime, 46000.25);
    // A `time` of 45 is raised to the 60-minute horizon.
    EXPECT_EQ(p.SimulatedMinutes, 60.0);
    EXPECT_EQ(p.RunMinutes, 60.0);
    p.SetSpeed(2.0);
    EXPECT_EQ(p.Speed, 2.0);
    EXPECT_EQ(p.RunMinutes, 30.0);
    p.SetSpeed(0.0);
    EXPECT_EQ(p.RunMinutes, 30.0);
    p.SetSpeed(2.0);

    clock.Advance(90.0);
    EXPECT_DOUBLE_EQ(p.ModelMinutes(), 3.0);
    clock.Advance(0.999);  // 90.999 s: whole seconds only
    EXPECT_DOUBLE_EQ(p.ModelMinutes(), 3.0);
    // Changing the speed rescales the whole elapsed time.
    p.SetSpeed(4.0);
    EXPECT_DOUBLE_EQ(p.ModelMinutes(), 6.0);
    // A start in the future counts its distance too.
    p.SetStartTime(clock.Now() + 30.0 / 86400.0);
    EXPECT_DOUBLE_EQ(p.ModelMinutes(), 2.0);

    p.SetRunMinutes(7.5);
    p.SetEndTime(46001.0);
    EXPECT_EQ(p.RunMinutes, 7.5);
    EXPECT_EQ(p.EndTime, 46001.0);
}

// The clock held (the window paused or left) keeps model time where it was;
// let go, it goes on from there, the start and end moved on by the span held.
TEST(PopulationModel, AHeldClockKeepsItsModelTime)
{
    platform::SettableClock clock;
    platform::ScopedClock scoped(clock);
    clock.SetNow(46000.25);
    auto study = LoadSample("estudio_alturas_pesos.xml");
    tPopulation p(study.Root);
    p.SetSpeed(4.0);
    p.SetEndTime(46000.5);
    clock.Advance(30.0);
    EXPECT_DOUBLE_EQ(p.ModelMinutes(), 2.0);
    p.HoldClock();
    EXPECT_TRUE(p.ClockHeld());
    clock.Advance(20.0);
    EXPECT_DOUBLE_EQ(p.ModelMinutes(), 2.0);
    p.HoldClock();  // held twice: the first moment counts
    clock.Advance(22.0);
    EXPECT_DOUBLE_EQ(p.ModelMinutes(), 2.0);
    p.ResumeClock();
    EXPECT_FALSE(p.ClockHeld());
    EXPECT_DOUBLE_EQ(p.ModelMinutes(), 2.0);
    EXPECT_NEAR((p.StartTime - 46000.25) * 86400.0, 42.0, 1e-4);
    EXPECT_NEAR((p.EndTime - 46000.5) * 86400.0, 42.0, 1e-4);
    p.ResumeClock();  // running already: nothing moves
    EXPECT_NEAR((p.StartTime - 46000.25) * 86400.0, 42.0, 1e-4);
    clock.Advance(15.0);
    EXPECT_DOUBLE_EQ(p.ModelMinutes(), 3.0);
    // a start set while held counts from the moment held
    p.HoldClock();
    clock.Advance(100.0);
    p.SetStartTime(p.ClockNow() - 60.0 / 86400.0);
    EXPECT_DOUBLE_EQ(p.ModelMinutes(), 4.0);
    p.ResumeClock();
    EXPECT_DOUBLE_EQ(p.ModelMinutes(), 4.0);
}

// Past the run's end the shares' time courses go on; a group whose share
// would fall below nothing has none, and the shares still sum to 1. The
// blood-pressure study: smokers 35 -> 20 over 120 minutes (linear), the
// others 65 throughout.
TEST(PopulationModel, SharesPastTheRunsEndStayWithinNoneAndAll)
{
    auto study = LoadSample("estudio_presion_arterial.xml");
    tPopulation p(study.Root);
    ASSERT_EQ(p.SimulatedMinutes, 120.0);
    const auto expectWeights = [&p](double t, double smokers, double others) {
        p.UpdateGroupWeights(t);
        EXPECT_DOUBLE_EQ(p.Weights[0], smokers) << t;
        EXPECT_DOUBLE_EQ(p.Weights[1], others) << t;
        EXPECT_DOUBLE_EQ(p.Groups[0]->Weight, smokers) << t;
        EXPECT_DOUBLE_EQ(p.Groups[1]->Weight, others) << t;
        p.UpdateLevelShares();
        const auto& levels = p.CatVars[0].Levels;
        EXPECT_DOUBLE_EQ(levels[0].Share, smokers) << t;
        EXPECT_EQ(levels[1].Share, 0.0) << t;
        EXPECT_DOUBLE_EQ(levels[2].Share, others) << t;
    };
    // within the run and past it while the course gives a share: as written
    expectWeights(60.0, 27.5 / 92.5, 65.0 / 92.5);
    expectWeights(120.0, 20.0 / 85.0, 65.0 / 85.0);
    expectWeights(200.0, 10.0 / 75.0, 65.0 / 75.0);
    // 35 - 0.125 t reaches 0 at minute 280 and stays there
    expectWeights(280.0, 0.0, 1.0);
    expectWeights(400.0, 0.0, 1.0);
    expectWeights(1000.0, 0.0, 1.0);
    // the share's own course is not cut: its step still holds the value it gave
    EXPECT_DOUBLE_EQ(p.Groups[0]->ShareSteps[0].CurrentValue, -90.0);
}

TEST(PopulationModel, SimulationTimeLongerThanHorizonIsKept)
{
    auto study = LoadText(StudyXml(Group(1, ""), "<simulation><time>90</time></simulation>"));
    tPopulation p(study.Root);
    EXPECT_EQ(p.Horizon, 0.0);
    EXPECT_EQ(p.SimulatedMinutes, 90.0);
}

TEST(PopulationModel, FillCombos)
{
    auto study = LoadSample("estudio_alturas_pesos.xml");
    tPopulation p(study.Root);

    FakeCombo combo;
    combo.items = {"old"};
    p.FillNumVarCombo(combo, " peso ", true);
    EXPECT_EQ(combo.items, (std::vector<std::string>{"Altura", "Peso"}));
    EXPECT_TRUE(combo.sorted);
    EXPECT_EQ(combo.itemIndex, 1);
    p.FillNumVarCombo(combo, "Talla", false);
    EXPECT_FALSE(combo.sorted);
    EXPECT_EQ(combo.itemIndex, -1);

    p.FillCatVarCombo(combo, "ZONA", true);
    EXPECT_EQ(combo.items, (std::vector<std::string>{"Deporte", "Zona"}));
    EXPECT_EQ(combo.itemIndex, 1);

    p.FillLevelCombo(combo, 0, true, "campiña");
    EXPECT_EQ(combo.items, (std::vector<std::string>{"Campiña", "Montaña", "Área urbana"}));
    EXPECT_EQ(combo.itemIndex, 0);
    FakeCombo unsorted;
    p.FillLevelCombo(unsorted, 1, false, "no");
    EXPECT_EQ(unsorted.items, (std::vector<std::string>{"Sí", "No"}));
    EXPECT_EQ(unsorted.itemIndex, 1);
    p.FillLevelCombo(combo, 7, false, "no");
    EXPECT_TRUE(combo.items.empty());
    EXPECT_EQ(combo.itemIndex, -1);

    FakeCombo groups;
    groups.items = {"kept"};
    p.FillGroupCombo(groups);
    EXPECT_EQ(groups.items, (std::vector<std::string>{"kept", "1 - Zona: Montaña Deporte: Sí ",
                                                      "2 - Zona: Campiña Deporte: No ",
                                                      "3 - Zona: Área urbana Deporte: No "}));
    EXPECT_EQ(groups.itemIndex, 0);
}

TEST(PopulationModel, LastMatchingItemStaysSelected)
{
    auto study = LoadText(StudyXml("<variables><vardef name=\"a\"/><vardef name=\"B\"/><vardef name=\"A\"/></variables>"));
    tPopulation p(study.Root);
    FakeCombo combo;
    p.FillNumVarCombo(combo, "a", false);
    EXPECT_EQ(combo.itemIndex, 2);
}

TEST(PopulationModel, DrawnIndividualsFollowTheModelAtItsTime)
{
    // Group 0 at t = 120: height mean 168 (end of its linear step), weight 58;
    // sd 7.2 and 8.5, r 0.6. Four standard errors as in the group tests.
    auto study = LoadSample("estudio_alturas_pesos.xml");
    tPopulation p(study.Root);
    p.UpdateMeans(120.0);
    tSubPopulation& g = *p.Groups[0];
    const int N = 100000;
    SetRandSeed(4242);
    const auto m = population_test::DrawMoments(g, N);
    const double n = N;
    EXPECT_NEAR(m.Mean1, 168.0, 4 * 7.2 / std::sqrt(n));
    EXPECT_NEAR(m.Mean2, 58.0, 4 * 8.5 / std::sqrt(n));
    EXPECT_NEAR(m.Sd1, 7.2, 4 * 7.2 / std::sqrt(2 * n));
    EXPECT_NEAR(m.Sd2, 8.5, 4 * 8.5 / std::sqrt(2 * n));
    EXPECT_NEAR(m.R, 0.6, 4 * 0.64 / std::sqrt(n));
}

// ---- documents that bind but make no sense --------------------------------

TEST(PopulationModelBadDocuments, ZeroSharesGiveEqualWeights)
{
    auto study = LoadText(StudyXml("<categories><catvar name=\"C\"><cat>a</cat><cat>b</cat></catvar></categories>" +
                                   Group(0, "<category catid=\"1\"/>") + Group(0, "<category catid=\"2\"/>") +
                                   Group(0, "<category catid=\"2\"/>")));
    tPopulation p(study.Root);
    for (double w : p.Weights)
        EXPECT_DOUBLE_EQ(w, 1.0 / 3.0);
    p.UpdateGroupWeights(10.0);
    for (const auto& g : p.Groups)
        EXPECT_DOUBLE_EQ(g->Weight, 1.0 / 3.0);
    p.UpdateLevelShares();
    EXPECT_DOUBLE_EQ(p.CatVars[0].Levels[0].Share, 1.0 / 3.0);
    EXPECT_DOUBLE_EQ(p.CatVars[0].Levels[1].Share, 2.0 / 3.0);
}

TEST(PopulationModelBadDocuments, NegativeSharesCountAsNone)
{
    auto study = LoadText(StudyXml(Group(-5, "") + Group(5, "")));
    tPopulation p(study.Root);
    EXPECT_EQ(p.Weights, (std::vector<double>{0.0, 1.0}));
    auto none = LoadText(StudyXml(Group(-5, "") + Group(-3, "")));
    tPopulation q(none.Root);
    EXPECT_EQ(q.Weights, (std::vector<double>{0.5, 0.5}));
}

TEST(PopulationModelBadDocuments, NoGroups)
{
    auto study = LoadText(StudyXml("<categories><catvar name=\"C\"><cat>a</cat></catvar></categories>"
                                   "<variables><vardef name=\"X\" min=\"1\" max=\"2\"/></variables>"));
    tPopulation p(study.Root);
    EXPECT_EQ(p.GroupCount, 0);
    EXPECT_TRUE(p.Weights.empty());
    p.UpdateGroupWeights(5.0);
    p.UpdateMeans(5.0);
    p.UpdateLevelShares();
    EXPECT_EQ(p.CatVars[0].Levels[0].Share, 0.0);
    EXPECT_EQ(p.ModelRange(0, false), (std::array<double, 4>{1.0, 2.0, 0.0, 0.0}));
    FakeCombo combo;
    p.FillGroupCombo(combo);
    EXPECT_TRUE(combo.items.empty());
    EXPECT_EQ(combo.selections, 0);
}

TEST(PopulationModelBadDocuments, LevelsOutOfRangeCountInNoLevel)
{
    auto study = LoadText(StudyXml("<categories><catvar name=\"C\"><cat>a</cat><cat>b</cat></catvar>"
                                   "<catvar name=\"D\"><cat>x</cat></catvar></categories>" +
                                   Group(20, "<category catid=\"3\"/><category catid=\"1\"/>") +
                                   Group(30, "<category catid=\"-1\"/>") + Group(50, "<category catid=\"2\"/>")));
    tPopulation p(study.Root);
    p.UpdateLevelShares();
    EXPECT_EQ(p.CatVars[0].Levels[0].Share, 0.0);
    EXPECT_DOUBLE_EQ(p.CatVars[0].Levels[1].Share, 0.5);
    // The second group has no `category` for D: level 0, no level.
    EXPECT_EQ(p.GroupLevel(1, 1), 0);
    EXPECT_DOUBLE_EQ(p.CatVars[1].Levels[0].Share, 0.2);
    EXPECT_EQ(p.LevelLabel(0, p.GroupLevel(0, 0)), "");
    FakeCombo combo;
    p.FillGroupCombo(combo);
    EXPECT_EQ(combo.items[0], "1 - C:  D: x ");
    EXPECT_EQ(combo.items[1], "2 - C:  D:  ");
}

TEST(PopulationModelBadDocuments, FewerVariablesThanDefinitions)
{
    auto study = LoadText(StudyXml("<variables><vardef name=\"X\" min=\"0\" max=\"10\"/>"
                                   "<vardef name=\"Y\" min=\"0\" max=\"10\"/></variables>" +
                                   Group(1, VarXml("5", "1", "1", "9"))));
    tPopulation p(study.Root);
    ASSERT_EQ(p.Groups[0]->Variables.size(), 2u);
    EXPECT_EQ(p.Groups[0]->Variables[1].Definition.Name, "Y");
    // The missing `var` reads as an empty one: its range texts are no numbers.
    EXPECT_EQ(p.NumVarDefs[1].Minimum, -999.999);
    EXPECT_EQ(p.NumVarDefs[1].Maximum, 10.0);
    p.UpdateMeans(3.0);
    SetRandSeed(1);
    p.Groups[0]->DrawIndividual();
    EXPECT_TRUE(std::isfinite(p.Groups[0]->DrawnValue(2)));
    EXPECT_TRUE(std::isfinite(p.ModelRange(1, false)[3]));
}

TEST(PopulationModelBadDocuments, NonsenseValuesDrawNoNaN)
{
    // Negative deviations, a correlation of 1 and out-of-range `r`, zero and
    // negative step durations, exponential steps through zero.
    auto study = LoadText(StudyXml(
        "<variables><vardef name=\"X\"/><vardef name=\"Y\"/><vardef name=\"Z\"/>"
        "<correlation><elem i=\"1\" j=\"2\" r=\"1\"/><elem i=\"2\" j=\"3\" r=\"7\"/></correlation></variables>" +
        Group(0,
              VarXml("5", "-2", "0", "1", "<dynamics type=\"1\" time=\"0\" final=\"9\"/>") +
                  VarXml("-5", "-3", "0", "1", "<dynamics type=\"2\" time=\"-10\" final=\"9\"/>") +
                  VarXml("x", "0"),
              "1", "<dynamics type=\"2\" time=\"0\" final=\"0\"/><dynamics type=\"1\" time=\"-5\" final=\"3\"/>") +
        Group(0, VarXml("1", "-1") + VarXml("2", "-1") + VarXml("3", "-1"), "1",
              "<dynamics type=\"1\" time=\"10\" final=\"-4\"/>")));
    tPopulation p(study.Root);
    SetRandSeed(5);
    for (double t : {0.0, 1.0, 10.0, 1000.0, 1e6}) {
        p.UpdateGroupWeights(t);
        p.UpdateMeans(t);
        p.UpdateLevelShares();
        for (double w : p.Weights)
            EXPECT_FALSE(std::isnan(w)) << t;
        for (int i = 0; i < 3; ++i)
            EXPECT_FALSE(std::isnan(p.ModelRange(i, false)[3]));
        for (auto& g : p.Groups)
            for (int k = 0; k < 100; ++k) {
                g->DrawIndividual();
                for (int i = 1; i <= 3; ++i)
                    ASSERT_FALSE(std::isnan(g->DrawnValue(i))) << t;
            }
    }
}

TEST(PopulationModelBadDocuments, IntegerAttributeWithTextIsAClearError)
{
    auto study = LoadText(StudyXml(Group(1, "") + "<group color=\"red\"/>"));
    EXPECT_THROW(tPopulation p(study.Root), platform::XmlConversionError);
}

namespace {

std::string Vardefs(int count)
{
    std::string out = "<variables>";
    for (int i = 0; i < count; ++i)
        out += "<vardef name=\"V" + std::to_string(i) + "\"/>";
    return out + "</variables>";
}

std::string Vars(int count)
{
    std::string out;
    for (int i = 0; i < count; ++i)
        out += VarXml("10", "1");
    return out;
}

} // namespace

TEST(PopulationModelLimits, TwoHundredVariablesAreBuiltAsBefore)
{
    auto study = LoadText(StudyXml(Vardefs(kMaxNumericVariables) + Group(1, Vars(kMaxNumericVariables))));
    tPopulation p(study.Root);
    EXPECT_EQ(kMaxNumericVariables, 200);
    EXPECT_EQ(p.NumVarCount, 200);
    ASSERT_EQ(p.Groups.size(), 1u);
    EXPECT_EQ(p.Groups[0]->VariableCount, 200);
    EXPECT_EQ(p.Groups[0]->Matrix.Rows, 200);
    // independent variables of sd 1: the factor is the identity
    EXPECT_DOUBLE_EQ(p.Groups[0]->Matrix.Cells[200][200], 1.0);
}

TEST(PopulationModelLimits, MoreDefinitionsThanTheLimitAreRefusedBeforeAnyGroupIsBuilt)
{
    auto study = LoadText(StudyXml(Vardefs(201) + Group(1, "") + Group(1, "")));
    TraceList().Clear();
    try {
        tPopulation p(study.Root);
        FAIL() << "a study of 201 variables was built";
    } catch (const EPopulationTooLarge& e) {
        EXPECT_STREQ(e.what(), "The study has 201 numeric variables; a population holds at most 200 numeric variables.");
    }
    EXPECT_EQ(TraceList().Count(), 0);  // no group made its covariance matrix
}

TEST(PopulationModelLimits, AGroupWithMoreVariablesThanTheLimitIsRefused)
{
    auto study = LoadText(StudyXml(Vardefs(2) + Group(1, Vars(2)) + Group(1, Vars(201))));
    TraceList().Clear();
    EXPECT_THROW(tPopulation p(study.Root), EPopulationTooLarge);
    EXPECT_EQ(TraceList().Count(), 0);
}

TEST(PopulationModelLimits, MoreGroupsThanTheLimitAreRefused)
{
    std::string groups;
    for (int g = 0; g < kMaxGroups; ++g)
        groups += Group(1, "");
    auto within = LoadText(StudyXml(Vardefs(1) + groups));
    EXPECT_EQ(tPopulation(within.Root).GroupCount, 100);
    auto beyond = LoadText(StudyXml(Vardefs(1) + groups + Group(1, "")));
    try {
        tPopulation p(beyond.Root);
        FAIL() << "a study of 101 groups was built";
    } catch (const EPopulationTooLarge& e) {
        EXPECT_STREQ(e.what(), "The study has 101 population groups; a population holds at most 100 groups.");
    }
}

namespace {

std::string CategoriesWithLevels(int first, int second)
{
    std::string out = "<categories>";
    for (int count : {first, second}) {
        out += "<catvar id=\"1\" name=\"C" + std::to_string(count) + "\"><lbl>c</lbl>";
        for (int i = 0; i < count; ++i)
            out += "<cat id=\"" + std::to_string(i + 1) + "\">L" + std::to_string(i) + "</cat>";
        out += "</catvar>";
    }
    return out + "</categories>";
}

} // namespace

TEST(PopulationModelLimits, AThousandLevelsAreBuiltAsBefore)
{
    auto study = LoadText(StudyXml(CategoriesWithLevels(3, kMaxLevels) + Vardefs(1) + Group(1, Vars(1))));
    tPopulation p(study.Root);
    EXPECT_EQ(kMaxLevels, 1000);
    ASSERT_EQ(p.CatVarCount, 2);
    EXPECT_EQ(p.CatVars[1].LevelCount, 1000);
    EXPECT_EQ(p.LevelLabel(1, 1000), "L999");
}

TEST(PopulationModelLimits, AVariableWithMoreLevelsThanTheLimitIsRefusedBeforeAnyGroupIsBuilt)
{
    auto study = LoadText(StudyXml(CategoriesWithLevels(2, 100000) + Vardefs(1) + Group(1, Vars(1))));
    TraceList().Clear();
    try {
        tPopulation p(study.Root);
        FAIL() << "a variable of 100,000 levels was built";
    } catch (const EPopulationTooLarge& e) {
        EXPECT_STREQ(e.what(), "The study has 100000 levels in one categorical variable; a categorical variable "
                               "holds at most 1000 levels.");
    }
    EXPECT_EQ(TraceList().Count(), 0);
    auto justOver = LoadText(StudyXml(CategoriesWithLevels(1001, 2) + Vardefs(1) + Group(1, Vars(1))));
    EXPECT_THROW(tPopulation p(justOver.Root), EPopulationTooLarge);
}
