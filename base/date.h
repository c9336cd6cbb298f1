// date.h: the program's calendar, its clock, and the texts of dates and times.
//
// A date is a signed 32-bit day number counted from 1 January of year 0.
// Leap years are the years divisible by 4 and not by 100; the 400-year rule
// is deliberately not applied, so 2000 is not a leap year. Day numbers stored
// in puzzle and score files were made with this rule and must stay as they are.
//
// The texts are built in module-wide buffers that the next call overwrites;
// user-interface thread only.
#pragma once

#include <cstdint>

namespace cbst {

// Special day numbers.
inline constexpr std::int32_t kNoDate = 0;
inline constexpr std::int32_t kNoDateAlt = INT32_MIN;  // also "no date"
inline constexpr std::int32_t kMaxDate = INT32_MAX;    // later than every real date
inline constexpr std::int32_t kInvalidDate = -1;       // what DayNumber gives for a bad date

// How the maximum date splits and prints.
inline constexpr int kMaxDateDay = 99;
inline constexpr int kMaxDateMonth = 99;
inline constexpr int kMaxDateYear = 9999;

// Two-digit years: below the pivot they are in the 2000s, from it to 99 in the 1900s.
inline constexpr int kTwoDigitYearLimit = 100;
inline constexpr int kCenturyPivot = 50;
inline constexpr int kCenturyBelowPivot = 2000;
inline constexpr int kCenturyFromPivot = 1900;

inline constexpr int kMonthsPerYear = 12;
inline constexpr int kDaysPerYear = 365;

// Time of day.
inline constexpr std::int32_t kMillisecondsPerHour = 3600000;
inline constexpr std::int32_t kMillisecondsPerMinute = 60000;
inline constexpr std::int32_t kMillisecondsPerSecond = 1000;
inline constexpr std::int32_t kMillisecondsPerHundredth = 10;
inline constexpr std::int32_t kMillisecondsPerTenth = 100;

// Kinds of date text (separator '-' shown).
inline constexpr int kDateTextShort = 0;          // dd-mm-yy
inline constexpr int kDateTextYearFirst = 2;      // yy-mm-dd with the year in full: 2024-05-17
inline constexpr int kDateTextLong = 3;           // dd-mm-yyyy
inline constexpr int kDateTextYearFirstLong = 5;  // yyyy-mm-dd, the year padded to four digits

// Kinds of time text.
inline constexpr int kTimeTextMinutes = 2;       // hh:mm
inline constexpr int kTimeTextSeconds = 3;       // hh:mm:ss
inline constexpr int kTimeTextTenths = 4;        // hh:mm:ss.t
inline constexpr int kTimeTextMilliseconds = 5;  // hh:mm:ss:mmm, milliseconds padded with blanks

// A separator argument that asks for the module-wide date separator.
inline constexpr int kUseDateSeparator = -1;

// The separators numbers and dates are shown with. The application replaces
// the thousands and decimal separators at start-up with the first character
// of the user's regional settings.
struct Separators {
  char thousands = '.';
  char decimal = ',';
  char date = '-';
};

const Separators& CurrentSeparators();
void SetSeparators(const Separators& separators);

// Leap years of this calendar (see above).
bool IsLeapYear(int year);
// Days of `month` (1-12) in `year`; 0 for a month outside 1-12.
int DaysInMonth(int year, int month);

// The day number of a date, or kInvalidDate when the month is not 1-12, the
// day is not within the month, or the year is negative. Years 0-99 are
// widened first (0-49 to 2000-2049, 50-99 to 1950-1999).
std::int32_t DayNumber(int year, int month, int day);

// The date of a day number, by the same rules. kNoDate and kNoDateAlt give
// 0/0/0, kMaxDate gives 9999/99/99; other negative numbers are not dates and
// give 0/0/0 too. Days 1-36524 are in the years 0-99, which DayNumber cannot
// produce since it widens those years. All three outputs must be non-null.
void SplitDayNumber(std::int32_t day_number, int* year, int* month, int* day);

// Today's date by the local clock.
std::int32_t Today();

// hours × 3600000 + minutes × 60000 + seconds × 1000 + hundredths × 10.
std::int32_t TimeOfDay(int hours, int minutes, int seconds, int hundredths);
// Milliseconds since local midnight.
std::int32_t Now();

// The text of a date in one of the kDateText kinds, with `separator` between
// the parts (kUseDateSeparator: the module-wide one). Another kind gives an
// empty text. The result lives in a buffer the next call overwrites.
const char* DateToText(std::int32_t day_number, int kind, int separator = kUseDateSeparator);

// The text of a time in milliseconds in one of the kTimeText kinds; hours go
// on past 24. Another kind, or a negative time, gives an empty text. The
// result lives in a buffer (not the date text's) the next call overwrites.
const char* MillisecondsToText(std::int32_t milliseconds, int kind);

}  // namespace cbst
