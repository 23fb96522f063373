#include "chart/plot_panel_extended.h"

#include <array>
#include <utility>

#include "chart/appearance_properties.h"
#include "platform/system_colors.h"

namespace {

// "PrintMargins": a list of four integers, Left, Top, Right, Bottom.
void WritePrintMargins(const TCustomPlotPanelExtended& Panel, TPropertyWriter& Writer)
{
    const TRect& m = Panel.PrintMargins();
    Writer.WriteListBegin();
    for (int v : {m.Left, m.Top, m.Right, m.Bottom})
        Writer.WriteInteger(v);
    Writer.WriteListEnd();
}

// Anything but a list of exactly four integers is one read error, and the
// margins stay as they were.
void ReadPrintMargins(TCustomPlotPanelExtended& Panel, TPropertyReader& Reader)
{
    Reader.ReadListBegin();
    std::array<int, 4> v{};
    for (int& item : v) {
        if (Reader.EndOfList())
            InvalidPropertyValue();
        item = static_cast<int>(IntegerValue(Reader.ReadValue(), INT32_MIN, INT32_MAX));
    }
    if (!Reader.EndOfList())
        InvalidPropertyValue();
    Reader.ReadListEnd();
    Panel.SetPrintMargins(TRect{v[0], v[1], v[2], v[3]});
}

}  // namespace

TCustomPlotPanelExtended::TCustomPlotPanelExtended(QWidget* Parent)
    : TCustomPlotPanel(Parent), m_zoom(std::make_unique<TPlotZoom>())
{
}

TCustomPlotPanelExtended::~TCustomPlotPanelExtended() { MarkDestroying(); }

const TPropertyTable<TCustomPlotPanel>& TCustomPlotPanelExtended::Properties()
{
    using P = TCustomPlotPanelExtended;
    static const TPropertyTable<TCustomPlotPanel> table =
        TPropertyTable<TCustomPlotPanel>::Of<P>(TCustomPlotPanel::Properties())
            .Property("AllowPanning", EnumKind(PanningModeNames), TAccessors{&P::AllowPanning, &P::SetAllowPanning},
                      pmBoth)
            .Object(
                "BackImage", [](const P& p) -> const TBackImage* { return p.BackImageIfAny(); },
                [](P& p) -> TBackImage* { return p.BackImage(); }, [](P& p) { p.SetBackImage(nullptr); },
                TBackImage::Properties())
            .Property("BackImageTransp", BooleanKind, TAccessors{&P::BackImageTransp, &P::SetBackImageTransp}, false)
            .NotAssigned()
            .Object(
                "Gradient", [](const P& p) -> const TCustomPlotGradient* { return p.GradientIfAny(); },
                [](P& p) -> TCustomPlotGradient* { return p.Gradient(); }, [](P& p) { p.SetGradient(nullptr); },
                PlotGradientProperties())
            .Object(
                "Zoom", [](const P& p) -> const TPlotZoom* { return p.Zoom(); },
                [](P& p) -> TPlotZoom* { return p.Zoom(); }, nullptr, TPlotZoom::Properties())
            .Obsolete("AllowZoom", [](P& p, const TPropertyValue& v) { p.Zoom()->Allow = BooleanValue(v); })
            .Obsolete("AnimatedZoom", [](P& p, const TPropertyValue& v) { p.Zoom()->Animated = BooleanValue(v); })
            .Obsolete("AnimatedZoomSteps",
                      [](P& p, const TPropertyValue& v) {
                          p.Zoom()->AnimatedSteps = static_cast<int>(IntegerValue(v, INT32_MIN, INT32_MAX));
                      })
            .Defined("PrintMargins", &WritePrintMargins, &ReadPrintMargins, [](const P& p) {
                return p.PrintMargins() != TRect{15, 15, 15, 15};
            });
    return table;
}

TPlotGradient* TCustomPlotPanelExtended::Gradient()
{
    if (!m_gradient)
        m_gradient = std::make_unique<TPlotGradient>([this] { CanvasChanged(); });
    return m_gradient.get();
}

void TCustomPlotPanelExtended::SetGradient(const TPlotGradient* Value)
{
    if (!Value)
        m_gradient.reset();
    else if (Value != m_gradient.get())
        Gradient()->Assign(*Value);
}

void TCustomPlotPanelExtended::SetZoom(const TPlotZoom* Value)
{
    if (Value && Value != m_zoom.get())
        m_zoom->Assign(*Value);
}

TBackImage* TCustomPlotPanelExtended::BackImage()
{
    if (!m_backImage) {
        m_backImage = std::make_unique<TBackImage>();
        m_backImage->OnChange = [this] { CanvasChanged(); };
    }
    return m_backImage.get();
}

void TCustomPlotPanelExtended::SetBackImage(const TBackImage* Value)
{
    if (!Value) {
        if (m_backImage) {
            m_backImage.reset();
            Invalidate();
        }
    } else if (Value != m_backImage.get()) {
        BackImage()->Assign(Value);
    }
}

bool TCustomPlotPanelExtended::BackImageTransp() const
{
    return HasBackImage() && m_backImage->Graphic()->Transparent();
}

void TCustomPlotPanelExtended::SetBackImageTransp(bool Value)
{
    if (!HasBackImage()) {
        // a stream may hold it before the picture
        if (Loading())
            m_loadedBackImageTransp = Value;
        return;
    }
    m_loadedBackImageTransp.reset();
    if (m_backImage->Graphic()->Transparent() == Value)
        return;
    m_backImage->Graphic()->SetTransparent(Value);
    Invalidate();
}

void TCustomPlotPanelExtended::Loaded()
{
    TCustomPlotPanel::Loaded();
    if (const std::optional<bool> transp = std::exchange(m_loadedBackImageTransp, std::nullopt))
        SetBackImageTransp(*transp);
}

void TCustomPlotPanelExtended::DrawBackImage(const TRect& R, int Z)
{
    if (HasBackImage())
        m_backImage->Draw(*this, R, Z);
}

void TCustomPlotPanelExtended::UndoZoom()
{
    if (OnUndoZoom)
        OnUndoZoom(*this);
    Invalidate();
    Zoomed = false;
}

void TCustomPlotPanelExtended::DrawZoomRectangle()
{
    TCanvas3D& c = *Canvas();
    TPlotZoom& z = *m_zoom;
    const TColor b = platform::ColorToRGB(GetBackColor());
    const TColor invert = 0xFFFFFF - b;
    TPlotZoomBrush* brush = z.BrushIfAny();
    if (brush)
        ApplyBrush(brush->Color() ^ invert, brush, b);
    else
        c.Brush()->SetStyle(bsClear);
    TPlotZoomPen* pen = z.Pen();
    pen->SetMode(pmNotXor);
    c.AssignPenColor(pen, pen->Color() ^ invert);
    if (!brush || brush->Style() == bsClear)
        c.SetBackMode(cbmTransparent);
    c.Rectangle(z.X0, z.Y0, z.X1, z.Y1);
}

TColor TCustomPlotPanelExtended::ParentColor() const
{
    const QWidget* parent = parentWidget();
    if (!parent)
        return Color();
    if (const auto* panel = dynamic_cast<const TCustomPlotPanel*>(parent))
        return panel->Color();
    const QColor c = parent->palette().color(QPalette::Window);
    return static_cast<TColor>(c.red() | (c.green() << 8) | (c.blue() << 16));
}

void TCustomPlotPanelExtended::PanelPaint(const TRect& Rect)
{
    TCanvas3D& c = *Canvas();
    c.Begin2DSection();
    TRect r = Rect;
    TPlotShadow& s = *Shadow();
    if (s.Visible() && (s.HorizSize() != 0 || s.VertSize() != 0)) {
        FillPanelRect(r, ParentColor(), 0);
        if (s.HorizSize() < 1)
            r.Left += 1 - s.HorizSize();
        else
            r.Right -= 2 * s.HorizSize() + 1;
        if (s.VertSize() < 1)
            r.Top += 1 - s.VertSize();
        else
            r.Bottom -= 2 * s.VertSize() + 1;
        s.DrawShape(c, r, 0, BorderRound());
        if (s.HorizSize() > 0)
            ++r.Right;
        if (s.VertSize() > 0)
            ++r.Bottom;
    }
    FillPanelBack(r);
    if (HasBackImage() && !m_backImage->Inside())
        DrawBackImage(r, 0);
    DrawPanelBevels(r);
    c.End2DSection();
}

void TCustomPlotPanelExtended::FillPanelBack(const TRect& R)
{
    TCanvas3D& c = *Canvas();
    c.Begin2DSection();
    if (m_gradient && m_gradient->Visible())
        m_gradient->Draw(c, R, BorderRound());
    else
        FillPanelRect(R, Color(), BorderRound());
    c.End2DSection();
}

void TCustomPlotPanelExtended::FillPanelRect(const TRect& R, TColor Colour, int Round)
{
    if ((Printing && !PrintPanelBackground) || Colour == clNone)
        return;
    TCanvas3D& c = *Canvas();
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(Colour);
    c.Pen()->SetStyle(psClear);
    if (Round == 0)
        c.EraseBackground(R);
    else
        c.RoundRectRect(R, Round, Round);
}

void TCustomPlotPanelExtended::Assign(const TCustomPlotPanel& Source)
{
    if (&Source == this)
        return;
    TCustomPlotPanel::Assign(Source);
    // the picture itself and the zoom's key set are not table properties
    if (const auto* panel = dynamic_cast<const TCustomPlotPanelExtended*>(&Source)) {
        SetBackImage(panel->BackImageIfAny());
        SetZoom(panel->Zoom());
    }
}
