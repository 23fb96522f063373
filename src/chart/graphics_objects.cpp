#include "chart/graphics_objects.h"

#include <algorithm>

template <typename T>
void TPen::SetPlainValue(T& field, const T& value)
{
    if (field == value && !m_handle)
        return;
    field = value;
    m_handle.reset();
    Changed();
}

void TPen::SetColor(TColor value) { SetPlainValue(m_color, value); }
void TPen::SetMode(TPenMode value) { SetValue(m_mode, value); }
void TPen::SetStyle(TPenStyle value) { SetPlainValue(m_style, value); }

void TPen::SetWidth(int value)
{
    if (value < 0)
        return;
    SetPlainValue(m_width, value);
}

void TPen::SetHandle(const TPenHandle& handle)
{
    // the plain values read back what the handle draws (a cleared style does not linger)
    m_color = handle.Color;
    m_style = handle.Style;
    m_width = handle.Width;
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

TBrush::~TBrush()
{
    LinkBitmap(nullptr);
}

void TBrush::LinkBitmap(TBitmap* value)
{
    if (m_bitmap == value)
        return;
    if (m_bitmap) {
        std::vector<TBrush*>& in = m_bitmap->m_patternOf;
        in.erase(std::find(in.begin(), in.end(), this));
    }
    m_bitmap = value;
    if (value)
        value->m_patternOf.push_back(this);
}

template <typename T>
void TBrush::SetPlainValue(T& field, const T& value)
{
    if (field == value && !m_bitmap)
        return;
    field = value;
    LinkBitmap(nullptr);
    Changed();
}

void TBrush::SetColor(TColor value) { SetPlainValue(m_color, value); }
void TBrush::SetStyle(TBrushStyle value) { SetPlainValue(m_style, value); }

void TBrush::SetBitmap(TBitmap* value)
{
    if (m_bitmap == value)
        return;
    LinkBitmap(value);
    Changed();
}

void TBrush::Assign(const TBrush& source)
{
    if (&source == this)
        return;
    const bool same = m_color == source.m_color && m_style == source.m_style && m_bitmap == source.m_bitmap;
    m_color = source.m_color;
    m_style = source.m_style;
    LinkBitmap(source.m_bitmap);
    if (!same)
        Changed();
}

void TFont::SetName(const std::string& value) { SetValue(m_name, value); }

int TFont::Size() const
{
    return -platform::MulDiv(m_height, 72, m_pixelsPerInch);
}

void TFont::SetSize(int value)
{
    SetHeight(-platform::MulDiv(value, m_pixelsPerInch, 72));
}

void TFont::SetHeight(int value) { SetValue(m_height, value); }
void TFont::SetColor(TColor value) { SetValue(m_color, value); }
void TFont::SetStyle(int value) { SetValue(m_style, value); }
void TFont::SetCharset(int value) { SetValue(m_charset, value); }
void TFont::SetOrientation(int value) { SetValue(m_orientation, value); }

void TFont::Assign(const TFont& source)
{
    if (&source == this)
        return;
    m_name = source.m_name;
    // the size in points is kept across resolutions
    m_height = -platform::MulDiv(source.Size(), m_pixelsPerInch, 72);
    m_color = source.m_color;
    m_style = source.m_style;
    m_charset = source.m_charset;
    m_orientation = source.m_orientation;
    Changed();
}

std::uint64_t TBitmap::NewContentStamp()
{
    static std::uint64_t last = 0;
    return ++last;
}

void TBitmap::Touch()
{
    m_stamp = NewContentStamp();
}

TBitmap::TBitmap(int width, int height, TPixelFormat format) : m_format(format)
{
    SetSize(width, height);
}

TBitmap::TBitmap(const TBitmap& source) : TGraphic()
{
    Assign(source);
}

TBitmap& TBitmap::operator=(const TBitmap& source)
{
    Assign(source);
    return *this;
}

TBitmap::~TBitmap()
{
    // the brushes that take it as their pattern go on without it
    while (!m_patternOf.empty())
        m_patternOf.back()->SetBitmap(nullptr);
}

std::unique_ptr<TGraphic> TBitmap::Clone() const
{
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(*this);
    return copy;
}

void TBitmap::SetSize(int width, int height)
{
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == m_width && height == m_height)
        return;
    if (m_format == pf32bit) {
        m_pixels.Resize(width, height);
    } else {
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(width) * height * 3, 0xFF);
        const int w = std::min(width, m_width);
        for (int y = 0; y < std::min(height, m_height); ++y)
            std::copy_n(m_bytes.data() + static_cast<std::size_t>(y) * m_width * 3, w * 3,
                        bytes.data() + static_cast<std::size_t>(y) * width * 3);
        m_bytes = std::move(bytes);
    }
    m_width = width;
    m_height = height;
    Touch();
}

void TBitmap::SetPixelFormat(TPixelFormat format)
{
    if (format == m_format)
        return;
    if (format == pf24bit) {
        m_bytes.assign(static_cast<std::size_t>(m_width) * m_height * 3, 0);
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x) {
                const std::uint32_t p = m_pixels.RawPixel(x, y);
                std::uint8_t* b = m_bytes.data() + (static_cast<std::size_t>(y) * m_width + x) * 3;
                b[0] = p & 0xFF;
                b[1] = (p >> 8) & 0xFF;
                b[2] = (p >> 16) & 0xFF;
            }
        m_pixels = platform::Bitmap();
    } else {
        m_pixels = ToDeviceBitmap();
        m_bytes.clear();
    }
    m_format = format;
    Touch();
}

void TBitmap::Assign(const TBitmap& source)
{
    if (&source == this)
        return;
    m_width = source.m_width;
    m_height = source.m_height;
    m_format = source.m_format;
    m_pixels = source.m_pixels;
    m_bytes = source.m_bytes;
    m_stamp = source.m_stamp;  // the same content
    m_transparent = source.m_transparent;
    m_transparentColor = source.m_transparentColor;
}

std::uint8_t* TBitmap::ScanLine(int y)
{
    if (y < 0 || y >= m_height || m_width == 0)
        return nullptr;
    Touch();
    if (m_format == pf32bit)
        return reinterpret_cast<std::uint8_t*>(m_pixels.ScanLine(y));
    return m_bytes.data() + static_cast<std::size_t>(y) * m_width * 3;
}

TColor TBitmap::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0xFFFFFFFF;
    if (m_format == pf32bit)
        return m_pixels.Pixel(x, y);
    const std::uint8_t* b = m_bytes.data() + (static_cast<std::size_t>(y) * m_width + x) * 3;
    return RGB(b[2], b[1], b[0]);
}

void TBitmap::SetPixel(int x, int y, TColor color)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    Touch();
    if (m_format == pf32bit) {
        m_pixels.SetPixel(x, y, color);
        return;
    }
    std::uint8_t* b = m_bytes.data() + (static_cast<std::size_t>(y) * m_width + x) * 3;
    b[0] = GetBValue(color);
    b[1] = GetGValue(color);
    b[2] = GetRValue(color);
}

void TBitmap::Fill(TColor color)
{
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            SetPixel(x, y, color);
}

platform::Bitmap TBitmap::ToDeviceBitmap() const
{
    if (m_format == pf32bit)
        return m_pixels;
    platform::Bitmap out(m_width, m_height);
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            out.SetPixel(x, y, Pixel(x, y));
    return out;
}

platform::Bitmap TBitmap::ToDrawnBitmap() const
{
    platform::Bitmap out = ToDeviceBitmap();
    if (!m_transparent || out.IsEmpty())
        return out;
    const std::uint32_t key = (m_transparentColor == clNone ? out.RawPixel(0, m_height - 1)
                                                            : platform::ColorToArgb(m_transparentColor))
                              & 0xFFFFFF;
    for (int y = 0; y < m_height; ++y) {
        std::uint32_t* row = out.ScanLine(y);
        for (int x = 0; x < m_width; ++x)
            row[x] = (row[x] & 0xFFFFFF) == key ? 0 : (row[x] | 0xFF000000u);
    }
    out.SetHasAlpha(true);
    return out;
}

void TBitmap::FromDeviceBitmap(const platform::Bitmap& source)
{
    m_format = pf32bit;
    m_pixels = source;
    m_bytes.clear();
    m_width = source.Width();
    m_height = source.Height();
    Touch();
}

void TPicture::SetGraphic(const TGraphic* graphic)
{
    if (graphic)
        m_graphic = graphic->Clone();
    else
        m_graphic.reset();
    m_form.reset();
    Changed();
}

void TPicture::SetGraphic(const TGraphic* graphic, TStreamForm Form)
{
    SetGraphic(graphic);
    if (const auto* bitmap = dynamic_cast<const TBitmap*>(m_graphic.get())) {
        Form.Stamp = bitmap->ContentStamp();
        m_form = std::make_shared<const TStreamForm>(std::move(Form));
    }
}

const TPicture::TStreamForm* TPicture::StreamForm() const
{
    const auto* bitmap = dynamic_cast<const TBitmap*>(m_graphic.get());
    if (!m_form || !bitmap || bitmap->ContentStamp() != m_form->Stamp)
        return nullptr;
    return m_form.get();
}

void TPicture::Assign(const TPicture* source)
{
    if (source == this)
        return;
    SetGraphic(source ? source->Graphic() : nullptr);
    // a copy shares the content stamp, and so the form it was read in
    if (source)
        m_form = source->m_form;
}
