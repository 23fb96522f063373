#pragma once
// The two-normal-curves frame: a reference distribution and an alternative,
// each as a population or as the sampling distribution of the mean, with the
// criterion line, the shaded tails alpha and beta and their percentages.
// Parameter rows live in a table editor on the "Settings" page; the plot
// buttons draw its three rows.
#include "windows/normal_curves.h"

#include <QWidget>
#include <array>

class QAbstractButton;
class QBoxLayout;
class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSlider;
class TTrackBar;
class QTabWidget;
class QToolButton;
class TAreaSeries;
class TChart;
class TLineSeries;
class TNTabEd;

class TFrameNormales : public QWidget {
    Q_OBJECT
public:
    explicit TFrameNormales(QWidget* parent = nullptr);

    // Fills the parameter table with its three preset rows.
    void InitSettings();
    // Draws two curves from scratch (sample sizes n1, n2; nMax at the right
    // end of the n track bars). A standard deviation of 0 or below is
    // refused with a message and the chart stays as it was; answers whether
    // it plotted.
    bool Plot(double m1, double sd1, double m2, double sd2, double n1, double n2, double nMax);

    // ---- state ----
    double Alpha() const { return m_alpha; }
    double Beta() const { return m_beta; }
    double Criterion() const { return m_criterion; }
    double MirrorL() const { return m_mirrorL; }
    double MirrorR() const { return m_mirrorR; }
    double RefCriterion() const { return m_refCriterion; }
    bool RefCapture() const { return m_refCapture; }
    bool ShowPop() const { return m_showPop; }
    bool ShowSamp() const { return m_showSamp; }
    bool CurvesPlotted() const { return m_curvesPlotted; }
    double XMin() const { return m_xMin; }
    double XMax() const { return m_xMax; }
    double PeakPop() const { return m_peakPop; }
    double PeakSamp() const { return m_peakSamp; }
    // The working records ordered by mean (null before the first plot).
    const TNormalCurve* PopL() const { return m_popL; }
    const TNormalCurve* PopR() const { return m_popR; }
    const TNormalCurve* SampL() const { return m_sampL; }
    const TNormalCurve* SampR() const { return m_sampR; }
    // The floating label that a chart click moves (0 none, else its tag).
    int CurrentLabel() const { return m_currentLabel; }

    TChart* ChartNormales() const { return m_chart; }
    TNTabEd* Settings() const { return NTabEd1; }
    TLineSeries* CriterionLine() const { return Linea; }
    TLineSeries* ReferenceLine() const { return linearef; }
    TAreaSeries* ReferenceTail() const { return Area_Normal_TailLinRef; }
    QLabel* FloatingLabel(int tag) const;
    QTabWidget* Pages() const { return m_pages; }

    // ---- handlers (bound to the controls; tests call them as the user would) ----
    void sbInit1Click(QObject* sender);
    void TrackBar_Change(QObject* sender);
    void RButtonClick(QObject* sender);
    void CheckBox_LDClick();
    void CheckBox_RDClick();
    void CheckBox_ShowDivClick();
    void CheckBox_RefLineClick();
    void Labels_Click(QObject* sender);
    void EditChange(QObject* sender);
    // A click on the chart moves the current floating label to the last
    // mouse position seen over it.
    void Showlbl();
    void ChartNormalesMouseMove(int x, int y);
    void ChartNormalesResize();
    // The bottom groups on one row where it fits the graph page, else two.
    void FitBottomGroups();
    void sbLabelsClick();
    void SpeedButtonPanelTailsClick(QObject* sender);
    void Button1Click();
    void SetTransparencia(int left, int right);
    void RedrawTails();

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Clicks on the tagged labels.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildGraphPage(QWidget* page);
    QWidget* BuildProbabilityPanel();
    QWidget* BuildLabelPanel();
    QWidget* BuildBottomPanel();
    void BuildSeries();
    TAreaSeries* NewArea(const char* name);
    TLineSeries* NewLine(const char* name);

    void CriticalValueRight();
    void CriticalValueLeft();
    void CriterionToTails();
    void ApplyState(const TCriterionState& s);
    // Means and SDs of the left and right records of the current view.
    void ViewMoments(double& mL, double& sL, double& mR, double& sR) const;
    void ControlUpdate();
    void ShowTailPercents();
    void DrawCurve(TNormalCurve& curve);
    void SetCurveVisibility();
    int TailsOfGroup(int side) const;
    double VerticalMaximum() const;
    void SetTrackBarsEnabled(bool enabled);
    void SetSliderQuiet(QSlider* slider, int value);

    // ---- controls, named as on the form ----
    QTabWidget* m_pages = nullptr;
    TChart* m_chart = nullptr;
    QSlider* TrackBar_C0 = nullptr;
    TTrackBar* TrackBar_Alfa_L = nullptr;
    TTrackBar* TrackBar_Alfa_R = nullptr;
    QSlider* TrackBar_n1 = nullptr;
    QSlider* TrackBar_n2 = nullptr;
    QLabel* LBLa = nullptr;
    QLabel* Lblb = nullptr;
    QToolButton* sbInit1 = nullptr;
    QToolButton* sbInit2 = nullptr;
    QToolButton* sbInit3 = nullptr;
    QGroupBox* GroupBoxL = nullptr;
    QGroupBox* GroupBoxR = nullptr;
    // Left, Right, Both, None of each side.
    std::array<QRadioButton*, 4> m_tailsL{};
    std::array<QRadioButton*, 4> m_tailsR{};
    // Population, Sample, Both.
    std::array<QRadioButton*, 3> m_show{};
    QGroupBox* m_showGroup = nullptr;
    QGroupBox* m_showGroupsBox = nullptr;
    QCheckBox* CheckBox_LD = nullptr;
    QCheckBox* CheckBox_RD = nullptr;
    QCheckBox* CheckBox_ShowDiv = nullptr;
    QCheckBox* CheckBox_RefLine = nullptr;
    QCheckBox* CheckBox_RefTail = nullptr;
    QCheckBox* CheckBox_Synchronize = nullptr;
    QCheckBox* CheckBox_FixedScale = nullptr;
    QCheckBox* CheckBox_FixedA = nullptr;
    QLineEdit* Lbl_1a = nullptr;
    QLineEdit* lbl_a = nullptr;
    QLineEdit* lbl_1b = nullptr;
    QLineEdit* lbl_b = nullptr;
    QWidget* plbls = nullptr;
    QToolButton* sbLabels = nullptr;
    QWidget* m_labelList = nullptr;
    std::array<QLineEdit*, 3> m_labelEdits{};  // tags 5, 6, 7
    std::array<QLabel*, 7> m_floating{};       // pFloatingLabel1 .. 7
    std::array<QWidget*, 3> m_groupPanels{};   // Tails, Data, Distributions
    std::array<QBoxLayout*, 3> m_groupColumns{};  // each group's button over its panel
    QGridLayout* m_bottomGrid = nullptr;
    QWidget* m_graphView = nullptr;  // the graph page's scrolling viewport
    bool m_bottomWrapped = false;  // the groups on two rows
    std::array<QToolButton*, 3> m_groupButtons{};
    TNTabEd* NTabEd1 = nullptr;

    // ---- series (owned by the chart's form object, this frame) ----
    TAreaSeries* serie_normal1 = nullptr;
    TAreaSeries* Serie_normal2 = nullptr;
    TAreaSeries* serie_normal_S1 = nullptr;
    TAreaSeries* Serie_normal_S2 = nullptr;
    TAreaSeries* Area_normal1 = nullptr;
    TAreaSeries* Area_normal2 = nullptr;
    TAreaSeries* Area_Normal_S1 = nullptr;
    TAreaSeries* Area_Normal_S2 = nullptr;
    TAreaSeries* Area_Normal_TailLinRef = nullptr;
    TLineSeries* linearef = nullptr;
    TLineSeries* Linea = nullptr;

    // ---- state ----
    // Population 1, population 2, sampling 1, sampling 2.
    std::array<TNormalCurve, 4> m_curves{};
    TNormalCurve* m_popL = nullptr;
    TNormalCurve* m_sampL = nullptr;
    TNormalCurve* m_popR = nullptr;
    TNormalCurve* m_sampR = nullptr;
    double m_rangeSD = 4.0;
    double m_xMin = 0;
    double m_xMax = 0;
    double m_xRange = 0;
    double m_peakPop = 0;
    double m_peakSamp = 0;
    double m_nMax = 8;
    double m_alpha = 0.05;
    double m_beta = 0;
    double m_criterion = 0;
    double m_mirrorL = 0;
    double m_mirrorR = 0;
    double m_refCriterion = 0;
    bool m_refCapture = true;
    bool m_showPop = true;
    bool m_showSamp = false;
    bool m_curvesPlotted = false;  // each frame its own
    bool m_trackHandlers = false;  // the track bars' handlers are attached
    int m_currentLabel = 0;
    int m_mouseX = 0;
    int m_mouseY = 0;
};
