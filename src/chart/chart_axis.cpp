#include "chart/chart_axis.h"

#include <algorithm>
#include <cmath>

#include "chart/appearance_properties.h"
#include "chart/axis_items.h"
#include "chart/axis_title.h"
#include "chart/chart_messages.h"
#include "chart/chart_series.h"
#include "chart/chart_tool.h"
#include "chart/plot_procs.h"
#include "core/number_format.h"

namespace {

// Smallest range SetMinMax keeps.
constexpr double MinAxisRange = 1e-10;

int Modulo360(int Value)
{
    Value %= 360;
    return Value < 0 ? Value + 360 : Value;
}

}  // namespace

// ---- pens ----

TChartAxisPen::TChartAxisPen(std::function<void()> onChange) : TChartPen(std::move(onChange))
{
    InitWidth(2);
}

const TPropertyTable<TChartPen>& TChartAxisPen::Properties()
{
    using P = TChartAxisPen;
    static const TPropertyTable<TChartPen> table =
        TPropertyTable<TChartPen>::Of<P>(ChartPenProperties())
            .Property("LineMode", EnumKind(PenLineModeNames), TAccessors{&P::LineMode, &P::SetLineMode}, lmLine);
    return table;
}

void TChartAxisPen::SetLineMode(TPenLineMode Value)
{
    SetValue(m_lineMode, Value);
}

void TChartAxisPen::Assign(const TPen& Source)
{
    if (const auto* p = dynamic_cast<const TChartAxisPen*>(&Source))
        m_lineMode = p->m_lineMode;
    TChartPen::Assign(Source);
}

TAxisGridPen::TAxisGridPen(std::function<void()> onChange) : TDottedGrayPen(std::move(onChange)) {}

const TPropertyTable<TChartPen>& TAxisGridPen::Properties()
{
    using P = TAxisGridPen;
    static const TPropertyTable<TChartPen> table =
        TPropertyTable<TChartPen>::Of<P>(ChartPenProperties())
            .Property("DrawEvery", IntegerKind, TAccessors{&P::DrawEvery, &P::SetDrawEvery}, 1)
            .Property("ZPosition", FloatKind, TAccessors{&P::ZPosition, &P::SetZPosition},
                      TInstanceDefault{&P::DefaultZPosition});
    return table;
}

void TAxisGridPen::SetCentered(bool Value)
{
    SetValue(m_centered, Value);
}

void TAxisGridPen::SetDrawEvery(int Value)
{
    SetValue(m_drawEvery, Value);
}

void TAxisGridPen::SetZPosition(double Value)
{
    SetValue(m_zPosition, Value);
}

void TAxisGridPen::Assign(const TPen& Source)
{
    if (const auto* p = dynamic_cast<const TAxisGridPen*>(&Source)) {
        m_centered = p->m_centered;
        m_drawEvery = p->m_drawEvery;
        m_zPosition = p->m_zPosition;
    }
    TDottedGrayPen::Assign(Source);
}

// ---- construction ----

TChartAxis::TChartAxis(TAxisContainer& Chart) : m_chart(&Chart)
{
    static std::uint64_t serials = 0;
    m_serial = ++serials;
    m_scale.FastCalc = Chart.Axes().FastCalc();
    ReselectForms();
    auto repaint = [this] { Repaint(); };
    m_items = std::make_unique<TAxisItems>(*this);
    m_title = std::make_unique<TChartAxisTitle>(Chart.AxisPanel());
    m_ticks = std::make_unique<TDarkGrayPen>(repaint);
    m_minorTicks = std::make_unique<TDarkGrayPen>(repaint);
    m_ticksInner = std::make_unique<TDarkGrayPen>(repaint);
    m_grid = std::make_unique<TAxisGridPen>(repaint);
    m_minorGrid = std::make_unique<TChartHiddenPen>(repaint);
    m_axisPen = std::make_unique<TChartAxisPen>(repaint);
    Chart.Axes().Add(this);
}

TChartAxis::~TChartAxis()
{
    // holders drop the axis; while the chart itself is freed they only forget it
    const bool chartAlive = m_chart != nullptr;
    while (!m_holderSeries.empty()) {
        TChartSeries* s = m_holderSeries.back();
        s->ForgetCustomAxis(*this, chartAlive);
        std::erase(m_holderSeries, s);
    }
    while (!m_holderTools.empty()) {
        TPlotCustomToolAxis* tool = m_holderTools.back();
        tool->ForgetAxis();
        std::erase(m_holderTools, tool);
    }
    if (!m_chart)
        return;
    // Followers lose their master rather than keep a dangling link.
    for (TChartAxis* a : m_chart->Axes().Items())
        if (a->m_masterAxis == this)
            a->m_masterAxis = nullptr;
    m_chart->Axes().Remove(this);
}

void TChartAxis::RemoveHolder(const TChartSeries* Series)
{
    const auto it = std::find(m_holderSeries.begin(), m_holderSeries.end(), Series);
    if (it != m_holderSeries.end())
        m_holderSeries.erase(it);
}

void TChartAxis::RemoveHolder(const TPlotCustomToolAxis* Tool)
{
    const auto it = std::find(m_holderTools.begin(), m_holderTools.end(), Tool);
    if (it != m_holderTools.end())
        m_holderTools.erase(it);
}

const TPropertyTable<TChartAxis>& TChartAxis::Properties()
{
    using A = TChartAxis;
    static const TPropertyTable<TChartAxis> table =
        TPropertyTable<TChartAxis>::Of()
            .Property("Automatic", BooleanKind, TAccessors{&A::Automatic, &A::SetAutomatic}, true)
            .Property("AutomaticMaximum", BooleanKind, TAccessors{&A::AutomaticMaximum, &A::SetAutomaticMaximum}, true)
            .Property("AutomaticMinimum", BooleanKind, TAccessors{&A::AutomaticMinimum, &A::SetAutomaticMinimum}, true)
            .Object(
                "Axis", [](const A& a) -> const TChartPen* { return a.Axis(); },
                [](A& a) -> TChartPen* { return a.Axis(); }, nullptr, TChartAxisPen::Properties())
            .Property("AxisValuesFormat", StringKind, TAccessors{&A::AxisValuesFormat, &A::SetAxisValuesFormat},
                      std::string(DefaultAxisValuesFormat))
            .Property("DateTimeFormat", StringKind, TAccessors{&A::DateTimeFormat, &A::SetDateTimeFormat},
                      std::string())
            .Property("ExactDateTime", BooleanKind, TAccessors{&A::ExactDateTime, &A::SetExactDateTime}, true)
            .Object(
                "Grid", [](const A& a) -> const TChartPen* { return a.Grid(); },
                [](A& a) -> TChartPen* { return a.Grid(); }, nullptr, TAxisGridPen::Properties())
            .Property("GridCentered", BooleanKind, TAccessors{&A::GridCentered, &A::SetGridCentered}, false)
            .Property("Increment", FloatKind, TAccessors{&A::Increment, &A::SetIncrement}, 0.0)
            .Property("Inverted", BooleanKind, TAccessors{&A::Inverted, &A::SetInverted}, false)
            .Property("Horizontal", BooleanKind, TAccessors{&A::Horizontal, &A::SetHorizontal},
                      TStoredWhen{&A::IsCustom})
            .Property("OtherSide", BooleanKind, TAccessors{&A::OtherSide, &A::SetOtherSide}, TStoredWhen{&A::IsCustom})
            .Property("Labels", BooleanKind, TAccessors{&A::Labels, &A::SetLabels}, true)
            .Property("LabelsAlign", EnumKind(AxisLabelAlignNames), TAccessors{&A::LabelsAlign, &A::SetLabelsAlign},
                      alDefault)
            .Property("LabelsAlternate", BooleanKind, TAccessors{&A::LabelsAlternate, &A::SetLabelsAlternate}, false)
            .Property("LabelsAngle", IntegerKind, TAccessors{&A::LabelsAngle, &A::SetLabelsAngle}, 0)
            .Property("LabelsExponent", BooleanKind, TAccessors{&A::LabelsExponent, &A::SetLabelsExponent}, false)
            .Object(
                "LabelsFont", [](const A& a) -> const TPlotFont* { return a.LabelsFont(); },
                [](A& a) -> TPlotFont* { return a.LabelsFont(); }, nullptr, PlotFontProperties())
            .Property("LabelsMultiLine", BooleanKind, TAccessors{&A::LabelsMultiLine, &A::SetLabelsMultiLine}, false)
            .Property("LabelsOnAxis", BooleanKind, TAccessors{&A::LabelsOnAxis, &A::SetLabelsOnAxis}, true)
            .Property("LabelsSeparation", IntegerKind, TAccessors{&A::LabelsSeparation, &A::SetLabelsSeparation}, 10)
            .Property("LabelsSize", IntegerKind, TAccessors{&A::LabelsSize, &A::SetLabelsSize}, 0)
            .Property("LabelStyle", EnumKind(AxisLabelStyleNames), TAccessors{&A::LabelStyle, &A::SetLabelStyle},
                      talAuto)
            .Property("Logarithmic", BooleanKind, TAccessors{&A::Logarithmic, &A::SetLogarithmic}, false)
            .Property("LogarithmicBase", FloatKind, TAccessors{&A::LogarithmicBase, &A::SetLogarithmicBase}, 10.0)
            .Property("Maximum", FloatKind, TAccessors{&A::Maximum, &A::SetMaximum},
                      TStoredWhen{[](const A& a) { return !a.Automatic() && !a.AutomaticMaximum(); }})
            .Property("MaximumOffset", IntegerKind, TAccessors{&A::MaximumOffset, &A::SetMaximumOffset}, 0)
            .Property("MaximumRound", BooleanKind, TAccessors{&A::MaximumRound, &A::SetMaximumRound}, false)
            .Property("Minimum", FloatKind, TAccessors{&A::Minimum, &A::SetMinimum},
                      TStoredWhen{[](const A& a) { return !a.Automatic() && !a.AutomaticMinimum(); }})
            .Property("MinimumOffset", IntegerKind, TAccessors{&A::MinimumOffset, &A::SetMinimumOffset}, 0)
            .Property("MinimumRound", BooleanKind, TAccessors{&A::MinimumRound, &A::SetMinimumRound}, false)
            .Object(
                "MinorGrid", [](const A& a) -> const TChartPen* { return a.MinorGrid(); },
                [](A& a) -> TChartPen* { return a.MinorGrid(); }, nullptr, ChartPenProperties())
            .Property("MinorTickCount", IntegerKind, TAccessors{&A::MinorTickCount, &A::SetMinorTickCount}, 3)
            .Property("MinorTickLength", IntegerKind, TAccessors{&A::MinorTickLength, &A::SetMinorTickLength}, 2)
            .Object(
                "MinorTicks", [](const A& a) -> const TChartPen* { return a.MinorTicks(); },
                [](A& a) -> TChartPen* { return a.MinorTicks(); }, nullptr, ChartPenProperties())
            .Property("StartPosition", FloatKind, TAccessors{&A::StartPosition, &A::SetStartPosition}, 0.0)
            .Property("EndPosition", FloatKind, TAccessors{&A::EndPosition, &A::SetEndPosition}, 100.0)
            .Property("PositionPercent", FloatKind, TAccessors{&A::PositionPercent, &A::SetPositionPercent}, 0.0)
            .Property("PositionUnits", EnumKind(PlotUnitsNames), TAccessors{&A::PositionUnits, &A::SetPositionUnits},
                      muPercent)
            .Property("RoundFirstLabel", BooleanKind, TAccessors{&A::RoundFirstLabel, &A::SetRoundFirstLabel}, true)
            .Property("TickInnerLength", IntegerKind, TAccessors{&A::TickInnerLength, &A::SetTickInnerLength}, 0)
            .Property("TickLength", IntegerKind, TAccessors{&A::TickLength, &A::SetTickLength}, 4)
            .Object(
                "Ticks", [](const A& a) -> const TChartPen* { return a.Ticks(); },
                [](A& a) -> TChartPen* { return a.Ticks(); }, nullptr, ChartPenProperties())
            .Object(
                "TicksInner", [](const A& a) -> const TChartPen* { return a.TicksInner(); },
                [](A& a) -> TChartPen* { return a.TicksInner(); }, nullptr, ChartPenProperties())
            .Property("TickOnLabelsOnly", BooleanKind, TAccessors{&A::TickOnLabelsOnly, &A::SetTickOnLabelsOnly},
                      true)
            .Object(
                "Title", [](const A& a) -> const TPlotCustomShapeBrushPen* { return a.Title(); },
                [](A& a) -> TPlotCustomShapeBrushPen* { return a.Title(); }, nullptr, TChartAxisTitle::Properties())
            .Property("TitleSize", IntegerKind, TAccessors{&A::TitleSize, &A::SetTitleSize}, 0)
            .Property("Visible", BooleanKind, TAccessors{&A::Visible, &A::SetVisible}, true)
            .Property("ZPosition", FloatKind, TAccessors{&A::ZPosition, &A::SetZPosition},
                      TStoredWhen{&A::IsZPositionStored})
            .NotAssigned();
    return table;
}

void TChartAxis::Assign(const TChartAxis& Source)
{
    if (&Source == this)
        return;
    m_axisPen->Assign(*Source.m_axisPen);
    m_items->Assign(*Source.m_items);
    m_labelsAlign = Source.m_labelsAlign;
    m_labelsAlternate = Source.m_labelsAlternate;
    m_labelsAngle = Source.m_labelsAngle;
    m_labelsExponent = Source.m_labelsExponent;
    m_labelsMultiLine = Source.m_labelsMultiLine;
    m_labelsSeparation = Source.m_labelsSeparation;
    m_labelsSize = Source.m_labelsSize;
    m_labelStyle = Source.m_labelStyle;
    m_labelsOnAxis = Source.m_labelsOnAxis;
    m_ticks->Assign(*Source.m_ticks);
    m_ticksInner->Assign(*Source.m_ticksInner);
    m_titleSize = Source.m_titleSize;
    m_grid->Assign(*Source.m_grid);
    m_minorTicks->Assign(*Source.m_minorTicks);
    m_minorGrid->Assign(*Source.m_minorGrid);
    m_tickLength = Source.m_tickLength;
    m_minorTickLength = Source.m_minorTickLength;
    m_minorTickCount = Source.m_minorTickCount;
    m_tickInnerLength = Source.m_tickInnerLength;
    m_axisValuesFormat = Source.m_axisValuesFormat;
    m_increment = Source.m_increment;
    m_maximum = Source.m_maximum;
    m_maximumOffset = Source.m_maximumOffset;
    m_maximumRound = Source.m_maximumRound;
    m_minimum = Source.m_minimum;
    m_minimumOffset = Source.m_minimumOffset;
    m_minimumRound = Source.m_minimumRound;
    m_automatic = Source.m_automatic;
    m_automaticMaximum = Source.m_automaticMaximum;
    m_automaticMinimum = Source.m_automaticMinimum;
    m_title->Assign(*Source.m_title);
    m_dateTimeFormat = Source.m_dateTimeFormat;
    m_grid->SetCentered(Source.m_grid->Centered());
    m_logarithmic = Source.m_logarithmic;
    m_logarithmicBase = Source.m_logarithmicBase;
    m_inverted = Source.m_inverted;
    m_exactDateTime = Source.m_exactDateTime;
    m_roundFirstLabel = Source.m_roundFirstLabel;
    m_tickOnLabelsOnly = Source.m_tickOnLabelsOnly;
    m_isDepthAxis = Source.m_isDepthAxis;
    m_startPosition = Source.m_startPosition;
    m_endPosition = Source.m_endPosition;
    m_positionPercent = Source.m_positionPercent;
    m_positionUnits = Source.m_positionUnits;
    m_visible = Source.m_visible;
    m_horizontal = Source.m_horizontal;
    m_otherSide = Source.m_otherSide;
    ReselectForms();
}

void TChartAxis::MarkDepthAxis()
{
    m_isDepthAxis = true;
    ReselectForms();
}

void TChartAxis::Repaint() const
{
    if (m_chart)
        m_chart->Invalidate();
}

template <typename T>
void TChartAxis::SetAndRepaint(T& Field, const T& Value)
{
    UpdateValue(Field, Value, [this] { Repaint(); });
}

void TChartAxis::ReselectForms()
{
    m_scale.Horizontal = m_horizontal;
    m_scale.Inverted = m_inverted;
    m_scale.Logarithmic = m_logarithmic;
    m_scale.DepthAxis = m_isDepthAxis;
    m_scale.FastCalc = m_chart && m_chart->Axes().FastCalc();
    m_scale.SelectForms();
}

bool TChartAxis::IsCustom() const
{
    return m_chart && m_chart->Axes().IndexOf(this) >= 6;
}

// ---- setters ----

void TChartAxis::SetAutomatic(bool Value)
{
    SetAndRepaint(m_automatic, Value);
    if (!m_chart || !m_chart->AxisLoading()) {
        m_automaticMaximum = Value;
        m_automaticMinimum = Value;
    }
}

void TChartAxis::SetAutomaticMaximum(bool Value)
{
    SetAndRepaint(m_automaticMaximum, Value);
    if (!Value)
        m_automatic = false;
    else if (m_automaticMinimum)
        m_automatic = true;
}

void TChartAxis::SetAutomaticMinimum(bool Value)
{
    SetAndRepaint(m_automaticMinimum, Value);
    if (!Value)
        m_automatic = false;
    else if (m_automaticMaximum)
        m_automatic = true;
}

void TChartAxis::SetIncrement(double Value)
{
    // NaN is refused with the negative values: no step can be built from it.
    if (!(Value >= 0))
        throw AxisException(PlotMsgAxisIncrementNeg);
    SetAndRepaint(m_increment, Value);
}

void TChartAxis::SetMaximum(double Value)
{
    if ((!m_chart || !m_chart->AxisLoading()) && Value < m_minimum)
        throw AxisException(PlotMsgAxisMaxMin);
    SetAndRepaint(m_maximum, Value);
}

void TChartAxis::SetMinimum(double Value)
{
    if ((!m_chart || !m_chart->AxisLoading()) && Value > m_maximum)
        throw AxisException(PlotMsgAxisMinMax);
    SetAndRepaint(m_minimum, Value);
}

bool TChartAxis::SetMasterAxis(TChartAxis* Value)
{
    for (const TChartAxis* a = Value; a; a = a->m_masterAxis)
        if (a == this)
            return false;
    m_masterAxis = Value;
    return true;
}

void TChartAxis::SetMinMax(double AMin, double AMax)
{
    // A chain of followers is walked once; a loop in it stops here.
    if (m_settingMinMax)
        return;
    m_settingMinMax = true;
    m_automatic = m_automaticMaximum = m_automaticMinimum = false;
    if (AMin > AMax)
        std::swap(AMin, AMax);
    SetAndRepaint(m_minimum, AMin);
    SetAndRepaint(m_maximum, AMax);
    if (m_maximum - m_minimum < MinAxisRange)
        SetAndRepaint(m_maximum, m_minimum + MinAxisRange);
    if (m_chart) {
        const TChartCustomAxes& custom = m_chart->CustomAxes();
        for (int i = 0; i < custom.Count(); ++i)
            if (custom[i]->m_masterAxis == this)
                custom[i]->SetMinMax(m_minimum, m_maximum);
    }
    m_settingMinMax = false;
}

void TChartAxis::SetLogarithmic(bool Value)
{
    if (Value == m_logarithmic)
        return;
    if (Value) {
        if (m_chart) {
            for (int i = 0; i < m_chart->SeriesCount(); ++i) {
                const TChartSeries* s = m_chart->Series(i);
                const TChartValueList* list = s && s->Active() ? s->AxisValueList(this) : nullptr;
                if (list && list->DateTime())
                    throw AxisException(PlotMsgAxisLogDateTime);
            }
        }
        AdjustMaxMin();
        if (CurrentMinimum() < 0 || CurrentMaximum() < 0)
            throw AxisException(PlotMsgAxisLogNotPositive);
    }
    SetAndRepaint(m_logarithmic, Value);
    ReselectForms();
}

void TChartAxis::SetLogarithmicBase(double Value)
{
    if (!(Value > 0) || Value == 1)
        throw AxisException(PlotMsgAxisLogBase);
    SetAndRepaint(m_logarithmicBase, Value);
}

void TChartAxis::SetMaximumOffset(int Value) { SetAndRepaint(m_maximumOffset, Value); }
void TChartAxis::SetMinimumOffset(int Value) { SetAndRepaint(m_minimumOffset, Value); }
void TChartAxis::SetMaximumRound(bool Value) { SetAndRepaint(m_maximumRound, Value); }
void TChartAxis::SetMinimumRound(bool Value) { SetAndRepaint(m_minimumRound, Value); }

void TChartAxis::SetTitle(const TChartAxisTitle* Value)
{
    m_title->Assign(*Value);
}

void TChartAxis::SetTitleSize(int Value) { SetAndRepaint(m_titleSize, Value); }

void TChartAxis::SetZPosition(double Value)
{
    SetAndRepaint(m_zPosition, Value == 0 ? 0.01 : Value);
}

bool TChartAxis::IsZPositionStored() const
{
    if (m_isDepthAxis)
        return false;
    if (m_otherSide)
        return m_zPosition != 100;
    return m_zPosition > 0.011;
}

void TChartAxis::SetStartPosition(double Value) { SetAndRepaint(m_startPosition, Value); }
void TChartAxis::SetEndPosition(double Value) { SetAndRepaint(m_endPosition, Value); }
void TChartAxis::SetPositionPercent(double Value) { SetAndRepaint(m_positionPercent, Value); }
void TChartAxis::SetPositionUnits(TPlotUnits Value) { SetAndRepaint(m_positionUnits, Value); }

void TChartAxis::SetHorizontal(bool Value)
{
    SetAndRepaint(m_horizontal, Value);
    ReselectForms();
}

void TChartAxis::SetOtherSide(bool Value) { SetAndRepaint(m_otherSide, Value); }

void TChartAxis::SetInverted(bool Value)
{
    SetAndRepaint(m_inverted, Value);
    m_scale.Inverted = m_inverted;
}

void TChartAxis::SetVisible(bool Value) { SetAndRepaint(m_visible, Value); }

bool TChartAxis::Labels() const
{
    return m_items->Format().Visible();
}

void TChartAxis::SetLabels(bool Value)
{
    if (Value == Labels())
        return;
    m_items->Format().SetVisible(Value);
    Repaint();
}

TPlotFont* TChartAxis::LabelsFont() const
{
    return m_items->Format().Font();
}

void TChartAxis::SetLabelsFont(const TPlotFont* Value)
{
    m_items->Format().SetFont(Value);
}

void TChartAxis::SetLabelsAlign(TAxisLabelAlign Value) { SetAndRepaint(m_labelsAlign, Value); }
void TChartAxis::SetLabelsAlternate(bool Value) { SetAndRepaint(m_labelsAlternate, Value); }
void TChartAxis::SetLabelsAngle(int Value) { SetAndRepaint(m_labelsAngle, Modulo360(Value)); }
void TChartAxis::SetLabelsOnAxis(bool Value) { SetAndRepaint(m_labelsOnAxis, Value); }

void TChartAxis::SetLabelsSeparation(int Value)
{
    if (Value < 0)
        throw AxisException(PlotMsgAxisLabelSep);
    SetAndRepaint(m_labelsSeparation, Value);
}

void TChartAxis::SetLabelsSize(int Value) { SetAndRepaint(m_labelsSize, Value); }
void TChartAxis::SetLabelStyle(TAxisLabelStyle Value) { SetAndRepaint(m_labelStyle, Value); }
void TChartAxis::SetLabelsExponent(bool Value) { SetAndRepaint(m_labelsExponent, Value); }
void TChartAxis::SetLabelsMultiLine(bool Value) { SetAndRepaint(m_labelsMultiLine, Value); }
void TChartAxis::SetRoundFirstLabel(bool Value) { SetAndRepaint(m_roundFirstLabel, Value); }
void TChartAxis::SetAxisValuesFormat(const std::string& Value) { SetAndRepaint(m_axisValuesFormat, Value); }
void TChartAxis::SetDateTimeFormat(const std::string& Value) { SetAndRepaint(m_dateTimeFormat, Value); }
void TChartAxis::SetExactDateTime(bool Value) { SetAndRepaint(m_exactDateTime, Value); }
void TChartAxis::SetMinorTickCount(int Value) { SetAndRepaint(m_minorTickCount, Value); }
void TChartAxis::SetMinorTickLength(int Value) { SetAndRepaint(m_minorTickLength, Value); }
void TChartAxis::SetTickInnerLength(int Value) { SetAndRepaint(m_tickInnerLength, Value); }
void TChartAxis::SetTickLength(int Value) { SetAndRepaint(m_tickLength, Value); }
void TChartAxis::SetTickOnLabelsOnly(bool Value) { SetAndRepaint(m_tickOnLabelsOnly, Value); }

// ---- scale ----

void TChartAxis::AdjustMaxMin()
{
    if (m_chart) {
        if (m_automatic || m_automaticMaximum)
            m_maximum = m_chart->AxisMaximum(*this);
        if (m_automatic || m_automaticMinimum)
            m_minimum = m_chart->AxisMinimum(*this);
    }
    m_scale.CurrentMaximum = m_maximum;
    m_scale.CurrentMinimum = m_minimum;
    RecalcSizes();
    RoundLimits();
}

void TChartAxis::RecalcSizes()
{
    m_scale.RecalcSizes();
    int depth = 0;
    if (m_chart) {
        if (m_isDepthAxis) {
            const TRect r = m_chart->AxisChartRect();
            depth = r.Bottom - r.Top;
        } else {
            depth = m_chart->TotalWidth3D();
        }
    }
    m_zPositionPixels = ClampPixel(std::nearbyint(depth * m_zPosition * 0.01), 0);
}

void TChartAxis::SetStartEnd()
{
    int span = 0;
    int origin = 0;
    if (m_chart) {
        const TRect r = m_chart->AxisChartRect();
        if (m_isDepthAxis)
            span = m_chart->TotalWidth3D();
        else if (m_horizontal) {
            span = r.Right - r.Left;
            origin = r.Left;
        } else {
            span = r.Bottom - r.Top;
            origin = r.Top;
        }
    }
    m_scale.SetStartEnd(origin, span, m_startPosition, m_endPosition);
    RecalcSizes();
}

void TChartAxis::AdjustMaxMinRect(const TRect& Margins)
{
    if (m_horizontal)
        m_scale.AdjustMaxMinRect(Margins.Left, Margins.Right);
    else
        m_scale.AdjustMaxMinRect(Margins.Top, Margins.Bottom);
}

void TChartAxis::RoundLimits()
{
    if (m_scale.AxisSize == 0 || m_scale.RangeIsZero)
        return;
    bool applied = false;
    double inc = 0;
    if (m_maximumRound && (m_automatic || m_automaticMaximum)) {
        inc = CalcLabelsIncrement();
        if (inc != 0) {
            m_scale.CurrentMaximum = std::ceil(m_scale.CurrentMaximum / inc) * inc;
            applied = true;
        }
    }
    if (m_minimumRound && (m_automatic || m_automaticMinimum)) {
        if (inc == 0)
            inc = CalcLabelsIncrement();
        if (inc != 0) {
            m_scale.CurrentMinimum = std::floor(m_scale.CurrentMinimum / inc) * inc;
            applied = true;
        }
    }
    if (applied)
        RecalcSizes();
}

double TChartAxis::CalcIncrement(int MaxLabels)
{
    if (m_isDateTimeAxis)
        return CalcDateTimeIncrement(m_scale.CurrentRange, m_increment, MaxLabels);
    TNumericIncrementInput in;
    in.Range = m_scale.CurrentRange;
    in.Increment = m_increment;
    in.Logarithmic = m_logarithmic;
    in.LogarithmicBase = m_logarithmicBase;
    in.LabelsSeparation = m_labelsSeparation;
    if (m_chart) {
        for (int i = 0; i < m_chart->SeriesCount(); ++i) {
            const TChartSeries* s = m_chart->Series(i);
            if (s && s->Active() && s->AssociatedToAxis(this) && s->MandatoryAxis() != this)
                in.FewestSeriesPoints = std::min(in.FewestSeriesPoints, s->Count());
        }
    }
    return CalcNumericIncrement(in, MaxLabels);
}

double TChartAxis::CalcLabelsIncrement()
{
    const double min = m_scale.CurrentMinimum;
    const double max = m_scale.CurrentMaximum;
    double a = min;
    double b = max;
    if (m_roundFirstLabel && m_increment != 0) {
        a = std::nearbyint(min / m_increment) * m_increment;
        b = std::trunc(max / m_increment) * m_increment;
    }
    double m = (a + b) * 0.5;
    // Halved until it carries decimals; past 64 halvings a huge middle value
    // never will, and a non-finite one never ends.
    for (int i = 0; i < 64 && std::isfinite(m) && m != 0 && m == std::trunc(m); ++i)
        m *= 0.5;
    int l = std::max({LabelSizeOf(m), LabelSizeOf(b), LabelSizeOf(a)});
    if (m_increment != 0)
        l = std::max({l, LabelSizeOf(b - m_increment), LabelSizeOf(a + m_increment)});
    double inc = CalcIncrement(LabelsThatFit(m_scale.AxisSize, l, m_labelsSeparation));
    if (!m_labelsAlternate && m_increment == 0 && inc >= 2) {
        // Searched again from a whole step (the increment is restored at once,
        // so no repaint is asked for).
        m_increment = 1;
        inc = CalcLabelsIncrement();
        m_increment = 0;
    }
    if (m_labelsAlternate)
        return m_logarithmic ? inc / m_logarithmicBase : inc * 0.5;
    return WidenToFitLabels(inc, l);
}

double TChartAxis::WidenToFitLabels(double Increment, int Measured)
{
    // The fit above measures three values; the labels written at the step may
    // carry more decimals and be wider.
    if (m_isDateTimeAxis || m_logarithmic || m_labelsSeparation <= 0 || m_scale.RangeIsZero ||
        m_scale.AxisSize <= 0 || !m_chart || !m_chart->AxisCanvas())
        return Increment;
    const TAxisLabelStyle style = m_labelStyle == talAuto ? CalcLabelStyle() : m_labelStyle;
    if (style != talValue || m_chart->OnGetNextAxisLabel)
        return Increment;
    const double min = m_scale.CurrentMinimum;
    const double max = m_scale.CurrentMaximum;
    const double range = m_scale.CurrentRange;
    const auto room = [this](int size) { return size + Round(m_labelsSeparation * 0.01 * size); };
    const bool fromRounded = FloatToStr(min) != FloatToStr(max) && m_roundFirstLabel;
    for (int guard = 0; guard < 64 && Increment > 0 && std::isfinite(Increment); ++guard) {
        // the standard rule writes no label at all past this count
        if (!(std::fabs(range / Increment) < 10000))
            return Increment;
        const double spacing = Increment * m_scale.AxisSize / std::fabs(range);
        if (spacing >= room(Measured)) {
            int widest = 0;
            double t = fromRounded ? std::trunc(max / Increment) * Increment : max;
            while (t > max)
                t -= Increment;
            for (int n = 0; t >= min - 1e-9 * std::fabs(Increment) && n < 10000; ++n, t -= Increment)
                widest = std::max(widest, LabelSizeOf(t));
            if (spacing >= room(widest))
                return Increment;
        }
        Increment = NiceStep(Increment);
    }
    return Increment;
}

void TChartAxis::Scroll(double Offset, bool CheckLimits)
{
    if (CheckLimits) {
        if (Offset == 0 || !m_chart)
            return;
        if (Offset > 0 && !(m_chart->AxisMaximum(*this) > m_maximum))
            return;
        if (Offset < 0 && !(m_chart->AxisMinimum(*this) < m_minimum))
            return;
    }
    m_automatic = m_automaticMaximum = m_automaticMinimum = false;
    m_maximum += Offset;
    m_minimum += Offset;
    Repaint();
}

// ---- depth axis ----

TChartDepthAxis::TChartDepthAxis(TAxisContainer& Chart) : TChartAxis(Chart)
{
    MarkDepthAxis();
    m_visible = false;
}

const TPropertyTable<TChartAxis>& TChartDepthAxis::Properties()
{
    using A = TChartAxis;
    static const TPropertyTable<TChartAxis> table =
        TPropertyTable<TChartAxis>::Of<TChartDepthAxis>(TChartAxis::Properties())
            .Hide({"Visible"})
            .Property("Visible", BooleanKind, TAccessors{&A::Visible, &A::SetVisible}, false);
    return table;
}

void TChartDepthAxis::SetInverted(bool Value)
{
    TChartAxis::SetInverted(Value);
    if (!m_chart)
        return;
    for (TChartAxis* a : m_chart->Axes().Items())
        if (a != this && a->IsDepthAxis() && a->Inverted() != Value) {
            a->m_inverted = Value;
            a->m_scale.Inverted = Value;
        }
}
