#include "scene/controls/CalendarMonth.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kSunday = 0;
constexpr int kMonday = 1;

std::vector<int> Row(const TvxCalendarMonth& month, int row) {
  std::vector<int> days;
  for (int cell = row * 7; cell < row * 7 + 7; ++cell) days.push_back(month.CellDay(cell));
  return days;
}

TEST(CalendarMonth, AMonthStartingOnTheFirstWeekdayMovesDownARow) {
  const TvxCalendarMonth november(40511.0, kMonday);  // 2010-11-01 is a Monday
  EXPECT_EQ(2010, november.Year());
  EXPECT_EQ(11, november.Month());
  EXPECT_EQ(29, november.Day());
  EXPECT_EQ(7, november.FirstCell());
  EXPECT_EQ((std::vector<int>{25, 26, 27, 28, 29, 30, 31}), Row(november, 0));
  EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 6, 7}), Row(november, 1));
  EXPECT_EQ((std::vector<int>{29, 30, 1, 2, 3, 4, 5}), Row(november, 5));
  EXPECT_FLOAT_EQ(0.3f, november.CellOpacity(6));
  EXPECT_FLOAT_EQ(1.0f, november.CellOpacity(7));
  EXPECT_FLOAT_EQ(1.0f, november.CellOpacity(36));
  EXPECT_FLOAT_EQ(0.3f, november.CellOpacity(37));
  EXPECT_EQ(35, november.SelectedCell());
}

TEST(CalendarMonth, AShortFebruaryStillFillsSixRows) {
  const TvxCalendarMonth february(EncodeDate(2010, 2, 14), kMonday);  // starts on a Monday
  EXPECT_EQ(7, february.FirstCell());
  EXPECT_EQ((std::vector<int>{25, 26, 27, 28, 29, 30, 31}), Row(february, 0));
  EXPECT_EQ((std::vector<int>{22, 23, 24, 25, 26, 27, 28}), Row(february, 4));
  EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 6, 7}), Row(february, 5));
  for (int cell = 35; cell < 42; ++cell) EXPECT_FLOAT_EQ(0.3f, february.CellOpacity(cell));
  EXPECT_EQ(20, february.SelectedCell());
}

TEST(CalendarMonth, TheFirstRowKeepsAtLeastOneDayOfThePreviousMonth) {
  // The first on the second weekday moves down to cell 8 when three next-month days remain
  // at the end ...
  const TvxCalendarMonth november2011(EncodeDate(2011, 11, 1), kMonday);
  EXPECT_EQ(8, november2011.FirstCell());
  // ... and a 31-day month moves back up when the row down would leave only two.
  const TvxCalendarMonth march2011(EncodeDate(2011, 3, 1), kMonday);
  EXPECT_EQ(1, march2011.FirstCell());
  EXPECT_EQ(28, march2011.CellDay(0));
  EXPECT_EQ(1, march2011.CellDay(1));
  EXPECT_EQ(10, march2011.CellDay(41));
  // The first on the third weekday is not moved.
  const TvxCalendarMonth december2010(EncodeDate(2010, 12, 1), kMonday);  // a Wednesday
  EXPECT_EQ(2, december2010.FirstCell());
}

TEST(CalendarMonth, SundayFirstShiftsTheGrid) {
  const TvxCalendarMonth november(40511.0, kSunday);
  EXPECT_EQ(8, november.FirstCell());  // Monday the first is the second weekday
  EXPECT_EQ((std::vector<int>{24, 25, 26, 27, 28, 29, 30}), Row(november, 0));
  EXPECT_EQ(31, november.CellDay(7));
  EXPECT_EQ(36, november.SelectedCell());
}

TEST(CalendarMonth, JanuaryTakesTheDaysOfDecember) {
  const TvxCalendarMonth january(EncodeDate(2011, 1, 10), kMonday);  // 2011-01-01, a Saturday
  EXPECT_EQ(5, january.FirstCell());
  EXPECT_EQ((std::vector<int>{27, 28, 29, 30, 31, 1, 2}), Row(january, 0));
}

TEST(CalendarMonth, CellsMapBackToDaysOfTheMonthOnly) {
  const TvxCalendarMonth november(40511.0, kMonday);
  EXPECT_EQ(0, november.DayOfCell(6));
  EXPECT_EQ(1, november.DayOfCell(7));
  EXPECT_EQ(30, november.DayOfCell(36));
  EXPECT_EQ(0, november.DayOfCell(37));
  EXPECT_EQ(0, november.DayOfCell(-1));
}

TEST(CalendarMonth, WeekNumbersWrapAtTheYearBoundary) {
  const TvxCalendarMonth december(EncodeDate(2010, 12, 5), kMonday);
  std::vector<int> weeks;
  for (int row = 0; row < 6; ++row) weeks.push_back(december.WeekNumber(row));
  EXPECT_EQ((std::vector<int>{48, 49, 50, 51, 52, 1}), weeks);
  // 2011 begins on a Saturday: its first days belong to the last week of 2010.
  const TvxCalendarMonth january(EncodeDate(2011, 1, 5), kMonday);
  weeks.clear();
  for (int row = 0; row < 6; ++row) weeks.push_back(january.WeekNumber(row));
  EXPECT_EQ((std::vector<int>{52, 1, 2, 3, 4, 5}), weeks);
  // 2010 begins on a Friday, 2009 on a Thursday, which opens week 1.
  EXPECT_EQ(52, TvxCalendarMonth(EncodeDate(2010, 1, 1), kMonday).WeekNumber(0));
  EXPECT_EQ(1, TvxCalendarMonth(EncodeDate(2009, 1, 1), kMonday).WeekNumber(0));
}

TEST(CalendarMonth, SettingsCountFromMondayAndWeekdaysFromSunday) {
  EXPECT_EQ(1, TvxCalendarMonth::WeekdayFromSetting(0));  // Monday
  EXPECT_EQ(0, TvxCalendarMonth::WeekdayFromSetting(6));  // Sunday
  EXPECT_EQ(6, TvxCalendarMonth::WeekdayFromSetting(5));  // Saturday
  EXPECT_EQ(0, TvxCalendarMonth::WeekdayFromSetting(-1));
  EXPECT_EQ(1, TvxCalendarMonth::WeekdayFromSetting(7));
}

}  // namespace
