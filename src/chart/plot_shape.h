#pragma once
// Framed boxes of chart elements (marks, titles, legend, labels): a brush and
// a pen, then colour, font, bevel, rounded or elliptic outline, shadow,
// gradient or picture fill, transparency and rotation.
#include <memory>

#include "chart/back_image.h"
#include "chart/chart_pen.h"
#include "chart/plot_font.h"
#include "chart/plot_gradient.h"
#include "chart/plot_panel.h"
#include "chart/plot_shadow.h"
#include "chart/property_model.h"

enum TChartObjectShapeStyle : std::uint8_t { fosRectangle, fosRoundRectangle, fosEllipse };
inline constexpr const char* ShapeStyleNames[] = {"fosRectangle", "fosRoundRectangle", "fosEllipse"};
enum TTextFormat : std::uint8_t { ttfNormal, ttfHtml };
inline constexpr const char* TextFormatNames[] = {"ttfNormal", "ttfHtml"};

// The four corners of R turned by Angle degrees about its centre, in the
// order top-left, top-right, bottom-right, bottom-left.
void RotateRectangle(const TRect& R, double Angle, TPoint (&Points)[4]);

// A brush, a pen and a visible flag, drawn on a chart panel.
class TPlotCustomShapeBrushPen {
public:
    // Owner: the panel drawn on (not owned; may be nullptr).
    explicit TPlotCustomShapeBrushPen(TCustomPlotPanel* Owner = nullptr);
    virtual ~TPlotCustomShapeBrushPen();
    TPlotCustomShapeBrushPen(const TPlotCustomShapeBrushPen&) = delete;
    TPlotCustomShapeBrushPen& operator=(const TPlotCustomShapeBrushPen&) = delete;

    // Brush and Visible; descendants publish the pen as "Frame" or "Pen".
    static const TPropertyTable<TPlotCustomShapeBrushPen>& Properties();
    virtual const TPropertyTable<TPlotCustomShapeBrushPen>& PropertyTable() const { return Properties(); }

    TChartBrush* Brush() const { return m_brush.get(); }
    void SetBrush(const TChartBrush* Value);
    TCustomPlotPanel* ParentChart() const { return m_parentChart; }
    virtual void SetParentChart(TCustomPlotPanel* Value) { m_parentChart = Value; }
    TChartPen* Pen() const { return m_pen.get(); }
    void SetPen(const TChartPen* Value);
    bool Visible() const { return m_visible; }
    void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible is streamed only when it differs from this.
    bool DefaultVisible() const { return m_defaultVisible; }
    // Visible and its stored default together, the one way a descendant or
    // an owner builds the shape otherwise (no repaint).
    void InitVisible(bool Value) { m_visible = m_defaultVisible = Value; }

    // Repaints the parent panel, when there is one.
    virtual void CanvasChanged();
    void Repaint() { CanvasChanged(); }

    // Brush, Pen and Visible of another shape.
    virtual void Assign(const TPlotCustomShapeBrushPen& Source);

protected:
    // Brush made by the descendant (its brush class); nullptr: a TChartBrush.
    TPlotCustomShapeBrushPen(TCustomPlotPanel* Owner, std::unique_ptr<TChartBrush> Brush);

private:
    std::unique_ptr<TChartBrush> m_brush;
    TCustomPlotPanel* m_parentChart = nullptr;
    std::unique_ptr<TChartPen> m_pen;
    bool m_visible = true;
    bool m_defaultVisible = true;
};

class TPlotCustomShape : public TPlotCustomShapeBrushPen {
public:
    explicit TPlotCustomShape(TCustomPlotPanel* Owner = nullptr);
    ~TPlotCustomShape() override;

    static const TPropertyTable<TPlotCustomShapeBrushPen>& Properties();
    const TPropertyTable<TPlotCustomShapeBrushPen>& PropertyTable() const override { return Properties(); }

    TBevelCut Bevel() const { return m_bevel; }
    void SetBevel(TBevelCut Value);
    int BevelWidth() const { return m_bevelWidth; }
    void SetBevelWidth(int Value);
    TColor Color() const { return m_color; }
    void SetColor(TColor Value);
    TPlotFont* Font() const { return m_font.get(); }
    void SetFont(const TPlotFont* Value);
    // The pen, as streamed.
    TChartPen* Frame() const { return Pen(); }
    void SetFrame(const TChartPen* Value) { SetPen(Value); }
    int RoundSize() const { return m_roundSize; }
    void SetRoundSize(int Value);
    // Created again on first read after being freed.
    TPlotShadow* Shadow();
    TPlotShadow* ShadowIfAny() const { return m_shadow.get(); }
    // Copies into the own shadow; nullptr frees it.
    void SetShadow(const TPlotShadow* Value);
    TChartObjectShapeStyle ShapeStyle() const { return m_shapeStyle; }
    void SetShapeStyle(TChartObjectShapeStyle Value);
    TTextFormat TextFormat() const { return m_textFormat; }
    void SetTextFormat(TTextFormat Value);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool Value);
    // Created on first read.
    TCustomPlotGradient* Gradient();
    TCustomPlotGradient* GradientIfAny() const { return m_gradient.get(); }
    void SetGradient(const TCustomPlotGradient* Value);
    TBackImage* Picture();
    TBackImage* PictureIfAny() const { return m_picture.get(); }
    void SetPicture(const TBackImage* Value);
    // Percent, 0 to 100.
    int Transparency() const { return m_transparency; }
    void SetTransparency(int Value);

    // Inclusive box: Width = Right - Left + 1.
    TRect ShapeBounds;
    int Width() const { return ShapeBounds.Right - ShapeBounds.Left + 1; }
    void SetWidth(int Value) { ShapeBounds.Right = ShapeBounds.Left + Value - 1; }
    int Height() const { return ShapeBounds.Bottom - ShapeBounds.Top + 1; }
    void SetHeight(int Value) { ShapeBounds.Bottom = ShapeBounds.Top + Value - 1; }

    // Color, Transparency and Transparent are streamed only when they differ
    // from these.
    TColor DefaultColor() const { return m_defaultColor; }
    int DefaultTransparency() const { return m_defaultTransparency; }
    bool DefaultTransparent() const { return m_defaultTransparent; }
    // Each value and its stored default together (no repaint).
    void InitColor(TColor Value) { m_color = m_defaultColor = Value; }
    void InitTransparency(int Value);
    void InitTransparent(bool Value) { m_transparent = m_defaultTransparent = Value; }

    // Everything but ShapeBounds, then the brush, pen and visible flag.
    void Assign(const TPlotCustomShapeBrushPen& Source) override;

    void Draw() { DrawInRect(ShapeBounds, 0, 0); }
    // Draws the shape into R turned by Angle degrees at depth Z on the parent panel.
    void DrawInRect(const TRect& R, double Angle = 0, int Z = 0);

protected:
    // The gradient's class.
    virtual std::unique_ptr<TCustomPlotGradient> CreateGradient();
    // Black, 3 pixels, as sizes and colour not stored.
    virtual void InitShadow(TPlotShadow& Shadow);

private:
    void Changed();
    // Stores a changed value and repaints the parent panel.
    template <typename T>
    void SetValue(T& Field, const T& Value)
    {
        UpdateValue(Field, Value, [this] { Changed(); });
    }
    // The outline of the style (or the turned polygon) over R at depth Z.
    void DrawOutline(TCanvas3D& Canvas, const TRect& R, bool Rotated, const TPoint (&Polygon)[4], int Z);
    void DrawGradient(TCanvas3D& Canvas, const TRect& R, bool Rotated, const TPoint (&Polygon)[4], int Z);

    TBevelCut m_bevel = bvNone;
    int m_bevelWidth = 2;
    TColor m_color = clWhite;
    std::unique_ptr<TPlotFont> m_font;
    int m_roundSize = 16;
    std::unique_ptr<TPlotShadow> m_shadow;
    TChartObjectShapeStyle m_shapeStyle = fosRectangle;
    TTextFormat m_textFormat = ttfNormal;
    bool m_transparent = false;
    std::unique_ptr<TCustomPlotGradient> m_gradient;
    std::unique_ptr<TBackImage> m_picture;
    int m_transparency = 0;
    TColor m_defaultColor = clWhite;
    int m_defaultTransparency = 0;
    bool m_defaultTransparent = false;
};

// The shape with every property published.
class TPlotShape : public TPlotCustomShape {
public:
    using TPlotCustomShape::TPlotCustomShape;
};
