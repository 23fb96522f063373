#include "core/study_document.h"
#include "core/text_routines.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

using platform::XmlConversionError;
using platform::XmlDocument;
using platform::XmlError;
using platform::XmlParseError;

namespace {

std::string SamplePath(const std::string& name)
{
    return std::string(VEXA_SOURCE_DIR) + "/resources/xml/" + name;
}

IXMLVexaType LoadSample(const std::string& name)
{
    return GetVexa(XmlDocument::LoadFromFile(SamplePath(name)));
}

IXMLVexaType Bind(const std::string& text)
{
    return GetVexa(XmlDocument::LoadFromBytes(text, "prueba.xml"));
}

} // namespace

// ---- the ISO-8859-1 population study -----------------------------------------

class HeightWeightStudy : public ::testing::Test {
protected:
    IXMLVexaType vexa = LoadSample("estudio_alturas_pesos.xml");
    IXMLPopulationType pop = vexa.System().Population();
};

TEST_F(HeightWeightStudy, RootAndApp)
{
    EXPECT_EQ(vexa.NodeName(), "vexa");
    EXPECT_EQ(vexa.Filetype(), "vexa-study");
    IXMLAppType app = vexa.App();
    EXPECT_EQ(app.Ver(), "1.0");
    EXPECT_EQ(app.Href(), "{appdir}/Appl.htm");
    EXPECT_EQ(app.Defs().Href(), "vexa_defs.xml");

    IXMLPaletteType palette = app.Palette();
    EXPECT_EQ(palette.Id(), "principal");
    ASSERT_EQ(palette.Count(), 7);
    const char* names[] = {"clRed", "clWebDarkOrange", "clWebSteelBlue", "clGreen", "clWebGold", "clPurple", "clTeal"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(palette.Color(i).Id(), i + 1);
        EXPECT_EQ(palette.Color(i).Text(), names[i]);
    }

    IXMLInitType init = app.Init();
    EXPECT_EQ(init.Mode(), 0);
    EXPECT_EQ(init.Form(), "pop");
    ASSERT_EQ(init.Count(), 3);
    EXPECT_EQ(init.Panel(0).Id(), 1);
    EXPECT_EQ(init.Panel(2).Id(), 3);

    EXPECT_EQ(app.Folders().Webroot().Href(), "http://www.example.org/vexa/");
    EXPECT_EQ(app.Folders().Localdir().Temp(), "temp");

    IXMLExportfileType exp = app.Exportfile();
    EXPECT_EQ(exp.Database(), "alturas_pesos");
    ASSERT_EQ(exp.Count(), 2);
    EXPECT_EQ(exp.Outputfile(0).Id(), 1);
    EXPECT_EQ(exp.Outputfile(0).Type(), "sps");
    EXPECT_EQ(exp.Outputfile(0).Fileid(), "muestra_alturas");
    EXPECT_EQ(exp.Outputfile(1).Id(), 2);
    EXPECT_EQ(exp.Outputfile(1).Type(), "csv");
}

TEST_F(HeightWeightStudy, SystemAndBothPalettes)
{
    IXMLSystemType sys = vexa.System();
    EXPECT_EQ(sys.Name(), "Alumnado de 15 años");
    EXPECT_EQ(sys.Type(), "population");
    EXPECT_EQ(sys.Docum(), "Estatura y peso del alumnado de 15 años de una comarca, repartido en tres zonas: "
                           "montaña, campiña y área urbana.");
    EXPECT_EQ(sys.Params().Basesystem().Href(), "sistema_base.xml");

    IXMLPaletteType aux = sys.Params().Palette();
    EXPECT_EQ(aux.Id(), "auxiliar");
    ASSERT_EQ(aux.Count(), 2);
    EXPECT_EQ(aux.Color(0).Text(), "clBlue");
    EXPECT_EQ(aux.Color(1).Id(), 2);
    EXPECT_EQ(aux.Color(1).Text(), "clYellow");
    // Independent of app/palette.
    EXPECT_EQ(vexa.App().Palette().Count(), 7);
    EXPECT_EQ(vexa.App().Palette().Color(0).Text(), "clRed");
    EXPECT_FALSE(aux.Element() == vexa.App().Palette().Element());
}

TEST_F(HeightWeightStudy, PopulationSimulationAndPlot)
{
    EXPECT_EQ(pop.Name(), "Estudiantes de la comarca");
    const std::string docum = pop.Docum();
    EXPECT_EQ(docum.rfind("¿Crece igual el alumnado de la montaña", 0), 0u) << docum;
    EXPECT_NE(docum.find("¡Observa también cómo cambian"), std::string::npos);

    IXMLSimulationType sim = pop.Simulation();
    EXPECT_EQ(sim.Time(), 240);
    EXPECT_EQ(sim.Speedscale().Min(), 1);
    EXPECT_EQ(sim.Speedscale().Max(), 400);
    EXPECT_EQ(sim.Endmode(), 0);

    IXMLPlotType plot = pop.Plot();
    EXPECT_EQ(plot.Type(), "dispersión");
    ASSERT_EQ(plot.Param().Count(), 2);
    EXPECT_EQ(plot.Param()[0].Id(), 1);
    EXPECT_EQ(plot.Param()[1].Id(), 2);
}

TEST_F(HeightWeightStudy, Sampling)
{
    IXMLSamplingType s = pop.Sampling();
    EXPECT_EQ(s.Samplesize().Min(), 5);
    EXPECT_EQ(s.Samplesize().Max(), 200);
    EXPECT_EQ(s.Samplesize().Unitmeasures(), 1);
    EXPECT_EQ(s.Samplesize().Ampliable(), 1);
    EXPECT_EQ(s.Rates().Fail(), "0,05");
    EXPECT_EQ(s.Rates().Attrition(), "0");

    IXMLPagesType p = s.Pages();
    EXPECT_EQ(p.P1(), "Diseño");
    EXPECT_EQ(p.P2(), "Observación");
    EXPECT_EQ(p.P3(), "Datos");
    EXPECT_EQ(p.P4(), "Estadística");
    EXPECT_EQ(p.P5(), "Estadística");
    EXPECT_EQ(p.P6(), "Informe");

    IXMLOptTypeList opts = s.Options().Opt();
    ASSERT_EQ(opts.Count(), 3);
    EXPECT_EQ(opts[0].Id(), 1);
    EXPECT_EQ(opts[0].Design(), 0);
    EXPECT_EQ(opts[0].Text(), "Muestreo aleatorio simple");
    EXPECT_EQ(opts[1].Design(), 1);
    EXPECT_EQ(opts[1].Text(), "Muestreo estratificado por zona");
    EXPECT_EQ(opts[2].Id(), 3);
    EXPECT_EQ(opts[2].Text(), "Muestreo por conglomerados (aulas)");
    EXPECT_EQ(s.Options().Visible().Op(), 1);

    IXMLMeasurementsType m = s.Measurements();
    ASSERT_EQ(m.Count(), 3);
    EXPECT_EQ(m.Instrument(0).Id(), 1);
    EXPECT_EQ(m.Instrument(0).Name(), "Tallímetro de pared");
    EXPECT_EQ(m.Instrument(0).Vcpc(), "1");
    EXPECT_EQ(m.Instrument(1).Name(), "Báscula digital");
    EXPECT_EQ(m.Instrument(1).Vcpc(), "0,5");
    EXPECT_EQ(m.Instrument(2).Id(), 3);
    EXPECT_EQ(m.Instrument(2).Name(), "Báscula de muelle");
    EXPECT_EQ(m.Instrument(2).Vcpc(), "3");
}

TEST_F(HeightWeightStudy, Categories)
{
    IXMLCategoriesType cats = pop.Categories();
    ASSERT_EQ(cats.Count(), 2);
    IXMLCatvarType zona = cats.Catvar(0);
    EXPECT_EQ(zona.Id(), 1);
    EXPECT_EQ(zona.Name(), "Zona");
    EXPECT_EQ(zona.Color(), 5);
    EXPECT_EQ(zona.SamplingMeter(), 1);
    EXPECT_EQ(zona.Lbl(), "Zona de residencia");
    ASSERT_EQ(zona.Cat().Count(), 3);
    EXPECT_EQ(zona.Cat()[0].Text(), "Montaña");
    EXPECT_EQ(zona.Cat()[1].Text(), "Campiña");
    EXPECT_EQ(zona.Cat()[2].Text(), "Área urbana");
    EXPECT_EQ(zona.Cat()[0].Id(), 1);
    EXPECT_EQ(zona.Cat()[0].Color(), 4);
    EXPECT_EQ(zona.Cat()[2].Id(), 3);
    EXPECT_EQ(zona.Cat()[2].Color(), 6);

    IXMLCatvarType deporte = cats.Catvar(1);
    EXPECT_EQ(deporte.Id(), 2);
    EXPECT_EQ(deporte.Name(), "Deporte");
    EXPECT_EQ(deporte.Color(), 7);
    EXPECT_EQ(deporte.SamplingMeter(), 2);
    EXPECT_EQ(deporte.Lbl(), "Práctica deportiva habitual");
    ASSERT_EQ(deporte.Cat().Count(), 2);
    EXPECT_EQ(deporte.Cat()[0].Text(), "Sí");
    EXPECT_EQ(deporte.Cat()[1].Text(), "No");
    EXPECT_EQ(deporte.Cat()[1].Color(), 1);
}

TEST_F(HeightWeightStudy, VariableDefinitionsAndPopulationCorrelation)
{
    IXMLVariablesType vars = pop.Variables();
    ASSERT_EQ(vars.Vardef().Count(), 2);
    IXMLVardefType h = vars.Vardef()[0];
    EXPECT_EQ(h.Id(), 1);
    EXPECT_EQ(h.Name(), "Altura");
    EXPECT_EQ(h.Units(), "cm");
    EXPECT_EQ(h.Refdist(), "normal");
    EXPECT_EQ(h.Min(), "140");
    EXPECT_EQ(h.Max(), "200");
    EXPECT_EQ(h.Decimal(), 1);
    EXPECT_EQ(h.Color(), 1);
    EXPECT_EQ(h.SamplingMeter(), 1);
    EXPECT_EQ(h.Text(), "Estatura en centímetros, descalzo");
    IXMLVardefType w = vars.Vardef()[1];
    EXPECT_EQ(w.Id(), 2);
    EXPECT_EQ(w.Name(), "Peso");
    EXPECT_EQ(w.Units(), "kg");
    EXPECT_EQ(w.Min(), "35");
    EXPECT_EQ(w.Max(), "110");
    EXPECT_EQ(w.Color(), 2);
    EXPECT_EQ(w.SamplingMeter(), 2);
    EXPECT_EQ(w.Text(), "Peso corporal en kilogramos");

    ASSERT_EQ(vars.Correlation().Count(), 1);
    EXPECT_EQ(vars.Correlation().Elem(0).I(), 1);
    EXPECT_EQ(vars.Correlation().Elem(0).J(), 2);
    EXPECT_EQ(vars.Correlation().Elem(0).R(), "0.6");
    EXPECT_EQ(vars.Category().Count(), 0);
    EXPECT_EQ(vars.Var().Count(), 0);
}

TEST_F(HeightWeightStudy, Groups)
{
    IXMLGroupTypeList groups = pop.Group();
    ASSERT_EQ(groups.Count(), 3);

    IXMLGroupType g1 = groups[0];
    EXPECT_EQ(g1.Id(), 1);
    EXPECT_EQ(g1.Color(), 4);
    EXPECT_EQ(g1.Percent().Nominal().Value(), 30);
    IXMLDynamicsTypeList share = g1.Percent().Dynamics();
    ASSERT_EQ(share.Count(), 2);
    EXPECT_EQ(share[0].Indx(), 1);
    EXPECT_EQ(share[0].Type(), 1);
    EXPECT_EQ(share[0].Time(), "60");
    EXPECT_EQ(share[0].Tol(), "0");
    EXPECT_EQ(share[0].Final(), "40");
    EXPECT_EQ(share[1].Indx(), 2);
    EXPECT_EQ(share[1].Type(), 2);
    EXPECT_EQ(share[1].Time(), "120");
    EXPECT_EQ(share[1].Final(), "25");
    ASSERT_EQ(g1.Options().Opt().Count(), 1);
    EXPECT_EQ(g1.Options().Opt()[0].Text(), "Aulas de la sierra");
    EXPECT_EQ(g1.Options().Visible().Op(), 0);

    IXMLVariablesType v1 = g1.Variables();
    ASSERT_EQ(v1.Category().Count(), 2);
    EXPECT_EQ(v1.Category()[0].Varid(), 1);
    EXPECT_EQ(v1.Category()[0].Catid(), 1);
    EXPECT_EQ(v1.Category()[1].Varid(), 2);
    EXPECT_EQ(v1.Category()[1].Catid(), 1);
    EXPECT_EQ(v1.Correlation().Count(), 0);
    ASSERT_EQ(v1.Var().Count(), 2);
    IXMLVarType height = v1.Var()[0];
    EXPECT_EQ(height.Id(), 1);
    EXPECT_EQ(height.Nominal().M(), "166.5");
    EXPECT_EQ(height.Nominal().Sd(), "7.2");
    EXPECT_EQ(height.Validrange().Min(), "145");
    EXPECT_EQ(height.Validrange().Max(), "195");
    EXPECT_EQ(height.Asymmetry().P50(), 50);
    ASSERT_EQ(height.Dynamics().Count(), 1);
    EXPECT_EQ(height.Dynamics()[0].Indx(), 1);
    EXPECT_EQ(height.Dynamics()[0].Type(), 1);
    EXPECT_EQ(height.Dynamics()[0].Time(), "120");
    EXPECT_EQ(height.Dynamics()[0].Tol(), "0,5");
    EXPECT_EQ(height.Dynamics()[0].Final(), "168.0");
    IXMLVarType weight = v1.Var()[1];
    EXPECT_EQ(weight.Id(), 2);
    EXPECT_EQ(weight.Nominal().M(), "58.0");
    EXPECT_EQ(weight.Nominal().Sd(), "8.5");
    EXPECT_EQ(weight.Validrange().Min(), "38");
    EXPECT_EQ(weight.Validrange().Max(), "100");
    EXPECT_EQ(weight.Asymmetry().P50(), 48);
    EXPECT_EQ(weight.Dynamics().Count(), 0);

    IXMLGroupType g2 = groups[1];
    EXPECT_EQ(g2.Id(), 2);
    EXPECT_EQ(g2.Color(), 5);
    EXPECT_EQ(g2.Percent().Nominal().Value(), 50);
    EXPECT_EQ(g2.Percent().Dynamics().Count(), 0); // a percent without dynamics
    EXPECT_TRUE(g2.Options().IsNull());
    EXPECT_EQ(g2.Options().Opt().Count(), 0);
    IXMLVariablesType v2 = g2.Variables();
    ASSERT_EQ(v2.Correlation().Count(), 1);
    EXPECT_EQ(v2.Correlation().Elem(0).I(), 1);
    EXPECT_EQ(v2.Correlation().Elem(0).J(), 2);
    EXPECT_EQ(v2.Correlation().Elem(0).R(), "0,35");
    EXPECT_EQ(TextToFloat(v2.Correlation().Elem(0).R()), 0.35); // decimal comma
    EXPECT_EQ(v2.Category()[0].Catid(), 2);
    EXPECT_EQ(v2.Category()[1].Catid(), 2);
    EXPECT_EQ(v2.Category()[1].Varid(), 2);
    ASSERT_EQ(v2.Var().Count(), 2);
    EXPECT_EQ(v2.Var()[0].Id(), 1);
    EXPECT_EQ(v2.Var()[1].Id(), 2);
    EXPECT_EQ(v2.Var()[0].Asymmetry().P50(), 50);
    EXPECT_EQ(v2.Var()[1].Validrange().Min(), "36");
    EXPECT_EQ(v2.Var()[0].Nominal().M(), "164.0");
    EXPECT_EQ(v2.Var()[0].Nominal().Sd(), "7,8");
    EXPECT_EQ(v2.Var()[0].Validrange().Min(), "142");
    EXPECT_EQ(v2.Var()[0].Validrange().Max(), "192");
    EXPECT_EQ(v2.Var()[1].Nominal().M(), "61.5");
    EXPECT_EQ(v2.Var()[1].Nominal().Sd(), "10.0");
    EXPECT_EQ(v2.Var()[1].Validrange().Max(), "108");
    EXPECT_EQ(v2.Var()[1].Asymmetry().P50(), 45);
    EXPECT_EQ(v2.Var()[0].Dynamics().Count(), 0);

    IXMLGroupType g3 = groups[2];
    EXPECT_EQ(g3.Id(), 3);
    EXPECT_EQ(g3.Color(), 6);
    EXPECT_EQ(g3.Percent().Nominal().Value(), 20);
    ASSERT_EQ(g3.Percent().Dynamics().Count(), 1);
    EXPECT_EQ(g3.Percent().Dynamics()[0].Type(), 1);
    EXPECT_EQ(g3.Percent().Dynamics()[0].Time(), "240");
    EXPECT_EQ(g3.Percent().Dynamics()[0].Final(), "35");
    IXMLVariablesType v3 = g3.Variables();
    EXPECT_EQ(v3.Category()[0].Catid(), 3);
    EXPECT_EQ(v3.Category()[1].Catid(), 2);
    EXPECT_EQ(v3.Var()[0].Nominal().M(), "168.0");
    EXPECT_EQ(v3.Var()[0].Nominal().Sd(), "7.0");
    EXPECT_EQ(v3.Var()[0].Validrange().Min(), "146");
    EXPECT_EQ(v3.Var()[0].Validrange().Max(), "198");
    EXPECT_EQ(v3.Var()[0].Asymmetry().P50(), 50);
    EXPECT_EQ(v3.Var()[0].Dynamics().Count(), 0);
    EXPECT_EQ(v3.Correlation().Count(), 0);
    EXPECT_EQ(g3.Percent().Dynamics()[0].Indx(), 1);
    EXPECT_EQ(g3.Percent().Dynamics()[0].Tol(), "0");
    IXMLVarType w3 = v3.Var()[1];
    EXPECT_EQ(w3.Nominal().M(), "63.0");
    EXPECT_EQ(w3.Nominal().Sd(), "11.5");
    EXPECT_EQ(w3.Id(), 2);
    EXPECT_EQ(w3.Validrange().Min(), "38");
    EXPECT_EQ(w3.Validrange().Max(), "110");
    EXPECT_EQ(w3.Dynamics()[0].Indx(), 1);
    EXPECT_EQ(w3.Dynamics()[0].Tol(), "0");
    EXPECT_EQ(w3.Asymmetry().P50(), 44);
    ASSERT_EQ(w3.Dynamics().Count(), 1);
    EXPECT_EQ(w3.Dynamics()[0].Type(), 2);
    EXPECT_EQ(w3.Dynamics()[0].Time(), "180");
    EXPECT_EQ(w3.Dynamics()[0].Final(), "66.5");
}

TEST_F(HeightWeightStudy, Messages)
{
    IXMLMsgesType m = vexa.System().Msges();
    EXPECT_EQ(m.Mmode(), 1);
    IXMLMsginitTypeList init = m.Msginit();
    ASSERT_EQ(init.Count(), 4);
    EXPECT_EQ(init[0].Loc(), "win");
    EXPECT_EQ(init[0].Lbl(), "Bienvenida");
    EXPECT_EQ(init[0].Href(), "Docs/alturas_bienvenida.htm");
    EXPECT_EQ(init[1].Loc(), "tab");
    EXPECT_EQ(init[1].Lbl(), "Guía del estudio");
    EXPECT_EQ(init[1].Href(), "{appdir}/Docs/alturas_guia.htm");
    EXPECT_EQ(init[2].Loc(), "msg");
    EXPECT_EQ(init[2].Lbl(), "Pulsa «Get sample» para tomar una muestra del alumnado.");
    EXPECT_EQ(init[2].Href(), "Docs/alturas_muestra.htm");
    EXPECT_EQ(init[3].Loc(), "form");
    EXPECT_EQ(init[3].Lbl(), "Estudiantes por zona");

    IXMLMsgTypeList msgs = m.Msg();
    ASSERT_EQ(msgs.Count(), 2);
    EXPECT_EQ(msgs[0].Tag(), 1);
    EXPECT_EQ(msgs[0].Loc(), "msg");
    EXPECT_EQ(msgs[0].Lbl(), "¿Qué zona tiene el alumnado más alto?");
    EXPECT_EQ(msgs[0].Href(), "");
    EXPECT_EQ(msgs[1].Tag(), 2);
    EXPECT_EQ(msgs[1].Loc(), "tab");
    EXPECT_EQ(msgs[1].Lbl(), "Correlación");
    EXPECT_EQ(msgs[1].Href(), "{appdir}/Docs/correlacion.htm");
}

TEST(StudyDocumentEncodings, SameStudyInEveryEncoding)
{
    // The ISO-8859-1 sample re-encoded byte by byte as UTF-16 and as windows-1252.
    const IXMLVexaType latin1 = LoadSample("estudio_alturas_pesos.xml");
    const std::string bytes = [] {
        std::ifstream in(SamplePath("estudio_alturas_pesos.xml"), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }();
    const std::string decl = "encoding=\"ISO-8859-1\"";
    ASSERT_NE(bytes.find(decl), std::string::npos);
    auto withEncoding = [&](const std::string& name) {
        std::string b = bytes;
        b.replace(b.find(decl), decl.size(), "encoding=\"" + name + "\"");
        return b;
    };
    auto utf16 = [&](bool bigEndian) {
        const std::string b = withEncoding("UTF-16");
        std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (char c : b) {
            out += bigEndian ? '\0' : c;
            out += bigEndian ? c : '\0';
        }
        return out;
    };
    for (const std::string& text : {utf16(false), utf16(true), withEncoding("windows-1252")}) {
        IXMLVexaType v = GetVexa(XmlDocument::LoadFromBytes(text, "copia.xml"));
        IXMLPopulationType pop = v.System().Population();
        EXPECT_EQ(v.System().Name(), "Alumnado de 15 años");
        EXPECT_EQ(pop.Docum(), latin1.System().Population().Docum());
        EXPECT_EQ(pop.Categories().Catvar(0).Cat()[1].Text(), "Campiña");
        EXPECT_EQ(pop.Sampling().Pages().P2(), "Observación");
        EXPECT_EQ(pop.Group()[1].Variables().Correlation().Elem(0).R(), "0,35");
    }
}

// ---- the UTF-8 population study ----------------------------------------------

TEST(BloodPressureStudy, ReadsEveryValue)
{
    IXMLVexaType vexa = LoadSample("estudio_presion_arterial.xml");
    EXPECT_EQ(vexa.Filetype(), "vexa-study");
    IXMLAppType app = vexa.App();
    EXPECT_EQ(app.Ver(), "1.0");
    EXPECT_EQ(app.Href(), "{appdir}/Appl.htm");
    EXPECT_EQ(app.Defs().Href(), "vexa_defs.xml");
    ASSERT_EQ(app.Palette().Count(), 5);
    EXPECT_EQ(app.Palette().Id(), "principal");
    const char* names[] = {"clWebCrimson", "clWebRoyalBlue", "clGray", "clWebForestGreen", "clWebDarkOrange"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(app.Palette().Color(i).Id(), i + 1);
        EXPECT_EQ(app.Palette().Color(i).Text(), names[i]);
    }
    EXPECT_EQ(app.Init().Mode(), 0);
    EXPECT_EQ(app.Init().Form(), "population");
    ASSERT_EQ(app.Init().Count(), 1);
    EXPECT_EQ(app.Init().Panel(0).Id(), 1);
    EXPECT_EQ(app.Folders().Webroot().Href(), "http://www.example.org/vexa/");
    EXPECT_EQ(app.Folders().Localdir().Temp(), "temp");
    EXPECT_EQ(app.Exportfile().Database(), "presion_arterial");
    ASSERT_EQ(app.Exportfile().Count(), 1);
    EXPECT_EQ(app.Exportfile().Outputfile(0).Id(), 1);
    EXPECT_EQ(app.Exportfile().Outputfile(0).Type(), "txt");
    EXPECT_EQ(app.Exportfile().Outputfile(0).Fileid(), "muestra_presion");

    IXMLSystemType sys = vexa.System();
    EXPECT_EQ(sys.Name(), "Adultos de 40 a 60 años");
    EXPECT_EQ(sys.Type(), "population");
    EXPECT_EQ(sys.Docum(), "Presión arterial sistólica y diastólica de la población adulta de un barrio.");
    EXPECT_EQ(sys.Params().Basesystem().Href(), "sistema_base.xml");
    EXPECT_EQ(sys.Params().Palette().Id(), "auxiliar");
    ASSERT_EQ(sys.Params().Palette().Count(), 1);
    EXPECT_EQ(sys.Params().Palette().Color(0).Text(), "clWebNavy");

    IXMLPopulationType pop = sys.Population();
    EXPECT_EQ(pop.Name(), "Vecindario del centro de salud");
    EXPECT_NE(pop.Docum().find("«Ñ de ñandú, no de humo»"), std::string::npos);
    EXPECT_EQ(pop.Simulation().Time(), 120);
    EXPECT_EQ(pop.Simulation().Speedscale().Min(), 1);
    EXPECT_EQ(pop.Simulation().Speedscale().Max(), 300);
    EXPECT_EQ(pop.Simulation().Endmode(), 1);
    EXPECT_EQ(pop.Plot().Type(), "histograma");
    ASSERT_EQ(pop.Plot().Param().Count(), 1);
    EXPECT_EQ(pop.Plot().Param()[0].Id(), 1);

    IXMLSamplingType s = pop.Sampling();
    EXPECT_EQ(s.Samplesize().Min(), 10);
    EXPECT_EQ(s.Samplesize().Max(), 150);
    EXPECT_EQ(s.Samplesize().Unitmeasures(), 2);
    EXPECT_EQ(s.Samplesize().Ampliable(), 0);
    EXPECT_EQ(s.Rates().Fail(), "0");
    EXPECT_EQ(s.Rates().Attrition(), "0,1");
    EXPECT_EQ(s.Pages().P1(), "Diseño");
    EXPECT_EQ(s.Pages().P2(), "Observación");
    EXPECT_EQ(s.Pages().P3(), "Datos");
    EXPECT_EQ(s.Pages().P4(), "Estadística");
    EXPECT_EQ(s.Pages().P5(), "Estadística");
    EXPECT_EQ(s.Pages().P6(), "Notas");
    ASSERT_EQ(s.Options().Opt().Count(), 2);
    EXPECT_EQ(s.Options().Opt()[1].Id(), 2);
    EXPECT_EQ(s.Options().Opt()[1].Design(), 1);
    EXPECT_EQ(s.Options().Opt()[1].Text(), "Muestreo estratificado por hábito tabáquico");
    EXPECT_EQ(s.Options().Visible().Op(), 1);
    ASSERT_EQ(s.Measurements().Count(), 2);
    EXPECT_EQ(s.Measurements().Instrument(0).Name(), "Tensiómetro de mercurio");
    EXPECT_EQ(s.Measurements().Instrument(0).Vcpc(), "2");
    EXPECT_EQ(s.Measurements().Instrument(1).Id(), 2);
    EXPECT_EQ(s.Measurements().Instrument(1).Name(), "Tensiómetro digital de muñeca");
    EXPECT_EQ(s.Measurements().Instrument(1).Vcpc(), "4,5");

    ASSERT_EQ(pop.Categories().Count(), 1);
    IXMLCatvarType tabaco = pop.Categories().Catvar(0);
    EXPECT_EQ(tabaco.Id(), 1);
    EXPECT_EQ(tabaco.Name(), "Tabaco");
    EXPECT_EQ(tabaco.Color(), 3);
    EXPECT_EQ(tabaco.SamplingMeter(), 1);
    EXPECT_EQ(tabaco.Lbl(), "Hábito tabáquico");
    ASSERT_EQ(tabaco.Cat().Count(), 3);
    EXPECT_EQ(tabaco.Cat()[0].Text(), "Fumador/a");
    EXPECT_EQ(tabaco.Cat()[0].Color(), 1);
    EXPECT_EQ(tabaco.Cat()[1].Text(), "Exfumador/a");
    EXPECT_EQ(tabaco.Cat()[1].Color(), 5);
    EXPECT_EQ(tabaco.Cat()[2].Id(), 3);
    EXPECT_EQ(tabaco.Cat()[2].Text(), "Nunca fumó");
    EXPECT_EQ(tabaco.Cat()[2].Color(), 4);

    IXMLVariablesType vars = pop.Variables();
    ASSERT_EQ(vars.Vardef().Count(), 2);
    EXPECT_EQ(vars.Vardef()[0].Name(), "Sistólica");
    EXPECT_EQ(vars.Vardef()[0].Units(), "mmHg");
    EXPECT_EQ(vars.Vardef()[0].Refdist(), "normal");
    EXPECT_EQ(vars.Vardef()[0].Min(), "90");
    EXPECT_EQ(vars.Vardef()[0].Max(), "200");
    EXPECT_EQ(vars.Vardef()[0].Decimal(), 0);
    EXPECT_EQ(vars.Vardef()[0].Color(), 1);
    EXPECT_EQ(vars.Vardef()[0].SamplingMeter(), 3);
    EXPECT_EQ(vars.Vardef()[0].Text(), "Presión arterial sistólica (máxima)");
    EXPECT_EQ(vars.Vardef()[1].Id(), 2);
    EXPECT_EQ(vars.Vardef()[1].Name(), "Diastólica");
    EXPECT_EQ(vars.Vardef()[1].Min(), "50");
    EXPECT_EQ(vars.Vardef()[1].Max(), "120");
    EXPECT_EQ(vars.Vardef()[1].Color(), 2);
    EXPECT_EQ(vars.Vardef()[1].Units(), "mmHg");
    EXPECT_EQ(vars.Vardef()[1].Refdist(), "normal");
    EXPECT_EQ(vars.Vardef()[1].Decimal(), 0);
    EXPECT_EQ(vars.Vardef()[1].SamplingMeter(), 3);
    EXPECT_EQ(vars.Vardef()[1].Text(), "Presión arterial diastólica (mínima)");
    ASSERT_EQ(vars.Correlation().Count(), 1);
    EXPECT_EQ(vars.Correlation().Elem(0).I(), 1);
    EXPECT_EQ(vars.Correlation().Elem(0).J(), 2);
    EXPECT_EQ(vars.Correlation().Elem(0).R(), "0,7");

    ASSERT_EQ(pop.Group().Count(), 2);
    IXMLGroupType smokers = pop.Group()[0];
    EXPECT_EQ(smokers.Id(), 1);
    EXPECT_EQ(smokers.Color(), 1);
    EXPECT_EQ(smokers.Percent().Nominal().Value(), 35);
    ASSERT_EQ(smokers.Percent().Dynamics().Count(), 1);
    EXPECT_EQ(smokers.Percent().Dynamics()[0].Final(), "20");
    EXPECT_EQ(smokers.Variables().Category()[0].Catid(), 1);
    EXPECT_EQ(smokers.Variables().Var()[0].Nominal().M(), "138");
    EXPECT_EQ(smokers.Variables().Var()[0].Nominal().Sd(), "16");
    EXPECT_EQ(smokers.Variables().Var()[1].Nominal().M(), "88");
    EXPECT_EQ(smokers.Variables().Var()[1].Validrange().Min(), "55");
    IXMLGroupType others = pop.Group()[1];
    EXPECT_EQ(others.Id(), 2);
    EXPECT_EQ(others.Color(), 4);
    EXPECT_EQ(others.Percent().Nominal().Value(), 65);
    EXPECT_EQ(others.Percent().Dynamics().Count(), 0);
    EXPECT_EQ(others.Variables().Category()[0].Catid(), 3);
    IXMLVarType sys2 = others.Variables().Var()[0];
    EXPECT_EQ(sys2.Nominal().M(), "126");
    EXPECT_EQ(sys2.Validrange().Max(), "190");
    ASSERT_EQ(sys2.Dynamics().Count(), 1);
    EXPECT_EQ(sys2.Dynamics()[0].Final(), "124");
    EXPECT_EQ(others.Variables().Var()[1].Dynamics().Count(), 0); // a var without dynamics

    // Every group variable as written: id, m, sd, valid range, p50.
    struct VarValues {
        int group, var, id;
        const char *m, *sd, *min, *max;
    };
    const VarValues written[] = {{0, 0, 1, "138", "16", "95", "200"},
                                 {0, 1, 2, "88", "10", "55", "120"},
                                 {1, 0, 1, "126", "14", "90", "190"},
                                 {1, 1, 2, "80", "9", "50", "115"}};
    for (const VarValues& w : written) {
        IXMLVariablesType gv = pop.Group()[w.group].Variables();
        ASSERT_EQ(gv.Var().Count(), 2);
        ASSERT_EQ(gv.Category().Count(), 1);
        EXPECT_EQ(gv.Category()[0].Varid(), 1);
        EXPECT_EQ(gv.Correlation().Count(), 0);
        IXMLVarType v = gv.Var()[w.var];
        EXPECT_EQ(v.Id(), w.id);
        EXPECT_EQ(v.Nominal().M(), w.m);
        EXPECT_EQ(v.Nominal().Sd(), w.sd);
        EXPECT_EQ(v.Validrange().Min(), w.min);
        EXPECT_EQ(v.Validrange().Max(), w.max);
        EXPECT_EQ(v.Asymmetry().P50(), 50);
    }
    const auto share = smokers.Percent().Dynamics()[0];
    const auto mean = sys2.Dynamics()[0];
    EXPECT_EQ(share.Indx(), 1);
    EXPECT_EQ(share.Type(), 1);
    EXPECT_EQ(share.Time(), "120");
    EXPECT_EQ(share.Tol(), "0");
    EXPECT_EQ(mean.Indx(), 1);
    EXPECT_EQ(mean.Type(), 1);
    EXPECT_EQ(mean.Time(), "120");
    EXPECT_EQ(mean.Tol(), "0");

    IXMLMsgesType msges = sys.Msges();
    EXPECT_EQ(msges.Mmode(), 0);
    ASSERT_EQ(msges.Msginit().Count(), 2);
    EXPECT_EQ(msges.Msginit()[0].Loc(), "win");
    EXPECT_EQ(msges.Msginit()[0].Lbl(), "Presentación");
    EXPECT_EQ(msges.Msginit()[0].Href(), "Docs/presion_presentacion.htm");
    EXPECT_EQ(msges.Msginit()[1].Loc(), "msg");
    EXPECT_EQ(msges.Msginit()[1].Lbl(), "Compara la presión sistólica de fumadores y no fumadores.");
    EXPECT_EQ(msges.Msginit()[1].Href(), "Docs/presion_comparacion.htm");
    EXPECT_EQ(msges.Msg().Count(), 0);
}

// ---- process and unknown kinds ---------------------------------------------------

TEST(OtherStudyKinds, ProcessAndUnknownForms)
{
    IXMLVexaType prc = LoadSample("proceso_lanzamiento_moneda.xml");
    EXPECT_EQ(prc.Filetype(), "vexa-study");
    EXPECT_EQ(prc.App().Init().Form(), "prc");
    EXPECT_EQ(prc.App().Init().Mode(), 0);
    EXPECT_EQ(prc.App().Ver(), "1.0");
    EXPECT_EQ(prc.App().Href(), "{appdir}/Appl.htm");
    EXPECT_EQ(prc.System().Name(), "Lanzamiento de una moneda");
    EXPECT_EQ(prc.System().Type(), "process");
    EXPECT_EQ(prc.System().Docum(), "Cada lanzamiento es un ensayo con dos resultados: cara (éxito) o cruz. "
                                    "¿Cuántas caras salen en diez lanzamientos?");
    // Nothing else is present: everything reads as defaults.
    EXPECT_TRUE(prc.System().Population().IsNull());
    EXPECT_EQ(prc.System().Population().Group().Count(), 0);
    EXPECT_EQ(prc.App().Palette().Count(), 0);

    IXMLVexaType xyz = LoadSample("documento_tipo_desconocido.xml");
    EXPECT_EQ(xyz.Filetype(), "vexa-study");
    EXPECT_EQ(xyz.App().Init().Form(), "xyz");
    EXPECT_EQ(xyz.App().Init().Mode(), 0);
    EXPECT_EQ(xyz.App().Ver(), "1.0");
    EXPECT_EQ(xyz.App().Href(), "");
    EXPECT_EQ(xyz.System().Name(), "Cuestionario de opinión");
    EXPECT_EQ(xyz.System().Type(), "survey");
    EXPECT_EQ(xyz.System().Docum(),
              "Este tipo de estudio no existe: la aplicación informa de que no puede leerlo.");
    EXPECT_TRUE(xyz.System().Population().IsNull());
}

// ---- defaults, null chains, errors ----------------------------------------------

TEST(StudyDocumentDefaults, MissingElementsReadAsDefaults)
{
    IXMLVexaType v = Bind("<vexa/>");
    EXPECT_EQ(v.Filetype(), "");
    EXPECT_TRUE(v.App().IsNull());
    EXPECT_EQ(v.App().Init().Form(), "");
    EXPECT_EQ(v.App().Init().Mode(), 0);
    EXPECT_EQ(v.App().Palette().Count(), 0);
    EXPECT_TRUE(v.App().Palette().Color(3).IsNull());
    EXPECT_EQ(v.App().Palette().Color(3).Text(), "");
    IXMLPopulationType pop = v.System().Population();
    EXPECT_EQ(pop.Name(), "");
    EXPECT_EQ(pop.Docum(), "");
    EXPECT_EQ(pop.Simulation().Time(), 0);
    EXPECT_EQ(pop.Simulation().Speedscale().Max(), 0);
    EXPECT_EQ(pop.Sampling().Samplesize().Min(), 0);
    EXPECT_EQ(pop.Sampling().Pages().P1(), "");
    EXPECT_EQ(pop.Group().Count(), 0);
    EXPECT_TRUE(pop.Group()[0].IsNull());
    EXPECT_EQ(pop.Group()[0].Percent().Nominal().Value(), 0);
    EXPECT_EQ(pop.Group()[0].Variables().Var()[5].Dynamics().Count(), 0);
    EXPECT_EQ(pop.Group()[0].Variables().Var()[5].Nominal().M(), "");
    EXPECT_EQ(v.System().Msges().Msginit().Count(), 0);
    // Reading created nothing.
    EXPECT_FALSE(v.HasChildNodes());
}

TEST(StudyDocumentDefaults, PresentElementsWithMissingAttributes)
{
    IXMLVexaType v = Bind("<vexa><system><Population><group><percent><nominal/></percent></group>"
                          "<simulation><time/></simulation></Population></system></vexa>");
    IXMLPopulationType pop = v.System().Population();
    ASSERT_EQ(pop.Group().Count(), 1);
    EXPECT_EQ(pop.Group()[0].Id(), 0);
    EXPECT_EQ(pop.Group()[0].Percent().Nominal().Value(), 0);
    EXPECT_EQ(pop.Simulation().Time(), 0);
    EXPECT_EQ(pop.Simulation().Endmode(), 0);
}

TEST(StudyDocumentErrors, WrongOrMissingRoot)
{
    try {
        Bind("<estudio><app/></estudio>");
        FAIL();
    } catch (const XmlError& e) {
        const std::string m = e.what();
        EXPECT_NE(m.find("\"estudio\""), std::string::npos) << m;
        EXPECT_NE(m.find("\"vexa\""), std::string::npos) << m;
        EXPECT_NE(m.find("prueba.xml"), std::string::npos) << m;
    }
    EXPECT_THROW(GetVexa(XmlDocument()), XmlError);
    EXPECT_THROW(Bind("<Vexa/>"), XmlError); // case-sensitive
}

TEST(StudyDocumentErrors, OnlyAVexaRootMakesAStudyDocument)
{
    EXPECT_TRUE(IsVexaDocument(XmlDocument::LoadFromBytes("<vexa/>")));
    EXPECT_FALSE(IsVexaDocument(XmlDocument::LoadFromBytes("<Vexa><app/></Vexa>")));
    EXPECT_FALSE(IsVexaDocument(XmlDocument::LoadFromBytes("<estudio><vexa/></estudio>")));
    EXPECT_FALSE(IsVexaDocument(XmlDocument()));
}

TEST(StudyDocumentErrors, BadFiles)
{
    EXPECT_THROW(Bind("no es XML"), XmlParseError);
    EXPECT_THROW(Bind("<vexa><app ver=\"1.0\"><init form=\"pop\"/>"), XmlParseError);
    EXPECT_THROW(Bind(""), XmlParseError);
    EXPECT_THROW(LoadSample("no_existe.xml"), XmlError);
}

TEST(StudyDocumentErrors, NonIntegerNamesElementAttributeAndText)
{
    IXMLVexaType v = Bind("<vexa><system><Population><sampling><samplesize min=\"cinco\" max=\"2.5\"/>"
                          "</sampling><simulation><time>dos horas</time></simulation></Population></system></vexa>");
    IXMLSamplesizeType ss = v.System().Population().Sampling().Samplesize();
    try {
        ss.Min();
        FAIL();
    } catch (const XmlConversionError& e) {
        const std::string m = e.what();
        EXPECT_NE(m.find("\"samplesize\""), std::string::npos) << m;
        EXPECT_NE(m.find("\"min\""), std::string::npos) << m;
        EXPECT_NE(m.find("\"cinco\""), std::string::npos) << m;
    }
    EXPECT_THROW(ss.Max(), XmlConversionError);
    try {
        v.System().Population().Simulation().Time();
        FAIL();
    } catch (const XmlConversionError& e) {
        const std::string m = e.what();
        EXPECT_NE(m.find("\"time\""), std::string::npos) << m;
        EXPECT_NE(m.find("\"dos horas\""), std::string::npos) << m;
    }
}

TEST(StudyDocumentErrors, HugeAndDeepDocuments)
{
    const std::string big(1 << 20, 'a');
    IXMLVexaType v = Bind("<vexa filetype=\"" + big + "\"><system name=\"" + big + "\"/></vexa>");
    EXPECT_EQ(v.Filetype().size(), big.size());
    EXPECT_EQ(v.System().Name().size(), big.size());

    std::string deep = "<vexa><system><Population>";
    for (int i = 0; i < 100000; ++i)
        deep += "<group>";
    for (int i = 0; i < 100000; ++i)
        deep += "</group>";
    deep += "</Population></system></vexa>";
    EXPECT_THROW(Bind(deep), XmlParseError);
}

// ---- lifetime and writing ----------------------------------------------------------

TEST(StudyDocumentLifetime, ElementsKeepTheDocumentAlive)
{
    IXMLPopulationType pop;
    {
        IXMLVexaType v = LoadSample("estudio_alturas_pesos.xml");
        pop = v.System().Population();
    }
    EXPECT_EQ(pop.Categories().Catvar(0).Cat()[0].Text(), "Montaña");

    // Two windows of one study share the same document.
    XmlDocument doc = XmlDocument::LoadFromBytes("<vexa><system name=\"a\"/></vexa>", "compartido.xml");
    IXMLVexaType first = GetVexa(doc);
    IXMLVexaType second = GetVexa(doc);
    first.System().SetName("b");
    EXPECT_EQ(second.System().Name(), "b");
}

TEST(StudyDocumentLists, DeleteRemoveAndClearTakeItemsOutOfTheDocument)
{
    IXMLVexaType v = Bind("<vexa><system><Population>"
                          "<group id=\"1\"/><docum>d</docum><group id=\"2\"/><group id=\"3\"/><group id=\"4\"/>"
                          "</Population></system></vexa>");
    IXMLPopulationType pop = v.System().Population();
    IXMLGroupTypeList groups = pop.Group();
    IXMLGroupType third = groups[2];

    groups.Delete(1);
    ASSERT_EQ(groups.Count(), 3);
    EXPECT_EQ(groups[0].Id(), 1);
    EXPECT_EQ(groups[1].Id(), 3);
    EXPECT_EQ(groups[2].Id(), 4);
    EXPECT_THROW(groups.Delete(3), XmlError);
    EXPECT_THROW(groups.Delete(-1), XmlError);
    EXPECT_EQ(groups.Count(), 3);

    EXPECT_EQ(groups.Remove(third), 1);
    EXPECT_EQ(groups.Remove(third), -1); // no longer an item
    EXPECT_EQ(third.Id(), 3);            // the handle still reads
    EXPECT_EQ(groups.Remove(pop.Group()[5]), -1);
    ASSERT_EQ(pop.Group().Count(), 2);
    EXPECT_EQ(pop.Group()[1].Id(), 4);

    groups.Clear();
    EXPECT_EQ(pop.Group().Count(), 0);
    EXPECT_EQ(pop.Docum(), "d"); // other children stay
    EXPECT_EQ(pop.Element().ChildNodes().size(), 1u);
    groups.Clear();
    EXPECT_EQ(groups.Add().Element().Name(), "group");
    EXPECT_EQ(pop.Group().Count(), 1);
}

TEST(StudyDocumentLists, ListElementsDeleteRemoveAndClearTheirItemsOnly)
{
    IXMLVexaType v = Bind("<vexa><app><palette id=\"p\"><color id=\"0\">clRed</color><nota/>"
                          "<color id=\"1\">clBlue</color><color id=\"2\">clLime</color></palette></app>"
                          "<system><params><palette><color>clBlack</color></palette></params></system></vexa>");
    IXMLPaletteType pal = v.App().Palette();
    pal.Delete(0);
    ASSERT_EQ(pal.Count(), 2);
    EXPECT_EQ(pal.Color(0).Text(), "clBlue");
    EXPECT_THROW(pal.Delete(2), XmlError);

    // an item of another list is not removed from this one
    IXMLColorType foreign = v.System().Params().Palette().Color(0);
    EXPECT_EQ(pal.Remove(foreign), -1);
    EXPECT_EQ(v.System().Params().Palette().Count(), 1);
    EXPECT_EQ(pal.Remove(pal.Color(1)), 1);
    ASSERT_EQ(pal.Count(), 1);
    EXPECT_EQ(pal.Color(0).Text(), "clBlue");

    pal.Clear();
    EXPECT_EQ(pal.Count(), 0);
    EXPECT_EQ(pal.Id(), "p");
    EXPECT_FALSE(pal.Element().Child("nota").IsNull());
    EXPECT_EQ(v.System().Params().Palette().Color(0).Text(), "clBlack");

    // a missing list is empty: clearing it changes nothing, deleting from it fails
    IXMLCategoriesType none = v.System().Population().Categories();
    none.Clear();
    EXPECT_THROW(none.Delete(0), XmlError);
    EXPECT_EQ(none.Remove(IXMLCatvarType()), -1);
}

TEST(StudyDocumentWriting, SettersListsAndTextChildren)
{
    IXMLVexaType v = Bind("<vexa><app><palette/></app><system><Population><group/></Population></system></vexa>");
    v.SetFiletype("vexa-study");
    EXPECT_EQ(v.Filetype(), "vexa-study");

    IXMLPaletteType pal = v.App().Palette();
    pal.Add().SetText("clRed");
    pal.Add().SetText("clBlue");
    IXMLColorType mid = pal.Insert(1);
    mid.SetText("clWebDarkOrange");
    mid.SetId(7);
    ASSERT_EQ(pal.Count(), 3);
    EXPECT_EQ(pal.Color(1).Text(), "clWebDarkOrange");
    EXPECT_EQ(pal.Color(1).Id(), 7);
    EXPECT_EQ(pal.Color(2).Text(), "clBlue");
    EXPECT_THROW(pal.Insert(5), XmlError);
    EXPECT_THROW(pal.Insert(-1), XmlError);

    IXMLPopulationType pop = v.System().Population();
    pop.SetDocum("Descripción");
    EXPECT_EQ(pop.Docum(), "Descripción");
    pop.SetDocum("Otra");
    EXPECT_EQ(pop.Docum(), "Otra");
    EXPECT_EQ(pop.Element().ChildCount("docum"), 1);

    IXMLGroupType g = pop.Group().Add();
    g.SetColor(3);
    EXPECT_EQ(pop.Group().Count(), 2);
    EXPECT_EQ(pop.Group()[1].Color(), 3);
    pop.Group()[0].SetId(9);
    EXPECT_EQ(pop.Group()[0].Id(), 9);

    // A missing element cannot be written.
    EXPECT_THROW(pop.Simulation().SetTime(10), XmlError);
    EXPECT_THROW(pop.Simulation().Speedscale().SetMin(1), XmlError);
    EXPECT_THROW(v.App().Init().Add(), XmlError);
    EXPECT_TRUE(pop.Simulation().IsNull());
}
