// numbers_test.cpp: numbers written in full and read back unchanged, text
// too large for its type reported, and values shown and read in their
// field formats under German and English separators.
#include <cfloat>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/date.h"
#include "base/field_value.h"
#include "base/numbers.h"
#include "support/recording_sink.h"

namespace cbst {
namespace {

using Texts = std::vector<std::string>;

TEST(Numbers, WrittenInFullAndReadBackUnchanged) {
  EXPECT_EQ(NumberToText(1234567).str(), "1234567");
  EXPECT_EQ(NumberToText(0.1).str(), "0.1");
  EXPECT_EQ(NumberToText(-2.5).str(), "-2.5");
  EXPECT_EQ(NumberToText(1e20).str(), "100000000000000000000");
  // Any double, large or small, comes back as itself and never with an
  // exponent the readers of the program would stop at.
  std::mt19937_64 random(27);
  std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
  std::uniform_int_distribution<int> exponent(-30, 30);
  for (int round = 0; round < 2000; ++round) {
    const double value = std::ldexp(mantissa(random), exponent(random) * 3);
    const VString text = NumberToText(value);
    ASSERT_EQ(text.view().find_first_of("eE"), std::string_view::npos) << text.str();
    ASSERT_EQ(TextToDouble(text.c_str()), value) << text.str();
  }
}

TEST(Numbers, TextTooLargeForItsTypeIsReadAsTheNearestWithoutAMessage) {
  testing::RecordingSink sink;
  EXPECT_EQ(TextToUnsigned("4294967295"), 4294967295u);
  EXPECT_EQ(TextToUnsigned("-0"), 0u);
  EXPECT_EQ(TextToDouble("1e-999"), 0.0);  // too small is zero

  EXPECT_EQ(TextToUnsigned("4294967296"), 4294967295u);
  EXPECT_EQ(TextToUnsigned("0x100000000"), 4294967295u);
  EXPECT_EQ(TextToUnsigned("-5"), 0u);
  EXPECT_EQ(TextToDouble("1e999"), DBL_MAX);
  EXPECT_EQ(TextToDouble("-1e999"), -DBL_MAX);
  EXPECT_TRUE(sink.reports.empty());
}

// Runs a case under the given separators and puts the old ones back.
class FieldValue : public ::testing::Test {
 protected:
  void TearDown() override { SetSeparators(saved_); }
  static void German() { SetSeparators({.thousands = '.', .decimal = ',', .date = '-'}); }
  static void English() { SetSeparators({.thousands = ',', .decimal = '.', .date = '-'}); }

 private:
  Separators saved_ = CurrentSeparators();
};

TEST_F(FieldValue, NumbersShowWithTheirDecimalsSeparatorsAndScale) {
  const FieldFormat money = FieldFormat::Parse("#9,.2");
  German();
  EXPECT_EQ(FormatValue(money, 1234567.891).str(), "1.234.567,89");
  EXPECT_EQ(FormatValue(money, -1234.5).str(), "-1.234,50");
  EXPECT_EQ(FormatValue(money, 12).str(), "12,00");
  English();
  EXPECT_EQ(FormatValue(money, 1234567.891).str(), "1,234,567.89");
  EXPECT_EQ(FormatValue(money, 999).str(), "999.00");

  // Tenths kept as whole numbers; the ranking's "#2.1".
  EXPECT_EQ(FormatValue(FieldFormat::Parse("#5.1*10"), 125).str(), "12.5");
  EXPECT_EQ(FormatValue(FieldFormat::Parse("#2.1"), 7.25).str(), "7.2");
  EXPECT_EQ(FormatValue(FieldFormat::Parse("#4"), 1234567).str(), "1234567");
  EXPECT_EQ(FormatValue(FieldFormat::Parse("#4/0=b"), 0).str(), "");
  EXPECT_EQ(FormatValue(FieldFormat::Parse("#4"), 0).str(), "0");
  EXPECT_EQ(FormatValue(FieldFormat::Parse("F"), DayNumber(2024, 5, 17)).str(), "17-05-24");
  EXPECT_EQ(FormatValue(FieldFormat{}, 1234567).str(), "1234567");
}

TEST_F(FieldValue, ShownTextReadsBackAndOutOfLimitsIsRefused) {
  const FieldFormat money = FieldFormat::Parse("#9,.2");
  for (auto separators : {&German, &English}) {
    separators();
    for (const double value : {0.0, 1.5, -1234.25, 1234567.89, 99999999.99}) {
      const std::optional<double> read = ReadValue(money, FormatValue(money, value).view());
      ASSERT_TRUE(read.has_value()) << value;
      EXPECT_DOUBLE_EQ(*read, value);
    }
  }
  German();
  EXPECT_EQ(ReadValue(money, " 1.234,5 "), 1234.5);
  EXPECT_EQ(ReadValue(money, ""), 0.0);
  EXPECT_EQ(ReadValue(money, "12x"), std::nullopt);
  EXPECT_EQ(ReadValue(money, "1,2,3"), std::nullopt);
  // Without the thousands option a thousands separator is not a number.
  EXPECT_EQ(ReadValue(FieldFormat::Parse("#5"), "1.234"), std::nullopt);

  const FieldFormat bounded = FieldFormat::Parse("#3/Min:1/Max:99");
  EXPECT_EQ(ReadValue(bounded, "99"), 99.0);
  EXPECT_EQ(ReadValue(bounded, "100"), std::nullopt);
  EXPECT_EQ(ReadValue(bounded, "0"), std::nullopt);
  EXPECT_EQ(ReadValue(FieldFormat::Parse("#3/!0"), "0"), std::nullopt);
  EXPECT_EQ(ReadValue(FieldFormat::Parse("#5.1*10"), "12,5"), 125.0);
}

}  // namespace
}  // namespace cbst
