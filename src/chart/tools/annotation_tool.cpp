#include "chart/tools/annotation_tool.h"

#include <algorithm>
#include <cmath>

#include "chart/chart_messages.h"
#include "chart/plot_panel.h"
#include "chart/plot_procs.h"
#include "chart/tools/tool_chart.h"
#include "chart/tools/tool_geometry.h"

namespace {
constexpr const char* kPositionNames[] = {"ppLeftTop", "ppLeftBottom", "ppRightTop", "ppRightBottom", "ppCenter"};
constexpr const char* kUnitNames[] = {"muPercent", "muPixels"};
constexpr const char* kAlignNames[] = {"taLeftJustify", "taRightJustify", "taCenter"};
constexpr TShiftState kDoubleClick = 64;
}  // namespace

// ---- TAnnotationCallout ----

TAnnotationCallout::TAnnotationCallout() : TCallout(nullptr)
{
    InitVisible(false);
    Arrow()->SetVisible(false);
}

const TPropertyTable<TPlotCustomShapeBrushPen>& TAnnotationCallout::Properties()
{
    using S = TAnnotationCallout;
    static const TPropertyTable<TPlotCustomShapeBrushPen> table =
        TPropertyTable<TPlotCustomShapeBrushPen>::Of<S>(TCallout::Properties())
            .Property("XPosition", IntegerKind, TAccessors{&S::XPosition, &S::SetXPosition}, 0)
            .Property("YPosition", IntegerKind, TAccessors{&S::YPosition, &S::SetYPosition}, 0)
            .Property("ZPosition", IntegerKind, TAccessors{&S::ZPosition, &S::SetZPosition}, 0);
    return table;
}

void TAnnotationCallout::Assign(const TPlotCustomShapeBrushPen& Source)
{
    if (const auto* s = dynamic_cast<const TAnnotationCallout*>(&Source)) {
        m_xPosition = s->m_xPosition;
        m_yPosition = s->m_yPosition;
        m_zPosition = s->m_zPosition;
    }
    TCallout::Assign(Source);
}

// ---- TAnnotationTool ----

TAnnotationTool::TAnnotationTool(QObject* Owner)
    : TPlotCustomTool(Owner), m_shape(std::make_unique<TTextShape>()),
      m_callout(std::make_unique<TAnnotationCallout>())
{
}

TAnnotationTool::~TAnnotationTool() = default;

std::string TAnnotationTool::Description() const { return ProMsgToolAnnotation; }
std::string TAnnotationTool::LongDescription() const { return ProMsgToolAnnotationDesc; }

const TPropertyTable<TCustomChartElement>& TAnnotationTool::Properties()
{
    using S = TAnnotationTool;
    static const TPropertyTable<TCustomChartElement> table =
        TPropertyTable<TCustomChartElement>::Of<S>(TCustomChartElement::Properties())
            .Property("AutoSize", BooleanKind, TAccessors{&S::AutoSize, &S::SetAutoSize},
                      TInstanceDefault{[](const S& s) { return s.Shape().DefaultAutoSize(); }})
            .Object(
                "Callout", [](const S& s) { return s.m_callout.get(); }, [](S& s) { return s.m_callout.get(); },
                nullptr, TAnnotationCallout::Properties())
            .Property("ClipText", BooleanKind, TAccessors{&S::ClipText, &S::SetClipText}, true)
            .Property("Cursor", IntegerKind, TAccessors{&S::Cursor, &S::SetCursor},
                      TInstanceDefault{[](const S& s) { return s.Shape().DefaultCursor(); }})
            .Property("Position", EnumKind(kPositionNames), TAccessors{&S::Position, &S::SetPosition}, ppLeftTop)
            .Property("PositionUnits", EnumKind(kUnitNames), TAccessors{&S::PositionUnits, &S::SetPositionUnits},
                      muPixels)
            .Object(
                "Shape", [](const S& s) { return s.m_shape.get(); }, [](S& s) { return s.m_shape.get(); }, nullptr,
                TTextShape::Properties())
            .Property("Text", StringKind, TAccessors{&S::Text, [](S& s, std::string v) { s.SetText(v); }},
                      std::string())
            .Property("TextAlignment", EnumKind(kAlignNames), TAccessors{&S::TextAlignment, &S::SetTextAlignment},
                      taLeftJustify)
            .Property("Height", IntegerKind, TAccessors{&S::Height, &S::SetHeight},
                      TStoredWhen{[](const S& s) { return !s.AutoSize(); }})
            .Property("Width", IntegerKind, TAccessors{&S::Width, &S::SetWidth},
                      TStoredWhen{[](const S& s) { return !s.AutoSize(); }});
    return table;
}

void TAnnotationTool::Assign(const TCustomChartElement& Source)
{
    if (const auto* s = dynamic_cast<const TAnnotationTool*>(&Source)) {
        m_callout->Assign(*s->m_callout);
        m_position = s->m_position;
        m_positionUnits = s->m_positionUnits;
        m_shape->Assign(*s->m_shape);
    }
    TPlotCustomTool::Assign(Source);
}

void TAnnotationTool::Repaint()
{
    if (ParentChart())
        TPlotCustomTool::Repaint();
    else
        m_shape->Repaint();
}

void TAnnotationTool::SetPosition(TAnnotationPosition Value)
{
    if (m_position == Value)
        return;
    m_position = Value;
    m_shape->SetCustomPosition(false);
    Repaint();
}

void TAnnotationTool::SetPositionUnits(TPlotUnits Value)
{
    if (m_positionUnits == Value)
        return;
    m_positionUnits = Value;
    Repaint();
}

void TAnnotationTool::SetLeft(int Value)
{
    const int w = m_shape->Width();
    m_shape->SetLeft(Value);
    m_shape->SetWidth(w);
}

void TAnnotationTool::SetTop(int Value)
{
    const int h = m_shape->Height();
    m_shape->SetTop(Value);
    m_shape->SetHeight(h);
}

void TAnnotationTool::SetWidth(int Value)
{
    if (m_shape->Width() == Value)
        return;
    m_shape->SetAutoSize(false);
    m_shape->SetWidth(Value);
    Repaint();
}

void TAnnotationTool::SetHeight(int Value)
{
    if (m_shape->Height() == Value)
        return;
    m_shape->SetAutoSize(false);
    m_shape->SetHeight(Value);
    Repaint();
}

void TAnnotationTool::SetParentChart(TSeriesParent* Value)
{
    TPlotCustomTool::SetParentChart(Value);
    // shape and callout follow the tool to any chart, loading or not
    TCustomPlotPanel* panel = Value ? Value->Panel() : nullptr;
    m_shape->SetParentChart(panel);
    m_callout->SetParentChart(panel);
    if (!Loading() && !(panel && panel->Loading()))
        Repaint();
}

void TAnnotationTool::Loaded()
{
    TPlotCustomTool::Loaded();
    TCustomPlotPanel* panel = ToolPanel(*this);
    m_shape->SetParentChart(panel);
    m_callout->SetParentChart(panel);
}

void TAnnotationTool::GetShapeBounds(TRect& R, int& X, int& Y, int& LineCount)
{
    TCustomPlotPanel* panel = ToolPanel(*this);
    if (!panel) {
        R = TRect{};
        X = Y = LineCount = 0;
        return;
    }
    const TRect cb = panel->ChartBounds;
    TCanvas3D& c = *panel->Canvas();
    c.AssignFont(m_shape->Font());
    std::string text = GetText();
    if (text.empty())
        text.push_back(' ');
    const int fontHeight = c.FontHeight();
    const bool custom = m_shape->CustomPosition();
    const bool autoSize = m_shape->AutoSize();
    int pad = 0;
    int textWidth = 0;
    int textHeight = 0;
    int tw = 0;
    int th = 0;
    LineCount = TextLineCount(text);
    if (!(custom && !autoSize)) {
        const std::string sep(1, LineSeparator());
        for (int i = 1; i <= LineCount; ++i)
            textWidth = std::max(textWidth, c.TextWidth(ExtractFieldSep(text, i, sep)));
        textHeight = LineCount * fontHeight;
        tw = textWidth;
        th = textHeight;
        if (m_shape->Frame()->Visible()) {
            pad = (m_shape->Frame()->Width() + 1) / 2;
            textWidth += pad;
            textHeight += pad;
        }
    }
    const int width = autoSize ? textWidth : m_shape->Width();
    const int height = autoSize ? textHeight : m_shape->Height();
    const int w = cb.Right - cb.Left + 1;
    const int h = cb.Bottom - cb.Top + 1;
    m_shape->Margins().Calculate(width, height, fontHeight);
    const int mh = m_shape->Margins().HorizSize();
    const int mv = m_shape->Margins().VertSize();
    if (!custom) {
        switch (m_position) {
        case ppLeftTop:
            X = cb.Left + 10;
            Y = cb.Top + 10;
            break;
        case ppLeftBottom:
            X = cb.Left + 10;
            Y = cb.Top + h - height - mv;
            break;
        case ppRightTop:
            X = cb.Left + w - width - mh;
            Y = cb.Top + 10;
            break;
        case ppRightBottom:
            X = cb.Left + w - width - mh;
            Y = cb.Top + h - height - mv;
            break;
        case ppCenter:
            X = (cb.Left + cb.Right - tw) / 2;
            Y = (cb.Top + cb.Bottom - th) / 2;
            break;
        }
    } else if (m_positionUnits == muPixels) {
        X = m_shape->Left();
        Y = m_shape->Top();
    } else {
        X = static_cast<int>(std::nearbyint(m_shape->Left() * w * 0.01));
        Y = static_cast<int>(std::nearbyint(m_shape->Top() * h * 0.01));
    }
    const int boxW = autoSize ? mh + width : m_shape->Width();
    const int boxH = autoSize ? mv + height : m_shape->Height();
    R = TRect{X, Y, X + boxW - 1, Y + boxH - 1};
    X += pad / 2;
    Y += pad / 2;
    if (autoSize) {
        m_shape->ShapeBounds.Right = m_shape->ShapeBounds.Left + (R.Right - R.Left);
        m_shape->ShapeBounds.Bottom = m_shape->ShapeBounds.Top + (R.Bottom - R.Top);
    }
}

bool TAnnotationTool::Clicked(int X, int Y)
{
    if (!ToolPanel(*this))
        return false;
    TRect r;
    int x, y, lines;
    GetShapeBounds(r, x, y, lines);
    return X >= r.Left && X <= r.Right && Y >= r.Top && Y <= r.Bottom;
}

void TAnnotationTool::DrawText()
{
    if (!ToolPanel(*this))
        return;
    const std::string text = GetText();
    if (m_shape->Text() != text)
        m_shape->SetText(text);
    TRect r;
    int x, y, lines;
    GetShapeBounds(r, x, y, lines);
    m_shape->DrawText(r, lines, TextXOffset());
    if (m_callout->Visible() || m_callout->Arrow()->Visible()) {
        const TPoint p{m_callout->XPosition(), m_callout->YPosition()};
        const TPoint s = CalloutStart(r, p);
        const TPoint target = CalloutTarget(s, p, m_callout->Distance());
        m_callout->Draw(clNone, s, s, target, m_callout->ZPosition());
    }
}

void TAnnotationTool::ChartEvent(TToolDrawPhase Phase)
{
    if (Phase != tdpAfterDraw)
        return;
    if (OnBeforeDraw)
        OnBeforeDraw(*this);
    DrawText();
    if (OnAfterDraw)
        OnAfterDraw(*this);
}

void TAnnotationTool::ChartMouseEvent(TToolMouseKind Kind, TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Kind == tmkDown) {
        const bool inside = Clicked(X, Y);
        if (inside && OnClick)
            OnClick(*this, Button, Shift, X, Y);
        if (inside && (Shift & kDoubleClick) && OnDblClick)
            OnDblClick(*this, Button, Shift, X, Y);
    } else if (Kind == tmkMove && Cursor() != crDefault && Clicked(X, Y)) {
        SetToolChartCursor(*this, Cursor());
        SetToolMouseHandled(*this, true);
    }
}
