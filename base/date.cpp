// date.cpp: day numbers, the clock, and the texts of dates and times.
#include "base/date.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <ctime>

namespace cbst {
namespace {

constexpr std::array<int, kMonthsPerYear> kDaysBeforeMonth = {0,   31,  59,  90,  120, 151,
                                                              181, 212, 243, 273, 304, 334};
constexpr std::array<int, kMonthsPerYear> kMonthLength = {31, 28, 31, 30, 31, 30,
                                                          31, 31, 30, 31, 30, 31};
constexpr int kFebruary = 2;
constexpr int kMarch = 3;
constexpr int kMinutesPerHour = 60;
constexpr int kSecondsPerMinute = 60;
constexpr int kTmYearBase = 1900;  // std::tm counts years from 1900

// Days in a hundred years of this calendar (24 leap years), used to guess the
// year of a day number before the exact search.
constexpr std::int64_t kDaysPerCentury = 100 * kDaysPerYear + 24;

// Large enough for any date or time these functions print.
constexpr int kTextBufferSize = 40;

Separators separators;
char date_text[kTextBufferSize];
char time_text[kTextBufferSize];

// The day number of the last day before 1 January of `year` (year >= 0).
std::int64_t YearStart(std::int64_t year) {
  return year * kDaysPerYear + (year - 1) / 4 - (year - 1) / 100;
}

}  // namespace

const Separators& CurrentSeparators() {
  return separators;
}

void SetSeparators(const Separators& replacement) {
  separators = replacement;
}

bool IsLeapYear(int year) {
  return year % 4 == 0 && year % 100 != 0;
}

int DaysInMonth(int year, int month) {
  if (month < 1 || month > kMonthsPerYear) return 0;
  return kMonthLength[month - 1] + (month == kFebruary && IsLeapYear(year) ? 1 : 0);
}

std::int32_t DayNumber(int year, int month, int day) {
  if (year < 0) return kInvalidDate;
  if (year < kTwoDigitYearLimit)
    year += year < kCenturyPivot ? kCenturyBelowPivot : kCenturyFromPivot;
  if (day < 1 || day > DaysInMonth(year, month)) return kInvalidDate;

  const std::int64_t number = YearStart(year) + kDaysBeforeMonth[month - 1] +
                              (month >= kMarch && IsLeapYear(year) ? 1 : 0) + day;
  // Beyond the range, or colliding with the maximum date.
  if (number >= kMaxDate) return kInvalidDate;
  return static_cast<std::int32_t>(number);
}

void SplitDayNumber(std::int32_t day_number, int* year, int* month, int* day) {
  if (day_number == kMaxDate) {
    *year = kMaxDateYear;
    *month = kMaxDateMonth;
    *day = kMaxDateDay;
    return;
  }
  if (day_number <= 0) {  // kNoDate, kNoDateAlt and what no date can give
    *year = *month = *day = 0;
    return;
  }

  // The guess is off by a year or two at most; settle on the year whose start
  // lies just before the day.
  std::int64_t found_year = day_number * std::int64_t{100} / kDaysPerCentury;
  while (found_year > 0 && YearStart(found_year) >= day_number)
    --found_year;
  while (YearStart(found_year + 1) < day_number)
    ++found_year;

  const int year_found = static_cast<int>(found_year);
  const int day_of_year = static_cast<int>(day_number - YearStart(found_year));
  const int leap_day = IsLeapYear(year_found) ? 1 : 0;
  int month_found = kMonthsPerYear;
  while (month_found > 1 &&
         kDaysBeforeMonth[month_found - 1] + (month_found >= kMarch ? leap_day : 0) >= day_of_year)
    --month_found;

  *year = year_found;
  *month = month_found;
  *day = day_of_year - kDaysBeforeMonth[month_found - 1] - (month_found >= kMarch ? leap_day : 0);
}

std::int32_t Today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return DayNumber(local.tm_year + kTmYearBase, local.tm_mon + 1, local.tm_mday);
}

std::int32_t TimeOfDay(int hours, int minutes, int seconds, int hundredths) {
  return hours * kMillisecondsPerHour + minutes * kMillisecondsPerMinute +
         seconds * kMillisecondsPerSecond + hundredths * kMillisecondsPerHundredth;
}

std::int32_t Now() {
  namespace chrono = std::chrono;
  const auto since_epoch = chrono::system_clock::now().time_since_epoch();
  const auto whole_seconds = chrono::floor<chrono::seconds>(since_epoch);
  const auto milliseconds =
      chrono::duration_cast<chrono::milliseconds>(since_epoch - whole_seconds);
  const std::time_t seconds = static_cast<std::time_t>(whole_seconds.count());
  std::tm local{};
  localtime_r(&seconds, &local);
  return TimeOfDay(local.tm_hour, local.tm_min, local.tm_sec, 0) +
         static_cast<std::int32_t>(milliseconds.count());
}

const char* DateToText(std::int32_t day_number, int kind, int separator) {
  const char mark = static_cast<char>(separator == kUseDateSeparator ? separators.date : separator);
  int year = 0;
  int month = 0;
  int day = 0;
  SplitDayNumber(day_number, &year, &month, &day);
  switch (kind) {
    case kDateTextShort:
      std::snprintf(date_text, sizeof date_text, "%02i%c%02i%c%02i", day, mark, month, mark,
                    year % 100);
      break;
    case kDateTextLong:
      std::snprintf(date_text, sizeof date_text, "%02i%c%02i%c%04i", day, mark, month, mark, year);
      break;
    case kDateTextYearFirst:
      std::snprintf(date_text, sizeof date_text, "%02i%c%02i%c%02i", year, mark, month, mark, day);
      break;
    case kDateTextYearFirstLong:
      std::snprintf(date_text, sizeof date_text, "%04i%c%02i%c%02i", year, mark, month, mark, day);
      break;
    default:
      date_text[0] = 0;
  }
  return date_text;
}

const char* MillisecondsToText(std::int32_t milliseconds, int kind) {
  time_text[0] = 0;
  if (milliseconds < 0) return time_text;
  const int hours = milliseconds / kMillisecondsPerHour;
  const int minutes = milliseconds / kMillisecondsPerMinute % kMinutesPerHour;
  const int seconds = milliseconds / kMillisecondsPerSecond % kSecondsPerMinute;
  const int thousandths = milliseconds % kMillisecondsPerSecond;
  switch (kind) {
    case kTimeTextMinutes:
      std::snprintf(time_text, sizeof time_text, "%02i:%02i", hours, minutes);
      break;
    case kTimeTextSeconds:
      std::snprintf(time_text, sizeof time_text, "%02i:%02i:%02i", hours, minutes, seconds);
      break;
    case kTimeTextTenths:
      std::snprintf(time_text, sizeof time_text, "%02i:%02i:%02i.%i", hours, minutes, seconds,
                    thousandths / kMillisecondsPerTenth);
      break;
    case kTimeTextMilliseconds:
      std::snprintf(time_text, sizeof time_text, "%02i:%02i:%02i:%3i", hours, minutes, seconds,
                    thousandths);
      break;
    default:
      break;
  }
  return time_text;
}

}  // namespace cbst
