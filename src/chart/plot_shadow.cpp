#include "chart/plot_shadow.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "chart/plot_canvas.h"
#include "chart/plot_gradient.h"
#include "platform/drawing_device.h"
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

int TPlotShadow::Reach(int Size) const
{
    if (!m_visible || !Shows())
        return 0;
    // the blurred bitmap ends the radius past the offset shape, one pixel past it
    if (m_smooth && GetSize() != 0)
        return Size + std::abs(Size) + 1;
    return std::max(0, Size);
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
    return !Canvas.Metafiling && Canvas.RasterTarget() != nullptr;
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

// n / d, truncated, for 0 <= n < 2^48, by one 128-bit multiply and shift:
// m = ceil(2^(48 + l) / d) with 2^l >= d is exact over that range.
class TExactDivisor {
public:
    TExactDivisor() = default;
    explicit TExactDivisor(std::uint64_t d)
    {
        const int l = d > 1 ? static_cast<int>(std::bit_width(d - 1)) : 0;
        m_shift = kBits + l;
        const unsigned __int128 one = 1;
        m_magic = static_cast<std::uint64_t>(((one << m_shift) + d - 1) / d);
    }
    std::uint32_t Divide(std::uint64_t n) const
    {
        return static_cast<std::uint32_t>((static_cast<unsigned __int128>(n) * m_magic) >> m_shift);
    }

private:
    static constexpr int kBits = 48;
    std::uint64_t m_magic = 1;
    int m_shift = 0;
};

// Kernel weights and, per position along the pass, the divisor of the weights
// that fall inside the bitmap (the kernel is cut at the edges).
struct TBlurAxis {
    int Radius = 0;
    std::vector<std::uint32_t> Weights;
    std::vector<TExactDivisor> Divisors;
    bool Packed = false;  // a channel's sum always fits in 32 bits

    TBlurAxis(int radius, int smoothBlur, int length) : Radius(radius)
    {
        const std::vector<std::int64_t> w = ShadowKernel(radius, smoothBlur);
        Weights.assign(w.begin(), w.end());
        std::uint64_t total = 0;
        for (std::uint32_t v : Weights)
            total += v;
        Packed = total * 255 <= 0xFFFFFFFFu;
        Divisors.resize(static_cast<std::size_t>(std::max(0, length)));
        std::uint64_t previous = 0;
        for (int i = 0; i < length; ++i) {
            std::uint64_t sum = 0;
            for (int k = std::max(-radius, -i); k <= std::min(radius, length - 1 - i); ++k)
                sum += Weights[static_cast<std::size_t>(k + radius)];
            if (sum == 0)
                sum = 1;
            if (i == 0 || sum != previous)
                Divisors[static_cast<std::size_t>(i)] = TExactDivisor(sum);
            else
                Divisors[static_cast<std::size_t>(i)] = Divisors[static_cast<std::size_t>(i - 1)];
            previous = sum;
        }
    }
};

std::uint32_t Pack(std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

// One output pixel: the taps k0..k1 at p[k x step] under the weights w[k].
// Packed: red and blue share one 64-bit sum (blue in the low, red in the high
// 32 bits), exact while the sum of all weights x 255 stays below 2^32.
template <bool Packed>
[[gnu::always_inline]] inline std::uint32_t BlurPixel(const std::uint32_t* p, std::ptrdiff_t step,
                                                      const std::uint32_t* w, int k0, int k1, const TExactDivisor& d)
{
    if constexpr (Packed) {
        std::uint64_t rb = 0, g = 0;
        for (int k = k0; k <= k1; ++k) {
            const std::uint32_t c = p[k * step];
            const std::uint64_t wk = w[k];
            rb += wk * ((c & 0xFFu) | (std::uint64_t{c & 0xFF0000u} << 16));
            g += wk * ((c >> 8) & 0xFFu);
        }
        return Pack(d.Divide(rb >> 32), d.Divide(g), d.Divide(rb & 0xFFFFFFFFu));
    } else {
        std::uint64_t sr = 0, sg = 0, sb = 0;
        for (int k = k0; k <= k1; ++k) {
            const std::uint32_t c = p[k * step];
            const std::uint64_t wk = w[k];
            sr += wk * ((c >> 16) & 0xFF);
            sg += wk * ((c >> 8) & 0xFF);
            sb += wk * (c & 0xFF);
        }
        return Pack(d.Divide(sr), d.Divide(sg), d.Divide(sb));
    }
}

// One pass along rows (horizontal) or columns, in -> out (distinct buffers);
// pixels before firstX(y) are copied.
template <bool Packed, typename FirstX>
void BlurPass(const std::uint32_t* in, std::uint32_t* out, int width, int height, bool horizontal,
              const TBlurAxis& axis, FirstX firstX)
{
    const int r = axis.Radius;
    const std::uint32_t* w = axis.Weights.data() + r;  // w[k], k in -r..r
    const std::ptrdiff_t step = horizontal ? 1 : width;
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* src = in + static_cast<std::size_t>(y) * width;
        std::uint32_t* dst = out + static_cast<std::size_t>(y) * width;
        const int x0 = firstX(y);
        std::copy(src, src + x0, dst);
        if (horizontal) {
            for (int x = x0; x < width; ++x)
                dst[x] = BlurPixel<Packed>(src + x, step, w, std::max(-r, -x), std::min(r, width - 1 - x),
                                           axis.Divisors[static_cast<std::size_t>(x)]);
        } else {
            const int k0 = std::max(-r, -y);
            const int k1 = std::min(r, height - 1 - y);
            const TExactDivisor& d = axis.Divisors[static_cast<std::size_t>(y)];
            for (int x = x0; x < width; ++x)
                dst[x] = BlurPixel<Packed>(src + x, step, w, k0, k1, d);
        }
    }
}

template <typename FirstX>
void BlurAlong(const std::uint32_t* in, std::uint32_t* out, int width, int height, bool horizontal,
               const TBlurAxis& axis, FirstX firstX)
{
    if (axis.Packed)
        BlurPass<true>(in, out, width, height, horizontal, axis, firstX);
    else
        BlurPass<false>(in, out, width, height, horizontal, axis, firstX);
}

// Blurs in (width x height, 0xAARRGGBB rows) into out, which may be the same
// buffer; for a plain rectangle only the right and bottom bands are computed,
// the rest copied.
void BlurShadowBuffer(const std::uint32_t* in, std::uint32_t* out, int width, int height, int radiusX,
                      int radiusY, int smoothBlur, bool plainRectangle)
{
    const int rx = std::abs(radiusX);
    const int ry = std::abs(radiusY);
    const std::size_t n = static_cast<std::size_t>(width) * height;
    if (n == 0)
        return;
    const int bandX = 2 * rx + 1;
    const int bandY = 2 * ry + 1;
    const auto firstX = [&](int y) {
        return plainRectangle && y < height - bandY ? std::clamp(width - bandX, 0, width) : 0;
    };
    // kept from call to call: as large as the largest shadow drawn
    thread_local std::vector<std::uint32_t> between;
    between.resize(n);
    if (rx > 0)
        BlurAlong(in, between.data(), width, height, true, TBlurAxis(rx, smoothBlur, width), firstX);
    else
        std::copy(in, in + n, between.data());
    if (ry > 0)
        BlurAlong(between.data(), out, width, height, false, TBlurAxis(ry, smoothBlur, height), firstX);
    else
        std::copy(between.begin(), between.end(), out);
}

}  // namespace

void BlurShadowPixels(platform::Bitmap& Pixels, int RadiusX, int RadiusY, int SmoothBlur, bool PlainRectangle)
{
    BlurShadowBuffer(Pixels.Data(), Pixels.Data(), Pixels.Width(), Pixels.Height(), RadiusX, RadiusY, SmoothBlur,
                     PlainRectangle);
}

void TPlotShadow::SmoothDraw(TCanvas3D& Canvas, const TRect& Shape, TShape Kind, int RoundSize,
                             std::span<const TPoint> Points)
{
    platform::DrawingDevice* dest = Canvas.RasterTarget();
    if (!dest)
        return;
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
    const platform::Bitmap& shape = temp->Surface();
    thread_local std::vector<std::uint32_t> pixels;
    pixels.resize(static_cast<std::size_t>(w) * h);
    BlurShadowBuffer(shape.Data(), pixels.data(), w, h, ax, ay, m_smoothBlur, Kind == TShape::Rectangle);
    // written straight into the buffer, limited to its size (and its clip with Clip)
    const int x0 = std::max(0, -origin.x);
    const int x1 = std::min(w, dest->Width() - origin.x);
    for (int y = 0; y < h && x0 < x1; ++y) {
        const int dy = origin.y + y;
        if (dy < 0 || dy >= dest->Height())
            continue;
        const std::uint32_t* src = pixels.data() + static_cast<std::size_t>(y) * w;
        std::uint32_t* row = dest->ScanLine(dy);
        if (!m_clip) {
            std::copy(src + x0, src + x1, row + origin.x + x0);
            continue;
        }
        for (int x = x0; x < x1; ++x) {
            platform::Point lp{origin.x + x, dy};
            dest->DPtoLP(&lp, 1);
            if (dest->PtVisible(lp.x, lp.y))
                row[origin.x + x] = src[x];
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
