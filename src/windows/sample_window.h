#pragma once
// The sample window: a sample drawn from a population window's model. It
// reads the population window's document root and model and owns neither;
// the population window closes it before the model goes. Four pages: the
// design, the observation and measurement of each individual, the data sheet
// and the statistics of one or two of its columns.
#include "core/study_document.h"
#include "core/variable_records.h"
#include "window_base/mdi_child.h"
#include "windows/sample_data_files.h"
#include "windows/sample_state.h"
#include "windows/sample_statistics.h"

#include <functional>
#include <memory>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QTextEdit;
class QToolButton;
class TFrame1;
class TFramStat;
class TMeter;
class TNTabEd;
class TSampleSaveMenu;
class TScaleGauge;
class TSevenSeg;
class TStatisticsEntries;
class tPopulation;

class TFMuestra : public TFMDIChild {
    Q_OBJECT
public:
    // Busy waits of the instrument animation, in seconds.
    using TWaitFunction = std::function<void(double Seconds)>;

    explicit TFMuestra(TFMDIParent* Owner);
    ~TFMuestra() override;

    // Neither root nor model is taken over.
    void InitFromPopulation(const IXMLVexaType& Root, tPopulation* Model);

    // Records on the sheet mark the window modified until they are saved;
    // the close question saves them in the kind of the file name's extension.
    bool SaveToFile() override;

    const IXMLVexaType& Vexa() const { return FVexa; }
    tPopulation* Poblacion() const { return FPoblacion; }

    // ---- seams ----
    // The wait after each animation step (a busy wait by default); the
    // instruments repaint before it.
    void SetWaitFunction(TWaitFunction Wait) { m_wait = std::move(Wait); }
    double StepDelay() const { return FStepDelay; }
    void SetStepDelay(double Seconds) { FStepDelay = Seconds; }
    // Run before each individual is drawn (seeds the generator by default).
    void SetReseed(std::function<void()> Reseed) { m_reseed = std::move(Reseed); }
    // Where the statistics page hands its columns instead of the statistics
    // frame; nullptr gives them to the frame again. Not taken over.
    void SetStatisticsEntries(TStatisticsEntries* Entries);

    // ---- design ----
    void ApplyDesign(int I);
    void UpdateGetSample();
    bool SampleSizesValid() const;
    int Design() const { return FDesign; }
    bool GroupingWanted() const { return FGrouping; }
    const std::vector<tSampling_Option>& Options() const { return FOptions; }
    const TSampleState& State() const { return m_state; }
    TSampleState& State() { return m_state; }
    int RecordCount() const { return FRecordCount; }
    int RepeatCount() const { return FRepeatCount; }
    double RepeatError() const { return m_repeatError; }

    // ---- handlers ----
    void c_DesignBoxChange();
    void NTab_SampleSizeChange();
    void TFVarListe_ByVarChange();
    void sb_OkClick();
    void DrawIndividual();
    void ShowRecordNumber(bool Flag);
    void tbAddRecordClick();
    void tbAddAllRecordsClick();
    void sb_NewRecordClick();
    void ClearSheet();
    void ResetRepeats();
    void sb_AnnotateClick();
    void LB_ObservableVarsClick();
    void AnnotateValue(const std::string& Name);
    void sb_selectToMeasureClick();
    void sb_MeasureClick();
    void sb_registerClick();
    void ShowOnMeter(double Value, double Start);
    void ShowOnScale(double Value, double Start);
    void ShowOnDisplay(double Value, int Decimals);
    void AddRepeatRow(double Value);
    // Hover over a speed button: blue caption and a hand cursor, black again on leaving.
    void SpeedButton_MouseEnter(QPushButton* Sender);
    void SpeedButton_MouseLeave(QPushButton* Sender);
    void sbLabelsClick();
    void ToolButton3Click();
    void InitStatVars();
    void cbSVars2Change(QComboBox* Sender);
    void ExecuteStatistics();
    // The chosen variables as the data files declare them.
    std::vector<TSampleFileVariable> FileVariables() const;

    // ---- controls (also found by objectName) ----
    QTabWidget* PageControl() const { return PageControl1; }
    QWidget* TabSheet(int I) const;
    QComboBox* DesignBox() const { return c_DesignBox; }
    TFrame1* VarList() const { return TFVarList; }
    TNTabEd* SampleSizeTable() const { return NTab_SampleSize; }
    QPushButton* GetSampleButton() const { return sb_Ok; }
    QTableWidget* Sheet() const { return FichaGrid; }
    QListWidget* ObservableVars() const { return LB_ObservableVars; }
    QListWidget* MeasureList() const { return lb_MeasureList; }
    TMeter* Meter() const { return m_meter; }
    TScaleGauge* Scale() const { return m_scale; }
    TSevenSeg* SevenSeg() const { return m_sevenSeg; }
    TNTabEd* RepeatTable() const { return NTabEdRep; }
    TNTabEd* SampleData() const { return m_sampleData; }
    TSampleSaveMenu* SaveMenu() const { return m_saveMenu; }
    QComboBox* StatVars1() const { return cbSVars1; }
    QComboBox* StatVars2() const { return cbSVars2; }
    TFramStat* StatisticsFrame() const { return TFramStat1; }
    const TSampleStatistics& Statistics() const { return m_statistics; }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void BuildDesignPage(QWidget* page);
    void BuildObservationPage(QWidget* page);
    void BuildDataPage(QWidget* page);
    void BuildStatisticsPage(QWidget* page);
    void SetTabShown(int Index, bool Shown);
    void AppendRecord();
    // Fills row Row of the sheet with the current record (marks the window modified).
    void FillRecord(int Row);
    void FillMemo();
    // The visible instrument (1 meter, 2 scale, 3 display; 0 none).
    int VisibleInstrument() const;
    int SampleSizeLimit(bool Max) const;
    // Records wanted by "add all".
    int SampleTarget() const;

    IXMLVexaType FVexa;
    tPopulation* FPoblacion = nullptr;
    std::vector<tSampling_Option> FOptions;
    int FDesign = 0;
    bool FGrouping = false;
    int FRecordCount = 0;
    int m_confirmedSize = 0;
    int FRepeatCount = 0;
    double FStepDelay = 0.001;
    double m_repeatError = 0.0;
    TSampleState m_state;
    TSampleStatistics m_statistics;
    TWaitFunction m_wait;
    std::function<void()> m_reseed;
    std::unique_ptr<TStatisticsEntries> m_frameEntries;
    TStatisticsEntries* m_entries = nullptr;

    QTabWidget* PageControl1 = nullptr;
    QComboBox* c_DesignBox = nullptr;
    TFrame1* TFVarList = nullptr;
    TNTabEd* NTab_SampleSize = nullptr;
    QGroupBox* rg_Objetive = nullptr;
    QPushButton* sb_Ok = nullptr;

    QWidget* Sampling_MainPanel = nullptr;
    QLabel* Lbl_Estudio = nullptr;
    QLabel* lbl_Poblacion = nullptr;
    QLabel* Lbl_Design = nullptr;
    QLabel* Image_male = nullptr;
    QLabel* Image_Female = nullptr;
    QLabel* lbl_Casenum = nullptr;
    QTableWidget* FichaGrid = nullptr;
    QToolButton* tbAddRecord = nullptr;
    QListWidget* LB_ObservableVars = nullptr;
    QPushButton* sb_Annotate = nullptr;
    QListWidget* lb_MeasureList = nullptr;
    QWidget* Sampling_InstrumentsPanel = nullptr;
    QLabel* Lbl_Measure_Var = nullptr;
    QLabel* Lbl_Measure_Units = nullptr;
    TMeter* m_meter = nullptr;
    TScaleGauge* m_scale = nullptr;
    TSevenSeg* m_sevenSeg = nullptr;
    QPushButton* sb_register = nullptr;
    TNTabEd* NTabEdRep = nullptr;

    TNTabEd* m_sampleData = nullptr;
    QWidget* Panel12 = nullptr;
    QToolButton* sbLabels = nullptr;
    QTextEdit* Memo1 = nullptr;
    TSampleSaveMenu* m_saveMenu = nullptr;

    QComboBox* cbSVars1 = nullptr;
    QComboBox* cbSVars2 = nullptr;
    QLabel* lblVar1 = nullptr;
    QLabel* lblVar2 = nullptr;
    TFramStat* TFramStat1 = nullptr;
};
