// The canvas' gradient fill: bands, centre and corner walks, diagonal lines
// and the radial fill, each step in one colour of the two-colour ramp.
#include <algorithm>

#include "chart/plot_canvas_3d.h"
#include "chart/plot_gradient.h"
#include "platform/system_colors.h"

namespace {

// Fills with the device's DC brush, changing its colour only when a step's
// colour differs; the previous brush comes back at the end.
class TStepBrush {
public:
    explicit TStepBrush(platform::DrawingDevice& device) : m_device(device), m_saved(device.GetBrush())
    {
        m_device.SelectStockObject(platform::StockObject::DCBrush);
    }
    ~TStepBrush() { m_device.SelectBrush(m_saved); }

    void Fill(TColor colour, int x, int y, int w, int h)
    {
        if (w <= 0 || h <= 0)
            return;
        if (!m_hasColour || colour != m_colour) {
            m_device.SetDCBrushColor(colour);
            m_colour = colour;
            m_hasColour = true;
        }
        m_device.PatBlt(x, y, w, h, platform::Rop3::PatCopy);
    }

private:
    platform::DrawingDevice& m_device;
    platform::BrushDesc m_saved;
    TColor m_colour = 0;
    bool m_hasColour = false;
};

}  // namespace

void TPlotCanvas3D::GradientFill(const TRect& R, TColor StartColor, TColor EndColor, TGradientDirection Direction,
                                 int Balance)
{
    if (!m_device)
        return;
    const TRect r = NormalizeRect(R);
    if (Direction == gdRadial) {
        TCustomPlotGradient radial;
        radial.SetStartColor(StartColor);
        radial.SetEndColor(EndColor);
        radial.DrawRadial(*this, r);
        return;
    }
    if (Direction != gdTopBottom && Direction != gdLeftRight && Direction != gdDiagonalUp
        && Direction != gdDiagonalDown)
        std::swap(StartColor, EndColor);
    const TColor c0 = platform::ColorToRGB(StartColor);
    const TColor c1 = platform::ColorToRGB(EndColor);
    const int w = r.Width();
    const int h = r.Height();

    switch (Direction) {
    case gdTopBottom:
    case gdBottomTop:
    case gdLeftRight:
    case gdRightLeft: {
        const bool vertical = Direction == gdTopBottom || Direction == gdBottomTop;
        const int extent = vertical ? h : w;
        if (extent <= 1)
            return;
        const int n = std::min(extent, 256);
        TStepBrush brush(*m_device);
        // step 0 at the bottom (or right) edge
        for (int i = 0; i < n; ++i) {
            const TColor c = GradientStepColor(c0, c1, i, n - 1, Balance);
            const int a = static_cast<int>(static_cast<std::int64_t>(i) * extent / n);
            const int b = static_cast<int>(static_cast<std::int64_t>(i + 1) * extent / n);
            if (vertical)
                brush.Fill(c, r.Left, r.Bottom - b, w, b - a);
            else
                brush.Fill(c, r.Right - b, r.Top, b - a, h);
        }
        break;
    }
    case gdFromCenter: {
        const int n = std::max(w / 2, h / 2);
        const int d = std::max(1, w / 2 + h / 2);
        TStepBrush brush(*m_device);
        for (int i = 0; i < n; ++i) {
            const int ix = std::min(i, w / 2);
            const int iy = std::min(i, h / 2);
            const TColor c = GradientStepColor(c0, c1, ix + iy, d, Balance);
            const int left = r.Left + ix;
            const int right = r.Right - ix;
            const int top = r.Top + iy;
            const int bottom = r.Bottom - iy;
            if (right <= left || bottom <= top)
                break;
            brush.Fill(c, left, top, right - left, 1);
            brush.Fill(c, left, bottom - 1, right - left, 1);
            brush.Fill(c, left, top, 1, bottom - top);
            brush.Fill(c, right - 1, top, 1, bottom - top);
        }
        break;
    }
    case gdFromTopLeft:
    case gdFromBottomLeft: {
        if (w <= 0 || h <= 0)
            return;
        const int n = std::max(w, h);
        const int d = std::max(1, w + h);
        const bool fromTop = Direction == gdFromTopLeft;
        TStepBrush brush(*m_device);
        for (int i = 0; i < n; ++i) {
            const int ix = std::min(i, w - 1);
            const int iy = std::min(i, h - 1);
            const TColor c = GradientStepColor(c0, c1, ix + iy, d, Balance);
            const int x = r.Left + ix;
            if (fromTop) {
                const int y = r.Top + iy;
                brush.Fill(c, x, y, 1, r.Bottom - y);
                brush.Fill(c, x, y, r.Right - x, 1);
            } else {
                const int y = r.Bottom - 1 - iy;
                brush.Fill(c, x, r.Top, 1, y - r.Top + 1);
                brush.Fill(c, x, y, r.Right - x, 1);
            }
        }
        break;
    }
    case gdDiagonalUp:
    case gdDiagonalDown: {
        if (w <= 0 || h <= 0)
            return;
        const int n = w + h;
        // at most 255 colour steps; later steps keep the end colour
        const int d = std::max(1, std::min(255, w + h - 1));
        const platform::PenDesc savedPen = m_device->GetPen();
        TColor previous = 0;
        bool hasPen = false;
        for (int i = 0; i < n; ++i) {
            // one end walks the top (or bottom) edge, then down (or up) the right side;
            // the other walks the left side, then the bottom (or top) edge
            const bool down = Direction == gdDiagonalDown;
            const int ax = i < w ? r.Left + i : r.Right - 1;
            const int ay = i < w ? 0 : i - w + 1;
            const int bx = i < h ? r.Left : r.Left + i - h + 1;
            const int by = i < h ? i : h - 1;
            if (ay >= h)
                break;  // past the far corner: nothing of the rectangle is left
            const TColor c = GradientStepColor(c0, c1, std::min(i, d), d, Balance);
            if (!hasPen || c != previous) {
                m_device->SelectPen(platform::PenDesc::Solid(c));
                previous = c;
                hasPen = true;
            }
            const int y0 = down ? r.Top + ay : r.Bottom - 1 - ay;
            const int y1 = down ? r.Top + by : r.Bottom - 1 - by;
            m_device->MoveTo(ax, y0);
            // one past the end, so the line keeps its last pixel
            m_device->LineTo(bx - 1, down ? y1 + 1 : y1 - 1);
        }
        m_device->SelectPen(savedPen);
        break;
    }
    case gdRadial:
        break;
    }
}
