#include "chart/chart_element.h"

#include "chart/appearance_properties.h"

TCustomChartElement::TCustomChartElement(QObject* Owner)
    : TComponent(Owner), m_brush(std::make_unique<TChartBrush>([this] { Repaint(); })),
      m_pen(std::make_unique<TChartPen>([this] { Repaint(); }))
{
}

TCustomChartElement::~TCustomChartElement()
{
    m_parentChart = nullptr;
}

void TCustomChartElement::SetActive(bool Value)
{
    SetBooleanProperty(m_active, Value);
}

void TCustomChartElement::SetParentChart(TSeriesParent* Value)
{
    m_parentChart = Value;
}

void TCustomChartElement::Repaint()
{
    if (m_parentChart)
        m_parentChart->Invalidate();
}

void TCustomChartElement::Assign(const TCustomChartElement& Source)
{
    m_active = Source.m_active;
    m_brush->Assign(*Source.m_brush);
    m_pen->Assign(*Source.m_pen);
    m_tag = Source.m_tag;
}

const TPropertyTable<TCustomChartElement>& TCustomChartElement::Properties()
{
    static const TPropertyTable<TCustomChartElement> table =
        TPropertyTable<TCustomChartElement>::Of()
            .Property("Active", BooleanKind,
                      TAccessors{&TCustomChartElement::Active,
                                 [](TCustomChartElement& e, bool v) { e.SetActive(v); }},
                      TInstanceDefault{&TCustomChartElement::DefaultActive})
            .Object(
                "Brush", [](const TCustomChartElement& e) { return &e.Brush(); },
                [](TCustomChartElement& e) { return &e.Brush(); }, nullptr, ChartBrushProperties())
            .Object(
                "Pen", [](const TCustomChartElement& e) { return &e.Pen(); },
                [](TCustomChartElement& e) { return &e.Pen(); }, nullptr, ChartPenProperties())
            .Property("ShowInEditor", BooleanKind,
                      TAccessors{&TCustomChartElement::ShowInEditor, &TCustomChartElement::SetShowInEditor}, true);
    return table;
}

TCustomChartSeries::TCustomChartSeries(QObject* Owner) : TCustomChartElement(Owner) {}

void TCustomChartSeries::SetActive(bool Value)
{
    if (m_active == Value)
        return;
    m_active = Value;
    Repaint();
    if (TSeriesParent* chart = ParentChart())
        chart->BroadcastSeriesNotice(TSeriesNotice::ActiveChanged, this);
}

void TCustomChartSeries::SetChartView3D(bool Value)
{
    if (TSeriesParent* chart = ParentChart())
        chart->SetView3D(Value);
}

void TCustomChartSeries::Assign(const TCustomChartElement& Source)
{
    if (const auto* s = dynamic_cast<const TCustomChartSeries*>(&Source)) {
        m_showInLegend = s->m_showInLegend;
        m_title = s->m_title;
        m_style = s->m_style;
        m_identifier = s->m_identifier;
    }
    TCustomChartElement::Assign(Source);
}

const TPropertyTable<TCustomChartElement>& TCustomChartSeries::Properties()
{
    static const TPropertyTable<TCustomChartElement> table =
        TPropertyTable<TCustomChartElement>::Of<TCustomChartSeries>(TCustomChartElement::Properties())
            .Property("ShowInLegend", BooleanKind,
                      TAccessors{&TCustomChartSeries::ShowInLegend,
                                 [](TCustomChartSeries& s, bool v) { s.SetShowInLegend(v); }},
                      true)
            .Property("Title", StringKind,
                      TAccessors{&TCustomChartSeries::Title,
                                 [](TCustomChartSeries& s, std::string v) { s.SetTitle(v); }},
                      std::string())
            .Property("Identifier", StringKind,
                      TAccessors{&TCustomChartSeries::Identifier, &TCustomChartSeries::SetIdentifier}, std::string())
            .Property("Style", IntegerKind,
                      TAccessors{[](const TCustomChartSeries& s) { return static_cast<int>(s.Style()); },
                                 [](TCustomChartSeries& s, int v) { s.SetStyle(static_cast<unsigned>(v)); }},
                      0);
    return table;
}

bool TCustomChartSeries::SameClass(const QObject& A, const QObject& B)
{
    return A.metaObject()->inherits(B.metaObject()) || B.metaObject()->inherits(A.metaObject());
}
