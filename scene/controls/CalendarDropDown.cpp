#include "scene/controls/CalendarDropDown.h"

#include "platform/DateTimeText.h"
#include "platform/Platform.h"
#include "platform/component/Unicode.h"
#include "scene/controls/Calendar.h"
#include "scene/controls/Popup.h"
#include "scene/core/Bounds.h"

TvxCalendarDropDown::TvxCalendarDropDown(TvxControl& owner) : popup_(new TvxPopup(&owner)) {
  popup_->SetStored(false);
  popup_->SetLocked(true);
  popup_->SetDesignHide(true);
  popup_->SetParent(&owner);
  popup_->SetResource("combopopupstyle");
  popup_->SetPlacementTarget(&owner);
  popup_->SetPlacement(vxPlacementBottom);
  popup_->SetStaysOpen(false);
  popup_->SetBounds(0, 0, 186, 166);

  calendar_ = new TvxCalendar(&owner);
  calendar_->SetStored(false);
  calendar_->SetLocked(true);
  calendar_->SetParent(popup_);
  calendar_->Padding()->SetRect({3, 3, 3, 3});
  calendar_->SetAlign(vaClient);
  calendar_->OnDayChange = [popup = popup_](TObject*) {
    if (popup->IsOpen()) popup->ClosePopup();
  };
}

void TvxCalendarDropDown::Toggle() {
  if (popup_->IsOpen()) return popup_->ClosePopup();
  popup_->SetPlacement(vxPlacementBottom);
  popup_->SetIsOpen(true);
}

std::u16string TvxCalendarDropDown::DateText() const {
  return Utf8ToUtf16(DateTimeToText(calendar_->Date(), Platform().locale->Settings()));
}
