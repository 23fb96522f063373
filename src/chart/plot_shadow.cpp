#include "chart/plot_shadow.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "chart/plot_canvas_3d.h"
#include "chart/plot_gradient.h"
#include "platform/system_colors.h"

TPlotShadow::TPlotShadow(std::function<void()> onChange) : OnChange(std::move(onChange)) {}

void TPlotShadow::Changed()
{
    if (OnChange)
        OnChange();
}

void TPlotShadow::SetClip(bool value) { SetValue(m_clip, value); }
void TPlotShadow::SetColor(TColor value) { SetValue(m_color, value); }
void TPlotShadow::SetHorizSize(int value) { SetValue(m_horizSize, value); }
void TPlotShadow::SetVertSize(int value) { SetValue(m_vertSize, value); }
void TPlotShadow::SetSmooth(bool value) { SetValue(m_smooth, value); }
void TPlotShadow::SetSmoothBlur(int value) { SetValue(m_smoothBlur, value); }
void TPlotShadow::SetTransparency(int value) { SetValue(m_transparency, value); }
void TPlotShadow::SetVisible(bool value) { SetValue(m_visible, value); }

void TPlotShadow::SetSize(int value)
{
    SetHorizSize(value);
    SetVertSize(value);
}

void TPlotShadow::SetDefaults(TColor color, int size)
{
    m_color = color;
    DefaultColor = color;
    m_horizSize = size;
    m_vertSize = size;
    DefaultSize = size;
}

void TPlotShadow::Assign(const TPlotShadow* source)
{
    if (!source || source == this)
        return;
    m_color = source->m_color;
    m_horizSize = source->m_horizSize;
    m_smooth = source->m_smooth;
    m_smoothBlur = source->m_smoothBlur;
    m_transparency = source->m_transparency;
    m_vertSize = source->m_vertSize;
    m_visible = source->m_visible;
}

// ---- drawing ----

bool TPlotShadow::Shows() const
{
    return m_color != clNone && (m_horizSize != 0 || m_vertSize != 0);
}

void TPlotShadow::SelectFlatFill(TCanvas3D& Canvas) const
{
    Canvas.Brush()->SetBitmap(nullptr);
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(m_color);
    Canvas.Pen()->SetStyle(psClear);
}

bool TPlotShadow::CanBlur(TCanvas3D& Canvas) const
{
    auto* gdi = dynamic_cast<TPlotCanvas3D*>(&Canvas);
    return gdi && !Canvas.Metafiling && gdi->Bitmap() && gdi->GetHandle() == gdi->Bitmap();
}

std::vector<std::int64_t> ShadowKernel(int Radius, int SmoothBlur)
{
    const int r = std::abs(Radius);
    std::vector<std::int64_t> w(static_cast<std::size_t>(2 * r + 1), 100000);
    if (r == 0)
        return w;
    const double base = ((SmoothBlur + 180) * 0.01 + 180) * 0.01;
    for (int k = 0; k <= 2 * r; ++k)
        w[static_cast<std::size_t>(k)] = Round(100000 * std::pow(base, -static_cast<double>((k - r) * (k - r)) / r));
    return w;
}

namespace {

// One pass of the kernel along rows (horizontal) or columns; the sums are
// 64-bit: a channel's sum reaches (2r + 1) x 100000 x 255.
void BlurPass(platform::Bitmap& p, int r, int smoothBlur, bool horizontal, int bandX, int bandY, bool plain)
{
    if (r == 0)
        return;
    const std::vector<std::int64_t> w = ShadowKernel(r, smoothBlur);
    const int width = p.Width();
    const int height = p.Height();
    const platform::Bitmap in = p;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (plain && x < width - bandX && y < height - bandY)
                continue;
            std::int64_t sr = 0, sg = 0, sb = 0, sw = 0;
            for (int k = -r; k <= r; ++k) {
                const int xx = horizontal ? x + k : x;
                const int yy = horizontal ? y : y + k;
                if (xx < 0 || yy < 0 || xx >= width || yy >= height)
                    continue;
                const std::int64_t wk = w[static_cast<std::size_t>(k + r)];
                const std::uint32_t c = in.RawPixel(xx, yy);
                sr += wk * ((c >> 16) & 0xFF);
                sg += wk * ((c >> 8) & 0xFF);
                sb += wk * (c & 0xFF);
                sw += wk;
            }
            if (sw == 0)
                sw = 1;
            const auto ch = [sw](std::int64_t s) { return static_cast<std::uint32_t>(std::clamp<std::int64_t>(s / sw, 0, 255)); };
            p.SetRawPixel(x, y, 0xFF000000u | (ch(sr) << 16) | (ch(sg) << 8) | ch(sb));
        }
    }
}

}  // namespace

void BlurShadowPixels(platform::Bitmap& Pixels, int RadiusX, int RadiusY, int SmoothBlur, bool PlainRectangle)
{
    const int rx = std::abs(RadiusX);
    const int ry = std::abs(RadiusY);
    const int bandX = 2 * rx + 1;
    const int bandY = 2 * ry + 1;
    BlurPass(Pixels, rx, SmoothBlur, true, bandX, bandY, PlainRectangle);
    BlurPass(Pixels, ry, SmoothBlur, false, bandX, bandY, PlainRectangle);
}

void TPlotShadow::SmoothDraw(TCanvas3D& Canvas, const TRect& Shape, TShape Kind, int RoundSize,
                             std::span<const TPoint> Points)
{
    auto& gdi = static_cast<TPlotCanvas3D&>(Canvas);
    platform::DrawingDevice* dest = gdi.Bitmap();
    const int ax = std::abs(m_horizSize);
    const int ay = std::abs(m_vertSize);
    const int sw = Shape.Right - Shape.Left;
    const int sh = Shape.Bottom - Shape.Top;
    const int w = std::max(1, sw + 1 + 2 * ax);
    const int h = std::max(1, sh + 1 + 2 * ay);
    // where the bitmap's (0, 0) lands on the destination
    platform::Point origin{Shape.Left + m_horizSize - ax, Shape.Top + m_vertSize - ay};
    dest->LPtoDP(&origin, 1);
    // the area under the shadow, so the blur fades into what is there
    std::unique_ptr<platform::DrawingDevice> temp = dest->CreateCompatible(w, h);
    temp->BitBlt(0, 0, w, h, dest->Surface(), origin.x, origin.y, platform::Rop3::SrcCopy);
    temp->SelectPen(platform::PenDesc::NullPen());
    temp->SelectBrush(platform::BrushDesc::Solid(platform::ColorToRGB(m_color)));
    // with no pen a shape fills one pixel less: one more covers the shape's own pixels
    switch (Kind) {
    case TShape::Rectangle:
        temp->Rectangle(ax, ay, ax + sw + 1, ay + sh + 1);
        break;
    case TShape::RoundRectangle:
        temp->RoundRect(ax, ay, ax + sw + 1, ay + sh + 1, RoundSize, RoundSize);
        break;
    case TShape::Ellipse:
        temp->Ellipse(ax, ay, ax + sw + 1, ay + sh + 1);
        break;
    case TShape::Polygon: {
        std::vector<platform::Point> p(Points.size());
        for (std::size_t i = 0; i < Points.size(); ++i)
            p[i] = platform::Point{Points[i].X - Shape.Left + ax, Points[i].Y - Shape.Top + ay};
        temp->Polygon(p.data(), static_cast<int>(p.size()));
        break;
    }
    }
    platform::Bitmap pixels = temp->Surface();
    BlurShadowPixels(pixels, ax, ay, m_smoothBlur, Kind == TShape::Rectangle);
    // written straight into the buffer, limited to its size (and its clip with Clip)
    for (int y = 0; y < h; ++y) {
        const int dy = origin.y + y;
        if (dy < 0 || dy >= dest->Height())
            continue;
        std::uint32_t* row = dest->ScanLine(dy);
        for (int x = 0; x < w; ++x) {
            const int dx = origin.x + x;
            if (dx < 0 || dx >= dest->Width())
                continue;
            if (m_clip) {
                platform::Point lp{dx, dy};
                dest->DPtoLP(&lp, 1);
                if (!dest->PtVisible(lp.x, lp.y))
                    continue;
            }
            row[dx] = pixels.RawPixel(x, y);
        }
    }
}

void TPlotShadow::DrawShape(TCanvas3D& Canvas, const TRect& R, int Z, int RoundSize)
{
    if (!Shows())
        return;
    const int hs = m_horizSize;
    const int vs = m_vertSize;
    const bool blur = m_smooth && GetSize() != 0 && CanBlur(Canvas);
    if (!blur)
        SelectFlatFill(Canvas);
    TPlotBlend* blend = nullptr;
    if (m_transparency != 0)
        blend = Canvas.BeginBlending(
            Canvas.ProjectedRectBounds(TRect{R.Left + hs, R.Top + vs, R.Right + hs, R.Bottom + vs}, Z),
            m_transparency);
    const bool in2D = Canvas.Section2DCount() > 0;
    if (blur) {
        TRect shape = Canvas.ProjectRect(R, Z);
        SmoothDraw(Canvas, shape, RoundSize >= 1 ? TShape::RoundRectangle : TShape::Rectangle, RoundSize, {});
    } else if (RoundSize >= 1) {
        Canvas.RoundRect(R.Left + hs, R.Top + vs, R.Right + hs, R.Bottom + vs, RoundSize, RoundSize);
    } else if (!m_smooth || GetSize() == 0) {
        if (!in2D) {
            Canvas.RectangleWithZCoords(R.Left + hs, R.Bottom, R.Right + hs, R.Bottom + vs, Z);
            Canvas.RectangleWithZCoords(R.Right, R.Top + vs, R.Right + hs, R.Bottom + vs, Z);
        } else {
            if (vs > 0)
                Canvas.Rectangle(R.Left + hs, R.Bottom, R.Right + hs, R.Bottom + 1 + vs);
            else if (vs < 0)
                Canvas.Rectangle(R.Left + hs, R.Top + 1, R.Right + hs, R.Top + vs);
            if (hs > 0)
                Canvas.Rectangle(R.Right, R.Top + vs, R.Right + 1 + hs, R.Bottom + vs + 1);
            else if (hs < 0)
                Canvas.Rectangle(R.Left + 1, R.Top + vs, R.Left + hs, R.Bottom + vs + 1);
        }
    } else {
        // graded lines from the shadow colour towards white
        const TColor start = platform::ColorToRGB(m_color);
        const double grey = (GetRValue(start) + GetGValue(start) + GetBValue(start)) / 3.0;
        TPen* pen = Canvas.Pen();
        pen->SetStyle(psSolid);
        pen->SetWidth(1);
        auto series = [&](int count, auto drawLine) {
            TColor c = start;
            const int step = count > 0 ? Nearest((255 - grey) / count) : 0;
            for (int i = 0; i < count; ++i) {
                pen->SetColor(c);
                drawLine(i, c);
                c = BrightenColor(c, step);
            }
        };
        series(vs, [&](int i, TColor) {
            const int y = R.Bottom + i;
            if (in2D)
                Canvas.HorizLine(R.Left + hs, R.Right + hs, y);
            else
                Canvas.HorizLine3D(R.Left + hs, R.Right + hs, y, Z);
        });
        series(hs, [&](int i, TColor c) {
            const int x = R.Right + i;
            if (in2D) {
                Canvas.VertLine(x, R.Top + vs, R.Bottom + vs);
                Canvas.SetPixel(x, R.Bottom + vs, c);
            } else {
                Canvas.VertLine3D(x, R.Top + vs, R.Bottom + vs, Z);
                Canvas.SetPixel3D(x, R.Bottom + vs, Z, c);
            }
        });
    }
    if (blend)
        Canvas.EndBlending(blend);
}

void TPlotShadow::DrawEllipse(TCanvas3D& Canvas, const TRect& R, int Z)
{
    if (!Shows())
        return;
    const int hs = m_horizSize;
    const int vs = m_vertSize;
    const TRect offset{R.Left + hs, R.Top + vs, R.Right + hs, R.Bottom + vs};
    const bool blur = m_smooth && CanBlur(Canvas);
    if (!blur)
        SelectFlatFill(Canvas);
    TPlotBlend* blend = m_transparency != 0
        ? Canvas.BeginBlending(Canvas.ProjectedRectBounds(offset, Z), m_transparency) : nullptr;
    if (!m_smooth) {
        Canvas.EllipseWithZ(offset.Left, offset.Top, offset.Right, offset.Bottom, Z);
    } else if (!blur) {
        const TRect projected = Canvas.ProjectRect(offset, Z);
        Canvas.ClipEllipse(projected, false);
        TCustomPlotGradient radial;
        radial.SetStartColor(DarkenColor(m_color, 128));
        radial.SetEndColor(BrightenColor(m_color, 32));
        radial.DrawRadial(Canvas, projected);
        Canvas.UnClip();
    } else {
        SmoothDraw(Canvas, Canvas.ProjectRect(R, Z), TShape::Ellipse, 0, {});
    }
    if (blend)
        Canvas.EndBlending(blend);
}

void TPlotShadow::DrawPolygon(TCanvas3D& Canvas, std::span<const TPoint> Points)
{
    if (!Shows() || Points.empty())
        return;
    std::vector<TPoint> p(Points.begin(), Points.end());
    for (TPoint& q : p) {
        q.X += m_horizSize;
        q.Y += m_vertSize;
    }
    const bool blur = m_smooth && CanBlur(Canvas);
    if (!blur)
        SelectFlatFill(Canvas);
    TPlotBlend* blend = m_transparency != 0
        ? Canvas.BeginBlending(PolygonRect(p, static_cast<int>(p.size())), m_transparency) : nullptr;
    if (!blur)
        Canvas.Polygon(p);
    else
        SmoothDraw(Canvas, PolygonBounds(Points), TShape::Polygon, 0, Points);
    if (blend)
        Canvas.EndBlending(blend);
}
