// vstring_test.cpp: VString's 16-bit lengths, shared empty text and StrCat.
#include "base/vstring.h"

#include <gtest/gtest.h>

#include <string>

#include "support/recording_sink.h"

namespace cbst {
namespace {

TEST(VString, EmptyTextsShareOneStaticBlock) {
  const auto before = VString::LiveCounters();
  VString empty;
  VString from_null(static_cast<const char*>(nullptr));
  VString from_blank("");
  VString released("something");
  released.Release();
  for (const VString* text : {&empty, &from_null, &from_blank, &released}) {
    EXPECT_TRUE(text->UsesSharedEmpty());
    EXPECT_EQ(text->length(), 0);
    EXPECT_EQ(text->capacity(), 0u);
  }
  EXPECT_EQ(VString::LiveCounters().live_blocks, before.live_blocks);
}

TEST(VString, BlocksHoldLengthPlusOneAndAreCounted) {
  const auto before = VString::LiveCounters();
  {
    VString text("abc");
    EXPECT_EQ(text.capacity(), 4u);
    VString copy = text;
    EXPECT_EQ(VString::LiveCounters().live_blocks, before.live_blocks + 2);
    EXPECT_EQ(VString::LiveCounters().total_capacity, before.total_capacity + 8);
    VString moved = std::move(copy);
    EXPECT_TRUE(copy.UsesSharedEmpty());
    EXPECT_EQ(moved, "abc");
  }
  EXPECT_EQ(VString::LiveCounters().live_blocks, before.live_blocks);
  EXPECT_EQ(VString::LiveCounters().total_capacity, before.total_capacity);
}

TEST(VString, AppendingPastTheSixteenBitLengthWraps) {
  VString text(std::string(65535, 'x'));
  EXPECT_EQ(text.length(), 65535);
  text.Append("yz");
  EXPECT_EQ(text.length(), 1);
  EXPECT_EQ(text, "x");

  VString near(std::string(65530, 'a'));
  near.Append(std::string(10, 'b'));
  EXPECT_EQ(near.length(), 4);
}

TEST(VString, SubstringsIncludingOfItsOwnText) {
  EXPECT_EQ(VString("puzzle", 1, 3), "uzz");
  EXPECT_EQ(VString("puzzle", 2, -1), "zzle");
  EXPECT_EQ(VString("puzzle", 2, 100), "zzle");
  EXPECT_TRUE(VString("puzzle", 6, 1).empty());

  VString text("jigsaw puzzle");
  const std::uint32_t capacity = text.capacity();
  text.Assign(text.c_str(), 7, 6);
  EXPECT_EQ(text, "puzzle");
  EXPECT_EQ(text.capacity(), capacity);  // moved in place, no new block
}

TEST(VString, NullComparesAsEmpty) {
  EXPECT_TRUE(VString() == static_cast<const char*>(nullptr));
  EXPECT_TRUE(VString("") == "");
  EXPECT_FALSE(VString("a") == static_cast<const char*>(nullptr));
  EXPECT_TRUE(TextEquals(nullptr, ""));
}

TEST(VString, EditingOperations) {
  EXPECT_EQ(VString("42").PadLeft('0', 5), "00042");
  EXPECT_EQ(VString("123456").PadLeft('0', 3), "123456");
  EXPECT_EQ(VString("pz").Insert(1, "uz"), "puzz");
  EXPECT_EQ(VString("ab").Insert(99, "c"), "abc");

  VString text("a-b--c");
  EXPECT_EQ(text.ReplaceAll("-", "+-"), 3);
  EXPECT_EQ(text, "a+-b+-+-c");
  EXPECT_EQ(text.ReplaceAll("+-", ""), 3);
  EXPECT_EQ(text, "abc");
  EXPECT_EQ(text.ReplaceAll("x", "y"), 0);

  VString self("ab");
  self.Append(self);
  EXPECT_EQ(self, "abab");
  EXPECT_EQ(VString::WithCapacity(3, '*'), "***");
  VString reserved = VString::WithCapacity(10);
  EXPECT_TRUE(reserved.empty());
  EXPECT_EQ(reserved.capacity(), 11u);
}

TEST(VString, WideTextBecomesWindows1252) {
  EXPECT_EQ(VString(L"Caf\u00e9 \u20ac \u4e00"), "Caf\xe9 \x80 ?");
}

TEST(VString, DictionaryEntriesThroughTheLookup) {
  EXPECT_TRUE(VString::Entry(501).empty());
  SetDictionaryLookup([](int id) -> const char* { return id == 501 ? "Cutting" : ""; });
  VString text = VString::Entry(501);
  text.Append(" ").AppendEntry(501);
  EXPECT_EQ(text, "Cutting Cutting");
  SetDictionaryLookup(nullptr);
}

TEST(VString, FormattedTextReportsOverflowFromFiveHundredTwelve) {
  testing::RecordingSink sink;
  EXPECT_EQ(VString::Format("%s", std::string(511, 'a').c_str()).length(), 511);
  EXPECT_TRUE(sink.reports.empty());
  EXPECT_EQ(VString::Format("%s", std::string(512, 'a').c_str()).length(), 512);
  EXPECT_EQ(sink.texts(), std::vector<std::string>{"VString owflw"});
  EXPECT_EQ(VString::Format("%s", std::string(2000, 'a').c_str()).length(), 1023);
  EXPECT_EQ(VString::Format("%i/%s", 7, "x"), "7/x");
}

TEST(VString, HexTest) {
  EXPECT_TRUE(VString("0x1fA").IsHex());
  EXPECT_TRUE(VString("DEADbeef").IsHex());
  EXPECT_FALSE(VString("0x1g").IsHex());
  EXPECT_FALSE(VString("-12").IsHex());
}

TEST(StrCat, JoinsUpToNineTextsIntoOneSharedBuffer) {
  testing::RecordingSink sink;
  const char* nine = StrCat("1", "2", "3", "4", "5", "6", "7", "8", "9", nullptr);
  EXPECT_STREQ(nine, "123456789");
  EXPECT_TRUE(sink.reports.empty());

  const char* ten = StrCat("1", "2", "3", "4", "5", "6", "7", "8", "9", "0", nullptr);
  EXPECT_STREQ(ten, "123456789");
  EXPECT_EQ(sink.texts(), std::vector<std::string>{"StrCat debe terminar en NULL"});

  const char* first = StrCat("a", "b", nullptr);
  StrCat("c", nullptr);
  EXPECT_STREQ(first, "c");  // overwritten by the next call
}

}  // namespace
}  // namespace cbst
