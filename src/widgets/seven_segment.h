#pragma once
// A row of seven-segment character cells showing a short text, like an LED
// read-out. Every character the display can show is composed once at full
// resolution from the segment pictures and shrunk into a glyph strip of the
// cell size; a paint only copies rectangles from the strip. The composed
// characters are kept while the colours stay (displays with the same colours
// share them), so a resize only shrinks them again.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt_drawing_device.h"
#include "widgets/instrument_base.h"
#include "widgets/instrument_host.h"

// One cell read from a caption: its character (upper case, a code point) and
// whether the decimal point is lit in it.
struct TSevenSegCell {
    char32_t ch = U' ';
    bool point = false;
    friend bool operator==(const TSevenSegCell&, const TSevenSegCell&) = default;
};

// The cells of a caption: points merge into the cell before them, characters
// beyond numDigits cells are dropped; the caption is UTF-8.
std::vector<TSevenSegCell> SevenSegCells(const std::string& caption, int numDigits);

// Index (0 to 20) of a character in the strip alphabet, -1 when absent.
int SevenSegStripIndex(char32_t ch);

class TSevenSeg : public TInstrumentHost {
public:
    explicit TSevenSeg(QWidget* parent = nullptr);

    static constexpr int kMasterWidth = 312, kMasterHeight = 432, kStripGlyphs = 21;
    // The largest glyph strip built (cells of a full-screen single digit fit).
    static constexpr long long kMaxStripPixels = 1LL << 26;

    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& v);
    TColor ColorBackGnd() const { return m_colorBackGnd; }
    void SetColorBackGnd(TColor v);
    TColor ColorText() const { return m_colorText; }
    void SetColorText(TColor v);
    TColorScheme ColorScheme() const { return m_colorScheme; }
    void SetColorScheme(TColorScheme v);
    TFrameStyle FrameStyle() const { return m_frameStyle; }
    void SetFrameStyle(TFrameStyle v);
    // Above 255 becomes 255.
    int InterDigDist() const { return m_interDigDist; }
    void SetInterDigDist(int v);
    // Above Height div 2 - 1 becomes that.
    int Margin() const { return m_margin; }
    void SetMargin(int v);
    // 1 to 32; other values are ignored.
    int NumDigits() const { return m_numDigits; }
    void SetNumDigits(int v);

    // Copies the settings as they stand (without the setters' limits).
    void Assign(const TSevenSeg& source);

    // (Width - 2 Margin) div NumDigits - InterDigDist, and Height - 2 Margin.
    int CellWidth() const;
    int CellHeight() const;
    // Whether cells can be drawn: a positive cell size and a strip of at most
    // kMaxStripPixels; the spacing and the margin may be negative.
    bool CellsFit() const;

    // The glyph strip (empty when the cells do not fit).
    const platform::Bitmap& Strip() const { return m_strip.Surface(); }
    bool HasStrip() const { return m_stripBuilt; }
    // The character of strip index i (0 to 20) composed at full resolution, as
    // the strip build does it (for checks of the composition).
    const platform::Bitmap& ComposeMaster(int index);
    // How many times the strip has been built.
    int StripBuilds() const { return m_stripBuilds; }
    // How many times this display has composed the characters at full resolution.
    int GlyphCompositions() const { return m_glyphCompositions; }

    // The 21 characters composed at full resolution in one pair of colours.
    struct TGlyphSet {
        TColor text = clNone;
        TColor back = clNone;
        std::array<platform::Bitmap, kStripGlyphs> glyphs;
    };

protected:
    void Compose(platform::DrawingDevice& dc) override;
    void Resized() override;

private:
    void BuildStrip();
    void ComposeGlyphs();
    void RecolourSegments();
    void ComposeGlyph(char32_t ch, platform::Bitmap& m);

    std::string m_caption = "8.8.8.8.";
    TColor m_colorBackGnd = 0x333333;
    TColor m_colorText = clRed;
    TColorScheme m_colorScheme = csBWG;
    TFrameStyle m_frameStyle = fsLowered;
    int m_interDigDist = 2;
    int m_margin = 8;
    int m_numDigits = 4;

    // Each character composed at full resolution: segment pictures source-ANDed
    // onto white, then the white ground flood-filled with the background.
    platform::QtDrawingDevice m_strip{1, 1};
    bool m_stripBuilt = false;
    int m_stripBuilds = 0;
    int m_glyphCompositions = 0;
    std::shared_ptr<const TGlyphSet> m_glyphs;
    // The cells of the caption last painted, with the caption and digit count they came from.
    std::vector<TSevenSegCell> m_cells;
    std::string m_cellsCaption;
    int m_cellsDigits = 0;
    // "SEGVERT", "SEGHORZ", "SEGDOT", "SEGPLUS", "SEGDEG", "SEGCOLON" in the text colour
    std::vector<platform::Bitmap> m_segments;
};
