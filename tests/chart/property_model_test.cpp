#include "chart/property_model.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

enum TTestStyle { tsPlain, tsBold, tsWide };
constexpr const char* kStyleNames[] = {"tsPlain", "tsBold", "tsWide"};

// A sub-object created on first read.
class TTestPen {
public:
    static const TPropertyTable<TTestPen>& Properties()
    {
        static const TPropertyTable<TTestPen> table = TPropertyTable<TTestPen>::Of()
                                                          .Property("Color", ColorKind, &TTestPen::Color, clBlack)
                                                          .Property("Width", IntegerKind, &TTestPen::Width, 1);
        return table;
    }
    TColor Color = clBlack;
    int Width = 1;
};

// A sub-object that always exists.
class TTestZoom {
public:
    static const TPropertyTable<TTestZoom>& Properties()
    {
        static const TPropertyTable<TTestZoom> table =
            TPropertyTable<TTestZoom>::Of()
                .Property("Allow", BooleanKind, &TTestZoom::Allow, true)
                .Property("AnimatedSteps", IntegerKind, &TTestZoom::AnimatedSteps, 8);
        return table;
    }
    bool Allow = true;
    int AnimatedSteps = 8;
};

// A chart-like object: plain, per-instance and conditional stored rules, a
// setter that notifies, sub-objects, an obsolete name and a list property.
class TTestShape {
public:
    virtual ~TTestShape() = default;
    virtual const TPropertyTable<TTestShape>& PropertyTable() const { return Properties(); }
    static const TPropertyTable<TTestShape>& Properties()
    {
        static const TPropertyTable<TTestShape> table =
            TPropertyTable<TTestShape>::Of()
                .Changed(&TTestShape::Changed)
                .Updates(&TTestShape::BeginUpdate, &TTestShape::EndUpdate)
                .Property("Angle", FloatKind, &TTestShape::Angle, 0.0)
                .Property("Caption", StringKind, &TTestShape::Caption, "")
                .Property("Color", ColorKind, &TTestShape::Color, TStoredWhen{&TTestShape::IsColorStored})
                .Property("MinimumPixels", IntegerKind, &TTestShape::MinimumPixels, 16)
                .NotAssigned()
                .Object("Pen", &TTestShape::PenIfAny, &TTestShape::Pen, &TTestShape::FreePen, TTestPen::Properties())
                .Defined("PrintMargins", &TTestShape::WriteMargins, &TTestShape::ReadMargins,
                         [](const TTestShape& s) { return s.Margins != std::array<int, 4>{15, 15, 15, 15}; })
                .Property("RoundSize", IntegerKind, &TTestShape::RoundSize, 16)
                .Property("Style", EnumKind(kStyleNames), &TTestShape::Style, tsPlain)
                .Property("Transparent", BooleanKind, &TTestShape::Transparent,
                          TInstanceDefault{&TTestShape::DefaultTransparent})
                .Property("Visible", BooleanKind, TAccessors{&TTestShape::Visible, &TTestShape::SetVisible}, true)
                .Object("Zoom", &TTestShape::ZoomOf, &TTestShape::Zoom, nullptr, TTestZoom::Properties())
                .Obsolete("AllowZoom",
                          [](TTestShape& s, const TPropertyValue& v) { s.Zoom()->Allow = BooleanValue(v); });
        return table;
    }

    bool Visible() const { return m_visible; }
    void SetVisible(bool value)
    {
        if (value == m_visible)
            return;
        m_visible = value;
        Changed();
    }
    TTestPen* Pen()
    {
        if (!m_pen)
            m_pen = std::make_unique<TTestPen>();
        return m_pen.get();
    }
    const TTestPen* PenIfAny() const { return m_pen.get(); }
    void FreePen() { m_pen.reset(); }
    TTestZoom* Zoom() { return &m_zoom; }
    const TTestZoom* ZoomOf() const { return &m_zoom; }
    virtual bool IsColorStored() const { return Color != clWhite; }

    void Changed()
    {
        if (m_updating > 0)
            m_pending = true;
        else
            ++Changes;
    }
    void BeginUpdate() { ++m_updating; }
    void EndUpdate()
    {
        if (--m_updating == 0 && m_pending) {
            m_pending = false;
            ++Changes;
        }
    }

    void WriteMargins(TPropertyWriter& w) const
    {
        w.WriteListBegin();
        for (int m : Margins)
            w.WriteInteger(m);
        w.WriteListEnd();
    }
    void ReadMargins(TPropertyReader& r)
    {
        r.ReadListBegin();
        for (int& m : Margins)
            m = static_cast<int>(r.ReadInteger());
        r.ReadListEnd();
    }

    double Angle = 0;
    std::string Caption;
    TColor Color = clWhite;
    int MinimumPixels = 16;
    int RoundSize = 16;
    TTestStyle Style = tsPlain;
    bool Transparent = false;
    bool DefaultTransparent = false;
    std::array<int, 4> Margins{15, 15, 15, 15};
    int Changes = 0;

private:
    bool m_visible = true;
    std::unique_ptr<TTestPen> m_pen;
    TTestZoom m_zoom;
    int m_updating = 0;
    bool m_pending = false;
};

// A derived class: one more property and another colour it does not store.
class TTestMark : public TTestShape {
public:
    const TPropertyTable<TTestShape>& PropertyTable() const override
    {
        static const TPropertyTable<TTestShape> table =
            TPropertyTable<TTestShape>::Of<TTestMark>(TTestShape::Properties())
                .Property("ArrowLength", IntegerKind, &TTestMark::ArrowLength, 8);
        return table;
    }
    bool IsColorStored() const override { return Color != clYellow; }
    int ArrowLength = 8;
};

// A mark that does not publish the shape's RoundSize nor its pen; a level
// below it knows nothing of the hiding.
class TTestPlainMark : public TTestMark {
public:
    const TPropertyTable<TTestShape>& PropertyTable() const override { return Properties(); }
    static const TPropertyTable<TTestShape>& Properties()
    {
        static const TPropertyTable<TTestShape> table =
            TPropertyTable<TTestShape>::Of<TTestPlainMark>(BaseTable()).Hide({"RoundSize", "Pen"});
        return table;
    }
    static const TPropertyTable<TTestShape>& BaseTable()
    {
        static const TPropertyTable<TTestShape> table =
            TPropertyTable<TTestShape>::Of<TTestMark>(TTestShape::Properties())
                .Property("ArrowLength", IntegerKind, &TTestMark::ArrowLength, 8);
        return table;
    }
};

Bytes Written(const TTestShape& s)
{
    TPropertyWriter w;
    s.PropertyTable().Write(s, w);
    return w.Data();
}

// Name-value pairs through the writer: what is written, in which order.
class Expected {
public:
    Expected& Int(const char* name, int v) { return Name(name).Do([&] { m_w.WriteInteger(v); }); }
    Expected& Bool(const char* name, bool v) { return Name(name).Do([&] { m_w.WriteBoolean(v); }); }
    Expected& Ident(const char* name, const char* v) { return Name(name).Do([&] { m_w.WriteIdent(v); }); }
    Expected& Str(const char* name, const char* v) { return Name(name).Do([&] { m_w.WriteString(v); }); }
    Expected& Float(const char* name, long double v) { return Name(name).Do([&] { m_w.WriteFloat(v); }); }
    Expected& List(const char* name, std::initializer_list<int> values)
    {
        Name(name);
        m_w.WriteListBegin();
        for (int v : values)
            m_w.WriteInteger(v);
        m_w.WriteListEnd();
        return *this;
    }
    Bytes Data() const { return m_w.Data(); }
    // The pairs followed by a list end, as ReadList expects them.
    Bytes AsList() const
    {
        Bytes b = m_w.Data();
        b.push_back(vaNull);
        return b;
    }

private:
    Expected& Name(const char* name)
    {
        m_w.WritePropName(name);
        return *this;
    }
    Expected& Do(const std::function<void()>& f)
    {
        f();
        return *this;
    }
    TPropertyWriter m_w;
};

void ReadAll(TTestShape& s, const Bytes& data, const char* className = "TTestShape")
{
    TPropertyReader r(data);
    s.PropertyTable().ReadList(s, r, className);
    r.ReadListEnd();
    EXPECT_TRUE(r.AtEnd());
}

// Every property away from its default.
void SetAll(TTestShape& s)
{
    s.Angle = 12.25;
    s.Caption = "Müller";
    s.Color = clSystemColorBase + 24;  // clInfoBk
    s.MinimumPixels = 3;
    s.Pen()->Width = 2;
    s.Margins = {1, 2, 3, 4};
    s.RoundSize = 300;
    s.Style = tsWide;
    s.Transparent = true;
    s.SetVisible(false);
    s.Zoom()->AnimatedSteps = 20;
}

Bytes AllWritten()
{
    return Expected()
        .Float("Angle", 12.25L)
        .Str("Caption", "Müller")
        .Ident("Color", "clInfoBk")
        .Int("MinimumPixels", 3)
        .Int("Pen.Width", 2)
        .List("PrintMargins", {1, 2, 3, 4})
        .Int("RoundSize", 300)
        .Ident("Style", "tsWide")
        .Bool("Transparent", true)
        .Bool("Visible", false)
        .Int("Zoom.AnimatedSteps", 20)
        .Data();
}

}  // namespace

TEST(TPropertyTableWrite, DefaultsWriteNothing)
{
    TTestShape s;
    EXPECT_TRUE(Written(s).empty());
    TTestMark m;
    m.Color = clYellow;
    EXPECT_TRUE(Written(m).empty());
}

TEST(TPropertyTableWrite, EveryPropertyInTableOrderWithNestedNames)
{
    TTestShape s;
    SetAll(s);
    EXPECT_EQ(Written(s), AllWritten());
}

TEST(TPropertyTableWrite, ValueEqualToItsStoredDefaultIsNotWritten)
{
    TTestShape s;
    s.RoundSize = 17;
    s.Angle = 0.5;
    EXPECT_EQ(Written(s), Expected().Float("Angle", 0.5L).Int("RoundSize", 17).Data());
    s.RoundSize = 16;
    s.Angle = 0;
    EXPECT_TRUE(Written(s).empty());
    // a sub-object with only default values writes nothing, though it exists
    s.Pen();
    EXPECT_TRUE(Written(s).empty());
}

TEST(TPropertyTableWrite, PerInstanceStoredDefault)
{
    TTestShape plain;
    TTestShape framed;
    framed.DefaultTransparent = true;
    plain.Transparent = true;
    framed.Transparent = true;
    EXPECT_EQ(Written(plain), Expected().Bool("Transparent", true).Data());
    EXPECT_TRUE(Written(framed).empty());
    framed.Transparent = false;
    EXPECT_EQ(Written(framed), Expected().Bool("Transparent", false).Data());
}

TEST(TPropertyTableWrite, ConditionalStoredPredicateOfTheInstancesClass)
{
    TTestShape shape;
    TTestMark mark;
    shape.Color = clYellow;
    mark.Color = clYellow;
    EXPECT_EQ(Written(shape), Expected().Ident("Color", "clYellow").Data());
    EXPECT_TRUE(Written(mark).empty());
    mark.Color = clWhite;
    EXPECT_EQ(Written(mark), Expected().Ident("Color", "clWhite").Data());
    // a colour without a name is written as its integer
    mark.Color = 0x123456;
    EXPECT_EQ(Written(mark), Expected().Int("Color", 0x123456).Data());
}

TEST(TPropertyTableWrite, DerivedClassWritesAfterItsParent)
{
    TTestMark m;
    m.Color = clYellow;  // the mark's colour not stored
    m.ArrowLength = 4;
    m.RoundSize = 5;
    EXPECT_EQ(Written(m), Expected().Int("RoundSize", 5).Int("ArrowLength", 4).Data());
}

TEST(TPropertyTableRead, AnyOrderGivesTheValuesAndWritesBackInTableOrder)
{
    const Bytes data = Expected()
                           .Int("Zoom.AnimatedSteps", 20)
                           .Bool("Visible", false)
                           .Bool("Transparent", true)
                           .Ident("Style", "tsWide")
                           .Int("RoundSize", 300)
                           .List("PrintMargins", {1, 2, 3, 4})
                           .Int("Pen.Width", 2)
                           .Int("MinimumPixels", 3)
                           .Ident("Color", "clInfoBk")
                           .Str("Caption", "Müller")
                           .Float("Angle", 12.25L)
                           .AsList();
    TTestShape s;
    ReadAll(s, data);
    EXPECT_EQ(s.Angle, 12.25);
    EXPECT_EQ(s.Caption, "Müller");
    EXPECT_EQ(s.Color, clSystemColorBase + 24);
    EXPECT_EQ(s.MinimumPixels, 3);
    ASSERT_NE(s.PenIfAny(), nullptr);
    EXPECT_EQ(s.PenIfAny()->Width, 2);
    EXPECT_EQ(s.Margins, (std::array<int, 4>{1, 2, 3, 4}));
    EXPECT_EQ(s.RoundSize, 300);
    EXPECT_EQ(s.Style, tsWide);
    EXPECT_TRUE(s.Transparent);
    EXPECT_FALSE(s.Visible());
    EXPECT_EQ(s.Zoom()->AnimatedSteps, 20);
    EXPECT_EQ(Written(s), AllWritten());
}

TEST(TPropertyTableRead, SubObjectIsCreatedOnFirstRead)
{
    TTestShape s;
    ReadAll(s, Expected().Int("RoundSize", 3).AsList());
    EXPECT_EQ(s.PenIfAny(), nullptr);
    ReadAll(s, Expected().Ident("Pen.Color", "clRed").AsList());
    ASSERT_NE(s.PenIfAny(), nullptr);
    EXPECT_EQ(s.PenIfAny()->Color, clRed);
    EXPECT_EQ(s.PenIfAny()->Width, 1);
}

TEST(TPropertyTableRead, ObsoleteNameIsMappedAndNeverWritten)
{
    TTestShape s;
    ReadAll(s, Expected().Bool("AllowZoom", false).AsList());
    EXPECT_FALSE(s.Zoom()->Allow);
    EXPECT_EQ(Written(s), Expected().Bool("Zoom.Allow", false).Data());
}

TEST(TPropertyTableRead, NamesMatchIgnoringAsciiCase)
{
    TTestShape s;
    ReadAll(s, Expected().Int("ROUNDSIZE", 7).Int("pen.width", 3).Ident("Style", "TSBOLD").Ident("Color", "CLRED").AsList());
    EXPECT_EQ(s.RoundSize, 7);
    EXPECT_EQ(s.Pen()->Width, 3);
    EXPECT_EQ(s.Style, tsBold);
    EXPECT_EQ(s.Color, clRed);
}

TEST(TPropertyTableRead, UnknownNameIsTheStreamReadError)
{
    const struct {
        const char* Name;
        const char* Message;
    } cases[] = {
        {"Bogus", "Error reading TTestShape.Bogus: Property Bogus does not exist"},
        {"Pen.Bogus", "Error reading TTestShape.Pen.Bogus: Property Pen.Bogus does not exist"},
        {"RoundSize.Width", "Error reading TTestShape.RoundSize.Width: Property RoundSize.Width does not exist"},
        {"ArrowLength", "Error reading TTestShape.ArrowLength: Property ArrowLength does not exist"},
    };
    for (const auto& c : cases) {
        TTestShape s;
        try {
            ReadAll(s, Expected().Int(c.Name, 1).AsList());
            ADD_FAILURE() << c.Name << ": no error";
        } catch (const EReadError& e) {
            EXPECT_STREQ(e.what(), c.Message);
        }
    }
    // the derived class knows its own
    TTestMark m;
    ReadAll(m, Expected().Int("ArrowLength", 1).AsList(), "TTestMark");
    EXPECT_EQ(m.ArrowLength, 1);
}

TEST(TPropertyTableRead, WrongValueTypeIsInvalid)
{
    const Bytes cases[] = {
        Expected().Str("RoundSize", "3").AsList(),        Expected().Int("Visible", 1).AsList(),
        Expected().Ident("Style", "tsNarrow").AsList(),   Expected().Ident("Color", "clNoColour").AsList(),
        Expected().Bool("Angle", true).AsList(),          Expected().Int("Caption", 4).AsList(),
        Expected().Int("Pen", 1).AsList(),                Expected().Int("PrintMargins", 1).AsList(),
    };
    for (const Bytes& data : cases) {
        TTestShape s;
        try {
            ReadAll(s, data);
            ADD_FAILURE() << "no error";
        } catch (const EReadError& e) {
            // a list property meets a value that is no list: the stream's own error
            const std::string text = e.what();
            EXPECT_TRUE(text == "Invalid property value" || text == "Stream read error") << text;
        }
    }
    // an integer beyond the field's type
    TPropertyWriter w;
    w.WritePropName("RoundSize");
    w.WriteInteger(std::int64_t{1} << 40);
    Bytes big = w.Data();
    big.push_back(vaNull);
    TTestShape s;
    EXPECT_THROW(ReadAll(s, big), EReadError);
}

TEST(TPropertyTableAssign, CopiesEveryDeclaredPropertyAndNotifiesOnce)
{
    TTestShape source;
    SetAll(source);
    TTestShape target;
    target.Changes = 0;
    target.PropertyTable().Assign(target, source);
    EXPECT_EQ(target.Changes, 1);
    // all but MinimumPixels (not assigned) and the list (stream only)
    target.MinimumPixels = 3;
    target.Margins = source.Margins;
    EXPECT_EQ(Written(target), AllWritten());
    // nothing changes a second time: no notification
    target.PropertyTable().Assign(target, source);
    EXPECT_EQ(target.Changes, 1);
}

TEST(TPropertyTableAssign, SourceWithoutSubObjectFreesTheTargets)
{
    TTestShape source;
    TTestShape target;
    target.Pen()->Width = 5;
    target.PropertyTable().Assign(target, source);
    EXPECT_EQ(target.PenIfAny(), nullptr);
}

TEST(TPropertyTableAssign, OnlyTheLevelsTheSourceBelongsTo)
{
    TTestShape shape;
    shape.RoundSize = 3;
    TTestMark mark;
    mark.ArrowLength = 2;
    mark.PropertyTable().Assign(mark, shape);
    EXPECT_EQ(mark.RoundSize, 3);
    EXPECT_EQ(mark.ArrowLength, 2);
    TTestMark other;
    other.ArrowLength = 9;
    mark.PropertyTable().Assign(mark, other);
    EXPECT_EQ(mark.ArrowLength, 9);
}

TEST(TPropertyTableSet, UnchangedValueDoesNothing)
{
    TTestShape s;
    TPropertyValue v;
    v.Type = vaInt8;
    v.Int = 16;
    EXPECT_TRUE(s.PropertyTable().Set(s, "RoundSize", v));
    EXPECT_EQ(s.Changes, 0);
    v.Int = 12;
    EXPECT_TRUE(s.PropertyTable().Set(s, "RoundSize", v));
    EXPECT_EQ(s.RoundSize, 12);
    EXPECT_EQ(s.Changes, 1);
    v.Type = vaTrue;
    EXPECT_TRUE(s.PropertyTable().Set(s, "Visible", v));
    EXPECT_EQ(s.Changes, 1);
    EXPECT_FALSE(s.PropertyTable().Set(s, "Missing", v));
}

TEST(TPropertyTableDefaults, LoadStoredDefaultsGivesPlainAndPerInstanceDefaults)
{
    TTestMark m;
    m.RoundSize = 3;
    m.ArrowLength = 1;
    m.DefaultTransparent = true;
    m.Color = clRed;
    m.Style = tsBold;
    m.PropertyTable().LoadStoredDefaults(m);
    EXPECT_EQ(m.RoundSize, 16);
    EXPECT_EQ(m.ArrowLength, 8);
    EXPECT_TRUE(m.Transparent);
    EXPECT_EQ(m.Style, tsPlain);
    // a conditional rule names no default
    EXPECT_EQ(m.Color, clRed);
}

TEST(TPropertyValues, ColoursAsTheStreamStoresThem)
{
    TPropertyWriter w;
    WriteColor(w, clSystemColorBase + 15);
    WriteColor(w, clNone);
    WriteColor(w, clDefault);
    WriteColor(w, 0x00808001);
    TPropertyReader r(w.Data());
    for (TColor expected : {clSystemColorBase + 15, clNone, clDefault, TColor{0x00808001}})
        EXPECT_EQ(ColorValue(r.ReadValue()), expected);
    TPropertyWriter names;
    WriteColor(names, clSystemColorBase + 15);
    TPropertyWriter ident;
    ident.WriteIdent("clBtnFace");
    EXPECT_EQ(names.Data(), ident.Data());
    // system colours written as integers by others are negative 32-bit values
    TPropertyWriter raw;
    raw.WriteInteger(static_cast<std::int32_t>(clSystemColorBase + 24));
    TPropertyReader rr(raw.Data());
    EXPECT_EQ(ColorValue(rr.ReadValue()), clSystemColorBase + 24);
}

namespace {

// Lambdas as accessors, and a property written even at its default.
struct TTestLabel {
    static const TPropertyTable<TTestLabel>& Properties()
    {
        static const TPropertyTable<TTestLabel> table =
            TPropertyTable<TTestLabel>::Of()
                .Property("Size", IntegerKind,
                          TAccessors{[](const TTestLabel& l) { return l.Size / 10; },
                                     [](TTestLabel& l, int v) { l.Size = v * 10; }},
                          0)
                .Property("Text", StringKind, &TTestLabel::Text, AlwaysStored);
        return table;
    }
    int Size = 0;  // tenths
    std::string Text;
};

}  // namespace

TEST(TPropertyTableWrite, LambdaAccessorsAndAlwaysStored)
{
    TTestLabel label;
    TPropertyWriter w;
    TTestLabel::Properties().Write(label, w);
    EXPECT_EQ(w.Data(), Expected().Str("Text", "").Data());

    TTestLabel read;
    const Bytes data = Expected().Int("Size", 4).Str("Text", "a").AsList();
    TPropertyReader r(data);
    TTestLabel::Properties().ReadList(read, r, "TTestLabel");
    EXPECT_EQ(read.Size, 40);
    EXPECT_EQ(read.Text, "a");
    TPropertyWriter again;
    TTestLabel::Properties().Write(read, again);
    EXPECT_EQ(again.Data(), Expected().Int("Size", 4).Str("Text", "a").Data());
}

TEST(TPropertyTableHide, HiddenInheritedPropertiesAreNeitherWrittenNorRead)
{
    TTestPlainMark m;
    m.Color = clYellow;  // the mark's colour not stored
    m.RoundSize = 5;
    m.Pen()->Width = 3;
    m.Angle = 0.5;
    m.ArrowLength = 2;
    EXPECT_EQ(Written(m), Expected().Float("Angle", 0.5L).Int("ArrowLength", 2).Data());
    for (const char* name : {"RoundSize", "roundsize", "Pen.Width"}) {
        TTestPlainMark r;
        EXPECT_THROW(ReadAll(r, Expected().Int(name, 1).AsList(), "TTestPlainMark"), EReadError) << name;
    }
    TTestPlainMark r;
    ReadAll(r, Expected().Float("Angle", 0.5L).Int("ArrowLength", 2).AsList(), "TTestPlainMark");
    EXPECT_EQ(r.Angle, 0.5);
    EXPECT_EQ(r.ArrowLength, 2);
    // the parent's own table still streams them
    EXPECT_NE(TTestPlainMark::BaseTable().Find("RoundSize"), nullptr);
    EXPECT_EQ(TTestPlainMark::Properties().Find("RoundSize"), nullptr);
}

TEST(TPropertyTableHide, HiddenPropertyKeepsItsValueOnDefaultsAndIsStillAssigned)
{
    TTestPlainMark m;
    m.RoundSize = 40;
    m.Properties().LoadStoredDefaults(m);
    EXPECT_EQ(m.RoundSize, 40);
    TTestPlainMark source;
    source.RoundSize = 7;
    m.Properties().Assign(m, source);
    EXPECT_EQ(m.RoundSize, 7);
}
