#include "chart/plot_blend.h"

#include <algorithm>

#include "chart/plot_canvas.h"
#include "core/basic_types.h"

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

void TPlotBlend::BlendBack(int Transparency)
{
    platform::DrawingDevice* device = m_canvas->GetHandle();
    if (m_canvas->Metafiling || !m_valid || !device)
        return;
    // the background drawn over the area keeps Transparency percent
    const int alpha = 255 - static_cast<int>(Round(2.55 * (100 - Transparency)));
    device->AlphaBlend(m_rect.Left, m_rect.Top, m_bitmap.Width(), m_bitmap.Height(), m_bitmap, 0, 0,
                       m_bitmap.Width(), m_bitmap.Height(), alpha);
}
