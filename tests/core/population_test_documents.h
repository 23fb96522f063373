#pragma once
// Study documents for the population tests: the samples in resources/xml and
// small documents written inline.
#include "core/study_document.h"
#include "platform/xml_dom.h"

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

} // namespace population_test
