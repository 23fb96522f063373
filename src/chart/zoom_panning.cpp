#include "chart/zoom_panning.h"

#include <utility>

#include "chart/appearance_properties.h"

void TZoomPanning::Activate(int X, int Y)
{
    X0 = X1 = X;
    Y0 = Y1 = Y;
    Active = true;
}

void TZoomPanning::Check()
{
    if (X0 > X1)
        std::swap(X0, X1);
    if (Y0 > Y1)
        std::swap(Y0, Y1);
}

TPlotZoomPen::TPlotZoomPen(std::function<void()> onChange) : TChartPen(std::move(onChange))
{
    InitColor(clWhite);
}

TPlotZoomBrush::TPlotZoomBrush(std::function<void()> onChange) : TChartBrush(std::move(onChange))
{
    InitColor(clWhite);
    InitStyle(bsClear);
}

namespace {

// The zoom brush's stream writes Color and Style after Image.
const TPropertyTable<TChartBrush>& ZoomBrushProperties()
{
    static const TPropertyTable<TChartBrush> table =
        TPropertyTable<TChartBrush>::Of(&ChartBrushProperties())
            .Hide({"Color", "Style"})
            .Property("Color", ColorKind, TAccessors{&TChartBrush::Color, &TChartBrush::SetColor},
                      TInstanceDefault{&TChartBrush::DefaultColor})
            .Property("Style", EnumKind(BrushStyleNames), TAccessors{&TChartBrush::Style, &TChartBrush::SetStyle},
                      TInstanceDefault{&TChartBrush::DefaultStyle});
    return table;
}

// KeyShift as a set of identifiers.
void WriteKeyShift(const TPlotZoom& Zoom, TPropertyWriter& Writer)
{
    Writer.WriteValueType(vaSet);
    for (std::size_t i = 0; i < std::size(ShiftStateNames); ++i)
        if (Zoom.KeyShift & (1u << i))
            Writer.WritePropName(ShiftStateNames[i]);
    Writer.WritePropName("");
}

void ReadKeyShift(TPlotZoom& Zoom, TPropertyReader& Reader)
{
    if (Reader.ReadValueType() != vaSet)
        InvalidPropertyValue();
    TShiftState value = 0;
    for (std::string name = Reader.ReadPropName(); !name.empty(); name = Reader.ReadPropName()) {
        std::size_t i = 0;
        while (i < std::size(ShiftStateNames) && !property_detail::SameName(ShiftStateNames[i], name))
            ++i;
        if (i == std::size(ShiftStateNames))
            InvalidPropertyValue();
        value |= static_cast<TShiftState>(1u << i);
    }
    Zoom.KeyShift = value;
}

}  // namespace

TPlotZoom::TPlotZoom() = default;
TPlotZoom::~TPlotZoom() = default;

const TPropertyTable<TPlotZoom>& TPlotZoom::Properties()
{
    using Z = TPlotZoom;
    static const TPropertyTable<Z> table =
        TPropertyTable<Z>::Of()
            .Property("Allow", BooleanKind, &Z::Allow, true)
            .Property("Animated", BooleanKind, &Z::Animated, false)
            .Property("AnimatedSteps", IntegerKind, &Z::AnimatedSteps, 8)
            .Object(
                "Brush", [](const Z& z) -> const TChartBrush* { return z.BrushIfAny(); },
                [](Z& z) -> TChartBrush* { return z.Brush(); }, [](Z& z) { z.SetBrush(nullptr); },
                ZoomBrushProperties())
            .Property("Direction", EnumKind(PlotZoomDirectionNames), &Z::Direction, tzdBoth)
            .Defined("KeyShift", &WriteKeyShift, &ReadKeyShift, [](const Z& z) { return z.KeyShift != 0; })
            .Property("MinimumPixels", IntegerKind, &Z::MinimumPixels, 16)
            .NotAssigned()
            .Property("MouseButton", EnumKind(MouseButtonNames), &Z::MouseButton, mbLeft)
            .Object(
                "Pen", [](const Z& z) -> const TChartPen* { return z.PenIfAny(); },
                [](Z& z) -> TChartPen* { return z.Pen(); }, [](Z& z) { z.SetPen(nullptr); }, ChartPenProperties())
            .Property("UpLeftZooms", BooleanKind, &Z::UpLeftZooms, false)
            .NotAssigned();
    return table;
}

TPlotZoomBrush* TPlotZoom::Brush()
{
    if (!m_brush)
        m_brush = std::make_unique<TPlotZoomBrush>();
    return m_brush.get();
}

TPlotZoomPen* TPlotZoom::Pen()
{
    if (!m_pen)
        m_pen = std::make_unique<TPlotZoomPen>();
    return m_pen.get();
}

void TPlotZoom::SetBrush(const TPlotZoomBrush* value)
{
    if (!value)
        m_brush.reset();
    else if (value != m_brush.get())
        Brush()->Assign(*value);
}

void TPlotZoom::SetPen(const TPlotZoomPen* value)
{
    if (!value)
        m_pen.reset();
    else if (value != m_pen.get())
        Pen()->Assign(*value);
}

void TPlotZoom::Assign(const TPlotZoom& source)
{
    Properties().Assign(*this, source);
    KeyShift = source.KeyShift;
}
