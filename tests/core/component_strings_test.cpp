#include "core/component_strings.h"

#include <gtest/gtest.h>

TEST(StripCtrlChars, RemovesOnlyCodesBelow32)
{
    EXPECT_EQ(StripCtrlChars("line 1\r\nline\t2\x01"), "line 1line2");
    EXPECT_EQ(StripCtrlChars("\x7f" "año " "\x1f"), "\x7f" "año ");
    EXPECT_EQ(StripCtrlChars(""), "");
}

TEST(CenterString, ExtraBlankGoesRight)
{
    EXPECT_EQ(CenterString("ab", 5), " ab  ");
    EXPECT_EQ(CenterString("ab", 6), "  ab  ");
    EXPECT_EQ(CenterString("", 3), "   ");
}

TEST(CenterString, LongerTextIsCut)
{
    EXPECT_EQ(CenterString("abcdef", 3), "abc");
    EXPECT_EQ(CenterString("abc", 3), "abc");
    EXPECT_EQ(CenterString("abc", 0), "");
}

TEST(CenterString, CountsCharactersNotBytes)
{
    EXPECT_EQ(CenterString("ñu", 4), " ñu ");
    EXPECT_EQ(CenterString("ñandú", 2), "ña");
}

TEST(Utf8Chars, CountAndCut)
{
    EXPECT_EQ(Utf8CharCount("España"), 6u);
    EXPECT_EQ(Utf8LeftChars("España", 4), "Espa");
    EXPECT_EQ(Utf8LeftChars("España", 5), "Españ");
    EXPECT_EQ(Utf8LeftChars("ab", 10), "ab");
    EXPECT_EQ(Utf8LeftChars("ab", 0), "");
}
