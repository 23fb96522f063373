#include "widgets/seven_segment.h"

#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <utility>

#include "recorder_install.h"
#include "testing/recording_device.h"

using Cells = std::vector<TSevenSegCell>;

TEST(SevenSegCells, PointsMergeIntoTheCellBefore)
{
    EXPECT_EQ(SevenSegCells("8.8.8.8.", 4), (Cells{{U'8', true}, {U'8', true}, {U'8', true}, {U'8', true}}));
    EXPECT_EQ(SevenSegCells("1..2", 4), (Cells{{U'1', true}, {U' ', true}, {U'2', false}}));
    EXPECT_EQ(SevenSegCells(".5", 4), (Cells{{U' ', true}, {U'5', false}}));
    EXPECT_EQ(SevenSegCells("3,5", 4), (Cells{{U'3', true}, {U'5', false}}));
}

TEST(SevenSegCells, ColonTakesItsOwnCellAndExtraCharactersAreDropped)
{
    EXPECT_EQ(SevenSegCells("10:25", 5).size(), 5u);
    EXPECT_EQ(SevenSegCells("10:25", 5)[2].ch, U':');
    EXPECT_EQ(SevenSegCells("00:40:00", 8).size(), 8u);
    // a point after the last shown character is still drawn in its cell
    EXPECT_EQ(SevenSegCells("123.45", 3), (Cells{{U'1', false}, {U'2', false}, {U'3', true}}));
}

TEST(SevenSegCells, LowerCaseLettersAndTheDegreeSign)
{
    EXPECT_EQ(SevenSegCells("af", 4), (Cells{{U'A', false}, {U'F', false}}));
    // UTF-8 degree sign: one cell
    EXPECT_EQ(SevenSegCells("25\xC2\xB0" "C", 4), (Cells{{U'2', false}, {U'5', false}, {176, false}, {U'C', false}}));
    // a lone Latin-1 byte reads as the same sign
    EXPECT_EQ(SevenSegCells("\xB0", 4), (Cells{{176, false}}));
}

TEST(SevenSegCells, StripAlphabet)
{
    EXPECT_EQ(SevenSegStripIndex(U'0'), 0);
    EXPECT_EQ(SevenSegStripIndex(U'-'), 10);
    EXPECT_EQ(SevenSegStripIndex(U'+'), 11);
    EXPECT_EQ(SevenSegStripIndex(U':'), 12);
    EXPECT_EQ(SevenSegStripIndex(176), 13);
    EXPECT_EQ(SevenSegStripIndex(U'A'), 14);
    EXPECT_EQ(SevenSegStripIndex(U'F'), 19);
    EXPECT_EQ(SevenSegStripIndex(U'.'), 20);
    EXPECT_EQ(SevenSegStripIndex(U'G'), -1);
    EXPECT_EQ(SevenSegStripIndex(U' '), -1);
}

class SevenSegTest : public ::testing::Test {
protected:
    static int CountColour(const platform::Bitmap& b, TColor c, int x0, int y0, int x1, int y1)
    {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += b.Pixel(x, y) == c;
        return n;
    }
    TSevenSeg seg;
};

TEST_F(SevenSegTest, Defaults)
{
    EXPECT_EQ(seg.Width(), 216);
    EXPECT_EQ(seg.Height(), 76);
    EXPECT_EQ(seg.Caption(), "8.8.8.8.");
    EXPECT_EQ(seg.ColorBackGnd(), 0x333333u);
    EXPECT_EQ(seg.ColorText(), clRed);
    EXPECT_EQ(seg.FrameStyle(), fsLowered);
    EXPECT_EQ(seg.NumDigits(), 4);
    EXPECT_EQ(seg.CellWidth(), 48);  // 200 / 4 - 2
    EXPECT_EQ(seg.CellHeight(), 60);
    EXPECT_EQ(seg.Strip().Width(), 21 * 48);
    EXPECT_EQ(seg.Strip().Height(), 60);
}

TEST_F(SevenSegTest, SettersLimitAndIgnore)
{
    seg.SetNumDigits(0);
    seg.SetNumDigits(33);
    EXPECT_EQ(seg.NumDigits(), 4);
    seg.SetInterDigDist(300);
    EXPECT_EQ(seg.InterDigDist(), 255);
    seg.SetMargin(100);
    EXPECT_EQ(seg.Margin(), 76 / 2 - 1);
}

TEST_F(SevenSegTest, StripRebuildsOnlyOnRealChanges)
{
    const int builds = seg.StripBuilds();
    seg.SetColorText(clRed);
    seg.SetCaption("1234");
    EXPECT_EQ(seg.StripBuilds(), builds);
    seg.SetColorText(clLime);
    EXPECT_EQ(seg.StripBuilds(), builds + 1);
    seg.SetBounds(0, 0, 300, 76);
    EXPECT_EQ(seg.StripBuilds(), builds + 2);
    EXPECT_EQ(seg.Strip().Width(), 21 * ((300 - 16) / 4 - 2));
}

TEST_F(SevenSegTest, LitEightLeavesNoWhiteInTheMasterCell)
{
    const platform::Bitmap& master = seg.ComposeMaster(8);
    EXPECT_EQ(CountColour(master, clWhite, 0, 0, 312, 432), 0);
    EXPECT_GT(CountColour(master, clRed, 0, 0, 312, 432), 20000);
    // the middle of each hole of the 8 is background
    EXPECT_EQ(master.Pixel(170, 110), 0x333333u);
    EXPECT_EQ(master.Pixel(140, 305), 0x333333u);
}

TEST_F(SevenSegTest, DegreeHoleTakesTheBackground)
{
    const platform::Bitmap& master = seg.ComposeMaster(13);
    EXPECT_EQ(master.Pixel(230, 70), 0x333333u);
    EXPECT_EQ(master.Pixel(175, 69), clRed);  // the ring
    EXPECT_EQ(CountColour(master, clWhite, 0, 0, 312, 432), 0);
}

TEST_F(SevenSegTest, PointCornerHoldsOnlyTheDotInEveryGlyph)
{
    // The paint copies [260, 312) x [360, 432) of the "." cell over a lit
    // character: no other glyph may have anything there.
    for (int i = 0; i < 20; ++i) {
        const platform::Bitmap& master = seg.ComposeMaster(i);
        EXPECT_EQ(CountColour(master, 0x333333, 260, 360, 312, 432), 52 * 72) << "glyph " << i;
    }
    const platform::Bitmap& point = seg.ComposeMaster(20);
    EXPECT_EQ(point.Pixel(288, 413), clRed);
    EXPECT_EQ(CountColour(point, clRed, 0, 0, 312, 432), CountColour(point, clRed, 260, 360, 312, 432));
}

TEST_F(SevenSegTest, WhiteTextIsDrawnNearWhite)
{
    seg.SetColorText(clWhite);
    const platform::Bitmap& master = seg.ComposeMaster(8);
    EXPECT_EQ(master.Pixel(190, 19), 0xFEFEFEu);  // segment a
    EXPECT_EQ(master.Pixel(1, 1), 0x333333u);
    EXPECT_EQ(CountColour(master, clWhite, 0, 0, 312, 432), 0);
}

TEST_F(SevenSegTest, PaintCopiesCellsAndPointCornersFromTheStrip)
{
    platform::RecordingDevice& rec = InstallRecorder(seg, 216, 76);
    seg.SetCaption("1.-");
    const std::vector<std::string> lines = rec.DrawingLines();
    const std::vector<std::string> expected = {
        "Rectangle(0,0,216,76)",
        "BitBlt(8,8,48,60,1008x60,48,0,SrcCopy)",        // "1"
        "BitBlt(48,58,8,10,1008x60,1000,50,SrcCopy)",    // its point: 40 = 5*48/6, 50 = 5*60/6
        "BitBlt(58,8,48,60,1008x60,480,0,SrcCopy)",      // "-" in the second cell, x0 = 50 + 8
    };
    ASSERT_GE(lines.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(lines[i], expected[i]);
    EXPECT_EQ(rec.Count("BitBlt"), 3);
}

TEST_F(SevenSegTest, ColonAndDegreeAreCellsOfTheirOwn)
{
    seg.SetNumDigits(5);  // cell width 200 / 5 - 2 = 38
    platform::RecordingDevice& rec = InstallRecorder(seg, 216, 76);
    seg.SetCaption("1:2\xC2\xB0");
    const auto blits = rec.CallsNamed("BitBlt");
    ASSERT_EQ(blits.size(), 4u);
    EXPECT_EQ(blits[1].ToString(), "BitBlt(48,8,38,60,798x60,456,0,SrcCopy)");  // ":" index 12
    EXPECT_EQ(blits[3].ToString(), "BitBlt(128,8,38,60,798x60,494,0,SrcCopy)");  // degree index 13
}

TEST_F(SevenSegTest, UnknownCharactersAndEmptyCaptionLeaveBackground)
{
    platform::RecordingDevice& rec = InstallRecorder(seg, 216, 76);
    seg.SetCaption("G z");
    EXPECT_EQ(rec.Count("BitBlt"), 0);
    rec.ClearLog();
    seg.SetCaption("");
    EXPECT_EQ(rec.Count("BitBlt"), 0);
    EXPECT_EQ(rec.Count("Rectangle"), 1);
    EXPECT_GT(rec.Count("LineTo"), 0);  // the frame
}

TEST_F(SevenSegTest, TooSmallDrawsBackgroundAndFrameOnly)
{
    platform::RecordingDevice& rec = InstallRecorder(seg, 20, 76);
    seg.SetBounds(0, 0, 20, 76);  // cell width (20 - 16) / 4 - 2 < 0
    EXPECT_FALSE(seg.HasStrip());
    rec.ClearLog();
    seg.SetCaption("88");
    EXPECT_EQ(rec.Count("BitBlt"), 0);
    EXPECT_EQ(rec.Count("StretchBlt"), 0);
    EXPECT_EQ(rec.Count("Rectangle"), 1);
    seg.SetBounds(0, 0, 216, 76);
    EXPECT_TRUE(seg.HasStrip());
}

// Cell k starts at k (cell width + spacing) + margin, margin pixels down; a
// later cell covers the part of an earlier one it overlaps. Inside the frame
// every pixel is the strip's pixel of the character drawn last there.
static void ExpectCellsFromTheStrip(TSevenSeg& seg, int glyph)
{
    const int cw = seg.CellWidth(), m = seg.Margin(), d = seg.InterDigDist();
    const platform::Bitmap& strip = seg.Strip();
    const platform::Bitmap& picture = seg.Buffer().Surface();
    int wrong = 0, lit = 0;
    for (int y = 2; y < seg.Height() - 2; ++y)
        for (int x = 2; x < seg.Width() - 2; ++x) {
            int k = -1;
            for (int c = 0; c < seg.NumDigits(); ++c)
                if (x >= c * (cw + d) + m && x < c * (cw + d) + m + cw)
                    k = c;
            TColor want = seg.ColorBackGnd();
            if (k >= 0 && y >= m && y < seg.Height() - m)
                want = strip.Pixel(glyph * cw + x - (k * (cw + d) + m), y - m);
            wrong += picture.Pixel(x, y) != want;
            lit += picture.Pixel(x, y) == seg.ColorText();
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(lit, 200);
}

TEST_F(SevenSegTest, NegativeSpacingOverlapsTheCells)
{
    seg.SetCaption("8888");
    seg.SetInterDigDist(-10);  // cells (200 div 4) + 10 = 60 wide, 50 apart
    ASSERT_TRUE(seg.HasStrip());
    EXPECT_EQ(seg.CellWidth(), 60);
    seg.ForcePaint();
    ExpectCellsFromTheStrip(seg, 8);
}

TEST_F(SevenSegTest, NegativeMarginReachesIntoTheFrame)
{
    seg.SetCaption("8888");
    seg.SetMargin(-4);  // cells (224 div 4) - 2 = 54 wide, 84 high, from (-4, -4)
    ASSERT_TRUE(seg.HasStrip());
    EXPECT_EQ(seg.CellWidth(), 54);
    EXPECT_EQ(seg.Strip().Height(), 84);
    seg.ForcePaint();
    ExpectCellsFromTheStrip(seg, 8);
}

TEST_F(SevenSegTest, LitEightOnScreenHasNoWhitePixelAndDegreeHoleShowsBackground)
{
    seg.SetCaption("8\xC2\xB0");
    const platform::Bitmap& img = seg.Buffer().Surface();
    EXPECT_EQ(CountColour(img, clWhite, 8, 8, 8 + 48, 68), 0);
    EXPECT_GT(CountColour(img, clRed, 8, 8, 8 + 48, 68), 300);
    // hole centre at (230, 70) of 312 x 432 → (35, 9) in a 48 x 60 cell at x0 = 58
    EXPECT_EQ(img.Pixel(58 + 35, 8 + 9), 0x333333u);
    EXPECT_EQ(img.Pixel(216 - 1, 76 - 1), clWhite);  // lowered frame: highlight at the bottom right
}

TEST_F(SevenSegTest, AssignCopiesSettingsAndBuildsItsOwnStrip)
{
    TSevenSeg other;
    other.SetColorText(clLime);
    other.SetNumDigits(6);
    other.SetCaption("12:00");
    seg.Assign(other);
    EXPECT_EQ(seg.ColorText(), clLime);
    EXPECT_EQ(seg.NumDigits(), 6);
    EXPECT_EQ(seg.Caption(), "12:00");
    EXPECT_EQ(seg.Strip().Width(), 21 * (200 / 6 - 2));
}

namespace {

platform::Bitmap StripAt(TColor Text, int Width, int Height, int* Compositions, bool ResizeFromDefault)
{
    TSevenSeg seg;
    seg.SetColorText(Text);
    if (ResizeFromDefault)
        seg.SetBounds(0, 0, 216, 76);
    seg.SetBounds(0, 0, Width, Height);
    if (Compositions)
        *Compositions = seg.GlyphCompositions();
    return seg.Strip();
}

}  // namespace

TEST_F(SevenSegTest, ResizeAndRecolourKeepOrComposeTheGlyphs)
{
    TSevenSeg other;
    other.SetColorText(0x0102F0);
    EXPECT_EQ(other.GlyphCompositions(), 1);
    const int builds = other.StripBuilds();
    other.SetBounds(0, 0, 300, 90);
    other.SetBounds(0, 0, 140, 50);
    EXPECT_EQ(other.StripBuilds(), builds + 2);
    EXPECT_EQ(other.GlyphCompositions(), 1);  // only the stretch again
    other.SetColorBackGnd(0x102030);
    EXPECT_EQ(other.GlyphCompositions(), 2);
    other.SetColorBackGnd(0x333333);
    EXPECT_EQ(other.GlyphCompositions(), 3);  // the first pair was given up
    // a display in the colours of another shares its glyphs
    TSevenSeg same;
    same.SetColorText(0x0102F0);
    EXPECT_EQ(same.GlyphCompositions(), 0);
    // the fixture's red display holds red
    TSevenSeg red;
    EXPECT_EQ(red.GlyphCompositions(), 0);
    EXPECT_EQ(red.ComposeMaster(8).Pixel(190, 19), clRed);
    EXPECT_EQ(same.ComposeMaster(8).Pixel(190, 19), 0x0102F0u);
}

TEST_F(SevenSegTest, StripAfterAResizeIsTheStripBuiltFresh)
{
    for (const auto& [w, h] : {std::pair{300, 90}, std::pair{140, 50}, std::pair{217, 77}}) {
        int fresh = -1, kept = -1;
        const platform::Bitmap a = StripAt(0x20C040, w, h, &fresh, false);
        const platform::Bitmap b = StripAt(0x20C040, w, h, &kept, true);
        EXPECT_EQ(fresh, 1);
        EXPECT_EQ(kept, 1);
        ASSERT_EQ(a.Width(), b.Width());
        ASSERT_EQ(a.Height(), b.Height());
        EXPECT_TRUE(std::equal(a.Data(), a.Data() + a.Width() * a.Height(), b.Data())) << w << "x" << h;
    }
}

TEST_F(SevenSegTest, StripCellsAreTheMastersSmoothlyStretched)
{
    // independent of the device: Qt's own smooth scaling of each master
    seg.SetBounds(0, 0, 260, 84);
    const int cw = seg.CellWidth(), ch = seg.CellHeight();
    const platform::Bitmap& strip = seg.Strip();
    for (int i = 0; i < TSevenSeg::kStripGlyphs; ++i) {
        const QImage want = platform::QImageFromBitmap(seg.ComposeMaster(i))
                                .scaled(cw, ch, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                .convertToFormat(QImage::Format_RGB32);
        int differ = 0;
        for (int y = 0; y < ch; ++y)
            for (int x = 0; x < cw; ++x)
                differ += (strip.RawPixel(i * cw + x, y) & 0xFFFFFF) != (want.pixel(x, y) & 0xFFFFFF);
        EXPECT_EQ(differ, 0) << "glyph " << i;
    }
}
