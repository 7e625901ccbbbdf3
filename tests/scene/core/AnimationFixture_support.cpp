#include "AnimationFixture_support.h"

#include "scene/core/AniThread.h"

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

AnimationTest::AnimationTest() {
  PlatformServices services = Platform();
  services.clock = &clock_;
  previous_ = InstallPlatform(services);
}

AnimationTest::~AnimationTest() {
  FreeAniThread();
  InstallPlatform(previous_);
}

TAnimTarget* AnimationTest::MakeTarget() {
  auto* target = new TAnimTarget(&owner_);
  target->SetScene(&scene_);
  return target;
}

void AnimationTest::Step(float seconds) {
  clock_.ticks += uint32_t(seconds * 1000 + 0.5f);
  platform_.Advance(33);
}

void AnimationTest::Steps(int count, float seconds) {
  for (int i = 0; i < count; ++i) Step(seconds);
}
