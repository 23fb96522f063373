#include "chart/series/darvas_series.h"

#include "chart/appearance_properties.h"
#include "chart/plot_blend.h"
#include "chart/plot_canvas.h"
#include "chart/plot_panel.h"

std::vector<TDarvasBox> FindDarvasBoxes(const double* High, const double* Low, int Count)
{
    std::vector<TDarvasBox> boxes;
    if (Count <= 0)
        return boxes;
    int state = 0;
    int i = 0;
    TDarvasBox box;
    double top = 0, bottom = 0;
    // Each state leaves at the end of the data; when a step reaches the end
    // the same state runs again and takes that exit.
    for (;;) {
        const bool atEnd = i >= Count;
        switch (state) {
        case 0:
            box.Start = i;
            state = 1;
            break;
        case 1:
            if (atEnd) {
                state = 5;
                break;
            }
            top = High[i];
            box.Top = box.Bottom = i;
            if (++i < Count)
                state = High[i] < top ? 2 : 1;
            break;
        case 2:
            if (atEnd) {
                state = 5;
                break;
            }
            if (++i < Count)
                state = High[i] < top ? 3 : 1;
            break;
        case 3:
            if (atEnd) {
                state = 5;
                break;
            }
            bottom = Low[i];
            box.Bottom = i;
            if (++i < Count)
                state = High[i] >= top ? 1 : Low[i] > bottom ? 4 : 3;
            break;
        case 4:
            if (atEnd) {
                state = 5;
                break;
            }
            if (++i < Count)
                state = High[i] >= top ? 1 : Low[i] <= bottom ? 3 : 5;
            break;
        case 5:
            if (atEnd) {
                state = 6;
                break;
            }
            if (++i < Count && (High[i] > top || Low[i] < bottom))
                state = 6;
            break;
        default:
            box.End = atEnd ? Count - 1 : i;
            boxes.push_back(box);
            if (atEnd)
                return boxes;
            state = 0;
        }
    }
}

TDarvasSeries::TDarvasSeries(QObject* Owner)
    : TCandleSeries(Owner), m_boxBrush(std::make_unique<TChartBrush>([this] { Repaint(); })),
      m_boxPen(std::make_unique<TChartPen>([this] { Repaint(); }))
{
    m_boxBrush->InitBackColor(clDefault);
    InitTransparency(70);
}

TDarvasSeries::~TDarvasSeries() = default;

std::vector<TDarvasBox> TDarvasSeries::Boxes() const
{
    return FindDarvasBoxes(HighValues().Data(), LowValues().Data(), Count());
}

void TDarvasSeries::DrawAllValues()
{
    TCandleSeries::DrawAllValues();
    TSeriesParent* chart = ParentChart();
    TCustomPlotPanel* panel = chart ? chart->Panel() : nullptr;
    if (!panel || !panel->Canvas())
        return;
    const std::vector<TDarvasBox> boxes = Boxes();
    if (boxes.empty())
        return;
    TCanvas3D& c = *panel->Canvas();
    c.AssignPen(m_boxPen.get());
    const TColor color = m_boxBrush->Color() == clDefault ? chart->GetDefaultColor(1) : m_boxBrush->Color();
    for (const TDarvasBox& box : boxes) {
        const TRect r{CalcXPos(box.Start), CalcYPosValue(HighValues().Value(box.Top)), CalcXPos(box.End),
                      CalcYPosValue(LowValues().Value(box.Bottom))};
        TPlotBlend* blend = Transparency() > 0 ? c.BeginBlending(r, Transparency()) : nullptr;
        c.AssignBrush(m_boxBrush.get(), color);
        if (chart->View3D())
            c.RectangleWithZ(r, StartZ());
        else
            c.RectangleRect(r);
        if (blend)
            c.EndBlending(blend);
    }
}

void TDarvasSeries::Assign(const TCustomChartElement& Source)
{
    if (auto* s = qobject_cast<const TDarvasSeries*>(&Source)) {
        m_boxBrush->Assign(*s->m_boxBrush);
        m_boxPen->Assign(*s->m_boxPen);
    }
    TCandleSeries::Assign(Source);
}

const TPropertyTable<TCustomChartElement>& TDarvasSeries::Properties()
{
    using S = TDarvasSeries;
    static const TPropertyTable<TCustomChartElement> table =
        TPropertyTable<TCustomChartElement>::Of<S>(TCandleSeries::Properties())
            .Object(
                "BoxBrush", [](const S& s) { return &s.BoxBrush(); }, [](S& s) { return &s.BoxBrush(); }, nullptr,
                ChartBrushProperties())
            .Object(
                "BoxPen", [](const S& s) { return &s.BoxPen(); }, [](S& s) { return &s.BoxPen(); }, nullptr,
                ChartPenProperties());
    return table;
}
