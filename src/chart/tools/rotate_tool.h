#pragma once
// Turns the chart in 3D while a mouse button drags over it, optionally showing
// only an exclusive-or outline during the drag, and optionally coasting on
// after release with steps that decay at each paint (inertia timer).
#include <QPointer>

#include <functional>
#include <string>

#include "chart/chart_tool.h"

class QTimer;

enum TRotateToolStyles { rsAll, rsRotation, rsElevation };

class TRotateTool : public TPlotCustomTool {
    Q_OBJECT
public:
    explicit TRotateTool(QObject* Owner = nullptr);
    ~TRotateTool() override;

    TMouseButton Button() const { return m_button; }
    void SetButton(TMouseButton Value) { m_button = Value; }
    // Screen cursor during the drag; crDefault leaves it alone.
    TCursor Cursor() const { return m_cursor; }
    void SetCursor(TCursor Value) { m_cursor = Value; }
    // 0 no coasting; up to 100, the higher the slower the decay. Clamped to 0..100.
    int Inertia() const { return m_inertia; }
    void SetInertia(int Value);
    bool Inverted() const { return m_inverted; }
    void SetInverted(bool Value) { m_inverted = Value; }
    // 50 is neutral; each 50 more adds the neutral turn once more.
    int Speed() const { return m_speed; }
    void SetSpeed(int Value) { m_speed = Value; }
    TRotateToolStyles Style() const { return m_style; }
    void SetStyle(TRotateToolStyles Value) { m_style = Value; }

    bool Dragging() const { return m_dragging; }
    // The last steps in degrees.
    double RotationStep() const { return m_rotationStep; }
    double ElevationStep() const { return m_elevationStep; }
    // The inertia timer's tick (1 ms while coasting).
    void InertiaTimerTick();
    bool InertiaTimerActive() const;

    std::function<void(TRotateTool& Sender)> OnRotate;

    std::string Description() const override;
    std::string LongDescription() const override;
    std::string EditorClassName() const override { return "TRotateToolEditor"; }
    void Assign(const TCustomChartElement& Source) override;
    static const TPropertyTable<TCustomChartElement>& Properties();
    const TPropertyTable<TCustomChartElement>& PropertyTable() const override { return Properties(); }

    void ChartEvent(TToolDrawPhase Phase) override;
    void ChartMouseEvent(TToolMouseKind Kind, TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    void DoRotate(int X, int Y);
    // Changes the angles by the steps (leaving orthogonal mode).
    void Apply(double Rotation, double Elevation);
    // The outline of the chart's box, drawn in exclusive-or over the finished chart.
    void ToggleOutline();

    TMouseButton m_button = mbLeft;
    TCursor m_cursor = 2020;
    int m_inertia = 0;
    bool m_inverted = false;
    int m_speed = 50;
    TRotateToolStyles m_style = rsAll;

    bool m_dragging = false;
    bool m_firstStep = false;
    bool m_savedAutoRepaint = true;
    int m_lastX = 0;
    int m_lastY = 0;
    double m_rotationStep = 0;
    double m_elevationStep = 0;
    TCursor m_savedCursor = 0;
    QPointer<QTimer> m_timer;
};

// Angle in degrees brought into [0, 360).
double WrapDegrees(double Angle);
