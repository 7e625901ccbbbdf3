#pragma once

// A numeric text box whose up and down keys step by HorzIncrement, and dragging the mouse over the
// box steps it once per mouse event, sideways by HorzIncrement and up or down by VertIncrement.

#include <string>

#include "scene/controls/NumericTextBox.h"

class TvxNumberBox : public TvxNumericTextBox {
  LC_CLASS(TvxNumberBox, TvxNumericTextBox)

 public:
  explicit TvxNumberBox(TComponent* owner);

  float HorzIncrement() const { return horzIncrement_; }
  void SetHorzIncrement(float value) { horzIncrement_ = value; }
  float VertIncrement() const { return vertIncrement_; }
  void SetVertIncrement(float value) { vertIncrement_ = value; }
  bool IsDragging() const { return dragging_; }

  void MouseDown(TMouseButton button, TShiftState shift, float x, float y) override;
  void MouseMove(TShiftState shift, float x, float y) override;
  void MouseUp(TMouseButton button, TShiftState shift, float x, float y) override;
  // The drag bar over the painted box.
  void AfterPaint() override;

 protected:
  float KeyIncrement() const override { return horzIncrement_; }
  // The shortest text that reads back as the value.
  std::u16string CommittedText() const override { return numeric_.GeneralText(); }

 private:
  void DragStep(float x, float y);

  float horzIncrement_ = 1;
  float vertIncrement_ = 5;
  bool dragging_ = false;
  bool draggedVertically_ = false;
  TvxPoint dragFrom_;
};
