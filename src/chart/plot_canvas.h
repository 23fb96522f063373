#pragma once
// The abstract drawing surface of every chart: the 2D layer (TPlotCanvas) and the
// 3D layer (TCanvas3D) with projection, the per-paint window protocol and 3D
// primitives. The one concrete surface is TPlotCanvas3D.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "chart/chart_pen.h"
#include "chart/graphics_objects.h"
#include "chart/plot_geometry.h"
#include "chart/projection_3d.h"

class TPlotFont;
class TPlotBlend;
class TCustomPlotGradient;
class TView3DOptions;

enum TGradientDirection {
    gdTopBottom, gdBottomTop, gdLeftRight, gdRightLeft, gdFromCenter, gdFromTopLeft,
    gdFromBottomLeft, gdRadial, gdDiagonalUp, gdDiagonalDown
};

// Back modes of the device.
constexpr int cbmTransparent = 1;
constexpr int cbmOpaque = 2;

class TPlotCanvas {
public:
    TPlotCanvas();
    virtual ~TPlotCanvas();
    TPlotCanvas(const TPlotCanvas&) = delete;
    TPlotCanvas& operator=(const TPlotCanvas&) = delete;

    // 1-14: state
    virtual TColor GetBackColor() = 0;
    virtual int GetBackMode() = 0;
    virtual platform::DrawingDevice* GetHandle() = 0;
    virtual bool GetMonochrome() = 0;
    virtual TColor GetPixel(int X, int Y) = 0;
    virtual bool IsNonGdiCanvas() = 0;
    virtual unsigned GetTextAlign() = 0;
    virtual bool GetBufferedDisplay() = 0;
    virtual void SetBackColor(TColor Color) = 0;
    virtual void SetBackMode(int Mode) = 0;
    virtual void SetMonochrome(bool Value) = 0;
    virtual void SetPixel(int X, int Y, TColor Color) = 0;
    virtual void SetTextAlign(unsigned Align) = 0;
    virtual void SetBufferedDisplay(bool Value) = 0;
    // 15-17: pens and blending
    virtual void AssignPenColor(TPen* Pen, TColor Color);
    virtual TPlotBlend* BeginBlending(const TRect& R, int Transparency);
    virtual void EndBlending(TPlotBlend* Blend);
    // 18-50: 2D drawing
    virtual void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) = 0;
    virtual void ArcAngles(int Left, int Top, int Right, int Bottom, double StartAngle, double EndAngle);
    // angles in radians
    virtual void Donut(int XCenter, int YCenter, int XRadius, int YRadius, double StartAngle, double EndAngle,
                       double HolePercent) = 0;
    virtual void Draw(int X, int Y, const TGraphic* Graphic) = 0;
    virtual void Ellipse(int X1, int Y1, int X2, int Y2) = 0;
    virtual void FillRect(const TRect& R) = 0;
    virtual void Frame3D(TRect& R, TColor TopColor, TColor BottomColor, int Width);
    virtual void LineTo(int X, int Y) = 0;
    virtual void MoveTo(int X, int Y) = 0;
    virtual void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) = 0;
    virtual void Rectangle(int X0, int Y0, int X1, int Y1) = 0;
    virtual void RoundRect(int X1, int Y1, int X2, int Y2, int CornerWidth, int CornerHeight) = 0;
    virtual void StretchDraw(const TRect& R, const TGraphic* Graphic) = 0;
    virtual void TextOut(int X, int Y, const std::string& Text) = 0;
    virtual int TextWidth(const std::string& Text);
    virtual int TextHeight(const std::string& Text);
    virtual int TextWidthW(const std::string& Text);
    virtual int TextHeightW(const std::string& Text);
    virtual void ClipRectangle(const TRect& R) = 0;
    virtual void ClipRoundRectangle(const TRect& R, int CornerSize) = 0;
    virtual void ClipEllipse(const TRect& R, bool Inverted) = 0;
    virtual void ClipPolygon(std::span<const TPoint> Points, int Count, bool Inverted) = 0;
    virtual void HorizLine(int Left, int Right, int Y);
    virtual void VertLine(int X, int Top, int Bottom);
    virtual void EraseBackground(const TRect& R) = 0;
    virtual void GradientFill(const TRect& R, TColor StartColor, TColor EndColor, TGradientDirection Direction,
                              int Balance) = 0;
    virtual void Invalidate() = 0;
    virtual void Line(int X0, int Y0, int X1, int Y1);
    virtual void Polyline(std::span<const TPoint> Points) = 0;
    virtual void Polygon(std::span<const TPoint> Points) = 0;
    virtual void GradientPolygon(std::span<const TPoint> Points, TCustomPlotGradient* Gradient);
    virtual void RotatedTextOut(int X, int Y, const std::string& Text, double Angle) = 0;
    virtual void UnClip() = 0;
    // The device whose pixels shadows and blurs may read and write directly:
    // the canvas' own buffer while drawing goes to it; nullptr otherwise (no
    // buffer, another device, or a metafile).
    virtual platform::DrawingDevice* RasterTarget() { return nullptr; }

    // Implemented once, through the operations above.
    int FontHeight() { return TextHeight("W"); }
    void AssignPen(TPen* Pen) { AssignPenColor(Pen, Pen->Color()); }
    void AssignBrush(TChartBrush* Brush, TColor Color) { AssignBrushColor(Brush, Color, Brush->BackColor()); }
    void AssignBrushOwnColors(TChartBrush* Brush) { AssignBrushColor(Brush, Brush->BackColor(), Brush->Color()); }
    void AssignBrushColor(TChartBrush* Brush, TColor Color, TColor BackColor);
    void AssignFont(TPlotFont* Font);
    void ResetState();
    void RectangleRect(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
    void EllipseRect(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }
    void RoundRectRect(const TRect& R, int CornerWidth, int CornerHeight)
    {
        RoundRect(R.Left, R.Top, R.Right, R.Bottom, CornerWidth, CornerHeight);
    }
    void MoveToPoint(const TPoint& P) { MoveTo(P.X, P.Y); }
    void LineToPoint(const TPoint& P) { LineTo(P.X, P.Y); }
    void LinePoints(const TPoint& P1, const TPoint& P2) { Line(P1.X, P1.Y, P2.X, P2.Y); }
    // Html texts go through the chart text renderer when one is installed.
    void TextOutFormatted(int X, int Y, const std::string& Text, bool Html);
    // The extent of an html text; a parse error is reported as a drawing's
    // is (once through OnTextError) and measures nothing.
    TSize HtmlTextExtent(const std::string& Text);
    void SetDarkBrush(TColor Color, int Amount);

    // Makes the device the one drawn on; the working pen, brush and font are
    // applied to it before its next drawing call.
    void AttachCanvas(platform::DrawingDevice* Device);
    platform::DrawingDevice* CurrentCanvas() const { return m_device; }

    // Working pen, brush and font: the state applied to the device.
    TPen* Pen() { return &m_pen; }
    TBrush* Brush() { return &m_brush; }
    TFont* Font() { return &m_font; }

    bool Metafiling = false;
    // Percent applied to font sizes (the view's FontZoom).
    double FontZoomPercent = 100.0;
    // Bounds of the current drawing window.
    TRect Bounds;
    TPlotFont* CurrentFont() const { return m_currentFont; }
    // The font being freed stops being the current one.
    void ForgetFont(const TPlotFont* Font)
    {
        if (m_currentFont == Font)
            SetCurrentFont(nullptr);
    }
    int BlendTransparency() const { return m_blendTransparency; }

    // A text that fails to draw (an html parse error) is reported here once per
    // paint instead of ending the paint; the chart panel shows it.
    std::function<void(const std::string& Message)> OnTextError;
    // Re-arms the report (at the start of each paint).
    void ResetTextError() { m_textErrorReported = false; }

protected:
    // Device services the shared operations need.
    virtual TSize TextExtent(const std::string& Text) = 0;
    virtual void SetTextColor(TColor Color) = 0;
    virtual int GetTextCharacterExtra() = 0;
    virtual void SetTextCharacterExtra(int Extra) = 0;

    platform::DrawingDevice* m_device = nullptr;
    TPen m_pen;
    TBrush m_brush;
    TFont m_font;
    bool m_penDirty = true;
    bool m_brushDirty = true;
    bool m_fontDirty = true;
    std::uint8_t m_blendTransparency = 0;
    TPlotFont* m_currentFont = nullptr;
    void ReportTextError(const char* Message);
    bool m_textErrorReported = false;

private:
    // Registers the canvas with its current font.
    void SetCurrentFont(TPlotFont* Font);
};

class TCanvas3D : public TPlotCanvas, public TProjection3D {
public:
    TCanvas3D();

    // 51-96
    virtual void BeginEntity(const std::string& Name);
    virtual void EndEntity();
    virtual TColor GetPixel3D(int X, int Y, int Z) = 0;
    virtual bool Supports3DText() = 0;
    virtual void SetPixel3D(int X, int Y, int Z, TColor Color) = 0;
    virtual void Unproject(int& X, int& Y, int Z) = 0;
    virtual void Project(int X, int Y, int Z, TPoint& P) = 0;
    virtual TRect InitWindow(platform::DrawingDevice* DestCanvas, TView3DOptions* Options, TColor BackColor,
                             bool Is3DView, const TRect& UserRect) = 0;
    virtual void AssignSettings(TCanvas3D* Source);
    virtual void Projection(int MaxDepth, const TRect& Bounds) = 0;
    virtual void ShowImage(platform::DrawingDevice* DestCanvas, platform::DrawingDevice* DefaultCanvas,
                           const TRect& UserRect) = 0;
    virtual bool ReDrawBitmap() = 0;
    virtual void Arrow(bool Filled, const TPoint& FromPoint, const TPoint& ToPoint, int HeadWidth, int HeadHeight,
                       int Z, double ArrowPercent) = 0;
    virtual void ClipCube(const TRect& R, int MinZ, int MaxZ) = 0;
    // Rotation and elevation may take any angle (false on this device-context canvas).
    virtual bool SupportsFullRotation() { return false; }
    virtual void Cone(bool Vertical, int Left, int Top, int Right, int Bottom, int Z0, int Z1, bool Dark3D,
                      int ConePercent) = 0;
    virtual void Cube(int Left, int Right, int Top, int Bottom, int Z0, int Z1, bool DarkSides) = 0;
    virtual void Cylinder(bool Vertical, int Left, int Top, int Right, int Bottom, int Z0, int Z1, bool Dark3D);
    virtual void Disable3D();
    virtual void EllipseWithZ(int X1, int Y1, int X2, int Y2, int Z) = 0;
    virtual void Restore3D();
    virtual void HorizLine3D(int Left, int Right, int Y, int Z);
    virtual void VertLine3D(int X, int Top, int Bottom, int Z);
    virtual void ZLine3D(int X, int Y, int Z0, int Z1);
    virtual void Begin2DSection();
    virtual void End2DSection();
    virtual void LineWithZ(int X0, int Y0, int X1, int Y1, int Z);
    virtual void MoveTo3D(int X, int Y, int Z);
    virtual void LineTo3D(int X, int Y, int Z);
    // angles in radians
    virtual void Pie3D(int XCenter, int YCenter, int XRadius, int YRadius, int Z0, int Z1, double StartAngle,
                       double EndAngle, bool DarkSides, bool DrawSides, int DonutPercent,
                       TCustomPlotGradient* Gradient) = 0;
    virtual void Plane(const TPoint& P1, const TPoint& P2, int Z0, int Z1) = 0;
    virtual void PlaneWithZ(const TPoint& P1, const TPoint& P2, const TPoint& P3, const TPoint& P4, int Z) = 0;
    virtual void PlaneFour3D(const TPoint (&Points)[4], int Z0, int Z1) = 0;
    virtual void Polygon3D(std::span<const TPoint3D> Points) = 0;
    virtual void PolygonWithZ(std::span<const TPoint> Points, int Z);
    virtual void PolylineWithZ(std::span<const TPoint> Points, int Z);
    virtual void Pyramid(bool Vertical, int Left, int Top, int Right, int Bottom, int Z0, int Z1,
                         bool DarkSides) = 0;
    virtual void PyramidTrunc(const TRect& R, int StartZ, int EndZ, int TruncX, int TruncZ) = 0;
    virtual void RectangleWithZ(const TRect& R, int Z) = 0;
    virtual void RectangleY(int Left, int Top, int Right, int Z0, int Z1) = 0;
    virtual void RectangleZ(int Left, int Top, int Bottom, int Z0, int Z1) = 0;
    virtual void RotatedTextOut3D(int X, int Y, int Z, const std::string& Text, double Angle) = 0;
    virtual void CircleWithZ(int XCenter, int YCenter, int Z, double Radius) = 0;
    virtual void Hook3D(int A, int B, int C, int D) = 0;
    virtual void TextOut3D(int X, int Y, int Z, const std::string& Text) = 0;
    virtual void Triangle3D(const TPoint3D (&Points)[3], const TColor (&Colors)[3]) = 0;
    virtual void TriangleWithZ(const TPoint& P1, const TPoint& P2, const TPoint& P3, int Z) = 0;
    // Clips to the polygon and fills its bounds with the gradient.
    void GradientPolygon(std::span<const TPoint> Points, TCustomPlotGradient* Gradient) override;

    // Fills FourCorners as one polygon with the current pen and brush.
    void PolygonFour() { Polygon(FourCorners); }

    void ProjectPoint(const TPoint& P, int Z, TPoint& Out) { Project(P.X, P.Y, Z, Out); }
    TRect ProjectRect(const TRect& R, int Z);
    void ProjectRectCorners(const TRect& R, int Z, TPoint (&Corners)[4]);
    TRect ProjectedRectBounds(const TRect& R, int Z);
    void ProjectPoints(std::span<const TPoint> Points, int Z, std::vector<TPoint>& Out);
    void CubeRect(const TRect& R, int Z0, int Z1, bool DarkSides)
    {
        Cube(R.Left, R.Right, R.Top, R.Bottom, Z0, Z1, DarkSides);
    }
    void EllipseRectWithZ(const TRect& R, int Z) { EllipseWithZ(R.Left, R.Top, R.Right, R.Bottom, Z); }
    void LinePointsZ(const TPoint& P1, const TPoint& P2, int Z) { LineWithZ(P1.X, P1.Y, P2.X, P2.Y, Z); }
    void PlaneFourPoints(const TPoint (&P)[4], int Z) { PlaneWithZ(P[0], P[1], P[2], P[3], Z); }
    void RectWithZ(const TRect& R, int Z) { RectangleWithZ(R, Z); }
    void RectangleWithZCoords(int Left, int Top, int Right, int Bottom, int Z)
    {
        RectangleWithZ(TRect{Left, Top, Right, Bottom}, Z);
    }
    // The graphic as a picture lying in a 3D plane: plane 0 a side plane at
    // X = Position, 1 a horizontal plane at Y = Position, else facing the viewer
    // at depth Position; one projected cell per pixel.
    void StretchDrawAtZ(const TRect& R, const TGraphic* Graphic, int Position, int Plane);
    void ArrowDefaultHead(bool Filled, const TPoint& FromPoint, const TPoint& ToPoint, int HeadWidth,
                          int HeadHeight, int Z)
    {
        Arrow(Filled, FromPoint, ToPoint, HeadWidth, HeadHeight, Z, 50);
    }

    // Reference counting that never frees the surface.
    int AddRef() { return -1; }
    int Release() { return -1; }
    // 0 with the surface for an interface it has ("IUnknown"), else E_NOINTERFACE.
    long QueryInterface(const std::string& Iid, void** Obj);

    bool DrawEntities = false;  // bracket drawn elements with BeginEntity/EndEntity
    // The projected corners of the last plane, read by callers after drawing.
    TPoint FourCorners[4];
    int Section2DCount() const { return m_section2D; }

protected:
    int m_section2D = 0;
};

// Free geometry routines.
bool PointsClockwise(const TPoint& P0, const TPoint& P1, const TPoint& P2);
bool PointsClockwiseArray(std::span<const TPoint> P);
inline TPoint MakePoint(int X, int Y) { return TPoint{X, Y}; }
inline TRect MakeRect(int Left, int Top, int Right, int Bottom) { return TRect{Left, Top, Right, Bottom}; }
bool PointInRectXY(const TRect& R, int X, int Y);
inline bool PointInRect(const TRect& R, const TPoint& P) { return PointInRectXY(R, P.X, P.Y); }
TRect NormalizeRect(const TRect& R);
// Shrinks the points to their convex hull, clockwise on screen (y down) from
// the leftmost point (ties: the topmost); points inside or on a hull edge are dropped.
void ConvexHull(std::vector<TPoint>& Points);
// Extremes of the points, without +1.
TRect PolygonBounds(std::span<const TPoint> Points);
// Extremes of the first Count points, right and bottom one past the largest.
TRect PolygonRect(std::span<const TPoint> Points, int Count);
void SetBitmapSize(TBitmap* Bitmap, int Width, int Height);
// Blue, green, red in that byte order.
void ColorToRGBTriple(TColor Color, std::uint8_t (&Triple)[3]);
// Colour channels made darker or brighter by Amount, kept within 0..255.
TColor DarkenColor(TColor Color, int Amount);
TColor BrightenColor(TColor Color, int Amount);
