#include "chart/shape_position.h"

TPlotCustomShapePosition::TPlotCustomShapePosition(TCustomPlotPanel* Owner) : TPlotCustomShape(Owner) {}

const TPropertyTable<TPlotCustomShapeBrushPen>& TPlotCustomShapePosition::Properties()
{
    using S = TPlotCustomShapePosition;
    static const TPropertyTable<TPlotCustomShapeBrushPen> table =
        TPropertyTable<TPlotCustomShapeBrushPen>::Of<S>(TPlotCustomShape::Properties())
            .Property("CustomPosition", BooleanKind, TAccessors{&S::CustomPosition, &S::SetCustomPosition},
                      TInstanceDefault{&S::DefaultCustomPosition})
            .Property("Left", IntegerKind, TAccessors{&S::Left, &S::SetLeft}, TStoredWhen{&S::CustomPosition})
            .NotAssigned()
            .Property("Top", IntegerKind, TAccessors{&S::Top, &S::SetTop}, TStoredWhen{&S::CustomPosition})
            .NotAssigned();
    return table;
}

void TPlotCustomShapePosition::SetCustomPosition(bool Value)
{
    if (ParentChart())
        ParentChart()->SetBooleanProperty(m_customPosition, Value);
    else
        m_customPosition = Value;
}

void TPlotCustomShapePosition::SetEdge(int& Edge, int Value)
{
    const bool changed = Edge != Value || !m_customPosition;
    Edge = Value;
    m_customPosition = true;
    if (changed)
        Repaint();
}

void TPlotCustomShapePosition::SetLeft(int Value)
{
    SetEdge(ShapeBounds.Left, Value);
}

void TPlotCustomShapePosition::SetTop(int Value)
{
    SetEdge(ShapeBounds.Top, Value);
}

void TPlotCustomShapePosition::Assign(const TPlotCustomShapeBrushPen& Source)
{
    if (&Source == this)
        return;
    if (const auto* s = dynamic_cast<const TPlotCustomShapePosition*>(&Source)) {
        m_customPosition = s->m_customPosition;
        if (m_customPosition) {
            ShapeBounds.Left = s->ShapeBounds.Left;
            ShapeBounds.Top = s->ShapeBounds.Top;
        }
    }
    TPlotCustomShape::Assign(Source);
}
