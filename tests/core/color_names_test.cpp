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
    // The operating system's COLOR_* indexes (index 25 has no name).
    struct Case {
        const char* name;
        unsigned index;
    };
    const std::vector<Case> cases{
        {"clscrollbar", 0}, {"clbackground", 1}, {"clactivecaption", 2}, {"clinactivecaption", 3},
        {"clmenu", 4}, {"clwindow", 5}, {"clwindowframe", 6}, {"clmenutext", 7},
        {"clwindowtext", 8}, {"clcaptiontext", 9}, {"clactiveborder", 10}, {"clinactiveborder", 11},
        {"clappworkspace", 12}, {"clhighlight", 13}, {"clhighlighttext", 14}, {"clbtnface", 15},
        {"clbtnshadow", 16}, {"clgraytext", 17}, {"clbtntext", 18}, {"clinactivecaptiontext", 19},
        {"clbtnhighlight", 20}, {"cl3ddkshadow", 21}, {"cl3dlight", 22}, {"clinfotext", 23},
        {"clinfobk", 24}, {"clhotlight", 26}, {"clgradientactivecaption", 27},
        {"clgradientinactivecaption", 28}, {"clmenuhighlight", 29}, {"clmenubar", 30},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ColorNameToColor(c.name), 0xFF000000u + c.index) << c.name;
    EXPECT_EQ(ColorNameToColor("clbtnface"), 0xFF00000Fu);
    int system = 0;
    for (const TColorName& entry : ColorNames())
        if ((entry.Value & 0xFF000000u) == 0xFF000000u)
            ++system;
    EXPECT_EQ(system, 30);
}

TEST(ColorNameToColor, WebColoursAreTheCssColours)
{
    // Every CSS name with its "#RRGGBB" value from the CSS Color Module's
    // named-colour table, in the order of the colour-constant list.
    struct Case {
        const char* css;
        const char* hex;
    };
    const std::vector<Case> cases{
        {"snow", "#FFFAFA"}, {"floralwhite", "#FFFAF0"}, {"lavenderblush", "#FFF0F5"},
        {"oldlace", "#FDF5E6"}, {"ivory", "#FFFFF0"}, {"cornsilk", "#FFF8DC"},
        {"beige", "#F5F5DC"}, {"antiquewhite", "#FAEBD7"}, {"wheat", "#F5DEB3"},
        {"aliceblue", "#F0F8FF"}, {"ghostwhite", "#F8F8FF"}, {"lavender", "#E6E6FA"},
        {"seashell", "#FFF5EE"}, {"lightyellow", "#FFFFE0"}, {"papayawhip", "#FFEFD5"},
        {"navajowhite", "#FFDEAD"}, {"moccasin", "#FFE4B5"}, {"burlywood", "#DEB887"},
        {"azure", "#F0FFFF"}, {"mintcream", "#F5FFFA"}, {"honeydew", "#F0FFF0"},
        {"linen", "#FAF0E6"}, {"lemonchiffon", "#FFFACD"}, {"blanchedalmond", "#FFEBCD"},
        {"bisque", "#FFE4C4"}, {"peachpuff", "#FFDAB9"}, {"tan", "#D2B48C"}, {"yellow", "#FFFF00"},
        {"darkorange", "#FF8C00"}, {"red", "#FF0000"}, {"darkred", "#8B0000"},
        {"maroon", "#800000"}, {"indianred", "#CD5C5C"}, {"salmon", "#FA8072"},
        {"coral", "#FF7F50"}, {"gold", "#FFD700"}, {"tomato", "#FF6347"}, {"crimson", "#DC143C"},
        {"brown", "#A52A2A"}, {"chocolate", "#D2691E"}, {"sandybrown", "#F4A460"},
        {"lightsalmon", "#FFA07A"}, {"lightcoral", "#F08080"}, {"orange", "#FFA500"},
        {"orangered", "#FF4500"}, {"firebrick", "#B22222"}, {"saddlebrown", "#8B4513"},
        {"sienna", "#A0522D"}, {"peru", "#CD853F"}, {"darksalmon", "#E9967A"},
        {"rosybrown", "#BC8F8F"}, {"palegoldenrod", "#EEE8AA"},
        {"lightgoldenrodyellow", "#FAFAD2"}, {"olive", "#808000"}, {"forestgreen", "#228B22"},
        {"greenyellow", "#ADFF2F"}, {"chartreuse", "#7FFF00"}, {"lightgreen", "#90EE90"},
        {"aquamarine", "#7FFFD4"}, {"seagreen", "#2E8B57"}, {"goldenrod", "#DAA520"},
        {"khaki", "#F0E68C"}, {"olivedrab", "#6B8E23"}, {"green", "#008000"},
        {"yellowgreen", "#9ACD32"}, {"lawngreen", "#7CFC00"}, {"palegreen", "#98FB98"},
        {"mediumaquamarine", "#66CDAA"}, {"mediumseagreen", "#3CB371"},
        {"darkgoldenrod", "#B8860B"}, {"darkkhaki", "#BDB76B"}, {"darkolivegreen", "#556B2F"},
        {"darkgreen", "#006400"}, {"limegreen", "#32CD32"}, {"lime", "#00FF00"},
        {"springgreen", "#00FF7F"}, {"mediumspringgreen", "#00FA9A"}, {"darkseagreen", "#8FBC8F"},
        {"lightseagreen", "#20B2AA"}, {"paleturquoise", "#AFEEEE"}, {"lightcyan", "#E0FFFF"},
        {"lightblue", "#ADD8E6"}, {"lightskyblue", "#87CEFA"}, {"cornflowerblue", "#6495ED"},
        {"darkblue", "#00008B"}, {"indigo", "#4B0082"}, {"mediumturquoise", "#48D1CC"},
        {"turquoise", "#40E0D0"}, {"cyan", "#00FFFF"}, {"aqua", "#00FFFF"},
        {"powderblue", "#B0E0E6"}, {"skyblue", "#87CEEB"}, {"royalblue", "#4169E1"},
        {"mediumblue", "#0000CD"}, {"midnightblue", "#191970"}, {"darkturquoise", "#00CED1"},
        {"cadetblue", "#5F9EA0"}, {"darkcyan", "#008B8B"}, {"teal", "#008080"},
        {"deepskyblue", "#00BFFF"}, {"dodgerblue", "#1E90FF"}, {"blue", "#0000FF"},
        {"navy", "#000080"}, {"darkviolet", "#9400D3"}, {"darkorchid", "#9932CC"},
        {"magenta", "#FF00FF"}, {"fuchsia", "#FF00FF"}, {"darkmagenta", "#8B008B"},
        {"mediumvioletred", "#C71585"}, {"palevioletred", "#DB7093"}, {"blueviolet", "#8A2BE2"},
        {"mediumorchid", "#BA55D3"}, {"mediumpurple", "#9370DB"}, {"purple", "#800080"},
        {"deeppink", "#FF1493"}, {"lightpink", "#FFB6C1"}, {"violet", "#EE82EE"},
        {"orchid", "#DA70D6"}, {"plum", "#DDA0DD"}, {"thistle", "#D8BFD8"}, {"hotpink", "#FF69B4"},
        {"pink", "#FFC0CB"}, {"lightsteelblue", "#B0C4DE"}, {"mediumslateblue", "#7B68EE"},
        {"lightslategray", "#778899"}, {"white", "#FFFFFF"}, {"lightgrey", "#D3D3D3"},
        {"gray", "#808080"}, {"steelblue", "#4682B4"}, {"slateblue", "#6A5ACD"},
        {"slategray", "#708090"}, {"whitesmoke", "#F5F5F5"}, {"silver", "#C0C0C0"},
        {"dimgray", "#696969"}, {"mistyrose", "#FFE4E1"}, {"darkslateblue", "#483D8B"},
        {"darkslategray", "#2F4F4F"}, {"gainsboro", "#DCDCDC"}, {"darkgray", "#A9A9A9"},
        {"black", "#000000"},
    };
    ASSERT_EQ(cases.size(), 140u);
    std::set<std::string> covered;
    for (const Case& c : cases) {
        const std::string name = std::string("clweb") + c.css;
        const unsigned long rrggbb = std::stoul(std::string(c.hex + 1), nullptr, 16);
        const TColor expected = RGB(static_cast<std::uint8_t>(rrggbb >> 16),
                                    static_cast<std::uint8_t>(rrggbb >> 8),
                                    static_cast<std::uint8_t>(rrggbb));
        EXPECT_EQ(ColorNameToColor(name), expected) << name;
        covered.insert(name);
    }
    // The table holds no other web colour.
    for (const TColorName& entry : ColorNames())
        if (entry.Name.substr(0, 5) == "clweb") {
            EXPECT_TRUE(covered.count(std::string(entry.Name))) << entry.Name;
        }
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
