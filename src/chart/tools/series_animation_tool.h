#pragma once
// Grows a series' values from a start value up to their own in a number of
// steps, all points together or in groups, once or in a loop; the application
// keeps handling its events between steps, so Stop (or closing the chart)
// ends a running animation.
#include <functional>
#include <string>

#include "chart/chart_tool.h"

enum TSeriesAnimationLoop { salNo, salOneWay, salCircular };

class TSeriesAnimationTool : public TPlotCustomToolSeries {
    Q_OBJECT
public:
    explicit TSeriesAnimationTool(QObject* Owner = nullptr);
    ~TSeriesAnimationTool() override;

    // Milliseconds to wait after each step.
    int Delay() const { return m_delay; }
    void SetDelay(int Value) { m_delay = Value; }
    // 0: all points together; n: groups of n points one after the other.
    // A negative value acts as 0.
    int DrawEvery() const { return m_drawEvery; }
    void SetDrawEvery(int Value) { m_drawEvery = Value; }
    TSeriesAnimationLoop Loop() const { return m_loop; }
    void SetLoop(TSeriesAnimationLoop Value) { m_loop = Value; }
    bool StartAtMin() const { return m_startAtMin; }
    void SetStartAtMin(bool Value) { m_startAtMin = Value; }
    double StartValue() const { return m_startValue; }
    void SetStartValue(double Value) { m_startValue = Value; }
    // Steps per pass; below 1 acts as 1.
    int Steps() const { return m_steps; }
    void SetSteps(int Value) { m_steps = Value; }

    // Runs the animation to its end or until stopped; returns only then.
    virtual void Play();
    // Ends a running animation at its next step (OnStop fires).
    void Stop();
    bool Running() const { return !m_stopped; }

    std::function<void(TSeriesAnimationTool& Sender)> OnStart;
    std::function<void(TSeriesAnimationTool& Sender)> OnStop;
    std::function<void(TSeriesAnimationTool& Sender, int Step)> OnStep;

    // Lets the application handle its pending events once (the default); the
    // waits between steps call it, reading time from the platform clock.
    std::function<void()> ProcessMessages;

    std::string Description() const override;
    std::string LongDescription() const override;
    std::string EditorClassName() const override { return "TSeriesAnimToolEditor"; }
    static const TPropertyTable<TCustomChartElement>& Properties();
    const TPropertyTable<TCustomChartElement>& PropertyTable() const override { return Properties(); }

private:
    int m_delay = 0;
    int m_drawEvery = 0;
    TSeriesAnimationLoop m_loop = salNo;
    bool m_startAtMin = true;
    double m_startValue = 0;
    int m_steps = 100;
    bool m_stopped = true;
};
