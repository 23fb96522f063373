#pragma once
// The title box of an axis: a caption at an angle in a (normally transparent) shape.
#include <string>

#include "chart/plot_shape.h"

class TChartAxisTitle : public TPlotCustomShape {
public:
    explicit TChartAxisTitle(TCustomPlotPanel* Owner = nullptr);

    static const TPropertyTable<TPlotCustomShapeBrushPen>& Properties();
    const TPropertyTable<TPlotCustomShapeBrushPen>& PropertyTable() const override { return Properties(); }

    // Degrees, stored modulo 360; streamed when it differs from DefaultAngle.
    int Angle() const { return m_angle; }
    void SetAngle(int Value);
    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& Value);
    // The angle a stream leaves out: the one the title was built with.
    int DefaultAngle() const { return m_defaultAngle; }
    // Angle and its stored default together (the panel gives the left axis'
    // title 90 and the right axis' 270).
    void InitAngle(int Value);

    // Angle and Caption, then the shape.
    void Assign(const TPlotCustomShapeBrushPen& Source) override;
    // The point lies on the visible title with a caption (edges included; a
    // turned title is tested against its turned bounds).
    bool Clicked(int X, int Y) const;

private:
    int m_angle = 0;
    std::string m_caption;
    int m_defaultAngle = 0;
};
