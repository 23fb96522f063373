#include "chart/plot_filters.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "chart/chart_messages.h"
#include "chart/drawing_utils.h"
#include "base/basic_types.h"


namespace {

std::uint8_t ClampByte(std::int64_t v)
{
    return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
}

// Nearest integer of |v| < 2^51, halves to even, as std::nearbyint gives it in
// the default rounding mode: adding 1.5 x 2^52 leaves no fraction bits.
inline double NearestWhole(double v)
{
    constexpr double kShift = 6755399441055744.0;
    return (v + kShift) - kShift;
}

// Results of the blur-shaped kernel by its sum s = (nine pixels) + c x centre,
// at index s - low; nullptr when the range is too wide for a table.
const std::uint8_t* ConvolveTable(float factor, int c, int& low)
{
    struct TTable {
        float Factor = 0;
        int Centre = 0;
        std::vector<std::uint8_t> Values;
    };
    thread_local TTable cache;
    if (c < -255 || c > 255)
        return nullptr;
    low = std::min(0, c) * 255;
    const int high = 9 * 255 + std::max(0, c) * 255;
    if (cache.Values.empty() || cache.Factor != factor || cache.Centre != c) {
        cache.Values.resize(static_cast<std::size_t>(high - low + 1));
        for (int s = low; s <= high; ++s)
            cache.Values[static_cast<std::size_t>(s - low)] =
                ClampByte(static_cast<std::int64_t>(NearestWhole(static_cast<double>(factor) * s)));
        cache.Factor = factor;
        cache.Centre = c;
    }
    return cache.Values.data();
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

// An amount added to a channel: beyond one full range every channel ends at
// the same end, so the sum stays within int.
int ChannelShift(double v)
{
    return v < -256 ? -256 : v > 256 ? 256 : static_cast<int>(v);
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

// A colour no pixel of Image has, the first from near magenta on; none
// when the image has every colour.
std::optional<TColor> UnusedColor(const TImage24& Image)
{
    constexpr std::uint32_t kColors = 1u << 24;
    std::vector<std::uint64_t> used(kColors / 64);
    for (std::size_t i = 0; i + 2 < Image.Data.size(); i += 3) {
        const std::uint32_t c = Image.Data[i] | (Image.Data[i + 1] << 8) | (Image.Data[i + 2] << 16);
        used[c >> 6] |= std::uint64_t{1} << (c & 63);
    }
    for (std::uint32_t n = 0; n < kColors; ++n) {
        const TColor candidate = (0xFE01FEu + n) & (kColors - 1);
        const std::uint32_t c = GetBValue(candidate) | (GetGValue(candidate) << 8) | (GetRValue(candidate) << 16);
        if (!(used[c >> 6] & (std::uint64_t{1} << (c & 63))))
            return candidate;
    }
    return std::nullopt;
}

void Paste(TImage24& target, const TImage24& source, std::int64_t x0, std::int64_t y0)
{
    for (int y = 0; y < source.Height; ++y) {
        const std::int64_t ty = y0 + y;
        if (ty < 0 || ty >= target.Height)
            continue;
        for (int x = 0; x < source.Width; ++x) {
            const std::int64_t tx = x0 + x;
            if (tx >= 0 && tx < target.Width)
                std::memcpy(target.Pixel(static_cast<int>(tx), static_cast<int>(ty)), source.Pixel(x, y), 3);
        }
    }
}

// Whether a filter may make a picture of Width x Height: a larger one is
// left undone, as a filter leaves a size it has no use for (the picture is
// drawn at every paint, where an error would stop every paint).
bool PictureSizeFits(int Width, int Height)
{
    constexpr int kMostSide = 32767;
    constexpr std::int64_t kMostPixels = std::int64_t{1} << 26;
    return Width <= kMostSide && Height <= kMostSide && std::int64_t{Width} * Height <= kMostPixels;
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

bool IsColour(const std::uint8_t* p, const std::uint8_t* k)
{
    return p[0] == k[0] && p[1] == k[1] && p[2] == k[2];
}

// The background, the pixels of the bitmap's transparent colour but those
// of r that Taken (row by row over r) marks as the picture's, to a colour no
// pixel has; left as it is when the bitmap has every colour.
void MoveBackground(TBitmap& bitmap, std::vector<std::uint8_t*>& lines, const TRect& r,
                    const std::vector<bool>& taken)
{
    const std::optional<TColor> free = UnusedColor(ReadImage(bitmap));
    if (!free)
        return;
    const TColor key = bitmap.TransparentColor();
    const std::uint8_t k[3] = {GetBValue(key), GetGValue(key), GetRValue(key)};
    const std::size_t w = static_cast<std::size_t>(r.Right - r.Left + 1);
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::uint8_t* p = lines[static_cast<std::size_t>(y)];
        const bool inRows = y >= r.Top && y <= r.Bottom;
        for (int x = 0; x < bitmap.Width(); ++x, p += 3) {
            if (!IsColour(p, k))
                continue;
            if (inRows && x >= r.Left && x <= r.Right
                && taken[static_cast<std::size_t>(y - r.Top) * w + static_cast<std::size_t>(x - r.Left)])
                continue;
            p[0] = GetBValue(*free);
            p[1] = GetGValue(*free);
            p[2] = GetRValue(*free);
        }
    }
    bitmap.SetTransparentColor(*free);
}

// f on each pixel of r. The pixels of a colour the bitmap names transparent
// are its background and stay as they are; when f gives a pixel of the
// picture that colour, the background takes one no pixel has.
template <typename F>
void ForEachPixel(TBitmap& bitmap, std::vector<std::uint8_t*>& lines, const TRect& r, F f)
{
    const TColor key = bitmap.TransparentColor();
    if (key == clNone) {
        for (int y = r.Top; y <= r.Bottom; ++y) {
            std::uint8_t* p = lines[static_cast<std::size_t>(y)] + 3 * r.Left;
            for (int x = r.Left; x <= r.Right; ++x, p += 3)
                f(p);
        }
        return;
    }
    const std::uint8_t k[3] = {GetBValue(key), GetGValue(key), GetRValue(key)};
    // the pixels of r that f gave the background's colour, made at the first
    std::vector<bool> taken;
    for (int y = r.Top; y <= r.Bottom; ++y) {
        std::uint8_t* p = lines[static_cast<std::size_t>(y)] + 3 * r.Left;
        for (int x = r.Left; x <= r.Right; ++x, p += 3) {
            if (IsColour(p, k))
                continue;
            f(p);
            if (IsColour(p, k)) {
                const std::size_t w = static_cast<std::size_t>(r.Right - r.Left + 1);
                if (taken.empty())
                    taken.resize(w * static_cast<std::size_t>(r.Bottom - r.Top + 1));
                taken[static_cast<std::size_t>(y - r.Top) * w + static_cast<std::size_t>(x - r.Left)] = true;
            }
        }
    }
    if (!taken.empty())
        MoveBackground(bitmap, lines, r, taken);
}

}  // namespace

// ---- TAmountFilter ----

const TPropertyTable<TPlotFilter>& TAmountFilter::PropertyTable() const
{
    static const TPropertyTable<TPlotFilter> table =
        TPropertyTable<TPlotFilter>::Of<TAmountFilter>(TPlotFilter::Properties())
            .Property("Amount", IntegerKind, &TAmountFilter::Amount, TInstanceDefault{&TAmountFilter::DefaultAmount})
            .Property("Percent", BooleanKind, &TAmountFilter::Percent, true);
    return table;
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
        // every result by its sum, from a table while the sums' range is small
        // (kept from call to call: the same kernel comes back for each text)
        int low = 0;
        const std::uint8_t* table = ConvolveTable(Factor, c, low);
        // per row, the sums of the three rows in each byte column first
        const int first = 3 * r.Left;
        std::vector<int> columns(static_cast<std::size_t>(3 * (r.Right - r.Left + 1)));
        for (int y = r.Top + 1; y < r.Bottom; ++y) {
            const std::uint8_t* a = Lines[static_cast<std::size_t>(y - 1)] + first;
            const std::uint8_t* m = Lines[static_cast<std::size_t>(y)] + first;
            const std::uint8_t* b = Lines[static_cast<std::size_t>(y + 1)] + first;
            for (std::size_t i = 0; i < columns.size(); ++i)
                columns[i] = a[i] + m[i] + b[i];
            const int* col = columns.data();
            if (table) {
                for (int i = 0; i < 3 * innerWidth; ++i)
                    *o++ = table[col[i] + col[i + 3] + col[i + 6] + c * m[i + 3] - low];
                continue;
            }
            for (int i = 0; i < 3 * innerWidth; ++i) {
                const int s = col[i] + col[i + 3] + col[i + 6] + c * m[i + 3];
                *o++ = ClampByte(static_cast<std::int64_t>(NearestWhole(factor * s)));
            }
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

__attribute__((target_clones("avx2", "default"))) static bool BlurOpaquePartClones(std::uint32_t* first,
                                                                                   std::ptrdiff_t stride, int width,
                                                                                   int height, int amount)
{
    // TBlurFilter: weights one around a centre of the amount, factor 1 / sum
    const float centre = static_cast<float>(amount);
    float sum = 0;
    for (int k = 0; k < 9; ++k)
        sum += k == 4 ? centre : 1.0f;
    const float factor = sum != 0 ? 1.0f / sum : 1.0f;
    if (!(std::abs(centre) < 65536))
        return false;
    const int c = amount - 1;
    int low = 0;
    const std::uint8_t* table = ConvolveTable(factor, c, low);
    if (!table)
        return false;
    auto row = [&](int y) { return first + y * stride; };
    // each channel of a pixel in a 16-bit lane, four pixels to a vector. Nine
    // pixels' sums fit a lane; so does the centre's extra weight for 0 <= c <= 247.
    using Bytes16 = std::uint8_t __attribute__((vector_size(16)));
    using Lanes16 = std::uint16_t __attribute__((vector_size(32)));
    const bool packedCentre = c >= 0 && c <= 247;
    const std::uint8_t* index = table - low;
    if (width >= 3 && height >= 3) {
        // each row's lanes taken once, before the row is written; per row the
        // sums of the three rows' columns
        const std::size_t n = static_cast<std::size_t>(width);
        const std::size_t lanes = 4 * n;
        thread_local std::vector<std::uint16_t> buffers;
        buffers.resize(4 * lanes);
        std::uint16_t* above = buffers.data();
        std::uint16_t* middle = above + lanes;
        std::uint16_t* below = middle + lanes;
        std::uint16_t* col = below + lanes;
        auto toLanes = [&](int y, std::uint16_t* out) {
            const auto* bytes = reinterpret_cast<const std::uint8_t*>(row(y));
            std::size_t i = 0;
            for (; i + 16 <= lanes; i += 16) {
                Bytes16 v;
                std::memcpy(&v, bytes + i, sizeof v);
                const Lanes16 w = __builtin_convertvector(v, Lanes16);
                std::memcpy(out + i, &w, sizeof w);
            }
            for (; i < lanes; ++i)
                out[i] = bytes[i];
        };
        toLanes(0, above);
        toLanes(1, middle);
        Lanes16 centreWeight = {};
        for (int k = 0; k < 16; ++k)
            centreWeight[k] = static_cast<std::uint16_t>(packedCentre ? c : 0);
        for (int y = 1; y + 1 < height; ++y) {
            std::uint32_t* line = row(y);
            toLanes(y + 1, below);
            std::size_t i = 0;
            for (; i + 16 <= lanes; i += 16) {
                Lanes16 va, vm, vb;
                std::memcpy(&va, above + i, sizeof va);
                std::memcpy(&vm, middle + i, sizeof vm);
                std::memcpy(&vb, below + i, sizeof vb);
                const Lanes16 sum = va + vm + vb;
                std::memcpy(col + i, &sum, sizeof sum);
            }
            for (; i < lanes; ++i)
                col[i] = static_cast<std::uint16_t>(above[i] + middle[i] + below[i]);
            std::size_t x = 1;
            if (packedCentre) {
                // four pixels at a time while the right neighbours are in the row
                alignas(32) std::uint16_t sums[16];
                for (; x + 5 <= n; x += 4) {
                    Lanes16 l, m, r, mid;
                    std::memcpy(&l, col + 4 * (x - 1), sizeof l);
                    std::memcpy(&m, col + 4 * x, sizeof m);
                    std::memcpy(&r, col + 4 * (x + 1), sizeof r);
                    std::memcpy(&mid, middle + 4 * x, sizeof mid);
                    const Lanes16 total = l + m + r + centreWeight * mid;
                    std::memcpy(sums, &total, sizeof total);
                    for (int k = 0; k < 4; ++k) {
                        const std::uint16_t* p = sums + 4 * k;
                        line[x + k] = 0xFF000000u | std::uint32_t{index[p[2]]} << 16 |
                                      std::uint32_t{index[p[1]]} << 8 | index[p[0]];
                    }
                }
            }
            for (; x + 1 < n; ++x) {
                const std::size_t j = 4 * x;
                auto channel = [&](std::size_t k) -> std::uint32_t {
                    return index[col[j - 4 + k] + col[j + k] + col[j + 4 + k] + c * middle[j + k]];
                };
                line[x] = 0xFF000000u | channel(2) << 16 | channel(1) << 8 | channel(0);
            }
            line[0] |= 0xFF000000u;
            line[n - 1] |= 0xFF000000u;
            std::uint16_t* freed = above;
            above = middle;
            middle = below;
            below = freed;
        }
    }
    // the rows the blur leaves (all of them when the part is too small)
    auto opaque = [&](int y) {
        std::uint32_t* line = row(y);
        for (int x = 0; x < width; ++x)
            line[x] |= 0xFF000000u;
    };
    opaque(0);
    if (width >= 3 && height >= 3) {
        opaque(height - 1);
    } else {
        for (int y = 1; y < height; ++y)
            opaque(y);
    }
    return true;
}

// The clones stay inside this file: a multi-versioned function called from
// another one does not link with every clang.
bool BlurOpaquePart(std::uint32_t* first, std::ptrdiff_t stride, int width, int height, int amount)
{
    return BlurOpaquePartClones(first, stride, width, height, amount);
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
    ForEachPixel(Bitmap, Lines, LimitRect(R, Bitmap.Width(), Bitmap.Height()), [](std::uint8_t* p) {
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
    ForEachPixel(Bitmap, Lines, LimitRect(R, Bitmap.Width(), Bitmap.Height()), [method](std::uint8_t* p) {
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

void TBrightnessFilter::Apply(TBitmap& Bitmap, const TRect& R)
{
    TPlotFilter::Apply(Bitmap, R);
    if (Lines.empty() || Amount == 0)
        return;
    const int add = ChannelShift(Percent ? static_cast<double>(Round(255.0 * ChannelShift(Amount) * 0.01)) : Amount);
    ForEachPixel(Bitmap, Lines, LimitRect(R, Bitmap.Width(), Bitmap.Height()), [add](std::uint8_t* p) {
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
    ForEachPixel(Bitmap, Lines, LimitRect(R, Bitmap.Width(), Bitmap.Height()), [&table](std::uint8_t* p) {
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
    const int r = ChannelShift(Red), g = ChannelShift(Green), b = ChannelShift(Blue);
    ForEachPixel(Bitmap, Lines, LimitRect(R, Bitmap.Width(), Bitmap.Height()), [=](std::uint8_t* p) {
        p[0] = ClampByte(p[0] + b);
        p[1] = ClampByte(p[1] + g);
        p[2] = ClampByte(p[2] + r);
    });
}

std::string TColorFilter::Description() const { return PlotMsgFilterColor; }

void THueLumSatFilter::Apply(TBitmap& Bitmap, const TRect& R)
{
    TPlotFilter::Apply(Bitmap, R);
    if (Lines.empty() || (Hue == 0 && Luminance == 0 && Saturation == 0))
        return;
    const int dh = ChannelShift(Hue), dl = ChannelShift(Luminance), ds = ChannelShift(Saturation);
    ForEachPixel(Bitmap, Lines, LimitRect(R, Bitmap.Width(), Bitmap.Height()), [=](std::uint8_t* p) {
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

TGammaCorrectionFilter::TGammaCorrectionFilter()
{
    InitAmount(70);
    HidePercent = true;
}

void TGammaCorrectionFilter::Apply(TBitmap& Bitmap, const TRect& R)
{
    TPlotFilter::Apply(Bitmap, R);
    if (Lines.empty())
        return;
    const double g = std::max(std::abs(static_cast<double>(Amount)) * 0.01, 0.001);
    std::uint8_t table[256];
    table[0] = 0;
    for (int i = 1; i < 256; ++i)
        table[i] = ClampByte(Round(255 * std::exp(std::log(i / 255.0) / g)));
    ForEachPixel(Bitmap, Lines, LimitRect(R, Bitmap.Width(), Bitmap.Height()), [&table](std::uint8_t* p) {
        p[0] = table[p[0]];
        p[1] = table[p[1]];
        p[2] = table[p[2]];
    });
}

std::string TGammaCorrectionFilter::Description() const { return PlotMsgFilterGamma; }

// ---- geometric filters ----

TMosaicFilter::TMosaicFilter()
{
    // built with blocks of 8, though the fixed filter format publishes 5
    Amount = 8;
    HidePercent = true;
}

void TMosaicFilter::Apply(TBitmap& Bitmap, const TRect& R)
{
    TPlotFilter::Apply(Bitmap, R);
    if (Lines.empty() || Amount <= 0)
        return;
    const TRect r = LimitRect(R, Bitmap.Width(), Bitmap.Height());
    // a block wider than the bitmap is the whole rectangle
    const int amount = std::min(Amount, std::max(Bitmap.Width(), Bitmap.Height()));
    for (int y0 = r.Top; y0 <= r.Bottom; y0 += amount) {
        const int y1 = std::min(r.Bottom, y0 + amount - 1);
        for (int x0 = r.Left; x0 <= r.Right; x0 += amount) {
            const int x1 = std::min(r.Right, x0 + amount - 1);
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
    if (Lines.empty() || Width < 1 || Height < 1 || !PictureSizeFits(Width, Height))
        return;
    const TImage24 resized = Resample(ReadImage(Bitmap), Width, Height, false);
    WriteImage(resized, Bitmap);
    Lines.clear();
}

std::string TResizeFilter::Description() const { return PlotMsgFilterResize; }

void TCropFilter::Apply(TBitmap& Bitmap, const TRect& R)
{
    TPlotFilter::Apply(Bitmap, R);
    if (Lines.empty() || Width < 1 || Height < 1 || !PictureSizeFits(Width, Height))
        return;
    const TImage24 whole = ReadImage(Bitmap);
    TImage24 part(Width, Height);
    Paste(part, whole, -std::int64_t{Left}, -std::int64_t{Top});
    WriteImage(Stretch(part, whole.Width, whole.Height, Smooth), Bitmap);
}

std::string TCropFilter::Description() const { return PlotMsgFilterCrop; }

void TRotateFilter::Apply(TBitmap& Bitmap, const TRect& R)
{
    TPlotFilter::Apply(Bitmap, R);
    if (Lines.empty())
        return;
    // an angle no turn has is refused
    if (!std::isfinite(Angle))
        return;
    if (Angle >= 360)
        Angle = std::fmod(Angle, 360.0);
    if (Angle == 0)
        return;
    // without a back colour what is transparent stays so, wherever it moves
    if (BackColor == clNone && Bitmap.Transparent() && Bitmap.TransparentColor() == clNone)
        Bitmap.SetTransparentColor(Bitmap.Pixel(0, Bitmap.Height() - 1));
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
    // no alpha in 24-bit rows: a transparent background is a colour the image
    // does not have (the one already transparent, if any), the bitmap's
    // transparent colour
    std::optional<TColor> unused;
    if (BackColor == clNone)
        unused = Bitmap.Transparent() ? Bitmap.TransparentColor() : UnusedColor(old);
    const bool transparent = unused.has_value();
    const TColor back = transparent ? *unused : BackColor == clNone ? clWhite : BackColor;
    TImage24 turned;
    const bool rightAngle = Angle == 90 || Angle == 270;
    if (rightAngle) {
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
    // the turned picture may cover the bottom-left pixel: the colour is named
    if (transparent && !rightAngle) {
        Bitmap.SetTransparentColor(back);
        Bitmap.SetTransparent(true);
    }
    Lines.clear();
}

std::string TRotateFilter::Description() const { return PlotMsgFilterRotate; }

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

void TBevelFilter::Apply(TBitmap& Bitmap, const TRect& R)
{
    TPlotFilter::Apply(Bitmap, R);
    if (Lines.empty())
        return;
    const TRect r = LimitRect(R, Bitmap.Width(), Bitmap.Height());
    const int midX = (r.Left + r.Right) / 2;
    const int midY = (r.Top + r.Bottom) / 2;
    const int bright = ChannelShift(Bright);
    for (int y = r.Top; y <= r.Bottom; ++y) {
        std::uint8_t* p = Lines[static_cast<std::size_t>(y)] + 3 * r.Left;
        for (int x = r.Left; x <= r.Right; ++x, p += 3) {
            int delta = 0;
            if ((y - r.Top < Size && y <= midY) || (x - r.Left < Size && x <= midX))
                delta += bright;
            if ((r.Bottom - y < Size && y > midY) || (r.Right - x < Size && x > midX))
                delta -= bright;
            if (delta != 0)
                for (int c = 0; c < 3; ++c)
                    p[c] = ClampByte(p[c] + delta);
        }
    }
}

std::string TBevelFilter::Description() const { return PlotMsgFilterBevel; }

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
    if (!std::isfinite(Percent))
        return;
    // the centred part, Percent smaller (beyond 100 percent nothing is left)
    const double percent = std::clamp(Percent, -1e6, 100.0);
    const std::int64_t dx = Round(w * percent * 0.005);
    const std::int64_t dy = Round(h * percent * 0.005);
    const std::int64_t pw = w - 2 * dx;
    const std::int64_t ph = h - 2 * dy;
    if (pw < 1 || ph < 1
        || !PictureSizeFits(static_cast<int>(std::min<std::int64_t>(pw, INT_MAX)),
                            static_cast<int>(std::min<std::int64_t>(ph, INT_MAX))))
        return;
    TImage24 whole = ReadImage(Bitmap);
    TImage24 part(static_cast<int>(pw), static_cast<int>(ph));
    Paste(part, whole, -(r.Left + dx), -(r.Top + dy));
    Paste(whole, Stretch(part, w, h, Smooth), r.Left, r.Top);
    WriteImage(whole, Bitmap);
    Lines.clear();
}

std::string TZoomFilter::Description() const { return PlotMsgFilterZoom; }

// ---- published properties beyond Enabled and Region, in writing order ----

namespace {

constexpr const char* kGrayMethodNames[] = {"gmSimple", "gmEye", "gmEye2"};
constexpr const char* kMirrorNames[] = {"mdDown", "mdUp", "mdRight", "mdLeft"};

struct TFilterProperties {
    using Table = TPropertyTable<TPlotFilter>;
    const Table& Base = TPlotFilter::Properties();

    Table GrayScale = Table::Of<TGrayScaleFilter>(Base).Property("Method", EnumKind(kGrayMethodNames),
                                                                  &TGrayScaleFilter::Method, gmSimple);
    Table Color = Table::Of<TColorFilter>(Base)
                      .Property("Blue", IntegerKind, &TColorFilter::Blue, 0)
                      .Property("Green", IntegerKind, &TColorFilter::Green, 0)
                      .Property("Red", IntegerKind, &TColorFilter::Red, 0);
    Table Rotate = Table::Of<TRotateFilter>(Base)
                       .Property("Angle", FloatKind, &TRotateFilter::Angle, 0.0)
                       .Property("AutoSize", BooleanKind, &TRotateFilter::AutoSize, true)
                       .Property("BackColor", ColorKind, &TRotateFilter::BackColor, clWhite);
    Table HueLumSat = Table::Of<THueLumSatFilter>(Base)
                          .Property("Hue", IntegerKind, &THueLumSatFilter::Hue, 0)
                          .Property("Luminance", IntegerKind, &THueLumSatFilter::Luminance, 0)
                          .Property("Saturation", IntegerKind, &THueLumSatFilter::Saturation, 0);
    Table Mirror = Table::Of<TMirrorFilter>(Base).Property("Direction", EnumKind(kMirrorNames),
                                                            &TMirrorFilter::Direction, mdDown);
    Table Blur = Table::Of<TBlurFilter>(Base)
                     .Property("Amount", IntegerKind, &TBlurFilter::Amount, 1)
                     .Property("Steps", IntegerKind, &TBlurFilter::Steps, 1);
    Table Zoom = Table::Of<TZoomFilter>(Base)
                     .Property("Percent", FloatKind, &TZoomFilter::Percent, 10.0)
                     .Property("Smooth", BooleanKind, &TZoomFilter::Smooth, false);
    Table Resize = Table::Of<TResizeFilter>(Base)
                       .Property("Height", IntegerKind, &TResizeFilter::Height, 0)
                       .Property("Width", IntegerKind, &TResizeFilter::Width, 0);
    Table Crop = Table::Of<TCropFilter>(Resize)
                     .Property("Left", IntegerKind, &TCropFilter::Left, 0)
                     .Property("Smooth", BooleanKind, &TCropFilter::Smooth, false)
                     .Property("Top", IntegerKind, &TCropFilter::Top, 0);
    Table Tile = Table::Of<TTileFilter>(Base)
                     .Property("NumCols", IntegerKind, &TTileFilter::NumCols, 3)
                     .Property("NumRows", IntegerKind, &TTileFilter::NumRows, 3);
    Table Bevel = Table::Of<TBevelFilter>(Base)
                      .Property("Bright", IntegerKind, &TBevelFilter::Bright, 64)
                      .Property("Size", IntegerKind, &TBevelFilter::Size, 15);
};

const TFilterProperties& FilterProperties()
{
    static const TFilterProperties tables;
    return tables;
}

}  // namespace

const TPropertyTable<TPlotFilter>& TGrayScaleFilter::PropertyTable() const { return FilterProperties().GrayScale; }
const TPropertyTable<TPlotFilter>& TColorFilter::PropertyTable() const { return FilterProperties().Color; }
const TPropertyTable<TPlotFilter>& THueLumSatFilter::PropertyTable() const { return FilterProperties().HueLumSat; }
const TPropertyTable<TPlotFilter>& TBlurFilter::PropertyTable() const { return FilterProperties().Blur; }
const TPropertyTable<TPlotFilter>& TResizeFilter::PropertyTable() const { return FilterProperties().Resize; }
const TPropertyTable<TPlotFilter>& TCropFilter::PropertyTable() const { return FilterProperties().Crop; }
const TPropertyTable<TPlotFilter>& TRotateFilter::PropertyTable() const { return FilterProperties().Rotate; }
const TPropertyTable<TPlotFilter>& TMirrorFilter::PropertyTable() const { return FilterProperties().Mirror; }
const TPropertyTable<TPlotFilter>& TTileFilter::PropertyTable() const { return FilterProperties().Tile; }
const TPropertyTable<TPlotFilter>& TBevelFilter::PropertyTable() const { return FilterProperties().Bevel; }
const TPropertyTable<TPlotFilter>& TZoomFilter::PropertyTable() const { return FilterProperties().Zoom; }

// ---- editors: one control per property, in the order shown ----

void TAmountFilter::CreateEditor(IFilterEditor& Editor)
{
    Editor.AddInteger(Description(), Amount);
    if (!HidePercent)
        Editor.AddBoolean(PlotMsgCaptionPercent, Percent);
}

void TColorFilter::CreateEditor(IFilterEditor& Editor)
{
    Editor.AddInteger("Red", Red);
    Editor.AddInteger("Green", Green);
    Editor.AddInteger("Blue", Blue);
}

void TBlurFilter::CreateEditor(IFilterEditor& Editor)
{
    Editor.AddInteger(Description(), Amount);
    Editor.AddInteger("Steps", Steps);
}

void TCropFilter::CreateEditor(IFilterEditor& Editor)
{
    TResizeFilter::CreateEditor(Editor);
    Editor.AddInteger(PlotMsgCaptionLeft, Left);
    Editor.AddInteger(PlotMsgCaptionTop, Top);
    Editor.AddBoolean(PlotMsgCaptionSmooth, Smooth);
}

void THueLumSatFilter::CreateEditor(IFilterEditor& Editor)
{
    Editor.AddInteger("Hue", Hue);
    Editor.AddInteger("Luminance", Luminance);
    Editor.AddInteger("Saturation", Saturation);
}

void TRotateFilter::CreateEditor(IFilterEditor& Editor)
{
    Editor.AddFloat(Description(), Angle);
    Editor.AddBoolean(PlotMsgCaptionAutosize, AutoSize);
    Editor.AddColor(PlotMsgCaptionBack, BackColor);
}

void TResizeFilter::CreateEditor(IFilterEditor& Editor)
{
    Editor.AddInteger(PlotMsgCaptionWidth, Width);
    Editor.AddInteger(PlotMsgCaptionHeight, Height);
}

void TTileFilter::CreateEditor(IFilterEditor& Editor)
{
    Editor.AddInteger(PlotMsgCaptionColumns, NumCols);
    Editor.AddInteger(PlotMsgCaptionRows, NumRows);
}

void TZoomFilter::CreateEditor(IFilterEditor& Editor)
{
    Editor.AddFloat(PlotMsgCaptionPercent, Percent);
    Editor.AddBoolean(PlotMsgCaptionSmooth, Smooth);
}

void TBevelFilter::CreateEditor(IFilterEditor& Editor)
{
    Editor.AddInteger("Bright", Bright);
    Editor.AddInteger("Size", Size);
}

// ---- registration ----

namespace {

template <typename T>
TFilterClass MakeClass(const char* name)
{
    return TFilterClass{name, [] { return std::unique_ptr<TPlotFilter>(std::make_unique<T>()); }};
}

}  // namespace

void RotateBitmap(TBitmap& Bitmap, double Angle)
{
    TRotateFilter filter;
    filter.Angle = Angle;
    ApplyTo(filter, Bitmap);
}

std::span<const TFilterClass* const> PlotFilterClasses()
{
    // built on first use, not while the program loads; in registration order
    static const TFilterClass classes[] = {
        MakeClass<TInvertFilter>("TInvertFilter"),
        MakeClass<TGrayScaleFilter>("TGrayScaleFilter"),
        MakeClass<TMosaicFilter>("TMosaicFilter"),
        MakeClass<TFlipFilter>("TFlipFilter"),
        MakeClass<TReverseFilter>("TReverseFilter"),
        MakeClass<TBrightnessFilter>("TBrightnessFilter"),
        MakeClass<TContrastFilter>("TContrastFilter"),
        MakeClass<TColorFilter>("TColorFilter"),
        MakeClass<THueLumSatFilter>("THueLumSatFilter"),
        MakeClass<TBlurFilter>("TBlurFilter"),
        MakeClass<TSharpenFilter>("TSharpenFilter"),
        MakeClass<TGammaCorrectionFilter>("TGammaCorrectionFilter"),
        MakeClass<TEmbossFilter>("TEmbossFilter"),
        MakeClass<TSoftenFilter>("TSoftenFilter"),
        MakeClass<TCropFilter>("TCropFilter"),
        MakeClass<TResizeFilter>("TResizeFilter"),
        MakeClass<TRotateFilter>("TRotateFilter"),
        MakeClass<TMirrorFilter>("TMirrorFilter"),
        MakeClass<TTileFilter>("TTileFilter"),
        MakeClass<TBevelFilter>("TBevelFilter"),
        MakeClass<TZoomFilter>("TZoomFilter"),
    };
    static const auto pointers = [] {
        std::array<const TFilterClass*, std::size(classes)> p{};
        for (std::size_t i = 0; i < p.size(); ++i)
            p[i] = &classes[i];
        return p;
    }();
    return pointers;
}

void RegisterPlotFilters()
{
    RegisterFilters(PlotFilterClasses());
}

void UnregisterPlotFilters()
{
    UnRegisterFilters(PlotFilterClasses());
}
