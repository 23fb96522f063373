#pragma once
// A GDI-like drawing device: selected pen, brush and font, background colour
// and mode, text colour and alignment, binary raster operation, current
// position, clip region, paths, pixels and blits. Coordinates are logical
// pixels (device pixels shifted by the viewport origin); colours are TColor
// 0x00BBGGRR, system colours resolved by the device (clNone and the default
// colour are the caller's business).
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/basic_types.h"

namespace platform {

// ---- small geometry values ----

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// Right and bottom are exclusive where an operation says so (FillRect, regions).
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// a * b / c in 64 bits, rounded half away from zero; -1 when c is 0.
int MulDiv(int a, int b, int c);

// Font height for a size in points at 96 dpi: -MulDiv(points, 96, 72).
int FontHeightFromPoints(int points);

// ---- pixels ----

// 32-bit pixel image, rows top down, each pixel 0xAARRGGBB (the layout of
// QImage::Format_RGB32 / ARGB32). Device surfaces keep alpha at 0xFF; loaded
// pictures may carry straight alpha (HasAlpha).
class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int width, int height, std::uint32_t fill = 0xFFFFFFFF);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool IsEmpty() const { return m_width <= 0 || m_height <= 0; }
    bool HasAlpha() const { return m_hasAlpha; }
    void SetHasAlpha(bool v) { m_hasAlpha = v; }

    // Changes the size, keeping the overlapping pixels; new pixels get fill.
    void Resize(int width, int height, std::uint32_t fill = 0xFFFFFFFF);

    std::uint32_t* ScanLine(int y) { return m_data.data() + static_cast<std::size_t>(y) * m_width; }
    const std::uint32_t* ScanLine(int y) const { return m_data.data() + static_cast<std::size_t>(y) * m_width; }
    std::uint32_t* Data() { return m_data.data(); }
    const std::uint32_t* Data() const { return m_data.data(); }

    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    // Raw 0xAARRGGBB; 0 outside.
    std::uint32_t RawPixel(int x, int y) const;
    void SetRawPixel(int x, int y, std::uint32_t argb);
    // As TColor 0x00BBGGRR; 0xFFFFFFFF outside.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor c);

    friend bool operator==(const Bitmap& a, const Bitmap& b)
    {
        return a.m_width == b.m_width && a.m_height == b.m_height && a.m_data == b.m_data;
    }

private:
    int m_width = 0;
    int m_height = 0;
    bool m_hasAlpha = false;
    std::vector<std::uint32_t> m_data;
};

// TColor (already RGB) to an opaque 0xFFRRGGBB pixel and back.
constexpr std::uint32_t ColorToArgb(TColor c)
{
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr TColor ArgbToColor(std::uint32_t p)
{
    return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
}

// ---- modes and flags ----

// Binary raster operations of the pen and brush (values as in GDI).
enum class Rop2 : int {
    Black = 1,
    NotMergePen = 2,
    MaskNotPen = 3,
    NotCopyPen = 4,
    MaskPenNot = 5,
    Not = 6,
    XorPen = 7,
    NotMaskPen = 8,
    MaskPen = 9,
    NotXorPen = 10,
    Nop = 11,
    MergeNotPen = 12,
    CopyPen = 13,
    MergePenNot = 14,
    MergePen = 15,
    White = 16,
};

// Ternary raster operations of the blits (values as in GDI).
enum class Rop3 : std::uint32_t {
    SrcCopy = 0x00CC0020,
    SrcPaint = 0x00EE0086,
    SrcAnd = 0x008800C6,
    SrcInvert = 0x00660046,
    SrcErase = 0x00440328,
    NotSrcCopy = 0x00330008,
    NotSrcErase = 0x001100A6,
    MergePaint = 0x00BB0226,
    PatCopy = 0x00F00021,
    PatInvert = 0x005A0049,
    DstInvert = 0x00550009,
    Blackness = 0x00000042,
    Whiteness = 0x00FF0062,
};

// The pixel a blit writes for source s, destination d and pattern p
// (0xAARRGGBB); always opaque.
std::uint32_t ApplyRop3(Rop3 rop, std::uint32_t s, std::uint32_t d, std::uint32_t p);

enum class BackMode : int { Transparent = 1, Opaque = 2 };

enum class PolyFillMode : int { Alternate = 1, Winding = 2 };

enum class ArcDirection : int { CounterClockwise = 1, Clockwise = 2 };

enum class StretchMode : int { ColorOnColor = 3, Halftone = 4 };

// How a region joins the clip (values as in GDI).
enum class ClipCombine : int { And = 1, Or = 2, Xor = 3, Diff = 4, Copy = 5 };

// Text alignment flags (GDI values).
namespace TextAlign {
constexpr unsigned NoUpdateCP = 0;
constexpr unsigned UpdateCP = 1;
constexpr unsigned Left = 0;
constexpr unsigned Right = 2;
constexpr unsigned Center = 6;
constexpr unsigned Top = 0;
constexpr unsigned Bottom = 8;
constexpr unsigned Baseline = 24;
constexpr unsigned HorizontalMask = 6;
constexpr unsigned VerticalMask = 24;
}  // namespace TextAlign

// ExtTextOut options (GDI values).
namespace TextOutOptions {
constexpr unsigned Opaque = 2;
constexpr unsigned Clipped = 4;
}  // namespace TextOutOptions

// ---- drawing objects (values; selecting one copies it) ----

enum class PenStyle : int {
    Solid = 0,
    Dash = 1,         // cosmetic: 18 on, 6 off
    Dot = 2,          // 3 on, 3 off
    DashDot = 3,      // 9, 6, 3, 6
    DashDotDot = 4,   // 9, 3, 3, 3, 3, 3
    Null = 5,
    InsideFrame = 6,  // solid; shapes keep a wide outline inside their box
    UserStyle = 7,    // dash/gap lengths in PenDesc::userStyle
    Alternate = 8,    // every other pixel (cosmetic only)
};

enum class PenEndCap : int { Round = 0, Square = 1, Flat = 2 };
enum class PenJoin : int { Round = 0, Bevel = 1, Miter = 2 };

// A pen. Pens of width <= 1 (cosmetic) draw one-pixel lines stepped pixel by
// pixel with their style pattern and leave out the last pixel of a line;
// wider (geometric) pens have end caps and joins. A cosmetic non-geometric
// pen paints the gaps of its pattern in the background colour in opaque mode.
struct PenDesc {
    PenStyle style = PenStyle::Solid;
    int width = 1;
    TColor color = clBlack;
    bool geometric = false;
    PenEndCap endCap = PenEndCap::Round;
    PenJoin join = PenJoin::Round;
    // Alternating dash and gap lengths in pixels for PenStyle::UserStyle; a dash
    // of 0 is a single dot.
    std::vector<std::uint32_t> userStyle;
    // Takes its colour from SetDCPenColor instead of color.
    bool useDCColor = false;

    bool IsNull() const { return style == PenStyle::Null; }
    bool IsCosmetic() const { return width <= 1; }
    friend bool operator==(const PenDesc&, const PenDesc&) = default;

    static PenDesc Solid(TColor c, int width = 1);
    static PenDesc NullPen();
    // Cosmetic pen of a style (solid, dash, dot, ..., alternate).
    static PenDesc Cosmetic(PenStyle style, TColor c);
    // Geometric pen (ExtCreatePen-like).
    static PenDesc Geometric(PenStyle style, int width, TColor c, PenEndCap cap = PenEndCap::Round,
                             PenJoin join = PenJoin::Round, std::vector<std::uint32_t> userStyle = {});
};

enum class BrushStyle : int { Solid = 0, Null = 1, Hatched = 2, Pattern = 3 };

// Hatch patterns, 8 x 8 pixels aligned to the device origin (GDI values).
enum class HatchStyle : int {
    Horizontal = 0,
    Vertical = 1,
    FDiagonal = 2,  // upper left to lower right
    BDiagonal = 3,  // lower left to upper right
    Cross = 4,
    DiagCross = 5,
};

// A brush. Hatch lines take the brush colour; the gaps take the background
// colour in opaque background mode and stay untouched in transparent mode. A
// pattern brush tiles its bitmap from the device origin; a monochrome pattern
// draws its black pixels in the text colour and the others in the background
// colour (always opaque).
struct BrushDesc {
    BrushStyle style = BrushStyle::Solid;
    TColor color = clWhite;
    HatchStyle hatch = HatchStyle::Horizontal;
    std::shared_ptr<const Bitmap> pattern;
    bool monochromePattern = false;
    // Takes its colour from SetDCBrushColor instead of color.
    bool useDCColor = false;

    bool IsNull() const { return style == BrushStyle::Null; }
    friend bool operator==(const BrushDesc&, const BrushDesc&) = default;

    static BrushDesc Solid(TColor c);
    static BrushDesc NullBrush();
    static BrushDesc Hatched(HatchStyle h, TColor c);
    static BrushDesc Pattern(std::shared_ptr<const Bitmap> bitmap, bool monochrome = false);
};

// A font (LOGFONT-like). height < 0: character height in pixels; > 0: cell
// height; 0: a default size. Escapement in tenths of a degree, counter-clockwise.
struct FontDesc {
    std::string name = "Arial";
    int height = -11;  // 8 pt at 96 dpi
    int weight = 400;  // 400 normal, 700 bold
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int escapement = 0;
    int charset = 1;
    friend bool operator==(const FontDesc&, const FontDesc&) = default;
};

struct TextMetrics {
    int height = 0;  // ascent + descent
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;
    int externalLeading = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
    friend bool operator==(const TextMetrics&, const TextMetrics&) = default;
};

// Characters of a UTF-8 text as the inter-character spacing counts them (code points).
int CodePointCount(const std::string& text);

enum class StockObject : int {
    WhiteBrush,
    BlackBrush,
    NullBrush,
    DCBrush,
    WhitePen,
    BlackPen,
    NullPen,
    DCPen,
};

// Puts a stock object into pen or brush; the DC pen and brush take the DC colours.
void SelectStock(StockObject obj, TColor dcPenColor, TColor dcBrushColor, PenDesc& pen, BrushDesc& brush);

enum class FloodFillType : int { Border = 0, Surface = 1 };

// ---- regions ----

// An immutable region value in device pixels, built from shapes and
// combinations. Rectangles, ellipses and round rectangles cover their box
// without the right and bottom edges (a box given with its corners swapped is
// put in order); polygons fill with their fill mode.
class Region {
public:
    enum class Kind { Empty, Rect, Ellipse, RoundRect, Polygon, Rects, Combined };

    Region() = default;  // empty
    static Region FromRect(const Rect& r);
    static Region FromEllipse(const Rect& r);
    static Region FromRoundRect(const Rect& r, int cornerWidth, int cornerHeight);
    static Region FromPolygon(std::vector<Point> points, PolyFillMode mode = PolyFillMode::Alternate);
    // Several closed polygons filled together (poly-polygon).
    static Region FromPolyPolygon(std::vector<std::vector<Point>> polygons,
                                  PolyFillMode mode = PolyFillMode::Alternate);
    // Union of rectangles.
    static Region FromRects(std::vector<Rect> rects);
    // a combined with b; Copy gives a.
    static Region Combine(const Region& a, const Region& b, ClipCombine mode);

    Kind GetKind() const;
    bool IsNullRegion() const { return GetKind() == Kind::Empty; }
    Region Offset(int dx, int dy) const;
    // Whether the pixel (x, y) belongs to the region, sampled at its centre
    // (x + 0.5, y + 0.5); the devices fill regions by the same rule.
    bool Contains(int x, int y) const;

    // Parts of the shape (meaning depends on the kind).
    Rect Box() const;                                   // Rect, Ellipse, RoundRect
    Size Corner() const;                                // RoundRect
    const std::vector<std::vector<Point>>& Polygons() const;  // Polygon
    PolyFillMode FillMode() const;                      // Polygon
    const std::vector<Rect>& Rects() const;             // Rects
    ClipCombine Mode() const;                           // Combined
    const Region& First() const;                        // Combined
    const Region& Second() const;                       // Combined

    // Short text, e.g. "rect(0,0,10,10)" or "and(rect(..),ellipse(..))".
    std::string Describe() const;

private:
    struct Node;
    explicit Region(std::shared_ptr<const Node> n) : m_node(std::move(n)) {}
    std::shared_ptr<const Node> m_node;
};

// ---- the device ----

class DrawingDevice {
public:
    virtual ~DrawingDevice() = default;

    // Surface
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Resizes the surface, keeping the overlapping pixels (new ones white);
    // drops the clip region.
    virtual void SetSize(int width, int height) = 0;
    // The pixels (0xFFRRGGBB); the pointer stays valid until SetSize.
    virtual const Bitmap& Surface() const = 0;
    virtual std::uint32_t* ScanLine(int y) = 0;
    // A new device of the same kind and the given size (a memory bitmap).
    virtual std::unique_ptr<DrawingDevice> CreateCompatible(int width, int height) const = 0;

    // Coordinates: device = logical + viewport origin.
    virtual Point SetViewportOrg(Point origin) = 0;  // returns the previous one
    virtual Point GetViewportOrg() const = 0;
    virtual void LPtoDP(Point* points, int count) const = 0;
    virtual void DPtoLP(Point* points, int count) const = 0;

    // Objects (each returns the previous one)
    virtual PenDesc SelectPen(const PenDesc& pen) = 0;
    virtual BrushDesc SelectBrush(const BrushDesc& brush) = 0;
    virtual FontDesc SelectFont(const FontDesc& font) = 0;
    virtual const PenDesc& GetPen() const = 0;
    virtual const BrushDesc& GetBrush() const = 0;
    virtual const FontDesc& GetFont() const = 0;
    virtual void SelectStockObject(StockObject obj) = 0;
    virtual TColor SetDCPenColor(TColor c) = 0;    // returns the previous one
    virtual TColor SetDCBrushColor(TColor c) = 0;  // returns the previous one
    virtual TColor GetDCPenColor() const = 0;
    virtual TColor GetDCBrushColor() const = 0;

    // Modes (each setter returns the previous value)
    virtual TColor SetBkColor(TColor c) = 0;
    virtual TColor GetBkColor() const = 0;
    virtual BackMode SetBkMode(BackMode m) = 0;
    virtual BackMode GetBkMode() const = 0;
    virtual TColor SetTextColor(TColor c) = 0;
    virtual TColor GetTextColor() const = 0;
    virtual unsigned SetTextAlign(unsigned flags) = 0;
    virtual unsigned GetTextAlign() const = 0;
    // Applies to the pen and brush of lines, shapes and paths; not to FillRect,
    // PatBlt, pixels, blits or text.
    virtual Rop2 SetROP2(Rop2 mode) = 0;
    virtual Rop2 GetROP2() const = 0;
    virtual int SetTextCharacterExtra(int extra) = 0;
    virtual int GetTextCharacterExtra() const = 0;
    virtual PolyFillMode SetPolyFillMode(PolyFillMode m) = 0;
    virtual PolyFillMode GetPolyFillMode() const = 0;
    virtual ArcDirection SetArcDirection(ArcDirection d) = 0;
    virtual ArcDirection GetArcDirection() const = 0;
    virtual StretchMode SetStretchBltMode(StretchMode m) = 0;
    virtual StretchMode GetStretchBltMode() const = 0;

    // Current position
    virtual Point MoveTo(int x, int y) = 0;  // returns the previous position
    virtual Point GetCurrentPosition() const = 0;

    // Lines and curves (pen only)
    virtual void LineTo(int x, int y) = 0;
    virtual void Polyline(const Point* points, int count) = 0;
    virtual void PolylineTo(const Point* points, int count) = 0;
    // 3n + 1 points: start, then two control points and an end per curve.
    virtual void PolyBezier(const Point* points, int count) = 0;
    virtual void PolyBezierTo(const Point* points, int count) = 0;
    // Elliptic arc in the box (x1, y1)-(x2, y2) from the radial through
    // (x3, y3) to the one through (x4, y4), in the arc direction.
    virtual void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) = 0;
    // Arc, with a line from the current position to its start; the current
    // position moves to its end.
    virtual void ArcTo(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) = 0;

    // Shapes (outlined with the pen, filled with the brush; right and bottom
    // edges left out)
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
    virtual void Ellipse(int left, int top, int right, int bottom) = 0;
    virtual void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) = 0;
    virtual void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) = 0;
    virtual void Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) = 0;
    virtual void Polygon(const Point* points, int count) = 0;
    virtual void PolyPolygon(const Point* points, const int* counts, int polygonCount) = 0;

    // Fills with the brush, no outline, no raster operation: [left, right) x
    // [top, bottom); an inverted rectangle fills nothing.
    virtual void FillRect(const Rect& r) = 0;
    // Fills with a brush other than the selected one.
    virtual void FillRectWith(const Rect& r, const BrushDesc& brush) = 0;
    // Brush-only blit: PatCopy, PatInvert, DstInvert, Blackness, Whiteness.
    virtual void PatBlt(int x, int y, int width, int height, Rop3 rop) = 0;
    // Fills with the brush from (x, y): Border fills up to the colour;
    // Surface fills the area of that colour.
    virtual bool FloodFill(int x, int y, TColor color, FloodFillType type) = 0;
    // A check box of a legend (frame-control look).
    virtual void DrawCheckBox(const Rect& r, bool checked, bool flat) = 0;

    // Paths: between BeginPath and EndPath the drawing calls above (and text)
    // add figures instead of drawing.
    virtual void BeginPath() = 0;
    virtual void EndPath() = 0;
    virtual void AbortPath() = 0;
    virtual void CloseFigure() = 0;
    virtual void StrokePath() = 0;
    virtual void FillPath() = 0;
    virtual void StrokeAndFillPath() = 0;
    // Replaces the path by the area the current pen would paint.
    virtual void WidenPath() = 0;
    // Combines the path (fill mode as set) with the clip; the path is used up.
    virtual void SelectClipPath(ClipCombine mode) = 0;

    // Clipping in device pixels. With no clip set, a combination starts from
    // the whole device.
    virtual void SelectClipRgn(const std::optional<Region>& region) = 0;  // nullopt removes it
    virtual void ExtSelectClipRgn(const std::optional<Region>& region, ClipCombine mode) = 0;
    // The clip region, or nullopt when there is none.
    virtual std::optional<Region> GetClipRgn() const = 0;
    // Logical rectangles.
    virtual void IntersectClipRect(int left, int top, int right, int bottom) = 0;
    virtual void ExcludeClipRect(int left, int top, int right, int bottom) = 0;
    virtual Rect GetClipBox() const = 0;  // logical; the whole surface without a clip
    virtual bool PtVisible(int x, int y) const = 0;

    // Pixels (no raster operation). SetPixel respects the clip and returns
    // the colour set, or 0xFFFFFFFF when nothing was set; GetPixel returns
    // 0xFFFFFFFF outside the surface.
    virtual TColor SetPixel(int x, int y, TColor c) = 0;
    virtual TColor GetPixel(int x, int y) const = 0;

    // Blits from a pixel image (a device's Surface() may be the source, even
    // this device's). They respect the clip.
    virtual void BitBlt(int x, int y, int width, int height, const Bitmap& src, int srcX, int srcY,
                        Rop3 rop) = 0;
    // Negative sizes mirror.
    virtual void StretchBlt(int x, int y, int width, int height, const Bitmap& src, int srcX, int srcY,
                            int srcWidth, int srcHeight, Rop3 rop) = 0;
    // Constant alpha 0..255, no per-pixel alpha: dst = src * a + dst * (1 - a).
    virtual void AlphaBlend(int x, int y, int width, int height, const Bitmap& src, int srcX, int srcY,
                            int srcWidth, int srcHeight, int constantAlpha) = 0;
    // Draws a picture at its size (per-pixel alpha when it has alpha).
    virtual void DrawBitmap(int x, int y, const Bitmap& picture) = 0;
    virtual void StretchDrawBitmap(const Rect& r, const Bitmap& picture) = 0;

    // Text (UTF-8), in the text colour with the selected font; antialiased.
    // The box is filled with the background colour in opaque mode.
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    virtual void ExtTextOut(int x, int y, unsigned options, const Rect* rect, const std::string& text) = 0;
    // Width (with the inter-character spacing) and height of the text.
    virtual Size GetTextExtent(const std::string& text) const = 0;
    virtual TextMetrics GetTextMetrics() const = 0;
};

}  // namespace platform
