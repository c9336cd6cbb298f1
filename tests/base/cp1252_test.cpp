// cp1252_test.cpp: the Windows-1252 table.
#include "base/cp1252.h"

#include <gtest/gtest.h>

namespace cbst {
namespace {

TEST(Cp1252, EveryByteSurvivesARoundTripThroughUtf8) {
  std::string all;
  for (int byte = 1; byte < 256; ++byte)
    all += static_cast<char>(byte);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Cp1252, TheHighControlsAreTheWindowsCharacters) {
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "\u20ac");
  EXPECT_EQ(Cp1252ToUtf8("Situaci\xf3n"), "Situaci\u00f3n");
  EXPECT_EQ(Cp1252ToUtf8("\x9f"), "\u0178");
  EXPECT_EQ(Utf8ToCp1252("\u201cgo\u201d \u2026"), "\x93go\x94 \x85");
}

TEST(Cp1252, UnmappableAndMalformedInputBecomesTheReplacement) {
  EXPECT_EQ(Utf8ToCp1252("a\u4e00b"), "a?b");
  EXPECT_EQ(Utf8ToCp1252("\xff\xc3"), "??");
  EXPECT_EQ(Utf8ToCp1252("\U0001F600", '_'), "_");
  EXPECT_EQ(UnicodeToCp1252(0x2122), 0x99);
  EXPECT_EQ(UnicodeToCp1252(0x100), -1);
}

}  // namespace
}  // namespace cbst
