#include "chart/series/custom_line_series.h"

#include "chart/appearance_properties.h"
#include "chart/chart_axis.h"
#include "chart/point_index.h"

TCustomLineSeries::TCustomLineSeries(QObject* Owner) : TChartSeries(Owner) {}

TCustomLineSeries::~TCustomLineSeries() = default;

const TPointIndex* TCustomLineSeries::ValuesPointIndex() const
{
    const TChartAxis* h = GetHorizAxis();
    const TChartAxis* v = GetVertAxis();
    if (!ParentChart() || !h || !v || h->Logarithmic() || v->Logarithmic())
        return nullptr;
    if (!m_pointIndex)
        m_pointIndex = std::make_unique<TPointIndex>();
    m_pointIndex->Update(XValues(), YValues());
    return m_pointIndex.get();
}

void TCustomLineSeries::Assign(const TCustomChartElement& Source)
{
    if (const auto* s = dynamic_cast<const TCustomLineSeries*>(&Source))
        m_treatNulls = s->m_treatNulls;
    TChartSeries::Assign(Source);
}

const TPropertyTable<TCustomChartElement>& TCustomLineSeries::Properties()
{
    using S = TCustomLineSeries;
    static const TPropertyTable<TCustomChartElement> table =
        TPropertyTable<TCustomChartElement>::Of<S>(TChartSeries::Properties())
            .Property("TreatNulls", EnumKind(TreatNullsStyleNames), TAccessors{&S::TreatNulls, &S::SetTreatNulls},
                      TInstanceDefault{&S::DefaultTreatNulls})
            .Object(
                "LinePen", [](const S& s) { return &s.LinePen(); }, [](S& s) { return &s.LinePen(); }, nullptr,
                ChartPenProperties());
    return table;
}
