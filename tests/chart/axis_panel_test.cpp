#include "chart/axis_panel.h"

#include <gtest/gtest.h>

#include <memory>

#include "chart/chart_exceptions.h"
#include "chart/chart_series.h"
#include "chart/series_source.h"

namespace {

// Records the chart's notices.
class TNoticeRecorder : public IChartEventListener {
public:
    void HandleChartEvent(TPlotEvent& Event) override
    {
        if (auto* e = dynamic_cast<TPlotSeriesEvent*>(&Event))
            Codes.push_back(static_cast<int>(e->Event));
        else if (dynamic_cast<TChartChangePage*>(&Event))
            ++PageChanges;
    }
    std::vector<int> Codes;
    int PageChanges = 0;
};

class AxisPanel : public ::testing::Test {
protected:
    void SetUp() override { panel.Listeners().Add(&recorder); }
    void TearDown() override { panel.Listeners().Remove(&recorder); }
    TChartSeries* NewSeries(const std::string& name = {})
    {
        auto* s = new TChartSeries(&form);
        s->SetName(name);
        return s;
    }
    QObject form;
    TCustomAxisPanel panel;
    TNoticeRecorder recorder;
};

TEST_F(AxisPanel, AddAndRemoveSendNoticesAndEvents)
{
    TChartSeries* s = NewSeries("S1");
    int added = 0, removed = 0;
    panel.OnAddSeries = [&](TChartSeries&) { ++added; };
    panel.OnRemoveSeries = [&](TChartSeries&) { ++removed; };
    EXPECT_EQ(panel.AddSeries(s), s);
    panel.AddSeries(s);
    EXPECT_EQ(panel.SeriesCount(), 1);
    EXPECT_EQ(s->ParentChart(), &panel);
    EXPECT_NE(s->SeriesColor(), clDefault);
    panel.RemoveSeries(s);
    EXPECT_EQ(panel.SeriesCount(), 0);
    EXPECT_EQ(s->ParentChart(), nullptr);
    EXPECT_EQ(added, 1);
    EXPECT_EQ(removed, 1);
    EXPECT_EQ(recorder.Codes, (std::vector<int>{0, 1}));
}

TEST_F(AxisPanel, FreeColoursDiffer)
{
    TChartSeries* a = panel.AddSeries(NewSeries());
    TChartSeries* b = panel.AddSeries(NewSeries());
    EXPECT_EQ(a->SeriesColor(), panel.GetDefaultColor(0));
    EXPECT_EQ(b->SeriesColor(), panel.GetDefaultColor(1));
    panel.SetColorPalette({0x1, 0x2, 0x3});
    EXPECT_EQ(panel.GetDefaultColor(4), 0x2u);
}

TEST_F(AxisPanel, DestroyingASeriesLeavesListAndGroups)
{
    TChartSeries* a = panel.AddSeries(NewSeries());
    TSeriesGroup& g = panel.SeriesGroups().Add();
    g.Series().Add(a);
    delete a;
    EXPECT_EQ(panel.SeriesCount(), 0);
    EXPECT_EQ(g.Series().Count(), 0);
}

TEST_F(AxisPanel, ExchangeSwapsListAndGroup)
{
    TChartSeries* a = panel.AddSeries(NewSeries());
    TChartSeries* b = panel.AddSeries(NewSeries());
    TSeriesGroup& g = panel.SeriesGroups().Add();
    g.Series().Add(a);
    g.Series().Add(b);
    panel.ExchangeSeries(a, b);
    EXPECT_EQ(panel.Series(0), b);
    EXPECT_EQ(g.Series()[0], b);
    EXPECT_EQ(recorder.Codes.back(), 4);
}

TEST_F(AxisPanel, OwnDataSourceIsNotValid)
{
    TChartSeries* a = panel.AddSeries(NewSeries("Alpha"));
    try {
        a->SetDataSource(a);
        FAIL();
    } catch (const ChartException& e) {
        EXPECT_STREQ(e.what(), "No valid DataSource: Alpha");
    }
}

TEST_F(AxisPanel, CircularSourcesAreRefused)
{
    TChartSeries* a = panel.AddSeries(NewSeries("A"));
    TChartSeries* b = panel.AddSeries(NewSeries("B"));
    b->SetDataSource(a);
    try {
        a->SetDataSource(b);
        FAIL();
    } catch (const ChartException& e) {
        EXPECT_STREQ(e.what(), "Circular Series dependences are not allowed");
    }
    EXPECT_EQ(a->DataSource(), nullptr);
}

TEST_F(AxisPanel, SeriesSourceDeactivationClearsItsSeries)
{
    TChartSeries* a = panel.AddSeries(NewSeries("A"));
    auto* src = new TPlotSeriesSource(&form);
    src->SetSeries(a);
    EXPECT_EQ(a->DataSource(), src);
    src->Open();
    a->Add(1);
    src->SetActive(false);
    EXPECT_EQ(a->Count(), 0);
}

TEST_F(AxisPanel, PagesOfALongSeries)
{
    TChartSeries* a = panel.AddSeries(NewSeries());
    for (int i = 0; i < 25; ++i)
        a->Add(i);
    panel.Pages().SetMaxPointsPerPage(10);
    EXPECT_EQ(panel.NumPages(), 3);
    int changes = 0;
    panel.OnPageChange = [&](TChartPage&) { ++changes; };
    panel.Pages().SetCurrent(3);
    EXPECT_EQ(changes, 1);
    panel.Pages().SetCurrent(9);  // clamps to 3: no change
    EXPECT_EQ(panel.Pages().Current(), 3);
    EXPECT_EQ(changes, 1);
    panel.Pages().SetCurrent(0);
    EXPECT_EQ(panel.Pages().Current(), 1);
    int first = 0, last = 0;
    a->CalcFirstLastPage(10, 3, first, last);
    EXPECT_EQ(first, 20);
    EXPECT_EQ(last, 24);
    EXPECT_THROW(panel.Pages().SetMaxPointsPerPage(-1), ChartException);
    EXPECT_EQ(panel.Pages().MaxPointsPerPage(), 10);
    panel.Pages().SetMaxPointsPerPage(0);
    EXPECT_EQ(panel.NumPages(), 1);
}

TEST_F(AxisPanel, Chart3DPercentRange)
{
    try {
        panel.SetChart3DPercent(101);
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "3D effect percent must be between 1 and 100");
    }
    EXPECT_EQ(panel.Chart3DPercent(), 15);
}

TEST_F(AxisPanel, LegendSeriesAndTitles)
{
    TChartSeries* a = panel.AddSeries(NewSeries("A"));
    TChartSeries* b = panel.AddSeries(NewSeries());
    a->SetShowInLegend(false);
    EXPECT_EQ(panel.SeriesLegend(0, false), b);
    EXPECT_EQ(panel.SeriesTitleLegend(0), "Series2");
    EXPECT_EQ(panel.SeriesTitleLegend(1), "");
    b->SetActive(false);
    EXPECT_EQ(panel.SeriesLegend(0, true), nullptr);
    EXPECT_EQ(panel.CountActiveSeries(), 1);
}

TEST_F(AxisPanel, SeriesItemsForEditors)
{
    TChartSeries* a = panel.AddSeries(NewSeries("A"));
    TChartSeries* b = panel.AddSeries(NewSeries("B"));
    b->SetTitle("Bee");
    a->SetShowInEditor(false);
    const auto items = FillSeriesItems(panel.SeriesList());
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].first, "Bee");
    EXPECT_EQ(items[0].second, b);
}

TChartSeries* MakeSeries(QObject* Owner)
{
    return new TChartSeries(Owner);
}

TEST_F(AxisPanel, AddSeriesOfClassAndFreeSeriesOfClass)
{
    QWidget host;
    auto* chart = new TCustomAxisPanel(&host);
    TChartSeries* s = chart->AddSeriesOfClass(&MakeSeries);
    EXPECT_EQ(s->parent(), &host);
    EXPECT_EQ(chart->SeriesCount(), 1);
    chart->FreeSeriesOfClass("TChartSeries");
    EXPECT_EQ(chart->SeriesCount(), 0);
}

TEST(SeriesGroups, NamesAndActiveStates)
{
    TSeriesGroups groups;
    EXPECT_EQ(groups.Add().Name(), "Group1");
    TSeriesGroup& g = groups.Add();
    EXPECT_EQ(g.Name(), "Group2");
    EXPECT_EQ(g.Active(), gaYes);
    TChartSeries a, b;
    g.Series().Add(&a);
    g.Series().Add(&b);
    b.SetActive(false);
    EXPECT_EQ(g.Active(), gaSome);
    g.SetActive(gaSome);
    EXPECT_TRUE(a.Active());
    g.SetActive(gaNo);
    EXPECT_FALSE(a.Active());
    EXPECT_EQ(g.Active(), gaNo);
    g.SetActive(gaYes);
    EXPECT_TRUE(b.Active());
    EXPECT_EQ(groups.Contains(&b), 1);
    groups.RemoveSeries(&b);
    EXPECT_EQ(groups.Contains(&b), -1);
}

}  // namespace
