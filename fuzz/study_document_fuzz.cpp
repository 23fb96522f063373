// Loads arbitrary bytes as a study document and reads every element and
// value through the binding. Only our own exceptions are expected.
#include "core/population_model.h"
#include "core/study_document.h"

#include <cmath>
#include <cstdlib>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::size_t g_sink = 0;

void Use(const std::string& s) { g_sink += s.size(); }
void Use(int v) { g_sink += static_cast<unsigned>(v); }

// Reads one value; a conversion error is a valid outcome.
template <class F>
void Read(F&& f)
{
    try {
        Use(f());
    } catch (const platform::XmlConversionError&) {
    }
}

// The whole tree as the document view shows it, without recursion: an input
// of the maximum length may nest tens of thousands of elements.
void Walk(const platform::XmlElement& root)
{
    std::vector<platform::XmlElement> pending{root};
    while (!pending.empty()) {
        const platform::XmlElement e = std::move(pending.back());
        pending.pop_back();
        Use(e.Name());
        if (e.HoldsOnlyText())
            Use(e.Text());
        for (const auto& a : e.Attributes()) {
            Use(a.Name());
            Use(a.Text());
        }
        for (const auto& n : e.ChildNodes()) {
            if (n.Kind() == platform::XmlNodeKind::Element)
                pending.push_back(n.Element());
            else
                Use(n.Text());
        }
    }
}

void ReadPalette(const IXMLPaletteType& p)
{
    Use(p.Id());
    for (int i = 0; i < p.Count(); ++i) {
        Read([&] { return p.Color(i).Id(); });
        Use(p.Color(i).Text());
    }
    Use(p.Color(p.Count()).Text());
}

void ReadOptions(const IXMLOptionsType& o)
{
    for (const auto& opt : o.Opt().Items()) {
        Read([&] { return opt.Id(); });
        Read([&] { return opt.Design(); });
        Use(opt.Text());
    }
    Read([&] { return o.Visible().Op(); });
}

template <class List>
void ReadDynamics(const List& list)
{
    for (const auto& d : list.Items()) {
        Read([&] { return d.Indx(); });
        Read([&] { return d.Type(); });
        Use(d.Time());
        Use(d.Tol());
        Use(d.Final());
    }
}

void ReadVariables(const IXMLVariablesType& v)
{
    for (const auto& d : v.Vardef().Items()) {
        Read([&] { return d.Id(); });
        Use(d.Name());
        Use(d.Units());
        Use(d.Refdist());
        Use(d.Min());
        Use(d.Max());
        Read([&] { return d.Decimal(); });
        Read([&] { return d.Color(); });
        Read([&] { return d.SamplingMeter(); });
        Use(d.Text());
    }
    const IXMLCorrelationType c = v.Correlation();
    for (int i = 0; i < c.Count(); ++i) {
        Read([&] { return c.Elem(i).I(); });
        Read([&] { return c.Elem(i).J(); });
        Use(c.Elem(i).R());
    }
    for (const auto& k : v.Category().Items()) {
        Read([&] { return k.Varid(); });
        Read([&] { return k.Catid(); });
    }
    for (const auto& var : v.Var().Items()) {
        Read([&] { return var.Id(); });
        Use(var.Nominal().M());
        Use(var.Nominal().Sd());
        Use(var.Validrange().Min());
        Use(var.Validrange().Max());
        Read([&] { return var.Asymmetry().P50(); });
        ReadDynamics(var.Dynamics());
    }
}

void ReadStudy(const IXMLVexaType& vexa)
{
    Use(vexa.Filetype());

    const IXMLAppType app = vexa.App();
    Use(app.Ver());
    Use(app.Href());
    Use(app.Defs().Href());
    ReadPalette(app.Palette());
    const IXMLInitType init = app.Init();
    Read([&] { return init.Mode(); });
    Use(init.Form());
    for (int i = 0; i < init.Count(); ++i)
        Read([&] { return init.Panel(i).Id(); });
    Use(app.Folders().Webroot().Href());
    Use(app.Folders().Localdir().Temp());
    const IXMLExportfileType ex = app.Exportfile();
    Use(ex.Database());
    for (const auto& o : ex.Items()) {
        Read([&] { return o.Id(); });
        Use(o.Type());
        Use(o.Fileid());
    }

    const IXMLSystemType sys = vexa.System();
    Use(sys.Name());
    Use(sys.Type());
    Use(sys.Docum());
    Use(sys.Params().Basesystem().Href());
    ReadPalette(sys.Params().Palette());

    const IXMLPopulationType pop = sys.Population();
    Use(pop.Name());
    Use(pop.Docum());
    const IXMLSimulationType sim = pop.Simulation();
    Read([&] { return sim.Time(); });
    Read([&] { return sim.Speedscale().Min(); });
    Read([&] { return sim.Speedscale().Max(); });
    Read([&] { return sim.Endmode(); });
    Use(pop.Plot().Type());
    for (const auto& p : pop.Plot().Param().Items())
        Read([&] { return p.Id(); });

    const IXMLSamplingType s = pop.Sampling();
    const IXMLSamplesizeType ss = s.Samplesize();
    Read([&] { return ss.Min(); });
    Read([&] { return ss.Max(); });
    Read([&] { return ss.Unitmeasures(); });
    Read([&] { return ss.Ampliable(); });
    Use(s.Rates().Fail());
    Use(s.Rates().Attrition());
    const IXMLPagesType pg = s.Pages();
    for (const std::string& t : {pg.P1(), pg.P2(), pg.P3(), pg.P4(), pg.P5(), pg.P6()})
        Use(t);
    ReadOptions(s.Options());
    for (int i = 0; i < s.Measurements().Count(); ++i) {
        const IXMLInstrumentType in = s.Measurements().Instrument(i);
        Read([&] { return in.Id(); });
        Use(in.Name());
        Use(in.Vcpc());
    }

    for (const auto& cv : pop.Categories().Items()) {
        Read([&] { return cv.Id(); });
        Use(cv.Name());
        Read([&] { return cv.Color(); });
        Read([&] { return cv.SamplingMeter(); });
        Use(cv.Lbl());
        for (const auto& cat : cv.Cat().Items()) {
            Read([&] { return cat.Id(); });
            Read([&] { return cat.Color(); });
            Use(cat.Text());
        }
    }
    ReadVariables(pop.Variables());

    for (const auto& g : pop.Group().Items()) {
        Read([&] { return g.Id(); });
        Read([&] { return g.Color(); });
        Read([&] { return g.Percent().Nominal().Value(); });
        ReadDynamics(g.Percent().Dynamics());
        ReadOptions(g.Options());
        ReadVariables(g.Variables());
    }

    const IXMLMsgesType m = sys.Msges();
    Read([&] { return m.Mmode(); });
    for (const auto& mi : m.Msginit().Items()) {
        Use(mi.Loc());
        Use(mi.Lbl());
        Use(mi.Href());
    }
    for (const auto& mg : m.Msg().Items()) {
        Read([&] { return mg.Tag(); });
        Use(mg.Loc());
        Use(mg.Lbl());
        Use(mg.Href());
    }
}

// Builds the population model, runs its clock operations and look-ups, and
// draws 100 individuals. Weights and drawn values must never be NaN.
void BuildPopulation(const IXMLVexaType& vexa)
{
    tPopulation p(vexa);
    for (double t : {0.0, 0.5 * p.SimulatedMinutes, p.SimulatedMinutes + 1.0}) {
        p.UpdateGroupWeights(t);
        p.UpdateMeans(t);
        p.UpdateLevelShares();
        for (double w : p.Weights)
            if (std::isnan(w))
                std::abort();
    }
    for (int k = -1; k <= p.CatVarCount; ++k) {
        Use(p.LevelLabel(k, 1));
        Use(static_cast<int>(p.LevelColor(k, 0)));
        Use(p.FindLevel(k, "a"));
        for (int g = -1; g <= p.GroupCount; ++g)
            Use(p.GroupLevel(g, k));
    }
    for (int i = -1; i <= p.NumVarCount; ++i)
        for (bool largest : {false, true})
            if (std::isnan(p.ModelRange(i, largest)[3]))
                std::abort();
    for (const auto& def : p.NumVarDefs) {
        Use(p.FindVariable(def.Name).Index);
        Use(static_cast<int>(p.NumVarColor(def.Name)));
    }
    if (p.GroupCount == 0)
        return;
    for (int k = 0; k < 100; ++k) {
        tSubPopulation& g = *p.Groups[static_cast<std::size_t>(k % p.GroupCount)];
        g.DrawIndividual();
        for (int i = 1; i <= g.VariableCount; ++i)
            if (std::isnan(g.DrawnValue(i)))
                std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    platform::XmlDocument doc;
    try {
        doc = platform::XmlDocument::LoadFromBytes(
            std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.xml");
    } catch (const platform::XmlError&) {
        return 0;
    }
    Walk(doc.DocumentElement());
    try {
        ReadStudy(GetVexa(doc));
    } catch (const platform::XmlError&) {
        // wrong root
    }
    try {
        BuildPopulation(GetVexa(doc));
    } catch (const platform::XmlError&) {
        // wrong root, or an integer attribute holding other text
    } catch (const EPopulationTooLarge&) {
        // more variables or groups than a population holds
    }
    return 0;
}
