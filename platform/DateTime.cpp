#include "platform/DateTime.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/component/Exceptions.h"

namespace {

// Days from 1970-01-01 to 1899-12-30 (H. Hinnant's civil calendar algorithms below).
constexpr int64_t kEpochShift = 25569;

int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, TDateTimeParts& parts) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  parts.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  parts.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  parts.year = static_cast<int>(yoe + era * 400 + (parts.month <= 2));
}

TDateTime Clamped(TDateTime value) {
  if (std::isnan(value)) return 0;
  if (value < MinDateTime) return MinDateTime;
  if (value > MaxDateTime) return MaxDateTime;
  return value;
}

int64_t WholeUnitsBetween(TDateTime a, TDateTime b, long double unitsPerDay) {
  const double span = std::fabs(a - b);
  const double units = static_cast<double>(static_cast<long double>(span) * unitsPerDay);
  if (std::isnan(units)) return 0;
  constexpr double kLimit = 9.2e18;  // below INT64_MAX, so the conversion is defined
  if (units >= kLimit) return std::numeric_limits<int64_t>::max();
  return static_cast<int64_t>(units);
}

}  // namespace

bool IsLeapYear(int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

bool TryEncodeDate(int year, int month, int day, TDateTime& out) {
  if (year < 1 || year > 9999 || day < 1 || day > DaysInMonth(year, month)) return false;
  out = static_cast<TDateTime>(DaysFromCivil(year, month, day) + kEpochShift);
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime result = 0;
  if (!TryEncodeDate(year, month, day, result)) {
    throw EConvertError("Invalid argument to date encode");
  }
  return result;
}

bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime& out) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || msec < 0 ||
      msec > 999) {
    return false;
  }
  out = (hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + msec) / MSecsPerDay;
  return true;
}

TDateTime EncodeTime(int hour, int minute, int second, int msec) {
  TDateTime result = 0;
  if (!TryEncodeTime(hour, minute, second, msec, result)) {
    throw EConvertError("Invalid argument to time encode");
  }
  return result;
}

TDateTime ComposeDateTime(TDateTime date, TDateTime time) {
  return date >= 0 ? date + time : date - time;
}

TDateTime ReplaceTime(TDateTime value, TDateTime time) {
  const double timeOfDay = std::fabs(time - std::trunc(time));
  return ComposeDateTime(std::trunc(value), timeOfDay);
}

TDateTime IncMonth(TDateTime value, int months) {
  const TDateTimeParts parts = DecodeDateTime(value);
  const int64_t total = int64_t(parts.year) * 12 + (parts.month - 1) + months;
  if (total < 12) return value;  // before year 1
  const int year = static_cast<int>(total / 12);
  const int month = static_cast<int>(total % 12) + 1;
  TDateTime date = 0;
  if (!TryEncodeDate(year, month, std::min(parts.day, DaysInMonth(year, month)), date)) {
    return value;  // after 9999
  }
  return ReplaceTime(date, value);
}

TDateTimeParts DecodeDateTime(TDateTime value) {
  value = Clamped(value);
  int64_t days = static_cast<int64_t>(std::trunc(value));
  int64_t ms = std::llround(std::fabs(value - static_cast<double>(days)) * MSecsPerDay);
  if (ms >= 86400000) {
    ms -= 86400000;
    ++days;
  }
  TDateTimeParts parts;
  CivilFromDays(days - kEpochShift, parts);
  parts.hour = static_cast<int>(ms / 3600000);
  parts.minute = static_cast<int>(ms / 60000 % 60);
  parts.second = static_cast<int>(ms / 1000 % 60);
  parts.msec = static_cast<int>(ms % 1000);
  return parts;
}

int DayOfWeek(TDateTime value) {
  const auto days = static_cast<int64_t>(std::trunc(Clamped(value)));
  return static_cast<int>(((days - 1) % 7 + 7) % 7) + 1;  // day 1 was a Sunday
}

int64_t HoursBetween(TDateTime a, TDateTime b) {
  return WholeUnitsBetween(a, b, 24.0L);
}
int64_t MinutesBetween(TDateTime a, TDateTime b) {
  return WholeUnitsBetween(a, b, 1440.0L);
}
int64_t SecondsBetween(TDateTime a, TDateTime b) {
  return WholeUnitsBetween(a, b, 86400.0L);
}
int64_t MilliSecondsBetween(TDateTime a, TDateTime b) {
  return WholeUnitsBetween(a, b, 86400000.0L);
}

int CompareDateTime(TDateTime a, TDateTime b) {
  if (std::fabs(a - b) < OneMillisecond) return 0;
  return a < b ? -1 : 1;
}
