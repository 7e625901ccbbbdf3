#pragma once

// A scene host stand-in for tests: records what objects ask of their scene (dirty
// rectangles, capture, focus changes) and answers the rest with settable values.

#include <vector>

#include "scene/core/SceneInterface.h"
#include "scene/core/VisualObject.h"

class TFakeScene : public IvxScene {
 public:
  // Screen coordinates are scene coordinates moved by this offset.
  static constexpr TvxPoint kScreenOffset{100, 200};

  ~TFakeScene() override;

  // Makes `object` the root, as a form's scene does with its root object.
  void SetRoot(TvxVisualObject* object);
  std::vector<TvxRect> TakeUpdates();

  void AddObject(TvxObject* object) override;
  void RemoveObject(TvxObject* object) override;
  void BeginWindowMove() override { ++windowMoves; }
  void BeginWindowResize() override {}
  void AddUpdateRect(const TvxRect& rect) override;
  TvxVisualObject* GetActiveControl() override { return nullptr; }
  bool GetUpdateLocked() override { return updateLocked; }
  void SetUpdateLocked(bool locked) override { updateLocked = locked; }
  bool IsDesigning() override { return false; }
  TvxCanvas* GetCanvas() override { return canvas; }
  TvxVisualObject* GetRoot() override { return root; }
  TComponent* GetComponent() override { return nullptr; }
  TComponent* GetOwnerComponent() override { return nullptr; }
  TvxResources* GetStyle() override { return nullptr; }
  void SetStyle(TvxResources*) override {}
  bool GetTransparency() override { return false; }
  void UpdateStyle() override {}
  void Notification(TComponent* component) override;
  TvxVisualObject* GetDragOverObject() override { return nullptr; }
  int GetPendingRectCount() override { return int(pending.size()); }
  TvxRect GetPendingRect(int index) override { return pending[size_t(index)]; }
  void SetCaptured(TvxVisualObject* object) override { captured = object; }
  TvxVisualObject* GetCaptured() override { return captured; }
  // Like the scene host: the old object is told first, then the new one.
  void SetFocused(TvxVisualObject* object) override;
  TvxVisualObject* GetFocused() override { return focused; }
  TvxPoint GetMousePos() override { return mousePos; }
  TvxPoint LocalToScreen(const TvxPoint& point) override;
  void BeginDragObject(TvxVisualObject* object, const TvxBitmap* image) override;
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
  bool animatedCaret = false;
  int windowMoves = 0;
  TvxVisualObject* dragged = nullptr;
  TvxPoint dragImageSize;
};

// True when `inner` lies inside `outer` (edges included).
bool RectContains(const TvxRect& outer, const TvxRect& inner);
// True when some recorded rectangle covers `area`.
bool AnyCovers(const std::vector<TvxRect>& rects, const TvxRect& area);
