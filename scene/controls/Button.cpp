#include "scene/controls/Button.h"

#include <string>

#include "platform/Action.h"
#include "platform/Form.h"
#include "platform/Platform.h"
#include "platform/component/Publisher.h"
#include "scene/core/Variant.h"

LC_PUBLISH(TvxCustomButton) {
  using C = TvxCustomButton;
  p.Component("Action", &C::Action, &C::SetAction);
  p.Bool("AutoTranslate", &C::AutoTranslate, &C::SetAutoTranslate, true);
  p.Bool("StaysPressed", &C::StaysPressed, &C::SetStaysPressed);
  p.Bool("IsPressed", &C::IsPressed, &C::SetIsPressed);
  p.Bool("CanFocused", &C::CanFocused, &C::SetCanFocused, true);
  p.Bool("DisableFocusEffect", &C::DisableFocusEffect, &C::SetDisableFocusEffect);
  p.Object("Font", &C::Font);
  p.Integer("ModalResult", &C::ModalResult, &C::SetModalResult);
  p.Enum("TextAlign", TextAlignNames, &C::TextAlign, &C::SetTextAlign, vxTextAlignCenter);
  p.WString("Text", &C::Text, &C::SetText);
  p.Bool("RepeatClick", &C::RepeatClick, &C::SetRepeatClick);
  p.Bool("WordWrap", &C::WordWrap, &C::SetWordWrap);
}

LC_PUBLISH(TvxButton) {
  p.Bool("Default", &TvxButton::Default, &TvxButton::SetDefault);
  p.Bool("Cancel", &TvxButton::Cancel, &TvxButton::SetCancel);
}

LC_PUBLISH(TvxSpeedButton) {}

TvxCustomButton::TvxCustomButton(TComponent* owner) : TvxTextControl(owner) {
  SetWidth(80);
  SetHeight(22);
  SetAutoCapture(true);
  SetCanFocused(true);
  SetAutoTranslate(true);
}

TvxCustomButton::~TvxCustomButton() = default;

void TvxCustomButton::SetIsPressed(bool value) {
  if (!staysPressed_ || isPressed_ == value) return;
  isPressed_ = value;
  RaisePressed();
}

void TvxCustomButton::RaisePressed() {
  StartTriggerAnimation(this, "IsPressed");
  ApplyTriggerEffect(this, "IsPressed");
}

void TvxCustomButton::Click() {
  if (modalResult_ != 0)
    if (TForm* form = SceneForm()) form->SetModalResult(modalResult_);
  TvxTextControl::Click();
}

void TvxCustomButton::MouseDown(TMouseButton button, TShiftState shift, float x, float y) {
  TvxTextControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft) return;
  pressing_ = true;
  if (staysPressed_) {
    isPressed_ = !isPressed_;
  } else {
    isPressed_ = true;
    if (repeatClick_) ArmRepeat();
  }
  RaisePressed();
}

void TvxCustomButton::ArmRepeat() {
  if (!repeatTimer_) repeatTimer_ = Platform().loop->CreateTimer();
  repeatTimer_->SetInterval(kRepeatDelay);
  repeatTimer_->SetOnTimer([this] { FirstRepeat(); });
  repeatTimer_->SetEnabled(true);
}

void TvxCustomButton::FirstRepeat() {
  repeatTimer_->SetInterval(kRepeatInterval);
  repeatTimer_->SetOnTimer([this] { Click(); });
}

void TvxCustomButton::MouseMove(TShiftState shift, float x, float y) {
  TvxTextControl::MouseMove(shift, x, y);
  if (!(shift & ssLeft) || !pressing_ || staysPressed_) return;
  const bool inside = PointInRect({x, y}, GetLocalRect());
  if (inside == isPressed_) return;
  isPressed_ = inside;
  RaisePressed();
}

void TvxCustomButton::MouseUp(TMouseButton button, TShiftState shift, float x, float y) {
  if (pressing_) {
    if (repeatTimer_) repeatTimer_->SetEnabled(false);
    pressing_ = false;
    if (!staysPressed_) {
      isPressed_ = false;
      RaisePressed();
    }
  }
  TvxTextControl::MouseUp(button, shift, x, y);
}

void TvxCustomButton::KeyDown(uint16_t& key, char16_t& keyChar, TShiftState shift) {
  TvxTextControl::KeyDown(key, keyChar, shift);
  if (key == vkReturn || key == vkSpace) Click();
}

void TvxCustomButton::ApplyStyle() {
  TvxTextControl::ApplyStyle();
  RaisePressed();
}

void TvxCustomButton::SetData(const TVariant& value) {
  if (!IsMethodData(value)) return;
  // A text that names no live method leaves the handler as it was.
  if (const TMethod method = VariantToMethod(value); method.code) OnClick.SetMethod(method);
}

TvxButton::TvxButton(TComponent* owner) : TvxCustomButton(owner) {}

void TvxButton::DialogKey(uint16_t& key, TShiftState shift) {
  TvxCustomButton::DialogKey(key, shift);
  if ((default_ && key == vkReturn) || (cancel_ && key == vkEscape)) {
    key = 0;
    Click();
  }
}

TvxSpeedButton::TvxSpeedButton(TComponent* owner) : TvxCustomButton(owner) {
  SetWidth(23);
  SetHeight(23);
  SetCanFocused(false);
  SetRepeatClick(true);
}
