#include "base/windows_1252.h"

#include <gtest/gtest.h>

TEST(Windows1252, BytesOfCodePoints)
{
    EXPECT_EQ(Windows1252Byte('A'), 0x41);
    EXPECT_EQ(Windows1252Byte(0xE9), 0xE9);     // é
    EXPECT_EQ(Windows1252Byte(0xA0), 0xA0);     // no-break space
    EXPECT_EQ(Windows1252Byte(0x20AC), 0x80);   // €
    EXPECT_EQ(Windows1252Byte(0x2019), 0x92);   // right single quote
    EXPECT_EQ(Windows1252Byte(0x0178), 0x9F);   // Ÿ
    EXPECT_EQ(Windows1252Byte(0x0141), -1);     // Ł
    EXPECT_EQ(Windows1252Byte(0x0080), -1);     // C1 control that 0x80 does not stand for
    EXPECT_EQ(Windows1252Byte(0x1F600), -1);
}

TEST(Windows1252, EveryHighByteRoundTrips)
{
    for (int b = 0x80; b <= 0x9F; ++b)
        EXPECT_EQ(Windows1252Byte(kWindows1252High[static_cast<std::size_t>(b - 0x80)]), b);
}
