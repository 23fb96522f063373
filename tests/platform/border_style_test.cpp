#include "platform/border_style.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

using namespace platform;

namespace {

QImage Framed(TBorderStyle style)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(QColor(0, 200, 0));
    QPainter painter(&image);
    PaintBorder(painter, 40, 30, style);
    return image;
}

}  // namespace

TEST(BorderStyle, SingleIsTwoPixelsAndNoneIsNothing)
{
    EXPECT_EQ(BorderWidth(bsSingle), 2);
    EXPECT_EQ(BorderWidth(bsNone), 0);
}

TEST(BorderStyle, SunkenFrameColoursEachRingAndSide)
{
    const QImage image = Framed(bsSingle);
    // classic palette: BtnShadow (128,128,128) and DkShadow3D (64,64,64) on
    // the top and left, BtnHighlight (255,255,255) and Light3D (212,208,200)
    // on the bottom and right
    EXPECT_EQ(image.pixel(0, 15) & 0xFFFFFFu, 0x808080u);
    EXPECT_EQ(image.pixel(20, 0) & 0xFFFFFFu, 0x808080u);
    EXPECT_EQ(image.pixel(1, 15) & 0xFFFFFFu, 0x404040u);
    EXPECT_EQ(image.pixel(20, 1) & 0xFFFFFFu, 0x404040u);
    EXPECT_EQ(image.pixel(39, 15) & 0xFFFFFFu, 0xFFFFFFu);
    EXPECT_EQ(image.pixel(20, 29) & 0xFFFFFFu, 0xFFFFFFu);
    EXPECT_EQ(image.pixel(38, 15) & 0xFFFFFFu, 0xD4D0C8u);
    EXPECT_EQ(image.pixel(20, 28) & 0xFFFFFFu, 0xD4D0C8u);
    EXPECT_EQ(image.pixel(2, 2) & 0xFFFFFFu, 0x00C800u);
}

TEST(BorderStyle, NoneLeavesThePixels)
{
    const QImage image = Framed(bsNone);
    EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFFu, 0x00C800u);
    EXPECT_EQ(image.pixel(39, 29) & 0xFFFFFFu, 0x00C800u);
}
