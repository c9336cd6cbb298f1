// locale_separators_test.cpp: the separators taken from regional settings.
#include "platform/locale_separators.h"

#include <gtest/gtest.h>

namespace cbst {
namespace {

TEST(LocaleSeparators, FollowTheLocale) {
  const Separators german = LocaleSeparators("de_DE");
  EXPECT_EQ(german.thousands, '.');
  EXPECT_EQ(german.decimal, ',');
  // A narrow no-break space between groups is a blank here; the date
  // separator stays the program's.
  const Separators french = LocaleSeparators("fr_FR");
  EXPECT_EQ(french.thousands, ' ');
  EXPECT_EQ(french.decimal, ',');
  EXPECT_EQ(french.date, CurrentSeparators().date);
}

}  // namespace
}  // namespace cbst
