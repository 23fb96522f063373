#pragma once
// Shows the mark text of the series point under the mouse (on moving, or on
// pressing a button) in the application's hint window. The hint pauses are
// those of the whole application.
#include <functional>
#include <string>

#include "chart/chart_tool.h"
#include "chart/series_marks.h"

enum TMarkToolMouseAction { mtmMove, mtmClick };

class TMarksTipTool : public TPlotCustomToolSeries {
    Q_OBJECT
public:
    explicit TMarksTipTool(QObject* Owner = nullptr);

    // Milliseconds; read and written on the application's hint service.
    int HideDelay() const;
    void SetHideDelay(int Value);
    int MouseDelay() const;
    void SetMouseDelay(int Value);
    TMarkToolMouseAction MouseAction() const { return m_mouseAction; }
    // Cancels the hint.
    void SetMouseAction(TMarkToolMouseAction Value);
    TSeriesMarksStyle Style() const { return m_style; }
    void SetStyle(TSeriesMarksStyle Value) { m_style = Value; }
    // Turning the tool off cancels the hint.
    void SetActive(bool Value) override;

    std::function<void(TMarksTipTool& Sender)> OnCancelHint;
    std::function<void(TMarksTipTool& Sender, std::string& Text)> OnGetText;

    std::string Description() const override;
    std::string LongDescription() const override;
    std::string EditorClassName() const override { return "TMarksTipToolEdit"; }
    void Assign(const TCustomChartElement& Source) override;
    static const TPropertyTable<TCustomChartElement>& Properties();
    const TPropertyTable<TCustomChartElement>& PropertyTable() const override { return Properties(); }

    void ChartMouseEvent(TToolMouseKind Kind, TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    // The series' chart when Series is set, else the tool's.
    TCustomPlotPanel* Chart() const;
    void CancelHint();

    TMarkToolMouseAction m_mouseAction = mtmMove;
    TSeriesMarksStyle m_style = smsLabel;
};
