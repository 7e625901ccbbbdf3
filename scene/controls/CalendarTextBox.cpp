#include "scene/controls/CalendarTextBox.h"

#include "platform/DateTimeText.h"
#include "platform/Platform.h"
#include "platform/component/Publisher.h"
#include "platform/component/Unicode.h"
#include "scene/controls/Calendar.h"
#include "scene/controls/Popup.h"
#include "scene/core/Bounds.h"

LC_PUBLISH(TvxCalendarTextBox) {
  using C = TvxCalendarTextBox;
  p.Float("Date", &C::Date, &C::SetDate);
}

TvxCalendarTextBox::TvxCalendarTextBox(TComponent* owner) : TvxTextBox(owner) {
  popup_ = new TvxPopup(this);
  popup_->SetStored(false);
  popup_->SetLocked(true);
  popup_->SetDesignHide(true);
  popup_->SetParent(this);
  popup_->SetResource("combopopupstyle");
  popup_->SetPlacementTarget(this);
  popup_->SetPlacement(vxPlacementBottom);
  popup_->SetStaysOpen(false);
  popup_->SetBounds(0, 0, 186, 166);

  calendar_ = new TvxCalendar(this);
  calendar_->SetStored(false);
  calendar_->SetLocked(true);
  calendar_->SetParent(popup_);
  calendar_->Padding()->SetRect({3, 3, 3, 3});
  calendar_->SetAlign(vaClient);
  calendar_->OnChange = [this](TObject*) { ShowDate(); };
  calendar_->OnDayChange = [this](TObject*) {
    if (popup_->IsOpen()) popup_->ClosePopup();
  };
  ShowDate();
}

TvxCalendarTextBox::~TvxCalendarTextBox() = default;

TDateTime TvxCalendarTextBox::Date() const {
  return calendar_->Date();
}

void TvxCalendarTextBox::SetDate(TDateTime value) {
  calendar_->SetDate(value);
  ShowDate();
}

void TvxCalendarTextBox::ShowDate() {
  SetText(Utf8ToUtf16(DateTimeToText(calendar_->Date(), Platform().locale->Settings())));
}

void TvxCalendarTextBox::DropDown() {
  if (popup_->IsOpen()) return popup_->ClosePopup();
  popup_->SetPlacement(vxPlacementBottom);
  popup_->SetIsOpen(true);
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
