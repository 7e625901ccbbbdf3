#include "FakeScene_support.h"

#include <algorithm>
#include <cmath>

#include "scene/graphics/Bitmap.h"

TFakeScene::~TFakeScene() {
  for (TvxObject* object : roots) object->SetScene(nullptr);
}

void TFakeScene::SetRoot(TvxVisualObject* object) {
  AddObject(object);
  root = object;
}

std::vector<TvxRect> TFakeScene::TakeUpdates() {
  return std::exchange(updates, {});
}

void TFakeScene::AddObject(TvxObject* object) {
  object->SetParent(nullptr);
  if (std::find(roots.begin(), roots.end(), object) == roots.end()) roots.push_back(object);
  object->SetScene(this);
}

void TFakeScene::RemoveObject(TvxObject* object) {
  std::erase(roots, object);
  if (object == root) root = nullptr;
  object->SetScene(nullptr);
}

void TFakeScene::AddUpdateRect(const TvxRect& rect) {
  if (!updateLocked) updates.push_back(rect);
}

void TFakeScene::Notification(TComponent* component) {
  if (component == captured) captured = nullptr;
  if (component == focused) focused = nullptr;
  if (component == root) root = nullptr;
  std::erase(roots, component);
}

void TFakeScene::SetFocused(TvxVisualObject* object) {
  if (object == focused) return;
  TvxVisualObject* old = focused;
  focused = object;
  if (old) old->KillFocus();
  if (object) object->EnterFocus();
}

void TFakeScene::BeginDragObject(TvxVisualObject* object, const TvxBitmap* image) {
  dragged = object;
  dragImageSize = image ? TvxPoint{float(image->Width()), float(image->Height())} : TvxPoint{};
}

TvxPoint TFakeScene::LocalToScreen(const TvxPoint& point) {
  return {std::trunc(point.X + kScreenOffset.X), std::trunc(point.Y + kScreenOffset.Y)};
}

bool RectContains(const TvxRect& outer, const TvxRect& inner) {
  return outer.Left <= inner.Left && outer.Top <= inner.Top && outer.Right >= inner.Right &&
         outer.Bottom >= inner.Bottom;
}

bool AnyCovers(const std::vector<TvxRect>& rects, const TvxRect& area) {
  return std::any_of(rects.begin(), rects.end(),
                     [&](const TvxRect& r) { return RectContains(r, area); });
}
