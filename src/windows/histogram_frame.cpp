#include "windows/histogram_frame.h"

#include <algorithm>

#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "chart/plot_gradient.h"
#include "chart/series/fast_line_series.h"
#include "chart/series/histogram_series.h"
#include "windows/frame_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QToolButton>
#include <QHBoxLayout>
#include <QVBoxLayout>

TFrameHistogram::TFrameHistogram(QWidget* parent) : TChartFrame(parent, QStringLiteral("Variables"))
{
    ChartPoblacion = NewNamed<TChart>(Body(), "ChartPoblacion");
    ChartPoblacion->SetView3D(false);
    ChartPoblacion->Legend()->SetVisible(false);
    ChartPoblacion->Title()->SetVisible(false);
    ChartPoblacion->Gradient()->SetVisible(true);
    ChartPoblacion->Gradient()->SetEndColor(16774636);
    ChartPoblacion->Gradient()->SetMidColor(clWhite);
    ChartPoblacion->BottomAxis()->SetAutomatic(false);
    ChartPoblacion->BottomAxis()->SetMaximum(24);
    ChartPoblacion->BottomAxis()->SetAxisValuesFormat("#,##0.#");
    ChartPoblacion->BottomAxis()->Grid()->SetColor(15724527);
    ChartPoblacion->LeftAxis()->SetAutomaticMinimum(false);
    ChartPoblacion->LeftAxis()->SetMinimum(-1000);
    ChartPoblacion->LeftAxis()->SetAxisValuesFormat("0.##");
    ChartPoblacion->LeftAxis()->SetMaximumOffset(20);
    ChartPoblacion->SetColorPaletteIndex(9);
    BodyColumn()->addWidget(ChartPoblacion, 1);

    auto* row = static_cast<QHBoxLayout*>(Panel1->layout());
    PanelA = NewRowPanel(Panel1, "PanelA", 0);
    sb_togglePanels = NewTitleButton(PanelA, "sb_togglePanels", QStringLiteral("..."));
    PanelA->layout()->addWidget(Label1);
    PanelA->layout()->addWidget(CB_Variable);
    PanelA->layout()->addWidget(sb_togglePanels);
    PanelB = NewRowPanel(Panel1, "PanelB", 0);
    for (QWidget* w : {static_cast<QWidget*>(CB_splitted), static_cast<QWidget*>(CB_Split),
                       static_cast<QWidget*>(CB_filtered), static_cast<QWidget*>(CB_filter)})
        PanelB->layout()->addWidget(w);
    PanelC = NewRowPanel(Panel1, "PanelC", 0);
    CB_GroupOnly = NewNamed<QCheckBox>(PanelC, "CB_GroupOnly");
    CB_GroupOnly->setText(QStringLiteral("grouped by "));
    CB_Group = NewNamed<QComboBox>(PanelC, "CB_Group");
    CB_Group->setEnabled(false);
    PanelC->layout()->addWidget(CB_GroupOnly);
    PanelC->layout()->addWidget(CB_Group);
    PanelC->setVisible(false);
    row->addWidget(PanelA);
    row->addWidget(PanelB);
    row->addWidget(PanelC);
    row->addStretch(1);
    AddOptionRows();
    Panel1->installEventFilter(this);

    connect(SpeedButton3, &QToolButton::clicked, this, [this] { SpeedButton3Click(); });
    connect(CB_GroupOnly, &QCheckBox::clicked, this, [this] { CB_GroupOnlyClick(); });
}

bool TFrameHistogram::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == Panel1 && (Event->type() == QEvent::Resize || Event->type() == QEvent::LayoutRequest))
        FitOptionRow();
    return TChartFrame::eventFilter(Watched, Event);
}

void TFrameHistogram::FitOptionRow()
{
    auto* row = static_cast<QBoxLayout*>(Panel1->layout());
    int wanted = PanelA->sizeHint().width();
    for (QWidget* panel : {PanelB, PanelC})
        if (!panel->isHidden())
            wanted += row->spacing() + panel->sizeHint().width();
    const bool wrap = Panel1->width() < wanted;
    const QBoxLayout::Direction direction = wrap ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight;
    if (row->direction() == direction)
        return;
    row->setDirection(direction);
    // wrapped, each line keeps its controls' own widths
    for (QWidget* panel : {PanelA, PanelB, PanelC})
        row->setAlignment(panel, wrap ? Qt::AlignLeft : Qt::Alignment());
    // each line as high as the single row
    Panel1->setFixedHeight(wrap ? 2 * kOptionRowHeight : kOptionRowHeight);
}

int TFrameHistogram::WrappedOptionWidth() const
{
    if (!Panel1->isVisibleTo(this))
        return 0;
    int widest = 0;
    for (QWidget* panel : {PanelA, PanelB, PanelC})
        if (!panel->isHidden())
            widest = std::max(widest, panel->sizeHint().width());
    const QMargins margins = Panel1->layout()->contentsMargins();
    return widest + margins.left() + margins.right();
}

int TFrameHistogram::ParentHeight() const
{
    return ColumnHeight(this, kDesignColumnHeight);
}

void TFrameHistogram::Setup(int Tag, int Mode, bool OptionsDown, bool Expanded, TFrameHistogram* Partner)
{
    FMask.clear();
    FHasGroups = false;
    m_tag = Tag;
    setProperty("Tag", Tag);
    TagControls(Tag);
    CB_GroupOnly->setProperty("Tag", Tag);
    CB_Group->setProperty("Tag", Tag);
    FPartner = Partner;
    FCollapsedHeight = kTitleHeight;
    ClearSeries();
    ShowOptions(Mode, OptionsDown);
    SpeedButton3->setChecked(Expanded);
    SetFrameHeight(Expanded ? ParentHeight() / 2 : kTitleHeight);
    FExpanded = SpeedButton3->isChecked();
    FSplitMode = !PanelB->isHidden();
    SetColorCount(0);
}

void TFrameHistogram::SetMask(int Rows, int Groups, bool Value)
{
    FMask.assign(static_cast<std::size_t>(std::max(Rows, 0)),
                 std::vector<bool>(static_cast<std::size_t>(std::max(Groups, 0)), Value));
}

void TFrameHistogram::BuildSeries(int NHist, int NLine)
{
    ClearSeries();
    for (int i = 0; i < NHist; ++i) {
        auto* series = new THistogramSeries(this);
        series->Pen().SetVisible(true);
        series->LinesPen().SetVisible(true);
        series->LinesPen().SetStyle(psSolid);
        series->LinesPen().SetColor(clBlack);
        series->SetTransparency(30);
        series->SetSeriesColor(Color(i));
        ChartPoblacion->AddSeries(series);
        FHistSeries.push_back(series);
    }
    for (int i = 0; i < NLine; ++i) {
        auto* series = new TFastLineSeries(this);
        series->SetSeriesColor(Color(i));
        ChartPoblacion->AddSeries(series);
        FLineSeries.push_back(series);
    }
    FHistCount = NHist;
    FLineCount = NLine;
}

void TFrameHistogram::ClearSeries()
{
    for (TChartAxis* axis : {ChartPoblacion->BottomAxis(), ChartPoblacion->LeftAxis()}) {
        axis->SetMinimum(-9999999);
        axis->SetMaximum(9999999);
    }
    for (THistogramSeries* s : FHistSeries)
        delete s;
    for (TFastLineSeries* s : FLineSeries)
        delete s;
    FHistSeries.clear();
    FLineSeries.clear();
}

void TFrameHistogram::SetColorCount(int N)
{
    FColors.assign(static_cast<std::size_t>(std::max(N, 0)), 0);
}

void TFrameHistogram::SetColor(int I, TColor C)
{
    if (I < 0)
        return;
    if (FColors.size() < static_cast<std::size_t>(I) + 1)
        FColors.resize(static_cast<std::size_t>(I) + 1, 0);
    FColors[static_cast<std::size_t>(I)] = C;
}

TColor TFrameHistogram::Color(int I) const
{
    if (I < 0 || static_cast<std::size_t>(I) >= FColors.size())
        return kPastTableColor;
    return FColors[static_cast<std::size_t>(I)];
}

void TFrameHistogram::sb_togglePanelsClick()
{
    PanelB->setVisible(PanelB->isHidden());
    PanelC->setVisible(PanelB->isHidden());
    FSplitMode = !PanelB->isHidden();
    sb_togglePanels->setChecked(!PanelC->isHidden());
}

void TFrameHistogram::SpeedButton3Click()
{
    if (SpeedButton3->isChecked()) {
        if (FPartner && FPartner->FExpanded) {
            FPartner->SetFrameHeight(ParentHeight() / 2);
            SetFrameHeight(ParentHeight() / 2);
            FExpanded = true;
        } else {
            SetFrameHeight(ParentHeight() - FCollapsedHeight);
        }
    } else {
        SetFrameHeight(FCollapsedHeight);
    }
    FExpanded = SpeedButton3->isChecked();
}

void TFrameHistogram::FrameResize()
{
    if (FrameHeight() < kTitleHeight)
        SetFrameHeight(kTitleHeight);
    SpeedButton3->setChecked(kTitleHeight < FrameHeight());
    FExpanded = SpeedButton3->isChecked();
}

void TFrameHistogram::CB_GroupOnlyClick()
{
    CB_Group->setEnabled(CB_GroupOnly->isChecked());
}

