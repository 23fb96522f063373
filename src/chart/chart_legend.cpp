#include "chart/chart_legend.h"

#include <QPointer>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "chart/appearance_properties.h"
#include "chart/chart.h"
#include "chart/chart_series.h"

char LegendColumnSeparator = 6;

namespace {

int RoundInt(double v)
{
    return static_cast<int>(std::nearbyint(v));
}

// The chart's series as they are now: switching a series off takes its
// function's lines off the chart, so walks that switch series go over this.
std::vector<QPointer<TChartSeries>> SeriesOf(const TCustomAxisPanel& Chart)
{
    std::vector<QPointer<TChartSeries>> all;
    all.reserve(static_cast<std::size_t>(Chart.SeriesCount()));
    for (int i = 0; i < Chart.SeriesCount(); ++i)
        all.emplace_back(Chart.Series(i));
    return all;
}

// Text alignment flags of the canvas.
constexpr unsigned taLeftFlag = 0;
constexpr unsigned taRightFlag = 2;

// A white check box (or radio button) of 12 pixels at (X, Y).
void DrawCheckBox(TCanvas3D& Canvas, int X, int Y, bool Checked, bool Radio)
{
    Canvas.Pen()->SetStyle(psSolid);
    Canvas.Pen()->SetWidth(1);
    Canvas.Pen()->SetColor(clGray);
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(clWhite);
    if (Radio) {
        Canvas.Ellipse(X, Y, X + 12, Y + 12);
        if (Checked) {
            Canvas.Pen()->SetColor(clBlack);
            Canvas.Brush()->SetColor(clBlack);
            Canvas.Ellipse(X + 4, Y + 4, X + 8, Y + 8);
        }
        return;
    }
    Canvas.Rectangle(X, Y, X + 12, Y + 12);
    if (Checked) {
        Canvas.Pen()->SetColor(clBlack);
        for (int d = 0; d < 3; ++d) {
            Canvas.MoveTo(X + 3, Y + 5 + d);
            Canvas.LineTo(X + 5, Y + 7 + d);
            Canvas.LineTo(X + 10, Y + 2 + d);
        }
    }
}

}  // namespace

std::array<std::string, 2> SplitLegendColumns(const std::string& Text)
{
    std::array<std::string, 2> columns;
    const std::size_t first = Text.find(LegendColumnSeparator);
    columns[0] = Text.substr(0, first);
    if (first != std::string::npos) {
        const std::string rest = Text.substr(first + 1);
        columns[1] = rest.substr(0, rest.find(LegendColumnSeparator));
    }
    return columns;
}

TCustomChartLegend::TCustomChartLegend(TCustomChart* Chart) : TPlotCustomShapePosition(Chart), m_chart(Chart)
{
    InitColor(clWhite);
    m_symbol = std::make_unique<TLegendSymbol>([this] { Repaint(); }, [this] { return m_itemHeight; });
    m_dividingLines = std::make_unique<TChartHiddenPen>(Chart ? std::function<void()>([this] { Repaint(); })
                                                              : std::function<void()>());
    m_title = std::make_unique<TLegendTitle>(Chart);
}

TCustomChartLegend::~TCustomChartLegend() = default;

const TPropertyTable<TPlotCustomShapeBrushPen>& TCustomChartLegend::Properties()
{
    using L = TCustomChartLegend;
    static const TPropertyTable<TPlotCustomShapeBrushPen> table =
        TPropertyTable<TPlotCustomShapeBrushPen>::Of<L>(TPlotCustomShapePosition::Properties())
            .Property("Alignment", EnumKind(LegendAlignmentNames), TAccessors{&L::Alignment, &L::SetAlignment},
                      laRight)
            .Property("CheckBoxes", BooleanKind, TAccessors{&L::CheckBoxes, &L::SetCheckBoxes}, false)
            .Property("CheckBoxesStyle", EnumKind(CheckBoxesStyleNames),
                      TAccessors{&L::CheckBoxesStyle, &L::SetCheckBoxesStyle}, cbsCheck)
            .Property("ColorWidth", IntegerKind, TAccessors{&L::ColorWidth, &L::SetColorWidth}, 20)
            .NotAssigned()
            .Property("CurrentPage", BooleanKind, TAccessors{&L::CurrentPage, &L::SetCurrentPage}, true)
            .Object(
                "DividingLines", [](const L& l) -> const TChartPen* { return l.DividingLines(); },
                [](L& l) -> TChartPen* { return l.DividingLines(); }, nullptr, ChartPenProperties())
            .Property("FirstValue", IntegerKind, TAccessors{&L::FirstValue, &L::SetFirstValue}, 0)
            .Property("FontSeriesColor", BooleanKind, TAccessors{&L::FontSeriesColor, &L::SetFontSeriesColor}, false)
            .Property("HorizMargin", IntegerKind, TAccessors{&L::HorizMargin, &L::SetHorizMargin}, 0)
            .Property("Inverted", BooleanKind, TAccessors{&L::Inverted, &L::SetInverted}, false)
            .Property("LeftPercent", IntegerKind, TAccessors{&L::LeftPercent, &L::SetLeftPercent}, 0)
            .Property("LegendStyle", EnumKind(LegendStyleNames), TAccessors{&L::LegendStyle, &L::SetLegendStyle},
                      lsAuto)
            .Property("MaxNumRows", IntegerKind, TAccessors{&L::MaxNumRows, &L::SetMaxNumRows}, 10)
            .Property("PositionUnits", EnumKind(PlotUnitsNames), TAccessors{&L::PositionUnits, &L::SetPositionUnits},
                      muPixels)
            .Property("ResizeChart", BooleanKind, TAccessors{&L::ResizeChart, &L::SetResizeChart}, true)
            .Object(
                "Symbol", [](const L& l) -> const TLegendSymbol* { return l.Symbol(); },
                [](L& l) -> TLegendSymbol* { return l.Symbol(); }, nullptr, TLegendSymbol::Properties())
            .Property("TextStyle", EnumKind(LegendTextStyleNames), TAccessors{&L::TextStyle, &L::SetTextStyle},
                      ltsLeftValue)
            .Object(
                "Title", [](const L& l) -> const TPlotCustomShapeBrushPen* { return l.Title(); },
                [](L& l) -> TPlotCustomShapeBrushPen* { return l.Title(); }, nullptr, TLegendTitle::Properties())
            .Property("TopPos", IntegerKind, TAccessors{&L::TopPos, &L::SetTopPos}, 10)
            .Property("TopPercent", IntegerKind, TAccessors{&L::TopPercent, &L::SetTopPercent}, 0)
            .Property("VertMargin", IntegerKind, TAccessors{&L::VertMargin, &L::SetVertMargin}, 0)
            .Property("VertSpacing", IntegerKind, TAccessors{&L::VertSpacing, &L::SetVertSpacing}, 0);
    return table;
}

// ---- setters ----

void TCustomChartLegend::SetCheckBoxesStyle(TCheckBoxesStyle Value)
{
    if (m_checkBoxesStyle == Value)
        return;
    m_checkBoxesStyle = Value;
    if (Value == cbsRadio && m_chart) {
        bool first = true;
        for (const QPointer<TChartSeries>& s : SeriesOf(*m_chart)) {
            if (!s || s->ParentChart() != m_chart || !s->Active() || !s->ShowInLegend())
                continue;
            if (!first)
                s->SetActive(false);
            first = false;
        }
    }
    Repaint();
}

void TCustomChartLegend::SetDividingLines(const TChartPen* Value)
{
    if (Value && Value != m_dividingLines.get())
        m_dividingLines->Assign(*Value);
}

void TCustomChartLegend::SetFirstValue(int Value)
{
    if (Value < 0)
        throw LegendException("First Legend Value must be > 0");
    SetValue(m_firstValue, Value);
}

void TCustomChartLegend::SetLegendStyle(TLegendStyle Value)
{
    SetValue(m_legendStyle, Value);
}

void TCustomChartLegend::SetSeries(TChartSeries* Value)
{
    if (m_series.data() == Value)
        return;
    m_series = Value;
    Repaint();
}

void TCustomChartLegend::SetSymbol(const TLegendSymbol* Value)
{
    if (Value && Value != m_symbol.get())
        m_symbol->Assign(*Value);
}

void TCustomChartLegend::SetTitle(const TLegendTitle* Value)
{
    if (Value && Value != m_title.get())
        m_title->Assign(*Value);
}

void TCustomChartLegend::Assign(const TPlotCustomShapeBrushPen& Source)
{
    if (&Source == this)
        return;
    if (const auto* l = dynamic_cast<const TCustomChartLegend*>(&Source)) {
        m_alignment = l->m_alignment;
        m_checkBoxes = l->m_checkBoxes;
        m_checkBoxesStyle = l->m_checkBoxesStyle;
        m_currentPage = l->m_currentPage;
        m_dividingLines->Assign(*l->m_dividingLines);
        m_firstValue = l->m_firstValue;
        m_fontSeriesColor = l->m_fontSeriesColor;
        m_horizMargin = l->m_horizMargin;
        m_inverted = l->m_inverted;
        m_leftPercent = l->m_leftPercent;
        m_legendStyle = l->m_legendStyle;
        m_maxNumRows = l->m_maxNumRows;
        m_positionUnits = l->m_positionUnits;
        m_resizeChart = l->m_resizeChart;
        m_symbol->Assign(*l->m_symbol);
        m_textStyle = l->m_textStyle;
        m_title->Assign(*l->m_title);
        m_topPos = l->m_topPos;
        m_topPercent = l->m_topPercent;
        m_vertMargin = l->m_vertMargin;
        m_vertSpacing = l->m_vertSpacing;
    }
    TPlotCustomShapePosition::Assign(Source);
}

// ---- resolution, counts and texts ----

TLegendStyle TCustomChartLegend::ResolvedStyle() const
{
    if (m_legendStyle != lsAuto)
        return m_legendStyle;
    // a function's own lines (signal, bands) are no series of the user's
    int active = 0;
    for (int i = 0; m_chart && i < m_chart->SeriesCount(); ++i) {
        const TChartSeries* s = m_chart->Series(i);
        if (s->Active() && !s->OwnedByFunction())
            ++active;
    }
    return !m_checkBoxes && active < 2 ? lsValues : lsSeries;
}

TChartSeries* TCustomChartLegend::LegendSeries() const
{
    if (!m_chart)
        return m_series.data();
    // a series taken off this chart no longer stands for the legend
    if (m_series && m_series->ParentChart() == m_chart)
        return m_series.data();
    for (int i = 0; i < m_chart->SeriesCount(); ++i) {
        TChartSeries* s = m_chart->Series(i);
        if (s->Active() && s->ShowInLegend())
            return s;
    }
    return nullptr;
}

TChartSeries* TCustomChartLegend::ShownSeries(int Index) const
{
    return m_chart ? m_chart->SeriesLegend(Index, !m_checkBoxes) : nullptr;
}

int TCustomChartLegend::ItemCount(TLegendStyle Style) const
{
    if (!m_chart)
        return 0;
    int n = 0;
    switch (Style) {
    case lsSeries:
    case lsLastValues:
        for (int i = 0; i < m_chart->SeriesCount(); ++i) {
            const TChartSeries* s = m_chart->Series(i);
            if (s->ShowInLegend() && (m_checkBoxes || s->Active()))
                ++n;
        }
        n -= m_firstValue;
        break;
    case lsValues:
        if (const TChartSeries* s = LegendSeries(); s && s->ShowInLegend())
            n = s->Count() - m_firstValue;
        break;
    case lsSeriesGroups:
        n = m_chart->SeriesGroups().Count();
        break;
    case lsAuto:
        break;
    }
    return std::max(n, 0);
}

std::string TCustomChartLegend::ItemText(TLegendStyle Style, int Index) const
{
    if (!m_chart)
        return {};
    switch (Style) {
    case lsSeries:
        if (const TChartSeries* s = ShownSeries(Index))
            return s->TitleOrName();
        return {};
    case lsValues:
        if (const TChartSeries* s = LegendSeries())
            return m_chart->LegendText(*s, Index);
        return {};
    case lsLastValues:
        if (const TChartSeries* s = ShownSeries(Index))
            return m_chart->LegendText(*s, s->Count() - 1);
        return {};
    case lsSeriesGroups:
        if (Index >= 0 && Index < m_chart->SeriesGroups().Count())
            return m_chart->SeriesGroups().Items(Index).Name();
        return {};
    case lsAuto:
        break;
    }
    return {};
}

void TCustomChartLegend::CalcTexts(TLegendStyle Style)
{
    m_texts.clear();
    for (int i = m_firstValue; i <= m_lastValue; ++i) {
        std::string text = ItemText(Style, i);
        if (m_chart && m_chart->OnGetLegendText)
            m_chart->OnGetLegendText(*m_chart, Style, i, text);
        m_texts.push_back(SplitLegendColumns(text));
    }
}

std::string TCustomChartLegend::TextOf(int Index, int Column) const
{
    const int slot = Index - m_firstValue;
    if (m_items.Custom)
        if (const TLegendItem* item = m_items.Existing(slot))
            return Column == 0 ? item->Text() : item->Text2();
    if (slot < 0 || slot >= static_cast<int>(m_texts.size()))
        return {};
    return m_texts[static_cast<std::size_t>(slot)][static_cast<std::size_t>(Column)];
}

void TCustomChartLegend::CalcColumnWidths(TCanvas3D& Canvas)
{
    const bool html = TextFormat() == ttfHtml;
    m_columnWidths = {0, 0};
    for (int i = m_firstValue; i <= m_lastValue; ++i)
        for (int c = 0; c < 2; ++c)
            m_columnWidths[static_cast<std::size_t>(c)] =
                std::max(m_columnWidths[static_cast<std::size_t>(c)], ChartTextWidth(Canvas, TextOf(i, c), html));
    m_textWidth = 0;
    for (int w : m_columnWidths)
        if (w > 0)
            m_textWidth += w + m_spaceWidth - 1;
}

int TCustomChartLegend::CalcSymbolWidth() const
{
    if (!m_symbol->Visible())
        return 0;
    if (m_symbol->Squared())
        return m_itemHeight - 5;
    if (m_symbol->WidthUnits() == lcsPercent)
        return RoundInt(m_symbol->Width() * m_textWidth * 0.01);
    return m_symbol->Width();
}

int TCustomChartLegend::Fit(int Start, int Size, int FrameWidth) const
{
    const TCustomChart& c = *m_chart;
    const bool vertical = Vertical();
    const int farEdge = vertical ? c.ChartRect.Bottom : c.ChartRect.Right;
    if (farEdge <= Start || Size < 1)
        return 0;
    const int n = vertical ? (c.ChartHeight - 2 * FrameWidth - Start + c.ChartRect.Top) / Size
                           : (c.ChartWidth - 2 * FrameWidth - 8) / Size;
    return std::max(0, std::min(n, m_totalItems));
}

int TCustomChartLegend::ExtraSpace()
{
    int extra = 0;
    if (OnExtraSpace)
        OnExtraSpace(*this, extra);
    m_extraSpace = extra;
    return extra;
}

int TCustomChartLegend::CalcHeight(int TitleHeight)
{
    int height = m_itemHeight * m_rows + 2 + 2 * m_innerMargin;
    if (m_hasTitle) {
        height += TitleHeight + 4;
        if (!m_title->Transparent() && m_title->Shadow()->Visible())
            height += std::abs(m_title->Shadow()->VertSize());
    }
    // room for the last symbol's shadow as drawn (a blurred one reaches further than its offset)
    const int shadowReach = m_symbol->Visible() ? m_symbol->Shadow()->VertReach() : 0;
    if (shadowReach > m_itemHeight / 6)
        height += shadowReach - m_itemHeight / 6;
    return height;
}

void TCustomChartLegend::CalcVerticalWidth(int FrameWidth, int TitleWidth, bool CheckBoxes)
{
    const TCustomChart& c = *m_chart;
    int width = m_textWidth + 12;
    if (ResolvedStyle() != lsSeriesGroups) {
        width += m_symbolWidth + m_symbol->Shadow()->HorizReach();
    }
    width += ExtraSpace();
    if (m_hasTitle)
        width = std::max(width, TitleWidth);
    TRect& b = ShapeBounds;
    if (!CustomPosition()) {
        if (m_alignment == laRight) {
            b.Right = c.ChartRect.Right - (Shadow()->Visible() ? Shadow()->HorizSize() : 0) - (FrameWidth + 1);
            b.Left = b.Right - width;
            if (CheckBoxes)
                b.Left -= 15;
        } else {
            b.Left = c.ChartRect.Left + FrameWidth + 1;
        }
    }
    m_itemsX = b.Left;
    if (CheckBoxes) {
        m_checkBoxX = b.Left + 4;
        m_itemsX = b.Left + 15;
    }
    b.Right = m_itemsX + width;
}

void TCustomChartLegend::CalcHorizontalWidth(int TitleWidth, bool CheckBoxes)
{
    const TCustomChart& c = *m_chart;
    const int cols = m_columns;
    int width = (m_textWidth + m_symbolWidth) * cols + 8 + (cols - 1) * 6 + 4 + 2 * cols;
    if (CheckBoxes)
        width += 15 * cols + 4;
    if (m_hasTitle)
        width = std::max(width, TitleWidth);
    width = std::min(width, c.ChartWidth);
    const int half = width / 2;
    TRect& b = ShapeBounds;
    if (!CustomPosition())
        b.Left = c.ChartXCenter - half + RoundInt(m_topPos * (c.ChartBounds.Width() - 2 * half) * 0.01);
    b.Right = b.Left + 2 * half;
    m_itemsX = b.Left;
    if (CheckBoxes) {
        m_checkBoxX = b.Left + 4;
        m_itemsX = b.Left + 15;
    }
}

void TCustomChartLegend::DrawLegend()
{
    if (!m_chart)
        return;
    TCustomChart& chart = *m_chart;
    TCanvas3D& canvas = *chart.Canvas();
    canvas.BeginEntity("Legend");
    const TLegendStyle style = ResolvedStyle();

    int frame = Frame()->Visible() ? Frame()->Width() : 0;
    if (Bevel() != bvNone)
        frame = BevelWidth();
    m_frameWidth = frame;

    TRect& b = ShapeBounds;
    const bool custom = CustomPosition();
    if (custom && m_positionUnits == muPercent) {
        const int w = b.Right - b.Left;
        const int h = b.Bottom - b.Top;
        b.Left = RoundInt(m_leftPercent * chart.width() * 0.01);
        b.Top = RoundInt(m_topPercent * chart.height() * 0.01);
        b.Right = b.Left + w;
        b.Bottom = b.Top + h;
    }
    const TPoint origin{chart.ChartBounds.Left, chart.ChartBounds.Top};
    if (custom)
        b = TRect{b.Left + origin.X, b.Top + origin.Y, b.Right + origin.X, b.Bottom + origin.Y};

    const int perPage = chart.Pages().MaxPointsPerPage();
    const bool paging = style == lsValues && m_currentPage && perPage > 0;
    if (paging)
        m_firstValue = (chart.Pages().Current() - 1) * perPage;
    else if (perPage > 0)
        m_firstValue = 0;

    m_totalItems = ItemCount(style);
    if (paging)
        m_totalItems = std::min(m_totalItems, perPage);

    const bool checkBoxes = CheckBoxesShown();
    chart.LegendColor = Color();
    canvas.AssignFont(Font());
    m_spaceWidth = canvas.TextWidth(" ");
    m_itemHeight = canvas.TextHeight("W");
    if (checkBoxes)
        m_itemHeight = std::max(m_itemHeight, 17);
    m_itemHeight += m_vertSpacing;
    if (Vertical() && m_dividingLines->Visible())
        m_itemHeight += m_dividingLines->Width();

    m_hasTitle = m_title->Visible() && !m_title->Text().Empty();
    int titleHeight = 0;
    int titleWidth = 0;
    if (m_hasTitle) {
        canvas.AssignFont(m_title->Font());
        titleHeight = m_title->TitleHeight(canvas);
        titleWidth = m_title->TitleWidth(canvas);
        canvas.AssignFont(Font());
    }
    auto itemsTop = [&] {
        int top = b.Top;
        if (m_hasTitle) {
            top += titleHeight + 2;
            if (!m_title->Transparent() && m_title->Shadow()->Visible())
                top += std::abs(m_title->Shadow()->VertSize());
        }
        return top;
    };
    m_innerMargin = RoundInt(m_itemHeight * 0.1);

    if (Vertical()) {
        if (!custom)
            b.Top = chart.ChartBounds.Top + RoundInt(m_topPos * chart.ChartBounds.Height() * 0.01);
        m_columns = 1;
        m_itemsTop = itemsTop();
        m_rows = Fit(m_itemsTop, m_itemHeight, frame);
        m_lastValue = m_firstValue + std::min(m_totalItems, m_rows) - 1;
        CalcTexts(style);
        CalcColumnWidths(canvas);
        m_symbolWidth = CalcSymbolWidth();
    } else {
        m_lastValue = m_firstValue + m_totalItems - 1;
        CalcTexts(style);
        CalcColumnWidths(canvas);
        m_symbolWidth = CalcSymbolWidth();
        m_extraSpace = 0;
        if (!custom) {
            if (m_alignment == laBottom) {
                // the room below a bottom legend goes through the extra-space hook
                int below = frame + 1;
                if (Shadow()->Visible())
                    below += Shadow()->VertSize();
                if (OnExtraSpace)
                    OnExtraSpace(*this, below);
                b.Bottom = chart.ChartRect.Bottom - below;
            } else {
                b.Top = chart.ChartRect.Top + frame + 1;
            }
        }
        int itemWidth = m_symbolWidth + m_textWidth + 8;
        if (checkBoxes)
            itemWidth += 27;
        m_columns = Fit(chart.ChartRect.Left, itemWidth, frame);
        m_rows = m_columns > 0 ? std::min((m_totalItems + m_columns - 1) / m_columns, m_maxNumRows) : 0;
        m_lastValue = m_firstValue + std::min(m_totalItems, m_columns * m_rows) - 1;
    }

    if (m_lastValue >= m_firstValue) {
        const int height = CalcHeight(titleHeight);
        if (m_alignment == laBottom && !custom)
            b.Top = b.Bottom - height;
        else
            b.Bottom = b.Top + height;
        m_itemsTop = itemsTop();
        if (Vertical())
            CalcVerticalWidth(frame, titleWidth, checkBoxes);
        else
            CalcHorizontalWidth(titleWidth, checkBoxes);
        if (chart.OnGetLegendRect)
            chart.OnGetLegendRect(chart, b);
        if (m_symbol->Position() == spLeft) {
            m_symbolX = m_itemsX + 6;
            // the texts start clear of the symbol's shadow as drawn
            m_textX = m_symbolX + m_symbolWidth + 4 + m_symbol->Shadow()->HorizReach();
        } else {
            m_textX = m_itemsX + 6;
            m_symbolX = m_textX + m_textWidth;
        }
        Draw();
        if (m_hasTitle) {
            m_title->Place(b, titleHeight);
            m_title->DrawTitle(canvas);
            canvas.AssignFont(Font());
        }
        DrawItems(canvas, style, checkBoxes);
        ResizeChartRect();
    }
    if (custom)
        b = TRect{b.Left - origin.X, b.Top - origin.Y, b.Right - origin.X, b.Bottom - origin.Y};
    m_texts.clear();
    canvas.EndEntity();
}

void TCustomChartLegend::ResizeChartRect()
{
    TCustomChart& c = *m_chart;
    if (c.CustomChartRect || !m_resizeChart || CustomPosition())
        return;
    const TRect& b = ShapeBounds;
    switch (m_alignment) {
    case laLeft:
        c.ChartRect.Left = b.Right;
        break;
    case laRight:
        c.ChartRect.Right = b.Left;
        break;
    case laTop:
        c.ChartRect.Top = b.Bottom;
        if (c.Shadow()->Visible())
            c.ChartRect.Top += c.Shadow()->VertSize();
        break;
    case laBottom:
        c.ChartRect.Bottom = b.Top;
        break;
    }
    int gap;
    if (Vertical())
        gap = m_horizMargin != 0 ? m_horizMargin : c.ChartWidth * 3 / 100;
    else
        gap = m_vertMargin != 0 ? m_vertMargin : c.ChartHeight * 4 / 100;
    switch (m_alignment) {
    case laLeft: c.ChartRect.Left += gap; break;
    case laRight: c.ChartRect.Right -= gap; break;
    case laTop: c.ChartRect.Top += gap; break;
    case laBottom: c.ChartRect.Bottom -= gap; break;
    }
    c.RecalcWidthHeight();
}

void TCustomChartLegend::DrawItems(TCanvas3D& Canvas, TLegendStyle Style, bool CheckBoxes)
{
    if (!m_items.Custom)
        m_items.ClearItems();
    int p = 0;
    if (m_inverted) {
        for (int i = m_lastValue; i >= m_firstValue; --i, ++p)
            if (p < m_totalItems)
                DrawItem(Canvas, Style, i, p, CheckBoxes);
    } else {
        for (int i = m_firstValue; i <= m_lastValue; ++i, ++p)
            if (p < m_totalItems)
                DrawItem(Canvas, Style, i, p, CheckBoxes);
    }
}

void TCustomChartLegend::DrawItem(TCanvas3D& Canvas, TLegendStyle Style, int Index, int Position, bool CheckBoxes)
{
    TCustomChart& chart = *m_chart;
    Canvas.Brush()->SetColor(Color());
    Canvas.Brush()->SetStyle(bsClear);
    Canvas.SetBackMode(cbmTransparent);
    chart.SetLegendSymbolPen(m_symbol->DefaultPen() ? nullptr : m_symbol->Pen());

    int textX = m_textX;
    int symbolX = m_symbolX;
    int y = m_itemsTop + 1 + m_innerMargin;
    int row;
    int columnOffset = 0;
    if (!Vertical()) {
        row = Position / m_columns;
        columnOffset = (Position % m_columns) * (m_textWidth + m_symbolWidth + (CheckBoxes ? 23 : 8));
        textX += columnOffset;
        symbolX += columnOffset;
    } else {
        row = Position;
    }
    y += m_itemHeight * row + m_vertSpacing / 2;
    if (chart.OnGetLegendPos)
        chart.OnGetLegendPos(chart, Index, textX, y, symbolX);

    TChartSeries* series = nullptr;
    int valueIndex = -1;
    if (Style == lsSeries || Style == lsLastValues) {
        series = ShownSeries(Index);
    } else if (Style == lsValues) {
        series = LegendSeries();
        valueIndex = series ? series->LegendToValueIndex(Index) : -1;
    }

    Canvas.AssignFont(Font());
    if (m_fontSeriesColor && series)
        Canvas.Font()->SetColor(Style == lsValues ? series->LegendItemColor(valueIndex) : series->SeriesColor());

    // the two text columns
    TLegendItem* custom = m_items.Custom ? m_items.Existing(Position) : nullptr;
    TLegendItem* item = m_items.Custom ? custom : m_items.Item(Position);
    int x = custom ? custom->Left : textX - 2;
    const int left = x;
    unsigned firstAlign = taLeftFlag;
    const bool html = TextFormat() == ttfHtml;
    for (int c = 0; c < 2; ++c) {
        const std::string text = TextOf(Index, c);
        bool right = false;
        if (Style != lsSeries) {
            const TLegendTextStyle ts = m_textStyle;
            if (c == 0)
                right = ts == ltsLeftValue || ts == ltsLeftPercent || ts == ltsXValue || ts == ltsValue
                     || ts == ltsPercent || ts == ltsXAndValue || ts == ltsXAndPercent;
            else
                right = ts == ltsRightValue || ts == ltsRightPercent || ts == ltsXAndValue || ts == ltsXAndPercent;
        }
        const int width = m_columnWidths[static_cast<std::size_t>(c)];
        if (c == 0)
            firstAlign = right ? taRightFlag : taLeftFlag;
        if (!text.empty() && right) {
            Canvas.SetTextAlign(taRightFlag);
            Canvas.TextOutFormatted(x + width, y, text, html);
        } else if (!text.empty()) {
            Canvas.SetTextAlign(taLeftFlag);
            Canvas.TextOutFormatted(x, y, text, html);
        }
        x += width + m_spaceWidth;
    }
    Canvas.SetTextAlign(taLeftFlag);
    if (!m_items.Custom && item) {
        item->Left = left;
        item->Top = y;
        item->Align = static_cast<int>(firstAlign);
        TRect r{symbolX, y + 2, symbolX + m_symbolWidth, y + m_itemHeight + 1 - (m_vertSpacing + 3)};
        if (m_symbol->Continuous()) {
            if (Position > 0)
                r.Top = y;
            if (Position < m_totalItems - 1 && Index != (m_inverted ? m_firstValue : m_lastValue))
                r.Bottom = y + m_itemHeight + 1;
        }
        item->SymbolRect = r;
    }
    const TRect symbolRect = item ? item->SymbolRect
                                  : TRect{symbolX, y + 2, symbolX + m_symbolWidth,
                                          y + m_itemHeight + 1 - (m_vertSpacing + 3)};

    // check box and symbol
    const int boxX = m_checkBoxX + columnOffset;
    const int boxY = y + (m_itemHeight - m_vertSpacing - 11) / 2 - 1;
    const bool radio = m_checkBoxesStyle == cbsRadio;
    if (Style == lsSeriesGroups) {
        if (m_checkBoxes && Index < chart.SeriesGroups().Count())
            DrawCheckBox(Canvas, boxX, boxY, chart.SeriesGroups().Items(Index).Active() != gaNo, radio);
    } else {
        if (CheckBoxes && series && (Style == lsSeries || Style == lsLastValues))
            DrawCheckBox(Canvas, boxX, boxY, series->Active(), radio);
        if (m_symbol->OnDraw) {
            m_symbol->OnDraw(this, series, Style == lsValues ? valueIndex : -1, symbolRect);
        } else if (m_symbolWidth > 0) {
            if (series)
                series->DrawLegend(Style == lsValues ? valueIndex : -1, symbolRect);
            else
                m_symbol->DrawSymbol(Canvas, symbolRect, Color());
        }
    }

    // dividing lines
    if (m_dividingLines->Visible() && Position > 0 && (Vertical() || row == 0)) {
        const int h = Frame()->Visible() ? (m_frameWidth + 1) / 2 : 0;
        Canvas.AssignPen(m_dividingLines.get());
        Canvas.Brush()->SetStyle(bsClear);
        const TRect& b = ShapeBounds;
        if (Vertical()) {
            const int ly = y - m_vertSpacing / 2;
            Canvas.Line(b.Left + h, ly, b.Right - h, ly);
        } else {
            const int lx = b.Left + columnOffset + 2;
            Canvas.Line(lx, b.Top + h, lx, b.Bottom - h);
        }
    }
}

// ---- hit tests ----

int TCustomChartLegend::Clicked(int X, int Y) const
{
    TRect b = ShapeBounds;
    b.Right -= m_extraSpace;
    if (!(X >= b.Left && X <= b.Right && Y >= b.Top && Y <= b.Bottom))
        return -1;
    int row = -1;
    for (int r = 0; r < m_rows; ++r) {
        const int top = m_itemsTop + 1 + m_itemHeight * r;
        if (Y >= top && Y <= top + m_itemHeight) {
            row = m_inverted ? m_rows - 1 - r : r;
            break;
        }
    }
    if (row < 0)
        return -1;
    if (Vertical())
        return row + m_firstValue;
    if (m_columns <= 0)
        return -1;
    const int w = (b.Right - b.Left) / m_columns;
    int column = -1;
    for (int c = 0; c < m_columns; ++c) {
        const int left = b.Left + 1 + c * w;
        if (X >= left && X <= left + w) {
            column = c;
            break;
        }
    }
    if (column < 0)
        return -1;
    int index;
    if (m_inverted) {
        index = row * m_columns + (m_columns - column - 1);
        const int r = (m_lastValue - m_firstValue + 1) % m_columns;
        if (r > 0)
            index -= m_columns - r;
    } else {
        index = row * m_columns + column;
    }
    if (index > m_totalItems - 1)
        return -1;
    return index + m_firstValue;
}

bool TCustomChartLegend::DoMouseDown(int Index)
{
    if (!m_chart || Index < 0)
        return false;
    const TLegendStyle style = ResolvedStyle();
    const bool shown = CheckBoxesShown();
    if (!shown)
        return false;
    TCustomChart& chart = *m_chart;
    if (style == lsSeriesGroups) {
        TSeriesGroups& groups = chart.SeriesGroups();
        if (Index >= groups.Count())
            return true;
        if (m_checkBoxesStyle == cbsCheck) {
            TSeriesGroup& g = groups.Items(Index);
            g.SetActive(g.Active() == gaNo ? gaYes : gaNo);
        } else {
            // the others first: a series also in the chosen group stays on
            for (int i = 0; i < groups.Count(); ++i)
                if (i != Index)
                    groups.Items(i).SetActive(gaNo);
            groups.Items(Index).SetActive(gaYes);
        }
        return true;
    }
    TChartSeries* target = ShownSeries(Index);
    if (!target)
        return true;
    if (m_checkBoxesStyle == cbsCheck) {
        target->SetActive(!target->Active());
    } else {
        for (const QPointer<TChartSeries>& s : SeriesOf(chart))
            if (s && s->ParentChart() == &chart && s->ShowInLegend())
                s->SetActive(s == target);
    }
    return true;
}
