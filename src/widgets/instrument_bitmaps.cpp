#include "widgets/instrument_bitmaps.h"

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "platform/qt_drawing_device.h"

namespace {

using platform::BrushDesc;
using platform::PenDesc;
using platform::Point;
using platform::QtDrawingDevice;

// ---- segment shapes ----

// The lean of the upright strokes: 37 pixels to the right over 197 down, the
// offset between the upper and lower left segments in the master cell.
constexpr double kSlant = 37.0 / 197.0;

int R(double v) { return static_cast<int>(std::nearbyint(v)); }

void BlackShapes(QtDrawingDevice& dc)
{
    dc.SelectPen(PenDesc::Solid(clBlack));
    dc.SelectBrush(BrushDesc::Solid(clBlack));
}

// An upright bar with pointed ends between rows top and bottom, its centre
// line through (cxBottom, bottom) and leaning right upwards.
std::vector<Point> LeaningBar(double cxBottom, int top, int bottom, double halfWidth)
{
    auto cx = [&](double y) { return cxBottom + kSlant * (bottom - y); };
    const double tip = halfWidth;
    return {{R(cx(top)), top},
            {R(cx(top + tip) + halfWidth), R(top + tip)},
            {R(cx(bottom - tip) + halfWidth), R(bottom - tip)},
            {R(cx(bottom)), bottom},
            {R(cx(bottom - tip) - halfWidth), R(bottom - tip)},
            {R(cx(top + tip) - halfWidth), R(top + tip)}};
}

// Octagon round (cx, cy) with half sizes rx, ry, sheared by the slant.
std::vector<Point> Octagon(double cx, double cy, double rx, double ry, double slant)
{
    const double k = 0.4142;
    const double xs[8] = {-k, k, 1, 1, k, -k, -1, -1};
    const double ys[8] = {-1, -1, -k, k, 1, 1, k, -k};
    std::vector<Point> p;
    for (int i = 0; i < 8; ++i) {
        const double y = cy + ys[i] * ry;
        p.push_back({R(cx + xs[i] * rx + slant * (cy - y)), R(y)});
    }
    return p;
}

platform::Bitmap Shapes(int w, int h, const std::vector<std::vector<Point>>& polygons, bool holes = false)
{
    QtDrawingDevice dc(w, h);
    dc.FillRectWith({0, 0, w, h}, BrushDesc::Solid(clWhite));
    BlackShapes(dc);
    if (holes) {
        // outer and inner outline filled together: the alternate rule leaves the hole
        std::vector<Point> all;
        std::vector<int> counts;
        for (const auto& poly : polygons) {
            all.insert(all.end(), poly.begin(), poly.end());
            counts.push_back(static_cast<int>(poly.size()));
        }
        dc.SelectPen(PenDesc::NullPen());
        dc.PolyPolygon(all.data(), counts.data(), static_cast<int>(counts.size()));
    } else {
        for (const auto& poly : polygons)
            dc.Polygon(poly.data(), static_cast<int>(poly.size()));
    }
    return dc.Surface();
}

platform::Bitmap SegmentBitmap(std::string_view name)
{
    if (name == "SEGHORZ")
        return Shapes(200, 38, {{{2, 19}, {20, 1}, {180, 1}, {198, 19}, {180, 37}, {20, 37}}});
    if (name == "SEGVERT")
        return Shapes(68, 190, {LeaningBar(16, 1, 189, 13)});
    if (name == "SEGDOT")
        return Shapes(38, 38, {Octagon(19, 19, 18, 18, 0)});
    if (name == "SEGPLUS") {
        std::vector<Point> upright = LeaningBar(100 - kSlant * 91, 4, 186, 13);
        return Shapes(200, 190, {{{12, 95}, {26, 81}, {174, 81}, {188, 95}, {174, 109}, {26, 109}}, upright});
    }
    if (name == "SEGCOLON")
        return Shapes(68, 190, {Octagon(18, 172, 15, 15, 0), Octagon(50, 18, 15, 15, 0)});
    if (name == "SEGDEG")
        return Shapes(160, 138, {Octagon(80, 69, 66, 62, kSlant), Octagon(80, 69, 30, 27, kSlant)}, true);
    return {};
}

// ---- button style pictures ----

struct StyleSheet {
    const char* name;
    int width;  // whole bitmap, four pictures
    int height;
};

constexpr StyleSheet kStyles[] = {
    {"CHECKBOX", 32, 32},   {"RADIOBUT", 28, 28},   {"SLIDETOPBOT", 36, 60}, {"SLIDELFTRGT", 60, 36},
    {"COLSLIDETB", 36, 60}, {"COLSLIDELR", 60, 36}, {"LEDREDGREEN", 28, 28}, {"ARROWTR", 50, 50},
    {"ARROWUD", 50, 50},    {"ARROWLR", 50, 50},    {"TRAFFICLGT", 62, 62},  {"BEVELEDLED", 34, 34},
    {"SMILEYS", 36, 36},    {"SMILEYRG", 36, 36},   {"BULB", 78, 98},        {"BUTLAMP", 98, 48},
    {"HDLEFT", 96, 32},     {"HDRIGHT", 96, 32},    {"USER1", 48, 48},       {"USER2", 48, 48},
    {"USER3", 48, 48},      {"USER4", 48, 48},      {"USER5", 48, 48},
};

// Draws one picture of a style in the box (x, y, w, h) of the device.
class PicturePainter {
public:
    PicturePainter(QtDrawingDevice& dc, int x, int y, int w, int h, bool enabled)
        : m_dc(dc), m_x(x), m_y(y), m_w(w), m_h(h), m_enabled(enabled)
    {
    }

    // Disabled pictures are drawn in light greys.
    TColor C(TColor c) const
    {
        if (m_enabled)
            return c;
        const int g = (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3;
        const int l = (g + 0xC0 * 2) / 3;
        return RGB(l, l, l);
    }
    void Use(TColor pen, TColor brush)
    {
        m_dc.SelectPen(PenDesc::Solid(C(pen)));
        m_dc.SelectBrush(BrushDesc::Solid(C(brush)));
    }
    // Coordinates in per mille of the picture box.
    int X(int permille) const { return m_x + m_w * permille / 1000; }
    int Y(int permille) const { return m_y + m_h * permille / 1000; }
    void Rect(int l, int t, int r, int b) { m_dc.Rectangle(X(l), Y(t), X(r), Y(b)); }
    void Ellipse(int l, int t, int r, int b) { m_dc.Ellipse(X(l), Y(t), X(r), Y(b)); }
    void Poly(std::initializer_list<std::pair<int, int>> pts)
    {
        std::vector<Point> p;
        for (auto [px, py] : pts)
            p.push_back({X(px), Y(py)});
        m_dc.Polygon(p.data(), static_cast<int>(p.size()));
    }
    void Line(int x0, int y0, int x1, int y1, TColor c)
    {
        m_dc.SelectPen(PenDesc::Solid(C(c)));
        m_dc.MoveTo(X(x0), Y(y0));
        m_dc.LineTo(X(x1), Y(y1));
    }

private:
    QtDrawingDevice& m_dc;
    int m_x, m_y, m_w, m_h;
    bool m_enabled;
};

constexpr TColor kDark = 0x404040, kGreen = 0x00C000, kRed = 0x0000E0, kYellow = 0x00E0FF;

void DrawPicture(PicturePainter& p, std::string_view style, bool on)
{
    if (style == "CHECKBOX") {
        p.Use(kDark, clWhite);
        p.Rect(100, 100, 900, 900);
        if (on) {
            p.Use(clBlack, clBlack);
            p.Poly({{220, 500}, {320, 400}, {440, 560}, {720, 240}, {800, 330}, {440, 760}});
        }
    } else if (style == "RADIOBUT") {
        p.Use(kDark, clWhite);
        p.Ellipse(100, 100, 900, 900);
        if (on) {
            p.Use(clBlack, clBlack);
            p.Ellipse(330, 330, 670, 670);
        }
    } else if (style == "SLIDETOPBOT" || style == "COLSLIDETB") {
        const TColor slot = style == "COLSLIDETB" ? (on ? kGreen : kRed) : 0x808080;
        p.Use(kDark, slot);
        p.Rect(250, 60, 750, 940);
        p.Use(clBlack, clSilver);
        if (on)
            p.Rect(120, 80, 880, 480);
        else
            p.Rect(120, 520, 880, 920);
    } else if (style == "SLIDELFTRGT" || style == "COLSLIDELR") {
        const TColor slot = style == "COLSLIDELR" ? (on ? kGreen : kRed) : 0x808080;
        p.Use(kDark, slot);
        p.Rect(60, 250, 940, 750);
        p.Use(clBlack, clSilver);
        if (on)
            p.Rect(520, 120, 920, 880);
        else
            p.Rect(80, 120, 480, 880);
    } else if (style == "LEDREDGREEN") {
        p.Use(kDark, on ? kGreen : kRed);
        p.Ellipse(100, 100, 900, 900);
    } else if (style == "ARROWTR") {
        p.Use(clBlack, on ? kGreen : kRed);
        if (on)
            p.Poly({{900, 100}, {900, 600}, {720, 420}, {250, 890}, {110, 750}, {580, 280}, {400, 100}});
        else
            p.Poly({{100, 900}, {100, 400}, {280, 580}, {750, 110}, {890, 250}, {420, 720}, {600, 900}});
    } else if (style == "ARROWUD") {
        p.Use(clBlack, on ? kGreen : kRed);
        if (on)
            p.Poly({{500, 80}, {900, 480}, {650, 480}, {650, 920}, {350, 920}, {350, 480}, {100, 480}});
        else
            p.Poly({{500, 920}, {900, 520}, {650, 520}, {650, 80}, {350, 80}, {350, 520}, {100, 520}});
    } else if (style == "ARROWLR") {
        p.Use(clBlack, on ? kGreen : kRed);
        if (on)
            p.Poly({{920, 500}, {520, 900}, {520, 650}, {80, 650}, {80, 350}, {520, 350}, {520, 100}});
        else
            p.Poly({{80, 500}, {480, 900}, {480, 650}, {920, 650}, {920, 350}, {480, 350}, {480, 100}});
    } else if (style == "TRAFFICLGT") {
        p.Use(clBlack, kDark);
        p.Rect(250, 40, 750, 960);
        p.Use(clBlack, on ? 0x303030 : kRed);
        p.Ellipse(330, 100, 670, 480);
        p.Use(clBlack, on ? kGreen : 0x303030);
        p.Ellipse(330, 520, 670, 900);
    } else if (style == "BEVELEDLED") {
        p.Use(clWhite, 0x808080);
        p.Ellipse(60, 60, 940, 940);
        p.Use(kDark, on ? 0x00FF00 : 0x004000);
        p.Ellipse(200, 200, 800, 800);
    } else if (style == "SMILEYS" || style == "SMILEYRG") {
        const TColor face = style == "SMILEYS" ? kYellow : (on ? kGreen : kRed);
        p.Use(clBlack, face);
        p.Ellipse(60, 60, 940, 940);
        p.Use(clBlack, clBlack);
        p.Ellipse(300, 280, 420, 420);
        p.Ellipse(580, 280, 700, 420);
        if (on)
            p.Poly({{260, 600}, {740, 600}, {600, 760}, {400, 760}});
        else
            p.Poly({{260, 780}, {400, 620}, {600, 620}, {740, 780}});
    } else if (style == "BULB") {
        p.Use(clBlack, on ? 0x40FFFF : 0xD0D0D0);
        p.Ellipse(100, 40, 900, 700);
        p.Use(clBlack, 0x909090);
        p.Rect(320, 680, 680, 940);
    } else if (style == "BUTLAMP") {
        p.Use(clBlack, clSilver);
        p.Rect(40, 80, 960, 920);
        p.Use(clBlack, on ? 0x00FFFF : 0x006060);
        p.Ellipse(380, 220, 620, 780);
    } else if (style == "HDLEFT" || style == "HDRIGHT") {
        const bool left = style == "HDLEFT";
        p.Use(kDark, clSilver);
        p.Rect(40, 300, 960, 700);
        p.Use(clBlack, on ? kGreen : 0x606060);
        if (left == on)
            p.Poly({{60, 500}, {300, 120}, {300, 880}});
        else
            p.Poly({{940, 500}, {700, 120}, {700, 880}});
    } else {
        // USER1 ... USER5: a framed square, filled when on
        const int n = style.back() - '0';
        const TColor colors[5] = {kRed, kGreen, 0xFF4040, kYellow, 0xC000C0};
        p.Use(clBlack, on ? colors[(n + 4) % 5] : clWhite);
        p.Rect(120, 120, 880, 880);
    }
}

platform::Bitmap StyleBitmap(const StyleSheet& sheet)
{
    QtDrawingDevice dc(sheet.width, sheet.height);
    dc.FillRectWith({0, 0, sheet.width, sheet.height}, BrushDesc::Solid(kButtonKeyColor));
    const int w = sheet.width / 2, h = sheet.height / 2;
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
        const bool on = quadrant % 2 == 0;
        const bool enabled = quadrant < 2;
        PicturePainter p(dc, (quadrant % 2) * w, (quadrant / 2) * h, w, h, enabled);
        DrawPicture(p, sheet.name, on);
    }
    return dc.Surface();
}

platform::Bitmap Build(std::string_view name)
{
    for (const StyleSheet& sheet : kStyles)
        if (name == sheet.name)
            return StyleBitmap(sheet);
    return SegmentBitmap(name);
}

}  // namespace

const platform::Bitmap& InstrumentBitmap(std::string_view name)
{
    static std::map<std::string, platform::Bitmap, std::less<>> cache;
    auto it = cache.find(name);
    if (it == cache.end())
        it = cache.emplace(std::string(name), Build(name)).first;
    return it->second;
}
