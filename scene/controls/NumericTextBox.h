#pragma once

// What numeric text boxes share: the text shows a clamped value, committing parses it back,
// and the up and down keys step it. Not registered, so each box's class chain and style
// lookup go straight to TvxCustomTextBox.

#include <string>

#include "scene/controls/NumericValue.h"
#include "scene/controls/TextBox.h"

class TvxNumericTextBox : public TvxCustomTextBox {
 public:
  float Value() const { return numeric_.value; }
  // Clamps and rebuilds the text; the changed flag stays as it is.
  void SetValue(float value);
  // Plain stores: the current value is not clamped again.
  float Min() const { return numeric_.min; }
  void SetMin(float value) { numeric_.min = value; }
  float Max() const { return numeric_.max; }
  void SetMax(float value) { numeric_.max = value; }
  int DecimalDigits() const { return numeric_.decimalDigits; }
  void SetDecimalDigits(int value) { numeric_.decimalDigits = value; }
  TvxValueType ValueType() const { return numeric_.valueType; }
  virtual void SetValueType(TvxValueType value) { numeric_.valueType = value; }

  // Reads the text back into the value, or restores the value's text when it is no number.
  void Change() override;
  void KeyDown(uint16_t& key, char16_t& keyChar, TShiftState shift) override;
  void Loaded() override;
  TVariant GetData() override;
  // A method reference becomes OnChange; anything else is read as a number.
  void SetData(const TVariant& value) override;

 protected:
  explicit TvxNumericTextBox(TComponent* owner);
  // How far the up and down keys step the value.
  virtual float KeyIncrement() const = 0;
  // The text a committed value shows.
  virtual std::u16string CommittedText() const { return numeric_.FixedText(); }

  TvxNumericValue numeric_;
};
