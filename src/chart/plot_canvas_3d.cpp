#include "chart/plot_canvas_3d.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <numbers>
#include <typeinfo>

#include "chart/canvas_3d_solids.h"
#include "chart/plot_blend.h"
#include "chart/plot_filters.h"
#include "chart/plot_font.h"
#include "chart/plot_gradient.h"
#include "chart/plot_picture.h"
#include "chart/plot_shadow.h"
#include "chart/view3d_options.h"
#include "platform/qt_drawing_device.h"
#include "platform/system_colors.h"

namespace {

using platform::ClipCombine;
using platform::Region;

platform::PenStyle DevicePenStyle(TPenStyle s)
{
    switch (s) {
    case psDash: return platform::PenStyle::Dash;
    case psDot: return platform::PenStyle::Dot;
    case psDashDot: return platform::PenStyle::DashDot;
    case psDashDotDot: return platform::PenStyle::DashDotDot;
    case psClear: return platform::PenStyle::Null;
    case psInsideFrame: return platform::PenStyle::InsideFrame;
    case psSolid: break;
    }
    return platform::PenStyle::Solid;
}

platform::PenDesc DevicePen(const TPen& pen)
{
    platform::PenDesc d;
    if (const TPenHandle* h = pen.Handle()) {
        d.color = h->Color;
        d.width = h->Width;
        if (h->Alternate) {
            d.style = platform::PenStyle::Alternate;
            d.width = 1;
            return d;
        }
        d.geometric = h->Geometric;
        d.style = h->UserStyle.empty() ? DevicePenStyle(h->Style) : platform::PenStyle::UserStyle;
        d.userStyle = h->UserStyle;
        d.endCap = h->EndStyle == esRound ? platform::PenEndCap::Round
                 : h->EndStyle == esSquare ? platform::PenEndCap::Square : platform::PenEndCap::Flat;
        d.join = h->Join == pjRound ? platform::PenJoin::Round
               : h->Join == pjBevel ? platform::PenJoin::Bevel : platform::PenJoin::Miter;
        return d;
    }
    d.style = DevicePenStyle(pen.Style());
    d.width = pen.Width();
    d.color = pen.Color();
    return d;
}

platform::FontDesc DeviceFont(const TFont& font)
{
    platform::FontDesc d;
    d.name = font.Name();
    d.height = font.Height();
    d.weight = (font.Style() & fsBold) ? 700 : 400;
    d.italic = (font.Style() & fsItalic) != 0;
    d.underline = (font.Style() & fsUnderline) != 0;
    d.strikeOut = (font.Style() & fsStrikeOut) != 0;
    d.escapement = font.Orientation();
    d.charset = font.Charset();
    return d;
}

// Orientation of a face: positive turns towards the viewer (64-bit products).
std::int64_t FaceOrientation(const TPoint (&c)[4])
{
    return std::int64_t{c[3].X - c[2].X} * (c[1].Y - c[2].Y) - std::int64_t{c[1].X - c[2].X} * (c[3].Y - c[2].Y);
}

}  // namespace

TPlotCanvas3D::TPlotCanvas3D(platform::DrawingDevice* ReferenceCanvas)
{
    FontZoomPercent = 100.0;
    ZoomText = true;
    AttachCanvas(ReferenceCanvas);
}

TPlotCanvas3D::~TPlotCanvas3D()
{
    if (m_device == m_buffer.get())
        m_device = nullptr;
    m_buffer.reset();
}

// ---- device state ----

void TPlotCanvas3D::ApplyPen()
{
    if (!m_penDirty || !m_device)
        return;
    m_penDirty = false;
    const platform::PenDesc pen = DevicePen(m_pen);
    if (!(m_device->GetPen() == pen))
        m_device->SelectPen(pen);
    const auto rop = static_cast<platform::Rop2>(static_cast<int>(m_pen.Mode()) + 1);
    if (m_device->GetROP2() != rop)
        m_device->SetROP2(rop);
}

void TPlotCanvas3D::ApplyBrush()
{
    const TBitmap* pattern = m_brush.Bitmap();
    // a pattern bitmap may have changed since it was selected
    const bool patternChanged = pattern && (!m_patternCache || pattern->ContentStamp() != m_patternStamp);
    if ((!m_brushDirty && !patternChanged) || !m_device)
        return;
    m_brushDirty = false;
    platform::BrushDesc brush;
    if (pattern) {
        if (patternChanged) {
            m_patternCache = std::make_shared<const platform::Bitmap>(pattern->ToDeviceBitmap());
            m_patternStamp = pattern->ContentStamp();
        }
        brush = platform::BrushDesc::Pattern(m_patternCache);
    } else {
        switch (m_brush.Style()) {
        case bsSolid: brush = platform::BrushDesc::Solid(m_brush.Color()); break;
        case bsClear: brush = platform::BrushDesc::NullBrush(); break;
        case bsHorizontal: brush = platform::BrushDesc::Hatched(platform::HatchStyle::Horizontal, m_brush.Color()); break;
        case bsVertical: brush = platform::BrushDesc::Hatched(platform::HatchStyle::Vertical, m_brush.Color()); break;
        case bsFDiagonal: brush = platform::BrushDesc::Hatched(platform::HatchStyle::FDiagonal, m_brush.Color()); break;
        case bsBDiagonal: brush = platform::BrushDesc::Hatched(platform::HatchStyle::BDiagonal, m_brush.Color()); break;
        case bsCross: brush = platform::BrushDesc::Hatched(platform::HatchStyle::Cross, m_brush.Color()); break;
        case bsDiagCross: brush = platform::BrushDesc::Hatched(platform::HatchStyle::DiagCross, m_brush.Color()); break;
        }
    }
    if (!(m_device->GetBrush() == brush))
        m_device->SelectBrush(brush);
}

void TPlotCanvas3D::ApplyFont()
{
    if (!m_fontDirty || !m_device)
        return;
    m_fontDirty = false;
    const platform::FontDesc font = DeviceFont(m_font);
    if (!(m_device->GetFont() == font))
        m_device->SelectFont(font);
}

TColor TPlotCanvas3D::GetBackColor()
{
    return m_device ? m_device->GetBkColor() : clWhite;
}

int TPlotCanvas3D::GetBackMode()
{
    return m_device ? static_cast<int>(m_device->GetBkMode()) : cbmOpaque;
}

TColor TPlotCanvas3D::GetPixel(int X, int Y)
{
    return m_device ? m_device->GetPixel(X, Y) : 0xFFFFFFFF;
}

unsigned TPlotCanvas3D::GetTextAlign()
{
    return m_device ? m_device->GetTextAlign() : 0;
}

namespace {

// System colours become their RGB; other values pass as they are.
TColor ResolveSystemColor(TColor Color)
{
    return platform::IsSystemColor(Color) ? platform::ColorToRGB(Color) : Color;
}

}  // namespace

void TPlotCanvas3D::SetBackColor(TColor Color)
{
    if (m_device)
        m_device->SetBkColor(ResolveSystemColor(Color));
}

void TPlotCanvas3D::SetBackMode(int Mode)
{
    if (m_device)
        m_device->SetBkMode(static_cast<platform::BackMode>(Mode));
}

void TPlotCanvas3D::SetMonochrome(bool Value)
{
    if (Value == m_monochrome)
        return;
    m_monochrome = Value;
    BufferInvalid = true;
    if (View3DOptions)
        View3DOptions->Repaint();
}

void TPlotCanvas3D::SetPixel(int X, int Y, TColor Color)
{
    if (m_device)
        m_device->SetPixel(X, Y, ResolveSystemColor(Color));
}

void TPlotCanvas3D::SetTextAlign(unsigned Align)
{
    if (m_device)
        m_device->SetTextAlign(Align);
}

void TPlotCanvas3D::SetTextColor(TColor Color)
{
    if (m_device)
        m_device->SetTextColor(Color);
}

int TPlotCanvas3D::GetTextCharacterExtra()
{
    return m_device ? m_device->GetTextCharacterExtra() : 0;
}

void TPlotCanvas3D::SetTextCharacterExtra(int Extra)
{
    if (m_device)
        m_device->SetTextCharacterExtra(Extra);
}

namespace {

// Devices that measure text alike: every plain Qt device measures by the font
// alone (at the screen's resolution); any other device only like itself.
const void* QtMeasuringKind()
{
    static const int kind = 0;
    return &kind;
}

const void* MeasuringKind(const platform::DrawingDevice* Device)
{
    if (Device && typeid(*Device) == typeid(platform::QtDrawingDevice))
        return QtMeasuringKind();
    return Device;
}

}  // namespace

TSize TPlotCanvas3D::TextExtent(const std::string& Text)
{
    if (!m_device)
        return TSize{};
    ApplyFont();
    if (const void* kind = MeasuringKind(m_device); m_extentsDevice != kind) {
        m_extents.clear();
        m_extentsDevice = kind;
    }
    // key: the font as the device has it, the character spacing, then the text
    const platform::FontDesc& f = m_device->GetFont();
    m_extentKey.clear();
    m_extentKey += f.name;
    for (const int v : {f.height, f.weight, f.escapement, f.charset, m_device->GetTextCharacterExtra(),
                        (f.italic ? 1 : 0) | (f.underline ? 2 : 0) | (f.strikeOut ? 4 : 0)}) {
        m_extentKey += '\x1f';
        m_extentKey += std::to_string(v);
    }
    m_extentKey += '\x1e';
    m_extentKey += Text;
    if (const auto it = m_extents.find(m_extentKey); it != m_extents.end())
        return it->second;
    const platform::Size s = m_device->GetTextExtent(Text);
    const TSize size{s.cx, s.cy};
    m_extents.emplace(m_extentKey, size);
    return size;
}

// ---- buffer ----

TRect TPlotCanvas3D::InitWindow(platform::DrawingDevice* DestCanvas, TView3DOptions* Options, TColor,
                                bool Is3DView, const TRect& UserRect)
{
    Bounds = UserRect;
    ResetTextError();
    // no pattern of an earlier draw, which may have ended half way
    m_brush.SetBitmap(nullptr);
    // extents measured on the canvas' own buffer or on plain Qt devices hold
    // from draw to draw; on any other device only within one draw
    constexpr std::size_t kMostExtents = 4096;
    const bool onBuffer = m_bufferedDisplay && DestCanvas && m_buffer && m_extentsDevice == m_buffer.get();
    const bool qtKind = m_extentsDevice == QtMeasuringKind();
    if (!(onBuffer || qtKind) || m_extents.size() > kMostExtents) {
        m_extents.clear();
        m_extentsDevice = nullptr;
    }
    if (Options)
        FontZoomPercent = Options->FontZoom();
    SetupView(Options, Is3DView);
    if (m_bufferedDisplay && DestCanvas) {
        const int w = UserRect.Width();
        const int h = UserRect.Height();
        if (!m_buffer)
            m_buffer = DestCanvas->CreateCompatible(w + 1, h + 1);
        else
            m_buffer->SetSize(w + 1, h + 1);
        AttachCanvas(m_buffer.get());
        return TRect{0, 0, w, h};
    }
    AttachCanvas(DestCanvas);
    return UserRect;
}

void TPlotCanvas3D::CopyBuffer(int X, int Y, platform::DrawingDevice* Dest)
{
    if (!m_buffer || !Dest)
        return;
    Dest->BitBlt(X, Y, m_buffer->Width(), m_buffer->Height(), m_buffer->Surface(), 0, 0, platform::Rop3::SrcCopy);
}

void TPlotCanvas3D::ShowImage(platform::DrawingDevice* DestCanvas, platform::DrawingDevice* DefaultCanvas,
                              const TRect& UserRect)
{
    if (m_bufferedDisplay && m_buffer) {
        CopyBuffer(UserRect.Left, UserRect.Top, DestCanvas);
        BufferInvalid = false;
    }
    AttachCanvas(DefaultCanvas);
}

bool TPlotCanvas3D::ReDrawBitmap()
{
    if (BufferInvalid || !m_buffer)
        return false;
    if (m_device != m_buffer.get())
        CopyBuffer(0, 0, m_device);
    return true;
}

void TPlotCanvas3D::SetBufferedDisplay(bool Value)
{
    if (Value == m_bufferedDisplay)
        return;
    m_bufferedDisplay = Value;
    if (!Value && m_buffer && !KeepBuffer) {
        if (m_device == m_buffer.get())
            m_device = nullptr;
        if (m_extentsDevice == MeasuringKind(m_buffer.get())) {
            m_extents.clear();
            m_extentsDevice = nullptr;
        }
        m_buffer.reset();
        BufferInvalid = true;
    } else if (Value && m_buffer) {
        AttachCanvas(m_buffer.get());
    }
}

void TPlotCanvas3D::Disable3D()
{
    SavedIs3D = Is3D;
    Is3D = false;
}

void TPlotCanvas3D::Restore3D()
{
    Is3D = SavedIs3D;
}

// ---- 2D drawing ----

const std::vector<platform::Point>& TPlotCanvas3D::DevicePoints(std::span<const TPoint> Points)
{
    m_points.resize(Points.size());
    for (std::size_t i = 0; i < Points.size(); ++i)
        m_points[i] = platform::Point{Points[i].X, Points[i].Y};
    return m_points;
}

void TPlotCanvas3D::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4)
{
    if (!m_device)
        return;
    ApplyPen();
    m_device->Arc(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

void TPlotCanvas3D::Donut(int XCenter, int YCenter, int XRadius, int YRadius, double StartAngle, double EndAngle,
                          double HolePercent)
{
    if (!m_device)
        return;
    ApplyShapeState();
    const int x0 = XCenter + Nearest(XRadius * std::cos(StartAngle));
    const int y0 = YCenter - Nearest(YRadius * std::sin(StartAngle));
    const int x1 = XCenter + Nearest(XRadius * std::cos(EndAngle));
    const int y1 = YCenter - Nearest(YRadius * std::sin(EndAngle));
    m_device->MoveTo(x0, y0);
    m_device->BeginPath();
    m_device->ArcTo(XCenter - XRadius, YCenter - YRadius, XCenter + XRadius, YCenter + YRadius, x0, y0, x1, y1);
    const double ixr = XRadius * HolePercent * 0.01;
    const double iyr = YRadius * HolePercent * 0.01;
    const int ix0 = XCenter + Nearest(ixr * std::cos(StartAngle));
    const int iy0 = YCenter - Nearest(iyr * std::sin(StartAngle));
    const int ix1 = XCenter + Nearest(ixr * std::cos(EndAngle));
    const int iy1 = YCenter - Nearest(iyr * std::sin(EndAngle));
    if (ix1 != ix0 || iy1 != iy0) {
        m_device->SetArcDirection(platform::ArcDirection::Clockwise);
        m_device->ArcTo(XCenter - Nearest(ixr), YCenter - Nearest(iyr), XCenter + Nearest(ixr), YCenter + Nearest(iyr),
                        ix1, iy1, ix0, iy0);
        m_device->SetArcDirection(platform::ArcDirection::CounterClockwise);
    }
    m_device->EndPath();
    m_device->StrokeAndFillPath();
}

void TPlotCanvas3D::Draw(int X, int Y, const TGraphic* Graphic)
{
    auto* bitmap = dynamic_cast<const TBitmap*>(Graphic);
    if (!m_device || !bitmap || bitmap->Empty())
        return;
    m_device->DrawBitmap(X, Y, bitmap->ToDrawnBitmap());
}

void TPlotCanvas3D::Ellipse(int X1, int Y1, int X2, int Y2)
{
    if (!m_device)
        return;
    ApplyShapeState();
    m_device->Ellipse(X1, Y1, X2, Y2);
}

void TPlotCanvas3D::FillRect(const TRect& R)
{
    if (!m_device)
        return;
    ApplyBrush();
    m_device->FillRect(ToDeviceRect(R));
}

void TPlotCanvas3D::LineTo(int X, int Y)
{
    if (!m_device)
        return;
    ApplyPen();
    m_device->LineTo(X, Y);
}

void TPlotCanvas3D::MoveTo(int X, int Y)
{
    if (m_device)
        m_device->MoveTo(X, Y);
}

void TPlotCanvas3D::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4)
{
    if (!m_device)
        return;
    ApplyShapeState();
    m_device->Pie(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

void TPlotCanvas3D::Rectangle(int X0, int Y0, int X1, int Y1)
{
    if (!m_device)
        return;
    ApplyShapeState();
    m_device->Rectangle(X0, Y0, X1, Y1);
}

void TPlotCanvas3D::RoundRect(int X1, int Y1, int X2, int Y2, int CornerWidth, int CornerHeight)
{
    if (!m_device)
        return;
    ApplyShapeState();
    m_device->RoundRect(X1, Y1, X2, Y2, CornerWidth, CornerHeight);
}

void TPlotCanvas3D::StretchDraw(const TRect& R, const TGraphic* Graphic)
{
    auto* bitmap = dynamic_cast<const TBitmap*>(Graphic);
    if (!m_device || !bitmap)
        return;
    m_device->StretchDrawBitmap(ToDeviceRect(R), bitmap->ToDrawnBitmap());
}

void TPlotCanvas3D::Polyline(std::span<const TPoint> Points)
{
    if (!m_device || Points.empty())
        return;
    ApplyPen();
    const auto& p = DevicePoints(Points);
    m_device->Polyline(p.data(), static_cast<int>(p.size()));
}

void TPlotCanvas3D::Polygon(std::span<const TPoint> Points)
{
    if (!m_device || Points.empty())
        return;
    ApplyShapeState();
    const auto& p = DevicePoints(Points);
    m_device->Polygon(p.data(), static_cast<int>(p.size()));
}

// ---- gradient fill: bands, centre and corner walks, diagonal lines, radial ----

namespace {

// Fills with the device's DC brush, changing its colour only when a step's
// colour differs; the previous brush comes back at the end.
class TStepBrush {
public:
    explicit TStepBrush(platform::DrawingDevice& device) : m_device(device), m_saved(device.GetBrush())
    {
        m_device.SelectStockObject(platform::StockObject::DCBrush);
    }
    ~TStepBrush() { m_device.SelectBrush(m_saved); }

    void Fill(TColor colour, int x, int y, int w, int h)
    {
        if (w <= 0 || h <= 0)
            return;
        if (!m_hasColour || colour != m_colour) {
            m_device.SetDCBrushColor(colour);
            m_colour = colour;
            m_hasColour = true;
        }
        m_device.PatBlt(x, y, w, h, platform::Rop3::PatCopy);
    }

private:
    platform::DrawingDevice& m_device;
    platform::BrushDesc m_saved;
    TColor m_colour = 0;
    bool m_hasColour = false;
};

}  // namespace

void TPlotCanvas3D::GradientFill(const TRect& R, TColor StartColor, TColor EndColor, TGradientDirection Direction,
                                 int Balance)
{
    if (!m_device)
        return;
    const TRect r = NormalizeRect(R);
    if (Direction == gdRadial) {
        TCustomPlotGradient radial;
        radial.SetStartColor(StartColor);
        radial.SetEndColor(EndColor);
        radial.DrawRadial(*this, r);
        return;
    }
    if (Direction != gdTopBottom && Direction != gdLeftRight && Direction != gdDiagonalUp
        && Direction != gdDiagonalDown)
        std::swap(StartColor, EndColor);
    const TColor c0 = platform::ColorToRGB(StartColor);
    const TColor c1 = platform::ColorToRGB(EndColor);
    const int w = r.Width();
    const int h = r.Height();

    switch (Direction) {
    case gdTopBottom:
    case gdBottomTop:
    case gdLeftRight:
    case gdRightLeft: {
        const bool vertical = Direction == gdTopBottom || Direction == gdBottomTop;
        const int extent = vertical ? h : w;
        if (extent <= 1)
            return;
        const int n = std::min(extent, 256);
        TStepBrush brush(*m_device);
        // step 0 at the bottom (or right) edge
        for (int i = 0; i < n; ++i) {
            const TColor c = GradientStepColor(c0, c1, i, n - 1, Balance);
            const int a = static_cast<int>(static_cast<std::int64_t>(i) * extent / n);
            const int b = static_cast<int>(static_cast<std::int64_t>(i + 1) * extent / n);
            if (vertical)
                brush.Fill(c, r.Left, r.Bottom - b, w, b - a);
            else
                brush.Fill(c, r.Right - b, r.Top, b - a, h);
        }
        break;
    }
    case gdFromCenter: {
        const int n = std::max(w / 2, h / 2);
        const int d = std::max(1, w / 2 + h / 2);
        TStepBrush brush(*m_device);
        for (int i = 0; i < n; ++i) {
            const int ix = std::min(i, w / 2);
            const int iy = std::min(i, h / 2);
            const TColor c = GradientStepColor(c0, c1, ix + iy, d, Balance);
            const int left = r.Left + ix;
            const int right = r.Right - ix;
            const int top = r.Top + iy;
            const int bottom = r.Bottom - iy;
            if (right <= left || bottom <= top)
                break;
            brush.Fill(c, left, top, right - left, 1);
            brush.Fill(c, left, bottom - 1, right - left, 1);
            brush.Fill(c, left, top, 1, bottom - top);
            brush.Fill(c, right - 1, top, 1, bottom - top);
        }
        break;
    }
    case gdFromTopLeft:
    case gdFromBottomLeft: {
        if (w <= 0 || h <= 0)
            return;
        const int n = std::max(w, h);
        const int d = std::max(1, w + h);
        const bool fromTop = Direction == gdFromTopLeft;
        TStepBrush brush(*m_device);
        for (int i = 0; i < n; ++i) {
            const int ix = std::min(i, w - 1);
            const int iy = std::min(i, h - 1);
            const TColor c = GradientStepColor(c0, c1, ix + iy, d, Balance);
            const int x = r.Left + ix;
            if (fromTop) {
                const int y = r.Top + iy;
                brush.Fill(c, x, y, 1, r.Bottom - y);
                brush.Fill(c, x, y, r.Right - x, 1);
            } else {
                const int y = r.Bottom - 1 - iy;
                brush.Fill(c, x, r.Top, 1, y - r.Top + 1);
                brush.Fill(c, x, y, r.Right - x, 1);
            }
        }
        break;
    }
    case gdDiagonalUp:
    case gdDiagonalDown: {
        if (w <= 0 || h <= 0)
            return;
        const int n = w + h;
        // at most 255 colour steps; later steps keep the end colour
        const int d = std::max(1, std::min(255, w + h - 1));
        const platform::PenDesc savedPen = m_device->GetPen();
        TColor previous = 0;
        bool hasPen = false;
        for (int i = 0; i < n; ++i) {
            // one end walks the top (or bottom) edge, then down (or up) the right side;
            // the other walks the left side, then the bottom (or top) edge
            const bool down = Direction == gdDiagonalDown;
            const int ax = i < w ? r.Left + i : r.Right - 1;
            const int ay = i < w ? 0 : i - w + 1;
            const int bx = i < h ? r.Left : r.Left + i - h + 1;
            const int by = i < h ? i : h - 1;
            if (ay >= h)
                break;  // past the far corner: nothing of the rectangle is left
            const TColor c = GradientStepColor(c0, c1, std::min(i, d), d, Balance);
            if (!hasPen || c != previous) {
                m_device->SelectPen(platform::PenDesc::Solid(c));
                previous = c;
                hasPen = true;
            }
            const int y0 = down ? r.Top + ay : r.Bottom - 1 - ay;
            const int y1 = down ? r.Top + by : r.Bottom - 1 - by;
            m_device->MoveTo(ax, y0);
            // one past the end, so the line keeps its last pixel
            m_device->LineTo(bx - 1, down ? y1 + 1 : y1 - 1);
        }
        m_device->SelectPen(savedPen);
        break;
    }
    case gdRadial:
        break;
    }
}

// ---- clipping ----

platform::Rect TPlotCanvas3D::DeviceRect(const TRect& R) const
{
    platform::Point p[2] = {{R.Left, R.Top}, {R.Right, R.Bottom}};
    m_device->LPtoDP(p, 2);
    return platform::Rect{p[0].x, p[0].y, p[1].x, p[1].y};
}

void TPlotCanvas3D::ApplyClip(const Region& Region, ClipCombine Mode)
{
    if (!m_clipping) {
        m_savedClip = m_device->GetClipRgn();
        m_clipping = true;
    }
    m_device->ExtSelectClipRgn(Region, Mode);
}

void TPlotCanvas3D::ClipRectangle(const TRect& R)
{
    if (m_device)
        ApplyClip(Region::FromRect(DeviceRect(R)), ClipCombine::And);
}

void TPlotCanvas3D::ClipRoundRectangle(const TRect& R, int CornerSize)
{
    if (m_device)
        ApplyClip(Region::FromRoundRect(DeviceRect(R), CornerSize, CornerSize), ClipCombine::And);
}

void TPlotCanvas3D::ClipEllipse(const TRect& R, bool Inverted)
{
    if (m_device)
        ApplyClip(Region::FromEllipse(DeviceRect(R)), Inverted ? ClipCombine::Xor : ClipCombine::And);
}

void TPlotCanvas3D::ClipPolygon(std::span<const TPoint> Points, int Count, bool Inverted)
{
    if (!m_device)
        return;
    const auto n = std::min<std::size_t>(Points.size(), static_cast<std::size_t>(std::max(Count, 0)));
    std::vector<platform::Point> p(n);
    for (std::size_t i = 0; i < n; ++i)
        p[i] = platform::Point{Points[i].X, Points[i].Y};
    m_device->LPtoDP(p.data(), static_cast<int>(n));
    ApplyClip(Region::FromPolygon(std::move(p), platform::PolyFillMode::Alternate),
              Inverted ? ClipCombine::Diff : ClipCombine::And);
}

void TPlotCanvas3D::UnClip()
{
    if (!m_device)
        return;
    m_device->SelectClipRgn(m_clipping ? m_savedClip : std::nullopt);
    m_savedClip.reset();
    m_clipping = false;
}

platform::DrawingDevice* TPlotCanvas3D::RasterTarget()
{
    return !Metafiling && m_buffer && m_device == m_buffer.get() ? m_buffer.get() : nullptr;
}

// ---- text ----

TRect TPlotCanvas3D::TextRect(int X, int Y, const std::string& Text)
{
    return TextRect(X, Y, TextWidth(Text), TextHeight(Text));
}

TRect TPlotCanvas3D::TextRect(int X, int Y, int w, int h)
{
    unsigned align = GetTextAlign();
    if (align >= platform::TextAlign::Bottom)
        align -= platform::TextAlign::Bottom;
    if (align == platform::TextAlign::Right)
        return TRect{X - w, Y, X, Y + h};
    if (align == platform::TextAlign::Center)
        return TRect{X - w / 2, Y, X + w / 2, Y + h};
    return TRect{X, Y, X + w, Y + h};
}

void TPlotCanvas3D::TextOut(int X, int Y, const std::string& Text)
{
    if (!m_device)
        return;
    ApplyFont();
    TPlotFont* font = m_currentFont;
    const TPlotShadow* shadow = font ? font->ShadowIfAny() : nullptr;
    if (shadow && shadow->Visible() && (shadow->HorizSize() != 0 || shadow->VertSize() != 0)) {
        int sx = X, sy = Y;
        if (shadow->HorizSize() >= 0)
            sx = X + shadow->HorizSize();
        else
            X -= shadow->HorizSize();
        if (shadow->VertSize() >= 0)
            sy = Y + shadow->VertSize();
        else
            Y -= shadow->VertSize();
        // TextWidth and TextHeight from one measurement: the shadow's offsets added
        const TSize extent = TextExtent(Text);
        const int textWidth = extent.cx + std::abs(shadow->HorizSize());
        const int textHeight = extent.cy + std::abs(shadow->VertSize());
        const TRect shadowRect = TextRect(sx, sy, textWidth, textHeight);
        TPlotBlend* blend = shadow->Transparency() > 0 ? BeginBlending(shadowRect, shadow->Transparency()) : nullptr;
        m_device->SetTextColor(shadow->Color());
        const TFilterClass* blur = FindFilterClass("TBlurFilter");
        if (shadow->Smooth() && shadow->SmoothBlur() > 0 && m_buffer && blur) {
            const platform::Bitmap& surface = m_buffer->Surface();
            const TRect r{std::max(0, shadowRect.Left - 1), std::max(0, sy),
                          std::min(surface.Width() - 1, shadowRect.Left + textWidth),
                          std::min(sy + textHeight - 1, surface.Height() - 1)};
            BlurredShadowText(sx, sy, Text, r, shadow->SmoothBlur());
            SetBackMode(cbmTransparent);
        } else {
            m_device->TextOut(sx, sy, Text);
        }
        if (blend)
            EndBlending(blend);
    }
    m_device->SetTextColor(m_font.Color());
    const TChartHiddenPen* outline = font ? font->OutLineIfAny() : nullptr;
    const TPlotFontGradient* gradient = font ? font->GradientIfAny() : nullptr;
    const TPlotPicture* picture = font ? font->PictureIfAny() : nullptr;
    if (!font || ((!outline || !outline->Visible()) && (!gradient || !gradient->Visible())
                  && (!picture || !picture->HasGraphic()))) {
        m_device->TextOut(X, Y, Text);
        return;
    }
    TextOutEffects(X, Y, Text);
}

TRect TPlotCanvas3D::BufferPart(const TRect& R) const
{
    const platform::Bitmap& surface = m_buffer->Surface();
    return TRect{std::max(0, R.Left), std::max(0, R.Top), std::min(surface.Width() - 1, R.Right),
                 std::min(surface.Height() - 1, R.Bottom)};
}

namespace {

// Whether the N pixels are all the same opaque colour.
bool PlainOpaque(const std::uint32_t* P, std::size_t N)
{
    if (N == 0 || (P[0] >> 24) != 0xFF)
        return false;
    const std::uint32_t c = P[0];
    std::uint32_t diff = 0;
    for (std::size_t i = 0; i < N; ++i)
        diff |= P[i] ^ c;
    return diff == 0;
}

}  // namespace

void TPlotCanvas3D::BlurAfterText(const TRect& R, const TRect& Part, const std::vector<std::uint32_t>& Before,
                                  int Amount)
{
    // Over ground of one opaque colour the blur keeps every pixel more than
    // one away from the text: only the box of the changed pixels grown by two
    // goes through it (its outer ring, which the blur leaves, is ground too).
    const TRect p = BufferPart(R);
    const int pw = Part.Right - Part.Left + 1;
    if (p.Right - p.Left < 2 || p.Bottom - p.Top < 2 || Amount < 1 || Amount > 248 || p.Left < Part.Left
        || p.Right > Part.Right || p.Top < Part.Top || p.Bottom > Part.Bottom) {
        BlurBufferRect(R, Amount);
        return;
    }
    const std::uint32_t ground = Before[static_cast<std::size_t>((p.Top - Part.Top) * pw + p.Left - Part.Left)];
    bool plain = true;
    int l = INT_MAX, t = INT_MAX, r = INT_MIN, b = INT_MIN;
    for (int y = p.Top; y <= p.Bottom && plain; ++y) {
        const std::uint32_t* before = Before.data() + static_cast<std::size_t>((y - Part.Top) * pw + p.Left - Part.Left);
        const std::uint32_t* now = m_buffer->ScanLine(y) + p.Left;
        const std::size_t n = static_cast<std::size_t>(p.Right - p.Left + 1);
        plain = before[0] == ground && PlainOpaque(before, n);
        if (!plain)
            break;
        std::size_t first = 0;
        while (first < n && now[first] == ground)
            ++first;
        if (first == n)
            continue;
        std::size_t last = n - 1;
        while (now[last] == ground)
            --last;
        l = std::min(l, p.Left + static_cast<int>(first));
        r = std::max(r, p.Left + static_cast<int>(last));
        t = std::min(t, y);
        b = y;
    }
    if (!plain) {
        BlurBufferRect(R, Amount);
        return;
    }
    if (l > r)
        return;  // nothing drawn: the blur keeps the ground
    BlurBufferRect(TRect{std::max(p.Left, l - 2), std::max(p.Top, t - 2), std::min(p.Right, r + 2),
                         std::min(p.Bottom, b + 2)},
                   Amount);
}

void TPlotCanvas3D::BlurredShadowText(int X, int Y, const std::string& Text, const TRect& R, int Amount)
{
    const platform::Point org = m_device->GetViewportOrg();
    const bool kept = m_device == m_buffer.get() && org.x == 0 && org.y == 0
                      && m_device->GetBkMode() == platform::BackMode::Transparent;
    if (!kept) {
        m_device->TextOut(X, Y, Text);
        BlurBufferRect(R, Amount);
        return;
    }
    // the part the text may touch: its blur rectangle, more to the sides for
    // overhanging glyphs, and a ring that must stay as it was
    const platform::FontDesc& font = m_device->GetFont();
    const int mx = 3 + std::abs(font.height) / 3;
    const TRect part = BufferPart(TRect{R.Left - mx, R.Top - 2, R.Right + mx, R.Bottom + 2});
    bool clipOk = true;
    if (const std::optional<Region> clip = m_device->GetClipRgn()) {
        const platform::Rect box = clip->GetKind() == Region::Kind::Rect ? clip->Box() : platform::Rect{};
        clipOk = box.left <= part.Left && box.top <= part.Top && box.right > part.Right && box.bottom > part.Bottom;
    }
    // a part that reaches the buffer's edge may lose overhanging pixels: it is
    // never kept, so it takes the plain path without copying its pixels first
    const platform::Bitmap& surface = m_buffer->Surface();
    const bool awayFromEdges = part.Left > 0 && part.Top > 0 && part.Right < surface.Width() - 1
                               && part.Bottom < surface.Height() - 1;
    if (!clipOk || !awayFromEdges || part.Right < part.Left || part.Bottom < part.Top) {
        m_device->TextOut(X, Y, Text);
        BlurBufferRect(R, Amount);
        return;
    }
    const int pw = part.Right - part.Left + 1, ph = part.Bottom - part.Top + 1;
    const TRect relPart{part.Left - X, part.Top - Y, part.Right - X, part.Bottom - Y};
    const TRect relBlur{R.Left - X, R.Top - Y, R.Right - X, R.Bottom - Y};
    const unsigned align = m_device->GetTextAlign();
    const int extra = m_device->GetTextCharacterExtra();
    const TColor color = m_device->GetTextColor();
    std::size_t hash = std::hash<std::string>{}(Text);
    const auto mix = [&hash](std::size_t v) { hash ^= v + 0x9E3779B97F4A7C15ull + (hash << 6) + (hash >> 2); };
    mix(std::hash<std::string>{}(font.name));
    for (const int v : {font.height, font.weight, int(font.italic), int(font.underline), int(font.strikeOut),
                        font.escapement, font.charset, int(align), extra, int(color), Amount, relPart.Left, relPart.Top,
                        relPart.Right, relPart.Bottom, relBlur.Left, relBlur.Top, relBlur.Right, relBlur.Bottom})
        mix(static_cast<std::size_t>(static_cast<unsigned>(v)));
    const auto rowsEqual = [&](const std::vector<std::uint32_t>& Pixels) {
        for (int y = 0; y < ph; ++y)
            if (std::memcmp(m_buffer->ScanLine(part.Top + y) + part.Left, Pixels.data() + static_cast<std::size_t>(y) * pw,
                            static_cast<std::size_t>(pw) * 4) != 0)
                return false;
        return true;
    };
    for (TShadowPicture& e : m_shadowPictures) {
        if (e.Hash != hash || e.Text != Text || !(e.Font == font) || e.Align != align || e.Extra != extra
            || e.Color != color || e.Amount != Amount || e.Part != relPart || e.Blur != relBlur || !rowsEqual(e.Before))
            continue;
        for (int y = 0; y < ph; ++y)
            std::memcpy(m_buffer->ScanLine(part.Top + y) + part.Left, e.After.data() + static_cast<std::size_t>(y) * pw,
                        static_cast<std::size_t>(pw) * 4);
        e.Used = ++m_shadowUse;
        return;
    }
    TShadowPicture e;
    e.Before.resize(static_cast<std::size_t>(pw) * static_cast<std::size_t>(ph));
    for (int y = 0; y < ph; ++y)
        std::memcpy(e.Before.data() + static_cast<std::size_t>(y) * pw, m_buffer->ScanLine(part.Top + y) + part.Left,
                    static_cast<std::size_t>(pw) * 4);
    m_device->TextOut(X, Y, Text);
    BlurAfterText(R, part, e.Before, Amount);
    // kept only when the text and its blur stayed inside the ring
    const std::uint32_t* firstRow = m_buffer->ScanLine(part.Top) + part.Left;
    const std::uint32_t* lastRow = m_buffer->ScanLine(part.Bottom) + part.Left;
    bool inside = std::memcmp(firstRow, e.Before.data(), static_cast<std::size_t>(pw) * 4) == 0
                  && std::memcmp(lastRow, e.Before.data() + static_cast<std::size_t>(ph - 1) * pw,
                                 static_cast<std::size_t>(pw) * 4) == 0;
    for (int y = 1; y + 1 < ph && inside; ++y) {
        const std::uint32_t* row = m_buffer->ScanLine(part.Top + y) + part.Left;
        const std::uint32_t* was = e.Before.data() + static_cast<std::size_t>(y) * pw;
        inside = row[0] == was[0] && row[pw - 1] == was[pw - 1];
    }
    if (!inside)
        return;
    e.After.resize(e.Before.size());
    for (int y = 0; y < ph; ++y)
        std::memcpy(e.After.data() + static_cast<std::size_t>(y) * pw, m_buffer->ScanLine(part.Top + y) + part.Left,
                    static_cast<std::size_t>(pw) * 4);
    e.Hash = hash;
    e.Text = Text;
    e.Font = font;
    e.Align = align;
    e.Extra = extra;
    e.Color = color;
    e.Amount = Amount;
    e.Part = relPart;
    e.Blur = relBlur;
    e.Used = ++m_shadowUse;
    // at most 160 pictures and a million pixels: the least recently used go first
    constexpr std::size_t kMaxPictures = 160, kMaxPixels = 1u << 20;
    std::size_t pixels = 2 * e.Before.size();
    for (const TShadowPicture& k : m_shadowPictures)
        pixels += 2 * k.Before.size();
    while (!m_shadowPictures.empty() && (m_shadowPictures.size() >= kMaxPictures || pixels > kMaxPixels)) {
        const auto oldest = std::min_element(m_shadowPictures.begin(), m_shadowPictures.end(),
                                             [](const TShadowPicture& a, const TShadowPicture& b) { return a.Used < b.Used; });
        pixels -= 2 * oldest->Before.size();
        m_shadowPictures.erase(oldest);
    }
    if (pixels <= kMaxPixels)
        m_shadowPictures.push_back(std::move(e));
}

void TPlotCanvas3D::BlurBufferRect(const TRect& R, int Amount)
{
    // the blur straight on the buffer's pixels; the filter on a copy of them
    // for amounts beyond its fast range
    const TRect p = BufferPart(R);
    if (p.Right < p.Left || p.Bottom < p.Top)
        return;
    if (BlurOpaquePart(m_buffer->ScanLine(p.Top) + p.Left, m_buffer->Surface().Width(), p.Right - p.Left + 1,
                       p.Bottom - p.Top + 1, Amount))
        return;
    const TFilterClass* blur = FindFilterClass("TBlurFilter");
    std::unique_ptr<TPlotFilter> filter = blur->Create();
    TPropertyValue amount;
    amount.Type = vaInt32;
    amount.Int = Amount;
    filter->ReadProperty("Amount", amount);
    FilterBufferRect(*filter, R);
}

void TPlotCanvas3D::FilterBufferRect(TPlotFilter& Filter, const TRect& R)
{
    // the blur reads and writes only inside R (edges included): only that
    // part of the buffer goes through the filter
    const platform::Bitmap& surface = m_buffer->Surface();
    const TRect part = BufferPart(R);
    if (part.Right < part.Left || part.Bottom < part.Top)
        return;
    const int left = part.Left;
    const int top = part.Top;
    const int right = part.Right;
    const int bottom = part.Bottom;
    const int w = right - left + 1;
    const int h = bottom - top + 1;
    // the filters work on 24-bit rows: blue, green, red
    TBitmap pixels(w, h, pf24bit);
    for (int y = 0; y < h; ++y) {
        const std::uint32_t* src = surface.ScanLine(top + y) + left;
        std::uint8_t* dst = pixels.ScanLine(y);
        for (int x = 0; x < w; ++x, dst += 3) {
            dst[0] = static_cast<std::uint8_t>(src[x]);
            dst[1] = static_cast<std::uint8_t>(src[x] >> 8);
            dst[2] = static_cast<std::uint8_t>(src[x] >> 16);
        }
    }
    Filter.Apply(pixels, TRect{0, 0, w - 1, h - 1});
    // back into the buffer's own pixels, as the filter works on the bitmap itself
    pixels.SetPixelFormat(pf24bit);
    for (int y = 0; y < std::min(h, pixels.Height()); ++y) {
        const std::uint8_t* src = pixels.ScanLine(y);
        std::uint32_t* dst = m_buffer->ScanLine(top + y) + left;
        for (int x = 0; x < std::min(w, pixels.Width()); ++x, src += 3)
            dst[x] = 0xFF000000u | std::uint32_t{src[2]} << 16 | std::uint32_t{src[1]} << 8 | src[0];
    }
}

void TPlotCanvas3D::TextOutEffects(int X, int Y, const std::string& Text)
{
    TPlotFont* font = m_currentFont;
    TChartHiddenPen* outline = font->OutLineIfAny();
    const bool outlineVisible = outline && outline->Visible();
    TPlotFontGradient* gradient = font->GradientIfAny();
    TPlotPicture* picture = font->PictureIfAny();
    const TColor fontColor = m_font.Color();
    if (outlineVisible)
        AssignPen(outline);
    else
        m_pen.SetStyle(psClear);
    m_brush.SetBitmap(nullptr);
    m_brush.SetStyle(bsSolid);
    m_brush.SetColor(fontColor);
    SetBackMode(cbmTransparent);
    ApplyShapeState();
    auto layPath = [&] {
        m_device->BeginPath();
        m_device->TextOut(X, Y, Text);
        m_device->EndPath();
    };
    layPath();
    const TRect textRect = TextRect(X, Y, Text);
    auto clipToPath = [&] {
        if (!m_clipping) {
            m_savedClip = m_device->GetClipRgn();
            m_clipping = true;
        }
        m_device->SelectClipPath(ClipCombine::And);
    };
    if (gradient && gradient->Visible()) {
        if (gradient->Outline())
            m_device->WidenPath();
        clipToPath();
        gradient->Draw(*this, textRect);
        UnClip();
        if (gradient->Outline())
            return;
        if (outlineVisible) {
            layPath();
            m_brush.SetStyle(bsClear);
        }
    } else if (picture && picture->HasGraphic()) {
        clipToPath();
        StretchDraw(textRect, picture->FilteredGraphic());
        UnClip();
        if (outlineVisible) {
            layPath();
            m_brush.SetStyle(bsClear);
        }
    }
    if (outlineVisible) {
        ApplyShapeState();
        if (fontColor == clNone)
            m_device->StrokePath();
        else
            m_device->StrokeAndFillPath();
    }
}

void TPlotCanvas3D::RotatedTextOut(int X, int Y, const std::string& Text, double Angle)
{
    if (!m_device)
        return;
    while (Angle > 360)
        Angle -= 360;
    m_brush.SetStyle(bsClear);
    const int savedOrientation = m_font.Orientation();
    const int savedHeight = m_font.Height();
    m_font.SetOrientation(Nearest(Angle * 10));
    if (ZoomText && ZoomFactor != 1.0) {
        const int size = std::max(1, Nearest(m_font.Size() * ZoomFactor));
        m_font.SetHeight(-platform::MulDiv(size, m_font.PixelsPerInch(), 72));
    }
    TextOut(X, Y, Text);
    m_font.SetOrientation(savedOrientation);
    m_font.SetHeight(savedHeight);
}

// ---- 3D layer ----

TColor TPlotCanvas3D::GetPixel3D(int X, int Y, int Z)
{
    ProjectInPlace(X, Y, Z);
    return GetPixel(X, Y);
}

void TPlotCanvas3D::SetPixel3D(int X, int Y, int Z, TColor Color)
{
    ProjectInPlace(X, Y, Z);
    if (m_pen.Width() == 1) {
        SetPixel(X, Y, Color);
        return;
    }
    m_pen.SetColor(Color);
    MoveTo(X, Y);
    LineTo(X, Y);
}

void TPlotCanvas3D::RectangleWithZ(const TRect& R, int Z)
{
    ProjectPoint3D(FourCorners[0], R.Left, R.Top, Z);
    ProjectPoint3D(FourCorners[1], R.Right, R.Top, Z);
    ProjectPoint3D(FourCorners[2], R.Right, R.Bottom, Z);
    ProjectPoint3D(FourCorners[3], R.Left, R.Bottom, Z);
    PolygonFour();
}

void TPlotCanvas3D::RectangleY(int Left, int Top, int Right, int Z0, int Z1)
{
    ProjectPoint3D(FourCorners[0], Left, Top, Z0);
    ProjectPoint3D(FourCorners[1], Right, Top, Z0);
    ProjectPoint3D(FourCorners[2], Right, Top, Z1);
    ProjectPoint3D(FourCorners[3], Left, Top, Z1);
    PolygonFour();
}

void TPlotCanvas3D::RectangleZ(int Left, int Top, int Bottom, int Z0, int Z1)
{
    ProjectPoint3D(FourCorners[0], Left, Top, Z0);
    ProjectPoint3D(FourCorners[1], Left, Top, Z1);
    ProjectPoint3D(FourCorners[2], Left, Bottom, Z1);
    ProjectPoint3D(FourCorners[3], Left, Bottom, Z0);
    PolygonFour();
}

void TPlotCanvas3D::Plane(const TPoint& P1, const TPoint& P2, int Z0, int Z1)
{
    ProjectPoint3D(FourCorners[0], P1.X, P1.Y, Z0);
    ProjectPoint3D(FourCorners[1], P2.X, P2.Y, Z0);
    ProjectPoint3D(FourCorners[2], P2.X, P2.Y, Z1);
    ProjectPoint3D(FourCorners[3], P1.X, P1.Y, Z1);
    PolygonFour();
}

void TPlotCanvas3D::PlaneWithZ(const TPoint& P1, const TPoint& P2, const TPoint& P3, const TPoint& P4, int Z)
{
    ProjectPoint3D(FourCorners[0], P1.X, P1.Y, Z);
    ProjectPoint3D(FourCorners[1], P2.X, P2.Y, Z);
    ProjectPoint3D(FourCorners[2], P3.X, P3.Y, Z);
    ProjectPoint3D(FourCorners[3], P4.X, P4.Y, Z);
    PolygonFour();
}

void TPlotCanvas3D::PlaneFour3D(const TPoint (&Points)[4], int Z0, int Z1)
{
    for (int i = 0; i < 4; ++i)
        FourCorners[i] = Points[i];
    for (int i = 0; i < 4; ++i)
        ProjectFloat(FourCorners[i], i < 2 ? Z0 : Z1, Points[i].X, Points[i].Y);
    PolygonFour();
}

void TPlotCanvas3D::Polygon3D(std::span<const TPoint3D> Points)
{
    std::vector<TPoint> p(Points.size());
    for (std::size_t i = 0; i < Points.size(); ++i)
        ProjectPoint3D(p[i], Points[i].X, Points[i].Y, Points[i].Z);
    Polygon(p);
}

void TPlotCanvas3D::TriangleWithZ(const TPoint& P1, const TPoint& P2, const TPoint& P3, int Z)
{
    TPoint p[3];
    ProjectPoint3D(p[0], P1.X, P1.Y, Z);
    ProjectPoint3D(p[1], P2.X, P2.Y, Z);
    ProjectPoint3D(p[2], P3.X, P3.Y, Z);
    Polygon(p);
}

void TPlotCanvas3D::Triangle3D(const TPoint3D (&Points)[3], const TColor (&Colors)[3])
{
    TPoint p[3];
    for (int i = 0; i < 3; ++i)
        ProjectPoint3D(p[i], Points[i].X, Points[i].Y, Points[i].Z);
    if (m_brush.Style() != bsClear)
        m_brush.SetColor(Colors[0]);
    Polygon(p);
}

void TPlotCanvas3D::EllipseWithZ(int X1, int Y1, int X2, int Y2, int Z)
{
    if (IsOrthogonal && Is3D) {
        TPoint a, b;
        ProjectPoint3D(a, X1, Y1, Z);
        ProjectPoint3D(b, X2, Y2, Z);
        Ellipse(a.X, a.Y, b.X, b.Y);
        return;
    }
    if (!Is3D) {
        Ellipse(X1, Y1, X2 + 1, Y2 + 1);
        return;
    }
    const double cx = (X1 + X2) * 0.5;
    const double cy = (Y1 + Y2) * 0.5;
    const double rx = (X2 - X1) * 0.5;
    const double ry = (Y2 - Y1) * 0.5;
    TPoint p[64];
    for (int i = 0; i < 64; ++i) {
        const double a = i * 2 * std::numbers::pi / 63;
        ProjectFloat(p[i], Z, cx + rx * std::cos(a), cy - ry * std::sin(a));
    }
    if (m_brush.Style() != bsClear) {
        const TPenStyle saved = m_pen.Style();
        m_pen.SetStyle(psClear);
        TPoint centre;
        ProjectFloat(centre, Z, cx, cy);
        for (int i = 0; i < 63; ++i) {
            const TPoint t[3] = {centre, p[i], p[i + 1]};
            Polygon(t);
        }
        m_pen.SetStyle(saved);
    }
    if (m_pen.Style() != psClear)
        Polyline(p);
}

void TPlotCanvas3D::CircleWithZ(int XCenter, int YCenter, int Z, double Radius)
{
    const int r = Nearest(Radius);
    EllipseWithZ(XCenter - r, YCenter - r, XCenter + r, YCenter + r, Z);
}

void TPlotCanvas3D::TextOut3D(int X, int Y, int Z, const std::string& Text)
{
    ProjectInPlace(X, Y, Z);
    if (!ZoomText || ZoomFactor == 1.0) {
        TextOut(X, Y, Text);
        return;
    }
    const int size = std::max(1, Nearest(m_font.Size() * ZoomFactor));
    if (size == m_font.Size()) {
        TextOut(X, Y, Text);
        return;
    }
    const int savedHeight = m_font.Height();
    m_font.SetHeight(-platform::MulDiv(size, m_font.PixelsPerInch(), 72));
    TextOut(X, Y, Text);
    m_font.SetHeight(savedHeight);
}

void TPlotCanvas3D::RotatedTextOut3D(int X, int Y, int Z, const std::string& Text, double Angle)
{
    ProjectInPlace(X, Y, Z);
    RotatedTextOut(X, Y, Text, Angle);
}

void TPlotCanvas3D::ClipCube(const TRect& R, int MinZ, int MaxZ)
{
    if (!Is3D) {
        ClipRectangle(R);
        return;
    }
    std::vector<TPoint> corners(8);
    int i = 0;
    for (int z : {MinZ, MaxZ}) {
        ProjectPoint3D(corners[i++], R.Left, R.Top, z);
        ProjectPoint3D(corners[i++], R.Right, R.Top, z);
        ProjectPoint3D(corners[i++], R.Right, R.Bottom, z);
        ProjectPoint3D(corners[i++], R.Left, R.Bottom, z);
    }
    ConvexHull(corners);
    ClipPolygon(corners, static_cast<int>(corners.size()), false);
}

void TPlotCanvas3D::Cube(int Left, int Right, int Top, int Bottom, int Z0, int Z1, bool DarkSides)
{
    const bool clear = m_brush.Style() == bsClear;
    const TColor face = m_brush.Style() == bsSolid ? m_brush.Color() : GetBackColor();
    auto corners = [this](TPoint (&c)[4], const TPoint3D (&p)[4]) {
        for (int i = 0; i < 4; ++i)
            ProjectPoint3D(c[i], p[i].X, p[i].Y, p[i].Z);
    };
    auto draw = [&](const TPoint (&c)[4], int darkness) {
        if (DarkSides && darkness > 0)
            SetDarkBrush(face, darkness);
        std::copy(std::begin(c), std::end(c), FourCorners);
        PolygonFour();
        if (DarkSides && darkness > 0) {
            if (m_brush.Style() == bsSolid)
                m_brush.SetColor(face);
            else
                SetBackColor(face);
        }
    };
    TPoint c[4];
    corners(c, {{Left, Top, Z0}, {Right, Top, Z0}, {Right, Bottom, Z0}, {Left, Bottom, Z0}});
    if (!clear && FaceOrientation(c) <= 0)
        corners(c, {{Left, Top, Z1}, {Right, Top, Z1}, {Right, Bottom, Z1}, {Left, Bottom, Z1}});
    draw(c, 0);
    corners(c, {{Right, Top, Z0}, {Right, Top, Z1}, {Right, Bottom, Z1}, {Right, Bottom, Z0}});
    if (clear || FaceOrientation(c) > 0)
        draw(c, 128);
    corners(c, {{Left, Top, Z0}, {Left, Top, Z1}, {Left, Bottom, Z1}, {Left, Bottom, Z0}});
    {
        const std::int64_t o = clear ? 1
            : std::int64_t{c[3].X - c[0].X} * (c[1].Y - c[0].Y) - std::int64_t{c[1].X - c[0].X} * (c[3].Y - c[0].Y);
        if (o > 0)
            draw(c, 128);
    }
    corners(c, {{Left, Top, Z0}, {Right, Top, Z0}, {Right, Top, Z1}, {Left, Top, Z1}});
    {
        // pivot: the right front corner
        const std::int64_t o = std::int64_t{c[0].X - c[1].X} * (c[2].Y - c[1].Y) - std::int64_t{c[2].X - c[1].X} * (c[0].Y - c[1].Y);
        if (clear || o > 0)
            draw(c, 64);
    }
    corners(c, {{Left, Bottom, Z0}, {Left, Bottom, Z1}, {Right, Bottom, Z1}, {Right, Bottom, Z0}});
    if (clear || FaceOrientation(c) < 0)
        draw(c, 64);
}

void TPlotCanvas3D::Cone(bool Vertical, int Left, int Top, int Right, int Bottom, int Z0, int Z1, bool Dark3D,
                         int ConePercent)
{
    DrawCone(*this, Vertical, Left, Top, Right, Bottom, Z0, Z1, Dark3D, ConePercent);
}

void TPlotCanvas3D::Pyramid(bool Vertical, int Left, int Top, int Right, int Bottom, int Z0, int Z1, bool DarkSides)
{
    DrawPyramid(*this, Vertical, Left, Top, Right, Bottom, Z0, Z1, DarkSides);
}

void TPlotCanvas3D::PyramidTrunc(const TRect& R, int StartZ, int EndZ, int TruncX, int TruncZ)
{
    DrawPyramidTrunc(*this, R, StartZ, EndZ, TruncX, TruncZ);
}

void TPlotCanvas3D::Pie3D(int XCenter, int YCenter, int XRadius, int YRadius, int Z0, int Z1, double StartAngle,
                          double EndAngle, bool DarkSides, bool DrawSides, int DonutPercent,
                          TCustomPlotGradient* Gradient)
{
    DrawPie3D(*this, XCenter, YCenter, XRadius, YRadius, Z0, Z1, StartAngle, EndAngle, DarkSides, DrawSides,
              DonutPercent, Gradient);
}

void TPlotCanvas3D::Arrow(bool Filled, const TPoint& FromPoint, const TPoint& ToPoint, int HeadWidth, int HeadHeight,
                          int Z, double ArrowPercent)
{
    DrawArrow(*this, Filled, FromPoint, ToPoint, HeadWidth, HeadHeight, Z, ArrowPercent);
}
