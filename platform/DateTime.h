#pragma once

// Local date-time as a day count: whole days since 30 December 1899 plus the time of day as a
// fraction of a day. Before that day the integral part counts back while the fraction still
// adds a time of day (-1.25 is 29 December 1899, 06:00). The clock resolves milliseconds.

#include <cstdint>

using TDateTime = double;

inline constexpr double MSecsPerDay = 86400000.0;
inline constexpr double OneMillisecond = 1.0 / MSecsPerDay;
inline constexpr TDateTime MinDateTime = -693593.0;         // 0001-01-01
inline constexpr TDateTime MaxDateTime = 2958465.99999999;  // 9999-12-31 23:59:59.999

struct TDateTimeParts {
  int year = 1899, month = 12, day = 30;
  int hour = 0, minute = 0, second = 0, msec = 0;
};

bool IsLeapYear(int year);
// 0 for a month outside 1..12.
int DaysInMonth(int year, int month);

bool TryEncodeDate(int year, int month, int day, TDateTime& out);
// Throws EConvertError for a date outside 0001-01-01 .. 9999-12-31 or a day the month lacks.
TDateTime EncodeDate(int year, int month, int day);
bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime& out);
TDateTime EncodeTime(int hour, int minute, int second, int msec);
// A date plus a time of day, honouring the sign convention before 1899-12-30.
TDateTime ComposeDateTime(TDateTime date, TDateTime time);

// The whole days of `value` with the time of day of `time`.
TDateTime ReplaceTime(TDateTime value, TDateTime time);
// `value` moved by `months` whole months, keeping its time of day; the day is clamped to the
// target month's length (31 January + 1 month is the last day of February).
TDateTime IncMonth(TDateTime value, int months);

// The value rounded to the millisecond (which may carry into the next day). Values outside
// MinDateTime..MaxDateTime are clamped and NaN reads as 0, so any input decodes.
TDateTimeParts DecodeDateTime(TDateTime value);
// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime value);

// Whole units between two moments, in either order: |a - b| scaled in extended precision,
// rounded to double and truncated toward zero (saturating instead of overflowing).
int64_t HoursBetween(TDateTime a, TDateTime b);
int64_t MinutesBetween(TDateTime a, TDateTime b);
int64_t SecondsBetween(TDateTime a, TDateTime b);
int64_t MilliSecondsBetween(TDateTime a, TDateTime b);

// 0 when a and b are less than a millisecond apart, +1 when a is later, -1 when earlier.
int CompareDateTime(TDateTime a, TDateTime b);
