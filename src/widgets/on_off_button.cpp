#include "widgets/on_off_button.h"

#include <QMouseEvent>
#include <algorithm>

#include "platform/qt_drawing_device.h"
#include "platform/system_colors.h"
#include "widgets/changed_value.h"
#include "widgets/instrument_bitmaps.h"

namespace {

using platform::Bitmap;
using platform::BrushDesc;
using platform::PenDesc;

constexpr const char* kResources[] = {
    "",           "CHECKBOX", "RADIOBUT",   "SLIDETOPBOT", "SLIDELFTRGT", "COLSLIDETB", "COLSLIDELR", "LEDREDGREEN",
    "ARROWTR",    "ARROWUD",  "ARROWLR",    "TRAFFICLGT",  "BEVELEDLED",  "SMILEYS",    "SMILEYRG",   "BULB",
    "BUTLAMP",    "HDLEFT",   "HDRIGHT",    "USER1",       "USER2",       "USER3",      "USER4",      "USER5",
};

constexpr std::uint32_t kKeyArgb = platform::ColorToArgb(kButtonKeyColor);

// The built-in pictures of oobsUser: a circle when on, a cross when off,
// blank when disabled.
std::array<Bitmap, 4> UserPictures()
{
    std::array<Bitmap, 4> p;
    for (int i = 0; i < 4; ++i) {
        platform::QtDrawingDevice dc(20, 20);
        dc.FillRectWith({0, 0, 20, 20}, BrushDesc::Solid(kButtonKeyColor));
        dc.SelectPen(PenDesc::Solid(clBlack));
        dc.SelectBrush(BrushDesc::NullBrush());
        if (i == 0) {
            dc.Ellipse(5, 5, 15, 15);
        } else if (i == 1) {
            dc.MoveTo(0, 0);
            dc.LineTo(20, 20);
            dc.MoveTo(19, 0);
            dc.LineTo(-1, 20);
        }
        p[static_cast<std::size_t>(i)] = dc.Surface();
    }
    return p;
}

}  // namespace

const char* OnOffStyleResource(TOnOffButStyle style)
{
    return kResources[std::min<std::size_t>(style, std::size(kResources) - 1)];
}

TOnOffBut::TOnOffBut(QWidget* parent)
    : TInstrumentHost(parent), m_colorBackgnd(platform::SystemColor(platform::SystemColorIndex::BtnFace)),
      m_userPictures(UserPictures())
{
    LoadStylePictures();
    const bool centre = m_autoCenter;
    m_autoCenter = false;  // the resize handler is installed after the first size
    SetBounds(0, 0, 100, 50);
    m_autoCenter = centre;
}

// ---- pictures ----

void TOnOffBut::LoadStylePictures()
{
    if (m_buttonStyle == oobsUser) {
        m_pictures = m_userPictures;  // the picture size stays
        return;
    }
    const Bitmap& sheet = InstrumentBitmap(OnOffStyleResource(m_buttonStyle));
    m_pictureWidth = sheet.Width() / 2;
    m_pictureHeight = sheet.Height() / 2;
    for (int q = 0; q < 4; ++q) {
        Bitmap b(m_pictureWidth, m_pictureHeight);
        const int x0 = (q % 2) * m_pictureWidth, y0 = (q / 2) * m_pictureHeight;
        for (int y = 0; y < m_pictureHeight; ++y)
            std::copy_n(sheet.ScanLine(y0 + y) + x0, m_pictureWidth, b.ScanLine(y));
        // quadrants: on/enabled, off/enabled, on/disabled, off/disabled
        m_pictures[static_cast<std::size_t>(Slot(q % 2 == 0, q < 2))] = std::move(b);
    }
}

void TOnOffBut::Centre()
{
    m_leftSpace = (Width() - m_pictureWidth) / 2;
    m_topSpace = (Height() - m_pictureHeight) / 2;
}

void TOnOffBut::Refresh()
{
    if (m_transparent)
        Invalidate();
    else
        PaintNow();
}

void TOnOffBut::Resized()
{
    if (!m_autoCenter)
        return;
    Centre();
    Refresh();
}

// ---- properties ----

void TOnOffBut::SetOnOff(bool v)
{
    if (v == m_onOff)
        return;
    if (!v && m_groupIndex != 0 && !m_allowAllOff)
        return;
    m_onOff = v;
    PaintNow();
    if (v)
        TellGroup();
}

void TOnOffBut::SetGroupIndex(int v)
{
    if (!StoreChanged(m_groupIndex, v))
        return;
    TellGroup();
}

void TOnOffBut::SetAllowAllOff(bool v)
{
    if (!StoreChanged(m_allowAllOff, v))
        return;
    TellGroup();
}

void TOnOffBut::SetButtonStyle(TOnOffButStyle v)
{
    if (!StoreChanged(m_buttonStyle, v))
        return;
    LoadStylePictures();
    if (m_autoCenter)
        Centre();
    Invalidate();
}

void TOnOffBut::SetAutoCenter(bool v)
{
    if (!StoreChanged(m_autoCenter, v))
        return;
    if (v)
        Centre();
    Refresh();
}

void TOnOffBut::SetLeftSpace(int v)
{
    if (v < 0 || v == m_leftSpace)
        return;
    if (m_autoCenter)
        Centre();
    else
        m_leftSpace = std::min(v, Width());
    Invalidate();
}

void TOnOffBut::SetTopSpace(int v)
{
    if (v < 0 || v == m_topSpace)
        return;
    if (m_autoCenter)
        Centre();
    else
        m_topSpace = std::min(v, Height());
    Invalidate();
}

void TOnOffBut::SetMode(TOOButMode v)
{
    m_mode = v;
    if (v == oobmSpeedBut)
        m_onOff = false;  // straight to off: a speed button is off whatever its group allows
    Invalidate();
}

void TOnOffBut::SetEnabled(bool v)
{
    m_enabled = v;
    setEnabled(v);
    Invalidate();
}

void TOnOffBut::SetText(int i, const std::string& v)
{
    if (StoreChanged(m_texts[static_cast<std::size_t>(i)], v))
        Invalidate();
}

void TOnOffBut::SetAlignment(int i, TAlignment v)
{
    if (StoreChanged(m_alignments[static_cast<std::size_t>(i)], v))
        Invalidate();
}

void TOnOffBut::SetColorBackgnd(TColor v)
{
    if (StoreChanged(m_colorBackgnd, v))
        PaintNow();
}

void TOnOffBut::SetColorText(TColor v)
{
    if (StoreChanged(m_colorText, v))
        PaintNow();
}

void TOnOffBut::SetFrameStyle(TFrameStyle v)
{
    if (StoreChanged(m_frameStyle, v))
        PaintNow();
}

void TOnOffBut::SetColorScheme(TColorScheme v)
{
    if (!StoreChanged(m_colorScheme, v))
        return;
    const TSchemeColors c = SchemeColors(v);
    m_frameShadow = c.shadow;
    m_frameHighlight = c.highlight;
    Invalidate();
}

void TOnOffBut::SetTransparent(bool v)
{
    if (!StoreChanged(m_transparent, v))
        return;
    SetParentBackground(v);
    Invalidate();
}

void TOnOffBut::SetFont(const TInstrumentFont& v)
{
    if (StoreChanged(m_font, v))
        Invalidate();
}

void TOnOffBut::Assign(const TOnOffBut& s)
{
    m_leftSpace = s.m_leftSpace;
    m_topSpace = s.m_topSpace;
    m_autoCenter = s.m_autoCenter;
    m_texts = s.m_texts;
    m_alignments = s.m_alignments;
    m_frameStyle = s.m_frameStyle;
    m_colorBackgnd = s.m_colorBackgnd;
    m_colorText = s.m_colorText;
    m_colorScheme = s.m_colorScheme;
    m_frameShadow = s.m_frameShadow;
    m_frameHighlight = s.m_frameHighlight;
    m_onOff = s.m_onOff;
    m_buttonStyle = s.m_buttonStyle;
    m_mouseAction = s.m_mouseAction;
    m_transparent = s.m_transparent;
    SetParentBackground(m_transparent);
    m_enabled = s.m_enabled;
    setEnabled(m_enabled);
    m_pictureWidth = s.m_pictureWidth;
    m_pictureHeight = s.m_pictureHeight;
    m_pictures = s.m_pictures;
    m_userPictures = s.m_userPictures;
    Invalidate();
}

// ---- groups and the mouse ----

void TOnOffBut::TellGroup()
{
    QWidget* parent = parentWidget();
    if (m_groupIndex == 0 || !parent)
        return;
    for (QObject* child : parent->children())
        if (auto* other = dynamic_cast<TOnOffBut*>(child); other && other != this)
            other->GroupPressed(*this);
}

void TOnOffBut::GroupPressed(const TOnOffBut& sender)
{
    if (sender.m_groupIndex != m_groupIndex)
        return;
    if (m_onOff && sender.m_onOff) {
        // switched off past the AllowAllOff refusal: the sender is on instead
        m_onOff = false;
        PaintNow();
    }
    m_allowAllOff = sender.m_allowAllOff;
}

bool TOnOffBut::OnPicture(int x, int y) const
{
    if (m_mouseAction == oomaPlain)
        return true;
    return m_leftSpace < x && x < m_leftSpace + m_pictureWidth && m_topSpace < y && y < m_topSpace + m_pictureHeight;
}

void TOnOffBut::MousePressAt(int x, int y)
{
    if (m_mouseAction == oomaNone || !OnPicture(x, y))
        return;
    if (m_groupIndex != 0 && !m_allowAllOff && m_onOff)
        return;
    m_onOff = !m_onOff;
    PaintNow();
    if (m_onOff)
        TellGroup();
}

void TOnOffBut::MouseReleaseAt(int x, int y)
{
    if (m_mouseAction == oomaNone || !OnPicture(x, y))
        return;
    if (m_mode == oobmSpeedBut) {
        m_onOff = false;
        PaintNow();
    }
    TInstrumentHost::Click();
}

void TOnOffBut::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TInstrumentHost::MouseDown(button, shift, x, y);
    if (button == mbLeft && m_enabled)
        MousePressAt(x, y);
}

void TOnOffBut::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TInstrumentHost::MouseUp(button, shift, x, y);
    if (button == mbLeft && m_enabled)
        MouseReleaseAt(x, y);
}

// ---- paint ----

void TOnOffBut::Compose(platform::DrawingDevice& dc)
{
    if (!m_transparent) {
        DrawAll(dc, nullptr);
        return;
    }
    // dc holds the parent's picture: the mask cuts the shapes out, the image fills them in
    const int w = dc.Width(), h = dc.Height();
    std::unique_ptr<platform::DrawingDevice> img = dc.CreateCompatible(w, h);
    std::unique_ptr<platform::DrawingDevice> mask = dc.CreateCompatible(w, h);
    DrawAll(*img, mask.get());
    dc.BitBlt(0, 0, w, h, mask->Surface(), 0, 0, platform::Rop3::SrcAnd);
    dc.BitBlt(0, 0, w, h, img->Surface(), 0, 0, platform::Rop3::SrcPaint);
}

void TOnOffBut::DrawAll(platform::DrawingDevice& img, platform::DrawingDevice* mask)
{
    const int w = img.Width(), h = img.Height();
    const int pw = m_pictureWidth, ph = m_pictureHeight, ls = m_leftSpace, ts = m_topSpace;
    for (platform::DrawingDevice* d : {&img, mask}) {
        if (!d)
            continue;
        d->SelectFont(m_font.desc);
        d->SetBkMode(platform::BackMode::Transparent);
        d->SetTextAlign(platform::TextAlign::Left | platform::TextAlign::Top);
    }
    img.FillRectWith({0, 0, w, h}, BrushDesc::Solid(m_transparent ? clBlack : m_colorBackgnd));
    if (mask) {
        mask->FillRectWith({0, 0, w, h}, BrushDesc::Solid(clWhite));
        mask->SetTextColor(clBlack);
    }
    const int th = img.GetTextExtent("(8g]}\xC3\x9C\xC3\x84\xC2\xA7").cy;
    for (int i = 0; i < 4; ++i) {
        const std::string& text = m_texts[static_cast<std::size_t>(i)];
        if (text.empty())
            continue;
        const int tw = img.GetTextExtent(text).cx;
        const TAlignment al = m_alignments[static_cast<std::size_t>(i)];
        int x = 0, y = 0;
        if (i == 0 || i == 3) {
            y = ts + (ph - th) / 2;
            if (i == 0)
                x = al == taLeftJustify ? 4 : al == taRightJustify ? ls - 4 - tw + 1 : (ls - tw) / 2;
            else
                x = al == taLeftJustify    ? ls + pw + 4
                    : al == taRightJustify ? w - 4 - tw
                                           : ls + pw + 1 + (w - ls - pw - tw) / 2;
        } else {
            y = i == 1 ? ts - th - 4 : ts + ph + 4;
            x = al == taLeftJustify ? 4 : al == taRightJustify ? w - 4 - tw : ls + (pw - tw) / 2;
        }
        if (m_enabled) {
            img.SetTextColor(m_colorText);
            img.TextOut(x, y, text);
        } else {
            img.SetTextColor(clWhite);
            img.TextOut(x + 1, y + 1, text);
            img.SetTextColor(0x808080);
            img.TextOut(x, y, text);
        }
        if (mask)
            mask->TextOut(x, y, text);
    }
    // the picture, its key colour replaced; the mask black where it shows
    const Bitmap& pic = m_pictures[static_cast<std::size_t>(Slot(m_onOff, m_enabled))];
    Bitmap shown(pw, ph, platform::ColorToArgb(m_transparent ? clBlack : m_colorBackgnd));
    Bitmap cut(pw, ph, 0xFFFFFFFFu);
    const std::uint32_t back = platform::ColorToArgb(m_transparent ? clBlack : m_colorBackgnd);
    for (int y = 0; y < std::min(ph, pic.Height()); ++y)
        for (int x = 0; x < std::min(pw, pic.Width()); ++x) {
            const std::uint32_t p = pic.ScanLine(y)[x] | 0xFF000000u;
            shown.ScanLine(y)[x] = p == kKeyArgb ? back : p;
            if (p != kKeyArgb)
                cut.ScanLine(y)[x] = 0xFF000000u;
        }
    img.BitBlt(ls, ts, pw, ph, shown, 0, 0, platform::Rop3::SrcCopy);
    if (mask)
        mask->BitBlt(ls, ts, pw, ph, cut, 0, 0, platform::Rop3::SrcCopy);
    DrawFrame(img, m_frameStyle, 0, 0, w - 1, h - 1, 0xFFFFFF, 0xC0C0C0, 0x808080, 0, 0);
    if (mask)
        DrawFrame(*mask, m_frameStyle, 0, 0, w - 1, h - 1, 0, 0, 0, 0, 0);
}
