// date_test.cpp: day numbers, their splitting, the clock, and date and time texts.
#include "base/date.h"

#include <chrono>
#include <string>

#include <gtest/gtest.h>

namespace cbst {
namespace {

struct Date {
  int year = 0;
  int month = 0;
  int day = 0;
  bool operator==(const Date&) const = default;
};

Date Split(std::int32_t day_number) {
  Date date;
  SplitDayNumber(day_number, &date.year, &date.month, &date.day);
  return date;
}

// The calendar day after `date`, worked out without day numbers.
Date NextDay(Date date) {
  if (++date.day <= DaysInMonth(date.year, date.month)) return date;
  date.day = 1;
  if (++date.month <= kMonthsPerYear) return date;
  date.month = 1;
  ++date.year;
  return date;
}

TEST(Date, DayNumbersAroundTheMissingLeapDayOf2000) {
  // Saved games hold day numbers, so this one must never move.
  EXPECT_EQ(DayNumber(2000, 1, 1), 730481);
  EXPECT_EQ(DayNumber(2000, 1, 1), DayNumber(1999, 12, 31) + 1);
  EXPECT_EQ(DayNumber(2000, 3, 1), DayNumber(2000, 2, 28) + 1);
  EXPECT_EQ(DayNumber(2000, 2, 29), kInvalidDate);
  EXPECT_EQ(DayNumber(2100, 2, 29), kInvalidDate);
  EXPECT_EQ(DayNumber(1996, 2, 29), DayNumber(1996, 2, 28) + 1);
  EXPECT_EQ(DayNumber(1996, 3, 1), DayNumber(1996, 2, 28) + 2);
}

TEST(Date, TwoDigitYearsAreWidenedAndBadDatesRejected) {
  EXPECT_EQ(DayNumber(49, 6, 1), DayNumber(2049, 6, 1));
  EXPECT_EQ(DayNumber(50, 6, 1), DayNumber(1950, 6, 1));
  EXPECT_EQ(DayNumber(0, 6, 1), DayNumber(2000, 6, 1));
  EXPECT_EQ(Split(DayNumber(100, 6, 1)), (Date{100, 6, 1}));

  for (const Date& bad : {Date{2024, 13, 1}, Date{2024, 0, 1}, Date{2024, 1, 0}, Date{2024, 1, 32},
                          Date{2024, 4, 31}, Date{-1, 1, 1}, Date{2024, -3, 5}}) {
    EXPECT_EQ(DayNumber(bad.year, bad.month, bad.day), kInvalidDate)
        << bad.year << "/" << bad.month << "/" << bad.day;
  }
}

TEST(Date, SplittingIsExactForEveryDayNumber) {
  const std::int32_t last = DayNumber(9999, 12, 31);
  Date previous = Split(1);
  ASSERT_EQ(previous, (Date{0, 1, 1}));
  for (std::int32_t number = 2; number <= last; ++number) {
    const Date date = Split(number);
    ASSERT_EQ(date, NextDay(previous)) << number;
    if (date.year >= kTwoDigitYearLimit) {
      ASSERT_EQ(DayNumber(date.year, date.month, date.day), number);
    }
    previous = date;
  }
  EXPECT_EQ(previous, (Date{9999, 12, 31}));

  const Date latest = Split(kMaxDate - 1);
  EXPECT_EQ(DayNumber(latest.year, latest.month, latest.day), kMaxDate - 1);
  const Date after = NextDay(latest);
  EXPECT_EQ(DayNumber(after.year, after.month, after.day), kInvalidDate);
}

TEST(Date, SpecialValuesSplitAndPrint) {
  EXPECT_EQ(Split(kNoDate), (Date{0, 0, 0}));
  EXPECT_EQ(Split(kNoDateAlt), (Date{0, 0, 0}));
  EXPECT_EQ(Split(kMaxDate), (Date{9999, 99, 99}));
  EXPECT_STREQ(DateToText(kNoDate, kDateTextShort), "00-00-00");
  EXPECT_STREQ(DateToText(kNoDateAlt, kDateTextLong), "00-00-0000");
  EXPECT_STREQ(DateToText(kNoDate, kDateTextYearFirstLong), "0000-00-00");
  EXPECT_STREQ(DateToText(kMaxDate, kDateTextLong), "99-99-9999");
  EXPECT_STREQ(DateToText(kMaxDate, kDateTextYearFirstLong), "9999-99-99");
}

TEST(Date, TextKindsAndSeparators) {
  const std::int32_t date = DayNumber(2007, 3, 5);
  EXPECT_STREQ(DateToText(date, kDateTextShort), "05-03-07");
  EXPECT_STREQ(DateToText(date, kDateTextLong), "05-03-2007");
  EXPECT_STREQ(DateToText(date, kDateTextYearFirst), "2007-03-05");
  EXPECT_STREQ(DateToText(date, kDateTextYearFirstLong), "2007-03-05");
  EXPECT_STREQ(DateToText(date, kDateTextShort, '/'), "05/03/07");
  EXPECT_STREQ(DateToText(date, 1), "");
  // Only the long year-first kind pads a short year.
  EXPECT_STREQ(DateToText(DayNumber(812, 1, 9), kDateTextYearFirst), "812-01-09");
  EXPECT_STREQ(DateToText(DayNumber(812, 1, 9), kDateTextYearFirstLong), "0812-01-09");

  const Separators saved = CurrentSeparators();
  SetSeparators({.thousands = ',', .decimal = '.', .date = '.'});
  EXPECT_STREQ(DateToText(date, kDateTextLong), "05.03.2007");
  EXPECT_STREQ(DateToText(date, kDateTextLong, '-'), "05-03-2007");
  SetSeparators(saved);
}

TEST(Date, MillisecondTexts) {
  const std::int32_t time = 3723456;
  EXPECT_EQ(TimeOfDay(1, 2, 3, 45), 3723450);
  EXPECT_STREQ(MillisecondsToText(time, kTimeTextMinutes), "01:02");
  EXPECT_STREQ(MillisecondsToText(time, kTimeTextSeconds), "01:02:03");
  EXPECT_STREQ(MillisecondsToText(time, kTimeTextTenths), "01:02:03.4");
  EXPECT_STREQ(MillisecondsToText(time, kTimeTextMilliseconds), "01:02:03:456");
  EXPECT_STREQ(MillisecondsToText(45, kTimeTextMilliseconds), "00:00:00: 45");
  const std::int32_t long_game = TimeOfDay(100, 59, 59, 99);
  EXPECT_STREQ(MillisecondsToText(long_game, kTimeTextSeconds), "100:59:59");
  EXPECT_STREQ(MillisecondsToText(long_game, kTimeTextTenths), "100:59:59.9");
  EXPECT_STREQ(MillisecondsToText(time, 1), "");
  EXPECT_STREQ(MillisecondsToText(-1, kTimeTextSeconds), "");
}

TEST(Date, ClockFollowsTheSystemClock) {
  // No leap day of the 400-year rule falls after 2024 until 2400, so from 2024
  // on this calendar counts days like the real one; local time may be a day off.
  using namespace std::chrono;
  const auto real_days = (floor<days>(system_clock::now()) - sys_days{2024y / 1 / 1}).count();
  const std::int32_t counted = Today() - DayNumber(2024, 1, 1);
  EXPECT_NEAR(counted, real_days, 1);

  const std::int32_t now = Now();
  EXPECT_GE(now, 0);
  EXPECT_LT(now, TimeOfDay(24, 0, 1, 0));
}

}  // namespace
}  // namespace cbst
