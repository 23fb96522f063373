#include "core/utf8_text.h"

#include <gtest/gtest.h>

TEST(Utf8Text, CountsCharactersNotBytes)
{
    EXPECT_EQ(Utf8CharCount("Año"), 3u);
    EXPECT_EQ(Utf8CharCount(""), 0u);
    EXPECT_EQ(Utf8CharOffset("ñandú", 1), 2u);
    EXPECT_EQ(Utf8CharOffset("ab", 5), 2u);
}

TEST(Utf8Text, CutsOnCharacterBoundaries)
{
    EXPECT_EQ(Utf8LeftChars("ñandú", 2), "ña");
    EXPECT_EQ(Utf8LeftChars("ab", 9), "ab");
    EXPECT_EQ(Utf8RightChars("ñandú", 2), "dú");
    EXPECT_EQ(Utf8RightChars("ñandú", 0), "");
    EXPECT_EQ(Utf8RightChars("ab", 9), "ab");
}
