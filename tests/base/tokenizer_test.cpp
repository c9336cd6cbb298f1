// tokenizer_test.cpp: the shared tokenizer, numbers and text tests.
#include "base/tokenizer.h"

#include <gtest/gtest.h>

#include "base/numbers.h"
#include "base/text_tests.h"
#include "support/recording_sink.h"

namespace cbst {
namespace {

TEST(Token, AdjacentDelimitersGiveEmptyTokens) {
  int start = -1;
  char delimiter = 'x';
  EXPECT_STREQ(Token(&start, &delimiter, ",", "a,,b"), "a");
  EXPECT_EQ(start, 0);
  EXPECT_EQ(delimiter, ',');
  EXPECT_STREQ(Token(&start, &delimiter, ",", nullptr), "");
  EXPECT_EQ(start, 2);
  EXPECT_STREQ(Token(&start, &delimiter, ",", nullptr), "b");
  EXPECT_EQ(start, 3);
  EXPECT_EQ(delimiter, 0);
  EXPECT_EQ(Token(&start, &delimiter, ",", nullptr), nullptr);
  EXPECT_EQ(start, 0);
}

TEST(Token, DelimiterSetsAndTheWholeRest) {
  EXPECT_STREQ(Token(nullptr, nullptr, "/ ", "/Med0:4#6 x"), "");
  EXPECT_STREQ(Token(nullptr, nullptr, "/ ", nullptr), "Med0:4#6");
  EXPECT_STREQ(Token(nullptr, nullptr, "", nullptr), "x");
  EXPECT_EQ(Token(nullptr, nullptr, "", nullptr), nullptr);

  VString token;
  EXPECT_TRUE(Token(token, nullptr, nullptr, ";", "left;right"));
  EXPECT_EQ(token, "left");
  EXPECT_TRUE(Token(token, nullptr, nullptr, ";", nullptr));
  EXPECT_EQ(token, "right");
  EXPECT_FALSE(Token(token, nullptr, nullptr, ";", nullptr));
}

TEST(Token, SixNewestTokensStayValidAndTheSeventhReusesTheFirst) {
  const char* tokens[7];
  tokens[0] = Token(nullptr, nullptr, " ", "t0 t1 t2 t3 t4 t5 t6");
  for (int index = 1; index < 7; ++index)
    tokens[index] = Token(nullptr, nullptr, " ", nullptr);
  for (int index = 1; index < 7; ++index) {
    EXPECT_EQ(tokens[index], std::string("t") + std::to_string(index));
  }
  EXPECT_EQ(tokens[0], tokens[6]);
}

TEST(Token, NestedScansRestoreTheOuterScan) {
  testing::RecordingSink sink;
  EXPECT_STREQ(Token(nullptr, nullptr, ",", "outer1,outer2"), "outer1");
  const int handle = TokenSave();
  EXPECT_STREQ(Token(nullptr, nullptr, ":", "inner:x"), "inner");
  TokenRestore(handle);
  int start = 0;
  EXPECT_STREQ(Token(&start, nullptr, ",", nullptr), "outer2");
  EXPECT_EQ(start, 7);
  EXPECT_TRUE(sink.reports.empty());
}

TEST(Token, SaveStackLimitsAndMisuse) {
  testing::RecordingSink sink;
  int handles[kTokenStackDepth];
  for (int index = 0; index < kTokenStackDepth; ++index) {
    handles[index] = TokenSave();
    EXPECT_EQ(handles[index], index);
  }
  EXPECT_TRUE(sink.reports.empty());
  EXPECT_EQ(TokenSave(), -1);
  EXPECT_EQ(sink.texts(), std::vector<std::string>{"Token Stack Ovflw"});

  sink.clear();
  TokenRestore(handles[0]);  // not the newest: reported, still popped
  EXPECT_EQ(sink.texts(), std::vector<std::string>{"Token Unbalanced"});
  for (int index = kTokenStackDepth - 2; index >= 0; --index)
    TokenRestore(-1);
  sink.clear();
  TokenRestore(-1);
  EXPECT_EQ(sink.texts(), std::vector<std::string>{"Token Stack UndrFlw"});
}

TEST(Numbers, TextToNumber) {
  EXPECT_EQ(TextToDouble("0x1F"), 31.0);
  EXPECT_EQ(TextToDouble("0XfF"), 255.0);
  EXPECT_EQ(TextToDouble("1e3"), 1000.0);
  EXPECT_EQ(TextToDouble("  -2.5xyz"), -2.5);
  EXPECT_EQ(TextToDouble("+.5"), 0.5);
  EXPECT_EQ(TextToDouble(""), 0.0);
  EXPECT_EQ(TextToDouble(nullptr), 0.0);
  EXPECT_EQ(TextToDouble("abc"), 0.0);

  EXPECT_EQ(TextToUnsigned("0x1F"), 31u);
  EXPECT_EQ(TextToUnsigned("0xFFFFFFFF"), 0xFFFFFFFFu);
  EXPECT_EQ(TextToUnsigned("4096 pieces"), 4096u);
  EXPECT_EQ(TextToUnsigned(" 12"), 12u);
  EXPECT_EQ(TextToUnsigned(nullptr), 0u);
  EXPECT_EQ(TextToUnsigned("x"), 0u);
}

TEST(Numbers, NumberToText) {
  EXPECT_EQ(DoubleToText(2.5, 2), "2.50");
  EXPECT_EQ(DoubleToText(2.0 / 3.0, 0), "1");
  EXPECT_EQ(DoubleToText(1.25, -1), "1.250000");
  EXPECT_EQ(DoubleToText(-0.125, 3), "-0.125");
  EXPECT_EQ(UnsignedToText(4294967295u), "4294967295");
  EXPECT_EQ(HexToText(0xBEEF), "BEEF");
  EXPECT_EQ(HexToText(0x1F, true), "0x1F");
  EXPECT_EQ(HexToText(0, true), "0x0");
}

TEST(TextTests, BlankPrintableAndTrim) {
  EXPECT_TRUE(IsBlank(nullptr));
  EXPECT_TRUE(IsBlank(""));
  EXPECT_TRUE(IsBlank("   "));
  EXPECT_FALSE(IsBlank(" \t "));
  EXPECT_TRUE(IsPrintable("a\tb \xe9"));
  EXPECT_FALSE(IsPrintable("a\nb"));

  const char* trimmed = TrimLeft(" \t\r\nvalue ");
  EXPECT_STREQ(trimmed, "value ");
  EXPECT_STREQ(TrimLeft(nullptr), "");
  for (int index = 0; index < kTrimBufferCount - 2; ++index)
    TrimLeft("other");
  EXPECT_STREQ(trimmed, "value ");  // still one of the six newest
  TrimLeft("seventh");
  EXPECT_STREQ(trimmed, "seventh");
}

}  // namespace
}  // namespace cbst
