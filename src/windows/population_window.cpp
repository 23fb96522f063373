#include "windows/population_window.h"

#include "windows/sample_window.h"

#include "core/population_model.h"
#include "platform/event_guard.h"
#include "window_base/ui_routines.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

std::unique_ptr<tPopulation> BuildPopulationModel(const IXMLVexaType& Root)
{
    return std::make_unique<tPopulation>(Root);
}

TFPoblacion::TFPoblacion(TFMDIParent* Owner) : TFMDIChild(Owner)
{
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    sbGetSample = new QPushButton(QStringLiteral("Get sample"), page);
    sbGetSample->setEnabled(false);
    layout->addWidget(sbGetSample, 0, Qt::AlignLeft);
    TreeViewXML = new QTreeWidget(page);
    TreeViewXML->setHeaderHidden(true);
    TreeViewXML->setUniformRowHeights(true); // rows of one line: no per-row measuring
    layout->addWidget(TreeViewXML, 1);
    setWidget(page);
    resize(640, 480);
    connect(sbGetSample, &QPushButton::clicked, this, [this] { platform::GuardEvent([this] { sbGetSampleClick(); }); });
}

TFPoblacion::~TFPoblacion()
{
    DiscardSamples();
}

void TFPoblacion::SetDataSource(std::shared_ptr<platform::XmlDocument> Source, const QString& Name)
{
    // Everything is built aside first, so a failure leaves the window empty.
    if (!Source)
        throw platform::XmlError("No document to read");
    IXMLVexaType root = GetVexa(*Source);
    std::unique_ptr<tPopulation> model = BuildPopulationModel(root);
    const QString populationName = QString::fromStdString(root.System().Name());

    DiscardSamples(); // they read the model that goes now
    TFMDIChild::SetDataSource(std::move(Source), Name);
    FVexa = root;
    FPoblacion = std::move(model);
    m_populationName = populationName;
    TreeViewXML->clear();
    XMLNodeToTree(TreeViewXML, FVexa.Element(), nullptr);
    TreeViewXML->expandToDepth(1);
    m_keys = {QStringLiteral("Population"), QStringLiteral("File")};
    m_values = {m_populationName, Name};
    SetPropertyLists(&m_keys, &m_values);
    sbGetSample->setEnabled(true);
}

void TFPoblacion::AttachSample(TFMuestra* Sample)
{
    if (Sample)
        m_samples.append(Sample);
}

QList<TFMuestra*> TFPoblacion::Samples() const
{
    QList<TFMuestra*> out;
    for (const auto& s : m_samples)
        if (s)
            out.append(s.data());
    return out;
}

void TFPoblacion::FormCloseQuery(bool& CanClose)
{
    TFMDIChild::FormCloseQuery(CanClose);
    if (!CanClose)
        return;
    for (TFMuestra* sample : Samples()) {
        if (sample->isHidden())
            continue;
        sample->close();
        if (!sample->isHidden()) {
            CanClose = false; // a sample that stays needs this window's model
            return;
        }
    }
}

void TFPoblacion::DiscardSamples()
{
    for (TFMuestra* sample : Samples()) {
        TCloseAction action = caFree;
        sample->FormClose(action);
        delete sample;
    }
    m_samples.clear();
}

void TFPoblacion::sbGetSampleClick()
{
    if (FPoblacion)
        if (TFMDIParent* parent = ParentForm())
            parent->NewChildForm_Muestra(this);
}
