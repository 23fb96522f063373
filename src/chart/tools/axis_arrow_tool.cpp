#include "chart/tools/axis_arrow_tool.h"

#include <cstdlib>

#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "chart/chart_messages.h"
#include "chart/chart_series.h"
#include "chart/tools/tool_chart.h"

namespace {
constexpr const char* kPositionNames[] = {"aaStart", "aaEnd", "aaBoth"};
}  // namespace

TAxisArrowTool::TAxisArrowTool(QObject* Owner) : TPlotCustomToolAxis(Owner) {}

std::string TAxisArrowTool::Description() const { return ProMsgToolAxisArrows; }
std::string TAxisArrowTool::LongDescription() const { return ProMsgToolAxisArrowsDesc; }

const TPropertyTable<TCustomChartElement>& TAxisArrowTool::Properties()
{
    using S = TAxisArrowTool;
    static const TPropertyTable<TCustomChartElement> table =
        TPropertyTable<TCustomChartElement>::Of<S>(TPlotCustomToolAxis::Properties())
            .Property("HeadWidth", IntegerKind, TAccessors{&S::HeadWidth, &S::SetHeadWidth}, 8)
            .Property("Length", IntegerKind, TAccessors{&S::Length, &S::SetLength}, 16)
            .Property("Position", EnumKind(kPositionNames), TAccessors{&S::Position, &S::SetPosition}, aaBoth)
            .Property("ScrollInverted", BooleanKind, TAccessors{&S::ScrollInverted, &S::SetScrollInverted}, false)
            .Property("ScrollPercent", IntegerKind, TAccessors{&S::ScrollPercent, &S::SetScrollPercent}, 10)
            .Property("SizePercent", IntegerKind, TAccessors{&S::SizePercent, &S::SetSizePercent}, 50);
    return table;
}

void TAxisArrowTool::ChartEvent(TToolDrawPhase Phase)
{
    TChartAxis* axis = Axis();
    TCustomPlotPanel* panel = ToolPanel(*this);
    if (Phase != tdpAfterDraw || !axis || !panel)
        return;
    TCanvas3D& c = *panel->Canvas();
    c.AssignBrush(&Brush(), Brush().Color());
    c.AssignPen(&Pen());
    const int z = panel->View3D() && axis->OtherSide() ? panel->Width3D : 0;
    const int line = axis->PosAxis;
    const auto at = [&](int Along) { return axis->Horizontal() ? TPoint{Along, line} : TPoint{line, Along}; };
    const int start = axis->StartPos();
    const int end = axis->EndPos();
    if (m_position != aaEnd)
        c.Arrow(true, at(start + m_length), at(start), m_headWidth, m_headWidth, z, m_sizePercent);
    if (m_position != aaStart)
        c.Arrow(true, at(end - m_length), at(end), m_headWidth, m_headWidth, z, m_sizePercent);
}

int TAxisArrowTool::ClickedArrow(int X, int Y) const
{
    const TChartAxis* axis = Axis();
    if (!axis)
        return -1;
    const int across = axis->Horizontal() ? Y : X;
    const int along = axis->Horizontal() ? X : Y;
    if (std::abs(across - axis->PosAxis) >= 3)
        return -1;
    const int start = axis->StartPos();
    const int end = axis->EndPos();
    if (m_position != aaEnd && along > start && along < start + m_length)
        return 0;
    if (m_position != aaStart && along > end - m_length && along < end)
        return 1;
    return -1;
}

void TAxisArrowTool::ScrollBy(double Delta)
{
    TChartAxis* axis = Axis();
    TCustomAxisPanel* chart = ToolAxisPanel(*this);
    if (!axis || !chart)
        return;
    auto* control = dynamic_cast<TCustomChart*>(chart);
    double newMin = axis->Minimum() + Delta;
    double newMax = axis->Maximum() + Delta;
    bool allow = true;
    if (control && control->OnAllowScroll)
        control->OnAllowScroll(*axis, newMin, newMax, allow);
    if (!allow)
        return;
    if (newMin == axis->Minimum() + Delta && newMax == axis->Maximum() + Delta) {
        axis->Scroll(Delta, false);
    } else {
        axis->SetAutomatic(false);
        axis->SetMinMax(newMin, newMax);
    }
    // the twin axis of a series drawn against both sides follows
    TChartAxis* twin = nullptr;
    for (int i = 0; i < chart->SeriesCount() && !twin; ++i) {
        const TChartSeries* s = chart->Series(i);
        if (axis->Horizontal() && s->HorizAxis() == aBothHorizAxis)
            twin = axis == chart->TopAxis() ? chart->BottomAxis() : chart->TopAxis();
        else if (!axis->Horizontal() && s->VertAxis() == aBothVertAxis)
            twin = axis == chart->LeftAxis() ? chart->RightAxis() : chart->LeftAxis();
    }
    if (twin && twin != axis)
        twin->Scroll(Delta, false);
    if (chart->OnScroll)
        chart->OnScroll(*chart);
}

void TAxisArrowTool::ChartMouseEvent(TToolMouseKind Kind, TMouseButton, TShiftState, int X, int Y)
{
    const TChartAxis* axis = Axis();
    if (!axis || !axis->Visible())
        return;
    if (Kind == tmkDown) {
        if (m_scrollPercent == 0)
            return;
        const int part = ClickedArrow(X, Y);
        if (part == -1)
            return;
        double delta = (axis->Maximum() - axis->Minimum()) * m_scrollPercent / 100.0;
        if (m_scrollInverted)
            delta = -delta;
        ScrollBy(part == 0 ? delta : -delta);
        SetToolMouseHandled(*this, true);
        if (OnClick)
            OnClick(*this, part == 0);
    } else if (Kind == tmkMove && ClickedArrow(X, Y) != -1) {
        SetToolChartCursor(*this, crHandPoint);
        SetToolMouseHandled(*this, true);
    }
}
