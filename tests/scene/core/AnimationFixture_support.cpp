#include "AnimationFixture_support.h"

LC_PUBLISH(TAnimBrush) {
  p.String("Color", &TAnimBrush::color);
}

LC_PUBLISH(TAnimTarget) {
  p.Bool("Visible", &TAnimTarget::visible, nullptr, true);
  p.Float("Width", &TAnimTarget::width);
  p.Integer("Tint", &TAnimTarget::tint);
  p.Bool("IsMouseOver", &TAnimTarget::isMouseOver);
  p.Bool("IsPressed", &TAnimTarget::isPressed);
  p.Object("Fill", &TAnimTarget::Fill);
  p.Object("Padding", &TAnimTarget::Padding);
}

TAnimTarget* AnimationTest::MakeTarget() {
  auto* target = new TAnimTarget(&owner_);
  target->SetScene(&scene_);
  return target;
}
