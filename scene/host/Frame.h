#pragma once

// A visual object that shows another scene's tree as its own child. Setting SceneObject
// borrows that scene's root, aligned to fill the frame, and the scene stops drawing itself;
// clearing it, or freeing the frame, gives the root back. A scene shown by another frame is
// not taken over.

#include "scene/core/VisualObject.h"

class TvxCustomScene;

class TvxFrame : public TvxVisualObject {
  LC_CLASS(TvxFrame, TvxVisualObject)

 public:
  explicit TvxFrame(TComponent* owner);
  ~TvxFrame() override;

  TvxCustomScene* SceneObject() const { return sceneObject_; }
  void SetSceneObject(TvxCustomScene* scene);

  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  // The borrowed root is not written as the frame's child.
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

 private:
  void Borrow();
  void GiveBack();

  TvxCustomScene* sceneObject_ = nullptr;
  TvxVisualObject* root_ = nullptr;
  TvxAlign rootAlign_ = vaNone;
};
