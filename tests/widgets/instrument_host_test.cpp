#include "widgets/instrument_host.h"

#include <QImage>
#include <QPalette>
#include <gtest/gtest.h>

#include "support/window_colour.h"
#include "widgets/scale.h"

namespace {

// Fills its picture with one colour and counts the pictures.
class FilledInstrument : public TInstrumentHost {
public:
    FilledInstrument() { SetBounds(0, 0, 40, 20); }
    int composed = 0;
    TColor colour = 0x0000FF;

protected:
    void Compose(platform::DrawingDevice& dc) override
    {
        ++composed;
        dc.FillRectWith(platform::Rect{0, 0, dc.Width(), dc.Height()}, platform::BrushDesc::Solid(colour));
    }
};

}  // namespace

TEST(InstrumentHost, PaintNowComposesAtTheControlSize)
{
    FilledInstrument host;
    host.PaintNow();
    EXPECT_EQ(host.composed, 1);
    EXPECT_EQ(host.Buffer().Width(), 40);
    EXPECT_EQ(host.Buffer().Height(), 20);
    EXPECT_EQ(host.Buffer().GetPixel(39, 19), 0x0000FFu);
}

TEST(InstrumentHost, TheScreenShowsTheComposedPicture)
{
    FilledInstrument host;
    host.colour = 0x00FF00;
    host.PaintNow();
    const QImage shot = host.grab().toImage();
    EXPECT_EQ(shot.width(), 40);
    EXPECT_EQ(QColor(shot.pixel(10, 10)), QColor(0, 255, 0));
}

TEST(InstrumentHost, HoldInvisibleAndLoadingSkipPainting)
{
    FilledInstrument host;
    host.SetHoldPaint(true);
    host.PaintNow();
    EXPECT_EQ(host.composed, 0);
    host.ForcePaint();
    EXPECT_EQ(host.composed, 1);
    EXPECT_TRUE(host.HoldPaint());
    host.SetHoldPaint(false);  // clearing repaints
    EXPECT_EQ(host.composed, 2);
    host.SetVisible(false);
    host.PaintNow();
    host.ForcePaint();
    EXPECT_EQ(host.composed, 2);
    host.SetVisible(true);
    EXPECT_EQ(host.composed, 3);
    host.BeginLoading();
    host.PaintNow();
    EXPECT_EQ(host.composed, 3);
    host.Loaded();
    host.PaintNow();
    EXPECT_EQ(host.composed, 4);
}

// An instrument made invisible leaves its place to the parent's background.
TEST(InstrumentHost, AShownInstrumentMadeInvisibleShowsTheParent)
{
    QWidget parent;
    parent.resize(100, 60);
    FillWithColour(parent, QColor(10, 20, 30));
    auto* host = new FilledInstrument;
    host->setParent(&parent);
    host->SetBounds(10, 10, 40, 20);
    parent.show();
    host->PaintNow();
    EXPECT_EQ(QColor(parent.grab().toImage().pixel(20, 15)), QColor(255, 0, 0));
    host->SetVisible(false);
    EXPECT_EQ(QColor(parent.grab().toImage().pixel(20, 15)), QColor(10, 20, 30));
    host->SetVisible(true);
    EXPECT_EQ(QColor(parent.grab().toImage().pixel(20, 15)), QColor(255, 0, 0));
}

TEST(InstrumentHost, TransparentScaleStartsFromTheParentBackground)
{
    QWidget parent;
    parent.resize(200, 100);
    FillWithColour(parent, QColor(10, 20, 30));
    auto* scale = new TScale(&parent);
    scale->SetBounds(0, 0, 200, 100);
    scale->SetTransparent(true);
    scale->grab();  // the transparent scale draws when it is painted
    EXPECT_EQ(scale->Buffer().GetPixel(5, 5), RGB(10, 20, 30));
    EXPECT_EQ(scale->Buffer().GetPixel(20, 79), clBlack);  // base line at y 100 - 20 - 1
}
