#pragma once

// A numeric text box with minus and plus buttons from its style ("minusbutton" and
// "plusbutton"); the buttons and the up and down keys step the value by Increment.

#include "scene/controls/NumericValue.h"
#include "scene/controls/TextBox.h"

class TvxSpinBox : public TvxCustomTextBox {
  LC_CLASS(TvxSpinBox, TvxCustomTextBox)

 public:
  explicit TvxSpinBox(TComponent* owner);

  float Value() const { return numeric_.value; }
  void SetValue(float value);
  float Min() const { return numeric_.min; }
  void SetMin(float value) { numeric_.min = value; }
  float Max() const { return numeric_.max; }
  void SetMax(float value) { numeric_.max = value; }
  int DecimalDigits() const { return numeric_.decimalDigits; }
  void SetDecimalDigits(int value) { numeric_.decimalDigits = value; }
  TvxValueType ValueType() const { return numeric_.valueType; }
  // An integer box steps by whole numbers: a fractional Increment becomes 1.
  void SetValueType(TvxValueType value);
  float Increment() const { return increment_; }
  void SetIncrement(float value) { increment_ = value; }

  void Change() override;
  void KeyDown(uint16_t& key, char16_t& keyChar, TShiftState shift) override;
  void ApplyStyle() override;
  void FreeStyle() override;
  void Loaded() override;
  TVariant GetData() override;
  void SetData(const TVariant& value) override;

 private:
  void BindButton(TvxVisualObject*& part, const char* name, float direction);
  void Step(float direction);

  TvxNumericValue numeric_;
  float increment_ = 1;
  TvxVisualObject* minusButton_ = nullptr;
  TvxVisualObject* plusButton_ = nullptr;
};
