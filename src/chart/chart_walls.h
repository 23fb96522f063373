#pragma once
// The walls that frame a chart's plotting box: the back wall and, in 3D, the
// left, right and bottom walls, each a framed shape with a thickness and a
// partial extent (start and end in percent). The chart decides when each is
// drawn; the routines here draw one wall.
#include <memory>

#include "chart/plot_shape.h"
#include "chart/value_setter.h"

class TCustomAxisPanel;

class TCustomChartWall : public TPlotCustomShape {
public:
    // Chart: drawn on (not owned; may be nullptr).
    explicit TCustomChartWall(TCustomAxisPanel* Chart);

    static const TPropertyTable<TPlotCustomShapeBrushPen>& Properties();
    const TPropertyTable<TPlotCustomShapeBrushPen>& PropertyTable() const override { return Properties(); }

    bool AutoHide() const { return m_autoHide; }
    void SetAutoHide(bool Value) { SetValue(m_autoHide, Value); }
    bool Dark3D() const { return m_dark3D; }
    void SetDark3D(bool Value) { SetValue(m_dark3D, Value); }
    // Percent of the wall's extent where it ends (100: the whole height or depth).
    int EndPosition() const { return m_endPosition; }
    void SetEndPosition(int Value) { SetValue(m_endPosition, Value); }
    // Thickness in pixels; 0 draws a plane.
    int Size() const { return m_size; }
    void SetSize(int Value) { SetValue(m_size, Value); }
    int StartPosition() const { return m_startPosition; }
    void SetStartPosition(int Value) { SetValue(m_startPosition, Value); }
    TCustomAxisPanel* Chart() const { return m_chart; }

    // The chart's View3DWalls is on, the wall Visible and not AutoHide.
    bool Drawable() const;
    // Solid brush without a bitmap, and Dark3D.
    bool HasDarkSides() const;
    bool HasGradient() const { return GradientIfAny() && GradientIfAny()->Visible(); }

    void Assign(const TPlotCustomShapeBrushPen& Source) override;

protected:
    template <typename T>
    void SetValue(T& Field, const T& Value)
    {
        UpdateValue(Field, Value, [this] { CanvasChanged(); });
    }

private:
    TCustomAxisPanel* m_chart;
    bool m_autoHide = false;
    bool m_dark3D = true;
    int m_endPosition = 100;
    int m_size = 0;
    int m_startPosition = 0;
};

class TChartWall : public TCustomChartWall {
public:
    // Colour and its stored default start as Colour.
    TChartWall(TCustomAxisPanel* Chart, TColor Colour = clDefault);
};

class TChartBackWall : public TChartWall {
public:
    explicit TChartBackWall(TCustomAxisPanel* Chart);
    // Adds Picture and Shadow.
    static const TPropertyTable<TPlotCustomShapeBrushPen>& Properties();
    const TPropertyTable<TPlotCustomShapeBrushPen>& PropertyTable() const override { return Properties(); }

protected:
    void InitShadow(TPlotShadow& Shadow) override;
};

class TChartLeftWall : public TChartWall {
public:
    using TChartWall::TChartWall;
};
class TChartRightWall : public TChartWall {
public:
    using TChartWall::TChartWall;
};
class TChartBottomWall : public TChartWall {
public:
    using TChartWall::TChartWall;
};

// The four walls of a chart.
class TChartWalls {
public:
    explicit TChartWalls(TCustomAxisPanel* Chart);
    ~TChartWalls();
    TChartWalls(const TChartWalls&) = delete;
    TChartWalls& operator=(const TChartWalls&) = delete;

    TChartBackWall& Back() const { return *m_back; }
    TChartBottomWall& Bottom() const { return *m_bottom; }
    TChartLeftWall& Left() const { return *m_left; }
    TChartRightWall& Right() const { return *m_right; }
    TCustomAxisPanel* Chart() const { return m_chart; }

    void Assign(const TChartWalls& Source);

    // Whether a side wall stands between the viewer and the series.
    bool LeftOnViewerSide() const;
    bool RightOnViewerSide() const;

    void DrawBack();
    void DrawLeft();
    // Only when visible, some active series uses axes, and the chart is 3D with View3DWalls.
    void DrawRight();
    void DrawBottom();

private:
    // Top and bottom of the back and side walls after their start and end positions.
    void SideExtent(const TCustomChartWall& Wall, int& Top, int& Bottom) const;
    void Prepare(TCustomChartWall& Wall);
    // Opens a blend over the projected face and fills the face with the
    // gradient; answers the blend to close.
    TPlotBlend* TranslucencyAndGradient(TCustomChartWall& Wall, const TPoint3D (&Face)[4]);
    void DrawSide(TCustomChartWall& Wall, int X, int Depth, bool ToLeft);
    bool SideOnViewerSide(int X) const;

    TCustomAxisPanel* m_chart;
    std::unique_ptr<TChartBackWall> m_back;
    std::unique_ptr<TChartBottomWall> m_bottom;
    std::unique_ptr<TChartLeftWall> m_left;
    std::unique_ptr<TChartRightWall> m_right;
};
