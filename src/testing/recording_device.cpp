#include "testing/recording_device.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <utility>

#include "platform/raster_geometry.h"
#include "platform/system_colors.h"

namespace platform {

namespace {

std::string Int(int v) { return std::to_string(v); }

std::string PointsText(const Point* points, int count)
{
    std::string s;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            s += " ";
        s += Int(points[i].x) + "," + Int(points[i].y);
    }
    return s;
}

std::string RectArgs(const Rect& r)
{
    return Int(r.left) + "," + Int(r.top) + "," + Int(r.right) + "," + Int(r.bottom);
}

const char* PenStyleName(PenStyle s)
{
    switch (s) {
    case PenStyle::Solid: return "solid";
    case PenStyle::Dash: return "dash";
    case PenStyle::Dot: return "dot";
    case PenStyle::DashDot: return "dashdot";
    case PenStyle::DashDotDot: return "dashdotdot";
    case PenStyle::Null: return "null";
    case PenStyle::InsideFrame: return "insideframe";
    case PenStyle::UserStyle: return "user";
    case PenStyle::Alternate: return "alternate";
    }
    return "?";
}

const char* HatchName(HatchStyle h)
{
    switch (h) {
    case HatchStyle::Horizontal: return "horizontal";
    case HatchStyle::Vertical: return "vertical";
    case HatchStyle::FDiagonal: return "fdiagonal";
    case HatchStyle::BDiagonal: return "bdiagonal";
    case HatchStyle::Cross: return "cross";
    case HatchStyle::DiagCross: return "diagcross";
    }
    return "?";
}

const char* CombineName(ClipCombine m)
{
    switch (m) {
    case ClipCombine::And: return "and";
    case ClipCombine::Or: return "or";
    case ClipCombine::Xor: return "xor";
    case ClipCombine::Diff: return "diff";
    case ClipCombine::Copy: return "copy";
    }
    return "?";
}

std::string Rop3Text(Rop3 r)
{
    switch (r) {
    case Rop3::SrcCopy: return "SrcCopy";
    case Rop3::SrcPaint: return "SrcPaint";
    case Rop3::SrcAnd: return "SrcAnd";
    case Rop3::SrcInvert: return "SrcInvert";
    case Rop3::SrcErase: return "SrcErase";
    case Rop3::NotSrcCopy: return "NotSrcCopy";
    case Rop3::NotSrcErase: return "NotSrcErase";
    case Rop3::MergePaint: return "MergePaint";
    case Rop3::PatCopy: return "PatCopy";
    case Rop3::PatInvert: return "PatInvert";
    case Rop3::DstInvert: return "DstInvert";
    case Rop3::Blackness: return "Blackness";
    case Rop3::Whiteness: return "Whiteness";
    }
    return "?";
}

// Calls f(dx, dy) for the device pixels of the logical [left, right) x
// [top, bottom) shifted by org that lie on a width x height surface.
template <class F>
void ForSurfacePixels(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom, Point org,
                      int width, int height, F&& f)
{
    const std::int64_t x0 = std::max<std::int64_t>(left + org.x, 0);
    const std::int64_t x1 = std::min<std::int64_t>(right + org.x, width);
    const std::int64_t y0 = std::max<std::int64_t>(top + org.y, 0);
    const std::int64_t y1 = std::min<std::int64_t>(bottom + org.y, height);
    for (std::int64_t y = y0; y < y1; ++y)
        for (std::int64_t x = x0; x < x1; ++x)
            f(static_cast<int>(x), static_cast<int>(y));
}

}  // namespace

std::string RecordedCall::ToString() const
{
    std::string s = name + "(";
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (i > 0)
            s += ",";
        s += args[i];
    }
    return s + ")";
}

std::string RecordedCall::ToStringWithState() const
{
    return ToString() + " pen=[" + pen + "] brush=[" + brush + "] font=[" + font + "]";
}

RecordingDevice::RecordingDevice(int width, int height) : m_surface(width, height) {}

std::string RecordingDevice::ColorText(TColor c)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%06X", static_cast<unsigned>(c));
    return buf;
}

std::string RecordingDevice::PenText(const PenDesc& p)
{
    std::string s = p.geometric ? "geometric " : "";
    s += PenStyleName(p.style);
    s += " " + Int(p.width) + " " + (p.useDCColor ? std::string("dc") : ColorText(p.color));
    if (p.geometric) {
        static const char* caps[] = {"round", "square", "flat"};
        static const char* joins[] = {"round", "bevel", "miter"};
        s += std::string(" ") + caps[static_cast<int>(p.endCap)] + " " + joins[static_cast<int>(p.join)];
    }
    if (p.style == PenStyle::UserStyle) {
        s += " {";
        for (std::size_t i = 0; i < p.userStyle.size(); ++i)
            s += (i ? "," : "") + std::to_string(p.userStyle[i]);
        s += "}";
    }
    return s;
}

std::string RecordingDevice::BrushText(const BrushDesc& b)
{
    switch (b.style) {
    case BrushStyle::Solid: return "solid " + (b.useDCColor ? std::string("dc") : ColorText(b.color));
    case BrushStyle::Null: return "null";
    case BrushStyle::Hatched: return std::string("hatch ") + HatchName(b.hatch) + " " + ColorText(b.color);
    case BrushStyle::Pattern:
        return std::string(b.monochromePattern ? "monopattern " : "pattern ") +
               (b.pattern ? Int(b.pattern->Width()) + "x" + Int(b.pattern->Height()) : std::string("none"));
    }
    return "?";
}

std::string RecordingDevice::FontText(const FontDesc& f)
{
    std::string s = f.name + " " + Int(f.height) + " " + Int(f.weight);
    if (f.italic)
        s += " italic";
    if (f.underline)
        s += " underline";
    if (f.strikeOut)
        s += " strikeout";
    if (f.escapement != 0)
        s += " esc" + Int(f.escapement);
    return s;
}

int RecordingDevice::EmHeight(const FontDesc& f) { return f.height == 0 ? 16 : std::abs(f.height); }

int RecordingDevice::CharWidth(const FontDesc& f) { return (EmHeight(f) + 1) / 2; }

// ---- log ----

void RecordingDevice::Log(std::string name, std::vector<std::string> args, bool drawing)
{
    RecordedCall c;
    c.name = std::move(name);
    c.args = std::move(args);
    c.pen = PenText(m_pen);
    c.brush = BrushText(m_brush);
    c.font = FontText(m_font);
    c.drawing = drawing && !m_inPath;
    m_calls.push_back(std::move(c));
}

void RecordingDevice::LogPoints(const char* name, const Point* points, int count, bool drawing)
{
    Log(name, {PointsText(points, std::max(0, count))}, drawing);
}

std::vector<std::string> RecordingDevice::Lines(bool withState) const
{
    std::vector<std::string> out;
    for (const auto& c : m_calls)
        out.push_back(withState ? c.ToStringWithState() : c.ToString());
    return out;
}

std::vector<std::string> RecordingDevice::DrawingLines(bool withState) const
{
    std::vector<std::string> out;
    for (const auto& c : m_calls)
        if (c.drawing)
            out.push_back(withState ? c.ToStringWithState() : c.ToString());
    return out;
}

int RecordingDevice::Count(const std::string& name) const
{
    return static_cast<int>(std::count_if(m_calls.begin(), m_calls.end(),
                                          [&](const RecordedCall& c) { return c.name == name; }));
}

std::vector<RecordedCall> RecordingDevice::CallsNamed(const std::string& name) const
{
    std::vector<RecordedCall> out;
    for (const auto& c : m_calls)
        if (c.name == name)
            out.push_back(c);
    return out;
}

// ---- surface and coordinates ----

void RecordingDevice::SetSize(int width, int height)
{
    Log("SetSize", {Int(width), Int(height)}, false);
    m_surface.Resize(width, height);
    m_clip.reset();
}

std::unique_ptr<DrawingDevice> RecordingDevice::CreateCompatible(int width, int height) const
{
    return std::make_unique<RecordingDevice>(width, height);
}

Point RecordingDevice::SetViewportOrg(Point origin)
{
    Log("SetViewportOrg", {Int(origin.x), Int(origin.y)}, false);
    return std::exchange(m_viewportOrg, origin);
}

void RecordingDevice::LPtoDP(Point* points, int count) const
{
    for (int i = 0; i < count; ++i) {
        points[i].x += m_viewportOrg.x;
        points[i].y += m_viewportOrg.y;
    }
}

void RecordingDevice::DPtoLP(Point* points, int count) const
{
    for (int i = 0; i < count; ++i) {
        points[i].x -= m_viewportOrg.x;
        points[i].y -= m_viewportOrg.y;
    }
}

// ---- objects and modes ----

PenDesc RecordingDevice::SelectPen(const PenDesc& pen)
{
    PenDesc old = std::exchange(m_pen, pen);
    Log("SelectPen", {PenText(pen)}, false);
    return old;
}

BrushDesc RecordingDevice::SelectBrush(const BrushDesc& brush)
{
    BrushDesc old = std::exchange(m_brush, brush);
    Log("SelectBrush", {BrushText(brush)}, false);
    return old;
}

FontDesc RecordingDevice::SelectFont(const FontDesc& font)
{
    FontDesc old = std::exchange(m_font, font);
    Log("SelectFont", {FontText(font)}, false);
    return old;
}

void RecordingDevice::SelectStockObject(StockObject obj)
{
    static const char* names[] = {"WhiteBrush", "BlackBrush", "NullBrush", "DCBrush",
                                  "WhitePen",   "BlackPen",   "NullPen",   "DCPen"};
    SelectStock(obj, m_dcPenColor, m_dcBrushColor, m_pen, m_brush);
    Log("SelectStockObject", {names[static_cast<int>(obj)]}, false);
}

TColor RecordingDevice::SetDCPenColor(TColor c)
{
    Log("SetDCPenColor", {ColorText(c)}, false);
    return std::exchange(m_dcPenColor, c);
}

TColor RecordingDevice::SetDCBrushColor(TColor c)
{
    Log("SetDCBrushColor", {ColorText(c)}, false);
    return std::exchange(m_dcBrushColor, c);
}

TColor RecordingDevice::SetBkColor(TColor c)
{
    Log("SetBkColor", {ColorText(c)}, false);
    return std::exchange(m_bkColor, c);
}

BackMode RecordingDevice::SetBkMode(BackMode m)
{
    Log("SetBkMode", {m == BackMode::Opaque ? "opaque" : "transparent"}, false);
    return std::exchange(m_bkMode, m);
}

TColor RecordingDevice::SetTextColor(TColor c)
{
    Log("SetTextColor", {ColorText(c)}, false);
    return std::exchange(m_textColor, c);
}

unsigned RecordingDevice::SetTextAlign(unsigned flags)
{
    Log("SetTextAlign", {Int(static_cast<int>(flags))}, false);
    return std::exchange(m_textAlign, flags);
}

Rop2 RecordingDevice::SetROP2(Rop2 mode)
{
    Log("SetROP2", {Int(static_cast<int>(mode))}, false);
    return std::exchange(m_rop2, mode);
}

int RecordingDevice::SetTextCharacterExtra(int extra)
{
    Log("SetTextCharacterExtra", {Int(extra)}, false);
    return std::exchange(m_charExtra, extra);
}

PolyFillMode RecordingDevice::SetPolyFillMode(PolyFillMode m)
{
    Log("SetPolyFillMode", {m == PolyFillMode::Winding ? "winding" : "alternate"}, false);
    return std::exchange(m_polyFillMode, m);
}

ArcDirection RecordingDevice::SetArcDirection(ArcDirection d)
{
    Log("SetArcDirection", {d == ArcDirection::Clockwise ? "clockwise" : "counterclockwise"}, false);
    return std::exchange(m_arcDirection, d);
}

StretchMode RecordingDevice::SetStretchBltMode(StretchMode m)
{
    Log("SetStretchBltMode", {m == StretchMode::Halftone ? "halftone" : "coloroncolor"}, false);
    return std::exchange(m_stretchMode, m);
}

// ---- lines and shapes ----

void RecordingDevice::AddPathPoints(const Point* points, int count, bool newFigure)
{
    if (!m_inPath || count <= 0)
        return;
    if (newFigure || m_path.empty())
        m_path.emplace_back();
    for (int i = 0; i < count; ++i)
        m_path.back().push_back({points[i].x + m_viewportOrg.x, points[i].y + m_viewportOrg.y});
}

Point RecordingDevice::MoveTo(int x, int y)
{
    Log("MoveTo", {Int(x), Int(y)}, false);
    const Point p{x, y};
    AddPathPoints(&p, 1, true);
    return std::exchange(m_position, p);
}

void RecordingDevice::LineTo(int x, int y)
{
    Log("LineTo", {Int(x), Int(y)}, true);
    const Point p{x, y};
    AddPathPoints(&p, 1, false);
    m_position = p;
}

void RecordingDevice::Polyline(const Point* points, int count)
{
    LogPoints("Polyline", points, count, true);
    AddPathPoints(points, count, true);
}

void RecordingDevice::PolylineTo(const Point* points, int count)
{
    LogPoints("PolylineTo", points, count, true);
    AddPathPoints(points, count, false);
    if (count > 0)
        m_position = points[count - 1];
}

void RecordingDevice::PolyBezier(const Point* points, int count)
{
    LogPoints("PolyBezier", points, count, true);
    AddPathPoints(points, count, true);
}

void RecordingDevice::PolyBezierTo(const Point* points, int count)
{
    LogPoints("PolyBezierTo", points, count, true);
    AddPathPoints(points, count, false);
    if (count > 0)
        m_position = points[count - 1];
}

void RecordingDevice::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    Log("Arc", {Int(x1), Int(y1), Int(x2), Int(y2), Int(x3), Int(y3), Int(x4), Int(y4)}, true);
    const Point pts[] = {{x3, y3}, {x4, y4}};
    AddPathPoints(pts, 2, true);
}

void RecordingDevice::ArcTo(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    Log("ArcTo", {Int(x1), Int(y1), Int(x2), Int(y2), Int(x3), Int(y3), Int(x4), Int(y4)}, true);
    const Point pts[] = {{x3, y3}, {x4, y4}};
    AddPathPoints(pts, 2, false);
    m_position = {x4, y4};
}

void RecordingDevice::Rectangle(int left, int top, int right, int bottom)
{
    Log("Rectangle", {Int(left), Int(top), Int(right), Int(bottom)}, true);
    const Point pts[] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
    AddPathPoints(pts, 4, true);
}

void RecordingDevice::Ellipse(int left, int top, int right, int bottom)
{
    Log("Ellipse", {Int(left), Int(top), Int(right), Int(bottom)}, true);
    const Point pts[] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
    AddPathPoints(pts, 4, true);
}

void RecordingDevice::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight)
{
    Log("RoundRect", {Int(left), Int(top), Int(right), Int(bottom), Int(cornerWidth), Int(cornerHeight)}, true);
    const Point pts[] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
    AddPathPoints(pts, 4, true);
}

void RecordingDevice::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    Log("Pie", {Int(x1), Int(y1), Int(x2), Int(y2), Int(x3), Int(y3), Int(x4), Int(y4)}, true);
    const Point pts[] = {{(x1 + x2) / 2, (y1 + y2) / 2}, {x3, y3}, {x4, y4}};
    AddPathPoints(pts, 3, true);
}

void RecordingDevice::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    Log("Chord", {Int(x1), Int(y1), Int(x2), Int(y2), Int(x3), Int(y3), Int(x4), Int(y4)}, true);
    const Point pts[] = {{x3, y3}, {x4, y4}};
    AddPathPoints(pts, 2, true);
}

void RecordingDevice::Polygon(const Point* points, int count)
{
    LogPoints("Polygon", points, count, true);
    AddPathPoints(points, count, true);
}

void RecordingDevice::PolyPolygon(const Point* points, const int* counts, int polygonCount)
{
    std::vector<std::string> args;
    int offset = 0;
    for (int i = 0; i < polygonCount; ++i) {
        args.push_back(PointsText(points + offset, counts[i]));
        AddPathPoints(points + offset, counts[i], true);
        offset += counts[i];
    }
    Log("PolyPolygon", std::move(args), true);
}

// ---- fills ----

TColor RecordingDevice::BrushColor(const BrushDesc& b) const
{
    return ColorToRGB(b.useDCColor ? m_dcBrushColor : b.color);
}

void RecordingDevice::FillSolid(const Rect& r, const BrushDesc& brush)
{
    if (brush.style != BrushStyle::Solid)
        return;
    const std::uint32_t p = ColorToArgb(BrushColor(brush));
    ForSurfacePixels(r.left, r.top, r.right, r.bottom, m_viewportOrg, Width(), Height(), [&](int dx, int dy) {
        if (DeviceVisible(dx, dy))
            m_surface.SetRawPixel(dx, dy, p);
    });
}

void RecordingDevice::FillRect(const Rect& r)
{
    Log("FillRect", {RectArgs(r)}, true);
    FillSolid(r, m_brush);
}

void RecordingDevice::FillRectWith(const Rect& r, const BrushDesc& brush)
{
    const BrushDesc saved = m_brush;
    m_brush = brush;
    Log("FillRectWith", {RectArgs(r), BrushText(brush)}, true);
    FillSolid(r, brush);
    m_brush = saved;
}

void RecordingDevice::PatBlt(int x, int y, int width, int height, Rop3 rop)
{
    Log("PatBlt", {Int(x), Int(y), Int(width), Int(height), Rop3Text(rop)}, true);
    const std::uint32_t pat = ColorToArgb(BrushColor(m_brush));
    ForSurfacePixels(x, y, static_cast<std::int64_t>(x) + std::max(0, width),
                     static_cast<std::int64_t>(y) + std::max(0, height), m_viewportOrg, Width(), Height(),
                     [&](int dx, int dy) {
                         if (!DeviceVisible(dx, dy))
                             return;
                         const std::uint32_t d = m_surface.RawPixel(dx, dy);
                         m_surface.SetRawPixel(dx, dy, ApplyRop3(rop, 0, d, pat));
                     });
}

bool RecordingDevice::FloodFill(int x, int y, TColor color, FloodFillType type)
{
    Log("FloodFill", {Int(x), Int(y), ColorText(color), type == FloodFillType::Surface ? "surface" : "border"},
        true);
    return true;
}

void RecordingDevice::DrawCheckBox(const Rect& r, bool checked, bool flat)
{
    Log("DrawCheckBox", {RectArgs(r), checked ? "checked" : "unchecked", flat ? "flat" : "3d"}, true);
}

// ---- paths ----

void RecordingDevice::BeginPath()
{
    Log("BeginPath", {}, false);
    m_inPath = true;
    m_hasPath = false;
    m_path.clear();
}

void RecordingDevice::EndPath()
{
    Log("EndPath", {}, false);
    if (m_inPath)
        m_hasPath = true;
    m_inPath = false;
}

void RecordingDevice::AbortPath()
{
    Log("AbortPath", {}, false);
    m_inPath = false;
    m_hasPath = false;
    m_path.clear();
}

void RecordingDevice::CloseFigure() { Log("CloseFigure", {}, false); }

void RecordingDevice::StrokePath()
{
    Log("StrokePath", {}, true);
    m_hasPath = false;
    m_path.clear();
}

void RecordingDevice::FillPath()
{
    Log("FillPath", {}, true);
    m_hasPath = false;
    m_path.clear();
}

void RecordingDevice::StrokeAndFillPath()
{
    Log("StrokeAndFillPath", {}, true);
    m_hasPath = false;
    m_path.clear();
}

void RecordingDevice::WidenPath() { Log("WidenPath", {}, false); }

void RecordingDevice::SelectClipPath(ClipCombine mode)
{
    Log("SelectClipPath", {CombineName(mode)}, false);
    if (!m_hasPath)
        return;
    CombineClip(Region::FromPolyPolygon(m_path, m_polyFillMode), mode);
    m_hasPath = false;
    m_path.clear();
}

// ---- clipping ----

void RecordingDevice::CombineClip(const Region& region, ClipCombine mode)
{
    if (mode == ClipCombine::Copy) {
        m_clip = region;
        return;
    }
    const Region base = m_clip ? *m_clip : Region::FromRect({0, 0, Width(), Height()});
    m_clip = Region::Combine(base, region, mode);
}

void RecordingDevice::SelectClipRgn(const std::optional<Region>& region)
{
    Log("SelectClipRgn", {region ? region->Describe() : "none"}, false);
    m_clip = region;
}

void RecordingDevice::ExtSelectClipRgn(const std::optional<Region>& region, ClipCombine mode)
{
    Log("ExtSelectClipRgn", {region ? region->Describe() : "none", CombineName(mode)}, false);
    if (!region) {
        if (mode == ClipCombine::Copy)
            m_clip.reset();
        return;
    }
    CombineClip(*region, mode);
}

void RecordingDevice::IntersectClipRect(int left, int top, int right, int bottom)
{
    Log("IntersectClipRect", {Int(left), Int(top), Int(right), Int(bottom)}, false);
    const Rect r{left + m_viewportOrg.x, top + m_viewportOrg.y, right + m_viewportOrg.x, bottom + m_viewportOrg.y};
    CombineClip(Region::FromRect(r), ClipCombine::And);
}

void RecordingDevice::ExcludeClipRect(int left, int top, int right, int bottom)
{
    Log("ExcludeClipRect", {Int(left), Int(top), Int(right), Int(bottom)}, false);
    const Rect r{left + m_viewportOrg.x, top + m_viewportOrg.y, right + m_viewportOrg.x, bottom + m_viewportOrg.y};
    CombineClip(Region::FromRect(r), ClipCombine::Diff);
}

Rect RecordingDevice::GetClipBox() const
{
    Rect box{0, 0, Width(), Height()};
    if (m_clip)
        box = SpansBounds(RegionSpans(*m_clip, box));
    return {box.left - m_viewportOrg.x, box.top - m_viewportOrg.y, box.right - m_viewportOrg.x,
            box.bottom - m_viewportOrg.y};
}

bool RecordingDevice::DeviceVisible(int dx, int dy) const
{
    return m_surface.Contains(dx, dy) && (!m_clip || m_clip->Contains(dx, dy));
}

bool RecordingDevice::PtVisible(int x, int y) const { return DeviceVisible(x + m_viewportOrg.x, y + m_viewportOrg.y); }

// ---- pixels and blits ----

TColor RecordingDevice::SetPixel(int x, int y, TColor c)
{
    Log("SetPixel", {Int(x), Int(y), ColorText(c)}, true);
    const int dx = x + m_viewportOrg.x, dy = y + m_viewportOrg.y;
    if (!DeviceVisible(dx, dy))
        return 0xFFFFFFFFu;
    const TColor rgb = ColorToRGB(c);
    m_surface.SetPixel(dx, dy, rgb);
    return rgb;
}

TColor RecordingDevice::GetPixel(int x, int y) const
{
    return m_surface.Pixel(x + m_viewportOrg.x, y + m_viewportOrg.y);
}

void RecordingDevice::StretchPixels(int x, int y, int width, int height, const Bitmap& src, int srcX, int srcY,
                                    int srcWidth, int srcHeight,
                                    const std::function<std::uint32_t(std::uint32_t, std::uint32_t)>& op)
{
    if (width == 0 || height == 0 || srcWidth == 0 || srcHeight == 0)
        return;
    const Bitmap copy = src;  // the source may be this surface
    const int dw = std::abs(width), dh = std::abs(height);
    const int sw = std::abs(srcWidth), sh = std::abs(srcHeight);
    const bool flipX = (width < 0) != (srcWidth < 0);
    const bool flipY = (height < 0) != (srcHeight < 0);
    const int dx0 = (width < 0 ? x + width : x) + m_viewportOrg.x;
    const int dy0 = (height < 0 ? y + height : y) + m_viewportOrg.y;
    const int sx0 = srcWidth < 0 ? srcX + srcWidth : srcX;
    const int sy0 = srcHeight < 0 ? srcY + srcHeight : srcY;
    // only the destination pixels on the surface
    const int i0 = static_cast<int>(std::clamp<std::int64_t>(-static_cast<std::int64_t>(dx0), 0, dw));
    const int i1 = static_cast<int>(std::clamp<std::int64_t>(static_cast<std::int64_t>(Width()) - dx0, 0, dw));
    const int j0 = static_cast<int>(std::clamp<std::int64_t>(-static_cast<std::int64_t>(dy0), 0, dh));
    const int j1 = static_cast<int>(std::clamp<std::int64_t>(static_cast<std::int64_t>(Height()) - dy0, 0, dh));
    for (int j = j0; j < j1; ++j)
        for (int i = i0; i < i1; ++i) {
            const int dx = dx0 + i, dy = dy0 + j;
            if (!DeviceVisible(dx, dy))
                continue;
            const int ii = flipX ? dw - 1 - i : i;
            const int jj = flipY ? dh - 1 - j : j;
            const int sx = sx0 + static_cast<int>((2LL * ii + 1) * sw / (2LL * dw));
            const int sy = sy0 + static_cast<int>((2LL * jj + 1) * sh / (2LL * dh));
            if (!copy.Contains(sx, sy))
                continue;
            m_surface.SetRawPixel(dx, dy, op(copy.RawPixel(sx, sy), m_surface.RawPixel(dx, dy)) | 0xFF000000u);
        }
}

namespace {

std::uint32_t BlendPixel(std::uint32_t s, std::uint32_t d, int a)
{
    std::uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int sc = static_cast<int>((s >> shift) & 0xFF);
        const int dc = static_cast<int>((d >> shift) & 0xFF);
        out |= static_cast<std::uint32_t>((sc * a + dc * (255 - a) + 127) / 255) << shift;
    }
    return out;
}

}  // namespace

void RecordingDevice::BitBlt(int x, int y, int width, int height, const Bitmap& src, int srcX, int srcY, Rop3 rop)
{
    Log("BitBlt", {Int(x), Int(y), Int(width), Int(height), Int(src.Width()) + "x" + Int(src.Height()), Int(srcX),
                   Int(srcY), Rop3Text(rop)},
        true);
    const std::uint32_t pat = ColorToArgb(BrushColor(m_brush));
    StretchPixels(x, y, width, height, src, srcX, srcY, width, height,
                  [&](std::uint32_t s, std::uint32_t d) { return ApplyRop3(rop, s, d, pat); });
}

void RecordingDevice::StretchBlt(int x, int y, int width, int height, const Bitmap& src, int srcX, int srcY,
                                 int srcWidth, int srcHeight, Rop3 rop)
{
    Log("StretchBlt", {Int(x), Int(y), Int(width), Int(height), Int(src.Width()) + "x" + Int(src.Height()),
                       Int(srcX), Int(srcY), Int(srcWidth), Int(srcHeight), Rop3Text(rop)},
        true);
    const std::uint32_t pat = ColorToArgb(BrushColor(m_brush));
    StretchPixels(x, y, width, height, src, srcX, srcY, srcWidth, srcHeight,
                  [&](std::uint32_t s, std::uint32_t d) { return ApplyRop3(rop, s, d, pat); });
}

void RecordingDevice::AlphaBlend(int x, int y, int width, int height, const Bitmap& src, int srcX, int srcY,
                                 int srcWidth, int srcHeight, int constantAlpha)
{
    Log("AlphaBlend", {Int(x), Int(y), Int(width), Int(height), Int(src.Width()) + "x" + Int(src.Height()),
                       Int(srcX), Int(srcY), Int(srcWidth), Int(srcHeight), Int(constantAlpha)},
        true);
    const int a = std::clamp(constantAlpha, 0, 255);
    StretchPixels(x, y, width, height, src, srcX, srcY, srcWidth, srcHeight,
                  [a](std::uint32_t s, std::uint32_t d) { return BlendPixel(s, d, a); });
}

void RecordingDevice::DrawBitmap(int x, int y, const Bitmap& picture)
{
    Log("DrawBitmap", {Int(x), Int(y), Int(picture.Width()) + "x" + Int(picture.Height())}, true);
    const bool alpha = picture.HasAlpha();
    StretchPixels(x, y, picture.Width(), picture.Height(), picture, 0, 0, picture.Width(), picture.Height(),
                  [alpha](std::uint32_t s, std::uint32_t d) {
                      return alpha ? BlendPixel(s, d, static_cast<int>(s >> 24)) : s;
                  });
}

void RecordingDevice::StretchDrawBitmap(const Rect& r, const Bitmap& picture)
{
    Log("StretchDrawBitmap", {RectArgs(r), Int(picture.Width()) + "x" + Int(picture.Height())}, true);
    const bool alpha = picture.HasAlpha();
    StretchPixels(r.left, r.top, r.Width(), r.Height(), picture, 0, 0, picture.Width(), picture.Height(),
                  [alpha](std::uint32_t s, std::uint32_t d) {
                      return alpha ? BlendPixel(s, d, static_cast<int>(s >> 24)) : s;
                  });
}

// ---- text ----

// With UpdateCP the current position moves past left- or right-aligned text.
void RecordingDevice::MovePositionPastText(const std::string& text)
{
    if (!(m_textAlign & TextAlign::UpdateCP))
        return;
    const unsigned h = m_textAlign & TextAlign::HorizontalMask;
    if (h == TextAlign::Left)
        m_position.x += GetTextExtent(text).cx;
    else if (h == TextAlign::Right)
        m_position.x -= GetTextExtent(text).cx;
}

void RecordingDevice::TextOut(int x, int y, const std::string& text)
{
    Log("TextOut", {Int(x), Int(y), text}, true);
    MovePositionPastText(text);
}

void RecordingDevice::ExtTextOut(int x, int y, unsigned options, const Rect* rect, const std::string& text)
{
    Log("ExtTextOut", {Int(x), Int(y), Int(static_cast<int>(options)), rect ? RectArgs(*rect) : "none", text}, true);
    MovePositionPastText(text);
}

Size RecordingDevice::GetTextExtent(const std::string& text) const
{
    const TextMetrics tm = GetTextMetrics();
    return {CodePointCount(text) * (CharWidth(m_font) + m_charExtra), tm.height};
}

TextMetrics RecordingDevice::GetTextMetrics() const
{
    TextMetrics tm;
    const int em = EmHeight(m_font);
    tm.ascent = em;
    tm.descent = em / 4;
    tm.height = tm.ascent + tm.descent;
    tm.aveCharWidth = CharWidth(m_font);
    tm.maxCharWidth = CharWidth(m_font);
    return tm;
}

}  // namespace platform
