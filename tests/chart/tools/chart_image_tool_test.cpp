#include "chart/tools/chart_image_tool.h"

#include "chart/plot_picture.h"
#include "tool_test_chart.h"

namespace {

class TImageOnChart : public ToolChartTest {
protected:
    TImageOnChart() { tool.SetParentChart(&chart); }
    ~TImageOnChart() override { tool.SetParentChart(nullptr); }

    void GivePicture()
    {
        TBitmap b(4, 3);
        tool.Picture().SetGraphic(&b);
    }
    // Index of the first call of that name, -1 when none.
    int FirstCall(const std::string& Name) const
    {
        const auto& calls = device.Calls();
        for (std::size_t i = 0; i < calls.size(); ++i)
            if (calls[i].name == Name)
                return static_cast<int>(i);
        return -1;
    }

    TChartImageTool tool;
};

}  // namespace

TEST_F(TImageOnChart, AnEmptyPictureDrawsNothing)
{
    AddLine({{2, 20}, {8, 80}});
    tool.Pen().SetVisible(true);
    Draw();
    const std::vector<std::string> with = device.Lines();
    tool.SetActive(false);
    Draw();
    EXPECT_EQ(with, device.Lines());
}

TEST_F(TImageOnChart, ThePictureSpansTheSeriesValuesBeforeTheSeriesDraw)
{
    TTestLineSeries& s = AddLine({{2, 20}, {8, 80}, {5, 30}});
    tool.SetSeries(&s);
    GivePicture();
    int seriesStart = -1;
    s.BeforeDrawValues = [&](TChartSeries&) { seriesStart = static_cast<int>(device.Calls().size()); };
    Draw();
    const TRect expected{chart.BottomAxis()->CalcPosValue(2), chart.LeftAxis()->CalcPosValue(80),
                         chart.BottomAxis()->CalcPosValue(8), chart.LeftAxis()->CalcPosValue(20)};
    EXPECT_EQ(tool.ImageArea(), expected);
    const int picture = std::max(FirstCall("StretchDrawBitmap"), FirstCall("StretchBlt"));
    ASSERT_GE(picture, 0);
    ASSERT_GE(seriesStart, 0);
    EXPECT_LT(picture, seriesStart);
}

TEST_F(TImageOnChart, WithoutSeriesThePictureSpansTheDefaultAxes)
{
    AddLine({{2, 20}, {8, 80}});
    chart.BottomAxis()->SetMinMax(0, 10);
    chart.LeftAxis()->SetMinMax(0, 100);
    Draw();
    const TRect expected{chart.BottomAxis()->CalcPosValue(0), chart.LeftAxis()->CalcPosValue(100),
                         chart.BottomAxis()->CalcPosValue(10), chart.LeftAxis()->CalcPosValue(0)};
    EXPECT_EQ(tool.ImageArea(), expected);
}

TEST_F(TImageOnChart, AVisiblePenOutlinesTheArea)
{
    TTestLineSeries& s = AddLine({{2, 20}, {8, 80}});
    tool.SetSeries(&s);
    GivePicture();
    tool.Pen().SetVisible(true);
    tool.Pen().SetColor(clLime);
    Draw();
    const TRect a = tool.ImageArea();
    bool outline = false;
    for (const auto& c : device.CallsNamed("Rectangle"))
        if (c.pen.find("0x00FF00") != std::string::npos &&
            c.args == std::vector<std::string>{std::to_string(a.Left), std::to_string(a.Top), std::to_string(a.Right),
                                               std::to_string(a.Bottom)})
            outline = true;
    EXPECT_TRUE(outline);
}

TEST_F(TImageOnChart, AssignCopiesThePictureAndChangingItRepaints)
{
    GivePicture();
    TChartImageTool other;
    other.Assign(tool);
    ASSERT_TRUE(other.Picture().HasGraphic());
    EXPECT_EQ(other.Picture().Graphic()->Width(), 4);
    EXPECT_FALSE(other.Pen().Visible());
}
