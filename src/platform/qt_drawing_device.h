#pragma once
// The drawing device on a 32-bit image (QImage::Format_RGB32 over our own
// pixel buffer). Lines, shapes, fills, regions, blits and raster operations are
// computed pixel by pixel by our own code so that they match the GDI rules
// exactly; text is drawn antialiased by QPainter.
#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QRegion>
#include <memory>
#include <optional>
#include <vector>

#include "platform/drawing_device.h"
#include "platform/raster_geometry.h"

class QPainter;

namespace platform {

struct CurveShapeKey;

// Conversions for the Qt side.
QColor ToQColor(TColor c);  // system colours resolved
// The region's pixels inside the limit (regions are exact only there).
QRegion ToQRegion(const Region& region, const QRect& limit);
QRegion SpansToQRegion(const SpanList& spans);
// "Arial" -> Liberation Sans, "Courier New" -> Liberation Mono; an installed
// family -> itself; else the system sans.
QString ResolveFontFamily(const std::string& name);
// A QFont for the description at 96 dpi (no letter spacing, no rotation).
QFont ToQFont(const FontDesc& font);
Bitmap BitmapFromQImage(const QImage& image);  // keeps alpha when the image has it
QImage QImageFromBitmap(const Bitmap& bitmap);  // a deep copy

class QtDrawingDevice : public DrawingDevice {
public:
    explicit QtDrawingDevice(int width = 1, int height = 1);
    ~QtDrawingDevice() override;
    QtDrawingDevice(const QtDrawingDevice&) = delete;
    QtDrawingDevice& operator=(const QtDrawingDevice&) = delete;

    // The surface as an image (shares the pixels; valid until SetSize).
    const QImage& Image() const { return m_image; }

    int Width() const override { return m_surface.Width(); }
    int Height() const override { return m_surface.Height(); }
    void SetSize(int width, int height) override;
    const Bitmap& Surface() const override { return m_surface; }
    std::uint32_t* ScanLine(int y) override { return m_surface.ScanLine(y); }
    std::unique_ptr<DrawingDevice> CreateCompatible(int width, int height) const override;

    Point SetViewportOrg(Point origin) override;
    Point GetViewportOrg() const override { return m_viewportOrg; }
    void LPtoDP(Point* points, int count) const override;
    void DPtoLP(Point* points, int count) const override;

    PenDesc SelectPen(const PenDesc& pen) override;
    BrushDesc SelectBrush(const BrushDesc& brush) override;
    FontDesc SelectFont(const FontDesc& font) override;
    const PenDesc& GetPen() const override { return m_pen; }
    const BrushDesc& GetBrush() const override { return m_brush; }
    const FontDesc& GetFont() const override { return m_font; }
    void SelectStockObject(StockObject obj) override;
    TColor SetDCPenColor(TColor c) override;
    TColor SetDCBrushColor(TColor c) override;
    TColor GetDCPenColor() const override { return m_dcPenColor; }
    TColor GetDCBrushColor() const override { return m_dcBrushColor; }

    TColor SetBkColor(TColor c) override;
    TColor GetBkColor() const override { return m_bkColor; }
    BackMode SetBkMode(BackMode m) override;
    BackMode GetBkMode() const override { return m_bkMode; }
    TColor SetTextColor(TColor c) override;
    TColor GetTextColor() const override { return m_textColor; }
    unsigned SetTextAlign(unsigned flags) override;
    unsigned GetTextAlign() const override { return m_textAlign; }
    Rop2 SetROP2(Rop2 mode) override;
    Rop2 GetROP2() const override { return m_rop2; }
    int SetTextCharacterExtra(int extra) override;
    int GetTextCharacterExtra() const override { return m_charExtra; }
    PolyFillMode SetPolyFillMode(PolyFillMode m) override;
    PolyFillMode GetPolyFillMode() const override { return m_polyFillMode; }
    ArcDirection SetArcDirection(ArcDirection d) override;
    ArcDirection GetArcDirection() const override { return m_arcDirection; }
    StretchMode SetStretchBltMode(StretchMode m) override;
    StretchMode GetStretchBltMode() const override { return m_stretchMode; }

    Point MoveTo(int x, int y) override;
    Point GetCurrentPosition() const override { return m_position; }

    void LineTo(int x, int y) override;
    void Polyline(const Point* points, int count) override;
    void PolylineTo(const Point* points, int count) override;
    void PolyBezier(const Point* points, int count) override;
    void PolyBezierTo(const Point* points, int count) override;
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
    void ArcTo(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;

    void Rectangle(int left, int top, int right, int bottom) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) override;
    void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
    void Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
    void Polygon(const Point* points, int count) override;
    void PolyPolygon(const Point* points, const int* counts, int polygonCount) override;

    void FillRect(const Rect& r) override;
    void FillRectWith(const Rect& r, const BrushDesc& brush) override;
    void PatBlt(int x, int y, int width, int height, Rop3 rop) override;
    bool FloodFill(int x, int y, TColor color, FloodFillType type) override;
    void DrawCheckBox(const Rect& r, bool checked, bool flat) override;

    void BeginPath() override;
    void EndPath() override;
    void AbortPath() override;
    void CloseFigure() override;
    void StrokePath() override;
    void FillPath() override;
    void StrokeAndFillPath() override;
    void WidenPath() override;
    void SelectClipPath(ClipCombine mode) override;

    void SelectClipRgn(const std::optional<Region>& region) override;
    void ExtSelectClipRgn(const std::optional<Region>& region, ClipCombine mode) override;
    std::optional<Region> GetClipRgn() const override;
    void IntersectClipRect(int left, int top, int right, int bottom) override;
    void ExcludeClipRect(int left, int top, int right, int bottom) override;
    Rect GetClipBox() const override;
    bool PtVisible(int x, int y) const override;

    TColor SetPixel(int x, int y, TColor c) override;
    TColor GetPixel(int x, int y) const override;

    void BitBlt(int x, int y, int width, int height, const Bitmap& src, int srcX, int srcY, Rop3 rop) override;
    void StretchBlt(int x, int y, int width, int height, const Bitmap& src, int srcX, int srcY, int srcWidth,
                    int srcHeight, Rop3 rop) override;
    void AlphaBlend(int x, int y, int width, int height, const Bitmap& src, int srcX, int srcY, int srcWidth,
                    int srcHeight, int constantAlpha) override;
    void DrawBitmap(int x, int y, const Bitmap& picture) override;
    void StretchDrawBitmap(const Rect& r, const Bitmap& picture) override;

    void TextOut(int x, int y, const std::string& text) override;
    void ExtTextOut(int x, int y, unsigned options, const Rect* rect, const std::string& text) override;
    Size GetTextExtent(const std::string& text) const override;
    TextMetrics GetTextMetrics() const override;

    // The clip in device pixels (nullopt: none).
    const std::optional<QRegion>& ClipRegion() const { return m_clip; }

private:
    // A figure of a shape or path in device coordinates; a pixel's centre is
    // (x + 0.5, y + 0.5), so integer points name pixels.
    struct Figure {
        std::vector<PointF> points;
        bool closed = false;
        // a flattened curve: its outline passes each pixel once, even where
        // the rounded points turn back on themselves
        bool curve = false;
    };
    // Marks of the pixels a shape paints, over a box of the surface (the
    // marks buffer is the device's, reused from shape to shape).
    struct Mask {
        Rect box;
        std::vector<std::uint8_t>& marks;
        std::uint8_t& At(int x, int y)
        {
            return marks[static_cast<std::size_t>(y - box.top) * box.Width() + (x - box.left)];
        }
    };
    // A shape's box in device pixels with its corners put in order: it covers
    // [a, b); the outline runs through the pixels l..r, t..bt (moved in by the
    // frame inset).
    struct ShapeBox {
        Point a;
        Point b;
        double l;
        double t;
        double r;
        double bt;
    };

    Point Dev(int x, int y) const { return {x + m_viewportOrg.x, y + m_viewportOrg.y}; }
    Rect SurfaceRect() const { return {0, 0, Width(), Height()}; }
    Rect DrawLimit() const;
    bool Visible(int dx, int dy) const;
    template <class F>
    void ForVisible(int y, int x0, int x1, F&& f) const;
    void SetClip(std::optional<QRegion> clip);
    void CombineClip(const QRegion& region, ClipCombine mode);
    // A logical rectangle, corners in any order, joined to the clip.
    void CombineClipRect(int left, int top, int right, int bottom, ClipCombine mode);

    std::uint32_t PenArgb() const;
    std::uint32_t BkArgb() const;
    bool BrushPixel(const BrushDesc& b, int x, int y, std::uint32_t& out) const;
    bool PenPatternOn(std::int64_t pos, bool& gapPainted) const;
    // PenPatternOn for every position of one period of the pen's pattern (1:
    // on), kept while the pen's style stays; nullptr for a solid pen or a
    // period too long for a table.
    const std::vector<std::uint8_t>* PenPatternTable();
    // Whether the pen draws every pixel of its lines (no style pattern).
    bool PenSolid() const;
    void PutPixel(int x, int y, std::uint32_t src);
    // Pixels [x0, x1) of row y (device) in the pen or brush colour src
    // through the ROP2, inside the clip.
    void RopSpan(int y, int x0, int x1, std::uint32_t src);
    // Pixels [x0, x1) of a row (inside the surface) in colour src through the ROP2.
    void RopRow(std::uint32_t* line, int x0, int x1, std::uint32_t src);

    // Shapes
    void DrawFigures(const std::vector<Figure>& outline, const SpanList* fill, bool fillUsesBrush,
                     bool disjoint = false);
    template <class Sink>
    // vertices: the figures' OutlineVertices when the caller has them already.
    void OutlinePixels(const std::vector<Figure>& outline, const Rect& limit, Sink&& sink,
                       const std::vector<std::vector<Point>>* vertices = nullptr);
    void FillSpansDirect(const SpanList& spans, const BrushDesc& brush);
    // The pixels of box (device, inside the surface) as FillSpansDirect paints
    // its rows, without a span per row.
    void FillBox(const Rect& box, const BrushDesc& brush);
    void MarkOutline(Mask& mask, const std::vector<Figure>& outline,
                     const std::vector<std::vector<Point>>* vertices = nullptr);
    void MarkSpans(Mask& mask, const SpanList& spans, std::uint8_t mark);
    void Composite(const Mask& mask, const BrushDesc& brush);
    void StyledStraightLine(Point a, Point b, bool includeLast, const std::vector<std::uint8_t>& table,
                            bool gapPainted, std::uint32_t pen, std::int64_t base);
    void ThinLine(Point a, Point b, bool includeLast);
    // The pixels of the walk of a one-pixel line a-b (device) inside limit
    // (the clip is no more than limit) in colour src through the ROP2.
    void SolidSegmentInBox(Point a, Point b, bool includeLast, const Rect& limit, std::uint32_t src);
    // The one-pixel outline of figures without curves in a solid pen as the
    // walks of their edges inside limit (as above); false, with nothing
    // drawn, when a figure is a curve. vertices: their OutlineVertices, or empty.
    bool SolidOutlineInBox(const std::vector<Figure>& outline, const Rect& limit, std::uint32_t src,
                           const std::vector<std::vector<Point>>& vertices);
    void WideLines(const std::vector<Figure>& figs);
    // A solid wide-pen line a-b (device) from the stroke cache: false when the
    // cache does not serve this pen (the caller strokes the line itself).
    bool WideSegmentFromCache(Point a, Point b);
    // The pixels the figures fill together, each closed, by the poly-fill mode.
    SpanList FiguresFill(const std::vector<Figure>& figs, const Rect& limit) const;
    SpanList StrokeSpans(const std::vector<Figure>& figs, const Rect& limit) const;
    std::vector<std::vector<PointF>> StrokeOutline(const std::vector<Figure>& figs) const;
    Rect FiguresBounds(const std::vector<Figure>& figs, double grow) const;
    // nullopt when the box is empty.
    std::optional<ShapeBox> BoxOf(int left, int top, int right, int bottom) const;
    // How far a wide inside-frame pen moves a shape's outline into its box.
    double FrameInset() const;
    void ArcGeometry(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4, double inset, double& cx,
                     double& cy, double& rx, double& ry, double& t0, double& sweep) const;
    // The arc closed through the centre (a pie) or by its chord.
    void ClosedArc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4, bool throughCentre);
    void AddToPath(const std::vector<Figure>& figs);
    void AppendToPath(const std::vector<PointF>& pts);
    // The points shifted to device pixels.
    std::vector<PointF> DevPoints(const Point* points, int count) const;
    // Whether DrawFigures fills a shape by its one-pixel outline's own pixels,
    // so the shape's exact fill need not be worked out.
    bool OutlineHoldsFill() const;
    void ShapeOrPath(std::vector<Figure> outline, const SpanList& fill);
    // A closed curve through the box a-b (device) with a solid one-pixel
    // outline, drawn from the curve cache; make() gives its figure's points
    // with the box's corner at 0, 0 and whether they move exactly with it.
    // False when the cache does not serve this drawing (the caller draws the
    // shape itself).
    template <class MakeFigure>
    bool DrawCachedCurve(const CurveShapeKey& key, Point a, Point b, MakeFigure&& make);
    // Rectangle's outline of a solid one-pixel pen through the pixels l..r, t..b.
    void RectangleOutline(int l, int t, int r, int b);
    // op(source, destination) gives each pixel written.
    template <class Op>
    void BlitPixels(int x, int y, int width, int height, const Bitmap& src, int srcX, int srcY, int srcWidth,
                    int srcHeight, Op op, bool smooth);

    // Text
    void UpdateFont();
    void DrawText(int x, int y, const std::string& text, const Rect* clipRect);
    // The text painter, begun on the surface at the first text and kept until
    // the surface changes size.
    QPainter& TextPainter();
    void EndTextPainter();

    Bitmap m_surface;
    QImage m_image;
    // declared after the image it paints on, so it ends first
    std::unique_ptr<QPainter> m_painter;
    int m_painterFontExtra = 0;       // the letter spacing of the painter's font
    bool m_painterFontSet = false;
    std::uint64_t m_painterClip = 0;  // the clip version the painter holds; 0: none
    bool m_painterClipCustom = false;
    std::optional<QFontMetrics> m_metrics;
    // the selected font's ascent and descent
    int m_ascent = 0;
    int m_descent = 0;
    Point m_viewportOrg;
    PenDesc m_pen;
    BrushDesc m_brush;
    FontDesc m_font;
    QFont m_qfont;
    TColor m_dcPenColor = clBlack;
    TColor m_dcBrushColor = clWhite;
    TColor m_bkColor = clWhite;
    BackMode m_bkMode = BackMode::Opaque;
    TColor m_textColor = clBlack;
    unsigned m_textAlign = 0;
    Rop2 m_rop2 = Rop2::CopyPen;
    int m_charExtra = 0;
    PolyFillMode m_polyFillMode = PolyFillMode::Alternate;
    ArcDirection m_arcDirection = ArcDirection::CounterClockwise;
    StretchMode m_stretchMode = StretchMode::ColorOnColor;
    Point m_position;
    std::int64_t m_styleStep = 0;  // pattern position carried along LineTo
    std::optional<QRegion> m_clip;
    std::vector<QRect> m_clipRects;
    Rect m_clipBox;  // the clip's bounding box (device), empty without a clip
    std::vector<Point> m_outlineVertices;  // a figure's vertices, kept for its storage
    std::uint64_t m_clipVersion = 1;  // changes with every clip set
    // scratch buffers reused from call to call
    std::vector<std::uint8_t> m_maskMarks;
    std::vector<std::uint8_t> m_patternTable;
    PenStyle m_patternStyle = PenStyle::Solid;
    std::vector<std::uint32_t> m_patternUser;
    std::vector<std::uint8_t> m_curveSeen;
    SpanList m_cachedFill;
    std::vector<int> m_blitColumns;
    Bitmap m_blitPart;
    std::vector<std::uint8_t> m_floodSeen;
    std::vector<Point> m_floodStack;
    bool m_inPath = false;
    bool m_pathReady = false;
    std::vector<Figure> m_path;
};

}  // namespace platform
