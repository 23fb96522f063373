#include "windows/sample_window.h"

#include "base/name_matching.h"
#include "core/population_model.h"
#include "core/random_numbers.h"
#include "core/text_routines.h"
#include "platform/event_guard.h"
#include "widgets/analog_meter.h"
#include "widgets/scale_gauge.h"
#include "widgets/seven_segment.h"
#include "widgets/table_editor.h"
#include "widgets/table_editor_texts.h"
#include "windows/frame_controls.h"
#include "windows/sample_save_menu.h"
#include "windows/statistics_frame.h"
#include "windows/variable_selection_frame.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr TColor kWhite = 0xFFFFFF;
constexpr int kSheetValueWidth = 20;

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

template <class W>
W* Named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* NewLabel(QWidget* parent, const char* name, const QString& text = QString())
{
    return Named(new QLabel(text, parent), name);
}

QPushButton* NewButton(QWidget* parent, const char* name, const QString& text)
{
    auto* button = Named(new QPushButton(text, parent), name);
    button->setFlat(true);
    return button;
}

QToolButton* NewToolButton(QWidget* parent, const char* name, const QString& text)
{
    auto* button = Named(new QToolButton(parent), name);
    button->setText(text);
    button->setAutoRaise(true);
    return button;
}

QWidget* NewPanel(QWidget* parent, const char* name)
{
    return Named(new QWidget(parent), name);
}

void SetNavy(QLabel* label, int pixelSize = 0)
{
    label->setStyleSheet(pixelSize > 0 ? QStringLiteral("color: navy; font-size: %1px;").arg(pixelSize)
                                       : QStringLiteral("color: navy;"));
}

// Items in order, letters compared without case.
void AddSortedItem(QComboBox* combo, const QString& text)
{
    const std::string key = LowerAscii(S(text));
    int at = 0;
    while (at < combo->count() && LowerAscii(S(combo->itemText(at))) <= key)
        ++at;
    combo->insertItem(at, text);
}

// A picture of the individual's sex: a circle with its sign.
QLabel* SexPicture(QWidget* parent, const char* name, const QString& sign, const char* colour)
{
    auto* label = NewLabel(parent, name, sign);
    label->setFixedSize(45, 45);
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(QStringLiteral("font-size: 30px; color: %1; border: 2px solid %1; border-radius: 22px;")
                             .arg(QLatin1String(colour)));
    label->hide();
    return label;
}

// The statistics frame's entries.
class TFrameEntries : public TStatisticsEntries {
public:
    explicit TFrameEntries(TFramStat& frame) : m_frame(frame) {}
    void InitX(const tNumVarDef& Var, const TVector& Data) override { m_frame.InitX(Var, Data); }
    void InitC(const tCatVar& Var, const TIntVector& Data) override { m_frame.InitC(Var, Data); }
    void InitXY(const tNumVarDef& VarX, const TVector& DataX, const tNumVarDef& VarY, const TVector& DataY) override
    {
        m_frame.InitXY(VarX, DataX, VarY, DataY);
    }
    void InitCY(const tCatVar& VarC, const TIntVector& DataC, const tNumVarDef& VarY, const TVector& DataY) override
    {
        m_frame.InitCY(VarC, DataC, VarY, DataY);
    }
    void InitCC(const tCatVar& VarA, const TIntVector& DataA, const tCatVar& VarB, const TIntVector& DataB) override
    {
        m_frame.InitCC(VarA, DataA, VarB, DataB);
    }

private:
    TFramStat& m_frame;
};

} // namespace

// ---------------------------------------------------------------- creation

TFMuestra::TFMuestra(TFMDIParent* Owner) : TFMDIChild(Owner)
{
    setObjectName(QStringLiteral("FMuestra"));
    setWindowTitle(QStringLiteral("FMuestra"));
    m_wait = [](double seconds) { DelaySeconds(seconds); };
    m_reseed = [] { Randomize(); };

    auto* client = new QWidget(this);
    client->setAutoFillBackground(true);
    QPalette palette = client->palette();
    palette.setColor(QPalette::Window, Qt::white);
    client->setPalette(palette);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(8, 0, 0, 8); // the left and bottom spacer panels
    PageControl1 = Named(new QTabWidget(client), "PageControl1");
    PageControl1->setDocumentMode(true);
    layout->addWidget(PageControl1);
    const char* names[4] = {"TabSheet1", "TabSheet2", "TabSheet3", "TabSheet4"};
    for (const char* name : names)
        PageControl1->addTab(NewPanel(PageControl1, name), QString::fromLatin1(name));
    BuildDesignPage(TabSheet(1));
    BuildObservationPage(TabSheet(2));
    BuildDataPage(TabSheet(3));
    BuildStatisticsPage(TabSheet(4));
    setWidget(client);
    for (QPushButton* button : client->findChildren<QPushButton*>())
        if (button->isFlat())
            button->installEventFilter(this);
    resize(857, 628);
    for (int i = 1; i < 4; ++i)
        SetTabShown(i, false);
}

TFMuestra::~TFMuestra()
{
    if (TFVarList)
        TFVarList->FreeLists();
}

QWidget* TFMuestra::TabSheet(int I) const
{
    return I >= 1 && I <= 4 ? PageControl1->widget(I - 1) : nullptr;
}

void TFMuestra::SetTabShown(int Index, bool Shown) { PageControl1->setTabVisible(Index, Shown); }

void TFMuestra::BuildDesignPage(QWidget* page)
{
    auto* layout = new QVBoxLayout(page);
    QWidget* top = NewPanel(page, "Panel2");
    auto* topLayout = new QHBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->addWidget(NewLabel(top, "Label3", QStringLiteral(" Design:")));
    c_DesignBox = Named(new QComboBox(top), "c_DesignBox");
    c_DesignBox->setMinimumWidth(320);
    topLayout->addWidget(c_DesignBox);
    topLayout->addStretch(1);
    layout->addWidget(top);

    TFVarList = new TFrame1(page);
    TFVarList->VariablesLabel()->setText(QStringLiteral("Variables list:"));
    TFVarList->setMinimumHeight(220);
    layout->addWidget(TFVarList, 1);

    auto* bottom = new QHBoxLayout();
    auto* sizeColumn = new QVBoxLayout();
    sizeColumn->addWidget(NewLabel(page, "Label1", QStringLiteral("Sample size:")));
    NTab_SampleSize = new TNTabEd(page, "NTab_SampleSize");
    NTab_SampleSize->setObjectName(QStringLiteral("NTab_SampleSize"));
    NTab_SampleSize->SetAttribRowVisible(false);
    NTab_SampleSize->SetAutoAdvance(true);
    NTab_SampleSize->SetAutoAdvanceDir(orVert);
    NTab_SampleSize->setMinimumSize(260, 110);
    sizeColumn->addWidget(NTab_SampleSize);
    bottom->addLayout(sizeColumn);
    auto* objectiveColumn = new QVBoxLayout();
    objectiveColumn->addWidget(NewLabel(page, "Label2", QStringLiteral("Objetive:")));
    rg_Objetive = Named(new QGroupBox(page), "rg_Objetive");
    auto* radios = new QVBoxLayout(rg_Objetive);
    const QString items[3] = {QStringLiteral("Get a new sample"), QStringLiteral("Increase the actual sample size"),
                              QStringLiteral("Posttest measures")};
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(items[i], rg_Objetive);
        radio->setChecked(i == 0);
        radios->addWidget(radio);
    }
    rg_Objetive->setEnabled(false);
    objectiveColumn->addWidget(rg_Objetive);
    objectiveColumn->addStretch(1);
    bottom->addLayout(objectiveColumn);
    sb_Ok = NewButton(page, "sb_Ok", QStringLiteral("Get sample"));
    sb_Ok->setEnabled(false);
    bottom->addWidget(sb_Ok, 0, Qt::AlignBottom);
    layout->addLayout(bottom);

    connect(c_DesignBox, &QComboBox::activated, this, [this] { platform::GuardEvent([this] { c_DesignBoxChange(); }); });
    NTab_SampleSize->OnChange = [this] { NTab_SampleSizeChange(); };
    connect(TFVarList->ByVar(), &QLineEdit::textChanged, this,
            [this] { platform::GuardEvent([this] { TFVarListe_ByVarChange(); }); });
    TFVarList->OnGroupingClick = [this] { UpdateGetSample(); };
    TFVarList->OnSelecVarClick = [this] { UpdateGetSample(); };
    connect(sb_Ok, &QPushButton::clicked, this, [this] { platform::GuardEvent([this] { sb_OkClick(); }); });
}

void TFMuestra::BuildObservationPage(QWidget* page)
{
    auto* layout = new QVBoxLayout(page);
    QWidget* topPanel = NewPanel(page, "Sampling_TopPanel");
    auto* topLayout = new QHBoxLayout(topPanel);
    topLayout->setContentsMargins(0, 0, 0, 0);
    QPushButton* newRecord = NewButton(topPanel, "sb_NewRecord", QStringLiteral("New record"));
    topLayout->addWidget(newRecord);
    QToolButton* addAllTop = NewToolButton(topPanel, "ToolButton2", QStringLiteral("Add all records"));
    topLayout->addWidget(addAllTop);
    topLayout->addStretch(1);
    layout->addWidget(topPanel);

    Sampling_MainPanel = NewPanel(page, "Sampling_MainPanel");
    auto* main = new QHBoxLayout(Sampling_MainPanel);
    main->setContentsMargins(0, 0, 0, 0);

    auto* sheetColumn = new QVBoxLayout();
    sheetColumn->addWidget(NewLabel(Sampling_MainPanel, "Label6", QStringLiteral("Observation sheet")));
    auto* panel5 = Named(new QFrame(Sampling_MainPanel), "Panel5");
    panel5->setFrameShape(QFrame::Box);
    auto* sheet = new QVBoxLayout(panel5);
    Lbl_Estudio = NewLabel(panel5, "Lbl_Estudio");
    Lbl_Estudio->setAlignment(Qt::AlignCenter);
    SetNavy(Lbl_Estudio, 17);
    lbl_Poblacion = NewLabel(panel5, "lbl_Poblacion");
    lbl_Poblacion->setAlignment(Qt::AlignCenter);
    lbl_Poblacion->setWordWrap(true);
    SetNavy(lbl_Poblacion);
    Lbl_Design = NewLabel(panel5, "Lbl_Design");
    sheet->addWidget(Lbl_Estudio);
    sheet->addWidget(lbl_Poblacion);
    sheet->addWidget(Lbl_Design);
    QWidget* row = NewPanel(panel5, "Panel4");
    auto* rowLayout = new QHBoxLayout(row);
    rowLayout->setContentsMargins(0, 0, 0, 0);
    Image_male = SexPicture(row, "Image_male", QString(QChar(0x2642)), "navy");
    Image_Female = SexPicture(row, "Image_Female", QString(QChar(0x2640)), "purple");
    lbl_Casenum = NewLabel(row, "lbl_Casenum");
    lbl_Casenum->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    rowLayout->addWidget(Image_male);
    rowLayout->addWidget(Image_Female);
    rowLayout->addStretch(1);
    rowLayout->addWidget(lbl_Casenum);
    row->setMinimumHeight(47);
    sheet->addWidget(row);
    FichaGrid = Named(new QTableWidget(panel5), "FichaGrid");
    FichaGrid->setColumnCount(2);
    FichaGrid->setColumnWidth(0, 100);
    FichaGrid->setColumnWidth(1, 160);
    FichaGrid->horizontalHeader()->hide();
    FichaGrid->verticalHeader()->hide();
    FichaGrid->setShowGrid(false);
    FichaGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FichaGrid->setFont(QFont(QStringLiteral("Liberation Mono")));
    sheet->addWidget(FichaGrid, 1);
    sheetColumn->addWidget(panel5, 1);
    QWidget* controls = NewPanel(Sampling_MainPanel, "sampling_controls");
    auto* controlsLayout = new QHBoxLayout(controls);
    controlsLayout->setContentsMargins(0, 0, 0, 0);
    tbAddRecord = NewToolButton(controls, "tbAddRecord", QStringLiteral("+"));
    QToolButton* addAll = NewToolButton(controls, "tbAddAllRecords", QStringLiteral("Add all"));
    QToolButton* showData = NewToolButton(controls, "ToolButton3", QStringLiteral("Data"));
    controlsLayout->addWidget(tbAddRecord);
    controlsLayout->addWidget(addAll);
    controlsLayout->addWidget(showData);
    controlsLayout->addStretch(1);
    sheetColumn->addWidget(controls);
    main->addLayout(sheetColumn, 2);

    auto* listsColumn = new QVBoxLayout();
    listsColumn->addWidget(NewLabel(Sampling_MainPanel, "Label4", QStringLiteral("Observable characters")));
    LB_ObservableVars = Named(new QListWidget(Sampling_MainPanel), "LB_ObservableVars");
    LB_ObservableVars->setSelectionMode(QAbstractItemView::ExtendedSelection);
    listsColumn->addWidget(LB_ObservableVars, 1);
    sb_Annotate = NewButton(Sampling_MainPanel, "sb_Annotate", QStringLiteral("Annotate observations"));
    listsColumn->addWidget(sb_Annotate);
    listsColumn->addWidget(NewLabel(Sampling_MainPanel, "Label5", QStringLiteral("Measurable variables")));
    lb_MeasureList = Named(new QListWidget(Sampling_MainPanel), "lb_MeasureList");
    listsColumn->addWidget(lb_MeasureList, 1);
    QPushButton* selectToMeasure =
        NewButton(Sampling_MainPanel, "sb_selectToMeasure", QStringLiteral("Get the measurement"));
    listsColumn->addWidget(selectToMeasure);
    main->addLayout(listsColumn, 1);

    auto* instrumentColumn = new QVBoxLayout();
    Sampling_InstrumentsPanel = Named(new QFrame(Sampling_MainPanel), "Sampling_InstrumentsPanel");
    static_cast<QFrame*>(Sampling_InstrumentsPanel)->setFrameShape(QFrame::Box);
    auto* instruments = new QVBoxLayout(Sampling_InstrumentsPanel);
    Lbl_Measure_Var = NewLabel(Sampling_InstrumentsPanel, "Lbl_Measure_Var");
    Lbl_Measure_Var->setAlignment(Qt::AlignCenter);
    Lbl_Measure_Var->setStyleSheet(QStringLiteral("font-size: 17px;"));
    instruments->addWidget(Lbl_Measure_Var);
    QWidget* panel8 = NewPanel(Sampling_InstrumentsPanel, "Panel8");
    auto* panel8Layout = new QVBoxLayout(panel8);
    m_sevenSeg = Named(new TSevenSeg(panel8), "SevenSeg");
    m_sevenSeg->SetNumDigits(8);
    m_sevenSeg->SetCaption("88888888");
    m_sevenSeg->SetColorBackGnd(3355443);
    m_sevenSeg->SetColorText(0x0000FF);
    m_sevenSeg->SetFrameStyle(fsLowered);
    m_sevenSeg->setFixedSize(240, 50);
    m_meter = Named(new TMeter(panel8), "Meter");
    m_meter->SetMeterLayout(mlCirc120);
    m_meter->SetMeterMaxValue(100);
    m_meter->SetMeterNrTicks(3);
    m_meter->SetMeterDecPlaces(0);
    m_meter->SetThresholdHigh(1.0);
    m_meter->SetLimWatchHighOn(true);
    m_meter->SetLimWatchActColor(0x0000FF);
    m_meter->SetLimWatchPsvColor(0x008000);
    m_meter->setFixedSize(240, 200);
    m_scale = Named(new TScaleGauge(panel8), "Scale");
    m_scale->SetOrientation(goHorizontal);
    m_scale->SetMin(-10);
    m_scale->SetMax(100);
    m_scale->SetIndexMode(gimTriangle);
    m_scale->SetBackground(gbVertGrad);
    m_scale->SetColorBg1(0xC0C0C0);
    m_scale->SetColorBg2(kWhite);
    m_scale->setFixedSize(280, 80);
    for (QWidget* instrument : {static_cast<QWidget*>(m_sevenSeg), static_cast<QWidget*>(m_meter),
                                static_cast<QWidget*>(m_scale)}) {
        instrument->hide();
        panel8Layout->addWidget(instrument, 0, Qt::AlignHCenter);
    }
    instruments->addWidget(panel8, 1);
    Lbl_Measure_Units = NewLabel(Sampling_InstrumentsPanel, "Lbl_Measure_Units");
    Lbl_Measure_Units->setAlignment(Qt::AlignCenter);
    instruments->addWidget(Lbl_Measure_Units);
    QPushButton* measure = NewButton(Sampling_InstrumentsPanel, "sb_Measure", QStringLiteral("Measure out"));
    sb_register = NewButton(Sampling_InstrumentsPanel, "sb_register", QStringLiteral("Register measurement"));
    sb_register->setEnabled(false);
    instruments->addWidget(measure);
    instruments->addWidget(sb_register);
    Sampling_InstrumentsPanel->hide();
    instrumentColumn->addWidget(Sampling_InstrumentsPanel);
    NTabEdRep = new TNTabEd(Sampling_MainPanel, "NTabEdRep");
    NTabEdRep->setObjectName(QStringLiteral("NTabEdRep"));
    NTabEdRep->SetAttribRowVisible(false);
    NTabEdRep->SetDataReadOnly(true);
    NTabEdRep->setMinimumHeight(120);
    // its place is kept while hidden: the instruments do not move when it shows
    QSizePolicy repeatPolicy = NTabEdRep->sizePolicy();
    repeatPolicy.setRetainSizeWhenHidden(true);
    NTabEdRep->setSizePolicy(repeatPolicy);
    NTabEdRep->hide();
    instrumentColumn->addWidget(NTabEdRep, 1);
    main->addLayout(instrumentColumn, 2);
    Sampling_MainPanel->hide();
    layout->addWidget(Sampling_MainPanel, 1);
    layout->addStretch(0);  // keeps the top panel at the top while the sheet is hidden

    auto guard = [this](auto handler) { return [this, handler] { platform::GuardEvent([this, handler] { (this->*handler)(); }); }; };
    connect(newRecord, &QPushButton::clicked, this, guard(&TFMuestra::sb_NewRecordClick));
    connect(addAllTop, &QToolButton::clicked, this, guard(&TFMuestra::tbAddAllRecordsClick));
    connect(addAll, &QToolButton::clicked, this, guard(&TFMuestra::tbAddAllRecordsClick));
    connect(tbAddRecord, &QToolButton::clicked, this, guard(&TFMuestra::tbAddRecordClick));
    connect(showData, &QToolButton::clicked, this, guard(&TFMuestra::ToolButton3Click));
    connect(sb_Annotate, &QPushButton::clicked, this, guard(&TFMuestra::sb_AnnotateClick));
    connect(LB_ObservableVars, &QListWidget::itemClicked, this, guard(&TFMuestra::LB_ObservableVarsClick));
    connect(selectToMeasure, &QPushButton::clicked, this, guard(&TFMuestra::sb_selectToMeasureClick));
    connect(lb_MeasureList, &QListWidget::itemClicked, this, guard(&TFMuestra::sb_selectToMeasureClick));
    connect(measure, &QPushButton::clicked, this, guard(&TFMuestra::sb_MeasureClick));
    connect(sb_register, &QPushButton::clicked, this, guard(&TFMuestra::sb_registerClick));
}

void TFMuestra::BuildDataPage(QWidget* page)
{
    auto* layout = new QVBoxLayout(page);
    QWidget* toolBar = NewPanel(page, "ToolBar2");
    auto* toolLayout = new QHBoxLayout(toolBar);
    toolLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(toolBar);
    auto* splitter = Named(new QSplitter(page), "Splitter1");
    m_sampleData = new TNTabEd(splitter, "SampleData");
    m_sampleData->setObjectName(QStringLiteral("SampleData"));
    m_sampleData->SetAttribRowVisible(false);
    m_sampleData->SetTableSize(0, 0);
    Panel12 = NewPanel(splitter, "Panel12");
    auto* panelLayout = new QHBoxLayout(Panel12);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    sbLabels = NewToolButton(Panel12, "sbLabels", QStringLiteral("|"));
    sbLabels->setFixedWidth(12);
    sbLabels->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    Memo1 = Named(new QTextEdit(Panel12), "Memo1");
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QTextEdit::NoWrap);
    Memo1->setTextColor(Qt::darkBlue);
    panelLayout->addWidget(sbLabels);
    panelLayout->addWidget(Memo1, 1);
    splitter->addWidget(m_sampleData);
    splitter->addWidget(Panel12);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter, 1);

    m_saveMenu = new TSampleSaveMenu(toolBar, *m_sampleData, [this] { return FileVariables(); });
    // records saved by the menu are no longer at risk; the close question saves by extension
    SetFileSettings(QString(), QStringLiteral("sps"), TSampleSaveMenu::AllKindsFilter());
    m_saveMenu->OnSaved = [this](const QString& fileName) {
        SetFileSettings(fileName, DefaultExt(), Filter());
        SetModified(false);
    };
    // a record edited on the sheet is not saved yet either, nor are the
    // decimals the files write it with
    const auto sheetEdited = [this] {
        if (m_sampleData->NrOfRows() > 0)
            SetModified(true);
    };
    m_sampleData->OnChange = sheetEdited;
    m_sampleData->OnPrecisionChanged = sheetEdited;
    toolLayout->addWidget(m_saveMenu->ToolButtonSave());
    toolLayout->addStretch(1);
    connect(sbLabels, &QToolButton::clicked, this, [this] { platform::GuardEvent([this] { sbLabelsClick(); }); });
}

void TFMuestra::BuildStatisticsPage(QWidget* page)
{
    auto* layout = new QVBoxLayout(page);
    // two lines, one per variable; no control has a width of its own to keep,
    // so a narrow window squeezes them rather than piling them up
    auto* row = new QGridLayout();
    row->addWidget(NewLabel(page, "Label7", QStringLiteral("Variable 1 (Y):")), 0, 0);
    cbSVars1 = Named(new QComboBox(page), "cbSVars1");
    row->addWidget(cbSVars1, 0, 1);
    lblVar1 = NewLabel(page, "lblVar1");
    row->addWidget(lblVar1, 0, 2);
    row->addWidget(NewLabel(page, "Label8", QStringLiteral("Variable 2 (X):")), 1, 0);
    cbSVars2 = Named(new QComboBox(page), "cbSVars2");
    row->addWidget(cbSVars2, 1, 1);
    lblVar2 = NewLabel(page, "lblVar2");
    row->addWidget(lblVar2, 1, 2);
    row->setColumnMinimumWidth(1, 140);
    row->setColumnMinimumWidth(2, 150);
    QPushButton* run = NewButton(page, "SpeedButton1", QStringLiteral("Statistics"));
    row->addWidget(run, 0, 3);
    row->setColumnStretch(4, 1);
    layout->addLayout(row);
    TFramStat1 = new TFramStat(page);
    TFramStat1->setObjectName(QStringLiteral("TFramStat1"));
    TFramStat1->hide();
    m_frameEntries = std::make_unique<TFrameEntries>(*TFramStat1);
    layout->addWidget(TFramStat1, 1);
    layout->addStretch(0);  // keeps the selectors at the top while the frame is hidden

    for (QComboBox* combo : {cbSVars1, cbSVars2})
        connect(combo, &QComboBox::activated, this,
                [this, combo] { platform::GuardEvent([this, combo] { cbSVars2Change(combo); }); });
    connect(run, &QPushButton::clicked, this, [this] { platform::GuardEvent([this] { ExecuteStatistics(); }); });
    // entering the page offers the variables of the sample now on the sheet
    connect(PageControl1, &QTabWidget::currentChanged, this, [this, page](int index) {
        if (PageControl1->widget(index) == page)
            platform::GuardEvent([this] { InitStatVars(); });
    });
}

void TFMuestra::SetStatisticsEntries(TStatisticsEntries* Entries) { m_entries = Entries; }

// ---------------------------------------------------------------- design

void TFMuestra::InitFromPopulation(const IXMLVexaType& Root, tPopulation* Model)
{
    PageControl1->setCurrentIndex(0);
    FVexa = Root;
    FPoblacion = Model;
    m_state.SetModel(Model);

    const IXMLSamplingType sampling = Root.System().Population().Sampling();
    const IXMLPagesType pages = sampling.Pages();
    const std::string captions[4] = {pages.P1(), pages.P2(), pages.P3(), pages.P4()};
    for (int i = 0; i < 4; ++i)
        PageControl1->setTabText(i, Q(captions[i]));

    QStringList categorical;
    QStringList quantitative;
    if (Model) {
        for (const tCatVar& v : Model->CatVars)
            categorical.append(Q(v.Name));
        for (const tNumVarDef& v : Model->NumVarDefs)
            quantitative.append(Q(v.Name));
    }
    TFVarList->Init(categorical, quantitative, true);

    c_DesignBox->clear();
    FOptions.clear();
    const IXMLOptTypeList options = sampling.Options().Opt();
    for (int i = 0; i < options.Count(); ++i) {
        const IXMLOptType opt = options[i];
        FOptions.push_back({opt.Id(), opt.Design(), TrimControl(opt.Text())});
        c_DesignBox->addItem(Q(FOptions.back().Text));
    }
    FRecordCount = 0;
    if (!FOptions.empty()) {
        c_DesignBox->setCurrentIndex(0);
        ApplyDesign(0);
    } else {
        FDesign = -1; // no design: nothing can be sampled
        TFVarList->SetGrouping(false);
    }
    TFVarListe_ByVarChange();
    for (int i = 1; i < 4; ++i)
        SetTabShown(i, false);
}

void TFMuestra::ApplyDesign(int I)
{
    if (I < 0 || I >= static_cast<int>(FOptions.size()))
        return;
    const tSampling_Option& option = FOptions[static_cast<std::size_t>(I)];
    FDesign = option.Design;
    Lbl_Design->setText(Q(option.Text));
    if (FDesign == 1)
        FGrouping = true;
    else if (FDesign == 0 || FDesign == 2 || FDesign == 3)
        FGrouping = false;
    TFVarList->SetGrouping(FGrouping);
    UpdateGetSample();
}

void TFMuestra::c_DesignBoxChange()
{
    ApplyDesign(c_DesignBox->currentIndex());
}

void TFMuestra::NTab_SampleSizeChange() { UpdateGetSample(); }

void TFMuestra::TFVarListe_ByVarChange()
{
    TNTabEd& t = *NTab_SampleSize;
    const std::string byVar = S(TFVarList->ByVar()->text());
    if (byVar.empty() || !FPoblacion) {
        t.SetTableSize(1, 1);
        t.SetColName(1, "");
        t.SetRowName(1, " n = ");
    } else {
        const int c = std::max(FPoblacion->FindCatVar(byVar), 0);
        const tCatVar* var = c < static_cast<int>(FPoblacion->CatVars.size()) ? &FPoblacion->CatVars[static_cast<std::size_t>(c)] : nullptr;
        const int levels = var ? static_cast<int>(var->Levels.size()) : 1;
        t.SetTableSize(1, std::max(levels, 1));
        t.SetColName(1, "              n");
        for (int r = 1; r <= levels && var; ++r)
            t.SetRowName(r, " " + var->Levels[static_cast<std::size_t>(r - 1)].Label);
    }
    for (int r = 1; r <= t.NrOfRows(); ++r)
        t.SetElem(1, r, 0);
    t.SetDecPlaces(1, 0);
    UpdateGetSample();
}

int TFMuestra::SampleSizeLimit(bool Max) const
{
    const IXMLSamplesizeType size = FVexa.System().Population().Sampling().Samplesize();
    return Max ? size.Max() : size.Min();
}

bool TFMuestra::SampleSizesValid() const
{
    const TNTabEd& t = *NTab_SampleSize;
    if (t.NrOfRows() < 1)
        return false;
    const int min = SampleSizeLimit(false);
    const int max = SampleSizeLimit(true);
    for (int r = 1; r <= t.NrOfRows(); ++r)
        if (!SampleSizeValid(t.GetElem(1, r), t.ElemIsValid(1, r), min, max))
            return false;
    return true;
}

void TFMuestra::UpdateGetSample()
{
    bool valid = false;
    if (!FPoblacion || FOptions.empty()) {
        valid = false;
    } else if (FDesign == 0 || FDesign == 2) {
        valid = true;
    } else if (FDesign == 1) {
        const std::string byVar = S(TFVarList->ByVar()->text());
        valid = !byVar.empty() && FPoblacion->FindCatVar(byVar) >= 0;
    }
    sb_Ok->setEnabled(valid && TFVarList->Selection()->count() > 0 && SampleSizesValid());
}

// ---------------------------------------------------------------- "Get sample"

void TFMuestra::sb_OkClick()
{
    if (!FPoblacion)
        return;
    // the new sample empties the sheet: records not saved are asked about first
    if (m_sampleData->NrOfRows() > 0 && Modified() && AskOnClose() && GlobalAskOnClose() &&
        !AskToSave(QStringLiteral("has been modified. Save before drawing a new sample?"), QStringLiteral("Save")))
        return;
    Lbl_Estudio->setText(Q(FVexa.System().Name()));
    lbl_Poblacion->setText(Q(FVexa.System().Population().Docum()));
    Lbl_Design->setText(c_DesignBox->currentText());
    lb_MeasureList->clear();
    LB_ObservableVars->clear();

    // the grouping variable first, then the names to observe in their order
    std::vector<std::string> names;
    const QString byVar = TFVarList->ByVar()->text();
    if (!byVar.isEmpty())
        names.push_back(S(byVar));
    for (const QString& name : TFVarList->SelectionNames())
        names.push_back(S(name));
    m_state.Choose(names);

    const int n = static_cast<int>(names.size());
    FichaGrid->setRowCount(n);
    for (int i = 0; i < n; ++i) {
        const QString name = Q(m_state.ChosenVarName(i));
        if (m_state.Chosen()[static_cast<std::size_t>(i)].Instrument > 0)
            lb_MeasureList->addItem(name);
        else
            LB_ObservableVars->addItem(name);
        FichaGrid->setItem(i, 0, new QTableWidgetItem(name));
        FichaGrid->setItem(i, 1, new QTableWidgetItem(QStringLiteral("-")));
    }

    // strata: the sizes by level of the grouping variable
    std::vector<int> sizes;
    const int stratum = FDesign == 1 && !byVar.isEmpty() ? FPoblacion->FindCatVar(S(byVar)) : -1;
    if (stratum >= 0)
        for (int r = 1; r <= NTab_SampleSize->NrOfRows(); ++r)
            sizes.push_back(static_cast<int>(std::trunc(NTab_SampleSize->GetElem(1, r))));
    m_state.SetStratum(stratum, sizes);

    // "Add all" draws the size confirmed here, whatever the cell says later
    m_confirmedSize = SampleSizesValid() ? static_cast<int>(std::trunc(NTab_SampleSize->GetElem(1, 1))) : 0;

    // a new sample: no rows and no records yet
    FRecordCount = 0;
    lbl_Casenum->clear();
    const std::vector<bool>& chosen = m_state.VarChosen();
    const int columns = static_cast<int>(std::count(chosen.begin(), chosen.end(), true));
    m_sampleData->SetTableSize(columns, 0);
    int c = 1;
    const std::size_t K = FPoblacion->CatVars.size();
    for (std::size_t k = 0; k < K; ++k) {
        if (!chosen[k])
            continue;
        m_sampleData->SetColName(c, FPoblacion->CatVars[k].Name);
        m_sampleData->SetDecPlaces(c, 0);
        ++c;
    }
    for (std::size_t j = 0; j < FPoblacion->NumVarDefs.size(); ++j) {
        if (!chosen[K + j])
            continue;
        m_sampleData->SetColName(c, FPoblacion->NumVarDefs[j].Name);
        m_sampleData->SetDecPlaces(c, FPoblacion->NumVarDefs[j].Decimals);
        ++c;
    }
    FillMemo();
    SetModified(false); // the sheet holds no record yet

    Sampling_MainPanel->hide();
    SetTabShown(1, true);
    PageControl1->setCurrentIndex(1);
}

void TFMuestra::FillMemo()
{
    QStringList lines = {QStringLiteral("VARIABLES"), QString()};
    const std::vector<bool>& chosen = m_state.VarChosen();
    const std::size_t K = FPoblacion->CatVars.size();
    for (std::size_t k = 0; k < K; ++k) {
        if (!chosen[k])
            continue;
        const tCatVar& v = FPoblacion->CatVars[k];
        lines << Q("[" + v.Name + "]") << Q(v.Label);
        for (const tLevels& level : v.Levels)
            lines << Q("- " + std::to_string(level.Id) + "-> " + level.Label);
        lines << QString();
    }
    for (std::size_t j = 0; j < FPoblacion->NumVarDefs.size(); ++j) {
        if (!chosen[K + j])
            continue;
        const tNumVarDef& v = FPoblacion->NumVarDefs[j];
        lines << Q("[" + v.Name + "]") << Q(v.Description) << Q(v.Units) << QString();
    }
    Memo1->setPlainText(lines.join(QLatin1Char('\n')));
}

bool TFMuestra::SaveToFile()
{
    return m_saveMenu->WriteFile(TSampleSaveMenu::KindOfFile(FileName()), FileName());
}

std::vector<TSampleFileVariable> TFMuestra::FileVariables() const
{
    if (!FPoblacion)
        return {};
    return ChosenFileVariables(*FPoblacion, m_state.VarChosen());
}

// ---------------------------------------------------------------- individuals and records

void TFMuestra::DrawIndividual()
{
    if (m_reseed)
        m_reseed();
    m_state.DrawIndividual();
}

void TFMuestra::ShowRecordNumber(bool Flag)
{
    if (Flag)
        ++FRecordCount;
    lbl_Casenum->setText(QStringLiteral("- %1 -    ").arg(FRecordCount));
}

void TFMuestra::FillRecord(int Row)
{
    const std::vector<double> record = m_state.TakeRecord();
    m_sampleData->SetRowName(Row, std::to_string(FRecordCount));
    for (std::size_t c = 0; c < record.size(); ++c)
        m_sampleData->SetElem(static_cast<int>(c) + 1, Row, record[c]);
    SetModified(true);
}

void TFMuestra::AppendRecord()
{
    const int row = m_sampleData->NrOfRows() + 1;
    m_sampleData->SetNrOfRows(row);
    FillRecord(row);
}

void TFMuestra::tbAddRecordClick()
{
    if (!FPoblacion || m_state.Chosen().empty())
        return;
    ShowRecordNumber(true);
    AppendRecord();
    NTabEdRep->hide();
    sb_NewRecordClick();
    tbAddRecord->setEnabled(false);
}

int TFMuestra::SampleTarget() const
{
    if (m_state.StratumVar() >= 0)
        return m_state.StratumTarget();
    return m_confirmedSize;
}

void TFMuestra::tbAddAllRecordsClick()
{
    if (!FPoblacion || m_state.Chosen().empty())
        return;
    ClearSheet();
    const int missing = std::max(SampleTarget() - FRecordCount, 0);
    if (missing > 0) {
        // the sheet grows once, then its new rows are filled
        const int first = m_sampleData->NrOfRows() + 1;
        m_sampleData->SetPaintHeld(true);
        try {
            m_sampleData->SetNrOfRows(first - 1 + missing);
            for (int row = first; row < first + missing; ++row) {
                DrawIndividual();
                ++FRecordCount;
                FillRecord(row);
            }
        } catch (...) {
            m_sampleData->SetPaintHeld(false);
            throw;
        }
        m_sampleData->SetPaintHeld(false);
    }
    SetTabShown(2, true);
    SetTabShown(3, true);
    NTabEdRep->hide();
    sb_AnnotateClick();
    AnnotateValue(S(Lbl_Measure_Var->text()));
    sb_NewRecordClick();
    PageControl1->setCurrentIndex(2);
    InitStatVars();
}

void TFMuestra::sb_NewRecordClick()
{
    Sampling_MainPanel->show();
    Sampling_InstrumentsPanel->hide();
    ClearSheet();
    DrawIndividual();
    ResetRepeats();
}

void TFMuestra::ClearSheet()
{
    Lbl_Measure_Var->clear();
    Lbl_Measure_Units->clear();
    m_meter->hide();
    m_meter->SetValue(0);
    m_scale->hide();
    m_scale->SetValue(0);
    m_sevenSeg->hide();
    m_sevenSeg->SetCaption("88888888");
    for (int r = 0; r < FichaGrid->rowCount(); ++r)
        FichaGrid->setItem(r, 1, new QTableWidgetItem(QStringLiteral("-")));
    Image_male->hide();
    Image_Female->hide();
}

void TFMuestra::ResetRepeats()
{
    FRepeatCount = 0;
    NTabEdRep->hide();
    NTabEdRep->SetTableSize(1, 1);
    NTabEdRep->Clear();
}

// ---------------------------------------------------------------- observing

void TFMuestra::sb_AnnotateClick()
{
    const QList<QListWidgetItem*> selected = LB_ObservableVars->selectedItems();
    if (selected.isEmpty()) {
        sb_Annotate->setToolTip(QStringLiteral("Select a variable from the list before clicking here"));
        if (sb_Annotate->isVisible())
            QToolTip::showText(sb_Annotate->mapToGlobal(QPoint(0, sb_Annotate->height())), sb_Annotate->toolTip(),
                               sb_Annotate);
    } else {
        for (int i = 0; i < LB_ObservableVars->count(); ++i)
            if (LB_ObservableVars->item(i)->isSelected())
                AnnotateValue(S(LB_ObservableVars->item(i)->text()));
    }
    tbAddRecord->setEnabled(true);
}

void TFMuestra::LB_ObservableVarsClick() { sb_Annotate->setToolTip(QString()); }

void TFMuestra::AnnotateValue(const std::string& Name)
{
    if (!FPoblacion)
        return;
    const int i = m_state.VarFlatIndex(Name);
    if (i < 0)
        return;
    const int K = m_state.CatCount();
    for (int r = 0; r < FichaGrid->rowCount(); ++r) {
        const QTableWidgetItem* item = FichaGrid->item(r, 0);
        if (!item || S(item->text()) != Name)
            continue;
        const double value = m_state.Values()[static_cast<std::size_t>(i)];
        QString text;
        if (i >= K) {
            const tNumVarDef& def = FPoblacion->NumVarDefs[static_cast<std::size_t>(i - K)];
            text = Q(FormatNumber(kSheetValueWidth, std::max(def.Decimals, 0), value));
        } else {
            const std::string label = FPoblacion->LevelLabel(i, static_cast<int>(std::trunc(value)));
            text = Q(AlignRight(label, kSheetValueWidth));
            const int sex = SexValueCode(Name, label);
            if (sex == 0) {
                Image_Female->show();
                Image_male->hide();
            } else if (sex == 1) {
                Image_male->show();
                Image_Female->hide();
            }
        }
        FichaGrid->setItem(r, 1, new QTableWidgetItem(text));
    }
}

// ---------------------------------------------------------------- measuring

void TFMuestra::sb_selectToMeasureClick()
{
    QListWidgetItem* item = lb_MeasureList->currentItem();
    if (!item || !FPoblacion)
        return;
    m_meter->hide();
    m_scale->hide();
    m_sevenSeg->hide();
    const TVariableRef ref = FPoblacion->FindVariable(S(item->text()));
    int instrument = -1;
    double rangeMax = 0.0;
    if (ref.Kind == 0) {
        const tNumVarDef& def = FPoblacion->NumVarDefs[static_cast<std::size_t>(ref.Index)];
        Lbl_Measure_Var->setText(Q(def.Name));
        Lbl_Measure_Units->setText(Q(def.Units));
        instrument = def.SamplingMeter;
        rangeMax = def.Maximum;
    } else if (ref.Kind == 1) {
        const tCatVar& def = FPoblacion->CatVars[static_cast<std::size_t>(ref.Index)];
        Lbl_Measure_Var->setText(Q(def.Name));
        Lbl_Measure_Units->clear();
        instrument = def.SamplingMeter;
        rangeMax = static_cast<double>(def.Levels.size());
    }
    Sampling_InstrumentsPanel->show();
    ResetRepeats();
    if (instrument == 1) {
        m_meter->show();
        m_meter->SetMeterMaxValue(rangeMax);
        m_meter->SetMeterMinValue(0.0);
    } else if (instrument == 2) {
        m_scale->show();
        m_scale->SetMax(rangeMax);
        m_scale->SetValue(0);
    } else if (instrument == 3) {
        m_sevenSeg->show();
    }
}

int TFMuestra::VisibleInstrument() const
{
    int inst = 0;
    if (!m_meter->isHidden())
        inst = 1;
    if (!m_scale->isHidden())
        inst = 2;
    if (!m_sevenSeg->isHidden())
        inst = 3;
    return inst;
}

void TFMuestra::sb_MeasureClick()
{
    if (!FPoblacion)
        return;
    const int inst = VisibleInstrument();
    const std::string name = S(Lbl_Measure_Var->text());
    const int K = m_state.CatCount();
    double value = 0.0;
    int decimals = 0;
    if (const int j = FPoblacion->FindNumVar(name); j >= 0) {
        const tNumVarDef& def = FPoblacion->NumVarDefs[static_cast<std::size_t>(j)];
        decimals = std::max(def.Decimals, 0);
        ++FRepeatCount;
        m_repeatError = InstrumentRelativeError(FVexa, inst);
        value = m_state.TrueValues()[static_cast<std::size_t>(K + j)];
        NTabEdRep->SetDecPlaces(1, decimals);
        NTabEdRep->SetElem(1, 1, value);
        if (FRepeatCount > 1) {
            NTabEdRep->SetColName(1, def.Name);
            NTabEdRep->show();
            value += RandomNormal() * m_repeatError * value;
            m_state.Values()[static_cast<std::size_t>(K + j)] = value;
        }
    } else if (const int c = FPoblacion->FindCatVar(name); c >= 0) {
        value = m_state.Values()[static_cast<std::size_t>(c)];
    } else {
        return; // nothing chosen to measure
    }
    if (inst == 1)
        ShowOnMeter(value, 0);
    else if (inst == 2)
        ShowOnScale(value, 0);
    else if (inst == 3)
        ShowOnDisplay(value, decimals);
    if (FRepeatCount > 1)
        AddRepeatRow(value);
    sb_register->setEnabled(true);
}

void TFMuestra::ShowOnMeter(double Value, double Start)
{
    m_meter->SetLimWatchActColor(0x0000FF);
    m_meter->SetValue(Start);
    if (Value == 0.0) {
        m_meter->SetValue(0);
    } else {
        for (int k = 0; k <= 100; ++k) {
            m_meter->SetValue(std::nearbyint(k * Value / 100.0)); // whole numbers only
            m_meter->repaint();
            m_wait(FStepDelay);
        }
    }
    m_meter->SetLimWatchActColor(0x008000);
}

void TFMuestra::ShowOnScale(double Value, double Start)
{
    m_scale->SetValue(Start);
    if (Value == 0.0) {
        for (int k = 0; k <= 100; ++k) {
            m_scale->SetValue(std::nearbyint((100 - k) * Start / 100.0));
            m_scale->repaint();
            m_wait(0.0);
        }
        m_scale->SetValue(0);
    } else {
        for (int k = 0; k <= 100; ++k) {
            m_scale->SetValue(std::nearbyint(k * Value / 100.0));
            m_scale->repaint();
            m_wait(0.0);
        }
    }
}

void TFMuestra::ShowOnDisplay(double Value, int Decimals)
{
    // the display shows the measured value with the variable's decimals
    m_sevenSeg->SetCaption(FormatNumber(8, Decimals, Value));
}

void TFMuestra::AddRepeatRow(double Value)
{
    const int r = NTabEdRep->NrOfRows() + 1;
    NTabEdRep->SetNrOfRows(r);
    NTabEdRep->SetRowName(r, "R-" + std::to_string(r));
    NTabEdRep->SetElem(1, r, Value);
    NTabEdRep->SetMark(1, r - 1, 0);
    NTabEdRep->SetMark(0, r - 1, 0);
    NTabEdRep->SetMark(1, r, cmMarkB);
    NTabEdRep->SetMark(0, r, cmMarkB);
}

void TFMuestra::SpeedButton_MouseEnter(QPushButton* Sender)
{
    SetHoverColour(Sender, true);
    Sender->setCursor(Qt::PointingHandCursor);
}

void TFMuestra::SpeedButton_MouseLeave(QPushButton* Sender)
{
    SetHoverColour(Sender, false);
}

bool TFMuestra::eventFilter(QObject* Watched, QEvent* Event)
{
    if (auto* button = qobject_cast<QPushButton*>(Watched)) {
        if (Event->type() == QEvent::Enter)
            SpeedButton_MouseEnter(button);
        else if (Event->type() == QEvent::Leave)
            SpeedButton_MouseLeave(button);
    }
    return TFMDIChild::eventFilter(Watched, Event);
}

void TFMuestra::sb_registerClick()
{
    AnnotateValue(S(Lbl_Measure_Var->text()));
    if (!m_meter->isHidden())
        ShowOnMeter(0, m_meter->Value());
    if (!m_scale->isHidden())
        ShowOnScale(0, m_scale->Value());
    if (!m_sevenSeg->isHidden())
        m_sevenSeg->SetCaption("");
    sb_register->setEnabled(false);
    tbAddRecord->setEnabled(true);
}

// ---------------------------------------------------------------- data page

void TFMuestra::sbLabelsClick()
{
    if (sbLabels->width() >= Panel12->width())
        Panel12->setFixedWidth(TabSheet(3)->width() / 3);
    else
        Panel12->setFixedWidth(sbLabels->width());
}

void TFMuestra::ToolButton3Click()
{
    if (PageControl1->isTabVisible(2))
        PageControl1->setCurrentIndex(2);
}

// ---------------------------------------------------------------- statistics page

void TFMuestra::InitStatVars()
{
    for (QComboBox* combo : {cbSVars1, cbSVars2}) {
        combo->clear();
        AddSortedItem(combo, QStringLiteral("-"));
    }
    if (FPoblacion) {
        const std::vector<bool>& chosen = m_state.VarChosen();
        const std::size_t K = FPoblacion->CatVars.size();
        for (std::size_t i = 0; i < chosen.size(); ++i) {
            if (!chosen[i])
                continue;
            const QString name = Q(i < K ? FPoblacion->CatVars[i].Name : FPoblacion->NumVarDefs[i - K].Name);
            AddSortedItem(cbSVars1, name);
            AddSortedItem(cbSVars2, name);
        }
    }
    for (QComboBox* combo : {cbSVars1, cbSVars2})
        combo->setCurrentIndex(combo->findText(QStringLiteral("-")));
    lblVar1->clear();
    lblVar2->clear();
    // an analysis on screen belongs to the choice just cleared
    TFramStat1->hide();
}

void TFMuestra::cbSVars2Change(QComboBox* Sender)
{
    QLabel* label = Sender == cbSVars1 ? lblVar1 : lblVar2;
    const QString text = Sender->currentText();
    if (text != QStringLiteral("-") && !text.isEmpty() && FPoblacion)
        label->setText(FPoblacion->FindCatVar(S(text)) >= 0 ? QStringLiteral("Categorical Variable")
                                                            : QStringLiteral("Quantitative Variable"));
    else
        label->clear();
    ExecuteStatistics();
}

void TFMuestra::ExecuteStatistics()
{
    TFramStat1->show();
    if (cbSVars1->currentText() == cbSVars2->currentText()) {
        cbSVars2->setCurrentIndex(cbSVars2->findText(QStringLiteral("-")));
        lblVar2->clear();
    }
    TStatisticsEntries* entries = m_entries ? m_entries : m_frameEntries.get();
    if (!FPoblacion || !entries)
        return;
    // each variable keeps the column "Get sample" gave it, however it is headed now
    std::vector<std::string> columns;
    for (const TSampleFileVariable& v : FileVariables())
        columns.push_back(v.Name);
    // nothing to analyse (no variable, or a sheet without rows): no analysis shown
    if (m_statistics.Run(*FPoblacion, *m_sampleData, columns, S(cbSVars1->currentText()),
                         S(cbSVars2->currentText()), *entries) == 0)
        TFramStat1->hide();
}
