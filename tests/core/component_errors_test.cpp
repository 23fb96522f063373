#include "core/component_errors.h"

#include <gtest/gtest.h>

TEST(ComponentMessage, NameInDoubleQuotesThenColonAndText)
{
    EXPECT_EQ(ComponentMessage("Vector1", kNotEnoughMemoryOnHeap),
              "Component \"Vector1\": not enough memory on heap");
    EXPECT_EQ(ComponentMessage("V", kNotEnoughMemory), "Component \"V\": not enough memory");
    EXPECT_EQ(ComponentMessage("", kFailedToInitialize),
              "Component \"\": failed to initialize (out of memory)");
}
