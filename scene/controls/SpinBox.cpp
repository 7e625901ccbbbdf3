#include "scene/controls/SpinBox.h"

#include <cmath>

#include "platform/component/Publisher.h"

LC_PUBLISH(TvxSpinBox) {
  using C = TvxSpinBox;
  p.Float("Value", &C::Value, &C::SetValue);
  p.Float("Min", &C::Min, &C::SetMin);
  p.Float("Max", &C::Max, &C::SetMax, 10);
  p.Integer("DecimalDigits", &C::DecimalDigits, &C::SetDecimalDigits, 2);
  p.Enum("ValueType", ValueTypeNames(), &C::ValueType, &C::SetValueType, vxValueInteger);
  p.Float("Increment", &C::Increment, &C::SetIncrement, 1);
  p.Bool("ShowCaret", &C::ShowsCaret, &C::SetShowsCaret, true);
  p.WString("Text", &C::Text, &C::SetText);
}

TvxSpinBox::TvxSpinBox(TComponent* owner) : TvxNumericTextBox(owner) {
  SetTextAlign(vxTextAlignCenter);
}

void TvxSpinBox::SetValueType(TvxValueType value) {
  numeric_.valueType = value;
  if (value == vxValueInteger && increment_ != std::trunc(increment_)) increment_ = 1;
}

void TvxSpinBox::ApplyStyle() {
  TvxNumericTextBox::ApplyStyle();
  BindButton(minusButton_, "minusbutton", -1);
  BindButton(plusButton_, "plusbutton", 1);
}

void TvxSpinBox::BindButton(TvxVisualObject*& part, const char* name, float direction) {
  part = dynamic_cast<TvxVisualObject*>(FindResource(name));
  if (part) part->OnClick = [this, direction](TObject*) { Step(direction); };
}

void TvxSpinBox::FreeStyle() {
  for (TvxVisualObject* part : {minusButton_, plusButton_})
    if (part) part->OnClick = {};
  minusButton_ = plusButton_ = nullptr;
  TvxNumericTextBox::FreeStyle();
}

void TvxSpinBox::Step(float direction) {
  SetFocus();
  SetValue(Value() + direction * increment_);
  MarkChanged();
  Change();
}
