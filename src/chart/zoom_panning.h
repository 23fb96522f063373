#pragma once
// State and settings of the chart's interactive zoom and panning: the drag
// rectangle, and the zoom's pen, brush and rules.
#include <memory>

#include "chart/chart_input.h"
#include "chart/chart_pen.h"
#include "chart/property_model.h"

// A drag in progress: active flag and rectangle (pixels).
class TZoomPanning {
public:
    virtual ~TZoomPanning() = default;

    // Starts a drag at (X, Y).
    void Activate(int X, int Y);
    // Orders the corners so that X0 <= X1 and Y0 <= Y1.
    void Check();

    bool Active = false;
    int X0 = 0;
    int Y0 = 0;
    int X1 = 0;
    int Y1 = 0;
};

// The zoom rectangle's pen: white unless changed.
class TPlotZoomPen : public TChartPen {
public:
    explicit TPlotZoomPen(std::function<void()> onChange = {});
};

// The zoom rectangle's brush: white, clear.
class TPlotZoomBrush : public TChartBrush {
public:
    explicit TPlotZoomBrush(std::function<void()> onChange = {});
};

enum TPlotZoomDirection : std::uint8_t { tzdHorizontal, tzdVertical, tzdBoth };
inline constexpr const char* PlotZoomDirectionNames[] = {"tzdHorizontal", "tzdVertical", "tzdBoth"};
inline constexpr const char* MouseButtonNames[] = {"mbLeft", "mbRight", "mbMiddle"};

class TPlotZoom : public TZoomPanning {
public:
    TPlotZoom();
    ~TPlotZoom() override;

    static const TPropertyTable<TPlotZoom>& Properties();

    bool Allow = true;
    bool Animated = false;
    int AnimatedSteps = 8;
    TPlotZoomDirection Direction = tzdBoth;
    TShiftState KeyShift = 0;
    int MinimumPixels = 16;
    TMouseButton MouseButton = mbLeft;
    bool UpLeftZooms = false;

    // Each created on first read.
    TPlotZoomBrush* Brush();
    TPlotZoomPen* Pen();
    TPlotZoomBrush* BrushIfAny() const { return m_brush.get(); }
    TPlotZoomPen* PenIfAny() const { return m_pen.get(); }
    // Copies into the own object; nullptr frees it.
    void SetBrush(const TPlotZoomBrush* value);
    void SetPen(const TPlotZoomPen* value);

    // Allow, Animated, AnimatedSteps, Brush, Direction, KeyShift, MouseButton
    // and Pen; not MinimumPixels nor UpLeftZooms.
    void Assign(const TPlotZoom& source);

private:
    std::unique_ptr<TPlotZoomBrush> m_brush;
    std::unique_ptr<TPlotZoomPen> m_pen;
};
