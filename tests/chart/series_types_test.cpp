#include "chart/series_types.h"

#include <gtest/gtest.h>

#include <QObject>
#include <QPointer>
#include <cmath>
#include <vector>

#include "chart/chart.h"
#include "chart/chart_series.h"
#include "chart/plot_function.h"
#include "chart/series/line_series.h"
#include "chart/series/macd_function.h"
#include "chart/series/ohlc_series.h"
#include "chart/series/std_deviation_function.h"
#include "chart/series_source.h"
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

// Loads four points into its series.
class TFourPointSource : public TPlotSeriesSource {
    Q_OBJECT
public:
    using TPlotSeriesSource::TPlotSeriesSource;
    void Load() override
    {
        Series()->Clear();
        for (int i = 0; i < 4; ++i)
            Series()->AddXY(i, 10 * (i + 1));
    }
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

    // a dependant of two sources keeps the other one, and its place
    auto* other = CreateNewSeries(&form, &chart, SeriesClassOf<TRegistrySeriesA>());
    other->AddXY(1, 5);
    other->AddXY(2, 7);
    auto* both = new TChartSeries(&form);
    chart.AddSeries(both);
    both->SetFunction(new TStdDeviationFunction);
    both->AddDataSource(changed);
    both->AddDataSource(other);
    TChartSeries* again = changed;
    ChangeSeriesType(again, SeriesClassOf<TRegistrySeriesA>());
    ASSERT_EQ(both->DataSourceCount(), 2);
    EXPECT_EQ(both->DataSourceAt(0), again);
    EXPECT_EQ(both->DataSourceAt(1), other);
}

// A standard deviation across two sources: changing the type of either one
// leaves both sources in their places and the values as they were.
TEST_F(SeriesTypesTest, ChangeSeriesTypeKeepsEveryOtherSourceOfADependant)
{
    const double a[] = {1, 2, 3, 4, 5}, b[] = {3, 2, 7, 1, 10};
    for (int changedIndex : {0, 1}) {
        SCOPED_TRACE(changedIndex);
        QObject form;
        TChart chart;
        TChartSeries* sources[] = {CreateNewSeries(&form, &chart, SeriesClassOf<TRegistrySeriesA>()),
                                   CreateNewSeries(&form, &chart, SeriesClassOf<TRegistrySeriesA>())};
        for (int i = 0; i < 5; ++i) {
            sources[0]->AddXY(i, a[i]);
            sources[1]->AddXY(i, b[i]);
        }
        auto* f = new TChartSeries(&form);
        chart.AddSeries(f);
        f->SetFunction(new TStdDeviationFunction);
        f->AddDataSource(sources[0]);
        f->AddDataSource(sources[1]);
        // the sample deviation of two values is their distance over the root of two
        const auto expectValues = [&] {
            ASSERT_EQ(f->Count(), 5);
            for (int i = 0; i < 5; ++i)
                EXPECT_NEAR(f->YValues().Value(i), std::fabs(a[i] - b[i]) / std::sqrt(2.0), 1e-12) << i;
        };
        expectValues();

        TChartSeries* changed = sources[changedIndex];
        ChangeSeriesType(changed, SeriesClassOf<TRegistrySeriesB>());
        sources[changedIndex] = changed;
        ASSERT_EQ(f->DataSourceCount(), 2);
        EXPECT_EQ(f->DataSourceAt(0), sources[0]);
        EXPECT_EQ(f->DataSourceAt(1), sources[1]);
        ASSERT_EQ(changed->LinkedSeries().size(), 1U);
        EXPECT_EQ(changed->LinkedSeries()[0], f);
        expectValues();
        // the new series feeds it: a new point shows up in the result
        sources[0]->AddXY(5, 2);
        sources[1]->AddXY(5, 4);
        f->CheckDataSource();
        ASSERT_EQ(f->Count(), 6);
        EXPECT_NEAR(f->YValues().Value(5), std::sqrt(2.0), 1e-12);
    }
}

// A source component the series took over goes with the series to its new
// type: it is neither freed with the old series nor left behind.
TEST_F(SeriesTypesTest, ChangeSeriesTypeHandsTheSeriesOwnSourceToTheNewSeries)
{
    QObject form;
    TChart chart;
    TChartSeries* s = CreateNewSeries(&form, &chart, SeriesClassOf<TRegistrySeriesA>());
    QPointer<TFourPointSource> source = new TFourPointSource(&form);
    s->SetDataSource(source);
    source->Open();
    ASSERT_EQ(s->Count(), 4);
    ASSERT_EQ(source->parent(), s);

    TChartSeries* changed = s;
    ChangeSeriesType(changed, SeriesClassOf<TRegistrySeriesB>());
    ASSERT_FALSE(source.isNull());
    EXPECT_EQ(changed->DataSource(), source.data());
    EXPECT_EQ(source->Series(), changed);
    EXPECT_EQ(source->parent(), changed);
    EXPECT_TRUE(source->Active());
    ASSERT_EQ(changed->Count(), 4);
    EXPECT_EQ(changed->YValues().Value(3), 40);
    // it reloads the new series, and goes when the series goes
    changed->Clear();
    source->Close();
    source->Open();
    EXPECT_EQ(changed->Count(), 4);
    delete changed;
    EXPECT_TRUE(source.isNull());
}

// A series with a function that keeps lines of its own on the chart, fed by
// a price series.
struct MacdOnPrices {
    QObject form;
    TChart chart;
    TOHLCSeries* prices = nullptr;
    TLineSeries* macd = nullptr;
    MacdOnPrices()
    {
        prices = new TOHLCSeries(&form);
        for (int i = 0; i < 40; ++i)
            prices->AddOHLC(i, 10 + i % 5, 14 + i % 3, 8 - i % 2, 11 + i % 4);
        chart.AddSeries(prices);
        macd = new TLineSeries(&form);
        chart.AddSeries(macd);
        macd->SetFunction(new TMACDFunction);
        macd->SetDataSource(prices);
    }
    TMACDFunction& Function() const { return *static_cast<TMACDFunction*>(macd->FunctionType()); }
};

// The lines a function keeps are the function's: their type stays, and the
// function goes on computing into them.
TEST_F(SeriesTypesTest, ChangeSeriesTypeLeavesTheLinesOfAFunctionAsTheyAre)
{
    MacdOnPrices m;
    TChartSeries* signal = &m.Function().SignalSeries();
    ASSERT_GE(m.chart.SeriesIndexOf(signal), 0);
    const int signalCount = signal->Count();
    ASSERT_GT(signalCount, 0);
    const int count = m.chart.SeriesCount();

    TChartSeries* changed = signal;
    ChangeSeriesType(changed, SeriesClassOf<TRegistrySeriesB>());
    EXPECT_EQ(changed, signal);
    EXPECT_EQ(&m.Function().SignalSeries(), signal);
    EXPECT_EQ(m.chart.SeriesCount(), count);
    // a new price point reaches the function and its line
    m.prices->AddOHLC(40, 12, 15, 9, 13);
    m.macd->CheckDataSource();
    EXPECT_EQ(m.Function().SignalSeries().Count(), signalCount + 1);
}

// A series whose function keeps lines on the chart: the new series' function
// keeps its own lines there, the old function's lines go with it.
TEST_F(SeriesTypesTest, ChangeSeriesTypeOfAFunctionSeriesKeepsOneSetOfItsLines)
{
    MacdOnPrices m;
    const int count = m.chart.SeriesCount();
    const int points = m.macd->Count();
    ASSERT_GT(points, 0);
    TChartSeries* changed = m.macd;
    ChangeSeriesType(changed, SeriesClassOf<TRegistrySeriesB>());
    ASSERT_NE(changed, m.macd);
    m.macd = nullptr;
    auto* function = dynamic_cast<TMACDFunction*>(changed->FunctionType());
    ASSERT_NE(function, nullptr);
    EXPECT_EQ(m.chart.SeriesCount(), count);
    EXPECT_GE(m.chart.SeriesIndexOf(&function->SignalSeries()), 0);
    EXPECT_EQ(changed->DataSource(), m.prices);
    EXPECT_EQ(changed->Count(), points);
    m.prices->AddOHLC(40, 12, 15, 9, 13);
    changed->CheckDataSource();
    EXPECT_EQ(changed->Count(), points + 1);
    EXPECT_GT(function->SignalSeries().Count(), 0);
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
