#pragma once

// What the animation tests share: a scene that only exists, an object with the kinds of
// properties animations write, and a driver whose steps have exactly the length a test asks.

#include <gtest/gtest.h>

#include <string>

#include "platform/headless/HeadlessPlatform.h"
#include "scene/core/Bounds.h"
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
  void BeginDragObject(TvxVisualObject*) override {}
  bool GetAnimatedCaret() override { return false; }
};

// A brush-like sub-object with a colour text.
class TAnimBrush : public TPersistent {
  LC_CLASS(TAnimBrush, TPersistent)

 public:
  std::string color = "#FF000000";
};

// A visual-like object publishing what animations and triggers read and write.
class TAnimTarget : public TvxObject {
  LC_CLASS(TAnimTarget, TvxObject)

 public:
  explicit TAnimTarget(TComponent* owner) : TvxObject(owner) {
    SetVisual();
    padding.OnChange = [this](TObject*) { ++paddingChanges; };
  }
  TAnimBrush* Fill() const { return &fill; }
  TvxBounds* Padding() const { return &padding; }

  bool visible = true;
  float width = 0;
  uint32_t tint = 0;
  bool isMouseOver = false;
  bool isPressed = false;
  int paddingChanges = 0;
  mutable TAnimBrush fill;
  mutable TvxBounds padding;
};

// Steps of the animation driver with chosen lengths: the tick clock moves by the step, the
// event loop by one timer period.
class TStepClock : public IClock {
 public:
  TDateTime Now() const override { return 0; }
  uint32_t TickCount() const override { return ticks; }
  uint32_t ticks = 1000;
};

class AnimationTest : public testing::Test {
 protected:
  AnimationTest();
  ~AnimationTest() override;

  // A target in the scene.
  TAnimTarget* MakeTarget();
  // One timer event of the driver, `seconds` after the last.
  void Step(float seconds);
  void Steps(int count, float seconds);

  THeadlessPlatform platform_;
  TStepClock clock_;
  PlatformServices previous_;
  TAnimScene scene_;
  TComponent owner_{nullptr};
};
