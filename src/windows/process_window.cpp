#include "windows/process_window.h"

#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "chart/controls/chart_grid.h"
#include "chart/controls/chart_list_box.h"
#include "chart/series/line_series.h"
#include "chart/series_pointer.h"
#include "core/random_numbers.h"
#include "core/random_process.h"
#include "core/text_routines.h"
#include "platform/window_system.h"
#include "widgets/on_off_button.h"
#include "widgets/seven_segment.h"
#include "widgets/table_editor.h"
#include "windows/form_controls.h"
#include "windows/process_series_sink.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>
#include <string>

namespace {

constexpr TColor kMaroon = 0x000080;
constexpr int kDisplayDigits = 4;
constexpr int kMarksTrialLimit = 10;  // more trials hide the marks
constexpr int kMaxRepetitions = 3000;
constexpr int kResetRepeatMaximum = 2000;
constexpr int kSummaryColumnWidth = 70;
constexpr int kMarkRoom = 32;  // pixels: half an outcome mark and its frame
constexpr TColor kClosedSeriesColor = 0x808080;  // grey, visible on the chart's grey

QToolButton* NewButton(QWidget* parent, const char* name, const char* text)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(QString::fromUtf8(text));
    return b;
}

TSevenSeg* NewDisplay(QWidget* parent, const char* name)
{
    auto* d = new TSevenSeg(parent);
    d->setObjectName(QString::fromLatin1(name));
    d->setFixedSize(96, 40);
    d->SetNumDigits(kDisplayDigits);
    d->SetColorText(kMaroon);
    d->SetFrameStyle(fsEngraved);
    d->SetCaption("0000");
    return d;
}

std::string Counter(std::int64_t n)
{
    return RightChars("00000000000" + std::to_string(n), kDisplayDigits);
}

void SetTitle(TChart& chart, const char* text)
{
    chart.Title()->SetCaption(text);
    chart.Title()->SetVisible(true);
}

} // namespace

TFProceso::TFProceso(TFMDIParent* Owner, const QString&) : TFMDIChild(Owner), WaitSeconds(DelaySeconds)
{
    ProcessSlots.resize(kProcessSlotCount);
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    PageControl1 = new QTabWidget(body);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    layout->addWidget(PageControl1);

    QWidget* process = AddScrollingTab(PageControl1, "ProcessScroll", "ProcessPage", QStringLiteral("  Process  "));
    auto* row = new QHBoxLayout(process);
    row->setContentsMargins(2, 2, 2, 2);
    row->addWidget(BuildLeftColumn(process));
    PanelMainR = new QSplitter(Qt::Vertical, process);
    PanelMainR->setObjectName(QStringLiteral("PanelMainR"));
    PanelChart_T = static_cast<QSplitter*>(BuildChartPanel(PanelMainR, false));
    PanelChart_P = static_cast<QSplitter*>(BuildChartPanel(PanelMainR, true));
    PanelMainR->addWidget(PanelChart_T);
    PanelMainR->addWidget(PanelChart_P);
    row->addWidget(PanelMainR, 1);

    auto* parameters = new QWidget(PageControl1);
    auto* pl = new QVBoxLayout(parameters);
    NTabEd1 = new TNTabEd(parameters, "NTabEd1");
    NTabEd1->setObjectName(QStringLiteral("NTabEd1"));
    pl->addWidget(NTabEd1);
    PageControl1->addTab(parameters, QStringLiteral("Process parameters"));

    const auto lookup = [this](IProcessPointSink* sink) { return SeriesOfSink(sink); };
    m_gridLinkT = std::make_unique<TProcessGridLink>(ChartGrid_T, lookup);
    m_gridLinkP = std::make_unique<TProcessGridLink>(ChartGrid_P, lookup);

    setWidget(body);
    resize(1000, 700);
}

TFProceso::~TFProceso()
{
    // the processes hold sinks of series the charts own
    ProcessSlots.clear();
}

QWidget* TFProceso::BuildLeftColumn(QWidget* parent)
{
    PanelL = new QWidget(parent);
    PanelL->setObjectName(QStringLiteral("PanelL"));
    PanelL->setFixedWidth(250);
    auto* column = new QVBoxLayout(PanelL);
    column->setContentsMargins(2, 2, 2, 2);

    auto* displays = new QWidget(PanelL);
    auto* grid = new QVBoxLayout(displays);
    grid->setContentsMargins(0, 0, 0, 0);
    ssegAciertos = NewDisplay(displays, "ssegAciertos");
    LblAciertos = new QLabel(QStringLiteral("Aciertos"), displays);
    LblAciertos->setObjectName(QStringLiteral("LblAciertos"));
    ssegPruebas = NewDisplay(displays, "ssegPruebas");
    LblPruebas = new QLabel(QStringLiteral("Pruebas"), displays);
    LblPruebas->setObjectName(QStringLiteral("LblPruebas"));
    for (auto [display, label] : {std::pair<QWidget*, QWidget*>{ssegAciertos, LblAciertos}, {ssegPruebas, LblPruebas}}) {
        auto* line = new QHBoxLayout;
        line->addWidget(display);
        line->addWidget(label);
        grid->addLayout(line);
    }
    auto* launch = new QHBoxLayout;
    OnOffBut1 = new TOnOffBut(displays);
    OnOffBut1->setObjectName(QStringLiteral("OnOffBut1"));
    OnOffBut1->SetButtonStyle(oobsBeveledLed);
    OnOffBut1->setFixedSize(48, 48);
    OnOffBut1->SetOnOff(true);
    OnOffBut1->OnClick = [this](TInstrumentHost*) { Execute(); };
    LblLanzar = new QLabel(QStringLiteral("Lanzar"), displays);
    LblLanzar->setObjectName(QStringLiteral("LblLanzar"));
    sbReset = NewButton(displays, "sbReset", "Reset");
    sbReset->setEnabled(false);
    connect(sbReset, &QToolButton::clicked, this, [this] { sbResetClick(); });
    launch->addWidget(OnOffBut1);
    launch->addWidget(LblLanzar);
    launch->addWidget(sbReset);
    grid->addLayout(launch);
    column->addWidget(displays);

    PanelLBottom = new QWidget(PanelL);
    PanelLBottom->setObjectName(QStringLiteral("PanelLBottom"));
    PanelLBottom->setAutoFillBackground(true);
    QPalette white = PanelLBottom->palette();
    white.setColor(QPalette::Window, Qt::white);
    PanelLBottom->setPalette(white);
    auto* options = new QVBoxLayout(PanelLBottom);
    options->setContentsMargins(2, 2, 2, 2);
    sbOptions = NewButton(PanelLBottom, "sbOptions", "options");
    sbOptions->setCheckable(true);
    connect(sbOptions, &QToolButton::clicked, this, [this] { sbOptionsClick(); });
    options->addWidget(sbOptions);
    PanelOptions = new QWidget(PanelLBottom);
    auto* ol = new QVBoxLayout(PanelOptions);
    ol->setContentsMargins(0, 0, 0, 0);
    auto* repeat = new QHBoxLayout;
    SpinRepeticiones = new QSpinBox(PanelOptions);
    SpinRepeticiones->setObjectName(QStringLiteral("SpinRepeticiones"));
    SpinRepeticiones->setRange(1, kMaxRepetitions);
    SpinRepeticiones->setValue(1);
    if (auto* edit = SpinRepeticiones->findChild<QLineEdit*>())
        edit->setReadOnly(true);  // the arrows only
    connect(SpinRepeticiones, &QSpinBox::valueChanged, this, [this] { SpinRepeticionesChange(); });
    sbResetRepeat = NewButton(PanelOptions, "sbResetRepeat", "1");
    connect(sbResetRepeat, &QToolButton::clicked, this, [this] { sbResetRepeatClick(); });
    repeat->addWidget(SpinRepeticiones);
    repeat->addWidget(sbResetRepeat);
    ol->addLayout(repeat);
    SpinEdit1 = new QSpinBox(PanelOptions);
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SpinEdit1->setRange(1, 100);
    SpinEdit1->setSingleStep(5);
    SpinEdit1->setValue(50);
    SpinEdit1->setSuffix(QStringLiteral(" %"));
    ol->addWidget(SpinEdit1);
    cbRepeat = NewCheckBox(PanelOptions, "cbRepeat", "Repeat", false);
    cbShowMarks = NewCheckBox(PanelOptions, "cbShowMarks", "Show marks", false);
    cbViewData = NewCheckBox(PanelOptions, "cbViewData", "Show Data", false);
    cbPChart = NewCheckBox(PanelOptions, "cbPChart", "Show P-Chart", true);
    cbLog_P = NewCheckBox(PanelOptions, "cbLog_P", "Logarithmic", false);
    cbKeep_T = NewCheckBox(PanelOptions, "cbKeep_T", "Maintain previous t series", true);
    cbKeep_P = NewCheckBox(PanelOptions, "cbKeep_P", "Maintain previous P series", true);
    for (QCheckBox* c : {cbRepeat, cbShowMarks, cbViewData, cbPChart, cbLog_P, cbKeep_T, cbKeep_P})
        ol->addWidget(c);
    connect(cbRepeat, &QCheckBox::clicked, this, [this] { cbRepeatClick(); });
    connect(cbViewData, &QCheckBox::clicked, this, [this] { cbViewDataClick(); });
    connect(cbPChart, &QCheckBox::clicked, this, [this] { cbPChartClick(); });
    connect(cbLog_P, &QCheckBox::clicked, this, [this] { cbLog_PClick(); });
    SpeedButton1 = NewButton(PanelOptions, "SpeedButton1", "Summary statistics");
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
    ol->addWidget(SpeedButton1);
    ol->addStretch(1);
    options->addWidget(PanelOptions, 1);
    column->addWidget(PanelLBottom, 1);
    column->addStretch(0);
    return PanelL;
}

QWidget* TFProceso::BuildChartPanel(QWidget* parent, bool pChart)
{
    auto* panel = new QSplitter(Qt::Horizontal, parent);
    panel->setObjectName(pChart ? QStringLiteral("PanelChart_P") : QStringLiteral("PanelChart_T"));
    auto* chart = new TChart(panel);
    chart->setObjectName(pChart ? QStringLiteral("Chart_P") : QStringLiteral("Chart_T"));
    chart->SetView3D(false);
    chart->Legend()->SetVisible(false);
    chart->setMinimumSize(200, 120);
    auto* data = new QWidget(panel);
    data->setObjectName(pChart ? QStringLiteral("Panel_PData") : QStringLiteral("Panel_TData"));
    auto* dl = new QVBoxLayout(data);
    dl->setContentsMargins(0, 0, 0, 0);
    auto* list = new TChartListBox(data);
    list->setObjectName(pChart ? QStringLiteral("ChartListBox_P") : QStringLiteral("ChartListBox_T"));
    list->SetBorderStyle(platform::bsNone);
    list->SetItemHeight(24);
    list->setFixedHeight(3 * 24 + 4);
    list->SetChart(chart);
    auto* grid = new TChartGrid(data);
    grid->setObjectName(pChart ? QStringLiteral("ChartGrid_P") : QStringLiteral("ChartGrid_T"));
    grid->SetBorderStyle(platform::bsNone);
    grid->SetChart(chart);
    grid->SetShowLabels(false);
    // the T series is a horizontal one: without its X column the grid would
    // show the trial numbers alone, not the outcomes
    grid->SetShowXValues(cgsYes);
    grid->SetFixedColor(clWhite);
    dl->addWidget(list);
    dl->addWidget(grid, 1);
    panel->addWidget(chart);
    panel->addWidget(data);
    panel->setStretchFactor(0, 1);
    connect(panel, &QSplitter::splitterMoved, this, [this, panel] { Panel_DataResize(panel); });
    data->setVisible(false);
    if (pChart) {
        Chart_P = chart;
        ChartListBox_P = list;
        ChartGrid_P = grid;
        Panel_PData = data;
        chart->LeftAxis()->SetIncrement(0.1);
        // the tenths, not the points' quarter texts
        chart->LeftAxis()->SetLabelStyle(talValue);
        chart->LeftAxis()->MinorGrid()->SetVisible(true);
        chart->LeftAxis()->MinorGrid()->SetStyle(psDot);
        chart->LeftAxis()->MinorGrid()->SetColor(clSilver);
        // whole trial numbers
        chart->BottomAxis()->SetIncrement(1);
    } else {
        Chart_T = chart;
        ChartListBox_T = list;
        ChartGrid_T = grid;
        Panel_TData = data;
        // whole trial numbers, as many as fit apart: a step of 10 left a
        // short series with its last number alone
        chart->BottomAxis()->SetIncrement(1);
        chart->LeftAxis()->SetIncrement(0.5);
        // room for the outcome marks of the first and last trials
        chart->BottomAxis()->SetMinimumOffset(kMarkRoom);
        chart->BottomAxis()->SetMaximumOffset(kMarkRoom);
    }
    SetTitle(*chart, pChart ? "Proporción de aciertos" : "Pruebas");
    return panel;
}

tBernoulli* TFProceso::Process(int slot) const
{
    if (slot < 0 || slot >= static_cast<int>(ProcessSlots.size()))
        return nullptr;
    return ProcessSlots[static_cast<std::size_t>(slot)].Process.get();
}

TChartSeries* TFProceso::SeriesOfSink(IProcessPointSink* sink) const
{
    for (const TProcessSlot& slot : ProcessSlots) {
        if (slot.SinkT.get() == sink)
            return slot.SinkT->Series();
        if (slot.SinkP.get() == sink)
            return slot.SinkP->Series();
    }
    return nullptr;
}

// ---- activation and closing ----

void TFProceso::FormActivate()
{
    TFMDIChild::FormActivate();
    // The options fold and the probability starts at 30 % at the first
    // activation only: set again at each one, a click on "options" that
    // brings the window forward would undo itself and the probability the
    // user chose would be lost.
    const bool first = !m_activated;
    m_activated = true;
    if (first)
        sbOptionsClick();
    // the spin counts only with "Repeat" on (a reset puts the closed
    // series' count in it)
    m_repetitions = cbRepeat->isChecked() ? SpinRepeticiones->value() : 1;
    LblLanzar->setText(QStringLiteral("Nuevo lanzamiento"));
    LblAciertos->setText(QStringLiteral("Aciertos"));
    LblPruebas->setText(QStringLiteral("Pruebas"));
    SetTitle(*Chart_T, "Pruebas");
    SetTitle(*Chart_P, "Proporción de aciertos");
    Chart_T->LeftAxis()->SetMinMax(-0.5, 1.5);
    Chart_P->LeftAxis()->SetMinMax(-0.05, 1.05);
    Panel_TData->setVisible(cbViewData->isChecked());
    Panel_PData->setVisible(cbViewData->isChecked());
    PanelChart_P->setVisible(cbPChart->isChecked());
    if (!cbPChart->isChecked())
        SetChartPanelHeight(static_cast<int>(Round(0.75 * PanelMainR->height())));
    ChartGrid_T->SetChart(Chart_T);
    ChartGrid_P->SetChart(Chart_P);
    if (first)
        SpinEdit1->setValue(30);
}

void TFProceso::FormClose(TCloseAction& Action)
{
    TFMDIChild::FormClose(Action);
    for (TProcessSlot& slot : ProcessSlots)
        slot = TProcessSlot{};
    m_currentSeries = 0;
}

// ---- launches ----

void TFProceso::CreateSeriesProcess(int k, double p)
{
    TProcessSlot& slot = ProcessSlots[static_cast<std::size_t>(k)];
    slot.Process = std::make_unique<tBernoulli>(0, 0, p);
    slot.Process->SetLabels("Fallo", "Acierto");
    const std::string title = "Serie " + std::to_string(k);

    auto* t = new THorizLineSeries(this);
    t->setObjectName(QStringLiteral("SerieT%1").arg(k));
    Chart_T->AddSeries(t);
    Chart_T->BottomAxis()->SetLabels(true);
    t->Marks().SetTransparent(true);
    t->SetSeriesColor(clRed);
    t->SetTitle(title);
    t->Pointer().SetVisible(true);
    t->Pointer().SetSize(2);
    t->Marks().SetVisible(true);

    auto* pSeries = new THorizLineSeries(this);
    pSeries->setObjectName(QStringLiteral("SerieP%1").arg(k));
    Chart_P->AddSeries(pSeries);
    pSeries->SetSeriesColor(clRed);
    pSeries->SetTitle(title);
    pSeries->Pointer().SetVisible(cbShowMarks->isChecked());
    pSeries->Pointer().SetSize(1);
    Chart_P->LeftAxis()->SetLabels(true);
    Chart_P->LeftAxis()->Ticks()->SetVisible(true);

    slot.SinkT = std::make_unique<TProcessSeriesSink>(t, Chart_T);
    slot.SinkP = std::make_unique<TProcessSeriesSink>(pSeries, Chart_P);
    slot.Process->SetSeriesCount(2);
    slot.Process->SetSeries(0, slot.SinkT.get(), m_gridLinkT.get());
    slot.Process->SetSeries(1, slot.SinkP.get(), m_gridLinkP.get());
}

void TFProceso::Execute()
{
    if (m_currentSeries == 0)
        m_currentSeries = 1;
    const double p = SpinEdit1->value() / 100.0;
    const int k = m_currentSeries;
    if (!Process(k))
        CreateSeriesProcess(k, p);
    TProcessSlot& slot = ProcessSlots[static_cast<std::size_t>(k)];
    tBernoulli& process = *slot.Process;

    OnOffBut1->SetOnOff(false);
    // the grids are rebuilt once, after the launch
    process.BeginUpdate();
    for (int i = 0; i < m_repetitions; ++i) {
        process.Trial();
        if (process.TrialCount() > kMarksTrialLimit) {
            for (TProcessSeriesSink* sink : {slot.SinkT.get(), slot.SinkP.get()})
                if (TChartSeries* s = sink->Series(); s && s->Marks().Visible())
                    s->Marks().SetVisible(false);
        }
    }
    process.EndUpdate();
    sbReset->setEnabled(true);
    OnOffBut1->SetOnOff(true);
    ShowCounts();
}

void TFProceso::ShowCounts()
{
    const tBernoulli* process = Process(m_currentSeries);
    ssegAciertos->SetCaption(Counter(process ? process->Sum() : 0));
    ssegPruebas->SetCaption(Counter(process ? process->TrialCount() : 0));
}

void TFProceso::sbResetClick()
{
    sbReset->setEnabled(false);
    Randomize();
    OnOffBut1->SetEnabled(false);
    LblLanzar->setEnabled(false);
    QApplication::processEvents();

    // lamp test; nothing paints during the waits, so each phase reaches
    // the screen on both displays before its wait starts
    const int d = ssegPruebas->NumDigits();
    const auto show = [this](const std::string& caption) {
        for (TSevenSeg* s : {ssegAciertos, ssegPruebas})
            s->SetCaption(caption);
        platform::ShowPaintedNow(ssegAciertos);
    };
    show(RightChars("88888888888", d));
    if (WaitSeconds)
        WaitSeconds(0.5);
    show(RightChars(std::string(17, ' '), d));
    if (WaitSeconds)
        WaitSeconds(0.3);
    show(RightChars("00000000000", d));

    OnOffBut1->SetEnabled(true);
    LblLanzar->setEnabled(true);

    const tBernoulli* closed = Process(m_currentSeries);
    const int closedTrials =
        closed ? static_cast<int>(std::min<std::int64_t>(closed->TrialCount(), INT_MAX)) : 0;
    ++m_currentSeries;
    if (m_currentSeries > 1)
        SpinRepeticiones->setValue(closedTrials);
    // the last slot is reused from then on
    if (m_currentSeries > kLastProcessSlot) {
        m_currentSeries = kLastProcessSlot;
        ProcessSlots[kLastProcessSlot] = TProcessSlot{};
    }
    SpinRepeticiones->setMaximum(std::max(0, closedTrials));
    if (cbRepeat->isChecked())
        SpinRepeticiones->setValue(closedTrials);

    for (int i = 0; i < Chart_T->SeriesCount(); ++i) {
        TChartSeries* s = Chart_T->Series(i);
        s->SetSeriesColor(clSilver);
        s->SetActive(false);
        s->Marks().SetVisible(false);
    }
    if (Chart_T->SeriesCount() > 0)
        Chart_T->Series(Chart_T->SeriesCount() - 1)->SetActive(true);
    // closed series stay in sight, greyed (the background colour would hide them)
    for (int i = 0; i < Chart_P->SeriesCount(); ++i)
        Chart_P->Series(i)->SetSeriesColor(kClosedSeriesColor);
    if (Chart_P->SeriesCount() > 0)
        Chart_P->Series(Chart_P->SeriesCount() - 1)->Repaint();
}

// ---- summary ----

void TFProceso::SpeedButton1Click()
{
    if (m_currentSeries <= 0)
        return;
    PageControl1->setCurrentIndex(1);
    NTabEd1->SetTableSize(3, 0);
    NTabEd1->SetAttribRowVisible(false);
    NTabEd1->SetAttribColVisible(false);
    const int decimals[] = {0, 0, 3};
    const char* names[] = {"Pruebas", "Aciertos", "porcentaje"};
    for (int c = 1; c <= 3; ++c) {
        NTabEd1->SetColWidth(c, kSummaryColumnWidth);
        NTabEd1->SetDecPlaces(c, decimals[c - 1]);
        NTabEd1->SetColName(c, names[c - 1]);
    }
    for (int i = 1; i <= m_currentSeries; ++i) {
        const tBernoulli* process = Process(i);
        if (!process)
            continue;
        NTabEd1->InsertRow(i);
        NTabEd1->SetRowName(i, "Proceso " + std::to_string(i));
        const double trials = static_cast<double>(process->TrialCount());
        const double successes = static_cast<double>(process->Sum());
        NTabEd1->SetElem(1, i, trials);
        NTabEd1->SetElem(2, i, successes);
        NTabEd1->SetElem(3, i, trials > 0 ? successes / trials : 0.0);
    }
}

// ---- options ----

void TFProceso::cbRepeatClick()
{
    m_repetitions = cbRepeat->isChecked() ? SpinRepeticiones->value() : 1;
}

void TFProceso::SpinRepeticionesChange()
{
    const int v = SpinRepeticiones->value();
    int step = 100;
    if (v < 10)
        step = 10 - v;
    else if (v < 50)
        step = 50 - v;
    else if (v < 100)
        step = 100 - v;
    SpinRepeticiones->setSingleStep(std::max(1, step));
    if (cbRepeat->isChecked())
        m_repetitions = v;
}

void TFProceso::sbResetRepeatClick()
{
    SpinRepeticiones->setValue(SpinRepeticiones->minimum());
    SpinRepeticiones->setMaximum(kResetRepeatMaximum);
}

void TFProceso::cbLog_PClick()
{
    const bool logarithmic = cbLog_P->isChecked();
    // logarithmic: the decades (no fixed step); otherwise whole trial numbers
    Chart_P->BottomAxis()->SetIncrement(logarithmic ? 0 : 1);
    Chart_P->BottomAxis()->SetLogarithmic(logarithmic);
}

void TFProceso::cbViewDataClick()
{
    const bool shown = cbViewData->isChecked();
    Panel_TData->setVisible(shown);
    Panel_PData->setVisible(shown);
    if (shown)
        SetDataPanelWidth(static_cast<int>(Round(0.3 * PanelMainR->width())));
}

void TFProceso::cbPChartClick()
{
    PanelChart_P->setVisible(cbPChart->isChecked());
    if (cbPChart->isChecked())
        SetChartPanelHeight(static_cast<int>(Round(PanelMainR->height() / 3.0)));
}

void TFProceso::Panel_DataResize(QObject* Sender)
{
    auto* panel = qobject_cast<QSplitter*>(Sender);
    if (!panel || panel->count() < 2)
        return;
    SetDataPanelWidth(panel->widget(1)->width());
}

void TFProceso::SetDataPanelWidth(int width)
{
    for (QSplitter* panel : {PanelChart_T, PanelChart_P}) {
        const int total = std::max(panel->width(), width + 1);
        const QSignalBlocker block(panel);
        panel->setSizes({total - width, width});
    }
}

void TFProceso::SetChartPanelHeight(int height)
{
    const int total = std::max(PanelMainR->height(), height + 1);
    PanelMainR->setSizes({height, total - height});
}

void TFProceso::sbOptionsClick()
{
    if (m_optionsTag == -1) {
        m_optionsTag = 1;
        PanelOptions->show();
        PanelLBottom->setMaximumHeight(QWIDGETSIZE_MAX);
        sbOptions->setChecked(true);
    } else {
        m_optionsTag = -1;
        PanelOptions->hide();
        PanelLBottom->setMaximumHeight(sbOptions->sizeHint().height() + 4);
        sbOptions->setChecked(false);
    }
}
