#pragma once

// A month view built from engine controls: a header with previous-month, today and
// next-month buttons and month and year pickers, a row of weekday names, an optional column
// of week numbers and a 6 x 7 grid of days (TvxCalendarMonth says which day each cell shows).
//
// Dates set from code, the today button, the month arrows and the wheel keep the calendar's
// time of day; a day picked in the grid or a month or year picked in the header is midnight.

#include <array>

#include "platform/DateTime.h"
#include "scene/controls/Control.h"

class TvxButton;
class TvxGridLayout;
class TvxLabel;
class TvxLayout;
class TvxListBox;
class TvxPopupBox;
class TvxShape;

enum TvxCalDayOfWeek {
  vxMonday,
  vxTuesday,
  vxWednesday,
  vxThursday,
  vxFriday,
  vxSaturday,
  vxSunday,
  vxLocaleDefault,
};

class TvxCalendar : public TvxControl {
  LC_CLASS(TvxCalendar, TvxControl)

 public:
  explicit TvxCalendar(TComponent* owner);
  ~TvxCalendar() override;

  TDateTime Date() const { return date_; }
  // Takes the day of `value` and keeps the current time of day; values outside the
  // calendar's range are ignored.
  void SetDate(TDateTime value);
  TvxCalDayOfWeek FirstDayOfWeek() const { return firstDayOfWeek_; }
  void SetFirstDayOfWeek(TvxCalDayOfWeek value);
  bool TodayDefault() const { return todayDefault_; }
  // True sets the date to now.
  void SetTodayDefault(bool value);
  bool WeekNumbers() const { return weekNumbers_; }
  void SetWeekNumbers(bool value);

  // The date-time.
  TVariant GetData() override;
  // A date-time number or a text the locale reads as one; anything else is ignored.
  void SetData(const TVariant& value) override;
  // Down (or no delta) goes to the next month, up to the previous one.
  void MouseWheel(TShiftState shift, int wheelDelta, bool& handled) override;
  void Realign() override;

  // The parts, for tests and for the calendar box.
  TvxButton& PreviousButton() const { return *previous_; }
  TvxButton& TodayButton() const { return *today_; }
  TvxButton& NextButton() const { return *next_; }
  TvxPopupBox& MonthPicker() const { return *monthPicker_; }
  TvxPopupBox& YearPicker() const { return *yearPicker_; }
  TvxLabel& WeekdayLabel(int index) const { return *weekdayLabels_[index]; }
  TvxGridLayout& WeekColumn() const { return *weekColumn_; }
  TvxLabel& WeekLabel(int row) const { return *weekLabels_[row]; }
  TvxListBox& Days() const { return *days_; }

  // The date changed.
  TNotifyEvent OnChange;
  // The user picked a day (also one of another month) or today.
  TNotifyEvent OnDayChange;

 private:
  class TUpdate;

  void BuildHeader();
  TvxButton* AddHeaderButton(TvxLayout& header, float x, TvxShape* mark);
  TvxPopupBox* AddPicker(TvxLayout& header);
  void BuildWeekdays();
  void BuildWeekColumn();
  void BuildDays();
  // Marks a built part as the calendar's own: locked and not written to form data.
  template <class T>
  T* Own(T* part);

  // Stores a date-time as it is (no time rule), refills and notifies on a real change.
  void StoreDate(TDateTime value);
  // Stores the date of year/month/day, the day clamped to the month's length.
  void StoreDay(int year, int month, int day);
  void Fill();
  void FillWeekNumbers(int firstWeekday);
  void SelectDay(int cell);
  int EffectiveFirstWeekday() const;

  void DaysChanged(TObject*);
  void MonthChosen(TObject*);
  void YearChosen(TObject*);
  void TodayClicked(TObject*);

  TDateTime date_;
  TvxCalDayOfWeek firstDayOfWeek_ = vxLocaleDefault;
  bool todayDefault_ = false;
  bool weekNumbers_ = false;
  int firstWeekday_ = 0;  // 0 = Sunday
  int offset_ = 0;        // weekday of the first, moved to keep the month off the edges
  int updating_ = 0;

  TvxButton* previous_ = nullptr;
  TvxButton* today_ = nullptr;
  TvxButton* next_ = nullptr;
  TvxPopupBox* monthPicker_ = nullptr;
  TvxPopupBox* yearPicker_ = nullptr;
  TvxGridLayout* weekdays_ = nullptr;
  std::array<TvxLabel*, 7> weekdayLabels_{};
  TvxGridLayout* weekColumn_ = nullptr;
  std::array<TvxLabel*, 6> weekLabels_{};
  TvxListBox* days_ = nullptr;
};
