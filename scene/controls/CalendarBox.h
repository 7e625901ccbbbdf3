#pragma once

// A one-line field showing a date as the locale's date-time text; a press drops down a
// calendar below it, and picking a day (or today) there closes it again. The date is not
// edited by keyboard. OnChange follows every change of the date, after the text shows it.
//
//   box->SetDate(40511.0);   // 2010-11-29, with the calendar's time of day
//   box->Text();             // e.g. u"2010/11/29 13:45:10"

#include "platform/DateTime.h"
#include "scene/controls/CalendarDropDown.h"
#include "scene/controls/TextControl.h"

class TvxCalendarBox : public TvxTextControl {
  LC_CLASS(TvxCalendarBox, TvxTextControl)

 public:
  explicit TvxCalendarBox(TComponent* owner);
  ~TvxCalendarBox() override;

  TDateTime Date() const;
  // Sets the calendar's date (keeping its time of day) and shows the result as text.
  void SetDate(TDateTime value);

  TvxCalendar& Calendar() const { return dropDown_.Calendar(); }
  TvxPopup& Popup() const { return dropDown_.Popup(); }

  // A left press opens the calendar, or closes it when open.
  void MouseDown(TMouseButton button, TShiftState shift, float x, float y) override;
  void ApplyStyle() override;
  void FreeStyle() override;

  // The date changed; the text already shows it.
  TNotifyEvent OnChange;

 private:
  void DateChanged();
  void ShowDate();
  void PaintText(TvxCanvas& canvas, const TvxRect& rect);

  TvxCalendarDropDown dropDown_;
  TvxVisualObject* content_ = nullptr;  // the style's "content" part
};
