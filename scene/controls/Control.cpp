#include "scene/controls/Control.h"

#include <initializer_list>
#include <utility>

#include "platform/component/Publisher.h"
#include "scene/controls/StyleResources.h"
#include "scene/controls/StyleTree.h"
#include "scene/controls/Translation.h"

namespace {

const TEnumInfo HelpTypeNames{{"htKeyword", "htContext"}};

// The first object the tree holds under one of the names, tried in order.
TvxObject* FindFirst(TvxObject* tree, std::initializer_list<std::string> names) {
  if (!tree) return nullptr;
  for (const std::string& name : names)
    if (TvxObject* found = tree->FindResource(name)) return found;
  return nullptr;
}

bool IsSelfOrAncestor(const TvxObject* candidate, const TvxObject* object) {
  for (const TvxObject* up = object; up; up = up->Parent())
    if (up == candidate) return true;
  return false;
}

// Style parts are locked so that trigger events reach the animations and effects inside them.
void LockVisuals(TvxObject& object) {
  if (object.IsVisual()) static_cast<TvxVisualObject&>(object).SetLocked(true);
  for (int i = 0; i < object.ChildrenCount(); ++i) LockVisuals(*object.Children(i));
}

}  // namespace

LC_PUBLISH(TvxControl) {
  using C = TvxControl;
  p.Enum("HelpType", HelpTypeNames, &C::HelpType, &C::SetHelpType, htContext);
  p.String("HelpKeyword", &C::HelpKeyword, &C::SetHelpKeyword);
  p.Integer("HelpContext", &C::HelpContext, &C::SetHelpContext);
  p.String("Resource", &C::Resource, &C::SetResource);
  p.Integer("TabOrder", &C::TabOrder, &C::SetTabOrder, -1);
}

TvxControl::TvxControl(TComponent* owner) : TvxVisualObject(owner) {}

TvxControl::~TvxControl() {
  // Freeing the copy reaches Notification while this class is still whole.
  DestroyTree();
}

void TvxControl::SetResource(const std::string& value) {
  resource_ = value;
  needStyle_ = true;
  if (!HasState(csLoading) && !IsUpdating()) ApplyResource();
}

TvxObject* TvxControl::SceneStyleRoot() const {
  IvxScene* scene = Scene();
  TvxResources* container = scene ? scene->GetStyle() : nullptr;
  return container ? container->Root() : nullptr;
}

TvxVisualObject* TvxControl::GetStyleObject() {
  TvxObject* sceneStyle = SceneStyleRoot();
  if (TvxVisualObject* copy = CopyNamedStyle(sceneStyle)) return copy;
  TvxObject* defaultStyle = DefaultStyle();
  const std::string ownName = ClassStyleName(ClassName());
  if (TvxVisualObject* copy = CopyStyle(FindFirst(sceneStyle, {resource_, ownName}))) return copy;
  // Only the default style falls back to the base class's style, so that a subclass without
  // a style of its own still looks like its base.
  const TClassInfo* base = ClassType().parent;
  const std::string baseName = base ? ClassStyleName(base->name) : std::string();
  return CopyStyle(FindFirst(defaultStyle, {resource_, ownName, baseName}));
}

TvxVisualObject* TvxControl::CopyNamedStyle(TvxObject* sceneStyle) {
  if (resource_.empty()) return nullptr;
  TvxObject* found = FindFirst(sceneStyle, {resource_});
  if (!found) found = FindFirst(DefaultStyleIfRead(), {resource_});
  if (!found) found = FindGlobalResource(resource_);
  TvxVisualObject* copy = CopyStyle(found);
  if (copy) copy->SetResourceName({});
  return copy;
}

TvxVisualObject* TvxControl::CopyStyle(TvxObject* source) {
  // A style holding the control itself would copy the control into its own look, and that
  // copy would look itself up again, without end.
  if (!source || !source->IsVisual() || IsSelfOrAncestor(source, this)) return nullptr;
  TvxObject* copy = source->Clone(this);
  auto* visual = dynamic_cast<TvxVisualObject*>(copy);
  if (!visual) delete copy;
  return visual;
}

void TvxControl::ApplyResource() {
  if (!needStyle_ || HasState(csDestroying)) return;
  needStyle_ = false;
  TvxVisualObject* copy = GetStyleObject();
  if (!copy) return;
  IvxScene* scene = Scene();
  const bool quiet = scene && HasState(csLoading);
  const bool wasLocked = quiet && scene->GetUpdateLocked();
  if (quiet) scene->SetUpdateLocked(true);
  AttachStyle(copy);
  ApplyStyle();
  if (quiet) scene->SetUpdateLocked(wasLocked);
  InvalidateEffectCache();
  TvxVisualObject::ApplyResource();
}

void TvxControl::AttachStyle(TvxVisualObject* copy) {
  if (styleObject_) {
    FreeStyle();
    delete std::exchange(styleObject_, nullptr);
  }
  copy->SetAlign(vaContents);
  copy->SetDesignHide(false);
  styleObject_ = copy;
  AddObject(copy);
  copy->SetIndex(0);
  copy->SetStored(false);
  LockVisuals(*copy);
}

void TvxControl::ApplyStyle() {
  if (IsFocused() && CanFocused() && !DisableFocusEffect() && !GlobalDisableFocusEffect)
    RaiseFocusState();
  if (autoTranslate_ && ShowHint() && !Hint().empty()) SetHint(Translate(Hint()));
}

void TvxControl::RaiseFocusState() {
  Repaint();
  StartTriggerAnimation(this, "IsFocused");
  ApplyTriggerEffect(this, "IsFocused");
}

TvxObject* TvxControl::FindResource(const std::string& name) {
  if (styleObject_)
    if (TvxObject* found = styleObject_->FindResource(name)) return found;
  return TvxVisualObject::FindResource(name);
}

void TvxControl::UpdateStyle() {
  if (HasState(csLoading | csDestroying)) return;
  TvxVisualObject::UpdateStyle();
  needStyle_ = true;
  ApplyResource();
}

void TvxControl::BeforePaint() {
  if (needStyle_) ApplyResource();
}

void TvxControl::EnterFocus() {
  if (needStyle_) ApplyResource();
  TvxVisualObject::EnterFocus();
}

void TvxControl::Loaded() {
  TvxVisualObject::Loaded();
  IvxScene* scene = Scene();
  if (scene && scene->GetActiveControl() == this) SetFocus();
}

void TvxControl::Notification(TComponent* component, TOperation operation) {
  TvxVisualObject::Notification(component, operation);
  if (operation == TOperation::opRemove && component == styleObject_) styleObject_ = nullptr;
}
