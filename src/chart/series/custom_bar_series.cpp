#include "chart/series/custom_bar_series.h"

#include <algorithm>

#include "chart/appearance_properties.h"
#include "chart/axis_panel.h"
#include "chart/chart_callout.h"
#include "chart/chart_axis.h"
#include "chart/chart_messages.h"
#include "chart/plot_canvas.h"
#include "chart/plot_panel.h"
#include "chart/series_types.h"

namespace {

constexpr const char* kBarStyleNames[] = {"bsRectangle", "bsPyramid",    "bsInvPyramid", "bsCilinder", "bsEllipse",
                                          "bsArrow",     "bsRectGradient", "bsCone",     "bsBevel",    "bsSlantCube",
                                          "bsDiamond",   "bsInvArrow",   "bsInvCone"};
constexpr const char* kMultiBarNames[] = {"mbNone", "mbSide", "mbStacked", "mbStacked100", "mbSideAll", "mbSelfStack"};

}  // namespace

void TBarSeriesGradient::SetRelative(bool Value)
{
    if (m_relative == Value)
        return;
    m_relative = Value;
    if (OnChange)
        OnChange();
}

void TBarSeriesGradient::Assign(const TCustomPlotGradient& Source)
{
    if (auto* g = dynamic_cast<const TBarSeriesGradient*>(&Source))
        m_relative = g->m_relative;
    TCustomPlotGradient::Assign(Source);
}

TCustomBarSeries::TCustomBarSeries(QObject* Owner) : TChartSeries(Owner)
{
    const auto repaint = [this] { Repaint(); };
    m_gradient = std::make_unique<TBarSeriesGradient>(repaint);
    m_gradient->SetVisible(true);
    Marks().InitVisible(true);
    Marks().InitArrowLength(20);
    m_tickLines = std::make_unique<TChartHiddenPen>(repaint);
    m_shadow = std::make_unique<TPlotShadow>(repaint);
    m_shadow->InitColor(0x808080);
}

TCustomBarSeries::~TCustomBarSeries() = default;

std::vector<TCustomBarSeries*> TCustomBarSeries::SameClassSeries() const
{
    std::vector<TCustomBarSeries*> list;
    auto* chart = dynamic_cast<TCustomAxisPanel*>(ParentChart());
    if (!chart) {
        list.push_back(const_cast<TCustomBarSeries*>(this));
        return list;
    }
    for (int i = 0; i < chart->SeriesCount(); ++i)
        if (auto* s = qobject_cast<TCustomBarSeries*>(chart->Series(i)); s && SameClass(*s, *this))
            list.push_back(s);
    return list;
}

void TCustomBarSeries::PushMultiBar()
{
    for (TCustomBarSeries* s : SameClassSeries()) {
        if (s == this)
            continue;
        s->m_multiBar = m_multiBar;
        s->m_sideMargins = m_sideMargins;
        if (m_multiBar != mbSelfStack)
            s->SetCalcVisiblePoints(true);
    }
}

void TCustomBarSeries::SetMultiBar(TMultiBar Value)
{
    if (m_multiBar == Value)
        return;
    m_multiBar = Value;
    Repaint();
    PushMultiBar();
}

void TCustomBarSeries::SetSideMargins(bool Value)
{
    if (m_sideMargins == Value)
        return;
    m_sideMargins = Value;
    Repaint();
    PushMultiBar();
}

void TCustomBarSeries::SetParentChart(TSeriesParent* Value)
{
    TChartSeries::SetParentChart(Value);
    for (TCustomBarSeries* s : SameClassSeries())
        if (s != this) {
            m_multiBar = s->m_multiBar;
            m_sideMargins = s->m_sideMargins;
            break;
        }
}

void TCustomBarSeries::DoBeforeDrawChart()
{
    TChartSeries::DoBeforeDrawChart();
    const std::vector<TCustomBarSeries*> list = SameClassSeries();
    std::vector<TBarSeriesSlot> barSlots;
    int self = -1;
    for (TCustomBarSeries* s : list) {
        if (s == this)
            self = static_cast<int>(barSlots.size());
        barSlots.push_back({s->Active() || s == this, s->Count(), s->m_multiBar, s->m_stackGroup});
    }
    m_layout = CalcBarLayout(barSlots, self, m_sideMargins, PointsPerPage());
}

int TCustomBarSeries::PointsPerPage() const
{
    const auto* chart = dynamic_cast<const TAxisContainer*>(ParentChart());
    return chart ? chart->Pages().MaxPointsPerPage() : 0;
}

void TCustomBarSeries::DoBeforeDrawValues()
{
    CalcBarWidth();
    TChartSeries::DoBeforeDrawValues();
}

void TCustomBarSeries::CalcBarWidth()
{
    TBarWidthInput in;
    in.CustomBarWidth = m_customBarWidth;
    in.MaxBarPoints = m_layout.MaxBarPoints;
    in.NumBars = m_layout.NumBars;
    in.BarWidthPercent = m_barWidthPercent;
    in.AutoBarSize = m_autoBarSize;
    if (const TChartAxis* axis = YMandatory() ? GetHorizAxis() : GetVertAxis()) {
        in.AxisSize = axis->AxisSize();
        in.AxisMinimum = axis->Minimum();
        in.AxisMaximum = axis->Maximum();
    }
    m_barWidth = ::CalcBarWidth(in);
}

int TCustomBarSeries::BarSideMargin() const
{
    return ::BarSideMargin(m_barWidth, m_layout.NumBars, m_multiBar, m_sideMargins);
}

double TCustomBarSeries::PointOrigin(int ValueIndex, bool SumAll) const
{
    switch (m_multiBar) {
    case mbStacked:
    case mbStacked100: {
        const double own = MandatoryValue(ValueIndex);
        double sum = 0;
        for (TCustomBarSeries* s : SameClassSeries()) {
            if (!SumAll && s == this)
                break;
            if (!s->Active() || s->m_stackGroup != m_stackGroup || s->Count() <= ValueIndex)
                continue;
            const double v = s->GetMarkValue(ValueIndex);
            if ((own >= 0 && v > 0) || (own < 0 && v < 0))
                sum += v;
        }
        return sum;
    }
    case mbSelfStack: {
        double sum = 0;
        for (int k = 0; k < ValueIndex; ++k)
            sum += MandatoryValue(k);
        return sum;
    }
    default:
        return m_yOrigin;
    }
}

int TCustomBarSeries::GetOriginPos(int ValueIndex, int Default) const
{
    switch (m_multiBar) {
    case mbStacked:
    case mbSelfStack:
        return CalcPosValue(PointOrigin(ValueIndex, false));
    case mbStacked100: {
        const double total = PointOrigin(ValueIndex, true);
        // a stack with no total stands at the value 0, not at pixel 0
        if (total == 0)
            return CalcPosValue(0);
        return CalcPosValue(PointOrigin(ValueIndex, false) * 100 / total);
    }
    default:
        return m_useYOrigin ? CalcPosValue(m_yOrigin) : Default;
    }
}

TBarStyle TCustomBarSeries::GetBarStyle(int ValueIndex)
{
    TBarStyle style = m_barStyle;
    if (OnGetBarStyle)
        OnGetBarStyle(*this, ValueIndex, style);
    return style;
}

TColor TCustomBarSeries::GradientEndColor(int ValueIndex, TColor BarColor) const
{
    if (!m_gradient->Relative())
        return BarColor;
    const TChartValueList& m = MandatoryValueList();
    const double low = m_useYOrigin ? m_yOrigin : m.MinValue();
    return RelativeGradientColor(m_gradient->StartColor(), BarColor, m.Value(ValueIndex), low, m.MaxValue());
}

void TCustomBarSeries::Assign(const TCustomChartElement& Source)
{
    if (auto* s = qobject_cast<const TCustomBarSeries*>(&Source)) {
        m_autoMarkPosition = s->m_autoMarkPosition;
        m_barWidthPercent = s->m_barWidthPercent;
        m_barStyle = s->m_barStyle;
        m_bevelSize = s->m_bevelSize;
        m_customBarWidth = s->m_customBarWidth;
        m_dark3D = s->m_dark3D;
        m_darkPen = s->m_darkPen;
        m_depthPercent = s->m_depthPercent;
        m_gradient->Assign(*s->m_gradient);
        m_multiBar = s->m_multiBar;
        m_offsetPercent = s->m_offsetPercent;
        m_yOrigin = s->m_yOrigin;
        m_shadow->Assign(s->m_shadow.get());
        m_sideMargins = s->m_sideMargins;
        m_stackGroup = s->m_stackGroup;
        m_tickLines->Assign(*s->m_tickLines);
        m_useYOrigin = s->m_useYOrigin;
    }
    TChartSeries::Assign(Source);
}

void TCustomBarSeries::CalcFirstLastVisible()
{
    if (m_multiBar == mbSelfStack) {
        SetVisibleRange(0, Count() - 1);
        return;
    }
    if (PointsPerPage() == 1) {
        // one point per page: the page's own
        const auto* chart = dynamic_cast<const TAxisContainer*>(ParentChart());
        const int i = chart->Pages().Current() - 1;
        const int shown = i < Count() ? i : -1;
        SetVisibleRange(shown, shown);
        return;
    }
    TChartSeries::CalcFirstLastVisible();
}

void TCustomBarSeries::CalcZOrder()
{
    if (m_multiBar != mbNone) {
        for (TCustomBarSeries* s : SameClassSeries()) {
            if (s == this)
                break;
            if (s->Active()) {
                SetComputedZOrder(s->EffectiveZOrder());
                return;
            }
        }
    }
    TChartSeries::CalcZOrder();
}

void TCustomBarSeries::CalcDepthPositions()
{
    TChartSeries::CalcDepthPositions();
    if (m_depthPercent != 0) {
        const int d = BarDepthInset(StartZ(), EndZ(), m_depthPercent);
        SetDepthPositions(StartZ() + d, EndZ() - d);
    }
}

void TCustomBarSeries::CreateSubGallery(std::vector<std::string>& Captions) const
{
    TChartSeries::CreateSubGallery(Captions);
    Captions.push_back(PlotMsgStyleColors);
    Captions.push_back(PlotMsgStylePyramid);
    Captions.push_back(PlotMsgStyleEllipse);
    Captions.push_back(PlotMsgStyleInvPyramid);
    Captions.push_back(PlotMsgStyleGradient);
    if (HasBarStyles()) {
        Captions.push_back(PlotMsgStyleStack);
        Captions.push_back(PlotMsgStyleStack100);
        Captions.push_back(PlotMsgStyleSelfStack);
    }
    Captions.push_back(PlotMsgStyleSides);
    Captions.push_back(PlotMsgStyleSideAll);
}

void TCustomBarSeries::DrawLegendShape(int ValueIndex, const TRect& Rect)
{
    TSeriesParent* chart = ParentChart();
    TCustomPlotPanel* panel = chart ? chart->Panel() : nullptr;
    if (panel && panel->Canvas() && BarBrush().HasImage() && BarBrush().Image()->HasGraphic())
        if (auto* image = dynamic_cast<TBitmap*>(BarBrush().Image()->Graphic()))
            panel->Canvas()->Brush()->SetBitmap(image);
    TChartSeries::DrawLegendShape(ValueIndex, Rect);
}

void TCustomBarSeries::PrepareForGallery(bool IsEnabled)
{
    TChartSeries::PrepareForGallery(IsEnabled);
    SetBarWidthPercent(85);
    SetBarStyle(bsRectGradient);
    Gradient().SetVisible(true);
    SetMultiBar(mbNone);
    SetDarkPen(130);
}

void TCustomBarSeries::SetSubGallery(int Index)
{
    switch (Index) {
    case 1:
        SetColorEachPoint(true);
        return;
    case 2:
        SetBarStyle(bsPyramid);
        return;
    case 3:
        SetBarStyle(bsEllipse);
        return;
    case 4:
        SetBarStyle(bsInvPyramid);
        return;
    case 5:
        SetBarStyle(bsRectGradient);
        return;
    default:
        break;
    }
    auto* chart = dynamic_cast<TCustomAxisPanel*>(ParentChart());
    if (Index >= 6 && chart && chart->SeriesCount() == 1 && chart->Series(0) == this) {
        TCustomBarSeries* other = CreateSameClass(parent());
        other->setObjectName(QString::fromStdString(GetNewSeriesName(parent())));
        chart->AddSeries(other);
        other->SetTitle(Title());
        other->SetBarWidthPercent(BarWidthPercent());
        Marks().SetVisible(false);
        other->Marks().SetVisible(false);
        other->SetSubGallery(Index);
        other->FillSampleValues(other->NumSampleValues());
    }
    const int mode = HasBarStyles() ? Index : Index + 3;
    switch (mode) {
    case 6:
        SetMultiBar(mbStacked);
        break;
    case 7:
        SetMultiBar(mbStacked100);
        break;
    case 8:
        SetMultiBar(mbSelfStack);
        break;
    case 9:
        SetMultiBar(mbSide);
        break;
    case 10:
        SetMultiBar(mbSideAll);
        break;
    default:
        TChartSeries::SetSubGallery(Index);
    }
}

int TCustomBarSeries::NumSampleValues() const
{
    for (TCustomBarSeries* s : SameClassSeries())
        if (s != this && s->Count() > 0)
            return s->Count();
    return 6;
}

void TCustomBarSeries::AddSampleValues(int NumValues, bool OnlyMandatory)
{
    for (TCustomBarSeries* s : SameClassSeries())
        if (s != this && s->HasNonSequentialX()) {
            TChartSeries::AddSampleValues(NumValues, OnlyMandatory);
            return;
        }
    TChartSeries::AddSampleValues(NumValues, true);
}

void TCustomBarSeries::PrepareLegendCanvas(int ValueIndex, TColor& BackColor, TBrushStyle& BrushStyle)
{
    TSeriesParent* chart = ParentChart();
    TCustomPlotPanel* panel = chart ? chart->Panel() : nullptr;
    if (panel && panel->Canvas()) {
        TCanvas3D& c = *panel->Canvas();
        if (m_darkPen > 0 && ValueIndex >= 0)
            c.AssignPenColor(&BarPen(), DarkenColor(GetValueColor(ValueIndex), m_darkPen));
        else
            c.AssignPen(&BarPen());
    }
    BrushStyle = BarBrush().Style();
    // the back colour of the bars themselves: the brush's own, else the chart's
    if (BarBrush().Color() != clDefault)
        BackColor = BarBrush().Color();
    else if (panel)
        BackColor = panel->Color();
}

int TCustomBarSeries::Clicked(int X, int Y) const
{
    if (FirstValueIndex() < 0 || LastValueIndex() < 0)
        return -1;
    const TPoint p{X, Y};
    for (int i = FirstValueIndex(); i <= std::min(LastValueIndex(), Count() - 1); ++i)
        if (ClickedBar(i, p))
            return i;
    return -1;
}

namespace {

// The bars' gradient publishes no end colour (the bar colour is) and is
// visible unless hidden.
const TPropertyTable<TCustomPlotGradient>& BarGradientProperties()
{
    using G = TBarSeriesGradient;
    static const TPropertyTable<TCustomPlotGradient> table =
        TPropertyTable<TCustomPlotGradient>::Of<G>(PlotGradientProperties())
            .Hide({"EndColor", "Visible"})
            .Property("Relative", BooleanKind, TAccessors{&G::Relative, &G::SetRelative}, false)
            .Property("Visible", BooleanKind, TAccessors{&G::Visible, &G::SetVisible}, true);
    return table;
}

}  // namespace

const TPropertyTable<TCustomChartElement>& TCustomBarSeries::Properties()
{
    using S = TCustomBarSeries;
    static const TPropertyTable<TCustomChartElement> table =
        TPropertyTable<TCustomChartElement>::Of<S>(TChartSeries::Properties())
            .Property("AutoBarSize", BooleanKind, TAccessors{&S::AutoBarSize, &S::SetAutoBarSize}, false)
            .NotAssigned()
            .Property("AutoMarkPosition", BooleanKind, TAccessors{&S::AutoMarkPosition, &S::SetAutoMarkPosition},
                      true)
            .Property("BarStyle", EnumKind(kBarStyleNames), TAccessors{&S::BarStyle, &S::SetBarStyle}, bsRectangle)
            .Property("BarWidthPercent", IntegerKind, TAccessors{&S::BarWidthPercent, &S::SetBarWidthPercent}, 70)
            .Property("BevelSize", IntegerKind, TAccessors{&S::BevelSize, &S::SetBevelSize}, 1)
            .Property("Dark3D", BooleanKind, TAccessors{&S::Dark3D, &S::SetDark3D}, true)
            .Property("DarkPen", IntegerKind, TAccessors{&S::DarkPen, &S::SetDarkPen}, 0)
            .Property("DepthPercent", IntegerKind, TAccessors{&S::DepthPercent, &S::SetDepthPercent}, 100)
            .Object(
                "Gradient", [](const S& s) -> const TCustomPlotGradient* { return &s.Gradient(); },
                [](S& s) -> TCustomPlotGradient* { return &s.Gradient(); }, nullptr, BarGradientProperties())
            .Property("MultiBar", EnumKind(kMultiBarNames), TAccessors{&S::MultiBar, &S::SetMultiBar}, mbSide)
            .Property("OffsetPercent", IntegerKind, TAccessors{&S::OffsetPercent, &S::SetOffsetPercent}, 0)
            .Object(
                "Shadow", [](const S& s) { return &s.Shadow(); }, [](S& s) { return &s.Shadow(); }, nullptr,
                PlotShadowProperties())
            .Property("SideMargins", BooleanKind, TAccessors{&S::SideMargins, &S::SetSideMargins}, true)
            .Property("StackGroup", IntegerKind, TAccessors{&S::StackGroup, &S::SetStackGroup}, 0)
            .Object(
                "TickLines", [](const S& s) -> const TChartPen* { return &s.TickLines(); },
                [](S& s) -> TChartPen* { return &s.TickLines(); }, nullptr, ChartPenProperties())
            .Property("UseYOrigin", BooleanKind, TAccessors{&S::UseYOrigin, &S::SetUseYOrigin}, true)
            .Property("YOrigin", FloatKind, TAccessors{&S::YOrigin, &S::SetYOrigin}, 0.0);
    return table;
}
