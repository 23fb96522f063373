#include "chart/plot_filters.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QWidget>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "chart/chart_messages.h"
#include "chart/drawing_utils.h"
#include "core/basic_types.h"

TRotateBitmapProc RotateBitmapProc = nullptr;

namespace {

std::uint8_t ClampByte(std::int64_t v)
{
    return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
}

// Num / Den (both >= 0, Den > 0) to the nearest integer, halves to even,
// exactly: decimal weights and reciprocals in floating point miss the halves.
std::int64_t RoundDiv(std::int64_t num, std::int64_t den)
{
    std::int64_t q = num / den;
    const std::int64_t twice = 2 * (num % den);
    if (twice > den || (twice == den && (q & 1) != 0))
        ++q;
    return q;
}

// R limited to the bitmap; empty (Right < Left) when nothing is left.
TRect LimitRect(const TRect& R, int width, int height)
{
    return TRect{std::max(0, R.Left), std::max(0, R.Top), std::min(width - 1, R.Right),
                 std::min(height - 1, R.Bottom)};
}

// A 24-bit picture held apart from any bitmap.
struct TImage24 {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Data;

    TImage24() = default;
    TImage24(int w, int h, TColor fill = clWhite)
        : Width(std::max(0, w)), Height(std::max(0, h)), Data(static_cast<std::size_t>(Width) * Height * 3)
    {
        for (std::size_t i = 0; i < Data.size(); i += 3) {
            Data[i] = GetBValue(fill);
            Data[i + 1] = GetGValue(fill);
            Data[i + 2] = GetRValue(fill);
        }
    }
    std::uint8_t* Pixel(int x, int y) { return Data.data() + (static_cast<std::size_t>(y) * Width + x) * 3; }
    const std::uint8_t* Pixel(int x, int y) const
    {
        return Data.data() + (static_cast<std::size_t>(y) * Width + x) * 3;
    }
};

TImage24 ReadImage(TBitmap& bitmap)
{
    bitmap.SetPixelFormat(pf24bit);
    TImage24 image(bitmap.Width(), bitmap.Height());
    for (int y = 0; y < image.Height; ++y)
        std::memcpy(image.Pixel(0, y), bitmap.ScanLine(y), static_cast<std::size_t>(image.Width) * 3);
    return image;
}

void WriteImage(const TImage24& image, TBitmap& bitmap)
{
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(image.Width, image.Height);
    for (int y = 0; y < image.Height; ++y)
        std::memcpy(bitmap.ScanLine(y), image.Pixel(0, y), static_cast<std::size_t>(image.Width) * 3);
}

TImage24 Resample(const TImage24& source, int width, int height, bool fast)
{
    TBitmap src(source.Width, source.Height, pf24bit);
    WriteImage(source, src);
    TBitmap dst(width, height, pf24bit);
    ResampleBitmap(src, dst, fast);
    return ReadImage(dst);
}

// The framework's plain stretch: each target pixel takes the source pixel under it.
TImage24 StretchPlain(const TImage24& source, int width, int height)
{
    TImage24 out(width, height);
    if (source.Width <= 0 || source.Height <= 0)
        return out;
    for (int y = 0; y < height; ++y) {
        const int sy = static_cast<int>(static_cast<std::int64_t>(y) * source.Height / height);
        for (int x = 0; x < width; ++x) {
            const int sx = static_cast<int>(static_cast<std::int64_t>(x) * source.Width / width);
            std::memcpy(out.Pixel(x, y), source.Pixel(sx, sy), 3);
        }
    }
    return out;
}

TImage24 Stretch(const TImage24& source, int width, int height, bool smooth)
{
    return smooth ? Resample(source, width, height, false) : StretchPlain(source, width, height);
}

void Paste(TImage24& target, const TImage24& source, int x0, int y0)
{
    for (int y = 0; y < source.Height; ++y) {
        const int ty = y0 + y;
        if (ty < 0 || ty >= target.Height)
            continue;
        for (int x = 0; x < source.Width; ++x) {
            const int tx = x0 + x;
            if (tx >= 0 && tx < target.Width)
                std::memcpy(target.Pixel(tx, ty), source.Pixel(x, y), 3);
        }
    }
}

// ---- streaming helpers ----

void WriteInt(TPropertyWriter& w, const char* name, int value, int defaultValue)
{
    if (value == defaultValue)
        return;
    w.WritePropName(name);
    w.WriteInteger(value);
}

void WriteBool(TPropertyWriter& w, const char* name, bool value, bool defaultValue)
{
    if (value == defaultValue)
        return;
    w.WritePropName(name);
    w.WriteBoolean(value);
}

void WriteDouble(TPropertyWriter& w, const char* name, double value, double defaultValue)
{
    if (value == defaultValue)
        return;
    w.WritePropName(name);
    w.WriteFloat(value);
}

bool ReadInt(const TPropertyValue& v, int& field)
{
    if (!v.IsInteger() || v.Int < INT32_MIN || v.Int > INT32_MAX)
        throw EReadError("Invalid property value");
    field = static_cast<int>(v.Int);
    return true;
}

bool ReadBool(const TPropertyValue& v, bool& field)
{
    if (!v.IsBoolean())
        throw EReadError("Invalid property value");
    field = v.Type == vaTrue;
    return true;
}

bool ReadDouble(const TPropertyValue& v, double& field)
{
    if (v.Type == vaExtended || v.Type == vaSingle)
        field = static_cast<double>(v.Float);
    else if (v.IsInteger())
        field = static_cast<double>(v.Int);
    else
        throw EReadError("Invalid property value");
    return true;
}

template <typename E, std::size_t N>
bool ReadEnum(const TPropertyValue& v, E& field, const std::array<const char*, N>& names)
{
    if (v.Type != vaIdent)
        throw EReadError("Invalid property value");
    for (std::size_t i = 0; i < N; ++i) {
        if (v.Str == names[i]) {
            field = static_cast<E>(i);
            return true;
        }
    }
    throw EReadError("Invalid property value");
}

struct TColorIdent {
    const char* Name;
    TColor Value;
};

constexpr TColorIdent kColorIdents[] = {
    {"clBlack", clBlack}, {"clMaroon", clMaroon}, {"clGreen", clGreen}, {"clOlive", clOlive},
    {"clNavy", clNavy}, {"clPurple", clPurple}, {"clTeal", clTeal}, {"clGray", clGray},
    {"clSilver", clSilver}, {"clRed", clRed}, {"clLime", clLime}, {"clYellow", clYellow},
    {"clBlue", clBlue}, {"clFuchsia", clFuchsia}, {"clAqua", clAqua}, {"clWhite", clWhite},
    {"clMoneyGreen", clMoneyGreen}, {"clSkyBlue", clSkyBlue}, {"clCream", clCream},
    {"clMedGray", clMedGray}, {"clNone", clNone}, {"clDefault", clDefault}};

void WriteColor(TPropertyWriter& w, const char* name, TColor value, TColor defaultValue)
{
    if (value == defaultValue)
        return;
    w.WritePropName(name);
    for (const auto& c : kColorIdents) {
        if (c.Value == value) {
            w.WriteIdent(c.Name);
            return;
        }
    }
    w.WriteInteger(static_cast<std::int32_t>(value));
}

bool ReadColor(const TPropertyValue& v, TColor& field)
{
    if (v.Type == vaIdent) {
        for (const auto& c : kColorIdents) {
            if (v.Str == c.Name) {
                field = c.Value;
                return true;
            }
        }
        throw EReadError("Invalid property value");
    }
    int value = 0;
    ReadInt(v, value);
    field = static_cast<TColor>(value);
    return true;
}

// ---- editor helpers ----

QFormLayout* EditorLayout(QWidget* parent)
{
    if (!parent)
        return nullptr;
    if (auto* form = qobject_cast<QFormLayout*>(parent->layout()))
        return form;
    if (parent->layout())
        return nullptr;
    return new QFormLayout(parent);
}

QWidget* AddIntEditor(QWidget* parent, const std::string& caption, int& field)
{
    QFormLayout* form = EditorLayout(parent);
    if (!form)
        return nullptr;
    auto* box = new QSpinBox(parent);
    box->setRange(0, 10000);
    box->setValue(field);
    QObject::connect(box, &QSpinBox::valueChanged, box, [&field](int v) { field = v; });
    form->addRow(QString::fromStdString(caption), box);
    return box;
}

QWidget* AddBoolEditor(QWidget* parent, const std::string& caption, bool& field)
{
    QFormLayout* form = EditorLayout(parent);
    if (!form)
        return nullptr;
    auto* box = new QCheckBox(QString::fromStdString(caption), parent);
    box->setChecked(field);
    QObject::connect(box, &QCheckBox::toggled, box, [&field](bool v) { field = v; });
    form->addRow(box);
    return box;
}

QWidget* AddDoubleEditor(QWidget* parent, const std::string& caption, double& field)
{
    QFormLayout* form = EditorLayout(parent);
    if (!form)
        return nullptr;
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(0, 10000);
    box->setValue(field);
    QObject::connect(box, &QDoubleSpinBox::valueChanged, box, [&field](double v) { field = v; });
    form->addRow(QString::fromStdString(caption), box);
    return box;
}

// ---- hue, luminance and saturation on the 0..240 scale ----

constexpr int kHlsMax = 240;
constexpr int kRgbMax = 255;
constexpr int kUndefinedHue = kHlsMax * 2 / 3;

void RgbToHls(int r, int g, int b, int& h, int& l, int& s)
{
    const int cMax = std::max({r, g, b});
    const int cMin = std::min({r, g, b});
    l = ((cMax + cMin) * kHlsMax + kRgbMax) / (2 * kRgbMax);
    if (cMax == cMin) {
        s = 0;
        h = kUndefinedHue;
        return;
    }
    const int delta = cMax - cMin;
    if (l <= kHlsMax / 2)
        s = (delta * kHlsMax + (cMax + cMin) / 2) / (cMax + cMin);
    else
        s = (delta * kHlsMax + (2 * kRgbMax - cMax - cMin) / 2) / (2 * kRgbMax - cMax - cMin);
    const int rd = ((cMax - r) * (kHlsMax / 6) + delta / 2) / delta;
    const int gd = ((cMax - g) * (kHlsMax / 6) + delta / 2) / delta;
    const int bd = ((cMax - b) * (kHlsMax / 6) + delta / 2) / delta;
    if (r == cMax)
        h = bd - gd;
    else if (g == cMax)
        h = kHlsMax / 3 + rd - bd;
    else
        h = 2 * kHlsMax / 3 + gd - rd;
    if (h < 0)
        h += kHlsMax;
    if (h > kHlsMax)
        h -= kHlsMax;
}

int HueToRgb(int n1, int n2, int hue)
{
    if (hue < 0)
        hue += kHlsMax;
    if (hue > kHlsMax)
        hue -= kHlsMax;
    if (hue < kHlsMax / 6)
        return n1 + ((n2 - n1) * hue + kHlsMax / 12) / (kHlsMax / 6);
    if (hue < kHlsMax / 2)
        return n2;
    if (hue < kHlsMax * 2 / 3)
        return n1 + ((n2 - n1) * (kHlsMax * 2 / 3 - hue) + kHlsMax / 12) / (kHlsMax / 6);
    return n1;
}

void HlsToRgb(int h, int l, int s, int& r, int& g, int& b)
{
    if (s == 0) {
        r = g = b = (l * kRgbMax) / kHlsMax;
        return;
    }
    const int m2 = l <= kHlsMax / 2 ? (l * (kHlsMax + s) + kHlsMax / 2) / kHlsMax
                                    : l + s - (l * s + kHlsMax / 2) / kHlsMax;
    const int m1 = 2 * l - m2;
    r = (HueToRgb(m1, m2, h + kHlsMax / 3) * kRgbMax + kHlsMax / 2) / kHlsMax;
    g = (HueToRgb(m1, m2, h) * kRgbMax + kHlsMax / 2) / kHlsMax;
    b = (HueToRgb(m1, m2, h - kHlsMax / 3) * kRgbMax + kHlsMax / 2) / kHlsMax;
}

template <typename F>
void ForEachPixel(std::vector<std::uint8_t*>& lines, const TRect& r, F f)
{
    for (int y = r.Top; y <= r.Bottom; ++y) {
        std::uint8_t* p = lines[static_cast<std::size_t>(y)] + 3 * r.Left;
        for (int x = r.Left; x <= r.Right; ++x, p += 3)
            f(p);
    }
}

}  // namespace

// ---- TAmountFilter ----

void TAmountFilter::Assign(const TPlotFilter& source)
{
    TPlotFilter::Assign(source);
    if (auto* f = dynamic_cast<const TAmountFilter*>(&source)) {
        Amount = f->Amount;
        Percent = f->Percent;
    }
}

void TAmountFilter::WriteProperties(TPropertyWriter& Writer) const
{
    WriteInt(Writer, "Amount", Amount, DefaultAmount);
    WriteBool(Writer, "Percent", Percent, true);
}

bool TAmountFilter::ReadProperty(const std::string& Name, const TPropertyValue& Value)
{
    if (Name == "Amount")
        return ReadInt(Value, Amount);
    if (Name == "Percent")
        return ReadBool(Value, Percent);
    return TPlotFilter::ReadProperty(Name, Value);
}

QWidget* TAmountFilter::CreateEditor(QWidget* Parent, QWidget* Extra)
{
    TPlotFilter::CreateEditor(Parent, Extra);
    QWidget* first = AddIntEditor(Parent, Description(), Amount);
    if (!HidePercent)
        AddBoolEditor(Parent, PlotMsgCaptionPercent, Percent);
    return first;
}

// ---- convolution ----

void TConvolveFilter::Apply(TBitmap& Bitmap, const TRect& R)
{
    TPlotFilter::Apply(Bitmap, R);
    if (Lines.empty())
        return;
    float sum = 0;
    for (const auto& row : Weights)
        for (float w : row)
            sum += w;
    Factor = sum != 0 ? 1.0f / sum : 1.0f;
    const TRect r = LimitRect(R, Bitmap.Width(), Bitmap.Height());
    const int innerWidth = r.Right - r.Left - 1;
    if (innerWidth <= 0 || r.Bottom - r.Top < 2)
        return;
    // results of the inner pixels, row by row (the buffer is kept from pass
    // to pass: every byte of it is written before it is read)
    const std::size_t outSize = static_cast<std::size_t>(innerWidth) * 3 * (r.Bottom - r.Top - 1);
    thread_local std::vector<std::uint8_t> out;
    if (out.size() < outSize)
        out.resize(outSize);
    const double factor = Factor;
    std::uint8_t* o = out.data();
    // blur-shaped kernels (ones around the centre): integer sums of three
    // columns, exact in doubles as the general sum is
    bool ones = true;
    for (int k = 0; k < 9; ++k)
        ones = ones && (k == 4 || Weights[k / 3][k % 3] == 1.0f);
    const float centre = Weights[1][1];
    if (ones && centre == std::floor(centre) && std::abs(centre) < 65536) {
        const int c = static_cast<int>(centre) - 1;
        // every sum s lies in [sMin, sMax]: its rounded result from a table
        // (the same arithmetic, done once per value) when that is not too long
        const int sMin = std::min(0, 255 * c);
        const int sMax = 8 * 255 + std::max(0, 255 * c);
        const bool tabled = sMax - sMin < 65536;
        thread_local std::vector<std::uint8_t> table;
        if (tabled) {
            table.resize(static_cast<std::size_t>(sMax - sMin) + 1);
            for (int v = sMin; v <= sMax; ++v)
                table[static_cast<std::size_t>(v - sMin)] =
                    ClampByte(static_cast<std::int64_t>(std::nearbyint(factor * v)));
        }
        const std::uint8_t* rounded = tabled ? table.data() - sMin : nullptr;
        // the three rows' sums of each byte column of the part read
        const int first = 3 * r.Left;
        const int count = 3 * (r.Right - r.Left + 1);
        thread_local std::vector<int> columns;
        if (columns.size() < static_cast<std::size_t>(count))
            columns.resize(static_cast<std::size_t>(count));
        int* col = columns.data();
        const int n = 3 * innerWidth;
        for (int y = r.Top + 1; y < r.Bottom; ++y) {
            const std::uint8_t* a = Lines[static_cast<std::size_t>(y - 1)] + first;
            const std::uint8_t* m = Lines[static_cast<std::size_t>(y)] + first;
            const std::uint8_t* b = Lines[static_cast<std::size_t>(y + 1)] + first;
            for (int i = 0; i < count; ++i)
                col[i] = a[i] + m[i] + b[i];
            for (int i = 0; i < n; ++i) {
                const int s = col[i] + col[i + 3] + col[i + 6] + c * m[i + 3];
                o[i] = tabled ? rounded[s] : ClampByte(static_cast<std::int64_t>(std::nearbyint(factor * s)));
            }
            o += n;
        }
    } else {
        for (int y = r.Top + 1; y < r.Bottom; ++y) {
            const std::uint8_t* rows[3] = {Lines[static_cast<std::size_t>(y - 1)], Lines[static_cast<std::size_t>(y)],
                                           Lines[static_cast<std::size_t>(y + 1)]};
            for (int x = r.Left + 1; x < r.Right; ++x) {
                const int off = 3 * (x - 1);
                for (int c = 0; c < 3; ++c) {
                    double s = 0;
                    for (int k = 0; k < 3; ++k) {
                        const std::uint8_t* p = rows[k] + off + c;
                        s += Weights[k][0] * p[0] + Weights[k][1] * p[3] + Weights[k][2] * p[6];
                    }
                    *o++ = ClampByte(Round(factor * s));
                }
            }
        }
    }
    o = out.data();
    for (int y = r.Top + 1; y < r.Bottom; ++y) {
        std::memcpy(Lines[static_cast<std::size_t>(y)] + 3 * (r.Left + 1), o, static_cast<std::size_t>(innerWidth) * 3);
        o += static_cast<std::size_t>(innerWidth) * 3;
    }
}

void TBlurFilter::Apply(TBitmap& Bitmap, const TRect& R)
{
    const float a = static_cast<float>(Amount);
    const float kernel[3][3] = {{1, 1, 1}, {1, a, 1}, {1, 1, 1}};
    std::memcpy(Weights, kernel, sizeof Weights);
    TPlotFilter::Apply(Bitmap, R);
    if (Lines.empty())
        return;
    const bool ready = ScanLinesReady;
    ScanLinesReady = true;
    for (int i = 0; i < Steps; ++i)
        TConvolveFilter::Apply(Bitmap, R);
    ScanLinesReady = ready;
}

std::string TBlurFilter::Description() const { return PlotMsgFilterBlur; }

void TBlurFilter::Assign(const TPlotFilter& source)
{
    TPlotFilter::Assign(source);
    if (auto* f = dynamic_cast<const TBlurFilter*>(&source)) {
        Amount = f->Amount;
        Steps = f->Steps;
    }
}

void TBlurFilter::WriteProperties(TPropertyWriter& Writer) const
{
    WriteInt(Writer, "Amount", Amount, 1);
    WriteInt(Writer, "Steps", Steps, 1);
}

bool TBlurFilter::ReadProperty(const std::string& Name, const TPropertyValue& Value)
{
    if (Name == "Amount")
        return ReadInt(Value, Amount);
    if (Name == "Steps")
        return ReadInt(Value, Steps);
    return TPlotFilter::ReadProperty(Name, Value);
}

QWidget* TBlurFilter::CreateEditor(QWidget* Parent, QWidget* Extra)
{
    TPlotFilter::CreateEditor(Parent, Extra);
    QWidget* first = AddIntEditor(Parent, Description(), Amount);
    AddIntEditor(Parent, "Steps", Steps);
    return first;
}

void TSharpenFilter::Apply(TBitmap& Bitmap, const TRect& R)
{
    const float e = -0.125f;
    const float kernel[3][3] = {{e, e, e}, {e, 2, e}, {e, e, e}};
    std::memcpy(Weights, kernel, sizeof Weights);
    TConvolveFilter::Apply(Bitmap, R);
}

std::string TSharpenFilter::Description() const { return PlotMsgFilterSharpen; }

void TEmbossFilter::Apply(TBitmap& Bitmap, const TRect& R)
{
    const float kernel[3][3] = {{0, -1, 0}, {-1, 1, 1}, {0, -1, 0}};
    std::memcpy(Weights, kernel, sizeof Weights);
    TConvolveFilter::Apply(Bitmap, R);
}

std::string TEmbossFilter::Description() const { return PlotMsgFilterEmboss; }

void TSoftenFilter::Apply(TBitmap& Bitmap, const TRect& R)
{
    const float kernel[3][3] = {{0, 0, 0}, {0, 1, 1}, {0, 1, 1}};
    std::memcpy(Weights, kernel, sizeof Weights);
    TConvolveFilter::Apply(Bitmap, R);
}

std::string TSoftenFilter::Description() const { return PlotMsgFilterSoften; }

// ---- per-pixel filters ----

void TInvertFilter::Apply(TBitmap& Bitmap, const TRect& R)
{
    TPlotFilter::Apply(Bitmap, R);
    if (Lines.empty())
        return;
    ForEachPixel(Lines, LimitRect(R, Bitmap.Width(), Bitmap.Height()), [](std::uint8_t* p) {
        p[0] = static_cast<std::uint8_t>(255 - p[0]);
        p[1] = static_cast<std::uint8_t>(255 - p[1]);
        p[2] = static_cast<std::uint8_t>(255 - p[2]);
    });
}

std::string TInvertFilter::Description() const { return PlotMsgFilterInvert; }

void TGrayScaleFilter::Apply(TBitmap& Bitmap, const TRect& R)
{
    TPlotFilter::Apply(Bitmap, R);
    if (Lines.empty())
        return;
    const TGrayMethod method = Method;
    ForEachPixel(Lines, LimitRect(R, Bitmap.Width(), Bitmap.Height()), [method](std::uint8_t* p) {
        const int b = p[0], g = p[1], r = p[2];
        int v = 0;
        switch (method) {
        case gmSimple:
            v = (b + g + r) / 3;
            break;
        case gmEye:
            v = static_cast<int>(RoundDiv(30 * r + 59 * g + 11 * b, 100));
            break;
        case gmEye2:
            v = (11 * r + 16 * g + 5 * b) >> 5;
            break;
        }
        p[0] = p[1] = p[2] = ClampByte(v);
    });
}

std::string TGrayScaleFilter::Description() const { return PlotMsgFilterGrayScale; }

namespace {
constexpr std::array<const char*, 3> kGrayMethodNames = {"gmSimple", "gmEye", "gmEye2"};
constexpr std::array<const char*, 4> kMirrorNames = {"mdDown", "mdUp", "mdRight", "mdLeft"};
}  // namespace

void TGrayScaleFilter::Assign(const TPlotFilter& source)
{
    TPlotFilter::Assign(source);
    if (auto* f = dynamic_cast<const TGrayScaleFilter*>(&source))
        Method = f->Method;
}

void TGrayScaleFilter::WriteProperties(TPropertyWriter& Writer) const
{
    if (Method != gmSimple) {
        Writer.WritePropName("Method");
        Writer.WriteIdent(kGrayMethodNames[static_cast<std::size_t>(Method)]);
    }
}

bool TGrayScaleFilter::ReadProperty(const std::string& Name, const TPropertyValue& Value)
{
    if (Name == "Method")
        return ReadEnum(Value, Method, kGrayMethodNames);
    return TPlotFilter::ReadProperty(Name, Value);
}

void TBrightnessFilter::Apply(TBitmap& Bitmap, const TRect& R)
{
    TPlotFilter::Apply(Bitmap, R);
    if (Lines.empty() || Amount == 0)
        return;
    const int add = Percent ? static_cast<int>(Round(255.0 * Amount * 0.01)) : Amount;
    ForEachPixel(Lines, LimitRect(R, Bitmap.Width(), Bitmap.Height()), [add](std::uint8_t* p) {
        for (int c = 0; c < 3; ++c)
            p[c] = ClampByte(p[c] + add);
    });
}

std::string TBrightnessFilter::Description() const { return PlotMsgFilterBrightness; }

void TContrastFilter::Apply(TBitmap& Bitmap, const TRect& R)
{
    TPlotFilter::Apply(Bitmap, R);
    if (Lines.empty())
        return;
    const int amount = Amount;
    const bool percent = Percent;
    const float factor = static_cast<float>(Amount * 0.01);
    // each channel's result depends on its own value only
    std::array<std::uint8_t, 256> table;
    for (int i = 0; i < 256; ++i) {
        const std::int64_t v = i;
        const std::int64_t t = percent ? Round(static_cast<double>(v * static_cast<double>(factor))) : amount;
        table[static_cast<std::size_t>(i)] = ClampByte(v + (t * (v - 128)) / 256);
    }
    ForEachPixel(Lines, LimitRect(R, Bitmap.Width(), Bitmap.Height()), [&table](std::uint8_t* p) {
        p[0] = table[p[0]];
        p[1] = table[p[1]];
        p[2] = table[p[2]];
    });
}

std::string TContrastFilter::Description() const { return PlotMsgFilterContrast; }

void TColorFilter::Apply(TBitmap& Bitmap, const TRect& R)
{
    TPlotFilter::Apply(Bitmap, R);
    if (Lines.empty() || (Red == 0 && Green == 0 && Blue == 0))
        return;
    const int r = Red, g = Green, b = Blue;
    ForEachPixel(Lines, LimitRect(R, Bitmap.Width(), Bitmap.Height()), [=](std::uint8_t* p) {
        p[0] = ClampByte(p[0] + b);
        p[1] = ClampByte(p[1] + g);
        p[2] = ClampByte(p[2] + r);
    });
}

std::string TColorFilter::Description() const { return PlotMsgFilterColor; }

void TColorFilter::Assign(const TPlotFilter& source)
{
    TPlotFilter::Assign(source);
    if (auto* f = dynamic_cast<const TColorFilter*>(&source)) {
        Red = f->Red;
        Green = f->Green;
        Blue = f->Blue;
    }
}

void TColorFilter::WriteProperties(TPropertyWriter& Writer) const
{
    WriteInt(Writer, "Blue", Blue, 0);
    WriteInt(Writer, "Green", Green, 0);
    WriteInt(Writer, "Red", Red, 0);
}

bool TColorFilter::ReadProperty(const std::string& Name, const TPropertyValue& Value)
{
    if (Name == "Red")
        return ReadInt(Value, Red);
    if (Name == "Green")
        return ReadInt(Value, Green);
    if (Name == "Blue")
        return ReadInt(Value, Blue);
    return TPlotFilter::ReadProperty(Name, Value);
}

QWidget* TColorFilter::CreateEditor(QWidget* Parent, QWidget* Extra)
{
    TPlotFilter::CreateEditor(Parent, Extra);
    QWidget* first = AddIntEditor(Parent, "Red", Red);
    AddIntEditor(Parent, "Green", Green);
    AddIntEditor(Parent, "Blue", Blue);
    return first;
}

void THueLumSatFilter::Apply(TBitmap& Bitmap, const TRect& R)
{
    TPlotFilter::Apply(Bitmap, R);
    if (Lines.empty() || (Hue == 0 && Luminance == 0 && Saturation == 0))
        return;
    const int dh = Hue, dl = Luminance, ds = Saturation;
    ForEachPixel(Lines, LimitRect(R, Bitmap.Width(), Bitmap.Height()), [=](std::uint8_t* p) {
        int h = 0, l = 0, s = 0;
        RgbToHls(p[2], p[1], p[0], h, l, s);
        h = ClampByte(h + dh);
        l = ClampByte(l + dl);
        s = ClampByte(s + ds);
        int r = 0, g = 0, b = 0;
        HlsToRgb(h, l, s, r, g, b);
        p[0] = ClampByte(b);
        p[1] = ClampByte(g);
        p[2] = ClampByte(r);
    });
}

std::string THueLumSatFilter::Description() const { return PlotMsgFilterHueLumSat; }

void THueLumSatFilter::Assign(const TPlotFilter& source)
{
    TPlotFilter::Assign(source);
    if (auto* f = dynamic_cast<const THueLumSatFilter*>(&source)) {
        Hue = f->Hue;
        Luminance = f->Luminance;
        Saturation = f->Saturation;
    }
}

void THueLumSatFilter::WriteProperties(TPropertyWriter& Writer) const
{
    WriteInt(Writer, "Hue", Hue, 0);
    WriteInt(Writer, "Luminance", Luminance, 0);
    WriteInt(Writer, "Saturation", Saturation, 0);
}

bool THueLumSatFilter::ReadProperty(const std::string& Name, const TPropertyValue& Value)
{
    if (Name == "Hue")
        return ReadInt(Value, Hue);
    if (Name == "Luminance")
        return ReadInt(Value, Luminance);
    if (Name == "Saturation")
        return ReadInt(Value, Saturation);
    return TPlotFilter::ReadProperty(Name, Value);
}

QWidget* THueLumSatFilter::CreateEditor(QWidget* Parent, QWidget* Extra)
{
    TPlotFilter::CreateEditor(Parent, Extra);
    QWidget* first = AddIntEditor(Parent, "Hue", Hue);
    AddIntEditor(Parent, "Luminance", Luminance);
    AddIntEditor(Parent, "Saturation", Saturation);
    return first;
}

TGammaCorrectionFilter::TGammaCorrectionFilter()
{
    Amount = 70;
    DefaultAmount = 70;
    HidePercent = true;
}

void TGammaCorrectionFilter::Apply(TBitmap& Bitmap, const TRect& R)
{
    TPlotFilter::Apply(Bitmap, R);
    if (Lines.empty())
        return;
    const double g = std::max(std::abs(Amount) * 0.01, 0.001);
    std::uint8_t table[256];
    table[0] = 0;
    for (int i = 1; i < 256; ++i)
        table[i] = ClampByte(Round(255 * std::exp(std::log(i / 255.0) / g)));
    ForEachPixel(Lines, LimitRect(R, Bitmap.Width(), Bitmap.Height()), [&table](std::uint8_t* p) {
        p[0] = table[p[0]];
        p[1] = table[p[1]];
        p[2] = table[p[2]];
    });
}

std::string TGammaCorrectionFilter::Description() const { return PlotMsgFilterGamma; }

// ---- geometric filters ----

TMosaicFilter::TMosaicFilter()
{
    Amount = 8;
    HidePercent = true;
}

void TMosaicFilter::Apply(TBitmap& Bitmap, const TRect& R)
{
    TPlotFilter::Apply(Bitmap, R);
    if (Lines.empty() || Amount <= 0)
        return;
    const TRect r = LimitRect(R, Bitmap.Width(), Bitmap.Height());
    for (int y0 = r.Top; y0 <= r.Bottom; y0 += Amount) {
        const int y1 = std::min(r.Bottom, y0 + Amount - 1);
        for (int x0 = r.Left; x0 <= r.Right; x0 += Amount) {
            const int x1 = std::min(r.Right, x0 + Amount - 1);
            std::int64_t sum[3] = {0, 0, 0};
            for (int y = y0; y <= y1; ++y)
                for (int x = x0; x <= x1; ++x)
                    for (int c = 0; c < 3; ++c)
                        sum[c] += Lines[static_cast<std::size_t>(y)][3 * x + c];
            // a block cut short by the rectangle is averaged over its own pixels
            const std::int64_t count = static_cast<std::int64_t>(x1 - x0 + 1) * (y1 - y0 + 1);
            std::uint8_t avg[3];
            for (int c = 0; c < 3; ++c)
                avg[c] = ClampByte(RoundDiv(sum[c], count));
            for (int y = y0; y <= y1; ++y)
                for (int x = x0; x <= x1; ++x)
                    std::memcpy(Lines[static_cast<std::size_t>(y)] + 3 * x, avg, 3);
        }
    }
}

std::string TMosaicFilter::Description() const { return PlotMsgFilterMosaic; }

void TFlipFilter::Apply(TBitmap& Bitmap, const TRect& R)
{
    TPlotFilter::Apply(Bitmap, R);
    if (Lines.empty())
        return;
    const TRect r = LimitRect(R, Bitmap.Width(), Bitmap.Height());
    if (r.Right < r.Left)
        return;
    const std::size_t n = static_cast<std::size_t>(r.Right - r.Left + 1) * 3;
    for (int a = r.Top, b = r.Bottom; a < b; ++a, --b)
        std::swap_ranges(Lines[static_cast<std::size_t>(a)] + 3 * r.Left,
                         Lines[static_cast<std::size_t>(a)] + 3 * r.Left + n,
                         Lines[static_cast<std::size_t>(b)] + 3 * r.Left);
}

std::string TFlipFilter::Description() const { return PlotMsgFilterFlip; }

void TReverseFilter::Apply(TBitmap& Bitmap, const TRect& R)
{
    TPlotFilter::Apply(Bitmap, R);
    if (Lines.empty())
        return;
    const TRect r = LimitRect(R, Bitmap.Width(), Bitmap.Height());
    for (int y = r.Top; y <= r.Bottom; ++y) {
        std::uint8_t* row = Lines[static_cast<std::size_t>(y)];
        for (int a = r.Left, b = r.Right; a < b; ++a, --b)
            std::swap_ranges(row + 3 * a, row + 3 * a + 3, row + 3 * b);
    }
}

std::string TReverseFilter::Description() const { return PlotMsgFilterReverse; }

void TResizeFilter::Apply(TBitmap& Bitmap, const TRect& R)
{
    TPlotFilter::Apply(Bitmap, R);
    if (Lines.empty() || Width < 1 || Height < 1)
        return;
    const TImage24 resized = Resample(ReadImage(Bitmap), Width, Height, false);
    WriteImage(resized, Bitmap);
    Lines.clear();
}

std::string TResizeFilter::Description() const { return PlotMsgFilterResize; }

void TResizeFilter::Assign(const TPlotFilter& source)
{
    TPlotFilter::Assign(source);
    if (auto* f = dynamic_cast<const TResizeFilter*>(&source)) {
        Width = f->Width;
        Height = f->Height;
    }
}

void TResizeFilter::WriteProperties(TPropertyWriter& Writer) const
{
    WriteInt(Writer, "Height", Height, 0);
    WriteInt(Writer, "Width", Width, 0);
}

bool TResizeFilter::ReadProperty(const std::string& Name, const TPropertyValue& Value)
{
    if (Name == "Width")
        return ReadInt(Value, Width);
    if (Name == "Height")
        return ReadInt(Value, Height);
    return TPlotFilter::ReadProperty(Name, Value);
}

QWidget* TResizeFilter::CreateEditor(QWidget* Parent, QWidget* Extra)
{
    TPlotFilter::CreateEditor(Parent, Extra);
    QWidget* first = AddIntEditor(Parent, PlotMsgCaptionWidth, Width);
    AddIntEditor(Parent, PlotMsgCaptionHeight, Height);
    return first;
}

void TCropFilter::Apply(TBitmap& Bitmap, const TRect& R)
{
    TPlotFilter::Apply(Bitmap, R);
    if (Lines.empty() || Width < 1 || Height < 1)
        return;
    const TImage24 whole = ReadImage(Bitmap);
    TImage24 part(Width, Height);
    Paste(part, whole, -Left, -Top);
    WriteImage(Stretch(part, whole.Width, whole.Height, Smooth), Bitmap);
}

std::string TCropFilter::Description() const { return PlotMsgFilterCrop; }

void TCropFilter::Assign(const TPlotFilter& source)
{
    TResizeFilter::Assign(source);
    if (auto* f = dynamic_cast<const TCropFilter*>(&source)) {
        Left = f->Left;
        Top = f->Top;
        Smooth = f->Smooth;
    }
}

void TCropFilter::WriteProperties(TPropertyWriter& Writer) const
{
    TResizeFilter::WriteProperties(Writer);
    WriteInt(Writer, "Left", Left, 0);
    WriteBool(Writer, "Smooth", Smooth, false);
    WriteInt(Writer, "Top", Top, 0);
}

bool TCropFilter::ReadProperty(const std::string& Name, const TPropertyValue& Value)
{
    if (Name == "Left")
        return ReadInt(Value, Left);
    if (Name == "Top")
        return ReadInt(Value, Top);
    if (Name == "Smooth")
        return ReadBool(Value, Smooth);
    return TResizeFilter::ReadProperty(Name, Value);
}

QWidget* TCropFilter::CreateEditor(QWidget* Parent, QWidget* Extra)
{
    QWidget* first = TResizeFilter::CreateEditor(Parent, Extra);
    AddIntEditor(Parent, PlotMsgCaptionLeft, Left);
    AddIntEditor(Parent, PlotMsgCaptionTop, Top);
    AddBoolEditor(Parent, PlotMsgCaptionSmooth, Smooth);
    return first;
}

void TRotateFilter::Apply(TBitmap& Bitmap, const TRect& R)
{
    TPlotFilter::Apply(Bitmap, R);
    if (Lines.empty())
        return;
    while (Angle >= 360)
        Angle -= 360;
    if (Angle == 0)
        return;
    if (Angle == 180) {
        TFlipFilter flip;
        flip.Apply(Bitmap, R);
        TReverseFilter reverse;
        reverse.Apply(Bitmap, R);
        return;
    }
    const TImage24 old = ReadImage(Bitmap);
    const int w = old.Width;
    const int h = old.Height;
    if (w < 2 || h < 2)
        return;
    // no alpha in 24-bit rows: a transparent background stays white
    const TColor back = BackColor == clNone ? clWhite : BackColor;
    TImage24 turned;
    if (Angle == 90 || Angle == 270) {
        turned = TImage24(h, w, back);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                // 90 turns counter-clockwise: the right edge becomes the top
                const int nx = Angle == 90 ? y : h - 1 - y;
                const int ny = Angle == 90 ? w - 1 - x : x;
                std::memcpy(turned.Pixel(nx, ny), old.Pixel(x, y), 3);
            }
        }
    } else {
        const double rad = (360 - Angle) * 0.017453292519943295;
        const double s = std::sin(rad);
        const double c = std::cos(rad);
        int nw = w;
        int nh = h;
        if (AutoSize) {
            nw = static_cast<int>(std::abs(Round(w * c)) + std::abs(Round(h * s)));
            nh = static_cast<int>(std::abs(Round(w * s)) + std::abs(Round(h * c)));
        }
        turned = TImage24(nw, nh, back);
        const double ocx = (w - 1) * 0.5;
        const double ocy = (h - 1) * 0.5;
        const double ncx = (nw - 1) * 0.5;
        const double ncy = (nh - 1) * 0.5;
        for (int y = 0; y < nh; ++y) {
            for (int x = 0; x < nw; ++x) {
                // back about the centres by the opposite turn
                const double dx = x - ncx;
                const double dy = y - ncy;
                const auto ox = Round(ocx + dx * c + dy * s);
                const auto oy = Round(ocy - dx * s + dy * c);
                if (ox >= 0 && oy >= 0 && ox < w && oy < h)
                    std::memcpy(turned.Pixel(x, y), old.Pixel(static_cast<int>(ox), static_cast<int>(oy)), 3);
            }
        }
    }
    WriteImage(turned, Bitmap);
    Lines.clear();
}

std::string TRotateFilter::Description() const { return PlotMsgFilterRotate; }

void TRotateFilter::Assign(const TPlotFilter& source)
{
    TPlotFilter::Assign(source);
    if (auto* f = dynamic_cast<const TRotateFilter*>(&source)) {
        Angle = f->Angle;
        AutoSize = f->AutoSize;
        BackColor = f->BackColor;
    }
}

void TRotateFilter::WriteProperties(TPropertyWriter& Writer) const
{
    WriteDouble(Writer, "Angle", Angle, 0);
    WriteBool(Writer, "AutoSize", AutoSize, true);
    WriteColor(Writer, "BackColor", BackColor, clWhite);
}

bool TRotateFilter::ReadProperty(const std::string& Name, const TPropertyValue& Value)
{
    if (Name == "Angle")
        return ReadDouble(Value, Angle);
    if (Name == "AutoSize")
        return ReadBool(Value, AutoSize);
    if (Name == "BackColor")
        return ReadColor(Value, BackColor);
    return TPlotFilter::ReadProperty(Name, Value);
}

QWidget* TRotateFilter::CreateEditor(QWidget* Parent, QWidget* Extra)
{
    TPlotFilter::CreateEditor(Parent, Extra);
    QWidget* first = AddDoubleEditor(Parent, Description(), Angle);
    AddBoolEditor(Parent, PlotMsgCaptionAutosize, AutoSize);
    return first;
}

void TMirrorFilter::Apply(TBitmap& Bitmap, const TRect& R)
{
    TPlotFilter::Apply(Bitmap, R);
    if (Lines.empty())
        return;
    const TImage24 old = ReadImage(Bitmap);
    const int w = old.Width;
    const int h = old.Height;
    const bool vertical = Direction == mdDown || Direction == mdUp;
    TImage24 mirrored = old;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            std::memcpy(mirrored.Pixel(x, y), vertical ? old.Pixel(x, h - 1 - y) : old.Pixel(w - 1 - x, y), 3);
    TImage24 both(vertical ? w : 2 * w, vertical ? 2 * h : h);
    switch (Direction) {
    case mdDown:
        Paste(both, old, 0, 0);
        Paste(both, mirrored, 0, h);
        break;
    case mdUp:
        Paste(both, mirrored, 0, 0);
        Paste(both, old, 0, h);
        break;
    case mdRight:
        Paste(both, old, 0, 0);
        Paste(both, mirrored, w, 0);
        break;
    case mdLeft:
        Paste(both, mirrored, 0, 0);
        Paste(both, old, w, 0);
        break;
    }
    WriteImage(both, Bitmap);
    Lines.clear();
}

std::string TMirrorFilter::Description() const { return PlotMsgFilterMirror; }

void TMirrorFilter::Assign(const TPlotFilter& source)
{
    TPlotFilter::Assign(source);
    if (auto* f = dynamic_cast<const TMirrorFilter*>(&source))
        Direction = f->Direction;
}

void TMirrorFilter::WriteProperties(TPropertyWriter& Writer) const
{
    if (Direction != mdDown) {
        Writer.WritePropName("Direction");
        Writer.WriteIdent(kMirrorNames[static_cast<std::size_t>(Direction)]);
    }
}

bool TMirrorFilter::ReadProperty(const std::string& Name, const TPropertyValue& Value)
{
    if (Name == "Direction")
        return ReadEnum(Value, Direction, kMirrorNames);
    return TPlotFilter::ReadProperty(Name, Value);
}

void TTileFilter::Apply(TBitmap& Bitmap, const TRect& R)
{
    TPlotFilter::Apply(Bitmap, R);
    if (Lines.empty())
        return;
    if (NumCols < 1)
        NumCols = 1;
    if (NumRows < 1)
        NumRows = 1;
    const TRect r = LimitRect(R, Bitmap.Width(), Bitmap.Height());
    const int cellWidth = (r.Right - r.Left + 1) / NumCols;
    const int cellHeight = (r.Bottom - r.Top + 1) / NumRows;
    if (cellWidth < 1 || cellHeight < 1)
        return;
    TImage24 whole = ReadImage(Bitmap);
    const TImage24 cell = Resample(whole, cellWidth, cellHeight, false);
    for (int row = 0; row < NumRows; ++row)
        for (int col = 0; col < NumCols; ++col)
            Paste(whole, cell, r.Left + col * cellWidth, r.Top + row * cellHeight);
    WriteImage(whole, Bitmap);
    Lines.clear();
}

std::string TTileFilter::Description() const { return PlotMsgFilterTile; }

void TTileFilter::Assign(const TPlotFilter& source)
{
    TPlotFilter::Assign(source);
    if (auto* f = dynamic_cast<const TTileFilter*>(&source)) {
        NumCols = f->NumCols;
        NumRows = f->NumRows;
    }
}

void TTileFilter::WriteProperties(TPropertyWriter& Writer) const
{
    WriteInt(Writer, "NumCols", NumCols, 3);
    WriteInt(Writer, "NumRows", NumRows, 3);
}

bool TTileFilter::ReadProperty(const std::string& Name, const TPropertyValue& Value)
{
    if (Name == "NumCols")
        return ReadInt(Value, NumCols);
    if (Name == "NumRows")
        return ReadInt(Value, NumRows);
    return TPlotFilter::ReadProperty(Name, Value);
}

QWidget* TTileFilter::CreateEditor(QWidget* Parent, QWidget* Extra)
{
    TPlotFilter::CreateEditor(Parent, Extra);
    QWidget* first = AddIntEditor(Parent, PlotMsgCaptionColumns, NumCols);
    AddIntEditor(Parent, PlotMsgCaptionRows, NumRows);
    return first;
}

void TBevelFilter::Apply(TBitmap& Bitmap, const TRect& R)
{
    TPlotFilter::Apply(Bitmap, R);
    if (Lines.empty())
        return;
    const TRect r = LimitRect(R, Bitmap.Width(), Bitmap.Height());
    const int midX = (r.Left + r.Right) / 2;
    const int midY = (r.Top + r.Bottom) / 2;
    for (int y = r.Top; y <= r.Bottom; ++y) {
        std::uint8_t* p = Lines[static_cast<std::size_t>(y)] + 3 * r.Left;
        for (int x = r.Left; x <= r.Right; ++x, p += 3) {
            int delta = 0;
            if ((y - r.Top < Size && y <= midY) || (x - r.Left < Size && x <= midX))
                delta += Bright;
            if ((r.Bottom - y < Size && y > midY) || (r.Right - x < Size && x > midX))
                delta -= Bright;
            if (delta != 0)
                for (int c = 0; c < 3; ++c)
                    p[c] = ClampByte(p[c] + delta);
        }
    }
}

std::string TBevelFilter::Description() const { return PlotMsgFilterBevel; }

void TBevelFilter::Assign(const TPlotFilter& source)
{
    TPlotFilter::Assign(source);
    if (auto* f = dynamic_cast<const TBevelFilter*>(&source)) {
        Bright = f->Bright;
        Size = f->Size;
    }
}

void TBevelFilter::WriteProperties(TPropertyWriter& Writer) const
{
    WriteInt(Writer, "Bright", Bright, 64);
    WriteInt(Writer, "Size", Size, 15);
}

bool TBevelFilter::ReadProperty(const std::string& Name, const TPropertyValue& Value)
{
    if (Name == "Bright")
        return ReadInt(Value, Bright);
    if (Name == "Size")
        return ReadInt(Value, Size);
    return TPlotFilter::ReadProperty(Name, Value);
}

QWidget* TBevelFilter::CreateEditor(QWidget* Parent, QWidget* Extra)
{
    TPlotFilter::CreateEditor(Parent, Extra);
    QWidget* first = AddIntEditor(Parent, "Bright", Bright);
    AddIntEditor(Parent, "Size", Size);
    return first;
}

void TZoomFilter::Apply(TBitmap& Bitmap, const TRect& R)
{
    TPlotFilter::Apply(Bitmap, R);
    if (Lines.empty() || Percent == 0)
        return;
    const TRect r = LimitRect(R, Bitmap.Width(), Bitmap.Height());
    const int w = r.Right - r.Left + 1;
    const int h = r.Bottom - r.Top + 1;
    if (w < 1 || h < 1)
        return;
    // the centred part, Percent smaller
    const int dx = static_cast<int>(Round(w * Percent * 0.005));
    const int dy = static_cast<int>(Round(h * Percent * 0.005));
    const int pw = w - 2 * dx;
    const int ph = h - 2 * dy;
    if (pw < 1 || ph < 1)
        return;
    TImage24 whole = ReadImage(Bitmap);
    TImage24 part(pw, ph);
    Paste(part, whole, -(r.Left + dx), -(r.Top + dy));
    Paste(whole, Stretch(part, w, h, Smooth), r.Left, r.Top);
    WriteImage(whole, Bitmap);
    Lines.clear();
}

std::string TZoomFilter::Description() const { return PlotMsgFilterZoom; }

void TZoomFilter::Assign(const TPlotFilter& source)
{
    TPlotFilter::Assign(source);
    if (auto* f = dynamic_cast<const TZoomFilter*>(&source)) {
        Percent = f->Percent;
        Smooth = f->Smooth;
    }
}

void TZoomFilter::WriteProperties(TPropertyWriter& Writer) const
{
    WriteDouble(Writer, "Percent", Percent, 10);
    WriteBool(Writer, "Smooth", Smooth, false);
}

bool TZoomFilter::ReadProperty(const std::string& Name, const TPropertyValue& Value)
{
    if (Name == "Percent")
        return ReadDouble(Value, Percent);
    if (Name == "Smooth")
        return ReadBool(Value, Smooth);
    return TPlotFilter::ReadProperty(Name, Value);
}

QWidget* TZoomFilter::CreateEditor(QWidget* Parent, QWidget* Extra)
{
    TPlotFilter::CreateEditor(Parent, Extra);
    QWidget* first = AddDoubleEditor(Parent, PlotMsgCaptionPercent, Percent);
    AddBoolEditor(Parent, PlotMsgCaptionSmooth, Smooth);
    return first;
}

// ---- registration ----

namespace {

template <typename T>
TFilterClass MakeClass(const char* name)
{
    return TFilterClass{name, [] { return std::unique_ptr<TPlotFilter>(std::make_unique<T>()); }};
}

const TFilterClass kInvert = MakeClass<TInvertFilter>("TInvertFilter");
const TFilterClass kGrayScale = MakeClass<TGrayScaleFilter>("TGrayScaleFilter");
const TFilterClass kMosaic = MakeClass<TMosaicFilter>("TMosaicFilter");
const TFilterClass kFlip = MakeClass<TFlipFilter>("TFlipFilter");
const TFilterClass kReverse = MakeClass<TReverseFilter>("TReverseFilter");
const TFilterClass kBrightness = MakeClass<TBrightnessFilter>("TBrightnessFilter");
const TFilterClass kContrast = MakeClass<TContrastFilter>("TContrastFilter");
const TFilterClass kColor = MakeClass<TColorFilter>("TColorFilter");
const TFilterClass kHueLumSat = MakeClass<THueLumSatFilter>("THueLumSatFilter");
const TFilterClass kBlur = MakeClass<TBlurFilter>("TBlurFilter");
const TFilterClass kSharpen = MakeClass<TSharpenFilter>("TSharpenFilter");
const TFilterClass kGamma = MakeClass<TGammaCorrectionFilter>("TGammaCorrectionFilter");
const TFilterClass kEmboss = MakeClass<TEmbossFilter>("TEmbossFilter");
const TFilterClass kSoften = MakeClass<TSoftenFilter>("TSoftenFilter");
const TFilterClass kCrop = MakeClass<TCropFilter>("TCropFilter");
const TFilterClass kResize = MakeClass<TResizeFilter>("TResizeFilter");
const TFilterClass kRotate = MakeClass<TRotateFilter>("TRotateFilter");
const TFilterClass kMirror = MakeClass<TMirrorFilter>("TMirrorFilter");
const TFilterClass kTile = MakeClass<TTileFilter>("TTileFilter");
const TFilterClass kBevel = MakeClass<TBevelFilter>("TBevelFilter");
const TFilterClass kZoom = MakeClass<TZoomFilter>("TZoomFilter");

const TFilterClass* const kClasses[] = {&kInvert, &kGrayScale, &kMosaic, &kFlip, &kReverse, &kBrightness,
                                        &kContrast, &kColor, &kHueLumSat, &kBlur, &kSharpen, &kGamma,
                                        &kEmboss, &kSoften, &kCrop, &kResize, &kRotate, &kMirror,
                                        &kTile, &kBevel, &kZoom};

void RotateWithFilter(TBitmap& Bitmap, double Angle)
{
    TRotateFilter filter;
    filter.Angle = Angle;
    ApplyTo(filter, Bitmap);
}

struct FiltersAtStart {
    FiltersAtStart() { RegisterPlotFilters(); }
} filtersAtStart;

}  // namespace

std::span<const TFilterClass* const> PlotFilterClasses()
{
    return kClasses;
}

void RegisterPlotFilters()
{
    RegisterFilters(kClasses);
    RotateBitmapProc = RotateWithFilter;
}

void UnregisterPlotFilters()
{
    RotateBitmapProc = nullptr;
    UnRegisterFilters(kClasses);
}
