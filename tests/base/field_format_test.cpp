// field_format_test.cpp: reading format texts, their options and sample texts.
#include "base/field_format.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/date.h"
#include "base/tokenizer.h"
#include "support/recording_sink.h"

namespace cbst {
namespace {

using Texts = std::vector<std::string>;

std::string Sample(const char* text, bool use_edit_length = false) {
  return SampleText(FieldFormat::Parse(text), use_edit_length).str();
}

TEST(FieldFormat, NumberLayout) {
  testing::RecordingSink sink;
  const FieldFormat money = FieldFormat::Parse("#7,.2");
  EXPECT_EQ(money.width, 7);
  EXPECT_EQ(money.edit_length, 7);
  EXPECT_EQ(money.flags, kFormatNumeric | kFormatThousands);
  EXPECT_EQ(money.decimals, 2);
  EXPECT_EQ(money.type, kStorageDouble);
  EXPECT_EQ(SampleText(money).str(), "9.999.999,99");

  const FieldFormat scaled = FieldFormat::Parse("#4*3");
  EXPECT_EQ(scaled.scale, 3);
  EXPECT_EQ(scaled.type, kStorageInt32);
  EXPECT_EQ(Sample("#6,"), "999.999");
  EXPECT_EQ(Sample("#3.1"), "999,9");

  const Separators saved = CurrentSeparators();
  SetSeparators({.thousands = ',', .decimal = '.', .date = '/'});
  EXPECT_EQ(SampleText(money).str(), "9,999,999.99");
  SetSeparators(saved);
  EXPECT_TRUE(sink.reports.empty());
}

TEST(FieldFormat, OtherKinds) {
  const FieldFormat date = FieldFormat::Parse("F");
  EXPECT_EQ(date.type, kStorageDate);
  EXPECT_EQ(date.flags, kFormatDate);
  EXPECT_EQ(date.width, kDateFormatWidth);
  EXPECT_EQ(date.edit_length, kDateFormatWidth);
  EXPECT_EQ(SampleText(date).str(), "23/12/99");
  EXPECT_EQ(FieldFormat::Parse("F10").width, 10);

  const FieldFormat yes_no = FieldFormat::Parse("O");
  EXPECT_EQ(yes_no.type, kStorageSignedByte);
  EXPECT_EQ(yes_no.flags, kFormatYesNo);
  EXPECT_EQ(yes_no.width, 1);
  EXPECT_EQ(SampleText(yes_no).str(), "O");

  EXPECT_EQ(FieldFormat::Parse("X").type, kStorageOther);
  const FieldFormat marked = FieldFormat::Parse("!5");
  EXPECT_EQ(marked.flags, kFormatMarked);
  EXPECT_EQ(marked.width, 5);
}

TEST(FieldFormat, UnknownKindOrCharacterIsReported) {
  testing::RecordingSink sink;
  const FieldFormat unknown = FieldFormat::Parse("Z12/Upp");
  EXPECT_EQ(sink.texts(), Texts{"Format Z12/Upp"});
  EXPECT_EQ(unknown.width, 0);
  EXPECT_EQ(unknown.edit_length, 0);
  EXPECT_EQ(unknown.scale, 1);
  EXPECT_EQ(unknown.flags, 0u);
  EXPECT_EQ(unknown.type, kStorageNone);

  sink.clear();
  const FieldFormat skipped = FieldFormat::Parse("#5x,.1");
  EXPECT_EQ(sink.texts(), Texts{"Format:#5x,.1"});
  EXPECT_EQ(skipped.flags, kFormatNumeric | kFormatThousands);
  EXPECT_EQ(skipped.decimals, 1);
}

TEST(FieldFormat, Options) {
  testing::RecordingSink sink;
  const FieldFormat name = FieldFormat::Parse("$20/LnEd:40/Upp Tv:B");
  EXPECT_EQ(name.width, 20);
  EXPECT_EQ(name.edit_length, 40);
  EXPECT_EQ(name.flags, kFormatText | kFormatUpper);
  EXPECT_EQ(name.type, kStorageUnsignedByte);
  EXPECT_EQ(FieldFormat::Parse("$300").edit_length, 255);

  const FieldFormat limits = FieldFormat::Parse("#6//  /Max:99.5/Min:-3");
  EXPECT_EQ(limits.maximum, 99.5);
  EXPECT_EQ(limits.minimum, -3.0);
  EXPECT_EQ(FieldFormat::Parse("#3/!0/0=b/Scllint/Out/BlueRed").flags,
            kFormatNumeric | kFormatNotZero | kFormatZeroBlank | kFormatScrollInteger |
                kFormatOutput | kFormatBlueRed);
  const std::vector<std::pair<const char*, std::uint8_t>> storages = {
      {"#3/Tv:C", kStorageSignedByte}, {"#3/Tv:S", kStorageInt16},  {"#3/Tv:L", kStorageInt32},
      {"#3/Tv:F", kStorageFloat},      {"#3/Tv:D", kStorageDouble}, {"#3.2/Tv:L", kStorageInt32}};
  for (const auto& [text, type] : storages)
    EXPECT_EQ(FieldFormat::Parse(text).type, type) << text;
  EXPECT_TRUE(sink.reports.empty());

  const FieldFormat bad = FieldFormat::Parse("#3/Bogus/Tv:Q/Max:7");
  EXPECT_EQ(sink.texts(), (Texts{"Format:#3/Bogus/Tv:Q/Max:7", "Format:#3/Bogus/Tv:Q/Max:7"}));
  EXPECT_EQ(bad.type, kStorageInt32);
  EXPECT_EQ(bad.maximum, 7.0);
}

TEST(FieldFormat, TextSamples) {
  EXPECT_EQ(Sample("$20"), "AeiouAeiouAeiouAeiou");
  EXPECT_EQ(Sample("$20/Upp"), "MMM__MMM__MMM__MMM__");
  EXPECT_EQ(Sample("$7"), "MMM__MM");
  EXPECT_EQ(Sample("$20/LnEd:12", true), "MMM__MMM__MM");
  EXPECT_EQ(Sample("$10/LnEd:18", true), "AeiouAeiouAeiouAei");
  EXPECT_EQ(Sample("$10/LnEd:18"), "MMM__MMM__");
}

TEST(FieldFormat, CallersScanSurvivesParsing) {
  testing::RecordingSink sink;
  const int depth = TokenSave();
  TokenRestore(depth);

  const char* first = Token(nullptr, nullptr, ",", "a,b,c");
  const FieldFormat format = FieldFormat::Parse("$5/Upp/LnEd:3/Max:2/Min:1/Out/!0");
  EXPECT_EQ(format.edit_length, 3);
  EXPECT_STREQ(first, "a");
  EXPECT_STREQ(Token(nullptr, nullptr, ",", nullptr), "b");
  EXPECT_STREQ(Token(nullptr, nullptr, ",", nullptr), "c");

  const int after = TokenSave();
  TokenRestore(after);
  EXPECT_EQ(after, depth);
  EXPECT_TRUE(sink.reports.empty());
}

}  // namespace
}  // namespace cbst
