#include "chart/property_model.h"

#include "base/name_matching.h"

namespace {

struct TColorIdent {
    const char* Name;
    TColor Value;
};

constexpr TColor Sys(TColor index)
{
    return clSystemColorBase + index;
}

// The colour identifiers of the stream, as the class library spells them.
constexpr TColorIdent kColorIdents[] = {
    {"clBlack", clBlack}, {"clMaroon", clMaroon}, {"clGreen", clGreen}, {"clOlive", clOlive},
    {"clNavy", clNavy}, {"clPurple", clPurple}, {"clTeal", clTeal}, {"clGray", clGray},
    {"clSilver", clSilver}, {"clRed", clRed}, {"clLime", clLime}, {"clYellow", clYellow},
    {"clBlue", clBlue}, {"clFuchsia", clFuchsia}, {"clAqua", clAqua}, {"clWhite", clWhite},
    {"clMoneyGreen", clMoneyGreen}, {"clSkyBlue", clSkyBlue}, {"clCream", clCream},
    {"clMedGray", clMedGray},
    {"clActiveBorder", Sys(10)}, {"clActiveCaption", Sys(2)}, {"clAppWorkSpace", Sys(12)},
    {"clBackground", Sys(1)}, {"clBtnFace", Sys(15)}, {"clBtnHighlight", Sys(20)}, {"clBtnShadow", Sys(16)},
    {"clBtnText", Sys(18)}, {"clCaptionText", Sys(9)}, {"clDefault", clDefault},
    {"clGradientActiveCaption", Sys(27)}, {"clGradientInactiveCaption", Sys(28)}, {"clGrayText", Sys(17)},
    {"clHighlight", Sys(13)}, {"clHighlightText", Sys(14)}, {"clHotLight", Sys(26)},
    {"clInactiveBorder", Sys(11)}, {"clInactiveCaption", Sys(3)}, {"clInactiveCaptionText", Sys(19)},
    {"clInfoBk", Sys(24)}, {"clInfoText", Sys(23)}, {"clMenu", Sys(4)}, {"clMenuBar", Sys(30)},
    {"clMenuHighlight", Sys(29)}, {"clMenuText", Sys(7)}, {"clNone", clNone}, {"clScrollBar", Sys(0)},
    {"cl3DDkShadow", Sys(21)}, {"cl3DLight", Sys(22)}, {"clWindow", Sys(5)}, {"clWindowFrame", Sys(6)},
    {"clWindowText", Sys(8)}};

}  // namespace

void InvalidPropertyValue()
{
    throw EReadError("Invalid property value");
}

bool BooleanValue(const TPropertyValue& Value)
{
    if (!Value.IsBoolean())
        InvalidPropertyValue();
    return Value.Type == vaTrue;
}

std::int64_t IntegerValue(const TPropertyValue& Value, std::int64_t Min, std::int64_t Max)
{
    if (!Value.IsInteger() || Value.Int < Min || Value.Int > Max)
        InvalidPropertyValue();
    return Value.Int;
}

long double FloatValue(const TPropertyValue& Value)
{
    if (Value.Type == vaExtended || Value.Type == vaSingle)
        return Value.Float;
    if (Value.IsInteger())
        return static_cast<long double>(Value.Int);
    InvalidPropertyValue();
}

std::string StringValue(const TPropertyValue& Value)
{
    if (!Value.IsString())
        InvalidPropertyValue();
    return Value.Str;
}

int EnumValue(const TPropertyValue& Value, std::span<const char* const> Names)
{
    if (Value.Type != vaIdent)
        InvalidPropertyValue();
    for (std::size_t i = 0; i < Names.size(); ++i)
        if (SameTextAscii(Value.Str, Names[i]))
            return static_cast<int>(i);
    InvalidPropertyValue();
}

TColor ColorValue(const TPropertyValue& Value)
{
    if (Value.Type == vaIdent) {
        for (const auto& c : kColorIdents)
            if (SameTextAscii(Value.Str, c.Name))
                return c.Value;
        InvalidPropertyValue();
    }
    // stored as a 32-bit integer: system colours are negative
    return static_cast<TColor>(static_cast<std::int32_t>(IntegerValue(Value, INT32_MIN, INT32_MAX)));
}

void WriteColor(TPropertyWriter& Writer, TColor Value)
{
    for (const auto& c : kColorIdents) {
        if (c.Value == Value) {
            Writer.WriteIdent(c.Name);
            return;
        }
    }
    Writer.WriteInteger(static_cast<std::int32_t>(Value));
}

std::string property_detail::JoinName(std::string_view Prefix, const std::string& Name)
{
    std::string out(Prefix);
    out += Name;
    return out;
}

bool property_detail::SameName(std::string_view a, std::string_view b)
{
    return SameTextAscii(a, b);
}

void property_detail::UnknownProperty(std::string_view ClassName, std::string_view Name)
{
    const std::string name(Name);
    throw EReadError("Error reading " + std::string(ClassName) + "." + name + ": Property " + name + " does not exist");
}
