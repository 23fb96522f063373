#include "chart/drawing_utils.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "base/basic_types.h"
#include "chart/plot_canvas.h"
#include "platform/dialogs.h"
#include "platform/drawing_device.h"
#include "platform/system_colors.h"

void SwapPoint(TPoint& A, TPoint& B)
{
    std::swap(A, B);
}

void SwapInteger(int& A, int& B)
{
    std::swap(A, B);
}

double Hypotenuse(double A, double B)
{
    return std::sqrt(A * A + B * B);
}

TPoint PointAlongLine(const TPoint& P0, const TPoint& P1, int D)
{
    if (P0.X == P1.X)
        return TPoint{P1.X, P1.Y < P0.Y ? P1.Y + D : P1.Y - D};
    const double a = std::atan2(static_cast<double>(P1.Y - P0.Y), static_cast<double>(P1.X - P0.X));
    return TPoint{P1.X - static_cast<int>(Round(D * std::cos(a))), P1.Y - static_cast<int>(Round(D * std::sin(a)))};
}

namespace {

constexpr double kPi = 3.14159265358979323846;

double Sinc(double x)
{
    // the limit at 0 is 1
    if (x == 0)
        return 1;
    const double px = kPi * x;
    return std::sin(px) / px;
}

struct TContributor {
    int Pixel;
    int Weight;  // scaled by 1024
};

// For each destination position, the source positions and their weights.
std::vector<std::vector<TContributor>> Contributions(int dstSize, int srcSize, double (*filter)(double),
                                                     double support)
{
    std::vector<std::vector<TContributor>> list(static_cast<std::size_t>(dstSize));
    const double scale = static_cast<double>(dstSize) / srcSize;
    const double fscale = scale < 1 ? scale : 1.0;
    const double width = scale < 1 ? support / scale : support;
    for (int i = 0; i < dstSize; ++i) {
        const double centre = i / scale;
        const int left = static_cast<int>(std::floor(centre - width));
        const int right = static_cast<int>(std::ceil(centre + width));
        auto& c = list[static_cast<std::size_t>(i)];
        for (int j = left; j <= right; ++j) {
            const int weight = static_cast<int>(Round(filter((centre - j) * fscale) * fscale * 1024));
            if (weight == 0)
                continue;
            int n = j;
            if (n < 0)
                n = -n;
            else if (n >= srcSize)
                n = 2 * srcSize - 1 - n;
            n = std::clamp(n, 0, srcSize - 1);
            c.push_back({n, weight});
        }
    }
    return list;
}

std::uint8_t Channel(std::int64_t sum)
{
    if (sum < 0)
        return 0;
    if (sum >= 256 * 1024)
        return 255;
    return static_cast<std::uint8_t>(sum >> 10);
}

// One blue-green-red output pixel: the weighted sum of the contributors'
// triples, contributor n's triple standing n * stride bytes after first.
void BlendPixel(const std::vector<TContributor>& contributors, const std::uint8_t* first, std::size_t stride,
                std::uint8_t* out)
{
    std::int64_t b = 0, g = 0, r = 0;
    for (const TContributor& c : contributors) {
        const std::uint8_t* p = first + static_cast<std::size_t>(c.Pixel) * stride;
        b += std::int64_t{p[0]} * c.Weight;
        g += std::int64_t{p[1]} * c.Weight;
        r += std::int64_t{p[2]} * c.Weight;
    }
    out[0] = Channel(b);
    out[1] = Channel(g);
    out[2] = Channel(r);
}

}  // namespace

double LanczosFilter(double X)
{
    if (X < 0)
        X = -X;
    if (X < 3)
        return Sinc(X) * Sinc(X / 3);
    return 0;
}

double TriangleFilter(double X)
{
    if (X < 0)
        X = -X;
    return X < 1 ? 1 - X : 0;
}

void ResampleBitmap(const TBitmap& Source, TBitmap& Dest, bool Fast)
{
    const int sw = Source.Width();
    const int sh = Source.Height();
    const int dw = Dest.Width();
    const int dh = Dest.Height();
    Dest.SetPixelFormat(pf24bit);
    if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0)
        return;
    TBitmap src;
    src.Assign(Source);
    src.SetPixelFormat(pf24bit);
    double (*filter)(double) = Fast ? TriangleFilter : LanczosFilter;
    const double support = Fast ? 1.0 : 3.0;

    // horizontal pass: sh rows of dw pixels
    std::vector<std::uint8_t> work(static_cast<std::size_t>(dw) * sh * 3);
    const auto columns = Contributions(dw, sw, filter, support);
    for (int y = 0; y < sh; ++y) {
        const std::uint8_t* in = src.ScanLine(y);
        std::uint8_t* out = work.data() + static_cast<std::size_t>(y) * dw * 3;
        for (int x = 0; x < dw; ++x)
            BlendPixel(columns[static_cast<std::size_t>(x)], in, 3, out + 3 * x);
    }
    // vertical pass
    const auto rows = Contributions(dh, sh, filter, support);
    for (int y = 0; y < dh; ++y) {
        std::uint8_t* out = Dest.ScanLine(y);
        const auto& contributors = rows[static_cast<std::size_t>(y)];
        for (int x = 0; x < dw; ++x)
            BlendPixel(contributors, work.data() + static_cast<std::size_t>(x) * 3, static_cast<std::size_t>(dw) * 3,
                       out + 3 * x);
    }
}

namespace {

constexpr int kCheckBoxSize = 13;

TColor SystemColour(platform::SystemColorIndex index)
{
    return platform::SystemColorRGB(static_cast<int>(index));
}

// The radio button of the frame-control look: a sunken double ring, the
// window colour inside, a dot when checked.
void DrawRadioButton(int X, int Y, TPlotCanvas& Canvas, bool Checked)
{
    using platform::SystemColorIndex;
    const int s = kCheckBoxSize;
    TPen* pen = Canvas.Pen();
    TBrush* brush = Canvas.Brush();
    pen->SetStyle(psSolid);
    pen->SetWidth(1);
    // each ring: its upper-left half (counter-clockwise from the upper right
    // to the lower left), then its lower-right half
    auto ring = [&](int inset, TColor upperLeft, TColor lowerRight) {
        const int l = X + inset, t = Y + inset, r = X + s - inset, b = Y + s - inset;
        pen->SetColor(upperLeft);
        Canvas.Arc(l, t, r, b, r, t, l, b);
        pen->SetColor(lowerRight);
        Canvas.Arc(l, t, r, b, l, b, r, t);
    };
    ring(0, SystemColour(SystemColorIndex::BtnShadow), SystemColour(SystemColorIndex::BtnHighlight));
    ring(1, SystemColour(SystemColorIndex::DkShadow3D), SystemColour(SystemColorIndex::Light3D));
    const TColor window = SystemColour(SystemColorIndex::Window);
    pen->SetColor(window);
    brush->SetBitmap(nullptr);
    brush->SetStyle(bsSolid);
    brush->SetColor(window);
    Canvas.Ellipse(X + 2, Y + 2, X + s - 2, Y + s - 2);
    if (!Checked)
        return;
    const TColor dot = SystemColour(SystemColorIndex::WindowText);
    pen->SetColor(dot);
    brush->SetColor(dot);
    Canvas.Ellipse(X + 4, Y + 4, X + s - 4, Y + s - 4);
}

}  // namespace

void DrawCheckBox(int X, int Y, TPlotCanvas& Canvas, bool Checked, bool CheckBox)
{
    if (CheckBox) {
        if (platform::DrawingDevice* device = Canvas.GetHandle())
            device->DrawCheckBox({X, Y, X + kCheckBoxSize, Y + kCheckBoxSize}, Checked, false);
        return;
    }
    TPen savedPen;
    savedPen.Assign(*Canvas.Pen());
    TBrush savedBrush;
    savedBrush.Assign(*Canvas.Brush());
    DrawRadioButton(X, Y, Canvas, Checked);
    Canvas.Pen()->Assign(savedPen);
    Canvas.Brush()->Assign(savedBrush);
}

bool EditColor(QWidget* Owner, TColor& Colour)
{
    const std::optional<TColor> picked = platform::CurrentDialogs().PickColor(Owner, Colour);
    if (!picked || *picked == Colour)
        return false;
    Colour = *picked;
    return true;
}
