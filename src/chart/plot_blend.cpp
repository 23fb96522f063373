#include "chart/plot_blend.h"

#include <algorithm>

#include "chart/plot_canvas.h"
#include "base/basic_types.h"

TPlotBlend::TPlotBlend(TPlotCanvas* Canvas, const TRect& R) : m_canvas(Canvas)
{
    CaptureRect(R);
}

void TPlotBlend::CaptureRect(const TRect& R)
{
    TRect r = NormalizeRect(R);
    r.Left = std::max(0, r.Left);
    r.Top = std::max(0, r.Top);
    r.Right = std::max(0, r.Right);
    r.Bottom = std::max(0, r.Bottom);
    if (r.Right - r.Left < 1)
        r.Right = r.Left + 1;
    if (r.Bottom - r.Top < 1)
        r.Bottom = r.Top + 1;
    r.Right = std::min(r.Right, m_canvas->Bounds.Right);
    r.Bottom = std::min(r.Bottom, m_canvas->Bounds.Bottom);
    m_rect = r;
    m_valid = r.Right - r.Left >= 1 && r.Bottom - r.Top >= 1;
    platform::DrawingDevice* device = m_canvas->GetHandle();
    if (!m_valid || !device)
        return;
    const platform::Bitmap& surface = device->Surface();
    m_bitmap = platform::Bitmap(r.Right - r.Left, r.Bottom - r.Top);
    for (int y = 0; y < m_bitmap.Height(); ++y)
        for (int x = 0; x < m_bitmap.Width(); ++x)
            m_bitmap.SetRawPixel(x, y, surface.RawPixel(r.Left + x, r.Top + y) | 0xFF000000u);
}

bool UseAlphaBlend = true;

void TPlotBlend::BlendBack(int Transparency)
{
    platform::DrawingDevice* device = m_canvas->GetHandle();
    if (m_canvas->Metafiling || !m_valid || !device)
        return;
    if (UseAlphaBlend) {
        // the background drawn over the area keeps Transparency percent
        const int alpha = 255 - static_cast<int>(Round(2.55 * (100 - Transparency)));
        device->AlphaBlend(m_rect.Left, m_rect.Top, m_bitmap.Width(), m_bitmap.Height(), m_bitmap, 0, 0,
                           m_bitmap.Width(), m_bitmap.Height(), alpha);
        return;
    }
    // d := d + (b - d) x a div 100 per channel; a pure white pixel first gets red 254
    const int w = std::min(m_bitmap.Width(), device->Width() - m_rect.Left);
    const int h = std::min(m_bitmap.Height(), device->Height() - m_rect.Top);
    for (int y = 0; y < h; ++y) {
        std::uint32_t* row = device->ScanLine(m_rect.Top + y) + m_rect.Left;
        for (int x = 0; x < w; ++x) {
            std::uint32_t d = row[x];
            if ((d & 0xFFFFFFu) == 0xFFFFFFu)
                d = (d & 0xFF00FFFFu) | (254u << 16);
            const std::uint32_t b = m_bitmap.RawPixel(x, y);
            std::uint32_t out = 0xFF000000u;
            for (int shift = 0; shift <= 16; shift += 8) {
                const int dc = static_cast<int>((d >> shift) & 0xFF);
                const int bc = static_cast<int>((b >> shift) & 0xFF);
                out |= static_cast<std::uint32_t>(dc + ((bc - dc) * Transparency) / 100) << shift;
            }
            row[x] = out;
        }
    }
}
