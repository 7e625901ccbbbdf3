#include "scene/host/Frame.h"

#include "scene/host/Scene.h"

LC_PUBLISH(TvxFrame) {
  p.Component("SceneObject", &TvxFrame::SceneObject, &TvxFrame::SetSceneObject);
}

TvxFrame::TvxFrame(TComponent* owner) : TvxVisualObject(owner) {}

TvxFrame::~TvxFrame() {
  // While the borrowed root is still a child: freeing the frame must not free it.
  GiveBack();
}

void TvxFrame::SetSceneObject(TvxCustomScene* scene) {
  if (scene == sceneObject_) return;
  if (scene && scene->FramedBy() && scene->FramedBy() != this) return;
  GiveBack();
  if (sceneObject_) RemoveFreeNotification(sceneObject_);
  sceneObject_ = scene;
  if (!sceneObject_) return;
  FreeNotification(sceneObject_);
  if (!HasState(csLoading | csDesigning)) Borrow();
}

void TvxFrame::Loaded() {
  TvxVisualObject::Loaded();
  if (!HasState(csDesigning)) Borrow();
}

void TvxFrame::Borrow() {
  if (!sceneObject_ || root_) return;
  TvxVisualObject* root = sceneObject_->GetRoot();
  // A tree cannot be shown inside itself.
  for (TvxObject* up = this; up; up = up->Parent())
    if (up == root) return;
  sceneObject_->SetFramedBy(this);
  if (!root) return;
  root_ = root;
  FreeNotification(root_);
  rootAlign_ = root_->Align();
  sceneObject_->RemoveObject(root_);
  AddObject(root_);
  root_->SetAlign(vaClient);
  Realign();
}

void TvxFrame::GiveBack() {
  TvxCustomScene* scene = sceneObject_;
  if (scene && scene->FramedBy() == this) scene->SetFramedBy(nullptr);
  TvxVisualObject* root = std::exchange(root_, nullptr);
  if (!root) return;
  RemoveFreeNotification(root);
  root->SetAlign(rootAlign_);
  if (scene) {
    scene->ReturnRoot(root);
  } else {
    root->SetParent(nullptr);
  }
}

void TvxFrame::Notification(TComponent* component, TOperation operation) {
  TvxVisualObject::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == root_) root_ = nullptr;
  if (component != sceneObject_) return;
  // Without its scene the borrowed tree stays here as an ordinary child.
  sceneObject_ = nullptr;
  if (root_) RemoveFreeNotification(std::exchange(root_, nullptr));
}

void TvxFrame::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  TvxVisualObject::GetChildren(
      [&](TComponent* child) {
        if (child != root_) proc(child);
      },
      root);
}
