#include "chart/graphics_objects.h"

#include <cstdlib>

void TPen::SetColor(TColor value)
{
    if (value == m_color)
        return;
    m_color = value;
    m_handle.reset();
    Changed();
}

void TPen::SetMode(TPenMode value)
{
    if (value == m_mode)
        return;
    m_mode = value;
    Changed();
}

void TPen::SetStyle(TPenStyle value)
{
    if (value == m_style)
        return;
    m_style = value;
    m_handle.reset();
    Changed();
}

void TPen::SetWidth(int value)
{
    if (value < 0 || value == m_width)
        return;
    m_width = value;
    m_handle.reset();
    Changed();
}

void TPen::SetHandle(const TPenHandle& handle)
{
    m_handle = std::make_unique<TPenHandle>(handle);
    Changed();
}

void TPen::Assign(const TPen& source)
{
    if (&source == this)
        return;
    const bool same = m_color == source.m_color && m_mode == source.m_mode && m_style == source.m_style
        && m_width == source.m_width && !m_handle;
    m_color = source.m_color;
    m_mode = source.m_mode;
    m_style = source.m_style;
    m_width = source.m_width;
    m_handle.reset();
    if (!same)
        Changed();
}

void TBrush::SetColor(TColor value)
{
    if (value == m_color)
        return;
    m_color = value;
    Changed();
}

void TBrush::SetStyle(TBrushStyle value)
{
    if (value == m_style)
        return;
    m_style = value;
    Changed();
}

void TBrush::SetBitmap(TBitmap* value)
{
    if (value == m_bitmap)
        return;
    m_bitmap = value;
    Changed();
}

void TBrush::Assign(const TBrush& source)
{
    if (&source == this)
        return;
    const bool same = m_color == source.m_color && m_style == source.m_style && m_bitmap == source.m_bitmap;
    m_color = source.m_color;
    m_style = source.m_style;
    m_bitmap = source.m_bitmap;
    if (!same)
        Changed();
}

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const std::int64_t p = static_cast<std::int64_t>(a) * b;
    // rounds half away from zero, as the system routine does
    std::int64_t q = (std::llabs(p) + std::llabs(static_cast<std::int64_t>(c)) / 2) / std::llabs(static_cast<std::int64_t>(c));
    if ((p < 0) != (c < 0))
        q = -q;
    return static_cast<int>(q);
}

void TFont::SetName(const std::string& value)
{
    if (value == m_name)
        return;
    m_name = value;
    Changed();
}

int TFont::Size() const
{
    return -MulDiv(m_height, 72, m_pixelsPerInch);
}

void TFont::SetSize(int value)
{
    SetHeight(-MulDiv(value, m_pixelsPerInch, 72));
}

void TFont::SetHeight(int value)
{
    if (value == m_height)
        return;
    m_height = value;
    Changed();
}

void TFont::SetColor(TColor value)
{
    if (value == m_color)
        return;
    m_color = value;
    Changed();
}

void TFont::SetStyle(int value)
{
    if (value == m_style)
        return;
    m_style = value;
    Changed();
}

void TFont::SetCharset(int value)
{
    if (value == m_charset)
        return;
    m_charset = value;
    Changed();
}

void TFont::SetOrientation(int value)
{
    if (value == m_orientation)
        return;
    m_orientation = value;
    Changed();
}

void TFont::Assign(const TFont& source)
{
    if (&source == this)
        return;
    m_name = source.m_name;
    // the size in points is kept across resolutions
    m_height = -MulDiv(source.Size(), m_pixelsPerInch, 72);
    m_color = source.m_color;
    m_style = source.m_style;
    m_charset = source.m_charset;
    m_orientation = source.m_orientation;
    Changed();
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TPixelFormat format) : m_format(format)
{
    SetSize(width, height);
}

TBitmap::~TBitmap() = default;

std::unique_ptr<TGraphic> TBitmap::Clone() const
{
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(*this);
    return copy;
}

static QImage::Format QtFormat(TPixelFormat format)
{
    return format == pf24bit ? QImage::Format_BGR888 : QImage::Format_RGB32;
}

void TBitmap::SetSize(int width, int height)
{
    if (width < 0)
        width = 0;
    if (height < 0)
        height = 0;
    if (width == m_image.width() && height == m_image.height() && !m_image.isNull())
        return;
    if (width == 0 || height == 0) {
        m_image = QImage();
        return;
    }
    QImage image(width, height, QtFormat(m_format));
    image.fill(Qt::white);
    m_image = image;
}

void TBitmap::SetPixelFormat(TPixelFormat format)
{
    if (format == m_format)
        return;
    m_format = format;
    if (!m_image.isNull())
        m_image = m_image.convertToFormat(QtFormat(format));
}

void TBitmap::Assign(const TBitmap& source)
{
    if (&source == this)
        return;
    m_format = source.m_format;
    m_image = source.m_image.copy();
}

std::uint8_t* TBitmap::ScanLine(int y)
{
    if (y < 0 || y >= m_image.height())
        return nullptr;
    return m_image.scanLine(y);
}

void TPicture::SetGraphic(const TGraphic* graphic)
{
    if (graphic)
        m_graphic = graphic->Clone();
    else
        m_graphic.reset();
    Changed();
}

void TPicture::Assign(const TPicture* source)
{
    if (source == this)
        return;
    SetGraphic(source ? source->Graphic() : nullptr);
}
