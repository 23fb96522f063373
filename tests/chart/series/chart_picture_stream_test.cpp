// Pictures saved with a whole chart: each picture that holds a graphic comes
// back in a fresh chart with its pixels and its filters; a picture without
// one writes nothing.
#include <gtest/gtest.h>

#include <QObject>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "chart/chart_legend.h"
#include "chart/chart_stream.h"
#include "chart/chart_title.h"
#include "chart/chart_walls.h"
#include "chart/plot_filters.h"
#include "chart/plot_font.h"
#include "chart/plot_picture.h"
#include "chart/series/line_series.h"
#include "chart/tools/chart_image_tool.h"
#include "chart/tools/color_band_tool.h"
#include "platform/bitmap_codec.h"

namespace {

// A W x H bitmap whose pixel (x, y) is (x * 40, y * 30, Blue) as red, green, blue.
TBitmap Ramp(int W, int H, int Blue)
{
    TBitmap b(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            b.SetPixel(x, y, static_cast<TColor>((x * 40) | (y * 30) << 8 | Blue << 16));
    return b;
}

// The graphic is a bitmap of Want's size and pixels.
void ExpectPixels(const TGraphic* Got, const TBitmap& Want)
{
    const auto* b = dynamic_cast<const TBitmap*>(Got);
    ASSERT_NE(b, nullptr);
    ASSERT_EQ(b->Width(), Want.Width());
    ASSERT_EQ(b->Height(), Want.Height());
    for (int y = 0; y < Want.Height(); ++y)
        for (int x = 0; x < Want.Width(); ++x)
            ASSERT_EQ(b->Pixel(x, y), Want.Pixel(x, y)) << x << "," << y;
}

const TFilterClass& FilterClass(const std::string& Name)
{
    const TFilterClass* cls = FindFilterClass(Name);
    EXPECT_NE(cls, nullptr) << Name;
    return *cls;
}

// "TChart" named C with the given properties written by Body, no children.
std::vector<std::uint8_t> ChartStream(const std::function<void(TPropertyWriter&)>& Body)
{
    TPropertyWriter w;
    w.WritePropName("TChart");
    w.WritePropName("C");
    Body(w);
    w.WriteListEnd();
    w.WriteListEnd();
    return w.Data();
}

// A "Data" value of the given graphic class and bytes.
void WriteData(TPropertyWriter& W, const std::string& ClassName, const std::vector<std::uint8_t>& Bytes)
{
    std::vector<std::uint8_t> data{static_cast<std::uint8_t>(ClassName.size())};
    data.insert(data.end(), ClassName.begin(), ClassName.end());
    data.insert(data.end(), Bytes.begin(), Bytes.end());
    W.WriteBinary(data);
}

class ChartPictureStream : public ::testing::Test {
protected:
    std::vector<std::uint8_t> RoundTrip()
    {
        const std::vector<std::uint8_t> bytes = WriteChart(chart);
        ReadChart(copy, &copyForm, bytes);
        EXPECT_EQ(WriteChart(copy), bytes);
        return bytes;
    }
    QObject form;
    TChart chart;
    QObject copyForm;
    TChart copy;
};

}  // namespace

TEST_F(ChartPictureStream, EveryPictureOfTheChartComesBackWithItsPixelsAndFilters)
{
    const TBitmap back = Ramp(5, 4, 7);
    const TBitmap title = Ramp(3, 2, 200);
    const TBitmap wall = Ramp(2, 6, 90);
    const TBitmap font = Ramp(4, 4, 1);
    const TBitmap brush = Ramp(6, 1, 255);
    chart.BackImage()->SetGraphic(&back);
    chart.BackImage()->SetMode(pbmTile);
    chart.BackImage()->Filters()->Add(FilterClass("TInvertFilter"));
    auto* bright = static_cast<TAmountFilter*>(chart.BackImage()->Filters()->Add(FilterClass("TBrightnessFilter")));
    bright->Amount = 40;
    bright->SetEnabled(false);
    chart.Title()->Picture()->SetGraphic(&title);
    chart.BackWall()->Picture()->SetGraphic(&wall);
    chart.BackWall()->Picture()->Filters()->Add(FilterClass("TGrayScaleFilter"));
    chart.Title()->Font()->Picture()->SetGraphic(&font);
    chart.Legend()->Brush()->Image()->SetGraphic(&brush);

    RoundTrip();
    ExpectPixels(copy.BackImage()->Graphic(), back);
    EXPECT_EQ(copy.BackImage()->Mode(), pbmTile);
    TFilterItems* filters = copy.BackImage()->Filters();
    ASSERT_EQ(filters->Count(), 2);
    EXPECT_EQ(filters->Item(0)->ClassName(), "TInvertFilter");
    EXPECT_TRUE(filters->Item(0)->Enabled());
    EXPECT_EQ(filters->Item(1)->ClassName(), "TBrightnessFilter");
    EXPECT_FALSE(filters->Item(1)->Enabled());
    EXPECT_EQ(static_cast<TAmountFilter*>(filters->Item(1))->Amount, 40);
    ExpectPixels(copy.Title()->Picture()->Graphic(), title);
    ExpectPixels(copy.BackWall()->Picture()->Graphic(), wall);
    ASSERT_EQ(copy.BackWall()->Picture()->Filters()->Count(), 1);
    EXPECT_EQ(copy.BackWall()->Picture()->Filters()->Item(0)->ClassName(), "TGrayScaleFilter");
    ExpectPixels(copy.Title()->Font()->Picture()->Graphic(), font);
    ExpectPixels(copy.Legend()->Brush()->Image()->Graphic(), brush);
    // the filtered back image is the inverted ramp
    const auto* filtered = dynamic_cast<const TBitmap*>(copy.BackImage()->FilteredGraphic());
    ASSERT_NE(filtered, nullptr);
    EXPECT_EQ(filtered->Pixel(1, 2) & 0xFFFFFF, ~back.Pixel(1, 2) & 0xFFFFFF);
}

TEST_F(ChartPictureStream, TheToolsPicturesComeBackWithTheirPixelsAndFilters)
{
    const TBitmap band = Ramp(3, 3, 30);
    const TBitmap image = Ramp(7, 2, 60);
    auto* bandTool = new TColorBandTool(&form);
    bandTool->SetName("Band1");
    bandTool->SetParentChart(&chart);
    bandTool->Picture()->SetGraphic(&band);
    bandTool->Picture()->Filters()->Add(FilterClass("TFlipFilter"));
    auto* imageTool = new TChartImageTool(&form);
    imageTool->SetName("Image1");
    imageTool->SetParentChart(&chart);
    imageTool->Picture().SetGraphic(&image);

    RoundTrip();
    ASSERT_EQ(copy.Tools().Items().size(), 2u);
    auto* readBand = dynamic_cast<TColorBandTool*>(copy.Tools().Items()[0]);
    auto* readImage = dynamic_cast<TChartImageTool*>(copy.Tools().Items()[1]);
    ASSERT_TRUE(readBand && readImage);
    ExpectPixels(readBand->Picture()->Graphic(), band);
    ASSERT_EQ(readBand->Picture()->Filters()->Count(), 1);
    EXPECT_EQ(readBand->Picture()->Filters()->Item(0)->ClassName(), "TFlipFilter");
    ExpectPixels(readImage->Picture().Graphic(), image);
}

TEST_F(ChartPictureStream, PicturesWithoutAGraphicWriteNothing)
{
    const std::vector<std::uint8_t> plain = WriteChart(chart);
    chart.BackImage();
    chart.Title()->Picture();
    chart.Title()->Font()->Picture();
    chart.Legend()->Brush()->Image();
    EXPECT_EQ(WriteChart(chart), plain);
    // filters alone are written, and come back without a graphic
    chart.Title()->Picture()->Filters()->Add(FilterClass("TInvertFilter"));
    const std::vector<std::uint8_t> bytes = RoundTrip();
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()).find("Data"), std::string::npos);
    EXPECT_FALSE(copy.Title()->Picture()->HasGraphic());
    EXPECT_EQ(copy.Title()->Picture()->Filters()->Count(), 1);
}

TEST_F(ChartPictureStream, APngPictureIsReadAndWrittenBackAsPng)
{
    const TBitmap ramp = Ramp(4, 3, 120);
    const std::vector<std::uint8_t> png = platform::EncodeBitmap(ramp.ToDeviceBitmap(), "PNG");
    ASSERT_FALSE(png.empty());
    const std::vector<std::uint8_t> bytes = ChartStream([&](TPropertyWriter& w) {
        w.WritePropName("BackImage.Data");
        WriteData(w, "TPngImage", png);
    });
    ReadChart(copy, &copyForm, bytes);
    ExpectPixels(copy.BackImage()->Graphic(), ramp);
    // the same PNG bytes under the same class
    const std::vector<std::uint8_t> asRead = WriteChart(copy);
    EXPECT_NE(std::search(asRead.begin(), asRead.end(), png.begin(), png.end()), asRead.end());
    const std::string text(asRead.begin(), asRead.end());
    EXPECT_NE(text.find("TPngImage"), std::string::npos);
    // once the pixels change, the picture is written as a bitmap
    static_cast<TBitmap*>(copy.BackImage()->Graphic())->SetPixel(0, 0, clRed);
    TChart again;
    QObject againForm;
    ReadChart(again, &againForm, WriteChart(copy));
    const auto* read = dynamic_cast<const TBitmap*>(again.BackImage()->Graphic());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Pixel(0, 0), clRed);
    EXPECT_EQ(read->Pixel(3, 2), ramp.Pixel(3, 2));
    const std::vector<std::uint8_t> written = WriteChart(again);
    EXPECT_NE(std::string(written.begin(), written.end()).find("TBitmap"), std::string::npos);
}

TEST_F(ChartPictureStream, BackImageTranspWrittenBeforeThePictureIsKept)
{
    const TBitmap ramp = Ramp(2, 2, 5);
    TPropertyWriter data;
    TPicture picture;
    picture.SetGraphic(&ramp);
    const std::vector<std::uint8_t> bytes = ChartStream([&](TPropertyWriter& w) {
        w.WritePropName("BackImageTransp");
        w.WriteBoolean(true);
        w.WritePropName("BackImage.Data");
        WritePictureData(picture, w);
    });
    ReadChart(copy, &copyForm, bytes);
    EXPECT_TRUE(copy.BackImageTransp());

    // and in the order the chart writes them
    chart.BackImage()->SetGraphic(&ramp);
    chart.SetBackImageTransp(true);
    TChart second;
    QObject secondForm;
    ReadChart(second, &secondForm, WriteChart(chart));
    EXPECT_TRUE(second.BackImageTransp());
    EXPECT_EQ(WriteChart(second), WriteChart(chart));

    // outside a read, a chart without a picture still ignores it
    TChart bare;
    bare.SetBackImageTransp(true);
    bare.BackImage()->SetGraphic(&ramp);
    EXPECT_FALSE(bare.BackImageTransp());
}

TEST_F(ChartPictureStream, BadPictureDataFailsTheRead)
{
    EXPECT_THROW(ReadChart(copy, &copyForm, ChartStream([](TPropertyWriter& w) {
                     w.WritePropName("BackImage.Data");
                     WriteData(w, "TGifImage", {1, 2, 3});
                 })),
                 EClassNotFound);
    TChart second;
    QObject secondForm;
    EXPECT_THROW(ReadChart(second, &secondForm, ChartStream([](TPropertyWriter& w) {
                     w.WritePropName("BackImage.Data");
                     WriteData(w, "TBitmap", {4, 0, 0, 0, 'B', 'M', 0, 0});
                 })),
                 EReadError);
    // a size beyond the bytes there are
    TChart third;
    QObject thirdForm;
    EXPECT_THROW(ReadChart(third, &thirdForm, ChartStream([](TPropertyWriter& w) {
                     w.WritePropName("BackImage.Data");
                     WriteData(w, "TBitmap", {0xFF, 0xFF, 0, 0, 'B', 'M'});
                 })),
                 EReadError);
    // the class names the format of the bytes
    TChart png;
    QObject pngForm;
    EXPECT_THROW(ReadChart(png, &pngForm, ChartStream([](TPropertyWriter& w) {
                     const std::vector<std::uint8_t> bmp =
                         platform::EncodeBitmap(Ramp(2, 2, 0).ToDeviceBitmap(), "BMP");
                     w.WritePropName("BackImage.Data");
                     WriteData(w, "TPngImage", bmp);
                 })),
                 EReadError);
    TChart fourth;
    QObject fourthForm;
    EXPECT_THROW(ReadChart(fourth, &fourthForm, ChartStream([](TPropertyWriter& w) {
                     w.WritePropName("BackImage.Data");
                     w.WriteBinary(std::vector<std::uint8_t>{});
                 })),
                 EReadError);
}

TEST_F(ChartPictureStream, AssignCopiesThePicturesAndTheirFilters)
{
    const TBitmap back = Ramp(3, 3, 40);
    chart.BackImage()->SetGraphic(&back);
    chart.BackImage()->Filters()->Add(FilterClass("TInvertFilter"));
    chart.Title()->Picture()->SetGraphic(&back);
    copy.Assign(chart);
    ExpectPixels(copy.BackImage()->Graphic(), back);
    ASSERT_EQ(copy.BackImage()->Filters()->Count(), 1);
    ExpectPixels(copy.Title()->Picture()->Graphic(), back);
    EXPECT_EQ(WriteChart(copy), WriteChart(chart));
}
