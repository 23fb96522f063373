#pragma once
// Read-mostly XML DOM for study documents. Documents are decoded to UTF-8
// (UTF-8, UTF-16 with BOM, ISO-8859-1 and windows-1252 by their declaration)
// and every text comes out as UTF-8. Element handles keep their document
// alive, so a document can be shared by several windows safely.
//
// A missing child reads as a null element: empty name and text, no
// attributes, no children, and its children are null elements again. Reading
// never changes the document. Writing to a null element throws XmlError.
// Handles of one document are for one thread at a time (reads update a
// lookup cursor that makes walking a list by index linear).
#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Every failure of this layer.
class XmlError : public std::runtime_error {
public:
    explicit XmlError(const std::string& message) : std::runtime_error(message) {}
};

// A document that cannot be read: not well-formed, wrong encoding, too deep.
// Line and column are 1-based (0 when the failure has no place in the text);
// the column counts characters.
class XmlParseError : public XmlError {
public:
    XmlParseError(std::string fileName, int line, int column, const std::string& reason);
    const std::string& FileName() const { return m_fileName; }
    int Line() const { return m_line; }
    int Column() const { return m_column; }
    const std::string& Reason() const { return m_reason; }

private:
    std::string m_fileName;
    int m_line;
    int m_column;
    std::string m_reason;
};

// A text read as an Integer that is no whole number (or out of range).
class XmlConversionError : public XmlError {
public:
    explicit XmlConversionError(const std::string& message) : XmlError(message) {}
};

class XmlElement;

class XmlAttribute {
public:
    XmlAttribute(std::string name, std::string text)
        : m_name(std::move(name)), m_text(std::move(text)) {}
    const std::string& Name() const { return m_name; }
    const std::string& Text() const { return m_text; }

private:
    std::string m_name;
    std::string m_text;
};

enum class XmlNodeKind { Element, Text };

class XmlDocument {
public:
    // Deepest element nesting accepted; deeper documents fail to load.
    static constexpr int MaxDepth = 1000;
    // Largest input accepted, in bytes.
    static constexpr std::size_t MaxSize = std::size_t(256) * 1024 * 1024;

    // An empty document: its document element is null.
    XmlDocument();
    ~XmlDocument();
    // Copies share the same document.
    XmlDocument(const XmlDocument&);
    XmlDocument& operator=(const XmlDocument&);

    // Throw XmlError when the file cannot be read, XmlParseError when it is
    // no readable XML. `name` stands for the file in error messages.
    static XmlDocument LoadFromFile(const std::string& path);
    static XmlDocument LoadFromBytes(std::string_view bytes, const std::string& name = "(memory)");

    bool IsEmpty() const;
    const std::string& FileName() const;
    XmlElement DocumentElement() const;

private:
    struct Impl;
    std::shared_ptr<Impl> m_impl;
    friend class XmlElement;
};

class XmlNode;

// Handle to an element of a document, or a null element.
class XmlElement {
public:
    XmlElement() = default;

    bool IsNull() const { return m_node == nullptr; }
    // Same element of the same document (all null elements are equal).
    bool operator==(const XmlElement& other) const { return m_node == other.m_node; }

    std::string Name() const;

    // First child element of that name (case-sensitive), or a null element.
    XmlElement Child(std::string_view name) const;
    // Child elements of that tag, in document order.
    int ChildCount(std::string_view tag) const;
    XmlElement ChildAt(std::string_view tag, int index) const; // null when out of range
    std::vector<XmlElement> Children(std::string_view tag) const;
    // Every child element and text node, in document order.
    std::vector<XmlNode> ChildNodes() const;
    bool HasChildNodes() const;

    // Attributes in document order.
    std::vector<XmlAttribute> Attributes() const;
    bool HasAttribute(std::string_view name) const;
    // Empty when missing.
    std::string AttributeText(std::string_view name) const;
    // Whole number in the attribute's text, blanks around it allowed; 0 when
    // the attribute is missing. Throws XmlConversionError naming element,
    // attribute and text otherwise.
    int AttributeInteger(std::string_view name) const;

    // Text of the element's own text children, joined.
    std::string Text() const;
    // True when the element has child nodes and all of them are text.
    bool HoldsOnlyText() const;
    // Whole number in the element's text; 0 for a null element or an element
    // without text. Throws XmlConversionError otherwise.
    int TextInteger() const;

    // Writers; each throws XmlError on a null element.
    void SetAttribute(std::string_view name, std::string_view text);
    void SetAttribute(std::string_view name, int value);
    // Replaces the element's text nodes by one text node; child elements stay.
    void SetText(std::string_view text);
    void SetText(int value);
    // New empty child element of that name, after the last child.
    XmlElement AppendChild(std::string_view name);
    // New empty child element placed before `before` (a child of this
    // element); appended when `before` is null.
    XmlElement InsertChildBefore(std::string_view name, const XmlElement& before);
    // Takes `child` (a child element of this one) out of the document.
    // Handles to it and to its subtree stay valid and readable until the
    // document goes; it is no longer reached from the document. XmlError
    // when `child` is null or not a child of this element.
    void RemoveChild(const XmlElement& child);

private:
    XmlElement(std::shared_ptr<XmlDocument::Impl> doc, void* node);
    XmlElement Wrap(void* node) const;
    void RequireElement(std::string_view what) const;

    std::shared_ptr<XmlDocument::Impl> m_doc;
    void* m_node = nullptr; // the parser's node, kept opaque
    friend class XmlDocument;
};

// One child node: an element, or a run of text.
class XmlNode {
public:
    XmlNode(XmlElement element) : m_kind(XmlNodeKind::Element), m_element(std::move(element)) {}
    explicit XmlNode(std::string text) : m_kind(XmlNodeKind::Text), m_text(std::move(text)) {}

    XmlNodeKind Kind() const { return m_kind; }
    // Null for a text node.
    const XmlElement& Element() const { return m_element; }
    // The text of a text node; empty for an element.
    const std::string& Text() const { return m_text; }

private:
    XmlNodeKind m_kind;
    XmlElement m_element;
    std::string m_text;
};

} // namespace platform
