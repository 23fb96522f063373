#pragma once
// The sample window: a sample drawn from a population window's model. It
// reads the population window's document root and model and owns neither;
// the population window closes it before the model goes.
#include "core/study_document.h"
#include "window_base/mdi_child.h"

class QLabel;
class tPopulation;

class TFMuestra : public TFMDIChild {
    Q_OBJECT
public:
    explicit TFMuestra(TFMDIParent* Owner);

    // Neither root nor model is taken over.
    void InitFromPopulation(const IXMLVexaType& Root, tPopulation* Model);

    const IXMLVexaType& Vexa() const { return FVexa; }
    tPopulation* Poblacion() const { return FPoblacion; }

private:
    IXMLVexaType FVexa;
    tPopulation* FPoblacion = nullptr;
    QLabel* m_title = nullptr;
};
