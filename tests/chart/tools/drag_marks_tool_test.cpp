#include "chart/tools/drag_marks_tool.h"

#include "tool_test_chart.h"

namespace {

class TDragMarksOnChart : public ToolChartTest {
protected:
    TDragMarksOnChart()
    {
        first = &AddLine({{2, 20}, {5, 50}, {8, 80}});
        second = &AddLine({{3, 30}, {7, 70}});
        for (TChartSeries* s : {first, second})
            s->Marks().SetVisible(true);
        tool.SetParentChart(&chart);
        Draw();
    }
    ~TDragMarksOnChart() override { tool.SetParentChart(nullptr); }

    TPoint Centre(const TChartSeries& S, int Index) const
    {
        const TSeriesMarkPosition* p = S.Marks().Position(Index);
        return {(p->LeftTop.X + p->Right()) / 2, (p->LeftTop.Y + p->Bottom()) / 2};
    }

    TTestLineSeries* first = nullptr;
    TTestLineSeries* second = nullptr;
    TDragMarksTool tool;
};

}  // namespace

TEST_F(TDragMarksOnChart, DragMovesTheBoxAndTheArrowEndAndMakesItCustom)
{
    ASSERT_NE(second->Marks().Position(1), nullptr);
    const TSeriesMarkPosition before = *second->Marks().Position(1);
    const TPoint c = Centre(*second, 1);
    std::vector<int> dragging;
    std::vector<int> dragged;
    tool.OnDraggingMark = [&](TDragMarksTool&, int Index, TMouseButton, TShiftState, int, int) {
        dragging.push_back(Index);
    };
    tool.OnDraggedMark = [&](TDragMarksTool&, int Index, TMouseButton, TShiftState, int, int) {
        dragged.push_back(Index);
    };
    chart.MouseDown(mbLeft, 0, c.X, c.Y);
    EXPECT_EQ(tool.DraggedIndex(), 1);
    EXPECT_EQ(tool.DraggedSeries(), second);
    chart.MouseMove(0, c.X + 10, c.Y + 5);
    chart.MouseMove(0, c.X + 12, c.Y + 1);
    chart.MouseUp(mbLeft, 0, c.X + 12, c.Y + 1);
    const TSeriesMarkPosition* after = second->Marks().Position(1);
    EXPECT_TRUE(after->Custom);
    EXPECT_EQ(after->LeftTop.X, before.LeftTop.X + 12);
    EXPECT_EQ(after->LeftTop.Y, before.LeftTop.Y + 1);
    EXPECT_EQ(after->ArrowTo.X, before.ArrowTo.X + 12);
    EXPECT_EQ(after->ArrowTo.Y, before.ArrowTo.Y + 1);
    EXPECT_EQ(dragging, (std::vector<int>{1, 1}));
    EXPECT_EQ(dragged, (std::vector<int>{1}));
    EXPECT_EQ(tool.DraggedIndex(), -1);
}

TEST_F(TDragMarksOnChart, ABoundSeriesIgnoresTheMarksOfOthers)
{
    tool.SetSeries(first);
    const TPoint c = Centre(*second, 0);
    chart.MouseDown(mbLeft, 0, c.X, c.Y);
    EXPECT_EQ(tool.DraggedIndex(), -1);
    chart.MouseUp(mbLeft, 0, c.X, c.Y);
    const TPoint d = Centre(*first, 2);
    chart.MouseDown(mbLeft, 0, d.X, d.Y);
    EXPECT_EQ(tool.DraggedIndex(), 2);
    EXPECT_EQ(tool.DraggedSeries(), first);
    chart.MouseUp(mbLeft, 0, d.X, d.Y);
}

TEST_F(TDragMarksOnChart, InactiveSeriesAndHiddenMarksAreNotPicked)
{
    const TPoint c = Centre(*second, 0);
    second->SetActive(false);
    chart.MouseDown(mbLeft, 0, c.X, c.Y);
    EXPECT_EQ(tool.DraggedIndex(), -1);
    chart.MouseUp(mbLeft, 0, c.X, c.Y);
    second->SetActive(true);
    second->Marks().SetVisible(false);
    chart.MouseDown(mbLeft, 0, c.X, c.Y);
    EXPECT_EQ(tool.DraggedIndex(), -1);
    chart.MouseUp(mbLeft, 0, c.X, c.Y);
}

TEST_F(TDragMarksOnChart, HoveringAMarkShowsTheHandAndTakesTheMove)
{
    const TPoint c = Centre(*first, 0);
    chart.MouseMove(0, c.X, c.Y);
    EXPECT_EQ(chart.Cursor(), crHandPoint);
    EXPECT_TRUE(chart.MouseHandled);
}

TEST_F(TDragMarksOnChart, APointLostDuringTheDragMovesNothingButTheEventsStillFire)
{
    const TPoint c = Centre(*first, 2);
    int dragging = 0;
    tool.OnDraggingMark = [&](TDragMarksTool&, int, TMouseButton, TShiftState, int, int) { ++dragging; };
    chart.MouseDown(mbLeft, 0, c.X, c.Y);
    first->Marks().DeletePositionsFrom(0);
    chart.MouseMove(0, c.X + 4, c.Y);
    EXPECT_EQ(dragging, 1);
    EXPECT_EQ(first->Marks().Position(2), nullptr);
    chart.MouseUp(mbLeft, 0, c.X + 4, c.Y);
}
