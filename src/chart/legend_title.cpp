#include "chart/legend_title.h"

#include <algorithm>
#include <cstdlib>

TLegendTitle::TLegendTitle(TCustomPlotPanel* Owner) : TPlotShape(Owner)
{
    InitTransparent(true);
    Font()->InitStyle(Font()->Style());
    TPlotShadow* shadow = Shadow();
    shadow->InitColor(clSilver);
    shadow->InitSize(2);
}

const TPropertyTable<TPlotCustomShapeBrushPen>& TLegendTitle::Properties()
{
    using S = TLegendTitle;
    static const TPropertyTable<TPlotCustomShapeBrushPen> table =
        TPropertyTable<TPlotCustomShapeBrushPen>::Of<S>(TPlotCustomShape::Properties())
            .Object(
                "Text", [](const S& s) -> const TChartStrings* { return &s.Text(); },
                [](S& s) -> TChartStrings* { return &s.Text(); }, nullptr, TChartStrings::Properties())
            .Property("TextAlignment", EnumKind(AlignmentNames), TAccessors{&S::TextAlignment, &S::SetTextAlignment},
                      taLeftJustify);
    return table;
}

void TLegendTitle::SetTextAlignment(TAlignment Value)
{
    UpdateValue(m_textAlignment, Value, [this] { Repaint(); });
}

void TLegendTitle::Assign(const TPlotCustomShapeBrushPen& Source)
{
    if (&Source == this)
        return;
    if (const auto* t = dynamic_cast<const TLegendTitle*>(&Source)) {
        m_text.Assign(t->m_text);
        m_textAlignment = t->m_textAlignment;
    }
    TPlotCustomShape::Assign(Source);
}

int TLegendTitle::TitleWidth(TPlotCanvas& Canvas) const
{
    const bool html = TextFormat() == ttfHtml;
    int widest = 0;
    for (int i = 0; i < m_text.Count(); ++i)
        widest = std::max(widest, ChartTextWidth(Canvas, m_text[i], html));
    int width = widest + Canvas.TextWidth("W");
    if (!Transparent())
        width += FrameWidth();
    return width;
}

int TLegendTitle::TitleHeight(TPlotCanvas& Canvas) const
{
    int height = m_text.Count() * Canvas.TextHeight("W");
    if (!Transparent()) {
        height += 2;
        height += 2 * FrameWidth();
    }
    return height;
}

void TLegendTitle::Place(const TRect& R, int Height)
{
    ShapeBounds = TRect{R.Left + 2, R.Top + 2, R.Right - 2, R.Top + 2 + Height + 2};
    const TPlotShadow* shadow = ShadowIfAny();
    if (!Transparent() && shadow && shadow->Visible()) {
        if (shadow->HorizSize() <= 0)
            ShapeBounds.Left -= shadow->HorizSize();
        else
            ShapeBounds.Right -= shadow->HorizSize();
        if (shadow->VertSize() < 0)
            ShapeBounds.Top -= shadow->VertSize();
    }
}

void TLegendTitle::DrawTitle(TCanvas3D& Canvas)
{
    Draw();
    Canvas.AssignFont(Font());
    Canvas.SetTextAlign(0);
    Canvas.SetBackMode(cbmTransparent);
    const bool html = TextFormat() == ttfHtml;
    const int h = Canvas.TextHeight("W");
    const int wWidth = Canvas.TextWidth("W");
    const TRect& b = ShapeBounds;
    auto lineX = [&](const std::string& line) {
        return AlignedTextX(m_textAlignment, b.Left, b.Right, ChartTextWidth(Canvas, line, html), wWidth);
    };
    // HTML lines are laid out one by one, each at its own line position
    for (int i = 0; i < m_text.Count(); ++i)
        Canvas.TextOutFormatted(lineX(m_text[i]), b.Top + 1 + i * h, m_text[i], html);
}
