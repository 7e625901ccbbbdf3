#pragma once

// A numeric text box: the text shows a clamped value, committing parses it back, the up and
// down keys step it, and dragging the mouse over the box steps it once per mouse event,
// sideways by HorzIncrement and up or down by VertIncrement.

#include "scene/controls/NumericValue.h"
#include "scene/controls/TextBox.h"

class TvxNumberBox : public TvxCustomTextBox {
  LC_CLASS(TvxNumberBox, TvxCustomTextBox)

 public:
  explicit TvxNumberBox(TComponent* owner);

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
  void SetValueType(TvxValueType value) { numeric_.valueType = value; }
  float HorzIncrement() const { return horzIncrement_; }
  void SetHorzIncrement(float value) { horzIncrement_ = value; }
  float VertIncrement() const { return vertIncrement_; }
  void SetVertIncrement(float value) { vertIncrement_ = value; }
  bool IsDragging() const { return dragging_; }

  // Reads the text back into the value, or restores the value's text when it is no number.
  void Change() override;
  void KeyDown(uint16_t& key, char16_t& keyChar, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, float x, float y) override;
  void MouseMove(TShiftState shift, float x, float y) override;
  void MouseUp(TMouseButton button, TShiftState shift, float x, float y) override;
  // The drag bar over the painted box.
  void AfterPaint() override;
  void Loaded() override;
  TVariant GetData() override;
  void SetData(const TVariant& value) override;

 private:
  void DragStep(float x, float y);

  TvxNumericValue numeric_;
  float horzIncrement_ = 1;
  float vertIncrement_ = 5;
  bool dragging_ = false;
  bool draggedVertically_ = false;
  TvxPoint dragFrom_;
};
