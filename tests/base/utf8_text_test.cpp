#include "base/utf8_text.h"

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

TEST(Utf8Text, EncodesOneToFourBytes)
{
    std::string s;
    for (std::uint32_t cp : {0x41u, 0xF1u, 0x20ACu, 0x1F600u})
        AppendUtf8(s, cp);
    EXPECT_EQ(s, "Añ€\xF0\x9F\x98\x80");
}

TEST(Windows1252Text, RoundTripOfTheHighBytes)
{
    EXPECT_EQ(Windows1252ToUtf8("A\xE9\x80\x9F"), "Aé€Ÿ");
    EXPECT_EQ(Utf8ToWindows1252("Aé€Ÿ"), "A\xE9\x80\x9F");
    EXPECT_EQ(Windows1252CodePoint(0x81), 0x81u);
}

TEST(Windows1252Text, UnmappedAndMalformedBecomeQuestionMarks)
{
    EXPECT_EQ(Utf8ToWindows1252("中\xF0\x9F\x98\x80x"), "??x");
    EXPECT_EQ(Utf8ToWindows1252("\xC3"), "?");
    EXPECT_EQ(Utf8ToWindows1252("\x80z"), "?z");
}

TEST(Windows1252Text, CutAfterMaxBytes)
{
    EXPECT_EQ(Utf8ToWindows1252("aéb", 2), "a\xE9");
    EXPECT_EQ(Utf8ToWindows1252("abc", 0), "");
}
