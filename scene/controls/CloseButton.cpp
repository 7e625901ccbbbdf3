#include "scene/controls/CloseButton.h"

#include "platform/Form.h"
#include "platform/component/Publisher.h"

LC_PUBLISH(TvxCloseButton) {
  p.Bool("CloseForm", &TvxCloseButton::CloseForm, &TvxCloseButton::SetCloseForm, true);
  p.Event("OnClick", &TvxCloseButton::OnClick);
}

TvxCloseButton::TvxCloseButton(TComponent* owner) : TvxControl(owner) {
  SetWidth(20);
  SetHeight(20);
}

void TvxCloseButton::MouseDown(TMouseButton button, TShiftState shift, float x, float y) {
  TvxControl::MouseDown(button, shift, x, y);
  if (button == TMouseButton::mbLeft) pressed_ = true;
}

void TvxCloseButton::MouseUp(TMouseButton button, TShiftState shift, float x, float y) {
  TvxControl::MouseUp(button, shift, x, y);
  if (!pressed_) return;
  pressed_ = false;
  if (closeForm_)
    if (TForm* form = SceneForm()) form->Close();
  OnClick(this);
}
