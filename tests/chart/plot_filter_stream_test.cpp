#include "chart/plot_filters.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// Value encodings of the binary property format, written out by hand.
Bytes Int8(int v) { return {2, static_cast<std::uint8_t>(static_cast<std::int8_t>(v))}; }
Bytes Int16(int v)
{
    const auto u = static_cast<std::uint16_t>(static_cast<std::int16_t>(v));
    return {3, static_cast<std::uint8_t>(u & 0xFF), static_cast<std::uint8_t>(u >> 8)};
}
Bytes Int32(std::int32_t v)
{
    const auto u = static_cast<std::uint32_t>(v);
    return {4, static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8), static_cast<std::uint8_t>(u >> 16),
            static_cast<std::uint8_t>(u >> 24)};
}
const Bytes False{8};
const Bytes True{9};
Bytes Ident(const std::string& s)
{
    Bytes b{7, static_cast<std::uint8_t>(s.size())};
    b.insert(b.end(), s.begin(), s.end());
    return b;
}

struct Item {
    std::string Class;
    std::vector<std::pair<std::string, Bytes>> Properties;
};

void AppendName(Bytes& out, const std::string& s)
{
    out.push_back(static_cast<std::uint8_t>(s.size()));
    out.insert(out.end(), s.begin(), s.end());
}

// A collection as the class library writes it: one list per item, "ItemClass" first.
Bytes Collection(const std::vector<Item>& items)
{
    Bytes out{14};
    for (const Item& item : items) {
        out.push_back(1);
        AppendName(out, "ItemClass");
        out.push_back(6);
        AppendName(out, item.Class);
        for (const auto& [name, value] : item.Properties) {
            AppendName(out, name);
            out.insert(out.end(), value.begin(), value.end());
        }
        out.push_back(0);
    }
    out.push_back(0);
    return out;
}

TPlotFilter* Add(TPlotPicture& p, const char* name)
{
    return p.Filters()->Add(*FindFilterClass(name));
}

// Every filter class, each with properties away from their defaults.
void FillAllFilters(TPlotPicture& p)
{
    Add(p, "TInvertFilter")->SetEnabled(false);
    static_cast<TGrayScaleFilter*>(Add(p, "TGrayScaleFilter"))->Method = gmEye;
    auto* mosaic = static_cast<TMosaicFilter*>(Add(p, "TMosaicFilter"));
    mosaic->Amount = 5;  // the published default, though created with 8
    mosaic->Percent = false;
    TPlotFilter* flip = Add(p, "TFlipFilter");
    flip->Region()->Left = 3;
    flip->Region()->Width = 200;
    TPlotFilter* reverse = Add(p, "TReverseFilter");
    reverse->Region()->Height = -70000;
    reverse->Region()->Top = 1;
    auto* bright = static_cast<TBrightnessFilter*>(Add(p, "TBrightnessFilter"));
    bright->Amount = 300;
    bright->Percent = false;
    static_cast<TContrastFilter*>(Add(p, "TContrastFilter"))->Amount = -20;
    auto* color = static_cast<TColorFilter*>(Add(p, "TColorFilter"));
    color->Red = 10;
    color->Green = -5;
    color->Blue = 255;
    auto* hls = static_cast<THueLumSatFilter*>(Add(p, "THueLumSatFilter"));
    hls->Hue = 1;
    hls->Luminance = 2;
    hls->Saturation = 3;
    auto* blur = static_cast<TBlurFilter*>(Add(p, "TBlurFilter"));
    blur->Amount = 4;
    blur->Steps = 2;
    Add(p, "TSharpenFilter");
    auto* gamma = static_cast<TGammaCorrectionFilter*>(Add(p, "TGammaCorrectionFilter"));
    gamma->Amount = 5;
    gamma->Percent = false;
    Add(p, "TEmbossFilter");
    Add(p, "TSoftenFilter");
    auto* crop = static_cast<TCropFilter*>(Add(p, "TCropFilter"));
    crop->Width = 30;
    crop->Height = 40;
    crop->Left = 1;
    crop->Top = 2;
    crop->Smooth = true;
    auto* resize = static_cast<TResizeFilter*>(Add(p, "TResizeFilter"));
    resize->Width = 640;
    resize->Height = 480;
    auto* rotate = static_cast<TRotateFilter*>(Add(p, "TRotateFilter"));
    rotate->Angle = 12.25;
    rotate->AutoSize = false;
    rotate->BackColor = clNone;
    static_cast<TRotateFilter*>(Add(p, "TRotateFilter"))->BackColor = 0x123456;
    static_cast<TMirrorFilter*>(Add(p, "TMirrorFilter"))->Direction = mdRight;
    auto* tile = static_cast<TTileFilter*>(Add(p, "TTileFilter"));
    tile->NumCols = 2;
    tile->NumRows = 5;
    auto* bevel = static_cast<TBevelFilter*>(Add(p, "TBevelFilter"));
    bevel->Bright = 100;
    bevel->Size = 7;
    auto* zoom = static_cast<TZoomFilter*>(Add(p, "TZoomFilter"));
    zoom->Percent = 33.5;
    zoom->Smooth = true;
}

// 12.25 = 1.53125 x 2^3 and 33.5 = 1.046875 x 2^5 as 80-bit extended:
// 64-bit mantissa with explicit integer bit, then the exponent biased by 16383.
const Bytes Ext12_25{5, 0, 0, 0, 0, 0, 0, 0, 0xC4, 0x02, 0x40};
const Bytes Ext33_5{5, 0, 0, 0, 0, 0, 0, 0, 0x86, 0x04, 0x40};

std::vector<Item> AllFiltersExpected()
{
    return {
        {"TInvertFilter", {{"Enabled", False}}},
        {"TGrayScaleFilter", {{"Method", Ident("gmEye")}}},
        {"TMosaicFilter", {{"Percent", False}}},
        {"TFlipFilter", {{"Region.Left", Int8(3)}, {"Region.Width", Int16(200)}}},
        {"TReverseFilter", {{"Region.Height", Int32(-70000)}, {"Region.Top", Int8(1)}}},
        {"TBrightnessFilter", {{"Amount", Int16(300)}, {"Percent", False}}},
        {"TContrastFilter", {{"Amount", Int8(-20)}}},
        {"TColorFilter", {{"Blue", Int16(255)}, {"Green", Int8(-5)}, {"Red", Int8(10)}}},
        {"THueLumSatFilter", {{"Hue", Int8(1)}, {"Luminance", Int8(2)}, {"Saturation", Int8(3)}}},
        {"TBlurFilter", {{"Amount", Int8(4)}, {"Steps", Int8(2)}}},
        {"TSharpenFilter", {}},
        {"TGammaCorrectionFilter", {{"Amount", Int8(5)}, {"Percent", False}}},
        {"TEmbossFilter", {}},
        {"TSoftenFilter", {}},
        {"TCropFilter",
         {{"Height", Int8(40)}, {"Width", Int8(30)}, {"Left", Int8(1)}, {"Smooth", True}, {"Top", Int8(2)}}},
        {"TResizeFilter", {{"Height", Int16(480)}, {"Width", Int16(640)}}},
        {"TRotateFilter", {{"Angle", Ext12_25}, {"AutoSize", False}, {"BackColor", Ident("clNone")}}},
        {"TRotateFilter", {{"BackColor", Int32(0x123456)}}},
        {"TMirrorFilter", {{"Direction", Ident("mdRight")}}},
        {"TTileFilter", {{"NumCols", Int8(2)}, {"NumRows", Int8(5)}}},
        {"TBevelFilter", {{"Bright", Int8(100)}, {"Size", Int8(7)}}},
        {"TZoomFilter", {{"Percent", Ext33_5}, {"Smooth", True}}},
    };
}

}  // namespace

TEST(TFilterItemsBytes, EveryFilterWritesItsPropertiesInTheFixedOrder)
{
    TPlotPicture picture;
    FillAllFilters(picture);
    EXPECT_EQ(picture.WriteFilterItems(), Collection(AllFiltersExpected()));
}

TEST(TFilterItemsBytes, WrittenReadAndWrittenAgainGivesTheSameBytes)
{
    TPlotPicture picture;
    FillAllFilters(picture);
    const Bytes first = picture.WriteFilterItems();
    TPlotPicture copy;
    copy.ReadFilterItems(first);
    ASSERT_EQ(copy.Filters()->Count(), picture.Filters()->Count());
    EXPECT_EQ(copy.WriteFilterItems(), first);
    // a copy made by Assign writes the same bytes too
    TPlotPicture assigned;
    assigned.Assign(&picture);
    EXPECT_EQ(assigned.WriteFilterItems(), first);
}

TEST(TFilterItemsBytes, DefaultFiltersWriteOnlyTheirClass)
{
    TPlotPicture picture;
    std::vector<Item> expected;
    for (const TFilterClass* cls : PlotFilterClasses()) {
        picture.Filters()->Add(*cls);
        // Mosaic is created with Amount 8 against its published default 5
        if (cls->ClassName == "TMosaicFilter")
            expected.push_back({cls->ClassName, {{"Amount", Int8(8)}}});
        else
            expected.push_back({cls->ClassName, {}});
    }
    EXPECT_EQ(picture.WriteFilterItems(), Collection(expected));
}

TEST(TFilterItemsBytes, PropertiesReadInAnyOrder)
{
    const Bytes data = Collection({
        {"TCropFilter",
         {{"Top", Int8(2)}, {"Smooth", True}, {"Region.Width", Int8(9)}, {"Width", Int8(30)}, {"Enabled", False},
          {"Left", Int8(1)}, {"Height", Int8(40)}}},
        {"TRotateFilter", {{"BackColor", Ident("clNone")}, {"Angle", Ext12_25}}},
    });
    TPlotPicture picture;
    picture.ReadFilterItems(data);
    ASSERT_EQ(picture.Filters()->Count(), 2);
    auto* crop = static_cast<TCropFilter*>(picture.Filters()->Item(0));
    EXPECT_EQ(crop->Top, 2);
    EXPECT_TRUE(crop->Smooth);
    EXPECT_EQ(crop->Width, 30);
    EXPECT_EQ(crop->Height, 40);
    EXPECT_EQ(crop->Left, 1);
    EXPECT_FALSE(crop->Enabled());
    ASSERT_TRUE(crop->HasRegion());
    EXPECT_EQ(crop->Region()->Width, 9);
    auto* rotate = static_cast<TRotateFilter*>(picture.Filters()->Item(1));
    EXPECT_EQ(rotate->Angle, 12.25);
    EXPECT_EQ(rotate->BackColor, clNone);
    // written back in the fixed order
    EXPECT_EQ(picture.WriteFilterItems(),
              Collection({{"TCropFilter",
                           {{"Enabled", False}, {"Region.Width", Int8(9)}, {"Height", Int8(40)}, {"Width", Int8(30)},
                            {"Left", Int8(1)}, {"Smooth", True}, {"Top", Int8(2)}}},
                          {"TRotateFilter", {{"Angle", Ext12_25}, {"BackColor", Ident("clNone")}}}}));
}

TEST(TFilterItemsBytes, UnknownPropertyIsTheStreamReadError)
{
    TPlotPicture picture;
    Add(picture, "TInvertFilter");
    const Bytes data = Collection({{"TTileFilter", {{"NumCols", Int8(2)}, {"Columns", Int8(4)}}}});
    try {
        picture.ReadFilterItems(data);
        FAIL() << "no error";
    } catch (const EReadError& e) {
        EXPECT_STREQ(e.what(), "Error reading TTileFilter.Columns: Property Columns does not exist");
    }
    // the old list stays
    ASSERT_EQ(picture.Filters()->Count(), 1);
    EXPECT_EQ(picture.Filters()->Item(0)->ClassName(), "TInvertFilter");
}

TEST(TFilterItemsBytes, WrongValueTypeIsAReadError)
{
    TPlotPicture picture;
    EXPECT_THROW(picture.ReadFilterItems(Collection({{"TTileFilter", {{"NumCols", True}}}})), EReadError);
    EXPECT_THROW(picture.ReadFilterItems(Collection({{"TMirrorFilter", {{"Direction", Ident("mdSideways")}}}})),
                 EReadError);
    EXPECT_THROW(picture.ReadFilterItems(Collection({{"TRotateFilter", {{"BackColor", Ident("clNoSuchColour")}}}})),
                 EReadError);
    EXPECT_FALSE(picture.HasFilters());
}

TEST(TFilterItemsBytes, MosaicWithThePublishedDefaultAmountReadsBackUnchanged)
{
    // Amount 5 is Mosaic's stored default, so it is left out of the stream;
    // the reader must not leave the 8 the class is created with
    TPlotPicture picture;
    static_cast<TMosaicFilter*>(Add(picture, "TMosaicFilter"))->Amount = 5;
    const Bytes data = picture.WriteFilterItems();
    EXPECT_EQ(data, Collection({{"TMosaicFilter", {}}}));
    TPlotPicture copy;
    copy.ReadFilterItems(data);
    EXPECT_EQ(static_cast<TMosaicFilter*>(copy.Filters()->Item(0))->Amount, 5);
    // one written by the class with its creation value says so
    copy.ReadFilterItems(Collection({{"TMosaicFilter", {{"Amount", Int8(8)}}}}));
    EXPECT_EQ(static_cast<TMosaicFilter*>(copy.Filters()->Item(0))->Amount, 8);
}

TEST(TFilterAssign, CopiesThePropertiesOfTheClassesBothShare)
{
    TBrightnessFilter bright;
    bright.Amount = 40;
    bright.Percent = false;
    bright.SetEnabled(false);
    bright.Region()->Top = 7;
    TMosaicFilter mosaic;
    mosaic.Assign(bright);
    EXPECT_EQ(mosaic.Amount, 40);
    EXPECT_FALSE(mosaic.Percent);
    EXPECT_FALSE(mosaic.Enabled());
    ASSERT_TRUE(mosaic.HasRegion());
    EXPECT_EQ(mosaic.Region()->Top, 7);

    // a crop takes a resize's size, keeps its own Left; a region-less source frees the region
    TResizeFilter resize;
    resize.Width = 10;
    TCropFilter crop;
    crop.Left = 3;
    crop.Region()->Left = 1;
    crop.Assign(resize);
    EXPECT_EQ(crop.Width, 10);
    EXPECT_EQ(crop.Left, 3);
    EXPECT_FALSE(crop.HasRegion());

    // unrelated classes share only Enabled and Region
    TTileFilter tile;
    tile.NumCols = 9;
    TBevelFilter bevel;
    bevel.Assign(tile);
    EXPECT_EQ(bevel.Size, 15);
}

TEST(TFilterAssign, ReadPropertyByNameSetsOneProperty)
{
    TBlurFilter blur;
    TPropertyValue amount;
    amount.Type = vaInt32;
    amount.Int = 6;
    EXPECT_TRUE(blur.ReadProperty("Amount", amount));
    EXPECT_EQ(blur.Amount, 6);
    EXPECT_TRUE(blur.ReadProperty("Region.Left", amount));
    EXPECT_EQ(blur.Region()->Left, 6);
    EXPECT_FALSE(blur.ReadProperty("Percent", amount));
}
