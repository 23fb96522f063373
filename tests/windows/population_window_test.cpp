#include "../shell/main_window_fixture.h"

#include "core/population_model.h"
#include "windows/population_window.h"
#include "windows/sample_window.h"

#include <QPushButton>

namespace {

// The sample study with the share of its first group spoiled: it binds, but
// no population model can be built from it.
QByteArray SpoiledStudy()
{
    QFile f(SourceFile(QStringLiteral("resources/xml/estudio_alturas_pesos.xml")));
    f.open(QIODevice::ReadOnly);
    QByteArray bytes = f.readAll();
    bytes.replace("<nominal value=\"30\"/>", "<nominal value=\"thirty\"/>");
    return bytes;
}

} // namespace

using TFPoblacionStudy = MainWindowFixture;

TEST_F(TFPoblacionStudy, ShowsTheDocumentAsATreeAndBuildsTheModel)
{
    TFMain& main = CreateMain();
    auto document = std::make_shared<platform::XmlDocument>(
        platform::XmlDocument::LoadFromFile(XmlFile("estudio_alturas_pesos.xml").toStdString()));
    auto* window = new TFPoblacion(&main);
    window->SetDataSource(document, QStringLiteral("alturas"));
    EXPECT_EQ(window->DataSource(), document);
    EXPECT_EQ(window->DataName(), "alturas");
    EXPECT_EQ(window->PopulationName(), QStringLiteral("Alumnado de 15 años"));
    ASSERT_NE(window->Poblacion(), nullptr);
    EXPECT_EQ(window->Poblacion()->FindCatVar("zona"), 0);
    ASSERT_EQ(window->DocumentTree()->topLevelItemCount(), 1);
    QTreeWidgetItem* top = window->DocumentTree()->topLevelItem(0);
    EXPECT_EQ(top->text(0), "vexa");
    EXPECT_EQ(top->child(0)->text(0), "[filetype = \"vexa-study\"]");
    EXPECT_EQ(top->child(1)->text(0), "app");
    EXPECT_TRUE(window->GetSampleButton()->isEnabled());
    delete window;
}

TEST_F(TFPoblacionStudy, AStudyThatCannotBeBuiltLeavesTheWindowEmpty)
{
    TFMain& main = CreateMain();
    auto document = std::make_shared<platform::XmlDocument>(platform::XmlDocument::LoadFromBytes(SpoiledStudy().toStdString()));
    auto* window = new TFPoblacion(&main);
    EXPECT_THROW(window->SetDataSource(document, QStringLiteral("spoiled")), platform::XmlConversionError);
    EXPECT_EQ(window->DataSource(), nullptr);
    EXPECT_TRUE(window->Vexa().IsNull());
    EXPECT_EQ(window->Poblacion(), nullptr);
    EXPECT_EQ(window->DocumentTree()->topLevelItemCount(), 0);
    EXPECT_FALSE(window->GetSampleButton()->isEnabled());
    delete window;
}

TEST_F(TFPoblacionStudy, OpeningItGivesOneErrorBoxAndLeavesNothingBehind)
{
    TFMain& main = CreateMain();
    main.FormActivate();
    const QString file = WriteFile("xml/spoiled.xml", SpoiledStudy());
    OpenThroughDialog(file);
    ASSERT_EQ(Dialogs.MessageTexts().size(), 1);
    EXPECT_TRUE(Dialogs.MessageTexts()[0].startsWith(file + "\r")) << Dialogs.MessageTexts()[0].toStdString();
    EXPECT_TRUE(Dialogs.MessageTexts()[0].contains("thirty"));
    EXPECT_EQ(ChildTexts(Root()), QStringList({"Vexa 1.0 Vexa Home Page"}));
    EXPECT_EQ(OpenChildren().size(), 1);
    EXPECT_EQ(main.StudyCounter(), 0);
    EXPECT_EQ(CurrentWaitWindow(), nullptr);
    // the next study is numbered as if the failed one never was
    OpenThroughDialog(XmlFile("estudio_alturas_pesos.xml"));
    EXPECT_EQ(ChildTexts(Root()), QStringList({"Vexa 1.0 Vexa Home Page", "Estudio 1"}));
}

TEST_F(TFPoblacionStudy, GetSampleAsksTheMainWindowForASampleWindow)
{
    TFMain& main = CreateMain();
    main.OpenDataFile(XmlFile("estudio_alturas_pesos.xml"));
    auto* population = qobject_cast<TFPoblacion*>(NodeData(Root()->child(0)->child(0)));
    ASSERT_NE(population, nullptr);
    population->GetSampleButton()->click();
    ASSERT_EQ(population->Samples().size(), 1);
    EXPECT_EQ(ChildTexts(Root()->child(0)), QStringList({"Población 1", "Ensayo 2"}));
}

TEST_F(TFPoblacionStudy, SamplesGoWhenTheirPopulationWindowIsDestroyed)
{
    TFMain& main = CreateMain();
    main.OpenDataFile(XmlFile("estudio_alturas_pesos.xml"));
    auto* population = qobject_cast<TFPoblacion*>(NodeData(Root()->child(0)->child(0)));
    main.NewChildForm_Muestra(population);
    main.NewChildForm_Muestra(population);
    QPointer<TFMuestra> sample = population->Samples().value(1);
    delete population;
    EXPECT_TRUE(sample.isNull());
    EXPECT_TRUE(OpenChildren().isEmpty());
}

namespace {

class RefusingParent : public TestParent {
public:
    void NewChildForm_Muestra(TFMDIChild*) override { throw std::runtime_error("no sample today"); }
};

} // namespace

TEST_F(TFPoblacionStudy, AFailedGetSampleEndsInOneErrorBox)
{
    RefusingParent parent;
    auto document = std::make_shared<platform::XmlDocument>(
        platform::XmlDocument::LoadFromFile(XmlFile("estudio_alturas_pesos.xml").toStdString()));
    auto* window = new TFPoblacion(&parent);
    window->SetDataSource(document, QStringLiteral("alturas"));
    EXPECT_NO_THROW(window->GetSampleButton()->click());
    EXPECT_EQ(Dialogs.MessageTexts(), QStringList({"no sample today"}));
    delete window;
}

TEST_F(TFPoblacionStudy, ANewStudyInTheWindowTakesTheOldSamplesAlong)
{
    TFMain& main = CreateMain();
    main.OpenDataFile(XmlFile("estudio_alturas_pesos.xml"));
    auto* population = qobject_cast<TFPoblacion*>(NodeData(Root()->child(0)->child(0)));
    main.NewChildForm_Muestra(population);
    QPointer<TFMuestra> sample = population->Samples().value(0);
    ASSERT_FALSE(sample.isNull());
    auto document = std::make_shared<platform::XmlDocument>(
        platform::XmlDocument::LoadFromFile(XmlFile("estudio_presion_arterial.xml").toStdString()));
    population->SetDataSource(document, QStringLiteral("presion"));
    EXPECT_TRUE(sample.isNull());
    EXPECT_TRUE(population->Samples().isEmpty());
    EXPECT_EQ(ChildTexts(Root()->child(0)), QStringList({"Población 1"}));
}
