#include "chart/plot_html.h"

#include <algorithm>
#include <charconv>

#include "chart/graphics_objects.h"
#include "chart/plot_canvas.h"
#include "core/color_names.h"
#include "base/name_matching.h"

THtmlGraphicService HtmlGraphicService;
THtmlFetchService HtmlFetchService;

namespace {

// Last in, first out; popping an empty stack gives an empty text. Texts left
// unbalanced (an open tag never closed, a parse error) leave entries behind;
// past kMostItems the oldest go, so a text drawn at every repaint cannot grow it.
class TTextStack {
public:
    static constexpr std::size_t kMostItems = 1024;
    void Push(std::string s)
    {
        if (m_items.size() >= kMostItems)
            m_items.erase(m_items.begin());
        m_items.push_back(std::move(s));
    }
    std::string Pop()
    {
        if (m_items.empty())
            return {};
        std::string s = std::move(m_items.back());
        m_items.pop_back();
        return s;
    }
    // Removes the latest item that Match accepts, if any.
    template <typename F>
    void PopLast(F Match)
    {
        for (auto it = m_items.rbegin(); it != m_items.rend(); ++it)
            if (Match(*it)) {
                m_items.erase(std::next(it).base());
                return;
            }
    }
    std::size_t Size() const { return m_items.size(); }
    void Clear() { m_items.clear(); }

private:
    std::vector<std::string> m_items;
};

TTextStack& StyleTags()
{
    static TTextStack stack;
    return stack;
}

TTextStack& Fonts()
{
    static TTextStack stack;
    return stack;
}

std::string UpperAscii(std::string_view s)
{
    std::string u(s);
    for (char& c : u)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return u;
}

bool StartsWith(std::string_view s, std::string_view prefix)
{
    return s.substr(0, prefix.size()) == prefix;
}

void ReplaceAll(std::string& s, std::string_view from, std::string_view to)
{
    std::string out;
    std::size_t pos = 0;
    while (true) {
        const std::size_t hit = s.find(from, pos);
        if (hit == std::string::npos)
            break;
        out.append(s, pos, hit - pos);
        out.append(to);
        pos = hit + from.size();
    }
    out.append(s, pos, std::string::npos);
    s = std::move(out);
}

int ParseInteger(const std::string& text)
{
    const std::string t = TrimControl(text);
    int value = 0;
    const char* first = t.data();
    const char* last = t.data() + t.size();
    if (first != last && *first == '+')
        ++first;
    auto [p, ec] = std::from_chars(first, last, value);
    if (t.empty() || ec != std::errc() || p != last)
        throw std::runtime_error("'" + t + "' is not a valid integer value");
    return value;
}

// NAME=VALUE pairs: one per "="; a value runs to the last space before the
// next "=", so it may hold spaces; one pair of double quotes is removed.
std::vector<std::pair<std::string, std::string>> Attributes(const std::string& s)
{
    std::vector<std::size_t> eq;
    for (std::size_t i = 0; i < s.size(); ++i)
        if (s[i] == '=')
            eq.push_back(i);
    std::vector<std::pair<std::string, std::string>> pairs;
    std::size_t start = 0;
    for (std::size_t k = 0; k < eq.size(); ++k) {
        std::string name = TrimControl(std::string_view(s).substr(start, eq[k] - start));
        std::size_t end = s.size();
        if (k + 1 < eq.size()) {
            const std::size_t space = s.rfind(' ', eq[k + 1]);
            end = space != std::string::npos && space > eq[k] ? space : eq[k + 1];
        }
        std::string value = TrimControl(std::string_view(s).substr(eq[k] + 1, end - eq[k] - 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        pairs.emplace_back(std::move(name), std::move(value));
        start = end;
    }
    return pairs;
}

TColor TextToColor(const std::string& value)
{
    const std::string lower = LowerAscii(value);
    for (const TColorName& c : ColorNames())
        if (c.Name == lower)
            return c.Value;
    if (!value.empty() && value[0] == '$') {
        unsigned v = 0;
        auto [p, ec] = std::from_chars(value.data() + 1, value.data() + value.size(), v, 16);
        if (ec == std::errc() && p == value.data() + value.size() && value.size() > 1)
            return v;
        throw std::runtime_error("'" + value + "' is not a valid integer value");
    }
    return static_cast<TColor>(ParseInteger(value));
}

int HexByte(const std::string& s, std::size_t at)
{
    int v = 0;
    if (at + 2 <= s.size()) {
        auto [p, ec] = std::from_chars(s.data() + at, s.data() + at + 2, v, 16);
        if (ec == std::errc() && p == s.data() + at + 2)
            return v;
    }
    throw std::runtime_error("'" + s + "' is not a valid integer value");
}

TColor HtmlColor(const std::string& value)
{
    const std::string v = UpperAscii(value);
    if (v == "BLACK")
        return 0x000000;
    if (v == "RED")
        return 0x0000FF;
    if (v == "BLUE")
        return 0xFF0000;
    if (v == "YELLOW")
        return 0x00FFFF;
    if (v == "WHITE")
        return 0xFFFFFF;
    if (v == "GREEN")
        return 0x008000;
    if (v == "LIME")
        return 0x00FF00;
    if (!v.empty() && v[0] == '#')
        return RGB(static_cast<std::uint8_t>(HexByte(v, 1)), static_cast<std::uint8_t>(HexByte(v, 3)),
                   static_cast<std::uint8_t>(HexByte(v, 5)));
    return TextToColor(v);
}

std::string WeightText(int style)
{
    if (style == 0)
        return "NORMAL";
    std::string s;
    const std::pair<int, const char*> words[] = {
        {fsBold, "BOLD"}, {fsItalic, "ITALIC"}, {fsUnderline, "UNDERLINE"}, {fsStrikeOut, "STRIKE"}};
    for (const auto& [bit, word] : words) {
        if (style & bit) {
            if (!s.empty())
                s += ", ";
            s += word;
        }
    }
    return s;
}

// The text between "<FONT " and the final ">" as attributes of the font.
void ApplyFontAttributes(TFont& font, const std::string& tag)
{
    if (tag.size() < 6)
        return;
    std::string body = tag.substr(6);
    if (!body.empty() && body.back() == '>')
        body.pop_back();
    for (const auto& [rawName, value] : Attributes(body)) {
        const std::string name = UpperAscii(rawName);
        if (name == "NAME" || name == "FAMILY") {
            font.SetName(value);
        } else if (name == "SIZE") {
            if (!value.empty() && (value[0] == '+' || value[0] == '-'))
                font.SetSize(font.Size() + ParseInteger(value[0] == '-' ? value : value.substr(1)));
            else
                font.SetSize(ParseInteger(value));
        } else if (name == "COLOR") {
            font.SetColor(HtmlColor(value));
        } else if (name == "WEIGHT") {
            const std::string words = UpperAscii(value);
            int style = 0;
            std::size_t pos = 0;
            while (pos <= words.size()) {
                std::size_t comma = words.find(',', pos);
                if (comma == std::string::npos)
                    comma = words.size();
                const std::string word = TrimControl(std::string_view(words).substr(pos, comma - pos));
                if (word == "BOLD")
                    style |= fsBold;
                else if (word == "ITALIC")
                    style |= fsItalic;
                else if (word == "UNDERLINE")
                    style |= fsUnderline;
                else if (word == "STRIKE")
                    style |= fsStrikeOut;
                else if (word != "NORMAL")
                    throw std::runtime_error("Unknown field in FONT WEIGHT=" + value);
                pos = comma + 1;
            }
            font.SetStyle(style);
        } else {
            throw std::runtime_error("Unknown field in FONT: " + rawName);
        }
    }
}

class THtmlLayout {
public:
    THtmlLayout(TPlotCanvas& canvas, int x, int y, bool draw)
        : m_canvas(canvas), m_font(*canvas.Font()), m_x(x), m_y(y), m_left(x), m_draw(draw)
    {
        m_lineHeight = canvas.FontHeight();
    }

    void Run(const std::string& text)
    {
        std::size_t pos = 0;
        while (pos < text.size()) {
            std::string token;
            if (text[pos] == '<') {
                const std::size_t close = text.find('>', pos);
                if (close == std::string::npos)
                    throw HtmlParserException("Missing > at " + text.substr(pos + 1));
                token = text.substr(pos, close - pos + 1);
                pos = close + 1;
            } else {
                // a run ends before the next tag or after a line break
                std::size_t end = text.find('<', pos);
                if (end == std::string::npos)
                    end = text.size();
                const std::size_t brk = text.find("\r\n", pos);
                if (brk != std::string::npos && brk + 2 < end)
                    end = brk + 2;
                token = text.substr(pos, end - pos);
                pos = end;
            }
            Token(token);
        }
    }

    TSize Result() const { return TSize{m_width, m_height}; }

private:
    void Token(std::string token)
    {
        m_pushed = false;
        if (StartsWith(token, "\r\n")) {
            m_y += m_canvas.FontHeight();
            m_x = m_left;
            m_lineHeight = 0;
            token.erase(0, 2);
            if (token.empty())
                return;
        }
        if (!token.empty() && token[0] == '<' && Tag(token)) {
            m_previousPushed = m_pushed;
            return;
        }
        Text(token);
    }

    void PushFont()
    {
        Fonts().Push("<FONT size=" + std::to_string(m_font.Size()) + " name=" + m_font.Name() +
                     " color=" + std::to_string(static_cast<std::int64_t>(static_cast<std::int32_t>(m_font.Color()))) +
                     " weight=" + WeightText(m_font.Style()) + ">");
        m_pushed = true;
    }

    void PopFont()
    {
        const std::string saved = Fonts().Pop();
        if (!saved.empty())
            ApplyFontAttributes(m_font, saved);
    }

    void AddStyle(int bit, const std::string& tag)
    {
        m_font.SetStyle(m_font.Style() | bit);
        StyleTags().Push(tag);
    }

    // The style an opening style tag starts (0 for any other).
    static int StyleBit(const std::string& tag)
    {
        if (tag == "<B>" || tag == "<BOLD>" || tag == "<STRONG>")
            return fsBold;
        if (tag == "<I>")
            return fsItalic;
        if (tag == "<U>")
            return fsUnderline;
        if (tag == "<STRIKE>")
            return fsStrikeOut;
        return 0;
    }

    // Ends the style and drops the latest tag that started it.
    void RemoveStyle(int bit)
    {
        m_font.SetStyle(m_font.Style() & ~bit);
        StyleTags().PopLast([bit](const std::string& tag) { return StyleBit(tag) == bit; });
    }

    // Handles a known tag; false for any other token (drawn as text).
    bool Tag(const std::string& token)
    {
        const std::string t = UpperAscii(token);
        if (t == "<BR>" || t == "<P>") {
            m_x = m_left;
            m_lineHeight = 0;
        } else if (t == "<BIG>") {
            PushFont();
            m_font.SetSize(m_font.Size() + 2);
        } else if (t == "<SMALL>") {
            PushFont();
            m_font.SetSize(m_font.Size() - 2);
        } else if (t == "<SUB>") {
            PushFont();
            m_font.SetSize(m_font.Size() / 2);
            m_y += m_canvas.FontHeight();
        } else if (t == "</SUB>") {
            PopFont();
            m_y -= m_canvas.FontHeight();
        } else if (t == "<SUPER>") {
            PushFont();
            m_font.SetSize(m_font.Size() / 2);
            m_y -= m_canvas.FontHeight() / 2;
        } else if (t == "</SUPER>") {
            PopFont();
            m_y += m_canvas.FontHeight() / 2;
        } else if (t.size() == 4 && StartsWith(t, "<H") && t[2] >= '1' && t[2] <= '6' && t[3] == '>') {
            static const int sizes[] = {48, 36, 24, 18, 12, 8};
            PushFont();
            m_font.SetSize(sizes[t[2] - '1']);
        } else if (t == "<PRE>") {
            PushFont();
            ApplyFontAttributes(m_font, "<FONT NAME=COURIER NEW>");
        } else if (t == "</PRE>") {
            PopFont();
        } else if (t == "<CENTER>") {
            m_centred = true;
        } else if (t == "</CENTER>") {
            m_centred = false;
        } else if (t == "<B>" || t == "<BOLD>" || t == "<STRONG>") {
            AddStyle(fsBold, t);
        } else if (t == "<I>") {
            AddStyle(fsItalic, t);
        } else if (t == "<U>") {
            AddStyle(fsUnderline, t);
        } else if (t == "<STRIKE>") {
            AddStyle(fsStrikeOut, t);
        } else if (t == "</B>" || t == "</BOLD>" || t == "</STRONG>") {
            RemoveStyle(fsBold);
        } else if (t == "</I>") {
            RemoveStyle(fsItalic);
        } else if (t == "</U>") {
            RemoveStyle(fsUnderline);
        } else if (t == "</STRIKE>") {
            RemoveStyle(fsStrikeOut);
        } else if (StartsWith(t, "<IMG ")) {
            Image(token);
        } else if (StartsWith(t, "</FONT")) {
            PopFont();
        } else if (StartsWith(t, "<FONT ")) {
            PushFont();
            ApplyFontAttributes(m_font, token);
        } else if (t == "</>") {
            if (m_previousPushed) {
                PopFont();
            } else {
                // the latest style tag ends (already off the stack)
                m_font.SetStyle(m_font.Style() & ~StyleBit(StyleTags().Pop()));
            }
        } else if (t == "<HR>") {
            m_x = m_left;
            if (m_draw) {
                TPen* pen = m_canvas.Pen();
                pen->SetStyle(psSolid);
                pen->SetWidth(1);
                pen->SetColor(0x808080);
                m_canvas.HorizLine(m_x, m_x + 100, m_y);
            }
            m_y += m_canvas.FontHeight();
        } else {
            return false;
        }
        return true;
    }

    void Text(std::string run)
    {
        ReplaceAll(run, "&lt;", "<");
        ReplaceAll(run, "&gt;", ">");
        ReplaceAll(run, "&amp;", "&");
        ReplaceAll(run, "&quot;", "\"");
        bool endsLine = false;
        if (run.size() >= 2 && run.compare(run.size() - 2, 2, "\r\n") == 0) {
            run.resize(run.size() - 2);
            endsLine = true;
        }
        if (!run.empty()) {
            const int w = m_canvas.TextWidth(run);
            const int h = m_canvas.TextHeight(run);
            if (m_centred)
                m_x = (m_canvas.Bounds.Left + m_canvas.Bounds.Right) / 2 - w / 2;
            if (m_lineHeight == 0) {
                m_lineHeight = m_canvas.FontHeight();
                m_y += m_lineHeight;
            } else if (h < m_lineHeight) {
                m_y += m_lineHeight - h - 1;
            }
            if (m_draw)
                m_canvas.TextOut(m_x, m_y, run);
            m_x += w;
            m_width = std::max(m_width, m_x);
            m_lineHeight = std::max(m_lineHeight, h);
            m_height = std::max(m_height, m_lineHeight);
        }
        if (endsLine) {
            m_lineHeight = 0;
            m_x = m_left;
        }
    }

    void Image(std::string token)
    {
        if (StartsWith(token, "\r\n"))
            token.erase(0, 2);
        token.erase(0, 5);
        if (!token.empty() && token.back() == '>')
            token.pop_back();
        int width = 0;
        int height = 0;
        bool hasWidth = false;
        bool hasHeight = false;
        std::string source;
        for (const auto& [name, value] : Attributes(token)) {
            const std::string n = UpperAscii(name);
            if (n == "WIDTH") {
                width = ParseInteger(value);
                hasWidth = true;
            } else if (n == "HEIGHT") {
                height = ParseInteger(value);
                hasHeight = true;
            } else if (n == "SRC") {
                source = value;
            }
        }
        std::unique_ptr<TGraphic> graphic;
        std::vector<std::uint8_t> data;
        if (HtmlFetchService && HtmlGraphicService && HtmlFetchService(source, data) == 0 && !data.empty()) {
            const std::size_t dot = source.rfind('.');
            graphic = HtmlGraphicService(dot == std::string::npos ? std::string() : UpperAscii(source.substr(dot)),
                                         data);
        }
        if (graphic && !graphic->Empty()) {
            if (!hasWidth)
                width = graphic->Width();
            if (!hasHeight)
                height = graphic->Height();
            if (m_draw) {
                if (width == graphic->Width() && height == graphic->Height())
                    m_canvas.Draw(m_x, m_y, graphic.get());
                else
                    m_canvas.StretchDraw(TRect{m_x, m_y, m_x + width, m_y + height}, graphic.get());
            }
            m_x += width;
            m_y += height;
            return;
        }
        if (width == 0)
            width = 40;
        if (height == 0)
            height = 40;
        if (!m_draw)
            return;
        TPen* pen = m_canvas.Pen();
        pen->SetStyle(psSolid);
        pen->SetColor(0x0000FF);
        TBrush* brush = m_canvas.Brush();
        brush->SetBitmap(nullptr);
        brush->SetStyle(bsSolid);
        brush->SetColor(clWhite);
        m_canvas.Rectangle(m_x, m_y, m_x + width, m_y + height);
        m_canvas.Line(m_x, m_y, m_x + width - 1, m_y + height - 1);
        m_canvas.Line(m_x, m_y + height - 1, m_x + width - 1, m_y);
    }

    TPlotCanvas& m_canvas;
    TFont& m_font;
    int m_x;
    int m_y;
    int m_left;
    int m_lineHeight = 0;
    bool m_centred = false;
    bool m_previousPushed = false;
    bool m_pushed = false;
    bool m_draw;
    int m_width = 0;
    int m_height = 0;
};

}  // namespace

void DrawHtmlText(TPlotCanvas& Canvas, int X, int Y, const std::string& Text)
{
    THtmlLayout layout(Canvas, X, Y, true);
    layout.Run(Text);
}

TSize MeasureHtmlText(TPlotCanvas& Canvas, const std::string& Text)
{
    THtmlLayout layout(Canvas, 0, 0, false);
    layout.Run(Text);
    return layout.Result();
}

std::size_t HtmlStackDepth()
{
    return StyleTags().Size() + Fonts().Size();
}

void ClearHtmlStacks()
{
    StyleTags().Clear();
    Fonts().Clear();
}
