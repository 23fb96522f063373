#include "widgets/seven_segment.h"

#include <algorithm>
#include <limits>
#include <array>
#include <map>
#include <utility>

#include "widgets/changed_value.h"
#include "widgets/instrument_bitmaps.h"

namespace {

using platform::Rop3;

// Segment pictures in the order the control keeps them.
enum Seg { kVert, kHorz, kDot, kPlus, kDeg, kColon };
constexpr std::array<const char*, 6> kSegmentNames = {"SEGVERT", "SEGHORZ", "SEGDOT", "SEGPLUS", "SEGDEG", "SEGCOLON"};

// Segments a, f, b, g, e, c, d: picture and top-left corner in the master cell.
struct SegmentPlace {
    Seg picture;
    int x;
    int y;
};
constexpr std::array<SegmentPlace, 7> kPlaces = {{
    {kHorz, 94, 0}, {kVert, 37, 23}, {kVert, 244, 23}, {kHorz, 57, 197},
    {kVert, 0, 220}, {kVert, 207, 220}, {kHorz, 20, 394},
}};

// Lit segments of a character as bits 0 (a) to 6 (d), in the order of kPlaces.
constexpr unsigned Bits(std::initializer_list<int> segments)
{
    unsigned b = 0;
    for (int s : segments)
        b |= 1u << (s - 1);
    return b;
}

unsigned SegmentsOf(char32_t c)
{
    switch (c) {
    case U'0': return Bits({1, 2, 3, 5, 6, 7});
    case U'1': return Bits({3, 6});
    case U'2': return Bits({1, 3, 4, 5, 7});
    case U'3': return Bits({1, 3, 4, 6, 7});
    case U'4': return Bits({2, 3, 4, 6});
    case U'5': return Bits({1, 2, 4, 6, 7});
    case U'6': return Bits({1, 2, 4, 5, 6, 7});
    case U'7': return Bits({1, 3, 6});
    case U'8': return Bits({1, 2, 3, 4, 5, 6, 7});
    case U'9': return Bits({1, 2, 3, 4, 6, 7});
    case U'-': return Bits({4});
    case U'A': case U'a': return Bits({1, 2, 3, 4, 5, 6});
    case U'B': case U'b': return Bits({2, 4, 5, 6, 7});
    case U'C': case U'c': return Bits({1, 2, 5, 7});
    case U'D': case U'd': return Bits({3, 4, 5, 6, 7});
    case U'E': case U'e': return Bits({1, 2, 4, 5, 7});
    case U'F': case U'f': return Bits({1, 2, 4, 5});
    default: return 0;
    }
}

constexpr char32_t kDegree = 176;
constexpr std::array<char32_t, 21> kAlphabet = {U'0', U'1', U'2', U'3', U'4', U'5', U'6', U'7', U'8', U'9', U'-',
                                                U'+', U':', kDegree, U'A', U'B', U'C', U'D', U'E', U'F', U'.'};

// Code points of UTF-8 text; a byte that starts no valid sequence stands for
// itself (so a Latin-1 degree sign still reads as one).
std::vector<char32_t> CodePoints(const std::string& s)
{
    std::vector<char32_t> out;
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        const int extra = b >= 0xF8 ? -1 : b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : b >= 0x80 ? -1 : 0;
        char32_t cp = extra == 3 ? b & 0x07u : extra == 2 ? b & 0x0Fu : b & 0x1Fu;
        bool valid = extra >= 0 && i + static_cast<std::size_t>(std::max(extra, 0)) < s.size();
        for (int k = 1; valid && k <= extra; ++k) {
            const auto c = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            valid = (c & 0xC0) == 0x80;
            cp = (cp << 6) | (c & 0x3Fu);
        }
        if (extra <= 0 || !valid) {
            out.push_back(b);
            ++i;
        } else {
            out.push_back(cp);
            i += static_cast<std::size_t>(extra) + 1;
        }
    }
    return out;
}

// Surface fill of the 4-connected area that has the seed's colour, span by
// span on the device's pixels (the composition runs it 22 times per strip).
void SurfaceFill(platform::Bitmap& dc, int x, int y, TColor color)
{
    const int w = dc.Width(), h = dc.Height();
    if (x < 0 || y < 0 || x >= w || y >= h)
        return;
    constexpr std::uint32_t kRgb = 0xFFFFFFu;
    const std::uint32_t target = dc.ScanLine(y)[x] & kRgb;
    const std::uint32_t fill = platform::ColorToArgb(color);
    if ((fill & kRgb) == target)
        return;
    std::vector<platform::Point> stack{{x, y}};
    while (!stack.empty()) {
        const platform::Point p = stack.back();
        stack.pop_back();
        std::uint32_t* row = dc.ScanLine(p.y);
        if ((row[p.x] & kRgb) != target)
            continue;
        int l = p.x, r = p.x;
        while (l > 0 && (row[l - 1] & kRgb) == target)
            --l;
        while (r + 1 < w && (row[r + 1] & kRgb) == target)
            ++r;
        for (int i = l; i <= r; ++i)
            row[i] = fill;
        for (const int ny : {p.y - 1, p.y + 1}) {
            if (ny < 0 || ny >= h)
                continue;
            const std::uint32_t* next = dc.ScanLine(ny);
            bool inRun = false;
            for (int i = l; i <= r; ++i) {
                const bool t = (next[i] & kRgb) == target;
                if (t && !inRun)
                    stack.push_back({i, ny});
                inRun = t;
            }
        }
    }
}

// Source-AND copy of a whole picture to (x, y) of the master cell.
void AndCopy(platform::Bitmap& dst, int x, int y, const platform::Bitmap& src)
{
    const int x0 = std::max(x, 0), x1 = std::min(x + src.Width(), dst.Width());
    const int y0 = std::max(y, 0), y1 = std::min(y + src.Height(), dst.Height());
    for (int yy = y0; yy < y1; ++yy) {
        std::uint32_t* d = dst.ScanLine(yy);
        const std::uint32_t* s = src.ScanLine(yy - y) - x;
        for (int xx = x0; xx < x1; ++xx)
            d[xx] &= s[xx];
    }
}

bool IsPoint(char32_t c) { return c == U'.' || c == U','; }

// Composed characters by text and background colour, alive while a display holds them.
std::map<std::pair<TColor, TColor>, std::weak_ptr<const TSevenSeg::TGlyphSet>>& GlyphSets()
{
    static std::map<std::pair<TColor, TColor>, std::weak_ptr<const TSevenSeg::TGlyphSet>> sets;
    return sets;
}

}  // namespace

std::vector<TSevenSegCell> SevenSegCells(const std::string& caption, int numDigits)
{
    const std::vector<char32_t> text = CodePoints(caption);
    std::vector<TSevenSegCell> cells;
    std::size_t pos = 0;
    while (static_cast<int>(cells.size()) < numDigits && pos < text.size()) {
        TSevenSegCell cell;
        const char32_t c = text[pos++];
        if (IsPoint(c)) {
            cell.point = true;
        } else {
            cell.ch = c >= U'a' && c <= U'z' ? c - 32 : c;
            if (pos < text.size() && IsPoint(text[pos])) {
                cell.point = true;
                ++pos;
            }
        }
        cells.push_back(cell);
    }
    return cells;
}

int SevenSegStripIndex(char32_t ch)
{
    for (std::size_t i = 0; i < kAlphabet.size(); ++i)
        if (kAlphabet[i] == ch)
            return static_cast<int>(i);
    return -1;
}

TSevenSeg::TSevenSeg(QWidget* parent) : TInstrumentHost(parent)
{
    SetBounds(0, 0, 216, 76);
    BuildStrip();
}

// ---- properties ----

void TSevenSeg::SetCaption(const std::string& v)
{
    if (StoreChanged(m_caption, v))
        PaintNow();
}

void TSevenSeg::SetColorBackGnd(TColor v)
{
    if (!StoreChanged(m_colorBackGnd, v))
        return;
    BuildStrip();
    PaintNow();
}

void TSevenSeg::SetColorText(TColor v)
{
    if (!StoreChanged(m_colorText, v))
        return;
    BuildStrip();
    PaintNow();
}

void TSevenSeg::SetColorScheme(TColorScheme v)
{
    if (StoreChanged(m_colorScheme, v))
        Invalidate();
}

void TSevenSeg::SetFrameStyle(TFrameStyle v)
{
    if (StoreChanged(m_frameStyle, v))
        Invalidate();
}

void TSevenSeg::SetInterDigDist(int v)
{
    if (v == m_interDigDist)
        return;
    m_interDigDist = std::min(v, 255);
    BuildStrip();
    PaintNow();
}

void TSevenSeg::SetMargin(int v)
{
    if (v == m_margin)
        return;
    m_margin = std::min(v, Height() / 2 - 1);
    BuildStrip();
    PaintNow();
}

void TSevenSeg::SetNumDigits(int v)
{
    if (v == m_numDigits || v < 1 || v > 32)
        return;
    m_numDigits = v;
    BuildStrip();
    PaintNow();
}

void TSevenSeg::Assign(const TSevenSeg& source)
{
    m_colorBackGnd = source.m_colorBackGnd;
    m_colorText = source.m_colorText;
    m_numDigits = source.m_numDigits;
    m_caption = source.m_caption;
    m_frameStyle = source.m_frameStyle;
    m_colorScheme = source.m_colorScheme;
    m_margin = source.m_margin;
    m_interDigDist = source.m_interDigDist;
    BuildStrip();
    Invalidate();
}

// ---- geometry ----

namespace {

int ClampToInt(long long v)
{
    return static_cast<int>(std::clamp<long long>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

int TSevenSeg::CellWidth() const
{
    // wide: a margin or spacing far below 0 must not overflow
    return ClampToInt((Width() - 2LL * m_margin) / m_numDigits - m_interDigDist);
}

int TSevenSeg::CellHeight() const
{
    return ClampToInt(Height() - 2LL * m_margin);
}

bool TSevenSeg::CellsFit() const
{
    // a negative spacing overlaps the cells, a negative margin lets them reach
    // into the frame; a strip larger than any screen is not built
    const long long cw = CellWidth(), ch = CellHeight();
    return cw > 0 && ch > 0 && cw * kStripGlyphs <= kMaxStripPixels / ch;
}

void TSevenSeg::Resized()
{
    BuildStrip();
    PaintNow();
}

// ---- the glyph strip ----

void TSevenSeg::RecolourSegments()
{
    // white would vanish in the ground fill of the composition
    const TColor lit = m_colorText == clWhite ? 0xFEFEFE : m_colorText;
    m_segments.clear();
    for (std::size_t i = 0; i < kSegmentNames.size(); ++i) {
        const platform::Bitmap& picture = InstrumentBitmap(kSegmentNames[i]);
        const int w = picture.Width(), h = picture.Height();
        platform::Bitmap dc = picture;
        auto fill = [&dc, lit](int x, int y) { SurfaceFill(dc, x, y, lit); };
        if (i == kColon) {
            fill(18, h - 18);
            fill(w - 18, 18);
        } else if (i == kDeg) {
            fill(25, h / 2);
        } else {
            fill(w / 2, h / 2);
        }
        m_segments.push_back(std::move(dc));
    }
}

void TSevenSeg::ComposeGlyph(char32_t ch, platform::Bitmap& m)
{
    m = platform::Bitmap(kMasterWidth, kMasterHeight);
    std::fill(m.Data(), m.Data() + kMasterWidth * kMasterHeight, platform::ColorToArgb(clWhite));
    auto put = [&](Seg s, int x, int y) { AndCopy(m, x, y, m_segments[s]); };
    auto surfaceFill = [&](int x, int y) { SurfaceFill(m, x, y, m_colorBackGnd); };
    bool point = false;
    if (ch == U':') {
        put(kColon, 122, 121);
    } else if (ch == kDegree) {
        put(kDeg, 150, 0);
        surfaceFill(230, 70);
    } else if (ch == U'+') {
        put(kPlus, 57, 120);
    } else if (ch >= 44 && ch <= 102) {
        point = IsPoint(ch);
        const unsigned bits = SegmentsOf(ch);
        for (std::size_t s = 0; s < kPlaces.size(); ++s)
            if (bits & (1u << s))
                put(kPlaces[s].picture, kPlaces[s].x, kPlaces[s].y);
    }
    if (point)
        put(kDot, 269, 394);
    surfaceFill(1, 1);
}

const platform::Bitmap& TSevenSeg::ComposeMaster(int index)
{
    ComposeGlyphs();
    return m_glyphs->glyphs[static_cast<std::size_t>(std::clamp(index, 0, kStripGlyphs - 1))];
}

void TSevenSeg::ComposeGlyphs()
{
    if (m_glyphs && m_glyphs->text == m_colorText && m_glyphs->back == m_colorBackGnd)
        return;
    m_glyphs.reset();
    auto& sets = GlyphSets();
    const std::pair<TColor, TColor> key{m_colorText, m_colorBackGnd};
    if (const auto it = sets.find(key); it != sets.end()) {
        m_glyphs = it->second.lock();
        if (m_glyphs)
            return;
    }
    // drop the sets no display holds any more
    std::erase_if(sets, [](const auto& entry) { return entry.second.expired(); });
    auto set = std::make_shared<TGlyphSet>();
    set->text = m_colorText;
    set->back = m_colorBackGnd;
    RecolourSegments();
    for (int i = 0; i < kStripGlyphs; ++i) {
        ComposeGlyph(kAlphabet[static_cast<std::size_t>(i)], set->glyphs[static_cast<std::size_t>(i)]);
    }
    m_segments.clear();
    ++m_glyphCompositions;
    m_glyphs = set;
    sets[key] = set;
}

void TSevenSeg::BuildStrip()
{
    m_stripBuilt = false;
    if (!CellsFit())
        return;
    const int cw = CellWidth(), h = CellHeight();
    m_strip.SetSize(kStripGlyphs * cw, h);
    m_strip.SelectPen(platform::PenDesc::Solid(m_colorBackGnd));
    m_strip.SelectBrush(platform::BrushDesc::Solid(m_colorBackGnd));
    m_strip.Rectangle(0, 0, kStripGlyphs * cw, h);
    ComposeGlyphs();
    m_strip.SetStretchBltMode(platform::StretchMode::Halftone);
    for (int i = 0; i < kStripGlyphs; ++i)
        m_strip.StretchBlt(i * cw, 0, cw, h, m_glyphs->glyphs[static_cast<std::size_t>(i)], 0, 0, kMasterWidth,
                           kMasterHeight, Rop3::SrcCopy);
    m_stripBuilt = true;
    ++m_stripBuilds;
}

// ---- paint ----

void TSevenSeg::Compose(platform::DrawingDevice& dc)
{
    const int w = dc.Width(), h = dc.Height();
    dc.SelectPen(platform::PenDesc::Solid(m_colorBackGnd));
    dc.SelectBrush(platform::BrushDesc::Solid(m_colorBackGnd));
    dc.Rectangle(0, 0, w, h);
    const int cw = CellWidth();
    if (!m_caption.empty() && m_stripBuilt && cw * kStripGlyphs == m_strip.Width()) {
        const platform::Bitmap& strip = m_strip.Surface();
        const int sh = strip.Height();
        if (m_cellsDigits != m_numDigits || m_cellsCaption != m_caption) {
            m_cells = SevenSegCells(m_caption, m_numDigits);
            m_cellsCaption = m_caption;
            m_cellsDigits = m_numDigits;
        }
        const std::vector<TSevenSegCell>& cells = m_cells;
        for (std::size_t k = 0; k < cells.size(); ++k) {
            const int x0 = static_cast<int>(k) * (cw + m_interDigDist) + m_margin;
            const int i = SevenSegStripIndex(cells[k].ch);
            if (i >= 0)
                dc.BitBlt(x0, m_margin, cw, h - 2 * m_margin, strip, i * cw, 0, Rop3::SrcCopy);
            if (cells[k].point) {
                const int px = (5 * cw) / 6, py = (5 * sh) / 6;
                dc.BitBlt(x0 + px, m_margin + py, cw - px, h - m_margin - (m_margin + py), strip, 20 * cw + px, py,
                          Rop3::SrcCopy);
            }
        }
    }
    DrawFrame(dc, m_frameStyle, 0, 0, w - 1, h - 1, 0xFFFFFF, 0xC0C0C0, 0x808080, 0, 0);
}
