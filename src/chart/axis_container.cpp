#include "chart/axis_container.h"

#include <algorithm>
#include <cmath>

#include "chart/axis_panel.h"
#include "chart/axis_scale.h"
#include "chart/axis_title.h"
#include "chart/chart_axis.h"
#include "chart/chart_exceptions.h"
#include "chart/chart_messages.h"
#include "chart/chart_series.h"
#include "chart/plot_canvas.h"
#include "chart/plot_procs.h"
#include "chart/view3d_options.h"

namespace {

std::vector<std::string>& StreamClasses()
{
    static std::vector<std::string> classes;
    return classes;
}

}  // namespace

void AxisEngineStartUp()
{
    // The NT-family limit: every platform we run on has it.
    MaxPixelPos = DefaultMaxPixelPos;
    StreamClasses() = {"TChartAxisTitle", "TChartAxis", "TChartDepthAxis", "TSeriesMarks"};
}

void AxisEngineShutDown()
{
    StreamClasses().clear();
}

bool IsAxisStreamClass(const std::string& ClassName)
{
    const auto& classes = StreamClasses();
    return std::find(classes.begin(), classes.end(), ClassName) != classes.end();
}

// ---- TChartAxes ----

int TChartAxes::IndexOf(const TChartAxis* Axis) const
{
    const auto it = std::find(m_items.begin(), m_items.end(), Axis);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

void TChartAxes::Remove(const TChartAxis* Axis)
{
    const auto it = std::find(m_items.begin(), m_items.end(), Axis);
    if (it != m_items.end())
        m_items.erase(it);
}

void TChartAxes::SetFastCalc(bool Value)
{
    if (Value == m_fastCalc)
        return;
    m_fastCalc = Value;
    for (TChartAxis* a : m_items)
        a->ReselectForms();
}

// ---- TChartCustomAxes ----

TChartCustomAxes::TChartCustomAxes(TAxisContainer& Owner) : m_owner(Owner) {}

TChartCustomAxes::~TChartCustomAxes()
{
    Clear();
}

TChartAxis* TChartCustomAxes::Add()
{
    m_items.push_back(std::make_unique<TChartAxis>(m_owner));
    return m_items.back().get();
}

void TChartCustomAxes::Delete(int Index)
{
    if (Index < 0 || Index >= Count())
        return;
    m_items.erase(m_items.begin() + Index);
}

void TChartCustomAxes::Clear()
{
    while (!m_items.empty())
        m_items.pop_back();
}

void TChartCustomAxes::Assign(const TChartCustomAxes& Source)
{
    if (&Source == this)
        return;
    Clear();
    for (const auto& axis : Source.m_items)
        Add()->Assign(*axis);
}

// ---- TAxisContainer ----

TAxisContainer::TAxisContainer() : m_customAxes(std::make_unique<TChartCustomAxes>(*this)) {}

TAxisContainer::~TAxisContainer()
{
    // The chart's series are gone by now: the axes leave without asking for them.
    for (TChartAxis* a : m_axes.Items())
        a->m_chart = nullptr;
    m_customAxes.reset();
    m_standardAxes.clear();
}

void TAxisContainer::CreateStandardAxes()
{
    if (!m_standardAxes.empty())
        return;
    auto add = [this](std::unique_ptr<TChartAxis> axis) {
        TChartAxis* a = axis.get();
        m_standardAxes.push_back(std::move(axis));
        return a;
    };
    TChartAxis* bottom = add(std::make_unique<TChartAxis>(*this));
    bottom->SetHorizontal(true);
    TChartAxis* top = add(std::make_unique<TChartAxis>(*this));
    top->SetHorizontal(true);
    top->SetOtherSide(true);
    top->SetZPosition(100);
    top->Grid()->InitZPosition(100);
    TChartAxis* left = add(std::make_unique<TChartAxis>(*this));
    left->Title()->InitAngle(90);
    TChartAxis* right = add(std::make_unique<TChartAxis>(*this));
    right->Title()->InitAngle(270);
    right->SetOtherSide(true);
    right->SetZPosition(100);
    right->Grid()->InitZPosition(100);
    TChartAxis* depth = add(std::make_unique<TChartDepthAxis>(*this));
    depth->SetOtherSide(true);
    add(std::make_unique<TChartDepthAxis>(*this));
}

TChartDepthAxis* TAxisContainer::DepthAxis() const
{
    return static_cast<TChartDepthAxis*>(m_standardAxes.size() > 4 ? m_standardAxes[4].get() : nullptr);
}

TChartDepthAxis* TAxisContainer::DepthTopAxis() const
{
    return static_cast<TChartDepthAxis*>(m_standardAxes.size() > 5 ? m_standardAxes[5].get() : nullptr);
}

void TAxisContainer::SetAxisBehind(bool Value)
{
    UpdateValue(m_axisBehind, Value, [this] { Invalidate(); });
}

void TAxisContainer::SetAxisVisible(bool Value)
{
    UpdateValue(m_axisVisible, Value, [this] { Invalidate(); });
}

int TAxisContainer::ActiveSeriesCount() const
{
    int n = 0;
    for (int i = 0; i < SeriesCount(); ++i)
        if (Series(i) && Series(i)->Active())
            ++n;
    return n;
}

bool TAxisContainer::IsAxisVisible(const TChartAxis& Axis) const
{
    if (!m_axisVisible || !Axis.Visible())
        return false;
    if (Axis.IsDepthAxis())
        return View3D();
    bool anyActive = false;
    for (int i = 0; i < SeriesCount(); ++i) {
        const TChartSeries* s = Series(i);
        if (!s || !s->Active())
            continue;
        if (!anyActive && !s->UseAxis())
            return false;
        anyActive = true;
        if (s->AssociatedToAxis(&Axis))
            return true;
    }
    return !anyActive;
}

bool TAxisContainer::SeriesOnAxis(const TChartSeries& Series, const TChartAxis& Axis, bool IsX)
{
    if (IsX)
        return Series.HorizAxis() == aBothHorizAxis || Series.GetHorizAxis() == &Axis;
    return Series.VertAxis() == aBothVertAxis || Series.GetVertAxis() == &Axis;
}

double TAxisContainer::AxisMinMax(const TChartAxis& Axis, bool IsMin, bool IsX) const
{
    if (Axis.IsDepthAxis()) {
        const TAxisLabelStyle style = Axis.LabelStyle() == talAuto ? Axis.CalcLabelStyle() : Axis.LabelStyle();
        if (style != talValue)
            return IsMin ? -0.5 : m_maxZOrder + 0.5;
        bool any = false;
        double result = 0;
        for (int i = 0; i < SeriesCount(); ++i) {
            const TChartSeries* s = Series(i);
            if (!s || !s->Active())
                continue;
            const double v = IsMin ? s->MinZValue() : s->MaxZValue();
            result = !any ? v : IsMin ? std::min(result, v) : std::max(result, v);
            any = true;
        }
        return result;
    }
    bool activeUses = false;
    for (int i = 0; i < SeriesCount() && !activeUses; ++i)
        activeUses = Series(i) && Series(i)->Active() && Series(i)->AssociatedToAxis(&Axis);
    auto counts = [&](const TChartSeries* s) { return s && (s->Active() || !activeUses); };

    const TChartSeries* first = nullptr;
    for (int i = 0; i < SeriesCount() && !first; ++i)
        if (counts(Series(i)) && Series(i)->AssociatedToAxis(&Axis))
            first = Series(i);
    if (!first)
        return 0;
    const int pageSize = Pages().MaxPointsPerPage();
    const bool pageSide = first->YMandatory() ? IsX : !IsX;
    if (pageSize > 0 && pageSide) {
        const TChartSeries* most = first;
        for (int i = 0; i < SeriesCount(); ++i) {
            const TChartSeries* s = Series(i);
            if (counts(s) && s->AssociatedToAxis(&Axis) && s->Count() > most->Count())
                most = s;
        }
        int from = -1;
        int to = -1;
        most->CalcFirstLastPage(pageSize, Pages().Current(), from, to);
        if (from < 0 || to < from)
            return 0;
        const TChartValueList& list = IsX ? most->XValues() : most->YValues();
        if (IsMin)
            return list.Value(from);
        const double v0 = list.Value(from);
        const double v1 = list.Value(to);
        const int n = to - from + 1;
        if (!Pages().ScaleLastPage() && n < pageSize) {
            if (v0 == v1)
                return v0 + static_cast<double>(pageSize) / n;
            return v0 + (v1 - v0) * pageSize / n;
        }
        return v1;
    }
    bool any = false;
    double result = 0;
    auto take = [&](double v) {
        result = !any ? v : IsMin ? std::min(result, v) : std::max(result, v);
        any = true;
    };
    for (int i = 0; i < SeriesCount(); ++i) {
        const TChartSeries* s = Series(i);
        if (!counts(s) || s->Count() == 0 || !SeriesOnAxis(*s, Axis, IsX))
            continue;
        if (pageSize > 0 && Pages().AutoScale()) {
            const int from = pageSize * (Pages().Current() - 1);
            const int to = std::min(pageSize * Pages().Current(), s->Count()) - 1;
            const TChartValueList& list = IsX ? s->XValues() : s->YValues();
            for (int j = from; j <= to; ++j)
                take(list.Value(j));
        } else if (IsX) {
            take(IsMin ? s->MinXValue() : s->MaxXValue());
        } else {
            take(IsMin ? s->MinYValue() : s->MaxYValue());
        }
    }
    return result;
}

double TAxisContainer::AxisMinimum(const TChartAxis& Axis) const
{
    return AxisMinMax(Axis, true, Axis.Horizontal());
}

double TAxisContainer::AxisMaximum(const TChartAxis& Axis) const
{
    return AxisMinMax(Axis, false, Axis.Horizontal());
}

void TAxisContainer::CalcSeriesDepth()
{
    if (!View3D()) {
        m_seriesWidth3D = m_seriesHeight3D = m_width3D = m_height3D = 0;
        return;
    }
    const TView3DOptions* view = AxisView3DOptions();
    const bool orthogonal = !view || view->Orthogonal();
    double factor = Chart3DPercent() * 0.001;
    if (!orthogonal)
        factor *= 2;
    m_seriesWidth3D = static_cast<int>(std::nearbyint(AxisChartWidth() * factor));
    const double r = view ? view->CalcOrthoRatio() : 1.0;
    if (r > 1)
        m_seriesWidth3D = static_cast<int>(std::nearbyint(m_seriesWidth3D / r));
    m_seriesHeight3D = static_cast<int>(std::nearbyint(m_seriesWidth3D * r));
    const int zSlots = ApplyZOrder ? std::max(1, m_maxZOrder + 1) : 1;
    m_width3D = m_seriesWidth3D * zSlots;
    m_height3D = m_seriesHeight3D * zSlots;
}

char TAxisContainer::LabelLineSeparator() const
{
    return LineSeparator();
}

int TAxisContainer::MultiLineTextWidth(const std::string& Text, int& NumLines) const
{
    TCanvas3D* canvas = AxisCanvas();
    NumLines = 1;
    if (!canvas)
        return 0;
    const char sep = LabelLineSeparator();
    int widest = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t p = Text.find(sep, start);
        const std::string line = Text.substr(start, p == std::string::npos ? std::string::npos : p - start);
        widest = std::max(widest, canvas->TextWidth(line));
        if (p == std::string::npos)
            break;
        ++NumLines;
        start = p + 1;
    }
    return widest;
}

TChartAxis* TAxisContainer::StandardAxis(TStandardAxis Axis) const
{
    if (m_standardAxes.size() < 4)
        return nullptr;
    switch (Axis) {
    case TStandardAxis::Left:
        return LeftAxis();
    case TStandardAxis::Top:
        return TopAxis();
    case TStandardAxis::Right:
        return RightAxis();
    case TStandardAxis::Bottom:
        return BottomAxis();
    }
    return nullptr;
}

TChartAxis* TAxisContainer::CustomAxis(int Index) const
{
    return Index >= 0 && Index < m_customAxes->Count() ? (*m_customAxes)[Index] : nullptr;
}

int TAxisContainer::CustomAxisIndex(const TChartAxis* Axis) const
{
    for (int i = 0; i < m_customAxes->Count(); ++i)
        if ((*m_customAxes)[i] == Axis)
            return i;
    return -1;
}

int TAxisContainer::CalcPosValue(const TChartAxis& Axis, double Value) const
{
    return Axis.CalcPosValue(Value);
}

double TAxisContainer::CalcPosPoint(const TChartAxis& Axis, int Position) const
{
    return Axis.CalcPosPoint(Position);
}

bool TAxisContainer::AxisInverted(const TChartAxis& Axis) const
{
    return Axis.Inverted();
}

bool TAxisContainer::AxisHorizontal(const TChartAxis& Axis) const
{
    return Axis.Horizontal();
}

std::string TAxisContainer::AxisLabelText(const TChartAxis& Axis, double Value) const
{
    const int i = m_axes.IndexOf(&Axis);
    return i < 0 ? std::string() : m_axes[i]->LabelValue(Value);
}

bool TAxisContainer::AxisRange(const TChartAxis& Axis, double& Min, double& Max) const
{
    bool any = false;
    for (int i = 0; i < SeriesCount() && !any; ++i)
        any = Series(i) && Series(i)->Count() > 0 && Series(i)->AssociatedToAxis(&Axis);
    if (!any)
        return false;
    Min = AxisMinimum(Axis);
    Max = AxisMaximum(Axis);
    return true;
}

void TAxisContainer::AssignAxes(const TAxisContainer& Source)
{
    m_axisBehind = Source.m_axisBehind;
    m_axisVisible = Source.m_axisVisible;
    const std::size_t n = std::min(m_standardAxes.size(), Source.m_standardAxes.size());
    for (std::size_t i = 0; i < n; ++i)
        m_standardAxes[i]->Assign(*Source.m_standardAxes[i]);
    m_customAxes->Assign(*Source.m_customAxes);
}
