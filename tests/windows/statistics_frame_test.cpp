// The statistics frame driven through its entries, as the sample window
// drives it: which pages show, what their grids and charts hold, the shared
// class count of the track bars, and the degenerate samples.
// Figures by hand (the page texts themselves are checked against PSPP and R
// in the core tests):
//   1, 2, 3, 4: mean 2.5, var 5/3, sd 1.291, median 2.5, Q1 1.25, Q3 3.75.
//   (1,2) (2,4) (3,5) (4,4) (5,5): b1 = 6/10 = 0.6, b0 = 4 - 0.6 x 3 = 2.2,
//     S2 = (6 - 3.6) / 3 = 0.8, SE(b1) = sqrt(0.08) = 0.2828, t = 2.121, 3 d.f.
//   {1, 2, 3} against {4, 5, 6}: sp2 = 1, SE = sqrt(2/3) = 0.8165, t = 3.674, 4 d.f.
//   2 x 2 table 20 10 / 10 20: corrected chi-square 60 (300 - 30)^2 / 30^4 = 5.400,
//     p 0.020 (R's chisq.test gives 5.4, p 0.02014),
//     OR 4, SE(log OR) = sqrt(2/20 + 2/10) = 0.547723, limits 4 exp(-/+1.96 SE)
//     = 1.367 and 11.703 (PSPP's LOGISTIC REGRESSION on the table: 1.37 and 11.70).
#include "windows/statistics_frame.h"

#include "chart_drawing_checks.h"

#include "chart/axis_title.h"
#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "chart/series/bar_series.h"
#include "chart/series/histogram_series.h"
#include "chart/series/line_series.h"
#include "chart/series/point_series.h"
#include "chart/series_pointer.h"
#include "core/statistics_test_data.h"
#include "windows/statistics_string_grid.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QImage>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <regex>

namespace {

class StatFrame : public ::testing::Test {
protected:
    StatFrame() { frame.resize(1100, 560); }

    template <class T>
    T* Find(const char* name)
    {
        T* w = frame.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    template <class T>
    T* Series(const char* name)
    {
        return Find<T>(name);
    }
    QTabWidget* Tabs() { return Find<QTabWidget>("PageControl1"); }
    bool TabShown(const char* sheet)
    {
        return Tabs()->isTabVisible(Tabs()->indexOf(Find<QWidget>(sheet)));
    }
    std::string TabText(const char* sheet) { return Tabs()->tabText(Tabs()->indexOf(Find<QWidget>(sheet))).toStdString(); }
    std::string Cell(int page, int col, int row) { return frame.Grid(page)->Cells(col, row); }
    // Every text of every grid: no NaN or infinity spelt out.
    void ExpectCleanGrids()
    {
        static const std::regex bad(R"(\b(nan|inf)\b)", std::regex::icase);
        for (int page = 1; page <= 3; ++page) {
            TStatStringGrid* g = frame.Grid(page);
            EXPECT_LT(g->LastWrittenRow(), g->RowCount()) << page;
            for (int r = 0; r < g->RowCount(); ++r)
                for (int c = 0; c < g->ColCount(); ++c)
                    EXPECT_FALSE(std::regex_search(g->Cells(c, r), bad)) << page << ":" << c << "," << r;
        }
    }
    int WrittenCells(int page)
    {
        return frame.Grid(page)->WrittenCellCount();
    }
    // The frame drawn offscreen into build/tests/<name>.
    void WritePng(const char* name, QWidget* sheet)
    {
        Tabs()->setCurrentWidget(sheet);
        frame.show();
        QCoreApplication::processEvents();
        const QImage image = frame.grab().toImage();
        const QString path = QCoreApplication::applicationDirPath() + "/" + name;
        ASSERT_TRUE(image.save(path, "PNG")) << path.toStdString();
        EXPECT_EQ(image.width(), 1100);
    }

    TFramStat frame;
};

std::unique_ptr<TVector> NormalColumn(int n, double mean, double sd, unsigned seed)
{
    // a fixed spread of values: the normal quantiles of (i - 0.5) / n, shuffled
    // by a fixed stride so that the order is not sorted
    std::vector<double> v(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double p = (i + 0.5) / n;
        // Acklam-free inverse by bisection on the error function
        double lo = -8;
        double hi = 8;
        for (int k = 0; k < 80; ++k) {
            const double mid = (lo + hi) / 2;
            (0.5 * std::erfc(-mid / std::sqrt(2.0)) < p ? lo : hi) = mid;
        }
        v[static_cast<std::size_t>((i * 37 + seed) % n)] = mean + sd * (lo + hi) / 2;
    }
    return MakeColumn(v);
}

}  // namespace

TEST_F(StatFrame, EveryControlCarriesItsName)
{
    for (const char* name : {"PageControl1", "TabSheet1", "TabSheet2", "TabSheet3", "pGrid1", "pGrid2", "pGrid3",
                             "PanelCatVar1", "PanelXVar1", "PanelCatVar2", "PanelXVar2", "Panel12", "Panel2b"})
        EXPECT_NE(frame.findChild<QWidget*>(name), nullptr) << name;
    for (const char* name : {"CheckBox1", "CheckBox2", "CheckBox3"})
        EXPECT_NE(frame.findChild<QCheckBox*>(name), nullptr) << name;
    for (const char* name : {"TrackBar1", "TrackBar2", "TrackBar3"})
        EXPECT_NE(frame.findChild<QSlider*>(name), nullptr) << name;
    for (const char* name : {"RadioGroupXY", "RadioGroupCC"})
        EXPECT_NE(frame.findChild<QGroupBox*>(name), nullptr) << name;
    for (const char* name : {"SGrid1", "SGrid2", "SGrid3"})
        EXPECT_NE(frame.findChild<TStatStringGrid*>(name), nullptr) << name;
    EXPECT_EQ(frame.Chart(1)->objectName(), "Chart1");
    EXPECT_EQ(frame.Chart(2)->objectName(), "Chart2");
    EXPECT_EQ(frame.Chart(3)->objectName(), "Chart3");
    for (const char* name : {"SeriesBar1", "SeriesHistogram1", "SeriesBar2", "SeriesHistogram2", "SeriesBar31",
                             "SeriesBar32"})
        EXPECT_NE(frame.findChild<TBarSeries*>(name), nullptr) << name;
    for (const char* name : {"SeriesLine1", "SeriesLine2", "SeriesLine31", "SeriesLine32"})
        EXPECT_NE(frame.findChild<TLineSeries*>(name), nullptr) << name;
    for (const char* name : {"SeriesHist31", "SeriesHist32"})
        EXPECT_NE(frame.findChild<THistogramSeries*>(name), nullptr) << name;
    EXPECT_NE(frame.findChild<TPointSeries*>("SeriesPoints3"), nullptr);
    EXPECT_EQ(Find<QCheckBox>("CheckBox1")->text(), "Show normal density");
    EXPECT_EQ(Find<QGroupBox>("RadioGroupXY")->title(), " Plot ");
    const QSlider* bar = Find<QSlider>("TrackBar1");
    EXPECT_EQ(bar->minimum(), 50);
    EXPECT_EQ(bar->maximum(), 150);
    EXPECT_EQ(bar->value(), 100);
}

TEST_F(StatFrame, OneQuantitativeColumnFillsPageOneOnly)
{
    const auto data = MakeColumn({1, 2, 3, 4});
    frame.InitX(NumVar("height"), *data);
    EXPECT_EQ(frame.Mode(), TFramStat::ModeX);
    EXPECT_TRUE(TabShown("TabSheet1"));
    EXPECT_FALSE(TabShown("TabSheet2"));
    EXPECT_FALSE(TabShown("TabSheet3"));
    EXPECT_EQ(TabText("TabSheet1"), "height");
    EXPECT_FALSE(Find<QWidget>("PanelXVar1")->isHidden());
    EXPECT_TRUE(Find<QWidget>("PanelCatVar1")->isHidden());

    EXPECT_EQ(Cell(1, 1, 2), "HEIGHT");
    EXPECT_EQ(Cell(1, 2, 3), "4");
    EXPECT_EQ(Cell(1, 2, 5), "Mean= 2.500");
    EXPECT_EQ(Cell(1, 3, 5), "Median= 2.500");
    EXPECT_EQ(Cell(1, 2, 6), "sd= 1.291");
    EXPECT_EQ(Cell(1, 3, 6), "Var= 1.667");
    EXPECT_EQ(Cell(1, 2, 7), "Q1= 1.250");
    EXPECT_EQ(Cell(1, 3, 7), "Q3= 3.750");
    EXPECT_EQ(frame.Grid(1)->RowCount(), 25);
    EXPECT_EQ(frame.Grid(1)->ColCount(), 6);

    // 18 classes over 0.85 .. 4.15, bars at the class centres, every value counted
    auto* bars = Series<TBarSeries>("SeriesHistogram1");
    ASSERT_EQ(bars->Count(), 18);
    const double w = 3.3 / 18;
    EXPECT_NEAR(bars->XValues().Value(0), 0.85 + w / 2, 1e-12);
    EXPECT_NEAR(bars->XValues().Value(17), 4.15 - w / 2, 1e-12);
    double area = 0;
    for (int i = 0; i < bars->Count(); ++i)
        area += bars->YValues().Value(i) * w;
    EXPECT_NEAR(area, 1.0, 1e-12);
    EXPECT_EQ(frame.Chart(1)->BottomAxis()->Title()->Caption(), "height");
    EXPECT_EQ(frame.Chart(1)->LeftAxis()->Title()->Caption(), "Frequency");
    // the density axis reaches above the normal peak 1 / (sqrt(6.2832) x 1.291) = 0.309
    EXPECT_DOUBLE_EQ(frame.Chart(1)->LeftAxis()->Minimum(), 0);
    EXPECT_GT(frame.Chart(1)->LeftAxis()->Maximum(), 0.309);
    EXPECT_EQ(Series<TLineSeries>("SeriesLine1")->Count(), 501);
}

TEST_F(StatFrame, NormalCurveFollowsItsCheckBox)
{
    const auto data = MakeColumn({1, 2, 3, 4});
    frame.InitX(NumVar("x"), *data);
    auto* line = Series<TLineSeries>("SeriesLine1");
    Find<QCheckBox>("CheckBox1")->setChecked(false);
    EXPECT_FALSE(line->Active());
    Find<QCheckBox>("CheckBox1")->click();
    EXPECT_TRUE(line->Active());
}

TEST_F(StatFrame, TrackBarRedrawsTheChartAndLeavesTheGrid)
{
    const auto data = MakeColumn({1, 2, 3, 4});
    frame.InitX(NumVar("x"), *data);
    frame.Grid(1)->SetCell(1, 20, "kept");
    Find<QSlider>("TrackBar1")->setValue(50);
    EXPECT_EQ(frame.ClassCount(), 9);
    EXPECT_EQ(Series<TBarSeries>("SeriesHistogram1")->Count(), 9);
    EXPECT_EQ(Cell(1, 1, 20), "kept");
    Find<QSlider>("TrackBar1")->setValue(150);
    EXPECT_EQ(frame.ClassCount(), 27);
    EXPECT_EQ(Series<TBarSeries>("SeriesHistogram1")->Count(), 27);
}

TEST_F(StatFrame, TheClassCountIsSharedByEveryTrackBar)
{
    const auto x = MakeColumn({1, 2, 3, 4, 5});
    const auto y = MakeColumn({2, 4, 5, 4, 5});
    frame.InitXY(NumVar("x"), *x, NumVar("y"), *y);
    Find<QSlider>("TrackBar2")->setValue(150);
    EXPECT_EQ(frame.ClassCount(), 27);
    EXPECT_EQ(Series<TBarSeries>("SeriesHistogram2")->Count(), 27);
    // page 1 still shows 18 until its own bar moves
    EXPECT_EQ(Series<TBarSeries>("SeriesHistogram1")->Count(), 18);
    Find<QSlider>("TrackBar1")->setValue(120);
    EXPECT_EQ(frame.ClassCount(), 22);  // Round(18 x 1.2) = Round(21.6)
}

TEST_F(StatFrame, TrackBarsAreResetWithTheFrame)
{
    const auto y = MakeColumn({1, 2, 3, 4, 5, 6});
    const auto g = MakeCodes({1, 1, 1, 2, 2, 2});
    frame.InitCY(CatVar("sex", {"male", "female"}), *g, NumVar("w"), *y);
    Find<QSlider>("TrackBar3")->setValue(150);
    Find<QSlider>("TrackBar2")->setValue(70);
    EXPECT_EQ(Series<THistogramSeries>("SeriesHist31")->Count(), 27);
    frame.InitCY(CatVar("sex", {"male", "female"}), *g, NumVar("w"), *y);
    EXPECT_EQ(frame.ClassCount(), 18);
    for (const char* name : {"TrackBar1", "TrackBar2", "TrackBar3"})
        EXPECT_EQ(Find<QSlider>(name)->value(), 100) << name;
    EXPECT_EQ(Series<THistogramSeries>("SeriesHist31")->Count(), 18);
    EXPECT_EQ(Series<TBarSeries>("SeriesHistogram2")->Count(), 18);
}

TEST_F(StatFrame, OneCategoricalColumnLeavesOnlyTheFirstTab)
{
    const auto data = MakeCodes({1, 1, 1, 2});
    frame.InitC(CatVar("group", {"A", "B"}), *data);
    EXPECT_EQ(frame.Mode(), TFramStat::ModeC);
    EXPECT_TRUE(TabShown("TabSheet1"));
    EXPECT_FALSE(TabShown("TabSheet2"));
    EXPECT_FALSE(TabShown("TabSheet3"));
    EXPECT_FALSE(Find<QWidget>("PanelCatVar1")->isHidden());
    EXPECT_TRUE(Find<QWidget>("PanelXVar1")->isHidden());
    EXPECT_EQ(Cell(1, 1, 2), "GROUP");
    // the categories' rows one after another under the name
    EXPECT_EQ(Cell(1, 1, 3), "# Category:");
    EXPECT_EQ(Cell(1, 2, 3), "1");
    EXPECT_EQ(Cell(1, 3, 3), "A");
    EXPECT_EQ(Cell(1, 2, 4), "x=3");
    EXPECT_EQ(Cell(1, 3, 4), "n=4");
    EXPECT_EQ(Cell(1, 2, 5), "p= 0.750");
    EXPECT_EQ(Cell(1, 3, 5), "q= 0.250");
    EXPECT_EQ(Cell(1, 1, 6), "# Category:");
    EXPECT_EQ(Cell(1, 3, 6), "B");
    auto* bars = Series<TBarSeries>("SeriesBar1");
    ASSERT_EQ(bars->Count(), 2);
    EXPECT_DOUBLE_EQ(bars->YValues().Value(0), 0.75);
    EXPECT_DOUBLE_EQ(bars->YValues().Value(1), 0.25);
    EXPECT_EQ(bars->Labels().Label(0), "A");
    EXPECT_EQ(bars->Labels().Label(1), "B");
}

TEST_F(StatFrame, CategoricalGridIsSizedToItsRowsForOneCategory)
{
    const auto data = MakeCodes({2, 2, 2});
    frame.InitC(CatVar("group", {"A", "B"}), *data);
    TStatStringGrid* g = frame.Grid(1);
    // heading row 2, then the category's rows a, b, c from row 3 (d and e
    // left out for x = n)
    EXPECT_EQ(Cell(1, 3, 3), "B");
    EXPECT_EQ(g->LastWrittenRow(), 5);
    EXPECT_EQ(g->RowCount(), 6);
    ExpectCleanGrids();
}

TEST_F(StatFrame, ACodeFarBeyondTheLevelsAddsOneCategory)
{
    const auto data = MakeCodes({1, 2, 100000});
    frame.InitC(CatVar("group", {"A", "B"}), *data);
    EXPECT_LT(frame.Grid(1)->RowCount(), 30);
    auto* bars = Series<TBarSeries>("SeriesBar1");
    ASSERT_EQ(bars->Count(), 3);
    EXPECT_EQ(bars->Labels().Label(2), "100000");
}

TEST_F(StatFrame, RegressionTakesYAsTheResponse)
{
    const auto x = MakeColumn({1, 2, 3, 4, 5});
    const auto y = MakeColumn({2, 4, 5, 4, 5});
    frame.InitXY(NumVar("dose", "mg"), *x, NumVar("effect"), *y);
    EXPECT_EQ(frame.Mode(), TFramStat::ModeXY);
    EXPECT_TRUE(TabShown("TabSheet2"));
    EXPECT_TRUE(TabShown("TabSheet3"));
    EXPECT_EQ(TabText("TabSheet1"), "dose");
    EXPECT_EQ(TabText("TabSheet2"), "effect");
    EXPECT_EQ(TabText("TabSheet3"), "Analysis");
    EXPECT_EQ(Find<QCheckBox>("CheckBox3")->text(), "Show model");
    EXPECT_FALSE(Find<QCheckBox>("CheckBox3")->isChecked());
    EXPECT_FALSE(Find<QWidget>("Panel2b")->isHidden());
    EXPECT_FALSE(Find<QGroupBox>("RadioGroupXY")->isHidden());
    EXPECT_TRUE(Find<QGroupBox>("RadioGroupCC")->isHidden());
    EXPECT_TRUE(Find<QSlider>("TrackBar3")->isHidden());

    EXPECT_EQ(Cell(3, 1, 2), "LINEAR");
    EXPECT_EQ(Cell(3, 2, 4), "X=DOSE");
    EXPECT_EQ(Cell(3, 3, 4), "Y=EFFECT");
    EXPECT_EQ(Cell(3, 2, 14), "S²= 0.800");
    EXPECT_EQ(Cell(3, 2, 16), "b0= 2.200");
    EXPECT_EQ(Cell(3, 2, 19), "b1= 0.600");
    EXPECT_EQ(Cell(3, 3, 19), "SE(b1)= 0.283");
    EXPECT_EQ(Cell(3, 2, 22), "texp= 2.121");
    EXPECT_EQ(Cell(3, 3, 22), "d.f.=3");
    EXPECT_EQ(Cell(3, 2, 24), "R²= 0.600");
    EXPECT_EQ(Cell(3, 2, 27), "r= 0.775");

    auto* points = Series<TPointSeries>("SeriesPoints3");
    auto* model = Series<TLineSeries>("SeriesLine31");
    ASSERT_EQ(points->Count(), 5);
    EXPECT_TRUE(points->Active());
    EXPECT_DOUBLE_EQ(points->XValues().Value(1), 2);
    EXPECT_DOUBLE_EQ(points->YValues().Value(1), 4);
    EXPECT_NEAR(model->YValues().Value(4), 2.2 + 0.6 * 5, 1e-12);
    EXPECT_EQ(frame.Chart(3)->BottomAxis()->Title()->Caption(), "dose (mg)");
    EXPECT_EQ(frame.Chart(3)->LeftAxis()->Title()->Caption(), "effect");
    EXPECT_FALSE(model->Active());
    Find<QCheckBox>("CheckBox3")->click();
    EXPECT_TRUE(model->Active());
}

TEST_F(StatFrame, ResidualPlotChangesTheChartOnly)
{
    const auto x = MakeColumn({1, 2, 3, 4, 5});
    const auto y = MakeColumn({2, 4, 5, 4, 5});
    frame.InitXY(NumVar("x"), *x, NumVar("y"), *y);
    const int cells = WrittenCells(3);
    Find<QRadioButton>("RadioGroupXY1")->click();
    auto* points = Series<TPointSeries>("SeriesPoints3");
    ASSERT_EQ(points->Count(), 5);
    // residual of (2, 4): 4 - (2.2 + 1.2) = 0.6
    EXPECT_NEAR(points->YValues().Value(1), 0.6, 1e-12);
    EXPECT_DOUBLE_EQ(Series<TLineSeries>("SeriesLine31")->YValues().Value(1), 0);
    EXPECT_EQ(WrittenCells(3), cells);
    EXPECT_EQ(Cell(3, 2, 19), "b1= 0.600");
    // standardised by s = sqrt(0.8)
    Find<QRadioButton>("RadioGroupXY2")->click();
    EXPECT_NEAR(points->YValues().Value(1), 0.6 / std::sqrt(0.8), 1e-12);
    // a new entry selects the data plot again
    frame.InitXY(NumVar("x"), *x, NumVar("y"), *y);
    EXPECT_TRUE(Find<QRadioButton>("RadioGroupXY0")->isChecked());
    EXPECT_DOUBLE_EQ(points->YValues().Value(1), 4);
}

TEST_F(StatFrame, DegenerateRegressionsShowDashes)
{
    const auto constantX = MakeColumn({2, 2, 2, 2});
    const auto y = MakeColumn({1, 2, 3, 5});
    frame.InitXY(NumVar("x"), *constantX, NumVar("y"), *y);
    EXPECT_EQ(Cell(3, 2, 19), "b1=     -");
    ExpectCleanGrids();
    const auto x = MakeColumn({1, 2, 3, 4});
    const auto perfect = MakeColumn({3, 5, 7, 9});
    frame.InitXY(NumVar("x"), *x, NumVar("y"), *perfect);
    EXPECT_EQ(Cell(3, 2, 19), "b1= 2.000");
    ExpectCleanGrids();
    Find<QRadioButton>("RadioGroupXY2")->click();
    EXPECT_EQ(Series<TPointSeries>("SeriesPoints3")->Count(), 0);
    const auto two = MakeColumn({1, 2});
    const auto twoY = MakeColumn({1, 3});
    frame.InitXY(NumVar("x"), *two, NumVar("y"), *twoY);
    ExpectCleanGrids();
}

TEST_F(StatFrame, TwoGroupsAreCompared)
{
    const auto y = MakeColumn({1, 4, 2, 5, 3, 6});
    const auto g = MakeCodes({1, 2, 1, 2, 1, 2});
    frame.InitCY(CatVar("sex", {"male", "female"}), *g, NumVar("weight"), *y);
    EXPECT_EQ(frame.Mode(), TFramStat::ModeCY);
    EXPECT_EQ(TabText("TabSheet1"), "sex");
    EXPECT_EQ(TabText("TabSheet2"), "weight");
    EXPECT_EQ(TabText("TabSheet3"), "Analysis");
    EXPECT_FALSE(Find<QSlider>("TrackBar3")->isHidden());
    EXPECT_TRUE(Find<QWidget>("Panel2b")->isHidden());
    EXPECT_EQ(Cell(3, 1, 2), "WEIGHT");
    EXPECT_EQ(Cell(3, 2, 5), "MALE");
    EXPECT_EQ(Cell(3, 3, 5), "FEMALE");
    EXPECT_EQ(Cell(3, 2, 9), " 2.000");
    EXPECT_EQ(Cell(3, 3, 9), " 5.000");
    EXPECT_EQ(Cell(3, 2, 19), "texp= 3.674");
    EXPECT_EQ(Cell(3, 3, 19), "d.f.=4");
    EXPECT_EQ(Cell(3, 3, 20), "d-Cohen= 3.000");
    EXPECT_EQ(frame.Grid(3)->RowCount(), 25);

    auto* h1 = Series<THistogramSeries>("SeriesHist31");
    auto* h2 = Series<THistogramSeries>("SeriesHist32");
    ASSERT_EQ(h1->Count(), 18);
    ASSERT_EQ(h2->Count(), 18);
    // one area scale for both: together they enclose 1
    const double w = 5.0 / 18;
    double area = 0;
    for (int i = 0; i < 18; ++i)
        area += (h1->YValues().Value(i) + h2->YValues().Value(i)) * w;
    EXPECT_NEAR(area, 1.0, 1e-12);
    EXPECT_NEAR(h1->XValues().Value(0), 1 + w / 2, 1e-12);
    // both curves, each half the area
    Find<QCheckBox>("CheckBox3")->setChecked(true);
    EXPECT_TRUE(Series<TLineSeries>("SeriesLine31")->Active());
    EXPECT_TRUE(Series<TLineSeries>("SeriesLine32")->Active());
    EXPECT_EQ(Series<TLineSeries>("SeriesLine31")->Count(), 501);
    EXPECT_EQ(Series<TLineSeries>("SeriesLine32")->Count(), 501);

    // the third track bar redraws the histograms and keeps the grid
    Find<QSlider>("TrackBar3")->setValue(50);
    EXPECT_EQ(h1->Count(), 9);
    EXPECT_EQ(Cell(3, 2, 19), "texp= 3.674");
}

TEST_F(StatFrame, OneGroupIsWrittenWithoutTests)
{
    const auto y = MakeColumn({1, 2, 3});
    const auto g = MakeCodes({2, 2, 2});
    frame.InitCY(CatVar("sex", {"male", "female"}), *g, NumVar("weight"), *y);
    bool textFound = false;
    for (int r = 0; r < frame.Grid(3)->RowCount(); ++r)
        for (int c = 0; c < frame.Grid(3)->ColCount(); ++c)
            textFound = textFound || Cell(3, c, r).find("One group only") != std::string::npos;
    EXPECT_TRUE(textFound);
    EXPECT_EQ(Cell(3, 2, 5), "FEMALE");
    EXPECT_EQ(Series<THistogramSeries>("SeriesHist31")->Count(), 0);
    ExpectCleanGrids();
}

TEST_F(StatFrame, GroupsWithoutADeviationGetDashesAndNoCurve)
{
    const auto y = MakeColumn({1, 4, 4, 4});
    const auto g = MakeCodes({1, 2, 2, 2});
    frame.InitCY(CatVar("sex", {"male", "female"}), *g, NumVar("weight"), *y);
    Find<QCheckBox>("CheckBox3")->setChecked(true);
    EXPECT_EQ(Series<TLineSeries>("SeriesLine31")->Count(), 0);
    EXPECT_EQ(Series<TLineSeries>("SeriesLine32")->Count(), 0);
    EXPECT_EQ(Cell(3, 2, 10), "     -");
    ExpectCleanGrids();
}

TEST_F(StatFrame, TwoByTwoTableAndItsBars)
{
    std::vector<int> a;
    std::vector<int> b;
    const auto add = [&](int i, int j, int count) {
        for (int k = 0; k < count; ++k) {
            a.push_back(i);
            b.push_back(j);
        }
    };
    add(1, 1, 20);
    add(1, 2, 10);
    add(2, 1, 10);
    add(2, 2, 20);
    const auto A = MakeCodes(a);
    const auto B = MakeCodes(b);
    frame.InitCC(CatVar("smoker", {"yes", "no"}), *A, CatVar("cough", {"often", "rarely"}), *B);
    EXPECT_EQ(frame.Mode(), TFramStat::ModeCC);
    EXPECT_EQ(TabText("TabSheet1"), "smoker");
    EXPECT_EQ(TabText("TabSheet2"), "cough");
    EXPECT_TRUE(Find<QWidget>("Panel12")->isHidden());
    EXPECT_FALSE(Find<QGroupBox>("RadioGroupCC")->isHidden());
    EXPECT_TRUE(Find<QGroupBox>("RadioGroupXY")->isHidden());
    EXPECT_EQ(Find<QRadioButton>("RadioGroupCC0")->text(), "cough by smoker");
    EXPECT_EQ(Find<QRadioButton>("RadioGroupCC1")->text(), "smoker by cough");
    EXPECT_EQ(frame.Grid(3)->RowCount(), 22);
    EXPECT_EQ(frame.Grid(3)->ColCount(), 7);
    EXPECT_EQ(Cell(3, 1, 10), "Validity:");
    EXPECT_EQ(Cell(3, 2, 10), "OK");
    EXPECT_EQ(Cell(3, 2, 11), "15.000");
    EXPECT_EQ(Cell(3, 2, 12), " 5.400");
    EXPECT_EQ(Cell(3, 3, 12), "(1 df)");
    EXPECT_EQ(Cell(3, 2, 13), " 0.020");
    EXPECT_EQ(Cell(3, 2, 14), " 4.000");
    EXPECT_EQ(Cell(3, 2, 15), "( 1.367;");
    EXPECT_EQ(Cell(3, 3, 15), "11.703)");

    auto* s1 = Series<TBarSeries>("SeriesBar31");
    auto* s2 = Series<TBarSeries>("SeriesBar32");
    EXPECT_TRUE(s1->Active());
    EXPECT_TRUE(s2->Active());
    EXPECT_EQ(s1->Title(), "often");
    EXPECT_EQ(s2->Title(), "rarely");
    ASSERT_EQ(s1->Count(), 2);
    EXPECT_DOUBLE_EQ(s1->YValues().Value(0), 20.0 / 60);
    EXPECT_DOUBLE_EQ(s2->YValues().Value(0), 10.0 / 60);
    EXPECT_EQ(s1->Labels().Label(1), "no");
    EXPECT_EQ(frame.Chart(3)->BottomAxis()->Title()->Caption(), "smoker");
    EXPECT_TRUE(frame.Chart(3)->Legend()->Visible());

    // the other orientation redraws the bars and keeps the grid
    const int cells = WrittenCells(3);
    Find<QRadioButton>("RadioGroupCC1")->click();
    EXPECT_EQ(s1->Title(), "yes");
    EXPECT_DOUBLE_EQ(s2->YValues().Value(0), 10.0 / 60);
    EXPECT_EQ(frame.Chart(3)->BottomAxis()->Title()->Caption(), "cough");
    EXPECT_EQ(WrittenCells(3), cells);
}

TEST_F(StatFrame, OneColumnTableDrawsOneSeries)
{
    const auto A = MakeCodes({1, 2, 1, 2, 1});
    const auto B = MakeCodes({1, 1, 1, 1, 1});
    frame.InitCC(CatVar("a", {"x", "y"}), *A, CatVar("b", {"u", "v"}), *B);
    auto* s1 = Series<TBarSeries>("SeriesBar31");
    auto* s2 = Series<TBarSeries>("SeriesBar32");
    EXPECT_TRUE(s1->Active());
    EXPECT_FALSE(s2->Active());
    ASSERT_EQ(s1->Count(), 2);
    EXPECT_DOUBLE_EQ(s1->YValues().Value(0), 0.6);
    ExpectCleanGrids();
    // in the other orientation A's two categories are the series, over B's one
    Find<QRadioButton>("RadioGroupCC1")->click();
    EXPECT_TRUE(s2->Active());
    EXPECT_EQ(s1->Count(), 1);
    EXPECT_EQ(s2->Count(), 1);
}

TEST_F(StatFrame, ANewEntryReplacesEveryText)
{
    const auto x = MakeColumn({1, 2, 3, 4, 5});
    const auto y = MakeColumn({2, 4, 5, 4, 5});
    frame.InitXY(NumVar("x"), *x, NumVar("y"), *y);
    EXPECT_GT(WrittenCells(2), 0);
    EXPECT_GT(WrittenCells(3), 0);
    const auto c = MakeCodes({1, 2, 2});
    frame.InitC(CatVar("c", {"A", "B"}), *c);
    EXPECT_EQ(WrittenCells(2), 0);
    EXPECT_EQ(WrittenCells(3), 0);
    EXPECT_FALSE(TabShown("TabSheet2"));
    EXPECT_FALSE(TabShown("TabSheet3"));
    for (const char* name : {"SeriesPoints3"})
        EXPECT_EQ(Series<TPointSeries>(name)->Count(), 0);
    EXPECT_EQ(Series<TBarSeries>("SeriesHistogram2")->Count(), 0);
    EXPECT_EQ(Cell(1, 1, 2), "C");
}

TEST_F(StatFrame, TheFrameKeepsItsOwnCopyOfTheColumns)
{
    {
        const auto data = MakeColumn({1, 2, 3, 4});
        frame.InitX(NumVar("x"), *data);
    }
    // the caller's column is gone; the track bar still redraws from the copy
    Find<QSlider>("TrackBar1")->setValue(50);
    EXPECT_EQ(Series<TBarSeries>("SeriesHistogram1")->Count(), 9);
}

TEST_F(StatFrame, DegenerateColumnsWriteNoNumberThatIsNotOne)
{
    const auto empty = MakeColumn(std::vector<double>{});
    frame.InitX(NumVar("x"), *empty);
    ExpectCleanGrids();
    EXPECT_EQ(Series<TBarSeries>("SeriesHistogram1")->Count(), 0);
    const auto one = MakeColumn({3});
    frame.InitX(NumVar("x"), *one);
    EXPECT_EQ(Cell(1, 2, 6), "sd=     -");
    ExpectCleanGrids();
    const auto constant = MakeColumn({3, 3, 3});
    frame.InitX(NumVar("x"), *constant);
    EXPECT_EQ(Series<TBarSeries>("SeriesHistogram1")->Count(), 0);
    EXPECT_EQ(Series<TLineSeries>("SeriesLine1")->Count(), 0);
    ExpectCleanGrids();
    const auto noCodes = MakeCodes({});
    frame.InitC(CatVar("c", {"A"}), *noCodes);
    ExpectCleanGrids();
    const auto a = MakeCodes({1, 1, 2, 2, 3});
    const auto b = MakeCodes({1, 2, 1, 2, 1});
    frame.InitCC(CatVar("a", {"p", "q", "r"}), *a, CatVar("b", {"u", "v"}), *b);
    ExpectCleanGrids();
    const auto small = MakeCodes({1, 2, 1, 2});
    frame.InitCC(CatVar("a", {"p", "q"}), *small, CatVar("b", {"u", "v"}), *small);
    EXPECT_EQ(Cell(3, 2, 10), "NO!");
    ExpectCleanGrids();
}

TEST_F(StatFrame, PageControlResizeGivesTheGridsSixTenths)
{
    frame.show();
    QCoreApplication::processEvents();
    frame.PageControl1Resize();
    const int tabWidth = Find<QTabWidget>("PageControl1")->width();
    EXPECT_NEAR(Find<QWidget>("pGrid1")->width(), 0.6 * tabWidth, 12);
}

// Pictures of the frame for review, written beside the test program, and
// the checks of each chart as drawn: the labels of one axis keep clear of
// one another, every text stays inside the chart, the tallest bar and every
// point keep their room inside the chart rectangle, the marks lie over every
// bar and the legend's symbols are wide enough to be seen beside their texts.
TEST_F(StatFrame, PicturesOfTheFourModes)
{
    const auto data = NormalColumn(400, 170, 8, 11);
    frame.InitX(NumVar("height", "cm"), *data);
    Find<QCheckBox>("CheckBox1")->setChecked(true);
    EXPECT_EQ(Series<TBarSeries>("SeriesHistogram1")->Count(), 18);
    WritePng("statistics_frame_quantitative.png", Find<QWidget>("TabSheet1"));
    TChart& chart1 = *frame.Chart(1);
    EXPECT_CHART_READABLE(chart1, "quantitative");
    // the density axis ends 0.1 above the tallest class (or the curve's peak)
    const TBarSeries& histogram = *Series<TBarSeries>("SeriesHistogram1");
    const double tallest = histogram.YValues().MaxValue();
    const double peak = 1 / (std::sqrt(6.2832) * 7.997);
    EXPECT_NEAR(chart1.LeftAxis()->Maximum(), std::max(tallest, peak) + 0.1, 1e-3);
    EXPECT_EQ(chart1.LeftAxis()->Minimum(), 0);
    EXPECT_GE(GapAboveTallest(chart1, histogram), 20);

    std::vector<double> xs;
    std::vector<double> ys;
    for (int i = 0; i < 40; ++i) {
        const double x = 150 + i;
        xs.push_back(x);
        ys.push_back(0.9 * x - 90 + 6 * std::sin(i * 1.7));
    }
    const auto x = MakeColumn(xs);
    const auto y = MakeColumn(ys);
    frame.InitXY(NumVar("height", "cm"), *x, NumVar("weight", "kg"), *y);
    Find<QCheckBox>("CheckBox3")->setChecked(true);
    WritePng("statistics_frame_regression.png", Find<QWidget>("TabSheet3"));
    TChart& chart3 = *frame.Chart(3);
    EXPECT_CHART_READABLE(chart3, "regression");
    EXPECT_EQ(PointersOutsideTheRect(chart3), std::vector<std::string>{});
    {
        // the extreme points stand 20 pixels (and their own half size) off the
        // top and bottom of the frame and 5 off its sides
        const TPointSeries& points = *Series<TPointSeries>("SeriesPoints3");
        int top = chart3.ChartRect.Bottom, bottom = chart3.ChartRect.Top;
        int left = chart3.ChartRect.Right, right = chart3.ChartRect.Left;
        for (int i = 0; i < points.Count(); ++i) {
            top = std::min(top, points.CalcYPos(i));
            bottom = std::max(bottom, points.CalcYPos(i));
            left = std::min(left, points.CalcXPos(i));
            right = std::max(right, points.CalcXPos(i));
        }
        const int half = points.Pointer().HorizSize();
        EXPECT_GE(top - chart3.ChartRect.Top, 20 + half);
        EXPECT_GE(chart3.ChartRect.Bottom - bottom, 20 + half);
        EXPECT_GE(left - chart3.ChartRect.Left, 5 + half);
        EXPECT_GE(chart3.ChartRect.Right - right, 5 + half);
    }

    const auto w1 = NormalColumn(200, 60, 6, 3);
    const auto w2 = NormalColumn(200, 68, 7, 5);
    std::vector<double> values;
    std::vector<int> codes;
    for (int i = 1; i <= 200; ++i) {
        values.push_back(w1->GetElem(i));
        codes.push_back(1);
        values.push_back(w2->GetElem(i));
        codes.push_back(2);
    }
    const auto wy = MakeColumn(values);
    const auto wg = MakeCodes(codes);
    frame.InitCY(CatVar("sex", {"female", "male"}), *wg, NumVar("weight", "kg"), *wy);
    Find<QCheckBox>("CheckBox3")->setChecked(true);
    WritePng("statistics_frame_groups.png", Find<QWidget>("TabSheet3"));
    EXPECT_CHART_READABLE(chart3, "groups");
    for (const char* name : {"SeriesHist31", "SeriesHist32"})
        EXPECT_GE(GapAboveTallest(chart3, *Series<THistogramSeries>(name)), 20) << name;
    Tabs()->setCurrentWidget(Find<QWidget>("TabSheet1"));
    QCoreApplication::processEvents();
    EXPECT_CHART_READABLE(chart1, "groups, categories");
    Tabs()->setCurrentWidget(Find<QWidget>("TabSheet2"));
    QCoreApplication::processEvents();
    EXPECT_CHART_READABLE(*frame.Chart(2), "groups, weight");

    std::vector<int> a;
    std::vector<int> b;
    const int counts[3][2] = {{30, 12}, {18, 22}, {8, 25}};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 2; ++j)
            for (int k = 0; k < counts[i][j]; ++k) {
                a.push_back(i + 1);
                b.push_back(j + 1);
            }
    const auto A = MakeCodes(a);
    const auto B = MakeCodes(b);
    frame.InitCC(CatVar("age group", {"young", "middle", "old"}), *A, CatVar("sport", {"yes", "no"}), *B);
    EXPECT_TRUE(Series<TBarSeries>("SeriesBar31")->Marks().Visible());
    WritePng("statistics_frame_contingency.png", Find<QWidget>("TabSheet3"));
    EXPECT_CHART_READABLE(chart3, "contingency");
    // both symbols drawn, so the legend check above saw them and their shadows
    for (const TChartDrawing& d :
         {DrawChartOn<platform::RecordingDevice>(chart3), DrawChartOn<platform::QtDrawingDevice>(chart3)}) {
        EXPECT_TRUE(d.legendShown);
        EXPECT_EQ(d.legendSymbols.size(), 2u);
    }
    {
        TTextBoxDevice<platform::RecordingDevice> device(chart3.width(), chart3.height());
        chart3.SetBufferedDisplay(false);
        chart3.Draw(&device, TRect{0, 0, chart3.width(), chart3.height()});
        chart3.SetBufferedDisplay(true);
        const auto& calls = device.Calls();
        const std::string olive = "solid " + platform::RecordingDevice::ColorText(clOlive);
        const std::string first = "solid " + platform::RecordingDevice::ColorText(10921555);
        int lastBar = -1;
        int firstMark = -1;
        std::vector<TRect> symbols;
        for (int i = 0; i < static_cast<int>(calls.size()); ++i) {
            const platform::RecordedCall& c = calls[static_cast<std::size_t>(i)];
            if (c.name == "Rectangle" && (c.brush == olive || c.brush == first)) {
                const TRect r{std::stoi(c.args[0]), std::stoi(c.args[1]), std::stoi(c.args[2]), std::stoi(c.args[3])};
                if (r.Left >= chart3.ChartRect.Right)
                    symbols.push_back(r);
                else
                    lastBar = i;
            }
            if (c.name == "TextOut" && firstMark < 0 && c.args[2].find('%') != std::string::npos)
                firstMark = i;
        }
        // every percent mark is written after the last bar of either series
        ASSERT_GE(firstMark, 0);
        EXPECT_GT(firstMark, lastBar);
        // two symbols, 16 pixels wide, their shadows clear of the texts
        ASSERT_EQ(symbols.size(), 2u);
        for (const TDrawnText& t : device.texts)
            if (t.text == "yes" || t.text == "no") {
                const TRect& s = symbols[t.text == "yes" ? 0 : 1];
                EXPECT_EQ(s.Right - s.Left, 16) << t.text;
                EXPECT_GT(t.box.Left, s.Right + 3) << t.text;
            }
    }
}
