#pragma once
// A drawing device for tests: logs every call that draws or changes state,
// with its arguments and the pen, brush and font in force, and measures text
// with fixed metrics so that layout never depends on real glyphs.
//
// Text metrics: em = |font height| (16 when the height is 0); each character
// (code point) is (em + 1) / 2 pixels wide plus the inter-character spacing;
// ascent = em, descent = em / 4, height = ascent + descent.
//
// Pixels: a white surface that SetPixel, FillRect (solid brushes), PatBlt, the
// blits and the bitmap drawing write (respecting the clip; stretching takes
// the nearest pixel); shapes and text leave it alone.
#include <functional>
#include <string>
#include <vector>

#include "platform/drawing_device.h"

namespace platform {

struct RecordedCall {
    std::string name;               // e.g. "Rectangle"
    std::vector<std::string> args;  // each argument as text
    std::string pen;                // e.g. "solid 1 0x000000"
    std::string brush;              // e.g. "solid 0xFFFFFF"
    std::string font;               // e.g. "Arial -11 400"
    bool drawing = false;           // draws (or fills a path) rather than changing state

    // "Rectangle(0,0,10,10)"
    std::string ToString() const;
    // "Rectangle(0,0,10,10) pen=[solid 1 0x000000] brush=[solid 0xFFFFFF] font=[Arial -11 400]"
    std::string ToStringWithState() const;
};

class RecordingDevice : public DrawingDevice {
public:
    explicit RecordingDevice(int width = 640, int height = 480);

    // The log
    const std::vector<RecordedCall>& Calls() const { return m_calls; }
    // Every call, as ToString() (or ToStringWithState()).
    std::vector<std::string> Lines(bool withState = false) const;
    // Only the drawing calls.
    std::vector<std::string> DrawingLines(bool withState = false) const;
    // How many calls of that name.
    int Count(const std::string& name) const;
    // The calls of that name, in order.
    std::vector<RecordedCall> CallsNamed(const std::string& name) const;
    void ClearLog() { m_calls.clear(); }

    // Text forms used in the log.
    static std::string ColorText(TColor c);  // "0x0000FF" (0x00BBGGRR)
    static std::string PenText(const PenDesc& p);
    static std::string BrushText(const BrushDesc& b);
    static std::string FontText(const FontDesc& f);

    // Fixed metrics of a font.
    static int EmHeight(const FontDesc& f);
    static int CharWidth(const FontDesc& f);

    // DrawingDevice
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
    std::optional<Region> GetClipRgn() const override { return m_clip; }
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

private:
    void Log(std::string name, std::vector<std::string> args, bool drawing);
    void LogPoints(const char* name, const Point* points, int count, bool drawing);
    bool DeviceVisible(int dx, int dy) const;
    void AddPathPoints(const Point* points, int count, bool newFigure);
    void CombineClip(const Region& region, ClipCombine mode);
    TColor BrushColor(const BrushDesc& b) const;
    // Paints a solid brush's colour over the logical rectangle; other brushes leave the surface.
    void FillSolid(const Rect& r, const BrushDesc& brush);
    void MovePositionPastText(const std::string& text);
    void StretchPixels(int x, int y, int width, int height, const Bitmap& src, int srcX, int srcY, int srcWidth,
                       int srcHeight, const std::function<std::uint32_t(std::uint32_t, std::uint32_t)>& op);

    std::vector<RecordedCall> m_calls;
    Bitmap m_surface;
    Point m_viewportOrg;
    PenDesc m_pen;
    BrushDesc m_brush;
    FontDesc m_font;
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
    std::optional<Region> m_clip;
    bool m_inPath = false;
    bool m_hasPath = false;
    std::vector<std::vector<Point>> m_path;  // device points of the path's figures
};

}  // namespace platform
