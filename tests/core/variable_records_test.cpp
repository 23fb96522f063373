#include "core/text_routines.h"
#include "core/variable_records.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <type_traits>

TEST(VariableRecords, StartEmptyAndZero)
{
    const tNumVarDef def;
    EXPECT_EQ(def.Color, 0u);
    EXPECT_EQ(def.SamplingMeter, 0);
    EXPECT_TRUE(def.Name.empty());
    EXPECT_EQ(def.Decimals, 0);
    EXPECT_EQ(def.Minimum, 0.0);
    EXPECT_EQ(def.Maximum, 0.0);
    EXPECT_EQ(def.DistributionKind, 0);
    EXPECT_FALSE(def.Selected);

    const tNumVar var;
    EXPECT_EQ(var.CurrentMean, 0.0);
    EXPECT_EQ(var.Asymmetry, 0);
    EXPECT_TRUE(var.Dynamics.empty());

    const tLevels level;
    EXPECT_EQ(level.Share, 0.0);

    const tSampling_Option option;
    EXPECT_EQ(option.Id, 0);
    EXPECT_EQ(option.Design, 0);
    EXPECT_TRUE(option.Text.empty());
}

TEST(VariableRecords, DynamicsStepIsPlainData)
{
    // Two 32-bit integers and seven Doubles, nothing else.
    static_assert(std::is_trivially_copyable_v<tDynamicsStep>);
    static_assert(std::is_standard_layout_v<tDynamicsStep>);
    EXPECT_EQ(sizeof(tDynamicsStep), 2 * 4 + 7 * 8u);
    const tDynamicsStep step;
    EXPECT_EQ(step.Kind, 0);
    EXPECT_EQ(step.Rate, 0.0);
    EXPECT_EQ(step.EndTime, 0.0);
}

TEST(VariableRecords, AreValueTypes)
{
    tNumVar a;
    a.Definition.Name = "Peso";
    a.Dynamics.push_back(tDynamicsStep{1, 1, 0.0, 10.0, 10.0, 20.0, 60.0, 60.0, 10.0 / 60.0});
    tNumVar b = a;
    b.Definition.Name = "Talla";
    b.Dynamics[0].FinalValue = 30.0;
    EXPECT_EQ(a.Definition.Name, "Peso");
    EXPECT_EQ(a.Dynamics[0].FinalValue, 20.0);
}

TEST(CategoricalVariable, WithoutLevels)
{
    const tCatVar cat;
    EXPECT_EQ(cat.LevelCount, 0);
    EXPECT_TRUE(cat.Levels.empty());
    EXPECT_EQ(cat.Level(1), nullptr);
    EXPECT_EQ(cat.Level(0), nullptr);
}

TEST(CategoricalVariable, LevelsAreAddressedFromOne)
{
    tCatVar cat;
    cat.Levels = {{1, 0, "Hombre", 0.0}, {2, 0, "Mujer", 0.0}, {3, 0, "Otro", 0.0}};
    cat.LevelCount = 3;
    ASSERT_NE(cat.Level(1), nullptr);
    EXPECT_EQ(cat.Level(1)->Label, "Hombre");
    EXPECT_EQ(cat.Level(3)->Label, "Otro");
    EXPECT_EQ(cat.Level(0), nullptr);
    EXPECT_EQ(cat.Level(4), nullptr);
    EXPECT_EQ(cat.Level(-1), nullptr);
    cat.Level(2)->Share = 0.25;
    EXPECT_EQ(cat.Levels[1].Share, 0.25);
}

TEST(VariableDefinition, FieldsFromAttributeTexts)
{
    tNumVarDef def;
    def.DistributionKind = DistributionKind("Normal");
    EXPECT_EQ(def.DistributionKind, 1);
    EXPECT_EQ(DistributionKind("UNIFORM"), 2);
    EXPECT_EQ(DistributionKind("lognormal"), 0);
    EXPECT_EQ(DistributionKind(""), 0);
    // A min text that is no number, before widening.
    def.Minimum = TextToFloat("bajo");
    EXPECT_EQ(def.Minimum, -999.999);
    def.Maximum = TextToFloat("180,5");
    EXPECT_EQ(def.Maximum, 180.5);
}

TEST(TraceList, OneProgramWideList)
{
    TTraceList& list = TraceList();
    EXPECT_EQ(&list, &TraceList());
    const int before = list.Count();
    list.Add("Subgrupo 0 - Matriz de covarianzas OK (si admite Cholesky)");
    list.Add("Subgrupo 1 - ERROR - Matriz de covarianzas no admite Cholesky");
    ASSERT_EQ(TraceList().Count(), before + 2);
    EXPECT_EQ(TraceList().Strings(before), "Subgrupo 0 - Matriz de covarianzas OK (si admite Cholesky)");
    EXPECT_EQ(TraceList().Lines().back(), "Subgrupo 1 - ERROR - Matriz de covarianzas no admite Cholesky");
}

TEST(TraceList, AddCountClearAndBounds)
{
    TTraceList list;
    EXPECT_EQ(list.Count(), 0);
    list.Add("a");
    list.Add("");
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Strings(0), "a");
    EXPECT_EQ(list.Strings(1), "");
    EXPECT_THROW(list.Strings(2), std::out_of_range);
    EXPECT_THROW(list.Strings(-1), std::out_of_range);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_THROW(list.Strings(0), std::out_of_range);
}
