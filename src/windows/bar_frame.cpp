#include "windows/bar_frame.h"

#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "chart/plot_gradient.h"
#include "chart/plot_shadow.h"
#include "chart/series/bar_series.h"
#include "windows/frame_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

TFrameBarras::TFrameBarras(QWidget* parent) : TChartFrame(parent, QStringLiteral("Categories"))
{
    auto* body = NewNamed<QSplitter>(Body(), "Splitter1");
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
    BodyColumn()->addWidget(body, 1);

    for (QWidget* w : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(CB_Variable),
                       static_cast<QWidget*>(CB_splitted), static_cast<QWidget*>(CB_Split),
                       static_cast<QWidget*>(CB_filtered), static_cast<QWidget*>(CB_filter)})
        Panel1->layout()->addWidget(w);
    static_cast<QHBoxLayout*>(Panel1->layout())->addStretch(1);
    AddOptionRows();

    connect(SpeedButton3, &QToolButton::clicked, this, [this] { SpeedButton3Click(); });
}

void TFrameBarras::Setup(int Tag, int Mode, bool OptionsDown, bool Expanded)
{
    TagControls(Tag);
    ShowOptions(Mode, OptionsDown);
    SpeedButton3->setChecked(Expanded);
    SetFrameHeight(Expanded ? ColumnHeight(this, kDesignColumnHeight) / 3 : kTitleHeight);
}

void TFrameBarras::SpeedButton3Click()
{
    SetFrameHeight(SpeedButton3->isChecked() ? ColumnHeight(this, kDesignColumnHeight) / 3 : kTitleHeight);
}
