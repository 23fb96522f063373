#include "core/color_names.h"
#include "core/text_routines.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The colour-constant names of study documents, in matching order.
const char* const kExpectedNames =
    "clnone, cldefault, clblack, clmaroon, clgreen, clolive, clnavy, clpurple, clteal, clgray, "
    "clsilver, clred, cllime, clyellow, clblue, clfuchsia, claqua, clltgray, cldkgray, clwhite, "
    "clmoneygreen, clskyblue, clcream, clmedgray, clscrollbar, clbackground, clactivecaption, "
    "clinactivecaption, clmenu, clwindow, clwindowframe, clmenutext, clwindowtext, clcaptiontext, "
    "clactiveborder, clinactiveborder, clappworkspace, clhighlight, clhighlighttext, clbtnface, "
    "clbtnshadow, clgraytext, clbtntext, clinactivecaptiontext, clbtnhighlight, cl3ddkshadow, "
    "cl3dlight, clinfotext, clinfobk, clhotlight, clgradientactivecaption, "
    "clgradientinactivecaption, clmenuhighlight, clmenubar, clwebsnow, clwebfloralwhite, "
    "clweblavenderblush, clweboldlace, clwebivory, clwebcornsilk, clwebbeige, clwebantiquewhite, "
    "clwebwheat, clwebaliceblue, clwebghostwhite, clweblavender, clwebseashell, clweblightyellow, "
    "clwebpapayawhip, clwebnavajowhite, clwebmoccasin, clwebburlywood, clwebazure, clwebmintcream, "
    "clwebhoneydew, clweblinen, clweblemonchiffon, clwebblanchedalmond, clwebbisque, "
    "clwebpeachpuff, clwebtan, clwebyellow, clwebdarkorange, clwebred, clwebdarkred, clwebmaroon, "
    "clwebindianred, clwebsalmon, clwebcoral, clwebgold, clwebtomato, clwebcrimson, clwebbrown, "
    "clwebchocolate, clwebsandybrown, clweblightsalmon, clweblightcoral, clweborange, "
    "clweborangered, clwebfirebrick, clwebsaddlebrown, clwebsienna, clwebperu, clwebdarksalmon, "
    "clwebrosybrown, clwebpalegoldenrod, clweblightgoldenrodyellow, clwebolive, clwebforestgreen, "
    "clwebgreenyellow, clwebchartreuse, clweblightgreen, clwebaquamarine, clwebseagreen, "
    "clwebgoldenrod, clwebkhaki, clwebolivedrab, clwebgreen, clwebyellowgreen, clweblawngreen, "
    "clwebpalegreen, clwebmediumaquamarine, clwebmediumseagreen, clwebdarkgoldenrod, "
    "clwebdarkkhaki, clwebdarkolivegreen, clwebdarkgreen, clweblimegreen, clweblime, "
    "clwebspringgreen, clwebmediumspringgreen, clwebdarkseagreen, clweblightseagreen, "
    "clwebpaleturquoise, clweblightcyan, clweblightblue, clweblightskyblue, clwebcornflowerblue, "
    "clwebdarkblue, clwebindigo, clwebmediumturquoise, clwebturquoise, clwebcyan, clwebaqua, "
    "clwebpowderblue, clwebskyblue, clwebroyalblue, clwebmediumblue, clwebmidnightblue, "
    "clwebdarkturquoise, clwebcadetblue, clwebdarkcyan, clwebteal, clwebdeepskyblue, "
    "clwebdodgerblue, clwebblue, clwebnavy, clwebdarkviolet, clwebdarkorchid, clwebmagenta, "
    "clwebfuchsia, clwebdarkmagenta, clwebmediumvioletred, clwebpalevioletred, clwebblueviolet, "
    "clwebmediumorchid, clwebmediumpurple, clwebpurple, clwebdeeppink, clweblightpink, "
    "clwebviolet, clweborchid, clwebplum, clwebthistle, clwebhotpink, clwebpink, "
    "clweblightsteelblue, clwebmediumslateblue, clweblightslategray, clwebwhite, clweblightgrey, "
    "clwebgray, clwebsteelblue, clwebslateblue, clwebslategray, clwebwhitesmoke, clwebsilver, "
    "clwebdimgray, clwebmistyrose, clwebdarkslateblue, clwebdarkslategray, clwebgainsboro, "
    "clwebdarkgray, clwebblack";

std::vector<std::string> expectedNames()
{
    std::vector<std::string> names;
    std::istringstream in(kExpectedNames);
    std::string name;
    while (std::getline(in, name, ',')) {
        if (!name.empty() && name.front() == ' ')
            name.erase(0, 1);
        names.push_back(name);
    }
    return names;
}

} // namespace

TEST(ColorNameTable, HoldsExactlyTheNamesInOrder)
{
    const auto table = ColorNames();
    const std::vector<std::string> expected = expectedNames();
    ASSERT_EQ(expected.size(), 194u);
    ASSERT_EQ(table.size(), 194u);
    for (std::size_t i = 0; i < table.size(); ++i)
        EXPECT_EQ(table[i].Name, expected[i]) << "position " << i;
    EXPECT_EQ(table.front().Name, "clnone");
    EXPECT_EQ(table.back().Name, "clwebblack");
    std::set<std::string_view> unique;
    for (const TColorName& entry : table)
        unique.insert(entry.Name);
    EXPECT_EQ(unique.size(), 194u);
}

TEST(ColorNameTable, EveryNameButNoneHasAColour)
{
    for (const TColorName& entry : ColorNames()) {
        const TColor value = ColorNameToColor(entry.Name);
        EXPECT_EQ(value, entry.Value) << entry.Name;
        if (entry.Name != "clnone") {
            EXPECT_NE(value, clNone) << entry.Name;
        }
    }
    EXPECT_EQ(ColorNameToColor("clnone"), 0x1FFFFFFFu);
    EXPECT_EQ(ColorNameToColor("cldefault"), 0x20000000u);
}

TEST(ColorNameToColor, StandardColoursAndExtras)
{
    struct Case {
        const char* name;
        TColor value;
    };
    const std::vector<Case> cases{
        {"clblack", 0x000000}, {"clmaroon", 0x000080}, {"clgreen", 0x008000}, {"clolive", 0x008080},
        {"clnavy", 0x800000}, {"clpurple", 0x800080}, {"clteal", 0x808000}, {"clgray", 0x808080},
        {"clsilver", 0xC0C0C0}, {"clred", 0x0000FF}, {"cllime", 0x00FF00}, {"clyellow", 0x00FFFF},
        {"clblue", 0xFF0000}, {"clfuchsia", 0xFF00FF}, {"claqua", 0xFFFF00}, {"clwhite", 0xFFFFFF},
        {"clltgray", 0xC0C0C0}, {"cldkgray", 0x808080}, {"clmoneygreen", 0xC0DCC0},
        {"clskyblue", 0xF0CAA6}, {"clcream", 0xF0FBFF}, {"clmedgray", 0xA4A0A0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ColorNameToColor(c.name), c.value) << c.name;
}

TEST(ColorNameToColor, SystemColoursCarryTheirIndex)
{
    EXPECT_EQ(ColorNameToColor("clscrollbar"), 0xFF000000u);
    EXPECT_EQ(ColorNameToColor("clbackground"), 0xFF000001u);
    EXPECT_EQ(ColorNameToColor("clwindow"), 0xFF000005u);
    EXPECT_EQ(ColorNameToColor("clwindowtext"), 0xFF000008u);
    EXPECT_EQ(ColorNameToColor("clbtnface"), 0xFF00000Fu);
    EXPECT_EQ(ColorNameToColor("clinfotext"), 0xFF000017u);
    EXPECT_EQ(ColorNameToColor("clinfobk"), 0xFF000018u);
    // Index 25 has no name.
    EXPECT_EQ(ColorNameToColor("clhotlight"), 0xFF00001Au);
    EXPECT_EQ(ColorNameToColor("clgradientactivecaption"), 0xFF00001Bu);
    EXPECT_EQ(ColorNameToColor("clmenuhighlight"), 0xFF00001Du);
    EXPECT_EQ(ColorNameToColor("clmenubar"), 0xFF00001Eu);
    int system = 0;
    for (const TColorName& entry : ColorNames())
        if ((entry.Value & 0xFF000000u) == 0xFF000000u)
            ++system;
    EXPECT_EQ(system, 30);
}

TEST(ColorNameToColor, WebColoursAreTheCssColours)
{
    // Red, green, blue (decimal) from the CSS Color Module's named-colour table.
    struct Case {
        const char* name;
        int r, g, b;
    };
    const std::vector<Case> cases{
        {"clwebdarkorange", 255, 140, 0}, {"clwebgreen", 0, 128, 0}, {"clweblime", 0, 255, 0},
        {"clweblightgrey", 211, 211, 211}, {"clwebgray", 128, 128, 128},
        {"clwebdarkgray", 169, 169, 169}, {"clwebdimgray", 105, 105, 105},
        {"clwebsilver", 192, 192, 192}, {"clwebnavy", 0, 0, 128}, {"clwebmaroon", 128, 0, 0},
        {"clwebmediumpurple", 147, 112, 219}, {"clwebcornflowerblue", 100, 149, 237},
        {"clwebtomato", 255, 99, 71}, {"clwebteal", 0, 128, 128}, {"clwebcyan", 0, 255, 255},
        {"clwebaqua", 0, 255, 255}, {"clwebmagenta", 255, 0, 255}, {"clwebfuchsia", 255, 0, 255},
        {"clwebpapayawhip", 255, 239, 213}, {"clwebgoldenrod", 218, 165, 32},
        {"clwebindigo", 75, 0, 130}, {"clwebsienna", 160, 82, 45},
        {"clwebdarkslategray", 47, 79, 79}, {"clwebmidnightblue", 25, 25, 112},
        {"clwebpalevioletred", 219, 112, 147}, {"clweblightslategray", 119, 136, 153},
        {"clwebwhitesmoke", 245, 245, 245}, {"clwebsnow", 255, 250, 250},
        {"clwebblack", 0, 0, 0}, {"clwebwhite", 255, 255, 255}, {"clwebred", 255, 0, 0},
        {"clwebblue", 0, 0, 255}, {"clwebyellow", 255, 255, 0}, {"clwebolive", 128, 128, 0},
        {"clwebpurple", 128, 0, 128}, {"clweborange", 255, 165, 0}, {"clweborangered", 255, 69, 0},
        {"clwebgold", 255, 215, 0}, {"clwebcrimson", 220, 20, 60}, {"clwebchartreuse", 127, 255, 0},
        {"clweblawngreen", 124, 252, 0}, {"clwebspringgreen", 0, 255, 127},
        {"clwebmediumspringgreen", 0, 250, 154}, {"clwebforestgreen", 34, 139, 34},
        {"clwebseagreen", 46, 139, 87}, {"clwebdarkgreen", 0, 100, 0},
        {"clwebdeepskyblue", 0, 191, 255}, {"clwebdodgerblue", 30, 144, 255},
        {"clwebroyalblue", 65, 105, 225}, {"clwebsteelblue", 70, 130, 180},
        {"clwebslateblue", 106, 90, 205}, {"clwebmediumslateblue", 123, 104, 238},
        {"clwebdarkslateblue", 72, 61, 139}, {"clwebblueviolet", 138, 43, 226},
        {"clwebdarkviolet", 148, 0, 211}, {"clwebdeeppink", 255, 20, 147},
        {"clwebhotpink", 255, 105, 180}, {"clweblightpink", 255, 182, 193},
        {"clwebpink", 255, 192, 203}, {"clwebsalmon", 250, 128, 114},
        {"clwebdarksalmon", 233, 150, 122}, {"clweblightsalmon", 255, 160, 122},
        {"clwebcoral", 255, 127, 80}, {"clwebfirebrick", 178, 34, 34}, {"clwebbrown", 165, 42, 42},
        {"clwebchocolate", 210, 105, 30}, {"clwebsaddlebrown", 139, 69, 19},
        {"clwebperu", 205, 133, 63}, {"clwebtan", 210, 180, 140}, {"clwebkhaki", 240, 230, 140},
        {"clwebdarkkhaki", 189, 183, 107}, {"clwebbeige", 245, 245, 220},
        {"clwebivory", 255, 255, 240}, {"clweblavender", 230, 230, 250},
        {"clwebthistle", 216, 191, 216}, {"clwebplum", 221, 160, 221}, {"clwebviolet", 238, 130, 238},
        {"clweborchid", 218, 112, 214}, {"clwebturquoise", 64, 224, 208},
        {"clwebaquamarine", 127, 255, 212}, {"clwebgainsboro", 220, 220, 220},
        {"clwebmistyrose", 255, 228, 225}, {"clweblightgoldenrodyellow", 250, 250, 210},
        {"clwebdarkgoldenrod", 184, 134, 11}, {"clwebrosybrown", 188, 143, 143},
        {"clweboldlace", 253, 245, 230}, {"clwebmintcream", 245, 255, 250},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ColorNameToColor(c.name), RGB(c.r, c.g, c.b)) << c.name;
    EXPECT_EQ(ColorNameToColor("clwebdarkorange"), 0x008CFFu);
}

TEST(ColorNameToColor, MatchedWithoutCaseButNotTrimmed)
{
    EXPECT_EQ(ColorNameToColor("ClRed"), 0x0000FFu);
    EXPECT_EQ(ColorNameToColor("CLWEBDARKORANGE"), 0x008CFFu);
    EXPECT_EQ(ColorNameToColor(" ClRed"), clNone);
    EXPECT_EQ(ColorNameToColor("clred "), clNone);
    EXPECT_EQ(ColorNameToColor(""), clNone);
    EXPECT_EQ(ColorNameToColor("red"), clNone);
    // Names absent from the list: CSS spellings it does not carry.
    EXPECT_EQ(ColorNameToColor("clweblightgray"), clNone);
    EXPECT_EQ(ColorNameToColor("clwebgrey"), clNone);
    EXPECT_EQ(ColorNameToColor("clwebrebeccapurple"), clNone);
    EXPECT_EQ(ColorNameToColor("clréd"), clNone);
}
