#pragma once
// Study documents for the population tests (the samples in resources/xml and
// small documents written inline) and the moments of drawn individuals.
#include "core/study_document.h"
#include "core/sub_population.h"
#include "platform/xml_dom.h"

#include <cmath>
#include <string>

namespace population_test {

struct LoadedStudy {
    platform::XmlDocument Document;
    IXMLVexaType Root;
};

inline LoadedStudy LoadSample(const std::string& fileName)
{
    LoadedStudy s;
    s.Document = platform::XmlDocument::LoadFromFile(std::string(VEXA_SOURCE_DIR) + "/resources/xml/" + fileName);
    s.Root = GetVexa(s.Document);
    return s;
}

inline LoadedStudy LoadText(const std::string& xml)
{
    LoadedStudy s;
    s.Document = platform::XmlDocument::LoadFromBytes(xml);
    s.Root = GetVexa(s.Document);
    return s;
}

// A population study whose `Population` element holds `body`; the palette
// holds clRed, clGreen, clBlue (entries 1 to 3).
inline std::string StudyXml(const std::string& body, const std::string& simulation = "")
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
           "<vexa filetype=\"vexa-study\"><app ver=\"1.0\"><palette id=\"p\">"
           "<color id=\"1\">clRed</color><color id=\"2\">clGreen</color><color id=\"3\">clBlue</color>"
           "</palette><init mode=\"0\" form=\"pop\"/></app>"
           "<system name=\"Test\" type=\"population\"><Population name=\"P\">" +
           simulation + body + "</Population></system></vexa>";
}

// One `var` element with the given mean, deviation and valid range.
inline std::string VarXml(const std::string& m, const std::string& sd, const std::string& lo = "0",
                          const std::string& hi = "100", const std::string& dynamics = "")
{
    return "<var id=\"1\"><nominal m=\"" + m + "\" sd=\"" + sd + "\"/><validrange min=\"" + lo + "\" max=\"" + hi +
           "\"/><asymmetry p50=\"50\"/>" + dynamics + "</var>";
}

// Sample moments of variables 1 and 2 over N individuals drawn from a group.
struct Moments {
    double Mean1, Mean2, Sd1, Sd2, R;
};

inline Moments DrawMoments(tSubPopulation& g, int N)
{
    double s1 = 0, s2 = 0, s11 = 0, s22 = 0, s12 = 0;
    for (int k = 0; k < N; ++k) {
        g.DrawIndividual();
        const double x = g.DrawnValue(1), y = g.DrawnValue(2);
        s1 += x;
        s2 += y;
        s11 += x * x;
        s22 += y * y;
        s12 += x * y;
    }
    const double n = N;
    Moments m{};
    m.Mean1 = s1 / n;
    m.Mean2 = s2 / n;
    m.Sd1 = std::sqrt((s11 - n * m.Mean1 * m.Mean1) / (n - 1));
    m.Sd2 = std::sqrt((s22 - n * m.Mean2 * m.Mean2) / (n - 1));
    m.R = (s12 - n * m.Mean1 * m.Mean2) / (n - 1) / (m.Sd1 * m.Sd2);
    return m;
}

} // namespace population_test
