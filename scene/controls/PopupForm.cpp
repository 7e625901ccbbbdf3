#include "scene/controls/PopupForm.h"

#include "scene/controls/Popup.h"

LC_PUBLISH(TvxPopupForm) {}

TvxPopupForm::TvxPopupForm(TvxPopup* popup, TForm* parentForm, bool watchOutside)
    : TForm(nullptr), popup_(popup), parentForm_(parentForm) {
  SetBorderStyle(bsNone);
  SetTag(kPopupTag);
  Window().SetPopup(watchOutside);
  if (parentForm_) parentForm_->FreeNotification(this);
  OnClose = TNotifyEvent(this, &TvxPopupForm::Closed);
}

TvxPopupForm::~TvxPopupForm() {
  if (parentForm_) parentForm_->RemoveFreeNotification(this);
}

bool TvxPopupForm::Outside(float x, float y) const {
  return x < 0 || y < 0 || x >= float(ClientWidth()) || y >= float(ClientHeight());
}

void TvxPopupForm::Notification(TComponent* component, TOperation operation) {
  TForm::Notification(component, operation);
  if (operation == TOperation::opRemove && component == parentForm_) parentForm_ = nullptr;
}

void TvxPopupForm::Closed(TObject*) {
  popup_->ClosePopup();
}
