#include "chart/tools/draw_line_tool.h"

#include "tool_stream_support.h"
#include "tool_test_chart.h"

namespace {

class TDrawLineOnChart : public ToolChartTest {
protected:
    TDrawLineOnChart()
    {
        tool.SetParentChart(&chart);
        tool.Pen().SetColor(clRed);
        Draw();
    }
    ~TDrawLineOnChart() override { tool.SetParentChart(nullptr); }
    TDrawLine& AddLine(double X0, double Y0, double X1, double Y1)
    {
        TDrawLine& line = tool.Lines().Add();
        line.SetX0(X0);
        line.SetY0(Y0);
        line.SetX1(X1);
        line.SetY1(Y1);
        return line;
    }
    TPoint At(double X, double Y) const { return tool.AxisPoint(X, Y); }
    // The red segments of the last paint as "x0,y0-x1,y1".
    std::vector<std::string> RedSegments() const
    {
        std::vector<std::string> out;
        std::string from;
        for (const auto& call : device.Calls()) {
            if (call.name == "MoveTo")
                from = call.args[0] + "," + call.args[1];
            else if (call.name == "LineTo" && call.pen.find("0x0000FF") != std::string::npos)
                out.push_back(from + "-" + call.args[0] + "," + call.args[1]);
        }
        return out;
    }
    static std::string Segment(TPoint A, TPoint B)
    {
        return std::to_string(A.X) + "," + std::to_string(A.Y) + "-" + std::to_string(B.X) + "," + std::to_string(B.Y);
    }

    TDrawLineTool tool;
};

}  // namespace

TEST(DrawLineFigureHit, ToleranceZeroReachesOnePixelThreeReachesFour)
{
    const TPoint s{0, 0}, e{100, 0};
    EXPECT_TRUE(DrawLineFigureHit(dlLine, s, e, TPoint{50, 1}, 0));
    EXPECT_FALSE(DrawLineFigureHit(dlLine, s, e, TPoint{50, 2}, 0));
    EXPECT_TRUE(DrawLineFigureHit(dlLine, s, e, TPoint{50, 4}, 3));
    EXPECT_FALSE(DrawLineFigureHit(dlLine, s, e, TPoint{50, 5}, 3));
    EXPECT_TRUE(DrawLineFigureHit(dlHorizParallel, TPoint{0, 0}, TPoint{100, 40}, TPoint{50, 40}, 0));
    EXPECT_FALSE(DrawLineFigureHit(dlHorizParallel, TPoint{0, 0}, TPoint{100, 40}, TPoint{50, 20}, 0));
    EXPECT_TRUE(DrawLineFigureHit(dlRectangle, TPoint{100, 40}, TPoint{0, 0}, TPoint{50, 20}, 0));
    EXPECT_TRUE(DrawLineHandleHit(TPoint{10, 10}, TPoint{13, 7}));
    EXPECT_FALSE(DrawLineHandleHit(TPoint{10, 10}, TPoint{14, 10}));
}

TEST_F(TDrawLineOnChart, ClickWithoutMovingAddsNoLine)
{
    int newLines = 0;
    tool.OnNewLine = [&](TDrawLineTool&) { ++newLines; };
    chart.MouseDown(mbLeft, 0, 100, 100);
    chart.MouseUp(mbLeft, 0, 100, 100);
    EXPECT_EQ(tool.Lines().Count(), 0);
    EXPECT_EQ(newLines, 0);
}

TEST_F(TDrawLineOnChart, DraggingDrawsANewSelectedLineInAxisValues)
{
    int newLines = 0;
    tool.OnNewLine = [&](TDrawLineTool&) { ++newLines; };
    chart.MouseDown(mbLeft, 0, 100, 100);
    EXPECT_TRUE(tool.Drawing());
    chart.MouseMove(0, 150, 120);
    chart.MouseMove(0, 200, 150);
    chart.MouseUp(mbLeft, 0, 200, 150);
    ASSERT_EQ(tool.Lines().Count(), 1);
    const TDrawLine& line = tool.Lines()[0];
    EXPECT_DOUBLE_EQ(line.X0(), chart.BottomAxis()->CalcPosPoint(100));
    EXPECT_DOUBLE_EQ(line.Y1(), chart.LeftAxis()->CalcPosPoint(150));
    EXPECT_EQ(tool.Selected(), &line);
    EXPECT_EQ(newLines, 1);
}

TEST_F(TDrawLineOnChart, LinesFollowAZoom)
{
    AddLine(1, 10, 2, 20);
    Draw();
    EXPECT_EQ(RedSegments(), (std::vector<std::string>{Segment(At(1, 10), At(2, 20))}));
    chart.BottomAxis()->SetMinMax(0, 4);
    chart.LeftAxis()->SetMinMax(0, 40);
    Draw();
    const TPoint a = At(1, 10);
    EXPECT_EQ(RedSegments(), (std::vector<std::string>{Segment(a, At(2, 20))}));
    EXPECT_EQ(a.X, chart.BottomAxis()->CalcPosValue(1));
}

TEST_F(TDrawLineOnChart, StartHandleDragMovesOnlyTheStart)
{
    TDrawLine& line = AddLine(2, 20, 8, 80);
    Draw();
    const TPoint s = At(2, 20);
    chart.MouseDown(mbLeft, 0, s.X, s.Y);  // selects
    chart.MouseUp(mbLeft, 0, s.X, s.Y);
    ASSERT_EQ(tool.Selected(), &line);
    EXPECT_DOUBLE_EQ(line.X0(), 2);  // a click does not round the values to pixels
    chart.MouseDown(mbLeft, 0, s.X + 1, s.Y);
    EXPECT_EQ(tool.DragPart(), 1);
    int dragged = 0;
    tool.OnDraggedLine = [&](TDrawLineTool&) { ++dragged; };
    chart.MouseMove(0, s.X + 30, s.Y - 20);
    chart.MouseUp(mbLeft, 0, s.X + 30, s.Y - 20);
    EXPECT_DOUBLE_EQ(line.X0(), chart.BottomAxis()->CalcPosPoint(s.X + 30));
    EXPECT_DOUBLE_EQ(line.X1(), 8);
    EXPECT_DOUBLE_EQ(line.Y1(), 80);
    EXPECT_EQ(dragged, 1);
}

TEST_F(TDrawLineOnChart, RefusedSelectionKeepsThePreviousOneAndMovesNothing)
{
    TDrawLine& first = AddLine(1, 10, 3, 30);
    TDrawLine& second = AddLine(6, 60, 9, 90);
    Draw();
    const TPoint a = At(2, 20);
    chart.MouseDown(mbLeft, 0, a.X, a.Y);
    chart.MouseUp(mbLeft, 0, a.X, a.Y);
    ASSERT_EQ(tool.Selected(), &first);
    int selects = 0;
    tool.OnSelect = [&](TDrawLineTool&) { ++selects; };
    tool.OnSelecting = [](TDrawLineTool&, TDrawLine*, bool& Allow) { Allow = false; };
    const TPoint b = At(7.5, 75);
    chart.MouseDown(mbLeft, 0, b.X, b.Y);
    chart.MouseMove(0, b.X + 40, b.Y);
    chart.MouseUp(mbLeft, 0, b.X + 40, b.Y);
    EXPECT_EQ(tool.Selected(), &first);
    EXPECT_EQ(selects, 0);
    EXPECT_DOUBLE_EQ(first.X0(), 1);
    EXPECT_DOUBLE_EQ(first.X1(), 3);
    EXPECT_DOUBLE_EQ(second.X0(), 6);
}

TEST_F(TDrawLineOnChart, DeletingTheSelectedLineClearsTheSelection)
{
    AddLine(1, 10, 3, 30);
    Draw();
    const TPoint a = At(2, 20);
    chart.MouseDown(mbLeft, 0, a.X, a.Y);
    chart.MouseUp(mbLeft, 0, a.X, a.Y);
    ASSERT_NE(tool.Selected(), nullptr);
    tool.Lines().Delete(0);
    EXPECT_EQ(tool.Selected(), nullptr);
}

TEST_F(TDrawLineOnChart, RubberBandTwiceIsTheSameNotXorFigure)
{
    tool.FromPoint = TPoint{50, 60};
    tool.ToPoint = TPoint{150, 90};
    std::vector<std::string> first, second;
    chart.OnAfterDraw = [&](TCustomAxisPanel&) {
        device.ClearLog();
        tool.DrawRubberBand();
        EXPECT_EQ(device.GetROP2(), platform::Rop2::NotXorPen);
        first = device.DrawingLines(true);
        device.ClearLog();
        tool.DrawRubberBand();
        second = device.DrawingLines(true);
    };
    Draw();
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first, second);
}

TEST_F(TDrawLineOnChart, LinesStreamAsACollection)
{
    TDrawLine& line = AddLine(1.5, 10, 3, 30);
    line.SetStyle(dlEllipse);
    line.Pen()->SetWidth(3);
    AddLine(4, 40, 5, 50);
    TDrawLineTool copy;
    ReadInto(copy, Written(tool));
    ASSERT_EQ(copy.Lines().Count(), 2);
    EXPECT_DOUBLE_EQ(copy.Lines()[0].X0(), 1.5);
    EXPECT_EQ(copy.Lines()[0].Style(), dlEllipse);
    ASSERT_NE(copy.Lines()[0].PenIfAny(), nullptr);
    EXPECT_EQ(copy.Lines()[0].PenIfAny()->Width(), 3);
    EXPECT_EQ(copy.Lines()[1].PenIfAny(), nullptr);
    EXPECT_DOUBLE_EQ(copy.Lines()[1].Y1(), 50);
}

TEST_F(TDrawLineOnChart, RubberBandOnTheBufferLeavesNoTraceWhenDrawnBack)
{
    chart.SetColor(clWhite);
    DrawBuffered();
    const QImage start = WindowImage();
    chart.MouseDown(mbLeft, 0, 100, 100);
    chart.MouseMove(0, 220, 170);
    EXPECT_NE(WindowImage(), start);
    chart.MouseMove(0, 100, 100);
    EXPECT_EQ(WindowImage(), start);
    EXPECT_FALSE(static_cast<TPlotCanvas3D*>(chart.Canvas())->BufferInvalid);
    chart.MouseUp(mbLeft, 0, 100, 100);
    EXPECT_EQ(tool.Lines().Count(), 0);
}
