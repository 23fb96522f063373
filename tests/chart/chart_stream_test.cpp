#include "chart/chart_stream.h"

#include <gtest/gtest.h>

#include <QObject>

#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "chart/chart_series.h"
#include "chart/series_types.h"

namespace {

const std::string Description = "Plain";
const std::string Page = "Standard";

class ChartStream : public ::testing::Test {
protected:
    void SetUp() override { RegisterSeriesClass(SeriesClassOf<TChartSeries>(), &Description, &Page); }
    void TearDown() override { UnregisterSeriesClasses({SeriesClassOf<TChartSeries>()}); }
    QObject form;
};

}  // namespace

TEST_F(ChartStream, WrittenReadAndWrittenAgainGivesTheSameBytes)
{
    TChart chart;
    chart.setObjectName("Chart1");
    chart.Title()->SetCaption("Histogram");
    chart.Title()->SetAlignment(taLeftJustify);
    chart.Foot()->Text().Add("below");
    chart.Legend()->SetAlignment(laBottom);
    chart.Legend()->SetCheckBoxes(true);
    chart.Legend()->Symbol()->SetWidth(30);
    chart.Legend()->Title()->Text().Add("Series");
    chart.BackWall()->SetColor(clRed);
    chart.LeftAxis()->SetAutomatic(false);
    chart.LeftAxis()->SetMinMax(-2, 8);
    chart.SetScrollMouseButton(mbMiddle);
    chart.SetColorPaletteIndex(5);
    for (int k = 0; k < 2; ++k) {
        auto* s = new TChartSeries(&form);
        s->SetName("Series" + std::to_string(k + 1));
        s->SetTitle(k == 0 ? "Bars" : "Line");
        for (int i = 0; i < 4; ++i)
            s->AddXY(i, i * (k + 1.5));
        s->SetStreamedData(true);
        chart.AddSeries(s);
    }
    const std::vector<std::uint8_t> first = WriteChart(chart);

    QObject otherForm;
    TChart copy;
    ReadChart(copy, &otherForm, first);
    EXPECT_EQ(copy.objectName().toStdString(), "Chart1");
    ASSERT_EQ(copy.SeriesCount(), 2);
    EXPECT_EQ(copy.Series(1)->Name(), "Series2");
    EXPECT_EQ(copy.Series(1)->Title(), "Line");
    ASSERT_EQ(copy.Series(1)->Count(), 4);
    EXPECT_DOUBLE_EQ(copy.Series(1)->YValues().Value(3), 7.5);
    EXPECT_EQ(copy.Series(0)->parent(), &otherForm);
    EXPECT_EQ(copy.Title()->Text()[0], "Histogram");
    EXPECT_EQ(copy.Title()->Alignment(), taLeftJustify);
    EXPECT_EQ(copy.Foot()->Text()[0], "below");
    EXPECT_EQ(copy.Legend()->Alignment(), laBottom);
    EXPECT_TRUE(copy.Legend()->CheckBoxes());
    EXPECT_EQ(copy.Legend()->Symbol()->Width(), 30);
    EXPECT_EQ(copy.Legend()->Title()->Text()[0], "Series");
    EXPECT_EQ(copy.BackWall()->Color(), clRed);
    EXPECT_FALSE(copy.LeftAxis()->Automatic());
    EXPECT_DOUBLE_EQ(copy.LeftAxis()->Minimum(), -2);
    EXPECT_EQ(copy.ScrollMouseButton(), mbMiddle);
    EXPECT_EQ(copy.ColorPaletteIndex(), 5);

    EXPECT_EQ(WriteChart(copy), first);
}

TEST_F(ChartStream, DefaultsAreNotWritten)
{
    TChart a;
    TChart b;
    b.SetColorPaletteIndex(0);
    b.BackWall()->SetColor(clSilver);
    EXPECT_EQ(WriteChart(a), WriteChart(b));
    b.SetColorPaletteIndex(1);
    EXPECT_NE(WriteChart(a), WriteChart(b));
}

TEST_F(ChartStream, OldBackColorSetsTheBackWall)
{
    TPropertyWriter w;
    w.WritePropName("TChart");
    w.WritePropName("Old");
    w.WritePropName("BackColor");
    w.WriteIdent("clRed");
    w.WriteListEnd();
    w.WriteListEnd();
    TChart chart;
    ReadChart(chart, &form, w.Data());
    EXPECT_EQ(chart.BackWall()->Color(), clRed);
    // never written back
    TChart plain;
    plain.setObjectName("Old");
    plain.BackWall()->SetColor(clRed);
    EXPECT_EQ(WriteChart(chart), WriteChart(plain));
}

TEST_F(ChartStream, UnknownChildClassFailsTheWholeRead)
{
    TPropertyWriter w;
    w.WritePropName("TChart");
    w.WritePropName("C");
    w.WriteListEnd();
    w.WritePropName("TChartSeries");
    w.WritePropName("Series1");
    w.WriteListEnd();
    w.WriteListEnd();
    w.WritePropName("TNoSuchSeries");
    w.WritePropName("Series2");
    w.WriteListEnd();
    w.WriteListEnd();
    w.WriteListEnd();
    TChart chart;
    EXPECT_THROW(ReadChart(chart, &form, w.Data()), EClassNotFound);
    EXPECT_EQ(chart.SeriesCount(), 0);
}
