#include "chart/chart_title.h"

#include <algorithm>

#include "chart/plot_html.h"

int ChartTextWidth(TPlotCanvas& Canvas, const std::string& Text, bool Html)
{
    return Html ? Canvas.HtmlTextExtent(Text).cx : Canvas.TextWidth(Text);
}

int AlignedTextX(TAlignment Alignment, int Left, int Right, int LineWidth, int WWidth)
{
    if (Alignment == taLeftJustify)
        return Left + WWidth / 2;
    if (Alignment == taRightJustify)
        return Right - LineWidth - WWidth / 2;
    return (Left + Right) / 2 - LineWidth / 2;
}

TChartTitle::TChartTitle(TCustomPlotPanel* Owner) : TPlotCustomShapePosition(Owner)
{
    InitTransparent(true);
    Font()->InitColor(clBlue);
}

const TPropertyTable<TPlotCustomShapeBrushPen>& TChartTitle::Properties()
{
    using S = TChartTitle;
    static const TPropertyTable<TPlotCustomShapeBrushPen> table =
        TPropertyTable<TPlotCustomShapeBrushPen>::Of<S>(TPlotCustomShapePosition::Properties())
            .Property("AdjustFrame", BooleanKind, TAccessors{&S::AdjustFrame, &S::SetAdjustFrame}, true)
            .Property("Alignment", EnumKind(AlignmentNames), TAccessors{&S::Alignment, &S::SetAlignment}, taCenter)
            .Object(
                "Text", [](const S& s) -> const TChartStrings* { return &s.Text(); },
                [](S& s) -> TChartStrings* { return &s.Text(); }, nullptr, TChartStrings::Properties())
            .Property("VertMargin", IntegerKind, TAccessors{&S::VertMargin, &S::SetVertMargin}, 5);
    return table;
}

void TChartTitle::SetAdjustFrame(bool Value) { SetValue(m_adjustFrame, Value); }
void TChartTitle::SetAlignment(TAlignment Value) { SetValue(m_alignment, Value); }
void TChartTitle::SetVertMargin(int Value) { SetValue(m_vertMargin, Value); }

void TChartTitle::SetCaption(const std::string& Caption)
{
    if (Caption.empty())
        m_text.SetLines({});
    else
        m_text.SetLines({Caption});
}

bool TChartTitle::Clicked(int X, int Y) const
{
    return Visible() && X >= ShapeBounds.Left && X <= ShapeBounds.Right && Y >= ShapeBounds.Top
        && Y <= ShapeBounds.Bottom;
}

void TChartTitle::Assign(const TPlotCustomShapeBrushPen& Source)
{
    if (&Source == this)
        return;
    if (const auto* t = dynamic_cast<const TChartTitle*>(&Source)) {
        m_adjustFrame = t->m_adjustFrame;
        m_alignment = t->m_alignment;
        m_text.Assign(t->m_text);
        m_vertMargin = t->m_vertMargin;
    }
    TPlotCustomShapePosition::Assign(Source);
}

void TChartTitle::DrawTitle(const std::string& Entity)
{
    TCustomPlotPanel* chart = ParentChart();
    if (!chart || !Visible() || m_text.Empty())
        return;
    TCanvas3D& canvas = *chart->Canvas();
    canvas.BeginEntity(Entity);
    const int lines = m_text.Count();
    const bool custom = CustomPosition();
    const bool html = TextFormat() == ttfHtml;

    int frame = Frame()->Visible() && Frame()->Color() != clDefault ? Frame()->Width() : 0;
    if (Bevel() != bvNone)
        frame = BevelWidth();

    TRect& b = ShapeBounds;
    if (!custom) {
        b = chart->ChartRect;
        if (m_onTop)
            b.Top += frame;
    }
    canvas.AssignFont(Font());
    canvas.SetTextAlign(0);
    const int h = canvas.TextHeight("W");
    if (!m_onTop && !custom)
        b.Top = b.Bottom - lines * h;
    else
        b.Bottom = b.Top + lines * h;
    if (!custom)
        b = TRect{b.Left - frame, b.Top - frame, b.Right + frame, b.Bottom + frame};

    const int wWidth = canvas.TextWidth("W");
    if (m_adjustFrame) {
        int widest = 0;
        for (int i = 0; i < lines; ++i)
            widest = std::max(widest, ChartTextWidth(canvas, m_text[i], html));
        const int total = widest + wWidth + frame;
        if (m_alignment == taLeftJustify) {
            b.Right = b.Left + total;
        } else if (m_alignment == taRightJustify) {
            b.Left = b.Right - total;
        } else {
            if (custom)
                b.Right = b.Left + total;
            const int c = (b.Left + b.Right) / 2;
            b.Left = c - total / 2;
            b.Right = c + total / 2;
        }
    }

    Draw();
    canvas.SetBackMode(cbmTransparent);
    auto lineX = [&](const std::string& line) {
        return AlignedTextX(m_alignment, b.Left, b.Right, ChartTextWidth(canvas, line, html), wWidth);
    };
    auto lineY = [&](int i) { return m_onTop ? b.Top + i * h + frame : b.Bottom - h - (i * h + frame); };
    // HTML lines are laid out one by one, each at its own line position
    for (int i = 0; i < lines; ++i)
        canvas.TextOutFormatted(lineX(m_text[i]), lineY(i), m_text[i], html);

    if (!custom && !chart->CustomChartRect) {
        int gap = m_vertMargin + frame;
        if (!Transparent() && Shadow()->Visible())
            gap += Shadow()->VertSize();
        if (m_onTop)
            chart->ChartRect.Top = b.Bottom + gap;
        else
            chart->ChartRect.Bottom = b.Bottom - gap - lines * h;
        chart->RecalcWidthHeight();
    }
    canvas.EndEntity();
}

TChartFootTitle::TChartFootTitle(TCustomPlotPanel* Owner) : TChartTitle(Owner)
{
    m_onTop = false;
    Font()->InitColor(clRed);
    Font()->InitStyle(fsItalic);
}
