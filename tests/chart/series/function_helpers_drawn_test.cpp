// The lines a function keeps beside its series (MACD signal and histogram,
// Bollinger lower band, ADX up and down lines) are drawn with their series
// on a real paint, widen the axes, and stay out of the legend, the editors
// and the stream.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "chart/chart_legend.h"
#include "chart/chart_stream.h"
#include "chart/series/adx_function.h"
#include "chart/series/bollinger_function.h"
#include "chart/series/candle_series.h"
#include "chart/series/fast_line_series.h"
#include "chart/series/line_series.h"
#include "chart/series/macd_function.h"
#include "chart/series/perimeter_function.h"
#include "chart/series/volume_series.h"
#include "chart/series_types.h"
#include "testing/recording_device.h"

namespace {

class FunctionHelpersDrawn : public ::testing::Test {
protected:
    FunctionHelpersDrawn()
    {
        chart.SetView3D(false);
        chart.SetBufferedDisplay(false);
        chart.Legend()->SetVisible(true);
        chart.Legend()->SetLegendStyle(lsSeries);
    }
    ~FunctionHelpersDrawn() override
    {
        while (chart.SeriesCount() > 0)
            chart.RemoveSeries(chart.Series(0));
    }
    TLineSeries* AddLine(TColor Colour)
    {
        auto* s = new TLineSeries(&owner);
        s->SetName("Series" + std::to_string(++named));
        s->SetSeriesColor(Colour);
        chart.AddSeries(s);
        return s;
    }
    // A line series computed by F from Source.
    template <class F>
    F* AddFunction(TChartSeries& Source, TColor Colour)
    {
        TLineSeries* s = AddLine(Colour);
        auto* f = new F;
        s->SetFunction(f);
        s->SetDataSource(&Source);
        return f;
    }
    void Draw()
    {
        device.ClearLog();
        chart.Draw(&device, TRect{0, 0, device.Width(), device.Height()});
    }
    static bool InPen(const platform::RecordedCall& Call, TColor Colour)
    {
        const std::string text = " " + platform::RecordingDevice::ColorText(Colour);
        return Call.pen.size() >= text.size() && Call.pen.compare(Call.pen.size() - text.size(), text.size(), text) == 0;
    }
    static bool IsLine(const platform::RecordedCall& Call)
    {
        return Call.drawing && (Call.name == "LineTo" || Call.name == "Polyline" || Call.name == "PolylineTo");
    }
    // Drawing calls made with a pen of that colour.
    int DrawnIn(TColor Colour) const
    {
        int n = 0;
        for (const auto& call : device.Calls())
            if (IsLine(call) && InPen(call, Colour))
                ++n;
        return n;
    }
    // The lines of the last draw made with a pen of that colour, each after
    // the move that led to it (a pen is chosen on the device only as it
    // draws: the move may be logged with the one before).
    std::vector<std::string> PathIn(TColor Colour) const
    {
        std::vector<std::string> out;
        const platform::RecordedCall* move = nullptr;
        for (const auto& call : device.Calls()) {
            if (call.name == "MoveTo") {
                move = &call;
                continue;
            }
            if (!call.drawing)
                continue;
            if (IsLine(call) && InPen(call, Colour)) {
                if (move)
                    out.push_back(move->ToString());
                out.push_back(call.ToString());
            }
            move = nullptr;
        }
        return out;
    }
    // Where pixel X, Y at depth Z lands on the device (itself in 2D).
    TPoint OnDevice(int X, int Y, int Z)
    {
        TPoint p{X, Y};
        if (chart.View3D())
            chart.Canvas()->Project(X, Y, Z, p);
        return p;
    }
    static std::string Call(const char* Name, TPoint P)
    {
        return std::string(Name) + "(" + std::to_string(P.X) + "," + std::to_string(P.Y) + ")";
    }
    // A line drawn in one stroke: a move to its first point, then a segment
    // to each next point, at the depth of Series.
    std::vector<std::string> StrokeThrough(const TChartSeries& Line, const TChartSeries& Series)
    {
        std::vector<std::string> out;
        for (int i = 0; i < Line.Count(); ++i)
            out.push_back(Call(i == 0 ? "MoveTo" : "LineTo", OnDevice(Line.CalcXPos(i), Line.CalcYPos(i), Series.MiddleZ())));
        return out;
    }
    // Segments in any other pen than Colour that end on a point of Line
    // (other than a point another series shares).
    int StraySegments(const TChartSeries& Line, const TChartSeries& Series, TColor Colour)
    {
        std::vector<std::string> points;
        for (int i = 0; i < Line.Count(); ++i) {
            const int x = Line.CalcXPos(i), y = Line.CalcYPos(i);
            bool shared = false;
            for (int k = 0; k < chart.SeriesCount(); ++k) {
                const TChartSeries* s = chart.Series(k);
                shared = shared
                         || (s != &Line && s->Active() && i < s->Count() && s->CalcXPos(i) == x && s->CalcYPos(i) == y);
            }
            if (!shared)
                points.push_back(Call("LineTo", OnDevice(x, y, Series.MiddleZ())));
        }
        int n = 0;
        for (const auto& call : device.Calls())
            if (call.name == "LineTo" && !InPen(call, Colour)
                && std::find(points.begin(), points.end(), call.ToString()) != points.end())
                ++n;
        return n;
    }
    // Line, a function's own line beside Series, drawn alone in its own pen
    // (of that colour) at the depth of Series.
    void ExpectStroke(const TChartSeries& Line, const TChartSeries& Series, TColor Colour)
    {
        ASSERT_GT(Line.Count(), 2);
        EXPECT_EQ(PathIn(Colour), StrokeThrough(Line, Series));
        EXPECT_EQ(StraySegments(Line, Series, Colour), 0);
    }
    static std::vector<std::string> EditorTitles(const TChart& Chart)
    {
        std::vector<std::string> out;
        for (const auto& [title, series] : FillSeriesItems(Chart.SeriesList()))
            out.push_back(title);
        return out;
    }

    // The histogram's lines: from the origin to each point, at the depth of
    // Series.
    std::vector<std::string> BarsOf(const TVolumeSeries& Histogram, const TChartSeries& Series)
    {
        std::vector<std::string> out;
        for (int i = 0; i < Histogram.Count(); ++i) {
            const int x = Histogram.CalcXPos(i);
            out.push_back(Call("MoveTo", OnDevice(x, Histogram.OriginPos(), Series.MiddleZ())));
            out.push_back(Call("LineTo", OnDevice(x, Histogram.CalcYPos(i), Series.MiddleZ())));
        }
        return out;
    }

    // Bollinger bands of period 3 over twelve prices, the lower band's pen in
    // LowBand.
    TBollingerFunction* AddBollinger(TColor LowBand)
    {
        TLineSeries* source = AddLine(clBlack);
        const double v[] = {3, 5, 4, 8, 10, 9, 12, 7, 6, 11, 4, 2};
        for (int i = 0; i < 12; ++i)
            source->AddXY(i, 20 + v[i]);
        auto* f = AddFunction<TBollingerFunction>(*source, clBlue);
        f->SetPeriod(3);
        f->LowBandPen().SetColor(LowBand);
        return f;
    }
    // The ADX of period 3 over twelve candles, the candles off the axes.
    TADXFunction* AddADX()
    {
        auto* source = new TCandleSeries(&owner);
        chart.AddSeries(source);
        const double o[] = {10, 11, 12, 11, 13, 14, 13, 12, 11, 12, 14, 13};
        const double h[] = {12, 13, 13, 12, 15, 15, 14, 13, 12, 14, 15, 15};
        const double l[] = {9, 10, 11, 9, 12, 12, 11, 10, 9, 11, 12, 12};
        const double c[] = {11, 12, 11, 10, 14, 13, 12, 11, 10, 13, 13, 14};
        for (int i = 0; i < 12; ++i)
            source->AddOHLC(i, o[i], h[i], l[i], c[i]);
        source->SetActive(false);
        auto* f = AddFunction<TADXFunction>(*source, clBlue);
        f->SetPeriod(3);
        return f;
    }

    // A source of twelve prices and its MACD line, both on the chart.
    TMACDFunction* AddMACD()
    {
        TLineSeries* source = AddLine(clBlack);
        source->SetTitle("Prices");
        const double v[] = {3, 5, 4, 8, 10, 9, 12, 7, 6, 11, 4, 2};
        for (int i = 0; i < 12; ++i)
            source->AddXY(i, v[i]);
        auto* f = AddFunction<TMACDFunction>(*source, clBlue);
        f->ParentSeries()->SetTitle("MACD");
        f->SetPeriod(4);
        f->SetPeriod2(2);
        f->SetPeriod3(3);
        return f;
    }

    int named = 0;
    QObject owner;
    platform::RecordingDevice device{640, 480};
    TChart chart;
};

}  // namespace

TEST_F(FunctionHelpersDrawn, MACDSignalAndHistogram)
{
    TLineSeries* source = AddLine(clBlack);
    source->SetTitle("Prices");
    const double v[] = {3, 5, 4, 8, 10, 9, 12, 7, 6, 11, 4, 2};
    for (int i = 0; i < 12; ++i)
        source->AddXY(i, v[i]);
    source->SetActive(false);  // only the MACD lines on the axes
    auto* f = AddFunction<TMACDFunction>(*source, clBlue);
    f->ParentSeries()->SetTitle("MACD");
    f->SetPeriod(4);
    f->SetPeriod2(2);
    f->SetPeriod3(3);
    Draw();
    EXPECT_GT(DrawnIn(clBlue), 0);
    EXPECT_GT(DrawnIn(32768), 0);  // the green signal line
    EXPECT_GT(DrawnIn(255), 0);    // the red histogram's lines
    // the left axis spans the three lines
    for (const TChartSeries* s : {f->ParentSeries(), &f->SignalSeries(), static_cast<TChartSeries*>(&f->HistogramSeries())}) {
        EXPECT_LE(chart.LeftAxis()->Minimum(), s->MinYValue());
        EXPECT_GE(chart.LeftAxis()->Maximum(), s->MaxYValue());
    }
    // neither in the legend nor in the editors' lists
    EXPECT_EQ(chart.Legend()->Items().Count(), 1);  // the MACD line (its source is off)
    EXPECT_EQ(EditorTitles(chart), (std::vector<std::string>{"Prices", "MACD"}));

    // the chart's own stream holds the two series only
    QObject form;
    TChart copy;
    ReadChart(copy, &form, WriteChart(chart));
    std::vector<std::string> read;
    for (int i = 0; i < copy.SeriesCount(); ++i)
        if (!copy.Series(i)->OwnedByFunction())
            read.push_back(copy.Series(i)->Title() + ":" + copy.Series(i)->metaObject()->className());
    EXPECT_EQ(read, (std::vector<std::string>{"Prices:TLineSeries", "MACD:TLineSeries"}));
    while (copy.SeriesCount() > 0)
        copy.RemoveSeries(copy.Series(0));
}

TEST_F(FunctionHelpersDrawn, BollingerLowerBand)
{
    TBollingerFunction* f = AddBollinger(clFuchsia);
    Draw();
    EXPECT_GT(DrawnIn(clFuchsia), 0);
    EXPECT_LE(chart.LeftAxis()->Minimum(), f->LowBand().MinYValue());
    EXPECT_LT(f->LowBand().MinYValue(), chart.Series(0)->MinYValue());
    EXPECT_EQ(chart.Legend()->Items().Count(), 2);
}

TEST_F(FunctionHelpersDrawn, ADXUpAndDownLines)
{
    TADXFunction* f = AddADX();
    ASSERT_GT(f->UpLine().Count(), 0);
    Draw();
    EXPECT_GT(DrawnIn(32768), 0);
    EXPECT_GT(DrawnIn(255), 0);
    const double highest = std::max(f->UpLine().MaxYValue(), f->DownLine().MaxYValue());
    EXPECT_GE(chart.LeftAxis()->Maximum(), highest);
    EXPECT_EQ(chart.Legend()->Items().Count(), 1);
}

// A function's own lines are drawn in 3D as in 2D: each alone, in its own
// pen, from a move to its first point, at the depth of its series.
TEST_F(FunctionHelpersDrawn, BollingerLowerBandStrokedInItsOwnPenIn2DAnd3D)
{
    TBollingerFunction* f = AddBollinger(clRed);
    for (const bool view3D : {false, true}) {
        SCOPED_TRACE(view3D ? "3D" : "2D");
        chart.SetView3D(view3D);
        Draw();
        ExpectStroke(f->LowBand(), *f->ParentSeries(), clRed);
    }
}

TEST_F(FunctionHelpersDrawn, MACDSignalAndHistogramInTheirOwnPensIn2DAnd3D)
{
    TMACDFunction* f = AddMACD();
    for (const bool view3D : {false, true}) {
        SCOPED_TRACE(view3D ? "3D" : "2D");
        chart.SetView3D(view3D);
        Draw();
        const TChartSeries& macd = *f->ParentSeries();
        ExpectStroke(f->SignalSeries(), macd, 32768);
        EXPECT_EQ(PathIn(255), BarsOf(f->HistogramSeries(), macd));
    }
}

TEST_F(FunctionHelpersDrawn, ADXLinesStrokedInTheirOwnPensIn2DAnd3D)
{
    TADXFunction* f = AddADX();
    for (const bool view3D : {false, true}) {
        SCOPED_TRACE(view3D ? "3D" : "2D");
        chart.SetView3D(view3D);
        Draw();
        ExpectStroke(f->UpLine(), *f->ParentSeries(), 32768);
        ExpectStroke(f->DownLine(), *f->ParentSeries(), 255);
    }
}

// The MACD line, its signal and its histogram after each change of period,
// against R (v the twelve prices):
//   ema <- function(v, p) { k <- 2 / (p + 1)
//     as.numeric(stats::filter(k * v, 1 - k, method = "recursive", init = v[1])) }
//   macd <- ema(v, Period2) - ema(v, Period); signal <- ema(macd, Period3)
//   sprintf("%.10f", c(macd, signal, macd - signal))
TEST_F(FunctionHelpersDrawn, MACDLinesAfterEachPeriodChangeAgreeWithR)
{
    struct Expected {
        const char* periods;
        double macd[12], signal[12], histogram[12];
    };
    const Expected expected[] = {
        {"Period 4, Period2 2, Period3 3",
         {0.0000000000, 0.5333333333, 0.2311111111, 1.1757037037, 1.5844345679, 0.9769981893, 1.3949780631,
          -0.2267534456, -0.7572988285, 0.6718717825, -1.0881265706, -1.6832924891},
         {0.0000000000, 0.2666666667, 0.2488888889, 0.7122962963, 1.1483654321, 1.0626818107, 1.2288299369,
          0.5010382456, -0.1281302915, 0.2718707455, -0.4081279126, -1.0457102008},
         {0.0000000000, 0.2666666667, -0.0177777778, 0.4634074074, 0.4360691358, -0.0856836214, 0.1661481262,
          -0.7277916913, -0.6291685371, 0.4000010370, -0.6799986581, -0.6375822883}},
        {"Period 6, Period2 2, Period3 3",
         {0.0000000000, 0.7619047619, 0.4172335601, 1.7795054530, 2.5268072460, 1.8424872451, 2.4714611029,
          0.2457003828, -0.7119950997, 1.1003621854, -1.3443836392, -2.4322976661},
         {0.0000000000, 0.3809523810, 0.3990929705, 1.0892992117, 1.8080532289, 1.8252702370, 2.1483656699,
          1.1970330264, 0.2425189634, 0.6714405744, -0.3364715324, -1.3843845993},
         {0.0000000000, 0.3809523810, 0.0181405896, 0.6902062412, 0.7187540171, 0.0172170081, 0.3230954330,
          -0.9513326436, -0.9545140630, 0.4289216110, -1.0079121068, -1.0479130669}},
        {"Period 6, Period2 3, Period3 3",
         {0.0000000000, 0.4285714286, 0.3061224490, 1.0758017493, 1.6255726781, 1.3754090558, 1.7324350398,
          0.5410250284, -0.1760535511, 0.6644260349, -0.6303206893, -1.4312558495},
         {0.0000000000, 0.2142857143, 0.2602040816, 0.6680029155, 1.1467877968, 1.2610984263, 1.4967667330,
          1.0188958807, 0.4214211648, 0.5429235999, -0.0436985447, -0.7374771971},
         {0.0000000000, 0.2142857143, 0.0459183673, 0.4077988338, 0.4787848813, 0.1143106295, 0.2356683068,
          -0.4778708523, -0.5974747159, 0.1215024351, -0.5866221446, -0.6937786524}},
        {"Period 6, Period2 3, Period3 5",
         {0.0000000000, 0.4285714286, 0.3061224490, 1.0758017493, 1.6255726781, 1.3754090558, 1.7324350398,
          0.5410250284, -0.1760535511, 0.6644260349, -0.6303206893, -1.4312558495},
         {0.0000000000, 0.1428571429, 0.1972789116, 0.4901198575, 0.8686041310, 1.0375391059, 1.2691710839,
          1.0264557321, 0.6256193043, 0.6385548812, 0.2155963577, -0.3333543781},
         {0.0000000000, 0.2857142857, 0.1088435374, 0.5856818918, 0.7569685471, 0.3378699498, 0.4632639559,
          -0.4854307036, -0.8016728555, 0.0258711537, -0.8459170470, -1.0979014715}},
    };
    TMACDFunction* f = AddMACD();  // its periods set once it has been computed
    const TChartSeries& macd = *f->ParentSeries();
    const TChartSeries& signal = f->SignalSeries();
    const TVolumeSeries& histogram = f->HistogramSeries();
    const auto check = [&](const Expected& e) {
        SCOPED_TRACE(e.periods);
        Draw();
        ASSERT_EQ(macd.Count(), 12);
        ASSERT_EQ(signal.Count(), 12);
        ASSERT_EQ(histogram.Count(), 12);
        std::vector<std::string> bars;
        for (int i = 0; i < 12; ++i) {
            EXPECT_NEAR(macd.YValues().Value(i), e.macd[i], 1e-9) << i;
            EXPECT_NEAR(signal.YValues().Value(i), e.signal[i], 1e-9) << i;
            EXPECT_NEAR(histogram.YValues().Value(i), e.histogram[i], 1e-9) << i;
            bars.push_back(Call("LineTo", {histogram.CalcXPos(i), chart.LeftAxis()->CalcYPosValue(e.histogram[i])}));
        }
        // the histogram as drawn
        std::vector<std::string> drawn;
        for (const std::string& c : PathIn(255))
            if (c.rfind("LineTo", 0) == 0)
                drawn.push_back(c);
        EXPECT_EQ(drawn, bars);
    };
    check(expected[0]);
    f->SetPeriod(6);
    check(expected[1]);
    f->SetPeriod2(3);
    check(expected[2]);
    f->SetPeriod3(5);
    EXPECT_EQ(f->Period3(), 5);
    check(expected[3]);
}

// With one series of its own on the axes, an automatic legend lists that
// series' values: the function's lines do not count as series.
TEST_F(FunctionHelpersDrawn, AutomaticLegendCountsNoFunctionLine)
{
    TMACDFunction* f = AddMACD();
    chart.Series(0)->SetActive(false);
    chart.Legend()->SetLegendStyle(lsAuto);
    Draw();
    ASSERT_EQ(f->SignalSeries().ParentChart(), &chart);
    EXPECT_EQ(chart.Legend()->ResolvedStyle(), lsValues);
    EXPECT_EQ(chart.Legend()->Items().Count(), f->ParentSeries()->Count());
    chart.Series(0)->SetActive(true);
    EXPECT_EQ(chart.Legend()->ResolvedStyle(), lsSeries);
}

// In 3D each series has a row of depth; a function's lines share their
// series' row and take none of their own.
TEST_F(FunctionHelpersDrawn, LinesShareTheirSeriesDepthIn3D)
{
    TMACDFunction* f = AddMACD();
    chart.SetView3D(true);
    Draw();
    ASSERT_EQ(f->SignalSeries().ParentChart(), &chart);
    EXPECT_EQ(chart.MaxZOrder(), 1);  // the prices and the MACD line
    const TChartSeries* macd = f->ParentSeries();
    EXPECT_EQ(chart.Series(0)->ComputedZOrder(), 1);  // the first series deepest
    EXPECT_EQ(macd->ComputedZOrder(), 0);
    for (const TChartSeries* s : {static_cast<const TChartSeries*>(&f->SignalSeries()),
                                  static_cast<const TChartSeries*>(&f->HistogramSeries())}) {
        EXPECT_EQ(s->ComputedZOrder(), macd->ComputedZOrder());
        EXPECT_EQ(s->StartZ(), macd->StartZ());
    }
}

// Taken off the chart, the function's series takes its lines along.
TEST_F(FunctionHelpersDrawn, LinesLeaveTheChartWithTheirSeries)
{
    TLineSeries* source = AddLine(clBlack);
    for (int i = 0; i < 12; ++i)
        source->AddXY(i, i % 3);
    auto* f = AddFunction<TMACDFunction>(*source, clBlue);
    Draw();
    ASSERT_EQ(f->SignalSeries().ParentChart(), &chart);
    TChartSeries* macd = f->ParentSeries();
    chart.RemoveSeries(macd);
    EXPECT_EQ(chart.SeriesCount(), 1);
    EXPECT_EQ(f->SignalSeries().ParentChart(), nullptr);
    EXPECT_EQ(f->HistogramSeries().ParentChart(), nullptr);
    Draw();
    EXPECT_EQ(DrawnIn(32768), 0);
    delete macd;
}

// A perimeter computed before the chart was ever drawn: the chart is laid
// out first, so the hull is that of the points, not of one pixel.
TEST_F(FunctionHelpersDrawn, PerimeterOnAChartNeverDrawn)
{
    TChart fresh;
    fresh.resize(400, 300);
    auto* source = new TLineSeries(&owner);
    fresh.AddSeries(source);
    source->AddXY(1, 10);
    source->AddXY(5, 90);
    source->AddXY(3, 40);
    source->AddXY(9, 20);
    auto* hull = new TLineSeries(&owner);
    fresh.AddSeries(hull);
    hull->SetFunction(new TPerimeterFunction);
    hull->SetDataSource(source);
    std::vector<std::pair<double, double>> points;
    for (int i = 0; i < hull->Count(); ++i)
        points.emplace_back(hull->XValues().Value(i), hull->YValues().Value(i));
    ASSERT_EQ(points.size(), 4u);
    // the triangle (the inner point left out), closed on its first corner
    std::vector<std::pair<double, double>> want{{1, 10}, {5, 90}, {9, 20}};
    for (const auto& corner : want)
        EXPECT_NE(std::find_if(points.begin(), points.end(),
                               [&](const auto& p) {
                                   return std::abs(p.first - corner.first) < 0.1
                                          && std::abs(p.second - corner.second) < 1;
                               }),
                  points.end())
            << corner.first << "," << corner.second;
    EXPECT_EQ(points.front(), points.back());
    while (fresh.SeriesCount() > 0)
        fresh.RemoveSeries(fresh.Series(0));
}

// A series switched off (its legend check box, say) takes its function's
// lines off the chart with it, even when it is computed again meanwhile, and
// brings them back when switched on.
TEST_F(FunctionHelpersDrawn, LinesHideWithTheirSeries)
{
    TMACDFunction* f = AddMACD();
    TChartSeries* macd = f->ParentSeries();
    TChartSeries* source = chart.Series(0);
    Draw();
    const double lowWithLines = chart.LeftAxis()->Minimum();
    ASSERT_LT(lowWithLines, 0);
    macd->SetActive(false);
    Draw();
    EXPECT_EQ(DrawnIn(32768), 0);
    EXPECT_EQ(DrawnIn(255), 0);
    EXPECT_GT(DrawnIn(clBlack), 0);
    // the axes are the prices' alone
    EXPECT_GE(chart.LeftAxis()->Minimum(), source->MinYValue() - 0.5);
    source->AddXY(12, 9);
    source->RefreshSeries();
    ASSERT_EQ(macd->Count(), 13);
    Draw();
    EXPECT_EQ(DrawnIn(32768), 0);
    EXPECT_EQ(DrawnIn(255), 0);
    macd->SetActive(true);
    Draw();
    EXPECT_GT(DrawnIn(clBlue), 0);
    EXPECT_GT(DrawnIn(32768), 0);
    EXPECT_GT(DrawnIn(255), 0);
    EXPECT_EQ(f->SignalSeries().Count(), 13);
}

// Written and read back, a chart holds one set of lines per function, drawn,
// and writes the same stream again; the copy frees cleanly.
TEST_F(FunctionHelpersDrawn, ReadBackHoldsOneSetOfLines)
{
    TMACDFunction* f = AddMACD();
    auto* bands = AddFunction<TBollingerFunction>(*chart.Series(0), clFuchsia);
    bands->SetPeriod(3);
    bands->LowBandPen().SetColor(clTeal);
    const int count = chart.SeriesCount();
    ASSERT_EQ(count, 6);  // prices, MACD with two lines, upper band and lower band
    ASSERT_GT(f->SignalSeries().Count(), 0);
    chart.Series(0)->SetStreamedData(true);  // the prices go with the chart
    const std::vector<std::uint8_t> written = WriteChart(chart);
    QObject form;
    auto copy = std::make_unique<TChart>();
    copy->SetView3D(false);
    copy->SetBufferedDisplay(false);
    ReadChart(*copy, &form, written);
    EXPECT_EQ(copy->SeriesCount(), count);
    EXPECT_EQ(WriteChart(*copy), written);
    TBollingerFunction* band = nullptr;
    for (int i = 0; i < copy->SeriesCount(); ++i)
        if (auto* b = dynamic_cast<TBollingerFunction*>(copy->Series(i)->FunctionType()))
            band = b;
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->LowBandPen().Color(), clTeal);
    device.ClearLog();
    copy->Draw(&device, TRect{0, 0, device.Width(), device.Height()});
    EXPECT_GT(DrawnIn(32768), 0);
    EXPECT_GT(DrawnIn(255), 0);
    EXPECT_GT(DrawnIn(clTeal), 0);
    copy.reset();
}

// A new type for the function's series: the new series' lines replace the
// old ones, once, and are drawn.
TEST_F(FunctionHelpersDrawn, ChangedTypeKeepsOneSetOfLines)
{
    TMACDFunction* f = AddMACD();
    TChartSeries* macd = f->ParentSeries();
    ChangeSeriesType(macd, SeriesClassOf<TFastLineSeries>());
    ASSERT_NE(macd->FunctionType(), nullptr);
    auto* changed = qobject_cast<TMACDFunction*>(macd->FunctionType());
    ASSERT_NE(changed, nullptr);
    EXPECT_EQ(chart.SeriesCount(), 4);
    EXPECT_EQ(changed->SignalSeries().ParentChart(), &chart);
    EXPECT_EQ(EditorTitles(chart), (std::vector<std::string>{"Prices", "MACD"}));
    Draw();
    EXPECT_GT(DrawnIn(32768), 0);
    EXPECT_GT(DrawnIn(255), 0);
}

// The function, its series, the source and the chart freed in any order.
TEST_F(FunctionHelpersDrawn, FreedInAnyOrder)
{
    {
        TMACDFunction* f = AddMACD();
        f->ParentSeries()->SetFunction(nullptr);
        EXPECT_EQ(chart.SeriesCount(), 2);
        Draw();
        EXPECT_EQ(DrawnIn(32768), 0);
        delete chart.Series(0);
        delete chart.Series(0);
        EXPECT_EQ(chart.SeriesCount(), 0);
    }
    {
        TMACDFunction* f = AddMACD();
        TChartSeries* macd = f->ParentSeries();
        delete chart.Series(0);  // the source first
        Draw();
        delete macd;
        EXPECT_EQ(chart.SeriesCount(), 0);
    }
    {
        auto form = std::make_unique<QObject>();
        auto other = std::make_unique<TChart>();
        auto* source = new TLineSeries(form.get());
        other->AddSeries(source);
        for (int i = 0; i < 12; ++i)
            source->AddXY(i, i % 4);
        auto* macd = new TLineSeries(form.get());
        other->AddSeries(macd);
        macd->SetFunction(new TMACDFunction);
        macd->SetDataSource(source);
        other->AddSeries(new TLineSeries(form.get()));
        EXPECT_EQ(other->SeriesCount(), 5);
        form.reset();  // the series before their chart
        EXPECT_EQ(other->SeriesCount(), 0);
    }
    {
        QObject form;
        auto other = std::make_unique<TChart>();
        auto* source = new TLineSeries(&form);
        other->AddSeries(source);
        for (int i = 0; i < 12; ++i)
            source->AddXY(i, i % 4);
        auto* bands = new TLineSeries(&form);
        other->AddSeries(bands);
        bands->SetFunction(new TBollingerFunction);
        bands->SetDataSource(source);
        EXPECT_EQ(other->SeriesCount(), 3);
        other.reset();  // the chart before its series' owner
    }
}
