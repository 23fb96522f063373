#pragma once
// A frame with one chart showing a quantitative variable of the population
// as histogram series and model density curves, with its title button, the
// options button and the option row (variable; split by a categorical
// variable and one of its levels; or one group). The population window binds
// the option controls and fills the series; the frame keeps the series, the
// group mask and the colours of the last rebuild.
#include "base/basic_types.h"
#include "windows/chart_frame.h"

#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QToolButton;
class TChart;
class TFastLineSeries;
class THistogramSeries;

class TFrameHistogram : public TChartFrame {
    Q_OBJECT
public:
    static constexpr TColor kPastTableColor = 0x800000;  // navy
    // The column two frames share before it is first laid out.
    static constexpr int kDesignColumnHeight = 362;

    explicit TFrameHistogram(QWidget* parent = nullptr);

    // Mode 0: no option row; 1: variable only; 2: with split; 3: all.
    void Setup(int Tag, int Mode, bool OptionsDown, bool Expanded, TFrameHistogram* Partner);
    // Rows x Groups cells, each Value.
    void SetMask(int Rows, int Groups, bool Value);
    // NHist histogram series and NLine curves, coloured by Color(i).
    void BuildSeries(int NHist, int NLine);
    // Frees the run-time series; the axes open wide.
    void ClearSeries();
    void SetColorCount(int N);
    void SetColor(int I, TColor C);
    // Navy past the end of the table.
    TColor Color(int I) const;

    // Handlers of the frame's own controls.
    void sb_togglePanelsClick();
    void SpeedButton3Click();
    void FrameResize();
    void CB_GroupOnlyClick();

    int Tag() const { return m_tag; }

    TFrameHistogram* FPartner = nullptr;
    int FCollapsedHeight = kTitleHeight;
    bool FSplitMode = true;
    std::vector<TColor> FColors;
    bool FExpanded = false;
    int FNumVar = 0;
    int FHistCount = 0;
    int FLineCount = 0;
    std::vector<std::vector<bool>> FMask;
    bool FHasGroups = false;
    std::vector<THistogramSeries*> FHistSeries;  // owned by the chart's owner (this frame)
    std::vector<TFastLineSeries*> FLineSeries;

    TChart* ChartPoblacion = nullptr;
    // The width the shown option row needs on two lines (0 when hidden).
    int WrappedOptionWidth() const;
    QWidget* PanelA = nullptr;
    QToolButton* sb_togglePanels = nullptr;
    QWidget* PanelB = nullptr;
    QWidget* PanelC = nullptr;
    QCheckBox* CB_GroupOnly = nullptr;
    QComboBox* CB_Group = nullptr;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    int ParentHeight() const;
    // The option row wraps its second panel below the first when the two
    // do not fit side by side.
    void FitOptionRow();

    int m_tag = 0;
};
