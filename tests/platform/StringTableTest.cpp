#include "platform/StringTable.h"

#include <gtest/gtest.h>

namespace {

TEST(StringTable, KnownTextsAreExact) {
    EXPECT_EQ(vx::LoadString(26633), "Vexelwork");
    EXPECT_EQ(vx::LoadString(60446), "Object");
    EXPECT_EQ(vx::LoadString(27456), "Default");
    EXPECT_EQ(vx::LoadString(27442), "topLeft");
    EXPECT_EQ(vx::LoadString(27450), "middle");
    EXPECT_EQ(vx::LoadString(27032), "(ObjectCode) \"%s\" already in use or reserved.");
    EXPECT_EQ(vx::LoadString(26647), "%d Item(s)");
    EXPECT_EQ(vx::LoadString(27136), "Left");
    EXPECT_EQ(vx::LoadString(27139), "Bottom");
}

TEST(StringTable, UnknownIdsAreEmptyOrFallback) {
    EXPECT_FALSE(vx::HasString(1));
    EXPECT_TRUE(vx::LoadString(1).empty());
    EXPECT_EQ(vx::LoadStringOr(1, "x"), "x");
    EXPECT_EQ(vx::LoadStringOr(26631, "x"), "Automatic");
    EXPECT_GT(vx::StringCount(), 100);
}

}  // namespace
