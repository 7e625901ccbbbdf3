#pragma once

// The least a scene host gives the objects of a test or benchmark: a canvas to measure and
// hit-test with (none for animations), a root, and the dirty rectangles objects report.
// Header-only, so that every test folder and the benchmarks share it.

#include <vector>

#include "scene/core/SceneInterface.h"
#include "scene/core/VisualObject.h"

class TSceneStub : public IvxScene {
 public:
  explicit TSceneStub(TvxCanvas* canvas = nullptr) : canvas_(canvas) {}
  ~TSceneStub() override {
    if (root_) root_->SetScene(nullptr);
  }

  void SetRoot(TvxVisualObject* root) {
    root_ = root;
    root->SetScene(this);
  }

  void AddObject(TvxObject* object) override { object->SetScene(this); }
  void RemoveObject(TvxObject* object) override { object->SetScene(nullptr); }
  void BeginWindowMove() override {}
  void BeginWindowResize() override {}
  void AddUpdateRect(const TvxRect& rect) override { updates.push_back(rect); }
  TvxVisualObject* GetActiveControl() override { return nullptr; }
  bool GetUpdateLocked() override { return locked_; }
  void SetUpdateLocked(bool locked) override { locked_ = locked; }
  bool IsDesigning() override { return designing; }
  TvxCanvas* GetCanvas() override { return canvas_; }
  TvxVisualObject* GetRoot() override { return root_; }
  TComponent* GetComponent() override { return nullptr; }
  TComponent* GetOwnerComponent() override { return nullptr; }
  TvxResources* GetStyle() override { return nullptr; }
  void SetStyle(TvxResources*) override {}
  bool GetTransparency() override { return true; }
  void UpdateStyle() override {}
  void Notification(TComponent* component) override {
    if (component == root_) root_ = nullptr;
  }
  TvxVisualObject* GetDragOverObject() override { return nullptr; }
  int GetPendingRectCount() override { return int(pending.size()); }
  TvxRect GetPendingRect(int index) override { return pending[size_t(index)]; }
  void SetCaptured(TvxVisualObject*) override {}
  TvxVisualObject* GetCaptured() override { return nullptr; }
  void SetFocused(TvxVisualObject*) override {}
  TvxVisualObject* GetFocused() override { return nullptr; }
  TvxPoint GetMousePos() override { return {}; }
  TvxPoint LocalToScreen(const TvxPoint& point) override { return point; }
  void BeginDragObject(TvxVisualObject*, const TvxBitmap*) override {}
  bool GetAnimatedCaret() override { return false; }

  std::vector<TvxRect> updates;
  std::vector<TvxRect> pending;
  bool designing = false;

 private:
  TvxCanvas* canvas_;
  TvxVisualObject* root_ = nullptr;
  bool locked_ = false;
};
