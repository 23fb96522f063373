#include "core/component_errors.h"

#include <gtest/gtest.h>

#include <type_traits>

TEST(ComponentMessage, NameInDoubleQuotesThenColonAndText)
{
    EXPECT_EQ(ComponentMessage("Vector1", kNotEnoughMemoryOnHeap),
              "Component \"Vector1\": not enough memory on heap");
    EXPECT_EQ(ComponentMessage("V", kNotEnoughMemory), "Component \"V\": not enough memory");
    EXPECT_EQ(ComponentMessage("", kFailedToInitialize),
              "Component \"\": failed to initialize (out of memory)");
}

TEST(ComponentErrors, AllDeriveFromTheLibraryBase)
{
    try {
        throw ERukDataTableError("x");
    } catch (const ERukError& e) {
        EXPECT_STREQ(e.what(), "x");
    }
    EXPECT_TRUE((std::is_base_of_v<ERukError, ERukVectorError>));
    EXPECT_TRUE((std::is_base_of_v<ERukError, ERukMatrixError>));
    EXPECT_TRUE((std::is_base_of_v<ERukError, ERukNTabedError>));
}
