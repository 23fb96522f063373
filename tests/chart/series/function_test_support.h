#pragma once
// A source series and a function series for the function tests. Reference
// values come from tests/chart/series/stat_functions_reference.py (plain
// Python from the formulas): python3 tests/chart/series/stat_functions_reference.py
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "chart/chart_series.h"
#include "chart/plot_function.h"
#include "chart/series/ohlc_series.h"

class FunctionTest : public ::testing::Test {
protected:
    // X and V of the reference script.
    void FillReference()
    {
        const double x[] = {1, 2, 4, 5, 7, 8, 10, 11, 13, 14};
        const double v[] = {3, 5, 4, 8, 10, 9, 12, 7, 6, 11};
        for (int i = 0; i < 10; ++i)
            source.AddXY(x[i], v[i]);
    }
    // O, H, L, C of the reference script at X = 0..11.
    void FillOHLC()
    {
        const double o[] = {10, 11, 12, 11, 13, 14, 13, 12, 11, 12, 14, 13};
        const double h[] = {12, 13, 13, 12, 15, 15, 14, 13, 12, 14, 15, 15};
        const double l[] = {9, 10, 11, 9, 12, 12, 11, 10, 9, 11, 12, 12};
        const double c[] = {11, 12, 11, 10, 14, 13, 12, 11, 10, 13, 13, 14};
        for (int i = 0; i < 12; ++i)
            ohlc.AddOHLC(i, o[i], h[i], l[i], c[i]);
    }
    // Attaches F to series with Source as data source and computes.
    template <class F>
    F* Attach(TChartSeries& Source, double Period = -1)
    {
        auto* f = new F;
        f->BeginUpdate();
        series.SetFunction(f);
        if (Period >= 0)
            f->SetPeriod(Period);
        series.AddDataSource(&Source);
        f->EndUpdate();
        return f;
    }
    static std::vector<double> Ys(const TChartSeries& s)
    {
        std::vector<double> y;
        for (int i = 0; i < s.Count(); ++i)
            y.push_back(s.YValues().Value(i));
        return y;
    }
    static std::vector<double> Xs(const TChartSeries& s)
    {
        std::vector<double> x;
        for (int i = 0; i < s.Count(); ++i)
            x.push_back(s.XValues().Value(i));
        return x;
    }
    static void ExpectNear(const std::vector<double>& Actual, const std::vector<double>& Expected, double Tol = 1e-12)
    {
        ASSERT_EQ(Actual.size(), Expected.size());
        for (std::size_t i = 0; i < Actual.size(); ++i)
            EXPECT_NEAR(Actual[i], Expected[i], Tol * std::max(1.0, std::abs(Expected[i]))) << "at " << i;
    }

    TChartSeries source;
    TOHLCSeries ohlc;
    TChartSeries series;
};
