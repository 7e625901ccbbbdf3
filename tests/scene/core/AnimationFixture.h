#pragma once

// The animation driver under test control: a scene that only exists and a driver whose steps
// have exactly the length a test asks. Header-only, so that tests of other folders use it too.

#include <gtest/gtest.h>

#include "platform/headless/HeadlessPlatform.h"
#include "scene/core/AniThread.h"
#include "scene/core/Object.h"
#include "tests/scene/FakeScene.h"

// Steps of the animation driver with chosen lengths: the tick clock moves by the step, the
// event loop by one timer period.
class TStepClock : public IClock {
 public:
  TDateTime Now() const override { return 0; }
  uint32_t TickCount() const override { return ticks; }
  uint32_t ticks = 1000;
};

class AnimationDriverTest : public testing::Test {
 protected:
  AnimationDriverTest() {
    PlatformServices services = Platform();
    services.clock = &clock_;
    previous_ = InstallPlatform(services);
  }
  ~AnimationDriverTest() override {
    FreeAniThread();
    InstallPlatform(previous_);
  }

  // One timer event of the driver, `seconds` after the last.
  void Step(float seconds) {
    clock_.ticks += uint32_t(seconds * 1000 + 0.5f);
    platform_.Advance(TvxAniThread::Interval);
  }
  void Steps(int count, float seconds) {
    for (int i = 0; i < count; ++i) Step(seconds);
  }

  THeadlessPlatform platform_;
  TStepClock clock_;
  PlatformServices previous_;
  TFakeScene scene_;  // animations only need to belong to a scene
  TComponent owner_{nullptr};
};
