#pragma once

// The animation driver under test control: a scene that only exists and a driver whose steps
// have exactly the length a test asks. Header-only, so that tests of other folders use it too.

#include <gtest/gtest.h>

#include "platform/headless/HeadlessPlatform.h"
#include "scene/core/AniThread.h"
#include "scene/core/Object.h"

// A scene host that draws nothing: animations only need to belong to one.
class TAnimScene : public IvxScene {
 public:
  void AddObject(TvxObject*) override {}
  void RemoveObject(TvxObject*) override {}
  void BeginWindowMove() override {}
  void BeginWindowResize() override {}
  void AddUpdateRect(const TvxRect&) override {}
  TvxVisualObject* GetActiveControl() override { return nullptr; }
  bool GetUpdateLocked() override { return false; }
  void SetUpdateLocked(bool) override {}
  bool IsDesigning() override { return false; }
  TvxCanvas* GetCanvas() override { return nullptr; }
  TvxVisualObject* GetRoot() override { return nullptr; }
  TComponent* GetComponent() override { return nullptr; }
  TComponent* GetOwnerComponent() override { return nullptr; }
  TvxResources* GetStyle() override { return nullptr; }
  void SetStyle(TvxResources*) override {}
  bool GetTransparency() override { return false; }
  void UpdateStyle() override {}
  void Notification(TComponent*) override {}
  TvxVisualObject* GetDragOverObject() override { return nullptr; }
  int GetPendingRectCount() override { return 0; }
  TvxRect GetPendingRect(int) override { return {}; }
  void SetCaptured(TvxVisualObject*) override {}
  TvxVisualObject* GetCaptured() override { return nullptr; }
  void SetFocused(TvxVisualObject*) override {}
  TvxVisualObject* GetFocused() override { return nullptr; }
  TvxPoint GetMousePos() override { return {}; }
  TvxPoint LocalToScreen(const TvxPoint& point) override { return point; }
  void BeginDragObject(TvxVisualObject*, const TvxBitmap*) override {}
  bool GetAnimatedCaret() override { return false; }
};

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
  TAnimScene scene_;
  TComponent owner_{nullptr};
};
