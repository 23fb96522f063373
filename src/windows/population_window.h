#pragma once
// The population window: the study of one population document. It binds the
// document, builds the population model, shows the document as a tree and
// hands root and model to the sample windows drawn from it.
#include "core/study_document.h"
#include "window_base/mdi_child.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <memory>

class QPushButton;
class QTreeWidget;
class TFMuestra;
class tPopulation;

// Builds the population model of a bound study document; throws when the
// document cannot make one.
std::unique_ptr<tPopulation> BuildPopulationModel(const IXMLVexaType& Root);

class TFPoblacion : public TFMDIChild {
    Q_OBJECT
public:
    explicit TFPoblacion(TFMDIParent* Owner);
    // Closes the sample windows that read this window's model.
    ~TFPoblacion() override;

    // Binds the document, shows it as a tree and builds the model. Nothing
    // is kept when any step fails (the exception goes to the caller).
    void SetDataSource(std::shared_ptr<platform::XmlDocument> Source, const QString& Name) override;

    // The bound document root and the population model (owned).
    const IXMLVexaType& Vexa() const { return FVexa; }
    tPopulation* Poblacion() const { return FPoblacion.get(); }
    const QString& PopulationName() const { return m_populationName; }

    // A sample window reading this window's root and model; it is closed
    // before the model goes.
    void AttachSample(TFMuestra* Sample);
    QList<TFMuestra*> Samples() const;

    // Refuses while a sample window refuses to close.
    void FormCloseQuery(bool& CanClose) override;

    void sbGetSampleClick();

    QTreeWidget* DocumentTree() const { return TreeViewXML; }
    QPushButton* GetSampleButton() const { return sbGetSample; }

private:
    void DiscardSamples();

    IXMLVexaType FVexa;
    std::unique_ptr<tPopulation> FPoblacion;
    QString m_populationName;
    QStringList m_keys;
    QStringList m_values;
    QList<QPointer<TFMuestra>> m_samples;
    QTreeWidget* TreeViewXML = nullptr;
    QPushButton* sbGetSample = nullptr;
};
