#include "core/study_document.h"

void TXMLNode::SetChildText(std::string_view name, std::string_view value)
{
    platform::XmlElement child = m_element.Child(name);
    if (child.IsNull())
        child = m_element.AppendChild(name); // throws on a null element
    child.SetText(value);
}

bool IsVexaDocument(const platform::XmlDocument& doc)
{
    return doc.DocumentElement().Name() == "vexa";
}

TXMLVexaType GetVexa(const platform::XmlDocument& doc)
{
    platform::XmlElement root = doc.DocumentElement();
    const std::string file = doc.FileName().empty() ? std::string("(none)") : doc.FileName();
    if (root.IsNull())
        throw platform::XmlError("The document \"" + file + "\" has no root element; a study document needs \"vexa\"");
    if (root.Name() != "vexa")
        throw platform::XmlError("The document \"" + file + "\" is not a study document: its root element is \"" +
                                 root.Name() + "\", not \"vexa\"");
    return TXMLVexaType(root);
}
