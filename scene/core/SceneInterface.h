#pragma once

// The only way objects reach the scene host that shows them.

#include <cstdint>
#include <vector>

#include "scene/core/Geometry.h"

class TComponent;
class TvxObject;
class TvxVisualObject;
class TvxBitmap;
class TvxCanvas;
class TvxResources;

class IvxScene {
 public:
  virtual ~IvxScene() = default;

  // Makes `object` a root object (detached from its former parent first) and realigns it.
  virtual void AddObject(TvxObject* object) = 0;
  // Repaints the whole scene and drops `object` from the roots.
  virtual void RemoveObject(TvxObject* object) = 0;
  virtual void BeginWindowMove() = 0;
  virtual void BeginWindowResize() = 0;
  virtual void AddUpdateRect(const TvxRect& rect) = 0;
  // The control the scene names as active (a TvxControl), or null.
  virtual TvxVisualObject* GetActiveControl() = 0;
  virtual bool GetUpdateLocked() = 0;
  virtual void SetUpdateLocked(bool locked) = 0;
  virtual bool IsDesigning() = 0;
  virtual TvxCanvas* GetCanvas() = 0;
  virtual TvxVisualObject* GetRoot() = 0;
  // The scene's own component: the streaming parent of root objects, owned by the form.
  virtual TComponent* GetComponent() = 0;
  virtual TComponent* GetOwnerComponent() = 0;
  virtual TvxResources* GetStyle() = 0;
  virtual void SetStyle(TvxResources* style) = 0;
  virtual bool GetTransparency() = 0;
  virtual void UpdateStyle() = 0;
  // A component is going away: the scene drops every reference it keeps to it.
  virtual void Notification(TComponent* component) = 0;
  virtual TvxVisualObject* GetDragOverObject() = 0;
  virtual int GetPendingRectCount() = 0;
  virtual TvxRect GetPendingRect(int index) = 0;
  virtual void SetCaptured(TvxVisualObject* object) = 0;
  virtual TvxVisualObject* GetCaptured() = 0;
  virtual void SetFocused(TvxVisualObject* object) = 0;
  virtual TvxVisualObject* GetFocused() = 0;
  virtual TvxPoint GetMousePos() = 0;
  virtual TvxPoint LocalToScreen(const TvxPoint& point) = 0;
  // Starts a platform drag of `object` showing `image` (its rendering, at most 512 x 512).
  virtual void BeginDragObject(TvxVisualObject* object, const TvxBitmap* image) = 0;
  virtual bool GetAnimatedCaret() = 0;
};

// Holds the scene's update lock for the length of a scope, then gives back the lock state it
// found, also when the scope is left by an exception. Without a scene it does nothing.
class TvxUpdateLockGuard {
 public:
  explicit TvxUpdateLockGuard(IvxScene* scene)
      : scene_(scene), wasLocked_(scene && scene->GetUpdateLocked()) {
    if (scene_) scene_->SetUpdateLocked(true);
  }
  ~TvxUpdateLockGuard() {
    if (scene_) scene_->SetUpdateLocked(wasLocked_);
  }
  TvxUpdateLockGuard(const TvxUpdateLockGuard&) = delete;
  TvxUpdateLockGuard& operator=(const TvxUpdateLockGuard&) = delete;

 private:
  IvxScene* scene_;
  bool wasLocked_;
};

// Offered by size grips: a press on one resizes the scene's form instead of reaching it.
class IvxSizeGrip {
 protected:
  ~IvxSizeGrip() = default;
};

// The live scene hosts; each adds itself when created and removes itself when freed.
void AddScene(IvxScene* scene);
void RemoveScene(IvxScene* scene);
const std::vector<IvxScene*>& Scenes();
