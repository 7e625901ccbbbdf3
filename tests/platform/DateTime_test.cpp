#include "platform/DateTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/component/Exceptions.h"

namespace {

TDateTimeParts Parts(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
  return {y, mo, d, h, mi, s, ms};
}

void ExpectParts(const TDateTimeParts& expected, TDateTime value) {
  const TDateTimeParts p = DecodeDateTime(value);
  EXPECT_EQ(expected.year, p.year);
  EXPECT_EQ(expected.month, p.month);
  EXPECT_EQ(expected.day, p.day);
  EXPECT_EQ(expected.hour, p.hour);
  EXPECT_EQ(expected.minute, p.minute);
  EXPECT_EQ(expected.second, p.second);
  EXPECT_EQ(expected.msec, p.msec);
}

TEST(DateTime, EncodesDayCountsFromTheEndOf1899) {
  EXPECT_EQ(0, EncodeDate(1899, 12, 30));
  EXPECT_EQ(40511, EncodeDate(2010, 11, 29));
  EXPECT_EQ(MinDateTime, EncodeDate(1, 1, 1));
  EXPECT_EQ(2958465, EncodeDate(9999, 12, 31));
  EXPECT_EQ(0.5, EncodeTime(12, 0, 0, 0));
}

TEST(DateTime, RejectsDatesAndTimesThatDoNotExist) {
  TDateTime out = 7;
  EXPECT_FALSE(TryEncodeDate(2023, 2, 29, out));
  EXPECT_FALSE(TryEncodeDate(1900, 2, 29, out));
  EXPECT_TRUE(TryEncodeDate(2000, 2, 29, out));
  EXPECT_FALSE(TryEncodeDate(0, 1, 1, out));
  EXPECT_FALSE(TryEncodeTime(24, 0, 0, 0, out));
  EXPECT_THROW(EncodeDate(2010, 4, 31), EConvertError);
}

TEST(DateTime, DecodesEveryDayOfTheRangeBackToItsDate) {
  for (int year : {1, 4, 100, 1600, 1899, 1900, 2000, 2024, 9999}) {
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= DaysInMonth(year, month); ++day) {
        ExpectParts(Parts(year, month, day), EncodeDate(year, month, day));
      }
    }
  }
}

TEST(DateTime, DecodingRoundsToTheMillisecondAndMayCarryIntoTheNextDay) {
  ExpectParts(Parts(2010, 11, 29, 13, 45, 10, 250),
              EncodeDate(2010, 11, 29) + EncodeTime(13, 45, 10, 250));
  ExpectParts(Parts(2010, 11, 30), EncodeDate(2010, 11, 29) + (86400000 - 0.4) / MSecsPerDay);
  ExpectParts(Parts(2010, 11, 29, 23, 59, 59, 999),
              EncodeDate(2010, 11, 29) + (86400000 - 0.6) / MSecsPerDay);
}

TEST(DateTime, ValuesBefore1899CountTheirFractionForward) {
  ExpectParts(Parts(1899, 12, 29, 6), ComposeDateTime(-1, 0.25));
  EXPECT_EQ(-1.25, ComposeDateTime(-1, 0.25));
}

TEST(DateTime, DecodesAnyNumberWithoutFailing) {
  ExpectParts(Parts(1899, 12, 30), std::nan(""));
  ExpectParts(Parts(9999, 12, 31, 23, 59, 59, 999), 1e300);
  ExpectParts(Parts(1, 1, 1), -std::numeric_limits<double>::infinity());
}

TEST(DateTime, DayOfWeekCountsFromSunday) {
  EXPECT_EQ(2, DayOfWeek(EncodeDate(2010, 11, 29)));  // a Monday
  EXPECT_EQ(7, DayOfWeek(0));                         // 1899-12-30, a Saturday
  EXPECT_EQ(6, DayOfWeek(EncodeDate(1, 1, 5)));
}

TEST(DateTime, WholeUnitsBetweenAreSymmetricAndTruncated) {
  const TDateTime a = EncodeDate(2024, 3, 15) + EncodeTime(9, 0, 0, 0);
  const TDateTime b = a + 1 + EncodeTime(1, 3, 7, 999);
  for (auto [x, y] : {std::pair(a, b), std::pair(b, a)}) {
    EXPECT_EQ(25, HoursBetween(x, y));
    EXPECT_EQ(25 * 60 + 3, MinutesBetween(x, y));
    EXPECT_EQ((25 * 60 + 3) * 60 + 7, SecondsBetween(x, y));
    EXPECT_EQ(((25 * 60 + 3) * 60 + 7) * 1000 + 999, MilliSecondsBetween(x, y));
  }
  EXPECT_EQ(0, MilliSecondsBetween(a, a + 0.9 * OneMillisecond));
}

TEST(DateTime, SpansOfAbsurdValuesSaturateInsteadOfOverflowing) {
  EXPECT_EQ(std::numeric_limits<int64_t>::max(), MilliSecondsBetween(1e300, 0));
  EXPECT_EQ(0, HoursBetween(std::nan(""), 0));
}

TEST(DateTime, MomentsLessThanAMillisecondApartCompareEqual) {
  const TDateTime a = EncodeDate(2024, 3, 15);
  EXPECT_EQ(0, CompareDateTime(a, a + 0.99 * OneMillisecond));
  EXPECT_EQ(0, CompareDateTime(a + 0.99 * OneMillisecond, a));
  EXPECT_EQ(1, CompareDateTime(a + 1.01 * OneMillisecond, a));
  EXPECT_EQ(-1, CompareDateTime(a, a + 1.01 * OneMillisecond));
}

TEST(DateTime, ReplaceTimeKeepsTheDaysAndTakesTheTimeOfDay) {
  const TDateTime afternoon = EncodeDate(2024, 3, 15) + EncodeTime(13, 45, 10, 0);
  EXPECT_DOUBLE_EQ(40511 + EncodeTime(13, 45, 10, 0), ReplaceTime(40511.0, afternoon));
  EXPECT_DOUBLE_EQ(40511.0, ReplaceTime(40511.75, EncodeDate(2024, 3, 15)));
  EXPECT_DOUBLE_EQ(-1.25, ReplaceTime(-1.5, 0.25));  // before 1899-12-30 the fraction still adds
}

TEST(DateTime, IncMonthClampsTheDayAndKeepsTheTime) {
  const TDateTime noon = EncodeTime(12, 0, 0, 0);
  EXPECT_DOUBLE_EQ(EncodeDate(2011, 2, 28) + noon, IncMonth(EncodeDate(2011, 1, 31) + noon, 1));
  EXPECT_DOUBLE_EQ(EncodeDate(2012, 2, 29), IncMonth(EncodeDate(2012, 1, 31), 1));
  EXPECT_DOUBLE_EQ(EncodeDate(2010, 11, 30), IncMonth(EncodeDate(2010, 10, 31), 1));
  EXPECT_DOUBLE_EQ(EncodeDate(2010, 10, 31), IncMonth(EncodeDate(2010, 11, 30), -1) + 1);
  EXPECT_DOUBLE_EQ(EncodeDate(2011, 1, 29), IncMonth(EncodeDate(2010, 12, 29), 1));
  EXPECT_DOUBLE_EQ(EncodeDate(2009, 12, 29), IncMonth(EncodeDate(2010, 1, 29), -1));
  EXPECT_DOUBLE_EQ(EncodeDate(2009, 11, 29), IncMonth(40511.0, -12));
}

TEST(DateTime, IncMonthStaysPutAtTheEndsOfTheCalendar) {
  const TDateTime last = EncodeDate(9999, 12, 15);
  const TDateTime first = EncodeDate(1, 1, 15);
  EXPECT_DOUBLE_EQ(last, IncMonth(last, 1));
  EXPECT_DOUBLE_EQ(first, IncMonth(first, -1));
  EXPECT_DOUBLE_EQ(EncodeDate(9999, 11, 15), IncMonth(last, -1));
  EXPECT_DOUBLE_EQ(EncodeDate(1, 2, 15), IncMonth(first, 1));
}

}  // namespace
