#include <gtest/gtest.h>

#include "platform/Text.h"

TEST(Text, EveryCp1252ByteSurvivesARoundTrip) {
    std::string all;
    for (int i = 0; i < 256; ++i) all += char(i);
    const std::string utf8 = vx::Cp1252ToUtf8(all);
    std::string back;
    ASSERT_TRUE(vx::Utf8ToCp1252(utf8, back));
    EXPECT_EQ(back, all);
}

TEST(Text, Cp1252SpecialCharacters) {
    EXPECT_EQ(vx::Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
    EXPECT_EQ(vx::Cp1252ToUtf8("\xE9"), "\xC3\xA9");      // e acute
    EXPECT_EQ(vx::Cp1252ToUtf8("\x81"), "\xC2\x81");      // undefined byte kept as C1
    std::string out;
    EXPECT_TRUE(vx::Utf8ToCp1252("caf\xC3\xA9 \xE2\x82\xAC", out));
    EXPECT_EQ(out, "caf\xE9 \x80");
    // Greek and CJK are outside the code page.
    EXPECT_FALSE(vx::Utf8ToCp1252("\xCE\xA9", out));
    EXPECT_FALSE(vx::Utf8ToCp1252("\xE6\x97\xA5", out));
    // Malformed UTF-8 is refused, not guessed.
    EXPECT_FALSE(vx::Utf8ToCp1252("\xC3", out));
}

TEST(Text, Utf16ConversionHandlesSurrogates) {
    const std::string s = "A\xF0\x9F\x98\x80z";  // U+1F600
    const std::u16string w = vx::Utf8ToUtf16(s);
    ASSERT_EQ(w.size(), 4u);
    EXPECT_EQ(vx::Utf16ToUtf8(w), s);
    EXPECT_EQ(vx::Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(Text, HelpersOnUtf8) {
    EXPECT_EQ(vx::Utf8Length("\xC3\xA9t\xC3\xA9"), 3u);
    EXPECT_EQ(vx::Utf8Left("\xC3\xA9t\xC3\xA9", 2), "\xC3\xA9t");
    EXPECT_EQ(vx::Utf8Left("abc", 10), "abc");
    EXPECT_TRUE(vx::EqualsNoCase("TheView", "theview"));
    EXPECT_TRUE(vx::EqualsNoCaseUtf8("\xC3\x89t\xC3\xA9", "\xC3\xA9T\xC3\x89"));
    EXPECT_EQ(vx::Trim("  a b \t\n"), "a b");
    EXPECT_EQ(vx::Format("%d-%s", 7, "x"), "7-x");
}
