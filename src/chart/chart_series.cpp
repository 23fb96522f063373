#include "chart/chart_series.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "chart/chart_axis.h"
#include "chart/chart_exceptions.h"
#include "chart/chart_messages.h"
#include "chart/plot_function.h"
#include "chart/plot_procs.h"
#include "chart/series_groups.h"
#include "chart/series_source.h"
#include "core/date_time.h"
#include "core/number_format.h"
#include "core/random_numbers.h"
#include "platform/clock.h"

namespace {

const char* const kHorizAxisNames[] = {"aTopAxis", "aBottomAxis", "aBothHorizAxis", "aCustomHorizAxis"};
const char* const kVertAxisNames[] = {"aLeftAxis", "aRightAxis", "aBothVertAxis", "aCustomVertAxis"};

std::string FormatMessage(const std::string& Format, long long a, long long b)
{
    char buf[256];
    std::snprintf(buf, sizeof buf, Format.c_str(), a, b);
    return buf;
}

// "%d" texts of the message table with two integers.
std::string FormatIntegers(std::string Format, long long a, long long b)
{
    for (std::size_t p = Format.find("%d"); p != std::string::npos; p = Format.find("%d", p + 3))
        Format.replace(p, 2, "%lld");
    return FormatMessage(Format, a, b);
}

std::string ReplaceColumnSeparators(std::string Text)
{
    std::replace(Text.begin(), Text.end(), ColumnSeparator, ' ');
    return Text;
}

}  // namespace

TChartSeries::TChartSeries(QObject* Owner) : TCustomChartSeries(Owner), m_marks(std::make_unique<TSeriesMarks>(this))
{
    CreateValueList("X").InitOrder(loAscending);
    CreateValueList("Y");
    m_mandatory = m_lists[1].get();
    m_notMandatory = m_lists[0].get();
    m_labels.OnChange = [this] { Repaint(); };
}

TChartSeries::~TChartSeries()
{
    MarkDestroying();
    if (TSeriesParent* chart = ParentChart())
        chart->RemoveSeries(this);
    // groups of any chart (or of none) drop it
    TCustomSeriesList::ForgetEverywhere(this);
    // dependants forget this series as their source, sources forget this dependant
    for (TChartSeries* s : std::vector<TChartSeries*>(m_linked))
        s->RemoveDataSource(this);
    for (QObject* source : std::vector<QObject*>(m_dataSources)) {
        if (auto* series = qobject_cast<TChartSeries*>(source))
            series->RemoveLinked(this);
        else if (auto* src = qobject_cast<TPlotSeriesSource*>(source); src && src->Series() == this)
            src->BindSeries(nullptr);
    }
    m_dataSources.clear();
    delete m_function;
    m_function = nullptr;
    HoldCustomAxis(m_customHorizAxis, nullptr);
    HoldCustomAxis(m_customVertAxis, nullptr);
}

// ---- value lists ----

TChartValueList& TChartSeries::CreateValueList(const std::string& Name)
{
    m_lists.push_back(std::make_unique<TChartValueList>(this, Name));
    return *m_lists.back();
}

void TChartSeries::SetXValues(const TChartValueList& Value)
{
    XValues().Assign(Value);
    Repaint();
}

void TChartSeries::SetYValues(const TChartValueList& Value)
{
    YValues().Assign(Value);
    Repaint();
}

TChartValueList& TChartSeries::ValueListByName(const std::string& Name) const
{
    for (std::size_t i = 2; i < m_lists.size(); ++i)
        if (m_lists[i]->Name() == Name)
            return *m_lists[i];
    return YValues();
}

void TChartSeries::AssignValueList(int Index, const TChartValueList& Source)
{
    if (Index < 0 || Index >= ValuesListCount())
        return;
    m_lists[static_cast<std::size_t>(Index)]->Assign(Source);
    Repaint();
}

void TChartSeries::SetHorizontal()
{
    m_mandatory = &XValues();
    m_notMandatory = &YValues();
    m_yMandatory = false;
}

// ---- points ----

int TChartSeries::AddXY(double X, double Y, const std::string& Label, TColor Color)
{
    XValues().TempValue = X;
    YValues().TempValue = Y;
    if (OnBeforeAdd && !OnBeforeAdd(*this))
        return -1;
    const int index = XValues().AddChartValue();
    YValues().InsertChartValue(index, Y);
    for (std::size_t i = 2; i < m_lists.size(); ++i)
        m_lists[i]->InsertChartValue(index, m_lists[i]->TempValue);
    if (m_colors) {
        m_colors->insert(m_colors->begin() + index, Color);
    } else if (Color != clDefault) {
        m_colors = std::make_unique<std::vector<TColor>>(static_cast<std::size_t>(Count() - 1), clDefault);
        m_colors->insert(m_colors->begin() + index, Color);
    }
    if (!Label.empty() || m_labels.Count() > 0)
        m_labels.InsertLabel(index, Label);
    if (!Updating())
        AddedValue(index);
    return index;
}

void TChartSeries::AddXYs(std::span<const double> X, std::span<const double> Y)
{
    const std::size_t n = std::min(X.size(), Y.size());
    if (n == 0)
        return;
    const TChartValueList& xs = XValues();
    bool inOrder = xs.Order() == loNone;
    if (!inOrder) {
        const bool ascending = xs.Order() == loAscending;
        const auto before = [ascending](double a, double b) { return ascending ? b < a : b > a; };
        inOrder = xs.Count() == 0 || !before(xs.Last(), X[0]);
        for (std::size_t i = 1; inOrder && i < n; ++i)
            inOrder = !before(X[i - 1], X[i]);
    }
    if (!inOrder || OnBeforeAdd || !Updating()) {
        for (std::size_t i = 0; i < n; ++i)
            AddXY(X[i], Y[i]);
        return;
    }
    const int start = Count();
    const int count = static_cast<int>(n);
    XValues().AppendValues(X.data(), count);
    YValues().AppendValues(Y.data(), count);
    for (std::size_t i = 2; i < m_lists.size(); ++i) {
        const std::vector<double> same(n, m_lists[i]->TempValue);
        m_lists[i]->AppendValues(same.data(), count);
    }
    XValues().TempValue = X[n - 1];
    YValues().TempValue = Y[n - 1];
    if (m_colors)
        m_colors->resize(static_cast<std::size_t>(start + count), clDefault);
    if (m_labels.Count() > 0)
        for (int i = 0; i < count; ++i)
            m_labels.InsertLabel(start + i, std::string());
}

int TChartSeries::Add(double Value, const std::string& Label, TColor Color)
{
    if (m_yMandatory)
        return AddXY(XValues().Count(), Value, Label, Color);
    return AddXY(Value, YValues().Count(), Label, Color);
}

int TChartSeries::AddXYPointY(double Value, const std::string& Label, TColor Color)
{
    return AddXY(Count(), Value, Label, Color);
}

int TChartSeries::AddValuesFrom(const TChartSeries& Source, int Index)
{
    for (std::size_t i = 2; i < m_lists.size(); ++i)
        m_lists[i]->TempValue =
            static_cast<int>(i) < Source.ValuesListCount() ? Source.ValuesList(static_cast<int>(i)).Value(Index) : 0;
    const double x = Source.XValues().Value(Index);
    const double y = Source.YValues().Value(Index);
    if (m_yMandatory == Source.m_yMandatory)
        return AddXY(x, y);
    return AddXY(y, x);
}

int TChartSeries::AddPointFrom(const TChartSeries& Source, int Index)
{
    BeginUpdate();
    const int index = AddValuesFrom(Source, Index);
    m_updateLock--;
    if (index < 0)
        return index;
    if (Source.m_colors)
        SetValueColor(index, Source.ValueColor(Index));
    if (Index < Source.m_labels.Count() && !Source.m_labels.Label(Index).empty())
        m_labels.SetLabel(index, Source.m_labels.Label(Index));
    if (!Updating())
        AddedValue(index);
    return index;
}

void TChartSeries::Delete(int Index)
{
    if (Index < 0 || Index >= Count())
        throw ChartException(FormatIntegers(PlotMsgSeriesDelete, Index, Count() - 1L));
    for (auto& list : m_lists)
        list->Delete(Index);
    if (m_colors && Index < static_cast<int>(m_colors->size()))
        m_colors->erase(m_colors->begin() + Index);
    m_labels.DeleteLabel(Index);
    m_marks->DeletePosition(Index);
    m_marks->DeleteItem(Index);
    NotifyValue(TValueEvent::Delete, Index);
    if (Active())
        Repaint();
}

void TChartSeries::DeleteRange(int Start, int Quantity, bool RemoveGap)
{
    if (Start < 0 || Start >= Count() || Quantity <= 0)
        return;
    Quantity = std::min(Quantity, Count() - Start);
    for (auto& list : m_lists)
        list->Delete(Start, Quantity);
    if (m_colors) {
        const int n = std::min(Quantity, static_cast<int>(m_colors->size()) - Start);
        if (n > 0)
            m_colors->erase(m_colors->begin() + Start, m_colors->begin() + Start + n);
        if (m_colors->empty())
            m_colors.reset();
    }
    m_labels.DeleteRange(Start, Quantity);
    m_marks->DeletePositionsFrom(Start);
    NotifyValue(TValueEvent::Delete, -1);
    if (Active())
        Repaint();
    if (RemoveGap)
        m_notMandatory->FillSequence();
}

void TChartSeries::ClearLists()
{
    for (auto& list : m_lists)
        m_keepRoom ? list->ClearKeepingRoom() : list->ClearValues();
    m_colors.reset();
    m_labels.Clear();
    m_marks->Clear();
}

void TChartSeries::Clear()
{
    m_firstValueIndex = m_lastValueIndex = -1;
    ClearLists();
    if (OnClearValues)
        OnClearValues(*this);
    NotifyValue(TValueEvent::Clear, 0);
    if (m_function)
        m_function->Clear();
    if (Active() && !(ParentChart() && ParentChart()->ChartDestroying()))
        Repaint();
}

void TChartSeries::EndUpdate()
{
    if (m_updateLock <= 0)
        return;
    if (--m_updateLock == 0)
        RefreshSeries();
}

void TChartSeries::SwapValues(int A, int B)
{
    const int n = Count();
    if (A < 0 || B < 0 || A >= n || B >= n || A == B)
        return;
    for (auto& list : m_lists) {
        const double t = list->Value(A);
        list->SetValue(A, list->Value(B));
        list->SetValue(B, t);
    }
    if (m_colors && A < static_cast<int>(m_colors->size()) && B < static_cast<int>(m_colors->size()))
        std::swap((*m_colors)[static_cast<std::size_t>(A)], (*m_colors)[static_cast<std::size_t>(B)]);
    m_labels.Exchange(A, B);
}

void TChartSeries::CheckOrder()
{
    if (m_mandatory->Order() != loNone) {
        m_mandatory->Sort();
        if (m_notMandatory->ValueSource().empty())
            m_notMandatory->FillSequence();
    }
    Repaint();
}

bool TChartSeries::HasNonSequentialX() const
{
    if (!m_xStored)
        return false;
    const TChartValueList& x = *m_notMandatory;
    const int n = x.Count();
    for (int i = 0; i < n; ++i)
        if (x.Value(i) != i)
            return true;
    return false;
}

// ---- colours ----

TColor TChartSeries::SeriesColor() const
{
    return m_seriesColor == clDefault ? m_assignedColor : m_seriesColor;
}

void TChartSeries::SetSeriesColor(TColor Value)
{
    if (m_seriesColor == clDefault && Value == m_assignedColor)
        return;
    if (m_seriesColor == Value)
        return;
    m_seriesColor = Value;
    m_assignedColor = Value;
    Repaint();
    if (TSeriesParent* chart = ParentChart())
        chart->BroadcastSeriesNotice(TSeriesNotice::ColorChanged, this);
}

TColor TChartSeries::ValueColor(int Index) const
{
    if (!m_colors || Index < 0 || Index >= static_cast<int>(m_colors->size()))
        return clDefault;
    return (*m_colors)[static_cast<std::size_t>(Index)];
}

void TChartSeries::SetValueColor(int Index, TColor Value)
{
    if (Index < 0 || Index >= Count())
        return;
    if (!m_colors) {
        if (Value == clDefault)
            return;
        m_colors = std::make_unique<std::vector<TColor>>(static_cast<std::size_t>(Count()), clDefault);
    }
    (*m_colors)[static_cast<std::size_t>(Index)] = Value;
    Repaint();
}

TColor TChartSeries::GetValueColor(int Index) const
{
    const TColor own = ValueColor(Index);
    if (own != clDefault)
        return own;
    if (m_colorEachPoint)
        return ParentChart() ? ParentChart()->GetDefaultColor(Index) : ColorPaletteColor(Index);
    return SeriesColor();
}

// ---- texts ----

std::string TChartSeries::ValueText(double Value) const
{
    return FormatFloat(m_valueFormat, Value);
}

std::string TChartSeries::PercentText(double Value) const
{
    return FormatFloat(m_percentFormat, Value);
}

std::string TChartSeries::XText(int Index) const
{
    const double x = m_notMandatory->Value(Index);
    TChartAxis* axis = m_yMandatory ? m_resolvedHoriz : m_resolvedVert;
    if (axis && ParentChart())
        return ParentChart()->AxisLabelText(*axis, x);
    return ValueText(x);
}

std::string TChartSeries::LabelOrValue(int Index) const
{
    const std::string& label = m_labels.Label(Index);
    return label.empty() ? ValueText(GetMarkValue(Index)) : label;
}

std::string TChartSeries::GetMarkText(int Index) const
{
    const bool multi = m_marks->MultiLine();
    const std::string sep = multi ? std::string(1, LineSeparator()) : std::string(" ");
    const double value = GetMarkValue(Index);
    const double totalAbs = m_mandatory->TotalABS();
    const auto percent = [&] { return PercentText(totalAbs == 0 ? 100 : std::fabs(value) * 100 / totalAbs); };
    const auto percentTotal = [&] {
        std::string ofs = multi ? "%s\rof %s" : "%s of %s";
        const std::string a = percent(), b = ValueText(totalAbs);
        std::string out;
        const std::size_t p1 = ofs.find("%s");
        const std::size_t p2 = ofs.find("%s", p1 + 2);
        out = ofs.substr(0, p1) + a + ofs.substr(p1 + 2, p2 - p1 - 2) + b + ofs.substr(p2 + 2);
        if (multi)
            std::replace(out.begin(), out.end(), '\r', LineSeparator());
        return out;
    };
    std::string text;
    switch (m_marks->Style()) {
    case smsValue:
        text = ValueText(value);
        break;
    case smsPercent:
        text = percent();
        break;
    case smsLabel:
        text = LabelOrValue(Index);
        break;
    case smsLabelPercent:
        text = LabelOrValue(Index) + sep + percent();
        break;
    case smsLabelValue:
        text = LabelOrValue(Index) + sep + ValueText(value);
        break;
    case smsLegend:
        text = ParentChart() ? ParentChart()->LegendText(*this, Index) : std::string();
        if (!multi)
            text = ReplaceColumnSeparators(std::move(text));
        break;
    case smsPercentTotal:
        text = percentTotal();
        break;
    case smsLabelPercentTotal:
        text = LabelOrValue(Index) + sep + percentTotal();
        break;
    case smsXValue:
        text = XText(Index);
        break;
    case smsXY:
        text = XText(Index) + sep + ValueText(value);
        break;
    case smsSeriesTitle:
        text = TitleOrName();
        break;
    case smsPointIndex:
        text = std::to_string(Index);
        break;
    case smsPercentRelative: {
        const double first = Count() > 0 ? GetMarkValue(0) : 0;
        // a first value of 0 gives no ratio: 0 %
        text = PercentText(Index == 0 ? 100 : first == 0 ? 0 : value * 100 / first);
        break;
    }
    }
    if (const TMarksItem* item = m_marks->ItemOrNull(Index); item && !item->Text().empty()) {
        text.clear();
        for (std::size_t k = 0; k < item->Text().size(); ++k) {
            if (k > 0)
                text += LineSeparator();
            text += item->Text()[k];
        }
    }
    if (OnGetMarkText)
        OnGetMarkText(*this, Index, text);
    return text;
}

std::string TChartSeries::LegendString(int Index, TLegendTextStyle Style) const
{
    const int i = LegendToValueIndex(Index);
    const std::string& label = m_labels.Label(i);
    const double value = MandatoryValue(i);
    const auto valueText = [&] {
        if (m_mandatory->DateTime()) {
            const TFormatSettings& fs = DefaultFormatSettings();
            return FormatDateTime(value <= 1 ? fs.ShortTimeFormat : fs.ShortDateFormat, value);
        }
        return ValueText(value);
    };
    const auto percentText = [&] {
        const double total = m_mandatory->TotalABS();
        return PercentText(total == 0 ? 100 : value * 100 / total);
    };
    const auto join = [](const std::string& a, const std::string& b) {
        if (a.empty())
            return b;
        if (b.empty())
            return a;
        return a + ColumnSeparator + b;
    };
    switch (Style) {
    case ltsPlain:
        return label;
    case ltsLeftValue:
        return join(valueText(), label);
    case ltsRightValue:
        return join(label, valueText());
    case ltsLeftPercent:
        return join(percentText(), label);
    case ltsRightPercent:
        return join(label, percentText());
    case ltsXValue:
        return XText(i);
    case ltsValue:
        return valueText();
    case ltsPercent:
        return percentText();
    case ltsXAndValue:
        return join(XText(i), valueText());
    case ltsXAndPercent:
        return join(XText(i), percentText());
    }
    return label;
}

std::string TChartSeries::NameOrDefault() const
{
    const std::string name = Name();
    if (!name.empty())
        return name;
    const int index = ParentChart() ? ParentChart()->SeriesIndexOf(this) : -1;
    return "Series" + std::to_string(index + 1);
}

std::string TChartSeries::TitleOrName() const
{
    if (!Title().empty())
        return ReplaceColumnSeparators(Title());
    return NameOrDefault();
}

void TChartSeries::SetTitle(const std::string& Value)
{
    if (Title() == Value)
        return;
    TCustomChartSeries::SetTitle(Value);
    if (TSeriesParent* chart = ParentChart())
        chart->BroadcastSeriesNotice(TSeriesNotice::TitleChanged, this);
    Repaint();
}

// ---- axes ----

void TChartSeries::SetHorizAxis(THorizAxis Value)
{
    if (m_horizAxis == Value)
        return;
    m_horizAxis = Value;
    if (Value != aCustomHorizAxis && !Loading())
        HoldCustomAxis(m_customHorizAxis, nullptr);
    RebindAxes();
    Repaint();
}

void TChartSeries::SetVertAxis(TVertAxis Value)
{
    if (m_vertAxis == Value)
        return;
    m_vertAxis = Value;
    if (Value != aCustomVertAxis && !Loading())
        HoldCustomAxis(m_customVertAxis, nullptr);
    RebindAxes();
    Repaint();
}

void TChartSeries::SetCustomHorizAxis(TChartAxis* Value)
{
    HoldCustomAxis(m_customHorizAxis, Value);
    m_horizAxis = Value ? aCustomHorizAxis : aBottomAxis;
    RebindAxes();
    Repaint();
}

void TChartSeries::SetCustomVertAxis(TChartAxis* Value)
{
    HoldCustomAxis(m_customVertAxis, Value);
    m_vertAxis = Value ? aCustomVertAxis : aLeftAxis;
    RebindAxes();
    Repaint();
}

void TChartSeries::HoldCustomAxis(TChartAxis*& Slot, TChartAxis* Value)
{
    if (Slot == Value)
        return;
    if (Slot)
        Slot->RemoveHolder(this);
    Slot = Value;
    if (Value)
        Value->AddHolder(this);
}

namespace {

bool ChartHasAxis(const TSeriesParent& Chart, const TChartAxis* Axis)
{
    for (int i = 0; i < Chart.AxisListCount(); ++i)
        if (Chart.AxisListItem(i) == Axis)
            return true;
    return false;
}

}  // namespace

void TChartSeries::RebindAxes()
{
    TSeriesParent* chart = ParentChart();
    if (!chart) {
        m_resolvedHoriz = m_resolvedVert = nullptr;
        return;
    }
    // an axis of another chart is not drawn against here
    if (m_customHorizAxis && !ChartHasAxis(*chart, m_customHorizAxis)) {
        HoldCustomAxis(m_customHorizAxis, nullptr);
        if (m_horizAxis == aCustomHorizAxis)
            m_horizAxis = aBottomAxis;
    }
    if (m_customVertAxis && !ChartHasAxis(*chart, m_customVertAxis)) {
        HoldCustomAxis(m_customVertAxis, nullptr);
        if (m_vertAxis == aCustomVertAxis)
            m_vertAxis = aLeftAxis;
    }
    if (m_horizAxis == aTopAxis)
        m_resolvedHoriz = chart->StandardAxis(TStandardAxis::Top);
    else if (m_horizAxis == aCustomHorizAxis && m_customHorizAxis)
        m_resolvedHoriz = m_customHorizAxis;
    else
        m_resolvedHoriz = chart->StandardAxis(TStandardAxis::Bottom);
    if (m_vertAxis == aRightAxis)
        m_resolvedVert = chart->StandardAxis(TStandardAxis::Right);
    else if (m_vertAxis == aCustomVertAxis && m_customVertAxis)
        m_resolvedVert = m_customVertAxis;
    else
        m_resolvedVert = chart->StandardAxis(TStandardAxis::Left);
}

void TChartSeries::ForgetCustomAxis(const TChartAxis& Axis, bool Rebind)
{
    if (m_customHorizAxis == &Axis) {
        HoldCustomAxis(m_customHorizAxis, nullptr);
        m_horizAxis = aBottomAxis;
    }
    if (m_customVertAxis == &Axis) {
        HoldCustomAxis(m_customVertAxis, nullptr);
        m_vertAxis = aLeftAxis;
    }
    if (m_resolvedHoriz == &Axis)
        m_resolvedHoriz = nullptr;
    if (m_resolvedVert == &Axis)
        m_resolvedVert = nullptr;
    if (!Rebind)
        return;
    RebindAxes();
    Repaint();
}

bool TChartSeries::AssociatedToAxis(const TChartAxis* Axis) const
{
    if (!UseAxis() || !Axis || !ParentChart())
        return false;
    if (ParentChart()->AxisHorizontal(*Axis))
        return m_horizAxis == aBothHorizAxis || Axis == m_resolvedHoriz;
    return m_vertAxis == aBothVertAxis || Axis == m_resolvedVert;
}

bool TChartSeries::AssociatedToStandardAxis(TStandardAxis Axis) const
{
    if (!UseAxis())
        return false;
    if (ParentChart())
        if (TChartAxis* axis = ParentChart()->StandardAxis(Axis))
            return AssociatedToAxis(axis);
    switch (Axis) {
    case TStandardAxis::Bottom:
        return m_horizAxis == aBottomAxis || m_horizAxis == aBothHorizAxis ||
               (m_horizAxis == aCustomHorizAxis && !m_customHorizAxis);
    case TStandardAxis::Top:
        return m_horizAxis == aTopAxis || m_horizAxis == aBothHorizAxis;
    case TStandardAxis::Left:
        return m_vertAxis == aLeftAxis || m_vertAxis == aBothVertAxis ||
               (m_vertAxis == aCustomVertAxis && !m_customVertAxis);
    case TStandardAxis::Right:
        return m_vertAxis == aRightAxis || m_vertAxis == aBothVertAxis;
    }
    return false;
}

const TChartValueList* TChartSeries::AxisValueList(const TChartAxis* Axis) const
{
    if (!AssociatedToAxis(Axis))
        return nullptr;
    return ParentChart()->AxisHorizontal(*Axis) ? &XValues() : &YValues();
}

int TChartSeries::CalcXPosValue(double Value) const
{
    return m_resolvedHoriz ? ParentChart()->CalcPosValue(*m_resolvedHoriz, Value) : 0;
}

int TChartSeries::CalcYPosValue(double Value) const
{
    return m_resolvedVert ? ParentChart()->CalcPosValue(*m_resolvedVert, Value) : 0;
}

double TChartSeries::XScreenToValue(int X) const
{
    return m_resolvedHoriz ? ParentChart()->CalcPosPoint(*m_resolvedHoriz, X) : 0;
}

double TChartSeries::YScreenToValue(int Y) const
{
    return m_resolvedVert ? ParentChart()->CalcPosPoint(*m_resolvedVert, Y) : 0;
}

bool TChartSeries::DrawValuesForward() const
{
    TChartAxis* axis = m_yMandatory ? m_resolvedHoriz : m_resolvedVert;
    bool forward = !(axis && ParentChart()->AxisInverted(*axis));
    if (m_yMandatory && ParentChart() && ParentChart()->SeenFromBehind())
        forward = !forward;
    return forward;
}

// ---- depth ----

void TChartSeries::CalcZOrder()
{
    TSeriesParent* chart = ParentChart();
    if (!chart)
        return;
    if (m_zOrder != -1) {
        chart->SetMaxZOrder(std::max(chart->MaxZOrder(), m_zOrder));
        m_computedZOrder = m_zOrder;
    } else if (chart->View3D()) {
        chart->SetMaxZOrder(chart->MaxZOrder() + 1);
        m_computedZOrder = chart->MaxZOrder();
    } else {
        m_computedZOrder = 0;
    }
}

void TChartSeries::CalcDepthPositions()
{
    const int slot = ParentChart() ? ParentChart()->SeriesWidth3D() : 0;
    m_startZ = slot * m_computedZOrder;
    m_endZ = m_startZ + (m_depth != -1 ? m_depth : slot);
    m_middleZ = (m_startZ + m_endZ) / 2;
    m_marks->SetZPosition(m_middleZ);
}

void TChartSeries::CalcFirstLastPage(int PageSize, int Current, int& First, int& Last) const
{
    const int n = Count();
    if (n == 0) {
        First = Last = -1;
        return;
    }
    if (PageSize < 1) {
        First = 0;
        Last = n - 1;
        return;
    }
    First = PageSize * (Current - 1);
    if (n <= First)
        First = PageSize * std::max(0, n / PageSize - 1);
    Last = First + PageSize - 1;
    if (n <= Last)
        Last = (n % PageSize) + First - 1;
}

// ---- functions and data sources ----

void TChartSeries::SetFunction(TPlotFunction* Function)
{
    if (m_function == Function)
        return;
    TPlotFunction* old = m_function;
    m_function = nullptr;
    if (old) {
        old->m_parentSeries = nullptr;
        delete old;
    }
    m_function = Function;
    if (Function) {
        if (Function->m_parentSeries && Function->m_parentSeries != this)
            Function->m_parentSeries->m_function = nullptr;
        Function->m_parentSeries = this;
        Function->setParent(this);
    }
    m_streamedData = false;
    CheckDataSource();
}

bool TChartSeries::IsValidSourceOf(const QObject* Source) const
{
    const auto* series = qobject_cast<const TChartSeries*>(Source);
    if (!series || series == this)
        return false;
    return m_function ? m_function->IsValidSource(*series) : true;
}

void TChartSeries::SetDataSource(QObject* Value)
{
    if (!Value) {
        if (QObject* current = DataSource())
            RemoveDataSource(current);
        return;
    }
    AddDataSource(Value, true);
}

int TChartSeries::AddDataSource(QObject* Source, bool Replace)
{
    const bool own = IsValidSourceOf(Source);
    if (TSeriesParent* chart = ParentChart()) {
        auto* seriesSource = qobject_cast<TPlotSeriesSource*>(Source);
        if (!own && !(seriesSource && seriesSource->AcceptsSeries(*this))) {
            std::string name = Source ? Source->objectName().toStdString() : std::string();
            if (name.empty() && Source)
                name = Source->metaObject()->className();
            std::string text = PlotMsgWrongDataSource;
            if (const std::size_t p = text.find("%s"); p != std::string::npos)
                text.replace(p, 2, name);
            throw ChartException(text);
        }
        if (std::find(m_dataSources.begin(), m_dataSources.end(), Source) != m_dataSources.end())
            return -1;
        if (qobject_cast<TChartSeries*>(Source))
            chart->CheckDataSource(this, Source);
    } else {
        if (!own && !qobject_cast<TPlotSeriesSource*>(Source))
            throw ChartException(PlotMsgNoParentNoValidate);
        if (std::find(m_dataSources.begin(), m_dataSources.end(), Source) != m_dataSources.end())
            return -1;
        // without a chart to ask, cycles are refused here
        if (qobject_cast<TChartSeries*>(Source))
            CheckCircularSource(this, Source);
    }
    if (Replace && !Loading())
        ClearDataSources();
    m_dataSources.push_back(Source);
    m_streamedData = false;
    LinkSource(Source);
    CheckDataSource();
    return static_cast<int>(m_dataSources.size()) - 1;
}

void TChartSeries::LinkSource(QObject* Source)
{
    if (auto* series = qobject_cast<TChartSeries*>(Source)) {
        series->AddLinked(this);
        FreeNotification(series);
        return;
    }
    FreeNotification(Source);
    if (auto* src = qobject_cast<TPlotSeriesSource*>(Source); src && src->Series() != this) {
        const bool wasActive = src->Active();
        if (wasActive)
            src->Close();
        TChartSeries* previous = src->Series();
        // one of the owner's, or owned by the series it leaves: this series' now
        if ((src->parent() == Owner() && Owner()) || (previous && src->parent() == previous))
            src->setParent(this);
        if (previous)
            previous->RemoveDataSource(src);
        src->BindSeries(this);
        if (wasActive)
            src->Open();
    }
}

void TChartSeries::UnlinkSource(QObject* Source)
{
    if (auto* series = qobject_cast<TChartSeries*>(Source))
        series->RemoveLinked(this);
    if (!Destroying())
        RemoveFreeNotification(Source);
    if (auto* src = qobject_cast<TPlotSeriesSource*>(Source); src && src->Series() == this)
        src->BindSeries(nullptr);
}

void TChartSeries::RemoveDataSource(QObject* Source)
{
    const auto it = std::find(m_dataSources.begin(), m_dataSources.end(), Source);
    if (it == m_dataSources.end())
        return;
    const bool wasFirst = it == m_dataSources.begin();
    m_dataSources.erase(it);
    UnlinkSource(Source);
    if (wasFirst)
        ClearDataSources();
    if (!Destroying())
        CheckDataSource();
}

void TChartSeries::ClearDataSources()
{
    const std::vector<QObject*> sources = std::move(m_dataSources);
    m_dataSources.clear();
    for (QObject* source : sources)
        UnlinkSource(source);
    if (!m_streamedData && !Destroying())
        Clear();
}

void TChartSeries::AddLinked(TChartSeries* Series)
{
    if (std::find(m_linked.begin(), m_linked.end(), Series) == m_linked.end())
        m_linked.push_back(Series);
}

void TChartSeries::RemoveLinked(TChartSeries* Series)
{
    m_linked.erase(std::remove(m_linked.begin(), m_linked.end(), Series), m_linked.end());
}

void TChartSeries::Notification(QObject* AComponent)
{
    TCustomChartSeries::Notification(AComponent);
    const auto it = std::find(m_dataSources.begin(), m_dataSources.end(), AComponent);
    if (it != m_dataSources.end()) {
        // the source is being freed: only its address may be used
        const bool wasFirst = it == m_dataSources.begin();
        m_dataSources.erase(it);
        if (wasFirst) {
            for (QObject* source : std::exchange(m_dataSources, {}))
                UnlinkSource(source);
        }
        if (!Destroying())
            CheckDataSource();
    }
    m_linked.erase(std::remove_if(m_linked.begin(), m_linked.end(),
                                  [AComponent](TChartSeries* s) { return static_cast<QObject*>(s) == AComponent; }),
                   m_linked.end());
}

void CheckCircularSource(const TChartSeries* Series, const QObject* Source)
{
    // walk every source of Source, depth first
    std::vector<const QObject*> pending{Source};
    std::vector<const QObject*> seen;
    while (!pending.empty()) {
        const QObject* o = pending.back();
        pending.pop_back();
        if (o == Series)
            throw ChartException(PlotMsgCircularSeries);
        if (std::find(seen.begin(), seen.end(), o) != seen.end())
            continue;
        seen.push_back(o);
        if (const auto* s = qobject_cast<const TChartSeries*>(o)) {
            for (int i = 0; i < s->DataSourceCount(); ++i)
                pending.push_back(s->DataSourceAt(i));
            // a function's own line takes its points from the function's series
            if (const TChartSeries* owner = s->FunctionParentSeries())
                pending.push_back(owner);
        } else if (const auto* src = qobject_cast<const TPlotSeriesSource*>(o); src && src->Series() != Series) {
            if (src->Series())
                pending.push_back(src->Series());
        }
    }
}

void RefreshSeriesData(TChartSeries& Series, bool Designing)
{
    if (Series.Loading())
        return;
    QObject* source = Series.DataSource();
    if (!source) {
        if (TPlotFunction* function = Series.FunctionType()) {
            if (function->NoSourceRequired()) {
                Series.BeginUpdate();
                Series.Clear();
                function->AddPoints(nullptr);
                Series.EndUpdate();
            }
        } else if (!Series.StreamedData() && Designing) {
            Series.FillSampleValues(Series.NumSampleValues());
        }
    } else if (auto* series = qobject_cast<TChartSeries*>(source)) {
        Series.AssignValues(*series);
    } else if (auto* seriesSource = qobject_cast<TPlotSeriesSource*>(source)) {
        if (seriesSource->Active() && !seriesSource->Loading())
            seriesSource->Load();
    }
}

void TChartSeries::CheckDataSource()
{
    if (TSeriesParent* chart = ParentChart())
        chart->RefreshSeriesData(this);
    else
        RefreshSeriesData(*this, false);
}

void TChartSeries::AssignValues(const TChartSeries& Source)
{
    BeginUpdate();
    // A function refills the lists at once: their arrays stay for it and are
    // trimmed after to the room its points need.
    const bool refill = m_function != nullptr;
    struct TKeepRoom {
        bool& Flag;
        const bool Before;
        ~TKeepRoom() { Flag = Before; }
    } keep{m_keepRoom, std::exchange(m_keepRoom, m_keepRoom || refill)};
    Clear();
    if (m_function) {
        XValues().SetDateTime(Source.XValues().DateTime());
        YValues().SetDateTime(Source.YValues().DateTime());
        try {
            m_function->AddPoints(&Source);
        } catch (...) {
            // a function that gives up leaves the series empty, not locked
            EndUpdate();
            throw;
        }
    } else if (IsValidSourceOf(&Source)) {
        for (int i = 0; i < Source.Count(); ++i)
            AddPointFrom(Source, i);
    }
    if (refill)
        for (auto& list : m_lists)
            list->TrimRoom();
    EndUpdate();
}

void TChartSeries::RefreshSeries()
{
    NotifyValue(TValueEvent::Refresh, 0);
    if (TSeriesParent* chart = ParentChart())
        chart->BroadcastSeriesNotice(TSeriesNotice::DataChanged, this);
}

void TChartSeries::NotifyValue(TValueEvent Event, int Index)
{
    if (Updating())
        return;
    for (TChartSeries* s : std::vector<TChartSeries*>(m_linked)) {
        switch (Event) {
        case TValueEvent::Clear:
            if (s->m_notifyFlags & nfClear)
                s->Clear();
            break;
        case TValueEvent::Add:
            if ((s->m_notifyFlags & nfAdd) && !s->m_function)
                s->AddPointFrom(*this, Index);
            break;
        case TValueEvent::Delete:
            if ((s->m_notifyFlags & nfDelete) && !s->m_function)
                s->DeletedValue(*this, Index);
            break;
        case TValueEvent::Refresh:
            s->AssignValues(*this);
            break;
        case TValueEvent::Modify:
            if (s->m_notifyFlags & nfModify)
                s->AssignValues(*this);
            break;
        }
    }
}

void TChartSeries::AddedValue(int Index)
{
    if (OnAfterAdd)
        OnAfterAdd(*this, Index);
    NotifyValue(TValueEvent::Add, Index);
    if (Active())
        Repaint();
}

void TChartSeries::DeletedValue(const TChartSeries& Source, int Index)
{
    if (Index >= 0 && Index < Count())
        Delete(Index);
    else if (Index == -1)
        AssignValues(Source);  // a range went: copy again
}

void TChartSeries::SetColorSource(const std::string& Value)
{
    if (m_colorSource == Value)
        return;
    m_colorSource = Value;
    CheckDataSource();
}

void TChartSeries::SetXLabelsSource(const std::string& Value)
{
    if (m_xLabelsSource == Value)
        return;
    m_xLabelsSource = Value;
    CheckDataSource();
}

// ---- sample values ----

int TChartSeries::RandomValue(int Limit) const
{
    return Random(Limit);
}

void TChartSeries::FillSampleValues(int NumValues)
{
    if (NumValues < 0)
        throw ChartException(PlotMsgFillSample);
    if (NumValues == 0)
        NumValues = DefaultSampleCount() > 0 ? DefaultSampleCount() : NumSampleValues();
    Clear();
    SetRandSeed(static_cast<std::uint32_t>(Random(7774444)));
    BeginUpdate();
    AddSampleValues(NumValues);
    CheckOrder();
    m_updateLock--;
    if (m_updateLock == 0)
        RefreshSeries();
    m_streamedData = false;
}

void TChartSeries::AddSampleValues(int NumValues, bool OnlyMandatory)
{
    if (NumValues <= 0)
        return;
    double yMin = 0, yMax = 1000, xMin = 0, xMax = NumValues - 1;
    const auto emptyRange = [](double& mn, double& mx, double zeroMax) {
        if (mn == mx) {
            if (mn == 0)
                mx = zeroMax;
            else
                mx = 2 * mn;
        }
    };
    TSeriesParent* chart = ParentChart();
    bool fromChart = false;
    if (chart && m_resolvedVert && m_resolvedHoriz) {
        double a = 0, b = 0;
        if (chart->AxisRange(*m_resolvedVert, a, b)) {
            yMin = a;
            yMax = b;
            emptyRange(yMin, yMax, 1000);
            if (chart->AxisRange(*m_resolvedHoriz, a, b)) {
                xMin = a;
                xMax = b;
                emptyRange(xMin, xMax, NumValues - 1);
            }
            fromChart = true;
        }
    }
    if (!fromChart && XValues().DateTime()) {
        xMin = std::floor(platform::CurrentClock().Now());
        xMax = xMin + NumValues - 1;
    }
    if (!m_yMandatory) {
        std::swap(xMin, yMin);
        std::swap(xMax, yMax);
    }
    const double stepX = NumValues == 1 ? xMax - xMin : (xMax - xMin) / (NumValues - 1);
    const double span = std::clamp(yMax - yMin, -2147483647.0, 2147483647.0);
    double y = RandomValue(100) * span * 0.01 + yMin;
    double x = xMin;
    const double q = span * 0.25;
    for (int i = 0; i < NumValues; ++i) {
        y = std::fabs(y + RandomValue(100) * q * 0.01 - q * 0.5);
        if (OnlyMandatory)
            Add(y);
        else if (m_yMandatory)
            AddXY(x, y);
        else
            AddXY(y, x);
        x += stepX;
    }
}

// ---- chart ----

void TChartSeries::SetParentChart(TSeriesParent* Value)
{
    TSeriesParent* old = ParentChart();
    TCustomChartSeries::SetParentChart(Value);
    m_marks->SetParentChart(Value ? Value->Panel() : nullptr);
    RebindAxes();
    // positions of a chart left behind mean nothing
    if (!Value)
        m_firstValueIndex = m_lastValueIndex = -1;
    // the lines its function keeps on the chart leave it too
    if (m_function && old && old != Value)
        for (TChartSeries* helper : m_function->findChildren<TChartSeries*>(Qt::FindDirectChildrenOnly))
            if (helper->ParentChart() == old) {
                old->RemoveSeries(helper);
                if (helper->ParentChart() == old)
                    helper->SetParentChart(nullptr);
            }
}

bool TChartSeries::OwnedByFunction() const
{
    return qobject_cast<const TPlotFunction*>(parent()) != nullptr;
}

TChartSeries* TChartSeries::FunctionParentSeries() const
{
    const auto* function = qobject_cast<const TPlotFunction*>(parent());
    return function ? function->ParentSeries() : nullptr;
}

void TChartSeries::Repaint()
{
    TCustomChartSeries::Repaint();
}

void TChartSeries::Loaded()
{
    TCustomChartSeries::Loaded();
    m_marks->UnlockItems();
    if (!m_pendingSources.empty()) {
        const std::vector<std::string> names = std::move(m_pendingSources);
        m_pendingSources.clear();
        const bool streamed = m_streamedData;
        ClearDataSources();
        for (const std::string& name : names) {
            // a name no component has is skipped
            if (QObject* source = Owner() ? ::FindComponent(Owner(), name) : nullptr)
                AddDataSource(source);
        }
        m_streamedData = streamed && m_dataSources.empty();
    }
    CheckDataSource();
}

// ---- Assign ----

void TChartSeries::Assign(const TCustomChartElement& Source)
{
    const auto* s = dynamic_cast<const TChartSeries*>(&Source);
    if (!s) {
        TCustomChartSeries::Assign(Source);
        return;
    }
    TCustomChartSeries::Assign(Source);
    ClearDataSources();
    if (m_yMandatory == s->m_yMandatory) {
        XValues().Assign(s->XValues());
        YValues().Assign(s->YValues());
    } else {
        XValues().Assign(s->YValues());
        YValues().Assign(s->XValues());
    }
    m_xLabelsSource = s->m_xLabelsSource;
    m_colorSource = s->m_colorSource;
    for (int i = 2; i < std::min(ValuesListCount(), s->ValuesListCount()); ++i)
        ValuesList(i).Assign(s->ValuesList(i));
    m_marks->Assign(*s->m_marks);
    m_seriesColor = s->m_seriesColor;
    m_assignedColor = s->m_assignedColor;
    m_colorEachPoint = s->m_colorEachPoint;
    m_valueFormat = s->m_valueFormat;
    m_percentFormat = s->m_percentFormat;
    m_horizAxis = s->m_horizAxis;
    m_vertAxis = s->m_vertAxis;
    HoldCustomAxis(m_customHorizAxis, s->m_customHorizAxis);
    HoldCustomAxis(m_customVertAxis, s->m_customVertAxis);
    RebindAxes();
    m_notifyFlags = s->m_notifyFlags;
    m_cursor = s->m_cursor;
    m_depth = s->m_depth;
    if (!m_function && s->m_function) {
        auto* function = s->m_function->Clone(nullptr);
        function->InternalAssign(*s->m_function);
        m_function = function;
        function->m_parentSeries = this;
        function->setParent(this);
    }
    m_streamedData = s->m_streamedData;
    if (s->DataSource() && !s->m_streamedData) {
        // taking over a source component empties the source series' list
        const std::vector<QObject*> sources = s->m_dataSources;
        for (QObject* source : sources)
            AddDataSource(source);
        return;
    }
    if (!s->m_streamedData && s->ParentChart() && s->ParentChart()->Designing())
        return;
    AssignValues(*s);
    // AssignValues copies through AddPointFrom, which keeps colours and labels
    m_streamedData = s->m_streamedData;
}

// ---- properties ----

void TChartSeries::WriteDataSources(TPropertyWriter& Writer) const
{
    Writer.WriteListBegin();
    for (QObject* source : m_dataSources)
        Writer.WriteString(source->objectName().toStdString());
    Writer.WriteListEnd();
}

void TChartSeries::ReadDataSources(TPropertyReader& Reader)
{
    std::vector<std::string> names;
    Reader.ReadListBegin();
    while (!Reader.EndOfList())
        names.push_back(StringValue(Reader.ReadValue()));
    Reader.ReadListEnd();
    m_pendingSources = std::move(names);
}

const TPropertyTable<TCustomChartElement>& TChartSeries::Properties()
{
    using S = TChartSeries;
    static const TPropertyTable<TCustomChartElement> table =
        TPropertyTable<TCustomChartElement>::Of<S>(TCustomChartSeries::Properties())
            .Property("ColorEachPoint", BooleanKind,
                      TAccessors{&S::ColorEachPoint, [](S& s, bool v) { s.SetColorEachPoint(v); }}, false)
            .Property("ColorSource", StringKind, TAccessors{&S::ColorSource, &S::SetColorSource}, std::string())
            .Property("Cursor", IntegerKind, TAccessors{&S::Cursor, &S::SetCursor}, 0)
            .Property("DataSource", StringKind,
                      TAccessors{[](const S& s) {
                                     return s.DataSourceCount() == 1 ? s.DataSource()->objectName().toStdString()
                                                                     : std::string();
                                 },
                                 [](S& s, std::string v) {
                                     if (!v.empty())
                                         s.m_pendingSources = {v};
                                 }},
                      std::string())
            .NotAssigned()
            .Property("Depth", IntegerKind, TAccessors{&S::Depth, &S::SetDepth}, -1)
            .Property("HorizAxis", EnumKind(kHorizAxisNames), TAccessors{&S::HorizAxis, &S::SetHorizAxis},
                      aBottomAxis)
            .Object(
                "Marks", [](const S& s) { return &s.Marks(); }, [](S& s) { return &s.Marks(); }, nullptr,
                TSeriesMarks::Properties())
            .Property("PercentFormat", StringKind, TAccessors{&S::PercentFormat, &S::SetPercentFormat},
                      std::string("##0.## %"))
            .Property("SeriesColor", ColorKind,
                      TAccessors{[](const S& s) { return s.m_seriesColor; },
                                 [](S& s, TColor v) { s.SetSeriesColor(v); }},
                      clDefault)
            .Property("ValueFormat", StringKind,
                      TAccessors{&S::ValueFormat, [](S& s, std::string v) { s.SetValueFormat(v); }},
                      std::string("#,##0.###"))
            .Property("VertAxis", EnumKind(kVertAxisNames), TAccessors{&S::VertAxis, &S::SetVertAxis}, aLeftAxis)
            .Property("XLabelsSource", StringKind, TAccessors{&S::XLabelsSource, &S::SetXLabelsSource},
                      std::string())
            .Object(
                "XValues", [](const S& s) { return &s.XValues(); }, [](S& s) { return &s.XValues(); }, nullptr,
                TChartValueList::Properties())
            .Object(
                "YValues", [](const S& s) { return &s.YValues(); }, [](S& s) { return &s.YValues(); }, nullptr,
                TChartValueList::Properties())
            .Property("ZOrder", IntegerKind, TAccessors{&S::ZOrder, &S::SetZOrder}, -1)
            .Defined("DataSources", &S::WriteDataSources, &S::ReadDataSources,
                     [](const S& s) { return s.DataSourceCount() > 1; })
            .Defined(
                "CustomHorizAxis",
                [](const S& s, TPropertyWriter& w) {
                    w.WriteInteger(s.ParentChart()->CustomAxisIndex(s.CustomHorizAxis()));
                },
                [](S& s, TPropertyReader& r) {
                    const auto i = static_cast<int>(IntegerValue(r.ReadValue(), INT32_MIN, INT32_MAX));
                    TChartAxis* axis = s.ParentChart() ? s.ParentChart()->CustomAxis(i) : nullptr;
                    if (!axis)
                        throw EReadError("List index out of bounds (" + std::to_string(i) + ")");
                    s.SetCustomHorizAxis(axis);
                },
                [](const S& s) {
                    // only an axis of the chart's custom list has an index to store
                    return s.CustomHorizAxis() && s.ParentChart()
                           && s.ParentChart()->CustomAxisIndex(s.CustomHorizAxis()) >= 0;
                })
            .Defined(
                "CustomVertAxis",
                [](const S& s, TPropertyWriter& w) {
                    w.WriteInteger(s.ParentChart()->CustomAxisIndex(s.CustomVertAxis()));
                },
                [](S& s, TPropertyReader& r) {
                    const auto i = static_cast<int>(IntegerValue(r.ReadValue(), INT32_MIN, INT32_MAX));
                    TChartAxis* axis = s.ParentChart() ? s.ParentChart()->CustomAxis(i) : nullptr;
                    if (!axis)
                        throw EReadError("List index out of bounds (" + std::to_string(i) + ")");
                    s.SetCustomVertAxis(axis);
                },
                [](const S& s) {
                    // only an axis of the chart's custom list has an index to store
                    return s.CustomVertAxis() && s.ParentChart()
                           && s.ParentChart()->CustomAxisIndex(s.CustomVertAxis()) >= 0;
                })
            .Binary("Data", &S::WriteData, &S::ReadData, [](const S& s) { return s.StreamedData(); });
    return table;
}
