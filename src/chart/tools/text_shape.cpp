#include "chart/tools/text_shape.h"

#include "chart/plot_canvas.h"
#include "chart/plot_panel.h"
#include "chart/plot_procs.h"

namespace {
constexpr const char* kAlignmentNames[] = {"taLeftJustify", "taRightJustify", "taCenter"};
// text alignment flags of the device
constexpr unsigned kTaLeft = 0;
constexpr unsigned kTaRight = 2;
constexpr unsigned kTaCenter = 6;
}  // namespace

std::string TextShapeLines(const std::string& Text)
{
    std::string s;
    s.reserve(Text.size());
    for (const char c : Text)
        if (c != '\n')
            s.push_back(c);
    return s.empty() ? std::string(" ") : s;
}

int TextLineCount(const std::string& Text)
{
    int count = 1;
    const char sep = LineSeparator();
    for (const char c : Text)
        if (c == sep)
            ++count;
    return count;
}

int TextShapeOriginX(TAlignment Alignment, const TRect& R, int LeftMargin, int RightMargin, int FramePad)
{
    switch (Alignment) {
    case taCenter:
        return (LeftMargin + R.Left + R.Right - RightMargin) / 2 + 1;
    case taRightJustify:
        return R.Right - RightMargin;
    case taLeftJustify:
        break;
    }
    return R.Left + LeftMargin + FramePad;
}

TTextShape::TTextShape(TCustomPlotPanel* Owner) : TPlotShapePosition(Owner)
{
    m_margins.OnChange = [this] { Repaint(); };
}

const TPropertyTable<TPlotCustomShapeBrushPen>& TTextShape::Properties()
{
    using S = TTextShape;
    static const TPropertyTable<TPlotCustomShapeBrushPen> table =
        TPropertyTable<TPlotCustomShapeBrushPen>::Of<S>(TPlotCustomShapePosition::Properties())
            .Property("AutoSize", BooleanKind, TAccessors{&S::AutoSize, &S::SetAutoSize},
                      TInstanceDefault{&S::DefaultAutoSize})
            .Property("ClipText", BooleanKind, TAccessors{&S::ClipText, &S::SetClipText}, true)
            .Property("Cursor", IntegerKind, TAccessors{&S::Cursor, &S::SetCursor}, TInstanceDefault{&S::DefaultCursor})
            .Property("TextAlignment", EnumKind(kAlignmentNames),
                      TAccessors{&S::TextAlignment, &S::SetTextAlignment}, taLeftJustify)
            .Object(
                "Margins", [](const S& s) { return &s.m_margins; }, [](S& s) { return &s.m_margins; }, nullptr,
                TMargins::Properties())
            .Property("Text", StringKind, TAccessors{&S::Text, [](S& s, std::string v) { s.SetText(v); }},
                      std::string());
    return table;
}

void TTextShape::SetAutoSize(bool Value) { SetAndRepaint(m_autoSize, Value); }
void TTextShape::SetClipText(bool Value) { SetAndRepaint(m_clipText, Value); }
void TTextShape::SetTextAlignment(TAlignment Value) { SetAndRepaint(m_textAlignment, Value); }
void TTextShape::SetText(const std::string& Value) { SetAndRepaint(m_text, Value); }

void TTextShape::Assign(const TPlotCustomShapeBrushPen& Source)
{
    if (const auto* s = dynamic_cast<const TTextShape*>(&Source)) {
        m_autoSize = s->m_autoSize;
        m_clipText = s->m_clipText;
        m_cursor = s->m_cursor;
        m_margins.Assign(s->m_margins);
        m_text = s->m_text;
        m_textAlignment = s->m_textAlignment;
    }
    TPlotShapePosition::Assign(Source);
}

void TTextShape::DrawText(const TRect& Rect, int LineCount, int XOffset)
{
    TCustomPlotPanel* chart = ParentChart();
    if (!chart)
        return;
    TCanvas3D& c = *chart->Canvas();
    TRect r = Rect;
    r.Left += chart->ChartBounds.Left;
    r.Right += chart->ChartBounds.Left;
    r.Top += chart->ChartBounds.Top;
    r.Bottom += chart->ChartBounds.Top;
    if (Visible())
        DrawInRect(r);
    if (m_clipText)
        c.ClipRectangle(r);
    c.SetBackMode(cbmTransparent);
    const int framePad = Frame()->Visible() ? Frame()->Width() : 0;
    const int x = TextShapeOriginX(m_textAlignment, r, m_margins.LeftPixels(), m_margins.RightPixels(), framePad);
    c.SetTextAlign(m_textAlignment == taCenter ? kTaCenter : m_textAlignment == taRightJustify ? kTaRight : kTaLeft);
    c.AssignFont(Font());
    const int lineHeight = c.FontHeight();
    const std::string s = TextShapeLines(m_text);
    const std::string sep(1, LineSeparator());
    const int y0 = r.Top + m_margins.TopPixels();
    for (int i = 1; i <= LineCount; ++i)
        c.TextOutFormatted(XOffset + x, y0 + (i - 1) * lineHeight, ExtractFieldSep(s, i, sep), TextFormat() == ttfHtml);
    if (m_clipText)
        c.UnClip();
}
