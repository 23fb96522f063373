#pragma once
// The binomial-trials window: series of Bernoulli trials with a chosen
// success probability. Each launch runs a number of trials of the current
// series; the T chart plots every outcome, the P chart the running
// proportion of successes, two seven-segment displays count successes and
// trials, and a reset closes the series (its curves turn grey) and starts
// the next one. A summary table lists every series.
#include "window_base/mdi_child.h"

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QLabel;
class QSpinBox;
class QSplitter;
class QTabWidget;
class QToolButton;
class QWidget;
class TChart;
class TChartGrid;
class TChartListBox;
class TChartSeries;
class THorizLineSeries;
class TNTabEd;
class TOnOffBut;
class TProcessGridLink;
class TProcessSeriesSink;
class TSevenSeg;
class tBernoulli;
class IProcessPointSink;

// Slots 1..101 hold the series' processes; slot 0 stays empty.
inline constexpr int kProcessSlotCount = 102;
inline constexpr int kLastProcessSlot = kProcessSlotCount - 1;

class TFProceso : public TFMDIChild {
    Q_OBJECT
public:
    // The text is not used.
    TFProceso(TFMDIParent* Owner, const QString& Text);
    ~TFProceso() override;

    // ---- state ----
    int CurrentSeries() const { return m_currentSeries; }
    int Repetitions() const { return m_repetitions; }
    // The process of a slot (null when empty or outside 0..101).
    tBernoulli* Process(int slot) const;
    TChart* ChartT() const { return Chart_T; }
    TChart* ChartP() const { return Chart_P; }
    TChartGrid* GridT() const { return ChartGrid_T; }
    TChartGrid* GridP() const { return ChartGrid_P; }
    TChartListBox* ListBoxT() const { return ChartListBox_T; }
    TChartListBox* ListBoxP() const { return ChartListBox_P; }
    TSevenSeg* DisplayAciertos() const { return ssegAciertos; }
    TSevenSeg* DisplayPruebas() const { return ssegPruebas; }
    TOnOffBut* LaunchButton() const { return OnOffBut1; }
    TNTabEd* Summary() const { return NTabEd1; }
    QTabWidget* Pages() const { return PageControl1; }

    // The busy wait of the lamp test, in seconds (tests set one that does
    // not wait).
    std::function<void(double)> WaitSeconds;

    // ---- handlers (bound to the controls; tests call them as the user would) ----
    void FormActivate() override;
    void FormClose(TCloseAction& Action) override;
    // Runs the trials of one launch of the current series.
    void Execute();
    // Closes the current series and makes ready the next one.
    void sbResetClick();
    void SpeedButton1Click();
    void cbRepeatClick();
    void SpinRepeticionesChange();
    void sbResetRepeatClick();
    void cbLog_PClick();
    void cbViewDataClick();
    void cbPChartClick();
    void Panel_DataResize(QObject* Sender);
    void sbOptionsClick();

private:
    struct TProcessSlot {
        std::unique_ptr<tBernoulli> Process;
        std::unique_ptr<TProcessSeriesSink> SinkT;
        std::unique_ptr<TProcessSeriesSink> SinkP;
    };

    QWidget* BuildLeftColumn(QWidget* parent);
    QWidget* BuildChartPanel(QWidget* parent, bool pChart);
    void CreateSeriesProcess(int k, double p);
    TChartSeries* SeriesOfSink(IProcessPointSink* sink) const;
    void ShowCounts();
    void SetChartPanelHeight(int height);
    void SetDataPanelWidth(int width);

    // ---- controls, named as on the form ----
    QTabWidget* PageControl1 = nullptr;
    TSevenSeg* ssegAciertos = nullptr;
    TSevenSeg* ssegPruebas = nullptr;
    QLabel* LblAciertos = nullptr;
    QLabel* LblPruebas = nullptr;
    QToolButton* sbReset = nullptr;
    TOnOffBut* OnOffBut1 = nullptr;
    QLabel* LblLanzar = nullptr;
    QToolButton* sbOptions = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QSpinBox* SpinRepeticiones = nullptr;
    QToolButton* sbResetRepeat = nullptr;
    QSpinBox* SpinEdit1 = nullptr;
    QCheckBox* cbRepeat = nullptr;
    QCheckBox* cbShowMarks = nullptr;
    QCheckBox* cbViewData = nullptr;
    QCheckBox* cbPChart = nullptr;
    QCheckBox* cbLog_P = nullptr;
    QCheckBox* cbKeep_T = nullptr;
    QCheckBox* cbKeep_P = nullptr;
    QWidget* PanelL = nullptr;
    QWidget* PanelLBottom = nullptr;
    QWidget* PanelOptions = nullptr;
    QSplitter* PanelMainR = nullptr;
    QSplitter* PanelChart_T = nullptr;
    QSplitter* PanelChart_P = nullptr;
    QWidget* Panel_TData = nullptr;
    QWidget* Panel_PData = nullptr;
    TChart* Chart_T = nullptr;
    TChart* Chart_P = nullptr;
    TChartListBox* ChartListBox_T = nullptr;
    TChartListBox* ChartListBox_P = nullptr;
    TChartGrid* ChartGrid_T = nullptr;
    TChartGrid* ChartGrid_P = nullptr;
    TNTabEd* NTabEd1 = nullptr;

    std::unique_ptr<TProcessGridLink> m_gridLinkT;
    std::unique_ptr<TProcessGridLink> m_gridLinkP;

    // ---- state ----
    std::vector<TProcessSlot> ProcessSlots;
    int m_currentSeries = 0;
    int m_repetitions = 1;
    int m_optionsTag = 0;  // sbOptions' tag: -1 folded, 1 unfolded
    bool m_activated = false;
};
