#pragma once

// The calendar that calendar boxes drop down: a popup below the owning control holding a
// calendar that fills it; picking a day there (or today) closes the popup again. Both are
// owned by the control, so this only keeps the way to them.

#include <string>

class TvxCalendar;
class TvxControl;
class TvxPopup;

class TvxCalendarDropDown {
 public:
  explicit TvxCalendarDropDown(TvxControl& owner);

  TvxCalendar& Calendar() const { return *calendar_; }
  TvxPopup& Popup() const { return *popup_; }

  // Opens the popup below the owner, or closes it when open.
  void Toggle();
  // The calendar's date as the locale's date-time text.
  std::u16string DateText() const;

 private:
  TvxPopup* popup_;
  TvxCalendar* calendar_ = nullptr;
};
