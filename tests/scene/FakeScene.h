#pragma once

// The scene host stand-in of the tests and benchmarks: records what objects ask of their
// scene (dirty rectangles, capture, focus changes) and answers the rest with settable values;
// a canvas to measure and hit-test with is optional (animations need none).
// Header-only, so that every test folder and the benchmarks share it.

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "scene/core/SceneInterface.h"
#include "scene/core/VisualObject.h"
#include "scene/graphics/Bitmap.h"

class TFakeScene : public IvxScene {
 public:
  // Screen coordinates are scene coordinates moved by this offset.
  static constexpr TvxPoint kScreenOffset{100, 200};

  explicit TFakeScene(TvxCanvas* sceneCanvas = nullptr) : canvas(sceneCanvas) {}
  ~TFakeScene() override {
    for (TvxObject* object : roots) object->SetScene(nullptr);
  }

  // Makes `object` the root, as a form's scene does with its root object.
  void SetRoot(TvxVisualObject* object) {
    AddObject(object);
    root = object;
  }
  std::vector<TvxRect> TakeUpdates() { return std::exchange(updates, {}); }

  void AddObject(TvxObject* object) override {
    object->SetParent(nullptr);
    if (std::find(roots.begin(), roots.end(), object) == roots.end()) roots.push_back(object);
    object->SetScene(this);
  }
  void RemoveObject(TvxObject* object) override {
    std::erase(roots, object);
    if (object == root) root = nullptr;
    object->SetScene(nullptr);
  }
  void BeginWindowMove() override { ++windowMoves; }
  void BeginWindowResize() override {}
  void AddUpdateRect(const TvxRect& rect) override {
    if (!updateLocked) updates.push_back(rect);
  }
  TvxVisualObject* GetActiveControl() override { return nullptr; }
  bool GetUpdateLocked() override { return updateLocked; }
  void SetUpdateLocked(bool locked) override { updateLocked = locked; }
  bool IsDesigning() override { return designing; }
  TvxCanvas* GetCanvas() override { return canvas; }
  TvxVisualObject* GetRoot() override { return root; }
  TComponent* GetComponent() override { return nullptr; }
  TComponent* GetOwnerComponent() override { return nullptr; }
  TvxResources* GetStyle() override { return nullptr; }
  void SetStyle(TvxResources*) override {}
  bool GetTransparency() override { return transparent; }
  void UpdateStyle() override {}
  void Notification(TComponent* component) override {
    if (component == captured) captured = nullptr;
    if (component == focused) focused = nullptr;
    if (component == root) root = nullptr;
    std::erase(roots, component);
  }
  TvxVisualObject* GetDragOverObject() override { return nullptr; }
  int GetPendingRectCount() override { return int(pending.size()); }
  TvxRect GetPendingRect(int index) override { return pending[size_t(index)]; }
  void SetCaptured(TvxVisualObject* object) override { captured = object; }
  TvxVisualObject* GetCaptured() override { return captured; }
  // Like the scene host: the old object is told first, then the new one.
  void SetFocused(TvxVisualObject* object) override {
    if (object == focused) return;
    TvxVisualObject* old = std::exchange(focused, object);
    if (old) old->KillFocus();
    if (object) object->EnterFocus();
  }
  TvxVisualObject* GetFocused() override { return focused; }
  TvxPoint GetMousePos() override { return mousePos; }
  TvxPoint LocalToScreen(const TvxPoint& point) override {
    return {std::trunc(point.X + kScreenOffset.X), std::trunc(point.Y + kScreenOffset.Y)};
  }
  void BeginDragObject(TvxVisualObject* object, const TvxBitmap* image) override {
    dragged = object;
    dragImageSize = image ? TvxPoint{float(image->Width()), float(image->Height())} : TvxPoint{};
  }
  bool GetAnimatedCaret() override { return animatedCaret; }

  std::vector<TvxRect> updates;
  std::vector<TvxRect> pending;
  std::vector<TvxObject*> roots;
  TvxVisualObject* root = nullptr;
  TvxVisualObject* captured = nullptr;
  TvxVisualObject* focused = nullptr;
  TvxCanvas* canvas = nullptr;
  TvxPoint mousePos;
  bool updateLocked = false;
  bool designing = false;
  bool transparent = false;
  bool animatedCaret = false;
  int windowMoves = 0;
  TvxVisualObject* dragged = nullptr;
  TvxPoint dragImageSize;
};

// True when `inner` lies inside `outer` (edges included).
inline bool RectContains(const TvxRect& outer, const TvxRect& inner) {
  return outer.Left <= inner.Left && outer.Top <= inner.Top && outer.Right >= inner.Right &&
         outer.Bottom >= inner.Bottom;
}
// True when some recorded rectangle covers `area`.
inline bool AnyCovers(const std::vector<TvxRect>& rects, const TvxRect& area) {
  return std::any_of(rects.begin(), rects.end(),
                     [&](const TvxRect& r) { return RectContains(r, area); });
}
