#pragma once
// Arrows at the ends of an axis; a click on one scrolls the axis by a
// percentage of its range (towards the start arrow's end for the start arrow).
#include <functional>
#include <string>

#include "chart/chart_tool.h"

enum TAxisArrowToolPosition { aaStart, aaEnd, aaBoth };

class TAxisArrowTool : public TPlotCustomToolAxis {
    Q_OBJECT
public:
    explicit TAxisArrowTool(QObject* Owner = nullptr);

    TAxisArrowToolPosition Position() const { return m_position; }
    void SetPosition(TAxisArrowToolPosition Value) { SetProperty(m_position, Value); }
    // Pixels: the head's width and height, and the whole arrow's length.
    int HeadWidth() const { return m_headWidth; }
    void SetHeadWidth(int Value) { SetIntegerProperty(m_headWidth, Value); }
    int Length() const { return m_length; }
    void SetLength(int Value) { SetIntegerProperty(m_length, Value); }
    bool ScrollInverted() const { return m_scrollInverted; }
    void SetScrollInverted(bool Value) { m_scrollInverted = Value; }
    // Percent of the axis range per click; 0 turns clicks off.
    int ScrollPercent() const { return m_scrollPercent; }
    void SetScrollPercent(int Value) { m_scrollPercent = Value; }
    int SizePercent() const { return m_sizePercent; }
    void SetSizePercent(int Value) { SetIntegerProperty(m_sizePercent, Value); }

    std::function<void(TAxisArrowTool& Sender, bool AtStart)> OnClick;

    // The arrow at (X, Y): 0 the start arrow, 1 the end arrow, -1 none.
    int ClickedArrow(int X, int Y) const;

    std::string Description() const override;
    std::string LongDescription() const override;
    std::string EditorClassName() const override { return "TAxisArrowToolEditor"; }
    static const TPropertyTable<TCustomChartElement>& Properties();
    const TPropertyTable<TCustomChartElement>& PropertyTable() const override { return Properties(); }

    void ChartEvent(TToolDrawPhase Phase) override;
    void ChartMouseEvent(TToolMouseKind Kind, TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    // Scrolls the axis (and its twin on the other side when a series uses both) by Delta.
    void ScrollBy(double Delta);

    TAxisArrowToolPosition m_position = aaBoth;
    int m_headWidth = 8;
    int m_length = 16;
    bool m_scrollInverted = false;
    int m_scrollPercent = 10;
    int m_sizePercent = 50;
};
