#include "windows/bar_frame.h"

#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "chart/plot_gradient.h"
#include "chart/plot_shadow.h"
#include "chart/series/bar_series.h"
#include "windows/frame_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

TFrameBarras::TFrameBarras(QWidget* parent) : QWidget(parent)
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    Panel0 = NewNamed<QWidget>(this, "Panel0");
    Panel0->setAutoFillBackground(true);
    Panel0->setPalette(QPalette(Qt::white));
    outer->addWidget(Panel0);
    auto* column = new QVBoxLayout(Panel0);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    Panel3 = NewRowPanel(Panel0, "Panel3", kTitleHeight);
    SpeedButton3 = NewTitleButton(Panel3, "SpeedButton3", QStringLiteral("Categories"));
    SpeedButton3->setChecked(true);
    Panel3->layout()->addWidget(SpeedButton3);
    column->addWidget(Panel3);

    // what a collapsed frame hides below its title
    m_body = NewNamed<QWidget>(Panel0, "FrameBody");
    auto* bodyColumn = new QVBoxLayout(m_body);
    bodyColumn->setContentsMargins(0, 0, 0, 0);
    bodyColumn->setSpacing(0);
    column->addWidget(m_body, 1);

    auto* body = NewNamed<QSplitter>(m_body, "Splitter1");
    ChartPoblacion = NewNamed<TChart>(body, "ChartPoblacion");
    ChartPoblacion->SetView3D(false);
    ChartPoblacion->BackWall()->SetColor(15461355);
    ChartPoblacion->BackWall()->SetDark3D(false);
    ChartPoblacion->BackWall()->Pen()->SetColor(13224393);
    ChartPoblacion->BackWall()->SetSize(1);
    ChartPoblacion->BottomWall()->SetSize(1);
    ChartPoblacion->LeftWall()->SetVisible(false);
    ChartPoblacion->Gradient()->SetVisible(true);
    ChartPoblacion->Gradient()->SetEndColor(16776180);
    ChartPoblacion->Gradient()->SetMidColor(9736694);
    ChartPoblacion->Legend()->SetVisible(false);
    ChartPoblacion->Title()->SetVisible(false);
    ChartPoblacion->BottomAxis()->SetAutomatic(false);
    ChartPoblacion->BottomAxis()->SetMaximum(24);
    ChartPoblacion->BottomAxis()->Grid()->SetColor(15724527);
    ChartPoblacion->LeftAxis()->SetAutomatic(false);
    ChartPoblacion->LeftAxis()->SetMinMax(-1000, 1099000);
    ChartPoblacion->LeftAxis()->Grid()->SetColor(15724527);
    ChartPoblacion->RightAxis()->SetVisible(false);
    ChartPoblacion->TopAxis()->SetVisible(false);
    ChartPoblacion->SetColorPaletteIndex(9);
    Series_Bar1 = new TBarSeries(this);
    Series_Bar1->setObjectName(QStringLiteral("Series_Bar1"));
    Series_Bar1->Marks().SetVisible(true);
    Series_Bar1->Marks().SetStyle(smsPercent);
    Series_Bar1->Marks().SetTransparent(true);
    Series_Bar1->Gradient().SetVisible(true);
    Series_Bar1->Gradient().SetDirection(gdTopBottom);
    Series_Bar1->Shadow().SetColor(8750469);
    Series_Bar1->YValues().SetName("Bar");
    ChartPoblacion->AddSeries(Series_Bar1);
    Panel4 = NewNamed<QWidget>(body, "Panel4");
    body->setStretchFactor(0, 5);
    body->setStretchFactor(1, 1);
    bodyColumn->addWidget(body, 1);

    Panel2 = NewRowPanel(m_body, "Panel2", kTitleHeight);
    SpeedButton1 = NewTitleButton(Panel2, "SpeedButton1", QStringLiteral("Opt."));
    SpeedButton1->setChecked(true);
    SpeedButton1->setStyleSheet(QStringLiteral("color: maroon"));
    Panel2->layout()->addWidget(SpeedButton1);
    static_cast<QHBoxLayout*>(Panel2->layout())->addStretch(1);
    bodyColumn->addWidget(Panel2);

    Panel1 = NewRowPanel(m_body, "Panel1", 22);
    Label1 = NewNamed<QLabel>(Panel1, "Label1");
    Label1->setText(QStringLiteral("  Variable: "));
    CB_Variable = NewNamed<QComboBox>(Panel1, "CB_Variable");
    CB_splitted = NewNamed<QCheckBox>(Panel1, "CB_splitted");
    CB_splitted->setText(QStringLiteral("splitted by"));
    CB_Split = NewNamed<QComboBox>(Panel1, "CB_Split");
    CB_Split->setEnabled(false);
    CB_filtered = NewNamed<QCheckBox>(Panel1, "CB_filtered");
    CB_filtered->setText(QStringLiteral("select group  "));
    CB_filtered->setEnabled(false);
    CB_filter = NewNamed<QComboBox>(Panel1, "CB_filter");
    CB_filter->setEnabled(false);
    for (QWidget* w : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(CB_Variable),
                       static_cast<QWidget*>(CB_splitted), static_cast<QWidget*>(CB_Split),
                       static_cast<QWidget*>(CB_filtered), static_cast<QWidget*>(CB_filter)})
        Panel1->layout()->addWidget(w);
    static_cast<QHBoxLayout*>(Panel1->layout())->addStretch(1);
    bodyColumn->addWidget(Panel1);

    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(SpeedButton3, &QToolButton::clicked, this, [this] { SpeedButton3Click(); });
}

void TFrameBarras::Setup(int Tag, int Mode, bool OptionsDown, bool Expanded)
{
    for (QWidget* w : {static_cast<QWidget*>(CB_Variable), static_cast<QWidget*>(CB_splitted),
                       static_cast<QWidget*>(CB_Split), static_cast<QWidget*>(CB_filtered),
                       static_cast<QWidget*>(CB_filter)})
        w->setProperty("Tag", Tag);
    if (Mode == 0) {
        Panel1->setVisible(false);
        Panel2->setVisible(false);
    } else {
        SpeedButton1->setChecked(OptionsDown);
        Panel1->setVisible(SpeedButton1->isChecked());
        Label1->setVisible(true);
        CB_Variable->setVisible(true);
        CB_splitted->setVisible(Mode >= 2);
        CB_Split->setVisible(Mode >= 2);
        CB_filtered->setVisible(Mode >= 3);
        CB_filter->setVisible(Mode >= 3);
    }
    SpeedButton3->setChecked(Expanded);
    SetFrameHeight(Expanded ? ColumnHeight(this, kDesignColumnHeight) / 3 : kTitleHeight);
}

bool TFrameBarras::IsExpanded() const
{
    return m_height > kTitleHeight + 5;
}

void TFrameBarras::SpeedButton1Click()
{
    Panel1->setVisible(false);
    Panel2->setVisible(false);
    Panel1->setVisible(SpeedButton1->isChecked());
    Panel2->setVisible(true);
}

void TFrameBarras::SpeedButton3Click()
{
    SetFrameHeight(SpeedButton3->isChecked() ? ColumnHeight(this, kDesignColumnHeight) / 3 : kTitleHeight);
}

void TFrameBarras::SetFrameHeight(int h)
{
    m_height = std::max(h, 0);
    m_body->setVisible(IsExpanded());
    SetColumnHeight(this, m_height, false);
}
