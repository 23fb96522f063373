#pragma once
// The image filters a picture's filter list can hold. Each works in place on
// the 24-bit rows (blue, green, red) of a bitmap inside an inclusive rectangle.
// Public fields are the filters' published properties.
#include <span>

#include "chart/plot_picture.h"

// A filter with an amount, in percent or absolute.
class TAmountFilter : public TPlotFilter {
public:
    const TPropertyTable<TPlotFilter>& PropertyTable() const override;
    void CreateEditor(IFilterEditor& Editor) override;

    int Amount = 5;
    bool Percent = true;
    // The amount a stream leaves out, as published by the class.
    int DefaultAmount() const { return m_defaultAmount; }

protected:
    // Amount and its stored default together, for a class built otherwise.
    void InitAmount(int Value) { Amount = m_defaultAmount = Value; }
    bool HidePercent = false;

private:
    int m_defaultAmount = 5;
};

// 3 x 3 convolution; the factor is 1 / (sum of the weights).
class TConvolveFilter : public TPlotFilter {
public:
    void Apply(TBitmap& Bitmap, const TRect& R) override;
    std::string ClassName() const override { return "TConvolveFilter"; }

    // Row above (left, centre, right), own row, row below.
    float Weights[3][3] = {{0, 0, 0}, {0, 1, 0}, {0, 0, 0}};
    float Factor = 1;
};

class TInvertFilter : public TPlotFilter {
public:
    void Apply(TBitmap& Bitmap, const TRect& R) override;
    std::string Description() const override;
    std::string ClassName() const override { return "TInvertFilter"; }
};

enum TGrayMethod { gmSimple, gmEye, gmEye2 };

class TGrayScaleFilter : public TPlotFilter {
public:
    void Apply(TBitmap& Bitmap, const TRect& R) override;
    std::string Description() const override;
    std::string ClassName() const override { return "TGrayScaleFilter"; }
    const TPropertyTable<TPlotFilter>& PropertyTable() const override;

    TGrayMethod Method = gmSimple;
};

class TMosaicFilter : public TAmountFilter {
public:
    TMosaicFilter();
    void Apply(TBitmap& Bitmap, const TRect& R) override;
    std::string Description() const override;
    std::string ClassName() const override { return "TMosaicFilter"; }
};

class TFlipFilter : public TPlotFilter {
public:
    void Apply(TBitmap& Bitmap, const TRect& R) override;
    std::string Description() const override;
    std::string ClassName() const override { return "TFlipFilter"; }
};

class TReverseFilter : public TPlotFilter {
public:
    void Apply(TBitmap& Bitmap, const TRect& R) override;
    std::string Description() const override;
    std::string ClassName() const override { return "TReverseFilter"; }
};

class TBrightnessFilter : public TAmountFilter {
public:
    void Apply(TBitmap& Bitmap, const TRect& R) override;
    std::string Description() const override;
    std::string ClassName() const override { return "TBrightnessFilter"; }
};

class TContrastFilter : public TAmountFilter {
public:
    void Apply(TBitmap& Bitmap, const TRect& R) override;
    std::string Description() const override;
    std::string ClassName() const override { return "TContrastFilter"; }
};

class TColorFilter : public TPlotFilter {
public:
    void Apply(TBitmap& Bitmap, const TRect& R) override;
    std::string Description() const override;
    std::string ClassName() const override { return "TColorFilter"; }
    const TPropertyTable<TPlotFilter>& PropertyTable() const override;
    void CreateEditor(IFilterEditor& Editor) override;

    int Red = 0;
    int Green = 0;
    int Blue = 0;
};

class THueLumSatFilter : public TPlotFilter {
public:
    void Apply(TBitmap& Bitmap, const TRect& R) override;
    std::string Description() const override;
    std::string ClassName() const override { return "THueLumSatFilter"; }
    const TPropertyTable<TPlotFilter>& PropertyTable() const override;
    void CreateEditor(IFilterEditor& Editor) override;

    int Hue = 0;
    int Luminance = 0;
    int Saturation = 0;
};

class TBlurFilter : public TConvolveFilter {
public:
    // Runs the convolution Steps times.
    void Apply(TBitmap& Bitmap, const TRect& R) override;
    std::string Description() const override;
    std::string ClassName() const override { return "TBlurFilter"; }
    const TPropertyTable<TPlotFilter>& PropertyTable() const override;
    void CreateEditor(IFilterEditor& Editor) override;

    int Amount = 1;
    int Steps = 1;
};

class TSharpenFilter : public TConvolveFilter {
public:
    void Apply(TBitmap& Bitmap, const TRect& R) override;
    std::string Description() const override;
    std::string ClassName() const override { return "TSharpenFilter"; }
};

class TGammaCorrectionFilter : public TAmountFilter {
public:
    TGammaCorrectionFilter();
    void Apply(TBitmap& Bitmap, const TRect& R) override;
    std::string Description() const override;
    std::string ClassName() const override { return "TGammaCorrectionFilter"; }
};

class TEmbossFilter : public TConvolveFilter {
public:
    void Apply(TBitmap& Bitmap, const TRect& R) override;
    std::string Description() const override;
    std::string ClassName() const override { return "TEmbossFilter"; }
};

class TSoftenFilter : public TConvolveFilter {
public:
    void Apply(TBitmap& Bitmap, const TRect& R) override;
    std::string Description() const override;
    std::string ClassName() const override { return "TSoftenFilter"; }
};

class TResizeFilter : public TPlotFilter {
public:
    void Apply(TBitmap& Bitmap, const TRect& R) override;
    std::string Description() const override;
    std::string ClassName() const override { return "TResizeFilter"; }
    const TPropertyTable<TPlotFilter>& PropertyTable() const override;
    void CreateEditor(IFilterEditor& Editor) override;

    int Width = 0;
    int Height = 0;
};

class TCropFilter : public TResizeFilter {
public:
    void Apply(TBitmap& Bitmap, const TRect& R) override;
    std::string Description() const override;
    std::string ClassName() const override { return "TCropFilter"; }
    const TPropertyTable<TPlotFilter>& PropertyTable() const override;
    void CreateEditor(IFilterEditor& Editor) override;

    int Left = 0;
    int Top = 0;
    bool Smooth = false;
};

class TRotateFilter : public TPlotFilter {
public:
    void Apply(TBitmap& Bitmap, const TRect& R) override;
    std::string Description() const override;
    std::string ClassName() const override { return "TRotateFilter"; }
    const TPropertyTable<TPlotFilter>& PropertyTable() const override;
    void CreateEditor(IFilterEditor& Editor) override;

    // Degrees, counter-clockwise.
    double Angle = 0;
    bool AutoSize = true;
    TColor BackColor = clWhite;
};

enum TMirrorDirection { mdDown, mdUp, mdRight, mdLeft };

class TMirrorFilter : public TPlotFilter {
public:
    void Apply(TBitmap& Bitmap, const TRect& R) override;
    std::string Description() const override;
    std::string ClassName() const override { return "TMirrorFilter"; }
    const TPropertyTable<TPlotFilter>& PropertyTable() const override;

    TMirrorDirection Direction = mdDown;
};

class TTileFilter : public TPlotFilter {
public:
    void Apply(TBitmap& Bitmap, const TRect& R) override;
    std::string Description() const override;
    std::string ClassName() const override { return "TTileFilter"; }
    const TPropertyTable<TPlotFilter>& PropertyTable() const override;
    void CreateEditor(IFilterEditor& Editor) override;

    int NumCols = 3;
    int NumRows = 3;
};

class TBevelFilter : public TPlotFilter {
public:
    void Apply(TBitmap& Bitmap, const TRect& R) override;
    std::string Description() const override;
    std::string ClassName() const override { return "TBevelFilter"; }
    const TPropertyTable<TPlotFilter>& PropertyTable() const override;
    void CreateEditor(IFilterEditor& Editor) override;

    int Bright = 64;
    int Size = 15;
};

class TZoomFilter : public TPlotFilter {
public:
    void Apply(TBitmap& Bitmap, const TRect& R) override;
    std::string Description() const override;
    std::string ClassName() const override { return "TZoomFilter"; }
    const TPropertyTable<TPlotFilter>& PropertyTable() const override;
    void CreateEditor(IFilterEditor& Editor) override;

    double Percent = 10;
    bool Smooth = false;
};

// The classes in their registration order.
std::span<const TFilterClass* const> PlotFilterClasses();
// Registers the classes (each once) and installs the bitmap rotation service.
// The blur filter of the amount, one step, over the width x height pixels
// from first (rows stride pixels apart), as the filter does it on a bitmap of
// just those pixels (the edges are read, not written), in place; every pixel
// of the part is left opaque. False, with nothing done, for amounts beyond
// the filter's table (the filter itself then).
bool BlurOpaquePart(std::uint32_t* first, std::ptrdiff_t stride, int width, int height, int amount);

void RegisterPlotFilters();
void UnregisterPlotFilters();

// Turns the whole bitmap by Angle degrees with a TRotateFilter.
void RotateBitmap(TBitmap& Bitmap, double Angle);
