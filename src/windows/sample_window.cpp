#include "windows/sample_window.h"

#include <QLabel>

TFMuestra::TFMuestra(TFMDIParent* Owner) : TFMDIChild(Owner)
{
    m_title = new QLabel(this);
    m_title->setAlignment(Qt::AlignCenter);
    setWidget(m_title);
    resize(640, 480);
}

void TFMuestra::InitFromPopulation(const IXMLVexaType& Root, tPopulation* Model)
{
    FVexa = Root;
    FPoblacion = Model;
    m_title->setText(QStringLiteral("Sample of ") + QString::fromStdString(Root.System().Name()));
}
