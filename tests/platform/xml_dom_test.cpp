#include "platform/xml_dom.h"

#include <gtest/gtest.h>

#include <string>

using platform::XmlConversionError;
using platform::XmlDocument;
using platform::XmlElement;
using platform::XmlError;
using platform::XmlNodeKind;
using platform::XmlParseError;

namespace {

XmlDocument Load(const std::string& text)
{
    return XmlDocument::LoadFromBytes(text, "test.xml");
}

std::string Utf16(const std::u16string& s, bool bigEndian)
{
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t c : s) {
        const char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    }
    return out;
}

} // namespace

TEST(XmlDomNavigation, ChildrenAttributesAndText)
{
    XmlDocument doc = Load("<a x=\"1\" y=\"dos\"><b>t</b><c id=\"1\"/>mid<c id=\"2\"/><d/></a>");
    XmlElement a = doc.DocumentElement();
    ASSERT_FALSE(a.IsNull());
    EXPECT_EQ(a.Name(), "a");
    EXPECT_EQ(a.Child("b").Text(), "t");
    EXPECT_TRUE(a.Child("b").HoldsOnlyText());
    EXPECT_FALSE(a.HoldsOnlyText());
    EXPECT_FALSE(a.Child("d").HoldsOnlyText());
    EXPECT_EQ(a.ChildCount("c"), 2);
    EXPECT_EQ(a.ChildAt("c", 1).AttributeInteger("id"), 2);
    EXPECT_TRUE(a.ChildAt("c", 2).IsNull());
    EXPECT_TRUE(a.ChildAt("c", -1).IsNull());
    EXPECT_EQ(a.Children("c").size(), 2u);

    const auto attrs = a.Attributes();
    ASSERT_EQ(attrs.size(), 2u);
    EXPECT_EQ(attrs[0].Name(), "x");
    EXPECT_EQ(attrs[1].Name(), "y");
    EXPECT_EQ(attrs[1].Text(), "dos");
    EXPECT_TRUE(a.HasAttribute("x"));
    EXPECT_FALSE(a.HasAttribute("X")); // names are case-sensitive

    const auto nodes = a.ChildNodes();
    ASSERT_EQ(nodes.size(), 5u);
    EXPECT_EQ(nodes[0].Kind(), XmlNodeKind::Element);
    EXPECT_EQ(nodes[0].Element().Name(), "b");
    EXPECT_EQ(nodes[2].Kind(), XmlNodeKind::Text);
    EXPECT_EQ(nodes[2].Text(), "mid");
    EXPECT_EQ(nodes[4].Element().Name(), "d");
    EXPECT_EQ(a.Text(), "mid");
}

TEST(XmlDomNavigation, MissingChildIsNullAndNeverInserted)
{
    XmlDocument doc = Load("<a><b/></a>");
    XmlElement a = doc.DocumentElement();
    XmlElement missing = a.Child("zz").Child("yy").Child("xx");
    EXPECT_TRUE(missing.IsNull());
    EXPECT_EQ(missing.Name(), "");
    EXPECT_EQ(missing.Text(), "");
    EXPECT_EQ(missing.AttributeText("q"), "");
    EXPECT_EQ(missing.AttributeInteger("q"), 0);
    EXPECT_EQ(missing.TextInteger(), 0);
    EXPECT_EQ(missing.ChildCount("x"), 0);
    EXPECT_TRUE(missing.ChildNodes().empty());
    EXPECT_TRUE(missing.Attributes().empty());
    EXPECT_FALSE(missing.HasChildNodes());
    // The document still has one child only.
    EXPECT_EQ(a.ChildNodes().size(), 1u);
    EXPECT_TRUE(a.Child("zz").IsNull());
}

TEST(XmlDomNavigation, HandlesKeepTheDocumentAlive)
{
    XmlElement b;
    {
        XmlDocument doc = Load("<a><b k=\"v\">text</b></a>");
        b = doc.DocumentElement().Child("b");
    }
    EXPECT_EQ(b.AttributeText("k"), "v");
    EXPECT_EQ(b.Text(), "text");
}

TEST(XmlDomNavigation, EmptyDocumentHasNullRoot)
{
    XmlDocument doc;
    EXPECT_TRUE(doc.IsEmpty());
    EXPECT_TRUE(doc.DocumentElement().IsNull());
    EXPECT_EQ(doc.FileName(), "");
}

TEST(XmlDomIntegers, StrictConversion)
{
    XmlDocument doc = Load("<e a=\" 42 \" b=\"-7\" c=\"+3\" d=\"2147483647\" m=\"-2147483648\"/>");
    XmlElement e = doc.DocumentElement();
    EXPECT_EQ(e.AttributeInteger("a"), 42);
    EXPECT_EQ(e.AttributeInteger("b"), -7);
    EXPECT_EQ(e.AttributeInteger("c"), 3);
    EXPECT_EQ(e.AttributeInteger("d"), 2147483647);
    EXPECT_EQ(e.AttributeInteger("m"), -2147483647 - 1);
    EXPECT_EQ(e.AttributeInteger("absent"), 0);
}

TEST(XmlDomIntegers, NonNumbersRaiseNamingElementAttributeAndText)
{
    for (const char* bad : {"abc", "1.5", "1,5", "", "  ", "12x", "-", "0x10", "1 2"}) {
        XmlDocument doc = Load(std::string("<samplesize min=\"") + bad + "\"/>");
        try {
            doc.DocumentElement().AttributeInteger("min");
            ADD_FAILURE() << "no error for \"" << bad << "\"";
        } catch (const XmlConversionError& e) {
            const std::string m = e.what();
            EXPECT_NE(m.find("\"samplesize\""), std::string::npos) << m;
            EXPECT_NE(m.find("\"min\""), std::string::npos) << m;
            EXPECT_NE(m.find(std::string("\"") + bad + "\""), std::string::npos) << m;
        }
    }
}

TEST(XmlDomIntegers, OverflowIsAnError)
{
    XmlDocument doc = Load("<e a=\"2147483648\" b=\"-2147483649\" c=\"99999999999999999999999\"/>");
    XmlElement e = doc.DocumentElement();
    EXPECT_THROW(e.AttributeInteger("a"), XmlConversionError);
    EXPECT_THROW(e.AttributeInteger("b"), XmlConversionError);
    EXPECT_THROW(e.AttributeInteger("c"), XmlConversionError);
}

TEST(XmlDomIntegers, ElementText)
{
    XmlDocument doc = Load("<s><time> 120\n</time><bad>doce</bad><empty/></s>");
    XmlElement s = doc.DocumentElement();
    EXPECT_EQ(s.Child("time").TextInteger(), 120);
    EXPECT_EQ(s.Child("empty").TextInteger(), 0);
    EXPECT_EQ(s.Child("absent").TextInteger(), 0);
    try {
        s.Child("bad").TextInteger();
        ADD_FAILURE();
    } catch (const XmlConversionError& e) {
        const std::string m = e.what();
        EXPECT_NE(m.find("\"bad\""), std::string::npos) << m;
        EXPECT_NE(m.find("\"doce\""), std::string::npos) << m;
    }
}

TEST(XmlDomWriting, SettersAndNewChildren)
{
    XmlDocument doc = Load("<a x=\"1\"><i n=\"1\"/><i n=\"3\"/></a>");
    XmlElement a = doc.DocumentElement();
    a.SetAttribute("x", "uno");
    a.SetAttribute("z", 5);
    EXPECT_EQ(a.AttributeText("x"), "uno");
    EXPECT_EQ(a.AttributeInteger("z"), 5);

    XmlElement mid = a.InsertChildBefore("i", a.ChildAt("i", 1));
    mid.SetAttribute("n", 2);
    XmlElement last = a.AppendChild("i");
    last.SetText(4);
    EXPECT_EQ(a.ChildCount("i"), 4);
    EXPECT_EQ(a.ChildAt("i", 1).AttributeInteger("n"), 2);
    EXPECT_EQ(a.ChildAt("i", 3).TextInteger(), 4);
    a.ChildAt("i", 0).SetText("Año");
    EXPECT_EQ(a.ChildAt("i", 0).Text(), "Año");
    // Text replaces text only; handles to child elements stay valid.
    XmlElement kept = a.ChildAt("i", 3);
    a.SetText("nuevo");
    a.SetText("otro");
    EXPECT_EQ(a.Text(), "otro");
    EXPECT_EQ(a.ChildCount("i"), 4);
    EXPECT_EQ(kept.TextInteger(), 4);
    EXPECT_THROW(a.InsertChildBefore("i", a.ChildAt("i", 0).AppendChild("deep")), XmlError);
}

TEST(XmlDomWriting, RemovedChildLeavesTheDocumentAndItsHandleStaysReadable)
{
    XmlDocument doc = Load("<a><i n=\"1\"/>t<i n=\"2\"><d>x</d></i><j/><i n=\"3\"/></a>");
    XmlElement a = doc.DocumentElement();
    XmlElement second = a.ChildAt("i", 1);
    XmlElement deep = second.Child("d");
    EXPECT_EQ(a.ChildCount("i"), 3); // primes the lookup cursor
    a.RemoveChild(second);
    EXPECT_EQ(a.ChildCount("i"), 2);
    EXPECT_EQ(a.ChildAt("i", 0).AttributeInteger("n"), 1);
    EXPECT_EQ(a.ChildAt("i", 1).AttributeInteger("n"), 3);
    EXPECT_TRUE(a.ChildAt("i", 2).IsNull());
    ASSERT_EQ(a.ChildNodes().size(), 4u); // i, t, j, i
    EXPECT_EQ(a.ChildNodes()[1].Text(), "t");
    EXPECT_EQ(a.ChildNodes()[2].Element().Name(), "j");
    // the removed subtree is still there for the handles that hold it
    EXPECT_EQ(second.AttributeInteger("n"), 2);
    EXPECT_EQ(deep.Text(), "x");
    EXPECT_EQ(doc.DocumentElement(), a);

    a.RemoveChild(a.ChildAt("i", 0));
    a.RemoveChild(a.ChildAt("i", 0));
    EXPECT_EQ(a.ChildCount("i"), 0);
    EXPECT_EQ(a.ChildCount("j"), 1);
    EXPECT_EQ(a.Text(), "t");
}

TEST(XmlDomWriting, RemovingWhatIsNoChildRaises)
{
    XmlDocument doc = Load("<a><b><c/></b></a>");
    XmlDocument other = Load("<a><b/></a>");
    XmlElement a = doc.DocumentElement();
    XmlElement b = a.Child("b");
    EXPECT_THROW(a.RemoveChild(b.Child("c")), XmlError);           // grandchild
    EXPECT_THROW(a.RemoveChild(other.DocumentElement().Child("b")), XmlError);
    EXPECT_THROW(a.RemoveChild(a.Child("none")), XmlError);         // null element
    EXPECT_THROW(a.Child("none").RemoveChild(b), XmlError);         // null parent
    a.RemoveChild(b);
    EXPECT_THROW(a.RemoveChild(b), XmlError);                       // already gone
    EXPECT_TRUE(a.Child("b").IsNull());
    EXPECT_EQ(b.Child("c").Name(), "c");
}

TEST(XmlDomWriting, WritingToANullElementRaises)
{
    XmlDocument doc = Load("<a/>");
    XmlElement missing = doc.DocumentElement().Child("b");
    EXPECT_THROW(missing.SetAttribute("x", "1"), XmlError);
    EXPECT_THROW(missing.SetText("t"), XmlError);
    EXPECT_THROW(missing.AppendChild("c"), XmlError);
    EXPECT_TRUE(doc.DocumentElement().ChildNodes().empty());
}

// ---- encodings ---------------------------------------------------------

TEST(XmlDomEncodings, Utf8WithAndWithoutBom)
{
    const std::string body = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><v n=\"ñandú\">Año ¿á é í ó ú Ñ ü ¡</v>";
    for (const std::string& text : {body, "\xEF\xBB\xBF" + body}) {
        XmlElement v = Load(text).DocumentElement();
        EXPECT_EQ(v.AttributeText("n"), "ñandú");
        EXPECT_EQ(v.Text(), "Año ¿á é í ó ú Ñ ü ¡");
    }
}

TEST(XmlDomEncodings, Utf16WithBom)
{
    const std::u16string body = u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<v n=\"ñandú\">Año \U0001F600</v>";
    for (bool be : {false, true}) {
        XmlElement v = Load(Utf16(body, be)).DocumentElement();
        EXPECT_EQ(v.AttributeText("n"), "ñandú") << be;
        EXPECT_EQ(v.Text(), "Año \xF0\x9F\x98\x80") << be;
    }
}

TEST(XmlDomEncodings, Latin1ByDeclaration)
{
    // "Año" and "ñandú" in ISO-8859-1: ñ = F1, ú = FA.
    const std::string text = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>"
                             "<v n=\"\xF1" "and\xFA\">A\xF1o \xBF\xA1\xDC\xD1</v>";
    XmlElement v = Load(text).DocumentElement();
    EXPECT_EQ(v.AttributeText("n"), "ñandú");
    EXPECT_EQ(v.Text(), "Año ¿¡ÜÑ");
}

TEST(XmlDomEncodings, Latin1DeclarationReadsWindowsPunctuation)
{
    // Quotes and the euro sign saved by a Windows editor under a Latin-1 declaration.
    const std::string text = "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>"
                             "<v>\x93" "A\xF1o\x94 \x80\x81</v>";
    EXPECT_EQ(Load(text).DocumentElement().Text(), "“Año” €\xC2\x81");
}

TEST(XmlDomEncodings, Windows1252ByDeclaration)
{
    const std::string text = "<?xml version='1.0' encoding='windows-1252'?>"
                             "<v n='\xF1" "and\xFA'>\x80 \x93" "A\xF1o\x94 \x85\x81</v>";
    XmlElement v = Load(text).DocumentElement();
    EXPECT_EQ(v.AttributeText("n"), "ñandú");
    EXPECT_EQ(v.Text(), "€ “Año” …\xC2\x81");
}

TEST(XmlDomEncodings, InvalidUtf8AndUnknownEncodingsFail)
{
    EXPECT_THROW(Load("<v>A\xF1o</v>"), XmlParseError);
    EXPECT_THROW(Load("<?xml version=\"1.0\" encoding=\"EBCDIC\"?><v/>"), XmlParseError);
    EXPECT_THROW(Load(std::string("\xFF\xFE<\0v", 5)), XmlParseError); // odd length
}

// ---- bad documents -----------------------------------------------------

TEST(XmlDomErrors, ParseErrorsCarryFileLineAndColumn)
{
    try {
        XmlDocument::LoadFromBytes("<a>\n  <b>\n  </c>\n</a>", "estudio.xml");
        FAIL();
    } catch (const XmlParseError& e) {
        EXPECT_EQ(e.FileName(), "estudio.xml");
        EXPECT_EQ(e.Line(), 3);
        EXPECT_GE(e.Column(), 3);
        const std::string m = e.what();
        EXPECT_NE(m.find("estudio.xml"), std::string::npos) << m;
        EXPECT_NE(m.find("line 3"), std::string::npos) << m;
    }
}

TEST(XmlDomErrors, ColumnCountsCharacters)
{
    try {
        Load("<a n=\"ñññ\" <");
        FAIL();
    } catch (const XmlParseError& e) {
        EXPECT_EQ(e.Line(), 1);
        EXPECT_EQ(e.Column(), 12);
    }
}

TEST(XmlDomErrors, BadDocuments)
{
    EXPECT_THROW(Load(""), XmlParseError);
    EXPECT_THROW(Load("   \n"), XmlParseError);
    EXPECT_THROW(Load("esto no es XML"), XmlParseError);
    EXPECT_THROW(Load("<vexa><app ver=\"1\"><init form=\"pop\"/></app>"), XmlParseError);
    EXPECT_THROW(Load("<a/><b/>"), XmlParseError);
    EXPECT_THROW(Load("<a x=2/>"), XmlParseError);
    EXPECT_THROW(Load("<a x=\"1\" y=\"2\" x=\"3\"/>"), XmlParseError); // repeated attribute
    EXPECT_THROW(Load("texto<a/>"), XmlParseError);
    EXPECT_THROW(Load("<a/>texto"), XmlParseError);
    EXPECT_THROW(Load("<?xml version=\"1.0\"?><!-- solo un comentario -->"), XmlParseError);
    EXPECT_NO_THROW(Load("<?xml version=\"1.0\"?>\n<!-- c -->\n<a><!-- c --><?pi x?></a>\n<!-- fin -->\n"));
}

TEST(XmlDomErrors, NulAndForbiddenCharacterReferencesFail)
{
    // A NUL would silently cut the document or a text short.
    EXPECT_THROW(Load(std::string("<a/>\0<b/>", 9)), XmlParseError);
    EXPECT_THROW(Load(std::string("<a x=\"1\0\"/>", 11)), XmlParseError);
    EXPECT_THROW(Load(Utf16(std::u16string(u"<a>x\0y</a>", 10), false)), XmlParseError);
    EXPECT_THROW(Load("<a x=\"1&#0;2\"/>"), XmlParseError);
    EXPECT_THROW(Load("<a>ab&#x0000;cd</a>"), XmlParseError);
    // No surrogates and nothing past U+10FFFF: texts stay valid UTF-8.
    EXPECT_THROW(Load("<a>&#xD800;</a>"), XmlParseError);
    EXPECT_THROW(Load("<a>&#x110000;</a>"), XmlParseError);
    EXPECT_THROW(Load("<a>&#99999999999999999999;</a>"), XmlParseError);
    EXPECT_THROW(Load("<a>&#1;</a>"), XmlParseError);
    try {
        Load("<a>\n  <b>&#0;</b></a>");
        FAIL();
    } catch (const XmlParseError& e) {
        EXPECT_EQ(e.Line(), 2);
        EXPECT_EQ(e.Column(), 6);
    }

    // Allowed references, and reference-like text where none is read.
    XmlElement a = Load("<a x=\"&#65;&#x10FFFF;\">&#9;&#xFFFD;<![CDATA[&#0;]]><!-- &#0; --><?p &#0;?></a>")
                       .DocumentElement();
    EXPECT_EQ(a.AttributeText("x"), "A\xF4\x8F\xBF\xBF");
    EXPECT_EQ(a.Text(), "\t\xEF\xBF\xBD&#0;");
}

TEST(XmlDomErrors, MissingFile)
{
    try {
        XmlDocument::LoadFromFile("/nonexistent/dir/estudio.xml");
        FAIL();
    } catch (const XmlError& e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent/dir/estudio.xml"), std::string::npos);
    }
    EXPECT_THROW(XmlDocument::LoadFromFile(VEXA_SOURCE_DIR), XmlError); // a folder
}

TEST(XmlDomLimits, DeepNestingFailsClearly)
{
    const int levels = 100000;
    std::string text;
    text.reserve(levels * 8);
    for (int i = 0; i < levels; ++i)
        text += "<n>";
    for (int i = 0; i < levels; ++i)
        text += "</n>";
    try {
        Load(text);
        FAIL();
    } catch (const XmlParseError& e) {
        EXPECT_NE(std::string(e.what()).find("1000"), std::string::npos) << e.what();
    }

    std::string ok;
    for (int i = 0; i < XmlDocument::MaxDepth; ++i)
        ok += "<n>";
    for (int i = 0; i < XmlDocument::MaxDepth; ++i)
        ok += "</n>";
    EXPECT_NO_THROW(Load(ok));
}

TEST(XmlDomLimits, ListsWalkedByIndexInLinearTime)
{
    const int n = 100000; // quadratic walking would take many seconds
    std::string text = "<p>";
    for (int i = 0; i < n; ++i)
        text += "<c v=\"" + std::to_string(i) + "\"/><d/>";
    text += "</p>";
    XmlElement p = Load(text).DocumentElement();
    long long sum = 0;
    for (int i = 0; i < p.ChildCount("c"); ++i) {
        sum += p.ChildAt("c", i).AttributeInteger("v");
        if (i % 1000 == 0) {
            EXPECT_FALSE(p.ChildAt("d", i).IsNull()); // another list in between
        }
    }
    EXPECT_EQ(sum, static_cast<long long>(n) * (n - 1) / 2);
    EXPECT_EQ(p.ChildAt("c", n - 1).AttributeInteger("v"), n - 1);
    EXPECT_EQ(p.ChildAt("c", 5).AttributeInteger("v"), 5); // going back
    EXPECT_TRUE(p.ChildAt("c", n).IsNull());
    p.AppendChild("c").SetAttribute("v", -1);
    EXPECT_EQ(p.ChildCount("c"), n + 1);
    EXPECT_EQ(p.ChildAt("c", n).AttributeInteger("v"), -1);
}

TEST(XmlDomLimits, MegabyteAttribute)
{
    const std::string big(1 << 20, 'x');
    XmlElement e = Load("<e a=\"" + big + "\"/>").DocumentElement();
    EXPECT_EQ(e.AttributeText("a").size(), big.size());
    try {
        e.AttributeInteger("a");
        FAIL();
    } catch (const XmlConversionError& err) {
        EXPECT_LT(std::string(err.what()).size(), 200u); // the text is shortened
    }
}
