#pragma once
// The population window: the study of one population document. It binds the
// document, shows its start-up messages, builds the population model and lets
// the population live: a clock runs model time, the groups' shares and means
// follow their dynamics, a bar chart and two histogram frames redraw from the
// model, and a cloud of dots wanders on a paint box. The sample windows drawn
// from it read its root and model.
#include "core/study_document.h"
#include "window_base/mdi_child.h"
#include "windows/point_cloud.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <memory>
#include <string>

class QAction;
class QBoxLayout;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class QSlider;
class QTabWidget;
class QTimer;
class QToolButton;
class QTreeWidget;
class TFMsge;
class TFMuestra;
class TFrameBarras;
class TFrameHistogram;
class TProgBar;
class TSevenSeg;
class TSplitter;
class TTrackBar;
class tPopulation;

namespace platform {
class WebView;
}

// Builds the population model of a bound study document; throws when the
// document cannot make one.
std::unique_ptr<tPopulation> BuildPopulationModel(const IXMLVexaType& Root);

// Speed in percent for a speed track-bar position 0..100 and the study's
// speed-scale limits lo and hi (percent): lo..100 over the lower half,
// 100..hi over the upper; never below 1 %.
double SpeedPercent(int Position, int Lo, int Hi);
// Timer interval in ms at a speed in percent: Round(Base x 100 / Speed).
int TimerIntervalAt(int BaseInterval, double Speed);
// Progress in percent: elapsed model minutes over the model's horizon; 0 for
// a horizon of 0.
double ProgressPercent(double ModelMinutes, double HorizonMinutes);
// Class count for an amplitude position 0..100 at BaseBins classes.
int AmplitudeBins(int Position, int BaseBins);

// The address of a page a study names: a relative address of a study fetched
// from a web server resolves against the study's own address; any other
// address stands as it is.
QString StudyPageAddress(const QString& Href, const QString& StudyAddress);

// How a start-up message is shown.
enum class TMessageKind { Win, Form, Tab, Msg };
// The kind named by `loc` (its first three letters, any case), else the
// previous item's kind.
TMessageKind MessageKindOf(const std::string& Loc, TMessageKind Previous);

class TFPoblacion : public TFMDIChild {
    Q_OBJECT
public:
    explicit TFPoblacion(TFMDIParent* Owner);
    // Closes the sample windows that read this window's model and the
    // message windows it opened.
    ~TFPoblacion() override;

    // Real timers run unless switched off (tests drive OnTimer themselves).
    static void SetLiveTimers(bool on);
    static bool LiveTimers();

    // Binds the document, shows its tree and its start-up messages, builds
    // the model and the charts and starts the clock. Everything is built
    // aside first: nothing is kept when a step fails (the exception goes to
    // the caller).
    void SetDataSource(std::shared_ptr<platform::XmlDocument> Source, const QString& Name) override;

    // The bound document root and the population model (owned).
    const IXMLVexaType& Vexa() const { return FRoot; }
    tPopulation* Poblacion() const { return FModel.get(); }
    const QString& PopulationName() const { return m_populationName; }

    // A sample window reading this window's root and model; it is closed
    // before the model goes.
    void AttachSample(TFMuestra* Sample);
    QList<TFMuestra*> Samples() const;
    // The message windows opened at start-up that are still open.
    QList<TFMsge*> MessageWindows() const;

    // Refuses while a sample window refuses to close.
    void FormCloseQuery(bool& CanClose) override;
    // Its own question, then those of its samples.
    bool AskBeforeClosing(QList<QPointer<TFMDIChild>>& Agreed) override;
    void FormActivate() override;
    void FormDeactivate();

    // The clock.
    void StartClock();
    void UpdateTimeDisplays();
    // One timer step; Sender is the progress bar when it moved.
    void OnTimer(QObject* Sender = nullptr);
    bool Timer1Enabled() const { return m_timerEnabled; }
    void SetTimer1Enabled(bool on);
    int Timer1Interval() const { return m_timerInterval; }
    void SetTimer1Interval(int ms);
    int BaseInterval() const { return FBaseInterval; }

    // Track bars and buttons.
    void TrackBar_SpeedChange();
    void TrackBar_ProgressChange();
    void SB_PlayStopClick();
    void Label_SpeedClick();
    void Label2Click();
    void Label1Click();
    void Label5Click();
    void ShowHidePanels(QObject* Sender);
    void sbPanelChartsClick();
    void SB_ShowTimectrlsClick();
    void GetSample();
    void sbGetSampleClick() { GetSample(); }

    // The point cloud.
    void PaintPanelResize();
    void UpdateScaleFactor();
    void PlotPoints();
    void PopupMenu1Popup();
    TPointCloud& Cloud() { return m_cloud; }

    // The histogram frames.
    void SetupHistogramFrames();
    void RefreshHistogram(int N);
    void UpdateHistogram(TFrameHistogram* Frame, bool WithCurves);
    void HistogramOptionChange(QObject* Sender);
    void HistogramTogglePanels(QObject* Sender);
    void cbShowModelClick();
    void TrackBar_AmplitudChange();
    void TrackBar_Thickness_Change();
    void TrackBar_Transparency_Change();
    void FrameHistogram2SpeedButton3Click();
    int Bins() const { return FBins; }
    int LinePoints() const { return FLinePoints; }

    // The bar-chart frame.
    void SetupBarFrame();
    void DrawBars();
    void BarVariableChange();

    QTreeWidget* DocumentTree() const { return XMLTreeView; }
    QPushButton* GetSampleButton() const { return Lbl_Get_sample; }

    // Controls, named as the window's layout names them.
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet_Pixels = nullptr;
    QWidget* PanelTitle = nullptr;
    QLabel* LabelTitle = nullptr;
    QWidget* PanelMainL = nullptr;
    QToolButton* sbPanelCharts = nullptr;
    QWidget* PanelCharts = nullptr;
    QWidget* PanelChartMid = nullptr;
    TFrameBarras* FrameBarras1 = nullptr;
    QWidget* Panel_Bottom = nullptr;
    TFrameHistogram* FrameHistogram1 = nullptr;
    TFrameHistogram* FrameHistogram2 = nullptr;
    QWidget* PanelGraphicOptions = nullptr;
    QToolButton* SB_GraphicOptions = nullptr;
    QCheckBox* cbShowHistogram = nullptr;
    TTrackBar* TrackBar_Amplitud = nullptr;
    QLabel* Label1 = nullptr;
    TTrackBar* TrackBar_Transparency = nullptr;
    QCheckBox* cbShowModel = nullptr;
    QLabel* Label5 = nullptr;
    TTrackBar* TrackBar_Thickness = nullptr;
    TSplitter* Splitter1 = nullptr;
    TSplitter* Splitter2 = nullptr;
    TSplitter* Splitter3 = nullptr;
    TSplitter* Splitter6 = nullptr;
    QWidget* PanelMainR = nullptr;
    QWidget* Panel_Sampling = nullptr;
    QToolButton* sb_Sampling = nullptr;
    QPushButton* Lbl_Get_sample = nullptr;
    QWidget* PaintPanel = nullptr;
    QWidget* PaintBox1 = nullptr;
    QWidget* pDynamic = nullptr;
    QToolButton* sb_Dynamic = nullptr;
    QWidget* Panel_Slides = nullptr;
    QToolButton* SB_PlayStop = nullptr;
    QLabel* LblPDynamics = nullptr;
    QLabel* Label_Speed = nullptr;
    TTrackBar* TrackBar_Speed = nullptr;
    QLabel* Label_Speedpc = nullptr;
    QLabel* Label2 = nullptr;
    TTrackBar* TrackBar_Progress = nullptr;
    QWidget* Panel_tiempos = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    TSevenSeg* ssH_Actual = nullptr;
    TSevenSeg* ssH_Final = nullptr;
    TSevenSeg* ssM_Actual = nullptr;
    TSevenSeg* ssM_Total = nullptr;
    QToolButton* SB_ShowTimeControls = nullptr;
    QWidget* TabSheet_Parametros = nullptr;
    TProgBar* ProgBar1 = nullptr;
    QTabWidget* pageParameters = nullptr;
    platform::WebView* XMLBrowser = nullptr;
    QTreeWidget* XMLTreeView = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* It1 = nullptr;
    QAction* It2 = nullptr;
    QAction* it3 = nullptr;
    QAction* it4 = nullptr;
    int It1ImageIndex = 0;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void BuildLayout();
    void BindControls();
    void ReadMessages();
    void BuildPopulation();
    void ResetSpeedAndProgress();
    void FillLevels(QComboBox* Filter, QComboBox* Split);
    // Clears the bars and draws those of categorical variable c.
    void DrawBarsAnew(int c);
    TFrameHistogram* HistogramFrame(int Tag) const;
    // A collapsible panel's height and the limit it opens to.
    static int PanelHeight(const QWidget* Panel);
    static int PanelMaxHeight(const QWidget* Panel);
    void SetPanelHeight(QWidget* Panel, int Height);
    // The charts panel's width; the right panel keeps the rest at resizes.
    void SetLeftWidth(int Width);
    // The width within what the page leaves, the right panel's width kept.
    void FitLeftWidth(int Width);
    void BuildSplitters(QWidget* Body);
    // The speed and progress controls show only where they fit whole.
    void ShowSlidesWhereTheyFit();
    void DiscardSamples();

    IXMLVexaType FRoot;
    std::unique_ptr<tPopulation> FModel;
    int FBaseInterval = 100;  // ms at 100 % speed
    int FLinePoints = 250;
    int FBaseBins = 25;
    int FBins = 25;
    TPointCloud m_cloud;
    QTimer* Timer1 = nullptr;
    bool m_timerEnabled = false;
    int m_timerInterval = 100;
    bool m_inTick = false;
    QBoxLayout* m_dynamicRow = nullptr;  // the slides and the clocks
    bool m_activated = false;  // the bars set up
    QScrollArea* m_pixels = nullptr;  // holds the population page
    int m_rightWidth = 0;  // of the right panel, as the last choice left it
    bool m_resizeBound = false;  // PaintPanelResize runs on resizes after the first activation
    QString m_populationName;
    QStringList m_keys;
    QStringList m_values;
    QList<QPointer<TFMuestra>> m_samples;
    QList<QPointer<TFMsge>> m_messages;
};
