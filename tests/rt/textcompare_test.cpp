#include "rt/textcompare.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TextEquals, IgnoresTheCaseOfAsciiLettersOnly) {
    EXPECT_TRUE(rt::TextEquals("AcDb2dPolyline", "ACDB2DPOLYLINE"));
    EXPECT_TRUE(rt::TextEquals("polyline", "POLYLINE"));
    EXPECT_TRUE(rt::TextEquals("", ""));
    EXPECT_FALSE(rt::TextEquals("POLYLINE", "POLYLINE "));
    EXPECT_FALSE(rt::TextEquals("VERTEX", "VERTEXES"));
    // '@' and '`' sit next to the letters in ASCII; a case fold by bit masking confuses them.
    EXPECT_FALSE(rt::TextEquals("@", "`"));
    EXPECT_FALSE(rt::TextEquals("[", "{"));
    // Bytes outside ASCII compare as they are: "È" and "è" differ in UTF-8.
    EXPECT_FALSE(rt::TextEquals("\xC3\x88", "\xC3\xA8"));
    EXPECT_TRUE(rt::TextEquals(std::string("A\0b", 3), std::string("a\0B", 3)));
    EXPECT_FALSE(rt::TextEquals(std::string("A\0b", 3), "A"));
}

} // namespace
