#include "scene/controls/NumericTextBox.h"

TvxNumericTextBox::TvxNumericTextBox(TComponent* owner) : TvxCustomTextBox(owner) {
  SetFilterChar(u"0123456789.,-+");
  StoreText(u"0");
}

void TvxNumericTextBox::SetValue(float value) {
  if (numeric_.Set(value, HasState(csLoading))) StoreText(numeric_.FixedText());
}

void TvxNumericTextBox::Loaded() {
  TvxCustomTextBox::Loaded();
  if (numeric_.ClampStored()) StoreText(numeric_.FixedText());
}

void TvxNumericTextBox::Change() {
  float parsed = 0;
  if (ParseNumber(Text(), parsed)) SetValue(parsed);
  StoreText(CommittedText());
  TvxCustomTextBox::Change();
}

void TvxNumericTextBox::KeyDown(uint16_t& key, char16_t& keyChar, TShiftState shift) {
  if (key != vkUp && key != vkDown) return TvxCustomTextBox::KeyDown(key, keyChar, shift);
  const float before = Value();
  const float increment = KeyIncrement();
  SetValue(Value() + (key == vkUp ? increment : -increment));
  // A stepped value is an edit like a typed one: leaving the box commits it.
  if (Value() != before) MarkChanged();
  key = 0;
}

TVariant TvxNumericTextBox::GetData() {
  return double(Value());
}

void TvxNumericTextBox::SetData(const TVariant& value) {
  if (const TMethod method = VariantToMethod(value); method.code) {
    OnChange.SetMethod(method);
    return;
  }
  SetValue(VariantToFloat(value));
}
