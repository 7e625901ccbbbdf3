#include "scene/controls/Control.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <variant>

#include "platform/Action.h"
#include "platform/Form.h"
#include "platform/component/Publisher.h"
#include "platform/component/Unicode.h"
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

uint64_t NextTabKey() {
  static uint64_t key = 0;
  return ++key;
}

}  // namespace

// Follows the control's action for it.
class TvxControl::TLink : public TActionLink {
 public:
  explicit TLink(TvxControl& control) : control_(control) {}

 protected:
  void ActionChanged() override {
    if (TAction* action = Action()) control_.ActionChange(*action, false);
  }

 private:
  TvxControl& control_;
};

LC_PUBLISH(TvxControl) {
  using C = TvxControl;
  p.Enum("HelpType", HelpTypeNames, &C::HelpType, &C::SetHelpType, htContext);
  p.String("HelpKeyword", &C::HelpKeyword, &C::SetHelpKeyword);
  p.Integer("HelpContext", &C::HelpContext, &C::SetHelpContext);
  p.String("Resource", &C::Resource, &C::SetResource);
  // Read at full width, so that the setter sees values beyond 16 bits and can ignore them.
  p.Integer(
      "TabOrder", [](const C& c) -> int64_t { return c.TabOrder(); }, &C::SetTabOrder, -1);
}

TvxControl::TvxControl(TComponent* owner) : TvxVisualObject(owner), tabKey_(NextTabKey()) {}

TvxControl::~TvxControl() {
  // Freeing the copy reaches Notification while this class is still whole.
  DestroyTree();
}

// Tab order.

std::vector<TvxControl*> TvxControl::TabSiblings() const {
  TvxVisualObject* parent = VisualParent();
  if (!parent) return {};
  auto* parentControl = dynamic_cast<TvxControl*>(parent);
  const TvxVisualObject* style = parentControl ? parentControl->StyleObject() : nullptr;
  std::vector<TvxControl*> list;
  for (int i = 0; i < parent->ChildrenCount(); ++i) {
    auto* control = dynamic_cast<TvxControl*>(parent->Children(i));
    if (control && control != style) list.push_back(control);
  }
  std::stable_sort(list.begin(), list.end(),
                   [](TvxControl* a, TvxControl* b) { return a->tabKey_ < b->tabKey_; });
  return list;
}

int16_t TvxControl::TabOrder() const {
  if (HasState(csLoading)) return rememberedTabOrder_;
  const std::vector<TvxControl*> list = TabSiblings();
  const auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : int16_t(it - list.begin());
}

void TvxControl::SetTabOrder(int64_t value) {
  if (value < INT16_MIN || value > INT16_MAX) return;
  if (HasState(csLoading)) {
    rememberedTabOrder_ = int16_t(value);
    return;
  }
  MoveInTabList(int(value));
}

void TvxControl::MoveInTabList(int index) {
  std::vector<TvxControl*> list = TabSiblings();
  if (std::erase(list, this) == 0) return;
  index = std::clamp(index, 0, int(list.size()));
  list.insert(list.begin() + index, this);
  for (TvxControl* control : list) control->tabKey_ = NextTabKey();
}

void TvxControl::PlaceRememberedTabOrders() {
  const std::vector<TvxControl*> list = TabSiblings();
  std::vector<std::pair<int, TvxControl*>> placed;
  for (TvxControl* control : list) {
    const int order = std::exchange(control->rememberedTabOrder_, int16_t(-1));
    if (order >= 0 && order < int(list.size())) placed.emplace_back(order, control);
  }
  std::stable_sort(placed.begin(), placed.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& [order, control] : placed) control->MoveInTabList(order);
}

void TvxControl::ChangeParent() {
  TvxVisualObject::ChangeParent();
  tabKey_ = NextTabKey();  // a control joins its new parent's tab stops last
}

// Binding.

void TvxControl::SetBindingSource(TvxControl* source) {
  if (source == bindingSource_ || source == this) return;
  if (bindingSource_) std::erase(bindingSource_->bound_, this);
  bindingSource_ = source;
  if (!source) return;
  source->bound_.push_back(this);
  // Either side may go first; each forgets the other then.
  FreeNotification(source);
  source->FreeNotification(this);
}

void TvxControl::UpdateBindings() {
  if (bound_.empty()) return;
  const TVariant value = GetData();
  const std::vector<TvxControl*> bound = bound_;
  for (TvxControl* control : bound) control->SetData(value);
}

// Action link.

TAction* TvxControl::Action() const {
  return actionLink_ ? actionLink_->Action() : nullptr;
}

void TvxControl::SetAction(TAction* action) {
  if (action == Action()) return;
  if (!action) {
    actionLink_.reset();
    return;
  }
  if (!actionLink_) actionLink_ = std::make_unique<TLink>(*this);
  actionLink_->SetAction(action);
  action->FreeNotification(this);
  ActionChange(*action, HasState(csLoading));
}

void TvxControl::ActionChange(TAction& action, bool loading) {
  SetEnabled(action.Enabled());
  SetVisible(action.Visible());
  if (!loading || Hint().empty()) SetHint(Utf8ToUtf16(action.Hint()));
  if (!loading || !OnClick)
    OnClick = [this](TObject*) {
      if (actionLink_) actionLink_->Execute();
    };
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
  PlaceRememberedTabOrders();
  IvxScene* scene = Scene();
  if (scene && scene->GetActiveControl() == this) SetFocus();
}

bool TvxControl::IsMethodData(const TVariant& value) {
  const auto* text = std::get_if<std::string>(&value);
  return text && text->rfind("vxmet", 0) == 0;
}

TForm* TvxControl::SceneForm() const {
  IvxScene* scene = Scene();
  for (TComponent* up = scene ? scene->GetComponent() : nullptr; up; up = up->Owner())
    if (auto* form = dynamic_cast<TForm*>(up)) return form;
  return nullptr;
}

void TvxControl::Notification(TComponent* component, TOperation operation) {
  TvxVisualObject::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == styleObject_) styleObject_ = nullptr;
  if (component == bindingSource_) bindingSource_ = nullptr;
  std::erase(bound_, component);
  // A freed action has already let go of the link.
  if (actionLink_ && !actionLink_->Action()) actionLink_.reset();
}
