#include "chart/chart.h"

#include <algorithm>

#include "chart/chart_series.h"

namespace {

// Line separator of chart texts.
constexpr char LineSeparator = 13;

}  // namespace

TCustomChart::TCustomChart(QWidget* Parent) : TCustomAxisPanel(Parent)
{
    TAutoRepaintOff off(*this);
    m_title = std::make_unique<TChartTitle>(this);
    m_scrollMouseButton = mbRight;
    m_subTitle = std::make_unique<TChartTitle>(this);
    m_foot = std::make_unique<TChartFootTitle>(this);
    m_subFoot = std::make_unique<TChartFootTitle>(this);
    m_legend = std::make_unique<TChartLegend>(this);
}

TCustomChart::~TCustomChart()
{
    SetAutoRepaint(false);
    m_subTitle.reset();
    m_title.reset();
    m_subFoot.reset();
    m_foot.reset();
    m_legend.reset();
}

const TPropertyTable<TCustomPlotPanel>& TCustomChart::Properties()
{
    static const TPropertyTable<TCustomPlotPanel> table =
        TPropertyTable<TCustomPlotPanel>::Of<TCustomChart>(TCustomAxisPanel::Properties());
    return table;
}

void TCustomChart::SetColorPaletteIndex(int Value)
{
    if (m_colorPaletteIndex == Value)
        return;
    m_colorPaletteIndex = Value;
}

std::string TCustomChart::LegendText(const TChartSeries& Series, int Index) const
{
    if (Index == -1)
        return {};
    std::string text = Series.LegendString(Index, m_legend->TextStyle());
    std::replace(text.begin(), text.end(), LineSeparator, ' ');
    return text;
}

std::string TCustomChart::FormattedLegend(int Index) const
{
    const TLegendStyle style = m_legend->ResolvedStyle();
    std::string text = m_legend->ItemText(style, Index);
    if (OnGetLegendText)
        OnGetLegendText(const_cast<TCustomChart&>(*this), style, Index, text);
    return text;
}

void TCustomChart::DrawSeriesLegendSymbol(TChartSeries& Series, int ValueIndex, const TRect& R)
{
    TCanvas3D& canvas = *Canvas();
    canvas.AssignPen(LegendPen ? static_cast<TPen*>(LegendPen) : static_cast<TPen*>(&Series.Pen()));
    const TColor color = ValueIndex < 0 ? Series.SeriesColor() : Series.LegendItemColor(ValueIndex);
    TLegendSymbol& symbol = *m_legend->Symbol();
    if (symbol.Gradient()->Visible() || symbol.Pen()->Visible()) {
        symbol.DrawSymbol(canvas, R, color);
        return;
    }
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(color);
    canvas.Rectangle(R.Left, R.Top, R.Right, R.Bottom);
}

bool TCustomChart::IsFreeSeriesColor(TColor Color, bool CheckBackground, const TChartSeries* Series) const
{
    for (int i = 0; i < SeriesCount(); ++i) {
        const TChartSeries* s = this->Series(i);
        if (s != Series && s->SeriesColor() == Color)
            return false;
    }
    return !CheckBackground || Color != TCustomPlotPanel::Color();
}

void TCustomChart::DrawTitles(bool CustomPass)
{
    auto draw = [&](TChartTitle* title, const char* entity) {
        if (title->CustomPosition() == CustomPass)
            title->DrawTitle(entity);
    };
    draw(m_title.get(), "title");
    draw(m_subTitle.get(), "subtitle");
    draw(m_foot.get(), "foot");
    draw(m_subFoot.get(), "subfoot");
}

void TCustomChart::DrawTitlesAndLegend(bool BeforeSeries)
{
    TCanvas3D& canvas = *Canvas();
    canvas.Begin2DSection();
    const bool legendShown = m_legend->Visible();
    if (BeforeSeries) {
        if (legendShown && !m_legend->CustomPosition()) {
            if (m_legend->Vertical()) {
                m_legend->DrawLegend();
                DrawTitles(false);
            } else {
                DrawTitles(false);
                m_legend->DrawLegend();
            }
        } else {
            DrawTitles(false);
        }
    } else {
        if (legendShown && m_legend->CustomPosition())
            m_legend->DrawLegend();
        DrawTitles(true);
    }
    canvas.End2DSection();
}

void TCustomChart::Assign(const TCustomPlotPanel& Source)
{
    if (const auto* c = dynamic_cast<const TCustomChart*>(&Source); c && c != this) {
        SetColorPaletteIndex(c->m_colorPaletteIndex);
        m_foot->Assign(*c->m_foot);
        m_legend->Assign(*c->m_legend);
        m_scrollMouseButton = c->m_scrollMouseButton;
        m_subFoot->Assign(*c->m_subFoot);
        m_subTitle->Assign(*c->m_subTitle);
        m_title->Assign(*c->m_title);
    }
    TCustomAxisPanel::Assign(Source);
}
