#include "scene/controls/CalendarTextBox.h"

#include "platform/DateTimeText.h"
#include "platform/Platform.h"
#include "platform/component/Publisher.h"
#include "platform/component/Unicode.h"
#include "scene/controls/Calendar.h"

LC_PUBLISH(TvxCalendarTextBox) {
  using C = TvxCalendarTextBox;
  p.Float("Date", &C::Date, &C::SetDate);
}

TvxCalendarTextBox::TvxCalendarTextBox(TComponent* owner) : TvxTextBox(owner), dropDown_(*this) {
  dropDown_.Calendar().OnChange = [this](TObject*) { ShowDate(); };
  ShowDate();
}

TvxCalendarTextBox::~TvxCalendarTextBox() = default;

TDateTime TvxCalendarTextBox::Date() const {
  return dropDown_.Calendar().Date();
}

void TvxCalendarTextBox::SetDate(TDateTime value) {
  dropDown_.Calendar().SetDate(value);
  ShowDate();
}

void TvxCalendarTextBox::ShowDate() {
  SetText(dropDown_.DateText());
}

void TvxCalendarTextBox::DropDown() {
  dropDown_.Toggle();
}

void TvxCalendarTextBox::Change() {
  TDateTime value = 0;
  if (TryStrToDateTime(Utf16ToUtf8(Text()), Platform().locale->Settings(), value)) {
    SetDate(value);
  } else {
    ShowDate();
  }
  TvxTextBox::Change();
}

void TvxCalendarTextBox::KeyDown(uint16_t& key, char16_t& keyChar, TShiftState shift) {
  const bool altDown = key == vkDown && (shift & ssAlt);
  if (altDown || key == vkF4) {
    DropDown();
    key = 0;
    keyChar = 0;
    return;
  }
  TvxTextBox::KeyDown(key, keyChar, shift);
}
