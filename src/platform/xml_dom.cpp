#include "platform/xml_dom.h"

#include "base/name_matching.h"
#include "base/utf8_text.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

namespace platform {

struct XmlDocument::Impl {
    pugi::xml_document doc;
    std::string fileName;
    // Bumped by every write; invalidates the cursor below.
    std::uint64_t version = 0;
    // Last counts and items looked up by tag (a few lists at once, for
    // nested loops), so that walking a list by index costs linear time.
    struct TagCursor {
        void* parent = nullptr;
        std::string tag;
        std::uint64_t version = 0;
        std::uint64_t lastUse = 0;
        int count = -1;
        int index = -1;
        void* node = nullptr;
    };
    TagCursor cursors[8];
    std::uint64_t uses = 0;
    // Holder of removed elements: an element after the document element, so
    // handles to removed elements never dangle. Created on first removal.
    pugi::xml_node removed;

    TagCursor& CursorFor(void* parent, std::string_view t)
    {
        TagCursor* oldest = &cursors[0];
        for (TagCursor& c : cursors) {
            if (c.parent == parent && c.version == version && c.tag == t) {
                c.lastUse = ++uses;
                return c;
            }
            if (c.lastUse < oldest->lastUse)
                oldest = &c;
        }
        TagCursor& c = *oldest;
        c.parent = parent;
        c.tag.assign(t);
        c.version = version;
        c.lastUse = ++uses;
        c.count = -1;
        c.index = -1;
        c.node = nullptr;
        return c;
    }
};

namespace {

pugi::xml_node Node(void* p)
{
    return pugi::xml_node(static_cast<pugi::xml_node_struct*>(p));
}

bool IsTextNode(const pugi::xml_node& n)
{
    return n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata;
}

std::string Quoted(std::string_view text)
{
    constexpr std::size_t limit = 64;
    std::string s(text.substr(0, limit));
    if (text.size() > limit) {
        // do not cut a UTF-8 sequence in two
        while (!s.empty() && (static_cast<unsigned char>(s.back()) & 0xC0) == 0x80)
            s.pop_back();
        if (!s.empty() && static_cast<unsigned char>(s.back()) >= 0xC0)
            s.pop_back();
        s += "...";
    }
    return "\"" + s + "\"";
}

enum class IntParse { Ok, NotANumber, OutOfRange };

IntParse ParseWholeNumber(std::string_view text, int& value)
{
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    std::size_t b = 0, e = text.size();
    while (b < e && blank(text[b]))
        ++b;
    while (e > b && blank(text[e - 1]))
        --e;
    bool negative = false;
    if (b < e && (text[b] == '+' || text[b] == '-')) {
        negative = text[b] == '-';
        ++b;
    }
    if (b == e)
        return IntParse::NotANumber;
    std::int64_t acc = 0;
    bool overflow = false;
    for (std::size_t i = b; i < e; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return IntParse::NotANumber;
        if (!overflow) {
            acc = acc * 10 + (c - '0');
            if (acc > std::int64_t(std::numeric_limits<int>::max()) + 1)
                overflow = true;
        }
    }
    if (negative)
        acc = -acc;
    if (overflow || acc > std::numeric_limits<int>::max() || acc < std::numeric_limits<int>::min())
        return IntParse::OutOfRange;
    value = static_cast<int>(acc);
    return IntParse::Ok;
}

// ---- decoding to UTF-8 --------------------------------------------------

std::string FromSingleByte(std::string_view in, bool windows1252)
{
    std::string out;
    out.reserve(in.size() + in.size() / 8);
    for (char ch : in) {
        const auto c = static_cast<unsigned char>(ch);
        if (windows1252 && c >= 0x80 && c <= 0x9F)
            AppendUtf8(out, Windows1252CodePoint(c));
        else
            AppendUtf8(out, c);
    }
    return out;
}

struct DecodeFailure {
    std::string reason;
};

// Appends to `out`, so that a failure leaves the text decoded so far.
void FromUtf16(std::string_view in, bool bigEndian, std::string& out)
{
    out.reserve(in.size());
    if (in.size() % 2 != 0)
        throw DecodeFailure{"UTF-16 text with an odd number of bytes"};
    auto unit = [&](std::size_t i) -> std::uint32_t {
        const auto a = static_cast<unsigned char>(in[i]);
        const auto b = static_cast<unsigned char>(in[i + 1]);
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };
    for (std::size_t i = 0; i < in.size(); i += 2) {
        std::uint32_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 2 >= in.size())
                throw DecodeFailure{"incomplete UTF-16 surrogate pair"};
            const std::uint32_t low = unit(i + 2);
            if (low < 0xDC00 || low > 0xDFFF)
                throw DecodeFailure{"invalid UTF-16 surrogate pair"};
            u = 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        } else if (u >= 0xDC00 && u <= 0xDFFF) {
            throw DecodeFailure{"invalid UTF-16 surrogate pair"};
        }
        AppendUtf8(out, u);
    }
}

// Offset of the first byte that is no valid UTF-8, or npos.
std::size_t InvalidUtf8At(std::string_view s)
{
    std::size_t i = 0;
    const std::size_t n = s.size();
    while (i < n) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t len;
        std::uint32_t cp;
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            cp = c & 0x07;
        } else {
            return i;
        }
        if (i + len > n)
            return i;
        for (std::size_t k = 1; k < len; ++k) {
            const auto cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80)
                return i;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if ((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
            (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)))
            return i;
        i += len;
    }
    return std::string_view::npos;
}

// Encoding named by the XML declaration of an 8-bit document; empty if none.
std::string DeclaredEncoding(std::string_view s)
{
    if (s.substr(0, 5) != "<?xml")
        return {};
    const std::size_t end = s.find("?>");
    if (end == std::string_view::npos)
        return {};
    const std::string_view decl = s.substr(0, end);
    std::size_t p = decl.find("encoding");
    if (p == std::string_view::npos)
        return {};
    p += 8;
    while (p < decl.size() && (decl[p] == ' ' || decl[p] == '\t' || decl[p] == '\r' || decl[p] == '\n'))
        ++p;
    if (p >= decl.size() || decl[p] != '=')
        return {};
    ++p;
    while (p < decl.size() && (decl[p] == ' ' || decl[p] == '\t' || decl[p] == '\r' || decl[p] == '\n'))
        ++p;
    if (p >= decl.size() || (decl[p] != '"' && decl[p] != '\''))
        return {};
    const char quote = decl[p++];
    const std::size_t close = decl.find(quote, p);
    if (close == std::string_view::npos)
        return {};
    return LowerAscii(decl.substr(p, close - p));
}

// 1-based line and column (in characters) of a byte offset of UTF-8 text.
void LineAndColumn(std::string_view text, std::size_t offset, int& line, int& column)
{
    if (offset > text.size())
        offset = text.size();
    line = 1;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < offset; ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) {
            ++line;
            lineStart = i + 1;
        }
    }
    column = 1;
    for (std::size_t i = lineStart; i < offset; ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            ++column;
}

[[noreturn]] void FailAt(const std::string& name, std::string_view text, std::size_t offset,
                         const std::string& reason)
{
    int line, column;
    LineAndColumn(text, offset, line, column);
    throw XmlParseError(name, line, column, reason);
}

bool IsXmlChar(std::uint32_t cp)
{
    return cp == 0x9 || cp == 0xA || cp == 0xD || (cp >= 0x20 && cp <= 0xD7FF) ||
           (cp >= 0xE000 && cp <= 0xFFFD) || (cp >= 0x10000 && cp <= 0x10FFFF);
}

// The parser would cut texts at a NUL character and would copy character
// references to surrogates or to code points past U+10FFFF into the text
// as invalid UTF-8; such documents are refused. CDATA sections, comments
// and processing instructions hold no references.
void CheckCharacters(const std::string& name, std::string_view text)
{
    if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos)
        FailAt(name, text, nul, "NUL character in the document");
    const std::size_t n = text.size();
    auto skipTo = [&](std::size_t from, std::string_view end) {
        const std::size_t e = text.find(end, from);
        return e == std::string_view::npos ? n : e + end.size();
    };
    std::size_t i = 0;
    while (i < n) {
        if (text.compare(i, 9, "<![CDATA[") == 0) {
            i = skipTo(i + 9, "]]>");
        } else if (text.compare(i, 4, "<!--") == 0) {
            i = skipTo(i + 4, "-->");
        } else if (text.compare(i, 2, "<?") == 0) {
            i = skipTo(i + 2, "?>");
        } else if (text.compare(i, 2, "&#") == 0) {
            std::size_t k = i + 2;
            const bool hex = k < n && text[k] == 'x';
            if (hex)
                ++k;
            std::uint32_t cp = 0;
            const std::size_t digits = k;
            for (; k < n; ++k) {
                const char c = text[k];
                int d;
                if (c >= '0' && c <= '9')
                    d = c - '0';
                else if (hex && c >= 'a' && c <= 'f')
                    d = c - 'a' + 10;
                else if (hex && c >= 'A' && c <= 'F')
                    d = c - 'A' + 10;
                else
                    break;
                cp = std::min<std::uint32_t>(cp * (hex ? 16 : 10) + static_cast<std::uint32_t>(d), 0x110000);
            }
            // A malformed reference is left to the parser.
            if (k > digits && k < n && text[k] == ';' && !IsXmlChar(cp))
                FailAt(name, text, i, "character reference \"" + std::string(text.substr(i, k + 1 - i)) +
                                          "\" to a character that XML does not allow");
            i = k;
        } else {
            ++i;
        }
    }
}

// The document's bytes as UTF-8.
std::string DecodeDocument(std::string_view bytes, const std::string& name)
{
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const std::size_t n = bytes.size();
    int utf16 = 0; // 1 little-endian, 2 big-endian
    std::size_t skip = 0;
    if (n >= 3 && b(0) == 0xEF && b(1) == 0xBB && b(2) == 0xBF) {
        skip = 3;
    } else if (n >= 2 && b(0) == 0xFF && b(1) == 0xFE) {
        utf16 = 1;
        skip = 2;
    } else if (n >= 2 && b(0) == 0xFE && b(1) == 0xFF) {
        utf16 = 2;
        skip = 2;
    } else if (n >= 4 && b(0) == '<' && b(1) == 0 && b(2) == '?' && b(3) == 0) {
        utf16 = 1;
    } else if (n >= 4 && b(0) == 0 && b(1) == '<' && b(2) == 0 && b(3) == '?') {
        utf16 = 2;
    }
    const std::string_view body = bytes.substr(skip);
    if (utf16 != 0) {
        std::string out;
        try {
            FromUtf16(body, utf16 == 2, out);
        } catch (const DecodeFailure& f) {
            FailAt(name, out, out.size(), f.reason);
        }
        return out;
    }
    if (skip == 0) {
        const std::string enc = DeclaredEncoding(body);
        if (enc == "iso-8859-1" || enc == "iso_8859-1" || enc == "latin1" || enc == "latin-1" ||
            enc == "l1" || enc == "iso8859-1" || enc == "windows-1252" || enc == "cp1252" ||
            enc == "x-cp1252")
            // Files declared ISO-8859-1 by Windows editors carry windows-1252
            // punctuation in 0x80..0x9F (where Latin-1 has only unused C1 controls).
            return FromSingleByte(body, true);
        if (!enc.empty() && enc != "utf-8" && enc != "utf8" && enc != "us-ascii" && enc != "ascii" &&
            enc != "utf-16" && enc != "unicode")
            FailAt(name, body, 0, "unsupported encoding \"" + enc + "\"");
    }
    const std::size_t bad = InvalidUtf8At(body);
    if (bad != std::string_view::npos)
        FailAt(name, body, bad, "invalid UTF-8 byte sequence");
    return std::string(body);
}

} // namespace

// ---- errors --------------------------------------------------------------

namespace {
std::string ParseMessage(const std::string& fileName, int line, int column, const std::string& reason)
{
    std::string m = "Cannot read XML document \"" + fileName + "\"";
    if (line > 0)
        m += " at line " + std::to_string(line) + ", column " + std::to_string(column);
    return m + ": " + reason;
}
} // namespace

XmlParseError::XmlParseError(std::string fileName, int line, int column, const std::string& reason)
    : XmlError(ParseMessage(fileName, line, column, reason)),
      m_fileName(std::move(fileName)), m_line(line), m_column(column), m_reason(reason)
{
}

// ---- document ------------------------------------------------------------

XmlDocument::XmlDocument() = default;
XmlDocument::~XmlDocument() = default;
XmlDocument::XmlDocument(const XmlDocument&) = default;
XmlDocument& XmlDocument::operator=(const XmlDocument&) = default;

XmlDocument XmlDocument::LoadFromFile(const std::string& path)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        throw XmlError("Cannot open file \"" + path + "\": " + std::strerror(errno));
    std::string bytes;
    char buf[65536];
    for (;;) {
        const std::size_t got = std::fread(buf, 1, sizeof buf, f);
        if (got > 0) {
            if (bytes.size() + got > MaxSize) {
                std::fclose(f);
                throw XmlParseError(path, 0, 0, "the file is larger than " +
                                                    std::to_string(MaxSize / (1024 * 1024)) + " MB");
            }
            bytes.append(buf, got);
        }
        if (got < sizeof buf)
            break;
    }
    const bool failed = std::ferror(f) != 0;
    const int err = errno;
    std::fclose(f);
    if (failed)
        throw XmlError("Cannot read file \"" + path + "\": " + std::strerror(err));
    return LoadFromBytes(bytes, path);
}

XmlDocument XmlDocument::LoadFromBytes(std::string_view bytes, const std::string& name)
{
    if (bytes.size() > MaxSize)
        throw XmlParseError(name, 0, 0, "the document is larger than " +
                                            std::to_string(MaxSize / (1024 * 1024)) + " MB");
    const std::string text = DecodeDocument(bytes, name);
    CheckCharacters(name, text);

    auto impl = std::make_shared<Impl>();
    impl->fileName = name;
    // As a fragment, so that text outside the root element stays visible and
    // can be rejected below.
    const pugi::xml_parse_result r = impl->doc.load_buffer(
        text.data(), text.size(), pugi::parse_default | pugi::parse_fragment, pugi::encoding_utf8);
    if (!r)
        FailAt(name, text, static_cast<std::size_t>(r.offset < 0 ? 0 : r.offset), r.description());
    auto offsetOf = [&](const pugi::xml_node& n) {
        const std::ptrdiff_t o = n.offset_debug();
        return o < 0 ? std::size_t(0) : static_cast<std::size_t>(o);
    };

    pugi::xml_node top;
    for (pugi::xml_node n = impl->doc.first_child(); n; n = n.next_sibling()) {
        if (IsTextNode(n))
            FailAt(name, text, offsetOf(n), "text outside the root element");
        if (n.type() == pugi::node_element) {
            if (top)
                FailAt(name, text, offsetOf(n), "more than one root element");
            top = n;
        }
    }
    if (!top)
        FailAt(name, text, text.size(), "no root element");

    // Every element, without recursion: nesting depth and repeated attributes.
    std::vector<std::string_view> names;
    auto checkAttributes = [&](const pugi::xml_node& e) {
        names.clear();
        for (pugi::xml_attribute a = e.first_attribute(); a; a = a.next_attribute())
            names.emplace_back(a.name());
        if (names.size() < 2)
            return;
        std::sort(names.begin(), names.end());
        for (std::size_t i = 1; i < names.size(); ++i)
            if (names[i] == names[i - 1])
                FailAt(name, text, offsetOf(e),
                       "attribute \"" + std::string(names[i]) + "\" repeated in element \"" + e.name() + "\"");
    };
    int depth = 1;
    pugi::xml_node n = top;
    checkAttributes(n);
    for (;;) {
        pugi::xml_node child = n.first_child();
        while (child && child.type() != pugi::node_element)
            child = child.next_sibling();
        if (child) {
            n = child;
            if (++depth > MaxDepth)
                FailAt(name, text, offsetOf(n),
                       "elements nested deeper than " + std::to_string(MaxDepth) + " levels");
            checkAttributes(n);
            continue;
        }
        for (;;) {
            if (n == top)
                goto done;
            pugi::xml_node next = n.next_sibling();
            while (next && next.type() != pugi::node_element)
                next = next.next_sibling();
            if (next) {
                n = next;
                checkAttributes(n);
                break;
            }
            n = n.parent();
            --depth;
        }
    }
done:
    XmlDocument d;
    d.m_impl = std::move(impl);
    return d;
}

bool XmlDocument::IsEmpty() const
{
    return !m_impl || !m_impl->doc.document_element();
}

const std::string& XmlDocument::FileName() const
{
    static const std::string none;
    return m_impl ? m_impl->fileName : none;
}

XmlElement XmlDocument::DocumentElement() const
{
    if (!m_impl)
        return {};
    pugi::xml_node root = m_impl->doc.document_element();
    if (!root)
        return {};
    return XmlElement(m_impl, root.internal_object());
}

// ---- element -------------------------------------------------------------

XmlElement::XmlElement(std::shared_ptr<XmlDocument::Impl> doc, void* node)
    : m_doc(std::move(doc)), m_node(node)
{
}

XmlElement XmlElement::Wrap(void* node) const
{
    if (!node)
        return {};
    return XmlElement(m_doc, node);
}

std::string XmlElement::Name() const
{
    return m_node ? std::string(Node(m_node).name()) : std::string();
}

XmlElement XmlElement::Child(std::string_view name) const
{
    if (!m_node)
        return {};
    for (pugi::xml_node c = Node(m_node).first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element && name == c.name())
            return Wrap(c.internal_object());
    return {};
}

int XmlElement::ChildCount(std::string_view tag) const
{
    if (!m_node)
        return 0;
    auto& cur = m_doc->CursorFor(m_node, tag);
    if (cur.count < 0) {
        int count = 0;
        for (pugi::xml_node c = Node(m_node).first_child(); c; c = c.next_sibling())
            if (c.type() == pugi::node_element && tag == c.name())
                ++count;
        cur.count = count;
    }
    return cur.count;
}

XmlElement XmlElement::ChildAt(std::string_view tag, int index) const
{
    if (!m_node || index < 0)
        return {};
    auto& cur = m_doc->CursorFor(m_node, tag);
    if (cur.count >= 0 && index >= cur.count)
        return {};
    pugi::xml_node c;
    int at;
    if (cur.index >= 0 && cur.index <= index) {
        c = Node(cur.node);
        at = cur.index;
    } else {
        c = Node(m_node).first_child();
        while (c && !(c.type() == pugi::node_element && tag == c.name()))
            c = c.next_sibling();
        at = 0;
    }
    while (c && at < index) {
        c = c.next_sibling();
        while (c && !(c.type() == pugi::node_element && tag == c.name()))
            c = c.next_sibling();
        ++at;
    }
    if (!c)
        return {};
    cur.index = at;
    cur.node = c.internal_object();
    return Wrap(c.internal_object());
}

std::vector<XmlElement> XmlElement::Children(std::string_view tag) const
{
    std::vector<XmlElement> out;
    if (!m_node)
        return out;
    for (pugi::xml_node c = Node(m_node).first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element && tag == c.name())
            out.push_back(Wrap(c.internal_object()));
    return out;
}

std::vector<XmlNode> XmlElement::ChildNodes() const
{
    std::vector<XmlNode> out;
    if (!m_node)
        return out;
    for (pugi::xml_node c = Node(m_node).first_child(); c; c = c.next_sibling()) {
        if (c.type() == pugi::node_element)
            out.emplace_back(Wrap(c.internal_object()));
        else if (IsTextNode(c))
            out.emplace_back(std::string(c.value()));
    }
    return out;
}

bool XmlElement::HasChildNodes() const
{
    if (!m_node)
        return false;
    for (pugi::xml_node c = Node(m_node).first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element || IsTextNode(c))
            return true;
    return false;
}

std::vector<XmlAttribute> XmlElement::Attributes() const
{
    std::vector<XmlAttribute> out;
    if (!m_node)
        return out;
    for (pugi::xml_attribute a = Node(m_node).first_attribute(); a; a = a.next_attribute())
        out.emplace_back(a.name(), a.value());
    return out;
}

bool XmlElement::HasAttribute(std::string_view name) const
{
    if (!m_node)
        return false;
    for (pugi::xml_attribute a = Node(m_node).first_attribute(); a; a = a.next_attribute())
        if (name == a.name())
            return true;
    return false;
}

std::string XmlElement::AttributeText(std::string_view name) const
{
    if (!m_node)
        return {};
    for (pugi::xml_attribute a = Node(m_node).first_attribute(); a; a = a.next_attribute())
        if (name == a.name())
            return a.value();
    return {};
}

int XmlElement::AttributeInteger(std::string_view name) const
{
    if (!m_node)
        return 0;
    for (pugi::xml_attribute a = Node(m_node).first_attribute(); a; a = a.next_attribute()) {
        if (name != a.name())
            continue;
        const std::string_view text = a.value();
        int v = 0;
        switch (ParseWholeNumber(text, v)) {
        case IntParse::Ok:
            return v;
        case IntParse::NotANumber:
            throw XmlConversionError("Element \"" + Name() + "\", attribute \"" + std::string(name) +
                                     "\": the text " + Quoted(text) + " is not a whole number");
        case IntParse::OutOfRange:
            throw XmlConversionError("Element \"" + Name() + "\", attribute \"" + std::string(name) +
                                     "\": the number " + Quoted(text) + " is out of the Integer range");
        }
    }
    return 0;
}

std::string XmlElement::Text() const
{
    std::string out;
    if (!m_node)
        return out;
    for (pugi::xml_node c = Node(m_node).first_child(); c; c = c.next_sibling())
        if (IsTextNode(c))
            out += c.value();
    return out;
}

bool XmlElement::HoldsOnlyText() const
{
    if (!m_node)
        return false;
    bool any = false;
    for (pugi::xml_node c = Node(m_node).first_child(); c; c = c.next_sibling()) {
        if (c.type() == pugi::node_element)
            return false;
        if (IsTextNode(c))
            any = true;
    }
    return any;
}

int XmlElement::TextInteger() const
{
    if (!m_node || !HoldsOnlyText())
        return 0;
    const std::string text = Text();
    int v = 0;
    switch (ParseWholeNumber(text, v)) {
    case IntParse::Ok:
        return v;
    case IntParse::NotANumber:
        throw XmlConversionError("Element \"" + Name() + "\": the text " + Quoted(text) +
                                 " is not a whole number");
    case IntParse::OutOfRange:
        throw XmlConversionError("Element \"" + Name() + "\": the number " + Quoted(text) +
                                 " is out of the Integer range");
    }
    return 0;
}

void XmlElement::RequireElement(std::string_view what) const
{
    if (!m_node)
        throw XmlError("Cannot " + std::string(what) + ": the element is missing from the document");
}

void XmlElement::SetAttribute(std::string_view name, std::string_view text)
{
    RequireElement("set attribute \"" + std::string(name) + "\"");
    ++m_doc->version;
    const std::string key(name);
    pugi::xml_node n = Node(m_node);
    pugi::xml_attribute a = n.attribute(key.c_str());
    if (!a)
        a = n.append_attribute(key.c_str());
    a.set_value(std::string(text).c_str());
}

void XmlElement::SetAttribute(std::string_view name, int value)
{
    SetAttribute(name, std::to_string(value));
}

void XmlElement::SetText(std::string_view text)
{
    RequireElement("set the text");
    ++m_doc->version;
    pugi::xml_node n = Node(m_node);
    // Only text nodes go; child elements stay where they are.
    for (pugi::xml_node c = n.first_child(); c;) {
        pugi::xml_node next = c.next_sibling();
        if (IsTextNode(c))
            n.remove_child(c);
        c = next;
    }
    n.append_child(pugi::node_pcdata).set_value(std::string(text).c_str());
}

void XmlElement::SetText(int value)
{
    SetText(std::to_string(value));
}

XmlElement XmlElement::AppendChild(std::string_view name)
{
    RequireElement("add element \"" + std::string(name) + "\"");
    ++m_doc->version;
    return Wrap(Node(m_node).append_child(std::string(name).c_str()).internal_object());
}

XmlElement XmlElement::InsertChildBefore(std::string_view name, const XmlElement& before)
{
    RequireElement("add element \"" + std::string(name) + "\"");
    if (before.IsNull())
        return AppendChild(name);
    pugi::xml_node b = Node(before.m_node);
    if (b.parent() != Node(m_node))
        throw XmlError("Cannot insert element \"" + std::string(name) + "\": the reference element is not a child of \"" +
                       Name() + "\"");
    ++m_doc->version;
    return Wrap(Node(m_node).insert_child_before(std::string(name).c_str(), b).internal_object());
}

void XmlElement::RemoveChild(const XmlElement& child)
{
    RequireElement("remove a child element");
    if (child.IsNull() || child.m_doc != m_doc || Node(child.m_node).parent() != Node(m_node))
        throw XmlError("Cannot remove element \"" + child.Name() + "\": it is not a child of \"" + Name() + "\"");
    pugi::xml_node& holder = m_doc->removed;
    if (!holder)
        holder = m_doc->doc.append_child("removed");
    ++m_doc->version;
    if (!holder.append_move(Node(child.m_node)))
        throw XmlError("Cannot remove element \"" + child.Name() + "\"");
}

} // namespace platform
