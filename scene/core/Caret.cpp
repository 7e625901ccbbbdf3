#include "scene/core/Caret.h"

#include "scene/core/FloatAnimation.h"
#include "scene/core/PublishedValues.h"
#include "scene/core/ValueText.h"
#include "scene/core/VisualObject.h"

namespace {

// The registered rectangle shape when there is one; shapes build on visual objects.
TvxVisualObject* CreateRectangle(TComponent* owner) {
  const TClassInfo* info = FindClass("TvxRectangle");
  if (!info || info->placeholder) return nullptr;
  TComponent* created = info->Create(owner);
  if (auto* object = dynamic_cast<TvxVisualObject*>(created)) return object;
  delete created;
  return nullptr;
}

}  // namespace

TvxCaret::TvxCaret(TvxVisualObject& owner) : owner_(owner) {}

TvxCaret::~TvxCaret() {
  if (shape_) shape_->RemoveFreeNotify(this);
  if (blink_) blink_->RemoveFreeNotify(this);
}

TvxVisualObject& TvxCaret::Shape() {
  if (shape_) return *shape_;
  shape_ = CreateRectangle(&owner_);
  if (!shape_) shape_ = new TvxVisualObject(&owner_);
  shape_->AddFreeNotify(this);
  shape_->SetWidth(3);
  shape_->SetHeight(20);
  SetPublishedString(*shape_, "Fill.Color", "#FF0000FF");
  SetPublishedEnum(*shape_, "Stroke.Style", "vxBrushNone");
  shape_->SetStored(false);
  shape_->SetHitTest(false);
  shape_->SetLocked(true);
  shape_->SetVisible(false);
  owner_.AddObject(shape_);
  IvxScene* scene = owner_.Scene();
  if (scene && scene->GetAnimatedCaret()) CreateBlink();
  return *shape_;
}

void TvxCaret::CreateBlink() {
  blink_ = new TvxFloatAnimation(shape_);
  blink_->AddFreeNotify(this);
  blink_->SetStored(false);
  // The animation driver slows animations bound as "caret".
  blink_->SetBindingName("caret");
  blink_->SetPropertyName("Opacity");
  blink_->SetStartValue(1);
  blink_->SetStopValue(0);
  blink_->SetDuration(0.1f);
  blink_->SetAutoReverse(true);
  blink_->SetLoop(true);
  shape_->AddObject(blink_);
}

void TvxCaret::Show() {
  Shape().SetVisible(true);
  if (blink_ && !blink_->IsRunning()) blink_->Start();
}

void TvxCaret::Hide() {
  if (shape_) shape_->SetVisible(false);
}

void TvxCaret::SetPos(const TvxPoint& point) {
  Shape().Position()->SetPoint({float(RoundHalfEven(point.X)), float(RoundHalfEven(point.Y))});
}

void TvxCaret::SetSize(const TvxPoint& size) {
  Shape().SetWidth(size.X);
  Shape().SetHeight(size.Y);
}

void TvxCaret::SetColor(TvxColor color) {
  SetPublishedString(Shape(), "Fill.Color", ColorToText(color));
}

void TvxCaret::FreeNotify(TvxObject* object) {
  if (object == shape_) {
    shape_ = nullptr;
    blink_ = nullptr;  // freed with its parent; no longer reachable through the caret
  }
  if (object == blink_) blink_ = nullptr;
}
