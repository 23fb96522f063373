#pragma once
// Typed, read-through binding of the study document: one class per element
// of the format, one getter per attribute, text child and child element.
// "W" values are UTF-8 strings, "I" values whole numbers read strictly
// (platform::XmlConversionError on other text, 0 when missing).
//
// Every bound element is a handle that keeps its document alive, so the
// windows of a study can share one document. A missing element binds to a
// null element whose values read as empty texts, 0 and empty lists; the
// document is never changed by reading. Setters write through to the
// document; on a missing element they throw platform::XmlError. A setter of a
// text child adds the child when it is missing.
//
// The interface names (IXMLVexaType, IXMLGroupTypeList, ...) stand for the
// classes themselves.
#include <string>
#include <string_view>
#include <vector>

#include "platform/xml_dom.h"

// Generic node operations shared by every bound element.
class TXMLNode {
public:
    TXMLNode() = default;
    explicit TXMLNode(platform::XmlElement element) : m_element(std::move(element)) {}

    const platform::XmlElement& Element() const { return m_element; }
    bool IsNull() const { return m_element.IsNull(); }
    std::string NodeName() const { return m_element.Name(); }
    // The element's own text (colour names, level labels, option texts).
    std::string Text() const { return m_element.Text(); }
    bool HasChildNodes() const { return m_element.HasChildNodes(); }
    std::vector<platform::XmlNode> ChildNodes() const { return m_element.ChildNodes(); }
    std::vector<platform::XmlAttribute> AttributeNodes() const { return m_element.Attributes(); }
    void SetText(std::string_view text) { m_element.SetText(text); }

protected:
    std::string AttrText(std::string_view name) const { return m_element.AttributeText(name); }
    int AttrInteger(std::string_view name) const { return m_element.AttributeInteger(name); }
    std::string ChildText(std::string_view name) const { return m_element.Child(name).Text(); }
    int ChildInteger(std::string_view name) const { return m_element.Child(name).TextInteger(); }
    void SetAttrText(std::string_view name, std::string_view value) { m_element.SetAttribute(name, value); }
    void SetAttrInteger(std::string_view name, int value) { m_element.SetAttribute(name, value); }
    void SetChildText(std::string_view name, std::string_view value);
    void SetChildInteger(std::string_view name, int value) { SetChildText(name, std::to_string(value)); }
    template <class T>
    T Typed(std::string_view name) const { return T(m_element.Child(name)); }

    platform::XmlElement m_element;
};

// Live list of the children of one tag under a parent element.
template <class T>
class TXMLNodeList {
public:
    TXMLNodeList() = default;
    TXMLNodeList(platform::XmlElement parent, std::string tag)
        : m_parent(std::move(parent)), m_tag(std::move(tag)) {}

    int Count() const { return m_parent.ChildCount(m_tag); }
    // 0-based; a null item when out of range.
    T Get_Item(int index) const { return T(m_parent.ChildAt(m_tag, index)); }
    T operator[](int index) const { return Get_Item(index); }
    std::vector<T> Items() const
    {
        std::vector<T> out;
        for (auto& e : m_parent.Children(m_tag))
            out.emplace_back(std::move(e));
        return out;
    }
    // New empty item after the last child of the parent.
    T Add() { return T(m_parent.AppendChild(m_tag)); }
    // New empty item at position `index` (0..Count); platform::XmlError outside.
    T Insert(int index)
    {
        const int n = Count();
        if (index < 0 || index > n)
            throw platform::XmlError("List index out of bounds (" + std::to_string(index) + ")");
        if (index == n)
            return Add();
        return T(m_parent.InsertChildBefore(m_tag, m_parent.ChildAt(m_tag, index)));
    }
    // Removes every item; other children of the parent stay.
    void Clear()
    {
        for (const platform::XmlElement& e : m_parent.Children(m_tag))
            m_parent.RemoveChild(e);
    }
    // Removes the item at `index`; platform::XmlError outside 0..Count-1.
    void Delete(int index)
    {
        if (index < 0 || index >= Count())
            throw platform::XmlError("List index out of bounds (" + std::to_string(index) + ")");
        m_parent.RemoveChild(m_parent.ChildAt(m_tag, index));
    }
    // Removes `item` when it is an item of this list; its former index, or -1.
    int Remove(const T& item)
    {
        if (item.IsNull())
            return -1;
        const std::vector<platform::XmlElement> items = m_parent.Children(m_tag);
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i] == item.Element()) {
                m_parent.RemoveChild(items[i]);
                return static_cast<int>(i);
            }
        }
        return -1;
    }

private:
    platform::XmlElement m_parent;
    std::string m_tag;
};

// An element that is itself a list of one item tag.
template <class T>
class TXMLListElement : public TXMLNode {
public:
    TXMLListElement() = default;
    TXMLListElement(platform::XmlElement element, const char* itemTag)
        : TXMLNode(std::move(element)), m_itemTag(itemTag) {}

    int Count() const { return List().Count(); }
    T Get_Item(int index) const { return List().Get_Item(index); }
    T operator[](int index) const { return Get_Item(index); }
    std::vector<T> Items() const { return List().Items(); }
    T Add() { return List().Add(); }
    T Insert(int index) { return List().Insert(index); }
    void Clear() { List().Clear(); }
    void Delete(int index) { List().Delete(index); }
    int Remove(const T& item) { return List().Remove(item); }

private:
    TXMLNodeList<T> List() const { return TXMLNodeList<T>(m_element, m_itemTag); }
    const char* m_itemTag = "";
};

// ---- app -----------------------------------------------------------------

class TXMLDefsType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    std::string Href() const { return AttrText("href"); }
    void SetHref(std::string_view v) { SetAttrText("href", v); }
};

// Colour name in the element text.
class TXMLColorType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    int Id() const { return AttrInteger("id"); }
    void SetId(int v) { SetAttrInteger("id", v); }
};

class TXMLPaletteType : public TXMLListElement<TXMLColorType> {
public:
    TXMLPaletteType() : TXMLListElement(platform::XmlElement(), "color") {}
    explicit TXMLPaletteType(platform::XmlElement e) : TXMLListElement(std::move(e), "color") {}
    std::string Id() const { return AttrText("id"); }
    TXMLColorType Color(int index) const { return Get_Item(index); }
    void SetId(std::string_view v) { SetAttrText("id", v); }
};

class TXMLPanelType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    int Id() const { return AttrInteger("id"); }
    void SetId(int v) { SetAttrInteger("id", v); }
};

class TXMLInitType : public TXMLListElement<TXMLPanelType> {
public:
    TXMLInitType() : TXMLListElement(platform::XmlElement(), "panel") {}
    explicit TXMLInitType(platform::XmlElement e) : TXMLListElement(std::move(e), "panel") {}
    int Mode() const { return AttrInteger("mode"); }
    std::string Form() const { return AttrText("form"); }
    TXMLPanelType Panel(int index) const { return Get_Item(index); }
    void SetMode(int v) { SetAttrInteger("mode", v); }
    void SetForm(std::string_view v) { SetAttrText("form", v); }
};

class TXMLWebrootType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    std::string Href() const { return AttrText("href"); }
    void SetHref(std::string_view v) { SetAttrText("href", v); }
};

class TXMLLocaldirType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    std::string Temp() const { return AttrText("temp"); }
    void SetTemp(std::string_view v) { SetAttrText("temp", v); }
};

class TXMLFoldersType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    TXMLWebrootType Webroot() const { return Typed<TXMLWebrootType>("webroot"); }
    TXMLLocaldirType Localdir() const { return Typed<TXMLLocaldirType>("localdir"); }
};

class TXMLOutputfileType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    int Id() const { return AttrInteger("id"); }
    std::string Type() const { return AttrText("type"); }
    std::string Fileid() const { return AttrText("fileid"); }
    void SetId(int v) { SetAttrInteger("id", v); }
    void SetType(std::string_view v) { SetAttrText("type", v); }
    void SetFileid(std::string_view v) { SetAttrText("fileid", v); }
};

class TXMLExportfileType : public TXMLListElement<TXMLOutputfileType> {
public:
    TXMLExportfileType() : TXMLListElement(platform::XmlElement(), "outputfile") {}
    explicit TXMLExportfileType(platform::XmlElement e) : TXMLListElement(std::move(e), "outputfile") {}
    std::string Database() const { return AttrText("database"); }
    TXMLOutputfileType Outputfile(int index) const { return Get_Item(index); }
    void SetDatabase(std::string_view v) { SetAttrText("database", v); }
};

class TXMLAppType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    std::string Ver() const { return AttrText("ver"); }
    std::string Href() const { return AttrText("href"); }
    TXMLDefsType Defs() const { return Typed<TXMLDefsType>("defs"); }
    TXMLPaletteType Palette() const { return Typed<TXMLPaletteType>("palette"); }
    TXMLInitType Init() const { return Typed<TXMLInitType>("init"); }
    TXMLFoldersType Folders() const { return Typed<TXMLFoldersType>("folders"); }
    TXMLExportfileType Exportfile() const { return Typed<TXMLExportfileType>("exportfile"); }
    void SetVer(std::string_view v) { SetAttrText("ver", v); }
    void SetHref(std::string_view v) { SetAttrText("href", v); }
};

// ---- system/params -------------------------------------------------------

class TXMLBasesystemType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    std::string Href() const { return AttrText("href"); }
    void SetHref(std::string_view v) { SetAttrText("href", v); }
};

class TXMLParamsType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    TXMLBasesystemType Basesystem() const { return Typed<TXMLBasesystemType>("basesystem"); }
    TXMLPaletteType Palette() const { return Typed<TXMLPaletteType>("palette"); }
};

// ---- Population: simulation and plot --------------------------------------

class TXMLSpeedscaleType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    int Min() const { return AttrInteger("min"); }
    int Max() const { return AttrInteger("max"); }
    void SetMin(int v) { SetAttrInteger("min", v); }
    void SetMax(int v) { SetAttrInteger("max", v); }
};

// `time` and `endmode` are text children.
class TXMLSimulationType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    int Time() const { return ChildInteger("time"); }
    TXMLSpeedscaleType Speedscale() const { return Typed<TXMLSpeedscaleType>("speedscale"); }
    int Endmode() const { return ChildInteger("endmode"); }
    void SetTime(int v) { SetChildInteger("time", v); }
    void SetEndmode(int v) { SetChildInteger("endmode", v); }
};

class TXMLParamType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    int Id() const { return AttrInteger("id"); }
    void SetId(int v) { SetAttrInteger("id", v); }
};
using TXMLParamTypeList = TXMLNodeList<TXMLParamType>;

class TXMLPlotType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    std::string Type() const { return ChildText("type"); }
    TXMLParamTypeList Param() const { return {m_element, "param"}; }
    void SetType(std::string_view v) { SetChildText("type", v); }
};

// ---- Population: sampling --------------------------------------------------

class TXMLSamplesizeType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    int Min() const { return AttrInteger("min"); }
    int Max() const { return AttrInteger("max"); }
    int Unitmeasures() const { return AttrInteger("unitmeasures"); }
    int Ampliable() const { return AttrInteger("ampliable"); }
    void SetMin(int v) { SetAttrInteger("min", v); }
    void SetMax(int v) { SetAttrInteger("max", v); }
    void SetUnitmeasures(int v) { SetAttrInteger("unitmeasures", v); }
    void SetAmpliable(int v) { SetAttrInteger("ampliable", v); }
};

class TXMLRatesType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    std::string Fail() const { return AttrText("fail"); }
    std::string Attrition() const { return AttrText("attrition"); }
    void SetFail(std::string_view v) { SetAttrText("fail", v); }
    void SetAttrition(std::string_view v) { SetAttrText("attrition", v); }
};

class TXMLPagesType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    std::string P1() const { return AttrText("p1"); }
    std::string P2() const { return AttrText("p2"); }
    std::string P3() const { return AttrText("p3"); }
    std::string P4() const { return AttrText("p4"); }
    std::string P5() const { return AttrText("p5"); }
    std::string P6() const { return AttrText("p6"); }
    void SetP1(std::string_view v) { SetAttrText("p1", v); }
    void SetP2(std::string_view v) { SetAttrText("p2", v); }
    void SetP3(std::string_view v) { SetAttrText("p3", v); }
    void SetP4(std::string_view v) { SetAttrText("p4", v); }
    void SetP5(std::string_view v) { SetAttrText("p5", v); }
    void SetP6(std::string_view v) { SetAttrText("p6", v); }
};

// Option text in the element text.
class TXMLOptType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    int Id() const { return AttrInteger("id"); }
    int Design() const { return AttrInteger("design"); }
    void SetId(int v) { SetAttrInteger("id", v); }
    void SetDesign(int v) { SetAttrInteger("design", v); }
};
using TXMLOptTypeList = TXMLNodeList<TXMLOptType>;

class TXMLVisibleType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    int Op() const { return AttrInteger("op"); }
    void SetOp(int v) { SetAttrInteger("op", v); }
};

class TXMLOptionsType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    TXMLOptTypeList Opt() const { return {m_element, "opt"}; }
    TXMLVisibleType Visible() const { return Typed<TXMLVisibleType>("visible"); }
};

class TXMLInstrumentType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    int Id() const { return AttrInteger("id"); }
    std::string Name() const { return AttrText("name"); }
    std::string Vcpc() const { return AttrText("vcpc"); }
    void SetId(int v) { SetAttrInteger("id", v); }
    void SetName(std::string_view v) { SetAttrText("name", v); }
    void SetVcpc(std::string_view v) { SetAttrText("vcpc", v); }
};

class TXMLMeasurementsType : public TXMLListElement<TXMLInstrumentType> {
public:
    TXMLMeasurementsType() : TXMLListElement(platform::XmlElement(), "instrument") {}
    explicit TXMLMeasurementsType(platform::XmlElement e) : TXMLListElement(std::move(e), "instrument") {}
    TXMLInstrumentType Instrument(int index) const { return Get_Item(index); }
};

class TXMLSamplingType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    TXMLSamplesizeType Samplesize() const { return Typed<TXMLSamplesizeType>("samplesize"); }
    TXMLRatesType Rates() const { return Typed<TXMLRatesType>("rates"); }
    TXMLPagesType Pages() const { return Typed<TXMLPagesType>("pages"); }
    TXMLOptionsType Options() const { return Typed<TXMLOptionsType>("options"); }
    TXMLMeasurementsType Measurements() const { return Typed<TXMLMeasurementsType>("measurements"); }
};

// ---- Population: categories --------------------------------------------------

// Level label in the element text.
class TXMLCatType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    int Id() const { return AttrInteger("id"); }
    int Color() const { return AttrInteger("color"); }
    void SetId(int v) { SetAttrInteger("id", v); }
    void SetColor(int v) { SetAttrInteger("color", v); }
};
using TXMLCatTypeList = TXMLNodeList<TXMLCatType>;

// `lbl` is a text child.
class TXMLCatvarType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    int Id() const { return AttrInteger("id"); }
    std::string Name() const { return AttrText("name"); }
    int Color() const { return AttrInteger("color"); }
    int SamplingMeter() const { return AttrInteger("samplingMeter"); }
    std::string Lbl() const { return ChildText("lbl"); }
    TXMLCatTypeList Cat() const { return {m_element, "cat"}; }
    void SetId(int v) { SetAttrInteger("id", v); }
    void SetName(std::string_view v) { SetAttrText("name", v); }
    void SetColor(int v) { SetAttrInteger("color", v); }
    void SetSamplingMeter(int v) { SetAttrInteger("samplingMeter", v); }
    void SetLbl(std::string_view v) { SetChildText("lbl", v); }
};

class TXMLCategoriesType : public TXMLListElement<TXMLCatvarType> {
public:
    TXMLCategoriesType() : TXMLListElement(platform::XmlElement(), "catvar") {}
    explicit TXMLCategoriesType(platform::XmlElement e) : TXMLListElement(std::move(e), "catvar") {}
    TXMLCatvarType Catvar(int index) const { return Get_Item(index); }
};

// ---- variables -----------------------------------------------------------

// A second descriptive text in the element text.
class TXMLVardefType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    int Id() const { return AttrInteger("id"); }
    std::string Name() const { return AttrText("name"); }
    std::string Units() const { return AttrText("units"); }
    std::string Refdist() const { return AttrText("refdist"); }
    std::string Min() const { return AttrText("min"); }
    std::string Max() const { return AttrText("max"); }
    int Decimal() const { return AttrInteger("decimal"); }
    int Color() const { return AttrInteger("color"); }
    int SamplingMeter() const { return AttrInteger("samplingMeter"); }
    void SetId(int v) { SetAttrInteger("id", v); }
    void SetName(std::string_view v) { SetAttrText("name", v); }
    void SetUnits(std::string_view v) { SetAttrText("units", v); }
    void SetRefdist(std::string_view v) { SetAttrText("refdist", v); }
    void SetMin(std::string_view v) { SetAttrText("min", v); }
    void SetMax(std::string_view v) { SetAttrText("max", v); }
    void SetDecimal(int v) { SetAttrInteger("decimal", v); }
    void SetColor(int v) { SetAttrInteger("color", v); }
    void SetSamplingMeter(int v) { SetAttrInteger("samplingMeter", v); }
};
using TXMLVardefTypeList = TXMLNodeList<TXMLVardefType>;

class TXMLElemType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    int I() const { return AttrInteger("i"); }
    int J() const { return AttrInteger("j"); }
    std::string R() const { return AttrText("r"); }
    void SetI(int v) { SetAttrInteger("i", v); }
    void SetJ(int v) { SetAttrInteger("j", v); }
    void SetR(std::string_view v) { SetAttrText("r", v); }
};

class TXMLCorrelationType : public TXMLListElement<TXMLElemType> {
public:
    TXMLCorrelationType() : TXMLListElement(platform::XmlElement(), "elem") {}
    explicit TXMLCorrelationType(platform::XmlElement e) : TXMLListElement(std::move(e), "elem") {}
    TXMLElemType Elem(int index) const { return Get_Item(index); }
};

class TXMLCategoryType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    int Varid() const { return AttrInteger("varid"); }
    int Catid() const { return AttrInteger("catid"); }
    void SetVarid(int v) { SetAttrInteger("varid", v); }
    void SetCatid(int v) { SetAttrInteger("catid", v); }
};
using TXMLCategoryTypeList = TXMLNodeList<TXMLCategoryType>;

// Mean and standard deviation of a group's variable.
class TXMLNominalType2 : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    std::string M() const { return AttrText("m"); }
    std::string Sd() const { return AttrText("sd"); }
    void SetM(std::string_view v) { SetAttrText("m", v); }
    void SetSd(std::string_view v) { SetAttrText("sd", v); }
};

class TXMLValidrangeType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    std::string Min() const { return AttrText("min"); }
    std::string Max() const { return AttrText("max"); }
    void SetMin(std::string_view v) { SetAttrText("min", v); }
    void SetMax(std::string_view v) { SetAttrText("max", v); }
};

class TXMLAsymmetryType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    int P50() const { return AttrInteger("p50"); }
    void SetP50(int v) { SetAttrInteger("p50", v); }
};

// Attributes of one step of a time course; the mean's and the share's steps
// are distinct element types with the same attributes.
class TXMLDynamicsStep : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    int Indx() const { return AttrInteger("indx"); }
    int Type() const { return AttrInteger("type"); }
    std::string Time() const { return AttrText("time"); }
    std::string Tol() const { return AttrText("tol"); }
    std::string Final() const { return AttrText("final"); }
    void SetIndx(int v) { SetAttrInteger("indx", v); }
    void SetType(int v) { SetAttrInteger("type", v); }
    void SetTime(std::string_view v) { SetAttrText("time", v); }
    void SetTol(std::string_view v) { SetAttrText("tol", v); }
    void SetFinal(std::string_view v) { SetAttrText("final", v); }
};

// One step of a variable mean's time course.
class TXMLDynamicsType22 : public TXMLDynamicsStep {
public:
    using TXMLDynamicsStep::TXMLDynamicsStep;
};
using TXMLDynamicsType22List = TXMLNodeList<TXMLDynamicsType22>;

class TXMLVarType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    int Id() const { return AttrInteger("id"); }
    TXMLNominalType2 Nominal() const { return Typed<TXMLNominalType2>("nominal"); }
    TXMLValidrangeType Validrange() const { return Typed<TXMLValidrangeType>("validrange"); }
    TXMLAsymmetryType Asymmetry() const { return Typed<TXMLAsymmetryType>("asymmetry"); }
    TXMLDynamicsType22List Dynamics() const { return {m_element, "dynamics"}; }
    void SetId(int v) { SetAttrInteger("id", v); }
};
using TXMLVarTypeList = TXMLNodeList<TXMLVarType>;

class TXMLVariablesType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    TXMLVardefTypeList Vardef() const { return {m_element, "vardef"}; }
    TXMLCorrelationType Correlation() const { return Typed<TXMLCorrelationType>("correlation"); }
    TXMLCategoryTypeList Category() const { return {m_element, "category"}; }
    TXMLVarTypeList Var() const { return {m_element, "var"}; }
};

// ---- groups ----------------------------------------------------------------

// Share of a group.
class TXMLNominalType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    int Value() const { return AttrInteger("value"); }
    void SetValue(int v) { SetAttrInteger("value", v); }
};

// One step of a group share's time course.
class TXMLDynamicsType : public TXMLDynamicsStep {
public:
    using TXMLDynamicsStep::TXMLDynamicsStep;
};
using TXMLDynamicsTypeList = TXMLNodeList<TXMLDynamicsType>;

class TXMLPercentType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    TXMLNominalType Nominal() const { return Typed<TXMLNominalType>("nominal"); }
    TXMLDynamicsTypeList Dynamics() const { return {m_element, "dynamics"}; }
};

class TXMLGroupType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    int Id() const { return AttrInteger("id"); }
    int Color() const { return AttrInteger("color"); }
    TXMLPercentType Percent() const { return Typed<TXMLPercentType>("percent"); }
    TXMLOptionsType Options() const { return Typed<TXMLOptionsType>("options"); }
    TXMLVariablesType Variables() const { return Typed<TXMLVariablesType>("variables"); }
    void SetId(int v) { SetAttrInteger("id", v); }
    void SetColor(int v) { SetAttrInteger("color", v); }
};
using TXMLGroupTypeList = TXMLNodeList<TXMLGroupType>;

// `docum` is a text child.
class TXMLPopulationType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    std::string Name() const { return AttrText("name"); }
    std::string Docum() const { return ChildText("docum"); }
    TXMLSimulationType Simulation() const { return Typed<TXMLSimulationType>("simulation"); }
    TXMLPlotType Plot() const { return Typed<TXMLPlotType>("plot"); }
    TXMLSamplingType Sampling() const { return Typed<TXMLSamplingType>("sampling"); }
    TXMLCategoriesType Categories() const { return Typed<TXMLCategoriesType>("categories"); }
    TXMLVariablesType Variables() const { return Typed<TXMLVariablesType>("variables"); }
    TXMLGroupTypeList Group() const { return {m_element, "group"}; }
    void SetName(std::string_view v) { SetAttrText("name", v); }
    void SetDocum(std::string_view v) { SetChildText("docum", v); }
};

// ---- messages ----------------------------------------------------------------

class TXMLMsginitType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    std::string Loc() const { return AttrText("loc"); }
    std::string Lbl() const { return AttrText("lbl"); }
    std::string Href() const { return AttrText("href"); }
    void SetLoc(std::string_view v) { SetAttrText("loc", v); }
    void SetLbl(std::string_view v) { SetAttrText("lbl", v); }
    void SetHref(std::string_view v) { SetAttrText("href", v); }
};
using TXMLMsginitTypeList = TXMLNodeList<TXMLMsginitType>;

class TXMLMsgType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    int Tag() const { return AttrInteger("tag"); }
    std::string Loc() const { return AttrText("loc"); }
    std::string Lbl() const { return AttrText("lbl"); }
    std::string Href() const { return AttrText("href"); }
    void SetTag(int v) { SetAttrInteger("tag", v); }
    void SetLoc(std::string_view v) { SetAttrText("loc", v); }
    void SetLbl(std::string_view v) { SetAttrText("lbl", v); }
    void SetHref(std::string_view v) { SetAttrText("href", v); }
};
using TXMLMsgTypeList = TXMLNodeList<TXMLMsgType>;

class TXMLMsgesType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    int Mmode() const { return AttrInteger("mmode"); }
    TXMLMsginitTypeList Msginit() const { return {m_element, "msginit"}; }
    TXMLMsgTypeList Msg() const { return {m_element, "msg"}; }
    void SetMmode(int v) { SetAttrInteger("mmode", v); }
};

// ---- system and root ------------------------------------------------------

// `docum` is a text child.
class TXMLSystemType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    std::string Name() const { return AttrText("name"); }
    std::string Type() const { return AttrText("type"); }
    std::string Docum() const { return ChildText("docum"); }
    TXMLParamsType Params() const { return Typed<TXMLParamsType>("params"); }
    TXMLPopulationType Population() const { return Typed<TXMLPopulationType>("Population"); }
    TXMLMsgesType Msges() const { return Typed<TXMLMsgesType>("msges"); }
    void SetName(std::string_view v) { SetAttrText("name", v); }
    void SetType(std::string_view v) { SetAttrText("type", v); }
    void SetDocum(std::string_view v) { SetChildText("docum", v); }
};

class TXMLVexaType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    std::string Filetype() const { return AttrText("filetype"); }
    TXMLAppType App() const { return Typed<TXMLAppType>("app"); }
    TXMLSystemType System() const { return Typed<TXMLSystemType>("system"); }
    void SetFiletype(std::string_view v) { SetAttrText("filetype", v); }
};

// True when the document element is `vexa`.
bool IsVexaDocument(const platform::XmlDocument& doc);

// Binds the document element, which must be `vexa`; platform::XmlError
// otherwise (also for a document without a root).
TXMLVexaType GetVexa(const platform::XmlDocument& doc);

// The interfaces of the format are the classes themselves.
using IXMLVexaType = TXMLVexaType;
using IXMLAppType = TXMLAppType;
using IXMLDefsType = TXMLDefsType;
using IXMLPaletteType = TXMLPaletteType;
using IXMLColorType = TXMLColorType;
using IXMLInitType = TXMLInitType;
using IXMLPanelType = TXMLPanelType;
using IXMLFoldersType = TXMLFoldersType;
using IXMLWebrootType = TXMLWebrootType;
using IXMLLocaldirType = TXMLLocaldirType;
using IXMLExportfileType = TXMLExportfileType;
using IXMLOutputfileType = TXMLOutputfileType;
using IXMLSystemType = TXMLSystemType;
using IXMLParamsType = TXMLParamsType;
using IXMLBasesystemType = TXMLBasesystemType;
using IXMLPopulationType = TXMLPopulationType;
using IXMLSimulationType = TXMLSimulationType;
using IXMLSpeedscaleType = TXMLSpeedscaleType;
using IXMLPlotType = TXMLPlotType;
using IXMLParamType = TXMLParamType;
using IXMLSamplingType = TXMLSamplingType;
using IXMLSamplesizeType = TXMLSamplesizeType;
using IXMLRatesType = TXMLRatesType;
using IXMLPagesType = TXMLPagesType;
using IXMLOptionsType = TXMLOptionsType;
using IXMLOptType = TXMLOptType;
using IXMLVisibleType = TXMLVisibleType;
using IXMLMeasurementsType = TXMLMeasurementsType;
using IXMLInstrumentType = TXMLInstrumentType;
using IXMLCategoriesType = TXMLCategoriesType;
using IXMLCatvarType = TXMLCatvarType;
using IXMLCatType = TXMLCatType;
using IXMLVariablesType = TXMLVariablesType;
using IXMLVardefType = TXMLVardefType;
using IXMLCorrelationType = TXMLCorrelationType;
using IXMLElemType = TXMLElemType;
using IXMLCategoryType = TXMLCategoryType;
using IXMLVarType = TXMLVarType;
using IXMLNominalType2 = TXMLNominalType2;
using IXMLValidrangeType = TXMLValidrangeType;
using IXMLAsymmetryType = TXMLAsymmetryType;
using IXMLDynamicsType22 = TXMLDynamicsType22;
using IXMLGroupType = TXMLGroupType;
using IXMLPercentType = TXMLPercentType;
using IXMLNominalType = TXMLNominalType;
using IXMLDynamicsType = TXMLDynamicsType;
using IXMLMsgesType = TXMLMsgesType;
using IXMLMsginitType = TXMLMsginitType;
using IXMLMsgType = TXMLMsgType;

using IXMLGroupTypeList = TXMLGroupTypeList;
using IXMLParamTypeList = TXMLParamTypeList;
using IXMLOptTypeList = TXMLOptTypeList;
using IXMLCatTypeList = TXMLCatTypeList;
using IXMLVardefTypeList = TXMLVardefTypeList;
using IXMLCategoryTypeList = TXMLCategoryTypeList;
using IXMLVarTypeList = TXMLVarTypeList;
using IXMLDynamicsType22List = TXMLDynamicsType22List;
using IXMLDynamicsTypeList = TXMLDynamicsTypeList;
using IXMLMsginitTypeList = TXMLMsginitTypeList;
using IXMLMsgTypeList = TXMLMsgTypeList;
