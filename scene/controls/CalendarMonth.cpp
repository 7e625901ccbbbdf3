#include "scene/controls/CalendarMonth.h"

#include <cmath>

TvxCalendarMonth::TvxCalendarMonth(TDateTime date, int firstWeekday)
    : firstWeekday_(((firstWeekday % 7) + 7) % 7) {
  const TDateTimeParts parts = DecodeDateTime(date);
  year_ = parts.year;
  month_ = parts.month;
  day_ = parts.day;
  days_ = ::DaysInMonth(year_, month_);
  // January's previous month is December, whose length is the same in every year.
  const int previousDays = ::DaysInMonth(year_, month_ == 1 ? 12 : month_ - 1);
  offset_ = DayOfWeek(EncodeDate(year_, month_, 1));
  if (offset_ - firstWeekday_ < 3) offset_ += 7;
  if (kCells + firstWeekday_ - days_ - offset_ < 3) offset_ -= 7;
  Fill(previousDays);
}

void TvxCalendarMonth::Fill(int previousDays) {
  const int first = FirstCell();
  for (int cell = 0; cell < first; ++cell) cells_[cell] = cell + previousDays - first + 1;
  for (int day = 1; day <= days_; ++day) cells_[first + day - 1] = day;
  int next = 1;
  for (int cell = first + days_; cell < kCells; ++cell) cells_[cell] = next++;
}

int TvxCalendarMonth::DayOfCell(int cell) const {
  const int day = cell - FirstCell() + 1;
  return day > 0 && day <= days_ ? day : 0;
}

int TvxCalendarMonth::FirstWeek() const {
  const TDateTime january = EncodeDate(year_, 1, 1);
  const int shift = (DayOfWeek(january) + 1) % 7;
  const double first = EncodeDate(year_, month_, 1);
  return static_cast<int>(std::trunc((first - january + shift - 3) / 7 + 1));
}

int TvxCalendarMonth::WeekNumber(int row) const {
  const int k = FirstWeek();
  if (k + row == 0) return 52;
  if (k == 0) return row;
  return k + row < 53 ? k + row : k + row - 52;
}
