#include "chart/axis_title.h"

#include "chart/plot_procs.h"

TChartAxisTitle::TChartAxisTitle(TCustomPlotPanel* Owner) : TPlotCustomShape(Owner)
{
    InitTransparent(true);
}

const TPropertyTable<TPlotCustomShapeBrushPen>& TChartAxisTitle::Properties()
{
    using T = TChartAxisTitle;
    static const TPropertyTable<TPlotCustomShapeBrushPen> table =
        TPropertyTable<TPlotCustomShapeBrushPen>::Of<T>(TPlotCustomShape::Properties())
            .Property("Angle", IntegerKind, TAccessors{&T::Angle, &T::SetAngle}, TInstanceDefault{&T::DefaultAngle})
            .Property("Caption", StringKind, TAccessors{&T::Caption, &T::SetCaption}, std::string());
    return table;
}

void TChartAxisTitle::SetAngle(int Value)
{
    Value %= 360;
    if (Value < 0)
        Value += 360;
    if (Value == m_angle)
        return;
    m_angle = Value;
    CanvasChanged();
}

void TChartAxisTitle::InitAngle(int Value)
{
    SetAngle(Value);
    m_defaultAngle = m_angle;
}

void TChartAxisTitle::SetCaption(const std::string& Value)
{
    if (Value == m_caption)
        return;
    m_caption = Value;
    CanvasChanged();
}

void TChartAxisTitle::Assign(const TPlotCustomShapeBrushPen& Source)
{
    if (const auto* t = dynamic_cast<const TChartAxisTitle*>(&Source)) {
        m_angle = t->m_angle;
        m_caption = t->m_caption;
    }
    TPlotCustomShape::Assign(Source);
}

bool TChartAxisTitle::Clicked(int X, int Y) const
{
    if (!Visible() || m_caption.empty())
        return false;
    const TPoint p{X, Y};
    if (m_angle == 0)
        return X >= ShapeBounds.Left && X <= ShapeBounds.Right && Y >= ShapeBounds.Top && Y <= ShapeBounds.Bottom;
    TPoint corners[4];
    RotateRectangle(ShapeBounds, m_angle, corners);
    return PointInPolygon(p, corners);
}
