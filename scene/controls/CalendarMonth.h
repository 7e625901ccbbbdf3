#pragma once

// The month view of a calendar as numbers: which day each of the 6 x 7 cells shows, which
// cells belong to the month, the week numbers of the rows and the cell of the current day.
// The month always starts in the first or second row, so that at least a few days of the
// previous and the next month stay visible around it.

#include <array>

#include "platform/DateTime.h"

class TvxCalendarMonth {
 public:
  static constexpr int kCells = 42;
  static constexpr int kRows = 6;
  static constexpr float kOtherMonthOpacity = 0.3f;

  // `firstWeekday` is 0 = Sunday .. 6 = Saturday.
  TvxCalendarMonth(TDateTime date, int firstWeekday);

  // A locale or property setting of 0 = Monday .. 6 = Sunday as 0 = Sunday .. 6 = Saturday.
  static int WeekdayFromSetting(int setting) { return ((setting % 7 + 7) % 7 + 8) % 7; }

  int Year() const { return year_; }
  int Month() const { return month_; }
  int Day() const { return day_; }
  int DaysInMonth() const { return days_; }
  int FirstWeekday() const { return firstWeekday_; }
  // The weekday of the first of the month (1 = Sunday .. 7 = Saturday), moved by a week
  // to keep the month off the grid's edges.
  int Offset() const { return offset_; }

  // The day number cell `cell` shows, and whether it is a day of this month.
  int CellDay(int cell) const { return cells_[cell]; }
  bool InMonth(int cell) const { return cell >= FirstCell() && cell < FirstCell() + days_; }
  float CellOpacity(int cell) const { return InMonth(cell) ? 1.0f : kOtherMonthOpacity; }
  int FirstCell() const { return offset_ - firstWeekday_ - 1; }
  int SelectedCell() const { return day_ + FirstCell() - 1; }
  // The day of this month in `cell`; 0 when the cell shows another month.
  int DayOfCell(int cell) const;
  // The week number shown beside row `row`.
  int WeekNumber(int row) const;

 private:
  void Fill(int previousDays);
  int FirstWeek() const;

  int year_ = 0, month_ = 0, day_ = 0, days_ = 0;
  int firstWeekday_ = 0;
  int offset_ = 0;
  std::array<int, kCells> cells_{};
};
