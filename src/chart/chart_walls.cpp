#include "chart/chart_walls.h"

#include <cstdlib>

#include "chart/appearance_properties.h"
#include "chart/axis_panel.h"
#include "chart/view3d_options.h"

// ---- TCustomChartWall ----

TCustomChartWall::TCustomChartWall(TCustomAxisPanel* Chart) : TPlotCustomShape(Chart), m_chart(Chart)
{
    // a wall starts without a colour of its own
    InitColor(clDefault);
}

const TPropertyTable<TPlotCustomShapeBrushPen>& TCustomChartWall::Properties()
{
    using S = TCustomChartWall;
    static const TPropertyTable<TPlotCustomShapeBrushPen> table =
        TPropertyTable<TPlotCustomShapeBrushPen>::Of<S>(TPlotCustomShapeBrushPen::Properties())
            .Property("AutoHide", BooleanKind, TAccessors{&S::AutoHide, &S::SetAutoHide}, false)
            .Property("Color", ColorKind, TAccessors{&S::Color, &S::SetColor},
                      TInstanceDefault{&S::DefaultColor})
            .Property("Dark3D", BooleanKind, TAccessors{&S::Dark3D, &S::SetDark3D}, true)
            .Property("EndPosition", IntegerKind, TAccessors{&S::EndPosition, &S::SetEndPosition}, 100)
            .Object(
                "Gradient", [](const S& s) -> const TCustomPlotGradient* { return s.GradientIfAny(); },
                [](S& s) -> TCustomPlotGradient* { return s.Gradient(); }, [](S& s) { s.SetGradient(nullptr); },
                PlotGradientProperties())
            .Object(
                "Pen", [](const S& s) -> const TChartPen* { return s.Pen(); },
                [](S& s) -> TChartPen* { return s.Pen(); }, nullptr, ChartPenProperties())
            .Property("Size", IntegerKind, TAccessors{&S::Size, &S::SetSize}, 0)
            .Property("StartPosition", IntegerKind, TAccessors{&S::StartPosition, &S::SetStartPosition}, 0)
            .Property("Transparency", IntegerKind, TAccessors{&S::Transparency, &S::SetTransparency},
                      TInstanceDefault{&S::DefaultTransparency})
            .Property("Transparent", BooleanKind, TAccessors{&S::Transparent, &S::SetTransparent},
                      TInstanceDefault{&S::DefaultTransparent});
    return table;
}

bool TCustomChartWall::Drawable() const
{
    return m_chart && m_chart->View3DWalls() && Visible() && !m_autoHide;
}

bool TCustomChartWall::HasDarkSides() const
{
    const TChartBrush* brush = Brush();
    return brush->Style() != bsClear && !brush->HasImage() && m_dark3D;
}

void TCustomChartWall::Assign(const TPlotCustomShapeBrushPen& Source)
{
    if (&Source == this)
        return;
    if (const auto* s = dynamic_cast<const TCustomChartWall*>(&Source)) {
        m_autoHide = s->m_autoHide;
        m_dark3D = s->m_dark3D;
        m_endPosition = s->m_endPosition;
        m_size = s->m_size;
        m_startPosition = s->m_startPosition;
    }
    TPlotCustomShape::Assign(Source);
}

TChartWall::TChartWall(TCustomAxisPanel* Chart, TColor Colour) : TCustomChartWall(Chart)
{
    InitColor(Colour);
}

// ---- TChartBackWall ----

TChartBackWall::TChartBackWall(TCustomAxisPanel* Chart) : TChartWall(Chart, clSilver)
{
    InitTransparent(true);
    InitShadow(*Shadow());
}

const TPropertyTable<TPlotCustomShapeBrushPen>& TChartBackWall::Properties()
{
    using S = TChartBackWall;
    static const TPropertyTable<TPlotCustomShapeBrushPen> table =
        TPropertyTable<TPlotCustomShapeBrushPen>::Of<S>(TCustomChartWall::Properties())
            .Object(
                "Picture", [](const S& s) -> const TBackImage* { return s.PictureIfAny(); },
                [](S& s) -> TBackImage* { return s.Picture(); }, [](S& s) { s.SetPicture(nullptr); },
                TBackImage::Properties())
            .Object(
                "Shadow", [](const S& s) -> const TPlotShadow* { return s.ShadowIfAny(); },
                [](S& s) -> TPlotShadow* { return s.Shadow(); }, [](S& s) { s.SetShadow(nullptr); },
                PlotShadowProperties());
    return table;
}

void TChartBackWall::InitShadow(TPlotShadow& Shadow)
{
    TChartWall::InitShadow(Shadow);
    Shadow.InitColor(clGray);
    Shadow.InitVisible(false);
}

// ---- TChartWalls ----

TChartWalls::TChartWalls(TCustomAxisPanel* Chart)
    : m_chart(Chart),
      m_back(std::make_unique<TChartBackWall>(Chart)),
      m_bottom(std::make_unique<TChartBottomWall>(Chart, clWhite)),
      m_left(std::make_unique<TChartLeftWall>(Chart, 8454143)),  // light yellow
      m_right(std::make_unique<TChartRightWall>(Chart, clSilver))
{
    m_right->InitVisible(false);
}

TChartWalls::~TChartWalls() = default;

void TChartWalls::Assign(const TChartWalls& Source)
{
    m_back->Assign(*Source.m_back);
    m_bottom->Assign(*Source.m_bottom);
    m_left->Assign(*Source.m_left);
    m_right->Assign(*Source.m_right);
}

void TChartWalls::SideExtent(const TCustomChartWall& Wall, int& Top, int& Bottom) const
{
    const TRect& cr = m_chart->ChartRect;
    Bottom = cr.Bottom;
    if (const TChartAxis* axis = m_chart->StandardAxis(TStandardAxis::Bottom))
        Bottom += m_chart->AxisWallSize(*axis);
    if (Wall.EndPosition() != 100)
        Bottom -= Nearest((Bottom - cr.Top) * (100 - Wall.EndPosition()) * 0.01);
    Top = cr.Top;
    if (Wall.StartPosition() != 0)
        Top += Nearest((cr.Bottom - Top) * Wall.StartPosition() * 0.01);
}

void TChartWalls::Prepare(TCustomChartWall& Wall)
{
    TCanvas3D& c = *m_chart->Canvas();
    c.AssignPen(Wall.Pen());
    if (Wall.Transparent())
        c.Brush()->SetStyle(bsClear);
    else
        m_chart->ApplyBrush(Wall.Color(), Wall.Brush(), m_chart->GetBackColor());
}

TPlotBlend* TChartWalls::TranslucencyAndGradient(TCustomChartWall& Wall, const TPoint3D (&Face)[4])
{
    if (Wall.Transparent() || (Wall.Transparency() == 0 && !Wall.HasGradient()))
        return nullptr;
    TCanvas3D& c = *m_chart->Canvas();
    TPoint p[4];
    for (int k = 0; k < 4; ++k)
        c.Project(Face[k].X, Face[k].Y, Face[k].Z, p[k]);
    TPlotBlend* blend = nullptr;
    if (Wall.Transparency() != 0)
        blend = c.BeginBlending(PolygonRect(p, 4), Wall.Transparency());
    if (Wall.HasGradient()) {
        Wall.Gradient()->DrawPolygon(c, p);
        c.Brush()->SetStyle(bsClear);
    }
    return blend;
}

bool TChartWalls::SideOnViewerSide(int X) const
{
    const int depth = m_chart->Width3D + (m_back->Visible() ? m_back->Size() : 0);
    TCanvas3D& c = *m_chart->Canvas();
    const int top = m_chart->ChartRect.Top;
    const int bottom = m_chart->ChartRect.Bottom;
    TPoint p[4];
    c.Project(X, top, 0, p[0]);
    c.Project(X, top, depth, p[1]);
    c.Project(X, bottom, depth, p[2]);
    c.Project(X, bottom, 0, p[3]);
    return PointsClockwiseArray(p);
}

bool TChartWalls::LeftOnViewerSide() const
{
    if (m_chart->Canvas()->IsNonGdiCanvas())
        return true;
    return SideOnViewerSide(m_chart->ChartRect.Left);
}

bool TChartWalls::RightOnViewerSide() const
{
    if (m_chart->Canvas()->IsNonGdiCanvas())
        return false;
    return !SideOnViewerSide(m_chart->ChartRect.Right);
}

void TChartWalls::DrawSide(TCustomChartWall& Wall, int X, int Depth, bool ToLeft)
{
    TCanvas3D& c = *m_chart->Canvas();
    Prepare(Wall);
    int top = 0, bottom = 0;
    SideExtent(Wall, top, bottom);
    const TPoint3D face[4] = {{X, top, 0}, {X, top, Depth}, {X, bottom, Depth}, {X, bottom, 0}};
    TPlotBlend* blend = TranslucencyAndGradient(Wall, face);
    if (Wall.Size() <= 0) {
        c.RectangleZ(X, top, bottom, 0, Depth + 1);
    } else {
        const int z1 = Depth + (m_back->Visible() ? m_back->Size() : 0);
        if (ToLeft)
            c.Cube(X - Wall.Size(), X, top, bottom, 0, z1, Wall.HasDarkSides());
        else
            c.Cube(X, X + Wall.Size(), top, bottom, 0, z1, Wall.HasDarkSides());
    }
    if (const TBackImage* picture = Wall.PictureIfAny(); picture && picture->HasGraphic())
        c.StretchDrawAtZ(TRect{0, top, Depth, bottom}, picture->Graphic(), X, 0);
    if (blend)
        c.EndBlending(blend);
}

void TChartWalls::DrawRight()
{
    if (!m_right->Visible() || !m_chart->ActiveSeriesUseAxes() || !m_chart->View3D() || !m_chart->View3DWalls())
        return;
    DrawSide(*m_right, m_chart->ChartRect.Right, m_chart->Width3D, false);
}

void TChartWalls::DrawLeft()
{
    DrawSide(*m_left, m_chart->ChartRect.Left, m_chart->Width3D, true);
}

void TChartWalls::DrawBottom()
{
    TCanvas3D& c = *m_chart->Canvas();
    const TRect& cr = m_chart->ChartRect;
    const int depth = m_chart->Width3D;
    Prepare(*m_bottom);
    const int y = cr.Bottom + (c.IsNonGdiCanvas() ? 1 : 0);
    const int z0 = Nearest(m_bottom->StartPosition() * depth * 0.01);
    const int z1 = depth - Nearest((100 - m_bottom->EndPosition()) * depth * 0.01);
    int x0 = cr.Left;
    if (m_left->Visible() && m_left->AutoHide() && LeftOnViewerSide())
        x0 -= m_left->Size();
    const int x1 = cr.Right;
    const TPoint3D face[4] = {{x0, y, z0}, {x1, y, z0}, {x1, y, z1}, {x0, y, z1}};
    TPlotBlend* blend = TranslucencyAndGradient(*m_bottom, face);
    if (m_bottom->Size() < 1)
        c.RectangleY(x0, y, x1, z0, z1);
    else
        c.Cube(x0, x1, y, y + m_bottom->Size(), z0, z1, m_bottom->HasDarkSides());
    if (const TBackImage* picture = m_bottom->PictureIfAny(); picture && picture->HasGraphic())
        c.StretchDrawAtZ(TRect{x0, z0, x1, z1}, picture->Graphic(), y, 1);
    if (blend)
        c.EndBlending(blend);
}

void TChartWalls::DrawBack()
{
    TCanvas3D& c = *m_chart->Canvas();
    const TRect& cr = m_chart->ChartRect;
    TChartBackWall& wall = *m_back;
    Prepare(wall);
    int top = 0, bottom = 0;
    SideExtent(wall, top, bottom);
    TPlotBlend* blend = nullptr;
    TRect r;
    int depth = 0;
    if (!m_chart->View3D()) {
        r = TRect{cr.Left, top, cr.Right + 1, bottom + (wall.EndPosition() == 100 ? 1 : 0)};
        if (wall.Transparency() != 0)
            blend = c.BeginBlending(r, wall.Transparency());
        if (const TPlotShadow* shadow = wall.ShadowIfAny(); shadow && shadow->Visible() && shadow->GetSize() != 0) {
            wall.Shadow()->DrawRect(c, r);
            Prepare(wall);
        }
        if (wall.HasGradient() && !wall.Transparent()) {
            wall.Gradient()->Draw(c, r);
            c.Brush()->SetStyle(bsClear);
        }
        c.RectangleRect(r);
    } else if (m_chart->View3DWalls()) {
        depth = m_chart->Width3D;
        const int thickness = depth < 0 ? -wall.Size() : wall.Size();
        r = TRect{cr.Left, top, cr.Right, bottom};
        if (m_left->Size() > 0)
            r.Left -= m_left->Size();
        const TRect projected = c.ProjectRect(r, depth);
        if (wall.Transparency() != 0)
            blend = c.BeginBlending(projected, wall.Transparency());
        if (const TPlotShadow* shadow = wall.ShadowIfAny(); shadow && shadow->Visible() && shadow->GetSize() != 0) {
            wall.Shadow()->DrawRect(c, projected);
            Prepare(wall);
        }
        if (wall.HasGradient() && !wall.Transparent()) {
            if (c.IsNonGdiCanvas()) {
                const TPoint corners[4] = {{r.Left, r.Top}, {r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left, r.Bottom}};
                wall.Gradient()->DrawPolygonZ(c, corners, depth);
            } else {
                wall.Gradient()->Draw(c, projected);
                c.Brush()->SetStyle(bsClear);
            }
        }
        if (wall.Size() < 1)
            c.RectangleWithZ(r, depth);
        else
            c.Cube(r.Left, r.Right, r.Top, r.Bottom, depth, depth + thickness, wall.HasDarkSides());
    } else {
        return;
    }
    const TBackImage* picture = wall.PictureIfAny();
    if (picture && picture->HasGraphic()) {
        c.StretchDrawAtZ(r, picture->Graphic(), depth, 2);
    } else if (m_chart->BackImageInside()) {
        TRect inside = r;
        if (wall.Pen()->Visible())
            inside = TRect{r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1};
        m_chart->DrawBackImage(inside, depth);
    }
    if (blend)
        c.EndBlending(blend);
}
