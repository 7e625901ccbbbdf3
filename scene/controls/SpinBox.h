#pragma once

// A numeric text box with minus and plus buttons from its style ("minusbutton" and
// "plusbutton"); the buttons and the up and down keys step the value by Increment.

#include "scene/controls/NumericTextBox.h"

class TvxSpinBox : public TvxNumericTextBox {
  LC_CLASS(TvxSpinBox, TvxNumericTextBox)

 public:
  explicit TvxSpinBox(TComponent* owner);

  // An integer box steps by whole numbers: a fractional Increment becomes 1.
  void SetValueType(TvxValueType value) override;
  float Increment() const { return increment_; }
  void SetIncrement(float value) { increment_ = value; }

  void ApplyStyle() override;
  void FreeStyle() override;

 protected:
  float KeyIncrement() const override { return increment_; }

 private:
  void BindButton(TvxVisualObject*& part, const char* name, float direction);
  void Step(float direction);

  float increment_ = 1;
  TvxVisualObject* minusButton_ = nullptr;
  TvxVisualObject* plusButton_ = nullptr;
};
