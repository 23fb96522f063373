#include "windows/population_window.h"

#include "core/population_model.h"
#include "core/text_routines.h"
#include "platform/clock.h"
#include "platform/event_guard.h"
#include "platform/web_view.h"
#include "widgets/progress_bar.h"
#include "widgets/seven_segment.h"
#include "window_base/message_window.h"
#include "window_base/ui_routines.h"
#include "windows/bar_frame.h"
#include "windows/frame_controls.h"
#include "windows/histogram_frame.h"
#include "windows/sample_window.h"
#include "windows/track_bar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

bool g_liveTimers = true;

constexpr int kTitleButtonHeight = 15;
constexpr int Panel_tiemposWidth = 230;
constexpr int kTimeMargin = 20;      // beside the time panel
constexpr int kLeastChartsWidth = 200;  // the charts panel open
constexpr double kMinutesPerDay = 1440.0;

QString ToQString(const std::string& s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::string HMSText(double minutes)
{
    std::uint32_t h = 0;
    std::uint16_t m = 0, s = 0;
    MinutesToHMS(minutes, h, m, s);
    return FormatHMS(h, m, s);
}

// Band: the selection runs from 0 to the position and follows it.
TTrackBar* NewTrackBar(QWidget* parent, const char* name, int position, bool band = false)
{
    auto* bar = new TTrackBar(Qt::Horizontal, parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(0, 100);
    bar->setValue(position);
    if (band) {
        bar->SetSelEnd(position);
        QObject::connect(bar, &QSlider::valueChanged, bar, [bar](int value) { bar->SetSelEnd(value); });
    }
    return bar;
}

QLabel* NewLabel(QWidget* parent, const char* name, const QString& caption)
{
    auto* label = NewNamed<QLabel>(parent, name);
    label->setText(caption);
    return label;
}

TSevenSeg* NewClock(QWidget* parent, const char* name, int digits, const char* caption)
{
    auto* display = NewNamed<TSevenSeg>(parent, name);
    display->SetNumDigits(digits);
    display->SetCaption(caption);
    display->setFixedSize(digits * 14, 26);
    return display;
}

// A panel that collapses to its title button, opening to MaxHeight.
QToolButton* NewCollapsingTitle(QWidget* Panel, int MaxHeight, const char* Name, const QString& Caption)
{
    Panel->setProperty("MaxHeight", MaxHeight);
    QToolButton* button = NewTitleButton(Panel, Name, Caption);
    button->setFixedHeight(kTitleButtonHeight);
    return button;
}

} // namespace

std::unique_ptr<tPopulation> BuildPopulationModel(const IXMLVexaType& Root)
{
    return std::make_unique<tPopulation>(Root);
}

double SpeedPercent(int Position, int Lo, int Hi)
{
    const double p = std::clamp(Position, 0, 100);
    const double s = p <= 50 ? p / 50.0 * (100.0 - Lo) + Lo : p / 100.0 * (Hi - 100.0) + 100.0;
    // a speed of 0 would stop the clock and divide the interval by zero
    return std::max(s, 1.0);
}

int TimerIntervalAt(int BaseInterval, double Speed)
{
    return static_cast<int>(std::nearbyint(BaseInterval * 100.0 / std::max(Speed, 1.0)));
}

double ProgressPercent(double ModelMinutes, double HorizonMinutes)
{
    if (!(HorizonMinutes > 0.0))
        return 0.0;
    return ModelMinutes / HorizonMinutes * 100.0;
}

int AmplitudeBins(int Position, int BaseBins)
{
    const double a = Position * 2.0 / 100.0;
    double factor = 16.0;
    if (a < 1.0)
        factor = std::max(a, 0.12);
    else if (a <= 1.99)
        factor = a * a * a * a;
    return static_cast<int>(std::nearbyint(BaseBins * factor));
}

QString StudyPageAddress(const QString& Href, const QString& StudyAddress)
{
    const QUrl study(StudyAddress);
    const QString scheme = study.scheme().toLower();
    if (Href.isEmpty() || Href.startsWith(QLatin1String("{appdir}")) ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return Href;
    const QUrl page(Href);
    if (!page.isValid() || !page.isRelative())
        return Href;
    return study.resolved(page).toString();
}

TMessageKind MessageKindOf(const std::string& Loc, TMessageKind Previous)
{
    if (SameLeadingText(Loc, "win", 3))
        return TMessageKind::Win;
    if (SameLeadingText(Loc, "form", 3))
        return TMessageKind::Form;
    if (SameLeadingText(Loc, "tab", 3))
        return TMessageKind::Tab;
    if (SameLeadingText(Loc, "msg", 3))
        return TMessageKind::Msg;
    return Previous;
}

void TFPoblacion::SetLiveTimers(bool on)
{
    g_liveTimers = on;
}

bool TFPoblacion::LiveTimers()
{
    return g_liveTimers;
}

TFPoblacion::TFPoblacion(TFMDIParent* Owner) : TFMDIChild(Owner)
{
    setObjectName(QStringLiteral("FPoblacion"));
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    BuildLayout();
    BindControls();
    FModel.reset();
    FLinePoints = 250;
    FBaseBins = FLinePoints / 10;
    FBins = FBaseBins;
    m_cloud.SetSize(PaintBox1->size());
    m_cloud.InitPoints(1000, 0.15);
    FBaseInterval = 100;
    ResetSpeedAndProgress();
    // creation step of the window's own
    SetLeftWidth(sbPanelCharts->width());
    PageControl1->setCurrentIndex(0);
    ShowHidePanels(sb_Sampling);
    ShowHidePanels(sb_Dynamic);
    ShowHidePanels(SB_GraphicOptions);
    connect(this, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates oldState, Qt::WindowStates newState) {
                if ((oldState & Qt::WindowActive) && !(newState & Qt::WindowActive))
                    platform::GuardEvent([this] { FormDeactivate(); });
            });
}

TFPoblacion::~TFPoblacion()
{
    SetTimer1Enabled(false);
    DiscardSamples();
    for (QPointer<TFMsge>& message : m_messages)
        FreeMessageWindow(message);
}

void TFPoblacion::BuildLayout()
{
    auto* root = NewNamed<QWidget>(this, "FPoblacionClient");
    root->setAutoFillBackground(true);
    root->setPalette(QPalette(Qt::white));
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    root->setFont(font);
    auto* rootBox = new QVBoxLayout(root);
    rootBox->setContentsMargins(0, 0, 0, 0);
    PageControl1 = NewNamed<QTabWidget>(root, "PageControl1");
    PageControl1->setTabPosition(QTabWidget::South);
    rootBox->addWidget(PageControl1);

    // Population page
    TabSheet_Pixels = NewNamed<QWidget>(PageControl1, "TabSheet_Pixels");
    // a window smaller than the page's controls scrolls them, never piles them up
    auto* sheetBox = new QVBoxLayout(TabSheet_Pixels);
    sheetBox->setContentsMargins(0, 0, 0, 0);
    auto* scroll = NewNamed<QScrollArea>(TabSheet_Pixels, "PixelsScroll");
    m_pixels = scroll;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    sheetBox->addWidget(scroll);
    auto* pixels = NewNamed<QWidget>(scroll, "PixelsPage");
    scroll->setWidget(pixels);
    auto* pageBox = new QVBoxLayout(pixels);
    pageBox->setContentsMargins(0, 0, 0, 0);
    pageBox->setSpacing(0);
    PanelTitle = NewRowPanel(pixels, "PanelTitle", 25);
    LabelTitle = NewNamed<QLabel>(PanelTitle, "LabelTitle");
    LabelTitle->setAlignment(Qt::AlignCenter);
    LabelTitle->setWordWrap(true);
    QFont titleFont(QStringLiteral("Tahoma"));
    titleFont.setPixelSize(13);
    LabelTitle->setFont(titleFont);
    PanelTitle->layout()->addWidget(LabelTitle);
    pageBox->addWidget(PanelTitle);

    auto* body = NewRowPanel(pixels, "PanelBody", 0);
    pageBox->addWidget(body, 1);
    auto* bodyRow = static_cast<QHBoxLayout*>(body->layout());

    PanelMainL = NewRowPanel(body, "PanelMainL", 0);
    sbPanelCharts = NewTitleButton(PanelMainL, "sbPanelCharts", QStringLiteral(">"));
    sbPanelCharts->setFixedWidth(15);
    // the one control of the collapsed charts: a sign big enough to find
    QFont signFont = sbPanelCharts->font();
    signFont.setPixelSize(16);
    signFont.setBold(true);
    sbPanelCharts->setFont(signFont);
    sbPanelCharts->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    PanelMainL->layout()->addWidget(sbPanelCharts);
    PanelCharts = NewNamed<QWidget>(PanelMainL, "PanelCharts");
    PanelMainL->layout()->addWidget(PanelCharts);
    auto* chartsBox = new QVBoxLayout(PanelCharts);
    chartsBox->setContentsMargins(0, 0, 0, 0);
    chartsBox->setSpacing(2);
    PanelChartMid = NewNamed<QWidget>(PanelCharts, "PanelChartMid");
    auto* midBox = new QVBoxLayout(PanelChartMid);
    midBox->setContentsMargins(0, 0, 0, 0);
    midBox->setSpacing(2);
    FrameBarras1 = NewNamed<TFrameBarras>(PanelChartMid, "FrameBarras1");
    midBox->addWidget(FrameBarras1);
    FrameBarras1->SetFrameHeight(152);
    Splitter2 = new TSplitter(
        PanelChartMid, "Splitter2", Qt::Horizontal, [this] { return FrameBarras1->FrameHeight(); },
        [this](int h) {
            if (!FrameBarras1->IsExpanded())
                return;
            const int most = std::max(PanelChartMid->height() - 40, TFrameBarras::kTitleHeight + 6);
            FrameBarras1->SetFrameHeight(std::clamp(h, TFrameBarras::kTitleHeight + 6, most));
        },
        1);
    midBox->addWidget(Splitter2);
    Panel_Bottom = NewNamed<QWidget>(PanelChartMid, "Panel_Bottom");
    midBox->addWidget(Panel_Bottom, 1);
    auto* bottomBox = new QVBoxLayout(Panel_Bottom);
    bottomBox->setContentsMargins(0, 0, 0, 0);
    bottomBox->setSpacing(2);
    FrameHistogram1 = NewNamed<TFrameHistogram>(Panel_Bottom, "FrameHistogram1");
    FrameHistogram2 = NewNamed<TFrameHistogram>(Panel_Bottom, "FrameHistogram2");
    Splitter3 = new TSplitter(
        Panel_Bottom, "Splitter3", Qt::Horizontal, [this] { return FrameHistogram1->FrameHeight(); },
        [this](int h) {
            const int least = TFrameHistogram::kTitleHeight;
            const int most = std::max(Panel_Bottom->height() - TFrameHistogram::kTitleHeight - 8, least);
            FrameHistogram1->SetFrameHeight(std::clamp(h, least, most));
            FrameHistogram1->FrameResize();
        },
        1);
    bottomBox->addWidget(FrameHistogram1);
    bottomBox->addWidget(Splitter3);
    bottomBox->addWidget(FrameHistogram2);
    FrameHistogram1->SetFrameHeight(181);
    FrameHistogram2->SetAlignClient(true);
    FrameHistogram2->SetFrameHeight(200);
    bottomBox->addStretch(0);
    chartsBox->addWidget(PanelChartMid, 1);

    PanelGraphicOptions = NewNamed<QWidget>(PanelCharts, "PanelGraphicOptions");
    auto* options = new QGridLayout(PanelGraphicOptions);
    options->setContentsMargins(2, 0, 2, 0);
    options->setVerticalSpacing(0);
    SB_GraphicOptions = NewCollapsingTitle(PanelGraphicOptions, 80, "SB_GraphicOptions", QStringLiteral("Options"));
    SB_GraphicOptions->setStyleSheet(QStringLiteral("color: maroon"));
    SB_GraphicOptions->setProperty("Tag", 2);
    cbShowHistogram = NewNamed<QCheckBox>(PanelGraphicOptions, "cbShowHistogram");
    cbShowHistogram->setText(QStringLiteral("Show Histogram"));
    cbShowHistogram->setChecked(true);
    TrackBar_Amplitud = NewTrackBar(PanelGraphicOptions, "TrackBar_Amplitud", 50);
    Label1 = NewLabel(PanelGraphicOptions, "Label1", QStringLiteral("Transparency"));
    TrackBar_Transparency = NewTrackBar(PanelGraphicOptions, "TrackBar_Transparency", 20, true);
    cbShowModel = NewNamed<QCheckBox>(PanelGraphicOptions, "cbShowModel");
    cbShowModel->setText(QStringLiteral("Show Model"));
    Label5 = NewLabel(PanelGraphicOptions, "Label5", QStringLiteral("Line thickness"));
    TrackBar_Thickness = NewTrackBar(PanelGraphicOptions, "TrackBar_Thickness", 10, true);
    options->addWidget(SB_GraphicOptions, 0, 0, 1, 4, Qt::AlignLeft);
    options->addWidget(cbShowHistogram, 1, 0);
    options->addWidget(TrackBar_Amplitud, 1, 1);
    options->addWidget(Label1, 1, 2);
    options->addWidget(TrackBar_Transparency, 1, 3);
    options->addWidget(cbShowModel, 2, 0);
    options->addWidget(Label5, 2, 2);
    options->addWidget(TrackBar_Thickness, 2, 3);
    chartsBox->addWidget(PanelGraphicOptions);
    bodyRow->addWidget(PanelMainL);
    Splitter1 = new TSplitter(
        body, "Splitter1", Qt::Vertical, [this] { return PanelMainL->width(); },
        [this, body](int w) {
            SetLeftWidth(std::min(w, body->width() - 40));
            sbPanelCharts->setChecked(PanelMainL->width() > sbPanelCharts->width());
        },
        1);
    bodyRow->addWidget(Splitter1);

    PanelMainR = NewNamed<QWidget>(body, "PanelMainR");
    // the clocks stay whole beside the charts
    PanelMainR->setMinimumWidth(Panel_tiemposWidth + kTimeMargin);
    bodyRow->addWidget(PanelMainR, 1);
    auto* rightBox = new QVBoxLayout(PanelMainR);
    rightBox->setContentsMargins(0, 0, 0, 0);
    rightBox->setSpacing(2);
    Panel_Sampling = NewRowPanel(PanelMainR, "Panel_Sampling", 0);
    sb_Sampling = NewCollapsingTitle(Panel_Sampling, 37, "sb_Sampling", QStringLiteral("Sampling"));
    Lbl_Get_sample = NewNamed<QPushButton>(Panel_Sampling, "Lbl_Get_sample");
    Lbl_Get_sample->setText(QStringLiteral("Get sample"));
    Lbl_Get_sample->setFlat(true);
    Lbl_Get_sample->setEnabled(false);
    Panel_Sampling->layout()->addWidget(sb_Sampling);
    Panel_Sampling->layout()->addWidget(Lbl_Get_sample);
    static_cast<QHBoxLayout*>(Panel_Sampling->layout())->addStretch(1);
    static_cast<QHBoxLayout*>(Panel_Sampling->layout())->setAlignment(Qt::AlignTop);
    rightBox->addWidget(Panel_Sampling);
    PaintPanel = NewNamed<QWidget>(PanelMainR, "PaintPanel");
    auto* paintBox = new QVBoxLayout(PaintPanel);
    paintBox->setContentsMargins(0, 0, 0, 0);
    PaintBox1 = NewNamed<QWidget>(PaintPanel, "PaintBox1");
    PaintBox1->setAttribute(Qt::WA_OpaquePaintEvent);
    paintBox->addWidget(PaintBox1);
    rightBox->addWidget(PaintPanel, 1);

    pDynamic = NewNamed<QWidget>(PanelMainR, "pDynamic");
    auto* dynamicBox = new QVBoxLayout(pDynamic);
    dynamicBox->setContentsMargins(0, 0, 0, 0);
    dynamicBox->setSpacing(0);
    sb_Dynamic = NewCollapsingTitle(pDynamic, 125, "sb_Dynamic", QStringLiteral("Dynamics"));
    dynamicBox->addWidget(sb_Dynamic, 0, Qt::AlignLeft);
    auto* dynamicRow = new QHBoxLayout;
    m_dynamicRow = dynamicRow;
    dynamicBox->addLayout(dynamicRow, 1);
    Panel_Slides = NewNamed<QWidget>(pDynamic, "Panel_Slides");
    // the right panel may be narrower than both: the time panel stays whole
    Panel_Slides->setMinimumWidth(1);
    Panel_Slides->setMaximumWidth(280);
    auto* slides = new QGridLayout(Panel_Slides);
    slides->setContentsMargins(2, 0, 2, 0);
    slides->setVerticalSpacing(0);
    SB_PlayStop = NewNamed<QToolButton>(Panel_Slides, "SB_PlayStop");
    SB_PlayStop->setCheckable(true);
    SB_PlayStop->setText(QStringLiteral("||"));
    LblPDynamics = NewLabel(Panel_Slides, "LblPDynamics", QStringLiteral("Population dynamics"));
    Label_Speed = NewLabel(Panel_Slides, "Label_Speed", QStringLiteral("Speed"));
    TrackBar_Speed = NewTrackBar(Panel_Slides, "TrackBar_Speed", 50);
    TrackBar_Speed->setSingleStep(10);
    TrackBar_Speed->setPageStep(10);
    Label_Speedpc = NewLabel(Panel_Slides, "Label_Speedpc", QStringLiteral("100%"));
    Label2 = NewLabel(Panel_Slides, "Label2", QStringLiteral("%"));
    TrackBar_Progress = NewTrackBar(Panel_Slides, "TrackBar_Progress", 0, true);
    TrackBar_Progress->setPageStep(5);
    slides->addWidget(SB_PlayStop, 0, 0);
    slides->addWidget(LblPDynamics, 0, 1, 1, 2);
    slides->addWidget(Label_Speed, 1, 0);
    slides->addWidget(TrackBar_Speed, 1, 1);
    slides->addWidget(Label_Speedpc, 1, 2);
    slides->addWidget(Label2, 2, 0);
    slides->addWidget(TrackBar_Progress, 2, 1, 1, 2);
    dynamicRow->addWidget(Panel_Slides);
    dynamicRow->addStretch(1);
    Panel_tiempos = NewNamed<QWidget>(pDynamic, "Panel_tiempos");
    Panel_tiempos->setFixedWidth(Panel_tiemposWidth);
    auto* times = new QGridLayout(Panel_tiempos);
    times->setContentsMargins(2, 0, 2, 0);
    times->setVerticalSpacing(1);
    Label3 = NewLabel(Panel_tiempos, "Label3", QStringLiteral("Actual time"));
    Label4 = NewLabel(Panel_tiempos, "Label4", QStringLiteral("Final time"));
    ssH_Actual = NewClock(Panel_tiempos, "ssH_Actual", 5, "10:25");
    ssH_Final = NewClock(Panel_tiempos, "ssH_Final", 5, "10:25");
    ssM_Actual = NewClock(Panel_tiempos, "ssM_Actual", 8, "00:40:00");
    ssM_Total = NewClock(Panel_tiempos, "ssM_Total", 8, "00:40:00");
    SB_ShowTimeControls = NewTitleButton(Panel_tiempos, "SB_ShowTimeControls", QStringLiteral("<>"));
    SB_ShowTimeControls->setProperty("Tag", 1);
    times->addWidget(Label3, 0, 0, 1, 2);
    times->addWidget(ssH_Actual, 1, 0);
    times->addWidget(ssM_Actual, 1, 1);
    times->addWidget(Label4, 2, 0, 1, 2);
    times->addWidget(ssH_Final, 3, 0);
    times->addWidget(ssM_Total, 3, 1);
    times->addWidget(SB_ShowTimeControls, 0, 2);
    dynamicRow->addWidget(Panel_tiempos);
    Splitter6 = new TSplitter(
        PanelMainR, "Splitter6", Qt::Horizontal, [this] { return PanelHeight(pDynamic); },
        [this](int h) {
            const int least = kTitleButtonHeight + 3;
            SetPanelHeight(pDynamic, std::clamp(h, least, PanelMaxHeight(pDynamic)));
            const bool open = PanelHeight(pDynamic) > least;
            sb_Dynamic->setChecked(open);
            pDynamic->setProperty("Tag", open ? 1 : -1);
        },
        -1);
    rightBox->addWidget(Splitter6);
    rightBox->addWidget(pDynamic);
    PageControl1->addTab(TabSheet_Pixels, QStringLiteral("Population"));

    // Parameters page
    TabSheet_Parametros = NewNamed<QWidget>(PageControl1, "TabSheet_Parametros");
    auto* parametersBox = new QVBoxLayout(TabSheet_Parametros);
    parametersBox->setContentsMargins(0, 0, 0, 0);
    ProgBar1 = NewNamed<TProgBar>(TabSheet_Parametros, "ProgBar1");
    ProgBar1->setFixedHeight(16);
    // placed only: no value and no text to show
    ProgBar1->SetValue(0);
    ProgBar1->SetTextVisible(false);
    parametersBox->addWidget(ProgBar1);
    pageParameters = NewNamed<QTabWidget>(TabSheet_Parametros, "pageParameters");
    parametersBox->addWidget(pageParameters, 1);
    XMLBrowser = platform::CreateWebView(pageParameters);
    XMLBrowser->setObjectName(QStringLiteral("XMLBrowser"));
    pageParameters->addTab(XMLBrowser, QStringLiteral("Browser"));
    XMLTreeView = NewNamed<QTreeWidget>(pageParameters, "XMLTreeView");
    XMLTreeView->setHeaderHidden(true);
    XMLTreeView->setRootIsDecorated(false);
    XMLTreeView->setIndentation(19);
    XMLTreeView->setUniformRowHeights(true); // rows of one line: no per-row measuring
    pageParameters->addTab(XMLTreeView, QStringLiteral("Tree"));
    PageControl1->addTab(TabSheet_Parametros, QStringLiteral("Population Parameters"));
    auto* third = NewNamed<QWidget>(PageControl1, "TabSheet3");
    PageControl1->addTab(third, QString());
    PageControl1->setTabVisible(2, false);

    PopupMenu1 = NewNamed<QMenu>(PaintBox1, "PopupMenu1");
    It1 = PopupMenu1->addAction(QStringLiteral("Sujeto:"));
    It1->setObjectName(QStringLiteral("It1"));
    PopupMenu1->addSeparator()->setObjectName(QStringLiteral("N1"));
    It2 = PopupMenu1->addAction(QStringLiteral("Grupo aparente"));
    It2->setObjectName(QStringLiteral("It2"));
    it3 = PopupMenu1->addAction(QStringLiteral("Sexo"));
    it3->setObjectName(QStringLiteral("it3"));
    it4 = PopupMenu1->addAction(QStringLiteral("edad"));
    it4->setObjectName(QStringLiteral("it4"));

    setWidget(root);
    resize(1102, 671);
}

void TFPoblacion::BindControls()
{
    auto guard = [](auto&& handler) {
        return [handler] { platform::GuardEvent(handler); };
    };
    connect(Timer1, &QTimer::timeout, this, guard([this] { OnTimer(Timer1); }));
    connect(TrackBar_Speed, &QSlider::valueChanged, this, guard([this] { TrackBar_SpeedChange(); }));
    connect(TrackBar_Progress, &QSlider::valueChanged, this, guard([this] { TrackBar_ProgressChange(); }));
    connect(TrackBar_Amplitud, &QSlider::valueChanged, this, guard([this] { TrackBar_AmplitudChange(); }));
    connect(TrackBar_Amplitud, &QSlider::sliderReleased, this, guard([this] { TrackBar_AmplitudChange(); }));
    connect(TrackBar_Thickness, &QSlider::valueChanged, this, guard([this] { TrackBar_Thickness_Change(); }));
    connect(TrackBar_Transparency, &QSlider::valueChanged, this, guard([this] { TrackBar_Transparency_Change(); }));
    connect(cbShowHistogram, &QCheckBox::toggled, this, guard([this] { cbShowModelClick(); }));
    connect(cbShowModel, &QCheckBox::toggled, this, guard([this] { cbShowModelClick(); }));
    connect(SB_PlayStop, &QToolButton::clicked, this, guard([this] { SB_PlayStopClick(); }));
    connect(sbPanelCharts, &QToolButton::clicked, this, guard([this] { sbPanelChartsClick(); }));
    connect(SB_ShowTimeControls, &QToolButton::clicked, this, guard([this] { SB_ShowTimectrlsClick(); }));
    for (QToolButton* b : {sb_Sampling, sb_Dynamic, SB_GraphicOptions})
        connect(b, &QToolButton::clicked, this, guard([this, b] { ShowHidePanels(b); }));
    connect(Lbl_Get_sample, &QPushButton::clicked, this, guard([this] { GetSample(); }));
    for (QLabel* label : {Label_Speed, Label2, Label1, Label5})
        label->installEventFilter(this);
    Lbl_Get_sample->installEventFilter(this);
    PaintBox1->installEventFilter(this);
    pDynamic->installEventFilter(this);
    m_pixels->viewport()->installEventFilter(this);
}

bool TFPoblacion::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == m_pixels->viewport()) {
        // open charts follow the window and the right panel keeps its width;
        // a window too narrow for both keeps the charts open at their least
        // (the page scrolls): only the user collapses them
        if (Event->type() == QEvent::Resize && PanelMainL->width() > sbPanelCharts->width())
            FitLeftWidth(std::max(m_pixels->viewport()->width() - m_rightWidth, sbPanelCharts->width() + 1));
        return false;
    }
    if (Watched == pDynamic) {
        if (Event->type() == QEvent::Resize)
            ShowSlidesWhereTheyFit();
        return false;
    }
    if (Watched == PaintBox1) {
        switch (Event->type()) {
        case QEvent::Paint: {
            QPainter painter(PaintBox1);
            painter.drawImage(0, 0, m_cloud.Image());
            return true;
        }
        case QEvent::Resize:
            platform::GuardEvent([this] {
                // the first layout on screen gives the cloud's reference area
                if (PaintPanel->isVisible())
                    m_cloud.TakeInitialArea(static_cast<double>(PaintPanel->height()) * PaintPanel->width());
                const QSize before(m_cloud.Width(), m_cloud.Height());
                m_cloud.SetSize(PaintBox1->size());
                if (m_resizeBound)
                    PaintPanelResize();
                else if (PaintBox1->size() != before)
                    m_cloud.FormPaint(); // dots placed for the former size would crowd into its corner
            });
            return false;
        case QEvent::ContextMenu:
            platform::GuardEvent([this, Event] {
                PopupMenu1Popup();
                PopupMenu1->popup(static_cast<QContextMenuEvent*>(Event)->globalPos());
            });
            return true;
        default:
            return false;
        }
    }
    // the hover labels only; the sub-window watches other widgets of its own
    auto* widget = qobject_cast<QWidget*>(Watched);
    const bool hoverLabel = widget && (widget == Label_Speed || widget == Label2 || widget == Label1 ||
                                       widget == Label5 || widget == Lbl_Get_sample);
    if (!hoverLabel)
        return TFMDIChild::eventFilter(Watched, Event);
    if (Event->type() == QEvent::Enter) {
        SetHoverColour(widget, true);
        widget->setCursor(Qt::PointingHandCursor);
    } else if (Event->type() == QEvent::Leave) {
        SetHoverColour(widget, false);
    } else if (Event->type() == QEvent::MouseButtonRelease) {
        platform::GuardEvent([this, Watched] {
            if (Watched == Label_Speed)
                Label_SpeedClick();
            else if (Watched == Label2)
                Label2Click();
            else if (Watched == Label1)
                Label1Click();
            else if (Watched == Label5)
                Label5Click();
        });
    }
    return false;
}

void TFPoblacion::ResetSpeedAndProgress()
{
    TrackBar_Speed->setValue((TrackBar_Speed->minimum() + TrackBar_Speed->maximum()) / 2);
    TrackBar_Progress->setRange(0, 100);
    TrackBar_Progress->setValue(0);
}

void TFPoblacion::SetDataSource(std::shared_ptr<platform::XmlDocument> Source, const QString& Name)
{
    // Everything is built aside first, so a failure leaves the window as it was.
    if (!Source)
        throw platform::XmlError("No document to read");
    IXMLVexaType root = GetVexa(*Source);
    std::unique_ptr<tPopulation> model = BuildPopulationModel(root);
    const QString populationName = ToQString(root.System().Name());

    SetTimer1Enabled(false);
    DiscardSamples(); // they read the model that goes now
    TFMDIChild::SetDataSource(std::move(Source), Name);
    FRoot = root;
    FModel = std::move(model);
    m_populationName = populationName;
    XMLTreeView->clear();
    XMLNodeToTree(XMLTreeView, FRoot.Element(), nullptr);
    for (int i = 0; i < XMLTreeView->topLevelItemCount(); ++i)
        XMLTreeView->expandRecursively(XMLTreeView->model()->index(i, 0));
    if (XMLTreeView->topLevelItemCount() > 0)
        XMLTreeView->setCurrentItem(XMLTreeView->topLevelItem(0));
    XMLBrowser->Navigate(Name);
    m_keys = {QStringLiteral("Population"), QStringLiteral("File")};
    m_values = {m_populationName, Name};
    SetPropertyLists(&m_keys, &m_values);
    Lbl_Get_sample->setEnabled(true);
    ReadMessages();
    BuildPopulation();
    StartClock();
}

void TFPoblacion::ReadMessages()
{
    const auto items = FRoot.System().Msges().Msginit();
    TMessageKind kind = TMessageKind::Win;
    for (int i = 0; i < items.Count(); ++i) {
        const auto item = items.Get_Item(i);
        kind = MessageKindOf(item.Loc(), kind);
        const QString lbl = ToQString(item.Lbl());
        const QString href = StudyPageAddress(ToQString(item.Href()), DataName());
        switch (kind) {
        case TMessageKind::Win:
            m_messages.append(ShowWebMessageOverBackdrop(lbl, href, 25, 25, true));
            break;
        case TMessageKind::Form:
            if (TFMDIParent* parent = ParentForm())
                parent->NewChildForm_Web(this, false, href);
            break;
        case TMessageKind::Tab:
            AddWebTab(PageControl1, 0, lbl, href);
            break;
        case TMessageKind::Msg:
            m_messages.append(ShowWebMessage(lbl, href, false, true, 500, 1000));
            break;
        }
    }
}

QList<TFMsge*> TFPoblacion::MessageWindows() const
{
    QList<TFMsge*> out;
    for (const auto& m : m_messages)
        if (m)
            out.append(m.data());
    return out;
}

void TFPoblacion::BuildPopulation()
{
    LabelTitle->setText(ToQString(FRoot.System().Population().Name()));
    SetupBarFrame();
    // the bars show from the start, not from the first clock step
    DrawBars();
    SetupHistogramFrames();
    RefreshHistogram(1);
    RefreshHistogram(2);
}

// ---- the clock ----

void TFPoblacion::SetTimer1Enabled(bool on)
{
    m_timerEnabled = on;
    // model time runs with the clock only
    if (FModel) {
        if (on)
            FModel->ResumeClock();
        else
            FModel->HoldClock();
    }
    if (on && g_liveTimers)
        Timer1->start(m_timerInterval);
    else
        Timer1->stop();
}

void TFPoblacion::SetTimer1Interval(int ms)
{
    m_timerInterval = std::max(ms, 1);
    if (Timer1->isActive())
        Timer1->setInterval(m_timerInterval);
}

void TFPoblacion::StartClock()
{
    if (!FModel)
        return;
    const double now = FModel->ClockNow();
    FModel->SetStartTime(now);
    std::uint32_t h = 0;
    std::uint16_t m = 0, s = 0;
    MinutesToHMS(FModel->RunMinutes, h, m, s);
    FModel->SetEndTime(now + h / 24.0 + m / kMinutesPerDay + s / 86400.0);
    UpdateTimeDisplays();
}

void TFPoblacion::UpdateTimeDisplays()
{
    if (!FModel)
        return;
    const double elapsed = FModel->ModelMinutes();
    ssH_Actual->SetCaption(FormatTimeHMS(platform::CurrentClock().Now()));
    ssH_Final->SetCaption(FormatTimeHMS(FModel->EndTime));
    ssM_Total->SetCaption(HMSText(FModel->RunMinutes));
    ssM_Actual->SetCaption(HMSText(elapsed));
    const double p = ProgressPercent(elapsed, FModel->SimulatedMinutes);
    const QSignalBlocker detached(TrackBar_Progress);
    TrackBar_Progress->setValue(static_cast<int>(std::clamp(std::nearbyint(p), 0.0, 100.0)));
    TrackBar_Progress->SetSelEnd(TrackBar_Progress->value());  // its signal is blocked
    Label2->setText(QString::number(TrackBar_Progress->value()) + QLatin1Char('%'));
}

void TFPoblacion::TrackBar_SpeedChange()
{
    const int lo = FModel ? FModel->SpeedMin : 100;
    const int hi = FModel ? FModel->SpeedMax : 100;
    const double s = SpeedPercent(TrackBar_Speed->value(), lo, hi);
    SetTimer1Interval(TimerIntervalAt(FBaseInterval, s));
    Label_Speedpc->setText(QString::number(static_cast<int>(std::nearbyint(s))) + QLatin1Char('%'));
    if (!FModel)
        return;
    FModel->SetSpeed(s / 100.0);
    ssM_Total->SetCaption(HMSText(FModel->RunMinutes));
}

void TFPoblacion::Label_SpeedClick()
{
    TrackBar_Speed->setValue(50);
}

void TFPoblacion::TrackBar_ProgressChange()
{
    Label2->setText(QString::number(TrackBar_Progress->value()) + QLatin1Char('%'));
    if (!FModel)
        return;
    const bool wasEnabled = m_timerEnabled;
    SetTimer1Enabled(false);
    const double run = FModel->RunMinutes;
    const double elapsed = TrackBar_Progress->value() * run / 100.0;
    const double remaining = run - elapsed;
    // the clock stands: from the moment it stood, so a later resume moves both on
    const double now = FModel->ClockNow();
    FModel->SetStartTime(now - std::nearbyint(elapsed) / kMinutesPerDay);
    FModel->SetEndTime(now + std::nearbyint(remaining) / kMinutesPerDay);
    UpdateTimeDisplays();
    OnTimer(TrackBar_Progress);
    SetTimer1Enabled(wasEnabled);
}

void TFPoblacion::Label2Click()
{
    TrackBar_Progress->setValue(0);
}

void TFPoblacion::OnTimer(QObject* Sender)
{
    // Nothing processes events inside a step, and a step never runs inside another.
    if (m_inTick)
        return;
    m_inTick = true;
    struct TLeave {
        bool& flag;
        ~TLeave() { flag = false; }
    } leave{m_inTick};
    if (FModel) {
        UpdateTimeDisplays();
        const double t = FModel->ModelMinutes();
        FModel->UpdateGroupWeights(t);
        FModel->UpdateMeans(t);
        if (FrameBarras1->IsExpanded())
            DrawBars();
        for (TFrameHistogram* frame : {FrameHistogram1, FrameHistogram2})
            if (frame->IsExpanded())
                UpdateHistogram(frame, true);
        if (Sender != TrackBar_Progress)
            SB_PlayStop->setChecked(!m_timerEnabled);
        UpdateScaleFactor();
    }
    PlotPoints();
}

void TFPoblacion::SB_PlayStopClick()
{
    SetTimer1Enabled(!SB_PlayStop->isChecked());
}

// ---- activation and panels ----

void TFPoblacion::FormActivate()
{
    TFMDIChild::FormActivate();
    if (!isMaximized() && ParentForm())
        showMaximized();
    update();
    // The bars are set up once: set again at a later activation they would
    // restart a run the user moved and undo the charts' options.
    if (!m_activated) {
        m_activated = true;
        TrackBar_Speed->setRange(0, 100);
        TrackBar_Speed->setValue(50);
        TrackBar_Progress->setRange(0, 100);
        TrackBar_Progress->setValue(0);
        TrackBar_Transparency->setRange(0, 100);
        TrackBar_Transparency->setValue(20);
        TrackBar_Thickness->setRange(0, 100);
        TrackBar_Thickness->setValue(10);
        SetTimer1Interval(FBaseInterval);
    }
    m_resizeBound = true;
    SetTimer1Enabled(true);
    // the clock goes on from where the window was left
    UpdateTimeDisplays();
    cbShowModelClick();
    // the bars of the shares as they stand
    if (FModel && FrameBarras1->IsExpanded())
        DrawBars();
}

void TFPoblacion::FormDeactivate()
{
    SetTimer1Enabled(false);
    SB_PlayStop->setChecked(true);
    if (PanelHeight(pDynamic) < PanelMaxHeight(pDynamic))
        ShowHidePanels(sb_Dynamic);
    // the button goes down first, so the layout is the one its state shows
    // and its next click changes it
    if (!SB_ShowTimeControls->isChecked()) {
        SB_ShowTimeControls->setChecked(true);
        SB_ShowTimectrlsClick();
    }
}

int TFPoblacion::PanelHeight(const QWidget* Panel)
{
    const QVariant h = Panel->property("Height");
    return h.isValid() ? h.toInt() : PanelMaxHeight(Panel);
}

int TFPoblacion::PanelMaxHeight(const QWidget* Panel)
{
    return Panel->property("MaxHeight").toInt();
}

void TFPoblacion::SetPanelHeight(QWidget* Panel, int Height)
{
    Panel->setFixedHeight(Height);
    Panel->setProperty("Height", Height);
    if (Panel == Panel_Sampling)
        return; // its one row fits beside the title button
    // a collapsed panel shows only its title button
    const bool open = Height > kTitleButtonHeight + 3;
    for (QWidget* child : Panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!qobject_cast<QToolButton*>(child) || (child != sb_Dynamic && child != SB_GraphicOptions))
            child->setVisible(open);
    if (Panel == pDynamic)
        ShowSlidesWhereTheyFit();
}

void TFPoblacion::ShowSlidesWhereTheyFit()
{
    const bool open = PanelHeight(pDynamic) > kTitleButtonHeight + 3;
    // the row's own spacing, on both sides of its stretch
    const int room = pDynamic->width() - Panel_tiempos->width() - 2 * m_dynamicRow->spacing();
    const bool fits = room >= Panel_Slides->minimumSizeHint().width();
    if (Panel_Slides->isVisibleTo(pDynamic) != (open && fits))
        Panel_Slides->setVisible(open && fits);
}

void TFPoblacion::ShowHidePanels(QObject* Sender)
{
    QWidget* panel = nullptr;
    int offset = 3;
    if (Sender == sb_Dynamic) {
        panel = pDynamic;
    } else if (Sender == SB_GraphicOptions) {
        panel = PanelGraphicOptions;
    } else if (Sender == sb_Sampling) {
        panel = Panel_Sampling;
        offset = 0;
    }
    auto* button = qobject_cast<QToolButton*>(Sender);
    if (!panel || !button)
        return;
    if (kTitleButtonHeight + offset < PanelHeight(panel)) {
        SetPanelHeight(panel, kTitleButtonHeight + offset);
        button->setChecked(false);
        panel->setProperty("Tag", -1);
    } else {
        SetPanelHeight(panel, PanelMaxHeight(panel));
        button->setChecked(true);
        panel->setProperty("Tag", 1);
    }
}

void TFPoblacion::SetLeftWidth(int Width)
{
    // the width the right panel keeps when the window is resized
    m_rightWidth = m_pixels->viewport()->width() - std::max(Width, sbPanelCharts->width());
    FitLeftWidth(Width);
}

void TFPoblacion::FitLeftWidth(int Width)
{
    int w = std::max(Width, sbPanelCharts->width());
    // beside collapsed charts the speed controls stand whole by the clocks
    // (a narrow window scrolls to them); open charts leave the clocks alone
    const int slides = w > sbPanelCharts->width()
                           ? 0
                           : Panel_Slides->minimumSizeHint().width() + 2 * m_dynamicRow->spacing();
    PanelMainR->setMinimumWidth(std::max(Panel_tiemposWidth + kTimeMargin, Panel_tiemposWidth + slides));
    if (w > sbPanelCharts->width()) {
        // open charts keep a width of their own, and leave the right panel its least
        // beside the charts: the splitter and the right panel, apart by the row's spacing
        const int spacing = PanelMainL->parentWidget()->layout()->spacing();
        const int room =
            m_pixels->viewport()->width() - Splitter1->width() - PanelMainR->minimumWidth() - 2 * spacing;
        // the least that shows the histograms' option rows whole
        const int options = std::max(FrameHistogram1->WrappedOptionWidth(), FrameHistogram2->WrappedOptionWidth());
        const int least = std::max(kLeastChartsWidth, sbPanelCharts->width() + spacing + options);
        w = std::max(std::min(w, room), least);
    }
    // collapsed, the panel shows its button alone, not the charts squeezed beside it
    PanelCharts->setVisible(w > sbPanelCharts->width());
    PanelMainL->setFixedWidth(w);
}

void TFPoblacion::sbPanelChartsClick()
{
    const int w = Panel_tiempos->width() + 20;
    if (sbPanelCharts->width() >= PanelMainL->width()) {
        SetLeftWidth(width() - w);
        sbPanelCharts->setChecked(true);
    } else {
        SetLeftWidth(sbPanelCharts->width());
        sbPanelCharts->setChecked(false);
    }
    // down when the right panel, as laid out now, has room beside the clocks
    PanelMainR->parentWidget()->layout()->activate();
    SB_ShowTimeControls->setChecked(w < PanelMainR->width());
    UpdateScaleFactor();
    PaintPanelResize();
    OnTimer(nullptr);
}

void TFPoblacion::SB_ShowTimectrlsClick()
{
    const int w = Panel_tiempos->width() + 20;
    // open charts stay open in a narrow window (the page scrolls)
    const int least = PanelMainL->width() > sbPanelCharts->width() ? kLeastChartsWidth : 0;
    if (!SB_ShowTimeControls->isChecked()) {
        SetLeftWidth(std::max(width() - w, least));
        SB_ShowTimeControls->setProperty("Tag", 0);
    } else {
        SetLeftWidth(std::max(width() - (Panel_Slides->maximumWidth() + w + 20), least));
        SB_ShowTimeControls->setProperty("Tag", 1);
    }
}

void TFPoblacion::Label1Click()
{
    TrackBar_Transparency->setValue(20);
}

void TFPoblacion::Label5Click()
{
    TrackBar_Thickness->setValue(10);
}

void TFPoblacion::GetSample()
{
    if (FModel)
        if (TFMDIParent* parent = ParentForm())
            parent->NewChildForm_Muestra(this);
}

// ---- the point cloud ----

void TFPoblacion::UpdateScaleFactor()
{
    m_cloud.UpdateScaleFactor(static_cast<double>(PaintPanel->height()) * PaintPanel->width());
}

void TFPoblacion::PaintPanelResize()
{
    const double area = static_cast<double>(PaintPanel->height()) * PaintPanel->width();
    m_cloud.TakeInitialArea(area);
    m_cloud.SetSize(PaintBox1->size());
    m_cloud.UpdateScaleFactor(area);
    m_cloud.Resize();
    PaintBox1->update();
}

void TFPoblacion::PlotPoints()
{
    m_cloud.PlotPoints();
    PaintBox1->update();
}

void TFPoblacion::PopupMenu1Popup()
{
    const TSubjectCaptions subject = RandomSubject();
    It1->setText(subject.Subject);
    It1ImageIndex = subject.ImageIndex;
    It1->setIcon(QIcon(QPixmap::fromImage(SubjectImage(It1ImageIndex))));
    It2->setText(subject.Group);
    it3->setText(subject.Sex);
    it4->setText(subject.Age);
}

// ---- samples and closing ----

void TFPoblacion::AttachSample(TFMuestra* Sample)
{
    if (Sample)
        m_samples.append(Sample);
}

QList<TFMuestra*> TFPoblacion::Samples() const
{
    QList<TFMuestra*> out;
    for (const auto& s : m_samples)
        if (s)
            out.append(s.data());
    return out;
}

void TFPoblacion::FormCloseQuery(bool& CanClose)
{
    TFMDIChild::FormCloseQuery(CanClose);
    if (!CanClose)
        return;
    // every sample is asked before any closes; one that stays needs this window's model
    const QList<TFMuestra*> samples = Samples();
    TClosingRound round;
    CanClose = round.Close(QList<TFMDIChild*>(samples.begin(), samples.end()));
}

bool TFPoblacion::AskBeforeClosing(QList<QPointer<TFMDIChild>>& Agreed)
{
    if (!TFMDIChild::AskBeforeClosing(Agreed))
        return false;
    for (TFMuestra* sample : Samples())
        if (!sample->isHidden() && !sample->AskBeforeClosing(Agreed))
            return false;
    return true;
}

void TFPoblacion::DiscardSamples()
{
    for (TFMuestra* sample : Samples()) {
        TCloseAction action = caFree;
        sample->FormClose(action);
        delete sample;
    }
    m_samples.clear();
}
