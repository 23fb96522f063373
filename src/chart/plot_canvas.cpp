#include "chart/plot_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "chart/plot_blend.h"
#include "chart/plot_font.h"
#include "chart/plot_gradient.h"
#include "chart/plot_html.h"
#include "chart/plot_shadow.h"
#include "chart/view3d_options.h"
#include "platform/system_colors.h"


TPlotCanvas::TPlotCanvas()
{
    m_pen.OnChange = [this] { m_penDirty = true; };
    m_brush.OnChange = [this] { m_brushDirty = true; };
    m_font.OnChange = [this] { m_fontDirty = true; };
}

TPlotCanvas::~TPlotCanvas()
{
    SetCurrentFont(nullptr);
}

void TPlotCanvas::SetCurrentFont(TPlotFont* Font)
{
    if (m_currentFont == Font)
        return;
    if (m_currentFont) {
        std::vector<TPlotCanvas*>& in = m_currentFont->m_currentIn;
        in.erase(std::find(in.begin(), in.end(), this));
    }
    m_currentFont = Font;
    if (Font)
        Font->m_currentIn.push_back(this);
}

void TPlotCanvas::AttachCanvas(platform::DrawingDevice* Device)
{
    m_device = Device;
    m_penDirty = m_brushDirty = m_fontDirty = true;
}

void TPlotCanvas::AssignPenColor(TPen* Pen, TColor Color)
{
    if (GetMonochrome())
        Color = clBlack;
    auto* chartPen = dynamic_cast<TChartPen*>(Pen);
    if (chartPen && !chartPen->Visible()) {
        m_pen.SetStyle(psClear);
        return;
    }
    if (chartPen && !IsNonGdiCanvas()) {
        if (chartPen->SmallDots()) {
            TPenHandle h;
            h.Width = 1;
            h.Color = Color;
            if (chartPen->SmallSpace() >= 1) {
                // a dot, then a gap of SmallSpace + 1
                h.Geometric = true;
                h.UserStyle = {0, static_cast<std::uint32_t>(chartPen->SmallSpace()) + 1};
            } else {
                h.Alternate = true;
            }
            m_pen.SetHandle(h);
            m_pen.SetMode(chartPen->Mode());
        } else if (chartPen->Width() < 2) {
            m_pen.Assign(*chartPen);
            if (m_pen.Color() != Color)
                m_pen.SetColor(Color);
        } else {
            m_pen.Assign(*chartPen);
            m_pen.SetColor(Color);
            TPenHandle h;
            h.Geometric = true;
            h.Width = chartPen->Width();
            h.Color = Color;
            h.Style = chartPen->Style();
            h.EndStyle = chartPen->EndStyle();
            h.Join = chartPen->EndStyle() == esRound ? pjRound : chartPen->EndStyle() == esSquare ? pjBevel : pjMiter;
            m_pen.SetHandle(h);
        }
        return;
    }
    m_pen.Assign(*Pen);
    m_pen.SetColor(Color);
}

TPlotBlend* TPlotCanvas::BeginBlending(const TRect& R, int Transparency)
{
    m_blendTransparency = static_cast<std::uint8_t>(Transparency & 0x7F);
    auto* blend = new TPlotBlend(this, R);
    blend->SetTransparency(m_blendTransparency);
    return blend;
}

void TPlotCanvas::EndBlending(TPlotBlend* Blend)
{
    if (!Blend)
        return;
    Blend->BlendBack(Blend->Transparency());
    delete Blend;
}

void TPlotCanvas::ArcAngles(int Left, int Top, int Right, int Bottom, double StartAngle, double EndAngle)
{
    const int hw = (Right - Left) / 2;
    const int hh = (Bottom - Top) / 2;
    const int cx = Left + hw;
    const int cy = Top + hh;
    const double step = 0.017453292519943295;
    const int x3 = cx + static_cast<int>(Round(hw * std::cos(StartAngle * step)));
    const int y3 = cy - static_cast<int>(Round(hh * std::sin(StartAngle * step)));
    const int x4 = cx + static_cast<int>(Round(hw * std::cos(EndAngle * step)));
    const int y4 = cy - static_cast<int>(Round(hh * std::sin(EndAngle * step)));
    Arc(Left, Top, Right, Bottom, x3, y3, x4, y4);
}

void TPlotCanvas::Frame3D(TRect& R, TColor TopColor, TColor BottomColor, int Width)
{
    m_pen.SetWidth(1);
    m_pen.SetStyle(psSolid);
    --R.Right;
    --R.Bottom;
    for (int i = 0; i < Width; ++i) {
        m_pen.SetColor(TopColor);
        const TPoint top[3] = {{R.Left, R.Bottom}, {R.Left, R.Top}, {R.Right, R.Top}};
        Polyline(top);
        m_pen.SetColor(BottomColor);
        const TPoint bottom[3] = {{R.Right, R.Top}, {R.Right, R.Bottom}, {R.Left - 1, R.Bottom}};
        Polyline(bottom);
        ++R.Left;
        ++R.Top;
        --R.Right;
        --R.Bottom;
    }
    ++R.Right;
    ++R.Bottom;
}

namespace {

const TPlotShadow* VisibleShadow(const TPlotFont* font)
{
    if (!font)
        return nullptr;
    const TPlotShadow* s = font->ShadowIfAny();
    return s && s->Visible() ? s : nullptr;
}

}  // namespace

int TPlotCanvas::TextWidth(const std::string& Text)
{
    int w = TextExtent(Text).cx;
    if (const TPlotShadow* s = VisibleShadow(m_currentFont))
        w += std::abs(s->HorizSize());
    return w;
}

int TPlotCanvas::TextHeight(const std::string& Text)
{
    int h = TextExtent(Text).cy;
    if (const TPlotShadow* s = VisibleShadow(m_currentFont))
        h += std::abs(s->VertSize());
    return h;
}

int TPlotCanvas::TextWidthW(const std::string& Text)
{
    return TextWidth(Text);
}

int TPlotCanvas::TextHeightW(const std::string& Text)
{
    return TextHeight(Text);
}

void TPlotCanvas::HorizLine(int Left, int Right, int Y)
{
    MoveTo(Left, Y);
    LineTo(Right, Y);
}

void TPlotCanvas::VertLine(int X, int Top, int Bottom)
{
    MoveTo(X, Top);
    LineTo(X, Bottom);
}

void TPlotCanvas::Line(int X0, int Y0, int X1, int Y1)
{
    MoveTo(X0, Y0);
    LineTo(X1, Y1);
}

void TPlotCanvas::GradientPolygon(std::span<const TPoint> Points, TCustomPlotGradient*)
{
    // a plain 2D surface has no gradient fill: only the outline
    if (Points.empty() || m_pen.Style() == psClear)
        return;
    const TBrushStyle saved = m_brush.Style();
    m_brush.SetStyle(bsClear);
    Polygon(Points);
    m_brush.SetStyle(saved);
}

void TPlotCanvas::AssignBrushColor(TChartBrush* Brush, TColor Color, TColor BackColor)
{
    if (GetMonochrome())
        Color = clWhite;
    TBitmap* pattern = nullptr;
    if (Brush->HasImage() && Brush->Image()->HasGraphic())
        pattern = dynamic_cast<TBitmap*>(Brush->Image()->Graphic());
    if (!pattern)
        pattern = Brush->Bitmap();
    if (pattern) {
        m_brush.SetStyle(bsClear);
        m_brush.SetBitmap(pattern);
        SetTextColor(Color);
        SetBackMode(cbmOpaque);
        SetBackColor(BackColor);
        return;
    }
    m_brush.SetBitmap(nullptr);
    if (m_brush.Color() != Color)
        m_brush.SetColor(Color);
    if (m_brush.Style() != Brush->Style())
        m_brush.SetStyle(Brush->Style());
    if (BackColor != clNone) {
        SetBackMode(cbmOpaque);
        SetBackColor(BackColor);
    } else {
        SetBackMode(cbmTransparent);
    }
}

void TPlotCanvas::AssignFont(TPlotFont* Font)
{
    Font->SetPixelsPerInch(m_font.PixelsPerInch());
    m_font.Assign(*Font);
    if (FontZoomPercent != 100)
        m_font.SetSize(static_cast<int>(Round(m_font.Size() * FontZoomPercent * 0.01)));
    if (GetMonochrome())
        m_font.SetColor(clBlack);
    if (GetTextCharacterExtra() != Font->InterCharSize())
        SetTextCharacterExtra(Font->InterCharSize());
    SetCurrentFont(Font);
    Font->Canvas = this;
}

void TPlotCanvas::ResetState()
{
    m_pen.SetColor(clBlack);
    m_pen.SetWidth(1);
    m_pen.SetStyle(psSolid);
    m_brush.SetColor(clWhite);
    m_brush.SetStyle(bsSolid);
    m_font.SetColor(clBlack);
    m_font.SetStyle(0);
    m_font.SetCharset(1);
    m_font.SetName(DefaultFontName);
    m_font.SetSize(DefaultFontSize);
    m_blendTransparency = 0;
    SetCurrentFont(nullptr);
    SetBackColor(clWhite);
    SetBackMode(cbmTransparent);
    SetTextAlign(platform::TextAlign::Left | platform::TextAlign::Top);
}

void TPlotCanvas::TextOutFormatted(int X, int Y, const std::string& Text, bool Html)
{
    if (!Html) {
        TextOut(X, Y, Text);
        return;
    }
    try {
        DrawHtmlText(*this, X, Y, Text);
    } catch (const std::exception& e) {
        ReportTextError(e.what());
    }
}

TSize TPlotCanvas::HtmlTextExtent(const std::string& Text)
{
    try {
        return MeasureHtmlText(*this, Text);
    } catch (const std::exception& e) {
        ReportTextError(e.what());
        return TSize{0, 0};
    }
}

void TPlotCanvas::ReportTextError(const char* Message)
{
    // the paint goes on; the error is reported once
    if (!m_textErrorReported && OnTextError) {
        m_textErrorReported = true;
        OnTextError(Message);
    }
}

void TPlotCanvas::SetDarkBrush(TColor Color, int Amount)
{
    const TColor dark = DarkenColor(Color, Amount);
    if (m_brush.Style() == bsSolid)
        m_brush.SetColor(dark);
    else
        SetBackColor(dark);
}

TCanvas3D::TCanvas3D() = default;

long TCanvas3D::QueryInterface(const std::string& Iid, void** Obj)
{
    constexpr long E_NOINTERFACE = static_cast<long>(0x80004002u);
    if (Iid == "IUnknown") {
        if (Obj)
            *Obj = this;
        return 0;
    }
    if (Obj)
        *Obj = nullptr;
    return E_NOINTERFACE;
}

void TCanvas3D::GradientPolygon(std::span<const TPoint> Points, TCustomPlotGradient* Gradient)
{
    if (Points.empty())
        return;
    ClipPolygon(Points, static_cast<int>(Points.size()), false);
    if (Gradient)
        Gradient->Draw(*this, PolygonRect(Points, static_cast<int>(Points.size())));
    UnClip();
    TPlotCanvas::GradientPolygon(Points, nullptr);
}

void TCanvas3D::BeginEntity(const std::string&) {}
void TCanvas3D::EndEntity() {}

void TCanvas3D::AssignSettings(TCanvas3D* Source)
{
    if (!Source)
        return;
    SetMonochrome(Source->GetMonochrome());
    View3DOptions = Source->View3DOptions;
}

void TCanvas3D::Cylinder(bool Vertical, int Left, int Top, int Right, int Bottom, int Z0, int Z1, bool Dark3D)
{
    Cone(Vertical, Left, Top, Right, Bottom, Z0, Z1, Dark3D, 100);
}

void TCanvas3D::Disable3D() {}
void TCanvas3D::Restore3D() {}

void TCanvas3D::HorizLine3D(int Left, int Right, int Y, int Z)
{
    MoveTo3D(Left, Y, Z);
    LineTo3D(Right, Y, Z);
}

void TCanvas3D::VertLine3D(int X, int Top, int Bottom, int Z)
{
    MoveTo3D(X, Top, Z);
    LineTo3D(X, Bottom, Z);
}

void TCanvas3D::ZLine3D(int X, int Y, int Z0, int Z1)
{
    MoveTo3D(X, Y, Z0);
    LineTo3D(X, Y, Z1);
}

void TCanvas3D::Begin2DSection()
{
    if (m_section2D == 0)
        Disable3D();
    ++m_section2D;
}

void TCanvas3D::End2DSection()
{
    if (m_section2D <= 0)
        return;
    if (--m_section2D == 0)
        Restore3D();
}

void TCanvas3D::LineWithZ(int X0, int Y0, int X1, int Y1, int Z)
{
    MoveTo3D(X0, Y0, Z);
    LineTo3D(X1, Y1, Z);
}

void TCanvas3D::MoveTo3D(int X, int Y, int Z)
{
    TPoint p;
    Project(X, Y, Z, p);
    MoveTo(p.X, p.Y);
}

void TCanvas3D::LineTo3D(int X, int Y, int Z)
{
    TPoint p;
    Project(X, Y, Z, p);
    LineTo(p.X, p.Y);
}

void TCanvas3D::PolygonWithZ(std::span<const TPoint> Points, int Z)
{
    std::vector<TPoint> projected;
    ProjectPoints(Points, Z, projected);
    Polygon(projected);
}

void TCanvas3D::PolylineWithZ(std::span<const TPoint> Points, int Z)
{
    std::vector<TPoint> projected;
    ProjectPoints(Points, Z, projected);
    Polyline(projected);
}

TRect TCanvas3D::ProjectRect(const TRect& R, int Z)
{
    TPoint a, b;
    Project(R.Left, R.Top, Z, a);
    Project(R.Right, R.Bottom, Z, b);
    return TRect{a.X, a.Y, b.X, b.Y};
}

void TCanvas3D::ProjectRectCorners(const TRect& R, int Z, TPoint (&Corners)[4])
{
    Project(R.Left, R.Top, Z, Corners[0]);
    Project(R.Right, R.Top, Z, Corners[1]);
    Project(R.Right, R.Bottom, Z, Corners[2]);
    Project(R.Left, R.Bottom, Z, Corners[3]);
}

TRect TCanvas3D::ProjectedRectBounds(const TRect& R, int Z)
{
    TPoint corners[4];
    ProjectRectCorners(R, Z, corners);
    return PolygonRect(corners, 4);
}

void TCanvas3D::ProjectPoints(std::span<const TPoint> Points, int Z, std::vector<TPoint>& Out)
{
    Out.resize(Points.size());
    for (std::size_t i = 0; i < Points.size(); ++i)
        Project(Points[i].X, Points[i].Y, Z, Out[i]);
}

void TCanvas3D::StretchDrawAtZ(const TRect& R, const TGraphic* Graphic, int Position, int Plane)
{
    m_pen.SetStyle(psClear);
    auto* source = dynamic_cast<const TBitmap*>(Graphic);
    if (!source || source->Width() == 0 || source->Height() == 0)
        return;
    const int w = source->Width();
    const int h = source->Height();
    const double cw = static_cast<double>(R.Right - R.Left) / w;
    const double ch = static_cast<double>(R.Bottom - R.Top) / h;
    // each cell's colour goes through the device's own DC brush, selected once
    if (m_device) {
        m_device->SelectStockObject(platform::StockObject::DCBrush);
        m_brushDirty = false;
    }
    auto corner = [&](int hx, int vy, TPoint& out) {
        if (Plane == 0)
            Project(Position, vy, hx, out);
        else if (Plane == 1)
            Project(hx, Position, vy, out);
        else
            Project(hx, vy, Position, out);
    };
    for (int r = 0; r < h; ++r) {
        const int y0 = R.Top + static_cast<int>(Round(r * ch));
        const int y1 = R.Top + static_cast<int>(Round((r + 1) * ch));
        for (int c = 0; c < w; ++c) {
            const int x0 = R.Left + static_cast<int>(Round(c * cw));
            const int x1 = R.Left + static_cast<int>(Round((c + 1) * cw));
            TPoint p[4];
            corner(x0, y0, p[0]);
            corner(x1, y0, p[1]);
            corner(x1, y1, p[2]);
            corner(x0, y1, p[3]);
            if (m_device)
                m_device->SetDCBrushColor(source->Pixel(c, r));
            Polygon(p);
        }
    }
    // the working brush goes back on the device before its next use
    m_brushDirty = true;
}

bool PointsClockwise(const TPoint& P0, const TPoint& P1, const TPoint& P2)
{
    // 64-bit products: far-off projected points must not overflow
    const std::int64_t a = std::int64_t{P0.X - P1.X} * (P2.Y - P1.Y);
    const std::int64_t b = std::int64_t{P2.X - P1.X} * (P0.Y - P1.Y);
    return a - b < 0;
}

bool PointsClockwiseArray(std::span<const TPoint> P)
{
    return P.size() >= 3 && PointsClockwise(P[0], P[1], P[2]);
}

bool PointInRectXY(const TRect& R, int X, int Y)
{
    return X >= R.Left && Y >= R.Top && X <= R.Right && Y <= R.Bottom;
}

TRect NormalizeRect(const TRect& R)
{
    TRect n = R;
    if (n.Left > n.Right)
        std::swap(n.Left, n.Right);
    if (n.Top > n.Bottom)
        std::swap(n.Top, n.Bottom);
    return n;
}

void ConvexHull(std::vector<TPoint>& Points)
{
    // monotone chain over the points sorted by x then y: positive turns only
    std::vector<TPoint> p(Points);
    std::sort(p.begin(), p.end(), [](const TPoint& a, const TPoint& b) { return a.X < b.X || (a.X == b.X && a.Y < b.Y); });
    p.erase(std::unique(p.begin(), p.end()), p.end());
    if (p.size() < 3) {
        Points = std::move(p);
        return;
    }
    auto cross = [](const TPoint& o, const TPoint& a, const TPoint& b) {
        return std::int64_t{a.X - o.X} * (b.Y - o.Y) - std::int64_t{a.Y - o.Y} * (b.X - o.X);
    };
    std::vector<TPoint> h(2 * p.size());
    std::size_t k = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        while (k >= 2 && cross(h[k - 2], h[k - 1], p[i]) <= 0)
            --k;
        h[k++] = p[i];
    }
    for (std::size_t i = p.size() - 1, t = k + 1; i > 0; --i) {
        while (k >= t && cross(h[k - 2], h[k - 1], p[i - 1]) <= 0)
            --k;
        h[k++] = p[i - 1];
    }
    h.resize(k - 1);
    Points = std::move(h);
}

TRect PolygonBounds(std::span<const TPoint> Points)
{
    if (Points.empty())
        return TRect{};
    TRect r{Points[0].X, Points[0].Y, Points[0].X, Points[0].Y};
    for (const TPoint& p : Points.subspan(1)) {
        r.Left = std::min(r.Left, p.X);
        r.Right = std::max(r.Right, p.X);
        r.Top = std::min(r.Top, p.Y);
        r.Bottom = std::max(r.Bottom, p.Y);
    }
    return r;
}

TRect PolygonRect(std::span<const TPoint> Points, int Count)
{
    const auto n = std::min<std::size_t>(Points.size(), static_cast<std::size_t>(std::max(Count, 0)));
    if (n == 0)
        return TRect{};
    TRect r = PolygonBounds(Points.first(n));
    ++r.Right;
    ++r.Bottom;
    return r;
}

void SetBitmapSize(TBitmap* Bitmap, int Width, int Height)
{
    if (Bitmap)
        Bitmap->SetSize(Width, Height);
}

void ColorToRGBTriple(TColor Color, std::uint8_t (&Triple)[3])
{
    const TColor c = platform::ColorToRGB(Color);
    Triple[0] = GetBValue(c);
    Triple[1] = GetGValue(c);
    Triple[2] = GetRValue(c);
}

TColor DarkenColor(TColor Color, int Amount)
{
    const TColor c = platform::ColorToRGB(Color);
    auto ch = [Amount](int v) { return static_cast<std::uint8_t>(std::max(0, v - Amount)); };
    return RGB(ch(GetRValue(c)), ch(GetGValue(c)), ch(GetBValue(c)));
}

TColor BrightenColor(TColor Color, int Amount)
{
    const TColor c = platform::ColorToRGB(Color);
    auto ch = [Amount](int v) { return static_cast<std::uint8_t>(std::min(255, v + Amount)); };
    return RGB(ch(GetRValue(c)), ch(GetGValue(c)), ch(GetBValue(c)));
}
