#pragma once
// The chart canvas over the platform drawing device: optional off-screen
// buffer, device state, clipping, 2D drawing, text with the chart font's
// effects, projection, and the planes of the 3D layer.
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "chart/plot_canvas.h"
#include "platform/drawing_device.h"

class TPlotFilter;

class TPlotCanvas3D : public TCanvas3D {
public:
    // The reference device (the window's) is drawn on until the first InitWindow.
    explicit TPlotCanvas3D(platform::DrawingDevice* ReferenceCanvas = nullptr);
    ~TPlotCanvas3D() override;

    // State
    TColor GetBackColor() override;
    int GetBackMode() override;
    platform::DrawingDevice* GetHandle() override { return m_device; }
    bool GetMonochrome() override { return m_monochrome; }
    TColor GetPixel(int X, int Y) override;
    bool IsNonGdiCanvas() override { return false; }
    unsigned GetTextAlign() override;
    bool GetBufferedDisplay() override { return m_bufferedDisplay; }
    void SetBackColor(TColor Color) override;
    void SetBackMode(int Mode) override;
    void SetMonochrome(bool Value) override;
    void SetPixel(int X, int Y, TColor Color) override;
    void SetTextAlign(unsigned Align) override;
    void SetBufferedDisplay(bool Value) override;

    // 2D drawing
    void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) override;
    void Donut(int XCenter, int YCenter, int XRadius, int YRadius, double StartAngle, double EndAngle,
               double HolePercent) override;
    void Draw(int X, int Y, const TGraphic* Graphic) override;
    void Ellipse(int X1, int Y1, int X2, int Y2) override;
    void FillRect(const TRect& R) override;
    void LineTo(int X, int Y) override;
    void MoveTo(int X, int Y) override;
    void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) override;
    void Rectangle(int X0, int Y0, int X1, int Y1) override;
    void RoundRect(int X1, int Y1, int X2, int Y2, int CornerWidth, int CornerHeight) override;
    void StretchDraw(const TRect& R, const TGraphic* Graphic) override;
    void TextOut(int X, int Y, const std::string& Text) override;
    void ClipRectangle(const TRect& R) override;
    void ClipRoundRectangle(const TRect& R, int CornerSize) override;
    void ClipEllipse(const TRect& R, bool Inverted) override;
    void ClipPolygon(std::span<const TPoint> Points, int Count, bool Inverted) override;
    void EraseBackground(const TRect& R) override { FillRect(R); }
    void GradientFill(const TRect& R, TColor StartColor, TColor EndColor, TGradientDirection Direction,
                      int Balance) override;
    void Invalidate() override { BufferInvalid = true; }
    void Polyline(std::span<const TPoint> Points) override;
    void Polygon(std::span<const TPoint> Points) override;
    void RotatedTextOut(int X, int Y, const std::string& Text, double Angle) override;
    // Ends every clip at once and brings back the clip in force before the first.
    void UnClip() override;
    platform::DrawingDevice* RasterTarget() override;

    // 3D layer
    TColor GetPixel3D(int X, int Y, int Z) override;
    bool Supports3DText() override { return false; }
    void SetPixel3D(int X, int Y, int Z, TColor Color) override;
    void Unproject(int& X, int& Y, int Z) override { UnprojectInPlace(X, Y, Z); }
    void Project(int X, int Y, int Z, TPoint& P) override { ProjectPoint3D(P, X, Y, Z); }
    TRect InitWindow(platform::DrawingDevice* DestCanvas, TView3DOptions* Options, TColor BackColor,
                     bool Is3DView, const TRect& UserRect) override;
    void Projection(int MaxDepth, const TRect& R) override { CalcProjection(MaxDepth, R); }
    void ShowImage(platform::DrawingDevice* DestCanvas, platform::DrawingDevice* DefaultCanvas,
                   const TRect& UserRect) override;
    bool ReDrawBitmap() override;
    void Disable3D() override;
    void Restore3D() override;
    void Hook3D(int, int, int, int) override {}

    void Arrow(bool Filled, const TPoint& FromPoint, const TPoint& ToPoint, int HeadWidth, int HeadHeight, int Z,
               double ArrowPercent) override;
    void ClipCube(const TRect& R, int MinZ, int MaxZ) override;
    void Cone(bool Vertical, int Left, int Top, int Right, int Bottom, int Z0, int Z1, bool Dark3D,
              int ConePercent) override;
    void Cube(int Left, int Right, int Top, int Bottom, int Z0, int Z1, bool DarkSides) override;
    void EllipseWithZ(int X1, int Y1, int X2, int Y2, int Z) override;
    void Pie3D(int XCenter, int YCenter, int XRadius, int YRadius, int Z0, int Z1, double StartAngle,
               double EndAngle, bool DarkSides, bool DrawSides, int DonutPercent,
               TCustomPlotGradient* Gradient) override;
    void Plane(const TPoint& P1, const TPoint& P2, int Z0, int Z1) override;
    void PlaneWithZ(const TPoint& P1, const TPoint& P2, const TPoint& P3, const TPoint& P4, int Z) override;
    void PlaneFour3D(const TPoint (&Points)[4], int Z0, int Z1) override;
    void Polygon3D(std::span<const TPoint3D> Points) override;
    void Pyramid(bool Vertical, int Left, int Top, int Right, int Bottom, int Z0, int Z1, bool DarkSides) override;
    void PyramidTrunc(const TRect& R, int StartZ, int EndZ, int TruncX, int TruncZ) override;
    void RectangleWithZ(const TRect& R, int Z) override;
    void RectangleY(int Left, int Top, int Right, int Z0, int Z1) override;
    void RectangleZ(int Left, int Top, int Bottom, int Z0, int Z1) override;
    void RotatedTextOut3D(int X, int Y, int Z, const std::string& Text, double Angle) override;
    void CircleWithZ(int XCenter, int YCenter, int Z, double Radius) override;
    void TextOut3D(int X, int Y, int Z, const std::string& Text) override;
    void Triangle3D(const TPoint3D (&Points)[3], const TColor (&Colors)[3]) override;
    void TriangleWithZ(const TPoint& P1, const TPoint& P2, const TPoint& P3, int Z) override;

    // Copies the whole buffer onto Dest at (X, Y).
    void CopyBuffer(int X, int Y, platform::DrawingDevice* Dest);
    // The off-screen buffer (nullptr until the first buffered InitWindow).
    platform::DrawingDevice* Bitmap() const { return m_buffer.get(); }

    bool BufferInvalid = true;
    bool KeepBuffer = false;
    bool SavedIs3D = false;

protected:
    TSize TextExtent(const std::string& Text) override;
    void SetTextColor(TColor Color) override;
    int GetTextCharacterExtra() override;
    void SetTextCharacterExtra(int Extra) override;

private:
    // Puts the working pen, brush and font on the device when they changed.
    void ApplyPen();
    void ApplyBrush();
    void ApplyFont();
    void ApplyShapeState()
    {
        ApplyPen();
        ApplyBrush();
    }
    void ApplyClip(const platform::Region& Region, platform::ClipCombine Mode);
    platform::Rect DeviceRect(const TRect& R) const;
    const std::vector<platform::Point>& DevicePoints(std::span<const TPoint> Points);
    // The text's box by the text alignment (a bottom-aligned text counts as top-aligned).
    TRect TextRect(int X, int Y, const std::string& Text);
    TRect TextRect(int X, int Y, int Width, int Height);
    void TextOutEffects(int X, int Y, const std::string& Text);
    // Runs the filter over R (edges included) of the buffer, and over nothing else.
    void FilterBufferRect(TPlotFilter& Filter, const TRect& R);
    // The blur of the amount over R of the buffer, as FilterBufferRect with a
    // blur filter of it does.
    void BlurBufferRect(const TRect& R, int Amount);
    // R (edges included) limited to the buffer; Right < Left or Bottom < Top when nothing is left.
    TRect BufferPart(const TRect& R) const;
    // The shadow text at (X, Y) in the current text colour, blurred over R of
    // the buffer; a text drawn again over the same pixels takes its kept picture.
    void BlurredShadowText(int X, int Y, const std::string& Text, const TRect& R, int Amount);
    // The blur of R after a text changed the pixels of Before (the buffer's
    // pixels of Part before the text); over a plain ground only round the text.
    void BlurAfterText(const TRect& R, const TRect& Part, const std::vector<std::uint32_t>& Before, int Amount);

    // A shadow text's pixels before and after, by text, font and place in the part.
    struct TShadowPicture {
        std::size_t Hash = 0;
        std::string Text;
        platform::FontDesc Font;
        unsigned Align = 0;
        int Extra = 0;
        TColor Color = 0;
        int Amount = 0;
        TRect Part;  // relative to the text's point
        TRect Blur;  // relative to the text's point
        std::vector<std::uint32_t> Before;
        std::vector<std::uint32_t> After;
        std::uint64_t Used = 0;
    };
    std::vector<TShadowPicture> m_shadowPictures;
    std::uint64_t m_shadowUse = 0;

    std::unique_ptr<platform::DrawingDevice> m_buffer;
    bool m_monochrome = false;
    bool m_bufferedDisplay = true;
    // Clip in force before the first clip of a run (nullopt: none).
    std::optional<platform::Region> m_savedClip;
    bool m_clipping = false;
    std::vector<platform::Point> m_points;
    std::shared_ptr<const platform::Bitmap> m_patternCache;
    std::uint64_t m_patternStamp = 0;  // content stamp of the bitmap in m_patternCache
    // Text extents by device, font, spacing and text: those of the canvas' own
    // buffer kept from draw to draw, others emptied by the next InitWindow.
    std::unordered_map<std::string, TSize> m_extents;
    // the device (or the kind of devices) the extents were measured on
    const void* m_extentsDevice = nullptr;
    std::string m_extentKey;
};
