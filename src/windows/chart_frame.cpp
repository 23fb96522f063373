#include "windows/chart_frame.h"

#include "windows/frame_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

TChartFrame::TChartFrame(QWidget* parent, const QString& Caption) : QWidget(parent)
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
    SpeedButton3 = NewTitleButton(Panel3, "SpeedButton3", Caption);
    SpeedButton3->setChecked(true);
    Panel3->layout()->addWidget(SpeedButton3);
    column->addWidget(Panel3);

    // what a collapsed frame hides below its title
    m_body = NewNamed<QWidget>(Panel0, "FrameBody");
    m_bodyColumn = new QVBoxLayout(m_body);
    m_bodyColumn->setContentsMargins(0, 0, 0, 0);
    m_bodyColumn->setSpacing(0);
    column->addWidget(m_body, 1);

    Panel2 = NewRowPanel(m_body, "Panel2", kTitleHeight);
    SpeedButton1 = NewTitleButton(Panel2, "SpeedButton1", QStringLiteral("Opt."));
    SpeedButton1->setChecked(true);
    SpeedButton1->setStyleSheet(QStringLiteral("color: maroon"));
    Panel2->layout()->addWidget(SpeedButton1);
    static_cast<QHBoxLayout*>(Panel2->layout())->addStretch(1);

    Panel1 = NewRowPanel(m_body, "Panel1", kOptionRowHeight);
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

    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
}

void TChartFrame::AddOptionRows()
{
    m_bodyColumn->addWidget(Panel2);
    m_bodyColumn->addWidget(Panel1);
}

void TChartFrame::TagControls(int Tag)
{
    for (QWidget* w : {static_cast<QWidget*>(CB_Variable), static_cast<QWidget*>(CB_splitted),
                       static_cast<QWidget*>(CB_Split), static_cast<QWidget*>(CB_filtered),
                       static_cast<QWidget*>(CB_filter)})
        w->setProperty("Tag", Tag);
}

void TChartFrame::ShowOptions(int Mode, bool OptionsDown)
{
    if (Mode == 0) {
        Panel1->setVisible(false);
        Panel2->setVisible(false);
        return;
    }
    SpeedButton1->setChecked(OptionsDown);
    Panel1->setVisible(SpeedButton1->isChecked());
    Label1->setVisible(true);
    CB_Variable->setVisible(true);
    CB_splitted->setVisible(Mode >= 2);
    CB_Split->setVisible(Mode >= 2);
    CB_filtered->setVisible(Mode >= 3);
    CB_filter->setVisible(Mode >= 3);
}

bool TChartFrame::IsExpanded() const
{
    return m_height > kTitleHeight + 5;
}

void TChartFrame::SpeedButton1Click()
{
    // hidden and shown again so that the options button stays above the row
    Panel1->setVisible(false);
    Panel2->setVisible(false);
    Panel1->setVisible(SpeedButton1->isChecked());
    Panel2->setVisible(true);
}

void TChartFrame::SetFrameHeight(int h)
{
    m_height = std::max(h, 0);
    m_body->setVisible(IsExpanded());
    SetColumnHeight(this, m_height, m_alignClient && m_height > kTitleHeight);
    // the frame that takes the rest keeps room for its chart
    if (m_alignClient && IsExpanded())
        setMinimumHeight(kClientLeastHeight);
}

void TChartFrame::SetAlignClient(bool client)
{
    if (client == m_alignClient)
        return;
    m_alignClient = client;
    SetFrameHeight(m_height);
}
