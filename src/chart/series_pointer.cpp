#include "chart/series_pointer.h"

#include <utility>

#include "chart/appearance_properties.h"
#include "chart/chart_exceptions.h"
#include "chart/chart_messages.h"
#include "chart/chart_series.h"
#include "chart/view3d_options.h"

TSeriesPointer::TSeriesPointer(TChartSeries* Series)
    : TPlotCustomShapeBrushPen(Series && Series->ParentChart() ? Series->ParentChart()->Panel() : nullptr),
      m_series(Series),
      m_gradient(std::make_unique<TPlotGradient>([this] { CanvasChanged(); })),
      m_shadow(std::make_unique<TPlotShadow>([this] { CanvasChanged(); }))
{
    m_shadow->InitSize(3);
    m_shadow->InitVisible(false);
}

TSeriesPointer::~TSeriesPointer() = default;

const TPropertyTable<TPlotCustomShapeBrushPen>& TSeriesPointer::Properties()
{
    using S = TSeriesPointer;
    static const TPropertyTable<TPlotCustomShapeBrushPen> table =
        TPropertyTable<TPlotCustomShapeBrushPen>::Of<S>(TPlotCustomShapeBrushPen::Properties())
            .Property("Dark3D", BooleanKind, TAccessors{&S::Dark3D, &S::SetDark3D}, true)
            .Property("Draw3D", BooleanKind, TAccessors{&S::Draw3D, &S::SetDraw3D},
                      TInstanceDefault{[](const S& s) { return s.DefaultDraw3D(); }})
            .Object(
                "Gradient", [](const S& s) -> const TCustomPlotGradient* { return s.Gradient(); },
                [](S& s) -> TCustomPlotGradient* { return s.Gradient(); }, nullptr, PlotGradientProperties())
            .Property("HorizSize", IntegerKind, TAccessors{&S::HorizSize, &S::SetHorizSize}, 4)
            .Property("InflateMargins", BooleanKind, TAccessors{&S::InflateMargins, &S::SetInflateMargins}, true)
            .Object(
                "Pen", [](const S& s) -> const TChartPen* { return s.Pen(); },
                [](S& s) -> TChartPen* { return s.Pen(); }, nullptr, ChartPenProperties())
            .Object(
                "Shadow", [](const S& s) -> const TPlotShadow* { return s.Shadow(); },
                [](S& s) -> TPlotShadow* { return s.Shadow(); }, nullptr, PlotShadowProperties())
            .Property("Style", EnumKind(SeriesPointerStyleNames), TAccessors{&S::Style, &S::SetStyle}, psRectangle)
            .Property("Transparency", IntegerKind, TAccessors{&S::Transparency, &S::SetTransparency}, 0)
            .Property("VertSize", IntegerKind, TAccessors{&S::VertSize, &S::SetVertSize}, 4);
    return table;
}

TCustomPlotPanel* TSeriesPointer::Panel() const
{
    if (m_series && m_series->ParentChart())
        return m_series->ParentChart()->Panel();
    return ParentChart();
}

void TSeriesPointer::CanvasChanged()
{
    if (m_series)
        m_series->Repaint();
    else
        TPlotCustomShapeBrushPen::CanvasChanged();
}

void TSeriesPointer::SetGradient(const TCustomPlotGradient* Value)
{
    if (Value && Value != m_gradient.get())
        m_gradient->Assign(*Value);
}

void TSeriesPointer::SetShadow(const TPlotShadow* Value)
{
    if (Value && Value != m_shadow.get())
        m_shadow->Assign(Value);
}

void TSeriesPointer::SetHorizSize(int Value)
{
    if (Value < 1)
        throw ChartException(PlotMsgPointerSize);
    SetValue(m_horizSize, Value);
}

void TSeriesPointer::SetVertSize(int Value)
{
    if (Value < 1)
        throw ChartException(PlotMsgPointerSize);
    SetValue(m_vertSize, Value);
}

void TSeriesPointer::SetSize(int Value)
{
    SetHorizSize(Value);
    SetVertSize(Value);
}

void TSeriesPointer::SetColor(TColor Value)
{
    Brush()->SetColor(Value);
}

int TSeriesPointer::StartZ() const
{
    return m_series ? m_series->StartZ() : 0;
}

int TSeriesPointer::MiddleZ() const
{
    return m_series ? m_series->MiddleZ() : 0;
}

int TSeriesPointer::EndZ() const
{
    return m_series ? m_series->EndZ() : 0;
}

void TSeriesPointer::GetHorizMargins(int& Left, int& Right) const
{
    if (!Visible() || !m_inflateMargins)
        return;
    Left = std::max(Left, m_horizSize + 1);
    Right = std::max(Right, m_horizSize + 1);
}

void TSeriesPointer::GetVertMargins(int& Top, int& Bottom) const
{
    if (!Visible() || !m_inflateMargins)
        return;
    Top = std::max(Top, m_vertSize + 1);
    Bottom = std::max(Bottom, m_vertSize + 1);
}

void TSeriesPointer::PrepareCanvas(TCanvas3D& Surface, TColor Colour) const
{
    TChartPen* pen = Pen();
    if (!pen->Visible())
        Surface.Pen()->SetStyle(psClear);
    else
        Surface.AssignPenColor(pen, pen->Color() == clDefault ? Colour : pen->Color());
    TChartBrush* brush = Brush();
    TColor color = brush->Color();
    if (color == clDefault)
        color = brush->Style() == bsSolid ? Colour : brush->BackColor();
    Surface.AssignBrushColor(brush, color, Colour);
}

void TSeriesPointer::Draw(int X, int Y, TColor Colour, TSeriesPointerStyle Style)
{
    TCustomPlotPanel* panel = Panel();
    if (!panel || !panel->Canvas())
        return;
    DrawPointer(*panel->Canvas(), panel->View3D(), X, Y, m_horizSize, m_vertSize, Colour, Style);
}

bool TSeriesPointer::Orthogonal() const
{
    TCustomPlotPanel* panel = Panel();
    return !panel || !panel->View3DOptions() || panel->View3DOptions()->Orthogonal();
}

void TSeriesPointer::DrawShadow(TCanvas3D& Surface, bool Is3D, const TRect& R, TSeriesPointerStyle Style, int Z0)
{
    if (Style != psRectangle && Style != psCircle && Style != psHexagon)
        return;
    const TColor brushColor = Surface.Brush()->Color();
    const TBrushStyle brushStyle = Surface.Brush()->Style();
    const TPenStyle penStyle = Surface.Pen()->Style();
    if (Style == psRectangle) {
        m_shadow->DrawShape(Surface, R, Is3D ? Z0 : 0, 0);
    } else if (Style == psCircle) {
        m_shadow->DrawEllipse(Surface, R, Is3D ? Z0 : 0);
    } else {
        const int x = (R.Left + R.Right) / 2;
        const int y = (R.Top + R.Bottom) / 2;
        const int h2 = (R.Bottom - R.Top) / 2 / 2;
        std::vector<TPoint> p = {{x, R.Top},      {R.Right, y - h2}, {R.Right, y + h2},
                                 {x, R.Bottom},   {R.Left, y + h2},  {R.Left, y - h2}};
        if (Is3D) {
            std::vector<TPoint> projected;
            Surface.ProjectPoints(p, Z0, projected);
            p.swap(projected);
        }
        m_shadow->DrawPolygon(Surface, p);
    }
    Surface.Brush()->SetColor(brushColor);
    Surface.Brush()->SetStyle(brushStyle);
    Surface.Pen()->SetStyle(penStyle);
}

void TSeriesPointer::DrawPointer(TCanvas3D& Surface, bool Is3D, int X, int Y, int W, int H, TColor Colour,
                                 TSeriesPointerStyle Style)
{
    const int left = X - W;
    const int right = X + W;
    const int top = Y - H;
    const int bottom = Y + H;
    const int z0 = StartZ();
    const int z1 = EndZ();

    if (m_shadow->Visible() && m_shadow->GetSize() != 0)
        DrawShadow(Surface, Is3D, TRect{left, top, right, bottom}, Style, z0);

    TPlotBlend* blend = nullptr;
    if (m_transparency > 0) {
        TRect r{left, top, right + 1, bottom + 1};
        if (Is3D && Style == psRectangle && m_draw3D && Orthogonal()) {
            r.Right += z1 - z0;
            r.Top -= z1 - z0;
        }
        if (Is3D)
            r = Surface.ProjectRect(r, z0);
        blend = Surface.BeginBlending(r, m_transparency);
    }

    DrawShape(Surface, Is3D, X, Y, W, H, Style);
    if (m_gradient->Visible())
        DrawGradient(Surface, Is3D, X, Y, W, H, Colour, Style);

    if (blend)
        Surface.EndBlending(blend);
}

void TSeriesPointer::DrawShape(TCanvas3D& Surface, bool Is3D, int X, int Y, int W, int H, TSeriesPointerStyle Style)
{
    const int left = X - W;
    const int right = X + W;
    const int top = Y - H;
    const int bottom = Y + H;
    const int z0 = StartZ();
    const int zm = MiddleZ();
    const int z1 = EndZ();

    const auto polygon = [&](std::initializer_list<TPoint> Points) {
        const std::span<const TPoint> p(Points.begin(), Points.size());
        if (Is3D)
            Surface.PolygonWithZ(p, z0);
        else
            Surface.Polygon(p);
    };
    const auto cross = [&] {
        if (Is3D) {
            Surface.VertLine3D(X, top, bottom + 1, z0);
            Surface.HorizLine3D(left, right + 1, Y, z0);
        } else {
            Surface.VertLine(X, top, bottom + 1);
            Surface.HorizLine(left, right + 1, Y);
        }
    };
    const auto diagCross = [&] {
        if (Is3D) {
            Surface.LineWithZ(left, top, right + 1, bottom + 1, z0);
            Surface.LineWithZ(right, top, left - 1, bottom + 1, z0);
        } else {
            Surface.Line(left, top, right + 1, bottom + 1);
            Surface.Line(right, top, left - 1, bottom + 1);
        }
    };
    const auto triangle = [&](int h) {
        if (Is3D && m_draw3D)
            Surface.Pyramid(true, left, Y - h, right, Y + h, z0, z1, m_dark3D);
        else
            polygon({{left, Y + h}, {right, Y + h}, {X, Y - h}});
    };

    switch (Style) {
    case psRectangle:
        if (Is3D && m_draw3D)
            Surface.Cube(left, right, top, bottom, z0, z1, m_dark3D);
        else if (Is3D)
            Surface.RectangleWithZ(TRect{left, top, right + 1, bottom + 1}, z0);
        else
            Surface.Rectangle(left, top, right + 1, bottom + 1);
        break;
    case psCircle:
        if (Is3D && m_draw3D && Surface.IsNonGdiCanvas())
            Surface.CircleWithZ(X, Y, zm, W);
        else if (Is3D)
            Surface.EllipseWithZ(left, top, right, bottom, z0);
        else
            Surface.Ellipse(left, top, right, bottom);
        break;
    case psTriangle:
        triangle(H);
        break;
    case psDownTriangle:
        triangle(-H);
        break;
    case psLeftTriangle:
        polygon({{left, Y}, {right, top}, {right, bottom}});
        break;
    case psRightTriangle:
        polygon({{right, Y}, {left, top}, {left, bottom}});
        break;
    case psCross:
        cross();
        break;
    case psDiagCross:
        diagCross();
        break;
    case psStar:
        cross();
        diagCross();
        break;
    case psDiamond:
        polygon({{left, Y}, {X, top}, {right, Y}, {X, bottom}});
        break;
    case psSmallDot:
        if (Is3D)
            Surface.SetPixel3D(X, Y, zm, Surface.Brush()->Color());
        else
            Surface.SetPixel(X, Y, Surface.Brush()->Color());
        break;
    case psNothing:
        break;
    case psHexagon:
        polygon({{X, top}, {right, Y - H / 2}, {right, Y + H / 2}, {X, bottom}, {left, Y + H / 2},
                 {left, Y - H / 2}});
        break;
    }
}

void TSeriesPointer::DrawGradient(TCanvas3D& Surface, bool Is3D, int X, int Y, int W, int H, TColor Colour,
                                  TSeriesPointerStyle Style)
{
    if (!KeepsGradientColors()) {
        const auto onChange = std::exchange(m_gradient->OnChange, {});
        m_gradient->SetEndColor(Colour);
        m_gradient->OnChange = onChange;
    }
    const int z0 = StartZ();
    const int penWidth = Pen()->Visible() ? Pen()->Width() : 0;
    TRect r{X - W + penWidth, Y - H + penWidth, X + W, Y + H};

    if (Style == psRectangle && Is3D && !Orthogonal()) {
        r.Right -= penWidth;
        r.Bottom -= penWidth;
        const TPoint corners[4] = {{r.Left, r.Top}, {r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left, r.Bottom}};
        m_gradient->DrawPolygonZ(Surface, corners, z0);
        return;
    }
    if (Is3D)
        r = Surface.ProjectRect(r, z0);
    const int xm = (r.Left + r.Right) / 2;
    const int ym = (r.Top + r.Bottom) / 2;
    const auto clipPolygon = [&](std::initializer_list<TPoint> Points) {
        const std::span<const TPoint> p(Points.begin(), Points.size());
        Surface.ClipPolygon(p, static_cast<int>(p.size()), false);
    };
    switch (Style) {
    case psRectangle:
        Surface.ClipRectangle(r);
        break;
    case psCircle:
        Surface.ClipEllipse(r, false);
        break;
    case psTriangle:
        if (m_draw3D)
            return;
        clipPolygon({{r.Left, r.Bottom}, {r.Right, r.Bottom}, {xm, r.Top}});
        break;
    case psDownTriangle:
        if (m_draw3D)
            return;
        clipPolygon({{r.Left, r.Top}, {r.Right, r.Top}, {xm, r.Bottom}});
        break;
    case psLeftTriangle:
        clipPolygon({{r.Left, ym}, {r.Right, r.Top}, {r.Right, r.Bottom}});
        break;
    case psRightTriangle:
        clipPolygon({{r.Right, ym}, {r.Left, r.Top}, {r.Left, r.Bottom}});
        break;
    case psHexagon: {
        const int h2 = (r.Bottom - r.Top) / 2 / 2;
        clipPolygon({{xm, r.Top}, {r.Right, ym - h2}, {r.Right, ym + h2}, {xm, r.Bottom}, {r.Left, ym + h2},
                     {r.Left, ym - h2}});
        break;
    }
    case psDiamond: {
        const TPoint p[] = {{r.Left, ym}, {xm, r.Top}, {r.Right, ym}, {xm, r.Bottom}};
        m_gradient->DrawPolygon(Surface, p);
        return;
    }
    default:
        return;
    }
    m_gradient->Draw(Surface, r);
    Surface.UnClip();
}

void TSeriesPointer::Assign(const TPlotCustomShapeBrushPen& Source)
{
    if (&Source == this)
        return;
    if (const auto* s = dynamic_cast<const TSeriesPointer*>(&Source)) {
        m_dark3D = s->m_dark3D;
        m_draw3D = s->m_draw3D;
        m_gradient->Assign(*s->m_gradient);
        m_horizSize = s->m_horizSize;
        m_inflateMargins = s->m_inflateMargins;
        m_shadow->Assign(s->m_shadow.get());
        m_style = s->m_style;
        m_transparency = s->m_transparency;
        m_vertSize = s->m_vertSize;
    }
    TPlotCustomShapeBrushPen::Assign(Source);
}
