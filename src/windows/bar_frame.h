#pragma once
// A frame with one bar chart: the title button, the chart, the options
// button and an option row of which the population window shows only the
// variable combo. The window draws the shares of a categorical variable's
// levels into its bar series.
#include "windows/chart_frame.h"

class TBarSeries;
class TChart;

class TFrameBarras : public TChartFrame {
    Q_OBJECT
public:
    // The column the frame takes a third of before it is first laid out.
    static constexpr int kDesignColumnHeight = 456;

    explicit TFrameBarras(QWidget* parent = nullptr);

    // Mode 0: no option row; 1: variable only; 2: with split; 3: all.
    void Setup(int Tag, int Mode, bool OptionsDown, bool Expanded);
    void SpeedButton3Click();

    TChart* ChartPoblacion = nullptr;
    TBarSeries* Series_Bar1 = nullptr;  // owned by the frame
    // The model's categorical variable whose levels the bars show; -1: none.
    int BarsVariable = -1;
    QWidget* Panel4 = nullptr;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    // Expanded: a third of the column; before the column is on screen, the
    // design column's third until its first layout there.
    void TakeThirdOfColumn();

    bool m_thirdOnLayout = false;
};
