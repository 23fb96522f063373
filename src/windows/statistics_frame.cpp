#include "windows/statistics_frame.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <string>

#include "chart/axis_title.h"
#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "chart/chart_legend.h"
#include "chart/legend_symbol.h"
#include "chart/series/bar_series.h"
#include "chart/series/histogram_series.h"
#include "chart/series/line_series.h"
#include "chart/series/point_series.h"
#include "core/categorical_statistics.h"
#include "core/contingency_table.h"
#include "core/group_comparison.h"
#include "core/quantitative_statistics.h"
#include "core/regression_statistics.h"
#include "windows/density_axis_format.h"
#include "windows/statistics_string_grid.h"

namespace {

constexpr int kCurveSteps = 500;
constexpr TColor kBarColor = 8421440;
constexpr TColor kHistogramColor = 12615680;
constexpr TColor kBar31Color = 10921555;
constexpr TColor kHist31Color = 4227327;
constexpr TColor kHist32Color = 14593283;
constexpr TColor kLine32Color = 10485760;
constexpr TColor kPointsColor = 12541952;

// Normal density of (mean, sd) scaled by share, in kCurveSteps steps over
// [lower, upper]; nothing when the deviation is not positive.
void AddNormalCurve(TLineSeries& Series, double Lower, double Upper, double Mean, double Sd, double Share)
{
    const double peak = PeakDensity(Sd);
    if (!std::isfinite(peak) || !(Upper > Lower))
        return;
    const double step = (Upper - Lower) / kCurveSteps;
    for (int k = 0; k <= kCurveSteps; ++k) {
        const double x = Lower + k * step;
        const double z = (x - Mean) / Sd;
        Series.AddXY(x, std::exp(-0.5 * z * z) * peak * Share);
    }
}

// Stores the range in the order that keeps minimum <= maximum at each step.
void StoreRange(TChartAxis& Axis, double Min, double Max)
{
    if (Min > Axis.Maximum()) {
        Axis.SetMaximum(Max);
        Axis.SetMinimum(Min);
    } else {
        Axis.SetMinimum(Min);
        Axis.SetMaximum(Max);
    }
}

// White chart without title, legend or 3D, as every chart of the frame.
TChart* NewChart(QWidget* Parent, const char* Name)
{
    auto* chart = new TChart(Parent);
    chart->setObjectName(Name);
    chart->SetView3D(false);
    chart->Title()->SetVisible(false);
    chart->Legend()->SetVisible(false);
    chart->SetColor(clWhite);
    chart->BottomAxis()->SetMinimumOffset(5);
    chart->BottomAxis()->SetMaximumOffset(5);
    return chart;
}

QWidget* NewPanel(QWidget* Parent, const char* Name)
{
    auto* panel = new QWidget(Parent);
    panel->setObjectName(Name);
    panel->setAutoFillBackground(true);
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, Qt::white);
    panel->setPalette(p);
    return panel;
}

QSlider* NewTrackBar(QWidget* Parent, const char* Name, int Frequency)
{
    auto* bar = new QSlider(Qt::Horizontal, Parent);
    bar->setObjectName(Name);
    bar->setRange(50, 150);
    bar->setValue(100);
    bar->setSingleStep(10);
    bar->setPageStep(10);
    bar->setTickInterval(Frequency);
    bar->setTickPosition(QSlider::TicksAbove);
    return bar;
}

QGroupBox* NewRadioGroup(QWidget* Parent, const char* Name, const QString& Caption, const QStringList& Items)
{
    auto* group = new QGroupBox(Caption, Parent);
    group->setObjectName(Name);
    auto* layout = new QVBoxLayout(group);
    auto* buttons = new QButtonGroup(group);
    for (int i = 0; i < Items.size(); ++i) {
        auto* button = new QRadioButton(Items[i], group);
        button->setObjectName(QString::fromLatin1(Name) + QString::number(i));
        buttons->addButton(button, i);
        layout->addWidget(button);
    }
    buttons->button(0)->setChecked(true);
    return group;
}

QButtonGroup* ButtonsOf(QGroupBox* Group)
{
    return Group->findChild<QButtonGroup*>();
}

TBarSeries* NewBarSeries(TChart* Chart, const char* Name, TColor Color)
{
    auto* s = new TBarSeries(Chart);
    s->setObjectName(Name);
    s->SetSeriesColor(Color);
    Chart->AddSeries(s);
    return s;
}

TLineSeries* NewLineSeries(TChart* Chart, const char* Name, TColor Color)
{
    auto* s = new TLineSeries(Chart);
    s->setObjectName(Name);
    s->SetSeriesColor(Color);
    s->LinePen().SetWidth(2);
    s->Pointer().SetVisible(false);
    Chart->AddSeries(s);
    return s;
}

THistogramSeries* NewHistogramSeries(TChart* Chart, const char* Name, TColor Color)
{
    auto* s = new THistogramSeries(Chart);
    s->setObjectName(Name);
    s->SetSeriesColor(Color);
    s->LinesPen().SetVisible(true);
    s->SetTransparency(25);
    Chart->AddSeries(s);
    return s;
}

} // namespace

struct TFramStat::TPageWidgets {
    QWidget* sheet = nullptr;
    TChart* chart = nullptr;
    TBarSeries* bar = nullptr;
    TBarSeries* histogram = nullptr;
    TLineSeries* line = nullptr;
    QWidget* gridPanel = nullptr;
    TStatStringGrid* grid = nullptr;
    QWidget* catPanel = nullptr;
    QWidget* numPanel = nullptr;
    QCheckBox* check = nullptr;
    QSlider* track = nullptr;
};

TFramStat::TFramStat(QWidget* Parent) : QFrame(Parent)
{
    setObjectName(QStringLiteral("FramStat"));
    BuildLayout();
    Init();
}

TFramStat::~TFramStat() = default;

// ---- layout ----

void TFramStat::BuildLayout()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    layout->addWidget(PageControl1);

    TPageWidgets p1 = BuildVariablePage(1);
    TabSheet1 = p1.sheet;
    Chart1 = p1.chart;
    SeriesBar1 = p1.bar;
    SeriesHistogram1 = p1.histogram;
    SeriesLine1 = p1.line;
    pGrid1 = p1.gridPanel;
    SGrid1 = p1.grid;
    PanelCatVar1 = p1.catPanel;
    PanelXVar1 = p1.numPanel;
    CheckBox1 = p1.check;
    TrackBar1 = p1.track;

    TPageWidgets p2 = BuildVariablePage(2);
    TabSheet2 = p2.sheet;
    Chart2 = p2.chart;
    SeriesBar2 = p2.bar;
    SeriesHistogram2 = p2.histogram;
    SeriesLine2 = p2.line;
    pGrid2 = p2.gridPanel;
    SGrid2 = p2.grid;
    PanelCatVar2 = p2.catPanel;
    PanelXVar2 = p2.numPanel;
    CheckBox2 = p2.check;
    TrackBar2 = p2.track;
    Chart2->LeftAxis()->Title()->SetCaption("frequency");

    BuildAnalysisPage();

    for (QSlider* bar : {TrackBar1, TrackBar2, TrackBar3})
        connect(bar, &QSlider::valueChanged, this, [this, bar] { TrackBarChange(bar); });
    for (QCheckBox* box : {CheckBox1, CheckBox2, CheckBox3})
        connect(box, &QCheckBox::toggled, this, [this] { CheckBoxClick(); });
    connect(ButtonsOf(RadioGroupXY), &QButtonGroup::idClicked, this, [this] { RadioGroupXYClick(); });
    connect(ButtonsOf(RadioGroupCC), &QButtonGroup::idClicked, this, [this] {
        if (!m_fillingRadio)
            RadioGroupCCClick();
    });
}

TFramStat::TPageWidgets TFramStat::BuildVariablePage(int Page)
{
    const QByteArray n = QByteArray::number(Page);
    TPageWidgets w;
    w.sheet = new QWidget(PageControl1);
    w.sheet->setObjectName(QString::fromLatin1("TabSheet" + n));
    PageControl1->addTab(w.sheet, QString());
    auto* sheetLayout = new QHBoxLayout(w.sheet);
    sheetLayout->setContentsMargins(0, 0, 0, 0);
    auto* splitter = new QSplitter(Qt::Horizontal, w.sheet);
    splitter->setObjectName(QString::fromLatin1("Splitter" + n));
    sheetLayout->addWidget(splitter);

    QWidget* left = NewPanel(splitter, "PanelChart" + n);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    w.chart = NewChart(left, "Chart" + n);
    TChartAxis& leftAxis = *w.chart->LeftAxis();
    leftAxis.SetAutomatic(false);
    leftAxis.SetAutomaticMinimum(false);
    leftAxis.SetAxisValuesFormat("###0.#");
    leftAxis.SetMaximumOffset(20);
    leftAxis.SetMinimumOffset(5);
    leftAxis.SetMinorTickCount(0);
    w.bar = NewBarSeries(w.chart, "SeriesBar" + n, kBarColor);
    w.bar->Marks().SetVisible(true);
    w.bar->SetMultiBar(mbNone);
    w.histogram = NewBarSeries(w.chart, "SeriesHistogram" + n, kHistogramColor);
    w.histogram->Marks().SetVisible(false);
    w.histogram->SetBarWidthPercent(100);
    w.histogram->SetDark3D(false);
    w.line = NewLineSeries(w.chart, "SeriesLine" + n, clRed);
    leftLayout->addWidget(w.chart, 1);

    QWidget* bottom = NewPanel(left, Page == 1 ? "Panel4" : "Panel4b");
    auto* bottomLayout = new QHBoxLayout(bottom);
    bottomLayout->setContentsMargins(4, 2, 4, 2);
    w.catPanel = NewPanel(bottom, "PanelCatVar" + n);
    w.numPanel = NewPanel(bottom, "PanelXVar" + n);
    auto* numLayout = new QHBoxLayout(w.numPanel);
    numLayout->setContentsMargins(0, 0, 0, 0);
    w.check = new QCheckBox(QStringLiteral("Show normal density"), w.numPanel);
    w.check->setObjectName(QString::fromLatin1("CheckBox" + n));
    w.track = NewTrackBar(w.numPanel, "TrackBar" + n, Page == 1 ? 25 : 10);
    numLayout->addWidget(w.check);
    numLayout->addWidget(w.track, 1);
    bottomLayout->addWidget(w.catPanel);
    bottomLayout->addWidget(w.numPanel, 1);
    leftLayout->addWidget(bottom);

    w.gridPanel = NewPanel(splitter, "pGrid" + n);
    auto* gridLayout = new QVBoxLayout(w.gridPanel);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    w.grid = new TStatStringGrid(w.gridPanel);
    w.grid->setObjectName(QString::fromLatin1("SGrid" + n));
    gridLayout->addWidget(w.grid);
    const int widths[] = {64, 85, 75, 64, 64};
    w.grid->SetSize(5, 5);
    for (int c = 0; c < 5; ++c)
        w.grid->SetColWidths(c, widths[c]);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    return w;
}

void TFramStat::BuildAnalysisPage()
{
    TabSheet3 = new QWidget(PageControl1);
    TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
    PageControl1->addTab(TabSheet3, QString());
    auto* sheetLayout = new QHBoxLayout(TabSheet3);
    sheetLayout->setContentsMargins(0, 0, 0, 0);
    auto* splitter = new QSplitter(Qt::Horizontal, TabSheet3);
    splitter->setObjectName(QStringLiteral("Splitter3"));
    sheetLayout->addWidget(splitter);

    QWidget* left = NewPanel(splitter, "PanelChart3");
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    Chart3 = NewChart(left, "Chart3");
    Chart3->LeftAxis()->SetMaximumOffset(20);
    // symbols of a fixed width: a share of texts as short as "yes" is a sliver
    Chart3->Legend()->Symbol()->SetWidthUnits(lcsPixels);
    Chart3->Legend()->Symbol()->SetWidth(16);
    SeriesBar31 = NewBarSeries(Chart3, "SeriesBar31", kBar31Color);
    SeriesBar32 = NewBarSeries(Chart3, "SeriesBar32", clOlive);
    for (TBarSeries* s : {SeriesBar31, SeriesBar32}) {
        s->Marks().SetVisible(true);
        s->Marks().SetStyle(smsPercent);
    }
    SeriesHist31 = NewHistogramSeries(Chart3, "SeriesHist31", kHist31Color);
    SeriesHist32 = NewHistogramSeries(Chart3, "SeriesHist32", kHist32Color);
    SeriesLine31 = NewLineSeries(Chart3, "SeriesLine31", clMaroon);
    SeriesLine32 = NewLineSeries(Chart3, "SeriesLine32", kLine32Color);
    SeriesPoints3 = new TPointSeries(Chart3);
    SeriesPoints3->setObjectName(QStringLiteral("SeriesPoints3"));
    SeriesPoints3->Pointer().SetStyle(psCircle);
    SeriesPoints3->Pointer().SetSize(3);
    SeriesPoints3->SetSeriesColor(kPointsColor);
    SeriesPoints3->Pointer().Brush()->SetColor(kPointsColor);
    Chart3->AddSeries(SeriesPoints3);
    leftLayout->addWidget(Chart3, 1);

    Panel12 = NewPanel(left, "Panel12");
    auto* panel12Layout = new QHBoxLayout(Panel12);
    panel12Layout->setContentsMargins(4, 2, 4, 2);
    CheckBox3 = new QCheckBox(QStringLiteral("Show normal density"), Panel12);
    CheckBox3->setObjectName(QStringLiteral("CheckBox3"));
    TrackBar3 = NewTrackBar(Panel12, "TrackBar3", 25);
    panel12Layout->addWidget(CheckBox3);
    panel12Layout->addWidget(TrackBar3, 1);
    leftLayout->addWidget(Panel12);

    Panel2b = NewPanel(left, "Panel2b");
    auto* panel2bLayout = new QHBoxLayout(Panel2b);
    panel2bLayout->setContentsMargins(4, 2, 4, 2);
    RadioGroupXY = NewRadioGroup(Panel2b, "RadioGroupXY", QStringLiteral(" Plot "),
                                 {QStringLiteral("Data"), QStringLiteral("Residuals"), QStringLiteral("Std Residuals")});
    RadioGroupCC = NewRadioGroup(Panel2b, "RadioGroupCC", QString(), {QStringLiteral("A by B"), QStringLiteral("B by A")});
    panel2bLayout->addWidget(RadioGroupXY);
    panel2bLayout->addWidget(RadioGroupCC);
    panel2bLayout->addStretch(1);
    leftLayout->addWidget(Panel2b);
    Panel2b->hide();

    pGrid3 = NewPanel(splitter, "pGrid3");
    auto* gridLayout = new QVBoxLayout(pGrid3);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    SGrid3 = new TStatStringGrid(pGrid3);
    SGrid3->setObjectName(QStringLiteral("SGrid3"));
    gridLayout->addWidget(SGrid3);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
}

TChart* TFramStat::Chart(int Page) const
{
    return Page == 1 ? Chart1 : Page == 2 ? Chart2 : Page == 3 ? Chart3 : nullptr;
}

TStatStringGrid* TFramStat::Grid(int Page) const
{
    return Page == 1 ? SGrid1 : Page == 2 ? SGrid2 : Page == 3 ? SGrid3 : nullptr;
}

// ---- entries ----

void TFramStat::Enter(std::uint8_t Mode)
{
    Init();
    FMode = Mode;
    NumVar1 = {};
    NumVar2 = {};
    CatVar1 = {};
    CatVar2 = {};
    NumData1.reset();
    NumData2.reset();
    CatData1.reset();
    CatData2.reset();
}

namespace {

std::unique_ptr<TVector> CopyOf(const TVector& Data)
{
    auto v = std::make_unique<TVector>();
    v->CopyFrom(&Data);
    return v;
}

std::unique_ptr<TIntVector> CopyOf(const TIntVector& Data)
{
    auto v = std::make_unique<TIntVector>();
    v->CopyFrom(&Data);
    return v;
}

} // namespace

void TFramStat::InitX(const tNumVarDef& Var, const TVector& Data)
{
    Enter(ModeX);
    NumVar1 = Var;
    NumData1 = CopyOf(Data);
    Execute();
}

void TFramStat::InitC(const tCatVar& Var, const TIntVector& Data)
{
    Enter(ModeC);
    CatVar1 = Var;
    CatData1 = CopyOf(Data);
    Execute();
}

void TFramStat::InitXY(const tNumVarDef& VarX, const TVector& DataX, const tNumVarDef& VarY, const TVector& DataY)
{
    Enter(ModeXY);
    NumVar1 = VarX;
    NumData1 = CopyOf(DataX);
    NumVar2 = VarY;
    NumData2 = CopyOf(DataY);
    Execute();
}

void TFramStat::InitCY(const tCatVar& VarC, const TIntVector& DataC, const tNumVarDef& VarY, const TVector& DataY)
{
    Enter(ModeCY);
    CatVar1 = VarC;
    CatData1 = CopyOf(DataC);
    NumVar2 = VarY;
    NumData2 = CopyOf(DataY);
    Execute();
}

void TFramStat::InitCC(const tCatVar& VarA, const TIntVector& DataA, const tCatVar& VarB, const TIntVector& DataB)
{
    Enter(ModeCC);
    CatVar1 = VarA;
    CatData1 = CopyOf(DataA);
    CatVar2 = VarB;
    CatData2 = CopyOf(DataB);
    Execute();
}

// ---- frame state ----

void TFramStat::Init()
{
    FBaseClassCount = 18;
    FClassCount = 18;
    // every class-count track bar back at 100 %, without running a page
    for (QSlider* bar : {TrackBar1, TrackBar2, TrackBar3}) {
        const QSignalBlocker block(bar);
        bar->setRange(50, 150);
        bar->setValue(100);
    }
    PageControl1Resize();
    ResetGrid(0);
}

void TFramStat::ResetGrid(int Which)
{
    TStatStringGrid* grids[] = {SGrid1, SGrid2, SGrid3};
    if (Which == 0) {
        for (TStatStringGrid* g : grids) {
            g->SetFixedCols(0);
            g->SetFixedRows(1);
            g->SetColWidths(0, g->RowHeights(0));
            g->SetOptions(platform::goFixedVertLine | platform::goFixedHorzLine | platform::goRangeSelect |
                          platform::goColSizing);
            if (g->RowCount() > 1)
                g->SetRowHeights(0, g->RowHeights(1) / 3);
        }
        return;
    }
    if (Which >= 1 && Which <= 3)
        grids[Which - 1]->Clear();
}

void TFramStat::ResetGraphs()
{
    for (TChart* chart : {Chart1, Chart2, Chart3}) {
        for (int i = 0; i < chart->SeriesCount(); ++i)
            chart->Series(i)->Clear();
        TChartAxis& left = *chart->LeftAxis();
        TChartAxis& bottom = *chart->BottomAxis();
        left.SetAxisValuesFormat("##0.##");
        bottom.SetAxisValuesFormat("###0.#");
        left.SetAutomatic(true);
        left.Grid()->SetVisible(false);
        bottom.Grid()->SetVisible(false);
        bottom.SetVisible(true);
        bottom.SetAutomatic(true);
        bottom.SetIncrement(0);
        chart->Invalidate();
    }
    // The density and proportion axes keep an automatic step: a fixed step of
    // 10 or 100 would leave 0 the only label on axes that end below 1.
    Chart1->LeftAxis()->SetIncrement(0);
    Chart2->LeftAxis()->SetIncrement(0);
    Chart3->LeftAxis()->Grid()->SetVisible(true);
    Chart3->BottomAxis()->Grid()->SetVisible(true);
}

void TFramStat::ResetChart3()
{
    Chart3->LeftAxis()->Title()->SetCaption({});
    Chart3->BottomAxis()->Title()->SetCaption({});
    for (int i = 0; i < Chart3->SeriesCount(); ++i) {
        Chart3->Series(i)->Clear();
        Chart3->Series(i)->SetActive(false);
    }
    TChartAxis& left = *Chart3->LeftAxis();
    switch (FMode) {
    case ModeXY:
        SeriesPoints3->SetActive(true);
        Panel12->show();
        CheckBox3->show();
        TrackBar3->hide();
        Panel2b->show();
        RadioGroupXY->show();
        RadioGroupCC->hide();
        Chart3->Legend()->SetVisible(false);
        left.SetMaximumOffset(20);
        left.SetMinimumOffset(20);
        break;
    case ModeCY:
        SeriesHist31->SetActive(true);
        SeriesHist32->SetActive(true);
        Panel12->show();
        CheckBox3->show();
        TrackBar3->show();
        Chart3->Legend()->SetVisible(false);
        left.SetMaximumOffset(20);
        left.SetMinimumOffset(0);
        break;
    case ModeCC:
        SeriesBar31->SetActive(true);
        SeriesBar32->SetActive(true);
        Panel12->hide();
        CheckBox3->hide();
        TrackBar3->hide();
        Panel2b->show();
        RadioGroupXY->hide();
        RadioGroupCC->show();
        Chart3->Legend()->SetVisible(true);
        left.SetMaximumOffset(15);
        left.SetMinimumOffset(5);
        Chart3->BottomAxis()->SetIncrement(1.0);
        break;
    default:
        break;
    }
    Chart3->Invalidate();
}

void TFramStat::InitGraph(int Page, int Kind)
{
    if (Page != 1 && Page != 2)
        return;
    TChart* chart = Chart(Page);
    QWidget* catPanel = Page == 1 ? PanelCatVar1 : PanelCatVar2;
    QWidget* numPanel = Page == 1 ? PanelXVar1 : PanelXVar2;
    // the series of the other kind stays out of the bar layout
    (Page == 1 ? SeriesBar1 : SeriesBar2)->SetActive(Kind == 1);
    (Page == 1 ? SeriesHistogram1 : SeriesHistogram2)->SetActive(Kind == 0);
    catPanel->setVisible(Kind == 1);
    numPanel->setVisible(Kind == 0);
    chart->Invalidate();
}

void TFramStat::SetTabVisible(QWidget* Page, bool Visible)
{
    PageControl1->setTabVisible(PageControl1->indexOf(Page), Visible);
}

void TFramStat::SetTabCaption(QWidget* Page, const std::string& Caption)
{
    PageControl1->setTabText(PageControl1->indexOf(Page), QString::fromStdString(Caption));
}

void TFramStat::Execute()
{
    Panel2b->hide();
    ResetGraphs();
    ResetGrid(1);
    ResetGrid(2);
    ResetGrid(3);
    const bool twoVariables = FMode != ModeX && FMode != ModeC;
    SetTabVisible(TabSheet2, twoVariables);
    SetTabVisible(TabSheet3, twoVariables);
    switch (FMode) {
    case ModeX:
        InitGraph(1, 0);
        ExecuteNumPage(nullptr, 1);
        break;
    case ModeC:
        InitGraph(1, 1);
        ExecuteCatPage(nullptr, 1);
        break;
    case ModeXY:
        for (int page = 1; page <= 2; ++page) {
            InitGraph(page, 0);
            ExecuteNumPage(nullptr, page);
        }
        SetRadioIndex(RadioGroupXY, 0);
        ExecuteRegresion(nullptr);
        break;
    case ModeCY:
        InitGraph(1, 1);
        ExecuteCatPage(nullptr, 1);
        InitGraph(2, 0);
        ExecuteNumPage(nullptr, 2);
        ExecuteTtest(nullptr);
        break;
    case ModeCC:
        for (int page = 1; page <= 2; ++page) {
            InitGraph(page, 1);
            ExecuteCatPage(nullptr, page);
        }
        ExecuteChi2(nullptr);
        break;
    default:
        break;
    }
}

// ---- handlers ----

void TFramStat::TrackBarChange(QObject* Sender)
{
    auto* bar = qobject_cast<QSlider*>(Sender);
    if (!bar || (bar != TrackBar1 && bar != TrackBar2 && bar != TrackBar3))
        return;
    FClassCount = static_cast<int>(std::nearbyint(FBaseClassCount * bar->value() / 100.0));
    if (bar == TrackBar1)
        ExecuteNumPage(bar, 1);
    else if (bar == TrackBar2)
        ExecuteNumPage(bar, 2);
    else
        ExecuteTtest(bar);
}

void TFramStat::CheckBoxClick()
{
    SeriesLine1->SetActive(CheckBox1->isChecked());
    SeriesLine2->SetActive(CheckBox2->isChecked());
    SeriesLine31->SetActive(CheckBox3->isChecked() && (FMode == ModeXY || FMode == ModeCY));
    // the second curve belongs to the comparison by groups only
    SeriesLine32->SetActive(CheckBox3->isChecked() && FMode == ModeCY);
}

void TFramStat::RadioGroupXYClick()
{
    ExecuteRegresion(RadioGroupXY);
}

void TFramStat::RadioGroupCCClick()
{
    ExecuteChi2(RadioGroupCC);
}

void TFramStat::PageControl1Resize()
{
    const int width = static_cast<int>(std::nearbyint(0.6 * PageControl1->width()));
    for (QWidget* panel : {pGrid1, pGrid2, pGrid3}) {
        auto* splitter = qobject_cast<QSplitter*>(panel->parentWidget());
        if (!splitter)
            continue;
        const int total = std::max(splitter->width(), PageControl1->width());
        splitter->setSizes({std::max(0, total - width), width});
    }
}

void TFramStat::resizeEvent(QResizeEvent* Event)
{
    QFrame::resizeEvent(Event);
    PageControl1Resize();
}

int TFramStat::RadioIndex(QGroupBox* Group) const
{
    return ButtonsOf(Group)->checkedId();
}

void TFramStat::SetRadioIndex(QGroupBox* Group, int Index)
{
    if (QAbstractButton* button = ButtonsOf(Group)->button(Index))
        button->setChecked(true);
}

// ---- pages ----

void TFramStat::ExecuteNumPage(QObject* Sender, int Page)
{
    const TVector* data = Page == 1 ? NumData1.get() : NumData2.get();
    const tNumVarDef& def = Page == 1 ? NumVar1 : NumVar2;
    TChart* chart = Chart(Page);
    TBarSeries* bars = Page == 1 ? SeriesHistogram1 : SeriesHistogram2;
    TLineSeries* line = Page == 1 ? SeriesLine1 : SeriesLine2;
    CheckBox3->setText(QStringLiteral("Show normal density"));
    SetTabCaption(Page == 1 ? TabSheet1 : TabSheet2, def.Name);
    chart->BottomAxis()->SetAutomatic(true);
    if (!data)
        return;

    const TQuantitativeSummary s = QuantitativeSummary(*data);
    if (!Sender)
        WriteQuantitativeGrid(*Grid(Page), def, s);

    bars->Clear();
    line->Clear();
    chart->BottomAxis()->Title()->SetCaption(def.Name);
    chart->LeftAxis()->Title()->SetCaption("Frequency");
    const TDensityHistogram h = QuantitativeHistogram(*data, s, FClassCount);
    if (h.valid) {
        // room above the tallest bar and the curve's peak
        TChartAxis& left = *chart->LeftAxis();
        left.SetAutomatic(false);
        StoreRange(left, 0, h.axisMax);
        left.SetAxisValuesFormat(DensityAxisFormat(h.axisMax));
        chart->BottomAxis()->SetIncrement(h.width);
        for (std::size_t i = 0; i < h.centres.size(); ++i)
            bars->AddXY(h.centres[i], h.densities[i]);
        AddNormalCurve(*line, h.lower, h.upper, s.mean, s.sd, 1.0);
    }
    chart->BottomAxis()->SetAutomatic(true);
    CheckBoxClick();
    chart->Invalidate();
}

void TFramStat::ExecuteCatPage(QObject* Sender, int Page)
{
    const TIntVector* data = Page == 1 ? CatData1.get() : CatData2.get();
    const tCatVar& def = Page == 1 ? CatVar1 : CatVar2;
    TChart* chart = Chart(Page);
    TBarSeries* bars = Page == 1 ? SeriesBar1 : SeriesBar2;
    chart->BottomAxis()->SetAutomatic(true);
    SetTabCaption(Page == 1 ? TabSheet1 : TabSheet2, def.Name);
    if (!data)
        return;
    const int n = data->NrOfElem();
    const std::vector<TCategorySlot> categories = CategorySlots(*data, def);
    if (!Sender)
        WriteCategoricalGrid(*Grid(Page), def, categories, n);

    bars->Clear();
    TChartAxis& bottom = *chart->BottomAxis();
    bottom.Title()->SetCaption(def.Name);
    bottom.SetVisible(true);
    bottom.SetAutomatic(true);
    bottom.SetIncrement(1.0);
    chart->LeftAxis()->Title()->SetCaption("Frequency");
    if (n > 0)
        for (const TCategorySlot& slot : categories)
            bars->AddXYPointY(static_cast<double>(slot.count) / n, CategoryLabel(def, slot.code));
    chart->Invalidate();
}

void TFramStat::ExecuteRegresion(QObject* Sender)
{
    SetTabCaption(TabSheet3, "Analysis");
    CheckBox3->setText(QStringLiteral("Show model"));
    if (!NumData1 || !NumData2)
        return;
    const TVector& X = *NumData1;
    const TVector& Y = *NumData2;
    const TRegressionSummary s = SumsOfProducts(X, Y);
    if (!Sender) {
        SGrid3->Clear();
        ResetChart3();
        CheckBox3->setChecked(false);
        WriteRegressionGrid(*SGrid3, NumVar1, X, NumVar2, Y, s);
    }
    SeriesPoints3->Clear();
    SeriesLine31->Clear();
    const auto axisTitle = [](const tNumVarDef& def) {
        return def.Units.empty() ? def.Name : def.Name + " (" + def.Units + ")";
    };
    Chart3->BottomAxis()->Title()->SetCaption(axisTitle(NumVar1));
    Chart3->LeftAxis()->Title()->SetCaption(axisTitle(NumVar2));
    const TRegressionPlot plot = RegressionPlot(X, Y, s, std::max(0, RadioIndex(RadioGroupXY)));
    for (std::size_t i = 0; i < plot.x.size(); ++i) {
        SeriesPoints3->AddXY(plot.x[i], plot.y[i]);
        SeriesLine31->AddXY(plot.x[i], plot.line[i]);
    }
    CheckBoxClick();
    Chart3->Invalidate();
}

void TFramStat::ExecuteTtest(QObject* Sender)
{
    const TVector* Y = NumData2 ? NumData2.get() : NumData1.get();
    const TIntVector* G = CatData1 ? CatData1.get() : CatData2.get();
    const tNumVarDef& defY = NumData2 ? NumVar2 : NumVar1;
    const tCatVar& defG = CatData1 ? CatVar1 : CatVar2;
    if (!Y || !G)
        return;
    const TGroupComparison c = CompareGroups(*Y, *G);
    if (!Sender) {
        SetTabCaption(TabSheet3, "Analysis");
        SGrid3->Clear();
        WriteGroupComparisonGrid(*SGrid3, defY, defG, c);
    }
    ResetChart3();
    const TGroupHistograms h = GroupHistograms(*Y, *G, c, FClassCount);
    if (h.valid) {
        double top = 0;
        for (std::size_t i = 0; i < h.centres.size(); ++i)
            top = std::max({top, h.density1[i], h.density2[i]});
        Chart3->LeftAxis()->SetAxisValuesFormat(DensityAxisFormat(top));
        for (std::size_t i = 0; i < h.centres.size(); ++i) {
            SeriesHist31->AddXY(h.centres[i], h.density1[i]);
            SeriesHist32->AddXY(h.centres[i], h.density2[i]);
        }
        if (c.group1.HasCurve())
            AddNormalCurve(*SeriesLine31, h.lower, h.upper, c.group1.mean, c.group1.sd, h.share1);
        if (c.group2.HasCurve())
            AddNormalCurve(*SeriesLine32, h.lower, h.upper, c.group2.mean, c.group2.sd, h.share2);
    }
    CheckBoxClick();
    Chart3->Invalidate();
}

void TFramStat::ExecuteChi2(QObject* Sender)
{
    SetTabCaption(TabSheet3, "Analysis");
    if (!CatData1 || !CatData2)
        return;
    const TContingencyTable t = CrossTable(*CatData1, CatVar1, *CatData2, CatVar2);
    if (!Sender) {
        SGrid3->Clear();
        m_fillingRadio = true;
        QList<QAbstractButton*> items = ButtonsOf(RadioGroupCC)->buttons();
        items[0]->setText(QString::fromStdString(CatVar2.Name + " by " + CatVar1.Name));
        items[1]->setText(QString::fromStdString(CatVar1.Name + " by " + CatVar2.Name));
        SetRadioIndex(RadioGroupCC, 0);
        m_fillingRadio = false;
        const TTwoByTwoResult test = TwoByTwoTest(t.R(), t.C(), t.O);
        WriteContingencyGrid(*SGrid3, CatVar1, CatVar2, t, test);
    }
    ResetChart3();
    Chart3->BottomAxis()->SetIncrement(1.0);
    const TContingencyBars bars = ContingencyBars(t, CatVar1, CatVar2, std::max(0, RadioIndex(RadioGroupCC)));
    Chart3->BottomAxis()->Title()->SetCaption(bars.axisTitle);
    TBarSeries* series[] = {SeriesBar31, SeriesBar32};
    for (std::size_t s = 0; s < 2; ++s) {
        // a variable with one category gives one series
        series[s]->SetActive(s < bars.values.size());
        if (s >= bars.values.size())
            continue;
        series[s]->SetTitle(bars.titles[s]);
        for (std::size_t k = 0; k < bars.values[s].size(); ++k)
            series[s]->AddXYPointY(bars.values[s][k], bars.labels[k]);
    }
    Chart3->Invalidate();
}
