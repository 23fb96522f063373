#include "windows/normal_frame.h"

#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "chart/series/area_series.h"
#include "chart/series/line_series.h"
#include "platform/dialogs.h"
#include "widgets/table_editor.h"
#include "windows/form_controls.h"
#include "windows/track_bar.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QScrollArea>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

constexpr TColor kMaroon = 0x000080;
constexpr TColor kNavy = 0x800000;
constexpr TColor kReferenceColor = 0x008080;
constexpr int kTrackMargin = 20;
constexpr int kLabelPanelWidth = 75;
constexpr const char* kTagProperty = "tag";

const char* const kPresetRows[] = {"Ref.", " <-> ", " >< "};
const double kPresets[3][4] = {{0, 1, 2, 1.5}, {0, 1, 3, 1.5}, {0, 1, 0.75, 1.5}};
const char* const kPresetColumns[] = {"M (1)", "SD(1)", "M (2)", "SD(2)"};

int TagOf(const QObject* o)
{
    return o ? o->property(kTagProperty).toInt() : 0;
}

TTrackBar* NewSlider(QWidget* parent, const char* name, Qt::Orientation o, int lo, int hi, int pos)
{
    auto* s = new TTrackBar(o, parent);
    s->setObjectName(QString::fromLatin1(name));
    s->setRange(lo, hi);
    s->setValue(pos);
    return s;
}

} // namespace

TFrameNormales::TFrameNormales(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FrameNormales"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    layout->addWidget(m_pages);

    BuildGraphPage(AddScrollingTab(m_pages, "GraphScroll", "GraphPage", QStringLiteral("Graph")));
    // a narrow window puts the data and distribution groups under the tails
    m_graphView = m_pages->findChild<QScrollArea*>(QStringLiteral("GraphScroll"))->viewport();
    m_graphView->installEventFilter(this);

    auto* settings = new QWidget(m_pages);
    auto* settingsLayout = new QVBoxLayout(settings);
    NTabEd1 = new TNTabEd(settings, "NTabEd1");
    NTabEd1->setObjectName(QStringLiteral("NTabEd1"));
    NTabEd1->SetAttribRowVisible(false);  // the parameters carry no row attributes
    settingsLayout->addWidget(NTabEd1, 1);
    auto* ok = new QPushButton(QStringLiteral("ok"), settings);
    ok->setObjectName(QStringLiteral("Button1"));
    connect(ok, &QPushButton::clicked, this, [this] { Button1Click(); });
    settingsLayout->addWidget(ok, 0, Qt::AlignLeft);
    m_pages->addTab(settings, QStringLiteral("Settings"));

    auto* info = new QPlainTextEdit(m_pages);
    info->setObjectName(QStringLiteral("MemoInfo"));
    info->setReadOnly(true);
    info->setPlainText(QStringLiteral("Two normal curves: the reference distribution (H0) and an alternative (H1),\n"
                                      "with the criterion, the tail areas alpha and beta, and the power 1 - beta.\n\n"
                                      "VeXA: statistics by simulation."));
    m_pages->addTab(info, QStringLiteral("Info"));

    BuildSeries();
}

// ---- layout ----

void TFrameNormales::BuildGraphPage(QWidget* page)
{
    auto* outer = new QVBoxLayout(page);
    outer->setContentsMargins(2, 2, 2, 2);
    auto* top = new QHBoxLayout;
    outer->addLayout(top, 1);
    top->addWidget(BuildProbabilityPanel());

    // the chart and, under it, the criterion track bar placed by the chart's resize handler
    auto* chartArea = new QWidget(page);
    auto* chartLayout = new QVBoxLayout(chartArea);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    chartLayout->setSpacing(0);
    m_chart = new TChart(chartArea);
    m_chart->setObjectName(QStringLiteral("ChartNormales"));
    m_chart->SetView3D(false);
    m_chart->Legend()->SetVisible(false);
    m_chart->Title()->SetVisible(false);
    m_chart->LeftAxis()->SetVisible(false);
    m_chart->LeftAxis()->SetAutomatic(false);
    m_chart->setMinimumSize(200, 150);
    chartLayout->addWidget(m_chart, 1);
    auto* trackRow = new QWidget(chartArea);
    trackRow->setFixedHeight(28);
    TrackBar_C0 = NewSlider(trackRow, "TrackBar_C0", Qt::Horizontal, 0, 100, 55);
    TrackBar_C0->setEnabled(false);
    chartLayout->addWidget(trackRow);
    top->addWidget(chartArea, 1);
    top->addWidget(BuildLabelPanel());
    outer->addWidget(BuildBottomPanel());

    m_chart->OnResize = [this](TCustomPlotPanel&) { ChartNormalesResize(); };
    m_chart->OnMouseMove = [this](TCustomPlotPanel&, TShiftState, int x, int y) { ChartNormalesMouseMove(x, y); };
    m_chart->OnClick = [this](TCustomPlotPanel&) { Showlbl(); };

    for (int i = 0; i < 7; ++i) {
        auto* f = new QLabel(m_chart);
        f->setObjectName(QStringLiteral("pFloatingLabel%1").arg(i + 1));
        f->setAutoFillBackground(false);
        f->hide();
        m_floating[static_cast<std::size_t>(i)] = f;
    }

    for (QSlider* s : std::initializer_list<QSlider*>{TrackBar_C0, TrackBar_Alfa_L, TrackBar_Alfa_R, TrackBar_n1, TrackBar_n2})
        connect(s, &QSlider::valueChanged, this, [this, s] { TrackBar_Change(s); });
}

QWidget* TFrameNormales::BuildProbabilityPanel()
{
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("PanelProbabilities"));
    auto* grid = new QVBoxLayout(panel);
    grid->setContentsMargins(2, 2, 2, 2);
    auto* bars = new QHBoxLayout;
    TrackBar_Alfa_L = NewSlider(panel, "TrackBar_Alfa_L", Qt::Vertical, 0, 100, 95);
    TrackBar_Alfa_R = NewSlider(panel, "TrackBar_Alfa_R", Qt::Vertical, 0, 100, 90);
    TrackBar_Alfa_L->setEnabled(false);
    TrackBar_Alfa_R->setEnabled(false);
    bars->addWidget(TrackBar_Alfa_L);
    bars->addWidget(TrackBar_Alfa_R);
    grid->addLayout(bars, 1);
    auto* captions = new QHBoxLayout;
    LBLa = new QLabel(QStringLiteral("a"), panel);
    LBLa->setObjectName(QStringLiteral("LBLa"));
    Lblb = new QLabel(QStringLiteral("b"), panel);
    Lblb->setObjectName(QStringLiteral("Lblb"));
    captions->addWidget(LBLa);
    captions->addWidget(Lblb);
    grid->addLayout(captions);
    const char* names[] = {"sbInit1", "sbInit2", "sbInit3"};
    const char* texts[] = {"plot", "<->", "><"};
    QToolButton** buttons[] = {&sbInit1, &sbInit2, &sbInit3};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QToolButton(panel);
        b->setObjectName(QString::fromLatin1(names[i]));
        b->setText(QString::fromLatin1(texts[i]));
        b->setMinimumWidth(48);
        connect(b, &QToolButton::clicked, this, [this, b] { sbInit1Click(b); });
        grid->addWidget(b);
        *buttons[i] = b;
    }
    return panel;
}

QWidget* TFrameNormales::BuildLabelPanel()
{
    plbls = new QWidget(this);
    plbls->setObjectName(QStringLiteral("plbls"));
    auto* layout = new QVBoxLayout(plbls);
    layout->setContentsMargins(0, 0, 0, 0);
    sbLabels = new QToolButton(plbls);
    sbLabels->setObjectName(QStringLiteral("sbLabels"));
    sbLabels->setText(QStringLiteral("..."));
    sbLabels->setFixedWidth(20);
    connect(sbLabels, &QToolButton::clicked, this, [this] { sbLabelsClick(); });
    layout->addWidget(sbLabels, 0, Qt::AlignLeft);

    m_labelList = new QWidget(plbls);
    m_labelList->setObjectName(QStringLiteral("PanelLabelList"));
    auto* list = new QVBoxLayout(m_labelList);
    list->setContentsMargins(2, 2, 2, 2);
    const char* captions[] = {"1-a", "a", "b", "1-b = q", "Custom 1", "Custom 2", "Custom 3"};
    const char* editTexts[] = {" H0", " H1", " p"};
    for (int i = 0; i < 7; ++i) {
        auto* l = new QLabel(QString::fromLatin1(captions[i]), m_labelList);
        l->setObjectName(QStringLiteral("LabelTag%1").arg(i + 1));
        l->setProperty(kTagProperty, i + 1);
        l->setStyleSheet(QStringLiteral("color: grey"));
        l->installEventFilter(this);
        list->addWidget(l);
        if (i >= 4) {
            auto* e = new QLineEdit(QString::fromLatin1(editTexts[i - 4]), m_labelList);
            e->setObjectName(QStringLiteral("EditTag%1").arg(i + 1));
            e->setProperty(kTagProperty, i + 1);
            e->setStyleSheet(QStringLiteral("color: olive"));
            if (i == 4)  // only " H0" follows its floating label
                connect(e, &QLineEdit::textChanged, this, [this, e] { EditChange(e); });
            m_labelEdits[static_cast<std::size_t>(i - 4)] = e;
            list->addWidget(e);
        }
    }
    list->addStretch(1);
    layout->addWidget(m_labelList, 1);
    m_labelList->hide();
    plbls->setFixedWidth(sbLabels->width());
    return plbls;
}

QWidget* TFrameNormales::BuildBottomPanel()
{
    auto* bottom = new QWidget(this);
    bottom->setObjectName(QStringLiteral("PanelBottom"));
    auto* row = new QGridLayout(bottom);
    row->setContentsMargins(2, 2, 2, 2);
    m_bottomGrid = row;
    const char* groupTitles[] = {"Tails", "Data", "Ditributions"};
    std::array<QWidget*, 3> bodies{};
    for (int g = 0; g < 3; ++g) {
        auto* column = new QVBoxLayout;
        auto* button = new QToolButton(bottom);
        button->setObjectName(QStringLiteral("SpeedButtonPanel%1").arg(g == 0 ? "Tails" : g == 1 ? "Data" : "Distributions"));
        button->setText(QString::fromLatin1(groupTitles[g]));
        button->setCheckable(true);
        button->setChecked(true);
        connect(button, &QToolButton::clicked, this, [this, button] { SpeedButtonPanelTailsClick(button); });
        column->addWidget(button, 0, Qt::AlignLeft);
        auto* body = new QWidget(bottom);
        column->addWidget(body);
        column->addStretch(1);
        row->addLayout(column, 0, g);
        m_groupColumns[static_cast<std::size_t>(g)] = column;
        bodies[static_cast<std::size_t>(g)] = body;
        m_groupButtons[static_cast<std::size_t>(g)] = button;
        m_groupPanels[static_cast<std::size_t>(g)] = body;
    }
    row->setColumnStretch(3, 1);

    // Tails
    auto* tails = new QHBoxLayout(bodies[0]);
    tails->setContentsMargins(0, 0, 0, 0);
    const char* radioTexts[] = {"Left", "Right", "Both", "None"};
    const char* radioNames[] = {"Left", "Right", "Both", "None"};
    auto makeSide = [&](QGroupBox*& box, const char* boxName, std::array<QRadioButton*, 4>& radios, QCheckBox*& check,
                        const char* checkName, const char* checkText, const char* prefix) {
        box = new QGroupBox(bodies[0]);
        box->setObjectName(QString::fromLatin1(boxName));
        box->setEnabled(false);
        auto* l = new QVBoxLayout(box);
        check = NewCheckBox(box, checkName, checkText, true);
        l->addWidget(check);
        auto* rl = new QHBoxLayout;
        for (int i = 0; i < 4; ++i) {
            auto* r = new QRadioButton(QString::fromLatin1(radioTexts[i]), box);
            r->setObjectName(QStringLiteral("%1%2").arg(QString::fromLatin1(prefix), QString::fromLatin1(radioNames[i])));
            r->setChecked(i == 3);
            connect(r, &QRadioButton::clicked, this, [this, r] { RButtonClick(r); });
            rl->addWidget(r);
            radios[static_cast<std::size_t>(i)] = r;
        }
        l->addLayout(rl);
        tails->addWidget(box);
    };
    makeSide(GroupBoxL, "GroupBoxL", m_tailsL, CheckBox_LD, "CheckBox_LD", "Left dist. Tails: ", "RadioButtonL");
    makeSide(GroupBoxR, "GroupBoxR", m_tailsR, CheckBox_RD, "CheckBox_RD", "Right dist. Tails:", "RadioButtonR");
    connect(CheckBox_LD, &QCheckBox::clicked, this, [this] { CheckBox_LDClick(); });
    connect(CheckBox_RD, &QCheckBox::clicked, this, [this] { CheckBox_RDClick(); });
    auto* showRef = new QVBoxLayout;
    auto* showLabel = new QLabel(QStringLiteral("Show:"), bodies[0]);
    CheckBox_ShowDiv = NewCheckBox(bodies[0], "CheckBox_ShowDiv", "Criterion", true);
    auto* refLabel = new QLabel(QStringLiteral("Ref.:"), bodies[0]);
    CheckBox_RefLine = NewCheckBox(bodies[0], "CheckBox_RefLine", "Line", false);
    CheckBox_RefTail = NewCheckBox(bodies[0], "CheckBox_RefTail", " Left tail", false);
    for (QWidget* w : {static_cast<QWidget*>(showLabel), static_cast<QWidget*>(CheckBox_ShowDiv),
                       static_cast<QWidget*>(refLabel), static_cast<QWidget*>(CheckBox_RefLine),
                       static_cast<QWidget*>(CheckBox_RefTail)})
        showRef->addWidget(w);
    tails->addLayout(showRef);
    for (QCheckBox* c : {CheckBox_ShowDiv, CheckBox_RefLine, CheckBox_RefTail})
        c->setEnabled(false);
    connect(CheckBox_ShowDiv, &QCheckBox::clicked, this, [this] { CheckBox_ShowDivClick(); });
    connect(CheckBox_RefLine, &QCheckBox::clicked, this, [this] { CheckBox_RefLineClick(); });
    connect(CheckBox_RefTail, &QCheckBox::clicked, this, [this] { CheckBox_RefLineClick(); });

    // Data
    auto* data = new QVBoxLayout(bodies[1]);
    data->setContentsMargins(0, 0, 0, 0);
    const char* dataCaptions[] = {"1-a", "a", "b", "1-b = q"};
    const char* dataNames[] = {"Lbl_1a", "lbl_a", "lbl_b", "lbl_1b"};
    QLineEdit** dataEdits[] = {&Lbl_1a, &lbl_a, &lbl_b, &lbl_1b};
    for (int i = 0; i < 4; ++i) {
        auto* line = new QHBoxLayout;
        auto* caption = new QLabel(QString::fromLatin1(dataCaptions[i]), bodies[1]);
        caption->setObjectName(QStringLiteral("Caption_%1").arg(QString::fromLatin1(dataNames[i])));
        caption->setProperty(kTagProperty, i + 1);
        caption->installEventFilter(this);
        caption->setMinimumWidth(48);
        auto* edit = new QLineEdit(bodies[1]);
        edit->setObjectName(QString::fromLatin1(dataNames[i]));
        edit->setReadOnly(true);
        edit->setFixedWidth(56);
        line->addWidget(caption);
        line->addWidget(edit);
        data->addLayout(line);
        *dataEdits[i] = edit;
    }

    // Distributions
    auto* dist = new QHBoxLayout(bodies[2]);
    dist->setContentsMargins(0, 0, 0, 0);
    m_showGroup = new QGroupBox(QStringLiteral(" Show "), bodies[2]);
    m_showGroup->setObjectName(QStringLiteral("RadioGroupShow"));
    m_showGroup->setEnabled(false);
    auto* sl = new QVBoxLayout(m_showGroup);
    const char* showTexts[] = {"Population", "Sample", "Both"};
    for (int i = 0; i < 3; ++i) {
        auto* r = new QRadioButton(QString::fromLatin1(showTexts[i]), m_showGroup);
        r->setObjectName(QStringLiteral("RadioShow%1").arg(QString::fromLatin1(showTexts[i])));
        r->setChecked(i == 0);
        connect(r, &QRadioButton::clicked, this, [this, r] { RButtonClick(r); });
        sl->addWidget(r);
        m_show[static_cast<std::size_t>(i)] = r;
    }
    dist->addWidget(m_showGroup);
    auto* sizes = new QVBoxLayout;
    CheckBox_Synchronize = NewCheckBox(bodies[2], "CheckBox_Synchronize", "Synchronize", true);
    sizes->addWidget(new QLabel(QStringLiteral("Sample size"), bodies[2]));
    sizes->addWidget(CheckBox_Synchronize);
    sizes->addWidget(new QLabel(QStringLiteral("n1"), bodies[2]));
    TrackBar_n1 = NewSlider(bodies[2], "TrackBar_n1", Qt::Horizontal, 1, 100, 1);
    sizes->addWidget(TrackBar_n1);
    sizes->addWidget(new QLabel(QStringLiteral("n2"), bodies[2]));
    TrackBar_n2 = NewSlider(bodies[2], "TrackBar_n2", Qt::Horizontal, 1, 100, 1);
    sizes->addWidget(TrackBar_n2);
    TrackBar_n1->setEnabled(false);
    TrackBar_n2->setEnabled(false);
    dist->addLayout(sizes);
    auto* fixed = new QVBoxLayout;
    fixed->addWidget(new QLabel(QStringLiteral("Fixed:"), bodies[2]));
    CheckBox_FixedScale = NewCheckBox(bodies[2], "CheckBox_FixedScale", "Scale", true);
    CheckBox_FixedA = NewCheckBox(bodies[2], "CheckBox_FixedA", "Alpha", true);
    fixed->addWidget(CheckBox_FixedScale);
    fixed->addWidget(CheckBox_FixedA);
    dist->addLayout(fixed);
    return bottom;
}

TAreaSeries* TFrameNormales::NewArea(const char* name)
{
    auto* s = new TAreaSeries(this);
    s->setObjectName(QString::fromLatin1(name));
    m_chart->AddSeries(s);
    return s;
}

TLineSeries* TFrameNormales::NewLine(const char* name)
{
    auto* s = new TLineSeries(this);
    s->setObjectName(QString::fromLatin1(name));
    m_chart->AddSeries(s);
    return s;
}

void TFrameNormales::BuildSeries()
{
    // tails first: the curves are drawn over them
    Area_normal1 = NewArea("Area_normal1");
    Area_normal2 = NewArea("Area_normal2");
    Area_Normal_S1 = NewArea("Area_Normal_S1");
    Area_Normal_S2 = NewArea("Area_Normal_S2");
    Area_Normal_TailLinRef = NewArea("Area_Normal_TailLinRef");
    serie_normal1 = NewArea("serie_normal1");
    Serie_normal2 = NewArea("Serie_normal2");
    serie_normal_S1 = NewArea("serie_normal_S1");
    Serie_normal_S2 = NewArea("Serie_normal_S2");
    linearef = NewLine("linearef");
    Linea = NewLine("Linea");

    for (TAreaSeries* tail : {Area_normal1, Area_normal2, Area_Normal_S1, Area_Normal_S2, Area_Normal_TailLinRef}) {
        tail->Gradient().SetVisible(true);
        tail->Gradient().SetEndColor(clWhite);
        tail->AreaLinesPen().SetVisible(false);
        tail->SetActive(false);
    }
    Area_Normal_TailLinRef->SetSeriesColor(kReferenceColor);
    Area_Normal_TailLinRef->Gradient().SetStartColor(kReferenceColor);
    Area_Normal_TailLinRef->SetTransparency(50);
    for (TAreaSeries* curve : {serie_normal1, Serie_normal2, serie_normal_S1, Serie_normal_S2})
        curve->AreaLinesPen().SetVisible(false);
    linearef->SetSeriesColor(clSilver);
    linearef->LinePen().SetStyle(psDash);
    linearef->LinePen().SetWidth(2);
    linearef->SetActive(false);
    Linea->SetSeriesColor(clBlack);
    Linea->LinePen().SetWidth(2);
}

QLabel* TFrameNormales::FloatingLabel(int tag) const
{
    if (tag < 1 || tag > 7)
        return nullptr;
    return m_floating[static_cast<std::size_t>(tag - 1)];
}

// ---- settings and plotting ----

void TFrameNormales::InitSettings()
{
    NTabEd1->SetTableSize(4, 3);
    for (int c = 1; c <= 4; ++c)
        NTabEd1->SetColName(c, kPresetColumns[c - 1]);
    for (int r = 1; r <= 3; ++r) {
        NTabEd1->SetRowName(r, kPresetRows[r - 1]);
        for (int c = 1; c <= 4; ++c) {
            NTabEd1->SetElem(c, r, kPresets[r - 1][c - 1]);
            if (c <= 2)
                NTabEd1->SetMarkA(c, r, true);
            else
                NTabEd1->SetMarkB(c, r, true);
        }
    }
    ChartNormalesResize();
}

void TFrameNormales::sbInit1Click(QObject* sender)
{
    const int row = sender == sbInit3 ? 3 : sender == sbInit2 ? 2 : 1;
    Plot(NTabEd1->GetElem(1, row), NTabEd1->GetElem(2, row), NTabEd1->GetElem(3, row), NTabEd1->GetElem(4, row), 1, 1,
         8);
}

bool TFrameNormales::Plot(double m1, double sd1, double m2, double sd2, double n1, double n2, double nMax)
{
    if (!(sd1 > 0) || !(sd2 > 0)) {
        platform::ShowMessage(QStringLiteral("The standard deviations must be greater than 0."), this);
        return false;
    }
    const double rangeSD = 4;
    const double xMin = std::min(m1 - rangeSD * sd1, m2 - rangeSD * sd2);
    const double xMax = std::max(m1 + rangeSD * sd1, m2 + rangeSD * sd2);
    // the criterion slider counts thousandths in an int
    const double lowest = (std::trunc(xMin) - 1) * 1000, highest = (std::trunc(xMax) + 1) * 1000;
    if (!std::isfinite(m1) || !std::isfinite(m2) || !(lowest >= std::numeric_limits<int>::min())
        || !(highest <= std::numeric_limits<int>::max())) {
        platform::ShowMessage(QStringLiteral("The means and standard deviations are too large to plot."), this);
        return false;
    }
    n1 = std::max(1.0, n1);
    n2 = std::max(1.0, n2);
    nMax = std::max(1.0, nMax);
    m_trackHandlers = false;
    m_nMax = nMax;
    m_rangeSD = rangeSD;
    m_xMin = xMin;
    m_xMax = xMax;
    m_xRange = m_xMax - m_xMin;
    m_peakPop = sd1 < sd2 ? NormalCurveDensity(m1, m1, sd1) : NormalCurveDensity(m2, m2, sd2);
    const double se1 = sd1 / std::sqrt(nMax);
    const double se2 = sd2 / std::sqrt(nMax);
    m_peakSamp = se1 >= se2 ? NormalCurveDensity(m2, m2, se2) : NormalCurveDensity(m1, m1, se1);

    SetTrackBarsEnabled(true);
    {
        const QSignalBlocker block(TrackBar_C0);
        TrackBar_C0->setRange(static_cast<int>(lowest), static_cast<int>(highest));
    }
    SetSliderQuiet(TrackBar_n1, static_cast<int>(n1));
    SetSliderQuiet(TrackBar_n2, static_cast<int>(n2));
    m_chart->LeftAxis()->SetAutomatic(false);
    m_chart->LeftAxis()->SetMinMax(0, 1.1 * m_peakPop);

    TAreaSeries* curves[] = {serie_normal1, Serie_normal2, serie_normal_S1, Serie_normal_S2};
    TAreaSeries* tails[] = {Area_normal1, Area_normal2, Area_Normal_S1, Area_Normal_S2};
    const double means[] = {m1, m2, m1, m2};
    const double sds[] = {sd1, sd2, sd1 / std::sqrt(n1), sd2 / std::sqrt(n2)};
    const double ns[] = {1, 1, n1, n2};
    for (std::size_t i = 0; i < 4; ++i) {
        TNormalCurve& c = m_curves[i];
        c = TNormalCurve{};
        c.Mean = means[i];
        c.SD = sds[i];
        c.N = ns[i];
        c.CurveSeries = curves[i];
        c.TailSeries = tails[i];
        c.XMin = m_xMin;
        c.XMax = m_xMax;
        const bool first = i % 2 == 0;
        curves[i]->SetSeriesColor(first ? kMaroon : kNavy);
        curves[i]->LinePen().SetColor(first ? clRed : clBlue);
        tails[i]->SetSeriesColor(first ? kMaroon : kNavy);
        tails[i]->Gradient().SetStartColor(first ? kMaroon : kNavy);
    }
    // a new plot shows the populations
    for (std::size_t i = 0; i < 3; ++i) {
        const QSignalBlocker block(m_show[i]);
        m_show[i]->setChecked(i == 0);
    }
    m_showPop = true;
    m_showSamp = false;
    if (m1 <= m2) {
        m_popL = &m_curves[0];
        m_popR = &m_curves[1];
        m_sampL = &m_curves[2];
        m_sampR = &m_curves[3];
    } else {
        m_popL = &m_curves[1];
        m_popR = &m_curves[0];
        m_sampL = &m_curves[3];
        m_sampR = &m_curves[2];
    }

    for (TAreaSeries* c : curves) {
        c->SetTransparency(100);
        c->Gradient().SetVisible(false);
    }
    m_trackHandlers = true;
    for (QWidget* w : {static_cast<QWidget*>(GroupBoxL), static_cast<QWidget*>(GroupBoxR),
                       static_cast<QWidget*>(m_showGroup), static_cast<QWidget*>(CheckBox_RefLine),
                       static_cast<QWidget*>(CheckBox_RefTail), static_cast<QWidget*>(CheckBox_ShowDiv)})
        w->setEnabled(true);
    for (TAreaSeries* c : curves)
        c->Clear();
    for (TAreaSeries* t : tails) {
        t->Clear();
        t->SetActive(false);
    }
    SetTransparencia(40, 40);
    Area_Normal_TailLinRef->SetActive(false);
    linearef->SetActive(false);
    m_refCapture = true;
    m_currentLabel = 0;
    m_alpha = 0.05;

    CriticalValueRight();
    ControlUpdate();
    RButtonClick(nullptr);
    RedrawTails();
    CriticalValueRight();
    m_refCriterion = m_criterion;
    for (QLabel* f : m_floating)
        f->hide();
    m_curvesPlotted = true;
    return true;
}

// ---- criterion ----

void TFrameNormales::ViewMoments(double& mL, double& sL, double& mR, double& sR) const
{
    const TNormalCurve* l = m_showSamp ? m_sampL : m_popL;
    const TNormalCurve* r = m_showSamp ? m_sampR : m_popR;
    mL = l->Mean;
    sL = l->SD;
    mR = r->Mean;
    sR = r->SD;
}

void TFrameNormales::ApplyState(const TCriterionState& s)
{
    m_criterion = s.Criterion;
    m_mirrorL = s.MirrorL;
    m_mirrorR = s.MirrorR;
    m_alpha = s.Alpha;
    m_beta = s.Beta;
}

void TFrameNormales::CriticalValueRight()
{
    double mL, sL, mR, sR;
    ViewMoments(mL, sL, mR, sR);
    ApplyState(CriterionFromAlpha(m_alpha, mL, sL, mR, sR));
}

void TFrameNormales::CriticalValueLeft()
{
    double mL, sL, mR, sR;
    ViewMoments(mL, sL, mR, sR);
    ApplyState(CriterionFromBeta(m_beta, mL, sL, mR, sR));
}

void TFrameNormales::CriterionToTails()
{
    double mL, sL, mR, sR;
    ViewMoments(mL, sL, mR, sR);
    ApplyState(TailsFromCriterion(m_criterion, mL, sL, mR, sR));
}

void TFrameNormales::SetSliderQuiet(QSlider* slider, int value)
{
    const QSignalBlocker block(slider);
    slider->setValue(value);
}

void TFrameNormales::SetTrackBarsEnabled(bool enabled)
{
    for (QSlider* s : std::initializer_list<QSlider*>{TrackBar_Alfa_L, TrackBar_Alfa_R, TrackBar_C0, TrackBar_n1, TrackBar_n2})
        s->setEnabled(enabled);
}

void TFrameNormales::TrackBar_Change(QObject* sender)
{
    if (!m_trackHandlers || !m_popL)
        return;
    m_trackHandlers = false;
    if (sender == TrackBar_Alfa_L) {
        m_alpha = 1 - TrackBar_Alfa_L->value() / 100.0;
        CriticalValueRight();
    } else if (sender == TrackBar_Alfa_R) {
        m_beta = 1 - TrackBar_Alfa_R->value() / 100.0;
        CriticalValueLeft();
    } else if (sender == TrackBar_C0) {
        m_criterion = TrackBar_C0->value() / 1000.0;
        CriterionToTails();
    } else if (sender == TrackBar_n1 || sender == TrackBar_n2) {
        if (CheckBox_Synchronize->isChecked()) {
            QSlider* other = sender == TrackBar_n1 ? TrackBar_n2 : TrackBar_n1;
            SetSliderQuiet(other, static_cast<QSlider*>(sender)->value());
        }
        const auto sizeOf = [this](const QSlider* s) { return 1 + (s->value() - 1) / 99.0 * (m_nMax - 1); };
        const double n1 = sizeOf(TrackBar_n1);
        const double n2 = sizeOf(TrackBar_n2);
        m_sampL->N = n1;
        m_sampL->SD = m_popL->SD / std::sqrt(n1);
        m_sampL->Rebuild = true;
        m_sampR->N = n2;
        m_sampR->SD = m_popR->SD / std::sqrt(n2);
        m_sampR->Rebuild = true;
        if (CheckBox_FixedA->isChecked())
            CriticalValueRight();
        else
            CriterionToTails();
    }
    ControlUpdate();
    m_trackHandlers = true;
}

void TFrameNormales::ControlUpdate()
{
    if (!m_popL)
        return;
    const int alphaPos = 100 - static_cast<int>(Round(m_alpha * 100));
    const int betaPos = 100 - static_cast<int>(Round(m_beta * 100));
    SetSliderQuiet(TrackBar_Alfa_L, alphaPos);
    SetSliderQuiet(TrackBar_Alfa_R, betaPos);
    TrackBar_Alfa_L->SetSelection(alphaPos, 100);
    TrackBar_Alfa_R->SetSelection(betaPos, 100);
    // a criterion beyond the slider's ends (up to 5 SD out) stops at them
    const std::int64_t thousandths = std::clamp<std::int64_t>(Round(m_criterion * 1000), TrackBar_C0->minimum(),
                                                              TrackBar_C0->maximum());
    SetSliderQuiet(TrackBar_C0, static_cast<int>(thousandths));
    for (TNormalCurve* left : {m_popL, m_sampL})
        SetLeftTailBounds(*left, m_criterion, m_mirrorL);
    for (TNormalCurve* right : {m_popR, m_sampR})
        SetRightTailBounds(*right, m_criterion, m_mirrorR);
    ShowTailPercents();
    RedrawTails();
}

void TFrameNormales::ShowTailPercents()
{
    const int kL = m_tailsL[2]->isChecked() ? 2 : 1;
    const int kR = m_tailsR[2]->isChecked() ? 2 : 1;
    LBLa->setText(kL == 2 ? QStringLiteral("a/2") : QStringLiteral("a"));
    Lblb->setText(kR == 2 ? QStringLiteral("b/2") : QStringLiteral("b"));
    lbl_a->setText(QString::fromStdString(TailPercentText(kL * m_alpha * 100)));
    Lbl_1a->setText(QString::fromStdString(TailPercentText((1 - kL * m_alpha) * 100)));
    lbl_b->setText(QString::fromStdString(TailPercentText(kR * m_beta * 100)));
    lbl_1b->setText(QString::fromStdString(TailPercentText((1 - kR * m_beta) * 100)));
}

// ---- radio buttons and check boxes ----

int TFrameNormales::TailsOfGroup(int side) const
{
    const std::array<QRadioButton*, 4>& r = side == 0 ? m_tailsL : m_tailsR;
    if (r[0]->isChecked())
        return 1;
    if (r[1]->isChecked())
        return 2;
    if (r[2]->isChecked())
        return 3;
    return 0;
}

void TFrameNormales::SetCurveVisibility()
{
    const bool ld = CheckBox_LD->isChecked();
    const bool rd = CheckBox_RD->isChecked();
    m_popL->CurveSeries->SetActive(m_showPop && ld);
    m_sampL->CurveSeries->SetActive(m_showSamp && ld);
    m_popR->CurveSeries->SetActive(m_showPop && rd);
    m_sampR->CurveSeries->SetActive(m_showSamp && rd);
}

void TFrameNormales::RButtonClick(QObject* sender)
{
    if (!m_popL)
        return;
    m_showPop = m_show[0]->isChecked() || m_show[2]->isChecked();
    m_showSamp = m_show[1]->isChecked() || m_show[2]->isChecked();

    SetCurveVisibility();
    if (!m_popL->CurveSeries->Active()) {
        CheckBox_RefTail->setChecked(false);
        CheckBox_RefLineClick();
    }

    const int tailsL = TailsOfGroup(0);
    const int tailsR = TailsOfGroup(1);
    if (tailsL != 0 && !CheckBox_LD->isChecked()) {
        CheckBox_LD->setChecked(true);
        CheckBox_LDClick();
    }
    if (tailsR != 0 && !CheckBox_RD->isChecked()) {
        CheckBox_RD->setChecked(true);
        CheckBox_RDClick();
    }
    if (tailsL == 3 || tailsR == 3)
        CheckBox_ShowDiv->setChecked(false);

    if (m_showSamp) {
        m_popL->CurveSeries->LinePen().SetWidth(1);
        m_popR->CurveSeries->LinePen().SetWidth(1);
        m_sampL->CurveSeries->LinePen().SetWidth(2);
        m_sampR->CurveSeries->LinePen().SetWidth(2);
        m_popL->Tails = 0;
        m_popR->Tails = 0;
        m_sampL->Tails = static_cast<std::uint8_t>(tailsL);
        m_sampR->Tails = static_cast<std::uint8_t>(tailsR);
    } else {
        m_popL->CurveSeries->LinePen().SetWidth(2);
        m_popR->CurveSeries->LinePen().SetWidth(2);
        m_popL->Tails = static_cast<std::uint8_t>(tailsL);
        m_popR->Tails = static_cast<std::uint8_t>(tailsR);
        m_sampL->Tails = 0;
        m_sampR->Tails = 0;
        m_sampL->TailSeries->Clear();
        m_sampR->TailSeries->Clear();
    }

    if (sender && (sender == m_show[1] || sender == m_show[2]))
        CriticalValueRight();

    CheckBox_ShowDivClick();
    ShowTailPercents();
    ControlUpdate();
    SetTransparencia(tailsL == 3 ? 45 : 40, tailsR == 3 ? 55 : 40);
    RedrawTails();
}

void TFrameNormales::CheckBox_LDClick()
{
    if (!m_popL)
        return;
    const bool on = CheckBox_LD->isChecked();
    m_popL->CurveSeries->SetActive(on && m_showPop);
    m_sampL->CurveSeries->SetActive(on && m_showSamp);
    if (!on) {
        m_tailsL[3]->setChecked(true);
        m_popL->TailSeries->Clear();
        m_sampL->TailSeries->Clear();
    }
    RButtonClick(CheckBox_LD);
}

void TFrameNormales::CheckBox_RDClick()
{
    if (!m_popL)
        return;
    const bool on = CheckBox_RD->isChecked();
    m_popR->CurveSeries->SetActive(on && m_showPop);
    m_sampR->CurveSeries->SetActive(on && m_showSamp);
    if (!on) {
        m_tailsR[3]->setChecked(true);
        m_popR->TailSeries->Clear();
        m_sampR->TailSeries->Clear();
    }
    RButtonClick(CheckBox_RD);
}

void TFrameNormales::SetTransparencia(int left, int right)
{
    if (!m_popL)
        return;
    m_sampL->TailSeries->SetTransparency(left);
    m_popL->TailSeries->SetTransparency(left);
    m_sampR->TailSeries->SetTransparency(right);
    m_popR->TailSeries->SetTransparency(right + 20);
}

// ---- drawing ----

double TFrameNormales::VerticalMaximum() const
{
    return m_chart->LeftAxis()->Maximum();
}

void TFrameNormales::RedrawTails()
{
    if (!m_popL)
        return;
    if (m_showSamp) {
        double top = 1.1 * m_peakSamp;
        if (CheckBox_FixedScale->isChecked())
            top = 1.1 * std::max(NormalCurveDensity(m_sampL->Mean, m_sampL->Mean, m_sampL->SD),
                                 NormalCurveDensity(m_sampR->Mean, m_sampR->Mean, m_sampR->SD));
        m_chart->LeftAxis()->SetMinMax(0, top);
    }
    if (m_showPop) {
        if (CheckBox_LD->isChecked())
            DrawCurve(*m_popL);
        if (CheckBox_RD->isChecked())
            DrawCurve(*m_popR);
    }
    if (m_showSamp) {
        m_popL->TailSeries->Clear();
        m_popR->TailSeries->Clear();
        if (CheckBox_LD->isChecked())
            DrawCurve(*m_sampL);
        if (CheckBox_RD->isChecked())
            DrawCurve(*m_sampR);
    }
    CheckBox_ShowDivClick();
}

void TFrameNormales::DrawCurve(TNormalCurve& curve)
{
    TAreaSeries& tail = *curve.TailSeries;
    tail.BeginUpdate();
    tail.Clear();
    tail.SetActive(curve.Tails != 0);
    for (const TCurvePoint& p : TailSeriesPoints(curve))
        tail.AddXY(p.X, p.Y);
    tail.EndUpdate();
    if (curve.Rebuild) {
        TAreaSeries& line = *curve.CurveSeries;
        line.BeginUpdate();
        line.Clear();
        for (const TCurvePoint& p : CurveSeriesPoints(curve))
            line.AddXY(p.X, p.Y);
        line.EndUpdate();
    }
    curve.Rebuild = false;
}

void TFrameNormales::CheckBox_ShowDivClick()
{
    Linea->SetActive(CheckBox_ShowDiv->isChecked());
    Linea->Clear();
    Linea->LinePen().SetWidth(2);
    if (!m_popL)
        return;
    Linea->AddXY(m_criterion, 0);
    Linea->AddXY(m_criterion, VerticalMaximum());
}

void TFrameNormales::CheckBox_RefLineClick()
{
    if (!m_popL)
        return;
    if (m_refCapture)
        m_refCriterion = m_criterion;
    linearef->SetActive(CheckBox_RefLine->isChecked());
    linearef->SetSeriesColor(kReferenceColor);
    linearef->Clear();
    linearef->LinePen().SetWidth(2);
    linearef->AddXY(m_refCriterion, 0);
    linearef->AddXY(m_refCriterion, VerticalMaximum());

    TAreaSeries& refTail = *Area_Normal_TailLinRef;
    if (CheckBox_RefTail->isChecked() && m_popL->CurveSeries->Active()) {
        refTail.BeginUpdate();
        refTail.Clear();
        const auto f = [this](double x) { return NormalCurveDensity(x, m_popL->Mean, m_popL->SD); };
        // the points stop two thirds of the way to the right end
        for (int i = 0; i <= 100; ++i) {
            const double x = m_refCriterion + static_cast<double>(i) / kCurveSteps * (m_xMax - m_refCriterion);
            refTail.AddXY(x, f(x));
        }
        refTail.AddXY(m_refCriterion, f(m_refCriterion));
        refTail.AddXY(m_refCriterion + kTailEdge, f(m_refCriterion));
        refTail.AddXY(m_refCriterion - kTailEdge, 0);
        refTail.EndUpdate();
        refTail.SetActive(true);
    } else if (!CheckBox_RefTail->isChecked()) {
        refTail.Clear();
        refTail.SetActive(false);
    }
    m_refCapture = !CheckBox_RefLine->isChecked() && !CheckBox_RefTail->isChecked();
}

// ---- floating labels ----

void TFrameNormales::Labels_Click(QObject* sender)
{
    if (!m_curvesPlotted)
        return;
    const int tag = TagOf(sender);
    QLabel* label = FloatingLabel(tag);
    if (!label)
        return;
    m_currentLabel = tag;
    label->setVisible(label->isHidden());
    if (tag <= 4) {
        if (auto* caption = qobject_cast<QLabel*>(sender))
            label->setText(caption->text());
    } else {
        label->setText(m_labelEdits[static_cast<std::size_t>(tag - 5)]->text());
    }
    label->adjustSize();
}

void TFrameNormales::EditChange(QObject* sender)
{
    auto* edit = qobject_cast<QLineEdit*>(sender);
    if (QLabel* label = FloatingLabel(TagOf(sender)); label && edit) {
        label->setText(edit->text());
        label->adjustSize();
    }
}

void TFrameNormales::Showlbl()
{
    if (QLabel* label = FloatingLabel(m_currentLabel))
        label->move(m_mouseX, m_mouseY);
}

void TFrameNormales::ChartNormalesMouseMove(int x, int y)
{
    m_mouseX = x;
    m_mouseY = y;
}

bool TFrameNormales::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_graphView && event->type() == QEvent::Resize)
        FitBottomGroups();
    if (event->type() == QEvent::MouseButtonRelease && TagOf(watched) > 0 && qobject_cast<QLabel*>(watched))
        Labels_Click(watched);
    return QWidget::eventFilter(watched, event);
}

// ---- layout handlers ----

void TFrameNormales::FitBottomGroups()
{
    int oneRow = 2 * m_bottomGrid->horizontalSpacing() + 4 + 4;  // between the groups, the margins
    for (QBoxLayout* column : m_groupColumns)
        oneRow += column->sizeHint().width();
    const bool wrap = oneRow > m_graphView->width();
    if (wrap == m_bottomWrapped)
        return;
    m_bottomWrapped = wrap;
    for (QBoxLayout* column : m_groupColumns)
        m_bottomGrid->removeItem(column);
    if (wrap) {
        m_bottomGrid->addLayout(m_groupColumns[0], 0, 0, 1, 3);
        m_bottomGrid->addLayout(m_groupColumns[1], 1, 0);
        m_bottomGrid->addLayout(m_groupColumns[2], 1, 1);
    } else {
        for (int g = 0; g < 3; ++g)
            m_bottomGrid->addLayout(m_groupColumns[static_cast<std::size_t>(g)], 0, g);
    }
}

void TFrameNormales::ChartNormalesResize()
{
    TrackBar_C0->setGeometry(m_chart->x() + kTrackMargin, 0, std::max(0, m_chart->width() - 2 * kTrackMargin),
                             TrackBar_C0->parentWidget()->height());
}

void TFrameNormales::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    ChartNormalesResize();
}

void TFrameNormales::sbLabelsClick()
{
    if (plbls->width() <= sbLabels->width()) {
        plbls->setFixedWidth(kLabelPanelWidth);
        m_labelList->show();
    } else {
        plbls->setFixedWidth(sbLabels->width());
        m_labelList->hide();
    }
}

void TFrameNormales::SpeedButtonPanelTailsClick(QObject* sender)
{
    for (std::size_t i = 0; i < m_groupButtons.size(); ++i)
        if (sender == m_groupButtons[i])
            m_groupPanels[i]->setVisible(m_groupButtons[i]->isChecked());
}

void TFrameNormales::Button1Click()
{
    m_pages->setCurrentIndex(0);
}
