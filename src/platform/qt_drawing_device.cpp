#include "platform/qt_drawing_device.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>
#include <utility>

#include "base/name_matching.h"
#include "platform/curve_raster_cache.h"
#include "platform/system_colors.h"

namespace platform {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr std::uint8_t kMarkBrush = 1;
constexpr std::uint8_t kMarkPen = 2;
constexpr std::uint8_t kMarkGap = 3;
constexpr std::uint32_t kOpaque = 0xFF000000u;

// Eight pixels in one vector (two halves where the processor has no AVX2).
using Pixels8 = std::uint32_t __attribute__((vector_size(32)));

// Four pixels in one vector.
using Pixels4 = std::uint32_t __attribute__((vector_size(16)));

// A run of at least 16 pixels of one colour, in the widest vectors the
// processor has: four aligned vectors a pass, the unaligned head and tail
// each one vector overlapping them.
__attribute__((target_clones("avx2", "default"))) void FillPixelsWide(std::uint32_t* d, int n, std::uint32_t p)
{
    const Pixels8 v = {p, p, p, p, p, p, p, p};
    std::uint32_t* const end = d + n;
    std::memcpy(d, &v, sizeof v);
    std::memcpy(end - 8, &v, sizeof v);
    // from the first vector boundary past d: no store splits a cache line
    auto* q = reinterpret_cast<std::uint32_t*>((reinterpret_cast<std::uintptr_t>(d) + sizeof v) &
                                               ~static_cast<std::uintptr_t>(sizeof v - 1));
    for (; end - q >= 32; q += 32) {
        std::memcpy(q, &v, sizeof v);
        std::memcpy(q + 8, &v, sizeof v);
        std::memcpy(q + 16, &v, sizeof v);
        std::memcpy(q + 24, &v, sizeof v);
    }
    for (; end - q >= 8; q += 8)
        std::memcpy(q, &v, sizeof v);
}

// n pixels of p from d on; short runs as a few overlapping stores.
inline void FillPixels(std::uint32_t* d, int n, std::uint32_t p)
{
    if (n >= 16) {
        FillPixelsWide(d, n, p);
        return;
    }
    if (n >= 4) {
        const Pixels4 v = {p, p, p, p};
        std::memcpy(d, &v, sizeof v);
        if (n > 8)
            std::memcpy(d + 4, &v, sizeof v);
        if (n > 12)
            std::memcpy(d + 8, &v, sizeof v);
        std::memcpy(d + n - 4, &v, sizeof v);
        return;
    }
    if (n >= 2) {
        const std::uint64_t two = static_cast<std::uint64_t>(p) << 32 | p;
        std::memcpy(d, &two, sizeof two);
        std::memcpy(d + n - 2, &two, sizeof two);
        return;
    }
    if (n == 1)
        d[0] = p;
}

std::uint32_t ApplyRop2(Rop2 rop, std::uint32_t p, std::uint32_t d)
{
    std::uint32_t r = d;
    switch (rop) {
    case Rop2::Black: r = 0; break;
    case Rop2::NotMergePen: r = ~(p | d); break;
    case Rop2::MaskNotPen: r = ~p & d; break;
    case Rop2::NotCopyPen: r = ~p; break;
    case Rop2::MaskPenNot: r = p & ~d; break;
    case Rop2::Not: r = ~d; break;
    case Rop2::XorPen: r = p ^ d; break;
    case Rop2::NotMaskPen: r = ~(p & d); break;
    case Rop2::MaskPen: r = p & d; break;
    case Rop2::NotXorPen: r = ~(p ^ d); break;
    case Rop2::Nop: r = d; break;
    case Rop2::MergeNotPen: r = ~p | d; break;
    case Rop2::CopyPen: r = p; break;
    case Rop2::MergePenNot: r = p | ~d; break;
    case Rop2::MergePen: r = p | d; break;
    case Rop2::White: r = 0xFFFFFF; break;
    }
    return r | kOpaque;
}

bool HatchOn(HatchStyle h, int x, int y)
{
    const int px = x & 7;
    const int py = y & 7;
    switch (h) {
    case HatchStyle::Horizontal: return py == 0;
    case HatchStyle::Vertical: return px == 0;
    case HatchStyle::FDiagonal: return px == py;
    case HatchStyle::BDiagonal: return px + py == 7;
    case HatchStyle::Cross: return px == 0 || py == 0;
    case HatchStyle::DiagCross: return px == py || px + py == 7;
    }
    return false;
}

int PositiveMod(int a, int m)
{
    const int r = a % m;
    return r < 0 ? r + m : r;
}

int RoundHalfUp(double v)
{
    // floor(v + 0.5), by truncation (no library call)
    const double t = v + 0.5;
    if (!(t >= -1e9))
        return -1000000000;
    if (t > 1e9)
        return 1000000000;
    const int i = static_cast<int>(t);
    return static_cast<double>(i) > t ? i - 1 : i;
}

PointF ToPointF(Point p) { return {static_cast<double>(p.x), static_cast<double>(p.y)}; }

// The flattened curves after the start point of 3n + 1 control points.
std::vector<PointF> BezierPoints(const std::vector<PointF>& ctrl)
{
    std::vector<PointF> out;
    PointF a = ctrl[0];
    for (std::size_t i = 1; i + 2 < ctrl.size(); i += 3) {
        const PointF c1 = ctrl[i];
        const PointF c2 = ctrl[i + 1];
        const PointF e = ctrl[i + 2];
        const double len = std::hypot(c1.x - a.x, c1.y - a.y) + std::hypot(c2.x - c1.x, c2.y - c1.y) +
                           std::hypot(e.x - c2.x, e.y - c2.y);
        const int n = static_cast<int>(std::clamp(std::ceil(len / 2), 2.0, 1000.0));
        for (int k = 1; k <= n; ++k) {
            const double t = static_cast<double>(k) / n;
            const double u = 1 - t;
            const double b0 = u * u * u, b1 = 3 * u * u * t, b2 = 3 * u * t * t, b3 = t * t * t;
            out.push_back({b0 * a.x + b1 * c1.x + b2 * c2.x + b3 * e.x, b0 * a.y + b1 * c1.y + b2 * c2.y + b3 * e.y});
        }
        a = e;
    }
    return out;
}

// The pixels a figure's outline runs through: its points rounded, repeats
// dropped, into pts (its storage kept).
void OutlineVerticesInto(const std::vector<PointF>& points, std::vector<Point>& pts)
{
    pts.clear();
    pts.reserve(points.size());
    for (const PointF& p : points) {
        const Point q{RoundHalfUp(p.x), RoundHalfUp(p.y)};
        if (pts.empty() || !(pts.back() == q))
            pts.push_back(q);
    }
}

std::vector<Point> OutlineVertices(const std::vector<PointF>& points)
{
    std::vector<Point> pts;
    OutlineVerticesInto(points, pts);
    return pts;
}

std::vector<PointF> FromQPolygon(const QPolygonF& poly)
{
    std::vector<PointF> pts;
    pts.reserve(static_cast<std::size_t>(poly.size()));
    for (const QPointF& p : poly)
        pts.push_back({p.x(), p.y()});
    return pts;
}

Rect Intersect(const Rect& a, const Rect& b)
{
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    if (r.IsEmpty())
        return {};
    return r;
}

Rect Unite(const Rect& a, const Rect& b)
{
    if (a.IsEmpty())
        return b;
    if (b.IsEmpty())
        return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

// The part of r inside bounds (no overflow however far r reaches).
QRect ClampedQRect(const Rect& r, const Rect& bounds)
{
    const Rect i = Intersect(r, bounds);
    return i.IsEmpty() ? QRect() : ToQRect(i);
}

// Angle normalised into (0, 2 pi]; equal radials give a full turn.
double FullTurn(double a)
{
    a = std::fmod(a, 2 * kPi);
    if (a < 0)
        a += 2 * kPi;
    if (a < 1e-9 || a > 2 * kPi - 1e-9)
        a = 2 * kPi;
    return a;
}

const std::vector<std::uint32_t>& StylePattern(PenStyle s)
{
    static const std::vector<std::uint32_t> dash = {18, 6};
    static const std::vector<std::uint32_t> dot = {3, 3};
    static const std::vector<std::uint32_t> dashDot = {9, 6, 3, 6};
    static const std::vector<std::uint32_t> dashDotDot = {9, 3, 3, 3, 3, 3};
    static const std::vector<std::uint32_t> alternate = {1, 1};
    static const std::vector<std::uint32_t> none;
    switch (s) {
    case PenStyle::Dash: return dash;
    case PenStyle::Dot: return dot;
    case PenStyle::DashDot: return dashDot;
    case PenStyle::DashDotDot: return dashDotDot;
    case PenStyle::Alternate: return alternate;
    default: return none;
    }
}

}  // namespace

// ---- conversions ----

QColor ToQColor(TColor c)
{
    const TColor rgb = ColorToRGB(c);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

QRegion SpansToQRegion(const SpanList& spans)
{
    // bands of equal consecutive rows, as QRegion::setRects wants them
    std::vector<QRect> rects;
    std::size_t i = 0;
    while (i < spans.size()) {
        const int y = spans[i].y;
        std::size_t j = i;
        while (j < spans.size() && spans[j].y == y)
            ++j;
        // rows after y with the same spans
        int height = 1;
        std::size_t k = j;
        while (k < spans.size()) {
            std::size_t e = k;
            while (e < spans.size() && spans[e].y == spans[k].y)
                ++e;
            bool same = spans[k].y == y + height && (e - k) == (j - i);
            for (std::size_t q = 0; same && q < j - i; ++q)
                same = spans[k + q].x0 == spans[i + q].x0 && spans[k + q].x1 == spans[i + q].x1;
            if (!same)
                break;
            ++height;
            k = e;
        }
        for (std::size_t q = i; q < j; ++q)
            rects.emplace_back(spans[q].x0, y, spans[q].x1 - spans[q].x0, height);
        i = k;
    }
    QRegion r;
    if (!rects.empty())
        r.setRects(rects.data(), static_cast<int>(rects.size()));
    return r;
}

QRegion ToQRegion(const Region& region, const QRect& limit)
{
    const Rect lim{limit.left(), limit.top(), limit.left() + limit.width(), limit.top() + limit.height()};
    if (region.GetKind() == Region::Kind::Rect) {
        const QRect r = ClampedQRect(region.Box(), lim);
        return r.isEmpty() ? QRegion() : QRegion(r);
    }
    return SpansToQRegion(RegionSpans(region, lim));
}

QString ResolveFontFamily(const std::string& name)
{
    // faces and their metric-compatible Liberation faces
    static const struct {
        const char* face;
        const char* liberation;
    } kMetricFaces[] = {
        {"Arial", "Liberation Sans"},
        {"Courier New", "Liberation Mono"},
    };
    for (const auto& m : kMetricFaces)
        if (SameTextAscii(name, m.face))
            return QString::fromLatin1(m.liberation);
    const QString family = QString::fromUtf8(name.c_str());
    if (!family.isEmpty() && QFontDatabase::hasFamily(family))
        return family;
    static const QString systemSans = [] {
        QFont probe(QStringLiteral("sans-serif"));
        probe.setStyleHint(QFont::SansSerif);
        return QFontInfo(probe).family();
    }();
    return systemSans;
}

QFont ToQFont(const FontDesc& font)
{
    QFont f(ResolveFontFamily(font.name));
    int pixels = 16;
    if (font.height < 0) {
        pixels = -font.height;
    } else if (font.height > 0) {
        // a cell height: scale from the font's own ascent + descent
        QFont probe = f;
        probe.setPixelSize(100);
        const QFontMetricsF fm(probe);
        const double cell = fm.ascent() + fm.descent();
        pixels = cell > 0 ? std::max(1, RoundHalfUp(font.height * 100.0 / cell)) : font.height;
    }
    f.setPixelSize(std::max(1, pixels));
    int weight = font.weight <= 0 ? 400 : std::clamp(font.weight, 1, 1000);
    f.setWeight(static_cast<QFont::Weight>(weight));
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setStrikeOut(font.strikeOut);
    f.setStyleStrategy(QFont::PreferAntialias);
    f.setKerning(false);
    return f;
}

Bitmap BitmapFromQImage(const QImage& image)
{
    if (image.isNull())
        return {};
    const bool alpha = image.hasAlphaChannel();
    const QImage img = image.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    Bitmap b(img.width(), img.height());
    for (int y = 0; y < img.height(); ++y) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(img.constScanLine(y));
        std::uint32_t* out = b.ScanLine(y);
        for (int x = 0; x < img.width(); ++x)
            out[x] = alpha ? line[x] : (line[x] | kOpaque);
    }
    b.SetHasAlpha(alpha);
    return b;
}

QImage QImageFromBitmap(const Bitmap& bitmap)
{
    if (bitmap.IsEmpty())
        return QImage();
    QImage img(bitmap.Width(), bitmap.Height(), bitmap.HasAlpha() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < bitmap.Height(); ++y)
        std::copy_n(bitmap.ScanLine(y), bitmap.Width(), reinterpret_cast<std::uint32_t*>(img.scanLine(y)));
    return img;
}

// ---- device: surface and state ----

QtDrawingDevice::QtDrawingDevice(int width, int height) : m_surface(std::max(0, width), std::max(0, height))
{
    SetSize(std::max(0, width), std::max(0, height));
    UpdateFont();
}

QtDrawingDevice::~QtDrawingDevice() = default;

void QtDrawingDevice::SetSize(int width, int height)
{
    EndTextPainter();
    m_surface.Resize(std::max(0, width), std::max(0, height));
    if (m_surface.IsEmpty())
        m_image = QImage();
    else
        m_image = QImage(reinterpret_cast<uchar*>(m_surface.Data()), m_surface.Width(), m_surface.Height(),
                         m_surface.Width() * 4, QImage::Format_RGB32);
    SetClip(std::nullopt);
}

std::unique_ptr<DrawingDevice> QtDrawingDevice::CreateCompatible(int width, int height) const
{
    return std::make_unique<QtDrawingDevice>(width, height);
}

Point QtDrawingDevice::SetViewportOrg(Point origin) { return std::exchange(m_viewportOrg, origin); }

void QtDrawingDevice::LPtoDP(Point* points, int count) const
{
    for (int i = 0; i < count; ++i)
        points[i] = Dev(points[i].x, points[i].y);
}

void QtDrawingDevice::DPtoLP(Point* points, int count) const
{
    for (int i = 0; i < count; ++i) {
        points[i].x -= m_viewportOrg.x;
        points[i].y -= m_viewportOrg.y;
    }
}

PenDesc QtDrawingDevice::SelectPen(const PenDesc& pen) { return std::exchange(m_pen, pen); }
BrushDesc QtDrawingDevice::SelectBrush(const BrushDesc& brush) { return std::exchange(m_brush, brush); }

FontDesc QtDrawingDevice::SelectFont(const FontDesc& font)
{
    FontDesc old = std::exchange(m_font, font);
    if (!(old == font))
        UpdateFont();
    return old;
}

void QtDrawingDevice::UpdateFont()
{
    m_qfont = ToQFont(m_font);
    m_metrics.emplace(m_qfont);
    m_ascent = m_metrics->ascent();
    m_descent = m_metrics->descent();
    m_painterFontSet = false;
}

void QtDrawingDevice::SelectStockObject(StockObject obj)
{
    SelectStock(obj, m_dcPenColor, m_dcBrushColor, m_pen, m_brush);
}

TColor QtDrawingDevice::SetDCPenColor(TColor c) { return std::exchange(m_dcPenColor, c); }
TColor QtDrawingDevice::SetDCBrushColor(TColor c) { return std::exchange(m_dcBrushColor, c); }
TColor QtDrawingDevice::SetBkColor(TColor c) { return std::exchange(m_bkColor, c); }
BackMode QtDrawingDevice::SetBkMode(BackMode m) { return std::exchange(m_bkMode, m); }
TColor QtDrawingDevice::SetTextColor(TColor c) { return std::exchange(m_textColor, c); }
unsigned QtDrawingDevice::SetTextAlign(unsigned flags) { return std::exchange(m_textAlign, flags); }
Rop2 QtDrawingDevice::SetROP2(Rop2 mode) { return std::exchange(m_rop2, mode); }
int QtDrawingDevice::SetTextCharacterExtra(int extra) { return std::exchange(m_charExtra, extra); }
PolyFillMode QtDrawingDevice::SetPolyFillMode(PolyFillMode m) { return std::exchange(m_polyFillMode, m); }
ArcDirection QtDrawingDevice::SetArcDirection(ArcDirection d) { return std::exchange(m_arcDirection, d); }
StretchMode QtDrawingDevice::SetStretchBltMode(StretchMode m) { return std::exchange(m_stretchMode, m); }

// ---- clipping ----

void QtDrawingDevice::SetClip(std::optional<QRegion> clip)
{
    m_clip = std::move(clip);
    ++m_clipVersion;
    m_clipRects.clear();
    m_clipBox = {};
    if (m_clip) {
        for (const QRect& r : *m_clip)
            m_clipRects.push_back(r);
        const QRect b = m_clip->boundingRect();
        if (!b.isEmpty())
            m_clipBox = {b.left(), b.top(), b.left() + b.width(), b.top() + b.height()};
    }
}

void QtDrawingDevice::CombineClip(const QRegion& region, ClipCombine mode)
{
    const QRegion base = m_clip ? *m_clip : QRegion(0, 0, Width(), Height());
    switch (mode) {
    case ClipCombine::And: SetClip(base.intersected(region)); break;
    case ClipCombine::Or: SetClip(base.united(region)); break;
    case ClipCombine::Xor: SetClip(base.xored(region)); break;
    case ClipCombine::Diff: SetClip(base.subtracted(region)); break;
    case ClipCombine::Copy: SetClip(region); break;
    }
}

void QtDrawingDevice::SelectClipRgn(const std::optional<Region>& region)
{
    if (!region)
        SetClip(std::nullopt);
    else
        SetClip(ToQRegion(*region, QRect(0, 0, Width(), Height())));
}

void QtDrawingDevice::ExtSelectClipRgn(const std::optional<Region>& region, ClipCombine mode)
{
    if (!region) {
        if (mode == ClipCombine::Copy)
            SetClip(std::nullopt);
        return;
    }
    CombineClip(ToQRegion(*region, QRect(0, 0, Width(), Height())), mode);
}

std::optional<Region> QtDrawingDevice::GetClipRgn() const
{
    if (!m_clip)
        return std::nullopt;
    std::vector<Rect> rects;
    for (const QRect& r : m_clipRects)
        rects.push_back({r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
    return Region::FromRects(std::move(rects));
}

void QtDrawingDevice::CombineClipRect(int left, int top, int right, int bottom, ClipCombine mode)
{
    const Point a = Dev(left, top);
    const Point b = Dev(right, bottom);
    const QRect r = ClampedQRect(Region::FromRect({a.x, a.y, b.x, b.y}).Box(), SurfaceRect());
    CombineClip(r.isEmpty() ? QRegion() : QRegion(r), mode);
}

void QtDrawingDevice::IntersectClipRect(int left, int top, int right, int bottom)
{
    CombineClipRect(left, top, right, bottom, ClipCombine::And);
}

void QtDrawingDevice::ExcludeClipRect(int left, int top, int right, int bottom)
{
    CombineClipRect(left, top, right, bottom, ClipCombine::Diff);
}

Rect QtDrawingDevice::GetClipBox() const
{
    Rect box = SurfaceRect();
    if (m_clip) {
        const QRect b = m_clip->boundingRect();
        box = b.isEmpty() ? Rect{} : Rect{b.left(), b.top(), b.left() + b.width(), b.top() + b.height()};
    }
    return {box.left - m_viewportOrg.x, box.top - m_viewportOrg.y, box.right - m_viewportOrg.x,
            box.bottom - m_viewportOrg.y};
}

Rect QtDrawingDevice::DrawLimit() const
{
    if (!m_clip)
        return SurfaceRect();
    if (m_clipBox.IsEmpty())
        return {};
    return Intersect(SurfaceRect(), m_clipBox);
}

bool QtDrawingDevice::Visible(int dx, int dy) const
{
    if (!m_surface.Contains(dx, dy))
        return false;
    if (!m_clip)
        return true;
    auto it = std::upper_bound(m_clipRects.begin(), m_clipRects.end(), dy,
                               [](int y, const QRect& r) { return y < r.top() + r.height(); });
    for (; it != m_clipRects.end() && it->top() <= dy; ++it)
        if (dx >= it->left() && dx < it->left() + it->width())
            return true;
    return false;
}

template <class F>
void QtDrawingDevice::ForVisible(int y, int x0, int x1, F&& f) const
{
    if (y < 0 || y >= Height())
        return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, Width());
    if (x0 >= x1)
        return;
    if (!m_clip) {
        f(x0, x1);
        return;
    }
    // clip rectangles are banded: sorted by top, bands never overlap
    auto it = std::upper_bound(m_clipRects.begin(), m_clipRects.end(), y,
                               [](int yy, const QRect& r) { return yy < r.top() + r.height(); });
    for (; it != m_clipRects.end() && it->top() <= y; ++it) {
        const int a = std::max(x0, it->left());
        const int b = std::min(x1, it->left() + it->width());
        if (a < b)
            f(a, b);
    }
}

bool QtDrawingDevice::PtVisible(int x, int y) const
{
    const Point d = Dev(x, y);
    return Visible(d.x, d.y);
}

// ---- colours of pen, brush and background ----

std::uint32_t QtDrawingDevice::PenArgb() const
{
    return ColorToArgb(ColorToRGB(m_pen.useDCColor ? m_dcPenColor : m_pen.color));
}

std::uint32_t QtDrawingDevice::BkArgb() const { return ColorToArgb(ColorToRGB(m_bkColor)); }

bool QtDrawingDevice::BrushPixel(const BrushDesc& b, int x, int y, std::uint32_t& out) const
{
    switch (b.style) {
    case BrushStyle::Null:
        return false;
    case BrushStyle::Solid:
        out = ColorToArgb(ColorToRGB(b.useDCColor ? m_dcBrushColor : b.color));
        return true;
    case BrushStyle::Hatched:
        if (HatchOn(b.hatch, x, y)) {
            out = ColorToArgb(ColorToRGB(b.color));
            return true;
        }
        if (m_bkMode == BackMode::Opaque) {
            out = BkArgb();
            return true;
        }
        return false;
    case BrushStyle::Pattern: {
        if (!b.pattern || b.pattern->IsEmpty())
            return false;
        const std::uint32_t p =
            b.pattern->RawPixel(PositiveMod(x, b.pattern->Width()), PositiveMod(y, b.pattern->Height()));
        if (b.monochromePattern)
            out = (p & 0xFFFFFFu) == 0 ? ColorToArgb(ColorToRGB(m_textColor)) : BkArgb();
        else
            out = p | kOpaque;
        return true;
    }
    }
    return false;
}

bool QtDrawingDevice::PenPatternOn(std::int64_t pos, bool& gapPainted) const
{
    gapPainted = false;
    const std::vector<std::uint32_t>& pattern =
        m_pen.style == PenStyle::UserStyle ? m_pen.userStyle : StylePattern(m_pen.style);
    if (pattern.empty())
        return true;
    std::int64_t total = 0;
    for (std::uint32_t v : pattern)
        total += v;
    if (total <= 0)
        return true;
    gapPainted = !m_pen.geometric && m_pen.style != PenStyle::UserStyle && m_bkMode == BackMode::Opaque;
    std::int64_t r = pos % total;
    if (r < 0)
        r += total;
    std::int64_t offset = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const std::int64_t len = pattern[i];
        if (i % 2 == 0) {
            if (len == 0 ? r == offset : (r >= offset && r < offset + len))
                return true;
        }
        offset += len;
    }
    return false;
}

const std::vector<std::uint8_t>* QtDrawingDevice::PenPatternTable()
{
    constexpr std::int64_t kLongest = 4096;
    const bool user = m_pen.style == PenStyle::UserStyle;
    if (m_patternTable.empty() || m_patternStyle != m_pen.style || (user && m_patternUser != m_pen.userStyle)) {
        m_patternTable.clear();
        m_patternStyle = m_pen.style;
        m_patternUser = user ? m_pen.userStyle : std::vector<std::uint32_t>{};
        const std::vector<std::uint32_t>& pattern = user ? m_pen.userStyle : StylePattern(m_pen.style);
        std::int64_t total = 0;
        for (std::uint32_t v : pattern)
            total += v;
        if (total <= 0 || total > kLongest)
            return nullptr;
        m_patternTable.resize(static_cast<std::size_t>(total));
        bool gap = false;
        for (std::int64_t i = 0; i < total; ++i)
            m_patternTable[static_cast<std::size_t>(i)] = PenPatternOn(i, gap) ? 1 : 0;
    }
    return m_patternTable.empty() ? nullptr : &m_patternTable;
}

bool QtDrawingDevice::PenSolid() const
{
    if (m_pen.style == PenStyle::UserStyle) {
        std::int64_t total = 0;
        for (std::uint32_t v : m_pen.userStyle)
            total += v;
        return total <= 0;
    }
    return StylePattern(m_pen.style).empty();
}

void QtDrawingDevice::PutPixel(int x, int y, std::uint32_t src)
{
    if (!Visible(x, y))
        return;
    std::uint32_t& d = m_surface.ScanLine(y)[x];
    d = ApplyRop2(m_rop2, src, d);
}

void QtDrawingDevice::RopRow(std::uint32_t* line, int x0, int x1, std::uint32_t src)
{
    if (m_rop2 == Rop2::CopyPen) {
        FillPixels(line + x0, x1 - x0, src);
        return;
    }
    for (int x = x0; x < x1; ++x)
        line[x] = ApplyRop2(m_rop2, src, line[x]);
}

void QtDrawingDevice::RopSpan(int y, int x0, int x1, std::uint32_t src)
{
    ForVisible(y, x0, x1, [&](int a, int b) { RopRow(m_surface.ScanLine(y), a, b, src); });
}

// ---- shapes: marks and compositing ----

void QtDrawingDevice::MarkSpans(Mask& mask, const SpanList& spans, std::uint8_t mark)
{
    for (const Span& s : spans) {
        if (s.y < mask.box.top || s.y >= mask.box.bottom)
            continue;
        const int a = std::max(s.x0, mask.box.left);
        const int b = std::min(s.x1, mask.box.right);
        if (a < b)
            std::fill_n(&mask.At(a, s.y), b - a, mark);
    }
}

template <class Sink>
void QtDrawingDevice::OutlinePixels(const std::vector<Figure>& outline, const Rect& limit, Sink&& sink,
                                    const std::vector<std::vector<Point>>* vertices)
{
    const bool solid = PenSolid();
    std::vector<Point> own;
    for (std::size_t f = 0; f < outline.size(); ++f) {
        const Figure& fig = outline[f];
        if (fig.points.empty())
            continue;
        if (!vertices)
            own = OutlineVertices(fig.points);
        const std::vector<Point>& pts = vertices ? (*vertices)[f] : own;
        // a curve plots each pixel once: marks over the box of its points
        // (its pixels never leave it) inside the limit
        Rect seenBox;
        if (fig.curve) {
            seenBox = {pts.front().x, pts.front().y, pts.front().x + 1, pts.front().y + 1};
            for (const Point& p : pts)
                seenBox = Unite(seenBox, {p.x, p.y, p.x + 1, p.y + 1});
            seenBox = Intersect(seenBox, limit);
            m_curveSeen.assign(static_cast<std::size_t>(seenBox.Width()) * seenBox.Height(), 0);
        }
        std::int64_t base = 0;
        auto walk = [&](Point a, Point b, bool includeLast) {
            LineWalk w = MakeLineWalk(a, b, includeLast, limit);
            int x = 0;
            int y = 0;
            std::int64_t step = 0;
            while (w.Next(x, y, step)) {
                if (fig.curve) {
                    std::uint8_t& seen =
                        m_curveSeen[static_cast<std::size_t>(y - seenBox.top) * seenBox.Width() + (x - seenBox.left)];
                    if (seen)
                        continue;
                    seen = 1;
                }
                if (solid) {
                    sink(x, y, kMarkPen);
                    continue;
                }
                bool gap = false;
                if (PenPatternOn(base + step, gap))
                    sink(x, y, kMarkPen);
                else if (gap)
                    sink(x, y, kMarkGap);
            }
        };
        if (pts.size() == 1 || (fig.closed && pts.size() == 2 && pts.front() == pts.back())) {
            walk(pts.front(), pts.front(), true);
            continue;
        }
        const std::size_t segments = fig.closed ? pts.size() : pts.size() - 1;
        for (std::size_t i = 0; i < segments; ++i) {
            const Point a = pts[i];
            const Point b = pts[(i + 1) % pts.size()];
            walk(a, b, false);
            base += std::max(std::abs(static_cast<std::int64_t>(b.x) - a.x),
                             std::abs(static_cast<std::int64_t>(b.y) - a.y));
        }
    }
}

void QtDrawingDevice::MarkOutline(Mask& mask, const std::vector<Figure>& outline,
                                  const std::vector<std::vector<Point>>* vertices)
{
    if (m_pen.IsNull())
        return;
    if (!m_pen.IsCosmetic()) {
        MarkSpans(mask, StrokeSpans(outline, mask.box), kMarkPen);
        return;
    }
    OutlinePixels(outline, mask.box, [&](int x, int y, std::uint8_t mark) { mask.At(x, y) = mark; }, vertices);
}

void QtDrawingDevice::Composite(const Mask& mask, const BrushDesc& brush)
{
    const std::uint32_t pen = PenArgb();
    const std::uint32_t bk = BkArgb();
    std::uint32_t solid = 0;
    const bool isSolid = brush.style == BrushStyle::Solid;
    if (isSolid)
        BrushPixel(brush, 0, 0, solid);
    // the colour of each mark: none, brush (when solid), pen, gap
    static_assert(kMarkBrush == 1 && kMarkPen == 2 && kMarkGap == 3);
    const std::uint32_t colours[4] = {0, solid, pen, bk};
    const bool copy = m_rop2 == Rop2::CopyPen;
    const int w = mask.box.Width();
    for (int y = mask.box.top; y < mask.box.bottom; ++y) {
        const std::uint8_t* marks = mask.marks.data() + static_cast<std::size_t>(y - mask.box.top) * w;
        auto row = [&](int x) { return marks[x - mask.box.left]; };
        std::uint32_t* line = m_surface.ScanLine(y);
        ForVisible(y, mask.box.left, mask.box.right, [&](int x0, int x1) {
            // runs of one mark
            for (int x = x0; x < x1;) {
                const std::uint8_t m = row(x);
                int e = x + 1;
                while (e < x1 && row(e) == m)
                    ++e;
                if (m == kMarkBrush && !isSolid) {
                    std::uint32_t src;
                    for (int i = x; i < e; ++i)
                        if (BrushPixel(brush, i, y, src))
                            line[i] = copy ? src : ApplyRop2(m_rop2, src, line[i]);
                } else if (m != 0) {
                    const std::uint32_t src = colours[m];
                    if (copy)
                        FillPixels(line + x, e - x, src);
                    else
                        for (int i = x; i < e; ++i)
                            line[i] = ApplyRop2(m_rop2, src, line[i]);
                }
                x = e;
            }
        });
    }
}

void QtDrawingDevice::FillSpansDirect(const SpanList& spans, const BrushDesc& brush)
{
    std::uint32_t solid = 0;
    const bool isSolid = brush.style == BrushStyle::Solid;
    if (isSolid)
        BrushPixel(brush, 0, 0, solid);
    const bool copy = m_rop2 == Rop2::CopyPen;
    for (const Span& s : spans) {
        if (s.y < 0 || s.y >= Height())
            continue;
        std::uint32_t* line = m_surface.ScanLine(s.y);
        ForVisible(s.y, s.x0, s.x1, [&](int x0, int x1) {
            if (isSolid && copy) {
                FillPixels(line + x0, x1 - x0, solid);
                return;
            }
            for (int x = x0; x < x1; ++x) {
                std::uint32_t src = solid;
                if (!isSolid && !BrushPixel(brush, x, s.y, src))
                    continue;
                line[x] = copy ? src : ApplyRop2(m_rop2, src, line[x]);
            }
        });
    }
}

void QtDrawingDevice::FillBox(const Rect& box, const BrushDesc& brush)
{
    if (box.IsEmpty() || brush.IsNull())
        return;
    std::uint32_t solid = 0;
    const bool isSolid = brush.style == BrushStyle::Solid;
    if (isSolid)
        BrushPixel(brush, 0, 0, solid);
    if (isSolid && m_rop2 == Rop2::CopyPen) {
        // the box's part in each clip rectangle (they never overlap), row by row
        const auto fill = [&](const Rect& part) {
            if (part.IsEmpty())
                return;
            for (int y = part.top; y < part.bottom; ++y)
                FillPixels(m_surface.ScanLine(y) + part.left, part.Width(), solid);
        };
        const Rect inside = Intersect(box, SurfaceRect());
        if (!m_clip) {
            fill(inside);
            return;
        }
        for (const QRect& c : m_clipRects)
            fill(Intersect(inside, {c.left(), c.top(), c.left() + c.width(), c.top() + c.height()}));
        return;
    }
    const bool copy = m_rop2 == Rop2::CopyPen;
    for (int y = std::max(box.top, 0); y < std::min(box.bottom, Height()); ++y) {
        std::uint32_t* line = m_surface.ScanLine(y);
        ForVisible(y, box.left, box.right, [&](int x0, int x1) {
            for (int x = x0; x < x1; ++x) {
                std::uint32_t src = solid;
                if (!isSolid && !BrushPixel(brush, x, y, src))
                    continue;
                line[x] = copy ? src : ApplyRop2(m_rop2, src, line[x]);
            }
        });
    }
}

Rect QtDrawingDevice::FiguresBounds(const std::vector<Figure>& figs, double grow) const
{
    double l = 1e300, t = 1e300, r = -1e300, b = -1e300;
    for (const Figure& f : figs)
        for (const PointF& p : f.points) {
            l = std::min(l, p.x);
            t = std::min(t, p.y);
            r = std::max(r, p.x);
            b = std::max(b, p.y);
        }
    if (l > r)
        return {};
    auto clampInt = [](double v) { return static_cast<int>(std::clamp(v, -1e9, 1e9)); };
    return {clampInt(std::floor(l - grow)) - 1, clampInt(std::floor(t - grow)) - 1, clampInt(std::ceil(r + grow)) + 2,
            clampInt(std::ceil(b + grow)) + 2};
}

std::vector<std::vector<PointF>> QtDrawingDevice::StrokeOutline(const std::vector<Figure>& figs) const
{
    const double width = std::max(1, m_pen.width);
    QPainterPath path;
    std::vector<std::vector<PointF>> dots;
    for (const Figure& f : figs) {
        if (f.points.empty())
            continue;
        bool allSame = true;
        for (const PointF& p : f.points)
            allSame = allSame && p.x == f.points.front().x && p.y == f.points.front().y;
        if (allSame) {
            // a zero-length line is a dot as wide as the pen (none with flat ends)
            if (m_pen.endCap == PenEndCap::Flat)
                continue;
            const double cx = f.points.front().x + 0.5;
            const double cy = f.points.front().y + 0.5;
            const double h = width / 2;
            if (m_pen.endCap == PenEndCap::Square)
                dots.push_back({{cx - h, cy - h}, {cx + h, cy - h}, {cx + h, cy + h}, {cx - h, cy + h}});
            else
                dots.push_back(EllipseArcPoints(cx, cy, h, h, 0, 2 * kPi));
            continue;
        }
        path.moveTo(f.points.front().x + 0.5, f.points.front().y + 0.5);
        for (std::size_t i = 1; i < f.points.size(); ++i)
            path.lineTo(f.points[i].x + 0.5, f.points[i].y + 0.5);
        if (f.closed)
            path.closeSubpath();
    }
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    switch (m_pen.endCap) {
    case PenEndCap::Round: stroker.setCapStyle(Qt::RoundCap); break;
    case PenEndCap::Square: stroker.setCapStyle(Qt::SquareCap); break;
    case PenEndCap::Flat: stroker.setCapStyle(Qt::FlatCap); break;
    }
    switch (m_pen.join) {
    case PenJoin::Round: stroker.setJoinStyle(Qt::RoundJoin); break;
    case PenJoin::Bevel: stroker.setJoinStyle(Qt::BevelJoin); break;
    case PenJoin::Miter: stroker.setJoinStyle(Qt::MiterJoin); break;
    }
    switch (m_pen.style) {
    case PenStyle::Dash: stroker.setDashPattern(Qt::DashLine); break;
    case PenStyle::Dot: stroker.setDashPattern(Qt::DotLine); break;
    case PenStyle::DashDot: stroker.setDashPattern(Qt::DashDotLine); break;
    case PenStyle::DashDotDot: stroker.setDashPattern(Qt::DashDotDotLine); break;
    case PenStyle::UserStyle:
        if (!m_pen.userStyle.empty()) {
            QList<qreal> pattern;
            for (std::uint32_t v : m_pen.userStyle)
                pattern.push_back(std::max(1e-3, v / width));
            if (pattern.size() % 2 == 1)
                pattern.push_back(pattern.back());
            stroker.setDashPattern(pattern);
        }
        break;
    default: break;
    }
    std::vector<std::vector<PointF>> out = std::move(dots);
    if (!path.isEmpty()) {
        const QPainterPath outline = stroker.createStroke(path);
        for (const QPolygonF& poly : outline.toSubpathPolygons())
            out.push_back(FromQPolygon(poly));
    }
    return out;
}

SpanList QtDrawingDevice::FiguresFill(const std::vector<Figure>& figs, const Rect& limit) const
{
    std::vector<std::vector<PointF>> polys;
    polys.reserve(figs.size());
    for (const Figure& f : figs)
        polys.push_back(f.points);
    return PolygonSpans(polys, m_polyFillMode, limit);
}

SpanList QtDrawingDevice::StrokeSpans(const std::vector<Figure>& figs, const Rect& limit) const
{
    // stroked with the first point's pixel as the origin and moved there: a
    // stroke covers the same pixels wherever it is drawn (the stroke cache
    // relies on it)
    Point origin{0, 0};
    for (const Figure& f : figs)
        if (!f.points.empty()) {
            origin = {static_cast<int>(std::clamp(std::floor(f.points.front().x), -1e9, 1e9)),
                      static_cast<int>(std::clamp(std::floor(f.points.front().y), -1e9, 1e9))};
            break;
        }
    std::vector<Figure> moved = figs;
    for (Figure& f : moved)
        for (PointF& p : f.points) {
            p.x -= origin.x;
            p.y -= origin.y;
        }
    const Rect local{limit.left - origin.x, limit.top - origin.y, limit.right - origin.x, limit.bottom - origin.y};
    SpanList spans = PolygonSpans(StrokeOutline(moved), PolyFillMode::Winding, local);
    for (Span& sp : spans) {
        sp.y += origin.y;
        sp.x0 += origin.x;
        sp.x1 += origin.x;
    }
    return spans;
}

void QtDrawingDevice::DrawFigures(const std::vector<Figure>& outline, const SpanList* fill, bool fillUsesBrush,
                                  bool disjoint)
{
    const Rect limit = DrawLimit();
    if (limit.IsEmpty())
        return;
    const bool pen = !m_pen.IsNull();
    const bool brush = fill && fillUsesBrush && !m_brush.IsNull();
    if (!pen && !brush)
        return;
    // under a one-pixel outline the fill is what the outline encloses: the
    // pixels inside the polygon through the outline's own pixels, so the fill
    // neither leaks past the outline nor leaves a gap before it
    SpanList inner;
    std::vector<std::vector<Point>> vertices;
    if (pen && brush && !disjoint && m_pen.IsCosmetic()) {
        std::vector<std::vector<PointF>> polys;
        for (const Figure& f : outline) {
            vertices.push_back(OutlineVertices(f.points));
            std::vector<PointF> poly;
            poly.reserve(vertices.back().size());
            for (const Point& q : vertices.back())
                poly.push_back({q.x + 0.5, q.y + 0.5});
            polys.push_back(std::move(poly));
        }
        inner = PolygonSpans(polys, m_polyFillMode, limit);
        fill = &inner;
    }
    // fill and a one-pixel outline that never meet, or copied over one
    // another (the outline painted last wins, as its mark wins in a mask): no
    // mask needed
    if (!pen || ((disjoint || !brush || m_rop2 == Rop2::CopyPen) && m_pen.IsCosmetic())) {
        if (brush)
            FillSpansDirect(*fill, m_brush);
        if (pen) {
            const std::uint32_t penArgb = PenArgb();
            const std::uint32_t bk = BkArgb();
            // the pixels come inside the limit: test the clip only when it is
            // more than one rectangle
            const bool boxClip = m_clipRects.size() <= 1;
            if (boxClip && PenSolid() && SolidOutlineInBox(outline, limit, penArgb, vertices))
                return;
            const bool copy = m_rop2 == Rop2::CopyPen;
            OutlinePixels(outline, limit, [&](int x, int y, std::uint8_t mark) {
                if (!boxClip && !Visible(x, y))
                    return;
                const std::uint32_t src = mark == kMarkPen ? penArgb : bk;
                std::uint32_t& d = m_surface.ScanLine(y)[x];
                d = copy ? src : ApplyRop2(m_rop2, src, d);
            }, vertices.empty() ? nullptr : &vertices);
        }
        return;
    }
    Rect box;
    if (brush)
        box = SpansBounds(*fill);
    if (pen)
        box = Unite(box, FiguresBounds(outline, std::max(1, m_pen.width) / 2.0 + 1));
    box = Intersect(box, limit);
    if (box.IsEmpty())
        return;
    m_maskMarks.assign(static_cast<std::size_t>(box.Width()) * box.Height(), 0);
    Mask mask{box, m_maskMarks};
    if (brush)
        MarkSpans(mask, *fill, kMarkBrush);
    if (pen)
        MarkOutline(mask, outline, vertices.empty() ? nullptr : &vertices);
    Composite(mask, m_brush);
}

bool QtDrawingDevice::SolidOutlineInBox(const std::vector<Figure>& outline, const Rect& limit, std::uint32_t src,
                                         const std::vector<std::vector<Point>>& vertices)
{
    // a curve plots each of its pixels once, lines every pixel of their walks
    for (const Figure& fig : outline)
        if (fig.curve)
            return false;
    for (std::size_t f = 0; f < outline.size(); ++f) {
        const Figure& fig = outline[f];
        if (fig.points.empty())
            continue;
        if (vertices.empty())
            OutlineVerticesInto(fig.points, m_outlineVertices);
        const std::vector<Point>& pts = vertices.empty() ? m_outlineVertices : vertices[f];
        if (pts.size() == 1 || (fig.closed && pts.size() == 2 && pts.front() == pts.back())) {
            SolidSegmentInBox(pts.front(), pts.front(), true, limit, src);
            continue;
        }
        const std::size_t segments = fig.closed ? pts.size() : pts.size() - 1;
        for (std::size_t i = 0; i < segments; ++i)
            SolidSegmentInBox(pts[i], pts[i + 1 == pts.size() ? 0 : i + 1], false, limit, src);
    }
    return true;
}

void QtDrawingDevice::AddToPath(const std::vector<Figure>& figs)
{
    for (const Figure& f : figs)
        m_path.push_back(f);
}

std::vector<PointF> QtDrawingDevice::DevPoints(const Point* points, int count) const
{
    std::vector<PointF> pts;
    for (int i = 0; i < count; ++i)
        pts.push_back(ToPointF(Dev(points[i].x, points[i].y)));
    return pts;
}

void QtDrawingDevice::AppendToPath(const std::vector<PointF>& pts)
{
    // a new figure starts at the current position (not yet moved by the caller)
    if (m_path.empty() || m_path.back().closed) {
        m_path.push_back({{ToPointF(Dev(m_position.x, m_position.y))}, false});
    }
    auto& target = m_path.back().points;
    target.insert(target.end(), pts.begin(), pts.end());
}

bool QtDrawingDevice::OutlineHoldsFill() const { return !m_pen.IsNull() && m_pen.IsCosmetic(); }

template <class MakeFigure>
bool QtDrawingDevice::DrawCachedCurve(const CurveShapeKey& key, Point a, Point b, MakeFigure&& make)
{
    // the shapes DrawFigures paints straight onto the surface with a solid
    // one-pixel outline; coordinates small enough for the moved points to
    // stay exact
    constexpr int kFar = 1 << 15;
    constexpr int kLargest = 4096;
    if (m_inPath || !CurveRasterCache::Enabled() || m_pen.IsNull() || !m_pen.IsCosmetic() || !PenSolid())
        return false;
    const bool brush = !m_brush.IsNull();
    if (brush && m_rop2 != Rop2::CopyPen)
        return false;
    if (std::abs(a.x) > kFar || std::abs(a.y) > kFar || std::abs(b.x) > kFar || std::abs(b.y) > kFar ||
        b.x - a.x > kLargest || b.y - a.y > kLargest)
        return false;
    CurveRasterCache& cache = CurveRasterCache::ForThread();
    CurveRaster& shape = cache.Find(key);
    // the whole plane as the limit: the pixels a limit lets through are these
    // pixels kept where they fall inside it
    const Rect everywhere{-(1 << 20), -(1 << 20), 1 << 20, 1 << 20};
    if (!shape.built) {
        shape.built = true;
        std::vector<PointF> pts;
        shape.shiftable = make(pts);
        if (shape.shiftable) {
            const std::vector<Figure> figure{Figure{std::move(pts), true, true}};
            shape.vertices = OutlineVertices(figure.front().points);
            const std::vector<std::vector<Point>> vertices{shape.vertices};
            OutlinePixels(figure, everywhere, [&](int x, int y, std::uint8_t) { shape.outline.push_back({x, y}); },
                          &vertices);
            cache.Grew(shape.vertices.size() + shape.outline.size());
        }
    }
    if (!shape.shiftable)
        return false;
    const int mode = m_polyFillMode == PolyFillMode::Winding ? 1 : 0;
    if (brush && !shape.fillReady[mode]) {
        if (!shape.fillShiftable)
            return false;
        std::vector<PointF> poly;
        poly.reserve(shape.vertices.size());
        for (const Point& q : shape.vertices)
            poly.push_back({q.x + 0.5, q.y + 0.5});
        shape.fillShiftable = PolygonSpansShiftable(poly);
        if (!shape.fillShiftable)
            return false;
        shape.fill[mode] = PolygonSpans({poly}, m_polyFillMode, everywhere);
        shape.fillReady[mode] = true;
        cache.Grew(shape.fill[mode].size());
    }
    const Rect limit = DrawLimit();
    if (limit.IsEmpty())
        return true;
    if (brush) {
        m_cachedFill.clear();
        for (const Span& s : shape.fill[mode]) {
            const int y = s.y + a.y;
            const int x0 = std::max(s.x0 + a.x, limit.left);
            const int x1 = std::min(s.x1 + a.x, limit.right);
            if (y >= limit.top && y < limit.bottom && x0 < x1)
                m_cachedFill.push_back({y, x0, x1});
        }
        FillSpansDirect(m_cachedFill, m_brush);
    }
    const std::uint32_t pen = PenArgb();
    const bool boxClip = m_clipRects.size() <= 1;
    const bool copy = m_rop2 == Rop2::CopyPen;
    for (const Point& p : shape.outline) {
        const int x = p.x + a.x;
        const int y = p.y + a.y;
        if (x < limit.left || x >= limit.right || y < limit.top || y >= limit.bottom)
            continue;
        if (!boxClip && !Visible(x, y))
            continue;
        std::uint32_t& d = m_surface.ScanLine(y)[x];
        d = copy ? pen : ApplyRop2(m_rop2, pen, d);
    }
    return true;
}

void QtDrawingDevice::ShapeOrPath(std::vector<Figure> outline, const SpanList& fill)
{
    if (m_inPath) {
        AddToPath(outline);
        return;
    }
    DrawFigures(outline, &fill, true, false);
}

// ---- lines ----

namespace {

// [from, to) along a level or upright line from p to q, the last pixel left
// out unless asked for (wide: an end may be at the end of the int range).
void AlongRange(std::int64_t p, std::int64_t q, bool includeLast, std::int64_t& from, std::int64_t& to)
{
    if (p < q) {
        from = p;
        to = includeLast ? q + 1 : q;
    } else {
        from = includeLast ? q : q + 1;
        to = p + 1;
    }
}

}  // namespace

void QtDrawingDevice::SolidSegmentInBox(Point a, Point b, bool includeLast, const Rect& limit, std::uint32_t src)
{
    const bool copy = m_rop2 == Rop2::CopyPen;
    if (a.x != b.x && a.y != b.y) {
        LineWalk walk = MakeLineWalk(a, b, includeLast, limit);
        int x = 0;
        int y = 0;
        std::int64_t step = 0;
        if (copy) {
            while (walk.Next(x, y, step))
                m_surface.ScanLine(y)[x] = src;
        } else {
            while (walk.Next(x, y, step)) {
                std::uint32_t& d = m_surface.ScanLine(y)[x];
                d = ApplyRop2(m_rop2, src, d);
            }
        }
        return;
    }
    std::int64_t x0 = a.x;
    std::int64_t x1 = x0 + 1;
    std::int64_t y0 = a.y;
    std::int64_t y1 = y0 + 1;
    if (a.y == b.y)
        AlongRange(a.x, b.x, includeLast, x0, x1);
    else
        AlongRange(a.y, b.y, includeLast, y0, y1);
    x0 = std::max<std::int64_t>(x0, limit.left);
    x1 = std::min<std::int64_t>(x1, limit.right);
    y0 = std::max<std::int64_t>(y0, limit.top);
    y1 = std::min<std::int64_t>(y1, limit.bottom);
    if (x0 >= x1 || y0 >= y1)
        return;
    if (y1 - y0 == 1) {
        RopRow(m_surface.ScanLine(static_cast<int>(y0)), static_cast<int>(x0), static_cast<int>(x1), src);
        return;
    }
    // one column straight down the rows
    const std::ptrdiff_t stride = m_surface.Width();
    std::uint32_t* d = m_surface.ScanLine(static_cast<int>(y0)) + x0;
    if (copy) {
        for (std::int64_t y = y0; y < y1; ++y, d += stride)
            *d = src;
    } else {
        for (std::int64_t y = y0; y < y1; ++y, d += stride)
            *d = ApplyRop2(m_rop2, src, *d);
    }
}

void QtDrawingDevice::StyledStraightLine(Point a, Point b, bool includeLast, const std::vector<std::uint8_t>& table,
                                         bool gapPainted, std::uint32_t pen, std::int64_t base)
{
    // step s lies at a + s * (dx, dy) for s = 0 .. last
    const bool level = a.y == b.y;
    const std::int64_t along0 = level ? a.x : a.y;
    const std::int64_t along1 = level ? b.x : b.y;
    const int across = level ? a.y : a.x;
    const int dir = along1 < along0 ? -1 : 1;
    const std::int64_t last = (along1 - along0) * dir - (includeLast ? 0 : 1);
    const Rect limit = DrawLimit();
    const int acrossLo = level ? limit.top : limit.left;
    const int acrossHi = level ? limit.bottom : limit.right;
    if (across < acrossLo || across >= acrossHi)
        return;
    const std::int64_t lo = level ? limit.left : limit.top;
    const std::int64_t hi = (level ? limit.right : limit.bottom) - 1;
    const std::int64_t s0 = std::max<std::int64_t>(0, dir > 0 ? lo - along0 : along0 - hi);
    const std::int64_t s1 = std::min(last, dir > 0 ? hi - along0 : along0 - lo);
    if (s0 > s1)
        return;
    const std::int64_t period = static_cast<std::int64_t>(table.size());
    std::int64_t at = (base + s0) % period;
    if (at < 0)
        at += period;
    const int start = static_cast<int>(along0 + dir * s0);
    std::uint32_t* d = level ? m_surface.ScanLine(across) + start : m_surface.ScanLine(start) + across;
    const std::ptrdiff_t stride = (level ? 1 : static_cast<std::ptrdiff_t>(m_surface.Width())) * dir;
    const std::uint32_t bk = BkArgb();
    const std::uint8_t* on = table.data();
    std::size_t k = static_cast<std::size_t>(at);
    const std::size_t n = table.size();
    std::ptrdiff_t off = 0;
    for (std::int64_t s = s0; s <= s1; ++s, off += stride) {
        if (on[k])
            d[off] = pen;
        else if (gapPainted)
            d[off] = bk;
        if (++k == n)
            k = 0;
    }
}

void QtDrawingDevice::ThinLine(Point a, Point b, bool includeLast)
{
    const std::uint32_t pen = PenArgb();
    const std::int64_t base = m_styleStep;
    // the styles with a pattern of their own: dashes, dots and alternate pixels
    const bool solid = m_pen.style == PenStyle::Solid || m_pen.style == PenStyle::InsideFrame
                       || m_pen.style == PenStyle::Null;
    const bool copy = m_rop2 == Rop2::CopyPen;
    const bool boxClip = m_clipRects.size() <= 1;
    const std::int64_t run =
        std::max(std::abs(static_cast<std::int64_t>(b.x) - a.x), std::abs(static_cast<std::int64_t>(b.y) - a.y));
    // the walk keeps inside the limit, which is all of a one-rectangle clip
    if (solid && boxClip) {
        m_styleStep += run;
        SolidSegmentInBox(a, b, includeLast, DrawLimit(), pen);
        return;
    }
    // a solid level or upright line: its pixels as one span or one column
    if (solid && (a.x == b.x || a.y == b.y)) {
        m_styleStep += run;
        // a single point is a level line of one pixel
        std::int64_t from = 0;
        std::int64_t to = 0;
        const Rect limit = DrawLimit();
        if (a.y == b.y) {
            AlongRange(a.x, b.x, includeLast, from, to);
            from = std::max<std::int64_t>(from, limit.left);
            to = std::min<std::int64_t>(to, limit.right);
            if (from < to)
                RopSpan(a.y, static_cast<int>(from), static_cast<int>(to), pen);
        } else {
            AlongRange(a.y, b.y, includeLast, from, to);
            if (a.x < limit.left || a.x >= limit.right)
                return;
            const int y0 = static_cast<int>(std::max<std::int64_t>(from, limit.top));
            const int y1 = static_cast<int>(std::min<std::int64_t>(to, limit.bottom));
            for (int y = y0; y < y1; ++y)
                RopSpan(y, a.x, a.x + 1, pen);
        }
        return;
    }
    // a styled level or upright line: its pattern read along one row or column
    if (!solid && copy && boxClip && (a.x == b.x) != (a.y == b.y)) {
        if (const std::vector<std::uint8_t>* table = PenPatternTable()) {
            bool gapPainted = false;
            PenPatternOn(0, gapPainted);
            StyledStraightLine(a, b, includeLast, *table, gapPainted, pen, base);
            m_styleStep += run;
            return;
        }
    }
    LineWalk walk = MakeLineWalk(a, b, includeLast, DrawLimit());
    int x = 0;
    int y = 0;
    std::int64_t step = 0;
    // a styled pen reads its pattern from a table, the position moving on by
    // one each step (found again when the walk skips)
    const std::uint32_t bk = BkArgb();
    const std::vector<std::uint8_t>* table = solid ? nullptr : PenPatternTable();
    bool gapPainted = false;
    if (!solid)
        PenPatternOn(0, gapPainted);
    const std::int64_t period = table ? static_cast<std::int64_t>(table->size()) : 1;
    std::int64_t at = 0;
    std::int64_t nextStep = -1;
    while (walk.Next(x, y, step)) {
        std::uint32_t src = pen;
        if (!solid) {
            bool on = false;
            if (table) {
                if (step != nextStep) {
                    at = (base + step) % period;
                    if (at < 0)
                        at += period;
                }
                on = (*table)[static_cast<std::size_t>(at)] != 0;
                if (++at == period)
                    at = 0;
                nextStep = step + 1;
            } else {
                bool gap = false;
                on = PenPatternOn(base + step, gap);
            }
            if (!on) {
                if (!gapPainted)
                    continue;
                src = bk;
            }
        }
        if (!boxClip && !Visible(x, y))
            continue;
        std::uint32_t& d = m_surface.ScanLine(y)[x];
        d = copy ? src : ApplyRop2(m_rop2, src, d);
    }
    m_styleStep += run;
}

namespace {

// The pixels of a solid wide-pen line by its run and pen, relative to its
// first point; kept per thread and emptied when it grows past its limit.
struct StrokeKey {
    int dx = 0;
    int dy = 0;
    int width = 0;
    int cap = 0;
    int join = 0;
    friend bool operator==(const StrokeKey&, const StrokeKey&) = default;
};

struct StrokeKeyHash {
    std::size_t operator()(const StrokeKey& k) const
    {
        std::size_t h = static_cast<std::uint32_t>(k.dx);
        for (int v : {k.dy, k.width, k.cap, k.join})
            h = h * 1000003u ^ static_cast<std::uint32_t>(v);
        return h;
    }
};

struct StrokeCache {
    std::unordered_map<StrokeKey, SpanList, StrokeKeyHash> entries;
    std::size_t spans = 0;
};

StrokeCache& ThreadStrokeCache()
{
    thread_local StrokeCache cache;
    return cache;
}

}  // namespace

bool QtDrawingDevice::WideSegmentFromCache(Point a, Point b)
{
    constexpr int kLongest = 4096;
    constexpr std::size_t kMostSpans = std::size_t{1} << 20;
    // the general path composites inside the outline's bounds grown by half
    // the width and two pixels: square ends reach further from 10 pixels wide
    if (m_inPath || m_pen.IsNull() || m_pen.IsCosmetic() || m_pen.style == PenStyle::UserStyle || !PenSolid() ||
        (m_pen.endCap == PenEndCap::Square && m_pen.width > 9) || !CurveRasterCache::Enabled())
        return false;
    const int dx = b.x - a.x;
    const int dy = b.y - a.y;
    if (std::abs(dx) > kLongest || std::abs(dy) > kLongest)
        return false;
    const Rect limit = DrawLimit();
    if (limit.IsEmpty())
        return true;
    StrokeCache& cache = ThreadStrokeCache();
    const StrokeKey key{dx, dy, m_pen.width, static_cast<int>(m_pen.endCap), static_cast<int>(m_pen.join)};
    auto it = cache.entries.find(key);
    if (it == cache.entries.end()) {
        if (cache.spans > kMostSpans) {
            cache.entries.clear();
            cache.spans = 0;
        }
        const Rect everywhere{-(1 << 20), -(1 << 20), 1 << 20, 1 << 20};
        SpanList spans =
            StrokeSpans({Figure{{PointF{0, 0}, PointF{static_cast<double>(dx), static_cast<double>(dy)}}, false}},
                        everywhere);
        cache.spans += spans.size() + 1;
        it = cache.entries.emplace(key, std::move(spans)).first;
    }
    const std::uint32_t pen = PenArgb();
    for (const Span& sp : it->second) {
        const int y = sp.y + a.y;
        if (y < limit.top || y >= limit.bottom)
            continue;
        const int x0 = std::max(sp.x0 + a.x, limit.left);
        const int x1 = std::min(sp.x1 + a.x, limit.right);
        if (x0 >= x1)
            continue;
        std::uint32_t* line = m_surface.ScanLine(y);
        ForVisible(y, x0, x1, [&](int l, int r) { RopRow(line, l, r, pen); });
    }
    return true;
}

void QtDrawingDevice::WideLines(const std::vector<Figure>& figs)
{
    DrawFigures(figs, nullptr, false);
}

Point QtDrawingDevice::MoveTo(int x, int y)
{
    if (m_inPath)
        m_path.push_back({{ToPointF(Dev(x, y))}, false});
    m_styleStep = 0;
    return std::exchange(m_position, Point{x, y});
}

void QtDrawingDevice::LineTo(int x, int y)
{
    const Point a = Dev(m_position.x, m_position.y);
    const Point b = Dev(x, y);
    if (m_inPath) {
        AppendToPath({ToPointF(b)});
        m_position = {x, y};
        return;
    }
    m_position = {x, y};
    if (m_pen.IsNull())
        return;
    if (m_pen.IsCosmetic())
        ThinLine(a, b, false);
    else if (!WideSegmentFromCache(a, b))
        WideLines({Figure{{ToPointF(a), ToPointF(b)}, false}});
}

void QtDrawingDevice::Polyline(const Point* points, int count)
{
    if (count < 1 || !points)
        return;
    Figure f{DevPoints(points, count)};
    if (m_inPath) {
        m_path.push_back(std::move(f));
        return;
    }
    if (m_pen.IsNull() || count < 2)
        return;
    if (m_pen.IsCosmetic()) {
        m_styleStep = 0;
        for (int i = 0; i + 1 < count; ++i)
            ThinLine(Dev(points[i].x, points[i].y), Dev(points[i + 1].x, points[i + 1].y), false);
        m_styleStep = 0;
    } else {
        WideLines({f});
    }
}

void QtDrawingDevice::PolylineTo(const Point* points, int count)
{
    if (count < 1 || !points)
        return;
    if (m_inPath) {
        AppendToPath(DevPoints(points, count));
        m_position = points[count - 1];
        return;
    }
    std::vector<Point> all;
    all.push_back(m_position);
    all.insert(all.end(), points, points + count);
    const Point last = points[count - 1];
    const std::int64_t step = m_styleStep;
    Polyline(all.data(), static_cast<int>(all.size()));
    m_styleStep = step;
    m_position = last;
}


void QtDrawingDevice::PolyBezier(const Point* points, int count)
{
    if (count < 4 || !points)
        return;
    const Point start = Dev(points[0].x, points[0].y);
    const std::vector<PointF> ctrl = DevPoints(points, count);
    Figure f;
    f.points.push_back(ctrl[0]);
    const auto curve = BezierPoints(ctrl);
    f.points.insert(f.points.end(), curve.begin(), curve.end());
    if (m_inPath) {
        m_path.push_back(std::move(f));
        return;
    }
    if (m_pen.IsNull())
        return;
    if (m_pen.IsCosmetic()) {
        m_styleStep = 0;
        Point prev = start;
        for (std::size_t i = 1; i < f.points.size(); ++i) {
            const Point p{RoundHalfUp(f.points[i].x), RoundHalfUp(f.points[i].y)};
            if (p == prev)
                continue;
            ThinLine(prev, p, false);
            prev = p;
        }
        m_styleStep = 0;
    } else {
        WideLines({f});
    }
}

void QtDrawingDevice::PolyBezierTo(const Point* points, int count)
{
    if (count < 3 || !points)
        return;
    std::vector<Point> all;
    all.push_back(m_position);
    all.insert(all.end(), points, points + count);
    if (m_inPath)
        AppendToPath(BezierPoints(DevPoints(all.data(), static_cast<int>(all.size()))));
    else
        PolyBezier(all.data(), static_cast<int>(all.size()));
    m_position = points[(count / 3) * 3 - 1];
}

void QtDrawingDevice::ArcGeometry(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4, double inset,
                                  double& cx, double& cy, double& rx, double& ry, double& t0, double& sweep) const
{
    const Point a = Dev(std::min(x1, x2), std::min(y1, y2));
    const Point b = Dev(std::max(x1, x2), std::max(y1, y2));
    const Point s = Dev(x3, y3);
    const Point e = Dev(x4, y4);
    // the outline runs through the pixels from left to right - 1
    const double l = a.x + inset;
    const double t = a.y + inset;
    const double r = b.x - 1 - inset;
    const double bt = b.y - 1 - inset;
    cx = (l + r) / 2;
    cy = (t + bt) / 2;
    rx = std::max(0.0, (r - l) / 2);
    ry = std::max(0.0, (bt - t) / 2);
    // radials are geometric angles about the centre of the box (so a radial
    // point level with it is exactly 3 o'clock); the ellipse is walked by its
    // parametric angle
    const double bx = (static_cast<double>(a.x) + b.x) / 2;
    const double by = (static_cast<double>(a.y) + b.y) / 2;
    const double ta = ParametricAngle(rx, ry, s.x - bx, by - s.y);
    const double tb = ParametricAngle(rx, ry, e.x - bx, by - e.y);
    t0 = ta;
    if (m_arcDirection == ArcDirection::CounterClockwise)
        sweep = FullTurn(tb - ta);
    else
        sweep = -FullTurn(ta - tb);
}

void QtDrawingDevice::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    double cx, cy, rx, ry, t0, sweep;
    ArcGeometry(x1, y1, x2, y2, x3, y3, x4, y4, 0, cx, cy, rx, ry, t0, sweep);
    Figure f{EllipseArcPoints(cx, cy, rx, ry, t0, sweep), false, true};
    if (m_inPath) {
        m_path.push_back(std::move(f));
        return;
    }
    DrawFigures({f}, nullptr, false);
}

void QtDrawingDevice::ArcTo(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    double cx, cy, rx, ry, t0, sweep;
    ArcGeometry(x1, y1, x2, y2, x3, y3, x4, y4, 0, cx, cy, rx, ry, t0, sweep);
    const std::vector<PointF> arc = EllipseArcPoints(cx, cy, rx, ry, t0, sweep);
    const Point cp = Dev(m_position.x, m_position.y);
    const PointF end = arc.back();
    const Point endPosition{RoundHalfUp(end.x) - m_viewportOrg.x, RoundHalfUp(end.y) - m_viewportOrg.y};
    if (m_inPath) {
        AppendToPath(arc);
        m_position = endPosition;
        return;
    }
    m_position = endPosition;
    Figure f;
    f.curve = true;
    f.points.push_back(ToPointF(cp));
    f.points.insert(f.points.end(), arc.begin(), arc.end());
    DrawFigures({f}, nullptr, false);
}

// ---- shapes ----

double QtDrawingDevice::FrameInset() const
{
    return (m_pen.style == PenStyle::InsideFrame && m_pen.width > 1) ? (m_pen.width - 1) / 2.0 : 0.0;
}

std::optional<QtDrawingDevice::ShapeBox> QtDrawingDevice::BoxOf(int left, int top, int right, int bottom) const
{
    const Point a = Dev(std::min(left, right), std::min(top, bottom));
    const Point b = Dev(std::max(left, right), std::max(top, bottom));
    if (b.x <= a.x || b.y <= a.y)
        return std::nullopt;
    const double inset = FrameInset();
    return ShapeBox{a, b, a.x + inset, a.y + inset, b.x - 1 - inset, b.y - 1 - inset};
}

void QtDrawingDevice::Rectangle(int left, int top, int right, int bottom)
{
    const std::optional<ShapeBox> box = BoxOf(left, top, right, bottom);
    if (!box)
        return;
    const auto [a, b, l, t, r, bt] = *box;
    // built only when the figure is walked (structured bindings passed, not captured)
    const auto figure = [](auto L, auto T, auto R, auto B) {
        return std::vector<Figure>{Figure{{{L, T}, {R, T}, {R, B}, {L, B}}, true}};
    };
    const auto outline = [&, L = l, T = t, R = r, B = bt] { return figure(L, T, R, B); };
    if (m_inPath) {
        AddToPath(outline());
        return;
    }
    // [left, right - 1) x [top, bottom - 1); a one-pixel outline takes the
    // first row and column, so the fill keeps inside it
    const bool thinPen = !m_pen.IsNull() && m_pen.IsCosmetic();
    const int shrink = thinPen ? 1 : 0;
    Rect fillBox;
    if (!m_brush.IsNull()) {
        const Rect limit = DrawLimit();
        fillBox = {std::max(a.x + shrink, limit.left), std::max(a.y + shrink, limit.top), std::min(b.x - 1, limit.right),
                   std::min(b.y - 1, limit.bottom)};
    }
    // no outline, or a solid one-pixel outline around more than a line: the
    // fill as a box, then the outline's four sides as spans, each pixel once,
    // as the figure's walk paints them
    if (m_pen.IsNull()) {
        FillBox(fillBox, m_brush);
        return;
    }
    if (thinPen && PenSolid() && b.x - 1 > a.x && b.y - 1 > a.y) {
        std::uint32_t brush = 0;
        if (m_rop2 == Rop2::CopyPen && m_brush.style == BrushStyle::Solid && BrushPixel(m_brush, 0, 0, brush)
            && brush == PenArgb()) {
            // outline and fill of one colour: the whole box
            FillBox({a.x, a.y, b.x, b.y}, m_brush);
            return;
        }
        if (!m_brush.IsNull())
            FillBox(fillBox, m_brush);
        RectangleOutline(a.x, a.y, b.x - 1, b.y - 1);
        return;
    }
    SpanList fill;
    if (!fillBox.IsEmpty())
        for (int y = fillBox.top; y < fillBox.bottom; ++y)
            fill.push_back({y, fillBox.left, fillBox.right});
    DrawFigures(outline(), &fill, true, true);
}

void QtDrawingDevice::RectangleOutline(int l, int t, int r, int b)
{
    const std::uint32_t pen = PenArgb();
    RopSpan(t, l, r, pen);          // top, left to right - 1
    RopSpan(b, l + 1, r + 1, pen);  // bottom, right back to left + 1
    const int y0 = std::max(t, 0);
    const int y1 = std::min(b + 1, Height());
    for (int y = y0; y < y1; ++y) {
        if (y < b)
            RopSpan(y, r, r + 1, pen);  // right side, top to bottom - 1
        if (y > t)
            RopSpan(y, l, l + 1, pen);  // left side, bottom back to top + 1
    }
}

void QtDrawingDevice::Ellipse(int left, int top, int right, int bottom)
{
    const std::optional<ShapeBox> box = BoxOf(left, top, right, bottom);
    if (!box)
        return;
    // named, not bound: clang 14 lets no lambda capture a structured binding
    const Point a = box->a, b = box->b;
    const double l = box->l, t = box->t, r = box->r, bt = box->bt;
    auto points = [](double l, double t, double r, double bt) {
        std::vector<PointF> pts =
            EllipseArcPoints((l + r) / 2, (t + bt) / 2, (r - l) / 2, (bt - t) / 2, 0, 2 * kPi);
        pts.pop_back();
        return pts;
    };
    const CurveShapeKey key{1, b.x - a.x, b.y - a.y, {}};
    if (DrawCachedCurve(key, a, b, [&](std::vector<PointF>& pts) {
            pts = points(l - a.x, t - a.y, r - a.x, bt - a.y);
            return EllipseArcShiftable((r - l) / 2, (bt - t) / 2, 0, 2 * kPi);
        }))
        return;
    std::vector<PointF> pts = points(l, t, r, bt);
    SpanList fill;
    if (!m_inPath && !m_brush.IsNull() && !OutlineHoldsFill())
        fill = EllipseSpans(l, t, r, bt, DrawLimit());
    ShapeOrPath({Figure{std::move(pts), true, true}}, fill);
}

void QtDrawingDevice::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight)
{
    const std::optional<ShapeBox> box = BoxOf(left, top, right, bottom);
    if (!box)
        return;
    // named, not bound: clang 14 lets no lambda capture a structured binding
    const Point a = box->a, b = box->b;
    const double l = box->l, t = box->t, r = box->r, bt = box->bt;
    const double cw = std::min<double>(std::abs(cornerWidth), r - l);
    const double ch = std::min<double>(std::abs(cornerHeight), bt - t);
    auto points = [&](double l, double t, double r, double bt) {
        std::vector<PointF> pts;
        auto quarter = [&](double ecx, double ecy, double from) {
            const auto arc = EllipseArcPoints(ecx, ecy, cw / 2, ch / 2, from, kPi / 2);
            pts.insert(pts.end(), arc.begin(), arc.end());
        };
        quarter(r - cw / 2, t + ch / 2, 0);
        quarter(l + cw / 2, t + ch / 2, kPi / 2);
        quarter(l + cw / 2, bt - ch / 2, kPi);
        quarter(r - cw / 2, bt - ch / 2, 3 * kPi / 2);
        return pts;
    };
    const CurveShapeKey key{2, b.x - a.x, b.y - a.y, {std::abs(cornerWidth), std::abs(cornerHeight)}};
    if (DrawCachedCurve(key, a, b, [&](std::vector<PointF>& pts) {
            pts = points(l - a.x, t - a.y, r - a.x, bt - a.y);
            for (int i = 0; i < 4; ++i)
                if (!EllipseArcShiftable(cw / 2, ch / 2, i * kPi / 2, kPi / 2))
                    return false;
            return true;
        }))
        return;
    std::vector<PointF> pts = points(l, t, r, bt);
    SpanList fill;
    if (!m_inPath && !m_brush.IsNull() && !OutlineHoldsFill())
        fill = RoundRectSpans(l, t, r, bt, cw, ch, DrawLimit());
    ShapeOrPath({Figure{std::move(pts), true, true}}, fill);
}

void QtDrawingDevice::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    ClosedArc(x1, y1, x2, y2, x3, y3, x4, y4, true);
}

void QtDrawingDevice::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    ClosedArc(x1, y1, x2, y2, x3, y3, x4, y4, false);
}

void QtDrawingDevice::ClosedArc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4,
                                bool throughCentre)
{
    if (x1 == x2 || y1 == y2)
        return;
    double cx, cy, rx, ry, t0, sweep;
    ArcGeometry(x1, y1, x2, y2, x3, y3, x4, y4, FrameInset(), cx, cy, rx, ry, t0, sweep);
    auto points = [&](double cx, double cy) {
        std::vector<PointF> pts;
        if (throughCentre)
            pts.push_back({cx, cy});
        const auto arc = EllipseArcPoints(cx, cy, rx, ry, t0, sweep);
        pts.insert(pts.end(), arc.begin(), arc.end());
        return pts;
    };
    // the arc by its box and radial points relative to the box
    const Point a = Dev(std::min(x1, x2), std::min(y1, y2));
    const Point b = Dev(std::max(x1, x2), std::max(y1, y2));
    const Point s = Dev(x3, y3);
    const Point e = Dev(x4, y4);
    const CurveShapeKey key{throughCentre ? 3 : 4, b.x - a.x, b.y - a.y,
                            {s.x - a.x, s.y - a.y, e.x - a.x, e.y - a.y,
                             m_arcDirection == ArcDirection::CounterClockwise ? 1 : 0}};
    const bool near = std::abs(s.x) <= (1 << 15) && std::abs(s.y) <= (1 << 15) && std::abs(e.x) <= (1 << 15) &&
                      std::abs(e.y) <= (1 << 15);
    if (near && DrawCachedCurve(key, a, b, [&](std::vector<PointF>& pts) {
            pts = points(cx - a.x, cy - a.y);
            return EllipseArcShiftable(rx, ry, t0, sweep);
        }))
        return;
    std::vector<PointF> pts = points(cx, cy);
    SpanList fill;
    if (!m_inPath && !m_brush.IsNull() && !OutlineHoldsFill())
        fill = PolygonSpans({pts}, PolyFillMode::Alternate, DrawLimit());
    ShapeOrPath({Figure{std::move(pts), true, true}}, fill);
}

void QtDrawingDevice::Polygon(const Point* points, int count)
{
    if (count < 2 || !points)
        return;
    const int counts[] = {count};
    PolyPolygon(points, counts, 1);
}

void QtDrawingDevice::PolyPolygon(const Point* points, const int* counts, int polygonCount)
{
    if (!points || !counts || polygonCount < 1)
        return;
    std::vector<Figure> figs;
    int offset = 0;
    for (int i = 0; i < polygonCount; ++i) {
        figs.push_back(Figure{DevPoints(points + offset, counts[i]), true});
        offset += std::max(0, counts[i]);
    }
    SpanList fill;
    if (!m_inPath && !m_brush.IsNull() && !OutlineHoldsFill())
        fill = FiguresFill(figs, DrawLimit());
    ShapeOrPath(std::move(figs), fill);
}

// ---- fills ----

void QtDrawingDevice::FillRectWith(const Rect& r, const BrushDesc& brush)
{
    if (r.IsEmpty() || brush.IsNull())
        return;
    const Point a = Dev(r.left, r.top);
    const Point b = Dev(r.right, r.bottom);
    if (brush.style == BrushStyle::Solid && m_clipRects.size() <= 1) {
        // no clip or a one-rectangle clip: the rows of the part inside it
        const Rect part = Intersect({a.x, a.y, b.x, b.y}, DrawLimit());
        if (part.IsEmpty())
            return;
        std::uint32_t p = 0;
        BrushPixel(brush, 0, 0, p);
        for (int y = part.top; y < part.bottom; ++y)
            FillPixels(m_surface.ScanLine(y) + part.left, part.Width(), p);
        return;
    }
    for (int y = std::max(a.y, 0); y < std::min(b.y, Height()); ++y) {
        std::uint32_t* line = m_surface.ScanLine(y);
        ForVisible(y, a.x, b.x, [&](int x0, int x1) {
            std::uint32_t p;
            if (brush.style == BrushStyle::Solid) {
                BrushPixel(brush, x0, y, p);
                FillPixels(line + x0, x1 - x0, p);
                return;
            }
            for (int x = x0; x < x1; ++x)
                if (BrushPixel(brush, x, y, p))
                    line[x] = p;
        });
    }
}

void QtDrawingDevice::FillRect(const Rect& r) { FillRectWith(r, m_brush); }

void QtDrawingDevice::PatBlt(int x, int y, int width, int height, Rop3 rop)
{
    int l = x, t = y, r = x + width, b = y + height;
    if (l > r)
        std::swap(l, r);
    if (t > b)
        std::swap(t, b);
    const Point a = Dev(l, t);
    const Point e = Dev(r, b);
    const bool usesPattern = rop == Rop3::PatCopy || rop == Rop3::PatInvert;
    if (rop == Rop3::PatCopy && m_brush.style == BrushStyle::Solid) {
        FillRectWith({l, t, r, b}, m_brush);
        return;
    }
    for (int yy = std::max(a.y, 0); yy < std::min(e.y, Height()); ++yy) {
        std::uint32_t* line = m_surface.ScanLine(yy);
        ForVisible(yy, a.x, e.x, [&](int x0, int x1) {
            for (int xx = x0; xx < x1; ++xx) {
                std::uint32_t p = 0;
                if (usesPattern && !BrushPixel(m_brush, xx, yy, p))
                    continue;
                line[xx] = ApplyRop3(usesPattern || rop == Rop3::DstInvert || rop == Rop3::Blackness ||
                                             rop == Rop3::Whiteness
                                         ? rop
                                         : Rop3::PatCopy,
                                     0, line[xx], p);
            }
        });
    }
}

bool QtDrawingDevice::FloodFill(int x, int y, TColor color, FloodFillType type)
{
    const Point s = Dev(x, y);
    if (!m_surface.Contains(s.x, s.y) || m_brush.IsNull())
        return false;
    const std::uint32_t target = ColorToArgb(ColorToRGB(color)) & 0xFFFFFFu;
    auto inside = [&](int px, int py) {
        const std::uint32_t p = m_surface.ScanLine(py)[px] & 0xFFFFFFu;
        return type == FloodFillType::Surface ? p == target : p != target;
    };
    if (!inside(s.x, s.y))
        return false;
    // the area as row spans, walked before any painting so the fill colour
    // never steers it; the marks stay all clear between calls
    const int w = Width();
    const int h = Height();
    if (m_floodSeen.size() != static_cast<std::size_t>(w) * h)
        m_floodSeen.assign(static_cast<std::size_t>(w) * h, 0);
    auto seen = [&](int px, int py) -> std::uint8_t& { return m_floodSeen[static_cast<std::size_t>(py) * w + px]; };
    SpanList area;
    m_floodStack.clear();
    m_floodStack.push_back(s);
    while (!m_floodStack.empty()) {
        const Point p = m_floodStack.back();
        m_floodStack.pop_back();
        if (seen(p.x, p.y) || !inside(p.x, p.y))
            continue;
        int x0 = p.x;
        int x1 = p.x + 1;
        while (x0 > 0 && !seen(x0 - 1, p.y) && inside(x0 - 1, p.y))
            --x0;
        while (x1 < w && !seen(x1, p.y) && inside(x1, p.y))
            ++x1;
        std::fill_n(&seen(x0, p.y), x1 - x0, 1);
        area.push_back({p.y, x0, x1});
        // a seed at the start of each run of unmarked inside pixels above and below
        for (const int ny : {p.y - 1, p.y + 1}) {
            if (ny < 0 || ny >= h)
                continue;
            bool inRun = false;
            for (int x = x0; x < x1; ++x) {
                const bool open = !seen(x, ny) && inside(x, ny);
                if (open && !inRun)
                    m_floodStack.push_back({x, ny});
                inRun = open;
            }
        }
    }
    const bool solid = m_brush.style == BrushStyle::Solid;
    std::uint32_t solidArgb = 0;
    if (solid)
        BrushPixel(m_brush, 0, 0, solidArgb);
    for (const Span& span : area) {
        std::uint32_t* line = m_surface.ScanLine(span.y);
        ForVisible(span.y, span.x0, span.x1, [&](int a, int b) {
            if (solid) {
                FillPixels(line + a, b - a, solidArgb);
                return;
            }
            std::uint32_t c;
            for (int x = a; x < b; ++x)
                if (BrushPixel(m_brush, x, span.y, c))
                    line[x] = c;
        });
        std::fill_n(&seen(span.x0, span.y), span.x1 - span.x0, 0);
    }
    return true;
}

void QtDrawingDevice::DrawCheckBox(const Rect& r, bool checked, bool flat)
{
    const int size = std::min({13, r.Width(), r.Height()});
    if (size < 4)
        return;
    const int l = r.left + (r.Width() - size) / 2;
    const int t = r.top + (r.Height() - size) / 2;
    auto fill = [&](int x0, int y0, int x1, int y1, TColor c) { FillRectWith({x0, y0, x1, y1}, BrushDesc::Solid(c)); };
    const TColor shadow = SystemColorRGB(static_cast<int>(SystemColorIndex::BtnShadow));
    if (flat) {
        fill(l, t, l + size, t + size, shadow);
        fill(l + 1, t + 1, l + size - 1, t + size - 1, clWhite);
    } else {
        const TColor dark = SystemColorRGB(static_cast<int>(SystemColorIndex::DkShadow3D));
        const TColor light = SystemColorRGB(static_cast<int>(SystemColorIndex::Light3D));
        fill(l, t, l + size, t + size, clWhite);                      // outer bottom-right: highlight
        fill(l, t, l + size - 1, t + size - 1, shadow);               // outer top-left: shadow
        fill(l + 1, t + 1, l + size - 1, t + size - 1, light);        // inner bottom-right: light
        fill(l + 1, t + 1, l + size - 2, t + size - 2, dark);         // inner top-left: dark shadow
        fill(l + 2, t + 2, l + size - 2, t + size - 2, clWhite);
    }
    if (!checked)
        return;
    // a check mark of three-pixel columns: down from the left, then up to the right
    const int ox = l + (size - 7) / 2;
    const int oy = t + (size - 7) / 2;
    static const int rise[7] = {2, 3, 4, 3, 2, 1, 0};
    for (int i = 0; i < 7; ++i)
        fill(ox + i, oy + rise[i], ox + i + 1, oy + rise[i] + 3, clBlack);
}

// ---- paths ----

void QtDrawingDevice::BeginPath()
{
    m_inPath = true;
    m_pathReady = false;
    m_path.clear();
}

void QtDrawingDevice::EndPath()
{
    if (!m_inPath)
        return;
    m_inPath = false;
    m_pathReady = true;
}

void QtDrawingDevice::AbortPath()
{
    m_inPath = false;
    m_pathReady = false;
    m_path.clear();
}

void QtDrawingDevice::CloseFigure()
{
    if (m_inPath && !m_path.empty())
        m_path.back().closed = true;
}

void QtDrawingDevice::StrokePath()
{
    if (!m_pathReady)
        return;
    DrawFigures(m_path, nullptr, false);
    AbortPath();
}

void QtDrawingDevice::FillPath()
{
    if (!m_pathReady)
        return;
    const SpanList fill = FiguresFill(m_path, DrawLimit());
    const PenDesc pen = std::exchange(m_pen, PenDesc::NullPen());
    DrawFigures({}, &fill, true);
    m_pen = pen;
    AbortPath();
}

void QtDrawingDevice::StrokeAndFillPath()
{
    if (!m_pathReady)
        return;
    const SpanList fill = FiguresFill(m_path, DrawLimit());
    std::vector<Figure> closed = m_path;
    for (Figure& f : closed)
        f.closed = true;
    DrawFigures(closed, &fill, true);
    AbortPath();
}

void QtDrawingDevice::WidenPath()
{
    if (!m_pathReady)
        return;
    const PenDesc saved = m_pen;
    if (m_pen.IsNull())
        m_pen = PenDesc::Solid(m_pen.color, 1);
    // outline of the stroke, merged into non-overlapping figures
    QPainterPath stroke;
    stroke.setFillRule(Qt::WindingFill);
    for (const auto& poly : StrokeOutline(m_path)) {
        QPolygonF q;
        for (const PointF& p : poly)
            q << QPointF(p.x, p.y);
        stroke.addPolygon(q);
        stroke.closeSubpath();
    }
    const QPainterPath merged = stroke.simplified();
    m_pen = saved;
    m_path.clear();
    for (const QPolygonF& poly : merged.toSubpathPolygons())
        m_path.push_back(Figure{FromQPolygon(poly), true});
}

void QtDrawingDevice::SelectClipPath(ClipCombine mode)
{
    if (!m_pathReady)
        return;
    CombineClip(SpansToQRegion(FiguresFill(m_path, SurfaceRect())), mode);
    AbortPath();
}

// ---- pixels and blits ----

TColor QtDrawingDevice::SetPixel(int x, int y, TColor c)
{
    const Point d = Dev(x, y);
    if (!Visible(d.x, d.y))
        return 0xFFFFFFFFu;
    const TColor rgb = ColorToRGB(c);
    m_surface.ScanLine(d.y)[d.x] = ColorToArgb(rgb);
    return rgb;
}

TColor QtDrawingDevice::GetPixel(int x, int y) const
{
    const Point d = Dev(x, y);
    return m_surface.Pixel(d.x, d.y);
}

namespace {

// The source pixel, opaque (SRCCOPY).
struct CopyOpaque {
    std::uint32_t operator()(std::uint32_t s, std::uint32_t) const { return s | kOpaque; }
};

// One row of a blit; the rows never overlap (a self-blit reads a copy).
template <class Op>
void BlitRow(std::uint32_t* __restrict d, const std::uint32_t* __restrict s, int n, Op op)
{
    for (int k = 0; k < n; ++k)
        d[k] = op(s[k], d[k]);
}

// A copied row, in the widest vectors the processor has.
__attribute__((target_clones("avx2", "default"))) void BlitRow(std::uint32_t* __restrict d,
                                                               const std::uint32_t* __restrict s, int n, CopyOpaque)
{
    const Pixels8 opaque = {kOpaque, kOpaque, kOpaque, kOpaque, kOpaque, kOpaque, kOpaque, kOpaque};
    int k = 0;
    for (; k + 8 <= n; k += 8) {
        Pixels8 v;
        std::memcpy(&v, s + k, sizeof v);
        v |= opaque;
        std::memcpy(d + k, &v, sizeof v);
    }
    for (; k < n; ++k)
        d[k] = s[k] | kOpaque;
}

}  // namespace

template <class Op>
void QtDrawingDevice::BlitPixels(int x, int y, int width, int height, const Bitmap& src, int srcX, int srcY,
                                 int srcWidth, int srcHeight, Op op, bool smooth)
{
    if (width == 0 || height == 0 || srcWidth == 0 || srcHeight == 0 || src.IsEmpty())
        return;
    const bool flipX = (width < 0) != (srcWidth < 0);
    const bool flipY = (height < 0) != (srcHeight < 0);
    const int dw = std::abs(width), dh = std::abs(height);
    const int sw = std::abs(srcWidth), sh = std::abs(srcHeight);
    const int sx0 = srcWidth < 0 ? srcX + srcWidth : srcX;
    const int sy0 = srcHeight < 0 ? srcY + srcHeight : srcY;
    const Point dev = Dev(width < 0 ? x + width : x, height < 0 ? y + height : y);
    const bool scaled = dw != sw || dh != sh;
    if (!scaled && !flipX && !flipY && !m_clip && &src != &m_surface) {
        // 1:1 with every pixel read inside the source: row by row
        const int x0 = std::max(dev.x, 0), x1 = std::min(dev.x + dw, Width());
        const int y0 = std::max(dev.y, 0), y1 = std::min(dev.y + dh, Height());
        const int sx = sx0 + (x0 - dev.x), sy = sy0 + (y0 - dev.y);
        if (x0 >= x1 || y0 >= y1)
            return;
        if (sx >= 0 && sx + (x1 - x0) <= src.Width() && sy >= 0 && sy + (y1 - y0) <= src.Height()) {
            for (int yy = y0; yy < y1; ++yy)
                BlitRow(m_surface.ScanLine(yy) + x0, src.ScanLine(sy + (yy - y0)) + sx, x1 - x0, op);
            return;
        }
    }

    // the source part [sx0, sx0 + sw) x [sy0, sy0 + sh) is read from `from` at
    // (ox, oy); pixels outside the source read as opaque black. It is copied
    // first only when it is this surface, or scaled smoothly.
    const Bitmap* from = &src;
    int ox = sx0;
    int oy = sy0;
    Bitmap smoothed;
    // the source's own pixels, read in place by the smooth scaling
    const auto wrap = [](const Bitmap& b, int x0, int y0, int w, int h) {
        return QImage(reinterpret_cast<const uchar*>(b.ScanLine(y0) + x0), w, h,
                      static_cast<qsizetype>(b.Width()) * 4,
                      b.HasAlpha() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    };
    if (smooth && scaled && &src != &m_surface && sx0 >= 0 && sy0 >= 0 && sx0 + sw <= src.Width()
        && sy0 + sh <= src.Height()) {
        smoothed = BitmapFromQImage(wrap(src, sx0, sy0, sw, sh).scaled(dw, dh, Qt::IgnoreAspectRatio,
                                                                        Qt::SmoothTransformation));
        from = &smoothed;
        ox = 0;
        oy = 0;
    } else if ((smooth && scaled) || &src == &m_surface) {
        if (m_blitPart.Width() != sw || m_blitPart.Height() != sh)
            m_blitPart = Bitmap(sw, sh);
        const int c0 = std::clamp(-sx0, 0, sw);
        const int c1 = std::clamp(src.Width() - sx0, c0, sw);
        for (int j = 0; j < sh; ++j) {
            std::uint32_t* out = m_blitPart.ScanLine(j);
            const int sy = sy0 + j;
            if (sy < 0 || sy >= src.Height()) {
                std::fill_n(out, sw, kOpaque);
                continue;
            }
            std::fill(out, out + c0, kOpaque);
            std::copy_n(src.ScanLine(sy) + sx0 + c0, c1 - c0, out + c0);
            std::fill(out + c1, out + sw, kOpaque);
        }
        m_blitPart.SetHasAlpha(src.HasAlpha());
        from = &m_blitPart;
        if (smooth && scaled) {
            smoothed = BitmapFromQImage(
                wrap(m_blitPart, 0, 0, sw, sh).scaled(dw, dh, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
            from = &smoothed;
        }
        ox = 0;
        oy = 0;
    }
    const int pw = from == &smoothed ? smoothed.Width() : sw;
    const int ph = from == &smoothed ? smoothed.Height() : sh;
    const int fw = from->Width();
    const int fh = from->Height();
    // source column of each destination column (nearest pixel centre); 1:1
    // unmirrored copies read straight along the row
    const bool identityX = dw == pw && !flipX;
    bool columnsInside = true;  // every column reads inside the source
    if (!identityX) {
        m_blitColumns.resize(static_cast<std::size_t>(dw));
        for (int i = 0; i < dw; ++i) {
            const int ii = flipX ? dw - 1 - i : i;
            const int sxx = std::clamp(
                static_cast<int>(((2 * static_cast<std::int64_t>(ii) + 1) * pw) / (2 * static_cast<std::int64_t>(dw))), 0,
                pw - 1);
            const int sx = ox + sxx;
            m_blitColumns[static_cast<std::size_t>(i)] = sx >= 0 && sx < fw ? sx : -1;
            columnsInside = columnsInside && sx >= 0 && sx < fw;
        }
    }
    // 1:1: the destination columns [dev.x + i0, dev.x + i1) read inside the source
    const int i0 = std::clamp(-ox, 0, dw);
    const int i1 = std::clamp(fw - ox, i0, dw);
    // only the rows on the surface
    const int j0 = static_cast<int>(std::clamp<std::int64_t>(-static_cast<std::int64_t>(dev.y), 0, dh));
    const int j1 = static_cast<int>(std::clamp<std::int64_t>(static_cast<std::int64_t>(Height()) - dev.y, 0, dh));
    for (int j = j0; j < j1; ++j) {
        const int dy = dev.y + j;
        const int jj = flipY ? dh - 1 - j : j;
        // rows 1:1 need no division
        const int syy = dh == ph ? jj
                                 : std::clamp(static_cast<int>(((2 * static_cast<std::int64_t>(jj) + 1) * ph)
                                                               / (2 * static_cast<std::int64_t>(dh))),
                                              0, ph - 1);
        const int sy = oy + syy;
        const std::uint32_t* srow = sy >= 0 && sy < fh ? from->ScanLine(sy) : nullptr;
        std::uint32_t* line = m_surface.ScanLine(dy);
        ForVisible(dy, dev.x, dev.x + dw, [&](int a, int b) {
            if (!identityX && srow && columnsInside) {
                const int* cols = m_blitColumns.data() + (a - dev.x);
                std::uint32_t* d = line + a;
                const int n = b - a;
                for (int k = 0; k < n; ++k)
                    d[k] = op(srow[cols[k]], d[k]);
                return;
            }
            if (!identityX) {
                for (int dx = a; dx < b; ++dx) {
                    const int c = m_blitColumns[static_cast<std::size_t>(dx - dev.x)];
                    line[dx] = op(srow && c >= 0 ? srow[c] : kOpaque, line[dx]);
                }
                return;
            }
            int va = a;
            int vb = a;
            if (srow) {
                va = std::clamp(dev.x + i0, a, b);
                vb = std::clamp(dev.x + i1, va, b);
            }
            for (int dx = a; dx < va; ++dx)
                line[dx] = op(kOpaque, line[dx]);
            if (va < vb)
                BlitRow(line + va, srow + (ox + va - dev.x), vb - va, op);
            for (int dx = vb; dx < b; ++dx)
                line[dx] = op(kOpaque, line[dx]);
        });
    }
}

void QtDrawingDevice::BitBlt(int x, int y, int width, int height, const Bitmap& src, int srcX, int srcY, Rop3 rop)
{
    StretchBlt(x, y, width, height, src, srcX, srcY, width, height, rop);
}

void QtDrawingDevice::StretchBlt(int x, int y, int width, int height, const Bitmap& src, int srcX, int srcY,
                                 int srcWidth, int srcHeight, Rop3 rop)
{
    // (BitBlt never scales, so the stretch mode does not matter to it)
    const bool smooth = m_stretchMode == StretchMode::Halftone;
    if (rop == Rop3::SrcCopy) {
        BlitPixels(x, y, width, height, src, srcX, srcY, srcWidth, srcHeight, CopyOpaque{}, smooth);
        return;
    }
    std::uint32_t pat = 0;
    BrushPixel(m_brush, 0, 0, pat);
    BlitPixels(x, y, width, height, src, srcX, srcY, srcWidth, srcHeight,
               [&](std::uint32_t s, std::uint32_t d) { return ApplyRop3(rop, s, d, pat); }, smooth);
}

namespace {

std::uint32_t Blend(std::uint32_t s, std::uint32_t d, int a)
{
    auto ch = [&](int shift) {
        const int sc = static_cast<int>((s >> shift) & 0xFF);
        const int dc = static_cast<int>((d >> shift) & 0xFF);
        return static_cast<std::uint32_t>((sc * a + dc * (255 - a) + 127) / 255) << shift;
    };
    return ch(16) | ch(8) | ch(0) | kOpaque;
}

}  // namespace

void QtDrawingDevice::AlphaBlend(int x, int y, int width, int height, const Bitmap& src, int srcX, int srcY,
                                 int srcWidth, int srcHeight, int constantAlpha)
{
    const int a = std::clamp(constantAlpha, 0, 255);
    BlitPixels(x, y, width, height, src, srcX, srcY, srcWidth, srcHeight,
               [a](std::uint32_t s, std::uint32_t d) { return Blend(s, d, a); }, false);
}

void QtDrawingDevice::DrawBitmap(int x, int y, const Bitmap& picture)
{
    StretchDrawBitmap({x, y, x + picture.Width(), y + picture.Height()}, picture);
}

void QtDrawingDevice::StretchDrawBitmap(const Rect& r, const Bitmap& picture)
{
    if (picture.IsEmpty() || r.IsEmpty())
        return;
    const bool alpha = picture.HasAlpha();
    BlitPixels(r.left, r.top, r.Width(), r.Height(), picture, 0, 0, picture.Width(), picture.Height(),
               [alpha](std::uint32_t s, std::uint32_t d) {
                   return alpha ? Blend(s, d, static_cast<int>(s >> 24)) : (s | kOpaque);
               },
               m_stretchMode == StretchMode::Halftone);
}

// ---- text ----

QPainter& QtDrawingDevice::TextPainter()
{
    if (!m_painter) {
        m_painter = std::make_unique<QPainter>(&m_image);
        m_painter->setRenderHint(QPainter::TextAntialiasing, true);
        m_painter->setRenderHint(QPainter::Antialiasing, true);
        m_painterFontSet = false;
        m_painterClip = 0;
        m_painterClipCustom = false;
    }
    return *m_painter;
}

void QtDrawingDevice::EndTextPainter() { m_painter.reset(); }

void QtDrawingDevice::DrawText(int x, int y, const std::string& text, const Rect* clipRect)
{
    const QString s = QString::fromUtf8(text.c_str(), static_cast<int>(text.size()));
    const bool updateCP = (m_textAlign & TextAlign::UpdateCP) != 0;
    const unsigned h = m_textAlign & TextAlign::HorizontalMask;
    const unsigned v = m_textAlign & TextAlign::VerticalMask;
    const bool opaque = m_bkMode == BackMode::Opaque;
    // the width is wanted only to align, move the position or fill the box
    // (left-aligned transparent text is shaped once, by the drawing)
    const bool needsWidth = m_inPath || updateCP || opaque || h == TextAlign::Right || h == TextAlign::Center;
    const int width = needsWidth ? m_metrics->horizontalAdvance(s) + m_charExtra * CodePointCount(text) : 0;
    const int ascent = m_ascent;
    const int descent = m_descent;
    const Point ref = updateCP ? m_position : Point{x, y};
    const Point d = Dev(ref.x, ref.y);
    const double x0 = h == TextAlign::Right ? -width : (h == TextAlign::Center ? -(width / 2) : 0);
    const double baseline = v == TextAlign::Baseline ? 0 : (v == TextAlign::Bottom ? -descent : ascent);
    if (updateCP) {
        if (h == TextAlign::Left)
            m_position.x += width;
        else if (h == TextAlign::Right)
            m_position.x -= width;
    }
    QTransform transform;
    transform.translate(d.x, d.y);
    if (m_font.escapement != 0)
        transform.rotate(-m_font.escapement / 10.0);  // counter-clockwise on screen

    if (m_inPath) {
        QFont font = m_qfont;
        if (m_charExtra != 0)
            font.setLetterSpacing(QFont::AbsoluteSpacing, m_charExtra);
        QPainterPath glyphs;
        glyphs.addText(QPointF(x0, baseline), font, s);
        for (const QPolygonF& poly : transform.map(glyphs).toSubpathPolygons())
            m_path.push_back(Figure{FromQPolygon(poly), true});
        return;
    }
    if (m_image.isNull() || s.isEmpty())
        return;
    QPainter& painter = TextPainter();
    // the clip, set in device pixels; kept while the device's clip stays
    if (clipRect || m_painterClipCustom || m_painterClip != (m_clip ? m_clipVersion : 0)) {
        painter.resetTransform();
        // no clip is the whole surface: after setClipping(false) the raster
        // engine would keep a later clip of many rectangles switched off
        if (m_clip)
            painter.setClipRegion(*m_clip);
        else
            painter.setClipRect(QRect(0, 0, Width(), Height()));
        if (clipRect) {
            const Point a = Dev(clipRect->left, clipRect->top);
            const Point b = Dev(clipRect->right, clipRect->bottom);
            painter.setClipRect(ClampedQRect({a.x, a.y, b.x, b.y}, SurfaceRect()),
                                m_clip ? Qt::IntersectClip : Qt::ReplaceClip);
        }
        m_painterClip = m_clip ? m_clipVersion : 0;
        m_painterClipCustom = clipRect != nullptr;
    }
    // level text: placed by its point, the painter left untransformed
    const bool level = m_font.escapement == 0;
    if (level) {
        if (painter.transform().type() != QTransform::TxNone)
            painter.resetTransform();
    } else {
        painter.setTransform(transform);
    }
    const double dx = level ? d.x : 0;
    const double dy = level ? d.y : 0;
    if (!m_painterFontSet || m_painterFontExtra != m_charExtra) {
        QFont font = m_qfont;
        if (m_charExtra != 0)
            font.setLetterSpacing(QFont::AbsoluteSpacing, m_charExtra);
        painter.setFont(font);
        m_painterFontSet = true;
        m_painterFontExtra = m_charExtra;
    }
    if (opaque) {
        // the box without antialiasing, the glyphs with it
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.fillRect(QRectF(dx + x0, dy + baseline - ascent, width, ascent + descent), ToQColor(m_bkColor));
        painter.setRenderHint(QPainter::Antialiasing, true);
    }
    painter.setPen(ToQColor(m_textColor));
    painter.drawText(QPointF(dx + x0, dy + baseline), s);
}

void QtDrawingDevice::TextOut(int x, int y, const std::string& text) { DrawText(x, y, text, nullptr); }

void QtDrawingDevice::ExtTextOut(int x, int y, unsigned options, const Rect* rect, const std::string& text)
{
    if (rect && (options & TextOutOptions::Opaque) && !m_inPath)
        FillRectWith(*rect, BrushDesc::Solid(m_bkColor));
    DrawText(x, y, text, rect && (options & TextOutOptions::Clipped) ? rect : nullptr);
}

Size QtDrawingDevice::GetTextExtent(const std::string& text) const
{
    const QFontMetrics& fm = *m_metrics;
    const QString s = QString::fromUtf8(text.c_str(), static_cast<int>(text.size()));
    return {fm.horizontalAdvance(s) + m_charExtra * CodePointCount(text), fm.ascent() + fm.descent()};
}

TextMetrics QtDrawingDevice::GetTextMetrics() const
{
    const QFontMetrics& fm = *m_metrics;
    TextMetrics tm;
    tm.ascent = fm.ascent();
    tm.descent = fm.descent();
    tm.height = tm.ascent + tm.descent;
    tm.internalLeading = std::max(0, tm.height - m_qfont.pixelSize());
    tm.externalLeading = std::max(0, fm.leading());
    tm.aveCharWidth = fm.averageCharWidth();
    tm.maxCharWidth = fm.maxWidth();
    return tm;
}

}  // namespace platform
