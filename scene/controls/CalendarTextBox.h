#pragma once

// A text box whose text is a date: Alt+Down or F4 drops down a calendar below it, picking a
// day there (or today) closes it, and an edited text that the locale reads as a date-time
// becomes the date when the edit is committed.

#include "platform/DateTime.h"
#include "scene/controls/CalendarDropDown.h"
#include "scene/controls/TextBox.h"

class TvxCalendarTextBox : public TvxTextBox {
  LC_CLASS(TvxCalendarTextBox, TvxTextBox)

 public:
  explicit TvxCalendarTextBox(TComponent* owner);
  ~TvxCalendarTextBox() override;

  TDateTime Date() const;
  // Sets the calendar's date (keeping its time of day) and shows the result as text.
  void SetDate(TDateTime value);

  TvxCalendar& Calendar() const { return dropDown_.Calendar(); }
  TvxPopup& Popup() const { return dropDown_.Popup(); }

  void DropDown();
  // Reads the edited text back; text that is no date gives way to the date's text.
  void Change() override;
  void KeyDown(uint16_t& key, char16_t& keyChar, TShiftState shift) override;

 private:
  void ShowDate();

  TvxCalendarDropDown dropDown_;
};
