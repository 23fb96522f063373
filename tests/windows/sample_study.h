#pragma once
// A small study for the sample-window tests and a fixture that opens sample
// windows on it: the generator seeded once, no re-seeding, no waits.
//
// Sexo (observed; Hombre 1, Mujer 2), Zona (on the meter), Peso (1 decimal,
// on the meter, instrument 1 with 2 % error), Talla (0 decimals, on the
// scale, instrument 2 whose vcpc is no number) and Edad (on the display,
// instrument 3, which the study does not list). Group 1: men, weight 25;
// group 2: women, weight 75.
#include "../support/shell_test_support.h"
#include "list_items.h"

#include "core/population_model.h"
#include "core/random_numbers.h"
#include "platform/xml_dom.h"
#include "widgets/table_editor.h"
#include "windows/sample_window.h"
#include "windows/variable_selection_frame.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>

#include <memory>
#include <string>
#include <vector>

namespace sample_study {

inline std::string Group(int id, int sexo, int zona, const std::string& share, const std::string& peso,
                         const std::string& talla, const std::string& edad)
{
    auto var = [](int v, const std::string& m, const std::string& sd, const std::string& lo, const std::string& hi) {
        return "<var id=\"" + std::to_string(v) + "\"><nominal m=\"" + m + "\" sd=\"" + sd +
               "\"/><validrange min=\"" + lo + "\" max=\"" + hi + "\"/><asymmetry p50=\"50\"/></var>";
    };
    return "<group id=\"" + std::to_string(id) + "\" color=\"1\"><percent><nominal value=\"" + share +
           "\"/></percent><variables><category varid=\"1\" catid=\"" + std::to_string(sexo) +
           "\"/><category varid=\"2\" catid=\"" + std::to_string(zona) + "\"/>" + var(1, peso, "8", "35", "110") +
           var(2, talla, "7", "140", "200") + var(3, edad, "2", "10", "20") + "</variables></group>";
}

inline std::string StudyXml(const std::string& options =
                                "<opt id=\"1\" design=\"0\">Simple random</opt>"
                                "<opt id=\"2\" design=\"1\">Stratified by sex</opt>"
                                "<opt id=\"3\" design=\"3\">Clusters</opt>")
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
           "<vexa filetype=\"vexa-study\"><app ver=\"1.0\"><palette id=\"p\">"
           "<color id=\"1\">clRed</color><color id=\"2\">clGreen</color><color id=\"3\">clBlue</color>"
           "</palette><init mode=\"0\" form=\"pop\"/></app>"
           "<system name=\"Estudio de prueba\" type=\"population\"><Population name=\"Alumnado\">"
           "<docum>Alumnado de un instituto</docum>"
           "<sampling><samplesize min=\"10\" max=\"100\" unitmeasures=\"1\" ampliable=\"0\"/>"
           "<pages p1=\"Design\" p2=\"Observation\" p3=\"Data\" p4=\"Statistics\"/>"
           "<options>" +
           options +
           "</options>"
           "<measurements><instrument id=\"1\" name=\"Báscula\" vcpc=\"2\"/>"
           "<instrument id=\"2\" name=\"Tallímetro\" vcpc=\"x\"/></measurements></sampling>"
           "<categories>"
           "<catvar id=\"1\" name=\"Sexo\" color=\"1\" samplingMeter=\"0\"><lbl>Sexo del sujeto</lbl>"
           "<cat id=\"1\" color=\"1\">Hombre</cat><cat id=\"2\" color=\"2\">Mujer</cat></catvar>"
           "<catvar id=\"2\" name=\"Zona\" color=\"2\" samplingMeter=\"1\"><lbl>Zona de residencia</lbl>"
           "<cat id=\"1\" color=\"1\">Montaña</cat><cat id=\"2\" color=\"2\">Área urbana</cat></catvar>"
           "</categories><variables>"
           "<vardef id=\"1\" name=\"Peso\" units=\"kg\" refdist=\"normal\" min=\"35\" max=\"110\" decimal=\"1\" "
           "color=\"1\" samplingMeter=\"1\">Peso corporal</vardef>"
           "<vardef id=\"2\" name=\"Talla\" units=\"cm\" refdist=\"normal\" min=\"140\" max=\"200\" decimal=\"0\" "
           "color=\"2\" samplingMeter=\"2\">Talla de pie</vardef>"
           "<vardef id=\"3\" name=\"Edad\" units=\"años\" refdist=\"normal\" min=\"10\" max=\"20\" decimal=\"0\" "
           "color=\"3\" samplingMeter=\"3\">Edad en años</vardef>"
           "</variables>" +
           Group(1, 1, 1, "25", "75", "175", "15") + Group(2, 2, 2, "75", "60", "162", "15") +
           "</Population></system></vexa>";
}

constexpr std::uint32_t kSeed = 20261209;

class SampleWindowFixture : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        Load(StudyXml());
        SetRandSeed(kSeed);
    }
    void TearDown() override
    {
        for (const QPointer<TFMuestra>& w : m_windows)
            delete w.data();  // a window closed in the test may be gone
        m_windows.clear();
        Model.reset();
        ShellFixture::TearDown();
    }

    void Load(const std::string& xml)
    {
        Document = std::make_shared<platform::XmlDocument>(platform::XmlDocument::LoadFromBytes(xml));
        Root = GetVexa(*Document);
        Model = std::make_unique<tPopulation>(Root);
    }

    TFMuestra* NewSample()
    {
        auto* w = new TFMuestra(&MainWindow());
        w->SetWaitFunction([this](double seconds) { Waits.push_back(seconds); });
        w->SetReseed({});
        w->InitFromPopulation(Root, Model.get());
        m_windows.push_back(w);
        return w;
    }

    // Selects the names in a list and presses the arrow that moves them.
    static void SelectIn(QListWidget* list, const QStringList& names)
    {
        list->clearSelection();
        for (int i = 0; i < list->count(); ++i)
            if (names.contains(list->item(i)->text()))
                list->item(i)->setSelected(true);
    }
    static void Observe(TFMuestra* w, const QStringList& names)
    {
        TFrame1* f = w->VarList();
        f->lb_VariablesEnter();
        SelectIn(f->Variables(), names);
        f->SelecVarButton()->click();
    }
    static void GroupBy(TFMuestra* w, const QString& name)
    {
        TFrame1* f = w->VarList();
        f->lb_VariablesEnter();
        SelectIn(f->Variables(), {name});
        f->GroupingButton()->click();
    }
    static void SetSize(TFMuestra* w, int row, double n) { w->SampleSizeTable()->SetElem(1, row, n); }

    // A window with the simple design, the names observed, size n and "Get sample" pressed.
    TFMuestra* DrawnSample(const QStringList& names, int n)
    {
        TFMuestra* w = NewSample();
        Observe(w, names);
        SetSize(w, 1, n);
        w->GetSampleButton()->click();
        return w;
    }

    std::shared_ptr<platform::XmlDocument> Document;
    IXMLVexaType Root;
    std::unique_ptr<tPopulation> Model;
    std::vector<double> Waits;

private:
    std::vector<QPointer<TFMuestra>> m_windows;
};

// The values of the next individual as the window draws it: a uniform picks
// the group by the cumulative weights, the group draws its variables.
struct TReferenceIndividual {
    int Group = 0;
    std::vector<double> Values;  // categorical levels, then quantitative values
};

inline TReferenceIndividual ReferenceDraw(tPopulation& model, int level = 0, int stratumVar = 0)
{
    const double u = Random();
    double total = 0;
    for (const auto& g : model.Groups)
        if (level == 0 || g->HasLevel(stratumVar, level))
            total += g->Weight;
    double cumulative = 0;
    int chosen = 0;
    for (int i = 0; i < static_cast<int>(model.Groups.size()); ++i) {
        const auto& g = model.Groups[static_cast<std::size_t>(i)];
        if (level != 0 && !g->HasLevel(stratumVar, level))
            continue;
        cumulative += g->Weight;
        chosen = i;
        if (u < cumulative / total)
            break;
    }
    tSubPopulation& g = *model.Groups[static_cast<std::size_t>(chosen)];
    g.DrawIndividual();
    TReferenceIndividual r;
    r.Group = chosen;
    for (int level : g.Levels)
        r.Values.push_back(level);
    for (int j = 1; j <= static_cast<int>(model.NumVarDefs.size()); ++j)
        r.Values.push_back(g.DrawnValue(j));
    return r;
}

} // namespace sample_study
