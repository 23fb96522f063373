#include "chart/series_types.h"

#include <gtest/gtest.h>

#include <QObject>
#include <vector>

#include "chart/chart.h"
#include "chart/chart_series.h"
#include "chart/plot_function.h"
#include "testing/recording_device.h"

class TRegistrySeriesA : public TChartSeries {
    Q_OBJECT
public:
    using TChartSeries::TChartSeries;
};

class TRegistrySeriesB : public TChartSeries {
    Q_OBJECT
public:
    using TChartSeries::TChartSeries;
};

class TRegistryFunction : public TPlotFunction {
    Q_OBJECT
public:
    using TPlotFunction::TPlotFunction;
};

class TRegistryTool : public TCustomChartElement {
    Q_OBJECT
public:
    using TCustomChartElement::TCustomChartElement;
};

namespace {

const std::string Description = "Sample";
const std::string Page = "Standard";

class SeriesTypesTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        UnregisterSeriesClasses({SeriesClassOf<TRegistrySeriesA>(), SeriesClassOf<TRegistrySeriesB>()});
        UnregisterFunctionClasses({FunctionClassOf<TRegistryFunction>()});
        UnregisterToolTypes({ToolClassOf<TRegistryTool>()});
    }
    int Entries(const QMetaObject* meta) const
    {
        int n = 0;
        for (int i = 0; i < PlotSeriesTypes().Count(); ++i)
            if (PlotSeriesTypes()[i].SeriesClass.Meta == meta)
                ++n;
        return n;
    }
};

}  // namespace

TEST_F(SeriesTypesTest, MainEntryOnceSubStylesAdded)
{
    const int before = PlotSeriesTypes().Count();
    RegisterSeriesClass(SeriesClassOf<TRegistrySeriesA>(), &Description, &Page);
    RegisterSeriesClass(SeriesClassOf<TRegistrySeriesA>(), &Description, &Page);
    EXPECT_EQ(Entries(&TRegistrySeriesA::staticMetaObject), 1);
    RegisterSeriesType(SeriesClassOf<TRegistrySeriesA>(), {}, &Description, &Page, 1, 1);
    EXPECT_EQ(Entries(&TRegistrySeriesA::staticMetaObject), 2);
    RegisterSeriesClass(SeriesClassOf<TRegistrySeriesB>(), &Description, &Page);
    // registration order kept
    EXPECT_EQ(PlotSeriesTypes()[before].SeriesClass.Meta, &TRegistrySeriesA::staticMetaObject);
    EXPECT_EQ(PlotSeriesTypes()[before + 2].SeriesClass.Meta, &TRegistrySeriesB::staticMetaObject);
    EXPECT_EQ(*PlotSeriesTypes()[before].Description, "Sample");
    EXPECT_TRUE(IsChartClassRegistered("TRegistrySeriesA"));
    UnregisterSeriesClasses({SeriesClassOf<TRegistrySeriesA>()});
    EXPECT_EQ(Entries(&TRegistrySeriesA::staticMetaObject), 0);
    EXPECT_EQ(PlotSeriesTypes().Count(), before + 1);
}

TEST_F(SeriesTypesTest, UnregisteringAnUnknownClassChangesNothing)
{
    RegisterSeriesClass(SeriesClassOf<TRegistrySeriesA>(), &Description, &Page);
    const int count = PlotSeriesTypes().Count();
    UnregisterSeriesClasses({SeriesClassOf<TRegistrySeriesB>()});
    UnregisterFunctionClasses({FunctionClassOf<TRegistryFunction>()});
    EXPECT_EQ(PlotSeriesTypes().Count(), count);
}

TEST_F(SeriesTypesTest, FunctionEntriesAndToolsWithoutDuplicates)
{
    RegisterFunctionClass(FunctionClassOf<TRegistryFunction>(), &Description, &Page);
    RegisterFunctionClass(FunctionClassOf<TRegistryFunction>(), &Description, &Page);
    int functions = 0;
    for (int i = 0; i < PlotSeriesTypes().Count(); ++i)
        if (PlotSeriesTypes()[i].FunctionClass.Meta == &TRegistryFunction::staticMetaObject)
            ++functions;
    EXPECT_EQ(functions, 1);
    const int tools = PlotToolTypes().Count();
    RegisterToolTypes({ToolClassOf<TRegistryTool>(), ToolClassOf<TRegistryTool>()});
    EXPECT_EQ(PlotToolTypes().Count(), tools + 1);
    UnregisterToolTypes({ToolClassOf<TRegistryTool>()});
    EXPECT_EQ(PlotToolTypes().Count(), tools);
}

TEST_F(SeriesTypesTest, NewSeriesTakeTheLowestFreeNames)
{
    QObject form;
    TChart chart;
    auto* first = new TChartSeries(&form);
    first->SetName("Series1");
    EXPECT_EQ(GetNewSeriesName(&form), "Series2");
    TChartSeries* a = CreateNewSeries(&form, &chart, SeriesClassOf<TRegistrySeriesA>());
    TChartSeries* b = CreateNewSeries(&form, &chart, SeriesClassOf<TRegistrySeriesB>());
    EXPECT_EQ(a->Name(), "Series2");
    EXPECT_EQ(b->Name(), "Series3");
    EXPECT_EQ(chart.SeriesCount(), 2);
    EXPECT_EQ(GetNewSeriesName(nullptr), "Series1");
    TChartSeries* c = CreateNewSeries(&form, &chart, SeriesClassOf<TRegistrySeriesA>(),
                                      FunctionClassOf<TRegistryFunction>());
    ASSERT_NE(c->FunctionType(), nullptr);
    EXPECT_EQ(c->FunctionType()->Name(), "PlotFunction1");
}

TEST_F(SeriesTypesTest, CreationByClassName)
{
    RegisterSeriesClass(SeriesClassOf<TRegistrySeriesB>(), &Description, &Page);
    QObject form;
    TComponent* made = CreateChartComponent("tregistryseriesb", &form);
    ASSERT_NE(made, nullptr);
    EXPECT_STREQ(made->metaObject()->className(), "TRegistrySeriesB");
    EXPECT_EQ(made->parent(), &form);
    EXPECT_EQ(CreateChartComponent("TNoSuchSeries", &form), nullptr);
}

TEST_F(SeriesTypesTest, ChangeSeriesTypeKeepsPlaceNamePointsAndDependants)
{
    QObject form;
    TChart chart;
    TChartSeries* before = CreateNewSeries(&form, &chart, SeriesClassOf<TRegistrySeriesA>());
    TChartSeries* s = CreateNewSeries(&form, &chart, SeriesClassOf<TRegistrySeriesA>());
    TChartSeries* after = CreateNewSeries(&form, &chart, SeriesClassOf<TRegistrySeriesA>());
    s->AddXY(1, 10);
    s->AddXY(2, 20);
    s->SetTitle("Mine");
    auto* dependant = new TChartSeries(&form);
    chart.AddSeries(dependant);
    dependant->SetDataSource(s);

    TChartSeries* same = s;
    ChangeSeriesType(same, SeriesClassOf<TRegistrySeriesA>());
    EXPECT_EQ(same, s);

    TChartSeries* changed = s;
    ChangeSeriesType(changed, SeriesClassOf<TRegistrySeriesB>());
    ASSERT_NE(changed, s);
    EXPECT_STREQ(changed->metaObject()->className(), "TRegistrySeriesB");
    EXPECT_EQ(changed->Name(), "Series2");
    EXPECT_EQ(changed->Title(), "Mine");
    EXPECT_EQ(changed->Count(), 2);
    EXPECT_EQ(chart.Series(0), before);
    EXPECT_EQ(chart.Series(1), changed);
    EXPECT_EQ(chart.Series(2), after);
    EXPECT_EQ(chart.SeriesCount(), 4);
    EXPECT_EQ(dependant->DataSource(), changed);
}

TEST_F(SeriesTypesTest, ChangeSeriesTypeTakesTheOldPlaceInEveryGroup)
{
    QObject form;
    TChart chart;
    TChartSeries* first = CreateNewSeries(&form, &chart, SeriesClassOf<TRegistrySeriesA>());
    TChartSeries* s = CreateNewSeries(&form, &chart, SeriesClassOf<TRegistrySeriesA>());
    TChartSeries* last = CreateNewSeries(&form, &chart, SeriesClassOf<TRegistrySeriesA>());
    TSeriesGroup& both = chart.SeriesGroups().Add();
    both.Series().Add(first);
    both.Series().Add(s);
    both.Series().Add(last);
    TSeriesGroup& alone = chart.SeriesGroups().Add();
    alone.Series().Add(s);
    TSeriesGroup& other = chart.SeriesGroups().Add();
    other.Series().Add(last);

    TChartSeries* changed = s;
    ChangeSeriesType(changed, SeriesClassOf<TRegistrySeriesB>());
    ASSERT_NE(changed, s);
    EXPECT_EQ(both.Series().Items(), (std::vector<TChartSeries*>{first, changed, last}));
    EXPECT_EQ(alone.Series().Items(), std::vector<TChartSeries*>{changed});
    EXPECT_EQ(other.Series().Items(), std::vector<TChartSeries*>{last});
    // the group still switches it with the others
    alone.SetActive(gaNo);
    EXPECT_FALSE(changed->Active());
    EXPECT_EQ(both.Active(), gaSome);
}

TEST_F(SeriesTypesTest, PaintSeriesLegendOnAnyDeviceLeavesTheSeriesAsItWas)
{
    QObject form;
    auto* s = new TChartSeries(&form);
    s->SetSeriesColor(clRed);
    platform::RecordingDevice device(100, 50);
    PaintSeriesLegend(*s, device, TRect{10, 10, 30, 20});
    EXPECT_EQ(s->ParentChart(), nullptr);
    bool drawn = false;
    for (const std::string& line : device.DrawingLines(true))
        drawn = drawn || (line.rfind("Rectangle(10,10,30,20)", 0) == 0 && line.find("0x0000FF") != std::string::npos);
    EXPECT_TRUE(drawn);

    TChart chart;
    chart.AddSeries(s);
    platform::RecordingDevice other(100, 50);
    PaintSeriesLegend(*s, other, TRect{0, 0, 8, 8});
    EXPECT_EQ(s->ParentChart(), &chart);
    EXPECT_FALSE(other.DrawingLines().empty());
}

#include "series_types_test.moc"
