#include "platform/drawing_device.h"

#include "platform/raster_geometry.h"
#include "base/utf8_text.h"

#include <algorithm>
#include <cstdlib>

namespace platform {

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const std::int64_t p = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = std::llabs(c) / 2;
    // round half away from zero
    const bool negative = (p < 0) != (c < 0);
    std::int64_t q = (std::llabs(p) + half) / std::llabs(c);
    if (negative)
        q = -q;
    if (q > INT32_MAX || q < INT32_MIN)
        return -1;
    return static_cast<int>(q);
}

int FontHeightFromPoints(int points) { return -MulDiv(points, 96, 72); }

// ---- Bitmap ----

Bitmap::Bitmap(int width, int height, std::uint32_t fill)
    : m_width(std::max(0, width)), m_height(std::max(0, height)),
      m_data(static_cast<std::size_t>(m_width) * m_height, fill)
{
}

void Bitmap::Resize(int width, int height, std::uint32_t fill)
{
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == m_width && height == m_height)
        return;
    std::vector<std::uint32_t> data(static_cast<std::size_t>(width) * height, fill);
    const int w = std::min(width, m_width);
    const int h = std::min(height, m_height);
    for (int y = 0; y < h; ++y)
        std::copy_n(ScanLine(y), w, data.data() + static_cast<std::size_t>(y) * width);
    m_data.swap(data);
    m_width = width;
    m_height = height;
}

std::uint32_t Bitmap::RawPixel(int x, int y) const { return Contains(x, y) ? ScanLine(y)[x] : 0; }

void Bitmap::SetRawPixel(int x, int y, std::uint32_t argb)
{
    if (Contains(x, y))
        ScanLine(y)[x] = argb;
}

TColor Bitmap::Pixel(int x, int y) const { return Contains(x, y) ? ArgbToColor(ScanLine(y)[x]) : 0xFFFFFFFFu; }

void Bitmap::SetPixel(int x, int y, TColor c) { SetRawPixel(x, y, ColorToArgb(c)); }

// ---- raster operations ----

std::uint32_t ApplyRop3(Rop3 rop, std::uint32_t s, std::uint32_t d, std::uint32_t p)
{
    std::uint32_t r = d;
    switch (rop) {
    case Rop3::SrcCopy: r = s; break;
    case Rop3::SrcPaint: r = s | d; break;
    case Rop3::SrcAnd: r = s & d; break;
    case Rop3::SrcInvert: r = s ^ d; break;
    case Rop3::SrcErase: r = s & ~d; break;
    case Rop3::NotSrcCopy: r = ~s; break;
    case Rop3::NotSrcErase: r = ~(s | d); break;
    case Rop3::MergePaint: r = ~s | d; break;
    case Rop3::PatCopy: r = p; break;
    case Rop3::PatInvert: r = p ^ d; break;
    case Rop3::DstInvert: r = ~d; break;
    case Rop3::Blackness: r = 0; break;
    case Rop3::Whiteness: r = 0xFFFFFF; break;
    }
    return r | 0xFF000000u;
}

// ---- text ----

int CodePointCount(const std::string& text)
{
    return static_cast<int>(Utf8CharCount(text));
}

// ---- object descriptions ----

PenDesc PenDesc::Solid(TColor c, int width)
{
    PenDesc p;
    p.color = c;
    p.width = width;
    return p;
}

PenDesc PenDesc::NullPen()
{
    PenDesc p;
    p.style = PenStyle::Null;
    return p;
}

PenDesc PenDesc::Cosmetic(PenStyle style, TColor c)
{
    PenDesc p;
    p.style = style;
    p.color = c;
    return p;
}

PenDesc PenDesc::Geometric(PenStyle style, int width, TColor c, PenEndCap cap, PenJoin join,
                           std::vector<std::uint32_t> userStyle)
{
    PenDesc p;
    p.style = style;
    p.width = width;
    p.color = c;
    p.geometric = true;
    p.endCap = cap;
    p.join = join;
    p.userStyle = std::move(userStyle);
    return p;
}

BrushDesc BrushDesc::Solid(TColor c)
{
    BrushDesc b;
    b.color = c;
    return b;
}

BrushDesc BrushDesc::NullBrush()
{
    BrushDesc b;
    b.style = BrushStyle::Null;
    return b;
}

BrushDesc BrushDesc::Hatched(HatchStyle h, TColor c)
{
    BrushDesc b;
    b.style = BrushStyle::Hatched;
    b.hatch = h;
    b.color = c;
    return b;
}

BrushDesc BrushDesc::Pattern(std::shared_ptr<const Bitmap> bitmap, bool monochrome)
{
    BrushDesc b;
    b.style = BrushStyle::Pattern;
    b.pattern = std::move(bitmap);
    b.monochromePattern = monochrome;
    return b;
}

void SelectStock(StockObject obj, TColor dcPenColor, TColor dcBrushColor, PenDesc& pen, BrushDesc& brush)
{
    switch (obj) {
    case StockObject::WhiteBrush: brush = BrushDesc::Solid(clWhite); break;
    case StockObject::BlackBrush: brush = BrushDesc::Solid(clBlack); break;
    case StockObject::NullBrush: brush = BrushDesc::NullBrush(); break;
    case StockObject::DCBrush:
        brush = BrushDesc::Solid(dcBrushColor);
        brush.useDCColor = true;
        break;
    case StockObject::WhitePen: pen = PenDesc::Solid(clWhite); break;
    case StockObject::BlackPen: pen = PenDesc::Solid(clBlack); break;
    case StockObject::NullPen: pen = PenDesc::NullPen(); break;
    case StockObject::DCPen:
        pen = PenDesc::Solid(dcPenColor);
        pen.useDCColor = true;
        break;
    }
}

// ---- Region ----

struct Region::Node {
    Kind kind = Kind::Empty;
    Rect box;
    Size corner;
    std::vector<std::vector<Point>> polygons;
    PolyFillMode fillMode = PolyFillMode::Alternate;
    std::vector<Rect> rects;
    ClipCombine mode = ClipCombine::Copy;
    Region first;
    Region second;
};

namespace {

const std::vector<std::vector<Point>> kNoPolygons;
const std::vector<Rect> kNoRects;
const Region kEmptyRegion;

// Regions take a box given corner first or last alike.
Rect Normalized(const Rect& r)
{
    return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
            std::max(r.top, r.bottom)};
}

std::string RectText(const Rect& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

}  // namespace

Region Region::FromRect(const Rect& r)
{
    auto n = std::make_shared<Node>();
    n->kind = Kind::Rect;
    n->box = Normalized(r);
    return Region(std::move(n));
}

Region Region::FromEllipse(const Rect& r)
{
    auto n = std::make_shared<Node>();
    n->kind = Kind::Ellipse;
    n->box = Normalized(r);
    return Region(std::move(n));
}

Region Region::FromRoundRect(const Rect& r, int cornerWidth, int cornerHeight)
{
    auto n = std::make_shared<Node>();
    n->kind = Kind::RoundRect;
    n->box = Normalized(r);
    n->corner = {cornerWidth, cornerHeight};
    return Region(std::move(n));
}

Region Region::FromPolygon(std::vector<Point> points, PolyFillMode mode)
{
    std::vector<std::vector<Point>> polys;
    polys.push_back(std::move(points));
    return FromPolyPolygon(std::move(polys), mode);
}

Region Region::FromPolyPolygon(std::vector<std::vector<Point>> polygons, PolyFillMode mode)
{
    auto n = std::make_shared<Node>();
    n->kind = Kind::Polygon;
    n->polygons = std::move(polygons);
    n->fillMode = mode;
    return Region(std::move(n));
}

Region Region::FromRects(std::vector<Rect> rects)
{
    auto n = std::make_shared<Node>();
    n->kind = Kind::Rects;
    n->rects = std::move(rects);
    return Region(std::move(n));
}

Region Region::Combine(const Region& a, const Region& b, ClipCombine mode)
{
    if (mode == ClipCombine::Copy)
        return a;
    auto n = std::make_shared<Node>();
    n->kind = Kind::Combined;
    n->mode = mode;
    n->first = a;
    n->second = b;
    return Region(std::move(n));
}

Region::Kind Region::GetKind() const { return m_node ? m_node->kind : Kind::Empty; }

Region Region::Offset(int dx, int dy) const
{
    if (!m_node || (dx == 0 && dy == 0))
        return *this;
    auto n = std::make_shared<Node>(*m_node);
    auto move = [&](Rect& r) {
        r.left += dx;
        r.right += dx;
        r.top += dy;
        r.bottom += dy;
    };
    move(n->box);
    for (auto& poly : n->polygons)
        for (auto& p : poly) {
            p.x += dx;
            p.y += dy;
        }
    for (auto& r : n->rects)
        move(r);
    if (n->kind == Kind::Combined) {
        n->first = n->first.Offset(dx, dy);
        n->second = n->second.Offset(dx, dy);
    }
    return Region(std::move(n));
}

bool Region::Contains(int x, int y) const
{
    const double px = x + 0.5;
    const double py = y + 0.5;
    switch (GetKind()) {
    case Kind::Empty:
        return false;
    case Kind::Rect: {
        const Rect& r = m_node->box;
        return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
    }
    case Kind::Ellipse: {
        const Rect& r = m_node->box;
        return PointInEllipse(px, py, r.left, r.top, r.right, r.bottom);
    }
    case Kind::RoundRect: {
        const Rect& r = m_node->box;
        return PointInRoundRect(px, py, r.left, r.top, r.right, r.bottom, m_node->corner.cx, m_node->corner.cy);
    }
    case Kind::Polygon: {
        std::vector<std::vector<PointF>> polys;
        for (const auto& poly : m_node->polygons) {
            std::vector<PointF> pts;
            for (const Point& p : poly)
                pts.push_back({static_cast<double>(p.x), static_cast<double>(p.y)});
            polys.push_back(std::move(pts));
        }
        return PointInPolygons(polys, m_node->fillMode, px, py);
    }
    case Kind::Rects:
        for (const Rect& r : m_node->rects)
            if (x >= r.left && x < r.right && y >= r.top && y < r.bottom)
                return true;
        return false;
    case Kind::Combined: {
        const bool a = m_node->first.Contains(x, y);
        const bool b = m_node->second.Contains(x, y);
        switch (m_node->mode) {
        case ClipCombine::And: return a && b;
        case ClipCombine::Or: return a || b;
        case ClipCombine::Xor: return a != b;
        case ClipCombine::Diff: return a && !b;
        case ClipCombine::Copy: return a;
        }
        return false;
    }
    }
    return false;
}

Rect Region::Box() const { return m_node ? m_node->box : Rect{}; }
Size Region::Corner() const { return m_node ? m_node->corner : Size{}; }
const std::vector<std::vector<Point>>& Region::Polygons() const { return m_node ? m_node->polygons : kNoPolygons; }
PolyFillMode Region::FillMode() const { return m_node ? m_node->fillMode : PolyFillMode::Alternate; }
const std::vector<Rect>& Region::Rects() const { return m_node ? m_node->rects : kNoRects; }
ClipCombine Region::Mode() const { return m_node ? m_node->mode : ClipCombine::Copy; }
const Region& Region::First() const { return m_node ? m_node->first : kEmptyRegion; }
const Region& Region::Second() const { return m_node ? m_node->second : kEmptyRegion; }

std::string Region::Describe() const
{
    switch (GetKind()) {
    case Kind::Empty:
        return "empty";
    case Kind::Rect:
        return "rect(" + RectText(m_node->box) + ")";
    case Kind::Ellipse:
        return "ellipse(" + RectText(m_node->box) + ")";
    case Kind::RoundRect:
        return "roundrect(" + RectText(m_node->box) + "," + std::to_string(m_node->corner.cx) + "," +
               std::to_string(m_node->corner.cy) + ")";
    case Kind::Polygon: {
        std::string s = "polygon(";
        bool firstPoly = true;
        for (const auto& poly : m_node->polygons) {
            if (!firstPoly)
                s += ";";
            firstPoly = false;
            bool firstPoint = true;
            for (const auto& p : poly) {
                if (!firstPoint)
                    s += " ";
                firstPoint = false;
                s += std::to_string(p.x) + "," + std::to_string(p.y);
            }
        }
        return s + ")";
    }
    case Kind::Rects: {
        std::string s = "rects(";
        bool firstRect = true;
        for (const auto& r : m_node->rects) {
            if (!firstRect)
                s += ";";
            firstRect = false;
            s += RectText(r);
        }
        return s + ")";
    }
    case Kind::Combined: {
        const char* name = "copy";
        switch (m_node->mode) {
        case ClipCombine::And: name = "and"; break;
        case ClipCombine::Or: name = "or"; break;
        case ClipCombine::Xor: name = "xor"; break;
        case ClipCombine::Diff: name = "diff"; break;
        case ClipCombine::Copy: name = "copy"; break;
        }
        return std::string(name) + "(" + m_node->first.Describe() + "," + m_node->second.Describe() + ")";
    }
    }
    return "empty";
}

}  // namespace platform
