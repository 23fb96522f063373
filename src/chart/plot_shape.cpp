#include "chart/plot_shape.h"

#include <cmath>

#include "chart/appearance_properties.h"
#include "chart/plot_blend.h"
#include "chart/value_setter.h"

void RotateRectangle(const TRect& R, double Angle, TPoint (&Points)[4])
{
    const int cx = (R.Left + R.Right) / 2;
    const int cy = (R.Top + R.Bottom) / 2;
    const double a = Angle * M_PI / 180.0;
    const double s = std::sin(a);
    const double c = std::cos(a);
    const TPoint corners[4] = {{R.Left - cx, R.Top - cy},
                               {R.Right - cx, R.Top - cy},
                               {R.Right - cx, R.Bottom - cy},
                               {R.Left - cx, R.Bottom - cy}};
    for (int i = 0; i < 4; ++i) {
        const double x = corners[i].X;
        const double y = corners[i].Y;
        Points[i] = TPoint{static_cast<int>(std::nearbyint(x * c + y * s)) + cx,
                           static_cast<int>(std::nearbyint(-x * s + y * c)) + cy};
    }
}

// ---- brush and pen ----

TPlotCustomShapeBrushPen::TPlotCustomShapeBrushPen(TCustomPlotPanel* Owner)
    : TPlotCustomShapeBrushPen(Owner, nullptr)
{
}

TPlotCustomShapeBrushPen::TPlotCustomShapeBrushPen(TCustomPlotPanel* Owner, std::unique_ptr<TChartBrush> Brush)
    : m_brush(std::move(Brush))
{
    SetParentChart(Owner);
    if (!m_brush)
        m_brush = std::make_unique<TChartBrush>();
    m_brush->OnChange = [this] { CanvasChanged(); };
    m_pen = std::make_unique<TChartPen>([this] { CanvasChanged(); });
}

TPlotCustomShapeBrushPen::~TPlotCustomShapeBrushPen() = default;

const TPropertyTable<TPlotCustomShapeBrushPen>& TPlotCustomShapeBrushPen::Properties()
{
    using S = TPlotCustomShapeBrushPen;
    static const TPropertyTable<S> table =
        TPropertyTable<S>::Of()
            .Object(
                "Brush", [](const S& s) -> const TChartBrush* { return s.Brush(); },
                [](S& s) -> TChartBrush* { return s.Brush(); }, nullptr, ChartBrushProperties())
            .Property("Visible", BooleanKind, TAccessors{&S::Visible, &S::SetVisible},
                      TInstanceDefault{&S::DefaultVisible});
    return table;
}

void TPlotCustomShapeBrushPen::SetBrush(const TChartBrush* Value)
{
    if (Value && Value != m_brush.get())
        m_brush->Assign(*Value);
}

void TPlotCustomShapeBrushPen::SetPen(const TChartPen* Value)
{
    if (Value && Value != m_pen.get())
        m_pen->Assign(*Value);
}

void TPlotCustomShapeBrushPen::SetVisible(bool Value)
{
    // through the change notice: a shape kept by another (a series'
    // pointer) repaints the chart its owner is on
    UpdateValue(m_visible, Value, [this] { CanvasChanged(); });
}

void TPlotCustomShapeBrushPen::CanvasChanged()
{
    if (m_parentChart)
        m_parentChart->Invalidate();
}

void TPlotCustomShapeBrushPen::Assign(const TPlotCustomShapeBrushPen& Source)
{
    if (&Source == this)
        return;
    m_brush->Assign(*Source.m_brush);
    m_pen->Assign(*Source.m_pen);
    SetVisible(Source.m_visible);
}

// ---- shape ----

TPlotCustomShape::TPlotCustomShape(TCustomPlotPanel* Owner) : TPlotCustomShapeBrushPen(Owner)
{
    Shadow();
    m_font = std::make_unique<TPlotFont>([this] { CanvasChanged(); });
}

TPlotCustomShape::~TPlotCustomShape() = default;

const TPropertyTable<TPlotCustomShapeBrushPen>& TPlotCustomShape::Properties()
{
    using S = TPlotCustomShape;
    static const TPropertyTable<TPlotCustomShapeBrushPen> table =
        TPropertyTable<TPlotCustomShapeBrushPen>::Of<S>(TPlotCustomShapeBrushPen::Properties())
            .Property("Bevel", EnumKind(BevelCutNames), TAccessors{&S::Bevel, &S::SetBevel}, bvNone)
            .Property("BevelWidth", IntegerKind, TAccessors{&S::BevelWidth, &S::SetBevelWidth}, 2)
            .Property("Color", ColorKind, TAccessors{&S::Color, &S::SetColor},
                      TInstanceDefault{&S::DefaultColor})
            .Object(
                "Font", [](const S& s) -> const TPlotFont* { return s.Font(); },
                [](S& s) -> TPlotFont* { return s.Font(); }, nullptr, PlotFontProperties())
            .Object(
                "Frame", [](const S& s) -> const TChartPen* { return s.Frame(); },
                [](S& s) -> TChartPen* { return s.Frame(); }, nullptr, ChartPenProperties())
            .Object(
                "Gradient", [](const S& s) -> const TCustomPlotGradient* { return s.GradientIfAny(); },
                [](S& s) -> TCustomPlotGradient* { return s.Gradient(); }, [](S& s) { s.SetGradient(nullptr); },
                PlotGradientProperties())
            .Object(
                "Picture", [](const S& s) -> const TBackImage* { return s.PictureIfAny(); },
                [](S& s) -> TBackImage* { return s.Picture(); }, [](S& s) { s.SetPicture(nullptr); },
                TBackImage::Properties())
            .Property("RoundSize", IntegerKind, TAccessors{&S::RoundSize, &S::SetRoundSize}, 16)
            .Object(
                "Shadow", [](const S& s) -> const TPlotShadow* { return s.ShadowIfAny(); },
                [](S& s) -> TPlotShadow* { return s.Shadow(); }, [](S& s) { s.SetShadow(nullptr); },
                PlotShadowProperties())
            .Property("ShapeStyle", EnumKind(ShapeStyleNames), TAccessors{&S::ShapeStyle, &S::SetShapeStyle},
                      fosRectangle)
            .Property("TextFormat", EnumKind(TextFormatNames), TAccessors{&S::TextFormat, &S::SetTextFormat},
                      ttfNormal)
            .Property("Transparency", IntegerKind, TAccessors{&S::Transparency, &S::SetTransparency},
                      TInstanceDefault{&S::DefaultTransparency})
            .Property("Transparent", BooleanKind, TAccessors{&S::Transparent, &S::SetTransparent},
                      TInstanceDefault{&S::DefaultTransparent})
            .Obsolete("ShadowColor", [](S& s, const TPropertyValue& v) { s.Shadow()->SetColor(ColorValue(v)); })
            .Obsolete("ShadowSize", [](S& s, const TPropertyValue& v) {
                const int size = static_cast<int>(IntegerValue(v, INT32_MIN, INT32_MAX));
                s.Shadow()->SetHorizSize(size);
                s.Shadow()->SetVertSize(size);
            });
    return table;
}

void TPlotCustomShape::Changed()
{
    if (ParentChart())
        ParentChart()->Invalidate();
}

void TPlotCustomShape::SetBevel(TBevelCut Value) { SetValue(m_bevel, Value); }
void TPlotCustomShape::SetBevelWidth(int Value) { SetValue(m_bevelWidth, Value); }
void TPlotCustomShape::SetRoundSize(int Value) { SetValue(m_roundSize, Value); }
void TPlotCustomShape::SetShapeStyle(TChartObjectShapeStyle Value) { SetValue(m_shapeStyle, Value); }
void TPlotCustomShape::SetTextFormat(TTextFormat Value) { SetValue(m_textFormat, Value); }

namespace {
int Percent(int Value) { return Value < 0 ? 0 : Value > 100 ? 100 : Value; }
}  // namespace

void TPlotCustomShape::SetTransparency(int Value)
{
    SetValue(m_transparency, Percent(Value));
}

void TPlotCustomShape::InitTransparency(int Value)
{
    m_transparency = m_defaultTransparency = Percent(Value);
}

void TPlotCustomShape::SetColor(TColor Value)
{
    if (ParentChart())
        ParentChart()->SetColorProperty(m_color, Value);
    else
        m_color = Value;
}

void TPlotCustomShape::SetTransparent(bool Value)
{
    if (ParentChart())
        ParentChart()->SetBooleanProperty(m_transparent, Value);
    else
        m_transparent = Value;
}

void TPlotCustomShape::SetFont(const TPlotFont* Value)
{
    if (Value && Value != m_font.get())
        m_font->Assign(*Value);
}

TPlotShadow* TPlotCustomShape::Shadow()
{
    if (!m_shadow) {
        m_shadow = std::make_unique<TPlotShadow>([this] { CanvasChanged(); });
        InitShadow(*m_shadow);
    }
    return m_shadow.get();
}

void TPlotCustomShape::InitShadow(TPlotShadow& Shadow)
{
    const auto notify = std::move(Shadow.OnChange);
    Shadow.InitColor(clBlack);
    Shadow.InitSize(3);
    Shadow.SetColor(clBlack);
    Shadow.SetHorizSize(3);
    Shadow.SetVertSize(3);
    Shadow.OnChange = notify;
}

void TPlotCustomShape::SetShadow(const TPlotShadow* Value)
{
    if (!Value)
        m_shadow.reset();
    else if (Value != m_shadow.get())
        Shadow()->Assign(Value);
}

std::unique_ptr<TCustomPlotGradient> TPlotCustomShape::CreateGradient()
{
    return std::make_unique<TPlotGradient>();
}

TCustomPlotGradient* TPlotCustomShape::Gradient()
{
    if (!m_gradient) {
        m_gradient = CreateGradient();
        m_gradient->OnChange = [this] { CanvasChanged(); };
    }
    return m_gradient.get();
}

void TPlotCustomShape::SetGradient(const TCustomPlotGradient* Value)
{
    if (!Value)
        m_gradient.reset();
    else if (Value != m_gradient.get())
        Gradient()->Assign(*Value);
}

TBackImage* TPlotCustomShape::Picture()
{
    if (!m_picture) {
        m_picture = std::make_unique<TBackImage>();
        m_picture->OnChange = [this] { CanvasChanged(); };
    }
    return m_picture.get();
}

void TPlotCustomShape::SetPicture(const TBackImage* Value)
{
    if (!Value) {
        if (m_picture) {
            m_picture.reset();
            Changed();
        }
    } else if (Value != m_picture.get()) {
        Picture()->Assign(Value);
    }
}

void TPlotCustomShape::Assign(const TPlotCustomShapeBrushPen& Source)
{
    if (&Source == this)
        return;
    if (const auto* shape = dynamic_cast<const TPlotCustomShape*>(&Source)) {
        m_bevel = shape->m_bevel;
        m_bevelWidth = shape->m_bevelWidth;
        m_color = shape->m_color;
        m_font->Assign(*shape->m_font);
        SetGradient(shape->m_gradient.get());
        m_shapeStyle = shape->m_shapeStyle;
        SetPicture(shape->m_picture.get());
        m_roundSize = shape->m_roundSize;
        SetShadow(shape->m_shadow.get());
        m_textFormat = shape->m_textFormat;
        m_transparent = shape->m_transparent;
        m_transparency = shape->m_transparency;
    }
    TPlotCustomShapeBrushPen::Assign(Source);
}

// ---- drawing ----

void TPlotCustomShape::DrawOutline(TCanvas3D& Canvas, const TRect& R, bool Rotated, const TPoint (&Polygon)[4],
                                   int Z)
{
    if (Rotated) {
        Canvas.PolygonWithZ(Polygon, Z);
    } else if (Canvas.IsNonGdiCanvas()) {
        if (m_shapeStyle == fosEllipse)
            Canvas.EllipseRectWithZ(R, Z);
        else
            Canvas.RectangleWithZ(R, Z);
    } else if (m_shapeStyle == fosEllipse) {
        Canvas.EllipseRect(R);
    } else if (m_shapeStyle == fosRoundRectangle) {
        Canvas.RoundRectRect(R, m_roundSize, m_roundSize);
    } else {
        Canvas.RectangleRect(R);
    }
}

void TPlotCustomShape::DrawGradient(TCanvas3D& Canvas, const TRect& R, bool Rotated, const TPoint (&Polygon)[4],
                                    int Z)
{
    const int round = m_shapeStyle == fosRoundRectangle ? m_roundSize : 0;
    if (Rotated) {
        if (Canvas.IsNonGdiCanvas())
            m_gradient->DrawPolygonZ(Canvas, Polygon, Z);
        else
            m_gradient->DrawPolygon(Canvas, Polygon);
    } else if (Canvas.IsNonGdiCanvas()) {
        m_gradient->Draw(Canvas, Canvas.ProjectRect(R, Z), round);
    } else {
        m_gradient->Draw(Canvas, R, round);
    }
    Canvas.Brush()->SetStyle(bsClear);
}

void TPlotCustomShape::DrawInRect(const TRect& R, double Angle, int Z)
{
    TCustomPlotPanel* panel = ParentChart();
    if (!panel || m_transparent)
        return;
    TCanvas3D& c = *panel->Canvas();
    const bool rotated = Angle != 0;
    TPoint polygon[4];
    if (rotated)
        RotateRectangle(R, Angle, polygon);
    const TRect bounds = rotated ? PolygonBounds(polygon) : R;

    // a blend begun here ends here, also when drawing throws
    struct TBlendScope {
        TCanvas3D& Canvas;
        TPlotBlend* Blend = nullptr;
        ~TBlendScope()
        {
            if (Blend)
                Canvas.EndBlending(Blend);
        }
    } blend{c};
    if (m_transparency > 0)
        blend.Blend = c.BeginBlending(bounds, m_transparency);

    TChartBrush& brush = *Brush();
    if (m_shadow && m_shadow->Visible() && m_shadow->GetSize() != 0 && brush.Style() != bsClear) {
        if (m_shapeStyle == fosEllipse) {
            m_shadow->DrawEllipse(c, bounds, Z);
        } else {
            const bool gdi = !c.IsNonGdiCanvas();
            if (gdi)
                c.Begin2DSection();
            m_shadow->DrawShape(c, bounds, Z, m_shapeStyle == fosRoundRectangle ? m_roundSize : 0);
            if (gdi)
                c.End2DSection();
        }
        if (m_transparency > 0) {
            int hx = m_shadow->HorizSize();
            int vy = m_shadow->VertSize();
            if (m_shadow->GetSize() > 0 && Frame()->Visible()) {
                hx += Frame()->Width();
                vy += Frame()->Width();
            }
            c.Pen()->SetStyle(psClear);
            c.Brush()->SetStyle(bsSolid);
            c.Brush()->SetColor(m_shadow->Color());
            const TRect moved{R.Left + hx, R.Top + vy, R.Right + hx, R.Bottom + vy};
            TPoint movedPolygon[4];
            for (int i = 0; i < 4; ++i)
                movedPolygon[i] = TPoint{polygon[i].X + hx, polygon[i].Y + vy};
            TBlendScope shadowBlend{c};
            if (m_shadow->Transparency() > 0)
                shadowBlend.Blend = c.BeginBlending(moved, m_shadow->Transparency());
            DrawOutline(c, moved, rotated, movedPolygon, Z);
        }
    }

    if (m_picture && m_picture->HasGraphic()) {
        if (m_shapeStyle == fosEllipse)
            c.ClipEllipse(R, false);
        else if (m_shapeStyle == fosRoundRectangle)
            c.ClipRoundRectangle(R, m_roundSize);
        m_picture->Draw(*panel, R, 0);
        if (m_shapeStyle != fosRectangle)
            c.UnClip();
        c.Brush()->SetStyle(bsClear);
    } else if (m_gradient && m_gradient->Visible()) {
        DrawGradient(c, R, rotated, polygon, Z);
    } else {
        c.AssignBrushColor(&brush, m_color, brush.Color());
    }
    c.AssignPenColor(Frame(), Frame()->Color());
    DrawOutline(c, R, rotated, polygon, Z);
    if (!rotated) {
        TRect r = R;
        DrawBevel(c, m_bevel, r, m_bevelWidth, 0);
    }
    // a translucent shape whose picture has filters but no graphic filters
    // what shows through it
    if (blend.Blend && m_picture && !m_picture->HasGraphic() && m_picture->HasFilters()) {
        TBitmap background;
        background.FromDeviceBitmap(blend.Blend->Captured());
        ApplyFilters(*m_picture->Filters(), background);
        background.SetPixelFormat(pf32bit);
        blend.Blend->Captured() = background.ToDeviceBitmap();
    }
}
