#include "scene/controls/NumberBox.h"

#include <cmath>

#include "platform/component/Publisher.h"
#include "scene/graphics/Canvas.h"

namespace {

constexpr float kBarWidth = 5;
constexpr TvxColor kBarColor = 0xAA505050;

}  // namespace

LC_PUBLISH(TvxNumberBox) {
  using C = TvxNumberBox;
  p.Float("Value", &C::Value, &C::SetValue);
  p.Float("Min", &C::Min, &C::SetMin);
  p.Float("Max", &C::Max, &C::SetMax, 10);
  p.Integer("DecimalDigits", &C::DecimalDigits, &C::SetDecimalDigits, 2);
  p.Enum("ValueType", ValueTypeNames(), &C::ValueType, &C::SetValueType, vxValueInteger);
  p.Float("HorzIncrement", &C::HorzIncrement, &C::SetHorzIncrement, 1);
  p.Float("VertIncrement", &C::VertIncrement, &C::SetVertIncrement, 5);
  p.Bool("ShowCaret", &C::ShowsCaret, &C::SetShowsCaret, true);
  p.WString("Text", &C::Text, &C::SetText);
}

TvxNumberBox::TvxNumberBox(TComponent* owner) : TvxNumericTextBox(owner) {}

void TvxNumberBox::MouseDown(TMouseButton button, TShiftState shift, float x, float y) {
  TvxNumericTextBox::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft) return;
  dragging_ = true;
  draggedVertically_ = false;
  dragFrom_ = {x, y};
  Repaint();
}

void TvxNumberBox::MouseMove(TShiftState shift, float x, float y) {
  TvxNumericTextBox::MouseMove(shift, x, y);
  if (dragging_) DragStep(x, y);
}

void TvxNumberBox::DragStep(float x, float y) {
  const float dx = x - dragFrom_.X;
  const float dy = y - dragFrom_.Y;
  draggedVertically_ = std::abs(dx) < std::abs(dy);
  if (draggedVertically_)
    SetValue(Value() + (dy < 0 ? vertIncrement_ : -vertIncrement_));
  else
    SetValue(Value() + (dx > 0 ? horzIncrement_ : -horzIncrement_));
  MarkChanged();
  dragFrom_ = {x, y};
  Repaint();
}

void TvxNumberBox::MouseUp(TMouseButton button, TShiftState shift, float x, float y) {
  TvxNumericTextBox::MouseUp(button, shift, x, y);
  if (!dragging_) return;
  dragging_ = false;
  Change();
  Repaint();
}

void TvxNumberBox::AfterPaint() {
  TvxNumericTextBox::AfterPaint();
  TvxCanvas* canvas = Canvas();
  if (!dragging_ || !canvas) return;
  TvxRect bar = GetLocalRect();
  InflateRect(bar, -1, -1);
  if (draggedVertically_)
    bar.Left = bar.Right - kBarWidth;
  else
    bar.Top = bar.Bottom - kBarWidth;
  const int saved = canvas->SaveCanvas();
  canvas->SetMatrix(GetAbsoluteMatrix());
  canvas->Fill().SetStyle(vxBrushSolid);
  canvas->Fill().SetColor(kBarColor);
  canvas->FillRect(bar, 0, 0, AllCorners, GetAbsoluteOpacity(), vxCornerRound);
  canvas->RestoreCanvas(saved);
}
