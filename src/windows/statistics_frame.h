#pragma once
// The statistics frame of the sample window: one or two variables of the
// sample, each as its definition and its column, shown as descriptive and
// inferential statistics in text grids and charts on three pages. The entry
// the caller uses chooses the analysis.
#include <QFrame>
#include <cstdint>
#include <memory>

#include "core/numeric_vector.h"
#include "core/variable_records.h"

class QCheckBox;
class QGroupBox;
class QRadioButton;
class QSlider;
class QSplitter;
class QTabWidget;
class QWidget;
class TBarSeries;
class TChart;
class THistogramSeries;
class TLineSeries;
class TPointSeries;
class TStatGrid;
class TStatStringGrid;

class TFramStat : public QFrame {
    Q_OBJECT
public:
    // 0 one quantitative, 1 one categorical, 2 two quantitative,
    // 3 categorical x quantitative, 4 two categorical
    enum : std::uint8_t { ModeX = 0, ModeC = 1, ModeXY = 2, ModeCY = 3, ModeCC = 4 };

    explicit TFramStat(QWidget* Parent = nullptr);
    ~TFramStat() override;

    // Entries: each replaces the whole state, copies the definitions and the
    // columns and runs the analysis at once.
    void InitX(const tNumVarDef& Var, const TVector& Data);
    void InitC(const tCatVar& Var, const TIntVector& Data);
    // X is the explanatory variable, Y the response (regression of Y on X).
    void InitXY(const tNumVarDef& VarX, const TVector& DataX, const tNumVarDef& VarY, const TVector& DataY);
    void InitCY(const tCatVar& VarC, const TIntVector& DataC, const tNumVarDef& VarY, const TVector& DataY);
    void InitCC(const tCatVar& VarA, const TIntVector& DataA, const tCatVar& VarB, const TIntVector& DataB);

    std::uint8_t Mode() const { return FMode; }
    // Histogram classes, Round(BaseClassCount x track bar position / 100),
    // shared by every page.
    int ClassCount() const { return FClassCount; }
    int BaseClassCount() const { return FBaseClassCount; }

    // Handlers of the frame's controls; callable directly. A track bar or
    // radio group given as Sender redraws its page's chart only.
    void TrackBarChange(QObject* Sender);
    void CheckBoxClick();
    void RadioGroupXYClick();
    void RadioGroupCCClick();
    void PageControl1Resize();

    // Controls by page (1..3) for callers and tests; also found by objectName.
    TChart* Chart(int Page) const;
    TStatStringGrid* Grid(int Page) const;

protected:
    void resizeEvent(QResizeEvent* Event) override;

private:
    struct TPageWidgets;

    void BuildLayout();
    TPageWidgets BuildVariablePage(int Page);
    void BuildAnalysisPage();

    void Init();
    void ResetGrid(int Which);
    void ResetGraphs();
    void ResetChart3();
    void InitGraph(int Page, int Kind);
    void Execute();

    void ExecuteNumPage(QObject* Sender, int Page);
    void ExecuteCatPage(QObject* Sender, int Page);
    void ExecuteRegresion(QObject* Sender);
    void ExecuteTtest(QObject* Sender);
    void ExecuteChi2(QObject* Sender);

    // Init, the mode, and every slot emptied.
    void Enter(std::uint8_t Mode);
    void SetTabVisible(QWidget* Page, bool Visible);
    void SetTabCaption(QWidget* Page, const std::string& Caption);
    int RadioIndex(QGroupBox* Group) const;
    void SetRadioIndex(QGroupBox* Group, int Index);

    // state
    int FBaseClassCount = 18;
    int FClassCount = 18;
    std::uint8_t FMode = ModeX;
    tNumVarDef NumVar1;
    tNumVarDef NumVar2;
    tCatVar CatVar1;
    tCatVar CatVar2;
    // copies of the caller's columns; null for an empty slot
    std::unique_ptr<TVector> NumData1;
    std::unique_ptr<TVector> NumData2;
    std::unique_ptr<TIntVector> CatData1;
    std::unique_ptr<TIntVector> CatData2;
    bool m_fillingRadio = false;

    // layout (owned by Qt parents)
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QWidget* TabSheet3 = nullptr;
    TChart* Chart1 = nullptr;
    TChart* Chart2 = nullptr;
    TChart* Chart3 = nullptr;
    TBarSeries* SeriesBar1 = nullptr;
    TBarSeries* SeriesHistogram1 = nullptr;
    TLineSeries* SeriesLine1 = nullptr;
    TBarSeries* SeriesBar2 = nullptr;
    TBarSeries* SeriesHistogram2 = nullptr;
    TLineSeries* SeriesLine2 = nullptr;
    TBarSeries* SeriesBar31 = nullptr;
    TBarSeries* SeriesBar32 = nullptr;
    THistogramSeries* SeriesHist31 = nullptr;
    THistogramSeries* SeriesHist32 = nullptr;
    TLineSeries* SeriesLine31 = nullptr;
    TLineSeries* SeriesLine32 = nullptr;
    TPointSeries* SeriesPoints3 = nullptr;
    QWidget* pGrid1 = nullptr;
    QWidget* pGrid2 = nullptr;
    QWidget* pGrid3 = nullptr;
    TStatStringGrid* SGrid1 = nullptr;
    TStatStringGrid* SGrid2 = nullptr;
    TStatStringGrid* SGrid3 = nullptr;
    QWidget* PanelCatVar1 = nullptr;
    QWidget* PanelXVar1 = nullptr;
    QWidget* PanelCatVar2 = nullptr;
    QWidget* PanelXVar2 = nullptr;
    QWidget* Panel12 = nullptr;
    QWidget* Panel2b = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    QSlider* TrackBar1 = nullptr;
    QSlider* TrackBar2 = nullptr;
    QSlider* TrackBar3 = nullptr;
    QGroupBox* RadioGroupXY = nullptr;
    QGroupBox* RadioGroupCC = nullptr;
};
